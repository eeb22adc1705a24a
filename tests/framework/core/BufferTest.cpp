#include <gtest/gtest.h>

#include "core/Buffer.h"

using namespace Tesk;

namespace {
std::vector<uint8_t> Bytes(std::initializer_list<int> theList) {
  std::vector<uint8_t> aBytes;
  for (int aValue : theList) aBytes.push_back(static_cast<uint8_t>(aValue));
  return aBytes;
}
}  // namespace

TEST(Buffer, ThreeBitsThenAByteSharesTheFirstByte) {
  Buffer aBuffer;
  aBuffer.WriteNumBits(5, 3);
  aBuffer.WriteByte(0xFF);
  EXPECT_EQ(aBuffer.mData, Bytes({0xFD, 0x07}));
  EXPECT_EQ(aBuffer.mDataBitSize, 11);
  EXPECT_EQ(aBuffer.GetDataLen(), 2);
  EXPECT_EQ(aBuffer.ReadNumBits(3, false), 5);
  EXPECT_EQ(aBuffer.ReadByte(), 0xFF);
  EXPECT_TRUE(aBuffer.AtEnd());
}

TEST(Buffer, UnalignedLongIsLittleEndianShiftedAlongTheStream) {
  Buffer aBuffer;
  aBuffer.WriteNumBits(1, 1);
  aBuffer.WriteLong(0x12345678);
  // (0x12345678 << 1) | 1 = 0x2468ACF1, low byte first, then the bit carried out.
  EXPECT_EQ(aBuffer.mData, Bytes({0xF1, 0xAC, 0x68, 0x24, 0x00}));
  EXPECT_EQ(aBuffer.mDataBitSize, 33);

  Buffer anAligned;
  anAligned.WriteLong(0x12345678);
  anAligned.WriteShort(-2);
  EXPECT_EQ(anAligned.mData, Bytes({0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF}));
}

TEST(Buffer, EveryTypedValueRoundTripsAtEveryBitOffset) {
  const uint8_t kBlock[] = {0x00, 0xFF, 0x80, 0x01, 0x5A};
  const std::string kText("h\xE9llo\0x", 7);
  for (int anOffset = 0; anOffset < 8; ++anOffset) {
    SCOPED_TRACE(anOffset);
    Buffer aBuffer;
    aBuffer.WriteNumBits(0x55, anOffset);
    aBuffer.WriteByte(0xA7);
    aBuffer.WriteShort(-12345);
    aBuffer.WriteLong(-1234567890);
    aBuffer.WriteLong(0x7FFFFFFF);
    aBuffer.WriteString(kText);
    aBuffer.WriteString("");
    aBuffer.WriteBoolean(true);
    aBuffer.WriteBoolean(false);
    aBuffer.WriteBytes(kBlock, 5);
    aBuffer.WriteNumBits(-5, 6);
    aBuffer.WriteNumBits(0x1234, 13);
    aBuffer.WriteNumBits(-1, 32);

    EXPECT_EQ(aBuffer.ReadNumBits(anOffset, false), 0x55 & ((1 << anOffset) - 1));
    EXPECT_EQ(aBuffer.ReadByte(), 0xA7);
    EXPECT_EQ(aBuffer.ReadShort(), -12345);
    EXPECT_EQ(aBuffer.ReadLong(), -1234567890);
    EXPECT_EQ(aBuffer.ReadLong(), 0x7FFFFFFF);
    EXPECT_EQ(aBuffer.ReadString(), kText);
    EXPECT_EQ(aBuffer.ReadString(), "");
    EXPECT_TRUE(aBuffer.ReadBoolean());
    EXPECT_FALSE(aBuffer.ReadBoolean());
    uint8_t aBlock[5] = {};
    aBuffer.ReadBytes(aBlock, 5);
    EXPECT_EQ(std::vector<uint8_t>(aBlock, aBlock + 5), std::vector<uint8_t>(kBlock, kBlock + 5));
    EXPECT_EQ(aBuffer.ReadNumBits(6, true), -5);
    EXPECT_EQ(aBuffer.ReadNumBits(13, false), 0x1234);
    EXPECT_EQ(aBuffer.ReadNumBits(32, false), -1);
    EXPECT_TRUE(aBuffer.AtEnd());

    aBuffer.SeekFront();
    EXPECT_EQ(aBuffer.ReadNumBits(anOffset, false), 0x55 & ((1 << anOffset) - 1));
    EXPECT_EQ(aBuffer.ReadByte(), 0xA7);
  }
}

TEST(Buffer, SignedReadsExtendFromTheLastBitRead) {
  Buffer aBuffer;
  aBuffer.WriteNumBits(6, 3);
  EXPECT_EQ(aBuffer.ReadNumBits(3, true), -2);
  aBuffer.SeekFront();
  EXPECT_EQ(aBuffer.ReadNumBits(3, false), 6);
}

TEST(Buffer, EmptyBufferReadsAsZeros) {
  Buffer aBuffer;
  EXPECT_EQ(aBuffer.GetDataPtr(), nullptr);
  EXPECT_EQ(aBuffer.GetDataLen(), 0);
  EXPECT_TRUE(aBuffer.AtEnd());
  EXPECT_EQ(aBuffer.ReadLong(), 0);
  EXPECT_EQ(aBuffer.ReadString(), "");
  EXPECT_EQ(aBuffer.mReadBitPos, 0);
}

TEST(Buffer, ReadingPastTheEndGivesFillerBitsThenZerosWithoutMoving) {
  Buffer aBuffer;
  aBuffer.WriteNumBits(7, 3);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(aBuffer.ReadNumBits(1, false), 1);
  EXPECT_TRUE(aBuffer.AtEnd());
  EXPECT_EQ(aBuffer.ReadNumBits(1, false), 0);  // filler bit of the last byte
  EXPECT_EQ(aBuffer.mReadBitPos, 4);
  EXPECT_EQ(aBuffer.ReadByte(), 0);  // would need a second byte
  EXPECT_EQ(aBuffer.mReadBitPos, 4);
  // ReadNumBits stops at the last stored byte and keeps what it read.
  EXPECT_EQ(aBuffer.ReadNumBits(10, false), 0);
  EXPECT_EQ(aBuffer.mReadBitPos, 8);

  Buffer aShort;
  aShort.WriteByte(0x34);
  aShort.WriteByte(0x12);
  EXPECT_EQ(aShort.ReadNumBits(32, false), 0x1234);
}

TEST(Buffer, StringLengthIsSixteenBits) {
  Buffer anEmpty;
  anEmpty.WriteString("");
  EXPECT_EQ(anEmpty.mData, Bytes({0, 0}));

  Buffer aLong;
  aLong.WriteString(std::string(40000, 'z'));
  EXPECT_EQ(aLong.GetDataLen(), 40002);
  EXPECT_EQ(aLong.ReadString(), "");  // 40000 reads back as a negative length

  Buffer aLimit;
  aLimit.WriteString(std::string(32767, 'z'));
  EXPECT_EQ(aLimit.ReadString().size(), 32767u);
}

TEST(Buffer, BooleanIsAWholeByteAndClearResetsEverything) {
  Buffer aBuffer;
  aBuffer.WriteBoolean(true);
  EXPECT_EQ(aBuffer.mDataBitSize, 8);
  EXPECT_EQ(aBuffer.mData, Bytes({1}));
  aBuffer.ReadByte();
  aBuffer.Clear();
  EXPECT_EQ(aBuffer.mDataBitSize, 0);
  EXPECT_EQ(aBuffer.mReadBitPos, 0);
  EXPECT_EQ(aBuffer.mWriteBitPos, 0);
  EXPECT_EQ(aBuffer.GetDataPtr(), nullptr);
  aBuffer.WriteByte(9);
  EXPECT_EQ(aBuffer.mData, Bytes({9}));
}

// The word-at-a-time writes leave exactly the bytes of writing one bit at a time, for every
// kind of write at every bit offset.
TEST(Buffer, WholeWordWritesMatchBitByBitWriting) {
  struct Reference {
    std::vector<uint8_t> mBytes;
    int mBits = 0;
    void Put(uint32_t theValue, int theCount) {
      for (int i = 0; i < theCount; ++i, ++mBits) {
        if ((mBits & 7) == 0) mBytes.push_back(0);
        if ((theValue >> i) & 1) mBytes.back() |= static_cast<uint8_t>(1 << (mBits & 7));
      }
    }
  };
  uint32_t aState = 2024;
  auto aNext = [&aState] {
    aState = aState * 1664525u + 1013904223u;
    return aState ^ (aState >> 16);
  };
  for (int aRound = 0; aRound < 200; ++aRound) {
    Buffer aBuffer;
    Reference aReference;
    for (int aWrite = 0; aWrite < 64; ++aWrite) {
      uint32_t v = aNext();
      switch (aNext() % 6) {
        case 0: {
          int n = static_cast<int>(aNext() % 33);
          aBuffer.WriteNumBits(static_cast<int>(v), n);
          aReference.Put(v, n);
          break;
        }
        case 1:
          aBuffer.WriteByte(static_cast<uint8_t>(v));
          aReference.Put(v & 0xFF, 8);
          break;
        case 2:
          aBuffer.WriteShort(static_cast<int16_t>(v));
          aReference.Put(v & 0xFFFF, 16);
          break;
        case 3:
          aBuffer.WriteLong(static_cast<int32_t>(v));
          aReference.Put(v, 32);
          break;
        case 4: {
          uint8_t aBlock[7];
          int n = static_cast<int>(v % 8);
          for (int i = 0; i < n; ++i) aBlock[i] = static_cast<uint8_t>(aNext());
          aBuffer.WriteBytes(aBlock, n);
          for (int i = 0; i < n; ++i) aReference.Put(aBlock[i], 8);
          break;
        }
        default:
          aBuffer.WriteBoolean((v & 1) != 0);
          aReference.Put(v & 1, 8);
          break;
      }
      ASSERT_EQ(aBuffer.mData, aReference.mBytes) << "round " << aRound << " write " << aWrite;
      ASSERT_EQ(aBuffer.mWriteBitPos, aReference.mBits);
      ASSERT_EQ(aBuffer.GetDataLen(), static_cast<int>(aReference.mBytes.size()));
    }
  }
}

#include <gtest/gtest.h>

#include "core/Buffer.h"

using namespace Tesk;

namespace {
std::vector<uint8_t> Bytes(std::initializer_list<int> theList) {
  std::vector<uint8_t> aBytes;
  for (int aValue : theList) aBytes.push_back(static_cast<uint8_t>(aValue));
  return aBytes;
}

// The stream's stored bytes.
std::vector<uint8_t> Stored(const Buffer& theBuffer) {
  const uint8_t* aData = theBuffer.GetDataPtr();
  return std::vector<uint8_t>(aData, aData + theBuffer.GetDataLen());
}
}  // namespace

TEST(Buffer, ThreeBitsThenAByteSharesTheFirstByte) {
  Buffer aBuffer;
  aBuffer.WriteNumBits(5, 3);
  aBuffer.WriteByte(0xFF);
  EXPECT_EQ(Stored(aBuffer), Bytes({0xFD, 0x07}));
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
  EXPECT_EQ(Stored(aBuffer), Bytes({0xF1, 0xAC, 0x68, 0x24, 0x00}));
  EXPECT_EQ(aBuffer.mDataBitSize, 33);

  Buffer anAligned;
  anAligned.WriteLong(0x12345678);
  anAligned.WriteShort(-2);
  EXPECT_EQ(Stored(anAligned), Bytes({0x78, 0x56, 0x34, 0x12, 0xFE, 0xFF}));
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
  EXPECT_EQ(Stored(anEmpty), Bytes({0, 0}));

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
  EXPECT_EQ(Stored(aBuffer), Bytes({1}));
  aBuffer.ReadByte();
  aBuffer.Clear();
  EXPECT_EQ(aBuffer.mDataBitSize, 0);
  EXPECT_EQ(aBuffer.mReadBitPos, 0);
  EXPECT_EQ(aBuffer.mWriteBitPos, 0);
  EXPECT_EQ(aBuffer.GetDataPtr(), nullptr);
  aBuffer.WriteByte(9);
  EXPECT_EQ(Stored(aBuffer), Bytes({9}));
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
      ASSERT_EQ(Stored(aBuffer), aReference.mBytes) << "round " << aRound << " write " << aWrite;
      ASSERT_EQ(aBuffer.mWriteBitPos, aReference.mBits);
      ASSERT_EQ(aBuffer.GetDataLen(), static_cast<int>(aReference.mBytes.size()));
    }
  }
}

namespace {
// The stream written and read one bit at a time: what every typed write and read must match.
struct BitStream {
  std::vector<uint8_t> mBytes;
  int mBits = 0;
  void Put(uint32_t theValue, int theCount) {
    for (int i = 0; i < theCount; ++i, ++mBits) {
      if ((mBits & 7) == 0) mBytes.push_back(0);
      if (i < 32 && ((theValue >> i) & 1)) mBytes.back() |= static_cast<uint8_t>(1 << (mBits & 7));
    }
  }
  // theCount bits from bit thePos, while stored bytes last; how many were read in *theRead.
  uint32_t Get(int thePos, int theCount, int* theRead) const {
    uint32_t aValue = 0;
    int i = 0;
    for (; i < theCount && (thePos + i) / 8 < static_cast<int>(mBytes.size()); ++i)
      if (i < 32 && ((mBytes[(thePos + i) / 8] >> ((thePos + i) & 7)) & 1)) aValue |= 1u << i;
    *theRead = i;
    return aValue;
  }
};

enum class Width { kBits, kByte, kBoolean, kShort, kLong, kBytes, kString };

struct WidthCase {
  Width mWidth;
  int mCount;  // bits for kBits, bytes for kBytes and kString
};
}  // namespace

// Every kind and width of write after every bit offset 0..7 leaves the bytes of writing bit by
// bit, and every read of it, whole or cut short by the end of the stored bytes, gives back the
// bit-by-bit values and moves the read position by what it took.
TEST(Buffer, EveryWidthAtEveryOffsetMatchesTheBitByBitStream) {
  std::vector<WidthCase> aCases;
  for (int n = 0; n <= 32; ++n) aCases.push_back({Width::kBits, n});
  aCases.push_back({Width::kByte, 1});
  aCases.push_back({Width::kBoolean, 1});
  aCases.push_back({Width::kShort, 2});
  aCases.push_back({Width::kLong, 4});
  for (int n : {0, 1, 2, 3, 7, 8, 9, 15, 16, 17, 31, 64, 100}) aCases.push_back({Width::kBytes, n});
  for (int n : {0, 1, 7, 8, 9, 33}) aCases.push_back({Width::kString, n});

  uint32_t aState = 7;
  auto aNext = [&aState] {
    aState = aState * 1664525u + 1013904223u;
    return aState ^ (aState >> 15);
  };
  for (int anOffset = 0; anOffset < 8; ++anOffset) {
    for (const WidthCase& aCase : aCases) {
      SCOPED_TRACE(testing::Message() << "offset " << anOffset << " width " << static_cast<int>(aCase.mWidth)
                                      << " count " << aCase.mCount);
      Buffer aBuffer;
      BitStream aReference;
      // Ones before the value, so a write that loses the byte it joins shows.
      aBuffer.WriteNumBits(-1, anOffset);
      aReference.Put(~0u, anOffset);
      const uint32_t aValue = aNext() | 0x80000001u;
      std::vector<uint8_t> aBlock(static_cast<size_t>(aCase.mCount));
      for (uint8_t& aByte : aBlock) aByte = static_cast<uint8_t>(aNext());
      switch (aCase.mWidth) {
        case Width::kBits:
          aBuffer.WriteNumBits(static_cast<int>(aValue), aCase.mCount);
          aReference.Put(aValue, aCase.mCount);
          break;
        case Width::kByte:
          aBuffer.WriteByte(static_cast<uint8_t>(aValue));
          aReference.Put(aValue & 0xFF, 8);
          break;
        case Width::kBoolean:
          aBuffer.WriteBoolean(true);
          aReference.Put(1, 8);
          break;
        case Width::kShort:
          aBuffer.WriteShort(static_cast<int16_t>(aValue));
          aReference.Put(aValue & 0xFFFF, 16);
          break;
        case Width::kLong:
          aBuffer.WriteLong(static_cast<int32_t>(aValue));
          aReference.Put(aValue, 32);
          break;
        case Width::kBytes:
          aBuffer.WriteBytes(aBlock.data(), aCase.mCount);
          for (uint8_t aByte : aBlock) aReference.Put(aByte, 8);
          break;
        case Width::kString:
          aBuffer.WriteString(std::string(aBlock.begin(), aBlock.end()));
          aReference.Put(static_cast<uint32_t>(aCase.mCount), 16);
          for (uint8_t aByte : aBlock) aReference.Put(aByte, 8);
          break;
      }
      // A few bits after it, so the next write's join is checked too.
      aBuffer.WriteNumBits(5, 3);
      aReference.Put(5, 3);
      ASSERT_EQ(Stored(aBuffer), aReference.mBytes);
      ASSERT_EQ(aBuffer.mWriteBitPos, aReference.mBits);
      ASSERT_EQ(aBuffer.mDataBitSize, aReference.mBits);

      // Reads of every width from every bit position of the stream, to its end and past it.
      for (int aPos = 0; aPos <= aReference.mBits + 8; ++aPos) {
        for (int aBits = 0; aBits <= 32; ++aBits) {
          aBuffer.mReadBitPos = aPos;
          int aRead = 0;
          const uint32_t anExpected = aReference.Get(aPos, aBits, &aRead);
          ASSERT_EQ(static_cast<uint32_t>(aBuffer.ReadNumBits(aBits, false)), anExpected)
              << aPos << " " << aBits;
          ASSERT_EQ(aBuffer.mReadBitPos, aPos + aRead);
          aBuffer.mReadBitPos = aPos;
          const bool aLastBit = aRead > 0 && ((anExpected >> (aRead - 1)) & 1) != 0;
          const uint32_t aSigned = anExpected | (aLastBit && aBits < 32 ? ~0u << aBits : 0u);
          ASSERT_EQ(static_cast<uint32_t>(aBuffer.ReadNumBits(aBits, true)), aSigned) << aPos << " " << aBits;
        }
        // Whole-byte reads take a byte only while the byte holding its last bit is stored.
        auto aBytesFrom = [&aReference](int thePos, int theCount, int* theTaken) {
          uint32_t aValue = 0;
          *theTaken = 0;
          for (int i = 0; i < theCount; ++i) {
            int aRead = 0;
            const uint32_t aByte = aReference.Get(thePos + 8 * i, 8, &aRead);
            if (aRead < 8) break;
            aValue |= aByte << (8 * i);
            ++*theTaken;
          }
          return aValue;
        };
        int aTaken = 0;
        aBuffer.mReadBitPos = aPos;
        ASSERT_EQ(aBuffer.ReadByte(), aBytesFrom(aPos, 1, &aTaken));
        ASSERT_EQ(aBuffer.mReadBitPos, aPos + 8 * aTaken);
        aBuffer.mReadBitPos = aPos;
        ASSERT_EQ(static_cast<uint16_t>(aBuffer.ReadShort()), aBytesFrom(aPos, 2, &aTaken));
        ASSERT_EQ(aBuffer.mReadBitPos, aPos + 8 * aTaken);
        aBuffer.mReadBitPos = aPos;
        ASSERT_EQ(static_cast<uint32_t>(aBuffer.ReadLong()), aBytesFrom(aPos, 4, &aTaken));
        ASSERT_EQ(aBuffer.mReadBitPos, aPos + 8 * aTaken);
        const int aLength = static_cast<int>(aBlock.size()) + 4;
        std::vector<uint8_t> aRead(static_cast<size_t>(aLength), 0xEE);
        std::vector<uint8_t> anExpected(static_cast<size_t>(aLength), 0);
        int aStored = 0;
        for (int i = 0; i < aLength; ++i) {
          int aByteTaken = 0;
          const uint32_t aByte = aBytesFrom(aPos + 8 * i, 1, &aByteTaken);
          if (aByteTaken == 0) break;
          anExpected[static_cast<size_t>(i)] = static_cast<uint8_t>(aByte);
          ++aStored;
        }
        aBuffer.mReadBitPos = aPos;
        aBuffer.ReadBytes(aRead.data(), aLength);
        ASSERT_EQ(aRead, anExpected) << aPos;
        ASSERT_EQ(aBuffer.mReadBitPos, aPos + 8 * aStored);
      }

      // And read back in order as it was written.
      aBuffer.SeekFront();
      EXPECT_EQ(aBuffer.ReadNumBits(anOffset, false), anOffset == 0 ? 0 : (1 << anOffset) - 1);
      switch (aCase.mWidth) {
        case Width::kBits:
          EXPECT_EQ(static_cast<uint32_t>(aBuffer.ReadNumBits(aCase.mCount, false)),
                    aCase.mCount < 32 ? aValue & ((1u << aCase.mCount) - 1) : aValue);
          break;
        case Width::kByte:
          EXPECT_EQ(aBuffer.ReadByte(), static_cast<uint8_t>(aValue));
          break;
        case Width::kBoolean:
          EXPECT_TRUE(aBuffer.ReadBoolean());
          break;
        case Width::kShort:
          EXPECT_EQ(aBuffer.ReadShort(), static_cast<int16_t>(aValue));
          break;
        case Width::kLong:
          EXPECT_EQ(aBuffer.ReadLong(), static_cast<int32_t>(aValue));
          break;
        case Width::kBytes: {
          std::vector<uint8_t> aBack(aBlock.size());
          aBuffer.ReadBytes(aBack.data(), aCase.mCount);
          EXPECT_EQ(aBack, aBlock);
          break;
        }
        case Width::kString:
          EXPECT_EQ(aBuffer.ReadString(), std::string(aBlock.begin(), aBlock.end()));
          break;
      }
      EXPECT_EQ(aBuffer.ReadNumBits(3, false), 5);
      EXPECT_TRUE(aBuffer.AtEnd());
    }
  }
}

TEST(Buffer, ABlockOfTheBuffersOwnBytesIsAppendedWhole) {
  for (int anOffset : {0, 3}) {
    SCOPED_TRACE(anOffset);
    Buffer aBuffer;
    aBuffer.WriteNumBits(0, anOffset);
    for (int i = 0; i < 40; ++i) aBuffer.WriteByte(static_cast<uint8_t>(i * 7 + 1));
    const std::vector<uint8_t> aBefore = Stored(aBuffer);
    // The store grows to take the copy, moving the bytes it copies from.
    aBuffer.WriteBytes(aBuffer.GetDataPtr(), aBuffer.GetDataLen());
    std::vector<uint8_t> aCopy(aBefore.size());
    aBuffer.mReadBitPos = anOffset + 40 * 8;
    aBuffer.ReadBytes(aCopy.data(), static_cast<int>(aCopy.size()));
    EXPECT_EQ(aCopy, aBefore);
    EXPECT_TRUE(aBuffer.AtEnd());
  }
}

TEST(Buffer, WritesAfterClearJoinZerosNotTheOldBytes) {
  Buffer aBuffer;
  for (int i = 0; i < 300; ++i) aBuffer.WriteByte(0xFF);
  aBuffer.Clear();
  aBuffer.WriteNumBits(1, 1);
  aBuffer.WriteLong(0);
  aBuffer.WriteNumBits(0, 20);
  EXPECT_EQ(Stored(aBuffer), Bytes({0x01, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(aBuffer.ReadNumBits(32, false), 1);
  EXPECT_EQ(aBuffer.ReadNumBits(32, false), 0);
}

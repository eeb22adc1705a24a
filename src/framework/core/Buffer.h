// A growable stream of bits with typed writes at the end and typed reads from a
// separate position. Bits go least significant first: stream bit k is bit k%8
// of byte k/8, so byte-aligned integers are plain little-endian bytes.
// Reading past the end gives zero bits and never fails.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace Tesk {

class Buffer {
 public:
  Buffer() = default;
  virtual ~Buffer() = default;

  void Clear();
  // Null when empty; valid until the next write or Clear.
  const uint8_t* GetDataPtr() const { return GetDataLen() == 0 ? nullptr : mStore.data(); }
  // Bytes that hold valid bits.
  int GetDataLen() const { return (mDataBitSize + 7) / 8; }
  void SeekFront() const { mReadBitPos = 0; }
  bool AtEnd() const { return mReadBitPos >= mDataBitSize; }

  // Bits 0 .. theBits-1 of theNum (theBits 0..32), lowest first.
  void WriteNumBits(int theNum, int theBits);
  void WriteByte(uint8_t theByte) { AppendWord(theByte, 8); }
  void WriteBytes(const uint8_t* theData, int theLen);
  void WriteShort(int16_t theShort) { AppendWord(static_cast<uint16_t>(theShort), 16); }
  void WriteLong(int32_t theLong) { AppendWord(static_cast<uint32_t>(theLong), 32); }
  // A 16-bit length, then the bytes. Lengths above 32,767 read back as empty.
  void WriteString(const std::string& theString);
  // A whole byte, 1 or 0.
  void WriteBoolean(bool theBool) { AppendWord(theBool ? 1 : 0, 8); }

  // Stops at the end of the stored bytes; with isSigned, sign-extends from the last bit read.
  int ReadNumBits(int theBits, bool isSigned) const;
  // 0 without moving when the byte would reach past the stored bytes.
  uint8_t ReadByte() const { return static_cast<uint8_t>(ReadWhole(1)); }
  // Byte by byte as ReadByte: what is not stored reads as zeros.
  void ReadBytes(uint8_t* theData, int theLen) const;
  int16_t ReadShort() const { return static_cast<int16_t>(static_cast<uint16_t>(ReadWhole(2))); }
  int32_t ReadLong() const { return static_cast<int32_t>(ReadWhole(4)); }
  std::string ReadString() const;
  bool ReadBoolean() const { return ReadByte() != 0; }

  int32_t mDataBitSize = 0;
  mutable int32_t mReadBitPos = 0;
  int32_t mWriteBitPos = 0;

 private:
  // The stream's bytes, then zeros: every bit at or past the write position is zero, so a write
  // joins the byte it starts in with an OR, and the store grows by doubling and keeps eight
  // spare bytes past that byte, so a write of up to 32 bits is one 64-bit store.
  std::vector<uint8_t> mStore;

  static uint64_t Load64(const uint8_t* theBytes) {
    uint64_t aWord;
    std::memcpy(&aWord, theBytes, sizeof(aWord));
    return IsBigEndian() ? __builtin_bswap64(aWord) : aWord;
  }
  static void Store64(uint8_t* theBytes, uint64_t theWord) {
    if (IsBigEndian()) theWord = __builtin_bswap64(theWord);
    std::memcpy(theBytes, &theWord, sizeof(theWord));
  }
  static constexpr bool IsBigEndian() {
#if defined(__BYTE_ORDER__) && __BYTE_ORDER__ == __ORDER_BIG_ENDIAN__
    return true;
#else
    return false;
#endif
  }

  // Room for theBytes bytes in the store.
  void Reserve(size_t theBytes) {
    if (theBytes > mStore.size()) Grow(theBytes);
  }
  void Grow(size_t theBytes);
  // theBits (0..32) bits of theValue, which has none above them, at the write position.
  void AppendWord(uint32_t theValue, int theBits) {
    const int32_t aPos = mWriteBitPos;
    const size_t aFirst = static_cast<size_t>(aPos >> 3);
    Reserve(aFirst + 8);
    mWriteBitPos = aPos + theBits;
    if (mWriteBitPos > mDataBitSize) mDataBitSize = mWriteBitPos;
    uint8_t* aBytes = mStore.data() + aFirst;
    // Only the first byte can hold bits already, and only off a byte boundary; loading just it
    // keeps the load inside the last write's store, where the processor forwards it.
    const uint64_t aHead = (aPos & 7) != 0 ? aBytes[0] : 0;
    Store64(aBytes, aHead | (static_cast<uint64_t>(theValue) << (aPos & 7)));
  }
  // theLen bytes: one copy where the write position is byte-aligned, else a word at a time.
  void AppendBytes(const uint8_t* theData, size_t theLen);
  // How many whole bytes reads can take from the read position: each needs the stored byte
  // that holds its last bit.
  size_t ReadableBytes() const {
    if (mReadBitPos < 0) return 0;
    const size_t aLastFirst = static_cast<size_t>((mReadBitPos + 7) >> 3);
    const size_t aLen = static_cast<size_t>(GetDataLen());
    return aLen > aLastFirst ? aLen - aLastFirst : 0;
  }
  // The eight bytes from theByte, little-endian; zeros past the stored ones.
  uint64_t PeekWord(size_t theByte) const {
    return theByte + 8 <= mStore.size() ? Load64(mStore.data() + theByte) : PeekTail(theByte);
  }
  uint64_t PeekTail(size_t theByte) const;
  // theBytes (1..4) whole bytes, or as many of them as are stored; the position moves past
  // those read.
  uint32_t ReadWhole(int theBytes) const {
    const size_t anAvailable = ReadableBytes();
    const size_t aCount =
        static_cast<size_t>(theBytes) < anAvailable ? static_cast<size_t>(theBytes) : anAvailable;
    if (aCount == 0) return 0;
    const uint64_t aWord = PeekWord(static_cast<size_t>(mReadBitPos >> 3)) >> (mReadBitPos & 7);
    mReadBitPos += static_cast<int32_t>(aCount * 8);
    return static_cast<uint32_t>(aWord & ((uint64_t{1} << (aCount * 8)) - 1));
  }
};

}  // namespace Tesk

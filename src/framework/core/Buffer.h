// A growable stream of bits with typed writes at the end and typed reads from a
// separate position. Bits go least significant first: stream bit k is bit k%8
// of byte k/8, so byte-aligned integers are plain little-endian bytes.
// Reading past the end gives zero bits and never fails.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Tesk {

class Buffer {
 public:
  Buffer() = default;
  virtual ~Buffer() = default;

  void Clear();
  // Null when empty; valid until the next write or Clear.
  const uint8_t* GetDataPtr() const;
  // Bytes that hold valid bits.
  int GetDataLen() const;
  void SeekFront() const;
  bool AtEnd() const;

  // Bits 0 .. theBits-1 of theNum (theBits 0..32), lowest first.
  void WriteNumBits(int theNum, int theBits);
  void WriteByte(uint8_t theByte);
  void WriteBytes(const uint8_t* theData, int theLen);
  void WriteShort(int16_t theShort);
  void WriteLong(int32_t theLong);
  // A 16-bit length, then the bytes. Lengths above 32,767 read back as empty.
  void WriteString(const std::string& theString);
  // A whole byte, 1 or 0.
  void WriteBoolean(bool theBool);

  // Stops at the end of the stored bytes; with isSigned, sign-extends from the last bit read.
  int ReadNumBits(int theBits, bool isSigned) const;
  // 0 without moving when the byte would reach past the stored bytes.
  uint8_t ReadByte() const;
  void ReadBytes(uint8_t* theData, int theLen) const;
  int16_t ReadShort() const;
  int32_t ReadLong() const;
  std::string ReadString() const;
  bool ReadBoolean() const;

  std::vector<uint8_t> mData;
  int32_t mDataBitSize = 0;
  mutable int32_t mReadBitPos = 0;
  int32_t mWriteBitPos = 0;

 private:
  // Appends the low theBits (0..32) of theValue at the write position as whole bytes of the
  // value shifted by the position's offset in its byte.
  void AppendBits(uint32_t theValue, int theBits);
  void NoteWriteEnd() {
    if (mWriteBitPos > mDataBitSize) mDataBitSize = mWriteBitPos;
  }
};

}  // namespace Tesk

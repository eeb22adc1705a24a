#include "core/Buffer.h"

namespace Tesk {

void Buffer::Clear() {
  mDataBitSize = 0;
  mReadBitPos = 0;
  mWriteBitPos = 0;
  mData.clear();
}

const uint8_t* Buffer::GetDataPtr() const { return mData.empty() ? nullptr : mData.data(); }

int Buffer::GetDataLen() const { return (mDataBitSize + 7) / 8; }

void Buffer::SeekFront() const { mReadBitPos = 0; }

bool Buffer::AtEnd() const { return mReadBitPos >= mDataBitSize; }

void Buffer::AppendBits(uint32_t theValue, int theBits) {
  if (theBits <= 0) return;
  uint64_t aValue = (theBits < 32 ? (theValue & ((1u << theBits) - 1)) : theValue);
  const int anOffset = mWriteBitPos & 7;
  // The last byte's bits past the write position are zero: the value's first bits join them.
  if (anOffset != 0) {
    mData.back() |= static_cast<uint8_t>(aValue << anOffset);
    aValue >>= 8 - anOffset;
  }
  mWriteBitPos += theBits;
  const size_t aSize = static_cast<size_t>((mWriteBitPos + 7) >> 3);
  while (mData.size() < aSize) {
    mData.push_back(static_cast<uint8_t>(aValue));
    aValue >>= 8;
  }
  NoteWriteEnd();
}

void Buffer::WriteNumBits(int theNum, int theBits) { AppendBits(static_cast<uint32_t>(theNum), theBits); }

void Buffer::WriteByte(uint8_t theByte) { AppendBits(theByte, 8); }

void Buffer::WriteBytes(const uint8_t* theData, int theLen) {
  if (theLen <= 0) return;
  if ((mWriteBitPos & 7) == 0) {
    mData.insert(mData.end(), theData, theData + theLen);
    mWriteBitPos += theLen * 8;
    NoteWriteEnd();
    return;
  }
  for (int i = 0; i < theLen; ++i) AppendBits(theData[i], 8);
}

void Buffer::WriteShort(int16_t theShort) { AppendBits(static_cast<uint16_t>(theShort), 16); }

void Buffer::WriteLong(int32_t theLong) { AppendBits(static_cast<uint32_t>(theLong), 32); }

void Buffer::WriteString(const std::string& theString) {
  WriteShort(static_cast<int16_t>(static_cast<uint16_t>(theString.size() & 0xFFFF)));
  for (char aChar : theString) WriteByte(static_cast<uint8_t>(aChar));
}

void Buffer::WriteBoolean(bool theBool) { WriteByte(theBool ? 1 : 0); }

int Buffer::ReadNumBits(int theBits, bool isSigned) const {
  uint32_t aValue = 0;
  bool aLastBit = false;
  for (int i = 0; i < theBits; ++i) {
    const size_t aByte = static_cast<size_t>(mReadBitPos >> 3);
    if (aByte >= mData.size()) break;
    aLastBit = ((mData[aByte] >> (mReadBitPos & 7)) & 1) != 0;
    if (aLastBit) aValue |= 1u << i;
    ++mReadBitPos;
  }
  if (isSigned && aLastBit && theBits < 32) aValue |= ~0u << theBits;
  return static_cast<int>(aValue);
}

uint8_t Buffer::ReadByte() const {
  const size_t aLast = static_cast<size_t>((mReadBitPos + 7) >> 3);
  if (aLast >= mData.size()) return 0;
  const size_t aByte = static_cast<size_t>(mReadBitPos >> 3);
  const int anOffset = mReadBitPos & 7;
  uint8_t aValue;
  if (anOffset == 0) {
    aValue = mData[aByte];
  } else {
    aValue = static_cast<uint8_t>((mData[aByte] >> anOffset) | (mData[aByte + 1] << (8 - anOffset)));
  }
  mReadBitPos += 8;
  return aValue;
}

void Buffer::ReadBytes(uint8_t* theData, int theLen) const {
  for (int i = 0; i < theLen; ++i) theData[i] = ReadByte();
}

int16_t Buffer::ReadShort() const {
  const uint16_t aLow = ReadByte();
  const uint16_t aHigh = ReadByte();
  return static_cast<int16_t>(static_cast<uint16_t>(aLow | (aHigh << 8)));
}

int32_t Buffer::ReadLong() const {
  uint32_t aValue = 0;
  for (int aShift = 0; aShift < 32; aShift += 8) aValue |= static_cast<uint32_t>(ReadByte()) << aShift;
  return static_cast<int32_t>(aValue);
}

std::string Buffer::ReadString() const {
  const int aLength = ReadShort();
  std::string aResult;
  for (int i = 0; i < aLength; ++i) aResult += static_cast<char>(ReadByte());
  return aResult;
}

bool Buffer::ReadBoolean() const { return ReadByte() != 0; }

}  // namespace Tesk

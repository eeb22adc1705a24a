#include "core/Buffer.h"

#include <algorithm>
#include <functional>

namespace Tesk {

void Buffer::Clear() {
  mDataBitSize = 0;
  mReadBitPos = 0;
  mWriteBitPos = 0;
  // Keeps the capacity; growing again writes the zeros the store's tail must hold.
  mStore.clear();
}

void Buffer::Grow(size_t theBytes) { mStore.resize(std::max({theBytes, mStore.size() * 2, size_t{64}})); }

void Buffer::WriteNumBits(int theNum, int theBits) {
  if (theBits <= 0) return;
  const uint32_t aValue = static_cast<uint32_t>(theNum);
  // Past 32 bits the stream gets zeros.
  AppendWord(theBits < 32 ? aValue & ((1u << theBits) - 1) : aValue, std::min(theBits, 32));
  if (theBits > 32) {
    mWriteBitPos += theBits - 32;
    mDataBitSize = std::max(mDataBitSize, mWriteBitPos);
    Reserve(static_cast<size_t>(mWriteBitPos >> 3) + 8);
  }
}

void Buffer::AppendBytes(const uint8_t* theData, size_t theLen) {
  if (theLen == 0) return;
  const size_t aFirst = static_cast<size_t>(mWriteBitPos >> 3);
  // A block from this buffer's own bytes would move as the store grows, or change as it is
  // written after them.
  const uint8_t* aBegin = mStore.data();
  if (!std::less<const uint8_t*>()(theData, aBegin) &&
      std::less<const uint8_t*>()(theData, aBegin + mStore.size())) {
    const std::vector<uint8_t> aCopy(theData, theData + theLen);
    AppendBytes(aCopy.data(), theLen);
    return;
  }
  Reserve(aFirst + theLen + 8);
  const int anOffset = mWriteBitPos & 7;
  mWriteBitPos += static_cast<int32_t>(theLen * 8);
  mDataBitSize = std::max(mDataBitSize, mWriteBitPos);
  uint8_t* anOut = mStore.data() + aFirst;
  if (anOffset == 0) {
    std::memcpy(anOut, theData, theLen);
    return;
  }
  // The bits still to be stored below the next output byte's first free bit.
  uint64_t aCarry = anOut[0];
  size_t i = 0;
  for (; i + 8 <= theLen; i += 8) {
    const uint64_t aWord = Load64(theData + i);
    Store64(anOut + i, aCarry | (aWord << anOffset));
    aCarry = aWord >> (64 - anOffset);
  }
  for (; i < theLen; ++i) {
    anOut[i] = static_cast<uint8_t>(aCarry | (static_cast<uint64_t>(theData[i]) << anOffset));
    aCarry = theData[i] >> (8 - anOffset);
  }
  anOut[theLen] = static_cast<uint8_t>(aCarry);
}

void Buffer::WriteBytes(const uint8_t* theData, int theLen) {
  if (theLen > 0) AppendBytes(theData, static_cast<size_t>(theLen));
}

void Buffer::WriteString(const std::string& theString) {
  AppendWord(static_cast<uint32_t>(theString.size() & 0xFFFF), 16);
  AppendBytes(reinterpret_cast<const uint8_t*>(theString.data()), theString.size());
}

uint64_t Buffer::PeekTail(size_t theByte) const {
  uint64_t aWord = 0;
  for (size_t i = theByte; i < mStore.size() && i < theByte + 8; ++i)
    aWord |= static_cast<uint64_t>(mStore[i]) << (8 * (i - theByte));
  return aWord;
}

int Buffer::ReadNumBits(int theBits, bool isSigned) const {
  if (theBits <= 0 || mReadBitPos < 0) return 0;
  // Bits of the stored bytes, the last byte's filler bits included.
  const int64_t aStored = static_cast<int64_t>(GetDataLen()) * 8 - mReadBitPos;
  const int aCount = static_cast<int>(std::min<int64_t>(theBits, std::max<int64_t>(aStored, 0)));
  if (aCount == 0) return 0;
  const uint64_t aWord = PeekWord(static_cast<size_t>(mReadBitPos >> 3)) >> (mReadBitPos & 7);
  // Bits past the 32nd are passed over.
  uint32_t aValue =
      aCount < 32 ? static_cast<uint32_t>(aWord & ((1u << aCount) - 1)) : static_cast<uint32_t>(aWord);
  mReadBitPos += aCount;
  const bool aLastBit = aCount <= 32 && ((aValue >> (aCount - 1)) & 1) != 0;
  if (isSigned && aLastBit && theBits < 32) aValue |= ~0u << theBits;
  return static_cast<int>(aValue);
}

void Buffer::ReadBytes(uint8_t* theData, int theLen) const {
  if (theLen <= 0) return;
  const size_t aLen = static_cast<size_t>(theLen);
  const size_t aCount = std::min(aLen, ReadableBytes());
  const int anOffset = mReadBitPos & 7;
  if (aCount != 0 && anOffset == 0) {
    std::memcpy(theData, mStore.data() + (mReadBitPos >> 3), aCount);
  } else if (aCount != 0) {
    // Output byte i is the high bits of input byte i and the low bits of input byte i + 1,
    // which ReadableBytes says is stored.
    const uint8_t* anIn = mStore.data() + (mReadBitPos >> 3);
    size_t i = 0;
    for (; i + 8 <= aCount; i += 8) {
      const uint64_t aWord =
          (Load64(anIn + i) >> anOffset) | (static_cast<uint64_t>(anIn[i + 8]) << (64 - anOffset));
      Store64(theData + i, aWord);
    }
    for (; i < aCount; ++i)
      theData[i] = static_cast<uint8_t>((anIn[i] >> anOffset) | (anIn[i + 1] << (8 - anOffset)));
  }
  // What is not stored reads as zeros, and the position stays after the last byte read.
  if (aCount < aLen) std::memset(theData + aCount, 0, aLen - aCount);
  mReadBitPos += static_cast<int32_t>(aCount * 8);
}

std::string Buffer::ReadString() const {
  const int aLength = ReadShort();
  if (aLength <= 0) return std::string();
  std::string aResult(static_cast<size_t>(aLength), '\0');
  ReadBytes(reinterpret_cast<uint8_t*>(&aResult[0]), aLength);
  return aResult;
}

}  // namespace Tesk

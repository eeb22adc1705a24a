// Little-endian fields read one by one from bytes in memory. A read past the end
// gives zeros and marks the reader failed, so a parser checks once at the end
// and never touches a byte outside the buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

namespace Tesk {

class ByteReader {
 public:
  ByteReader(const void* theData, size_t theSize)
      : mData(static_cast<const uint8_t*>(theData)), mSize(theSize) {}

  uint8_t u8() { return Take(1) ? mData[mPos - 1] : 0; }
  uint16_t u16() {
    if (!Take(2)) return 0;
    const uint8_t* p = mData + mPos - 2;
    return static_cast<uint16_t>(p[0] | p[1] << 8);
  }
  uint32_t u32() {
    if (!Take(4)) return 0;
    const uint8_t* p = mData + mPos - 4;
    return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24;
  }
  int32_t i32() { return static_cast<int32_t>(u32()); }
  float f32() {
    const uint32_t aBits = u32();
    float aValue;
    std::memcpy(&aValue, &aBits, 4);
    return aValue;
  }
  void skip(size_t theCount) { Take(theCount); }
  // Copies theCount bytes, or zeros when they are not all there.
  void bytes(void* theOut, size_t theCount) {
    if (Take(theCount))
      std::memcpy(theOut, mData + mPos - theCount, theCount);
    else
      std::memset(theOut, 0, theCount);
  }
  void seek(size_t thePos) {
    if (thePos > mSize) {
      mFailed = true;
      mPos = mSize;
    } else {
      mPos = thePos;
    }
  }

  size_t pos() const { return mPos; }
  size_t size() const { return mSize; }
  size_t left() const { return mSize - mPos; }
  bool failed() const { return mFailed; }

 private:
  bool Take(size_t theCount) {
    if (theCount > mSize - mPos) {
      mFailed = true;
      mPos = mSize;
      return false;
    }
    mPos += theCount;
    return true;
  }

  const uint8_t* mData;
  size_t mSize;
  size_t mPos = 0;
  bool mFailed = false;
};

}  // namespace Tesk

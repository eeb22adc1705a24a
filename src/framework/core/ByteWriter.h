// Little-endian fields appended one by one to a byte string: every file the game
// writes is laid out field by field, never copied from a struct.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>

namespace Tesk {

class ByteWriter {
 public:
  void u8(uint32_t theValue) { mBytes.push_back(static_cast<char>(theValue & 0xFF)); }
  void u16(uint32_t theValue) {
    u8(theValue);
    u8(theValue >> 8);
  }
  void u32(uint32_t theValue) {
    u16(theValue & 0xFFFF);
    u16(theValue >> 16);
  }
  void i32(int32_t theValue) { u32(static_cast<uint32_t>(theValue)); }
  void f32(float theValue) {
    uint32_t aBits;
    std::memcpy(&aBits, &theValue, 4);
    u32(aBits);
  }
  void zeros(size_t theCount) { mBytes.append(theCount, '\0'); }
  void bytes(const void* theData, size_t theCount) {
    mBytes.append(static_cast<const char*>(theData), theCount);
  }

  const std::string& str() const { return mBytes; }
  size_t size() const { return mBytes.size(); }

 private:
  std::string mBytes;
};

}  // namespace Tesk

// The basic Mac types every stand-in shares. The typedefs match the ones the
// Carbon stand-in declares, so both headers can meet in one file. The common
// result codes (noErr, paramErr, memFullErr) belong to the Carbon types; code
// here compares with 0 and names its own codes.
#pragma once

#include <cstdint>

typedef int32_t OSStatus;
typedef int16_t OSErr;
typedef uint32_t OSType;
typedef unsigned long ItemCount;

// 'pclk' and friends without multi-character literals.
constexpr OSType MakeFourCharCode(const char (&theText)[5]) {
  return (static_cast<OSType>(static_cast<unsigned char>(theText[0])) << 24) |
         (static_cast<OSType>(static_cast<unsigned char>(theText[1])) << 16) |
         (static_cast<OSType>(static_cast<unsigned char>(theText[2])) << 8) |
         static_cast<OSType>(static_cast<unsigned char>(theText[3]));
}

// The Mac's 8-bit character set: key events carry their characters in it, and the
// framework's 8-bit texts are written in it.
#pragma once

#include <cstdint>

// The Mac Roman byte of a Unicode character, or 0 when it has none.
unsigned char UnicodeToMacRoman(uint32_t theChar);
uint32_t MacRomanToUnicode(unsigned char theByte);

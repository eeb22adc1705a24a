// The Mac's 8-bit character set, in which key events carry their characters.
#pragma once

#include <cstdint>

// The Mac Roman byte of a Unicode character, or 0 when it has none.
unsigned char UnicodeToMacRoman(uint32_t theChar);
uint32_t MacRomanToUnicode(unsigned char theByte);

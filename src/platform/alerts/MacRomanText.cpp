#include "platform/alerts/MacRomanText.h"

#include <cstdint>

#include "platform/coreservices/MacRoman.h"

std::string MacRomanToUtf8(const std::string& theText) {
  std::string aResult;
  aResult.reserve(theText.size());
  for (char aChar : theText) {
    const uint32_t aCode = MacRomanToUnicode(static_cast<unsigned char>(aChar));
    if (aCode < 0x80) {
      aResult += static_cast<char>(aCode);
    } else if (aCode < 0x800) {
      aResult += static_cast<char>(0xC0 | (aCode >> 6));
      aResult += static_cast<char>(0x80 | (aCode & 0x3F));
    } else {
      aResult += static_cast<char>(0xE0 | (aCode >> 12));
      aResult += static_cast<char>(0x80 | ((aCode >> 6) & 0x3F));
      aResult += static_cast<char>(0x80 | (aCode & 0x3F));
    }
  }
  return aResult;
}

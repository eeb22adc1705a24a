#include "StringTableWriter.h"

#include <cstdint>
#include <cstdio>

namespace TeskTools {

namespace {

void PutU16(std::string& theOut, uint32_t theValue) {
  theOut += static_cast<char>(theValue & 0xFF);
  theOut += static_cast<char>((theValue >> 8) & 0xFF);
}

}  // namespace

std::string RawStringRecord(uint16_t theCount, const std::u16string& theUnits) {
  std::string anOut;
  PutU16(anOut, theCount);
  for (char16_t aUnit : theUnits) PutU16(anOut, aUnit);
  return anOut;
}

std::string StringTableBytes(const std::vector<std::wstring>& theRecords) {
  std::string anOut;
  for (const std::wstring& aText : theRecords) {
    std::u16string aUnits;
    for (wchar_t c : aText) {
      const uint32_t aCode = static_cast<uint32_t>(c);
      if (aCode > 0xFFFF) {
        aUnits += static_cast<char16_t>(0xD800 + ((aCode - 0x10000) >> 10));
        aUnits += static_cast<char16_t>(0xDC00 + ((aCode - 0x10000) & 0x3FF));
      } else {
        aUnits += static_cast<char16_t>(aCode);
      }
    }
    aUnits += u'\0';
    anOut += RawStringRecord(static_cast<uint16_t>(aUnits.size()), aUnits);
  }
  return anOut;
}

bool WriteStringTable(const std::string& thePath, const std::vector<std::wstring>& theRecords) {
  const std::string aBytes = StringTableBytes(theRecords);
  FILE* aFile = std::fopen(thePath.c_str(), "wb");
  if (aFile == nullptr) return false;
  const bool ok = std::fwrite(aBytes.data(), 1, aBytes.size(), aFile) == aBytes.size();
  return std::fclose(aFile) == 0 && ok;
}

}  // namespace TeskTools

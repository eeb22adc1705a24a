#include "StringTableWriter.h"

#include <cstdio>

namespace TeskTools {

namespace {

void PutU16(std::string& theOut, uint32_t theValue) {
  theOut.push_back(static_cast<char>(theValue & 0xFF));
  theOut.push_back(static_cast<char>((theValue >> 8) & 0xFF));
}

}  // namespace

std::u16string ToUtf16(const std::wstring& theText) {
  std::u16string aUnits;
  for (wchar_t c : theText) {
    const uint32_t aCode = static_cast<uint32_t>(c);
    if (aCode > 0xFFFF) {
      const uint32_t aRest = aCode - 0x10000;
      aUnits.push_back(static_cast<char16_t>(0xD800 + (aRest >> 10)));
      aUnits.push_back(static_cast<char16_t>(0xDC00 + (aRest & 0x3FF)));
    } else {
      aUnits.push_back(static_cast<char16_t>(aCode));
    }
  }
  return aUnits;
}

std::string RawStringRecordBytes(uint16_t theCount, const std::u16string& theUnits) {
  std::string aBytes;
  PutU16(aBytes, theCount);
  for (char16_t u : theUnits) PutU16(aBytes, u);
  return aBytes;
}

std::string StringRecordBytes(const std::wstring& theText) {
  std::u16string aUnits = ToUtf16(theText);
  aUnits.push_back(0);
  return RawStringRecordBytes(static_cast<uint16_t>(aUnits.size()), aUnits);
}

std::string StringTableBytes(const std::vector<std::wstring>& theRecords) {
  std::string aBytes;
  for (const std::wstring& aText : theRecords) aBytes += StringRecordBytes(aText);
  return aBytes;
}

bool WriteStringTable(const std::string& thePath, const std::vector<std::wstring>& theRecords) {
  const std::string aBytes = StringTableBytes(theRecords);
  FILE* aFile = std::fopen(thePath.c_str(), "wb");
  if (aFile == nullptr) return false;
  const bool ok = std::fwrite(aBytes.data(), 1, aBytes.size(), aFile) == aBytes.size();
  return std::fclose(aFile) == 0 && ok;
}

}  // namespace TeskTools

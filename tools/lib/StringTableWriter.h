#pragma once
// Writer of the game's string table (str.str): no header, then records of a u16
// unit count (the terminating 0 included) followed by that many UTF-16LE units.
// The asset generator and the tests' fixtures both use it.
#include <cstdint>
#include <string>
#include <vector>

namespace TeskTools {

// Text as UTF-16 units (characters above U+FFFF become surrogate pairs), no terminator.
std::u16string ToUtf16(const std::wstring& theText);

// One record: the count, the units and the terminating 0.
std::string StringRecordBytes(const std::wstring& theText);

// One record with a count of its own and the units exactly as given, for damaged
// tables (a count of 0, a count that runs past the end of the file).
std::string RawStringRecordBytes(uint16_t theCount, const std::u16string& theUnits);

// The records back to back.
std::string StringTableBytes(const std::vector<std::wstring>& theRecords);

bool WriteStringTable(const std::string& thePath, const std::vector<std::wstring>& theRecords);

}  // namespace TeskTools

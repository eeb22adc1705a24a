// Writes string tables in the layout the game reads: per record a u16 unit count that includes
// the terminating 0 unit, then the text as UTF-16LE units ending in that 0. No header.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace TeskTools {

// The records as table bytes; characters above U+FFFF become surrogate pairs.
std::string StringTableBytes(const std::vector<std::wstring>& theRecords);

// One record exactly as given: theUnits follow the count theCount, unchecked, so tests can
// write records without their 0 unit or with a count of 0.
std::string RawStringRecord(uint16_t theCount, const std::u16string& theUnits);

bool WriteStringTable(const std::string& thePath, const std::vector<std::wstring>& theRecords);

}  // namespace TeskTools

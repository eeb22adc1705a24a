#pragma once
// Damaged and old-style files for the tests of the game's readers, made by the same
// writers as the real ones.
#include <string>

#include "ProfileFilesWriter.h"

namespace GameAssets {

// The game's string table cut after its first theCount records.
std::string ShortStringTableBytes(int theCount);

// The whole table, with record theRecord (1 to 399) stored with a count of 0 and no
// units: the record the loader must not read past.
std::string StringTableWithEmptyRecordBytes(int theRecord);

// A plausible profile file of the older layout that the loader converts: two players
// in the middle of their games (one timed, one relaxed), two free slots, best times
// for the first chapters and a full hall of fame.
TeskTools::LegacyProfileFile LegacyProfile();
std::string LegacyProfileFileBytes();

}  // namespace GameAssets

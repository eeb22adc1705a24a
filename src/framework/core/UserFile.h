// Files the game keeps for its players (profiles, level saves): read whole with a size
// limit, and written so that a process killed mid-save leaves the previous file whole.
#pragma once

#include <cstddef>
#include <string>

namespace Tesk {

enum class UserFileRead { Ok, Missing, Unreadable, TooLarge };

// Reads the whole file into *theBytes; a file longer than theMaxBytes is not read. A relative
// path (the name in a data folder that could not be made) reads as missing.
UserFileRead ReadUserFile(const std::string& thePath, size_t theMaxBytes, std::string* theBytes);

// Writes a temporary file beside thePath, flushes it and renames it over thePath, then gives
// everybody read and write access (never execute). False, with thePath untouched, on failure,
// and for a relative path (the name in a data folder that could not be made).
bool WriteUserFile(const std::string& thePath, const std::string& theBytes);

}  // namespace Tesk

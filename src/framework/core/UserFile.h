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

// Moves a file the game refused to read out of the way of the next save, under the first free
// name thePath + ".corrupt1", ".corrupt2", ...: an earlier kept file is never overwritten.
// Gives the name it is kept under, or an empty string when it could not be kept.
std::string KeepRefusedUserFile(const std::string& thePath);

// Removes the temporary files beside thePath that writers killed mid-save left behind.
void RemoveDeadWritersFiles(const std::string& thePath);

}  // namespace Tesk

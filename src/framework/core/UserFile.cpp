#include "core/UserFile.h"

#include <sys/stat.h>

#include <cstdio>

#include "platform/corefoundation/PreferencesFile.h"

namespace Tesk {

UserFileRead ReadUserFile(const std::string& thePath, size_t theMaxBytes, std::string* theBytes) {
  theBytes->clear();
  // As for writing: a relative path is a name in a data folder that could not be made, and the
  // working folder (the resources) holds no player's files.
  if (thePath.empty() || thePath[0] != '/') return UserFileRead::Missing;
  FILE* aFile = std::fopen(thePath.c_str(), "rb");
  if (aFile == nullptr) return UserFileRead::Missing;
  // One byte past the limit tells an oversized file from one of exactly the limit.
  std::string aBytes(theMaxBytes + 1, '\0');
  const size_t aRead = std::fread(&aBytes[0], 1, aBytes.size(), aFile);
  const bool aFailed = std::ferror(aFile) != 0;
  std::fclose(aFile);
  if (aFailed) return UserFileRead::Unreadable;
  if (aRead > theMaxBytes) return UserFileRead::TooLarge;
  aBytes.resize(aRead);
  *theBytes = std::move(aBytes);
  return UserFileRead::Ok;
}

bool WriteUserFile(const std::string& thePath, const std::string& theBytes) {
  // A relative path is a name in a data folder that could not be made: not written anywhere.
  if (thePath.empty() || thePath[0] != '/') return false;
  if (!PreferencesFile::WriteAtomically(thePath, theBytes)) return false;
  // Shared with every user of the machine, as the game always did, but a data file is never
  // made executable.
  chmod(thePath.c_str(), 0666);
  return true;
}

std::string KeepRefusedUserFile(const std::string& thePath) {
  // As for writing: a relative path names no data folder.
  if (thePath.empty() || thePath[0] != '/') return std::string();
  return PreferencesFile::KeepRefused(thePath);
}

void RemoveDeadWritersFiles(const std::string& thePath) {
  if (!thePath.empty() && thePath[0] == '/') PreferencesFile::RemoveDeadWritersFiles(thePath);
}

}  // namespace Tesk

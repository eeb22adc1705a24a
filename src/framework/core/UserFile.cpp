#include "core/UserFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/corefoundation/PreferencesFile.h"

namespace Tesk {

namespace {

// Numbers past this are not tried: a folder that full of refused files is not filled further.
constexpr int k_maxKeptFiles = 999;
constexpr size_t k_maxCopiedBytes = 64u << 20;

// theBytes as a new file theAside; false, writing nothing over it, when the name is taken.
bool WriteNewFile(const std::string& theAside, const std::string& theBytes, bool* isTaken) {
  const int aFile = open(theAside.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0666);
  *isTaken = aFile < 0 && errno == EEXIST;
  if (aFile < 0) return false;
  size_t aDone = 0;
  while (aDone < theBytes.size()) {
    const ssize_t aWritten = write(aFile, theBytes.data() + aDone, theBytes.size() - aDone);
    if (aWritten < 0 && errno == EINTR) continue;
    if (aWritten <= 0) break;
    aDone += static_cast<size_t>(aWritten);
  }
  const bool isWhole = aDone == theBytes.size() && fsync(aFile) == 0;
  if (close(aFile) != 0 || !isWhole) {
    unlink(theAside.c_str());
    return false;
  }
  return true;
}

// thePath under the second name theAside, unless that name is taken (a link never replaces one).
bool LinkNew(const std::string& thePath, const std::string& theAside, bool* isTaken) {
  const bool isLinked = link(thePath.c_str(), theAside.c_str()) == 0;
  *isTaken = !isLinked && errno == EEXIST;
  return isLinked;
}

}  // namespace

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
  std::string aCopy;
  bool isCopying = false;
  for (int n = 1; n <= k_maxKeptFiles; ++n) {
    const std::string anAside = thePath + ".corrupt" + std::to_string(n);
    bool isTaken = false;
    bool isKept = isCopying ? WriteNewFile(anAside, aCopy, &isTaken) : LinkNew(thePath, anAside, &isTaken);
    if (!isKept && !isTaken && !isCopying) {
      // A folder that cannot give a file a second name gets a copy of it instead.
      if (ReadUserFile(thePath, k_maxCopiedBytes, &aCopy) != UserFileRead::Ok) return std::string();
      isCopying = true;
      isKept = WriteNewFile(anAside, aCopy, &isTaken);
    }
    if (isKept) {
      unlink(thePath.c_str());
      return anAside;
    }
    if (!isTaken) return std::string();
  }
  return std::string();
}

void RemoveDeadWritersFiles(const std::string& thePath) {
  if (!thePath.empty() && thePath[0] == '/') PreferencesFile::RemoveDeadWritersFiles(thePath);
}

}  // namespace Tesk

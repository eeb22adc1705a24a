#include "platform/corefoundation/PreferencesFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <mutex>
#include <set>

namespace {

// Version 2 files end with kEnd: one that does not was cut short. Version 1 files had no
// marker and still read as they always did.
const std::string kHeader = "# Tesk preferences 2";
const std::string kEnd = "# end";

std::atomic<void (*)()> sBeforeRename{nullptr};

int HexValue(char theChar) {
  if (theChar >= '0' && theChar <= '9') return theChar - '0';
  if (theChar >= 'A' && theChar <= 'F') return theChar - 'A' + 10;
  if (theChar >= 'a' && theChar <= 'f') return theChar - 'a' + 10;
  return -1;
}

std::string Escape(const std::string& theText) {
  std::string aResult;
  for (char aChar : theText) {
    switch (aChar) {
      case '%':
        aResult += "%25";
        break;
      case '#':
        // A key path starting with it would make its line read as a comment.
        aResult += "%23";
        break;
      case '\t':
        aResult += "%09";
        break;
      case '\n':
        aResult += "%0A";
        break;
      case '\r':
        aResult += "%0D";
        break;
      default:
        aResult += aChar;
    }
  }
  return aResult;
}

bool Unescape(const std::string& theText, std::string* theResult) {
  theResult->clear();
  for (size_t i = 0; i < theText.size(); ++i) {
    if (theText[i] != '%') {
      *theResult += theText[i];
      continue;
    }
    if (i + 2 >= theText.size()) return false;
    const int aHigh = HexValue(theText[i + 1]);
    const int aLow = HexValue(theText[i + 2]);
    if (aHigh < 0 || aLow < 0) return false;
    *theResult += static_cast<char>(aHigh * 16 + aLow);
    i += 2;
  }
  return true;
}

bool DecodeHex(const std::string& theText, std::vector<uint8_t>* theBytes) {
  if (theText.size() % 2 != 0) return false;
  theBytes->clear();
  for (size_t i = 0; i < theText.size(); i += 2) {
    const int aHigh = HexValue(theText[i]);
    const int aLow = HexValue(theText[i + 1]);
    if (aHigh < 0 || aLow < 0) return false;
    theBytes->push_back(static_cast<uint8_t>(aHigh * 16 + aLow));
  }
  return true;
}

bool ParseLine(const std::string& theLine, std::string* theKey, std::string* theName,
               std::vector<uint8_t>* theBytes, const char** theProblem) {
  const size_t aFirst = theLine.find('\t');
  const size_t aSecond = aFirst == std::string::npos ? std::string::npos : theLine.find('\t', aFirst + 1);
  if (aSecond == std::string::npos || theLine.find('\t', aSecond + 1) != std::string::npos) {
    *theProblem = "expected three fields separated by tabs";
    return false;
  }
  if (!Unescape(theLine.substr(0, aFirst), theKey) ||
      !Unescape(theLine.substr(aFirst + 1, aSecond - aFirst - 1), theName)) {
    *theProblem = "bad %-escape in a name";
    return false;
  }
  if (theKey->empty() || theName->empty()) {
    *theProblem = "empty key path or value name";
    return false;
  }
  if (!DecodeHex(theLine.substr(aSecond + 1), theBytes)) {
    *theProblem = "value is not an even run of hex digits";
    return false;
  }
  return true;
}

std::string FolderOf(const std::string& thePath) {
  const size_t aSlash = thePath.rfind('/');
  return aSlash == std::string::npos ? "." : aSlash == 0 ? "/" : thePath.substr(0, aSlash);
}

// A writer killed between creating its temporary file and the rename leaves the file behind;
// each one named after a process that no longer exists goes. A live writer's stays.
void RemoveDeadWritersFilesIn(const std::string& theFolder, const std::string& thePrefix) {
  DIR* aDir = opendir(theFolder.c_str());
  if (aDir == nullptr) return;
  while (const dirent* anEntry = readdir(aDir)) {
    const std::string aName = anEntry->d_name;
    const std::string aDigits = aName.substr(std::min(aName.size(), thePrefix.size()));
    if (aName.compare(0, thePrefix.size(), thePrefix) != 0 || aDigits.empty() || aDigits.size() > 9 ||
        aDigits.find_first_not_of("0123456789") != std::string::npos)
      continue;
    const pid_t aPid = static_cast<pid_t>(std::stol(aDigits));
    if (aPid > 0 && aPid != getpid() && kill(aPid, 0) != 0 && errno == ESRCH)
      unlink((theFolder + "/" + aName).c_str());
  }
  closedir(aDir);
}

// Numbers past this are not tried: a folder that full of refused files is not filled further.
constexpr int k_maxKeptFiles = 999;
// A refused file larger than this is not copied where it cannot be linked.
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

// The whole file, when it is there, can be read and is not larger than theMaxBytes.
bool ReadWhole(const std::string& thePath, size_t theMaxBytes, std::string* theBytes) {
  std::FILE* aFile = std::fopen(thePath.c_str(), "rb");
  if (aFile == nullptr) return false;
  // One byte past the limit tells an oversized file from one of exactly the limit.
  std::string aBytes(theMaxBytes + 1, '\0');
  const size_t aRead = std::fread(&aBytes[0], 1, aBytes.size(), aFile);
  const bool aFailed = std::ferror(aFile) != 0;
  std::fclose(aFile);
  if (aFailed || aRead > theMaxBytes) return false;
  aBytes.resize(aRead);
  *theBytes = std::move(aBytes);
  return true;
}

// A writer that died leaves its file only before this process writes there: the sweep runs
// once per file a process writes, not on every save.
bool IsFirstWriteTo(const std::string& thePath) {
  static std::mutex sLock;
  static std::set<std::string> sSwept;
  std::lock_guard<std::mutex> aHold(sLock);
  return sSwept.insert(thePath).second;
}

}  // namespace

bool PreferencesFile::Parse(const std::string& theText, Store* theStore, std::string* theError) {
  bool anOk = true;
  auto aReport = [&](int theLine, const std::string& theProblem) {
    if (anOk && theError != nullptr) *theError = "line " + std::to_string(theLine) + ": " + theProblem;
    anOk = false;
  };
  size_t aLength = theText.size();
  bool aCut = false;
  if (theText.compare(0, kHeader.size() + 1, kHeader + "\n") == 0) {
    const std::string aTail = "\n" + kEnd + "\n";
    if (aLength >= aTail.size() && theText.compare(aLength - aTail.size(), aTail.size(), aTail) == 0) {
      aLength -= kEnd.size() + 1;
    } else {
      // Cut short: an unfinished last line may have lost part of its value, so only whole
      // lines are read.
      aCut = true;
      aLength = theText.rfind('\n') + 1;
    }
  }
  size_t aStart = 0;
  int aLineNumber = 0;
  while (aStart < aLength) {
    size_t anEnd = theText.find('\n', aStart);
    if (anEnd == std::string::npos || anEnd > aLength) anEnd = aLength;
    std::string aLine = theText.substr(aStart, anEnd - aStart);
    aStart = anEnd + 1;
    ++aLineNumber;
    if (!aLine.empty() && aLine.back() == '\r') aLine.pop_back();
    if (aLine.empty() || aLine[0] == '#') continue;
    std::string aKey, aName;
    std::vector<uint8_t> aBytes;
    const char* aProblem = "";
    if (ParseLine(aLine, &aKey, &aName, &aBytes, &aProblem)) {
      (*theStore)[aKey][aName] = aBytes;
    } else {
      aReport(aLineNumber, aProblem);
    }
  }
  if (aCut) aReport(aLineNumber + 1, "the file ends before its end marker");
  return anOk;
}

std::string PreferencesFile::Format(const Store& theStore) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string aText = kHeader + "\n";
  for (const auto& aKey : theStore) {
    for (const auto& aValue : aKey.second) {
      aText += Escape(aKey.first);
      aText += '\t';
      aText += Escape(aValue.first);
      aText += '\t';
      for (uint8_t aByte : aValue.second) {
        aText += kHex[aByte >> 4];
        aText += kHex[aByte & 15];
      }
      aText += '\n';
    }
  }
  return aText + kEnd + "\n";
}

bool PreferencesFile::Read(const std::string& thePath, Store* theStore, std::string* theError) {
  theStore->clear();
  std::FILE* aFile = std::fopen(thePath.c_str(), "rb");
  if (aFile == nullptr) {
    if (errno == ENOENT) return true;
    if (theError != nullptr) *theError = "cannot open " + thePath;
    return false;
  }
  std::string aText;
  char aChunk[4096];
  size_t aRead;
  while ((aRead = std::fread(aChunk, 1, sizeof(aChunk), aFile)) > 0) aText.append(aChunk, aRead);
  const bool aReadFailed = std::ferror(aFile) != 0;
  std::fclose(aFile);
  if (aReadFailed) {
    if (theError != nullptr) *theError = "cannot read " + thePath;
    return false;
  }
  return Parse(aText, theStore, theError);
}

bool PreferencesFile::WriteAtomically(const std::string& thePath, const std::string& theBytes) {
  const size_t aSlash = thePath.rfind('/');
  const std::string aFolder = FolderOf(thePath);
  if (aSlash != std::string::npos && aSlash > 0) {
    for (size_t aPos = 1; aPos <= aFolder.size(); ++aPos) {
      if (aPos == aFolder.size() || aFolder[aPos] == '/') mkdir(aFolder.substr(0, aPos).c_str(), 0777);
    }
  }
  if (IsFirstWriteTo(thePath)) RemoveDeadWritersFiles(thePath);
  const std::string aTemp = thePath + ".tmp" + std::to_string(getpid());
  const int aFile = open(aTemp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
  if (aFile < 0) return false;
  size_t aDone = 0;
  bool anOk = true;
  while (aDone < theBytes.size()) {
    const ssize_t aWritten = write(aFile, theBytes.data() + aDone, theBytes.size() - aDone);
    if (aWritten < 0 && errno == EINTR) continue;
    if (aWritten <= 0) {
      anOk = false;
      break;
    }
    aDone += static_cast<size_t>(aWritten);
  }
  if (anOk && fsync(aFile) != 0) anOk = false;
  if (close(aFile) != 0) anOk = false;
  if (anOk) {
    if (void (*aHook)() = sBeforeRename.load()) aHook();
    anOk = rename(aTemp.c_str(), thePath.c_str()) == 0;
  }
  if (!anOk) {
    unlink(aTemp.c_str());
    return false;
  }
  // The rename lives in the folder: until the folder reaches the disk, a power loss may bring
  // the old file back. A folder that cannot be synced still holds the new file.
  const int aFolderFile = open(aFolder.c_str(), O_RDONLY | O_DIRECTORY);
  if (aFolderFile >= 0) {
    fsync(aFolderFile);
    close(aFolderFile);
  }
  return true;
}

void PreferencesFile::RemoveDeadWritersFiles(const std::string& thePath) {
  RemoveDeadWritersFilesIn(FolderOf(thePath), thePath.substr(thePath.rfind('/') + 1) + ".tmp");
}

std::string PreferencesFile::KeepRefused(const std::string& thePath) {
  std::string aCopy;
  bool isCopying = false;
  for (int n = 1; n <= k_maxKeptFiles; ++n) {
    const std::string anAside = thePath + ".corrupt" + std::to_string(n);
    bool isTaken = false;
    bool isKept = isCopying ? WriteNewFile(anAside, aCopy, &isTaken) : LinkNew(thePath, anAside, &isTaken);
    if (!isKept && !isTaken && !isCopying) {
      // A folder that cannot give a file a second name gets a copy of it instead.
      if (!ReadWhole(thePath, k_maxCopiedBytes, &aCopy)) return std::string();
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

void PreferencesFile::SetBeforeRenameHook(void (*theHook)()) { sBeforeRename.store(theHook); }

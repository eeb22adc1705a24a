#include "platform/corefoundation/PreferencesFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>

namespace {

const char kHeader[] = "# Tesk preferences 1";

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

}  // namespace

bool PreferencesFile::Parse(const std::string& theText, Store* theStore, std::string* theError) {
  bool anOk = true;
  size_t aStart = 0;
  int aLineNumber = 0;
  while (aStart < theText.size()) {
    size_t anEnd = theText.find('\n', aStart);
    if (anEnd == std::string::npos) anEnd = theText.size();
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
    } else if (anOk) {
      anOk = false;
      if (theError != nullptr) *theError = "line " + std::to_string(aLineNumber) + ": " + aProblem;
    }
  }
  return anOk;
}

std::string PreferencesFile::Format(const Store& theStore) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string aText = std::string(kHeader) + "\n";
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
  return aText;
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
  if (aSlash != std::string::npos && aSlash > 0) {
    const std::string aFolder = thePath.substr(0, aSlash);
    for (size_t aPos = 1; aPos <= aFolder.size(); ++aPos) {
      if (aPos == aFolder.size() || aFolder[aPos] == '/') mkdir(aFolder.substr(0, aPos).c_str(), 0777);
    }
  }
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
  if (!anOk) unlink(aTemp.c_str());
  return anOk;
}

void PreferencesFile::SetBeforeRenameHook(void (*theHook)()) { sBeforeRename.store(theHook); }

#include "resources/PakInterface.h"

#include <fcntl.h>
#include <strings.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <utility>
#include <vector>

#include "resources/PakPlatform.h"

// The current interface; the global one below makes itself current as it is built.
static PakInterfaceBase* gPakCurrent = nullptr;
PakInterfaceBase** gPakInterfaceP = &gPakCurrent;
PakInterface* gPakInterface = new PakInterface();

PFILE* PakInterfaceBase::FOpen(const wchar_t*, const wchar_t*) { return nullptr; }

wchar_t* PakInterfaceBase::FGetS(wchar_t* thePtr, int, PFILE*) { return thePtr; }

namespace {

uint32_t ReadU32(const uint8_t* theData) {
  uint32_t aValue = 0;
  for (int i = 3; i >= 0; --i)
    aValue = (aValue << 8) | static_cast<uint8_t>(theData[i] ^ PakInterface::k_Mask);
  return aValue;
}

uint64_t ReadU64(const uint8_t* theData) {
  return static_cast<uint64_t>(ReadU32(theData)) | (static_cast<uint64_t>(ReadU32(theData + 4)) << 32);
}

bool IsReadAccess(const char* theAccess) {
  return strcasecmp(theAccess, "r") == 0 || strcasecmp(theAccess, "rb") == 0 ||
         strcasecmp(theAccess, "rt") == 0;
}

struct DirEntry {
  std::string mName;
  uint64_t mFileTime;
  uint64_t mOffset;  // from the start of the data
  uint32_t mSize;
};

// Reads the directory straight from the mapping. False when it does not end inside the file;
// theDataStart receives the offset just past the end flag.
bool ParseDirectory(const uint8_t* theData, size_t theSize, std::vector<DirEntry>& theEntries,
                    size_t& theDataStart) {
  size_t aPos = 8;
  uint64_t aRunning = 0;
  for (;;) {
    if (aPos >= theSize) return false;
    uint8_t aFlags = theData[aPos++] ^ PakInterface::k_Mask;
    if (aFlags & 0x80) break;
    if (aPos >= theSize) return false;
    size_t aNameLen = theData[aPos++] ^ PakInterface::k_Mask;
    if (theSize - aPos < aNameLen + 12) return false;
    DirEntry anEntry;
    anEntry.mName.resize(aNameLen);
    for (size_t i = 0; i < aNameLen; ++i)
      anEntry.mName[i] = static_cast<char>(theData[aPos + i] ^ PakInterface::k_Mask);
    aPos += aNameLen;
    anEntry.mSize = ReadU32(theData + aPos);
    anEntry.mFileTime = ReadU64(theData + aPos + 4);
    aPos += 12;
    anEntry.mOffset = aRunning;
    aRunning += anEntry.mSize;
    theEntries.push_back(std::move(anEntry));
  }
  theDataStart = aPos;
  return true;
}

}  // namespace

PakInterface::PakInterface() {
  if (GetPakPtr() == nullptr) *gPakInterfaceP = this;
}

PakInterface::~PakInterface() {
  if (*gPakInterfaceP == this) *gPakInterfaceP = nullptr;
  for (PakCollection& aCollection : mCollections) {
    munmap(const_cast<uint8_t*>(aCollection.mMappedData), static_cast<size_t>(aCollection.mMappedSize));
    close(aCollection.mFileDesc);
  }
}

std::string PakInterface::StringToUpper(const std::string& theString) {
  std::string aResult = theString;
  for (char& c : aResult)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return aResult;
}

std::string PakInterface::FixFileName(const char* theFileName) {
  const char* aSrc = theFileName;
  if (aSrc[0] != 0 && aSrc[1] == ':') {
    std::string aDir = PakPlatform::CurrentDir() + "\\";
    if (strncasecmp(aSrc, aDir.c_str(), aDir.size()) == 0) aSrc += aDir.size();
  }
  std::string anOut;
  bool aLastWasSeparator = false;
  for (; *aSrc != 0; ++aSrc) {
    char c = *aSrc;
    if (c == '\\' || c == '/') {
      if (!aLastWasSeparator) anOut += '\\';
      aLastWasSeparator = true;
    } else if (c == '.' && aLastWasSeparator && aSrc[1] == '.') {
      // Drop the previous component; the separator after the dots is not written either.
      if (!anOut.empty() && anOut.back() == '\\') anOut.pop_back();
      size_t aSlash = anOut.rfind('\\');
      anOut.erase(aSlash == std::string::npos ? 0 : aSlash + 1);
      ++aSrc;
    } else {
      anOut += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
      aLastWasSeparator = false;
    }
  }
  return anOut;
}

bool PakInterface::AddPakFile(const std::string& theFileName) {
  if (GetPakPtr() == nullptr) *gPakInterfaceP = this;

  int aFd = open(theFileName.c_str(), O_RDONLY | O_CLOEXEC);
  if (aFd < 0) {
    std::string aDir;
    if (!PakPlatform::ResourcesDir(aDir)) return false;
    std::string aName = theFileName;
    for (char& c : aName)
      if (c == '\\') c = '/';
    if (aDir.empty() || aDir.back() != '/') aDir += '/';
    aFd = open((aDir + aName).c_str(), O_RDONLY | O_CLOEXEC);
    if (aFd < 0) return false;
  }
  struct stat aStat;
  // An empty file cannot be mapped, and offsets are 32-bit.
  if (fstat(aFd, &aStat) != 0 || aStat.st_size <= 0 || aStat.st_size > INT32_MAX) {
    close(aFd);
    return false;
  }
  size_t aSize = static_cast<size_t>(aStat.st_size);
  void* aMap = mmap(nullptr, aSize, PROT_READ, MAP_PRIVATE, aFd, 0);
  if (aMap == MAP_FAILED) {
    close(aFd);
    return false;
  }
  mCollections.push_back(
      PakCollection{aFd, nullptr, static_cast<const uint8_t*>(aMap), static_cast<int32_t>(aSize)});
  PakCollection* aCollection = &mCollections.back();

  // The archive itself stays reachable under its own name, bytes unmasked as for any record.
  PakRecord& anOwn = mRecords[StringToUpper(theFileName)];
  anOwn = PakRecord{aCollection, theFileName, 0, 0, static_cast<int32_t>(aSize)};

  // The directory is read from the mapping itself: opening the archive by name could find a
  // different file (or the unmasked disk bytes) when the name does not normalise to itself.
  const uint8_t* aData = aCollection->mMappedData;
  if (aSize < 8 || ReadU32(aData) != k_Magic || ReadU32(aData + 4) != k_Version) return false;
  std::vector<DirEntry> anEntries;
  size_t aDataStart = 0;
  if (!ParseDirectory(aData, aSize, anEntries, aDataStart)) return false;

  for (const DirEntry& anEntry : anEntries) {
    // An entry whose bytes run past the end of the file is left out, so reads stay inside the mapping.
    if (anEntry.mOffset + anEntry.mSize > aSize - aDataStart) continue;
    PakRecord& aRecord = mRecords[StringToUpper(anEntry.mName)];
    aRecord =
        PakRecord{aCollection, anEntry.mName, anEntry.mFileTime,
                  static_cast<int32_t>(aDataStart + anEntry.mOffset), static_cast<int32_t>(anEntry.mSize)};
  }
  return true;
}

PFILE* PakInterface::FOpen(const char* theFileName, const char* theAccess) {
  if (IsReadAccess(theAccess)) {
    auto anItr = mRecords.find(FixFileName(theFileName));
    if (anItr != mRecords.end()) return new PFILE{&anItr->second, 0, nullptr};
  }
  FILE* aFile = PakPlatform::OpenFile(theFileName, theAccess);
  if (aFile == nullptr) return nullptr;
  return new PFILE{nullptr, 0, aFile};
}

int PakInterface::FClose(PFILE* theFile) {
  if (theFile->mPakRecord == nullptr) fclose(theFile->mPlainFile);
  delete theFile;
  return 0;
}

int PakInterface::FSeek(PFILE* theFile, int32_t theOffset, int theOrigin) {
  if (theFile->mPakRecord == nullptr) return fseek(theFile->mPlainFile, theOffset, theOrigin);
  int64_t aPos = theFile->mReadPos;
  int64_t aSize = theFile->mPakRecord->mDataSize;
  if (theOrigin == SEEK_SET)
    aPos = theOffset;
  else if (theOrigin == SEEK_CUR)
    aPos += theOffset;
  else if (theOrigin == SEEK_END)
    aPos = aSize + theOffset;
  if (aPos < 0) aPos = 0;
  if (aPos > aSize) aPos = aSize;
  theFile->mReadPos = static_cast<int32_t>(aPos);
  return 0;
}

int PakInterface::FTell(PFILE* theFile) {
  if (theFile->mPakRecord == nullptr) return static_cast<int>(ftell(theFile->mPlainFile));
  return theFile->mReadPos;
}

int PakInterface::FRead(void* thePtr, int theElemSize, int theCount, PFILE* theFile) {
  // A negative or empty request reads nothing on either route.
  if (theElemSize <= 0 || theCount <= 0) return 0;
  if (theFile->mPakRecord == nullptr)
    return static_cast<int>(
        fread(thePtr, static_cast<size_t>(theElemSize), static_cast<size_t>(theCount), theFile->mPlainFile));
  const PakRecord* aRecord = theFile->mPakRecord;
  int64_t aWanted = static_cast<int64_t>(theElemSize) * theCount;
  int64_t aLeft = aRecord->mDataSize - theFile->mReadPos;
  int32_t aCount = static_cast<int32_t>(aWanted < aLeft ? aWanted : aLeft);
  const uint8_t* aSrc = aRecord->mCollection->mMappedData + aRecord->mDataOffset + theFile->mReadPos;
  uint8_t* aDest = static_cast<uint8_t*>(thePtr);
  for (int32_t i = 0; i < aCount; ++i) aDest[i] = aSrc[i] ^ k_Mask;
  theFile->mReadPos += aCount;
  return aCount / theElemSize;
}

int PakInterface::FGetC(PFILE* theFile) {
  if (theFile->mPakRecord == nullptr) return fgetc(theFile->mPlainFile);
  const PakRecord* aRecord = theFile->mPakRecord;
  const uint8_t* aData = aRecord->mCollection->mMappedData + aRecord->mDataOffset;
  while (theFile->mReadPos < aRecord->mDataSize) {
    int c = aData[theFile->mReadPos++] ^ k_Mask;
    if (c != '\r') return c;
  }
  return -1;
}

int PakInterface::UnGetC(int theChar, PFILE* theFile) {
  if (theFile->mPakRecord == nullptr) return ungetc(theChar, theFile->mPlainFile);
  if (theFile->mReadPos > 0) --theFile->mReadPos;
  return theChar;
}

char* PakInterface::FGetS(char* thePtr, int theSize, PFILE* theFile) {
  if (theSize <= 0) return nullptr;
  if (theFile->mPakRecord == nullptr) return fgets(thePtr, theSize, theFile->mPlainFile);
  int aStored = 0;
  while (aStored < theSize - 1) {
    int c = FGetC(theFile);
    if (c < 0) break;
    thePtr[aStored++] = static_cast<char>(c);
    if (c == '\n') break;
  }
  if (aStored == 0 && theSize > 1) return nullptr;
  thePtr[aStored] = 0;
  return thePtr;
}

int PakInterface::FEof(PFILE* theFile) {
  if (theFile->mPakRecord == nullptr) return feof(theFile->mPlainFile);
  return theFile->mReadPos >= theFile->mPakRecord->mDataSize;
}

bool PakInterface::PFindNext(PFindData* theFindData, _WIN32_FIND_DATA* theData) {
  const std::string& aPattern = theFindData->mPattern;
  size_t aStar = aPattern.find('*');
  if (aStar == std::string::npos) return false;
  std::string aPrefix = aPattern.substr(0, aStar);
  std::string aSuffix = aPattern.substr(aStar + 1);
  bool anySuffix = aSuffix.empty() || aSuffix == ".*";

  auto anItr =
      theFindData->mLastFound.empty() ? mRecords.begin() : mRecords.upper_bound(theFindData->mLastFound);
  for (; anItr != mRecords.end(); ++anItr) {
    const std::string& aKey = anItr->first;
    if (aKey.compare(0, aPrefix.size(), aPrefix) != 0) continue;
    if (!anySuffix && (aKey.size() < aSuffix.size() ||
                       aKey.compare(aKey.size() - aSuffix.size(), aSuffix.size(), aSuffix) != 0))
      continue;
    const std::string& aName = anItr->second.mFileName;
    size_t aSlash = aName.rfind('\\');
    PakPlatform::FillFindData(theData, aSlash == std::string::npos ? aName : aName.substr(aSlash + 1),
                              static_cast<uint32_t>(anItr->second.mDataSize));
    theFindData->mLastFound = aKey;
    return true;
  }
  return false;
}

bool PakInterface::StartDiskSearch(PFindData* theFindData, _WIN32_FIND_DATA* theData) {
  theFindData->mDiskSearch = PakPlatform::DiskFindFirst(theFindData->mDiskPattern.c_str(), theData);
  return theFindData->mDiskSearch != nullptr;
}

PFindData* PakInterface::FindFirstFile(const char* theFileName, _WIN32_FIND_DATA* theFindData) {
  PFindData* aFindData = new PFindData;
  aFindData->mPattern = FixFileName(theFileName);
  aFindData->mDiskPattern = theFileName;
  if (PFindNext(aFindData, theFindData) || StartDiskSearch(aFindData, theFindData)) return aFindData;
  delete aFindData;
  return nullptr;
}

bool PakInterface::FindNextFile(PFindData* theFindData, _WIN32_FIND_DATA* theData) {
  if (theFindData->mDiskSearch != nullptr)
    return PakPlatform::DiskFindNext(theFindData->mDiskSearch, theData);
  if (PFindNext(theFindData, theData)) return true;
  return StartDiskSearch(theFindData, theData);
}

bool PakInterface::FindClose(PFindData* theFindData) {
  if (theFindData->mDiskSearch != nullptr) PakPlatform::DiskFindClose(theFindData->mDiskSearch);
  delete theFindData;
  return true;
}

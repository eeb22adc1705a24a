#include "core/CFileFind.h"

#include <cctype>
#include <cstring>

namespace Tesk {

bool CFileFind::MatchesWildcard(const char* theName, const char* thePattern) {
  while (*theName != '\0') {
    if (*theName == *thePattern || std::toupper(static_cast<unsigned char>(*theName)) ==
                                       std::toupper(static_cast<unsigned char>(*thePattern))) {
      ++theName;
      ++thePattern;
    } else if (*thePattern == '*') {
      // The star ends at the first name character equal to the one after it.
      if (*theName == thePattern[1]) thePattern += 2;
      ++theName;
    } else {
      return false;
    }
  }
  if (*thePattern == '\0') return true;
  if (thePattern[0] != '*') return false;
  return thePattern[1] == '\0' || std::strcmp(thePattern + 1, ".*") == 0;
}

bool CFileFind::FindFile(const char* thePath) {
  mIndex = 0;
  mItems.clear();
  mItemCount = 0;
  const char* aSeparator = nullptr;
  for (const char* aChar = thePath; *aChar != '\0'; ++aChar) {
    if (*aChar == '/' || *aChar == ':') aSeparator = aChar;
  }
  // A bare pattern searches the working folder, as it does on Windows.
  std::string aFolder = aSeparator == nullptr ? std::string("./") : std::string(thePath, aSeparator + 1);
  FSRef aFolderRef;
  bool isFolder = false;
  if (FSPathMakeRef(aFolder.c_str(), &aFolderRef, &isFolder) != 0 || !isFolder) return false;
  bool aChanged = false;
  if (FSGetDirectoryItems(&aFolderRef, &mItems, &mItemCount, &aChanged) != 0) return false;
  mWildcard = aSeparator == nullptr ? std::string(thePath) : std::string(aSeparator + 1);
  return true;
}

bool CFileFind::FindNextFile() {
  const FSRef& anItem = mItems[static_cast<size_t>(mIndex++)];
  FSCatalogInfo anInfo;
  if (FSGetCatalogInfo(&anItem, kFSCatInfoNodeFlags, &anInfo, &mFileName) != 0) return false;
  mIsDirectory = (anInfo.nodeFlags & kFSNodeIsDirectoryMask) != 0;
  return MatchesWildcard(mFileName.c_str(), mWildcard.c_str());
}

void CFileFind::GetFileName(char* theBuffer) const { std::strcpy(theBuffer, mFileName.c_str()); }

}  // namespace Tesk

OSErr FSGetDirectoryItems(const FSRef* theContainer, std::vector<FSRef>* theItems, uint32_t* theCount,
                          bool* theChanged) {
  if (theContainer == nullptr || theItems == nullptr || theCount == nullptr || theChanged == nullptr) {
    return kFSParamErr;
  }
  theItems->clear();
  *theCount = 0;
  FSIterator anIterator = nullptr;
  OSErr anErr = FSOpenIterator(theContainer, &anIterator);
  if (anErr != 0) return anErr;
  const ItemCount kBatch = 10;
  FSRef aBatch[kBatch];
  for (;;) {
    ItemCount aCount = 0;
    anErr = FSGetCatalogInfoBulk(anIterator, kBatch, &aCount, theChanged, aBatch);
    if (anErr != 0 && anErr != errFSNoMoreItems) {
      FSCloseIterator(anIterator);
      theItems->clear();
      *theCount = 0;
      return anErr;
    }
    theItems->insert(theItems->end(), aBatch, aBatch + aCount);
    *theCount += aCount;
    *theChanged = true;
    if (anErr == errFSNoMoreItems) break;
  }
  FSCloseIterator(anIterator);
  return 0;
}

namespace {
void Fill(const Tesk::CFileFind& theFind, WIN32_FIND_DATA* theData) {
  if (theData == nullptr) return;
  theData->dwFileAttributes = theFind.IsDirectory() ? FILE_ATTRIBUTE_DIRECTORY : 0;
  const std::string& aName = theFind.GetFileName();
  const size_t aLength = aName.size() < NAME_MAX ? aName.size() : NAME_MAX;
  std::memcpy(theData->cFileName, aName.data(), aLength);
  theData->cFileName[aLength] = '\0';
}
}  // namespace

HANDLE FindFirstFile(const char* thePath, WIN32_FIND_DATA* theData) {
  auto* aFind = new Tesk::CFileFind;
  if (thePath != nullptr && aFind->FindFile(thePath)) {
    while (!aFind->IsDone()) {
      if (aFind->FindNextFile()) {
        Fill(*aFind, theData);
        return aFind;
      }
    }
  }
  delete aFind;
  return nullptr;
}

bool FindNextFile(HANDLE theHandle, WIN32_FIND_DATA* theData) {
  if (theHandle == nullptr) return false;
  auto* aFind = static_cast<Tesk::CFileFind*>(theHandle);
  while (!aFind->IsDone()) {
    if (aFind->FindNextFile()) {
      Fill(*aFind, theData);
      return true;
    }
  }
  return false;
}

bool FindClose(HANDLE theHandle) {
  delete static_cast<Tesk::CFileFind*>(theHandle);
  return false;
}

#include "platform/files/FileManager.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <vector>

struct OpaqueFSIterator {
  std::string mFolder;
  std::vector<std::string> mNames;
  size_t mNext = 0;
};

namespace {

OSErr ErrorFromErrno(int theErrno) {
  switch (theErrno) {
    case ENOENT:
      return fnfErr;
    case ENOTDIR:
      return dirNFErr;
    case EACCES:
    case EPERM:
    case EROFS:
      return permErr;
    case EEXIST:
      return dupFNErr;
    case ENOMEM:
      return kFSMemFullErr;
    default:
      return ioErr;
  }
}

std::string JoinPath(const std::string& theFolder, const std::string& theName) {
  if (theFolder.empty()) return theName;
  if (theFolder.back() == '/') return theFolder + theName;
  return theFolder + "/" + theName;
}

std::string LastComponent(const std::string& thePath) {
  std::string aPath = thePath;
  while (aPath.size() > 1 && aPath.back() == '/') aPath.pop_back();
  size_t aSlash = aPath.rfind('/');
  return aSlash == std::string::npos ? aPath : aPath.substr(aSlash + 1);
}

bool MakeFolders(const std::string& thePath) {
  for (size_t aPos = 1; aPos <= thePath.size(); ++aPos) {
    if (aPos == thePath.size() || thePath[aPos] == '/') {
      std::string aPrefix = thePath.substr(0, aPos);
      if (mkdir(aPrefix.c_str(), 0777) != 0 && errno != EEXIST) return false;
    }
  }
  struct stat aStat;
  return stat(thePath.c_str(), &aStat) == 0 && S_ISDIR(aStat.st_mode);
}

}  // namespace

OSErr FSPathMakeRef(const char* thePath, FSRef* theRef, bool* isDirectory) {
  if (thePath == nullptr || theRef == nullptr) return kFSParamErr;
  struct stat aStat;
  if (stat(thePath, &aStat) != 0) return ErrorFromErrno(errno);
  theRef->mPath = thePath;
  if (isDirectory != nullptr) *isDirectory = S_ISDIR(aStat.st_mode);
  return 0;
}

OSErr FSGetCatalogInfo(const FSRef* theRef, FSCatalogInfoBitmap theWhich, FSCatalogInfo* theInfo,
                       std::string* theName) {
  if (theRef == nullptr) return kFSParamErr;
  struct stat aStat;
  if (stat(theRef->mPath.c_str(), &aStat) != 0) return ErrorFromErrno(errno);
  if (theInfo != nullptr) {
    if (theWhich & kFSCatInfoNodeFlags)
      theInfo->nodeFlags = S_ISDIR(aStat.st_mode) ? kFSNodeIsDirectoryMask : 0;
    if (theWhich & kFSCatInfoPermissions) {
      theInfo->permissions.userID = aStat.st_uid;
      theInfo->permissions.groupID = aStat.st_gid;
      theInfo->permissions.mode = static_cast<uint16_t>(aStat.st_mode & 07777);
    }
  }
  if (theName != nullptr) *theName = LastComponent(theRef->mPath);
  return 0;
}

OSErr FSSetCatalogInfo(const FSRef* theRef, FSCatalogInfoBitmap theWhich, const FSCatalogInfo* theInfo) {
  if (theRef == nullptr || theInfo == nullptr) return kFSParamErr;
  if (theWhich & kFSCatInfoPermissions) {
    if (chmod(theRef->mPath.c_str(), theInfo->permissions.mode & 07777) != 0) return ErrorFromErrno(errno);
  }
  return 0;
}

OSErr FSCreateDirectoryUnicode(const FSRef* theParent, const std::string& theName, FSRef* theNewRef) {
  if (theParent == nullptr || theName.empty()) return kFSParamErr;
  std::string aPath = JoinPath(theParent->mPath, theName);
  if (mkdir(aPath.c_str(), 0777) != 0) return ErrorFromErrno(errno);
  if (theNewRef != nullptr) theNewRef->mPath = aPath;
  return 0;
}

OSErr FSOpenIterator(const FSRef* theContainer, FSIterator* theIterator) {
  if (theContainer == nullptr || theIterator == nullptr) return kFSParamErr;
  DIR* aDir = opendir(theContainer->mPath.c_str());
  if (aDir == nullptr) return ErrorFromErrno(errno);
  auto* anIterator = new OpaqueFSIterator;
  anIterator->mFolder = theContainer->mPath;
  while (dirent* anEntry = readdir(aDir)) {
    std::string aName = anEntry->d_name;
    if (aName != "." && aName != "..") anIterator->mNames.push_back(aName);
  }
  closedir(aDir);
  std::sort(anIterator->mNames.begin(), anIterator->mNames.end());
  *theIterator = anIterator;
  return 0;
}

OSErr FSCloseIterator(FSIterator theIterator) {
  if (theIterator == nullptr) return kFSParamErr;
  delete theIterator;
  return 0;
}

OSErr FSGetCatalogInfoBulk(FSIterator theIterator, ItemCount theMaxObjects, ItemCount* theActual,
                           bool* theContainerChanged, FSRef* theRefs) {
  if (theIterator == nullptr || theActual == nullptr || theRefs == nullptr) return kFSParamErr;
  if (theContainerChanged != nullptr) *theContainerChanged = false;
  ItemCount aCount = 0;
  while (aCount < theMaxObjects && theIterator->mNext < theIterator->mNames.size()) {
    theRefs[aCount++].mPath = JoinPath(theIterator->mFolder, theIterator->mNames[theIterator->mNext++]);
  }
  *theActual = aCount;
  return theIterator->mNext >= theIterator->mNames.size() ? errFSNoMoreItems : 0;
}

OSErr FSFindApplicationSupportFolder(bool theCreate, FSRef* theRef) {
  if (theRef == nullptr) return kFSParamErr;
  std::string aPath;
  const char* aDataHome = std::getenv("XDG_DATA_HOME");
  if (aDataHome != nullptr && aDataHome[0] == '/') {
    aPath = aDataHome;
  } else {
    const char* aHome = std::getenv("HOME");
    if (aHome == nullptr || aHome[0] == '\0') return fnfErr;
    aPath = std::string(aHome) + "/.local/share";
  }
  if (theCreate && !MakeFolders(aPath)) return ErrorFromErrno(errno);
  return FSPathMakeRef(aPath.c_str(), theRef, nullptr);
}

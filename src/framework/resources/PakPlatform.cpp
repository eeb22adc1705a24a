#include "resources/PakPlatform.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/CFileFind.h"

namespace PakPlatform {

// Interim: until the platform layer's file services land.
FILE* OpenFile(const char* theFileName, const char* theAccess) {
  FILE* aFile = fopen(theFileName, theAccess);
  if (aFile != nullptr) return aFile;
  std::string aDir;
  if (!ResourcesDir(aDir)) return nullptr;
  std::string aName = theFileName;
  for (char& c : aName)
    if (c == '\\') c = '/';
  if (aDir.empty() || aDir.back() != '/') aDir += '/';
  return fopen((aDir + aName).c_str(), theAccess);
}

bool ResourcesDir(std::string& theDir) {
  const char* anEnv = getenv("TESK_RESOURCES_DIR");
  theDir = anEnv ? anEnv : TESK_DEFAULT_RESOURCES_DIR;
  return true;
}

std::string CurrentDir() {
  char aBuf[4096];
  return getcwd(aBuf, sizeof(aBuf)) ? std::string(aBuf) : std::string();
}

void FillFindData(_WIN32_FIND_DATA* theData, const std::string& theName, uint32_t theSize) {
  theData->dwFileAttributes = 0;
  for (uint32_t& aField : theData->dwReserved) aField = 0;
  theData->nFileSizeLow = theSize;
  size_t aLength = std::min(theName.size(), sizeof(theData->cFileName) - 1);
  std::memcpy(theData->cFileName, theName.data(), aLength);
  theData->cFileName[aLength] = '\0';
}

void* DiskFindFirst(const char* thePattern, _WIN32_FIND_DATA* theData) {
  return ::FindFirstFile(thePattern, theData);
}
bool DiskFindNext(void* theSearch, _WIN32_FIND_DATA* theData) { return ::FindNextFile(theSearch, theData); }
void DiskFindClose(void* theSearch) { ::FindClose(theSearch); }

}  // namespace PakPlatform

#include "resources/PakPlatform.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "core/CFileFind.h"
#include "core/MacUtils.h"
#include "platform/corefoundation/CFBundle.h"

namespace PakPlatform {

FILE* OpenFile(const char* theFileName, const char* theAccess) { return Mac_fopen(theFileName, theAccess); }

bool ResourcesDir(std::string& theDir) { return CFBundleCopyResourcesDirectoryPath(&theDir); }

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

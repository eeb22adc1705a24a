#include "resources/PakPlatform.h"

#include <unistd.h>

#include <cstdlib>

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

void FillFindData(_WIN32_FIND_DATA*, const std::string&, uint32_t) {}
void* DiskFindFirst(const char*, _WIN32_FIND_DATA*) { return nullptr; }
bool DiskFindNext(void*, _WIN32_FIND_DATA*) { return false; }
void DiskFindClose(void*) {}

}  // namespace PakPlatform

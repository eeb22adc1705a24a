#include "platform/corefoundation/CFBundle.h"

#include <sys/stat.h>

#include <cstdlib>

namespace {
bool Exists(const std::string& thePath) {
  struct stat aStat;
  return stat(thePath.c_str(), &aStat) == 0;
}

// Set once at start-up, before any other thread reads it.
std::string sRunResources;
}  // namespace

void CFBundleSetResourcesDirectoryPath(const std::string& thePath) { sRunResources = thePath; }

bool CFBundleCopyResourcesDirectoryPath(std::string* thePath) {
  if (!sRunResources.empty()) {
    if (!Exists(sRunResources)) return false;
    *thePath = sRunResources;
    return true;
  }
  const char* anOverride = std::getenv("TESK_RESOURCES_DIR");
#ifdef TESK_DEFAULT_RESOURCES_DIR
  std::string aPath =
      anOverride != nullptr && anOverride[0] != '\0' ? anOverride : TESK_DEFAULT_RESOURCES_DIR;
#else
  std::string aPath = anOverride != nullptr ? anOverride : "";
#endif
  if (aPath.empty() || !Exists(aPath)) return false;
  *thePath = aPath;
  return true;
}

bool CFBundleCopyResourcePath(const std::string& theName, std::string* thePath) {
  std::string aFolder;
  if (theName.empty() || !CFBundleCopyResourcesDirectoryPath(&aFolder)) return false;
  std::string aPath = aFolder + (aFolder.back() == '/' ? "" : "/") + theName;
  if (!Exists(aPath)) return false;
  *thePath = aPath;
  return true;
}

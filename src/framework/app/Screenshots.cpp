#include "app/Screenshots.h"

#include <cstdio>

#include "core/CFileFind.h"
#include "platform/files/FileManager.h"

namespace Tesk {

std::string GetScreenshotFolder() {
  FSRef aSupport;
  if (FSFindApplicationSupportFolder(true, &aSupport) != 0) return std::string();
  FSRef aFolder;
  // The folder is usually there already, which is fine.
  FSCreateDirectoryUnicode(&aSupport, "_screenshots", &aFolder);
  return aSupport.mPath + "/_screenshots/";
}

int NextScreenshotNumber(const std::string& theDir) {
  int aLargest = 0;
  WIN32_FIND_DATA aData;
  HANDLE aFind = FindFirstFile((theDir + "image*.png").c_str(), &aData);
  if (aFind == nullptr) return 1;
  do {
    int aNumber = 0;
    if (std::sscanf(aData.cFileName, "image%d.png", &aNumber) == 1 && aNumber > aLargest) aLargest = aNumber;
  } while (FindNextFile(aFind, &aData));
  FindClose(aFind);
  return aLargest + 1;
}

}  // namespace Tesk

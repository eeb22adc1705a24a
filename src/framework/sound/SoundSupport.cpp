#include "sound/SoundSupport.h"

#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "core/Common.h"

namespace Tesk {
namespace SoundSupport {

struct File {
  FILE* mFile;
};

File* Open(const char* theName, const char* theMode) {
  if (theName == nullptr || theMode == nullptr) return nullptr;
  FILE* aFile = std::fopen(theName, theMode);
  if (aFile == nullptr) return nullptr;
  return new File{aFile};
}

int Read(void* theBuffer, int theSize, int theCount, File* theFile) {
  if (theFile == nullptr || theSize <= 0 || theCount <= 0) return 0;
  return static_cast<int>(
      std::fread(theBuffer, static_cast<size_t>(theSize), static_cast<size_t>(theCount), theFile->mFile));
}

int Seek(File* theFile, int32_t theOffset, int theWhence) {
  if (theFile == nullptr) return -1;
  return std::fseek(theFile->mFile, theOffset, theWhence);
}

int32_t Tell(File* theFile) {
  if (theFile == nullptr) return -1;
  return static_cast<int32_t>(std::ftell(theFile->mFile));
}

int Eof(File* theFile) {
  if (theFile == nullptr) return 1;
  // Like the archive layer: at the end once the position has reached the size.
  const long aHere = std::ftell(theFile->mFile);
  std::fseek(theFile->mFile, 0, SEEK_END);
  const long aEnd = std::ftell(theFile->mFile);
  std::fseek(theFile->mFile, aHere, SEEK_SET);
  return aHere >= aEnd ? 1 : 0;
}

void Close(File* theFile) {
  if (theFile == nullptr) return;
  std::fclose(theFile->mFile);
  delete theFile;
}

uint32_t TickCount() {
  timespec aNow{};
  clock_gettime(CLOCK_MONOTONIC, &aNow);
  return static_cast<uint32_t>(static_cast<uint64_t>(aNow.tv_sec) * 1000u + aNow.tv_nsec / 1000000);
}

void Debugger() {}

void ShowMessage(const char* theText, const char* theCaption, int) {
  std::fprintf(stderr, "%s: %s\n", theCaption, theText);
}

bool ResourceFolder(std::string* theFolder) {
  char aBuffer[512];
  const ssize_t aLength = ::readlink("/proc/self/exe", aBuffer, sizeof(aBuffer) - 1);
  if (aLength <= 0) return false;
  aBuffer[aLength] = 0;
  *theFolder = GetFileDir(aBuffer, false) + "/resources";
  return true;
}

}  // namespace SoundSupport
}  // namespace Tesk

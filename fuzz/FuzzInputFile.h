// The readers under fuzzing open files by name: each input is written to a
// per-process scratch file first.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

namespace FuzzInput {

// Writes the input to /tmp/fuzz-<theName>-<pid><theExtension>; empty when it can't.
inline std::string WriteScratchFile(const char* theName, const char* theExtension, const uint8_t* theData,
                                    size_t theSize) {
  std::string aPath = std::string("/tmp/fuzz-") + theName + "-" + std::to_string(getpid()) + theExtension;
  FILE* aFile = std::fopen(aPath.c_str(), "wb");
  if (aFile == nullptr) return std::string();
  std::fwrite(theData, 1, theSize, aFile);
  std::fclose(aFile);
  return aPath;
}

// Reads every pixel so that a buffer shorter than the image's size shows up.
template <typename ImageT>
void TouchPixels(const ImageT& theImage) {
  if (theImage.mBits == nullptr) return;
  uint32_t aSum = 0;
  const size_t aCount = static_cast<size_t>(theImage.mWidth) * theImage.mHeight;
  for (size_t i = 0; i < aCount; ++i) aSum += theImage.mBits[i];
  if (aSum == 0xDEADBEEF) std::fputc(' ', stderr);
}

}  // namespace FuzzInput

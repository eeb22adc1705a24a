// Small helpers the image readers share for reading through a PFILE.
#pragma once

#include <cstdint>
#include <cstdio>

#include "resources/PFile.h"

namespace ImageLib {

// Bytes from the current position to the end of the file, position kept; -1 when unknown.
inline int64_t BytesLeft(PFILE* theFile) {
  const int32_t aPos = p_ftell(theFile);
  if (aPos < 0 || p_fseek(theFile, 0, SEEK_END) != 0) return -1;
  const int32_t anEnd = p_ftell(theFile);
  if (p_fseek(theFile, aPos, SEEK_SET) != 0 || anEnd < aPos) return -1;
  return anEnd - aPos;
}

inline bool ReadExact(void* thePtr, int64_t theSize, PFILE* theFile) {
  if (theSize == 0) return true;
  if (theSize < 0 || theSize > INT32_MAX) return false;
  return p_fread(thePtr, 1, static_cast<int>(theSize), theFile) == theSize;
}

inline uint16_t Le16(const uint8_t* theBytes) {
  return static_cast<uint16_t>(theBytes[0] | theBytes[1] << 8);
}
inline uint32_t Le32(const uint8_t* theBytes) {
  return theBytes[0] | theBytes[1] << 8 | theBytes[2] << 16 | static_cast<uint32_t>(theBytes[3]) << 24;
}

// Closes the file when the reader leaves.
struct PFileCloser {
  PFILE* mFile;
  ~PFileCloser() {
    if (mFile != nullptr) p_fclose(mFile);
  }
};

}  // namespace ImageLib

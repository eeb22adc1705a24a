// Image block files (.tgab): many palettised images back to back in one file.
#include <climits>
#include <memory>

#include "resources/ImageFileBytes.h"
#include "resources/ImageLib.h"

namespace ImageLib {

int GetImageBlock(const std::string& theFileName, Image** theImages) {
  return GetImageBlock(theFileName, theImages, INT_MAX);
}

int GetImageBlock(const std::string& theFileName, Image** theImages, int theCapacity) {
  int64_t aFileCount;
  return GetImageBlock(theFileName, theImages, theCapacity, &aFileCount);
}

int GetImageBlock(const std::string& theFileName, Image** theImages, int theCapacity, int64_t* theFileCount) {
  *theFileCount = -1;
  PFILE* aFile = p_fopen(theFileName.c_str(), "rb");
  if (aFile == nullptr) return 0;
  PFileCloser aCloser{aFile};

  uint8_t aCountBytes[4];
  if (!ReadExact(aCountBytes, 4, aFile)) return 0;
  const uint32_t aCount = Le32(aCountBytes);
  *theFileCount = aCount;
  int64_t aLeft = BytesLeft(aFile);
  int aRead = 0;
  // Read through the file API, so blocks inside the archive work too; a damaged record
  // ends the reading and only whole images are handed out.
  while (static_cast<uint32_t>(aRead) < aCount && aRead < theCapacity) {
    uint8_t aHead[8];
    if (!ReadExact(aHead, 8, aFile)) break;
    const uint32_t aColors = Le32(aHead);
    const int aWidth = Le16(aHead + 4);
    const int aHeight = Le16(aHead + 6);
    const int64_t aRecordBytes = int64_t{aColors} * 4 + int64_t{aWidth} * aHeight;
    const bool isAbsurd = int64_t{aWidth} * aHeight > 0 && !SizeAllowed(aWidth, aHeight);
    if (aColors > 256 || isAbsurd || (aLeft >= 0 && aRecordBytes > aLeft - 8)) break;
    aLeft -= 8 + aRecordBytes;

    auto anImage = std::make_unique<Image>();
    anImage->mWidth = aWidth;
    anImage->mHeight = aHeight;
    anImage->mNumBits = 8;
    anImage->mPal = new uint32_t[256]();
    anImage->mIndexList = new uint8_t[static_cast<size_t>(aWidth) * aHeight + 1];
    // Blue, green, red, alpha per entry is 0xAARRGGBB in a little-endian word.
    if (!ReadExact(anImage->mPal, int64_t{aColors} * 4, aFile)) break;
    if (!ReadExact(anImage->mIndexList, int64_t{aWidth} * aHeight, aFile)) break;
    theImages[aRead++] = anImage.release();
  }
  return aRead;
}

}  // namespace ImageLib

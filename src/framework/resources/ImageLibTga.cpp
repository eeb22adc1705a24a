// TGA: 8-bit palettised, 24- and 32-bit pixels, always read uncompressed.
#include <cstring>
#include <memory>

#include "resources/ImageFileBytes.h"
#include "resources/ImageLib.h"

namespace ImageLib {

Image* GetTGAImage(const std::string& theFileName) {
  PFILE* aFile = p_fopen(theFileName.c_str(), "rb");
  if (aFile == nullptr) return nullptr;
  PFileCloser aCloser{aFile};

  uint8_t aHeader[18];
  if (!ReadExact(aHeader, sizeof(aHeader), aFile)) return nullptr;
  const int anIdLength = aHeader[0];
  const int aMapLength = Le16(aHeader + 5);
  const int aMapDepth = aHeader[7];
  const int aWidth = Le16(aHeader + 12);
  const int aHeight = Le16(aHeader + 14);
  const int aBitsPerPixel = aHeader[16];
  const bool aTopDown = (aHeader[17] & 0x30) != 0;
  if (!SizeAllowed(aWidth, aHeight)) return nullptr;
  if (aBitsPerPixel != 8 && aBitsPerPixel != 24 && aBitsPerPixel != 32) return nullptr;
  if (p_fseek(aFile, anIdLength, SEEK_CUR) != 0) return nullptr;

  const int aMapEntrySize = aMapDepth == 24 ? 3 : 4;
  const int64_t aMapBytes = aBitsPerPixel == 8 ? int64_t{aMapLength} * aMapEntrySize : 0;
  const int64_t aPixelBytes = int64_t{aWidth} * aHeight * (aBitsPerPixel / 8);
  // A short file is refused before its size is believed.
  const int64_t aLeft = BytesLeft(aFile);
  if (aLeft < aMapBytes + aPixelBytes) return nullptr;

  auto anImage = std::make_unique<Image>();
  anImage->mWidth = aWidth;
  anImage->mHeight = aHeight;
  if (aBitsPerPixel == 8) {
    anImage->mNumBits = 8;
    anImage->mPal = new uint32_t[256]();
    std::unique_ptr<uint8_t[]> aMap(new uint8_t[aMapBytes + 1]);
    if (!ReadExact(aMap.get(), aMapBytes, aFile)) return nullptr;
    // Every index finds an entry: the palette has 256, unread ones black.
    for (int i = 0; i < aMapLength && i < 256; ++i) {
      const uint8_t* anEntry = aMap.get() + i * aMapEntrySize;
      anImage->mPal[i] =
          aMapEntrySize == 3 ? 0xFF000000 | anEntry[2] << 16 | anEntry[1] << 8 | anEntry[0] : Le32(anEntry);
    }
    anImage->mIndexList = new uint8_t[static_cast<size_t>(aWidth) * aHeight];
    for (int y = 0; y < aHeight; ++y) {
      const int aRow = aTopDown ? y : aHeight - 1 - y;
      if (!ReadExact(anImage->mIndexList + static_cast<size_t>(aRow) * aWidth, aWidth, aFile)) return nullptr;
    }
    return anImage.release();
  }

  anImage->mBits = new uint32_t[static_cast<size_t>(aWidth) * aHeight];
  std::unique_ptr<uint8_t[]> aLine(aBitsPerPixel == 24 ? new uint8_t[static_cast<size_t>(aWidth) * 3]
                                                       : nullptr);
  for (int y = 0; y < aHeight; ++y) {
    const int aRow = aTopDown ? y : aHeight - 1 - y;
    uint32_t* aDest = anImage->mBits + static_cast<size_t>(aRow) * aWidth;
    if (aBitsPerPixel == 32) {
      // Blue, green, red, alpha in the file is 0xAARRGGBB in a little-endian word.
      if (!ReadExact(aDest, int64_t{aWidth} * 4, aFile)) return nullptr;
      continue;
    }
    if (!ReadExact(aLine.get(), int64_t{aWidth} * 3, aFile)) return nullptr;
    const uint8_t* aSrc = aLine.get();
    for (int x = 0; x < aWidth; ++x, aSrc += 3)
      aDest[x] = 0xFF000000 | aSrc[2] << 16 | aSrc[1] << 8 | aSrc[0];
  }
  return anImage.release();
}

}  // namespace ImageLib

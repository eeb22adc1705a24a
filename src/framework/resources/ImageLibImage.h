// A decoded image as the file readers hand it out: 32-bit 0xAARRGGBB pixels, or a
// palette and one index per pixel for palettised images.
#pragma once

#include <cstdint>

namespace ImageLib {

class Image {
 public:
  Image() = default;
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
  // Frees the pixels and whatever palette or index list the consumer left behind.
  virtual ~Image();

  int GetWidth() const { return mWidth; }
  int GetHeight() const { return mHeight; }
  uint32_t* GetBits() const { return mBits; }
  int GetBitCount() const { return mNumBits; }

  int mWidth = 0;
  int mHeight = 0;
  int mNumBits = 32;
  // All three come from new[]; whoever takes the palette or index list over clears the
  // field and frees it with delete[].
  uint32_t* mBits = nullptr;
  uint32_t* mPal = nullptr;  // 256 entries
  uint8_t* mIndexList = nullptr;
};

}  // namespace ImageLib

// Small helpers of the blit tests: images from inline words, their pixels back,
// and a destination with a frame of guard pixels that no draw may touch.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "graphics/MemoryImage.h"

namespace Tesk {

inline void SetPixels(MemoryImage& theImage, int theWidth, int theHeight,
                      const std::vector<uint32_t>& thePixels) {
  theImage.SetBits(thePixels.data(), theWidth, theHeight);
}

inline void FillPixels(MemoryImage& theImage, int theWidth, int theHeight, uint32_t theWord) {
  std::vector<uint32_t> aPixels(size_t(theWidth) * theHeight, theWord);
  theImage.SetBits(aPixels.data(), theWidth, theHeight);
}

inline std::vector<uint32_t> PixelsOf(MemoryImage& theImage) {
  uint32_t* aBits = theImage.GetBits();
  return std::vector<uint32_t>(aBits, aBits + theImage.mWidth * theImage.mHeight);
}

inline uint32_t PixelAt(MemoryImage& theImage, int x, int y) {
  return theImage.GetBits()[y * theImage.mWidth + x];
}

// A destination whose outer ring of theBorder pixels holds k_GuardWord; the
// draws under test are told that only the inner rectangle exists (by the clip)
// or are handed work overhanging every edge of the whole image.
constexpr uint32_t k_GuardWord = 0x5A5AA5A5;

inline void ExpectGuardsIntact(MemoryImage& theImage, int theBorder) {
  for (int y = 0; y < theImage.mHeight; ++y)
    for (int x = 0; x < theImage.mWidth; ++x) {
      bool anInner = x >= theBorder && y >= theBorder && x < theImage.mWidth - theBorder &&
                     y < theImage.mHeight - theBorder;
      if (!anInner) {
        ASSERT_EQ(PixelAt(theImage, x, y), k_GuardWord) << "at " << x << "," << y;
      }
    }
  EXPECT_EQ(theImage.mBits[theImage.mWidth * theImage.mHeight], MEMORYCHECK_ID);
}

inline void MakeGuarded(MemoryImage& theImage, int theInnerWidth, int theInnerHeight, int theBorder,
                        uint32_t theInner) {
  int aWidth = theInnerWidth + 2 * theBorder, aHeight = theInnerHeight + 2 * theBorder;
  std::vector<uint32_t> aPixels(size_t(aWidth) * aHeight, k_GuardWord);
  for (int y = theBorder; y < aHeight - theBorder; ++y)
    for (int x = theBorder; x < aWidth - theBorder; ++x) aPixels[y * aWidth + x] = theInner;
  theImage.SetBits(aPixels.data(), aWidth, aHeight);
}

}  // namespace Tesk

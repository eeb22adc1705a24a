#include "game/play/Math.h"

#include <cstdint>

#include "graphics/MemoryImage.h"

namespace MATH {

bool BBPointTest(const int& thePx, const int& thePy, const int& theX, const int& theY, const int& theW,
                 const int& theH) {
  return theX <= thePx && thePx < theX + theW && theY <= thePy && thePy < theY + theH;
}

int BBImageTest(const int& theX, const int& theY, Tesk::Image* theImage) {
  Tesk::MemoryImage* anImage = dynamic_cast<Tesk::MemoryImage*>(theImage);
  if (anImage == nullptr) return 0;
  const int64_t anIndex = int64_t{theY} * anImage->mWidth + theX;
  if (anIndex < 0 || anIndex >= int64_t{anImage->mWidth} * anImage->mHeight) return 0;
  // Read what is there without converting: a palettised image keeps its palette.
  if (anImage->mPalette && anImage->mPaletteIndices)
    return static_cast<int>(anImage->mPalette[anImage->mPaletteIndices[anIndex]] >> 24);
  if (anImage->mBits) return static_cast<int>(anImage->mBits[anIndex] >> 24);
  return 0;
}

float Blend(const float& theA, const float& theB, const float& theT) {
  return theA * theT + theB * (1.0f - theT);
}

}  // namespace MATH

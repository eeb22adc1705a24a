// The pixels a blit reads from a memory image: its 32-bit words, or its palette
// and index bytes, so that palettised sources run the same loops without being
// turned back into 32-bit pixels.
#pragma once

#include <cstdint>

#include "graphics/MemoryImage.h"

namespace Tesk {

struct BlitSource {
  const uint32_t* mBits = nullptr;
  const uint32_t* mPalette = nullptr;
  const uint8_t* mIndices = nullptr;
  int mPitch = 0;

  explicit BlitSource(MemoryImage* theImage) {
    mPitch = theImage->mWidth;
    if (theImage->mPalette && theImage->mPaletteIndices) {
      mPalette = theImage->mPalette.get();
      mIndices = theImage->mPaletteIndices.get();
    } else {
      mBits = theImage->GetBits();
    }
  }

  bool IsPalette() const { return mPalette != nullptr; }
  uint32_t At(int theX, int theY) const {
    int i = theY * mPitch + theX;
    return mPalette ? mPalette[mIndices[i]] : mBits[i];
  }
};

// Fetches pixel i of a row, from 32-bit words or through the palette.
struct BitsFetch {
  const uint32_t* mRow;
  uint32_t operator()(int i) const { return mRow[i]; }
};

struct PaletteFetch {
  const uint8_t* mRow;
  const uint32_t* mPalette;
  uint32_t operator()(int i) const { return mPalette[mRow[i]]; }
};

}  // namespace Tesk

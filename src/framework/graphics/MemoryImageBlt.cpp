// The blit loops of MemoryImage at integer positions, and the fractional entry.
#include <algorithm>
#include <type_traits>

#include "core/Common.h"
#include "graphics/BlitPixel.h"
#include "graphics/BlitSimd.h"
#include "graphics/BlitSource.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"

namespace Tesk {

namespace {

// The drawing context clips before it calls; this keeps a bad request from
// reaching outside either image all the same. Returns false when nothing is left.
bool ClipToImages(const Image* theDest, const Image* theSrc, int& theX, int& theY, TRect<int>& theSrcRect) {
  TRect<int> aSrc = theSrcRect.Intersection(TRect<int>(0, 0, theSrc->mWidth, theSrc->mHeight));
  theX += aSrc.mX - theSrcRect.mX;
  theY += aSrc.mY - theSrcRect.mY;
  TRect<int> aDest = TRect<int>(theX, theY, aSrc.mWidth, aSrc.mHeight)
                         .Intersection(TRect<int>(0, 0, theDest->mWidth, theDest->mHeight));
  if (aDest.mWidth <= 0 || aDest.mHeight <= 0) return false;
  theSrcRect = TRect<int>(aSrc.mX + aDest.mX - theX, aSrc.mY + aDest.mY - theY, aDest.mWidth, aDest.mHeight);
  theX = aDest.mX;
  theY = aDest.mY;
  return true;
}

// Runs op(d, s) over every pixel of the rectangle.
template <class Fetch, class Op>
void BlitRows(uint32_t* theDest, int theDestPitch, Fetch theFetch, const uint32_t* theBitsRow,
              const uint8_t* theIndexRow, int theSrcPitch, int theWidth, int theHeight, Op op) {
  for (int y = 0; y < theHeight; ++y) {
    Fetch aFetch = theFetch;
    if constexpr (std::is_same_v<Fetch, BitsFetch>)
      aFetch.mRow = theBitsRow;
    else
      aFetch.mRow = theIndexRow;
    for (int x = 0; x < theWidth; ++x) theDest[x] = op(theDest[x], aFetch(x));
    theDest += theDestPitch;
    // Only the row this fetch reads moves: the other is null.
    if constexpr (std::is_same_v<Fetch, BitsFetch>)
      theBitsRow += theSrcPitch;
    else
      theIndexRow += theSrcPitch;
  }
}

template <class Op>
void BlitRect(uint32_t* theDest, int theDestPitch, const BlitSource& theSrc, const TRect<int>& theSrcRect,
              Op op) {
  int anOffset = theSrcRect.mY * theSrc.mPitch + theSrcRect.mX;
  if (theSrc.IsPalette())
    BlitRows(theDest, theDestPitch, PaletteFetch{nullptr, theSrc.mPalette}, nullptr,
             theSrc.mIndices + anOffset, theSrc.mPitch, theSrcRect.mWidth, theSrcRect.mHeight, op);
  else
    BlitRows(theDest, theDestPitch, BitsFetch{nullptr}, theSrc.mBits + anOffset, nullptr, theSrc.mPitch,
             theSrcRect.mWidth, theSrcRect.mHeight, op);
}

// Runs theRow(dest, src, count) over each row of the rectangle: on the source's own words, or
// for a palettised source on its colours looked up a piece at a time, so that both take the
// same vector rows.
template <class Row>
void ForEachRow(uint32_t* theDest, int theDestPitch, const BlitSource& theSrc, const TRect<int>& theSrcRect,
                Row theRow) {
  const int anOffset = theSrcRect.mY * theSrc.mPitch + theSrcRect.mX;
  const int aWidth = theSrcRect.mWidth, aHeight = theSrcRect.mHeight;
  if (!theSrc.IsPalette()) {
    const uint32_t* aRow = theSrc.mBits + anOffset;
    for (int y = 0; y < aHeight; ++y, theDest += theDestPitch, aRow += theSrc.mPitch) theRow(theDest, aRow, aWidth);
    return;
  }
  constexpr int k_Piece = 256;
  uint32_t aColours[k_Piece];
  const uint8_t* anIndices = theSrc.mIndices + anOffset;
  for (int y = 0; y < aHeight; ++y, theDest += theDestPitch, anIndices += theSrc.mPitch) {
    for (int x = 0; x < aWidth; x += k_Piece) {
      const int n = std::min(k_Piece, aWidth - x);
      for (int i = 0; i < n; ++i) aColours[i] = theSrc.mPalette[anIndices[x + i]];
      theRow(theDest + x, aColours, n);
    }
  }
}

// A mirrored rectangle: destination column i shows source column theSrcRight - i.
template <class Op>
void MirrorRect(uint32_t* theDest, int theDestPitch, const BlitSource& theSrc, int theSrcRight, int theSrcTop,
                int theWidth, int theHeight, Op op) {
  for (int y = 0; y < theHeight; ++y, theDest += theDestPitch) {
    int aRow = (theSrcTop + y) * theSrc.mPitch + theSrcRight;
    if (theSrc.IsPalette()) {
      const uint8_t* anIndices = theSrc.mIndices + aRow;
      for (int i = 0; i < theWidth; ++i) theDest[i] = op(theDest[i], theSrc.mPalette[anIndices[-i]]);
    } else {
      const uint32_t* aBits = theSrc.mBits + aRow;
      for (int i = 0; i < theWidth; ++i) theDest[i] = op(theDest[i], aBits[-i]);
    }
  }
}

}  // namespace

void MemoryImage::Blt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                      const Color& theColor, int theDrawMode) {
  TESK_ASSERT((theColor.mRed >= 0) && (theColor.mRed <= 255));
  TESK_ASSERT((theColor.mGreen >= 0) && (theColor.mGreen <= 255));
  TESK_ASSERT((theColor.mBlue >= 0) && (theColor.mBlue <= 255));
  TESK_ASSERT((theColor.mAlpha >= 0) && (theColor.mAlpha <= 255));
  if (theDrawMode == DRAWMODE_NORMAL)
    NormalBlt(theImage, theX, theY, theSrcRect, theColor);
  else if (theDrawMode == DRAWMODE_ADDITIVE)
    AdditiveBlt(theImage, theX, theY, theSrcRect, theColor);
}

void MemoryImage::NormalBlt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                            const Color& theColor) {
  theImage->mDrawn = true;
  MemoryImage* aSrcImage = dynamic_cast<MemoryImage*>(theImage);
  if (!aSrcImage) return;
  TRect<int> aSrcRect = theSrcRect;
  if (ClipToImages(this, aSrcImage, theX, theY, aSrcRect)) {
    // Over an opaque destination a white blit copies opaque pixels, skips transparent ones
    // and blends the rest keeping the destination opaque.
    const bool anOpaqueDest = !mHasTransparent && !mHasPartialAlpha && theColor == Color::White;
    if (anOpaqueDest) aSrcImage->CommitBits();
    BlitSource aSrc(aSrcImage);
    uint32_t* aDest = GetBits() + theY * mWidth + theX;
    const uint32_t cR = uint32_t(theColor.mRed), cG = uint32_t(theColor.mGreen), cB = uint32_t(theColor.mBlue),
                   cA = uint32_t(theColor.mAlpha);
    const uint32_t* aBits =
        aSrc.IsPalette() ? nullptr : aSrc.mBits + aSrcRect.mY * aSrc.mPitch + aSrcRect.mX;
    if (anOpaqueDest && aBits)
      BlitSimd::OverOpaqueDestRect(aDest, mWidth, aBits, aSrc.mPitch, aSrcRect.mWidth, aSrcRect.mHeight);
    else if (anOpaqueDest)
      ForEachRow(aDest, mWidth, aSrc, aSrcRect, BlitSimd::OverOpaqueDestRow);
    else if (theColor == Color::White && aBits)
      BlitSimd::OverWhiteRect(aDest, mWidth, aBits, aSrc.mPitch, aSrcRect.mWidth, aSrcRect.mHeight);
    else if (theColor == Color::White)
      ForEachRow(aDest, mWidth, aSrc, aSrcRect, BlitSimd::OverWhiteRow);
    else if (cR == cG && cG == cB)
      ForEachRow(aDest, mWidth, aSrc, aSrcRect,
                 [=](uint32_t* d, const uint32_t* s, int n) { BlitSimd::OverGreyRow(d, s, n, cR, cA); });
    else
      ForEachRow(aDest, mWidth, aSrc, aSrcRect,
                 [=](uint32_t* d, const uint32_t* s, int n) { BlitSimd::OverColorRow(d, s, n, cR, cG, cB, cA); });
  }
  BitsChanged();
}

void MemoryImage::AdditiveBlt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                              const Color& theColor) {
  theImage->mDrawn = true;
  MemoryImage* aSrcImage = dynamic_cast<MemoryImage*>(theImage);
  if (!aSrcImage) return;
  TRect<int> aSrcRect = theSrcRect;
  if (ClipToImages(this, aSrcImage, theX, theY, aSrcRect)) {
    aSrcImage->CommitBits();
    BlitSource aSrc(aSrcImage);
    uint32_t* aDest = GetBits() + theY * mWidth + theX;
    const uint8_t* T = GetAddClampTable();
    bool aPartial = aSrcImage->mHasPartialAlpha;
    if (theColor == Color::White && !aSrc.IsPalette() && BlitSimd::IsSaturatingTable(T)) {
      const uint32_t* aRow = aSrc.mBits + aSrcRect.mY * aSrc.mPitch + aSrcRect.mX;
      auto aAdd = aPartial ? BlitSimd::AddAlphaRow : BlitSimd::AddRow;
      for (int y = 0; y < aSrcRect.mHeight; ++y) {
        aAdd(aDest, aRow, aSrcRect.mWidth);
        aDest += mWidth;
        aRow += aSrc.mPitch;
      }
    } else {
      BlitPixel::WithAdditiveOp(theColor, aPartial, T,
                                [&](auto op) { BlitRect(aDest, mWidth, aSrc, aSrcRect, op); });
    }
  }
  BitsChanged();
}

void MemoryImage::BltMirror(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                            const Color& theColor, int theDrawMode) {
  TESK_ASSERT((theColor.mRed >= 0) && (theColor.mRed <= 255));
  TESK_ASSERT((theColor.mGreen >= 0) && (theColor.mGreen <= 255));
  TESK_ASSERT((theColor.mBlue >= 0) && (theColor.mBlue <= 255));
  TESK_ASSERT((theColor.mAlpha >= 0) && (theColor.mAlpha <= 255));
  theImage->mDrawn = true;
  MemoryImage* aSrcImage = dynamic_cast<MemoryImage*>(theImage);
  if (!aSrcImage || (theDrawMode != DRAWMODE_NORMAL && theDrawMode != DRAWMODE_ADDITIVE)) return;
  // Flipped, source columns cut on the left take destination columns off the right.
  TRect<int> aSrc = theSrcRect.Intersection(TRect<int>(0, 0, aSrcImage->mWidth, aSrcImage->mHeight));
  int aX = theX + (theSrcRect.mX + theSrcRect.mWidth) - (aSrc.mX + aSrc.mWidth);
  int aY = theY + aSrc.mY - theSrcRect.mY;
  TRect<int> aDest =
      TRect<int>(aX, aY, aSrc.mWidth, aSrc.mHeight).Intersection(TRect<int>(0, 0, mWidth, mHeight));
  if (aDest.mWidth > 0 && aDest.mHeight > 0) {
    const int aSrcRight = aSrc.mX + aSrc.mWidth - 1 - (aDest.mX - aX);
    const int aSrcTop = aSrc.mY + (aDest.mY - aY);
    aSrcImage->CommitBits();
    BlitSource aBlitSrc(aSrcImage);
    uint32_t* aDestBits = GetBits() + aDest.mY * mWidth + aDest.mX;
    auto aRun = [&](auto op) {
      MirrorRect(aDestBits, mWidth, aBlitSrc, aSrcRight, aSrcTop, aDest.mWidth, aDest.mHeight, op);
    };
    if (theDrawMode == DRAWMODE_ADDITIVE) {
      BlitPixel::WithAdditiveOp(theColor, aSrcImage->mHasPartialAlpha, GetAddClampTable(), aRun);
    } else if (!mHasTransparent && !mHasPartialAlpha && theColor == Color::White) {
      // The run loop's rule pixel by pixel: copy opaque, skip transparent, blend the rest opaquely.
      aRun([](uint32_t d, uint32_t s) {
        uint32_t a = s >> 24;
        return a == 255 ? s : (a == 0 ? d : BlitPixel::OverOpaque(d, s, a));
      });
    } else {
      BlitPixel::WithNormalOp(theColor, aRun);
    }
  }
  BitsChanged();
}

void MemoryImage::BltF(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                       const TRect<int>& theClipRect, const Color& theColor, int theDrawMode) {
  theImage->mDrawn = true;
  BltRotated(theImage, theX, theY, theSrcRect, theClipRect, theColor, theDrawMode, 0.0, 0.0f, 0.0f);
}

}  // namespace Tesk

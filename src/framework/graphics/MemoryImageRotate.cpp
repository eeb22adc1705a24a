// The rotated blit of MemoryImage: bilinear, 16.16 fixed point, the span of each
// row narrowed so that every tap lies in the source rectangle; the spans are drawn by
// BlitSimdRotate.
#include <algorithm>
#include <cmath>

#include "graphics/BlitSimdRotate.h"
#include "graphics/BlitSource.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"
#include "graphics/RotateAxis.h"

namespace Tesk {

bool MemoryImage::BltRotatedClipHelper(float& theX, float& theY, const TRect<int>& theSrcRect,
                                       const TRect<int>& theClipRect, double theRot,
                                       TRect<double>& theDestRect, float theRotCenterX, float theRotCenterY) {
  float c = std::cos(float(theRot));
  float s = std::sin(float(theRot));
  const float aCornersX[4] = {0, float(theSrcRect.mWidth), float(theSrcRect.mWidth), 0};
  const float aCornersY[4] = {0, 0, float(theSrcRect.mHeight), float(theSrcRect.mHeight)};
  double aMinX = 1e7, aMinY = 1e7, aMaxX = -1e7, aMaxY = -1e7;
  for (int i = 0; i < 4; ++i) {
    float dx = aCornersX[i] - theRotCenterX;
    float dy = aCornersY[i] - theRotCenterY;
    float X = theX + (dx * c + theRotCenterX + dy * s);
    float Y = theY + (dy * c + theRotCenterY - dx * s);
    aMinX = std::min<double>(aMinX, X);
    aMaxX = std::max<double>(aMaxX, X);
    aMinY = std::min<double>(aMinY, Y);
    aMaxY = std::max<double>(aMaxY, Y);
  }
  TRect<double> aBox(aMinX, aMinY, aMaxX - aMinX, aMaxY - aMinY);
  theDestRect = aBox.Intersection(
      TRect<double>(theClipRect.mX, theClipRect.mY, theClipRect.mWidth, theClipRect.mHeight));
  return theDestRect.mWidth > 0 && theDestRect.mHeight > 0;
}

void MemoryImage::BltRotated(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                             const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                             double theRot, float theRotCenterX, float theRotCenterY) {
  theImage->mDrawn = true;
  // The clip is kept inside this image even when a caller hands a wider one.
  TRect<int> aClip = theClipRect.Intersection(TRect<int>(0, 0, mWidth, mHeight));
  TRect<double> D;
  if (!BltRotatedClipHelper(theX, theY, theSrcRect, aClip, theRot, D, theRotCenterX, theRotCenterY)) return;
  MemoryImage* aSrcImage = dynamic_cast<MemoryImage*>(theImage);
  if (!aSrcImage) return;
  // Taps are read anywhere in the source rectangle, so it must lie in the source.
  if (theSrcRect.mX < 0 || theSrcRect.mY < 0 || theSrcRect.mWidth < 1 || theSrcRect.mHeight < 1 ||
      theSrcRect.mX + theSrcRect.mWidth > aSrcImage->mWidth ||
      theSrcRect.mY + theSrcRect.mHeight > aSrcImage->mHeight)
    return;

  BlitSource aSrc(aSrcImage);
  const int aPitch = aSrc.mPitch;
  const int anOrigin = theSrcRect.mY * aPitch + theSrcRect.mX;
  const double aCos = std::cos(theRot), aSin = std::sin(theRot);
  const int32_t du = int32_t(65536.0 * aCos), dv = int32_t(65536.0 * aSin);
  const int32_t W = theSrcRect.mWidth, H = theSrcRect.mHeight;

  BlitSimdRotate::Setup k;
  const bool aWhite = theColor == Color::White;
  if (theDrawMode == DRAWMODE_NORMAL) {
    k.mKind = aWhite ? BlitSimdRotate::Kind::Over : BlitSimdRotate::Kind::OverColour;
    k.mAlpha = uint32_t(theColor.mAlpha);
    k.kR = uint32_t(theColor.mRed) + 1;
    k.kG = uint32_t(theColor.mGreen) + 1;
    k.kB = uint32_t(theColor.mBlue) + 1;
  } else {
    k.mKind = aWhite ? BlitSimdRotate::Kind::Add : BlitSimdRotate::Kind::AddColour;
    k.T = GetAddClampTable();
    k.kR = uint32_t(theColor.mRed) * uint32_t(theColor.mAlpha) / 255;
    k.kG = uint32_t(theColor.mGreen) * uint32_t(theColor.mAlpha) / 255;
    k.kB = uint32_t(theColor.mBlue) * uint32_t(theColor.mAlpha) / 255;
  }
  BlitSimdRotate::Prepare(k);
  BlitSimdRotate::Source aTaps;
  aTaps.mPitch = aPitch;
  if (aSrc.IsPalette()) {
    aTaps.mIndices = aSrc.mIndices + anOrigin;
    aTaps.mPalette = aSrc.mPalette;
  } else {
    aTaps.mBits = aSrc.mBits + anOrigin;
  }

  const int aDestX = int(D.mX), aDestY = int(D.mY);
  uint32_t* aDestRow = GetBits() + aDestY * mWidth + aDestX;
  const int aRightMost = int(D.mWidth - 1.0);
  for (int r = 0; r < D.mHeight; ++r, aDestRow += mWidth) {
    float fx = float(aDestX) - theRotCenterX - theX;
    float fy = float(aDestY + r) - theRotCenterY - theY;
    double aU0 = 65536.0 * (fx * aCos - fy * aSin + theRotCenterX);
    double aV0 = 65536.0 * (fy * aCos + fx * aSin + theRotCenterY);
    // So far out the row cannot touch the source, and the words would overflow.
    if (std::fabs(aU0) > 1e9 || std::fabs(aV0) > 1e9) continue;
    int32_t u = int32_t(aU0), v = int32_t(aV0);
    int aLeft = 0, aRight = aRightMost;
    if (!NarrowRotateAxis(u, du, W, 0x7FFF, aLeft, aRight)) continue;
    if (!NarrowRotateAxis(v, dv, H, 0, aLeft, aRight)) continue;
    if (aLeft > aRight) continue;
    int32_t aU = u + aLeft * du, aV = v + aLeft * dv;
    BlitSimdRotate::Row(k, aDestRow + aLeft, aRight - aLeft + 1, aU, aV, du, dv, aTaps);
  }
  BitsChanged();
}

}  // namespace Tesk

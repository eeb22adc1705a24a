// The rotated blit of MemoryImage: bilinear, 16.16 fixed point, the span of each
// row narrowed so that every tap lies in the source rectangle.
#include <algorithm>
#include <cmath>

#include "graphics/BlitSource.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"
#include "graphics/RotateAxis.h"

namespace Tesk {

namespace {

struct RotateKernel {
  int mMode;  // 0 normal white, 1 normal colourised, 2 additive white, 3 additive colourised
  uint32_t mAlpha;
  uint32_t kR, kG, kB;  // colour + 1 (normal) or premultiplied colour (additive)
  const uint8_t* T;
};

// One destination row: taps fetched through theFetch(column, row offset).
template <int kMode, class Fetch>
void RotateSpan(uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du, int32_t dv, int thePitch,
                Fetch theFetch, const RotateKernel& k) {
  for (int i = 0; i < theCount; ++i, u += du, v += dv) {
    int iu = u >> 16, iv = v >> 16;
    int aRow = iv * thePitch + iu;
    uint32_t p00 = theFetch(aRow), p10 = theFetch(aRow + 1);
    uint32_t p01 = theFetch(aRow + thePitch), p11 = theFetch(aRow + thePitch + 1);
    uint32_t fu = (uint32_t(u) & 0xFFFE) + 1, fv = (uint32_t(v) & 0xFFFE) + 1;
    uint32_t w00 = ((((0x10000 - fv) * (0x10000 - fu)) >> 16) * (p00 >> 24)) >> 16;
    uint32_t w10 = ((((0x10000 - fv) * fu) >> 16) * (p10 >> 24)) >> 16;
    uint32_t w01 = ((((0x10000 - fu) * fv) >> 16) * (p01 >> 24)) >> 16;
    uint32_t w11 = (((fu * fv) >> 16) * (p11 >> 24)) >> 16;
    if (kMode == 1) {
      w00 = (w00 * k.mAlpha) >> 8;
      w10 = (w10 * k.mAlpha) >> 8;
      w01 = (w01 * k.mAlpha) >> 8;
      w11 = (w11 * k.mAlpha) >> 8;
    }
    uint32_t A = w00 + w10 + w01 + w11;
    if (A == 0) continue;
    uint32_t SR =
        (p00 & 0xFF0000) * w00 + (p10 & 0xFF0000) * w10 + (p01 & 0xFF0000) * w01 + (p11 & 0xFF0000) * w11;
    uint32_t SG = (p00 & 0xFF00) * w00 + (p10 & 0xFF00) * w10 + (p01 & 0xFF00) * w01 + (p11 & 0xFF00) * w11;
    uint32_t SB = (p00 & 0xFF) * w00 + (p10 & 0xFF) * w10 + (p01 & 0xFF) * w01 + (p11 & 0xFF) * w11;
    uint32_t d = theDest[i];
    uint32_t dR = (d >> 16) & 0xFF, dG = (d >> 8) & 0xFF, dB = d & 0xFF;
    if (kMode == 2) {
      theDest[i] = (d & 0xFF000000) | (uint32_t(k.T[(SR >> 24) + dR]) << 16) |
                   (uint32_t(k.T[(SG >> 16) + dG]) << 8) | k.T[(SB >> 8) + dB];
      continue;
    }
    if (kMode == 3) {
      theDest[i] = (d & 0xFF000000) | (uint32_t(k.T[((k.kR * (SR >> 24)) >> 8) + dR]) << 16) |
                   (uint32_t(k.T[((k.kG * SG) >> 24) + dG]) << 8) | k.T[((k.kB * SB) >> 16) + dB];
      continue;
    }
    uint32_t R, G, B;
    if (kMode == 0) {
      R = SR & 0xFF000000;
      G = SG & 0xFF0000;
      B = SB & 0xFF00;
      if (A >= 251) {
        theDest[i] = 0xFF000000 | (R >> 8) | (G >> 8) | (B >> 8);
        continue;
      }
    } else {
      R = (k.kR * (SR >> 8)) & 0xFF000000;
      G = (k.kG * (SG & 0xFF0000)) & 0xFF000000;
      B = (k.kB * (SB & 0xFF00)) & 0xFF0000;
      if (A >= 251) {
        theDest[i] = 0xFF000000 | (R >> 8) | (G >> 16) | (B >> 16);
        continue;
      }
    }
    uint32_t da = d >> 24;
    uint32_t pR = ((d & 0xFF0000) * da >> 8) & 0xFF0000;
    uint32_t pG = ((d & 0xFF00) * da >> 8) & 0xFF00;
    uint32_t pB = ((d & 0xFF) * da >> 8) & 0xFF;
    uint32_t na = 256 - (((256 - da) * (256 - A)) >> 8);
    uint32_t aRed = (((256 - A) * pR + R) / na) & 0xFF0000;
    uint32_t aGreen, aBlue;
    if (kMode == 0) {
      aGreen = (((256 - A) * pG + G) / na) & 0xFF00;
      aBlue = (((256 - A) * pB + B) / na) & 0xFF;
    } else {
      aGreen = (((G >> 8) + (256 - A) * pG) / na) & 0xFF00;
      aBlue = (((B >> 8) + (256 - A) * pB) / na) & 0xFF;
    }
    theDest[i] = ((na - 1) << 24) | aRed | aGreen | aBlue;
  }
}

template <class Fetch>
void RotateSpanFor(const RotateKernel& k, uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du,
                   int32_t dv, int thePitch, Fetch theFetch) {
  switch (k.mMode) {
    case 0:
      RotateSpan<0>(theDest, theCount, u, v, du, dv, thePitch, theFetch, k);
      break;
    case 1:
      RotateSpan<1>(theDest, theCount, u, v, du, dv, thePitch, theFetch, k);
      break;
    case 2:
      RotateSpan<2>(theDest, theCount, u, v, du, dv, thePitch, theFetch, k);
      break;
    default:
      RotateSpan<3>(theDest, theCount, u, v, du, dv, thePitch, theFetch, k);
      break;
  }
}

}  // namespace

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

  RotateKernel k{};
  const bool aWhite = theColor == Color::White;
  if (theDrawMode == DRAWMODE_NORMAL) {
    k.mMode = aWhite ? 0 : 1;
    k.mAlpha = uint32_t(theColor.mAlpha);
    k.kR = uint32_t(theColor.mRed) + 1;
    k.kG = uint32_t(theColor.mGreen) + 1;
    k.kB = uint32_t(theColor.mBlue) + 1;
  } else {
    k.mMode = aWhite ? 2 : 3;
    k.T = GetAddClampTable();
    k.kR = uint32_t(theColor.mRed) * uint32_t(theColor.mAlpha) / 255;
    k.kG = uint32_t(theColor.mGreen) * uint32_t(theColor.mAlpha) / 255;
    k.kB = uint32_t(theColor.mBlue) * uint32_t(theColor.mAlpha) / 255;
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
    if (aSrc.IsPalette())
      RotateSpanFor(k, aDestRow + aLeft, aRight - aLeft + 1, aU, aV, du, dv, aPitch,
                    PaletteFetch{aSrc.mIndices + anOrigin, aSrc.mPalette});
    else
      RotateSpanFor(k, aDestRow + aLeft, aRight - aLeft + 1, aU, aV, du, dv, aPitch,
                    BitsFetch{aSrc.mBits + anOrigin});
  }
  BitsChanged();
}

}  // namespace Tesk

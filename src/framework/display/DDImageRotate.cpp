// DDImage: the rotated blit, bilinear in 16.16 with the memory image's spans, blended straight
// into the locked surface in its own pixel format. A 32-bit surface with 8-bit channels at
// shifts 16, 8 and 0 takes BlitSimdRotate's spans, which compute what the kernels here do.
#include <algorithm>
#include <cmath>

#include "display/D3DInterface.h"
#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "graphics/BlitSimdRotate.h"
#include "graphics/BlitSource.h"
#include "graphics/DrawMode.h"
#include "graphics/RotateAxis.h"

namespace Tesk {

namespace {

enum class RotateKernel { General, Packed565, Packed555, PackedPair, Colourised, Additive };

// Everything a kernel needs that does not change per pixel.
struct RotateSetup {
  RotateKernel mKernel;
  uint32_t RM, GM, BM;
  int rb, gb, bb, rs, gs, bs;
  uint32_t mAlphaByte;  // ORed into 32-bit results
  uint32_t mColourAlpha;
  uint32_t kR, kG, kB;  // colour + 1 (colourised) or colour × alpha / 255 (additive)
  const int* TR;
  const int* TG;
  const int* TB;
};

template <class Pixel, RotateKernel kKernel, class Fetch>
void RotateRow(Pixel* theDest, int theCount, int32_t u, int32_t v, int32_t du, int32_t dv, int thePitch,
               Fetch theFetch, const RotateSetup& k) {
  for (int i = 0; i < theCount; ++i, u += du, v += dv) {
    int aRow = (v >> 16) * thePitch + (u >> 16);
    uint32_t p00 = theFetch(aRow), p10 = theFetch(aRow + 1);
    uint32_t p01 = theFetch(aRow + thePitch), p11 = theFetch(aRow + thePitch + 1);
    uint32_t fu = (uint32_t(u) & 0xFFFE) + 1, fv = (uint32_t(v) & 0xFFFE) + 1;
    uint32_t w00 = ((((0x10000 - fv) * (0x10000 - fu)) >> 16) * (p00 >> 24)) >> 16;
    uint32_t w10 = ((((0x10000 - fv) * fu) >> 16) * (p10 >> 24)) >> 16;
    uint32_t w01 = ((((0x10000 - fu) * fv) >> 16) * (p01 >> 24)) >> 16;
    uint32_t w11 = (((fu * fv) >> 16) * (p11 >> 24)) >> 16;
    if (kKernel == RotateKernel::Colourised) {
      w00 = (w00 * k.mColourAlpha) >> 8;
      w10 = (w10 * k.mColourAlpha) >> 8;
      w01 = (w01 * k.mColourAlpha) >> 8;
      w11 = (w11 * k.mColourAlpha) >> 8;
    }
    const uint32_t A = w00 + w10 + w01 + w11;
    const uint32_t inv = 256 - A;
    const uint32_t SR =
        (p00 & 0xFF0000) * w00 + (p10 & 0xFF0000) * w10 + (p01 & 0xFF0000) * w01 + (p11 & 0xFF0000) * w11;
    const uint32_t SG =
        (p00 & 0xFF00) * w00 + (p10 & 0xFF00) * w10 + (p01 & 0xFF00) * w01 + (p11 & 0xFF00) * w11;
    const uint32_t SB = (p00 & 0xFF) * w00 + (p10 & 0xFF) * w10 + (p01 & 0xFF) * w01 + (p11 & 0xFF) * w11;
    const uint32_t d = theDest[i];
    uint32_t aResult;
    if (kKernel == RotateKernel::General) {
      aResult = ((((inv * (d & k.BM)) >> 8) & k.BM) + ((SB >> (16 - k.bb)) << k.bs)) |
                (((SG >> (24 - k.gb)) << k.gs) + (((inv * (d & k.GM)) >> 8) & k.GM)) |
                (((SR >> (32 - k.rb)) << k.rs) + (((inv * (d & k.RM)) >> 8) & k.RM)) | k.mAlphaByte;
    } else if (kKernel == RotateKernel::Colourised) {
      aResult = ((((inv * (d & k.BM)) >> 8) & k.BM) + (((k.kB * (SB >> 8)) >> (16 - k.bb)) << k.bs)) |
                ((((k.kG * (SG >> 8)) >> (24 - k.gb)) << k.gs) + (((inv * (d & k.GM)) >> 8) & k.GM)) |
                ((((k.kR * (SR >> 8)) >> (32 - k.rb)) << k.rs) + (((inv * (d & k.RM)) >> 8) & k.RM)) |
                k.mAlphaByte;
    } else if (kKernel == RotateKernel::Additive) {
      uint32_t R = static_cast<uint32_t>(k.TR[((d & k.RM) >> k.rs) + ((k.kR * (SR >> (32 - k.rb))) >> 8)]);
      uint32_t G = static_cast<uint32_t>(k.TG[((d & k.GM) >> k.gs) + ((k.kG * SG) >> (32 - k.gb))]);
      uint32_t B = static_cast<uint32_t>(k.TB[((d & k.BM) >> k.bs) + ((k.kB * SB) >> (24 - k.bb))]);
      aResult = (R << k.rs) | (G << k.gs) | (B << k.bs) | k.mAlphaByte;
    } else {
      const uint32_t P = ((p00 & 0x00FF00FF) * w00 + (p10 & 0x00FF00FF) * w10 + (p01 & 0x00FF00FF) * w01 +
                          (p11 & 0x00FF00FF) * w11) &
                         0xFF00FF00;
      const uint32_t Q = SG & 0xFF0000;
      if (kKernel == RotateKernel::PackedPair) {
        aResult =
            (((inv * (d & 0x00FF00FF) + P) >> 8) & 0x00FF00FF) | (((inv * (d & 0xFF00) + Q) >> 8) & 0xFF00);
      } else {
        const bool is565 = kKernel == RotateKernel::Packed565;
        const uint32_t K = is565 ? 0x07E0F81Fu : 0x03E07C1Fu;
        const uint32_t D = (d * 0x10001u) & K;
        const uint32_t S = (P | Q) >> 8;
        const uint32_t S5 = is565 ? ((S & 0xFC00) << 11) + ((S >> 8) & 0xF800) + ((S >> 3) & 0x1F)
                                  : ((S & 0xF800) << 10) + ((S >> 9) & 0x7C00) + ((S >> 3) & 0x1F);
        const uint32_t t = ((((inv >> 3) * D) >> 5) & K) + S5;
        aResult = (t >> 16) | t;
      }
    }
    theDest[i] = static_cast<Pixel>(aResult);
  }
}

template <class Pixel, class Fetch>
void RotateRowFor(const RotateSetup& k, Pixel* theDest, int theCount, int32_t u, int32_t v, int32_t du,
                  int32_t dv, int thePitch, Fetch theFetch) {
  switch (k.mKernel) {
    case RotateKernel::General:
      RotateRow<Pixel, RotateKernel::General>(theDest, theCount, u, v, du, dv, thePitch, theFetch, k);
      break;
    case RotateKernel::Packed565:
      RotateRow<Pixel, RotateKernel::Packed565>(theDest, theCount, u, v, du, dv, thePitch, theFetch, k);
      break;
    case RotateKernel::Packed555:
      RotateRow<Pixel, RotateKernel::Packed555>(theDest, theCount, u, v, du, dv, thePitch, theFetch, k);
      break;
    case RotateKernel::PackedPair:
      RotateRow<Pixel, RotateKernel::PackedPair>(theDest, theCount, u, v, du, dv, thePitch, theFetch, k);
      break;
    case RotateKernel::Colourised:
      RotateRow<Pixel, RotateKernel::Colourised>(theDest, theCount, u, v, du, dv, thePitch, theFetch, k);
      break;
    case RotateKernel::Additive:
      RotateRow<Pixel, RotateKernel::Additive>(theDest, theCount, u, v, du, dv, thePitch, theFetch, k);
      break;
  }
}

// The same spans for a 32-bit surface with 8-bit channels at shifts 16, 8 and 0, where they
// are BlitSimdRotate's: false when the surface or the kernel is another.
bool VectorSetup(const RotateSetup& k, BlitSimdRotate::Setup& theSetup) {
  if (k.RM != 0xFF0000 || k.GM != 0xFF00 || k.BM != 0xFF || k.rb != 8 || k.gb != 8 || k.bb != 8 ||
      k.rs != 16 || k.gs != 8 || k.bs != 0)
    return false;
  switch (k.mKernel) {
    case RotateKernel::General:  // at these masks the general mix is the packed pair's
    case RotateKernel::PackedPair:
      theSetup.mKind = BlitSimdRotate::Kind::SurfaceMix;
      break;
    case RotateKernel::Colourised:
      theSetup.mKind = BlitSimdRotate::Kind::SurfaceColour;
      break;
    case RotateKernel::Additive:
      theSetup.mKind = BlitSimdRotate::Kind::SurfaceAdd;
      break;
    default:
      return false;
  }
  theSetup.mAlpha = k.mColourAlpha;
  theSetup.kR = k.kR;
  theSetup.kG = k.kG;
  theSetup.kB = k.kB;
  theSetup.mAlphaByte = k.mAlphaByte;
  theSetup.TR = k.TR;
  theSetup.TG = k.TG;
  theSetup.TB = k.TB;
  BlitSimdRotate::Prepare(theSetup);
  return true;
}

template <class Pixel>
void RotateRows(const _DDSURFACEDESC& theDesc, const RotateSetup& k, const BlitSource& theSrc,
                const TRect<int>& theSrcRect, const TRect<double>& D, float theX, float theY, double theRot,
                float theRotCenterX, float theRotCenterY) {
  // The plain level keeps the kernels here, so that tests can hold the spans against them.
  BlitSimdRotate::Setup aVector;
  const bool aVectorRows = sizeof(Pixel) == 4 && BlitSimdRotate::GetLevel() != BlitSimdRotate::Level::Plain &&
                           VectorSetup(k, aVector);
  BlitSimdRotate::Source aTaps;
  const int aPitch = theSrc.mPitch;
  const int anOrigin = theSrcRect.mY * aPitch + theSrcRect.mX;
  const double aCos = std::cos(theRot), aSin = std::sin(theRot);
  const int32_t du = int32_t(65536.0 * aCos), dv = int32_t(65536.0 * aSin);
  const int aDestX = int(D.mX), aDestY = int(D.mY);
  const int aRowStep = theDesc.lPitch / static_cast<int>(sizeof(Pixel));
  Pixel* aDestRow = static_cast<Pixel*>(theDesc.lpSurface) +
                    (theDesc.lPitch * aDestY) / static_cast<int>(sizeof(Pixel)) + aDestX;
  aTaps.mPitch = aPitch;
  if (theSrc.IsPalette()) {
    aTaps.mIndices = theSrc.mIndices + anOrigin;
    aTaps.mPalette = theSrc.mPalette;
  } else {
    aTaps.mBits = theSrc.mBits + anOrigin;
  }
  const int aRightMost = int(D.mWidth - 1.0);
  for (int r = 0; r < D.mHeight; ++r, aDestRow += aRowStep) {
    float fx = float(aDestX) - theRotCenterX - theX;
    float fy = float(aDestY + r) - theRotCenterY - theY;
    double aU0 = 65536.0 * (fx * aCos - fy * aSin + theRotCenterX);
    double aV0 = 65536.0 * (fy * aCos + fx * aSin + theRotCenterY);
    if (std::fabs(aU0) > 1e9 || std::fabs(aV0) > 1e9) continue;
    int32_t u = int32_t(aU0), v = int32_t(aV0);
    int aLeft = 0, aRight = aRightMost;
    if (!NarrowRotateAxis(u, du, theSrcRect.mWidth, 0x7FFF, aLeft, aRight)) continue;
    if (!NarrowRotateAxis(v, dv, theSrcRect.mHeight, 0, aLeft, aRight)) continue;
    if (aLeft > aRight) continue;
    int32_t aU = u + aLeft * du, aV = v + aLeft * dv;
    if (aVectorRows)
      BlitSimdRotate::Row(aVector, reinterpret_cast<uint32_t*>(aDestRow + aLeft), aRight - aLeft + 1, aU, aV,
                          du, dv, aTaps);
    else if (theSrc.IsPalette())
      RotateRowFor(k, aDestRow + aLeft, aRight - aLeft + 1, aU, aV, du, dv, aPitch,
                   PaletteFetch{theSrc.mIndices + anOrigin, theSrc.mPalette});
    else
      RotateRowFor(k, aDestRow + aLeft, aRight - aLeft + 1, aU, aV, du, dv, aPitch,
                   BitsFetch{theSrc.mBits + anOrigin});
  }
}

}  // namespace

void DDImage::BltRotated(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                         const TRect<int>& theClipRect, const Color& theColor, int theDrawMode, double theRot,
                         float theRotCenterX, float theRotCenterY) {
  theImage->mDrawn = true;
  if (mVideoOnly) return;
  CommitBits();
  if (Check3D(this)) {
    GetD3D()->BltRotated(theImage, theX, theY, &theClipRect, theColor, theDrawMode, theRot, theRotCenterX,
                         theRotCenterY, theSrcRect);
    return;
  }
  if (DrawsInMemory(true) || GetSurface() == nullptr) {
    MemoryImage::BltRotated(theImage, theX, theY, theSrcRect, theClipRect, theColor, theDrawMode, theRot,
                            theRotCenterX, theRotCenterY);
    return;
  }
  // The clip stays inside this image even when a caller hands a wider one.
  TRect<int> aClip = theClipRect.Intersection(TRect<int>(0, 0, mWidth, mHeight));
  TRect<double> D;
  if (!BltRotatedClipHelper(theX, theY, theSrcRect, aClip, theRot, D, theRotCenterX, theRotCenterY)) return;
  MemoryImage* aSource = dynamic_cast<MemoryImage*>(theImage);
  if (aSource == nullptr) {
    DeleteAllNonSurfaceData();
    return;
  }
  aSource->CommitBits();
  // Taps are read anywhere in the source rectangle, so it must lie in the source.
  if (theSrcRect.mX < 0 || theSrcRect.mY < 0 || theSrcRect.mWidth < 1 || theSrcRect.mHeight < 1 ||
      theSrcRect.mX + theSrcRect.mWidth > aSource->mWidth ||
      theSrcRect.mY + theSrcRect.mHeight > aSource->mHeight)
    return;

  if (!LockSurface()) return;
  const uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  RotateSetup k{};
  k.RM = mLockDesc.ddpfPixelFormat.dwRBitMask;
  k.GM = mLockDesc.ddpfPixelFormat.dwGBitMask;
  k.BM = mLockDesc.ddpfPixelFormat.dwBBitMask;
  k.rb = mDDInterface->mRedBits;
  k.gb = mDDInterface->mGreenBits;
  k.bb = mDDInterface->mBlueBits;
  k.rs = mDDInterface->mRedShift;
  k.gs = mDDInterface->mGreenShift;
  k.bs = mDDInterface->mBlueShift;
  k.TR = mDDInterface->mRedAddTable.get();
  k.TG = mDDInterface->mGreenAddTable.get();
  k.TB = mDDInterface->mBlueAddTable.get();
  const bool is32 = aBitCount == 32;
  k.mAlphaByte = is32 ? 0xFF000000u : 0;
  k.mColourAlpha = static_cast<uint32_t>(theColor.mAlpha);
  if (theDrawMode != DRAWMODE_NORMAL) {
    k.mKernel = RotateKernel::Additive;
    k.kR = static_cast<uint32_t>(theColor.mRed * theColor.mAlpha) / 255;
    k.kG = static_cast<uint32_t>(theColor.mGreen * theColor.mAlpha) / 255;
    k.kB = static_cast<uint32_t>(theColor.mBlue * theColor.mAlpha) / 255;
  } else if (theColor != Color::White) {
    k.mKernel = RotateKernel::Colourised;
    k.kR = static_cast<uint32_t>(theColor.mRed) + 1;
    k.kG = static_cast<uint32_t>(theColor.mGreen) + 1;
    k.kB = static_cast<uint32_t>(theColor.mBlue) + 1;
  } else if (!gOptimizeSoftwareDrawing) {
    k.mKernel = RotateKernel::General;
  } else if (is32) {
    k.mKernel = RotateKernel::PackedPair;
    k.mAlphaByte = 0;
  } else {
    k.mKernel = k.GM == 0x07E0 ? RotateKernel::Packed565
                               : (k.GM == 0x03E0 ? RotateKernel::Packed555 : RotateKernel::General);
  }
  const bool hasTables = k.TR != nullptr && k.TG != nullptr && k.TB != nullptr;
  if (mLockDesc.lpSurface != nullptr && (aBitCount == 16 || is32) &&
      (k.mKernel != RotateKernel::Additive || hasTables)) {
    BlitSource aSrc(aSource);
    if (is32)
      RotateRows<uint32_t>(mLockDesc, k, aSrc, theSrcRect, D, theX, theY, theRot, theRotCenterX,
                           theRotCenterY);
    else
      RotateRows<uint16_t>(mLockDesc, k, aSrc, theSrcRect, D, theX, theY, theRot, theRotCenterX,
                           theRotCenterY);
  }
  UnlockSurface();
  DeleteAllNonSurfaceData();
}

}  // namespace Tesk

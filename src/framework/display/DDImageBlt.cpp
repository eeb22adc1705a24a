// DDImage: normal and additive blits straight into the locked surface, in its own pixel format,
// walking the source's cached native words run by run; and the surface-to-surface copy.
#include <algorithm>

#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "display/DIRECTDRAWSURFACE3.h"
#include "graphics/BlitSimd.h"

namespace Tesk {

namespace {

constexpr uint32_t k_Spread565 = 0x07E0F81Fu;
constexpr uint32_t k_Spread555 = 0x03E07C1Fu;

inline uint32_t Spread(uint32_t v, uint32_t theMask) { return (v * 0x10001u) & theMask; }
inline uint32_t Fold(uint32_t t) { return (t >> 16) | t; }

// Where the blit reads its pixels: native words directly, or through a palette by index byte.
struct SourceRows {
  const uint32_t* mNative;  // per pixel, or the 256-entry native palette
  const uint8_t* mIndices;  // null for a direct source
  const uint8_t* mRuns;     // run-length bytes, per pixel
  int mStride;

  uint32_t At(size_t i) const { return mIndices != nullptr ? mNative[mIndices[i]] : mNative[i]; }
};

// The surface's rows: the pixel pointer of (x, y) and the step to the next row.
template <class Pixel>
struct DestRows {
  uint8_t* mBase;
  int32_t mPitch;
  Pixel* Row(int x, int y) const {
    return reinterpret_cast<Pixel*>(mBase) + (mPitch * y) / static_cast<int>(sizeof(Pixel)) + x;
  }
  int Step() const { return mPitch / static_cast<int>(sizeof(Pixel)); }
};

// Walks the rectangle row by row and run by run: theOp(run, first, count, src index, dest) handles
// one run of one alpha (or black) class; the destination moves left for a mirror.
template <class Pixel, class RunOp>
void WalkRuns(const SourceRows& theSrc, const DestRows<Pixel>& theDest, int theX, int theY,
              const TRect<int>& theSrcRect, bool mirror, RunOp theOp) {
  const int aDir = mirror ? -1 : 1;
  Pixel* aDestRow = theDest.Row(mirror ? theX + theSrcRect.mWidth - 1 : theX, theY);
  const int aDestStep = theDest.Step();
  size_t aSrcRow = static_cast<size_t>(theSrcRect.mY) * theSrc.mStride + theSrcRect.mX;
  for (int y = 0; y < theSrcRect.mHeight; ++y, aDestRow += aDestStep, aSrcRow += theSrc.mStride) {
    Pixel* d = aDestRow;
    size_t i = aSrcRow;
    int aRemaining = theSrcRect.mWidth;
    while (aRemaining > 0) {
      // A run byte of 0 would never advance; it counts as one pixel.
      int aRun = std::max(1, std::min<int>(theSrc.mRuns[i], aRemaining));
      theOp(theSrc.At(i), i, aRun, d, aDir);
      i += aRun;
      d += aRun * aDir;
      aRemaining -= aRun;
    }
  }
}

bool IsWhite(const Color& theColor) { return theColor == Color::White; }

}  // namespace

void DDImage::NormalBlt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                        const Color& theColor) {
  NormalBltAny(theImage, theX, theY, theSrcRect, theColor, false);
}

void DDImage::NormalBltMirror(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                              const Color& theColor) {
  NormalBltAny(theImage, theX, theY, theSrcRect, theColor, true);
}

void DDImage::AdditiveBlt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                          const Color& theColor) {
  AdditiveBltAny(theImage, theX, theY, theSrcRect, theColor, false);
}

void DDImage::AdditiveBltMirror(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                                const Color& theColor) {
  AdditiveBltAny(theImage, theX, theY, theSrcRect, theColor, true);
}

bool DDImage::SurfaceCopy(DDImage* theSource, const TRect<int>& theDestRect, const TRect<int>& theSrcRect) {
  DIRECTDRAWSURFACE3* aSrcSurface = theSource->GetSurface();
  DIRECTDRAWSURFACE3* aDestSurface = GetSurface();
  if (aSrcSurface == nullptr || aDestSurface == nullptr) return false;
  if (theDestRect.mWidth <= 0 || theDestRect.mHeight <= 0 || theSrcRect.mWidth <= 0 ||
      theSrcRect.mHeight <= 0)
    return true;
  if (!LockSurface()) return false;
  _DDSURFACEDESC aSrcDesc = MakeSurfaceDesc();
  bool isSelf = theSource == this;
  if (isSelf)
    aSrcDesc = mLockDesc;
  else if (!theSource->LockSurface())
    aSrcDesc.lpSurface = nullptr;
  else
    aSrcDesc = theSource->mLockDesc;
  const uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  if (aSrcDesc.lpSurface != nullptr && mLockDesc.lpSurface != nullptr &&
      aSrcDesc.ddpfPixelFormat.dwRGBBitCount == aBitCount && (aBitCount == 16 || aBitCount == 32)) {
    // Nearest sample in 16.16, clipped on every edge to both surfaces, so an overhanging or
    // scaled copy never writes or reads outside them. Words under the source's key are skipped;
    // the rest are copied opaque.
    const bool isKeyed = theSource->mHasSurfaceKey && theSource->mHasTransparent;
    const uint32_t aKey = theSource->mSurfaceKey;
    const int aSrcW = static_cast<int>(aSrcDesc.dwWidth), aSrcH = static_cast<int>(aSrcDesc.dwHeight);
    const int64_t aStepX = (int64_t(theSrcRect.mWidth) << 16) / theDestRect.mWidth;
    const int64_t aStepY = (int64_t(theSrcRect.mHeight) << 16) / theDestRect.mHeight;
    const int aX0 = std::max(theDestRect.mX, 0), aY0 = std::max(theDestRect.mY, 0);
    const int aX1 = std::min(theDestRect.mX + theDestRect.mWidth, mWidth);
    const int aY1 = std::min(theDestRect.mY + theDestRect.mHeight, mHeight);
    for (int y = aY0; y < aY1; ++y) {
      int64_t aSrcY = theSrcRect.mY + (((y - theDestRect.mY) * aStepY) >> 16);
      if (aSrcY < 0 || aSrcY >= aSrcH) continue;
      int64_t aFixedX = (int64_t(theSrcRect.mX) << 16) + (aX0 - theDestRect.mX) * aStepX;
      for (int x = aX0; x < aX1; ++x, aFixedX += aStepX) {
        int64_t aSrcX = aFixedX >> 16;
        if (aSrcX < 0 || aSrcX >= aSrcW) continue;
        if (aBitCount == 32) {
          uint32_t s = DestRows<uint32_t>{static_cast<uint8_t*>(aSrcDesc.lpSurface), aSrcDesc.lPitch}.Row(
              static_cast<int>(aSrcX), static_cast<int>(aSrcY))[0];
          if (isKeyed && s == aKey) continue;
          *DestRows<uint32_t>{static_cast<uint8_t*>(mLockDesc.lpSurface), mLockDesc.lPitch}.Row(x, y) =
              s | 0xFF000000u;
        } else {
          uint16_t s = DestRows<uint16_t>{static_cast<uint8_t*>(aSrcDesc.lpSurface), aSrcDesc.lPitch}.Row(
              static_cast<int>(aSrcX), static_cast<int>(aSrcY))[0];
          if (isKeyed && s == aKey) continue;
          *DestRows<uint16_t>{static_cast<uint8_t*>(mLockDesc.lpSurface), mLockDesc.lPitch}.Row(x, y) = s;
        }
      }
    }
  }
  if (!isSelf && aSrcDesc.lpSurface != nullptr) theSource->UnlockSurface();
  UnlockSurface();
  return true;
}

void DDImage::NormalBltAny(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                           const Color& theColor, bool mirror) {
  theImage->mDrawn = true;
  MemoryImage* aSource = dynamic_cast<MemoryImage*>(theImage);
  if (aSource == nullptr) return;
  aSource->CommitBits();
  DDImage* aSourceDD = dynamic_cast<DDImage*>(aSource);
  const bool isWhite = IsWhite(theColor);

  if (!mirror && aSource->mIsVolatile && !(aSourceDD != nullptr && aSourceDD->mSurface != nullptr) &&
      !mVideoOnly && isWhite) {
    DirectBlt(aSource, theX, theY, theSrcRect);
    return;
  }
  if (!mirror && !aSource->mHasPartialAlpha && isWhite) {
    if (aSourceDD != nullptr && aSourceDD->mSurface != nullptr &&
        (mVideoMemory || !aSourceDD->mVideoMemory)) {
      SurfaceCopy(aSourceDD, TRect<int>(theX, theY, theSrcRect.mWidth, theSrcRect.mHeight), theSrcRect);
      return;
    }
    if (mVideoOnly) return;
    GetSurface();
    if (!LockSurface()) return;
    OpaqueBlt(aSource, theX, theY, theSrcRect);
    UnlockSurface();
    return;
  }
  if (mVideoOnly) return;
  GetSurface();
  if (!LockSurface()) return;
  AlphaBlt(aSource, theX, theY, theSrcRect, theColor, mirror);
  UnlockSurface();
}

void DDImage::DirectBlt(MemoryImage* theSource, int theX, int theY, const TRect<int>& theSrcRect) {
  GetSurface();
  if (!LockSurface()) return;
  const uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  const uint32_t RM = mLockDesc.ddpfPixelFormat.dwRBitMask, GM = mLockDesc.ddpfPixelFormat.dwGBitMask,
                 BM = mLockDesc.ddpfPixelFormat.dwBBitMask;
  const uint32_t* aPalette = theSource->mPalette.get();
  const uint8_t* anIndices = theSource->mPaletteIndices.get();
  const uint32_t* aBits = aPalette != nullptr && anIndices != nullptr ? nullptr : theSource->GetBits();
  if (mLockDesc.lpSurface == nullptr || (aBits == nullptr && anIndices == nullptr) ||
      (aBitCount != 16 && aBitCount != 32)) {
    UnlockSurface();
    return;
  }
  enum class Kind { Pair32, Channels32, Packed565, Packed555, Channels16 };
  Kind aKind;
  if (aBitCount == 32)
    aKind = gOptimizeSoftwareDrawing ? Kind::Pair32 : Kind::Channels32;
  else if (gOptimizeSoftwareDrawing && GM == 0x07E0)
    aKind = Kind::Packed565;
  else if (gOptimizeSoftwareDrawing && GM == 0x03E0)
    aKind = Kind::Packed555;
  else
    aKind = Kind::Channels16;
  auto aChannels = [&](uint32_t s, uint32_t d, uint32_t a, bool isMultiplied) {
    const uint32_t aMasks[3] = {BM, GM, RM};
    const uint32_t aValues[3] = {s & 0xFF, (s >> 8) & 0xFF, (s >> 16) & 0xFF};
    uint32_t aResult = 0;
    for (int c = 0; c < 3; ++c) {
      uint32_t M = aMasks[c];
      uint32_t aTerm = isMultiplied ? (a * aValues[c] * M) >> 8 : ((a * aValues[c]) >> 8) * M;
      aResult += (((d & M) * (256 - a) + aTerm + (M >> 1)) >> 8) & M;
    }
    return aResult;
  };
  const int aStride = theSource->mWidth;
  for (int y = 0; y < theSrcRect.mHeight; ++y) {
    size_t i = static_cast<size_t>(theSrcRect.mY + y) * aStride + theSrcRect.mX;
    if (aBitCount == 32) {
      uint32_t* d = DestRows<uint32_t>{static_cast<uint8_t*>(mLockDesc.lpSurface), mLockDesc.lPitch}.Row(
          theX, theY + y);
      for (int x = 0; x < theSrcRect.mWidth; ++x, ++i) {
        uint32_t s = aBits != nullptr ? aBits[i] : aPalette[anIndices[i]];
        uint32_t a = s >> 24, dv = d[x];
        if (aKind == Kind::Pair32) {
          uint32_t aPair =
              (((a * ((s & 0x00FF00FF) - (dv & 0x00FF00FF))) >> 8) + (dv & 0x00FF00FF)) & 0x00FF00FF;
          uint32_t aGreen = (((a * ((s & 0xFF00) - (dv & 0xFF00))) >> 8) + (dv & 0xFF00)) & 0xFF00;
          d[x] = aPair | aGreen;
        } else {
          d[x] = aChannels(s, dv, a, false) | 0xFF000000u;
        }
      }
    } else {
      uint16_t* d = DestRows<uint16_t>{static_cast<uint8_t*>(mLockDesc.lpSurface), mLockDesc.lPitch}.Row(
          theX, theY + y);
      for (int x = 0; x < theSrcRect.mWidth; ++x, ++i) {
        uint32_t s = aBits != nullptr ? aBits[i] : aPalette[anIndices[i]];
        uint32_t a = s >> 24, dv = d[x];
        if (aKind == Kind::Packed565 || aKind == Kind::Packed555) {
          bool is565 = aKind == Kind::Packed565;
          uint32_t K = is565 ? k_Spread565 : k_Spread555;
          uint32_t D = Spread(dv, K);
          uint32_t S = is565 ? ((s >> 8) & 0xF800) + ((s & 0xFC00) << 11) + ((s >> 3) & 0x1F)
                             : ((s >> 9) & 0x7C00) + ((s & 0xF800) << 10) + ((s >> 3) & 0x1F);
          uint32_t a5 = (s >> 27) & 31;
          uint32_t t = (D + ((a5 * (S - D)) >> 5)) & K;
          d[x] = static_cast<uint16_t>(Fold(t));
        } else {
          d[x] = static_cast<uint16_t>(aChannels(s, dv, a, true));
        }
      }
    }
  }
  UnlockSurface();
}

void DDImage::OpaqueBlt(MemoryImage* theSource, int theX, int theY, const TRect<int>& theSrcRect) {
  const uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  const uint32_t* aNative = theSource->GetNativeAlphaData(mDDInterface);
  if (mLockDesc.lpSurface == nullptr || aNative == nullptr || (aBitCount != 16 && aBitCount != 32)) return;
  const bool isPalette = theSource->mPalette != nullptr && theSource->mPaletteIndices != nullptr;
  const uint8_t* anIndices = isPalette ? theSource->mPaletteIndices.get() : nullptr;
  const bool skipsTransparent = theSource->mHasTransparent;
  const int aStride = theSource->mWidth;
  for (int y = 0; y < theSrcRect.mHeight; ++y) {
    size_t i = static_cast<size_t>(theSrcRect.mY + y) * aStride + theSrcRect.mX;
    if (aBitCount == 32) {
      uint32_t* d = DestRows<uint32_t>{static_cast<uint8_t*>(mLockDesc.lpSurface), mLockDesc.lPitch}.Row(
          theX, theY + y);
      if (!skipsTransparent && anIndices == nullptr) {
        std::copy(aNative + i, aNative + i + theSrcRect.mWidth, d);
        continue;
      }
      for (int x = 0; x < theSrcRect.mWidth; ++x, ++i) {
        uint32_t n = anIndices != nullptr ? aNative[anIndices[i]] : aNative[i];
        if (skipsTransparent && (n >> 24) == 0) continue;
        d[x] = n;
      }
    } else {
      uint16_t* d = DestRows<uint16_t>{static_cast<uint8_t*>(mLockDesc.lpSurface), mLockDesc.lPitch}.Row(
          theX, theY + y);
      for (int x = 0; x < theSrcRect.mWidth; ++x, ++i) {
        uint32_t n = anIndices != nullptr ? aNative[anIndices[i]] : aNative[i];
        if (skipsTransparent && (n >> 24) == 0) continue;
        d[x] = static_cast<uint16_t>(n);
      }
    }
  }
}

void DDImage::AlphaBlt(MemoryImage* theSource, int theX, int theY, const TRect<int>& theSrcRect,
                       const Color& theColor, bool mirror) {
  const uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  const uint32_t* aNative = theSource->GetNativeAlphaData(mDDInterface);
  if (mLockDesc.lpSurface == nullptr || aNative == nullptr || (aBitCount != 16 && aBitCount != 32)) return;
  const bool isPalette = theSource->mPalette != nullptr && theSource->mPaletteIndices != nullptr;
  uint8_t* aBase = static_cast<uint8_t*>(mLockDesc.lpSurface);
  if (IsWhite(theColor) && aBitCount == 32 && !mirror && !isPalette) {
    // The run rule pixel by pixel in vector groups (opaque copied, transparent skipped): no
    // run lengths needed.
    const DestRows<uint32_t> aDest{aBase, mLockDesc.lPitch};
    const uint32_t* aRow = aNative + static_cast<size_t>(theSrcRect.mY) * theSource->mWidth + theSrcRect.mX;
    for (int y = 0; y < theSrcRect.mHeight; ++y, aRow += theSource->mWidth)
      BlitSimd::OverPremultipliedRow(aDest.Row(theX, theY + y), aRow, theSrcRect.mWidth);
    return;
  }
  const uint8_t* aRuns = theSource->GetRLAlphaData();
  if (aRuns == nullptr) return;
  const SourceRows aSrc{aNative, isPalette ? theSource->mPaletteIndices.get() : nullptr, aRuns,
                        theSource->mWidth};
  const uint32_t RM = mLockDesc.ddpfPixelFormat.dwRBitMask, GM = mLockDesc.ddpfPixelFormat.dwGBitMask,
                 BM = mLockDesc.ddpfPixelFormat.dwBBitMask;
  const bool is565 = aBitCount == 16 && GM == 0x07E0, is555 = aBitCount == 16 && GM == 0x03E0;
  const uint32_t K = is565 ? k_Spread565 : k_Spread555;

  if (IsWhite(theColor)) {
    if (aBitCount == 32) {
      WalkRuns(aSrc, DestRows<uint32_t>{aBase, mLockDesc.lPitch}, theX, theY, theSrcRect, mirror,
               [&](uint32_t theFirst, size_t i, int theRun, uint32_t* d, int theDir) {
                 uint32_t a = theFirst >> 24;
                 if (a == 0) return;
                 for (int k = 0; k < theRun; ++k, d += theDir) {
                   uint32_t s = aSrc.At(i + k);
                   if (a == 255) {
                     *d = s;
                     continue;
                   }
                   uint32_t aKeep = 256 - (s >> 24), dv = *d;
                   *d = (((aKeep * (dv & 0x00FF00FF)) >> 8) & 0x00FF00FF) + s +
                        (((aKeep * (dv & 0xFF00)) >> 8) & 0xFF00);
                 }
               });
    } else {
      WalkRuns(aSrc, DestRows<uint16_t>{aBase, mLockDesc.lPitch}, theX, theY, theSrcRect, mirror,
               [&](uint32_t theFirst, size_t i, int theRun, uint16_t* d, int theDir) {
                 uint32_t a = theFirst >> 24;
                 if (a == 0) return;
                 for (int k = 0; k < theRun; ++k, d += theDir) {
                   uint32_t s = aSrc.At(i + k);
                   if (a == 255) {
                     *d = static_cast<uint16_t>(s);
                     continue;
                   }
                   uint32_t aKeep = 256 - (s >> 24), dv = *d;
                   if (is565 || is555) {
                     uint32_t t = ((Spread(dv, K) * (aKeep >> 3)) >> 5) & K;
                     *d = static_cast<uint16_t>(Fold(t) + s);
                   } else {
                     *d = static_cast<uint16_t>((((aKeep * (dv & RM)) >> 8) & RM) +
                                                (((aKeep * (dv & GM)) >> 8) & GM) +
                                                (((aKeep * (dv & BM)) >> 8) & BM) + s);
                   }
                 }
               });
    }
    return;
  }

  const uint32_t ca = static_cast<uint32_t>(theColor.mAlpha);
  const uint32_t cr = static_cast<uint32_t>(theColor.mRed) * ca / 255;
  const uint32_t cg = static_cast<uint32_t>(theColor.mGreen) * ca / 255;
  const uint32_t cb = static_cast<uint32_t>(theColor.mBlue) * ca / 255;
  const bool isGrey = cr == cg && cg == cb && (aBitCount == 32 || is565 || is555);
  const uint32_t c5 = cr >> 3;
  auto aGeneral = [&](uint32_t s, uint32_t dv, uint32_t w, bool isTint) {
    if (isTint)
      return (((cr * (s & RM)) >> 8) & RM) + (((cg * (s & GM)) >> 8) & GM) + (((cb * (s & BM)) >> 8) & BM);
    return ((((dv & RM) * w + cr * (s & RM)) >> 8) & RM) + ((((dv & GM) * w + cg * (s & GM)) >> 8) & GM) +
           ((((dv & BM) * w + cb * (s & BM)) >> 8) & BM);
  };
  if (aBitCount == 32) {
    WalkRuns(aSrc, DestRows<uint32_t>{aBase, mLockDesc.lPitch}, theX, theY, theSrcRect, mirror,
             [&](uint32_t theFirst, size_t i, int theRun, uint32_t* d, int theDir) {
               uint32_t a = theFirst >> 24;
               if (a == 0) return;
               bool isTint = a == 255 && ca == 255;
               for (int k = 0; k < theRun; ++k, d += theDir) {
                 uint32_t s = aSrc.At(i + k), dv = *d;
                 uint32_t w = 256 - ((s >> 24) * ca) / 255;
                 if (isGrey) {
                   if (isTint)
                     *d = (((cr * (s & 0x00FF00FF)) >> 8) & 0x00FF00FF) +
                          (((cr * (s & 0xFF00)) >> 8) & 0xFF00) + 0xFF000000u;
                   else
                     *d = ((((dv & 0x00FF00FF) * w + cr * (s & 0x00FF00FF)) >> 8) & 0x00FF00FF) +
                          ((((dv & 0xFF00) * w + cr * (s & 0xFF00)) >> 8) & 0xFF00);
                 } else {
                   *d = aGeneral(s, dv, w, isTint) + (isTint ? 0 : 0xFF000000u);
                 }
               }
             });
  } else {
    WalkRuns(aSrc, DestRows<uint16_t>{aBase, mLockDesc.lPitch}, theX, theY, theSrcRect, mirror,
             [&](uint32_t theFirst, size_t i, int theRun, uint16_t* d, int theDir) {
               uint32_t a = theFirst >> 24;
               if (a == 0) return;
               bool isTint = a == 255 && ca == 255;
               for (int k = 0; k < theRun; ++k, d += theDir) {
                 uint32_t s = aSrc.At(i + k), dv = *d;
                 uint32_t w = 256 - ((s >> 24) * ca) / 255;
                 if (isGrey) {
                   uint32_t t = isTint ? ((c5 * Spread(s & 0xFFFF, K)) >> 5) & K
                                       : (((w >> 3) * Spread(dv, K) + c5 * Spread(s & 0xFFFF, K)) >> 5) & K;
                   *d = static_cast<uint16_t>(Fold(t));
                 } else {
                   *d = static_cast<uint16_t>(aGeneral(s, dv, w, isTint));
                 }
               }
             });
  }
}

void DDImage::AdditiveBltAny(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                             const Color& theColor, bool mirror) {
  theImage->mDrawn = true;
  if (mVideoOnly) return;
  MemoryImage* aSource = dynamic_cast<MemoryImage*>(theImage);
  if (aSource == nullptr) return;
  GetSurface();
  if (!LockSurface()) return;
  const uint32_t* aNative = aSource->GetNativeAlphaData(mDDInterface);
  const bool isPalette = aSource->mPalette != nullptr && aSource->mPaletteIndices != nullptr;
  aSource->CommitBits();
  LockSurface();
  const uint8_t* aRuns = aSource->GetRLAdditiveData(mDDInterface);
  const uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  const int* aTables[3] = {mDDInterface->mRedAddTable.get(), mDDInterface->mGreenAddTable.get(),
                           mDDInterface->mBlueAddTable.get()};
  // A purged source without native data, or a display without tables, draws nothing.
  if (mLockDesc.lpSurface != nullptr && aNative != nullptr && aRuns != nullptr && aTables[0] != nullptr &&
      aTables[1] != nullptr && aTables[2] != nullptr && (aBitCount == 16 || aBitCount == 32)) {
    const SourceRows aSrc{aNative, isPalette ? aSource->mPaletteIndices.get() : nullptr, aRuns,
                          aSource->mWidth};
    const uint32_t aMasks[3] = {mLockDesc.ddpfPixelFormat.dwRBitMask, mLockDesc.ddpfPixelFormat.dwGBitMask,
                                mLockDesc.ddpfPixelFormat.dwBBitMask};
    const int aShifts[3] = {mDDInterface->mRedShift, mDDInterface->mGreenShift, mDDInterface->mBlueShift};
    const bool isWhite = IsWhite(theColor);
    const uint32_t ca = static_cast<uint32_t>(theColor.mAlpha);
    const uint32_t aFactors[3] = {static_cast<uint32_t>(theColor.mRed) * ca / 255,
                                  static_cast<uint32_t>(theColor.mGreen) * ca / 255,
                                  static_cast<uint32_t>(theColor.mBlue) * ca / 255};
    const uint32_t anAlpha = aBitCount == 32 ? 0xFF000000u : 0;
    auto aCombine = [&](uint32_t s, uint32_t dv) {
      uint32_t aResult = 0;
      for (int c = 0; c < 3; ++c) {
        uint32_t m = aMasks[c];
        uint32_t anIndex = isWhite
                               ? ((dv & m) + (s & m)) >> aShifts[c]
                               : ((dv & m) >> aShifts[c]) + ((aFactors[c] * ((s & m) >> aShifts[c])) >> 8);
        aResult |= static_cast<uint32_t>(aTables[c][anIndex]) << aShifts[c];
      }
      return aResult + anAlpha;
    };
    uint8_t* aBase = static_cast<uint8_t*>(mLockDesc.lpSurface);
    // White onto 8-8-8 at the usual shifts with clamping tables is the memory image's
    // saturating add, made opaque: its vector row does each run.
    const bool isSaturating = isWhite && !isPalette && !mirror && aBitCount == 32 && aMasks[0] == 0xFF0000 &&
                              aMasks[1] == 0xFF00 && aMasks[2] == 0xFF && aShifts[0] == 16 && aShifts[1] == 8 &&
                              aShifts[2] == 0 && mDDInterface->mAddTablesSaturate;
    if (isSaturating)
      WalkRuns(aSrc, DestRows<uint32_t>{aBase, mLockDesc.lPitch}, theX, theY, theSrcRect, mirror,
               [&](uint32_t theFirst, size_t i, int theRun, uint32_t* d, int) {
                 if ((theFirst & 0xFFFFFF) != 0) BlitSimd::AddOpaqueRow(d, aNative + i, theRun);
               });
    else if (aBitCount == 32)
      WalkRuns(aSrc, DestRows<uint32_t>{aBase, mLockDesc.lPitch}, theX, theY, theSrcRect, mirror,
               [&](uint32_t theFirst, size_t i, int theRun, uint32_t* d, int theDir) {
                 if ((theFirst & 0xFFFFFF) == 0) return;
                 for (int k = 0; k < theRun; ++k, d += theDir) *d = aCombine(aSrc.At(i + k), *d);
               });
    else
      WalkRuns(aSrc, DestRows<uint16_t>{aBase, mLockDesc.lPitch}, theX, theY, theSrcRect, mirror,
               [&](uint32_t theFirst, size_t i, int theRun, uint16_t* d, int theDir) {
                 if ((theFirst & 0xFFFFFF) == 0) return;
                 for (int k = 0; k < theRun; ++k, d += theDir)
                   *d = static_cast<uint16_t>(aCombine(aSrc.At(i + k), *d));
               });
  }
  UnlockSurface();
  UnlockSurface();
}

}  // namespace Tesk

// DDImage: stretched blits, nearest sample in 16.16 straight into the locked surface, a
// surface copy for plain opaque copies, and the smooth stretch through a scratch image.
#include <algorithm>
#include <memory>
#include <vector>

#include "display/D3DInterface.h"
#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "display/DIRECTDRAWSURFACE3.h"
#include "graphics/BlitSimdStretch.h"
#include "graphics/DrawMode.h"

namespace Tesk {

namespace {

// One stretched pass: theCombine(s, d) gives the new pixel or returns false to leave it.
template <class Pixel, class Combine>
void StretchRows(const _DDSURFACEDESC& theDesc, const uint32_t* theNative, const uint8_t* theIndices,
                 int theSrcWidth, const TRect<int>& theDestOut, int theStartColumn, int theDir,
                 const TRect<double>& theSrcOut, Combine theCombine) {
  const int32_t aYStart = static_cast<int32_t>(65536.0 * theSrcOut.mY);
  const int32_t aXStart = static_cast<int32_t>(65536.0 * theSrcOut.mX);
  const int32_t aXStep = static_cast<int32_t>(theSrcOut.mWidth * 65536.0 / theDestOut.mWidth);
  const int32_t aYStep = static_cast<int32_t>(theSrcOut.mHeight * 65536.0 / theDestOut.mHeight);
  const int aRowStep = theDesc.lPitch / static_cast<int>(sizeof(Pixel));
  Pixel* aRow = static_cast<Pixel*>(theDesc.lpSurface) +
                (theDesc.lPitch * theDestOut.mY) / static_cast<int>(sizeof(Pixel)) + theStartColumn;
  int32_t y = aYStart;
  for (int aLine = 0; aLine < theDestOut.mHeight; ++aLine, aRow += aRowStep, y += aYStep) {
    const size_t aSrcRow = static_cast<size_t>(y >> 16) * theSrcWidth;
    Pixel* d = aRow;
    int32_t x = aXStart;
    for (int aColumn = 0; aColumn < theDestOut.mWidth; ++aColumn, d += theDir, x += aXStep) {
      size_t i = aSrcRow + static_cast<size_t>(x >> 16);
      uint32_t s = theIndices != nullptr ? theNative[theIndices[i]] : theNative[i];
      uint32_t aResult;
      if (theCombine(s, static_cast<uint32_t>(*d), aResult)) *d = static_cast<Pixel>(aResult);
    }
  }
}

// The white normal stretch onto a 32-bit 8-8-8 surface by rows: the samples of a source row are
// gathered once (with StretchRows' own stepping) and laid on each destination row it serves.
void StretchRowsWhite888(const _DDSURFACEDESC& theDesc, const uint32_t* theNative, const uint8_t* theIndices,
                         int theSrcWidth, const TRect<int>& theDestOut, bool mirror, const TRect<double>& theSrcOut) {
  const int32_t aYStart = static_cast<int32_t>(65536.0 * theSrcOut.mY);
  const int32_t aXStart = static_cast<int32_t>(65536.0 * theSrcOut.mX);
  const int32_t aXStep = static_cast<int32_t>(theSrcOut.mWidth * 65536.0 / theDestOut.mWidth);
  const int32_t aYStep = static_cast<int32_t>(theSrcOut.mHeight * 65536.0 / theDestOut.mHeight);
  const int aWidth = theDestOut.mWidth;
  static thread_local std::vector<int> sm_Columns;
  static thread_local std::vector<uint32_t> sm_Samples;
  if (sm_Columns.size() < size_t(aWidth)) sm_Columns.resize(size_t(aWidth));
  if (sm_Samples.size() < size_t(aWidth)) sm_Samples.resize(size_t(aWidth));
  int* aColumns = sm_Columns.data();
  uint32_t* aSamples = sm_Samples.data();
  int32_t x = aXStart;
  for (int k = 0; k < aWidth; ++k, x += aXStep) aColumns[k] = x >> 16;
  // Mirrored, sample k lands k pixels left of the right edge.
  if (mirror) std::reverse(aColumns, aColumns + aWidth);
  const int aRowStep = theDesc.lPitch / static_cast<int>(sizeof(uint32_t));
  uint32_t* aRow = static_cast<uint32_t*>(theDesc.lpSurface) +
                   (theDesc.lPitch * theDestOut.mY) / static_cast<int>(sizeof(uint32_t)) + theDestOut.mX;
  int32_t y = aYStart;
  int32_t aGathered = -1;
  for (int aLine = 0; aLine < theDestOut.mHeight; ++aLine, aRow += aRowStep, y += aYStep) {
    const int32_t aSrcY = y >> 16;
    if (aSrcY != aGathered) {
      const size_t aSrcRow = static_cast<size_t>(aSrcY) * theSrcWidth;
      if (theIndices != nullptr) {
        for (int k = 0; k < aWidth; ++k) aSamples[k] = theNative[theIndices[aSrcRow + size_t(aColumns[k])]];
      } else {
        BlitSimdStretch::GatherRow(aSamples, theNative + aSrcRow, aColumns, aWidth);
      }
      aGathered = aSrcY;
    }
    BlitSimdStretch::SurfaceOverRow(aRow, aSamples, aWidth);
  }
}

}  // namespace

void DDImage::StretchBlt(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                         const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                         bool fastStretch) {
  theImage->mDrawn = true;
  CommitBits();
  if (Check3D(this)) {
    GetD3D()->StretchBlt(theImage, theDestRect, theSrcRect, &theClipRect, theColor, theDrawMode, fastStretch,
                         false);
    return;
  }
  TRect<double> aSrcOut;
  TRect<int> aDestOut;
  if (!StretchBltClipHelper(theSrcRect, theClipRect, theDestRect, aSrcOut, aDestOut)) return;
  if (!fastStretch) {
    if (DrawsInMemory(false) || GetSurface() == nullptr) {
      MemoryImage::StretchBlt(theImage, theDestRect, theSrcRect, theClipRect, theColor, theDrawMode,
                              fastStretch);
      return;
    }
    // The colour acts once, in the final blit; the resampling itself stays white. The scratch
    // keeps its arrays, so a warm frame allocates nothing.
    if (!mSmoothScratch) {
      mSmoothScratch = std::make_unique<MemoryImage>(mApp);
      mSmoothScratch->SetKeepsBuffers(true);
    }
    MemoryImage& aTemp = *mSmoothScratch;
    aTemp.Create(aDestOut.mWidth, aDestOut.mHeight);
    aTemp.SlowStretchBlt(theImage, TRect<int>(0, 0, aDestOut.mWidth, aDestOut.mHeight), aSrcOut, Color::White,
                         DRAWMODE_NORMAL);
    aTemp.CommitBits();
    Blt(&aTemp, aDestOut.mX, aDestOut.mY, TRect<int>(0, 0, aDestOut.mWidth, aDestOut.mHeight), theColor,
        theDrawMode);
    DeleteAllNonSurfaceData();
    return;
  }
  // Without a surface (pixels with partial alpha) the memory pixels take the stretch.
  if (GetSurface() == nullptr) {
    MemoryImage::StretchBlt(theImage, theDestRect, theSrcRect, theClipRect, theColor, theDrawMode,
                            fastStretch);
    return;
  }
  DDImage* aSourceDD = dynamic_cast<DDImage*>(theImage);
  if (aSourceDD != nullptr && theColor == Color::White && theDrawMode == DRAWMODE_NORMAL &&
      !aSourceDD->mHasPartialAlpha && aSourceDD->GetSurface() != nullptr) {
    TRect<int> aSrc(static_cast<int>(aSrcOut.mX), static_cast<int>(aSrcOut.mY), 0, 0);
    aSrc.mWidth = static_cast<int>(aSrcOut.mX + aSrcOut.mWidth) - aSrc.mX;
    aSrc.mHeight = static_cast<int>(aSrcOut.mY + aSrcOut.mHeight) - aSrc.mY;
    SurfaceCopy(aSourceDD, aDestOut, aSrc);
    DeleteAllNonSurfaceData();
    return;
  }
  SurfaceStretch(theImage, aDestOut, aSrcOut, theColor, theDrawMode, false);
}

void DDImage::StretchBltMirror(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                               const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                               bool fastStretch) {
  theImage->mDrawn = true;
  CommitBits();
  if (Check3D(this)) {
    GetD3D()->StretchBlt(theImage, theDestRect, theSrcRect, &theClipRect, theColor, theDrawMode, fastStretch,
                         true);
    return;
  }
  TRect<double> aSrcOut;
  TRect<int> aDestOut;
  if (!StretchBltMirrorClipHelper(theSrcRect, theClipRect, theDestRect, aSrcOut, aDestOut)) return;
  if (GetSurface() == nullptr) {
    MemoryImage::StretchBltMirror(theImage, theDestRect, theSrcRect, theClipRect, theColor, theDrawMode,
                                  fastStretch);
    return;
  }
  SurfaceStretch(theImage, aDestOut, aSrcOut, theColor, theDrawMode, true);
}

void DDImage::SurfaceStretch(Image* theImage, const TRect<int>& theDestOut, const TRect<double>& theSrcOut,
                             const Color& theColor, int theDrawMode, bool mirror) {
  MemoryImage* aSource = dynamic_cast<MemoryImage*>(theImage);
  if (aSource == nullptr) {
    DeleteAllNonSurfaceData();
    return;
  }
  aSource->CommitBits();
  const uint32_t* aNative = aSource->GetNativeAlphaData(mDDInterface);
  if (aNative == nullptr || !LockSurface()) return;
  const uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  const int* aTables[3] = {mDDInterface->mRedAddTable.get(), mDDInterface->mGreenAddTable.get(),
                           mDDInterface->mBlueAddTable.get()};
  const bool isAdditive = theDrawMode != DRAWMODE_NORMAL;
  if (mLockDesc.lpSurface != nullptr && (aBitCount == 16 || aBitCount == 32) &&
      (!isAdditive || (aTables[0] != nullptr && aTables[1] != nullptr && aTables[2] != nullptr))) {
    const uint8_t* anIndices = aSource->mPalette != nullptr && aSource->mPaletteIndices != nullptr
                                   ? aSource->mPaletteIndices.get()
                                   : nullptr;
    const uint32_t aMasks[3] = {mLockDesc.ddpfPixelFormat.dwRBitMask, mLockDesc.ddpfPixelFormat.dwGBitMask,
                                mLockDesc.ddpfPixelFormat.dwBBitMask};
    const int aShifts[3] = {mDDInterface->mRedShift, mDDInterface->mGreenShift, mDDInterface->mBlueShift};
    const bool isWhite = theColor == Color::White;
    const uint32_t ca = static_cast<uint32_t>(theColor.mAlpha);
    const uint32_t k[3] = {static_cast<uint32_t>(theColor.mRed) * ca / 255,
                           static_cast<uint32_t>(theColor.mGreen) * ca / 255,
                           static_cast<uint32_t>(theColor.mBlue) * ca / 255};
    const uint32_t anOpaque = aBitCount == 32 ? 0xFF000000u : 0;
    auto aCombine = [&](uint32_t s, uint32_t d, uint32_t& theResult) {
      if (!isAdditive) {
        uint32_t a = s >> 24;
        if (isWhite) {
          if (a == 0) return false;
          theResult = s;
          for (int c = 0; c < 3; ++c) theResult += (((256 - a) * (d & aMasks[c])) >> 8) & aMasks[c];
          return true;
        }
        a = a * ca / 255;
        if (a == 0) return false;
        theResult = anOpaque;
        for (int c = 0; c < 3; ++c)
          theResult += ((((256 - a) * (d & aMasks[c])) + k[c] * (s & aMasks[c])) >> 8) & aMasks[c];
        return true;
      }
      if (s == 0) return false;
      theResult = anOpaque;
      for (int c = 0; c < 3; ++c) {
        uint32_t m = aMasks[c];
        uint32_t anIndex = isWhite ? ((d & m) + (s & m)) >> aShifts[c]
                                   : ((d & m) >> aShifts[c]) + ((k[c] * ((s & m) >> aShifts[c])) >> 8);
        theResult |= static_cast<uint32_t>(aTables[c][anIndex]) << aShifts[c];
      }
      return true;
    };
    if (aBitCount == 32 && isWhite && !isAdditive && aMasks[0] == 0xFF0000 && aMasks[1] == 0xFF00 &&
        aMasks[2] == 0xFF) {
      StretchRowsWhite888(mLockDesc, aNative, anIndices, aSource->mWidth, theDestOut, mirror, theSrcOut);
      UnlockSurface();
      DeleteAllNonSurfaceData();
      return;
    }
    const int aStart = mirror ? theDestOut.mX + theDestOut.mWidth - 1 : theDestOut.mX;
    const int aDir = mirror ? -1 : 1;
    if (aBitCount == 32)
      StretchRows<uint32_t>(mLockDesc, aNative, anIndices, aSource->mWidth, theDestOut, aStart, aDir,
                            theSrcOut, aCombine);
    else
      StretchRows<uint16_t>(mLockDesc, aNative, anIndices, aSource->mWidth, theDestOut, aStart, aDir,
                            theSrcOut, aCombine);
  }
  UnlockSurface();
  DeleteAllNonSurfaceData();
}

}  // namespace Tesk

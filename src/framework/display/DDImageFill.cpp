// DDImage: rectangle fills and lines drawn straight into the locked surface.
#include <cmath>
#include <utility>

#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "display/DIRECTDRAWSURFACE3.h"

namespace Tesk {

namespace {

// Pixel addressing of a locked 16- or 32-bit surface: (pitch · y) / 2 or / 4 pixels to the row.
template <class Pixel>
Pixel* PixelAt(const _DDSURFACEDESC& theDesc, int x, int y) {
  return static_cast<Pixel*>(theDesc.lpSurface) + (theDesc.lPitch * y) / static_cast<int>(sizeof(Pixel)) + x;
}

struct Masks {
  uint32_t mMask[3];  // red, green, blue
  explicit Masks(const _DDSURFACEDESC& theDesc)
      : mMask{theDesc.ddpfPixelFormat.dwRBitMask, theDesc.ddpfPixelFormat.dwGBitMask,
              theDesc.ddpfPixelFormat.dwBBitMask} {}
};

uint32_t ChannelOf(const Color& theColor, int theChannel) {
  return static_cast<uint32_t>(theChannel == 0 ? theColor.mRed
                                               : (theChannel == 1 ? theColor.mGreen : theColor.mBlue));
}

// The additive increment of each channel and the display's saturating tables.
struct AdditiveTerms {
  uint32_t mAdd[3];
  int mShift[3];
  const int* mTable[3];
  uint32_t mMask[3];

  AdditiveTerms(const DDInterface* theDisplay, const _DDSURFACEDESC& theDesc, const Color& theColor) {
    const int aBits[3] = {theDisplay->mRedBits, theDisplay->mGreenBits, theDisplay->mBlueBits};
    mShift[0] = theDisplay->mRedShift;
    mShift[1] = theDisplay->mGreenShift;
    mShift[2] = theDisplay->mBlueShift;
    mTable[0] = theDisplay->mRedAddTable.get();
    mTable[1] = theDisplay->mGreenAddTable.get();
    mTable[2] = theDisplay->mBlueAddTable.get();
    Masks aMasks(theDesc);
    for (int c = 0; c < 3; ++c) {
      mMask[c] = aMasks.mMask[c];
      mAdd[c] = ((ChannelOf(theColor, c) * static_cast<uint32_t>(theColor.mAlpha)) / 255) >> (8 - aBits[c]);
    }
  }
  bool IsValid() const { return mTable[0] != nullptr && mTable[1] != nullptr && mTable[2] != nullptr; }
  uint32_t Apply(uint32_t p) const {
    uint32_t aResult = 0;
    for (int c = 0; c < 3; ++c)
      aResult |= static_cast<uint32_t>(mTable[c][((p & mMask[c]) >> mShift[c]) + mAdd[c]]) << mShift[c];
    return aResult;
  }
};

// Walks the pixels of a line as the software line of the surface does: an integer error term,
// y-major on ties, stopping when the minor step leaves the end points' bounds.
template <class Plot>
void RasterLine(double x0, double y0, double x1, double y1, bool subPixelStart, Plot thePlot) {
  const double aMinX = std::min(x0, x1), aMaxX = std::max(x0, x1);
  const double aMinY = std::min(y0, y1), aMaxY = std::max(y0, y1);
  double dx = x1 - x0, dy = y1 - y0;
  if (std::abs(static_cast<int>(dy)) >= std::abs(static_cast<int>(dx))) {
    if (dy < 0) {
      std::swap(x0, x1);
      std::swap(y0, y1);
      dx = -dx;
      dy = -dy;
    }
    int aStep = 1;
    if (dx < 0) {
      dx = -dx;
      aStep = -1;
    }
    thePlot(static_cast<int>(x0), static_cast<int>(y0));
    int e = subPixelStart ? static_cast<int>((x0 - static_cast<int>(x0)) * static_cast<int>(2 * dx) +
                                             static_cast<int>(2 * dx - dy))
                          : static_cast<int>(2 * dx - dy);
    int x = static_cast<int>(x0);
    for (int y = static_cast<int>(y0 + 1.0); y <= y1; ++y) {
      if (e < 1) {
        e += static_cast<int>(2 * dx);
      } else {
        e += static_cast<int>(2 * (dx - dy));
        x += aStep;
        if (x < aMinX || y < aMinY || x > aMaxX || y > aMaxY) return;
      }
      thePlot(x, y);
    }
  } else {
    if (dx < 0) {
      std::swap(x0, x1);
      std::swap(y0, y1);
      dx = -dx;
      dy = -dy;
    }
    int aStep = 1;
    if (dy < 0) {
      dy = -dy;
      aStep = -1;
    }
    thePlot(static_cast<int>(x0), static_cast<int>(y0));
    int e = subPixelStart ? static_cast<int>((y0 - static_cast<int>(y0)) * static_cast<int>(2 * dy) +
                                             static_cast<int>(2 * dy - dx))
                          : static_cast<int>(2 * dy - dx);
    int y = static_cast<int>(y0);
    for (int x = static_cast<int>(x0 + 1.0); x <= x1; ++x) {
      if (e < 1) {
        e += static_cast<int>(2 * dy);
      } else {
        e += static_cast<int>(2 * (dy - dx));
        y += aStep;
        if (x < aMinX || y < aMinY || x > aMaxX || y > aMaxY) return;
      }
      thePlot(x, y);
    }
  }
}

// A double to an unsigned 32-bit value, clamped; NaN (a line of no length) counts as 0.
uint32_t ToUnsigned(double v) {
  if (!(v > 0.0)) return 0;
  if (v >= 4294967295.0) return 0xFFFFFFFFu;
  return static_cast<uint32_t>(v);
}

uint32_t Spread(uint32_t v, uint32_t theMask) { return (v * 0x10001u) & theMask; }
uint32_t Fold(uint32_t q) { return (q >> 16) | q; }

}  // namespace

void DDImage::NormalFillRect(const TRect<int>& theRect, const Color& theColor) {
  if (mVideoOnly) return;
  GetSurface();
  if (!LockSurface()) return;
  const uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  if (mLockDesc.lpSurface != nullptr && (aBitCount == 16 || aBitCount == 32) && theRect.mWidth > 0 &&
      theRect.mHeight > 0) {
    const Masks aMasks(mLockDesc);
    const uint32_t a = static_cast<uint32_t>(theColor.mAlpha);
    const bool is16 = aBitCount == 16;
    if (a == 255) {
      uint32_t aWord = is16 ? 0 : 0xFF000000u;
      for (int c = 0; c < 3; ++c) {
        uint32_t m = aMasks.mMask[c], v = ChannelOf(theColor, c);
        aWord |= (is16 ? ((v + 1) * m) >> 8 : (v * m) >> 8) & m;
      }
      for (int y = theRect.mY; y < theRect.mY + theRect.mHeight; ++y) {
        if (is16) {
          uint16_t* aPix = PixelAt<uint16_t>(mLockDesc, theRect.mX, y);
          std::fill(aPix, aPix + theRect.mWidth, static_cast<uint16_t>(aWord));
        } else {
          uint32_t* aPix = PixelAt<uint32_t>(mLockDesc, theRect.mX, y);
          std::fill(aPix, aPix + theRect.mWidth, aWord);
        }
      }
    } else {
      uint32_t aColorTerm = is16 ? 0 : 0xFF000000u;
      for (int c = 0; c < 3; ++c) {
        uint32_t m = aMasks.mMask[c], v = ChannelOf(theColor, c);
        aColorTerm += ((m * (((a * v + (is16 ? 128 : 127)) >> 8) + 1)) >> 8) & m;
      }
      const uint32_t aKeep = 256 - a;
      const uint32_t aRM = aMasks.mMask[0], aGM = aMasks.mMask[1], aBM = aMasks.mMask[2];
      for (int y = theRect.mY; y < theRect.mY + theRect.mHeight; ++y) {
        if (is16) {
          uint16_t* aPix = PixelAt<uint16_t>(mLockDesc, theRect.mX, y);
          for (int x = 0; x < theRect.mWidth; ++x) {
            uint32_t p = aPix[x];
            uint32_t d = (((aKeep * (p & aRM) + aRM) >> 8) & aRM) + (((aKeep * (p & aGM) + aGM) >> 8) & aGM) +
                         (((aKeep * (p & aBM) + aBM) >> 8) & aBM);
            aPix[x] = static_cast<uint16_t>(d + aColorTerm);
          }
        } else {
          uint32_t* aPix = PixelAt<uint32_t>(mLockDesc, theRect.mX, y);
          for (int x = 0; x < theRect.mWidth; ++x) {
            uint32_t p = aPix[x];
            aPix[x] = (((aKeep * (p & aRM)) >> 8) & aRM) + (((aKeep * (p & aGM)) >> 8) & aGM) +
                      (((aKeep * (p & aBM)) >> 8) & aBM) + aColorTerm;
          }
        }
      }
    }
  }
  UnlockSurface();
}

void DDImage::AdditiveFillRect(const TRect<int>& theRect, const Color& theColor) {
  if (mVideoOnly) return;
  GetSurface();
  if (!LockSurface()) return;
  const uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  const AdditiveTerms aTerms(mDDInterface, mLockDesc, theColor);
  if (mLockDesc.lpSurface != nullptr && aTerms.IsValid() && (aBitCount == 16 || aBitCount == 32)) {
    for (int y = theRect.mY; y < theRect.mY + theRect.mHeight; ++y) {
      if (aBitCount == 16) {
        uint16_t* aPix = PixelAt<uint16_t>(mLockDesc, theRect.mX, y);
        for (int x = 0; x < theRect.mWidth; ++x) aPix[x] = static_cast<uint16_t>(aTerms.Apply(aPix[x]));
      } else {
        uint32_t* aPix = PixelAt<uint32_t>(mLockDesc, theRect.mX, y);
        for (int x = 0; x < theRect.mWidth; ++x) aPix[x] = aTerms.Apply(aPix[x]);
      }
    }
  }
  UnlockSurface();
}

void DDImage::NormalDrawLine(double theStartX, double theStartY, double theEndX, double theEndY,
                             const Color& theColor) {
  if (mVideoOnly) return;
  GetSurface();
  if (!LockSurface()) return;
  const uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  if (mLockDesc.lpSurface != nullptr && (aBitCount == 16 || aBitCount == 32)) {
    const Masks aMasks(mLockDesc);
    const uint32_t a = static_cast<uint32_t>(theColor.mAlpha);
    uint32_t aWord = 0;
    for (int c = 0; c < 3; ++c) {
      uint32_t m = aMasks.mMask[c], h = m >> 1, v = ChannelOf(theColor, c);
      aWord |= a == 255 ? ((v * m + h) >> 8) & m : ((((a * v + 128) >> 8) * m + h) >> 8) & m;
    }
    const uint32_t aKeep = 256 - a;
    auto aBlend = [&](uint32_t p) {
      if (a == 255) return aWord;
      uint32_t aResult = aWord;
      for (int c = 0; c < 3; ++c) {
        uint32_t m = aMasks.mMask[c];
        aResult += ((aKeep * (p & m) + (m >> 1)) >> 8) & m;
      }
      return aResult;
    };
    if (aBitCount == 16)
      RasterLine(theStartX, theStartY, theEndX, theEndY, true, [&](int x, int y) {
        uint16_t* aPix = PixelAt<uint16_t>(mLockDesc, x, y);
        *aPix = static_cast<uint16_t>(aBlend(*aPix));
      });
    else
      RasterLine(theStartX, theStartY, theEndX, theEndY, true, [&](int x, int y) {
        uint32_t* aPix = PixelAt<uint32_t>(mLockDesc, x, y);
        *aPix = aBlend(*aPix);
      });
  }
  UnlockSurface();
}

void DDImage::AdditiveDrawLine(double theStartX, double theStartY, double theEndX, double theEndY,
                               const Color& theColor) {
  if (mVideoOnly) return;
  GetSurface();
  if (!LockSurface()) return;
  const uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  const AdditiveTerms aTerms(mDDInterface, mLockDesc, theColor);
  if (mLockDesc.lpSurface != nullptr && aTerms.IsValid()) {
    if (aBitCount == 16)
      RasterLine(theStartX, theStartY, theEndX, theEndY, true, [&](int x, int y) {
        uint16_t* aPix = PixelAt<uint16_t>(mLockDesc, x, y);
        *aPix = static_cast<uint16_t>(aTerms.Apply(*aPix));
      });
    else if (aBitCount == 32)
      RasterLine(theStartX, theStartY, theEndX, theEndY, false, [&](int x, int y) {
        uint32_t* aPix = PixelAt<uint32_t>(mLockDesc, x, y);
        *aPix = aTerms.Apply(*aPix);
      });
  }
  UnlockSurface();
}

void DDImage::NormalDrawLineAA(double theStartX, double theStartY, double theEndX, double theEndY,
                               const Color& theColor) {
  if (mVideoOnly) return;
  GetSurface();
  if (!LockSurface()) return;
  const uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  if (mLockDesc.lpSurface == nullptr || (aBitCount != 16 && aBitCount != 32)) {
    UnlockSurface();
    return;
  }
  const Masks aMasks(mLockDesc);
  uint32_t k = 0;
  for (int c = 0; c < 3; ++c) k |= ((ChannelOf(theColor, c) * aMasks.mMask[c]) >> 8) & aMasks.mMask[c];
  const uint32_t a = static_cast<uint32_t>(theColor.mAlpha);
  const uint32_t aGM = aMasks.mMask[1];
  const uint32_t aSpreadMask = aGM == 0x03E0 ? 0x03E07C1Fu : (aGM == 0x07E0 ? 0x07E0F81Fu : 0);
  const uint32_t aSpreadK = aSpreadMask != 0 ? Spread(k, aSpreadMask) : 0;

  auto aBlend = [&](int x, int y, uint32_t w) {
    if (aBitCount == 32) {
      uint32_t* aPix = PixelAt<uint32_t>(mLockDesc, x, y);
      uint32_t p = *aPix;
      *aPix = ((((k & 0x00FF00FF) * w + (p & 0x00FF00FF) * (256 - w)) >> 8) & 0x00FF00FF) +
              ((((k & 0x0000FF00) * w + (p & 0x0000FF00) * (256 - w)) >> 8) & 0x0000FF00);
      return;
    }
    uint16_t* aPix = PixelAt<uint16_t>(mLockDesc, x, y);
    uint32_t p = *aPix;
    if (aSpreadMask != 0) {
      uint32_t aColorPart = (((w >> 3) * aSpreadK) >> 5) & aSpreadMask;
      uint32_t aPixelPart = ((Spread(p, aSpreadMask) * ((256 - w) >> 3)) >> 5) & aSpreadMask;
      *aPix = static_cast<uint16_t>(Fold(aColorPart) + Fold(aPixelPart));
    } else {
      uint32_t aResult = 0;
      for (int c = 0; c < 3; ++c) {
        uint32_t m = aMasks.mMask[c];
        aResult |= (((k & m) * w + (256 - w) * (p & m)) >> 8) & m;
      }
      *aPix = static_cast<uint16_t>(aResult);
    }
  };
  auto aMainWeight = [&](uint32_t e) {
    uint32_t f = (e >> 8) & 255;
    return a == 255 ? 255 - f : ((a + 1) * (255 - f)) >> 8;
  };
  auto aSideWeight = [&](uint32_t e) {
    uint32_t f = (e >> 8) & 255;
    return a == 255 ? f : ((a + 1) * f) >> 8;
  };

  double x0 = theStartX, y0 = theStartY, x1 = theEndX, y1 = theEndY;
  int X0 = static_cast<int>(x0), Y0 = static_cast<int>(y0), X1 = static_cast<int>(x1),
      Y1 = static_cast<int>(y1);
  if (Y0 > Y1) {
    std::swap(X0, X1);
    std::swap(Y0, Y1);
    std::swap(x0, x1);
    std::swap(y0, y1);
  }
  int DX = X1 - X0, DY = Y1 - Y0;
  double ddx = x1 - x0, ddy = y1 - y0;
  int aDir = 1;
  if (DX < 0) {
    DX = -DX;
    ddx = -ddx;
    aDir = -1;
  }
  uint32_t e = ToUnsigned(65536.0 * std::abs(x0 - X0) * std::abs(y0 - Y0));
  aBlend(X0, Y0, aMainWeight(e));
  int x = X0, y = Y0;
  const int aRowLength = aBitCount == 32 ? mLockDesc.lPitch / 4 : mLockDesc.lPitch / 2;
  if (DX < DY) {
    const uint32_t g = ToUnsigned(65536.0 * (ddx / ddy));
    for (int i = 0; i < DY - 1; ++i) {
      e += g;
      if (e > 65535) {
        x += aDir;
        e &= 0xFFFF;
      }
      ++y;
      aBlend(x, y, aMainWeight(e));
      if (x < aRowLength - 1 && (aDir > 0 || x > 0)) aBlend(x + aDir, y, aSideWeight(e));
    }
  } else {
    const uint32_t g = ToUnsigned(65536.0 * (ddy / ddx));
    for (int i = 0; i < DX - 1; ++i) {
      e += g;
      if (e > 65535) {
        ++y;
        e &= 0xFFFF;
      }
      x += aDir;
      aBlend(x, y, aMainWeight(e));
      if (y < mHeight - 1) aBlend(x, y + 1, aSideWeight(e));
    }
  }
  aBlend(X1, Y1, aMainWeight(e));
  UnlockSurface();
}

}  // namespace Tesk

namespace Tesk {

void DDImage::SoftwareCoverageFill(Span* theSpans, int theSpanCount, const Color& theColor,
                                   const unsigned char* theCoverage, int theCoverX, int theCoverY,
                                   int theCoverWidth) {
  if (!LockSurface()) return;
  const uint32_t aBitCount = mLockDesc.ddpfPixelFormat.dwRGBBitCount;
  if (mLockDesc.lpSurface != nullptr && (aBitCount == 16 || aBitCount == 32)) {
    const uint32_t aMasks[3] = {mLockDesc.ddpfPixelFormat.dwRBitMask, mLockDesc.ddpfPixelFormat.dwGBitMask,
                                mLockDesc.ddpfPixelFormat.dwBBitMask};
    const uint32_t aValues[3] = {static_cast<uint32_t>(theColor.mRed), static_cast<uint32_t>(theColor.mGreen),
                                 static_cast<uint32_t>(theColor.mBlue)};
    uint32_t C = 0;
    for (int c = 0; c < 3; ++c) C |= ((aValues[c] * aMasks[c]) >> 8) & aMasks[c];
    const uint32_t ca = static_cast<uint32_t>(theColor.mAlpha);
    auto aBlend = [&](uint32_t d, uint32_t w) {
      uint32_t aResult = 0;
      for (int c = 0; c < 3; ++c) {
        uint32_t M = aMasks[c];
        aResult |= (((d & M) * (256 - w) + w * (C & M)) >> 8) & M;
      }
      return aResult;
    };
    for (int i = 0; i < theSpanCount; ++i) {
      const Span& aSpan = theSpans[i];
      const unsigned char* aCover =
          theCoverage + (aSpan.mY - theCoverY) * theCoverWidth + (aSpan.mX - theCoverX);
      if (aBitCount == 32) {
        uint32_t* d = PixelAt<uint32_t>(mLockDesc, aSpan.mX, aSpan.mY);
        for (int x = 0; x < aSpan.mWidth; ++x) d[x] = aBlend(d[x], (ca * (aCover[x] + 1u)) >> 8);
      } else {
        uint16_t* d = PixelAt<uint16_t>(mLockDesc, aSpan.mX, aSpan.mY);
        for (int x = 0; x < aSpan.mWidth; ++x)
          d[x] = static_cast<uint16_t>(aBlend(d[x], (ca * (aCover[x] + 1u)) >> 8));
      }
    }
  }
  UnlockSurface();
  DeleteAllNonSurfaceData();
}

}  // namespace Tesk

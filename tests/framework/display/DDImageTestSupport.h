// Headless fixtures for display-surface images: a display interface with a DirectDraw object
// and a native format but no window, a surface image whose lock hands out a test buffer of any
// 16- or 32-bit layout fenced by guard bytes, and an accelerated path that records its calls.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "display/D3DInterface.h"
#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "display/DIRECTDRAW2.h"
#include "display/DIRECTDRAWSURFACE3.h"

namespace DDImageTest {

using namespace Tesk;

struct Format {
  uint32_t mBits, mRed, mGreen, mBlue;
};
constexpr Format k_Format888{32, 0x00FF0000, 0x0000FF00, 0x000000FF};
constexpr Format k_Format565{16, 0xF800, 0x07E0, 0x001F};
constexpr Format k_Format555{16, 0x7C00, 0x03E0, 0x001F};
constexpr Format k_Format444{16, 0x0F00, 0x00F0, 0x000F};  // a 16-bit layout of neither kind

inline int LowBit(uint32_t m) {
  int i = 0;
  while (m != 0 && !(m & 1)) {
    m >>= 1;
    ++i;
  }
  return i;
}
inline int Bits(uint32_t m) {
  int n = 0;
  for (; m != 0; m &= m - 1) ++n;
  return n;
}

// A display interface ready for surfaces: DirectDraw object, native format and add tables.
class TestDisplay : public DDInterface {
 public:
  explicit TestDisplay(const Format& theFormat = k_Format888) : DDInterface(nullptr) {
    mDirectDraw = new DIRECTDRAW2();
    mDirectDrawEx = mDirectDraw;
    SetFormat(theFormat);
  }
  void SetFormat(const Format& theFormat) {
    mRGBBits = static_cast<int>(theFormat.mBits);
    mRedMask = static_cast<int>(theFormat.mRed);
    mGreenMask = static_cast<int>(theFormat.mGreen);
    mBlueMask = static_cast<int>(theFormat.mBlue);
    std::unique_ptr<int[]>* aTables[3] = {&mRedAddTable, &mGreenAddTable, &mBlueAddTable};
    const uint32_t aMasks[3] = {theFormat.mRed, theFormat.mGreen, theFormat.mBlue};
    int* aShifts[3] = {&mRedShift, &mGreenShift, &mBlueShift};
    int* aBits[3] = {&mRedBits, &mGreenBits, &mBlueBits};
    for (int c = 0; c < 3; ++c) {
      *aShifts[c] = LowBit(aMasks[c]);
      *aBits[c] = Bits(aMasks[c]);
      int aMax = (1 << *aBits[c]) - 1;
      aTables[c]->reset(new int[2 * aMax + 1]);
      for (int i = 0; i < 2 * aMax + 1; ++i) (*aTables[c])[i] = i < aMax ? i : aMax;
    }
    mAddTablesSaturate = mRedBits == 8 && mGreenBits == 8 && mBlueBits == 8;
  }
  DIRECTDRAWSURFACE3* MakeSurface(int theWidth, int theHeight) {
    _DDSURFACEDESC2 aDesc = MakeSurfaceDesc2();
    aDesc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    aDesc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    aDesc.dwWidth = static_cast<uint32_t>(theWidth);
    aDesc.dwHeight = static_cast<uint32_t>(theHeight);
    DIRECTDRAWSURFACE3* aSurface = nullptr;
    EXPECT_EQ(CreateSurface(&aDesc, &aSurface, nullptr), 0);
    return aSurface;
  }
};

constexpr uint8_t k_Guard = 0xA5;
constexpr int k_GuardBytes = 64;

// A surface image whose lock hands out a buffer of the chosen layout: rows padded by two
// pixels, the whole fenced by guard bytes, so that anything written outside the pixels shows.
class TestSurfaceImage : public DDImage {
 public:
  TestSurfaceImage(DDInterface* theDisplay, int theWidth, int theHeight, const Format& theFormat)
      : DDImage(theDisplay), mFormat(theFormat) {
    mBytesPerPixel = static_cast<int>(theFormat.mBits / 8);
    mPitch = (theWidth + 2) * mBytesPerPixel;
    mBuffer.assign(static_cast<size_t>(k_GuardBytes * 2 + mPitch * theHeight), k_Guard);
    for (int y = 0; y < theHeight; ++y)
      std::memset(&mBuffer[k_GuardBytes + y * mPitch], 0, static_cast<size_t>(theWidth * mBytesPerPixel));
    mWidth = theWidth;
    mHeight = theHeight;
    // Opaque black memory pixels: the first surface is made from them.
    std::vector<uint32_t> aBlack(static_cast<size_t>(theWidth * theHeight), 0xFF000000u);
    SetBits(aBlack.data(), theWidth, theHeight);
  }

  bool LockSurface() override {
    if (Check3D(this)) return false;
    if (mLockCount == 0) {
      if (GetSurface() == nullptr || mRefuseLock) return false;
      mLockDesc = MakeSurfaceDesc();
      mLockDesc.dwWidth = static_cast<uint32_t>(mWidth);
      mLockDesc.dwHeight = static_cast<uint32_t>(mHeight);
      mLockDesc.lPitch = mPitch;
      mLockDesc.lpSurface = &mBuffer[k_GuardBytes];
      mLockDesc.ddpfPixelFormat.dwRGBBitCount = mFormat.mBits;
      mLockDesc.ddpfPixelFormat.dwRBitMask = mFormat.mRed;
      mLockDesc.ddpfPixelFormat.dwGBitMask = mFormat.mGreen;
      mLockDesc.ddpfPixelFormat.dwBBitMask = mFormat.mBlue;
      ++mSurfaceLocks;
    }
    ++mLockCount;
    return true;
  }
  bool UnlockSurface() override {
    if (Check3D(this)) return false;
    --mLockCount;
    if (mLockCount == 0) ++mSurfaceUnlocks;
    return true;
  }

  uint32_t Pixel(int x, int y) const {
    const uint8_t* p = &mBuffer[k_GuardBytes + y * mPitch + x * mBytesPerPixel];
    if (mBytesPerPixel == 2) return uint32_t(p[0]) | (uint32_t(p[1]) << 8);
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
  }
  void SetPixel(int x, int y, uint32_t v) {
    uint8_t* p = &mBuffer[k_GuardBytes + y * mPitch + x * mBytesPerPixel];
    for (int i = 0; i < mBytesPerPixel; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
  }
  void FillPixels(uint32_t v) {
    for (int y = 0; y < mHeight; ++y)
      for (int x = 0; x < mWidth; ++x) SetPixel(x, y, v);
  }
  // Every byte outside the pixels still holds the guard.
  ::testing::AssertionResult GuardsIntact() const {
    for (size_t i = 0; i < mBuffer.size(); ++i) {
      long anOffset = static_cast<long>(i) - k_GuardBytes;
      bool isPixel =
          anOffset >= 0 && anOffset < mPitch * mHeight && (anOffset % mPitch) < mWidth * mBytesPerPixel;
      if (!isPixel && mBuffer[i] != k_Guard)
        return ::testing::AssertionFailure() << "guard byte " << anOffset << " written";
    }
    return ::testing::AssertionSuccess();
  }

  Format mFormat;
  int mBytesPerPixel;
  int mPitch;
  std::vector<uint8_t> mBuffer;
  bool mRefuseLock = false;
  int mSurfaceLocks = 0;
  int mSurfaceUnlocks = 0;
};

// The accelerated path as a list of the calls that reached it.
class RecordingD3D : public D3DInterface {
 public:
  std::vector<std::string> mCalls;
  TRect<int> mLastBlt;  // position and size of the last Blt

  bool FillRect(const TRect<int>&, const Color&, int) override {
    mCalls.push_back("FillRect");
    return true;
  }
  bool DrawLine(double, double, double, double, const Color&, int) override {
    mCalls.push_back("DrawLine");
    return true;
  }
  void FillPoly(const TPoint<int>[], int, const TRect<int>*, const Color&, int, int, int) override {
    mCalls.push_back("FillPoly");
  }
  void Blt(Image*, float x, float y, const TRect<int>& theSrcRect, const Color&, int, bool) override {
    mCalls.push_back("Blt");
    mLastBlt = TRect<int>(static_cast<int>(x), static_cast<int>(y), theSrcRect.mWidth, theSrcRect.mHeight);
  }
  void BltClipF(Image*, float, float, const TRect<int>&, const TRect<int>*, const Color&, int) override {
    mCalls.push_back("BltClipF");
  }
  void BltMirror(Image*, float, float, const TRect<int>&, const Color&, int, bool) override {
    mCalls.push_back("BltMirror");
  }
  void StretchBlt(Image*, const TRect<int>&, const TRect<int>&, const TRect<int>*, const Color&, int, bool,
                  bool mirror) override {
    mCalls.push_back(mirror ? "StretchBltMirror" : "StretchBlt");
  }
  void BltRotated(Image*, float, float, const TRect<int>*, const Color&, int, double, float, float,
                  const TRect<int>&) override {
    mCalls.push_back("BltRotated");
  }
  void BltTransformed(Image*, const TRect<int>*, const Color&, int, const TRect<int>&, const TeskMatrix3&,
                      bool, float, float, bool) override {
    mCalls.push_back("BltTransformed");
  }
  void DrawTrianglesTex(const TriVertex[][3], int, const Color&, int, Image*, float, float, bool) override {
    mCalls.push_back("DrawTrianglesTex");
  }
};

// An image of theWidth x theHeight filled by theFill(x, y).
template <class Fill>
void SetPixels(MemoryImage& theImage, int theWidth, int theHeight, Fill theFill) {
  std::vector<uint32_t> aBits(static_cast<size_t>(theWidth * theHeight));
  for (int y = 0; y < theHeight; ++y)
    for (int x = 0; x < theWidth; ++x) aBits[static_cast<size_t>(y * theWidth + x)] = theFill(x, y);
  theImage.SetBits(aBits.data(), theWidth, theHeight);
}

}  // namespace DDImageTest

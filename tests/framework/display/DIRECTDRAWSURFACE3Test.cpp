#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <cmath>
#include <algorithm>
#include <thread>
#include <vector>

#include "DisplayTestWindow.h"
#include "display/DIRECTDRAW2.h"
#include "display/DIRECTDRAWSURFACE3.h"

namespace {

// Plain memory surfaces need no OpenGL: their textures wait for the first bind.
class SurfaceTest : public ::testing::Test {
 protected:
  DIRECTDRAWSURFACE3* Make(int theWidth, int theHeight, uint32_t theCaps = DDSCAPS_OFFSCREENPLAIN) {
    _DDSURFACEDESC2 aDesc = MakeSurfaceDesc2();
    aDesc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    aDesc.ddsCaps.dwCaps = theCaps;
    aDesc.dwWidth = theWidth;
    aDesc.dwHeight = theHeight;
    DIRECTDRAWSURFACE3* aSurface = nullptr;
    EXPECT_EQ(mDD.CreateSurface(&aDesc, &aSurface, nullptr), 0);
    return aSurface;
  }
  static void Fill(DIRECTDRAWSURFACE3* theSurface, uint32_t theColor) {
    std::fill(theSurface->GetMemory(),
              theSurface->GetMemory() + theSurface->GetWidth() * theSurface->GetHeight(), theColor);
  }
  static uint32_t At(DIRECTDRAWSURFACE3* theSurface, int x, int y) {
    return theSurface->GetMemory()[y * theSurface->GetWidth() + x];
  }
  DIRECTDRAW2 mDD;
};

TEST_F(SurfaceTest, MemoryBlitBlendsBySourceAlpha) {
  struct Case {
    uint32_t mSource, mDest, mExpected;
  };
  const Case kCases[] = {
      {0x80FF0000u, 0xFF0000FFu, 0xBF7F007Fu},  // half over: each byte (d(256-a) + sa) >> 8
      {0x00FFFFFFu, 0xFF123456u, 0xFF123456u},  // alpha 0 is skipped
      {0xFF808080u, 0xFF000000u, 0xFF808080u},  // opaque is copied exactly, not darkened
      {0xFFFFFFFFu, 0x00000000u, 0xFFFFFFFFu},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mSource);
    DIRECTDRAWSURFACE3* aSrc = Make(2, 2);
    DIRECTDRAWSURFACE3* aDest = Make(2, 2);
    Fill(aSrc, c.mSource);
    Fill(aDest, c.mDest);
    EXPECT_EQ(aDest->Blt(nullptr, aSrc, nullptr, DDBLT_WAIT, nullptr), 0);
    EXPECT_EQ(At(aDest, 1, 1), c.mExpected);
    EXPECT_TRUE(aDest->IsDirty());
  }
}

TEST_F(SurfaceTest, SourceKeySkipsKeyWords) {
  DIRECTDRAWSURFACE3* aSrc = Make(2, 1);
  DIRECTDRAWSURFACE3* aDest = Make(2, 1);
  aSrc->GetMemory()[0] = 0xFF123456u;
  aSrc->GetMemory()[1] = 0xFFABCDEFu;
  Fill(aDest, 0xFF000000u);
  _DDCOLORKEY aKey{0xFF123456u, 0xFF123456u};
  aSrc->SetColorKey(DDCKEY_SRCBLT, &aKey);
  aDest->Blt(nullptr, aSrc, nullptr, DDBLT_WAIT | DDBLT_KEYSRC, nullptr);
  EXPECT_EQ(At(aDest, 0, 0), 0xFF000000u);
  EXPECT_EQ(At(aDest, 1, 0), 0xFFABCDEFu);
}

TEST_F(SurfaceTest, FillsByColourAndRasterOperation) {
  DIRECTDRAWSURFACE3* aDest = Make(4, 4);
  _DDBLTFX aFx{};
  aFx.dwROP = k_DDRopWhiteness;
  aDest->Blt(nullptr, nullptr, nullptr, DDBLT_DEPTHFILL, &aFx);
  EXPECT_EQ(At(aDest, 3, 3), 0xFFFFFFFFu);
  aFx.dwROP = 0x42;
  aDest->Blt(nullptr, nullptr, nullptr, DDBLT_DEPTHFILL, &aFx);
  EXPECT_EQ(At(aDest, 3, 3), 0u);
  aFx.dwFillColor = 0x11223344u;
  tagRECT aRect{1, 1, 3, 2};
  aDest->Blt(&aRect, nullptr, nullptr, DDBLT_COLORFILL, &aFx);
  EXPECT_EQ(At(aDest, 1, 1), 0x11223344u);
  EXPECT_EQ(At(aDest, 2, 1), 0x11223344u);
  EXPECT_EQ(At(aDest, 3, 1), 0u);
  EXPECT_EQ(At(aDest, 1, 2), 0u);
}

TEST_F(SurfaceTest, BlitsAreClippedToBothSurfaces) {
  // Rectangles reaching past either surface on any side touch nothing outside it.
  DIRECTDRAWSURFACE3* aSrc = Make(8, 8);
  DIRECTDRAWSURFACE3* aDest = Make(8, 8);
  for (int i = 0; i < 64; ++i) aSrc->GetMemory()[i] = 0xFF000000u | static_cast<uint32_t>(i);
  Fill(aDest, 0xFF000000u);
  tagRECT aDestRect{-3, -2, 5, 6};
  tagRECT aSrcRect{0, 0, 8, 8};
  aDest->Blt(&aDestRect, aSrc, &aSrcRect, DDBLT_WAIT, nullptr);
  EXPECT_EQ(At(aDest, 0, 0), 0xFF000000u | (2 * 8 + 3));
  EXPECT_EQ(At(aDest, 4, 5), 0xFF000000u | (7 * 8 + 7));
  EXPECT_EQ(At(aDest, 5, 0), 0xFF000000u);
  tagRECT aFar{6, 6, 14, 14};
  tagRECT aSrcFar{4, 4, 12, 12};
  aDest->Blt(&aFar, aSrc, &aSrcFar, DDBLT_WAIT, nullptr);
  EXPECT_EQ(At(aDest, 7, 7), 0xFF000000u | (5 * 8 + 5));
}

TEST_F(SurfaceTest, CopiesToTheScreenAreOpaqueAndClippedToBothSurfaces) {
  // The frame's copy to a surface that is shown, at one step per pixel, against the rule: every
  // destination pixel whose source pixel lies inside the source takes it with alpha 255, every
  // other pixel stays; odd widths, every side clipped, sources and destinations offset.
  struct Case {
    int mSrcW, mSrcH, mDestW, mDestH;
    tagRECT mDest, mSrc;
  };
  const Case kCases[] = {
      {13, 7, 13, 7, {0, 0, 13, 7}, {0, 0, 13, 7}},     {13, 7, 13, 7, {-3, -2, 10, 5}, {0, 0, 13, 7}},
      {13, 7, 11, 9, {2, 1, 15, 8}, {0, 0, 13, 7}},     {13, 7, 11, 9, {0, 0, 9, 6}, {-2, -1, 7, 5}},
      {13, 7, 11, 9, {1, 2, 8, 9}, {6, 3, 13, 10}},     {5, 5, 9, 9, {0, 0, 9, 9}, {-2, -2, 7, 7}},
      {13, 7, 13, 7, {4, 3, 4, 7}, {0, 0, 0, 4}},       {13, 7, 13, 7, {3, 0, 8, 7}, {20, 0, 25, 7}},
  };
  for (const Case& c : kCases) {
    DIRECTDRAWSURFACE3* aSrc = Make(c.mSrcW, c.mSrcH);
    DIRECTDRAWSURFACE3* aDest = Make(c.mDestW, c.mDestH, DDSCAPS_BACKBUFFER);
    for (int i = 0; i < c.mSrcW * c.mSrcH; ++i) aSrc->GetMemory()[i] = 0x01020304u * static_cast<uint32_t>(i + 1);
    Fill(aDest, 0x00ABCDEFu);
    tagRECT aDestRect = c.mDest, aSrcRect = c.mSrc;
    aDest->Blt(&aDestRect, aSrc, &aSrcRect, DDBLT_WAIT, nullptr);
    for (int y = 0; y < c.mDestH; ++y) {
      for (int x = 0; x < c.mDestW; ++x) {
        const int aSrcX = x - c.mDest.left + c.mSrc.left, aSrcY = y - c.mDest.top + c.mSrc.top;
        const bool isInside = x >= c.mDest.left && x < c.mDest.right && y >= c.mDest.top && y < c.mDest.bottom &&
                              aSrcX >= 0 && aSrcX < c.mSrcW && aSrcY >= 0 && aSrcY < c.mSrcH;
        const uint32_t anExpected = isInside ? (At(aSrc, aSrcX, aSrcY) | 0xFF000000u) : 0x00ABCDEFu;
        ASSERT_EQ(At(aDest, x, y), anExpected) << "case " << (&c - kCases) << " at " << x << "," << y;
      }
    }
  }
}

// The frame onto a shown surface at another size, as a monitor scales a mode: at a whole-number
// scale each source pixel becomes a square of pixels; at any other the picture is filtered,
// pixel centres aligned and the edges held. Only the destination rectangle is written, opaque.
TEST_F(SurfaceTest, CopiesToTheScreenAtAnotherSizeAreWholeSquaresOrFiltered) {
  struct Case {
    int mSrcW, mSrcH, mDestW, mDestH;
    tagRECT mDest;
  };
  const Case kCases[] = {
      {5, 3, 10, 6, {0, 0, 10, 6}},     // twice: 2 x 2 squares
      {5, 3, 19, 9, {2, 0, 17, 9}},     // three times, with bars left and right
      {4, 4, 4, 12, {0, 4, 4, 8}},      // once, moved down: a plain copy
      {37, 23, 61, 40, {0, 1, 61, 39}},  // 1.65: filtered
      {40, 30, 51, 38, {0, 0, 51, 38}},  // 1.275
      {30, 20, 21, 14, {0, 0, 21, 14}},  // smaller
      {8, 6, 20, 10, {-6, -2, 14, 13}},  // 2.5 by 2.5, reaching past the surface
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE("case " + std::to_string(&c - kCases));
    DIRECTDRAWSURFACE3* aSrc = Make(c.mSrcW, c.mSrcH);
    DIRECTDRAWSURFACE3* aDest = Make(c.mDestW, c.mDestH, DDSCAPS_BACKBUFFER);
    // Channels that change at unlike rates, alpha anything (a blitter's leftover).
    for (int y = 0; y < c.mSrcH; ++y)
      for (int x = 0; x < c.mSrcW; ++x)
        aSrc->GetMemory()[y * c.mSrcW + x] = (static_cast<uint32_t>(x * 7 + y) << 24) |
                                               (static_cast<uint32_t>((x * 53 + y * 11) & 0xFF) << 16) |
                                               (static_cast<uint32_t>((y * 71) & 0xFF) << 8) |
                                               static_cast<uint32_t>((x * y * 29) & 0xFF);
    Fill(aDest, 0x00ABCDEFu);
    tagRECT aDestRect = c.mDest, aSrcRect{0, 0, c.mSrcW, c.mSrcH};
    aDest->Blt(&aDestRect, aSrc, &aSrcRect, DDBLT_WAIT, nullptr);
    const int aW = c.mDest.right - c.mDest.left, aH = c.mDest.bottom - c.mDest.top;
    const bool isWhole = aW % c.mSrcW == 0 && aH % c.mSrcH == 0 && aW / c.mSrcW == aH / c.mSrcH;
    int aWrong = 0;
    for (int y = 0; y < c.mDestH; ++y) {
      for (int x = 0; x < c.mDestW; ++x) {
        const uint32_t aGot = At(aDest, x, y);
        if (x < c.mDest.left || x >= c.mDest.right || y < c.mDest.top || y >= c.mDest.bottom) {
          aWrong += aGot != 0x00ABCDEFu;
          continue;
        }
        if ((aGot >> 24) != 0xFF) ++aWrong;
        if (isWhole) {
          const int k = aW / c.mSrcW;
          aWrong += aGot != (At(aSrc, (x - c.mDest.left) / k, (y - c.mDest.top) / k) | 0xFF000000u);
          continue;
        }
        // Bilinear by the formula, in doubles: within 2 of it (8-bit weights, rounded twice).
        const double u = (x - c.mDest.left + 0.5) * c.mSrcW / aW - 0.5;
        const double v = (y - c.mDest.top + 0.5) * c.mSrcH / aH - 0.5;
        const int u0 = static_cast<int>(std::floor(u)), v0 = static_cast<int>(std::floor(v));
        const double fu = u - u0, fv = v - v0;
        auto Texel = [&](int tx, int ty, int theShift) {
          tx = std::clamp(tx, 0, c.mSrcW - 1);
          ty = std::clamp(ty, 0, c.mSrcH - 1);
          return static_cast<double>((At(aSrc, tx, ty) >> theShift) & 0xFF);
        };
        for (int aShift = 0; aShift < 24; aShift += 8) {
          const double aTop = Texel(u0, v0, aShift) * (1 - fu) + Texel(u0 + 1, v0, aShift) * fu;
          const double aBottom = Texel(u0, v0 + 1, aShift) * (1 - fu) + Texel(u0 + 1, v0 + 1, aShift) * fu;
          const double anExpected = aTop * (1 - fv) + aBottom * fv;
          if (std::fabs(((aGot >> aShift) & 0xFF) - anExpected) > 2.0) ++aWrong;
        }
      }
    }
    EXPECT_EQ(aWrong, 0);
  }
  // One colour stays that colour at any scale.
  DIRECTDRAWSURFACE3* aFlat = Make(40, 30);
  DIRECTDRAWSURFACE3* aScreen = Make(57, 43, DDSCAPS_BACKBUFFER);
  Fill(aFlat, 0x12345678u);
  aScreen->Blt(nullptr, aFlat, nullptr, DDBLT_WAIT, nullptr);
  for (int i = 0; i < 57 * 43; ++i) ASSERT_EQ(aScreen->GetMemory()[i], 0xFF345678u) << i;
}

TEST_F(SurfaceTest, UnequalSizesScaleByNearestSample) {
  DIRECTDRAWSURFACE3* aSrc = Make(2, 2);
  DIRECTDRAWSURFACE3* aDest = Make(4, 4);
  const uint32_t kPixels[4] = {0xFF0000FFu, 0xFF00FF00u, 0xFFFF0000u, 0xFFFFFFFFu};
  std::copy(kPixels, kPixels + 4, aSrc->GetMemory());
  aDest->Blt(nullptr, aSrc, nullptr, DDBLT_WAIT, nullptr);
  EXPECT_EQ(At(aDest, 1, 1), kPixels[0]);
  EXPECT_EQ(At(aDest, 2, 1), kPixels[1]);
  EXPECT_EQ(At(aDest, 1, 3), kPixels[2]);
  EXPECT_EQ(At(aDest, 3, 3), kPixels[3]);
  // Flag 0x4 takes the source rows bottom to top.
  aDest->Blt(nullptr, aSrc, nullptr, DDBLT_DDFX_FLIPROWS, nullptr);
  EXPECT_EQ(At(aDest, 0, 0), kPixels[2]);
}

TEST_F(SurfaceTest, DescriptionLockAndAttachedSurface) {
  DIRECTDRAWSURFACE3* aSurface = Make(10, 6);
  _DDSURFACEDESC aDesc = MakeSurfaceDesc();
  tagRECT aRect{2, 3, 5, 5};
  ASSERT_EQ(aSurface->Lock(&aRect, &aDesc, DDLOCK_WAIT, nullptr), 0);
  EXPECT_EQ(aDesc.dwFlags, 0x180Eu);
  EXPECT_EQ(aDesc.dwWidth, 10u);
  EXPECT_EQ(aDesc.lPitch, 40);
  EXPECT_EQ(aDesc.ddpfPixelFormat.dwRGBBitCount, 32u);
  EXPECT_EQ(aDesc.ddpfPixelFormat.dwRBitMask, 0x00FF0000u);
  EXPECT_EQ(aDesc.ddpfPixelFormat.dwRGBAlphaBitMask, 0xFF000000u);
  EXPECT_EQ(aDesc.lpSurface, aSurface->GetMemory() + 3 * 10 + 2);
  aSurface->Unlock(nullptr);
  DIRECTDRAWSURFACE3* anAttached = nullptr;
  _DDSCAPS aCaps{DDSCAPS_BACKBUFFER};
  EXPECT_EQ(static_cast<uint32_t>(aSurface->GetAttachedSurface(&aCaps, &anAttached)), 0xFA0001CCu);
  EXPECT_LT(aSurface->GetAttachedSurface(&aCaps, &anAttached), 0);  // a failure in 32 bits
  void* aPalette = &aPalette;
  EXPECT_LT(mDD.CreatePalette(0x44, nullptr, &aPalette, nullptr), 0);
}

TEST_F(SurfaceTest, ReleaseTwiceIsHarmless) {
  DIRECTDRAWSURFACE3* aSurface = Make(4, 4);
  aSurface->Release();
  aSurface->Release();
  EXPECT_TRUE(aSurface->IsReleased());
  EXPECT_EQ(aSurface->GetMemory(), nullptr);
  EXPECT_LT(aSurface->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, nullptr), 0);
}

TEST(PrimarySurfaceTest, BlitsPresentOnTheGLThreadAndWaitElsewhere) {
  if (!DisplayTest::HasDisplay()) GTEST_SKIP() << "no display";
  CGTestSetDisplays({});
  WindowRef aWindow = DisplayTest::MakeWindow(64, 48);
  ASSERT_NE(aWindow, nullptr);
  {
    DIRECTDRAW2 aDD;
    _DDSURFACEDESC2 aDesc = MakeSurfaceDesc2();
    aDesc.dwFlags = DDSD_CAPS;
    aDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    aDesc.lpSurface = aWindow;
    DIRECTDRAWSURFACE3* aPrimary = nullptr;
    ASSERT_EQ(aDD.CreateSurface(&aDesc, &aPrimary, nullptr), 0);
    EXPECT_EQ(aPrimary->GetWidth(), 64);  // the window's size, taken from its port
    EXPECT_EQ(aPrimary->GetHeight(), 48);
    EXPECT_NE(aDD.GetMainContext(), nullptr);
    _DDBLTFX aFx{};
    aFx.dwFillColor = 0x00336699u;  // alpha 0 is opaque on screen
    ASSERT_EQ(aPrimary->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &aFx), 0);
    EXPECT_EQ(aPrimary->GetMemory()[5 * 64 + 5], 0xFF336699u);
    EXPECT_FALSE(aPrimary->IsPresentPending());
    // Another thread writes the memory only; the OpenGL thread presents it later.
    aFx.dwFillColor = 0xFF996633u;
    std::thread([&] { aPrimary->Blt(nullptr, nullptr, nullptr, DDBLT_COLORFILL, &aFx); }).join();
    EXPECT_TRUE(aPrimary->IsPresentPending());
    EXPECT_TRUE(aPrimary->PresentIfPending());
    EXPECT_FALSE(aPrimary->IsPresentPending());
    EXPECT_EQ(aPrimary->GetMemory()[5 * 64 + 5], 0xFF996633u);
  }
  EXPECT_EQ(aglLiveContextCount(), 0);
  EXPECT_EQ(DIRECTDRAWSURFACE3::LiveTextureCount(), 0);
  DisposeWindow(aWindow);
}

TEST(PrimarySurfaceTest, WindowShowsTheFrameExactly) {
  // Every pixel of the window is the frame's pixel, whatever the texture's filtering. Read from
  // the back buffer, which the software rasteriser keeps as it was swapped.
  if (!DisplayTest::HasDisplay()) GTEST_SKIP() << "no display";
  CGTestSetDisplays({});
  const int w = 67, h = 45;
  WindowRef aWindow = DisplayTest::MakeWindow(w, h);
  ASSERT_NE(aWindow, nullptr);
  {
    DIRECTDRAW2 aDD;
    _DDSURFACEDESC2 aDesc = MakeSurfaceDesc2();
    aDesc.dwFlags = DDSD_CAPS;
    aDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    aDesc.lpSurface = aWindow;
    DIRECTDRAWSURFACE3* aPrimary = nullptr;
    ASSERT_EQ(aDD.CreateSurface(&aDesc, &aPrimary, nullptr), 0);
    ASSERT_EQ(aPrimary->GetWidth(), w);
    ASSERT_EQ(aPrimary->GetHeight(), h);
    uint32_t aSeed = 12345;
    for (int aFrame = 0; aFrame < 3; ++aFrame) {
      for (int i = 0; i < w * h; ++i) {
        aSeed = aSeed * 1664525u + 1013904223u;
        aPrimary->GetMemory()[i] = aSeed;
      }
      aPrimary->Unlock(nullptr);  // presents the memory as it is
      std::vector<unsigned char> aShown(static_cast<size_t>(w) * h * 4);
      glReadBuffer(GL_BACK);
      glPixelStorei(GL_PACK_ALIGNMENT, 1);
      glReadPixels(0, 0, w, h, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, aShown.data());
      for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
          uint32_t aPixel;
          std::memcpy(&aPixel, &aShown[(static_cast<size_t>(h - 1 - y) * w + x) * 4], 4);
          ASSERT_EQ(aPixel & 0xFFFFFFu, aPrimary->GetMemory()[y * w + x] & 0xFFFFFFu)
              << "frame " << aFrame << " at " << x << "," << y;
        }
      }
    }
  }
  DisposeWindow(aWindow);
}

}  // namespace

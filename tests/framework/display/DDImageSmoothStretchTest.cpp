// The display surface's smooth stretch resamples into a scratch image that it keeps between
// blits. Whatever the scratch held before (a larger picture, other alpha), each blit must leave
// what resampling into a fresh image and blitting that leaves; and once warm it allocates nothing.
#include <gtest/gtest.h>

#include <vector>

#include "DDImageTestSupport.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"
#include "support/AllocationCount.h"

using namespace DDImageTest;

namespace {

uint32_t NextWord(uint32_t& theState) {
  theState = theState * 1664525u + 1013904223u;
  return theState ^ (theState >> 13);
}

enum Alpha { Opaque, Mixed };

std::vector<uint32_t> MakePixels(int theWidth, int theHeight, Alpha theAlpha, uint32_t& theState) {
  std::vector<uint32_t> aPixels(size_t(theWidth) * theHeight);
  for (uint32_t& p : aPixels) {
    const uint32_t r = NextWord(theState) % 4;
    const uint32_t a = theAlpha == Opaque ? 255 : r == 0 ? 0 : r == 1 ? 255 : NextWord(theState) & 0xFF;
    p = (a << 24) | (NextWord(theState) & 0x00FFFFFF);
  }
  return aPixels;
}

struct Draw {
  int src;  // index of the source
  TRect<int> dest, clip;
  Color color;
  int drawMode;
};

// The blit as it was made before the scratch: a fresh image per blit.
void FreshImageStretch(TestSurfaceImage& theDest, MemoryImage* theSrc, const Draw& theDraw) {
  const TRect<int> aSrcRect(0, 0, theSrc->mWidth, theSrc->mHeight);
  TRect<double> aSrcOut;
  TRect<int> aDestOut;
  if (!theDest.StretchBltClipHelper(aSrcRect, theDraw.clip, theDraw.dest, aSrcOut, aDestOut)) return;
  MemoryImage aTemp(theDest.mApp);
  aTemp.Create(aDestOut.mWidth, aDestOut.mHeight);
  aTemp.SlowStretchBlt(theSrc, TRect<int>(0, 0, aDestOut.mWidth, aDestOut.mHeight), aSrcOut, Color::White,
                       DRAWMODE_NORMAL);
  aTemp.CommitBits();
  theDest.Blt(&aTemp, aDestOut.mX, aDestOut.mY, TRect<int>(0, 0, aDestOut.mWidth, aDestOut.mHeight),
              theDraw.color, theDraw.drawMode);
}

}  // namespace

TEST(DDImageSmoothStretch, KeptScratchLeavesWhatAFreshImageLeaves) {
  const int W = 48, H = 40;
  const TRect<int> aAll(0, 0, W, H);
  // Large first, so that later, smaller blits find a scratch holding other pixels; opaque
  // results after mixed ones, so stale alpha would show in the routing.
  const Draw kDraws[] = {
      {0, {-4, -3, 55, 46}, aAll, Color::White, DRAWMODE_NORMAL},
      {1, {3, 2, 9, 7}, aAll, Color::White, DRAWMODE_NORMAL},
      {2, {1, 1, 30, 21}, aAll, Color::White, DRAWMODE_NORMAL},
      {0, {5, 6, 17, 13}, {7, 8, 20, 20}, Color(200, 120, 40, 180), DRAWMODE_NORMAL},
      {2, {0, 0, 13, 31}, aAll, Color(90, 90, 90, 255), DRAWMODE_NORMAL},
      {0, {2, 4, 40, 30}, aAll, Color::White, DRAWMODE_ADDITIVE},
      {1, {6, 3, 11, 19}, aAll, Color(60, 200, 100, 128), DRAWMODE_ADDITIVE},
      {2, {20, 10, 7, 5}, aAll, Color::White, DRAWMODE_NORMAL},
  };
  for (const Format& aFormat : {k_Format888, k_Format565, k_Format555, k_Format444}) {
    SCOPED_TRACE(testing::Message() << "format bits " << aFormat.mBits << " green " << aFormat.mGreen);
    TestDisplay aDisplay(aFormat);
    uint32_t aState = 11;
    MemoryImage aSources[3] = {MemoryImage(nullptr), MemoryImage(nullptr), MemoryImage(nullptr)};
    aSources[0].SetBits(MakePixels(23, 17, Mixed, aState).data(), 23, 17);
    aSources[1].SetBits(MakePixels(5, 9, Opaque, aState).data(), 5, 9);
    aSources[2].SetBits(MakePixels(12, 12, Mixed, aState).data(), 12, 12);
    TestSurfaceImage aDest(&aDisplay, W, H, aFormat), aWant(&aDisplay, W, H, aFormat);
    ASSERT_NE(aDest.GetSurface(), nullptr);
    ASSERT_NE(aWant.GetSurface(), nullptr);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) {
        const uint32_t v = NextWord(aState) | (aFormat.mBits == 32 ? 0xFF000000u : 0);
        aDest.SetPixel(x, y, v);
        aWant.SetPixel(x, y, v);
      }
    aDest.DeleteAllNonSurfaceData();
    aWant.DeleteAllNonSurfaceData();
    for (const Draw& d : kDraws) {
      SCOPED_TRACE(testing::Message() << "source " << d.src << " to " << d.dest.mWidth << "x"
                                      << d.dest.mHeight << " mode " << d.drawMode);
      MemoryImage* aSrc = &aSources[d.src];
      aDest.StretchBlt(aSrc, d.dest, TRect<int>(0, 0, aSrc->mWidth, aSrc->mHeight), d.clip, d.color,
                       d.drawMode, false);
      FreshImageStretch(aWant, aSrc, d);
      for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x) ASSERT_EQ(aDest.Pixel(x, y), aWant.Pixel(x, y)) << "at " << x << "," << y;
    }
    EXPECT_TRUE(aDest.GuardsIntact());
  }
}

TEST(DDImageSmoothStretch, WarmBlitAllocatesNothing) {
  TestDisplay aDisplay(k_Format888);
  uint32_t aState = 5;
  MemoryImage aSrc(nullptr), aSprite(nullptr);
  aSrc.SetBits(MakePixels(40, 30, Mixed, aState).data(), 40, 30);
  aSprite.SetBits(MakePixels(16, 16, Opaque, aState).data(), 16, 16);
  TestSurfaceImage aDest(&aDisplay, 100, 80, k_Format888);
  ASSERT_NE(aDest.GetSurface(), nullptr);
  aDest.DeleteAllNonSurfaceData();
  const TRect<int> aClip(0, 0, 100, 80);
  // Sizes vary within the frame: the scratch serves the smaller ones from the larger's room.
  auto aFrame = [&] {
    aDest.StretchBlt(&aSrc, TRect<int>(0, 0, 90, 70), TRect<int>(0, 0, 40, 30), aClip, Color::White,
                     DRAWMODE_NORMAL, false);
    aDest.StretchBlt(&aSprite, TRect<int>(5, 5, 8, 8), TRect<int>(0, 0, 16, 16), aClip,
                     Color(30, 60, 90, 200), DRAWMODE_NORMAL, false);
    aDest.StretchBlt(&aSrc, TRect<int>(20, 5, 33, 31), TRect<int>(0, 0, 40, 30), aClip, Color::White,
                     DRAWMODE_ADDITIVE, false);
    aDest.StretchBlt(&aSprite, TRect<int>(50, 40, 24, 24), TRect<int>(0, 0, 16, 16), aClip, Color::White,
                     DRAWMODE_NORMAL, false);
  };
  aFrame();
  const long aBefore = TeskTest::AllocationCount();
  for (int i = 0; i < 3; ++i) aFrame();
  EXPECT_EQ(TeskTest::AllocationCount() - aBefore, 0);
}

// The rotated blit: tap weights, the four kernels, span narrowing and clipping.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "BlitTestSupport.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"

using namespace Tesk;

namespace {

constexpr double k_QuarterTurn = 1.5707963267948966;

}  // namespace

TEST(MemoryImageRotate, KernelsAtAngleZero) {
  // At an integer position fu = fv = 1: w00 = 254 and the other taps weigh 0. The
  // left bound (0x10000 - u) / du leaves out the column where u is exactly 0, and
  // the last source column and row are only ever right or lower neighbours, so a
  // 3x2 source draws the one pixel (1, 0).
  struct Case {
    const char* name;
    uint32_t src, dest;
    Color color;
    int mode;
    uint32_t want;
  };
  const Case kCases[] = {
      {"opaque white over black", 0xFFFFFFFF, 0xFF000000, Color::White, DRAWMODE_NORMAL, 0xFFFDFDFD},
      {"translucent source", 0x80FFFFFF, 0xFF000000, Color::White, DRAWMODE_NORMAL, 0xFF7E7E7E},
      {"colourised red", 0xFFFFFFFF, 0xFF000000, Color(255, 0, 0), DRAWMODE_NORMAL, 0xFFFC0000},
      {"additive keeps the destination alpha", 0xFF202020, 0x80101010, Color::White, DRAWMODE_ADDITIVE,
       0x802F2F2F},
      {"additive colourised", 0xFFFFFFFF, 0x80101010, Color(255, 0, 128, 128), DRAWMODE_ADDITIVE, 0x808E104F},
      {"transparent taps leave the pixel", 0x00FFFFFF, 0x12345678, Color::White, DRAWMODE_NORMAL, 0x12345678},
      {"transparent taps leave the pixel, additive", 0x00FFFFFF, 0x12345678, Color::White, DRAWMODE_ADDITIVE,
       0x12345678},
  };
  for (const Case& c : kCases) {
    for (bool aPalette : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.name << (aPalette ? " palette" : " 32-bit"));
      MemoryImage aSrc(nullptr), aDest(nullptr);
      FillPixels(aSrc, 3, 2, c.src);
      if (aPalette) {
        ASSERT_TRUE(aSrc.Palletize());
      }
      FillPixels(aDest, 4, 3, c.dest);
      aDest.BltRotated(&aSrc, 0, 0, TRect<int>(0, 0, 3, 2), TRect<int>(0, 0, 4, 3), c.color, c.mode, 0.0, 0,
                       0);
      std::vector<uint32_t> aWant(12, c.dest);
      aWant[1] = c.want;
      EXPECT_EQ(PixelsOf(aDest), aWant);
    }
  }
}

TEST(MemoryImageRotate, HalfPixelPositionBlendsNeighbours) {
  // x = 0.5: u = 0x8000 at column 1, fu = 0x8001, w00 = w10 = 127.
  MemoryImage aSrc(nullptr), aDest(nullptr);
  SetPixels(aSrc, 2, 2, {0xFFFF0000, 0xFF0000FF, 0xFFFF0000, 0xFF0000FF});
  FillPixels(aDest, 4, 3, 0xFF000000);
  aDest.BltF(&aSrc, 0.5f, 0.0f, TRect<int>(0, 0, 2, 2), TRect<int>(0, 0, 4, 3), Color::White,
             DRAWMODE_NORMAL);
  std::vector<uint32_t> aWant(12, 0xFF000000);
  aWant[1] = 0xFF7E007E;
  EXPECT_EQ(PixelsOf(aDest), aWant);
}

TEST(MemoryImageRotate, QuarterTurnMapsARowOntoAColumn) {
  // Rotating by a quarter turn about the centre of a 4x4 square: destination
  // column c shows source row c, read from the bottom up.
  MemoryImage aSrc(nullptr), aDest(nullptr);
  std::vector<uint32_t> aPixels(16);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      aPixels[y * 4 + x] = 0xFF000000 | uint32_t(x * 60) << 16 | uint32_t(y * 60) << 8;
  SetPixels(aSrc, 4, 4, aPixels);
  FillPixels(aDest, 6, 6, 0x00000000);
  aDest.BltRotated(&aSrc, 0, 0, TRect<int>(0, 0, 4, 4), TRect<int>(0, 0, 6, 6), Color::White, DRAWMODE_NORMAL,
                   k_QuarterTurn, 2.0f, 2.0f);
  auto aScaled = [](uint32_t v) { return v * 254 / 256; };
  int aDrawn = 0;
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 6; ++x) {
      uint32_t p = PixelAt(aDest, x, y);
      if (p == 0) continue;
      ++aDrawn;
      SCOPED_TRACE(testing::Message() << x << "," << y);
      ASSERT_LE(x, 3);
      ASSERT_TRUE(y >= 1 && y <= 4);
      uint32_t aWant = 0xFF000000 | aScaled(uint32_t(4 - y) * 60) << 16 | aScaled(uint32_t(x) * 60) << 8;
      EXPECT_EQ(p, aWant);
    }
  // Columns 1 and 2 (source rows 1 and 2) at least; row 0 would need u or v exactly 0 at the left bound.
  EXPECT_GE(aDrawn, 4);
}

TEST(MemoryImageRotate, ClipHelperBoundsTheTurnedRectangle) {
  MemoryImage aDest(nullptr);
  float x = 10, y = 20;
  TRect<double> aRect;
  ASSERT_TRUE(aDest.BltRotatedClipHelper(x, y, TRect<int>(0, 0, 4, 2), TRect<int>(0, 0, 100, 100),
                                         k_QuarterTurn, aRect, 0, 0));
  // (w, 0) goes to (0, -w): the box spans x 10..12 and y 16..20.
  EXPECT_NEAR(aRect.mX, 10, 1e-5);
  EXPECT_NEAR(aRect.mY, 16, 1e-5);
  EXPECT_NEAR(aRect.mWidth, 2, 1e-5);
  EXPECT_NEAR(aRect.mHeight, 4, 1e-5);
  EXPECT_FALSE(
      aDest.BltRotatedClipHelper(x, y, TRect<int>(0, 0, 4, 2), TRect<int>(50, 50, 10, 10), 0.3, aRect, 0, 0));
}

TEST(MemoryImageRotate, AClipThatMissesDrawsNothingAndMarksNothing) {
  MemoryImage aSrc(nullptr), aDest(nullptr);
  FillPixels(aSrc, 4, 4, 0xFFFFFFFF);
  FillPixels(aDest, 8, 8, 0xFF000000);
  int aCount = aDest.mBitsChangedCount;
  aDest.BltRotated(&aSrc, 0, 0, TRect<int>(0, 0, 4, 4), TRect<int>(6, 6, 2, 2), Color::White, DRAWMODE_NORMAL,
                   0.2, 2, 2);
  EXPECT_EQ(aDest.mBitsChangedCount, aCount);
  EXPECT_EQ(PixelsOf(aDest), std::vector<uint32_t>(64, 0xFF000000));
}

TEST(MemoryImageRotate, NothingIsReadOrWrittenOutside) {
  // Every angle and overhanging position: taps stay in the source (the sanitiser
  // watches the reads), writes stay in the clip.
  MemoryImage aSrc(nullptr);
  std::vector<uint32_t> aPixels(35);
  for (int i = 0; i < 35; ++i) aPixels[i] = (i % 3 ? 0xFF000000 : 0x70000000) | uint32_t(i * 0x070503);
  SetPixels(aSrc, 7, 5, aPixels);
  const float kPositions[] = {-9.5f, -3.25f, 0.0f, 2.75f, 6.0f, 11.5f};
  const Color kColors[] = {Color::White, Color(30, 200, 90, 140)};
  for (int aStep = 0; aStep < 16; ++aStep) {
    double anAngle = aStep * 0.41;
    for (float x : kPositions)
      for (float y : kPositions)
        for (int aMode : {DRAWMODE_NORMAL, DRAWMODE_ADDITIVE})
          for (const Color& aColor : kColors) {
            MemoryImage aDest(nullptr);
            MakeGuarded(aDest, 8, 6, 2, 0xFF405060);
            aDest.BltRotated(&aSrc, x + 2, y + 2, TRect<int>(1, 1, 5, 3), TRect<int>(2, 2, 8, 6), aColor,
                             aMode, anAngle, 2.5f, 1.5f);
            ExpectGuardsIntact(aDest, 2);
            MemoryImage aWhole(nullptr);
            FillPixels(aWhole, 5, 5, 0x00000000);
            aWhole.BltRotated(&aSrc, x, y, TRect<int>(0, 0, 7, 5), TRect<int>(-50, -50, 100, 100), aColor,
                              aMode, anAngle, 3.5f, 2.5f);
            ASSERT_EQ(aWhole.mBits[25], MEMORYCHECK_ID);
          }
  }
}

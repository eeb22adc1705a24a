// Stretch blits: clipping, nearest-sample steps and the two-pass resampler's weights.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "BlitTestSupport.h"
#include "graphics/BlitPixel.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"

using namespace Tesk;

namespace {

std::vector<uint32_t> Stretch(const std::vector<uint32_t>& theSrc, int theSrcWidth,
                              const TRect<double>& theSrcRect, int theDestWidth, int theDestHeight,
                              uint32_t theDest, const Color& theColor, int theMode, bool fast) {
  MemoryImage aSrc(nullptr), aDest(nullptr);
  SetPixels(aSrc, theSrcWidth, int(theSrc.size()) / theSrcWidth, theSrc);
  FillPixels(aDest, theDestWidth, theDestHeight, theDest);
  TRect<int> aDestRect(0, 0, theDestWidth, theDestHeight);
  if (fast)
    aDest.FastStretchBlt(&aSrc, aDestRect, theSrcRect, theColor, theMode);
  else
    aDest.SlowStretchBlt(&aSrc, aDestRect, theSrcRect, theColor, theMode);
  EXPECT_TRUE(aSrc.mDrawn);
  return PixelsOf(aDest);
}

}  // namespace

TEST(MemoryImageStretch, ClipHelpersMoveTheSourceByWhatTheClipCuts) {
  struct Case {
    const char* name;
    TRect<int> dest, src;
    bool mirror;
    TRect<double> wantSrc;
    TRect<int> wantDest;
  };
  const TRect<int> kClip(0, 0, 10, 10);
  const Case kCases[] = {
      {"left cut", {-2, 0, 4, 1}, {0, 0, 8, 2}, false, {4, 0, 4, 2}, {0, 0, 2, 1}},
      {"left cut, mirrored: the right of the source goes",
       {-2, 0, 4, 1},
       {0, 0, 8, 2},
       true,
       {0, 0, 4, 2},
       {0, 0, 2, 1}},
      {"right cut", {8, 0, 4, 1}, {0, 0, 8, 2}, false, {0, 0, 4, 2}, {8, 0, 2, 1}},
      {"right cut, mirrored: the left of the source goes",
       {8, 0, 4, 1},
       {0, 0, 8, 2},
       true,
       {4, 0, 4, 2},
       {8, 0, 2, 1}},
      {"top cut by a third", {0, -1, 3, 3}, {0, 0, 3, 3}, false, {0, 1, 3, 2}, {0, 0, 3, 2}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    MemoryImage anImage(nullptr);
    TRect<double> aSrc;
    TRect<int> aDest;
    bool aDrawn = c.mirror ? anImage.StretchBltMirrorClipHelper(c.src, kClip, c.dest, aSrc, aDest)
                           : anImage.StretchBltClipHelper(c.src, kClip, c.dest, aSrc, aDest);
    EXPECT_TRUE(aDrawn);
    EXPECT_EQ(aDest, c.wantDest);
    EXPECT_DOUBLE_EQ(aSrc.mX, c.wantSrc.mX);
    EXPECT_DOUBLE_EQ(aSrc.mY, c.wantSrc.mY);
    EXPECT_DOUBLE_EQ(aSrc.mWidth, c.wantSrc.mWidth);
    EXPECT_DOUBLE_EQ(aSrc.mHeight, c.wantSrc.mHeight);
  }
  MemoryImage anImage(nullptr);
  TRect<double> aSrc;
  TRect<int> aDest;
  EXPECT_FALSE(anImage.StretchBltClipHelper({0, 0, 4, 4}, kClip, {20, 0, 4, 4}, aSrc, aDest));
  EXPECT_FALSE(anImage.StretchBltClipHelper({0, 0, 4, 4}, kClip, {0, 0, 0, 4}, aSrc, aDest));
}

TEST(MemoryImageStretch, FastStretchSamplesAndComposes) {
  const std::vector<uint32_t> kRow = {0xFF112233, 0x80FF8040, 0xFF0000FF, 0x00FFFFFF};
  struct Case {
    const char* name;
    TRect<double> src;
    int destWidth;
    uint32_t dest;
    Color color;
    int mode;
    std::vector<uint32_t> want;
  };
  const Case kCases[] = {
      {"grow 2 to 4 through the white loop",
       {0, 0, 2, 1},
       4,
       0xFF000000,
       Color::White,
       DRAWMODE_NORMAL,
       {0xFF102132, 0xFF102132, 0xFF7F4020, 0xFF7F4020}},
      {"shrink 4 to 2", {0, 0, 4, 1}, 2, 0xFF000000, Color::White, DRAWMODE_NORMAL, {0xFF102132, 0xFF0000FE}},
      {"width 1 takes the first sample",
       {0, 0, 4, 1},
       1,
       0xFF000000,
       Color::White,
       DRAWMODE_NORMAL,
       {0xFF102132}},
      {"the first sample is at the source's left edge",
       {1.0, 0, 2, 1},
       2,
       0xFF000000,
       Color::White,
       DRAWMODE_NORMAL,
       {0xFF7F4020, 0xFF0000FE}},
      {"grey colour draws as the grey loop (red and blue share one product)",
       {2, 0, 1, 1},
       1,
       0xFF204060,
       Color(128, 128, 128),
       DRAWMODE_NORMAL,
       {0xFF00007E}},
      {"colour draws as the colour loop",
       {1, 0, 1, 1},
       1,
       0xFF204060,
       Color(255, 128, 0),
       DRAWMODE_NORMAL,
       {0xFF8F4030}},
      {"additive weighs by alpha for a partial source",
       {1, 0, 1, 1},
       1,
       0x40101010,
       Color::White,
       DRAWMODE_ADDITIVE,
       {0x408F5030}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Stretch(kRow, 4, c.src, c.destWidth, 1, c.dest, c.color, c.mode, true), c.want);
  }
}

TEST(MemoryImageStretch, SlowStretchWeights) {
  struct Case {
    const char* name;
    std::vector<uint32_t> src;
    int srcWidth;
    TRect<double> srcRect;
    int destWidth, destHeight;
    uint32_t dest;
    Color color;
    int mode;
    std::vector<uint32_t> want;
  };
  const Case kCases[] = {
      {"shrink 4 to 2 averages pairs",
       {0xFFC80000, 0xFF640000, 0xFF0000FF, 0x00000000},
       4,
       {0, 0, 4, 1},
       2,
       1,
       0xFF000000,
       Color::White,
       DRAWMODE_NORMAL,
       {0xFF950000, 0xFF00003F}},
      {"grow 2 to 4 steps by a third; the last column is the last source column",
       {0xFF000000, 0xFFFF0000},
       2,
       {0, 0, 2, 1},
       4,
       1,
       0xFF000000,
       Color::White,
       DRAWMODE_NORMAL,
       {0xFF000000, 0xFF540000, 0xFFAA0000, 0xFFFE0000}},
      {"grow 3 to 7 onto transparent",
       {0xFF102030, 0xFF405060, 0xFF708090},
       3,
       {0, 0, 3, 1},
       7,
       1,
       0x00000000,
       Color::White,
       DRAWMODE_NORMAL,
       {0xFF0F1F2F, 0xFF1F2F3F, 0xFF2F3F4F, 0xFF3F4F5F, 0xFF4F5F6F, 0xFF5F6F7F, 0xFF6F7F8F}},
      {"grow 2x2 to 3x3, a translucent corner",
       {0xFF000000, 0xFFFF0000, 0xFF00FF00, 0x800000FF},
       2,
       {0, 0, 2, 2},
       3,
       3,
       0xFF000000,
       Color::White,
       DRAWMODE_NORMAL,
       {0xFF000000, 0xFF7F0000, 0xFFFE0000, 0xFF007E00, 0xFF373637, 0xFF5F005F, 0xFF00FE00, 0xFF005F60,
        0xFF00007F}},
      {"shrink 4x4 to 2x2",
       std::vector<uint32_t>{0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000, 0xFFFF0000,
                             0xFFFF0000, 0xFFFF0000, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF,
                             0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF},
       4,
       {0, 0, 4, 4},
       2,
       2,
       0xFF000000,
       Color::White,
       DRAWMODE_NORMAL,
       {0xFFFE0000, 0xFFFE0000, 0xFF0000FE, 0xFF0000FE}},
      {"growing into width 1 steps by the source width",
       {0xFF000000, 0xFFFF0000},
       2,
       {0.5, 0, 0.75, 1},
       1,
       1,
       0xFF000000,
       Color::White,
       DRAWMODE_NORMAL,
       {0xFF7F0000}},
      {"colour at alpha 128 halves the weight",
       {0xFFC80000, 0xFF640000, 0xFF0000FF, 0x00000000},
       4,
       {0, 0, 4, 1},
       2,
       1,
       0xFF000000,
       Color(255, 255, 255, 128),
       DRAWMODE_NORMAL,
       {0xFF4B0000, 0xFF00001F}},
      {"additive adds the resampled colour, keeping alpha",
       {0xFF000000, 0xFFFF0000},
       2,
       {0, 0, 2, 1},
       4,
       1,
       0xFF101010,
       Color::White,
       DRAWMODE_ADDITIVE,
       {0xFF101010, 0xFF651010, 0xFFBB1010, 0xFFFF1010}},
  };
  for (const Case& c : kCases) {
    for (bool aPalette : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.name << (aPalette ? " palette" : " 32-bit"));
      MemoryImage aSrc(nullptr), aDest(nullptr);
      SetPixels(aSrc, c.srcWidth, int(c.src.size()) / c.srcWidth, c.src);
      if (aPalette) {
        ASSERT_TRUE(aSrc.Palletize());
      }
      FillPixels(aDest, c.destWidth, c.destHeight, c.dest);
      aDest.SlowStretchBlt(&aSrc, TRect<int>(0, 0, c.destWidth, c.destHeight), c.srcRect, c.color, c.mode);
      EXPECT_EQ(PixelsOf(aDest), c.want);
    }
  }
}

TEST(MemoryImageStretch, StretchBltClipsAndChoosesTheResampler) {
  MemoryImage aSrc(nullptr);
  SetPixels(aSrc, 2, 1, {0xFF000000, 0xFFFF0000});
  MemoryImage aFast(nullptr), aSlow(nullptr);
  FillPixels(aFast, 4, 1, 0xFF000000);
  FillPixels(aSlow, 4, 1, 0xFF000000);
  aFast.StretchBlt(&aSrc, TRect<int>(0, 0, 4, 1), TRect<int>(0, 0, 2, 1), TRect<int>(0, 0, 4, 1),
                   Color::White, DRAWMODE_NORMAL, true);
  aSlow.StretchBlt(&aSrc, TRect<int>(0, 0, 4, 1), TRect<int>(0, 0, 2, 1), TRect<int>(0, 0, 4, 1),
                   Color::White, DRAWMODE_NORMAL, false);
  EXPECT_EQ(PixelsOf(aFast), (std::vector<uint32_t>{0xFF000000, 0xFF000000, 0xFFFE0000, 0xFFFE0000}));
  EXPECT_EQ(PixelsOf(aSlow), (std::vector<uint32_t>{0xFF000000, 0xFF540000, 0xFFAA0000, 0xFFFE0000}));
  // A clip that misses draws nothing and marks nothing.
  int aCount = aFast.mBitsChangedCount;
  aFast.StretchBlt(&aSrc, TRect<int>(0, 0, 4, 1), TRect<int>(0, 0, 2, 1), TRect<int>(10, 0, 4, 1),
                   Color::White, DRAWMODE_NORMAL, true);
  EXPECT_EQ(aFast.mBitsChangedCount, aCount);
}

TEST(MemoryImageStretch, NothingIsWrittenOutsideTheClipOrTheImage) {
  MemoryImage aSrc(nullptr);
  std::vector<uint32_t> aPixels(25);
  for (int i = 0; i < 25; ++i) aPixels[i] = (i % 4 == 0 ? 0x90000000 : 0xFF000000) | uint32_t(i * 0x030507);
  SetPixels(aSrc, 5, 5, aPixels);
  const TRect<int> kDests[] = {{-7, -7, 20, 20}, {-3, 2, 4, 9}, {3, -5, 9, 4}, {1, 1, 3, 2}, {5, 5, 1, 1}};
  const TRect<int> kSrcs[] = {{0, 0, 5, 5}, {1, 2, 3, 1}, {-2, -2, 9, 9}, {4, 4, 3, 3}};
  const Color kColors[] = {Color::White, Color(10, 200, 30, 90)};
  for (bool aFast : {true, false})
    for (int aMode : {DRAWMODE_NORMAL, DRAWMODE_ADDITIVE})
      for (const Color& aColor : kColors)
        for (const TRect<int>& d : kDests)
          for (const TRect<int>& s : kSrcs) {
            MemoryImage aGuarded(nullptr);
            MakeGuarded(aGuarded, 6, 6, 2, 0xFF203040);
            aGuarded.StretchBlt(&aSrc, TRect<int>(d.mX + 2, d.mY + 2, d.mWidth, d.mHeight), s,
                                TRect<int>(2, 2, 6, 6), aColor, aMode, aFast);
            ExpectGuardsIntact(aGuarded, 2);
            // A clip wider than the image is cut to it.
            MemoryImage aWhole(nullptr);
            FillPixels(aWhole, 6, 6, 0xFF203040);
            aWhole.StretchBlt(&aSrc, d, s, TRect<int>(-10, -10, 40, 40), aColor, aMode, aFast);
            ASSERT_EQ(aWhole.mBits[36], MEMORYCHECK_ID);
          }
}

TEST(MemoryImageStretch, MirroredStretchIsTheStretchFlipped) {
  MemoryImage aSrc(nullptr);
  SetPixels(aSrc, 4, 1, {0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF});
  struct Case {
    const char* name;
    bool fast;
    TRect<int> dest, src;
    std::vector<uint32_t> want;
  };
  const Case kCases[] = {
      {"fast, grow 2 to 4",
       true,
       {0, 0, 4, 1},
       {0, 0, 2, 1},
       {0xFFFE0000, 0xFFFE0000, 0xFF000000, 0xFF000000}},
      {"slow, grow 2 to 4",
       false,
       {0, 0, 4, 1},
       {0, 0, 2, 1},
       {0xFFFE0000, 0xFFAA0000, 0xFF540000, 0xFF000000}},
      {"fast, cut on the left keeps the source's left",
       true,
       {-2, 0, 4, 1},
       {0, 0, 4, 1},
       {0xFFFE0000, 0xFF000000, 0xFF000000, 0xFF000000}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    MemoryImage aDest(nullptr);
    FillPixels(aDest, 4, 1, 0xFF000000);
    aDest.StretchBltMirror(&aSrc, c.dest, c.src, TRect<int>(0, 0, 4, 1), Color::White, DRAWMODE_NORMAL,
                           c.fast);
    EXPECT_EQ(PixelsOf(aDest), c.want);
  }
}

// Enlarging in white, the mirrored stretch reverses the cells the plain one makes: over a
// mirrored destination the two must agree word for word.
TEST(MemoryImageStretch, EnlargingRowsMatchTheGeneralResamplerFlipped) {
  uint32_t aState = 99;
  auto aNext = [&aState] {
    aState = aState * 1664525u + 1013904223u;
    return aState ^ (aState >> 15);
  };
  struct Size {
    int srcW, srcH, destW, destH;
  };
  for (const Size& z : {Size{3, 2, 7, 5}, Size{8, 8, 16, 16}, Size{5, 7, 23, 9}, Size{16, 3, 17, 40},
                        Size{1, 1, 6, 3}}) {
    SCOPED_TRACE(testing::Message() << z.srcW << "x" << z.srcH << " to " << z.destW << "x" << z.destH);
    std::vector<uint32_t> aSrcPixels(size_t(z.srcW) * z.srcH), aDestPixels(size_t(z.destW) * z.destH);
    for (uint32_t& p : aSrcPixels) {
      uint32_t a = aNext() % 4 == 0 ? 0 : (aNext() % 3 == 0 ? 255 : aNext() & 0xFF);
      p = (a << 24) | (aNext() & 0xFFFFFF);
    }
    for (uint32_t& p : aDestPixels) p = aNext();
    std::vector<uint32_t> aFlipped(aDestPixels.size());
    for (int y = 0; y < z.destH; ++y)
      for (int x = 0; x < z.destW; ++x) aFlipped[y * z.destW + x] = aDestPixels[y * z.destW + z.destW - 1 - x];
    MemoryImage aSrc(nullptr), aPlain(nullptr), aMirrored(nullptr);
    SetPixels(aSrc, z.srcW, z.srcH, aSrcPixels);
    SetPixels(aPlain, z.destW, z.destH, aDestPixels);
    SetPixels(aMirrored, z.destW, z.destH, aFlipped);
    const TRect<int> aDestRect(0, 0, z.destW, z.destH), aSrcRect(0, 0, z.srcW, z.srcH);
    aPlain.StretchBlt(&aSrc, aDestRect, aSrcRect, aDestRect, Color::White, DRAWMODE_NORMAL, false);
    aMirrored.StretchBltMirror(&aSrc, aDestRect, aSrcRect, aDestRect, Color::White, DRAWMODE_NORMAL, false);
    std::vector<uint32_t> aWant = PixelsOf(aMirrored), aGot = PixelsOf(aPlain);
    for (int y = 0; y < z.destH; ++y)
      for (int x = 0; x < z.destW; ++x)
        ASSERT_EQ(aGot[y * z.destW + x], aWant[y * z.destW + z.destW - 1 - x]) << x << ", " << y;
  }
}

TEST(MemoryImageStretch, NearestStretchInWhiteSamplesEveryRowAsThePlainLoop) {
  // Enlarging repeats rows (each gathered once), shrinking skips them; over an opaque
  // destination and one with mixed alphas, the result is the white op on the nearest samples.
  MemoryImage aSrc(nullptr);
  std::vector<uint32_t> aPixels(7 * 5);
  uint32_t aState = 31;
  for (uint32_t& p : aPixels) {
    aState = aState * 1664525u + 1013904223u;
    p = aState ^ (aState >> 11);
  }
  SetPixels(aSrc, 7, 5, aPixels);
  const TRect<int> kDests[] = {{0, 0, 17, 13}, {1, 2, 14, 10}, {0, 0, 3, 2}};
  for (bool anOpaque : {true, false})
    for (const TRect<int>& d : kDests) {
      std::vector<uint32_t> aBack(20 * 16);
      for (size_t i = 0; i < aBack.size(); ++i)
        aBack[i] = (anOpaque || i % 3 == 0 ? 0xFF000000u : uint32_t(i * 37 % 256) << 24) | uint32_t(i * 0x010203);
      MemoryImage aDest(nullptr);
      SetPixels(aDest, 20, 16, aBack);
      aDest.StretchBlt(&aSrc, d, TRect<int>(0, 0, 7, 5), TRect<int>(0, 0, 20, 16), Color::White,
                       DRAWMODE_NORMAL, true);
      std::vector<uint32_t> aWant = aBack;
      const double aXStep = 7.0 / d.mWidth, aYStep = 5.0 / d.mHeight;
      double sy = 0;
      for (int y = 0; y < d.mHeight; ++y, sy += aYStep) {
        double sx = 0;
        for (int x = 0; x < d.mWidth; ++x, sx += aXStep) {
          uint32_t s = aPixels[std::min(int(sy), 4) * 7 + std::min(int(sx), 6)];
          uint32_t& w = aWant[(d.mY + y) * 20 + d.mX + x];
          w = BlitPixel::OverWhite(w, s, s >> 24);
        }
      }
      EXPECT_EQ(PixelsOf(aDest), aWant) << "dest " << d.mWidth << "x" << d.mHeight << " opaque " << anOpaque;
    }
}

// The display surface's nearest stretch in white onto a 32-bit 8-8-8 surface goes by rows of
// gathered samples; it must leave exactly what the per-pixel rule leaves: each pixel takes the
// native source word met by the 16.16 stepping, laid on by the surface's white rule.
#include <gtest/gtest.h>

#include <vector>

#include "DDImageTestSupport.h"
#include "graphics/BlitSimdStretch.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"

using namespace DDImageTest;

namespace {

uint32_t NextWord(uint32_t& theState) {
  theState = theState * 1664525u + 1013904223u;
  return theState ^ (theState >> 13);
}

}  // namespace

TEST(DDImageStretch, WhiteStretchOnto888IsThePerPixelRule) {
  TestDisplay aDisplay(k_Format888);
  uint32_t aState = 7;
  struct Case {
    int srcW, srcH;
    TRect<int> dest, clip;
    bool mirror, palette;
  };
  const int W = 40, H = 30;
  const Case kCases[] = {
      {5, 4, {1, 2, 17, 13}, {0, 0, W, H}, false, false},  {5, 4, {1, 2, 17, 13}, {0, 0, W, H}, true, false},
      {16, 16, {-3, -2, 33, 31}, {2, 3, 30, 20}, false, false}, {16, 16, {-3, -2, 33, 31}, {2, 3, 30, 20}, true, false},
      {31, 23, {0, 0, 9, 7}, {0, 0, W, H}, false, false},  {31, 23, {4, 1, 3, 29}, {0, 0, W, H}, true, false},
      {9, 9, {2, 2, 27, 19}, {0, 0, W, H}, false, true},   {9, 9, {2, 2, 27, 19}, {1, 1, 20, 20}, true, true},
      {1, 1, {0, 0, W, H}, {0, 0, W, H}, false, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.srcW << "x" << c.srcH << " to " << c.dest.mWidth << "x" << c.dest.mHeight
                                    << " mirror " << c.mirror << " palette " << c.palette);
    std::vector<uint32_t> aPixels(size_t(c.srcW) * c.srcH);
    for (uint32_t& p : aPixels) {
      const uint32_t r = NextWord(aState) % 4;
      const uint32_t a = r == 0 ? 0 : r == 1 ? 255 : NextWord(aState) & 0xFF;
      p = (a << 24) | (NextWord(aState) & (c.palette ? 0x00E0E0C0 : 0x00FFFFFF));
    }
    MemoryImage aSrc(nullptr);
    aSrc.SetBits(aPixels.data(), c.srcW, c.srcH);
    if (c.palette) {
      ASSERT_TRUE(aSrc.Palletize());
    }
    TestSurfaceImage aDest(&aDisplay, W, H, k_Format888);
    ASSERT_NE(aDest.GetSurface(), nullptr);
    std::vector<uint32_t> aBack(size_t(W) * H);
    for (int y = 0; y < H; ++y)
      for (int x = 0; x < W; ++x) aDest.SetPixel(x, y, aBack[size_t(y) * W + x] = NextWord(aState));
    aDest.DeleteAllNonSurfaceData();
    const TRect<int> aSrcRect(0, 0, c.srcW, c.srcH);
    if (c.mirror)
      aDest.StretchBltMirror(&aSrc, c.dest, aSrcRect, c.clip, Color::White, DRAWMODE_NORMAL, true);
    else
      aDest.StretchBlt(&aSrc, c.dest, aSrcRect, c.clip, Color::White, DRAWMODE_NORMAL, true);

    // The per-pixel rule, stepped as the surface stretch steps.
    TRect<double> s;
    TRect<int> d;
    ASSERT_TRUE(c.mirror ? aDest.StretchBltMirrorClipHelper(aSrcRect, c.clip, c.dest, s, d)
                         : aDest.StretchBltClipHelper(aSrcRect, c.clip, c.dest, s, d));
    const uint32_t* aNative = aSrc.GetNativeAlphaData(&aDisplay);
    const uint8_t* anIndices = c.palette ? aSrc.mPaletteIndices.get() : nullptr;
    std::vector<uint32_t> aWant = aBack;
    const int32_t aXStep = static_cast<int32_t>(s.mWidth * 65536.0 / d.mWidth);
    const int32_t aYStep = static_cast<int32_t>(s.mHeight * 65536.0 / d.mHeight);
    int32_t y = static_cast<int32_t>(65536.0 * s.mY);
    for (int aLine = 0; aLine < d.mHeight; ++aLine, y += aYStep) {
      int32_t x = static_cast<int32_t>(65536.0 * s.mX);
      for (int k = 0; k < d.mWidth; ++k, x += aXStep) {
        const size_t i = size_t(y >> 16) * size_t(c.srcW) + size_t(x >> 16);
        const uint32_t aWord = anIndices ? aNative[anIndices[i]] : aNative[i];
        const int aColumn = c.mirror ? d.mX + d.mWidth - 1 - k : d.mX + k;
        uint32_t& aPixel = aWant[size_t(d.mY + aLine) * W + size_t(aColumn)];
        BlitSimdStretch::SurfaceOverRowPlain(&aPixel, &aWord, 1);
      }
    }
    for (int yy = 0; yy < H; ++yy)
      for (int xx = 0; xx < W; ++xx)
        ASSERT_EQ(aDest.Pixel(xx, yy), aWant[size_t(yy) * W + xx]) << "at " << xx << "," << yy;
    EXPECT_TRUE(aDest.GuardsIntact());
  }
}

// The display-surface image's rotated blit on a 32-bit 8-8-8 surface: its vector spans (SSE2,
// and AVX2 where the processor has it) draw the very words of the surface's own per-pixel
// kernels, for every kernel, at several angles, overhanging and clipped.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "DDImageTestSupport.h"
#include "graphics/BlitSimdRotate.h"
#include "graphics/DrawMode.h"

using namespace DDImageTest;

namespace {

uint32_t NextWord(uint32_t& theState) {
  theState = theState * 1664525u + 1013904223u;
  return theState ^ (theState >> 13);
}

class DDImageRotateTest : public ::testing::Test {
 protected:
  ~DDImageRotateTest() override { BlitSimdRotate::SetLevel(BlitSimdRotate::Level::Avx2); }

  // The surface's words after theDraw through the loops up to theLevel, from theBackground.
  template <class Draw>
  std::vector<uint8_t> Run(BlitSimdRotate::Level theLevel, bool isOptimized,
                           const std::vector<uint32_t>& theBackground, Draw theDraw) {
    mDisplay.SetFormat(k_Format888);
    TestSurfaceImage anImage(&mDisplay, k_Width, k_Height, k_Format888);
    EXPECT_NE(anImage.GetSurface(), nullptr);
    for (int y = 0; y < k_Height; ++y)
      for (int x = 0; x < k_Width; ++x) anImage.SetPixel(x, y, theBackground[y * k_Width + x]);
    anImage.DeleteAllNonSurfaceData();
    const bool aWas = gOptimizeSoftwareDrawing;
    gOptimizeSoftwareDrawing = isOptimized;  // after the surface: making one sets the switch
    BlitSimdRotate::SetLevel(theLevel);
    theDraw(anImage);
    BlitSimdRotate::SetLevel(BlitSimdRotate::Level::Avx2);
    gOptimizeSoftwareDrawing = aWas;
    EXPECT_TRUE(anImage.GuardsIntact());
    return anImage.mBuffer;
  }

  static constexpr int k_Width = 45, k_Height = 39;
  TestDisplay mDisplay;
};

}  // namespace

TEST_F(DDImageRotateTest, VectorSpansDrawWhatTheKernelsDraw) {
  uint32_t aState = 4242;
  std::vector<uint32_t> aPixels(29 * 23);
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 29; ++x) {
      double d = std::hypot(x + 0.5 - 14.5, y + 0.5 - 11.5) / 11.5;
      uint32_t a = d > 1.0 ? 0 : (d > 0.6 ? uint32_t((1.0 - d) / 0.4 * 254) + 1 : 255);
      aPixels[y * 29 + x] =
          a == 0 ? (NextWord(aState) & 0xFFFFFF) : (a << 24) | (NextWord(aState) & 0xFFFFFF);
    }
  MemoryImage aSource(nullptr);
  aSource.SetBits(aPixels.data(), 29, 23);
  std::vector<uint32_t> aBackground(k_Width * k_Height);
  for (uint32_t& p : aBackground) p = NextWord(aState);
  const double kAngles[] = {0.0, 0.3, 1.2, 1.5707963267948966, 2.8, -0.9};
  const float kPositions[] = {-12.5f, 6.25f, 30.0f};
  const TRect<int> kClips[] = {TRect<int>(0, 0, k_Width, k_Height), TRect<int>(5, 3, 31, 27)};
  const Color kColors[] = {Color::White, Color(255, 160, 64, 200), Color(20, 90, 250, 77)};
  int aCases = 0, aDrawn = 0;
  for (bool isOptimized : {true, false})
    for (double anAngle : kAngles)
      for (float x : kPositions)
        for (const TRect<int>& aClip : kClips)
          for (const Color& aColor : kColors)
            for (int aMode : {DRAWMODE_NORMAL, DRAWMODE_ADDITIVE}) {
              auto aDraw = [&](TestSurfaceImage& theDest) {
                theDest.BltRotated(&aSource, x, x * 0.75f + 2.0f, TRect<int>(0, 1, 29, 22), aClip, aColor,
                                   aMode, anAngle, 14.0f, 10.5f);
              };
              const std::string aWhat = std::string(isOptimized ? "optimized" : "general") + ", angle " +
                                        std::to_string(anAngle) + ", x " + std::to_string(x) + ", mode " +
                                        std::to_string(aMode);
              const std::vector<uint8_t> aKernels =
                  Run(BlitSimdRotate::Level::Plain, isOptimized, aBackground, aDraw);
              if (aKernels !=
                  Run(BlitSimdRotate::Level::Plain, isOptimized, aBackground, [](TestSurfaceImage&) {}))
                ++aDrawn;
              EXPECT_EQ(Run(BlitSimdRotate::Level::Sse2, isOptimized, aBackground, aDraw), aKernels)
                  << aWhat << " (sse2)";
              if (BlitSimdRotate::HasAvx2()) {
                EXPECT_EQ(Run(BlitSimdRotate::Level::Avx2, isOptimized, aBackground, aDraw), aKernels)
                    << aWhat << " (avx2)";
              }
              ++aCases;
            }
  // Some positions turn the sprite off the clip; most draw.
  EXPECT_GT(aDrawn, aCases * 3 / 4);
}

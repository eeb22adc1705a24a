// Pixel tables of the display-surface image's software drawing on 32-bit and 16-bit surfaces:
// normal, additive, stretched and rotated blits, fills and lines, with overhanging positions
// clipped by the drawing context and nothing written outside the pixels.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "DDImageTestSupport.h"
#include "graphics/BlitSimd.h"
#include "graphics/Graphics.h"

using namespace DDImageTest;

namespace {

// Sets gOptimizeSoftwareDrawing for one test and puts it back.
class OptimizeSwitch {
 public:
  explicit OptimizeSwitch(bool isOn) : mWas(gOptimizeSoftwareDrawing) { gOptimizeSoftwareDrawing = isOn; }
  ~OptimizeSwitch() { gOptimizeSoftwareDrawing = mWas; }

 private:
  bool mWas;
};

struct Surface {
  const char* mName;
  Format mFormat;
};
const Surface kSurfaces[] = {
    {"888", k_Format888}, {"565", k_Format565}, {"555", k_Format555}, {"444", k_Format444}};

// The pixel value of an 8-bit-per-channel colour in a surface format, top bits kept.
uint32_t Pack(const Format& f, uint32_t argb) {
  auto aChannel = [](uint32_t v, uint32_t m) {
    int aBits = Bits(m), aShift = LowBit(m);
    return ((v >> (8 - aBits)) << aShift) & m;
  };
  return aChannel((argb >> 16) & 0xFF, f.mRed) | aChannel((argb >> 8) & 0xFF, f.mGreen) |
         aChannel(argb & 0xFF, f.mBlue);
}

class DDImageBltTest : public ::testing::Test {
 protected:
  // An 8 x 6 destination of theFormat whose surface holds theBackground everywhere.
  std::unique_ptr<TestSurfaceImage> Dest(const Format& theFormat, uint32_t theBackground, int theWidth = 8,
                                         int theHeight = 6) {
    mDisplay.SetFormat(theFormat);
    auto anImage = std::make_unique<TestSurfaceImage>(&mDisplay, theWidth, theHeight, theFormat);
    EXPECT_NE(anImage->GetSurface(), nullptr);
    anImage->FillPixels(theBackground);
    anImage->DeleteAllNonSurfaceData();
    return anImage;
  }
  TestDisplay mDisplay;
};

}  // namespace

TEST_F(DDImageBltTest, AlphaZeroSourcePixelsNeverChangeTheDestination) {
  for (const Surface& s : kSurfaces) {
    for (bool isOptimized : {false, true}) {
      for (Color aColor : {Color::White, Color(255, 0, 0, 255), Color(100, 100, 100, 200)}) {
        SCOPED_TRACE(testing::Message()
                     << s.mName << " optimized " << isOptimized << " colour " << aColor.mRed);
        const uint32_t aBack = Pack(s.mFormat, 0x123456) | (s.mFormat.mBits == 32 ? 0xFF000000u : 0);
        auto aDest = Dest(s.mFormat, aBack);
        OptimizeSwitch aSwitch(isOptimized);  // after the surface: making one sets the switch
        for (bool isVolatile : {false, true}) {
          for (bool mirror : {false, true}) {
            DDImage aSource(&mDisplay);
            SetPixels(aSource, 3, 1, [](int x, int) { return x == 1 ? 0x00FFFFFFu : 0x80FF00FFu; });
            aSource.SetVolatile(isVolatile);
            if (mirror)
              aDest->BltMirror(&aSource, 2, 2, TRect<int>(0, 0, 3, 1), aColor, 0);
            else
              aDest->Blt(&aSource, 2, 2, TRect<int>(0, 0, 3, 1), aColor, 0);
            aDest->Blt(&aSource, 2, 3, TRect<int>(0, 0, 3, 1), aColor, 1);
            uint32_t aRGB = s.mFormat.mRed | s.mFormat.mGreen | s.mFormat.mBlue;
            EXPECT_EQ(aDest->Pixel(3, 2) & aRGB, aBack & aRGB);
            EXPECT_EQ(aDest->Pixel(3, 3) & aRGB, aBack & aRGB);
          }
        }
        EXPECT_TRUE(aDest->GuardsIntact());
      }
    }
  }
}

TEST_F(DDImageBltTest, NormalBltKernelsOnEveryFormat) {
  struct Case {
    const char* mName;
    Format mFormat;
    bool mOptimized;
    uint32_t mSource;  // ARGB
    Color mColor;
    bool mVolatile;
    uint32_t mBackground, mExpected;
  };
  const Case kCases[] = {
      // An opaque white run is copied word for word, alpha byte included.
      {"white copy 888", k_Format888, true, 0xFFFFFFFFu, Color::White, false, 0xFF000000u, 0xFFFFFFFFu},
      // Tinted red: red (255 x 255) >> 8 = 254, general form, alpha byte 0.
      {"red tint 888", k_Format888, true, 0xFFFFFFFFu, Color(255, 0, 0, 255), false, 0xFF000000u,
       0x00FE0000u},
      // Grey tint on 565: spread word with weight 16.
      {"grey tint 565", k_Format565, true, 0xFFFFFFFFu, Color(128, 128, 128, 255), false, 0, 0x7BEFu},
      // Half-transparent white over black and over white: premultiplied add.
      {"half white over black 565", k_Format565, true, 0x80FFFFFFu, Color::White, false, 0, 0x8410u},
      {"half white over white 565", k_Format565, true, 0x80FFFFFFu, Color::White, false, 0xFFFFu, 0xFFFFu},
      {"half white over black 888", k_Format888, true, 0x80FFFFFFu, Color::White, false, 0xFF000000u,
       0x80808080u},
      // Per-channel form on an odd 16-bit layout.
      {"half white over black 444", k_Format444, false, 0x80FFFFFFu, Color::White, false, 0, 0x0888u},
      // Direct blends of a volatile source.
      {"direct pair 888", k_Format888, true, 0x80FF0000u, Color::White, true, 0xFF0000FFu, 0x007F007Fu},
      {"direct channels 888", k_Format888, false, 0x80FF0000u, Color::White, true, 0xFF0000FFu, 0xFF7F007Fu},
      // Five-bit weights: a full source reaches 31/32 of white.
      {"direct packed 565", k_Format565, true, 0xFFFFFFFFu, Color::White, true, 0x0000u, 0xF7BEu},
      {"direct channels 565", k_Format565, false, 0xFF000000u, Color::White, true, 0xFFFFu, 0x0000u},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    auto aDest = Dest(c.mFormat, c.mBackground);
    OptimizeSwitch aSwitch(c.mOptimized);
    MemoryImage aSource(nullptr);
    SetPixels(aSource, 2, 1, [&](int, int) { return c.mSource; });
    aSource.SetVolatile(c.mVolatile);
    aDest->Blt(&aSource, 3, 2, TRect<int>(0, 0, 2, 1), c.mColor, 0);
    EXPECT_EQ(aDest->Pixel(3, 2), c.mExpected) << std::hex << aDest->Pixel(3, 2) << " bits " << !!aDest->mBits
                                               << " surface " << (aDest->mSurface != nullptr);
    EXPECT_EQ(aDest->Pixel(4, 2), c.mExpected);
    EXPECT_EQ(aDest->Pixel(5, 2), c.mBackground);
    EXPECT_FALSE(aDest->mBits);  // the surface alone holds the picture
    EXPECT_TRUE(aDest->GuardsIntact());
  }
}

TEST_F(DDImageBltTest, RunsStopAtTheRectangleEdgeAndStartMidRun) {
  // Row: 6 opaque red, 2 transparent; blitting columns 2..6 copies 4 reds and skips one.
  auto aDest = Dest(k_Format888, 0xFF000000u);
  MemoryImage aSource(nullptr);
  SetPixels(aSource, 8, 1, [](int x, int) { return x < 6 ? 0xFFFF0000u : 0x00000000u; });
  aDest->Blt(&aSource, 0, 0, TRect<int>(2, 0, 5, 1), Color(255, 255, 255, 254), 0);
  for (int x = 0; x < 4; ++x) EXPECT_NE(aDest->Pixel(x, 0) & 0xFF0000, 0u) << x;
  EXPECT_EQ(aDest->Pixel(4, 0), 0xFF000000u);
  EXPECT_EQ(aDest->Pixel(5, 0), 0xFF000000u);
}

TEST_F(DDImageBltTest, MirroredBlitsReverseColumns) {
  for (const Surface& s : kSurfaces) {
    SCOPED_TRACE(s.mName);
    auto aDest = Dest(s.mFormat, 0);
    MemoryImage aSource(nullptr);
    SetPixels(aSource, 3, 1,
              [](int x, int) { return x == 0 ? 0xFFFF0000u : (x == 1 ? 0xFF00FF00u : 0xFF0000FFu); });
    aDest->BltMirror(&aSource, 1, 1, TRect<int>(0, 0, 3, 1), Color::White, 0);
    aDest->BltMirror(&aSource, 1, 2, TRect<int>(0, 0, 3, 1), Color::White, 1);
    for (int y : {1, 2}) {
      EXPECT_EQ(aDest->Pixel(3, y) & 0xFFFF,
                Pack(s.mFormat, 0xFF0000) & 0xFFFF);  // column x + w - 1 gets column 0
      EXPECT_EQ(aDest->Pixel(1, y) & 0xFFFF, Pack(s.mFormat, 0x0000FF) & 0xFFFF);
    }
    // A one-pixel-wide rectangle of a partly transparent source mirrors to the plain blit.
    MemoryImage aPartial(nullptr);
    SetPixels(aPartial, 2, 2,
              [](int x, int y) { return 0x40000000u | uint32_t(x * 0x804020 + y * 0x102040); });
    auto aPlain = Dest(s.mFormat, Pack(s.mFormat, 0x808080));
    auto aMirror = Dest(s.mFormat, Pack(s.mFormat, 0x808080));
    aPlain->Blt(&aPartial, 4, 1, TRect<int>(1, 0, 1, 2), Color::White, 0);
    aMirror->BltMirror(&aPartial, 4, 1, TRect<int>(1, 0, 1, 2), Color::White, 0);
    EXPECT_EQ(aPlain->mBuffer, aMirror->mBuffer);
  }
}

TEST_F(DDImageBltTest, OverhangingDrawingIsClippedOnEveryEdge) {
  // Through the drawing context, which clips: every operation at every corner, on both depths.
  MemoryImage aSource(nullptr);
  SetPixels(aSource, 4, 3, [](int x, int y) { return 0xFF000000u | uint32_t(0x203040 * (1 + x + 4 * y)); });
  MemoryImage aPartial(nullptr);
  SetPixels(aPartial, 4, 3, [](int x, int) { return x == 0 ? 0x00000000u : 0x80FFFFFFu; });
  const int kCorners[4][2] = {{-2, -1}, {6, -1}, {-2, 5}, {6, 5}};
  using Draw = std::function<void(Graphics&, int, int)>;
  const std::pair<const char*, Draw> kDraws[] = {
      {"blt", [&](Graphics& g, int x, int y) { g.DrawImage(&aSource, x, y); }},
      {"blt partial", [&](Graphics& g, int x, int y) { g.DrawImage(&aPartial, x, y); }},
      {"blt additive",
       [&](Graphics& g, int x, int y) {
         g.SetDrawMode(1);
         g.DrawImage(&aSource, x, y);
       }},
      {"blt tinted",
       [&](Graphics& g, int x, int y) {
         g.SetColorizeImages(true);
         g.SetColor(Color(200, 100, 50, 180));
         g.DrawImage(&aSource, x, y);
       }},
      {"mirror", [&](Graphics& g, int x, int y) { g.DrawImageMirror(&aSource, x, y); }},
      {"stretch", [&](Graphics& g, int x,
                      int y) { g.DrawImage(&aSource, TRect<int>(x, y, 7, 5), TRect<int>(0, 0, 4, 3)); }},
      {"stretch smooth",
       [&](Graphics& g, int x, int y) {
         g.SetFastStretch(false);
         g.DrawImage(&aSource, TRect<int>(x, y, 7, 5), TRect<int>(0, 0, 4, 3));
       }},
      {"stretch mirror",
       [&](Graphics& g, int x, int y) {
         g.DrawImageMirror(&aSource, TRect<int>(x, y, 7, 5), TRect<int>(0, 0, 4, 3));
       }},
      {"rotate",
       [&](Graphics& g, int x, int y) { g.DrawImageRotatedF(&aSource, float(x), float(y), 0.7, 2, 1.5f); }},
      {"rotate additive",
       [&](Graphics& g, int x, int y) {
         g.SetDrawMode(1);
         g.DrawImageRotatedF(&aSource, float(x), float(y), 2.1, 2, 1.5f);
       }},
      {"fill",
       [&](Graphics& g, int x, int y) {
         g.SetColor(Color(10, 200, 30, 128));
         g.FillRect(x, y, 5, 4);
       }},
      {"fill additive",
       [&](Graphics& g, int x, int y) {
         g.SetDrawMode(1);
         g.SetColor(Color(255, 255, 255));
         g.FillRect(x, y, 5, 4);
       }},
      {"line", [&](Graphics& g, int x, int y) { g.DrawLine(x, y, x + 9, y + 4); }},
      {"line additive",
       [&](Graphics& g, int x, int y) {
         g.SetDrawMode(1);
         g.DrawLine(x + 9, y, x, y + 5);
       }},
  };
  for (const Surface& s : kSurfaces) {
    for (const auto& aDraw : kDraws) {
      for (const auto& aCorner : kCorners) {
        SCOPED_TRACE(testing::Message()
                     << s.mName << " " << aDraw.first << " at " << aCorner[0] << "," << aCorner[1]);
        auto aDest = Dest(s.mFormat, Pack(s.mFormat, 0x405060));
        {
          Graphics g(aDest.get());
          g.SetFastStretch(true);
          aDraw.second(g, aCorner[0], aCorner[1]);
        }
        EXPECT_TRUE(aDest->GuardsIntact());
        EXPECT_EQ(aDest->mLockCount, 0);
        EXPECT_NE(aDest->mSurface, nullptr);
      }
    }
  }
}

TEST_F(DDImageBltTest, OverhangingOpaqueBlitLandsExactlyOnTheVisiblePart) {
  MemoryImage aSource(nullptr);
  SetPixels(aSource, 4, 3, [](int x, int y) { return 0xFF000000u | uint32_t(0x204080 * (1 + x + 4 * y)); });
  for (const Surface& s : kSurfaces) {
    for (int aCorner = 0; aCorner < 4; ++aCorner) {
      const int x0 = (aCorner & 1) ? 6 : -2, y0 = (aCorner & 2) ? 4 : -1;
      SCOPED_TRACE(testing::Message() << s.mName << " at " << x0 << "," << y0);
      auto aDest = Dest(s.mFormat, 0);
      Graphics g(aDest.get());
      g.DrawImage(&aSource, x0, y0);
      const uint32_t* aNative = aSource.GetNativeAlphaData(&mDisplay);
      for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
          bool isInside = x >= x0 && x < x0 + 4 && y >= y0 && y < y0 + 3;
          uint32_t anExpected = isInside ? aNative[(y - y0) * 4 + (x - x0)] : 0;
          if (s.mFormat.mBits == 16) anExpected &= 0xFFFF;
          EXPECT_EQ(aDest->Pixel(x, y), anExpected) << x << "," << y;
        }
      EXPECT_TRUE(aDest->GuardsIntact());
    }
  }
}

TEST_F(DDImageBltTest, FillsOnEveryDepth) {
  struct Case {
    const char* mName;
    Format mFormat;
    uint32_t mBackground;
    Color mColor;
    int mDrawMode;
    uint32_t mExpected;
  };
  const Case kCases[] = {
      {"opaque white 888", k_Format888, 0xFF000000u, Color(255, 255, 255), 0, 0xFFFEFEFEu},
      {"opaque white 565", k_Format565, 0, Color(255, 255, 255), 0, 0xFFFFu},
      {"alpha 0 keeps colour, alpha forced 888", k_Format888, 0x00123456u, Color(255, 0, 0, 0), 0,
       0xFF123456u},
      {"alpha 0 keeps colour 565", k_Format565, 0x1234u, Color(255, 0, 0, 0), 0, 0x1234u},
      {"half red over blue 888", k_Format888, 0xFF0000FFu, Color(255, 0, 0, 128), 0, 0xFF7F007Fu},
      {"additive saturates 888", k_Format888, 0xFF80FF10u, Color(255, 0, 0, 255), 1, 0x00FFFF10u},
      {"additive saturates 565", k_Format565, 0x801Fu, Color(255, 0, 0, 255), 1, 0xF81Fu},
      {"additive alpha 0 888", k_Format888, 0xFF80FF10u, Color(255, 255, 255, 0), 1, 0x0080FF10u},
      {"additive 444", k_Format444, 0x0111u, Color(32, 64, 255, 255), 1, 0x035Fu},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    auto aDest = Dest(c.mFormat, c.mBackground);
    aDest->FillRect(TRect<int>(1, 1, 3, 2), c.mColor, c.mDrawMode);
    EXPECT_EQ(aDest->Pixel(1, 1), c.mExpected) << std::hex << aDest->Pixel(1, 1);
    EXPECT_EQ(aDest->Pixel(3, 2), c.mExpected);
    EXPECT_EQ(aDest->Pixel(4, 1), c.mBackground);
    EXPECT_EQ(aDest->Pixel(1, 3), c.mBackground);
    aDest->FillRect(TRect<int>(5, 1, 0, 3), c.mColor, c.mDrawMode);  // zero width: nothing
    EXPECT_EQ(aDest->Pixel(5, 1), c.mBackground);
    EXPECT_TRUE(aDest->GuardsIntact());
  }
}

TEST_F(DDImageBltTest, LinesVisitTheirPixelsInOrder) {
  auto aDest = Dest(k_Format888, 0xFF000000u);
  aDest->NormalDrawLine(0, 0, 3, 1, Color(255, 255, 255));
  const bool kExpected[2][4] = {{true, true, false, false}, {false, false, true, true}};
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(aDest->Pixel(x, y) != 0xFF000000u, kExpected[y][x]) << x << "," << y;
  EXPECT_EQ(aDest->Pixel(0, 0), 0x00FEFEFEu);  // (c x m + m/2) >> 8, alpha byte 0

  // A y-major line drawn either way round covers the same pixels.
  auto aDown = Dest(k_Format565, 0), anUp = Dest(k_Format565, 0);
  aDown->NormalDrawLine(1, 0, 3, 5, Color(0, 255, 0));
  anUp->NormalDrawLine(3, 5, 1, 0, Color(0, 255, 0));
  EXPECT_EQ(aDown->mBuffer, anUp->mBuffer);
  EXPECT_EQ(aDown->Pixel(1, 0), 0x07C0u);  // (255 x m + m / 2) >> 8 falls short of full green

  auto anAdd = Dest(k_Format888, 0xFF102030u);
  anAdd->AdditiveDrawLine(0, 0, 5, 2, Color(255, 0, 0));
  EXPECT_EQ(anAdd->Pixel(0, 0), 0x00FF2030u);
  EXPECT_TRUE(anAdd->GuardsIntact());
}

TEST_F(DDImageBltTest, AntiAliasedLines) {
  // Both ends in one pixel: that pixel twice and nothing else; no NaN reaches the arithmetic.
  auto aDest = Dest(k_Format888, 0xFF000000u);
  aDest->NormalDrawLineAA(2.5, 2.5, 2.5, 2.5, Color(255, 255, 255));
  for (int y = 0; y < 6; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(aDest->Pixel(x, y) != 0xFF000000u, x == 2 && y == 2) << x << "," << y;

  // Running leftwards down the left edge, no neighbour left of column 0.
  auto anEdge = Dest(k_Format888, 0xFF000000u, 8, 12);
  anEdge->NormalDrawLineAA(1.5, 0, 0.2, 11, Color(255, 255, 255));
  EXPECT_TRUE(anEdge->GuardsIntact());

  // Colour alpha 0: weights 0, colour channels unchanged, alpha byte 0.
  auto aClear = Dest(k_Format888, 0xFF405060u);
  aClear->NormalDrawLineAA(0, 0, 7, 3, Color(255, 255, 255, 0));
  EXPECT_EQ(aClear->Pixel(0, 0), 0x00405060u);
  EXPECT_EQ(aClear->Pixel(7, 3), 0x00405060u);

  for (const Surface& s : kSurfaces) {
    SCOPED_TRACE(s.mName);
    auto aLine = Dest(s.mFormat, 0);
    aLine->NormalDrawLineAA(0.3, 0.7, 7.0, 5.0, Color(255, 255, 255));
    aLine->NormalDrawLineAA(7.0, 0.0, 0.0, 5.9, Color(0, 255, 0, 100));
    EXPECT_NE(aLine->Pixel(0, 0), 0u);
    EXPECT_TRUE(aLine->GuardsIntact());
  }
}

TEST_F(DDImageBltTest, AdditiveBlits) {
  struct Case {
    const char* mName;
    Format mFormat;
    uint32_t mSource, mBackground;
    Color mColor;
    uint32_t mExpected;
  };
  const Case kCases[] = {
      {"200 + 100 saturates", k_Format888, 0xFF640A00u, 0xFFC80A00u, Color::White, 0xFFFF1400u},
      // Alpha 0 premultiplies to black: untouched, alpha not forced.
      {"alpha 0 untouched", k_Format888, 0x00FFFFFFu, 0x00102030u, Color::White, 0x00102030u},
      {"factors 254", k_Format888, 0xFF808080u, 0xFF000000u, Color(255, 255, 255, 254), 0xFF7F7F7Fu},
      {"colour alpha 0 adds nothing", k_Format888, 0xFF808080u, 0x00102030u, Color(255, 255, 255, 0),
       0xFF102030u},
      {"565", k_Format565, 0xFF0080FFu, 0x0010u, Color::White, 0x041Fu},
      {"444 modulated", k_Format444, 0xFFFFFFFFu, 0x0100u, Color(255, 0, 128, 255), 0x0F07u},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    auto aDest = Dest(c.mFormat, c.mBackground);
    MemoryImage aSource(nullptr);
    SetPixels(aSource, 1, 1, [&](int, int) { return c.mSource; });
    aDest->Blt(&aSource, 2, 2, TRect<int>(0, 0, 1, 1), c.mColor, 1);
    EXPECT_EQ(aDest->Pixel(2, 2), c.mExpected) << std::hex << aDest->Pixel(2, 2);
  }

  // A run of 300 non-black pixels is walked in runs of 255 and 45; the black run is skipped.
  auto aWide = Dest(k_Format888, 0xFF010101u, 320, 1);
  MemoryImage aRow(nullptr);
  SetPixels(aRow, 310, 1, [](int x, int) { return x < 300 ? 0xFF010203u : 0xFF000000u; });
  EXPECT_EQ(aRow.GetRLAdditiveData(&mDisplay)[45], 255);
  EXPECT_EQ(aRow.GetRLAdditiveData(&mDisplay)[255], 45);
  aWide->Blt(&aRow, 0, 0, TRect<int>(0, 0, 310, 1), Color::White, 1);
  for (int x = 0; x < 310; ++x) EXPECT_EQ(aWide->Pixel(x, 0), x < 300 ? 0xFF020304u : 0xFF010101u) << x;

  // A video-only destination is not locked at all.
  auto aVideo = Dest(k_Format888, 0);
  const int aLocks = aVideo->mSurfaceLocks;
  aVideo->mVideoOnly = true;
  aVideo->AdditiveBlt(&aRow, 0, 0, TRect<int>(0, 0, 2, 1), Color::White);
  EXPECT_EQ(aVideo->mSurfaceLocks, aLocks);
  EXPECT_TRUE(aRow.mDrawn);
}

TEST_F(DDImageBltTest, StretchedBlits) {
  MemoryImage aSource(nullptr);
  SetPixels(aSource, 10, 1, [](int x, int) { return 0xFF000000u | uint32_t(x * 20); });
  // 10 columns to 20: every source column twice.
  auto aDest = Dest(k_Format888, 0, 20, 2);
  aDest->StretchBlt(&aSource, TRect<int>(0, 0, 20, 1), TRect<int>(0, 0, 10, 1), TRect<int>(0, 0, 20, 2),
                    Color::White, 0, true);
  for (int x = 0; x < 20; ++x) EXPECT_EQ(aDest->Pixel(x, 0), 0xFF000000u | uint32_t((x / 2) * 20)) << x;
  // Clipped to the right half, the stretch still steps half a column and starts at column 5.
  auto aHalf = Dest(k_Format888, 0, 20, 2);
  aHalf->StretchBlt(&aSource, TRect<int>(0, 0, 20, 1), TRect<int>(0, 0, 10, 1), TRect<int>(10, 0, 10, 2),
                    Color::White, 0, true);
  EXPECT_EQ(aHalf->Pixel(9, 0), 0u);
  EXPECT_EQ(aHalf->Pixel(10, 0), 0xFF000000u | 100);
  EXPECT_EQ(aHalf->Pixel(19, 0), 0xFF000000u | 180);
  // Mirrored, the leftmost source column lands rightmost.
  auto aMirror = Dest(k_Format565, 0, 20, 2);
  MemoryImage aSource565(nullptr);  // native words are cached in the display's format
  SetPixels(aSource565, 10, 1, [](int x, int) { return 0xFF000000u | uint32_t(x * 20); });
  aMirror->StretchBltMirror(&aSource565, TRect<int>(0, 0, 20, 1), TRect<int>(0, 0, 10, 1),
                            TRect<int>(0, 0, 20, 2), Color::White, 0, true);
  EXPECT_EQ(aMirror->Pixel(19, 0), 0u);
  EXPECT_EQ(aMirror->Pixel(0, 0), Pack(k_Format565, 180));
  EXPECT_TRUE(aMirror->GuardsIntact());

  struct Case {
    const char* mName;
    uint32_t mSource, mBackground;
    Color mColor;
    int mDrawMode;
    uint32_t mExpected;
  };
  const Case kCases[] = {
      {"alpha 0 untouched", 0x00FFFFFFu, 0x00123456u, Color::White, 0, 0x00123456u},
      {"alpha 0 untouched additive", 0x00FFFFFFu, 0x00123456u, Color::White, 1, 0x00123456u},
      {"opaque black additive sets alpha", 0xFF000000u, 0x00123456u, Color::White, 1, 0xFF123456u},
      {"half colour", 0xFF000000u | 200, 0xFF000000u | 100, Color(255, 255, 255, 128), 0, 0xFF000000u | 150},
      {"white copies source alpha", 0x80FFFFFFu, 0xFF000000u, Color::White, 0, 0x80808080u},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    MemoryImage aOne(nullptr);
    SetPixels(aOne, 1, 1, [&](int, int) { return c.mSource; });
    auto aTarget = Dest(k_Format888, c.mBackground, 4, 4);
    aTarget->StretchBlt(&aOne, TRect<int>(0, 0, 3, 3), TRect<int>(0, 0, 1, 1), TRect<int>(0, 0, 4, 4),
                        c.mColor, c.mDrawMode, true);
    EXPECT_EQ(aTarget->Pixel(2, 2), c.mExpected) << std::hex << aTarget->Pixel(2, 2);
    EXPECT_EQ(aTarget->Pixel(3, 3), c.mBackground);
  }
}

TEST_F(DDImageBltTest, StretchedSurfaceCopyStaysInsideBothSurfaces) {
  // An opaque surfaced source at white goes through the surface copy, even when enlarged.
  DDImage aSurfaced(&mDisplay);
  SetPixels(aSurfaced, 2, 2, [](int x, int y) { return 0xFF000000u | uint32_t(x * 0x40 + y * 0x4000); });
  ASSERT_NE(aSurfaced.GetSurface(), nullptr);
  auto aDest = Dest(k_Format888, 0);
  Graphics g(aDest.get());
  g.SetFastStretch(true);
  g.DrawImage(&aSurfaced, TRect<int>(4, 2, 4, 4), TRect<int>(0, 0, 2, 2));
  g.DrawImage(&aSurfaced, TRect<int>(-3, -3, 6, 6), TRect<int>(0, 0, 2, 2));
  EXPECT_TRUE(aDest->GuardsIntact());
  EXPECT_EQ(aDest->Pixel(4, 2), 0xFF000000u);
  EXPECT_EQ(aDest->Pixel(7, 2), 0xFF000040u);
  EXPECT_EQ(aDest->Pixel(7, 5), 0xFF004040u);
  EXPECT_EQ(aDest->Pixel(2, 2), 0xFF004040u);  // the overhanging copy's last column and row
  EXPECT_EQ(aDest->Pixel(3, 3), 0u);
}

TEST_F(DDImageBltTest, RotatedBlitKernels) {
  struct Case {
    const char* mName;
    Format mFormat;
    bool mOptimized;
    Color mColor;
    int mDrawMode;
    uint32_t mExpected;
  };
  const Case kCases[] = {
      {"packed pair", k_Format888, true, Color::White, 0, 0x00FDFDFDu},
      {"general", k_Format888, false, Color::White, 0, 0xFFFDFDFDu},
      {"packed 565", k_Format565, true, Color::White, 0, 0xFFFFu},
      {"general 444", k_Format444, true, Color::White, 0, 0x0FFFu},
      {"colourised", k_Format888, true, Color(255, 0, 0, 255), 0, 0xFFFC0000u},
      // The added channel is scaled by 255 and shifted down by 8: a little less than full.
      {"additive", k_Format888, true, Color::White, 1, 0xFFFCFCFCu},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    auto aDest = Dest(c.mFormat, 0);
    OptimizeSwitch aSwitch(c.mOptimized);  // after the surface: making one sets the switch
    MemoryImage aSource(nullptr);
    SetPixels(aSource, 4, 4, [](int, int) { return 0xFFFFFFFFu; });
    aDest->BltRotated(&aSource, 2, 1, TRect<int>(0, 0, 4, 4), TRect<int>(0, 0, 8, 6), c.mColor, c.mDrawMode,
                      0.0, 0, 0);
    // The spans keep every bilinear tap inside the source, so the inner pixels are drawn.
    EXPECT_EQ(aDest->Pixel(3, 2), c.mExpected) << std::hex << aDest->Pixel(3, 2);
    EXPECT_EQ(aDest->Pixel(1, 1), 0u);
    EXPECT_TRUE(aDest->GuardsIntact());
  }
  // BltF is the rotated blit at angle 0.
  auto aByF = Dest(k_Format888, 0), aByRotation = Dest(k_Format888, 0);
  MemoryImage aSource(nullptr);
  SetPixels(aSource, 3, 3, [](int x, int y) { return 0xFF000000u | uint32_t(x * 0x50 + y * 0x5000); });
  aByF->BltF(&aSource, 1.5f, 1.25f, TRect<int>(0, 0, 3, 3), TRect<int>(0, 0, 8, 6), Color::White, 0);
  aByRotation->BltRotated(&aSource, 1.5f, 1.25f, TRect<int>(0, 0, 3, 3), TRect<int>(0, 0, 8, 6), Color::White,
                          0, 0.0, 0, 0);
  EXPECT_EQ(aByF->mBuffer, aByRotation->mBuffer);
  // Video-only: nothing drawn, the source still marked drawn.
  auto aVideo = Dest(k_Format888, 0);
  aVideo->mVideoOnly = true;
  aSource.mDrawn = false;
  aVideo->BltRotated(&aSource, 1, 1, TRect<int>(0, 0, 3, 3), TRect<int>(0, 0, 8, 6), Color::White, 0, 0.3, 0,
                     0);
  EXPECT_TRUE(aSource.mDrawn);
  EXPECT_EQ(aVideo->Pixel(2, 2), 0u);
}

TEST_F(DDImageBltTest, CoverageFills) {
  for (const Surface& s : kSurfaces) {
    SCOPED_TRACE(s.mName);
    auto aDest = Dest(s.mFormat, 0);
    Span aSpans[2] = {{1, 2, 3}, {2, 0, 8}};
    unsigned char aCoverage[8 * 6];
    std::fill(aCoverage, aCoverage + 48, 255);
    aDest->FillScanLinesWithCoverage(aSpans, 2, Color(255, 255, 255), 0, aCoverage, 0, 0, 8, 6);
    // Full coverage weighs 255: ((255 x m) >> 8) twice, just short of white.
    const uint32_t kFull[4] = {0x00FDFDFDu, 0xEFBDu, 0x77BDu, 0x0DDDu};
    EXPECT_EQ(aDest->Pixel(2, 1), kFull[&s - kSurfaces]);
    EXPECT_EQ(aDest->Pixel(1, 1), 0u);
    EXPECT_NE(aDest->Pixel(7, 2), 0u);
    EXPECT_TRUE(aDest->GuardsIntact());
  }
}

TEST_F(DDImageBltTest, CoverageFillIn3DBlitsABoxOfTheSpans) {
  RecordingD3D* aD3D = new RecordingD3D();
  mDisplay.mD3DInterface.reset(aD3D);
  mDisplay.mIs3D = true;
  mDisplay.mDrawSurface = mDisplay.MakeSurface(20, 20);
  DDImage aScreen(&mDisplay);
  aScreen.SetSurface(mDisplay.mDrawSurface);
  Span aSpans[2] = {{4, 10, 3}, {5, 8, 2}};
  unsigned char aCoverage[400];
  std::fill(aCoverage, aCoverage + 400, 128);
  aScreen.FillScanLinesWithCoverage(aSpans, 2, Color(255, 0, 0), 0, aCoverage, 0, 0, 20, 20);
  ASSERT_EQ(aD3D->mCalls.size(), 1u);
  EXPECT_EQ(aD3D->mLastBlt, TRect<int>(8, 4, 5, 2));
  // The caller's spans were moved into the box.
  EXPECT_EQ(aSpans[0].mX, 2);
  EXPECT_EQ(aSpans[1].mY, 1);
}

TEST_F(DDImageBltTest, SurfaceCopiesAreOpaqueWhateverAlphaByteTheKernelsLeft) {
  // The packed kernels leave alpha byte 0 in the words they blend; a later surface copy of that
  // image must still show those pixels rather than holes.
  OptimizeSwitch aSwitch(true);
  DDImage aPainted(&mDisplay);
  SetPixels(aPainted, 2, 1, [](int, int) { return 0xFF000000u; });
  ASSERT_NE(aPainted.GetSurface(), nullptr);
  gOptimizeSoftwareDrawing = true;
  MemoryImage aHalf(nullptr);
  SetPixels(aHalf, 2, 1, [](int, int) { return 0x80FFFFFFu; });
  aPainted.Blt(&aHalf, 0, 0, TRect<int>(0, 0, 2, 1), Color(200, 200, 200, 255),
               0);  // grey form: alpha byte 0
  ASSERT_EQ(aPainted.mSurface->GetMemory()[0] >> 24, 0u);
  auto aDest = Dest(k_Format888, 0xFF0000FFu);
  aDest->Blt(&aPainted, 3, 3, TRect<int>(0, 0, 2, 1), Color::White, 0);
  EXPECT_EQ(aDest->Pixel(3, 3), aPainted.mSurface->GetMemory()[0] | 0xFF000000u);
  EXPECT_NE(aDest->Pixel(3, 3), 0xFF0000FFu);
}

namespace {

// The white additive blit onto 8-8-8 with the clamping tables (the memory image's saturating
// row) against the per-channel table formula, over every pair of source and destination
// channel values, with partial and zero alpha among them.
TEST_F(DDImageBltTest, WhiteAdditiveOnto888MatchesTheTableFormulaForEveryChannelPair) {
  auto aDest = Dest(k_Format888, 0, 256, 256);
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x)
      aDest->SetPixel(x, y, (uint32_t((x * 7 + y) & 0xFF) << 24) | (uint32_t(y) << 16) | (uint32_t(x) << 8) |
                               uint32_t(255 - x));
  std::vector<uint32_t> aBefore;
  for (int y = 0; y < 256; ++y)
    for (int x = 0; x < 256; ++x) aBefore.push_back(aDest->Pixel(x, y));
  MemoryImage aSource(nullptr);
  // Opaque rows but for a few of partial and zero alpha, and a black stretch (a skipped run).
  SetPixels(aSource, 256, 256, [](int x, int y) {
    uint32_t a = y % 16 == 3 ? 0x80 : (y % 16 == 7 ? 0 : 0xFF);
    if (x >= 100 && x < 110) return a << 24;
    return (a << 24) | (uint32_t(x) << 16) | (uint32_t(y) << 8) | uint32_t((x + y) & 0xFF);
  });
  const uint32_t* aNative = aSource.GetNativeAlphaData(&mDisplay);
  ASSERT_NE(aNative, nullptr);
  aDest->Blt(&aSource, 0, 0, TRect<int>(0, 0, 256, 256), Color::White, 1);
  const int* aTables[3] = {mDisplay.mRedAddTable.get(), mDisplay.mGreenAddTable.get(),
                           mDisplay.mBlueAddTable.get()};
  for (int y = 0; y < 256; ++y) {
    for (int x = 0; x < 256; ++x) {
      uint32_t d = aBefore[y * 256 + x], s = aNative[y * 256 + x];
      uint32_t anExpected = d;
      if ((s & 0xFFFFFF) != 0) {
        anExpected = 0xFF000000u;
        for (int c = 0; c < 3; ++c)
          anExpected |= uint32_t(aTables[c][((d >> (16 - 8 * c)) & 0xFF) + ((s >> (16 - 8 * c)) & 0xFF)])
                        << (16 - 8 * c);
      }
      ASSERT_EQ(aDest->Pixel(x, y), anExpected) << x << ", " << y;
    }
  }
}

TEST_F(DDImageBltTest, WhiteAdditiveOnto888KeepsTablesThatDoNotSaturate) {
  // Tables of another curve: the additive blit must look them up rather than add.
  auto aDest = Dest(k_Format888, 0xFF808080u, 16, 2);
  for (std::unique_ptr<int[]>* aTable : {&mDisplay.mRedAddTable, &mDisplay.mGreenAddTable, &mDisplay.mBlueAddTable})
    for (int i = 0; i < 511; ++i) (*aTable)[i] = i / 2;
  mDisplay.mAddTablesSaturate = false;
  MemoryImage aSource(nullptr);
  SetPixels(aSource, 16, 2, [](int x, int) { return 0xFF000000u | uint32_t(x * 0x0F0E0D); });
  aDest->Blt(&aSource, 0, 0, TRect<int>(0, 0, 16, 2), Color::White, 1);
  for (int x = 0; x < 16; ++x) {
    const uint32_t s = uint32_t(x * 0x0F0E0D);
    uint32_t anExpected = 0xFF000000u;
    for (int c = 0; c < 3; ++c) anExpected |= ((0x80 + ((s >> (8 * c)) & 0xFF)) / 2) << (8 * c);
    if (s == 0) anExpected = 0xFF808080u;
    EXPECT_EQ(aDest->Pixel(x, 1), anExpected) << x;
  }
}

TEST_F(DDImageBltTest, WhiteBlendOnto888LandsEveryRowOfAWideRectangle) {
  // A sub-rectangle of a wide source with every alpha class, drawn off the surface's origin:
  // each destination row is the premultiplied row rule over the source's native words.
  auto aDest = Dest(k_Format888, 0, 48, 9);
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 48; ++x) aDest->SetPixel(x, y, 0xFF000000u | uint32_t(x * 0x050301 + y * 0x112233));
  std::vector<uint32_t> aBefore;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 48; ++x) aBefore.push_back(aDest->Pixel(x, y));
  MemoryImage aSource(nullptr);
  SetPixels(aSource, 45, 8, [](int x, int y) {
    const uint32_t a = (x + y) % 5 == 0 ? 0 : (x / 3 + y) % 4 == 0 ? 255 : uint32_t(x * 37 + y * 11) & 0xFF;
    return (a << 24) | uint32_t(x * 0x0A0B0C + y * 0x030201);
  });
  const uint32_t* aNative = aSource.GetNativeAlphaData(&mDisplay);
  ASSERT_NE(aNative, nullptr);
  aDest->Blt(&aSource, 3, 2, TRect<int>(2, 1, 41, 6), Color::White, 0);
  for (int y = 0; y < 9; ++y) {
    std::vector<uint32_t> aWant(aBefore.begin() + y * 48, aBefore.begin() + y * 48 + 48);
    if (y >= 2 && y < 8) BlitSimd::OverPremultipliedRowPlain(aWant.data() + 3, aNative + (y - 1) * 45 + 2, 41);
    for (int x = 0; x < 48; ++x) ASSERT_EQ(aDest->Pixel(x, y), aWant[x]) << x << ", " << y;
  }
}

}  // namespace

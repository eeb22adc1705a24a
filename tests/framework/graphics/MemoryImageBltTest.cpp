// The plain blits against destination words computed by hand from the blend formulas.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "BlitTestSupport.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"

using namespace Tesk;

namespace {

// Draws a one-row source at (0, 0) of a one-row destination of the same width.
std::vector<uint32_t> BlitRow(const std::vector<uint32_t>& theSrc, const std::vector<uint32_t>& theDest,
                              const Color& theColor, int theMode, bool theDestPartial, bool thePalette) {
  int aWidth = int(theSrc.size());
  MemoryImage aSrc(nullptr), aDest(nullptr);
  SetPixels(aSrc, aWidth, 1, theSrc);
  if (thePalette) {
    EXPECT_TRUE(aSrc.Palletize());
  }
  SetPixels(aDest, aWidth, 1, theDest);
  if (theDestPartial) aDest.SetImageMode(false, true);
  aDest.Blt(&aSrc, 0, 0, TRect<int>(0, 0, aWidth, 1), theColor, theMode);
  EXPECT_TRUE(aSrc.mDrawn);
  return PixelsOf(aDest);
}

}  // namespace

TEST(MemoryImageBlt, RunLoopOntoAnOpaqueDestination) {
  // Opaque copied, transparent skipped, partial blended by its own alpha; the result stays opaque.
  const std::vector<uint32_t> kSrc = {0xFF112233, 0x00FFFFFF, 0x80FF0000, 0x01FFFFFF, 0xFEFFFFFF};
  const std::vector<uint32_t> kWant = {0xFF112233, 0xFF204060, 0xFF8F2030, 0xFF20405F, 0xFFFDFDFD};
  for (bool aPalette : {false, true}) {
    SCOPED_TRACE(aPalette ? "palette source" : "32-bit source");
    EXPECT_EQ(
        BlitRow(kSrc, std::vector<uint32_t>(5, 0xFF204060), Color::White, DRAWMODE_NORMAL, false, aPalette),
        kWant);
  }
}

TEST(MemoryImageBlt, RunsAreCutAtTheRectangle) {
  // A 300-pixel opaque run drawn from column 290 of the source, 20 wide: the run byte says 10 remain.
  std::vector<uint32_t> aPixels(320, 0xFF00FF00);
  for (int i = 300; i < 320; ++i) aPixels[i] = 0x00000000;
  MemoryImage aSrc(nullptr), aDest(nullptr);
  SetPixels(aSrc, 320, 1, aPixels);
  FillPixels(aDest, 30, 1, 0xFF0000FF);
  aDest.Blt(&aSrc, 5, 0, TRect<int>(290, 0, 20, 1), Color::White, DRAWMODE_NORMAL);
  for (int x = 0; x < 30; ++x) {
    SCOPED_TRACE(x);
    EXPECT_EQ(PixelAt(aDest, x, 0), (x >= 5 && x < 15) ? 0xFF00FF00u : 0xFF0000FFu);
  }
}

TEST(MemoryImageBlt, WhiteLoopOverADestinationWithAlpha) {
  const std::vector<uint32_t> kSrc = {0xFFFFFFFF, 0x80FF8040, 0x00FFFFFF, 0x01102030};
  struct Case {
    uint32_t dest;
    std::vector<uint32_t> want;
  };
  const Case kCases[] = {
      {0xFF000000, {0xFFFEFEFE, 0xFF7F4020, 0xFF000000, 0xFF000000}},  // w is 255, never 256
      {0x00000000, {0xFFFEFEFE, 0x80FE7F3F, 0x00000000, 0x010F1F2F}},
      {0x80FF0000, {0xFFFFFEFE, 0xBFFF552A, 0x80FF0000, 0x80FE0000}},  // red summed before its shift
      {0xFF204060, {0xFFFEFEFE, 0xFF8F6050, 0xFF204060, 0xFF1F3F5F}},
  };
  for (const Case& c : kCases) {
    for (bool aPalette : {false, true}) {
      SCOPED_TRACE(testing::Message() << std::hex << c.dest << (aPalette ? " palette" : " 32-bit"));
      EXPECT_EQ(
          BlitRow(kSrc, std::vector<uint32_t>(4, c.dest), Color::White, DRAWMODE_NORMAL, true, aPalette),
          c.want);
    }
  }
}

TEST(MemoryImageBlt, ColourisedLoops) {
  struct Case {
    const char* name;
    Color color;
    uint32_t dest;
    std::vector<uint32_t> src, want;
  };
  const Case kCases[] = {
      {"grey level 128",
       Color(128, 128, 128),
       0xFF204060,
       {0xFFFFFFFF, 0x80FF8040},
       {0xFF7E7F7E, 0xFF4F4040}},
      {"white at alpha 128 halves the source alpha",
       Color(255, 255, 255, 128),
       0xFF204060,
       {0xFFFFFFFF, 0x80FF8040},
       {0xFF8F9FAF, 0xFF574F57}},
      {"grey onto transparent", Color(200, 200, 200, 100), 0x00000000, {0xFFFFFFFF}, {0x64C6C6C6}},
      {"colour", Color(255, 128, 0), 0xFF204060, {0xFFFFFFFF, 0x80FF8040}, {0xFFFD7F00, 0xFF8F4030}},
      {"colour onto transparent", Color(10, 20, 30, 200), 0x00000000, {0xFF808080}, {0xC804090E}},
      {"colour, both translucent", Color(200, 100, 50, 128), 0x80102030, {0xC0F0E0D0}, {0xAF6D3E2B}},
  };
  for (const Case& c : kCases) {
    for (bool aPalette : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.name << (aPalette ? " palette" : " 32-bit"));
      EXPECT_EQ(BlitRow(c.src, std::vector<uint32_t>(c.src.size(), c.dest), c.color, DRAWMODE_NORMAL, false,
                        aPalette),
                c.want);
    }
  }
}

TEST(MemoryImageBlt, PalettisedSourcesDrawAsTheirColoursOverWideRows) {
  // Rows wider than the piece the palette is looked up in, with every alpha class, under
  // each normal loop: the palettised source draws what its 32-bit colours draw.
  const int aWidth = 600, aHeight = 3;
  std::vector<uint32_t> aColours(size_t(aWidth) * aHeight), aDestWords(aColours.size());
  uint32_t aState = 5;
  for (size_t i = 0; i < aColours.size(); ++i) {
    aState = aState * 1664525u + 1013904223u;
    const uint32_t aLevel = (i / 7) % 5;
    const uint32_t a = aLevel == 0 ? 0 : aLevel == 1 ? 255 : (aLevel * 60);
    aColours[i] = (a << 24) | ((i % 3) * 0x405060u + 0x102030u);
    aDestWords[i] = (aState & 0xFF000000u) | (aState >> 8);
  }
  MemoryImage aPalettised(nullptr);
  SetPixels(aPalettised, aWidth, aHeight, aColours);
  ASSERT_TRUE(aPalettised.Palletize());
  const std::vector<uint32_t> aQuantised = PixelsOf(aPalettised);
  ASSERT_TRUE(aPalettised.Palletize());
  for (const Color& aColor : {Color::White, Color(90, 90, 90, 180), Color(200, 100, 50, 220)}) {
    for (bool aDestPartial : {false, true}) {
      MemoryImage aWords(nullptr), aFromWords(nullptr), aFromPalette(nullptr);
      SetPixels(aWords, aWidth, aHeight, aQuantised);
      for (MemoryImage* aDest : {&aFromWords, &aFromPalette}) {
        SetPixels(*aDest, aWidth + 3, aHeight, std::vector<uint32_t>(size_t(aWidth + 3) * aHeight, 0xFF336699));
        if (aDestPartial) aDest->SetImageMode(false, true);
      }
      // Offset by three so the rows do not start on a vector boundary.
      aFromWords.Blt(&aWords, 3, 0, TRect<int>(0, 0, aWidth, aHeight), aColor, DRAWMODE_NORMAL);
      aFromPalette.Blt(&aPalettised, 3, 0, TRect<int>(0, 0, aWidth, aHeight), aColor, DRAWMODE_NORMAL);
      ASSERT_TRUE(aPalettised.mPalette != nullptr);
      EXPECT_EQ(PixelsOf(aFromPalette), PixelsOf(aFromWords))
          << aColor.mRed << "," << aColor.mGreen << "," << aColor.mBlue << (aDestPartial ? " over alpha" : "");
    }
  }
}

TEST(MemoryImageBlt, Additive) {
  struct Case {
    const char* name;
    Color color;
    uint32_t dest, src, want;
  };
  const Case kCases[] = {
      {"clamps and keeps the alpha", Color::White, 0x80646464, 0xFFC8C8C8, 0x80FFFFFF},
      {"partial source weighs by alpha", Color::White, 0x80646464, 0x80C8C8C8, 0x80C8C8C8},
      {"transparent pixel of a source without partial alpha adds in full", Color::White, 0x80646464,
       0x00C8C8C8, 0x80FFFFFF},
      {"colour premultiplied by its alpha", Color(255, 128, 0, 128), 0x40102030, 0xFF808080, 0x40504030},
      {"colour and partial source", Color(255, 128, 0, 128), 0x40102030, 0x80808080, 0x40303030},
      {"200 onto 100 saturates", Color::White, 0xFF646464, 0xFFC8C8C8, 0xFFFFFFFF},
  };
  for (const Case& c : kCases) {
    for (bool aPalette : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.name << (aPalette ? " palette" : " 32-bit"));
      EXPECT_EQ(BlitRow({c.src}, {c.dest}, c.color, DRAWMODE_ADDITIVE, false, aPalette),
                std::vector<uint32_t>{c.want});
    }
  }
}

TEST(MemoryImageBlt, AdditiveRowsOfEveryLength) {
  // The vector path and the plain tail agree with the table.
  for (int aWidth = 1; aWidth <= 9; ++aWidth) {
    SCOPED_TRACE(aWidth);
    std::vector<uint32_t> aSrc, aDest, aWant;
    for (int i = 0; i < aWidth; ++i) {
      aSrc.push_back(0xFF000000 | uint32_t(i * 30) << 16 | uint32_t(250 - i) << 8 | uint32_t(i));
      aDest.push_back(0x7F000000 | uint32_t(200) << 16 | uint32_t(i) << 8 | 255);
      uint32_t r = uint32_t(std::min(200 + i * 30, 255)), g = 250;
      aWant.push_back(0x7F000000 | r << 16 | g << 8 | 255);
    }
    EXPECT_EQ(BlitRow(aSrc, aDest, Color::White, DRAWMODE_ADDITIVE, false, false), aWant);
  }
}

TEST(MemoryImageBlt, OtherModesAndSourcesDrawNothing) {
  MemoryImage aSrc(nullptr), aDest(nullptr);
  FillPixels(aSrc, 2, 2, 0xFFFFFFFF);
  FillPixels(aDest, 2, 2, 0xFF000000);
  int aCount = aDest.mBitsChangedCount;
  aDest.Blt(&aSrc, 0, 0, TRect<int>(0, 0, 2, 2), Color::White, 2);
  Image aPlain;
  aDest.Blt(&aPlain, 0, 0, TRect<int>(0, 0, 2, 2), Color::White, DRAWMODE_NORMAL);
  EXPECT_TRUE(aPlain.mDrawn);
  EXPECT_EQ(aDest.mBitsChangedCount, aCount);
  EXPECT_EQ(PixelsOf(aDest), std::vector<uint32_t>(4, 0xFF000000));
}

TEST(MemoryImageBlt, NothingIsWrittenOutsideTheDestination) {
  // Sources and positions overhanging every edge, in every loop; the destination
  // is the whole image, so overhanging work must be cut, not written past the pixels.
  MemoryImage aSrc(nullptr);
  std::vector<uint32_t> aPixels(36);
  for (int i = 0; i < 36; ++i) aPixels[i] = (i % 3 == 0 ? 0x80000000 : 0xFF000000) | uint32_t(i * 7);
  SetPixels(aSrc, 6, 6, aPixels);
  const TRect<int> kSrcRects[] = {{0, 0, 6, 6}, {-3, -3, 12, 12}, {4, 4, 5, 5}};
  const int kPositions[] = {-5, -1, 0, 2, 3, 7};
  const Color kColors[] = {Color::White, Color(100, 100, 100), Color(10, 200, 30, 90)};
  for (int aMode : {DRAWMODE_NORMAL, DRAWMODE_ADDITIVE})
    for (const Color& aColor : kColors)
      for (const TRect<int>& r : kSrcRects)
        for (int x : kPositions)
          for (int y : kPositions) {
            MemoryImage aDest(nullptr);
            FillPixels(aDest, 4, 4, 0xFF102030);
            aDest.Blt(&aSrc, x, y, r, aColor, aMode);
            ASSERT_EQ(aDest.mBits[16], MEMORYCHECK_ID);
          }
}

TEST(MemoryImageBlt, ClippedWorkLandsWhereTheContextPutsIt) {
  // The drawing context hands the cut rectangle; only the inner part of a guarded destination changes.
  MemoryImage aSrc(nullptr), aDest(nullptr);
  FillPixels(aSrc, 8, 8, 0xFFFFFFFF);
  MakeGuarded(aDest, 4, 4, 2, 0xFF000000);
  aDest.Blt(&aSrc, 2, 2, TRect<int>(3, 3, 4, 4), Color::White, DRAWMODE_NORMAL);
  ExpectGuardsIntact(aDest, 2);
  // The guard words give the destination partial alpha, so the white loop draws.
  EXPECT_EQ(PixelAt(aDest, 2, 2), 0xFFFEFEFEu);
  EXPECT_EQ(PixelAt(aDest, 5, 5), 0xFFFEFEFEu);
}

TEST(MemoryImageBlt, BltFIsTheRotatedBlitAtAngleZero) {
  MemoryImage aSrc(nullptr);
  std::vector<uint32_t> aPixels(16);
  for (int i = 0; i < 16; ++i) aPixels[i] = 0xFF000000 | uint32_t(i * 0x0F0D0B);
  SetPixels(aSrc, 4, 4, aPixels);
  const TRect<int> kClip(0, 0, 7, 6);
  MemoryImage aByF(nullptr), aByRotated(nullptr);
  FillPixels(aByF, 8, 8, 0xFF000000);
  FillPixels(aByRotated, 8, 8, 0xFF000000);
  aByF.BltF(&aSrc, 10.5f - 8.0f, 3.25f, TRect<int>(0, 0, 4, 4), kClip, Color::White, DRAWMODE_NORMAL);
  aByRotated.BltRotated(&aSrc, 2.5f, 3.25f, TRect<int>(0, 0, 4, 4), kClip, Color::White, DRAWMODE_NORMAL, 0.0,
                        0, 0);
  EXPECT_EQ(PixelsOf(aByF), PixelsOf(aByRotated));
  EXPECT_NE(PixelsOf(aByF), std::vector<uint32_t>(64, 0xFF000000));
}

TEST(MemoryImageBltDeathTest, ColourOutOfRangeStops) {
  MemoryImage aSrc(nullptr), aDest(nullptr);
  FillPixels(aSrc, 1, 1, 0xFFFFFFFF);
  FillPixels(aDest, 1, 1, 0xFF000000);
  EXPECT_DEATH(aDest.Blt(&aSrc, 0, 0, TRect<int>(0, 0, 1, 1), Color(256, 0, 0), DRAWMODE_NORMAL),
               "failed assertion `\\(theColor.mRed >= 0\\) && \\(theColor.mRed <= 255\\)'");
  EXPECT_DEATH(aDest.Blt(&aSrc, 0, 0, TRect<int>(0, 0, 1, 1), Color(0, 0, 0, -1), DRAWMODE_NORMAL),
               "failed assertion `\\(theColor.mAlpha >= 0\\) && \\(theColor.mAlpha <= 255\\)'");
}

namespace {

std::vector<uint32_t> MirrorRow(const std::vector<uint32_t>& theSrc, const std::vector<uint32_t>& theDest,
                                const Color& theColor, int theMode, bool theDestPartial, bool thePalette) {
  int aWidth = int(theSrc.size());
  MemoryImage aSrc(nullptr), aDest(nullptr);
  SetPixels(aSrc, aWidth, 1, theSrc);
  if (thePalette) {
    EXPECT_TRUE(aSrc.Palletize());
  }
  SetPixels(aDest, aWidth, 1, theDest);
  if (theDestPartial) aDest.SetImageMode(false, true);
  aDest.BltMirror(&aSrc, 0, 0, TRect<int>(0, 0, aWidth, 1), theColor, theMode);
  EXPECT_TRUE(aSrc.mDrawn);
  return PixelsOf(aDest);
}

}  // namespace

TEST(MemoryImageBlt, MirroredLoopsDrawTheSameWordsRightToLeft) {
  struct Case {
    const char* name;
    std::vector<uint32_t> src;
    uint32_t dest;
    bool destPartial;
    Color color;
    int mode;
    std::vector<uint32_t> want;
  };
  const Case kCases[] = {
      {"opaque destination, white",
       {0xFF112233, 0x00FFFFFF, 0x80FF0000, 0x01FFFFFF, 0xFEFFFFFF},
       0xFF204060,
       false,
       Color::White,
       DRAWMODE_NORMAL,
       {0xFFFDFDFD, 0xFF20405F, 0xFF8F2030, 0xFF204060, 0xFF112233}},
      {"destination with alpha",
       {0xFFFFFFFF, 0x80FF8040, 0x00FFFFFF, 0x01102030},
       0x00000000,
       true,
       Color::White,
       DRAWMODE_NORMAL,
       {0x010F1F2F, 0x00000000, 0x80FE7F3F, 0xFFFEFEFE}},
      {"grey",
       {0xFFFFFFFF, 0x80FF8040},
       0xFF204060,
       false,
       Color(128, 128, 128),
       DRAWMODE_NORMAL,
       {0xFF4F4040, 0xFF7E7F7E}},
      {"colour",
       {0xFFFFFFFF, 0x80FF8040},
       0xFF204060,
       false,
       Color(255, 128, 0),
       DRAWMODE_NORMAL,
       {0xFF8F4030, 0xFFFD7F00}},
      {"additive",
       {0xFFC8C8C8, 0xFF000010},
       0x80646464,
       false,
       Color::White,
       DRAWMODE_ADDITIVE,
       {0x80646474, 0x80FFFFFF}},
  };
  for (const Case& c : kCases) {
    for (bool aPalette : {false, true}) {
      SCOPED_TRACE(testing::Message() << c.name << (aPalette ? " palette" : " 32-bit"));
      EXPECT_EQ(MirrorRow(c.src, std::vector<uint32_t>(c.src.size(), c.dest), c.color, c.mode, c.destPartial,
                          aPalette),
                c.want);
    }
  }
}

TEST(MemoryImageBlt, MirroredOverhangAndOneColumn) {
  const std::vector<uint32_t> kSrc = {0xFF000001, 0xFF000002, 0xFF000003, 0xFF000004};
  MemoryImage aSrc(nullptr);
  SetPixels(aSrc, 4, 1, kSrc);
  struct Case {
    const char* name;
    int x;
    TRect<int> src;
    std::vector<uint32_t> want;
  };
  const Case kCases[] = {
      {"cut on the left of the destination", -1, {0, 0, 4, 1}, {0xFF000003, 0xFF000002, 0xFF000001}},
      {"source overhanging on the left", 0, {-1, 0, 5, 1}, {0xFF000004, 0xFF000003, 0xFF000002}},
      {"cut on the right", 1, {0, 0, 4, 1}, {0xFF000000, 0xFF000004, 0xFF000003}},
      {"one column is the plain blit", 1, {2, 0, 1, 1}, {0xFF000000, 0xFF000003, 0xFF000000}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    MemoryImage aDest(nullptr);
    FillPixels(aDest, 3, 1, 0xFF000000);
    aDest.BltMirror(&aSrc, c.x, 0, c.src, Color::White, DRAWMODE_NORMAL);
    EXPECT_EQ(PixelsOf(aDest), c.want);
    EXPECT_EQ(aDest.mBits[3], MEMORYCHECK_ID);
  }
}

// Fills, coverage spans, palettising and native words, against hand-computed pixels.
#include <gtest/gtest.h>

#include <vector>

#include "FakeImageRegistry.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"
#include "graphics/Quantize8Bit.h"

using namespace Tesk;

namespace {

std::vector<uint32_t> Pixels(MemoryImage& theImage) {
  uint32_t* aBits = theImage.GetBits();
  return std::vector<uint32_t>(aBits, aBits + theImage.mWidth * theImage.mHeight);
}

uint32_t Guard(MemoryImage& theImage) { return theImage.mBits[theImage.mWidth * theImage.mHeight]; }

}  // namespace

TEST(MemoryImageFill, FillRectPixels) {
  struct Case {
    const char* name;
    uint32_t dest;
    Color color;
    int mode;
    uint32_t want;
  };
  const Case kCases[] = {
      {"opaque replaces", 0x00102030, Color(0x40, 0x50, 0x60), DRAWMODE_NORMAL, 0xFF405060},
      {"half over opaque black keeps alpha", 0xFF000000, Color(255, 255, 255, 128), DRAWMODE_NORMAL,
       0xFF7F7F7F},
      {"half over transparent: w = 255", 0x00000000, Color(0x10, 0x80, 0xFF, 128), DRAWMODE_NORMAL,
       0x800F7FFE},
      {"half over half", 0x80FF0000, Color(0, 0, 255, 128), DRAWMODE_NORMAL, 0xBF5500A9},
      {"alpha 0 changes nothing", 0x12345678, Color(1, 2, 3, 0), DRAWMODE_NORMAL, 0x12345678},
      {"alpha 0 over transparent black", 0x00000000, Color(1, 2, 3, 0), DRAWMODE_NORMAL, 0x00000000},
      {"additive weights by alpha, keeps alpha", 0x80C86432, Color(100, 20, 10, 128), DRAWMODE_ADDITIVE,
       0x80FA6E37},
      {"additive clamps", 0xFFC80000, Color(100, 0, 0), DRAWMODE_ADDITIVE, 0xFFFF0000},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    MemoryImage anImage(nullptr);
    const uint32_t kPixels[4] = {c.dest, c.dest, c.dest, c.dest};
    anImage.SetBits(kPixels, 2, 2);
    anImage.FillRect(TRect<int>(1, 0, 1, 2), c.color, c.mode);
    EXPECT_EQ(Pixels(anImage), (std::vector<uint32_t>{c.dest, c.want, c.dest, c.want}));
    EXPECT_EQ(Guard(anImage), MEMORYCHECK_ID);
  }
}

TEST(MemoryImageFill, FillRectStaysInsideThePixels) {
  MemoryImage anImage(nullptr);
  anImage.Create(3, 2);
  const TRect<int> kRects[] = {{-5, -5, 100, 100}, {2, 1, 5, 5}, {0, 0, 3, -1}, {3, 0, 1, 1}, {-1, 0, 1, 2}};
  for (const TRect<int>& r : kRects) anImage.FillRect(r, Color(1, 2, 3), DRAWMODE_NORMAL);
  EXPECT_EQ(Pixels(anImage), std::vector<uint32_t>(6, 0xFF010203));
  EXPECT_EQ(Guard(anImage), MEMORYCHECK_ID);
}

TEST(MemoryImageFill, CoverageSpans) {
  struct Case {
    const char* name;
    uint32_t dest;
    Color color;
    uint8_t coverage;
    uint32_t want;
  };
  const Case kCases[] = {
      {"coverage 0 is skipped", 0xFF000000, Color::White, 0, 0xFF000000},
      {"full coverage of white gives FE", 0xFF000000, Color::White, 255, 0xFFFEFEFE},
      {"half coverage", 0xFF000000, Color::White, 127, 0xFF7E7E7E},
      {"quarter coverage", 0xFF000000, Color::White, 63, 0xFF3E3E3E},
      {"over transparent", 0x00000000, Color(255, 0, 0), 255, 0xFFFE0000},
      {"translucent colour over transparent", 0x00000000, Color(0x10, 0x80, 0xFF, 128), 255, 0x800F7FFE},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    MemoryImage anImage(nullptr);
    const uint32_t kPixels[2] = {c.dest, c.dest};
    anImage.SetBits(kPixels, 2, 1);
    Span aSpan = {0, 1, 1};
    const uint8_t kCoverage[2] = {255, c.coverage};
    anImage.FillScanLinesWithCoverage(&aSpan, 1, c.color, DRAWMODE_NORMAL, kCoverage, 0, 0, 2, 1);
    EXPECT_EQ(Pixels(anImage), (std::vector<uint32_t>{c.dest, c.want}));
  }
}

TEST(MemoryImageFill, CoverageMapIsPlacedAndBounded) {
  MemoryImage anImage(nullptr);
  std::vector<uint32_t> aBlack(8, 0xFF000000);
  anImage.SetBits(aBlack.data(), 4, 2);
  // The map covers (1, 1)-(3, 1); the other spans reach outside it and outside the image.
  const uint8_t kCoverage[3] = {255, 0, 255};
  Span aSpans[3] = {{1, 1, 3}, {0, -2, 9}, {1, -2, 9}};
  anImage.FillScanLinesWithCoverage(aSpans, 3, Color::White, DRAWMODE_NORMAL, kCoverage, 1, 1, 3, 1);
  const std::vector<uint32_t> kWant = {0xFF000000, 0xFF000000, 0xFF000000, 0xFF000000,
                                       0xFF000000, 0xFFFEFEFE, 0xFF000000, 0xFFFEFEFE};
  EXPECT_EQ(Pixels(anImage), kWant);
  EXPECT_EQ(Guard(anImage), MEMORYCHECK_ID);
}

TEST(Quantize8Bit, ExactPaletteInOrderOfFirstAppearance) {
  const uint32_t kPixels[6] = {5, 3, 5, 9, 3, 0x01000009};  // the last differs from 9 only in alpha
  uint8_t anIndices[6];
  uint32_t aPalette[256] = {};
  ASSERT_TRUE(Quantize8Bit(kPixels, 3, 2, anIndices, aPalette));
  EXPECT_EQ(std::vector<int>(anIndices, anIndices + 6), (std::vector<int>{0, 1, 0, 2, 1, 3}));
  EXPECT_EQ(std::vector<uint32_t>(aPalette, aPalette + 5), (std::vector<uint32_t>{5, 3, 9, 0x01000009, 0}));

  std::vector<uint32_t> aMany;
  for (uint32_t i = 0; i < 256; ++i) aMany.push_back(0xFF000000 | (i * 0x010101 ^ 0x5A));
  std::vector<uint8_t> aManyIndices(257);
  ASSERT_TRUE(Quantize8Bit(aMany.data(), 256, 1, aManyIndices.data(), aPalette));
  for (int i = 0; i < 256; ++i) ASSERT_EQ(aPalette[aManyIndices[i]], aMany[i]);
  aMany.push_back(0x12345678);
  EXPECT_FALSE(Quantize8Bit(aMany.data(), 257, 1, aManyIndices.data(), aPalette));

  uint32_t aUntouched[256];
  aUntouched[0] = 0xDEAD;
  EXPECT_TRUE(Quantize8Bit(nullptr, 0, 0, nullptr, aUntouched));
  EXPECT_EQ(aUntouched[0], 0xDEADu);
}

TEST(MemoryImageFill, PalettiseAndBack) {
  MemoryImage anImage(nullptr);
  const uint32_t kPixels[4] = {0xFF0000FF, 0x80FF0000, 0xFF0000FF, 0x00000000};
  anImage.SetBits(kPixels, 2, 2);
  ASSERT_TRUE(anImage.Palletize());
  EXPECT_FALSE(anImage.mBits);
  EXPECT_TRUE(anImage.mPaletteWanted);
  EXPECT_EQ(std::vector<int>(anImage.mPaletteIndices.get(), anImage.mPaletteIndices.get() + 4),
            (std::vector<int>{0, 1, 0, 2}));
  EXPECT_EQ(std::vector<uint32_t>(anImage.mPalette.get(), anImage.mPalette.get() + 3),
            (std::vector<uint32_t>{0xFF0000FF, 0x80FF0000, 0x00000000}));
  EXPECT_TRUE(anImage.Palletize());  // already palettised

  EXPECT_EQ(Pixels(anImage), std::vector<uint32_t>(kPixels, kPixels + 4));
  EXPECT_EQ(Guard(anImage), MEMORYCHECK_ID);
  EXPECT_FALSE(anImage.mPalette);
  EXPECT_FALSE(anImage.mPaletteIndices);
}

TEST(MemoryImageFill, TooManyColoursStayAsTheyWere) {
  std::vector<uint32_t> aPixels;
  for (uint32_t i = 0; i < 257; ++i) aPixels.push_back(0xFF000000 | i);
  MemoryImage anImage(nullptr);
  anImage.SetBits(aPixels.data(), 257, 1);
  anImage.mPaletteWanted = true;
  EXPECT_FALSE(anImage.Palletize());
  EXPECT_FALSE(anImage.mPaletteWanted);
  EXPECT_FALSE(anImage.mPalette);
  ASSERT_TRUE(anImage.mBits);
  EXPECT_EQ(Pixels(anImage), aPixels);
}

TEST(MemoryImageFill, PaletteAdoptedFromALoader) {
  MemoryImage anImage(nullptr);
  uint32_t* aPalette = new uint32_t[256]();
  aPalette[1] = 0x80112233;
  uint8_t* anIndices = new uint8_t[3]{1, 0, 1};
  anImage.SetBits(3, 1, aPalette, anIndices);
  EXPECT_FALSE(anImage.mBitsChanged);  // committed: the palette has partial alpha
  EXPECT_TRUE(anImage.mHasPartialAlpha);
  EXPECT_TRUE(anImage.mHasTransparent);
  EXPECT_EQ(Pixels(anImage), (std::vector<uint32_t>{0x80112233, 0, 0x80112233}));
}

TEST(MemoryImageFill, NativeWords) {
  struct Case {
    const char* name;
    bool is565;
    uint32_t pixel;
    uint32_t want;
  };
  const Case kCases[] = {
      {"565 opaque red fills its field", true, 0xFFFF0000, 0xFF00F800},
      {"565 transparent is all zero", true, 0x00FF0000, 0x00000000},
      {"565 half white premultiplied", true, 0x80FFFFFF, 0x80008410},
      {"888 half white premultiplied", false, 0x80FFFFFF, 0x80808080},
      {"888 opaque unchanged", false, 0xFF123456, 0xFF123456},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    NativeDisplay aNative;
    if (c.is565)
      SetNative565(aNative);
    else
      SetNative888(aNative);
    MemoryImage anImage(nullptr);
    anImage.SetBits(&c.pixel, 1, 1);
    uint32_t* aWords = anImage.GetNativeAlphaData(&aNative);
    ASSERT_TRUE(aWords);
    EXPECT_EQ(aWords[0], c.want);
    EXPECT_EQ(anImage.GetNativeAlphaData(&aNative), aWords);  // cached
  }
}

TEST(MemoryImageFill, NativeWordsOfAPaletteImageAreItsPalette) {
  NativeDisplay aNative;
  SetNative565(aNative);
  MemoryImage anImage(nullptr);
  const uint32_t kPixels[3] = {0xFFFF0000, 0xFFFF0000, 0x00FF0000};
  anImage.SetBits(kPixels, 3, 1);
  ASSERT_TRUE(anImage.Palletize());
  uint32_t* aWords = anImage.GetNativeAlphaData(&aNative);
  EXPECT_EQ(aWords[0], 0xFF00F800u);
  EXPECT_EQ(aWords[1], 0x00000000u);
  EXPECT_EQ(aWords[255], 0x00000000u);  // unused entries are zero
}

TEST(MemoryImageFill, OpaqueShortcutMatchesTheGeneralFormula) {
  // Every alpha over every grey level of an opaque pixel, against the formula as written.
  for (uint32_t cA = 1; cA < 255; ++cA) {
    std::vector<uint32_t> aPixels;
    for (uint32_t v = 0; v < 256; ++v) aPixels.push_back(0xFF000000 | v * 0x010101);
    MemoryImage anImage(nullptr);
    anImage.SetBits(aPixels.data(), 256, 1);
    const Color aColor(0x12, 0x9A, 0xFE, static_cast<int>(cA));
    anImage.FillRect(TRect<int>(0, 0, 256, 1), aColor, DRAWMODE_NORMAL);
    const uint32_t c = static_cast<uint32_t>(aColor.ToInt());
    for (uint32_t v = 0; v < 256; ++v) {
      uint32_t d = aPixels[v];
      uint32_t da = d >> 24;
      uint32_t na = ((255 - da) * cA) / 255 + da;
      uint32_t w = (cA * 255) / na;
      uint32_t ow = 256 - w;
      uint32_t aWant = (na << 24) | (((ow * (d & 0x00FF00FF) + w * (c & 0x00FF00FF)) >> 8) & 0x00FF00FF) |
                       (((ow * (d & 0x0000FF00) + w * (c & 0x0000FF00)) >> 8) & 0x0000FF00);
      ASSERT_EQ(anImage.mBits[v], aWant) << "alpha " << cA << " grey " << v;
    }
  }
}

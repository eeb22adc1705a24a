// The stretch blits' vector routes leave exactly the pixels of the plain ones: the per-pixel
// nearest stretch and the general two-pass resampler (StretchPlain), over scales up and down,
// odd sizes, clipping, mirroring, palettes, colours, alphas and both draw modes; and their rows
// agree with the plain rows over every pair of alphas.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "BlitTestSupport.h"
#include "graphics/BlitPixel.h"
#include "graphics/BlitSimd.h"
#include "graphics/BlitSimdStretch.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"
#include "graphics/StretchPlain.h"
#include "support/AllocationCount.h"

using namespace Tesk;

namespace {

uint32_t NextWord(uint32_t& theState) {
  theState = theState * 1664525u + 1013904223u;
  return theState ^ (theState >> 13);
}

enum Kind { Random, Sprite, Opaque, ClearRows, Binary };

// Random: any alpha. Sprite: a disc, clear outside, a partial rim. Opaque: every alpha 255.
// ClearRows: whole rows and columns without alpha but with colour, the rest partial. Binary:
// alpha 0 or 255 only (a source without partial alpha).
std::vector<uint32_t> MakeSource(int w, int h, Kind theKind, uint32_t& theState) {
  std::vector<uint32_t> aPixels(size_t(w) * h);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      uint32_t c = NextWord(theState) & 0xFFFFFF, a = 0;
      switch (theKind) {
        case Random: {
          uint32_t r = NextWord(theState) % 4;
          a = r == 0 ? 0 : r == 1 ? 255 : NextWord(theState) & 0xFF;
          break;
        }
        case Sprite: {
          double dx = (x + 0.5) / w - 0.5, dy = (y + 0.5) / h - 0.5, d = 2 * std::sqrt(dx * dx + dy * dy);
          a = d > 1 ? 0 : d > 0.7 ? uint32_t((1 - d) / 0.3 * 254) + 1 : 255;
          if (a == 0) c = 0;
          break;
        }
        case Opaque:
          a = 255;
          break;
        case ClearRows:
          a = (y % 3 == 1 || x % 5 == 2) ? 0 : 1 + NextWord(theState) % 255;
          break;
        case Binary:
          a = NextWord(theState) % 3 == 0 ? 0 : 255;
          break;
      }
      aPixels[size_t(y) * w + x] = (a << 24) | c;
    }
  return aPixels;
}

// The canvas below a stretch: opaque (a screen) or with any alpha (an off-screen layer).
std::vector<uint32_t> MakeBack(int w, int h, bool theOpaque, uint32_t& theState) {
  std::vector<uint32_t> aPixels(size_t(w) * h);
  for (uint32_t& p : aPixels) {
    p = NextWord(theState);
    if (theOpaque) p |= 0xFF000000;
  }
  return aPixels;
}

// Draws through StretchBlt (or StretchBltMirror) and through the plain stretch after the same
// clipping, each onto its own copy of theBack; returns whether the two agree.
::testing::AssertionResult SameAsPlain(MemoryImage& theSrc, const std::vector<uint32_t>& theBack, int w, int h,
                                       const TRect<int>& theDest, const TRect<int>& theSrcRect,
                                       const TRect<int>& theClip, const Color& theColor, int theMode, bool fast,
                                       bool mirror) {
  MemoryImage aRoute(nullptr), aPlain(nullptr);
  SetPixels(aRoute, w, h, theBack);
  SetPixels(aPlain, w, h, theBack);
  if (mirror)
    aRoute.StretchBltMirror(&theSrc, theDest, theSrcRect, theClip, theColor, theMode, fast);
  else
    aRoute.StretchBlt(&theSrc, theDest, theSrcRect, theClip, theColor, theMode, fast);
  const TRect<int> aClip = theClip.Intersection(TRect<int>(0, 0, w, h));
  TRect<double> s;
  TRect<int> d;
  const bool aDraws = mirror ? aPlain.StretchBltMirrorClipHelper(theSrcRect, aClip, theDest, s, d)
                             : aPlain.StretchBltClipHelper(theSrcRect, aClip, theDest, s, d);
  if (aDraws && d.mWidth > 0 && d.mHeight > 0) {
    if (fast)
      StretchPlain::Nearest(aPlain, &theSrc, d, s, theColor, theMode, mirror);
    else
      StretchPlain::Smooth(aPlain, &theSrc, d, s, theColor, theMode, mirror);
  }
  const std::vector<uint32_t> aGot = PixelsOf(aRoute), aWant = PixelsOf(aPlain);
  for (size_t i = 0; i < aGot.size(); ++i)
    if (aGot[i] != aWant[i])
      return ::testing::AssertionFailure() << "pixel " << i % size_t(w) << "," << i / size_t(w) << ": got " << std::hex
                                           << aGot[i] << " want " << aWant[i];
  return ::testing::AssertionSuccess();
}

// White spelt out: a copy of Color::White made while statics start up could be taken too early.
const Color k_Colors[] = {Color(255, 255, 255, 255), Color(255, 255, 255, 128), Color(10, 200, 30, 90),
                          Color(128, 128, 128),  Color(255, 128, 0),        Color(0, 0, 0, 0),
                          Color(255, 255, 255, 1)};

struct Size {
  int w, h;
};

void RunGeometries(bool fast) {
  uint32_t aState = fast ? 17 : 4242;
  const Size kSources[] = {{1, 1}, {2, 3}, {7, 5}, {32, 32}, {13, 29}, {64, 3}};
  const TRect<int> kDests[] = {{0, 0, 1, 1},   {2, 1, 3, 2},    {0, 0, 17, 13}, {3, 5, 64, 64},
                               {-4, 2, 9, 40}, {1, -3, 100, 7}, {-9, -7, 50, 37}};
  const Kind kKinds[] = {Random, Sprite, Opaque, ClearRows, Binary};
  const int W = 70, H = 70;
  int aCase = 0;
  for (const Size& z : kSources)
    for (Kind aKind : kKinds)
      for (bool aPalette : {false, true}) {
        if (aPalette && aKind != Sprite && aKind != Random) continue;
        std::vector<uint32_t> aPixels = MakeSource(z.w, z.h, aKind, aState);
        if (aPalette)
          for (uint32_t& p : aPixels) p = (p & 0xFF000000) | ((p & 0x00FFFFFF) % 97 * 0x020301);
        MemoryImage aSrc(nullptr);
        SetPixels(aSrc, z.w, z.h, aPixels);
        if (aPalette && !aSrc.Palletize()) continue;
        // The whole source, and a part of it off its corner.
        const TRect<int> kSrcRects[] = {{0, 0, z.w, z.h}, {z.w / 3, z.h / 4, z.w - z.w / 3, z.h - z.h / 4}};
        for (const TRect<int>& aSrcRect : kSrcRects)
          for (const TRect<int>& aDest : kDests)
            for (bool anOpaqueBack : {true, false}) {
              std::vector<uint32_t> aBack = MakeBack(W, H, anOpaqueBack, aState);
              // The whole canvas as clip, and one that cuts every side.
              for (const TRect<int>& aClip : {TRect<int>(0, 0, W, H), TRect<int>(2, 3, 41, 29)}) {
                const Color& aColor = k_Colors[size_t(aCase) % (sizeof(k_Colors) / sizeof(k_Colors[0]))];
                const int aMode = (aCase / 3) % 2 == 0 ? DRAWMODE_NORMAL : DRAWMODE_ADDITIVE;
                const bool aMirror = (aCase / 2) % 2 == 1;
                ++aCase;
                ASSERT_TRUE(SameAsPlain(aSrc, aBack, W, H, aDest, aSrcRect, aClip, aColor, aMode, fast, aMirror))
                    << "source " << z.w << "x" << z.h << " kind " << aKind << " palette " << aPalette << " part "
                    << aSrcRect.mX << " dest " << aDest.mX << "," << aDest.mY << " " << aDest.mWidth << "x"
                    << aDest.mHeight << " clip " << aClip.mWidth << " colour " << aColor.mRed << ","
                    << aColor.mGreen << "," << aColor.mBlue << "," << aColor.mAlpha << " mode " << aMode
                    << " mirror " << aMirror << " opaque back " << anOpaqueBack;
              }
            }
      }
}

}  // namespace

TEST(StretchFastPath, SmoothStretchEqualsTheGeneralResampler) { RunGeometries(false); }

TEST(StretchFastPath, NearestStretchEqualsThePerPixelLoop) { RunGeometries(true); }

TEST(StretchFastPath, EveryColourAndModeOnOneGeometry) {
  // Each colour in each mode, mirrored and not, for a source with partial alpha and one without.
  uint32_t aState = 5;
  for (Kind aKind : {Sprite, Binary, ClearRows}) {
    std::vector<uint32_t> aPixels = MakeSource(11, 9, aKind, aState);
    MemoryImage aSrc(nullptr);
    SetPixels(aSrc, 11, 9, aPixels);
    for (const Color& aColor : k_Colors)
      for (int aMode : {DRAWMODE_NORMAL, DRAWMODE_ADDITIVE})
        for (bool aMirror : {false, true})
          for (bool fast : {false, true})
            for (const TRect<int>& aDest : {TRect<int>(1, 2, 30, 23), TRect<int>(0, 1, 6, 5)}) {
              std::vector<uint32_t> aBack = MakeBack(32, 32, aKind == Sprite, aState);
              ASSERT_TRUE(SameAsPlain(aSrc, aBack, 32, 32, aDest, TRect<int>(0, 0, 11, 9), TRect<int>(0, 0, 32, 32),
                                      aColor, aMode, fast, aMirror))
                  << "kind " << aKind << " colour " << aColor.mRed << "," << aColor.mGreen << "," << aColor.mBlue
                  << "," << aColor.mAlpha << " mode " << aMode << " mirror " << aMirror << " fast " << fast;
            }
  }
}

TEST(StretchFastPath, SharpScalesAndLongShrinks) {
  // Shrinking by many source pixels per output pixel (many taps) and enlarging a line.
  uint32_t aState = 99;
  const Size kSources[] = {{200, 3}, {3, 150}, {97, 83}, {1, 40}, {40, 1}};
  const Size kDests[] = {{3, 2}, {1, 1}, {7, 60}, {150, 2}, {2, 150}};
  for (const Size& s : kSources)
    for (const Size& d : kDests) {
      std::vector<uint32_t> aPixels = MakeSource(s.w, s.h, Random, aState);
      MemoryImage aSrc(nullptr);
      SetPixels(aSrc, s.w, s.h, aPixels);
      std::vector<uint32_t> aBack = MakeBack(160, 160, false, aState);
      for (bool aMirror : {false, true})
        for (bool fast : {false, true})
          ASSERT_TRUE(SameAsPlain(aSrc, aBack, 160, 160, TRect<int>(1, 1, d.w, d.h), TRect<int>(0, 0, s.w, s.h),
                                  TRect<int>(0, 0, 160, 160), Color(200, 100, 50, 180), DRAWMODE_NORMAL, fast,
                                  aMirror))
              << s.w << "x" << s.h << " to " << d.w << "x" << d.h << " mirror " << aMirror << " fast " << fast;
    }
}

TEST(StretchFastPath, StretchesAllocateNothingOnceWarm) {
  uint32_t aState = 3;
  MemoryImage aSrc(nullptr), aSprite(nullptr), aDest(nullptr);
  SetPixels(aSrc, 40, 30, MakeSource(40, 30, Sprite, aState));
  SetPixels(aSprite, 16, 16, MakeSource(16, 16, Random, aState));
  SetPixels(aDest, 100, 80, MakeBack(100, 80, true, aState));
  auto aFrame = [&] {
    for (bool fast : {false, true}) {
      aDest.StretchBlt(&aSrc, TRect<int>(0, 0, 90, 70), TRect<int>(0, 0, 40, 30), TRect<int>(0, 0, 100, 80),
                       Color::White, DRAWMODE_NORMAL, fast);
      aDest.StretchBlt(&aSprite, TRect<int>(5, 5, 8, 8), TRect<int>(0, 0, 16, 16), TRect<int>(0, 0, 100, 80),
                       Color(30, 60, 90, 200), DRAWMODE_NORMAL, fast);
      aDest.StretchBltMirror(&aSprite, TRect<int>(20, 5, 33, 31), TRect<int>(0, 0, 16, 16),
                             TRect<int>(0, 0, 100, 80), Color::White, DRAWMODE_ADDITIVE, fast);
    }
  };
  aFrame();
  const long aBefore = TeskTest::AllocationCount();
  for (int i = 0; i < 3; ++i) aFrame();
  EXPECT_EQ(TeskTest::AllocationCount() - aBefore, 0);
}

// ---- Rows ----

namespace {

// The mixing row as chosen, in SSE2 and in AVX2 (SSE2 where the processor lacks it).
using MixRow = void (*)(uint32_t*, const uint16_t* const*, const int16_t*, int, int, const BlitSimdStretch::Compose&);
const MixRow k_MixRows[3] = {BlitSimdStretch::MixComposeRow, BlitSimdStretch::MixComposeRowSse2,
                             BlitSimdStretch::MixComposeRowAvx2};

// A resampled pixel m made by the mixing rows from two taps of weights 256 and 0.
void PutMixed(std::vector<uint16_t>& theTop, size_t x, uint32_t m) {
  for (int i = 0; i < 4; ++i) theTop[4 * x + size_t(i)] = uint16_t((((m >> (8 * i)) & 0xFF) << 8) ^ 0x8000);
}

std::vector<BlitSimdStretch::Compose> Composes() {
  std::vector<BlitSimdStretch::Compose> aList;
  const uint32_t kOver[][4] = {{256, 256, 256, 255}, {1, 129, 256, 255}, {11, 201, 31, 90}, {256, 256, 256, 128},
                               {129, 129, 129, 1}};
  for (const auto& k : kOver) {
    BlitSimdStretch::Compose c;
    for (int i = 0; i < 4; ++i) c.mMul[i] = k[i];
    aList.push_back(c);
  }
  const uint32_t kAdd[][3] = {{256, 256, 256}, {0, 128, 255}, {35, 70, 7}};
  for (const auto& k : kAdd)
    for (bool aPartial : {false, true}) {
      BlitSimdStretch::Compose c;
      c.mKind = BlitSimdStretch::Compose::Add;
      c.mPartial = aPartial;
      for (int i = 0; i < 3; ++i) c.mMul[i] = k[i];
      aList.push_back(c);
    }
  return aList;
}

}  // namespace

TEST(StretchFastPath, ComposeRowsMatchThePlainFormulaForEveryAlphaPair) {
  uint32_t aState = 1;
  for (const BlitSimdStretch::Compose& c : Composes()) {
    for (uint32_t ma = 0; ma < 256; ++ma) {
      // Groups of four share their alphas (so that every group test is met), then the same
      // pixels shuffled; the row length leaves a tail.
      const size_t aCount = 256 * 4 + 3;
      std::vector<uint32_t> aMixed(aCount), aBack(aCount);
      for (size_t i = 0; i < aCount; ++i) {
        const uint32_t da = uint32_t(i / 4) & 0xFF;
        uint32_t aColour = NextWord(aState) & 0xFFFFFF;
        if (i % 4 == 0) aColour = 0xFFFFFF;
        if (i % 4 == 1) aColour = 0;
        aMixed[i] = (ma << 24) | aColour;
        aBack[i] = (da << 24) | (NextWord(aState) & 0xFFFFFF);
      }
      for (int aShuffled = 0; aShuffled < 2; ++aShuffled) {
        if (aShuffled)
          for (size_t i = aCount - 1; i > 0; --i) std::swap(aBack[i], aBack[NextWord(aState) % (i + 1)]);
        std::vector<uint16_t> aTop(4 * (aCount + 4)), aBottom(4 * (aCount + 4));
        for (size_t i = 0; i < aCount; ++i) PutMixed(aTop, i, aMixed[i]);
        for (uint16_t& v : aBottom) v = uint16_t(NextWord(aState));
        const uint16_t* aRows[2] = {aTop.data(), aBottom.data()};
        const int16_t aWeights[2] = {256, 0};
        std::vector<uint32_t> aPlain = aBack, aFormula = aBack;
        BlitSimdStretch::MixComposeRowPlain(aPlain.data(), aRows, aWeights, 2, int(aCount), c);
        for (size_t i = 0; i < aCount; ++i) aFormula[i] = BlitSimdStretch::ComposePixel(aBack[i], aMixed[i], c);
        ASSERT_EQ(aPlain, aFormula) << "source alpha " << ma;
        for (int aWidth = 0; aWidth < 3; ++aWidth) {
          std::vector<uint32_t> aVector = aBack;
          k_MixRows[aWidth](aVector.data(), aRows, aWeights, 2, int(aCount), c);
          ASSERT_EQ(aVector, aPlain) << "source alpha " << ma << " kind " << c.mKind << " mul " << c.mMul[0]
                                     << "," << c.mMul[1] << "," << c.mMul[2] << "," << c.mMul[3] << " partial "
                                     << c.mPartial << " row form " << aWidth;
        }
      }
    }
  }
}

TEST(StretchFastPath, MixRowsMatchThePlainSumsForEveryTapCountAndWeight) {
  uint32_t aState = 8;
  for (int aTaps = 2; aTaps <= 12; aTaps += 2)
    for (int aTrial = 0; aTrial < 200; ++aTrial) {
      const int aCount = 1 + int(NextWord(aState) % 37);
      std::vector<std::vector<uint16_t>> aRows(size_t(aTaps), std::vector<uint16_t>(4 * size_t(aCount + 4)));
      std::vector<const uint16_t*> aPointers;
      // The cells' true sums are at most 255 * 257.
      for (auto& r : aRows) {
        for (uint16_t& v : r) v = uint16_t(NextWord(aState) % 65536 ^ 0x8000);
        aPointers.push_back(r.data());
      }
      // Weights adding up to at most 256 (odd sums too); now and then the extremes.
      std::vector<int16_t> aWeights(static_cast<size_t>(aTaps));
      int aLeft = 256;
      for (int t = 0; t < aTaps; ++t) {
        int w = aTrial % 7 == 0 ? (t == 0 ? 256 : 0) : int(NextWord(aState) % uint32_t(aLeft + 1));
        if (aTrial % 5 == 1 && t == aTaps - 1) w = aLeft;
        aWeights[size_t(t)] = int16_t(w);
        aLeft -= w;
      }
      const std::vector<uint32_t> aBack = MakeBack(aCount, 1, aTrial % 2 == 0, aState);
      for (const BlitSimdStretch::Compose& c : Composes()) {
        std::vector<uint32_t> aPlain = aBack;
        BlitSimdStretch::MixComposeRowPlain(aPlain.data(), aPointers.data(), aWeights.data(), aTaps, aCount, c);
        for (int aWidth = 0; aWidth < 3; ++aWidth) {
          std::vector<uint32_t> aVector = aBack;
          k_MixRows[aWidth](aVector.data(), aPointers.data(), aWeights.data(), aTaps, aCount, c);
          ASSERT_EQ(aVector, aPlain) << "taps " << aTaps << " trial " << aTrial << " row form " << aWidth;
        }
      }
    }
}

TEST(StretchFastPath, HorizontalRowsMatchThePlainSums) {
  uint32_t aState = 21;
  const int kWidth = 40;
  std::vector<uint32_t> aRow(kWidth);
  for (int aTaps = 1; aTaps <= 5; ++aTaps)
    for (int aTrial = 0; aTrial < 300; ++aTrial) {
      for (uint32_t& p : aRow) p = NextWord(aState);
      if (aTrial % 3 == 0) aRow[size_t(aTrial) % kWidth] = 0xFFFFFFFF;
      const int aPairs = 1 + int(NextWord(aState) % 9);
      std::vector<int32_t> anIndex(size_t(aPairs) * aTaps * 2);
      std::vector<uint16_t> aWeight(size_t(aPairs) * aTaps * 8);
      for (int g = 0; g < aPairs; ++g)
        for (int c = 0; c < 2; ++c) {
          // Weights of a cell adding up to at most 257; every single weight 0..257 comes up.
          int aLeft = 257;
          for (int n = 0; n < aTaps; ++n) {
            const size_t t = size_t(g) * aTaps + n;
            int w = n == aTaps - 1 && aTrial % 2 ? aLeft : int(NextWord(aState) % uint32_t(aLeft + 1));
            if (aTaps == 2 && n == 0) w = (aTrial * 2 + c + g) % 258;
            aLeft -= w;
            anIndex[t * 2 + size_t(c)] = int32_t(NextWord(aState) % (aTaps == 2 ? kWidth - 1 : kWidth));
            for (int i = 0; i < 4; ++i) aWeight[t * 8 + 4 * size_t(c) + size_t(i)] = uint16_t(w);
          }
          if (aTaps == 2) {
            // Neighbouring columns, as the pair form reads them.
            const size_t t0 = size_t(g) * 2;
            anIndex[(t0 + 1) * 2 + size_t(c)] = anIndex[t0 * 2 + size_t(c)] + 1;
          }
        }
      std::vector<uint16_t> aPlain(8 * size_t(aPairs)), aVector(8 * size_t(aPairs), 0x1234);
      const int aBegin = int(NextWord(aState) % uint32_t(aPairs));
      BlitSimdStretch::HorzTapsRowPlain(aPlain.data(), aRow.data(), anIndex.data(), aWeight.data(), aTaps, aBegin,
                                        aPairs);
      BlitSimdStretch::HorzTapsRow(aVector.data(), aRow.data(), anIndex.data(), aWeight.data(), aTaps, aBegin,
                                   aPairs);
      std::fill(aPlain.begin(), aPlain.begin() + 8 * aBegin, 0x1234);
      ASSERT_EQ(aVector, aPlain) << "taps " << aTaps << " trial " << aTrial;
      if (aTaps == 2 && aPairs % 2 == 0) {
        // The same cells in the pair form: left columns and weights by fours of cells.
        const int aCells = 2 * aPairs, aFirst = (aBegin + 1) & ~1;
        std::vector<int32_t> aLeft(static_cast<size_t>(aCells));
        std::vector<uint16_t> aPairWeight(size_t(aCells) * 8);
        for (int k = 0; k < aCells; ++k) {
          const size_t t0 = size_t(k / 2) * 2, c = size_t(k % 2);
          aLeft[size_t(k)] = anIndex[t0 * 2 + c];
          const size_t w = size_t(k / 4) * 32 + size_t(k % 4) * 4;
          for (int i = 0; i < 4; ++i) {
            aPairWeight[w + size_t(i)] = aWeight[t0 * 8 + 4 * c];
            aPairWeight[w + 16 + size_t(i)] = aWeight[(t0 + 1) * 8 + 4 * c];
          }
        }
        std::vector<uint16_t> aWant = aPlain;
        std::fill(aWant.begin(), aWant.begin() + 4 * (aFirst * 2), 0x1234);
        using PairRow = void (*)(uint16_t*, const uint32_t*, const int32_t*, const uint16_t*, int, int);
        for (PairRow aForm : {PairRow(BlitSimdStretch::HorzPairsRow), PairRow(BlitSimdStretch::HorzPairsRowPlain),
                              PairRow(BlitSimdStretch::HorzPairsRowSse2), PairRow(BlitSimdStretch::HorzPairsRowAvx2)}) {
          std::vector<uint16_t> aPairRow(8 * size_t(aPairs), 0x1234);
          aForm(aPairRow.data(), aRow.data(), aLeft.data(), aPairWeight.data(), aFirst * 2, aCells);
          ASSERT_EQ(aPairRow, aWant) << "pairs, trial " << aTrial;
        }
      }
    }
}

using WhiteRow = void (*)(uint32_t*, const uint32_t*, int);
const WhiteRow k_WhiteRows[] = {BlitSimdStretch::OverWhiteRow, BlitSimdStretch::OverWhiteRowSse2,
                                BlitSimdStretch::OverWhiteRowAvx2};

TEST(StretchFastPath, NearestWhiteRowMatchesThePlainLoop) {
  uint32_t aState = 77;
  // Every pair of source and destination alpha in groups of four that share them.
  for (uint32_t sa = 0; sa < 256; ++sa) {
    const size_t aCount = 256 * 4 + 2;
    std::vector<uint32_t> aSrc(aCount), aDest(aCount);
    for (size_t i = 0; i < aCount; ++i) {
      aSrc[i] = (sa << 24) | (NextWord(aState) & 0xFFFFFF);
      aDest[i] = ((uint32_t(i / 4) & 0xFF) << 24) | (NextWord(aState) & 0xFFFFFF);
    }
    std::vector<uint32_t> aPlain = aDest;
    BlitSimd::OverWhiteRowPlain(aPlain.data(), aSrc.data(), int(aCount));
    for (WhiteRow aForm : k_WhiteRows) {
      std::vector<uint32_t> aVector = aDest;
      aForm(aVector.data(), aSrc.data(), int(aCount));
      ASSERT_EQ(aVector, aPlain) << "source alpha " << sa;
    }
  }
  // Opaque sources over every pair of channel values (the form without multiplies).
  std::vector<uint32_t> aSrc(65536), aDest(65536);
  for (uint32_t s = 0; s < 256; ++s)
    for (uint32_t d = 0; d < 256; ++d) {
      aSrc[s * 256 + d] = 0xFF000000 | s * 0x010101;
      aDest[s * 256 + d] = ((NextWord(aState) & 0xFF) << 24) | d * 0x010101;
    }
  std::vector<uint32_t> aPlain = aDest;
  BlitSimd::OverWhiteRowPlain(aPlain.data(), aSrc.data(), 65536);
  for (WhiteRow aForm : k_WhiteRows) {
    std::vector<uint32_t> aVector = aDest;
    aForm(aVector.data(), aSrc.data(), 65536);
    ASSERT_EQ(aVector, aPlain);
  }
}

TEST(StretchFastPath, AlphaSpanFindsTheFirstAndLastPixelWithAlpha) {
  using Span = void (*)(const uint32_t*, int, int&, int&);
  for (Span aForm : {Span(BlitSimdStretch::AlphaSpan), Span(BlitSimdStretch::AlphaSpanSse2),
                     Span(BlitSimdStretch::AlphaSpanAvx2)})
    for (int aCount = 0; aCount < 27; ++aCount)
      for (int b = 0; b <= aCount; ++b)
        for (int e = b; e <= aCount; ++e) {
          std::vector<uint32_t> aRow(size_t(aCount), 0x00FFFFFF);
          if (e > b) {
            aRow[size_t(b)] = 0x01000000;
            aRow[size_t(e) - 1] = 0xFF000000;
          }
          int aBegin = -1, anEnd = -1;
          aForm(aRow.data(), aCount, aBegin, anEnd);
          if (e > b) {
            ASSERT_EQ(aBegin, b) << aCount << " " << b << " " << e;
            ASSERT_EQ(anEnd, e) << aCount << " " << b << " " << e;
          } else {
            ASSERT_LE(anEnd, aBegin);
          }
        }
}

TEST(StretchFastPath, SurfaceWhiteRowMatchesThePlainRule) {
  uint32_t aState = 5;
  // Every pair of source and destination alpha in groups of four that share them, with any
  // source channels (also above the alpha, as a word may hold them).
  for (uint32_t sa = 0; sa < 256; ++sa) {
    const size_t aCount = 256 * 4 + 3;
    std::vector<uint32_t> aSrc(aCount), aDest(aCount);
    for (size_t i = 0; i < aCount; ++i) {
      aSrc[i] = (sa << 24) | (NextWord(aState) & 0xFFFFFF);
      aDest[i] = ((uint32_t(i / 4) & 0xFF) << 24) | (NextWord(aState) & 0xFFFFFF);
    }
    aSrc[5] = (sa << 24) | 0xFFFFFF;
    std::vector<uint32_t> aPlain = aDest, aVector = aDest;
    BlitSimdStretch::SurfaceOverRowPlain(aPlain.data(), aSrc.data(), int(aCount));
    BlitSimdStretch::SurfaceOverRow(aVector.data(), aSrc.data(), int(aCount));
    ASSERT_EQ(aVector, aPlain) << "source alpha " << sa;
  }
}

TEST(StretchFastPath, TintedNearestStretchEqualsThePerPixelLoopForEveryAlphaAndChannel) {
  // Source row y has alpha y and column x puts x, 255 - x and 7x into the channels: every alpha
  // against every channel value, each stretched 1:1 and enlarged (rows drawn twice), under grey
  // levels (normal) and colours (additive), over an opaque back and one with any alpha.
  const int N = 256;
  std::vector<uint32_t> aPixels(size_t(N) * N);
  for (int y = 0; y < N; ++y)
    for (int x = 0; x < N; ++x)
      aPixels[size_t(y) * N + x] =
          (uint32_t(y) << 24) | (uint32_t(x) << 16) | (uint32_t(255 - x) << 8) | (x * 7 & 0xFF);
  // The same colours with alpha 0 or 255 only: the additive op without the alpha weight.
  std::vector<uint32_t> aBinary = aPixels;
  for (uint32_t& p : aBinary) p = (p >> 24) < 128 ? p & 0xFFFFFF : p | 0xFF000000;
  const Color kGreys[] = {Color(128, 128, 128), Color(77, 77, 77, 200), Color(255, 255, 255, 254),
                          Color(0, 0, 0, 1), Color(3, 3, 3, 255)};
  const Color kTints[] = {Color(10, 200, 30, 90), Color(255, 128, 0), Color(1, 2, 3, 4), Color(255, 255, 255, 128),
                          Color(90, 90, 90, 255)};
  uint32_t aState = 31;
  for (const std::vector<uint32_t>* aSource : {&aPixels, &aBinary}) {
    MemoryImage aSrc(nullptr);
    SetPixels(aSrc, N, N, *aSource);
    for (bool anOpaqueBack : {true, false}) {
      std::vector<uint32_t> aBack = MakeBack(N + 50, 2 * N, anOpaqueBack, aState);
      for (const TRect<int>& aDest : {TRect<int>(0, 0, N, N), TRect<int>(3, 1, N + 45, 2 * N - 1)}) {
        for (int aMode : {DRAWMODE_NORMAL, DRAWMODE_ADDITIVE})
          for (const Color& aColor : aMode == DRAWMODE_NORMAL ? kGreys : kTints)
            ASSERT_TRUE(SameAsPlain(aSrc, aBack, N + 50, 2 * N, aDest, TRect<int>(0, 0, N, N),
                                    TRect<int>(0, 0, N + 50, 2 * N), aColor, aMode, true, false))
                << "binary " << (aSource == &aBinary) << " opaque back " << anOpaqueBack << " dest "
                << aDest.mWidth << " colour " << aColor.mRed << "," << aColor.mGreen << "," << aColor.mBlue << ","
                << aColor.mAlpha << " mode " << aMode;
      }
    }
  }
}

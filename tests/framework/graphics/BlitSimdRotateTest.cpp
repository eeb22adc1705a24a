// The rotated blits' vector span loops (SSE2, and AVX2 where the processor has it) agree bit
// for bit with the plain per-pixel loop: every pair of destination and source alpha, weights
// from every fraction, every kind, white and coloured, odd counts, palettes; and whole blits
// (angles, clipping, overhanging edges) come out the same through each loop.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

#include "BlitTestSupport.h"
#include "graphics/BlitSimdRotate.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"
#include "graphics/RotateAxis.h"

using namespace Tesk;
using BlitSimdRotate::Kind;
using BlitSimdRotate::Level;
using BlitSimdRotate::Source;

namespace {

uint32_t NextWord(uint32_t& theState) {
  theState = theState * 1664525u + 1013904223u;
  return theState ^ (theState >> 13);
}

typedef bool (*VectorLoop)(const BlitSimdRotate::Setup&, uint32_t*, int, int32_t, int32_t, int32_t, int32_t,
                           const Source&);

struct Loop {
  const char* mName;
  VectorLoop mRun;
};

// The loops this processor can run.
std::vector<Loop> Loops() {
  std::vector<Loop> aLoops;
#ifdef __SSE2__
  aLoops.push_back({"sse2", &BlitSimdRotate::RowSse2});
#endif
  if (BlitSimdRotate::HasAvx2()) aLoops.push_back({"avx2", &BlitSimdRotate::RowAvx2});
  return aLoops;
}

struct Tables {
  uint8_t mClamp[512];
  std::vector<int> mInts;
  Tables() : mInts(511) {
    for (int i = 0; i < 512; ++i) mClamp[i] = uint8_t(i < 255 ? i : 255);
    for (int i = 0; i < 511; ++i) mInts[i] = i < 255 ? i : 255;
  }
};

const Tables& SharedTables() {
  static const Tables sm_Tables;
  return sm_Tables;
}

// The setup each blit makes for this kind and colour (r, g, b, a).
BlitSimdRotate::Setup MakeSetup(Kind theKind, uint32_t r, uint32_t g, uint32_t b, uint32_t a,
                                uint32_t theAlphaByte = 0xFF000000) {
  BlitSimdRotate::Setup k;
  k.mKind = theKind;
  k.mAlpha = a;
  const bool anAdd = theKind == Kind::Add || theKind == Kind::AddColour || theKind == Kind::SurfaceAdd;
  if (anAdd) {
    k.kR = r * a / 255;
    k.kG = g * a / 255;
    k.kB = b * a / 255;
  } else {
    k.kR = r + 1;
    k.kG = g + 1;
    k.kB = b + 1;
  }
  k.T = SharedTables().mClamp;
  k.TR = k.TG = k.TB = SharedTables().mInts.data();
  k.mAlphaByte = theAlphaByte;
  BlitSimdRotate::Prepare(k);
  return k;
}

struct Named {
  std::string mName;
  BlitSimdRotate::Setup mSetup;
};

// Every kind, white and in colours whose alphas reach 0, 1 and 255.
std::vector<Named> AllSetups() {
  struct Colour {
    uint32_t r, g, b, a;
  };
  const Colour kColours[] = {{255, 160, 64, 200}, {0, 0, 0, 255},   {255, 255, 255, 128},
                             {10, 200, 90, 1},    {255, 0, 128, 0}, {255, 255, 255, 255}};
  std::vector<Named> aSetups;
  aSetups.push_back({"over white", MakeSetup(Kind::Over, 255, 255, 255, 255)});
  aSetups.push_back({"add white", MakeSetup(Kind::Add, 255, 255, 255, 255)});
  aSetups.push_back({"surface mix, no alpha", MakeSetup(Kind::SurfaceMix, 255, 255, 255, 255, 0)});
  aSetups.push_back({"surface mix, opaque", MakeSetup(Kind::SurfaceMix, 255, 255, 255, 255)});
  for (const Colour& c : kColours) {
    const std::string aName = std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) +
                              "," + std::to_string(c.a);
    aSetups.push_back({"over colour " + aName, MakeSetup(Kind::OverColour, c.r, c.g, c.b, c.a)});
    aSetups.push_back({"add colour " + aName, MakeSetup(Kind::AddColour, c.r, c.g, c.b, c.a)});
    aSetups.push_back({"surface colour " + aName, MakeSetup(Kind::SurfaceColour, c.r, c.g, c.b, c.a)});
    aSetups.push_back({"surface add " + aName, MakeSetup(Kind::SurfaceAdd, c.r, c.g, c.b, c.a)});
  }
  return aSetups;
}

// A span over theSource (theWidth wide) run by the plain loop and by each vector loop from the
// same destination; the results must be the same words.
void ExpectSameSpan(const BlitSimdRotate::Setup& k, const Source& theSource,
                    const std::vector<uint32_t>& theDest, int32_t u, int32_t v, int32_t du, int32_t dv,
                    const std::string& theWhat) {
  std::vector<uint32_t> aPlain = theDest;
  BlitSimdRotate::RowPlain(k, aPlain.data(), int(aPlain.size()), u, v, du, dv, theSource);
  for (const Loop& aLoop : Loops()) {
    std::vector<uint32_t> aVector = theDest;
    ASSERT_TRUE(aLoop.mRun(k, aVector.data(), int(aVector.size()), u, v, du, dv, theSource)) << aLoop.mName;
    for (size_t i = 0; i < aPlain.size(); ++i)
      ASSERT_EQ(aVector[i], aPlain[i]) << aLoop.mName << ", " << theWhat << ", pixel " << i << " of "
                                       << aPlain.size() << ", destination " << std::hex << theDest[i];
  }
}

constexpr int k_Side = 48;

}  // namespace

TEST(BlitSimdRotate, EveryDestinationAndSourceAlphaMatchesThePlainLoop) {
  // For each source alpha sa (the four taps share it but for some pixels) and destination
  // alpha da: random colours, random fractions and steps, so A reaches every value the
  // source alpha allows, over every destination alpha.
  uint32_t aState = 2024;
  const std::vector<Named> aSetups = {{"over white", MakeSetup(Kind::Over, 255, 255, 255, 255)},
                                      {"over colour", MakeSetup(Kind::OverColour, 255, 160, 64, 200)},
                                      {"surface mix", MakeSetup(Kind::SurfaceMix, 255, 255, 255, 255, 0)}};
  std::vector<uint32_t> aPixels(k_Side * k_Side);
  for (uint32_t sa = 0; sa < 256; ++sa) {
    for (uint32_t& p : aPixels) {
      uint32_t aWord = NextWord(aState);
      uint32_t a = (aWord & 0x7000000) == 0 ? (aWord >> 24) : sa;  // one tap in eight differs
      p = (a << 24) | (NextWord(aState) & 0xFFFFFF);
    }
    aPixels[k_Side * 20 + 20] = (sa << 24) | 0xFFFFFF;
    aPixels[k_Side * 21 + 21] = sa << 24;
    Source aSource;
    aSource.mBits = aPixels.data();
    aSource.mPitch = k_Side;
    for (uint32_t da = 0; da < 256; ++da) {
      const int aCount = 7 + int(da % 6);
      std::vector<uint32_t> aDest(aCount);
      for (uint32_t& d : aDest) d = (da << 24) | (NextWord(aState) & 0xFFFFFF);
      aDest[0] = (da << 24) | 0xFFFFFF;
      if (aCount > 1) aDest[1] = da << 24;
      const int32_t u = int32_t((16 << 16) + (NextWord(aState) & 0xFFFFF));
      const int32_t v = int32_t((16 << 16) + (NextWord(aState) & 0xFFFFF));
      const int32_t du = int32_t(NextWord(aState) % 0x20001) - 0x10000;
      const int32_t dv = int32_t(NextWord(aState) % 0x20001) - 0x10000;
      for (const Named& s : aSetups)
        ExpectSameSpan(s.mSetup, aSource, aDest, u, v, du, dv,
                       s.mName + ", sa " + std::to_string(sa) + ", da " + std::to_string(da));
    }
  }
}

TEST(BlitSimdRotate, EveryKindAndColourMatchesThePlainLoop) {
  // Sources mixing transparent, partial and opaque runs; destinations of every kind; steps
  // of several angles, fractions at their ends; counts 1 to 17 so every tail length occurs.
  uint32_t aState = 99;
  std::vector<uint32_t> aPixels(k_Side * k_Side);
  for (int y = 0; y < k_Side; ++y)
    for (int x = 0; x < k_Side; ++x) {
      uint32_t aWord = NextWord(aState);
      uint32_t a;
      switch ((x / 5 + y / 7) % 5) {
        case 0:
          a = 0;
          break;
        case 1:
          a = 255;
          break;
        case 2:
          a = aWord >> 24;
          break;
        case 3:
          a = (aWord >> 24) % 3;
          break;
        default:
          a = 250 + (aWord >> 24) % 6;
          break;
      }
      aPixels[y * k_Side + x] = (a << 24) | (NextWord(aState) & 0xFFFFFF);
    }
  Source aSource;
  aSource.mBits = aPixels.data();
  aSource.mPitch = k_Side;
  const double kAngles[] = {0.0, 0.3, 1.0, 1.5707963267948966, 2.5, -0.7, 3.14159, 4.0, 0.001};
  const int32_t kFractions[] = {0, 1, 0xFFFF, 0x8000, 0xFFFE, 0x7FFF, 0x1234};
  const std::vector<Named> aSetups = AllSetups();
  for (const Named& s : aSetups)
    for (double anAngle : kAngles)
      for (int aCount = 1; aCount <= 17; ++aCount) {
        const int32_t du = int32_t(65536.0 * std::cos(anAngle)), dv = int32_t(65536.0 * std::sin(anAngle));
        for (int32_t f : kFractions) {
          const int32_t u = (24 << 16) + f, v = (23 << 16) + (f ^ 0x5555);
          std::vector<uint32_t> aDest(aCount);
          for (uint32_t& d : aDest) {
            uint32_t aWord = NextWord(aState);
            uint32_t da = (aWord & 3) == 0 ? 255 : ((aWord & 3) == 1 ? 0 : (aWord >> 24));
            d = (da << 24) | (NextWord(aState) & 0xFFFFFF);
          }
          ExpectSameSpan(
              s.mSetup, aSource, aDest, u, v, du, dv,
              s.mName + ", angle " + std::to_string(anAngle) + ", count " + std::to_string(aCount));
        }
      }
}

TEST(BlitSimdRotate, PaletteSourcesMatchThePlainLoop) {
  uint32_t aState = 7;
  std::vector<uint32_t> aPalette(256);
  for (int i = 0; i < 256; ++i)
    aPalette[i] = (i % 4 == 0 ? 0u : NextWord(aState) | (i % 4 == 1 ? 0xFF000000 : 0));
  std::vector<uint8_t> anIndices(k_Side * k_Side);
  for (uint8_t& x : anIndices) x = uint8_t(NextWord(aState) >> 24);
  Source aSource;
  aSource.mIndices = anIndices.data();
  aSource.mPalette = aPalette.data();
  aSource.mPitch = k_Side;
  for (const Named& s : AllSetups())
    for (int aCount : {1, 2, 3, 5, 8, 13, 31}) {
      std::vector<uint32_t> aDest(aCount);
      for (uint32_t& d : aDest) d = NextWord(aState);
      ExpectSameSpan(s.mSetup, aSource, aDest, (20 << 16) + 0x3456, (18 << 16) + 0xBCDE, 0xA000, -0x7000,
                     s.mName + ", count " + std::to_string(aCount));
    }
}

TEST(BlitSimdRotate, TablesThatDoNotSaturateKeepThePlainLoop) {
  BlitSimdRotate::Setup k = MakeSetup(Kind::Add, 255, 255, 255, 255);
  uint8_t aTable[512];
  for (int i = 0; i < 512; ++i) aTable[i] = uint8_t(i < 200 ? i : 200);
  k.T = aTable;
  BlitSimdRotate::Prepare(k);
  EXPECT_FALSE(k.mSaturating);
  std::vector<uint32_t> aPixels(16, 0xFFFFFFFF);
  Source aSource;
  aSource.mBits = aPixels.data();
  aSource.mPitch = 4;
  std::vector<uint32_t> aDest(2, 0xFF808080), aPlain = aDest;
  for (const Loop& aLoop : Loops())
    EXPECT_FALSE(aLoop.mRun(k, aDest.data(), 2, 0x18000, 0x18000, 0, 0, aSource));
  BlitSimdRotate::Row(k, aDest.data(), 2, 0x18000, 0x18000, 0, 0, aSource);
  BlitSimdRotate::RowPlain(k, aPlain.data(), 2, 0x18000, 0x18000, 0, 0, aSource);
  EXPECT_EQ(aDest, aPlain);
  EXPECT_EQ(aDest[0], 0xFFC8C8C8u);
}

namespace {

// Runs theDraw on a copy of theDest through each loop level the processor has.
template <class Draw>
void ExpectSameBlits(const std::vector<uint32_t>& theDest, int theWidth, int theHeight, Draw theDraw,
                     const std::string& theWhat) {
  auto aRun = [&](Level theLevel) {
    BlitSimdRotate::SetLevel(theLevel);
    MemoryImage aDest(nullptr);
    SetPixels(aDest, theWidth, theHeight, theDest);
    theDraw(aDest);
    BlitSimdRotate::SetLevel(Level::Avx2);
    return PixelsOf(aDest);
  };
  const std::vector<uint32_t> aPlain = aRun(Level::Plain);
  EXPECT_EQ(aRun(Level::Sse2), aPlain) << theWhat << " (sse2)";
  if (BlitSimdRotate::HasAvx2()) {
    EXPECT_EQ(aRun(Level::Avx2), aPlain) << theWhat << " (avx2)";
  }
}

}  // namespace

TEST(BlitSimdRotate, WholeBlitsAreTheSameThroughEveryLoop) {
  // A disc with a soft rim in a 37 x 29 source, drawn turned at several angles, overhanging
  // every edge and clipped, white and coloured, normal and additive, from 32-bit words and
  // from a palette, over destinations with and without alpha.
  uint32_t aState = 31337;
  std::vector<uint32_t> aPixels(37 * 29);
  for (int y = 0; y < 29; ++y)
    for (int x = 0; x < 37; ++x) {
      double d = std::hypot(x + 0.5 - 18.5, y + 0.5 - 14.5) / 14.5;
      // Few enough words (alpha in 15 steps, 16 colours) for a palette.
      uint32_t a = d > 1.0 ? 0 : (d > 0.7 ? uint32_t((1.0 - d) / 0.3 * 14) * 18 + 3 : 255);
      aPixels[y * 37 + x] = a == 0 ? 0 : (a << 24) | (uint32_t((x * 37 + y * 11) % 16) * 0x0F0D0Bu);
    }
  const int W = 61, H = 53;
  std::vector<uint32_t> anOpaque(W * H), aLayer(W * H);
  for (int i = 0; i < W * H; ++i) {
    anOpaque[i] = 0xFF000000 | NextWord(aState);
    aLayer[i] = NextWord(aState);
  }
  const double kAngles[] = {0.0, 0.3, 1.0, 1.5707963267948966, 2.5, -0.7, 3.14159};
  const float kPositions[] = {-20.25f, 3.5f, 11.0f, 40.75f};
  const TRect<int> kClips[] = {TRect<int>(0, 0, W, H), TRect<int>(7, 5, 33, 41)};
  const Color kColors[] = {Color::White, Color(255, 160, 64, 200), Color(30, 200, 90, 140)};
  for (bool aPalette : {false, true}) {
    MemoryImage aSrc(nullptr);
    SetPixels(aSrc, 37, 29, aPixels);
    if (aPalette) {
      ASSERT_TRUE(aSrc.Palletize());
    }
    for (double anAngle : kAngles)
      for (float x : kPositions)
        for (const TRect<int>& aClip : kClips)
          for (const Color& aColor : kColors)
            for (int aMode : {DRAWMODE_NORMAL, DRAWMODE_ADDITIVE})
              for (const std::vector<uint32_t>* aDest : {&anOpaque, &aLayer}) {
                auto aDraw = [&](MemoryImage& theDest) {
                  theDest.BltRotated(&aSrc, x, x * 0.5f + 3.0f, TRect<int>(1, 0, 35, 29), aClip, aColor,
                                     aMode, anAngle, 17.5f, 14.0f);
                };
                ExpectSameBlits(*aDest, W, H, aDraw,
                                std::string(aPalette ? "palette" : "32-bit") + ", angle " +
                                    std::to_string(anAngle) + ", x " + std::to_string(x) + ", mode " +
                                    std::to_string(aMode));
              }
  }
}

TEST(BlitSimdRotate, SpanBoundsDivideAsIntegersDo) {
  // The span narrowing's quotients, taken in double precision, against integer division:
  // random operands over the whole range and dividends one off a multiple of the divisor.
  uint32_t aState = 5;
  auto aCheck = [](int64_t n, int64_t d) { ASSERT_EQ(DivideTowardZero(n, d), n / d) << n << " / " << d; };
  for (int i = 0; i < 200000; ++i) {
    int64_t d = int64_t(NextWord(aState) % 65536) + 1;
    if (NextWord(aState) & 1) d = -d;
    const int64_t aWide = (int64_t(NextWord(aState)) << 5) ^ int64_t(NextWord(aState));
    const int64_t n = aWide % (int64_t(1) << 37) - (int64_t(1) << 36);
    aCheck(n, d);
    const int64_t q = n / d;
    for (int64_t e : {-1, 0, 1}) aCheck(q * d + e, d);
  }
  for (int64_t d : {int64_t(1), int64_t(-1), int64_t(65536), int64_t(-65536), int64_t(65535), int64_t(3)})
    for (int64_t n : {int64_t(0), (int64_t(1) << 36) - 1, -(int64_t(1) << 36) + 1, int64_t(1) << 40,
                      -(int64_t(1) << 40) - 7, int64_t(0x27FFF), int64_t(-0x17FFF)})
      aCheck(n, d);
  aCheck(int64_t(1) << 20, 100000);
}

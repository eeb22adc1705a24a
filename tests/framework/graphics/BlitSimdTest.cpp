// The SSE2 rows agree bit for bit with the plain loops and the add-clamp table.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "graphics/BlitPixel.h"
#include "graphics/BlitSimd.h"
#include "graphics/ImageRegistry.h"

using namespace Tesk;

namespace {

uint32_t NextWord(uint32_t& theState) {
  theState = theState * 1664525u + 1013904223u;
  return theState ^ (theState >> 13);
}

}  // namespace

TEST(BlitSimd, OverOpaqueMatchesThePlainLoopForEveryPartialAlpha) {
  uint32_t aState = 12345;
  for (uint32_t a = 1; a <= 254; ++a) {
    // Rows of 1 to 11 pixels exercise the vector body and the plain tail.
    for (int aCount = 1; aCount <= 11; ++aCount) {
      std::vector<uint32_t> aSrc(aCount), aDest(aCount);
      for (int i = 0; i < aCount; ++i) {
        aSrc[i] = (a << 24) | (NextWord(aState) & 0xFFFFFF);
        aDest[i] = NextWord(aState) | 0xFF000000;
      }
      // Extremes of every channel too.
      aSrc[0] = (a << 24) | 0xFF00FF;
      aDest[0] = 0xFF00FF00;
      std::vector<uint32_t> aPlain = aDest, aVector = aDest;
      BlitSimd::OverOpaqueRowPlain(aPlain.data(), aSrc.data(), aCount);
      BlitSimd::OverOpaqueRow(aVector.data(), aSrc.data(), aCount);
      ASSERT_EQ(aVector, aPlain) << "alpha " << a << " count " << aCount;
    }
  }
}

TEST(BlitSimd, OverWhiteMatchesThePlainLoop) {
  uint32_t aState = 777;
  // Every pair of destination alpha and source alpha, in rows of varied length.
  for (uint32_t da = 0; da < 256; ++da) {
    const int aCount = 256 + int(da % 5);
    std::vector<uint32_t> aSrc(aCount), aDest(aCount);
    for (int i = 0; i < aCount; ++i) {
      aSrc[i] = (uint32_t(i & 0xFF) << 24) | (NextWord(aState) & 0xFFFFFF);
      aDest[i] = (da << 24) | (NextWord(aState) & 0xFFFFFF);
    }
    aSrc[0] = 0x80FF00FF;
    aDest[0] = (da << 24) | 0x00FF00;
    std::vector<uint32_t> aPlain = aDest, aVector = aDest;
    BlitSimd::OverWhiteRowPlain(aPlain.data(), aSrc.data(), aCount);
    BlitSimd::OverWhiteRow(aVector.data(), aSrc.data(), aCount);
    ASSERT_EQ(aVector, aPlain) << "destination alpha " << da;
  }
}

TEST(BlitSimd, OverWhiteTellsOpaqueDestinationGroupsFromMixedOnes) {
  uint32_t aState = 555;
  // Groups of four where one destination pixel in turn is not opaque, for every alpha of it.
  for (uint32_t da = 0; da < 256; ++da) {
    const int aCount = 4 * 4 + 3;
    std::vector<uint32_t> aSrc(aCount), aDest(aCount);
    for (int i = 0; i < aCount; ++i) {
      aSrc[i] = (uint32_t(1 + NextWord(aState) % 254) << 24) | (NextWord(aState) & 0xFFFFFF);
      aDest[i] = ((i % 5 == i / 4 % 4) ? da << 24 : 0xFF000000u) | (NextWord(aState) & 0xFFFFFF);
    }
    std::vector<uint32_t> aPlain = aDest, aVector = aDest;
    BlitSimd::OverWhiteRowPlain(aPlain.data(), aSrc.data(), aCount);
    BlitSimd::OverWhiteRow(aVector.data(), aSrc.data(), aCount);
    ASSERT_EQ(aVector, aPlain) << "destination alpha " << da;
  }
}

namespace {

using ColourRowFn = void (*)(uint32_t*, const uint32_t*, int, uint32_t, uint32_t, uint32_t, uint32_t);
using GreyRowFn = void (*)(uint32_t*, const uint32_t*, int, uint32_t, uint32_t);

std::vector<std::pair<const char*, ColourRowFn>> ColourForms() {
  std::vector<std::pair<const char*, ColourRowFn>> aForms = {{"sse2", BlitSimd::OverColorRowSse2},
                                                             {"dispatch", BlitSimd::OverColorRow}};
  if (BlitSimd::HasAvx2()) aForms.push_back({"avx2", BlitSimd::OverColorRowAvx2});
  return aForms;
}

std::vector<std::pair<const char*, GreyRowFn>> GreyForms() {
  std::vector<std::pair<const char*, GreyRowFn>> aForms = {{"sse2", BlitSimd::OverGreyRowSse2},
                                                           {"dispatch", BlitSimd::OverGreyRow}};
  if (BlitSimd::HasAvx2()) aForms.push_back({"avx2", BlitSimd::OverGreyRowAvx2});
  return aForms;
}

}  // namespace

TEST(BlitSimd, OverColorMatchesThePlainLoopForEveryAlphaAndColour) {
  uint32_t aState = 4242;
  // Every pair of destination and source alpha in one row, under every colour alpha; each
  // colour channel takes every value 0..255 across the colour alphas.
  const int aCount = 65536 + 3;
  std::vector<uint32_t> aSrc(aCount), aDest(aCount);
  for (uint32_t cA = 0; cA < 256; ++cA) {
    const uint32_t cR = cA, cG = 255 - cA, cB = (cA * 37) & 0xFF;
    for (int i = 0; i < aCount; ++i) {
      const uint32_t aPair = uint32_t(i) & 0xFFFF;
      aSrc[i] = ((aPair & 0xFF) << 24) | (NextWord(aState) & 0xFFFFFF);
      aDest[i] = ((aPair >> 8) << 24) | (NextWord(aState) & 0xFFFFFF);
      // Extremes of every channel on a share of the pixels.
      if (i % 7 == 0) aSrc[i] |= 0xFFFFFF;
      if (i % 11 == 0) aDest[i] |= 0xFFFFFF;
      if (i % 13 == 0) aDest[i] &= 0xFF000000;
    }
    std::vector<uint32_t> aPlain = aDest;
    BlitSimd::OverColorRowPlain(aPlain.data(), aSrc.data(), aCount, cR, cG, cB, cA);
    for (const auto& aForm : ColourForms()) {
      std::vector<uint32_t> aVector = aDest;
      aForm.second(aVector.data(), aSrc.data(), aCount, cR, cG, cB, cA);
      ASSERT_EQ(aVector, aPlain) << aForm.first << " colour alpha " << cA;
      // Short rows: the vector body and the tail.
      for (int n = 1; n <= 19; ++n) {
        std::vector<uint32_t> aShortPlain(aDest.begin(), aDest.begin() + n), aShortVector = aShortPlain;
        BlitSimd::OverColorRowPlain(aShortPlain.data(), aSrc.data() + 200, n, cR, cG, cB, cA);
        aForm.second(aShortVector.data(), aSrc.data() + 200, n, cR, cG, cB, cA);
        ASSERT_EQ(aShortVector, aShortPlain) << aForm.first << " colour alpha " << cA << " count " << n;
      }
    }
  }
}

TEST(BlitSimd, OverColorRowIsTheNormalBlitsColouredOp) {
  uint32_t aState = 99;
  const Color aTint(255, 160, 64, 200);
  std::vector<uint32_t> aSrc(64), aDest(64);
  for (int i = 0; i < 64; ++i) {
    aSrc[i] = NextWord(aState);
    aDest[i] = NextWord(aState);
  }
  std::vector<uint32_t> anOp = aDest, aRow = aDest;
  BlitPixel::WithNormalOp(aTint, [&](auto op) {
    for (int i = 0; i < 64; ++i) anOp[i] = op(anOp[i], aSrc[i]);
  });
  BlitSimd::OverColorRow(aRow.data(), aSrc.data(), 64, 255, 160, 64, 200);
  EXPECT_EQ(aRow, anOp);
}

TEST(BlitSimd, SaturatingAddMatchesTheClampTable) {
  class Registry : public ImageRegistry {
    void AddMemoryImage(MemoryImage*) override {}
    void RemoveMemoryImage(MemoryImage*) override {}
    void Remove3DData(MemoryImage*) override {}
    bool Is3DAccelerated() override { return false; }
    NativeDisplay* GetNativeDisplay() override { return nullptr; }
  } aRegistry;
  const uint8_t* T = aRegistry.mAddClampTable;
  EXPECT_TRUE(BlitSimd::IsSaturatingTable(T));
  uint32_t aState = 999;
  for (int aRound = 0; aRound < 2000; ++aRound) {
    const int aCount = 1 + aRound % 13;
    std::vector<uint32_t> aSrc(aCount), aDest(aCount);
    for (int i = 0; i < aCount; ++i) {
      aSrc[i] = NextWord(aState);
      aDest[i] = NextWord(aState);
    }
    std::vector<uint32_t> aTable = aDest, aVector = aDest;
    for (int i = 0; i < aCount; ++i) aTable[i] = BlitPixel::AddPlain(aTable[i], aSrc[i], T);
    BlitSimd::AddRow(aVector.data(), aSrc.data(), aCount);
    ASSERT_EQ(aVector, aTable);
  }
  uint8_t aOther[512];
  for (int i = 0; i < 512; ++i) aOther[i] = uint8_t(i / 2);
  EXPECT_FALSE(BlitSimd::IsSaturatingTable(aOther));
}

TEST(BlitSimd, OverWhiteSkipsTransparentAndWeighsOpaqueGroupsAsThePlainLoop) {
  uint32_t aState = 4242;
  // Groups of four that are all transparent, all opaque, or mixed, over every destination
  // alpha; the group boundaries fall on and off the vector's.
  for (uint32_t da = 0; da < 256; ++da) {
    for (int anOffset = 0; anOffset < 4; ++anOffset) {
      const int aCount = 64 + anOffset;
      std::vector<uint32_t> aSrc(aCount), aDest(aCount);
      for (int i = 0; i < aCount; ++i) {
        int aGroup = ((i + anOffset) / 4) % 3;
        uint32_t a = aGroup == 0 ? 0 : aGroup == 1 ? 255 : (NextWord(aState) & 0xFF);
        aSrc[i] = a == 0 ? 0 : (a << 24) | (NextWord(aState) & 0xFFFFFF);
        aDest[i] = (da << 24) | (NextWord(aState) & 0xFFFFFF);
      }
      // Channel extremes under an opaque group.
      aSrc[4 - anOffset + 0] = 0xFFFFFFFF;
      aSrc[4 - anOffset + 1] = 0xFF000000;
      aDest[4 - anOffset + 0] = (da << 24) | 0xFFFFFF;
      std::vector<uint32_t> aPlain = aDest, aVector = aDest;
      BlitSimd::OverWhiteRowPlain(aPlain.data(), aSrc.data(), aCount);
      BlitSimd::OverWhiteRow(aVector.data(), aSrc.data(), aCount);
      ASSERT_EQ(aVector, aPlain) << "destination alpha " << da << " offset " << anOffset;
    }
  }
}

TEST(BlitSimd, AlphaWeightedAddMatchesTheClampTableForEveryAlphaChannelAndDestination) {
  class Registry : public ImageRegistry {
    void AddMemoryImage(MemoryImage*) override {}
    void RemoveMemoryImage(MemoryImage*) override {}
    void Remove3DData(MemoryImage*) override {}
    bool Is3DAccelerated() override { return false; }
    NativeDisplay* GetNativeDisplay() override { return nullptr; }
  } aRegistry;
  const uint8_t* T = aRegistry.mAddClampTable;
  // Every source alpha and channel against every destination channel, each channel in turn
  // carrying the swept values (the others rotated through them), in rows of 256 + 3.
  std::vector<uint32_t> aSrc(259), aDest(259);
  for (uint32_t sa = 0; sa < 256; ++sa) {
    for (uint32_t sc = 0; sc < 256; ++sc) {
      for (int i = 0; i < 259; ++i) {
        uint32_t dc = uint32_t(i) & 0xFF;
        aSrc[i] = (sa << 24) | (sc << 16) | (dc << 8) | ((sc + dc) & 0xFF);
        aDest[i] = (uint32_t(255 - i % 256) << 24) | (dc << 16) | (sc << 8) | ((sc * 7 + dc) & 0xFF);
      }
      std::vector<uint32_t> aTable = aDest, aPlain = aDest, aVector = aDest;
      for (int i = 0; i < 259; ++i) aTable[i] = BlitPixel::AddAlpha(aTable[i], aSrc[i], T);
      BlitSimd::AddAlphaRowPlain(aPlain.data(), aSrc.data(), 259);
      BlitSimd::AddAlphaRow(aVector.data(), aSrc.data(), 259);
      ASSERT_EQ(aPlain, aTable) << "alpha " << sa << " channel " << sc;
      ASSERT_EQ(aVector, aTable) << "alpha " << sa << " channel " << sc;
    }
  }
}

TEST(BlitSimd, OpaqueAddMatchesThePlainLoop) {
  uint32_t aState = 31337;
  for (int aRound = 0; aRound < 2000; ++aRound) {
    const int aCount = 1 + aRound % 13;
    std::vector<uint32_t> aSrc(aCount), aDest(aCount);
    for (int i = 0; i < aCount; ++i) {
      aSrc[i] = NextWord(aState);
      aDest[i] = NextWord(aState);
    }
    std::vector<uint32_t> aPlain = aDest, aVector = aDest;
    BlitSimd::AddOpaqueRowPlain(aPlain.data(), aSrc.data(), aCount);
    BlitSimd::AddOpaqueRow(aVector.data(), aSrc.data(), aCount);
    ASSERT_EQ(aVector, aPlain);
  }
  int aStandard[511], anOther[511];
  for (int i = 0; i < 511; ++i) aStandard[i] = anOther[i] = std::min(i, 255);
  anOther[300] = 254;
  EXPECT_TRUE(BlitSimd::AreSaturatingTables(aStandard, aStandard, aStandard));
  EXPECT_FALSE(BlitSimd::AreSaturatingTables(aStandard, anOther, aStandard));
  EXPECT_FALSE(BlitSimd::AreSaturatingTables(aStandard, aStandard, nullptr));
}

namespace {

using RowFn = void (*)(uint32_t*, const uint32_t*, int);

// The vector forms of a row that this processor runs, by name: SSE2 always, AVX2 when present,
// and the dispatching name.
std::vector<std::pair<const char*, RowFn>> VectorForms(RowFn theSse2, RowFn theAvx2, RowFn theDispatch) {
  std::vector<std::pair<const char*, RowFn>> aForms = {{"sse2", theSse2}, {"dispatch", theDispatch}};
  if (BlitSimd::HasAvx2()) aForms.push_back({"avx2", theAvx2});
  return aForms;
}

// Each form against the plain row over theSrc / theDest, whole and as every short prefix
// (1 .. 19 pixels, so both vector widths and the tails run) at a few starting points.
void ExpectFormsMatch(RowFn thePlain, const std::vector<std::pair<const char*, RowFn>>& theForms,
                      const std::vector<uint32_t>& theSrc, const std::vector<uint32_t>& theDest) {
  std::vector<uint32_t> aPlain = theDest;
  thePlain(aPlain.data(), theSrc.data(), int(theSrc.size()));
  for (const auto& aForm : theForms) {
    std::vector<uint32_t> aVector = theDest;
    aForm.second(aVector.data(), theSrc.data(), int(theSrc.size()));
    ASSERT_EQ(aVector, aPlain) << aForm.first;
    for (size_t aStart : {size_t(0), size_t(5), theSrc.size() / 2}) {
      for (int n = 1; n <= 19 && aStart + n <= theSrc.size(); ++n) {
        std::vector<uint32_t> aShortPlain(theDest.begin() + aStart, theDest.begin() + aStart + n);
        std::vector<uint32_t> aShortVector = aShortPlain;
        thePlain(aShortPlain.data(), theSrc.data() + aStart, n);
        aForm.second(aShortVector.data(), theSrc.data() + aStart, n);
        ASSERT_EQ(aShortVector, aShortPlain) << aForm.first << " from " << aStart << " count " << n;
      }
    }
  }
}

}  // namespace

TEST(BlitSimd, OverOpaqueDestCopiesSkipsAndBlendsAsThePlainLoop) {
  const auto aForms =
      VectorForms(BlitSimd::OverOpaqueDestRowSse2, BlitSimd::OverOpaqueDestRowAvx2, BlitSimd::OverOpaqueDestRow);
  // Every source alpha against every pair of source and destination channel values (each
  // channel carrying them in turn), over destinations that are opaque or, as a forced mode can
  // leave them, not.
  std::vector<uint32_t> aSrc(65536 + 5), aDest(65536 + 5);
  for (uint32_t a = 0; a < 256; ++a) {
    for (size_t i = 0; i < aSrc.size(); ++i) {
      const uint32_t sc = i & 0xFF, dc = (i >> 8) & 0xFF;
      aSrc[i] = (a << 24) | (sc << 16) | (dc << 8) | ((sc * 5 + dc) & 0xFF);
      aDest[i] = (i % 9 == 0 ? uint32_t(i * 7) << 24 : 0xFF000000u) | (dc << 16) | (sc << 8) | ((dc * 3) & 0xFF);
    }
    SCOPED_TRACE(testing::Message() << "alpha " << a);
    ExpectFormsMatch(BlitSimd::OverOpaqueDestRowPlain, aForms, aSrc, aDest);
  }
  // Groups of 1 to 8 pixels of one class (transparent, opaque, partial) in turn, so that
  // whole-group shortcuts meet groups that only partly qualify.
  uint32_t aState = 2024;
  for (int aGroup = 1; aGroup <= 8; ++aGroup) {
    std::vector<uint32_t> aMixedSrc(203), aMixedDest(203);
    for (size_t i = 0; i < aMixedSrc.size(); ++i) {
      const int aClass = int(i / aGroup) % 3;
      const uint32_t a = aClass == 0 ? 0 : aClass == 1 ? 255 : 1 + NextWord(aState) % 254;
      aMixedSrc[i] = (a << 24) | (NextWord(aState) & 0xFFFFFF);
      aMixedDest[i] = 0xFF000000u | NextWord(aState);
    }
    SCOPED_TRACE(testing::Message() << "group " << aGroup);
    ExpectFormsMatch(BlitSimd::OverOpaqueDestRowPlain, aForms, aMixedSrc, aMixedDest);
  }
}

TEST(BlitSimd, OverWhiteWeighsEveryAlphaPairAsTheTable) {
  const auto aForms = VectorForms(BlitSimd::OverWhiteRowSse2, BlitSimd::OverWhiteRowAvx2, BlitSimd::OverWhiteRow);
  // Every pair of destination and source alpha twice in one row: once white over black, which
  // tells every share w apart in the channels and shows na in the alpha, once at random.
  uint32_t aState = 31;
  std::vector<uint32_t> aSrc(2 * 65536 + 3), aDest(2 * 65536 + 3);
  for (size_t i = 0; i < aSrc.size(); ++i) {
    const uint32_t aPair = uint32_t(i / 2) & 0xFFFF, sa = aPair & 0xFF, da = aPair >> 8;
    const bool isExtreme = i % 2 == 0;
    aSrc[i] = (sa << 24) | (isExtreme ? 0xFFFFFF : NextWord(aState) & 0xFFFFFF);
    aDest[i] = (da << 24) | (isExtreme ? 0 : NextWord(aState) & 0xFFFFFF);
  }
  ExpectFormsMatch(BlitSimd::OverWhiteRowPlain, aForms, aSrc, aDest);
  // Groups where all sources are opaque, or all destinations, or neither, in turn.
  for (int aGroup = 1; aGroup <= 8; ++aGroup) {
    std::vector<uint32_t> aMixedSrc(203), aMixedDest(203);
    for (size_t i = 0; i < aMixedSrc.size(); ++i) {
      const int aClass = int(i / aGroup) % 4;
      const uint32_t sa = aClass == 0 ? 0 : aClass == 1 ? 255 : NextWord(aState) & 0xFF;
      const uint32_t da = aClass == 2 ? 255 : NextWord(aState) & 0xFF;
      aMixedSrc[i] = (sa << 24) | (NextWord(aState) & 0xFFFFFF);
      aMixedDest[i] = (da << 24) | (NextWord(aState) & 0xFFFFFF);
    }
    SCOPED_TRACE(testing::Message() << "group " << aGroup);
    ExpectFormsMatch(BlitSimd::OverWhiteRowPlain, aForms, aMixedSrc, aMixedDest);
  }
}

TEST(BlitSimd, OverGreyMatchesThePlainLoopForEveryAlphaAndLevel) {
  uint32_t aState = 777;
  // Every pair of destination and source alpha in one row, under every colour alpha, the grey
  // level taking every value across the colour alphas twice (rising and falling).
  const int aCount = 65536 + 3;
  std::vector<uint32_t> aSrc(aCount), aDest(aCount);
  for (uint32_t cA = 0; cA < 256; ++cA) {
    for (uint32_t aGrey : {cA, 255 - cA}) {
      for (int i = 0; i < aCount; ++i) {
        const uint32_t aPair = uint32_t(i) & 0xFFFF;
        aSrc[i] = ((aPair & 0xFF) << 24) | (NextWord(aState) & 0xFFFFFF);
        aDest[i] = ((aPair >> 8) << 24) | (NextWord(aState) & 0xFFFFFF);
        if (i % 7 == 0) aSrc[i] |= 0xFFFFFF;
        if (i % 11 == 0) aDest[i] |= 0xFFFFFF;
        if (i % 13 == 0) aDest[i] &= 0xFF000000;
      }
      std::vector<uint32_t> aPlain = aDest;
      BlitSimd::OverGreyRowPlain(aPlain.data(), aSrc.data(), aCount, aGrey, cA);
      for (const auto& aForm : GreyForms()) {
        std::vector<uint32_t> aVector = aDest;
        aForm.second(aVector.data(), aSrc.data(), aCount, aGrey, cA);
        ASSERT_EQ(aVector, aPlain) << aForm.first << " colour alpha " << cA << " grey " << aGrey;
        for (int n = 1; n <= 19; ++n) {
          std::vector<uint32_t> aShortPlain(aDest.begin() + 300, aDest.begin() + 300 + n), aShortVector = aShortPlain;
          BlitSimd::OverGreyRowPlain(aShortPlain.data(), aSrc.data() + 300, n, aGrey, cA);
          aForm.second(aShortVector.data(), aSrc.data() + 300, n, aGrey, cA);
          ASSERT_EQ(aShortVector, aShortPlain)
              << aForm.first << " colour alpha " << cA << " grey " << aGrey << " count " << n;
        }
      }
    }
  }
}

TEST(BlitSimd, OverGreyRowIsTheNormalBlitsGreyOp) {
  uint32_t aState = 98;
  for (const Color& aTint : {Color(160, 160, 160, 200), Color(0, 0, 0, 255), Color(255, 255, 255, 17)}) {
    std::vector<uint32_t> aSrc(67), aDest(67);
    for (int i = 0; i < 67; ++i) {
      aSrc[i] = NextWord(aState);
      aDest[i] = NextWord(aState);
    }
    std::vector<uint32_t> anOp = aDest, aRow = aDest;
    BlitPixel::WithNormalOp(aTint, [&](auto op) {
      for (int i = 0; i < 67; ++i) anOp[i] = op(anOp[i], aSrc[i]);
    });
    BlitSimd::OverGreyRow(aRow.data(), aSrc.data(), 67, uint32_t(aTint.mRed), uint32_t(aTint.mAlpha));
    EXPECT_EQ(aRow, anOp) << aTint.mRed << " at " << aTint.mAlpha;
  }
}

TEST(BlitSimd, RectanglesAreTheirRowsOneUnderAnother) {
  using RectFn = void (*)(uint32_t*, int, const uint32_t*, int, int, int);
  struct Loop {
    const char* name;
    RowFn plain;
    std::vector<RectFn> rects;
  };
  std::vector<Loop> aLoops = {
      {"opaque destination", BlitSimd::OverOpaqueDestRowPlain,
       {BlitSimd::OverOpaqueDestRect, BlitSimd::OverOpaqueDestRectSse2}},
      {"white", BlitSimd::OverWhiteRowPlain, {BlitSimd::OverWhiteRect, BlitSimd::OverWhiteRectSse2}}};
  if (BlitSimd::HasAvx2()) {
    aLoops[0].rects.push_back(BlitSimd::OverOpaqueDestRectAvx2);
    aLoops[1].rects.push_back(BlitSimd::OverWhiteRectAvx2);
  }
  uint32_t aState = 606;
  // A source and destination of other pitches; the rectangle starts off their first column.
  const int aSrcPitch = 41, aDestPitch = 50, aHeight = 9;
  std::vector<uint32_t> aSrc(size_t(aSrcPitch) * aHeight), aDest(size_t(aDestPitch) * aHeight);
  for (uint32_t& p : aSrc) {
    const uint32_t aClass = NextWord(aState) % 3;
    p = (aClass == 0 ? 0 : aClass == 1 ? 0xFF000000u : NextWord(aState) << 24) | (NextWord(aState) & 0xFFFFFF);
  }
  for (const Loop& aLoop : aLoops) {
    for (uint32_t& p : aDest) p = NextWord(aState);
    for (int aWidth : {1, 7, 8, 13, 37}) {
      std::vector<uint32_t> aRows = aDest;
      for (int y = 0; y < aHeight; ++y) aLoop.plain(aRows.data() + y * aDestPitch + 2, aSrc.data() + y * aSrcPitch + 3, aWidth);
      for (RectFn aRect : aLoop.rects) {
        std::vector<uint32_t> aWhole = aDest;
        aRect(aWhole.data() + 2, aDestPitch, aSrc.data() + 3, aSrcPitch, aWidth, aHeight);
        ASSERT_EQ(aWhole, aRows) << aLoop.name << " width " << aWidth;
      }
    }
  }
}

TEST(BlitSimd, OverWhiteOfOpaqueGroupsMatchesThePlainLoopForEveryChannelPair) {
  const auto aForms = VectorForms(BlitSimd::OverWhiteRowSse2, BlitSimd::OverWhiteRowAvx2, BlitSimd::OverWhiteRow);
  // Opaque sources over destinations of every alpha but 255: every pair of source and
  // destination channel values, carried by each channel in turn.
  uint32_t aState = 4711;
  std::vector<uint32_t> aSrc(65536), aDest(65536);
  for (int aShift : {0, 8, 16}) {
    for (size_t i = 0; i < aSrc.size(); ++i) {
      const uint32_t sc = i & 0xFF, dc = i >> 8, anOther = (aShift + 8) % 24;
      aSrc[i] = 0xFF000000u | (sc << aShift) | (dc << anOther);
      aDest[i] = ((NextWord(aState) % 255) << 24) | (dc << aShift) | (sc << anOther);
    }
    SCOPED_TRACE(testing::Message() << "channel at " << aShift);
    ExpectFormsMatch(BlitSimd::OverWhiteRowPlain, aForms, aSrc, aDest);
  }
}

TEST(BlitSimd, OverWhiteWeighsEveryChannelPairByEveryShare) {
  const auto aForms = VectorForms(BlitSimd::OverWhiteRowSse2, BlitSimd::OverWhiteRowAvx2, BlitSimd::OverWhiteRow);
  // Every partial source alpha with every pair of source and destination channel values in all
  // three channels at once: over an opaque destination (the share is the source's alpha), and
  // with one destination of each group of four left transparent, so that the groups take the
  // shares worked out from both alphas.
  std::vector<uint32_t> aSrc(65536), aDest(65536);
  for (uint32_t a = 1; a <= 254; ++a) {
    for (bool isOpaque : {true, false}) {
      for (size_t i = 0; i < aSrc.size(); ++i) {
        const uint32_t sc = i & 0xFF, dc = i >> 8;
        aSrc[i] = (a << 24) | (sc * 0x010101u);
        aDest[i] = (isOpaque || i % 4 != 1 ? 0xFF000000u : 0u) | (dc * 0x010101u);
      }
      SCOPED_TRACE(testing::Message() << "alpha " << a << (isOpaque ? " opaque" : " mixed"));
      ExpectFormsMatch(BlitSimd::OverWhiteRowPlain, aForms, aSrc, aDest);
    }
  }
}

TEST(BlitSimd, OverPremultipliedMatchesThePlainLoopForEveryAlphaAndChannelPair) {
  const auto aForms = VectorForms(BlitSimd::OverPremultipliedRowSse2, BlitSimd::OverPremultipliedRowAvx2,
                                  BlitSimd::OverPremultipliedRow);
  // Every alpha with every pair of destination channel and premultiplied source channel (at
  // most (a + 1) * 255 >> 8, as the display's words hold them), each channel in turn, over
  // destinations of varied alpha; then groups of one alpha class at a time.
  uint32_t aState = 8642;
  std::vector<uint32_t> aSrc(65536 + 5), aDest(65536 + 5);
  for (uint32_t a = 0; a < 256; ++a) {
    for (size_t i = 0; i < aSrc.size(); ++i) {
      const uint32_t sc = (((i & 0xFF) * (a + 1)) >> 8), dc = (i >> 8) & 0xFF, sOther = ((dc * (a + 1)) >> 8);
      aSrc[i] = (a << 24) | (sc << 16) | (sOther << 8) | sc;
      aDest[i] = (NextWord(aState) & 0xFF000000u) | (dc << 16) | (uint32_t(i & 0xFF) << 8) | dc;
    }
    SCOPED_TRACE(testing::Message() << "alpha " << a);
    ExpectFormsMatch(BlitSimd::OverPremultipliedRowPlain, aForms, aSrc, aDest);
  }
  for (int aGroup = 1; aGroup <= 8; ++aGroup) {
    std::vector<uint32_t> aMixedSrc(203), aMixedDest(203);
    for (size_t i = 0; i < aMixedSrc.size(); ++i) {
      const int aClass = int(i / aGroup) % 3;
      const uint32_t a = aClass == 0 ? 0 : aClass == 1 ? 255 : 1 + NextWord(aState) % 254;
      const uint32_t aWord = NextWord(aState);
      aMixedSrc[i] = (a << 24) | ((((aWord >> 16) & 0xFF) * (a + 1) >> 8) << 16) |
                     ((((aWord >> 8) & 0xFF) * (a + 1) >> 8) << 8) | ((aWord & 0xFF) * (a + 1) >> 8);
      aMixedDest[i] = NextWord(aState);
    }
    SCOPED_TRACE(testing::Message() << "group " << aGroup);
    ExpectFormsMatch(BlitSimd::OverPremultipliedRowPlain, aForms, aMixedSrc, aMixedDest);
  }
}

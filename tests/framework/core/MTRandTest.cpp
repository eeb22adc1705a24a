#include <gtest/gtest.h>

#include <random>

#include "core/MTAutoDisallowRand.h"
#include "core/MTRand.h"

using namespace Tesk;

namespace {
uint32_t Reference(std::mt19937& theEngine) { return static_cast<uint32_t>(theEngine()) & 0x7FFFFFFFu; }
}  // namespace

TEST(MTRand, MatchesReferenceTwisterWithTopBitCleared) {
  const uint32_t kSeeds[] = {5489, 1, 4357, 123456789, 0xFFFFFFFFu};
  for (uint32_t aSeed : kSeeds) {
    SCOPED_TRACE(aSeed);
    MTRand aRand;
    aRand.SRand(aSeed);
    std::mt19937 aReference(aSeed);
    // Past two regenerations of the state.
    for (int i = 0; i < 1500; ++i) ASSERT_EQ(aRand.NextNoAssert(), Reference(aReference)) << "draw " << i;
  }
}

TEST(MTRand, FirstDrawForSeed5489) {
  SRand(5489);
  EXPECT_EQ(Rand(), 1351727964);
}

TEST(MTRand, SeedZeroIsSeed4357AndSoIsAFreshGenerator) {
  MTRand aZero, aDefault, aFresh;
  aZero.SRand(0);
  aDefault.SRand(4357);
  for (int i = 0; i < 700; ++i) {
    uint32_t aValue = aDefault.NextNoAssert();
    ASSERT_EQ(aZero.NextNoAssert(), aValue);
    ASSERT_EQ(aFresh.NextNoAssert(), aValue);
  }
}

TEST(MTRand, NestedDisallowScopesEndAtZeroAndNoAssertStillDraws) {
  {
    MTAutoDisallowRand anOuter;
    {
      MTAutoDisallowRand anInner;
      EXPECT_EQ(gRandAllowed, 2);
      gMTRand.NextNoAssert();
      EXPECT_EQ(gRandAllowed, 2);
    }
    EXPECT_EQ(gRandAllowed, 1);
  }
  EXPECT_EQ(gRandAllowed, 0);
}

TEST(MTRandDeathTest, DrawingWhileDisallowedStopsTheProcess) {
  EXPECT_DEATH(
      {
        MTAutoDisallowRand aScope;
        Rand();
      },
      "MTRand\\.cpp:[0-9]+: failed assertion `gRandAllowed==0'");
}

TEST(MTRandDeathTest, ClosingAScopeThatWasNeverOpenedStopsTheProcess) {
  EXPECT_DEATH(MTRand::SetRandAllowed(true), "failed assertion `false'");
}

TEST(RandF, IsTheDrawModuloRangeTimesPrecisionOverPrecision) {
  struct Case {
    float range, precision;
    int modulus;
  };
  const Case kCases[] = {{1.0f, 100.0f, 100}, {360.0f, 1.0f, 360}, {2.5f, 10.0f, 25}, {0.5f, 1000.0f, 500}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.modulus);
    SRand(77);
    std::mt19937 aReference(77);
    for (int i = 0; i < 50; ++i) {
      float aValue = RandF(c.range, c.precision);
      EXPECT_FLOAT_EQ(aValue, static_cast<float>(Reference(aReference) % c.modulus) / c.precision);
      EXPECT_GE(aValue, 0.0f);
      EXPECT_LT(aValue, c.range);
    }
  }
}

TEST(RandF, ZeroModulusGivesZeroButStillTakesADraw) {
  SRand(99);
  std::mt19937 aReference(99);
  EXPECT_EQ(RandF(0.05f, 10.0f), 0.0f);  // trunc(0.5) = 0
  EXPECT_EQ(RandF(3.0f, 0.0f), 0.0f);
  Reference(aReference);
  Reference(aReference);
  EXPECT_EQ(static_cast<uint32_t>(Rand()), Reference(aReference));
}

TEST(RandFSignedRange, FloatRangeFollowsTheFormula) {
  SRand(5);
  std::mt19937 aReference(5);
  for (int i = 0; i < 200; ++i) {
    float aValue = RandFSignedRange(2.0f, 10.0f);
    float anExpected = (static_cast<float>(Reference(aReference) % 41) - 20.0f) / 10.0f;
    ASSERT_FLOAT_EQ(aValue, anExpected);
    ASSERT_GE(aValue, -2.0f);
    ASSERT_LE(aValue, 2.0f);
  }
  EXPECT_EQ(RandFSignedRange(0.0f, 10.0f), 0.0f);
  EXPECT_EQ(RandFSignedRange(1.0f, 0.0f), 0.0f);
}

TEST(RandFSignedRange, IntegerRangeCoversMinusNToN) {
  SRand(11);
  std::mt19937 aReference(11);
  bool aSeen[7] = {};
  for (int i = 0; i < 400; ++i) {
    float aValue = RandFSignedRange(3);
    ASSERT_EQ(aValue, static_cast<float>(static_cast<int>(Reference(aReference) % 7) - 3));
    aSeen[static_cast<int>(aValue) + 3] = true;
  }
  for (bool aHit : aSeen) EXPECT_TRUE(aHit);
  EXPECT_EQ(RandFSignedRange(0), 0.0f);
}

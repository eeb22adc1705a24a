#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "core/MTRand.h"
#include "game/play/Fairies.h"
#include "graphics/Graphics.h"
#include "graphics/MemoryImage.h"

// A white sheet of 2 x 6 cells of 2 x 2 and a white 4 x 4 glow: whatever a fairy draws shows.
struct WhiteFairyImages {
  WhiteFairyImages() {
    for (auto [anImage, w, h] : {std::tuple{&mSheet, 12, 4}, std::tuple{&mGlow, 4, 4}}) {
      anImage->Create(w, h);
      std::fill(anImage->GetBits(), anImage->GetBits() + w * h, 0xFFFFFFFFu);
      anImage->BitsChanged();
    }
    Fairies::s_fairyImage = &mSheet;
    Fairies::s_fairyBlendImage = &mGlow;
  }
  ~WhiteFairyImages() {
    Fairies::s_fairyImage = nullptr;
    Fairies::s_fairyBlendImage = nullptr;
  }
  Tesk::MemoryImage mSheet;
  Tesk::MemoryImage mGlow;
};

// The pixels that are not black once theFairies have rendered onto a black screen.
int LitPixels(Fairies& theFairies) {
  Tesk::MemoryImage aScreen;
  aScreen.Create(900, 700);
  std::fill(aScreen.GetBits(), aScreen.GetBits() + 900 * 700, 0xFF000000u);
  aScreen.BitsChanged();
  {
    Tesk::Graphics g(&aScreen);
    theFairies.render(&g, 1.0f);
  }
  return static_cast<int>(std::count_if(aScreen.GetBits(), aScreen.GetBits() + 900 * 700,
                                        [](uint32_t p) { return p != 0xFF000000u; }));
}

TEST(FairiesTest, KindZeroLeavesEveryFairyInactiveAndDrawsNothing) {
  WhiteFairyImages anImages;
  Fairies aFairies;
  aFairies.init(3, 25);
  for (FairyStruct& f : aFairies.m_fairies) f.mLit = 1, f.mLitTimer = 300;
  EXPECT_GT(LitPixels(aFairies), 0);
  aFairies.init(0, 10);
  for (const FairyStruct& f : aFairies.m_fairies) EXPECT_FALSE(f.mActive);
  aFairies.update(false);
  // Not even fairies still marked lit from the swarm before.
  for (FairyStruct& f : aFairies.m_fairies) f.mLit = 1, f.mLitTimer = 300;
  EXPECT_EQ(LitPixels(aFairies), 0);
}

TEST(FairiesTest, InitSetsUpTheCountAskedForWithinTheSwarmSize) {
  struct Case {
    int mKind, mCount, mActive;
    int mSizes;  // 2 for kind 3 (2 or 4), 3 otherwise (2, 4 or 6)
  };
  const Case k_cases[] = {{3, 10, 10, 2}, {1, 25, 25, 3}, {2, 40, 25, 3}, {3, 0, 0, 2}};
  for (const Case& c : k_cases) {
    SCOPED_TRACE(c.mKind * 100 + c.mCount);
    Tesk::SRand(5);
    Fairies aFairies;
    aFairies.init(c.mKind, c.mCount);
    int anActive = 0;
    for (const FairyStruct& f : aFairies.m_fairies) {
      if (!f.mActive) continue;
      ++anActive;
      EXPECT_TRUE(f.mSize == 2 || f.mSize == 4 || (c.mSizes == 3 && f.mSize == 6)) << f.mSize;
      EXPECT_LT(f.mFrame, 12);
      EXPECT_LT(f.mFrameTick, 6);
      EXPECT_GE(f.mLitTimer, 255);
      EXPECT_LE(f.mLitTimer, 505);
    }
    EXPECT_EQ(anActive, c.mActive);
  }
}

// Control points stay within x 100-840 and y -40-560, and the curve lies in their hull.
TEST(FairiesTest, PathsStayInTheirAreaAsTheyGoOn) {
  for (uint32_t aSeed = 1; aSeed <= 4; ++aSeed) {
    Tesk::SRand(aSeed);
    Fairies aFairies;
    aFairies.init(1, 25);
    for (int aStep = 0; aStep < 6000; ++aStep) {
      aFairies.update(aStep > 3000);
      for (FairyStruct& f : aFairies.m_fairies) {
        for (const Tesk::TPoint<double>& p : f.mPath.mControlPoints) {
          ASSERT_GT(p.mX, 100.0);
          ASSERT_LT(p.mX, 840.0);
          ASSERT_GT(p.mY, -40.0);
          ASSERT_LT(p.mY, 560.0);
        }
        ASSERT_GE(f.mPath.mCurrentPoint.mX, 100.0);
        ASSERT_LE(f.mPath.mCurrentPoint.mX, 840.0);
        ASSERT_GE(f.mPath.mCurrentPoint.mY, -40.0);
        ASSERT_LE(f.mPath.mCurrentPoint.mY, 560.0);
        ASSERT_LT(f.mPath.mParameter, 3.0 + f.mPath.mStep);
      }
    }
  }
}

TEST(FairiesTest, RandomPointsReflectAtTheEdges) {
  Fairies aFairies;
  for (int i = 0; i < 2000; ++i) {
    const Tesk::TPoint<double> p = aFairies.getValidRandomFairyPoint(830.0, -30.0, 70, 52);
    EXPECT_LT(p.mX, 840.0);
    EXPECT_GT(p.mY, -40.0);
    EXPECT_EQ(p.mX, std::floor(p.mX));  // whole-number steps
  }
}

TEST(FairiesTest, LightsBlinkStayDarkWhenAskedAndGoOutWithinASecondWhenRepelled) {
  Tesk::SRand(3);
  Fairies aFairies;
  aFairies.init(3, 25);
  for (int i = 0; i < 25; ++i) {
    FairyStruct& f = aFairies.m_fairies[i];
    const bool wasLit = f.mLit;
    aFairies.setLitTimer(i, false);
    EXPECT_NE(static_cast<bool>(f.mLit), wasLit);
    EXPECT_GE(f.mLitTimer, 255);
    EXPECT_LE(f.mLitTimer, f.mLit ? 505 : 495);
    f.mLit = 1;
    aFairies.setLitTimer(i, true);
    EXPECT_FALSE(f.mLit);
    EXPECT_GE(f.mLitTimer, 510);
    EXPECT_LE(f.mLitTimer, 910);
    aFairies.setLitTimer(i, true);
    EXPECT_LE(f.mLitTimer, 415);
  }
  aFairies.init(3, 25);
  aFairies.repel();
  for (const FairyStruct& f : aFairies.m_fairies) {
    if (f.mLit)
      EXPECT_LE(f.mLitTimer, 100);
    else
      EXPECT_GE(f.mLitTimer, 255);
  }
  for (int i = 0; i < 100; ++i) aFairies.update(true);
  for (const FairyStruct& f : aFairies.m_fairies) EXPECT_FALSE(f.mLit);
  aFairies.kill();
  EXPECT_EQ(aFairies.m_kind, 0);
  for (const FairyStruct& f : aFairies.m_fairies) EXPECT_FALSE(f.mActive);
}

TEST(FairiesTest, FramesAdvanceEverySixUpdatesAndWrap) {
  Tesk::SRand(9);
  Fairies aFairies;
  aFairies.init(3, 1);
  FairyStruct& f = aFairies.m_fairies[0];
  f.mFrame = 11;
  f.mFrameTick = 0;
  for (int i = 0; i < 5; ++i) aFairies.update(false);
  EXPECT_EQ(f.mFrame, 11);
  aFairies.update(false);
  EXPECT_EQ(f.mFrame, 0);
  EXPECT_EQ(f.mFrameTick, 0);
}

TEST(FairiesTest, RenderDrawsTheLitFairiesGlowAndSpriteWithTheFade) {
  Tesk::MemoryImage aSheet;
  aSheet.Create(12, 4);  // 2 x 6 cells of 2 x 2
  uint32_t* aSheetBits = aSheet.GetBits();
  for (int i = 0; i < 48; ++i) aSheetBits[i] = 0xFFFFFFFF;
  aSheet.BitsChanged();
  Tesk::MemoryImage aGlow;
  aGlow.Create(4, 4);
  uint32_t* aGlowBits = aGlow.GetBits();
  for (int i = 0; i < 16; ++i) aGlowBits[i] = 0xFFFFFFFF;
  aGlow.BitsChanged();
  Fairies::s_fairyImage = &aSheet;
  Fairies::s_fairyBlendImage = &aGlow;

  Tesk::SRand(2);
  Fairies aFairies;
  aFairies.init(3, 1);
  EXPECT_EQ(aFairies.m_sheetLayout[Fairies::k_sheetCellWidth], 2);
  EXPECT_EQ(aFairies.m_sheetLayout[Fairies::k_sheetCellHeight], 2);
  FairyStruct& f = aFairies.m_fairies[0];
  f.mLit = 1;
  f.mLitTimer = 300;
  f.mSize = 4;
  Tesk::MemoryImage aScreen;
  aScreen.Create(900, 700);
  std::fill(aScreen.GetBits(), aScreen.GetBits() + 900 * 700, 0xFF000000);
  aScreen.BitsChanged();
  {
    Tesk::Graphics g(&aScreen);
    g.Translate(0, 50);
    aFairies.render(&g, 1.0f);
  }
  const int x = f.mPath.getNextPointX(), y = f.mPath.getNextPointY() + 50;
  const uint32_t aCentre = aScreen.GetBits()[y * 900 + x];
  // Glow added in (230, 230, 50) at half strength, then the sprite over it, both tinted.
  EXPECT_NEAR(static_cast<int>(aCentre >> 16 & 0xFF), 230, 1);
  EXPECT_NEAR(static_cast<int>(aCentre & 0xFF), 50, 1);
  EXPECT_EQ(aScreen.GetBits()[(y + 6) * 900 + x], 0xFF000000u);  // outside the 8-pixel glow

  f.mLit = 0;  // an unlit fairy draws nothing
  std::fill(aScreen.GetBits(), aScreen.GetBits() + 900 * 700, 0xFF000000);
  aScreen.BitsChanged();
  {
    Tesk::Graphics g(&aScreen);
    aFairies.render(&g, 1.0f);
  }
  EXPECT_EQ(aScreen.GetBits()[f.mPath.getNextPointY() * 900 + x], 0xFF000000u);
  Fairies::s_fairyImage = nullptr;
  Fairies::s_fairyBlendImage = nullptr;
}

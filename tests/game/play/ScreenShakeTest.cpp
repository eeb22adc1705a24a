#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "app/TeskAppBase.h"
#include "core/MTRand.h"
#include "game/play/ScreenShake.h"
#include "game/shell/ResourceIds.h"

TEST(ScreenShakeTest, AQuakeStaysWithinSixPixelsAndSettles) {
  for (uint32_t aSeed = 1; aSeed <= 5; ++aSeed) {
    Tesk::SRand(aSeed);
    ScreenShake aShake;
    aShake.reset();
    aShake.startNew(169);
    float aLargest = 0.0f;
    int aDark = 0, aSteps = 0;
    while (aShake.m_shakeLeft != 0 || aShake.getX() != 0.0f || aShake.getY() != 0.0f) {
      aShake.update();
      ASSERT_LE(std::fabs(aShake.getX()), 6.0f);
      ASSERT_LE(std::fabs(aShake.getY()), 6.0f);
      aLargest = std::max(aLargest, std::fabs(aShake.getX()));
      aDark += aShake.getDimmed() ? 1 : 0;
      ASSERT_LT(++aSteps, 400);
    }
    EXPECT_GE(aSteps, 169);
    EXPECT_GT(aLargest, 3.0f);  // it did shake
    EXPECT_GT(aDark, 0);        // and the lightning flashed
  }
}

TEST(ScreenShakeTest, QuakesFollowEachOtherAfterTheirWait) {
  Tesk::SRand(8);
  ScreenShake aShake;
  aShake.reset();
  const int aWait = aShake.m_wait;
  EXPECT_GE(aWait, 1500);
  EXPECT_LT(aWait, 4000);
  for (int i = 0; i < aWait - 1; ++i) aShake.update();
  EXPECT_EQ(aShake.m_shakeLeft, 0);
  aShake.update();
  EXPECT_GE(aShake.m_shakeLeft, 119);  // 120-169, one update of it taken
  EXPECT_LE(aShake.m_shakeLeft, 168);
}

TEST(ScreenShakeTest, ResetStopsAQuakeAtOnce) {
  Tesk::SRand(4);
  ScreenShake aShake;
  aShake.startNew(150);
  for (int i = 0; i < 30; ++i) aShake.update();
  aShake.reset();
  EXPECT_EQ(aShake.getX(), 0.0f);
  EXPECT_EQ(aShake.getY(), 0.0f);
  EXPECT_EQ(aShake.m_shakeLeft, 0);
  EXPECT_FALSE(aShake.getDimmed());
  EXPECT_GE(aShake.m_lightTimer, 5);
  EXPECT_LE(aShake.m_lightTimer, 29);
}

TEST(ScreenShakeTest, LightningAlternatesDarkAndLightSpells) {
  Tesk::SRand(6);
  ScreenShake aShake;
  aShake.startDarkTimer();
  EXPECT_TRUE(aShake.getDimmed());
  EXPECT_GE(aShake.m_lightTimer, 5);
  EXPECT_LE(aShake.m_lightTimer, 9);
  // Out of a quake, a running light timer still ends the flash.
  aShake.m_wait = 1000;
  for (int i = 0; i < 9; ++i) aShake.update();
  EXPECT_FALSE(aShake.getDimmed());
}

namespace {

class SoundRecorder : public Tesk::TeskAppBase {
 public:
  void PlaySample(int theSoundNum) override { mPlayed.push_back(theSoundNum); }
  std::vector<int> mPlayed;
};

}  // namespace

TEST(ScreenShakeTest, AQuakeSoundsTheEarthquakeAndAResetIsSilent) {
  SoundRecorder anApp;
  const int anOld = Tesk::AMBIENT_EARTHQUAKE;
  Tesk::AMBIENT_EARTHQUAKE = 42;
  ScreenShake aShake;
  aShake.reset();
  aShake.startNew(0);
  EXPECT_TRUE(anApp.mPlayed.empty());
  aShake.startNew(130);
  EXPECT_EQ(anApp.mPlayed, std::vector<int>{42});
  aShake.reset();
  EXPECT_EQ(anApp.mPlayed.size(), 1u);
  Tesk::AMBIENT_EARTHQUAKE = anOld;
}

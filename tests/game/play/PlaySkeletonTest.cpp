// The play classes as they start: the states the screens and the level dynamics begin in.
#include <gtest/gtest.h>

#include "game/play/InGame.h"
#include "game/play/LevelDynamics.h"
#include "game/play/Map.h"
#include "game/play/MiniGame.h"

namespace {

TEST(PlaySkeleton, ScreensStartInTheirFirstStates) {
  Tesk::InGame aScene(nullptr);
  EXPECT_EQ(aScene.m_state, 1);
  EXPECT_EQ(aScene.getLocationData(), nullptr);
  EXPECT_EQ(aScene.getQuickfindStruct(), &aScene.m_quickfind);
  EXPECT_EQ(aScene.getScreenShake(), &aScene.m_screenShake);
  for (Selectable* anObject : aScene.m_renderArray) EXPECT_EQ(anObject, nullptr);

  Tesk::MiniGame aGame(nullptr);
  EXPECT_EQ(aGame.m_state, 3);
  EXPECT_EQ(aGame.m_kind, 0);
  EXPECT_FALSE(aGame.isInWinState());
  aGame.setGameState(5);
  EXPECT_TRUE(aGame.isInWinState());
  EXPECT_TRUE(aGame.getWordToFind().empty());

  Tesk::Map aMap(nullptr);
  EXPECT_EQ(aMap.m_state, 0);
  EXPECT_EQ(aMap.m_sparkleLocation, -1);
}

TEST(PlaySkeleton, LevelDynamicsStartsOutsideWithDarkLocations) {
  const LevelDynamics& aDynamics = Tesk::InGame::m_levelDynamics;
  EXPECT_EQ(aDynamics.m_state, LevelDynamics::OUTSIDE_LOCATION);
  EXPECT_EQ(aDynamics.m_darkness9, 255);
  EXPECT_EQ(aDynamics.m_darkness12, 255);
  for (Tesk::SoundInstance* aSound : aDynamics.m_onePlays) EXPECT_EQ(aSound, nullptr);
  for (uint16_t aTimer : aDynamics.m_repelTimers) EXPECT_EQ(aTimer, 0);
}

}  // namespace

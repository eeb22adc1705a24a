// The location map on the generated asset set, through the real widget and sound managers:
// buttons and markers that follow the open locations on both maps and on the final level, the
// clock running out, the side bar, the help messages, and forty visits without a lost channel.
#include <gtest/gtest.h>

#include <cmath>

#include "PlayRig.h"
#include "game/shell/PopupBox.h"
#include "graphics/Graphics.h"
#include "graphics/Particles.h"
#include "resources/ResourceManager.h"
#include "widgets/OrvoButtonWidget.h"

namespace {

using PlayTest::RigApp;

class MapTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    PlayTest::OpenApp("map", s_folder, s_app);
  }
  static void TearDownTestSuite() { PlayTest::CloseApp(s_folder, s_app); }
  void SetUp() override {
    App().mSamples.clear();
    App().mProfile.setProfileName(L"Mapper");
    App().mProfile.startNewGame(1);
    App().mProfile.setHelpBox(false);
    App().mProfile.setMapUsing(0);
    AtLevel(1, {{7, 10}, {3, 0}});
    mMap = std::make_unique<Tesk::Map>(&App());
    mMap->Init();
    mPopup = std::make_unique<Tesk::PopupBox>(&App());
    mPopup->Init();  // the title screen does this for the real popup
    mMap->m_popup = mPopup.get();
    Tesk::GameApp::s_lastFullSecond = 31;
    PlayTest::FullBrightness();
  }
  // Updates while the map waits for a fade, at most theLimit.
  void UpdateWhileIn(uint8_t theState, int theLimit = 200) {
    for (int i = 0; i < theLimit && mMap->m_state == theState; ++i) mMap->Update();
  }
  void TearDown() override {
    Leave();
    mMap.reset();
  }
  static RigApp& App() { return *s_app; }
  Tesk::WidgetManager* Manager() { return App().mWidgetManager; }

  // The profile on theLevel, and its locations with their open entries.
  void AtLevel(int theLevel, std::vector<std::pair<int, int>> theOpen) {
    App().mProfile.startNewGame(1);
    for (int i = 1; i < theLevel; ++i) App().mProfile.advanceLevelOn();
    LevelData& l = *App().mLevel;
    for (LocationData& aLocation : l.m_locations) {
      aLocation.m_id = -1;
      aLocation.m_numOpen = 0;
    }
    int i = 0;
    for (auto [anId, anOpen] : theOpen) {
      l.m_locations[i].m_id = anId;
      l.m_locations[i++].m_numOpen = static_cast<uint32_t>(anOpen);
    }
    l.m_maxObjects = k_levelMaxObjects[theLevel];
    App().mProfile.setNewLevel(k_levelMaxTimes[theLevel], 1, 1.0f);
  }
  void Visit() { Manager()->AddWidget(mMap.get()); }
  void Leave() {
    if (Manager()->HasWidget(mMap.get())) Manager()->RemoveWidget(mMap.get());
  }
  bool HasButton(int theId) { return Manager()->HasWidget(mMap->m_locationButtons[theId - 1]); }

  static PlayTest::InFolder* s_folder;
  static RigApp* s_app;
  std::unique_ptr<Tesk::Map> mMap;
  std::unique_ptr<Tesk::PopupBox> mPopup;
};

PlayTest::InFolder* MapTest::s_folder = nullptr;
RigApp* MapTest::s_app = nullptr;

TEST_F(MapTest, ButtonsAndMarkersFollowTheOpenLocations) {
  Visit();
  ASSERT_EQ(mMap->m_numImages, 52);  // 40 of the first map's block, 12 of the second's
  EXPECT_EQ(mMap->m_mapImage, mMap->m_images[0]);
  EXPECT_TRUE(Manager()->HasWidget(mMap->m_menuButton));
  EXPECT_TRUE(HasButton(7));
  EXPECT_FALSE(HasButton(3));  // its list is done
  for (int anId : {1, 2, 4, 5, 6, 8, 9, 10, 11, 12}) EXPECT_FALSE(HasButton(anId)) << anId;

  Tesk::OrvoButtonWidget* b = mMap->m_locationButtons[6];
  EXPECT_EQ(b->mX, 507 + 140);
  EXPECT_EQ(b->mY, 138);
  EXPECT_EQ(b->mHoverImage, Tesk::MAP_LOC07_HOVER);
  EXPECT_EQ(b->mWidth, Tesk::MAP_LOC07_HOVER->GetWidth());
  const Tesk::TRect<int> aHit = b->GetInsetRect();
  EXPECT_EQ(aHit.mX, 526 + 140);
  EXPECT_EQ(aHit.mY, 149);
  EXPECT_EQ(aHit.mWidth, 128);
  EXPECT_EQ(aHit.mHeight, 127);
  EXPECT_EQ(b->mBlendType, 1);
  EXPECT_EQ(b->mPulse, 1u);
  EXPECT_EQ(b->mAnimation, &mMap->m_markers[6]);
  EXPECT_EQ(mMap->m_markers[6].getFrameOn(), 9);  // 10 open entries
  EXPECT_EQ(mMap->m_markers[6].getX(), 618 + 140);
  EXPECT_EQ(mMap->m_markers[6].getY(), 198);
  EXPECT_EQ(mMap->m_locationPictures[6], mMap->m_images[2 + 6]);
  EXPECT_EQ(mMap->m_namePlates[6], mMap->m_images[14 + 6]);
  EXPECT_EQ(mMap->m_locationPictures[2], nullptr);
  EXPECT_TRUE(mMap->m_markers[2].isInactive());

  // The next visit after location 7 is done and 3 has one entry left.
  Leave();
  EXPECT_EQ(mMap->m_numImages, 0);
  EXPECT_FALSE(Manager()->HasWidget(mMap->m_locationButtons[6]));
  AtLevel(1, {{7, 0}, {3, 1}});
  Visit();
  EXPECT_FALSE(HasButton(7));
  EXPECT_TRUE(HasButton(3));
  EXPECT_EQ(mMap->m_markers[2].getFrameOn(), 0);
  EXPECT_EQ(mMap->m_markers[2].getX(), 268 + 140);
  EXPECT_EQ(mMap->m_locationButtons[6]->mAnimation, nullptr);
  EXPECT_TRUE(mMap->m_markers[6].isInactive());
}

TEST_F(MapTest, TheSecondMapShowsPictureButtonsWithASparkleUnderTheMouse) {
  App().mProfile.setMapUsing(1);
  AtLevel(4, {{3, 4}, {11, 2}, {9, 0}});
  App().mProfile.setMapUsing(1);
  Visit();
  EXPECT_EQ(mMap->m_mapImage, mMap->m_images[1]);
  Tesk::OrvoButtonWidget* b = mMap->m_locationButtons[2];
  EXPECT_TRUE(HasButton(3));
  EXPECT_TRUE(HasButton(11));
  EXPECT_FALSE(HasButton(9));
  EXPECT_EQ(b->mButtonImage, mMap->m_images[40 + 2]);
  EXPECT_EQ(b->mX, 206 + 140);
  EXPECT_EQ(b->mY, 243);
  EXPECT_EQ(b->mWidth, mMap->m_images[42]->GetWidth());
  EXPECT_EQ(b->mHoverImage, nullptr);
  EXPECT_EQ(b->mPulse, 0u);
  EXPECT_EQ(mMap->m_locationPictures[2], nullptr);
  EXPECT_EQ(mMap->m_markers[2].getX(), 267 + 140);
  EXPECT_EQ(mMap->m_markers[2].getFrameOn(), 3);
  // The particles are drawn after the last button, so the sparkle shows above all of them.
  EXPECT_EQ(mMap->m_locationButtons[10]->mDrawParticles, 1u);
  EXPECT_EQ(b->mDrawParticles, 0u);

  Manager()->mHasFocus = true;  // the window has the pointer
  Manager()->MouseMove(b->mX + 5, b->mY + 5);
  mMap->Update();
  ASSERT_NE(mMap->m_sparkle, nullptr);
  EXPECT_EQ(mMap->m_sparkleLocation, 2);
  EXPECT_EQ(mMap->m_sparkle->m_type, 20);
  EXPECT_EQ(mMap->m_sparkle->m_x, b->mX + b->mWidth / 10);
  EXPECT_EQ(mMap->m_sparkle->m_width, b->mWidth - 2 * (b->mWidth / 10));
  Manager()->MouseMove(790, 590);
  mMap->Update();
  EXPECT_EQ(mMap->m_sparkle, nullptr);
  EXPECT_EQ(mMap->m_sparkleLocation, -1);
}

TEST_F(MapTest, OnTheLastLevelEveryListedLocationHasAButtonAndNoMarker) {
  std::vector<std::pair<int, int>> anOpen;
  for (int anId = 1; anId <= 12; ++anId) anOpen.push_back({anId, anId % 2 == 0 ? 0 : 3});
  AtLevel(13, anOpen);
  Visit();
  for (int anId = 1; anId <= 12; ++anId) {
    EXPECT_TRUE(HasButton(anId)) << anId;
    EXPECT_EQ(mMap->m_locationButtons[anId - 1]->mAnimation, nullptr) << anId;
  }
  // The quake shakes the buttons with the map.
  Tesk::InGame& aScene = *App().mScene;
  aScene.getScreenShake()->m_x = 4.0f;
  aScene.getScreenShake()->m_y = -3.0f;
  Tesk::MemoryImage aScreen;
  aScreen.Create(800, 600);
  Tesk::Graphics g(&aScreen);
  mMap->Draw(&g);
  EXPECT_EQ(mMap->m_locationButtons[0]->mX, 34 + 140 + 4);
  EXPECT_EQ(mMap->m_locationButtons[0]->mY, 376 - 3);
  aScene.getScreenShake()->reset();
}

TEST_F(MapTest, TheClockRunningOutOnTheMapFailsTheLevel) {
  Visit();
  App().mProfile.setHasSaveFile(true);
  App().mProfile.setSaveInMinigame(true);
  App().mProfile.adjustLevelTimer(1 - App().mProfile.getLevelTimer());
  mMap->Update();  // the clock takes its last hundredth
  EXPECT_EQ(mMap->m_state, 9);
  EXPECT_EQ(App().Played(Tesk::SFX_LEVEL_FAILED_SOUND), 1);
  const std::string aProfile = App().mProfile.toFileBytes();
  EXPECT_EQ(aProfile[8 + 81], '\0');  // no save
  EXPECT_EQ(aProfile[8 + 82], '\0');
  EXPECT_TRUE(mMap->m_locationButtons[6]->mVisible);
  EXPECT_FALSE(mMap->m_locationButtons[6]->mDisabled);
  EXPECT_TRUE(mPopup->mVisible);
  EXPECT_FALSE(mPopup->mDisabled);
}

TEST_F(MapTest, TheLastThirtySecondsTickAndWarnOnce) {
  App().mProfile.setHelpBox(true);
  for (int aHint : {0, 24}) App().mProfile.setHintBlock(aHint);
  Visit();
  App().mProfile.adjustLevelTimer(2951 - App().mProfile.getLevelTimer());
  mMap->Update();
  EXPECT_EQ(Tesk::GameApp::s_lastFullSecond, 29);
  EXPECT_EQ(App().Played(Tesk::SFX_TIMER_LOW_CLICK), 1);
  EXPECT_EQ(mMap->m_state, 1);
  EXPECT_TRUE(App().mProfile.getHintBlock(8));
  mMap->setGameState(3);
  UpdateWhileIn(3);
  EXPECT_EQ(mMap->m_state, 0);
  for (int i = 0; i < 40; ++i) mMap->Update();
  EXPECT_EQ(App().Played(Tesk::SFX_TIMER_LOW_CLICK), 1);  // once a second
  while (App().mProfile.getLevelTimer() >= 2900) mMap->Update();
  EXPECT_EQ(App().Played(Tesk::SFX_TIMER_LOW_CLICK), 2);
  EXPECT_EQ(mMap->m_state, 0);  // and the warning only once
}

TEST_F(MapTest, TheSideBarOpensTheMenuAndTheChapterEndOnlyWhenItMay) {
  Visit();
  // Entries are left: the lower box does nothing.
  mMap->MouseDown(60, 250, 1);
  EXPECT_EQ(mMap->m_state, 0);
  mMap->MouseDown(60, 450, 1);  // the menu box
  EXPECT_EQ(mMap->m_state, 1);
  EXPECT_EQ(App().Played(Tesk::SFX_SELECT_PRESS), 1);
  EXPECT_FALSE(mMap->m_locationButtons[6]->mVisible);
  mMap->setGameState(3);
  UpdateWhileIn(3);
  EXPECT_EQ(mMap->m_state, 0);
  EXPECT_TRUE(mMap->m_locationButtons[6]->mVisible);

  // Enough found: the lower box opens the chapter's end.
  App().mLevel->m_locations[0].m_numOpen = 0;
  App().mLevel->m_maxObjects = 10;
  mMap->MouseDown(60, 250, 2);  // a double click is not one
  EXPECT_EQ(mMap->m_state, 0);
  mMap->MouseDown(200, 250, 1);  // not the side bar
  EXPECT_EQ(mMap->m_state, 0);
  mMap->MouseDown(60, 250, 1);
  EXPECT_EQ(mMap->m_state, 1);
  EXPECT_TRUE(mPopup->mVisible);
  mMap->MouseDown(60, 450, 1);  // only in state 0
  EXPECT_EQ(App().Played(Tesk::SFX_SELECT_PRESS), 1);

  mMap->setGameState(0);
  mMap->KeyDown(static_cast<Tesk::KeyCode>(27));
  EXPECT_EQ(mMap->m_state, 1);
}

TEST_F(MapTest, EnteringTheMapShowsEachHelpMessageOnce) {
  App().mProfile.setHelpBox(true);
  Visit();
  mMap->setGameState(0);
  EXPECT_EQ(mMap->m_state, 1);
  EXPECT_TRUE(App().mProfile.getHintBlock(0));
  EXPECT_FALSE(App().mProfile.getHintBlock(24));
  ASSERT_NE(mMap->m_popup, nullptr);
  EXPECT_EQ(mMap->m_popup->m_type, Tesk::POPUP_HINT_WELCOME);
  mMap->setGameState(0);
  EXPECT_TRUE(App().mProfile.getHintBlock(24));
  // The custom-cursor help, not the potion game's hint that sits at 50 + 24 (whose OK hands back
  // to a mini-game and left the map paused for good).
  EXPECT_EQ(mMap->m_popup->m_type, Tesk::POPUP_HINT_CUSTOM_CURSOR);
  mMap->setGameState(0);
  EXPECT_EQ(mMap->m_state, 0);  // entries are left: nothing more to say
  App().mLevel->m_locations[0].m_numOpen = 0;
  App().mLevel->m_maxObjects = 10;
  mMap->setGameState(0);
  EXPECT_EQ(mMap->m_state, 1);
  EXPECT_TRUE(App().mProfile.getHintBlock(9));
  EXPECT_EQ(mMap->m_popup->m_type, Tesk::POPUP_HINT_ENOUGH_OBJECTS_FOUND);
  mMap->setGameState(0);
  EXPECT_EQ(mMap->m_state, 0);
  // On the last chapter, the runestones' help: 66, not the play scene's first-repel hint at 50 + 17.
  AtLevel(13, {{1, 3}});
  for (int aHint : {0, 24, 9}) App().mProfile.setHintBlock(aHint);
  mMap->setGameState(0);
  EXPECT_TRUE(App().mProfile.getHintBlock(17));
  EXPECT_EQ(mMap->m_popup->m_type, Tesk::POPUP_HINT_RUNESTONES);
}

TEST_F(MapTest, ALocationButtonLeadsIntoThePlayScene) {
  Visit();
  mMap->ButtonDepress(8);
  EXPECT_EQ(App().Played(Tesk::SFX_MAP_ENTER_LOC), 1);
  EXPECT_EQ(App().getLocationAt(), 7);
  EXPECT_EQ(mMap->m_state, 6);
  EXPECT_TRUE(Tesk::GameApp::isInFade());  // to black, then into the play scene
  // While the fade runs no button acts.
  mMap->ButtonDepress(1);
  mMap->ButtonDepress(4);
  EXPECT_EQ(mMap->m_state, 6);
  EXPECT_EQ(App().getLocationAt(), 7);
}

TEST_F(MapTest, TheMarkersBobThreePixelsUpAndDown) {
  Visit();
  int aLowest = 1000, aHighest = -1000;
  for (int k = 1; k <= 130; ++k) {
    mMap->Update();
    const int dy = static_cast<int>(3.0f * std::sin(0.05f * k));
    ASSERT_EQ(mMap->m_markers[6].getY(), 198 + dy) << k;
    aLowest = std::min(aLowest, dy);
    aHighest = std::max(aHighest, dy);
  }
  EXPECT_EQ(aLowest, -2);  // truncated toward 0, so +-3 is only just reached
  EXPECT_EQ(aHighest, 2);
}

TEST_F(MapTest, FortyVisitsLoseNoSoundChannel) {
  for (int i = 0; i < 40; ++i) {
    Visit();
    mMap->Update();
    Leave();
  }
  EXPECT_EQ(mMap->m_ambient, nullptr);
  EXPECT_EQ(PlayTest::FreeChannels(App().mSoundManager, 74), Tesk::DSoundManager::k_MaxChannels);
}

}  // namespace

// The shell's classes as they start: the values the game's start-up relies on before any
// screen runs, and the one log line of a part that is not built.
#include <gtest/gtest.h>

#include <string>

#include "game/shell/GameApp.h"
#include "game/shell/GameLog.h"
#include "game/shell/PopupBox.h"
#include "game/shell/PreScreens.h"
#include "game/shell/Story.h"
#include "game/shell/TextPrinter.h"
#include "game/shell/TitleScreen.h"
#include "game/shell/ZqMusic.h"

namespace {

TEST(ShellSkeleton, ApplicationStatics) {
  EXPECT_EQ(Tesk::GameApp::sm_gameState, 0);
  EXPECT_EQ(Tesk::GameApp::sm_currentFadeDirection, 4);
  EXPECT_EQ(Tesk::GameApp::sm_colorFade, 0.0f);
  EXPECT_EQ(Tesk::GameApp::s_lastFullSecond, 31);
  EXPECT_TRUE(Tesk::GameApp::s_isUsingCustomCursor);
  EXPECT_STREQ(Tesk::GameApp::k_LOAD_FILE_STRING, "level.sav");
  EXPECT_EQ(Tesk::GameApp::databaseCurrentlyLoaded, nullptr);
  const int16_t kX[] = {8, 33, 62, 87, 104};
  const int16_t kY[] = {490, 478, 478, 490, 510};
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(Tesk::GameApp::k_revealButtonLocX[i], kX[i]);
    EXPECT_EQ(Tesk::GameApp::k_revealButtonLocY[i], kY[i]);
  }
  const Tesk::TRect<int> aRect = Tesk::GameApp::s_screenRect;
  EXPECT_EQ(aRect.mWidth, 800);
  EXPECT_EQ(aRect.mHeight, 600);
  for (Tesk::Image* anImage : Tesk::GameApp::s_images) EXPECT_EQ(anImage, nullptr);
}

TEST(ShellSkeleton, ScreensStartEmpty) {
  Tesk::PopupBox aPopup(nullptr);
  EXPECT_EQ(aPopup.m_parent, nullptr);
  EXPECT_FALSE(aPopup.m_enterHandled);
  for (Tesk::OrvoButtonWidget* aButton : aPopup.m_buttons) EXPECT_EQ(aButton, nullptr);

  Tesk::TitleScreen aTitle(nullptr);
  EXPECT_EQ(aTitle.getPopupWidget(), nullptr);
  EXPECT_EQ(aTitle.m_numBlockImages, 0);

  Tesk::Story aStory(nullptr);
  aStory.SetMode(Tesk::Story::MODE_LEVEL_INTRO);
  EXPECT_EQ(aStory.m_mode, 8);
  EXPECT_EQ(aStory.m_backImage, nullptr);

  Tesk::PreScreens aLogos(nullptr);
  EXPECT_EQ(aLogos.m_holdTime, 300);

  ZqMusic aMusic;
  EXPECT_TRUE(aMusic.m_firstStart);
  EXPECT_EQ(aMusic.m_playingSong, 0);
}

TEST(ShellSkeleton, APartNotBuiltSaysSoOnce) {
  testing::internal::CaptureStderr();
  Tesk::LogNotBuilt("the test's part");
  Tesk::LogNotBuilt("the test's part");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "game: the test's part is not built yet\n");
}

}  // namespace

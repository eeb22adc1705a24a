// The game's application on a real (virtual) X display with the generated asset set, played as a
// player would: from the map into a location of level 1, every listed object clicked through the
// widget manager, the location-done message answered, and back on the map; then into another
// location and out again by the side bar's map button; and a location whose window is minimised
// and restored through the X server. The presented frames at a few steps are kept as PNG files
// under the tests' scratch folder ("play-scene-program").
#include <SDL.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/Screenshots.h"
#include "core/MTRand.h"
#include "core/MacUtils.h"
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/play/Map.h"
#include "game/shell/GameApp.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/TitleScreen.h"
#include "framework/appdisplay/XScreen.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "support/TestTemp.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/WidgetManager.h"

namespace {

namespace fs = std::filesystem;

const std::string kGeneratedSet = TESK_DEFAULT_RESOURCES_DIR;

class PlaySceneProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr || !CarbonInitVideo()) GTEST_SKIP() << "no display";
    if (!fs::exists(kGeneratedSet + "/properties/resources.xml")) GTEST_SKIP() << "no generated asset set";
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("TESK_ALERTS", "stderr", 1);
    unsetenv("TESK_RUN_SECONDS");
    setenv("XDG_DATA_HOME", TeskTest::MakeTempDir("play-scene-data").c_str(), 1);
    setenv("TESK_RESOURCES_DIR", kGeneratedSet.c_str(), 1);
    char aBuf[4096];
    mOldDir = getcwd(aBuf, sizeof(aBuf)) ? aBuf : ".";
    mShots = TeskTest::MakeTempDir("play-scene-program");
  }
  void TearDown() override {
    unsetenv("TESK_RESOURCES_DIR");
    if (!mOldDir.empty()) {
      EXPECT_EQ(chdir(mOldDir.c_str()), 0);
    }
    Tesk::GameApp::databaseCurrentlyLoaded = nullptr;
  }

  // The application's own loop for theMs milliseconds of wall time.
  void RunFor(int theMs) {
    const uint32_t anEnd = ::timeGetTime() + static_cast<uint32_t>(theMs);
    while (static_cast<int32_t>(::timeGetTime() - anEnd) < 0) mApp->UpdateAppStep(nullptr);
  }
  // Runs the loop until theDone holds, at most theMs; whether it held.
  template <typename F>
  bool RunUntil(F theDone, int theMs = 5000) {
    const uint32_t anEnd = ::timeGetTime() + static_cast<uint32_t>(theMs);
    while (!theDone()) {
      if (static_cast<int32_t>(::timeGetTime() - anEnd) >= 0) return false;
      mApp->UpdateAppStep(nullptr);
    }
    return true;
  }
  // A left click through the widget manager, as the window's events deliver one.
  void Click(int x, int y) {
    Tesk::WidgetManager* w = mApp->mWidgetManager;
    w->MouseMove(x, y);
    mApp->UpdateAppStep(nullptr);
    w->MouseDown(x, y, 1);
    w->MouseUp(x, y, 1);
  }
  // The next presented frame, written as theName.png.
  std::string Shoot(const std::string& theName) {
    const std::string aDir = Tesk::GetScreenshotFolder();
    const int aNumber = Tesk::NextScreenshotNumber(aDir);
    mApp->TakeScreenshot();
    mApp->mWidgetManager->MarkAllDirty();
    const std::string aTaken = aDir + "image" + std::to_string(aNumber) + ".png";
    RunUntil([&] { return fs::exists(aTaken); }, 3000);
    const std::string aPath = mShots + "/" + theName + ".png";
    std::error_code anError;
    fs::copy_file(aTaken, aPath, fs::copy_options::overwrite_existing, anError);
    std::printf("screenshot: %s\n", aPath.c_str());
    return aPath;
  }

  // The game as the program starts it, on the map of a new player's first chapter.
  void StartFirstChapterMap() {
    mApp = new Tesk::GameApp();
    // In a window: a full screen on the 1024 x 768 display is stretched, and the screenshot
    // reads back only the 800 x 600 corner of it.
    mApp->mIsWindowed = true;
    mApp->Init();
    ASSERT_NE(mApp->mWindow, nullptr);
    // What Start does before its loop; the loop is run here step by step.
    mApp->StartLoadingThread();
    ShowWindow(mApp->mWindow);
    ASSERT_TRUE(RunUntil([&] { return mApp->mLoaded; }, 30000));
    mApp->PreScreensFinished();
    // The title screen makes the game's one popup box; until it does, the popup is made here
    // the same way, owned by the title screen as it would be.
    Tesk::TitleScreen* aTitle = mApp->getTitleScreen();
    if (aTitle->getPopupWidget() == nullptr) {
      aTitle->m_popup = new Tesk::PopupBox(mApp);
      aTitle->m_popup->Init();
    }

    // A new player's first chapter, as the title screen and the chapter intro leave it.
    Tesk::ProfileData* aProfile = mApp->getProfileData();
    aProfile->setProfileUsing(0);
    aProfile->setProfileName(L"Player");
    aProfile->startNewGame(1);
    aProfile->setHelpBox(false);
    Tesk::SRand(2024);
    ASSERT_TRUE(mApp->getLevelData()->load(1, false)) << mApp->getLevelData()->getLoadError();
    mApp->StartMap(mApp->getTitleScreen());
    ASSERT_TRUE(mApp->mWidgetManager->HasWidget(mApp->getMap()));
  }
  // What Start does after its loop.
  void EndGame() {
    mApp->ProcessSafeDeleteList();
    mApp->WaitForLoadingThread();
    delete mApp;
    mApp = nullptr;
  }

  Tesk::GameApp* mApp = nullptr;
  std::string mOldDir;
  std::string mShots;
};

TEST_F(PlaySceneProgram, FromTheMapIntoALocationClearedByClicksAndBackToTheMap) {
  StartFirstChapterMap();
  ASSERT_FALSE(HasFatalFailure());
  Tesk::Map* aMap = mApp->getMap();
  ASSERT_TRUE(mApp->mWidgetManager->HasWidget(aMap));
  RunFor(1500);
  Shoot("1-map");

  // Into location 7 by its button on the map.
  Tesk::OrvoButtonWidget* aButton = aMap->m_locationButtons[6];
  ASSERT_TRUE(mApp->mWidgetManager->HasWidget(aButton));
  const Tesk::TRect<int> aHit = aButton->GetInsetRect();
  Click(aHit.mX + aHit.mWidth / 2, aHit.mY + aHit.mHeight / 2);
  Tesk::InGame* aScene = mApp->getIngame();
  ASSERT_TRUE(RunUntil([&] { return mApp->mWidgetManager->HasWidget(aScene); }));
  EXPECT_FALSE(mApp->mWidgetManager->HasWidget(aMap));
  EXPECT_TRUE(mApp->ingameInLocation());
  ASSERT_NE(aScene->getLocationData(), nullptr);
  EXPECT_EQ(aScene->getLocationData()->m_id, 7);
  RunFor(1200);
  EXPECT_EQ(aScene->m_state, 1);
  Shoot("2-location");

  // Every listed part, clicked on a pixel the hit test gives to it.
  std::vector<Selectable*> aParts;
  for (FindInfo& anEntry : aScene->getLocationData()->m_findInfo)
    if (anEntry.isActive())
      for (Selectable* aPart : anEntry.m_parts)
        if (aPart != nullptr) aParts.push_back(aPart);
  ASSERT_FALSE(aParts.empty());
  int aClicked = 0;
  for (Selectable* aPart : aParts) {
    ASSERT_EQ(aScene->m_state, 1);
    int x = -1, y = -1;
    Tesk::Image* anImage = aPart->m_image.get();
    for (int r = 0; r < anImage->GetWidth() + anImage->GetHeight() && x < 0; ++r)
      for (int dy = -r; dy <= r && x < 0; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
          const int px = aPart->getX() + anImage->GetWidth() / 2 + dx;
          const int py = aPart->getY() + anImage->GetHeight() / 2 + dy;
          if (aScene->pointObjCollisionCheck(px, py) == aPart) {
            x = px, y = py;
            break;
          }
        }
    ASSERT_GE(x, 0);
    ASSERT_TRUE(RunUntil([&] {
      for (const Tesk::InGame::Highlight& h : aScene->m_highlights)
        if (h.m_object == nullptr) return true;
      return false;
    }));
    Click(x, y);
    EXPECT_FALSE(aPart->isToFind());
    RunFor(350);
    if (++aClicked == 3) Shoot("3-finding");
  }
  ASSERT_TRUE(RunUntil([&] { return aScene->m_state == 6; }));
  EXPECT_EQ(aScene->getLocationData()->m_numOpen, 0u);
  Tesk::PopupBox* aPopup = mApp->getTitleScreen()->getPopupWidget();
  EXPECT_EQ(aPopup->m_type, Tesk::POPUP_LOCATION_DONE);
  RunFor(800);
  Shoot("4-location-done");

  // The message's button leads back to the map, where location 7 has no button left.
  Tesk::OrvoButtonWidget* anOk = nullptr;
  for (Tesk::OrvoButtonWidget* b : aPopup->m_buttons)
    if (b != nullptr && b->mVisible && !b->mDisabled && mApp->mWidgetManager->HasWidget(b)) anOk = b;
  ASSERT_NE(anOk, nullptr);
  Click(anOk->mX + anOk->mWidth / 2, anOk->mY + anOk->mHeight / 2);
  ASSERT_TRUE(RunUntil([&] { return mApp->mWidgetManager->HasWidget(aMap); }));
  EXPECT_FALSE(mApp->mWidgetManager->HasWidget(aScene));
  EXPECT_TRUE(mApp->ingameInMap());
  RunFor(1500);
  EXPECT_FALSE(mApp->mWidgetManager->HasWidget(aMap->m_locationButtons[6]));
  EXPECT_TRUE(mApp->mWidgetManager->HasWidget(aMap->m_locationButtons[2]));
  Shoot("5-back-on-map");

  // Into location 3, and straight out again by the side bar's map button.
  aButton = aMap->m_locationButtons[2];
  const Tesk::TRect<int> aHit3 = aButton->GetInsetRect();
  Click(aHit3.mX + aHit3.mWidth / 2, aHit3.mY + aHit3.mHeight / 2);
  ASSERT_TRUE(RunUntil([&] { return mApp->mWidgetManager->HasWidget(aScene); }));
  EXPECT_EQ(aScene->getLocationData()->m_id, 3);
  ASSERT_TRUE(RunUntil([&] { return aScene->m_state == 1 && !Tesk::GameApp::isInFade(); }));
  Tesk::OrvoButtonWidget* aMapButton = aScene->m_mapButton;
  ASSERT_TRUE(mApp->mWidgetManager->HasWidget(aMapButton));
  Click(aMapButton->mX + aMapButton->mWidth / 2, aMapButton->mY + aMapButton->mHeight / 2);
  EXPECT_EQ(aScene->m_state, 5);
  ASSERT_TRUE(RunUntil([&] { return mApp->mWidgetManager->HasWidget(aMap); }));
  EXPECT_FALSE(mApp->mWidgetManager->HasWidget(aScene));
  EXPECT_FALSE(mApp->mWidgetManager->HasWidget(aMapButton));
  EXPECT_TRUE(mApp->mWidgetManager->HasWidget(aMap->m_locationButtons[2]));

  EndGame();
}

// The window minimised in a location, as a player hides the game, and restored: the location is
// paused with the pause box over it when it comes back, and its clock stood still meanwhile.
TEST_F(PlaySceneProgram, ALocationMinimisedIsPausedWithThePauseBoxAndItsClockStandsStill) {
  StartFirstChapterMap();
  ASSERT_FALSE(HasFatalFailure());
  RunFor(500);
  const Tesk::TRect<int> aHit = mApp->getMap()->m_locationButtons[6]->GetInsetRect();
  Click(aHit.mX + aHit.mWidth / 2, aHit.mY + aHit.mHeight / 2);
  Tesk::InGame* aScene = mApp->getIngame();
  ASSERT_TRUE(RunUntil([&] { return mApp->mWidgetManager->HasWidget(aScene); }));
  ASSERT_TRUE(RunUntil([&] { return aScene->m_state == 1 && !Tesk::GameApp::isInFade(); }));
  Tesk::ProfileData* aProfile = mApp->getProfileData();
  const int aTimerBefore = aProfile->getLevelTimer();
  RunFor(300);
  ASSERT_LT(aProfile->getLevelTimer(), aTimerBefore);  // the clock runs while the location is played

  // Hidden and shown again through the X server, then given the keyboard, as restoring it does.
  const std::string aWindow = std::to_string(XScreen::XWindowOf(CarbonSDLWindow(mApp->mWindow)));
  const int aTimerMinimised = aProfile->getLevelTimer();
  ASSERT_EQ(std::system(("xdotool windowunmap --sync " + aWindow).c_str()), 0);
  ASSERT_TRUE(RunUntil([&] { return mApp->mMinimized; }));
  RunFor(1500);
  const std::string aRestore = "xdotool windowmap --sync " + aWindow + " windowfocus --sync " + aWindow;
  ASSERT_EQ(std::system(aRestore.c_str()), 0);
  ASSERT_TRUE(RunUntil([&] { return !mApp->mMinimized && mApp->mHasFocus; }));
  RunFor(500);
  Tesk::PopupBox* aPopup = mApp->getTitleScreen()->getPopupWidget();
  EXPECT_EQ(aScene->m_state, 2);
  EXPECT_TRUE(aPopup->mVisible);
  EXPECT_EQ(aPopup->m_type, Tesk::POPUP_GAME_OPTIONS);
  // At most the update that found the window minimised ran the clock.
  EXPECT_LE(aTimerMinimised - aProfile->getLevelTimer(), 1);
  Shoot("6-restored-paused");
  EndGame();
}

}  // namespace

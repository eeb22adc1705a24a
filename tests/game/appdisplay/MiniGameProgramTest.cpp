// The chant game in the game as a program, on a real (virtual) X display with the generated
// asset set: a chapter whose objects are all found leads from the map through the popup and
// the application's screen switch into the chant game, which a player's mouse plays through
// the X server; the frame it shows is written by the program's own screenshot (under the
// tests' scratch folder, "minigame-program").
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "ProgramRig.h"
#include "app/Screenshots.h"
#include "core/MTRand.h"
#include "framework/appdisplay/XScreen.h"
#include "game/play/LevelData.h"
#include "game/play/Map.h"
#include "game/play/MiniGame.h"
#include "game/shell/GameApp.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/TitleScreen.h"
#include "graphics/Image.h"
#include "platform/carbon/CarbonWindows.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "support/TestTemp.h"
#include "widgets/WidgetManager.h"

namespace {

namespace fs = std::filesystem;

const std::string kGeneratedSet = TESK_DEFAULT_RESOURCES_DIR;

class MiniGameProgram : public ProgramTest::ProgramRig {
 protected:
  MiniGameProgram() : ProgramRig("/builddata/minigameblock2.tgab", "minigame-program-data") {}

  // A left click at (x, y) of the window, through the X server as a player's mouse gives it.
  void ClickInWindow(Tesk::GameApp* theApp, int x, int y) {
    const unsigned long aWindow = XScreen::XWindowOf(CarbonSDLWindow(theApp->mWindow));
    const std::string aCommand = "xdotool mousemove --window " + std::to_string(aWindow) + " " +
                                 std::to_string(x) + " " + std::to_string(y) + " sleep 0.05 click 1";
    ASSERT_EQ(std::system(aCommand.c_str()), 0) << aCommand;
    // The events arrive a little later; a few frames take them up.
    for (int i = 0; i < 20; ++i) theApp->UpdateApp();
  }

  // A point of tile theIndex that a press there chooses.
  static bool PointOn(Tesk::MiniGame* theGame, int theIndex, int* x, int* y) {
    const Tesk::WordStruct& t = theGame->getTile(theIndex);
    if (t.image == nullptr || !t.visible) return false;
    int tx, ty;
    theGame->getTilePosition(&t, &tx, &ty);
    for (int dy = 0; dy < t.image->GetHeight(); ++dy) {
      for (int dx = 0; dx < t.image->GetWidth(); ++dx) {
        const int px = tx + (t.image->GetWidth() / 2 + dx) % t.image->GetWidth();
        const int py = ty + (t.image->GetHeight() / 2 + dy) % t.image->GetHeight();
        if (px > 139 && theGame->findWordAt(px, py) == &t) {
          *x = px;
          *y = py;
          return true;
        }
      }
    }
    return false;
  }
};

TEST_F(MiniGameProgram, AChaptersFoundObjectsLeadToTheChantGameWhichTheMousePlays) {
  auto* anApp = new Tesk::GameApp();
  // In a window, as the player's windowed choice gives it: the screenshot is the 800 x 600 frame.
  anApp->mIsWindowed = true;
  anApp->Init();
  ASSERT_NE(anApp->mWindow, nullptr);
  ShowWindow(anApp->mWindow);
  anApp->PreScreensFinished();  // the logos end: the title screen
  Tesk::TitleScreen* aTitle = anApp->getTitleScreen();
  if (aTitle->m_popup == nullptr) {
    // The title screen makes the game's one popup box; until it does, it is made as it will be.
    aTitle->m_popup = new Tesk::PopupBox(anApp);
    aTitle->m_popup->Init();
  }
  Tesk::ProfileData* aProfile = anApp->getProfileData();
  aProfile->setProfileName(L"Player");
  aProfile->startNewGame(1);
  aProfile->advanceLevelOn();  // chapter 2: a chant game follows it
  aProfile->setHelpBox(false);
  aProfile->setNewLevel(k_levelMaxTimes[2], 1, 1.0f);
  Tesk::SRand(4);
  ASSERT_TRUE(anApp->getLevelData()->load(2, false)) << anApp->getLevelData()->getLoadError();

  // The map, and on it the popup that says the chapter's objects are found.
  anApp->StartMap(aTitle);
  ASSERT_TRUE(StepUntil(anApp, [] { return !Tesk::GameApp::isInFade(); }));
  Tesk::PopupBox* aPopup = aTitle->getPopupWidget();
  aPopup->SetDisabled(false);
  aPopup->SetVisible(true);
  aPopup->setType(Tesk::POPUP_CHAPTER_OBJECTS_FOUND);
  aPopup->setParent(anApp->getMap());
  anApp->mWidgetManager->SetFocus(aPopup);
  aPopup->ButtonDepress(1);

  Tesk::MiniGame* aGame = anApp->getMiniGame();
  ASSERT_TRUE(StepUntil(anApp, [&] {
    return anApp->mWidgetManager->HasWidget(aGame) && aGame->getGameState() == 3 && !Tesk::GameApp::isInFade();
  })) << "state " << static_cast<int>(aGame->getGameState());
  EXPECT_EQ(Tesk::GameApp::sm_gameState, 2);
  EXPECT_STREQ(Tesk::GameApp::databaseCurrentlyLoaded, "MiniGame");
  EXPECT_FALSE(anApp->mWidgetManager->HasWidget(anApp->getMap()));
  EXPECT_EQ(aGame->getGameType(), 1);
  EXPECT_EQ(aGame->getNumberOfWordPartsToFind(), 4);
  EXPECT_TRUE(aProfile->getSaveInMinigame());

  // Two tiles chosen with the mouse.
  int aChosen = 0;
  for (int i = 0; i < 90 && aChosen < 2; ++i) {
    int x, y;
    if (!PointOn(aGame, i, &x, &y)) continue;
    ClickInWindow(anApp, x, y);
    ++aChosen;
    EXPECT_EQ(aGame->getSelectedCount(), aChosen);
  }
  ASSERT_EQ(aGame->getSelectedCount(), 2);
  for (int i = 0; i < 60; ++i) anApp->UpdateApp();

  // The program's own screenshot of the frame it shows.
  const std::string aFolder = Tesk::GetScreenshotFolder();
  const int aNumber = Tesk::NextScreenshotNumber(aFolder);
  anApp->TakeScreenshot();
  for (int i = 0; i < 10; ++i) anApp->UpdateApp();
  const std::string aShot = aFolder + "image" + std::to_string(aNumber) + ".png";
  ASSERT_TRUE(fs::exists(aShot)) << aShot;
  static const std::string sKeep = TeskTest::MakeTempDir("minigame-program");
  fs::copy_file(aShot, sKeep + "/chant_mid_play.png", fs::copy_options::overwrite_existing);
  std::printf("chant game screenshot: %s/chant_mid_play.png\n", sKeep.c_str());

  anApp->Shutdown();
  anApp->ProcessSafeDeleteList();  // what Start does as its loop ends: the logo screen goes
  delete anApp;
  Tesk::GameApp::databaseCurrentlyLoaded = nullptr;
}

}  // namespace

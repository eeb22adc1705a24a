// The potion game in the game as a program, on a real (virtual) X display with the generated
// asset set: the first chapter's found objects lead from the map through the popup and the
// application's screen switch into the potion game, where a player's mouse drags chains through
// the X server; the frame it shows with a chain held is written by the program's own screenshot
// (under the tests' scratch folder, "potion-program").
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
#include "game/play/PotionSolver.h"
#include "game/shell/GameApp.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/TitleScreen.h"
#include "platform/carbon/CarbonWindows.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "support/TestTemp.h"
#include "widgets/WidgetManager.h"

namespace {

namespace fs = std::filesystem;
using PotionTest::CellAt;

const std::string kGeneratedSet = TESK_DEFAULT_RESOURCES_DIR;

class PotionProgram : public ProgramTest::ProgramRig {
 protected:
  PotionProgram() : ProgramRig("/builddata/minigameblock.tgab", "potion-program-data") {}

  // One xdotool step on the game's window (theStep after "xdotool"), then the frames that take
  // the events up.
  void Mouse(Tesk::GameApp* theApp, const std::string& theStep) {
    const std::string aCommand = "xdotool " + theStep;
    ASSERT_EQ(std::system(aCommand.c_str()), 0) << aCommand;
    for (int i = 0; i < 12; ++i) theApp->UpdateApp();
  }
  std::string MoveTo(Tesk::GameApp* theApp, int x, int y) {
    const unsigned long aWindow = XScreen::XWindowOf(CarbonSDLWindow(theApp->mWindow));
    return "mousemove --window " + std::to_string(aWindow) + " " + std::to_string(x) + " " +
           std::to_string(y);
  }
  static int CentreX(Tesk::MiniGame* theGame, const CellAt& c) {
    return theGame->getPotionCell(0, 0).x + 70 * c.column + 30;
  }
  static int CentreY(Tesk::MiniGame* theGame, const CellAt& c) {
    return theGame->getPotionCell(0, 0).y + 70 * c.row + 30;
  }
  // The button down on the first cell and moved through the others, held at the end.
  void DragThrough(Tesk::GameApp* theApp, Tesk::MiniGame* theGame, const std::vector<CellAt>& thePath) {
    Mouse(theApp, MoveTo(theApp, CentreX(theGame, thePath[0]), CentreY(theGame, thePath[0])));
    Mouse(theApp, "mousedown 1");
    for (size_t k = 1; k < thePath.size(); ++k)
      Mouse(theApp, MoveTo(theApp, CentreX(theGame, thePath[k]), CentreY(theGame, thePath[k])));
  }
};

TEST_F(PotionProgram, TheFirstChaptersFoundObjectsLeadToThePotionGameWhichTheMousePlays) {
  auto* anApp = new Tesk::GameApp();
  anApp->mIsWindowed = true;
  anApp->Init();
  ASSERT_NE(anApp->mWindow, nullptr);
  ShowWindow(anApp->mWindow);
  anApp->PreScreensFinished();
  // Outside the frame loop the logo screen's deferred deletion would wait for a loop that never
  // comes; the loop's own sweep takes it.
  anApp->ProcessSafeDeleteList();
  Tesk::TitleScreen* aTitle = anApp->getTitleScreen();
  if (aTitle->m_popup == nullptr) {
    aTitle->m_popup = new Tesk::PopupBox(anApp);
    aTitle->m_popup->Init();
  }
  Tesk::ProfileData* aProfile = anApp->getProfileData();
  aProfile->setProfileName(L"Player");
  aProfile->startNewGame(1);  // chapter 1: a potion game follows it
  aProfile->setHelpBox(false);
  aProfile->setNewLevel(k_levelMaxTimes[1], 1, 1.0f);
  Tesk::SRand(6);
  std::srand(6);
  ASSERT_TRUE(anApp->getLevelData()->load(1, false)) << anApp->getLevelData()->getLoadError();

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
  ASSERT_TRUE(StepUntil(anApp,
                        [&] {
                          return anApp->mWidgetManager->HasWidget(aGame) && aGame->getGameState() == 3 &&
                                 !Tesk::GameApp::isInFade();
                        }))
      << "state " << static_cast<int>(aGame->getGameState());
  EXPECT_EQ(aGame->getGameType(), 2);
  EXPECT_EQ(aGame->m_target, 60);
  for (int i = 0; i < 150; ++i) anApp->UpdateApp();  // the ingredients grow in
  EXPECT_EQ(aGame->m_points, 4);

  // Two chains dragged and released; a third held while the program takes its screenshot.
  int aScored = 0;
  for (int aChains = 0; aChains < 3; ++aChains) {
    const std::vector<CellAt> aChain = PotionTest::Solver(*aGame).longestChain(6);
    ASSERT_FALSE(aChain.empty());
    const int aBefore = aGame->m_points;
    DragThrough(anApp, aGame, aChain);
    EXPECT_EQ(aGame->m_chainLength, aChain.size());
    if (aChains == 2) break;
    Mouse(anApp, "mouseup 1");
    EXPECT_EQ(aGame->m_chainLength, 0);
    EXPECT_EQ(aGame->m_points, aBefore + static_cast<int>(aChain.size()) - 2);
    aScored += static_cast<int>(aChain.size()) - 2;
    for (int i = 0; i < 120; ++i) anApp->UpdateApp();
  }
  for (int i = 0; i < 30; ++i) anApp->UpdateApp();

  const std::string aFolder = Tesk::GetScreenshotFolder();
  const int aNumber = Tesk::NextScreenshotNumber(aFolder);
  anApp->TakeScreenshot();
  for (int i = 0; i < 10; ++i) anApp->UpdateApp();
  const std::string aShot = aFolder + "image" + std::to_string(aNumber) + ".png";
  ASSERT_TRUE(fs::exists(aShot)) << aShot;
  static const std::string sKeep = TeskTest::MakeTempDir("potion-program");
  fs::copy_file(aShot, sKeep + "/potion_mid_play.png", fs::copy_options::overwrite_existing);
  std::printf("potion game screenshot: %s/potion_mid_play.png (%d points scored)\n", sKeep.c_str(), aScored);

  Mouse(anApp, "mouseup 1");
  EXPECT_EQ(aGame->m_chainLength, 0);
  anApp->Shutdown();
  delete anApp;
  Tesk::GameApp::databaseCurrentlyLoaded = nullptr;
}

}  // namespace

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
#include "widgets/OrvoButtonWidget.h"
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
  // A click through the X server on the middle of theWidget, once no fade holds the buttons.
  void ClickOn(Tesk::GameApp* theApp, const Tesk::Widget* theWidget) {
    ASSERT_TRUE(StepUntil(theApp, [] { return !Tesk::GameApp::isInFade(); }));
    ASSERT_NE(theWidget, nullptr);
    ASSERT_TRUE(theWidget->mVisible && !theWidget->mDisabled);
    Mouse(theApp,
          MoveTo(theApp, theWidget->mX + theWidget->mWidth / 2, theWidget->mY + theWidget->mHeight / 2));
    Mouse(theApp, "click 1");
  }
  // The game started as the program starts it, with the first chapter loaded (a potion game
  // follows it) for a profile without help boxes.
  Tesk::GameApp* StartGame() {
    // The screens make their buttons once per process; this application's screens are new.
    Tesk::TitleScreen::alreadyInited = false;
    Tesk::MiniGame::alreadyInited = false;
    auto* anApp = new Tesk::GameApp();
    anApp->mIsWindowed = true;
    anApp->Init();
    EXPECT_NE(anApp->mWindow, nullptr);
    ShowWindow(anApp->mWindow);
    // The player's profile is there before the title screen asks for one.
    Tesk::ProfileData* aProfile = anApp->getProfileData();
    aProfile->setProfileName(L"Player");
    aProfile->startNewGame(1);
    aProfile->setHelpBox(false);
    aProfile->setNewLevel(k_levelMaxTimes[1], 1, 1.0f);
    anApp->PreScreensFinished();
    // Outside the frame loop the logo screen's deferred deletion would wait for a loop that never
    // comes; the loop's own sweep takes it.
    anApp->ProcessSafeDeleteList();
    Tesk::TitleScreen* aTitle = anApp->getTitleScreen();
    if (aTitle->m_popup == nullptr) {
      aTitle->m_popup = new Tesk::PopupBox(anApp);
      aTitle->m_popup->Init();
    }
    Tesk::SRand(6);
    std::srand(6);
    EXPECT_TRUE(anApp->getLevelData()->load(1, false)) << anApp->getLevelData()->getLoadError();
    return anApp;
  }

  // From the map, the chapter's found objects lead through the popup into the potion game,
  // which is played once it has faded in.
  Tesk::MiniGame* StartPotionGame(Tesk::GameApp* theApp) {
    Tesk::TitleScreen* aTitle = theApp->getTitleScreen();
    theApp->StartMap(aTitle);
    EXPECT_TRUE(StepUntil(theApp, [] { return !Tesk::GameApp::isInFade(); }));
    Tesk::PopupBox* aPopup = aTitle->getPopupWidget();
    aPopup->SetDisabled(false);
    aPopup->SetVisible(true);
    aPopup->setType(Tesk::POPUP_CHAPTER_OBJECTS_FOUND);
    aPopup->setParent(theApp->getMap());
    theApp->mWidgetManager->SetFocus(aPopup);
    aPopup->ButtonDepress(1);
    Tesk::MiniGame* aGame = theApp->getMiniGame();
    EXPECT_TRUE(StepUntil(theApp,
                          [&] {
                            return theApp->mWidgetManager->HasWidget(aGame) && aGame->getGameState() == 3 &&
                                   !Tesk::GameApp::isInFade();
                          }))
        << "state " << static_cast<int>(aGame->getGameState());
    return aGame;
  }
};

TEST_F(PotionProgram, TheFirstChaptersFoundObjectsLeadToThePotionGameWhichTheMousePlays) {
  Tesk::GameApp* anApp = StartGame();
  ASSERT_FALSE(HasFailure());
  Tesk::MiniGame* aGame = StartPotionGame(anApp);
  ASSERT_FALSE(HasFailure());
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

// A winning chain overshoots the target (58 points and a chain of 5 make 61 of 60); the summary
// gives way to the pause box when the window is minimised, whose Back plays on, and the
// player leaves by the exit question. The save holds 61 of 60, and Continue resumes it as it was, not as a
// new game: the next chain wins it.
TEST_F(PotionProgram, APotionWonPastItsTargetThenLeftIsResumedWithItsPoints) {
  Tesk::GameApp* anApp = StartGame();
  ASSERT_FALSE(HasFailure());
  Tesk::MiniGame* aGame = StartPotionGame(anApp);
  ASSERT_FALSE(HasFailure());
  ASSERT_EQ(aGame->m_target, 60);
  for (int i = 0; i < 150; ++i) anApp->UpdateApp();  // the ingredients grow in
  aGame->m_points = 58;
  const std::vector<CellAt> aFive = {{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}};
  for (const CellAt& c : aFive) aGame->m_cells[c.column][c.row].type = 1;
  DragThrough(anApp, aGame, aFive);
  Mouse(anApp, "mouseup 1");
  ASSERT_EQ(aGame->m_points, 61);
  ASSERT_TRUE(StepUntil(anApp, [&] { return aGame->getGameState() == 5; }));
  Tesk::PopupBox* aPopup = anApp->getTitleScreen()->getPopupWidget();
  EXPECT_EQ(aPopup->m_type, Tesk::POPUP_CHAPTER_COMPLETE);

  // The window minimised over the summary and restored through the X server: the screen's rule
  // for a minimised window pauses it with the pause box, though the summary had the keyboard.
  const std::string aWindow = std::to_string(XScreen::XWindowOf(CarbonSDLWindow(anApp->mWindow)));
  ASSERT_EQ(std::system(("xdotool windowunmap --sync " + aWindow).c_str()), 0);
  ASSERT_TRUE(StepUntil(anApp, [&] { return anApp->mMinimized; }));
  for (int i = 0; i < 5; ++i) anApp->UpdateApp();
  const std::string aRestore = "xdotool windowmap --sync " + aWindow + " windowfocus --sync " + aWindow;
  ASSERT_EQ(std::system(aRestore.c_str()), 0);
  ASSERT_TRUE(StepUntil(anApp, [&] { return !anApp->mMinimized && anApp->mHasFocus; }));
  ASSERT_EQ(aGame->getGameState(), 6);
  ASSERT_EQ(aPopup->m_type, Tesk::POPUP_GAME_OPTIONS);
  ClickOn(anApp, aPopup->m_buttons[8]);  // back to the game
  ASSERT_TRUE(StepUntil(anApp, [&] { return aGame->getGameState() == 3 && !Tesk::GameApp::isInFade(); }));
  EXPECT_FALSE(aGame->isInWinState());

  ClickOn(anApp, aGame->m_menuButton);
  ASSERT_EQ(aGame->getGameState(), 6);
  ClickOn(anApp, aPopup->m_buttons[7]);  // exit the game
  ASSERT_EQ(aPopup->m_type, Tesk::POPUP_CONFIRM_EXIT);
  ClickOn(anApp, aPopup->m_buttons[4]);  // yes
  ASSERT_TRUE(StepUntil(anApp, [&] { return anApp->mWidgetManager->HasWidget(anApp->getTitleScreen()); }));
  const std::string aSave = TeskTest::ReadFile(anApp->getMiniGame()->getSavePath());
  ASSERT_EQ(aSave.size(), 1334u);
  EXPECT_EQ(static_cast<uint8_t>(aSave[10]) | static_cast<uint8_t>(aSave[11]) << 8, 61);
  EXPECT_EQ(static_cast<uint8_t>(aSave[16]) | static_cast<uint8_t>(aSave[17]) << 8, 60);
  Tesk::ProfileData* aProfile = anApp->getProfileData();
  ASSERT_TRUE(aProfile->getHasSaveFile());
  ASSERT_TRUE(aProfile->getSaveInMinigame());

  // Play, then Continue.
  testing::internal::CaptureStderr();
  ClickOn(anApp, anApp->getTitleScreen()->m_mainButtons[0]);
  ASSERT_EQ(aPopup->m_type, Tesk::POPUP_PLAY_MENU);
  ClickOn(anApp, aPopup->m_buttons[1]);
  ASSERT_TRUE(StepUntil(anApp, [&] {
    return anApp->mWidgetManager->HasWidget(aGame) && aGame->getGameState() == 3 &&
           !Tesk::GameApp::isInFade();
  }));
  const std::string aLog = testing::internal::GetCapturedStderr();
  EXPECT_EQ(aLog.find("cannot be resumed"), std::string::npos) << aLog;
  EXPECT_EQ(aGame->m_points, 61);
  EXPECT_EQ(aGame->m_target, 60);
  for (int i = 0; i < 150; ++i) anApp->UpdateApp();  // the ingredients grow in again
  for (const CellAt& c : aFive) aGame->m_cells[c.column][c.row].type = 2;
  DragThrough(anApp, aGame, {aFive[0], aFive[1], aFive[2]});
  Mouse(anApp, "mouseup 1");
  EXPECT_EQ(aGame->m_points, 62);
  EXPECT_TRUE(aGame->isInWinState());
  anApp->Shutdown();
  delete anApp;
  Tesk::GameApp::databaseCurrentlyLoaded = nullptr;
}

}  // namespace

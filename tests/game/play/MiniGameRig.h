// The mini-game screen on the generated asset set, shown through the real widget manager as the
// application shows it: the rig with the "MiniGame" group and the game's texts, the popup box
// with its widgets, the save file in the test's own data folder, and a player's hand for the
// chant game that finds where to press on a tile through the screen's own accessors.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "PlayRig.h"
#include "core/MTRand.h"
#include "game/play/MiniGame.h"
#include "game/shell/GameText.h"
#include "game/shell/PopupBox.h"
#include "graphics/Image.h"
#include "graphics/Particles.h"
#include "resources/ResourceManager.h"
#include "widgets/OrvoButtonWidget.h"

namespace MiniTest {

using PlayTest::FullBrightness;
using PlayTest::RigApp;
using Tesk::MiniGame;

class MiniGameRig : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    PlayTest::OpenApp("minigame", s_folder, s_app);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(s_app->mResourceManager->LoadResources("MiniGame")) << s_app->mResourceManager->GetErrorText();
    ASSERT_TRUE(Tesk::ExtractMiniGameResources(s_app->mResourceManager));
    ASSERT_TRUE(GameText::loadGameStrings());
  }
  static void TearDownTestSuite() { PlayTest::CloseApp(s_folder, s_app); }
  void SetUp() override {
    App().mSamples.clear();
    App().mProfile.setProfileName(L"Chanter");
    App().mProfile.startNewGame(1);
    App().mProfile.setHelpBox(false);
    Tesk::GameApp::s_lastFullSecond = 31;
    FullBrightness();
    PARTICLE::resetAll(true);
    mPopup = std::make_unique<Tesk::PopupBox>(&App());
    mPopup->Init();  // the title screen does this for the real popup
    mGame = NewScreen();
  }
  void TearDown() override {
    Leave();
    App().m_miniGame = nullptr;
    Tesk::GameApp::sm_gameState = 0;
    std::remove(SavePath().c_str());
    mGame.reset();
    mPopup.reset();
    PARTICLE::resetAll(true);
  }
  static RigApp& App() { return *s_app; }
  Tesk::WidgetManager* Manager() { return App().mWidgetManager; }
  std::string SavePath() { return mGame->getSavePath(); }

  // A screen as the application makes it, its buttons made and the rig's popup its popup.
  std::unique_ptr<MiniGame> NewScreen() {
    auto aGame = std::make_unique<MiniGame>(&App());
    aGame->Init();
    aGame->m_popup = mPopup.get();
    aGame->Resize(0, 0, 800, 600);
    App().m_miniGame = aGame.get();  // the popup's actions reach the screen through the application
    Tesk::GameApp::sm_gameState = 2;
    return aGame;
  }

  // The profile on theLevel of theDifficulty with the level's full clock.
  void AtLevel(int theLevel, int theDifficulty = 1) {
    App().mProfile.startNewGame(theDifficulty);
    for (int i = 1; i < theLevel; ++i) App().mProfile.advanceLevelOn();
    App().mProfile.setNewLevel(k_levelMaxTimes[theLevel], 1, 1.0f);
  }

  // A game of theKind (3: the saved one) added to the manager as StartMiniGame adds it, both
  // generators seeded, without the opening states: it is playing (state 3) at full brightness.
  void Show(uint8_t theKind, unsigned theSeed = 1) {
    std::srand(theSeed);
    Tesk::SRand(theSeed);
    mGame->setGameType(theKind);
    Manager()->AddWidget(mGame.get());
    Manager()->SetFocus(mGame.get());
    mGame->m_state = 3;
    FullBrightness();
    App().mSamples.clear();
  }
  void Leave() {
    if (mGame != nullptr && Manager()->HasWidget(mGame.get())) Manager()->RemoveWidget(mGame.get());
  }
  // Updates until the global fade stands still (popup buttons wait for it).
  void Settle() {
    for (int i = 0; i < 400 && Tesk::GameApp::isInFade(); ++i) mGame->Update();
  }
  // The popup's button theId, once the fade lets it act.
  void PopupButton(int theId) {
    Settle();
    mPopup->ButtonDepress(theId);
  }
  void Run(int theUpdates) {
    for (int i = 0; i < theUpdates; ++i) mGame->Update();
  }

  // Where a press chooses tile theIndex, found as a player finds it: a point of the tile's
  // box that the screen's hit test gives to that tile. False when none does.
  bool PointOn(int theIndex, int* x, int* y) {
    const Tesk::WordStruct& t = mGame->getTile(theIndex);
    if (t.image == nullptr || !t.visible) return false;
    int tx, ty;
    mGame->getTilePosition(&t, &tx, &ty);
    const int w = t.image->GetWidth(), h = t.image->GetHeight();
    // From the middle outwards, so that the press lands on the word where it can.
    for (int r = 0; r < w + h; ++r) {
      for (int dy = -r; dy <= r; ++dy) {
        for (int dx : {-(r - std::abs(dy)), r - std::abs(dy)}) {
          const int px = tx + w / 2 + dx, py = ty + h / 2 + dy;
          if (px <= 139 || px >= 800 || py < 0 || py >= 600) continue;
          if (mGame->findWordAt(px, py) == &t) {
            *x = px;
            *y = py;
            return true;
          }
        }
      }
    }
    return false;
  }
  // The tile holding word part thePart, or -1.
  int TileOfPart(int thePart) {
    for (int i = 0; i < 90; ++i)
      if (mGame->getTile(i).image != nullptr && mGame->getTile(i).partIndex == static_cast<uint32_t>(thePart))
        return i;
    return -1;
  }
  // A left click through the widget manager on tile theIndex.
  void ClickTile(int theIndex) {
    int x = 0, y = 0;
    ASSERT_TRUE(PointOn(theIndex, &x, &y)) << "no point chooses tile " << theIndex;
    Click(x, y);
  }
  void Click(int x, int y) {
    Manager()->MouseMove(x, y);
    Manager()->MouseDown(x, y, 1);
    Manager()->MouseUp(x, y, 1);
  }
  // A button pressed and released where the player sees it.
  void Press(Tesk::OrvoButtonWidget* theButton) {
    ASSERT_TRUE(theButton->mVisible && !theButton->mDisabled) << "button " << theButton->mId;
    Click(theButton->mX + theButton->mWidth / 2, theButton->mY + theButton->mHeight / 2);
  }
  // The parts that spell the chant, in the chant's order (the target text without spaces).
  std::vector<int> ChantParts() {
    std::wstring aText;
    for (wchar_t c : mGame->getWordToFind())
      if (c != L' ') aText += c;
    std::vector<int> aParts;
    // Greedy longest-first would miss some splits; the parts are found by search.
    std::vector<int> aStack;
    Split(aText, 0, mGame->getNumberOfWordPartsToFind(), &aStack, &aParts);
    return aParts;
  }
  int Played(int theSound) { return App().Played(theSound); }

  static PlayTest::InFolder* s_folder;
  static RigApp* s_app;
  std::unique_ptr<Tesk::PopupBox> mPopup;
  std::unique_ptr<MiniGame> mGame;

 private:
  // Splits theText from thePos into theLeft distinct parts that lie on the field.
  bool Split(const std::wstring& theText, size_t thePos, int theLeft, std::vector<int>* theStack,
             std::vector<int>* theOut) {
    if (thePos == theText.size()) {
      if (theLeft != 0) return false;
      *theOut = *theStack;
      return true;
    }
    if (theLeft == 0) return false;
    for (int p = 0; p < 90; ++p) {
      const std::wstring aPart = MiniGame::s_wordGameStringList[p];
      if (theText.compare(thePos, aPart.size(), aPart) != 0 || TileOfPart(p) < 0) continue;
      if (std::find(theStack->begin(), theStack->end(), p) != theStack->end()) continue;
      theStack->push_back(p);
      if (Split(theText, thePos + aPart.size(), theLeft - 1, theStack, theOut)) return true;
      theStack->pop_back();
    }
    return false;
  }
};

inline PlayTest::InFolder* MiniGameRig::s_folder = nullptr;
inline RigApp* MiniGameRig::s_app = nullptr;

}  // namespace MiniTest

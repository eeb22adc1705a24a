// The potion game on the generated asset set: the application rig with the "MiniGame" group,
// the mini-game screen holding the potion block's images as the screen lays them out, and a
// player's hand: presses, drags and releases at board cells, a click on the bottle, and a
// scripted solver that reads the board through the screen's accessor.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <vector>

#include "PlayRig.h"
#include "PotionSolver.h"
#include "core/MTRand.h"
#include "display/DDImage.h"
#include "game/play/MiniGame.h"
#include "game/shell/GameText.h"
#include "graphics/Graphics.h"
#include "graphics/MemoryImage.h"
#include "graphics/Particles.h"
#include "resources/ImageLib.h"
#include "resources/ResourceManager.h"

namespace PotionTest {

using PlayTest::RigApp;
using Tesk::MiniGame;

class PotionRig : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    PlayTest::OpenApp("potion", s_folder, s_app);
    if (HasFatalFailure()) return;
    ASSERT_TRUE(s_app->mResourceManager->LoadResources("MiniGame"))
        << s_app->mResourceManager->GetErrorText();
    ASSERT_TRUE(Tesk::ExtractMiniGameResources(s_app->mResourceManager));
    ASSERT_TRUE(GameText::loadGameStrings());
  }
  static void TearDownTestSuite() { PlayTest::CloseApp(s_folder, s_app); }
  void SetUp() override {
    App().mSamples.clear();
    App().mProfile.setProfileName(L"Brewer");
    App().mProfile.startNewGame(1);
    App().mProfile.setHelpBox(false);
    PlayTest::FullBrightness();
    PARTICLE::resetAll(true);
    mGame = std::make_unique<MiniGame>(&App());
    mGame->setGameType(2);
    LoadBlock();
  }
  void TearDown() override {
    PARTICLE::resetAll(true);
    delete mGame->m_background;
    mGame->m_background = nullptr;
    for (Tesk::Image*& anImage : mGame->m_images) {
      delete anImage;
      anImage = nullptr;
    }
    mGame.reset();
  }
  static RigApp& App() { return *s_app; }

  // Block image 0 the background, images 1 and up the image table, as the screen sets them up.
  void LoadBlock() {
    ImageLib::Image* aBlock[90] = {};
    const int aCount = ImageLib::GetImageBlock("builddata/minigameblock.tgab", aBlock, 90);
    ASSERT_EQ(aCount, 18);
    for (int i = 0; i < aCount; ++i) {
      Tesk::Image* anImage = App().GetImage(aBlock[i], true);
      if (i == 0)
        mGame->m_background = anImage;
      else
        mGame->m_images[i - 1] = anImage;
      delete aBlock[i];
    }
  }

  // A new potion game of theLevel on theDifficulty, both generators seeded, playing (state 3).
  void Start(int theLevel, int theDifficulty = 1, unsigned theSeed = 1) {
    App().mProfile.startNewGame(theDifficulty);
    for (int i = 1; i < theLevel; ++i) App().mProfile.advanceLevelOn();
    std::srand(theSeed);
    Tesk::SRand(theSeed);
    PARTICLE::resetAll(true);
    mGame->setupPotionGame(false);
    mGame->m_state = 3;
    App().mSamples.clear();
  }

  const MiniGame::PotionCell& Cell(int theColumn, int theRow) {
    return mGame->getPotionCell(theColumn, theRow);
  }
  MiniGame::PotionCell& Mutable(int theColumn, int theRow) { return mGame->m_cells[theColumn][theRow]; }
  // The middle of a cell's ingredient, on the board's grid (also where no cell lies).
  int CentreX(int theColumn, int) { return Cell(0, 0).x + 70 * theColumn + 30; }
  int CentreY(int, int theRow) { return Cell(0, 0).y + 70 * theRow + 30; }

  // Every cell of the board of kind theKind(column, row).
  template <class F>
  void Paint(F theKind) {
    for (int i = 0; i < 9; ++i)
      for (int j = 0; j < 8; ++j) Mutable(i, j).type = static_cast<int16_t>(theKind(i, j));
  }
  // A board on which no two neighbours (diagonals too) are alike: no chain can be made.
  void PaintNoChain() {
    Paint([](int i, int j) { return (i % 2) * 2 + (j % 2); });
  }

  // The press, drags and release of a player's hand along thePath; the release lands where the
  // last point was, or on theReleaseX/Y when given.
  void Press(CellAt c) { mGame->testForPiecePress(CentreX(c.column, c.row), CentreY(c.column, c.row)); }
  void Release(int x, int y) {
    mGame->finishTestForPiecePress();
    mGame->testForPotionPress(x, y);
  }
  void Drag(const std::vector<CellAt>& thePath) {
    for (const CellAt& c : thePath) Press(c);
  }
  void Chain(const std::vector<CellAt>& thePath) {
    Drag(thePath);
    const CellAt& aLast = thePath.back();
    Release(CentreX(aLast.column, aLast.row), CentreY(aLast.column, aLast.row));
  }
  void ClickBottle() {
    mGame->testForPiecePress(70, 300);
    Release(70, 300);
  }
  // theCount play updates, as the screen runs them.
  void Run(int theCount) {
    for (int i = 0; i < theCount; ++i) {
      mGame->updatePotionGrowSpeeds();
      if (mGame->m_state == 3) mGame->updatePotionGame();
    }
  }
  int Played(int theSound) { return App().Played(theSound); }

  // The screen as the mini-game draws it in play: the background dimmed to 100 grey, the side
  // bar picture, the board, the bottle and its texts, the particles.
  std::unique_ptr<Tesk::MemoryImage> Draw() {
    auto aScreen = std::make_unique<Tesk::MemoryImage>();
    aScreen->Create(800, 600);
    Tesk::Graphics g(aScreen.get());
    g.SetColor(Tesk::Color::Black);
    g.FillRect(0, 0, 800, 600);
    float f = Tesk::GameApp::getFadeColorFloat();
    const int v = static_cast<int>(100 * f);
    g.SetColorizeImages(true);
    g.SetColor(Tesk::Color(v, v, v));
    g.DrawImage(mGame->m_background, 140, 0);
    const int c = Tesk::GameApp::getFadeColor();
    g.SetColor(Tesk::Color(c, c, c));
    if (Tesk::IMAGE_SIDE_BAR != nullptr) g.DrawImage(Tesk::IMAGE_SIDE_BAR, 0, 0);
    mGame->drawPotionBoard(&g);
    mGame->drawPotionSideBar(&g);
    PARTICLE::draw(&g, f, mGame.get());
    return aScreen;
  }

  static PlayTest::InFolder* s_folder;
  static RigApp* s_app;
  std::unique_ptr<MiniGame> mGame;
};

inline PlayTest::InFolder* PotionRig::s_folder = nullptr;
inline RigApp* PotionRig::s_app = nullptr;

}  // namespace PotionTest

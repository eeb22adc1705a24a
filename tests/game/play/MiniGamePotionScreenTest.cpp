// The potion game on the mini-game screen, through the real widget manager: the screen sets the
// board up from the potion block, a scripted hand drags chains with the mouse (press, moves with
// the button held, release) and clicks the bottle, the screen's updates grow, pour and floor,
// and the game is won into the chapter summary; the idle hint; a chain held through a pause.
#include <gtest/gtest.h>

#include "MiniGameRig.h"
#include "PotionRig.h"
#include "game/shell/GameStrings.h"

namespace {

using MiniTest::MiniGameRig;
using PotionTest::CellAt;
using PotionTest::Solver;
using Tesk::MiniGame;

class PotionScreen : public MiniGameRig {
 protected:
  int CentreX(const CellAt& c) { return mGame->getPotionCell(0, 0).x + 70 * c.column + 30; }
  int CentreY(const CellAt& c) { return mGame->getPotionCell(0, 0).y + 70 * c.row + 30; }
  // The hand: down on the first cell, through the others with the button held, up on the last.
  void DragChain(const std::vector<CellAt>& thePath, bool release = true) {
    Tesk::WidgetManager* w = Manager();
    w->MouseMove(CentreX(thePath[0]), CentreY(thePath[0]));
    w->MouseDown(CentreX(thePath[0]), CentreY(thePath[0]), 1);
    for (size_t k = 1; k < thePath.size(); ++k) {
      // Through the gap between the cells first, as a real drag passes it.
      const int x = CentreX(thePath[k]), y = CentreY(thePath[k]);
      w->MouseMove((x + CentreX(thePath[k - 1])) / 2, (y + CentreY(thePath[k - 1])) / 2);
      w->MouseMove(x, y);
    }
    if (release) w->MouseUp(CentreX(thePath.back()), CentreY(thePath.back()), 1);
  }
  void ClickBottle() { Click(70, 300); }
};

TEST_F(PotionScreen, TheScreenSetsUpTheBoardFromThePotionBlock) {
  AtLevel(9, 2);
  Show(2, 5);
  EXPECT_EQ(mGame->m_target, 130 + 15);
  EXPECT_NE(mGame->m_images[16], nullptr);
  EXPECT_EQ(mGame->m_images[17], nullptr);
  EXPECT_EQ(mGame->getPotionCell(0, 0).exists, 0);  // chapter 9's corners
  EXPECT_EQ(mGame->getPotionCell(4, 4).exists, 1);
  EXPECT_EQ(mGame->getPotionCell(0, 1).x, 160);
  for (int d = 0; d < 8; ++d) EXPECT_EQ(MiniGame::s_connectorOffsets[d].image, mGame->m_images[9 + d % 4]);
  // The kinds are the C library's draws after the seed, in board order.
  std::srand(5);
  for (int i = 0; i < 9; ++i)
    for (int j = 0; j < 8; ++j) EXPECT_EQ(mGame->getPotionCell(i, j).type, std::rand() % 6);
  // The first update raises the points to the floor; the ingredients grow in.
  Run(1);
  EXPECT_EQ(mGame->m_points, 145 * 8 / 100);
  Run(100);
  EXPECT_EQ(mGame->getPotionCell(4, 4).scale, 1.0f);
}

TEST_F(PotionScreen, AHandDraggingChainsWithTheMouseWinsTheChapter) {
  AtLevel(3);
  Show(2, 8);
  Run(120);
  int aMoves = 0, aReshuffles = 0;
  while (mGame->m_state == 3 && aMoves < 300) {
    ++aMoves;
    Solver aSolver(*mGame);
    const std::vector<CellAt> aChain = aSolver.longestChain(8);
    const int aBefore = mGame->m_points;
    if (aChain.empty()) {
      ClickBottle();
      EXPECT_EQ(mGame->m_points, aBefore - 85 * 3 / 100);
      ++aReshuffles;
    } else {
      DragChain(aChain, false);
      EXPECT_EQ(mGame->m_chainLength, aChain.size());
      Manager()->MouseUp(CentreX(aChain.back()), CentreY(aChain.back()), 1);
      EXPECT_EQ(mGame->m_chainLength, 0);
      EXPECT_EQ(mGame->m_points, aBefore + static_cast<int>(aChain.size()) - 2);
    }
    Run(60);
  }
  std::printf("chapter 3: %d moves, %d reshuffles\n", aMoves, aReshuffles);
  // Won: the next update shows the chapter summary.
  EXPECT_EQ(Played(Tesk::SFX_MINIGAME_PASSED), 1);
  EXPECT_EQ(mGame->m_state, 5);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_CHAPTER_COMPLETE);
  EXPECT_TRUE(mPopup->mVisible);
}

TEST_F(PotionScreen, ADragReachesOnlyLikeNeighboursAndTheBottleReshufflesForAPrice) {
  AtLevel(1);
  Show(2, 2);
  Run(120);
  for (int i = 0; i < 9; ++i)
    for (int j = 0; j < 8; ++j) mGame->m_cells[i][j].type = static_cast<int16_t>((i % 2) * 2 + (j % 2));
  for (int i = 0; i < 4; ++i) mGame->m_cells[i][0].type = 5;
  // Over the unlike cell below and back: it is refused, the chain goes on where it was.
  DragChain({{0, 0}, {1, 0}, {1, 1}, {2, 0}, {3, 0}}, false);
  EXPECT_EQ(mGame->m_chainLength, 4);
  EXPECT_EQ(mGame->m_cells[1][1].selected, 0);
  Manager()->MouseUp(CentreX({3, 0}), CentreY({3, 0}), 1);
  EXPECT_EQ(mGame->m_points, 4 + 2);
  // Moving with no button held starts nothing.
  Manager()->MouseMove(CentreX({4, 4}), CentreY({4, 4}));
  EXPECT_EQ(mGame->m_chainLength, 0);

  // The board has no chain left: the bottle.
  for (int i = 0; i < 4; ++i) mGame->m_cells[i][0].type = static_cast<int16_t>((i % 2) * 2);
  ASSERT_TRUE(Solver(*mGame).longestChain(8).empty());
  App().mSamples.clear();
  ClickBottle();
  EXPECT_EQ(mGame->m_points, 6 - 1);
  EXPECT_EQ(Played(Tesk::SFX_MATCH_SHUFFLE), 1);
  EXPECT_EQ(mGame->getPotionCell(4, 4).scale, 0.0f);
  Run(100);
  EXPECT_EQ(mGame->getPotionCell(4, 4).scale, 1.0f);
  EXPECT_EQ(mGame->m_bottleFill, 5u * 70u);
}

TEST_F(PotionScreen, AChainHeldThroughAPauseIsScoredAtTheNextRelease) {
  AtLevel(1);
  Show(2, 3);
  Run(120);
  for (int i = 0; i < 3; ++i) mGame->m_cells[i][2].type = 1;
  mGame->m_cells[5][5].type = 2;
  DragChain({{0, 2}, {1, 2}, {2, 2}}, false);
  ASSERT_EQ(mGame->m_chainLength, 3);
  // Escape with the button still held: paused, and the release is the pause's.
  mGame->KeyDown(static_cast<Tesk::KeyCode>(27));
  EXPECT_EQ(mGame->m_state, 6);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_GAME_OPTIONS);
  Manager()->MouseUp(CentreX({2, 2}), CentreY({2, 2}), 1);
  EXPECT_EQ(mGame->m_points, 4);
  EXPECT_EQ(mGame->m_chainLength, 3);
  // Back in play the chain is still held: a press elsewhere cannot start another, and its
  // release scores the held one.
  mGame->setGameState(8);
  for (int i = 0; i < 400 && mGame->m_state != 3; ++i) mGame->Update();
  ASSERT_EQ(mGame->m_state, 3);
  Click(CentreX({5, 5}), CentreY({5, 5}));
  EXPECT_EQ(mGame->m_chainLength, 0);
  EXPECT_EQ(mGame->m_points, 5);
  EXPECT_EQ(mGame->m_cells[5][5].type, 2);
}

TEST_F(PotionScreen, TheIdleHintComesAfterFifteenSecondsUnlessAChainWasScored) {
  AtLevel(1);
  App().mProfile.setHelpBox(true);
  App().mProfile.setHintBlock(8);
  Show(2, 4);
  Run(1500);
  EXPECT_EQ(mGame->m_state, 3);
  Run(1);
  EXPECT_EQ(mGame->m_state, 6);
  EXPECT_EQ(mPopup->m_type, Tesk::POPUP_HINT_INGREDIENTS_DONT_MOVE);

  // A scored chain marks the hint as not needed.
  Leave();
  mGame = NewScreen();
  AtLevel(1);
  App().mProfile.setHelpBox(true);
  Show(2, 4);
  Run(10);
  for (int i = 0; i < 3; ++i) mGame->m_cells[i][5].type = 2;
  DragChain({{0, 5}, {1, 5}, {2, 5}});
  EXPECT_TRUE(App().mProfile.getHintBlock(25));
  Run(2000);
  EXPECT_EQ(mGame->m_state, 3);
}

}  // namespace

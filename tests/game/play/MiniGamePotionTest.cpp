// The potion game's board on the real mini-game screen with the generated potion block: board
// shapes and targets per chapter, chains and their points, the borders of the board and of the
// bottle, the bottle's penalty and reshuffle, the 8 % floor, and scripted players that win
// every chapter, reshuffling whenever the board offers no chain.
#include <gtest/gtest.h>

#include <set>

#include "PotionRig.h"
#include "app/TeskAppBase.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ResourceIds.h"

namespace {

using PotionTest::CellAt;
using PotionTest::PotionRig;
using PotionTest::Solver;
using Tesk::MiniGame;

using Potion = PotionRig;

struct ShapeCase {
  int level;
  int target;  // on difficulty 1
  std::set<std::pair<int, int>> removed;
};

const std::set<std::pair<int, int>> k_shape1 = {{1, 1}, {7, 1}, {1, 6}, {7, 6}};
std::set<std::pair<int, int>> Join(std::set<std::pair<int, int>> a, const std::set<std::pair<int, int>>& b) {
  a.insert(b.begin(), b.end());
  return a;
}
const std::set<std::pair<int, int>> k_shape3 = Join(k_shape1, {{2, 2}, {6, 2}, {2, 5}, {6, 5}});
const std::set<std::pair<int, int>> k_shape4 = Join(k_shape3, {{0, 0}, {8, 0}, {0, 7}, {8, 7}});
const std::set<std::pair<int, int>> k_shape5 = Join(k_shape4, {{0, 2}, {8, 2}, {0, 5}, {8, 5}});

TEST_F(Potion, EachChapterHasItsBoardShapeTargetAndGrid) {
  const ShapeCase kCases[] = {
      {1, 60, {}},         {3, 85, k_shape1},  {5, 105, {{3, 3}, {4, 3}, {5, 3}, {3, 4}, {4, 4}, {5, 4}}},
      {7, 115, k_shape3},  {9, 130, k_shape4}, {11, 140, k_shape5},
      {2, 60, {}},  // an even level has no potion game of its own; it reads as the chapter before
      {12, 140, k_shape5},
  };
  for (const ShapeCase& c : kCases) {
    SCOPED_TRACE(c.level);
    for (int aDifficulty : {0, 1, 2}) {
      Start(c.level, aDifficulty);
      EXPECT_EQ(mGame->m_target, c.target + (aDifficulty == 2 ? 15 : 0));
      EXPECT_EQ(mGame->m_points, 0);
      EXPECT_EQ(mGame->m_bottleFill, 0u);
      EXPECT_EQ(mGame->m_numIngredientKinds, 6);
      EXPECT_EQ(mGame->m_chainLength, 0);
      EXPECT_EQ(mGame->m_chainKind, -1);
    }
    for (int i = 0; i < 9; ++i)
      for (int j = 0; j < 8; ++j) {
        const MiniGame::PotionCell& p = Cell(i, j);
        EXPECT_EQ(p.exists, c.removed.count({i, j}) ? 0 : 1) << i << "," << j;
        // Ingredient image 0 is 60 wide: the grid starts at (5 + 155, 5 + 20), 70 apart.
        EXPECT_EQ(p.x, 160 + 70 * i);
        EXPECT_EQ(p.y, 25 + 70 * j);
        EXPECT_EQ(p.scale, 0.0f);
        EXPECT_GE(p.growSpeed, 0.015f);
        EXPECT_LT(p.growSpeed, 0.04f);
        EXPECT_EQ(p.selected, 0);
      }
  }
}

TEST_F(Potion, KindsComeFromTheCLibraryGeneratorAndGrowSpeedsFromTheFrameworks) {
  Start(1, 1, 77);
  std::srand(77);
  for (int i = 0; i < 9; ++i)
    for (int j = 0; j < 8; ++j) EXPECT_EQ(Cell(i, j).type, std::rand() % 6) << i << "," << j;
  // The grow speeds took one framework draw per cell: the next draw is the 73rd after the seed.
  Tesk::SRand(77);
  for (int i = 0; i < 72; ++i) Tesk::Rand();
  const int anExpected = Tesk::Rand();
  Start(1, 1, 77);
  EXPECT_EQ(Tesk::Rand(), anExpected);

  // A cell whose speed is 0 draws a new one at the next update; the others keep theirs.
  const float aKept = Cell(4, 4).growSpeed;
  Mutable(2, 3).growSpeed = 0.0f;
  mGame->updatePotionGrowSpeeds();
  EXPECT_GE(Cell(2, 3).growSpeed, 0.015f);
  EXPECT_EQ(Cell(4, 4).growSpeed, aKept);
}

TEST_F(Potion, SetUpLaysOutConnectorsAndAnimationsAndShakesTheBoard) {
  Start(1);
  for (int d = 0; d < 8; ++d)
    EXPECT_EQ(MiniGame::s_connectorOffsets[d].image, mGame->m_images[9 + d % 4]) << d;
  EXPECT_EQ(mGame->m_bubbleAnims[0].getFrameOn(), 0);
  EXPECT_EQ(mGame->m_bubbleAnims[1].getFrameOn(), 5);
  EXPECT_EQ(mGame->m_bubbleAnims[1].getX(), 64);
  EXPECT_EQ(mGame->m_bubbleAnims[0].getY(), 270);
  EXPECT_EQ(mGame->m_bubbleAnims[0].getCellHeight(), mGame->m_images[15]->GetHeight());
  EXPECT_EQ(mGame->m_chainHeadAnim.getCellWidth(), mGame->m_images[16]->GetWidth() / 5);
  App().mSamples.clear();
  std::srand(3);
  mGame->setupPotionGame(false);
  EXPECT_EQ(Played(Tesk::SFX_MATCH_SHUFFLE), 1);

  // A restored game keeps its board, chain and scores; only the ingredients grow in again.
  Mutable(3, 3).type = 4;
  Mutable(3, 3).scale = 1.0f;
  mGame->m_points = 17;
  mGame->m_bottleFill = 900;
  mGame->setupPotionGame(true);
  EXPECT_EQ(Cell(3, 3).type, 4);
  EXPECT_EQ(Cell(3, 3).scale, 0.0f);
  EXPECT_EQ(mGame->m_points, 17);
  EXPECT_EQ(mGame->m_bottleFill, 900u);
}

TEST_F(Potion, AChainOfNScoresNMinusTwo) {
  for (int n = 1; n <= 9; ++n) {
    SCOPED_TRACE(n);
    Start(1);
    Paint([](int, int j) { return j == 0 ? 2 : (j % 2) + 3; });  // row 0 all alike
    Run(1);
    const int aBefore = mGame->m_points;
    ASSERT_EQ(aBefore, 4);  // the 8 % floor of 60
    std::vector<CellAt> aPath;
    for (int i = 0; i < n; ++i) aPath.push_back({i, 0});
    Drag(aPath);
    EXPECT_EQ(mGame->m_chainLength, n);
    EXPECT_EQ(Played(Tesk::SFX_MATCH_CONNECT), n);
    Release(CentreX(n - 1, 0), CentreY(n - 1, 0));
    EXPECT_EQ(mGame->m_points, aBefore + (n > 2 ? n - 2 : 0));
    EXPECT_EQ(mGame->m_chainLength, 0);
    EXPECT_EQ(mGame->m_chainKind, -1);
    int aBursts = 0;
    for (const PARTICLE::ParticleSystem& s : PARTICLE::m_particleSystemArray) aBursts += s.m_type == 9;
    EXPECT_EQ(aBursts, n > 2 ? n : 0);
    for (int i = 0; i < n; ++i) {
      EXPECT_EQ(Cell(i, 0).selected, 0);
      if (n > 2)
        EXPECT_EQ(Cell(i, 0).scale, 0.0f);
      else
        EXPECT_GT(Cell(i, 0).scale, 0.0f);
    }
    if (n <= 2) {
      // Nothing but the marks changed.
      for (int i = 0; i < n; ++i) EXPECT_EQ(Cell(i, 0).type, 2);
      EXPECT_EQ(mGame->m_longestChain, 0);
      EXPECT_EQ(Played(Tesk::SFX_OBJECT_FOUND) + Played(Tesk::SFX_REPEL_CLICK), 0);
    } else {
      EXPECT_EQ(mGame->m_longestChain, n);
      EXPECT_EQ(Played(Tesk::SFX_REVEAL), 1);
      EXPECT_EQ(Played(n > 4 ? Tesk::SFX_REPEL_CLICK : Tesk::SFX_OBJECT_FOUND), 1);
      EXPECT_EQ(Played(n > 4 ? Tesk::SFX_OBJECT_FOUND : Tesk::SFX_REPEL_CLICK), 0);
    }
  }
}

TEST_F(Potion, ChainsFollowLikeNeighboursInAllEightDirections) {
  // Where the earlier cell lies as seen from the new one, by direction.
  const CellAt kEarlier[8] = {{-1, 0}, {-1, -1}, {0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}};
  const CellAt kNew[] = {{4, 4}, {1, 1}, {7, 6}};
  for (const CellAt& n : kNew) {
    for (int d = 0; d < 8; ++d) {
      SCOPED_TRACE(std::to_string(n.column) + "," + std::to_string(n.row) + " d " + std::to_string(d));
      Start(1);
      Paint([](int, int) { return 1; });
      const CellAt e = {n.column + kEarlier[d].column, n.row + kEarlier[d].row};
      Drag({e, n});
      ASSERT_EQ(mGame->m_chainLength, 2);
      EXPECT_EQ(Cell(e.column, e.row).connector, &MiniGame::s_connectorOffsets[d]);
      EXPECT_EQ(Cell(e.column, e.row).connector->image, mGame->m_images[9 + d % 4]);
      EXPECT_EQ(Cell(n.column, n.row).connector, nullptr);
      // Two cells apart in that direction is no link.
      mGame->finishTestForPiecePress();
      const CellAt f = {n.column + 2 * kEarlier[d].column, n.row + 2 * kEarlier[d].row};
      Drag({f, n});
      EXPECT_EQ(mGame->m_chainLength, 1);
      mGame->finishTestForPiecePress();
    }
  }
}

TEST_F(Potion, DraggingBackCutsTheChainAndOtherKindsAreRefused) {
  Start(1);
  PaintNoChain();
  for (int i = 0; i < 5; ++i) Mutable(i, 0).type = 5;
  Mutable(5, 0).type = 0;
  Drag({{0, 0}, {1, 0}, {2, 0}, {3, 0}, {4, 0}});
  ASSERT_EQ(mGame->m_chainLength, 5);
  EXPECT_EQ(mGame->m_glowMode, 1u);
  App().mSamples.clear();
  Press({4, 0});  // the head itself: nothing
  Press({5, 0});  // another kind: nothing
  Press({0, 1});  // another kind next to the chain's start: nothing
  EXPECT_TRUE(App().mSamples.empty());
  EXPECT_EQ(mGame->m_chainLength, 5);

  Press({1, 0});  // back over the second cell
  EXPECT_EQ(mGame->m_chainLength, 2);
  EXPECT_EQ(mGame->m_chain[1], &Cell(1, 0));
  EXPECT_EQ(Played(Tesk::SFX_MATCH_UNCONNECT), 1);
  EXPECT_EQ(Played(Tesk::SFX_MATCH_CONNECT), 1);
  for (int i = 0; i < 5; ++i) EXPECT_EQ(Cell(i, 0).selected, i < 2 ? 1 : 0) << i;
  EXPECT_EQ(mGame->m_glowMode, 0u);  // shorter than 3

  Press({2, 0});
  Press({3, 0});
  EXPECT_EQ(mGame->m_chainLength, 4);
  EXPECT_EQ(mGame->m_chain[3], &Cell(3, 0));
  Release(CentreX(3, 0), CentreY(3, 0));
  EXPECT_EQ(mGame->m_longestChain, 4);
}

TEST_F(Potion, TheGlowPulsesWhileTheChainIsLong) {
  Start(1);
  Paint([](int, int) { return 0; });
  Drag({{0, 0}, {0, 1}});
  EXPECT_EQ(mGame->m_glowMode, 0u);
  Press({0, 2});
  EXPECT_EQ(mGame->m_glowMode, 1u);
  EXPECT_EQ(mGame->m_glowValue, 1.0f);
  int aDimming = 0;
  while (mGame->m_glowMode == 1 && aDimming < 100) {
    Run(1);
    ++aDimming;
  }
  EXPECT_EQ(aDimming, 39);  // 1.0 down to 0.65 in steps of 0.009
  EXPECT_EQ(mGame->m_glowValue, MiniGame::k_pulseDarkestColor);
  EXPECT_EQ(mGame->m_glowMode, 2u);
  int aBrightening = 0;
  while (mGame->m_glowMode == 2 && aBrightening < 100) {
    Run(1);
    ++aBrightening;
  }
  EXPECT_EQ(aBrightening, 28);  // 0.65 up to 0.9
  EXPECT_EQ(mGame->m_glowValue, 0.9f);
  Press({0, 3});
  EXPECT_EQ(mGame->m_glowMode, 1u);  // a longer chain does not restart the pulse
  EXPECT_EQ(mGame->m_glowValue, 0.9f);
}

TEST_F(Potion, TheBoardsBordersTakeOnlyPointsOnItsIngredients) {
  Start(1);
  Paint([](int, int) { return 3; });
  // Just outside the first cell, left and above: column and row 0 by division toward zero, but
  // outside the cell's box.
  mGame->testForPiecePress(159, 40);
  mGame->testForPiecePress(170, 24);
  mGame->testForPiecePress(100, 40);
  EXPECT_EQ(mGame->m_chainLength, 0);
  // The gap between two cells belongs to the left cell's column and to no box.
  mGame->testForPiecePress(160 + 60, 40);
  mGame->testForPiecePress(160 + 69, 40);
  EXPECT_EQ(mGame->m_chainLength, 0);
  // Right of and below the last cell: past the board.
  mGame->testForPiecePress(720 + 60, 515 + 10);
  mGame->testForPiecePress(720 + 75, 515 + 10);
  mGame->testForPiecePress(730, 515 + 70);
  mGame->testForPiecePress(-5000, -5000);
  mGame->testForPiecePress(40000, 40000);
  EXPECT_EQ(mGame->m_chainLength, 0);
  // The corners of the box itself: left and top edges in, right and bottom out.
  mGame->testForPiecePress(720, 515);
  EXPECT_EQ(mGame->m_chainLength, 1);
  mGame->testForPiecePress(720 - 70 + 59, 515 - 70 + 59);  // (7, 6)'s bottom-right pixel
  EXPECT_EQ(mGame->m_chainLength, 2);
  mGame->finishTestForPiecePress();

  // Cells 7 and 8 of the store are (0, 7) and (1, 0): next in memory, not on the board.
  Drag({{0, 7}, {1, 0}});
  EXPECT_EQ(mGame->m_chainLength, 1);
  mGame->finishTestForPiecePress();
  // Right column to left column of the next row is no link either.
  Drag({{8, 0}, {0, 1}});
  EXPECT_EQ(mGame->m_chainLength, 1);
  mGame->finishTestForPiecePress();

  // Nothing is taken outside state 3.
  mGame->m_state = 6;
  Press({4, 4});
  EXPECT_EQ(mGame->m_chainLength, 0);
}

TEST_F(Potion, RemovedCellsAreNeitherPressedNorSteppedOver) {
  Start(3);  // (1, 1), (7, 1), (1, 6), (7, 6) removed
  Paint([](int, int) { return 2; });
  Press({1, 1});
  EXPECT_EQ(mGame->m_chainLength, 0);
  Drag({{0, 1}, {2, 1}});  // over the gap
  EXPECT_EQ(mGame->m_chainLength, 1);
  mGame->finishTestForPiecePress();
  Drag({{0, 1}, {1, 0}, {2, 1}});  // around it
  EXPECT_EQ(mGame->m_chainLength, 3);
  Release(0, 0);
  EXPECT_EQ(mGame->m_points, 1);  // no update yet: no floor either
  // The removed cells were not renewed, do not grow and are not drawn.
  Run(200);
  EXPECT_EQ(Cell(1, 1).scale, 0.0f);
  EXPECT_EQ(Cell(0, 0).scale, 1.0f);
}

TEST_F(Potion, AChainOfThirtyNineTakesNoFurtherCell) {
  Start(1);
  Paint([](int, int) { return 4; });
  std::vector<CellAt> aSnake;
  for (int j = 0; j < 8; ++j)
    for (int k = 0; k < 9; ++k) aSnake.push_back({j % 2 ? 8 - k : k, j});
  Drag(std::vector<CellAt>(aSnake.begin(), aSnake.begin() + 45));
  EXPECT_EQ(mGame->m_chainLength, 39);
  EXPECT_EQ(mGame->m_chain[38], &Cell(aSnake[38].column, aSnake[38].row));
  EXPECT_EQ(Cell(aSnake[39].column, aSnake[39].row).selected, 0);
  Press(aSnake[3]);  // not even a cut
  EXPECT_EQ(mGame->m_chainLength, 39);
  Run(1);
  Release(0, 0);
  EXPECT_EQ(mGame->m_points, 4 + 37);
  EXPECT_EQ(mGame->m_longestChain, 39);
}

struct PenaltyCase {
  int level;
  int difficulty;
  int points;
  uint32_t fill;
  int pointsAfter;
  uint32_t fillAfter;
};

TEST_F(Potion, TheBottleCostsThreePercentAndReshufflesTheWholeBoard) {
  const PenaltyCase kCases[] = {
      {1, 1, 10, 700, 9, 630},  // target 60: 1.8 -> 1
      {1, 1, 10, 500, 9, 500},  // the fill is below the new points: it stays
      {11, 1, 10, 0, 6, 0},     // target 140: 4.2 -> 4
      {11, 2, 3, 210, 0, 0},    // target 155: 4.65 -> 4, and never below 0
      {1, 1, 0, 0, 0, 0},
  };
  for (const PenaltyCase& c : kCases) {
    SCOPED_TRACE(c.level * 100 + c.points);
    Start(c.level, c.difficulty, 9);
    mGame->m_points = static_cast<int16_t>(c.points);
    mGame->m_bottleFill = c.fill;
    for (auto& aColumn : mGame->m_cells)
      for (MiniGame::PotionCell& p : aColumn) p.scale = 1.0f;
    std::srand(21);
    ClickBottle();
    EXPECT_EQ(mGame->m_points, c.pointsAfter);
    EXPECT_EQ(mGame->m_bottleFill, c.fillAfter);
    EXPECT_EQ(Played(Tesk::SFX_MATCH_SHUFFLE), 1);
    // Every cell, removed ones too, drew a new kind in board order and grows in from nothing.
    std::srand(21);
    for (int i = 0; i < 9; ++i)
      for (int j = 0; j < 8; ++j) {
        EXPECT_EQ(Cell(i, j).type, std::rand() % 6);
        EXPECT_EQ(Cell(i, j).scale, 0.0f);
      }
    App().mSamples.clear();
  }
  // With no points left the next update raises them to the floor.
  Run(1);
  EXPECT_EQ(mGame->m_points, 4);
  EXPECT_EQ(mGame->m_bottleFill, 336u);
}

TEST_F(Potion, TheBottlesHitBoxStaysPutWhateverTheLanguage) {
  const int kLanguages[] = {0, 3};
  for (int aLanguage : kLanguages) {
    Tesk::TeskAppBase::s_languageUsing = aLanguage;
    Start(1);
    const int w = mGame->m_images[13]->GetWidth(), h = mGame->m_images[13]->GetHeight();
    const int aLeft = 70 - w / 2;
    struct Point {
      int x, y;
      bool hit;
    };
    const Point kPoints[] = {{aLeft, 230, true},      {aLeft - 1, 230, false}, {aLeft + w - 1, 230, true},
                             {aLeft + w, 300, false}, {70, 229, false},        {70, 230 + h - 1, true},
                             {70, 230 + h, false},    {70, 230 - 21, false}};
    for (const Point& p : kPoints) {
      SCOPED_TRACE(std::to_string(aLanguage) + ": " + std::to_string(p.x) + "," + std::to_string(p.y));
      App().mSamples.clear();
      mGame->m_points = 20;
      Release(p.x, p.y);
      EXPECT_EQ(mGame->m_points, p.hit ? 19 : 20);
      EXPECT_EQ(Played(Tesk::SFX_MATCH_SHUFFLE), p.hit ? 1 : 0);
    }
  }
  Tesk::TeskAppBase::s_languageUsing = 0;
}

TEST_F(Potion, TheFloorKeepsEightPercentAndScoresAboveItStay) {
  const int kTargets[] = {60, 75, 85, 100, 105, 115, 120, 130, 140, 145, 155};
  for (int aTarget : kTargets) {
    SCOPED_TRACE(aTarget);
    Start(1);
    mGame->m_target = static_cast<int16_t>(aTarget);
    Run(1);
    EXPECT_EQ(mGame->m_points, aTarget * 8 / 100);
    EXPECT_EQ(mGame->m_bottleFill, static_cast<uint32_t>(aTarget * 70 * 8 / 100));
    // A score above the floor is kept; the bottle fills one 70th of a point per update.
    mGame->m_points = static_cast<int16_t>(aTarget * 8 / 100 + 3);
    const uint32_t aFill = mGame->m_bottleFill;
    Run(100);
    EXPECT_EQ(mGame->m_points, aTarget * 8 / 100 + 3);
    EXPECT_EQ(mGame->m_bottleFill, aFill + 100);
    Run(500);
    EXPECT_EQ(mGame->m_bottleFill, static_cast<uint32_t>(mGame->m_points) * 70u);
  }
}

TEST_F(Potion, IngredientsGrowInAtTheirOwnSpeed) {
  Start(1);
  Mutable(0, 0).growSpeed = 0.025f;
  Run(39);
  EXPECT_NEAR(Cell(0, 0).scale, 0.975f, 1e-4);
  Run(2);
  EXPECT_EQ(Cell(0, 0).scale, 1.0f);
  Run(100);
  for (int i = 0; i < 9; ++i)
    for (int j = 0; j < 8; ++j) EXPECT_EQ(Cell(i, j).scale, 1.0f);
}

TEST_F(Potion, TwoThreeLongChainsInARowBringTheHelpBoxOnce) {
  Tesk::PopupBox aPopup(&App());
  aPopup.Init();
  mGame->m_popup = &aPopup;
  Start(1);
  App().mProfile.setHelpBox(true);
  Paint([](int, int j) { return j < 4 ? 1 : 2; });
  Chain({{0, 0}, {1, 0}, {2, 0}});
  EXPECT_EQ(mGame->m_threeChainCount, 1);
  Chain({{0, 1}, {1, 1}, {2, 1}, {3, 1}});
  EXPECT_EQ(mGame->m_threeChainCount, 0);
  EXPECT_TRUE(App().mProfile.getHintBlock(25));  // scoring tells the idle hint it is not needed
  Chain({{0, 2}, {1, 2}, {2, 2}});
  EXPECT_EQ(mGame->m_state, 3);
  Chain({{0, 3}, {1, 3}, {2, 3}});
  EXPECT_EQ(mGame->m_state, 6);
  EXPECT_EQ(aPopup.m_type, Tesk::POPUP_HINT_REPEATED_MATCH3);
  EXPECT_TRUE(aPopup.mVisible);
  EXPECT_FALSE(aPopup.mDisabled);
  EXPECT_EQ(aPopup.m_parent, mGame.get());
  EXPECT_TRUE(App().mProfile.getHintBlock(10));
  // Once shown, never again.
  mGame->m_state = 3;
  aPopup.setType(0);
  Chain({{0, 5}, {1, 5}, {2, 5}});
  Chain({{0, 6}, {1, 6}, {2, 6}});
  EXPECT_EQ(mGame->m_state, 3);
  EXPECT_EQ(aPopup.m_type, 0);
  mGame->m_popup = nullptr;
}

TEST_F(Potion, ReachingTheTargetWinsOnceAndTheBottleThenTakesNothing) {
  Start(1);
  Paint([](int, int) { return 0; });
  Run(1);
  mGame->m_points = 57;
  Drag({{0, 0}, {1, 0}, {2, 0}, {3, 0}});
  EXPECT_EQ(mGame->m_state, 3);
  mGame->finishTestForPiecePress();
  EXPECT_EQ(mGame->m_points, 59);
  EXPECT_EQ(mGame->m_state, 3);
  Drag({{0, 1}, {1, 1}, {2, 1}});
  Release(70, 300);  // released over the bottle
  EXPECT_EQ(mGame->m_points, 60);
  EXPECT_TRUE(mGame->isInWinState());
  EXPECT_EQ(Played(Tesk::SFX_MINIGAME_PASSED), 1);
  EXPECT_EQ(Played(Tesk::SFX_MATCH_SHUFFLE), 0);
}

// A player who drags the longest chain the board offers, and when it offers none, clicks the
// bottle; every chapter is won in a bounded number of moves, on both difficulties.
TEST_F(Potion, AScriptedPlayerWinsEveryChapter) {
  for (int aLevel : {1, 3, 5, 7, 9, 11}) {
    for (int aDifficulty : {1, 2}) {
      SCOPED_TRACE(aLevel * 10 + aDifficulty);
      Start(aLevel, aDifficulty, static_cast<unsigned>(aLevel * 31 + aDifficulty));
      int aMoves = 0, aReshuffles = 0, aScored = 0;
      Run(120);  // the board grows in
      while (mGame->m_state == 3 && aMoves < 400) {
        ++aMoves;
        Solver aSolver(*mGame);
        const std::vector<CellAt> aChain = aSolver.longestChain(8);
        if (aChain.empty()) {
          const int aBefore = mGame->m_points;
          ClickBottle();
          EXPECT_EQ(mGame->m_points, aBefore - mGame->m_target * 3 / 100);
          ++aReshuffles;
        } else {
          const int aBefore = mGame->m_points;
          Chain(aChain);
          EXPECT_EQ(mGame->m_points, aBefore + static_cast<int>(aChain.size()) - 2);
          aScored += static_cast<int>(aChain.size()) - 2;
        }
        Run(60);
      }
      EXPECT_TRUE(mGame->isInWinState()) << mGame->m_points << " of " << mGame->m_target;
      EXPECT_GE(mGame->m_points, mGame->m_target);
      EXPECT_GT(aScored, 0);
      EXPECT_EQ(Played(Tesk::SFX_MINIGAME_PASSED), 1);
      std::printf("level %d difficulty %d: %d moves, %d reshuffles\n", aLevel, aDifficulty, aMoves,
                  aReshuffles);
    }
  }
}

TEST_F(Potion, ABoardWithoutAChainIsReshuffledByTheBottle) {
  Start(5, 1, 4);
  PaintNoChain();
  Run(1);
  mGame->m_points = 30;
  Solver aSolver(*mGame);
  ASSERT_TRUE(aSolver.longestChain(8).empty());
  // Every press and drag on it gives at most two cells.
  for (int i = 0; i < 9; ++i)
    for (int j = 0; j < 8; ++j) {
      Press({i, j});
      EXPECT_LE(mGame->m_chainLength, 1);
    }
  mGame->finishTestForPiecePress();
  EXPECT_EQ(mGame->m_points, 30);
  std::srand(99);
  ClickBottle();
  EXPECT_EQ(mGame->m_points, 30 - 105 * 3 / 100);
  std::srand(99);
  int aDiffering = 0;
  for (int i = 0; i < 9; ++i)
    for (int j = 0; j < 8; ++j) {
      const int aKind = std::rand() % 6;
      EXPECT_EQ(Cell(i, j).type, aKind);
      aDiffering += aKind != (i % 2) * 2 + (j % 2);
    }
  EXPECT_GT(aDiffering, 0);
  Solver aNext(*mGame);
  EXPECT_FALSE(aNext.longestChain(8).empty());  // this seed's board has chains again
}

}  // namespace

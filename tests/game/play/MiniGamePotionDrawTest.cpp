// The potion game drawn by its own drawing code with the generated potion block, the side bar
// picture and the game's fonts and texts: a chapter's board with its gap, a chain being dragged
// with its glowing backdrops, links and head, the bottle filling in the chapter's colour with the
// points still pouring in red, and everything going dark with the fade. The picture is written
// as a PNG under the tests' scratch folder ("potion-screens").
#include <gtest/gtest.h>

#include <cstdio>

#include "FontSheetWriter.h"
#include "PotionRig.h"
#include "support/TestTemp.h"

namespace {

using PotionTest::PotionRig;
using Tesk::MiniGame;

struct Rgb {
  int r, g, b;
};

Rgb At(const Tesk::MemoryImage& theScreen, int x, int y) {
  const uint32_t p = const_cast<Tesk::MemoryImage&>(theScreen).GetBits()[y * 800 + x];
  return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
}

class PotionDraw : public PotionRig {
 protected:
  // Chapter 5 (the centre of the board left out), grown in, a chain of four under way, 55 of 60
  // points poured into the bottle.
  void SetUp() override {
    PotionRig::SetUp();
    Start(5, 1, 12);
    Run(150);
    for (auto [i, j] : {std::pair{0, 0}, {1, 0}, {2, 0}, {2, 1}}) Mutable(i, j).type = 0;
    Mutable(3, 0).type = 1;
    Mutable(3, 1).type = 1;
    Drag({{0, 0}, {1, 0}, {2, 0}, {2, 1}});
    ASSERT_EQ(mGame->m_chainLength, 4);
    mGame->m_points = 60;
    mGame->m_bottleFill = 55 * 70;
    mGame->m_longestChain = 7;
  }
  std::string Save(Tesk::MemoryImage& theScreen, const std::string& theName) {
    static const std::string sDir = TeskTest::MakeTempDir("potion-screens");
    const std::string aPath = sDir + "/" + theName + ".png";
    EXPECT_TRUE(TeskTools::WritePng(aPath, 800, 600, theScreen.GetBits()));
    std::printf("screenshot: %s\n", aPath.c_str());
    return aPath;
  }
};

TEST_F(PotionDraw, TheBoardShowsItsShapeTheChainAndTheBottle) {
  auto aScreen = Draw();
  Save(*aScreen, "potion_chapter5_chain");

  // The gap in the middle shows the background as a board with no cells at all does.
  uint8_t aKept[9][8];
  for (int i = 0; i < 9; ++i)
    for (int j = 0; j < 8; ++j) {
      aKept[i][j] = Cell(i, j).exists;
      Mutable(i, j).exists = 0;
    }
  auto anEmpty = Draw();
  for (int i = 0; i < 9; ++i)
    for (int j = 0; j < 8; ++j) Mutable(i, j).exists = aKept[i][j];
  const MiniGame::PotionCell& aGap = Cell(4, 3);
  ASSERT_EQ(aGap.exists, 0);
  int aDifferent = 0;
  for (int y = aGap.y - 5; y < aGap.y + 65; ++y)
    for (int x = aGap.x - 5; x < aGap.x + 65; ++x) {
      const Rgb a = At(*aScreen, x, y), b = At(*anEmpty, x, y);
      aDifferent += a.r != b.r || a.g != b.g || a.b != b.b;
    }
  EXPECT_EQ(aDifferent, 0);
  // An existing cell's square is drawn over.
  const MiniGame::PotionCell& aFull = Cell(6, 6);
  EXPECT_NE(At(*aScreen, aFull.x + 30, aFull.y + 30).r + At(*aScreen, aFull.x + 30, aFull.y + 30).g,
            At(*anEmpty, aFull.x + 30, aFull.y + 30).r + At(*anEmpty, aFull.x + 30, aFull.y + 30).g);

  // Chained cells sit on the bright backdrop (glowing at full), the others on the dark one: the
  // left edge of the backdrop, beside the ingredient.
  const Rgb aChained = At(*aScreen, Cell(1, 0).x + 2, Cell(1, 0).y + 30);
  const Rgb aPlain = At(*aScreen, Cell(1, 2).x + 2, Cell(1, 2).y + 30);
  EXPECT_GT(aChained.r, 180) << aChained.g << " " << aChained.b;
  EXPECT_LT(aPlain.r, 100);
  // The link from (0, 0) to (1, 0) crosses the gap between them; none between unchained cells.
  const Rgb aLink = At(*aScreen, Cell(0, 0).x + 64, Cell(0, 0).y + 30);
  const Rgb aNoLink = At(*aScreen, Cell(0, 3).x + 64, Cell(0, 3).y + 30);
  EXPECT_GT(aLink.r, 200);
  EXPECT_LT(aNoLink.r, 110);
  // The head (2, 1) wears its ring, which reaches into the gap right of the cell.
  const Rgb aRing = At(*aScreen, Cell(2, 1).x + 64, Cell(2, 1).y + 30);
  EXPECT_GT(aRing.r, 150);
  EXPECT_GT(aRing.g, 120);

  // The bottle of chapter 5 is magenta; the 5 points not yet poured in show red above it.
  const Rgb aPotion = At(*aScreen, 70, 360);
  EXPECT_GT(aPotion.r, aPotion.g + 60);
  EXPECT_GT(aPotion.b, aPotion.g + 60);
  const Rgb aPouring = At(*aScreen, 70, 314);
  EXPECT_GT(aPouring.r, aPouring.g + 60);
  EXPECT_GT(aPouring.r, aPouring.b + 60);
  // Above both, the bottle is empty.
  const Rgb anEmptyPart = At(*aScreen, 70, 290);
  EXPECT_LT(anEmptyPart.r, aPouring.r - 60);
}

TEST_F(PotionDraw, GrowingIngredientsAreDrawnSmallAndCentred) {
  MiniGame::PotionCell& p = Mutable(6, 6);
  p.scale = 1.0f;
  auto aFull = Draw();
  p.scale = 0.25f;
  auto aSmall = Draw();
  p.scale = 0.0f;
  auto aNone = Draw();
  // The corner of the ingredient's box: drawn over only at full size; the centre at every size
  // but 0, where the backdrop shows.
  auto Same = [](const Rgb& a, const Rgb& b) { return a.r == b.r && a.g == b.g && a.b == b.b; };
  int aCornerFull = 0, aCornerSmall = 0;
  for (int y = p.y + 6; y < p.y + 22; ++y)
    for (int x = p.x + 6; x < p.x + 22; ++x) {
      aCornerFull += !Same(At(*aFull, x, y), At(*aNone, x, y));
      aCornerSmall += !Same(At(*aSmall, x, y), At(*aNone, x, y));
    }
  EXPECT_GT(aCornerFull, 0);
  EXPECT_EQ(aCornerSmall, 0);
  int aCentreSmall = 0;
  for (int y = p.y + 24; y < p.y + 36; ++y)
    for (int x = p.x + 24; x < p.x + 36; ++x) aCentreSmall += !Same(At(*aSmall, x, y), At(*aNone, x, y));
  EXPECT_GT(aCentreSmall, 0);
}

TEST_F(PotionDraw, EverythingGoesDarkWithTheFade) {
  Tesk::GameApp::sm_colorFade = 0.0f;
  Tesk::GameApp::sm_fadeColoru8Value = 0;
  auto aScreen = Draw();
  int aLit = 0;
  for (int y = 0; y < 600; ++y)
    for (int x = 0; x < 800; ++x) {
      const Rgb p = At(*aScreen, x, y);
      aLit += p.r + p.g + p.b > 0;
    }
  EXPECT_EQ(aLit, 0);
}

}  // namespace

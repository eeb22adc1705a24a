// A scripted potion player's eye: the longest chain of like neighbours that the board, read
// through the screen's accessor, offers at the moment.
#pragma once

#include <vector>

#include "game/play/MiniGame.h"

namespace PotionTest {

struct CellAt {
  int column;
  int row;
};

// The longest chain a player could drag on the board as it stands (depth-first over existing
// like neighbours, up to theLimit cells); empty when none of three or more exists.
class Solver {
 public:
  explicit Solver(const Tesk::MiniGame& theGame) : mGame(theGame) {}

  std::vector<CellAt> longestChain(size_t theLimit) {
    mBest.clear();
    for (int i = 0; i < 9; ++i)
      for (int j = 0; j < 8; ++j) {
        if (!mGame.getPotionCell(i, j).exists) continue;
        std::vector<CellAt> aPath{{i, j}};
        extend(aPath, theLimit);
      }
    if (mBest.size() < 3) mBest.clear();
    return mBest;
  }

 private:
  bool inPath(const std::vector<CellAt>& thePath, int i, int j) {
    for (const CellAt& c : thePath)
      if (c.column == i && c.row == j) return true;
    return false;
  }
  void extend(std::vector<CellAt>& thePath, size_t theLimit) {
    if (thePath.size() > mBest.size()) mBest = thePath;
    if (thePath.size() >= theLimit) return;
    const CellAt h = thePath.back();
    const int aKind = mGame.getPotionCell(h.column, h.row).type;
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy) {
        const int i = h.column + dx, j = h.row + dy;
        if ((dx == 0 && dy == 0) || i < 0 || i > 8 || j < 0 || j > 7 || inPath(thePath, i, j)) continue;
        const Tesk::MiniGame::PotionCell& c = mGame.getPotionCell(i, j);
        if (!c.exists || c.type != aKind) continue;
        thePath.push_back({i, j});
        extend(thePath, theLimit);
        thePath.pop_back();
      }
  }

  const Tesk::MiniGame& mGame;
  std::vector<CellAt> mBest;
};

}  // namespace PotionTest

// The potion game.
#include "game/play/MiniGame.h"

namespace Tesk {

void MiniGame::testForPiecePress(const int&, const int&) {}

void MiniGame::finishTestForPiecePress() {}

void MiniGame::testForPotionPress(int, int) {}

void MiniGame::drawConnectors(Graphics*) {}

void MiniGame::setupPotionGame(bool) {}

void MiniGame::updatePotionGrowSpeeds() {}

void MiniGame::updatePotionGame() {}

void MiniGame::drawPotionBoard(Graphics*) {}

void MiniGame::drawPotionSideBar(Graphics*) {}

}  // namespace Tesk

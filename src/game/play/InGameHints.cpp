// The play scene's hints, spells, coins and runestones.
#include "game/play/InGame.h"

namespace Tesk {

void InGame::hintButtonPress(int) {}

void InGame::repelEvilButtonPress() {}

void InGame::inactivateRepel() {}

void InGame::repelAtLocation(bool) {}

}  // namespace Tesk

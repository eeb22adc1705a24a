// The play scene's hints, spells, coins and runestones.
#include "game/play/InGame.h"

namespace Tesk {

void InGame::hintButtonPress(int) {}

void InGame::repelEvilButtonPress() {}

void InGame::inactivateRepel() {}

void InGame::repelAtLocation(bool) {}

void InGame::startOfLocationChecks() {}

void InGame::foundRepelPickup(Selectable*) {}

void InGame::foundCoin(Selectable*) {}

void InGame::foundRunestone(Selectable*) {}

void InGame::coinUnlockChecks() {}

void InGame::hintsAfterFind(Selectable*) {}

void InGame::updateHelpIdle() {}

void InGame::updateRevealWink() {}

void InGame::updateRepelRecharge() {}

void InGame::updateCrystalBallPulse() {}

}  // namespace Tesk

// The play scene's input and object finding.
#include "game/play/InGame.h"

namespace Tesk {

void InGame::MouseDown(int, int, int) {}

Selectable* InGame::pointObjCollisionCheck(int, int) { return nullptr; }

void InGame::updateHighlighted() {}

void InGame::drawHighlighted(Graphics*, const float&) {}

bool InGame::quickfindTest() { return false; }

void InGame::quickfindReduction() {}

}  // namespace Tesk

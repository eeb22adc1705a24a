// The mini-game's save: the chant or potion game after the level save's header.
#include "game/play/MiniGame.h"

namespace Tesk {

bool MiniGame::saveLevelData() { return false; }

bool MiniGame::loadLevelData() { return false; }

bool MiniGame::loadLevelDataV1(FILE*) { return false; }

bool MiniGame::loadLevelDataV0(FILE*) { return false; }

}  // namespace Tesk

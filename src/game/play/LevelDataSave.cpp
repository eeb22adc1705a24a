// The level save. Its reader and writer are not written yet: a level resumed from a save gets
// fresh find lists, and nothing is saved.
#include <cstdio>

#include "game/play/LevelData.h"
#include "game/shell/GameLog.h"

bool LevelData::loadlevelData() {
  Tesk::LogNotBuilt("the level save (restoring)");
  return false;
}

bool LevelData::loadlevelDataV1(FILE*) { return false; }

bool LevelData::loadlevelDataV0(FILE*) { return false; }

bool LevelData::saveLevelData() {
  Tesk::LogNotBuilt("the level save (writing)");
  return false;
}

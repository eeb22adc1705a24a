// The level save. Its reader and writer are not written yet: a level resumed from a save gets
// fresh find lists, and nothing is saved.
#include <cstdio>

#include "game/play/LevelData.h"

bool LevelData::loadlevelData() {
  std::fprintf(stderr, "Level data: the level save is not built yet; nothing is restored\n");
  return false;
}

bool LevelData::loadlevelDataV1(FILE*) { return false; }

bool LevelData::loadlevelDataV0(FILE*) { return false; }

bool LevelData::saveLevelData() {
  std::fprintf(stderr, "Level data: the level save is not built yet; nothing is saved\n");
  return false;
}

// Writes level saves of level 1 through the game's own writer, as seeds for the save reader's
// fuzz target: level_save_seeds <out-dir>. The level is built from the fixture locations the
// fuzz target loads.
#include <unistd.h>

#include <cstdio>
#include <string>

#include "ImageWriters.h"
#include "LocationFixtures.h"
#include "app/TeskAppBase.h"
#include "core/Common.h"
#include "core/MTRand.h"
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/shell/ProfileData.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: level_save_seeds <out-dir>\n");
    return 2;
  }
  std::string anOut = argv[1];
  char aCwd[4096];
  if (anOut[0] != '/' && getcwd(aCwd, sizeof(aCwd)) != nullptr) anOut = std::string(aCwd) + "/" + anOut;
  Tesk::MkDir(anOut);
  const std::string aWork = "/tmp/level-save-seeds-" + std::to_string(getpid());
  Tesk::MkDir(aWork + "/builddata");
  if (chdir(aWork.c_str()) != 0) return 1;
  for (int anId : {7, 3}) TeskTools::WriteLocationFiles(".", anId, TeskTools::StandardLocation(anId, 2));
  Tesk::TeskAppBase anApp;
  Tesk::ProfileData aProfile;
  aProfile.setProfileName(L"Seeds");
  aProfile.startNewGame(0);
  LevelData aLevel(nullptr, &aProfile);
  Tesk::SRand(11);
  if (!aLevel.load(1, false)) {
    std::fprintf(stderr, "%s\n", aLevel.getLoadError().c_str());
    return 1;
  }
  bool isOk = TeskTools::WriteBytes(anOut + "/level1_fresh.sav", aLevel.levelSaveBytes());

  // A little way in: the first entry of location 7 found, a spell running, darkness clearing.
  LocationData& l = *aLevel.getLocationData(7);
  FindInfo& e = l.m_findInfo[0];
  for (int k = 0; k < e.getCount(); ++k) {
    e.m_parts[k]->setVisible(false);
    e.m_parts[k]->setToFind(false);
  }
  e.setActive(false);
  --l.m_numOpen;
  LevelDynamics& d = Tesk::InGame::m_levelDynamics;
  d.m_repelTimers[7] = 1500;
  d.m_darkness12 = 90;
  d.m_darknessClearing12 = true;
  isOk = TeskTools::WriteBytes(anOut + "/level1_in_progress.sav", aLevel.levelSaveBytes()) && isOk;
  return isOk ? 0 : 1;
}

#pragma once
// The game's application as the level dynamics, the actors and the map see it, for tests and
// tools, without a window: profiles, level data and a play scene of its own, the real sound
// manager (silent, or with a device that decodes every sound and plays nowhere), and the
// samples it plays recorded.
#include <memory>
#include <string>
#include <vector>

#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/shell/GameApp.h"
#include "game/shell/ProfileData.h"

namespace TeskTools {

// The working folder when it was made: the game's application moves into the resources folder
// as it starts, and the rig goes back to where its caller works.
struct KeptFolder {
  KeptFolder();
  std::string mFolder;
};

class LevelAppRig : private KeptFolder, public Tesk::GameApp {
 public:
  explicit LevelAppRig(bool theDevice = false);
  ~LevelAppRig() override;

  using Tesk::GameApp::PlaySample;
  void PlaySample(int theSoundNum) override { mSamples.push_back(theSoundNum); }
  int Played(int theSoundNum) const;
  // The manifest of the working folder, its groups "Constants", "Main" and "Map" bound to the
  // resource globals, and the shared sheets cut from builddata/animsblock.tgab (the rig's to
  // delete); false when any of it is missing.
  bool loadGameGroups();

  Tesk::ProfileData mProfile;
  std::unique_ptr<LevelData> mLevel;
  std::unique_ptr<Tesk::InGame> mScene;
  std::vector<int> mSamples;

 private:
  bool mOwnsSheets = false;
};

}  // namespace TeskTools

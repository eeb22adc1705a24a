// Any bytes as the level save of level 1: the reader refuses them and leaves the level alone,
// or applies them so that every find-list part is an object of its location that points back
// at its entry, and the level writes back to bytes that read to the same bytes again.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "LocationFixtures.h"
#include "app/TeskAppBase.h"
#include "core/Common.h"
#include "core/MTRand.h"
#include "game/play/LevelData.h"
#include "game/shell/ProfileData.h"

namespace {

// Level 1 (locations 7 and 3) from the fixture locations the seeds were written for.
struct Scene {
  Scene() {
    const std::string aDir = "/tmp/fuzz-level-save-" + std::to_string(getpid());
    Tesk::MkDir(aDir + "/builddata");
    if (chdir(aDir.c_str()) != 0) std::abort();
    for (int anId : {7, 3}) TeskTools::WriteLocationFiles(".", anId, TeskTools::StandardLocation(anId, 2));
    mProfile.setProfileName(L"Fuzz");
    mProfile.startNewGame(0);
    Tesk::SRand(1);
    if (!mLevel.load(1, false)) std::abort();
  }
  Tesk::TeskAppBase mApp;
  Tesk::ProfileData mProfile;
  LevelData mLevel{nullptr, &mProfile};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  static Scene* sScene = new Scene;
  LevelData& aLevel = sScene->mLevel;
  const std::string aBefore = aLevel.levelSaveBytes();
  std::string anError;
  if (!aLevel.readLevelSave(std::string(reinterpret_cast<const char*>(theData), theSize), &anError)) {
    if (anError.empty() || aLevel.levelSaveBytes() != aBefore) std::abort();
    return 0;
  }
  for (LocationData& l : aLevel.m_locations) {
    if (l.m_numOpen > LocationData::k_findListSize) std::abort();
    // Every open entry can be finished, and the open count is their number.
    uint32_t anOpen = 0;
    for (FindInfo& e : l.m_findInfo) {
      for (int k = 0; k < e.getCount(); ++k) {
        const Selectable* p = e.m_parts[k];
        if (p < l.m_selectables || p >= l.m_selectables + l.m_numObjects || p->m_findInfo != &e) std::abort();
        if (e.isActive() && (!p->isToFind() || !p->isVisible())) std::abort();
      }
      if (e.isActive() && e.getCount() == 0) std::abort();
      anOpen += e.isActive() ? 1 : 0;
    }
    if (anOpen != l.m_numOpen) std::abort();
  }
  const std::string aWritten = aLevel.levelSaveBytes();
  if (!aLevel.readLevelSave(aWritten, &anError) || aLevel.levelSaveBytes() != aWritten) std::abort();
  return 0;
}

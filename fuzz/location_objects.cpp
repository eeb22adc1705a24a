// Any bytes as a location's object file, loaded with a block of enough images: loading either
// refuses the file or builds a location whose find list and pickups point only at its objects.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "LocationFixtures.h"
#include "app/TeskAppBase.h"
#include "core/MTRand.h"
#include "game/play/LevelData.h"
#include "game/shell/ProfileData.h"

namespace {

struct Scene {
  Scene() {
    const std::string aDir = "/tmp/fuzz-location-objects-" + std::to_string(getpid());
    Tesk::MkDir(aDir + "/builddata");
    if (chdir(aDir.c_str()) != 0) std::abort();
    TeskTools::LocationFixture aLocation = TeskTools::StandardLocation(7, 10, 2, 2, 2);
    aLocation.mImages.resize(LevelData::k_maxBlockImages, aLocation.mImages[1]);
    TeskTools::WriteLocationFiles(".", 7, aLocation);
    mProfile.setProfileName(L"Fuzz");
    mProfile.startNewGame(1);
    for (int i = 1; i < 9; ++i) mProfile.advanceLevelOn();
  }
  Tesk::TeskAppBase mApp;
  Tesk::ProfileData mProfile;
  LevelData mLevel{nullptr, &mProfile};
  LocationData mLocation;
};

bool Owns(const LocationData& theLocation, const Selectable* theObject) {
  return theObject == nullptr || (theObject >= theLocation.m_selectables &&
                                  theObject < theLocation.m_selectables + theLocation.m_numObjects);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  static Scene* sScene = new Scene;
  std::FILE* aFile = std::fopen("builddata/l07objs.dat", "wb");
  if (aFile == nullptr) return 0;
  std::fwrite(theData, 1, theSize, aFile);
  std::fclose(aFile);
  Tesk::SRand(static_cast<uint32_t>(theSize));
  LocationData& l = sScene->mLocation;
  if (!sScene->mLevel.loadALevel(nullptr, 7, l, static_cast<int>(theSize % 4), false)) return 0;
  if (l.m_numObjects > LocationData::k_maxObjects || l.m_numOpen > LocationData::k_findListSize ||
      l.m_numCoins > LocationData::k_maxCoins)
    std::abort();
  for (const FindInfo& e : l.m_findInfo)
    for (int p = 0; p < e.getCount(); ++p)
      if (!Owns(l, e.m_parts[p]) || e.m_parts[p] == nullptr) std::abort();
  for (const Selectable* s : {l.m_repelObject, l.m_revealObject, l.m_runestoneObject})
    if (!Owns(l, s)) std::abort();
  Selectable* anOrder[LevelData::k_renderArraySize] = {};
  sScene->mLevel.setUpRenderArray(l, anOrder);
  return 0;
}

// Any bytes as the object-text file of another language, read for a level of two locations:
// loading either refuses the file or names every listed entry within the length limit.
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
    const std::string aDir = "/tmp/fuzz-object-text-" + std::to_string(getpid());
    Tesk::MkDir(aDir + "/builddata");
    if (chdir(aDir.c_str()) != 0) std::abort();
    for (int anId : {7, 3})
      TeskTools::WriteLocationFiles(".", anId, TeskTools::StandardLocation(anId, 10, 2, 2, 2));
    mProfile.setProfileName(L"Fuzz");
    mProfile.startNewGame(0);
    Tesk::TeskAppBase::s_languageUsing = 1;
  }
  Tesk::TeskAppBase mApp;
  Tesk::ProfileData mProfile;
  LevelData mLevel{nullptr, &mProfile};
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  static Scene* sScene = new Scene;
  std::FILE* aFile = std::fopen("objtext.dat", "wb");
  if (aFile == nullptr) return 0;
  std::fwrite(theData, 1, theSize, aFile);
  std::fclose(aFile);
  Tesk::SRand(static_cast<uint32_t>(theSize));
  if (!sScene->mLevel.load(1, false)) return 0;
  for (int i = 0; i < 2; ++i) {
    const LocationData& l = sScene->mLevel.m_locations[i];
    if (l.m_numOpen > LocationData::k_findListSize) std::abort();
    for (const FindInfo& e : l.m_findInfo)
      if (e.m_name.size() > LevelData::k_MAX_NAME_SIZE - 1) std::abort();
  }
  return 0;
}

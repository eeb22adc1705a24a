#include "LevelAppRig.h"

#include <unistd.h>

#include "display/DDImage.h"
#include "game/play/Fairies.h"
#include "game/play/LevelDynamics.h"
#include "game/shell/GameLog.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Particles.h"
#include "platform/audio/dylib/AudioCore.h"
#include "resources/ImageLib.h"
#include "resources/ResourceManager.h"
#include "sound/DSoundManager.h"
#include "widgets/WidgetManager.h"

namespace TeskTools {

KeptFolder::KeptFolder() {
  char aBuf[4096];
  mFolder = getcwd(aBuf, sizeof(aBuf)) != nullptr ? aBuf : ".";
}

LevelAppRig::LevelAppRig(bool theDevice) {
  if (chdir(mFolder.c_str()) != 0) Tesk::GameLog("rig: cannot go back to %s", mFolder.c_str());
  Tesk::AudioCore::Get().SetDeviceWanted(false);
  // Any window gives the sound manager a device; it is never looked at.
  static char sWindow;
  mSoundManager =
      new Tesk::DSoundManager(theDevice ? reinterpret_cast<OpaqueWindowPtr*>(&sWindow) : nullptr, false);
  m_profileData = &mProfile;
  mLevel = std::make_unique<LevelData>(this);
  m_levelData = mLevel.get();
  mScene = std::make_unique<Tesk::InGame>(this);
  m_inGame = mScene.get();
  LevelDynamics::s_gameApp = this;
  mWidgetManager->mHasFocus = true;
  mWidgetManager->Resize(Tesk::TRect<int>(0, 0, 800, 600), Tesk::TRect<int>(0, 0, 800, 600));
}

LevelAppRig::~LevelAppRig() {
  // The location is left (its sounds given back) before the sound manager goes.
  Tesk::InGame::m_levelDynamics.exitLocationToMap();
  if (LevelDynamics::s_gameApp == this) LevelDynamics::s_gameApp = nullptr;
  // Sheets the rig cut are its own to delete; lent ones (a test's) the application must not
  // delete either.
  PARTICLE::init(&s_screenRect, nullptr, nullptr, nullptr, nullptr, nullptr);
  Fairies::s_fairyImage = Fairies::s_fairyBlendImage = nullptr;
  for (Tesk::Image*& anImage : s_images) {
    if (mOwnsSheets) delete anImage;
    anImage = nullptr;
  }
  // Lent, not the application's to save or delete.
  m_profileData = nullptr;
  m_levelData = nullptr;
  m_inGame = nullptr;
  m_map = nullptr;
}

int LevelAppRig::Played(int theSoundNum) const {
  int n = 0;
  for (int s : mSamples) n += s == theSoundNum;
  return n;
}

bool LevelAppRig::loadGameGroups() {
  Tesk::ResourceManager* r = mResourceManager;
  if (!r->ParseResourcesFile("properties/resources.xml")) return false;
  for (const char* aGroup : {"Constants", "Main", "Map"})
    if (!r->LoadResources(aGroup)) return false;
  if (!Tesk::ExtractConstantsResources(r) || !Tesk::ExtractMainResources(r) || !Tesk::ExtractMapResources(r))
    return false;
  ImageLib::Image* aBlock[k_numSharedImages] = {};
  const int aCount = ImageLib::GetImageBlock("builddata/animsblock.tgab", aBlock, k_numSharedImages);
  for (int i = 0; i < aCount; ++i) {
    s_images[i] = GetImage(aBlock[i], true);
    delete aBlock[i];
  }
  mOwnsSheets = true;
  PARTICLE::init(&s_screenRect, s_images[0], s_images[1], s_images[2], s_images[3], s_images[4]);
  Fairies::s_fairyBlendImage = s_images[5];
  Fairies::s_fairyImage = s_images[6];
  return aCount == k_numSharedImages;
}

}  // namespace TeskTools

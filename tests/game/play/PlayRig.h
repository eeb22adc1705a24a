// What the level dynamics, actor and map tests share: the application rig, plain sprite sheets
// in the sizes of the generated set, a channel count and a working folder of their own.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

#include "LevelAppRig.h"
#include "app/TeskAppBase.h"
#include "core/Common.h"
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/play/LevelDynamics.h"
#include "game/play/Map.h"
#include "game/shell/GameApp.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "graphics/MemoryImage.h"
#include "platform/audio/dylib/AudioCore.h"
#include "resources/ResourceManager.h"
#include "sound/DSoundManager.h"
#include "sound/SoundInstance.h"
#include "support/TestTemp.h"
#include "widgets/WidgetManager.h"

namespace PlayTest {

// The generated asset set of this build.
inline std::string ResourcesDir() { return TESK_DEFAULT_RESOURCES_DIR; }

// An opaque sheet of theWidth x theHeight.
inline std::unique_ptr<Tesk::MemoryImage> Sheet(int theWidth, int theHeight) {
  auto anImage = std::make_unique<Tesk::MemoryImage>();
  anImage->Create(theWidth, theHeight);
  uint32_t* aBits = anImage->GetBits();
  for (int i = 0; i < theWidth * theHeight; ++i) aBits[i] = 0xFF806040u;
  return anImage;
}

// The sheets the actors cut, in the sizes the generated set has them: cells of 32 x 32.
class TestSheets {
 public:
  TestSheets() {
    Set(&Tesk::GameApp::s_images[7], 8 * 32, 2 * 32);  // location animation, 2 x 8
    Set(&Tesk::GameApp::s_images[8], 24, 12);          // eye fire, one per location
    Set(&Tesk::GameApp::s_images[9], 24, 12);
    Set(&Tesk::GameApp::s_images[10], 24, 12);
    Set(&Tesk::GameApp::s_images[11], 8 * 32, 4 * 32);  // spooky eyes, 4 x 8
    Set(&Tesk::GameApp::s_images[12], 8 * 32, 4 * 32);
    Set(&Tesk::GameApp::s_images[13], 20, 10);  // the chasing eyes
    Set(&Tesk::GameApp::s_images[14], 24, 12);
    Set(&Tesk::GameApp::s_images[15], 24, 12);
    Set(&Tesk::GameApp::s_images[16], 8 * 48, 2 * 48);  // spider, 2 x 8
    Set(&Tesk::GameApp::s_images[17], 8 * 48, 2 * 48);
    Set(&Tesk::GameApp::s_images[18], 4 * 64, 4 * 64);  // tree, 4 x 4
    Set(&Tesk::ANIM_BOOK1, 6 * 80, 2 * 60);
    Set(&Tesk::ANIM_BOOK2, 4 * 80, 2 * 60);
    Set(&Tesk::ANIM_BOOK3, 7 * 80, 60);
    Set(&Tesk::ANIM_BLUE_BOOK1, 6 * 80, 2 * 60);
    Set(&Tesk::ANIM_BLUE_BOOK2, 4 * 80, 2 * 60);
    Set(&Tesk::ANIM_BLUE_BOOK3, 7 * 80, 60);
    Set(&Tesk::ANIM_SPOTLIGHT, 3 * 200, 200);
    Set(&Tesk::ANIM_FIRE1, 6 * 20, 30);
  }
  ~TestSheets() {
    for (Tesk::Image** aSlot : mSlots) *aSlot = nullptr;
  }

 private:
  void Set(Tesk::Image** theSlot, int theWidth, int theHeight) {
    mImages.push_back(Sheet(theWidth, theHeight));
    *theSlot = mImages.back().get();
    mSlots.push_back(theSlot);
  }
  std::vector<std::unique_ptr<Tesk::MemoryImage>> mImages;
  std::vector<Tesk::Image**> mSlots;
};

using RigApp = TeskTools::LevelAppRig;

// Channels of theManager that a new instance can still get (each one taken is given back).
inline int FreeChannels(Tesk::SoundManager* theManager, unsigned theSoundId) {
  std::vector<Tesk::SoundInstance*> aTaken;
  while (Tesk::SoundInstance* anInstance = theManager->GetSoundInstance(theSoundId)) {
    aTaken.push_back(anInstance);
    if (aTaken.size() > 64) break;
  }
  for (Tesk::SoundInstance* anInstance : aTaken) anInstance->Release();
  return static_cast<int>(aTaken.size());
}

// A working folder of the test's own with its data folder, left on tear-down.
class InFolder {
 public:
  explicit InFolder(const std::string& theName) {
    char aBuf[4096];
    mOldDir = getcwd(aBuf, sizeof(aBuf)) != nullptr ? aBuf : ".";
    mDir = TeskTest::MakeTempDir(theName);
    if (chdir(mDir.c_str()) != 0) ADD_FAILURE() << "chdir " << mDir;
    Tesk::SetAppDataFolder(mDir + "/");
  }
  ~InFolder() {
    Tesk::SetAppDataFolder("");
    if (chdir(mOldDir.c_str()) != 0) ADD_FAILURE() << "chdir back";
  }
  const std::string& dir() const { return mDir; }

 private:
  std::string mOldDir;
  std::string mDir;
};

// A suite's application on the generated set, in a working folder of the suite's own
// (theFolderName); the caller checks HasFatalFailure() before going on.
inline void OpenApp(const std::string& theFolderName, InFolder*& theFolder, RigApp*& theApp) {
  theFolder = new InFolder(theFolderName);
  ASSERT_EQ(chdir(ResourcesDir().c_str()), 0);
  theApp = new RigApp();
  ASSERT_TRUE(theApp->loadGameGroups()) << theApp->mResourceManager->GetErrorText();
}

// The screen as a switch's fade-in leaves it: full brightness, no fade running.
inline void FullBrightness() {
  Tesk::GameApp::sm_currentFadeDirection = 4;
  Tesk::GameApp::sm_colorFade = 1.0f;
  Tesk::GameApp::sm_fadeColoru8Value = 255;
}

inline void CloseApp(InFolder*& theFolder, RigApp*& theApp) {
  delete theApp;
  theApp = nullptr;
  delete theFolder;
  theFolder = nullptr;
}

}  // namespace PlayTest

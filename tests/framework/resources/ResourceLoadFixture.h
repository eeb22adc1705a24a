// A headless application with a render-only sound manager, a fresh archive interface and the
// generated resource set as the working folder, for the resource loading tests.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ResourceSetWriter.h"
#include "core/Common.h"
#include "app/TeskAppBase.h"
#include "platform/audio/dylib/AudioCore.h"
#include "resources/PakInterface.h"
#include "resources/ResourceManager.h"
#include "sound/DSoundManager.h"
#include "support/TestTemp.h"

namespace ResourceTest {

// Records base volumes and pans; can run out of free ids on demand.
class RecordingSoundManager : public Tesk::DSoundManager {
 public:
  RecordingSoundManager() : DSoundManager(Window(), false) {}

  int GetFreeSoundId() override { return mNoFreeIds ? -1 : DSoundManager::GetFreeSoundId(); }
  bool SetBaseVolume(unsigned int theSfxId, double theBaseVolume) override {
    mVolumes[theSfxId] = theBaseVolume;
    return DSoundManager::SetBaseVolume(theSfxId, theBaseVolume);
  }
  bool SetBasePan(unsigned int theSfxId, int theBasePan) override {
    mPans[theSfxId] = theBasePan;
    return DSoundManager::SetBasePan(theSfxId, theBasePan);
  }

  bool mNoFreeIds = false;
  std::map<unsigned int, double> mVolumes;
  std::map<unsigned int, int> mPans;

 private:
  // Any non-null window gives the manager a device; it is never looked at.
  static OpaqueWindowPtr* Window() {
    static char sWindow;
    return reinterpret_cast<OpaqueWindowPtr*>(&sWindow);
  }
};

// The application object without a window or display; popups are recorded.
class ResourceTestApp : public Tesk::TeskAppBase {
 public:
  ResourceTestApp() {
    mSounds = new RecordingSoundManager();
    mSoundManager = mSounds;
  }
  ~ResourceTestApp() override {
    delete mSoundManager;
    mSoundManager = nullptr;
  }
  void Popup(const std::string& theString) override { mPopups.push_back(theString); }

  RecordingSoundManager* mSounds;
  std::vector<std::string> mPopups;
};

// The generated set, written once per test binary.
inline const std::string& SetDir() {
  static const std::string sDir = [] {
    const std::string aDir = TeskTest::MakeTempDir("resource-set");
    std::string anError;
    if (!TeskTools::WriteResourceSet(TeskTools::DefaultResourceSet(), aDir, &anError))
      ADD_FAILURE() << anError;
    return aDir;
  }();
  return sDir;
}

// The same set as one archive, alone in its folder.
inline const std::string& PakDir() {
  static const std::string sDir = [] {
    const std::string aDir = TeskTest::MakeTempDir("resource-pak");
    std::string anError;
    if (!TeskTools::WriteResourcePak(SetDir(), aDir + "/main.pak", &anError)) ADD_FAILURE() << anError;
    return aDir;
  }();
  return sDir;
}

class ResourceLoadFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Tesk::AudioCore::Get().SetDeviceWanted(false);
    char aBuf[4096];
    mOldDir = getcwd(aBuf, sizeof(aBuf)) ? aBuf : ".";
    mOldPak = *gPakInterfaceP;
    *gPakInterfaceP = nullptr;
    mPak = std::make_unique<PakInterface>();
    mOldAppData = Tesk::GetAppDataFolder();
    Start(SetDir());
  }

  void TearDown() override {
    Stop();
    mPak.reset();
    *gPakInterfaceP = mOldPak;
    Tesk::SetAppDataFolder(mOldAppData);
    if (chdir(mOldDir.c_str()) != 0) ADD_FAILURE() << "chdir back failed";
  }

  // A new application and manager working in theDir, with a cache folder of their own.
  void Start(const std::string& theDir) {
    ASSERT_EQ(chdir(theDir.c_str()), 0);
    Tesk::SetAppDataFolder(TeskTest::MakeTempDir("resource-appdata") + "/");
    mApp = std::make_unique<ResourceTestApp>();
    mManager = std::make_unique<Tesk::ResourceManager>(mApp.get());
  }

  // The manager goes first: its records hold images and sounds of the application.
  void Stop() {
    mManager.reset();
    mApp.reset();
  }

  // A copy of the generated set that a test may damage, made the working folder.
  std::string StartInCopy(const std::string& theName) {
    Stop();
    const std::string aDir = TeskTest::MakeTempDir(theName);
    std::filesystem::copy(SetDir(), aDir, std::filesystem::copy_options::recursive);
    Start(aDir);
    return aDir;
  }

  bool ParseSet() {
    const bool aParsed = mManager->ParseResourcesFile("properties/resources.xml");
    EXPECT_TRUE(aParsed) << mManager->GetErrorText();
    return aParsed;
  }

  std::unique_ptr<PakInterface> mPak;
  std::unique_ptr<ResourceTestApp> mApp;
  std::unique_ptr<Tesk::ResourceManager> mManager;
  std::string mOldDir;
  std::string mOldAppData;
  PakInterfaceBase* mOldPak = nullptr;
};

}  // namespace ResourceTest

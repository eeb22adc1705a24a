// The game's application without a window: the game's own small resource folder as working
// folder and resources folder, the real resource manager with a render-only sound manager, and
// recording doubles of the screens and of the calls the application makes into them. Every
// call lands, in order, in one log.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "framework/resources/ResourceLoadFixture.h"
#include "game/play/InGame.h"
#include "game/play/Map.h"
#include "game/play/MiniGame.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameResourceSet.h"
#include "game/shell/PreScreens.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ScreenCalls.h"
#include "game/shell/Story.h"
#include "game/shell/TitleScreen.h"
#include "platform/corefoundation/CFPreferences.h"
#include "resources/ResourceManager.h"
#include "support/TestTemp.h"
#include "widgets/WidgetManager.h"

namespace GameTest {

// What the doubles saw; it outlives them, so deletions are logged too.
inline std::vector<std::string>& CallLog() {
  static std::vector<std::string> sLog;
  return sLog;
}

inline void Log(const std::string& theLine) { CallLog().push_back(theLine); }

// The application's calls into the screens, the saves and the music, logged and not passed on.
class CallRecorder : public Tesk::ScreenCalls {
 public:
  void initTitleScreen(Tesk::TitleScreen*) override { Log("title Init"); }
  void initStory(Tesk::Story*) override { Log("story Init"); }
  void setStoryMode(Tesk::Story*, uint8_t theMode) override {
    Log("story SetMode " + std::to_string(theMode));
  }
  void initMap(Tesk::Map*) override { Log("map Init"); }
  void setMapState(Tesk::Map*, uint8_t theState) override {
    Log("map setGameState " + std::to_string(theState));
  }
  void setMiniGameType(Tesk::MiniGame*, uint8_t theKind) override {
    Log("minigame setGameType " + std::to_string(theKind));
  }
  void initMiniGame(Tesk::MiniGame*) override { Log("minigame Init"); }
  void setMiniGameState(Tesk::MiniGame*, uint8_t theState) override {
    Log("minigame setGameState " + std::to_string(theState));
  }
  void initInGame(Tesk::InGame*) override { Log("ingame Init"); }
  void setInGameState(Tesk::InGame*, uint8_t theState) override {
    Log("ingame setGameState " + std::to_string(theState));
  }
  bool saveMiniGame(Tesk::MiniGame*) override {
    Log("save minigame");
    return true;
  }
  bool saveLevel(LevelData*) override {
    Log("save level");
    return true;
  }
  void selectMusic(const char* theGroup) override {
    Log(std::string("music ") + (theGroup != nullptr ? theGroup : "(play scene)"));
  }
};

// A screen whose joining, leaving, sizing and deletion are logged under its
// name; what the real screen does then is left out.
template <class Screen>
class RecordingScreen : public Screen {
 public:
  RecordingScreen(Tesk::GameApp* theApp, const std::string& theName) : Screen(theApp), mName(theName) {}
  ~RecordingScreen() override { Log(mName + " deleted"); }

  using Screen::Resize;
  void AddedToManager(Tesk::WidgetManager* theManager) override {
    Tesk::Widget::AddedToManager(theManager);
    Log(mName + " added");
  }
  void RemovedFromManager(Tesk::WidgetManager* theManager) override {
    Tesk::Widget::RemovedFromManager(theManager);
    Log(mName + " removed");
  }
  void Resize(int x, int y, int theWidth, int theHeight) override {
    Tesk::Widget::Resize(x, y, theWidth, theHeight);
    Log(mName + " size " + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(theWidth) +
        "," + std::to_string(theHeight));
  }
  void Update() override {}
  void Draw(Tesk::Graphics*) override {}

  std::string mName;
};

// The logo screen, whose redraw requests are logged too.
class RecordingLogos : public RecordingScreen<Tesk::PreScreens> {
 public:
  RecordingLogos(Tesk::GameApp* theApp) : RecordingScreen(theApp, "logos") {}
  using Tesk::PreScreens::MarkDirty;
  void MarkDirty() override { Log("logos dirty"); }
};

// The game's folder, written once per test binary.
inline const std::string& GameResourcesDir() {
  static const std::string sDir = [] {
    const std::string aDir = TeskTest::MakeTempDir("game-resources");
    std::string anError;
    if (!WriteGameResources(aDir, &anError)) ADD_FAILURE() << anError;
    return aDir;
  }();
  return sDir;
}

class HeadlessGame : public ResourceTest::ResourceLoadFixture {
 protected:
  void SetUp() override {
    ResourceLoadFixture::SetUp();
    Stop();
    const char* anOld = std::getenv("TESK_RESOURCES_DIR");
    mHadResources = anOld != nullptr;
    if (anOld != nullptr) mOldResources = anOld;
    mDataDir = TeskTest::MakeTempDir("game-data") + "/";
    Tesk::SetAppDataFolder(mDataDir);
    mOldPreferences = CFPreferencesStorePath();
    CFPreferencesSetStorePath(mDataDir + "Preferences.txt");
    ResetStatics();
    CallLog().clear();
    StartIn(GameResourcesDir());
  }

  void TearDown() override {
    mGame.reset();
    CFPreferencesSetStorePath(mOldPreferences);
    if (mHadResources) {
      setenv("TESK_RESOURCES_DIR", mOldResources.c_str(), 1);
    } else {
      unsetenv("TESK_RESOURCES_DIR");
    }
    ResetStatics();
    ResourceLoadFixture::TearDown();
  }

  // A new application working in theDir, its manifest read, its calls recorded.
  void StartIn(const std::string& theDir) {
    mGame.reset();
    unsetenv("TESK_RUN_SECONDS");
    setenv("TESK_RESOURCES_DIR", theDir.c_str(), 1);
    ASSERT_EQ(chdir(theDir.c_str()), 0);
    mGame = std::make_unique<Tesk::GameApp>();
    mGame->mSoundManager = new ResourceTest::RecordingSoundManager();
    mGame->m_screenCalls = &mCalls;
    ASSERT_TRUE(mGame->mResourceManager->ParseResourcesFile("properties/resources.xml"))
        << mGame->mResourceManager->GetErrorText();
  }

  // The screens Init would make, as recording doubles, and the profile store.
  void MakeScreens() {
    Tesk::GameApp& g = *mGame;
    g.m_titleScreen = new RecordingScreen<Tesk::TitleScreen>(&g, "title");
    g.m_story = new RecordingScreen<Tesk::Story>(&g, "story");
    g.m_inGame = new RecordingScreen<Tesk::InGame>(&g, "ingame");
    g.m_map = new RecordingScreen<Tesk::Map>(&g, "map");
    g.m_miniGame = new RecordingScreen<Tesk::MiniGame>(&g, "minigame");
    g.m_profileData = new Tesk::ProfileData();
  }

  static void ResetStatics() {
    Tesk::GameApp::sm_gameState = 0;
    Tesk::GameApp::sm_locationAt = 0;
    Tesk::GameApp::databaseCurrentlyLoaded = nullptr;
    Tesk::GameApp::sm_currentFadeDirection = 4;
    Tesk::GameApp::sm_colorFade = 0.0f;
    Tesk::GameApp::sm_fadeColoru8Value = 0;
    Tesk::GameApp::resetPenaltyBuffer(false);
    Tesk::GameApp::s_isUsingCustomCursor = true;
  }

  std::set<std::string> LoadedGroups() {
    const auto& aGroups = mGame->mResourceManager->mLoadedGroups;
    return std::set<std::string>(aGroups.begin(), aGroups.end());
  }

  std::unique_ptr<Tesk::GameApp> mGame;
  CallRecorder mCalls;
  std::string mDataDir;
  std::string mOldResources;
  std::string mOldPreferences;
  bool mHadResources = false;
};

}  // namespace GameTest

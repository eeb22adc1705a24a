// The game's application without a window: its settings, what it saves at exit and when, the
// pause on a lost focus, the end of the logo screens, and the loading thread's walk through
// "Main" with what the main thread takes up from it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "game/play/LevelData.h"
#include "game/shell/GameStrings.h"
#include "game/shell/HeadlessGame.h"
#include "game/shell/ResourceIds.h"
#include "platform/alerts/StandardAlert.h"
#include "platform/alerts/backend/ScriptedAlertBackend.h"

namespace {

using GameTest::CallLog;
using GameTest::Log;
using Tesk::GameApp;

class GameAppTest : public GameTest::HeadlessGame {};

TEST_F(GameAppTest, TheConstructorFixesTheGamesSettingsAndReadsItsTexts) {
  GameApp& g = *mGame;
  EXPECT_EQ(g.mProductName, "GloamHollow");
  EXPECT_EQ(g.mTitle, L"The Vesper's Codex: Gloam Hollow");
  EXPECT_EQ(g.mCompanyName, "Orvo Soft Games");
  EXPECT_EQ(g.mRegKey, "VespersCodexGloamHollow");
  EXPECT_EQ(g.mProductVersion, "1.0");
  EXPECT_EQ(g.mWidth, 800);
  EXPECT_EQ(g.mHeight, 600);
  EXPECT_TRUE(g.mAutoEnable3D);
  EXPECT_FALSE(g.mIsWindowed);
  EXPECT_DOUBLE_EQ(g.mMusicVolume, 0.4);
  EXPECT_DOUBLE_EQ(g.mSfxVolume, 0.35);
  EXPECT_EQ(GameApp::s_languageUsing, 0);
  EXPECT_STREQ(stringLost60Seconds, L"-60 s");
  // It works in the resources folder.
  EXPECT_EQ(std::filesystem::current_path(), std::filesystem::path(GameTest::GameResourcesDir()));
  for (Tesk::Widget* aScreen :
       {static_cast<Tesk::Widget*>(g.m_titleScreen), static_cast<Tesk::Widget*>(g.m_inGame)})
    EXPECT_EQ(aScreen, nullptr);
  EXPECT_EQ(g.getProfileData(), nullptr);
  EXPECT_FALSE(g.isRepelEnabled());
  EXPECT_FALSE(g.dontSaveSpecialCondition());
}

TEST_F(GameAppTest, TheGameStateAndTheLocationAsTheScreensAskForThem) {
  GameApp& g = *mGame;
  const bool kStates[3][3] = {{true, false, false}, {false, true, false}, {false, false, true}};
  for (int s = 0; s < 3; ++s) {
    GameApp::sm_gameState = static_cast<uint8_t>(s);
    EXPECT_EQ(g.ingameInMap(), kStates[s][0]);
    EXPECT_EQ(g.ingameInLocation(), kStates[s][1]);
    EXPECT_EQ(g.ingameInMinigame(), kStates[s][2]);
  }
  g.setLocationAt(7);
  EXPECT_EQ(g.getLocationAt(), 7);
  MakeScreens();
  g.m_profileData->setProfileName(L"Ann");
  g.m_profileData->startNewGame(0);
  EXPECT_FALSE(g.isRepelEnabled());
  g.m_profileData->advanceLevelOn();
  EXPECT_TRUE(g.isRepelEnabled());
}

TEST_F(GameAppTest, ALevelIsInProgressOnlyInThePlaySceneMapMiniGameAndHowToPlay) {
  const std::pair<const char*, bool> kGroups[] = {
      {nullptr, true}, {"Map", true},          {"MiniGame", true}, {"HowToPlay", true},
      {"map", false},  {"TitleScreen", false}, {"Story", false},   {"LevelIntro", false}};
  for (const auto& c : kGroups) {
    GameApp::databaseCurrentlyLoaded = c.first;
    EXPECT_EQ(mGame->shouldSaveIngame(), c.second) << (c.first ? c.first : "null");
  }
}

// What the exit saves, per situation.
struct ExitCase {
  const char* mName;
  const char* mGroup;
  uint8_t mGameState;
  int mTimer;
  bool mMiniGameWon;
  bool mLogosShown;
  const char* mSave;  // the save call expected, or null
  bool mProfileWritten;
  uint8_t mHasSave;
  uint8_t mInMiniGame;
};

// Logs each save with whether the profile file was on disk at that moment.
class SaveRecorder : public GameTest::CallRecorder {
 public:
  bool saveMiniGame(Tesk::MiniGame*) override {
    Log(std::string("save minigame") + Profile());
    return true;
  }
  bool saveLevel(LevelData*) override {
    Log(std::string("save level") + Profile());
    return true;
  }
  static const char* Profile() {
    return std::filesystem::exists(Tesk::ProfileData::getProfilePath()) ? " (profile already on disk)" : "";
  }
};

TEST_F(GameAppTest, TheExitSavesTheLevelOrTheMiniGameThenTheProfileAsTheSituationSays) {
  const ExitCase kCases[] = {
      {"in a location", nullptr, 1, 500, false, false, "save level", true, 1, 0},
      {"on the map", "Map", 0, 500, false, false, "save level", true, 1, 0},
      {"in a mini-game", "MiniGame", 2, 500, false, false, "save minigame", true, 1, 1},
      {"in help from a mini-game", "HowToPlay", 2, 500, false, false, "save minigame", true, 1, 1},
      {"in help from the map", "HowToPlay", 0, 500, false, false, "save level", true, 1, 0},
      {"on the title", "TitleScreen", 1, 500, false, false, nullptr, true, 0, 0},
      {"in a chapter intro", "LevelIntro", 0, 500, false, false, nullptr, true, 0, 0},
      {"with the clock run out", nullptr, 1, 0, false, false, nullptr, true, 0, 0},
      {"with a negative clock", "Map", 0, -30, false, false, nullptr, true, 0, 0},
      {"in a won mini-game", "MiniGame", 2, 500, true, false, nullptr, false, 0, 0},
      {"during the logos", nullptr, 0, 500, false, true, nullptr, false, 0, 0},
  };
  SaveRecorder aRecorder;
  for (const ExitCase& c : kCases) {
    SCOPED_TRACE(c.mName);
    Tesk::SetAppDataFolder(TeskTest::MakeTempDir("game-exit") + "/");
    StartIn(GameTest::GameResourcesDir());
    mGame->m_screenCalls = &aRecorder;
    MakeScreens();
    Tesk::ProfileData& p = *mGame->m_profileData;
    p.setProfileName(L"Ann");
    p.startNewGame(0);
    p.adjustLevelTimer(c.mTimer - p.getLevelTimer());
    GameApp::databaseCurrentlyLoaded = c.mGroup;
    GameApp::sm_gameState = c.mGameState;
    if (c.mMiniGameWon) mGame->m_miniGame->m_state = 4;
    if (c.mLogosShown) {
      mGame->m_preScreens = new GameTest::RecordingLogos(mGame.get());
      mGame->mWidgetManager->AddWidget(mGame->m_preScreens);
    }
    GameApp::s_isUsingCustomCursor = false;
    CallLog().clear();
    mGame.reset();

    std::vector<std::string> aSaves;
    for (const std::string& aLine : CallLog()) {
      if (aLine.rfind("save", 0) == 0) aSaves.push_back(aLine);
    }
    EXPECT_EQ(aSaves, c.mSave ? std::vector<std::string>{c.mSave} : std::vector<std::string>{});
    const std::string aBytes = TeskTest::ReadFile(Tesk::ProfileData::getProfilePath());
    if (!c.mProfileWritten) {
      EXPECT_TRUE(aBytes.empty());
    } else {
      ASSERT_EQ(aBytes.size(), 800u);
      EXPECT_EQ(static_cast<uint8_t>(aBytes[8 + 81]), c.mHasSave);
      EXPECT_EQ(static_cast<uint8_t>(aBytes[8 + 82]), c.mInMiniGame);
    }
    // The screens go in their order, after the saves.
    std::vector<std::string> aDeleted;
    for (const std::string& aLine : CallLog()) {
      if (aLine.find(" deleted") != std::string::npos) aDeleted.push_back(aLine);
    }
    std::vector<std::string> anOrder = {"ingame deleted", "story deleted", "map deleted", "minigame deleted",
                                        "title deleted"};
    if (c.mLogosShown) anOrder.insert(anOrder.begin() + 1, "logos deleted");
    EXPECT_EQ(aDeleted, anOrder);
    // The cursor choice is written back whatever else is saved.
    StartIn(GameTest::GameResourcesDir());
    bool aStored = true;
    EXPECT_TRUE(mGame->RegistryReadBoolean("isUsingCustomCursor", &aStored));
    EXPECT_FALSE(aStored);
    GameApp::s_isUsingCustomCursor = true;
  }
}

// The exit save through the program's own calls, into a data folder where the save's name is
// taken by a folder: the profile is still written, its save flags as they were, since the
// disk holds what it held; nobody is there to be told.
TEST_F(GameAppTest, AnExitSaveThatCannotBeWrittenLeavesTheProfilesSaveFlagsAsTheyWere) {
  struct Case {
    const char* mName;
    const char* mGroup;
    uint8_t mGameState;
    bool mHadSave, mHadMiniGameSave;
  };
  const Case kCases[] = {
      {"in a location, nothing saved before", nullptr, 1, false, false},
      {"in a mini-game, the level saved before", "MiniGame", 2, true, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    const std::string aFolder = TeskTest::MakeTempDir("game-exit-refused");
    Tesk::SetAppDataFolder(aFolder + "/");
    ASSERT_TRUE(std::filesystem::create_directory(aFolder + "/level.sav0"));
    StartIn(GameTest::GameResourcesDir());
    mGame->m_screenCalls = &Tesk::ScreenCalls::s_real;
    MakeScreens();
    Tesk::ProfileData& p = *mGame->m_profileData;
    mGame->m_levelData = new LevelData(mGame.get(), &p);
    mGame->m_miniGame->setGameType(2);
    p.setProfileName(L"Ann");
    p.startNewGame(1);
    p.adjustLevelTimer(500 - p.getLevelTimer());
    p.setHasSaveFile(c.mHadSave);
    p.setSaveInMinigame(c.mHadMiniGameSave);
    GameApp::databaseCurrentlyLoaded = c.mGroup;
    GameApp::sm_gameState = c.mGameState;
    ScriptedAlertBackend anAlerts;
    SetAlertBackend(&anAlerts);
    testing::internal::CaptureStderr();
    mGame.reset();
    const std::string aLog = testing::internal::GetCapturedStderr();
    SetAlertBackend(nullptr);
    EXPECT_NE(aLog.find("cannot be written; the previous save is kept"), std::string::npos) << aLog;
    EXPECT_TRUE(anAlerts.Shown().empty());
    const std::string aBytes = TeskTest::ReadFile(Tesk::ProfileData::getProfilePath());
    ASSERT_EQ(aBytes.size(), 800u);
    EXPECT_EQ(aBytes[8 + 81], c.mHadSave ? 1 : 0);
    EXPECT_EQ(aBytes[8 + 82], c.mHadMiniGameSave ? 1 : 0);
  }
}

TEST_F(GameAppTest, LosingTheFocusPausesOnlyThePlaySceneTheMapAndTheMiniGame) {
  GameApp& g = *mGame;
  MakeScreens();
  g.m_preScreens = new GameTest::RecordingLogos(&g);
  Tesk::Widget anOther;
  const std::pair<Tesk::Widget*, std::vector<std::string>> kCases[] = {
      {g.m_inGame, {"ingame setGameState 2"}},
      {g.m_map, {"map setGameState 1"}},
      {g.m_miniGame, {"minigame setGameState 6"}},
      {g.m_titleScreen, {}},
      {g.m_story, {}},
      {g.m_preScreens, {}},
      {&anOther, {}},
      {nullptr, {}},
  };
  for (const auto& c : kCases) {
    if (c.first != nullptr) g.mWidgetManager->AddWidget(c.first);
    g.mWidgetManager->SetFocus(c.first);
    CallLog().clear();
    g.LostFocus();
    g.GotFocus();
    EXPECT_EQ(CallLog(), c.second);
    if (c.first != nullptr) g.mWidgetManager->RemoveWidget(c.first);
  }
}

TEST_F(GameAppTest, LosingTheFocusBeforeTheScreensExistChangesNothing) {
  mGame->mWidgetManager->SetFocus(nullptr);
  mGame->LostFocus();
  EXPECT_TRUE(CallLog().empty());
}

TEST_F(GameAppTest, TheEndOfTheLogosReplacesThemAndTheUnshownTitleScreenByANewTitle) {
  GameApp& g = *mGame;
  MakeScreens();
  g.m_preScreens = new GameTest::RecordingLogos(&g);
  g.mWidgetManager->AddWidget(g.m_preScreens);
  Tesk::TitleScreen* anOldTitle = g.m_titleScreen;
  CallLog().clear();

  g.PreScreensFinished();

  EXPECT_EQ(g.m_preScreens, nullptr);
  ASSERT_NE(g.m_titleScreen, nullptr);
  EXPECT_NE(g.m_titleScreen, anOldTitle);
  // The logos leave at once and go with the deferred deletions; the old title goes now.
  EXPECT_EQ(CallLog(), (std::vector<std::string>{"logos removed", "title deleted", "title Init",
                                                 "music TitleScreen", "title Init"}));
  EXPECT_EQ(g.mSafeDeleteList.size(), 1u);
  EXPECT_TRUE(g.mWidgetManager->HasWidget(g.m_titleScreen));
  EXPECT_EQ(g.mWidgetManager->mFocusWidget, g.m_titleScreen);
  EXPECT_EQ(LoadedGroups(), std::set<std::string>{"TitleScreen"});
  EXPECT_EQ(GameApp::sm_currentFadeDirection, 0);
  EXPECT_NE(Tesk::IMAGE_TITLE_BACK, nullptr);
  g.ProcessSafeDeleteList();
  EXPECT_EQ(CallLog().back(), "logos deleted");
  EXPECT_TRUE(g.mSafeDeleteList.empty());
}

class GameAppLoading : public GameTest::HeadlessGame {
 protected:
  void SetUp() override {
    HeadlessGame::SetUp();
    ShowLogos();
  }

  // As Init leaves it: the logos shown, "Main" counted for the loading thread.
  void ShowLogos() {
    mGame->m_preScreens = new GameTest::RecordingLogos(mGame.get());
    mGame->mWidgetManager->AddWidget(mGame->m_preScreens);
    mGame->mNumLoadingThreadTasks = mGame->mResourceManager->GetNumResources("Main");
  }

  // The loading thread's body, on a thread of its own as the framework runs it.
  void RunLoadingThread() {
    std::thread aThread([this] { mGame->LoadingThreadProc(); });
    aThread.join();
  }

  int DirtyMarks() {
    int aCount = 0;
    for (const std::string& aLine : CallLog()) aCount += aLine == "logos dirty";
    return aCount;
  }
};

TEST_F(GameAppLoading, TheWalkCountsEachResourceAndOnlyTheMainThreadTouchesTheLogos) {
  ASSERT_EQ(mGame->mNumLoadingThreadTasks, 37);
  CallLog().clear();
  RunLoadingThread();
  EXPECT_EQ(mGame->mCompletedLoadingThreadTasks, 37);
  // The thread asked; nothing was marked from it.
  EXPECT_EQ(DirtyMarks(), 0);
  mGame->UpdateFrames();
  EXPECT_EQ(DirtyMarks(), 1);
  mGame->UpdateFrames();
  EXPECT_EQ(DirtyMarks(), 1);
  // The end of the walk binds "Main" on the main thread and redraws the logos.
  Tesk::IMAGE_SIDE_BAR = nullptr;
  mGame->LoadingThreadCompleted();
  EXPECT_NE(Tesk::IMAGE_SIDE_BAR, nullptr);
  EXPECT_FALSE(mGame->mLoadingFailed);
  EXPECT_EQ(DirtyMarks(), 2);
}

TEST_F(GameAppLoading, AGroupLoadedAtStartUpLeavesTheWalkNothingToDo) {
  ASSERT_TRUE(mGame->mResourceManager->LoadResources("Main"));
  CallLog().clear();
  RunLoadingThread();
  EXPECT_EQ(mGame->mCompletedLoadingThreadTasks, 0);
  mGame->UpdateFrames();
  EXPECT_EQ(DirtyMarks(), 0);
  mGame->LoadingThreadCompleted();
  EXPECT_FALSE(mGame->mLoadingFailed);
  EXPECT_EQ(DirtyMarks(), 1);
}

TEST_F(GameAppLoading, AShutdownStopsTheWalkAtTheNextResource) {
  mGame->mShutdown = true;
  RunLoadingThread();
  EXPECT_EQ(mGame->mCompletedLoadingThreadTasks, 1);
  mGame->mShutdown = false;
  // A walk cut short is not judged.
  Tesk::IMAGE_SIDE_BAR = nullptr;
  mGame->LoadingThreadCompleted();
  EXPECT_EQ(Tesk::IMAGE_SIDE_BAR, nullptr);
  EXPECT_FALSE(mGame->mLoadingFailed);
}

TEST_F(GameAppLoading, AFailedWalkShowsTheErrorAndShutsDownWithoutRedrawingTheLogos) {
  setenv("TESK_ALERTS", "stderr", 1);
  const std::string aDir = TeskTest::MakeTempDir("game-broken-main");
  std::filesystem::copy(GameTest::GameResourcesDir(), aDir, std::filesystem::copy_options::recursive);
  std::filesystem::remove(aDir + "/images/IMAGE_SIDE_DIVIDER.png");
  StartIn(aDir);
  ShowLogos();
  RunLoadingThread();
  EXPECT_GT(mGame->mCompletedLoadingThreadTasks, 0);
  EXPECT_LT(mGame->mCompletedLoadingThreadTasks, 37);
  mGame->UpdateFrames();
  CallLog().clear();
  testing::internal::CaptureStderr();
  mGame->LoadingThreadCompleted();
  const std::string anError = testing::internal::GetCapturedStderr();
  EXPECT_NE(anError.find("IMAGE_SIDE_DIVIDER.png"), std::string::npos) << anError;
  EXPECT_TRUE(mGame->mLoadingFailed);
  EXPECT_TRUE(mGame->mShutdown);
  mGame->UpdateFrames();
  EXPECT_EQ(DirtyMarks(), 0);
  unsetenv("TESK_ALERTS");
}

}  // namespace

// Every screen switch against recording doubles of the screens and a logging resource manager
// over the game's own small resource folder: the caller leaving, the group released and the
// next one loaded and bound, the music of the group, the game state, the next screen's calls
// in order, the focus and the fade. A group that cannot be loaded or bound ends the process.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "game/shell/HeadlessGame.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/ZqMusic.h"
#include "graphics/Image.h"

namespace {

using GameTest::CallLog;
using GameTest::Log;
using Tesk::GameApp;

// Any widget that asks for a switch.
class Caller : public Tesk::Widget {
 public:
  void RemovedFromManager(Tesk::WidgetManager* theManager) override {
    Widget::RemovedFromManager(theManager);
    Log("caller removed");
  }
};

// The real manager, with its group loads and releases logged.
class LoggingManager : public Tesk::ResourceManager {
 public:
  using ResourceManager::DeleteResources;
  using ResourceManager::ResourceManager;
  bool LoadResources(const std::string& theGroup) override {
    Log("load " + theGroup);
    return ResourceManager::LoadResources(theGroup);
  }
  void DeleteResources(const std::string& theGroup) override {
    Log("delete " + theGroup);
    ResourceManager::DeleteResources(theGroup);
  }
};

const int kUnchanged = -1;

struct SwitchRow {
  const char* mName;
  std::function<void(GameApp&, Tesk::Widget*)> mCall;
  bool mCallerOptional;  // "if given": may be called without a caller
  const char* mGroup;    // null: none
  int mGameState;        // kUnchanged or the state set
  const char* mTarget;   // the double's name
  std::vector<std::string> mTargetCalls;
  bool mFades;
};

std::vector<std::string> Screen(const std::string& theName, const std::vector<std::string>& theBefore,
                                const std::vector<std::string>& theAfter) {
  std::vector<std::string> aCalls = theBefore;
  aCalls.push_back(theName + " size 0,0,800,600");
  aCalls.push_back(theName + " added");
  aCalls.insert(aCalls.end(), theAfter.begin(), theAfter.end());
  return aCalls;
}

std::vector<std::string> StoryCalls(int theMode) {
  return {"story Init", "story size 0,0,800,600", "story SetMode " + std::to_string(theMode), "story added"};
}

std::vector<std::string> MiniGameCalls(int theKind, int theState) {
  return Screen("minigame", {"minigame setGameType " + std::to_string(theKind), "minigame Init"},
                {"minigame setGameState " + std::to_string(theState)});
}

const std::vector<SwitchRow>& Rows() {
  static const std::vector<SwitchRow> sRows = {
      {"StartTitleScreen", [](GameApp& g, Tesk::Widget* c) { g.StartTitleScreen(c); }, true, "TitleScreen",
       kUnchanged, "title", Screen("title", {"title Init"}, {}), true},
      {"StartStory", [](GameApp& g, Tesk::Widget* c) { g.StartStory(c); }, false, "Story", kUnchanged,
       "story", StoryCalls(0), true},
      {"StartHowToPlay", [](GameApp& g, Tesk::Widget* c) { g.StartHowToPlay(c); }, false, "HowToPlay",
       kUnchanged, "story", StoryCalls(5), true},
      {"StartHowToPlayIngame", [](GameApp& g, Tesk::Widget* c) { g.StartHowToPlayIngame(c); }, false,
       "HowToPlay", kUnchanged, "story", StoryCalls(7), true},
      {"StartLevelIntro", [](GameApp& g, Tesk::Widget* c) { g.StartLevelIntro(c); }, false, "LevelIntro",
       kUnchanged, "story", StoryCalls(8), true},
      {"StartStoryFinally", [](GameApp& g, Tesk::Widget* c) { g.StartStoryFinally(c); }, false, "Story",
       kUnchanged, "story", StoryCalls(1), true},
      {"StartCredits", [](GameApp& g, Tesk::Widget* c) { g.StartCredits(c); }, false, "Story", kUnchanged,
       "story", StoryCalls(4), true},
      {"StartMap", [](GameApp& g, Tesk::Widget* c) { g.StartMap(c); }, true, "Map", 0, "map",
       Screen("map", {"map Init"}, {"map setGameState 0"}), true},
      {"ReturnToMap", [](GameApp& g, Tesk::Widget* c) { g.ReturnToMap(c); }, false, "Map", 0, "map",
       Screen("map", {"map Init"}, {"map setGameState 2"}), false},
      {"StartMiniGame chant", [](GameApp& g, Tesk::Widget* c) { g.StartMiniGame(c, 1); }, true, "MiniGame", 2,
       "minigame", MiniGameCalls(1, 0), false},
      {"StartMiniGame potion", [](GameApp& g, Tesk::Widget* c) { g.StartMiniGame(c, 2); }, true, "MiniGame",
       2, "minigame", MiniGameCalls(2, 0), false},
      {"StartMiniGameSaved", [](GameApp& g, Tesk::Widget* c) { g.StartMiniGameSaved(c); }, true, "MiniGame",
       2, "minigame", MiniGameCalls(3, 3), true},
      {"StartInGame", [](GameApp& g, Tesk::Widget* c) { g.StartInGame(c); }, true, nullptr, 1, "ingame",
       Screen("ingame", {"ingame Init"}, {"ingame setGameState 0"}), true},
      {"StartTutorial", [](GameApp& g, Tesk::Widget* c) { g.StartTutorial(c); }, true, nullptr, 1, "ingame",
       Screen("ingame", {"ingame Init"}, {"ingame setGameState 0"}), true},
      {"ReturnToInGame", [](GameApp& g, Tesk::Widget* c) { g.ReturnToInGame(c); }, false, nullptr, 1,
       "ingame", Screen("ingame", {"ingame Init"}, {"ingame setGameState 3"}), false},
  };
  return sRows;
}

class GameAppScreens : public GameTest::HeadlessGame {
 protected:
  void SetUp() override {
    HeadlessGame::SetUp();
    UseLoggingManager("properties/resources.xml");
    MakeScreens();
  }

  void UseLoggingManager(const std::string& theManifest) {
    delete mGame->mResourceManager;
    mGame->mResourceManager = new LoggingManager(mGame.get());
    ASSERT_TRUE(mGame->mResourceManager->ParseResourcesFile(theManifest))
        << mGame->mResourceManager->GetErrorText();
  }

  Tesk::Widget* Target(const std::string& theName) {
    GameApp& g = *mGame;
    if (theName == "title") return g.m_titleScreen;
    if (theName == "story") return g.m_story;
    if (theName == "map") return g.m_map;
    if (theName == "minigame") return g.m_miniGame;
    return g.m_inGame;
  }

  // Runs the row from a state where theBefore (a swappable group, or null) is loaded and a
  // caller is shown when theWithCaller; checks everything the row promises.
  void RunRow(const SwitchRow& r, const char* theBefore, bool theWithCaller) {
    SCOPED_TRACE(std::string(r.mName) + (theWithCaller ? " with a caller" : " without a caller") + " after " +
                 (theBefore != nullptr ? theBefore : "the play scene"));
    GameApp& g = *mGame;
    for (Tesk::Widget* aScreen :
         {static_cast<Tesk::Widget*>(g.m_titleScreen), static_cast<Tesk::Widget*>(g.m_story),
          static_cast<Tesk::Widget*>(g.m_map), static_cast<Tesk::Widget*>(g.m_miniGame),
          static_cast<Tesk::Widget*>(g.m_inGame)}) {
      g.mWidgetManager->RemoveWidget(aScreen);
    }
    g.updateDatabaseUsing(theBefore, nullptr);
    Caller aCaller;
    if (theWithCaller) g.mWidgetManager->AddWidget(&aCaller);
    GameApp::sm_gameState = 9;
    GameApp::sm_currentFadeDirection = 4;
    CallLog().clear();

    r.mCall(g, theWithCaller ? &aCaller : nullptr);

    std::vector<std::string> anExpected;
    if (theWithCaller) anExpected.push_back("caller removed");
    if (theBefore != nullptr) anExpected.push_back(std::string("delete ") + theBefore);
    if (r.mGroup != nullptr) anExpected.push_back(std::string("load ") + r.mGroup);
    anExpected.push_back(std::string("music ") + (r.mGroup != nullptr ? r.mGroup : "(play scene)"));
    anExpected.insert(anExpected.end(), r.mTargetCalls.begin(), r.mTargetCalls.end());
    EXPECT_EQ(CallLog(), anExpected);

    EXPECT_FALSE(g.mWidgetManager->HasWidget(&aCaller));
    Tesk::Widget* aTarget = Target(r.mTarget);
    EXPECT_TRUE(g.mWidgetManager->HasWidget(aTarget));
    EXPECT_EQ(g.mWidgetManager->mFocusWidget, aTarget);
    EXPECT_EQ(GameApp::sm_gameState, r.mGameState == kUnchanged ? 9 : r.mGameState);
    EXPECT_EQ(GameApp::sm_currentFadeDirection, r.mFades ? 0 : 4);
    if (r.mGroup == nullptr) {
      EXPECT_EQ(GameApp::databaseCurrentlyLoaded, nullptr);
      EXPECT_TRUE(LoadedGroups().empty());
    } else {
      ASSERT_NE(GameApp::databaseCurrentlyLoaded, nullptr);
      EXPECT_STREQ(GameApp::databaseCurrentlyLoaded, r.mGroup);
      EXPECT_EQ(LoadedGroups(), std::set<std::string>{r.mGroup});
    }
    g.mWidgetManager->RemoveWidget(&aCaller);
  }
};

TEST_F(GameAppScreens, EveryRowOfTheSwitchTable) {
  for (const SwitchRow& r : Rows()) {
    // From another group, and from within the same one (it is released and loaded again).
    RunRow(r, r.mGroup != nullptr && std::string(r.mGroup) == "TitleScreen" ? "Map" : "TitleScreen", true);
    if (r.mGroup != nullptr) RunRow(r, r.mGroup, true);
    RunRow(r, nullptr, true);
    if (r.mCallerOptional) RunRow(r, "Story", false);
  }
}

TEST_F(GameAppScreens, SwappedGroupsBindTheirGlobalsAndTheResidentGroupsStay) {
  GameApp& g = *mGame;
  ASSERT_TRUE(g.mResourceManager->LoadResources("Constants"));
  Tesk::MAP_LOC12_HOVER = nullptr;
  g.StartMap(nullptr);
  EXPECT_NE(Tesk::MAP_LOC12_HOVER, nullptr);
  EXPECT_EQ(Tesk::MAP_LOC12_HOVER->GetWidth(), 8);
  Tesk::SFX_CHANT_WORD_SWAP = -1;
  g.StartMiniGame(g.m_map, 2);
  EXPECT_GE(Tesk::SFX_CHANT_WORD_SWAP, 0);
  g.StartInGame(g.m_miniGame);
  EXPECT_EQ(LoadedGroups(), std::set<std::string>{"Constants"});
  // In-game help and back: "HowToPlay" comes and goes, the scene takes the focus again.
  g.StartHowToPlayIngame(g.m_inGame);
  EXPECT_EQ(LoadedGroups(), (std::set<std::string>{"Constants", "HowToPlay"}));
  g.ReturnToInGame(g.m_story);
  EXPECT_EQ(LoadedGroups(), std::set<std::string>{"Constants"});
  EXPECT_EQ(g.mWidgetManager->mFocusWidget, g.m_inGame);
  EXPECT_FALSE(g.mWidgetManager->HasWidget(g.m_story));
}

TEST_F(GameAppScreens, TheProgramsOwnCallsReachTheScreensAndTheMusicSelector) {
  GameApp& g = *mGame;
  // The screens' own Init reads the resident groups, loaded by the game before any screen.
  for (const char* aGroup : {"Constants", "Main"}) ASSERT_TRUE(g.mResourceManager->LoadResources(aGroup));
  ASSERT_TRUE(Tesk::ExtractConstantsResources(g.mResourceManager));
  ASSERT_TRUE(Tesk::ExtractMainResources(g.mResourceManager));
  g.m_screenCalls = &Tesk::ScreenCalls::s_real;
  zqMusic.setGameAppPtr(&g);
  g.StartMiniGame(nullptr, 2);
  EXPECT_EQ(g.m_miniGame->m_kind, 2);
  g.StartStoryFinally(nullptr);
  EXPECT_EQ(g.m_story->m_mode, Tesk::Story::MODE_END_RUNESTONES);
  g.StartMap(g.m_story);
  EXPECT_EQ(g.mWidgetManager->mFocusWidget, g.m_map);
  zqMusic.setGameAppPtr(nullptr);
}

struct FailureCase {
  const char* mName;
  TeskTools::ResourceSetSpec mSet;
  const char* mText;
};

TEST_F(GameAppScreens, AGroupThatCannotBeLoadedOrBoundEndsTheProcessWithItsError) {
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  setenv("TESK_ALERTS", "stderr", 1);
  TeskTools::ResourceSetSpec aMissingFile = GameTest::GameResourceSet();
  for (TeskTools::GroupSpec& aGroup : aMissingFile.mGroups) {
    for (TeskTools::ResourceSpec& aRes : aGroup.mResources) {
      if (aRes.mId == "MAP_LOC03_HOVER") aRes.mPath = "no_such_picture.png";
    }
  }
  const FailureCase kCases[] = {
      {"unbound", GameTest::GameResourceSet({"MAP_LOC03_HOVER"}),
       "Image resource not found: MAP_LOC03_HOVER"},
      {"unloadable", aMissingFile, "Failed to load image: .*no_such_picture.png"},
  };
  for (const FailureCase& c : kCases) {
    const std::string aManifest = std::string("properties/") + c.mName + ".xml";
    ASSERT_TRUE(TeskTools::WriteBytes(GameTest::GameResourcesDir() + "/" + aManifest,
                                      TeskTools::ResourceManifestText(c.mSet)));
    UseLoggingManager(aManifest);
    EXPECT_EXIT(mGame->StartMap(nullptr), testing::ExitedWithCode(1), c.mText) << c.mName;
  }
  // The map itself loads when nothing is missing: the failure was the group's.
  UseLoggingManager("properties/resources.xml");
  mGame->StartMap(nullptr);
  EXPECT_STREQ(GameApp::databaseCurrentlyLoaded, "Map");
  unsetenv("TESK_ALERTS");
}

}  // namespace

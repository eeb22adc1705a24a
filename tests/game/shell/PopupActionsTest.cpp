// Every button of every popup type, pressed in a table: the sound it plays, the type it lays
// out next or the screen it arms once the fade is black, the profile's changes and the scene
// state it hands back; and the same press while a fade runs, which changes nothing at all.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "PopupRig.h"
#include "game/shell/GameStrings.h"
#include "game/shell/Story.h"
#include "platform/alerts/StandardAlert.h"
#include "platform/alerts/backend/ScriptedAlertBackend.h"
#include "widgets/EditWidget.h"

namespace {

using PopupTest::PopupRig;
using namespace Tesk;

// What a press leads to, beside the sounds and the checks of its row.
enum class Outcome {
  GoTo,     // the popup is laid out again as type `value` and stays open
  Close,    // hidden, the scene rises to full brightness (fade 0)
  Leave,    // hidden, the screen falls to black (fade 1) with sub-type `value` armed
  Scene,    // a scene state of its own closes the popup: only the check says what
  Nothing,  // the popup stays as it was
};

struct Row {
  const char* name;
  uint8_t type;
  int id;
  std::function<void(PopupRig&)> setUp;
  std::vector<int*> sounds;
  Outcome outcome;
  int value;
  std::function<void(PopupRig&)> check;
};

const uint8_t k_untouched = 0xEE;

class PopupActions : public PopupRig {
 protected:
  // The popup opened as type theRow.type over a screen dimmed to the popup level, no fade
  // running, the scenes in a state no action sets.
  void Prepare(const Row& r) {
    ResetProfiles();
    GameApp::sm_gameState = 0;
    mMap->m_state = mInGame->m_state = mMiniGame->m_state = k_untouched;
    mInGame->m_location = &mLevel->m_locations[0];
    mLevel->m_locations[0].m_numOpen = 3;
    Story::s_storyType = k_untouched;
    mPopup->m_chosenDifficulty = 0;
    mTyped.clear();
    GameApp::sm_currentFadeDirection = 4;
    GameApp::sm_colorFade = GameApp::k_FLOAT_50PERCENT_FADE;
    if (r.setUp) r.setUp(*this);
    Open(r.type);
    for (wchar_t c : mTyped) mPopup->m_nameEdit->KeyChar(c);
    std::remove(ProfileData::getProfilePath().c_str());
    Played().clear();
  }

  void Press(const Row& r) {
    Prepare(r);
    mPopup->ButtonDepress(r.id);

    std::vector<int> aSounds;
    for (int* aSound : r.sounds) aSounds.push_back(*aSound);
    EXPECT_EQ(Played(), aSounds);
    switch (r.outcome) {
      case Outcome::GoTo:
        EXPECT_EQ(mPopup->m_type, r.value);
        EXPECT_EQ(mPopup->m_subType, 0);
        EXPECT_TRUE(mPopup->mVisible);
        EXPECT_EQ(GameApp::sm_currentFadeDirection, 4);
        break;
      case Outcome::Close:
        EXPECT_EQ(mPopup->m_type, r.type);
        EXPECT_EQ(mPopup->m_subType, 0);
        EXPECT_FALSE(mPopup->mVisible);
        EXPECT_EQ(GameApp::sm_currentFadeDirection, 0);
        break;
      case Outcome::Leave:
        EXPECT_EQ(mPopup->m_type, r.type);
        EXPECT_EQ(mPopup->m_subType, r.value);
        EXPECT_FALSE(mPopup->mVisible);
        EXPECT_EQ(GameApp::sm_currentFadeDirection, 1);
        break;
      case Outcome::Scene:
        EXPECT_EQ(mPopup->m_type, r.type);
        EXPECT_EQ(mPopup->m_subType, 0);
        break;
      case Outcome::Nothing:
        EXPECT_EQ(mPopup->m_type, r.type);
        EXPECT_EQ(mPopup->m_subType, 0);
        EXPECT_TRUE(mPopup->mVisible);
        EXPECT_EQ(GameApp::sm_currentFadeDirection, 4);
        break;
    }
    if (r.check) r.check(*this);
  }

  // The same press while the scene is still dimming: nothing moves, nothing is heard.
  void PressDuringFade(const Row& r) {
    Prepare(r);
    GameApp::setFade(2);
    const std::string aProfile = mProfile->toFileBytes();
    const int aDifficulty = mPopup->m_chosenDifficulty;
    mPopup->ButtonDepress(r.id);
    EXPECT_TRUE(Played().empty());
    EXPECT_EQ(mPopup->m_type, r.type);
    EXPECT_EQ(mPopup->m_subType, 0);
    EXPECT_TRUE(mPopup->mVisible);
    EXPECT_EQ(GameApp::sm_currentFadeDirection, 2);
    EXPECT_EQ(mProfile->toFileBytes(), aProfile);
    EXPECT_EQ(mPopup->m_chosenDifficulty, aDifficulty);
    EXPECT_EQ(mMap->m_state, k_untouched);
    EXPECT_EQ(mInGame->m_state, k_untouched);
    EXPECT_EQ(mMiniGame->m_state, k_untouched);
    EXPECT_EQ(Story::s_storyType, k_untouched);
    EXPECT_EQ(TeskTest::ReadFile(ProfileData::getProfilePath()), "");
  }

 public:
  // What the player types into the name field once the popup is open.
  std::wstring mTyped;

  // A byte of the record in use as the profile file on disk holds it; -1 when there is no file.
  static int SavedRecordByte(PopupRig& r, int theOffset) {
    const std::string aFile = TeskTest::ReadFile(ProfileData::getProfilePath());
    const size_t aPos = 8 + 100 * static_cast<size_t>(r.mProfile->getProfileIdxUsing()) + theOffset;
    return aFile.size() == ProfileData::k_fileSize ? static_cast<uint8_t>(aFile[aPos]) : -1;
  }
};

// Game states and profiles the rows start from.
void InMap(PopupRig&) { GameApp::sm_gameState = 0; }
void InLocation(PopupRig&) { GameApp::sm_gameState = 1; }
// A potion game is being played: one the mini-game can save.
void InMiniGame(PopupRig& r) {
  GameApp::sm_gameState = 2;
  r.mMiniGame->setGameType(2);
}
void GameInProgress(PopupRig& r) {
  r.MakeProfile(L"Wren");
  r.mProfile->startNewGame(1);
}
// A game in progress, played in a location or in a potion game.
void GameInLocation(PopupRig& r) {
  GameInProgress(r);
  InLocation(r);
}
void GameInMiniGame(PopupRig& r) {
  GameInProgress(r);
  InMiniGame(r);
}
void OnChapter(PopupRig& r, int theChapter) {
  GameInProgress(r);
  while (r.mProfile->getLevelOn() < theChapter) r.mProfile->advanceLevelOn();
}
void ExtraHard(PopupRig& r) { r.mProfile->setExtraHardDiffUnlocked(); }
void TwoProfiles(PopupRig& r) {
  r.MakeProfile(L"Ada");
  r.MakeProfile(L"Bo");
}

// Checks.
std::function<void(PopupRig&)> MapState(int theState) {
  return [theState](PopupRig& r) { EXPECT_EQ(r.mMap->m_state, theState); };
}
std::function<void(PopupRig&)> PlaySceneState(int theState) {
  return [theState](PopupRig& r) { EXPECT_EQ(r.mInGame->m_state, theState); };
}
std::function<void(PopupRig&)> MiniGameState(int theState) {
  return [theState](PopupRig& r) { EXPECT_EQ(r.mMiniGame->m_state, theState); };
}
std::function<void(PopupRig&)> Difficulty(int theDifficulty) {
  return [theDifficulty](PopupRig& r) { EXPECT_EQ(r.mPopup->m_chosenDifficulty, theDifficulty); };
}
// The game saved where it stands: the profile file says so.
std::function<void(PopupRig&)> SavedIn(bool inMiniGame) {
  return [inMiniGame](PopupRig& r) {
    EXPECT_EQ(PopupActions::SavedRecordByte(r, 81), 1) << "has a save";
    EXPECT_EQ(PopupActions::SavedRecordByte(r, 82), inMiniGame ? 1 : 0) << "saved in the mini-game";
  };
}
void NothingSaved(PopupRig&) { EXPECT_EQ(TeskTest::ReadFile(ProfileData::getProfilePath()), ""); }
void NoSceneTouched(PopupRig& r) {
  EXPECT_EQ(r.mMap->m_state, k_untouched);
  EXPECT_EQ(r.mInGame->m_state, k_untouched);
  EXPECT_EQ(r.mMiniGame->m_state, k_untouched);
}

int* const Select = &SFX_SELECT_PRESS;
int* const Back = &SFX_BACK_PRESS;
int* const Start = &SFX_START_GAME;
int* const Error = &SFX_ERROR;
int* const Deleted = &SFX_PROFILE_DELETED;

std::vector<Row> MenuRows() {
  return {
      {"play menu: new game over a game in progress",
       0,
       1,
       GameInProgress,
       {Select},
       Outcome::GoTo,
       6,
       nullptr},
      {"play menu: new game, nothing in progress", 0, 1, nullptr, {Select}, Outcome::GoTo, 1, nullptr},
      {"play menu: continue a level",
       0,
       2,
       GameInProgress,
       {Start},
       Outcome::Leave,
       POPUP_TO_LEVEL_INTRO,
       NothingSaved},
      {"play menu: continue a mini-game",
       0,
       2,
       [](PopupRig& r) {
         GameInProgress(r);
         r.mProfile->setSaveInMinigame(true);
       },
       {Start},
       Outcome::Leave,
       POPUP_TO_SAVED_MINI_GAME,
       nullptr},
      {"play menu: back", 0, 3, nullptr, {Back}, Outcome::Close, 0, nullptr},
      {"play menu: any other id is back", 0, 7, nullptr, {Back}, Outcome::Close, 0, nullptr},
      {"difficulty 1", 1, 1, nullptr, {Select}, Outcome::GoTo, 7, Difficulty(0)},
      {"difficulty 2", 1, 2, nullptr, {Select}, Outcome::GoTo, 7, Difficulty(1)},
      {"difficulty: id 3 is back while extra hard is locked",
       1,
       3,
       nullptr,
       {Select},
       Outcome::Close,
       0,
       Difficulty(0)},
      {"difficulty 3, unlocked", 1, 3, ExtraHard, {Select}, Outcome::GoTo, 7, Difficulty(2)},
      {"difficulty: back, extra hard unlocked", 1, 4, ExtraHard, {Select}, Outcome::Close, 0, Difficulty(0)},
      {"difficulty: id 4 without extra hard", 1, 4, nullptr, {}, Outcome::Nothing, 0, nullptr},
      {"help options: how to play from a mini-game saves it",
       2,
       7,
       GameInMiniGame,
       {Back},
       Outcome::Leave,
       POPUP_TO_HOW_TO_PLAY_INGAME,
       SavedIn(true)},
      {"help options: how to play from the map",
       2,
       7,
       InMap,
       {Back},
       Outcome::Leave,
       POPUP_TO_HOW_TO_PLAY_INGAME,
       NothingSaved},
      {"help options: 3D page", 2, 8, nullptr, {Select}, Outcome::GoTo, 3, nullptr},
      {"help options: back", 2, 9, nullptr, {Select}, Outcome::GoTo, 5, nullptr},
      {"help options: an id it does not show", 2, 1, nullptr, {}, Outcome::Nothing, 0, nullptr},
      {"3D page: back", 3, 2, nullptr, {Select}, Outcome::GoTo, 2, nullptr},
      {"3D page: any id", 3, 9, nullptr, {Select}, Outcome::GoTo, 2, nullptr},
      {"title options: credits", 4, 5, nullptr, {Back}, Outcome::Leave, POPUP_TO_CREDITS, nullptr},
      {"title options: high scores", 4, 6, nullptr, {Select}, Outcome::GoTo, 27, nullptr},
      {"title options: back", 4, 7, nullptr, {Back}, Outcome::Close, 0, nullptr},
      {"game options: help", 5, 6, nullptr, {Select}, Outcome::GoTo, 2, nullptr},
      {"game options: unlockables", 5, 7, nullptr, {Select}, Outcome::GoTo, 8, nullptr},
      {"game options: exit game", 5, 8, nullptr, {Select}, Outcome::GoTo, 15, nullptr},
      {"game options: return to the map", 5, 9, InMap, {Back}, Outcome::Scene, 0, MapState(3)},
      {"game options: return to the location",
       5,
       9,
       InLocation,
       {Back},
       Outcome::Scene,
       0,
       PlaySceneState(4)},
      {"game options: return to the mini-game",
       5,
       9,
       InMiniGame,
       {Back},
       Outcome::Scene,
       0,
       MiniGameState(8)},
      {"overwrite: yes drops the game in progress",
       6,
       5,
       GameInProgress,
       {Select},
       Outcome::GoTo,
       1,
       [](PopupRig& r) { EXPECT_FALSE(r.mProfile->doesLevelDataExist()); }},
      {"overwrite: no",
       6,
       6,
       GameInProgress,
       {Select},
       Outcome::GoTo,
       0,
       [](PopupRig& r) { EXPECT_TRUE(r.mProfile->doesLevelDataExist()); }},
      {"story length: long starts the game",
       7,
       5,
       [](PopupRig& r) {
         r.MakeProfile(L"Wren");
         r.mPopup->m_chosenDifficulty = 2;
       },
       {Start},
       Outcome::Leave,
       POPUP_TO_STORY,
       [](PopupRig& r) {
         EXPECT_EQ(Story::s_storyType, 0);
         EXPECT_TRUE(r.mProfile->doesLevelDataExist());
         EXPECT_EQ(r.mProfile->getDifficultyLevel(), 2);
         EXPECT_EQ(r.mProfile->getLevelOn(), 1);
       }},
      {"story length: short",
       7,
       6,
       [](PopupRig& r) { r.MakeProfile(L"Wren"); },
       {Start},
       Outcome::Leave,
       POPUP_TO_STORY,
       [](PopupRig& r) {
         EXPECT_EQ(Story::s_storyType, 1);
         EXPECT_EQ(r.mProfile->getDifficultyLevel(), 0);
       }},
      {"unlockables: the map toggle flips and relabels",
       8,
       2,
       [](PopupRig& r) { r.mProfile->setOtherMapUnlocked(); },
       {Select},
       Outcome::Nothing,
       0,
       [](PopupRig& r) {
         EXPECT_EQ(r.mProfile->getMapUsing(), 1);
         EXPECT_EQ(r.mPopup->m_buttons[1]->mLabel, stringMapUsingToggle[1]);
       }},
      {"unlockables: and back again",
       8,
       2,
       [](PopupRig& r) {
         r.mProfile->setOtherMapUnlocked();
         r.mProfile->setMapUsing(1);
       },
       {Select},
       Outcome::Nothing,
       0,
       [](PopupRig& r) {
         EXPECT_EQ(r.mProfile->getMapUsing(), 0);
         EXPECT_EQ(r.mPopup->m_buttons[1]->mLabel, stringMapUsingToggle[0]);
       }},
      {"unlockables: back", 8, 3, nullptr, {Select}, Outcome::GoTo, 5, nullptr},
      {"new profile: create",
       9,
       6,
       [](PopupRig& r) { static_cast<PopupActions&>(r).mTyped = L"Mira"; },
       {Select, Start},
       Outcome::Close,
       0,
       [](PopupRig& r) {
         EXPECT_EQ(r.mProfile->getTotalProfilesLoaded(), 1);
         EXPECT_STREQ(r.mProfile->getProfileName(), L"Mira");
       }},
      {"new profile: create with no name", 9, 6, nullptr, {Select, Error}, Outcome::GoTo, 21, nullptr},
      {"exit: yes from a location saves the level",
       15,
       5,
       GameInLocation,
       {Back},
       Outcome::Leave,
       POPUP_TO_TITLE,
       SavedIn(false)},
      {"exit: yes from a mini-game saves it",
       15,
       5,
       GameInMiniGame,
       {Back},
       Outcome::Leave,
       POPUP_TO_TITLE,
       SavedIn(true)},
      {"exit: no", 15, 6, nullptr, {Select}, Outcome::GoTo, 5, NothingSaved},
      {"name exists: back", 20, 1, nullptr, {Select}, Outcome::GoTo, 9, nullptr},
      {"name empty: back", 21, 1, nullptr, {Select}, Outcome::GoTo, 9, nullptr},
      {"profile error: back", 22, 1, nullptr, {Select}, Outcome::GoTo, 10, nullptr},
      {"no window (title): back", 23, 1, nullptr, {Select}, Outcome::GoTo, 4, nullptr},
      {"no window (game): back", 24, 1, nullptr, {Select}, Outcome::GoTo, 5, nullptr},
      {"high scores: back", 27, 1, nullptr, {Select}, Outcome::GoTo, 4, nullptr},
  };
}

std::vector<Row> ProfileRows() {
  auto aUsing = [](int theSlot) {
    return [theSlot](PopupRig& r) { EXPECT_EQ(r.mProfile->getProfileIdxUsing(), theSlot); };
  };
  return {
      {"profiles: choose the first", 10, 1, TwoProfiles, {Back}, Outcome::Close, 0, aUsing(0)},
      {"profiles: choose the second",
       10,
       2,
       [](PopupRig& r) {
         TwoProfiles(r);
         r.mProfile->setProfileUsing(0);
       },
       {Back},
       Outcome::Close,
       0,
       aUsing(1)},
      {"profiles: the empty row", 10, 3, TwoProfiles, {}, Outcome::Nothing, 0, nullptr},
      {"profiles: create", 10, 4, TwoProfiles, {Select}, Outcome::GoTo, 9, nullptr},
      {"profiles: create with every slot taken",
       10,
       6,
       [](PopupRig& r) {
         TwoProfiles(r);
         r.MakeProfile(L"Cy");
         r.MakeProfile(L"Di");
       },
       {Error},
       Outcome::GoTo,
       22,
       nullptr},
      {"profiles: delete", 10, 5, TwoProfiles, {Select}, Outcome::GoTo, 11, nullptr},
      {"profiles: back", 10, 6, TwoProfiles, {Back}, Outcome::Close, 0, nullptr},
      {"delete list: pick the second",
       11,
       2,
       TwoProfiles,
       {Select},
       Outcome::GoTo,
       14,
       [](PopupRig& r) { EXPECT_EQ(r.mPopup->m_deleteProfileIndex, 1); }},
      {"delete list: back", 11, 3, TwoProfiles, {Select}, Outcome::GoTo, 10, nullptr},
      {"confirm delete: yes",
       14,
       5,
       [](PopupRig& r) {
         TwoProfiles(r);
         r.mPopup->m_deleteProfileIndex = 0;
       },
       {Deleted},
       Outcome::GoTo,
       11,
       [](PopupRig& r) {
         EXPECT_EQ(r.mProfile->getTotalProfilesLoaded(), 1);
         EXPECT_STREQ(r.mProfile->getProfileName(), L"Bo");
       }},
      {"confirm delete: yes to the last profile closes",
       14,
       5,
       [](PopupRig& r) { r.MakeProfile(L"Ada"); },
       {Deleted},
       Outcome::Close,
       0,
       [](PopupRig& r) { EXPECT_EQ(r.mProfile->getTotalProfilesLoaded(), 0); }},
      {"confirm delete: no",
       14,
       6,
       TwoProfiles,
       {Select},
       Outcome::GoTo,
       11,
       [](PopupRig& r) { EXPECT_EQ(r.mProfile->getTotalProfilesLoaded(), 2); }},
  };
}

std::vector<Row> SceneRows() {
  auto aLocationDone = [](PopupRig& r) {
    InLocation(r);
    r.mLevel->m_locations[0].m_numOpen = 0;
  };
  auto aRanked = [](PopupRig& r) {
    OnChapter(r, 13);
    r.mProfile->updateGameTotalTime(60);
  };
  std::vector<Row> aRows = {
      {"all found: continue searching on the map", 12, 5, InMap, {Back}, Outcome::Close, 0, MapState(3)},
      {"all found: continue searching in a location",
       12,
       5,
       InLocation,
       {Back},
       Outcome::Close,
       0,
       PlaySceneState(4)},
      {"all found: continue searching, the location's list is done",
       12,
       5,
       aLocationDone,
       {Back},
       Outcome::Leave,
       POPUP_TO_MAP_2,
       NoSceneTouched},
      {"all found: to the mini-game after chapter 1",
       12,
       6,
       [](PopupRig& r) { OnChapter(r, 1); },
       {Back},
       Outcome::Leave,
       POPUP_TO_POTION_GAME,
       nullptr},
      {"all found: to the mini-game after chapter 2",
       12,
       6,
       [](PopupRig& r) { OnChapter(r, 2); },
       {Back},
       Outcome::Leave,
       POPUP_TO_CHANT_GAME,
       nullptr},
      {"location done", 13, 1, nullptr, {Back}, Outcome::Leave, POPUP_TO_MAP_2, nullptr},
      {"level failed: try again", 17, 5, nullptr, {Back}, Outcome::Leave, POPUP_TO_LEVEL_INTRO, nullptr},
      {"level failed: exit to the menu", 17, 6, nullptr, {Back}, Outcome::Leave, POPUP_TO_TITLE, nullptr},
      {"level failed: any other id", 17, 1, nullptr, {Back}, Outcome::Nothing, 0, nullptr},
      {"all runestones: into the hall of fame",
       18,
       1,
       aRanked,
       {Back},
       Outcome::Leave,
       POPUP_TO_STORY_FINALLY,
       [](PopupRig& r) { EXPECT_STREQ(r.mProfile->getRankRecord(0)->mName, L"Wren"); }},
      {"chapter's objects found, chapter 3",
       19,
       1,
       [](PopupRig& r) { OnChapter(r, 3); },
       {Back},
       Outcome::Leave,
       POPUP_TO_POTION_GAME,
       nullptr},
      {"chapter's objects found, chapter 4",
       19,
       1,
       [](PopupRig& r) { OnChapter(r, 4); },
       {Back},
       Outcome::Leave,
       POPUP_TO_CHANT_GAME,
       nullptr},
      {"map unlocked", 28, 1, InLocation, {}, Outcome::Close, 0, PlaySceneState(4)},
      {"wands unlocked", 29, 1, nullptr, {Back}, Outcome::Leave, POPUP_TO_TITLE, nullptr},
      {"extra hard unlocked", 30, 1, nullptr, {Back}, Outcome::Leave, POPUP_TO_TITLE, nullptr},
      {"wands unlocked in the play scene", 31, 1, InLocation, {Back}, Outcome::Close, 0, PlaySceneState(4)},
      {"short time on the map", POPUP_HINT_SHORT_TIME, 1, InMap, {Back}, Outcome::Close, 0, MapState(3)},
      {"short time in a mini-game",
       POPUP_HINT_SHORT_TIME,
       1,
       InMiniGame,
       {Back},
       Outcome::Close,
       0,
       MiniGameState(8)},
      {"short time in a location",
       POPUP_HINT_SHORT_TIME,
       1,
       InLocation,
       {Back},
       Outcome::Close,
       0,
       PlaySceneState(4)},
      {"results panel: no buttons", 16, 1, nullptr, {}, Outcome::Nothing, 0, nullptr},
      {"no layout: no buttons", 34, 1, nullptr, {}, Outcome::Nothing, 0, nullptr},
  };
  // The mini-game help boxes.
  for (uint8_t aType : {25, 26, 32, 33}) {
    aRows.push_back({"mini-game help: how to play saves the mini-game",
                     aType,
                     5,
                     GameInMiniGame,
                     {},
                     Outcome::Leave,
                     POPUP_TO_HOW_TO_PLAY_INGAME,
                     SavedIn(true)});
    // State 2 is the screen's "help closed": its entry action goes straight on to play (3).
    aRows.push_back(
        {"mini-game help: OK", aType, 1, InMiniGame, {Back}, Outcome::Close, 0, MiniGameState(3)});
  }
  // The hints: back to the map, the play scene or the mini-game.
  for (uint8_t aType : {50, 59, 66, 75})
    aRows.push_back({"a map hint", aType, 1, InMap, {Back}, Outcome::Close, 0, MapState(3)});
  for (uint8_t aType : {51, 52, 53, 54, 55, 56, 57, 61, 62, 63, 67, 69, 70, 71, 72, 73})
    aRows.push_back(
        {"a play-scene hint", aType, 1, InLocation, {Back}, Outcome::Close, 0, PlaySceneState(4)});
  for (uint8_t aType : {60, 64, 65, 68, 74})
    aRows.push_back({"a mini-game hint", aType, 1, InMiniGame, {}, Outcome::Close, 0, MiniGameState(8)});
  return aRows;
}

TEST_F(PopupActions, EveryButtonOfTheMenus) {
  for (const Row& r : MenuRows()) {
    SCOPED_TRACE(std::string(r.name) + ", type " + std::to_string(r.type) + ", id " + std::to_string(r.id));
    Press(r);
  }
}

TEST_F(PopupActions, EveryButtonOfTheProfileLists) {
  for (const Row& r : ProfileRows()) {
    SCOPED_TRACE(std::string(r.name) + ", id " + std::to_string(r.id));
    Press(r);
  }
}

TEST_F(PopupActions, EveryButtonOfTheScenesMessagesAndHints) {
  for (const Row& r : SceneRows()) {
    SCOPED_TRACE(std::string(r.name) + ", type " + std::to_string(r.type) + ", id " + std::to_string(r.id));
    Press(r);
  }
}

TEST_F(PopupActions, NoButtonActsWhileAFadeRuns) {
  for (const auto& aRows : {MenuRows(), ProfileRows(), SceneRows()}) {
    for (const Row& r : aRows) {
      SCOPED_TRACE(std::string(r.name) + ", type " + std::to_string(r.type) + ", id " + std::to_string(r.id));
      PressDuringFade(r);
    }
  }
}

// Leaving by the exit question into a data folder where the save's name is taken by a folder:
// the game still leaves, the profile written says what the disk holds (the flags as they
// were), and the player is told that the game was not saved.
TEST_F(PopupActions, AnExitWhoseSaveCannotBeWrittenKeepsTheSaveFlagsAndTellsThePlayer) {
  struct Case {
    const char* mName;
    bool inMiniGame;
    bool mHadSave;
  };
  const Case kCases[] = {{"from a location, nothing saved before", false, false},
                         {"from a mini-game, the level saved before", true, true}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    ScriptedAlertBackend anAlerts;
    SetAlertBackend(&anAlerts);
    const std::string aSave = GetAppDataFolder() + "level.sav0";
    const Row aRow{"exit: yes",
                   POPUP_CONFIRM_EXIT,
                   5,
                   [&c, &aSave](PopupRig& r) {
                     c.inMiniGame ? GameInMiniGame(r) : GameInLocation(r);
                     r.mProfile->setHasSaveFile(c.mHadSave);
                     ASSERT_EQ(r.mProfile->getProfileIdxUsing(), 0);
                     std::filesystem::create_directory(aSave);
                   },
                   {Back},
                   Outcome::Leave,
                   POPUP_TO_TITLE,
                   [&c](PopupRig& r) {
                     EXPECT_EQ(PopupActions::SavedRecordByte(r, 81), c.mHadSave ? 1 : 0) << "has a save";
                     EXPECT_EQ(PopupActions::SavedRecordByte(r, 82), 0) << "saved in the mini-game";
                   }};
    Press(aRow);
    SetAlertBackend(nullptr);
    std::filesystem::remove(aSave);
    ASSERT_EQ(anAlerts.Shown().size(), 1u);
    EXPECT_EQ(anAlerts.Shown()[0].mMessage, "Not saved");
    EXPECT_NE(
        anAlerts.Shown()[0].mExplanation.find("Your progress could not be saved in " + GetAppDataFolder()),
        std::string::npos)
        << anAlerts.Shown()[0].mExplanation;
  }
}

// With no data folder at all nothing of the run can be saved: the first exit says so, without
// naming a folder, and the exits after it do not say it again.
TEST_F(PopupActions, WithNoDataFolderThePlayerIsToldOnceThatNothingCanBeSaved) {
  ScriptedAlertBackend anAlerts;
  SetAlertBackend(&anAlerts);
  const std::string aFolder = GetAppDataFolder();
  const Row aRow{"exit: yes",    POPUP_CONFIRM_EXIT, 5,      GameInLocation, {Back},
                 Outcome::Leave, POPUP_TO_TITLE,     nullptr};
  for (int anExit = 0; anExit < 2; ++anExit) {
    Prepare(aRow);
    SetAppDataFolder("");
    mPopup->ButtonDepress(aRow.id);
    SetAppDataFolder(aFolder);
    EXPECT_EQ(mPopup->m_subType, POPUP_TO_TITLE) << "the game still leaves";
  }
  SetAlertBackend(nullptr);
  ASSERT_EQ(anAlerts.Shown().size(), 1u);
  EXPECT_EQ(anAlerts.Shown()[0].mMessage, "Not saved");
  EXPECT_NE(anAlerts.Shown()[0].mExplanation.find("no folder for the players' files"), std::string::npos)
      << anAlerts.Shown()[0].mExplanation;
}

}  // namespace

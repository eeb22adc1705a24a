// The scripted player: the game made and run as its entry does (command line, Init, Start), played
// as a player would through the window's own mouse messages, which the framework records into a
// demo; or a demo replayed from its file through the framework's playback. Both runs write the
// same log of the game's state at fixed updates, so that a replay can be compared line by line
// with its recording. Neither run waits for real time: the recording runs under an accelerated
// clock and the replay fast-forwards to the demo's end.
//
//   playthrough record DEMO LOG [--until=objects|chapter:N] [--shots=DIR] [--max-updates=N]
//   playthrough replay DEMO LOG
//
// The log's last lines name every file the run left in the data folder with a hash of its bytes.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "../tests/game/play/PotionSolver.h"
#include "app/Screenshots.h"
#include "app/WindowMessages.h"
#include "core/MTRand.h"
#include "core/MacUtils.h"
#include "game/play/FindInfo.h"
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/play/LocationData.h"
#include "game/play/Map.h"
#include "game/play/MiniGame.h"
#include "game/play/Selectable.h"
#include "game/play/WordStruct.h"
#include "game/shell/GameApp.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/Story.h"
#include "game/shell/TitleScreen.h"
#include "graphics/Image.h"
#include "platform/carbon/CarbonTypes.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/WidgetManager.h"

namespace {

namespace fs = std::filesystem;

// Updates between two lines of the state log.
constexpr int k_logEvery = 250;
// The recording's clock runs this many times faster than real time: updates come back to back.
constexpr double k_recordSpeed = 1000.0;

uint64_t Fnv1a(const std::string& theBytes) {
  uint64_t aHash = 1469598103934665603ull;
  for (unsigned char c : theBytes) {
    aHash ^= c;
    aHash *= 1099511628211ull;
  }
  return aHash;
}

// Resident and peak resident size of this process, in kB.
void MemoryKb(long* theResident, long* thePeak) {
  *theResident = *thePeak = 0;
  std::ifstream aStatus("/proc/self/status");
  std::string aLine;
  while (std::getline(aStatus, aLine)) {
    if (aLine.rfind("VmRSS:", 0) == 0) *theResident = std::atol(aLine.c_str() + 6);
    if (aLine.rfind("VmHWM:", 0) == 0) *thePeak = std::atol(aLine.c_str() + 6);
  }
}

// Appends to theLog every file the run left in theFolder (the profile, the saves, the cached
// sounds) with its size and a hash of its bytes. The preferences are left out: a replay takes the
// preference values from the demo and does not write them.
void LogFiles(const std::string& theFolder, const std::string& theLog) {
  std::vector<fs::path> aFiles;
  std::error_code anError;
  for (const auto& anEntry : fs::recursive_directory_iterator(theFolder, anError)) {
    if (!anEntry.is_regular_file()) continue;
    const std::string aName = anEntry.path().filename().string();
    if (aName == "Preferences.txt" || aName.find(".dmo") != std::string::npos) continue;
    if (anEntry.path().string().find("_screenshots") != std::string::npos) continue;
    aFiles.push_back(anEntry.path());
  }
  std::sort(aFiles.begin(), aFiles.end());
  std::FILE* aLog = std::fopen(theLog.c_str(), "a");
  if (aLog == nullptr) return;
  for (const fs::path& aPath : aFiles) {
    std::ifstream aStream(aPath, std::ios::binary);
    const std::string aBytes((std::istreambuf_iterator<char>(aStream)), std::istreambuf_iterator<char>());
    std::fprintf(aLog, "file %s %zu %016llx\n", fs::relative(aPath, theFolder).string().c_str(),
                 aBytes.size(), static_cast<unsigned long long>(Fnv1a(aBytes)));
  }
  std::fclose(aLog);
}

class PlayerApp : public Tesk::GameApp {
 public:
  PlayerApp(bool isRecording, const std::string& theLog) : mRecording(isRecording), mLogFile(theLog) {}

  std::string mUntil = "objects";
  // "location:N" or "minigame:N": in chapter N, part way through a location or its mini-game, the
  // player saves and quits through the menu, and the run ends on the title screen.
  std::string mQuit;
  // From the map of a new player's first chapter (set up directly), not through the title screen.
  bool mStartOnMap = false;
  std::string mShots;
  int32_t mMaxUpdates = 400000;
  bool mFailed = false;

  void Init() override {
    // In a window: the display's pixels are the game's, so a click lands where it is aimed.
    mIsWindowed = true;
    Tesk::GameApp::Init();
    if (mRecording) {
      mUpdateMultiplier = k_recordSpeed;
    } else if (mPlayingDemoBuffer) {
      mFastForwardToUpdateNum = mDemoLength;
    }
    mLog = std::fopen(mLogFile.c_str(), "w");
  }

  void UpdateFrames() override {
    Tesk::GameApp::UpdateFrames();
    if (mLoaded && !mStarted) {
      if (mStartOnMap) {
        StartWithoutTitle();
      } else {
        mStarted = true;
        LogState("start");
      }
    }
    // Chapter boundaries: the profile's chapter moves on when the results are left.
    const int aChapter = getProfileData() != nullptr ? getProfileData()->getLevelOn() : 0;
    if (mStarted && aChapter != mChapter) {
      mChapter = aChapter;
      mVisited.clear();
      LogState("chapter");
    }
    if (mUpdateCount % k_logEvery == 0) LogState("tick");
  }

  bool Process(bool allowSleep) override {
    const bool aResult = Tesk::GameApp::Process(allowSleep);
    if (mRecording && mStarted && !mShutdown && mUpdateCount != mLastStepUpdate) {
      mLastStepUpdate = mUpdateCount;
      Step();
    }
    return aResult;
  }

  void Finish() {
    LogState("end");
    if (mLog != nullptr) std::fclose(mLog);
    mLog = nullptr;
  }

 private:
  void Log(const char* theFormat, ...) __attribute__((format(printf, 2, 3))) {
    if (mLog == nullptr) return;
    va_list anArgs;
    va_start(anArgs, theFormat);
    std::vfprintf(mLog, theFormat, anArgs);
    va_end(anArgs);
    std::fputc('\n', mLog);
    std::fflush(mLog);
  }

  Tesk::PopupBox* Popup() {
    Tesk::TitleScreen* aTitle = getTitleScreen();
    return aTitle != nullptr ? aTitle->getPopupWidget() : nullptr;
  }
  bool Shown(Tesk::Widget* theWidget) {
    return theWidget != nullptr && mWidgetManager->HasWidget(theWidget) && theWidget->mVisible;
  }

  // One line of the game's state; the replay must write the same lines at the same updates.
  void LogState(const char* theWhy) {
    Tesk::ProfileData* aProfile = getProfileData();
    Tesk::PopupBox* aPopup = Popup();
    Tesk::InGame* aScene = getIngame();
    int aState = -1, anOpen = -1, aFound = 0;
    if (aScene != nullptr && mWidgetManager->HasWidget(aScene)) {
      aState = aScene->m_state;
      if (LocationData* aLocation = aScene->getLocationData()) {
        anOpen = static_cast<int>(aLocation->m_numOpen);
      }
    }
    if (getLevelData() != nullptr) aFound = getLevelData()->numberOfObjectsToFind();
    int aMini = -1;
    if (getMiniGame() != nullptr && mWidgetManager->HasWidget(getMiniGame())) aMini = getMiniGame()->m_state;
    long aResident = 0, aPeak = 0;
    MemoryKb(&aResident, &aPeak);
    Log("%s %d screen %d location %d level %d timer %d coins %d scene %d open %d left %d mini %d popup %d",
        theWhy, mUpdateCount, sm_gameState, sm_locationAt, aProfile != nullptr ? aProfile->getLevelOn() : -1,
        aProfile != nullptr ? aProfile->getLevelTimer() : -1,
        aProfile != nullptr ? aProfile->getCointTotal() : -1, aState, anOpen, aFound, aMini,
        Shown(aPopup) ? aPopup->m_type : -1);
    // Memory is the process's, not the game's: it goes to standard error, not into the compared log.
    if (std::strcmp(theWhy, "tick") != 0)
      std::fprintf(stderr, "playthrough: %s %d at update %d, resident %ld kB, peak %ld kB\n", theWhy,
                   mChapter, mUpdateCount, aResident, aPeak);
  }

  // Until the title screen and the chapter intro lead there, a new player's first chapter starts
  // on the map as they would leave it; both runs do this at the same update.
  void StartWithoutTitle() {
    mStarted = true;
    PreScreensFinished();
    Tesk::TitleScreen* aTitle = getTitleScreen();
    if (aTitle->getPopupWidget() == nullptr) {
      aTitle->m_popup = new Tesk::PopupBox(this);
      aTitle->m_popup->Init();
    }
    Tesk::ProfileData* aProfile = getProfileData();
    aProfile->setProfileUsing(0);
    aProfile->setProfileName(L"Player");
    aProfile->startNewGame(1);
    if (!getLevelData()->load(1, false)) {
      std::fprintf(stderr, "playthrough: level 1 does not load: %s\n",
                   getLevelData()->getLoadError().c_str());
      mFailed = true;
      Close();
      return;
    }
    StartMap(getTitleScreen());
    LogState("start");
  }

  // ---- The player (recording only) ----

  void Post(uint32_t theMessage, int x, int y) {
    if (theMessage == WM_CHAR) {
      WindowProc(static_cast<WindowRef>(mWindow), theMessage, static_cast<uint32_t>(x), 0);
      return;
    }
    // The window procedure is where the platform's mouse events arrive; it queues the message for
    // the loop, which records it into the demo before handling it.
    WindowProc(static_cast<WindowRef>(mWindow), theMessage, 0,
               static_cast<int32_t>((y << 16) | (x & 0xFFFF)));
  }
  // Input goes out one message per update, as a hand would give it; then theWait updates pass.
  void Queue(uint32_t theMessage, int x, int y) { mInput.push_back({theMessage, x, y}); }
  // A click: the pointer moves there, and on the next updates the button goes down and up.
  void Click(int x, int y, int theWait) {
    Queue(WM_MOUSEMOVE, x, y);
    Queue(WM_LBUTTONDOWN, x, y);
    Queue(WM_LBUTTONUP, x, y);
    mAfterInput = theWait;
  }
  // A click on theWidget where the widget manager gives the pointer to it (a button may take the
  // pointer on only part of its picture), nearest the middle of the area it takes it on; false
  // when it takes it nowhere.
  bool TryClickWidget(Tesk::Widget* theWidget, int theWait) {
    const Tesk::TRect<int> r = theWidget->GetInsetRect();
    const int cx = r.mX + r.mWidth / 2, cy = r.mY + r.mHeight / 2;
    const int aReach = std::max(theWidget->mWidth, theWidget->mHeight);
    for (int d = 0; d <= aReach; ++d)
      for (int dy = -d; dy <= d; ++dy)
        for (int dx = -d; dx <= d; ++dx) {
          if (std::abs(dx) != d && std::abs(dy) != d) continue;
          int wx = 0, wy = 0;
          if (mWidgetManager->GetWidgetAt(cx + dx, cy + dy, &wx, &wy) != theWidget) continue;
          Click(cx + dx, cy + dy, theWait);
          return true;
        }
    return false;
  }
  void ClickWidget(Tesk::Widget* theWidget, int theWait) {
    if (TryClickWidget(theWidget, theWait)) return;
    const Tesk::TRect<int> r = theWidget->GetInsetRect();
    std::fprintf(stderr, "playthrough: a widget at %d,%d %dx%d takes the pointer nowhere\n", r.mX, r.mY,
                 r.mWidth, r.mHeight);
    Fail("a widget to press takes the pointer nowhere");
  }
  void Close() {
    if (mCloseSent) return;
    mCloseSent = true;
    std::fprintf(stderr, "playthrough: closing the window at update %d\n", mUpdateCount);
    ::PostMessage(mWindow, WM_COMMAND, MakeOSType("KWMR"), WM_CLOSE);
  }
  void Fail(const char* theWhy) {
    std::fprintf(stderr, "playthrough: stuck at update %d: %s\n", mUpdateCount, theWhy);
    Shoot("stuck");
    mFailed = true;
    Close();
  }
  void Shoot(const std::string& theName) {
    if (mShots.empty()) return;
    const std::string aDir = Tesk::GetScreenshotFolder();
    const std::string aTaken = aDir + "image" + std::to_string(Tesk::NextScreenshotNumber(aDir)) + ".png";
    TakeScreenshot();
    mWidgetManager->MarkAllDirty();
    DrawDirtyStuff();
    std::error_code anError;
    fs::create_directories(mShots, anError);
    if (fs::exists(aTaken)) fs::rename(aTaken, mShots + "/" + theName + ".png", anError);
  }

  // A pixel of thePart that the scene's own hit test gives to it, nearest its middle.
  bool PixelOf(Tesk::InGame* theScene, Selectable* thePart, int* x, int* y) {
    Tesk::Image* anImage = thePart->m_image.get();
    if (anImage == nullptr) return false;
    const int aW = anImage->GetWidth(), aH = anImage->GetHeight();
    const int cx = thePart->getX() + aW / 2, cy = thePart->getY() + aH / 2;
    for (int r = 0; r <= (aW + aH) / 2 + 1; ++r)
      for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
          if (std::abs(dx) != r && std::abs(dy) != r) continue;
          if (theScene->pointObjCollisionCheck(cx + dx, cy + dy) == thePart) {
            *x = cx + dx;
            *y = cy + dy;
            return true;
          }
        }
    return false;
  }

  void Step() {
    if (!mInput.empty()) {
      const Input anInput = mInput.front();
      mInput.erase(mInput.begin());
      Post(anInput.mMessage, anInput.x, anInput.y);
      if (mInput.empty()) mWaitUntil = mUpdateCount + mAfterInput;
      return;
    }
    if (mUpdateCount < mWaitUntil || mCloseSent) return;
    if (mUpdateCount > mMaxUpdates) return Fail("the play-through took too many updates");
    if (isInFade()) return;
    if (mUntil.rfind("chapter:", 0) == 0 && mChapter > std::atoi(mUntil.c_str() + 8)) return Close();

    // Nothing changed for a long time: the player has nothing left it knows how to do.
    if (mUpdateCount - mLastProgress > 6000) return Fail("no progress for 6000 updates");

    Tesk::PopupBox* aPopup = Popup();
    if (Shown(aPopup)) {
      if (mUntil == "objects" && aPopup->m_type == Tesk::POPUP_CHAPTER_OBJECTS_FOUND) {
        Shoot("chapter-objects-found");
        return Close();
      }
      if (aPopup->m_type == Tesk::POPUP_CHAPTER_COMPLETE) {
        // The results count up; once they stand, a click on the book goes on to the next chapter.
        if (aPopup->m_resultState == 4 && !mShotAllFound) {
          mShotAllFound = true;
          Shoot("chapter-results-all-found");
        }
        if (aPopup->m_resultState != 5) return;
        if (mSeenPopups.insert(aPopup->m_type).second) Shoot("chapter-results");
        Progress();
        ClickWidget(aPopup, 60);
        return;
      }
      if (aPopup->m_type == Tesk::POPUP_NEW_PROFILE && !mNameTyped) {
        mNameTyped = true;
        Shoot("popup-9");
        for (char c : std::string("Player")) Queue(WM_CHAR, c, 0);
        mAfterInput = 20;
        Progress();
        return;
      }
      // The button with the lowest id is the message's "OK" (or its first choice); a mini-game's
      // help offers the how-to-play pages on 5, which the player does not read.
      const bool isGameHelp =
          aPopup->m_type == Tesk::POPUP_HELP_POTION || aPopup->m_type == Tesk::POPUP_HELP_CHANT ||
          aPopup->m_type == Tesk::POPUP_FIRST_HELP_POTION || aPopup->m_type == Tesk::POPUP_FIRST_HELP_CHANT;
      // (in the first two chapters it is the only way on, and the pages lead back to the game).
      // Quitting: the menu's "exit" (8), then "yes" (5) to save and leave. A saved game is continued (2).
      int aWanted = -1;
      if (mQuitting && aPopup->m_type == Tesk::POPUP_GAME_OPTIONS) aWanted = 8;
      if (mQuitting && aPopup->m_type == Tesk::POPUP_CONFIRM_EXIT) {
        aWanted = 5;
        if (!mQuitDone) LogResumeKey("quit");
        mQuitDone = true;
      }
      if (aPopup->m_type == Tesk::POPUP_PLAY_MENU) aWanted = 2;
      Tesk::OrvoButtonWidget* aButton = nullptr;
      auto aRank = [&](Tesk::OrvoButtonWidget* b) {
        if (b->mId == aWanted) return -1;
        return isGameHelp && b->mId == 5 ? 1000 : b->mId;
      };
      for (Tesk::OrvoButtonWidget* b : aPopup->m_buttons)
        if (b != nullptr && Shown(b) && !b->mDisabled && (aButton == nullptr || aRank(b) < aRank(aButton)))
          aButton = b;
      if (aButton == nullptr) return;
      if (mSeenPopups.insert(aPopup->m_type).second) Shoot("popup-" + std::to_string(aPopup->m_type));
      Progress();
      ClickWidget(aButton, 40);
      return;
    }

    // The story, the chapter intro, the ending, the credits and the how-to-play pages.
    Tesk::Story* aStory = m_story;
    if (aStory != nullptr && mWidgetManager->HasWidget(aStory)) {
      const int aMode = aStory->m_mode;
      if (aMode == Tesk::Story::MODE_CREDITS) mSawCredits = true;
      if (mSeenStoryModes.insert(aMode).second) Shoot("story-mode-" + std::to_string(aMode));
      const bool isHowToPlay =
          aMode == Tesk::Story::MODE_HOW_TO_PLAY || aMode == Tesk::Story::MODE_HOW_TO_PLAY_INGAME;
      Tesk::OrvoButtonWidget* aButton =
          isHowToPlay && Shown(aStory->m_exitButton) ? aStory->m_exitButton : aStory->m_nextButton;
      Progress();
      if (!Shown(aButton) || aButton->mDisabled || !TryClickWidget(aButton, 40)) Click(470, 300, 40);
      return;
    }

    // The title screen: a new player's name, then Play.
    Tesk::TitleScreen* aTitle = getTitleScreen();
    if (aTitle != nullptr && mWidgetManager->HasWidget(aTitle)) {
      if (mSawCredits || mQuitDone) return Close();
      if (mSeenTitle++ == 0) Shoot("title");
      Tesk::OrvoButtonWidget* aPlay = aTitle->m_mainButtons[0];
      if (Shown(aPlay) && !aPlay->mDisabled) {
        Progress();
        ClickWidget(aPlay, 40);
      }
      return;
    }

    Tesk::Map* aMap = getMap();
    if (ingameInMap() && aMap != nullptr && mWidgetManager->HasWidget(aMap)) {
      if (!mResumeLogged && aMap->m_state == 0) {
        mResumeLogged = true;
        LogResumeKey("map");
      }
      if (!mShotMap) {
        mShotMap = true;
        Shoot("map");
      }
      // Each chapter's map as it first opens, with that chapter's places.
      if (mShotMapChapters.insert(mChapter).second) Shoot("map-chapter-" + std::to_string(mChapter));
      if (aMap->m_state != 0 && ++mMapPausedSteps % 200 == 0)
        std::fprintf(stderr, "playthrough: the map stays paused (state %d, popup %d shown %d) at update %d\n",
                     aMap->m_state, aPopup != nullptr ? aPopup->m_type : -1, Shown(aPopup), mUpdateCount);
      // The first location not yet searched in this chapter (on the last chapter the locations stay
      // open, and the runestones are in some of them only); when all were, from the first again.
      for (int aRound = 0; aRound < 2; ++aRound) {
        for (Tesk::OrvoButtonWidget* b : aMap->m_locationButtons)
          if (b != nullptr && Shown(b) && !b->mDisabled && mVisited.count(b->mId) == 0) {
            mVisited.insert(b->mId);
            Progress();
            ClickWidget(b, 60);
            return;
          }
        mVisited.clear();
      }
      return;
    }

    Tesk::InGame* aScene = getIngame();
    if (ingameInLocation() && aScene != nullptr && mWidgetManager->HasWidget(aScene) &&
        aScene->m_state == 1) {
      LocationData* aLocation = aScene->getLocationData();
      if (aLocation == nullptr) return;
      if (mShotLocations.insert(aLocation->m_id).second) {
        if (mShotLocations.size() == 1) Shoot("location");
        char aName[32];
        std::snprintf(aName, sizeof(aName), "location-%02d", aLocation->m_id);
        Shoot(aName);
      }
      if (WantsQuit("location") && ++mQuitCountdown > 3) return QuitByMenu(aScene->m_menuButton);
      // The last chapter's goal: the location's runestone, where it has one still to find.
      Selectable* aStone = aLocation->m_runestoneObject;
      if (aStone != nullptr && aStone->isToFind()) {
        int x = 0, y = 0;
        if (PixelOf(aScene, aStone, &x, &y)) {
          Progress();
          Click(x, y, 25);
          return;
        }
      }
      for (FindInfo& anEntry : aLocation->m_findInfo) {
        if (!anEntry.isActive()) continue;
        for (Selectable* aPart : anEntry.m_parts) {
          if (aPart == nullptr || !aPart->isToFind()) continue;
          int x = 0, y = 0;
          if (!PixelOf(aScene, aPart, &x, &y)) continue;
          Progress();
          Click(x, y, 25);
          return;
        }
      }
      // On the last chapter, nothing left here to find: back to the map by the side bar.
      if (mChapter == 13 && aLocation->m_numOpen == 0 && Shown(aScene->m_mapButton) &&
          !aScene->m_mapButton->mDisabled) {
        Progress();
        ClickWidget(aScene->m_mapButton, 60);
      }
      return;
    }

    Tesk::MiniGame* aGame = getMiniGame();
    if (ingameInMinigame() && aGame != nullptr && mWidgetManager->HasWidget(aGame) &&
        aGame->getGameState() == 3) {
      if (!mMiniResumeLogged) {
        mMiniResumeLogged = true;
        LogResumeKey("mini-game");
      }
      if (WantsQuit("minigame") && ++mQuitCountdown > 2) return QuitByMenu(aGame->m_menuButton);
      PlayMiniGame(aGame);
    }
  }

  bool WantsQuit(const std::string& theWhere) {
    return !mQuitting && mQuit == theWhere + ":" + std::to_string(mChapter);
  }
  void QuitByMenu(Tesk::OrvoButtonWidget* theMenu) {
    mQuitting = true;
    Progress();
    ClickWidget(theMenu, 40);
  }
  // What a saved game must bring back: the chapter, what is left to find in it and in each of its
  // locations, and the mini-game's board or chant. On standard error, as
  // "playthrough: resume key (WHERE): ...", for the test to compare across runs.
  void LogResumeKey(const char* theWhere) {
    Tesk::ProfileData* aProfile = getProfileData();
    LevelData* aLevel = getLevelData();
    std::string aKey = "chapter " + std::to_string(aProfile->getLevelOn()) + " left " +
                       std::to_string(aLevel != nullptr ? aLevel->numberOfObjectsToFind() : -1) + " open";
    // Only the level's own locations: asking the level for one it lacks signals the debugger.
    for (int anId = 1; anId <= 12 && aLevel != nullptr; ++anId)
      if (LocationData* aLocation = aLevel->getLocationDataLevDynamic(anId))
        aKey += " " + std::to_string(anId) + ":" + std::to_string(aLocation->m_numOpen);
    Tesk::MiniGame* aGame = getMiniGame();
    if (ingameInMinigame() && aGame != nullptr) {
      aKey += " mini-game " + std::to_string(aGame->getGameType());
      if (aGame->getGameType() == 1) {
        aKey += " chant " + Tesk::TeskStringToString(aGame->getWordToFind());
      } else {
        aKey += " points " + std::to_string(aGame->m_points) + " board";
        for (int i = 0; i < 9; ++i)
          for (int j = 0; j < 8; ++j) aKey += std::to_string(aGame->getPotionCell(i, j).type);
      }
    }
    std::fprintf(stderr, "playthrough: resume key (%s): %s\n", theWhere, aKey.c_str());
  }

  void PlayMiniGame(Tesk::MiniGame* theGame) {
    if (mSeenMiniGames.insert(theGame->getGameType()).second)
      Shoot(theGame->getGameType() == 1 ? "chant-game" : "potion-game");
    if (theGame->getGameType() == 1) return PlayChant(theGame);
    // The potion: the longest chain of like ingredients, dragged cell to cell and let go.
    const std::vector<PotionTest::CellAt> aChain = PotionTest::Solver(*theGame).longestChain(8);
    if (aChain.empty()) {
      // No chain of three: the bottle, pressed, shakes the board anew for a little of the points.
      Tesk::Image* aBottle = theGame->m_images[13];
      if (aBottle == nullptr) return;
      Progress();
      Click(70, 230 + aBottle->GetHeight() / 2, 60);
      return;
    }
    const Tesk::MiniGame::PotionCell& anOrigin = theGame->getPotionCell(0, 0);
    auto X = [&](const PotionTest::CellAt& c) { return anOrigin.x + 70 * c.column + 30; };
    auto Y = [&](const PotionTest::CellAt& c) { return anOrigin.y + 70 * c.row + 30; };
    Queue(WM_MOUSEMOVE, X(aChain[0]), Y(aChain[0]));
    Queue(WM_LBUTTONDOWN, X(aChain[0]), Y(aChain[0]));
    for (size_t k = 1; k < aChain.size(); ++k) Queue(WM_MOUSEMOVE, X(aChain[k]), Y(aChain[k]));
    Queue(WM_LBUTTONUP, X(aChain.back()), Y(aChain.back()));
    mAfterInput = 60;
    Progress();
  }

  // The chant: parts on the field that spell it, chosen in turn, then Cast.
  void PlayChant(Tesk::MiniGame* theGame) {
    if (theGame->m_castButton != nullptr && Shown(theGame->m_castButton)) {
      Progress();
      ClickWidget(theGame->m_castButton, 60);
      return;
    }
    const int aChosen = theGame->getSelectedCount();
    if (aChosen == 0) {
      std::wstring aText;
      for (wchar_t c : theGame->getWordToFind())
        if (c != L' ') aText += c;
      mChantPlan.clear();
      std::vector<int> aStack;
      if (!SplitChant(theGame, aText, 0, theGame->getNumberOfWordPartsToFind(), &aStack)) return;
    }
    if (aChosen >= static_cast<int>(mChantPlan.size())) return;
    int x = 0, y = 0;
    if (!PointOnTile(theGame, mChantPlan[aChosen], &x, &y)) return;
    Progress();
    Click(x, y, 20);
  }
  bool SplitChant(Tesk::MiniGame* theGame, const std::wstring& theText, size_t thePos, int theLeft,
                  std::vector<int>* theStack) {
    if (theLeft == 0 || thePos == theText.size()) {
      if (theLeft != 0 || thePos != theText.size()) return false;
      mChantPlan = *theStack;
      return true;
    }
    for (int t = 0; t < 90; ++t) {
      const Tesk::WordStruct& aTile = theGame->getTile(t);
      if (aTile.image == nullptr || !aTile.visible) continue;
      const std::wstring aPart = Tesk::MiniGame::s_wordGameStringList[aTile.partIndex];
      if (aPart.empty() || theText.compare(thePos, aPart.size(), aPart) != 0) continue;
      if (std::find(theStack->begin(), theStack->end(), t) != theStack->end()) continue;
      theStack->push_back(t);
      if (SplitChant(theGame, theText, thePos + aPart.size(), theLeft - 1, theStack)) return true;
      theStack->pop_back();
    }
    return false;
  }
  // A point of tile theIndex that a press there chooses (the screen's own test).
  bool PointOnTile(Tesk::MiniGame* theGame, int theIndex, int* x, int* y) {
    const Tesk::WordStruct& t = theGame->getTile(theIndex);
    if (t.image == nullptr || !t.visible) return false;
    int tx = 0, ty = 0;
    theGame->getTilePosition(&t, &tx, &ty);
    const int aW = t.image->GetWidth(), aH = t.image->GetHeight();
    for (int dy = 0; dy < aH; ++dy)
      for (int dx = 0; dx < aW; ++dx) {
        const int px = tx + (aW / 2 + dx) % aW, py = ty + (aH / 2 + dy) % aH;
        if (px > 139 && theGame->findWordAt(px, py) == &t) {
          *x = px;
          *y = py;
          return true;
        }
      }
    return false;
  }

  void Progress() { mLastProgress = mUpdateCount; }

  bool mRecording;
  std::string mLogFile;
  std::FILE* mLog = nullptr;
  bool mStarted = false;
  int mChapter = 0;
  bool mCloseSent = false;
  int32_t mLastStepUpdate = -1;
  int32_t mWaitUntil = 0;
  struct Input {
    uint32_t mMessage;
    int x, y;
  };
  std::vector<Input> mInput;
  int mAfterInput = 0;
  std::vector<int> mChantPlan;
  int32_t mLastProgress = 0;
  bool mShotMap = false;
  std::set<int> mShotMapChapters;
  bool mShotAllFound = false;
  bool mSawCredits = false;
  bool mQuitting = false;
  bool mQuitDone = false;
  bool mResumeLogged = false;
  bool mMiniResumeLogged = false;
  int mQuitCountdown = 0;
  std::set<int> mVisited;
  int mMapPausedSteps = 0;
  bool mNameTyped = false;
  int mSeenTitle = 0;
  std::set<int> mSeenStoryModes;
  std::set<int> mSeenMiniGames;
  std::set<int> mSeenPopups;
  std::set<int> mShotLocations;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4 || (std::strcmp(argv[1], "record") != 0 && std::strcmp(argv[1], "replay") != 0)) {
    std::fprintf(stderr,
                 "usage: %s record|replay DEMO LOG [--until=objects] [--shots=DIR] [--max-updates=N]\n",
                 argv[0]);
    return 2;
  }
  const bool isRecording = std::strcmp(argv[1], "record") == 0;
  PlayerApp* anApp = new PlayerApp(isRecording, argv[3]);
  for (int i = 4; i < argc; ++i) {
    const std::string anArg = argv[i];
    if (anArg.rfind("--until=", 0) == 0) anApp->mUntil = anArg.substr(8);
    if (anArg == "--start=map") anApp->mStartOnMap = true;
    if (anArg.rfind("--quit=", 0) == 0) anApp->mQuit = anArg.substr(7);
    if (anArg.rfind("--shots=", 0) == 0) anApp->mShots = anArg.substr(8);
    if (anArg.rfind("--max-updates=", 0) == 0) anApp->mMaxUpdates = std::atoi(anArg.c_str() + 14);
  }
  // The program's own command line: the demo to record or to play.
  anApp->SetCommandLine(std::string(isRecording ? "-record" : "-play") + " -demofile=\"" + argv[2] + "\"");
  anApp->Init();
  anApp->Start();
  anApp->Finish();
  const bool aFailed = anApp->mFailed;
  const std::string aFolder = Tesk::GetAppDataFolder();
  // The profile and the saves are written as the application object goes.
  delete anApp;
  LogFiles(aFolder, argv[3]);
  return aFailed ? 1 : 0;
}

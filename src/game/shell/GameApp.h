// The game's application: the framework's application fixed to this game's window and volumes,
// owning every screen, the level data and the profiles; it switches screens with a global fade
// and swaps the screens' resource groups.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "app/TeskAppBase.h"
#include "graphics/TRect.h"

class LevelData;

namespace Tesk {

class Image;
class InGame;
class Map;
class MiniGame;
class PreScreens;
class ProfileData;
class ResourceManager;
class ScreenCalls;
class Story;
class TitleScreen;
class Widget;

class GameApp : public TeskAppBase {
 public:
  // Entry, start-up, loading and shutdown (GameApp.cpp) ---------------------------------------
  GameApp();
  ~GameApp() override;

  using TeskAppBase::ButtonPress;
  void ButtonPress(int theId) override;
  void LoadingThreadCompleted() override;
  void LoadingThreadProc() override;
  void Init() override;
  using TeskAppBase::SwitchScreenMode;
  void SwitchScreenMode(bool wantWindowed) override;
  void GotFocus() override;
  void LostFocus() override;
  // Takes up what the loading thread asked of the main thread, and ends a run timed by
  // TESK_RUN_SECONDS (unattended runs).
  void UpdateFrames() override;

  // Called by the logo screen when its last logo has faded out.
  void PreScreensFinished();
  bool shouldSaveIngame();
  bool dontSaveSpecialCondition();
  // Saves the level in progress (the mini-game's body when inMiniGame), then the profile. The
  // profile's save flags change only when the save reached the disk, so that they always say
  // what is there; false when either file could not be written, which with tellPlayer an alert
  // says while the game goes on.
  bool saveGame(bool inMiniGame, bool tellPlayer);
  // The alert of a save that could not be written; with no data folder at all, said once a run.
  void tellSaveFailed();
  // Game data that cannot be read (a chapter's location files): as a resource failure, theText
  // is shown and the process ends with status 1, saving nothing.
  [[noreturn]] void dataFailure(const std::string& theText);
  void SwitchScreenMode3D(bool is3D);
  bool is3DEnabled();

  ProfileData* getProfileData() { return m_profileData; }
  LevelData* getLevelData() { return m_levelData; }
  MiniGame* getMiniGame() { return m_miniGame; }
  Map* getMap() { return m_map; }
  InGame* getIngame() { return m_inGame; }
  TitleScreen* getTitleScreen() { return m_titleScreen; }
  uint8_t getLocationAt() { return sm_locationAt; }
  void setLocationAt(uint8_t theId) { sm_locationAt = theId; }
  bool ingameInMap() { return sm_gameState == 0; }
  bool ingameInLocation() { return sm_gameState == 1; }
  bool ingameInMinigame() { return sm_gameState == 2; }
  bool isRepelEnabled();

  // Screen switches and resource groups (GameAppScreens.cpp) ----------------------------------
  // Releases the loaded swappable group, loads theGroup (null: none) and binds it with theBind.
  void updateDatabaseUsing(const char* theGroup, bool (*theBind)(ResourceManager*));
  void StartTitleScreen(Widget* theCaller);
  void StartStory(Widget* theCaller);
  void StartHowToPlay(Widget* theCaller);
  void StartHowToPlayIngame(Widget* theCaller);
  void StartLevelIntro(Widget* theCaller);
  void StartStoryFinally(Widget* theCaller);
  void StartCredits(Widget* theCaller);
  void StartMap(Widget* theCaller);
  void ReturnToMap(Widget* theCaller);
  // theKind: 1 chant, 2 potion.
  void StartMiniGame(Widget* theCaller, int theKind);
  void StartMiniGameSaved(Widget* theCaller);
  void StartInGame(Widget* theCaller);
  void StartTutorial(Widget* theCaller);
  void ReturnToInGame(Widget* theCaller);

  // The global fade, the mis-click penalty and the grade texts (GameAppFade.cpp) ---------------
  // theDirection: 0 rise to full, 1 fall to black, 2 fall to the dim level, 3 rise to it, 4 idle.
  static void setFade(uint8_t theDirection);
  static void updateFade();
  static bool isInFade();
  static bool isFaded50();
  static int getFadeColor();
  static float getFadeColorFloat();
  // A click that hit nothing at theNowMs; sets thePenalty (hundredths) when it is punished.
  const std::wstring& missPress(const uint32_t& theNowMs, int& thePenalty);
  static void resetPenaltyBuffer(bool theAfterFind);
  static const wchar_t* getGradeText(float theGrade);
  const wchar_t* getGradeText();
  const wchar_t* getNewGradeText();
  const wchar_t* getReductionGradeText();

  // Every call into the screens, the saves and the music selector goes through this: the
  // program's own calls unless a test puts its recorder here.
  ScreenCalls* m_screenCalls;

  // Owned objects, null until Init makes them.
  InGame* m_inGame;
  TitleScreen* m_titleScreen;
  PreScreens* m_preScreens;
  Story* m_story;
  Map* m_map;
  MiniGame* m_miniGame;
  LevelData* m_levelData;
  ProfileData* m_profileData;

  // Shared sprite sheets cut from builddata/animsblock.tgab: 0-4 particle sheets, 5 fairy glow,
  // 6 fairy sheet, 7-18 distraction art, 19-20 popup boxes, 21-24 wand cursors.
  static const int k_numSharedImages = 25;
  static Image* s_images[k_numSharedImages];
  static TRect<int> s_screenRect;
  static bool s_isUsingCustomCursor;
  // 0 map, 1 location (play scene), 2 mini-game.
  static uint8_t sm_gameState;
  static uint8_t sm_locationAt;
  static uint8_t sm_currentFadeDirection;
  static float sm_colorFade;
  static uint8_t sm_fadeColoru8Value;
  static constexpr float k_fadeSpeed = 0.02f;
  // The dim level: 0.25 whatever the name says.
  static constexpr float k_FLOAT_50PERCENT_FADE = 0.25f;
  static uint32_t m_penaltyBuffer[4];
  static uint8_t m_penaltyBufferIdx;
  static std::wstring s_reduceTime60;
  static std::wstring s_reduceTime45;
  static std::wstring s_reduceTime30;
  static std::wstring s_reduceTime15;
  static std::wstring s_coinFound;
  // The swappable group now loaded; null before the first switch and in the play scene.
  static const char* databaseCurrentlyLoaded;
  // Stem of the level save's name ("level.sav").
  static const char* const k_LOAD_FILE_STRING;
  static wchar_t k_newGrade[30];
  // The five reveal-charge buttons of the side bar.
  static const int16_t k_revealButtonLocX[5];
  static const int16_t k_revealButtonLocY[5];
  // The last whole second the clocks showed; the screens keep it between them.
  static int s_lastFullSecond;

 private:
  // A resource failure at start-up or in a group swap: the error text is shown and the
  // process ends with status 1, saving nothing.
  [[noreturn]] void resourceFailure();
  // The start of every switch: the caller leaves, the swappable group changes.
  void leaveScreen(Widget* theCaller, const char* theGroup, bool (*theBind)(ResourceManager*));
  // The next screen joins the manager and takes the focus.
  void showScreen(Widget* theScreen);
  void startStoryMode(Widget* theCaller, const char* theGroup, bool (*theBind)(ResourceManager*),
                      uint8_t theMode);
  void startMap(Widget* theCaller, uint8_t theState);
  void startMiniGame(Widget* theCaller, uint8_t theKind, uint8_t theState);
  void startInGame(Widget* theCaller, uint8_t theState);

  // Set by the loading thread, taken up on the main thread, which alone touches the screens.
  std::atomic<bool> m_logoDirtyRequested;
  // The loading thread walked the whole of "Main" (it did not stop for a shutdown), and whether
  // the resource manager had an error at the end of the walk.
  std::atomic<bool> m_mainWalkEnded;
  std::atomic<bool> m_mainWalkFailed;
  uint32_t m_runMillis;
  uint32_t m_runStartTick;
  // With no data folder no save of the run can be written: the player hears it once.
  bool m_toldNoDataFolder = false;
};

}  // namespace Tesk

// Screen switches and the swap of the screens' resource groups.
#include "game/play/InGame.h"
#include "game/play/Map.h"
#include "game/play/MiniGame.h"
#include "game/shell/GameApp.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/ScreenCalls.h"
#include "game/shell/Story.h"
#include "game/shell/TitleScreen.h"
#include "resources/ResourceManager.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

uint8_t GameApp::sm_gameState = 0;
const char* GameApp::databaseCurrentlyLoaded = nullptr;

void GameApp::updateDatabaseUsing(const char* theGroup, bool (*theBind)(ResourceManager*)) {
  if (databaseCurrentlyLoaded != nullptr) mResourceManager->DeleteResources(databaseCurrentlyLoaded);
  if (theGroup != nullptr) {
    if (!mResourceManager->LoadResources(theGroup) || (theBind != nullptr && !theBind(mResourceManager))) {
      resourceFailure();
    }
  }
  databaseCurrentlyLoaded = theGroup;
  m_screenCalls->selectMusic(theGroup);
}

void GameApp::leaveScreen(Widget* theCaller, const char* theGroup, bool (*theBind)(ResourceManager*)) {
  // A null caller is simply not in the manager: rows that always remove it and rows that
  // remove it only when given end up alike.
  if (theCaller != nullptr) mWidgetManager->RemoveWidget(theCaller);
  updateDatabaseUsing(theGroup, theBind);
}

void GameApp::showScreen(Widget* theScreen) {
  mWidgetManager->AddWidget(theScreen);
  mWidgetManager->SetFocus(theScreen);
}

void GameApp::StartTitleScreen(Widget* theCaller) {
  leaveScreen(theCaller, "TitleScreen", ExtractTitleScreenResources);
  m_screenCalls->initTitleScreen(m_titleScreen);
  m_titleScreen->Resize(0, 0, mWidth, mHeight);
  showScreen(m_titleScreen);
  setFade(0);
}

void GameApp::startStoryMode(Widget* theCaller, const char* theGroup, bool (*theBind)(ResourceManager*),
                             uint8_t theMode) {
  leaveScreen(theCaller, theGroup, theBind);
  m_screenCalls->initStory(m_story);
  m_story->Resize(0, 0, mWidth, mHeight);
  m_screenCalls->setStoryMode(m_story, theMode);
  showScreen(m_story);
  setFade(0);
}

void GameApp::StartStory(Widget* theCaller) {
  startStoryMode(theCaller, "Story", ExtractStoryResources, Story::MODE_STORY_INTRO);
}

void GameApp::StartHowToPlay(Widget* theCaller) {
  startStoryMode(theCaller, "HowToPlay", ExtractHowToPlayResources, Story::MODE_HOW_TO_PLAY);
}

void GameApp::StartHowToPlayIngame(Widget* theCaller) {
  startStoryMode(theCaller, "HowToPlay", ExtractHowToPlayResources, Story::MODE_HOW_TO_PLAY_INGAME);
}

void GameApp::StartLevelIntro(Widget* theCaller) {
  startStoryMode(theCaller, "LevelIntro", ExtractLevelIntroResources, Story::MODE_LEVEL_INTRO);
}

void GameApp::StartStoryFinally(Widget* theCaller) {
  startStoryMode(theCaller, "Story", ExtractStoryResources, Story::MODE_END_RUNESTONES);
}

void GameApp::StartCredits(Widget* theCaller) {
  startStoryMode(theCaller, "Story", ExtractStoryResources, Story::MODE_CREDITS);
}

void GameApp::startMap(Widget* theCaller, uint8_t theState) {
  leaveScreen(theCaller, "Map", ExtractMapResources);
  sm_gameState = 0;
  m_screenCalls->initMap(m_map);
  m_map->Resize(0, 0, mWidth, mHeight);
  showScreen(m_map);
  m_screenCalls->setMapState(m_map, theState);
}

void GameApp::StartMap(Widget* theCaller) {
  startMap(theCaller, 0);
  setFade(0);
}

// The menu popup over a dimmed map sets the fade itself.
void GameApp::ReturnToMap(Widget* theCaller) { startMap(theCaller, 2); }

void GameApp::startMiniGame(Widget* theCaller, uint8_t theKind, uint8_t theState) {
  leaveScreen(theCaller, "MiniGame", ExtractMiniGameResources);
  sm_gameState = 2;
  m_screenCalls->setMiniGameType(m_miniGame, theKind);
  m_screenCalls->initMiniGame(m_miniGame);
  m_miniGame->Resize(0, 0, mWidth, mHeight);
  showScreen(m_miniGame);
  m_screenCalls->setMiniGameState(m_miniGame, theState);
}

// A new mini-game fades itself in.
void GameApp::StartMiniGame(Widget* theCaller, int theKind) {
  startMiniGame(theCaller, static_cast<uint8_t>(theKind), 0);
}

void GameApp::StartMiniGameSaved(Widget* theCaller) {
  startMiniGame(theCaller, 3, 3);
  setFade(0);
}

void GameApp::startInGame(Widget* theCaller, uint8_t theState) {
  leaveScreen(theCaller, nullptr, nullptr);
  sm_gameState = 1;
  m_screenCalls->initInGame(m_inGame);
  m_inGame->Resize(0, 0, mWidth, mHeight);
  showScreen(m_inGame);
  m_screenCalls->setInGameState(m_inGame, theState);
}

void GameApp::StartInGame(Widget* theCaller) {
  startInGame(theCaller, 0);
  setFade(0);
}

void GameApp::StartTutorial(Widget* theCaller) {
  startInGame(theCaller, 0);
  setFade(0);
}

// The menu popup over a dimmed scene sets the fade itself.
void GameApp::ReturnToInGame(Widget* theCaller) { startInGame(theCaller, 3); }

}  // namespace Tesk

// The program's calls into its screens, the saves and the music selector.
#include "game/shell/ScreenCalls.h"

#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/play/Map.h"
#include "game/play/MiniGame.h"
#include "game/shell/Story.h"
#include "game/shell/TitleScreen.h"
#include "game/shell/ZqMusic.h"

namespace Tesk {

ScreenCalls ScreenCalls::s_real;

void ScreenCalls::initTitleScreen(TitleScreen* theScreen) { theScreen->Init(); }

void ScreenCalls::initStory(Story* theScreen) { theScreen->Init(); }

void ScreenCalls::setStoryMode(Story* theScreen, uint8_t theMode) { theScreen->SetMode(theMode); }

void ScreenCalls::initMap(Map* theScreen) { theScreen->Init(); }

void ScreenCalls::setMapState(Map* theScreen, uint8_t theState) { theScreen->setGameState(theState); }

void ScreenCalls::setMiniGameType(MiniGame* theScreen, uint8_t theKind) { theScreen->setGameType(theKind); }

void ScreenCalls::initMiniGame(MiniGame* theScreen) { theScreen->Init(); }

void ScreenCalls::setMiniGameState(MiniGame* theScreen, uint8_t theState) {
  theScreen->setGameState(theState);
}

void ScreenCalls::initInGame(InGame* theScreen) { theScreen->Init(); }

void ScreenCalls::setInGameState(InGame* theScreen, uint8_t theState) { theScreen->setGameState(theState); }

bool ScreenCalls::saveMiniGame(MiniGame* theScreen) {
  return theScreen != nullptr && theScreen->saveLevelData();
}

bool ScreenCalls::saveLevel(LevelData* theLevel) { return theLevel != nullptr && theLevel->saveLevelData(); }

void ScreenCalls::selectMusic(const char* theGroup) { zqMusic.init(theGroup); }

}  // namespace Tesk

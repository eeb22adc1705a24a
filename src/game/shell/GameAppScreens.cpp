// Screen switches and the swap of the screens' resource groups.
#include "game/shell/GameApp.h"
#include "game/shell/GameLog.h"

namespace Tesk {

uint8_t GameApp::sm_gameState = 0;
const char* GameApp::databaseCurrentlyLoaded = nullptr;

void GameApp::updateDatabaseUsing(const char*, bool (*)(ResourceManager*)) {}

void GameApp::StartTitleScreen(Widget*) { LogNotBuilt("Tesk::GameApp::StartTitleScreen"); }
void GameApp::StartStory(Widget*) { LogNotBuilt("Tesk::GameApp::StartStory"); }
void GameApp::StartHowToPlay(Widget*) { LogNotBuilt("Tesk::GameApp::StartHowToPlay"); }
void GameApp::StartHowToPlayIngame(Widget*) { LogNotBuilt("Tesk::GameApp::StartHowToPlayIngame"); }
void GameApp::StartLevelIntro(Widget*) { LogNotBuilt("Tesk::GameApp::StartLevelIntro"); }
void GameApp::StartStoryFinally(Widget*) { LogNotBuilt("Tesk::GameApp::StartStoryFinally"); }
void GameApp::StartCredits(Widget*) { LogNotBuilt("Tesk::GameApp::StartCredits"); }
void GameApp::StartMap(Widget*) { LogNotBuilt("Tesk::GameApp::StartMap"); }
void GameApp::ReturnToMap(Widget*) { LogNotBuilt("Tesk::GameApp::ReturnToMap"); }
void GameApp::StartMiniGame(Widget*, int) { LogNotBuilt("Tesk::GameApp::StartMiniGame"); }
void GameApp::StartMiniGameSaved(Widget*) { LogNotBuilt("Tesk::GameApp::StartMiniGameSaved"); }
void GameApp::StartInGame(Widget*) { LogNotBuilt("Tesk::GameApp::StartInGame"); }
void GameApp::StartTutorial(Widget*) { LogNotBuilt("Tesk::GameApp::StartTutorial"); }
void GameApp::ReturnToInGame(Widget*) { LogNotBuilt("Tesk::GameApp::ReturnToInGame"); }

}  // namespace Tesk

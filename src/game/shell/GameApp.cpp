// Entry, start-up, the loading thread, focus and shutdown of the game application.
#include "game/shell/GameApp.h"

#include "game/shell/GameLog.h"

namespace Tesk {

Image* GameApp::s_images[GameApp::k_numSharedImages] = {};
TRect<int> GameApp::s_screenRect(0, 0, 800, 600);
bool GameApp::s_isUsingCustomCursor = true;
uint8_t GameApp::sm_locationAt = 0;
const char* const GameApp::k_LOAD_FILE_STRING = "level.sav";
const int16_t GameApp::k_revealButtonLocX[5] = {8, 33, 62, 87, 104};
const int16_t GameApp::k_revealButtonLocY[5] = {490, 478, 478, 490, 510};
int GameApp::s_lastFullSecond = 31;

GameApp::GameApp()
    : m_inGame(nullptr),
      m_titleScreen(nullptr),
      m_preScreens(nullptr),
      m_story(nullptr),
      m_map(nullptr),
      m_miniGame(nullptr),
      m_levelData(nullptr),
      m_profileData(nullptr) {}

GameApp::~GameApp() {}

void GameApp::ButtonPress(int) {}

void GameApp::LoadingThreadCompleted() { TeskAppBase::LoadingThreadCompleted(); }

void GameApp::LoadingThreadProc() {}

void GameApp::Init() {
  TeskAppBase::Init();
  LogNotBuilt("Tesk::GameApp::Init");
}

void GameApp::SwitchScreenMode(bool wantWindowed) { TeskAppBase::SwitchScreenMode(wantWindowed); }

void GameApp::GotFocus() { TeskAppBase::GotFocus(); }

void GameApp::LostFocus() { TeskAppBase::LostFocus(); }

void GameApp::PreScreensFinished() { LogNotBuilt("Tesk::GameApp::PreScreensFinished"); }

bool GameApp::shouldSaveIngame() { return false; }

bool GameApp::dontSaveSpecialCondition() { return true; }

void GameApp::SwitchScreenMode3D(bool) {}

bool GameApp::is3DEnabled() { return false; }

bool GameApp::isRepelEnabled() { return false; }

}  // namespace Tesk

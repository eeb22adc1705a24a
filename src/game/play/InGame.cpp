// The play scene's model, states and drawing.
#include "game/play/InGame.h"

#include "game/shell/GameLog.h"
#include "widgets/OrvoButtonWidget.h"

namespace Tesk {

LevelDynamics InGame::m_levelDynamics;
float InGame::m_crystalBallPulseAlpha = 0.0f;
float InGame::m_crystalBallFadeAlpha = InGame::k_crystalBallFadeAlpha;
InGame::WordFade InGame::m_wordFade = {};
bool InGame::alreadyInited = false;
float InGame::redraw = 0.0f;

InGame::InGame(GameApp* theApp)
    : m_revealButtons(),
      m_app(theApp),
      m_popup(nullptr),
      m_menuButton(nullptr),
      m_mapButton(nullptr),
      m_repelButton(nullptr),
      m_sideBarImage(nullptr),
      m_state(1),
      m_renderArray(),
      m_location(nullptr),
      m_highlights(),
      m_revealGlowAlpha(0.0f),
      m_revealFlashTimer(0),
      m_revealIndex(0),
      m_revealedObject(nullptr),
      m_winkTimer(0),
      m_winkOn(0),
      m_winkIndex(255),
      m_repelParticles(nullptr),
      m_quickfind(),
      m_helpIdleCounter(0) {}

InGame::~InGame() {
  delete m_menuButton;
  delete m_mapButton;
  for (OrvoButtonWidget* aButton : m_revealButtons) delete aButton;
  delete m_repelButton;
}

void InGame::Init() {}

void InGame::setGameState(unsigned char theState) { m_state = theState; }

void InGame::setWidgetsVisible(bool) {}

void InGame::AddedToManager(WidgetManager* theManager) {
  Widget::AddedToManager(theManager);
  LogNotBuilt("Tesk::InGame");
}

void InGame::RemovedFromManager(WidgetManager* theManager) { Widget::RemovedFromManager(theManager); }

void InGame::Update() { Widget::Update(); }

void InGame::Draw(Graphics*) {}

void InGame::KeyDown(KeyCode) {}

void InGame::MouseMove(int, int) {}

void InGame::ButtonPress(int) {}

void InGame::ButtonDepress(int) {}

}  // namespace Tesk

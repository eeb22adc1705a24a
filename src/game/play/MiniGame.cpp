// The mini-game screen and its states.
#include "game/play/MiniGame.h"

#include "game/shell/GameLog.h"
#include "widgets/OrvoButtonWidget.h"

namespace Tesk {

bool MiniGame::alreadyInited = false;
float MiniGame::redraw = 0.0f;

MiniGame::MiniGame(GameApp* theApp)
    : m_background(nullptr),
      m_sideBarImage(nullptr),
      m_state(3),
      m_kind(0),
      m_menuButton(nullptr),
      m_app(theApp),
      m_popup(nullptr),
      m_idleCounter(0),
      m_images(),
      m_cells(),
      m_chain(),
      m_chainLength(0),
      m_longestChain(0),
      m_numIngredientKinds(0),
      m_chainKind(-1),
      m_threeChainCount(0),
      m_points(0),
      m_target(0),
      m_bottleFill(0),
      m_glowValue(0.0f),
      m_glowMode(0),
      m_castButton(nullptr),
      m_clearButton(nullptr),
      m_partButtons(),
      m_wordFades(),
      m_swap(),
      m_tiles(),
      m_selected(),
      m_selectedCount(0),
      m_numPartsToFind(0),
      m_chantBarImage(nullptr),
      m_wordParticles(nullptr) {}

MiniGame::~MiniGame() {
  delete m_menuButton;
  delete m_castButton;
  delete m_clearButton;
  for (OrvoButtonWidget* aButton : m_partButtons) delete aButton;
}

void MiniGame::Init() {}

void MiniGame::setGameState(uint8_t theState) { m_state = theState; }

void MiniGame::setWidgetsVisible(bool) {}

void MiniGame::AddedToManager(WidgetManager* theManager) {
  Widget::AddedToManager(theManager);
  LogNotBuilt("Tesk::MiniGame");
}

void MiniGame::RemovedFromManager(WidgetManager* theManager) { Widget::RemovedFromManager(theManager); }

void MiniGame::Update() { Widget::Update(); }

void MiniGame::Draw(Graphics*) {}

void MiniGame::KeyDown(KeyCode) {}

void MiniGame::MouseMove(int, int) {}

void MiniGame::MouseDown(int, int, int) {}

void MiniGame::MouseUp(int, int, int) {}

void MiniGame::MouseDrag(int, int) {}

void MiniGame::ButtonPress(int) {}

void MiniGame::ButtonDepress(int) {}

}  // namespace Tesk

#include "game/shell/TitleScreen.h"

#include "game/shell/GameLog.h"
#include "game/shell/PopupBox.h"
#include "widgets/OrvoButtonWidget.h"

namespace Tesk {

bool TitleScreen::alreadyInited = false;

TitleScreen::TitleScreen(GameApp* theApp)
    : m_profileNeeded(0),
      m_backImage(nullptr),
      m_app(theApp),
      m_mainButtons(),
      m_changePlayerButton(nullptr),
      m_popup(nullptr),
      m_glowX(0),
      m_glowY(0),
      m_glowAlpha(0.0f),
      m_glowStep(0.0f),
      m_lightning(0),
      m_flashesLeft(0),
      m_lightningCountdown(0),
      m_windCountdown(0),
      m_welcomeText(),
      m_blockImages(),
      m_numBlockImages(0) {}

TitleScreen::~TitleScreen() {
  for (OrvoButtonWidget* aButton : m_mainButtons) delete aButton;
  delete m_changePlayerButton;
  delete m_popup;
}

void TitleScreen::Init() {}

void TitleScreen::AddedToManager(WidgetManager* theManager) {
  Widget::AddedToManager(theManager);
  LogNotBuilt("Tesk::TitleScreen");
}

void TitleScreen::RemovedFromManager(WidgetManager* theManager) { Widget::RemovedFromManager(theManager); }

void TitleScreen::Update() { Widget::Update(); }

void TitleScreen::Draw(Graphics*) {}

void TitleScreen::KeyDown(KeyCode) {}

void TitleScreen::MouseDown(int, int, int) {}

void TitleScreen::ButtonDepress(int) {}

void TitleScreen::resetWelcomeText() {}

void TitleScreen::createNewProfile() {}

}  // namespace Tesk

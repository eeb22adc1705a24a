// The play scene's model, states and drawing.
#include "game/play/ScreenButtons.h"
#include "game/play/InGame.h"

#include "app/TeskAppBase.h"
#include "core/MTRand.h"
#include "core/TeskPerf.h"
#include "game/play/LevelData.h"
#include "game/play/LevelFailed.h"
#include "game/play/PlayConstants.h"
#include "game/play/ScreenUpdate.h"
#include "game/play/SideBar.h"
#include "game/shell/AppAccess.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/TitleScreen.h"
#include "graphics/Color.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "graphics/Particles.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

LevelDynamics InGame::m_levelDynamics;
float InGame::m_crystalBallPulseAlpha = 0.0f;
float InGame::m_crystalBallFadeAlpha = InGame::k_crystalBallFadeAlpha;
InGame::WordFade InGame::m_wordFade = {};
bool InGame::alreadyInited = false;
float InGame::redraw = 0.0f;

namespace {

constexpr int k_darkGrey = 120;

int imageWidth(Image* theImage) { return theImage != nullptr ? theImage->GetWidth() : 0; }
int imageHeight(Image* theImage) { return theImage != nullptr ? theImage->GetHeight() : 0; }

// Brightness of the revealed object at flash fraction r (1 at the start, 0 at the end): it dims,
// then blinks three times between 0.65 and 0.9, and comes back to full.
float revealBrightness(float r) {
  if (r >= 0.8f) return 0.65f + 0.35f * (0.2f - (1.0f - r)) / 0.2f;
  if (r >= 0.7f) return 0.65f + 0.25f * (0.8f - r) / 0.1f;
  if (r >= 0.6f) return 0.65f + 0.25f * (0.1f - (0.7f - r)) / 0.1f;
  if (r >= 0.5f) return 0.65f + 0.25f * (0.6f - r) / 0.1f;
  if (r >= 0.4f) return 0.65f + 0.25f * (0.1f - (0.5f - r)) / 0.1f;
  if (r >= 0.3f) return 0.65f + 0.25f * (0.4f - r) / 0.1f;
  if (r >= 0.2f) return 0.65f + 0.25f * (0.1f - (0.3f - r)) / 0.1f;
  return 0.65f + 0.35f * (0.2f - r) / 0.2f;
}

}  // namespace

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

ProfileData* InGame::profile() { return profileOf(m_app); }

LevelData* InGame::levelData() { return m_app != nullptr ? m_app->getLevelData() : nullptr; }

int InGame::getLevel() {
  ProfileData* aProfile = profile();
  return aProfile != nullptr ? aProfile->getLevelOn() : 0;
}

void InGame::playSample(int theSample) {
  playSampleOf(m_app, theSample);
}

void InGame::Init() {
  // Keyed on the buttons as well as the flag: a scene made later (tests make several) needs
  // its own, and a scene that has them must not make them twice.
  if (alreadyInited && m_menuButton != nullptr) return;
  alreadyInited = true;
  if (m_menuButton != nullptr) return;
  m_sideBarImage = IMAGE_SIDE_BAR;
  TitleScreen* aTitle = m_app != nullptr ? m_app->getTitleScreen() : nullptr;
  m_popup = aTitle != nullptr ? aTitle->getPopupWidget() : nullptr;
  const bool hasLabels = TeskAppBase::s_languageUsing != 0;

  // One side bar button: its hover image gives its size; a label (other languages only) is
  // placed by an x offset computed from its width.
  auto Make = [this, hasLabels](int theId, Font* theFont, Image* theHover, int x, int y,
                                const wchar_t* theLabel, int theLabelCentre, int theLabelOffsetY,
                                const Color& theLabelColor) {
    OrvoButtonWidget* aButton = new OrvoButtonWidget(theId, this);
    aButton->SetFont(theFont);
    aButton->mDoFinger = true;
    aButton->mHoverImage = theHover;
    aButton->Resize(x, y, imageWidth(theHover), imageHeight(theHover));
    if (hasLabels && theLabel != nullptr) {
      aButton->mLabel = theLabel;
      aButton->centerTextY(3);
      const int aLabelW = theFont != nullptr ? theFont->StringWidth(aButton->mLabel) : 0;
      aButton->mTextOffsetX = static_cast<int16_t>(theLabelCentre - aLabelW / 2 - aButton->mX);
      aButton->mTextOffsetY = static_cast<int16_t>(theLabelOffsetY);
    }
    aButton->SetColor(OrvoButtonWidget::COLOR_HOVER_TINT, Color::White);
    aButton->SetColor(OrvoButtonWidget::COLOR_LABEL, theLabelColor);
    return aButton;
  };
  const int aMenuW = imageWidth(IMAGE_SIDE_MENU_HOVER);
  const int aMapW = imageWidth(IMAGE_SIDE_MAP_HOVER);
  m_menuButton = Make(0, FONT_MEDIUM, IMAGE_SIDE_MENU_HOVER, (k_sideBarWidth - aMenuW) / 2 - 1, 7,
                      stringBakedSidebarMenu, k_sideBarWidth / 2, 19, Color(250, 220, 80));
  // The menu label is centred on the bar as a whole: (140 - width) / 2.
  if (hasLabels && stringBakedSidebarMenu != nullptr && FONT_MEDIUM != nullptr)
    m_menuButton->mTextOffsetX = static_cast<int16_t>(
        (k_sideBarWidth - FONT_MEDIUM->StringWidth(m_menuButton->mLabel)) / 2 - m_menuButton->mX);
  m_mapButton = Make(1, FONT_INTRO_TEXT, IMAGE_SIDE_MAP_HOVER, (k_sideBarWidth - aMapW) / 2 - 2, 50,
                     stringBakedSidebarMap, 70, 13, Color(20, 10, 6));
  for (int i = 0; i < 5; ++i)
    m_revealButtons[i] = Make(2 + i, FONT_MEDIUM, IMAGE_REVEAL_ICON_HOVER, GameApp::k_revealButtonLocX[i],
                              GameApp::k_revealButtonLocY[i], nullptr, 0, 0, Color(0, 0, 0));
  m_repelButton = Make(7, FONT_TITLE_OPTIONS, IMAGE_SIDE_REPEL_HOVER, 9, 534, stringBakedSidebarRepel, 62, 26,
                       Color(70, 40, 30));
}

void InGame::setGameState(unsigned char theState) {
  m_state = theState;
  auto ShowPopup = [this](bool isDisabled, bool isVisible) {
    if (m_popup == nullptr) return;
    m_popup->SetDisabled(isDisabled);
    m_popup->SetVisible(isVisible);
  };
  switch (theState) {
    case 0:
      m_state = 1;
      entryChecks();
      break;
    case 2:
      ShowPopup(false, true);
      if (m_popup != nullptr) {
        m_popup->setType(POPUP_GAME_OPTIONS);
        m_popup->setParent(this);
      }
      GameApp::setFade(2);
      setWidgetsVisible(false);
      break;
    case 3:
      ShowPopup(false, true);
      GameApp::setFade(3);
      if (m_popup != nullptr) {
        m_popup->setType(POPUP_GAME_OPTIONS);
        m_popup->setParent(this);
      }
      setWidgetsVisible(true);
      break;
    case 4:
      ShowPopup(true, false);
      GameApp::setFade(0);
      setWidgetsVisible(true);
      break;
    case 5:
      GameApp::setFade(1);
      break;
    case 7:
      ShowPopup(false, true);
      showLevelFailed(*this);
      break;
    default:
      break;
  }
}

void InGame::setWidgetsVisible(bool show) {
  const auto Set = setButtonShown;
  Set(m_menuButton, show);
  Set(m_mapButton, show);
  ProfileData* aProfile = profile();
  for (int i = 0; i < 5; ++i)
    Set(m_revealButtons[i], show && aProfile != nullptr && aProfile->isHintAvailable(i));
  Set(m_repelButton, isRepelReady());
  if (show && mWidgetManager != nullptr) mWidgetManager->SetFocus(this);
}

void InGame::AddedToManager(WidgetManager* theManager) {
  if (m_menuButton == nullptr) Init();
  for (Highlight& aSlot : m_highlights) aSlot = Highlight{nullptr, 0.0f, 0.0f, 0, 0};
  for (Selectable*& aSlot : m_renderArray) aSlot = nullptr;
  m_revealFlashTimer = 0;
  m_revealedObject = nullptr;

  m_winkTimer = Rand() % 400 + 200;
  m_winkOn = 0;
  m_winkIndex = 0;

  m_quickfind.m_alpha = 0.0f;
  m_quickfind.m_font = nullptr;
  m_quickfind.m_text = nullptr;
  m_quickfind.m_counter = 700;
  m_quickfind.m_timer = 0;
  m_crystalBallPulseAlpha = 0.0f;
  m_crystalBallFadeAlpha = k_crystalBallFadeAlpha;
  m_repelParticles = nullptr;
  m_helpIdleCounter = 0;

  setNewWordFade(0);
  PARTICLE::resetAll(true);

  const int aLocationId = m_app != nullptr ? m_app->getLocationAt() : 0;
  LevelData* aLevel = levelData();
  // Location 0 is the scene's place on the map: no slot has it, and asking would signal the debugger.
  m_location = aLevel != nullptr && aLocationId != 0 ? aLevel->getLocationData(aLocationId) : nullptr;
  if (m_location != nullptr) aLevel->setUpRenderArray(*m_location, m_renderArray);

  Widget::AddedToManager(theManager);

  auto Add = [theManager](OrvoButtonWidget* theButton) {
    if (theButton == nullptr) return;
    theButton->setFadeFloat(0.0f);
    theButton->resetHoverAlpha();
    theManager->AddWidget(theButton);
  };
  if (aLocationId != 0) {
    Add(m_menuButton);
    Add(m_mapButton);
  }
  if (getLevel() != k_finalLevel)
    for (OrvoButtonWidget* aButton : m_revealButtons) Add(aButton);
  if (m_app != nullptr && m_app->isRepelEnabled()) Add(m_repelButton);

  if (m_popup != nullptr) {
    theManager->AddWidget(m_popup);
    m_popup->setParent(this);
    m_popup->SetVisible(false);
    m_popup->SetDisabled(true);
  }

  setWidgetsVisible(true);

  m_screenShake.reset();
  m_levelDynamics.setNewLocation(aLocationId, m_app);
  if (m_levelDynamics.isRepellingAtLocation()) repelAtLocation(true);

  GameApp::resetPenaltyBuffer(false);
}

void InGame::RemovedFromManager(WidgetManager* theManager) {
  Widget::RemovedFromManager(theManager);
  if (m_app != nullptr && m_app->getLocationAt() != 0) {
    theManager->RemoveWidget(m_menuButton);
    theManager->RemoveWidget(m_mapButton);
  } else {
    // A scene left after the location changed to 0 still must not leave them behind.
    if (theManager->HasWidget(m_menuButton)) theManager->RemoveWidget(m_menuButton);
    if (theManager->HasWidget(m_mapButton)) theManager->RemoveWidget(m_mapButton);
  }
  for (OrvoButtonWidget* aButton : m_revealButtons)
    if (aButton != nullptr && theManager->HasWidget(aButton)) theManager->RemoveWidget(aButton);
  if (m_repelButton != nullptr && theManager->HasWidget(m_repelButton))
    theManager->RemoveWidget(m_repelButton);
  if (m_popup != nullptr) theManager->RemoveWidget(m_popup);
  m_screenShake.reset();
  m_levelDynamics.exitLocationToMap();
  setWidgetsVisible(false);
}

void InGame::Update() {
  GameApp::updateFade();
  const float aFade = GameApp::getFadeColorFloat();
  for (OrvoButtonWidget* aButton :
       {m_menuButton, m_mapButton, m_revealButtons[0], m_revealButtons[1], m_revealButtons[2],
        m_revealButtons[3], m_revealButtons[4], m_repelButton})
    if (aButton != nullptr) aButton->setFadeFloat(aFade);
  TeskPerf::StartTiming("Start_Of_Update");
  Widget::Update();
  switch (m_state) {
    case 0:
    case 4:
      if (!GameApp::isInFade()) m_state = 1;
      break;
    case 1:
      updatePlaying();
      break;
    case 5:
      if (GameApp::getFadeColor() == 0 && m_app != nullptr) m_app->StartMap(this);
      break;
    default:
      break;
  }
  finishScreenUpdate(*this, redraw, 0.6f, 2);
}

void InGame::updatePlaying() {
  if (getLevel() == k_finalLevel) m_screenShake.update();

  ++m_quickfind.m_counter;
  if (m_quickfind.m_timer != 0) {
    --m_quickfind.m_timer;
    if (m_quickfind.m_timer < 100) m_quickfind.m_alpha -= k_QUICKFIND_ALPHA_REDUCTION;
  }

  updateHelpIdle();
  updateRevealWink();
  updateWordFade();
  ProfileData* aProfile = profile();
  if (aProfile != nullptr) {
    aProfile->update();
    const int aTimer = aProfile->getLevelTimer();
    if (aTimer < 1) {
      setGameState(7);
    } else if (tickLastSeconds(m_app, aTimer)) {
      showHelpOnce(POPUP_HINT_SHORT_TIME, 2, true);
    }
  }
  updateRepelRecharge();
  m_levelDynamics.update(m_app);
  updateCrystalBallPulse();
  updateHighlighted();
  if (m_revealGlowAlpha != 0.0f) {
    m_revealGlowAlpha -= k_hintFadeSpeed;
    if (m_revealGlowAlpha < 0.0f) m_revealGlowAlpha = 0.0f;
  }
  if (m_revealFlashTimer != 0) --m_revealFlashTimer;
  PARTICLE::update();
}

void InGame::Draw(Graphics* g) {
  float f = GameApp::getFadeColorFloat();
  const int c = GameApp::getFadeColor();
  Color aBase(c, c, c);
  const bool isRepelling = m_levelDynamics.isRepellingAtLocation();
  const bool isDark = m_screenShake.getDimmed();
  const bool isIndoors = m_location != nullptr && !LevelData::isOutsideLocation(m_location->m_id);
  const bool isDimmed = isDark && isIndoors && !isRepelling;
  const int aDarkGrey = static_cast<int>(f * k_darkGrey);

  g->SetColorizeImages(true);
  g->SetColor(isDimmed ? Color(aDarkGrey, aDarkGrey, aDarkGrey) : aBase);
  const int aShakeX = static_cast<int>(m_screenShake.getX());
  const int aShakeY = static_cast<int>(m_screenShake.getY());
  if (!isRepelling) g->Translate(aShakeX, aShakeY);

  if (m_location != nullptr) {
    if (m_location->m_background != nullptr) g->DrawImage(m_location->m_background.get(), k_sideBarWidth, 0);
    if (m_location->m_overlay != nullptr) g->DrawImage(m_location->m_overlay.get(), k_sideBarWidth, 0);
  }
  for (Selectable* anObject : m_renderArray) {
    if (anObject == nullptr || !anObject->isVisible() || anObject->m_image == nullptr) continue;
    if (anObject == m_revealedObject && m_revealFlashTimer != 0) {
      const Color aBefore = g->GetColor();
      const float b = revealBrightness(static_cast<float>(m_revealFlashTimer) / k_revealFlashUpdates);
      const int v = static_cast<int>(f * 255.0f * b);
      g->SetColor(Color(v, v, v));
      g->DrawImage(anObject->m_image.get(), anObject->getX(), anObject->getY());
      // The base colour again, as the objects after it are drawn in it.
      g->SetColor(isDimmed ? aBefore : aBase);
      continue;
    }
    g->DrawImage(anObject->m_image.get(), anObject->getX(), anObject->getY());
  }

  g->SetColor(isDark ? Color(aDarkGrey, aDarkGrey, aDarkGrey) : aBase);
  m_levelDynamics.draw(g, m_app, isDimmed ? f * k_darkGrey / 255.0f : f);
  if (!isRepelling) g->Translate(-aShakeX, -aShakeY);

  const bool isPaused = m_state == 2 || m_state == 6;
  drawSideBarShared(g, m_sideBarImage, this, m_app, f, aBase, isPaused);

  ProfileData* aProfile = profile();
  if (getLevel() != k_finalLevel && aProfile != nullptr) {
    g->SetColor(aBase);
    for (int i = 0; i < 5; ++i) {
      if (!aProfile->isHintAvailable(i)) continue;
      Image* anIcon = m_winkOn != 0 && m_winkIndex == i ? IMAGE_REVEAL_ICON_WINK : IMAGE_REVEAL_ICON;
      if (anIcon != nullptr)
        g->DrawImage(anIcon, GameApp::k_revealButtonLocX[i], GameApp::k_revealButtonLocY[i]);
    }
  }
  if (m_revealGlowAlpha != 0.0f && IMAGE_REVEAL_ICON_HOVER != nullptr && m_revealIndex < 5) {
    g->SetColor(Color(255, 255, 255, static_cast<int>(m_revealGlowAlpha * f * 255.0f)));
    g->DrawImage(IMAGE_REVEAL_ICON_HOVER, GameApp::k_revealButtonLocX[m_revealIndex],
                 GameApp::k_revealButtonLocY[m_revealIndex]);
  }
  // While paused the side bar shows its pause text where the clock was, and the particles stand
  // still: the clock's penalty note, left over the pause text, made both unreadable. It waits,
  // unseen, with the clock until play goes on.
  PARTICLE::draw(g, f, isPaused ? nullptr : this);
  drawHighlighted(g, f);
  g->SetDrawMode(0);
}

void InGame::KeyDown(KeyCode theKey) {
  if (theKey != k_escape) return;
  setGameState(2);
  playSample(SFX_SELECT_PRESS);
}

void InGame::MouseMove(int, int) {}

void InGame::ButtonPress(int) {}

void InGame::ButtonDepress(int theId) {
  if (GameApp::isInFade()) return;
  switch (theId) {
    case 0:
      setGameState(2);
      playSample(SFX_SELECT_PRESS);
      break;
    case 1: {
      ProfileData* aProfile = profile();
      if (aProfile != nullptr && !aProfile->getHintBlock(19)) aProfile->setHintBlock(19);
      playSample(SFX_MAP_ENTER);
      setGameState(5);
      break;
    }
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
      hintButtonPress(theId - 2);
      break;
    case 7:
      repelEvilButtonPress();
      playSample(SFX_REPEL);
      break;
    default:
      break;
  }
}

}  // namespace Tesk

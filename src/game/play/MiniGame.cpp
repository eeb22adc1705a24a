// The mini-game screen: the frame both puzzles share (side bar, buttons, popup, level clock),
// its states from the opening fade to won or out of time, and where input goes.
#include "game/play/ScreenButtons.h"
#include "game/play/MiniGame.h"

#include <memory>

#include "app/TeskAppBase.h"
#include "core/TeskPerf.h"
#include "display/DDImage.h"
#include "game/play/LevelFailed.h"
#include "game/play/Math.h"
#include "game/play/PlayConstants.h"
#include "game/play/ScreenUpdate.h"
#include "game/play/SideBar.h"
#include "game/shell/AppAccess.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameLog.h"
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
#include "resources/ImageLib.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

namespace {

constexpr uint32_t k_chantIdleHint = 18000;  // updates (180 s)
constexpr uint32_t k_potionIdleHint = 1500;  // updates (15 s)
// The background, the chant bar and 90 parts; the potion block is shorter.
constexpr int k_maxBlockImages = 92;

}  // namespace

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
  deleteImages();
}

void MiniGame::Init() {
  // Once per run; a screen made later (a test's) still gets buttons of its own.
  if (alreadyInited && m_menuButton != nullptr) return;
  alreadyInited = true;
  m_sideBarImage = IMAGE_SIDE_BAR;
  TitleScreen* aTitle = m_app != nullptr ? m_app->getTitleScreen() : nullptr;
  if (aTitle != nullptr) m_popup = aTitle->getPopupWidget();
  const bool isEnglish = TeskAppBase::s_languageUsing == 0;

  m_menuButton = new OrvoButtonWidget(1, this);
  m_menuButton->SetFont(FONT_MEDIUM);
  m_menuButton->mHoverImage = IMAGE_SIDE_MENU_HOVER;
  m_menuButton->mDoFinger = true;
  const int aHoverW = IMAGE_SIDE_MENU_HOVER != nullptr ? IMAGE_SIDE_MENU_HOVER->GetWidth() : 0;
  const int aHoverH = IMAGE_SIDE_MENU_HOVER != nullptr ? IMAGE_SIDE_MENU_HOVER->GetHeight() : 0;
  m_menuButton->Resize((k_sideBarWidth - aHoverW) / 2 - 1, 7, aHoverW, aHoverH);
  if (!isEnglish && stringBakedSidebarMenu != nullptr) {
    m_menuButton->mLabel = stringBakedSidebarMenu;
    m_menuButton->centerTextY(3);
    const int aLabelW = FONT_MEDIUM != nullptr ? FONT_MEDIUM->StringWidth(m_menuButton->mLabel) : 0;
    m_menuButton->mTextOffsetX = static_cast<int16_t>((k_sideBarWidth - aLabelW) / 2 - m_menuButton->mX);
    m_menuButton->mTextOffsetY = 19;
  }
  m_menuButton->SetColor(OrvoButtonWidget::COLOR_HOVER_TINT, Color::White);
  m_menuButton->SetColor(OrvoButtonWidget::COLOR_LABEL, Color(250, 220, 80));

  // Clear and Cast: a label only; a long translation takes the smaller font.
  const int aButtonH = FONT_INTRO_TEXT != nullptr ? FONT_INTRO_TEXT->GetAscent() : 0;
  auto LabelButton = [&](int theId, const wchar_t* theLabel) {
    OrvoButtonWidget* b = new OrvoButtonWidget(theId, this);
    b->SetFont(FONT_INTRO_TEXT);
    b->mLabel = theLabel != nullptr ? theLabel : L"";
    if (!isEnglish && FONT_INTRO_TEXT != nullptr && FONT_INTRO_TEXT->StringWidth(b->mLabel) >= 88)
      b->SetFont(FONT_MEDIUM);
    b->mDoFinger = true;
    b->setFadeIn(false);
    b->mIdleTextColor = Color::Black;
    b->SetColor(OrvoButtonWidget::COLOR_LABEL, Color(150, 22, 60));
    return b;
  };
  auto LabelWidth = [](OrvoButtonWidget* b) { return b->mFont != nullptr ? b->mFont->StringWidth(b->mLabel) : 0; };
  m_clearButton = LabelButton(2, stringClear);
  m_clearButton->Resize(205, 520, LabelWidth(m_clearButton), aButtonH);
  m_castButton = LabelButton(3, stringCast);
  const int aCastW = LabelWidth(m_castButton);
  m_castButton->Resize(735 - aCastW, 520, aCastW, aButtonH);
  m_castButton->setPulse(1.0f, 0.65f, 0.01f);

  for (int i = 0; i < 12; ++i) {
    OrvoButtonWidget* b = new OrvoButtonWidget(100 + i, this);
    b->SetFont(FONT_INTRO_TEXT);
    b->mDoFinger = true;
    b->setFadeIn(false);
    b->mIdleTextColor = Color(150, 22, 60);
    b->SetColor(OrvoButtonWidget::COLOR_LABEL, Color(250, 32, 90));
    m_partButtons[i] = b;
  }
}

int MiniGame::getLevel() {
  ProfileData* aProfile = profileOf(m_app);
  return aProfile != nullptr ? aProfile->getLevelOn() : 1;
}

int MiniGame::getDifficulty() {
  ProfileData* aProfile = profileOf(m_app);
  return aProfile != nullptr ? aProfile->getDifficultyLevel() : 0;
}

uint8_t MiniGame::kindOfLevel() { return getLevel() % 2 == 1 ? k_kindPotion : k_kindChant; }

void MiniGame::showPopup(uint8_t theType) {
  if (m_popup == nullptr) return;
  m_popup->SetDisabled(false);
  m_popup->SetVisible(true);
  m_popup->setType(theType);
  m_popup->setParent(this);
}

void MiniGame::hidePopup() {
  if (m_popup == nullptr) return;
  m_popup->SetDisabled(true);
  m_popup->SetVisible(false);
}

void MiniGame::pauseWithPopup(uint8_t theType) {
  m_state = 6;
  showPopup(theType);
  if (theType == POPUP_HINT_SHORT_TIME || theType == POPUP_HINT_CHANT_FAILED) GameApp::setFade(2);
  setWidgetsVisible(false);
}

void MiniGame::setGameState(uint8_t theState) {
  m_state = theState;
  ProfileData* aProfile = profileOf(m_app);
  switch (theState) {
    case 0:
      GameApp::setFade(3);
      break;
    case 1:
      if (aProfile != nullptr && aProfile->getHelpBox()) {
        m_state = 6;
        const bool isFirst = (getLevel() - 1) / 2 == 0;
        if (m_kind == k_kindPotion)
          showPopup(isFirst ? POPUP_FIRST_HELP_POTION : POPUP_HELP_POTION);
        else
          showPopup(isFirst ? POPUP_FIRST_HELP_CHANT : POPUP_HELP_CHANT);
        GameApp::setFade(2);
        setWidgetsVisible(false);
      } else {
        m_state = 8;
        GameApp::setFade(0);
      }
      break;
    case 2:
      m_state = 3;
      hidePopup();
      GameApp::setFade(0);
      setWidgetsVisible(true);
      break;
    case 4:
      setWidgetsVisible(false);
      break;
    case 5:
      showPopup(POPUP_CHAPTER_COMPLETE);
      setWidgetsVisible(false);
      break;
    case 6:
      showPopup(POPUP_GAME_OPTIONS);
      GameApp::setFade(2);
      setWidgetsVisible(false);
      break;
    case 8:
      hidePopup();
      GameApp::setFade(0);
      setWidgetsVisible(true);
      break;
    case 10:
      if (m_popup != nullptr) {
        m_popup->SetVisible(true);
        m_popup->SetDisabled(false);
      }
      showLevelFailed(*this);
      break;
    default:
      break;
  }
}

void MiniGame::setWidgetsVisible(bool show) {
  const auto Set = setButtonShown;
  Set(m_menuButton, show);
  // The chant buttons follow the selection whatever show is: the popup lies in front of them.
  if (m_kind == k_kindChant) {
    for (int i = 0; i < 12; ++i) Set(m_partButtons[i], i < m_selectedCount);
    Set(m_castButton, m_selectedCount == m_numPartsToFind);
    Set(m_clearButton, m_selectedCount >= 1);
  }
  if (show && mWidgetManager != nullptr) mWidgetManager->SetFocus(this);
}

void MiniGame::writeSideBarText(Graphics* g, const wchar_t* theText, int theY) {
  if (theText == nullptr) return;
  TRect<int> aBox(8, theY, 121, 20);
  if (theY == 54 && TeskAppBase::s_languageUsing != 0) aBox = TRect<int>(20, theY, 97, 20);
  WriteWordWrapped(g, aBox, theText, 14, 0);
}

void MiniGame::deleteImages() {
  delete m_background;
  m_background = nullptr;
  delete m_chantBarImage;
  m_chantBarImage = nullptr;
  for (Image*& anImage : m_images) {
    delete anImage;
    anImage = nullptr;
  }
}

int MiniGame::loadImages() {
  deleteImages();
  const bool isChant = m_kind == k_kindChant;
  ImageLib::Image* aBlock[k_maxBlockImages] = {};
  const int aCount = ImageLib::GetImageBlock(
      isChant ? "builddata/minigameblock2.tgab" : "builddata/minigameblock.tgab", aBlock, k_maxBlockImages);
  auto Convert = [this](ImageLib::Image* theImage) -> Image* {
    return m_app != nullptr && theImage != nullptr ? m_app->GetImage(theImage, true) : nullptr;
  };
  const int aFirstEntry = isChant ? 2 : 1;
  for (int i = 0; i < aCount; ++i) {
    std::unique_ptr<ImageLib::Image> aFree(aBlock[i]);
    if (i == 0)
      m_background = Convert(aBlock[i]);
    else if (isChant && i == 1)
      m_chantBarImage = Convert(aBlock[i]);
    else if (i - aFirstEntry < 90)
      m_images[i - aFirstEntry] = Convert(aBlock[i]);
  }
  if (aCount <= aFirstEntry)
    GameLog("mini-game: the image block of the %s game holds %d images", isChant ? "chant" : "potion", aCount);
  return aCount > aFirstEntry ? aCount - aFirstEntry : 0;
}

void MiniGame::AddedToManager(WidgetManager* theManager) {
  if (m_menuButton == nullptr) Init();
  PARTICLE::resetAll(true);
  bool isRestored = false;
  if (m_kind == k_kindSaved) {
    isRestored = loadLevelData();
    // A save that cannot be used gives way to a new game of the chapter's own kind.
    if (!isRestored) m_kind = kindOfLevel();
  } else if (m_kind != k_kindChant && m_kind != k_kindPotion) {
    GameLog("mini-game: shown with kind %d; the chapter's own game is played", m_kind);
    m_kind = kindOfLevel();
  }
  m_glowMode = 0;
  m_idleCounter = 0;
  const int aParts = loadImages();
  m_bubbleAnims[0].clear();
  m_bubbleAnims[1].clear();
  if (m_kind == k_kindChant)
    setupChantGame(isRestored, aParts);
  else
    setupPotionGame(isRestored);

  Widget::AddedToManager(theManager);
  theManager->AddWidget(m_menuButton);
  if (m_kind == k_kindChant) {
    theManager->AddWidget(m_clearButton);
    theManager->AddWidget(m_castButton);
    for (OrvoButtonWidget* aButton : m_partButtons) theManager->AddWidget(aButton);
  }
  if (m_popup != nullptr) {
    theManager->AddWidget(m_popup);
    m_popup->setParent(this);
    m_popup->SetVisible(false);
    m_popup->SetDisabled(true);
  }
  setWidgetsVisible(true);

  if (!isRestored) {
    // The profile's flags say what is on disk: a save that failed leaves them as they were.
    const bool isSaved = saveLevelData();
    ProfileData* aProfile = profileOf(m_app);
    if (isSaved && aProfile != nullptr) {
      aProfile->setHasSaveFile(true);
      aProfile->setSaveInMinigame(true);
    }
    const bool isProfileSaved = aProfile == nullptr || aProfile->saveProfile();
    if ((!isSaved || !isProfileSaved) && m_app != nullptr) m_app->tellSaveFailed();
  }
}

void MiniGame::RemovedFromManager(WidgetManager* theManager) {
  Widget::RemovedFromManager(theManager);
  theManager->RemoveWidget(m_menuButton);
  // Every chant button, whichever game ran: none may stay behind.
  theManager->RemoveWidget(m_clearButton);
  theManager->RemoveWidget(m_castButton);
  for (OrvoButtonWidget* aButton : m_partButtons) theManager->RemoveWidget(aButton);
  if (m_popup != nullptr) theManager->RemoveWidget(m_popup);
  setWidgetsVisible(false);
  // The tiles point into the image table that goes now.
  for (WordStruct& aTile : m_tiles) aTile.image = nullptr;
  deleteImages();
}

void MiniGame::Update() {
  GameApp::updateFade();
  const float aFade = GameApp::getFadeColorFloat();
  for (OrvoButtonWidget* aButton : {m_menuButton, m_clearButton, m_castButton})
    if (aButton != nullptr) aButton->setFadeFloat(aFade);
  for (OrvoButtonWidget* aButton : m_partButtons)
    if (aButton != nullptr) aButton->setFadeFloat(aFade);
  updatePotionGrowSpeeds();
  TeskPerf::StartTiming("Start_Of_Update");
  Widget::Update();
  switch (m_state) {
    case 0:
      if (GameApp::isFaded50()) setGameState(1);
      break;
    case 3:
      updatePlay();
      break;
    case 4:
      setGameState(5);
      PARTICLE::resetAll(true);
      break;
    case 5:
      PARTICLE::update();
      break;
    case 8:
      if (!GameApp::isInFade()) m_state = 3;
      break;
    default:
      break;
  }
  finishScreenUpdate(*this, redraw, 0.45f, 6);
}

void MiniGame::updatePlay() {
  ProfileData* aProfile = profileOf(m_app);
  if (aProfile == nullptr) return;
  const bool isHelpOn = aProfile->getHelpBox();
  if (m_kind == k_kindChant) {
    if (isHelpOn && !aProfile->getHintBlock(14) && ++m_idleCounter > k_chantIdleHint) {
      pauseWithPopup(POPUP_HINT_CHANT_HINT);
      aProfile->setHintBlock(14);
    }
  } else if (isHelpOn && !aProfile->getHintBlock(25) && ++m_idleCounter > k_potionIdleHint) {
    pauseWithPopup(POPUP_HINT_INGREDIENTS_DONT_MOVE);
    aProfile->setHintBlock(25);
  }

  aProfile->update();
  const int aTimer = aProfile->getLevelTimer();
  if (aTimer < 1) {
    setGameState(10);
  } else if (tickLastSeconds(m_app, aTimer) && isHelpOn && !aProfile->getHintBlock(8)) {
    pauseWithPopup(POPUP_HINT_SHORT_TIME);
    aProfile->setHintBlock(8);
  }

  if (m_kind == k_kindChant)
    updateChantGame();
  else
    updatePotionGame();
}

void MiniGame::Draw(Graphics* g) {
  float f = GameApp::getFadeColorFloat();
  const int c = GameApp::getFadeColor();
  Color aBase(c, c, c);
  g->SetColorizeImages(true);
  const int aGrey = static_cast<int>(100.0f * f);
  g->SetColor(Color(aGrey, aGrey, aGrey));
  if (m_background != nullptr) g->DrawImage(m_background, k_sideBarWidth, 0);
  const bool isOnBoard = m_state >= 3 && m_state <= 8;
  if (isOnBoard) {
    if (m_kind == k_kindChant)
      drawChantBoard(g);
    else
      drawPotionBoard(g);
  }
  drawSideBarShared(g, m_sideBarImage, this, m_app, f, aBase, m_state == 6);
  if (isOnBoard) {
    g->SetFont(FONT_SMALL);
    if (m_kind == k_kindChant) {
      drawChantSideBar(g);
    } else {
      drawPotionSideBar(g);
      if (m_state != 5) PARTICLE::draw(g, f, this);
    }
  }
}

void MiniGame::KeyDown(KeyCode theKey) {
  if (theKey != k_escape) return;
  setGameState(6);
  playSampleOf(m_app, SFX_SELECT_PRESS);
}

void MiniGame::MouseMove(int, int) {}

void MiniGame::MouseDown(int x, int y, int theClickCount) {
  Widget::MouseDown(x, y, theClickCount);
  if (GameApp::isInFade() || theClickCount != 1 || m_state != 3) return;
  if (MATH::BBPointTest(x, y, 27, 437, 80, 30)) {
    setGameState(6);
    playSampleOf(m_app, SFX_SELECT_PRESS);
  } else if (m_kind == k_kindChant) {
    testForWordPress(x, y);
  } else {
    testForPiecePress(x, y);
  }
}

void MiniGame::MouseUp(int x, int y, int theClickCount) {
  Widget::MouseUp(x, y, theClickCount);
  if (GameApp::isInFade() || theClickCount != 1 || m_state != 3 || m_kind != k_kindPotion) return;
  finishTestForPiecePress();
  testForPotionPress(x, y);
}

void MiniGame::MouseDrag(int x, int y) {
  if (mWidgetManager == nullptr || !mWidgetManager->IsLeftButtonDown()) return;
  if (m_state == 3 && m_kind == k_kindPotion) testForPiecePress(x, y);
}

void MiniGame::ButtonPress(int) {}

void MiniGame::ButtonDepress(int theId) {
  if (GameApp::isInFade()) return;
  if (theId == 2) {
    clearButtonPressed();
  } else if (theId == 3) {
    castButtonPressed();
  } else if (theId == 1) {
    setGameState(6);
    playSampleOf(m_app, SFX_SELECT_PRESS);
  } else if (m_kind == k_kindChant) {
    removeWordPart(theId);
  }
}

}  // namespace Tesk

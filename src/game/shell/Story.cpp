// The story screen and its modes: the story intro, the end of the game and the credits; the
// how-to-play and chapter-intro pages are its other modes.
#include "game/shell/AppAccess.h"
#include "game/shell/Story.h"

#include <memory>

#include "app/TeskAppBase.h"
#include "core/Common.h"
#include "display/DDImage.h"
#include "game/play/LevelData.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/ScreenImages.h"
#include "game/shell/TitleScreen.h"
#include "game/shell/ZqMusic.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "graphics/Particles.h"
#include "resources/ImageLib.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

namespace {

constexpr int k_lastLongStoryPage = 3;
constexpr int k_runestoneParticleType = 19;
constexpr int k_runestoneUpdates = 1400;
constexpr float k_creditsEnd = -850.0f;
constexpr float k_extraHardGrade = 1.5f;
constexpr float k_wandsGrade = 1.0f;
const Color k_buttonHoverColor(36, 12, 10);
const Color k_buttonLabelColor(146, 49, 41);
const Color k_storyTextColor(244, 201, 69);

// The spells of chapters 1-12 as the chapter intro names them.
const wchar_t* const k_spellNames[12] = {L"Repello Obscurum",        L"ostendo sum quis est occultus",
                                         L"Repello Vomica Obscurum", L"Saeta Incrementum",
                                         L"Ostendo Campester Tres",  L"Periculosus Illusion",
                                         L"Tabernus Unus Pes",       L"Mutatio",
                                         L"Ostendo Sum Max Vox",     L"Vigoratus Rememdium",
                                         L"Incendia Tutela",         L"Vetus Lingua"};

int imageWidth(Image* theImage) { return theImage != nullptr ? theImage->GetWidth() : 0; }
int imageHeight(Image* theImage) { return theImage != nullptr ? theImage->GetHeight() : 0; }

// Buttons sit lower for the languages whose labels run taller.
int buttonY() {
  const int aLanguage = TeskAppBase::s_languageUsing;
  return aLanguage == 2 || aLanguage == 3 || aLanguage == 5 || aLanguage == 7 ? 470 : 460;
}

}  // namespace

uint8_t Story::s_storyType = 0;
bool Story::alreadyInited = false;
Story::TextPair Story::k_maxLevelIntroTextTitle[13] = {};
Story::TextPair Story::k_goalString[13] = {};
wchar_t Story::s_goalStringBuffer[512] = {};

Story::Story(GameApp* theApp)
    : m_page(0),
      m_mode(0),
      m_scrollAlpha(0.0f),
      m_creditsOffset(0.0f),
      m_endOfGameAlpha(0.0f),
      m_runestoneX(),
      m_runestoneY(),
      m_runestoneAlpha(),
      m_runestoneCounter(0),
      m_leaving(0),
      m_backImage(nullptr),
      m_app(theApp),
      m_popup(nullptr),
      m_nextButton(nullptr),
      m_exitButton(nullptr),
      m_chapterImages(),
      m_introSlots(),
      m_chapterPair(nullptr),
      m_goalPair(nullptr),
      m_goalLabelY(0),
      m_pageCount(0),
      m_pageTitles(nullptr),
      m_pageTexts(nullptr),
      m_leftImage(nullptr),
      m_rightImage(nullptr),
      m_blockImages(),
      m_numBlockImages(0) {}

Story::~Story() {
  delete m_nextButton;
  delete m_exitButton;
  deleteBlockImages();
}

void Story::Init() {
  if (!alreadyInited) {
    alreadyInited = true;
    initHowToPlayTables();
    for (int i = 0; i < 13; ++i) {
      k_maxLevelIntroTextTitle[i] = {stringChapStrings[i], stringChapTitles[i]};
      k_goalString[i] = {i < 12 ? k_spellNames[i] : stringFinalChapterGoal, stringGoalText[i]};
    }
    // The chapter intro's start button draws its glow through this.
    OrvoButtonWidget::s_drawAnimation = [](ANIM::AnimationBasic* theAnim, Graphics* g, int dx, int dy,
                                           float theFade) {
      g->SetColorizeImages(true);
      theAnim->drawTranslated(g, dx, dy, theFade);
    };
    OrvoButtonWidget::s_drawParticles = [](Graphics* g, const float& theAlpha, Widget* theOwner) {
      PARTICLE::draw(g, theAlpha, theOwner);
    };
  }
  TitleScreen* aTitle = m_app != nullptr ? m_app->getTitleScreen() : nullptr;
  m_popup = aTitle != nullptr ? aTitle->getPopupWidget() : nullptr;
  // The buttons belong to this screen; a test that starts the process's tables again keeps them.
  if (m_nextButton != nullptr) return;
  m_nextButton = new OrvoButtonWidget(1, this);
  m_nextButton->SetFont(FONT_TITLE_OPTIONS);
  m_nextButton->mDoFinger = true;
  m_nextButton->SetColor(OrvoButtonWidget::COLOR_HOVER_TINT, k_buttonHoverColor);
  m_nextButton->SetColor(OrvoButtonWidget::COLOR_LABEL, k_buttonLabelColor);

  m_exitButton = new OrvoButtonWidget(2, this);
  m_exitButton->SetFont(FONT_INTRO_TEXT);
  if (stringExit != nullptr) m_exitButton->mLabel = stringExit;
  m_exitButton->mDoFinger = true;
  m_exitButton->SetColor(OrvoButtonWidget::COLOR_HOVER_TINT, k_buttonHoverColor);
  m_exitButton->SetColor(OrvoButtonWidget::COLOR_LABEL, k_buttonLabelColor);
  const int w = FONT_TITLE_OPTIONS != nullptr ? FONT_TITLE_OPTIONS->StringWidth(m_exitButton->mLabel) : 0;
  const int h = FONT_TITLE_OPTIONS != nullptr ? FONT_TITLE_OPTIONS->GetAscent() : 0;
  m_exitButton->Resize(224 - w / 2, buttonY(), w, h);
}

ProfileData* Story::profile() { return profileOf(m_app); }

int Story::profileLevel() {
  ProfileData* aProfile = profile();
  return aProfile != nullptr ? aProfile->getLevelOn() : 0;
}

void Story::loadBlockImages() {
  deleteBlockImages();
  const char* const aBlocks[2] = {"builddata/levelintroblock.tgab", "builddata/map2block.tgab"};
  for (const char* aBlock : aBlocks)
    m_numBlockImages += appendImageBlock(m_app, aBlock, m_blockImages + m_numBlockImages,
                                         k_maxBlockImages - m_numBlockImages);
}

void Story::deleteBlockImages() {
  freeImages(m_blockImages, m_numBlockImages);
  m_numBlockImages = 0;
}

Image* Story::blockImage(int theIndex) {
  return imageAt(m_blockImages, m_numBlockImages, theIndex);
}

void Story::AddedToManager(WidgetManager* theManager) {
  if (m_nextButton == nullptr) Init();
  m_page = 0;
  m_backImage = nullptr;
  PARTICLE::resetAll(true);
  Widget::AddedToManager(theManager);

  const bool isPageMode =
      m_mode == MODE_HOW_TO_PLAY || m_mode == MODE_HOW_TO_PLAY_INGAME || m_mode == MODE_LEVEL_INTRO;
  if (isPageMode) loadBlockImages();

  OrvoButtonWidget* n = m_nextButton;
  n->mHoverImage = nullptr;
  n->mLabel.clear();
  n->setFadeFloat(0.0f);
  n->resetHoverAlpha();
  n->setAnimation(nullptr);
  n->SetVisible(true);
  n->SetDisabled(false);
  n->SetColor(OrvoButtonWidget::COLOR_HOVER_TINT, k_buttonHoverColor);
  n->SetColor(OrvoButtonWidget::COLOR_LABEL, k_buttonLabelColor);
  OrvoButtonWidget* e = m_exitButton;
  e->SetVisible(true);
  e->SetDisabled(false);
  e->setFadeFloat(0.0f);
  e->resetHoverAlpha();
  e->setAnimation(nullptr);

  switch (m_mode) {
    case MODE_HOW_TO_PLAY:
    case MODE_HOW_TO_PLAY_INGAME:
      howToPlayAdded(theManager);
      break;
    case MODE_LEVEL_INTRO:
      levelIntroAdded();
      break;
    default:
      break;
  }
  if (m_mode == MODE_STORY_INTRO || m_mode == MODE_LEVEL_INTRO) {
    ProfileData* aProfile = profile();
    const int aLevel = profileLevel();
    if (aLevel == 0 && m_app != nullptr) m_app->setLocationAt(0);
    LevelData* aLevelData = m_app != nullptr ? m_app->getLevelData() : nullptr;
    // A chapter without its locations would show an empty map whose every object counts as
    // found: it ends the game as a resource that cannot be loaded does.
    if (m_mode == MODE_LEVEL_INTRO && aLevelData != nullptr && aProfile != nullptr &&
        !aLevelData->load(aLevel, aProfile->getHasSaveFile()))
      m_app->dataFailure(
          StrFormat("Failed to load chapter %d: %s", aLevel, aLevelData->getLoadError().c_str()));
    GameApp::s_lastFullSecond = 31;
    n->SetColor(OrvoButtonWidget::COLOR_HOVER_TINT, Color::White);
    theManager->AddWidget(n);
  }

  for (int i = 0; i < 12; ++i) m_chapterImages[i] = blockImage(4 + i);
  if (m_popup != nullptr) {
    theManager->AddWidget(m_popup);
    m_popup->setParent(this);
    m_popup->SetVisible(false);
    m_popup->SetDisabled(true);
  }
  GameApp::setFade(0);
  SetPage();
  m_leaving = 0;
}

void Story::RemovedFromManager(WidgetManager* theManager) {
  Widget::RemovedFromManager(theManager);
  m_glowAnim.clear();
  if (m_nextButton != nullptr && theManager->HasWidget(m_nextButton)) theManager->RemoveWidget(m_nextButton);
  if (m_popup != nullptr && theManager->HasWidget(m_popup)) theManager->RemoveWidget(m_popup);
  if (m_exitButton != nullptr && theManager->HasWidget(m_exitButton)) theManager->RemoveWidget(m_exitButton);
  for (Image*& anImage : m_chapterImages) anImage = nullptr;
  for (IntroSlot& aSlot : m_introSlots) aSlot.m_image = nullptr;
  m_backImage = m_leftImage = m_rightImage = nullptr;
  deleteBlockImages();
}

void Story::SetPage() {
  switch (m_mode) {
    case MODE_END_RUNESTONES: {
      m_backImage = nullptr;
      for (float& anAlpha : m_runestoneAlpha) anAlpha = 1.0f;
      m_runestoneCounter = 0;
      m_endOfGameAlpha = 0.0f;
      const int w = imageWidth(IMAGE_RUNESTONE);
      const int h = imageHeight(IMAGE_RUNESTONE);
      const int aX[4] = {400 - w / 2, 400 - w / 2, 400 - 2 * w - w / 2, 400 + 2 * w - w / 2};
      const int aY[4] = {300 - 4 * h - h / 2, 300 + 4 * h - h / 2, 300 - h / 2, 300 - h / 2};
      for (int i = 0; i < 4; ++i) {
        m_runestoneX[i] = static_cast<uint16_t>(aX[i]);
        m_runestoneY[i] = static_cast<uint16_t>(aY[i]);
      }
      break;
    }
    case MODE_END_SCROLL:
      m_printer.setDimensions(100, 35, 600, 90, 24, 0);
      m_printer.setColor(Color(28, 38, 4));
      m_printer.setFont(FONT_INTRO_TEXT);
      m_printer.newString(k_maxStoryFinally);
      m_printer.finishPrinting();
      m_scrollAlpha = 1.0f;
      m_backImage = IMAGE_END_OF_GAME;
      playSampleOf(m_app, SFX_POPUPBOX_APPEAR);
      break;
    case MODE_CREDITS:
      m_scrollAlpha = 0.0f;
      m_creditsOffset = 0.0f;
      m_printer.setDimensions(80, 140, 640, 2000, 36, 0);
      m_printer.setColor(k_storyTextColor);
      m_printer.setFont(FONT_INTRO_TEXT);
      m_printer.newString(k_endGameCredits);
      m_printer.finishPrinting();
      break;
    case MODE_HOW_TO_PLAY:
    case MODE_HOW_TO_PLAY_INGAME:
      howToPlaySetPage();
      break;
    case MODE_LEVEL_INTRO:
      levelIntroSetPage();
      break;
    default:
      break;
  }
}

void Story::leave() {
  if (m_app == nullptr) return;
  switch (m_mode) {
    case MODE_STORY_INTRO:
      m_app->StartLevelIntro(this);
      break;
    case MODE_CREDITS:
      m_app->StartTitleScreen(this);
      break;
    case MODE_HOW_TO_PLAY:
      m_app->StartTutorial(this);
      break;
    case MODE_HOW_TO_PLAY_INGAME:
      if (m_app->ingameInMap())
        m_app->ReturnToMap(this);
      else if (m_app->ingameInLocation())
        m_app->ReturnToInGame(this);
      else
        m_app->StartMiniGameSaved(this);
      break;
    case MODE_LEVEL_INTRO:
      if (profileLevel() != 0)
        m_app->StartMap(this);
      else
        m_app->StartHowToPlay(this);
      break;
    default:
      break;
  }
}

void Story::updateRunestones() {
  for (float& anAlpha : m_runestoneAlpha) {
    if (anAlpha <= 0.0f) continue;
    anAlpha -= k_runestoneFadeSpeed;
    if (anAlpha > 0.0f) break;
    anAlpha = 0.0f;
  }
  ++m_runestoneCounter;
  m_endOfGameAlpha += k_eofGameFadeSpeed;
  if (m_endOfGameAlpha > 1.0f) m_endOfGameAlpha = 1.0f;
  const int aStarts[4] = {1, 300, 600, 900};
  for (int i = 0; i < 4; ++i) {
    if (m_runestoneCounter != aStarts[i]) continue;
    const int w = imageWidth(IMAGE_RUNESTONE);
    const int h = imageHeight(IMAGE_RUNESTONE);
    PARTICLE::createSystem(m_runestoneX[i] + w / 2, m_runestoneY[i] + h / 2, k_runestoneParticleType, 0,
                           nullptr);
    playSampleOf(m_app, SFX_RUNE_DESTROY);
  }
  if (m_runestoneCounter > k_runestoneUpdates) {
    m_mode = MODE_END_SCROLL;
    SetPage();
  }
}

void Story::Update() {
  GameApp::updateFade();
  const float aFade = GameApp::getFadeColorFloat();
  if (m_nextButton != nullptr) m_nextButton->setFadeFloat(aFade);
  if (m_exitButton != nullptr) m_exitButton->setFadeFloat(aFade);
  Widget::Update();
  if (m_leaving != 0 && GameApp::getFadeColor() == 0) leave();
  if (!m_glowAnim.isInactive()) m_glowAnim.update();
  if (!GameApp::isInFade()) {
    switch (m_mode) {
      case MODE_END_RUNESTONES:
        updateRunestones();
        break;
      case MODE_END_SCROLL:
      case MODE_LEVEL_INTRO:
        m_printer.Update();
        break;
      case MODE_END_SCROLL_FADE:
        m_scrollAlpha -= k_fadeSpeed;
        if (m_scrollAlpha <= 0.0f) {
          m_mode = MODE_CREDITS;
          SetPage();
        }
        break;
      case MODE_CREDITS:
        if (GameApp::isFaded50()) break;
        m_creditsOffset -= 10.0f * k_fadeSpeed;
        m_printer.Update();
        m_printer.setYTranslation(static_cast<int>(m_creditsOffset));
        if (m_creditsOffset < k_creditsEnd) endCredits();
        break;
      default:
        break;
    }
  }
  PARTICLE::update();
  static float sRedraw = 0.0f;
  sRedraw += 0.6f;
  if (sRedraw >= 1.0f) {
    sRedraw = 0.0f;
    MarkDirty();
  }
  zqMusic.update();
}

void Story::MouseDown(int x, int y, int theClickCount) {
  if (GameApp::isInFade()) return;
  Widget::MouseDown(x, y, theClickCount);
  if (theClickCount != 1) return;
  switch (m_mode) {
    case MODE_STORY_INTRO:
    case MODE_END_SCROLL:
    case MODE_CREDITS:
      pressCaptured(1);
      break;
    case MODE_LEVEL_INTRO:
      if (m_printer.getIsPrinting()) {
        playSampleOf(m_app, SFX_SELECT_PRESS);
        m_printer.finishPrinting();
      }
      break;
    default:
      break;
  }
}

void Story::ButtonDepress(int theId) {
  if (GameApp::isInFade()) return;
  pressCaptured(theId);
}

void Story::startLeaving() {
  GameApp::setFade(1);
  m_leaving = 1;
}

void Story::pressCaptured(int theId) {
  auto aPlay = [this](int theSound) {
    playSampleOf(m_app, theSound);
  };
  switch (m_mode) {
    case MODE_STORY_INTRO:
      if (theId != 1) break;
      aPlay(SFX_SELECT_PRESS);
      if (m_page >= k_lastLongStoryPage || s_storyType == 1) {
        startLeaving();
      } else {
        ++m_page;
        SetPage();
      }
      break;
    case MODE_END_SCROLL:
      if (theId != 1) break;
      aPlay(SFX_SELECT_PRESS);
      if (m_printer.getIsPrinting()) {
        m_printer.finishPrinting();
      } else if (!m_printer.getIsPrintingCompleted()) {
        m_printer.moveToNextPage();
        m_printer.finishPrinting();
      } else {
        m_mode = MODE_END_SCROLL_FADE;
      }
      break;
    case MODE_CREDITS:
      aPlay(SFX_SELECT_PRESS);
      if (m_printer.getIsPrinting()) {
        m_printer.finishPrinting();
      } else if (!m_printer.getIsPrintingCompleted()) {
        m_printer.moveToNextPage();
      } else {
        endCredits();
      }
      break;
    case MODE_HOW_TO_PLAY:
    case MODE_HOW_TO_PLAY_INGAME:
      if (theId == 1) {
        aPlay(SFX_SELECT_PRESS);
        ++m_page;
        if (m_page >= m_pageCount) {
          m_page = static_cast<uint8_t>(m_pageCount > 0 ? m_pageCount - 1 : 0);
          startLeaving();
        } else {
          SetPage();
        }
      } else if (theId == 2) {
        startLeaving();
      }
      break;
    case MODE_LEVEL_INTRO:
      if (theId != 1) break;
      startLeaving();
      aPlay(SFX_START_GAME);
      break;
    default:
      break;
  }
}

bool Story::isEndOfGame() { return m_backImage != nullptr && m_backImage == IMAGE_END_OF_GAME; }

void Story::showUnlockPopup(uint8_t theType) {
  // Without the popup the dimmed credits would wait for a button that is not there.
  if (m_popup == nullptr) {
    startLeaving();
    return;
  }
  m_popup->SetDisabled(false);
  m_popup->SetVisible(true);
  m_popup->setType(theType);
  m_popup->setParent(this);
  GameApp::setFade(2);
}

void Story::endCredits() {
  ProfileData* aProfile = profile();
  const bool isEnding = isEndOfGame() && aProfile != nullptr;
  if (!GameApp::isFaded50() && !GameApp::isInFade() && isEnding) {
    const float aGrade = aProfile->getGameAvgGrade();
    if (!aProfile->isExtraHardDiffUnlocked() && aProfile->getDifficultyLevel() != 0 &&
        aGrade >= k_extraHardGrade) {
      showUnlockPopup(POPUP_EXTRA_HARD_UNLOCKED);
      aProfile->setExtraHardDiffUnlocked();
      playSampleOf(m_app, SFX_MINIGAME_PASSED);
    } else if (!aProfile->areWandsUnlocked() && aGrade >= k_wandsGrade) {
      showUnlockPopup(POPUP_WANDS_UNLOCKED);
      aProfile->setWandsUnlocked();
      playSampleOf(m_app, SFX_MINIGAME_PASSED);
    } else {
      startLeaving();
    }
  } else {
    startLeaving();
  }
  if (isEnding) {
    aProfile->setHasSaveFile(false);
    aProfile->setSaveInMinigame(false);
    aProfile->setNoLevelData();
    aProfile->saveProfile();
  }
}

void Story::drawStoryBack(Graphics* g, const Color& theTint) {
  g->SetColor(Color::Black);
  g->FillRect(0, 0, mWidth, mHeight);
  g->SetColorizeImages(true);
  g->SetColor(theTint);
  if (isEndOfGame()) {
    g->DrawImage(m_backImage, 400 - m_backImage->GetWidth() / 2, 0);
    return;
  }
  if (IMAGE_STORY_BACK_TOP != nullptr)
    g->DrawImage(IMAGE_STORY_BACK_TOP, 400 - IMAGE_STORY_BACK_TOP->GetWidth() / 2, 0);
  if (IMAGE_STORY_BACK_BOTTOM != nullptr)
    g->DrawImage(IMAGE_STORY_BACK_BOTTOM, 400 - IMAGE_STORY_BACK_BOTTOM->GetWidth() / 2, 252);
}

void Story::drawEdgeShading(Graphics* g, int theLines, int theAlpha) {
  const int aTopWidth = imageWidth(IMAGE_STORY_BACK_TOP);
  const int aLeft = 400 - aTopWidth / 2;
  const int aRight = aTopWidth / 2 + 399;
  for (int i = 0; i < theLines; ++i) {
    const int anAlpha = theAlpha - static_cast<int>(static_cast<float>(i) / theLines * theAlpha);
    g->SetColor(Color(0, 0, 0, anAlpha));
    g->DrawLine(aLeft + i, 0, aLeft + i, 600);
    g->DrawLine(aRight - i, 0, aRight - i, 600);
  }
}

void Story::writeCentred(Graphics* g, const wchar_t* theText, int theCentreX, int y) {
  if (theText == nullptr || g->GetFont() == nullptr) return;
  const int w = g->GetFont()->StringWidth(theText);
  WriteString(g, theText, theCentreX - w / 2, y, w, 0);
}

void Story::Draw(Graphics* g) {
  const float f = GameApp::getFadeColorFloat();
  const int v = GameApp::getFadeColor();
  const Color aTint(v, v, v);
  g->SetColorizeImages(true);
  switch (m_mode) {
    case MODE_STORY_INTRO: {
      g->SetColor(Color::Black);
      g->FillRect(0, 0, mWidth, mHeight);
      g->SetColor(scaledColor(aTint, 0.8f));
      if (IMAGE_STORY_BACK_TOP != nullptr)
        g->DrawImage(IMAGE_STORY_BACK_TOP, 400 - IMAGE_STORY_BACK_TOP->GetWidth() / 2, 0);
      if (IMAGE_STORY_BACK_BOTTOM != nullptr)
        g->DrawImage(IMAGE_STORY_BACK_BOTTOM, 400 - IMAGE_STORY_BACK_BOTTOM->GetWidth() / 2, 252);
      drawEdgeShading(g, 8, 220);
      const int aLanguage = TeskAppBase::s_languageUsing;
      g->SetFont(aLanguage == 2 || aLanguage == 3 || aLanguage == 7 ? FONT_MEDIUM : FONT_INTRO_TEXT);
      g->SetColor(scaledColor(k_storyTextColor, f));
      const wchar_t* aText = s_storyType == 1 ? k_maxStoryTextShort : k_maxStoryText[m_page & 3];
      if (aText != nullptr) WriteWordWrapped(g, TRect<int>(180, 180, 440, 400), aText, 24, 0);
      g->SetFont(FONT_MEDIUM);
      g->SetColor(scaledColor(Color(251, 178, 163), f));
      writeCentred(g, stringClickAnywhereNoExc, 400, 570);
      break;
    }
    case MODE_END_RUNESTONES: {
      drawStoryBack(g, aTint);
      if (IMAGE_END_OF_GAME != nullptr) {
        g->SetColor(Color(255, 255, 255, static_cast<int>(m_endOfGameAlpha * 255.0f)));
        g->DrawImage(IMAGE_END_OF_GAME, 400 - IMAGE_END_OF_GAME->GetWidth() / 2, 0);
      }
      drawEdgeShading(g, 12, 230);
      if (IMAGE_RUNESTONE != nullptr) {
        for (int i = 0; i < 4; ++i) {
          g->SetColor(Color(v, v, v, static_cast<int>(m_runestoneAlpha[i] * 255.0f)));
          g->DrawImage(IMAGE_RUNESTONE, m_runestoneX[i], m_runestoneY[i]);
        }
      }
      break;
    }
    case MODE_END_SCROLL:
    case MODE_END_SCROLL_FADE:
    case MODE_CREDITS: {
      drawStoryBack(g, aTint);
      drawEdgeShading(g, 12, 230);
      if (IMAGE_SCROLL != nullptr) {
        g->SetColor(Color(v, v, v, static_cast<int>(m_scrollAlpha * 255.0f)));
        g->DrawImage(IMAGE_SCROLL, TRect<int>(2, 0, 800, 165),
                     TRect<int>(0, 0, IMAGE_SCROLL->GetWidth(), IMAGE_SCROLL->GetHeight()));
      }
      m_printer.setAlphaColor(m_mode == MODE_END_SCROLL_FADE ? static_cast<int>(m_scrollAlpha * 255.0f)
                                                             : 255);
      m_printer.draw(g, f);
      break;
    }
    case MODE_HOW_TO_PLAY:
    case MODE_HOW_TO_PLAY_INGAME:
      howToPlayDraw(g);
      break;
    case MODE_LEVEL_INTRO:
      levelIntroDraw(g);
      break;
    default:
      break;
  }
  PARTICLE::draw(g, f, this);
}

}  // namespace Tesk

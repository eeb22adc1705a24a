#include "game/shell/TitleScreen.h"

#include <cwchar>

#include "core/MTRand.h"
#include "display/DDImage.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/ScreenImages.h"
#include "game/shell/ZqMusic.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "graphics/Particles.h"
#include "resources/ImageLib.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

namespace TITLE_SCREEN {
const OptionLocation k_mainOptionLocations[3] = {{441, 432}, {298, 469}, {200, 429}};
const OptionLocation k_mainOptionLocLocations[3] = {{479, 440}, {372, 480}, {244, 440}};
}  // namespace TITLE_SCREEN

const Color TitleScreen::s_welcomTextColor(0, 0, 0);
bool TitleScreen::alreadyInited = false;

namespace {

const char* const k_titleBlock = "builddata/titleblock.tgab";
const int k_numBlockSlots = 10;
// The painted animations sit this far from where their cells were laid out.
const int k_animOffsetX = -35;
const int k_animOffsetY = -47;
const int k_profileNeeded = 4;
const int k_escape = 27;
// Lightning phases, in the high nibble of m_lightning.
const uint8_t k_idle = 0;
const uint8_t k_flashShown = 1;
const uint8_t k_dark = 2;

enum ButtonId { k_play = 1, k_options = 2, k_exit = 3, k_exitOther = 5, k_changePlayer = 6 };

// An animation of theImage in theRows x theCols cells at (x, y); without a picture it stays
// inactive and draws nothing.
void SetUpAnim(ANIM::AnimationBasic& theAnim, Image* theImage, int theFrames, int theDelay, int theState,
               int theRows, int theCols, int x, int y) {
  theAnim.setAnim(theImage, theFrames, theDelay, theState);
  if (theImage == nullptr) {
    theAnim.clear();
    return;
  }
  theAnim.setRowsCols(static_cast<unsigned char>(theRows), static_cast<unsigned char>(theCols));
  theAnim.setXY(x + k_animOffsetX, y + k_animOffsetY);
}

int Ascent(Font* theFont) { return theFont != nullptr ? theFont->GetAscent() : 0; }

int Width(Font* theFont, const wchar_t* theText) {
  return theFont != nullptr && theText != nullptr ? theFont->StringWidth(theText) : 0;
}

}  // namespace

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
  releaseBlockImages();
  for (OrvoButtonWidget* aButton : m_mainButtons) delete aButton;
  delete m_changePlayerButton;
  delete m_popup;
}

void TitleScreen::releaseBlockImages() {
  freeImages(m_blockImages, m_numBlockImages);
  m_numBlockImages = 0;
}

void TitleScreen::Init() {
  if (alreadyInited) return;
  alreadyInited = true;

  for (int i = 0; i < 3; ++i) {
    OrvoButtonWidget* aButton = new OrvoButtonWidget(i + 1, this);
    aButton->SetFont(FONT_TITLE_OPTIONS);
    aButton->mDoFinger = true;
    aButton->SetColor(OrvoButtonWidget::COLOR_LABEL, Color(255, 255, 225));
    m_mainButtons[i] = aButton;
  }

  m_changePlayerButton = new OrvoButtonWidget(k_changePlayer, this);
  m_changePlayerButton->SetFont(FONT_SMALL);
  if (stringClickHere != nullptr) m_changePlayerButton->mLabel = stringClickHere;
  m_changePlayerButton->mDoFinger = true;
  m_changePlayerButton->setFadeIn(false);
  const int w = Width(FONT_SMALL, stringClickHere);
  const int h = Ascent(FONT_SMALL) + 4;
  m_changePlayerButton->Resize(700 - w / 2, TeskAppBase::s_languageUsing == 3 ? 91 : 106, w, h);
  // Red at rest, pale under the pointer: the pale one at rest vanished into the light panel.
  m_changePlayerButton->mIdleTextColor = Color(255, 0, 0);
  m_changePlayerButton->SetColor(OrvoButtonWidget::COLOR_LABEL, Color(226, 225, 218));

  m_popup = new PopupBox(m_app);
  m_popup->Init();
}

void TitleScreen::AddedToManager(WidgetManager* theManager) {
  // 1. The title block, the background, no particles left from the last screen.
  releaseBlockImages();
  // A block that is missing leaves its animations without a picture.
  m_numBlockImages = static_cast<uint8_t>(appendImageBlock(m_app, k_titleBlock, m_blockImages, k_numBlockSlots));
  m_backImage = IMAGE_TITLE_BACK;
  PARTICLE::resetAll(true);
  Widget::AddedToManager(theManager);

  // 2. Play, Options and Exit: the English labels are painted into the hover images.
  Image* const aHover[3] = {IMAGE_TITLE_PLAY_HIGH, IMAGE_TITLE_OPTION_HIGH, IMAGE_TITLE_EXIT_HIGH};
  const wchar_t* const aLabels[3] = {stringBakedTitlePlay, stringBakedTitleOptions, stringBakedTitleExit};
  const bool anEnglish = TeskAppBase::s_languageUsing == 0;
  for (int i = 0; i < 3; ++i) {
    OrvoButtonWidget* aButton = m_mainButtons[i];
    if (aButton == nullptr) continue;
    aButton->setFadeFloat(0.0f);
    aButton->resetHoverAlpha();
    const TITLE_SCREEN::OptionLocation& aLoc = TITLE_SCREEN::k_mainOptionLocations[i];
    aButton->Resize(aLoc.m_x, aLoc.m_y, aHover[i] != nullptr ? aHover[i]->GetWidth() : 0,
                    aHover[i] != nullptr ? aHover[i]->GetHeight() : 0);
    if (anEnglish) {
      aButton->mLabel.clear();
      aButton->SetColor(OrvoButtonWidget::COLOR_HOVER_TINT, Color(255, 255, 255));
      aButton->mHoverImage = aHover[i];
    } else {
      aButton->mHoverImage = nullptr;
      aButton->centerTextY(3);
      aButton->mTextOffsetX = 0;
      aButton->mTextOffsetY = 0;
      aButton->mClip = false;
      aButton->mLabel = aLabels[i] != nullptr ? aLabels[i] : L"";
      const int w = Width(FONT_TITLE_OPTIONS, aLabels[i]);
      const int aX[3] = {525 - w, 372 - w / 2, 196};
      const int aY[3] = {440, 480, 440};
      aButton->Resize(aX[i], aY[i], w, Ascent(FONT_TITLE_OPTIONS));
      aButton->SetColor(OrvoButtonWidget::COLOR_HOVER_TINT, Color(0, 0, 0));
    }
    theManager->AddWidget(aButton);
  }

  // 3. The change-player button and the popup, hidden until a button opens it.
  GameApp::setFade(0);
  if (m_changePlayerButton != nullptr) theManager->AddWidget(m_changePlayerButton);
  if (m_popup != nullptr) {
    theManager->AddWidget(m_popup);
    m_popup->setParent(this);
    m_popup->SetVisible(false);
    m_popup->SetDisabled(true);
  }

  // 4. The welcome line follows the profile; with no profile at all one is asked for.
  m_welcomeText[0] = 0;
  ProfileData* aProfile = m_app->getProfileData();
  if (aProfile == nullptr || aProfile->getTotalProfilesLoaded() == 0) {
    m_profileNeeded = k_profileNeeded;
    GameApp::setFade(3);
  }

  // 5. The storm: lightning backdrop, the branch, the far lights, the wind; the moon's glow.
  Image* const* b = m_blockImages;
  const int n = m_numBlockImages;
  SetUpAnim(m_lightningAnim, IMAGE_TITLE_ANIM_BG, 4, 30, ANIM::Paused, 2, 2, 169, 193);
  SetUpAnim(m_loopAnims[0], imageAt(b, n, 3), 4, 30, ANIM::PingPong, 2, 2, 170, 312);
  SetUpAnim(m_loopAnims[1], imageAt(b, n, 1), 3, 30, ANIM::Play, 1, 3, 293, 266);
  SetUpAnim(m_windAnim, imageAt(b, n, 0), 6, 20, ANIM::Paused, 2, 3, 219, 193);
  m_glowX = 221;
  m_glowY = 260;
  m_glowAlpha = 0.0f;
  m_glowStep = 0.006f;
  m_windCountdown = static_cast<int16_t>(600 + Rand() % 500);
  m_lightningCountdown = static_cast<int16_t>(400 + Rand() % 500);
  m_lightning = 0;

  // 6. Sparkles over the sign and the title lettering.
  PARTICLE::createSystem(615, 22, 17, 164, 112, nullptr);
  PARTICLE::createSystem(286, 49, 17, 213, 29, nullptr);
  PARTICLE::createSystem(270, 91, 17, 175, 19, nullptr);

  // 7.
  theManager->SetFocus(this);
}

void TitleScreen::RemovedFromManager(WidgetManager* theManager) {
  Widget::RemovedFromManager(theManager);
  Widget* const aChildren[] = {m_mainButtons[0], m_mainButtons[1], m_mainButtons[2], m_changePlayerButton,
                               m_popup};
  for (Widget* aChild : aChildren)
    if (aChild != nullptr && theManager->HasWidget(aChild)) theManager->RemoveWidget(aChild);
  releaseBlockImages();
}

void TitleScreen::Update() {
  Widget::Update();
  // 1.
  GameApp::updateFade();
  const float aFade = GameApp::getFadeColorFloat();
  for (OrvoButtonWidget* aButton : m_mainButtons)
    if (aButton != nullptr) aButton->setFadeFloat(aFade);
  if (m_changePlayerButton != nullptr) m_changePlayerButton->setFadeFloat(aFade);

  // 2.
  if (m_welcomeText[0] == 0) {
    ProfileData* aProfile = m_app->getProfileData();
    const wchar_t* aName = aProfile != nullptr ? aProfile->getProfileName() : nullptr;
    std::swprintf(m_welcomeText, 64, L"%ls!", aName != nullptr ? aName : L"");
    m_welcomeText[63] = 0;
  }

  // 3. The first profile is asked for once the screen stands at full brightness.
  if (m_profileNeeded == k_profileNeeded && !GameApp::isInFade()) {
    if (GameApp::isFaded50()) {
      GameApp::setFade(2);
    } else {
      createNewProfile();
    }
  }

  // 4.
  m_lightningAnim.update();
  m_loopAnims[0].update();
  m_loopAnims[1].update();
  m_windAnim.update();

  // 5. A gust now and then, once the leaves are back at their first frame.
  if (--m_windCountdown < 1 && !m_windAnim.isInactive()) {
    if (m_windAnim.isPaused()) {
      m_windAnim.unpause();
      m_windCountdown = static_cast<int16_t>(100 + Rand() % 200);
      m_app->PlaySample(SFX_WIND);
    } else if (m_windAnim.getFrameOn() == 0) {
      m_windAnim.changeState(ANIM::Paused);
      m_windCountdown = static_cast<int16_t>(600 + Rand() % 500);
    }
  }

  // 6.
  m_glowAlpha += m_glowStep;
  if (m_glowAlpha >= 1.0f) {
    m_glowAlpha = 1.0f;
    m_glowStep = -m_glowStep;
  } else if (m_glowAlpha <= 0.0f) {
    m_glowAlpha = 0.0f;
    m_glowStep = -m_glowStep;
  }

  // 7. Three or four flashes, dark between them, then a long wait.
  if (--m_lightningCountdown < 1) updateLightning();

  // 8.
  PARTICLE::update();
  static float sRedraw = 0.0f;
  sRedraw += 0.6f;
  if (sRedraw >= 1.0f) {
    sRedraw = 0.0f;
    MarkDirty();
  }
  zqMusic.update();
}

void TitleScreen::updateLightning() {
  const uint8_t aPhase = m_lightning >> 4;
  uint8_t aFrame = m_lightning & 0x0F;
  if (aPhase == k_idle) {
    aFrame = static_cast<uint8_t>(1 + Rand() % 2);
    m_flashesLeft = static_cast<uint8_t>(3 + Rand() % 2);
    m_lightningCountdown = static_cast<int16_t>(5 + Rand() % 10);
    m_lightning = static_cast<uint8_t>(k_flashShown << 4 | aFrame);
    m_lightningAnim.setFrame(aFrame);
    m_app->PlaySample((Rand() & 1) != 0 ? SFX_THUNDER : SFX_THUNDER2);
  } else if (aPhase == k_flashShown) {
    m_lightningAnim.setFrame(0);
    if (--m_flashesLeft > 0) {
      m_lightningCountdown = static_cast<int16_t>(4 + Rand() % 12);
      m_lightning = static_cast<uint8_t>(k_dark << 4 | aFrame);
    } else {
      m_lightningCountdown = static_cast<int16_t>(400 + Rand() % 500);
      m_lightning = static_cast<uint8_t>(k_idle << 4 | aFrame);
    }
  } else if (aPhase == k_dark) {
    m_lightning = static_cast<uint8_t>(k_flashShown << 4 | aFrame);
    m_lightningAnim.setFrame(aFrame);
    m_lightningCountdown = static_cast<int16_t>(5 + Rand() % 10);
  }
}

void TitleScreen::Draw(Graphics* g) {
  const int v = GameApp::getFadeColor();
  const float f = GameApp::getFadeColorFloat();
  g->SetColorizeImages(true);

  // 1.
  g->SetColor(Color(v, v, v));
  if (m_backImage != nullptr) g->DrawImage(m_backImage, 0, 0);
  m_lightningAnim.draw(g, f);
  m_loopAnims[0].draw(g, f);
  m_loopAnims[1].draw(g, f);
  m_windAnim.draw(g, f);

  // 2. The glow and the cover keep the background's tint with their own alpha.
  g->SetColor(Color(v, v, v));
  if (Image* aGlow = imageAt(m_blockImages, m_numBlockImages, 2)) {
    g->SetColorAlpha(static_cast<int>(255.0f * m_glowAlpha));
    g->DrawImage(aGlow, m_glowX, m_glowY);
  }
  g->SetColorAlpha(255);
  if (IMAGE_TITLE_COVER != nullptr) g->DrawImage(IMAGE_TITLE_COVER, 169, 193);

  // 3. The welcome.
  g->SetColor(scaledColor(s_welcomTextColor, f));
  if (stringWelcome != nullptr) {
    g->SetFont(FONT_INTRO_TEXT);
    WriteString(g, stringWelcome, 700, 36, 0, 0);
  }
  g->SetFont(Width(FONT_MEDIUM, m_welcomeText) < 141 ? FONT_MEDIUM : FONT_SMALL);
  WriteString(g, m_welcomeText, 700, 64, 0, 0);
  if (stringToChangeUser != nullptr) {
    g->SetFont(FONT_SMALL);
    if (TeskAppBase::s_languageUsing == 3) {
      WriteWordWrapped(g, TRect<int>(620, 108, 160, 200), stringToChangeUser, 14, 0);
    } else {
      WriteString(g, stringToChangeUser, 700, 90, 0, 0);
    }
  }

  // 4. Labels drawn as text where the pictures carry no words.
  if (TeskAppBase::s_languageUsing != 0) {
    const wchar_t* const aLabels[3] = {stringBakedTitlePlay, stringBakedTitleOptions, stringBakedTitleExit};
    g->SetFont(FONT_TITLE_OPTIONS);
    for (int i = 0; i < 3; ++i) {
      if (m_mainButtons[i] == nullptr || aLabels[i] == nullptr) continue;
      const int x = m_mainButtons[i]->mX;
      const int y = TITLE_SCREEN::k_mainOptionLocLocations[i].m_y;
      g->SetColor(Color(0, 0, 0));
      WriteString(g, aLabels[i], x + 2, y + 2, -1, -1);
      g->SetColor(scaledColor(Color(251, 207, 81), f));
      WriteString(g, aLabels[i], x, y, -1, -1);
    }
  }

  // 5. No owner: the text particles belong to the screens that have one.
  PARTICLE::draw(g, f, nullptr);
  g->SetColorizeImages(false);
}

void TitleScreen::openPopup(uint8_t theType) {
  GameApp::setFade(2);
  m_popup->SetDisabled(false);
  m_popup->SetVisible(true);
  m_popup->setType(theType);
  m_popup->setParent(this);
  m_profileNeeded = 1;
}

void TitleScreen::ButtonDepress(int theId) {
  if (GameApp::isInFade()) return;
  m_app->PlaySample(SFX_SELECT_PRESS);
  switch (theId) {
    case k_play: {
      ProfileData* aProfile = m_app->getProfileData();
      const bool aGameOn = aProfile != nullptr && aProfile->doesLevelDataExist();
      openPopup(aGameOn ? POPUP_PLAY_MENU : POPUP_DIFFICULTY);
      break;
    }
    case k_options:
      openPopup(POPUP_TITLE_OPTIONS);
      break;
    case k_changePlayer:
      openPopup(POPUP_PROFILES);
      break;
    case k_exit:
      m_app->Shutdown();
      break;
    case k_exitOther:
      m_app->SetExitType(1);
      m_app->Shutdown();
      break;
    default:
      break;
  }
}

void TitleScreen::KeyDown(KeyCode theKey) {
  if (theKey != k_escape) return;
  m_app->PlaySample(SFX_SELECT_PRESS);
  m_app->Shutdown();
}

void TitleScreen::MouseDown(int x, int y, int theClickCount) { Widget::MouseDown(x, y, theClickCount); }

void TitleScreen::resetWelcomeText() {
  m_welcomeText[0] = 0;
  ProfileData* aProfile = m_app->getProfileData();
  if (aProfile == nullptr || aProfile->getTotalProfilesLoaded() == 0) {
    m_profileNeeded = k_profileNeeded;
    GameApp::setFade(2);
  }
}

void TitleScreen::createNewProfile() {
  GameApp::setFade(2);
  m_popup->SetVisible(true);
  m_popup->setType(POPUP_NEW_PROFILE);
  m_popup->setParent(this);
  m_profileNeeded = 0;
}

}  // namespace Tesk

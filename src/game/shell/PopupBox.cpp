// The popup box's model, types and lifecycle: construction, child widgets, visibility and focus,
// the transition to the next screen and the chapter results animation.
#include "game/shell/PopupBox.h"

#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/TitleScreen.h"
#include "graphics/Font.h"
#include "graphics/Image.h"
#include "graphics/ParticleSystem.h"
#include "resources/ImageFont.h"
#include "widgets/Checkbox.h"
#include "widgets/EditWidget.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/Slider.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

const Color PopupBox::k_highlightColor(146, 49, 41);
const Color PopupBox::k_baseColor(36, 12, 10);
const Color PopupBox::k_headerColor(36, 12, 10);
const Color PopupBox::k_baseBottomColor(200, 176, 64);
const Color PopupBox::k_bottomHighlightColor(250, 220, 80);
const Color PopupBox::k_baseNameColor(10, 12, 76);
const Color PopupBox::k_baseCurrentProfileColor(30, 42, 166);
const Color PopupBox::k_baseCurrentProfileHover(200, 32, 22);
const Color PopupBox::k_editWidgetTextColor(250, 220, 80);
const uint16_t PopupBox::s_wandX[3] = {284, 368, 452};

namespace {

// How many of each chapter's six job texts the results panel shows.
const int k_jobLineCounts[12] = {6, 6, 6, 5, 3, 6, 6, 6, 6, 6, 5, 6};
wchar_t** const k_jobTextArrays[12] = {stringJobTexts1, stringJobTexts2,  stringJobTexts3,  stringJobTexts4,
                                       stringJobTexts5, stringJobTexts6,  stringJobTexts7,  stringJobTexts8,
                                       stringJobTexts9, stringJobTexts10, stringJobTexts11, stringJobTexts12};

const unsigned k_resultPause = 110;

}  // namespace

PopupBox::PopupBox(GameApp* theApp)
    : m_boxImage(nullptr),
      m_boxX(0),
      m_boxY(0),
      m_app(theApp),
      m_nameEdit(nullptr),
      m_enterHandled(false),
      m_deleteProfileIndex(0),
      m_musicSlider(nullptr),
      m_soundSlider(nullptr),
      m_fullScreenCheckbox(nullptr),
      m_helpBoxCheckbox(nullptr),
      m_distractionsCheckbox(nullptr),
      m_3DCheckbox(nullptr),
      m_customCursorCheckbox(nullptr),
      m_buttons(),
      m_type(0),
      m_subType(0),
      m_parent(nullptr),
      m_headerText(nullptr),
      m_bodyText(nullptr),
      m_chosenDifficulty(0),
      m_bookTranslate(0.0f),
      m_newRecord(false),
      m_pulse(0.0f),
      m_pulseSpeed(0.0f),
      m_resultState(0),
      m_resultCountdown(0),
      m_resultHintsLeft(0),
      m_resultTimeBonus(0) {}

PopupBox::~PopupBox() {
  delete m_musicSlider;
  delete m_soundSlider;
  delete m_fullScreenCheckbox;
  delete m_helpBoxCheckbox;
  delete m_distractionsCheckbox;
  delete m_3DCheckbox;
  delete m_customCursorCheckbox;
  for (OrvoButtonWidget* aButton : m_buttons) delete aButton;
  delete m_nameEdit;
}

void PopupBox::Init() {
  for (int r = 0; r < 12; ++r) {
    for (int j = 0; j < 6; ++j)
      k_levelJobTexts[r].m_lines[j] = j < k_jobLineCounts[r] ? k_jobTextArrays[r][j] : nullptr;
  }

  const int aThumbHeight = IMAGE_SLIDER_THUMB->GetHeight();
  m_musicSlider = new Slider(IMAGE_SLIDER_TRACK, IMAGE_SLIDER_THUMB, 1, this);
  m_musicSlider->SetValue(m_app->GetMusicVolume());
  m_musicSlider->Resize(376, 226, 180, aThumbHeight);
  m_musicSlider->setThumbYOffset(1);
  m_soundSlider = new Slider(IMAGE_SLIDER_TRACK, IMAGE_SLIDER_THUMB, 2, this);
  m_soundSlider->SetValue(m_app->GetSfxVolume());
  m_soundSlider->Resize(376, 258, 180, aThumbHeight);
  m_soundSlider->setThumbYOffset(1);

  // IMAGE_CHECKBOX holds the unchecked and the checked cell side by side.
  const int aCellWidth = IMAGE_CHECKBOX->GetWidth() / 2;
  const int aCellHeight = IMAGE_CHECKBOX->GetHeight();
  auto aMakeBox = [&](int theId, int x, int y) {
    Checkbox* aBox = new Checkbox(IMAGE_CHECKBOX, IMAGE_CHECKBOX, theId, this);
    aBox->mUncheckedRect = TRect<int>(0, 0, aCellWidth, aCellHeight);
    aBox->mCheckedRect = TRect<int>(aCellWidth, 0, aCellWidth, aCellHeight);
    aBox->Resize(x, y, aCellWidth, aCellHeight);
    return aBox;
  };
  m_fullScreenCheckbox = aMakeBox(3, 330, 282);
  m_helpBoxCheckbox = aMakeBox(1, 290, 310);
  m_distractionsCheckbox = aMakeBox(4, 330, 316);
  m_3DCheckbox = aMakeBox(0, 320, 360);
  m_customCursorCheckbox = aMakeBox(2, 290, 344);

  for (int i = 0; i < 9; ++i) {
    OrvoButtonWidget* aButton = new OrvoButtonWidget(i + 1, this);
    aButton->SetFont(FONT_MEDIUM);
    aButton->mLabel = L"";
    aButton->mDoFinger = true;
    aButton->setFadeIn(false);
    aButton->Resize(0, 0, 0, 0);
    aButton->setFadeFloat(1.0f);
    aButton->centerTextY(2);
    aButton->mIdleTextColor = k_baseColor;
    aButton->SetColor(OrvoButtonWidget::COLOR_BUTTON_TINT, Color::White);
    aButton->SetColor(OrvoButtonWidget::COLOR_HOVER_TINT, Color::White);
    aButton->SetColor(OrvoButtonWidget::COLOR_LABEL, k_highlightColor);
    m_buttons[i] = aButton;
  }

  m_nameEdit = new EditWidget(101, this);
  m_nameEdit->SetFont(FONT_MEDIUM);
  // Its light letters stand on the parchment seen through the field's thin shade: the field's
  // own copy of the type takes the font's outline (the font's other users do not).
  if (auto* aFont = dynamic_cast<ImageFont*>(m_nameEdit->mFont)) {
    aFont->AddTag("outlined");
    aFont->Prepare();
  }
  m_nameEdit->SetColor(EditWidget::COLOR_BKG, Color(0, 0, 0, 80));
  m_nameEdit->SetColor(EditWidget::COLOR_TEXT, k_editWidgetTextColor);
  m_nameEdit->SetColor(EditWidget::COLOR_HILITE, Color::White);
  m_nameEdit->SetColor(EditWidget::COLOR_HILITE_TEXT, Color(255, 0, 0));
  // The profile file keeps ten characters and a terminator.
  m_nameEdit->mMaxChars = 10;
  const int aHeight = 2 * m_nameEdit->mFont->GetAscent();
  m_nameEdit->Resize(300, 300 - aHeight / 2, 200, aHeight);
}

void PopupBox::setType(unsigned char theType) {
  if (theType <= 99) {
    m_type = theType;
    m_subType = 0;
  } else {
    m_subType = theType;
  }
  m_boxImage = GameApp::s_images[theType == POPUP_CHAPTER_COMPLETE ? 19 : 20];
  if (m_subType == 0) {
    setSize();
    return;
  }
  // A transition lays nothing out; the callers have hidden the popup already.
  Resize(0, 0, 800, 600);
  if (m_boxImage != nullptr) {
    m_boxX = static_cast<uint16_t>(400 - m_boxImage->GetWidth() / 2);
    m_boxY = static_cast<uint16_t>(300 - m_boxImage->GetHeight() / 2);
  }
  setWidgetsVisible(false);
  if (manager() != nullptr) manager()->SetFocus(this);
}

void PopupBox::setWidgetsVisible(bool show) {
  Widget* const aChildren[] = {
      m_buttons[0],  m_buttons[1],          m_buttons[2],         m_buttons[3],      m_buttons[4],
      m_buttons[5],  m_buttons[6],          m_buttons[7],         m_buttons[8],      m_nameEdit,
      m_musicSlider, m_soundSlider,         m_fullScreenCheckbox, m_helpBoxCheckbox, m_distractionsCheckbox,
      m_3DCheckbox,  m_customCursorCheckbox};
  for (Widget* aChild : aChildren) {
    if (aChild == nullptr) continue;
    aChild->SetVisible(show);
    aChild->SetDisabled(!show);
  }
  if (show && manager() != nullptr) manager()->SetFocus(this);
}

void PopupBox::SetVisible(bool isVisible) {
  Widget::SetVisible(isVisible);
  setWidgetsVisible(isVisible);
  if (isVisible) return;
  // Only the title screen takes the keyboard back; the other screens keep theirs as it is.
  TitleScreen* aTitle = dynamic_cast<TitleScreen*>(m_parent);
  if (aTitle != nullptr && aTitle->mWidgetManager != nullptr) aTitle->mWidgetManager->SetFocus(aTitle);
}

void PopupBox::AddedToManager(WidgetManager* theManager) {
  Widget::AddedToManager(theManager);
  // The children are the popup's siblings, added after it so that they lie in front of it.
  Widget* const aControls[] = {m_musicSlider,         m_soundSlider,          m_fullScreenCheckbox,
                               m_helpBoxCheckbox,     m_distractionsCheckbox, m_3DCheckbox,
                               m_customCursorCheckbox};
  for (Widget* aControl : aControls)
    if (aControl != nullptr) theManager->AddWidget(aControl);
  for (OrvoButtonWidget* aButton : m_buttons) {
    if (aButton == nullptr) continue;
    aButton->mIdleTextColor = k_baseColor;
    theManager->AddWidget(aButton);
  }
  if (m_nameEdit != nullptr) theManager->AddWidget(m_nameEdit);
  m_boxImage = GameApp::s_images[20];
  setWidgetsVisible(false);
}

void PopupBox::RemovedFromManager(WidgetManager* theManager) {
  Widget* const aChildren[] = {m_musicSlider,
                               m_soundSlider,
                               m_fullScreenCheckbox,
                               m_helpBoxCheckbox,
                               m_distractionsCheckbox,
                               m_3DCheckbox,
                               m_customCursorCheckbox,
                               m_buttons[0],
                               m_buttons[1],
                               m_buttons[2],
                               m_buttons[3],
                               m_buttons[4],
                               m_buttons[5],
                               m_buttons[6],
                               m_buttons[7],
                               m_buttons[8],
                               m_nameEdit};
  for (Widget* aChild : aChildren)
    if (aChild != nullptr) theManager->RemoveWidget(aChild);
  Widget::RemovedFromManager(theManager);
}

void PopupBox::Update() {
  Widget::Update();
  if (m_type == POPUP_CHAPTER_COMPLETE) updateLevelCompleted();

  // The screen is black and the popup still holds the keyboard: start the next screen. The
  // started screen takes the focus, which ends this; the sub-type stays until the next layout.
  if (GameApp::getFadeColor() != 0 || m_subType < POPUP_TO_MAP || m_subType > POPUP_TO_SAVED_MINI_GAME)
    return;
  WidgetManager* aManager = manager();
  if (aManager == nullptr || aManager->mFocusWidget != this) return;
  switch (m_subType) {
    case POPUP_TO_MAP:
    case POPUP_TO_MAP_2:
      m_app->StartMap(m_parent);
      break;
    case POPUP_TO_TITLE:
      m_app->StartTitleScreen(m_parent);
      break;
    case POPUP_TO_LEVEL_INTRO:
      m_app->StartLevelIntro(m_parent);
      break;
    case POPUP_TO_STORY:
      m_app->StartStory(m_parent);
      break;
    case POPUP_TO_POTION_GAME:
      m_app->StartMiniGame(m_parent, 2);
      break;
    case POPUP_TO_CHANT_GAME:
      m_app->StartMiniGame(m_parent, 1);
      break;
    case POPUP_TO_STORY_FINALLY:
      m_app->StartStoryFinally(m_parent);
      break;
    case POPUP_TO_CREDITS:
      m_app->StartCredits(m_parent);
      break;
    case POPUP_TO_HOW_TO_PLAY_INGAME:
      m_app->StartHowToPlayIngame(m_parent);
      break;
    case POPUP_TO_SAVED_MINI_GAME:
      m_app->StartMiniGameSaved(m_parent);
      break;
    default:
      break;
  }
}

void PopupBox::updateLevelCompleted() {
  int aNext = -1;
  switch (m_resultState) {
    case 0:
      m_bookTranslate += k_bookTranslateSpeed;
      if (static_cast<int>(m_bookTranslate) > 0) {
        m_bookTranslate = 0.0f;
        m_resultCountdown = k_resultPause;
        aNext = 1;
      }
      break;
    case 1:
      if (--m_resultCountdown == 0) {
        m_resultCountdown = k_resultPause;
        aNext = m_resultHintsLeft != 0 ? 2 : static_cast<int>(resultStateAfterHints());
      }
      break;
    case 2:
      if (--m_resultCountdown == 0) {
        m_resultCountdown = k_resultPause;
        m_resultHintsLeft = m_resultHintsLeft - 1;
        if (m_resultHintsLeft >= 0) awardHint();
      }
      if (m_resultHintsLeft < 0) aNext = static_cast<int>(resultStateAfterHints());
      break;
    case 3:
    case 4:
      if (--m_resultCountdown == 0) {
        m_resultCountdown = k_resultPause;
        aNext = m_resultState == 3 && m_app->getProfileData()->getLevelGradePlus() ? 4 : 5;
      }
      break;
    case 5:
      m_pulse += m_pulseSpeed;
      if (m_pulse >= 1.0f) {
        m_pulse = 1.0f;
        m_pulseSpeed = -m_pulseSpeed;
      } else if (m_pulse <= 0.0f) {
        m_pulse = 0.0f;
        m_pulseSpeed = -m_pulseSpeed;
      }
      break;
    default:
      break;
  }
  if (aNext >= 0) enterResultState(static_cast<unsigned>(aNext));
}

unsigned PopupBox::resultStateAfterHints() {
  if (m_resultTimeBonus) return 3;
  return m_app->getProfileData()->getLevelGradePlus() ? 4 : 5;
}

void PopupBox::enterResultState(unsigned theState) {
  m_resultState = theState;
  switch (theState) {
    case 2:
      m_resultHintsLeft = m_resultHintsLeft - 1;
      awardHint();
      break;
    case 3: {
      burstOverBonusLine(stringTimeBonus, false);
      ProfileData* aProfile = m_app->getProfileData();
      aProfile->setLevelGrade(aProfile->getLevelGrade() + 0.5f);
      playSample(SFX_GRADE_UP);
      break;
    }
    case 4:
      burstOverBonusLine(stringAllObjectsFoundTitle, true);
      m_app->getProfileData()->setLevelGradePlusDisplayed();
      playSample(SFX_GRADE_UP);
      break;
    default:
      break;
  }
}

void PopupBox::awardHint() {
  PARTICLE::createSystem(280, 258, 23, IMAGE_REVEAL_ICON->GetWidth(), IMAGE_REVEAL_ICON->GetHeight(),
                         nullptr);
  ProfileData* aProfile = m_app->getProfileData();
  aProfile->setLevelGrade(aProfile->getLevelGrade() + 0.5f);
  playSample(SFX_GRADE_UP);
}

void PopupBox::burstOverBonusLine(const wchar_t* theText, bool theCutForRussian) {
  int aWidth = FONT_SMALL->StringWidth(theText != nullptr ? theText : L"");
  if (theCutForRussian && TeskAppBase::s_languageUsing == 1 && aWidth > 100) aWidth = 100;
  const int anAscent = FONT_SMALL->GetAscent();
  PARTICLE::createSystem(260 + aWidth / 2, 251 + anAscent / 2, 23, aWidth, anAscent, nullptr);
}

bool PopupBox::isHint() {
  return m_type == POPUP_HELP_POTION || m_type == POPUP_HELP_CHANT || m_type == POPUP_FIRST_HELP_POTION ||
         m_type == POPUP_FIRST_HELP_CHANT || (m_type >= 50 && m_type <= 99);
}

WidgetManager* PopupBox::manager() {
  if (mWidgetManager != nullptr) return mWidgetManager;
  return m_app != nullptr ? m_app->mWidgetManager : nullptr;
}

void PopupBox::playSample(int theSoundId) { m_app->PlaySample(theSoundId); }

}  // namespace Tesk

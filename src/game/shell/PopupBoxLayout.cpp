// The popup box's layout per type: the heading and body, and which buttons, sliders, check
// boxes and name field a type shows, where and with which labels.
#include "game/shell/GameApp.h"
#include "game/shell/GameStrings.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Font.h"
#include "graphics/Image.h"
#include "widgets/Checkbox.h"
#include "widgets/EditWidget.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/Slider.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

namespace {

// The gap between list rows as a fraction of the font's ascent.
const float ySpacing = 0.7f;

// Heading and body of each laid-out type, as the addresses of their string globals (the texts
// are read at run time). A null body leaves the body as it was: the type draws none.
struct TypeTexts {
  wchar_t* const* mHeader;
  wchar_t* const* mBody;
};

TypeTexts textsOfType(unsigned theType) {
  switch (theType) {
    case POPUP_PLAY_MENU:
      return {&stringPopupHeaderBasic1, nullptr};
    case POPUP_DIFFICULTY:
      return {&stringChooseDiff, nullptr};
    case POPUP_HELP_OPTIONS:
      return {&stringHelpOptions, nullptr};
    case POPUP_3D_OPTIONS:
      return {&stringToggleOptions, nullptr};
    case POPUP_TITLE_OPTIONS:
    case POPUP_GAME_OPTIONS:
      return {&stringPopupOptions, nullptr};
    case POPUP_CONFIRM_OVERWRITE:
      return {&stringRUSure, &stringRUSureOverwriteContinue};
    case POPUP_STORY_LENGTH:
      return {&stringStoryType, &stringStoryTypeInfo};
    case POPUP_UNLOCKABLES:
      return {&stringUnlockables, nullptr};
    case POPUP_NEW_PROFILE:
      return {&stringProfileEntry1, nullptr};
    case POPUP_PROFILES:
      return {&stringSelectProfileMenu, nullptr};
    case POPUP_DELETE_PROFILE:
      return {&stringDeleteProfileMenu, nullptr};
    case POPUP_ALL_OBJECTS_FOUND:
      return {&stringGoodJob, &stringAllObjectsFound};
    case POPUP_LOCATION_DONE:
      return {&stringGoodJob, &stringAllLocationObjsFound};
    case POPUP_CONFIRM_DELETE:
      return {&stringRUSure, &stringRUSureDelete};
    case POPUP_CONFIRM_EXIT:
      return {&stringRUSure, &stringRUSureExitIngame};
    case POPUP_LEVEL_FAILED:
      return {&stringLevelFailed, nullptr};
    case POPUP_ALL_RUNESTONES:
      return {&stringGreatJob, &stringAllRunestonesFound};
    case POPUP_CHAPTER_OBJECTS_FOUND:
      return {&stringGreatJob, &stringAllChapterObjectsFound};
    case POPUP_NAME_EXISTS:
      return {&stringNameError, &stringNameAlreadyExists};
    case POPUP_NAME_EMPTY:
      return {&stringNameError, &stringErrorEmpty};
    case POPUP_PROFILE_ERROR:
      return {&stringProfileError, &stringCreateProfileError};
    case POPUP_NO_WINDOW_TITLE:
    case POPUP_NO_WINDOW_GAME:
      return {&stringWindowSupportError, &stringNoWindowSupportError};
    case POPUP_HELP_POTION:
      return {&stringHelp, &stringHelpMatchGame};
    case POPUP_HELP_CHANT:
      return {&stringHelp, &stringHelpWordComplete};
    case POPUP_HIGH_SCORES:
      return {&stringHighScores, nullptr};
    case POPUP_MAP_UNLOCKED:
      return {&stringMapUnlocked, &stringMapUnlockedInfo};
    case POPUP_WANDS_UNLOCKED:
      return {&stringWandsUnlocked, &stringWandsUnlockedInfo};
    case POPUP_EXTRA_HARD_UNLOCKED:
      return {&stringHardUnlocked, &stringHardUnlockedInfo};
    case POPUP_WANDS_UNLOCKED_2:
      return {&stringWandsUnlocked, &stringWandsUnlockedInfo2};
    case POPUP_FIRST_HELP_POTION:
      return {&stringHelp, &stringHelpMatchGame1stTime};
    case POPUP_FIRST_HELP_CHANT:
      return {&stringHelp, &stringHelpWordComplete1stTime};
    case POPUP_HINT_WELCOME:
      return {&stringHint, &stringHintWelcomeZq};
    case POPUP_HINT_FIND_OBJECTS:
      return {&stringHint, &stringHintFindObjects};
    case POPUP_HINT_FOUND_FIRST_OBJ:
      return {&stringHint, &stringHintFoundFirstObj};
    case POPUP_HINT_FIND_COINS:
      return {&stringHint, &stringHintFindCoins};
    case POPUP_HINT_FOUND_FIRST_COIN:
      return {&stringHint, &stringHintFoundFirstCoin};
    case POPUP_HINT_QUICKFIND:
      return {&stringHint, &stringHintQuickfind};
    case POPUP_HINT_FIRST_QUICKFIND:
      return {&stringHint, &stringHintFirstQuickfind};
    case POPUP_HINT_FAILED_PRESS:
      return {&stringWarning, &stringHintFailedPress};
    case POPUP_HINT_SHORT_TIME:
      return {&stringWarning, &stringHintShortTime};
    case POPUP_HINT_ENOUGH_OBJECTS_FOUND:
      return {&stringHint, &stringHintEnoughObjectsFound};
    case POPUP_HINT_REPEATED_MATCH3:
      return {&stringHint, &stringHintRepeatedMatch3};
    case POPUP_HINT_USING_REPEL:
      return {&stringHint, &stringHintUsingRepel};
    case POPUP_HINT_USING_REPEL2:
      return {&stringHint, &stringHintUsingRepel2};
    case POPUP_HINT_USING_REPEL_POWERUP:
      return {&stringHint, &stringHintUsingRepelPowerup};
    case POPUP_HINT_CHANT_HINT:
      return {&stringHint, &stringHintChantHint};
    case POPUP_HINT_CHANT_FAILED:
      return {&stringChantFailed, &stringHintChantFailed};
    case POPUP_HINT_RUNESTONES:
      return {&stringHint, &stringHintRunestones};
    case POPUP_HINT_FIRST_REPEL_FOUND:
      return {&stringHint, &stringHintFirstRepelFound};
    case POPUP_HINT_CHANT_CANNOT_ADD_MORE:
      return {&stringHint, &stringHintChantCannotAddMore};
    case POPUP_HINT_MAP_BUTTON:
      return {&stringHint, &stringHintMapButton};
    case POPUP_HINT_DONT_WASTE_REVEALS:
      return {&stringHint, &stringHintDontWastReveals};
    case POPUP_HINT_DUNGEON:
      return {&stringHint, &stringHintDungeon};
    case POPUP_HINT_CLICKED_ON_DISTRACTION:
      return {&stringHint, &stringHintClickedOnDistraction};
    case POPUP_HINT_COIN_REMINDER:
      return {&stringHint, &stringHintCoinReminder};
    case POPUP_HINT_INGREDIENTS_DONT_MOVE:
      return {&stringHint, &stringHintIngrediantsDontMove};
    case POPUP_HINT_CUSTOM_CURSOR:
      return {&stringHint, &stringHintCustomCursor};
    default:
      return {nullptr, nullptr};
  }
}

void showControl(Widget* theControl) {
  theControl->SetVisible(true);
  theControl->SetDisabled(false);
}

// Sets a check box's state without telling the popup.
void setChecked(Checkbox* theBox, bool checked) {
  theBox->mChecked = checked;
  theBox->MarkDirty();
}

}  // namespace

void PopupBox::setSize() {
  // One popup replacing another over the dimmed scene makes no sound; hints always chime.
  if (!GameApp::isFaded50() && !isHint()) {
    playSample(SFX_POPUPBOX_APPEAR);
  } else if (isHint()) {
    playSample(SFX_HINT);
  }
  Resize(0, 0, 800, 600);
  m_boxX = static_cast<uint16_t>(400 - m_boxImage->GetWidth() / 2);
  m_boxY = static_cast<uint16_t>(300 - m_boxImage->GetHeight() / 2);
  setWidgetsVisible(false);
  if (manager() != nullptr) manager()->SetFocus(this);

  const int h = m_buttons[0]->mFont->GetAscent();
  const TypeTexts aTexts = textsOfType(m_type);
  if (aTexts.mHeader != nullptr) m_headerText = *aTexts.mHeader;
  if (aTexts.mBody != nullptr) m_bodyText = *aTexts.mBody;

  ProfileData* aProfile = m_app->getProfileData();
  auto aBottom = [&](int theIndex, const wchar_t* theLabel) {
    setBottomButton(theIndex, h, theLabel, IMAGE_OPTIONS_BOTTOM_BUTTON, IMAGE_OPTIONS_BOTTOM_BUTTON_HI);
  };
  auto aList = [&](int theIndex, int theCount, const wchar_t* theLabel, int theDown) {
    setButton(theIndex, theCount, h, theLabel);
    m_buttons[theIndex]->mY += theDown;
  };

  switch (m_type) {
    case POPUP_PLAY_MENU:
      aList(0, 2, stringNewGame, 0);
      aList(1, 2, stringContinue, 0);
      aBottom(2, stringBack);
      break;
    case POPUP_DIFFICULTY: {
      const bool anExtraHard = aProfile->isExtraHardDiffUnlocked();
      const int n = anExtraHard ? 3 : 2;
      aList(0, n, stringDiff1, 0);
      aList(1, n, stringDiff2, 0);
      if (anExtraHard) aList(2, 3, stringDiff3, 0);
      aBottom(n, stringBack);
      break;
    }
    case POPUP_HELP_OPTIONS:
      aList(6, 9, stringHowToPlay, 44);
      aList(7, 9, string3DToggle, 44);
      aBottom(8, stringBack);
      setChecked(m_helpBoxCheckbox, aProfile->getHelpBox());
      showControl(m_helpBoxCheckbox);
      setChecked(m_customCursorCheckbox, GameApp::s_isUsingCustomCursor);
      showControl(m_customCursorCheckbox);
      break;
    case POPUP_3D_OPTIONS:
      aBottom(1, stringBack);
      setChecked(m_3DCheckbox, m_app->is3DEnabled());
      showControl(m_3DCheckbox);
      break;
    case POPUP_TITLE_OPTIONS:
    case POPUP_GAME_OPTIONS:
      if (m_type == POPUP_TITLE_OPTIONS) {
        aList(4, 9, stringCredits, 48);
        aList(5, 9, stringHighScores, 48);
        aBottom(6, stringBack);
      } else {
        aList(5, 9, stringHelp, 48);
        aList(6, 9, stringUnlockables, 48);
        aList(7, 9, stringExitGame, 48);
        aBottom(8, stringReturnToGame);
        setChecked(m_distractionsCheckbox, aProfile->getDistractionsOff());
        showControl(m_distractionsCheckbox);
      }
      showControl(m_musicSlider);
      showControl(m_soundSlider);
      setChecked(m_fullScreenCheckbox, !m_app->mIsWindowed);
      showControl(m_fullScreenCheckbox);
      break;
    case POPUP_CONFIRM_OVERWRITE:
    case POPUP_CONFIRM_DELETE:
    case POPUP_CONFIRM_EXIT:
      aList(4, 6, stringYes, 0);
      aList(5, 6, stringNo, 0);
      break;
    case POPUP_STORY_LENGTH:
      aList(4, 6, stringStoryLongName, 0);
      aList(5, 6, stringStoryShortName, 0);
      break;
    case POPUP_UNLOCKABLES:
      if (aProfile->isOtherMapUnlocked()) aList(1, 6, stringMapUsingToggle[aProfile->getMapUsing()], 0);
      aBottom(2, stringBack);
      break;
    case POPUP_NEW_PROFILE:
      aList(5, 6, stringCreateProfile, 0);
      m_nameEdit->SetText(L"", true);
      showControl(m_nameEdit);
      if (manager() != nullptr) manager()->SetFocus(m_nameEdit);
      break;
    case POPUP_PROFILES:
    case POPUP_DELETE_PROFILE: {
      const int k = aProfile->getTotalProfilesLoaded();
      for (int aSlot = 0, b = 0; aSlot < ProfileData::k_maxProfiles && b < k; ++aSlot) {
        if (!aProfile->doesProfileExist(aSlot)) continue;
        setNameButton(b++, h, aProfile->getProfileName(aSlot));
      }
      if (m_type == POPUP_PROFILES) {
        aList(k + 1, k + 3, stringCreateNewProfileMenu, 0);
        aList(k + 2, k + 3, stringDeleteProfileMenu, 0);
        aBottom(k + 3, stringBack);
      } else {
        aBottom(k, stringBack);
      }
      break;
    }
    case POPUP_ALL_OBJECTS_FOUND:
      aList(4, 6, stringContinueSearching, 60);
      aList(5, 6, stringExitToMinigame, 64);
      break;
    case POPUP_LOCATION_DONE:
      aBottom(0, stringOK);
      break;
    case POPUP_CHAPTER_COMPLETE: {
      m_resultState = 0;
      m_resultHintsLeft = 0;
      m_resultTimeBonus = 0;
      for (int i = 0; i < 5; ++i)
        if (aProfile->isHintAvailable(i)) m_resultHintsLeft = m_resultHintsLeft + 1;
      m_bookTranslate = -540.0f;
      m_pulse = 0.0f;
      m_pulseSpeed = k_pulseSpeed;
      composeLevelCompleteTexts();
      break;
    }
    case POPUP_LEVEL_FAILED:
      aList(4, 6, stringTryAgain, 40);
      aList(5, 6, stringExitToMenu, 44);
      m_bodyText =
          aProfile->getLevelOn() <= 12 ? stringLevelFailedDetails : stringLevelFailedLastLevelDetails;
      break;
    case POPUP_ALL_RUNESTONES:
    case POPUP_CHAPTER_OBJECTS_FOUND:
      aBottom(0, stringContinue);
      break;
    case POPUP_NAME_EXISTS:
    case POPUP_NAME_EMPTY:
    case POPUP_PROFILE_ERROR:
    case POPUP_NO_WINDOW_TITLE:
    case POPUP_NO_WINDOW_GAME:
    case POPUP_HIGH_SCORES:
    case POPUP_MAP_UNLOCKED:
    case POPUP_WANDS_UNLOCKED:
    case POPUP_EXTRA_HARD_UNLOCKED:
    case POPUP_WANDS_UNLOCKED_2:
      aBottom(0, stringBack);
      break;
    case POPUP_HELP_POTION:
    case POPUP_HELP_CHANT:
    case POPUP_FIRST_HELP_POTION:
    case POPUP_FIRST_HELP_CHANT:
      aList(4, 6, stringHowToPlay, 55);
      // In the first two chapters only How to Play closes the help.
      if (aProfile->getLevelOn() > 2) aBottom(0, stringOK);
      break;
    default:
      if (m_type >= POPUP_HINT_WELCOME && m_type <= POPUP_HINT_CUSTOM_CURSOR) aBottom(0, stringOK);
      break;
  }
}

void PopupBox::setButton(const int& theIndex, const int& theCount, const int& theFontHeight,
                         const wchar_t* theLabel) {
  OrvoButtonWidget* aButton = m_buttons[theIndex];
  const int aWidth = aButton->mFont->StringWidth(theLabel);
  if (aWidth <= 46) {
    aButton->mButtonImage = IMAGE_OPTIONS_BUTTON_SMALL;
    aButton->mHoverImage = IMAGE_OPTIONS_BUTTON_SMALL_HI;
  } else if (aWidth <= 98) {
    aButton->mButtonImage = IMAGE_OPTIONS_BUTTON_MED;
    aButton->mHoverImage = IMAGE_OPTIONS_BUTTON_MED_HI;
  } else {
    aButton->mButtonImage = IMAGE_OPTIONS_BUTTON_LARGE;
    aButton->mHoverImage = IMAGE_OPTIONS_BUTTON_LARGE_HI;
  }
  aButton->mLabel = theLabel;
  aButton->mIdleTextColor = k_baseColor;
  aButton->SetColor(OrvoButtonWidget::COLOR_LABEL, k_highlightColor);
  const int y = getYTextLoc(theIndex, static_cast<float>(theCount), static_cast<float>(theFontHeight), 300);
  const int aPicWidth = aButton->mButtonImage->GetWidth();
  aButton->Resize(400 - aPicWidth / 2, y, aPicWidth, aButton->mButtonImage->GetHeight());
  showControl(aButton);
}

void PopupBox::setBottomButton(const int& theIndex, const int& theFontHeight, const wchar_t* theLabel,
                               const Image* theImage, const Image* theOverImage) {
  OrvoButtonWidget* aButton = m_buttons[theIndex];
  aButton->mLabel = theLabel;
  aButton->mButtonImage = const_cast<Image*>(theImage);
  aButton->mHoverImage = const_cast<Image*>(theOverImage);
  aButton->mIdleTextColor = k_baseBottomColor;
  aButton->SetColor(OrvoButtonWidget::COLOR_LABEL, k_bottomHighlightColor);
  const int aWidth = theImage->GetWidth();
  aButton->Resize(400 - aWidth / 2, m_boxY + getBottomYLoc(m_boxImage, theFontHeight), aWidth,
                  theImage->GetHeight());
  showControl(aButton);
}

void PopupBox::setNameButton(const int& theIndex, const int& theFontHeight, const wchar_t* theName) {
  OrvoButtonWidget* aButton = m_buttons[theIndex];
  aButton->mLabel = theName;
  aButton->mButtonImage = nullptr;
  aButton->mHoverImage = nullptr;
  aButton->SetColor(OrvoButtonWidget::COLOR_LABEL, k_baseCurrentProfileHover);
  const bool isCurrent = aButton->mLabel == m_app->getProfileData()->getProfileName();
  aButton->mIdleTextColor = isCurrent ? k_baseCurrentProfileColor : k_baseNameColor;
  const int aWidth = aButton->mFont->StringWidth(aButton->mLabel);
  aButton->Resize(400 - aWidth / 2, 226 + theIndex * (theFontHeight + 10), aWidth, theFontHeight);
  showControl(aButton);
}

int PopupBox::getYTextLoc(const int& theRow, float theCount, float theFontHeight, const int& theCentreY) {
  // Rows of pitch s, the column of theCount of them centred on theCentreY.
  const float s = theFontHeight * ySpacing + theFontHeight;
  return static_cast<int>(static_cast<float>(theRow) * s + (theCentreY + s * theCount / -2.0));
}

int PopupBox::getBottomYLoc(Image* theBox, int theFontHeight) {
  return theBox->GetHeight() - theFontHeight - 26;
}

}  // namespace Tesk

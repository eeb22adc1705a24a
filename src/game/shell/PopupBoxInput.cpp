// The popup box's input: clicks, keys, the name field, check boxes and sliders, and profile
// creation.
#include "game/play/InGame.h"
#include "game/play/LevelDynamics.h"
#include "game/play/Math.h"
#include "game/shell/AppAccess.h"
#include "game/shell/GameApp.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/TitleScreen.h"
#include "widgets/Checkbox.h"
#include "widgets/EditWidget.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/Slider.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

void PopupBox::MouseDown(int x, int y, int theClickCount) {
  ProfileData* aProfile = m_app->getProfileData();
  // The wand is chosen even while the popup is still fading in.
  if (theClickCount == 1 && m_type == POPUP_UNLOCKABLES && aProfile->areWandsUnlocked()) {
    for (int w = 0; w < 3; ++w) {
      if (!MATH::BBPointTest(x, y, s_wandX[w], 312, 64, 64)) continue;
      setWandCursor(m_app, w);
      aProfile->setWandUsing(w);
    }
  }
  if (GameApp::isInFade()) return;
  Widget::MouseDown(x, y, theClickCount);
  if (theClickCount != 1 || m_type != POPUP_CHAPTER_COMPLETE || m_resultState != 5) return;

  playSample(SFX_SELECT_PRESS);
  SetVisible(false);
  GameApp::setFade(1);
  setType(POPUP_TO_LEVEL_INTRO);
  aProfile->updateAvgGrade();
  // The whole seconds the chapter took.
  aProfile->updateGameTotalTime(static_cast<int>(hundredthsTaken() / 100u));
  aProfile->advanceLevelOn();
  aProfile->setHasSaveFile(false);
  aProfile->setSaveInMinigame(false);
  aProfile->saveProfile();
}

void PopupBox::KeyChar(wchar_t theChar) {
  // The key after an Enter the name field has handled belongs to that Enter: it must not close
  // the error box the Enter opened.
  if (m_enterHandled) {
    m_enterHandled = false;
    return;
  }
  if (theChar != 13) return;
  if (m_type == POPUP_NAME_EXISTS || m_type == POPUP_NAME_EMPTY) {
    playSample(SFX_ERROR);
    setType(POPUP_NEW_PROFILE);
  } else if (m_type == POPUP_PROFILE_ERROR) {
    playSample(SFX_ERROR);
    setType(POPUP_PROFILES);
  }
}

void PopupBox::EditWidgetText(int, const TeskString&) {
  m_enterHandled = true;
  wordEnterPressed();
}

bool PopupBox::AllowChar(int, wchar_t theChar) {
  switch (theChar) {
    case L'#':
    case L'$':
    case L'%':
    case L'&':
    case L'(':
    case L')':
    case L'*':
    case L'+':
    case L'-':
    case L'.':
    case L':':
    case L'@':
    case L'^':
      return false;
    default:
      return true;
  }
}

void PopupBox::wordEnterPressed() {
  if (m_type != POPUP_NEW_PROFILE) return;
  ProfileData* aProfile = m_app->getProfileData();
  const TeskString aName = m_nameEdit->mText;
  if (aProfile->doesNameExist(aName.c_str())) {
    playSample(SFX_ERROR);
    setType(POPUP_NAME_EXISTS);
    return;
  }
  if (aName.empty()) {
    playSample(SFX_ERROR);
    setType(POPUP_NAME_EMPTY);
    return;
  }
  const int aSlot = aProfile->getNextAvailableProfile();
  if (aSlot < 0) {
    // Every slot is taken: say so rather than write over the profile in use.
    playSample(SFX_ERROR);
    setType(POPUP_PROFILE_ERROR);
    return;
  }
  aProfile->setProfileUsing(aSlot);
  // A slot freed by a deletion still holds the old player's progress.
  aProfile->clearProfileUsing();
  playSample(SFX_START_GAME);
  aProfile->setProfileName(aName.c_str());
  m_nameEdit->SetVisible(false);
  m_nameEdit->SetDisabled(true);
  TitleScreen* aTitle = dynamic_cast<TitleScreen*>(m_parent);
  if (aTitle != nullptr) aTitle->resetWelcomeText();
  changeProfile();
  GameApp::setFade(0);
  SetVisible(false);
}

void PopupBox::changeProfile() {
  ProfileData* aProfile = m_app->getProfileData();
  setWandCursor(m_app, aProfile->getWandUsing());
  const TeskString aCurrent = aProfile->getProfileName();
  const int aCount = aProfile->getTotalProfilesLoaded();
  for (int b = 0; b < aCount; ++b)
    m_buttons[b]->mIdleTextColor =
        m_buttons[b]->mLabel == aCurrent ? k_baseCurrentProfileColor : k_baseNameColor;
}

void PopupBox::CheckboxChecked(int theId, bool checked) {
  ProfileData* aProfile = m_app->getProfileData();
  if (theId == m_fullScreenCheckbox->mId) {
    if (m_app->mForceFullscreen && !checked) {
      m_fullScreenCheckbox->mChecked = true;
      m_fullScreenCheckbox->MarkDirty();
      playSample(SFX_ERROR);
      setType(m_type == POPUP_TITLE_OPTIONS ? POPUP_NO_WINDOW_TITLE : POPUP_NO_WINDOW_GAME);
      return;
    }
    playSample(SFX_CHECK);
    m_app->SwitchScreenMode(!checked);
    // The children join the manager again over the new screen, and the page is laid out anew.
    WidgetManager* aManager = mWidgetManager;
    if (aManager != nullptr) {
      RemovedFromManager(aManager);
      AddedToManager(aManager);
    }
    setType(m_type);
  } else if (theId == m_helpBoxCheckbox->mId) {
    playSample(SFX_CHECK);
    m_helpBoxCheckbox->mChecked = checked;
    aProfile->setHelpBox(checked);
  } else if (theId == m_customCursorCheckbox->mId) {
    playSample(SFX_CHECK);
    m_customCursorCheckbox->mChecked = checked;
    GameApp::s_isUsingCustomCursor = checked;
    m_app->EnableCustomCursors(checked);
    aProfile->setHintBlock(24);
  } else if (theId == m_distractionsCheckbox->mId) {
    playSample(SFX_CHECK);
    m_distractionsCheckbox->mChecked = checked;
    aProfile->setDistractionsOff(checked);
    if (m_app->ingameInLocation()) InGame::m_levelDynamics.toggleDistractions(checked, m_app);
  } else if (theId == m_3DCheckbox->mId) {
    playSample(SFX_CHECK);
    m_3DCheckbox->mChecked = checked;
    m_app->SwitchScreenMode3D(checked);
  }
}

void PopupBox::SliderVal(int theId, double theValue) {
  if (theId == 1) {
    m_app->SetMusicVolume(theValue);
  } else if (theId == 2) {
    m_app->SetSfxVolume(theValue);
    // Heard once, at the new level, when the thumb is let go.
    if (!m_soundSlider->mDragging) playSample(SFX_SELECT_PRESS);
  }
}

}  // namespace Tesk

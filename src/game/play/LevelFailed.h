// The level-failed popup that the play scene and the mini-game open when the player's time runs out.
#pragma once

#include "game/shell/AppAccess.h"
#include "game/shell/GameApp.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"

namespace Tesk {

// Fills theScreen's popup, already shown, with the level-failed box over the dimmed scene; the
// save is dropped, as a failed level starts over. The screens show the popup each in their own
// order, as that order decides what the pointer passes over on the way.
template <class Screen>
void showLevelFailed(Screen& theScreen) {
  PopupBox* aPopup = theScreen.m_popup;
  GameApp::setFade(3);
  if (aPopup != nullptr) aPopup->setType(POPUP_LEVEL_FAILED);
  playSampleOf(theScreen.m_app, SFX_LEVEL_FAILED_SOUND);
  if (ProfileData* aProfile = profileOf(theScreen.m_app)) {
    aProfile->setHasSaveFile(false);
    aProfile->setSaveInMinigame(false);
  }
  if (aPopup != nullptr) aPopup->setParent(&theScreen);
  theScreen.setWidgetsVisible(true);
}

}  // namespace Tesk

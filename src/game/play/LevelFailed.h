// What the map, the play scene and the mini-game do when the player's time runs out.
#pragma once

#include "game/shell/AppAccess.h"
#include "game/shell/GameApp.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"

namespace Tesk {

// The failed level's sound, and its save dropped: a failed level starts over.
inline void forgetFailedLevel(GameApp* theApp) {
  playSampleOf(theApp, SFX_LEVEL_FAILED_SOUND);
  if (ProfileData* aProfile = profileOf(theApp)) {
    aProfile->setHasSaveFile(false);
    aProfile->setSaveInMinigame(false);
  }
}

// Fills theScreen's popup, already shown, with the level-failed box over the dimmed scene. The
// screens show the popup each in their own order, as that order decides what the pointer passes
// over on the way.
template <class Screen>
void showLevelFailed(Screen& theScreen) {
  PopupBox* aPopup = theScreen.m_popup;
  GameApp::setFade(3);
  if (aPopup != nullptr) aPopup->setType(POPUP_LEVEL_FAILED);
  forgetFailedLevel(theScreen.m_app);
  if (aPopup != nullptr) aPopup->setParent(&theScreen);
  theScreen.setWidgetsVisible(true);
}

}  // namespace Tesk

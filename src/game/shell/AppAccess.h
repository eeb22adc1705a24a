// What the screens ask of the application through a pointer that tests may leave null.
#pragma once

#include "game/shell/GameApp.h"

namespace Tesk {

class ProfileData;

// The player's profile; null without an application.
inline ProfileData* profileOf(GameApp* theApp) {
  return theApp != nullptr ? theApp->getProfileData() : nullptr;
}

// A sound, when there is an application to play it.
inline void playSampleOf(GameApp* theApp, int theSoundId) {
  if (theApp != nullptr) theApp->PlaySample(theSoundId);
}

// Wand theWand's cursor (0-3; none past them) for the pointer at rest and pressed.
inline void setWandCursor(GameApp* theApp, int theWand) {
  if (theApp == nullptr) return;
  Image* aCursor = theWand >= 0 && theWand < 4 ? GameApp::s_images[21 + theWand] : nullptr;
  theApp->SetCursorImage(0, aCursor);
  theApp->SetCursorImage(1, aCursor);
}

}  // namespace Tesk

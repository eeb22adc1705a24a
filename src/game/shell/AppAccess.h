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

}  // namespace Tesk

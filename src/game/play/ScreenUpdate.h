// What the map, the play scene and the mini-game do alike in each update.
#pragma once

#include <cstdint>

#include "core/TeskPerf.h"
#include "game/play/PlayConstants.h"
#include "game/shell/AppAccess.h"
#include "game/shell/GameApp.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/ZqMusic.h"

namespace Tesk {

// Under k_lowTime hundredths left the clock clicks once a second: true, after the click, on the
// first update of each new second.
inline bool tickLastSeconds(GameApp* theApp, int theTimer) {
  if (theTimer >= k_lowTime || GameApp::s_lastFullSecond <= theTimer / 100) return false;
  GameApp::s_lastFullSecond = theTimer / 100;
  playSampleOf(theApp, SFX_TIMER_LOW_CLICK);
  return true;
}

// The end of theScreen's Update: a repaint every 1/theRedrawStep updates, the pause once the window
// is minimised (a screen already paused is left as it is), the music, and the timing Update began.
template <class Screen>
void finishScreenUpdate(Screen& theScreen, float& theRedraw, float theRedrawStep, uint8_t thePausedState) {
  theRedraw += theRedrawStep;
  if (theRedraw >= 1.0f) {
    theRedraw = 0.0f;
    theScreen.MarkDirty();
  }
  if (theScreen.m_app != nullptr && theScreen.m_app->mMinimized && theScreen.m_state != thePausedState)
    theScreen.setGameState(thePausedState);
  zqMusic.update();
  TeskPerf::StopTiming("Start_Of_Update");
}

}  // namespace Tesk

// The main loop: events and queued messages, fixed-step updates paid from an accumulator of
// real time, drawing and presenting, and sleeping until the next step is due.
#include <algorithm>
#include <cmath>

#include "core/MTAutoDisallowRand.h"
#include "core/MacUtils.h"
#include "app/TeskAppBase.h"
#include "app/TeskAppBaseShared.h"
#include "display/D3DInterface.h"
#include "display/DDInterface.h"
#include "platform/carbon/AppleEvents.h"
#include "platform/carbon/CarbonEvents.h"
#include "platform/coregraphics/CoreGraphics.h"
#include "sound/MusicInterface.h"
#include "sound/SoundManager.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

bool gIsFailing = false;

namespace {

// The longest backlog of real time the updates catch up, in ms.
constexpr double k_MaxBacklog = 200.0;
// How long a minimised window sleeps between its updates, in ms.
constexpr uint32_t k_MinimizedNap = 100;
// Demo command sent when loading completes.
constexpr int k_DemoLoadingComplete = 9;

uint32_t gPeriodicTick = 0;
uint32_t gRedrawRetryTick = 0;
uint32_t gFastForwardDrawTick = 0;

}  // namespace

void TeskAppBase::DoMainLoop() {
  while (!mShutdown) {
    if (mExitToTop) mExitToTop = false;
    UpdateApp();
  }
}

bool TeskAppBase::UpdateApp() {
  for (;;) {
    bool anUpdated = false;
    if (!UpdateAppStep(&anUpdated)) return false;
    if (anUpdated) return true;
  }
}

bool TeskAppBase::UpdateAppStep(bool* updated) {
  if (updated != nullptr) *updated = false;
  if (mExitToTop) return false;
  if (mUpdateAppState == 3) mUpdateAppState = 0;
  ++mUpdateAppDepth;

  if (mUpdateAppState == 0) {
    EventRef anEvent = nullptr;
    while (ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent) == noErr) {
      // This platform has no menu bar, so a click never needs MenuSelect.
      if (GetEventClass(anEvent) == kEventClassEPPC) {
        EventRecord aRecord;
        if (ConvertEventRefToEventRecord(anEvent, &aRecord)) AEProcessAppleEvent(&aRecord);
      }
      SendEventToEventTarget(anEvent, GetEventDispatcherTarget());
      ReleaseEvent(anEvent);
    }
    if (mPlayingDemoBuffer) ProcessDemo();
    bool aHadMessage = !mDeferredMessages.empty();
    ProcessDeferredMessages(true);
    if (!aHadMessage) mUpdateAppState = 1;
  } else if (mStepMode == 0) {
    int32_t anUpdateCount = mUpdateCount;
    Process(true);
    if (updated != nullptr) *updated = anUpdateCount != mUpdateCount;
  } else if (mStepMode == 1) {
    mStepMode = 2;
    DoUpdateFrames();
    DoUpdateFramesF(1.0f);
    DrawDirtyStuff();
  } else if (mStepMode == 2) {
    Sleep(static_cast<uint32_t>(mFrameTime));
    mUpdateAppState = 3;
  }

  --mUpdateAppDepth;
  return true;
}

void TeskAppBase::UpdateFTimeAcc() {
  uint32_t aNow = timeGetTime();
  if (mLastTimeCheck != 0) {
    uint32_t aDelta = aNow - mLastTimeCheck;
    mUpdateFTimeAcc = std::min(mUpdateFTimeAcc + aDelta, k_MaxBacklog);
    if (mBacklogHoldTime > 0) mBacklogHoldTime = std::max(mBacklogHoldTime - static_cast<int32_t>(aDelta), 0);
  }
  mLastTimeCheck = aNow;
}

void TeskAppBase::ClearUpdateBacklog(bool relaxForASecond) {
  mLastTimeCheck = timeGetTime();
  mUpdateFTimeAcc = 0.0;
  if (relaxForASecond) mBacklogHoldTime = 1000;
}

bool TeskAppBase::ProcessFastForward(float theFrac) {
  while (mUpdateCount < mFastForwardToUpdateNum || mFastForwardToMarker) {
    if (!mFastForwardMuted && !mFastForwardStep) {
      Mute(true);
      mFastForwardMuted = true;
    }
    ClearUpdateBacklog(false);
    int32_t anUpdateCount = mUpdateCount;
    // Commands due at this count first: an update never runs past a due command, so without
    // this a fast-forward that starts on one would stand still.
    ProcessDemo();
    DoUpdateFrames();
    ProcessSafeDeleteList();
    mPendingUpdatesAcc += theFrac;
    mPendingUpdatesAcc -= 1.0;
    while (mPendingUpdatesAcc >= 1.0) {
      ProcessDemo();
      if (!DoUpdateFrames()) break;
      ProcessSafeDeleteList();
      mPendingUpdatesAcc -= 1.0;
    }
    DoUpdateFramesF(theFrac);
    ProcessSafeDeleteList();
    if (anUpdateCount == mUpdateCount) return true;
    uint32_t aNow = GetTickCount();
    if (gFastForwardDrawTick == 0) gFastForwardDrawTick = aNow;
    if (aNow - gFastForwardDrawTick > 999 || mFastForwardStep) {
      mFastForwardStep = false;
      gFastForwardDrawTick = aNow;
      DrawDirtyStuff();
      return true;
    }
  }
  if (mFastForwardMuted) {
    mFastForwardMuted = false;
    if (mSoundManager != nullptr) mSoundManager->StopAllSounds();
    Unmute(true);
  }
  return false;
}

bool TeskAppBase::Process(bool allowSleep) {
  if (mLoadingFailed) Shutdown();

  bool isVSynched = !mPlayingDemoBuffer && mVSyncUpdates && !mLastDrawWasEmpty && !mVSyncBroken &&
                    (!mIsPhysWindowed || (mWaitForVSync && !mSoftVSyncWait));
  double anUpdateTime;
  float aFrac;
  if (mVSyncUpdates) {
    anUpdateTime = (1000.0 / mSyncRefreshRate) / mUpdateMultiplier;
    aFrac = static_cast<float>(1000.0 / (mFrameTime * mSyncRefreshRate));
  } else {
    anUpdateTime = mFrameTime / mUpdateMultiplier;
    aFrac = 1.0f;
  }

  if (mPlayingDemoBuffer && ProcessFastForward(aFrac)) return true;

  if (mPaused || !(mUpdateMultiplier > 0.0)) {
    ProcessSafeDeleteList();
    return true;
  }

  if (mMinimized && !mRecordingDemoBuffer && !mPlayingDemoBuffer && mLoaded) {
    // A minimised window shows nothing and its widgets stand still after the update that finds
    // it minimised: the rest of an update (the music, shared images) runs a few times a second,
    // and the time away is not caught up.
    if (!allowSleep) return false;
    DoUpdateFrames();
    ProcessSafeDeleteList();
    Sleep(k_MinimizedNap);
    ClearUpdateBacklog(false);
    mUpdateAppState = 3;
    return true;
  }

  uint32_t aStart = timeGetTime();
  int32_t aSlept = 0;
  if (!isVSynched) UpdateFTimeAcc();
  bool anUpdated = false;

  if (mUpdateAppState == 1) {
    if (++mNonDrawCount < static_cast<int>(std::ceil(10.0 * mUpdateMultiplier))) {
      bool aDue = isVSynched ? (!mHasPendingDraw || mUpdateFTimeAcc >= static_cast<int>(0.75 * anUpdateTime))
                             : mUpdateFTimeAcc >= anUpdateTime;
      if (aDue) {
        if (!mPlayingDemoBuffer && mUpdateMultiplier == 1.0) {
          if (++mVSyncBrokenTestUpdates >= (mFrameTime + 999) / mFrameTime) {
            if (aStart - mVSyncBrokenTestStartTick <= 800) {
              if (++mVSyncBrokenCount > 2) mVSyncBroken = true;
            } else {
              mVSyncBrokenCount = 0;
            }
            mVSyncBrokenTestStartTick = aStart;
            mVSyncBrokenTestUpdates = 0;
          }
        }
        if (DoUpdateFrames()) mUpdateAppState = 2;
        mHasPendingDraw = true;
        anUpdated = true;
      }
    }
  } else if (mUpdateAppState == 2) {
    mUpdateAppState = 3;
    mPendingUpdatesAcc += aFrac;
    mPendingUpdatesAcc -= 1.0;
    ProcessSafeDeleteList();
    while (mPendingUpdatesAcc >= 1.0) {
      if (mPlayingDemoBuffer) ProcessDemo();
      ++mNonDrawCount;
      // A tick that reports no update ends the catch-up for this pass; it does not end the program.
      bool hasRealUpdate = DoUpdateFrames();
      if (!hasRealUpdate) break;
      ProcessSafeDeleteList();
      mPendingUpdatesAcc -= 1.0;
    }
    DoUpdateFramesF(aFrac);
    ProcessSafeDeleteList();
    if (isVSynched) {
      mUpdateFTimeAcc = std::max(mUpdateFTimeAcc - anUpdateTime - static_cast<double>(0.2f), 0.0);
    } else {
      mUpdateFTimeAcc -= anUpdateTime;
    }
    if (mBacklogHoldTime > 0) mUpdateFTimeAcc = 0.0;
    anUpdated = true;
  }

  if (!anUpdated) {
    mUpdateAppState = 3;
    mNonDrawCount = 0;
    if (mHasPendingDraw) {
      DrawDirtyStuff();
    } else {
      int aWait = static_cast<int>(anUpdateTime - mUpdateFTimeAcc);
      if (aWait > 0) {
        if (!allowSleep) return false;
        ++mSleepCount;
        Sleep(static_cast<uint32_t>(aWait));
        aSlept += aWait;
      }
    }
  }

  if (mYieldMainThread) {
    int32_t aWork = static_cast<int32_t>(timeGetTime() - aStart) - aSlept;
    int32_t aYield = std::min(2 * aWork - aSlept, 250);
    if (aYield >= 0) {
      if (!allowSleep) return false;
      Sleep(static_cast<uint32_t>(aYield));
    }
  }

  ProcessSafeDeleteList();
  return true;
}

void TeskAppBase::UpdateFrames() {
  ++mUpdateCount;
  // A minimised window's widgets stand still, but the update that first finds it minimised still
  // reaches them: a screen that pauses itself when its window is minimised does so there.
  const bool isWidgetsUpdate = !mMinimized || !mMinimizedSeenByWidgets;
  mMinimizedSeenByWidgets = mMinimized;
  if (isWidgetsUpdate && mWidgetManager != nullptr && mWidgetManager->UpdateFrame()) ++mFPSDirtyCount;
  if (mMusicInterface != nullptr) mMusicInterface->Update();
  // A cursor moved by the cursor thread reaches the screen here, on the thread that owns OpenGL.
  if (mDDInterface != nullptr) mDDInterface->PresentPending();
  CleanSharedImages();
}

bool TeskAppBase::DoUpdateFrames() {
  if (mPlayingDemoBuffer) {
    if (mLoadingThreadCompleted && !mLoaded && mDemoLoadingComplete) {
      mLoaded = true;
      mYieldMainThread = false;
      LoadingThreadCompleted();
    }
    if (mLoaded != mDemoLoadingComplete) return false;
    // A command due at this update count must be replayed before the tick runs.
    if (PrepareDemoCommand(false)) return false;
    UpdateFrames();
    return true;
  }
  if (mLoadingThreadCompleted && !mLoaded) {
    mLoaded = true;
    mYieldMainThread = false;
    LoadingThreadCompleted();
    if (mRecordingDemoBuffer) {
      WriteDemoTimingBlock();
      mDemoBuffer.WriteNumBits(0, 1);
      mDemoBuffer.WriteNumBits(k_DemoLoadingComplete, 5);
    }
  }
  UpdateFrames();
  return true;
}

void TeskAppBase::DoUpdateFramesF(float theFrac) {
  if (mVSyncUpdates && !mMinimized && mWidgetManager != nullptr) mWidgetManager->UpdateFrameF(theFrac);
}

bool TeskAppBase::DrawDirtyStuff() {
  MTAutoDisallowRand aNoRand;
  if (gIsFailing) {
    Redraw(nullptr);
    mHasPendingDraw = false;
    mLastDrawWasEmpty = true;
    return false;
  }

  if (mShowFPS) {
    if (mShowFPSMode == 0) {
      CalculateFPS();
    } else if (mWidgetManager != nullptr) {
      FPSDrawCoords(mWidgetManager->mLastMouseX, mWidgetManager->mLastMouseY);
    }
    if (mPlayingDemoBuffer) CalculateDemoTimeLeft();
  }

  uint32_t aStart = timeGetTime();
  if (aStart - gPeriodicTick > 1000) {
    gPeriodicTick = aStart;
    UpdateScreenSaverInfo(aStart);
  }

  // A drawn cursor that has to change makes a present of its own. In 3-D the frame under it is
  // drawn again too: what is left in the back buffer after a present is not the frame.
  const bool aCursorDirty = mCustomCursorDirty || CursorMovedSinceDrawn();
  if (aCursorDirty && mWidgetManager != nullptr && mDDInterface != nullptr && mDDInterface->mIs3D)
    mWidgetManager->MarkAllDirty();

  mIsDrawing = true;
  bool aDrew = mWidgetManager != nullptr && mWidgetManager->DrawScreen();
  mIsDrawing = false;

  // A frame with nothing new in it is neither drawn nor presented.
  if ((!aDrew && !aCursorDirty) || static_cast<int32_t>(aStart - mNextDrawTick) < 0) {
    // A frame drawn but held back is not on the screen: the next one goes there in any case.
    if (aDrew && mWidgetManager != nullptr) mWidgetManager->ForgetLastFrame();
    mHasPendingDraw = false;
    mLastDrawWasEmpty = true;
    return false;
  }

  mLastDrawWasEmpty = false;
  ++mDrawCount;
  ++mFPSCount;
  uint32_t aDrawTime = timeGetTime() - aStart;
  mFPSTime += aDrawTime;
  mDrawTime += aDrawTime;

  if (mShowFPS) DrawFPSOverlay(this);

  if (mIsPhysWindowed && mWaitForVSync && mSoftVSyncWait && mDDInterface != nullptr) {
    uint32_t aSince = timeGetTime() - mLastDrawTick;
    uint32_t aPeriod = static_cast<uint32_t>(mDDInterface->mMillisPerFrame);
    if (aSince < aPeriod) Sleep(aPeriod - aSince);
  }

  mLastDrawTick = timeGetTime();
  Redraw(nullptr);
  UpdateFTimeAcc();
  uint32_t aNow = timeGetTime();
  mScreenBltTime = aNow - mLastDrawTick;

  if (mLoadingThreadStarted && !mLoadingThreadCompleted) {
    mNextDrawTick += std::max<uint32_t>(aNow - aStart, 15) + 35;
    if (static_cast<int32_t>(mNextDrawTick - aNow) <= 0) mNextDrawTick = aNow;
  } else {
    mNextDrawTick = aNow;
  }

  mHasPendingDraw = false;
  mCustomCursorDirty = false;
  return true;
}

bool TeskAppBase::CursorMovedSinceDrawn() const {
  // The cursor thread moves a 2-D cursor itself unless a present was about to; a 3-D one moves
  // only with a present.
  return mDDInterface != nullptr && mDDInterface->mCursorImage != nullptr &&
         (mDDInterface->mCursorX != mDDInterface->mCursorDrawnX ||
          mDDInterface->mCursorY != mDDInterface->mCursorDrawnY);
}

void TeskAppBase::Redraw(TRect<int>* theClipRect) {
  if (mIsDrawing || mShutdown || mDDInterface == nullptr) return;

  if (!mDDInterface->Redraw(theClipRect)) {
    gD3DInterfacePreDrawError = false;
    gIsFailing = true;
    HandleRedrawFailure();
  } else {
    if (gIsFailing) {
      gIsFailing = false;
      gRedrawRetryTick = 0;
    }
    if (mScreenshotPending) WritePendingScreenshot();
  }
  ++mFPSFlipCount;
}

void TeskAppBase::HandleRedrawFailure() {
  uint32_t aNow = GetTickCount();
  bool aCollapsed = mMinimized || (mWindow != nullptr && IsWindowCollapsed(mWindow));
  bool aTry = !aCollapsed && (mActive || (mIsPhysWindowed && aNow - gRedrawRetryTick > 1000));
  if (!aTry) return;
  gRedrawRetryTick = aNow;
  if (mWidgetManager != nullptr) mWidgetManager->mImage = nullptr;

  CGDirectDisplayID aDisplay = CGMainDisplayID();
  bool aFits = mWidth < static_cast<int>(CGDisplayPixelsWide(aDisplay)) &&
               mHeight < static_cast<int>(CGDisplayPixelsHigh(aDisplay));
  if (mIsWindowed && !aFits) {
    if (!mForceWindowed) {
      mForceFullscreen = true;
      SwitchScreenMode(false);
    } else {
      Popup(GetString("PLEASE_SET_COLOR_DEPTH", L"Please set your desktop color depth to 16 bit."));
      Shutdown();
    }
    return;
  }
  int aResult = InitDDInterface();
  if (aResult == RESULT_INVALID_COLORDEPTH && mIsWindowed) {
    if (mActive) SwitchScreenMode(false);
    mForceFullscreen = true;
  } else if (aResult == RESULT_3D_FAIL) {
    Set3DAcclerated(false, true);
  } else if (aResult == RESULT_OK) {
    ReInitImages();
    ScreenImageChanged();
  }
}

}  // namespace Tesk

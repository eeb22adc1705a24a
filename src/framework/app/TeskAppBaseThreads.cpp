// The loading thread, the cursor thread and the choice of cursor shape.
#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <mutex>

#include "core/MacUtils.h"
#include "app/TeskAppBase.h"
#include "display/DDInterface.h"
#include "platform/carbon/CarbonCursor.h"
#include "platform/carbon/CarbonEvents.h"
#include "platform/carbon/CarbonWindows.h"

namespace Tesk {

namespace {

constexpr int k_NumCursors = 13;
constexpr int k_CursorHidden = 11;
constexpr int k_CursorAlwaysImage = 12;
// A waiting cursor thread still looks this often, so a shutdown that did not wake it is seen.
constexpr std::chrono::milliseconds k_CursorWaitBackstop{250};

std::mutex& CursorWakeLock() {
  static std::mutex sLock;
  return sLock;
}

std::condition_variable& CursorWake() {
  static std::condition_variable sWake;
  return sWake;
}

void WakeCursorThreads() {
  // Taking the lock orders the wake after a waiter's look at the position: no wake is lost.
  { std::lock_guard<std::mutex> aGuard(CursorWakeLock()); }
  CursorWake().notify_all();
}

ThemeCursor SystemCursorFor(int theCursorNum) {
  switch (theCursorNum) {
    case 1:
      return kThemePointingHandCursor;
    case 2:
      return kThemeClosedHandCursor;
    case 3:
      return kThemeIBeamCursor;
    case 4:
      return kThemeNotAllowedCursor;
    default:
      return kThemeArrowCursor;
  }
}

bool PointerInContent(WindowRef theWindow) {
  if (theWindow == nullptr) return false;
  ::Point aMouse;
  GetGlobalMouse(&aMouse);
  ::Rect aContent;
  if (GetWindowBounds(theWindow, kWindowContentRgn, &aContent) != noErr) return false;
  return aMouse.h >= aContent.left && aMouse.h < aContent.right && aMouse.v >= aContent.top &&
         aMouse.v < aContent.bottom;
}

}  // namespace

void NoteLastMousePos(uint32_t thePos) {
  gLastMousePos.store(thePos);
  WakeCursorThreads();
}

void TeskAppBase::StartLoadingThread() {
  if (mLoadingThreadStarted) return;
  mYieldMainThread = true;
  mLoadingThreadStarted = true;

  // A pointer move wakes the event loop so that the first loading frame follows at once. A
  // screen saver takes every pointer move for the user's, so it is not given a made-up one.
  EventRef anEvent = nullptr;
  if (!mIsScreenSaver &&
      CreateEvent(nullptr, kEventClassMouse, kEventMouseMoved, GetCurrentEventTime(), 0, &anEvent) == noErr) {
    ::Point aMouse;
    GetGlobalMouse(&aMouse);
    HIPoint aPoint{static_cast<float>(aMouse.h), static_cast<float>(aMouse.v + 10)};
    SetEventParameter(anEvent, kEventParamMouseLocation, typeHIPoint, sizeof(aPoint), &aPoint);
    SetEventParameter(anEvent, kEventParamWindowRef, typeWindowRef, sizeof(mWindow), &mWindow);
    PostEventToQueue(GetMainEventQueue(), anEvent, kEventPriorityStandard);
    ReleaseEvent(anEvent);
  }
  if (MPCreateTask(&TeskAppBase::LoadingThreadProcStub, this, &mLoadingThreadId) != noErr) {
    // Without a thread the load never completes; say so instead of waiting for ever.
    mLoadingFailed = true;
    mLoadingThreadCompleted = true;
  }
}

OSStatus TeskAppBase::LoadingThreadProcStub(void* theApp) {
  TeskAppBase* anApp = static_cast<TeskAppBase*>(theApp);
  anApp->LoadingThreadProc();
  OutputDebug(L"Resource Loading Time: %d\r\n", static_cast<int>(GetTickCount() - anApp->mTimeLoaded));
  anApp->mLoadingThreadCompleted = true;
  return noErr;
}

void TeskAppBase::WaitForLoadingThread() {
  while (mLoadingThreadStarted && !mLoadingThreadCompleted) Sleep(20);
  if (mLoadingThreadId != 0) {
    MPWaitForTaskExit(mLoadingThreadId);
    mLoadingThreadId = 0;
  }
}

double TeskAppBase::GetLoadingThreadProgress() {
  if (mLoaded) return 1.0;
  if (!mLoadingThreadStarted || mNumLoadingThreadTasks == 0) return 0.0;
  return std::min(static_cast<double>(mCompletedLoadingThreadTasks) / mNumLoadingThreadTasks, 1.0);
}

void TeskAppBase::StartCursorThread() {
  if (mCursorThreadRunning) return;
  mCursorThreadRunning = true;
  if (MPCreateTask(&TeskAppBase::CursorThreadProcStub, this, &mCursorThreadId) != noErr) {
    mCursorThreadRunning = false;
    mCursorThreadId = 0;
  }
}

OSStatus TeskAppBase::CursorThreadProcStub(void* theApp) {
  static_cast<TeskAppBase*>(theApp)->CursorThreadProc();
  return noErr;
}

void TeskAppBase::CursorThreadProc() {
  int aLastX = 0;
  int aLastY = 0;
  while (!mShutdown) {
    int x;
    int y;
    uint32_t aPos = gLastMousePos.load();
    if (mPlayingDemoBuffer) {
      x = mLastDemoMouseX;
      y = mLastDemoMouseY;
    } else {
      x = static_cast<int16_t>(aPos & 0xFFFF);
      y = static_cast<int16_t>(aPos >> 16);
    }
    DDInterface* aDisplay = mDDInterface;
    if (mDrawCount != 0 && aDisplay != nullptr) {
      aLastX = aDisplay->mCursorX;
      aLastY = aDisplay->mCursorY;
    }
    if (x != aLastX || y != aLastY) {
      int aPeriod = aDisplay != nullptr ? aDisplay->mMillisPerFrame : 0;
      if (aDisplay != nullptr && static_cast<int32_t>(GetTickCount() - mLastDrawTick) <= aPeriod + 5) {
        // A present is due any moment; it draws the cursor there.
        aDisplay->mCursorX = x;
        aDisplay->mCursorY = y;
      } else if (aDisplay != nullptr) {
        aDisplay->SetCursorPos(x, y);
      }
      aLastX = x;
      aLastY = y;
    }
    if (mPlayingDemoBuffer) {
      // A replayed pointer moves without a wake; look at it every few milliseconds.
      Sleep(10);
    } else {
      // Idle until the pointer moves: a thread that looked every 10 ms woke a hundred times a second.
      std::unique_lock<std::mutex> aLock(CursorWakeLock());
      CursorWake().wait_for(aLock, k_CursorWaitBackstop, [&] {
        return mShutdown || mPlayingDemoBuffer || gLastMousePos.load() != aPos;
      });
    }
  }
  mCursorThreadRunning = false;
}

void TeskAppBase::StopCursorThread() {
  if (mCursorThreadId == 0) return;
  // The thread leaves its loop once woken with mShutdown set.
  mShutdown = true;
  WakeCursorThreads();
  MPWaitForTaskExit(mCursorThreadId);
  mCursorThreadId = 0;
}

void TeskAppBase::EnforceCursor() {
  if (mDDInterface == nullptr) return;
  bool aWantSystemCursor = true;
  if (mSEHOccured || !mMouseIn) {
    CGDisplayShowCursor(0);
    SetThemeCursor(kThemeArrowCursor);
  } else {
    Image* anImage = mCursorNum >= 0 && mCursorNum < k_NumCursors ? mCursorImages[mCursorNum] : nullptr;
    if (anImage != nullptr &&
        (mPlayingDemoBuffer || mCustomCursorsEnabled || mCursorNum == k_CursorAlwaysImage)) {
      if (mDDInterface->SetCursorImage(anImage)) mCustomCursorDirty = true;
      if (mPlayingDemoBuffer) {
        SetThemeCursor(PointerInContent(mWindow) ? kThemeNotAllowedCursor : kThemeArrowCursor);
      } else {
        CGDisplayHideCursor(0);
      }
      mSysCursor = false;
      return;
    }
    if (mCursorNum != k_CursorHidden) {
      CGDisplayShowCursor(0);
      SetThemeCursor(SystemCursorFor(mCursorNum));
    } else {
      CGDisplayHideCursor(0);
    }
  }
  if (mDDInterface->SetCursorImage(nullptr)) mCustomCursorDirty = true;
  mSysCursor = aWantSystemCursor;
}

void TeskAppBase::SetCursorImage(int theCursorNum, Image* theImage) {
  if (theCursorNum < 0 || theCursorNum >= k_NumCursors) return;
  mCursorImages[theCursorNum] = theImage;
  EnforceCursor();
}

void TeskAppBase::SetCursor(int theCursorNum) {
  mCursorNum = theCursorNum;
  EnforceCursor();
}

void TeskAppBase::EnableCustomCursors(bool enabled) {
  mCustomCursorsEnabled = enabled;
  EnforceCursor();
}

}  // namespace Tesk

#include "core/TeskAppBase.h"

#include <cwctype>

#include "core/CarbonWindowBridge.h"
#include "core/MacUtils.h"
#include "core/WidgetManagerSeam.h"
#include "platform/carbon/CarbonWindows.h"

namespace Tesk {

TeskAppBase* gTeskAppBase = nullptr;
std::atomic<uint32_t> gLastMousePos{0};

namespace {

constexpr PropertyCreator k_AppCreator = MakeOSType("KWMR");
constexpr PropertyTag k_AppTag = MakeOSType("USRD");

bool IsQueuedMessage(uint32_t theMessage) {
  switch (theMessage) {
    case WM_MOVE:
    case WM_SIZE:
    case WM_CLOSE:
    case WM_KEYDOWN:
    case WM_KEYUP:
    case WM_CHAR:
    case WM_SYSKEYDOWN:
    case WM_SYSKEYUP:
    case WM_TIMER:
    case WM_MOUSEWHEEL:
      return true;
    default:
      return theMessage >= WM_MOUSEMOVE && theMessage <= WM_MBUTTONUP;
  }
}

}  // namespace

TeskAppBase::TeskAppBase()
    : mProductName("Product"),
      mTitle(L"TeskApp"),
      mPreferredX(-1),
      mPreferredY(-1),
      mWidth(640),
      mHeight(480),
      mNotifyGameMessage(0),
      mWidgetManager(nullptr),
      mSEHOccured(false),
      mShutdown(false),
      mExitToTop(false),
      mIsWindowed(true),
      mIsPhysWindowed(true),
      mForceFullscreen(false),
      mForceWindowed(false),
      mInitialized(false),
      mWindow(nullptr),
      mMusicWindow(nullptr),
      mIsScreenSaver(false),
      mAllowMonitorPowersave(true),
      mNoDefer(false),
      mAlphaDisabled(false),
      mMuteCount(0),
      mAutoMuteCount(0),
      mIsOpeningURL(false),
      mShutdownOnURLOpen(false),
      mOpeningURLTime(0),
      mMuteOnLostFocus(true),
      mFrameTime(10),
      mUpdateFTimeAcc(0.0),
      mLastTimeCheck(0),
      mUpdateCount(0),
      mUpdateMultiplier(1.0),
      mPaused(false),
      mFastForwardToUpdateNum(0),
      mFastForwardToMarker(false),
      mFastForwardStep(false),
      mMouseIn(false),
      mRunning(false),
      mActive(true),
      mMinimized(false),
      mPhysMinimized(false),
      mRestoreBlocked(false),
      mHasFocus(true),
      mLoaded(false),
      mRecordingDemoBuffer(false),
      mPlayingDemoBuffer(false),
      mWindowClosed(false),
      mDemoLength(0),
      mLastDemoMouseX(0),
      mLastDemoMouseY(0),
      mCtrlDown(false),
      mAltDown(false),
      mDebugKeysEnabled(false),
      mLastTimerTime(0),
      mLastBigDelayTime(0),
      mLastUserInputTick(0),
      mLastMonitorPowerTick(0) {
  gTeskAppBase = this;
  // Posted and sent messages travel as Carbon events from now on.
  SetOsWindowBridge(&CarbonWindowBridge::Instance());
}

TeskAppBase::~TeskAppBase() {
  if (gTeskAppBase == this) gTeskAppBase = nullptr;
}

bool TeskAppBase::IsAltKeyUsed(uint32_t theChar) {
  wint_t aChar = std::towlower(static_cast<wint_t>(theChar));
  return aChar == 13 || aChar == L'r';
}

bool TeskAppBase::DebugKeyDownAsync(int, bool, bool) { return false; }
void TeskAppBase::CloseRequestAsync() {}
void TeskAppBase::GotFocus() {}
void TeskAppBase::LostFocus() {}

void TeskAppBase::HandleNotifyGameMessage(int theType, int) {
  if (theType != 0 || mWindow == nullptr) return;
  if (IsWindowCollapsed(mWindow)) CollapseWindow(mWindow, false);
  SelectWindow(mWindow);
}

void TeskAppBase::URLOpenFailed(const std::string&) { mIsOpeningURL = false; }

void TeskAppBase::URLOpenSucceeded(const std::string&) {
  mIsOpeningURL = false;
  if (mShutdownOnURLOpen) Shutdown();
}

void TeskAppBase::RehupFocus() {
  bool aWantFocus = mActive && !mMinimized;
  if (aWantFocus == mHasFocus) return;
  mHasFocus = aWantFocus;
  if (aWantFocus) {
    if (mMuteOnLostFocus) Unmute(true);
    if (mWidgetManager != nullptr) mWidgetManager->GotFocus();
    GotFocus();
  } else {
    if (mMuteOnLostFocus) Mute(true);
    if (mWidgetManager != nullptr) mWidgetManager->LostFocus();
    LostFocus();
    if (mWidgetManager != nullptr) mWidgetManager->DoMouseUps();
  }
}

int32_t TeskAppBase::WindowProc(WindowRef theWindow, uint32_t theMessage, uint32_t theWParam,
                                int32_t theLParam) {
  TeskAppBase* anApp = nullptr;
  if (theWindow != nullptr) {
    GetWindowProperty(theWindow, k_AppCreator, k_AppTag, sizeof(anApp), nullptr, &anApp);
  }
  if (anApp == nullptr) anApp = gTeskAppBase;
  if (anApp == nullptr) return 0;
  return anApp->DoWindowProc(theWindow, theMessage, theWParam, theLParam);
}

int32_t TeskAppBase::DefaultWindowProc(WindowRef theWindow, uint32_t theMessage, uint32_t theWParam,
                                       int32_t theLParam) {
  if (theMessage == mNotifyGameMessage && theWindow == mWindow) {
    HandleNotifyGameMessage(static_cast<int>(theWParam), theLParam);
  }
  return 0;
}

int32_t TeskAppBase::DoWindowProc(WindowRef theWindow, uint32_t theMessage, uint32_t theWParam,
                                  int32_t theLParam) {
  switch (theMessage) {
    case WM_ENABLE:
      mRestoreBlocked = theWParam == 0;
      return DefaultWindowProc(theWindow, theMessage, theWParam, theLParam);
    case WM_PAINT:
      if (mInitialized && gInAssert == 0 && !mSEHOccured) {
        if (mRunning) Redraw(nullptr);
        return 0;
      }
      return DefaultWindowProc(theWindow, theMessage, theWParam, theLParam);
    case WM_ACTIVATEAPP:
      if (!mPlayingDemoBuffer) mActive = theWParam != 0;
      break;
    case WM_CURSORREQUEST:
      if (!mSEHOccured) EnforceCursor();
      return 1;
    case WM_SYSCHAR:
      if (IsAltKeyUsed(theWParam)) return 0;
      return DefaultWindowProc(theWindow, theMessage, theWParam, theLParam);
    case WM_SYSCOMMAND:
      if (theWParam == SC_MONITORPOWER) {
        mLastMonitorPowerTick = GetTickCount();
        if (!mAllowMonitorPowersave || !mLoaded) return 0;
      } else if (theWParam == SC_SCREENSAVE) {
        if (!mLoaded || !mIsPhysWindowed) return 0;
      }
      return DefaultWindowProc(theWindow, theMessage, theWParam, theLParam);
    default:
      if (!IsQueuedMessage(theMessage)) return DefaultWindowProc(theWindow, theMessage, theWParam, theLParam);
      break;
  }

  if (theMessage == WM_MOUSEMOVE || theMessage == WM_ACTIVATEAPP) {
    gLastMousePos.store(static_cast<uint32_t>(theLParam));
  }

  if (mNoDefer) return DefaultWindowProc(theWindow, theMessage, theWParam, theLParam);

  bool aKeyDown = theMessage == WM_KEYDOWN || theMessage == WM_SYSKEYDOWN;
  bool aKeyUp = theMessage == WM_KEYUP || theMessage == WM_SYSKEYUP;
  if (aKeyDown || aKeyUp) {
    if (theWParam == 17) mCtrlDown = aKeyDown;
    // Alt is key 18; reading key 0 here would never see it.
    if (theWParam == 18) mAltDown = aKeyDown;
    if (aKeyDown && DebugKeyDownAsync(static_cast<int>(theWParam), mCtrlDown, mAltDown)) return 0;
  }
  if (mPlayingDemoBuffer) {
    if (theMessage == WM_CHAR) HandlePlaybackKey(theWParam);
    if (theMessage == WM_KEYDOWN) DebugKeyDown(static_cast<int>(theWParam));
  }

  // Nothing queues behind a close, and timer messages never pile up.
  bool aDrop = !mDeferredMessages.empty() &&
               (mDeferredMessages.back().message == WM_CLOSE ||
                (theMessage == WM_TIMER && mDeferredMessages.back().message == WM_TIMER));
  if (!aDrop) mDeferredMessages.push_back(tagMSG{theWindow, theMessage, theWParam, theLParam, 0, {0, 0}});

  switch (theMessage) {
    case WM_SIZE:
      mPhysMinimized = theWParam == SIZE_MINIMIZED;
      return DefaultWindowProc(theWindow, theMessage, theWParam, theLParam);
    case WM_SYSKEYDOWN:
      return 0;
    case WM_CLOSE:
      CloseRequestAsync();
      return 0;
    default:
      return DefaultWindowProc(theWindow, theMessage, theWParam, theLParam);
  }
}

void TeskAppBase::HandlePlaybackKey(uint32_t theChar) {
  const int32_t aFrameTime = mFrameTime > 0 ? mFrameTime : 1;
  switch (theChar) {
    case '+':
      mUpdateMultiplier *= 1.5;
      break;
    case '-':
      mUpdateMultiplier /= 1.5;
      break;
    case '=':
      mUpdateMultiplier = 1.0;
      break;
    case '0':
      mFastForwardToUpdateNum = mDemoLength;
      break;
    case '4':
    case '5':
    case '6':
    case '7':
    case '8':
    case '9': {
      static const int32_t k_SecondsBack[] = {120000, 90000, 60000, 30000, 10000, 5000};
      mFastForwardToUpdateNum = mDemoLength - k_SecondsBack[theChar - '4'] / aFrameTime;
      break;
    }
    case 'M':
    case 'm':
      mFastForwardToMarker = true;
      break;
    case 'N':
    case 'n':
      mFastForwardToUpdateNum = mUpdateCount + 1;
      mFastForwardStep = true;
      break;
    case 'P':
    case 'p':
      mPaused = !mPaused;
      mLastTimeCheck = GetTickCount();
      mUpdateFTimeAcc = 0.0;
      break;
    case 'S':
    case 's':
      ToggleDemoSoundVolume();
      break;
    default:
      break;
  }
}

bool TeskAppBase::ProcessDeferredMessages(bool singleMessage) {
  while (!mDeferredMessages.empty()) {
    // Handling may send new messages, so the record leaves the queue first.
    tagMSG aMessage = mDeferredMessages.front();
    mDeferredMessages.pop_front();
    // During playback the demo supplies the input; only a close still acts.
    if (!mPlayingDemoBuffer) HandleDeferredMessage(aMessage);
    if (aMessage.message == WM_CLOSE && (aMessage.hwnd == mWindow || aMessage.hwnd == mMusicWindow)) {
      mWindowClosed = true;
      Shutdown();
    }
    if (singleMessage) break;
  }
  return !mDeferredMessages.empty();
}

void TeskAppBase::HandleDeferredMessage(const tagMSG& theMessage) {
  WidgetManagerSeam* aWidgets = mWidgetManager;
  const uint32_t aKey = theMessage.wParam;
  int x = LParamX(theMessage.lParam);
  int y = LParamY(theMessage.lParam);
  switch (theMessage.message) {
    case WM_CHAR:
      mLastUserInputTick = mLastTimerTime;
      if (aWidgets != nullptr) aWidgets->KeyChar(static_cast<wchar_t>(aKey));
      break;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      mLastUserInputTick = mLastTimerTime;
      if (aKey == 13 && theMessage.message == WM_SYSKEYDOWN && !mForceFullscreen && !mForceWindowed) {
        SwitchScreenMode(!mIsWindowed);
        if (aWidgets != nullptr) aWidgets->ClearKeysDown();
        break;
      }
      if (aKey == 'D' && aWidgets != nullptr && aWidgets->IsKeyDown(17) && aWidgets->IsKeyDown(18)) {
        mDebugKeysEnabled = !mDebugKeysEnabled;
      }
      if (mDebugKeysEnabled && DebugKeyDown(static_cast<int>(aKey))) break;
      if (aWidgets != nullptr) aWidgets->KeyDown(static_cast<int>(aKey));
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      mLastUserInputTick = mLastTimerTime;
      if (aWidgets != nullptr) aWidgets->KeyUp(static_cast<int>(aKey));
      break;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP: {
      if (gInAssert != 0 || mSEHOccured) break;
      if (aWidgets != nullptr) aWidgets->RemapMouse(x, y);
      mLastUserInputTick = mLastTimerTime;
      if (aWidgets != nullptr) aWidgets->MouseMove(x, y);
      if (!mMouseIn) {
        mMouseIn = true;
        EnforceCursor();
      }
      if (aWidgets == nullptr) break;
      switch (theMessage.message) {
        case WM_LBUTTONDOWN:
          aWidgets->MouseDown(x, y, 1);
          break;
        case WM_LBUTTONDBLCLK:
          aWidgets->MouseDown(x, y, 2);
          break;
        case WM_RBUTTONDOWN:
          aWidgets->MouseDown(x, y, -1);
          break;
        case WM_RBUTTONDBLCLK:
          aWidgets->MouseDown(x, y, -2);
          break;
        case WM_MBUTTONDOWN:
          aWidgets->MouseDown(x, y, 3);
          break;
        case WM_LBUTTONUP:
          aWidgets->MouseUp(x, y, 1);
          break;
        case WM_RBUTTONUP:
          aWidgets->MouseUp(x, y, -1);
          break;
        case WM_MBUTTONUP:
          aWidgets->MouseUp(x, y, 3);
          break;
        default:
          break;
      }
      break;
    }
    case WM_MOUSEWHEEL:
      if (aWidgets != nullptr) aWidgets->MouseWheel(static_cast<signed char>(WheelDelta(aKey) / 120));
      break;
    case WM_ACTIVATEAPP:
      if (gInAssert != 0 || mSEHOccured || mShutdown) break;
      RehupFocus();
      if (mActive && !mIsPhysWindowed && aWidgets != nullptr) aWidgets->MarkAllDirty();
      if (mIsOpeningURL && !mActive) URLOpenSucceeded(mOpeningURL);
      break;
    case WM_MOVE:
      if (theMessage.hwnd != nullptr && theMessage.hwnd == mWindow && mIsPhysWindowed &&
          IsWindowVisible(mWindow) && !IsWindowCollapsed(mWindow)) {
        Rect aContent;
        if (GetWindowBounds(mWindow, kWindowContentRgn, &aContent) == noErr) {
          mPreferredX = aContent.left;
          mPreferredY = aContent.top;
        }
      }
      break;
    case WM_SIZE: {
      bool aMinimized = aKey == SIZE_MINIMIZED;
      if (theMessage.hwnd == mWindow && !mShutdown && mMinimized != aMinimized) {
        mMinimized = aMinimized;
        if (aMinimized) {
          if (mMuteOnLostFocus) Mute(true);
        } else {
          if (mMuteOnLostFocus) Unmute(true);
          if (aWidgets != nullptr) aWidgets->MarkAllDirty();
        }
      }
      RehupFocus();
      if (aKey == SIZE_MAXIMIZED) SwitchScreenMode(false);
      break;
    }
    case WM_TIMER:
      if (gInAssert == 0 && !mSEHOccured && mRunning) HandleTimer(theMessage);
      break;
    default:
      break;
  }
}

void TeskAppBase::HandleTimer(const tagMSG& theMessage) {
  uint32_t aNow = GetTickCount();
  if (aNow - mLastTimerTime > 500) mLastBigDelayTime = aNow;
  mLastTimerTime = aNow;
  if (mIsOpeningURL && aNow - mLastBigDelayTime > 5000) {
    if (aNow - mOpeningURLTime > 8000 && !mActive) {
      URLOpenSucceeded(mOpeningURL);
    } else if (aNow - mOpeningURLTime > 12000 && mActive) {
      URLOpenFailed(mOpeningURL);
    }
  }

  // The pointer is in when the window under it is this message's window, inside its content.
  Point aMouse;
  GetGlobalMouse(&aMouse);
  WindowRef aWindowUnder = nullptr;
  WindowPartCode aPart = FindWindow(aMouse, &aWindowUnder);
  Rect aContent = {0, 0, 0, 0};
  bool anInside = theMessage.hwnd != nullptr && aWindowUnder == theMessage.hwnd && aPart == inContent &&
                  GetWindowBounds(theMessage.hwnd, kWindowContentRgn, &aContent) == noErr;
  if (anInside == mMouseIn) return;
  if (!anInside && mWidgetManager != nullptr) {
    if (theMessage.hwnd != nullptr) GetWindowBounds(theMessage.hwnd, kWindowContentRgn, &aContent);
    mWidgetManager->MouseExit(aMouse.h - aContent.left, aMouse.v - aContent.top);
  }
  mMouseIn = anInside;
  EnforceCursor();
}

}  // namespace Tesk

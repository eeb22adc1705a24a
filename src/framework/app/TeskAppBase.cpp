#include "app/TeskAppBase.h"

#include <algorithm>
#include <cwctype>

#include "core/AutoCrit.h"
#include "app/CarbonWindowBridge.h"
#include "app/DemoCommands.h"
#include "core/MacUtils.h"
#include "app/SEHCatcher.h"
#include "app/TeskAppBaseShared.h"
#include "display/D3DInterface.h"
#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "graphics/AnimationBasic.h"
#include "graphics/Graphics.h"
#include "graphics/Particles.h"
#include "platform/carbon/CarbonWindows.h"
#include "platform/corefoundation/CFBundle.h"
#include "platform/coregraphics/CoreGraphics.h"
#include "resources/ResourceManager.h"
#include "sound/MusicInterface.h"
#include "sound/SoundManager.h"
#include "widgets/Dialog.h"
#include "widgets/OrvoButtonWidget.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

TeskAppBase* gTeskAppBase = nullptr;
std::atomic<uint32_t> gLastMousePos{0};

namespace {

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

// The display surface stays locked while the widget manager draws a whole frame into it;
// any other image (a memory image) needs no lock.
bool LockScreenSurface(Image* theImage) {
  DDImage* anImage = dynamic_cast<DDImage*>(theImage);
  return anImage != nullptr && anImage->LockSurface();
}

void UnlockScreenSurface(Image* theImage) {
  if (DDImage* anImage = dynamic_cast<DDImage*>(theImage)) anImage->UnlockSurface();
}

void DrawButtonAnimation(ANIM::AnimationBasic* theAnimation, Graphics* g, int dx, int dy, float theFade) {
  g->SetColorizeImages(true);
  theAnimation->drawTranslated(g, dx, dy, theFade);
}

void DrawButtonParticles(Graphics* g, const float& theAlpha, Widget* theOwner) {
  PARTICLE::draw(g, theAlpha, theOwner);
}

bool IsAppMinimized() { return gTeskAppBase != nullptr && gTeskAppBase->mMinimized; }

void WriteAppPreference(const std::string& theKey, const std::string& theValue) {
  if (gTeskAppBase != nullptr) gTeskAppBase->RegistryWriteString(theKey, theValue);
}

}  // namespace

void TeskAppBase::InstallProgramHooks() {
  WidgetManager::sLockSurface = LockScreenSurface;
  WidgetManager::sUnlockSurface = UnlockScreenSurface;
  OrvoButtonWidget::s_drawAnimation = DrawButtonAnimation;
  OrvoButtonWidget::s_drawParticles = DrawButtonParticles;
  D3DInterface::sAppHooks.mIsMinimized = IsAppMinimized;
  D3DInterface::sAppHooks.mRegistryWriteString = WriteAppPreference;
}

TeskAppBase::TeskAppBase()
    : mExitType(0),
      mRandSeed(0),
      mProductName("Product"),
      mTitle(L"TeskApp"),
      mBacklogHoldTime(0),
      mPreferredX(-1),
      mPreferredY(-1),
      mWidth(640),
      mHeight(480),
      mFullscreenBits(16),
      mMusicVolume(0.85),
      mSfxVolume(0.85),
      mNoSoundNeeded(false),
      mSoundManagerOption(false),
      mOnlyOneCopy(false),
      mNotifyGameMessage(0),
      mWidgetManager(nullptr),
      mPrimaryThreadId(MPCurrentTaskID()),
      mSEHOccured(false),
      mShutdown(false),
      mExitToTop(false),
      mIsWindowed(true),
      mIsPhysWindowed(true),
      mFullScreenResolutionSet(false),
      mForceFullscreen(false),
      mForceWindowed(false),
      mInitialized(false),
      mTimeLoaded(GetTickCount()),
      mWindow(nullptr),
      mMusicWindow(nullptr),
      mIsScreenSaver(false),
      mAllowMonitorPowersave(true),
      mNoDefer(false),
      mDDInterface(nullptr),
      mAlphaDisabled(false),
      mMusicInterface(nullptr),
      mReadFromRegistry(false),
      mCursorImages{},
      mMuteCount(0),
      mAutoMuteCount(0),
      mIsOpeningURL(false),
      mShutdownOnURLOpen(false),
      mOpeningURLTime(0),
      mFastForwardMuted(false),
      mMuteOnLostFocus(true),
      mNonDrawCount(0),
      mFrameTime(10),
      mIsDrawing(false),
      mLastDrawWasEmpty(false),
      mHasPendingDraw(true),
      mPendingUpdatesAcc(0.0),
      mUpdateFTimeAcc(0.0),
      mLastTimeCheck(0),
      mSleepCount(0),
      mDrawCount(0),
      mUpdateCount(0),
      mUpdateAppState(0),
      mUpdateAppDepth(0),
      mUpdateMultiplier(1.0),
      mPaused(false),
      mFastForwardToUpdateNum(0),
      mFastForwardToMarker(false),
      mFastForwardStep(false),
      mLastDrawTick(mTimeLoaded),
      mNextDrawTick(mTimeLoaded),
      mStepMode(0),
      mCursorNum(0),
      mSoundManager(nullptr),
      mMouseIn(false),
      mRunning(false),
      mActive(true),
      mMinimized(false),
      mPhysMinimized(false),
      mRestoreBlocked(false),
      mHasFocus(true),
      mDrawTime(0),
      mFPSStartTick(mTimeLoaded),
      mFPSFlipCount(0),
      mFPSDirtyCount(0),
      mFPSTime(0),
      mFPSCount(0),
      mShowFPS(false),
      mShowFPSMode(0),
      mScreenBltTime(0),
      mAutoStartLoadingThread(true),
      mLoadingThreadStarted(false),
      mLoadingThreadCompleted(false),
      mLoaded(false),
      mYieldMainThread(false),
      mLoadingFailed(false),
      mCursorThreadRunning(false),
      mSysCursor(true),
      mCustomCursorsEnabled(false),
      mCustomCursorDirty(false),
      mLastShutdownWasGraceful(true),
      mNumLoadingThreadTasks(0),
      mCompletedLoadingThreadTasks(0),
      mRecordingDemoBuffer(false),
      mPlayingDemoBuffer(false),
      mWindowClosed(false),
      mDemoLength(0),
      mLastDemoMouseX(0),
      mLastDemoMouseY(0),
      mCtrlDown(false),
      mAltDown(false),
      mVSyncUpdates(false),
      mVSyncBroken(false),
      mVSyncBrokenCount(0),
      mVSyncBrokenTestStartTick(0),
      mVSyncBrokenTestUpdates(0),
      mWaitForVSync(false),
      mSoftVSyncWait(true),
      mUserChanged3DSetting(false),
      mAutoEnable3D(false),
      mWindowAspectStretch(false),
      mScreenBounds(0, 0, 0, 0),
      mEnableWindowAspect(false),
      mWindowAspect(4, 3),
      mResourceManager(nullptr),
      mFullScreenContext(nullptr),
      mDebugKeysEnabled(false),
      mLastTimerTime(0),
      mLastBigDelayTime(0),
      mLastUserInputTick(0),
      mLastMonitorPowerTick(0),
      mRegistry(&mRegKey, this),
      mLoadingThreadId(0),
      mCursorThreadId(0),
      mFrameTimer(nullptr) {
  gTeskAppBase = this;
  gImageRegistry = this;
  gWidgetApp = this;
  // Posted and sent messages travel as Carbon events from now on.
  SetOsWindowBridge(&CarbonWindowBridge::Instance());

  mProductVersion = GetProductVersion("");
  // The resources folder itself: its parent would undo the entry's change into it.
  std::string aResources;
  if (CFBundleCopyResourcesDirectoryPath(&aResources)) mChangeDirTo = aResources;

  CGDirectDisplayID aDisplay = CGMainDisplayID();
  mForceFullscreen = CGDisplayPixelsWide(aDisplay) <= 800 || CGDisplayPixelsHigh(aDisplay) <= 600;

  SetString("DIALOG_BUTTON_OK", L"OK");
  SetString("DIALOG_BUTTON_CANCEL", L"CANCEL");
  SetString("UPDATE_CHECK_TITLE", L"Update Check");
  SetString("UPDATE_CHECK_BODY", L"Checking if there are any updates available for this product ...");
  SetString("UP_TO_DATE_TITLE", L"Up to Date");
  SetString("UP_TO_DATE_BODY", L"There are no updates available for this product at this time.");
  SetString("NEW_VERSION_TITLE", L"New Version");
  SetString("NEW_VERSION_BODY",
            L"There is an update available for this product.  Would you like to visit the web site to "
            L"download it?");

  mWidgetManager = new WidgetManager(this);
  mResourceManager = new ResourceManager(this);
  SEHCatcher::mApp = this;
  InstallProgramHooks();
}

TeskAppBase::~TeskAppBase() {
  Shutdown();
  // The cursor thread draws into the display and the loading thread uses the resource manager:
  // both are stopped before anything they touch goes.
  StopCursorThread();
  WaitForLoadingThread();

  bool anAsked = false;
  TeskString aTitle = StringToTeskString(mTitlePrefix) + L" " +
                      GetString("HARDWARE_ACCEL_CONFIRMATION", L"Hardware Acceleration Confirmation");
  if (mUserChanged3DSetting && mDDInterface != nullptr) {
    bool aStored = false;
    if (RegistryReadBoolean("Is3D", &aStored) || Is3DAccelerationRecommended()) {
      RegistryWriteBoolean("Is3D", mDDInterface->mIs3D);
    } else if (mDDInterface->mIs3D) {
      anAsked = true;
      TeskString aText = GetString("HARDWARE_ACCEL_SWITCHED_ON",
                                   L"Hardware Acceleration was switched on during this session.\r\n"
                                   L"If this resulted in slower performance, it should be switched off.\r\n"
                                   L"Would you like to keep Hardware Acceleration switched on?");
      bool aYes = MsgBox(aText, aTitle, MB_YESNO | MB_ICONQUESTION) == IDYES;
      mDDInterface->mIs3D = aYes;
      if (aYes) RegistryWriteBoolean("Is3D", true);
    }
  }
  if (!anAsked && gD3DInterfacePreDrawError && !mIsScreenSaver) {
    TeskString aText =
        GetString("HARDWARE_ACCEL_NOT_WORKING",
                  L"Hardware Acceleration may not have been working correctly during this session.\r\n"
                  L"If you noticed graphics problems, you may want to turn off Hardware "
                  L"Acceleration.\r\nWould you like to keep Hardware Acceleration switched on?");
    if (MsgBox(aText, aTitle, MB_YESNO | MB_ICONQUESTION) == IDNO) RegistryWriteBoolean("Is3D", false);
  }

  for (auto& anEntry : mDialogMap) {
    if (mWidgetManager != nullptr) mWidgetManager->RemoveWidget(anEntry.second);
    delete anEntry.second;
  }
  mDialogMap.clear();
  mDialogList.clear();

  if (mMusicWindow != nullptr) {
    RemoveWindowProperty(mMusicWindow, k_AppCreator, k_AppTag);
    DisposeWindow(mMusicWindow);
    mMusicWindow = nullptr;
  }
  delete mMusicInterface;
  mMusicInterface = nullptr;
  if (mSoundManager != nullptr) mSoundManager->StopAllSounds();

  delete mWidgetManager;
  mWidgetManager = nullptr;
  delete mResourceManager;
  mResourceManager = nullptr;

  DeleteFPSImage();

  {
    AutoCrit aLock(GetDisplayLock());
    for (auto& anEntry : mSharedImageMap) {
      SharedImage* aSharedImage = &anEntry.second;
      TESK_ASSERT(aSharedImage->mRefCount == 0);
      delete aSharedImage->mImage;
      aSharedImage->mImage = nullptr;
    }
    mSharedImageMap.clear();
  }

  if (mFrameTimer != nullptr) {
    RemoveEventLoopTimer(mFrameTimer);
    mFrameTimer = nullptr;
  }
  // Images still alive after this no longer report to the display.
  DDInterface* aDisplay = mDDInterface;
  mDDInterface = nullptr;
  delete aDisplay;
  delete mSoundManager;
  mSoundManager = nullptr;

  if (mWindow != nullptr) {
    WindowRef aWindow = mWindow;
    mWindow = nullptr;
    RemoveWindowProperty(aWindow, k_AppCreator, k_AppTag);
    DisposeWindow(aWindow);
  }

  if (gTeskAppBase == this) gTeskAppBase = nullptr;
  if (gImageRegistry == this) gImageRegistry = nullptr;
  if (gWidgetApp == this) gWidgetApp = nullptr;
  if (SEHCatcher::mApp == this) SEHCatcher::mApp = nullptr;
  if (mRecordingDemoBuffer) WriteDemoBuffer();
  ReportDemoPlayed();
}

bool TeskAppBase::IsAltKeyUsed(uint32_t theChar) {
  wint_t aChar = std::towlower(static_cast<wint_t>(theChar));
  return aChar == 13 || aChar == L'r';
}

bool TeskAppBase::DebugKeyDownAsync(int, bool, bool) { return false; }
void TeskAppBase::CloseRequestAsync() {}
void TeskAppBase::Done3dTesting() {}
std::string TeskAppBase::NotifyCrashHook() { return ""; }
bool TeskAppBase::CheckSignature(const Buffer&, const std::string&) { return false; }
void TeskAppBase::GotFocus() {}
void TeskAppBase::LostFocus() {}
void TeskAppBase::LoadingThreadCompleted() {}
void TeskAppBase::InitHook() {}
void TeskAppBase::ShutdownHook() {}
void TeskAppBase::PreTerminate() {}
void TeskAppBase::LoadingThreadProc() {}
void TeskAppBase::PreDisplayHook() {}
void TeskAppBase::InitPropertiesHook() {}
void TeskAppBase::PreDDInterfaceInitHook() {}
void TeskAppBase::PostDDInterfaceInitHook() {}
bool TeskAppBase::ChangeDirHook(const char*) { return false; }
bool TeskAppBase::AppCanRestore() { return !mRestoreBlocked; }
void TeskAppBase::SEHOccured() {
  mSEHOccured = true;
  EnforceCursor();
}

// No bundle version is compiled into this build.
std::string TeskAppBase::GetProductVersion(const std::string&) { return ""; }

bool TeskAppBase::Is3DAccelerated() { return mDDInterface != nullptr && mDDInterface->mIs3D; }

// No 3-D tester is ever made, so nothing recommends 3-D.
bool TeskAppBase::Is3DAccelerationRecommended() { return false; }

void TeskAppBase::NotePointerInWindow(WindowRef theWindow) {
  ::Rect aContent;
  if (theWindow == nullptr || GetWindowBounds(theWindow, kWindowContentRgn, &aContent) != noErr) return;
  ::Point aMouse;
  GetGlobalMouse(&aMouse);
  int x = aMouse.h - aContent.left;
  int y = aMouse.v - aContent.top;
  MapMouseToFrame(x, y);
  NoteLastMousePos(static_cast<uint32_t>(MakeMouseLParam(x, y)));
}

void TeskAppBase::MapMouseToFrame(int& x, int& y) {
  if (mWidgetManager == nullptr) return;
  mWidgetManager->RemapMouse(x, y);
  // In a window the pointer leaves the frame with the window (a drag goes on outside it).
  const TRect<int>& aFrame = mWidgetManager->mMouseDestRect;
  if (mIsPhysWindowed || aFrame.mWidth <= 0 || aFrame.mHeight <= 0) return;
  x = std::clamp(x, aFrame.mX, aFrame.mX + aFrame.mWidth - 1);
  y = std::clamp(y, aFrame.mY, aFrame.mY + aFrame.mHeight - 1);
}

// Both only break into an attached debugger.
void TeskAppBase::DumpProgramInfo() {}
void TeskAppBase::ShowMemoryUsage() {}

void TeskAppBase::HandleGameAlreadyRunning() {
  if (mOnlyOneCopy) DoExit(0);
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
  int32_t aScreenSaverResult = 0;
  if (mIsScreenSaver &&
      ScreenSaverWindowProc(theWindow, theMessage, theWParam, theLParam, &aScreenSaverResult)) {
    return aScreenSaverResult;
  }
  switch (theMessage) {
    case WM_SHOWWINDOW:
      // A hidden window counts as minimised, and a shown one that is not collapsed as restored;
      // only a change is passed on, as a size message.
      if (theWindow == mWindow && !mShutdown) {
        const bool aHide = theWParam == 0;
        const bool isCollapsed = mWindow != nullptr && IsWindowCollapsed(mWindow);
        if (aHide != mPhysMinimized && (aHide || !isCollapsed))
          DoWindowProc(theWindow, WM_SIZE, aHide ? SIZE_MINIMIZED : SIZE_RESTORED, 0);
      }
      return DefaultWindowProc(theWindow, theMessage, theWParam, theLParam);
    case WM_ENABLE:
      mRestoreBlocked = theWParam == 0;
      return DefaultWindowProc(theWindow, theMessage, theWParam, theLParam);
    case WM_PAINT:
      if (mInitialized && gInAssert == 0 && !mSEHOccured) {
        // In 3-D the back buffer does not keep the frame: the next frame is drawn whole instead.
        if (mDDInterface != nullptr && mDDInterface->mIs3D) {
          if (mWidgetManager != nullptr) mWidgetManager->MarkAllDirty();
        } else if (mRunning) {
          Redraw(nullptr);
        }
        return 0;
      }
      return DefaultWindowProc(theWindow, theMessage, theWParam, theLParam);
    case WM_ACTIVATEAPP:
      if (!mPlayingDemoBuffer) mActive = theWParam != 0;
      // A window that comes back to the front shown is no longer minimised, whatever was missed.
      if (theWParam != 0 && mPhysMinimized && mWindow != nullptr && IsWindowVisible(mWindow) &&
          !IsWindowCollapsed(mWindow))
        DoWindowProc(mWindow, WM_SIZE, SIZE_RESTORED, 0);
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

  // The cursor is drawn in the frame, at the frame's pixel under the pointer. A press, a release
  // and a turn of the wheel tell where the pointer is as a move does: the pointer may rest where
  // no move has reported it (a window that opened under it).
  if ((theMessage >= WM_MOUSEMOVE && theMessage <= WM_MBUTTONUP) || theMessage == WM_MOUSEWHEEL) {
    int x = LParamX(theLParam);
    int y = LParamY(theLParam);
    MapMouseToFrame(x, y);
    NoteLastMousePos(static_cast<uint32_t>(MakeMouseLParam(x, y)));
  } else if (theMessage == WM_ACTIVATEAPP && theWParam != 0) {
    // Activation carries no position: the pointer is asked for.
    NotePointerInWindow(mWindow);
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

namespace {

// Starts a demo command at the current update count.
void RecordDemoCommand(TeskAppBase* theApp, bool isShort, int theNumber) {
  theApp->WriteDemoTimingBlock();
  theApp->mDemoBuffer.WriteNumBits(isShort ? 1 : 0, 1);
  theApp->mDemoBuffer.WriteNumBits(theNumber, isShort ? 1 : 5);
}

// The demo commands of one queued message, written before it is handled.
void RecordDemoMessage(TeskAppBase* theApp, const tagMSG& theMessage) {
  Buffer& aBuffer = theApp->mDemoBuffer;
  const uint32_t aWParam = theMessage.wParam;
  switch (theMessage.message) {
    case WM_CHAR:
      RecordDemoCommand(theApp, false, DEMO_KEY_CHAR);
      aBuffer.WriteNumBits(0, 1);
      aBuffer.WriteNumBits(static_cast<int>(aWParam), 8);
      return;
    case WM_MOUSEWHEEL:
      RecordDemoCommand(theApp, false, DEMO_MOUSE_WHEEL);
      aBuffer.WriteNumBits(WheelDelta(aWParam) / 120, 8);
      return;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
    case WM_KEYUP:
    case WM_SYSKEYUP: {
      const bool isDown = theMessage.message == WM_KEYDOWN || theMessage.message == WM_SYSKEYDOWN;
      RecordDemoCommand(theApp, false, isDown ? DEMO_KEY_DOWN : DEMO_KEY_UP);
      aBuffer.WriteNumBits(static_cast<int>(aWParam), 8);
      return;
    }
    case WM_ACTIVATEAPP:
      if (theMessage.hwnd != theApp->mWindow) return;
      RecordDemoCommand(theApp, false, DEMO_ACTIVATE_APP);
      aBuffer.WriteNumBits(aWParam != 0 ? 1 : 0, 1);
      return;
    case WM_SIZE:
      RecordDemoCommand(theApp, false, DEMO_SIZE);
      aBuffer.WriteBoolean(aWParam == SIZE_MINIMIZED);
      return;
    case WM_CLOSE:
      if (theMessage.hwnd != theApp->mWindow && theMessage.hwnd != theApp->mMusicWindow) return;
      RecordDemoCommand(theApp, false, DEMO_CLOSE);
      return;
    default:
      break;
  }
  if (theMessage.message < WM_MOUSEMOVE || theMessage.message > WM_MBUTTONUP) return;
  // The spot the widgets will see: a replay hands the recorded spot to them as it is, so a
  // stretched window's mapping is made here, not again on replay.
  int x = LParamX(theMessage.lParam);
  int y = LParamY(theMessage.lParam);
  theApp->MapMouseToFrame(x, y);
  const int dx = x - theApp->mLastDemoMouseX;
  const int dy = y - theApp->mLastDemoMouseY;
  if (dx < -31 || dx > 31 || dy < -31 || dy > 31) {
    RecordDemoCommand(theApp, false, DEMO_MOUSE_POSITION);
    aBuffer.WriteNumBits(x, 12);
    aBuffer.WriteNumBits(y, 12);
  } else if (dx != 0 || dy != 0) {
    RecordDemoCommand(theApp, true, DEMO_MOUSE_SHORTMOVE);
    aBuffer.WriteNumBits(dx, 6);
    aBuffer.WriteNumBits(dy, 6);
  }
  int aButton = 0;
  bool isDown = true;
  switch (theMessage.message) {
    case WM_LBUTTONDOWN:
      aButton = 1;
      break;
    case WM_LBUTTONDBLCLK:
      aButton = 2;
      break;
    case WM_RBUTTONDOWN:
      aButton = -1;
      break;
    case WM_RBUTTONDBLCLK:
      aButton = -2;
      break;
    case WM_MBUTTONDOWN:
      aButton = 3;
      break;
    case WM_LBUTTONUP:
      aButton = 1;
      isDown = false;
      break;
    case WM_RBUTTONUP:
      aButton = -1;
      isDown = false;
      break;
    case WM_MBUTTONUP:
      aButton = 3;
      isDown = false;
      break;
    default:
      break;
  }
  if (aButton != 0) {
    RecordDemoCommand(theApp, true, DEMO_MOUSE_BUTTON);
    aBuffer.WriteNumBits(isDown ? 1 : 0, 1);
    aBuffer.WriteNumBits(aButton, 3);
  }
  theApp->mLastDemoMouseX = x;
  theApp->mLastDemoMouseY = y;
}

}  // namespace

bool TeskAppBase::ProcessDeferredMessages(bool singleMessage) {
  while (!mDeferredMessages.empty()) {
    // Handling may send new messages, so the record leaves the queue first.
    tagMSG aMessage = mDeferredMessages.front();
    mDeferredMessages.pop_front();
    if (mRecordingDemoBuffer && !mShutdown) RecordDemoMessage(this, aMessage);
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
  WidgetManager* aWidgets = mWidgetManager;
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
        ClearKeysDown();
        break;
      }
      if (aKey == 'D' && aWidgets != nullptr && aWidgets->mKeyDown[KEYCODE_CONTROL] &&
          aWidgets->mKeyDown[KEYCODE_COMMAND]) {
        mDebugKeysEnabled = !mDebugKeysEnabled;
      }
      if (mDebugKeysEnabled && DebugKeyDown(static_cast<int>(aKey))) break;
      if (aWidgets != nullptr) aWidgets->KeyDown(static_cast<KeyCode>(aKey));
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      mLastUserInputTick = mLastTimerTime;
      if (aWidgets != nullptr) aWidgets->KeyUp(static_cast<KeyCode>(aKey));
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
      MapMouseToFrame(x, y);
      mLastUserInputTick = mLastTimerTime;
      if (aWidgets != nullptr) aWidgets->MouseMove(x, y);
      if (!mMouseIn) {
        if (mRecordingDemoBuffer) RecordDemoCommand(this, false, DEMO_MOUSE_ENTER);
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
        ::Rect aContent;
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
  ::Point aMouse;
  GetGlobalMouse(&aMouse);
  WindowRef aWindowUnder = nullptr;
  WindowPartCode aPart = FindWindow(aMouse, &aWindowUnder);
  ::Rect aContent = {0, 0, 0, 0};
  bool anInside = theMessage.hwnd != nullptr && aWindowUnder == theMessage.hwnd && aPart == inContent &&
                  GetWindowBounds(theMessage.hwnd, kWindowContentRgn, &aContent) == noErr;
  if (anInside == mMouseIn) return;
  if (!anInside && mWidgetManager != nullptr) {
    if (theMessage.hwnd != nullptr) GetWindowBounds(theMessage.hwnd, kWindowContentRgn, &aContent);
    int x = aMouse.h - aContent.left;
    int y = aMouse.v - aContent.top;
    MapMouseToFrame(x, y);
    mWidgetManager->MouseExit(x, y);
  }
  if (mRecordingDemoBuffer && !mShutdown)
    RecordDemoCommand(this, false, anInside ? DEMO_MOUSE_ENTER : DEMO_MOUSE_EXIT);
  // Found in by looking, the pointer may not have moved since the last message told where it was.
  if (anInside) NotePointerInWindow(theMessage.hwnd);
  mMouseIn = anInside;
  EnforceCursor();
}

}  // namespace Tesk

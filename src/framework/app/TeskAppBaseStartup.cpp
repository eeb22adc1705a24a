// Start-up and shutdown: preferences, folders, the archive, the window and the display, sound
// and music, the run of the main loop, and stopping.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "core/MTRand.h"
#include "core/MacUtils.h"
#include "app/MacWindowProc.h"
#include "app/TeskAppBase.h"
#include "app/TeskAppBaseShared.h"
#include "display/DDInterface.h"
#include "display/DIRECTDRAW2.h"
#include "platform/carbon/AppleEvents.h"
#include "platform/carbon/CarbonEvents.h"
#include "platform/carbon/CarbonWindows.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "platform/corefoundation/CFBundle.h"
#include "platform/corefoundation/CFPreferences.h"
#include "platform/coregraphics/CoreGraphics.h"
#include "platform/files/FileManager.h"
#include "platform/mp/Multiprocessing.h"
#include "platform/quicktime/QuickTime.h"
#include "resources/ImageLib.h"
#include "resources/PakInterface.h"
#include "resources/ResourceManager.h"
#include "sound/BassMusicInterface.h"
#include "sound/DSoundManager.h"
#include "sound/MusicInterface.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

namespace {

// The frame timer: a timer message to the window every step.
void MacTimerProc(EventLoopTimerRef, void* theWindow) {
  SendMessage(theWindow, WM_COMMAND, MakeOSType("KWMR"), WM_TIMER);
}

int MainDisplayWidth() { return static_cast<int>(CGDisplayPixelsWide(CGMainDisplayID())); }
int MainDisplayHeight() { return static_cast<int>(CGDisplayPixelsHigh(CGMainDisplayID())); }

// A coordinate kept 4 pixels inside the display.
int KeepInside(int thePos, int theSize, int theDisplaySize) {
  if (thePos < 4) return 4;
  if (thePos + theSize >= theDisplaySize - 4) return theDisplaySize - theSize - 4;
  return thePos;
}

}  // namespace

void TeskAppBase::Init() {
  mPrimaryThreadId = MPCurrentTaskID();
  AEInstallEventHandler(kCoreEventClass, kAEQuitApplication, NewAEEventHandlerUPP(HandleQuitApplication),
                        reinterpret_cast<SRefCon>(this), false);
  if (mShutdown) return;

  InitPropertiesHook();

  // The data folder holds the preferences and the demos, so it is chosen before the command
  // line names a demo and before the preferences are read.
  ChooseAppDataFolder();

  // Parsed here, not before Init: numbered demos are counted and found in the data folder, and
  // a demo to play is read before the preferences, whose reads it recorded.
  if (!mCmdLineParsed) DoParseCmdLine();
  if (mIsScreenSaver) mOnlyOneCopy = false;

  mRandSeed = GetTickCount();
  SRand(mRandSeed);

  if (mPlayingDemoBuffer) {
    std::string anError;
    if (!ReadDemoBuffer(anError)) {
      mPlayingDemoBuffer = false;
      Popup(anError);
      DoExit(0);
    }
  }

  ReadFromRegistry();

  if (!ChangeDirHook(mChangeDirTo.c_str()) && !mChangeDirTo.empty()) {
    if (chdir(mChangeDirTo.c_str()) != 0) {
      if (mChangeDirFromCmdLine) {
        Popup(StringToTeskString("Cannot work in the resources folder " + mChangeDirTo));
        DoExit(1);
      }
      OutputDebug(L"Could not change to the resources folder\r\n");
    } else if (mChangeDirFromCmdLine) {
      // The named folder is the run's resources folder: a file it lacks, its archive included,
      // is not taken from the build's folder instead.
      char aFolder[4096];
      if (getcwd(aFolder, sizeof(aFolder)) != nullptr) CFBundleSetResourcesDirectoryPath(aFolder);
    }
  }

  if (mChangeDirFromCmdLine && access("main.pak", F_OK) != 0) {
    std::fprintf(stderr, "-changedir: %s holds no main.pak; its own files are read, with no archive\n",
                 mChangeDirTo.c_str());
  } else {
    AddMainPak();
  }

  // The C library's generator too starts from the run's seed, which a played demo brings with
  // it: a game that draws from it then replays as it was recorded.
  srand(mRandSeed);

  PreDisplayHook();

  if (mWidgetManager != nullptr) {
    TRect<int> aRect(0, 0, mWidth, mHeight);
    mWidgetManager->Resize(aRect, aRect);
  }

  if (mIsWindowed && !mFullScreenResolutionSet &&
      (mWidth >= MainDisplayWidth() || mHeight >= MainDisplayHeight())) {
    mIsWindowed = false;
  }

  MakeWindow();

  if (mSoundManager == nullptr) {
    mSoundManager = new DSoundManager(mNoSoundNeeded ? nullptr : mWindow, mSoundManagerOption);
  }
  SetSfxVolume(mSfxVolume);
  mMusicInterface = CreateMusicInterface(mMusicWindow);
  SetMusicVolume(mMusicVolume);

  if (mIsScreenSaver) SetCursor(11);

  InitHook();
  mInitialized = true;
}

void TeskAppBase::ChooseAppDataFolder() {
  FSRef aSupport;
  std::string aFolder;
  if (FSFindApplicationSupportFolder(true, &aSupport) == noErr && !aSupport.mPath.empty()) {
    aFolder = aSupport.mPath + "/" + mCompanyName + "/" + mProductName + "/";
    MkDir(aFolder);
    struct stat anInfo;
    if (stat(aFolder.c_str(), &anInfo) != 0 || !S_ISDIR(anInfo.st_mode) || access(aFolder.c_str(), W_OK) != 0) {
      aFolder.clear();
    }
  }
  if (aFolder.empty()) {
    // Never a folder elsewhere (the filesystem root, the working folder): the run goes on and
    // keeps its preferences in memory only.
    std::fprintf(stderr,
                 "%s: no per-user data folder could be made (set XDG_DATA_HOME or HOME); preferences, "
                 "profiles, saves, demos and screenshots will not be saved\n",
                 mProductName.c_str());
    SetAppDataFolder("");
    CFPreferencesKeepInMemory();
    return;
  }
  SetAppDataFolder(aFolder);
  CFPreferencesSetStorePath(GetAppDataFolder() + "Preferences.txt");
}

MusicInterface* TeskAppBase::CreateMusicInterface(WindowRef theWindow) {
  if (mNoSoundNeeded) return new MusicInterface();
  return new BassMusicInterface(theWindow);
}

void TeskAppBase::MakeWindow() {
  if (mWindow != nullptr) {
    if (mFrameTimer != nullptr) {
      RemoveEventLoopTimer(mFrameTimer);
      mFrameTimer = nullptr;
    }
    RemoveWindowProperty(mWindow, k_AppCreator, k_AppTag);
    // The display's surfaces and contexts draw into the window: they go before it does.
    if (mWidgetManager != nullptr) mWidgetManager->mImage = nullptr;
    if (mDDInterface != nullptr) mDDInterface->Cleanup();
    DisposeWindow(mWindow);
    mWindow = nullptr;
  }

  std::string aTitle = TeskStringToString(mTitle);
  bool aFullScreen = !mPlayingDemoBuffer && !(mIsWindowed && !mFullScreenResolutionSet);
  if (aFullScreen) {
    MacCreateWindow(0, 0, mWidth, mHeight, aTitle.c_str(), &TeskAppBase::WindowProc, nullptr, &mWindow);
    mIsPhysWindowed = false;
  } else {
    int x = 64;
    int y = 64;
    if (mPreferredX != -1) {
      x = KeepInside(mPreferredX, mWidth, MainDisplayWidth());
      y = KeepInside(mPreferredY, mHeight, MainDisplayHeight());
    }
    MacCreateWindow(x, y, mWidth, mHeight, aTitle.c_str(), &TeskAppBase::WindowProc, nullptr, &mWindow);
    if (mPreferredX == -1 && mWindow != nullptr) {
      int aLeft = (MainDisplayWidth() - mWidth) / 2;
      int aTop = static_cast<int>(0.382 * (MainDisplayHeight() - mHeight));
      MoveWindow(mWindow, static_cast<SInt16>(aLeft), static_cast<SInt16>(aTop), false);
    }
    mIsPhysWindowed = true;
  }

  if (mWindow != nullptr) {
    TeskAppBase* aSelf = this;
    SetWindowProperty(mWindow, k_AppCreator, k_AppTag, sizeof(aSelf), &aSelf);
  }

  if (mDDInterface == nullptr) {
    mDDInterface = new DDInterface(this);
    mDDInterface->mIs3D = true;
    mAutoEnable3D = false;
  }

  int aResult = InitDDInterface();

  if (mIsWindowed && aResult == RESULT_INVALID_COLORDEPTH) {
    if (!mForceWindowed) {
      mForceFullscreen = true;
      SwitchScreenMode(false);
      return;
    }
    Popup(GetString("PLEASE_SET_COLOR_DEPTH", L"Please set your desktop color depth to 16 bit."));
    DoExit(1);
    return;
  }
  if (!mIsWindowed && (aResult == RESULT_EXCLUSIVE_FAIL || aResult == RESULT_DISPCHANGE_FAIL)) {
    mForceWindowed = true;
    SwitchScreenMode(true);
  } else if (aResult == RESULT_3D_FAIL) {
    Set3DAcclerated(false, true);
    return;
  } else if (aResult != RESULT_OK) {
    if (Is3DAccelerated()) {
      Set3DAcclerated(false, true);
      return;
    }
    Popup(GetString("FAILED_INIT_DIRECTDRAW", L"Failed to initialize DirectDraw: ") +
          StringToTeskString(DDInterface::ResultToString(aResult) + " " + mDDInterface->mErrorString));
    DoExit(1);
    return;
  }

  mPhysMinimized = false;
  if (mMinimized) {
    if (mMuteOnLostFocus) Unmute(true);
    mMinimized = false;
    RehupFocus();
  }

  ReInitImages();
  ScreenImageChanged();

  if (mWindow != nullptr && mFrameTimer == nullptr) {
    InstallEventLoopTimer(GetMainEventLoop(), 0, mFrameTime * 0.001, NewEventLoopTimerUPP(MacTimerProc),
                          mWindow, &mFrameTimer);
  }
}

int TeskAppBase::InitDDInterface() {
  PreDDInterfaceInitHook();
  DeleteNativeImageData();
  DDInterface::AppView& aView = mDDInterface->mAppView;
  aView.mWidth = mWidth;
  aView.mHeight = mHeight;
  aView.mFullScreenBits = mFullscreenBits;
  aView.mForceAspect = mEnableWindowAspect;
  aView.mForcedAspect = mWindowAspect;
  aView.mDrawBufferTakesWindowSize = mWindowAspectStretch;
  aView.mWaitForVSync = mWaitForVSync;
  aView.mSoftVSyncWait = mSoftVSyncWait;
  aView.mVSyncBroken = mVSyncBroken;
  int aResult = mDDInterface->Init(mWindow, mIsPhysWindowed);
  mVSyncBroken = aView.mVSyncBroken;
  DemoSyncRefreshRate();
  if (aResult != RESULT_OK) return aResult;

  mScreenBounds = TRect<int>((mWidth - mDDInterface->mWidth) / 2, (mHeight - mDDInterface->mHeight) / 2,
                             mDDInterface->mWidth, mDDInterface->mHeight);
  if (mWidgetManager != nullptr) mWidgetManager->Resize(mScreenBounds, aView.mPresentationRect);
  PostDDInterfaceInitHook();
  return RESULT_OK;
}

void TeskAppBase::LoadResourceManifest() {
  if (!mResourceManager->ParseResourcesFile("properties\\resources.xml")) ShowResourceError(true);
}

void TeskAppBase::ShowResourceError(bool doExit) {
  Popup(mResourceManager->GetErrorText());
  if (doExit) DoExit(0);
}

void TeskAppBase::DoExit(int theCode) {
  RestoreScreenResolution();
  std::exit(theCode);
}

void TeskAppBase::Start() {
  if (mShutdown) return;
  StartCursorThread();
  if (mAutoStartLoadingThread) StartLoadingThread();
  if (mWindow != nullptr) {
    ShowWindow(mWindow);
    SelectWindow(mWindow);
  }
  mLastTimerTime = GetTickCount();
  mLastBigDelayTime = mLastTimerTime;

  mRunning = true;
  DoMainLoop();
  ProcessSafeDeleteList();
  mRunning = false;

  StopCursorThread();
  WaitForLoadingThread();
  PreTerminate();
  WriteToRegistry();
}

void TeskAppBase::Shutdown() {
  if (mPrimaryThreadId != 0 && MPCurrentTaskID() != mPrimaryThreadId) {
    // Off the main thread only ask: the main loop shuts down on its next pass.
    mLoadingFailed = true;
    return;
  }
  if (mShutdown) return;
  mExitToTop = true;
  mShutdown = true;
  DemoShutdown();
  ShutdownHook();
  if (mPlayingDemoBuffer) {
    SetMusicVolume(mDemoMusicVolume);
    SetSfxVolume(mDemoSfxVolume);
  }
  if (mMusicInterface != nullptr) mMusicInterface->StopAllMusic();
  if (!mIsPhysWindowed) DIRECTDRAW2::RestoreDisplayMode();
  if (mWindow != nullptr) HideWindow(mWindow);
  RestoreScreenResolution();
  if (mReadFromRegistry) WriteToRegistry();
  ImageLib::CloseJPEG2000();
}

void TeskAppBase::RestoreScreenResolution() {
  if (!mFullScreenResolutionSet) return;
  for (WindowRef aWindow = FrontWindow(); aWindow != nullptr; aWindow = GetNextWindow(aWindow)) {
    ChangeDisplayWindowEnumProc(aWindow, false);
  }
  EndFullScreen(static_cast<Ptr>(mFullScreenContext), 0);
  for (WindowRef aWindow = FrontWindow(); aWindow != nullptr; aWindow = GetNextWindow(aWindow)) {
    ChangeDisplayWindowEnumProc(aWindow, true);
  }
  mFullScreenResolutionSet = false;
}

}  // namespace Tesk

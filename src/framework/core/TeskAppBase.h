// The application object: one per process, reached through gTeskAppBase. It turns window
// messages into widget input and keeps the state of the main loop.
//
// Operations whose behaviour belongs to collaborators that are not here yet (display,
// sound, start-up and shutdown) are pure virtual: a subclass supplies them until the
// application object does.
#pragma once

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <list>
#include <string>
#include <utility>

#include "core/Buffer.h"
#include "core/Common.h"
#include "core/MacUtils.h"
#include "core/RegistryDemoHooks.h"
#include "core/WindowMessages.h"

namespace Tesk {

template <class T>
class TRect;
class WidgetManagerSeam;
class DDInterface;

class TeskAppBase : public RegistryDemoHooks {
 public:
  TeskAppBase();
  virtual ~TeskAppBase();

  // Window messages ----------------------------------------------------------------------------

  // The window procedure of every window the application makes. Finds its application object
  // through the window's 'KWMR'/'USRD' property, or gTeskAppBase.
  static int32_t WindowProc(WindowRef theWindow, uint32_t theMessage, uint32_t theWParam, int32_t theLParam);
  // Handles queued messages front first: one, or all when singleMessage is false.
  // Returns whether messages remain.
  bool ProcessDeferredMessages(bool singleMessage);

  // Hooks with their base behaviour -----------------------------------------------------------

  // True when the lower-cased character is Return or 'r'.
  virtual bool IsAltKeyUsed(uint32_t theChar);
  virtual bool DebugKeyDownAsync(int theKey, bool ctrlDown, bool altDown);
  virtual void CloseRequestAsync();
  virtual void GotFocus();
  virtual void LostFocus();
  // Type 0 expands a collapsed window and brings it to the front.
  virtual void HandleNotifyGameMessage(int theType, int theParam);
  virtual void URLOpenFailed(const std::string& theURL);
  virtual void URLOpenSucceeded(const std::string& theURL);

  // Re-evaluates the focus from mActive and mMinimized and tells the widgets and the game.
  void RehupFocus();

  // Supplied by a subclass until the application object does them itself ----------------------

  virtual void Shutdown() = 0;
  virtual void Redraw(TRect<int>* theClipRect) = 0;
  virtual void EnforceCursor() = 0;
  virtual void SwitchScreenMode(bool wantWindowed) = 0;
  virtual void Mute(bool autoMute) = 0;
  virtual void Unmute(bool autoMute) = 0;

 public:
  std::string mProductName;
  TeskString mTitle;
  int32_t mPreferredX;
  int32_t mPreferredY;
  int32_t mWidth;
  int32_t mHeight;
  uint32_t mNotifyGameMessage;
  WidgetManagerSeam* mWidgetManager;  // not owned while it is a seam
  bool mSEHOccured;
  bool mShutdown;
  bool mExitToTop;
  bool mIsWindowed;
  bool mIsPhysWindowed;
  bool mForceFullscreen;
  bool mForceWindowed;
  bool mInitialized;
  WindowRef mWindow;
  WindowRef mMusicWindow;
  bool mIsScreenSaver;
  bool mAllowMonitorPowersave;
  bool mNoDefer;
  bool mAlphaDisabled;
  // Sound, volume and URL state.
  int32_t mMuteCount;
  int32_t mAutoMuteCount;
  bool mIsOpeningURL;
  bool mShutdownOnURLOpen;
  std::string mOpeningURL;
  uint32_t mOpeningURLTime;
  bool mMuteOnLostFocus;
  // Main loop.
  int32_t mFrameTime;
  double mUpdateFTimeAcc;
  uint32_t mLastTimeCheck;
  int32_t mUpdateCount;
  double mUpdateMultiplier;
  bool mPaused;
  int32_t mFastForwardToUpdateNum;
  bool mFastForwardToMarker;
  bool mFastForwardStep;
  // Focus and window state.
  bool mMouseIn;
  bool mRunning;
  bool mActive;
  bool mMinimized;
  bool mPhysMinimized;
  bool mRestoreBlocked;
  bool mHasFocus;
  bool mLoaded;
  // Demo recording and playback.
  bool mRecordingDemoBuffer;
  bool mPlayingDemoBuffer;
  bool mWindowClosed;
  int32_t mDemoLength;
  int32_t mLastDemoMouseX;
  int32_t mLastDemoMouseY;
  // Keys seen by the message layer.
  bool mCtrlDown;
  bool mAltDown;
  // Window-message state.
  bool mDebugKeysEnabled;
  std::deque<tagMSG> mDeferredMessages;
  uint32_t mLastTimerTime;
  uint32_t mLastBigDelayTime;
  uint32_t mLastUserInputTick;
  // Tick of the last monitor power-off request, for the screen saver.
  uint32_t mLastMonitorPowerTick;

  // ---- Demo recording and playback, command line, screen saver, developer services ----
  // (This block is shared by two engineers: paste it VERBATIM into the public part of
  //  class TeskAppBase in core/TeskAppBase.h, directly before the `private:` line that
  //  starts the private members. Include "core/Buffer.h", <list>, <utility>, <string>.)

  // Demo recording and playback.
  void WriteDemoTimingBlock() override;
  bool PrepareDemoCommand(bool theRequired) override;
  bool IsRecordingDemo() const override;
  bool IsPlayingDemo() const override;
  bool IsWindowClosed() const override;
  Buffer& GetDemoBuffer() override;
  bool IsDemoShortCommand() const override;
  int GetDemoCommandNumber() const override;
  void SetDemoNeedsCommand() override;
  void ProcessDemo();
  void DemoSyncBuffer(Buffer* theBuffer);
  void DemoSyncString(std::string* theString);
  void DemoSyncRefreshRate();
  void WriteDemoBuffer();
  bool ReadDemoBuffer(std::string& theError);
  int GetMaxDemoFileNum(const std::string& theDemoPrefix, int theMaxToKeep, bool doDeleteOldest);
  virtual void ToggleDemoSoundVolume();
  void CalculateDemoTimeLeft();
  // Command line and screen-saver mode.
  virtual void DoParseCmdLine();
  virtual void ParseCmdLine(const std::string& theCmdLine);
  virtual void HandleCmdLineParam(const std::string& theParamName, const std::string& theParamValue);
  virtual void LogScreenSaverError(const std::string& theError);
  bool ScreenSaverWindowProc(WindowRef theWindow, uint32_t theMessage, uint32_t theWParam, int32_t theLParam,
                             int32_t* theResult);
  void UpdateScreenSaverInfo(uint32_t theTick);
  // Screenshots, crash-report text and developer keys.
  void TakeScreenshot();
  virtual std::string GetGameSEHInfo();
  virtual bool DebugKeyDown(int theKey);

  std::string mDemoPrefix = "teskapp";
  std::string mDemoFileName = "teskapp.dmo";
  Buffer mDemoBuffer;
  int32_t mLastDemoUpdateCnt = 0;
  bool mDemoNeedsCommand = true;
  bool mDemoIsShortCmd = false;
  int32_t mDemoCmdNum = 0;
  bool mDemoLoadingComplete = false;
  std::list<std::pair<std::string, int32_t>> mDemoMarkerList;
  double mDemoMusicVolume = 0.0;
  double mDemoSfxVolume = 0.0;
  int32_t mSyncRefreshRate = 100;
  bool mCmdLineParsed = false;
  // (Fields take their defaults here so that neither constructor needs to change.)
  // ---- end of the shared block ----

  // ---- demo engineer additions ----
  // Fields of the application object that demo playback, the command line, the crash report
  // and the developer keys read.
  uint32_t mRandSeed = 0;
  std::string mProductVersion;
  std::string mChangeDirTo;
  uint32_t mPrimaryThreadId = 0;
  uint32_t mTimeLoaded = GetTickCount();
  DDInterface* mDDInterface = nullptr;  // not owned here yet
  double mMusicVolume = 0.85;
  double mSfxVolume = 0.85;
  int32_t mStepMode = 0;
  bool mShowFPS = false;
  int32_t mShowFPSMode = 0;
  uint32_t mFPSStartTick = GetTickCount();
  int32_t mFPSFlipCount = 0;
  int32_t mFPSDirtyCount = 0;
  uint32_t mFPSTime = 0;
  int32_t mFPSCount = 0;

  // Services that other parts of the application object provide. These plain versions keep
  // the object whole until those land; a subclass may override them.
  virtual void SEHOccured() { mSEHOccured = true; }
  virtual std::string NotifyCrashHook() { return std::string(); }
  virtual void CopyToClipboard(const std::string&) {}
  virtual double GetMusicVolume() { return mMusicVolume; }
  virtual void SetMusicVolume(double theVolume) { mMusicVolume = theVolume; }
  virtual double GetSfxVolume() { return mSfxVolume; }
  virtual void SetSfxVolume(double theVolume) { mSfxVolume = theVolume; }
  virtual void ClearUpdateBacklog(bool) { mUpdateFTimeAcc = 0.0; }
  virtual bool Is3DAccelerated() { return false; }
  virtual void Set3DAcclerated(bool, bool) {}
  virtual int MsgBox(const std::string& theText, const std::string& theTitle, int theFlags) {
    return MessageBox(nullptr, theText.c_str(), theTitle.c_str(), static_cast<uint32_t>(theFlags));
  }
  virtual void Popup(const TeskString& theText) {
    MessageBoxW(nullptr, TeskStringToString(theText).c_str(), "FATAL ERROR", MB_ICONHAND);
  }
  virtual TeskString GetString(const std::string&, const TeskString& theDefault) { return theDefault; }
  virtual void DoExit(int theCode) { std::exit(theCode); }
  virtual void ShowMemoryUsage() {}
  virtual void DumpProgramInfo() {}
  // ---- end of demo engineer additions ----

 private:
  int32_t DoWindowProc(WindowRef theWindow, uint32_t theMessage, uint32_t theWParam, int32_t theLParam);
  int32_t DefaultWindowProc(WindowRef theWindow, uint32_t theMessage, uint32_t theWParam, int32_t theLParam);
  void HandlePlaybackKey(uint32_t theChar);
  void HandleDeferredMessage(const tagMSG& theMessage);
  void HandleTimer(const tagMSG& theMessage);

  TeskAppBase(const TeskAppBase&) = delete;
  TeskAppBase& operator=(const TeskAppBase&) = delete;
};

extern TeskAppBase* gTeskAppBase;

// The pointer's last position in the window (x low 16 bits, y high), kept by the window
// procedure for the cursor thread; one word so that x and y always belong together.
extern std::atomic<uint32_t> gLastMousePos;

}  // namespace Tesk

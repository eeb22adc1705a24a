// The application object: one per process, reached through gTeskAppBase. It turns window
// messages into widget input and keeps the state of the main loop.
//
// Operations whose behaviour belongs to collaborators that are not here yet (display,
// sound, start-up and shutdown) are pure virtual: a subclass supplies them until the
// application object does.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <string>

#include "core/Common.h"
#include "core/WindowMessages.h"

namespace Tesk {

template <class T>
class TRect;
class WidgetManagerSeam;

class TeskAppBase {
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
  virtual bool DebugKeyDown(int theKey) = 0;
  virtual void Mute(bool autoMute) = 0;
  virtual void Unmute(bool autoMute) = 0;
  virtual void ToggleDemoSoundVolume() = 0;

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

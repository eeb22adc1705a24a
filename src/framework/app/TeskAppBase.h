// The application object: one per process, reached through gTeskAppBase. It owns the window,
// the widget manager, the resource manager, the display, the sound manager and the music
// interface, runs the fixed-step main loop and keeps every setting of the run.
#pragma once

#include <atomic>
#include <cstdint>
#include <deque>
#include <list>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "core/Buffer.h"
#include "core/Common.h"
#include "core/CritSect.h"
#include "core/Ratio.h"
#include "core/Registry.h"
#include "core/RegistryDemoHooks.h"
#include "app/WindowMessages.h"
#include "graphics/ImageRegistry.h"
#include "graphics/SharedImage.h"
#include "graphics/SharedImageRef.h"
#include "graphics/TRect.h"
#include "platform/carbon/CarbonEvents.h"
#include "resources/FontHost.h"
#include "resources/ResourceHost.h"
#include "widgets/ButtonListener.h"
#include "widgets/DialogListener.h"
#include "widgets/WidgetApp.h"

namespace ImageLib {
class Image;
}

namespace Tesk {

class DDImage;
class DDInterface;
class Dialog;
class Image;
class MemoryImage;
class MusicInterface;
class ResourceManager;
class SoundManager;
class Widget;
class WidgetManager;

// A widget queued for deletion once the loop has unwound to the depth it was queued at.
struct WidgetSafeDeleteInfo {
  int mUpdateAppDepth;
  Widget* mWidget;
};

class TeskAppBase : public ButtonListener,
                    public DialogListener,
                    public ImageRegistry,
                    public FontHost,
                    public ResourceHost,
                    public WidgetApp,
                    public RegistryDemoHooks {
 public:
  TeskAppBase();
  ~TeskAppBase() override;

  // Buttons and dialogs ------------------------------------------------------------------------
  using ButtonListener::ButtonPress;
  void DialogButtonPress(int theDialogId, int theButtonId) override;
  void DialogButtonDepress(int theDialogId, int theButtonId) override;

  // What a program overrides: start-up, the loop, dialogs, sound, images, focus ----------------
  // One pass of timing, updates and drawing; false only when it would have to sleep and may not.
  virtual bool Process(bool allowSleep = true);
  virtual void UpdateFrames();
  virtual bool DoUpdateFrames();
  virtual void DoUpdateFramesF(float theFrac);
  virtual void MakeWindow();
  virtual void EnforceCursor();
  virtual void ReInitImages();
  virtual void DeleteNativeImageData();
  virtual void DeleteExtraImageData();
  virtual void LoadingThreadCompleted();
  virtual MusicInterface* CreateMusicInterface(WindowRef theWindow);
  virtual void InitHook();
  virtual void ShutdownHook();
  virtual void PreTerminate();
  virtual void LoadingThreadProc();
  virtual void WriteToRegistry();
  virtual void ReadFromRegistry();
  virtual Dialog* NewDialog(int theDialogId, bool isModal, const TeskString& theDialogHeader,
                            const TeskString& theDialogLines, const TeskString& theDialogFooter,
                            int theButtonMode);
  virtual void PreDisplayHook();
  virtual void BeginPopup();
  virtual void EndPopup();
  virtual int MsgBox(const std::string& theText, const std::string& theTitle = "Message", int theFlags = 0);
  virtual int MsgBox(const TeskString& theText, const TeskString& theTitle = L"Message", int theFlags = 0);
  void Popup(const std::string& theString) override;
  virtual void Popup(const TeskString& theString);
  virtual void SafeDeleteWidget(Widget* theWidget);
  virtual void URLOpenFailed(const std::string& theURL);
  virtual void URLOpenSucceeded(const std::string& theURL);
  virtual bool OpenURL(const std::string& theURL, bool shutdownOnOpen = false);
  virtual std::string GetProductVersion(const std::string& thePath);
  virtual void SEHOccured();
  virtual void Shutdown();
  virtual void HandleNotifyGameMessage(int theType, int theParam);
  virtual void HandleGameAlreadyRunning();
  virtual void Start();
  virtual void Init();
  virtual void PreDDInterfaceInitHook();
  virtual void PostDDInterfaceInitHook();
  virtual bool ChangeDirHook(const char* theIntendedPath);
  void PlaySample(int theSoundNum) override;
  virtual void PlaySample(int theSoundNum, int thePan);
  virtual double GetMasterVolume();
  virtual double GetMusicVolume();
  virtual double GetSfxVolume();
  virtual bool IsMuted();
  virtual void SetMasterVolume(double theVolume);
  virtual void SetMusicVolume(double theVolume);
  virtual void SetSfxVolume(double theVolume);
  virtual void Mute(bool autoMute = false);
  virtual void Unmute(bool autoMute = false);
  virtual double GetLoadingThreadProgress();
  // Decodes the file (or takes the decoded image) into a new image of the display.
  virtual DDImage* GetImage(ImageLib::Image* theImage, bool commitBits = true);
  DDImage* GetImage(const std::string& theFileName, bool commitBits = true) override;
  SharedImageRef GetSharedImage(const std::string& theFileName, bool& is8Bit, const std::string& theVariant = "",
                                bool* isNew = nullptr) override;
  virtual void SwitchScreenMode();
  virtual void SwitchScreenMode(bool wantWindowed);
  virtual void SwitchScreenMode(bool wantWindowed, bool is3D, bool force = false);
  virtual void SetAlphaDisabled(bool isDisabled);
  virtual Dialog* DoDialog(int theDialogId, bool isModal, const TeskString& theDialogHeader,
                           const TeskString& theDialogLines, const TeskString& theDialogFooter,
                           int theButtonMode);
  virtual Dialog* GetDialog(int theDialogId);
  virtual void AddDialog(int theDialogId, Dialog* theDialog);
  virtual void AddDialog(Dialog* theDialog);
  virtual bool KillDialog(int theDialogId, bool removeWidget, bool deleteWidget);
  bool KillDialog(int theDialogId) override;
  virtual bool KillDialog(Dialog* theDialog);
  virtual int GetDialogCount();
  virtual void ModalOpen();
  virtual void ModalClose();
  virtual void GotFocus();
  virtual void LostFocus();
  // True when the lower-cased character is Return or 'r'.
  virtual bool IsAltKeyUsed(uint32_t theChar);
  virtual bool DebugKeyDownAsync(int theKey, bool ctrlDown, bool altDown);
  virtual void CloseRequestAsync();
  virtual void Done3dTesting();
  virtual std::string NotifyCrashHook();
  virtual bool CheckSignature(const Buffer& theBuffer, const std::string& theFileName);
  // Presents a frame when something changed, a second passed or the image cursor moved.
  virtual bool DrawDirtyStuff();
  virtual void Redraw(TRect<int>* theClipRect);
  // Whether the drawn cursor is not where the pointer is.
  bool CursorMovedSinceDrawn() const;
  virtual void InitPropertiesHook();
  virtual void DoMainLoop();
  bool UpdateAppStep(bool* updated) override;
  virtual bool UpdateApp();
  virtual bool AppCanRestore();

  // Non-virtual operations ---------------------------------------------------------------------
  void SetExitType(uint32_t theExitType) { mExitType = theExitType; }
  bool Is3DAccelerated() override;
  bool Is3DAccelerationRecommended();
  bool IsScreenSaver() { return mIsScreenSaver; }
  // The frame's pixel at a window position of the pointer: the widget manager's mapping, and in
  // full screen kept on the frame, as the edges of a screen of the frame's size would keep it.
  void MapMouseToFrame(int& x, int& y);
  // Keeps the pointer's place over theWindow, asked of the system, for the drawn cursor.
  void NotePointerInWindow(WindowRef theWindow);
  void DumpProgramInfo();
  void ShowMemoryUsage();

  // Start-up and shutdown.
  // Installs what the lower modules call back through (the screen lock around a frame, the
  // game buttons' animation and particles, the accelerated path's questions); the constructor
  // does, so that every program has them.
  static void InstallProgramHooks();
  // Initialises the display for the current window; 0 or a display result code.
  // Virtual so that tests can stage display failures.
  virtual int InitDDInterface();
  // The per-user data folder (made when missing) and the preference store in it; when none can
  // be made the run says so and keeps its preferences in memory.
  void ChooseAppDataFolder();
  void LoadResourceManifest();
  void ShowResourceError(bool doExit = false);
  void DoExit(int theCode);

  // Timing.
  void UpdateFTimeAcc();
  void ClearUpdateBacklog(bool relaxForASecond = false);
  void ProcessSafeDeleteList();

  // Threads and cursor.
  void StartLoadingThread();
  static OSStatus LoadingThreadProcStub(void* theApp);
  void WaitForLoadingThread();
  void StartCursorThread();
  static OSStatus CursorThreadProcStub(void* theApp);
  void CursorThreadProc();
  // Stops the cursor thread and waits for it; the display it draws into may go after that.
  void StopCursorThread();
  void SetCursorImage(int theCursorNum, Image* theImage);
  void SetCursor(int theCursorNum) override;
  void EnableCustomCursors(bool enabled);

  // Image registry and display modes.
  void AddMemoryImage(MemoryImage* theImage) override;
  void RemoveMemoryImage(MemoryImage* theImage) override;
  void Remove3DData(MemoryImage* theImage) override;
  NativeDisplay* GetNativeDisplay() override;
  void CleanSharedImages();
  void Set3DAcclerated(bool is3D, bool reinit = true);
  void RestoreScreenResolution();
  // The lock of the image set and the shared images: the display's, once there is a display.
  CritSect& GetDisplayLock();
  DDImage* CopyImage(Image* theImage, const TRect<int>& theRect);
  DDImage* CopyImage(Image* theImage);

  // Focus.
  void RehupFocus();

  // Dialog texts and alerts.
  TeskString GetString(const std::string& theId, const TeskString& theDefault = L"");
  void SetString(const std::string& theId, const TeskString& theValue);
  void ClearKeysDown();

  // Sound, clipboard.
  void CopyToClipboard(const std::string& theString) override;
  std::string GetClipboard() override;

  // Set when GetImage made a palettised image; per thread, so that the loading thread's loads
  // never report to the main thread's.
  static thread_local bool s_is8Bit;

  // Preferences.
  bool RegistryRead(const std::string& theValueName, uint32_t* theType, uint8_t* theValue,
                    uint32_t* theLength);
  bool RegistryReadInteger(const std::string& theValueName, int* theValue);
  bool RegistryReadBoolean(const std::string& theValueName, bool* theValue);
  bool RegistryWrite(const std::string& theValueName, uint32_t theType, const uint8_t* theValue,
                     uint32_t theLength);
  bool RegistryWriteInteger(const std::string& theValueName, int theValue);
  bool RegistryWriteBoolean(const std::string& theValueName, bool theValue);
  bool RegistryWriteString(const std::string& theValueName, const std::string& theValue);
  void RegistryEraseValue(const TeskString& theValueName);

  // What widgets, fonts and resources ask of the application.
  SoundManager* GetSoundManager() override { return mSoundManager; }
  FontHost* GetFontHost() override { return this; }
  DialogListener* GetDialogListener() override { return this; }
  Font* CreateSysFont(const std::string& theFace, int thePointSize) override;
  std::shared_ptr<Image> GetFontSheet(const std::string& theFileName, bool* isNew) override;

  // Demo recording and playback ---------------------------------------------------------------
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
  // The run ends: a recording ends with a close however the run ended, and a replay that ends
  // where its recording did takes the close recorded there.
  void DemoShutdown();
  void WriteDemoBuffer();
  bool ReadDemoBuffer(std::string& theError);
  // Tells standard error how far a played demo went (updates and commands against the file's).
  void ReportDemoPlayed();
  int GetMaxDemoFileNum(const std::string& theDemoPrefix, int theMaxToKeep, bool doDeleteOldest);
  virtual void ToggleDemoSoundVolume();
  void CalculateDemoTimeLeft();

  // Command line and screen-saver mode ---------------------------------------------------------
  // The line main hands over (the options after the program's name); Init parses it through
  // DoParseCmdLine once the data folder is known.
  void SetCommandLine(const std::string& theCmdLine) { mCmdLine = theCmdLine; }
  // Parses the line set by SetCommandLine, once.
  virtual void DoParseCmdLine();
  virtual void ParseCmdLine(const std::string& theCmdLine);
  virtual void HandleCmdLineParam(const std::string& theParamName, const std::string& theParamValue);
  virtual void LogScreenSaverError(const std::string& theError);
  bool ScreenSaverWindowProc(WindowRef theWindow, uint32_t theMessage, uint32_t theWParam, int32_t theLParam,
                             int32_t* theResult);
  void UpdateScreenSaverInfo(uint32_t theTick);

  // Screenshots, crash-report text and developer keys -------------------------------------------
  // In 3-D the frame exists only in OpenGL: the screen is drawn anew and the next frame
  // presented is written (by Redraw).
  void TakeScreenshot();
  void WritePendingScreenshot();
  virtual std::string GetGameSEHInfo();
  virtual bool DebugKeyDown(int theKey);

  // Window messages ----------------------------------------------------------------------------

  // The window procedure of every window the application makes. Finds its application object
  // through the window's 'KWMR'/'USRD' property, or gTeskAppBase.
  static int32_t WindowProc(WindowRef theWindow, uint32_t theMessage, uint32_t theWParam, int32_t theLParam);
  // Handles queued messages front first: one, or all when singleMessage is false.
  // Returns whether messages remain.
  bool ProcessDeferredMessages(bool singleMessage);

  // State of the run ----------------------------------------------------------------------------
  // Settings first (a program sets them in its constructor), then what the run keeps.
  uint32_t mExitType;
  uint32_t mRandSeed;
  std::string mTitlePrefix;
  std::string mCompanyName;
  std::string mProductName;
  TeskString mTitle;
  std::string mRegKey;
  std::string mChangeDirTo;
  int32_t mBacklogHoldTime;
  int32_t mPreferredX;
  int32_t mPreferredY;
  int32_t mWidth;
  int32_t mHeight;
  int32_t mFullscreenBits;
  double mMusicVolume;
  double mSfxVolume;
  bool mNoSoundNeeded;
  bool mSoundManagerOption;
  bool mOnlyOneCopy;
  uint32_t mNotifyGameMessage;
  WidgetManager* mWidgetManager;
  std::map<int, Dialog*> mDialogMap;
  std::list<Dialog*> mDialogList;
  MPTaskID mPrimaryThreadId;
  bool mSEHOccured;
  std::atomic<bool> mShutdown;
  bool mExitToTop;
  bool mIsWindowed;
  bool mIsPhysWindowed;
  bool mFullScreenResolutionSet;
  bool mForceFullscreen;
  bool mForceWindowed;
  bool mInitialized;
  uint32_t mTimeLoaded;
  WindowRef mWindow;
  WindowRef mMusicWindow;
  bool mIsScreenSaver;
  bool mAllowMonitorPowersave;
  bool mNoDefer;
  DDInterface* mDDInterface;
  bool mAlphaDisabled;
  MusicInterface* mMusicInterface;
  bool mReadFromRegistry;
  std::string mProductVersion;
  Image* mCursorImages[13];
  // Sound, volume and URL state.
  int32_t mMuteCount;
  int32_t mAutoMuteCount;
  bool mIsOpeningURL;
  bool mShutdownOnURLOpen;
  std::string mOpeningURL;
  uint32_t mOpeningURLTime;
  bool mFastForwardMuted;
  bool mMuteOnLostFocus;
  std::set<MemoryImage*> mMemoryImageSet;
  std::map<std::pair<std::string, std::string>, SharedImage> mSharedImageMap;
  // Main loop.
  int32_t mNonDrawCount;
  int32_t mFrameTime;
  bool mIsDrawing;
  bool mLastDrawWasEmpty;
  bool mHasPendingDraw;
  double mPendingUpdatesAcc;
  double mUpdateFTimeAcc;
  uint32_t mLastTimeCheck;
  int32_t mSleepCount;
  std::atomic<int32_t> mDrawCount;
  int32_t mUpdateCount;
  int32_t mUpdateAppState;
  int32_t mUpdateAppDepth;
  double mUpdateMultiplier;
  bool mPaused;
  int32_t mFastForwardToUpdateNum;
  bool mFastForwardToMarker;
  bool mFastForwardStep;
  std::atomic<uint32_t> mLastDrawTick;
  uint32_t mNextDrawTick;
  int32_t mStepMode;
  int32_t mCursorNum;
  SoundManager* mSoundManager;
  std::list<WidgetSafeDeleteInfo> mSafeDeleteList;
  // Focus and window state.
  bool mMouseIn;
  bool mRunning;
  bool mActive;
  bool mMinimized;
  // The widgets have had the update that first found the window minimised.
  bool mMinimizedSeenByWidgets = false;
  bool mPhysMinimized;
  bool mRestoreBlocked;
  bool mHasFocus;
  // Frame statistics.
  uint32_t mDrawTime;
  uint32_t mFPSStartTick;
  int32_t mFPSFlipCount;
  int32_t mFPSDirtyCount;
  uint32_t mFPSTime;
  int32_t mFPSCount;
  bool mShowFPS;
  int32_t mShowFPSMode;
  uint32_t mScreenBltTime;
  // Threads.
  bool mAutoStartLoadingThread;
  bool mLoadingThreadStarted;
  std::atomic<bool> mLoadingThreadCompleted;
  bool mLoaded;
  bool mYieldMainThread;
  std::atomic<bool> mLoadingFailed;
  std::atomic<bool> mCursorThreadRunning;
  bool mSysCursor;
  bool mCustomCursorsEnabled;
  bool mCustomCursorDirty;
  bool mLastShutdownWasGraceful;
  int32_t mNumLoadingThreadTasks;
  std::atomic<int32_t> mCompletedLoadingThreadTasks;
  // Demo recording and playback.
  bool mRecordingDemoBuffer;
  bool mPlayingDemoBuffer;
  bool mWindowClosed;
  int32_t mDemoLength;
  int32_t mLastDemoMouseX;
  int32_t mLastDemoMouseY;
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
  std::string mCmdLine;
  bool mCmdLineParsed = false;
  // -changedir named the resources folder: the run works in that folder alone.
  bool mChangeDirFromCmdLine = false;
  // Commands written to, or read from, the demo buffer (idle fillers included).
  int32_t mDemoCommandCount = 0;
  // Set when a replay met a command its run could not take.
  bool mDemoReplayLeft = false;
  bool mScreenshotPending = false;
  // Keys seen by the message layer.
  bool mCtrlDown;
  bool mAltDown;
  // Vertical sync.
  bool mVSyncUpdates;
  bool mVSyncBroken;
  int32_t mVSyncBrokenCount;
  uint32_t mVSyncBrokenTestStartTick;
  int32_t mVSyncBrokenTestUpdates;
  bool mWaitForVSync;
  bool mSoftVSyncWait;
  bool mUserChanged3DSetting;
  bool mAutoEnable3D;
  bool mWindowAspectStretch;
  TRect<int> mScreenBounds;
  bool mEnableWindowAspect;
  Ratio mWindowAspect;
  std::map<std::string, TeskString> mStringProperties;
  ResourceManager* mResourceManager;
  void* mFullScreenContext;
  // Window-message state.
  bool mDebugKeysEnabled;
  std::deque<tagMSG> mDeferredMessages;
  uint32_t mLastTimerTime;
  uint32_t mLastBigDelayTime;
  uint32_t mLastUserInputTick;
  // Tick of the last monitor power-off request, for the screen saver.
  uint32_t mLastMonitorPowerTick;
  // The preference store over mRegKey.
  Registry mRegistry;
  // The loading and cursor threads, and the frame timer.
  MPTaskID mLoadingThreadId;
  MPTaskID mCursorThreadId;
  EventLoopTimerRef mFrameTimer;
  // The display lock's stand-in before there is a display.
  CritSect mNoDisplayLock;

 private:
  int32_t DoWindowProc(WindowRef theWindow, uint32_t theMessage, uint32_t theWParam, int32_t theLParam);
  int32_t DefaultWindowProc(WindowRef theWindow, uint32_t theMessage, uint32_t theWParam, int32_t theLParam);
  void HandlePlaybackKey(uint32_t theChar);
  void HandleDeferredMessage(const tagMSG& theMessage);
  void HandleTimer(const tagMSG& theMessage);
  // The fast-forward of demo playback; true when Process should return at once.
  bool ProcessFastForward(float theFrac);
  // Gives the widget manager the display's screen image and marks everything dirty.
  void ScreenImageChanged();
  // A new empty image of the display (a plain memory image while there is no display).
  DDImage* NewDisplayImage();
  // The file decoded into an image of the display; null when it cannot be decoded.
  DDImage* LoadImageFile(const std::string& theFileName);
  void HandleRedrawFailure();

  TeskAppBase(const TeskAppBase&) = delete;
  TeskAppBase& operator=(const TeskAppBase&) = delete;
};

extern TeskAppBase* gTeskAppBase;

// The pointer's last position as the frame's pixel (x low 16 bits, y high), kept by the window
// procedure for the cursor thread; one word so that x and y always belong together.
extern std::atomic<uint32_t> gLastMousePos;

// Stores a new pointer position and wakes the cursor threads that wait for one.
void NoteLastMousePos(uint32_t thePos);

}  // namespace Tesk

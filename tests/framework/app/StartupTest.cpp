// Start-up and shutdown: the order of Init, where the window goes, and how display failures
// steer between full screen and a window. The display's own set-up is staged here (it needs a
// real display; the windowed tests run it for real).
#include <gtest/gtest.h>

#include <cstdlib>
#include <deque>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "core/MacUtils.h"
#include "app/TeskAppBase.h"
#include "display/DDInterface.h"
#include "platform/alerts/StandardAlert.h"
#include "platform/alerts/backend/ScriptedAlertBackend.h"
#include "platform/carbon/CarbonWindows.h"
#include "platform/coregraphics/CoreGraphics.h"
#include "platform/corefoundation/CFPreferences.h"
#include "core/UserFile.h"
#include "sound/MusicInterface.h"
#include "support/ScriptedCarbon.h"
#include "support/TestTemp.h"

namespace {

using Calls = std::vector<std::string>;

class StartupApp : public Tesk::TeskAppBase {
 public:
  StartupApp() {
    mNoSoundNeeded = true;
    mWidth = 800;
    mHeight = 600;
  }
  ~StartupApp() override { mCalls.clear(); }

  void InitPropertiesHook() override { Note("InitPropertiesHook"); }
  void ReadFromRegistry() override {
    Note("ReadFromRegistry");
    TeskAppBase::ReadFromRegistry();
  }
  void DoParseCmdLine() override {
    Note("DoParseCmdLine");
    if (mRealParse)
      TeskAppBase::DoParseCmdLine();
    else
      mCmdLineParsed = true;
  }
  bool ChangeDirHook(const char*) override {
    Note("ChangeDirHook");
    return true;  // the test keeps its working directory
  }
  void PreDisplayHook() override { Note("PreDisplayHook"); }
  void MakeWindow() override {
    Note(std::string("MakeWindow(") + (mIsWindowed ? "windowed" : "full screen") + ")");
    if (mRealMakeWindow) TeskAppBase::MakeWindow();
  }
  int InitDDInterface() override {
    Note(std::string("InitDDInterface(") + (mIsPhysWindowed ? "windowed" : "full screen") + ")");
    if (mResults.empty()) return Tesk::RESULT_OK;
    int aResult = mResults.front();
    mResults.pop_front();
    return aResult;
  }
  Tesk::MusicInterface* CreateMusicInterface(WindowRef) override {
    Note("CreateMusicInterface");
    return new Tesk::MusicInterface();
  }
  void InitHook() override { Note("InitHook"); }
  void Note(const std::string& theCall) { mCalls.push_back(theCall); }

  bool mRealMakeWindow = false;
  bool mRealParse = false;
  std::deque<int> mResults;
  Calls mCalls;
};

class Startup : public ::testing::Test {
 protected:
  void SetUp() override {
    Scripted();
    DrainQueue();
    SetAlertBackend(&mAlerts);
    setenv("XDG_DATA_HOME", TeskTest::MakeTempDir("startup_data").c_str(), 1);
  }
  void TearDown() override {
    SetAlertBackend(nullptr);
    unsetenv("XDG_DATA_HOME");
    CGTestSetDisplays({CGTestDisplay{Rect{0, 0, 768, 1024}, 60, true, true, {CGDefaultRenderer()}}});
  }
  static void UseDisplay(int theWidth, int theHeight) {
    CGTestSetDisplays(
        {CGTestDisplay{Rect{0, 0, static_cast<int16_t>(theHeight), static_cast<int16_t>(theWidth)},
                       60,
                       true,
                       true,
                       {CGDefaultRenderer()}}});
  }
  static ::Rect Content(WindowRef theWindow) {
    ::Rect aBounds{0, 0, 0, 0};
    GetWindowBounds(theWindow, kWindowContentRgn, &aBounds);
    return aBounds;
  }

  ScriptedAlertBackend mAlerts;
};

TEST_F(Startup, InitRunsItsStepsInOrder) {
  StartupApp anApp;
  anApp.Init();
  EXPECT_EQ(anApp.mCalls,
            (Calls{"InitPropertiesHook", "DoParseCmdLine", "ReadFromRegistry", "ChangeDirHook",
                   "PreDisplayHook", "MakeWindow(windowed)", "CreateMusicInterface", "InitHook"}));
  EXPECT_TRUE(anApp.mInitialized);
  EXPECT_NE(anApp.mSoundManager, nullptr);
  EXPECT_NE(anApp.mPrimaryThreadId, 0u);
  // The data folder is the company and product folders under the user's data folder.
  EXPECT_NE(Tesk::GetAppDataFolder().find("/Product/"), std::string::npos);
}

// Both random generators start from the run's seed, the one a recorded demo keeps and a played
// demo restores, so that a game drawing from the C library's generator replays too.
TEST_F(Startup, TheCLibraryGeneratorStartsFromTheRunsSeed) {
  const std::string aDemo = TeskTest::MakeTempDir("startup-seed") + "/seed.dmo";
  {
    StartupApp aRecorder;
    aRecorder.mRecordingDemoBuffer = true;
    aRecorder.mRandSeed = 12345;
    aRecorder.mDemoFileName = aDemo;
    aRecorder.DemoSyncRefreshRate();  // a demo holds at least one command
    aRecorder.mUpdateCount = 1;
    aRecorder.WriteDemoBuffer();
    aRecorder.mRecordingDemoBuffer = false;
  }
  StartupApp anApp;
  anApp.mRealParse = true;
  anApp.SetCommandLine("-play -demofile=\"" + aDemo + "\"");
  anApp.Init();
  ASSERT_TRUE(anApp.mPlayingDemoBuffer);
  EXPECT_EQ(anApp.mRandSeed, 12345u);
  const int aFirst = std::rand();
  std::srand(12345);
  EXPECT_EQ(std::rand(), aFirst);
  anApp.mPlayingDemoBuffer = false;
}

// The line main hands over is parsed by Init, once the data folder is known: numbered demos are
// counted and written there, as -playnum later looks for them.
TEST_F(Startup, TheCommandLineIsParsedOnceTheDataFolderIsKnown) {
  StartupApp anApp;
  anApp.mRealParse = true;
  anApp.SetCommandLine("-recnum=3 -screensaver");
  anApp.Init();
  const std::string aFolder = Tesk::GetAppDataFolder();
  ASSERT_NE(aFolder.find("/Product/"), std::string::npos);
  EXPECT_EQ(anApp.mDemoFileName, aFolder + "teskapp1.dmo");
  EXPECT_TRUE(anApp.mRecordingDemoBuffer);
  EXPECT_TRUE(anApp.mIsScreenSaver);
  EXPECT_FALSE(anApp.mOnlyOneCopy);
  anApp.mRecordingDemoBuffer = false;  // nothing to keep
}

// No per-user folder can be made (the data home lies under a plain file): the run says so,
// keeps its preferences in memory and writes nothing anywhere, the filesystem root included.
TEST_F(Startup, WithoutAUserDataFolderTheRunSaysSoAndWritesNothing) {
  const std::string aScratch = TeskTest::MakeTempDir("no_data_folder");
  ASSERT_TRUE(TeskTest::WriteFile(aScratch + "/file", "x"));
  const char* anOldHome = std::getenv("HOME");
  const std::string aHome = anOldHome != nullptr ? anOldHome : "";
  setenv("XDG_DATA_HOME", (aScratch + "/file/data").c_str(), 1);
  setenv("HOME", (aScratch + "/file").c_str(), 1);
  const std::string aCompany = "TeskNoDataFolderTest";
  const std::string aCwd = std::filesystem::current_path().string();
  std::filesystem::current_path(aScratch);
  std::string aSaid;
  bool aWrote = true;
  bool aSavedUserFile = true;
  {
    StartupApp anApp;
    anApp.mCompanyName = aCompany;
    anApp.mRegKey = aCompany;
    testing::internal::CaptureStderr();
    anApp.Init();
    aWrote = anApp.RegistryWriteInteger("Probe", 7);
    int aValue = 0;
    EXPECT_TRUE(anApp.RegistryReadInteger("Probe", &aValue));  // kept for the run
    EXPECT_EQ(aValue, 7);
    aSavedUserFile = Tesk::WriteUserFile(Tesk::GetAppDataFolder() + "profile.prof", "x");
    aSaid = testing::internal::GetCapturedStderr();
    EXPECT_EQ(Tesk::GetAppDataFolder(), "");
    EXPECT_EQ(CFPreferencesStorePath(), "");
  }
  std::filesystem::current_path(aCwd);
  if (anOldHome != nullptr) setenv("HOME", aHome.c_str(), 1);
  const bool aMadeAtRoot = std::filesystem::exists("/" + aCompany);
  std::filesystem::remove_all("/" + aCompany);
  EXPECT_FALSE(aMadeAtRoot);
  EXPECT_NE(aSaid.find("no per-user data folder"), std::string::npos) << aSaid;
  EXPECT_FALSE(aWrote);
  EXPECT_FALSE(aSavedUserFile);
  // Nothing in the working folder either.
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(aScratch), std::filesystem::directory_iterator()), 1);
  CFPreferencesSetStorePath(TeskTest::MakeTempDir("startup_prefs") + "/Preferences.txt");
}

TEST_F(Startup, ALogicalScreenAsLargeAsTheDisplayForcesFullScreen) {
  struct Case {
    int displayWidth, displayHeight;
    bool windowedAfter;
  };
  const Case kCases[] = {{1024, 768, true}, {800, 900, false}, {1280, 600, false}, {801, 601, true}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::to_string(c.displayWidth) + "x" + std::to_string(c.displayHeight));
    UseDisplay(c.displayWidth, c.displayHeight);
    StartupApp anApp;
    anApp.Init();
    EXPECT_EQ(anApp.mIsWindowed, c.windowedAfter);
  }
}

TEST_F(Startup, ASmallMainDisplayRefusesWindowedMode) {
  UseDisplay(800, 600);
  StartupApp aSmall;
  EXPECT_TRUE(aSmall.mForceFullscreen);
  UseDisplay(1024, 768);
  StartupApp aLarge;
  EXPECT_FALSE(aLarge.mForceFullscreen);
}

TEST_F(Startup, TheWindowIsCentredOrKeptInsideTheDisplay) {
  struct Case {
    int preferredX, preferredY;
    int left, top;
  };
  // 1024 x 768 display, 800 x 600 window: centred is (112, trunc(0.382 x 168) = 64).
  const Case kCases[] = {{-1, -1, 112, 64}, {2, 30, 4, 30}, {300, 200, 220, 164}, {100, 100, 100, 100}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.preferredX);
    StartupApp anApp;
    anApp.mRealMakeWindow = true;
    anApp.mPreferredX = c.preferredX;
    anApp.mPreferredY = c.preferredY;
    anApp.TeskAppBase::MakeWindow();
    ASSERT_NE(anApp.mWindow, nullptr);
    EXPECT_TRUE(anApp.mIsPhysWindowed);
    EXPECT_EQ(Content(anApp.mWindow).left, c.left);
    EXPECT_EQ(Content(anApp.mWindow).top, c.top);
    // The window names its application.
    Tesk::TeskAppBase* anOwner = nullptr;
    GetWindowProperty(anApp.mWindow, MakeOSType("KWMR"), MakeOSType("USRD"), sizeof(anOwner), nullptr,
                      &anOwner);
    EXPECT_EQ(anOwner, &anApp);
  }
}

TEST_F(Startup, DisplayFailuresChooseBetweenWindowAndFullScreen) {
  struct Case {
    const char* name;
    bool windowed;
    std::deque<int> results;
    Calls calls;
    bool windowedAfter, forceFullscreen, forceWindowed, is3D;
  };
  const Case kCases[] = {
      {"full screen refused",
       false,
       {Tesk::RESULT_EXCLUSIVE_FAIL},
       {"InitDDInterface(full screen)", "MakeWindow(windowed)", "InitDDInterface(windowed)"},
       true,
       false,
       true,
       true},
      {"mode change refused",
       false,
       {Tesk::RESULT_DISPCHANGE_FAIL},
       {"InitDDInterface(full screen)", "MakeWindow(windowed)", "InitDDInterface(windowed)"},
       true,
       false,
       true,
       true},
      {"colour depth in a window",
       true,
       {Tesk::RESULT_INVALID_COLORDEPTH},
       {"InitDDInterface(windowed)", "MakeWindow(full screen)", "InitDDInterface(full screen)"},
       false,
       true,
       false,
       true},
      {"3D set-up",
       true,
       {Tesk::RESULT_3D_FAIL},
       {"InitDDInterface(windowed)", "InitDDInterface(windowed)"},
       true,
       false,
       false,
       false},
      {"other failure with 3D on",
       true,
       {Tesk::RESULT_SURFACE_FAIL},
       {"InitDDInterface(windowed)", "InitDDInterface(windowed)"},
       true,
       false,
       false,
       false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    StartupApp anApp;
    anApp.mRealMakeWindow = true;
    anApp.mIsWindowed = c.windowed;
    anApp.mResults = c.results;
    anApp.TeskAppBase::MakeWindow();
    EXPECT_EQ(anApp.mCalls, c.calls);
    EXPECT_EQ(anApp.mIsWindowed, c.windowedAfter);
    EXPECT_EQ(anApp.mForceFullscreen, c.forceFullscreen);
    EXPECT_EQ(anApp.mForceWindowed, c.forceWindowed);
    EXPECT_EQ(anApp.Is3DAccelerated(), c.is3D);
    EXPECT_TRUE(mAlerts.Shown().empty());
  }
}

// Makes the window with the staged display results, in a process of its own.
void MakeWindowWith(bool isWindowed, std::deque<int> theResults) {
  ScriptedAlertBackend anAlerts;
  SetAlertBackend(&anAlerts);
  StartupApp anApp;
  anApp.mRealMakeWindow = true;
  anApp.mIsWindowed = isWindowed;
  anApp.mResults = std::move(theResults);
  anApp.TeskAppBase::MakeWindow();
  std::exit(5);  // not reached when the program ends itself
}

TEST_F(Startup, AColourDepthFailureAfterFullScreenFailedEndsTheProgram) {
  EXPECT_EXIT(MakeWindowWith(false, {Tesk::RESULT_EXCLUSIVE_FAIL, Tesk::RESULT_INVALID_COLORDEPTH}),
              ::testing::ExitedWithCode(1), "");
}

TEST_F(Startup, AFailureIn2DEndsTheProgram) {
  EXPECT_EXIT(MakeWindowWith(true, {Tesk::RESULT_SURFACE_FAIL, Tesk::RESULT_SURFACE_FAIL}),
              ::testing::ExitedWithCode(1), "");
}

TEST_F(Startup, ShutdownRunsOnceAndStartAfterShutdownReturnsAtOnce) {
  StartupApp anApp;
  anApp.Shutdown();
  EXPECT_TRUE(anApp.mShutdown);
  EXPECT_TRUE(anApp.mExitToTop);
  anApp.mExitToTop = false;
  anApp.Shutdown();
  EXPECT_FALSE(anApp.mExitToTop);  // the body did not run again
  anApp.Start();
  EXPECT_FALSE(anApp.mRunning);
  EXPECT_FALSE(anApp.mCursorThreadRunning);
}

TEST_F(Startup, AShutdownAskedForOffTheMainThreadOnlyFlagsTheLoop) {
  StartupApp anApp;
  anApp.Init();
  std::thread aThread([&] { anApp.Shutdown(); });
  aThread.join();
  EXPECT_FALSE(anApp.mShutdown);
  EXPECT_TRUE(anApp.mLoadingFailed);
  anApp.Process(true);  // the main loop's next pass does the real shutdown
  EXPECT_TRUE(anApp.mShutdown);
}

}  // namespace

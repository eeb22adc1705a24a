#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <utility>

#include "DemoTestApp.h"
#include "app/CommandLine.h"
#include "app/MacWindowProc.h"
#include "platform/carbon/CarbonEvents.h"
#include "platform/carbon/CarbonWindows.h"
#include "support/ScriptedCarbon.h"
#include "support/TestTemp.h"

using namespace Tesk;
using DemoTest::Calls;
using DemoTest::DemoTestApp;

namespace {

typedef std::vector<std::pair<std::string, std::string>> Params;

// Keeps the options it is handed instead of acting on them.
class ParamApp : public DemoTestApp {
 public:
  void HandleCmdLineParam(const std::string& theName, const std::string& theValue) override {
    mParams.emplace_back(theName, theValue);
  }
  Params mParams;
};

// The application object as it is.
class PlainApp : public TeskAppBase {};

Params Parse(const std::string& theLine) {
  ParamApp anApp;
  anApp.ParseCmdLine(theLine);
  return anApp.mParams;
}

// Runs theBody in a child process, for state that lasts the whole run; returns its exit code.
template <typename Body>
int InChild(Body theBody) {
  pid_t aChild = fork();
  if (aChild == 0) {
    ::testing::GTEST_FLAG(break_on_failure) = false;
    _exit(theBody() ? 0 : 1);
  }
  int aStatus = 0;
  waitpid(aChild, &aStatus, 0);
  return WIFEXITED(aStatus) ? WEXITSTATUS(aStatus) : -1;
}

class CmdLineTest : public testing::Test {
 protected:
  void SetUp() override {
    mOldData = GetAppDataFolder();
    SetAppDataFolder(TeskTest::MakeTempDir("cmdline"));
    mFolder = GetAppDataFolder();
  }
  void TearDown() override { SetAppDataFolder(mOldData); }

  std::string mOldData;
  std::string mFolder;
};

}  // namespace

TEST(CmdLineTokens, Table) {
  struct Case {
    const char* line;
    Params params;
  };
  const Case kCases[] = {
      {"-play", {{"-play", ""}}},
      {"-record -play", {{"-record", ""}, {"-play", ""}}},
      {"-recnum=3", {{"-recnum", "3"}}},
      {"  -play   -record  ", {{"-play", ""}, {"-record", ""}}},
      {"-demofile=\"/home/a b/x.dmo\" -record", {{"-demofile", "/home/a b/x.dmo"}, {"-record", ""}}},
      {"\"-demofile=a b.dmo\"", {{"-demofile", "a b.dmo"}}},
      // Every '=' after the first is dropped, inside quotes too.
      {"-a=b=c \"-d=e=f\"", {{"-a", "bc"}, {"-d", "ef"}}},
      // A closing quote ends the token.
      {"\"-play\"-record", {{"-play", ""}, {"-record", ""}}},
      {"-unknown=1 -play", {{"-unknown", "1"}, {"-play", ""}}},
      {"", {}},
      {"\"\"", {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(Parse(c.line), c.params);
  }
}

TEST(CmdLineTokens, JoinedArgumentsReadBackExactly) {
  struct Case {
    std::vector<const char*> args;
    Params params;
  };
  const Case kCases[] = {
      {{"game"}, {}},
      {{"game", "-play"}, {{"-play", ""}}},
      {{"game", "-demofile=/tmp/my demos/a.dmo", "-record"},
       {{"-demofile", "/tmp/my demos/a.dmo"}, {"-record", ""}}},
      {{"game", "-changedir=/opt/game", "-recnum=2"}, {{"-changedir", "/opt/game"}, {"-recnum", "2"}}},
      {{"game", "", "-screensaver"}, {{"-screensaver", ""}}},
      // What the parser cannot carry is left out: quotes, and '=' after the first.
      {{"game", "-demofile=\"a=b\" c.dmo"}, {{"-demofile", "ab c.dmo"}}},
  };
  for (const Case& c : kCases) {
    std::vector<char*> anArgv;
    for (const char* anArg : c.args) anArgv.push_back(const_cast<char*>(anArg));
    const std::string aLine = JoinCommandLine(static_cast<int>(anArgv.size()), anArgv.data());
    SCOPED_TRACE(aLine);
    EXPECT_EQ(Parse(aLine), c.params);
  }
}

TEST_F(CmdLineTest, DoParseCmdLineParsesTheLineMainHandedOver) {
  DemoTestApp aBare;
  aBare.DoParseCmdLine();
  EXPECT_TRUE(aBare.mCmdLineParsed);
  EXPECT_FALSE(aBare.mPlayingDemoBuffer || aBare.mRecordingDemoBuffer || aBare.mIsScreenSaver);

  ParamApp anApp;
  anApp.SetCommandLine("-play -demofile=a.dmo");
  EXPECT_TRUE(anApp.mParams.empty());  // nothing is taken before Init asks
  anApp.DoParseCmdLine();
  EXPECT_TRUE(anApp.mCmdLineParsed);
  EXPECT_EQ(anApp.mParams, (Params{{"-play", ""}, {"-demofile", "a.dmo"}}));
}

TEST_F(CmdLineTest, DemoFileOptions) {
  struct Case {
    const char* line;
    std::string file;
    bool playing;
    bool recording;
  };
  const Case kCases[] = {
      {"-demofile=\"my demo.dmo\" -record", mFolder + "my demo.dmo", false, true},
      {"-demofile=/var/demos/a.dmo -play", "/var/demos/a.dmo", true, false},
      {"-demofile=C:\\demos\\a.dmo", "C:\\demos\\a.dmo", false, false},
      {"-demofile=a", mFolder + "a", false, false},
      // The default demo, as the README's plain -record and -play use it, is there too.
      {"-record -play", mFolder + "teskapp.dmo", true, false},
      {"-record", mFolder + "teskapp.dmo", false, true},
      {"-demofile=/var/demos/a.dmo -record", "/var/demos/a.dmo", false, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.line);
    DemoTestApp anApp;
    anApp.ParseCmdLine(c.line);
    EXPECT_EQ(anApp.mDemoFileName, c.file);
    EXPECT_EQ(anApp.mPlayingDemoBuffer, c.playing);
    EXPECT_EQ(anApp.mRecordingDemoBuffer, c.recording);
    EXPECT_TRUE(anApp.mCalls.empty());
  }
}

TEST_F(CmdLineTest, NumberedDemosLiveInTheDataFolder) {
  for (int i = 1; i <= 5; ++i) ASSERT_TRUE(TeskTest::WriteFile(mFolder + StrFormat("teskapp%d.dmo", i), "x"));
  DemoTestApp anApp;
  anApp.ParseCmdLine("-recnum=0");
  EXPECT_EQ(anApp.mDemoFileName, mFolder + "teskapp6.dmo");
  EXPECT_TRUE(anApp.mRecordingDemoBuffer);
  EXPECT_FALSE(anApp.mPlayingDemoBuffer);
  EXPECT_TRUE(TeskTest::ReadFile(mFolder + "teskapp1.dmo").empty());
  EXPECT_FALSE(TeskTest::ReadFile(mFolder + "teskapp2.dmo").empty());

  // The newest, and one further back, are found where they were recorded.
  DemoTestApp aPlayer;
  aPlayer.ParseCmdLine("-playnum");
  EXPECT_EQ(aPlayer.mDemoFileName, mFolder + "teskapp5.dmo");
  EXPECT_TRUE(aPlayer.mPlayingDemoBuffer);
  aPlayer.ParseCmdLine("-playnum=2");
  EXPECT_EQ(aPlayer.mDemoFileName, mFolder + "teskapp4.dmo");

  // Fewer than three to keep: nothing goes yet.
  DemoTestApp aSecond;
  aSecond.ParseCmdLine("-recnum=9");
  EXPECT_EQ(aSecond.mDemoFileName, mFolder + "teskapp6.dmo");
  EXPECT_FALSE(TeskTest::ReadFile(mFolder + "teskapp2.dmo").empty());
}

TEST_F(CmdLineTest, OtherOptions) {
  // A folder that is there: one that is not ends the program (below).
  const std::string aResources = mFolder + "my game";
  ASSERT_TRUE(std::filesystem::create_directory(aResources));
  DemoTestApp anApp;
  anApp.ParseCmdLine("-screensaver -changedir=\"" + aResources + "\"");
  EXPECT_TRUE(anApp.mIsScreenSaver);
  EXPECT_EQ(anApp.mChangeDirTo, aResources);
  EXPECT_TRUE(anApp.mChangeDirFromCmdLine);
  EXPECT_TRUE(anApp.mCalls.empty());
}

TEST_F(CmdLineTest, AResourcesFolderThatCannotBeWorkedInIsRefused) {
  ASSERT_TRUE(TeskTest::WriteFile(mFolder + "plain", "x"));
  struct Case {
    std::string folder;
    const char* why;
  };
  const Case kCases[] = {
      {mFolder + "absent", "No such file or directory"},
      {mFolder + "plain", "it is not a folder"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.folder);
    EXPECT_EXIT(
        {
          setenv("TESK_ALERTS", "stderr", 1);
          PlainApp aPlain;
          aPlain.HandleCmdLineParam("-changedir", c.folder);
        },
        testing::ExitedWithCode(1), "Cannot work in the resources folder " + c.folder + ": " + c.why);
  }
}

TEST_F(CmdLineTest, AnUnknownOptionIsShownAndEndsTheProgram) {
  // The text is shown, then the program exits with status 0.
  EXPECT_EXIT(
      {
        setenv("TESK_ALERTS", "stderr", 1);
        PlainApp aPlain;
        aPlain.HandleCmdLineParam("-fast", "");
      },
      testing::ExitedWithCode(0), "Invalid command line parameter: -fast");
}

namespace {

// A screen saver run: a create message, then theMoves small pointer moves in its window.
// Answers whether the saver still swallows a maximise command afterwards (it stops once closed).
// In a window away from the screen's corner, the run starts as a real one does: the window's
// first pointer message says where the pointer already is.
bool SaverStillOpenAfterMoves(int theMoves, bool inAWindow = false) {
  Scripted().SetGlobalMouse(500, 400);
  DemoTestApp anApp;
  anApp.mIsScreenSaver = true;
  ::Rect aContent{0, 0, 0, 0};
  if (inAWindow) {
    if (!MacCreateWindow(100, 80, 800, 600, "Saver", TeskAppBase::WindowProc, nullptr, &anApp.mWindow))
      return false;
    GetWindowBounds(anApp.mWindow, kWindowContentRgn, &aContent);
  }
  int32_t aResult = -1;
  anApp.ScreenSaverWindowProc(anApp.mWindow, WM_CREATE, 0, 0, &aResult);
  if (inAWindow &&
      !anApp.ScreenSaverWindowProc(anApp.mWindow, WM_MOUSEMOVE, 0,
                                   MakeMouseLParam(500 - aContent.left, 400 - aContent.top), &aResult)) {
    return false;
  }
  for (int i = 1; i <= theMoves; ++i) {
    aResult = -1;
    const bool isHandled = anApp.ScreenSaverWindowProc(anApp.mWindow, WM_MOUSEMOVE, 0,
                                                       MakeMouseLParam(10 + i, 10 + i), &aResult);
    // Moves up to the third are swallowed; later ones are activity and pass on.
    if (isHandled != (i <= 3) || (isHandled && aResult != 0)) return false;
    // The same spot again is no move.
    if (i <= 3 && !anApp.ScreenSaverWindowProc(anApp.mWindow, WM_MOUSEMOVE, 0,
                                               MakeMouseLParam(10 + i, 10 + i), &aResult)) {
      return false;
    }
  }
  aResult = -1;
  return anApp.ScreenSaverWindowProc(anApp.mWindow, WM_SYSCOMMAND, 0xF060, 0, &aResult) && aResult == 0;
}

}  // namespace

TEST(ScreenSaver, ClosesOnTheFourthMove) {
  // Where the pointer already was is no move, in a window as on the whole screen.
  for (bool inAWindow : {false, true}) {
    SCOPED_TRACE(inAWindow ? "in a window" : "on the whole screen");
    EXPECT_EQ(InChild([=] { return SaverStillOpenAfterMoves(3, inAWindow); }), 0);
    EXPECT_EQ(InChild([=] {
                if (SaverStillOpenAfterMoves(4, inAWindow)) return false;
                // It asked its window to close, in the command event the application's handler
                // hands to the window procedure (the way the frame timer's messages travel).
                int aCloses = 0;
                EventRef anEvent = nullptr;
                while (ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent) == noErr) {
                  HICommand aCommand = {0, 0, {0, 0}};
                  GetEventParameter(anEvent, kEventParamDirectObject, typeHICommand, nullptr,
                                    sizeof(aCommand), nullptr, &aCommand);
                  aCloses += GetEventClass(anEvent) == kEventClassCommand &&
                             aCommand.commandID == MakeOSType("KWMR") && aCommand.attributes == WM_CLOSE;
                  ReleaseEvent(anEvent);
                }
                return aCloses == 1;
              }),
              0);
  }
}

TEST(ScreenSaver, SwallowsWindowCommandsAndClosesOnActivity) {
  struct Case {
    uint32_t message;
    uint32_t wParam;
    bool closes;
  };
  const Case kCases[] = {
      {WM_KEYDOWN, 65, true},    {WM_SYSKEYDOWN, 18, true}, {WM_LBUTTONDOWN, 0, true},
      {WM_RBUTTONDOWN, 0, true}, {WM_MBUTTONDOWN, 0, true}, {WM_CLOSE, 0, true},
      {WM_ACTIVATEAPP, 0, true}, {WM_ACTIVATE, 0, true},    {WM_ACTIVATEAPP, 1, false},
      {WM_KEYUP, 65, false},     {WM_TIMER, 0, false},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.message);
    EXPECT_EQ(InChild([&] {
                Scripted();
                DemoTestApp anApp;
                int32_t aResult = -1;
                if (anApp.ScreenSaverWindowProc(anApp.mWindow, c.message, c.wParam, 0, &aResult))
                  return false;
                const bool isOpen =
                    anApp.ScreenSaverWindowProc(anApp.mWindow, WM_SYSCOMMAND, SC_SCREENSAVE, 0, &aResult);
                return isOpen != c.closes;
              }),
              0);
  }
  // A key that comes within a second of a monitor power-off is not activity.
  EXPECT_EQ(InChild([] {
              Scripted();
              DemoTestApp anApp;
              anApp.mLastMonitorPowerTick = GetTickCount() - 500;
              int32_t aResult = -1;
              anApp.ScreenSaverWindowProc(anApp.mWindow, WM_CLOSE, 0, 0, &aResult);
              const bool isOpenAfterClose =
                  anApp.ScreenSaverWindowProc(anApp.mWindow, WM_SYSCOMMAND, SC_SCREENSAVE, 0, &aResult);
              anApp.ScreenSaverWindowProc(anApp.mWindow, WM_KEYDOWN, 65, 0, &aResult);
              const bool isOpenAfterKey =
                  anApp.ScreenSaverWindowProc(anApp.mWindow, WM_SYSCOMMAND, SC_SCREENSAVE, 0, &aResult);
              return isOpenAfterClose && !isOpenAfterKey;
            }),
            0);
}

TEST_F(CmdLineTest, ScreenSaverErrorsGoToALogThatEachRunStartsAfresh) {
  ASSERT_TRUE(TeskTest::WriteFile(mFolder + "ScrError.txt", "from an earlier run\n"));
  const std::string aFolder = mFolder;
  EXPECT_EQ(InChild([&] {
              if (chdir(aFolder.c_str()) != 0) return false;
              DemoTestApp anApp;
              anApp.LogScreenSaverError("first");
              anApp.LogScreenSaverError("second");
              return true;
            }),
            0);
  const std::string aLog = TeskTest::ReadFile(mFolder + "ScrError.txt");
  EXPECT_EQ(aLog.find("from an earlier run"), std::string::npos);
  // "<text> <ctime, with its own newline> <tick>\n", twice.
  EXPECT_EQ(aLog.rfind("first ", 0), 0u);
  EXPECT_NE(aLog.find("\nsecond "), std::string::npos);
  int aNewlines = 0;
  for (char aChar : aLog) aNewlines += aChar == '\n';
  EXPECT_EQ(aNewlines, 4);
}

#include <gtest/gtest.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdlib>

#include "DemoTestApp.h"
#include "app/DemoCommands.h"
#include "app/SEHCatcher.h"
#include "support/ScriptedCarbon.h"
#include "support/TestTemp.h"

using namespace Tesk;
using DemoTest::DemoTestApp;

namespace {

std::string SysLine() {
  int32_t aVersion = 0;
  Gestalt(gestaltSystemVersion, &aVersion);
  return StrFormat("MacOS Version: %x\r\n", static_cast<unsigned>(aVersion));
}

// Runs every crash in a scratch working folder, without the alert that would end the process.
class SEHCatcherTest : public testing::Test {
 protected:
  void SetUp() override {
    mFolder = TeskTest::MakeTempDir("crash") + "/";
    char aCwd[4096];
    ASSERT_NE(getcwd(aCwd, sizeof(aCwd)), nullptr);
    mOldCwd = aCwd;
    ASSERT_EQ(chdir(mFolder.c_str()), 0);
    SEHCatcher::mShowUI = false;
    SEHCatcher::mApp = nullptr;
    SEHCatcher::mHasDemoFile = false;
    SEHCatcher::mUploadFileName.clear();
  }
  void TearDown() override {
    SEHCatcher::mShowUI = true;
    SEHCatcher::mApp = nullptr;
    EXPECT_EQ(chdir(mOldCwd.c_str()), 0);
  }

  static void Crash(ExceptionKind theKind, uint64_t theAddress) {
    MachineInformation aMachine;
    aMachine.PC = theAddress;
    ExceptionInformation anInfo;
    anInfo.theKind = theKind;
    anInfo.machineState = &aMachine;
    SEHCatcher::UnhandledExceptionFilter(&anInfo);
  }

  std::string mFolder;
  std::string mOldCwd;
};

}  // namespace

TEST(SEHCatcherLine, NamesTheException) {
  struct Case {
    ExceptionKind kind;
    uint64_t address;
    const char* line;
  };
  const Case kCases[] = {
      {unmappedMemoryException, 0x1F00,
       "Exception: Unmapped Memory (code 0x4) at address 00001F00 in thread 2A\r\n"},
      {accessException, 0, "Exception: Access (code 0x3) at address 00000000 in thread 2A\r\n"},
      {unknownException, 0xABCDEF12, "Exception: Unknown (code 0x0) at address ABCDEF12 in thread 2A\r\n"},
      {dataAlignmentException, 0x7FFF12345678,
       "Exception: Data Alignment (code 0x11) at address 7FFF12345678 in thread 2A\r\n"},
      {99, 0x10, "Unknown exception: (code 0x63) at address 00000010 in thread 2A\r\n"},
      {0xFFFFFFFF, 0x10, "Unknown exception: (code 0xffffffff) at address 00000010 in thread 2A\r\n"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(SEHCatcher::GetExceptionLine(c.kind, c.address, 0x2A), c.line);
  }
}

TEST_F(SEHCatcherTest, WithoutAnApplicationTheReportIsTheExceptionAndTheSystem) {
  Crash(integerException, 0x1234);
  const std::string aReport =
      SEHCatcher::GetExceptionLine(integerException, 0x1234, GetCurrentThreadId()) + SysLine() + "\r\n";
  EXPECT_EQ(TeskTest::ReadFile("crash.txt"), aReport);
  EXPECT_FALSE(SEHCatcher::mHasDemoFile);
}

TEST_F(SEHCatcherTest, TheApplicationAddsItsPartCopiesTheReportAndClosesItsDemo) {
  TestClock();
  DemoTestApp anApp;
  anApp.mProductName = "Gloam Hollow";
  anApp.mProductVersion = "1.2";
  anApp.mTimeLoaded = GetTickCount() - 61000;
  anApp.mRecordingDemoBuffer = true;
  anApp.mDemoFileName = mFolder + "crashed.dmo";
  anApp.mUpdateCount = 20;
  SEHCatcher::mApp = &anApp;

  Crash(floatingPointException, 0x400);

  const std::string aReport =
      SEHCatcher::GetExceptionLine(floatingPointException, 0x400, GetCurrentThreadId()) + SysLine() + "\r\n" +
      anApp.GetGameSEHInfo();
  EXPECT_EQ(TeskTest::ReadFile("crash.txt"), aReport + "\r\n");
  EXPECT_EQ(anApp.mClipboard, aReport);
  EXPECT_NE(aReport.find("Time Loaded: 00:01:01\r\n"), std::string::npos);
  EXPECT_EQ(anApp.mCalls.front(), "20:SEHOccured");
  EXPECT_TRUE(anApp.mSEHOccured);

  // The demo ends with a filler at the crash's tick, so it replays up to the crash.
  EXPECT_TRUE(SEHCatcher::mHasDemoFile);
  EXPECT_EQ(SEHCatcher::mUploadFileName, mFolder + "crashed.dmo");
  EXPECT_FALSE(anApp.mRecordingDemoBuffer);
  EXPECT_FALSE(anApp.mPlayingDemoBuffer);
  DemoTestApp aPlayer;
  aPlayer.mPlayingDemoBuffer = true;
  aPlayer.mDemoFileName = mFolder + "crashed.dmo";
  aPlayer.mProductVersion = "1.2";
  std::string anError;
  ASSERT_TRUE(aPlayer.ReadDemoBuffer(anError)) << anError;
  EXPECT_EQ(aPlayer.mDemoLength, 20);
  const Buffer& aStream = aPlayer.mDemoBuffer;
  EXPECT_EQ(aStream.ReadNumBits(4, false), 15);
  EXPECT_EQ(aStream.ReadNumBits(6, false), DEMO_IDLE << 1);
  EXPECT_EQ(aStream.ReadNumBits(4, false), 5);
  EXPECT_EQ(aStream.ReadNumBits(6, false), DEMO_IDLE << 1);
}

TEST_F(SEHCatcherTest, TheCrashHookNamesAFileToSend) {
  DemoTestApp anApp;
  anApp.mCrashHookFile = "savegame.sav";
  SEHCatcher::mApp = &anApp;
  Crash(accessException, 0);
  EXPECT_TRUE(SEHCatcher::mHasDemoFile);
  EXPECT_EQ(SEHCatcher::mUploadFileName, "savegame.sav");
}

TEST_F(SEHCatcherTest, ASecondReportReplacesTheFirst) {
  Crash(stackOverflowException, 0x10);
  Crash(trapException, 0x20);
  const std::string aReport = TeskTest::ReadFile("crash.txt");
  EXPECT_EQ(aReport.rfind("Exception: Trap (code 0x2)", 0), 0u);
  EXPECT_EQ(aReport.find("Stack Overflow"), std::string::npos);
}

TEST_F(SEHCatcherTest, TheCrashOptionShowsAnAccessFaultReportAndEnds) {
  SEHCatcher::mShowUI = true;
  EXPECT_EXIT(
      {
        setenv("TESK_ALERTS", "stderr", 1);
        DemoTestApp anApp;
        anApp.ParseCmdLine("-crash");
      },
      testing::ExitedWithCode(0), "Exception: Access \\(code 0x3\\) at address 00000000");
  const std::string aReport = TeskTest::ReadFile("crash.txt");
  EXPECT_EQ(aReport.rfind("Exception: Access (code 0x3)", 0), 0u);
  // The option is taken before Init, yet the report names the thread that made the application.
  EXPECT_NE(aReport.find("Primary ThreadId: "), std::string::npos) << aReport;
  EXPECT_EQ(aReport.find("Primary ThreadId: 0\r\n"), std::string::npos) << aReport;
}

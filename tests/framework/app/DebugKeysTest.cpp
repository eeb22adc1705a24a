#include <gtest/gtest.h>

#include <cstdlib>

#include "DemoTestApp.h"
#include "app/Screenshots.h"
#include "core/TeskPerf.h"
#include "support/ScriptedCarbon.h"
#include "support/TestTemp.h"

using namespace Tesk;
using DemoTest::Calls;
using DemoTest::DemoTestApp;

TEST(GameSEHInfo, DescribesTheRunningApplication) {
  TestClock();
  DemoTestApp anApp;
  anApp.mProductName = "Gloam Hollow";
  anApp.mProductVersion = "1.0.3";
  anApp.mPrimaryThreadId = 0x1C;
  anApp.mTimeLoaded = GetTickCount() - 3725000;
  anApp.mIsWindowed = true;
  EXPECT_EQ(anApp.GetGameSEHInfo(),
            "Product: Gloam Hollow\r\nVersion: 1.0.3\r\nTime Loaded: 01:02:05\r\nFullscreen: No\r\n"
            "Primary ThreadId: 1C\r\n");
  // Hours do not wrap.
  anApp.mTimeLoaded = GetTickCount() - 100 * 3600 * 1000u;
  anApp.mIsWindowed = false;
  const std::string anInfo = anApp.GetGameSEHInfo();
  EXPECT_NE(anInfo.find("Time Loaded: 100:00:00\r\nFullscreen: Yes\r\n"), std::string::npos);
}

TEST(DebugKeys, Table) {
  struct Case {
    const char* name;
    int key;
    std::vector<int> held;
    bool consumed;
    Calls calls;
  };
  const Case kCases[] = {
      {"Alt+R", 82, {18}, false, {}},
      {"F8", 0x77, {}, true, {}},
      {"Shift+F8 without a display stays off", 0x77, {16}, true, {"0:MsgBox(3D-Mode: OFF|Mode Switch|0)"}},
      {"Shift+F11", 0x7A, {16}, true, {}},
      {"F11 without a display", 0x7A, {}, true, {}},
      {"frame rate", 0, {}, false, {}},
      {"update speed", 0x72, {}, true, {}},
      {"other key", 65, {16}, false, {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    DemoTestApp anApp;
    for (int aKey : c.held) anApp.HoldKey(aKey);
    EXPECT_EQ(anApp.DebugKeyDown(c.key), c.consumed);
    EXPECT_EQ(anApp.mCalls, c.calls);
  }
}

TEST(DebugKeys, FrameRateDisplayAndItsModes) {
  TestClock();
  DemoTestApp anApp;
  anApp.mFPSFlipCount = 9;
  anApp.DebugKeyDown(0);
  EXPECT_TRUE(anApp.mShowFPS);
  EXPECT_EQ(anApp.mFPSFlipCount, 0);
  EXPECT_EQ(anApp.mFPSStartTick, GetTickCount());
  anApp.DebugKeyDown(0);
  EXPECT_FALSE(anApp.mShowFPS);
  // With Shift the display stays on and its mode cycles.
  anApp.HoldKey(16);
  anApp.DebugKeyDown(0);
  EXPECT_TRUE(anApp.mShowFPS);
  EXPECT_EQ(anApp.mShowFPSMode, 1);
  anApp.DebugKeyDown(0);
  EXPECT_TRUE(anApp.mShowFPS);
  EXPECT_EQ(anApp.mShowFPSMode, 0);
}

TEST(DebugKeys, UpdateSpeedAndSingleStep) {
  DemoTestApp anApp;
  anApp.HoldKey(17);
  anApp.DebugKeyDown(0x72);
  EXPECT_EQ(anApp.mUpdateMultiplier, 0.25);
  anApp.DebugKeyDown(0x72);
  EXPECT_EQ(anApp.mUpdateMultiplier, 1.0);
  anApp.mWidgetManager->mKeyDown[17] = false;
  anApp.DebugKeyDown(0x72);
  EXPECT_EQ(anApp.mStepMode, 1);
  anApp.HoldKey(16);
  anApp.mUpdateFTimeAcc = 55.0;
  anApp.DebugKeyDown(0x72);
  EXPECT_EQ(anApp.mStepMode, 0);
  EXPECT_EQ(anApp.mUpdateFTimeAcc, 0.0);
}

TEST(DebugKeys, ProfilerRunsBetweenTwoPresses) {
  DemoTestApp anApp;
  EXPECT_FALSE(anApp.DebugKeyDown(0x73));
  EXPECT_TRUE(TeskPerf::IsPerfOn());
  EXPECT_FALSE(anApp.DebugKeyDown(0x73));
  EXPECT_FALSE(TeskPerf::IsPerfOn());
  ASSERT_EQ(anApp.mCalls.size(), 1u);
  EXPECT_EQ(anApp.mCalls[0].rfind("0:MsgBox(", 0), 0u);
  EXPECT_EQ(anApp.mCalls[0].find("|Perf Results|0)"), anApp.mCalls[0].size() - 16);
}

TEST(Screenshots, NumberedAfterTheLargestTaken) {
  struct Case {
    const char* name;
    std::vector<const char*> files;
    int next;
  };
  const Case kCases[] = {
      {"empty", {}, 1},
      {"gaps and strangers", {"image1.png", "image7.png", "imageX.png", "picture9.png", "image12.jpg"}, 8},
      {"case is ignored by the search", {"IMAGE3.PNG", "image2.png"}, 3},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const std::string aDir = TeskTest::MakeTempDir("shots") + "/";
    for (const char* aFile : c.files) ASSERT_TRUE(TeskTest::WriteFile(aDir + aFile, "x"));
    EXPECT_EQ(NextScreenshotNumber(aDir), c.next);
  }
  EXPECT_EQ(NextScreenshotNumber(TeskTest::MakeTempDir("shots") + "/missing/"), 1);
}

TEST(Screenshots, FolderIsMadeInThePerUserDataFolder) {
  const std::string aData = TeskTest::MakeTempDir("xdg");
  const char* anOld = std::getenv("XDG_DATA_HOME");
  const std::string anOldValue = anOld != nullptr ? anOld : "";
  setenv("XDG_DATA_HOME", aData.c_str(), 1);
  const std::string aFolder = GetScreenshotFolder();
  EXPECT_EQ(aFolder, aData + "/_screenshots/");
  EXPECT_EQ(GetScreenshotFolder(), aFolder);
  EXPECT_TRUE(TeskTest::WriteFile(aFolder + "image1.png", "x"));
  if (anOld != nullptr) {
    setenv("XDG_DATA_HOME", anOldValue.c_str(), 1);
  } else {
    unsetenv("XDG_DATA_HOME");
  }
}

// What the game's program tests share: the game application on a real window of the X display
// with the generated asset set and a data folder of the test's own, and reading the program's
// report lines.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <utility>

#include "framework/appdisplay/XScreen.h"
#include "game/shell/GameApp.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "support/DemoReport.h"
#include "support/TestTemp.h"

namespace ProgramTest {

// What a test needs besides a display; it is skipped without it.
enum class Needs {
  kWindowAndInput,  // the program's window in this process, driven through xdotool
  kWindow,          // the program's window in this process
  kDisplayOnly,     // nothing opened here: the program runs in a child of the test
};

// Skipped without a display, what theNeeds names or the generated set's theNeeded file (a path
// in the set; empty: none); the generated set is the resources folder, the data folder a fresh
// one named theDataName, and the working folder is restored at the end.
class ProgramRig : public ::testing::Test {
 protected:
  ProgramRig(std::string theNeeded, std::string theDataName, Needs theNeeds = Needs::kWindowAndInput)
      : mNeeded(std::move(theNeeded)), mDataName(std::move(theDataName)), mNeeds(theNeeds) {}

  void SetUp() override {
    const std::string aSet = TESK_DEFAULT_RESOURCES_DIR;
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
    if (mNeeds != Needs::kDisplayOnly) {
      if (!CarbonInitVideo()) GTEST_SKIP() << "no display";
      if (!XScreen::Available()) GTEST_SKIP() << "no libX11";
    }
    if (!mNeeded.empty() && !std::filesystem::exists(aSet + mNeeded)) GTEST_SKIP() << "no generated set";
    if (mNeeds == Needs::kWindowAndInput && std::system("command -v xdotool >/dev/null 2>&1") != 0)
      GTEST_SKIP() << "no xdotool";
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("TESK_ALERTS", "stderr", 1);
    unsetenv("TESK_RUN_SECONDS");
    setenv("TESK_RESOURCES_DIR", aSet.c_str(), 1);
    mData = TeskTest::MakeTempDir(mDataName);
    setenv("XDG_DATA_HOME", mData.c_str(), 1);
    char aBuf[4096];
    mOldDir = getcwd(aBuf, sizeof(aBuf)) ? aBuf : ".";
  }
  void TearDown() override {
    unsetenv("TESK_RESOURCES_DIR");
    if (!mOldDir.empty()) {
      EXPECT_EQ(chdir(mOldDir.c_str()), 0);
    }
  }

  // Frames of the program until theDone holds, at most theLimit.
  bool StepUntil(Tesk::GameApp* theApp, const std::function<bool()>& theDone, int theLimit = 2000) {
    for (int i = 0; i < theLimit; ++i) {
      if (theDone()) return true;
      theApp->UpdateApp();
    }
    return theDone();
  }

  std::string mNeeded;
  std::string mDataName;
  Needs mNeeds;
  std::string mData;
  std::string mOldDir;
};

using TeskTest::Between;

}  // namespace ProgramTest

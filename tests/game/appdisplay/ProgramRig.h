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
#include "support/TestTemp.h"

namespace ProgramTest {

// Skipped without a display, libX11, xdotool or the generated set's theNeeded file (a path in
// the set); the data folder is a fresh one named theDataName.
class ProgramRig : public ::testing::Test {
 protected:
  ProgramRig(std::string theNeeded, std::string theDataName)
      : mNeeded(std::move(theNeeded)), mDataName(std::move(theDataName)) {}

  void SetUp() override {
    const std::string aSet = TESK_DEFAULT_RESOURCES_DIR;
    if (std::getenv("DISPLAY") == nullptr || !CarbonInitVideo()) GTEST_SKIP() << "no display";
    if (!XScreen::Available()) GTEST_SKIP() << "no libX11";
    if (!std::filesystem::exists(aSet + mNeeded)) GTEST_SKIP() << "no generated set";
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("TESK_ALERTS", "stderr", 1);
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
  std::string mData;
  std::string mOldDir;
};

// The text of theText between theBefore and the next theAfter; empty without theBefore.
inline std::string Between(const std::string& theText, const std::string& theBefore, const std::string& theAfter) {
  const size_t aStart = theText.find(theBefore);
  if (aStart == std::string::npos) return std::string();
  const size_t aFrom = aStart + theBefore.size();
  return theText.substr(aFrom, theText.find(theAfter, aFrom) - aFrom);
}

}  // namespace ProgramTest

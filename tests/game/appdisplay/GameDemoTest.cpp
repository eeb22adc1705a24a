// The game binary records a demo of a run played through the X server (clicks, keys, the
// timed close) and plays it back through its own entry: the playback takes every command of
// the recording, ends by itself at the same update and leaves the same files behind.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "GameScript.h"
#include "ProgramRig.h"
#include "game/shell/GameResourceSet.h"
#include "support/TestTemp.h"

namespace {

namespace fs = std::filesystem;

const std::string kGame = std::string(TESK_TEST_BINARY_DIR) + "/../game";

using ProgramTest::Between;
using ProgramTest::RunGameScript;
using ProgramTest::ScriptRun;

TEST(GameDemo, ARecordedRunOfTheGamePlaysBackToTheSameUpdate) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
  if (std::system("xdotool version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
  ASSERT_TRUE(fs::exists(kGame));
  const std::string aResources = TeskTest::MakeTempDir("demo-resources");
  std::string anError;
  ASSERT_TRUE(GameTest::WriteGameResources(aResources, &anError)) << anError;
  const std::string aData = TeskTest::MakeTempDir("demo-data");
  const std::string aFolder = aData + "/Orvo Soft Games/GloamHollow/";
  const std::string anEnvironment = "TESK_RESOURCES_DIR='" + aResources + "' XDG_DATA_HOME='" + aData + "'";

  // Recorded: the game runs four seconds while the pointer moves and clicks and keys are typed
  // into its window, then closes itself.
  const ScriptRun aRecorded = RunGameScript(
      TeskTest::MakeTempDir("demo-record"), anEnvironment + " TESK_RUN_SECONDS=4",
      "timeout 60 \"$GAME\" -recnum &\n"
      "aGame=$!\n"
      "aWindow=$(timeout 20 xdotool search --sync --onlyvisible --name 'Gloam Hollow' | head -n1)\n"
      "if [ -n \"$aWindow\" ]; then\n"
      "  xdotool sleep 0.8 mousemove --window $aWindow 400 300 sleep 0.2 click 1 "
      "sleep 0.3 type --delay 60 ab\n"
      "  xdotool sleep 0.3 mousemove --window $aWindow 120 500 sleep 0.2 click 1 "
      "sleep 0.2 mousemove --window $aWindow 700 80\n"
      "fi\n"
      "wait $aGame\n");
  ASSERT_EQ(aRecorded.mStatus, 0) << aRecorded.mErrors;
  const std::string aFile = aFolder + "teskapp1.dmo";
  ASSERT_TRUE(fs::exists(aFile)) << aRecorded.mErrors;
  const std::string anUpdates = Between(aRecorded.mErrors, "demo: recorded " + aFile + ": ", " updates");
  const std::string aCommands = Between(aRecorded.mErrors, " updates, ", " commands");
  ASSERT_FALSE(anUpdates.empty()) << aRecorded.mErrors;
  // The inputs reached the game: a recording of nothing but its timing and preferences is short.
  EXPECT_GT(std::stoi(aCommands), 30) << aRecorded.mErrors;
  const bool aProfileAfterRecording = fs::exists(aFolder + "profile.prof");
  fs::remove(aFolder + "profile.prof");

  // Played: no timed end; the recording's close ends it.
  const ScriptRun aPlayed =
      RunGameScript(TeskTest::MakeTempDir("demo-play"), anEnvironment, "timeout 60 \"$GAME\" -playnum=1\n");
  EXPECT_EQ(aPlayed.mStatus, 0) << aPlayed.mErrors;
  TeskTest::ExpectPlayedToItsEnd(aRecorded.mErrors, aPlayed.mErrors, aFile);
  EXPECT_EQ(fs::exists(aFolder + "profile.prof"), aProfileAfterRecording);
}

}  // namespace

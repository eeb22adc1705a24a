// The game's command-line options as the README gives them, run through the game binary on the
// X display: plain -record and -play keep their demo in the data folder, a recording ended by a
// signal plays back to its end and stops, the screen saver takes three pointer moves sent
// through the X server and ends at the fourth, and -changedir works in the folder it names
// alone, or refuses one it cannot work in.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "GameScript.h"
#include "ProgramRig.h"
#include "ResourceSetWriter.h"
#include "game/shell/GameResourceSet.h"
#include "support/TestTemp.h"

namespace {

namespace fs = std::filesystem;
using ProgramTest::Between;
using ProgramTest::RunGameScript;
using ProgramTest::ScriptRun;

const char* const kFolderInData = "/Orvo Soft Games/GloamHollow/";

class CommandLineProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
    if (std::system("xdotool version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
    ASSERT_TRUE(fs::exists(std::string(TESK_TEST_BINARY_DIR) + "/../game"));
    mResources = TeskTest::MakeTempDir("cmdline-resources");
    std::string anError;
    ASSERT_TRUE(GameTest::WriteGameResources(mResources, &anError)) << anError;
    mData = TeskTest::MakeTempDir("cmdline-data");
  }

  // The game's environment: the resources folder, the data folder and no timed end.
  std::string Environment(const std::string& theResources) const {
    return "TESK_RESOURCES_DIR='" + theResources + "' XDG_DATA_HOME='" + mData + "'; unset TESK_RUN_SECONDS;";
  }

  std::string mResources;
  std::string mData;
};

TEST_F(CommandLineProgram, PlainRecordAndPlayKeepTheDemoInTheDataFolder) {
  const std::string aDemo = mData + kFolderInData + "teskapp.dmo";
  const ScriptRun aRecorded = RunGameScript(TeskTest::MakeTempDir("cmdline-record"), Environment(mResources),
                                            "TESK_RUN_SECONDS=2 timeout 60 \"$GAME\" -record\n");
  ASSERT_EQ(aRecorded.mStatus, 0) << aRecorded.mErrors;
  ASSERT_TRUE(fs::exists(aDemo)) << aRecorded.mErrors;
  const std::string anUpdates = Between(aRecorded.mErrors, "demo: recorded " + aDemo + ": ", " updates");
  ASSERT_FALSE(anUpdates.empty()) << aRecorded.mErrors;

  const ScriptRun aPlayed = RunGameScript(TeskTest::MakeTempDir("cmdline-play"), Environment(mResources),
                                          "timeout 60 \"$GAME\" -play\n");
  EXPECT_EQ(aPlayed.mStatus, 0) << aPlayed.mErrors;
  EXPECT_EQ(Between(aPlayed.mErrors, "demo: played " + aDemo + ": ", " updates"),
            anUpdates + " of " + anUpdates)
      << aPlayed.mErrors;
}

// A recording ended by Control+C or by a termination signal (a quit request, not a closed
// window) plays back to the update where it ended, takes every command and ends by itself.
TEST_F(CommandLineProgram, ARecordingEndedByASignalPlaysBackToItsEndAndStops) {
  const std::string aDemo = mData + kFolderInData + "teskapp.dmo";
  for (const char* aSignal : {"INT", "TERM"}) {
    SCOPED_TRACE(aSignal);
    // Job control keeps Control+C's signal for the game, which a script's background job ignores.
    const ScriptRun aRecorded = RunGameScript(
        TeskTest::MakeTempDir("cmdline-signal-record"), Environment(mResources),
        "set -m\n"
        "timeout 60 \"$GAME\" -record &\n"
        "aGame=$!\n"
        "aWindow=$(timeout 20 xdotool search --sync --onlyvisible --name 'Gloam Hollow' | head -n1)\n"
        "xdotool sleep 0.8 mousemove --window $aWindow 400 300 sleep 0.2 click 1 sleep 0.3\n"
        "pkill -" +
            std::string(aSignal) +
            " -P $aGame -x game\n"
            "wait $aGame\n");
    ASSERT_EQ(aRecorded.mStatus, 0) << aRecorded.mErrors;
    ASSERT_FALSE(Between(aRecorded.mErrors, "demo: recorded " + aDemo + ": ", " updates").empty())
        << aRecorded.mErrors;

    const ScriptRun aPlayed = RunGameScript(TeskTest::MakeTempDir("cmdline-signal-play"),
                                            Environment(mResources), "timeout 60 \"$GAME\" -play\n");
    EXPECT_EQ(aPlayed.mStatus, 0) << aPlayed.mErrors;  // not stopped by the timeout
    TeskTest::ExpectPlayedToItsEnd(aRecorded.mErrors, aPlayed.mErrors, aDemo);
  }
}

TEST_F(CommandLineProgram, TheScreenSaverTakesThreePointerMovesAndEndsAtTheFourth) {
  // The pointer starts on a spot of its own; each move goes somewhere new on the full screen.
  const ScriptRun aRun =
      RunGameScript(TeskTest::MakeTempDir("cmdline-saver"), Environment(mResources),
                    "xdotool mousemove 40 40\n"
                    "timeout 60 \"$GAME\" -screensaver &\n"
                    "aGame=$!\n"
                    "timeout 20 xdotool search --sync --onlyvisible --name 'Gloam Hollow' >/dev/null\n"
                    "sleep 1.5\n"
                    "for aSpot in '200 150' '300 250' '400 350'; do\n"
                    "  xdotool mousemove $aSpot; sleep 0.3\n"
                    "done\n"
                    "sleep 1\n"
                    "if kill -0 $aGame 2>/dev/null; then echo 'open after three moves' >&2; fi\n"
                    "xdotool mousemove 500 450\n"
                    "wait $aGame\n");
  EXPECT_NE(aRun.mErrors.find("open after three moves"), std::string::npos) << aRun.mErrors;
  // Ended by the fourth move, not by the timeout (status 124).
  EXPECT_EQ(aRun.mStatus, 0) << aRun.mErrors;
}

TEST_F(CommandLineProgram, ChangeDirWorksInTheNamedFolderAloneOrRefusesIt) {
  // The folder the program would use by itself holds an archive of the whole set; the folder
  // named holds the same files but one, and no archive.
  std::string anError;
  ASSERT_TRUE(TeskTools::WriteResourcePak(mResources, mResources + "/main.pak", &anError)) << anError;
  const std::string aNamed = TeskTest::MakeTempDir("cmdline-named");
  ASSERT_TRUE(GameTest::WriteGameResources(aNamed, &anError)) << anError;
  ASSERT_TRUE(fs::remove(aNamed + "/sounds/SFX_COIN.wav"));
  const std::string aWithArchive = TeskTest::MakeTempDir("cmdline-archive");
  fs::copy(mResources, aWithArchive, fs::copy_options::recursive);
  struct Case {
    const char* mName;
    std::string mFolder;
    int mStatus;
    std::string mSaid;  // empty: nothing about the folder is said
  };
  const Case kCases[] = {
      // The coin sound is not taken from the other folder's archive: start-up stops without it.
      {"no archive", aNamed, 1,
       "-changedir: " + aNamed + " holds no main.pak; its own files are read, with no archive"},
      {"its own archive", aWithArchive, 0, ""},
      {"no such folder", aNamed + "/absent", 1,
       "Cannot work in the resources folder " + aNamed + "/absent: No such file or directory"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    fs::remove_all(mData);
    const ScriptRun aRun =
        RunGameScript(TeskTest::MakeTempDir("cmdline-changedir"), Environment(mResources),
                      "TESK_RUN_SECONDS=1 timeout 60 \"$GAME\" -changedir='" + c.mFolder + "'\n");
    EXPECT_EQ(aRun.mStatus, c.mStatus) << aRun.mErrors;
    if (c.mSaid.empty()) {
      EXPECT_EQ(aRun.mErrors.find("-changedir"), std::string::npos) << aRun.mErrors;
      EXPECT_EQ(aRun.mErrors.find("resources folder"), std::string::npos) << aRun.mErrors;
    } else {
      EXPECT_NE(aRun.mErrors.find(c.mSaid), std::string::npos) << aRun.mErrors;
    }
    if (c.mFolder == aNamed) {
      EXPECT_NE(aRun.mErrors.find("Failed to load sound: sounds/SFX_COIN"), std::string::npos)
          << aRun.mErrors;
    }
    if (c.mFolder == aNamed + "/absent") {
      // Refused before anything is kept: not even the preferences.
      EXPECT_FALSE(fs::exists(mData + kFolderInData + "Preferences.txt")) << aRun.mErrors;
    }
  }
}

}  // namespace

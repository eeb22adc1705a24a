// The game binary with no per-user data folder (XDG_DATA_HOME and HOME are plain files): it says
// so and runs, but reads no player's file left beside its resources, caches no decoded sound
// there and refuses an F11 screenshot; afterwards no file of its folders has changed.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>

#include "GameScript.h"
#include "SoundWriter.h"
#include "game/shell/GameResourceSet.h"
#include "support/TestTemp.h"

namespace {

namespace fs = std::filesystem;
using TeskTools::SoundWriter;

TEST(NoDataFolderProgram, ReadsAndWritesNoUserFileBesideItsResources) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
  if (std::system("xdotool version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
  ASSERT_TRUE(fs::exists(std::string(TESK_TEST_BINARY_DIR) + "/../game"));
  const std::string aResources = TeskTest::MakeTempDir("nodata-resources");
  std::string anError;
  ASSERT_TRUE(GameTest::WriteGameResources(aResources, &anError)) << anError;
  // A sound decoded at start-up, which the cache would keep as a WAV file.
  ASSERT_TRUE(fs::remove(aResources + "/sounds/SFX_COIN.wav"));
  ASSERT_TRUE(TeskTest::WriteFile(
      aResources + "/sounds/SFX_COIN.au",
      SoundWriter::Au(SoundWriter::MuLaw(SoundWriter::Tone(440, 800, 1, 8000, 9000)), 1, 8000, 1)));
  // A player's file beside the resources is none of the program's business.
  ASSERT_TRUE(TeskTest::WriteFile(aResources + "/profile.prof", "not a profile"));
  const std::string aHome = TeskTest::MakeTempDir("nodata-home");
  ASSERT_TRUE(TeskTest::WriteFile(aHome + "/home", "x"));
  ASSERT_TRUE(TeskTest::WriteFile(aHome + "/data", "x"));
  const std::string aStart = TeskTest::MakeTempDir("nodata-start");
  const std::string aScratch = TeskTest::MakeTempDir("nodata-run");

  // The developer keys on, then F11, while the game runs its four seconds; then every file
  // newer than the start is listed.
  const ProgramTest::ScriptRun aRun = ProgramTest::RunGameScript(
      aScratch,
      "TESK_RESOURCES_DIR='" + aResources + "' HOME='" + aHome + "/home' XDG_DATA_HOME='" + aHome +
          "/data' TESK_RUN_SECONDS=4 HOMES='" + aHome + "' START='" + aStart + "' STAMP='" + aScratch +
          "/stamp'",
      "touch \"$STAMP\"\n"
      "cd \"$START\"\n"
      "timeout 60 \"$GAME\" &\n"
      "aGame=$!\n"
      "aWindow=$(timeout 20 xdotool search --sync --onlyvisible --name 'Gloam Hollow' | head -n1)\n"
      "if [ -n \"$aWindow\" ]; then\n"
      "  xdotool sleep 1 mousemove --window $aWindow 400 300 sleep 0.2 key ctrl+alt+d sleep 0.2 key F11\n"
      "fi\n"
      "wait $aGame\n"
      "aStatus=$?\n"
      "find \"$TESK_RESOURCES_DIR\" \"$START\" \"$HOMES\" -newer \"$STAMP\" | sed 's/^/changed: /' >&2\n"
      "exit $aStatus\n");
  EXPECT_EQ(aRun.mStatus, 0) << aRun.mErrors;
  EXPECT_NE(aRun.mErrors.find("no per-user data folder could be made"), std::string::npos) << aRun.mErrors;
  EXPECT_NE(aRun.mErrors.find("screenshot: no per-user data folder; the screenshot is not taken"),
            std::string::npos)
      << aRun.mErrors;
  // The profile beside the resources was not read (it would have been refused as damaged); the
  // only word of a profile is that it could not be saved.
  std::istringstream aLines(aRun.mErrors);
  for (std::string aLine; std::getline(aLines, aLine);) {
    if (aLine.find("profile.prof") != std::string::npos) {
      EXPECT_NE(aLine.find("cannot be written"), std::string::npos) << aLine;
    }
  }
  EXPECT_EQ(aRun.mErrors.find("changed: "), std::string::npos) << aRun.mErrors;
}

}  // namespace

// The whole game played by the scripted player (tools/playthrough.cpp) on the generated asset set:
// from the logos and the title screen a new player named, the story read, then every chapter from
// its intro: the map, every location clicked clear on pixels the scene's own hit test gives to each
// listed object, the mini-game solved from the screen's own state (potion after odd chapters, chant
// after even ones) and the results; the last chapter's runestones, the ending and the credits, back
// to the title screen. The run is recorded as a demo by the framework; the demo, replayed from its
// file under fast-forward, must end at the same update with the same log of the game's state (every
// 250 updates and at each chapter) and the same profile and saves. Memory stays flat from chapter
// to chapter.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "ProgramRig.h"
#include "game/play/LevelTables.h"
#include "support/TestTemp.h"

extern "C" const char* __lsan_default_suppressions();

namespace {

namespace fs = std::filesystem;

const std::string kTool = std::string(TESK_TEST_BINARY_DIR) + "/../tools/playthrough";
const std::string kGeneratedSet = TESK_DEFAULT_RESOURCES_DIR;

struct ToolRun {
  int mStatus = -1;
  std::string mErrors;
};

// Runs the tool with theArguments in a data folder of its own; the folder's files stay for the checks.
ToolRun RunTool(const std::string& theScratch, const std::string& theData, const std::string& theArguments) {
  const std::string aSuppressions = theScratch + "/lsan.supp";
  TeskTest::WriteFile(aSuppressions, __lsan_default_suppressions());
  const std::string anErrors = theScratch + "/stderr.txt";
  const std::string aCommand =
      "SDL_AUDIODRIVER=dummy TESK_ALERTS=stderr DBUS_SESSION_BUS_ADDRESS=disabled "
      "LSAN_OPTIONS=suppressions='" +
      aSuppressions + "' XDG_DATA_HOME='" + theData + "' TESK_RESOURCES_DIR='" + kGeneratedSet +
      "' timeout 240 '" + kTool + "' " + theArguments + " 2>'" + anErrors + "' >/dev/null";
  const int aResult = std::system(aCommand.c_str());
  ToolRun aRun;
  if (aResult != -1 && WIFEXITED(aResult)) aRun.mStatus = WEXITSTATUS(aResult);
  aRun.mErrors = TeskTest::ReadFile(anErrors);
  return aRun;
}

using ProgramTest::Between;

std::string LastLineStarting(const std::string& theText, const std::string& theStart) {
  std::string aFound;
  size_t aPos = 0;
  while (aPos < theText.size()) {
    const size_t anEnd = theText.find('\n', aPos);
    const std::string aLine =
        theText.substr(aPos, anEnd == std::string::npos ? std::string::npos : anEnd - aPos);
    if (aLine.rfind(theStart, 0) == 0) aFound = aLine;
    if (anEnd == std::string::npos) break;
    aPos = anEnd + 1;
  }
  return aFound;
}

// The lines of theText where the program signalled the debugger (a state it should never reach).
std::string DebuggerSignals(const std::string& theText) {
  std::string aSignals;
  for (size_t aPos = theText.find("debugger: "); aPos != std::string::npos;
       aPos = theText.find("debugger: ", aPos + 1))
    aSignals += theText.substr(aPos, theText.find('\n', aPos) - aPos) + "\n";
  return aSignals;
}

TEST(PlayThrough, TheWholeGamePlayedByTheScriptedPlayerReplaysToTheSameStateAndNeverSignalsTheDebugger) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
  if (!fs::exists(kGeneratedSet + "/properties/resources.xml")) GTEST_SKIP() << "no generated asset set";
  ASSERT_TRUE(fs::exists(kTool));
  const std::string aScratch = TeskTest::MakeTempDir("playthrough");
  const std::string aDemo = aScratch + "/wholegame.dmo";
  const std::string aShots = aScratch + "/screens";

  const ToolRun aRecorded =
      RunTool(aScratch, TeskTest::MakeTempDir("playthrough-record"),
              "record '" + aDemo + "' '" + aScratch + "/recorded.log' --until=end --shots='" + aShots + "'");
  ASSERT_EQ(aRecorded.mStatus, 0) << aRecorded.mErrors;
  const std::string anUpdates = Between(aRecorded.mErrors, "demo: recorded " + aDemo + ": ", " updates");
  const std::string aCommands = Between(aRecorded.mErrors, " updates, ", " commands");
  ASSERT_FALSE(anUpdates.empty()) << aRecorded.mErrors;
  EXPECT_EQ(DebuggerSignals(aRecorded.mErrors), "");
  const std::string aLog = TeskTest::ReadFile(aScratch + "/recorded.log");
  // Each chapter began, and the run ended back on the title screen after the last one's credits.
  for (int aChapter = 1; aChapter <= 13; ++aChapter)
    EXPECT_NE(aLog.find(" level " + std::to_string(aChapter) + " "), std::string::npos) << aChapter << "\n"
                                                                                        << aLog;
  EXPECT_NE(LastLineStarting(aLog, "end ").find(" level 13 "), std::string::npos) << aLog;
  EXPECT_NE(aRecorded.mErrors.find("playthrough: closing the window"), std::string::npos)
      << aRecorded.mErrors;
  EXPECT_NE(aLog.find("file profile.prof "), std::string::npos) << aLog;
  EXPECT_NE(aLog.find("file level.sav0 "), std::string::npos) << aLog;
  // Every kind of screen met on the way was seen (and kept, for looking at).
  for (const char* aScreen : {"title", "popup-9", "story-mode-0", "story-mode-8", "map", "location",
                              "popup-13", "popup-19", "potion-game", "chant-game", "chapter-results"})
    EXPECT_TRUE(fs::exists(aShots + "/" + aScreen + ".png")) << aScreen;
  std::printf("screenshots: %s\n", aShots.c_str());

  // The process's resident size as each chapter begins. A location's sounds stay loaded from its
  // first visit on, so the size settles as the chapter after the last first visit begins; from
  // there no chapter adds to it (a sanitizer's quarantine would, so there the sizes are only
  // printed).
  int aSettled = 1;
  std::set<int> aVisited;
  for (int aChapter = 1; aChapter <= k_numLevels; ++aChapter)
    for (const uint8_t anId : s_levelDataMapping[aChapter])
      if (anId != 255 && aVisited.insert(anId).second) aSettled = aChapter + 1;
  ASSERT_LT(aSettled, 13);
  std::vector<long> aResident(14, 0);
  for (int aChapter = 1; aChapter <= 13; ++aChapter) {
    const std::string aSize = Between(
        aRecorded.mErrors, "playthrough: chapter " + std::to_string(aChapter) + " at update ", " kB,");
    if (aSize.find("resident ") != std::string::npos)
      aResident[aChapter] = std::stol(aSize.substr(aSize.find("resident ") + 9));
    std::printf("chapter %d: resident %ld kB\n", aChapter, aResident[aChapter]);
  }
#if !defined(__SANITIZE_ADDRESS__)
  for (int aChapter = aSettled + 1; aChapter <= 13; ++aChapter)
    EXPECT_LE(aResident[aChapter], aResident[aSettled] + aResident[aSettled] / 40) << "chapter " << aChapter;
#endif

  // Replayed from the file in an empty data folder: the same updates, commands, states and files.
  const ToolRun aPlayed = RunTool(aScratch, TeskTest::MakeTempDir("playthrough-replay"),
                                  "replay '" + aDemo + "' '" + aScratch + "/played.log'");
  ASSERT_EQ(aPlayed.mStatus, 0) << aPlayed.mErrors;
  EXPECT_EQ(Between(aPlayed.mErrors, "demo: played " + aDemo + ": ", " updates"),
            anUpdates + " of " + anUpdates)
      << aPlayed.mErrors;
  EXPECT_EQ(Between(aPlayed.mErrors, " updates, ", " commands"), aCommands) << aPlayed.mErrors;
  EXPECT_EQ(aPlayed.mErrors.find("not to its end"), std::string::npos) << aPlayed.mErrors;
  EXPECT_EQ(DebuggerSignals(aPlayed.mErrors), "");
  EXPECT_EQ(TeskTest::ReadFile(aScratch + "/played.log"), aLog);
}

// The scripted player's demo of the first chapter, played back by the game's own binary through its
// entry ("-play -demofile=..."), fast-forwarded by the playback key '0' typed into its window: it
// ends at the recorded update, takes every command, and leaves the same profile and save behind.
TEST(PlayThrough, TheGameItselfPlaysTheScriptedPlayersDemoBackToTheSameFiles) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
  if (std::system("xdotool version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
  if (!fs::exists(kGeneratedSet + "/properties/resources.xml")) GTEST_SKIP() << "no generated asset set";
  const std::string aScratch = TeskTest::MakeTempDir("playthrough-game");
  const std::string aDemo = aScratch + "/chapter1.dmo";
  const std::string aRecordData = TeskTest::MakeTempDir("playthrough-game-record");
  const ToolRun aRecorded = RunTool(
      aScratch, aRecordData, "record '" + aDemo + "' '" + aScratch + "/recorded.log' --until=chapter:1");
  ASSERT_EQ(aRecorded.mStatus, 0) << aRecorded.mErrors;
  const std::string anUpdates = Between(aRecorded.mErrors, "demo: recorded " + aDemo + ": ", " updates");
  const std::string aCommands = Between(aRecorded.mErrors, " updates, ", " commands");
  ASSERT_FALSE(anUpdates.empty()) << aRecorded.mErrors;

  const std::string aPlayData = TeskTest::MakeTempDir("playthrough-game-play");
  const std::string aSuppressions = aScratch + "/lsan.supp";
  const std::string anErrors = aScratch + "/game-stderr.txt";
  const std::string aGame = std::string(TESK_TEST_BINARY_DIR) + "/../game";
  const std::string aScript =
      "export SDL_AUDIODRIVER=dummy TESK_ALERTS=stderr DBUS_SESSION_BUS_ADDRESS=disabled "
      "LSAN_OPTIONS=suppressions='" +
      aSuppressions + "' XDG_DATA_HOME='" + aPlayData + "' TESK_RESOURCES_DIR='" + kGeneratedSet + "'\n" +
      "timeout 240 '" + aGame + "' -play -demofile='" + aDemo + "' 2>'" + anErrors + "' &\n" +
      "aGame=$!\n"
      "aWindow=$(timeout 20 xdotool search --sync --onlyvisible --name 'Gloam Hollow' | head -n1)\n"
      "[ -n \"$aWindow\" ] && xdotool sleep 0.3 key --window $aWindow 0\n"
      "wait $aGame\n";
  TeskTest::WriteFile(aScratch + "/play.sh", aScript);
  const int aResult = std::system(("bash '" + aScratch + "/play.sh' >/dev/null 2>&1").c_str());
  const std::string aPlayed = TeskTest::ReadFile(anErrors);
  ASSERT_TRUE(aResult != -1 && WIFEXITED(aResult) && WEXITSTATUS(aResult) == 0) << aPlayed;
  EXPECT_EQ(Between(aPlayed, "demo: played " + aDemo + ": ", " updates"), anUpdates + " of " + anUpdates)
      << aPlayed;
  EXPECT_EQ(Between(aPlayed, " updates, ", " commands"), aCommands) << aPlayed;
  EXPECT_EQ(aPlayed.find("not to its end"), std::string::npos) << aPlayed;
  for (const char* aFile : {"profile.prof", "level.sav0"}) {
    const std::string aFolder = "/Orvo Soft Games/GloamHollow/";
    const std::string aBytes = TeskTest::ReadFile(aRecordData + aFolder + aFile);
    EXPECT_FALSE(aBytes.empty()) << aFile;
    EXPECT_TRUE(TeskTest::ReadFile(aPlayData + aFolder + aFile) == aBytes) << aFile;
  }
}

// The key line ("playthrough: resume key (theWhere): ...") a run wrote, from theFrom on.
std::string ResumeKey(const std::string& theErrors, const std::string& theWhere,
                      const std::string& theFrom = "") {
  const std::string aLine = Between(theErrors, "playthrough: resume key (" + theWhere + "): ", "\n");
  return theFrom.empty() || aLine.find(theFrom) == std::string::npos ? aLine
                                                                     : aLine.substr(aLine.find(theFrom));
}

struct ResumeCase {
  const char* mQuit;   // where the first run saves and quits
  const char* mUntil;  // the second run goes on to the next chapter
  const char* mWhere;  // the key the second run writes on coming back
  const char* mFrom;   // the part of the key a resumed game must bring back
};

class PlayThroughResume : public testing::TestWithParam<ResumeCase> {};

// A player saves and quits through the menu part way through a location (chapter 2) or a mini-game
// (chapter 1's potion game); the program is started again in the same data folder and the player
// continues: the location's progress (what is left in the chapter and in each location) or the
// mini-game's board and points are as they were left, and the chapter then plays to its end.
TEST_P(PlayThroughResume, QuittingAndContinuingBringsTheGameBackWhereItWas) {
  if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
  if (!fs::exists(kGeneratedSet + "/properties/resources.xml")) GTEST_SKIP() << "no generated asset set";
  const ResumeCase& aCase = GetParam();
  const std::string aScratch = TeskTest::MakeTempDir("playthrough-resume");
  const std::string aData = TeskTest::MakeTempDir("playthrough-resume-data");
  const ToolRun aQuit = RunTool(
      aScratch, aData,
      "record '" + aScratch + "/quit.dmo' '" + aScratch + "/quit.log' --until=end --quit=" + aCase.mQuit);
  ASSERT_EQ(aQuit.mStatus, 0) << aQuit.mErrors;
  const std::string aLeft = ResumeKey(aQuit.mErrors, "quit", aCase.mFrom);
  ASSERT_FALSE(aLeft.empty()) << aQuit.mErrors;
  EXPECT_TRUE(fs::exists(aData + "/Orvo Soft Games/GloamHollow/profile.prof"));

  const ToolRun aResumed =
      RunTool(aScratch, aData,
              "record '" + aScratch + "/resume.dmo' '" + aScratch + "/resume.log' --until=" + aCase.mUntil);
  ASSERT_EQ(aResumed.mStatus, 0) << aResumed.mErrors;
  EXPECT_EQ(ResumeKey(aResumed.mErrors, aCase.mWhere, aCase.mFrom), aLeft) << aResumed.mErrors;
  const std::string aNext = " level " + std::to_string(std::atoi(aCase.mUntil + 8) + 1) + " ";
  EXPECT_NE(LastLineStarting(TeskTest::ReadFile(aScratch + "/resume.log"), "end ").find(aNext),
            std::string::npos)
      << TeskTest::ReadFile(aScratch + "/resume.log");
}

INSTANTIATE_TEST_SUITE_P(Where, PlayThroughResume,
                         testing::Values(ResumeCase{"location:2", "chapter:2", "map", "chapter "},
                                         ResumeCase{"minigame:1", "chapter:1", "mini-game", "mini-game "}),
                         [](const testing::TestParamInfo<ResumeCase>& theInfo) {
                           return std::string(theInfo.param.mQuit[0] == 'l' ? "InALocation" : "InAMiniGame");
                         });

}  // namespace

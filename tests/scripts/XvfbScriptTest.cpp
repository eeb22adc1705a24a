// scripts/xvfb.sh as the test and run scripts use it: sourced by bash with no display.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <chrono>
#include <thread>

#include "support/TestTemp.h"

namespace {

const std::string k_Repo = std::filesystem::path(TESK_TEST_SOURCE_DIR).parent_path().string();

struct Outcome {
  int mStatus;
  std::string mOutput;  // standard output and error
};

Outcome RunBash(const std::string& theScript) {
  const std::string aDir = TeskTest::MakeTempDir("xvfb");
  const std::string aScript = aDir + "/script.sh";
  TeskTest::WriteFile(aScript, theScript);
  const std::string aCommand = "cd '" + k_Repo + "' && env -u DISPLAY bash '" + aScript + "' > '" + aDir + "/out' 2>&1";
  const int aStatus = std::system(aCommand.c_str());
  return {WIFEXITED(aStatus) ? WEXITSTATUS(aStatus) : -1, TeskTest::ReadFile(aDir + "/out")};
}

bool Exists(const std::string& thePath) { return std::filesystem::exists(thePath); }

// A server holding display :91 that the script cannot see: the script runs in a mount
// namespace of its own with an empty /tmp, so no lock file or socket of :91 shows there,
// while the server's abstract socket still holds the number.
TEST(XvfbScriptTest, StartsWhenAServerItCannotSeeHoldsTheFirstNumber) {
  if (std::system("unshare -m --propagation private true 2>/dev/null") != 0) {
    GTEST_SKIP() << "no mount namespaces here";
  }
  pid_t aServer = 0;
  if (!Exists("/tmp/.X91-lock") && !Exists("/tmp/.X11-unix/X91")) {
    aServer = fork();
    if (aServer == 0) {
      std::freopen("/dev/null", "w", stderr);
      execlp("Xvfb", "Xvfb", ":91", "-nolisten", "tcp", "-screen", "0", "64x64x24", static_cast<char*>(nullptr));
      _exit(127);
    }
    for (int i = 0; i < 300 && !Exists("/tmp/.X11-unix/X91"); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ASSERT_TRUE(Exists("/tmp/.X11-unix/X91")) << "the holding server did not start";
  }
  const Outcome anOutcome = RunBash(
      "exec unshare -m --propagation private bash -c '\n"
      "  mount -t tmpfs none /tmp || exit 3\n"
      "  source scripts/xvfb.sh\n"
      "  start_xvfb || exit 1\n"
      "  xdotool getmouselocation >/dev/null || exit 2\n"
      "  echo \"display $DISPLAY\"\n"
      "'\n");
  if (aServer > 0) {
    kill(aServer, SIGTERM);
    waitpid(aServer, nullptr, 0);
  }
  EXPECT_EQ(anOutcome.mStatus, 0) << anOutcome.mOutput;
  EXPECT_NE(anOutcome.mOutput.find("display :"), std::string::npos) << anOutcome.mOutput;
}

// A server that cannot start is reported with what it said, at once.
TEST(XvfbScriptTest, ReportsWhyTheServerDidNotStart) {
  const std::string aBin = TeskTest::MakeTempDir("fake-xvfb");
  TeskTest::WriteFile(aBin + "/Xvfb", "#!/bin/sh\necho 'Fatal server error: no screens found' >&2\nexit 1\n");
  std::filesystem::permissions(aBin + "/Xvfb", std::filesystem::perms::owner_all);
  const Outcome anOutcome = RunBash("PATH='" + aBin + "':$PATH\nsource scripts/xvfb.sh\nstart_xvfb\necho \"status $?\"\n");
  EXPECT_NE(anOutcome.mOutput.find("status 1"), std::string::npos) << anOutcome.mOutput;
  EXPECT_NE(anOutcome.mOutput.find("no screens found"), std::string::npos) << anOutcome.mOutput;
}

// The display is there until the shell that started it stops it, and gone after.
TEST(XvfbScriptTest, StopsTheServerItStarted) {
  const Outcome anOutcome = RunBash(
      "source scripts/xvfb.sh\n"
      "start_xvfb || exit 1\n"
      "aPid=$TESK_XVFB_PID\n"
      "kill -0 $aPid && echo running\n"
      "stop_xvfb\n"
      "sleep 0.2\n"
      "kill -0 $aPid 2>/dev/null && echo still-running\n"
      "true\n");
  EXPECT_EQ(anOutcome.mStatus, 0) << anOutcome.mOutput;
  EXPECT_NE(anOutcome.mOutput.find("running"), std::string::npos) << anOutcome.mOutput;
  EXPECT_EQ(anOutcome.mOutput.find("still-running"), std::string::npos) << anOutcome.mOutput;
}

// scripts/run.sh without a display runs the game under a virtual one and stops it when the game
// has ended. The script runs in a copy of the scripts folder with the installing and building
// steps stubbed out and a stand-in game that notes the server it ran under.
TEST(RunScriptTest, TheVirtualDisplayEndsWithTheGame) {
  const std::string aTree = TeskTest::MakeTempDir("run-tree");
  std::filesystem::create_directories(aTree + "/scripts");
  std::filesystem::create_directories(aTree + "/bin");
  std::filesystem::create_directories(aTree + "/build");
  for (const char* aScript : {"run.sh", "xvfb.sh"}) {
    std::filesystem::copy_file(k_Repo + "/scripts/" + aScript, aTree + "/scripts/" + aScript);
  }
  TeskTest::WriteFile(aTree + "/scripts/install-deps.sh", "exit 0\n");
  TeskTest::WriteFile(aTree + "/bin/cmake", "#!/bin/sh\nexit 0\n");
  // The server is a child of run.sh's shell, or of the game itself were run.sh to exec it.
  TeskTest::WriteFile(aTree + "/build/game",
                      "#!/bin/sh\n"
                      "echo \"$DISPLAY\" > \"$(dirname \"$0\")/display\"\n"
                      "for d in /proc/[0-9]*; do\n"
                      "  [ \"$(cat $d/comm 2>/dev/null)\" = Xvfb ] || continue\n"
                      "  p=$(cut -d' ' -f4 $d/stat 2>/dev/null)\n"
                      "  if [ \"$p\" = \"$PPID\" ] || [ \"$p\" = \"$$\" ]; then echo ${d#/proc/}; fi\n"
                      "done > \"$(dirname \"$0\")/server\"\n"
                      "exit 3\n");
  for (const char* anExecutable : {"/bin/cmake", "/build/game"}) {
    std::filesystem::permissions(aTree + anExecutable, std::filesystem::perms::owner_all);
  }
  const Outcome anOutcome =
      RunBash("PATH='" + aTree + "/bin':$PATH BUILD_DIR=build bash '" + aTree + "/scripts/run.sh'\necho \"status $?\"\n");
  const std::string aDisplay = TeskTest::ReadFile(aTree + "/build/display");
  const std::string aServer = TeskTest::ReadFile(aTree + "/build/server");
  EXPECT_EQ(aDisplay.rfind(":", 0), 0u) << anOutcome.mOutput;
  ASSERT_FALSE(aServer.empty()) << "the game ran without the script's server\n" << anOutcome.mOutput;
  // The game's status is the script's, and its server is gone once it returns.
  EXPECT_NE(anOutcome.mOutput.find("status 3"), std::string::npos) << anOutcome.mOutput;
  const int aPid = std::atoi(aServer.c_str());
  ASSERT_GT(aPid, 0);
  bool isGone = false;
  for (int i = 0; i < 50 && !isGone; ++i) {
    isGone = kill(aPid, 0) != 0;
    if (!isGone) std::this_thread::sleep_for(std::chrono::milliseconds(100));
  }
  if (!isGone) kill(aPid, SIGTERM);
  EXPECT_TRUE(isGone) << "the virtual display outlived the game";
}

}  // namespace

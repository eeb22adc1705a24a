// Runs the game binary from a bash script, as a user at a shell would: the script names the
// binary $GAME, may drive its window with xdotool, and its standard error is kept.
#pragma once

#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/TestTemp.h"

extern "C" const char* __lsan_default_suppressions();

namespace ProgramTest {

struct ScriptRun {
  int mStatus = -1;  // the script's exit status, or -1 when it did not exit
  std::string mErrors;
};

// theScratch holds the script and what it wrote to standard error; theEnvironment is
// "NAME=value ..." added to the game's usual test environment.
inline ScriptRun RunGameScript(const std::string& theScratch, const std::string& theEnvironment,
                               const std::string& theScript) {
  // The display libraries keep some memory for the process's life; the leak checker of a
  // sanitizer build is told so, as in the tests' own binaries.
  const std::string aSuppressions = theScratch + "/lsan.supp";
  TeskTest::WriteFile(aSuppressions, __lsan_default_suppressions());
  const std::string aScript = theScratch + "/run.sh";
  TeskTest::WriteFile(aScript,
                      "export GAME='" + std::string(TESK_TEST_BINARY_DIR) +
                          "/../game' SDL_AUDIODRIVER=dummy TESK_ALERTS=stderr LSAN_OPTIONS=suppressions=" +
                          aSuppressions + " " + theEnvironment + "\n" + theScript);
  const std::string anErrors = theScratch + "/stderr.txt";
  const int aResult = std::system(("bash '" + aScript + "' 2>'" + anErrors + "' >/dev/null").c_str());
  ScriptRun aRun;
  if (aResult != -1 && WIFEXITED(aResult)) aRun.mStatus = WEXITSTATUS(aResult);
  aRun.mErrors = TeskTest::ReadFile(anErrors);
  return aRun;
}

}  // namespace ProgramTest

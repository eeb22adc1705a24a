// The runtime options a sanitized build gives its programs, and the leak check at exit under
// them: a program ends clean while a thread of it holds dynamic TLS (as the OpenGL driver's
// threads do), and a real leak is still reported.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>

#include "support/TestTemp.h"

// Defined by every program of a sanitized build; absent from the others.
extern "C" __attribute__((weak)) const char* __asan_default_options();

namespace {

#if defined(__SANITIZE_ADDRESS__)
constexpr bool k_Sanitized = true;
#else
constexpr bool k_Sanitized = false;
#endif

// The program hands its dynamic TLS block a chunk it freed; without a quarantine the allocator
// gives that chunk out next.
const std::string k_NoQuarantine = "quarantine_size_mb=0:thread_local_quarantine_size_kb=0";

struct ProgramRun {
  int mStatus = -1;  // the exit status, or -1 when it did not exit
  std::string mOutput;
  std::string mErrors;
};

// Runs LeakCheckAtExit with theArgument, in this environment less LSAN_OPTIONS plus theEnvironment.
ProgramRun RunLeakCheckAtExit(const std::string& theEnvironment, const std::string& theArgument) {
  const std::string aDir = TeskTest::MakeTempDir("leakcheck");
  const std::string aCommand = "env -u LSAN_OPTIONS " + theEnvironment + " '" TESK_LEAK_CHECK_AT_EXIT "' '" +
                               theArgument + "' >'" + aDir + "/out' 2>'" + aDir + "/errors'";
  const int aStatus = std::system(aCommand.c_str());
  ProgramRun aRun;
  if (aStatus != -1 && WIFEXITED(aStatus)) aRun.mStatus = WEXITSTATUS(aStatus);
  aRun.mOutput = TeskTest::ReadFile(aDir + "/out");
  aRun.mErrors = TeskTest::ReadFile(aDir + "/errors");
  return aRun;
}

TEST(SanitizerDefaults, TheProgramLeavesDynamicTlsUnrecorded) {
  if (!k_Sanitized) GTEST_SKIP() << "not a sanitized build";
  ASSERT_NE(__asan_default_options, nullptr);
  EXPECT_NE(std::string(__asan_default_options()).find("intercept_tls_get_addr=0"), std::string::npos)
      << __asan_default_options();
}

// The runtime would take this block for one with a header in front, scan a bogus range at exit
// and crash; options set in the environment keep the program's default.
TEST(SanitizerDefaults, LeakCheckEndsCleanWithDynamicTlsAtAPageOffsetOf16) {
  if (!k_Sanitized) GTEST_SKIP() << "not a sanitized build";
  const std::string kEnvironments[] = {
      "ASAN_OPTIONS=detect_leaks=1:" + k_NoQuarantine,  // as CI sets it
      "ASAN_OPTIONS=detect_leaks=1:" + k_NoQuarantine +
          " LSAN_OPTIONS=report_objects=1",  // and the game's tests
  };
  for (const std::string& anEnvironment : kEnvironments) {
    SCOPED_TRACE(anEnvironment);
    const ProgramRun aRun = RunLeakCheckAtExit(anEnvironment, TESK_DYNAMIC_TLS_MODULE);
    EXPECT_EQ(aRun.mOutput, "placed\n") << "the block went elsewhere, so this shows nothing\n"
                                        << aRun.mErrors;
    EXPECT_EQ(aRun.mStatus, 0) << aRun.mErrors;
    EXPECT_EQ(aRun.mErrors.find("Sanitizer"), std::string::npos) << aRun.mErrors;
  }
}

TEST(SanitizerDefaults, ALeakIsStillReported) {
  if (!k_Sanitized) GTEST_SKIP() << "not a sanitized build";
  const ProgramRun aRun = RunLeakCheckAtExit("ASAN_OPTIONS=detect_leaks=1", "--leak");
  EXPECT_NE(aRun.mStatus, 0);
  EXPECT_NE(aRun.mErrors.find("ERROR: LeakSanitizer: detected memory leaks"), std::string::npos)
      << aRun.mErrors;
  EXPECT_NE(aRun.mErrors.find("Direct leak of 4321 byte(s) in 1 object(s)"), std::string::npos)
      << aRun.mErrors;
}

}  // namespace

#include <gtest/gtest.h>

#include "platform/coreservices/CoreServices.h"
#include "platform/coreservices/backend/ScriptedClock.h"

TEST(CoreServices, DurationsAreMicrosecondsWhileTheyFitThenMilliseconds) {
  struct Case {
    Nanoseconds nanos;
    Duration duration;
  };
  const Case kCases[] = {
      {0, 0},
      {1500, -1},
      {2500000, -2500},
      {2147483647000ull, -2147483647},  // the longest span in microseconds
      {2147483648000ull, 2147483},      // one more: milliseconds
      {0x7FFFFFFFull * 1000000ull, 0x7FFFFFFF},
      {0xFFFFFFFFull * 1000000ull, 0x7FFFFFFF},  // capped
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.nanos);
    EXPECT_EQ(NanosecondsToDuration(c.nanos), c.duration);
  }
  EXPECT_EQ(AddDurationToAbsolute(5, 100), 5000100u);
  EXPECT_EQ(AddDurationToAbsolute(-5, 100), 5100u);
  EXPECT_EQ(AbsoluteDeltaToNanoseconds(10, 4), 6u);
  EXPECT_EQ(AbsoluteDeltaToNanoseconds(4, 10), 0u);
}

TEST(CoreServices, UpTimeFollowsTheInstalledClock) {
  ScriptedClock aClock(42);
  SetCoreServicesClock(&aClock);
  EXPECT_EQ(UpTime(), 42u);
  aClock.AdvanceMilliseconds(3);
  EXPECT_EQ(AbsoluteToNanoseconds(UpTime()), 3000042u);
  CoreServicesClock().SleepUntil(10);  // already past: no change
  EXPECT_EQ(UpTime(), 3000042u);
  SetCoreServicesClock(nullptr);
  const AbsoluteTime aFirst = UpTime();
  EXPECT_GE(UpTime(), aFirst);  // the system clock never runs backwards
}

TEST(CoreServices, GestaltAnswersProcessorSpeedAndSystemVersion) {
  int32_t aResponse = -1;
  EXPECT_EQ(Gestalt(gestaltProcClkSpeed, &aResponse), 0);
  EXPECT_GE(aResponse, 0);
  EXPECT_EQ(Gestalt(gestaltSystemVersion, &aResponse), 0);
  EXPECT_GT(aResponse, 0);
  EXPECT_EQ(Gestalt(MakeFourCharCode("zzzz"), &aResponse), gestaltUndefSelectorErr);
}

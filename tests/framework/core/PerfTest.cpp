#include <gtest/gtest.h>

#include "core/PerfTimer.h"
#include "core/TeskPerf.h"
#include "platform/coreservices/backend/ScriptedClock.h"

using namespace Tesk;

namespace {
class PerfTest : public testing::Test {
 protected:
  void SetUp() override { SetCoreServicesClock(&mClock); }
  void TearDown() override { SetCoreServicesClock(nullptr); }
  ScriptedClock mClock{1000000000};
};
}  // namespace

TEST_F(PerfTest, TimerMeasuresMillisecondsWithTheFractionOfShortSpans) {
  PerfTimer aTimer;
  EXPECT_EQ(aTimer.GetDuration(), 0.0);  // never started
  aTimer.Start();
  mClock.AdvanceNanoseconds(1500000);
  EXPECT_DOUBLE_EQ(aTimer.GetDuration(), 1.5);
  aTimer.Stop();
  mClock.AdvanceMilliseconds(100);
  EXPECT_DOUBLE_EQ(aTimer.GetDuration(), 1.5);  // stopped: no longer moves
  aTimer.Start();
  mClock.AdvanceMilliseconds(3 * 3600 * 1000);  // too long for microseconds
  EXPECT_DOUBLE_EQ(aTimer.GetDuration(), 3 * 3600 * 1000.0);
  EXPECT_GE(PerfTimer::GetCPUSpeed(), 1);
}

TEST_F(PerfTest, SectionsCollateByNameWithoutCaseAndTimeTheOutermostCall) {
  TeskPerf::BeginPerf();
  EXPECT_TRUE(TeskPerf::IsPerfOn());
  TeskPerf::StartTiming("A");
  mClock.AdvanceMilliseconds(10);
  TeskPerf::StartTiming("a");
  mClock.AdvanceMilliseconds(5);
  TeskPerf::StopTiming("a");
  TeskPerf::StopTiming("A");
  TeskPerf::StopTiming("Orphan");  // no start: no entry
  TeskPerf::StartTiming("B");
  mClock.AdvanceMilliseconds(2);
  TeskPerf::StopTiming("B");
  mClock.AdvanceMilliseconds(3);
  TeskPerf::EndPerf();
  EXPECT_FALSE(TeskPerf::IsPerfOn());
  EXPECT_EQ(TeskPerf::GetResults(),
            "Total Time: 20.00\n"
            "A (2 calls, %75.00 time): 15.00 (7.50 avg, 15.00 longest)\n"
            "B (1 calls, %10.00 time): 2.00 (2.00 avg, 2.00 longest)\n");
}

TEST_F(PerfTest, NothingIsRecordedWhileOff) {
  TeskPerf::BeginPerf(true);  // measuring overhead: stays off
  EXPECT_FALSE(TeskPerf::IsPerfOn());
  TeskPerf::StartTiming("X");
  mClock.AdvanceMilliseconds(4);
  TeskPerf::StopTiming("X");
  TeskPerf::EndPerf();
  EXPECT_EQ(TeskPerf::GetResults(), "Total Time: 4.00\n");
}

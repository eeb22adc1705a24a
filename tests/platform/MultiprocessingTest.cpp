#include <gtest/gtest.h>

#include <atomic>

#include "platform/coreservices/backend/ScriptedClock.h"
#include "platform/mp/Multiprocessing.h"

namespace {

struct TaskRecord {
  std::atomic<MPTaskID> mSeenId{0};
  std::atomic<int> mRuns{0};
};

OSStatus RecordTask(void* theParameter) {
  auto* aRecord = static_cast<TaskRecord*>(theParameter);
  aRecord->mSeenId = MPCurrentTaskID();
  aRecord->mRuns++;
  return 0;
}

}  // namespace

TEST(Multiprocessing, TaskRunsOnItsOwnIdAndCanBeWaitedFor) {
  TaskRecord aRecord;
  MPTaskID aTask = 0;
  ASSERT_EQ(MPCreateTask(RecordTask, &aRecord, &aTask), 0);
  ASSERT_EQ(MPWaitForTaskExit(aTask), 0);
  EXPECT_EQ(aRecord.mRuns, 1);
  EXPECT_EQ(aRecord.mSeenId, aTask);
  EXPECT_NE(aTask, MPCurrentTaskID());
  EXPECT_EQ(MPCurrentTaskID(), MPCurrentTaskID());
  EXPECT_EQ(MPWaitForTaskExit(aTask), kMPInvalidIDErr);  // already reaped
}

TEST(Multiprocessing, CriticalRegionIsReentrantAndTimesOutForOthers) {
  MPCriticalRegionID aRegion = nullptr;
  ASSERT_EQ(MPCreateCriticalRegion(&aRegion), 0);
  ASSERT_EQ(MPEnterCriticalRegion(aRegion, kDurationForever), 0);
  ASSERT_EQ(MPEnterCriticalRegion(aRegion, kDurationForever), 0);
  struct Probe {
    MPCriticalRegionID mRegion;
    std::atomic<OSStatus> mResult{1};
  } aProbe{aRegion};
  MPTaskID aTask = 0;
  ASSERT_EQ(MPCreateTask(
                [](void* theProbe) -> OSStatus {
                  auto* aProbe = static_cast<Probe*>(theProbe);
                  aProbe->mResult = MPEnterCriticalRegion(aProbe->mRegion, 0);
                  return 0;
                },
                &aProbe, &aTask),
            0);
  MPWaitForTaskExit(aTask);
  EXPECT_EQ(aProbe.mResult, kMPTimeoutErr);
  MPExitCriticalRegion(aRegion);
  MPExitCriticalRegion(aRegion);
  EXPECT_EQ(MPDeleteCriticalRegion(aRegion), 0);
}

TEST(Multiprocessing, DelayUntilSleepsOnTheInstalledClock) {
  ScriptedClock aClock(5000000);
  SetCoreServicesClock(&aClock);
  AbsoluteTime aWake = AddDurationToAbsolute(250, UpTime());
  EXPECT_EQ(MPDelayUntil(&aWake), 0);
  EXPECT_EQ(UpTime(), 255000000u);
  SetCoreServicesClock(nullptr);
}

// The fixed-step main loop on a scripted clock: time moves only when the loop sleeps or the
// test says so, so every count below is exact.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "AppTestDoubles.h"
#include "core/MacUtils.h"
#include "graphics/MemoryImage.h"
#include "support/ScriptedCarbon.h"

namespace {

// Counts updates between draws and notes when frames are presented.
class LoopApp : public RecordingApp {
 public:
  bool DrawDirtyStuff() override {
    mRuns.push_back(mUpdateCount - mUpdatesAtLastDraw);
    mUpdatesAtLastDraw = mUpdateCount;
    return TeskAppBase::DrawDirtyStuff();
  }
  void Redraw(Tesk::TRect<int>*) override { mPresents.push_back(GetTickCount()); }

  // Updates that ran between consecutive draw attempts.
  std::vector<int> mRuns;
  int mUpdatesAtLastDraw = 0;
  std::vector<uint32_t> mPresents;
};

class MainLoop : public ::testing::Test {
 protected:
  void SetUp() override {
    Scripted();
    DrainQueue();
    mApp = std::make_unique<LoopApp>();
    mApp->mRunning = true;
    mApp->ClearUpdateBacklog(false);
  }
  // Runs steps until the scripted clock has moved theMillis on.
  void RunFor(uint32_t theMillis) {
    uint32_t anEnd = GetTickCount() + theMillis;
    while (static_cast<int32_t>(GetTickCount() - anEnd) < 0) mApp->UpdateAppStep(nullptr);
  }
  // Runs steps until the loop sleeps; returns the updates that ran meanwhile.
  int RunUntilSleep() {
    int aSleeps = mApp->mSleepCount;
    int anUpdates = mApp->mUpdateCount;
    for (int i = 0; i < 10000 && mApp->mSleepCount == aSleeps; ++i) mApp->UpdateAppStep(nullptr);
    return mApp->mUpdateCount - anUpdates;
  }
  // Gives the widgets a screen to draw into, so that a changed widget makes a frame.
  void GiveScreen() {
    mScreen = std::make_unique<Tesk::MemoryImage>();
    mScreen->Create(400, 300);
    mApp->mWidgetManager->mImage = mScreen.get();
    mApp->mWidget.mChangeOnUpdate = true;
  }
  void TearDown() override {
    if (mApp != nullptr) mApp->mWidgetManager->mImage = nullptr;
    mScreen.reset();  // images report to the application that was there when they were made
    mApp.reset();
  }

  std::unique_ptr<LoopApp> mApp;
  std::unique_ptr<Tesk::MemoryImage> mScreen;
};

TEST_F(MainLoop, RunsOneHundredUpdatesASecond) {
  RunUntilSleep();
  int aStart = mApp->mUpdateCount;
  RunFor(5000);
  EXPECT_NEAR(mApp->mUpdateCount - aStart, 500, 1);
  EXPECT_EQ(mApp->mWidget.mUpdates, mApp->mUpdateCount);
}

TEST_F(MainLoop, AStallIsCaughtUpForAtMostTwoHundredMilliseconds) {
  RunUntilSleep();
  TestClock().AdvanceMilliseconds(5000);
  EXPECT_EQ(RunUntilSleep(), 20);
  // The loop sleeps until the next step is due, so a stall of 70 ms owes that step and 7 more.
  TestClock().AdvanceMilliseconds(70);
  EXPECT_EQ(RunUntilSleep(), 8);
}

TEST_F(MainLoop, BacklogHoldDropsTheBacklogForASecond) {
  RunUntilSleep();
  mApp->ClearUpdateBacklog(true);
  EXPECT_EQ(mApp->mBacklogHoldTime, 1000);
  TestClock().AdvanceMilliseconds(150);
  // One step is paid and the rest of the backlog is dropped.
  EXPECT_EQ(RunUntilSleep(), 1);
  RunFor(1000);  // the hold runs out with the time that passes
  EXPECT_EQ(mApp->mBacklogHoldTime, 0);
  RunUntilSleep();
  TestClock().AdvanceMilliseconds(150);
  EXPECT_EQ(RunUntilSleep(), 16);
}

TEST_F(MainLoop, TheSpeedMultiplierSetsTheStepAndTheUpdatesBetweenDraws) {
  struct Case {
    double multiplier;
    int longestRun;  // updates between two draws while behind
    int perSecond;   // updates in a second of real time
  };
  const Case kCases[] = {{1.0, 9, 100}, {2.0, 19, 200}, {0.5, 4, 50}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.multiplier);
    mApp->mUpdateMultiplier = c.multiplier;
    RunUntilSleep();
    mApp->mRuns.clear();
    TestClock().AdvanceMilliseconds(5000);
    RunUntilSleep();
    EXPECT_EQ(*std::max_element(mApp->mRuns.begin(), mApp->mRuns.end()), c.longestRun);
    int aStart = mApp->mUpdateCount;
    RunFor(1000);
    EXPECT_NEAR(mApp->mUpdateCount - aStart, c.perSecond, 1);
  }
}

TEST_F(MainLoop, AtSpeedZeroOrPausedNothingUpdatesButQueuedWidgetsAreStillDeleted) {
  for (int aCase = 0; aCase < 2; ++aCase) {
    SCOPED_TRACE(aCase);
    mApp->mUpdateMultiplier = aCase == 0 ? 0.0 : 1.0;
    mApp->mPaused = aCase == 1;
    auto* aWidget = new RecordingWidget();
    mApp->SafeDeleteWidget(aWidget);
    int anUpdates = mApp->mUpdateCount;
    mApp->mUpdateAppState = 1;
    TestClock().AdvanceMilliseconds(100);
    EXPECT_TRUE(mApp->Process(true));
    EXPECT_EQ(mApp->mUpdateCount, anUpdates);
    EXPECT_TRUE(mApp->mSafeDeleteList.empty());
  }
}

TEST_F(MainLoop, ProcessAnswersFalseInsteadOfSleepingWhenAsked) {
  RunUntilSleep();
  mApp->ClearUpdateBacklog(false);  // the next step is a whole step away
  mApp->mHasPendingDraw = false;
  mApp->mUpdateAppState = 1;
  uint32_t aBefore = GetTickCount();
  EXPECT_FALSE(mApp->Process(false));
  EXPECT_EQ(GetTickCount(), aBefore);
  mApp->mUpdateAppState = 1;
  EXPECT_TRUE(mApp->Process(true));
  EXPECT_GT(GetTickCount(), aBefore);
}

TEST_F(MainLoop, AnUnchangedScreenIsNeverPresented) {
  RunFor(5500);
  EXPECT_EQ(mApp->mPresents.size(), 0u);
  EXPECT_NEAR(mApp->mUpdateCount, 550, 2);
}

TEST_F(MainLoop, AFrameWhoseDrawingDidNotChangeIsNotPresented) {
  GiveScreen();
  mApp->mWidgetManager->mSkipUnchangedFrames = true;
  RunUntilSleep();
  mApp->mPresents.clear();
  // The widget marks itself dirty every update and draws the same nothing each time.
  RunFor(1000);
  EXPECT_EQ(mApp->mPresents.size(), 0u);
  EXPECT_GT(mApp->mWidget.mDraws, 90);
  // Everything marked dirty by the application (a screenshot, a new screen) is presented once.
  mApp->mWidgetManager->MarkAllDirty();
  RunFor(1000);
  EXPECT_EQ(mApp->mPresents.size(), 1u);
}

TEST_F(MainLoop, AMinimisedWindowUpdatesTenTimesASecondAndDoesNotCatchUpWhenRestored) {
  GiveScreen();
  mApp->mLoaded = true;
  RunUntilSleep();
  mApp->mMinimized = true;
  const int aWidgetUpdates = mApp->mWidget.mUpdates;
  const int anUpdates = mApp->mUpdateCount;
  mApp->mPresents.clear();
  RunFor(2000);
  EXPECT_NEAR(mApp->mUpdateCount - anUpdates, 20, 2);
  // Its widgets stand still after the update that found it minimised, which lets a screen pause.
  EXPECT_EQ(mApp->mWidget.mUpdates, aWidgetUpdates + 1);
  EXPECT_EQ(mApp->mPresents.size(), 0u);
  mApp->mMinimized = false;
  const int aRestored = mApp->mUpdateCount;
  RunFor(100);
  EXPECT_NEAR(mApp->mUpdateCount - aRestored, 10, 2);  // no burst of the time away
  // Minimised again: again one update reaches the widgets.
  mApp->mMinimized = true;
  const int aWidgetUpdatesAgain = mApp->mWidget.mUpdates;
  RunFor(1000);
  EXPECT_EQ(mApp->mWidget.mUpdates, aWidgetUpdatesAgain + 1);
}

TEST_F(MainLoop, AChangedScreenIsPresentedAfterEveryUpdate) {
  GiveScreen();
  RunUntilSleep();
  mApp->mPresents.clear();
  RunFor(1000);
  EXPECT_NEAR(static_cast<int>(mApp->mPresents.size()), 100, 1);
  EXPECT_GT(mApp->mWidget.mDraws, 90);
}

TEST_F(MainLoop, WhileLoadingFramesAreAtLeastFiftyMillisecondsApart) {
  GiveScreen();
  mApp->mLoadingThreadStarted = true;  // a loading thread that never finishes on its own
  RunFor(2000);
  ASSERT_GT(mApp->mPresents.size(), 10u);
  for (size_t i = 1; i < mApp->mPresents.size(); ++i)
    EXPECT_GE(mApp->mPresents[i] - mApp->mPresents[i - 1], 50u);
  // Updates go on at full rate meanwhile.
  EXPECT_NEAR(mApp->mUpdateCount, 200, 2);

  // Completion is taken up by the next update tick, on the main thread.
  gCalls.clear();
  mApp->mYieldMainThread = true;
  mApp->mLoadingThreadCompleted = true;
  EXPECT_FALSE(mApp->mLoaded);
  mApp->DoUpdateFrames();
  EXPECT_TRUE(mApp->mLoaded);
  EXPECT_FALSE(mApp->mYieldMainThread);
  EXPECT_EQ(gCalls, std::vector<std::string>{"LoadingThreadCompleted"});
  mApp->mPresents.clear();
  RunFor(1000);
  EXPECT_NEAR(static_cast<int>(mApp->mPresents.size()), 100, 1);
}

TEST_F(MainLoop, AQueuedWidgetOutlivesNestedLoopsAndGoesAtItsOwnDepth) {
  struct Deleted : RecordingWidget {
    bool* mFlag;
    explicit Deleted(bool* theFlag) : mFlag(theFlag) {}
    ~Deleted() override { *mFlag = true; }
  };
  bool aDeleted = false;
  mApp->mUpdateAppDepth = 1;
  mApp->SafeDeleteWidget(new Deleted(&aDeleted));
  mApp->mUpdateAppDepth = 2;  // a modal loop inside that update runs its own steps
  mApp->ProcessSafeDeleteList();
  EXPECT_FALSE(aDeleted);
  mApp->mUpdateAppDepth = 1;
  mApp->ProcessSafeDeleteList();
  EXPECT_TRUE(aDeleted);
}

TEST_F(MainLoop, ShutdownEndsTheMainLoop) {
  struct StopAfter : LoopApp {
    void UpdateFrames() override {
      TeskAppBase::UpdateFrames();
      if (mUpdateCount == 50) TeskAppBase::Shutdown();
    }
  };
  mApp.reset();
  StopAfter anApp;
  anApp.mRunning = true;
  anApp.DoMainLoop();
  EXPECT_EQ(anApp.mUpdateCount, 50);
  EXPECT_TRUE(anApp.mShutdown);
}

TEST_F(MainLoop, ACatchUpTickThatDoesNotUpdateEndsTheCatchUpNotTheProgram) {
  struct Refusing : LoopApp {
    bool DoUpdateFrames() override {
      if (mRefuse && mUpdateAppState == 3) return false;  // a refused tick inside the catch-up
      return TeskAppBase::DoUpdateFrames();
    }
    bool mRefuse = true;
  };
  mApp.reset();
  Refusing anApp;
  anApp.mRunning = true;
  anApp.mVSyncUpdates = true;
  anApp.mSyncRefreshRate = 50;  // two updates per refresh: one plus one caught up
  anApp.ClearUpdateBacklog(false);
  TestClock().AdvanceMilliseconds(100);
  for (int i = 0; i < 20; ++i) anApp.UpdateAppStep(nullptr);
  EXPECT_GT(anApp.mUpdateCount, 0);
  EXPECT_FALSE(anApp.mShutdown);
  anApp.mRefuse = false;
  int aBefore = anApp.mUpdateCount;
  for (int i = 0; i < 20; ++i) anApp.UpdateAppStep(nullptr);
  EXPECT_GT(anApp.mUpdateCount, aBefore);
}

TEST_F(MainLoop, ALoadingFailureShutsDownOnTheNextPass) {
  mApp->mLoadingFailed = true;
  gCalls.clear();
  mApp->Process(true);
  EXPECT_EQ(gCalls.front(), "Shutdown");
}

}  // namespace

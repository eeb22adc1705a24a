// Frame drawing on a memory image: only dirty top-level widgets are drawn.
#include <gtest/gtest.h>

#include "WidgetTestSupport.h"
#include "graphics/MemoryImage.h"

namespace Tesk {
namespace {

int gLocks = 0;
int gUnlocks = 0;
bool LockProc(Image*) {
  gLocks++;
  return true;
}
void UnlockProc(Image*) { gUnlocks++; }

class DrawScreen : public ::testing::Test {
 protected:
  Log mLog;
  FakeApp mApp;
  MemoryImage mImage{nullptr};
  WidgetManager mManager{&mApp};
  RecordingWidget mBack{"back", &mLog, 0, 0, 40, 30};
  RecordingWidget mRed{"red", &mLog, 5, 5, 20, 10};
  RecordingWidget mBlue{"blue", &mLog, 15, 10, 20, 10};

  void SetUp() override {
    mImage.Create(40, 30);
    mManager.mImage = &mImage;
    SizeManager(mManager, 40, 30);
    mBack.mFill = Color(0, 0, 0);
    mRed.mFill = Color(255, 0, 0);
    mBlue.mFill = Color(0, 0, 255);
    mManager.AddWidget(&mBack);
    mManager.AddWidget(&mRed);
    mManager.AddWidget(&mBlue);
    gLocks = gUnlocks = 0;
    WidgetManager::sLockSurface = LockProc;
    WidgetManager::sUnlockSurface = UnlockProc;
  }
  void TearDown() override {
    WidgetManager::sLockSurface = nullptr;
    WidgetManager::sUnlockSurface = nullptr;
    mManager.RemoveAllWidgets();
  }
  uint32_t At(int x, int y) { return mImage.GetBits()[y * 40 + x]; }
  std::string Draws() {
    return std::to_string(mBack.mDraws) + std::to_string(mRed.mDraws) + std::to_string(mBlue.mDraws);
  }
};

TEST_F(DrawScreen, FirstFrameDrawsAllThenACleanFrameDrawsNothing) {
  EXPECT_TRUE(mManager.DrawScreen());
  EXPECT_EQ(Draws(), "111");
  EXPECT_EQ(At(0, 0), 0xFF000000u);
  EXPECT_EQ(At(6, 6), 0xFFFF0000u);
  EXPECT_EQ(At(20, 12), 0xFF0000FFu);  // blue is in front where they overlap
  mImage.GetBits()[0] = 0xFF123456;    // a clean frame must leave the screen alone
  EXPECT_FALSE(mManager.DrawScreen());
  EXPECT_EQ(Draws(), "111");
  EXPECT_EQ(At(0, 0), 0xFF123456u);
  EXPECT_EQ(gLocks, 2);  // the surface is locked once per frame, drawn or not
  EXPECT_EQ(gUnlocks, 2);
}

TEST_F(DrawScreen, OnlyChangedWidgetsAndWhatLiesOverThemAreRedrawn) {
  mManager.DrawScreen();
  mBlue.MarkDirty();
  EXPECT_TRUE(mManager.DrawScreen());
  EXPECT_EQ(Draws(), "112");
  mRed.MarkDirty();  // blue overlaps it in front, so blue is drawn again over it
  mImage.GetBits()[12 * 40 + 20] = 0;
  EXPECT_TRUE(mManager.DrawScreen());
  EXPECT_EQ(Draws(), "123");
  EXPECT_EQ(At(20, 12), 0xFF0000FFu);
  EXPECT_EQ(At(6, 6), 0xFFFF0000u);
}

TEST_F(DrawScreen, OpaqueWidgetsCoverWhatIsBehindThem) {
  mManager.DrawScreen();
  mBlue.mHasAlpha = true;  // drawn over whatever lies beneath
  mBlue.MarkDirty();
  mManager.DrawScreen();
  // Red lies partly beneath; back covers the whole area, so the walk stops there.
  EXPECT_EQ(Draws(), "222");
  mBlue.SetVisible(false);
  mManager.DrawScreen();
  EXPECT_EQ(Draws(), "332");
  EXPECT_EQ(At(20, 12), 0xFFFF0000u);  // what blue covered shows again
  EXPECT_EQ(At(30, 12), 0xFF000000u);
}

TEST_F(DrawScreen, AHiddenDirtyWidgetIsNotDrawnAndStaysDirty) {
  mRed.SetVisible(false);
  mManager.DrawScreen();
  EXPECT_EQ(mRed.mDraws, 0);
  EXPECT_TRUE(mRed.mDirty);
}

TEST_F(DrawScreen, WidgetsBelowTheBaseModalWidgetUseTheUnderFlags) {
  mManager.AddBaseModal(&mRed, FlagsMod(0, WidgetFlags_Draw));
  mManager.DrawScreen();
  EXPECT_EQ(Draws(), "011");
  mManager.RemoveBaseModal(&mRed);
}

TEST_F(DrawScreen, ChildrenAreClippedAndTranslated) {
  RecordingWidget aChild("child", &mLog, 10, 2, 20, 20);  // runs past red's right and bottom edges
  aChild.mFill = Color(0, 255, 0);
  mRed.AddWidget(&aChild);
  mManager.DrawScreen();
  EXPECT_EQ(At(16, 8), 0xFF00FF00u);  // red (5,5) + child (10,2)
  EXPECT_EQ(At(30, 8), 0xFF000000u);  // outside red: clipped
  EXPECT_EQ(At(6, 6), 0xFFFF0000u);
  mRed.RemoveWidget(&aChild);
}

TEST_F(DrawScreen, NoScreenImageDrawsNothing) {
  mManager.mImage = nullptr;
  EXPECT_FALSE(mManager.DrawScreen());
  EXPECT_EQ(gLocks, 0);
}

TEST_F(DrawScreen, UpdateFrameReportsTheDirtyMark) {
  WidgetManager anEmpty(&mApp);
  EXPECT_FALSE(anEmpty.UpdateFrame());
  EXPECT_TRUE(mManager.UpdateFrame());
  EXPECT_TRUE(mManager.UpdateFrameF(0.5f));
  EXPECT_EQ(mManager.mUpdateCnt, 1);
  EXPECT_EQ(mRed.mUpdates, 1);
}

}  // namespace
}  // namespace Tesk

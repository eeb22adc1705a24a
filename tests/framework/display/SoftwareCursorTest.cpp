#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "DisplayTestWindow.h"
#include "display/DDInterface.h"

namespace {

using Tesk::DDInterface;

constexpr int k_W = 320, k_H = 240, k_Cursor = 32;

uint32_t Frame(int x, int y) {
  return 0xFF000000u | (uint32_t((x * 3) & 0xFF) << 16) | (uint32_t((y * 5) & 0xFF) << 8) | 0x33u;
}

// An arrow-ish cursor: opaque inside a diagonal, transparent elsewhere.
uint32_t CursorPixel(int x, int y) { return x <= y ? 0xFFFFFFFFu - uint32_t(x + y) : 0x00000000u; }

class SoftwareCursorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DisplayTest::HasDisplay()) GTEST_SKIP() << "no display";
    CGTestSetDisplays({});
    mWindow = DisplayTest::MakeWindow(k_W, k_H);
    ASSERT_NE(mWindow, nullptr);
    mDisplay = std::make_unique<DDInterface>(nullptr);
    mDisplay->mAppView.mWidth = k_W;
    mDisplay->mAppView.mHeight = k_H;
    ASSERT_EQ(mDisplay->Init(mWindow, true), Tesk::RESULT_OK);
    uint32_t* aBits = mDisplay->mDrawSurface->GetMemory();
    for (int y = 0; y < k_H; ++y)
      for (int x = 0; x < k_W; ++x) aBits[y * k_W + x] = Frame(x, y);
    mCursor.Create(k_Cursor, k_Cursor);
    for (int y = 0; y < k_Cursor; ++y)
      for (int x = 0; x < k_Cursor; ++x) mCursor.GetBits()[y * k_Cursor + x] = CursorPixel(x, y);
    mCursor.BitsChanged();
    EXPECT_TRUE(mDisplay->SetCursorImage(&mCursor));
    EXPECT_FALSE(mDisplay->SetCursorImage(&mCursor));
  }
  void TearDown() override {
    mDisplay.reset();
    if (mWindow != nullptr) DisposeWindow(mWindow);
  }

  // Pixels of the primary surface that differ from the still frame with one cursor at (cx, cy).
  int Differences(int cx, int cy) {
    const uint32_t* aShown = mDisplay->mPrimarySurface->GetMemory();
    int aCount = 0;
    for (int y = 0; y < k_H; ++y) {
      for (int x = 0; x < k_W; ++x) {
        uint32_t anExpected = Frame(x, y);
        int u = x - (cx - k_Cursor / 2), v = y - (cy - k_Cursor / 2);
        if (u >= 0 && v >= 0 && u < k_Cursor && v < k_Cursor && (CursorPixel(u, v) >> 24) != 0)
          anExpected = CursorPixel(u, v);
        if (aShown[y * k_W + x] != anExpected) ++aCount;
      }
    }
    return aCount;
  }

  WindowRef mWindow = nullptr;
  std::unique_ptr<DDInterface> mDisplay;
  Tesk::MemoryImage mCursor{nullptr};
};

TEST_F(SoftwareCursorTest, FrameCarriesOneCursorAndTheDrawBufferStaysClean) {
  mDisplay->mCursorX = 100;
  mDisplay->mCursorY = 100;
  ASSERT_TRUE(mDisplay->Redraw(nullptr));
  EXPECT_EQ(Differences(100, 100), 0);
  // The 32 x 32 image's top-left corner sits at (84, 84).
  EXPECT_EQ(mDisplay->mPrimarySurface->GetMemory()[84 * k_W + 84], CursorPixel(0, 0));
  EXPECT_TRUE(mDisplay->mHasOldCursorArea);
  const uint32_t* aDraw = mDisplay->mDrawSurface->GetMemory();
  int aTrails = 0;
  for (int y = 0; y < k_H; ++y)
    for (int x = 0; x < k_W; ++x)
      if (aDraw[y * k_W + x] != Frame(x, y)) ++aTrails;
  EXPECT_EQ(aTrails, 0);
  EXPECT_TRUE(DisplayTest::NearColor(DisplayTest::ReadPixel(100, 110, k_H, GL_FRONT), CursorPixel(16, 26)));
}

TEST_F(SoftwareCursorTest, MovesLeaveNoTrails) {
  mDisplay->mCursorX = 100;
  mDisplay->mCursorY = 100;
  ASSERT_TRUE(mDisplay->Redraw(nullptr));
  struct Move {
    int x, y;
  };
  // Small overlapping steps, a jump with no overlap, the edges and corners, and back.
  const Move kMoves[] = {{110, 100}, {115, 93},  {101, 120}, {300, 40},  {0, 0},    {5, 3},
                         {319, 239}, {250, 230}, {-10, 120}, {160, 120}, {162, 121}};
  for (const Move& m : kMoves) {
    SCOPED_TRACE(testing::Message() << m.x << "," << m.y);
    mDisplay->SetCursorPos(m.x, m.y);
    EXPECT_EQ(Differences(m.x, m.y), 0);
  }
  EXPECT_TRUE(DisplayTest::NearColor(DisplayTest::ReadPixel(162, 131, k_H, GL_FRONT), CursorPixel(16, 26)));
  EXPECT_TRUE(DisplayTest::NearColor(DisplayTest::ReadPixel(100, 110, k_H, GL_FRONT), Frame(100, 110)));
}

TEST_F(SoftwareCursorTest, CursorThreadMovesInMemoryAndTheMainThreadPresents) {
  mDisplay->mCursorX = 60;
  mDisplay->mCursorY = 60;
  ASSERT_TRUE(mDisplay->Redraw(nullptr));
  std::thread aCursorThread([&] {
    for (int i = 0; i < 50; ++i) mDisplay->SetCursorPos(60 + i * 3, 60 + i);
  });
  // Frames go on while the cursor moves.
  for (int i = 0; i < 5; ++i) {
    mDisplay->PresentPending();
    mDisplay->Redraw(nullptr);
  }
  aCursorThread.join();
  mDisplay->PresentPending();
  mDisplay->Redraw(nullptr);
  EXPECT_EQ(Differences(60 + 49 * 3, 60 + 49), 0);
  EXPECT_FALSE(mDisplay->mPrimarySurface->IsPresentPending());
}

TEST_F(SoftwareCursorTest, DuringRedrawOnlyThePositionIsStored) {
  mDisplay->mCursorX = 60;
  mDisplay->mCursorY = 60;
  ASSERT_TRUE(mDisplay->Redraw(nullptr));
  mDisplay->mInRedraw = true;
  mDisplay->SetCursorPos(200, 150);
  EXPECT_EQ(mDisplay->mCursorX, 200);
  EXPECT_EQ(mDisplay->mCursorDrawnX, 60);
  EXPECT_EQ(Differences(60, 60), 0);
  mDisplay->mInRedraw = false;
  ASSERT_TRUE(mDisplay->Redraw(nullptr));
  EXPECT_EQ(Differences(200, 150), 0);
}

TEST_F(SoftwareCursorTest, WithoutAnImageNothingIsDrawn) {
  mDisplay->SetCursorImage(nullptr);
  ASSERT_TRUE(mDisplay->Redraw(nullptr));
  EXPECT_FALSE(mDisplay->mHasOldCursorArea);
  mDisplay->SetCursorPos(40, 40);
  const uint32_t* aShown = mDisplay->mPrimarySurface->GetMemory();
  EXPECT_EQ(aShown[40 * k_W + 40], Frame(40, 40));
}

}  // namespace

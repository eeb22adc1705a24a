#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "DisplayTestWindow.h"
#include "display/DDInterface.h"
#include "display/DXErrorString.h"
#include "platform/quicktime/QuickTime.h"

namespace {

using DisplayTest::NearColor;
using Tesk::DDInterface;
using Tesk::TRect;

constexpr int k_W = 320, k_H = 240;

CGTestDisplay Screen(int32_t theRefreshRate) {
  return CGTestDisplay{Rect{0, 0, 768, 1024}, theRefreshRate, true, true, {CGDefaultRenderer()}};
}

uint32_t Pattern(int x, int y) {
  return 0xFF000000u | (uint32_t(x & 0xFF) << 16) | (uint32_t(y & 0xFF) << 8) | uint32_t((x ^ y) & 0xFF);
}

class DDInterfaceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DisplayTest::HasDisplay()) GTEST_SKIP() << "no display";
    CGTestSetDisplays({Screen(60)});
    mWindow = DisplayTest::MakeWindow(k_W, k_H);
    ASSERT_NE(mWindow, nullptr);
    mDisplay = std::make_unique<DDInterface>(nullptr);
    mDisplay->mAppView.mWidth = k_W;
    mDisplay->mAppView.mHeight = k_H;
  }
  void TearDown() override {
    mDisplay.reset();
    DIRECTDRAW2::RestoreDisplayMode();
    CGTestSetDisplays({});
    if (mWindow != nullptr) DisposeWindow(mWindow);
  }
  void FillDrawBuffer() {
    uint32_t* aBits = mDisplay->mDrawSurface->GetMemory();
    for (int y = 0; y < k_H; ++y)
      for (int x = 0; x < k_W; ++x) aBits[y * k_W + x] = Pattern(x, y);
  }

  WindowRef mWindow = nullptr;
  std::unique_ptr<DDInterface> mDisplay;
};

TEST_F(DDInterfaceTest, WindowedInitBuildsSurfacesAndTables) {
  EXPECT_FALSE(mDisplay->Redraw(nullptr));  // before Init nothing is presented
  ASSERT_EQ(mDisplay->Init(mWindow, true), Tesk::RESULT_OK);
  EXPECT_TRUE(mDisplay->mInitialized);
  EXPECT_EQ(mDisplay->mInitCount, 1);
  ASSERT_NE(mDisplay->mPrimarySurface, nullptr);
  EXPECT_EQ(mDisplay->mPrimarySurface->GetWidth(), k_W);
  EXPECT_EQ(mDisplay->mDrawSurface->GetWidth(), k_W);
  EXPECT_NE(mDisplay->mSecondarySurface, nullptr);  // the video-only surface
  EXPECT_EQ(mDisplay->mOldCursorArea->GetWidth(), 128);
  EXPECT_EQ(mDisplay->mPresentationRect, TRect<int>(0, 0, k_W, k_H));
  EXPECT_EQ(mDisplay->mRGBBits, 32);
  EXPECT_EQ(mDisplay->mRedShift, 16);
  EXPECT_EQ(mDisplay->mGreenShift, 8);
  EXPECT_EQ(mDisplay->mBlueBits, 8);
  EXPECT_EQ(mDisplay->mRedAddTable[300], 255);
  EXPECT_EQ(mDisplay->mRedAddTable[510], 255);
  EXPECT_EQ(mDisplay->mGreenAddTable[17], 17);
  EXPECT_TRUE(mDisplay->mAddTablesSaturate);
  EXPECT_EQ(mDisplay->mRedConvTable[255], 0xFF0000u);
  EXPECT_EQ(mDisplay->mRedConvTable[128], 0x800000u);
  EXPECT_TRUE(Tesk::gOptimizeSoftwareDrawing);
  // The frame reaches the window opaque.
  FillDrawBuffer();
  mDisplay->mDrawSurface->GetMemory()[0] = 0x00FF00FFu;  // alpha 0 from a software blitter
  EXPECT_TRUE(mDisplay->Redraw(nullptr));
  // (What the window shows is the primary's memory; other tests' windows may cover this one, so
  // the screen itself is not read back.)
  EXPECT_EQ(mDisplay->mPrimarySurface->GetMemory()[0], 0xFFFF00FFu);
  EXPECT_EQ(mDisplay->mPrimarySurface->GetMemory()[100 * k_W + 200], Pattern(200, 100));
  EXPECT_FALSE(mDisplay->mPrimarySurface->IsPresentPending());
}

TEST_F(DDInterfaceTest, RefreshRateIsClampedTo60Through100) {
  struct Case {
    int32_t mReported;
    int mRate;
    int mMillis;
    bool mBroken;
  };
  const Case kCases[] = {
      {-1, 60, 16, true}, {50, 60, 16, true}, {120, 100, 10, true}, {75, 75, 13, false}, {60, 60, 16, false}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mReported);
    CGTestSetDisplays({Screen(c.mReported)});
    mDisplay->mAppView.mVSyncBroken = false;
    ASSERT_EQ(mDisplay->Init(mWindow, true), Tesk::RESULT_OK);
    EXPECT_EQ(mDisplay->mRefreshRate, c.mRate);
    EXPECT_EQ(mDisplay->mMillisPerFrame, c.mMillis);
    EXPECT_EQ(mDisplay->mAppView.mVSyncBroken, c.mBroken);
  }
}

TEST_F(DDInterfaceTest, FullScreenInitFlipsThroughTheBackBuffer) {
  ASSERT_EQ(mDisplay->Init(mWindow, false), Tesk::RESULT_OK);
  EXPECT_NE(QTRestoreState, nullptr);
  ASSERT_NE(mDisplay->mSecondarySurface, nullptr);
  EXPECT_NE(mDisplay->mSecondarySurface->GetCaps() & DDSCAPS_BACKBUFFER, 0u);
  FillDrawBuffer();
  EXPECT_TRUE(mDisplay->Redraw(nullptr));
  EXPECT_EQ(mDisplay->mPrimarySurface->GetMemory()[10 * mDisplay->mPrimarySurface->GetWidth() + 20],
            Pattern(20, 10));
  // Back to a window: full screen ends.
  ASSERT_EQ(mDisplay->Init(mWindow, true), Tesk::RESULT_OK);
  EXPECT_EQ(QTRestoreState, nullptr);
}

TEST_F(DDInterfaceTest, FailuresReturnTheirCodesAndTexts) {
  aglTestFailNextPixelFormat();
  EXPECT_EQ(mDisplay->Init(mWindow, true), Tesk::RESULT_SURFACE_FAIL);
  EXPECT_EQ(mDisplay->mErrorString, "CreateSurface Windowed Primary: 80004005");
  EXPECT_FALSE(mDisplay->mInitialized);
  EXPECT_FALSE(mDisplay->Redraw(nullptr));
  QTTestFailNextBeginFullScreen();
  EXPECT_EQ(mDisplay->Init(mWindow, false), Tesk::RESULT_DISPCHANGE_FAIL);
  EXPECT_EQ(mDisplay->mErrorString, "SetDisplayMode FullScreen: 80004005");
  aglTestFailNextPixelFormat();
  EXPECT_EQ(mDisplay->Init(mWindow, false), Tesk::RESULT_SURFACE_FAIL);
  EXPECT_EQ(mDisplay->mErrorString, "CreateSurface FullScreen Primary: 80004005");
  EXPECT_EQ(mDisplay->Init(mWindow, true), Tesk::RESULT_OK);
  EXPECT_FALSE(mDisplay->GotDXError(0, "Redraw Windowed"));
  EXPECT_TRUE(mDisplay->GotDXError(static_cast<HRESULT>(0xFA0001CCu), "Redraw Windowed"));
  EXPECT_EQ(mDisplay->mErrorString, "Redraw Windowed: DDERR_SURFACENOTATTACHED");
}

TEST_F(DDInterfaceTest, ReinitialisingLeaksNoContextsOrTextures) {
  Tesk::MemoryImage anImage(nullptr);
  anImage.Create(40, 40);
  std::fill(anImage.GetBits(), anImage.GetBits() + 1600, 0xFF204060u);
  anImage.BitsChanged();
  int aBaseContexts = aglLiveContextCount();
  int aBaseTextures = DIRECTDRAWSURFACE3::LiveTextureCount();
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    bool is3D = (i % 2) == 1;
    mDisplay->mIs3D = is3D;
    ASSERT_EQ(mDisplay->Init(mWindow, true), Tesk::RESULT_OK);
    // One main context, and the device's in 3-D.
    EXPECT_EQ(aglLiveContextCount(), aBaseContexts + (is3D ? 2 : 1));
    if (is3D) {
      mDisplay->mD3DInterface->FillRect(TRect<int>(0, 0, k_W, k_H), Tesk::Color(0, 0, 80), 0);
      mDisplay->mD3DInterface->Blt(&anImage, 10, 10, TRect<int>(0, 0, 40, 40), Tesk::Color(255, 255, 255), 0);
      mDisplay->mD3DInterface->GetDevice()->FlushBatch();  // the device keeps quads until then
      EXPECT_TRUE(NearColor(DisplayTest::ReadPixel(20, 20, k_H), 0x204060));
      EXPECT_TRUE(NearColor(DisplayTest::ReadPixel(100, 100, k_H), 0x000050));
      EXPECT_TRUE(mDisplay->Redraw(nullptr));
    } else {
      EXPECT_EQ(anImage.mD3DData, nullptr);  // the previous 3-D run dropped the image's textures
      EXPECT_TRUE(mDisplay->Redraw(nullptr));
    }
  }
  mDisplay->Cleanup();
  EXPECT_EQ(aglLiveContextCount(), aBaseContexts);
  EXPECT_EQ(DIRECTDRAWSURFACE3::LiveTextureCount(), aBaseTextures);
}

TEST_F(DDInterfaceTest, ThreeDErrorTurnsThreeDOff) {
  mDisplay->mIs3D = true;
  ASSERT_EQ(mDisplay->Init(mWindow, true), Tesk::RESULT_OK);
  Tesk::D3DInterface::CheckDXError(-1, "DrawPrimitive (Rect)");
  EXPECT_FALSE(mDisplay->Redraw(nullptr));
  EXPECT_FALSE(mDisplay->mIs3D);
  Tesk::D3DInterface::mErrorString.clear();
}

TEST(DDInterfaceNamesTest, ResultNamesAndRatios) {
  struct Case {
    int mCode;
    const char* mName;
  };
  const Case kCases[] = {{0, "RESULT_OK"},
                         {1, "RESULT_FAIL"},
                         {2, "RESULT_DD_CREATE_FAIL"},
                         {3, "RESULT_SURFACE_FAIL"},
                         {4, "RESULT_EXCLUSIVE_FAIL"},
                         {5, "RESULT_DISPCHANGE_FAIL"},
                         {6, "RESULT_INVALID_COLORDEPTH"},
                         {7, "RESULT_UNKNOWN"},
                         {-1, "RESULT_UNKNOWN"}};
  for (const Case& c : kCases) EXPECT_EQ(DDInterface::ResultToString(c.mCode), c.mName);
  EXPECT_TRUE(Tesk::Ratio(4, 3) < Tesk::Ratio(16, 10));
  EXPECT_FALSE(Tesk::Ratio(16, 9) < Tesk::Ratio(16, 10));
  EXPECT_EQ(5 * Tesk::Ratio(4, 3), 6);
  EXPECT_EQ(TRect<int>(10, 20, 30, 40).ToRECT().right, 40);
}

}  // namespace

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "DisplayTestWindow.h"
#include "display/DDInterface.h"
#include "display/DXErrorString.h"
#include "graphics/MemoryImage.h"
#include "platform/quicktime/QuickTime.h"

namespace {

using DisplayTest::NearColor;
using Tesk::DDInterface;
using Tesk::TRect;

constexpr int k_W = 320, k_H = 240;

CGTestDisplay Screen(int32_t theRefreshRate, int16_t theWidth = 1024, int16_t theHeight = 768) {
  return CGTestDisplay{Rect{0, 0, theHeight, theWidth}, theRefreshRate, true, true, {CGDefaultRenderer()}};
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
  // On a screen of the frame's size, which shows the frame as it is.
  CGTestSetDisplays({Screen(60, k_W, k_H)});
  ASSERT_EQ(mDisplay->Init(mWindow, false), Tesk::RESULT_OK);
  EXPECT_EQ(mDisplay->mPresentationRect, TRect<int>(0, 0, k_W, k_H));
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

TEST_F(DDInterfaceTest, FullScreenShowsTheWholeFrameScaledWithItsShapeBlackBarsAndTheCursorInIt) {
  struct Case {
    int16_t mScreenW, mScreenH;
    TRect<int> mShown;
    int mScale;
  };
  const Case kCases[] = {
      {k_W, k_H, {0, 0, k_W, k_H}, 1},          // a screen of the frame's size shows it as it is
      {2 * k_W, 2 * k_H, {0, 0, 640, 480}, 2},  // twice as large: each pixel a 2 x 2 square
      {800, 480, {80, 0, 640, 480}, 2},         // wider: black bars left and right
      {k_W, 400, {0, 80, k_W, k_H}, 1},         // taller: black bars above and below
  };
  constexpr int k_Cursor = 4, k_CursorX = 100, k_CursorY = 50;
  constexpr uint32_t k_CursorColor = 0xFF10E020u;
  Tesk::MemoryImage aCursor(nullptr);
  aCursor.Create(k_Cursor, k_Cursor);
  std::fill(aCursor.GetBits(), aCursor.GetBits() + k_Cursor * k_Cursor, k_CursorColor);
  aCursor.BitsChanged();
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::to_string(c.mScreenW) + "x" + std::to_string(c.mScreenH));
    CGTestSetDisplays({Screen(60, c.mScreenW, c.mScreenH)});
    ASSERT_EQ(mDisplay->Init(mWindow, false), Tesk::RESULT_OK);
    EXPECT_EQ(mDisplay->mPresentationRect, c.mShown);
    EXPECT_EQ(mDisplay->mAppView.mPresentationRect, c.mShown);
    const int aScreenW = mDisplay->mPrimarySurface->GetWidth(),
              aScreenH = mDisplay->mPrimarySurface->GetHeight();
    ASSERT_EQ(aScreenW, c.mScreenW);
    ASSERT_EQ(aScreenH, c.mScreenH);
    FillDrawBuffer();
    mDisplay->SetCursorImage(&aCursor);
    mDisplay->mCursorX = k_CursorX;
    mDisplay->mCursorY = k_CursorY;
    ASSERT_TRUE(mDisplay->Redraw(nullptr));
    // Every pixel of the screen: the frame's pixel under it (the cursor's where it covers the
    // frame, centred on its position), or black beside the frame.
    int aWrong = 0;
    const uint32_t* aShown = mDisplay->mPrimarySurface->GetMemory();
    for (int y = 0; y < aScreenH; ++y) {
      for (int x = 0; x < aScreenW; ++x) {
        uint32_t anExpected = 0;
        if (c.mShown.Contains(x, y)) {
          const int fx = (x - c.mShown.mX) / c.mScale, fy = (y - c.mShown.mY) / c.mScale;
          const bool isCursor = std::abs(2 * fx + 1 - 2 * k_CursorX) < k_Cursor &&
                                std::abs(2 * fy + 1 - 2 * k_CursorY) < k_Cursor;
          anExpected = isCursor ? k_CursorColor : Pattern(fx, fy);
        }
        if ((aShown[y * aScreenW + x] & 0xFFFFFF) != (anExpected & 0xFFFFFF)) ++aWrong;
      }
    }
    EXPECT_EQ(aWrong, 0);
    // The cursor went into the frame and out of it again.
    EXPECT_EQ(mDisplay->mDrawSurface->GetMemory()[k_CursorY * k_W + k_CursorX],
              Pattern(k_CursorX, k_CursorY));
    // Between frames the cursor thread moves a cursor shown as it is on the screen; a scaled
    // one waits for the next present, which draws it scaled.
    mDisplay->SetCursorPos(5, 5);
    EXPECT_EQ(mDisplay->mCursorX, 5);
    const bool isAsItIs = c.mShown == TRect<int>(0, 0, k_W, k_H);
    EXPECT_EQ(aShown[(c.mShown.mY + 5 * c.mScale) * aScreenW + c.mShown.mX + 5 * c.mScale] & 0xFFFFFF,
              (isAsItIs ? k_CursorColor : Pattern(5, 5)) & 0xFFFFFF);
    mDisplay->SetCursorImage(nullptr);
  }
}

// The display set up full screen again (3-D switched off, say) and then in a window: the window
// comes back to its own size, and no full-screen state is left behind.
TEST_F(DDInterfaceTest, FullScreenSetUpAgainStillComesBackToTheWindow) {
  SDL_Window* aWindow = CarbonSDLWindow(mWindow);
  ASSERT_NE(aWindow, nullptr);
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(mDisplay->Init(mWindow, false), Tesk::RESULT_OK);
    ASSERT_NE(QTRestoreState, nullptr);
  }
  ASSERT_EQ(mDisplay->Init(mWindow, true), Tesk::RESULT_OK);
  EXPECT_EQ(QTRestoreState, nullptr);
  int aWidth = 0, aHeight = 0;
  SDL_GetWindowSize(aWindow, &aWidth, &aHeight);
  EXPECT_EQ(aWidth, k_W);
  EXPECT_EQ(aHeight, k_H);
}

TEST(DDInterfaceFitTest, TheFrameIsAsLargeAsItFitsCentredWithItsShape) {
  struct Case {
    int mScreenW, mScreenH;
    TRect<int> mShown;
  };
  const Case kCases[] = {
      {800, 600, {0, 0, 800, 600}},       {1024, 768, {0, 0, 1024, 768}},    // 4:3 screens: all of it
      {1600, 1200, {0, 0, 1600, 1200}},   {1280, 1024, {0, 32, 1280, 960}},  // 5:4: bars above and below
      {1366, 768, {171, 0, 1024, 768}},   {1920, 1080, {240, 0, 1440, 1080}},
      {2560, 1440, {320, 0, 1920, 1440}}, {1080, 1920, {0, 555, 1080, 810}},  // portrait
      {640, 480, {0, 0, 640, 480}},       {1000, 600, {100, 0, 800, 600}},    // smaller, and as it is
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(std::to_string(c.mScreenW) + "x" + std::to_string(c.mScreenH));
    EXPECT_EQ(DDInterface::FitFrame(800, 600, c.mScreenW, c.mScreenH), c.mShown);
  }
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

// Screenshots on a real (virtual) X display hold the frame the window shows, in both drawing
// modes and from the screenshot tool: a known frame comes back pixel for pixel, and the X
// screen, read as another client would, shows the same colours.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "XScreen.h"
#include "app/TeskAppBase.h"
#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "framework/display/DisplayTestWindow.h"
#include "resources/ImageLib.h"
#include "support/TestTemp.h"

namespace {

constexpr int k_W = 160, k_H = 120;
constexpr int k_F11 = 0x7A;

// Four quadrants of unlike colours, so that a frame read upside down or mirrored shows.
struct Quadrant {
  int mX, mY;
  uint32_t mColor;
};
const Quadrant k_Quadrants[] = {
    {0, 0, 0xC82828}, {k_W / 2, 0, 0x28C83C}, {0, k_H / 2, 0x1E3CDC}, {k_W / 2, k_H / 2, 0xE6D214}};

Tesk::Color ColorOf(uint32_t theRgb) {
  return Tesk::Color(static_cast<int>(theRgb >> 16), static_cast<int>((theRgb >> 8) & 0xFF),
                     static_cast<int>(theRgb & 0xFF));
}

class ShotApp : public Tesk::TeskAppBase {
 public:
  ~ShotApp() override { mDDInterface = nullptr; }
};

// The pixel of the screen at (x, y), once the X server shows theColor there (or the last read).
uint32_t ScreenPixelOnceShown(int x, int y, uint32_t theColor) {
  auto anEnd = std::chrono::steady_clock::now() + std::chrono::seconds(5);
  uint32_t aPixel = XScreen::ReadScreenPixel(x, y);
  while (!DisplayTest::NearColor(aPixel, theColor, 2) && std::chrono::steady_clock::now() < anEnd) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    aPixel = XScreen::ReadScreenPixel(x, y);
  }
  return aPixel;
}

class ScreenshotOnScreen : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override {
    if (!DisplayTest::HasDisplay()) GTEST_SKIP() << "no display";
    if (!XScreen::Available()) GTEST_SKIP() << "no libX11";
    mData = TeskTest::MakeTempDir("screenshot_on_screen");
    setenv("XDG_DATA_HOME", mData.c_str(), 1);
  }
  void TearDown() override { unsetenv("XDG_DATA_HOME"); }
  std::string mData;
};

TEST_P(ScreenshotOnScreen, F11WritesTheFrameTheWindowShows) {
  const bool is3D = GetParam();
  WindowRef aWindow = DisplayTest::MakeWindow(k_W, k_H);
  ASSERT_NE(aWindow, nullptr);
  {
    ShotApp anApp;
    Tesk::DDInterface aDisplay(&anApp);
    aDisplay.mAppView.mWidth = k_W;
    aDisplay.mAppView.mHeight = k_H;
    aDisplay.mIs3D = is3D;
    ASSERT_EQ(aDisplay.Init(aWindow, true), Tesk::RESULT_OK) << aDisplay.mErrorString;
    anApp.mDDInterface = &aDisplay;
    Tesk::DDImage* aScreen = aDisplay.GetScreenImage();
    ASSERT_NE(aScreen, nullptr);
    for (const Quadrant& q : k_Quadrants)
      aScreen->FillRect(Tesk::TRect<int>(q.mX, q.mY, k_W / 2, k_H / 2), ColorOf(q.mColor), 0);

    // In 2-D the draw buffer is written at once; in 3-D the next presented frame is.
    anApp.DebugKeyDown(k_F11);
    anApp.Redraw(nullptr);

    std::unique_ptr<ImageLib::Image> aShot(ImageLib::GetPNGImage(mData + "/_screenshots/image1.png"));
    ASSERT_NE(aShot, nullptr);
    ASSERT_EQ(aShot->mWidth, k_W);
    ASSERT_EQ(aShot->mHeight, k_H);
    Rect aContent{0, 0, 0, 0};
    GetWindowBounds(aWindow, kWindowContentRgn, &aContent);
    for (const Quadrant& q : k_Quadrants) {
      int x = q.mX + k_W / 4, y = q.mY + k_H / 4;
      SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
      uint32_t aPixel = aShot->mBits[y * k_W + x];
      EXPECT_TRUE(DisplayTest::NearColor(aPixel, q.mColor, 2));
      EXPECT_TRUE(DisplayTest::NearColor(ScreenPixelOnceShown(aContent.left + x, aContent.top + y, q.mColor),
                                         aPixel, 2));
    }
    anApp.mDDInterface = nullptr;
  }
  DisposeWindow(aWindow);
}

INSTANTIATE_TEST_SUITE_P(Modes, ScreenshotOnScreen, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& theInfo) {
                           return std::string(theInfo.param ? "Accelerated" : "Software");
                         });

TEST(ScreenshotTool, WritesThePresentedTestPattern) {
  if (!DisplayTest::HasDisplay()) GTEST_SKIP() << "no display";
  const std::string aPath = TeskTest::MakeTempDir("screenshot_tool") + "/shot.png";
  const std::string aCommand = std::string("'") + TESK_DISPLAY_SCREENSHOT + "' '" + aPath + "'";
  ASSERT_EQ(std::system(aCommand.c_str()), 0);
  std::unique_ptr<ImageLib::Image> aShot(ImageLib::GetPNGImage(aPath));
  ASSERT_NE(aShot, nullptr);
  ASSERT_EQ(aShot->mWidth, 480);
  ASSERT_EQ(aShot->mHeight, 320);
  // The six colour bars along the top, 32 pixels square from (20, 20), 40 apart.
  const uint32_t k_Bars[] = {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFF00, 0x00FFFF, 0xFF00FF};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_TRUE(DisplayTest::NearColor(aShot->mBits[36 * 480 + 36 + i * 40], k_Bars[i], 2));
  }
}

}  // namespace

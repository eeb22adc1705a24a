// Screenshots on a real (virtual) X display hold the frame the window shows, in both drawing
// modes and from the screenshot tool: a known frame comes back pixel for pixel, and the X
// screen, read as another client would, shows the same colours.
#include <SDL.h>
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
#include "display/DIRECTDRAW2.h"
#include "framework/display/DisplayTestWindow.h"
#include "graphics/MemoryImage.h"
#include "platform/carbon/CarbonBackend.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "platform/coregraphics/CoreGraphics.h"
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

// A game frame on a larger screen, in a window and full screen (where the screen shows it
// scaled, its shape kept): the screenshot holds the whole frame at the game's own size, pixel for
// pixel, and the screen shows it where the display puts it.
constexpr int k_FrameW = 800, k_FrameH = 600, k_Mark = 16;
struct Mark {
  int mX, mY;
  uint32_t mColor;
};
const Mark k_Marks[] = {{0, 0, 0xC82828},
                        {k_FrameW - k_Mark, 0, 0x28C83C},
                        {0, k_FrameH - k_Mark, 0x1E3CDC},
                        {k_FrameW - k_Mark, k_FrameH - k_Mark, 0xE6D214},
                        {(k_FrameW - k_Mark) / 2, (k_FrameH - k_Mark) / 2, 0xF0F0F0}};
constexpr uint32_t k_Ground = 0x402060;
constexpr int k_Checks = 24, k_ChecksX = 301, k_ChecksY = 203;
uint32_t CheckColor(int x, int y) {
  return ((x + y) % 2 == 0) ? 0xFFFFFF : static_cast<uint32_t>(0x100000 * (x % 8) + 0x20 * y);
}

struct FrameCase {
  bool mIs3D;
  bool mIsWindowed;
};

class ScreenshotOfTheGameFrame : public ::testing::TestWithParam<FrameCase> {
 protected:
  void SetUp() override {
    if (!DisplayTest::HasDisplay()) GTEST_SKIP() << "no display";
    mData = TeskTest::MakeTempDir("screenshot_frame");
    setenv("XDG_DATA_HOME", mData.c_str(), 1);
  }
  void TearDown() override { unsetenv("XDG_DATA_HOME"); }
  std::string mData;
};

TEST_P(ScreenshotOfTheGameFrame, HoldsTheWholeFrameAtItsOwnSize) {
  const FrameCase aCase = GetParam();
  const int k_ScreenW = static_cast<int>(CGDisplayPixelsWide(CGMainDisplayID()));
  const int k_ScreenH = static_cast<int>(CGDisplayPixelsHigh(CGMainDisplayID()));
  if (k_ScreenW <= k_FrameW || k_ScreenH <= k_FrameH)
    GTEST_SKIP() << "the screen is no larger than the frame";
  WindowRef aWindow = DisplayTest::MakeWindow(k_FrameW, k_FrameH);
  ASSERT_NE(aWindow, nullptr);
  {
    ShotApp anApp;
    Tesk::DDInterface aDisplay(&anApp);
    aDisplay.mAppView.mWidth = k_FrameW;
    aDisplay.mAppView.mHeight = k_FrameH;
    aDisplay.mIs3D = aCase.mIs3D;
    ASSERT_EQ(aDisplay.Init(aWindow, aCase.mIsWindowed), Tesk::RESULT_OK) << aDisplay.mErrorString;
    anApp.mDDInterface = &aDisplay;
    Tesk::DDImage* aScreen = aDisplay.GetScreenImage();
    ASSERT_NE(aScreen, nullptr);
    const Tesk::TRect<int> aShown = Tesk::DDInterface::FitFrame(k_FrameW, k_FrameH, k_ScreenW, k_ScreenH);
    if (!aCase.mIsWindowed) {
      EXPECT_EQ(aDisplay.mPresentationRect, aShown);
    }
    if (!aCase.mIsWindowed && aCase.mIs3D) {
      // A window manager gives the full-screen window the whole screen; a bare X server leaves
      // that to us. Once it is there, the far corner of the frame's place shows the frame's.
      // (SDL leaves the size of a window it holds full screen alone, so it is let go first.)
      SDL_Window* anSDLWindow = CarbonSDLWindow(aWindow);
      ASSERT_NE(anSDLWindow, nullptr);
      SDL_SetWindowFullscreen(anSDLWindow, 0);
      SDL_SetWindowBordered(anSDLWindow, SDL_FALSE);
      SDL_SetWindowPosition(anSDLWindow, 0, 0);
      SDL_SetWindowSize(anSDLWindow, k_ScreenW, k_ScreenH);
      const Mark& aCorner = k_Marks[3];
      auto anEnd = std::chrono::steady_clock::now() + std::chrono::seconds(5);
      uint32_t aPixel = 0;
      do {
        GetCarbonBackend().PumpEvents();
        aScreen->FillRect(Tesk::TRect<int>(0, 0, k_FrameW, k_FrameH), ColorOf(k_Ground), 0);
        aScreen->FillRect(Tesk::TRect<int>(aCorner.mX, aCorner.mY, k_Mark, k_Mark), ColorOf(aCorner.mColor),
                          0);
        anApp.Redraw(nullptr);
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        aPixel = XScreen::Available()
                     ? XScreen::ReadScreenPixel(aShown.mX + aShown.mWidth - 2, aShown.mY + aShown.mHeight - 2)
                     : aCorner.mColor;
      } while (!DisplayTest::NearColor(aPixel, aCorner.mColor, 2) &&
               std::chrono::steady_clock::now() < anEnd);
      EXPECT_TRUE(DisplayTest::NearColor(aPixel, aCorner.mColor, 2))
          << "the window does not cover the screen";
    }
    // A sprite of one-pixel checks, which a shot scaled by any other rule than the stretch's
    // own would blur or shift.
    Tesk::MemoryImage aChecks(nullptr);
    aChecks.Create(k_Checks, k_Checks);
    for (int i = 0; i < k_Checks * k_Checks; ++i)
      aChecks.GetBits()[i] = 0xFF000000u | CheckColor(i % k_Checks, i / k_Checks);
    aChecks.BitsChanged();

    // In 3-D the frame is drawn into the window as it goes and the next presented one is shot:
    // the key comes before it. In 2-D the draw buffer is shot at once: the key comes after.
    if (aCase.mIs3D) anApp.DebugKeyDown(k_F11);
    aScreen->FillRect(Tesk::TRect<int>(0, 0, k_FrameW, k_FrameH), ColorOf(k_Ground), 0);
    for (const Mark& m : k_Marks)
      aScreen->FillRect(Tesk::TRect<int>(m.mX, m.mY, k_Mark, k_Mark), ColorOf(m.mColor), 0);
    aScreen->Blt(&aChecks, k_ChecksX, k_ChecksY, Tesk::TRect<int>(0, 0, k_Checks, k_Checks),
                 Tesk::Color::White, 0);
    if (!aCase.mIs3D) anApp.DebugKeyDown(k_F11);
    anApp.Redraw(nullptr);

    std::unique_ptr<ImageLib::Image> aShot(ImageLib::GetPNGImage(mData + "/_screenshots/image1.png"));
    ASSERT_NE(aShot, nullptr);
    ASSERT_EQ(aShot->mWidth, k_FrameW);
    ASSERT_EQ(aShot->mHeight, k_FrameH);
    for (const Mark& m : k_Marks) {
      // Each mark's outer corner and the ground just beyond its inner corner.
      for (int aCorner = 0; aCorner < 4; ++aCorner) {
        int x = m.mX + ((aCorner & 1) ? k_Mark - 1 : 0), y = m.mY + ((aCorner & 2) ? k_Mark - 1 : 0);
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
        EXPECT_TRUE(DisplayTest::NearColor(aShot->mBits[y * k_FrameW + x], m.mColor, 2));
      }
    }
    for (int y : {k_Mark, k_FrameH / 2 - k_Mark, k_FrameH - k_Mark - 1}) {
      for (int x : {k_Mark, k_FrameW / 2 - k_Mark, k_FrameW - k_Mark - 1}) {
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y) + " ground");
        EXPECT_TRUE(DisplayTest::NearColor(aShot->mBits[y * k_FrameW + x], k_Ground, 2));
      }
    }
    // The sprite comes back exactly, however the screen shows it (scaled and filtered there).
    for (int y = 0; y < k_Checks; ++y) {
      for (int x = 0; x < k_Checks; ++x) {
        SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y) + " checks");
        const int aX = k_ChecksX + x, aY = k_ChecksY + y;
        EXPECT_TRUE(DisplayTest::NearColor(aShot->mBits[aY * k_FrameW + aX], CheckColor(x, y), 2));
      }
    }
    // Full screen in 3-D, the screen shows each mark at the frame's place, scaled.
    if (aCase.mIs3D && !aCase.mIsWindowed && XScreen::Available()) {
      for (const Mark& m : k_Marks) {
        const int aCentre = 2 * m.mX + k_Mark;  // twice the mark's centre
        SCOPED_TRACE(std::to_string(m.mX) + "," + std::to_string(m.mY) + " on screen");
        const int x = aShown.mX + aCentre * aShown.mWidth / (2 * k_FrameW);
        const int y = aShown.mY + (2 * m.mY + k_Mark) * aShown.mHeight / (2 * k_FrameH);
        EXPECT_TRUE(DisplayTest::NearColor(ScreenPixelOnceShown(x, y, m.mColor), m.mColor, 2));
      }
    }
    aDisplay.Remove3DData(&aChecks);
    // TESK_KEEP_SHOTS names a folder to keep the shots in, to look at them.
    if (const char* aKeep = std::getenv("TESK_KEEP_SHOTS")) {
      const std::string aName = ::testing::UnitTest::GetInstance()->current_test_info()->name();
      const std::string aCopy = "cp '" + mData + "/_screenshots/image1.png' '" + aKeep + "/" +
                                aName.substr(aName.rfind('/') + 1) + ".png'";
      EXPECT_EQ(std::system(aCopy.c_str()), 0);
    }
    anApp.mDDInterface = nullptr;
  }
  DIRECTDRAW2::RestoreDisplayMode();
  DisposeWindow(aWindow);
}

INSTANTIATE_TEST_SUITE_P(Modes, ScreenshotOfTheGameFrame,
                         ::testing::Values(FrameCase{true, true}, FrameCase{false, true},
                                           FrameCase{true, false}, FrameCase{false, false}),
                         [](const ::testing::TestParamInfo<FrameCase>& theInfo) {
                           return std::string(theInfo.param.mIs3D ? "Accelerated" : "Software") +
                                  (theInfo.param.mIsWindowed ? "Windowed" : "FullScreen");
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

// A whole application on a real (virtual) X display: it opens its 800 x 600 window, a click
// injected through the X server changes the box's colour on the screen, and a close request
// from outside ends the run cleanly, threads and all.
#include <SDL.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "BoxApp.h"
#include "XScreen.h"
#include "core/MacUtils.h"
#include "platform/carbon/CarbonWindows.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "support/TestTemp.h"

namespace {

using Clock = std::chrono::steady_clock;

uint32_t Packed(const Tesk::Color& theColor) {
  return (static_cast<uint32_t>(theColor.mRed) << 16) | (static_cast<uint32_t>(theColor.mGreen) << 8) |
         static_cast<uint32_t>(theColor.mBlue);
}

bool Near(uint32_t a, uint32_t b) {
  for (int aShift = 0; aShift < 24; aShift += 8) {
    if (std::abs(static_cast<int>((a >> aShift) & 0xFF) - static_cast<int>((b >> aShift) & 0xFF)) > 2)
      return false;
  }
  return true;
}

// Polls the screen until the pixel shows theColor or theSeconds pass.
bool WaitForPixel(int x, int y, uint32_t theColor, double theSeconds, uint32_t* theLast) {
  auto anEnd = Clock::now() + std::chrono::duration<double>(theSeconds);
  while (Clock::now() < anEnd) {
    *theLast = XScreen::ReadScreenPixel(x, y);
    if (Near(*theLast, theColor)) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

class StarterProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr || !CarbonInitVideo()) GTEST_SKIP() << "no display";
    if (!XScreen::Available()) GTEST_SKIP() << "no libX11";
    if (std::system("xdotool version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("XDG_DATA_HOME", TeskTest::MakeTempDir("starter_data").c_str(), 1);
    unsetenv("TESK_RUN_SECONDS");
  }
};

TEST_F(StarterProgram, ClickChangesTheBoxOnScreenAndACloseRequestEndsTheRun) {
  auto* anApp = new Tesk::BoxApp();
  anApp->Init();
  ASSERT_NE(anApp->mWindow, nullptr);
  ASSERT_TRUE(anApp->mIsPhysWindowed);
  SDL_Window* aWindow = CarbonSDLWindow(anApp->mWindow);
  ASSERT_NE(aWindow, nullptr);
  int aWidth = 0;
  int aHeight = 0;
  SDL_GetWindowSize(aWindow, &aWidth, &aHeight);
  EXPECT_EQ(aWidth, 800);
  EXPECT_EQ(aHeight, 600);
  unsigned long anXWindow = XScreen::XWindowOf(aWindow);
  ASSERT_NE(anXWindow, 0u);
  ::Rect aContent{0, 0, 0, 0};
  GetWindowBounds(anApp->mWindow, kWindowContentRgn, &aContent);
  const Tesk::TRect<int>& aBox = Tesk::BoxApp::k_BoxRect;
  int aBoxX = aContent.left + aBox.mX + aBox.mWidth / 2;
  int aBoxY = aContent.top + aBox.mY + aBox.mHeight / 2;

  // Everything from outside happens on another thread while the main loop runs here.
  uint32_t aBefore = 0;
  uint32_t anAfter = 0;
  bool aSawFirst = false;
  bool aSawSecond = false;
  bool aCloseSent = false;
  std::atomic<bool> aRunEnded{false};
  std::thread anOutside([&] {
    aSawFirst = WaitForPixel(aBoxX, aBoxY, Packed(Tesk::ColorBoxWidget::k_Colors[0]), 15.0, &aBefore);
    std::string aClick = "xdotool mousemove " + std::to_string(aBoxX) + " " + std::to_string(aBoxY) +
                         " sleep 0.2 click 1 >/dev/null 2>&1";
    if (aSawFirst && std::system(aClick.c_str()) == 0) {
      aSawSecond = WaitForPixel(aBoxX, aBoxY, Packed(Tesk::ColorBoxWidget::k_Colors[1]), 10.0, &anAfter);
    }
    // Let it run a little longer, then close it the way a window manager would.
    std::this_thread::sleep_for(std::chrono::seconds(2));
    aCloseSent = XScreen::RequestClose(anXWindow);
    // A run that does not hear the request is ended from here, as any other thread may.
    auto aDeadline = Clock::now() + std::chrono::seconds(10);
    while (!aRunEnded && Clock::now() < aDeadline) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!aRunEnded) anApp->Shutdown();
  });

  auto aStart = Clock::now();
  anApp->Start();
  double aRan = std::chrono::duration<double>(Clock::now() - aStart).count();
  bool aClosedByWindow = anApp->mWindowClosed;
  int aClicks = anApp->mBox.mClicks;
  int aDraws = anApp->mDrawCount;
  bool aLoaded = anApp->mLoaded;
  aRunEnded = true;
  anOutside.join();
  // The destructor stops the cursor thread before the display goes.
  delete anApp;

  EXPECT_TRUE(aSawFirst) << std::hex << aBefore;
  EXPECT_TRUE(aSawSecond) << std::hex << anAfter;
  EXPECT_EQ(aClicks, 1);
  EXPECT_TRUE(aCloseSent);
  EXPECT_TRUE(aClosedByWindow);
  EXPECT_LT(aRan, 12.0 + 15.0);
  // Presented when it changes, the first frame and the click's, and not again while it stands.
  EXPECT_GE(aDraws, 2);
  EXPECT_TRUE(aLoaded);  // the loading thread ran and its completion was taken up
}

TEST_F(StarterProgram, AnUnattendedRunEndsByItselfAndRemembersItsWindow) {
  setenv("TESK_RUN_SECONDS", "1", 1);
  {
    Tesk::BoxApp anApp;
    anApp.Init();
    ASSERT_NE(anApp.mWindow, nullptr);
    anApp.Start();
    EXPECT_TRUE(anApp.mShutdown);
    EXPECT_GT(anApp.mUpdateCount, 50);
  }
  unsetenv("TESK_RUN_SECONDS");
  // The next start reads what the first one wrote back.
  Tesk::BoxApp aNext;
  aNext.ReadFromRegistry();
  EXPECT_TRUE(aNext.mLastShutdownWasGraceful);
  EXPECT_TRUE(aNext.mIsWindowed);
}

}  // namespace

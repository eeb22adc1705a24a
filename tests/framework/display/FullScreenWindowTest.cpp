// Full screen on an X server with no window manager: the window itself must cover the screen,
// or the frame drawn for the screen's size is seen through a window of the old size.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "DisplayTestWindow.h"
#include "platform/quicktime/QuickTime.h"

// Last: the X headers it pulls in define names (None, Bool) that others use.
#include <SDL2/SDL_syswm.h>

namespace {

// The window's geometry as the X server has it (not as SDL believes it to be).
SDL_Rect XGeometry(WindowRef theWindow) {
  SDL_Rect aRect{-1, -1, -1, -1};
  SDL_SysWMinfo anInfo;
  SDL_VERSION(&anInfo.version);
  if (!SDL_GetWindowWMInfo(CarbonSDLWindow(theWindow), &anInfo) || anInfo.subsystem != SDL_SYSWM_X11) return aRect;
  SDL_Event anEvent;
  while (SDL_PollEvent(&anEvent)) {
  }
  SDL_Delay(100);
  const std::string aCommand =
      "xdotool getwindowgeometry --shell " + std::to_string(static_cast<unsigned long>(anInfo.info.x11.window));
  FILE* aPipe = popen(aCommand.c_str(), "r");
  if (aPipe == nullptr) return aRect;
  char aLine[128];
  while (std::fgets(aLine, sizeof(aLine), aPipe) != nullptr) {
    std::sscanf(aLine, "X=%d", &aRect.x);
    std::sscanf(aLine, "Y=%d", &aRect.y);
    std::sscanf(aLine, "WIDTH=%d", &aRect.w);
    std::sscanf(aLine, "HEIGHT=%d", &aRect.h);
  }
  pclose(aPipe);
  return aRect;
}

TEST(FullScreenWindow, CoversTheScreenWithoutAWindowManagerAndComesBack) {
  if (!DisplayTest::HasDisplay()) GTEST_SKIP() << "no display";
  if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
  WindowRef aWindow = DisplayTest::MakeWindow(320, 240, 60, 50);
  ASSERT_NE(aWindow, nullptr);
  const SDL_Rect aBefore = XGeometry(aWindow);
  if (aBefore.w < 0) {
    DisposeWindow(aWindow);
    GTEST_SKIP() << "not an X display";
  }
  SDL_Rect aScreen;
  ASSERT_EQ(SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(CarbonSDLWindow(aWindow)), &aScreen), 0);

  Ptr aRestore = nullptr;
  int16_t aWidth = 0, aHeight = 0;
  ASSERT_EQ(BeginFullScreen(&aRestore, nullptr, &aWidth, &aHeight, nullptr, nullptr, 0), noErr);
  const SDL_Rect aFull = XGeometry(aWindow);
  EXPECT_EQ(aFull.x, aScreen.x);
  EXPECT_EQ(aFull.y, aScreen.y);
  EXPECT_EQ(aFull.w, aScreen.w);
  EXPECT_EQ(aFull.h, aScreen.h);

  ASSERT_EQ(EndFullScreen(aRestore, 0), noErr);
  const SDL_Rect anAfter = XGeometry(aWindow);
  EXPECT_EQ(anAfter.w, aBefore.w);
  EXPECT_EQ(anAfter.h, aBefore.h);
  EXPECT_EQ(anAfter.x, aBefore.x);
  EXPECT_EQ(anAfter.y, aBefore.y);
  DisposeWindow(aWindow);
}

// Switching from full screen to a window makes a new window before full screen ends: ending it
// then touches neither the window that is gone nor the new one (which may sit where the old one's
// memory was).
TEST(FullScreenWindow, EndingItAfterItsWindowIsGoneLeavesTheNextWindowAlone) {
  if (!DisplayTest::HasDisplay()) GTEST_SKIP() << "no display";
  if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
  WindowRef aFirst = DisplayTest::MakeWindow(320, 240, 60, 50);
  ASSERT_NE(aFirst, nullptr);
  if (XGeometry(aFirst).w < 0) {
    DisposeWindow(aFirst);
    GTEST_SKIP() << "not an X display";
  }
  Ptr aRestore = nullptr;
  int16_t aWidth = 0, aHeight = 0;
  ASSERT_EQ(BeginFullScreen(&aRestore, nullptr, &aWidth, &aHeight, nullptr, nullptr, 0), noErr);
  DisposeWindow(aFirst);
  WindowRef aNext = DisplayTest::MakeWindow(200, 150, 100, 80);
  ASSERT_NE(aNext, nullptr);
  const SDL_Rect aBefore = XGeometry(aNext);
  EXPECT_EQ(EndFullScreen(aRestore, 0), noErr);
  const SDL_Rect anAfter = XGeometry(aNext);
  EXPECT_EQ(anAfter.x, aBefore.x);
  EXPECT_EQ(anAfter.y, aBefore.y);
  EXPECT_EQ(anAfter.w, 200);
  EXPECT_EQ(anAfter.h, 150);
  DisposeWindow(aNext);
}

}  // namespace

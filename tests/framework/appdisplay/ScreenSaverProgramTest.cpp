// The program started with -screensaver on a real (virtual) X display ends on its own when a
// key is pressed, through its real window and message route.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>

#include "BoxApp.h"
#include "XScreen.h"
#include "platform/carbon/CarbonWindows.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "support/TestTemp.h"

namespace {

using Clock = std::chrono::steady_clock;

TEST(ScreenSaverProgram, AKeyPressEndsTheRun) {
  if (std::getenv("DISPLAY") == nullptr || !CarbonInitVideo()) GTEST_SKIP() << "no display";
  if (!XScreen::Available()) GTEST_SKIP() << "no libX11";
  if (std::system("xdotool version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  setenv("XDG_DATA_HOME", TeskTest::MakeTempDir("saver_data").c_str(), 1);
  unsetenv("TESK_RUN_SECONDS");

  auto* anApp = new Tesk::BoxApp();
  anApp->SetCommandLine("-screensaver");
  anApp->Init();
  ASSERT_TRUE(anApp->IsScreenSaver());
  ASSERT_NE(anApp->mWindow, nullptr);
  ::Rect aContent{0, 0, 0, 0};
  GetWindowBounds(anApp->mWindow, kWindowContentRgn, &aContent);
  std::atomic<bool> aRunEnded{false};
  bool anEndedByItself = false;
  std::thread anOutside([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(700));
    const std::string aKey = "xdotool mousemove " + std::to_string(aContent.left + 20) + " " +
                             std::to_string(aContent.top + 20) + " sleep 0.2 key x >/dev/null 2>&1";
    EXPECT_EQ(std::system(aKey.c_str()), 0);
    auto aDeadline = Clock::now() + std::chrono::seconds(10);
    while (!aRunEnded && Clock::now() < aDeadline) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    anEndedByItself = aRunEnded;
    if (!aRunEnded) anApp->Shutdown();
  });
  anApp->Start();
  aRunEnded = true;
  anOutside.join();
  EXPECT_TRUE(anEndedByItself) << "the key press did not close the screen saver";
  EXPECT_TRUE(anApp->mWindowClosed);
  delete anApp;
}

}  // namespace

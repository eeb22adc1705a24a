// Demo recording and playback through the program's own entry (the command line handed over,
// Init, Start) on a real (virtual) X display: a run recorded with clicks, typing and a close
// from outside plays back with the same inputs and ends at the same update, as does a run ended
// by a quit request or by the program itself.
#include <SDL.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "BoxApp.h"
#include "XScreen.h"
#include "core/Common.h"
#include "core/MTRand.h"
#include "platform/carbon/CarbonWindows.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "support/DemoReport.h"
#include "support/TestTemp.h"
#include "widgets/WidgetManager.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Outcome {
  int mClicks = 0;
  std::wstring mTyped;
  int mUpdates = 0;
  int mMouseX = 0;
  int mMouseY = 0;
  uint32_t mNextRandom = 0;
  std::string mDataFolder;
  std::string mReport;  // what the run said about its demo on standard error
};

// How a run is ended.
enum class End {
  kByItself,      // a played demo: the recording's end ends it
  kCloseRequest,  // input through the X server, then the window closed as a window manager does
  kQuitRequest,   // input through the X server, then a termination signal, a quit request to SDL
  kOwnTimedEnd,   // no input: the program shuts itself down after a while
};

// Whether a signal reaches the program as a quit request rather than ending the process.
bool IsSignalAQuitRequest(int theSignal) {
  struct sigaction anAction {};
  return sigaction(theSignal, nullptr, &anAction) == 0 && anAction.sa_handler != SIG_DFL &&
         anAction.sa_handler != SIG_IGN;
}

// Runs the box program with theCmdLine, ended as theEnd says.
Outcome RunBox(const std::string& theCmdLine, End theEnd) {
  const bool isDriven = theEnd == End::kCloseRequest || theEnd == End::kQuitRequest;
  Outcome anOutcome;
  auto* anApp = new Tesk::BoxApp();
  if (theEnd == End::kOwnTimedEnd) anApp->mRunMillis = 1500;
  anApp->SetCommandLine(theCmdLine);
  anApp->Init();
  anOutcome.mDataFolder = Tesk::GetAppDataFolder();
  if (anApp->mWindow == nullptr) {
    delete anApp;
    ADD_FAILURE() << "no window";
    return anOutcome;
  }
  unsigned long anXWindow = XScreen::XWindowOf(CarbonSDLWindow(anApp->mWindow));
  ::Rect aContent{0, 0, 0, 0};
  GetWindowBounds(anApp->mWindow, kWindowContentRgn, &aContent);
  const int aBoxX = aContent.left + Tesk::BoxApp::k_BoxRect.mX + 50;
  const int aBoxY = aContent.top + Tesk::BoxApp::k_BoxRect.mY + 50;

  std::atomic<bool> aRunEnded{false};
  std::thread anOutside([&] {
    if (isDriven) {
      std::this_thread::sleep_for(std::chrono::milliseconds(700));
      const std::string aMoves = "xdotool mousemove " + std::to_string(aBoxX) + " " + std::to_string(aBoxY) +
                                 " sleep 0.2 click 1 sleep 0.2 type --delay 80 hi; xdotool sleep 0.2 mousemove " +
                                 std::to_string(aBoxX + 40) + " " + std::to_string(aBoxY + 30) +
                                 " sleep 0.2 click 1 sleep 0.2 mousemove " + std::to_string(aBoxX + 7) + " " +
                                 std::to_string(aBoxY + 3) + " sleep 0.3 >/dev/null 2>&1";
      EXPECT_EQ(std::system(aMoves.c_str()), 0);
      if (theEnd == End::kCloseRequest) {
        EXPECT_TRUE(XScreen::RequestClose(anXWindow));
      } else if (IsSignalAQuitRequest(SIGTERM)) {
        kill(getpid(), SIGTERM);
      } else {
        ADD_FAILURE() << "no quit request for SIGTERM";
      }
    }
    // A run that does not end is ended from here, and the test fails on its results.
    auto aDeadline = Clock::now() + std::chrono::seconds(30);
    while (!aRunEnded && Clock::now() < aDeadline) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    if (!aRunEnded) {
      ADD_FAILURE() << "the run did not end by itself";
      anApp->Shutdown();
    }
  });
  anApp->Start();
  aRunEnded = true;
  anOutside.join();

  anOutcome.mClicks = anApp->mBox.mClicks;
  anOutcome.mTyped = anApp->mBox.mTyped;
  anOutcome.mUpdates = anApp->mUpdateCount;
  anOutcome.mMouseX = anApp->mWidgetManager->mLastMouseX;
  anOutcome.mMouseY = anApp->mWidgetManager->mLastMouseY;
  anOutcome.mNextRandom = Tesk::Rand();
  testing::internal::CaptureStderr();
  delete anApp;
  anOutcome.mReport = testing::internal::GetCapturedStderr();
  return anOutcome;
}

// The playback took the recording's every input to the same update, the same pointer and the
// same place in the random numbers, and reported the whole recording played.
void ExpectPlayedAsRecorded(const Outcome& theRecorded, const Outcome& thePlayed,
                            const std::string& theFile) {
  EXPECT_EQ(thePlayed.mClicks, theRecorded.mClicks);
  EXPECT_EQ(thePlayed.mTyped, theRecorded.mTyped);
  EXPECT_EQ(thePlayed.mMouseX, theRecorded.mMouseX);
  EXPECT_EQ(thePlayed.mMouseY, theRecorded.mMouseY);
  EXPECT_EQ(thePlayed.mUpdates, theRecorded.mUpdates);
  EXPECT_EQ(thePlayed.mNextRandom, theRecorded.mNextRandom);
  TeskTest::ExpectPlayedToItsEnd(theRecorded.mReport, thePlayed.mReport, theFile);
}

class DemoProgram : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr || !CarbonInitVideo()) GTEST_SKIP() << "no display";
    if (!XScreen::Available()) GTEST_SKIP() << "no libX11";
    if (std::system("xdotool version >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    setenv("TESK_ALERTS", "stderr", 1);
    setenv("XDG_DATA_HOME", TeskTest::MakeTempDir("demo_data").c_str(), 1);
    unsetenv("TESK_RUN_SECONDS");
  }
};

TEST_F(DemoProgram, ARecordedRunPlaysBackWithTheSameInputsToTheSameUpdate) {
  const Outcome aRecorded = RunBox("-recnum", End::kCloseRequest);
  ASSERT_EQ(aRecorded.mClicks, 2) << "the clicks did not reach the program";
  ASSERT_EQ(aRecorded.mTyped, L"hi") << "the typing did not reach the program";
  // Numbered demos are counted and written in the data folder.
  const std::string aFile = aRecorded.mDataFolder + "teskapp1.dmo";
  EXPECT_TRUE(std::filesystem::exists(aFile)) << aRecorded.mReport;
  EXPECT_EQ(TeskTest::Between(aRecorded.mReport, "demo: recorded " + aFile + ": ", " updates"),
            std::to_string(aRecorded.mUpdates))
      << aRecorded.mReport;

  // The newest numbered demo, played through the same entry, ends by itself where the
  // recording ended, every input replayed and every command taken.
  const Outcome aPlayed = RunBox("-playnum=1", End::kByItself);
  ExpectPlayedAsRecorded(aRecorded, aPlayed, aFile);

  // A second recording takes the next number; -playnum=2 goes one back.
  const Outcome aSecond = RunBox("-recnum", End::kCloseRequest);
  EXPECT_TRUE(std::filesystem::exists(aSecond.mDataFolder + "teskapp2.dmo")) << aSecond.mReport;
  const Outcome anOlder = RunBox("-playnum=2", End::kByItself);
  EXPECT_NE(anOlder.mReport.find("demo: played " + aFile), std::string::npos) << anOlder.mReport;
}

// A run that ends without its window closing (a quit request, as a termination signal makes,
// or the program's own end) leaves a demo that plays back to the same update and stops there.
TEST_F(DemoProgram, ARunEndedWithoutAWindowClosePlaysBackToItsEndAndStops) {
  struct Case {
    const char* name;
    End end;
  };
  const Case kCases[] = {{"quit request", End::kQuitRequest}, {"the program's own end", End::kOwnTimedEnd}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    const Outcome aRecorded = RunBox("-record", c.end);
    const std::string aFile = aRecorded.mDataFolder + "teskapp.dmo";
    ASSERT_EQ(TeskTest::Between(aRecorded.mReport, "demo: recorded " + aFile + ": ", " updates"),
              std::to_string(aRecorded.mUpdates))
        << aRecorded.mReport;

    ExpectPlayedAsRecorded(aRecorded, RunBox("-play", End::kByItself), aFile);
  }
}

}  // namespace

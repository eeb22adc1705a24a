// The program full screen on screens of many sizes, each on an X server of its own: the 800 x 600
// frame is shown whole where the rule puts it (as large as it fits with its shape kept, centred,
// black beside it), drawn accelerated and in software; pointer moves and presses sent through the
// X server at the screen position of known frame points reach the frame at those points, the
// drawn cursor sits under the pointer (from the first frame, for a pointer that rests where it was
// before the start), and a press over a bar lands on the frame's edge. F11 still
// takes the 800 x 600 frame, and a screen no larger than the frame gets full screen even when a
// window is asked for. On one screen the run also goes to a window and back, and a run recorded
// full screen plays back in a window with the same presses.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "ChildProgram.h"
#include "FrameApp.h"
#include "VirtualScreen.h"
#include "XScreen.h"
#include "framework/display/DisplayTestWindow.h"
#include "resources/ImageLib.h"
#include "support/TestTemp.h"

namespace {

namespace fs = std::filesystem;
using ChildProgram::Lines;
using ChildProgram::WaitForLine;
using Clock = std::chrono::steady_clock;
using Tesk::MarkedFrameWidget;

constexpr int k_FrameW = MarkedFrameWidget::k_Width, k_FrameH = MarkedFrameWidget::k_Height;
// The child process reads its part from these.
constexpr const char* k_StatusVariable = "TESK_FRAME_PROGRAM_STATUS";
constexpr const char* k_CommandLineVariable = "TESK_FRAME_PROGRAM_COMMAND_LINE";
constexpr const char* k_WindowedVariable = "TESK_FRAME_PROGRAM_WINDOWED";

struct Shown {
  int mX, mY, mWidth, mHeight;
};

// Where the frame belongs on a screen of theWidth x theHeight: as large as it fits with its 4:3
// kept, centred.
Shown ShownOn(int theWidth, int theHeight) {
  if (theWidth * k_FrameH <= theHeight * k_FrameW) {
    const int aHeight = (theWidth * k_FrameH + k_FrameW / 2) / k_FrameW;
    return Shown{0, (theHeight - aHeight) / 2, theWidth, aHeight};
  }
  const int aWidth = (theHeight * k_FrameW + k_FrameH / 2) / k_FrameH;
  return Shown{(theWidth - aWidth) / 2, 0, aWidth, theHeight};
}

std::string Text(const Shown& r) {
  return std::to_string(r.mX) + " " + std::to_string(r.mY) + " " + std::to_string(r.mWidth) + " " +
         std::to_string(r.mHeight);
}

// The first screen pixel whose frame pixel (by the program's mapping, truncating) is theFrame; on
// a screen smaller than the frame, the nearest there is.
int ScreenX(const Shown& r, int theFrameX) {
  return std::min(r.mX + (theFrameX * r.mWidth + k_FrameW - 1) / k_FrameW, r.mX + r.mWidth - 1);
}
int ScreenY(const Shown& r, int theFrameY) {
  return std::min(r.mY + (theFrameY * r.mHeight + k_FrameH - 1) / k_FrameH, r.mY + r.mHeight - 1);
}
// The frame pixel a screen pixel reaches by that mapping.
int FrameX(const Shown& r, int theScreenX) { return (theScreenX - r.mX) * k_FrameW / r.mWidth; }
int FrameY(const Shown& r, int theScreenY) { return (theScreenY - r.mY) * k_FrameH / r.mHeight; }
// The screen pixel over the centre of frame pixel (x, y).
int CentreX(const Shown& r, int x) { return r.mX + (2 * x + 1) * r.mWidth / (2 * k_FrameW); }
int CentreY(const Shown& r, int y) { return r.mY + (2 * y + 1) * r.mHeight / (2 * k_FrameH); }

void Xdotool(const std::string& theArguments) {
  EXPECT_EQ(std::system(("xdotool " + theArguments + " >/dev/null 2>&1").c_str()), 0) << theArguments;
}

// The whole screen as read at once.
struct Screen {
  std::vector<uint32_t> mPixels;
  int mWidth = 0, mHeight = 0;
  uint32_t At(int x, int y) const {
    if (x < 0 || y < 0 || x >= mWidth || y >= mHeight) return 0xFFFFFFFFu;
    return mPixels[static_cast<size_t>(y) * mWidth + x];
  }
};

// Whether the screen pixel at (x, y) shows theColor, once it does (at most 5 s).
bool ShowsSoon(int x, int y, uint32_t theColor) {
  const auto anEnd = Clock::now() + std::chrono::seconds(5);
  while (!DisplayTest::NearColor(XScreen::ReadScreenPixel(x, y), theColor, 3)) {
    if (Clock::now() >= anEnd) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// The frame program in a process of its own, on the display DISPLAY names.
class ProgramRun : public ChildProgram::Run {
 public:
  void Start(const std::string& theStatus, const std::string& theData, const std::string& theCommandLine,
             bool isWindowed) {
    ChildProgram::Run::Start("FullScreenProgramChild.*", {{k_StatusVariable, theStatus},
                                                          {k_CommandLineVariable, theCommandLine},
                                                          {k_WindowedVariable, isWindowed ? "1" : "0"},
                                                          {"XDG_DATA_HOME", theData},
                                                          {"SDL_AUDIODRIVER", "dummy"},
                                                          {"TESK_ALERTS", "stderr"}});
  }
};

// Not a test of its own: the frame program that the tests below start in a process of their own.
TEST(FullScreenProgramChild, RunsTheFrameProgramForTheTestsThatStartIt) {
  const char* aStatus = std::getenv(k_StatusVariable);
  if (aStatus == nullptr) GTEST_SKIP() << "started by the full-screen program tests";
  auto* anApp = new Tesk::FrameApp(aStatus, std::string(std::getenv(k_WindowedVariable)) == "1");
  anApp->SetCommandLine(std::getenv(k_CommandLineVariable));
  anApp->Init();
  ASSERT_NE(anApp->mWindow, nullptr);
  anApp->Start();
  anApp->Note("ended");
  delete anApp;
}

struct ScreenCase {
  const char* mName;
  int mWidth, mHeight;
  bool mAlsoWindowAndDemo;
};

class FullScreenProgram : public ::testing::TestWithParam<ScreenCase> {
 protected:
  void SetUp() override {
    if (!XScreen::Available()) GTEST_SKIP() << "no libX11";
    if (std::system("command -v Xvfb >/dev/null 2>&1") != 0) GTEST_SKIP() << "no Xvfb";
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
    const ScreenCase c = GetParam();
    std::string anError;
    ASSERT_TRUE(mScreen.Start(c.mWidth, c.mHeight, &anError)) << anError;
    const char* anOld = std::getenv("DISPLAY");
    mOldDisplay = anOld != nullptr ? anOld : "";
    setenv("DISPLAY", mScreen.Name().c_str(), 1);
    mDir = TeskTest::MakeTempDir(std::string("full-screen-") + c.mName);
    mShown = ShownOn(c.mWidth, c.mHeight);
  }
  void TearDown() override {
    if (!mOldDisplay.empty()) setenv("DISPLAY", mOldDisplay.c_str(), 1);
  }

  // The frame's marks where they belong, the middle square of its size, black beside the frame.
  void ExpectTheFrame(const Shown& r, bool hasBars) {
    const uint32_t* k = MarkedFrameWidget::k_Marks;
    const int aRight = r.mX + r.mWidth - 1, aBottom = r.mY + r.mHeight - 1;
    ShowsSoon(aRight, aBottom, k[3]);
    ShowsSoon(r.mX, r.mY, k[0]);
    Screen s;
    ASSERT_TRUE(XScreen::ReadScreen(&s.mPixels, &s.mWidth, &s.mHeight)) << "the screen could not be read";
    struct Expected {
      int x, y;
      uint32_t mColor;
      const char* mWhat;
    };
    const int aMid = k_FrameW / 2, aMiddle = k_FrameH / 2, aHalf = MarkedFrameWidget::k_Square / 2;
    std::vector<Expected> aChecks = {
        {r.mX, r.mY, k[0], "top left corner"},
        {aRight, r.mY, k[1], "top right corner"},
        {r.mX, aBottom, k[2], "bottom left corner"},
        {aRight, aBottom, k[3], "bottom right corner"},
        {CentreX(r, 8), CentreY(r, 8), k[0], "top left mark"},
        {CentreX(r, k_FrameW - 9), CentreY(r, k_FrameH - 9), k[3], "bottom right mark"},
        // The middle square is as wide as it is high: two frame pixels inside its edges and out.
        {CentreX(r, aMid - aHalf + 2), CentreY(r, aMiddle), k[4], "square, left"},
        {CentreX(r, aMid + aHalf - 3), CentreY(r, aMiddle), k[4], "square, right"},
        {CentreX(r, aMid), CentreY(r, aMiddle - aHalf + 2), k[4], "square, top"},
        {CentreX(r, aMid), CentreY(r, aMiddle + aHalf - 3), k[4], "square, bottom"},
        {CentreX(r, aMid - aHalf - 3), CentreY(r, aMiddle), MarkedFrameWidget::k_Ground, "beside the square"},
        {CentreX(r, aMid), CentreY(r, aMiddle + aHalf + 2), MarkedFrameWidget::k_Ground, "below the square"},
    };
    if (hasBars && r.mX > 0) {
      aChecks.push_back({r.mX - 1, r.mY + r.mHeight / 2, 0, "left bar"});
      aChecks.push_back({0, 0, 0, "left bar, top"});
      aChecks.push_back({aRight + 1, r.mY + r.mHeight / 2, 0, "right bar"});
      aChecks.push_back({s.mWidth - 1, s.mHeight - 1, 0, "right bar, bottom"});
    }
    if (hasBars && r.mY > 0) {
      aChecks.push_back({r.mX + r.mWidth / 2, r.mY - 1, 0, "top bar"});
      aChecks.push_back({0, 0, 0, "top bar, left"});
      aChecks.push_back({r.mX + r.mWidth / 2, aBottom + 1, 0, "bottom bar"});
      aChecks.push_back({s.mWidth - 1, s.mHeight - 1, 0, "bottom bar, right"});
    }
    for (const Expected& e : aChecks) {
      SCOPED_TRACE(std::string(e.mWhat) + " at " + std::to_string(e.x) + "," + std::to_string(e.y));
      EXPECT_TRUE(DisplayTest::NearColor(s.At(e.x, e.y), e.mColor, 3));
    }
  }

  // Moves the pointer to screen (x, y) and waits for the drawn cursor to be there.
  void MoveTo(int x, int y) {
    Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
    EXPECT_TRUE(ShowsSoon(x, y, Tesk::FrameApp::k_CursorColor))
        << "no cursor under the pointer at " << x << "," << y;
  }

  // A press at screen (x, y); the frame's pixel the program saw, as "down X Y".
  std::string PressAt(int x, int y) {
    const size_t aBefore = Lines(Status()).size();
    MoveTo(x, y);
    Xdotool("click 1");
    return WaitForLine(Status(), "down", aBefore, 5.0);
  }

  std::string Status() const { return mDir + "/status"; }

  XScreen::VirtualScreen mScreen;
  std::string mOldDisplay;
  std::string mDir;
  Shown mShown{0, 0, 0, 0};
};

std::string Down(int x, int y) { return "down " + std::to_string(x) + " " + std::to_string(y); }

// The first screenshot under theData, whichever folder the program keeps them in.
std::string FirstScreenshot(const std::string& theData) {
  std::error_code anError;
  for (auto it = fs::recursive_directory_iterator(theData, anError); it != fs::recursive_directory_iterator();
       it.increment(anError)) {
    if (it->path().filename() == "image1.png") return it->path().string();
  }
  return std::string();
}

TEST_P(FullScreenProgram, ShowsTheWholeFrameUndistortedAndTakesThePointerAtItsPixels) {
  const ScreenCase c = GetParam();
  const Shown& r = mShown;
  const bool hasBars = r.mWidth != c.mWidth || r.mHeight != c.mHeight;
  const std::string aData = mDir + "/data";
  ProgramRun aRun;
  // Asked for a window, a screen no larger than the frame gets full screen all the same.
  const bool isTooSmallForAWindow = c.mWidth <= k_FrameW || c.mHeight <= k_FrameH;
  aRun.Start(Status(), aData, "", isTooSmallForAWindow);
  const std::string aFull = " full " + Text(r) + " confined " + Text(r) + " window 0 0 " +
                            std::to_string(c.mWidth) + " " + std::to_string(c.mHeight);
  const std::string aFirst = WaitForLine(Status(), "shown", 0, 60.0);
  ASSERT_FALSE(aFirst.empty()) << "the program did not start\n" << TeskTest::ReadFile(Status());
  EXPECT_EQ(aFirst, "shown 3d" + aFull);

  for (const char* aMode : {"3d", "2d"}) {
    SCOPED_TRACE(aMode);
    if (std::string(aMode) == "2d") {
      const size_t aBefore = Lines(Status()).size();
      Xdotool("key s");
      EXPECT_EQ(WaitForLine(Status(), "shown", aBefore, 20.0), "shown 2d" + aFull);
    }
    // The cursor out of the way first (it starts wherever the pointer is).
    MoveTo(CentreX(r, 200), CentreY(r, 150));
    ExpectTheFrame(r, hasBars);
    // Presses at the screen position of known frame points.
    const int kPoints[][2] = {{0, 0}, {k_FrameW - 1, k_FrameH - 1}, {123, 457}, {650, 77}, {400, 300}};
    for (const auto& p : kPoints) {
      const int x = ScreenX(r, p[0]), y = ScreenY(r, p[1]);
      SCOPED_TRACE("frame " + std::to_string(p[0]) + "," + std::to_string(p[1]) + " at " + std::to_string(x) +
                   "," + std::to_string(y));
      // A screen at least the frame's size reaches every frame pixel; a smaller one the pixel
      // its mapping gives.
      if (r.mWidth >= k_FrameW) {
        EXPECT_EQ(FrameX(r, x), p[0]);
        EXPECT_EQ(FrameY(r, y), p[1]);
      }
      EXPECT_EQ(PressAt(x, y), Down(FrameX(r, x), FrameY(r, y)));
    }
    // Over a bar the pointer stays on the frame's edge: the press lands there, and the cursor is
    // drawn there.
    if (r.mX > 0) {
      const int y = ScreenY(r, 200);
      const size_t aBefore = Lines(Status()).size();
      Xdotool("mousemove " + std::to_string(r.mX / 2) + " " + std::to_string(y) + " click 1");
      EXPECT_EQ(WaitForLine(Status(), "down", aBefore, 5.0), Down(0, FrameY(r, y))) << "left bar";
      EXPECT_TRUE(ShowsSoon(r.mX, y, Tesk::FrameApp::k_CursorColor)) << "no cursor on the frame's edge";
    }
    if (r.mY > 0) {
      const int x = ScreenX(r, 300);
      const size_t aBefore = Lines(Status()).size();
      Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(r.mY + r.mHeight + r.mY / 2) +
              " click 1");
      EXPECT_EQ(WaitForLine(Status(), "down", aBefore, 5.0), Down(FrameX(r, x), k_FrameH - 1))
          << "bottom bar";
    }
    // F11 takes the frame at its own size, as drawn (accelerated: through the device's frame).
    if (std::string(aMode) == "3d") {
      MoveTo(CentreX(r, 200), CentreY(r, 150));
      Xdotool("key F11");
      std::string aShot;
      for (int i = 0; i < 250 && aShot.empty(); ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        aShot = FirstScreenshot(aData);
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(200));  // written whole
      std::unique_ptr<ImageLib::Image> anImage(aShot.empty() ? nullptr : ImageLib::GetPNGImage(aShot));
      ASSERT_NE(anImage, nullptr) << "no screenshot";
      EXPECT_EQ(anImage->mWidth, k_FrameW);
      EXPECT_EQ(anImage->mHeight, k_FrameH);
      if (anImage->mWidth == k_FrameW && anImage->mHeight == k_FrameH) {
        const uint32_t* k = MarkedFrameWidget::k_Marks;
        EXPECT_TRUE(DisplayTest::NearColor(anImage->mBits[0], k[0], 1));
        EXPECT_TRUE(DisplayTest::NearColor(anImage->mBits[k_FrameW - 1], k[1], 1));
        EXPECT_TRUE(DisplayTest::NearColor(anImage->mBits[(k_FrameH - 1) * k_FrameW], k[2], 1));
        EXPECT_TRUE(DisplayTest::NearColor(anImage->mBits[k_FrameH * k_FrameW - 1], k[3], 1));
        EXPECT_TRUE(DisplayTest::NearColor(anImage->mBits[300 * k_FrameW + 400], k[4], 1));
        // The cursor is in the shot, at the frame pixel under the pointer.
        EXPECT_TRUE(DisplayTest::NearColor(
            anImage->mBits[FrameY(r, CentreY(r, 150)) * k_FrameW + FrameX(r, CentreX(r, 200))],
            Tesk::FrameApp::k_CursorColor, 1));
      }
    }
  }

  if (c.mAlsoWindowAndDemo) {
    // To a window of the frame's size, shown as it is and confined no more, and back.
    size_t aBefore = Lines(Status()).size();
    Xdotool("key w");
    const std::string aWindowed =
        WaitForLine(Status(), "shown 3d window 0 0 800 600 confined none window ", aBefore, 20.0);
    ASSERT_FALSE(aWindowed.empty()) << TeskTest::ReadFile(Status());
    std::istringstream aWords(aWindowed.substr(aWindowed.rfind("window ") + 7));
    Shown aWindow{0, 0, 0, 0};
    aWords >> aWindow.mX >> aWindow.mY >> aWindow.mWidth >> aWindow.mHeight;
    EXPECT_EQ(aWindow.mWidth, k_FrameW);
    EXPECT_EQ(aWindow.mHeight, k_FrameH);
    MoveTo(aWindow.mX + 200, aWindow.mY + 150);
    ExpectTheFrame(aWindow, false);
    EXPECT_EQ(PressAt(aWindow.mX + 123, aWindow.mY + 457), Down(123, 457));
    aBefore = Lines(Status()).size();
    Xdotool("key f");
    ASSERT_EQ(WaitForLine(Status(), "shown", aBefore, 20.0), "shown 3d" + aFull);
    EXPECT_EQ(PressAt(ScreenX(r, 650), ScreenY(r, 77)), Down(650, 77));
  }
  Xdotool("key Escape");
  EXPECT_TRUE(aRun.Ended(30.0)) << "the program did not end\n" << TeskTest::ReadFile(Status());

  if (c.mAlsoWindowAndDemo) {
    // A run recorded full screen plays back in a window (as demos play) with the same presses at
    // the same frame pixels: the demo holds frame pixels, not the screen's.
    const std::string aDemo = mDir + "/full-screen.dmo";
    const std::string aRecorded = mDir + "/recorded", aPlayed = mDir + "/played";
    {
      ProgramRun aRecording;
      aRecording.Start(aRecorded, mDir + "/demo-data", "-record -demofile=\"" + aDemo + "\"", false);
      ASSERT_EQ(WaitForLine(aRecorded, "shown", 0, 60.0), "shown 3d" + aFull);
      for (const auto& p : {std::make_pair(123, 457), std::make_pair(650, 77), std::make_pair(799, 0)}) {
        const size_t aBefore = Lines(aRecorded).size();
        Xdotool("mousemove " + std::to_string(ScreenX(r, p.first)) + " " +
                std::to_string(ScreenY(r, p.second)) + " click 1");
        EXPECT_EQ(WaitForLine(aRecorded, "down", aBefore, 5.0), Down(p.first, p.second));
      }
      Xdotool("key Escape");
      ASSERT_TRUE(aRecording.Ended(30.0));
    }
    ProgramRun aPlayback;
    aPlayback.Start(aPlayed, mDir + "/demo-data", "-play -demofile=\"" + aDemo + "\"", false);
    ASSERT_TRUE(aPlayback.Ended(60.0)) << TeskTest::ReadFile(aPlayed);
    EXPECT_NE(WaitForLine(aPlayed, "shown 3d window 0 0 800 600", 0, 0.0), "");
    std::vector<std::string> aRecordedDowns, aPlayedDowns;
    for (const std::string& aLine : Lines(aRecorded))
      if (aLine.rfind("down", 0) == 0) aRecordedDowns.push_back(aLine);
    for (const std::string& aLine : Lines(aPlayed))
      if (aLine.rfind("down", 0) == 0) aPlayedDowns.push_back(aLine);
    EXPECT_EQ(aRecordedDowns.size(), 3u);
    EXPECT_EQ(aPlayedDowns, aRecordedDowns);
  }
}

// The drawn cursor in one screen read: the box around every pixel of its colour (none when
// mCount is 0).
struct CursorSeen {
  int mCount = 0;
  int mLeft = 0, mTop = 0, mRight = -1, mBottom = -1;
};

CursorSeen FindCursor(const Screen& s) {
  CursorSeen c;
  for (int y = 0; y < s.mHeight; ++y) {
    for (int x = 0; x < s.mWidth; ++x) {
      if (!DisplayTest::NearColor(s.At(x, y), Tesk::FrameApp::k_CursorColor, 3)) continue;
      if (c.mCount++ == 0) {
        c.mLeft = c.mRight = x;
        c.mTop = c.mBottom = y;
      }
      c.mLeft = std::min(c.mLeft, x);
      c.mRight = std::max(c.mRight, x);
      c.mTop = std::min(c.mTop, y);
      c.mBottom = std::max(c.mBottom, y);
    }
  }
  return c;
}

// A pointer that rests where it was before the program started, which no move reports.
class RestingPointer : public FullScreenProgram {};

TEST_P(RestingPointer, TheCursorIsDrawnUnderItFromTheFirstFrameAndAPressThereKeepsIt) {
  const Shown& r = mShown;
  // A frame pixel on the plain ground, away from the marks, the square and the screen's middle.
  const int x = CentreX(r, 610), y = CentreY(r, 430);
  // The cursor's square, as large as the frame is shown, and a pixel either side for the blend.
  const int aReach = (Tesk::FrameApp::k_CursorSize / 2 + 1) * r.mWidth / k_FrameW + 1;
  Xdotool("mousemove " + std::to_string(x) + " " + std::to_string(y));
  ProgramRun aRun;
  aRun.Start(Status(), mDir + "/data", "", false);
  ASSERT_FALSE(WaitForLine(Status(), "shown", 0, 60.0).empty()) << TeskTest::ReadFile(Status());
  // The first present that drew the cursor drew it at the frame pixel under the pointer.
  EXPECT_EQ(WaitForLine(Status(), "cursor", 0, 5.0),
            "cursor " + std::to_string(FrameX(r, x)) + " " + std::to_string(FrameY(r, y)));

  // Every read of the screen for a while: once the frame is there the cursor is, under the pointer
  // and nowhere else.
  auto ExpectTheCursorUnderThePointer = [&](const Screen& s, const std::string& theWhen) {
    SCOPED_TRACE(theWhen);
    const CursorSeen c = FindCursor(s);
    ASSERT_GT(c.mCount, 0) << "no cursor drawn";
    EXPECT_TRUE(DisplayTest::NearColor(s.At(x, y), Tesk::FrameApp::k_CursorColor, 3))
        << "no cursor under the pointer at " << x << "," << y;
    EXPECT_TRUE(c.mLeft >= x - aReach && c.mRight <= x + aReach && c.mTop >= y - aReach &&
                c.mBottom <= y + aReach)
        << "cursor drawn over " << c.mLeft << "," << c.mTop << " to " << c.mRight << "," << c.mBottom;
  };
  const uint32_t aBottomRight = MarkedFrameWidget::k_Marks[3];
  int aFramesSeen = 0;
  for (const auto anEnd = Clock::now() + std::chrono::seconds(2); Clock::now() < anEnd;) {
    Screen s;
    ASSERT_TRUE(XScreen::ReadScreen(&s.mPixels, &s.mWidth, &s.mHeight));
    if (!DisplayTest::NearColor(s.At(r.mX + r.mWidth - 1, r.mY + r.mHeight - 1), aBottomRight, 3)) continue;
    ExpectTheCursorUnderThePointer(s, "read " + std::to_string(++aFramesSeen) + " of the frame");
    if (HasFailure()) break;
  }
  EXPECT_GT(aFramesSeen, 0) << "the frame was not shown";

  // A press where the pointer rests, with no move before it, lands there and leaves the cursor there.
  Xdotool("click 1");
  EXPECT_EQ(WaitForLine(Status(), "down", 0, 5.0), Down(FrameX(r, x), FrameY(r, y)));
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  Screen s;
  ASSERT_TRUE(XScreen::ReadScreen(&s.mPixels, &s.mWidth, &s.mHeight));
  ExpectTheCursorUnderThePointer(s, "after the press");
  Xdotool("key Escape");
  EXPECT_TRUE(aRun.Ended(30.0)) << "the program did not end\n" << TeskTest::ReadFile(Status());
}

INSTANTIATE_TEST_SUITE_P(Screens, RestingPointer,
                         ::testing::Values(ScreenCase{"800x600", 800, 600, false},
                                           ScreenCase{"1920x1080", 1920, 1080, false}),
                         [](const ::testing::TestParamInfo<ScreenCase>& theInfo) {
                           return std::string("Screen") + theInfo.param.mName;
                         });

INSTANTIATE_TEST_SUITE_P(
    Screens, FullScreenProgram,
    ::testing::Values(ScreenCase{"800x600", 800, 600, false}, ScreenCase{"1024x768", 1024, 768, false},
                      ScreenCase{"1280x1024", 1280, 1024, false}, ScreenCase{"1366x768", 1366, 768, false},
                      ScreenCase{"1920x1080", 1920, 1080, true}, ScreenCase{"2560x1440", 2560, 1440, false},
                      ScreenCase{"1080x1920", 1080, 1920, false}, ScreenCase{"640x480", 640, 480, false}),
    [](const ::testing::TestParamInfo<ScreenCase>& theInfo) {
      return std::string("Screen") + theInfo.param.mName;
    });

}  // namespace

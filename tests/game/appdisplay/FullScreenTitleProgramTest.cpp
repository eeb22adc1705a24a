// The game full screen on a 1920 x 1080 screen of its own, as a player meets it: the title screen
// fills the screen's height between black bars, the drawn wand is where the pointer has rested
// since before the start, and a press on Play sent through the X server at the button's place on
// the screen opens the difficulty popup. The screen before and after the press is written as PNG
// files in the tests' scratch folder ("full-screen-title"), and kept in the folder
// TESK_KEEP_SHOTS names.
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "core/MacUtils.h"
#include "display/DDInterface.h"
#include "framework/appdisplay/ChildProgram.h"
#include "framework/appdisplay/VirtualScreen.h"
#include "framework/appdisplay/XScreen.h"
#include "game/shell/GameApp.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/TitleScreen.h"
#include "platform/carbon/CarbonWindows.h"
#include "resources/ImageLib.h"
#include "support/TestTemp.h"
#include "widgets/OrvoButtonWidget.h"

namespace {

namespace fs = std::filesystem;

const std::string kGeneratedSet = TESK_DEFAULT_RESOURCES_DIR;
constexpr const char* k_StatusVariable = "TESK_TITLE_PROGRAM_STATUS";
constexpr int k_ScreenW = 1920, k_ScreenH = 1080;

// Runs the game's loop until theDone holds, at most theMs of wall time; whether it held.
template <class F>
bool RunUntil(Tesk::GameApp* theApp, int theMs, F theDone) {
  const uint32_t anEnd = ::timeGetTime() + static_cast<uint32_t>(theMs);
  while (!theDone()) {
    if (static_cast<int32_t>(::timeGetTime() - anEnd) >= 0 || theApp->mShutdown) return false;
    theApp->UpdateAppStep(nullptr);
  }
  return true;
}

// Not a test of its own: the game as the test below starts it, on a screen of its own.
// It notes "title X Y W H shown X Y W H" (the Play button in the frame, the frame on the screen)
// once the title stands, and "popup N" when a popup opens.
TEST(FullScreenTitleChild, RunsTheGameForTheTestThatStartsIt) {
  const char* aStatus = std::getenv(k_StatusVariable);
  if (aStatus == nullptr) GTEST_SKIP() << "started by the full-screen title test";
  auto* anApp = new Tesk::GameApp();
  anApp->Init();
  ASSERT_NE(anApp->mWindow, nullptr);
  ASSERT_FALSE(anApp->mIsPhysWindowed);
  // What Start does before its loop, the loop run here so that the test can follow it.
  anApp->StartLoadingThread();
  ShowWindow(anApp->mWindow);
  SelectWindow(anApp->mWindow);
  ASSERT_TRUE(RunUntil(anApp, 120000, [&] { return anApp->mLoaded; }));
  // A player who has a name already, so that the title asks for none.
  Tesk::ProfileData* aProfile = anApp->getProfileData();
  aProfile->setProfileUsing(0);
  aProfile->setProfileName(L"Wren");
  anApp->PreScreensFinished();
  Tesk::TitleScreen* aTitle = anApp->getTitleScreen();
  ASSERT_TRUE(RunUntil(anApp, 30000, [] { return !Tesk::GameApp::isInFade(); }));
  anApp->StartCursorThread();
  const Tesk::OrvoButtonWidget* aPlay = aTitle->m_mainButtons[0];
  const Tesk::TRect<int>& aShown = anApp->mDDInterface->mPresentationRect;
  std::ostringstream aLine;
  aLine << "title " << aPlay->mX << " " << aPlay->mY << " " << aPlay->mWidth << " " << aPlay->mHeight
        << " shown " << aShown.mX << " " << aShown.mY << " " << aShown.mWidth << " " << aShown.mHeight;
  ChildProgram::Note(aStatus, aLine.str());
  Tesk::PopupBox* aPopup = aTitle->getPopupWidget();
  ASSERT_NE(aPopup, nullptr);
  EXPECT_TRUE(RunUntil(anApp, 60000, [&] { return aPopup->mVisible; }));
  ChildProgram::Note(aStatus, "popup " + std::to_string(aPopup->m_type));
  // A moment for the test to see it, then the run ends.
  RunUntil(anApp, 3000, [] { return false; });
  anApp->Shutdown();
  anApp->ProcessSafeDeleteList();  // as Start does after its loop: the logo screen goes
  delete anApp;
  Tesk::GameApp::databaseCurrentlyLoaded = nullptr;
}

// Writes the whole screen as a PNG file, and hands its pixels (0xRRGGBB, top row first) to
// thePixels when asked.
bool KeepScreen(const std::string& thePath, std::vector<uint32_t>* thePixels = nullptr) {
  std::vector<uint32_t> aPixels;
  int aWidth = 0, aHeight = 0;
  if (!XScreen::ReadScreen(&aPixels, &aWidth, &aHeight)) return false;
  if (thePixels != nullptr) *thePixels = aPixels;
  for (uint32_t& aPixel : aPixels) aPixel |= 0xFF000000u;
  ImageLib::Image anImage;
  anImage.mWidth = aWidth;
  anImage.mHeight = aHeight;
  anImage.mBits = aPixels.data();
  const bool isWritten = ImageLib::WritePNGImage(thePath, &anImage);
  anImage.mBits = nullptr;  // the pixels stay the vector's
  // TESK_KEEP_SHOTS names a folder to keep the shots in, to look at them.
  if (const char* aKeep = std::getenv("TESK_KEEP_SHOTS")) {
    std::error_code anError;
    fs::copy_file(thePath, fs::path(aKeep) / fs::path(thePath).filename(),
                  fs::copy_options::overwrite_existing, anError);
  }
  std::printf("screenshot: %s\n", thePath.c_str());
  return isWritten;
}

// How many pixels of the box at (x, y) of the screen differ between two reads of it.
int PixelsChanged(const std::vector<uint32_t>& theBefore, const std::vector<uint32_t>& theAfter, int x, int y,
                  int theSide) {
  int aChanged = 0;
  for (int j = y; j < y + theSide; ++j) {
    for (int i = x; i < x + theSide; ++i) {
      const size_t anAt = static_cast<size_t>(j) * k_ScreenW + i;
      if (anAt >= theBefore.size() || anAt >= theAfter.size()) return -1;
      for (int aShift = 0; aShift < 24; aShift += 8) {
        const int a = (theBefore[anAt] >> aShift) & 0xFF, b = (theAfter[anAt] >> aShift) & 0xFF;
        if (std::abs(a - b) > 24) {
          ++aChanged;
          break;
        }
      }
    }
  }
  return aChanged;
}

TEST(FullScreenTitleProgram, OnA1920x1080ScreenAPressOnPlayThroughTheXServerOpensTheDifficultyPopup) {
  if (!XScreen::Available()) GTEST_SKIP() << "no libX11";
  if (std::system("command -v Xvfb >/dev/null 2>&1") != 0) GTEST_SKIP() << "no Xvfb";
  if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
  if (!fs::exists(kGeneratedSet + "/properties/resources.xml")) GTEST_SKIP() << "no generated asset set";
  XScreen::VirtualScreen aScreen;
  std::string anError;
  ASSERT_TRUE(aScreen.Start(k_ScreenW, k_ScreenH, &anError)) << anError;
  const char* anOldDisplay = std::getenv("DISPLAY");
  const std::string aKeptDisplay = anOldDisplay != nullptr ? anOldDisplay : "";
  setenv("DISPLAY", aScreen.Name().c_str(), 1);
  const std::string aDir = TeskTest::MakeTempDir("full-screen-title");
  const std::string aStatus = aDir + "/status";
  // The pointer rests over the bookshelf from before the game starts; no move will tell of it.
  const int aRestX = 1250, aRestY = 600;
  EXPECT_EQ(std::system(("xdotool mousemove " + std::to_string(aRestX) + " " + std::to_string(aRestY) +
                         " >/dev/null 2>&1")
                            .c_str()),
            0);
  {
    ChildProgram::Run aGame;
    aGame.Start("FullScreenTitleChild.*", {{k_StatusVariable, aStatus},
                                           {"XDG_DATA_HOME", aDir + "/data"},
                                           {"TESK_RESOURCES_DIR", kGeneratedSet},
                                           {"SDL_AUDIODRIVER", "dummy"},
                                           {"TESK_ALERTS", "stderr"}});
    const std::string aTitle = ChildProgram::WaitForLine(aStatus, "title", 0, 180.0);
    ASSERT_FALSE(aTitle.empty()) << "the title did not come";
    int x = 0, y = 0, w = 0, h = 0;
    int aShownX = 0, aShownY = 0, aShownW = 0, aShownH = 0;
    ASSERT_EQ(std::sscanf(aTitle.c_str(), "title %d %d %d %d shown %d %d %d %d", &x, &y, &w, &h, &aShownX,
                          &aShownY, &aShownW, &aShownH),
              8)
        << aTitle;
    // The 800 x 600 frame at 1.8 times, between bars of 240 pixels.
    EXPECT_EQ(aShownX, 240);
    EXPECT_EQ(aShownY, 0);
    EXPECT_EQ(aShownW, 1440);
    EXPECT_EQ(aShownH, 1080);
    EXPECT_EQ(XScreen::ReadScreenPixel(100, 540), 0u) << "the left bar is not black";
    EXPECT_EQ(XScreen::ReadScreenPixel(1819, 540), 0u) << "the right bar is not black";
    // The drawn wand is where the pointer rests (its tip on the pointer, the wand below to the
    // right), not in the frame's top left corner: moved over the left bar, the pointer takes the
    // wand to the frame's left edge, and only the box at the resting place changes.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    std::vector<uint32_t> aResting, aMoved;
    EXPECT_TRUE(KeepScreen(aDir + "/title-1920x1080.png", &aResting));
    EXPECT_EQ(std::system("xdotool mousemove 100 540 >/dev/null 2>&1"), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    EXPECT_TRUE(KeepScreen(aDir + "/title-moved-1920x1080.png", &aMoved));
    const int aBox = 80;
    EXPECT_GT(PixelsChanged(aResting, aMoved, aRestX, aRestY, aBox), aBox * aBox / 10)
        << "no wand where the pointer rests";
    EXPECT_LT(PixelsChanged(aResting, aMoved, aShownX, aShownY, aBox), aBox * aBox / 100)
        << "the wand was in the frame's corner";
    // The middle of the button, where the screen shows it.
    const int aScreenX = 240 + (2 * x + w) * 1440 / 1600, aScreenY = (2 * y + h) * 1080 / 1200;
    EXPECT_EQ(std::system(("xdotool mousemove " + std::to_string(aScreenX) + " " + std::to_string(aScreenY) +
                           " sleep 0.3 click 1 >/dev/null 2>&1")
                              .c_str()),
              0);
    EXPECT_EQ(ChildProgram::WaitForLine(aStatus, "popup", 0, 60.0),
              "popup " + std::to_string(static_cast<int>(Tesk::POPUP_DIFFICULTY)));
    std::this_thread::sleep_for(std::chrono::milliseconds(1200));  // the popup's fade
    EXPECT_TRUE(KeepScreen(aDir + "/difficulty-1920x1080.png"));
    EXPECT_TRUE(aGame.Ended(60.0)) << TeskTest::ReadFile(aStatus);
  }
  if (!aKeptDisplay.empty()) setenv("DISPLAY", aKeptDisplay.c_str(), 1);
}

}  // namespace

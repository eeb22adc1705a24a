// A screenshot reads the display's draw surface into the next numbered PNG file.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/display/DDImageTestSupport.h"
#include "app/DemoTimeLeft.h"
#include "app/TeskAppBase.h"
#include "resources/ImageLib.h"
#include "support/TestTemp.h"

using namespace DDImageTest;

namespace {

class ShotApp : public Tesk::TeskAppBase {
 public:
  ~ShotApp() override { mDDInterface = nullptr; }
};

}  // namespace

TEST(Screenshot, WritesTheDrawSurfaceAsTheNextNumberedPng) {
  const std::string aData = TeskTest::MakeTempDir("screenshot");
  const char* anOld = std::getenv("XDG_DATA_HOME");
  const std::string anOldValue = anOld != nullptr ? anOld : "";
  setenv("XDG_DATA_HOME", aData.c_str(), 1);
  const std::string aFolder = aData + "/_screenshots/";
  Tesk::MkDir(aFolder);
  for (const char* aName : {"image1.png", "image7.png", "imageX.png"}) {
    ASSERT_TRUE(TeskTest::WriteFile(aFolder + aName, "x"));
  }

  ShotApp anApp;
  TestDisplay aDisplay;
  DDImage aScreen(&aDisplay);
  SetPixels(aScreen, 5, 3,
            [](int x, int y) { return 0xFF000000u | static_cast<uint32_t>(x * 40 << 16 | y * 80); });
  ASSERT_TRUE(aScreen.GenerateDDSurface());
  DIRECTDRAWSURFACE3* aSurface = aScreen.GetSurface();
  aDisplay.mDrawSurface = aSurface;
  anApp.mDDInterface = &aDisplay;

  anApp.TakeScreenshot();

  EXPECT_EQ(aDisplay.mDrawSurface, aSurface);
  std::unique_ptr<ImageLib::Image> aShot(ImageLib::GetPNGImage(aFolder + "image8.png"));
  ASSERT_NE(aShot, nullptr);
  ASSERT_EQ(aShot->mWidth, 5);
  ASSERT_EQ(aShot->mHeight, 3);
  for (int y = 0; y < 3; ++y) {
    for (int x = 0; x < 5; ++x) {
      SCOPED_TRACE(std::to_string(x) + "," + std::to_string(y));
      EXPECT_EQ(aShot->mBits[y * 5 + x] & 0xFFFFFFu, static_cast<uint32_t>(x * 40 << 16 | y * 80));
    }
  }

  // Without a draw surface nothing is written.
  aDisplay.mDrawSurface = nullptr;
  anApp.TakeScreenshot();
  EXPECT_TRUE(TeskTest::ReadFile(aFolder + "image9.png").empty());
  aDisplay.mDrawSurface = aSurface;

  if (anOld != nullptr) {
    setenv("XDG_DATA_HOME", anOldValue.c_str(), 1);
  } else {
    unsetenv("XDG_DATA_HOME");
  }
}

TEST(DemoTimeLeft, ShowsTheRecordingsRemainingTime) {
  ShotApp anApp;
  TestDisplay aDisplay;
  anApp.mDDInterface = &aDisplay;
  anApp.mPlayingDemoBuffer = true;
  anApp.mFrameTime = 10;
  anApp.mDemoLength = 372500 + 40;
  anApp.mUpdateCount = 40;  // 3725 s left: 01:02:05
  anApp.CalculateDemoTimeLeft();
  ASSERT_NE(Tesk::gDemoTimeLeftImage, nullptr);
  DDImage& anImage = *Tesk::gDemoTimeLeftImage;
  EXPECT_EQ(anImage.mWidth, 50);
  const uint32_t* aBits = anImage.GetBits();
  ASSERT_NE(aBits, nullptr);
  int aLit = 0;
  for (int i = 0; i < anImage.mWidth * anImage.mHeight; ++i) aLit += (aBits[i] & 0xFFFFFF) != 0;
  EXPECT_GT(aLit, 20);
  // Within a second nothing is drawn again.
  std::vector<uint32_t> aFirst(aBits, aBits + anImage.mWidth * anImage.mHeight);
  anApp.mUpdateCount = 100000;
  anApp.CalculateDemoTimeLeft();
  aBits = anImage.GetBits();
  EXPECT_TRUE(std::equal(aFirst.begin(), aFirst.end(), aBits));
  Tesk::DeleteDemoTimeLeftImage();
  anApp.mDDInterface = nullptr;
}

// A screenshot reads the display's draw surface into the next numbered PNG file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "DDImageTestSupport.h"
#include "core/TeskAppBase.h"
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

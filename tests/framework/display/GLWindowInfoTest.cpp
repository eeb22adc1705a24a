#include <gtest/gtest.h>

#include "DisplayTestWindow.h"
#include "display/GLWindowInfo.h"

namespace {

const GLint k_Attributes[] = {AGL_RGBA,        AGL_ALL_RENDERERS, AGL_DOUBLEBUFFER,
                              AGL_ACCELERATED, AGL_NO_RECOVERY,   AGL_NONE};

structGLWindowInfo MainInfo(bool checkAllDevices) {
  structGLWindowInfo anInfo{};
  anInfo.acceleratedRequired = true;
  std::copy(std::begin(k_Attributes), std::end(k_Attributes), anInfo.attributes);
  anInfo.checkAllDevices = checkAllDevices;
  return anInfo;
}

CGTestDisplay Screen(int16_t theLeft, bool isAccelerated, bool isActive = true) {
  return CGTestDisplay{Rect{0, theLeft, 768, static_cast<int16_t>(theLeft + 1024)},
                       60,
                       true,
                       isActive,
                       {GDRenderer{isAccelerated, 64 << 20}}};
}

class GLWindowInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!DisplayTest::HasDisplay()) GTEST_SKIP() << "no display";
    mWindow = DisplayTest::MakeWindow(200, 100, 100, 100);
    ASSERT_NE(mWindow, nullptr);
  }
  void TearDown() override {
    CGTestSetDisplays({});
    if (mWindow != nullptr) DisposeWindow(mWindow);
  }
  WindowRef mWindow = nullptr;
};

TEST_F(GLWindowInfoTest, BuildsAndDestroysAContextOnTheWindow) {
  CGTestSetDisplays({Screen(0, true)});
  structGLWindowInfo anInfo = MainInfo(true);
  AGLContext aContext = nullptr;
  EXPECT_EQ(BuildGLFromWindow(mWindow, &aContext, &anInfo, nullptr), 0);
  ASSERT_NE(aContext, nullptr);
  EXPECT_EQ(aglGetCurrentContext(), aContext);
  EXPECT_EQ(anInfo.videoMemoryNeeded, 64 << 20);  // the qualifying memory found
  EXPECT_EQ(DestroyGLFromWindow(&aContext, &anInfo), 0);
  EXPECT_EQ(aContext, nullptr);
  EXPECT_EQ(anInfo.pixelFormat, nullptr);
  EXPECT_EQ(aglLiveContextCount(), 0);
}

TEST_F(GLWindowInfoTest, FailuresAreReportedWithTheirTexts) {
  struct Case {
    const char* mText;
    std::vector<CGTestDisplay> mScreens;
    bool mCheckAll;
    void (*mArrange)();
  };
  const Case kCases[] = {
      {"Renderer check failed\n", {Screen(0, false)}, true, nullptr},
      {"Renderer check failed\n", {Screen(0, false)}, false, nullptr},
      {"Unable to accelerate window that spans multiple devices\n",
       {Screen(-824, true), Screen(200, true)},
       false,
       nullptr},
      {"Could not find valid pixel format\n", {Screen(0, true)}, true, aglTestFailNextPixelFormat},
      {"Could not create context\n", {Screen(0, true)}, true, aglTestFailNextContext},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mText);
    CGTestSetDisplays(c.mScreens);
    if (c.mArrange != nullptr) c.mArrange();
    structGLWindowInfo anInfo = MainInfo(c.mCheckAll);
    AGLContext aContext = nullptr;
    int aBeeps = CarbonBeepCount();
    EXPECT_EQ(BuildGLFromWindow(mWindow, &aContext, &anInfo, nullptr), 0);
    EXPECT_EQ(aContext, nullptr);
    if (aContext != nullptr) DestroyGLFromWindow(&aContext, &anInfo);
    EXPECT_EQ(CarbonLastDebugStr(), c.mText);
    EXPECT_GT(CarbonBeepCount(), aBeeps);
    if (anInfo.pixelFormat != nullptr) aglDestroyPixelFormat(anInfo.pixelFormat);
  }
  structGLWindowInfo anInfo = MainInfo(true);
  AGLContext aContext = nullptr;
  EXPECT_EQ(BuildGLFromWindow(nullptr, &aContext, &anInfo, nullptr), -50);
  EXPECT_EQ(CarbonLastDebugStr(), "NULL parameter passed to BuildGLonDrawable.\n");
  EXPECT_EQ(DestroyGLFromWindow(&aContext, &anInfo), -50);
}

TEST_F(GLWindowInfoTest, RefusedShareIsRetriedWithoutSharing) {
  CGTestSetDisplays({Screen(0, true)});
  structGLWindowInfo aFirstInfo = MainInfo(true);
  AGLContext aFirst = nullptr;
  BuildGLFromWindow(mWindow, &aFirst, &aFirstInfo, nullptr);
  ASSERT_NE(aFirst, nullptr);
  aglTestRefuseNextShare();
  structGLWindowInfo anInfo = MainInfo(true);
  AGLContext aContext = nullptr;
  EXPECT_EQ(BuildGLFromWindow(mWindow, &aContext, &anInfo, aFirst), 0);
  EXPECT_NE(aContext, nullptr);
  DestroyGLFromWindow(&aContext, &anInfo);
  DestroyGLFromWindow(&aFirst, &aFirstInfo);
}

TEST_F(GLWindowInfoTest, ScreensAreCountedAndInactiveOnesWalkedPast) {
  CGTestSetDisplays({Screen(-800, true, false), Screen(-800, true), Screen(224, true), Screen(3000, true)});
  GDHandle aDevice = nullptr;
  EXPECT_EQ(FindGDHandleFromWindow(mWindow, &aDevice), 2);
  ASSERT_NE(aDevice, nullptr);
  EXPECT_EQ((*aDevice)->gdRect.left, -800);
  EXPECT_TRUE(TestDeviceAttribute(aDevice, screenActive));  // the window lies mostly on it
  int32_t aVideo = 0, aTexture = 0, aScratch = 0;
  EXPECT_TRUE(CheckAllDeviceRenderers(&aVideo, &aTexture, &aScratch, true));
  EXPECT_EQ(aVideo, 64 << 20);
  EXPECT_EQ(FindGDHandleFromWindow(nullptr, &aDevice), 0);
}

TEST(CheckRendererTest, PicksTheLargestQualifyingRenderer) {
  CGTestDisplay aScreen{Rect{0, 0, 768, 1024},
                        60,
                        true,
                        true,
                        {GDRenderer{false, 900}, GDRenderer{true, 300}, GDRenderer{true, 500}}};
  CGTestSetDisplays({aScreen});
  int32_t aVideo = 100, aTexture = 100, aScratch = 0;
  EXPECT_TRUE(CheckRenderer(GetMainDevice(), &aVideo, &aTexture, &aScratch, true));
  EXPECT_EQ(aVideo, 500);  // the unaccelerated one is no candidate while accelerated ones exist
  aVideo = 600;
  EXPECT_FALSE(CheckRenderer(GetMainDevice(), &aVideo, &aTexture, &aScratch, true));
  CGTestSetDisplays({});
}

}  // namespace

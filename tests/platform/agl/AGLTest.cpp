#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "platform/agl/AGL.h"

namespace {

const GLint k_Attributes[] = {AGL_RGBA,        AGL_ALL_RENDERERS, AGL_DOUBLEBUFFER,
                              AGL_ACCELERATED, AGL_NO_RECOVERY,   AGL_NONE};

class AGLTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no display";
    CGTestSetDisplays({});
    Rect aBounds{0, 0, 120, 160};
    ASSERT_EQ(CreateNewWindow(kDocumentWindowClass, 0, &aBounds, &mWindow), noErr);
    ShowWindow(mWindow);
  }
  void TearDown() override {
    aglSetCurrentContext(nullptr);
    DisposeWindow(mWindow);
  }
  WindowRef mWindow = nullptr;
};

TEST_F(AGLTest, ContextIsMadeClearedReadBackAndSwapped) {
  AGLPixelFormat aFormat = aglChoosePixelFormat(nullptr, 0, k_Attributes);
  ASSERT_NE(aFormat, nullptr);
  AGLContext aContext = aglCreateContext(aFormat, nullptr);
  ASSERT_NE(aContext, nullptr);
  EXPECT_EQ(aglLiveContextCount(), 1);
  aglDestroyPixelFormat(aFormat);
  ASSERT_TRUE(aglSetDrawable(aContext, GetWindowPort(mWindow)));
  ASSERT_TRUE(aglSetCurrentContext(aContext));
  EXPECT_EQ(aglGetCurrentContext(), aContext);
  glClearColor(0.2f, 0.4f, 0.6f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT);
  unsigned char aPixel[4] = {0, 0, 0, 0};
  glReadPixels(10, 10, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, aPixel);
  EXPECT_NEAR(aPixel[0], 51, 1);
  EXPECT_NEAR(aPixel[1], 102, 1);
  EXPECT_NEAR(aPixel[2], 153, 1);
  aglSwapBuffers(aContext);
  EXPECT_EQ(aglGetError(), static_cast<GLenum>(AGL_NO_ERROR));
  EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
  // Rectangle textures, the texture format of every surface, are there.
  const char* anExtensions = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
  ASSERT_NE(anExtensions, nullptr);
  EXPECT_NE(std::string(anExtensions).find("GL_ARB_texture_rectangle"), std::string::npos);
  EXPECT_TRUE(aglDestroyContext(aContext));
  EXPECT_EQ(aglLiveContextCount(), 0);
  EXPECT_EQ(aglGetCurrentContext(), nullptr);
}

TEST_F(AGLTest, ContextsShareTexturesWithEachOther) {
  AGLPixelFormat aFormat = aglChoosePixelFormat(nullptr, 0, k_Attributes);
  AGLContext aFirst = aglCreateContext(aFormat, nullptr);
  AGLContext aSecond = aglCreateContext(aFormat, aFirst);
  aglDestroyPixelFormat(aFormat);
  ASSERT_NE(aFirst, nullptr);
  ASSERT_NE(aSecond, nullptr);
  aglSetDrawable(aFirst, GetWindowPort(mWindow));
  aglSetDrawable(aSecond, GetWindowPort(mWindow));
  aglSetCurrentContext(aFirst);
  GLuint aName = 0;
  glGenTextures(1, &aName);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, aName);
  aglSetCurrentContext(aSecond);
  EXPECT_TRUE(glIsTexture(aName));
  glDeleteTextures(1, &aName);
  aglDestroyContext(aSecond);
  aglDestroyContext(aFirst);
}

TEST_F(AGLTest, OtherThreadsCannotMakeAContextCurrent) {
  AGLPixelFormat aFormat = aglChoosePixelFormat(nullptr, 0, k_Attributes);
  AGLContext aContext = aglCreateContext(aFormat, nullptr);
  aglDestroyPixelFormat(aFormat);
  ASSERT_NE(aContext, nullptr);
  GLboolean aMadeCurrent = GL_TRUE;
  GLenum anError = AGL_NO_ERROR;
  std::thread([&] {
    aMadeCurrent = aglSetCurrentContext(aContext);
    anError = aglGetError();
  }).join();
  EXPECT_EQ(aMadeCurrent, GL_FALSE);
  EXPECT_EQ(anError, static_cast<GLenum>(AGL_BAD_CONTEXT));
  EXPECT_TRUE(aglIsGLThread());
  aglDestroyContext(aContext);
}

TEST_F(AGLTest, RefusedShareReportsBadMatch) {
  AGLPixelFormat aFormat = aglChoosePixelFormat(nullptr, 0, k_Attributes);
  AGLContext aFirst = aglCreateContext(aFormat, nullptr);
  aglTestRefuseNextShare();
  EXPECT_EQ(aglCreateContext(aFormat, aFirst), nullptr);
  EXPECT_EQ(aglGetError(), static_cast<GLenum>(AGL_BAD_MATCH));
  aglDestroyPixelFormat(aFormat);
  aglDestroyContext(aFirst);
}

TEST(AGLRendererTest, AcceleratedFormatNeedsAnAcceleratedRenderer) {
  CGTestDisplay aScreen{Rect{0, 0, 768, 1024}, 60, true, true, {GDRenderer{false, 1 << 20}}};
  CGTestSetDisplays({aScreen});
  EXPECT_EQ(aglChoosePixelFormat(nullptr, 0, k_Attributes), nullptr);
  EXPECT_EQ(aglGetError(), static_cast<GLenum>(AGL_BAD_PIXELFMT));
  CGTestSetDisplays({});
}

TEST(AGLRendererTest, RenderersDescribeTheScriptedScreen) {
  CGTestDisplay aScreen{
      Rect{0, 0, 768, 1024}, 60, true, true, {GDRenderer{false, 1000}, GDRenderer{true, 2000}}};
  CGTestSetDisplays({aScreen});
  GDHandle aDevice = GetMainDevice();
  AGLRendererInfo anInfo = aglQueryRendererInfo(&aDevice, 1);
  ASSERT_NE(anInfo, nullptr);
  GLint aValue = -1;
  EXPECT_TRUE(aglDescribeRenderer(anInfo, AGL_ACCELERATED, &aValue));
  EXPECT_EQ(aValue, GL_FALSE);
  AGLRendererInfo aNext = aglNextRendererInfo(anInfo);
  ASSERT_NE(aNext, nullptr);
  EXPECT_TRUE(aglDescribeRenderer(aNext, AGL_VIDEO_MEMORY, &aValue));
  EXPECT_EQ(aValue, 2000);
  EXPECT_EQ(aglNextRendererInfo(aNext), nullptr);
  aglDestroyRendererInfo(anInfo);
  CGTestSetDisplays({});
}

}  // namespace

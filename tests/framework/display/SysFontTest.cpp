// System fonts: metrics by point size, measured widths against drawn text, clipping, and the
// destinations they can draw into.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "DDImageTestSupport.h"
#include "DisplayTestWindow.h"
#include "ImageWriters.h"
#include "graphics/Graphics.h"
#include "graphics/SysFont.h"

using namespace DDImageTest;

namespace {

constexpr uint32_t k_Paper = 0xFFFFFFFFu;

class SysFontTest : public ::testing::Test {
 protected:
  // A display buffer of theWidth x theHeight, white, wrapped in a surface image.
  std::unique_ptr<DDImage> MakeScreen(int theWidth, int theHeight) {
    DIRECTDRAWSURFACE3* aSurface = mDisplay.MakeSurface(theWidth, theHeight);
    std::fill(aSurface->GetMemory(), aSurface->GetMemory() + theWidth * theHeight, k_Paper);
    auto anImage = std::make_unique<DDImage>(&mDisplay);
    anImage->SetSurface(aSurface);
    anImage->SetImageMode(false, false);
    return anImage;
  }
  static TRect<int> InkBounds(DDImage& theImage) {
    const uint32_t* aPixels = theImage.mSurface->GetMemory();
    int aLeft = theImage.mWidth, aTop = theImage.mHeight, aRight = -1, aBottom = -1;
    for (int y = 0; y < theImage.mHeight; ++y)
      for (int x = 0; x < theImage.mWidth; ++x)
        if (aPixels[y * theImage.mWidth + x] != k_Paper) {
          aLeft = std::min(aLeft, x);
          aRight = std::max(aRight, x);
          aTop = std::min(aTop, y);
          aBottom = std::max(aBottom, y);
        }
    return aRight < 0 ? TRect<int>() : TRect<int>(aLeft, aTop, aRight - aLeft + 1, aBottom - aTop + 1);
  }

  TestDisplay mDisplay;
};

}  // namespace

TEST_F(SysFontTest, MetricsAndWidthsFollowThePointSize) {
  SysFont aSmall(nullptr, "Tahoma", 8, 0), aLarge(nullptr, "Tahoma", 20, 0);
  EXPECT_GT(aSmall.mAscent, 0);
  EXPECT_GT(aLarge.mAscent, aSmall.mAscent * 2);
  EXPECT_GT(aLarge.GetHeight(), aSmall.GetHeight() * 2);
  EXPECT_EQ(aSmall.GetDescent(), aSmall.mHeight - aSmall.mAscent);
  const TeskString aText = L"Tahoma at eight points";
  EXPECT_GT(aSmall.StringWidth(aText), 0);
  EXPECT_GT(aLarge.StringWidth(aText), aSmall.StringWidth(aText) * 2);
  // No kerning: a character's width is the width of its one-character string, whatever came before.
  EXPECT_EQ(aLarge.CharWidthKern(L'V', L'A'), aLarge.StringWidth(L"V"));
  EXPECT_EQ(aLarge.CharWidth(L'i'), aLarge.StringWidth(L"i"));
}

TEST_F(SysFontTest, StylesPickTheirFaces) {
  SysFont aPlain(nullptr, "Arial", 16, 0), aBold(nullptr, "Arial", 16, 0, true);
  SysFont aMono(nullptr, "Courier New", 16, 0);
  EXPECT_GT(aBold.StringWidth(L"Width"), aPlain.StringWidth(L"Width"));
  EXPECT_EQ(aMono.StringWidth(L"iiii"), aMono.StringWidth(L"WWWW"));
  EXPECT_NE(aPlain.mFontFamily, aMono.mFontFamily);
}

TEST_F(SysFontTest, DrawnTextAdvancesByItsMeasuredWidth) {
  for (int aSize : {8, 20}) {
    SCOPED_TRACE(aSize);
    SysFont aFont(nullptr, "Arial", aSize, 0);
    std::unique_ptr<DDImage> aWhole = MakeScreen(300, 40), aParts = MakeScreen(300, 40);
    Graphics gWhole(aWhole.get()), gParts(aParts.get());
    gWhole.SetFont(&aFont);
    gParts.SetFont(&aFont);
    gWhole.SetColor(Color(0, 0, 0));
    gParts.SetColor(Color(0, 0, 0));
    gWhole.DrawString(L"Measured, then drawn", 5, 30);
    gParts.DrawString(L"Measured, ", 5, 30);
    gParts.DrawString(L"then drawn", 5 + aFont.StringWidth(L"Measured, "), 30);
    const uint32_t* a = aWhole->mSurface->GetMemory();
    const uint32_t* b = aParts->mSurface->GetMemory();
    EXPECT_TRUE(std::equal(a, a + 300 * 40, b));
    TRect<int> anInk = InkBounds(*aWhole);
    EXPECT_GE(anInk.mX, 4);
    EXPECT_LE(anInk.mX + anInk.mWidth, 5 + aFont.StringWidth(L"Measured, then drawn") + 1);
    EXPECT_LE(anInk.mY + anInk.mHeight, 30 + aFont.GetDescent() + 1);
    EXPECT_GE(anInk.mY, 30 - aFont.GetAscent() - 1);
  }
}

TEST_F(SysFontTest, TextStaysInsideTheClipAndFollowsTheTranslation) {
  SysFont aFont(nullptr, "Times", 18, 0);
  std::unique_ptr<DDImage> aScreen = MakeScreen(200, 50);
  Graphics g(aScreen.get());
  g.SetFont(&aFont);
  g.SetColor(Color(0, 0, 255));
  g.Translate(20, 5);
  g.ClipRect(10, 0, 40, 40);  // destination columns 30 to 69, rows 5 to 44
  g.DrawString(L"WWWWWWWWWWWWWW", -30, 25);
  TRect<int> anInk = InkBounds(*aScreen);
  ASSERT_GT(anInk.mWidth, 0);
  EXPECT_GE(anInk.mX, 30);
  EXPECT_LE(anInk.mX + anInk.mWidth, 70);
  EXPECT_GE(anInk.mY, 5);
  EXPECT_LE(anInk.mY + anInk.mHeight, 45);
}

TEST_F(SysFontTest, OnlyDisplaySurfaceImagesTakeText) {
  SysFont aFont(nullptr, "Arial", 12, 0);
  MemoryImage aMemory(nullptr);
  SetPixels(aMemory, 20, 20, [](int, int) { return k_Paper; });
  Graphics g(&aMemory);
  g.SetFont(&aFont);
  g.DrawString(L"x", 2, 15);
  for (int i = 0; i < 400; ++i) EXPECT_EQ(aMemory.GetBits()[i], k_Paper);
  // A surface image's memory copy goes: the surface now holds the picture.
  DDImage anImage(&mDisplay);
  SetPixels(anImage, 20, 20, [](int, int) { return k_Paper; });
  Graphics g2(&anImage);
  g2.SetFont(&aFont);
  g2.SetColor(Color(0, 0, 0));
  g2.DrawString(L"x", 2, 15);
  EXPECT_FALSE(anImage.mBits);
  const uint32_t* aBack = anImage.GetBits();
  EXPECT_NE(std::count(aBack, aBack + 400, k_Paper), 400);
}

TEST_F(SysFontTest, CopiesKeepFaceSizeAndMetrics) {
  SysFont aFont(nullptr, "Courier", 14, 0, true, false, true);
  aFont.mDrawShadow = true;
  std::unique_ptr<Font> aCopy(aFont.Duplicate());
  SysFont* aSys = dynamic_cast<SysFont*>(aCopy.get());
  ASSERT_NE(aSys, nullptr);
  EXPECT_EQ(aSys->mFontFamily, aFont.mFontFamily);
  EXPECT_EQ(aSys->mSize, 14);
  EXPECT_TRUE(aSys->mBold);
  EXPECT_TRUE(aSys->mUnderline);
  EXPECT_FALSE(aSys->mDrawShadow);
  EXPECT_EQ(aSys->mAscent, aFont.mAscent);
  EXPECT_EQ(aSys->StringWidth(L"abc"), aFont.StringWidth(L"abc"));
}

TEST_F(SysFontTest, WritesASampleSheet) {
  struct Line {
    const char* mFace;
    int mSize;
    bool mBold, mItalic, mUnderline;
    Color mColor;
  };
  const Line kLines[] = {
      {"Tahoma", 8, false, false, false, Color(0, 0, 0)},
      {"Arial", 12, false, false, false, Color(0, 0, 0)},
      {"Arial", 20, true, false, false, Color(160, 0, 0)},
      {"Times", 20, false, true, false, Color(0, 90, 0)},
      {"Courier New", 16, false, false, true, Color(0, 0, 160)},
  };
  std::unique_ptr<DDImage> aScreen = MakeScreen(420, 130);
  Graphics g(aScreen.get());
  int y = 4;
  for (const Line& l : kLines) {
    SysFont aFont(nullptr, l.mFace, l.mSize, 0, l.mBold, l.mItalic, l.mUnderline);
    y += aFont.GetAscent();
    g.SetFont(&aFont);
    g.SetColor(l.mColor);
    g.DrawString(StringToTeskString(std::string(l.mFace) + " " + std::to_string(l.mSize) +
                                    ": The quick brown fox jumps over the lazy dog"),
                 6, y);
    y += aFont.GetDescent() + 4;
  }
  const std::string aPath = std::string(TESK_TEST_BINARY_DIR) + "/sysfont_sample.png";
  ASSERT_TRUE(TeskTools::WritePngFile(aPath, 420, 130, aScreen->mSurface->GetMemory()));
  EXPECT_GT(InkBounds(*aScreen).mHeight, 80);
}

TEST_F(SysFontTest, OnThe3DDrawSurfaceTextGoesThroughTheDevice) {
  RecordingD3D* aD3D = new RecordingD3D();
  mDisplay.mD3DInterface.reset(aD3D);
  mDisplay.mIs3D = true;
  mDisplay.mDrawSurface = mDisplay.MakeSurface(100, 40);
  DDImage aScreen(&mDisplay);
  aScreen.SetSurface(mDisplay.mDrawSurface);
  SysFont aFont(nullptr, "Arial", 14, 0);
  Graphics g(&aScreen);
  g.SetFont(&aFont);
  g.SetColor(Color(255, 0, 0));
  g.ClipRect(0, 0, 60, 40);
  g.DrawString(L"Hello", 10, 25);
  ASSERT_EQ(aD3D->mCalls.size(), 1u);
  EXPECT_EQ(aD3D->mCalls[0], "Blt");
  EXPECT_LE(aD3D->mLastBlt.mX + aD3D->mLastBlt.mWidth, 60);
  EXPECT_GT(aD3D->mLastBlt.mWidth, aFont.StringWidth(L"Hello") / 2);
}

// The same draw on the real device, in a window: the scratch image that carries the text
// lives only during the draw, so the device must not keep its textures, or the image in its
// set (which a later clean-up would read after the image is gone).
TEST(SysFontOnTheDevice, TextLeavesNoTextureOrImageBehind) {
  if (!DisplayTest::HasDisplay()) GTEST_SKIP() << "no display";
  constexpr int k_W = 200, k_H = 60;
  CGTestSetDisplays({CGTestDisplay{::Rect{0, 0, 768, 1024}, 60, true, true, {CGDefaultRenderer()}}});
  WindowRef aWindow = DisplayTest::MakeWindow(k_W, k_H);
  ASSERT_NE(aWindow, nullptr);
  {
    DDInterface aDisplay(nullptr);
    aDisplay.mAppView.mWidth = k_W;
    aDisplay.mAppView.mHeight = k_H;
    aDisplay.mIs3D = true;
    ASSERT_EQ(aDisplay.Init(aWindow, true), RESULT_OK);
    ASSERT_TRUE(DDImage::Check3D(aDisplay.GetScreenImage()));
    const int aTextures = DIRECTDRAWSURFACE3::LiveTextureCount();
    SysFont aFont(nullptr, "Arial", 24, 0);
    Graphics g(aDisplay.GetScreenImage());
    g.SetFont(&aFont);
    g.SetColor(Color(255, 0, 0));
    for (int i = 0; i < 3; ++i) g.DrawString(L"Hello", 10, 40);
    EXPECT_TRUE(aDisplay.mD3DInterface->mImageSet.empty());
    EXPECT_EQ(DIRECTDRAWSURFACE3::LiveTextureCount(), aTextures);
    int aRed = 0;
    for (int y = 10; y < 50; ++y)
      for (int x = 10; x < 80; ++x)
        aRed += DisplayTest::NearColor(DisplayTest::ReadPixel(x, y, k_H), 0xFF0000, 40);
    EXPECT_GT(aRed, 20);
    aDisplay.Cleanup();
  }
  DIRECTDRAW2::RestoreDisplayMode();
  CGTestSetDisplays({});
  DisposeWindow(aWindow);
}

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ImageWriters.h"
#include "app/TeskAppBase.h"
#include "display/DDImage.h"
#include "framework/display/DDImageTestSupport.h"
#include "game/play/Math.h"
#include "graphics/DrawMode.h"
#include "graphics/Graphics.h"
#include "graphics/MemoryImage.h"
#include "resources/ImageLib.h"
#include "support/TestTemp.h"

using namespace Tesk;

TEST(MathTest, PointTestExcludesTheRightAndBottomEdges) {
  struct Case {
    int mPx, mPy;
    bool mInside;
  };
  // Box at (10, 20), 5 wide, 3 high.
  const Case k_cases[] = {
      {10, 20, true},   // top-left corner
      {14, 22, true},   // last pixel
      {15, 20, false},  // x + w
      {10, 23, false},  // y + h
      {9, 21, false},  {12, 19, false}, {12, 21, true},
  };
  for (const Case& c : k_cases)
    EXPECT_EQ(MATH::BBPointTest(c.mPx, c.mPy, 10, 20, 5, 3), c.mInside) << c.mPx << "," << c.mPy;
  EXPECT_FALSE(MATH::BBPointTest(0, 0, 0, 0, 0, 0));  // an empty box holds nothing
}

TEST(MathTest, BlendWeighsTheFirstValueByT) {
  EXPECT_EQ(MATH::Blend(10.0f, 2.0f, 1.0f), 10.0f);
  EXPECT_EQ(MATH::Blend(10.0f, 2.0f, 0.0f), 2.0f);
  EXPECT_EQ(MATH::Blend(10.0f, 2.0f, 0.25f), 4.0f);
}

namespace {

// A 10 x 3 object whose outer columns are transparent: its palette gives entry 0 alpha 0,
// entry 1 alpha 128 and entry 2 alpha 255.
TeskTools::BlockImage MarginedObject() {
  TeskTools::BlockImage anImage;
  anImage.mWidth = 10;
  anImage.mHeight = 3;
  anImage.mPalette = {0x00FF00FF, 0x80FF0000, 0xFF00FF00};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 10; ++x) anImage.mIndices.push_back(x == 0 || x == 9 ? 0 : (y == 1 ? 2 : 1));
  return anImage;
}

struct AlphaCase {
  int mX, mY, mAlpha;
  const char* mWhat;
};
const AlphaCase k_alphaCases[] = {
    {0, 0, 0, "transparent margin, first pixel"},
    {9, 1, 0, "transparent margin, right column"},
    {1, 0, 128, "half-transparent body"},
    {4, 1, 255, "opaque middle row"},
    {-1, 1, 0, "x -1 of row 1 is pixel 9 of row 0: the margin"},
    {10, 0, 0, "x 10 of row 0 is pixel 0 of row 1: the margin"},
    {11, 0, 255, "x 11 of row 0 is pixel 1 of row 1"},
    {-1, 0, 0, "before the first pixel"},
    {0, 3, 0, "past the last row"},
    {9, 2, 0, "last pixel"},
};

void ExpectAlphas(Image* theImage) {
  for (const AlphaCase& c : k_alphaCases)
    EXPECT_EQ(MATH::BBImageTest(c.mX, c.mY, theImage), c.mAlpha) << c.mWhat;
}

}  // namespace

TEST(MathTest, ImageTestReadsThePaletteEntryOfThePixel) {
  const TeskTools::BlockImage anObject = MarginedObject();
  MemoryImage anImage;
  anImage.SetBits(anObject.mWidth, anObject.mHeight, new uint32_t[256](), new uint8_t[30]);
  std::copy(anObject.mPalette.begin(), anObject.mPalette.end(), anImage.mPalette.get());
  std::copy(anObject.mIndices.begin(), anObject.mIndices.end(), anImage.mPaletteIndices.get());
  ExpectAlphas(&anImage);
}

TEST(MathTest, ImageTestOfOtherImages) {
  MemoryImage aPixels;
  const uint32_t aBits[4] = {0x00000000, 0x7F000000, 0xFF123456, 0x01000000};
  aPixels.SetBits(aBits, 2, 2);
  EXPECT_EQ(MATH::BBImageTest(1, 0, &aPixels), 0x7F);  // 32-bit pixels answer their own alpha
  EXPECT_EQ(MATH::BBImageTest(0, 1, &aPixels), 0xFF);
  MemoryImage anEmpty;
  anEmpty.Create(4, 4);  // no pixels yet: nothing to hit
  EXPECT_EQ(MATH::BBImageTest(1, 1, &anEmpty), 0);
  EXPECT_EQ(MATH::BBImageTest(1, 1, nullptr), 0);
}

// Block file -> decoded image -> the application's display image -> drawn on screens in
// memory and on a display surface: the image keeps its palette and indices all the way, so
// clicks test the palette alpha.
TEST(MathTest, ImagesFromABlockKeepTheirPaletteThroughDrawing) {
  const std::string aDir = TeskTest::MakeTempDir("bbimage");
  ASSERT_TRUE(TeskTools::WriteBytes(aDir + "/object.tgab", TeskTools::ImageBlockBytes({MarginedObject()})));
  ImageLib::Image* aDecoded[1] = {};
  ASSERT_EQ(ImageLib::GetImageBlock(aDir + "/object.tgab", aDecoded, 1), 1);
  std::unique_ptr<ImageLib::Image> anOwner(aDecoded[0]);
  TeskAppBase anApp;
  auto* aDisplay = new DDImageTest::TestDisplay();
  anApp.mDDInterface = aDisplay;  // the application deletes it
  std::unique_ptr<Image> anImage(anApp.GetImage(aDecoded[0], true));
  ASSERT_NE(anImage, nullptr);
  ExpectAlphas(anImage.get());

  // Opaque black screens: the display one then draws through its surface.
  const std::vector<uint32_t> aBlack(40 * 20, 0xFF000000);
  MemoryImage aScreen;
  aScreen.SetBits(aBlack.data(), 40, 20);
  DDImage aSurfaceScreen(aDisplay);
  aSurfaceScreen.SetBits(aBlack.data(), 40, 20);
  DDImage aDetachedScreen(nullptr);
  aDetachedScreen.SetBits(aBlack.data(), 40, 20);
  for (Image* aDest : {static_cast<Image*>(&aScreen), static_cast<Image*>(&aSurfaceScreen),
                       static_cast<Image*>(&aDetachedScreen)}) {
    Graphics g(aDest);
    g.DrawImage(anImage.get(), 3, 4);
    g.DrawImageMirror(anImage.get(), 20, 0);
    g.SetColorizeImages(true);
    g.SetColor(Color(255, 255, 255, 100));
    g.DrawImage(anImage.get(), 20, 4);
    g.SetDrawMode(DRAWMODE_ADDITIVE);
    g.DrawImage(anImage.get(), TRect<int>(0, 10, 20, 6), TRect<int>(0, 0, 10, 3));
  }
  EXPECT_NE(aSurfaceScreen.mSurface, nullptr);  // that screen drew through its surface
  // The opaque middle pixel landed on each screen, and the clear margin did not.
  for (MemoryImage* aDest : {static_cast<MemoryImage*>(&aScreen), static_cast<MemoryImage*>(&aSurfaceScreen),
                             static_cast<MemoryImage*>(&aDetachedScreen)}) {
    EXPECT_GE(aDest->GetBits()[5 * 40 + 3 + 4] >> 8 & 0xFF, 0xFDu);
    EXPECT_EQ(aDest->GetBits()[5 * 40 + 3] & 0xFFFFFF, 0u);
  }
  auto* aMemory = dynamic_cast<MemoryImage*>(anImage.get());
  ASSERT_NE(aMemory, nullptr);
  EXPECT_NE(aMemory->mPalette, nullptr);
  EXPECT_NE(aMemory->mPaletteIndices, nullptr);
  EXPECT_EQ(aMemory->mBits, nullptr);
  ExpectAlphas(anImage.get());
}

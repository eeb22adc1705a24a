// Moving a display-surface image's picture between its memory pixels and its surface: surface
// generation with colour keys, read-back, lock nesting, purging and the display's own images.
#include <gtest/gtest.h>

#include "DDImageTestSupport.h"

using namespace DDImageTest;

namespace {

class DDImageSurfaceTest : public ::testing::Test {
 protected:
  TestDisplay mDisplay;
};

}  // namespace

TEST_F(DDImageSurfaceTest, OpaqueImageGetsASurfaceWithoutKey) {
  DDImage anImage(&mDisplay);
  SetPixels(anImage, 3, 2, [](int x, int y) { return 0xFF000000u | uint32_t(x << 16 | y << 8 | 7); });
  ASSERT_NE(anImage.GetSurface(), nullptr);
  EXPECT_TRUE(anImage.mWantSurface);
  EXPECT_FALSE(anImage.mBorrowedSurface);
  const uint32_t* aMemory = anImage.mSurface->GetMemory();
  EXPECT_EQ(aMemory[1 * 3 + 2], 0xFF020107u);
  // Drawn on the surface, the picture reads back from it with opaque alpha.
  anImage.DeleteAllNonSurfaceData();
  EXPECT_FALSE(anImage.mBits);
  EXPECT_EQ(anImage.GetBits()[1 * 3 + 2], 0xFF020107u);
}

TEST_F(DDImageSurfaceTest, TransparentPixelsTakeAKeyThatNoVisiblePixelUses) {
  struct Case {
    const char* mName;
    uint32_t mPixels[4];
    uint32_t mKey;
  };
  const Case kCases[] = {
      {"first transparent word is the key",
       {0xFF000000u, 0x00ABCDEFu, 0x00000001u, 0xFFFFFFFFu},
       0x00ABCDEFu},
      // The transparent colour is also visible: the lowest unused colour, 0, takes its place.
      {"collision picks the lowest free colour", {0x00123456u, 0xFF123456u, 0x00000000u, 0xFF010101u}, 0},
      // Black is visible too, so the key moves past it.
      {"collision past black", {0x00123456u, 0xFF123456u, 0xFF000000u, 0xFF000002u}, 1},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    DDImage anImage(&mDisplay);
    SetPixels(anImage, 2, 2, [&](int x, int y) { return c.mPixels[y * 2 + x]; });
    ASSERT_NE(anImage.GetSurface(), nullptr);
    const uint32_t* aMemory = anImage.mSurface->GetMemory();
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(aMemory[i], (c.mPixels[i] >> 24) == 0 ? c.mKey : (c.mPixels[i] | 0xFF000000u)) << i;
    // A keyed copy shows exactly the opaque pixels.
    DDImage aDest(&mDisplay);
    SetPixels(aDest, 2, 2, [](int, int) { return 0xFF808080u; });
    aDest.Blt(&anImage, 0, 0, TRect<int>(0, 0, 2, 2), Color::White, 0);
    for (int i = 0; i < 4; ++i)
      EXPECT_EQ(aDest.GetBits()[i], (c.mPixels[i] >> 24) == 0 ? 0xFF808080u : c.mPixels[i]) << i;
    // Reading back keeps the transparent pixels transparent.
    anImage.DeleteAllNonSurfaceData();
    const uint32_t* aBack = anImage.GetBits();
    for (int i = 0; i < 4; ++i) EXPECT_EQ(aBack[i] >> 24, (c.mPixels[i] >> 24) == 0 ? 0u : 255u) << i;
  }
}

TEST_F(DDImageSurfaceTest, PartialAlphaNeverGetsASurface) {
  DDImage anImage(&mDisplay);
  SetPixels(anImage, 2, 1, [](int x, int) { return x == 0 ? 0x80FFFFFFu : 0xFF000000u; });
  EXPECT_EQ(anImage.GetSurface(), nullptr);
  EXPECT_EQ(anImage.GetSurface(), nullptr);
  EXPECT_FALSE(anImage.LockSurface());
  EXPECT_EQ(anImage.mLockCount, 0);
  EXPECT_TRUE(anImage.mBits);
}

TEST_F(DDImageSurfaceTest, LocksNestAndOnlyTheOutermostTouchesTheSurface) {
  TestSurfaceImage anImage(&mDisplay, 4, 4, k_Format888);
  ASSERT_NE(anImage.GetSurface(), nullptr);
  const int aLocks = anImage.mSurfaceLocks, anUnlocks = anImage.mSurfaceUnlocks;
  ASSERT_TRUE(anImage.LockSurface());
  ASSERT_TRUE(anImage.LockSurface());
  EXPECT_EQ(anImage.mSurfaceLocks, aLocks + 1);
  anImage.UnlockSurface();
  EXPECT_EQ(anImage.mSurfaceUnlocks, anUnlocks);
  anImage.UnlockSurface();
  EXPECT_EQ(anImage.mSurfaceUnlocks, anUnlocks + 1);
  EXPECT_EQ(anImage.mLockCount, 0);

  DDImage aReal(&mDisplay);
  SetPixels(aReal, 2, 2, [](int, int) { return 0xFF000000u; });
  for (int i = 0; i < 7; ++i) ASSERT_TRUE(aReal.LockSurface());
  EXPECT_DEATH(aReal.LockSurface(), "failed assertion `mLockCount < 8'");
  for (int i = 0; i < 7; ++i) ASSERT_TRUE(aReal.UnlockSurface());
  EXPECT_DEATH(aReal.UnlockSurface(), "failed assertion `mLockCount >= 0'");
}

TEST_F(DDImageSurfaceTest, DestroyingALockedImageStops) {
  EXPECT_DEATH(
      {
        DDImage* anImage = new DDImage(&mDisplay);
        SetPixels(*anImage, 1, 1, [](int, int) { return 0xFF000000u; });
        anImage->LockSurface();
        delete anImage;
      },
      "failed assertion `mLockCount == 0'");
}

TEST_F(DDImageSurfaceTest, ChangedBitsDropTheSurfaceAndTheNextOneIsMadeFromThem) {
  DDImage anImage(&mDisplay);
  SetPixels(anImage, 2, 1, [](int, int) { return 0xFF112233u; });
  ASSERT_NE(anImage.GetSurface(), nullptr);
  anImage.GetBits()[0] = 0xFF445566u;
  anImage.BitsChanged();
  EXPECT_EQ(anImage.mSurface, nullptr);
  ASSERT_NE(anImage.GetSurface(), nullptr);
  EXPECT_EQ(anImage.mSurface->GetMemory()[0], 0xFF445566u);
  // Create drops the surface without reading it back and leaves no pixels.
  anImage.Create(3, 3);
  EXPECT_EQ(anImage.mSurface, nullptr);
  EXPECT_FALSE(anImage.mBits);
  EXPECT_EQ(anImage.mWidth, 3);
}

TEST_F(DDImageSurfaceTest, VideoMemorySwitchKeepsThePicture) {
  DDImage anImage(&mDisplay);
  SetPixels(anImage, 1, 1, [](int, int) { return 0xFF0000FFu; });
  anImage.GetSurface();
  anImage.DeleteAllNonSurfaceData();
  anImage.SetVideoMemory(false);  // unchanged: nothing happens
  EXPECT_NE(anImage.mSurface, nullptr);
  anImage.SetVideoMemory(true);
  EXPECT_EQ(anImage.mSurface, nullptr);
  EXPECT_EQ(anImage.GetBits()[0], 0xFF0000FFu);
  ASSERT_NE(anImage.GetSurface(), nullptr);
  EXPECT_TRUE(anImage.mSurface->GetCaps() & DDSCAPS_VIDEOMEMORY);
}

TEST_F(DDImageSurfaceTest, VideoOnlyImageReadsNothingBack) {
  DDImage anImage(&mDisplay);
  SetPixels(anImage, 1, 1, [](int, int) { return 0xFF0000FFu; });
  anImage.GetSurface();
  anImage.DeleteAllNonSurfaceData();
  anImage.mVideoOnly = true;
  EXPECT_EQ(anImage.GetBits(), nullptr);
}

TEST_F(DDImageSurfaceTest, PurgeKeepsOnlyTheSurfaceOfAnImageThatWantsOne) {
  DDImage anOpaque(&mDisplay);
  SetPixels(anOpaque, 2, 2, [](int, int) { return 0xFF204060u; });
  anOpaque.mWantSurface = true;
  anOpaque.PurgeBits();
  EXPECT_TRUE(anOpaque.mPurgeBits);
  EXPECT_FALSE(anOpaque.mBits);
  EXPECT_NE(anOpaque.mSurface, nullptr);
  EXPECT_EQ(anOpaque.GetBits()[3], 0xFF204060u);

  DDImage aPartial(&mDisplay);
  SetPixels(aPartial, 1, 1, [](int, int) { return 0x80204060u; });
  aPartial.mWantSurface = true;
  aPartial.PurgeBits();
  EXPECT_EQ(aPartial.mSurface, nullptr);

  // A display buffer handed in by the display is left alone, purge flag included.
  DDImage aBorrowed(&mDisplay);
  aBorrowed.SetSurface(mDisplay.MakeSurface(4, 3));
  aBorrowed.PurgeBits();
  EXPECT_FALSE(aBorrowed.mPurgeBits);
  EXPECT_TRUE(aBorrowed.mBorrowedSurface);
}

TEST_F(DDImageSurfaceTest, ReInitRemakesAWantedSurfaceOnly) {
  DDImage aWanting(&mDisplay), aPlain(&mDisplay);
  SetPixels(aWanting, 1, 1, [](int, int) { return 0xFF000000u; });
  SetPixels(aPlain, 1, 1, [](int, int) { return 0xFF000000u; });
  aWanting.mWantSurface = true;
  aWanting.ReInit();
  aPlain.ReInit();
  EXPECT_NE(aWanting.mSurface, nullptr);
  EXPECT_EQ(aPlain.mSurface, nullptr);
}

TEST_F(DDImageSurfaceTest, SetSurfaceTakesTheSizeAndClearsVideoOnly) {
  DDImage anImage(&mDisplay);
  anImage.mVideoOnly = true;
  DIRECTDRAWSURFACE3* aSurface = mDisplay.MakeSurface(5, 7);
  anImage.SetSurface(aSurface);
  EXPECT_EQ(anImage.mWidth, 5);
  EXPECT_EQ(anImage.mHeight, 7);
  EXPECT_FALSE(anImage.mVideoOnly);
  EXPECT_TRUE(anImage.mBorrowedSurface);
  EXPECT_EQ(anImage.GetSurface(), aSurface);
}

TEST_F(DDImageSurfaceTest, DestroyingABorrowingImageLeavesTheDisplaysSurface) {
  DIRECTDRAWSURFACE3* aSurface = mDisplay.MakeSurface(2, 2);
  {
    DDImage anImage(&mDisplay);
    anImage.SetSurface(aSurface);
  }
  EXPECT_FALSE(aSurface->IsReleased());
  EXPECT_EQ(mDisplay.mDDImageSet.size(), 0u);
}

TEST_F(DDImageSurfaceTest, MemoryDrawingOnABorrowedSurfaceGoesBackIntoIt) {
  DIRECTDRAWSURFACE3* aSurface = mDisplay.MakeSurface(2, 1);
  DDImage anImage(&mDisplay);
  anImage.SetSurface(aSurface);
  anImage.SetImageMode(false, false);
  anImage.mForceMemoryDraw = true;
  anImage.FillRect(TRect<int>(0, 0, 1, 1), Color(10, 20, 30), 0);
  EXPECT_EQ(anImage.mSurface, aSurface);
  EXPECT_EQ(aSurface->GetMemory()[0], 0xFF0A141Eu);
}

TEST_F(DDImageSurfaceTest, SixteenBitSurfacesConvertBothWays) {
  mDisplay.SetFormat(k_Format565);
  TestSurfaceImage anImage(&mDisplay, 3, 1, k_Format565);
  SetPixels(anImage, 3, 1, [](int x, int) {
    const uint32_t kPixels[3] = {0xFFFFFFFFu, 0xFF123456u, 0x00FF0000u};
    return kPixels[x];
  });
  ASSERT_NE(anImage.GetSurface(), nullptr);
  EXPECT_EQ(anImage.Pixel(0, 0), 0xFFFFu);
  EXPECT_EQ(anImage.Pixel(1, 0), (0x12u >> 3 << 11) | (0x34u >> 2 << 5) | (0x56u >> 3));
  // The transparent pixel's colour (pure red) is not visible: it is the key.
  EXPECT_EQ(anImage.Pixel(2, 0), 0xF800u);
  EXPECT_TRUE(anImage.GuardsIntact());
  anImage.DeleteAllNonSurfaceData();
  const uint32_t* aBack = anImage.GetBits();
  EXPECT_EQ(aBack[0], 0xFFF8FCF8u);  // low bits stay zero
  EXPECT_EQ(aBack[1], 0xFF103450u);
  EXPECT_EQ(aBack[2] >> 24, 0u);
}

TEST_F(DDImageSurfaceTest, DisplayResetDropsEverySurfaceAndKeepsThePictures) {
  DDImage anImage(&mDisplay);
  SetPixels(anImage, 1, 1, [](int, int) { return 0xFF336699u; });
  anImage.GetSurface();
  anImage.DeleteAllNonSurfaceData();
  mDisplay.Cleanup();
  EXPECT_EQ(anImage.mSurface, nullptr);
  EXPECT_EQ(anImage.GetBits()[0], 0xFF336699u);
}

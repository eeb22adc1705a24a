#include <gtest/gtest.h>

#include <vector>

#include "FakeImageRegistry.h"
#include "graphics/MemoryImage.h"

using namespace Tesk;

namespace {

std::vector<uint32_t> Pixels(MemoryImage& theImage) {
  uint32_t* aBits = theImage.GetBits();
  return std::vector<uint32_t>(aBits, aBits + theImage.mWidth * theImage.mHeight);
}

uint32_t Guard(MemoryImage& theImage) { return theImage.mBits[theImage.mWidth * theImage.mHeight]; }

std::vector<int> RunBytes(const uint8_t* theData, int theCount) {
  return std::vector<int>(theData, theData + theCount);
}

}  // namespace

TEST(MemoryImage, RegistersWithItsApplicationForItsLifetime) {
  FakeImageRegistry anApp;
  {
    MemoryImage anImage(&anApp);
    EXPECT_EQ(anApp.mImages.count(&anImage), 1u);
    anImage.Delete3DBuffers();
    EXPECT_EQ(anApp.mRemoved3D.size(), 1u);
  }
  EXPECT_TRUE(anApp.mImages.empty());
  EXPECT_EQ(anApp.mRemoved3D.size(), 2u);  // leaving drops the 3-D data too

  gImageRegistry = &anApp;
  {
    MemoryImage aDefault;
    EXPECT_EQ(aDefault.mApp, &anApp);
    EXPECT_EQ(anApp.mImages.size(), 1u);
  }
  gImageRegistry = nullptr;
  MemoryImage aHeadless;
  EXPECT_EQ(aHeadless.mApp, nullptr);
  EXPECT_EQ(aHeadless.GetAddClampTable()[300], 255);
  EXPECT_EQ(aHeadless.GetAddClampTable()[17], 17);
}

TEST(MemoryImage, CreateGivesZeroedPixelsWithGuardAndPessimisticFlags) {
  MemoryImage anImage(nullptr);
  anImage.Create(4, 4);
  EXPECT_TRUE(anImage.mHasTransparent);
  EXPECT_TRUE(anImage.mHasPartialAlpha);
  EXPECT_EQ(Pixels(anImage), std::vector<uint32_t>(16, 0));
  EXPECT_EQ(Guard(anImage), MEMORYCHECK_ID);
  EXPECT_TRUE(anImage.mHasPartialAlpha);  // until the next CommitBits
  anImage.CommitBits();
  EXPECT_TRUE(anImage.mHasTransparent);
  EXPECT_FALSE(anImage.mHasPartialAlpha);
}

TEST(MemoryImage, CommitBitsFindsTransparentAndPartialPixels) {
  struct Case {
    const char* name;
    std::vector<uint32_t> pixels;
    bool trans, partial;
  };
  const Case kCases[] = {
      {"opaque", {0xFF000000, 0xFFFFFFFF}, false, false},
      {"binary alpha", {0x00FF0000, 0xFF000000}, true, false},
      {"partial", {0x80FFFFFF, 0xFF000000}, false, true},
      {"both", {0x01000000, 0x00000000}, true, true},
      {"alpha 254", {0xFFFFFFFF, 0xFE123456}, false, true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    MemoryImage anImage(nullptr);
    anImage.SetBits(c.pixels.data(), 2, 1);
    EXPECT_EQ(anImage.mHasTransparent, c.trans);
    EXPECT_EQ(anImage.mHasPartialAlpha, c.partial);
    EXPECT_FALSE(anImage.mBitsChanged);
  }
  MemoryImage aForced(nullptr);
  aForced.SetImageMode(false, false);
  const uint32_t kPartial[2] = {0x80FFFFFF, 0};
  aForced.SetBits(kPartial, 2, 1);
  EXPECT_FALSE(aForced.mHasTransparent);
  EXPECT_FALSE(aForced.mHasPartialAlpha);
  EXPECT_TRUE(aForced.mBitsChanged);
}

TEST(MemoryImage, SetBitsWithItsOwnArrayChangesNothing) {
  MemoryImage anImage(nullptr);
  const uint32_t kPixels[2] = {1, 2};
  anImage.SetBits(kPixels, 2, 1);
  int aCount = anImage.mBitsChangedCount;
  anImage.SetBits(anImage.GetBits(), 2, 1);
  EXPECT_EQ(anImage.mBitsChangedCount, aCount);
}

TEST(MemoryImage, SetBitsAfterCreateAllocatesAtTheSameSize) {
  MemoryImage anImage(nullptr);
  anImage.Create(2, 2);
  ASSERT_FALSE(anImage.mBits);
  const uint32_t kPixels[4] = {0xFF010203, 0xFF040506, 0x00000000, 0x80FFFFFF};
  anImage.SetBits(kPixels, 2, 2);
  EXPECT_EQ(Pixels(anImage), std::vector<uint32_t>(kPixels, kPixels + 4));
  EXPECT_EQ(Guard(anImage), MEMORYCHECK_ID);
}

TEST(MemoryImage, CreateDropsAStalePalette) {
  MemoryImage anImage(nullptr);
  const uint32_t kPixels[2] = {0xFF0000FF, 0xFF00FF00};
  anImage.SetBits(kPixels, 2, 1);
  ASSERT_TRUE(anImage.Palletize());
  anImage.Create(3, 3);
  EXPECT_FALSE(anImage.mPalette);
  EXPECT_FALSE(anImage.mPaletteIndices);
  EXPECT_EQ(Pixels(anImage), std::vector<uint32_t>(9, 0));
  EXPECT_EQ(Guard(anImage), MEMORYCHECK_ID);
}

TEST(MemoryImage, BadSizesAreRefusedWithoutAllocating) {
  struct Case {
    int w, h;
  };
  const Case kCases[] = {{-1, 4}, {4, -1}, {65536, 65536}, {20000, 20000}, {INT32_MAX, 2}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << c.w << "x" << c.h);
    EXPECT_FALSE(MemoryImage::IsValidSize(c.w, c.h));
    MemoryImage anImage(nullptr);
    anImage.Create(c.w, c.h);
    EXPECT_EQ(anImage.mWidth, 0);
    EXPECT_EQ(anImage.mHeight, 0);
    const uint32_t kOne = 0;
    anImage.SetBits(&kOne, c.w, c.h);
    EXPECT_FALSE(anImage.mBits);
    EXPECT_EQ(anImage.mWidth, 0);
    anImage.SetBits(c.w, c.h, new uint32_t[256](), new uint8_t[1]());
    EXPECT_FALSE(anImage.mPalette);
    EXPECT_EQ(anImage.mBitsChangedCount, 0);
  }
  // A refused size leaves an existing image as it was.
  MemoryImage anImage(nullptr);
  anImage.Create(2, 3);
  anImage.Create(-5, 5);
  EXPECT_EQ(anImage.mWidth, 2);
  EXPECT_EQ(anImage.mHeight, 3);
  EXPECT_TRUE(MemoryImage::IsValidSize(0, 0));
  EXPECT_TRUE(MemoryImage::IsValidSize(16384, 16384));
}

TEST(MemoryImageDeathTest, ChangingPixelsPastTheEndIsCaughtByTheGuardWord) {
  MemoryImage anImage(nullptr);
  anImage.Create(3, 2);
  anImage.GetBits()[6] = 0;
  EXPECT_DEATH(anImage.BitsChanged(), "failed assertion `mBits\\[mWidth\\*mHeight\\] == MEMORYCHECK_ID'");
}

TEST(MemoryImageDeathTest, AdoptingAPaletteOverPixelsStops) {
  MemoryImage anImage(nullptr);
  anImage.Create(1, 1);
  anImage.GetBits();
  EXPECT_DEATH(anImage.SetBits(1, 1, new uint32_t[256](), new uint8_t[1]()), "failed assertion `!mBits'");
}

TEST(MemoryImage, ClearAndClearRectStayInsideThePixels) {
  MemoryImage anImage(nullptr);
  std::vector<uint32_t> aFull(12, 0xFFFFFFFF);
  anImage.SetBits(aFull.data(), 4, 3);
  anImage.ClearRect(TRect<int>(2, 1, 10, 10));  // reaches past the right and bottom edges
  const std::vector<uint32_t> kWant = {0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF, 0xFFFFFFFF,  //
                                       0xFFFFFFFF, 0xFFFFFFFF, 0,          0,           //
                                       0xFFFFFFFF, 0xFFFFFFFF, 0,          0};
  EXPECT_EQ(Pixels(anImage), kWant);
  EXPECT_EQ(Guard(anImage), MEMORYCHECK_ID);
  anImage.Clear();
  EXPECT_EQ(Pixels(anImage), std::vector<uint32_t>(12, 0));
  EXPECT_EQ(Guard(anImage), MEMORYCHECK_ID);
}

TEST(MemoryImage, AlphaRunLengths) {
  struct Case {
    const char* name;
    int w, h;
    std::vector<uint32_t> alphas;
    std::vector<int> want;
  };
  const Case kCases[] = {
      {"mixed row", 6, 1, {0, 0, 255, 128, 128, 128}, {2, 1, 1, 3, 2, 1}},
      {"two classes", 2, 1, {0, 255}, {1, 1}},
      {"runs end at the row end", 3, 2, {0, 0, 0, 255, 0, 0}, {3, 2, 1, 1, 2, 1}},
      {"one pixel wide", 1, 3, {0, 0, 0}, {1, 1, 1}},
      {"partial alphas are one class", 3, 1, {1, 254, 128}, {3, 2, 1}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    std::vector<uint32_t> aPixels;
    for (uint32_t a : c.alphas) aPixels.push_back(a << 24 | 0x123456);
    MemoryImage anImage(nullptr);
    anImage.SetBits(aPixels.data(), c.w, c.h);
    EXPECT_EQ(RunBytes(anImage.GetRLAlphaData(), c.w * c.h), c.want);
  }
}

TEST(MemoryImage, LongRunsCapAt255) {
  std::vector<uint32_t> aPixels(300, 0xFF000000);
  MemoryImage anImage(nullptr);
  anImage.SetBits(aPixels.data(), 300, 1);
  std::vector<int> aWant(46, 255);
  for (int i = 254; i >= 1; --i) aWant.push_back(i);
  EXPECT_EQ(RunBytes(anImage.GetRLAlphaData(), 300), aWant);
}

TEST(MemoryImage, AdditiveRunLengthsFollowNativeColourBits) {
  NativeDisplay aNative;
  SetNative888(aNative);
  // Black; translucent black; a little red; transparent white (premultiplies to black); blue.
  const uint32_t kPixels[5] = {0xFF000000, 0x80000000, 0xFF010000, 0x00FFFFFF, 0xFF0000FF};
  MemoryImage anImage(nullptr);
  anImage.SetBits(kPixels, 5, 1);
  EXPECT_EQ(RunBytes(anImage.GetRLAdditiveData(&aNative), 5), (std::vector<int>{2, 1, 1, 1, 1}));
  // Palettised images look their colours up through the indices.
  MemoryImage aPaletted(nullptr);
  aPaletted.SetBits(kPixels, 5, 1);
  ASSERT_TRUE(aPaletted.Palletize());
  EXPECT_EQ(RunBytes(aPaletted.GetRLAdditiveData(&aNative), 5), (std::vector<int>{2, 1, 1, 1, 1}));
  EXPECT_EQ(RunBytes(aPaletted.GetRLAlphaData(), 5), (std::vector<int>{1, 1, 1, 1, 1}));
}

TEST(MemoryImage, BitsChangedDropsDerivedBuffers) {
  NativeDisplay aNative;
  SetNative888(aNative);
  MemoryImage anImage(nullptr);
  anImage.Create(2, 2);
  anImage.GetRLAlphaData();
  anImage.GetRLAdditiveData(&aNative);
  ASSERT_TRUE(anImage.mNativeAlphaData);
  int aCount = anImage.mBitsChangedCount;
  anImage.BitsChanged();
  EXPECT_EQ(anImage.mBitsChangedCount, aCount + 1);
  EXPECT_FALSE(anImage.mNativeAlphaData);
  EXPECT_FALSE(anImage.mRLAlphaData);
  EXPECT_FALSE(anImage.mRLAdditiveData);
}

TEST(MemoryImage, PurgeOnSoftwareDisplayKeepsANativeCopyAndRebuilds) {
  FakeImageRegistry anApp;
  MemoryImage anImage(&anApp);
  const uint32_t kPixels[4] = {0xFF123456, 0x80FFFFFF, 0x00FFFFFF, 0xFF000000};
  anImage.SetBits(kPixels, 4, 1);
  anImage.PurgeBits();
  EXPECT_TRUE(anImage.mPurgeBits);
  EXPECT_FALSE(anImage.mBits);
  ASSERT_TRUE(anImage.mNativeAlphaData);
  // Opaque pixels come back exactly; translucent ones through the premultiplied copy.
  const std::vector<uint32_t> kWant = {0xFF123456, 0x80FEFEFE, 0x00000000, 0xFF000000};
  EXPECT_EQ(Pixels(anImage), kWant);
  EXPECT_EQ(Guard(anImage), MEMORYCHECK_ID);
}

TEST(MemoryImage, PurgeInThreeDKeepsTheOnlyArgbCopy) {
  FakeImageRegistry anApp;
  anApp.mIs3D = true;
  MemoryImage anImage(&anApp);
  const uint32_t kPixels[2] = {0xFF123456, 0x80FFFFFF};
  anImage.SetBits(kPixels, 2, 1);
  int aDummyTexture = 0;
  anImage.mD3DData = &aDummyTexture;
  anImage.PurgeBits();
  EXPECT_TRUE(anImage.mPurgeBits);
  ASSERT_TRUE(anImage.mBits);
  // After a switch to software the image still has its pixels.
  anApp.mIs3D = false;
  anImage.mD3DData = nullptr;
  anImage.DeleteExtraBuffers();
  EXPECT_EQ(Pixels(anImage), std::vector<uint32_t>(kPixels, kPixels + 2));
}

TEST(MemoryImage, PurgeWithoutNativeFormatKeepsThePixels) {
  FakeImageRegistry anApp;
  anApp.mHasDisplay = false;
  MemoryImage anImage(&anApp);
  const uint32_t kPixels[1] = {0x80FFFFFF};
  anImage.SetBits(kPixels, 1, 1);
  anImage.PurgeBits();
  EXPECT_TRUE(anImage.mBits);
  EXPECT_EQ(Pixels(anImage)[0], 0x80FFFFFFu);
}

TEST(MemoryImage, ReInitPalettisesAndPurgesAgain) {
  FakeImageRegistry anApp;
  MemoryImage anImage(&anApp);
  const uint32_t kPixels[3] = {0xFF0000FF, 0xFF00FF00, 0xFF0000FF};
  anImage.SetBits(kPixels, 3, 1);
  ASSERT_TRUE(anImage.Palletize());
  anImage.PurgeBits();
  anImage.DeleteSWBuffers();  // a display reset drops the native copy
  anImage.GetBits();          // and something reads the pixels back
  EXPECT_FALSE(anImage.mPalette);
  anImage.ReInit();
  EXPECT_TRUE(anImage.mPalette);
  EXPECT_FALSE(anImage.mBits);
  EXPECT_EQ(Pixels(anImage), std::vector<uint32_t>(kPixels, kPixels + 3));
}

#include <unistd.h>

#include "ImageLibFixture.h"
#include "ImageWriters.h"
#include "PakWriter.h"
#include "resources/PakInterface.h"

using namespace TeskTools;

namespace {

class ImageBlockTest : public ImageLibFixture {
 protected:
  static std::vector<BlockImage> SomeImages() {
    std::vector<BlockImage> anImages(3);
    anImages[0] = {3, 1, {0xFF0000FF, 0x80FF0000}, {1, 0, 1}};
    anImages[1].mWidth = 16;
    anImages[1].mHeight = 16;
    for (int i = 0; i < 256; ++i) anImages[1].mPalette.push_back(0x01000000u * i | 0x00010203u * (i & 0x3F));
    for (int i = 0; i < 256; ++i) anImages[1].mIndices.push_back(static_cast<uint8_t>(255 - i));
    anImages[2] = {2, 3, {0xFFFFFFFF}, {0, 0, 0, 0, 0, 0}};
    return anImages;
  }

  static void ExpectSame(const BlockImage& theWanted, const ImageLib::Image& theImage) {
    EXPECT_EQ(theImage.GetBitCount(), 8);
    EXPECT_EQ(theImage.GetBits(), nullptr);
    ASSERT_EQ(theImage.GetWidth(), theWanted.mWidth);
    ASSERT_EQ(theImage.GetHeight(), theWanted.mHeight);
    EXPECT_EQ(std::vector<uint8_t>(theImage.mIndexList, theImage.mIndexList + theWanted.mIndices.size()),
              theWanted.mIndices);
    EXPECT_EQ(std::vector<uint32_t>(theImage.mPal, theImage.mPal + theWanted.mPalette.size()),
              theWanted.mPalette);
  }

  static void Free(ImageLib::Image** theImages, int theCount) {
    for (int i = 0; i < theCount; ++i) delete theImages[i];
  }
};

TEST_F(ImageBlockTest, SeveralImagesWithPalettesRoundTrip) {
  const auto anImages = SomeImages();
  ASSERT_TRUE(WriteBytes(Path("a.tgab"), ImageBlockBytes(anImages)));
  ImageLib::Image* aRead[4] = {};
  ASSERT_EQ(ImageLib::GetImageBlock(Path("a.tgab"), aRead), 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    ExpectSame(anImages[i], *aRead[i]);
  }
  // The 3 x 1 record: second, first, second colour.
  ImageLib::ExpandPalette(aRead[0]);
  EXPECT_EQ(Pixels(*aRead[0]), (std::vector<uint32_t>{0x80FF0000, 0xFF0000FF, 0x80FF0000}));
  EXPECT_EQ(aRead[3], nullptr);
  Free(aRead, 3);
}

TEST_F(ImageBlockTest, EmptyAndMissingBlocksStoreNothing) {
  ASSERT_TRUE(WriteBytes(Path("empty.tgab"), ImageBlockBytes({})));
  ImageLib::Image* aSentinel = reinterpret_cast<ImageLib::Image*>(0x1);
  ImageLib::Image* aRead[1] = {aSentinel};
  EXPECT_EQ(ImageLib::GetImageBlock(Path("empty.tgab"), aRead), 0);
  EXPECT_EQ(ImageLib::GetImageBlock(Path("missing.tgab"), aRead), 0);
  EXPECT_EQ(aRead[0], aSentinel);
}

TEST_F(ImageBlockTest, CapacityBoundsWhatIsStored) {
  ASSERT_TRUE(WriteBytes(Path("a.tgab"), ImageBlockBytes(SomeImages())));
  ImageLib::Image* aRead[3] = {};
  ASSERT_EQ(ImageLib::GetImageBlock(Path("a.tgab"), aRead, 2), 2);
  EXPECT_EQ(aRead[2], nullptr);
  Free(aRead, 2);
}

TEST_F(ImageBlockTest, DamagedRecordEndsTheReadingWithWholeImagesOnly) {
  const std::string aBytes = ImageBlockBytes(SomeImages());
  // Record 0 is 4 + 8 + 2 * 4 + 3 = 23 bytes; record 1 starts at 4 + 19.
  const size_t aSecond = 4 + 8 + 8 + 3;
  struct Case {
    const char* mName;
    std::string mBytes;
    int mExpected;
  } k_Cases[] = {
      {"cut in the count", aBytes.substr(0, 3), 0},
      {"cut in the first header", aBytes.substr(0, 9), 0},
      {"cut in the second indices", aBytes.substr(0, aSecond + 8 + 1024 + 10), 1},
      {"count larger than the records", aBytes, 3},
      {"more than 256 colours",
       aBytes.substr(0, aSecond) + std::string("\x01\x01\x00\x00\x01\x00\x01\x00", 8), 1},
      {"huge size in a short file",
       aBytes.substr(0, aSecond) + std::string("\x01\x00\x00\x00\xFF\xFF\xFF\xFF", 8), 1},
  };
  k_Cases[3].mBytes[0] = 9;
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(aCase.mName);
    ASSERT_TRUE(WriteBytes(Path("bad.tgab"), aCase.mBytes));
    ImageLib::Image* aRead[10] = {};
    const int aCount = ImageLib::GetImageBlock(Path("bad.tgab"), aRead);
    EXPECT_EQ(aCount, aCase.mExpected);
    for (int i = aCount; i < 10; ++i) EXPECT_EQ(aRead[i], nullptr);
    Free(aRead, aCount);
  }
}

TEST_F(ImageBlockTest, BlockInsideTheArchiveIsRead) {
  char aBuf[4096];
  const std::string anOldDir = getcwd(aBuf, sizeof(aBuf)) ? aBuf : ".";
  ASSERT_EQ(chdir(mDir.c_str()), 0);
  const auto anImages = SomeImages();
  PakWriter aWriter;
  aWriter.Add("builddata\\animsblock.tgab", ImageBlockBytes(anImages));
  ASSERT_TRUE(aWriter.WriteFile("main.pak"));
  {
    PakInterface aPak;
    ASSERT_TRUE(aPak.AddPakFile("main.pak"));
    *gPakInterfaceP = &aPak;
    ImageLib::Image* aRead[3] = {};
    EXPECT_EQ(ImageLib::GetImageBlock("builddata/animsblock.tgab", aRead), 3);
    for (int i = 0; i < 3; ++i)
      if (aRead[i]) ExpectSame(anImages[i], *aRead[i]);
    Free(aRead, 3);
    *gPakInterfaceP = nullptr;
  }
  ASSERT_EQ(chdir(anOldDir.c_str()), 0);
}

TEST_F(ImageBlockTest, TheFileCountTellsAWholeBlockFromADamagedOrOversizedOne) {
  const auto anImages = SomeImages();
  const std::string aBytes = ImageBlockBytes(anImages);
  // An image wider than any reader takes, with all its bytes present.
  BlockImage aWide;
  aWide.mWidth = 20000;
  aWide.mHeight = 1;
  aWide.mPalette = {0xFF000000};
  aWide.mIndices.assign(20000, 0);
  struct Case {
    const char* mName;
    std::string mBytes;
    int mCapacity;
    int mRead;
    int64_t mFileCount;
  };
  const Case k_Cases[] = {
      {"whole", aBytes, 4, 3, 3},
      {"more than the capacity", aBytes, 2, 2, 3},
      {"cut in the last image", aBytes.substr(0, aBytes.size() - 1), 4, 2, 3},
      {"cut in the count", aBytes.substr(0, 2), 4, 0, -1},
      {"an absurd size", ImageBlockBytes({anImages[0], aWide}), 4, 1, 2},
  };
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(aCase.mName);
    ASSERT_TRUE(WriteBytes(Path("count.tgab"), aCase.mBytes));
    ImageLib::Image* aRead[4] = {};
    int64_t aFileCount = 99;
    const int aCount = ImageLib::GetImageBlock(Path("count.tgab"), aRead, aCase.mCapacity, &aFileCount);
    EXPECT_EQ(aCount, aCase.mRead);
    EXPECT_EQ(aFileCount, aCase.mFileCount);
    for (int i = aCount; i < 4; ++i) EXPECT_EQ(aRead[i], nullptr);
    Free(aRead, aCount);
  }
  int64_t aFileCount = 99;
  ImageLib::Image* aNone[1] = {};
  EXPECT_EQ(ImageLib::GetImageBlock(Path("missing.tgab"), aNone, 1, &aFileCount), 0);
  EXPECT_EQ(aFileCount, -1);
}

}  // namespace

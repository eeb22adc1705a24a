#include "ImageLibFixture.h"
#include "ImageWriters.h"
#include "support/AllocatedBytes.h"

using namespace TeskTools;

namespace {

class GetImageTest : public ImageLibFixture {
 protected:
  void WritePng(const std::string& theName, int w, int h, const std::vector<uint32_t>& thePixels) {
    ASSERT_TRUE(WritePngFile(Path(theName), w, h, thePixels.data()));
  }
};

TEST_F(GetImageTest, NoExtensionTriesEachReaderInTurn) {
  const std::vector<uint32_t> aPng(12, 0xFF112233);
  WritePng("title.png", 4, 3, aPng);
  const std::vector<uint32_t> aGif(12, 0xFF445566);
  const std::vector<uint8_t> anIndices(12, 0);
  ASSERT_TRUE(WriteBytes(Path("title.gif"), GifBytes(4, 3, anIndices.data(), {0xFF445566})));
  // .png comes before .gif.
  ImagePtr anImage(ImageLib::GetImage(Path("title"), false));
  ASSERT_TRUE(anImage);
  EXPECT_EQ(Pixels(*anImage), aPng);

  // With a TGA present that one wins.
  const std::vector<uint32_t> aTga(12, 0xFF778899);
  ASSERT_TRUE(WriteBytes(Path("title.tga"), TgaBytes(4, 3, aTga.data(), false)));
  anImage.reset(ImageLib::GetImage(Path("title"), false));
  ASSERT_TRUE(anImage);
  EXPECT_EQ(Pixels(*anImage), aTga);
}

TEST_F(GetImageTest, ExtensionPicksOneReaderWithoutRegardToCase) {
  const std::vector<uint32_t> aPng(4, 0xFF0000FF);
  WritePng("pic.png", 2, 2, aPng);
  const std::vector<uint32_t> aTga(4, 0xFFFF0000);
  ASSERT_TRUE(WriteBytes(Path("pic.tga"), TgaBytes(2, 2, aTga.data(), true)));
  ImagePtr anImage(ImageLib::GetImage(Path("pic.PNG"), false));
  ASSERT_TRUE(anImage);
  EXPECT_EQ(Pixels(*anImage), aPng);
  // Known extension, other file missing: nothing, and no fallback to the other formats.
  EXPECT_EQ(ImageLib::GetImage(Path("pic.gif"), false), nullptr);
  EXPECT_EQ(ImageLib::GetImage(Path("pic.bmp"), false), nullptr);
  EXPECT_EQ(ImageLib::GetImage(Path("pic.j2k"), false), nullptr);
}

TEST_F(GetImageTest, DotInAFolderNameIsNoExtension) {
  ASSERT_EQ(system(("mkdir -p '" + Path("dir.v2") + "'").c_str()), 0);
  const std::vector<uint32_t> aPng(4, 0xFF0000FF);
  WritePng("dir.v2/pic.png", 2, 2, aPng);
  ImagePtr anImage(ImageLib::GetImage(Path("dir.v2/pic"), false));
  ASSERT_TRUE(anImage);
  EXPECT_EQ(Pixels(*anImage), aPng);
}

TEST_F(GetImageTest, AlphaImageMergesItsGreenChannel) {
  const int w = 6, h = 4;
  std::vector<uint32_t> aColour = Pattern(w, h, true);
  ASSERT_TRUE(WritePngFile(Path("x.png"), w, h, aColour.data(), {PngKind::Rgb}));
  const std::vector<uint32_t> aWanted = Pattern(w, h);
  WritePng("_x.png", w, h, AlphaImagePixels(aWanted));
  ImagePtr anImage(ImageLib::GetImage(Path("x.png"), true));
  ASSERT_TRUE(anImage);
  std::vector<uint32_t> anExpected(aColour.size());
  for (size_t i = 0; i < anExpected.size(); ++i)
    anExpected[i] = (aColour[i] & 0xFFFFFF) | (aWanted[i] & 0xFF000000);
  EXPECT_EQ(Pixels(*anImage), anExpected);

  // Without the alpha flag the file stands alone.
  anImage.reset(ImageLib::GetImage(Path("x.png"), false));
  EXPECT_EQ(Pixels(*anImage), aColour);
}

TEST_F(GetImageTest, AppendedUnderscoreIsTheSecondAlphaName) {
  const std::vector<uint32_t> aColour(4, 0xFF204060);
  ASSERT_TRUE(WriteJpegFile(Path("y.jpg"), 2, 2, aColour.data(), 100));
  WritePng("y_.png", 2, 2, std::vector<uint32_t>(4, 0xFF007F00));
  ImagePtr anImage(ImageLib::GetImage(Path("y"), true));
  ASSERT_TRUE(anImage);
  for (uint32_t p : Pixels(*anImage)) EXPECT_EQ(p >> 24, 0x7Fu);
}

TEST_F(GetImageTest, AlphaImageOfAnotherSizeIsIgnored) {
  const std::vector<uint32_t> aColour(4, 0xFF204060);
  WritePng("z.png", 2, 2, aColour);
  WritePng("_z.png", 3, 1, std::vector<uint32_t>(3, 0xFF000000));
  ImagePtr anImage(ImageLib::GetImage(Path("z.png"), true));
  ASSERT_TRUE(anImage);
  EXPECT_EQ(Pixels(*anImage), aColour);
}

TEST_F(GetImageTest, TgaNeverLooksForAnAlphaImage) {
  const std::vector<uint32_t> aColour(4, 0x80204060);
  ASSERT_TRUE(WriteBytes(Path("t.tga"), TgaBytes(2, 2, aColour.data(), false)));
  WritePng("_t.tga", 2, 2, std::vector<uint32_t>(4, 0xFF000000));
  WritePng("_t.png", 2, 2, std::vector<uint32_t>(4, 0xFF000000));
  ImagePtr anImage(ImageLib::GetImage(Path("t.tga"), true));
  ASSERT_TRUE(anImage);
  EXPECT_EQ(Pixels(*anImage), aColour);
}

TEST_F(GetImageTest, AlphaImageAloneTakesTheComposeColour) {
  WritePng("_glow.png", 2, 1, {0xFF000000 | 0x10FF10, 0xFF000000 | 0x203020});
  const uint32_t anOld = ImageLib::gAlphaComposeColor;
  ImageLib::gAlphaComposeColor = 0xAB123456;
  ImagePtr anImage(ImageLib::GetImage(Path("glow"), true));
  ImageLib::gAlphaComposeColor = anOld;
  ASSERT_TRUE(anImage);
  EXPECT_EQ(Pixels(*anImage), (std::vector<uint32_t>{0xFF123456, 0x30123456}));
}

TEST_F(GetImageTest, PalettisedAlphaImageIsSpreadBeforeTheMerge) {
  const std::vector<uint32_t> aColour(6, 0xFF204060);
  WritePng("m.png", 3, 2, aColour);
  const std::vector<uint8_t> anIndices = {0, 1, 1, 0, 0, 1};
  ASSERT_TRUE(
      WriteBytes(Path("_m.tga"), TgaBytes8(3, 2, anIndices.data(), {0xFF000000, 0xFFC0C0C0}, false, 24)));
  ImagePtr anImage(ImageLib::GetImage(Path("m"), true));
  ASSERT_TRUE(anImage);
  ASSERT_EQ(anImage->GetBitCount(), 32);
  for (size_t i = 0; i < anIndices.size(); ++i)
    EXPECT_EQ(anImage->mBits[i], anIndices[i] ? 0xC0204060u : 0x00204060u);
  // And alone, with no colour image.
  ASSERT_TRUE(
      WriteBytes(Path("_solo.tga"), TgaBytes8(3, 2, anIndices.data(), {0xFF000000, 0xFFC0C0C0}, true, 24)));
  anImage.reset(ImageLib::GetImage(Path("solo"), true));
  ASSERT_TRUE(anImage);
  ASSERT_NE(anImage->GetBits(), nullptr);
  EXPECT_EQ(anImage->mBits[1], 0xC0FFFFFFu);
}

TEST_F(GetImageTest, PalettisedImageLeftOverIsFreedByItsDestructor) {
  // The consumer normally takes these over; an image dropped without that frees them itself.
  constexpr size_t k_Indices = 64 * 1024;  // below the size malloc maps on its own
  auto anImage = std::make_unique<ImageLib::Image>();
  anImage->mNumBits = 8;
  anImage->mWidth = 256;
  anImage->mHeight = 256;
  const size_t aBefore = TeskTest::AllocatedBytes();
  anImage->mPal = new uint32_t[256]();
  anImage->mIndexList = new uint8_t[k_Indices]();
  const size_t aHeld = TeskTest::AllocatedBytes();
  ASSERT_GE(aHeld, aBefore + k_Indices);
  anImage.reset();
  // Small blocks may stay in malloc's per-thread cache, counted as held: the index list does not.
  EXPECT_LE(TeskTest::AllocatedBytes(), aHeld - k_Indices);
}

TEST_F(GetImageTest, CloseJpeg2000ClearsTheCodec) {
  int aCodec;
  ImageLib::gJ2KCodec = &aCodec;
  ImageLib::CloseJPEG2000();
  EXPECT_EQ(ImageLib::gJ2KCodec, nullptr);
}

}  // namespace

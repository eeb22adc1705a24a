#include <cstdlib>

#include "ImageLibFixture.h"
#include "ImageWriters.h"

using namespace TeskTools;

namespace {

class ImageReadersTest : public ImageLibFixture {};

uint32_t Grey(uint32_t p) {
  const uint32_t g = (p >> 8) & 0xFF;
  return 0xFF000000 | g << 16 | g << 8 | g;
}

TEST_F(ImageReadersTest, PngRoundTripsEveryKind) {
  const int w = 19, h = 13;
  const std::vector<uint32_t> aPixels = Pattern(w, h);
  // Few colours for the palette kind, some of them translucent.
  std::vector<uint32_t> aPaletted(aPixels.size());
  for (size_t i = 0; i < aPixels.size(); ++i) aPaletted[i] = 0x40000000u * (i % 4) + 0x00102030u * (i % 7);
  struct Case {
    const char* mName;
    PngOptions mOptions;
    const std::vector<uint32_t>* mInput;
    uint32_t (*mExpect)(uint32_t);
  } k_Cases[] = {
      {"rgba", {PngKind::Rgba, false, false}, &aPixels, [](uint32_t p) { return p; }},
      {"rgba interlaced", {PngKind::Rgba, true, false}, &aPixels, [](uint32_t p) { return p; }},
      {"rgba 16-bit", {PngKind::Rgba, false, true}, &aPixels, [](uint32_t p) { return p; }},
      {"rgb", {PngKind::Rgb, false, false}, &aPixels, [](uint32_t p) { return p | 0xFF000000; }},
      {"rgb 16-bit interlaced",
       {PngKind::Rgb, true, true},
       &aPixels,
       [](uint32_t p) { return p | 0xFF000000; }},
      {"grey", {PngKind::Grey, false, false}, &aPixels, Grey},
      {"grey alpha",
       {PngKind::GreyAlpha, false, false},
       &aPixels,
       [](uint32_t p) { return (Grey(p) & 0xFFFFFF) | (p & 0xFF000000); }},
      {"palette with transparency",
       {PngKind::Palette, false, false},
       &aPaletted,
       [](uint32_t p) { return p; }},
      {"palette interlaced", {PngKind::Palette, true, false}, &aPaletted, [](uint32_t p) { return p; }},
  };
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(aCase.mName);
    ASSERT_TRUE(WritePngFile(Path("a.png"), w, h, aCase.mInput->data(), aCase.mOptions));
    ImagePtr anImage(ImageLib::GetPNGImage(Path("a.png")));
    ASSERT_TRUE(anImage);
    EXPECT_EQ(anImage->GetBitCount(), 32);
    ASSERT_EQ(anImage->GetWidth(), w);
    ASSERT_EQ(anImage->GetHeight(), h);
    std::vector<uint32_t> anExpected(aCase.mInput->size());
    for (size_t i = 0; i < anExpected.size(); ++i) anExpected[i] = aCase.mExpect((*aCase.mInput)[i]);
    EXPECT_EQ(Pixels(*anImage), anExpected);
  }
}

TEST_F(ImageReadersTest, WritePngImageReadsBackTheSamePixels) {
  ImageLib::Image anImage;
  anImage.mWidth = 7;
  anImage.mHeight = 5;
  std::vector<uint32_t> aPixels = Pattern(7, 5);
  anImage.mBits = new uint32_t[aPixels.size()];
  std::copy(aPixels.begin(), aPixels.end(), anImage.mBits);
  ASSERT_TRUE(ImageLib::WritePNGImage(Path("shot.png"), &anImage));
  ImagePtr aBack(ImageLib::GetPNGImage(Path("shot.png")));
  ASSERT_TRUE(aBack);
  EXPECT_EQ(Pixels(*aBack), aPixels);
  EXPECT_FALSE(ImageLib::WritePNGImage(Path("missing-dir/shot.png"), &anImage));
}

TEST_F(ImageReadersTest, JpegRoundTripsWithinTolerance) {
  const int w = 32, h = 24;
  std::vector<uint32_t> aPixels(static_cast<size_t>(w) * h);
  // Smooth gradients survive the lossy coding closely.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) aPixels[y * w + x] = 0x12000000u | (x * 8) << 16 | (y * 10) << 8 | 128;
  ASSERT_TRUE(WriteJpegFile(Path("a.jpg"), w, h, aPixels.data(), 95));
  ImagePtr anImage(ImageLib::GetJPEGImage(Path("a.jpg")));
  ASSERT_TRUE(anImage);
  ASSERT_EQ(anImage->GetWidth(), w);
  ASSERT_EQ(anImage->GetHeight(), h);
  int aWorst = 0;
  for (size_t i = 0; i < aPixels.size(); ++i) {
    const uint32_t p = anImage->mBits[i];
    EXPECT_EQ(p >> 24, 0xFFu);
    for (int aShift : {0, 8, 16})
      aWorst = std::max(aWorst, std::abs(static_cast<int>((p >> aShift) & 0xFF) -
                                         static_cast<int>((aPixels[i] >> aShift) & 0xFF)));
  }
  EXPECT_LE(aWorst, 8);
}

TEST_F(ImageReadersTest, GreyJpegOf128IsOpaqueGrey) {
  std::vector<uint32_t> aPixels(64, 0xFF808080);
  ASSERT_TRUE(WriteJpegFile(Path("g.jpg"), 8, 8, aPixels.data(), 100, true));
  ImagePtr anImage(ImageLib::GetJPEGImage(Path("g.jpg")));
  ASSERT_TRUE(anImage);
  EXPECT_EQ(Pixels(*anImage), aPixels);
}

TEST_F(ImageReadersTest, TgaBothOrientationsAnd24BitDecodeTheSame) {
  const int w = 9, h = 6;
  const std::vector<uint32_t> aPixels = Pattern(w, h);
  struct Case {
    const char* mName;
    bool mTopDown;
    int mBits;
  } k_Cases[] = {{"bottom-up", false, 32}, {"top-down", true, 32}, {"24-bit", false, 24}};
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(aCase.mName);
    ASSERT_TRUE(WriteBytes(Path("a.tga"), TgaBytes(w, h, aPixels.data(), aCase.mTopDown, aCase.mBits)));
    ImagePtr anImage(ImageLib::GetTGAImage(Path("a.tga")));
    ASSERT_TRUE(anImage);
    std::vector<uint32_t> anExpected = aPixels;
    if (aCase.mBits == 24)
      for (uint32_t& p : anExpected) p |= 0xFF000000;
    EXPECT_EQ(Pixels(*anImage), anExpected);
  }
}

TEST_F(ImageReadersTest, EightBitTgaKeepsPaletteAndIndices) {
  const int w = 5, h = 3;
  const std::vector<uint32_t> aPalette = {0x80FF0000, 0xFF00FF00, 0x000000FF};
  const std::vector<uint8_t> anIndices = {0, 1, 2, 1, 0, 2, 2, 1, 0, 0, 1, 1, 2, 2, 0};
  for (int aDepth : {24, 32}) {
    for (bool aTopDown : {false, true}) {
      SCOPED_TRACE(testing::Message() << aDepth << (aTopDown ? " top-down" : " bottom-up"));
      ASSERT_TRUE(WriteBytes(Path("p.tga"), TgaBytes8(w, h, anIndices.data(), aPalette, aTopDown, aDepth)));
      ImagePtr anImage(ImageLib::GetTGAImage(Path("p.tga")));
      ASSERT_TRUE(anImage);
      EXPECT_EQ(anImage->GetBitCount(), 8);
      EXPECT_EQ(anImage->GetBits(), nullptr);
      EXPECT_EQ(std::vector<uint8_t>(anImage->mIndexList, anImage->mIndexList + w * h), anIndices);
      for (size_t i = 0; i < aPalette.size(); ++i)
        EXPECT_EQ(anImage->mPal[i], aDepth == 24 ? aPalette[i] | 0xFF000000 : aPalette[i]);
      // Entries past the map are there, black, so any index is safe.
      EXPECT_EQ(anImage->mPal[255], 0u);
    }
  }
}

TEST_F(ImageReadersTest, GifRoundTripsOpaqueTransparentAndInterlaced) {
  const int w = 23, h = 17;
  std::vector<uint32_t> aPalette;
  for (int i = 0; i < 16; ++i) aPalette.push_back(0xFF000000u | i * 0x0F0B07u);
  std::vector<uint8_t> anIndices(w * h);
  for (size_t i = 0; i < anIndices.size(); ++i) anIndices[i] = static_cast<uint8_t>((i * 7 / 5) % 16);
  for (int aTransparent : {-1, 3}) {
    for (bool anInterlaced : {false, true}) {
      SCOPED_TRACE(testing::Message() << "transparent " << aTransparent << " interlaced " << anInterlaced);
      ASSERT_TRUE(
          WriteBytes(Path("a.gif"), GifBytes(w, h, anIndices.data(), aPalette, aTransparent, anInterlaced)));
      ImagePtr anImage(ImageLib::GetGIFImage(Path("a.gif")));
      ASSERT_TRUE(anImage);
      std::vector<uint32_t> anExpected;
      for (uint8_t i : anIndices) anExpected.push_back(i == aTransparent ? 0u : aPalette[i]);
      EXPECT_EQ(Pixels(*anImage), anExpected);
    }
  }
}

TEST_F(ImageReadersTest, LargeGifWhoseCodeTableFillsAndClears) {
  const int w = 300, h = 280;
  std::vector<uint32_t> aPalette;
  for (int i = 0; i < 256; ++i) aPalette.push_back(0xFF000000u | static_cast<uint32_t>(i) * 0x010203u);
  std::vector<uint8_t> anIndices(w * h);
  uint32_t aSeed = 12345;
  for (uint8_t& i : anIndices) {
    aSeed = aSeed * 1103515245u + 12345u;
    i = static_cast<uint8_t>(aSeed >> 16);
  }
  for (bool anInterlaced : {false, true}) {
    ASSERT_TRUE(WriteBytes(Path("big.gif"), GifBytes(w, h, anIndices.data(), aPalette, -1, anInterlaced)));
    ImagePtr anImage(ImageLib::GetGIFImage(Path("big.gif")));
    ASSERT_TRUE(anImage);
    std::vector<uint32_t> anExpected;
    for (uint8_t i : anIndices) anExpected.push_back(aPalette[i]);
    EXPECT_EQ(Pixels(*anImage), anExpected);
  }
}

TEST_F(ImageReadersTest, TwoColourGif) {
  const std::vector<uint32_t> aPalette = {0xFF000000, 0xFFFFFFFF};
  const std::vector<uint8_t> anIndices = {0, 1, 1, 0, 1, 0, 0, 0, 1};
  ASSERT_TRUE(WriteBytes(Path("bw.gif"), GifBytes(3, 3, anIndices.data(), aPalette)));
  ImagePtr anImage(ImageLib::GetGIFImage(Path("bw.gif")));
  ASSERT_TRUE(anImage);
  for (size_t i = 0; i < anIndices.size(); ++i) EXPECT_EQ(anImage->mBits[i], aPalette[anIndices[i]]);
}

TEST_F(ImageReadersTest, MissingFilesGiveNull) {
  for (auto aReader :
       {ImageLib::GetTGAImage, ImageLib::GetPNGImage, ImageLib::GetJPEGImage, ImageLib::GetGIFImage})
    EXPECT_EQ(aReader(Path("none")), nullptr);
  EXPECT_EQ(ImageLib::GetImage(Path("none"), true), nullptr);
}

}  // namespace

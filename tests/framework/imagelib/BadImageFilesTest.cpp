#include <cstdio>
// clang-format off
#include <jpeglib.h>
// clang-format on

#include "ImageLibFixture.h"
#include "ImageWriters.h"
#include "resources/PngReadLimits.h"
#include "support/AllocatedBytes.h"
#include "support/TestTemp.h"

using namespace TeskTools;

namespace {

// LZW codes as the GIF reader takes them: least significant bit first, each as wide as the
// table then needs, cut into data sub-blocks and ended by an empty one.
std::string PackGifCodes(const std::vector<int>& theCodes, int theMinCodeSize) {
  const int aClear = 1 << theMinCodeSize;
  int aSize = theMinCodeSize + 1, aNext = aClear + 2;
  bool isFirst = true;
  std::string aBytes;
  uint32_t aBits = 0;
  int aCount = 0;
  for (int aCode : theCodes) {
    aBits |= static_cast<uint32_t>(aCode) << aCount;
    for (aCount += aSize; aCount >= 8; aCount -= 8, aBits >>= 8) aBytes.push_back(static_cast<char>(aBits));
    if (aCode == aClear) {
      aSize = theMinCodeSize + 1, aNext = aClear + 2, isFirst = true;
    } else if (isFirst) {
      isFirst = false;  // the first code after a clear adds no entry
    } else if (aNext <= 4095 && ++aNext <= 4095 && aNext == 1 << aSize) {
      ++aSize;
    }
  }
  if (aCount > 0) aBytes.push_back(static_cast<char>(aBits));
  std::string aBlocks;
  for (size_t i = 0; i < aBytes.size(); i += 255) {
    const std::string aPart = aBytes.substr(i, 255);
    aBlocks += static_cast<char>(aPart.size()) + aPart;
  }
  return aBlocks + '\0';
}

// A GIF of theWidth x theHeight with four colours (minimum code size 2: clear 4, end 5,
// first table entry 6) whose image data is theCodes.
std::string GifWithCodes(int theWidth, int theHeight, const std::vector<int>& theCodes) {
  const std::vector<uint8_t> anIndex = {0};
  const std::string aGif = GifBytes(1, 1, anIndex.data(), {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF});
  const size_t aDescriptor = aGif.find(',');
  std::string aHead = aGif.substr(0, aDescriptor + 11);
  aHead[aDescriptor + 5] = static_cast<char>(theWidth & 0xFF);
  aHead[aDescriptor + 6] = static_cast<char>(theWidth >> 8);
  aHead[aDescriptor + 7] = static_cast<char>(theHeight & 0xFF);
  aHead[aDescriptor + 8] = static_cast<char>(theHeight >> 8);
  return aHead + PackGifCodes(theCodes, aHead.back()) + ";";
}

class BadImageFilesTest : public ImageLibFixture {
 protected:
  void SetUp() override {
    ImageLibFixture::SetUp();
    ImageLib::SetJpegMessagesQuiet(true);
  }
  void TearDown() override {
    ImageLib::SetJpegMessagesQuiet(false);
    ImageLibFixture::TearDown();
  }

  struct Format {
    const char* mName;
    ImageLib::Image* (*mReader)(const std::string&);
    std::string mBytes;
    size_t mHeaderSize;  // cut anywhere inside this, the file gives no image
  };

  std::vector<Format> Formats() {
    const int w = 40, h = 30;
    const std::vector<uint32_t> aPixels = Pattern(w, h);
    std::vector<uint8_t> anIndices(w * h);
    for (size_t i = 0; i < anIndices.size(); ++i) anIndices[i] = static_cast<uint8_t>(i % 5);
    const std::vector<uint32_t> aPalette = {0xFF000000, 0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    EXPECT_TRUE(WritePngFile(Path("src.png"), w, h, aPixels.data(), {PngKind::Rgba, true, false}));
    EXPECT_TRUE(WriteJpegFile(Path("src.jpg"), w, h, aPixels.data()));
    return {
        {"tga 32", ImageLib::GetTGAImage, TgaBytes(w, h, aPixels.data(), false), 18},
        {"tga 8", ImageLib::GetTGAImage, TgaBytes8(w, h, anIndices.data(), aPalette, true), 18},
        {"gif", ImageLib::GetGIFImage, GifBytes(w, h, anIndices.data(), aPalette, 2, true),
         6 + 7 + 24 + 8 + 10},
        {"png", ImageLib::GetPNGImage, TeskTest::ReadFile(Path("src.png")), 33},
        {"jpeg", ImageLib::GetJPEGImage, TeskTest::ReadFile(Path("src.jpg")), 20},
    };
  }
};

TEST_F(BadImageFilesTest, TruncatedFilesGiveNullOrAPartialImage) {
  for (const Format& aFormat : Formats()) {
    SCOPED_TRACE(aFormat.mName);
    ASSERT_GT(aFormat.mBytes.size(), 100u);
    for (size_t aLength = 0; aLength < aFormat.mBytes.size(); aLength += aLength < 64 ? 1 : 37) {
      SCOPED_TRACE(aLength);
      ASSERT_TRUE(WriteBytes(Path("cut"), aFormat.mBytes.substr(0, aLength)));
      ImagePtr anImage(aFormat.mReader(Path("cut")));
      if (aLength < aFormat.mHeaderSize) {
        EXPECT_EQ(anImage, nullptr);
      }
      // TGA and PNG want every byte; GIF and JPEG give what was decoded, at full size.
      if (aFormat.mReader == ImageLib::GetTGAImage || aFormat.mReader == ImageLib::GetPNGImage) {
        EXPECT_EQ(anImage, nullptr);
      }
      if (anImage) {
        EXPECT_EQ(anImage->GetWidth(), 40);
        EXPECT_EQ(anImage->GetHeight(), 30);
      }
    }
  }
}

TEST_F(BadImageFilesTest, CorruptBytesNeverCrash) {
  for (const Format& aFormat : Formats()) {
    SCOPED_TRACE(aFormat.mName);
    uint32_t aSeed = 99;
    for (int aTrial = 0; aTrial < 200; ++aTrial) {
      std::string aBytes = aFormat.mBytes;
      for (int k = 0; k < 4; ++k) {
        aSeed = aSeed * 1103515245u + 12345u;
        aBytes[(aSeed >> 8) % aBytes.size()] = static_cast<char>(aSeed >> 24);
      }
      ASSERT_TRUE(WriteBytes(Path("bad"), aBytes));
      ImagePtr anImage(aFormat.mReader(Path("bad")));
      if (anImage) {
        EXPECT_TRUE(ImageLib::SizeAllowed(anImage->GetWidth(), anImage->GetHeight()));
      }
    }
  }
}

TEST_F(BadImageFilesTest, OversizedDimensionsAreRefused) {
  // Headers claiming 65535 x 65535 pixels, in files far too short for them.
  std::string aTga = TgaBytes(1, 1, std::vector<uint32_t>{0}.data(), true);
  aTga[12] = aTga[13] = aTga[14] = aTga[15] = '\xFF';
  // 16384 x 16384 passes the side limit but not the pixel count.
  std::string aTgaSquare = aTga;
  aTgaSquare[12] = 0, aTgaSquare[13] = 0x40, aTgaSquare[14] = 0, aTgaSquare[15] = 0x40;
  const std::vector<uint8_t> anIndex = {0};
  std::string aGif = GifBytes(1, 1, anIndex.data(), {0xFF000000});
  const size_t aDescriptor = aGif.find(',');
  aGif[aDescriptor + 5] = aGif[aDescriptor + 6] = aGif[aDescriptor + 7] = aGif[aDescriptor + 8] = '\xFF';
  const std::vector<uint32_t> aPixel = {0xFF000000};
  ASSERT_TRUE(WritePngFile(Path("one.png"), 1, 1, aPixel.data()));
  ASSERT_TRUE(WriteJpegFile(Path("one.jpg"), 1, 1, aPixel.data()));
  // The PNG header's width and height, and the JPEG frame's, patched in place (PNG's CRC then fails too,
  // so the size check is what a valid-CRC file would meet; both end as null).
  std::string aPng = TeskTest::ReadFile(Path("one.png"));
  aPng[16] = aPng[20] = '\x7F';
  std::string aJpeg = TeskTest::ReadFile(Path("one.jpg"));
  const size_t aFrame = aJpeg.find("\xFF\xC0");
  ASSERT_NE(aFrame, std::string::npos);
  aJpeg[aFrame + 5] = aJpeg[aFrame + 6] = aJpeg[aFrame + 7] = aJpeg[aFrame + 8] = '\xFF';
  struct Case {
    const char* mName;
    ImageLib::Image* (*mReader)(const std::string&);
    std::string mBytes;
  } k_Cases[] = {{"tga", ImageLib::GetTGAImage, aTga},
                 {"tga square", ImageLib::GetTGAImage, aTgaSquare},
                 {"gif", ImageLib::GetGIFImage, aGif},
                 {"png", ImageLib::GetPNGImage, aPng},
                 {"jpeg", ImageLib::GetJPEGImage, aJpeg}};
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(aCase.mName);
    ASSERT_TRUE(WriteBytes(Path("huge"), aCase.mBytes));
    EXPECT_EQ(aCase.mReader(Path("huge")), nullptr);
  }
  EXPECT_FALSE(ImageLib::SizeAllowed(16385, 1));
  EXPECT_FALSE(ImageLib::SizeAllowed(0, 5));
  EXPECT_TRUE(ImageLib::SizeAllowed(16384, 4096));
}

// Text, profile, palette-suggestion, metadata and private chunks (safe and unsafe to copy), each
// declared 2 GB long in a 45-byte file, before the pixels or after them.
TEST_F(BadImageFilesTest, PngChunksDeclaringGigabytesAreRefusedInSmallMemory) {
  const std::vector<uint32_t> aPixels = Pattern(4, 4);
  ASSERT_TRUE(WritePngFile(Path("small.png"), 4, 4, aPixels.data()));
  const std::string aPng = TeskTest::ReadFile(Path("small.png"));
  for (const char* aType : {"tEXt", "zTXt", "iTXt", "iCCP", "sPLT", "eXIf", "pCAL", "sCAL", "juNk", "juNK"}) {
    for (bool isAfterPixels : {false, true}) {
      SCOPED_TRACE(std::string(aType) + (isAfterPixels ? " after the pixels" : " before the pixels"));
      ASSERT_TRUE(WriteBytes(Path("huge.png"), PngDeclaringChunk(aPng, aType, 0x7FFFFFF0u, isAfterPixels)));
      const size_t aPeakBefore = TeskTest::PeakResidentBytes();
      EXPECT_EQ(ImagePtr(ImageLib::GetPNGImage(Path("huge.png"))), nullptr);
      ASSERT_LT(TeskTest::PeakResidentBytes() - aPeakBefore, size_t{32} << 20);
    }
  }
}

// What the readers skip is only skipped: an image carrying a comment and a private chunk
// larger than any chunk the reader keeps still gives its pixels.
TEST_F(BadImageFilesTest, PngWithTextAndLargePrivateChunksStillReads) {
  const std::vector<uint32_t> aPixels = Pattern(6, 5);
  ASSERT_TRUE(WritePngFile(Path("plain.png"), 6, 5, aPixels.data()));
  const std::string aPng = TeskTest::ReadFile(Path("plain.png"));
  const std::string aText("Comment\0made by the tests", 25);
  const std::string aPrivate(ImageLib::k_MaxPngChunkBytes * 3, 'x');
  for (bool isAfterPixels : {false, true}) {
    SCOPED_TRACE(isAfterPixels ? "after the pixels" : "before the pixels");
    const std::string aBytes =
        PngWithChunk(PngWithChunk(aPng, "tEXt", aText, isAfterPixels), "prVt", aPrivate, isAfterPixels);
    ASSERT_TRUE(WriteBytes(Path("extra.png"), aBytes));
    ImagePtr anImage(ImageLib::GetPNGImage(Path("extra.png")));
    ASSERT_TRUE(anImage);
    EXPECT_EQ(Pixels(*anImage), aPixels);
  }
}

TEST_F(BadImageFilesTest, GifHeaderFaults) {
  const std::vector<uint8_t> anIndices = {0, 1, 0, 1};
  const std::string aGood = GifBytes(2, 2, anIndices.data(), {0xFF000000, 0xFFFFFFFF});
  const size_t aDescriptor = aGood.find(',');
  struct Case {
    const char* mName;
    std::string mBytes;
  } k_Cases[] = {
      {"wrong signature", "GIF88a" + aGood.substr(6)},
      {"trailer before the image", aGood.substr(0, aDescriptor) + ";"},
      {"zero width",
       aGood.substr(0, aDescriptor + 5) + std::string("\0\0", 2) + aGood.substr(aDescriptor + 7)},
      {"code size 12", aGood.substr(0, aDescriptor + 10) + "\x0C" + aGood.substr(aDescriptor + 11)},
  };
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(aCase.mName);
    ASSERT_TRUE(WriteBytes(Path("g.gif"), aCase.mBytes));
    EXPECT_EQ(ImageLib::GetGIFImage(Path("g.gif")), nullptr);
  }
}

TEST_F(BadImageFilesTest, GifCodeRightAfterAClearMustBeALiteral) {
  // Red, green, then a clear, after which 6 is the next free entry: it has none yet. The
  // entry 6 left from before the clear (red-green) is no longer the stream's to use.
  ASSERT_TRUE(WriteBytes(Path("c.gif"), GifWithCodes(4, 1, {4, 0, 1, 4, 6, 5})));
  ImagePtr anImage(ImageLib::GetGIFImage(Path("c.gif")));
  ASSERT_TRUE(anImage);
  EXPECT_EQ(Pixels(*anImage), (std::vector<uint32_t>{0xFFFF0000, 0xFF00FF00, 0, 0}));
}

TEST_F(BadImageFilesTest, GifClaimingMorePixelsThanItsDataCanHoldIsRefused) {
  // The tightest stream there is: each code the entry just made, one pixel longer than the
  // last. 60 codes give 1 + 2 + ... + 60 = 1830 red pixels in about 60 bytes.
  std::vector<int> aCodes = {4, 0};
  for (int aCode = 6; aCode < 6 + 59; ++aCode) aCodes.push_back(aCode);
  aCodes.push_back(5);
  ASSERT_TRUE(WriteBytes(Path("tight.gif"), GifWithCodes(1830, 1, aCodes)));
  ImagePtr aTight(ImageLib::GetGIFImage(Path("tight.gif")));
  ASSERT_TRUE(aTight);
  EXPECT_EQ(Pixels(*aTight), std::vector<uint32_t>(1830, 0xFFFF0000));
  // The same bytes claiming 1830 x 5000 pixels: no file this short holds that many, so no
  // 36 MB image of nothing is made from the header.
  ASSERT_TRUE(WriteBytes(Path("tall.gif"), GifWithCodes(1830, 5000, aCodes)));
  EXPECT_EQ(ImageLib::GetGIFImage(Path("tall.gif")), nullptr);
}

TEST_F(BadImageFilesTest, GifWithoutColourTableGivesTransparentBlack) {
  const std::vector<uint8_t> anIndices = {0, 1, 0, 1};
  std::string aBytes = GifBytes(2, 2, anIndices.data(), {0xFF000000, 0xFFFFFFFF});
  aBytes[10] = 0;       // no global table
  aBytes.erase(13, 6);  // drop its two entries
  ASSERT_TRUE(WriteBytes(Path("n.gif"), aBytes));
  ImagePtr anImage(ImageLib::GetGIFImage(Path("n.gif")));
  ASSERT_TRUE(anImage);
  EXPECT_EQ(Pixels(*anImage), std::vector<uint32_t>(4, 0u));
}

TEST_F(BadImageFilesTest, FourComponentJpegIsRefused) {
  // A CMYK file: read at three bytes a pixel it would overrun the scanline, so it gives no image.
  FILE* aFile = fopen(Path("cmyk.jpg").c_str(), "wb");
  ASSERT_NE(aFile, nullptr);
  jpeg_compress_struct anInfo;
  jpeg_error_mgr anErr;
  anInfo.err = jpeg_std_error(&anErr);
  jpeg_create_compress(&anInfo);
  jpeg_stdio_dest(&anInfo, aFile);
  anInfo.image_width = 4;
  anInfo.image_height = 4;
  anInfo.input_components = 4;
  anInfo.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&anInfo);
  jpeg_start_compress(&anInfo, TRUE);
  std::vector<uint8_t> aRow(16, 0x40);
  for (int y = 0; y < 4; ++y) {
    JSAMPROW aPtr = aRow.data();
    jpeg_write_scanlines(&anInfo, &aPtr, 1);
  }
  jpeg_finish_compress(&anInfo);
  jpeg_destroy_compress(&anInfo);
  fclose(aFile);
  EXPECT_EQ(ImageLib::GetJPEGImage(Path("cmyk.jpg")), nullptr);
}

}  // namespace

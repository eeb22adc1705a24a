#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "PackedImageBytes.h"
#include "resources/CxImage.h"
#include "resources/CxImageJPG.h"
#include "resources/CxImagePNG.h"
#include "resources/CxMemFile.h"
#include "resources/ImageLib.h"
#include "support/AllocatedBytes.h"

using namespace PackedTest;
using TeskTools::PngKind;
using TeskTools::PngOptions;

namespace {

class CxImageTest : public ::testing::Test {
 protected:
  void SetUp() override { mDir = TeskTest::MakeTempDir("cximage"); }

  // Decodes theBytes from an exactly sized heap copy, so a read past the end shows up.
  static bool Decode(CxImage& theImage, const std::string& theBytes, uint32_t theFormat) {
    std::vector<uint8_t> aCopy(theBytes.begin(), theBytes.end());
    CxMemFile aFile(aCopy.empty() ? nullptr : aCopy.data(), static_cast<uint32_t>(aCopy.size()));
    return theImage.Decode(&aFile, theFormat);
  }

  // What the archive reader makes of the same bytes.
  std::vector<uint32_t> ReadFromFile(const std::string& theBytes, bool thePng, int* theWidth,
                                     int* theHeight) {
    const std::string aPath = mDir + (thePng ? "/same.png" : "/same.jpg");
    EXPECT_TRUE(TeskTest::WriteFile(aPath, theBytes));
    std::unique_ptr<ImageLib::Image> anImage(thePng ? ImageLib::GetPNGImage(aPath)
                                                    : ImageLib::GetJPEGImage(aPath));
    if (!anImage) return {};
    *theWidth = anImage->mWidth;
    *theHeight = anImage->mHeight;
    return std::vector<uint32_t>(anImage->mBits, anImage->mBits + anImage->mWidth * anImage->mHeight);
  }

  std::string mDir;
};

TEST_F(CxImageTest, DecodesFromMemoryToTheSamePixelsAsTheFileReaders) {
  const int w = 21, h = 11;
  const std::vector<uint32_t> aPixels = Pattern(w, h);
  std::vector<uint32_t> aPaletted(aPixels.size());
  for (size_t i = 0; i < aPixels.size(); ++i) aPaletted[i] = 0x40000000u * (i % 4) + 0x00102030u * (i % 7);
  struct Case {
    const char* mName;
    std::string mBytes;
    bool mPng;
  } k_Cases[] = {
      {"png rgba", PngBytes(mDir, w, h, aPixels), true},
      {"png rgb 16-bit interlaced", PngBytes(mDir, w, h, aPixels, {PngKind::Rgb, true, true}), true},
      {"png grey alpha", PngBytes(mDir, w, h, aPixels, {PngKind::GreyAlpha, false, false}), true},
      {"png palette", PngBytes(mDir, w, h, aPaletted, {PngKind::Palette, false, false}), true},
      {"jpeg colour", JpegBytes(mDir, w, h, Gradient(w, h)), false},
      {"jpeg grey", JpegBytes(mDir, w, h, Gradient(w, h), true), false},
  };
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(aCase.mName);
    ASSERT_FALSE(aCase.mBytes.empty());
    int aWidth = 0, aHeight = 0;
    const std::vector<uint32_t> anExpected = ReadFromFile(aCase.mBytes, aCase.mPng, &aWidth, &aHeight);
    ASSERT_EQ(anExpected.size(), aPixels.size());
    for (uint32_t aFormat :
         {aCase.mPng ? CxImage::k_FormatPng : CxImage::k_FormatJpg, CxImage::k_FormatUnknown}) {
      SCOPED_TRACE(aFormat);
      CxImage anImage;
      ASSERT_TRUE(Decode(anImage, aCase.mBytes, aFormat)) << anImage.GetLastError();
      EXPECT_EQ(anImage.GetWidth(), aWidth);
      EXPECT_EQ(anImage.GetHeight(), aHeight);
      EXPECT_EQ(anImage.GetSize(), static_cast<uint32_t>(w * h * 4));
      EXPECT_EQ(std::vector<uint32_t>(anImage.GetBits(), anImage.GetBits() + w * h), anExpected);
      EXPECT_EQ(anImage.GetXDPI(), 96);
      EXPECT_EQ(anImage.GetYDPI(), 96);
    }
  }
}

TEST_F(CxImageTest, FailuresSayWhy) {
  const std::string aPng = PngBytes(mDir, 4, 4, Pattern(4, 4));
  const std::string aJpeg = JpegBytes(mDir, 4, 4, Gradient(4, 4));
  struct Case {
    const char* mName;
    std::string mBytes;
    uint32_t mFormat;
    const char* mError;  // null: any text but the unknown-format one
  } k_Cases[] = {
      {"neither format, auto", "not an image at all", CxImage::k_FormatUnknown,
       "Decode: Unknown or wrong format"},
      {"unknown format code", aPng, 7, "Decode: Unknown or wrong format"},
      {"empty, auto", "", CxImage::k_FormatUnknown, "Decode: Unknown or wrong format"},
      {"jpeg asked of a png", aPng, CxImage::k_FormatJpg, nullptr},
      {"png asked of a jpeg", aJpeg, CxImage::k_FormatPng, nullptr},
      {"truncated png", aPng.substr(0, aPng.size() / 2), CxImage::k_FormatPng, "Read Error"},
      {"cmyk jpeg", CmykJpegBytes(8, 8), CxImage::k_FormatJpg, nullptr},
      {"png wider than allowed", PngBytes(mDir, 20000, 1, std::vector<uint32_t>(20000)), CxImage::k_FormatPng,
       nullptr},
  };
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(aCase.mName);
    CxImage anImage;
    EXPECT_FALSE(Decode(anImage, aCase.mBytes, aCase.mFormat));
    EXPECT_FALSE(anImage.IsValid());
    if (aCase.mError != nullptr) {
      EXPECT_STREQ(anImage.GetLastError(), aCase.mError);
    } else {
      EXPECT_STRNE(anImage.GetLastError(), "");
      EXPECT_STRNE(anImage.GetLastError(), "Decode: Unknown or wrong format");
    }
  }
}

TEST_F(CxImageTest, CmykIsRefusedByTheFileReaderToo) {
  ImageLib::SetJpegMessagesQuiet(true);
  int aWidth = 0, aHeight = 0;
  EXPECT_TRUE(ReadFromFile(CmykJpegBytes(8, 8), false, &aWidth, &aHeight).empty());
  ImageLib::SetJpegMessagesQuiet(false);
}

// Every prefix of a file either fails or decodes; none reads past the bytes it was given.
TEST_F(CxImageTest, TruncatedFilesNeverReadPastTheirBytes) {
  const std::string aFiles[] = {PngBytes(mDir, 9, 7, Pattern(9, 7)), JpegBytes(mDir, 9, 7, Gradient(9, 7))};
  for (const std::string& aBytes : aFiles) {
    for (size_t aLength = 0; aLength < aBytes.size(); ++aLength) {
      CxImage anImage;
      if (Decode(anImage, aBytes.substr(0, aLength), CxImage::k_FormatUnknown)) {
        EXPECT_EQ(anImage.GetWidth(), 9);
        EXPECT_EQ(anImage.GetHeight(), 7);
      }
    }
  }
}

// A few bytes declaring a 2 GB text or private chunk: refused as the short file it is, in small
// memory, whether the chunk comes before the pixels or after them; a real comment is skipped.
TEST_F(CxImageTest, PngChunksDeclaringGigabytesAreRefusedInSmallMemory) {
  const std::vector<uint32_t> aPixels = Pattern(4, 4);
  const std::string aPng = PngBytes(mDir, 4, 4, aPixels);
  for (const char* aType : {"tEXt", "zTXt", "iTXt", "iCCP", "sPLT", "eXIf", "juNk", "juNK"}) {
    for (bool isAfterPixels : {false, true}) {
      SCOPED_TRACE(std::string(aType) + (isAfterPixels ? " after the pixels" : " before the pixels"));
      const size_t aPeakBefore = TeskTest::PeakResidentBytes();
      CxImage anImage;
      EXPECT_FALSE(Decode(anImage, TeskTools::PngDeclaringChunk(aPng, aType, 0x7FFFFFF0u, isAfterPixels),
                          CxImage::k_FormatPng));
      EXPECT_STREQ(anImage.GetLastError(), "Read Error");
      ASSERT_LT(TeskTest::PeakResidentBytes() - aPeakBefore, size_t{32} << 20);
    }
  }
  CxImage aCommented;
  ASSERT_TRUE(Decode(aCommented, TeskTools::PngWithChunk(aPng, "tEXt", std::string("Comment\0kept out", 16)),
                     CxImage::k_FormatPng));
  EXPECT_EQ(std::vector<uint32_t>(aCommented.GetBits(), aCommented.GetBits() + aPixels.size()), aPixels);
}

TEST_F(CxImageTest, FormatDecodersWorkOnTheirOwn) {
  const std::string aPng = PngBytes(mDir, 5, 3, Pattern(5, 3));
  std::vector<uint8_t> aCopy(aPng.begin(), aPng.end());
  CxMemFile aFile(aCopy.data(), static_cast<uint32_t>(aCopy.size()));
  CxImagePNG aDecoder;
  ASSERT_TRUE(aDecoder.Decode(&aFile));
  EXPECT_EQ(aDecoder.GetWidth(), 5);
  CxImageJPG aJpg;
  ASSERT_TRUE(aFile.Seek(0, 0));
  EXPECT_FALSE(aJpg.Decode(&aFile));
}

}  // namespace

namespace {

class ErrorTextImage : public CxImage {
 public:
  using CxImage::SetLastError;
};

TEST(CxImageErrorTest, KeepsUpTo255CharactersOfTheLastError) {
  ErrorTextImage anImage;
  EXPECT_STREQ(anImage.GetLastError(), "");
  anImage.SetLastError(std::string(300, 'e').c_str());
  EXPECT_EQ(std::string(anImage.GetLastError()), std::string(255, 'e'));
  anImage.SetLastError("short");
  EXPECT_STREQ(anImage.GetLastError(), "short");
}

}  // namespace

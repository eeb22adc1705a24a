#include <gtest/gtest.h>
#include <png.h>

#include <memory>
#include <string>
#include <vector>

#include "FontSheetWriter.h"
#include "FontTestHost.h"
#include "resources/FontData.h"
#include "resources/ImageLib.h"
#include "support/TestTemp.h"

using namespace Tesk;

namespace {

struct DataDeleter {
  void operator()(FontData* theData) const { theData->DeRef(); }
};

}  // namespace

TEST(FontSheetWriter, EveryCharacterSurvivesTheDescriptor) {
  TeskTools::FontSheetOptions anOptions;
  anOptions.mPixelSize = 12;
  anOptions.mChars = L"'\"\\;,#()Aa\u00E9\u0416 Aa";  // the space and repeats are dropped
  TeskTools::FontSheet aSheet;
  std::string anError;
  ASSERT_TRUE(TeskTools::RenderFontSheet(anOptions, &aSheet, &anError)) << anError;
  ASSERT_EQ(aSheet.mGlyphs.size(), 12u);
  EXPECT_GT(aSheet.mSpaceWidth, 0);

  for (bool aWide : {false, true}) {
    SCOPED_TRACE(aWide ? "16-bit" : "8-bit");
    TeskTools::DescriptorOptions aDescOptions;
    aDescOptions.mSheetFileName = "w.png";
    aDescOptions.mSixteenBit = aWide;
    std::wstring aText = TeskTools::MakeFontDescriptor(aSheet, aDescOptions);
    std::string aBytes = TeskTools::EncodeDescriptor(aText, aWide);
    // Zhe does not fit in a byte: the file is 16-bit either way.
    EXPECT_EQ(aBytes.substr(0, 2), std::string("\xFF\xFE", 2));

    TeskTest::FontTestHost aHost;
    aHost.AddSheet("w.png", aSheet.mWidth, aSheet.mHeight, aSheet.mPixels.data());
    std::unique_ptr<FontData, DataDeleter> aData(TeskTest::LoadFontText(&aHost, aBytes));
    ASSERT_TRUE(aData->mInitialized) << (aHost.mPopups.empty() ? "" : aHost.mPopups[0]);
    EXPECT_EQ(aData->mFontLayerList.size(), 3u);
    EXPECT_EQ(aData->mDefaultPointSize, 12);
    const FontLayer* aMain = aData->mFontLayerMap["MAIN"];
    const FontLayer* anOutline = aData->mFontLayerMap["OUTLINE"];
    ASSERT_EQ(aMain->mCharData.size(), aSheet.mGlyphs.size() + 1);
    for (size_t i = 0; i < aSheet.mGlyphs.size(); ++i) {
      const TeskTools::SheetGlyph& g = aSheet.mGlyphs[i];
      SCOPED_TRACE(static_cast<int>(g.mChar));
      ASSERT_EQ(aData->mCharMap[g.mChar], static_cast<wchar_t>(i));
      EXPECT_EQ(aMain->mCharData[i].mImageRect, TRect<int>(g.mX, g.mY, g.mWidth, g.mHeight));
      EXPECT_EQ(aMain->mCharData[i].mOffset, TPoint<int>(g.mOffsetX, g.mOffsetY));
      EXPECT_EQ(aMain->mCharData[i].mWidth, g.mAdvance);
      EXPECT_EQ(anOutline->mCharData[i].mImageRect,
                TRect<int>(g.mOutlineX, g.mOutlineY, g.mOutlineWidth, g.mOutlineHeight));
      EXPECT_EQ(anOutline->mCharData[i].mOffset, TPoint<int>(g.mOffsetX - 1, g.mOffsetY - 1));
    }
    EXPECT_EQ(aData->mCharMap[L' '], static_cast<wchar_t>(aSheet.mGlyphs.size()));
    EXPECT_EQ(aMain->mCharData.back().mWidth, aSheet.mSpaceWidth);
    EXPECT_EQ(aMain->mSpaceWidth, aSheet.mSpaceWidth);
    EXPECT_EQ(aData->mFontLayerMap["SHADOW"]->mRequiredTags, (std::vector<TeskString>{L"SHADOW"}));
    EXPECT_EQ(anOutline->mExcludedTags, (std::vector<TeskString>{L"PLAIN"}));
  }
}

// With an outline tag the outline is drawn only by fonts carrying it (the name field's copy of
// the game's medium type), not left out by "plain".
TEST(FontSheetWriter, AnOutlineTagKeepsTheOutlineForTheFontsThatCarryIt) {
  TeskTools::FontSheetOptions anOptions;
  anOptions.mPixelSize = 12;
  anOptions.mChars = L"Ab";
  TeskTools::FontSheet aSheet;
  std::string anError;
  ASSERT_TRUE(TeskTools::RenderFontSheet(anOptions, &aSheet, &anError)) << anError;
  TeskTools::DescriptorOptions aDescOptions;
  aDescOptions.mSheetFileName = "w.png";
  aDescOptions.mShadowLayer = false;
  aDescOptions.mOutlineTag = "outlined";
  const std::string aBytes = TeskTools::EncodeDescriptor(TeskTools::MakeFontDescriptor(aSheet, aDescOptions), false);
  TeskTest::FontTestHost aHost;
  aHost.AddSheet("w.png", aSheet.mWidth, aSheet.mHeight, aSheet.mPixels.data());
  std::unique_ptr<FontData, DataDeleter> aData(TeskTest::LoadFontText(&aHost, aBytes));
  ASSERT_TRUE(aData->mInitialized) << (aHost.mPopups.empty() ? "" : aHost.mPopups[0]);
  const FontLayer* anOutline = aData->mFontLayerMap["OUTLINE"];
  ASSERT_NE(anOutline, nullptr);
  EXPECT_EQ(anOutline->mRequiredTags, (std::vector<TeskString>{L"OUTLINED"}));
  EXPECT_TRUE(anOutline->mExcludedTags.empty());
}

TEST(FontSheetWriter, EightBitWhenEveryCharacterFits) {
  EXPECT_EQ(TeskTools::EncodeDescriptor(L"A \u00E9;", false), "A \xE9;");
  EXPECT_EQ(TeskTools::EncodeDescriptor(L"A", true), std::string("\xFF\xFE"
                                                                 "A\0",
                                                                 4));
}

TEST(FontSheetWriter, AMissingFontIsReported) {
  TeskTools::FontSheetOptions anOptions;
  anOptions.mFontFile = "/nonexistent/font.ttf";
  TeskTools::FontSheet aSheet;
  std::string anError;
  EXPECT_FALSE(TeskTools::RenderFontSheet(anOptions, &aSheet, &anError));
  EXPECT_NE(anError.find("/nonexistent/font.ttf"), std::string::npos);
}

TEST(FontSheetWriter, SizesWhoseSheetNoReaderTakesAreRefused) {
  struct Case {
    int mSize;
    const wchar_t* mChars;  // empty: printable ASCII
    const char* mError;     // empty: rendered
  };
  const Case kCases[] = {
      {0, L"", "cannot use the size 0"},
      {4097, L"A", "cannot use the size 4097"},
      {600, L"", "at the size 600 the sheet would be larger than 16384 pixels a side"},
      {600, L"AB", ""},
      {1500, L"W", ""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mSize);
    TeskTools::FontSheetOptions anOptions;
    anOptions.mPixelSize = c.mSize;
    anOptions.mChars = c.mChars;
    TeskTools::FontSheet aSheet;
    std::string anError;
    EXPECT_EQ(TeskTools::RenderFontSheet(anOptions, &aSheet, &anError), *c.mError == '\0');
    EXPECT_EQ(anError.rfind(c.mError, 0), 0u) << anError;
    if (*c.mError == '\0') {
      EXPECT_TRUE(ImageLib::SizeAllowed(aSheet.mWidth, aSheet.mHeight));
    }
  }
}

TEST(FontSheetWriter, PngHoldsThePixels) {
  std::string aDir = TeskTest::MakeTempDir("fontpng");
  const uint32_t kPixels[2 * 3] = {0xFFFF0000, 0x8000FF00, 0x000000FF, 0x12345678, 0xFFFFFFFF, 0x00000000};
  ASSERT_TRUE(TeskTools::WritePng(aDir + "/p.png", 3, 2, kPixels));
  png_image anImage = {};
  anImage.version = PNG_IMAGE_VERSION;
  ASSERT_TRUE(png_image_begin_read_from_file(&anImage, (aDir + "/p.png").c_str()));
  anImage.format = PNG_FORMAT_BGRA;
  ASSERT_EQ(anImage.width, 3u);
  ASSERT_EQ(anImage.height, 2u);
  std::vector<uint32_t> aRead(6);
  ASSERT_TRUE(png_image_finish_read(&anImage, nullptr, aRead.data(), 0, nullptr));
  for (int i = 0; i < 6; ++i) EXPECT_EQ(aRead[i], kPixels[i]) << i;  // BGRA bytes are 0xAARRGGBB words here
  EXPECT_FALSE(TeskTools::WritePng(aDir + "/missing/p.png", 3, 2, kPixels));
}

TEST(FontSheetWriter, WritesTheSheetAndTheDescriptor) {
  std::string aDir = TeskTest::MakeTempDir("fontfiles");
  TeskTools::FontSheetOptions anOptions;
  anOptions.mChars = L"ab";
  TeskTools::DescriptorOptions aDescOptions;
  std::string anError;
  ASSERT_TRUE(TeskTools::WriteFontFiles(anOptions, aDescOptions, aDir, "small", &anError)) << anError;
  std::string aText = TeskTest::ReadFile(aDir + "/small.txt");
  EXPECT_NE(aText.find("LayerSetImage Main 'small.png';"), std::string::npos);
  EXPECT_EQ(TeskTest::ReadFile(aDir + "/small.png").substr(1, 3), "PNG");
}

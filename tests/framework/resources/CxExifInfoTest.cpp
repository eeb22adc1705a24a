#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "PackedImageBytes.h"
#include "resources/CxExifInfo.h"
#include "resources/CxMemFile.h"

using namespace PackedTest;
using Exif = CxImageJPG::CxExifInfo;

namespace {

class CxExifInfoTest : public ::testing::Test {
 protected:
  void SetUp() override {
    mDir = TeskTest::MakeTempDir("cxexif");
    mJpeg = JpegBytes(mDir, 16, 8, Gradient(16, 8));
    ASSERT_FALSE(mJpeg.empty());
  }

  // Reads from an exactly sized heap copy, so a read past the end shows up.
  static bool DecodeExif(Exif& theExif, const std::string& theBytes, int theFlags = Exif::k_ReadExif) {
    std::vector<uint8_t> aCopy(theBytes.begin(), theBytes.end());
    CxMemFile aFile(aCopy.empty() ? nullptr : aCopy.data(), static_cast<uint32_t>(aCopy.size()));
    return theExif.DecodeExif(&aFile, theFlags);
  }

  std::string mDir;
  std::string mJpeg;
};

TEST_F(CxExifInfoTest, ReadsAnExifBlockInEitherByteOrder) {
  for (bool aMotorola : {false, true}) {
    SCOPED_TRACE(aMotorola ? "MM" : "II");
    const std::string aFile = InsertAfterSoi(mJpeg, Section(0xE1, ExifPayload(aMotorola)));
    Exif anExif;
    ASSERT_TRUE(DecodeExif(anExif, aFile)) << anExif.GetLastError();
    const Exif::ExifData& aData = anExif.GetData();
    EXPECT_TRUE(aData.mIsExif);
    EXPECT_EQ(aData.mMotorolaOrder, aMotorola);
    EXPECT_EQ(aData.mCameraMake, "Tesk");
    EXPECT_EQ(aData.mCameraModel, "Packed One");
    EXPECT_EQ(aData.mOrientation, 6);
    EXPECT_FLOAT_EQ(aData.mXResolution, 72.0f);
    EXPECT_FLOAT_EQ(aData.mExposureTime, 1.0f / 125);
    EXPECT_EQ(aData.mISOequivalent, 200);
    EXPECT_EQ(aData.mDateTime, "2026:12:10 15:00:00");
    // The frame marker still gives the size, and the whole image decodes after the parse.
    EXPECT_EQ(aData.mWidth, 16);
    EXPECT_EQ(aData.mHeight, 8);
    EXPECT_EQ(aData.mComponents, 3);
    EXPECT_EQ(aData.mProcess, 0xC0);

    std::vector<uint8_t> aCopy(aFile.begin(), aFile.end());
    CxMemFile aStream(aCopy.data(), static_cast<uint32_t>(aCopy.size()));
    CxImageJPG aJpg;
    ASSERT_TRUE(aJpg.Decode(&aStream)) << aJpg.GetLastError();
    EXPECT_EQ(aJpg.GetWidth(), 16);
    EXPECT_EQ(aJpg.GetExifInfo().GetData().mCameraModel, "Packed One");
  }
}

TEST_F(CxExifInfoTest, KeepsTheFirstCommentAndAllowsSixFFBytesBeforeAMarker) {
  // Five padding bytes and the marker's own 0xFF: six in a row.
  const std::string aSections =
      Section(0xFE, "first note") + std::string(5, '\xFF') + Section(0xFE, "second");
  Exif anExif;
  ASSERT_TRUE(DecodeExif(anExif, InsertAfterSoi(mJpeg, aSections))) << anExif.GetLastError();
  EXPECT_EQ(anExif.GetData().mComment, "first note");
  EXPECT_FALSE(anExif.GetData().mIsExif);
}

TEST_F(CxExifInfoTest, DamagedMarkerStreamsFailWithTheirText) {
  const std::string kSoi = "\xFF\xD8";
  std::string aManySections = kSoi;
  for (int i = 0; i < Exif::k_MaxSections; ++i) aManySections += Section(0xFE, "c");
  aManySections += Section(0xFE, "one too many");
  struct Case {
    const char* mName;
    std::string mBytes;
    const char* mError;
  } k_Cases[] = {
      {"not a jpeg", "GIF89a", ""},
      {"empty", "", ""},
      {"length below two", kSoi + std::string("\xFF\xFE\x00\x01", 4), "invalid marker"},
      {"section cut short",
       kSoi + std::string("\xFF\xFE\x00\x10"
                          "abc",
                          7),
       "Premature end of file?"},
      {"length cut short", kSoi + std::string("\xFF\xFE\x00", 3), "Premature end of file?"},
      {"ends after start of image", kSoi, "Premature end of file?"},
      {"twenty-one sections", aManySections, "Too many sections in jpg file"},
      {"seven 0xFF bytes in a row", kSoi + std::string(6, '\xFF') + Section(0xFE, "c"),
       "too many padding bytes"},
      {"end of image before any scan", kSoi + std::string("\xFF\xD9", 2), "No image in jpeg!"},
  };
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(aCase.mName);
    Exif anExif;
    EXPECT_FALSE(DecodeExif(anExif, aCase.mBytes));
    EXPECT_STREQ(anExif.GetLastError(), aCase.mError);
  }
}

TEST_F(CxExifInfoTest, WithTheImageFlagTheRestOfTheFileIsOneMoreSection) {
  const std::string aFile =
      std::string("\xFF\xD8", 2) + Section(0xFE, "c") + Section(0xDA, "s") + "scan data";
  Exif anExif;
  ASSERT_TRUE(DecodeExif(anExif, aFile, Exif::k_ReadExif | Exif::k_ReadImage));
  const std::vector<Exif::Section>& aSections = anExif.GetSections();
  ASSERT_EQ(aSections.size(), 3u);
  EXPECT_EQ(aSections[1].mType, 0xDA);
  EXPECT_EQ(std::string(aSections[2].mData.begin(), aSections[2].mData.end()), "scan data");

  // Twenty sections before the scan leave no room for the rest: refused, not written past.
  std::string aFull = "\xFF\xD8";
  for (int i = 0; i < Exif::k_MaxSections - 1; ++i) aFull += Section(0xFE, "c");
  aFull += Section(0xDA, "s") + "scan data";
  EXPECT_FALSE(DecodeExif(anExif, aFull, Exif::k_ReadImage));
  EXPECT_STREQ(anExif.GetLastError(), "Too many sections in jpg file");
  EXPECT_TRUE(DecodeExif(anExif, aFull, Exif::k_ReadExif));
}

// Each damage is to one field of the block; the parse never leaves the APP1 section.
TEST_F(CxExifInfoTest, DamagedExifBlocksLoseTheValueOrTheBlockButNothingElse) {
  const TiffBuilder t(false);
  const std::string kHead = std::string("Exif\0\0", 6);
  auto Block = [&](uint16_t theCount, const std::string& theEntries) {
    return kHead + t.Header(8) + t.U16(theCount) + theEntries + t.U32(0);
  };
  struct Case {
    const char* mName;
    std::string mPayload;
    bool mIsExif;
    const char* mModel;
  } k_Cases[] = {
      {"model offset past the block", Block(1, t.Entry(0x0110, 2, 8, t.U32(4000))), true, ""},
      {"model count past the block", Block(1, t.Entry(0x0110, 2, 0xFFFFFFF0u, t.U32(8))), true, ""},
      {"rational past the block", Block(1, t.Entry(0x011A, 5, 1, t.U32(20))), true, ""},
      {"unknown value format", Block(1, t.Entry(0x0110, 13, 2, "ab")), true, ""},
      {"model inline", Block(1, t.Entry(0x0110, 2, 3, "ab")), true, "ab"},
      {"more entries than the block holds", Block(400, t.Entry(0x0110, 2, 3, "ab")), false, ""},
      {"sub-directory past the block", Block(1, t.Entry(0x8769, 4, 1, t.U32(5000))), false, ""},
      {"sub-directory pointing at itself", Block(1, t.Entry(0x8769, 4, 1, t.U32(8))), false, ""},
      {"first directory past the block", kHead + t.Header(300), false, ""},
      {"no byte order", kHead + "XX" + t.U16(0x2A) + t.U32(8), false, ""},
      {"wrong magic number", kHead + "II" + t.U16(0x2B) + t.U32(8), false, ""},
      {"header cut short", kHead + "II", false, ""},
      {"directory count cut off", kHead + t.Header(8) + "\x01", false, ""},
  };
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(aCase.mName);
    Exif anExif;
    // The block's section is followed by a comment: what follows is still read.
    const std::string aFile = InsertAfterSoi(mJpeg, Section(0xE1, aCase.mPayload) + Section(0xFE, "after"));
    ASSERT_TRUE(DecodeExif(anExif, aFile));
    EXPECT_EQ(anExif.GetData().mIsExif, aCase.mIsExif);
    EXPECT_EQ(anExif.GetData().mCameraModel, aCase.mModel);
    EXPECT_EQ(anExif.GetData().mComment, "after");
  }
}

TEST_F(CxExifInfoTest, EveryPrefixOfAFileWithExifFailsOrParsesInBounds) {
  constexpr int k_Flags = Exif::k_ReadExif | Exif::k_ReadImage;
  for (bool aMotorola : {false, true}) {
    SCOPED_TRACE(aMotorola ? "MM" : "II");
    const std::string anApp1 = Section(0xE1, ExifPayload(aMotorola));
    const std::string aFile = InsertAfterSoi(mJpeg, anApp1 + Section(0xFE, "c"));
    Exif aWhole;
    ASSERT_TRUE(DecodeExif(aWhole, aFile, k_Flags));
    // From the end of the scan's header on, the rest of the file is one more section.
    const size_t aScanEnd = aFile.size() - aWhole.GetSections().back().mData.size();
    for (size_t aLength = 0; aLength < aFile.size(); ++aLength) {
      SCOPED_TRACE(aLength);
      Exif anExif;
      const bool aRead = DecodeExif(anExif, aFile.substr(0, aLength), k_Flags);
      EXPECT_EQ(aRead, aLength >= aScanEnd);
      if (aRead) {
        EXPECT_EQ(anExif.GetSections().back().mData.size(), aLength - aScanEnd);
        EXPECT_EQ(anExif.GetData().mComment, "c");
      } else {
        EXPECT_STREQ(anExif.GetLastError(), aLength < 2 ? "" : "Premature end of file?");
      }
      // The block's values are there exactly when its whole section is.
      EXPECT_EQ(anExif.GetData().mCameraModel, aLength >= 2 + anApp1.size() ? "Packed One" : "");
    }
  }
}

TEST_F(CxExifInfoTest, NumbersThatFitNoIntLeaveTheirFieldsAlone) {
  // A float or double as its little-endian bytes.
  auto aBytes = [](auto theValue) {
    unsigned char aRaw[sizeof(theValue)];
    std::memcpy(aRaw, &theValue, sizeof(aRaw));
    return std::string(reinterpret_cast<const char*>(aRaw), sizeof(aRaw));
  };
  auto aDouble = [&](double theValue) { return aBytes(theValue); };
  auto aSingle = [&](float theValue) { return aBytes(theValue); };
  struct Case {
    const char* mName;
    uint16_t mFormat;  // 11 single (inline), 12 double (by offset)
    std::string mValue;
    int mInt;
  } k_Cases[] = {
      {"NaN double", 12, aDouble(std::nan("")), 0},
      {"NaN single", 11, aSingle(std::nanf("")), 0},
      {"infinite single", 11, aSingle(HUGE_VALF), 0},
      {"double past the largest int", 12, aDouble(2147483648.0), 0},
      {"double below the smallest int", 12, aDouble(-1e20), 0},
      {"largest int", 12, aDouble(2147483647.0), 2147483647},
      {"double truncated toward zero", 12, aDouble(-7.9), -7},
      {"single", 11, aSingle(300.5f), 300},
  };
  // Orientation, resolution unit, ISO, EXIF image width and height: every int field.
  const uint16_t k_Tags[] = {0x0112, 0x0128, 0x8827, 0xA002, 0xA003};
  const TiffBuilder t(false);
  for (const Case& aCase : k_Cases) {
    SCOPED_TRACE(aCase.mName);
    // Header 8, five entries (2 + 60 + 4): the doubles follow at 74.
    std::string anEntries, aData;
    for (uint16_t aTag : k_Tags) {
      if (aCase.mFormat == 12) {
        anEntries += t.Entry(aTag, 12, 1, t.U32(static_cast<uint32_t>(74 + aData.size())));
        aData += aCase.mValue;
      } else {
        anEntries += t.Entry(aTag, 11, 1, aCase.mValue);
      }
    }
    const std::string aPayload =
        std::string("Exif\0\0", 6) + t.Header(8) + t.U16(5) + anEntries + t.U32(0) + aData;
    Exif anExif;
    ASSERT_TRUE(DecodeExif(anExif, InsertAfterSoi(mJpeg, Section(0xE1, aPayload))));
    const Exif::ExifData& d = anExif.GetData();
    EXPECT_TRUE(d.mIsExif);
    for (int aField :
         {d.mOrientation, d.mResolutionUnit, d.mISOequivalent, d.mExifImageWidth, d.mExifImageHeight})
      EXPECT_EQ(aField, aCase.mInt);
  }
}

}  // namespace

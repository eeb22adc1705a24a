// The QuickDraw text stand-in: family lookup, metrics, measuring against drawing, clipping.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/quickdraw/QuickDraw.h"
#include "support/TestTemp.h"

namespace {

std::vector<unsigned char> Pascal(const char* theName) {
  const size_t aLength = std::strlen(theName);
  std::vector<unsigned char> aName(aLength + 1);
  aName[0] = static_cast<unsigned char>(aLength);
  std::memcpy(aName.data() + 1, theName, aLength);
  return aName;
}

// A 32-bit port over a white buffer, current for the test's length.
class PortTest : public ::testing::Test {
 protected:
  static constexpr int k_W = 120, k_H = 40;
  void SetUp() override {
    mPixels.assign(k_W * k_H, 0xFFFFFFFFu);
    Rect aBounds{0, 0, k_H, k_W};
    ASSERT_EQ(
        NewGWorldFromPtr(&mWorld, k32ARGBPixelFormat, &aBounds, nullptr, nullptr, 0, mPixels.data(), k_W * 4),
        0);
    GetGWorld(&mOldPort, &mOldDevice);
    SetGWorld(mWorld, nullptr);
    RGBColor aBlack{0, 0, 0};
    RGBForeColor(&aBlack);
  }
  void TearDown() override {
    SetGWorld(mOldPort, mOldDevice);
    DisposeGWorld(mWorld);
  }
  // The columns [first, last] that hold ink, or {-1, -1}.
  std::pair<int, int> InkColumns() const {
    int aFirst = -1, aLast = -1;
    for (int x = 0; x < k_W; ++x)
      for (int y = 0; y < k_H; ++y)
        if (mPixels[y * k_W + x] != 0xFFFFFFFFu) {
          if (aFirst < 0) aFirst = x;
          aLast = x;
        }
    return {aFirst, aLast};
  }
  std::vector<uint32_t> mPixels;
  GWorldPtr mWorld = nullptr;
  CGrafPtr mOldPort = nullptr;
  GDHandle mOldDevice = nullptr;
};

}  // namespace

TEST(QuickDrawFamilies, FaceNamesMapOntoTheThreeDesigns) {
  struct Case {
    const char* mName;
    FMFontFamily mFamily;
  };
  const Case kCases[] = {
      {"Arial", kFontFamilySans},
      {"Tahoma", kFontFamilySans},
      {"Arial Unicode MS", kFontFamilySans},
      {"Times", kFontFamilySerif},
      {"Times New Roman", kFontFamilySerif},
      {"Courier New", kFontFamilyMono},
      {"Monaco", kFontFamilyMono},
      {"No Such Face", kFontFamilySans},
      {"", kFontFamilySans},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    EXPECT_EQ(FMGetFontFamilyFromName(Pascal(c.mName).data()), c.mFamily);
  }
}

TEST(QuickDrawFamilies, MetricsFollowTheSize) {
  FontInfo aSmall{}, aLarge{};
  ASSERT_TRUE(FetchFontInfo(kFontFamilySans, 8, normal, &aSmall));
  ASSERT_TRUE(FetchFontInfo(kFontFamilySans, 24, normal, &aLarge));
  EXPECT_GT(aSmall.ascent, 0);
  EXPECT_GT(aLarge.ascent, 2 * aSmall.ascent);
  EXPECT_GT(aLarge.descent, aSmall.descent);
}

TEST_F(PortTest, DrawnAdvanceEqualsMeasuredWidth) {
  for (int16_t aSize : {9, 18}) {
    for (int16_t aFace : {normal, bold, italic}) {
      SCOPED_TRACE(testing::Message() << "size " << aSize << " face " << aFace);
      TextFont(kFontFamilySerif);
      TextSize(aSize);
      TextFace(aFace);
      const char* aText = "Hello, World";
      int16_t aWidth = TextWidth(aText, 0, static_cast<int16_t>(std::strlen(aText)));
      MoveTo(3, 25);
      DrawText(aText, 0, static_cast<int16_t>(std::strlen(aText)));
      Point aPen{};
      GetPen(&aPen);
      EXPECT_EQ(aPen.h, 3 + aWidth);
      EXPECT_EQ(aPen.v, 25);
      EXPECT_GT(aWidth, 0);
    }
  }
  TextSize(9);
  int16_t aSmall = TextWidth("abc", 0, 3);
  TextSize(18);
  EXPECT_GT(TextWidth("abc", 0, 3), aSmall);
  EXPECT_EQ(TextWidth("abcdef", 2, 2), TextWidth("cd", 0, 2));
}

// A machine with only the core DejaVu files (no fonts-dejavu-extra) has no italic serif: the
// italic style is measured and drawn in the regular face, bold italic in the bold one.
TEST_F(PortTest, AMissingStyleFileFallsBackToTheFamilysOtherFaces) {
  const std::string aFolder = TeskTest::MakeTempDir("core_fonts") + "/";
  for (const char* aFile : {"DejaVuSerif.ttf", "DejaVuSerif-Bold.ttf"}) {
    std::filesystem::copy_file(std::string("/usr/share/fonts/truetype/dejavu/") + aFile, aFolder + aFile);
  }
  QDTestSetFontFolder(aFolder);
  const char* aText = "Hello, World";
  const int16_t aLength = static_cast<int16_t>(std::strlen(aText));
  TextFont(kFontFamilySerif);
  TextSize(18);
  auto aWidth = [&](int16_t theFace) {
    TextFace(theFace);
    return TextWidth(aText, 0, aLength);
  };
  const int16_t aRegular = aWidth(normal);
  const int16_t aBold = aWidth(bold);
  const int16_t anItalic = aWidth(italic);
  const int16_t aBoldItalic = aWidth(bold | italic);
  FontInfo anInfo{};
  const bool hasInfo = FetchFontInfo(kFontFamilySerif, 18, italic, &anInfo);
  TextFace(italic);
  MoveTo(3, 25);
  DrawText(aText, 0, aLength);
  QDTestSetFontFolder("");

  EXPECT_GT(aRegular, 0);
  EXPECT_EQ(anItalic, aRegular);
  EXPECT_EQ(aBoldItalic, aBold);
  EXPECT_TRUE(hasInfo);
  EXPECT_GT(anInfo.ascent, 0);
  EXPECT_NE(InkColumns().first, -1);  // the italic text left ink
}

TEST_F(PortTest, InkStaysInsideTheClipAndThePort) {
  TextSize(20);
  Rect aClip{0, 10, k_H, 30};
  ClipRect(&aClip);
  MoveTo(-5, 30);  // starts left of the port and runs past the clip
  DrawText("WWWWWWWWWW", 0, 10);
  std::pair<int, int> anInk = InkColumns();
  EXPECT_GE(anInk.first, 10);
  EXPECT_LE(anInk.second, 29);
  EXPECT_GE(anInk.first, 0);
  // The saved clip comes back.
  RgnHandle aSaved = NewRgn();
  GetClip(aSaved);
  Rect anAll{0, 0, k_H, k_W};
  ClipRect(&anAll);
  SetClip(aSaved);
  RgnHandle aNow = NewRgn();
  GetClip(aNow);
  EXPECT_EQ(aNow->mBounds.left, 10);
  EXPECT_EQ(aNow->mBounds.right, 30);
  DisposeRgn(aSaved);
  DisposeRgn(aNow);
}

TEST_F(PortTest, ForeColourInksFullyCoveredPixels) {
  TextSize(24);
  RGBColor aRed{0xFFFF, 0, 0};
  RGBForeColor(&aRed);
  MoveTo(2, 30);
  DrawText("I", 0, 1);
  int aSolid = 0;
  for (uint32_t p : mPixels) aSolid += p == 0xFFFF0000u;
  EXPECT_GT(aSolid, 10);
}

TEST(QuickDrawPorts, SixteenBitPortsKeepTheirMasks) {
  std::vector<uint16_t> aPixels(40 * 20, 0);
  Rect aBounds{0, 0, 20, 40};
  GWorldPtr aWorld = nullptr;
  ASSERT_EQ(NewGWorldFromPtr(&aWorld, k16LE565PixelFormat, &aBounds, nullptr, nullptr, 0, aPixels.data(), 80),
            0);
  CGrafPtr anOld;
  GDHandle anOldDevice;
  GetGWorld(&anOld, &anOldDevice);
  SetGWorld(aWorld, nullptr);
  TextSize(16);
  RGBColor aGreen{0, 0xFFFF, 0};
  RGBForeColor(&aGreen);
  MoveTo(1, 15);
  DrawText("I", 0, 1);
  SetGWorld(anOld, anOldDevice);
  DisposeGWorld(aWorld);
  bool hasFullGreen = false;
  for (uint16_t p : aPixels) {
    EXPECT_EQ(p & 0xF81F, 0) << "only green is inked";
    hasFullGreen = hasFullGreen || p == 0x07E0;
  }
  EXPECT_TRUE(hasFullGreen);
  EXPECT_NE(NewGWorldFromPtr(&aWorld, 0x12345678, &aBounds, nullptr, nullptr, 0, aPixels.data(), 80), 0);
}

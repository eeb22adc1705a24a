#include <gtest/gtest.h>

#include <list>
#include <memory>
#include <string>
#include <vector>

#include "FontSheetWriter.h"
#include "FontTestHost.h"
#include "graphics/Graphics.h"
#include "graphics/MemoryImage.h"
#include "resources/ImageFont.h"
#include "support/TestTemp.h"

using namespace Tesk;
using TeskTest::FontTestHost;

namespace {

// A destination that records the blits reaching it instead of drawing.
class RecordingImage : public Image {
 public:
  struct Call {
    Image* image;
    int x, y;
    TRect<int> src;
    Color color;
    int mode;
    bool rotated;
  };
  RecordingImage() {
    mWidth = 100000;
    mHeight = 2000;
  }
  void Blt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect, const Color& theColor,
           int theDrawMode) override {
    mCalls.push_back({theImage, theX, theY, theSrcRect, theColor, theDrawMode, false});
  }
  void BltRotated(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect, const TRect<int>&,
                  const Color& theColor, int theDrawMode, double, float, float) override {
    mCalls.push_back({theImage, int(theX), int(theY), theSrcRect, theColor, theDrawMode, true});
  }
  std::vector<Call> mCalls;
};

std::unique_ptr<ImageFont> MakeFont(FontTestHost* theHost, const std::string& theText) {
  std::string aPath = TeskTest::MakeTempDir("imagefont") + "/font.txt";
  TeskTest::WriteFile(aPath, theText);
  return std::make_unique<ImageFont>(theHost, aPath);
}

// Glyph a: 2 wide, b: 3 wide, c: 1 wide on a 6x4 sheet; widths 3, 4, 2; space 5.
const char* kBasic =
    "SetDefaultPointSize 10;\n"
    "Define CharList ('a' 'b' 'c');\n"
    "CreateHorzSpanRectList R (0 0 0 4) (2 3 1);\n"
    "CreateLayer Main; LayerSetImage Main 'sheet.png'; LayerSetImageMap Main CharList R;\n"
    "LayerSetCharWidths Main (' ') (5);\n"
    "LayerSetCharWidths Main ('a' 'b' 'c' ' ') (3 4 2 5);\n"
    "LayerSetAscent Main 4; LayerSetHeight Main 6; LayerSetSpacing Main 1; LayerSetPointSize Main 10;\n";

struct FontFixture {
  FontTestHost host;
  std::unique_ptr<ImageFont> font;
  explicit FontFixture(const std::string& theExtra, int theSheetWidth = 6, int theSheetHeight = 4) {
    std::vector<uint32_t> aPixels(static_cast<size_t>(theSheetWidth) * theSheetHeight, 0xFFFFFFFFu);
    host.AddSheet("sheet.png", theSheetWidth, theSheetHeight, aPixels.data());
    font = MakeFont(&host, std::string(kBasic) + theExtra);
    EXPECT_TRUE(font->mFontData->mInitialized) << (host.mPopups.empty() ? "" : host.mPopups[0]);
  }
};

// Whether memory images can blit yet: pixel checks wait for it.
bool BlitsDraw() {
  MemoryImage aSource;
  const uint32_t aWhite = 0xFFFFFFFFu;
  aSource.SetBits(&aWhite, 1, 1);
  MemoryImage aDest;
  const uint32_t aBlack = 0xFF000000u;
  aDest.SetBits(&aBlack, 1, 1);
  Graphics g(&aDest);
  g.DrawImage(&aSource, 0, 0);
  return aDest.GetBits()[0] != aBlack;
}

int DrawnWidth(ImageFont* theFont, const TeskString& theString, std::list<TRect<int>>* theAreas = nullptr) {
  RecordingImage anImage;
  Graphics g(&anImage);
  int aWidth = -1;
  theFont->DrawStringEx(&g, 100, 100, theString, Color::White, nullptr, theAreas, &aWidth);
  return aWidth;
}

}  // namespace

TEST(ImageFont, MeasuringEqualsTheDrawnAdvance) {
  struct Case {
    const char* extra;
    int pointSize;
    double scale;
  };
  const Case kCases[] = {
      {"", 10, 1.0},
      {"LayerSetCharOffsets Main ('a' 'b') ((2 -1) (-3 0)); LayerSetOffset Main (1 2);", 10, 1.0},
      {"CreateLayerFrom Wide Main; LayerSetSpacing Wide 3; LayerSetCharWidths Wide ('c') (7);", 10, 1.0},
      {"CreateLayerFrom Wide Main; LayerSetSpacing Wide 3;", 13, 1.0},
      {"CreateLayerFrom Wide Main; LayerSetSpacing Wide 3; LayerSetPointSize Wide 0;", 10, 1.7},
      {"LayerSetSpacing Main -2;", 7, 0.6},
  };
  const wchar_t* kStrings[] = {L"",    L"a",     L"ab",        L"abc cba", L"a  b", L"xax",
                               L"axb", L"ccccc", L"b a c b a", L" ",       L"zz"};
  for (const Case& c : kCases) {
    FontFixture f(c.extra);
    f.font->SetPointSize(c.pointSize);
    f.font->SetScale(c.scale);
    for (const wchar_t* s : kStrings) {
      SCOPED_TRACE(testing::Message() << c.extra << " size " << c.pointSize << " scale " << c.scale << " '"
                                      << TeskStringToString(s) << "'");
      EXPECT_EQ(f.font->StringWidth(s), DrawnWidth(f.font.get(), s));
    }
  }
}

TEST(ImageFont, TwoCharactersAddTheSpacingOnce) {
  FontFixture f("");
  EXPECT_EQ(f.font->CharWidthKern(L'a', 0), 3);
  EXPECT_EQ(f.font->CharWidthKern(L'b', L'a'), 5);
  EXPECT_EQ(f.font->CharWidthKern(L'b', L'x'), 4);  // an unmapped previous character is none
  EXPECT_EQ(f.font->CharWidthKern(L'x', L'a'), 0);
  EXPECT_EQ(f.font->StringWidth(L"ab"), 3 + 4 + 1);
  EXPECT_EQ(DrawnWidth(f.font.get(), L"ab"), 3 + 4 + 1);
  EXPECT_EQ(f.font->CharWidth('a'), 3);
  EXPECT_EQ(f.font->CharWidth(L'b'), 4);
}

TEST(ImageFont, EmptyAndUnmappedStringsDrawNothing) {
  FontFixture f("");
  for (const wchar_t* s : {L"", L"xyz"}) {
    RecordingImage anImage;
    Graphics g(&anImage);
    std::list<TRect<int>> anAreas = {TRect<int>(1, 2, 3, 4)};
    int aWidth = -1;
    f.font->DrawStringEx(&g, 10, 10, s, Color::White, nullptr, &anAreas, &aWidth);
    EXPECT_TRUE(anImage.mCalls.empty());
    EXPECT_TRUE(anAreas.empty());
    EXPECT_EQ(aWidth, 0);
  }
}

TEST(ImageFont, SpaceAdvancesBySpaceWidthAndDrawsNothing) {
  // The space's glyph rectangle is given, to show that its drawn area keeps that size.
  FontFixture f("LayerSetImageMap Main (' ') ((0 0 2 3));");
  RecordingImage anImage;
  Graphics g(&anImage);
  std::list<TRect<int>> anAreas;
  int aWidth = 0;
  f.font->DrawStringEx(&g, 100, 100, L"a b", Color::White, nullptr, &anAreas, &aWidth);
  ASSERT_EQ(anImage.mCalls.size(), 2u);
  EXPECT_EQ(anImage.mCalls[1].x, 100 + 3 + 1 + 5 + 1);
  EXPECT_EQ(aWidth, 3 + 1 + 5 + 1 + 4);
  ASSERT_EQ(anAreas.size(), 3u);
  EXPECT_EQ(*std::next(anAreas.begin()), TRect<int>(104, 96, 2, 3));
}

TEST(ImageFont, GlyphsArePlacedByOffsetsAndAscent) {
  FontFixture f("LayerSetOffset Main (1 2); LayerSetCharOffsets Main ('b') ((3 -1));");
  RecordingImage anImage;
  Graphics g(&anImage);
  std::list<TRect<int>> anAreas;
  f.font->DrawStringEx(&g, 100, 50, L"ab", Color::White, nullptr, &anAreas, nullptr);
  ASSERT_EQ(anImage.mCalls.size(), 2u);
  // y = baseline - (ascent - layer offset y - glyph offset y)
  EXPECT_EQ(anImage.mCalls[0].x, 101);
  EXPECT_EQ(anImage.mCalls[0].y, 50 - (4 - 2 - 0));
  EXPECT_EQ(anImage.mCalls[0].src, TRect<int>(0, 0, 2, 4));
  EXPECT_EQ(anImage.mCalls[1].x, 100 + 3 + 1 + 1 + 3);
  EXPECT_EQ(anImage.mCalls[1].y, 50 - (4 - 2 + 1));
  EXPECT_EQ(anImage.mCalls[1].src, TRect<int>(2, 0, 3, 4));
  EXPECT_EQ(anAreas.back(), TRect<int>(108, 47, 3, 4));
}

TEST(ImageFont, LayersTagsAndRangesSelectTheActiveLayers) {
  FontFixture f(
      "CreateLayerFrom Shadow Main; LayerRequireTags Shadow ('shadow'); LayerSetAscent Shadow 9;\n"
      "CreateLayerFrom Outline Main; LayerExcludeTags Outline ('plain' 'flat'); LayerSetAscentPadding "
      "Outline -2;\n"
      "CreateLayerFrom Big Main; LayerPointRange Big 12 -1; LayerSetLineSpacingOffset Big 4;\n"
      "CreateLayerFrom Small Main; LayerPointRange Small 0 9;\n"
      "CreateLayerFrom Both Main; LayerRequireTags Both ('shadow' 'glow');\n");
  auto aNames = [&]() {
    f.font->Prepare();
    std::string aResult;
    for (const ActiveFontLayer& aLayer : f.font->mActiveLayerList)
      for (auto& anEntry : f.font->mFontData->mFontLayerMap)
        if (anEntry.second == aLayer.mBaseFontLayer) aResult += anEntry.first + " ";
    return aResult;
  };
  EXPECT_EQ(f.font->GetPointSize(), 10);
  EXPECT_EQ(f.font->GetDefaultPointSize(), 10);
  EXPECT_EQ(aNames(), "MAIN OUTLINE ");
  EXPECT_EQ(f.font->GetAscentPadding(), -2);

  EXPECT_TRUE(f.font->AddTag("Shadow"));
  EXPECT_FALSE(f.font->mActiveListValid);
  EXPECT_EQ(aNames(), "MAIN SHADOW OUTLINE ");
  EXPECT_EQ(f.font->GetAscent(), 9);

  // A tag differing only in case is already there: nothing changes.
  EXPECT_FALSE(f.font->AddTag("SHADOW"));
  EXPECT_TRUE(f.font->mActiveListValid);
  EXPECT_TRUE(f.font->HasTag("shadow"));

  EXPECT_TRUE(f.font->AddTag("glow"));
  EXPECT_TRUE(f.font->AddTag("flat"));
  EXPECT_EQ(aNames(), "MAIN SHADOW BOTH ");

  EXPECT_TRUE(f.font->RemoveTag("sHaDoW"));
  EXPECT_FALSE(f.font->mActiveListValid);
  EXPECT_FALSE(f.font->RemoveTag("shadow"));
  EXPECT_EQ(aNames(), "MAIN ");

  f.font->SetPointSize(12);
  EXPECT_EQ(aNames(), "MAIN BIG ");
  EXPECT_EQ(f.font->GetLineSpacingOffset(), 4 * 12 / 10);
  f.font->SetPointSize(9);
  EXPECT_EQ(aNames(), "MAIN SMALL ");
}

TEST(ImageFont, APointSizeOutsideEveryRangeLeavesNothing) {
  FontFixture f("LayerPointRange Main 20 30;");
  EXPECT_TRUE(f.font->mActiveLayerList.empty());
  EXPECT_EQ(f.font->GetAscent(), 0);
  EXPECT_EQ(f.font->GetHeight(), 0);
  EXPECT_EQ(f.font->StringWidth(L"abc"), 0);
  RecordingImage anImage;
  Graphics g(&anImage);
  int aWidth = -1;
  f.font->DrawStringEx(&g, 0, 0, L"abc", Color::White, nullptr, nullptr, &aWidth);
  EXPECT_TRUE(anImage.mCalls.empty());
  EXPECT_EQ(aWidth, 0);
}

TEST(ImageFont, MetricsComeFromTheActiveLayers) {
  FontFixture f(
      "CreateLayerFrom Two Main; LayerSetHeight Two 0; LayerSetAscentPadding Two 3;"
      "LayerSetLineSpacingOffset Main 2; LayerSetLineSpacingOffset Two -1;");
  EXPECT_EQ(f.font->GetAscent(), 4);
  EXPECT_EQ(f.font->GetHeight(), 6);  // Two falls back to its tallest glyph, 4
  EXPECT_EQ(f.font->GetAscentPadding(), 0);
  EXPECT_EQ(f.font->GetLineSpacingOffset(), 2);
  EXPECT_EQ(f.font->GetDescent(), 2);
  f.font->SetPointSize(20);
  f.font->Prepare();
  EXPECT_EQ(f.font->GetAscent(), 8);
  EXPECT_EQ(f.font->GetHeight(), 12);
}

TEST(ImageFont, GlyphsDrawByOrderThenStringThenLayer) {
  FontFixture f(
      "LayerSetBaseOrder Main 1;\n"
      "CreateLayerFrom Back Main; LayerSetBaseOrder Back 0; LayerSetColorMult Back (0 0 0 1);\n"
      "CreateLayerFrom Low Main; LayerSetBaseOrder Low -300; LayerSetCharOrders Low ('b') (100);\n"
      "CreateLayerFrom High Main; LayerSetBaseOrder High 127; LayerSetCharOrders High ('a') (500);\n");
  RecordingImage anImage;
  Graphics g(&anImage);
  f.font->DrawStringEx(&g, 100, 100, L"ab", Color::White, nullptr, nullptr, nullptr);
  // Commands: a: Main(1) Back(0) Low(-300) High(627); b: Main(1) Back(0) Low(-200) High(127).
  // Buckets: Low a, Low b (both clamped to 0); Back a, Back b; Main a, Main b; High a, High b (both 255).
  ASSERT_EQ(anImage.mCalls.size(), 8u);
  const int kX[8] = {100, 104, 100, 104, 100, 104, 100, 104};
  const bool kBlack[8] = {false, false, true, true, false, false, false, false};
  for (int i = 0; i < 8; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(anImage.mCalls[i].x, kX[i]);
    EXPECT_EQ(anImage.mCalls[i].color == Color(0, 0, 0, 255), kBlack[i]);
  }
}

TEST(ImageFont, ColoursModesAndTheContextAreRestored) {
  FontFixture f(
      "LayerSetColorMult Main (1 1 1 1);\n"
      "CreateLayerFrom Add Main; LayerSetColorMult Add (0.5 1 0 1); LayerSetColorAdd Add (0.8 0 0.1 0);"
      "LayerSetDrawMode Add 1;\n"
      "CreateLayerFrom Normal Main; LayerSetDrawMode Normal 0;\n");
  RecordingImage anImage;
  Graphics g(&anImage);
  g.SetColor(Color(1, 2, 3, 4));
  g.SetDrawMode(1);
  g.SetColorizeImages(false);
  f.font->DrawStringEx(&g, 100, 100, L"a", Color(200, 100, 50, 255), nullptr, nullptr, nullptr);
  ASSERT_EQ(anImage.mCalls.size(), 3u);
  EXPECT_EQ(anImage.mCalls[0].color, Color(200, 100, 50, 255));  // passed through unchanged
  EXPECT_EQ(anImage.mCalls[0].mode, 1);                          // -1 keeps the context's mode
  EXPECT_EQ(anImage.mCalls[1].color, Color(255, 100, 25, 255));  // 99 + 204 capped; 0 + 25
  EXPECT_EQ(anImage.mCalls[1].mode, 1);
  EXPECT_EQ(anImage.mCalls[2].mode, 0);
  EXPECT_EQ(g.GetColor(), Color(1, 2, 3, 4));
  EXPECT_EQ(g.GetDrawMode(), 1);
  EXPECT_FALSE(g.GetColorizeImages());
}

TEST(ImageFont, PixelsMatchAHandCheckedReference) {
  if (!BlitsDraw()) GTEST_SKIP() << "memory images do not blit yet";
  // Sheet: 'a' is a 2x2 white block with a half-transparent bottom row, 'b' a 1x3 bar.
  const uint32_t W = 0xFFFFFFFF, H = 0x80FFFFFF, o = 0;
  const uint32_t kSheet[3 * 3] = {W, W, W,  //
                                  H, H, W,  //
                                  o, o, W};
  FontTestHost aHost;
  aHost.AddSheet("tiny.png", 3, 3, kSheet);
  auto aFont = MakeFont(&aHost,
                        "Define CharList ('a' 'b'); CreateLayer L; LayerSetImage L 'tiny.png';"
                        "LayerSetImageMap L CharList ((0 0 2 2) (2 0 1 3));"
                        "LayerSetCharWidths L CharList (3 2); LayerSetAscent L 3; LayerSetSpacing L 1;");
  MemoryImage aDest;
  std::vector<uint32_t> aBlack(8 * 5, 0xFF000000u);
  aDest.SetBits(aBlack.data(), 8, 5);
  Graphics g(&aDest);
  int aWidth = 0;
  aFont->DrawStringEx(&g, 1, 4, L"ab", Color(255, 0, 0, 255), nullptr, nullptr, &aWidth);
  EXPECT_EQ(aWidth, 3 + 1 + 2);
  // Baseline 4, ascent 3: glyph tops at row 1. 'a' at x 1, 'b' at x 1 + 3 + 1 = 5.
  // A white sheet pixel tinted red over opaque black, with the blitters' shifts by 8:
  // weight w = 255, red = (255 * ((255 * 255 << 16) >> 8)) >> 8 = 0xFD02FF, kept byte 0xFD;
  // at sheet alpha 0x80, w = 128: red = (255 * ((128 * 255 << 16) >> 8)) >> 8 = 0x7F0080, byte 0x7F.
  const uint32_t R = 0xFFFD0000, r = 0xFF7F0000, K = 0xFF000000;
  const uint32_t kExpected[8 * 5] = {K, K, K, K, K, K, K, K,  //
                                     K, R, R, K, K, R, K, K,  //
                                     K, r, r, K, K, R, K, K,  //
                                     K, K, K, K, K, R, K, K,  //
                                     K, K, K, K, K, K, K, K};
  const uint32_t* aBits = aDest.GetBits();
  for (int i = 0; i < 8 * 5; ++i) EXPECT_EQ(aBits[i], kExpected[i]) << "x " << i % 8 << " y " << i / 8;
}

TEST(ImageFont, ScaledSheetsAreMadeAndOwned) {
  FontFixture f("CreateLayerFrom Free Main; LayerSetPointSize Free 0;");
  // At the layer's own size, the layer's sheet is drawn directly.
  ASSERT_EQ(f.font->mActiveLayerList.size(), 2u);
  EXPECT_FALSE(f.font->mActiveLayerList.front().mOwnsImage);
  EXPECT_EQ(f.font->mActiveLayerList.front().mScaledImage, f.host.mSheets["sheet.png"].get());

  f.font->SetPointSize(20);
  f.font->Prepare();
  const ActiveFontLayer& aMain = f.font->mActiveLayerList.front();
  const ActiveFontLayer& aFree = f.font->mActiveLayerList.back();
  EXPECT_TRUE(aMain.mOwnsImage);
  ASSERT_EQ(aMain.mScaledCharImageRects.size(), 4u);
  EXPECT_EQ(aMain.mScaledCharImageRects[0], TRect<int>(0, 0, 4, 8));
  EXPECT_EQ(aMain.mScaledCharImageRects[1], TRect<int>(4, 0, 6, 8));
  EXPECT_EQ(aMain.mScaledImage->GetWidth(), 12);
  EXPECT_EQ(aMain.mScaledImage->GetHeight(), 8);
  // The free layer is not tied to a size: it stays as drawn.
  EXPECT_FALSE(aFree.mOwnsImage);
  EXPECT_EQ(f.font->CharWidthKern(L'b', L'a'), 4 * 2 + 1 * 2);
  // The stretched glyph carries the sheet's white.
  const bool aBlits = BlitsDraw();
  if (aBlits) {
    EXPECT_GT(static_cast<MemoryImage*>(aMain.mScaledImage)->GetBits()[0] >> 24, 0x80u);
  }

  // A copy owns its own sheets: deleting the original leaves it drawable.
  std::unique_ptr<Font> aCopy(f.font->Duplicate());
  ImageFont* aCopyFont = static_cast<ImageFont*>(aCopy.get());
  EXPECT_NE(aCopyFont->mActiveLayerList.front().mScaledImage, aMain.mScaledImage);
  EXPECT_EQ(aCopyFont->mFontData->mRefCount, 2);
  f.font.reset();
  EXPECT_EQ(aCopyFont->mFontData->mRefCount, 1);
  MemoryImage aDest;
  std::vector<uint32_t> aBlack(64 * 32, 0xFF000000u);
  aDest.SetBits(aBlack.data(), 64, 32);
  Graphics g(&aDest);
  int aWidth = 0;
  aCopyFont->DrawStringEx(&g, 2, 20, L"ab", Color::White, nullptr, nullptr, &aWidth);
  EXPECT_EQ(aWidth, aCopyFont->StringWidth(L"ab"));
  if (aBlits) {
    EXPECT_GT((aDest.GetBits()[13 * 64 + 3] >> 16) & 0xFF, 0x80u);
  }

  // A scale of its own applies on top of the point size.
  aCopyFont->SetPointSize(10);
  aCopyFont->SetScale(1.5);
  EXPECT_EQ(aCopyFont->StringWidth(L"a"), 4);  // int(3 * 1.5)
}

TEST(ImageFont, TheCommandPoolHoldsFourThousandAndNinetySixGlyphs) {
  FontFixture f("CreateLayerFrom Two Main;");
  TeskString aString(2049, L'c');
  RecordingImage anImage;
  Graphics g(&anImage);
  std::list<TRect<int>> anAreas;
  int aWidth = 0;
  f.font->DrawStringEx(&g, 0, 100, aString, Color::White, nullptr, &anAreas, &aWidth);
  EXPECT_EQ(anImage.mCalls.size(), 4096u);
  EXPECT_EQ(anAreas.size(), 4096u);
  EXPECT_EQ(aWidth, 2048 * (2 + 1));
}

TEST(ImageFont, LayersWithoutDataForACharacterAddNothing) {
  // Extra is created before any widths: its table is empty, yet 'c' is mapped.
  FontTestHost aHost;
  std::vector<uint32_t> aPixels(6 * 4, 0xFFFFFFFFu);
  aHost.AddSheet("sheet.png", 6, 4, aPixels.data());
  auto aFont = MakeFont(&aHost, std::string("CreateLayer Extra; LayerSetAscent Extra 2;") + kBasic);
  ASSERT_TRUE(aFont->mFontData->mInitialized);
  EXPECT_EQ(aFont->StringWidth(L"cc"), 2 + 2 + 1);
  RecordingImage anImage;
  Graphics g(&anImage);
  std::list<TRect<int>> anAreas;
  int aWidth = 0;
  aFont->DrawStringEx(&g, 100, 100, L"cc", Color::White, nullptr, &anAreas, &aWidth);
  EXPECT_EQ(aWidth, 5);
  EXPECT_EQ(anImage.mCalls.size(), 2u);  // only Main draws
  ASSERT_EQ(anAreas.size(), 4u);
  EXPECT_EQ(anAreas.front(), TRect<int>(100, 98, 0, 0));
}

TEST(ImageFont, KoreanTextTurnsHighCharacters) {
  FontFixture f("SetCharMap ('\xE9') ('\x01');");  // to index 1, the glyph of 'b'

  FontHost::s_languageUsing = 4;
  RecordingImage anImage;
  Graphics g(&anImage);
  f.font->DrawStringEx(&g, 100, 100, L"a\u00E9", Color::White, nullptr, nullptr, nullptr);
  FontHost::s_languageUsing = 0;
  ASSERT_EQ(anImage.mCalls.size(), 2u);
  EXPECT_FALSE(anImage.mCalls[0].rotated);
  EXPECT_TRUE(anImage.mCalls[1].rotated);
  EXPECT_EQ(anImage.mCalls[1].src, TRect<int>(1, 0, 5, 4));  // one more column each side, one more row
}

TEST(ImageFont, AFontWhoseDescriptorFailedMeasuresAndDrawsNothing) {
  FontTestHost aHost;
  auto aBroken =
      MakeFont(&aHost, "Define CharList ('a'); CreateLayer M; LayerSetCharWidths M ('a') (5); Oops");
  EXPECT_FALSE(aBroken->mFontData->mInitialized);
  EXPECT_EQ(aHost.mPopups.size(), 1u);
  ImageFont aLegacy(static_cast<Image*>(nullptr), "font.txt");
  for (ImageFont* aFont : {aBroken.get(), &aLegacy}) {
    EXPECT_EQ(aFont->StringWidth(L"aaa"), 0);
    RecordingImage anImage;
    Graphics g(&anImage);
    int aWidth = -1;
    aFont->DrawStringEx(&g, 0, 0, L"aaa", Color::White, nullptr, nullptr, &aWidth);
    EXPECT_EQ(aWidth, 0);
    EXPECT_TRUE(anImage.mCalls.empty());
  }
}

TEST(ImageFont, DefinesReadAsText) {
  FontFixture f("Define Title 'Hello'; Define Pair (1 (2 'x'));");
  EXPECT_EQ(f.font->GetDefine(L"title"), L"'Hello'");
  EXPECT_EQ(f.font->GetDefine(L"PAIR"), L"(1, (2, x))");
  EXPECT_EQ(f.font->GetDefine(L"nothing"), L"");
}

TEST(ImageFont, GeneratedFontsLoadMeasureAndDraw) {
  TeskTools::FontSheetOptions anOptions;
  anOptions.mPixelSize = 14;
  anOptions.mChars = TeskTools::AsciiChars() + L"\u00E9\u0416";
  TeskTools::FontSheet aSheet;
  std::string anError;
  ASSERT_TRUE(TeskTools::RenderFontSheet(anOptions, &aSheet, &anError)) << anError;
  EXPECT_FALSE(aSheet.mKerning.empty());
  for (bool aWide : {false, true}) {
    SCOPED_TRACE(aWide ? "16-bit" : "8-bit");
    TeskTools::DescriptorOptions aDescOptions;
    aDescOptions.mSheetFileName = "gen.png";
    aDescOptions.mSpacing = 1;
    aDescOptions.mSixteenBit = aWide;
    FontTestHost aHost;
    aHost.AddSheet("gen.png", aSheet.mWidth, aSheet.mHeight, aSheet.mPixels.data());
    std::wstring aText = TeskTools::MakeFontDescriptor(aSheet, aDescOptions);
    auto aFont = MakeFont(&aHost, TeskTools::EncodeDescriptor(aText, aWide));
    ASSERT_TRUE(aFont->mFontData->mInitialized) << (aHost.mPopups.empty() ? "" : aHost.mPopups[0]);
    EXPECT_EQ(aFont->mActiveLayerList.size(), 2u);  // Main and Outline
    aFont->AddTag("shadow");
    aFont->Prepare();
    EXPECT_EQ(aFont->mActiveLayerList.size(), 3u);
    aFont->AddTag("plain");
    aFont->Prepare();
    EXPECT_EQ(aFont->mActiveLayerList.size(), 2u);  // Main and Shadow
    EXPECT_EQ(aFont->GetAscent(), aSheet.mAscent);

    const TeskString aLine = L"Hello, World! It's \"q\" \\ caf\u00E9 \u0416";
    MemoryImage aDest;
    std::vector<uint32_t> aBlack(400 * 40, 0xFF000000u);
    aDest.SetBits(aBlack.data(), 400, 40);
    Graphics g(&aDest);
    int aWidth = 0;
    aFont->DrawStringEx(&g, 5, 25, aLine, Color::White, nullptr, nullptr, &aWidth);
    EXPECT_EQ(aWidth, aFont->StringWidth(aLine));
    EXPECT_GT(aWidth, 200);
    int aLit = 0;
    for (int i = 0; i < 400 * 40; ++i) aLit += (aDest.GetBits()[i] & 0xFF) > 128;
    if (BlitsDraw()) {
      EXPECT_GT(aLit, 150);
    }
  }
}

TEST(ImageFont, ExtremeNumbersStayInRange) {
  // Every length is held to a sane bound, so nothing overflows however large the numbers.
  FontFixture f(
      "LayerSetAscent Main 2147483647; LayerSetOffset Main (-2147483648 5);"
      "LayerSetCharWidths Main ('a' 'b') (2147483647 -2147483648); LayerSetSpacing Main 2147483647;"
      "LayerSetCharOrders Main ('a') (2147483647); LayerSetBaseOrder Main 2147483647;"
      "LayerSetCharOffsets Main ('a') ((2147483647 -2147483648));"
      "CreateHorzSpanRectList Far (2147483647 0 0 1) (2147483647 5);");
  for (int aSize : {10, 2000000000, -5}) {
    SCOPED_TRACE(aSize);
    f.font->SetPointSize(aSize);
    f.font->SetScale(aSize == -5 ? -3.0 : 1e30);
    int aMeasured = f.font->StringWidth(L"abab c");
    EXPECT_EQ(aMeasured, DrawnWidth(f.font.get(), L"abab c"));
  }
  EXPECT_EQ(f.font->GetDefine(L"far"), L"((2147483647, 0, 2147483647, 1), (4294967294, 0, 5, 1))");
}

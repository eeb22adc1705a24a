#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "FontTestHost.h"
#include "resources/FontData.h"

using namespace Tesk;
using TeskTest::FontTestHost;

namespace {

struct DataDeleter {
  void operator()(FontData* theData) const { theData->DeRef(); }
};
using DataPtr = std::unique_ptr<FontData, DataDeleter>;

DataPtr Load(FontTestHost* theHost, const std::string& theText, std::string* thePath = nullptr) {
  return DataPtr(TeskTest::LoadFontText(theHost, theText, thePath));
}

FontLayer* Layer(FontData* theData, const std::string& theName) {
  auto anIt = theData->mFontLayerMap.find(theName);
  return anIt == theData->mFontLayerMap.end() ? nullptr : anIt->second;
}

// The message part of a popup: what follows the header line.
std::string Message(const std::string& thePopup) {
  size_t aBreak = thePopup.find("\r\n");
  std::string aRest = aBreak == std::string::npos ? thePopup : thePopup.substr(aBreak + 2);
  size_t anOn = aRest.find(" on Line ");
  return anOn == std::string::npos ? aRest : aRest.substr(0, anOn);
}

}  // namespace

TEST(FontData, EveryCommandTakesEffect) {
  FontTestHost aHost;
  aHost.AddSheet("sheet.png", 40, 20);
  DataPtr aData = Load(&aHost,
                       "SetDefaultPointSize 12;\n"
                       "Define CharList ('a' 'b' 'c');\n"
                       "SetCharMap ('x' 'y') ('a' 'b');\n"
                       "CreateHorzSpanRectList Rects (10 2 0 8) (5 6 7);\n"
                       "CreateLayer Main;\n"
                       "LayerSetImage Main 'sheet.png';\n"
                       "LayerSetImageMap Main CharList Rects;\n"
                       "LayerSetCharWidths Main CharList (6 7 8);\n"
                       "LayerSetCharOffsets Main ('a' 'c') ((1 -2) (3 4));\n"
                       "LayerSetCharOrders Main ('b') (5);\n"
                       "LayerSetKerningPairs Main ('ab') (-1);\n"
                       "LayerRequireTags Main ('big' 'Bold');\n"
                       "LayerExcludeTags Main ('small');\n"
                       "LayerPointRange Main 8 20;\n"
                       "LayerSetPointSize Main 16;\n"
                       "LayerSetHeight Main 11;\n"
                       "LayerSetDrawMode Main 1;\n"
                       "LayerSetColorMult Main (1 0.5 0 1);\n"
                       "LayerSetColorAdd Main 0x10203040;\n"
                       "LayerSetAscent Main 9;\n"
                       "LayerSetAscentPadding Main 2;\n"
                       "LayerSetLineSpacingOffset Main -3;\n"
                       "LayerSetOffset Main (4 -5);\n"
                       "LayerSetSpacing Main 1;\n"
                       "LayerSetBaseOrder Main -7;\n"
                       "createlayerfrom Copy main;\n");
  EXPECT_TRUE(aHost.mPopups.empty()) << aHost.mPopups[0];
  ASSERT_TRUE(aData->mInitialized);
  EXPECT_EQ(aData->mDefaultPointSize, 12);
  EXPECT_EQ(aData->mCharMap.size(), 5u);
  EXPECT_EQ(aData->mCharMap[L'c'], 2);
  EXPECT_EQ(aData->mCharMap[L'y'], L'b');
  EXPECT_EQ(aData->DataElementToString(aData->Dereference(L"rects")),
            L"((10, 2, 5, 8), (15, 2, 6, 8), (21, 2, 7, 8))");

  FontLayer* aMain = Layer(aData.get(), "MAIN");
  ASSERT_NE(aMain, nullptr);
  ASSERT_EQ(aMain->mCharData.size(), 3u);
  EXPECT_EQ(aMain->mCharData[1].mImageRect, TRect<int>(15, 2, 6, 8));
  EXPECT_EQ(aMain->mCharData[2].mWidth, 8);
  EXPECT_EQ(aMain->mCharData[0].mOffset, TPoint<int>(1, -2));
  EXPECT_EQ(aMain->mCharData[2].mOffset, TPoint<int>(3, 4));
  EXPECT_EQ(aMain->mCharData[1].mOrder, 5);
  EXPECT_TRUE(aMain->mCharData[0].mKerningOffsets.empty());
  EXPECT_EQ(aMain->mDefaultHeight, 8);  // taken when the rectangles are given, before the offsets
  EXPECT_EQ(aMain->mRequiredTags, (std::vector<TeskString>{L"BIG", L"BOLD"}));
  EXPECT_EQ(aMain->mExcludedTags, (std::vector<TeskString>{L"SMALL"}));
  EXPECT_EQ(aMain->mMinPointSize, 8);
  EXPECT_EQ(aMain->mMaxPointSize, 20);
  EXPECT_EQ(aMain->mPointSize, 16);
  EXPECT_EQ(aMain->mHeight, 11);
  EXPECT_EQ(aMain->mDrawMode, 1);
  EXPECT_EQ(aMain->mColorMult, Color(255, 127, 0, 255));
  EXPECT_EQ(aMain->mColorAdd, Color(0x20, 0x30, 0x40, 0x10));
  EXPECT_EQ(aMain->mAscent, 9);
  EXPECT_EQ(aMain->mAscentPadding, 2);
  EXPECT_EQ(aMain->mLineSpacingOffset, -3);
  EXPECT_EQ(aMain->mOffset, TPoint<int>(4, -5));
  EXPECT_EQ(aMain->mSpacing, 1);
  EXPECT_EQ(aMain->mBaseOrder, -7);
  EXPECT_EQ(aMain->mImage.get(), aHost.mSheets["sheet.png"].get());
  EXPECT_EQ(aMain->mFontData, aData.get());

  FontLayer* aCopy = Layer(aData.get(), "COPY");
  ASSERT_NE(aCopy, nullptr);
  EXPECT_EQ(aCopy->mCharData.size(), 3u);
  EXPECT_EQ(aCopy->mCharData[1].mImageRect, TRect<int>(15, 2, 6, 8));
  EXPECT_EQ(aCopy->mColorMult, aMain->mColorMult);
  EXPECT_EQ(aCopy->mImage, aMain->mImage);
  EXPECT_EQ(aData->mFontLayerList.size(), 2u);
}

TEST(FontData, SheetPathsResolveAgainstTheDescriptorAndNewSheetsArePalettised) {
  FontTestHost aHost;
  std::vector<uint32_t> aPixels(8 * 4, 0xFFFFFFFFu);
  MemoryImage* aSheet = aHost.AddSheet("glyphs.png", 8, 4, aPixels.data());
  std::string aPath;
  DataPtr aData = Load(&aHost,
                       "CreateLayer A; LayerSetImage A './glyphs.png'; CreateLayer B;"
                       "Define Name 'glyphs.png'; LayerSetImage B Name; LayerSetImage B Other",
                       &aPath);
  const std::string aDir = aPath.substr(0, aPath.rfind('/'));
  ASSERT_EQ(aHost.mAsked.size(), 3u);
  EXPECT_EQ(aHost.mAsked[0], aDir + "/glyphs.png");
  EXPECT_EQ(aHost.mAsked[1], aDir + "/glyphs.png");
  EXPECT_TRUE(aSheet->mPalette != nullptr);
  EXPECT_EQ(aData->mFontLayerList.back().mImage.get(), aSheet);
  // A name that is not defined is taken as the file name itself.
  EXPECT_EQ(aHost.mAsked[2], aDir + "/Other");
  EXPECT_FALSE(aData->mInitialized);
}

TEST(FontData, PopupNamesTheFileTheLineAndTheCommand) {
  FontTestHost aHost;
  std::string aPath;
  DataPtr aData = Load(&aHost, "# header\nCreateLayer Main;\n\n  Bogus 1\n  2;\nCreateLayer Never;", &aPath);
  ASSERT_EQ(aHost.mPopups.size(), 1u);
  EXPECT_EQ(aHost.mPopups[0],
            "Font Descriptor Error in " + aPath + "\r\nUnknown Command on Line 4:\r\n\r\nBogus 1\n2");
  EXPECT_FALSE(aData->mInitialized);
  // Commands before the failure keep their effect, later ones never run.
  EXPECT_EQ(aData->mFontLayerList.size(), 1u);
  EXPECT_TRUE(aData->mErrorText.empty());
}

TEST(FontData, WithoutAnApplicationErrorsAreSilent) {
  FontData aData;
  EXPECT_FALSE(aData.Error("Unknown Command"));
  EXPECT_TRUE(aData.mErrorText.empty());
  ListDataElement aParams;
  aParams.mElements.push_back(new SingleDataElement(L"Nothing"));
  EXPECT_FALSE(aData.HandleCommand(aParams));
  EXPECT_FALSE(aData.LoadLegacy(nullptr, "x"));
  EXPECT_FALSE(aData.mInitialized);
}

TEST(FontData, LoadRunsOnce) {
  FontTestHost aHost;
  std::string aPath;
  DataPtr aData = Load(&aHost, "SetDefaultPointSize 3", &aPath);
  EXPECT_TRUE(aData->mInitialized);
  EXPECT_FALSE(aData->Load(&aHost, aPath));

  FontData* aMissing = new FontData();
  aMissing->Ref();
  EXPECT_TRUE(aMissing->Load(&aHost, "/nonexistent/font.txt"));
  EXPECT_FALSE(aMissing->mInitialized);
  aMissing->DeRef();
  EXPECT_EQ(aHost.mPopups.size(), 0u);
}

TEST(FontData, BadCommandsGiveTheirMessages) {
  struct Case {
    const char* text;
    std::vector<std::string> messages;
    bool initialized;
  };
  const char* kSetup = "Define CharList ('a' 'b'); CreateLayer Main; ";
  const Case kCases[] = {
      {"Frobnicate 1", {"Unknown Command"}, false},
      {"SetDefaultPointSize 1 2", {"Invalid Number of Parameters"}, false},
      {"SetDefaultPointSize", {"Invalid Number of Parameters"}, false},
      {"SetDefaultPointSize '12'", {"Invalid Paramater Type"}, false},
      {"Define SIZE 12; SetDefaultPointSize SIZE", {"Invalid Paramater Type"}, false},
      {"SetDefaultPointSize (12)", {"Invalid Paramater Type"}, false},
      {"Define 5x (1)", {"Invalid Paramater Type"}, false},
      {"Define 'q' 1", {"Invalid Paramater Type"}, false},
      {"Define (a) 1", {"Invalid Paramater Type"}, false},
      {"Define A (B)", {"Unable to Dereference \"B\""}, false},
      {"LayerSetDrawMode Main 2", {"Invalid Paramater Type"}, false},
      {"LayerSetDrawMode Main -1", {"Invalid Paramater Type"}, false},
      {"LayerSetColorMult Main (1 1 1)", {"Invalid Paramater Type"}, false},
      {"LayerSetColorMult Main White", {"Invalid Paramater Type"}, false},
      {"LayerSetColorAdd Main '0xFF'", {"Invalid Paramater Type"}, false},
      {"LayerSetAscent Nope 3", {"Undefined Layer", "Invalid Paramater Type"}, false},
      {"LayerSetAscent (Main) 3", {"Invalid Paramater Type"}, false},
      {"LayerSetAscent 'Main' 3", {"Undefined Layer", "Invalid Paramater Type"}, false},
      {"CreateLayerFrom New Nope", {"Undefined Layer", "Invalid Paramater Type"}, false},
      {"CreateLayer Main; SetDefaultPointSize 4", {"Layer Already Exists"}, true},
      {"CreateLayerFrom main Main", {"Layer Already Exists"}, true},
      {"SetCharMap ('a') ('b' 'c')", {"List Size Mismatch"}, false},
      {"SetCharMap ('ab' 'c') ('d' 'e')", {"Invalid Paramater Type"}, false},
      {"SetCharMap 'a' 'b'", {"Unable to Dereference \"'a'\"", "Invalid Paramater Type"}, false},
      {"LayerSetImage Main 'missing.png'", {"Failed to Load Image"}, false},
      {"LayerSetImage Main (a)", {"Invalid Paramater Type"}, false},
      {"LayerSetImageMap Main ('a') ((0 0 1 1))", {"Layer image not set"}, false},
      {"LayerSetImage Main 'sheet.png'; LayerSetImageMap Main ('a' 'b') ((0 0 5 5))",
       {"List Size Mismatch"},
       false},
      {"LayerSetImage Main 'sheet.png'; LayerSetImageMap Main ('a') ((0 0 20 10))", {}, true},
      {"LayerSetImage Main 'sheet.png'; LayerSetImageMap Main ('a') ((1 0 20 10))",
       {"Image rectangle out of bounds"},
       false},
      {"LayerSetImage Main 'sheet.png'; LayerSetImageMap Main ('a') ((0 1 20 10))",
       {"Image rectangle out of bounds"},
       false},
      {"LayerSetImage Main 'sheet.png'; LayerSetImageMap Main ('a') ((-1 0 2 2))",
       {"Image rectangle out of bounds"},
       false},
      {"LayerSetImage Main 'sheet.png'; LayerSetImageMap Main ('a') ((5 5 -2 1))",
       {"Image rectangle out of bounds"},
       false},
      {"LayerSetImage Main 'sheet.png'; LayerSetImageMap Main ('a') ((0 0 2147483647 1))",
       {"Image rectangle out of bounds"},
       false},
      {"LayerSetImage Main 'sheet.png'; LayerSetImageMap Main ('a' 'b') ((0 0 1) (0 0 1 1))",
       {"Invalid Paramater Type"},
       false},
      {"LayerSetCharWidths Main ('a' 'z' 'b') (1 2 3)", {"Invalid Paramater Type"}, false},
      {"LayerSetCharWidths Main ('a') (1 2)", {"List Size Mismatch"}, false},
      {"LayerSetCharOffsets Main ('a') ((1 2 3))", {"Invalid Paramater Type"}, false},
      {"LayerSetCharOrders Main ('a') ('x')", {"Invalid Paramater Type"}, false},
      {"LayerSetOffset Main (1)", {"Invalid Paramater Type"}, false},
      {"LayerSetKerningPairs Main ('ab') ('x')", {"Invalid Paramater Type"}, false},
      {"LayerRequireTags Main (outline)",
       {"Unable to Dereference \"outline\"", "Invalid Paramater Type"},
       false},
      {"LayerPointRange Main 1", {"Invalid Number of Parameters"}, false},
      {"CreateHorzSpanRectList R (0 0 0) (1)", {"Invalid Paramater Type"}, false},
      {"Go a(b)", {"Unexpected List Start"}, false},
      {"Go a)", {"Unexpected List End"}, false},
      {"Go (a", {"Unterminated List"}, false},
      {"Go 'a", {"Unterminated Single Quotes"}, false},
      {"Go \"a", {"Unterminated Double Quotes"}, false},
      {"(Go)", {"Missing Command"}, false},
  };
  for (const Case& c : kCases) {
    for (int aWide = 0; aWide < 2; ++aWide) {
      SCOPED_TRACE(testing::Message() << c.text << (aWide ? " (16-bit)" : ""));
      FontTestHost aHost;
      aHost.AddSheet("sheet.png", 20, 10);
      std::string aText = std::string(kSetup) + c.text;
      std::string aBytes = aText;
      if (aWide) {
        aBytes = std::string("\xFF\xFE", 2);
        for (char ch : aText) {
          aBytes.push_back(ch);
          aBytes.push_back('\0');
        }
      }
      DataPtr aData = Load(&aHost, aBytes);
      ASSERT_EQ(aHost.mPopups.size(), c.messages.size());
      for (size_t i = 0; i < c.messages.size(); ++i) EXPECT_EQ(Message(aHost.mPopups[i]), c.messages[i]);
      EXPECT_EQ(aData->mInitialized, c.initialized);
    }
  }
}

TEST(FontData, DefinesAndTheCharacterList) {
  FontTestHost aHost;
  DataPtr aData = Load(&aHost,
                       "Define CharList ('a' 'b' 'c');\n"
                       "Define charlist ('d' ('e') 'f');\n"
                       "Define L (1 2); Define A L; Define B Undefined; Define Q 'x y';\n"
                       "Define A2 A; Define L 5;");
  ASSERT_TRUE(aData->mInitialized);
  EXPECT_EQ(aData->mCharMap.size(), 5u);
  EXPECT_EQ(aData->mCharMap[L'a'], 0);
  EXPECT_EQ(aData->mCharMap[L'd'], 0);
  EXPECT_EQ(aData->mCharMap[L'f'], 2);  // a nested list still takes its index
  EXPECT_EQ(aData->DataElementToString(aData->Dereference(L"CHARLIST")), L"(d, (e), f)");
  EXPECT_EQ(aData->DataElementToString(aData->Dereference(L"a")), L"(1, 2)");
  EXPECT_EQ(aData->DataElementToString(aData->Dereference(L"A2")), L"(1, 2)");
  EXPECT_EQ(aData->DataElementToString(aData->Dereference(L"B")), L"Undefined");
  EXPECT_EQ(aData->DataElementToString(aData->Dereference(L"q")), L"'x y'");
  EXPECT_EQ(aData->DataElementToString(aData->Dereference(L"L")), L"5");
}

TEST(FontData, ColourForms) {
  struct Case {
    const char* value;
    bool ok;
    Color color;
  };
  const Case kCases[] = {
      {"(1 0.5 0 1)", true, Color(255, 127, 0, 255)},
      {"0xFF0000", true, Color(255, 0, 0, 255)},
      {"0x80FF0000", true, Color(255, 0, 0, 128)},
      {"16711680", true, Color(255, 0, 0, 255)},
      {"(0 0 0 0.5)", true, Color(0, 0, 0, 127)},
      // Fractions beyond 0..1 are held at the ends: the blitters take only 0 to 255.
      {"(2 -1 1.5 -0.25)", true, Color(255, 0, 255, 0)},
      {"(1 1 1)", false, Color()},
      {"(1 1 1 1 1)", false, Color()},
      {"(1 x 1 1)", false, Color()},
      {"red", false, Color()},
      {"'0xFF'", false, Color()},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.value);
    FontTestHost aHost;
    DataPtr aData =
        Load(&aHost, std::string("CreateLayer M; Define red (1 0 0 1); LayerSetColorMult M ") + c.value);
    EXPECT_EQ(aData->mInitialized, c.ok);
    EXPECT_EQ(Layer(aData.get(), "M")->mColorMult, c.ok ? c.color : Color::White);
  }
}

TEST(FontData, SpaceWidthAndTheFixUp) {
  FontTestHost aHost;
  // The space is unmapped: its width goes to the layer and it takes the next index (2).
  DataPtr aData = Load(&aHost,
                       "Define CharList ('a' 'b'); CreateLayer Main; CreateLayer Last;\n"
                       "LayerSetCharWidths Main ('a' 'b') (5 6); LayerSetCharWidths Last ('a' 'b') (7 8);\n"
                       "LayerSetCharWidths Last (' ') (4);");
  ASSERT_TRUE(aData->mInitialized);
  EXPECT_EQ(aData->mCharMap[L' '], 2);
  FontLayer* aLast = Layer(aData.get(), "LAST");
  EXPECT_EQ(aLast->mSpaceWidth, 4);
  ASSERT_EQ(aLast->mCharData.size(), 3u);
  EXPECT_EQ(aLast->mCharData[2].mWidth, 4);
  // Only the last layer is extended.
  EXPECT_EQ(Layer(aData.get(), "MAIN")->mCharData.size(), 2u);

  // A table that is not exactly the space's index long is left alone.
  FontTestHost aHost2;
  DataPtr aData2 = Load(&aHost2,
                        "Define CharList ('a' 'b'); CreateLayer Main; LayerSetCharWidths Main (' ') (4);\n"
                        "LayerSetCharWidths Main ('a') (9);");
  EXPECT_EQ(Layer(aData2.get(), "MAIN")->mCharData.size(), 1u);

  // No space in the map: nothing appended.
  FontTestHost aHost3;
  DataPtr aData3 =
      Load(&aHost3, "Define CharList ('a'); CreateLayer Main; LayerSetCharWidths Main ('a') (9);");
  EXPECT_EQ(Layer(aData3.get(), "MAIN")->mCharData.size(), 1u);
}

TEST(FontData, GlyphIndicesPastTheTableGrowItInsteadOfWritingOutside) {
  FontTestHost aHost;
  aHost.AddSheet("s.png", 10, 10);
  DataPtr aData = Load(&aHost,
                       "Define CharList ('a'); SetCharMap ('z' 'w') ('\xC8' '\x03'); CreateLayer Main;\n"
                       "LayerSetImage Main 's.png';\n"
                       "LayerSetCharWidths Main ('z') (5);\n"
                       "LayerSetCharOffsets Main ('z') ((1 1));\n"
                       "LayerSetCharOrders Main ('w') (2);\n"
                       "LayerSetImageMap Main ('z') ((1 2 3 4));\n");
  ASSERT_TRUE(aData->mInitialized) << (aHost.mPopups.empty() ? "" : aHost.mPopups[0]);
  FontLayer* aMain = Layer(aData.get(), "MAIN");
  ASSERT_EQ(aMain->mCharData.size(), 201u);
  EXPECT_EQ(aMain->mCharData[200].mWidth, 5);
  EXPECT_EQ(aMain->mCharData[200].mImageRect, TRect<int>(1, 2, 3, 4));
  EXPECT_EQ(aMain->mCharData[3].mOrder, 2);
  EXPECT_EQ(aMain->mDefaultHeight, 5);
}

TEST(FontData, ReferencesKeepTheDataAlive) {
  FontTestHost aHost;
  FontData* aData = TeskTest::LoadFontText(&aHost, "CreateLayer A");
  aData->Ref();
  EXPECT_EQ(aData->mRefCount, 2);
  aData->DeRef();
  EXPECT_EQ(aData->mRefCount, 1);
  EXPECT_EQ(aData->mFontLayerList.size(), 1u);
  aData->DeRef();  // deleted; the sanitizer run checks nothing leaks
}

// The string table: its 399 records in the loader's order, the format records against
// what the game passes them, and every text against the box it is drawn in, measured
// with the generated fonts.
#include <gtest/gtest.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <set>

#include "GameFonts.h"
#include "GameStrings.h"
#include "MediaFixture.h"
#include "graphics/Graphics.h"
#include "resources/ImageFont.h"

using GameAssets::FormatRecord;
using GameAssets::GameString;

namespace {

int RecordNumber(const std::string& theName) {
  const auto& aTable = GameAssets::GameStringTable();
  for (size_t i = 0; i < aTable.size(); ++i)
    if (theName == aTable[i].mName) return static_cast<int>(i) + 1;
  return 0;
}

const FormatRecord* FindFormat(const std::string& theName) {
  for (const FormatRecord& f : GameAssets::FormatRecords())
    if (theName == f.mName) return &f;
  return nullptr;
}

// The largest value the game passes each format (chapter 13, 55 objects, a three-digit
// clock, the longest grade name) and the longest text.
std::wstring Formatted(const std::string& theName, const std::wstring& theText, int theCapacity,
                       int* theResult) {
  static const std::map<std::string, int> kNumbers = {{"stringSpellObjectsRemaining", 55},
                                                      {"stringPlusObjectsRemaining", 60},
                                                      {"stringMinPostMerge", 999},
                                                      {"stringMinPostMergeShort", 999},
                                                      {"stringChapterComplete", 12},
                                                      {"stringSpellCastTime", 40},
                                                      {"stringMinutes", 10},
                                                      {"stringChapter", 13},
                                                      {"stringChapNumAndPotionGame", 11},
                                                      {"stringCurrentChainLength", 72},
                                                      {"stringLongestChain", 72},
                                                      {"stringChapNumAndChant", 12},
                                                      {"stringMagicalChantSideInstructions", 11},
                                                      {"stringNumPartsSelected", 11}};
  static const std::wstring kLongestGrade = L"Scholar";
  std::vector<wchar_t> aBuffer(theCapacity > 0 ? theCapacity : 1024);
  const std::string aConversions = GameAssets::FormatConversions(theText);
  int aResult = -1;
  if (aConversions == "%d") {
    const auto anIt = kNumbers.find(theName);
    const int aNumber = anIt != kNumbers.end() ? anIt->second : 55;  // the goals: the most objects asked
    aResult = std::swprintf(aBuffer.data(), aBuffer.size(), theText.c_str(), aNumber);
  } else if (aConversions == "%d%d") {
    aResult = std::swprintf(aBuffer.data(), aBuffer.size(), theText.c_str(), 4, 4);
  } else if (aConversions == "%ls") {
    std::wstring anArgument = L"100:00";
    if (theName == "stringNewGradeExc" || theName == "stringNewGrade") anArgument = kLongestGrade;
    if (theName == "stringGoalText[12]") anArgument = L"10 minutes";
    aResult = std::swprintf(aBuffer.data(), aBuffer.size(), theText.c_str(), anArgument.c_str());
  } else {
    *theResult = 0;
    return theText;
  }
  *theResult = aResult;
  return aResult < 0 ? std::wstring() : std::wstring(aBuffer.data());
}

std::vector<std::wstring> Words(const std::wstring& theText) {
  std::vector<std::wstring> aWords;
  std::wstring aWord;
  for (wchar_t c : theText) {
    if (c == L' ' || c == L'\n') {
      if (!aWord.empty()) aWords.push_back(aWord);
      aWord.clear();
    } else {
      aWord.push_back(c);
    }
  }
  if (!aWord.empty()) aWords.push_back(aWord);
  return aWords;
}

uint16_t U16(const std::string& theBytes, size_t thePos) {
  return static_cast<uint16_t>(static_cast<uint8_t>(theBytes[thePos]) |
                               (static_cast<uint8_t>(theBytes[thePos + 1]) << 8));
}

}  // namespace

TEST(GameStrings, TableHolds399RecordsInTheLoadersOrder) {
  const auto& aTable = GameAssets::GameStringTable();
  ASSERT_EQ(aTable.size(), 399u);
  struct Case {
    const char* mName;
    int mRecord;
  };
  const Case kCases[] = {
      {"stringBackToMainMenu", 1},         {"stringMapUsingToggle[0]", 31},
      {"stringDiffInfo[2]", 36},           {"stringHint", 40},
      {"stringHelpTutoarialFinished", 69}, {"stringStoryShortName", 126},
      {"k_levelSpellInfo[0]", 127},        {"k_ifAtFulltimeSchoolText", 151},
      {"k_levelSpells[11]", 163},          {"stringMinPostMergeShort", 172},
      {"stringJobTexts1[0]", 173},         {"stringJobTexts12[5]", 244},
      {"stringAllObjectsFoundTitle", 253}, {"stringChapStrings[0]", 254},
      {"stringGoalText[12]", 305},         {"k_endGameCredits", 306},
      {"k_maxStoryFinally", 312},          {"stringHowToPlayChantText[3]", 341},
      {"stringTheVespersCodex", 350},      {"stringNumPartsSelected", 376},
      {"stringBakedTitleExit", 379},       {"stringBakedMapNames[0]", 387},
      {"stringBakedMapNames[11]", 398},    {"stringFinalChapterGoal", 399},
  };
  for (const Case& c : kCases) EXPECT_EQ(RecordNumber(c.mName), c.mRecord) << c.mName;

  // Each array has the loader's length and its elements in index order.
  const std::map<std::string, int> kArrays = {
      {"stringMapUsingToggle", 2}, {"stringDiffInfo", 3},           {"stringTitleMainOptions", 3},
      {"k_levelSpellInfo", 12},    {"k_levelSummaryText", 12},      {"k_levelSpells", 12},
      {"stringChapStrings", 13},   {"stringChapTitles", 13},        {"k_maxLevelIntroText", 13},
      {"stringGoalText", 13},      {"k_maxStoryText", 4},           {"stringHowToPlayTitle", 8},
      {"stringHowToPlayText", 8},  {"stringHowToPlayPotion", 2},    {"stringHowToPlayPotionText", 4},
      {"stringHowToPlayChant", 3}, {"stringHowToPlayChantText", 4}, {"stringBakedMapNames", 12}};
  std::map<std::string, int> aFound;
  for (const GameString& s : aTable) {
    const std::string aName = s.mName;
    const size_t aBracket = aName.find('[');
    if (aBracket == std::string::npos) continue;
    const std::string anArray = aName.substr(0, aBracket);
    EXPECT_EQ(aName, anArray + "[" + std::to_string(aFound[anArray]) + "]");
    ++aFound[anArray];
  }
  for (int j = 1; j <= 12; ++j) EXPECT_EQ(aFound["stringJobTexts" + std::to_string(j)], 6) << j;
  for (const auto& anArray : kArrays) EXPECT_EQ(aFound[anArray.first], anArray.second) << anArray.first;
  EXPECT_STREQ(aTable.back().mText, L"Destroy the Rune Stones!");
  for (const GameString& s : aTable) EXPECT_GT(std::wcslen(s.mText), 0u) << s.mName;
}

TEST(GameStrings, FileReadsBackRecordByRecord) {
  const std::string aBytes = TeskTest::ReadFile(MediaTest::Media().mDir + "/str.str");
  const auto& aTable = GameAssets::GameStringTable();
  size_t aPos = 0;
  for (const GameString& s : aTable) {
    SCOPED_TRACE(s.mName);
    ASSERT_LE(aPos + 2, aBytes.size());
    const uint16_t aCount = U16(aBytes, aPos);
    aPos += 2;
    ASSERT_EQ(aCount, std::wcslen(s.mText) + 1);
    ASSERT_LE(aPos + 2 * aCount, aBytes.size());
    for (uint16_t i = 0; i + 1 < aCount; ++i)
      EXPECT_EQ(U16(aBytes, aPos + 2 * i), static_cast<uint16_t>(s.mText[i]));
    EXPECT_EQ(U16(aBytes, aPos + 2 * (aCount - 1)), 0);
    aPos += 2 * aCount;
  }
  EXPECT_EQ(aPos, aBytes.size());
}

TEST(GameStrings, FormatRecordsTakeExactlyTheirArgumentsAndFitTheirBuffers) {
  EXPECT_EQ(GameAssets::FormatConversions(L"%d of %d"), "%d%d");
  EXPECT_EQ(GameAssets::FormatConversions(L"%ls left, 100%%"), "%ls");
  EXPECT_EQ(GameAssets::FormatConversions(L"%s and %i"), "%?%?");
  for (const FormatRecord& f : GameAssets::FormatRecords()) EXPECT_GT(RecordNumber(f.mName), 0) << f.mName;

  for (const GameString& s : GameAssets::GameStringTable()) {
    SCOPED_TRACE(s.mName);
    const FormatRecord* aFormat = FindFormat(s.mName);
    const std::string aConversions = GameAssets::FormatConversions(s.mText);
    if (!aFormat) {
      // Plain texts carry no '%' at all: some screens pass texts through swprintf.
      EXPECT_EQ(std::wstring(s.mText).find(L'%'), std::wstring::npos);
      continue;
    }
    EXPECT_EQ(aConversions, aFormat->mConversions);
    int aResult = 0;
    const std::wstring aText = Formatted(s.mName, s.mText, aFormat->mCapacity, &aResult);
    EXPECT_GE(aResult, 0) << "does not fit " << aFormat->mCapacity << " characters";
    EXPECT_EQ(aText.find(L'%'), std::wstring::npos);
  }
}

TEST(GameStrings, PagedTextsBreakWhereThePrinterCan) {
  // The printer's page holds at most 1023 characters; the credits are one page.
  EXPECT_LE(GameAssets::GameStringText("k_endGameCredits").size(), 1023u);
  for (const GameString& s : GameAssets::GameStringTable()) {
    SCOPED_TRACE(s.mName);
    EXPECT_LE(std::wcslen(s.mText), 1023u);
    // A caret starts a colour code where coloured writing is on.
    EXPECT_EQ(std::wstring(s.mText).find(L'^'), std::wstring::npos);
  }
  // The results summary and the appended line share a 720-character buffer.
  const std::wstring aSchool = GameAssets::GameStringText("k_ifAtFulltimeSchoolText");
  for (int c = 0; c < 12; ++c)
    EXPECT_LT(
        GameAssets::GameStringText("k_levelSummaryText[" + std::to_string(c) + "]").size() + aSchool.size(),
        720u);
}

TEST(GameStrings, HallOfFameNamesAreShortAndFileKeepsThem) {
  const std::vector<std::wstring> aNames = GameAssets::HallOfFameNames();
  ASSERT_EQ(aNames.size(), 6u);
  for (const std::wstring& aName : aNames) EXPECT_LE(aName.size(), 9u);
  const std::string aBytes = TeskTest::ReadFile(MediaTest::Media().mDir + "/hsdefaults.txt");
  ASSERT_GE(aBytes.size(), 4u);
  EXPECT_EQ(U16(aBytes, 0), 0xFEFF);
  // Unit 1 is skipped by the reader; then names separated by line feeds.
  std::wstring aText;
  for (size_t i = 4; i + 1 < aBytes.size(); i += 2) aText.push_back(U16(aBytes, i));
  std::wstring anExpected;
  for (size_t i = 0; i < aNames.size(); ++i) anExpected += (i ? L"\n" : L"") + aNames[i];
  EXPECT_EQ(aText, anExpected);
}

class GameTextsInFonts : public MediaTest::MediaFixture {
 protected:
  Tesk::ImageFont* Font(GameAssets::GameFont theFont) {
    auto* aFont = dynamic_cast<Tesk::ImageFont*>(mManager->GetFontThrow(GameAssets::FontSpec(theFont).mId));
    EXPECT_NE(aFont, nullptr);
    return aFont;
  }
};

TEST_F(GameTextsInFonts, EveryCharacterOfTheTableHasAGlyphInEveryFont) {
  ASSERT_NO_FATAL_FAILURE(LoadMediaGroups());
  std::set<wchar_t> aChars;
  for (const GameString& s : GameAssets::GameStringTable())
    for (const wchar_t* p = s.mText; *p; ++p)
      if (*p != L' ' && *p != L'\n') aChars.insert(*p);
  for (const auto& aSpec : GameAssets::GameFontSpecs()) {
    Tesk::ImageFont* aFont = Font(aSpec.mFont);
    ASSERT_NE(aFont, nullptr);
    for (wchar_t c : aChars)
      EXPECT_GT(aFont->CharWidth(c), 0) << aSpec.mId << " lacks U+" << std::hex << int(c);
    EXPECT_GT(aFont->GetAscent(), 0) << aSpec.mId;
  }
}

TEST_F(GameTextsInFonts, EveryTextFitsTheBoxItIsDrawnIn) {
  ASSERT_NO_FATAL_FAILURE(LoadMediaGroups());
  std::set<std::string> aMeasured;
  for (const GameAssets::TextBox& aBox : GameAssets::TextBoxes()) {
    Tesk::ImageFont* aFont = Font(aBox.mFont);
    ASSERT_NE(aFont, nullptr);
    bool aNamesAny = false;
    for (const GameString& s : GameAssets::GameStringTable()) {
      if (!GameAssets::BoxNames(aBox, s.mName)) continue;
      aNamesAny = true;
      aMeasured.insert(s.mName);
      SCOPED_TRACE(std::string(s.mName) + " in box " + aBox.mPrefix);
      const FormatRecord* aFormat = FindFormat(s.mName);
      int aResult = 0;
      const std::wstring aText =
          aFormat ? Formatted(s.mName, s.mText, aFormat->mCapacity, &aResult) : s.mText;
      if (!aBox.mWrapped) {
        EXPECT_EQ(aText.find(L'\n'), std::wstring::npos);
        EXPECT_LE(aFont->StringWidth(aText), aBox.mWidth);
        continue;
      }
      for (const std::wstring& aWord : Words(aText)) EXPECT_LT(aFont->StringWidth(aWord), aBox.mWidth);
      const int aHeight =
          Tesk::Graphics::GetWordWrappedHeight(aFont, aBox.mWidth, aText, aBox.mLineSpacing, nullptr);
      EXPECT_LE(aHeight, aBox.mHeight);
    }
    EXPECT_TRUE(aNamesAny) << aBox.mPrefix << " names no record";
  }
  // Any text may meet the popup's 280-pixel message box in some language's layout.
  Tesk::ImageFont* aMedium = Font(GameAssets::GameFont::Medium);
  for (const GameString& s : GameAssets::GameStringTable())
    for (const std::wstring& aWord : Words(s.mText)) EXPECT_LT(aMedium->StringWidth(aWord), 280) << s.mName;
  // Records that no screen draws are the only ones without a box.
  const std::set<std::string> kUnshown = {"stringBackToMainMenu",
                                          "stringMap",
                                          "stringStay",
                                          "stringTitleMainOptions[0]",
                                          "stringTitleMainOptions[1]",
                                          "stringTitleMainOptions[2]",
                                          "stringLevelCompleted",
                                          "stringToChangeProfile",
                                          "stringTheVespersCodex",
                                          "stringCoinsFound",
                                          "k_maxStoryFinally"};
  for (const GameString& s : GameAssets::GameStringTable())
    EXPECT_TRUE(aMeasured.count(s.mName) || kUnshown.count(s.mName)) << s.mName << " has no box";
}

TEST_F(GameTextsInFonts, EndingShowsOneParagraphPerScrollPage) {
  // The ending's printer box is 600 x 90 with 24-pixel lines: a page is three lines,
  // and a paragraph of at most three lines ends its page at its line feed.
  ASSERT_NO_FATAL_FAILURE(LoadMediaGroups());
  Tesk::ImageFont* aFont = Font(GameAssets::GameFont::IntroText);
  ASSERT_NE(aFont, nullptr);
  const std::wstring anEnding = GameAssets::GameStringText("k_maxStoryFinally");
  size_t aStart = 0;
  int aParagraphs = 0;
  while (aStart <= anEnding.size()) {
    const size_t anEnd = std::min(anEnding.find(L'\n', aStart), anEnding.size());
    const std::wstring aParagraph = anEnding.substr(aStart, anEnd - aStart);
    SCOPED_TRACE(std::string(aParagraph.begin(), aParagraph.end()));
    EXPECT_LT(Tesk::Graphics::GetWordWrappedHeight(aFont, 600, aParagraph, 24, nullptr), 90);
    for (const std::wstring& aWord : Words(aParagraph)) EXPECT_LT(aFont->StringWidth(aWord), 600);
    ++aParagraphs;
    aStart = anEnd + 1;
  }
  EXPECT_GE(aParagraphs, 4);
}

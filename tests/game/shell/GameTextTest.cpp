// The string table: every record bound to its global in order, the file choice by language,
// count-0, unterminated, short and missing tables, and format texts that would not take what
// the game passes them.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

#include "StringTableWriter.h"
#include "app/TeskAppBase.h"
#include "game/shell/GameStrings.h"
#include "game/shell/GameText.h"
#include "support/TestTemp.h"

namespace {

// A table whose record n (from 1) reads "r<n>"; theCount records.
std::vector<std::wstring> NumberedRecords(int theCount) {
  std::vector<std::wstring> aRecords;
  for (int i = 1; i <= theCount; ++i) aRecords.push_back(L"r" + std::to_wstring(i));
  return aRecords;
}

// Every record global in table order.
std::vector<wchar_t*> AllTexts() {
  std::vector<wchar_t*> aTexts;
  for (int i = 0; i < GameStrings::k_numSlots; ++i) {
    for (int j = 0; j < GameStrings::k_slots[i].mCount; ++j) aTexts.push_back(GameStrings::k_slots[i].mTarget[j]);
  }
  return aTexts;
}

// Each test works in a folder of its own that is also the resources folder, so no table of the
// build is found by the second lookup.
class GameTextTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char aBuf[4096];
    mOldDir = getcwd(aBuf, sizeof(aBuf)) ? aBuf : ".";
    const char* anOld = std::getenv("TESK_RESOURCES_DIR");
    mHadResources = anOld != nullptr;
    if (anOld) mOldResources = anOld;
    mDir = TeskTest::MakeTempDir("gametext");
    ASSERT_EQ(chdir(mDir.c_str()), 0);
    setenv("TESK_RESOURCES_DIR", mDir.c_str(), 1);
    Tesk::TeskAppBase::s_languageUsing = 0;
  }
  void TearDown() override {
    Tesk::TeskAppBase::s_languageUsing = 0;
    if (mHadResources) {
      setenv("TESK_RESOURCES_DIR", mOldResources.c_str(), 1);
    } else {
      unsetenv("TESK_RESOURCES_DIR");
    }
    EXPECT_EQ(chdir(mOldDir.c_str()), 0);
  }

  void Write(const std::string& theName, const std::string& theBytes) {
    ASSERT_TRUE(TeskTest::WriteFile(mDir + "/" + theName, theBytes));
  }

  // Loads, returning what the loader logged.
  std::string Load(bool theExpected = true) {
    testing::internal::CaptureStderr();
    const bool aLoaded = GameText::loadGameStrings();
    std::string aLog = testing::internal::GetCapturedStderr();
    EXPECT_EQ(aLoaded, theExpected) << aLog;
    return aLog;
  }

  std::string mDir;
  std::string mOldDir;
  std::string mOldResources;
  bool mHadResources = false;
};

TEST_F(GameTextTest, EveryRecordGoesToItsGlobalInOrder) {
  int aRecords = 0;
  for (int i = 0; i < GameStrings::k_numSlots; ++i) aRecords += GameStrings::k_slots[i].mCount;
  ASSERT_EQ(aRecords, GameStrings::k_numRecords);

  Write("str.str", TeskTools::StringTableBytes(NumberedRecords(398)));
  Load();
  const std::vector<wchar_t*> aTexts = AllTexts();
  for (size_t i = 0; i < aTexts.size(); ++i) {
    ASSERT_NE(aTexts[i], nullptr);
    // Format records hold no conversion here, so they come back with the value appended.
    const std::wstring aText = aTexts[i];
    const std::wstring aNumber = L"r" + std::to_wstring(i + 1);
    EXPECT_TRUE(aText == aNumber || aText.rfind(aNumber + L" %", 0) == 0) << i;
  }
  // A few by name, across the arrays.
  EXPECT_STREQ(stringBackToMainMenu, L"r1");
  EXPECT_STREQ(stringMapUsingToggle[1], L"r32");
  EXPECT_STREQ(k_levelSpells[11], L"r163");
  EXPECT_STREQ(stringJobTexts12[5], L"r244");
  EXPECT_STREQ(k_maxLevelIntroText[12], L"r292");
  EXPECT_STREQ(stringBakedMapNames[11], L"r398");
  // Exactly 398 records keep the built-in final goal.
  EXPECT_STREQ(stringFinalChapterGoal, L"Destroy the Rune Stones!");
}

TEST_F(GameTextTest, A399thRecordIsTheFinalGoalUntilATableWithoutOne) {
  std::vector<std::wstring> aRecords = NumberedRecords(398);
  aRecords.push_back(L"Break them all");
  Write("str.str", TeskTools::StringTableBytes(aRecords));
  Load();
  EXPECT_STREQ(stringFinalChapterGoal, L"Break them all");

  Write("str.str", TeskTools::StringTableBytes(NumberedRecords(398)));
  Load();
  EXPECT_STREQ(stringFinalChapterGoal, L"Destroy the Rune Stones!");
}

TEST_F(GameTextTest, RecordsReadAsWritten) {
  struct Case {
    const char* what;
    std::string bytes;
    std::wstring text;
  };
  const Case kCases[] = {
      {"O K and its 0 unit", TeskTools::RawStringRecordBytes(3, u"OK\0"), L"OK"},
      {"count 0 gives an ended empty text", TeskTools::RawStringRecordBytes(0, u""), L""},
      {"no 0 unit: still ended", TeskTools::RawStringRecordBytes(2, u"OK"), L"OK"},
      {"cut off by the end of the file", TeskTools::RawStringRecordBytes(5, u"OK"), L"OK"},
      {"units widen with zeros, pairs stay apart", TeskTools::StringTableBytes({L"\U0001F600"}),
       std::wstring{wchar_t(0xD83D), wchar_t(0xDE00)}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    Write("one.str", c.bytes);
    FILE* aFile = std::fopen((mDir + "/one.str").c_str(), "rb");
    ASSERT_NE(aFile, nullptr);
    wchar_t* aText = getNextString(aFile, nullptr);
    ASSERT_NE(aText, nullptr);
    EXPECT_EQ(std::wstring(aText), c.text);
    delete[] aText;
    std::fclose(aFile);
  }
  // Nothing left to read (or only one byte of a count): the fallback.
  for (const std::string& aBytes : {std::string(), std::string("\x03", 1)}) {
    Write("one.str", aBytes);
    FILE* aFile = std::fopen((mDir + "/one.str").c_str(), "rb");
    wchar_t aFallback[1] = {0};
    EXPECT_EQ(getNextString(aFile, aFallback), aFallback);
    std::fclose(aFile);
  }
}

TEST_F(GameTextTest, AShortTableLeavesEmptyTextsAndSaysWhichAreMissing) {
  // Record 40 is the first of the hint headings.
  std::string aBytes = TeskTools::StringTableBytes(NumberedRecords(38));
  aBytes += TeskTools::RawStringRecordBytes(0, u"");  // record 39, count 0
  Write("str.str", aBytes);
  const std::string aLog = Load();
  EXPECT_NE(aLog.find("str.str has 39 of 398 records"), std::string::npos) << aLog;
  EXPECT_NE(aLog.find("record 40 (stringHint)"), std::string::npos) << aLog;
  EXPECT_STREQ(stringTitleMainOptions[1], L"r38");
  EXPECT_STREQ(stringTitleMainOptions[2], L"");
  for (wchar_t* aText : AllTexts()) ASSERT_NE(aText, nullptr);
  EXPECT_STREQ(stringHint, L"");
  EXPECT_STREQ(stringBakedMapNames[11], L"");
  EXPECT_STREQ(stringFinalChapterGoal, L"Destroy the Rune Stones!");
}

TEST_F(GameTextTest, NoTableLeavesNoNullText) {
  const std::string aLog = Load(false);
  EXPECT_NE(aLog.find("neither str.str nor _ENGLISH_str.str opens"), std::string::npos) << aLog;
  for (wchar_t* aText : AllTexts()) ASSERT_NE(aText, nullptr);
}

TEST_F(GameTextTest, TheTableIsChosenByNameThenLanguage) {
  struct Case {
    const char* what;
    std::vector<std::string> files;
    int language;
    const wchar_t* firstText;  // null: nothing read
  };
  const Case kCases[] = {
      {"str.str before the language's own", {"str.str", "_ENGLISH_str.str"}, 0, L"str.str"},
      {"English table", {"_ENGLISH_str.str"}, 0, L"_ENGLISH_str.str"},
      {"another language's table is not read", {"_FRENCH_str.str"}, 0, nullptr},
      {"French table for French", {"_FRENCH_str.str"}, 2, L"_FRENCH_str.str"},
      {"Korean table", {"_KOREAN_str.str"}, 4, L"_KOREAN_str.str"},
      {"no table for language 5", {"_ENGLISH_str.str"}, 5, nullptr},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    mDir = TeskTest::MakeTempDir("gametext-choice");
    ASSERT_EQ(chdir(mDir.c_str()), 0);
    setenv("TESK_RESOURCES_DIR", mDir.c_str(), 1);
    for (const std::string& aName : c.files) {
      Write(aName, TeskTools::StringTableBytes({std::wstring(aName.begin(), aName.end())}));
    }
    stringBackToMainMenu = nullptr;
    Tesk::TeskAppBase::s_languageUsing = c.language;
    Load(c.firstText != nullptr);
    EXPECT_STREQ(stringBackToMainMenu, c.firstText ? c.firstText : L"");
  }
}

TEST_F(GameTextTest, TheResourcesFolderIsTheSecondPlaceLooked) {
  const std::string aResources = TeskTest::MakeTempDir("gametext-resources");
  ASSERT_TRUE(TeskTools::WriteStringTable(aResources + "/str.str", {L"from resources"}));
  setenv("TESK_RESOURCES_DIR", aResources.c_str(), 1);
  Load();
  EXPECT_STREQ(stringBackToMainMenu, L"from resources");
}

TEST_F(GameTextTest, FormatsAreCheckedAgainstWhatTheGamePasses) {
  struct Case {
    const wchar_t* format;
    const char* args;
    bool matches;
  };
  const Case kCases[] = {
      {L"Chapter %d", "d", true},
      {L"%i objects", "d", true},
      {L"%3d%% done", "d", true},     // a width and a literal percent
      {L"New grade: %ls!", "s", true},
      {L"%d of %d", "dd", true},
      {L"Chapter %s", "d", false},   // wrong conversion
      {L"Grade %s", "s", false},     // %s takes a narrow string on this system
      {L"Grade %d", "s", false},
      {L"Chapter", "d", false},      // the value would be lost
      {L"%d %d", "d", false},        // one more than passed
      {L"%d", "dd", false},
      {L"%n%d", "d", false},
      {L"%*d", "d", false},
      {L"%1$d", "d", false},
      {L"%ld", "d", false},
      {L"50%", "", false},           // a lone percent at the end
      {L"100%%", "", true},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << std::string(c.format, c.format + std::wcslen(c.format)));
    EXPECT_EQ(GameText::formatMatches(c.format, c.args), c.matches);
  }
  EXPECT_EQ(GameText::neutralisedFormat(L"Chapter %s", "d"), L"Chapter %%s %d");
  EXPECT_EQ(GameText::neutralisedFormat(L"%n", "dd"), L"%%n %d %d");
  EXPECT_EQ(GameText::neutralisedFormat(L"", "s"), L" %ls");
}

TEST_F(GameTextTest, AWrongConversionInTheTableIsNeutralised) {
  std::vector<std::wstring> aRecords = NumberedRecords(398);
  aRecords[365] = L"Chapter %ls";          // record 366, stringChapter, passed an int
  aRecords[361] = L"Grade %d%n";           // record 362, stringNewGradeExc, passed a text
  aRecords[364] = L"%d of %d runestones";  // record 365 is fine as it is
  aRecords[292] = L"Find %d things";       // record 293, stringGoalText[0], fine
  Write("str.str", TeskTools::StringTableBytes(aRecords));
  const std::string aLog = Load();
  EXPECT_NE(aLog.find("stringChapter does not take one %d"), std::string::npos) << aLog;
  EXPECT_NE(aLog.find("stringNewGradeExc does not take one %ls"), std::string::npos) << aLog;
  EXPECT_EQ(aLog.find("stringNumRunestonesFound"), std::string::npos) << aLog;
  wchar_t aBuffer[64];
  GameText::formatText(aBuffer, 64, stringChapter, 7);
  EXPECT_STREQ(aBuffer, L"Chapter %ls 7");
  GameText::formatText(aBuffer, 64, stringNewGradeExc, L"A+");
  EXPECT_STREQ(aBuffer, L"Grade %d%n A+");
  GameText::formatText(aBuffer, 64, stringNumRunestonesFound, 2, 4);
  EXPECT_STREQ(aBuffer, L"2 of 4 runestones");
  GameText::formatText(aBuffer, 64, stringGoalText[0], 16);
  EXPECT_STREQ(aBuffer, L"Find 16 things");
  // A numbered record where a format belongs still shows its number.
  GameText::formatText(aBuffer, 64, stringMinutes, 3);
  EXPECT_STREQ(aBuffer, L"r349 3");
}

TEST_F(GameTextTest, FormattedTextsAlwaysEndInsideTheirBuffer) {
  struct Case {
    size_t capacity;
    const wchar_t* expected;
  };
  const Case kCases[] = {
      {64, L"Time: 12345 left"},
      {8, L"Time: 1"},  // cut to seven characters and the terminator
      {1, L""},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.capacity);
    std::vector<wchar_t> aBuffer(c.capacity + 1, L'#');
    const int aWritten = GameText::formatText(aBuffer.data(), c.capacity, L"Time: %d left", 12345);
    EXPECT_STREQ(aBuffer.data(), c.expected);
    EXPECT_EQ(aWritten, static_cast<int>(std::wcslen(c.expected)));
    EXPECT_EQ(aBuffer[c.capacity], L'#');  // nothing past the capacity
  }
  EXPECT_EQ(GameText::formatText(nullptr, 10, L"x"), 0);
}

}  // namespace

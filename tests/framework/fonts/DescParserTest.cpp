#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "PakWriter.h"
#include "resources/DescParser.h"
#include "resources/PakInterface.h"
#include "support/TestTemp.h"

using namespace Tesk;

namespace {

// Records every command it is given, rendered as text, and every message.
class RecordingParser : public DescParser {
 public:
  bool Error(const std::string& theError) override {
    mErrors.push_back(theError);
    return DescParser::Error(theError);
  }
  bool HandleCommand(const ListDataElement& theParams) override {
    ListDataElement aCopy(theParams);
    mCommands.push_back(DataElementToString(&aCopy));
    mLines.push_back(mLineNumber);
    mTexts.push_back(mCommandText);
    TeskString aName = static_cast<SingleDataElement*>(theParams.mElements[0])->mString;
    if (aName == L"Define" && theParams.mElements.size() == 3) {
      TeskString aKey = static_cast<SingleDataElement*>(theParams.mElements[1])->mString;
      DataElement* aValue = theParams.mElements[2];
      if (aValue->mIsList) {
        auto* aList = new ListDataElement();
        if (!GetValues(static_cast<ListDataElement*>(aValue), aList)) {
          delete aList;
          return false;
        }
        SetDefine(aKey, aList);
      } else {
        SetDefine(aKey, aValue->Duplicate());
      }
    }
    return aName != L"Fail";
  }
  std::vector<TeskString> mCommands;
  std::vector<int> mLines;
  std::vector<TeskString> mTexts;
  std::vector<std::string> mErrors;
};

// A little-endian 16-bit file with a byte-order mark.
std::string Utf16(const std::wstring& theText, bool bigMark = false) {
  std::string aBytes = bigMark ? std::string("\xFE\xFF", 2) : std::string("\xFF\xFE", 2);
  for (wchar_t c : theText) {
    aBytes.push_back(static_cast<char>(c & 0xFF));
    aBytes.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return aBytes;
}

std::string Narrow(const std::wstring& theText) {
  std::string aBytes;
  for (wchar_t c : theText) aBytes.push_back(static_cast<char>(c));
  return aBytes;
}

}  // namespace

TEST(DescParser, CommandsAreCutAtSemicolonsOutsideQuotesInBothEncodings) {
  struct Case {
    const wchar_t* text;
    std::vector<std::wstring> commands;
  };
  const Case kCases[] = {
      {L"", {}},
      {L"\n\n   \n# only a comment\n\t# another\n", {}},
      {L"Define A 1; Define B 2", {L"(Define, A, 1)", L"(Define, B, 2)"}},
      {L"Define A 'x;y'; Go", {L"(Define, A, 'x;y')", L"(Go)"}},
      {L"Cmd a\n   b\n\tc;", {L"(Cmd, a, b, c)"}},
      {L"   # x\nGo", {L"(Go)"}},
      {L"Go a # b", {L"(Go, a, #, b)"}},
      {L"Define A 1; # note\nGo", {L"(Define, A, 1)", L"(Go)"}},
      {L"Go a\\;Next", {L"(Go, a)", L"(Next)"}},  // outside quotes a backslash does not hold the ';'
      {L"Go a\\\n;Next", {L"(Go, a\n)", L"(Next)"}},
      {L"Go 'a\\'b'", {L"(Go, 'a'b')"}},
      {L"Go 'a''b'", {L"(Go, 'a''b')"}},
      {L"Go a,b c", {L"(Go, a, b, c)"}},
      {L"Go (a (b c))", {L"(Go, (a, (b, c)))"}},
      {L"Go (a)b", {L"(Go, (a), b)"}},
      {L"Go 'a b'", {L"(Go, 'a b')"}},
      {L"Go 'a'b", {L"(Go, 'a'b)"}},
      {L"Go \"it's\"", {L"(Go, \"it's\")"}},
      {L"Go a\r\n;\r\nNext", {L"(Go, a)", L"(Next)"}},
      {L";;;Go;", {L"(Go)"}},
  };
  for (const Case& c : kCases) {
    for (int anEncoding = 0; anEncoding < 2; ++anEncoding) {
      SCOPED_TRACE(testing::Message() << Narrow(c.text) << (anEncoding ? " (16-bit)" : " (8-bit)"));
      RecordingParser aParser;
      std::string aBytes = anEncoding ? Utf16(c.text) : Narrow(c.text);
      EXPECT_TRUE(aParser.LoadDescriptorBytes(aBytes));
      ASSERT_EQ(aParser.mCommands.size(), c.commands.size());
      for (size_t i = 0; i < c.commands.size(); ++i) EXPECT_EQ(aParser.mCommands[i], c.commands[i]);
      EXPECT_TRUE(aParser.mErrors.empty());
      EXPECT_EQ(aParser.mLineNumber, 0);
      EXPECT_TRUE(aParser.mCommandText.empty());
    }
  }
}

TEST(DescParser, LineNumberIsTheLineTheCommandBeganOn) {
  RecordingParser aParser;
  EXPECT_TRUE(aParser.LoadDescriptorBytes("# head\n\nFirst;\n  Second\n   more; Third\n"));
  ASSERT_EQ(aParser.mLines.size(), 3u);
  EXPECT_EQ(aParser.mLines[0], 3);
  EXPECT_EQ(aParser.mLines[1], 4);
  EXPECT_EQ(aParser.mLines[2], 5);
  EXPECT_EQ(aParser.mTexts[1], L"Second\nmore");
}

TEST(DescParser, SixteenBitFilesTakeEveryUnitWhateverTheMarkOrder) {
  // Characters above 255 survive; the FE FF mark still reads little-endian.
  RecordingParser aParser;
  EXPECT_TRUE(aParser.LoadDescriptorBytes(Utf16(L"Go '\u0416\uD55C'")));
  ASSERT_EQ(aParser.mCommands.size(), 1u);
  EXPECT_EQ(aParser.mCommands[0], L"(Go, '\u0416\uD55C')");

  RecordingParser aSwapped;
  EXPECT_TRUE(aSwapped.LoadDescriptorBytes(std::string("\xFE\xFFG\0o\0", 6)));
  ASSERT_EQ(aSwapped.mCommands.size(), 1u);
  EXPECT_EQ(aSwapped.mCommands[0], L"(Go)");

  // The last letter of the file completes its command; an odd trailing byte is ignored.
  RecordingParser anOdd;
  EXPECT_TRUE(anOdd.LoadDescriptorBytes(Utf16(L"A;Bc") + "x"));
  ASSERT_EQ(anOdd.mCommands.size(), 2u);
  EXPECT_EQ(anOdd.mCommands[1], L"(Bc)");
}

TEST(DescParser, LongSixteenBitFilesAreReadWhole) {
  // Past the old fixed buffer of 102,400 units, nothing is lost.
  std::wstring aText(110000, L' ');
  aText += L"Last;";
  RecordingParser aParser;
  EXPECT_TRUE(aParser.LoadDescriptorBytes(Utf16(aText)));
  ASSERT_EQ(aParser.mCommands.size(), 1u);
  EXPECT_EQ(aParser.mCommands[0], L"(Last)");
}

TEST(DescParser, EightBitBytesKeepTheirCodes) {
  RecordingParser aParser;
  EXPECT_TRUE(aParser.LoadDescriptorBytes("Go '\xE9\xFF'"));
  ASSERT_EQ(aParser.mCommands.size(), 1u);
  EXPECT_EQ(aParser.mCommands[0], L"(Go, '\u00E9\u00FF')");
}

TEST(DescParser, MalformedCommandsGiveTheirMessagesAndStopTheLoad) {
  struct Case {
    const wchar_t* text;
    const char* message;
    size_t executed;
  };
  const Case kCases[] = {
      {L"A; Go a(b); B", "Unexpected List Start", 1},
      {L"Go a); B", "Unexpected List End", 0},
      {L"Go (a b", "Unterminated List", 0},
      {L"Go (a (b)", "Unterminated List", 0},
      {L"Go 'abc", "Unterminated Single Quotes", 0},
      {L"Go \"abc", "Unterminated Double Quotes", 0},
      {L"Go ('abc)", "Unterminated Single Quotes", 0},
      {L"(Go) a", "Missing Command", 0},
      {L"A; Define L (1 NAME 2); B", "Unable to Dereference \"NAME\"", 1},
      {L"A; Fail; B", "", 1},
  };
  for (const Case& c : kCases) {
    for (int anEncoding = 0; anEncoding < 2; ++anEncoding) {
      SCOPED_TRACE(testing::Message() << Narrow(c.text) << (anEncoding ? " (16-bit)" : " (8-bit)"));
      RecordingParser aParser;
      EXPECT_FALSE(aParser.LoadDescriptorBytes(anEncoding ? Utf16(c.text) : Narrow(c.text)));
      size_t aHandled = aParser.mCommands.size();
      // A failing command that reached HandleCommand is recorded too.
      if (std::string(c.message).rfind("Unable", 0) == 0 || c.message[0] == 0) --aHandled;
      EXPECT_EQ(aHandled, c.executed);
      if (c.message[0]) {
        ASSERT_EQ(aParser.mErrors.size(), 1u);
        EXPECT_EQ(aParser.mErrors[0], c.message);
        EXPECT_EQ(aParser.mErrorText, c.message);
      } else {
        EXPECT_TRUE(aParser.mErrors.empty());
      }
      EXPECT_EQ(aParser.mLineNumber, 0);
      EXPECT_TRUE(aParser.mCommandText.empty());
    }
  }
}

TEST(DescParser, NestingIsBoundedAndDeepListsStillParse) {
  RecordingParser aDeep;
  EXPECT_FALSE(aDeep.LoadDescriptorBytes("Go " + std::string(100000, '(')));
  EXPECT_EQ(aDeep.mErrorText, "Unexpected List Start");

  RecordingParser anOk;
  EXPECT_TRUE(anOk.LoadDescriptorBytes("Go " + std::string(200, '(') + "x" + std::string(200, ')')));
  ASSERT_EQ(anOk.mCommands.size(), 1u);
}

TEST(DescParser, ErrorSeesTheFailingCommandAndItsLine) {
  class Watcher : public RecordingParser {
   public:
    bool Error(const std::string& theError) override {
      mSeenLine = mLineNumber;
      mSeenText = mCommandText;
      return RecordingParser::Error(theError);
    }
    int mSeenLine = -1;
    TeskString mSeenText;
  };
  Watcher aParser;
  EXPECT_FALSE(aParser.LoadDescriptorBytes("A;\n\nGo a(b)"));
  EXPECT_EQ(aParser.mSeenLine, 3);
  EXPECT_EQ(aParser.mSeenText, L"Go a(b)");
}

TEST(DescParser, MissingFileFailsWithoutAMessage) {
  RecordingParser aParser;
  aParser.mErrorText = "old";
  EXPECT_FALSE(aParser.LoadDescriptor("/nonexistent/folder/font.txt"));
  EXPECT_TRUE(aParser.mErrors.empty());
  EXPECT_TRUE(aParser.mErrorText.empty());
}

TEST(DescParser, LoadsFromAFile) {
  std::string aDir = TeskTest::MakeTempDir("descparser");
  ASSERT_TRUE(TeskTest::WriteFile(aDir + "/a.txt", Utf16(L"Define X (1 2);\r\nGo X")));
  RecordingParser aParser;
  EXPECT_TRUE(aParser.LoadDescriptor(aDir + "/a.txt"));
  ASSERT_EQ(aParser.mCommands.size(), 2u);
  EXPECT_EQ(aParser.DataElementToString(aParser.Dereference(L"x")), L"(1, 2)");
}

TEST(DescParser, LoadsFromTheArchive) {
  std::string aDir = TeskTest::MakeTempDir("descpak");
  char aCwd[4096];
  ASSERT_NE(getcwd(aCwd, sizeof(aCwd)), nullptr);
  ASSERT_EQ(chdir(aDir.c_str()), 0);
  TeskTools::PakWriter aWriter;
  aWriter.Add("fonts\\packed.txt", Utf16(L"Define In ('archive');\r\nGo In"));
  ASSERT_TRUE(aWriter.WriteFile("main.pak"));
  {
    PakInterface aPak;
    ASSERT_TRUE(aPak.AddPakFile("main.pak"));
    PakInterfaceBase* anOld = *gPakInterfaceP;
    *gPakInterfaceP = &aPak;
    RecordingParser aParser;
    EXPECT_TRUE(aParser.LoadDescriptor("fonts/packed.txt"));
    *gPakInterfaceP = anOld;
    ASSERT_EQ(aParser.mCommands.size(), 2u);
    EXPECT_EQ(aParser.mCommands[1], L"(Go, In)");
  }
  ASSERT_EQ(chdir(aCwd), 0);
}

TEST(DescParser, ImmediateAndUnquote) {
  RecordingParser aParser;
  struct ImmCase {
    const wchar_t* text;
    bool immediate;
  };
  const ImmCase kImm[] = {{L"", false},   {L"0", true},  {L"9x", true},  {L"-", true},  {L"+3", true},
                          {L"'a'", true}, {L"\"", true}, {L"a1", false}, {L"_", false}, {L".5", false}};
  for (const ImmCase& c : kImm) {
    SCOPED_TRACE(Narrow(c.text));
    EXPECT_EQ(aParser.IsImmediate(c.text), c.immediate);
  }
  struct UnqCase {
    const wchar_t* text;
    const wchar_t* result;
  };
  const UnqCase kUnq[] = {{L"'it''s'", L"it's"}, {L"\"x\"", L"x"}, {L"abc", L"abc"},     {L"'a'b'", L"ab"},
                          {L"''''", L"'''"},     {L"''", L"'"},    {L"\"a'b\"", L"a'b"}, {L"", L""}};
  for (const UnqCase& c : kUnq) {
    SCOPED_TRACE(Narrow(c.text));
    EXPECT_EQ(aParser.Unquote(c.text), c.result);
  }
}

TEST(DescParser, GetValuesResolvesQuotesLiteralsAndNames) {
  RecordingParser aParser;
  ASSERT_TRUE(aParser.LoadDescriptorBytes("Define name (1 2)"));
  ListDataElement aSource;
  ASSERT_TRUE(aParser.ParseToList(L"12 'a' NAME '' -3", &aSource, false, nullptr));
  ListDataElement aValues;
  aValues.mElements.push_back(new SingleDataElement(L"stale"));  // replaced, not leaked
  ASSERT_TRUE(aParser.GetValues(&aSource, &aValues));
  EXPECT_EQ(aParser.DataElementToString(&aValues), L"(12, a, (1, 2), ', -3)");

  // The define is copied, not shared.
  static_cast<ListDataElement*>(aValues.mElements[2])->Clear();
  EXPECT_EQ(aParser.DataElementToString(aParser.Dereference(L"Name")), L"(1, 2)");

  ListDataElement aBad;
  ASSERT_TRUE(aParser.ParseToList(L"(1 (other))", &aBad, false, nullptr));
  ListDataElement anOut;
  EXPECT_FALSE(aParser.GetValues(&aBad, &anOut));
  ASSERT_EQ(aParser.mErrors.size(), 1u);
  EXPECT_EQ(aParser.mErrors[0], "Unable to Dereference \"other\"");
}

TEST(DescParser, Conversions) {
  RecordingParser aParser;
  ASSERT_TRUE(aParser.LoadDescriptorBytes(
      "Define L (1 2 3); Define S 'text'; Define N (1 (2)); Define D ('1.5' -2)"));
  auto aParse = [&](const wchar_t* theText, ListDataElement* theList) {
    theList->Clear();
    EXPECT_TRUE(aParser.ParseToList(theText, theList, false, nullptr));
    return theList->mElements[0];
  };
  ListDataElement aHolder;
  TeskString aString;

  EXPECT_TRUE(aParser.DataToString(aParse(L"'a''b'", &aHolder), &aString));
  EXPECT_EQ(aString, L"a'b");
  EXPECT_TRUE(aParser.DataToString(aParse(L"s", &aHolder), &aString));
  EXPECT_EQ(aString, L"text");
  EXPECT_TRUE(aParser.DataToString(aParse(L"plain", &aHolder), &aString));
  EXPECT_EQ(aString, L"plain");
  EXPECT_FALSE(aParser.DataToString(aParse(L"L", &aHolder), &aString));
  EXPECT_FALSE(aParser.DataToString(aParse(L"(a)", &aHolder), &aString));

  ListDataElement aList;
  EXPECT_TRUE(aParser.DataToList(aParse(L"l", &aHolder), &aList));
  EXPECT_EQ(aParser.DataElementToString(&aList), L"(1, 2, 3)");
  EXPECT_TRUE(aParser.DataToList(aParse(L"('x' L)", &aHolder), &aList));
  EXPECT_EQ(aParser.DataElementToString(&aList), L"(x, (1, 2, 3))");
  EXPECT_FALSE(aParser.DataToList(aParse(L"S", &aHolder), &aList));
  EXPECT_FALSE(aParser.DataToList(aParse(L"nothing", &aHolder), &aList));
  EXPECT_TRUE(aParser.mErrors.empty());

  std::vector<TeskString> aStrings;
  EXPECT_TRUE(aParser.DataToStringVector(aParse(L"('a' 1)", &aHolder), &aStrings));
  EXPECT_EQ(aStrings, (std::vector<TeskString>{L"a", L"1"}));
  EXPECT_FALSE(aParser.DataToStringVector(aParse(L"N", &aHolder), &aStrings));
  EXPECT_TRUE(aStrings.empty());
  EXPECT_FALSE(aParser.DataToStringVector(aParse(L"S", &aHolder), &aStrings));
  EXPECT_TRUE(aParser.mErrors.empty());
  EXPECT_FALSE(aParser.DataToStringVector(aParse(L"Missing", &aHolder), &aStrings));
  ASSERT_EQ(aParser.mErrors.size(), 1u);
  EXPECT_EQ(aParser.mErrors[0], "Unable to Dereference \"Missing\"");

  std::vector<int> anInts;
  EXPECT_TRUE(aParser.DataToIntVector(aParse(L"(1 0x1F -4)", &aHolder), &anInts));
  EXPECT_EQ(anInts, (std::vector<int>{1, 31, -4}));
  EXPECT_FALSE(aParser.DataToIntVector(aParse(L"(1 L)", &aHolder), &anInts));
  EXPECT_TRUE(anInts.empty());
  EXPECT_FALSE(aParser.DataToIntVector(aParse(L"(1 'x' 3)", &aHolder), &anInts));
  EXPECT_EQ(anInts, (std::vector<int>{1}));
  EXPECT_FALSE(aParser.DataToIntVector(aParse(L"(+1)", &aHolder), &anInts));
  EXPECT_TRUE(aParser.DataToIntVector(aParse(L"L", &aHolder), &anInts));
  EXPECT_EQ(anInts, (std::vector<int>{1, 2, 3}));

  std::vector<double> aDoubles;
  EXPECT_TRUE(aParser.DataToDoubleVector(aParse(L"D", &aHolder), &aDoubles));
  EXPECT_EQ(aDoubles, (std::vector<double>{1.5, -2.0}));
  EXPECT_FALSE(aParser.DataToDoubleVector(aParse(L"(1 1e3)", &aHolder), &aDoubles));
  EXPECT_EQ(aDoubles, (std::vector<double>{1.0}));
}

TEST(DescParser, ListCopiesAreDeep) {
  RecordingParser aParser;
  ListDataElement aList;
  ASSERT_TRUE(aParser.ParseToList(L"a (b (c d)) e", &aList, false, nullptr));
  ListDataElement aCopy(aList);
  std::unique_ptr<DataElement> aDup(aList.Duplicate());
  ListDataElement anAssigned;
  anAssigned.mElements.push_back(new SingleDataElement(L"gone"));
  anAssigned = aList;
  aList.Clear();
  EXPECT_EQ(aParser.DataElementToString(&aCopy), L"(a, (b, (c, d)), e)");
  EXPECT_EQ(aParser.DataElementToString(aDup.get()), L"(a, (b, (c, d)), e)");
  EXPECT_EQ(aParser.DataElementToString(&anAssigned), L"(a, (b, (c, d)), e)");
  EXPECT_TRUE(aDup->mIsList);
}

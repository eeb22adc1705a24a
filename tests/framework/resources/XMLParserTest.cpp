#include <gtest/gtest.h>

#include <string>

#include "PakFixture.h"
#include "resources/XMLParser.h"

using Tesk::XMLElement;
using Tesk::XMLParser;

namespace {

// Every element as one line: kind, section, value, attributes in stored order; then how reading ended.
std::string Describe(XMLParser& theParser) {
  std::string anOut;
  XMLElement anElement;
  while (theParser.NextElement(&anElement)) {
    static const char* const kKinds[] = {"none", "start", "end", "text", "instr", "comment"};
    anOut += kKinds[anElement.mType];
    anOut +=
        " [" + Tesk::WStringToString(anElement.mSection) + "] " + Tesk::WStringToString(anElement.mValue);
    for (auto anItr : anElement.mAttributeOrder)
      anOut += " " + Tesk::WStringToString(anItr->first) + "=" + Tesk::WStringToString(anItr->second) + ";";
    if (anElement.mType == XMLElement::TYPE_INSTRUCTION)
      anOut += " |" + Tesk::WStringToString(anElement.mInstruction) + "|";
    anOut += "\n";
  }
  if (theParser.HasFailed())
    anOut += "FAIL " + Tesk::WStringToString(theParser.GetErrorText()) + " @" +
             std::to_string(theParser.GetCurrentLineNum());
  else
    anOut += "END";
  return anOut;
}

class XMLParserTest : public PakFixture {
 protected:
  // Parses theBytes from a loose file and from an archive entry; both must agree.
  std::string Parse(const std::string& theBytes) {
    EXPECT_TRUE(TeskTest::WriteFile("loose.xml", theBytes));
    TeskTools::PakWriter aWriter;
    aWriter.Add("props\\packed.xml", theBytes);
    std::string aPak = "p" + std::to_string(mPakCount++) + ".pak";
    EXPECT_TRUE(aWriter.WriteFile(aPak));
    EXPECT_TRUE(mPak->AddPakFile(aPak));
    *gPakInterfaceP = mPak.get();

    XMLParser aLoose;
    EXPECT_TRUE(aLoose.OpenFile("loose.xml"));
    std::string aFromDisk = Describe(aLoose);
    XMLParser aPacked;
    EXPECT_TRUE(aPacked.OpenFile("props/packed.xml"));
    EXPECT_EQ(aPacked.GetFileName(), "props/packed.xml");
    std::string aFromArchive = Describe(aPacked);
    EXPECT_EQ(aFromDisk, aFromArchive) << "archive and disk differ";
    return aFromDisk;
  }
  int mPakCount = 0;
};

TEST_F(XMLParserTest, ElementsAndAttributes) {
  struct Case {
    const char* input;
    const char* expected;
  };
  const Case kCases[] = {
      {"<a/>", "start [] a\nend [a] a\nEND"},
      {"<a />", "start [] a\nend [a] a\nEND"},
      {"<a b=1/>", "start [] a b=1; b=1;\nend [a] a\nEND"},
      {"<a b=1 />", "start [] a b=1;\nend [a] a\nEND"},
      {"<a b c=1>", "start [] a b=; c=1;\nEND"},
      {"<a b = 1>", "start [] a b=1;\nEND"},
      {"<a b=\"x < > y\">", "start [] a b=x < > y;\nEND"},
      {"<a b='x'>", "start [] a b='x';\nEND"},
      {"<a b=\"1\" b=\"2\">", "start [] a b=2; b=2;\nEND"},
      {"<Font bold/>", "start [] Font bold/=;\nEND"},  // no self-close without a space
      {"<a><b></b></a>", "start [] a\nstart [a] b\nend [a/b] b\nend [a] a\nEND"},
      {"<a>  one   two  </a>", "start [] a\ntext [a] one two\nend [a] a\nEND"},
      {"<a>say \"x  y\"</a>", "start [] a\ntext [a] say \"x  y\"\nend [a] a\nEND"},
      {"<!-- note --><a/>", "start [] a\nend [a] a\nEND"},
      {"<!--note-->", "start [] !--note--\nEND"},
      {"<?xml version=1.0?>", "instr [] xml | version=1.0|\nEND"},
      {"<?xml version=\"&lt;\"?><r/>", "instr [] xml | version=\"&lt;\"|\nstart [] r\nend [r] r\nEND"},
      {"<a&amp;b c&lt;=\"&gt;&quot;&apos;&nbsp;&x;\">t&cr;u</a&amp;b>",
       "start [] a&b c<=>\"' &;\ntext [a&amp;b] t\nu\nend [a&amp;b] a&b\nEND"},
      {"", "END"},
      {"  \n ", "END"},
      {"text only", "FAIL Unexpected End of File @1"},  // text must be ended by a tag
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(Parse(c.input), c.expected);
  }
}

TEST_F(XMLParserTest, ErrorTextsAndLines) {
  struct Case {
    const char* input;
    const char* expected;
  };
  const Case kCases[] = {
      {"<a></b>", "start [] a\nFAIL End 'b' Doesn't Match Start 'a' @1"},
      {"\n</a>", "FAIL Unexpected End @2"},
      {"<a", "FAIL Unexpected End of File @1"},
      {"<a>\n\n<", "start [] a\nFAIL Unexpected End of File @3"},
      {"<a <b>", "FAIL Unexpected '<' @1"},
      {"\n\n>", "FAIL Unexpected '>' @3"},
      {"<a>x\x01</a>", "start [] a\nFAIL Illegal Character @1"},
      {"<a b=\"\n\n\">\n<", "start [] a b=\n\n;\nFAIL Unexpected End of File @4"},  // quoted line feeds count
      {"<!-- \n\n --><", "FAIL Unexpected End of File @3"},
      {"<a/><b/>\n", "start [] a\nend [a] a\nstart [] b\nend [b] b\nEND"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.input);
    EXPECT_EQ(Parse(c.input), c.expected);
  }
}

TEST_F(XMLParserTest, MissingFile) {
  XMLParser aParser;
  EXPECT_FALSE(aParser.OpenFile("properties\\nothing.xml"));
  EXPECT_TRUE(aParser.HasFailed());
  EXPECT_EQ(aParser.GetErrorText(), L"Unable to open file properties\\nothing.xml");
  EXPECT_EQ(aParser.GetCurrentLineNum(), 0);
  EXPECT_EQ(aParser.GetFileName(), "");
  XMLElement anElement;
  EXPECT_FALSE(aParser.NextElement(&anElement));
}

std::string Utf16(const std::u16string& theText, bool bigEndian) {
  std::string anOut;
  for (char16_t u : theText) {
    char aLo = static_cast<char>(u & 0xFF), aHi = static_cast<char>(u >> 8);
    anOut += bigEndian ? aHi : aLo;
    anOut += bigEndian ? aLo : aHi;
  }
  return anOut;
}

TEST_F(XMLParserTest, ByteOrderMarksChooseTheDecoder) {
  // U+010D and U+0D0A hold carriage-return bytes inside their units; U+1F600 needs a surrogate pair.
  const std::u16string kText = u"<a v=\"\u010D\u0D0A\U0001F600\">\u00E9</a>";
  const std::wstring kValue = L"\u010D\u0D0A\U0001F600";

  struct Case {
    const char* name;
    std::string bytes;
    std::wstring value;
    std::wstring text;
  };
  const Case kCases[] = {
      {"utf16le", Utf16(u"\uFEFF" + kText, false), kValue, L"\u00E9"},
      {"utf16be", Utf16(u"\uFEFF" + kText, true), kValue, L"\u00E9"},
      {"utf8", "\xEF\xBB\xBF<a v=\"\xC4\x8D\xE0\xB4\x8A\xF0\x9F\x98\x80\">\xC3\xA9</a>", kValue, L"\u00E9"},
      {"bytes", "<a v=\"\xC4\x8D\">\xE9</a>", L"\u00C4\u008D", L"\u00E9"},  // no mark: byte by byte
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    for (const char* aName : {"loose.xml", "props/packed.xml"}) {
      SCOPED_TRACE(aName);
      Parse(c.bytes);
      XMLParser aParser;
      ASSERT_TRUE(aParser.OpenFile(aName));
      XMLElement anElement;
      ASSERT_TRUE(aParser.NextElement(&anElement));
      EXPECT_EQ(anElement.mValue, L"a");
      EXPECT_EQ(anElement.mAttributes[L"v"], c.value);
      ASSERT_TRUE(aParser.NextElement(&anElement));
      EXPECT_EQ(anElement.mValue, c.text);
      ASSERT_TRUE(aParser.NextElement(&anElement));
      EXPECT_EQ(anElement.mType, XMLElement::TYPE_END);
      EXPECT_FALSE(aParser.NextElement(&anElement));
      EXPECT_FALSE(aParser.HasFailed());
    }
  }
}

TEST_F(XMLParserTest, BadEncodings) {
  struct Case {
    const char* name;
    std::string bytes;
    const char* expected;
  };
  const std::string kBom = "\xEF\xBB\xBF";
  const Case kCases[] = {
      {"overlong nul between elements", kBom + "<a/>\xC0\x80",
       "start [] a\nend [a] a\nFAIL Illegal Character @1"},
      {"surrogate between elements", kBom + "\xED\xA0\x80", "FAIL Illegal Character @1"},
      {"overlong nul in a tag", kBom + "<a\xC0\x80>", "FAIL Unexpected End of File @1"},
      {"stray continuation in text", kBom + "<a>x\x80</a>", "start [] a\nFAIL Unexpected End of File @1"},
      {"truncated sequence", kBom + "<a>\xE2\x82", "start [] a\nFAIL Illegal Character @1"},
      {"fe byte", kBom + "\xFE", "FAIL Illegal Character @1"},
      {"utf16 lone low surrogate",
       Utf16(u"\uFEFF<a>", false) + std::string("\x00\xDC", 2) + Utf16(u"</a>", false),
       "start [] a\nEND"},  // reads as the end of the input
      {"utf16 odd byte", Utf16(u"\uFEFF<a/>", false) + "x", "start [] a\nend [a] a\nEND"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Parse(c.bytes), c.expected);
  }
}

TEST(XMLElementCopy, KeepsItsOwnAttributeOrder) {
  XMLElement anElement;
  anElement.mAttributes[L"b"] = L"1";
  anElement.mAttributes[L"a"] = L"2";
  anElement.mAttributeOrder.push_back(anElement.mAttributes.find(L"b"));
  anElement.mAttributeOrder.push_back(anElement.mAttributes.find(L"a"));
  XMLElement aCopy = anElement;
  anElement = XMLElement();
  ASSERT_EQ(aCopy.mAttributeOrder.size(), 2u);
  EXPECT_EQ(aCopy.mAttributeOrder.front()->first, L"b");
  EXPECT_EQ(aCopy.mAttributeOrder.back()->second, L"2");
}

}  // namespace

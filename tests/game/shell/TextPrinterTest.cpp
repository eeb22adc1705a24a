// The text printer: typing speed, page cuts (at a space, after a newline, with nowhere to break,
// past the buffer) and the drawing of the shown part of a page.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwchar>
#include <string>
#include <vector>

#include "game/shell/TextPrinter.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"

namespace {

// Every character 10 pixels wide; ascent 12, height 16 (descent 4).
class TenPixelFont : public Tesk::Font {
 public:
  TenPixelFont() {
    mAscent = 12;
    mHeight = 16;
  }
  int StringWidth(const TeskString& theString) override { return 10 * static_cast<int>(theString.size()); }
  Font* Duplicate() override { return new TenPixelFont(*this); }
};

struct Line {
  std::wstring text;
  int x, y, width, justification;
};

// A printer whose lines are noted on their way to the screen.
class RecordingPrinter : public TextPrinter {
 public:
  int WriteString(Tesk::Graphics*, const TeskString& theString, int x, int y, int theWidth,
                  int theJustification, bool, int, int) override {
    mLines.push_back({theString, x, y, theWidth, theJustification});
    return theWidth;
  }
  std::vector<Line> mLines;
};

class TextPrinterTest : public ::testing::Test {
 protected:
  // A box theColumns characters wide and theRows lines high (line spacing 20).
  void Box(int theColumns, int theRows, int theJustification = -1) {
    mPrinter.setFont(&mFont);
    // n lines measure 16 + 20 (n - 1) pixels: the box takes theRows and not one more.
    mPrinter.setDimensions(10, 50, 10 * theColumns, 16 + 20 * (theRows - 1) + 1, 20, theJustification);
  }
  void Start(const std::wstring& theText) {
    mText = std::vector<wchar_t>(theText.begin(), theText.end());
    mText.push_back(0);
    mPrinter.newString(mText.data());
  }
  // Every page printed whole, in order, as [first, end) character ranges.
  std::vector<std::wstring> Pages(int theMaxPages = 10000) {
    std::vector<std::wstring> aPages;
    const int aLength = static_cast<int>(mText.size()) - 1;
    for (int i = 0; i < theMaxPages; ++i) {
      mPrinter.finishPrinting();
      const int anEnd = std::min(mPrinter.m_charOn, aLength);
      EXPECT_GE(mPrinter.m_firstChar, 0);
      EXPECT_GT(anEnd, mPrinter.m_firstChar) << "a page must show something";
      aPages.emplace_back(mText.data() + mPrinter.m_firstChar,
                          mText.data() + std::max(anEnd, mPrinter.m_firstChar));
      if (mPrinter.getIsPrintingCompleted()) break;
      mPrinter.moveToNextPage();
    }
    return aPages;
  }
  std::vector<Line> Draw() {
    mPrinter.mLines.clear();
    Tesk::Graphics g(nullptr);
    mPrinter.draw(&g, 1.0f);
    return mPrinter.mLines;
  }

  TenPixelFont mFont;
  RecordingPrinter mPrinter;
  std::vector<wchar_t> mText;
};

std::wstring Joined(const std::vector<std::wstring>& theParts) {
  std::wstring s;
  for (const std::wstring& p : theParts) s += p;
  return s;
}

// Without spaces and newlines: what drawing must show of a text, whatever the wrapping.
std::wstring Ink(const std::wstring& theText) {
  std::wstring s;
  for (wchar_t c : theText)
    if (c != L' ' && c != L'\n') s += c;
  return s;
}

TEST_F(TextPrinterTest, TypesACharacterEveryThirdUpdateAndStopsCountingWhenDone) {
  Box(20, 3);
  Start(L"ab");
  std::vector<int> aShown;
  for (int i = 0; i < 9; ++i) {
    mPrinter.Update();
    aShown.push_back(mPrinter.m_charOn);
  }
  EXPECT_EQ(aShown, (std::vector<int>{0, 0, 1, 1, 1, 2, 2, 2, 3}));
  EXPECT_TRUE(mPrinter.getIsPrintingCompleted());
  EXPECT_FALSE(mPrinter.getIsPrinting());
  const uint8_t aTick = mPrinter.m_tick;
  for (int i = 0; i < 5; ++i) mPrinter.Update();
  EXPECT_EQ(mPrinter.m_tick, aTick) << "a printer that has stopped does not count";
}

TEST_F(TextPrinterTest, ATextThatFitsIsCompletedAtOnce) {
  Box(20, 3);
  const std::wstring aText = L"Once upon a time in Gloam Hollow";
  Start(aText);
  mPrinter.finishPrinting();
  EXPECT_TRUE(mPrinter.getIsPrintingCompleted());
  EXPECT_FALSE(mPrinter.getIsPrinting());
  EXPECT_EQ(mPrinter.m_charOn, static_cast<int>(aText.size()) + 1);
}

TEST_F(TextPrinterTest, PagesBreakBeforeASpaceOrAfterANewline) {
  // 10 characters a line, 2 lines a page.
  Box(10, 2);
  const std::wstring aText = L"aaaa bbbb cccc dddd eeee ffff gggg\nhhhh iiii";
  Start(aText);
  mPrinter.finishPrinting();
  EXPECT_FALSE(mPrinter.getIsPrintingCompleted());
  EXPECT_EQ(mPrinter.m_charOn, 19);
  EXPECT_EQ(aText[mPrinter.m_charOn], L' ') << "the space starts the next page";
  mPrinter.moveToNextPage();
  EXPECT_EQ(mPrinter.m_firstChar, 19);
  mPrinter.finishPrinting();
  // " eeee ffff" and "gggg\n": the newline ends the page and stays on it.
  EXPECT_EQ(mPrinter.m_charOn, 35);
  EXPECT_EQ(aText[mPrinter.m_charOn - 1], L'\n');
  EXPECT_FALSE(mPrinter.getIsPrintingCompleted());
  mPrinter.moveToNextPage();
  mPrinter.finishPrinting();
  EXPECT_TRUE(mPrinter.getIsPrintingCompleted());
  EXPECT_EQ(std::wstring(mText.data() + mPrinter.m_firstChar), L"hhhh iiii");
}

TEST_F(TextPrinterTest, APageWithNowhereToBreakIsCutWhereItIsFull) {
  Box(10, 3);
  const std::wstring aText(205, L'x');
  Start(aText);
  const std::vector<std::wstring> aPages = Pages();
  ASSERT_EQ(aPages.size(), 7u);
  for (size_t i = 0; i + 1 < aPages.size(); ++i) EXPECT_EQ(aPages[i].size(), 30u) << "page " << i;
  EXPECT_EQ(Joined(aPages), aText);
  // Drawn, each page is three lines of ten.
  mPrinter.m_firstChar = 0;
  mPrinter.m_charOn = 30;
  const std::vector<Line> aLines = Draw();
  ASSERT_EQ(aLines.size(), 3u);
  for (const Line& l : aLines) EXPECT_EQ(l.text, std::wstring(10, L'x'));
}

TEST_F(TextPrinterTest, APageStartingWithTheSpaceOfALongWordStillMovesOn) {
  Box(10, 1);
  const std::wstring aText = L"ab " + std::wstring(40, L'y') + L" end";
  Start(aText);
  const std::vector<std::wstring> aPages = Pages(100);
  EXPECT_TRUE(mPrinter.getIsPrintingCompleted());
  EXPECT_EQ(Joined(aPages), aText);
  for (const std::wstring& p : aPages) EXPECT_LE(p.size(), 10u);
}

TEST_F(TextPrinterTest, ABoxLowerThanALineStillShowsACharacterAPage) {
  mPrinter.setFont(&mFont);
  mPrinter.setDimensions(0, 0, 100, 5, 20, -1);
  Start(L"abc");
  const std::vector<std::wstring> aPages = Pages(10);
  EXPECT_EQ(aPages, (std::vector<std::wstring>{L"a", L"b", L"c"}));
}

TEST_F(TextPrinterTest, AnEmptyTextInABoxTooLowForALineEndsAtOnce) {
  mPrinter.setFont(&mFont);
  // With no line spacing even an empty text measures as one line, higher than the box.
  mPrinter.setDimensions(0, 0, 100, 5, 0, -1);
  Start(L"");
  mPrinter.finishPrinting();
  EXPECT_TRUE(mPrinter.getIsPrintingCompleted());
  EXPECT_EQ(mPrinter.m_charOn, 0);
  EXPECT_TRUE(Draw().empty());
}

TEST_F(TextPrinterTest, APageNeverHoldsMoreThanTheBuffer) {
  // The credits' box: 640 wide and far higher than the text.
  mPrinter.setFont(&mFont);
  mPrinter.setDimensions(80, 140, 640, 200000, 36, 0);
  std::wstring aText;
  for (int i = 0; aText.size() < 3000; ++i)
    aText += L"word" + std::to_wstring(i) + (i % 7 == 6 ? L"\n" : L" ");
  Start(aText);
  const std::vector<std::wstring> aPages = Pages();
  ASSERT_GE(aPages.size(), 3u);
  for (const std::wstring& p : aPages)
    EXPECT_LE(p.size(), static_cast<size_t>(TextPrinter::k_MAX_BUFFER_SIZE - 1));
  EXPECT_EQ(Joined(aPages), aText);
  // One long run of letters: the cut falls where the buffer is full.
  const std::wstring aRun(2500, L'z');
  Start(aRun);
  const std::vector<std::wstring> aRunPages = Pages();
  ASSERT_EQ(aRunPages.size(), 3u);
  EXPECT_EQ(aRunPages[0].size(), 1023u);
  EXPECT_EQ(Joined(aRunPages), aRun);
}

TEST_F(TextPrinterTest, EveryPageDrawsWithinItsBoxAndTogetherTheyShowTheWholeText) {
  const wchar_t* const aWords[] = {L"a", L"of", L"the", L"rune", L"stone", L"hollow", L"spell", L"x"};
  for (int aSeed = 1; aSeed <= 30; ++aSeed) {
    const int aColumns = 8 + aSeed % 9;
    const int aRows = 1 + aSeed % 4;
    Box(aColumns, aRows, aSeed % 2 == 0 ? 0 : -1);
    std::wstring aText;
    unsigned r = static_cast<unsigned>(aSeed) * 2654435761u;
    for (int i = 0; i < 60; ++i) {
      r = r * 1103515245u + 12345u;
      aText += aWords[(r >> 16) % 8];
      if ((r >> 8) % 23 == 0) aText += std::wstring(aColumns + 3, L'q');
      aText += (r >> 4) % 11 == 0 ? L"\n" : L" ";
    }
    Start(aText);
    std::wstring anInk;
    for (int aPage = 0; aPage < 1000; ++aPage) {
      mPrinter.finishPrinting();
      const std::vector<Line> aLines = Draw();
      EXPECT_LE(static_cast<int>(aLines.size()), aRows) << "seed " << aSeed << " page " << aPage;
      for (const Line& l : aLines) {
        EXPECT_LE(static_cast<int>(l.text.size()) * 10, 10 * aColumns) << "seed " << aSeed;
        anInk += Ink(l.text);
      }
      if (mPrinter.getIsPrintingCompleted()) break;
      mPrinter.moveToNextPage();
    }
    EXPECT_EQ(anInk, Ink(aText)) << "seed " << aSeed;
  }
}

TEST_F(TextPrinterTest, FinishingAPageCutsItWhereTypingItWould) {
  const wchar_t* const aWords[] = {L"a", L"of", L"the", L"rune", L"stone", L"hollow", L"spell", L"x"};
  for (int aSeed = 1; aSeed <= 20; ++aSeed) {
    const int aColumns = 6 + aSeed % 11;
    const int aRows = 1 + aSeed % 5;
    std::wstring aText;
    unsigned r = static_cast<unsigned>(aSeed) * 40503u;
    for (int i = 0; i < 80; ++i) {
      r = r * 1103515245u + 12345u;
      aText += aWords[(r >> 16) % 8];
      if ((r >> 8) % 19 == 0) aText += std::wstring(aColumns + 2, L'q');
      aText += (r >> 4) % 13 == 0 ? L"\n" : L" ";
    }
    Box(aColumns, aRows);
    Start(aText);
    TextPrinter aTyped;
    aTyped.setFont(&mFont);
    aTyped.setDimensions(mPrinter.m_box.mX, mPrinter.m_box.mY, mPrinter.m_box.mWidth, mPrinter.m_box.mHeight,
                         mPrinter.m_lineSpacing, -1);
    aTyped.newString(mText.data());
    for (int aPage = 0; aPage < 1000; ++aPage) {
      mPrinter.finishPrinting();
      int aGuard = 0;
      while (aTyped.getIsPrinting() && ++aGuard < 100000) aTyped.Update();
      ASSERT_EQ(mPrinter.m_charOn, aTyped.m_charOn) << "seed " << aSeed << " page " << aPage;
      ASSERT_EQ(mPrinter.getIsPrintingCompleted(), aTyped.getIsPrintingCompleted());
      if (aTyped.getIsPrintingCompleted()) break;
      mPrinter.moveToNextPage();
      aTyped.moveToNextPage();
    }
  }
}

TEST_F(TextPrinterTest, AWordBeingTypedIsPlacedWhereItWillEnd) {
  Box(10, 3, 0);
  Start(L"aaaa bbbbbb cc");
  for (int i = 0; i < 3 * 7; ++i) mPrinter.Update();  // "aaaa bb" shown
  ASSERT_EQ(mPrinter.m_charOn, 7);
  const std::vector<Line> aLines = Draw();
  ASSERT_EQ(aLines.size(), 2u);
  EXPECT_EQ(aLines[0].text, L"aaaa");
  EXPECT_EQ(aLines[1].text, L"bb");
  // Centred on the box as the whole word will be: box x 10 + 50 - 60 / 2.
  EXPECT_EQ(aLines[1].x, 30);
  EXPECT_EQ(aLines[1].width, 60);
  EXPECT_EQ(aLines[1].y - aLines[0].y, 20);
}

TEST_F(TextPrinterTest, TranslationMovesEveryLineAndOtherJustificationsDrawNothing) {
  Box(10, 3);
  Start(L"aaaa bbbb cccc");
  mPrinter.finishPrinting();
  const std::vector<Line> aPlain = Draw();
  ASSERT_EQ(aPlain.size(), 2u);
  EXPECT_EQ(aPlain[0].x, 10);
  EXPECT_EQ(aPlain[0].y, 50);
  mPrinter.setYTranslation(-100);
  const std::vector<Line> aMoved = Draw();
  ASSERT_EQ(aMoved.size(), aPlain.size());
  for (size_t i = 0; i < aMoved.size(); ++i) EXPECT_EQ(aMoved[i].y, aPlain[i].y - 100);
  mPrinter.m_justification = 5;
  EXPECT_TRUE(Draw().empty());
}

TEST_F(TextPrinterTest, NoTextNoFontNothingHappens) {
  Box(10, 3);
  mPrinter.newString(nullptr);
  mPrinter.finishPrinting();
  mPrinter.Update();
  EXPECT_TRUE(Draw().empty());
  Start(L"abc");
  mPrinter.setFont(nullptr);
  EXPECT_TRUE(Draw().empty());
}

}  // namespace

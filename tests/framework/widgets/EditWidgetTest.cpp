// The edit field: every edit key, selection, undo, clipboard, filtering, scrolling and the caret.
#include <gtest/gtest.h>

#include "ControlRecorder.h"
#include "WidgetTestSupport.h"
#include "framework/graphics/RecordingImage.h"
#include "widgets/EditWidget.h"

namespace Tesk {
namespace {

struct Step {
  const char* op;  // "type", "key", "hold", "free", "cmd", "set"
  const wchar_t* text;
  int key;
  const wchar_t* expectText;
  int cursor;
  int anchor;
};

class EditTest : public ::testing::Test {
 protected:
  FakeApp mApp;
  WidgetManager mManager{&mApp};
  ControlRecorder mRec;
  BlockFont mFont;  // 6 pixels a character
  EditWidget mEdit{4, &mRec};

  void SetUp() override {
    SizeManager(mManager);
    mEdit.SetFont(&mFont);
    mEdit.Resize(10, 10, 100, 20);
    mManager.AddWidget(&mEdit);
    mManager.SetFocus(&mEdit);
  }
  void TearDown() override { mManager.RemoveAllWidgets(); }

  void Run(const std::vector<Step>& theSteps) {
    int i = 0;
    for (const Step& s : theSteps) {
      SCOPED_TRACE("step " + std::to_string(i++) + " " + s.op);
      std::string op = s.op;
      if (op == "type") {
        for (const wchar_t* c = s.text; *c != 0; c++) mManager.KeyChar(*c);
      } else if (op == "key") {
        mManager.KeyDown(static_cast<KeyCode>(s.key));
        mManager.KeyUp(static_cast<KeyCode>(s.key));
      } else if (op == "hold") {
        mManager.KeyDown(static_cast<KeyCode>(s.key));
      } else if (op == "free") {
        mManager.KeyUp(static_cast<KeyCode>(s.key));
      } else if (op == "cmd") {
        mManager.KeyDown(KEYCODE_COMMAND);
        mManager.KeyChar(s.text[0]);
        mManager.KeyUp(KEYCODE_COMMAND);
      } else if (op == "set") {
        mEdit.SetText(s.text);
      }
      EXPECT_EQ(mEdit.mText, s.expectText);
      EXPECT_EQ(mEdit.mCursorPos, s.cursor);
      EXPECT_EQ(mEdit.mHilitePos, s.anchor);
    }
  }
};

TEST_F(EditTest, TypingReplacesTheWholeTextAfterSetText) {
  Run({
      {"set", L"abc", 0, L"abc", 3, 0},
      {"type", L"x", 0, L"x", 1, -1},
  });
}

TEST_F(EditTest, CursorKeysAndDeletion) {
  Run({
      {"type", L"hello", 0, L"hello", 5, -1},
      {"key", nullptr, KEYCODE_HOME, L"hello", 0, -1},
      {"key", nullptr, KEYCODE_BACK, L"hello", 0, -1},  // nothing before position 0
      {"key", nullptr, KEYCODE_DELETE, L"ello", 0, -1},
      {"key", nullptr, KEYCODE_RIGHT, L"ello", 1, -1},
      {"key", nullptr, KEYCODE_BACK, L"llo", 0, -1},
      {"key", nullptr, KEYCODE_LEFT, L"llo", 0, -1},  // clamped
      {"key", nullptr, KEYCODE_END, L"llo", 3, -1},
      {"key", nullptr, KEYCODE_RIGHT, L"llo", 3, -1},
      {"type", L"w", 0, L"llow", 4, -1},
  });
}

TEST_F(EditTest, ShiftSelectsAndEditsReplaceTheSelection) {
  Run({
      {"type", L"abcdef", 0, L"abcdef", 6, -1},
      {"hold", nullptr, KEYCODE_SHIFT, L"abcdef", 6, -1},
      {"key", nullptr, KEYCODE_LEFT, L"abcdef", 5, 6},
      {"key", nullptr, KEYCODE_LEFT, L"abcdef", 4, 6},
      {"free", nullptr, KEYCODE_SHIFT, L"abcdef", 4, 6},
      {"key", nullptr, KEYCODE_RIGHT, L"abcdef", 6, -1},  // to the far end of the selection
      {"hold", nullptr, KEYCODE_SHIFT, L"abcdef", 6, -1},
      {"key", nullptr, KEYCODE_HOME, L"abcdef", 0, 6},
      {"free", nullptr, KEYCODE_SHIFT, L"abcdef", 0, 6},
      {"key", nullptr, KEYCODE_LEFT, L"abcdef", 0, -1},
      {"set", L"abcdef", 0, L"abcdef", 6, 0},
      {"key", nullptr, KEYCODE_DELETE, L"", 0, -1},
      {"set", L"abcdef", 0, L"abcdef", 6, 0},
      {"key", nullptr, KEYCODE_BACK, L"", 0, -1},
  });
}

TEST_F(EditTest, ControlArrowsJumpByWords) {
  Run({
      {"type", L"ab cd", 0, L"ab cd", 5, -1},
      {"key", nullptr, KEYCODE_HOME, L"ab cd", 0, -1},
      {"hold", nullptr, KEYCODE_CONTROL, L"ab cd", 0, -1},
      {"key", nullptr, KEYCODE_RIGHT, L"ab cd", 3, -1},
      {"key", nullptr, KEYCODE_END, L"ab cd", 5, -1},
      {"key", nullptr, KEYCODE_LEFT, L"ab cd", 3, -1},
      {"key", nullptr, KEYCODE_LEFT, L"ab cd", 0, -1},
      {"free", nullptr, KEYCODE_CONTROL, L"ab cd", 0, -1},
  });
}

TEST_F(EditTest, RunsOfTypingAreOneUndoStep) {
  Run({
      {"type", L"hello", 0, L"hello", 5, -1},
      {"cmd", L"z", 0, L"", 0, -1},
      {"cmd", L"z", 0, L"hello", 5, -1},
      {"key", nullptr, KEYCODE_BACK, L"hell", 4, -1},
      {"key", nullptr, KEYCODE_BACK, L"hel", 3, -1},
      {"cmd", L"z", 0, L"hello", 5, -1},  // both deletions undone at once
  });
}

TEST_F(EditTest, ClipboardCopyAndPaste) {
  Run({
      {"type", L"hello", 0, L"hello", 5, -1},
      {"hold", nullptr, KEYCODE_SHIFT, L"hello", 5, -1},
      {"key", nullptr, KEYCODE_LEFT, L"hello", 4, 5},
      {"key", nullptr, KEYCODE_LEFT, L"hello", 3, 5},
      {"free", nullptr, KEYCODE_SHIFT, L"hello", 3, 5},
      {"cmd", L"c", 0, L"hello", 3, 5},  // the selection stays
      {"key", nullptr, KEYCODE_HOME, L"hello", 0, -1},
      {"cmd", L"v", 0, L"lohello", 2, -1},
  });
  EXPECT_EQ(mApp.mClipboard, "lo");
  mApp.mClipboard = "one\r\ntwo";
  Run({
      {"set", L"xyz", 0, L"xyz", 3, 0},
      {"cmd", L"v", 0, L"one", 3, -1},  // replaces the selection, stops at the line break
  });
  mApp.mClipboard = "";
  Run({{"cmd", L"v", 0, L"one", 3, -1}});
}

TEST_F(EditTest, LimitsCutPastedAndTypedText) {
  mEdit.mMaxChars = 3;
  mApp.mClipboard = "abcdef";
  Run({
      {"cmd", L"v", 0, L"abc", 3, -1},
      {"key", nullptr, KEYCODE_HOME, L"abc", 0, -1},
      {"type", L"x", 0, L"xab", 1, -1},  // inserted, then the end is cut
  });
  mEdit.mMaxChars = -1;
  mEdit.mMaxPixels = 30;                             // five characters of six pixels
  Run({{"type", L"12345678", 0, L"x1234", 5, -1}});  // typing mid-text pushes the end out
  BlockFont aWide;
  aWide.mCharWidth = 10;
  mEdit.AddWidthCheckFont(&aWide, 40);
  Run({{"type", L"9", 0, L"x123", 4, -1}});
  mEdit.ClearWidthCheckFonts();
  mEdit.AddWidthCheckFont(&aWide);  // no own limit: mMaxPixels in the wide font
  Run({{"type", L"9", 0, L"x12", 3, -1}});
}

TEST_F(EditTest, PasswordFieldCopiesItsMask) {
  mEdit.mPasswordChar = L'*';
  Run({
      {"type", L"secret", 0, L"secret", 6, -1},
      {"set", L"secret", 0, L"secret", 6, 0},
      {"cmd", L"c", 0, L"secret", 6, 0},
  });
  EXPECT_EQ(mApp.mClipboard, "******");
  EXPECT_EQ(mEdit.GetDisplayString(), L"******");
}

TEST_F(EditTest, ListenerFiltersKeysCharactersAndTexts) {
  mRec.mRefuseChars = L"q";
  mRec.mRefuseText = L"bad";
  Run({
      {"type", L"bqa", 0, L"ba", 2, -1},
      {"type", L"\x7f", 0, L"ba", 2, -1},  // no width in the font
      {"type", L"\x01", 0, L"ba", 2, -1},  // control characters
      {"type", L"d", 0, L"ba", 2, -1},     // the text "bad" is refused
      {"type", L"t", 0, L"bat", 3, -1},
  });
  mApp.mClipboard = "xqy";
  Run({{"cmd", L"v", 0, L"batxy", 5, -1}});
  mRec.mAskedKeys.clear();
  mManager.KeyDown(static_cast<KeyCode>('A'));
  mManager.KeyDown(static_cast<KeyCode>('Z'));
  EXPECT_EQ(mRec.mAskedKeys, std::vector<int>{'Z'});
  mManager.KeyDown(KEYCODE_RETURN);
  EXPECT_EQ(mRec.Take(), "text 4 batxy");
  EditWidget aFree(5, nullptr);  // no listener: everything is accepted
  aFree.SetFont(&mFont);
  aFree.ProcessKey(KEYCODE_UNKNOWN, L'q');
  EXPECT_EQ(aFree.mText, L"q");
}

TEST_F(EditTest, DoubleClickSelectsTheWordsAroundTheClick) {
  mEdit.SetText(L"ab cd");
  mManager.MouseMove(10 + 15, 15);  // on the space: (6 + 12) / 2 + 5 <= 15 < 20
  mManager.MouseDown(25, 15, 1);
  mManager.MouseUp(25, 15, 1);
  EXPECT_EQ(mEdit.mCursorPos, 2);
  EXPECT_EQ(mEdit.mHilitePos, -1);
  mManager.MouseDown(25, 15, 2);
  mManager.MouseUp(25, 15, 2);
  EXPECT_EQ(mEdit.mHilitePos, 0);
  EXPECT_EQ(mEdit.mCursorPos, 5);
  EXPECT_EQ(mApp.LastCursor(), 3);  // the text beam while over the field
}

TEST_F(EditTest, DragSelects) {
  mEdit.SetText(L"abcdef");
  mManager.MouseDown(10 + 9, 15, 1);  // after 'a'
  mManager.MouseMove(10 + 27, 15);    // after 'd'
  mManager.MouseUp(10 + 27, 15, 1);
  EXPECT_EQ(mEdit.mHilitePos, 1);
  EXPECT_EQ(mEdit.mCursorPos, 4);
}

TEST_F(EditTest, ScrollingFollowsTheCursor) {
  mEdit.Resize(10, 10, 40, 20);  // 32 pixels of text: five characters
  Run({{"type", L"abcdefghij", 0, L"abcdefghij", 10, -1}});
  EXPECT_GT(mEdit.mLeftPos, 0);
  mManager.MouseDown(10 + 1, 15, 1);  // left of the first visible character
  mManager.MouseUp(10 + 1, 15, 1);
  EXPECT_EQ(mEdit.mCursorPos, 0);
  EXPECT_EQ(mEdit.mLeftPos, 0);
}

TEST_F(EditTest, ACharacterNearlyAsWideAsTheFieldStopsTheScroll) {
  mEdit.Resize(10, 10, 14, 20);  // 6 pixels of room, one character is 6 wide
  mEdit.SetText(L"W", false);
  EXPECT_EQ(mEdit.mLeftPos, 0);
  Run({{"type", L"X", 0, L"X", 1, -1}});
}

TEST_F(EditTest, CaretBlinksEvery41Updates) {
  EXPECT_TRUE(mEdit.mShowCaret);
  std::vector<int> aToggles;
  bool aShown = true;
  for (int i = 1; i <= 90; i++) {
    mEdit.Update();
    if (mEdit.mShowCaret != aShown) {
      aToggles.push_back(i);
      aShown = mEdit.mShowCaret;
    }
  }
  EXPECT_EQ(aToggles, (std::vector<int>{41, 82}));
  mManager.SetFocus(nullptr);
  EXPECT_FALSE(mEdit.mShowCaret);
}

TEST_F(EditTest, DrawsTextSelectionAndOutline) {
  mEdit.SetText(L"abc");
  mEdit.Resize(0, 0, 100, 20);
  RecordingImage anImage(200, 50);
  Graphics g(&anImage);
  BlockFont* aFont = static_cast<BlockFont*>(mEdit.mFont);
  aFont->mDrawn.clear();
  mEdit.Draw(&g);
  ASSERT_EQ(aFont->mDrawn.size(), 2u);
  EXPECT_EQ(aFont->mDrawn[0], "abc@4,13 ff000000");  // (20 - 10) / 2 + 8
  EXPECT_EQ(aFont->mDrawn[1], "abc@4,13 ffffffff");  // selected text
  EXPECT_EQ(anImage.mCalls.front(), "FillRect 0,0,100,20 ffffffff 0");
}

}  // namespace
}  // namespace Tesk

#include "widgets/EditWidget.h"

#include <algorithm>
#include <cstdlib>

#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "widgets/EditListener.h"
#include "widgets/WidgetApp.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

static int gEditWidgetColors[][3] = {
    {255, 255, 255}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {255, 255, 255},
};

EditWidget::EditWidget(int theId, EditListener* theListener)
    : mId(theId),
      mFont(nullptr),
      mListener(theListener),
      mShowCaret(false),
      mShowSelectionUnfocused(false),
      mWordSelecting(false),
      mCursorPos(0),
      mHilitePos(-1),
      mBlinkCount(0),
      mBlinkDelay(40),
      mLeftPos(0),
      mMaxChars(-1),
      mMaxPixels(-1),
      mPasswordChar(0),
      mUndoCursor(0),
      mUndoHilite(0),
      mLastModifyPos(0) {
  SetColors(gEditWidgetColors, 5);
}

EditWidget::~EditWidget() {
  delete mFont;
  ClearWidthCheckFonts();
}

void EditWidget::SetCursor(int theCursorNum) {
  WidgetApp* anApp =
      mWidgetManager != nullptr && mWidgetManager->mApp != nullptr ? mWidgetManager->mApp : gWidgetApp;
  if (anApp != nullptr) anApp->SetCursor(theCursorNum);
}

void EditWidget::MarkDirty() {
  if (GetColor(COLOR_BKG).mAlpha != 255)
    MarkDirtyFull();
  else
    Widget::MarkDirty();
}

void EditWidget::SetFont(Font* theFont, Font* theWidthCheckFont) {
  delete mFont;
  mFont = theFont != nullptr ? theFont->Duplicate() : nullptr;
  ClearWidthCheckFonts();
  if (theWidthCheckFont != nullptr) AddWidthCheckFont(theWidthCheckFont, -1);
}

void EditWidget::AddWidthCheckFont(Font* theFont, int theMaxPixels) {
  WidthCheck aCheck;
  aCheck.mFont = theFont->Duplicate();
  aCheck.mWidth = theMaxPixels;
  mWidthCheckList.push_back(aCheck);
}

void EditWidget::ClearWidthCheckFonts() {
  for (WidthCheck& aCheck : mWidthCheckList) delete aCheck.mFont;
  mWidthCheckList.clear();
}

void EditWidget::SetText(const TeskString& theText, bool leftPosToZero) {
  mText = theText;
  mCursorPos = static_cast<int>(mText.size());
  mHilitePos = 0;
  if (leftPosToZero)
    mLeftPos = 0;
  else
    FocusCursor(true);
  MarkDirty();
}

const TeskString& EditWidget::GetDisplayString() {
  if (mPasswordChar == 0) return mText;
  if (mPasswordText.size() != mText.size()) mPasswordText.assign(mText.size(), mPasswordChar);
  return mPasswordText;
}

bool EditWidget::IsPartOfWord(wchar_t theChar) {
  return (theChar >= L'A' && theChar <= L'Z') || (theChar >= L'a' && theChar <= L'z') ||
         (theChar >= L'0' && theChar <= L'9') || theChar == L'_';
}

int EditWidget::DisplayWidth(int theCount) {
  if (mFont == nullptr) return 0;
  return mFont->StringWidth(GetDisplayString().substr(0, std::max(0, theCount)));
}

void EditWidget::EnforceMaxPixels() {
  if (mWidthCheckList.empty()) {
    if (mMaxPixels < 1 || mFont == nullptr) return;
    while (!mText.empty() && mFont->StringWidth(mText) > mMaxPixels) mText.pop_back();
    return;
  }
  for (WidthCheck& aCheck : mWidthCheckList) {
    int aLimit = aCheck.mWidth >= 1 ? aCheck.mWidth : mMaxPixels;
    if (aLimit < 1) continue;
    while (!mText.empty() && aCheck.mFont->StringWidth(mText) > aLimit) mText.pop_back();
  }
}

void EditWidget::FocusCursor(bool bigJump) {
  int aStep = bigJump ? 10 : 1;
  while (mCursorPos < mLeftPos) {
    mLeftPos = std::max(0, mLeftPos - aStep);
    MarkDirty();
  }
  if (mFont == nullptr) return;
  int aLength = static_cast<int>(GetDisplayString().size());
  while (mWidth > 8 && DisplayWidth(mCursorPos) - DisplayWidth(mLeftPos) >= mWidth - 8) {
    int aNewLeft = std::min(aLength - 1, mLeftPos + aStep);
    // A character nearly as wide as the field can never fit: stop once the text cannot scroll further.
    if (aNewLeft <= mLeftPos) break;
    mLeftPos = aNewLeft;
    MarkDirty();
  }
}

int EditWidget::GetCharAt(int x, int) {
  const TeskString& aString = GetDisplayString();
  int aPos = 0;
  if (mFont == nullptr) return aPos;
  int aLength = static_cast<int>(aString.size());
  for (int i = mLeftPos; i < aLength; i++) {
    TeskString aTail = aString.substr(mLeftPos);
    int aWidth1 = mFont->StringWidth(aTail.substr(0, i - mLeftPos));
    int aWidth2 = mFont->StringWidth(aTail.substr(0, i - mLeftPos + 1));
    if ((aWidth1 + aWidth2) / 2 + 5 <= x) aPos = i + 1;
  }
  return aPos;
}

void EditWidget::HiliteWord() {
  const TeskString& aString = GetDisplayString();
  int aLength = static_cast<int>(aString.size());
  if (mCursorPos >= aLength) return;
  mHilitePos = mCursorPos;
  while (mHilitePos > 0 && IsPartOfWord(aString[mHilitePos - 1])) mHilitePos--;
  while (mCursorPos < aLength - 1 && IsPartOfWord(aString[mCursorPos + 1])) mCursorPos++;
  if (mCursorPos < aLength) mCursorPos++;
}

void EditWidget::DeleteSelection() {
  int aStart = std::min(mCursorPos, mHilitePos);
  int anEnd = std::max(mCursorPos, mHilitePos);
  mText.erase(aStart, anEnd - aStart);
  mCursorPos = aStart;
  mHilitePos = -1;
}

void EditWidget::ProcessKey(KeyCode theKey, wchar_t theChar) {
  bool shiftDown = false;
  bool controlDown = false;
  bool commandDown = false;
  if (mWidgetManager != nullptr) {
    shiftDown = mWidgetManager->mKeyDown[KEYCODE_SHIFT];
    controlDown = mWidgetManager->mKeyDown[KEYCODE_CONTROL];
    commandDown = mWidgetManager->mKeyDown[KEYCODE_COMMAND];
  }
  if (theKey == KEYCODE_SHIFT || theKey == KEYCODE_CONTROL) return;

  bool isNewUndo = false;
  bool dropSelection = !shiftDown;
  if (shiftDown && mHilitePos == -1) mHilitePos = mCursorPos;
  TeskString anOldText = mText;
  int anOldCursor = mCursorPos;
  int anOldHilite = mHilitePos;
  int aLength = static_cast<int>(mText.size());

  if (commandDown && theChar == L'c') {
    if (HasSelection()) {
      int aStart = std::min(mCursorPos, mHilitePos);
      int anEnd = std::max(mCursorPos, mHilitePos);
      std::string aBytes = TeskStringToString(GetDisplayString().substr(aStart, anEnd - aStart));
      if (gWidgetApp != nullptr) gWidgetApp->CopyToClipboard(aBytes);
    }
    dropSelection = false;
  } else if (commandDown && theChar == L'v') {
    TeskString aClip = gWidgetApp != nullptr ? StringToTeskString(gWidgetApp->GetClipboard()) : TeskString();
    if (!aClip.empty()) {
      TeskString anInsert;
      for (wchar_t c : aClip) {
        if (c == 13 || c == 10) break;
        if (mFont != nullptr && mFont->CharWidth(c) != 0 &&
            (mListener == nullptr || mListener->AllowChar(mId, c)))
          anInsert += c;
      }
      if (mHilitePos == -1) {
        mText.insert(mCursorPos, anInsert);
      } else {
        int aStart = std::min(mCursorPos, mHilitePos);
        int anEnd = std::max(mCursorPos, mHilitePos);
        mText.replace(aStart, anEnd - aStart, anInsert);
        mCursorPos = aStart;
        mHilitePos = -1;
      }
      mCursorPos += static_cast<int>(anInsert.size());
      isNewUndo = true;
    }
  } else if (commandDown && theChar == L'z') {
    mLastModifyPos = -1;
    std::swap(mText, mUndoText);
    std::swap(mCursorPos, mUndoCursor);
    std::swap(mHilitePos, mUndoHilite);
    dropSelection = false;
  } else if (theKey == KEYCODE_LEFT) {
    if (controlDown) {
      while (mCursorPos > 0 && !IsPartOfWord(mText[mCursorPos - 1])) mCursorPos--;
      while (mCursorPos > 0 && IsPartOfWord(mText[mCursorPos - 1])) mCursorPos--;
    } else if (shiftDown || mHilitePos == -1) {
      mCursorPos--;
    } else {
      mCursorPos = std::min(mCursorPos, mHilitePos);
    }
  } else if (theKey == KEYCODE_RIGHT) {
    if (controlDown) {
      while (mCursorPos < aLength - 1 && IsPartOfWord(mText[mCursorPos + 1])) mCursorPos++;
      while (mCursorPos < aLength - 1 && !IsPartOfWord(mText[mCursorPos + 1])) mCursorPos++;
    }
    if (!shiftDown && mHilitePos != -1)
      mCursorPos = std::max(mCursorPos, mHilitePos);
    else
      mCursorPos++;
  } else if (theKey == KEYCODE_BACK) {
    if (aLength > 0) {
      if (HasSelection()) {
        DeleteSelection();
        isNewUndo = true;
      } else {
        if (mCursorPos > 0) mText.erase(mCursorPos - 1, 1);
        mCursorPos--;
        mHilitePos = -1;
        if (mCursorPos != mLastModifyPos) isNewUndo = true;
        mLastModifyPos = mCursorPos - 1;
      }
    }
  } else if (theKey == KEYCODE_DELETE) {
    if (aLength > 0) {
      if (HasSelection()) {
        DeleteSelection();
        isNewUndo = true;
      } else {
        if (mCursorPos < aLength) mText.erase(mCursorPos, 1);
        if (mCursorPos != mLastModifyPos) isNewUndo = true;
        mLastModifyPos = mCursorPos;
      }
    }
  } else if (theKey == KEYCODE_HOME) {
    mCursorPos = 0;
  } else if (theKey == KEYCODE_END) {
    mCursorPos = aLength;
  } else if (theKey == KEYCODE_RETURN) {
    if (mListener != nullptr) mListener->EditWidgetText(mId, mText);
  } else {
    if (theChar >= 32 && mFont != nullptr && mFont->StringWidth(TeskString(1, theChar)) >= 1 &&
        (mListener == nullptr || mListener->AllowChar(mId, theChar))) {
      if (HasSelection()) {
        int aStart = std::min(mCursorPos, mHilitePos);
        int anEnd = std::max(mCursorPos, mHilitePos);
        mText.replace(aStart, anEnd - aStart, TeskString(1, theChar));
        mCursorPos = aStart;
        mHilitePos = -1;
        isNewUndo = true;
      } else {
        mText.insert(mText.begin() + mCursorPos, theChar);
        if (mCursorPos != mLastModifyPos + 1) isNewUndo = true;
        mLastModifyPos = mCursorPos;
        mHilitePos = -1;
      }
      mCursorPos++;
      FocusCursor(false);
    } else {
      dropSelection = false;
    }
  }

  if (mMaxChars != -1 && static_cast<int>(mText.size()) > mMaxChars) mText.resize(mMaxChars);
  EnforceMaxPixels();
  mCursorPos = std::max(0, std::min(mCursorPos, static_cast<int>(mText.size())));
  if (mCursorPos != anOldCursor) {
    mBlinkCount = 0;
    mShowCaret = true;
  }
  FocusCursor(true);
  if (dropSelection || mHilitePos == mCursorPos) mHilitePos = -1;

  if (mListener != nullptr && !mListener->AllowText(mId, mText)) {
    mText = anOldText;
    mCursorPos = anOldCursor;
    mHilitePos = anOldHilite;
  } else if (isNewUndo) {
    mUndoText = anOldText;
    mUndoCursor = anOldCursor;
    mUndoHilite = anOldHilite;
  }
  MarkDirty();
}

void EditWidget::KeyDown(KeyCode theKey) {
  if (theKey < KEYCODE_ASCIIBEGIN || theKey >= KEYCODE_ASCIIEND) {
    if (mListener == nullptr || mListener->AllowKey(mId, theKey)) ProcessKey(theKey, 0);
  }
  Widget::KeyDown(theKey);
}

void EditWidget::KeyChar(wchar_t theChar) {
  ProcessKey(KEYCODE_UNKNOWN, theChar);
  Widget::KeyChar(theChar);
}

bool EditWidget::WantsFocus() { return true; }

void EditWidget::GotFocus() {
  Widget::GotFocus();
  mShowCaret = true;
  mBlinkCount = 0;
  MarkDirty();
}

void EditWidget::LostFocus() {
  Widget::LostFocus();
  mShowCaret = false;
  MarkDirty();
}

void EditWidget::Update() {
  Widget::Update();
  if (!mHasFocus) return;
  if (++mBlinkCount > mBlinkDelay) {
    MarkDirty();
    mBlinkCount = 0;
    mShowCaret = !mShowCaret;
  }
}

void EditWidget::Resize(int theX, int theY, int theWidth, int theHeight) {
  Widget::Resize(theX, theY, theWidth, theHeight);
  FocusCursor(false);
}

void EditWidget::MouseDown(int x, int y, int theBtnNum, int theClickCount) {
  Widget::MouseDown(x, y, theBtnNum, theClickCount);
  mHilitePos = -1;
  mCursorPos = GetCharAt(x, y);
  if (theClickCount > 1) {
    mWordSelecting = true;
    HiliteWord();
  }
  MarkDirty();
  FocusCursor(false);
}

void EditWidget::MouseDrag(int x, int y) {
  Widget::MouseDrag(x, y);
  if (mHilitePos == -1) mHilitePos = mCursorPos;
  mCursorPos = GetCharAt(x, y);
  MarkDirty();
  FocusCursor(false);
}

void EditWidget::MouseUp(int x, int y, int theBtnNum, int theClickCount) {
  Widget::MouseUp(x, y, theBtnNum, theClickCount);
  if (mHilitePos == mCursorPos) mHilitePos = -1;
  if (mWordSelecting) {
    mHilitePos = -1;
    mCursorPos = GetCharAt(x, y);
    mWordSelecting = false;
    HiliteWord();
  }
  MarkDirty();
}

void EditWidget::MouseEnter() {
  Widget::MouseEnter();
  SetCursor(3);
}

void EditWidget::MouseLeave() {
  Widget::MouseLeave();
  SetCursor(0);
}

void EditWidget::Draw(Graphics* g) {
  if (mFont == nullptr) {
    WidgetApp* anApp =
        mWidgetManager != nullptr && mWidgetManager->mApp != nullptr ? mWidgetManager->mApp : gWidgetApp;
    if (anApp != nullptr) mFont = anApp->CreateSysFont("Arial Unicode MS", 10);
  }
  g->SetColor(GetColor(COLOR_BKG));
  g->FillRect(0, 0, mWidth, mHeight);

  if (mFont != nullptr) {
    const TeskString& aString = GetDisplayString();
    TeskString aVisible = aString.substr(std::min(static_cast<size_t>(mLeftPos), aString.size()));
    int aTextY = (mHeight - mFont->GetHeight()) / 2 + mFont->GetAscent();
    {
      Graphics aTextG(*g);
      aTextG.ClipRect(4, 0, mWidth - 8, mHeight);
      aTextG.SetFont(mFont);
      aTextG.SetColor(GetColor(COLOR_TEXT));
      aTextG.DrawString(aVisible, 4, aTextY);
    }
    Graphics aHiliteG(*g);
    aHiliteG.SetFont(mFont);
    int aCursorX = DisplayWidth(mCursorPos) - DisplayWidth(mLeftPos);
    int a = aCursorX + 6;
    int b = a + 2;
    if (HasSelection()) b = DisplayWidth(mHilitePos) - DisplayWidth(mLeftPos);
    if (!mShowCaret) a += 2;
    a = std::max(0, std::min(a, mWidth - 8));
    b = std::max(0, std::min(b, mWidth - 8));
    aHiliteG.ClipRect(std::min(a, b) + 4, (mHeight - mFont->GetHeight()) / 2, std::abs(b - a),
                      mFont->GetHeight());
    if (mHasFocus || mShowSelectionUnfocused) {
      aHiliteG.SetColor(GetColor(COLOR_HILITE));
      aHiliteG.FillRect(0, 0, mWidth, mHeight);
      aHiliteG.SetColor(GetColor(COLOR_HILITE_TEXT));
    } else {
      aHiliteG.SetColor(GetColor(COLOR_TEXT));
    }
    aHiliteG.DrawString(aVisible, 4, aTextY);
  }
  g->SetColor(GetColor(COLOR_OUTLINE));
  g->DrawRect(0, 0, mWidth - 1, mHeight - 1);
}

}  // namespace Tesk

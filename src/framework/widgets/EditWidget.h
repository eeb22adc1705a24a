// A one-line text field: caret and selection, horizontal scrolling, limits by
// character count and pixel width, password display, clipboard, one-step undo,
// double-click word selection and a listener that may veto keys and texts.
#pragma once

#include <list>

#include "widgets/Widget.h"

namespace Tesk {

class EditListener;
class Font;

class EditWidget : public Widget {
 public:
  class WidthCheck {
   public:
    Font* mFont;  // owned by the edit widget
    int mWidth;   // below 1: mMaxPixels applies
  };

  enum { COLOR_BKG, COLOR_OUTLINE, COLOR_TEXT, COLOR_HILITE, COLOR_HILITE_TEXT };

  int mId;
  TeskString mText;
  TeskString mPasswordText;
  Font* mFont;  // owned
  std::list<WidthCheck> mWidthCheckList;
  EditListener* mListener;
  bool mShowCaret;
  bool mShowSelectionUnfocused;
  bool mWordSelecting;
  int mCursorPos;
  int mHilitePos;
  int mBlinkCount;
  int mBlinkDelay;
  int mLeftPos;
  int mMaxChars;
  int mMaxPixels;
  wchar_t mPasswordChar;
  TeskString mUndoText;
  int mUndoCursor;
  int mUndoHilite;
  int mLastModifyPos;

  EditWidget(int theId, EditListener* theListener);
  ~EditWidget() override;

  using WidgetContainer::MarkDirty;
  void MarkDirty() override;
  void Update() override;
  void Draw(Graphics* g) override;
  void Resize(int theX, int theY, int theWidth, int theHeight) override;
  using Widget::Resize;
  bool WantsFocus() override;
  void GotFocus() override;
  void LostFocus() override;
  void KeyChar(wchar_t theChar) override;
  void KeyDown(KeyCode theKey) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseDown(int x, int y, int theClickCount) override { Widget::MouseDown(x, y, theClickCount); }
  void MouseDown(int x, int y, int theBtnNum, int theClickCount) override;
  void MouseUp(int x, int y) override { Widget::MouseUp(x, y); }
  void MouseUp(int x, int y, int theClickCount) override { Widget::MouseUp(x, y, theClickCount); }
  void MouseUp(int x, int y, int theBtnNum, int theClickCount) override;
  void MouseDrag(int x, int y) override;

  virtual void ProcessKey(KeyCode theKey, wchar_t theChar);
  virtual void HiliteWord();
  virtual void SetFont(Font* theFont, Font* theWidthCheckFont = nullptr);
  virtual void SetText(const TeskString& theText, bool leftPosToZero = true);
  virtual bool IsPartOfWord(wchar_t theChar);
  virtual int GetCharAt(int x, int y);
  virtual void FocusCursor(bool bigJump);

  void AddWidthCheckFont(Font* theFont, int theMaxPixels = -1);
  void ClearWidthCheckFonts();
  const TeskString& GetDisplayString();
  void EnforceMaxPixels();

 private:
  bool HasSelection() const { return mHilitePos != -1 && mHilitePos != mCursorPos; }
  void DeleteSelection();
  int DisplayWidth(int theCount);
  void SetCursor(int theCursorNum);
};

}  // namespace Tesk

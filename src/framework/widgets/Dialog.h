// The framework's message box: a draggable frame with a header, word-wrapped
// body, optional footer and zero, one or two buttons, reporting to a dialog
// listener and keeping the released button as its result.
#pragma once

#include <climits>

#include "widgets/ButtonListener.h"
#include "widgets/Widget.h"

namespace Tesk {

class DialogButton;
class DialogListener;
class Font;

extern TeskString DIALOG_YES_STRING;
extern TeskString DIALOG_NO_STRING;
extern TeskString DIALOG_OK_STRING;
extern TeskString DIALOG_CANCEL_STRING;

class Dialog : public Widget, public ButtonListener {
 public:
  enum { BUTTONS_NONE, BUTTONS_YES_NO, BUTTONS_OK_CANCEL, BUTTONS_FOOTER };
  enum { ID_YES = 1000, ID_NO = 1001, ID_OK = 1000, ID_CANCEL = 1001, ID_FOOTER = 1000 };
  enum {
    COLOR_HEADER,
    COLOR_LINES,
    COLOR_FOOTER,
    COLOR_BUTTON_TEXT,
    COLOR_BUTTON_TEXT_HILITE,
    COLOR_BKG,
    COLOR_OUTLINE,
    NUM_COLORS
  };
  static constexpr int k_NoResult = INT_MAX;

  DialogListener* mDialogListener;
  Image* mComponentImage;
  DialogButton* mYesButton;  // owned
  DialogButton* mNoButton;   // owned
  TeskString mHeader;
  TeskString mFooter;
  TeskString mLines;
  int mButtonMode;
  Font* mHeaderFont;  // owned
  Font* mLinesFont;   // owned
  int mTextAlign;
  int mLineSpacingOffset;
  int mButtonHeight;
  Insets mFrameInsets;
  Insets mTextInsets;
  int mSpaceAfterHeader;
  bool mDragging;
  int mDragMouseX;
  int mDragMouseY;
  int mId;
  bool mIsModal;
  int mResult;
  int mButtonHorzSpacing;
  int mButtonSidePadding;

  Dialog(Image* theComponentImage, Image* theButtonComponentImage, int theId, bool isModal,
         const TeskString& theHeader, const TeskString& theLines, const TeskString& theFooter,
         int theButtonMode);
  ~Dialog() override;

  void AddedToManager(WidgetManager* theWidgetManager) override;
  void RemovedFromManager(WidgetManager* theWidgetManager) override;
  void Update() override;
  void Draw(Graphics* g) override;
  void OrderInManagerChanged() override;
  void SetColor(int theIdx, const Color& theColor) override;
  using Widget::GetColor;
  void Resize(int theX, int theY, int theWidth, int theHeight) override;
  using Widget::Resize;
  void MouseDown(int x, int y, int theClickCount) override { Widget::MouseDown(x, y, theClickCount); }
  void MouseDown(int x, int y, int theBtnNum, int theClickCount) override;
  void MouseUp(int x, int y) override { Widget::MouseUp(x, y); }
  void MouseUp(int x, int y, int theClickCount) override { Widget::MouseUp(x, y, theClickCount); }
  void MouseUp(int x, int y, int theBtnNum, int theClickCount) override;
  void MouseDrag(int x, int y) override;

  virtual void SetButtonFont(Font* theFont);
  virtual void SetHeaderFont(Font* theFont);
  virtual void SetLinesFont(Font* theFont);
  virtual int GetPreferredHeight(int theWidth);
  virtual bool IsModal();
  virtual int WaitForResult(bool autoKill = true);
  void ButtonPress(int theId) override;
  using ButtonListener::ButtonPress;
  void ButtonDepress(int theId) override;
  void ButtonDownTick(int theId) override;

  void EnsureFonts();

 private:
  // This dialog's own colour rows; changing them never reaches another dialog.
  int mColorTable[NUM_COLORS][3];
  void SetCursor(int theCursorNum);
};

}  // namespace Tesk

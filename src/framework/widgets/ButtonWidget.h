// The framework's push button: a label, an optional font, up to four state
// images (or rectangles of one sheet), a bevelled grey look without images and
// an optional fade of the over image.
#pragma once

#include "widgets/Widget.h"

namespace Tesk {

class ButtonListener;
class Font;

class ButtonWidget : public Widget {
 public:
  int mId;
  TeskString mLabel;
  int mJustify;
  Font* mFont;  // owned
  Image* mNormalImage;
  Image* mOverImage;
  Image* mDownImage;
  Image* mDisabledImage;
  TRect<int> mNormalRect;
  TRect<int> mOverRect;
  TRect<int> mDownRect;
  TRect<int> mDisabledRect;
  bool mInvertDown;
  bool mHideButton;
  bool mHideFrame;
  ButtonListener* mListener;
  double mOverAlpha;
  double mOverFadeOutSpeed;
  double mOverFadeInSpeed;

  enum { BUTTON_JUSTIFY_CENTER = 0, BUTTON_JUSTIFY_RIGHT = 1 };
  enum {
    COLOR_LABEL,
    COLOR_LABEL_HILITE,
    COLOR_DARK_OUTLINE,
    COLOR_LIGHT_OUTLINE,
    COLOR_MEDIUM_OUTLINE,
    COLOR_BKG
  };

  ButtonWidget(int theId, ButtonListener* theListener);
  ~ButtonWidget() override;

  void Update() override;
  void Draw(Graphics* g) override;
  void SetDisabled(bool isDisabled) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseMove(int x, int y) override;
  void MouseDown(int x, int y, int theClickCount) override { Widget::MouseDown(x, y, theClickCount); }
  void MouseDown(int x, int y, int theBtnNum, int theClickCount) override;
  void MouseUp(int x, int y) override { Widget::MouseUp(x, y); }
  void MouseUp(int x, int y, int theClickCount) override { Widget::MouseUp(x, y, theClickCount); }
  void MouseUp(int x, int y, int theBtnNum, int theClickCount) override;

  virtual void DrawButtonImage(Graphics* g, Image* theImage, const TRect<int>& theRect, int x, int y);
  virtual void SetFont(Font* theFont);
  virtual bool IsButtonDown();

  bool HaveButtonImage(Image* theImage, const TRect<int>& theRect);

 protected:
  // The platform font a control makes for itself when it was given none.
  void EnsureFont(int thePointSize);

 private:
  void MarkDirtyForHover();
};

}  // namespace Tesk

// A two-state toggle drawn from two images, an image sheet, or a flat box with a cross.
#pragma once

#include "graphics/Color.h"
#include "widgets/Widget.h"

namespace Tesk {

class CheckboxListener;

class Checkbox : public Widget {
 public:
  CheckboxListener* mListener;
  int mId;
  bool mChecked;
  Image* mUncheckedImage;
  Image* mCheckedImage;
  TRect<int> mCheckedRect;
  TRect<int> mUncheckedRect;
  Color mOutlineColor;
  Color mBkgColor;
  Color mCheckColor;

  Checkbox(Image* theUncheckedImage, Image* theCheckedImage, int theId, CheckboxListener* theListener);

  void Draw(Graphics* g) override;
  void MouseDown(int x, int y, int theClickCount) override;
  void MouseDown(int x, int y, int theBtnNum, int theClickCount) override;
  using Widget::MouseUp;

  virtual void SetChecked(bool checked, bool tellListener = true);
  virtual bool IsChecked();
};

}  // namespace Tesk

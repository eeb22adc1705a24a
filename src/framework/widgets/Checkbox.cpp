#include "widgets/Checkbox.h"

#include "graphics/Graphics.h"
#include "widgets/CheckboxListener.h"

namespace Tesk {

Checkbox::Checkbox(Image* theUncheckedImage, Image* theCheckedImage, int theId, CheckboxListener* theListener)
    : mListener(theListener),
      mId(theId),
      mChecked(false),
      mUncheckedImage(theUncheckedImage),
      mCheckedImage(theCheckedImage),
      mOutlineColor(Color::White),
      mBkgColor(80, 80, 80),
      mCheckColor(255, 255, 0) {
  mDoFinger = true;
}

void Checkbox::SetChecked(bool checked, bool tellListener) {
  mChecked = checked;
  if (tellListener && mListener != nullptr) mListener->CheckboxChecked(mId, mChecked);
  MarkDirty();
}

bool Checkbox::IsChecked() { return mChecked; }

void Checkbox::MouseDown(int x, int y, int theClickCount) { Widget::MouseDown(x, y, theClickCount); }

void Checkbox::MouseDown(int x, int y, int theBtnNum, int theClickCount) {
  Widget::MouseDown(x, y, theBtnNum, theClickCount);
  mChecked = !mChecked;
  if (mListener != nullptr) mListener->CheckboxChecked(mId, mChecked);
  MarkDirty();
}

void Checkbox::Draw(Graphics* g) {
  if (mCheckedRect.mWidth == 0 && mCheckedImage != nullptr && mUncheckedImage != nullptr) {
    g->DrawImage(mChecked ? mCheckedImage : mUncheckedImage, 0, 0);
  } else if (mCheckedRect.mWidth != 0 && mUncheckedImage != nullptr) {
    g->DrawImage(mUncheckedImage, 0, 0, mChecked ? mCheckedRect : mUncheckedRect);
  } else if (mUncheckedImage == nullptr && mCheckedImage == nullptr) {
    g->SetColor(mOutlineColor);
    g->FillRect(0, 0, mWidth, mHeight);
    g->SetColor(mBkgColor);
    g->FillRect(1, 1, mWidth - 2, mHeight - 2);
    if (mChecked) {
      g->SetColor(mCheckColor);
      g->DrawLine(1, 1, mWidth - 2, mHeight - 2);
      g->DrawLine(mWidth - 1, 1, 1, mHeight - 2);
    }
  }
}

}  // namespace Tesk

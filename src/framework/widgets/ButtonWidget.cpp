#include "widgets/ButtonWidget.h"

#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "widgets/ButtonListener.h"
#include "widgets/WidgetApp.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

static int gButtonWidgetColors[][3] = {
    {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {255, 255, 255}, {132, 132, 132}, {212, 212, 212},
};

ButtonWidget::ButtonWidget(int theId, ButtonListener* theListener)
    : mId(theId),
      mJustify(BUTTON_JUSTIFY_CENTER),
      mFont(nullptr),
      mNormalImage(nullptr),
      mOverImage(nullptr),
      mDownImage(nullptr),
      mDisabledImage(nullptr),
      mInvertDown(false),
      mHideButton(false),
      mHideFrame(false),
      mListener(theListener),
      mOverAlpha(0.0),
      mOverFadeOutSpeed(0.0),
      mOverFadeInSpeed(0.0) {
  mHasAlpha = true;
  SetColors(gButtonWidgetColors, 6);
}

ButtonWidget::~ButtonWidget() { delete mFont; }

void ButtonWidget::EnsureFont(int thePointSize) {
  if (mFont != nullptr) return;
  WidgetApp* anApp =
      mWidgetManager != nullptr && mWidgetManager->mApp != nullptr ? mWidgetManager->mApp : gWidgetApp;
  if (anApp != nullptr) mFont = anApp->CreateSysFont("Arial Unicode MS", thePointSize);
}

bool ButtonWidget::HaveButtonImage(Image* theImage, const TRect<int>& theRect) {
  return theImage != nullptr || theRect.mWidth != 0;
}

void ButtonWidget::DrawButtonImage(Graphics* g, Image* theImage, const TRect<int>& theRect, int x, int y) {
  if (theRect.mWidth != 0) {
    if (mNormalImage != nullptr) g->DrawImage(mNormalImage, x, y, theRect);
  } else if (theImage != nullptr) {
    g->DrawImage(theImage, x, y);
  }
}

void ButtonWidget::SetFont(Font* theFont) {
  delete mFont;
  mFont = theFont != nullptr ? theFont->Duplicate() : nullptr;
}

bool ButtonWidget::IsButtonDown() { return mIsDown && mIsOver && !mDisabled; }

void ButtonWidget::SetDisabled(bool isDisabled) {
  Widget::SetDisabled(isDisabled);
  if (HaveButtonImage(mDisabledImage, mDisabledRect)) MarkDirty();
}

void ButtonWidget::MarkDirtyForHover() {
  if (mIsDown || HaveButtonImage(mOverImage, mOverRect) ||
      GetColor(COLOR_LABEL_HILITE) != GetColor(COLOR_LABEL))
    MarkDirty();
}

void ButtonWidget::MouseEnter() {
  Widget::MouseEnter();
  if (mOverFadeInSpeed == 0 && mOverAlpha > 0) mOverAlpha = 0;
  MarkDirtyForHover();
  if (mListener != nullptr) mListener->ButtonMouseEnter(mId);
}

void ButtonWidget::MouseLeave() {
  Widget::MouseLeave();
  if (mOverFadeOutSpeed == 0 && mOverAlpha > 0)
    mOverAlpha = 0;
  else if (mOverFadeOutSpeed > 0 && mOverAlpha == 0)
    mOverAlpha = 1.0;
  MarkDirtyForHover();
  if (mListener != nullptr) mListener->ButtonMouseLeave(mId);
}

void ButtonWidget::MouseMove(int x, int y) {
  Widget::MouseMove(x, y);
  if (mListener != nullptr) mListener->ButtonMouseMove(mId, x, y);
}

void ButtonWidget::MouseDown(int x, int y, int theBtnNum, int theClickCount) {
  Widget::MouseDown(x, y, theBtnNum, theClickCount);
  // Listeners take the signed count of the three-argument form: negative right, 3 middle.
  int aSignedCount = theBtnNum == 1 ? -theClickCount : theBtnNum == 2 ? 3 : theClickCount;
  if (mListener != nullptr) mListener->ButtonPress(mId, aSignedCount);
  MarkDirty();
}

void ButtonWidget::MouseUp(int x, int y, int theBtnNum, int theClickCount) {
  Widget::MouseUp(x, y, theBtnNum, theClickCount);
  if (mIsOver && mWidgetManager != nullptr && mWidgetManager->mHasFocus && mListener != nullptr)
    mListener->ButtonDepress(mId);
  MarkDirty();
}

void ButtonWidget::Update() {
  Widget::Update();
  if (mIsDown && mIsOver && mListener != nullptr) mListener->ButtonDownTick(mId);
  if (!mIsDown && !mIsOver && mOverAlpha > 0) {
    if (mOverFadeOutSpeed > 0) {
      mOverAlpha -= mOverFadeOutSpeed;
      if (mOverAlpha < 0) mOverAlpha = 0;
    } else {
      mOverAlpha = 0;
    }
    MarkDirty();
  } else if (mIsOver && mOverFadeInSpeed > 0 && mOverAlpha < 1) {
    mOverAlpha += mOverFadeInSpeed;
    if (mOverAlpha > 1) mOverAlpha = 1;
    MarkDirty();
  }
}

void ButtonWidget::Draw(Graphics* g) {
  if (mHideButton) return;
  if (!mLabel.empty()) EnsureFont(10);
  bool isDown = IsButtonDown() ^ mInvertDown;
  int aFontX = 0;
  int aFontY = 0;
  if (mFont != nullptr) {
    int aLabelWidth = mFont->StringWidth(mLabel);
    if (mJustify == BUTTON_JUSTIFY_CENTER)
      aFontX = (mWidth - aLabelWidth) / 2;
    else if (mJustify == BUTTON_JUSTIFY_RIGHT)
      aFontX = mWidth - aLabelWidth;
    int anAscent = mFont->GetAscent();
    aFontY = (mHeight + anAscent - anAscent / 6 - 1) / 2;
    g->SetFont(mFont);
  }

  if (mNormalImage == nullptr && mDownImage == nullptr) {
    int w = mWidth;
    int h = mHeight;
    if (!mHideFrame) {
      g->SetColor(GetColor(COLOR_BKG));
      g->FillRect(0, 0, w, h);
      if (isDown) {
        g->SetColor(GetColor(COLOR_DARK_OUTLINE));
        g->FillRect(0, 0, w - 1, 1);
        g->FillRect(0, 0, 1, h - 1);
        g->SetColor(GetColor(COLOR_LIGHT_OUTLINE));
        g->FillRect(0, h - 1, w, 1);
        g->FillRect(w - 1, 0, 1, h);
        g->SetColor(GetColor(COLOR_MEDIUM_OUTLINE));
        g->FillRect(1, 1, w - 3, 1);
        g->FillRect(1, 1, 1, h - 3);
      } else {
        g->SetColor(GetColor(COLOR_LIGHT_OUTLINE));
        g->FillRect(0, 0, w - 1, 1);
        g->FillRect(0, 0, 1, h - 1);
        g->SetColor(GetColor(COLOR_DARK_OUTLINE));
        g->FillRect(0, h - 1, w, 1);
        g->FillRect(w - 1, 0, 1, h);
        g->SetColor(GetColor(COLOR_MEDIUM_OUTLINE));
        g->FillRect(1, h - 2, w - 2, 1);
        g->FillRect(w - 2, 1, 1, h - 2);
      }
    }
    g->SetColor(GetColor(mIsOver ? COLOR_LABEL_HILITE : COLOR_LABEL));
    if (isDown)
      g->DrawString(mLabel, aFontX + 1, aFontY + 1);
    else
      g->DrawString(mLabel, aFontX, aFontY);
    return;
  }

  if (isDown) {
    if (HaveButtonImage(mDownImage, mDownRect))
      DrawButtonImage(g, mDownImage, mDownRect, 0, 0);
    else if (HaveButtonImage(mOverImage, mOverRect))
      DrawButtonImage(g, mOverImage, mOverRect, 1, 1);
    else
      DrawButtonImage(g, mNormalImage, mNormalRect, 1, 1);
    g->SetColor(GetColor(COLOR_LABEL_HILITE));
    g->DrawString(mLabel, aFontX + 1, aFontY + 1);
    return;
  }

  if (mDisabled && HaveButtonImage(mDisabledImage, mDisabledRect)) {
    DrawButtonImage(g, mDisabledImage, mDisabledRect, 0, 0);
  } else if (mOverAlpha > 0 && HaveButtonImage(mOverImage, mOverRect)) {
    if (HaveButtonImage(mNormalImage, mNormalRect) && mOverAlpha < 1)
      DrawButtonImage(g, mNormalImage, mNormalRect, 0, 0);
    g->SetColorizeImages(true);
    g->SetColor(Color(255, 255, 255, static_cast<int>(255 * mOverAlpha)));
    DrawButtonImage(g, mOverImage, mOverRect, 0, 0);
    g->SetColorizeImages(false);
  } else if ((mIsOver || mIsDown) && HaveButtonImage(mOverImage, mOverRect)) {
    DrawButtonImage(g, mOverImage, mOverRect, 0, 0);
  } else if (HaveButtonImage(mNormalImage, mNormalRect)) {
    DrawButtonImage(g, mNormalImage, mNormalRect, 0, 0);
  }
  g->SetColor(GetColor(mIsOver ? COLOR_LABEL_HILITE : COLOR_LABEL));
  g->DrawString(mLabel, aFontX, aFontY);
}

}  // namespace Tesk

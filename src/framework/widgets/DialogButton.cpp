#include "widgets/DialogButton.h"

#include "graphics/Font.h"
#include "graphics/Graphics.h"

namespace Tesk {

static int gDialogButtonColors[][3] = {
    {255, 255, 255}, {255, 255, 255}, {0, 0, 0}, {255, 255, 255}, {132, 132, 132}, {212, 212, 212},
};

DialogButton::DialogButton(Image* theComponentImage, int theId, ButtonListener* theListener)
    : ButtonWidget(theId, theListener),
      mComponentImage(theComponentImage),
      mTranslateX(1),
      mTranslateY(1),
      mTextOffsetX(0),
      mTextOffsetY(0) {
  mDoFinger = true;
  SetColors(gDialogButtonColors, 6);
}

void DialogButton::Draw(Graphics* g) {
  if (mHideButton) return;
  if (mComponentImage == nullptr) {
    ButtonWidget::Draw(g);
    return;
  }
  if (!mLabel.empty()) EnsureFont(12);
  bool isDown = IsButtonDown();
  TRect<int> aBox(0, 0, mWidth, mHeight);
  if (mNormalRect.mWidth == 0) {
    if (isDown) g->Translate(mTranslateX, mTranslateY);
    g->DrawImageBox(aBox, mComponentImage);
  } else {
    if (mDisabled && mDisabledRect.mWidth > 0 && mDisabledRect.mHeight > 0) {
      g->DrawImageBox(mDisabledRect, aBox, mComponentImage);
    } else if (isDown) {
      g->DrawImageBox(mDownRect, aBox, mComponentImage);
    } else if (mOverAlpha > 0) {
      if (mOverAlpha < 1) g->DrawImageBox(mNormalRect, aBox, mComponentImage);
      g->SetColorizeImages(true);
      g->SetColor(Color(255, 255, 255, static_cast<int>(255 * mOverAlpha)));
      g->DrawImageBox(mOverRect, aBox, mComponentImage);
      g->SetColorizeImages(false);
    } else if (mIsOver) {
      g->DrawImageBox(mOverRect, aBox, mComponentImage);
    } else {
      g->DrawImageBox(mNormalRect, aBox, mComponentImage);
    }
    if (isDown) g->Translate(mTranslateX, mTranslateY);
  }
  if (mFont != nullptr) {
    g->SetFont(mFont);
    g->SetColor(GetColor(mIsOver ? COLOR_LABEL_HILITE : COLOR_LABEL));
    int anAscent = mFont->GetAscent();
    int aFontX = mTextOffsetX + (mWidth - mFont->StringWidth(mLabel)) / 2;
    int aFontY = mTextOffsetY + (mHeight + anAscent - mFont->GetAscentPadding() - anAscent / 6 - 1) / 2;
    g->DrawString(mLabel, aFontX, aFontY);
  }
  if (isDown) g->Translate(-mTranslateX, -mTranslateY);
}

}  // namespace Tesk

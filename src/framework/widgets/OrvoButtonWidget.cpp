#include "widgets/OrvoButtonWidget.h"

#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "widgets/ButtonListener.h"
#include "widgets/WidgetApp.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

// Weak so that the game's generated resource ids take its place.
__attribute__((weak)) int SFX_HOVER_GENERAL = 0;

WidgetApp* OrvoButtonWidget::s_sAppPtr = nullptr;
OrvoButtonWidget::DrawAnimationProc OrvoButtonWidget::s_drawAnimation = nullptr;
OrvoButtonWidget::DrawParticlesProc OrvoButtonWidget::s_drawParticles = nullptr;
const float OrvoButtonWidget::k_alphaFadeSpeed = 0.05f;

OrvoButtonWidget::OrvoButtonWidget(int theId, ButtonListener* theListener)
    : mId(theId),
      mTextAlignX(1),
      mTextAlignY(1),
      mTextOffsetX(0),
      mTextOffsetY(0),
      mFont(nullptr),
      mButtonImage(nullptr),
      mHoverImage(nullptr),
      mHoverSound(static_cast<uint8_t>(SFX_HOVER_GENERAL)),
      mAnimation(nullptr),
      mPulse(0),
      mPulsePhase(0),
      mDrawParticles(0),
      mPulseMax(1.0f),
      mPulseMin(0.0f),
      mPulseStep(0.0f),
      mListener(theListener),
      mHoverAlpha(0),
      mFade(0),
      mFadeIn(true),
      mIdleTextColor(0, 0, 0),
      mBlendType(0) {
  mClip = false;
}

void OrvoButtonWidget::SetFont(Font* theFont) { mFont = theFont; }

bool OrvoButtonWidget::IsButtonDown() { return mIsDown && mIsOver && !mDisabled; }

void OrvoButtonWidget::SetDisabled(bool isDisabled) {
  Widget::SetDisabled(isDisabled);
  MarkDirty();
}

void OrvoButtonWidget::setPulse(float theMax, float theMin, float theStep) {
  mPulse = 1;
  mPulseMax = theMax;
  mPulseMin = theMin;
  mPulseStep = theStep;
}

void OrvoButtonWidget::MouseEnter() {
  Widget::MouseEnter();
  if (mDisabled) return;
  if (mIsOver || mIsDown) MarkDirtyFull();
  if (mListener != nullptr) mListener->ButtonMouseEnter(mId);
}

void OrvoButtonWidget::MouseLeave() {
  Widget::MouseLeave();
  if (mDisabled) return;
  if (mIsOver || mIsDown) MarkDirtyFull();
  if (mListener != nullptr) mListener->ButtonMouseLeave(mId);
}

void OrvoButtonWidget::MouseMove(int x, int y) {
  Widget::MouseMove(x, y);
  if (!mDisabled && mListener != nullptr) mListener->ButtonMouseMove(mId, x, y);
}

void OrvoButtonWidget::MouseDown(int x, int y, int theClickCount) {
  Widget::MouseDown(x, y, theClickCount);
  if (!mDisabled && mListener != nullptr) mListener->ButtonPress(mId, theClickCount);
  MarkDirtyFull();
}

void OrvoButtonWidget::MouseUp(int x, int y) {
  Widget::MouseUp(x, y);
  if (mIsOver && !mDisabled && mWidgetManager != nullptr && mWidgetManager->mHasFocus && mListener != nullptr)
    mListener->ButtonDepress(mId);
  MarkDirtyFull();
}

void OrvoButtonWidget::Update() {
  Widget::Update();
  if (mIsDown && mIsOver && !mDisabled && mListener != nullptr) mListener->ButtonDownTick(mId);
  if (!mIsDown && !mIsOver && mHoverAlpha > 0) {
    mHoverAlpha -= k_alphaFadeSpeed;
    if (mHoverAlpha < 0) mHoverAlpha = 0;
    mPulsePhase = 0;
    return;
  }
  if (!mIsOver) return;
  if (mHoverAlpha < 1 && (!mPulse || mPulsePhase == 0)) {
    mHoverAlpha += k_alphaFadeSpeed;
    if (mHoverAlpha > 1.0f) {
      mHoverAlpha = 1.0f;
      mPulsePhase = 1;
      // The game application is set during its start-up; before that there is nothing to play through.
      if (s_sAppPtr != nullptr) s_sAppPtr->PlaySample(mHoverSound);
    }
  } else if (mPulse) {
    if (mPulsePhase == 1) {
      mHoverAlpha -= mPulseStep;
      if (mPulseMin >= mHoverAlpha) {
        mHoverAlpha = mPulseMin;
        mPulsePhase = 2;
      }
    } else {
      mHoverAlpha += mPulseStep;
      if (mHoverAlpha >= mPulseMax) {
        mHoverAlpha = mPulseMax;
        mPulsePhase = 1;
      }
    }
  }
}

Color OrvoButtonWidget::Tint(const Color& theColor, int theAlpha) const {
  return Color(static_cast<int>(theColor.mRed * mFade), static_cast<int>(theColor.mGreen * mFade),
               static_cast<int>(theColor.mBlue * mFade), theAlpha);
}

void OrvoButtonWidget::Draw(Graphics* g) {
  if (!mVisible) return;
  TESK_ASSERT((mFont != NULL) || (mLabel.length() == 0));
  int anAscent = mFont != nullptr ? mFont->GetAscent() : 0;
  int aLabelWidth = mFont != nullptr ? mFont->StringWidth(mLabel) : 0;
  int aTextX = 0;
  if (mTextAlignX == 1)
    aTextX = (mWidth - aLabelWidth) / 2;
  else if (mTextAlignX == 2)
    aTextX = mWidth - aLabelWidth;
  int aTextY = 0;
  switch (mTextAlignY) {
    case 0:
      aTextY = anAscent - anAscent / 6 - 1;
      break;
    case 1:
      aTextY = (mHeight + anAscent - anAscent / 6 - 1) / 2;
      break;
    case 2:
      if (mButtonImage != nullptr)
        aTextY = static_cast<int>(
            0.5f * static_cast<float>(mButtonImage->GetHeight()) +
            (static_cast<float>(anAscent) - 0.1667f * static_cast<float>(anAscent) - 1.0f) * 0.5f);
      else
        aTextY = anAscent - anAscent / 6 - 1;
      break;
    case 3:
      aTextX = mTextOffsetX;
      aTextY = mTextOffsetY + anAscent - anAscent / 6;
      break;
    default:
      break;
  }
  g->SetFont(mFont);
  int aHoverAlpha = static_cast<int>(255 * mHoverAlpha);

  Color aLabelColor = GetColor(mDisabled ? COLOR_DISABLED_LABEL : COLOR_LABEL);
  Color aBaseTint =
      mButtonImage != nullptr ? GetColor(mDisabled ? COLOR_DISABLED_TINT : COLOR_BUTTON_TINT) : Color();
  // No disabled hover tint exists; the enabled one serves.
  Color aHoverTint = mHoverImage != nullptr ? GetColor(COLOR_HOVER_TINT) : Color();

  g->SetColorizeImages(true);
  if (mButtonImage != nullptr) {
    g->SetDrawMode(0);
    g->SetColor(Tint(aBaseTint, 255));
    g->DrawImage(mButtonImage, 0, 0);
  }
  if (mHoverImage != nullptr) {
    g->SetDrawMode(mBlendType);
    g->SetColor(Tint(aHoverTint, aHoverAlpha));
    g->DrawImage(mHoverImage, 0, 0);
  }
  g->SetDrawMode(0);
  g->SetColorizeImages(false);

  if (!mLabel.empty()) {
    if (mFadeIn) {
      g->SetColor(Tint(aLabelColor, aHoverAlpha));
    } else {
      float anIdle = 1.0f - mHoverAlpha;
      g->SetColor(Color(
          static_cast<int>(mFade * (aLabelColor.mRed * mHoverAlpha + mIdleTextColor.mRed * anIdle)),
          static_cast<int>(mFade * (aLabelColor.mGreen * mHoverAlpha + mIdleTextColor.mGreen * anIdle)),
          static_cast<int>(mFade * (aLabelColor.mBlue * mHoverAlpha + mIdleTextColor.mBlue * anIdle)), 255));
    }
    g->DrawString(mLabel, aTextX, aTextY);
  }
  if (mAnimation != nullptr && s_drawAnimation != nullptr) s_drawAnimation(mAnimation, g, -mX, -mY, mFade);
  if (mDrawParticles && s_drawParticles != nullptr) {
    g->Translate(-mX, -mY);
    s_drawParticles(g, mFade, this);
    g->Translate(mX, mY);
  }
}

}  // namespace Tesk

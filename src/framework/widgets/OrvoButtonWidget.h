// The game's button: a base image with a hover image faded in over it, an
// optional pulse while hovered, a hover sound at full strength, a screen fade
// tint over everything, and an optional animation and particles.
#pragma once

#include <cstdint>

#include "graphics/Color.h"
#include "widgets/Widget.h"

namespace ANIM {
class AnimationBasic;
}

namespace Tesk {

class ButtonListener;
class Font;
class WidgetApp;

// Resource id of the default hover sound, filled when the "Constants" group is extracted.
extern int SFX_HOVER_GENERAL;

class OrvoButtonWidget : public Widget {
 public:
  // Draws an animation offset by (dx, dy) with a colour factor; installed by the animation code.
  typedef void (*DrawAnimationProc)(ANIM::AnimationBasic* theAnimation, Graphics* g, int dx, int dy,
                                    float theColourFactor);
  // Draws the particles owned by a widget with an alpha factor; installed by the particle code.
  typedef void (*DrawParticlesProc)(Graphics* g, const float& theAlpha, Widget* theOwner);

  static WidgetApp* s_sAppPtr;
  static DrawAnimationProc s_drawAnimation;
  static DrawParticlesProc s_drawParticles;
  static const float k_alphaFadeSpeed;

  enum { COLOR_LABEL, COLOR_BUTTON_TINT, COLOR_HOVER_TINT, COLOR_DISABLED_TINT, COLOR_DISABLED_LABEL };

  int mId;
  TeskString mLabel;
  unsigned mTextAlignX : 4;
  unsigned mTextAlignY : 4;
  int16_t mTextOffsetX;
  int16_t mTextOffsetY;
  Font* mFont;  // not owned
  Image* mButtonImage;
  Image* mHoverImage;
  uint8_t mHoverSound;
  ANIM::AnimationBasic* mAnimation;
  unsigned mPulse : 1;
  unsigned mPulsePhase : 2;  // 0 fading in, 1 pulsing down, 2 pulsing up
  unsigned mDrawParticles : 1;
  float mPulseMax;
  float mPulseMin;
  float mPulseStep;
  ButtonListener* mListener;
  float mHoverAlpha;
  float mFade;
  bool mFadeIn;
  Color mIdleTextColor;
  uint8_t mBlendType;

  OrvoButtonWidget(int theId, ButtonListener* theListener);

  void Update() override;
  void Draw(Graphics* g) override;
  void SetDisabled(bool isDisabled) override;
  void MouseEnter() override;
  void MouseLeave() override;
  void MouseMove(int x, int y) override;
  void MouseDown(int x, int y, int theClickCount) override;
  void MouseUp(int x, int y) override;
  using Widget::MouseDown;
  using Widget::MouseUp;

  virtual void SetFont(Font* theFont);
  virtual bool IsButtonDown();

  void setFadeFloat(float theFade) { mFade = theFade; }
  void resetHoverAlpha() { mHoverAlpha = 0; }
  void setAnimation(ANIM::AnimationBasic* theAnimation) { mAnimation = theAnimation; }
  void setBlendType(int theBlendType) { mBlendType = static_cast<uint8_t>(theBlendType); }
  void setPulse(float theMax, float theMin, float theStep);
  void setFadeIn(bool fadeIn) { mFadeIn = fadeIn; }
  void centerTextY(unsigned char theAlign) { mTextAlignY = theAlign & 0xF; }

 private:
  Color Tint(const Color& theColor, int theAlpha) const;
};

}  // namespace Tesk

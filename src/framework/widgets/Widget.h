// The base of every control and screen: visibility, input state, colours,
// mouse insets, tab neighbours, the input and drawing hooks with their
// defaults, and text and number helpers.
#pragma once

#include <vector>

#include "core/Common.h"
#include "graphics/Color.h"
#include "widgets/Insets.h"
#include "widgets/KeyCodes.h"
#include "widgets/WidgetContainer.h"

namespace Tesk {

class Image;

class Widget : public WidgetContainer {
 public:
  bool mVisible;
  bool mMouseVisible;
  bool mDisabled;
  bool mHasFocus;
  bool mIsDown;
  bool mIsOver;
  bool mHasTransparencies;
  std::vector<Color> mColors;
  Insets mMouseInsets;
  bool mDoFinger;
  bool mWantsFocus;
  Widget* mTabPrev;
  Widget* mTabNext;

  static bool mWriteColoredString;

  Widget();
  ~Widget() override;

  void Update() override;
  void UpdateF(float theFrac) override;
  void Draw(Graphics* g) override;

  virtual void OrderInManagerChanged();
  virtual void SetVisible(bool isVisible);
  virtual void SetColors(int theColors[][3], int theNumColors);
  virtual void SetColors(int theColors[][4], int theNumColors);
  virtual void SetColor(int theIdx, const Color& theColor);
  virtual const Color& GetColor(int theIdx);
  virtual Color GetColor(int theIdx, const Color& theDefaultColor);
  virtual void SetDisabled(bool isDisabled);
  virtual void ShowFinger(bool on);
  virtual void Resize(int theX, int theY, int theWidth, int theHeight);
  virtual void Resize(const TRect<int>& theRect);
  virtual void Move(int theNewX, int theNewY);
  virtual bool WantsFocus();
  virtual void DrawOverlay(Graphics* g);
  virtual void DrawOverlay(Graphics* g, int thePriority);
  virtual void GotFocus();
  virtual void LostFocus();
  virtual void KeyChar(wchar_t theChar);
  virtual void KeyDown(KeyCode theKey);
  virtual void KeyUp(KeyCode theKey);
  virtual void MouseEnter();
  virtual void MouseLeave();
  virtual void MouseMove(int x, int y);
  virtual void MouseDown(int x, int y, int theClickCount);
  virtual void MouseDown(int x, int y, int theBtnNum, int theClickCount);
  virtual void MouseUp(int x, int y);
  virtual void MouseUp(int x, int y, int theClickCount);
  virtual void MouseUp(int x, int y, int theBtnNum, int theClickCount);
  virtual void MouseDrag(int x, int y);
  virtual void MouseWheel(int theDelta);
  virtual bool IsPointVisible(int x, int y);
  virtual TRect<int> WriteCenteredLine(Graphics* g, int anOffset, const TeskString& theLine);
  virtual TRect<int> WriteCenteredLine(Graphics* g, int anOffset, const TeskString& theLine, Color theColor1,
                                       Color theColor2, const TPoint<int>& theShadowOffset);
  virtual int WriteString(Graphics* g, const TeskString& theString, int x, int y, int theWidth = -1,
                          int theJustification = -1, bool drawString = true, int theOffset = 0,
                          int theLength = -1);
  virtual int WriteWordWrapped(Graphics* g, const TRect<int>& theRect, const TeskString& theLine,
                               int theLineSpacing, int theJustification);
  virtual int GetWordWrappedHeight(Graphics* g, int theWidth, const TeskString& theLine, int theLineSpacing);
  virtual int GetNumDigits(int theNumber);
  virtual void WriteNumberFromStrip(Graphics* g, int theNumber, int x, int y, Image* theNumberStrip,
                                    int aSpacing);
  virtual bool Contains(int x, int y);
  virtual TRect<int> GetInsetRect();

  // Detaches the subtree from the manager as the parent removes this widget.
  void WidgetRemovedHelper();
};

}  // namespace Tesk

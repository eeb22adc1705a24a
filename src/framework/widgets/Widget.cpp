#include "widgets/Widget.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "graphics/Font.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "widgets/WidgetApp.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

bool Widget::mWriteColoredString = true;

Widget::Widget()
    : mVisible(true),
      mMouseVisible(true),
      mDisabled(false),
      mHasFocus(false),
      mIsDown(false),
      mIsOver(false),
      mHasTransparencies(false),
      mDoFinger(false),
      mWantsFocus(false),
      mTabPrev(nullptr),
      mTabNext(nullptr) {}

Widget::~Widget() { mColors.clear(); }

void Widget::Update() { WidgetContainer::Update(); }
void Widget::UpdateF(float) {}
void Widget::Draw(Graphics*) {}
void Widget::OrderInManagerChanged() {}

void Widget::SetVisible(bool isVisible) {
  if (mVisible == isVisible) return;
  mVisible = isVisible;
  if (isVisible) {
    // A widget hidden while dirty keeps its flag; drop it so the mark spreads to
    // the widgets in front again instead of returning at once.
    mDirty = false;
    MarkDirty();
  } else {
    MarkDirtyFull();
  }
  if (mWidgetManager != nullptr) mWidgetManager->RehupMouse();
}

void Widget::SetColors(int theColors[][3], int theNumColors) {
  mColors.clear();
  for (int i = 0; i < theNumColors; i++)
    SetColor(i, Color(theColors[i][0], theColors[i][1], theColors[i][2]));
  MarkDirty();
}

void Widget::SetColors(int theColors[][4], int theNumColors) {
  mColors.clear();
  for (int i = 0; i < theNumColors; i++)
    SetColor(i, Color(theColors[i][0], theColors[i][1], theColors[i][2], theColors[i][3]));
  MarkDirty();
}

void Widget::SetColor(int theIdx, const Color& theColor) {
  if (theIdx < 0) return;
  if (theIdx >= static_cast<int>(mColors.size())) mColors.resize(theIdx + 1);
  mColors[theIdx] = theColor;
  MarkDirty();
}

const Color& Widget::GetColor(int theIdx) {
  static const Color aDefault;
  if (theIdx >= 0 && theIdx < static_cast<int>(mColors.size())) return mColors[theIdx];
  return aDefault;
}

Color Widget::GetColor(int theIdx, const Color& theDefaultColor) {
  if (theIdx >= 0 && theIdx < static_cast<int>(mColors.size())) return mColors[theIdx];
  return theDefaultColor;
}

void Widget::SetDisabled(bool isDisabled) {
  if (mDisabled == isDisabled) return;
  mDisabled = isDisabled;
  if (isDisabled && mWidgetManager != nullptr) mWidgetManager->DisableWidget(this);
  MarkDirty();
  if (!isDisabled && mWidgetManager != nullptr &&
      Contains(mWidgetManager->mLastMouseX, mWidgetManager->mLastMouseY))
    mWidgetManager->MousePosition(mWidgetManager->mLastMouseX, mWidgetManager->mLastMouseY);
}

void Widget::ShowFinger(bool on) {
  if (mWidgetManager == nullptr || mWidgetManager->mApp == nullptr) return;
  mWidgetManager->mApp->SetCursor(on ? 1 : 0);
}

void Widget::Resize(int theX, int theY, int theWidth, int theHeight) {
  if (mX == theX && mY == theY && mWidth == theWidth && mHeight == theHeight) return;
  MarkDirtyFull();
  mX = theX;
  mY = theY;
  mWidth = theWidth;
  mHeight = theHeight;
  MarkDirty();
  if (mWidgetManager != nullptr) mWidgetManager->RehupMouse();
}

void Widget::Resize(const TRect<int>& theRect) {
  Resize(theRect.mX, theRect.mY, theRect.mWidth, theRect.mHeight);
}
void Widget::Move(int theNewX, int theNewY) { Resize(theNewX, theNewY, mWidth, mHeight); }
bool Widget::WantsFocus() { return mWantsFocus; }
void Widget::DrawOverlay(Graphics*) {}
void Widget::DrawOverlay(Graphics* g, int) { DrawOverlay(g); }
void Widget::GotFocus() { mHasFocus = true; }
void Widget::LostFocus() { mHasFocus = false; }
void Widget::KeyChar(wchar_t) {}

void Widget::KeyDown(KeyCode theKey) {
  if (theKey != KEYCODE_TAB || mWidgetManager == nullptr) return;
  if (mWidgetManager->mKeyDown[KEYCODE_SHIFT]) {
    if (mTabPrev != nullptr) mWidgetManager->SetFocus(mTabPrev);
  } else if (mTabNext != nullptr) {
    mWidgetManager->SetFocus(mTabNext);
  }
}

void Widget::KeyUp(KeyCode) {}
void Widget::MouseEnter() {}
void Widget::MouseLeave() {}
void Widget::MouseMove(int, int) {}

void Widget::MouseDown(int x, int y, int theClickCount) {
  if (theClickCount == 3)
    MouseDown(x, y, 2, 1);
  else if (theClickCount < 0)
    MouseDown(x, y, 1, -theClickCount);
  else
    MouseDown(x, y, 0, theClickCount);
}

void Widget::MouseDown(int, int, int, int) {}
void Widget::MouseUp(int, int) {}

void Widget::MouseUp(int x, int y, int theClickCount) {
  MouseUp(x, y);
  if (theClickCount == 3)
    MouseUp(x, y, 2, 1);
  else if (theClickCount < 0)
    MouseUp(x, y, 1, -theClickCount);
  else
    MouseUp(x, y, 0, theClickCount);
}

void Widget::MouseUp(int, int, int, int) {}
void Widget::MouseDrag(int, int) {}
void Widget::MouseWheel(int) {}
bool Widget::IsPointVisible(int, int) { return true; }

TRect<int> Widget::WriteCenteredLine(Graphics* g, int anOffset, const TeskString& theLine) {
  Font* aFont = g->GetFont();
  if (aFont == nullptr) return TRect<int>();
  int aWidth = aFont->StringWidth(theLine);
  int aX = (mWidth - aWidth) / 2;
  g->DrawString(theLine, aX, anOffset);
  return TRect<int>(aX, anOffset - aFont->GetAscent(), aWidth, aFont->GetHeight());
}

TRect<int> Widget::WriteCenteredLine(Graphics* g, int anOffset, const TeskString& theLine, Color theColor1,
                                     Color theColor2, const TPoint<int>& theShadowOffset) {
  Font* aFont = g->GetFont();
  if (aFont == nullptr) return TRect<int>();
  int aWidth = aFont->StringWidth(theLine);
  int aX = (mWidth - aWidth) / 2;
  g->SetColor(theColor2);
  g->DrawString(theLine, aX + theShadowOffset.mX, anOffset + theShadowOffset.mY);
  g->SetColor(theColor1);
  g->DrawString(theLine, aX, anOffset);
  return TRect<int>(aX + std::min(0, theShadowOffset.mX),
                    anOffset - aFont->GetAscent() + std::min(0, theShadowOffset.mY),
                    aWidth + std::abs(theShadowOffset.mX), aFont->GetHeight() + std::abs(theShadowOffset.mY));
}

int Widget::WriteString(Graphics* g, const TeskString& theString, int x, int y, int theWidth,
                        int theJustification, bool drawString, int theOffset, int theLength) {
  bool anOldColored = g->mWriteColoredString;
  g->mWriteColoredString = mWriteColoredString;
  int anAscent = g->GetFont() != nullptr ? g->GetFont()->GetAscent() : 0;
  int aWidth = g->WriteString(theString, x, y + (anAscent - anAscent / 6), theWidth, theJustification,
                              drawString, theOffset, theLength, -1);
  g->mWriteColoredString = anOldColored;
  return aWidth;
}

int Widget::WriteWordWrapped(Graphics* g, const TRect<int>& theRect, const TeskString& theLine,
                             int theLineSpacing, int theJustification) {
  bool anOldColored = g->mWriteColoredString;
  g->mWriteColoredString = mWriteColoredString;
  int aHeight = g->WriteWordWrapped(theRect, theLine, theLineSpacing, theJustification, nullptr, -1, nullptr);
  g->mWriteColoredString = anOldColored;
  return aHeight;
}

int Widget::GetWordWrappedHeight(Graphics* g, int theWidth, const TeskString& theLine, int theLineSpacing) {
  return g->GetWordWrappedHeight(theWidth, theLine, theLineSpacing, nullptr);
}

int Widget::GetNumDigits(int theNumber) {
  // 64-bit power so numbers above 999,999,999 count their tenth digit.
  int aCount = 1;
  int64_t aPower = 10;
  while (theNumber >= aPower) {
    aCount++;
    aPower *= 10;
  }
  return aCount;
}

void Widget::WriteNumberFromStrip(Graphics* g, int theNumber, int x, int y, Image* theNumberStrip,
                                  int aSpacing) {
  int aCellWidth = theNumberStrip->GetWidth() / 10;
  int aCount = 1;
  int64_t aPower = 10;
  while (theNumber >= aPower) {
    aCount++;
    aPower *= 10;
  }
  for (int i = 0; i < aCount; i++) {
    aPower /= 10;
    int aDigit = static_cast<int>((theNumber / aPower) % 10);
    std::unique_ptr<Graphics> aClipG(g->Create());
    int aCellX = x + i * (aCellWidth + aSpacing);
    aClipG->ClipRect(aCellX, y, aCellWidth, theNumberStrip->GetHeight());
    aClipG->DrawImage(theNumberStrip, aCellX - aDigit * aCellWidth, y);
  }
}

bool Widget::Contains(int x, int y) { return x >= mX && x < mX + mWidth && y >= mY && y < mY + mHeight; }

TRect<int> Widget::GetInsetRect() {
  return TRect<int>(mX + mMouseInsets.mLeft, mY + mMouseInsets.mTop, mWidth + mMouseInsets.mRight,
                    mHeight + mMouseInsets.mBottom);
}

void Widget::WidgetRemovedHelper() {
  if (mWidgetManager == nullptr) return;
  for (Widget* aChild : mWidgets) aChild->WidgetRemovedHelper();
  WidgetManager* aManager = mWidgetManager;
  aManager->DisableWidget(this);
  for (PreModalInfo& anInfo : aManager->mPreModalInfoList) {
    if (anInfo.mPrevBaseModalWidget == this) anInfo.mPrevBaseModalWidget = nullptr;
    if (anInfo.mPrevFocusWidget == this) anInfo.mPrevFocusWidget = nullptr;
  }
  RemovedFromManager(aManager);
  MarkDirtyFull(this);
  mWidgetManager = nullptr;
}

}  // namespace Tesk

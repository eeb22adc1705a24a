#include "ColorBoxWidget.h"

#include "graphics/Graphics.h"

namespace Tesk {

const Color ColorBoxWidget::k_Colors[2] = {Color(40, 90, 200), Color(220, 160, 30)};

ColorBoxWidget::ColorBoxWidget() : mColorIndex(0), mClicks(0) {}

void ColorBoxWidget::Draw(Graphics* g) {
  g->SetColor(k_Colors[mColorIndex]);
  g->FillRect(0, 0, mWidth, mHeight);
}

void ColorBoxWidget::MouseDown(int, int, int) {
  ++mClicks;
  mColorIndex = (mColorIndex + 1) % 2;
  MarkDirty();
}

void ColorBoxWidget::KeyChar(wchar_t theChar) { mTyped += theChar; }

}  // namespace Tesk

#include "MarkedFrameWidget.h"

#include "graphics/Graphics.h"

namespace Tesk {

namespace {

Color ColorOf(uint32_t theRgb) {
  return Color(static_cast<int>(theRgb >> 16), static_cast<int>((theRgb >> 8) & 0xFF),
               static_cast<int>(theRgb & 0xFF));
}

}  // namespace

const uint32_t MarkedFrameWidget::k_Ground = 0x402060;
const uint32_t MarkedFrameWidget::k_Marks[5] = {0xC82828, 0x28C83C, 0x1E3CDC, 0xE6D214, 0xF0F0F0};

void MarkedFrameWidget::Draw(Graphics* g) {
  g->SetColor(ColorOf(k_Ground));
  g->FillRect(0, 0, k_Width, k_Height);
  const int aCorners[4][2] = {
      {0, 0}, {k_Width - k_Mark, 0}, {0, k_Height - k_Mark}, {k_Width - k_Mark, k_Height - k_Mark}};
  for (int i = 0; i < 4; ++i) {
    g->SetColor(ColorOf(k_Marks[i]));
    g->FillRect(aCorners[i][0], aCorners[i][1], k_Mark, k_Mark);
  }
  g->SetColor(ColorOf(k_Marks[4]));
  g->FillRect((k_Width - k_Square) / 2, (k_Height - k_Square) / 2, k_Square, k_Square);
}

void MarkedFrameWidget::MouseDown(int x, int y, int) {
  if (mNote) mNote("down " + std::to_string(x) + " " + std::to_string(y));
}

void MarkedFrameWidget::KeyDown(KeyCode theKey) {
  if (mOnKey) mOnKey(theKey);
}

}  // namespace Tesk

// A box that takes the next of its colours each time it is clicked, and keeps what is typed
// while it has the focus.
#pragma once

#include <string>

#include "graphics/Color.h"
#include "widgets/Widget.h"

namespace Tesk {

class ColorBoxWidget : public Widget {
 public:
  static const Color k_Colors[2];

  ColorBoxWidget();

  void Draw(Graphics* g) override;
  void MouseDown(int x, int y, int theClickCount) override;
  void KeyChar(wchar_t theChar) override;

  int mColorIndex;
  int mClicks;
  std::wstring mTyped;
};

}  // namespace Tesk

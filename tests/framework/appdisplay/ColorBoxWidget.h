// A box that takes the next of its colours each time it is clicked.
#pragma once

#include "graphics/Color.h"
#include "widgets/Widget.h"

namespace Tesk {

class ColorBoxWidget : public Widget {
 public:
  static const Color k_Colors[2];

  ColorBoxWidget();

  void Draw(Graphics* g) override;
  void MouseDown(int x, int y, int theClickCount) override;

  int mColorIndex;
  int mClicks;
};

}  // namespace Tesk

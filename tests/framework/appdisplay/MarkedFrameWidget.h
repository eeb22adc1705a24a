// A whole 800 x 600 frame that is easy to find on a screen: a ground of one colour, a mark of
// its own colour in each corner and a square in the middle. It notes every press of the pointer,
// as the frame pixel it saw, through its owner.
#pragma once

#include <functional>
#include <string>

#include "graphics/Color.h"
#include "widgets/Widget.h"

namespace Tesk {

class MarkedFrameWidget : public Widget {
 public:
  static constexpr int k_Width = 800, k_Height = 600;
  static constexpr int k_Mark = 16;    // the corner marks' side
  static constexpr int k_Square = 40;  // the middle square's side, at (380, 280)
  static const uint32_t k_Ground;
  // Top left, top right, bottom left, bottom right; then the middle square.
  static const uint32_t k_Marks[5];

  void Draw(Graphics* g) override;
  void MouseDown(int x, int y, int theClickCount) override;
  void KeyDown(KeyCode theKey) override;

  // Told "down X Y" for a press and the key of a key press.
  std::function<void(const std::string&)> mNote;
  std::function<void(KeyCode)> mOnKey;
};

}  // namespace Tesk

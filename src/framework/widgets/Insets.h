#pragma once

namespace Tesk {

class Insets {
 public:
  int mLeft;
  int mTop;
  int mRight;
  int mBottom;

  Insets() : mLeft(0), mTop(0), mRight(0), mBottom(0) {}
  Insets(int theLeft, int theTop, int theRight, int theBottom)
      : mLeft(theLeft), mTop(theTop), mRight(theRight), mBottom(theBottom) {}
};

}  // namespace Tesk

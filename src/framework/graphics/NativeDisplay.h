// How the display packs red, green and blue into a pixel word. The display
// interface derives from it and fills it in when it makes the screen.
#pragma once

namespace Tesk {

class NativeDisplay {
 public:
  int mRGBBits;
  int mRedMask;
  int mGreenMask;
  int mBlueMask;
  int mRedBits;
  int mGreenBits;
  int mBlueBits;
  int mRedShift;
  int mGreenShift;
  int mBlueShift;

  NativeDisplay();
  virtual ~NativeDisplay();
};

}  // namespace Tesk

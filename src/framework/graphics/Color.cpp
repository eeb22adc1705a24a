#include "graphics/Color.h"

#include <cstdint>

namespace Tesk {

const Color Color::Black(0, 0, 0, 255);
const Color Color::White(255, 255, 255, 255);

Color::Color(int thePacked)
    : mRed((thePacked >> 16) & 0xFF),
      mGreen((thePacked >> 8) & 0xFF),
      mBlue(thePacked & 0xFF),
      mAlpha((static_cast<uint32_t>(thePacked) >> 24) & 0xFF) {
  if (mAlpha == 0) mAlpha = 255;
}

int Color::ToInt() const {
  uint32_t aPacked = (static_cast<uint32_t>(mAlpha) << 24) | (static_cast<uint32_t>(mRed) << 16) |
                     (static_cast<uint32_t>(mGreen) << 8) | static_cast<uint32_t>(mBlue);
  return static_cast<int>(aPacked);
}

}  // namespace Tesk

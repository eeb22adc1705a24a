// One glyph of one font layer.
#pragma once

#include <cstdint>
#include <map>

#include "graphics/TPoint.h"
#include "graphics/TRect.h"

namespace Tesk {

class CharData {
 public:
  TRect<int> mImageRect;  // inside the layer's glyph sheet
  TPoint<int> mOffset;    // from the pen position
  std::map<wchar_t, int8_t> mKerningOffsets;
  int mWidth = 0;  // advance
  int mOrder = 0;  // added to the layer's base order
};

}  // namespace Tesk

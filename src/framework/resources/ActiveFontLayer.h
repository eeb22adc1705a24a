// A font layer as one image font uses it: the layer, and the glyph sheet and
// rectangles for the font's size (the layer's own, or a sheet made for the size).
#pragma once

#include <vector>

#include "graphics/TRect.h"

namespace Tesk {

class FontLayer;
class Image;

class ActiveFontLayer {
 public:
  ActiveFontLayer() = default;
  // An owned sheet is copied, so that every copy owns its own.
  ActiveFontLayer(const ActiveFontLayer& theLayer);
  ActiveFontLayer& operator=(const ActiveFontLayer&) = delete;
  virtual ~ActiveFontLayer();

  FontLayer* mBaseFontLayer = nullptr;
  Image* mScaledImage = nullptr;
  bool mOwnsImage = false;
  std::vector<TRect<int>> mScaledCharImageRects;  // by character index
};

}  // namespace Tesk

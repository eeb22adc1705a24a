// Everything a drawing context draws with: destination, translation, clip,
// colour, font, draw mode and switches. Saved and restored whole by the
// context's state stack.
#pragma once

#include "graphics/Color.h"
#include "graphics/Image.h"
#include "graphics/TRect.h"

namespace Tesk {

class Font;

class GraphicsState {
 public:
  // The destination of a context made without one: every operation on it does nothing.
  static Image mStaticImage;

  Image* mDestImage;
  float mTransX;
  float mTransY;
  float mScaleX;
  float mScaleY;
  float mScaleOrigX;
  float mScaleOrigY;
  TRect<int> mClipRect;  // in destination coordinates (already translated)
  Color mColor;
  Font* mFont;
  int mDrawMode;
  bool mColorizeImages;
  bool mFastStretch;
  bool mWriteColoredString;
  bool mLinearBlend;
  bool mIs3D;

  void CopyStateFrom(const GraphicsState* theState) { *this = *theState; }
};

}  // namespace Tesk

// One queued glyph draw of ImageFont::DrawStringEx.
#pragma once

#include "graphics/Color.h"

namespace Tesk {

class Image;

class RenderCommand {
 public:
  Image* mImage;  // null draws nothing
  int mDest[2];
  int mSrc[4];
  int mMode;    // -1 keeps the context's mode
  int mRotate;  // 1: drawn turned a quarter
  Color mColor;
  RenderCommand* mNext;  // next in the same order bucket
};

}  // namespace Tesk

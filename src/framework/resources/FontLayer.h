// One layer of a bitmap font: its glyph sheet, glyph table, colours, metrics, draw
// order, point-size range and tag filters.
#pragma once

#include <memory>
#include <vector>

#include "core/Common.h"
#include "graphics/Color.h"
#include "graphics/Image.h"
#include "graphics/TPoint.h"
#include "resources/CharData.h"

namespace Tesk {

class FontData;

class FontLayer {
 public:
  explicit FontLayer(FontData* theFontData) : mFontData(theFontData) {}
  FontLayer(const FontLayer& theLayer) = default;
  FontLayer& operator=(const FontLayer& theLayer) = default;

  FontData* mFontData;
  std::vector<TeskString> mRequiredTags;  // upper-case
  std::vector<TeskString> mExcludedTags;  // upper-case
  std::vector<CharData> mCharData;        // by character index
  Color mColorMult = Color::White;
  Color mColorAdd = Color(0, 0, 0, 0);
  std::shared_ptr<Image> mImage;  // the glyph sheet, shared
  int mDrawMode = -1;             // 0 normal, 1 additive, -1 the drawing context's
  TPoint<int> mOffset;
  int mSpacing = 0;
  int mMinPointSize = -1;
  int mMaxPointSize = -1;
  int mPointSize = 0;  // 0: not tied to a size
  int mAscent = 0;
  int mAscentPadding = 0;
  int mHeight = 0;
  int mDefaultHeight = 0;
  int mLineSpacingOffset = 0;
  int mBaseOrder = 0;
  int mSpaceWidth = 0;
};

}  // namespace Tesk

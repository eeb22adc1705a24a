// The abstract font the drawing context measures and draws text with.
#pragma once

#include "core/Common.h"
#include "graphics/Color.h"
#include "graphics/TRect.h"

namespace Tesk {

class Graphics;

class Font {
 public:
  int mAscent;
  int mAscentPadding;
  int mHeight;
  int mLineSpacingOffset;

  Font();
  Font(const Font& theFont) = default;
  virtual ~Font();

  virtual int GetAscent();
  virtual int GetAscentPadding();
  virtual int GetDescent();
  virtual int GetHeight();
  virtual int GetLineSpacingOffset();
  virtual int GetLineSpacing();
  virtual int StringWidth(const TeskString& theString);
  virtual int CharWidth(wchar_t theChar);
  virtual int CharWidthKern(wchar_t theChar, wchar_t thePrevChar);
  // y is the baseline; the font applies g's translation itself.
  virtual void DrawString(Graphics* g, int theX, int theY, const TeskString& theString, const Color& theColor,
                          const TRect<int>& theClipRect);
  // A new heap copy that the caller owns.
  virtual Font* Duplicate() = 0;
};

}  // namespace Tesk

#include "graphics/Font.h"

namespace Tesk {

Font::Font() : mAscent(0), mAscentPadding(0), mHeight(0), mLineSpacingOffset(0) {}

Font::~Font() {}

int Font::GetAscent() { return mAscent; }

int Font::GetAscentPadding() { return mAscentPadding; }

int Font::GetDescent() { return mHeight - mAscent; }

int Font::GetHeight() { return mHeight; }

int Font::GetLineSpacingOffset() { return mLineSpacingOffset; }

int Font::GetLineSpacing() { return mHeight + mLineSpacingOffset; }

int Font::StringWidth(const TeskString&) { return 0; }

int Font::CharWidth(wchar_t theChar) { return StringWidth(TeskString(1, theChar)); }

int Font::CharWidthKern(wchar_t theChar, wchar_t) { return CharWidth(theChar); }

void Font::DrawString(Graphics*, int, int, const TeskString&, const Color&, const TRect<int>&) {}

}  // namespace Tesk

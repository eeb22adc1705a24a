// Font sheets and their descriptors: renders glyphs with FreeType into one sheet image
// and writes the descriptor that the bitmap-font reader takes (layers, offsets,
// kerning pairs, tags), plus a small PNG writer for the sheet.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace TeskTools {

struct SheetGlyph {
  wchar_t mChar = 0;
  // Cell in the sheet's first row (the fill) and, when the sheet has outlines, the
  // same glyph grown by one pixel all round in the second row.
  int mX = 0, mY = 0, mWidth = 0, mHeight = 0;
  int mOutlineX = 0, mOutlineY = 0, mOutlineWidth = 0, mOutlineHeight = 0;
  // Where the cell is drawn relative to the pen (x) and to the top of the line (y).
  int mOffsetX = 0, mOffsetY = 0;
  int mAdvance = 0;
};

struct KerningPair {
  wchar_t mLeft = 0;
  wchar_t mRight = 0;
  int mAmount = 0;
};

struct FontSheet {
  int mWidth = 0;
  int mHeight = 0;
  std::vector<uint32_t> mPixels;  // 0xAARRGGBB, row by row
  std::vector<SheetGlyph> mGlyphs;
  std::vector<KerningPair> mKerning;
  int mPointSize = 0;
  int mAscent = 0;
  int mLineHeight = 0;
  int mSpaceWidth = 0;
  bool mHasOutlines = false;
};

// The largest pixel size a sheet is rendered at.
constexpr int k_MaxPixelSize = 4096;

struct FontSheetOptions {
  std::string mFontFile = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
  int mPixelSize = 16;
  // Characters besides the space, which every font gets.
  std::wstring mChars;
  bool mOutlines = true;
};

// The printable ASCII characters without the space.
std::wstring AsciiChars();

// Renders the characters; false with a reason when the font cannot be used.
bool RenderFontSheet(const FontSheetOptions& theOptions, FontSheet* theSheet, std::string* theError);

struct DescriptorOptions {
  std::string mSheetFileName;  // as the descriptor names it, relative to the descriptor
  int mSpacing = 0;
  bool mShadowLayer = true;   // needs the tag "shadow"
  bool mOutlineLayer = true;  // left out by the tag "plain"; needs outlines in the sheet
  std::string mOutlineTag;    // when set, the outline is drawn only by fonts with this tag
  bool mSixteenBit = false;   // written as 16-bit text even when every character fits in a byte
};

// The descriptor text: layer "Main" (order 1), "Shadow" (offset, translucent black, order 0)
// and "Outline" (black, order 0).
std::wstring MakeFontDescriptor(const FontSheet& theSheet, const DescriptorOptions& theOptions);

// Bytes of a descriptor file: 8-bit when every character fits in a byte and 16-bit
// was not asked for, else little-endian 16-bit with a byte-order mark.
std::string EncodeDescriptor(const std::wstring& theText, bool sixteenBit);

// Writes 0xAARRGGBB pixels as an 8-bit RGBA PNG.
bool WritePng(const std::string& thePath, int theWidth, int theHeight, const uint32_t* thePixels);

// Renders and writes <dir>/<name>.png and <dir>/<name>.txt.
bool WriteFontFiles(const FontSheetOptions& theOptions, const DescriptorOptions& theDescOptions,
                    const std::string& theDir, const std::string& theName, std::string* theError);

}  // namespace TeskTools

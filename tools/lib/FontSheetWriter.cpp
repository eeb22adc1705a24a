#include "FontSheetWriter.h"

#include "ImageWriters.h"
#include "resources/ImageLib.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include <png.h>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace TeskTools {

namespace {

struct Bitmap {
  int mWidth = 0;
  int mHeight = 0;
  int mLeft = 0;
  int mTop = 0;
  int mAdvance = 0;
  std::vector<uint8_t> mAlpha;
};

uint32_t WhiteWithAlpha(int theAlpha) {
  return theAlpha == 0 ? 0u : (static_cast<uint32_t>(theAlpha) << 24) | 0x00FFFFFFu;
}

// Text as a quoted descriptor string that the reader hands back unchanged: quoted with
// the quote it does not hold, backslashes escaped. Text holding both quotes cannot be
// written that way and gives an empty result.
std::wstring QuoteString(const std::wstring& theText) {
  bool hasSingle = theText.find(L'\'') != std::wstring::npos;
  bool hasDouble = theText.find(L'"') != std::wstring::npos;
  if (hasSingle && hasDouble) return std::wstring();
  wchar_t aQuote = hasDouble ? L'\'' : L'"';
  std::wstring aResult(1, aQuote);
  for (wchar_t c : theText) {
    if (c == L'\\') aResult.push_back(L'\\');
    aResult.push_back(c);
  }
  aResult.push_back(aQuote);
  return aResult;
}

std::wstring QuoteChar(wchar_t theChar) { return QuoteString(std::wstring(1, theChar)); }

std::wstring Num(int theValue) { return std::to_wstring(theValue); }

std::string SheetTooLarge(int thePixelSize) {
  return "at the size " + std::to_string(thePixelSize) + " the sheet would be larger than " +
         std::to_string(ImageLib::k_MaxImageSide) + " pixels a side: use a smaller size or fewer characters";
}

}  // namespace

std::wstring AsciiChars() {
  std::wstring aChars;
  for (wchar_t c = 33; c < 127; ++c) aChars.push_back(c);
  return aChars;
}

bool RenderFontSheet(const FontSheetOptions& theOptions, FontSheet* theSheet, std::string* theError) {
  *theSheet = FontSheet();
  FT_Library aLibrary;
  if (FT_Init_FreeType(&aLibrary)) {
    *theError = "FreeType could not start";
    return false;
  }
  std::unique_ptr<FT_LibraryRec_, decltype(&FT_Done_FreeType)> aLibraryOwner(aLibrary, FT_Done_FreeType);
  FT_Face aFace;
  if (FT_New_Face(aLibrary, theOptions.mFontFile.c_str(), 0, &aFace)) {
    *theError = "cannot open font " + theOptions.mFontFile;
    return false;
  }
  std::unique_ptr<FT_FaceRec_, decltype(&FT_Done_Face)> aFaceOwner(aFace, FT_Done_Face);
  // The sheet must be an image the readers take: a row of fills over a row of outlines, each
  // a line of text high, fits only up to about a quarter of the largest side.
  if (theOptions.mPixelSize <= 0 || theOptions.mPixelSize > k_MaxPixelSize ||
      FT_Set_Pixel_Sizes(aFace, 0, theOptions.mPixelSize)) {
    *theError = "cannot use the size " + std::to_string(theOptions.mPixelSize);
    return false;
  }

  const int anAscent = static_cast<int>(aFace->size->metrics.ascender >> 6);
  const int aDescent = static_cast<int>(-(aFace->size->metrics.descender >> 6));
  theSheet->mPointSize = theOptions.mPixelSize;
  theSheet->mAscent = anAscent;
  theSheet->mLineHeight = anAscent + aDescent;
  theSheet->mHasOutlines = theOptions.mOutlines;

  if (!FT_Load_Char(aFace, L' ', FT_LOAD_DEFAULT))
    theSheet->mSpaceWidth = static_cast<int>((aFace->glyph->advance.x + 32) >> 6);

  std::wstring aChars;
  for (wchar_t c : theOptions.mChars.empty() ? AsciiChars() : theOptions.mChars)
    if (c != L' ' && aChars.find(c) == std::wstring::npos && FT_Get_Char_Index(aFace, c) != 0)
      aChars.push_back(c);

  std::vector<Bitmap> aBitmaps;
  int aSheetWidth = 0;
  for (wchar_t c : aChars) {
    if (FT_Load_Char(aFace, c, FT_LOAD_RENDER)) continue;
    const FT_GlyphSlot aSlot = aFace->glyph;
    // Glyphs lie side by side (outlines two pixels wider): stop as soon as they cannot fit.
    aSheetWidth += static_cast<int>(aSlot->bitmap.width) + (theOptions.mOutlines ? 2 : 0);
    if (aSheetWidth > ImageLib::k_MaxImageSide) {
      *theError = SheetTooLarge(theOptions.mPixelSize);
      return false;
    }
    Bitmap aBitmap;
    aBitmap.mWidth = static_cast<int>(aSlot->bitmap.width);
    aBitmap.mHeight = static_cast<int>(aSlot->bitmap.rows);
    aBitmap.mLeft = aSlot->bitmap_left;
    aBitmap.mTop = aSlot->bitmap_top;
    aBitmap.mAdvance = static_cast<int>((aSlot->advance.x + 32) >> 6);
    aBitmap.mAlpha.resize(static_cast<size_t>(aBitmap.mWidth) * aBitmap.mHeight);
    for (int y = 0; y < aBitmap.mHeight; ++y)
      for (int x = 0; x < aBitmap.mWidth; ++x)
        aBitmap.mAlpha[y * aBitmap.mWidth + x] = aSlot->bitmap.buffer[y * aSlot->bitmap.pitch + x];
    SheetGlyph aGlyph;
    aGlyph.mChar = c;
    aGlyph.mAdvance = aBitmap.mAdvance;
    theSheet->mGlyphs.push_back(aGlyph);
    aBitmaps.push_back(std::move(aBitmap));
  }

  // Every cell spans the same rows, so the rectangles can be laid out as one span;
  // the row reaches far enough to hold every glyph's ink.
  int aRowTop = 0;
  int aRowBottom = theSheet->mLineHeight;
  for (const Bitmap& b : aBitmaps) {
    aRowTop = std::min(aRowTop, anAscent - b.mTop);
    aRowBottom = std::max(aRowBottom, anAscent - b.mTop + b.mHeight);
  }
  const int aRowHeight = aRowBottom - aRowTop;
  int aFillWidth = 0;
  int anOutlineWidth = 0;
  for (const Bitmap& b : aBitmaps) {
    aFillWidth += b.mWidth;
    anOutlineWidth += b.mWidth + 2;
  }
  theSheet->mWidth = std::max(1, theOptions.mOutlines ? std::max(aFillWidth, anOutlineWidth) : aFillWidth);
  theSheet->mHeight = std::max(1, theOptions.mOutlines ? 2 * aRowHeight + 2 : aRowHeight);
  if (!ImageLib::SizeAllowed(theSheet->mWidth, theSheet->mHeight)) {
    *theError = SheetTooLarge(theOptions.mPixelSize);
    return false;
  }
  theSheet->mPixels.assign(static_cast<size_t>(theSheet->mWidth) * theSheet->mHeight, 0u);

  auto aCoverage = [&](const Bitmap& b, int x, int y) -> int {
    if (x < 0 || y < 0 || x >= b.mWidth || y >= b.mHeight) return 0;
    return b.mAlpha[y * b.mWidth + x];
  };

  int aFillX = 0;
  int anOutlineX = 0;
  for (size_t i = 0; i < aBitmaps.size(); ++i) {
    const Bitmap& b = aBitmaps[i];
    SheetGlyph& g = theSheet->mGlyphs[i];
    const int aInkTop = anAscent - b.mTop - aRowTop;
    g.mX = aFillX;
    g.mY = 0;
    g.mWidth = b.mWidth;
    g.mHeight = aRowHeight;
    g.mOffsetX = b.mLeft;
    g.mOffsetY = aRowTop;
    for (int y = 0; y < b.mHeight; ++y)
      for (int x = 0; x < b.mWidth; ++x)
        theSheet->mPixels[(aInkTop + y) * theSheet->mWidth + aFillX + x] = WhiteWithAlpha(aCoverage(b, x, y));
    aFillX += b.mWidth;

    if (theOptions.mOutlines) {
      g.mOutlineX = anOutlineX;
      g.mOutlineY = aRowHeight;
      g.mOutlineWidth = b.mWidth + 2;
      g.mOutlineHeight = aRowHeight + 2;
      // The ink grown by one pixel: the largest coverage of the 3x3 neighbourhood.
      for (int y = -1; y <= b.mHeight; ++y) {
        for (int x = -1; x <= b.mWidth; ++x) {
          int aMax = 0;
          for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx) aMax = std::max(aMax, aCoverage(b, x + dx, y + dy));
          theSheet->mPixels[(aRowHeight + 1 + aInkTop + y) * theSheet->mWidth + anOutlineX + 1 + x] =
              WhiteWithAlpha(aMax);
        }
      }
      anOutlineX += b.mWidth + 2;
    }
  }

  if (FT_HAS_KERNING(aFace)) {
    for (const SheetGlyph& aLeft : theSheet->mGlyphs) {
      for (const SheetGlyph& aRight : theSheet->mGlyphs) {
        FT_Vector aKern;
        if (FT_Get_Kerning(aFace, FT_Get_Char_Index(aFace, aLeft.mChar),
                           FT_Get_Char_Index(aFace, aRight.mChar), FT_KERNING_DEFAULT, &aKern))
          continue;
        int anAmount = static_cast<int>(aKern.x >> 6);
        if (anAmount != 0) theSheet->mKerning.push_back({aLeft.mChar, aRight.mChar, anAmount});
      }
    }
  }
  return true;
}

std::wstring MakeFontDescriptor(const FontSheet& theSheet, const DescriptorOptions& theOptions) {
  std::wstring d;
  const std::wstring aSheetName(theOptions.mSheetFileName.begin(), theOptions.mSheetFileName.end());
  d += L"# Bitmap font made by makefont: " + Num(theSheet.mPointSize) + L" px, " +
       Num(theSheet.mGlyphs.size()) + L" glyphs and the space.\n";
  d += L"SetDefaultPointSize " + Num(theSheet.mPointSize) + L";\n\n";

  std::wstring aChars;
  std::wstring aFillWidths;
  std::wstring anOutlineWidths;
  std::wstring anAdvances;
  std::wstring anOffsets;
  std::wstring anOutlineOffsets;
  for (const SheetGlyph& g : theSheet.mGlyphs) {
    aChars += QuoteChar(g.mChar) + L" ";
    aFillWidths += Num(g.mWidth) + L" ";
    anOutlineWidths += Num(g.mOutlineWidth) + L" ";
    anAdvances += Num(g.mAdvance) + L" ";
    anOffsets += L"(" + Num(g.mOffsetX) + L" " + Num(g.mOffsetY) + L") ";
    anOutlineOffsets += L"(" + Num(g.mOffsetX - 1) + L" " + Num(g.mOffsetY - 1) + L") ";
  }
  const int aRowHeight = theSheet.mGlyphs.empty() ? 0 : theSheet.mGlyphs[0].mHeight;

  d += L"# The space stays out of the character list: its width is given on its own.\n";
  d += L"Define CharList (" + aChars + L");\n";
  d += L"Define AllChars (" + aChars + L"' ');\n";
  d += L"CreateHorzSpanRectList FillRects (0 0 0 " + Num(aRowHeight) + L") (" + aFillWidths + L");\n\n";

  d += L"CreateLayer Main;\n";
  d += L"LayerSetImage Main '" + aSheetName + L"';\n";
  d += L"LayerSetImageMap Main CharList FillRects;\n";
  d += L"LayerSetCharWidths Main (' ') (" + Num(theSheet.mSpaceWidth) + L");\n";
  d += L"LayerSetCharWidths Main AllChars (" + anAdvances + Num(theSheet.mSpaceWidth) + L");\n";
  d += L"LayerSetCharOffsets Main CharList (" + anOffsets + L");\n";
  if (!theSheet.mKerning.empty()) {
    std::wstring aPairs;
    std::wstring anAmounts;
    for (const KerningPair& k : theSheet.mKerning) {
      std::wstring aPair = QuoteString(std::wstring(1, k.mLeft) + k.mRight);
      if (aPair.empty()) continue;
      aPairs += aPair + L" ";
      anAmounts += Num(k.mAmount) + L" ";
    }
    if (!aPairs.empty()) d += L"LayerSetKerningPairs Main (" + aPairs + L") (" + anAmounts + L");\n";
  }
  d += L"LayerSetAscent Main " + Num(theSheet.mAscent) + L";\n";
  d += L"LayerSetAscentPadding Main 0;\n";
  d += L"LayerSetHeight Main " + Num(theSheet.mLineHeight) + L";\n";
  d += L"LayerSetLineSpacingOffset Main 0;\n";
  d += L"LayerSetPointSize Main " + Num(theSheet.mPointSize) + L";\n";
  d += L"LayerSetSpacing Main " + Num(theOptions.mSpacing) + L";\n";
  d += L"LayerSetBaseOrder Main 1;\n";

  if (theOptions.mShadowLayer) {
    d += L"\n# A soft shadow for fonts tagged 'shadow', from 10 points up.\n";
    d += L"CreateLayerFrom Shadow Main;\n";
    d += L"LayerSetOffset Shadow (1 1);\n";
    d += L"LayerSetColorMult Shadow (0 0 0 0.5);\n";
    d += L"LayerSetBaseOrder Shadow 0;\n";
    d += L"LayerRequireTags Shadow ('shadow');\n";
    d += L"LayerPointRange Shadow 10 -1;\n";
  }
  if (theOptions.mOutlineLayer && theSheet.mHasOutlines) {
    const std::wstring aTag(theOptions.mOutlineTag.begin(), theOptions.mOutlineTag.end());
    d += aTag.empty() ? L"\n# A black outline behind the fill, unless the font is tagged 'plain'.\n"
                      : L"\n# A black outline behind the fill, for fonts tagged '" + aTag + L"'.\n";
    d += L"CreateHorzSpanRectList OutlineRects (0 " + Num(aRowHeight) + L" 0 " + Num(aRowHeight + 2) +
         L") (" + anOutlineWidths + L");\n";
    d += L"CreateLayerFrom Outline Main;\n";
    d += L"LayerSetImageMap Outline CharList OutlineRects;\n";
    d += L"LayerSetCharOffsets Outline CharList (" + anOutlineOffsets + L");\n";
    d += L"LayerSetColorMult Outline (0 0 0 1);\n";
    d += L"LayerSetBaseOrder Outline 0;\n";
    if (aTag.empty())
      d += L"LayerExcludeTags Outline ('plain');\n";
    else
      d += L"LayerRequireTags Outline ('" + aTag + L"');\n";
  }
  return d;
}

std::string EncodeDescriptor(const std::wstring& theText, bool sixteenBit) {
  bool aWide = sixteenBit;
  for (wchar_t c : theText) aWide = aWide || c > 255;
  std::string aBytes;
  if (!aWide) {
    for (wchar_t c : theText) aBytes.push_back(static_cast<char>(c));
    return aBytes;
  }
  aBytes = std::string("\xFF\xFE", 2);
  for (wchar_t c : theText) {
    aBytes.push_back(static_cast<char>(c & 0xFF));
    aBytes.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return aBytes;
}

bool WritePng(const std::string& thePath, int theWidth, int theHeight, const uint32_t* thePixels) {
  return WritePngFile(thePath, theWidth, theHeight, thePixels);
}

bool WriteFontFiles(const FontSheetOptions& theOptions, const DescriptorOptions& theDescOptions,
                    const std::string& theDir, const std::string& theName, std::string* theError) {
  FontSheet aSheet;
  if (!RenderFontSheet(theOptions, &aSheet, theError)) return false;
  DescriptorOptions aDescOptions = theDescOptions;
  if (aDescOptions.mSheetFileName.empty()) aDescOptions.mSheetFileName = theName + ".png";
  if (!WritePng(theDir + "/" + aDescOptions.mSheetFileName, aSheet.mWidth, aSheet.mHeight,
                aSheet.mPixels.data())) {
    *theError = "cannot write " + theDir + "/" + aDescOptions.mSheetFileName;
    return false;
  }
  std::string aBytes = EncodeDescriptor(MakeFontDescriptor(aSheet, aDescOptions), aDescOptions.mSixteenBit);
  const std::string aDescPath = theDir + "/" + theName + ".txt";
  FILE* aFile = std::fopen(aDescPath.c_str(), "wb");
  if (!aFile || std::fwrite(aBytes.data(), 1, aBytes.size(), aFile) != aBytes.size()) {
    if (aFile) std::fclose(aFile);
    *theError = "cannot write " + aDescPath;
    return false;
  }
  if (std::fclose(aFile) != 0) {
    *theError = "cannot write " + aDescPath;
    return false;
  }
  return true;
}

}  // namespace TeskTools

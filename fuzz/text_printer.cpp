// Feeds arbitrary texts and boxes to the text printer, as the string table can hand it any text:
// every page must move on, hold at most the buffer, and together the pages must give back the
// text; drawing a page must end.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "game/shell/TextPrinter.h"
#include "graphics/Font.h"
#include "graphics/Graphics.h"

namespace {

// Advances of 1 to 24 pixels that depend on the character; spaces and newlines included.
class VaryingFont : public Tesk::Font {
 public:
  VaryingFont() {
    mAscent = 12;
    mHeight = 16;
  }
  int StringWidth(const TeskString& theString) override {
    int w = 0;
    for (wchar_t c : theString) w += static_cast<int>(static_cast<uint32_t>(c) % 24u) + 1;
    return w;
  }
  Font* Duplicate() override { return new VaryingFont(*this); }
};

// Lines are counted, not drawn.
class CountingPrinter : public TextPrinter {
 public:
  int WriteString(Tesk::Graphics*, const TeskString& theString, int, int, int theWidth, int, bool, int,
                  int) override {
    mChars += theString.size();
    return theWidth;
  }
  size_t mChars = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  if (theSize < 4) return 0;
  static VaryingFont sFont;
  CountingPrinter aPrinter;
  aPrinter.setFont(&sFont);
  const int aWidth = 1 + theData[0] * 3;
  const int aHeight = 1 + theData[1] * 4;
  const int aSpacing = theData[2] % 40;
  aPrinter.setDimensions(0, 0, aWidth, aHeight, aSpacing, (theData[3] & 1) ? -1 : 0);
  // Two bytes a character; few distinct ones so that spaces and newlines are common.
  std::vector<wchar_t> aText;
  for (size_t i = 4; i + 1 < theSize; i += 2) {
    const wchar_t c = static_cast<wchar_t>(theData[i] | (theData[i + 1] << 8));
    aText.push_back(c % 7 == 0 ? L' ' : c % 11 == 0 ? L'\n' : c == 0 ? L'x' : c);
  }
  const std::wstring anOriginal(aText.begin(), aText.end());
  aText.push_back(0);
  aPrinter.newString(aText.data());
  std::wstring aPaged;
  Tesk::Graphics g(nullptr);
  for (size_t aPage = 0; aPage <= anOriginal.size() + 1; ++aPage) {
    const int aFirst = aPrinter.m_firstChar;
    aPrinter.finishPrinting();
    const int anEnd = std::min<int>(aPrinter.m_charOn, static_cast<int>(anOriginal.size()));
    if (anEnd - aFirst > TextPrinter::k_MAX_BUFFER_SIZE - 1) __builtin_trap();
    if (anEnd < aFirst || (anEnd == aFirst && !aPrinter.getIsPrintingCompleted())) __builtin_trap();
    aPaged.append(anOriginal, aFirst, anEnd - aFirst);
    aPrinter.draw(&g, 1.0f);
    if (aPrinter.getIsPrintingCompleted()) break;
    aPrinter.moveToNextPage();
  }
  if (!aPrinter.getIsPrintingCompleted() || aPaged != anOriginal) __builtin_trap();
  return 0;
}

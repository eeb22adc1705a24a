// Prints a text a character at a time into a box, word-wrapped, page by page.
#include "game/shell/TextPrinter.h"

#include <algorithm>
#include <climits>
#include <cwchar>

#include "graphics/Font.h"
#include "graphics/Graphics.h"

namespace {

constexpr uint8_t k_ticksPerChar = 3;

bool isBreak(wchar_t c) { return c == L' ' || c == L'\n'; }

}  // namespace

TextPrinter::TextPrinter()
    : m_text(nullptr),
      m_firstChar(0),
      m_charOn(0),
      m_printing(0),
      m_completed(0),
      m_tick(0),
      m_color(0, 0, 0, 0),
      m_font(nullptr),
      m_box(),
      m_lineSpacing(0),
      m_yTranslation(0),
      m_justification(0) {
  m_page.reserve(k_MAX_BUFFER_SIZE);
}

TextPrinter::~TextPrinter() {}

void TextPrinter::newString(wchar_t* theText) {
  m_text = theText;
  m_charOn = m_firstChar = 0;
  m_printing = m_text != nullptr ? 1 : 0;
  m_completed = m_text != nullptr ? 0 : 1;
  m_yTranslation = 0;
}

void TextPrinter::setDimensions(const int& x, const int& y, const int& theWidth, const int& theHeight,
                                const int& theLineSpacing, int theJustification) {
  m_box = Tesk::TRect<int>(x, y, theWidth, theHeight);
  m_lineSpacing = static_cast<int16_t>(theLineSpacing);
  m_justification = static_cast<int8_t>(theJustification);
  m_yTranslation = 0;
}

void TextPrinter::Update() {
  if (m_printing == 0) return;
  ++m_tick;
  charPrintUpdate();
}

void TextPrinter::charPrintUpdate() {
  while (m_tick >= k_ticksPerChar && m_printing != 0 && m_completed == 0) {
    const int anAdded = addCharacters(m_tick / k_ticksPerChar);
    m_tick = static_cast<uint8_t>(m_tick - k_ticksPerChar * anAdded);
    if (anAdded == 0) break;
  }
}

bool TextPrinter::isPageFull(int theCharOn, int theTextLength) {
  // The page so far, less the terminator.
  const int aLength = std::min(theCharOn, theTextLength) - m_firstChar;
  // A page longer than the buffer is full whatever its height.
  if (aLength > k_MAX_BUFFER_SIZE - 1) return true;
  m_page.assign(m_text + m_firstChar, aLength);
  return Tesk::Graphics::GetWordWrappedHeight(m_font, m_box.mWidth, m_page, m_lineSpacing) >= m_box.mHeight;
}

int TextPrinter::addCharacters(int theMax) {
  const int aTextLength = static_cast<int>(std::wcslen(m_text));
  // m_charOn once the terminator has been added.
  const int aLast = aTextLength + 1;
  const int n = std::min(theMax, aLast - m_charOn);
  if (n <= 0) return 0;
  // A page only grows as characters are added, so the first one that makes it full can be
  // found by halving rather than by measuring the page once per character.
  if (!isPageFull(m_charOn + n, aTextLength)) {
    m_charOn += n;
    if (m_charOn == aLast) {
      m_printing = 0;
      m_completed = 1;
    }
    return n;
  }
  int aLow = 1;
  int aHigh = n;
  while (aLow < aHigh) {
    const int aMid = (aLow + aHigh) / 2;
    if (isPageFull(m_charOn + aMid, aTextLength))
      aHigh = aMid;
    else
      aLow = aMid + 1;
  }
  m_charOn += aLow;
  m_printing = 0;
  cutPage(aTextLength);
  // Nothing is left for another page.
  if (m_text[m_charOn] == 0) m_completed = 1;
  return aLow;
}

void TextPrinter::cutPage(int theTextLength) {
  // The characters before m_charOn fitted.
  --m_charOn;
  const int aFitted = m_charOn;
  while (m_charOn > m_firstChar && !isBreak(m_text[m_charOn])) --m_charOn;
  if (m_charOn == m_firstChar) {
    // No space or newline to break at: the page ends after the last character that fits,
    // and holds at least one so that the next page starts further on.
    m_charOn = aFitted > m_firstChar ? aFitted : m_firstChar + 1;
    // A box too low for even an empty page ends the text, not past it.
    if (m_charOn > theTextLength) m_charOn = theTextLength;
    return;
  }
  // A newline ends this page; a space starts the next one.
  if (m_text[m_charOn] == L'\n') ++m_charOn;
}

void TextPrinter::finishPrinting() {
  if (m_printing == 0 || m_text == nullptr) return;
  const int anAdded = addCharacters(INT_MAX);
  // The counter as a full counter (255, 85 characters) per round would have left it.
  const int aMaxPerRound = 255 / k_ticksPerChar;
  if (anAdded > 0) m_tick = static_cast<uint8_t>(255 - k_ticksPerChar * ((anAdded - 1) % aMaxPerRound + 1));
}

void TextPrinter::moveToNextPage() {
  if (m_text == nullptr) return;
  m_printing = 1;
  m_firstChar = m_charOn;
}

int TextPrinter::textWidth(const std::wstring& theText, int theLength) {
  if (theLength <= 0) return 0;
  if (theLength >= static_cast<int>(theText.size())) return m_font->StringWidth(theText);
  m_measured.assign(theText, 0, static_cast<size_t>(theLength));
  return m_font->StringWidth(m_measured);
}

int TextPrinter::widestFit(const std::wstring& theLine, int& theWidth) {
  const int n = static_cast<int>(theLine.size());
  int aFit = 1;
  theWidth = textWidth(theLine, 1);
  for (int k = 2; k <= n; ++k) {
    const int w = textWidth(theLine, k);
    if (w > m_box.mWidth) break;
    aFit = k;
    theWidth = w;
  }
  return aFit;
}

int TextPrinter::lineEnd(const std::wstring& theLine, int& theWidth) {
  const int n = static_cast<int>(theLine.size());
  int anEnd = 0;
  int aBreak = 0;
  theWidth = 0;
  for (int p = 0;;) {
    if (p >= n) {
      const int w = textWidth(theLine, n);
      if (w <= m_box.mWidth) {
        anEnd = n;
        theWidth = w;
      } else {
        anEnd = aBreak;
      }
      break;
    }
    const wchar_t c = theLine[p];
    if (c == L'\n') {
      // The line ends here when what comes before it fits.
      const int w = textWidth(theLine, p);
      if (w <= m_box.mWidth) {
        anEnd = p;
        theWidth = w;
      } else {
        anEnd = aBreak;
      }
      break;
    }
    if (c == L' ' && p + 1 < n && !isBreak(theLine[p + 1])) {
      // The first word ends here: the first place the line can break.
      if (aBreak == 0 && p > 0) {
        const int w = textWidth(theLine, p);
        if (w > m_box.mWidth) break;
        aBreak = anEnd = p;
        theWidth = w;
      }
      int aWordEnd = p + 1;
      while (aWordEnd < n && !isBreak(theLine[aWordEnd])) ++aWordEnd;
      const int w = textWidth(theLine, aWordEnd);
      if (w > m_box.mWidth) {
        anEnd = aBreak;
        break;
      }
      aBreak = anEnd = aWordEnd;
      theWidth = w;
      if (aWordEnd < n && theLine[aWordEnd] == L'\n') break;
      p = aWordEnd;
      continue;
    }
    ++p;
  }
  // Nothing to break at before the box is full: as much of the first word as fits.
  if (anEnd == 0 && n > 0 && theLine[0] != L'\n') anEnd = widestFit(theLine, theWidth);
  return anEnd;
}

void TextPrinter::draw(Tesk::Graphics* g, float theFade) {
  if (m_text == nullptr || m_font == nullptr) return;
  if (m_justification != -1 && m_justification != 0) return;
  g->SetColor(Tesk::Color(static_cast<int>(m_color.mRed * theFade),
                          static_cast<int>(m_color.mGreen * theFade),
                          static_cast<int>(m_color.mBlue * theFade), m_color.mAlpha));
  g->SetFont(m_font);
  const int aTextLength = static_cast<int>(std::wcslen(m_text));
  const int aShown = m_charOn < aTextLength ? m_charOn : aTextLength;
  int aLineStart = m_firstChar;
  // The line's top: WriteString puts the baseline ascent - ascent / 6 below it.
  int y = m_box.mY + m_yTranslation;
  std::wstring& aLine = m_line;
  while (aShown > aLineStart) {
    // A word being typed is measured whole, so it does not jump lines when it is finished.
    int anEnd = aShown;
    while (anEnd < aTextLength && !isBreak(m_text[anEnd])) ++anEnd;
    aLine.assign(m_text + aLineStart, anEnd - aLineStart);
    const int n = static_cast<int>(aLine.size());
    int w = 0;
    int i = lineEnd(aLine, w);
    if (i > aShown - aLineStart) i = aShown - aLineStart;
    std::wstring& aDrawn = m_drawn;
    aDrawn.assign(aLine, 0, static_cast<size_t>(i));
    if (m_justification == -1) {
      WriteString(g, aDrawn, m_box.mX, y, w, -1);
    } else {
      WriteString(g, aDrawn, m_box.mX + static_cast<int>(0.5f * m_box.mWidth) - w / 2, y, w, 0);
    }
    y += m_lineSpacing;
    int k = i;
    while (k < n && aLine[k] == L' ') ++k;
    if (k >= n) break;
    if (aLine[k] == L'\n') ++k;
    aLineStart += k;
  }
}

// Prints a text a character at a time into a box, word-wrapped, page by page.
#pragma once

#include <cstdint>
#include <string>

#include "graphics/Color.h"
#include "graphics/TRect.h"
#include "widgets/Widget.h"

namespace Tesk {
class Font;
class Graphics;
}  // namespace Tesk

class TextPrinter : public Tesk::Widget {
 public:
  // A page holds at most k_MAX_BUFFER_SIZE - 1 characters.
  static const int k_MAX_BUFFER_SIZE = 1024;

  TextPrinter();
  ~TextPrinter() override;

  // theText stays the caller's; the printer starts its first page.
  void newString(wchar_t* theText);
  void setDimensions(const int& x, const int& y, const int& theWidth, const int& theHeight,
                     const int& theLineSpacing, int theJustification);
  void setFont(Tesk::Font* theFont) { m_font = theFont; }
  void setColor(Tesk::Color theColor) { m_color = theColor; }
  void setAlphaColor(int theAlpha) { m_color.mAlpha = theAlpha; }
  void setYTranslation(int theY) { m_yTranslation = theY; }
  void Update() override;
  void charPrintUpdate();
  void finishPrinting();
  void moveToNextPage();
  bool getIsPrinting() { return m_printing != 0; }
  bool getIsPrintingCompleted() { return m_completed != 0; }
  // Drawn by the owner from its own Draw.
  void draw(Tesk::Graphics* g, float theFade);

  wchar_t* m_text;
  int m_firstChar;
  int m_charOn;
  uint8_t m_printing;
  uint8_t m_completed;
  uint8_t m_tick;
  Tesk::Color m_color;
  Tesk::Font* m_font;
  Tesk::TRect<int> m_box;
  int16_t m_lineSpacing;
  int m_yTranslation;
  // -1 left, 0 centred; any other value draws nothing.
  int8_t m_justification;

 private:
  // Adds up to theMax characters, stopping where the page is full or the text ends, exactly as
  // that many single steps would; returns how many it added.
  int addCharacters(int theMax);
  // Whether the page up to theCharOn no longer fits the box (or the buffer).
  bool isPageFull(int theCharOn, int theTextLength);
  // Where the page that has overflowed at m_charOn ends.
  void cutPage(int theTextLength);
  // How many characters of theLine fit the box width from its start, at least one; theWidth
  // gets their width.
  int widestFit(const std::wstring& theLine, int& theWidth);
  // The end of the line that starts theLine, and the width of the whole line.
  int lineEnd(const std::wstring& theLine, int& theWidth);
  int textWidth(const std::wstring& theText, int theLength);

  // The page being measured, kept to spare an allocation per character.
  std::wstring m_page;
  // Scratch for the lines drawn and the lengths measured: kept, so a frame allocates nothing.
  std::wstring m_line;
  std::wstring m_drawn;
  std::wstring m_measured;
};

#include "game/shell/TextPrinter.h"

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
      m_justification(0) {}

TextPrinter::~TextPrinter() {}

void TextPrinter::newString(wchar_t*) {}

void TextPrinter::setDimensions(const int&, const int&, const int&, const int&, const int&, int) {}

void TextPrinter::setAlphaColor(int) {}

void TextPrinter::Update() { Widget::Update(); }

void TextPrinter::charPrintUpdate() {}

void TextPrinter::finishPrinting() {}

void TextPrinter::moveToNextPage() {}

void TextPrinter::draw(Tesk::Graphics*, float) {}

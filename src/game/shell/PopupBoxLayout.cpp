// The popup box's layout per type.
#include "game/shell/PopupBox.h"

namespace Tesk {

void PopupBox::setSize() {}

void PopupBox::setButton(const int&, const int&, const int&, const wchar_t*) {}

void PopupBox::setBottomButton(const int&, const int&, const wchar_t*, const Image*, const Image*) {}

void PopupBox::setNameButton(const int&, const int&, const wchar_t*) {}

int PopupBox::getYTextLoc(const int&, float, float, const int&) { return 0; }

int PopupBox::getBottomYLoc(Image*, int) { return 0; }

}  // namespace Tesk

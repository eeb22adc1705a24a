// The popup box's input: clicks, keys, the name field, check boxes and sliders, and profile
// creation.
#include "game/shell/PopupBox.h"

namespace Tesk {

void PopupBox::MouseDown(int, int, int) {}

void PopupBox::KeyChar(wchar_t) {}

void PopupBox::EditWidgetText(int, const TeskString&) {}

bool PopupBox::AllowChar(int, wchar_t) { return false; }

void PopupBox::CheckboxChecked(int, bool) {}

void PopupBox::SliderVal(int, double) {}

void PopupBox::wordEnterPressed() {}

void PopupBox::changeProfile() {}

}  // namespace Tesk

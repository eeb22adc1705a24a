// The chapter results panel: its composed texts and its drawing.
#include "game/shell/PopupBox.h"

namespace Tesk {

wchar_t PopupBox::s_levelCompleteText1[40] = {};
wchar_t PopupBox::s_levelCompleteText2[40] = {};
wchar_t PopupBox::s_levelCompleteText3[64] = {};
wchar_t PopupBox::s_levelCompleteText4[720] = {};

void PopupBox::drawLevelCompleted(Graphics*) {}

}  // namespace Tesk

// What each button of each popup type does.
#include "game/shell/PopupBox.h"

namespace Tesk {

void PopupBox::ButtonDepress(int) {}

}  // namespace Tesk

// The popup box's drawing.
#include "game/shell/PopupBox.h"

namespace Tesk {

void PopupBox::Draw(Graphics*) {}

}  // namespace Tesk

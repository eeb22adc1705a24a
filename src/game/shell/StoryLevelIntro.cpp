// The chapter intro: mode 8 of the story screen.
#include "game/shell/Story.h"

namespace Tesk {

void Story::levelIntroAdded() {}

void Story::levelIntroSetPage() {}

void Story::levelIntroDraw(Graphics*) {}

}  // namespace Tesk

// The side bar of the map, the play scene and the mini-game, and its shimmering list line.
#include "game/play/SideBar.h"

#include "game/play/InGame.h"

namespace Tesk {

void drawSideBarShared(Graphics*, Image*, Widget*, GameApp*, float&, Color&, bool) {}

wchar_t* setBuffAsTime(wchar_t* theBuffer, unsigned int) {
  theBuffer[0] = 0;
  return theBuffer;
}

void InGame::setNewWordFade(int) {}

void InGame::updateWordFade() {}

}  // namespace Tesk

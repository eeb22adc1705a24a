// The 140-pixel side bar that the map, the play scene and the mini-game share.
#pragma once

namespace Tesk {

class Color;
class GameApp;
class Graphics;
class Image;
class Widget;

// Draws the side bar; theScreen's WriteString and WriteWordWrapped draw its texts. theFade is
// the global fade level, theBaseColor the grey of it; paused shows the pause text for the clock.
void drawSideBarShared(Graphics* g, Image* theSideBarImage, Widget* theScreen, GameApp* theApp, float& theFade,
                       Color& theBaseColor, bool paused);

// "MM:SS" of theSeconds (tens of minutes, minutes, tens of seconds, seconds) into theBuffer,
// which holds at least 64 wide characters; returns theBuffer.
wchar_t* setBuffAsTime(wchar_t* theBuffer, unsigned int theSeconds);

}  // namespace Tesk

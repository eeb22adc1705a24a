// What the tests ask of the X server directly, as another client would: the colour of a pixel
// on the screen and a window manager's close request. libX11 is loaded at run time, the way
// SDL itself loads it; its headers stay out of the tests, whose names they would clash with.
#pragma once

#include <cstdint>
#include <vector>

struct SDL_Window;

namespace XScreen {

// False when libX11 cannot be loaded.
bool Available();
// The pixel at (x, y) of the screen as 0xRRGGBB; 0xFFFFFFFF when it cannot be read.
uint32_t ReadScreenPixel(int x, int y);
// The whole screen as 0xRRGGBB words, top row first; false when it cannot be read.
bool ReadScreen(std::vector<uint32_t>* thePixels, int* theWidth, int* theHeight);
// The X window behind an SDL window; 0 when there is none.
unsigned long XWindowOf(SDL_Window* theWindow);
// Asks the X window to close, as a window manager does when its close box is clicked.
bool RequestClose(unsigned long theWindow);

}  // namespace XScreen

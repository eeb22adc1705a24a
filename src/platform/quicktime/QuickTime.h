// QuickTime's full-screen calls, over SDL's desktop full screen of the front window.
#pragma once

#include "platform/carbonwindow/CarbonWindow.h"
#include "platform/coregraphics/CoreGraphics.h"

enum : int16_t { kQTFullScreenFailed = -2 };

// Puts the front window in full screen; theRestoreState receives the token that ends it.
// theWidth and theHeight are the asked size on entry and the screen's size on return.
OSErr BeginFullScreen(Ptr* theRestoreState, GDHandle theDevice, int16_t* theWidth, int16_t* theHeight,
                      WindowRef* theNewWindow, void* theEraseColor, int32_t theFlags);
OSErr EndFullScreen(Ptr theRestoreState, int32_t theFlags);
// The error of the last full-screen call.
OSErr GetMoviesError();

// Test seam: the next BeginFullScreen fails.
void QTTestFailNextBeginFullScreen();

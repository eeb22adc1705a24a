// The Carbon window, port and debugging calls the display code makes beyond the windows of
// the Carbon stand-in: placing windows, their ports, the UI mode, the alert sound and the
// debugger hooks. A window's OpenGL drawable is its SDL window.
#pragma once

#include <SDL.h>

#include <string>

#include "platform/carbon/CarbonTypes.h"
#include "platform/carbon/CarbonWindows.h"

typedef char* Ptr;
typedef WindowRef WindowPtr;

// A window's drawing port; it only names its window.
typedef struct OpaqueGrafPtr* CGrafPtr;
typedef CGrafPtr GrafPtr;

enum : uint32_t { kWindowCenterOnMainScreen = 1 };
enum : uint32_t { kUIModeNormal = 0, kUIModeAllHidden = 3 };
enum : uint32_t { kUIOptionDisableProcessSwitch = 8 };

// Starts SDL's video subsystem once and asks for the OpenGL the display draws with: a double
// buffered compatibility context. False without a display.
bool CarbonInitVideo();
// The SDL window behind a game window; null when the windows are scripted.
SDL_Window* CarbonSDLWindow(WindowRef theWindow);

OSStatus RepositionWindow(WindowRef theWindow, WindowRef theParent, uint32_t theMethod);
OSStatus SetWindowBounds(WindowRef theWindow, WindowRegionCode theRegion, const Rect* theBounds);
// The port's bounds: (0, 0) to the content size.
Rect* GetWindowPortBounds(WindowRef theWindow, Rect* theBounds);
CGrafPtr GetWindowPort(WindowRef theWindow);
WindowRef GetWindowFromPort(CGrafPtr thePort);
// Frame widths around the content: none here.
OSStatus GetWindowStructureWidths(WindowRef theWindow, Rect* theWidths);

void GetPort(GrafPtr* thePort);
void SetPort(GrafPtr thePort);
void LocalToGlobal(Point* thePoint);
// True when the two rectangles overlap; theOut is the overlap (all 0 when empty).
bool SectRect(const Rect* theA, const Rect* theB, Rect* theOut);

// Keeps the pointer inside theBounds of the window's content (port coordinates) while the window
// has the keyboard, as the edges of a screen of that size would; null lets it go again.
void ConfineMouseToWindow(WindowRef theWindow, const Rect* theBounds);

void HideMenuBar();
OSStatus SetSystemUIMode(uint32_t theMode, uint32_t theOptions);

// The alert sound: counted, never played.
void SysBeep(int16_t theDuration);
int CarbonBeepCount();

// The debugger message hook: a length-prefixed text, written to standard error and kept as
// the last message so that callers can be checked.
void DebugStr(const unsigned char* thePascalText);
std::string CarbonLastDebugStr();
// A break into the debugger: here a line on standard error, kept like DebugStr's text.
void Debugger(const char* theWhy);

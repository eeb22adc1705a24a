// Carbon window, port and alert-sound calls the display code makes, over SDL2 windows.
#pragma once

#include <SDL.h>

#include <atomic>
#include <string>

#include "platform/carbonwindow/MacTypes.h"

struct OpaqueWindowPtr;

// A window's drawing port; on this platform it only names its window.
struct OpaqueGrafPtr {
  OpaqueWindowPtr* mWindow;
};
typedef OpaqueGrafPtr* CGrafPtr;
typedef CGrafPtr GrafPtr;

// A game window: an SDL window that can carry OpenGL contexts.
struct OpaqueWindowPtr {
  SDL_Window* mSDLWindow;
  OpaqueGrafPtr mPort;
  long mRefCon;
};
typedef OpaqueWindowPtr* WindowRef;
typedef OpaqueWindowPtr* WindowPtr;

typedef uint32_t WindowClass;
typedef uint32_t WindowAttributes;
typedef uint16_t WindowRegionCode;

enum : uint32_t { kDocumentWindowClass = 6 };
enum : uint16_t { kWindowStructureRgn = 32, kWindowContentRgn = 33 };
enum : uint32_t { kWindowCenterOnMainScreen = 1 };
enum : uint32_t { kUIModeNormal = 0, kUIModeAllHidden = 3 };
enum : uint32_t { kUIOptionDisableProcessSwitch = 8 };

// Starts SDL's video subsystem once, with the OpenGL attributes every window here needs:
// compatibility profile, double buffered RGBA 8888, no depth or stencil buffer. False when
// there is no display to open.
bool CarbonInitVideo();

// Makes a window whose content has the size of theBounds, placed at its top-left (global
// coordinates); it becomes the front window.
OSStatus CreateNewWindow(WindowClass theClass, WindowAttributes theAttributes, const Rect* theBounds,
                         WindowRef* theWindow);
void DisposeWindow(WindowRef theWindow);
void ShowWindow(WindowRef theWindow);
WindowRef FrontWindow();
void SelectWindow(WindowRef theWindow);

void SizeWindow(WindowRef theWindow, int16_t theWidth, int16_t theHeight, Boolean theUpdate);
OSStatus RepositionWindow(WindowRef theWindow, WindowRef theParent, uint32_t theMethod);
// Content (33) or structure (32) bounds in global coordinates.
OSStatus GetWindowBounds(WindowRef theWindow, WindowRegionCode theRegion, Rect* theBounds);
OSStatus SetWindowBounds(WindowRef theWindow, WindowRegionCode theRegion, const Rect* theBounds);
// The port's bounds: (0, 0) to the content size.
Rect* GetWindowPortBounds(WindowRef theWindow, Rect* theBounds);
CGrafPtr GetWindowPort(WindowRef theWindow);
// Frame widths around the content; windows here have none.
OSStatus GetWindowStructureWidths(WindowRef theWindow, Rect* theWidths);
void SetWRefCon(WindowRef theWindow, long theRefCon);
long GetWRefCon(WindowRef theWindow);

void GetPort(GrafPtr* thePort);
void SetPort(GrafPtr thePort);
void LocalToGlobal(Point* thePoint);

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

// Carbon windows as the framework calls them: creation, properties, title, showing, bounds,
// collapsing, the window list and the window under the pointer. The frame is drawn by the
// system's window manager, so custom window definitions only name the window.
#pragma once

#include "platform/carbon/CarbonEvents.h"

typedef UInt32 WindowClass;
typedef UInt32 WindowAttributes;
typedef UInt16 WindowRegionCode;
typedef SInt16 WindowPartCode;
typedef OSType PropertyCreator;
typedef OSType PropertyTag;

enum : WindowClass { kDocumentWindowClass = 6, kPlainWindowClass = 13 };
enum : WindowAttributes {
  kWindowCloseBoxAttribute = 1u << 0,
  kWindowCollapseBoxAttribute = 1u << 3,
  kWindowStandardHandlerAttribute = 1u << 25,
};
enum : WindowRegionCode { kWindowStructureRgn = 32, kWindowContentRgn = 33 };
enum : WindowPartCode { inNoWindow = 0, inMenuBar = 1, inContent = 3, inDrag = 4 };

// A window definition naming a toolbox object class (custom window class).
struct WindowDefSpec {
  UInt32 defType;
  const char* classID;
};
enum : UInt32 { kWindowDefObjectClass = 2 };

OSStatus RegisterAppearanceClient();
OSStatus CreateNewWindow(WindowClass theClass, WindowAttributes theAttributes, const Rect* theContentBounds,
                         WindowRef* outWindow);
OSStatus CreateCustomWindow(const WindowDefSpec* theDef, WindowClass theClass, WindowAttributes theAttributes,
                            const Rect* theContentBounds, WindowRef* outWindow);
// Sends the window-closed event to the window, then destroys it.
void DisposeWindow(WindowRef theWindow);

OSStatus SetWindowProperty(WindowRef theWindow, PropertyCreator theCreator, PropertyTag theTag,
                           ByteCount theSize, const void* theBuffer);
OSStatus GetWindowProperty(WindowRef theWindow, PropertyCreator theCreator, PropertyTag theTag,
                           ByteCount theBufferSize, ByteCount* outActualSize, void* outBuffer);
OSStatus RemoveWindowProperty(WindowRef theWindow, PropertyCreator theCreator, PropertyTag theTag);

// The title as a byte string in the system encoding.
OSStatus SetWindowTitleWithCString(WindowRef theWindow, const char* theTitle);
void SetWRefCon(WindowRef theWindow, SRefCon theData);
SRefCon GetWRefCon(WindowRef theWindow);

void ShowWindow(WindowRef theWindow);
void HideWindow(WindowRef theWindow);
// Brings the window to the front and gives it the keyboard.
void SelectWindow(WindowRef theWindow);
Boolean IsWindowVisible(WindowRef theWindow);
Boolean IsWindowCollapsed(WindowRef theWindow);
OSStatus CollapseWindow(WindowRef theWindow, Boolean collapse);

// Global coordinates; the structure is the content plus the title bar above it.
OSStatus GetWindowBounds(WindowRef theWindow, WindowRegionCode theRegion, Rect* outBounds);
// Moves the content's top-left to (h, v).
void MoveWindow(WindowRef theWindow, SInt16 h, SInt16 v, Boolean bringToFront);
void SizeWindow(WindowRef theWindow, SInt16 width, SInt16 height, Boolean update);

// The window list, front to back (visible or not).
WindowRef FrontWindow();
WindowRef FrontNonFloatingWindow();
WindowRef GetNextWindow(WindowRef theWindow);

// The pointer in global coordinates, and what lies under a global point.
void GetGlobalMouse(Point* outPoint);
WindowPartCode FindWindow(Point thePoint, WindowRef* outWindow);

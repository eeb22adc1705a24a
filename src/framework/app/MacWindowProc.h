// The bridge from Carbon events to window messages: the game window, the handlers on the window
// and on the application, the key table, and the automatic hiding of the cursor over the window.
#pragma once

#include <cstdint>

#include "app/WindowMessages.h"
#include "platform/carbon/AppleEvents.h"
#include "platform/carbon/CarbonEvents.h"

// Mac virtual key code to framework key code (Win32 virtual-key numbering); 0 = no key.
extern const uint32_t TranslatedCodes[128];

extern bool g_AutoEnforceCursor;
extern bool g_CursorShouldBeVisible;
extern int g_UseCustomWindow;
extern int g_UseWindowClass;

// The framework key code of a Mac virtual key code; codes of 128 and above have none.
uint32_t TranslateMacKeyCode(uint32_t theMacKeyCode);

// Creates the window with its content at (x, y), installs the handlers (the application's once
// for the program) with windowProc as their data, and sends it the create message.
// False, with *outWindow null, when no window could be made.
bool MacCreateWindow(int x, int y, int width, int height, const char* title, TeskWindowProcPtr windowProc,
                     void* createParam, WindowRef* outWindow);

void SetAutoEnforceCursor(bool on);
void ShowCursor(bool visible);

OSStatus GameWndProc(EventHandlerCallRef theCallRef, EventRef theEvent, void* theUserData);
OSStatus GameAppProc(EventHandlerCallRef theCallRef, EventRef theEvent, void* theUserData);

// The quit Apple event: the first one shuts the application object (the refcon) down; any
// later one ends the process at once.
OSErr HandleQuitApplication(const AppleEvent* theEvent, AppleEvent* theReply, SRefCon theRefcon);

// Carbon calls the display code makes beyond the windows themselves (which are the Carbon
// stand-in's, over SDL2 windows that can carry OpenGL contexts): the menu bar, the system UI
// mode, the alert sound and the debugger hooks.
#pragma once

#include <SDL.h>

#include <string>

#include "platform/carbon/CarbonWindows.h"
#include "platform/carbon/backend/SdlBackend.h"
#include "platform/carbonwindow/MacTypes.h"

enum : uint32_t { kUIModeNormal = 0, kUIModeAllHidden = 3 };
enum : uint32_t { kUIOptionDisableProcessSwitch = 8 };

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

// Theme cursors and the system cursor's visibility.
#pragma once

#include "platform/carbon/CarbonTypes.h"

typedef UInt32 ThemeCursor;
enum : ThemeCursor {
  kThemeArrowCursor = 0,
  kThemeIBeamCursor = 4,
  kThemeClosedHandCursor = 8,
  kThemePointingHandCursor = 10,
  kThemeNotAllowedCursor = 18,
};

typedef UInt32 CGDirectDisplayID;
constexpr CGDirectDisplayID kCGDirectMainDisplay = 0;

OSStatus SetThemeCursor(ThemeCursor theCursor);
int32_t CGDisplayHideCursor(CGDirectDisplayID theDisplay);
int32_t CGDisplayShowCursor(CGDirectDisplayID theDisplay);
Boolean CGCursorIsVisible();

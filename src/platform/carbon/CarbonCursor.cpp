// Cursor calls go straight to the back end.
#include "platform/carbon/CarbonCursor.h"

#include "platform/carbon/CarbonBackend.h"

OSStatus SetThemeCursor(ThemeCursor theCursor) {
  GetCarbonBackend().SetCursorShape(theCursor);
  return noErr;
}

int32_t CGDisplayHideCursor(CGDirectDisplayID) {
  GetCarbonBackend().SetCursorVisible(false);
  return 0;
}

int32_t CGDisplayShowCursor(CGDirectDisplayID) {
  GetCarbonBackend().SetCursorVisible(true);
  return 0;
}

Boolean CGCursorIsVisible() { return GetCarbonBackend().IsCursorVisible(); }

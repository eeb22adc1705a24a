// Builds the Carbon events that native input turns into and posts them to the main queue.
// Both back ends use it, and tests use it to inject input.
#pragma once

#include "platform/carbon/AppleEvents.h"
#include "platform/carbon/CarbonEvents.h"

class CarbonEventSource {
 public:
  // Mouse down, up, moved or dragged at a point of the window's content.
  static void PostMouse(WindowRef theWindow, UInt32 theKind, int theX, int theY, EventMouseButton theButton,
                        UInt32 theClickCount, UInt32 theModifiers);
  // theDelta lines, positive away from the user.
  static void PostWheel(WindowRef theWindow, int theX, int theY, SInt32 theDelta, UInt32 theModifiers);
  // Raw key down or up with the Mac virtual key code and the Mac character code.
  static void PostRawKey(UInt32 theKind, UInt32 theKeyCode, unsigned char theCharCode, UInt32 theModifiers);
  // The complete modifier state after a modifier key went down or up.
  static void PostModifiersChanged(UInt32 theModifiers);
  // A window event with no parameters beyond the window.
  static void PostWindowEvent(WindowRef theWindow, UInt32 theKind);
  static void PostBoundsChanged(WindowRef theWindow, UInt32 theAttributes);
  static void PostApplicationEvent(UInt32 theKind);
  static void PostAppleEvent(AEEventClass theClass, AEEventID theID);
};

// Virtual key codes as the widgets see them (Windows-style numbers).
#pragma once

namespace Tesk {

enum KeyCode : int {
  KEYCODE_UNKNOWN = 0,
  KEYCODE_BACK = 8,
  KEYCODE_TAB = 9,
  KEYCODE_RETURN = 13,
  KEYCODE_SHIFT = 16,
  KEYCODE_CONTROL = 17,
  KEYCODE_COMMAND = 18,  // Command and Option; the platform layer maps Alt and Super here
  KEYCODE_END = 35,
  KEYCODE_HOME = 36,
  KEYCODE_LEFT = 37,
  KEYCODE_RIGHT = 39,
  KEYCODE_DELETE = 46,
  KEYCODE_ASCIIBEGIN = 65,  // 'A'
  KEYCODE_ASCIIEND = 90,    // 'Z'
};

}  // namespace Tesk

#include "platform/carbon/backend/SdlKeyMap.h"

#include <cctype>

namespace {

struct KeyEntry {
  SDL_Scancode mScancode;
  UInt32 mMacCode;
};

const KeyEntry k_Keys[] = {
    {SDL_SCANCODE_A, 0},
    {SDL_SCANCODE_S, 1},
    {SDL_SCANCODE_D, 2},
    {SDL_SCANCODE_F, 3},
    {SDL_SCANCODE_H, 4},
    {SDL_SCANCODE_G, 5},
    {SDL_SCANCODE_Z, 6},
    {SDL_SCANCODE_X, 7},
    {SDL_SCANCODE_C, 8},
    {SDL_SCANCODE_V, 9},
    {SDL_SCANCODE_NONUSBACKSLASH, 10},
    {SDL_SCANCODE_B, 11},
    {SDL_SCANCODE_Q, 12},
    {SDL_SCANCODE_W, 13},
    {SDL_SCANCODE_E, 14},
    {SDL_SCANCODE_R, 15},
    {SDL_SCANCODE_Y, 16},
    {SDL_SCANCODE_T, 17},
    {SDL_SCANCODE_1, 18},
    {SDL_SCANCODE_2, 19},
    {SDL_SCANCODE_3, 20},
    {SDL_SCANCODE_4, 21},
    {SDL_SCANCODE_6, 22},
    {SDL_SCANCODE_5, 23},
    {SDL_SCANCODE_EQUALS, 24},
    {SDL_SCANCODE_9, 25},
    {SDL_SCANCODE_7, 26},
    {SDL_SCANCODE_MINUS, 27},
    {SDL_SCANCODE_8, 28},
    {SDL_SCANCODE_0, 29},
    {SDL_SCANCODE_RIGHTBRACKET, 30},
    {SDL_SCANCODE_O, 31},
    {SDL_SCANCODE_U, 32},
    {SDL_SCANCODE_LEFTBRACKET, 33},
    {SDL_SCANCODE_I, 34},
    {SDL_SCANCODE_P, 35},
    {SDL_SCANCODE_RETURN, 36},
    {SDL_SCANCODE_L, 37},
    {SDL_SCANCODE_J, 38},
    {SDL_SCANCODE_APOSTROPHE, 39},
    {SDL_SCANCODE_K, 40},
    {SDL_SCANCODE_SEMICOLON, 41},
    {SDL_SCANCODE_BACKSLASH, 42},
    {SDL_SCANCODE_COMMA, 43},
    {SDL_SCANCODE_SLASH, 44},
    {SDL_SCANCODE_N, 45},
    {SDL_SCANCODE_M, 46},
    {SDL_SCANCODE_PERIOD, 47},
    {SDL_SCANCODE_TAB, 48},
    {SDL_SCANCODE_SPACE, 49},
    {SDL_SCANCODE_GRAVE, 50},
    {SDL_SCANCODE_BACKSPACE, 51},
    {SDL_SCANCODE_ESCAPE, 53},
    {SDL_SCANCODE_LGUI, 55},
    {SDL_SCANCODE_LSHIFT, 56},
    {SDL_SCANCODE_CAPSLOCK, 57},
    {SDL_SCANCODE_LALT, 58},
    {SDL_SCANCODE_LCTRL, 59},
    {SDL_SCANCODE_RSHIFT, 60},
    {SDL_SCANCODE_RALT, 61},
    {SDL_SCANCODE_RCTRL, 62},
    {SDL_SCANCODE_RGUI, 54},
    {SDL_SCANCODE_KP_PERIOD, 65},
    {SDL_SCANCODE_KP_MULTIPLY, 67},
    {SDL_SCANCODE_KP_PLUS, 69},
    {SDL_SCANCODE_NUMLOCKCLEAR, 71},
    {SDL_SCANCODE_KP_DIVIDE, 75},
    {SDL_SCANCODE_KP_ENTER, 76},
    {SDL_SCANCODE_KP_MINUS, 78},
    {SDL_SCANCODE_KP_EQUALS, 81},
    {SDL_SCANCODE_KP_0, 82},
    {SDL_SCANCODE_KP_1, 83},
    {SDL_SCANCODE_KP_2, 84},
    {SDL_SCANCODE_KP_3, 85},
    {SDL_SCANCODE_KP_4, 86},
    {SDL_SCANCODE_KP_5, 87},
    {SDL_SCANCODE_KP_6, 88},
    {SDL_SCANCODE_KP_7, 89},
    {SDL_SCANCODE_KP_8, 91},
    {SDL_SCANCODE_KP_9, 92},
    {SDL_SCANCODE_F5, 96},
    {SDL_SCANCODE_F6, 97},
    {SDL_SCANCODE_F7, 98},
    {SDL_SCANCODE_F3, 99},
    {SDL_SCANCODE_F8, 100},
    {SDL_SCANCODE_F9, 101},
    {SDL_SCANCODE_F11, 103},
    {SDL_SCANCODE_F13, 105},
    {SDL_SCANCODE_F16, 106},
    {SDL_SCANCODE_F14, 107},
    {SDL_SCANCODE_F10, 109},
    {SDL_SCANCODE_F12, 111},
    {SDL_SCANCODE_F15, 113},
    {SDL_SCANCODE_INSERT, 114},
    {SDL_SCANCODE_HOME, 115},
    {SDL_SCANCODE_PAGEUP, 116},
    {SDL_SCANCODE_DELETE, 117},
    {SDL_SCANCODE_F4, 118},
    {SDL_SCANCODE_END, 119},
    {SDL_SCANCODE_F2, 120},
    {SDL_SCANCODE_PAGEDOWN, 121},
    {SDL_SCANCODE_F1, 122},
    {SDL_SCANCODE_LEFT, 123},
    {SDL_SCANCODE_RIGHT, 124},
    {SDL_SCANCODE_DOWN, 125},
    {SDL_SCANCODE_UP, 126},
};

}  // namespace

UInt32 SdlScancodeToMacKeyCode(SDL_Scancode theScancode) {
  for (const KeyEntry& anEntry : k_Keys) {
    if (anEntry.mScancode == theScancode) return anEntry.mMacCode;
  }
  return 0xFF;
}

bool IsSdlModifierKey(SDL_Scancode theScancode) {
  switch (theScancode) {
    case SDL_SCANCODE_LSHIFT:
    case SDL_SCANCODE_RSHIFT:
    case SDL_SCANCODE_LCTRL:
    case SDL_SCANCODE_RCTRL:
    case SDL_SCANCODE_LALT:
    case SDL_SCANCODE_RALT:
    case SDL_SCANCODE_LGUI:
    case SDL_SCANCODE_RGUI:
    case SDL_SCANCODE_CAPSLOCK:
      return true;
    default:
      return false;
  }
}

UInt32 SdlModToMacModifiers(Uint16 theMod) {
  UInt32 aModifiers = 0;
  if (theMod & KMOD_GUI) aModifiers |= 0x100;
  if (theMod & KMOD_SHIFT) aModifiers |= 0x200;
  if (theMod & KMOD_CAPS) aModifiers |= 0x400;
  if (theMod & KMOD_ALT) aModifiers |= 0x800;
  if (theMod & KMOD_CTRL) aModifiers |= 0x1000;
  return aModifiers;
}

unsigned char SdlKeyToMacCharCode(SDL_Keycode theKey, SDL_Scancode theScancode, Uint16 theMod) {
  switch (theScancode) {
    case SDL_SCANCODE_RETURN:
      return 13;
    case SDL_SCANCODE_KP_ENTER:
      return 3;
    case SDL_SCANCODE_TAB:
      return 9;
    case SDL_SCANCODE_BACKSPACE:
      return 8;
    case SDL_SCANCODE_ESCAPE:
      return 27;
    case SDL_SCANCODE_LEFT:
      return 28;
    case SDL_SCANCODE_RIGHT:
      return 29;
    case SDL_SCANCODE_UP:
      return 30;
    case SDL_SCANCODE_DOWN:
      return 31;
    case SDL_SCANCODE_DELETE:
      return 127;
    case SDL_SCANCODE_HOME:
      return 1;
    case SDL_SCANCODE_END:
      return 4;
    case SDL_SCANCODE_PAGEUP:
      return 11;
    case SDL_SCANCODE_PAGEDOWN:
      return 12;
    case SDL_SCANCODE_INSERT:
      return 5;  // the Mac's Help key
    case SDL_SCANCODE_KP_0:
    case SDL_SCANCODE_KP_1:
    case SDL_SCANCODE_KP_2:
    case SDL_SCANCODE_KP_3:
    case SDL_SCANCODE_KP_4:
    case SDL_SCANCODE_KP_5:
    case SDL_SCANCODE_KP_6:
    case SDL_SCANCODE_KP_7:
    case SDL_SCANCODE_KP_8:
    case SDL_SCANCODE_KP_9:
      return static_cast<unsigned char>(
          '0' + (theScancode == SDL_SCANCODE_KP_0 ? 0 : theScancode - SDL_SCANCODE_KP_1 + 1));
    case SDL_SCANCODE_KP_PLUS:
      return '+';
    case SDL_SCANCODE_KP_MINUS:
      return '-';
    case SDL_SCANCODE_KP_MULTIPLY:
      return '*';
    case SDL_SCANCODE_KP_DIVIDE:
      return '/';
    case SDL_SCANCODE_KP_PERIOD:
      return '.';
    case SDL_SCANCODE_KP_EQUALS:
      return '=';
    default:
      break;
  }
  if ((theScancode >= SDL_SCANCODE_F1 && theScancode <= SDL_SCANCODE_F12) ||
      (theScancode >= SDL_SCANCODE_F13 && theScancode <= SDL_SCANCODE_F16)) {
    return 16;
  }
  if (theKey <= 0 || theKey >= 127) return 0;
  unsigned char aChar = static_cast<unsigned char>(theKey);
  if (std::isalpha(aChar)) {
    if (theMod & KMOD_CTRL) return static_cast<unsigned char>(std::tolower(aChar) & 0x1F);
    bool anUpper = ((theMod & KMOD_SHIFT) != 0) != ((theMod & KMOD_CAPS) != 0);
    return static_cast<unsigned char>(anUpper ? std::toupper(aChar) : std::tolower(aChar));
  }
  return aChar;
}

bool SdlKeyMakesText(SDL_Keycode theKey, Uint16 theMod) {
  if (theMod & (KMOD_CTRL | KMOD_ALT | KMOD_GUI)) return false;
  return theKey >= 32 && theKey < 127;
}

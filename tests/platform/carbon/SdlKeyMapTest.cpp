#include <gtest/gtest.h>

#include "platform/coreservices/MacRoman.h"
#include "platform/carbon/backend/SdlKeyMap.h"

namespace {

TEST(SdlKeyMap, KeysLandOnTheirMacCodes) {
  struct Case {
    SDL_Scancode scancode;
    UInt32 mac;
  };
  const Case kCases[] = {
      {SDL_SCANCODE_A, 0},
      {SDL_SCANCODE_Z, 6},
      {SDL_SCANCODE_5, 23},
      {SDL_SCANCODE_EQUALS, 24},
      {SDL_SCANCODE_RETURN, 36},
      {SDL_SCANCODE_TAB, 48},
      {SDL_SCANCODE_GRAVE, 50},
      {SDL_SCANCODE_BACKSPACE, 51},
      {SDL_SCANCODE_ESCAPE, 53},
      {SDL_SCANCODE_KP_7, 89},
      {SDL_SCANCODE_KP_8, 91},
      {SDL_SCANCODE_KP_ENTER, 76},
      {SDL_SCANCODE_F1, 122},
      {SDL_SCANCODE_F12, 111},
      {SDL_SCANCODE_HOME, 115},
      {SDL_SCANCODE_DELETE, 117},
      {SDL_SCANCODE_LEFT, 123},
      {SDL_SCANCODE_UP, 126},
      {SDL_SCANCODE_PRINTSCREEN, 0xFF},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(SDL_GetScancodeName(c.scancode));
    EXPECT_EQ(SdlScancodeToMacKeyCode(c.scancode), c.mac);
  }
}

TEST(SdlKeyMap, KeysCarryMacCharacterCodes) {
  struct Case {
    const char* what;
    SDL_Keycode key;
    SDL_Scancode scancode;
    Uint16 mod;
    unsigned char mac;
  };
  const Case kCases[] = {
      {"return", SDLK_RETURN, SDL_SCANCODE_RETURN, 0, 13},
      {"keypad enter", SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER, 0, 3},
      {"tab", SDLK_TAB, SDL_SCANCODE_TAB, 0, 9},
      {"backspace", SDLK_BACKSPACE, SDL_SCANCODE_BACKSPACE, 0, 8},
      {"escape", SDLK_ESCAPE, SDL_SCANCODE_ESCAPE, 0, 27},
      {"left", SDLK_LEFT, SDL_SCANCODE_LEFT, 0, 28},
      {"right", SDLK_RIGHT, SDL_SCANCODE_RIGHT, 0, 29},
      {"up", SDLK_UP, SDL_SCANCODE_UP, 0, 30},
      {"down", SDLK_DOWN, SDL_SCANCODE_DOWN, 0, 31},
      {"delete", SDLK_DELETE, SDL_SCANCODE_DELETE, 0, 127},
      {"home", SDLK_HOME, SDL_SCANCODE_HOME, 0, 1},
      {"end", SDLK_END, SDL_SCANCODE_END, 0, 4},
      {"page up", SDLK_PAGEUP, SDL_SCANCODE_PAGEUP, 0, 11},
      {"page down", SDLK_PAGEDOWN, SDL_SCANCODE_PAGEDOWN, 0, 12},
      {"F5", SDLK_F5, SDL_SCANCODE_F5, 0, 16},
      {"a", SDLK_a, SDL_SCANCODE_A, 0, 'a'},
      {"shift a", SDLK_a, SDL_SCANCODE_A, KMOD_LSHIFT, 'A'},
      {"caps a", SDLK_a, SDL_SCANCODE_A, KMOD_CAPS, 'A'},
      {"control c", SDLK_c, SDL_SCANCODE_C, KMOD_LCTRL, 3},
      {"alt c", SDLK_c, SDL_SCANCODE_C, KMOD_LALT, 'c'},  // copy listens for Alt + 'c'
      {"command v", SDLK_v, SDL_SCANCODE_V, KMOD_LGUI, 'v'},
      {"keypad 0", SDLK_KP_0, SDL_SCANCODE_KP_0, 0, '0'},
      {"keypad 9", SDLK_KP_9, SDL_SCANCODE_KP_9, 0, '9'},
      {"digit", SDLK_7, SDL_SCANCODE_7, 0, '7'},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(SdlKeyToMacCharCode(c.key, c.scancode, c.mod), c.mac);
  }
}

TEST(SdlKeyMap, ModifiersBecomeCarbonBits) {
  EXPECT_EQ(SdlModToMacModifiers(KMOD_LGUI), 0x100u);
  EXPECT_EQ(SdlModToMacModifiers(KMOD_RSHIFT), 0x200u);
  EXPECT_EQ(SdlModToMacModifiers(KMOD_CAPS), 0x400u);
  EXPECT_EQ(SdlModToMacModifiers(KMOD_RALT), 0x800u);
  EXPECT_EQ(SdlModToMacModifiers(KMOD_LCTRL | KMOD_LSHIFT), 0x1200u);
  EXPECT_TRUE(IsSdlModifierKey(SDL_SCANCODE_CAPSLOCK));
  EXPECT_FALSE(IsSdlModifierKey(SDL_SCANCODE_A));
  EXPECT_TRUE(SdlKeyMakesText(SDLK_a, KMOD_LSHIFT));
  EXPECT_FALSE(SdlKeyMakesText(SDLK_a, KMOD_LCTRL));
  EXPECT_FALSE(SdlKeyMakesText(SDLK_RETURN, 0));
}

TEST(MacRoman, RoundTripsTheHighHalf) {
  for (int aByte = 0; aByte < 256; ++aByte) {
    EXPECT_EQ(UnicodeToMacRoman(MacRomanToUnicode(static_cast<unsigned char>(aByte))), aByte);
  }
  EXPECT_EQ(UnicodeToMacRoman(0xE9), 0x8E);    // é
  EXPECT_EQ(UnicodeToMacRoman(0x20AC), 0xDB);  // €
  EXPECT_EQ(UnicodeToMacRoman(0x4E2D), 0);     // no such character
}

}  // namespace

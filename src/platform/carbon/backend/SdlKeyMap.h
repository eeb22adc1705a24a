// What a key of an SDL keyboard is on a Mac: its virtual key code, its modifier bit and the Mac
// character code a key press carries when the system gives no text for it.
#pragma once

#include <SDL.h>

#include "platform/carbon/CarbonTypes.h"

// The Mac virtual key code of a key; 0xFF for keys a Mac keyboard lacks.
UInt32 SdlScancodeToMacKeyCode(SDL_Scancode theScancode);

// True for Shift, Control, Alt, the Windows/Command keys and Caps Lock: they report only
// through the modifier state.
bool IsSdlModifierKey(SDL_Scancode theScancode);

// The Carbon modifier bits of an SDL modifier state.
UInt32 SdlModToMacModifiers(Uint16 theMod);

// The character a key makes under the given modifiers, as the Mac gives it: control keys have
// their Mac codes (Return 13, Enter 3, arrows 28-31, Delete 127, Home 1, End 4, Page Up 11,
// Page Down 12, F-keys 16), Control with a letter the control code, Alt and Command with a letter
// the plain letter. 0 when the key makes no character.
unsigned char SdlKeyToMacCharCode(SDL_Keycode theKey, SDL_Scancode theScancode, Uint16 theMod);

// True when a press of the key under these modifiers brings a text event with its character.
bool SdlKeyMakesText(SDL_Keycode theKey, Uint16 theMod);

// Numbers of the demo file and of the commands in its stream. Every command
// starts with 4 bits of ticks since the previous one, a kind bit (1 short) and
// its number: 1 bit for short commands, 5 bits for long ones. The preference
// reads and writes (11, 12) are numbered in core/Registry.h.
#pragma once

#include <cstdint>

namespace Tesk {

const uint32_t DEMO_FILE_ID = 0x42BEEF78;
const int32_t DEMO_VERSION = 2;

// Short commands.
enum : int {
  DEMO_MOUSE_SHORTMOVE = 0,  // dx, dy: 6 bits signed each
  DEMO_MOUSE_BUTTON = 1,     // down: 1 bit; button: 3 bits signed
};

// Long commands.
enum : int {
  DEMO_MOUSE_POSITION = 0,    // x, y: 12 bits each
  DEMO_ACTIVATE_APP = 1,      // active: 1 bit
  DEMO_SIZE = 2,              // minimised: a whole byte
  DEMO_KEY_DOWN = 3,          // key: 8 bits
  DEMO_KEY_UP = 4,            // key: 8 bits
  DEMO_KEY_CHAR = 5,          // wide: 1 bit; the character in 8 or 16 bits
  DEMO_CLOSE = 6,             //
  DEMO_MOUSE_ENTER = 7,       //
  DEMO_MOUSE_EXIT = 8,        //
  DEMO_LOADING_COMPLETE = 9,  //
  DEMO_SYNC = 18,             // length: 32 bits, then the bytes
  DEMO_MOUSE_WHEEL = 21,      // delta: 8 bits signed
  DEMO_VIDEO_DATA = 23,       // windowed: a whole byte; refresh rate: a byte
  DEMO_IDLE = 31,             // nothing; fills gaps of more than 15 ticks
};

const int k_DemoMaxTimingTicks = 15;

}  // namespace Tesk

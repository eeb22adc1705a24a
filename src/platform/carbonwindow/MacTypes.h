// The few Mac value types the display code is written against.
#pragma once

#include <cstdint>

typedef int32_t OSStatus;
typedef int16_t OSErr;
typedef char* Ptr;
typedef unsigned char Boolean;

enum : int32_t { noErr = 0, paramErr = -50 };

// QuickDraw rectangle: 16-bit edges, top and left inclusive.
struct Rect {
  int16_t top;
  int16_t left;
  int16_t bottom;
  int16_t right;
};

// QuickDraw point.
struct Point {
  int16_t v;
  int16_t h;
};

// True when the two rectangles overlap; theOut is the overlap (all 0 when empty).
bool SectRect(const Rect* theA, const Rect* theB, Rect* theOut);

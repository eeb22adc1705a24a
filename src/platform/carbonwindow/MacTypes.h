// The few Mac value types the display code is written against; they are the Carbon stand-in's.
#pragma once

#include "platform/carbon/CarbonTypes.h"

typedef char* Ptr;

// True when the two rectangles overlap; theOut is the overlap (all 0 when empty).
bool SectRect(const Rect* theA, const Rect* theB, Rect* theOut);

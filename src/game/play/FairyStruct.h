// One glowing speck of a fairy swarm.
#pragma once

#include <cstdint>

#include "game/play/Spline.h"

struct FairyStruct {
  uint8_t mActive = 0;
  uint8_t mLit : 1;
  uint16_t mLitTimer = 0;  // updates until the light toggles
  uint16_t mSize = 0;      // pixels
  uint8_t mFrame = 0;      // 0-11
  uint8_t mFrameTick = 0;
  Spline mPath;

  FairyStruct() : mLit(0) {}
};

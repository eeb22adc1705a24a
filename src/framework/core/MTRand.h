// The process's one random generator: MT19937 with 31-bit results. A recorded
// demo replays the same numbers from the same seed, so code whose call rate
// differs between recording and replay (drawing, deferred deletion) must not
// draw; MTAutoDisallowRand marks such code.
#pragma once

#include <cstdint>

namespace Tesk {

class MTRand {
 public:
  MTRand();

  // A seed of 0 means 4357.
  void SRand(uint32_t theSeed);
  // Checks that drawing is allowed, then draws.
  uint32_t Next();
  // Draws without the check (0 .. 2^31-1).
  uint32_t NextNoAssert();

  // false opens a disallow scope, true closes one.
  static void SetRandAllowed(bool allowed);

  static const int k_StateSize = 624;

  uint32_t mState[k_StateSize];
  int32_t mStateIndex;
};

extern MTRand gMTRand;
// Open disallow scopes; drawing is allowed only at 0.
extern int32_t gRandAllowed;

int Rand();
void SRand(uint32_t theSeed);

// (Rand() mod n) / thePrecision with n = trunc(theRange * thePrecision): a value
// in [0, theRange) in steps of 1/thePrecision. When n is 0 the draw is still
// taken (so replays stay in step) and the result is 0.
float RandF(float theRange, float thePrecision);
// From -theRange up to about +theRange in steps of 1/thePrecision; one draw.
float RandFSignedRange(float theRange, float thePrecision);
// An integer in [-theRange, theRange], as a float; one draw.
float RandFSignedRange(int theRange);

}  // namespace Tesk

// Core Services time and system queries: the up-time clock, its conversions,
// and Gestalt. Everything reads the clock through one Clock object so tests
// can swap in a scripted one.
#pragma once

#include <cstdint>

#include "platform/coreservices/MacTypes.h"

// Up time in nanoseconds; the system counts in its own unit, ours is the nanosecond.
typedef uint64_t AbsoluteTime;
typedef uint64_t Nanoseconds;
// Positive: milliseconds. Negative: microseconds, negated.
typedef int32_t Duration;

enum : OSErr { gestaltUndefSelectorErr = -5551 };

const OSType gestaltProcClkSpeed = MakeFourCharCode("pclk");
const OSType gestaltSystemVersion = MakeFourCharCode("sysv");

// The clock behind UpTime and every delay.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual AbsoluteTime Now() = 0;
  // Returns once Now() has reached theTime.
  virtual void SleepUntil(AbsoluteTime theTime) = 0;
};

// The clock in use: the system's monotonic clock unless a test installed another.
Clock& CoreServicesClock();
// theClock is borrowed; null puts the system clock back.
void SetCoreServicesClock(Clock* theClock);

AbsoluteTime UpTime();
Nanoseconds AbsoluteToNanoseconds(AbsoluteTime theTime);
// theLeft - theRight, in nanoseconds (0 when theRight is later).
Nanoseconds AbsoluteDeltaToNanoseconds(AbsoluteTime theLeft, AbsoluteTime theRight);
// Microseconds (negative) while they fit, else milliseconds, capped at 0x7FFFFFFF.
Duration NanosecondsToDuration(Nanoseconds theTime);
AbsoluteTime AddDurationToAbsolute(Duration theDuration, AbsoluteTime theTime);

// 'pclk': processor clock rate in Hz (capped to 32 bits); 'sysv': the kernel
// version as 0xMMmp. Other selectors give gestaltUndefSelectorErr.
OSErr Gestalt(OSType theSelector, int32_t* theResponse);

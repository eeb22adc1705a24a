// The system clock: CLOCK_MONOTONIC, sleeping with clock_nanosleep.
#pragma once

#include "platform/coreservices/CoreServices.h"

class MonotonicClock : public Clock {
 public:
  AbsoluteTime Now() override;
  void SleepUntil(AbsoluteTime theTime) override;
};

// A stopwatch with millisecond results over the up-time clock.
#pragma once

#include <cstdint>

#include "platform/coreservices/CoreServices.h"

namespace Tesk {

class PerfTimer {
 public:
  void Start();
  void Stop();
  // Measures first when running; milliseconds.
  double GetDuration();

  // The processor clock rate, asked once; never below 1.
  static int64_t GetCPUSpeed();

  AbsoluteTime mStart = 0;
  double mDuration = 0;
  bool mRunning = false;

 private:
  void CalcDuration();
};

}  // namespace Tesk

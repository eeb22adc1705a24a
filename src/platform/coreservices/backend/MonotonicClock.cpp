#include "platform/coreservices/backend/MonotonicClock.h"

#include <cerrno>
#include <ctime>

AbsoluteTime MonotonicClock::Now() {
  timespec aNow;
  clock_gettime(CLOCK_MONOTONIC, &aNow);
  return static_cast<AbsoluteTime>(aNow.tv_sec) * 1000000000u + static_cast<AbsoluteTime>(aNow.tv_nsec);
}

void MonotonicClock::SleepUntil(AbsoluteTime theTime) {
  timespec aUntil;
  aUntil.tv_sec = static_cast<time_t>(theTime / 1000000000u);
  aUntil.tv_nsec = static_cast<long>(theTime % 1000000000u);
  while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &aUntil, nullptr) == EINTR) {
  }
}

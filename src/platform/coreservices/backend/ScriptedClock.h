// A clock for tests: time moves only when told to, and sleeping moves it to the
// end of the sleep at once.
#pragma once

#include <atomic>

#include "platform/coreservices/CoreServices.h"

class ScriptedClock : public Clock {
 public:
  explicit ScriptedClock(AbsoluteTime theStart = 0) : mNow(theStart) {}

  AbsoluteTime Now() override { return mNow.load(); }
  void SleepUntil(AbsoluteTime theTime) override;

  void Set(AbsoluteTime theTime) { mNow.store(theTime); }
  void AdvanceMilliseconds(uint64_t theMillis) { mNow += theMillis * 1000000u; }
  void AdvanceNanoseconds(uint64_t theNanos) { mNow += theNanos; }

 private:
  std::atomic<AbsoluteTime> mNow;
};

#include "ScriptedCarbon.h"

#include <memory>

ScriptedClock& TestClock() {
  // A clock that starts at 0 would hide "no time yet" cases.
  static ScriptedClock sClock(1000000000);
  SetCoreServicesClock(&sClock);
  return sClock;
}

uint64_t NowMicros() { return UpTime() / 1000; }

ScriptedBackend& Scripted() {
  TestClock();
  static ScriptedBackend* sBackend = [] {
    auto aBackend = std::make_unique<ScriptedBackend>();
    ScriptedBackend* aRaw = aBackend.get();
    SetCarbonBackend(std::move(aBackend));
    return aRaw;
  }();
  return *sBackend;
}

void DrainQueue() {
  Scripted();
  EventRef anEvent = nullptr;
  while (ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent) == noErr) ReleaseEvent(anEvent);
}

#include "ScriptedCarbon.h"

#include <memory>

ScriptedBackend& Scripted() {
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

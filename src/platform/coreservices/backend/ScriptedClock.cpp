#include "platform/coreservices/backend/ScriptedClock.h"

void ScriptedClock::SleepUntil(AbsoluteTime theTime) {
  AbsoluteTime aNow = mNow.load();
  while (aNow < theTime && !mNow.compare_exchange_weak(aNow, theTime)) {
  }
}

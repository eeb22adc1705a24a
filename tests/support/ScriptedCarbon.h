// Tests of the Carbon layer run on the scripted back end and a scripted clock, installed once per binary on
// first use.
#pragma once

#include "platform/carbon/backend/ScriptedBackend.h"
#include "platform/coreservices/backend/ScriptedClock.h"

ScriptedBackend& Scripted();
// The Core Services clock of the binary, scripted too.
ScriptedClock& TestClock();
// Microseconds on that clock.
uint64_t NowMicros();

// Takes every waiting event off the main queue without dispatching it.
void DrainQueue();

// Every test of this folder runs on the scripted back end, installed once for the binary.
#pragma once

#include "platform/carbon/backend/ScriptedBackend.h"

ScriptedBackend& Scripted();

// Takes every waiting event off the main queue without dispatching it.
void DrainQueue();

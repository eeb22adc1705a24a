// Multiprocessing Services, as far as the framework uses them: tasks, task ids,
// delays and critical regions. Regions are re-entrant, as the display lock needs.
#pragma once

#include <cstdint>

#include "platform/coreservices/CoreServices.h"

typedef struct OpaqueMPCriticalRegionID* MPCriticalRegionID;
typedef uint32_t MPTaskID;
typedef OSStatus (*TaskProc)(void* theParameter);

enum : OSStatus {
  kMPInvalidIDErr = -29299,
  kMPTimeoutErr = -29296,
  kMPTaskCreationErr = -29298,
};

// Wait for ever.
const Duration kDurationForever = 0x7FFFFFFF;

OSStatus MPCreateCriticalRegion(MPCriticalRegionID* theRegion);
OSStatus MPDeleteCriticalRegion(MPCriticalRegionID theRegion);
// A timeout of kDurationForever waits; any other timeout only tries once.
OSStatus MPEnterCriticalRegion(MPCriticalRegionID theRegion, Duration theTimeout);
OSStatus MPExitCriticalRegion(MPCriticalRegionID theRegion);

// Starts theEntry(theParameter) on a new thread; the id goes to *theTask.
OSStatus MPCreateTask(TaskProc theEntry, void* theParameter, MPTaskID* theTask);
// Blocks until the task's entry has returned. Stands in for the termination
// notification queue: whoever owns a task must know it has stopped before
// tearing down what the task touches.
OSStatus MPWaitForTaskExit(MPTaskID theTask);
// A small number unique to the calling thread, stable for its life.
MPTaskID MPCurrentTaskID();
// Blocks until the up-time clock reaches theTime.
OSStatus MPDelayUntil(const AbsoluteTime* theTime);

#include "platform/mp/Multiprocessing.h"

#include <atomic>
#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>

struct OpaqueMPCriticalRegionID {
  std::recursive_mutex mMutex;
};

namespace {

struct TaskState {
  std::mutex mMutex;
  std::condition_variable mDone;
  bool mExited = false;
};

std::mutex& TaskTableLock() {
  static std::mutex sLock;
  return sLock;
}

std::map<MPTaskID, std::shared_ptr<TaskState>>& TaskTable() {
  static std::map<MPTaskID, std::shared_ptr<TaskState>> sTable;
  return sTable;
}

std::atomic<MPTaskID> sNextTaskId{1};

}  // namespace

OSStatus MPCreateCriticalRegion(MPCriticalRegionID* theRegion) {
  if (theRegion == nullptr) return kMPInvalidIDErr;
  *theRegion = new OpaqueMPCriticalRegionID;
  return 0;
}

OSStatus MPDeleteCriticalRegion(MPCriticalRegionID theRegion) {
  if (theRegion == nullptr) return kMPInvalidIDErr;
  delete theRegion;
  return 0;
}

OSStatus MPEnterCriticalRegion(MPCriticalRegionID theRegion, Duration theTimeout) {
  if (theRegion == nullptr) return kMPInvalidIDErr;
  if (theTimeout == kDurationForever) {
    theRegion->mMutex.lock();
    return 0;
  }
  return theRegion->mMutex.try_lock() ? 0 : kMPTimeoutErr;
}

OSStatus MPExitCriticalRegion(MPCriticalRegionID theRegion) {
  if (theRegion == nullptr) return kMPInvalidIDErr;
  theRegion->mMutex.unlock();
  return 0;
}

thread_local MPTaskID tTaskId = 0;

MPTaskID MPCurrentTaskID() {
  if (tTaskId == 0) tTaskId = sNextTaskId++;
  return tTaskId;
}

OSStatus MPCreateTask(TaskProc theEntry, void* theParameter, MPTaskID* theTask) {
  if (theEntry == nullptr || theTask == nullptr) return kMPTaskCreationErr;
  auto aState = std::make_shared<TaskState>();
  MPTaskID aId = sNextTaskId++;
  {
    std::lock_guard<std::mutex> aGuard(TaskTableLock());
    TaskTable()[aId] = aState;
  }
  try {
    std::thread aThread([aState, aId, theEntry, theParameter] {
      tTaskId = aId;
      theEntry(theParameter);
      std::lock_guard<std::mutex> aGuard(aState->mMutex);
      aState->mExited = true;
      aState->mDone.notify_all();
    });
    aThread.detach();
  } catch (const std::system_error&) {
    std::lock_guard<std::mutex> aGuard(TaskTableLock());
    TaskTable().erase(aId);
    return kMPTaskCreationErr;
  }
  *theTask = aId;
  return 0;
}

OSStatus MPWaitForTaskExit(MPTaskID theTask) {
  std::shared_ptr<TaskState> aState;
  {
    std::lock_guard<std::mutex> aGuard(TaskTableLock());
    auto anIt = TaskTable().find(theTask);
    if (anIt == TaskTable().end()) return kMPInvalidIDErr;
    aState = anIt->second;
  }
  {
    std::unique_lock<std::mutex> aLock(aState->mMutex);
    aState->mDone.wait(aLock, [&] { return aState->mExited; });
  }
  std::lock_guard<std::mutex> aGuard(TaskTableLock());
  TaskTable().erase(theTask);
  return 0;
}

OSStatus MPDelayUntil(const AbsoluteTime* theTime) {
  if (theTime == nullptr) return kMPInvalidIDErr;
  CoreServicesClock().SleepUntil(*theTime);
  return 0;
}

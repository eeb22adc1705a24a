// Events, handlers, targets, the main queue and the event-loop timers.
#include "platform/carbon/CarbonEvents.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/carbon/CarbonBackend.h"
#include "platform/carbon/CarbonWindows.h"
#include "platform/carbon/OpaqueWindowPtr.h"
#include "platform/coreservices/CoreServices.h"

namespace {

constexpr int k_MaxParams = 10;
constexpr ByteCount k_MaxParamSize = 24;

struct EventParam {
  OSType mName;
  OSType mType;
  ByteCount mSize;
  alignas(8) unsigned char mData[k_MaxParamSize];
};

}  // namespace

struct OpaqueEventRef {
  UInt32 mClass = 0;
  UInt32 mKind = 0;
  EventTime mWhen = 0.0;
  std::atomic<int> mRefCount{0};
  int mNumParams = 0;
  EventParam mParams[k_MaxParams];
};

struct OpaqueEventHandlerRef {
  EventTargetRef mTarget = nullptr;
  EventHandlerUPP mProc = nullptr;
  std::vector<EventTypeSpec> mTypes;
  void* mUserData = nullptr;
  bool mRemoved = false;
};

struct OpaqueEventTargetRef {
  ~OpaqueEventTargetRef() {
    for (OpaqueEventHandlerRef* aHandler : mHandlers) delete aHandler;
  }
  WindowRef mWindow = nullptr;  // null for the application and the dispatcher
  std::vector<OpaqueEventHandlerRef*> mHandlers;
  bool mDisposed = false;
};

struct OpaqueEventLoopTimerRef {
  EventLoopTimerUPP mProc = nullptr;
  void* mUserData = nullptr;
  uint64_t mNextFire = 0;
  uint64_t mInterval = 0;  // 0: fires once
  bool mRemoved = false;
};

struct OpaqueEventQueueRef {
  ~OpaqueEventQueueRef() {
    for (EventRef anEvent : mEvents) delete anEvent;
  }
  std::mutex mLock;
  std::deque<EventRef> mEvents;
};

struct OpaqueEventLoopRef {
  ~OpaqueEventLoopRef() {
    for (OpaqueEventLoopTimerRef* aTimer : mTimers) delete aTimer;
  }
  std::vector<OpaqueEventLoopTimerRef*> mTimers;
  int mFiring = 0;
};

namespace {

uint64_t NowMicroseconds() { return AbsoluteToNanoseconds(UpTime()) / 1000; }

// Events are made for every timer tick; reusing them keeps the loop free of allocations.
std::mutex sEventPoolLock;
std::vector<std::unique_ptr<OpaqueEventRef>> sEventPool;

OpaqueEventTargetRef sApplicationTarget;
OpaqueEventTargetRef sDispatcherTarget;
OpaqueEventQueueRef sMainQueue;
OpaqueEventLoopRef sMainLoop;

// Handlers and targets removed while an event is being dispatched are freed afterwards.
int sDispatchDepth = 0;
std::vector<EventTargetRef> sDeadTargets;

std::atomic<bool> sFrontProcess{true};

EventParam* FindParam(EventRef theEvent, OSType theName) {
  for (int i = 0; i < theEvent->mNumParams; ++i) {
    if (theEvent->mParams[i].mName == theName) return &theEvent->mParams[i];
  }
  return nullptr;
}

bool Matches(const OpaqueEventHandlerRef* theHandler, UInt32 theClass, UInt32 theKind) {
  for (const EventTypeSpec& aSpec : theHandler->mTypes) {
    if (aSpec.eventClass == theClass && aSpec.eventKind == theKind) return true;
  }
  return false;
}

void Sweep() {
  auto aSweepList = [](std::vector<OpaqueEventHandlerRef*>& theList) {
    auto aEnd = std::remove_if(theList.begin(), theList.end(), [](OpaqueEventHandlerRef* h) {
      if (!h->mRemoved) return false;
      delete h;
      return true;
    });
    theList.erase(aEnd, theList.end());
  };
  aSweepList(sApplicationTarget.mHandlers);
  aSweepList(sDispatcherTarget.mHandlers);
  for (WindowRef aWindow = FrontWindow(); aWindow != nullptr; aWindow = GetNextWindow(aWindow)) {
    aSweepList(aWindow->mTarget->mHandlers);
  }
  for (EventTargetRef aTarget : sDeadTargets) delete aTarget;
  sDeadTargets.clear();
}

WindowRef WindowParam(EventRef theEvent, OSType theName) {
  WindowRef aWindow = nullptr;
  if (GetEventParameter(theEvent, theName, typeWindowRef, nullptr, sizeof(aWindow), nullptr, &aWindow) !=
      noErr) {
    return nullptr;
  }
  return aWindow;
}

WindowRef FocusWindow() {
  for (WindowRef aWindow = FrontWindow(); aWindow != nullptr; aWindow = GetNextWindow(aWindow)) {
    if (IsWindowVisible(aWindow)) return aWindow;
  }
  return nullptr;
}

// A mouse event that the dispatcher hands to a window says where the pointer is in the window
// too, from its structure's corner, as the system's dispatcher adds it: a program may post one
// that has the screen position alone.
void AddWindowMouseLocation(EventRef theEvent, WindowRef theWindow) {
  if (FindParam(theEvent, kEventParamWindowMouseLocation) != nullptr) return;
  HIPoint aWhere = {0, 0};
  if (GetEventParameter(theEvent, kEventParamMouseLocation, typeHIPoint, nullptr, sizeof(aWhere), nullptr,
                        &aWhere) != noErr)
    return;
  Rect aStructure = {0, 0, 0, 0};
  if (GetWindowBounds(theWindow, kWindowStructureRgn, &aStructure) != noErr) return;
  const HIPoint aWindowPoint = {aWhere.x - aStructure.left, aWhere.y - aStructure.top};
  SetEventParameter(theEvent, kEventParamWindowMouseLocation, typeHIPoint, sizeof(aWindowPoint),
                    &aWindowPoint);
}

// Where the dispatcher sends an event first.
EventTargetRef RouteFromDispatcher(EventRef theEvent) {
  WindowRef aWindow = nullptr;
  UInt32 aClass = theEvent->mClass;
  if (aClass == kEventClassWindow) {
    aWindow = WindowParam(theEvent, kEventParamDirectObject);
  } else if (aClass == kEventClassMouse) {
    aWindow = WindowParam(theEvent, kEventParamWindowRef);
    if (aWindow != nullptr) AddWindowMouseLocation(theEvent, aWindow);
  } else if (aClass == kEventClassKeyboard) {
    aWindow = FocusWindow();
  } else if (aClass == kEventClassCommand) {
    aWindow = WindowParam(theEvent, kEventParamWindowRef);
    if (aWindow == nullptr) aWindow = FocusWindow();
  }
  return aWindow != nullptr ? aWindow->mTarget : &sApplicationTarget;
}

OSStatus DispatchOn(EventTargetRef theTarget, EventRef theEvent) {
  // Index loop: a handler may install or remove handlers while it runs.
  for (size_t i = theTarget->mHandlers.size(); i-- > 0;) {
    if (i >= theTarget->mHandlers.size()) continue;
    OpaqueEventHandlerRef* aHandler = theTarget->mHandlers[i];
    if (aHandler->mRemoved || !Matches(aHandler, theEvent->mClass, theEvent->mKind)) continue;
    OSStatus aStatus = aHandler->mProc(nullptr, theEvent, aHandler->mUserData);
    if (aStatus != eventNotHandledErr) return aStatus;
  }
  return eventNotHandledErr;
}

void FireTimers() {
  uint64_t aNow = NowMicroseconds();
  ++sMainLoop.mFiring;
  for (size_t i = 0; i < sMainLoop.mTimers.size(); ++i) {
    OpaqueEventLoopTimerRef* aTimer = sMainLoop.mTimers[i];
    if (aTimer->mRemoved || aNow < aTimer->mNextFire) continue;
    if (aTimer->mInterval == 0) {
      aTimer->mNextFire = UINT64_MAX;
    } else {
      // A late timer fires once and keeps its rhythm, as a run-loop timer does.
      uint64_t aMissed = (aNow - aTimer->mNextFire) / aTimer->mInterval + 1;
      aTimer->mNextFire += aMissed * aTimer->mInterval;
    }
    aTimer->mProc(aTimer, aTimer->mUserData);
  }
  if (--sMainLoop.mFiring == 0) {
    auto aEnd =
        std::remove_if(sMainLoop.mTimers.begin(), sMainLoop.mTimers.end(), [](OpaqueEventLoopTimerRef* t) {
          if (!t->mRemoved) return false;
          delete t;
          return true;
        });
    sMainLoop.mTimers.erase(aEnd, sMainLoop.mTimers.end());
  }
}

bool TypeListed(EventRef theEvent, ItemCount theNumTypes, const EventTypeSpec* theList) {
  if (theList == nullptr) return true;
  for (ItemCount i = 0; i < theNumTypes; ++i) {
    if (theList[i].eventClass == theEvent->mClass && theList[i].eventKind == theEvent->mKind) return true;
  }
  return false;
}

EventRef TakeEvent(ItemCount theNumTypes, const EventTypeSpec* theList, bool pull) {
  std::lock_guard<std::mutex> aGuard(sMainQueue.mLock);
  for (auto it = sMainQueue.mEvents.begin(); it != sMainQueue.mEvents.end(); ++it) {
    if (!TypeListed(*it, theNumTypes, theList)) continue;
    EventRef anEvent = *it;
    if (pull) sMainQueue.mEvents.erase(it);
    return anEvent;
  }
  return nullptr;
}

}  // namespace

// Window targets are made and dropped by the window functions.
EventTargetRef NewWindowEventTarget(WindowRef theWindow) {
  EventTargetRef aTarget = new OpaqueEventTargetRef;
  aTarget->mWindow = theWindow;
  return aTarget;
}

void DisposeWindowEventTarget(EventTargetRef theTarget) {
  theTarget->mDisposed = true;
  for (OpaqueEventHandlerRef* aHandler : theTarget->mHandlers) aHandler->mRemoved = true;
  sDeadTargets.push_back(theTarget);
  if (sDispatchDepth == 0) Sweep();
}

OSStatus CreateEvent(void*, UInt32 theClass, UInt32 theKind, EventTime theWhen, UInt32, EventRef* outEvent) {
  if (outEvent == nullptr) return paramErr;
  EventRef anEvent = nullptr;
  {
    std::lock_guard<std::mutex> aGuard(sEventPoolLock);
    if (!sEventPool.empty()) {
      anEvent = sEventPool.back().release();
      sEventPool.pop_back();
    }
  }
  if (anEvent == nullptr) anEvent = new OpaqueEventRef;
  anEvent->mClass = theClass;
  anEvent->mKind = theKind;
  anEvent->mWhen = theWhen != 0.0 ? theWhen : GetCurrentEventTime();
  anEvent->mNumParams = 0;
  anEvent->mRefCount.store(1);
  *outEvent = anEvent;
  return noErr;
}

EventRef RetainEvent(EventRef theEvent) {
  if (theEvent != nullptr) theEvent->mRefCount.fetch_add(1);
  return theEvent;
}

void ReleaseEvent(EventRef theEvent) {
  if (theEvent == nullptr || theEvent->mRefCount.fetch_sub(1) != 1) return;
  std::lock_guard<std::mutex> aGuard(sEventPoolLock);
  sEventPool.emplace_back(theEvent);
}

UInt32 GetEventClass(EventRef theEvent) { return theEvent->mClass; }
UInt32 GetEventKind(EventRef theEvent) { return theEvent->mKind; }
EventTime GetEventTime(EventRef theEvent) { return theEvent->mWhen; }

OSStatus SetEventParameter(EventRef theEvent, OSType theName, OSType theType, ByteCount theSize,
                           const void* theData) {
  if (theEvent == nullptr || theSize > k_MaxParamSize || (theSize > 0 && theData == nullptr)) return paramErr;
  EventParam* aParam = FindParam(theEvent, theName);
  if (aParam == nullptr) {
    if (theEvent->mNumParams == k_MaxParams) return memFullErr;
    aParam = &theEvent->mParams[theEvent->mNumParams++];
    aParam->mName = theName;
  }
  aParam->mType = theType;
  aParam->mSize = theSize;
  if (theSize > 0) std::memcpy(aParam->mData, theData, theSize);
  return noErr;
}

OSStatus GetEventParameter(EventRef theEvent, OSType theName, OSType theDesiredType, OSType* outActualType,
                           ByteCount theBufferSize, ByteCount* outActualSize, void* outData) {
  if (theEvent == nullptr) return paramErr;
  const EventParam* aParam = FindParam(theEvent, theName);
  if (aParam == nullptr) return eventParameterNotFoundErr;
  if (theDesiredType != typeWildCard && theDesiredType != aParam->mType) return paramErr;
  if (outActualType != nullptr) *outActualType = aParam->mType;
  if (outActualSize != nullptr) *outActualSize = aParam->mSize;
  if (outData != nullptr) std::memcpy(outData, aParam->mData, std::min(theBufferSize, aParam->mSize));
  return noErr;
}

EventTime GetCurrentEventTime() { return static_cast<EventTime>(NowMicroseconds()) / 1e6; }

EventTargetRef GetApplicationEventTarget() { return &sApplicationTarget; }
EventTargetRef GetEventDispatcherTarget() { return &sDispatcherTarget; }
EventTargetRef GetWindowEventTarget(WindowRef theWindow) {
  return theWindow != nullptr ? theWindow->mTarget : nullptr;
}

OSStatus InstallEventHandler(EventTargetRef theTarget, EventHandlerUPP theHandler, ItemCount theNumTypes,
                             const EventTypeSpec* theList, void* theUserData, EventHandlerRef* outRef) {
  if (theTarget == nullptr || theHandler == nullptr || (theNumTypes > 0 && theList == nullptr))
    return paramErr;
  auto* aHandler = new OpaqueEventHandlerRef;
  aHandler->mTarget = theTarget;
  aHandler->mProc = theHandler;
  aHandler->mTypes.assign(theList, theList + theNumTypes);
  aHandler->mUserData = theUserData;
  theTarget->mHandlers.push_back(aHandler);
  if (outRef != nullptr) *outRef = aHandler;
  return noErr;
}

OSStatus RemoveEventHandler(EventHandlerRef theHandler) {
  if (theHandler == nullptr || theHandler->mRemoved) return paramErr;
  theHandler->mRemoved = true;
  if (sDispatchDepth == 0) Sweep();
  return noErr;
}

OSStatus SendEventToEventTarget(EventRef theEvent, EventTargetRef theTarget) {
  if (theEvent == nullptr || theTarget == nullptr || theTarget->mDisposed) return paramErr;
  if (theEvent->mClass == kEventClassApplication) {
    if (theEvent->mKind == kEventAppActivated) sFrontProcess = true;
    if (theEvent->mKind == kEventAppDeactivated) sFrontProcess = false;
  }
  ++sDispatchDepth;
  OSStatus aStatus = eventNotHandledErr;
  if (theTarget == &sDispatcherTarget) {
    aStatus = DispatchOn(&sDispatcherTarget, theEvent);
    if (aStatus == eventNotHandledErr) theTarget = RouteFromDispatcher(theEvent);
  }
  if (theTarget != &sDispatcherTarget) {
    aStatus = DispatchOn(theTarget, theEvent);
    // Events a window leaves alone go on to the application.
    if (aStatus == eventNotHandledErr && theTarget->mWindow != nullptr && !theTarget->mDisposed) {
      aStatus = DispatchOn(&sApplicationTarget, theEvent);
    }
  }
  if (--sDispatchDepth == 0) Sweep();
  return aStatus;
}

EventQueueRef GetMainEventQueue() { return &sMainQueue; }
EventQueueRef GetCurrentEventQueue() { return &sMainQueue; }

OSStatus PostEventToQueue(EventQueueRef theQueue, EventRef theEvent, EventPriority thePriority) {
  if (theQueue == nullptr || theEvent == nullptr) return paramErr;
  RetainEvent(theEvent);
  std::lock_guard<std::mutex> aGuard(theQueue->mLock);
  if (thePriority == kEventPriorityHigh) {
    theQueue->mEvents.push_front(theEvent);
  } else {
    theQueue->mEvents.push_back(theEvent);
  }
  return noErr;
}

ItemCount GetNumEventsInQueue(EventQueueRef theQueue) {
  std::lock_guard<std::mutex> aGuard(theQueue->mLock);
  return theQueue->mEvents.size();
}

OSStatus ReceiveNextEvent(ItemCount theNumTypes, const EventTypeSpec* theList, EventTimeout theTimeout,
                          Boolean pullEvent, EventRef* outEvent) {
  CarbonBackend& aBackend = GetCarbonBackend();
  const uint64_t aStart = NowMicroseconds();
  for (;;) {
    aBackend.PumpEvents();
    FireTimers();
    EventRef anEvent = TakeEvent(theNumTypes, theList, pullEvent != 0);
    if (anEvent != nullptr) {
      if (outEvent != nullptr) {
        *outEvent = anEvent;
      } else if (pullEvent) {
        ReleaseEvent(anEvent);
      }
      return noErr;
    }
    if (theTimeout >= 0.0 && NowMicroseconds() - aStart >= static_cast<uint64_t>(theTimeout * 1e6)) {
      return eventLoopTimedOutErr;
    }
    CoreServicesClock().SleepUntil(UpTime() + 1000000);
  }
}

EventLoopRef GetMainEventLoop() { return &sMainLoop; }

OSStatus InstallEventLoopTimer(EventLoopRef theLoop, EventTimerInterval theFireDelay,
                               EventTimerInterval theInterval, EventLoopTimerUPP theProc, void* theUserData,
                               EventLoopTimerRef* outTimer) {
  if (theLoop == nullptr || theProc == nullptr || theFireDelay < 0.0 || theInterval < 0.0) return paramErr;
  auto* aTimer = new OpaqueEventLoopTimerRef;
  aTimer->mProc = theProc;
  aTimer->mUserData = theUserData;
  aTimer->mNextFire = NowMicroseconds() + static_cast<uint64_t>(theFireDelay * 1e6 + 0.5);
  aTimer->mInterval = static_cast<uint64_t>(theInterval * 1e6 + 0.5);
  theLoop->mTimers.push_back(aTimer);
  if (outTimer != nullptr) *outTimer = aTimer;
  return noErr;
}

OSStatus RemoveEventLoopTimer(EventLoopTimerRef theTimer) {
  auto it = std::find(sMainLoop.mTimers.begin(), sMainLoop.mTimers.end(), theTimer);
  if (it == sMainLoop.mTimers.end() || theTimer->mRemoved) return paramErr;
  if (sMainLoop.mFiring > 0) {
    theTimer->mRemoved = true;
  } else {
    delete theTimer;
    sMainLoop.mTimers.erase(it);
  }
  return noErr;
}

OSStatus GetCurrentProcess(ProcessSerialNumber* outPSN) {
  if (outPSN == nullptr) return paramErr;
  *outPSN = {0, 2};
  return noErr;
}

OSStatus GetFrontProcess(ProcessSerialNumber* outPSN) {
  if (outPSN == nullptr) return paramErr;
  // Another process is in front while this one is deactivated.
  *outPSN = sFrontProcess ? ProcessSerialNumber{0, 2} : ProcessSerialNumber{0, 1};
  return noErr;
}

OSStatus SameProcess(const ProcessSerialNumber* thePSN1, const ProcessSerialNumber* thePSN2,
                     Boolean* outResult) {
  if (thePSN1 == nullptr || thePSN2 == nullptr || outResult == nullptr) return paramErr;
  *outResult =
      thePSN1->highLongOfPSN == thePSN2->highLongOfPSN && thePSN1->lowLongOfPSN == thePSN2->lowLongOfPSN;
  return noErr;
}

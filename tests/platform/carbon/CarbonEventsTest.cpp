#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "support/ScriptedCarbon.h"
#include "platform/carbon/CarbonEvents.h"
#include "platform/carbon/CarbonWindows.h"

namespace {

std::vector<std::string> gCalls;

struct Tag {
  const char* mName;
  OSStatus mResult;
};

OSStatus RecordingHandler(EventHandlerCallRef, EventRef, void* theUserData) {
  const Tag* aTag = static_cast<const Tag*>(theUserData);
  gCalls.push_back(aTag->mName);
  return aTag->mResult;
}

const EventTypeSpec k_MouseDown = {kEventClassMouse, kEventMouseDown};
const EventTypeSpec k_KeyDown = {kEventClassKeyboard, kEventRawKeyDown};

EventRef MakeEvent(UInt32 theClass, UInt32 theKind) {
  EventRef anEvent = nullptr;
  EXPECT_EQ(CreateEvent(nullptr, theClass, theKind, 0, 0, &anEvent), noErr);
  return anEvent;
}

class CarbonEvents : public ::testing::Test {
 protected:
  void SetUp() override {
    Scripted();
    DrainQueue();
    gCalls.clear();
  }
  void TearDown() override {
    for (EventHandlerRef aHandler : mHandlers) RemoveEventHandler(aHandler);
    DrainQueue();
  }
  void Install(EventTargetRef theTarget, const EventTypeSpec& theType, Tag* theTag) {
    EventHandlerRef aRef = nullptr;
    ASSERT_EQ(InstallEventHandler(theTarget, RecordingHandler, 1, &theType, theTag, &aRef), noErr);
    // Handlers of a window go with the window.
    if (theTarget == GetApplicationEventTarget()) mHandlers.push_back(aRef);
  }
  std::vector<EventHandlerRef> mHandlers;
};

TEST_F(CarbonEvents, ParametersKeepTypeAndSize) {
  EventRef anEvent = MakeEvent(kEventClassMouse, kEventMouseDown);
  HIPoint aPoint = {12.5f, -3.0f};
  ASSERT_EQ(SetEventParameter(anEvent, kEventParamWindowMouseLocation, typeHIPoint, sizeof(aPoint), &aPoint),
            noErr);
  UInt32 aCount = 2;
  ASSERT_EQ(SetEventParameter(anEvent, kEventParamClickCount, typeUInt32, sizeof(aCount), &aCount), noErr);
  aCount = 3;  // setting again replaces
  ASSERT_EQ(SetEventParameter(anEvent, kEventParamClickCount, typeUInt32, sizeof(aCount), &aCount), noErr);

  HIPoint aRead = {0, 0};
  OSType aType = 0;
  ByteCount aSize = 0;
  EXPECT_EQ(GetEventParameter(anEvent, kEventParamWindowMouseLocation, typeHIPoint, &aType, sizeof(aRead),
                              &aSize, &aRead),
            noErr);
  EXPECT_EQ(aType, typeHIPoint);
  EXPECT_EQ(aSize, sizeof(HIPoint));
  EXPECT_EQ(aRead.x, 12.5f);
  EXPECT_EQ(aRead.y, -3.0f);
  UInt32 aReadCount = 0;
  EXPECT_EQ(GetEventParameter(anEvent, kEventParamClickCount, typeWildCard, nullptr, sizeof(aReadCount),
                              nullptr, &aReadCount),
            noErr);
  EXPECT_EQ(aReadCount, 3u);
  EXPECT_EQ(GetEventParameter(anEvent, kEventParamClickCount, typeSInt32, nullptr, 4, nullptr, &aReadCount),
            paramErr);
  EXPECT_EQ(
      GetEventParameter(anEvent, kEventParamMouseButton, typeMouseButton, nullptr, 2, nullptr, &aReadCount),
      eventParameterNotFoundErr);
  EXPECT_EQ(GetEventClass(anEvent), kEventClassMouse);
  EXPECT_EQ(GetEventKind(anEvent), kEventMouseDown);
  ReleaseEvent(anEvent);
}

TEST_F(CarbonEvents, HandlersRunNewestFirstAndPassOnUnhandledEvents) {
  Tag anOld = {"old", noErr};
  Tag aNew = {"new", eventNotHandledErr};
  Tag aKey = {"key", noErr};
  Install(GetApplicationEventTarget(), k_MouseDown, &anOld);
  Install(GetApplicationEventTarget(), k_MouseDown, &aNew);
  Install(GetApplicationEventTarget(), k_KeyDown, &aKey);

  EventRef anEvent = MakeEvent(kEventClassMouse, kEventMouseDown);
  EXPECT_EQ(SendEventToEventTarget(anEvent, GetApplicationEventTarget()), noErr);
  ReleaseEvent(anEvent);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"new", "old"}));

  anEvent = MakeEvent(kEventClassMouse, kEventMouseUp);  // nobody listens
  EXPECT_EQ(SendEventToEventTarget(anEvent, GetApplicationEventTarget()), eventNotHandledErr);
  ReleaseEvent(anEvent);
}

TEST_F(CarbonEvents, DispatcherRoutesToTheWindowThenTheApplication) {
  Rect aBounds = {100, 100, 200, 300};
  WindowRef aWindow = nullptr;
  ASSERT_EQ(CreateNewWindow(kDocumentWindowClass, 0, &aBounds, &aWindow), noErr);
  ShowWindow(aWindow);
  Tag aWindowTag = {"window", eventNotHandledErr};
  Tag anAppTag = {"app", noErr};
  Install(GetWindowEventTarget(aWindow), k_MouseDown, &aWindowTag);
  Install(GetWindowEventTarget(aWindow), k_KeyDown, &aWindowTag);
  Install(GetApplicationEventTarget(), k_MouseDown, &anAppTag);
  Install(GetApplicationEventTarget(), k_KeyDown, &anAppTag);

  // A mouse event names its window; a key goes to the front visible window.
  EventRef aMouse = MakeEvent(kEventClassMouse, kEventMouseDown);
  SetEventParameter(aMouse, kEventParamWindowRef, typeWindowRef, sizeof(aWindow), &aWindow);
  EXPECT_EQ(SendEventToEventTarget(aMouse, GetEventDispatcherTarget()), noErr);
  ReleaseEvent(aMouse);
  EventRef aKey = MakeEvent(kEventClassKeyboard, kEventRawKeyDown);
  EXPECT_EQ(SendEventToEventTarget(aKey, GetEventDispatcherTarget()), noErr);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"window", "app", "window", "app"}));

  gCalls.clear();
  HideWindow(aWindow);  // no visible window: keys reach only the application
  EXPECT_EQ(SendEventToEventTarget(aKey, GetEventDispatcherTarget()), noErr);
  ReleaseEvent(aKey);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"app"}));
  DisposeWindow(aWindow);
}

// Notes the window location a mouse event arrives with, "none" without one.
OSStatus WindowLocationHandler(EventHandlerCallRef, EventRef theEvent, void*) {
  HIPoint aWhere = {0, 0};
  if (GetEventParameter(theEvent, kEventParamWindowMouseLocation, typeHIPoint, nullptr, sizeof(aWhere),
                        nullptr, &aWhere) != noErr) {
    gCalls.push_back("none");
  } else {
    gCalls.push_back(std::to_string(static_cast<int>(aWhere.x)) + "," +
                     std::to_string(static_cast<int>(aWhere.y)));
  }
  return noErr;
}

TEST_F(CarbonEvents, AMouseEventTheDispatcherGivesAWindowSaysWhereThePointerIsInIt) {
  Rect aBounds = {100, 150, 200, 350};
  WindowRef aWindow = nullptr;
  ASSERT_EQ(CreateNewWindow(kDocumentWindowClass, 0, &aBounds, &aWindow), noErr);
  ShowWindow(aWindow);
  Rect aStructure;
  ASSERT_EQ(GetWindowBounds(aWindow, kWindowStructureRgn, &aStructure), noErr);
  const EventTypeSpec k_MouseMoved = {kEventClassMouse, kEventMouseMoved};
  ASSERT_EQ(InstallEventHandler(GetWindowEventTarget(aWindow), WindowLocationHandler, 1, &k_MouseMoved,
                                nullptr, nullptr),
            noErr);
  struct Case {
    const char* what;
    bool hasScreen, hasWindow;
    std::string seen;
  };
  // From the structure's corner, as the events of the window system give it.
  const std::string aFromScreen =
      std::to_string(170 - aStructure.left) + "," + std::to_string(130 - aStructure.top);
  const Case kCases[] = {
      {"the screen position alone", true, false, aFromScreen},
      {"a window position of its own is kept", true, true, "7,9"},
      {"no position at all", false, false, "none"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.what);
    gCalls.clear();
    EventRef anEvent = MakeEvent(kEventClassMouse, kEventMouseMoved);
    SetEventParameter(anEvent, kEventParamWindowRef, typeWindowRef, sizeof(aWindow), &aWindow);
    const HIPoint aScreenPoint = {170, 130}, aWindowPoint = {7, 9};
    if (c.hasScreen)
      SetEventParameter(anEvent, kEventParamMouseLocation, typeHIPoint, sizeof(aScreenPoint), &aScreenPoint);
    if (c.hasWindow)
      SetEventParameter(anEvent, kEventParamWindowMouseLocation, typeHIPoint, sizeof(aWindowPoint),
                        &aWindowPoint);
    EXPECT_EQ(SendEventToEventTarget(anEvent, GetEventDispatcherTarget()), noErr);
    ReleaseEvent(anEvent);
    EXPECT_EQ(gCalls, std::vector<std::string>{c.seen});
  }
  DisposeWindow(aWindow);
}

OSStatus RemovingHandler(EventHandlerCallRef, EventRef, void* theUserData) {
  gCalls.push_back("remover");
  RemoveEventHandler(*static_cast<EventHandlerRef*>(theUserData));
  return eventNotHandledErr;
}

TEST_F(CarbonEvents, HandlerMayRemoveItselfWhileRunning) {
  Tag anOther = {"other", noErr};
  Install(GetApplicationEventTarget(), k_MouseDown, &anOther);
  EventHandlerRef aSelf = nullptr;
  ASSERT_EQ(
      InstallEventHandler(GetApplicationEventTarget(), RemovingHandler, 1, &k_MouseDown, &aSelf, &aSelf),
      noErr);
  EventRef anEvent = MakeEvent(kEventClassMouse, kEventMouseDown);
  SendEventToEventTarget(anEvent, GetApplicationEventTarget());
  SendEventToEventTarget(anEvent, GetApplicationEventTarget());
  ReleaseEvent(anEvent);
  EXPECT_EQ(gCalls, (std::vector<std::string>{"remover", "other", "other"}));
}

TEST_F(CarbonEvents, QueueKeepsOrderFiltersByTypeAndTimesOut) {
  for (UInt32 aKind : {kEventMouseDown, kEventMouseUp, kEventMouseMoved}) {
    EventRef anEvent = MakeEvent(kEventClassMouse, aKind);
    ASSERT_EQ(PostEventToQueue(GetMainEventQueue(), anEvent, kEventPriorityStandard), noErr);
    ReleaseEvent(anEvent);
  }
  EXPECT_EQ(GetNumEventsInQueue(GetMainEventQueue()), 3u);

  const EventTypeSpec aMovedOnly = {kEventClassMouse, kEventMouseMoved};
  EventRef anEvent = nullptr;
  ASSERT_EQ(ReceiveNextEvent(1, &aMovedOnly, kEventDurationNoWait, true, &anEvent), noErr);
  EXPECT_EQ(GetEventKind(anEvent), kEventMouseMoved);
  ReleaseEvent(anEvent);

  std::vector<UInt32> aKinds;
  while (ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent) == noErr) {
    aKinds.push_back(GetEventKind(anEvent));
    ReleaseEvent(anEvent);
  }
  EXPECT_EQ(aKinds, (std::vector<UInt32>{kEventMouseDown, kEventMouseUp}));

  // Waiting sleeps on the scripted clock, which moves on by itself.
  uint64_t aBefore = NowMicros();
  EXPECT_EQ(ReceiveNextEvent(0, nullptr, 0.05, true, &anEvent), eventLoopTimedOutErr);
  EXPECT_GE(NowMicros() - aBefore, 50000u);
}

TEST_F(CarbonEvents, OtherThreadsMayPost) {
  std::vector<std::thread> aThreads;
  for (int t = 0; t < 4; ++t) {
    aThreads.emplace_back([] {
      for (int i = 0; i < 250; ++i) {
        EventRef anEvent = nullptr;
        CreateEvent(nullptr, kEventClassMouse, kEventMouseMoved, 0, 0, &anEvent);
        PostEventToQueue(GetMainEventQueue(), anEvent, kEventPriorityStandard);
        ReleaseEvent(anEvent);
      }
    });
  }
  for (std::thread& aThread : aThreads) aThread.join();
  EXPECT_EQ(GetNumEventsInQueue(GetMainEventQueue()), 1000u);
}

std::vector<uint64_t> gFires;

void TimerProc(EventLoopTimerRef, void*) { gFires.push_back(NowMicros()); }

TEST_F(CarbonEvents, TimerFiresAtOnceThenEveryIntervalWithoutPilingUp) {
  gFires.clear();
  EventLoopTimerRef aTimer = nullptr;
  uint64_t aStart = NowMicros();
  ASSERT_EQ(InstallEventLoopTimer(GetMainEventLoop(), 0, 0.010, TimerProc, nullptr, &aTimer), noErr);
  EventRef anEvent = nullptr;
  ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent);
  ASSERT_EQ(gFires.size(), 1u);  // fire delay 0: at once
  TestClock().AdvanceMilliseconds(9);
  ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent);
  EXPECT_EQ(gFires.size(), 1u);
  TestClock().AdvanceMilliseconds(1);
  ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent);
  EXPECT_EQ(gFires.size(), 2u);
  // A stall of 55 ms fires once, and the rhythm stays on multiples of 10 ms.
  TestClock().AdvanceMilliseconds(55);
  ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent);
  EXPECT_EQ(gFires.size(), 3u);
  TestClock().AdvanceMilliseconds(4);
  ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent);
  EXPECT_EQ(gFires.size(), 3u);
  TestClock().AdvanceMilliseconds(1);
  ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent);
  ASSERT_EQ(gFires.size(), 4u);
  EXPECT_EQ(gFires[3] - aStart, 70000u);

  ASSERT_EQ(RemoveEventLoopTimer(aTimer), noErr);
  TestClock().AdvanceMilliseconds(100);
  ReceiveNextEvent(0, nullptr, kEventDurationNoWait, true, &anEvent);
  EXPECT_EQ(gFires.size(), 4u);
  EXPECT_EQ(RemoveEventLoopTimer(aTimer), paramErr);
}

TEST_F(CarbonEvents, ApplicationDeactivationPutsAnotherProcessInFront) {
  ProcessSerialNumber aCurrent;
  ProcessSerialNumber aFront;
  Boolean aSame = false;
  GetCurrentProcess(&aCurrent);
  for (UInt32 aKind : {kEventAppDeactivated, kEventAppActivated}) {
    EventRef anEvent = MakeEvent(kEventClassApplication, aKind);
    SendEventToEventTarget(anEvent, GetEventDispatcherTarget());
    ReleaseEvent(anEvent);
    GetFrontProcess(&aFront);
    SameProcess(&aCurrent, &aFront, &aSame);
    EXPECT_EQ(aSame != 0, aKind == kEventAppActivated);
  }
}

}  // namespace

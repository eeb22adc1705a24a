// Carbon events as the framework calls them: events with typed parameters, handlers on targets,
// the main event queue with posting, the event dispatcher and event-loop timers.
// Everything here runs on the main thread except creating events and posting them to the queue.
#pragma once

#include "platform/carbon/CarbonTypes.h"

struct OpaqueEventRef;
struct OpaqueEventTargetRef;
struct OpaqueEventHandlerRef;
struct OpaqueEventHandlerCallRef;
struct OpaqueEventQueueRef;
struct OpaqueEventLoopRef;
struct OpaqueEventLoopTimerRef;
struct OpaqueWindowPtr;

typedef OpaqueEventRef* EventRef;
typedef OpaqueEventTargetRef* EventTargetRef;
typedef OpaqueEventHandlerRef* EventHandlerRef;
typedef OpaqueEventHandlerCallRef* EventHandlerCallRef;
typedef OpaqueEventQueueRef* EventQueueRef;
typedef OpaqueEventLoopRef* EventLoopRef;
typedef OpaqueEventLoopTimerRef* EventLoopTimerRef;
typedef OpaqueWindowPtr* WindowRef;

typedef OSStatus (*EventHandlerProcPtr)(EventHandlerCallRef theCallRef, EventRef theEvent, void* theUserData);
typedef EventHandlerProcPtr EventHandlerUPP;
typedef void (*EventLoopTimerProcPtr)(EventLoopTimerRef theTimer, void* theUserData);
typedef EventLoopTimerProcPtr EventLoopTimerUPP;

struct EventTypeSpec {
  UInt32 eventClass;
  UInt32 eventKind;
};

// A menu command; menu and item are plain words here, as the framework reads them.
struct HICommand {
  UInt32 attributes;
  UInt32 commandID;
  struct {
    UInt32 menuRef;
    UInt16 menuItemIndex;
  } menu;
};

typedef SInt16 EventPriority;
enum : EventPriority { kEventPriorityLow = 0, kEventPriorityStandard = 1, kEventPriorityHigh = 2 };

// Event classes.
constexpr UInt32 kEventClassMouse = MakeOSType("mous");
constexpr UInt32 kEventClassKeyboard = MakeOSType("keyb");
constexpr UInt32 kEventClassApplication = MakeOSType("appl");
constexpr UInt32 kEventClassWindow = MakeOSType("wind");
constexpr UInt32 kEventClassCommand = MakeOSType("cmds");
constexpr UInt32 kEventClassEPPC = MakeOSType("eppc");

// Event kinds.
enum : UInt32 {
  kEventMouseDown = 1,
  kEventMouseUp = 2,
  kEventMouseMoved = 5,
  kEventMouseDragged = 6,
  kEventMouseEntered = 8,
  kEventMouseExited = 9,
  kEventMouseWheelMoved = 10,

  kEventRawKeyDown = 1,
  kEventRawKeyRepeat = 2,
  kEventRawKeyUp = 3,
  kEventRawKeyModifiersChanged = 4,

  kEventAppActivated = 1,
  kEventAppDeactivated = 2,
  kEventAppQuit = 3,

  kEventCommandProcess = 1,

  kEventWindowUpdate = 1,
  kEventWindowDrawContent = 2,
  kEventWindowActivated = 5,
  kEventWindowDeactivated = 6,
  kEventWindowShown = 22,
  kEventWindowHidden = 23,
  kEventWindowBoundsChanged = 27,
  kEventWindowCollapsed = 67,
  kEventWindowExpanded = 70,
  kEventWindowClose = 72,
  kEventWindowClosed = 73,
  kEventWindowZoomed = 75,
};

// Parameter names.
constexpr OSType kEventParamDirectObject = MakeOSType("----");
constexpr OSType kEventParamWindowRef = MakeOSType("wind");
constexpr OSType kEventParamMouseLocation = MakeOSType("mloc");
constexpr OSType kEventParamWindowMouseLocation = MakeOSType("wmou");
constexpr OSType kEventParamMouseButton = MakeOSType("mbtn");
constexpr OSType kEventParamClickCount = MakeOSType("ccnt");
constexpr OSType kEventParamKeyModifiers = MakeOSType("kmod");
constexpr OSType kEventParamMouseWheelDelta = MakeOSType("mwdl");
constexpr OSType kEventParamMouseWheelAxis = MakeOSType("mwax");
constexpr OSType kEventParamKeyCode = MakeOSType("kcod");
constexpr OSType kEventParamKeyMacCharCodes = MakeOSType("kchr");
constexpr OSType kEventParamAttributes = MakeOSType("attr");
constexpr OSType kEventParamCurrentBounds = MakeOSType("crct");
constexpr OSType kEventParamAEEventClass = MakeOSType("evcl");
constexpr OSType kEventParamAEEventID = MakeOSType("evti");

// Parameter types.
constexpr OSType typeWindowRef = MakeOSType("wind");
constexpr OSType typeHIPoint = MakeOSType("hipt");
constexpr OSType typeMouseButton = MakeOSType("mbtn");
constexpr OSType typeMouseWheelAxis = MakeOSType("mwax");
constexpr OSType typeUInt32 = MakeOSType("magn");
constexpr OSType typeSInt32 = MakeOSType("long");
constexpr OSType typeChar = MakeOSType("TEXT");
constexpr OSType typeHICommand = MakeOSType("hcmd");
constexpr OSType typeQDRectangle = MakeOSType("qdrt");
constexpr OSType typeType = MakeOSType("type");
constexpr OSType typeWildCard = MakeOSType("****");

typedef UInt16 EventMouseButton;
enum : EventMouseButton {
  kEventMouseButtonPrimary = 1,
  kEventMouseButtonSecondary = 2,
  kEventMouseButtonTertiary = 3
};
typedef UInt16 EventMouseWheelAxis;
enum : EventMouseWheelAxis { kEventMouseWheelAxisX = 0, kEventMouseWheelAxisY = 1 };

// Modifier bits of kEventParamKeyModifiers.
enum : UInt32 {
  cmdKey = 0x100,
  shiftKey = 0x200,
  alphaLock = 0x400,
  optionKey = 0x800,
  controlKey = 0x1000,
};

// Attribute bits of kEventWindowBoundsChanged.
enum : UInt32 { kWindowBoundsChangeSizeChanged = 4, kWindowBoundsChangeOriginChanged = 8 };

// Events.
OSStatus CreateEvent(void* theAllocator, UInt32 theClass, UInt32 theKind, EventTime theWhen,
                     UInt32 theAttributes, EventRef* outEvent);
EventRef RetainEvent(EventRef theEvent);
void ReleaseEvent(EventRef theEvent);
UInt32 GetEventClass(EventRef theEvent);
UInt32 GetEventKind(EventRef theEvent);
EventTime GetEventTime(EventRef theEvent);
OSStatus SetEventParameter(EventRef theEvent, OSType theName, OSType theType, ByteCount theSize,
                           const void* theData);
// eventParameterNotFoundErr when absent, paramErr when the type differs (typeWildCard takes any).
OSStatus GetEventParameter(EventRef theEvent, OSType theName, OSType theDesiredType, OSType* outActualType,
                           ByteCount theBufferSize, ByteCount* outActualSize, void* outData);

// Seconds since the clock of the event system started.
EventTime GetCurrentEventTime();

// Handlers and targets. Handlers of a target run newest first; one that returns
// eventNotHandledErr passes the event on, then the event travels from a window to the application.
EventTargetRef GetApplicationEventTarget();
EventTargetRef GetEventDispatcherTarget();
EventTargetRef GetWindowEventTarget(WindowRef theWindow);
inline EventHandlerUPP NewEventHandlerUPP(EventHandlerProcPtr theProc) { return theProc; }
inline EventLoopTimerUPP NewEventLoopTimerUPP(EventLoopTimerProcPtr theProc) { return theProc; }
OSStatus InstallEventHandler(EventTargetRef theTarget, EventHandlerUPP theHandler, ItemCount theNumTypes,
                             const EventTypeSpec* theList, void* theUserData, EventHandlerRef* outRef);
OSStatus RemoveEventHandler(EventHandlerRef theHandler);
OSStatus SendEventToEventTarget(EventRef theEvent, EventTargetRef theTarget);

// The main event queue. Posting retains the event and may happen on any thread.
EventQueueRef GetMainEventQueue();
EventQueueRef GetCurrentEventQueue();
OSStatus PostEventToQueue(EventQueueRef theQueue, EventRef theEvent, EventPriority thePriority);
ItemCount GetNumEventsInQueue(EventQueueRef theQueue);
// Moves native input into the queue, fires due timers, then takes the first event of one of the
// given types (all types when theList is null). With pull set the caller owns the event.
OSStatus ReceiveNextEvent(ItemCount theNumTypes, const EventTypeSpec* theList, EventTimeout theTimeout,
                          Boolean pullEvent, EventRef* outEvent);

// Timers of the main event loop; they fire inside ReceiveNextEvent.
EventLoopRef GetMainEventLoop();
OSStatus InstallEventLoopTimer(EventLoopRef theLoop, EventTimerInterval theFireDelay,
                               EventTimerInterval theInterval, EventLoopTimerUPP theProc, void* theUserData,
                               EventLoopTimerRef* outTimer);
OSStatus RemoveEventLoopTimer(EventLoopTimerRef theTimer);

// The process that has the user's attention: it becomes front when an application-activated event
// is dispatched and stops being front with application-deactivated.
OSStatus GetCurrentProcess(ProcessSerialNumber* outPSN);
OSStatus GetFrontProcess(ProcessSerialNumber* outPSN);
OSStatus SameProcess(const ProcessSerialNumber* thePSN1, const ProcessSerialNumber* thePSN2,
                     Boolean* outResult);

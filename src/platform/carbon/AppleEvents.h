// Apple events as far as the framework needs them: a handler for the quit event, reached
// through the high-level events of the event queue.
#pragma once

#include "platform/carbon/CarbonEvents.h"

typedef OSType AEEventClass;
typedef OSType AEEventID;

struct AEDesc {
  OSType descriptorType;
  AEEventClass eventClass;
  AEEventID eventID;
};
typedef AEDesc AppleEvent;

typedef OSErr (*AEEventHandlerProcPtr)(const AppleEvent* theEvent, AppleEvent* theReply, SRefCon theRefcon);
typedef AEEventHandlerProcPtr AEEventHandlerUPP;
inline AEEventHandlerUPP NewAEEventHandlerUPP(AEEventHandlerProcPtr theProc) { return theProc; }

constexpr AEEventClass kCoreEventClass = MakeOSType("aevt");
constexpr AEEventID kAEQuitApplication = MakeOSType("quit");
constexpr OSType typeAppleEvent = MakeOSType("aevt");

// The classic event record that a high-level event converts to.
struct EventRecord {
  UInt16 what;
  UInt32 message;
  UInt32 when;
  Point where;
  UInt16 modifiers;
};
enum : UInt16 { nullEvent = 0, kHighLevelEvent = 23 };

OSErr AEInstallEventHandler(AEEventClass theClass, AEEventID theID, AEEventHandlerUPP theHandler,
                            SRefCon theRefcon, Boolean isSysHandler);
OSErr AERemoveEventHandler(AEEventClass theClass, AEEventID theID, AEEventHandlerUPP theHandler,
                           Boolean isSysHandler);
// True for an event of class 'eppc', whose record then names the Apple event.
Boolean ConvertEventRefToEventRecord(EventRef theEvent, EventRecord* outRecord);
OSErr AEProcessAppleEvent(const EventRecord* theRecord);
// Makes the high-level event that carries an Apple event through the queue.
OSStatus CreateAppleEventRef(AEEventClass theClass, AEEventID theID, EventRef* outEvent);

// Ends the process at once.
[[noreturn]] void ExitToShell();

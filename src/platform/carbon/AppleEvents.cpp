// Apple events arrive as high-level events of class 'eppc' on the main queue; the main loop
// converts them to event records and hands them to the installed handler.
#include "platform/carbon/AppleEvents.h"

#include <cstdlib>
#include <vector>

namespace {

struct AEHandler {
  AEEventClass mClass;
  AEEventID mID;
  AEEventHandlerUPP mProc;
  SRefCon mRefcon;
};

std::vector<AEHandler> sHandlers;

}  // namespace

OSErr AEInstallEventHandler(AEEventClass theClass, AEEventID theID, AEEventHandlerUPP theHandler,
                            SRefCon theRefcon, Boolean) {
  if (theHandler == nullptr) return paramErr;
  for (AEHandler& aHandler : sHandlers) {
    if (aHandler.mClass == theClass && aHandler.mID == theID) {
      aHandler.mProc = theHandler;
      aHandler.mRefcon = theRefcon;
      return noErr;
    }
  }
  sHandlers.push_back({theClass, theID, theHandler, theRefcon});
  return noErr;
}

OSErr AERemoveEventHandler(AEEventClass theClass, AEEventID theID, AEEventHandlerUPP theHandler, Boolean) {
  for (auto it = sHandlers.begin(); it != sHandlers.end(); ++it) {
    if (it->mClass == theClass && it->mID == theID && it->mProc == theHandler) {
      sHandlers.erase(it);
      return noErr;
    }
  }
  return errAEEventNotHandled;
}

OSStatus CreateAppleEventRef(AEEventClass theClass, AEEventID theID, EventRef* outEvent) {
  OSStatus aStatus = CreateEvent(nullptr, kEventClassEPPC, theClass, 0, 0, outEvent);
  if (aStatus != noErr) return aStatus;
  SetEventParameter(*outEvent, kEventParamAEEventClass, typeType, sizeof(theClass), &theClass);
  SetEventParameter(*outEvent, kEventParamAEEventID, typeType, sizeof(theID), &theID);
  return noErr;
}

Boolean ConvertEventRefToEventRecord(EventRef theEvent, EventRecord* outRecord) {
  if (theEvent == nullptr || outRecord == nullptr) return false;
  *outRecord = EventRecord{nullEvent, 0, 0, {0, 0}, 0};
  if (GetEventClass(theEvent) != kEventClassEPPC) return false;
  AEEventClass aClass = 0;
  AEEventID anID = 0;
  GetEventParameter(theEvent, kEventParamAEEventClass, typeType, nullptr, sizeof(aClass), nullptr, &aClass);
  GetEventParameter(theEvent, kEventParamAEEventID, typeType, nullptr, sizeof(anID), nullptr, &anID);
  // As on the Mac: the message holds the event class and the point the event id.
  outRecord->what = kHighLevelEvent;
  outRecord->message = aClass;
  outRecord->where.v = static_cast<int16_t>(anID >> 16);
  outRecord->where.h = static_cast<int16_t>(anID & 0xFFFF);
  outRecord->when = static_cast<UInt32>(GetEventTime(theEvent) * 60.0);
  return true;
}

OSErr AEProcessAppleEvent(const EventRecord* theRecord) {
  if (theRecord == nullptr || theRecord->what != kHighLevelEvent) return paramErr;
  AEEventID anID = (static_cast<UInt32>(static_cast<uint16_t>(theRecord->where.v)) << 16) |
                   static_cast<uint16_t>(theRecord->where.h);
  for (const AEHandler& aHandler : sHandlers) {
    if (aHandler.mClass == theRecord->message && aHandler.mID == anID) {
      AppleEvent anEvent = {typeAppleEvent, aHandler.mClass, anID};
      AppleEvent aReply = {0, 0, 0};
      return aHandler.mProc(&anEvent, &aReply, aHandler.mRefcon);
    }
  }
  return errAEEventNotHandled;
}

void ExitToShell() { std::_Exit(0); }

#include "platform/carbon/CarbonEventSource.h"

#include "platform/carbon/CarbonWindows.h"

namespace {

void Post(EventRef theEvent) {
  PostEventToQueue(GetMainEventQueue(), theEvent, kEventPriorityStandard);
  ReleaseEvent(theEvent);
}

EventRef MakeMouseEvent(WindowRef theWindow, UInt32 theKind, int theX, int theY, UInt32 theModifiers) {
  EventRef anEvent = nullptr;
  if (CreateEvent(nullptr, kEventClassMouse, theKind, 0, 0, &anEvent) != noErr) return nullptr;
  Rect aContent = {0, 0, 0, 0};
  Rect aStructure = {0, 0, 0, 0};
  GetWindowBounds(theWindow, kWindowContentRgn, &aContent);
  GetWindowBounds(theWindow, kWindowStructureRgn, &aStructure);
  // The window location is measured from the structure's corner, title bar included.
  HIPoint aWindowPoint = {static_cast<float>(theX + aContent.left - aStructure.left),
                          static_cast<float>(theY + aContent.top - aStructure.top)};
  HIPoint aGlobalPoint = {static_cast<float>(theX + aContent.left), static_cast<float>(theY + aContent.top)};
  SetEventParameter(anEvent, kEventParamWindowRef, typeWindowRef, sizeof(theWindow), &theWindow);
  SetEventParameter(anEvent, kEventParamWindowMouseLocation, typeHIPoint, sizeof(aWindowPoint),
                    &aWindowPoint);
  SetEventParameter(anEvent, kEventParamMouseLocation, typeHIPoint, sizeof(aGlobalPoint), &aGlobalPoint);
  SetEventParameter(anEvent, kEventParamKeyModifiers, typeUInt32, sizeof(theModifiers), &theModifiers);
  return anEvent;
}

}  // namespace

void CarbonEventSource::PostMouse(WindowRef theWindow, UInt32 theKind, int theX, int theY,
                                  EventMouseButton theButton, UInt32 theClickCount, UInt32 theModifiers) {
  EventRef anEvent = MakeMouseEvent(theWindow, theKind, theX, theY, theModifiers);
  if (anEvent == nullptr) return;
  SetEventParameter(anEvent, kEventParamMouseButton, typeMouseButton, sizeof(theButton), &theButton);
  SetEventParameter(anEvent, kEventParamClickCount, typeUInt32, sizeof(theClickCount), &theClickCount);
  Post(anEvent);
}

void CarbonEventSource::PostWheel(WindowRef theWindow, int theX, int theY, SInt32 theDelta,
                                  UInt32 theModifiers) {
  EventRef anEvent = MakeMouseEvent(theWindow, kEventMouseWheelMoved, theX, theY, theModifiers);
  if (anEvent == nullptr) return;
  EventMouseWheelAxis anAxis = kEventMouseWheelAxisY;
  SetEventParameter(anEvent, kEventParamMouseWheelAxis, typeMouseWheelAxis, sizeof(anAxis), &anAxis);
  SetEventParameter(anEvent, kEventParamMouseWheelDelta, typeSInt32, sizeof(theDelta), &theDelta);
  Post(anEvent);
}

void CarbonEventSource::PostRawKey(UInt32 theKind, UInt32 theKeyCode, unsigned char theCharCode,
                                   UInt32 theModifiers) {
  EventRef anEvent = nullptr;
  if (CreateEvent(nullptr, kEventClassKeyboard, theKind, 0, 0, &anEvent) != noErr) return;
  char aChar = static_cast<char>(theCharCode);
  SetEventParameter(anEvent, kEventParamKeyCode, typeUInt32, sizeof(theKeyCode), &theKeyCode);
  SetEventParameter(anEvent, kEventParamKeyMacCharCodes, typeChar, 1, &aChar);
  SetEventParameter(anEvent, kEventParamKeyModifiers, typeUInt32, sizeof(theModifiers), &theModifiers);
  Post(anEvent);
}

void CarbonEventSource::PostModifiersChanged(UInt32 theModifiers) {
  EventRef anEvent = nullptr;
  if (CreateEvent(nullptr, kEventClassKeyboard, kEventRawKeyModifiersChanged, 0, 0, &anEvent) != noErr)
    return;
  SetEventParameter(anEvent, kEventParamKeyModifiers, typeUInt32, sizeof(theModifiers), &theModifiers);
  Post(anEvent);
}

void CarbonEventSource::PostWindowEvent(WindowRef theWindow, UInt32 theKind) {
  EventRef anEvent = nullptr;
  if (CreateEvent(nullptr, kEventClassWindow, theKind, 0, 0, &anEvent) != noErr) return;
  SetEventParameter(anEvent, kEventParamDirectObject, typeWindowRef, sizeof(theWindow), &theWindow);
  Post(anEvent);
}

void CarbonEventSource::PostBoundsChanged(WindowRef theWindow, UInt32 theAttributes) {
  EventRef anEvent = nullptr;
  if (CreateEvent(nullptr, kEventClassWindow, kEventWindowBoundsChanged, 0, 0, &anEvent) != noErr) return;
  Rect aBounds = {0, 0, 0, 0};
  GetWindowBounds(theWindow, kWindowContentRgn, &aBounds);
  SetEventParameter(anEvent, kEventParamDirectObject, typeWindowRef, sizeof(theWindow), &theWindow);
  SetEventParameter(anEvent, kEventParamAttributes, typeUInt32, sizeof(theAttributes), &theAttributes);
  SetEventParameter(anEvent, kEventParamCurrentBounds, typeQDRectangle, sizeof(aBounds), &aBounds);
  Post(anEvent);
}

void CarbonEventSource::PostApplicationEvent(UInt32 theKind) {
  EventRef anEvent = nullptr;
  if (CreateEvent(nullptr, kEventClassApplication, theKind, 0, 0, &anEvent) != noErr) return;
  Post(anEvent);
}

void CarbonEventSource::PostAppleEvent(AEEventClass theClass, AEEventID theID) {
  EventRef anEvent = nullptr;
  if (CreateAppleEventRef(theClass, theID, &anEvent) != noErr) return;
  Post(anEvent);
}

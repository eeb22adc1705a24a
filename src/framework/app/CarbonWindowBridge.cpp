#include "app/CarbonWindowBridge.h"

#include "app/WindowMessages.h"
#include "platform/carbon/CarbonEvents.h"
#include "platform/carbon/CarbonWindows.h"

namespace Tesk {

namespace {

constexpr UInt32 k_PostedClass = MakeOSType("KWMR");
constexpr UInt32 k_SentClass = MakeOSType("OPFX");
constexpr OSType k_SentParam = MakeOSType("cprm");

// A message in a command event: attributes carry lParam and the command id wParam.
OSStatus MakeCommandEvent(WindowRef theWindow, WPARAM theWParam, LPARAM theLParam, EventRef* outEvent) {
  OSStatus aStatus = CreateEvent(nullptr, kEventClassCommand, kEventCommandProcess, 0, 0, outEvent);
  if (aStatus != noErr) return aStatus;
  HICommand aCommand = {static_cast<UInt32>(theLParam), theWParam, {0, 0}};
  aStatus = SetEventParameter(*outEvent, kEventParamDirectObject, typeHICommand, sizeof(aCommand), &aCommand);
  if (aStatus == noErr) {
    aStatus =
        SetEventParameter(*outEvent, kEventParamWindowRef, typeWindowRef, sizeof(theWindow), &theWindow);
  }
  return aStatus;
}

}  // namespace

CarbonWindowBridge& CarbonWindowBridge::Instance() {
  static CarbonWindowBridge sBridge;
  return sBridge;
}

int32_t CarbonWindowBridge::PostMessage(HWND theWindow, uint32_t theMessage, WPARAM theWParam,
                                        LPARAM theLParam) {
  WindowRef aWindow = static_cast<WindowRef>(theWindow);
  EventRef anEvent = nullptr;
  OSStatus aStatus;
  if (theMessage == WM_COMMAND) {
    aStatus = MakeCommandEvent(aWindow, theWParam, theLParam, &anEvent);
  } else {
    aStatus = CreateEvent(nullptr, k_PostedClass, theMessage, 0, 0, &anEvent);
    if (aStatus == noErr && (theMessage == WM_KEYDOWN || theMessage == WM_KEYUP || theMessage == WM_CHAR)) {
      char aChar = static_cast<char>(theWParam & 0xFF);
      UInt32 aZero = 0;
      aStatus = SetEventParameter(anEvent, kEventParamKeyMacCharCodes, typeChar, 1, &aChar);
      if (aStatus == noErr) aStatus = SetEventParameter(anEvent, kEventParamKeyCode, typeUInt32, 4, &aZero);
      if (aStatus == noErr)
        aStatus = SetEventParameter(anEvent, kEventParamKeyModifiers, typeUInt32, 4, &aZero);
    } else if (aStatus == noErr) {
      UInt32 aWParam = theWParam;
      SInt32 aLParam = theLParam;
      aStatus = SetEventParameter(anEvent, kEventParamDirectObject, typeUInt32, sizeof(aWParam), &aWParam);
      if (aStatus == noErr) {
        aStatus = SetEventParameter(anEvent, kEventParamWindowRef, typeSInt32, sizeof(aLParam), &aLParam);
      }
    }
  }
  if (aStatus == noErr) aStatus = PostEventToQueue(GetMainEventQueue(), anEvent, kEventPriorityStandard);
  ReleaseEvent(anEvent);
  return aStatus;
}

int32_t CarbonWindowBridge::SendMessage(HWND theWindow, uint32_t theMessage, WPARAM theWParam,
                                        LPARAM theLParam) {
  WindowRef aWindow = static_cast<WindowRef>(theWindow);
  EventRef anEvent = nullptr;
  OSStatus aStatus;
  if (theMessage == WM_COMMAND) {
    aStatus = MakeCommandEvent(aWindow, theWParam, theLParam, &anEvent);
  } else {
    aStatus = CreateEvent(nullptr, k_SentClass, theMessage, 0, 0, &anEvent);
    UInt32 aWParam = theWParam;
    SInt32 aLParam = theLParam;
    if (aStatus == noErr) {
      aStatus = SetEventParameter(anEvent, kEventParamDirectObject, typeUInt32, sizeof(aWParam), &aWParam);
    }
    if (aStatus == noErr)
      aStatus = SetEventParameter(anEvent, k_SentParam, typeSInt32, sizeof(aLParam), &aLParam);
  }
  if (aStatus == noErr) {
    EventTargetRef aTarget = aWindow != nullptr ? GetWindowEventTarget(aWindow) : GetApplicationEventTarget();
    aStatus = SendEventToEventTarget(anEvent, aTarget);
  }
  ReleaseEvent(anEvent);
  return aStatus;
}

bool CarbonWindowBridge::IsWindowVisible(WindowRef theWindow) { return ::IsWindowVisible(theWindow) != 0; }

bool CarbonWindowBridge::IsWindowCollapsed(WindowRef theWindow) {
  return ::IsWindowCollapsed(theWindow) != 0;
}

bool CarbonWindowBridge::GetWindowContentBounds(WindowRef theWindow, int* theLeft, int* theTop, int* theRight,
                                                int* theBottom) {
  Rect aBounds;
  if (GetWindowBounds(theWindow, kWindowContentRgn, &aBounds) != noErr) return false;
  *theLeft = aBounds.left;
  *theTop = aBounds.top;
  *theRight = aBounds.right;
  *theBottom = aBounds.bottom;
  return true;
}

void CarbonWindowBridge::MoveWindow(WindowRef theWindow, int theLeft, int theTop) {
  ::MoveWindow(theWindow, static_cast<SInt16>(theLeft), static_cast<SInt16>(theTop), false);
}

void CarbonWindowBridge::SizeWindow(WindowRef theWindow, int theWidth, int theHeight) {
  ::SizeWindow(theWindow, static_cast<SInt16>(theWidth), static_cast<SInt16>(theHeight), true);
}

}  // namespace Tesk

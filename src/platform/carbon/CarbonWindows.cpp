// Window records, their properties and the window list; the back end makes them real.
#include "platform/carbon/CarbonWindows.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/carbon/CarbonBackend.h"
#include "platform/carbon/OpaqueWindowPtr.h"

namespace {

std::vector<WindowRef> sWindows;  // front to back

bool IsLive(WindowRef theWindow) {
  return theWindow != nullptr && std::find(sWindows.begin(), sWindows.end(), theWindow) != sWindows.end();
}

bool Inside(const Rect& theRect, Point thePoint) {
  return thePoint.h >= theRect.left && thePoint.h < theRect.right && thePoint.v >= theRect.top &&
         thePoint.v < theRect.bottom;
}

}  // namespace

WindowRef FindWindowByNative(const void* theNative) {
  for (WindowRef aWindow : sWindows) {
    if (aWindow->mNative == theNative) return aWindow;
  }
  return nullptr;
}

OSStatus RegisterAppearanceClient() { return noErr; }

OSStatus CreateNewWindow(WindowClass theClass, WindowAttributes theAttributes, const Rect* theContentBounds,
                         WindowRef* outWindow) {
  if (theContentBounds == nullptr || outWindow == nullptr) return paramErr;
  auto* aWindow = new OpaqueWindowPtr;
  aWindow->mClass = theClass;
  aWindow->mAttributes = theAttributes;
  aWindow->mContent = *theContentBounds;
  aWindow->mTarget = NewWindowEventTarget(aWindow);
  if (!GetCarbonBackend().CreateNativeWindow(aWindow)) {
    DisposeWindowEventTarget(aWindow->mTarget);
    delete aWindow;
    *outWindow = nullptr;
    return memFullErr;
  }
  sWindows.insert(sWindows.begin(), aWindow);
  *outWindow = aWindow;
  return noErr;
}

OSStatus CreateCustomWindow(const WindowDefSpec* theDef, WindowClass theClass, WindowAttributes theAttributes,
                            const Rect* theContentBounds, WindowRef* outWindow) {
  // The window manager draws every frame here, so the definition only names the window.
  if (theDef == nullptr) return paramErr;
  return CreateNewWindow(theClass, theAttributes, theContentBounds, outWindow);
}

void DisposeWindow(WindowRef theWindow) {
  if (!IsLive(theWindow)) return;
  EventRef anEvent = nullptr;
  if (CreateEvent(nullptr, kEventClassWindow, kEventWindowClosed, 0, 0, &anEvent) == noErr) {
    SetEventParameter(anEvent, kEventParamDirectObject, typeWindowRef, sizeof(theWindow), &theWindow);
    SendEventToEventTarget(anEvent, theWindow->mTarget);
    ReleaseEvent(anEvent);
  }
  if (!IsLive(theWindow)) return;  // a handler disposed of it meanwhile
  sWindows.erase(std::find(sWindows.begin(), sWindows.end(), theWindow));
  GetCarbonBackend().DestroyNativeWindow(theWindow);
  DisposeWindowEventTarget(theWindow->mTarget);
  delete theWindow;
}

OSStatus SetWindowProperty(WindowRef theWindow, PropertyCreator theCreator, PropertyTag theTag,
                           ByteCount theSize, const void* theBuffer) {
  if (!IsLive(theWindow)) return errInvalidWindowRef;
  if (theSize > 0 && theBuffer == nullptr) return paramErr;
  const auto* aBytes = static_cast<const unsigned char*>(theBuffer);
  theWindow->mProperties[{theCreator, theTag}].assign(aBytes, aBytes + theSize);
  return noErr;
}

OSStatus GetWindowProperty(WindowRef theWindow, PropertyCreator theCreator, PropertyTag theTag,
                           ByteCount theBufferSize, ByteCount* outActualSize, void* outBuffer) {
  if (!IsLive(theWindow)) return errInvalidWindowRef;
  auto it = theWindow->mProperties.find({theCreator, theTag});
  if (it == theWindow->mProperties.end()) return errWindowPropertyNotFound;
  if (outActualSize != nullptr) *outActualSize = it->second.size();
  if (outBuffer != nullptr && !it->second.empty()) {
    std::memcpy(outBuffer, it->second.data(), std::min(theBufferSize, it->second.size()));
  }
  return noErr;
}

OSStatus RemoveWindowProperty(WindowRef theWindow, PropertyCreator theCreator, PropertyTag theTag) {
  if (!IsLive(theWindow)) return errInvalidWindowRef;
  return theWindow->mProperties.erase({theCreator, theTag}) > 0 ? noErr : errWindowPropertyNotFound;
}

OSStatus SetWindowTitleWithCString(WindowRef theWindow, const char* theTitle) {
  if (!IsLive(theWindow) || theTitle == nullptr) return paramErr;
  theWindow->mTitle = theTitle;
  GetCarbonBackend().ApplyTitle(theWindow);
  return noErr;
}

void SetWRefCon(WindowRef theWindow, SRefCon theData) {
  if (IsLive(theWindow)) theWindow->mRefCon = theData;
}

SRefCon GetWRefCon(WindowRef theWindow) { return IsLive(theWindow) ? theWindow->mRefCon : 0; }

void ShowWindow(WindowRef theWindow) {
  if (!IsLive(theWindow) || theWindow->mVisible) return;
  theWindow->mVisible = true;
  GetCarbonBackend().ApplyVisibility(theWindow);
}

void HideWindow(WindowRef theWindow) {
  if (!IsLive(theWindow) || !theWindow->mVisible) return;
  theWindow->mVisible = false;
  GetCarbonBackend().ApplyVisibility(theWindow);
}

void SelectWindow(WindowRef theWindow) {
  if (!IsLive(theWindow)) return;
  sWindows.erase(std::find(sWindows.begin(), sWindows.end(), theWindow));
  sWindows.insert(sWindows.begin(), theWindow);
  GetCarbonBackend().Raise(theWindow);
}

Boolean IsWindowVisible(WindowRef theWindow) { return IsLive(theWindow) && theWindow->mVisible; }
Boolean IsWindowCollapsed(WindowRef theWindow) { return IsLive(theWindow) && theWindow->mCollapsed; }

OSStatus CollapseWindow(WindowRef theWindow, Boolean collapse) {
  if (!IsLive(theWindow)) return errInvalidWindowRef;
  if (theWindow->mCollapsed != (collapse != 0)) {
    theWindow->mCollapsed = collapse != 0;
    GetCarbonBackend().ApplyVisibility(theWindow);
  }
  return noErr;
}

OSStatus GetWindowBounds(WindowRef theWindow, WindowRegionCode theRegion, Rect* outBounds) {
  if (!IsLive(theWindow)) return errInvalidWindowRef;
  if (outBounds == nullptr || (theRegion != kWindowStructureRgn && theRegion != kWindowContentRgn))
    return paramErr;
  *outBounds = theWindow->mContent;
  if (theRegion == kWindowStructureRgn) {
    outBounds->top = static_cast<int16_t>(outBounds->top - GetCarbonBackend().TitleBarHeight());
  }
  return noErr;
}

void MoveWindow(WindowRef theWindow, SInt16 h, SInt16 v, Boolean bringToFront) {
  if (!IsLive(theWindow)) return;
  Rect& aContent = theWindow->mContent;
  aContent.right = static_cast<int16_t>(h + (aContent.right - aContent.left));
  aContent.bottom = static_cast<int16_t>(v + (aContent.bottom - aContent.top));
  aContent.left = h;
  aContent.top = v;
  GetCarbonBackend().ApplyBounds(theWindow);
  if (bringToFront) SelectWindow(theWindow);
}

void SizeWindow(WindowRef theWindow, SInt16 width, SInt16 height, Boolean) {
  if (!IsLive(theWindow)) return;
  theWindow->mContent.right = static_cast<int16_t>(theWindow->mContent.left + width);
  theWindow->mContent.bottom = static_cast<int16_t>(theWindow->mContent.top + height);
  GetCarbonBackend().ApplyBounds(theWindow);
}

WindowRef FrontWindow() { return sWindows.empty() ? nullptr : sWindows.front(); }
WindowRef FrontNonFloatingWindow() { return FrontWindow(); }

WindowRef GetNextWindow(WindowRef theWindow) {
  auto it = std::find(sWindows.begin(), sWindows.end(), theWindow);
  if (it == sWindows.end() || ++it == sWindows.end()) return nullptr;
  return *it;
}

void GetGlobalMouse(Point* outPoint) {
  if (outPoint != nullptr) *outPoint = GetCarbonBackend().GlobalMouse();
}

WindowPartCode FindWindow(Point thePoint, WindowRef* outWindow) {
  if (outWindow != nullptr) *outWindow = nullptr;
  for (WindowRef aWindow : sWindows) {
    if (!aWindow->mVisible || aWindow->mCollapsed) continue;
    Rect aStructure;
    if (GetWindowBounds(aWindow, kWindowStructureRgn, &aStructure) != noErr || !Inside(aStructure, thePoint))
      continue;
    if (outWindow != nullptr) *outWindow = aWindow;
    return Inside(aWindow->mContent, thePoint) ? inContent : inDrag;
  }
  return inNoWindow;
}

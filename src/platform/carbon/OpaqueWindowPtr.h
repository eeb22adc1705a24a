// The record behind a WindowRef, shared by the window functions and the back ends.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "platform/carbon/CarbonWindows.h"

struct OpaqueWindowPtr {
  WindowClass mClass = kDocumentWindowClass;
  WindowAttributes mAttributes = 0;
  Rect mContent = {0, 0, 0, 0};  // global coordinates
  std::string mTitle;
  bool mVisible = false;
  bool mCollapsed = false;
  SRefCon mRefCon = 0;
  std::map<std::pair<PropertyCreator, PropertyTag>, std::vector<unsigned char>> mProperties;
  EventTargetRef mTarget = nullptr;
  void* mNative = nullptr;  // the back end's own handle
};

// The window whose native handle is theNative, or null.
WindowRef FindWindowByNative(const void* theNative);

// Event targets of windows, made and dropped with the window.
EventTargetRef NewWindowEventTarget(WindowRef theWindow);
void DisposeWindowEventTarget(EventTargetRef theTarget);

// Core Graphics display queries and the QuickDraw device list, over SDL2 displays. Tests can
// replace the displays (size, refresh rate, screens, renderers) with a scripted set.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/carbon/CarbonTypes.h"

typedef uint32_t CGDirectDisplayID;

// One OpenGL renderer of a screen, as the renderer queries describe it.
struct GDRenderer {
  bool mAccelerated;
  int32_t mVideoMemory;
};

// One graphics device of the device list.
struct GDevice {
  Rect gdRect;
  bool mIsScreen;
  bool mIsActive;
  CGDirectDisplayID mDisplayID;
  std::vector<GDRenderer> mRenderers;
};
typedef GDevice* GDPtr;
typedef GDPtr* GDHandle;

enum : int16_t { screenDevice = 13, screenActive = 15 };

CGDirectDisplayID CGMainDisplayID();
size_t CGDisplayPixelsWide(CGDirectDisplayID theDisplay);
size_t CGDisplayPixelsHigh(CGDirectDisplayID theDisplay);
// The beam is not visible here: always 0.
uint32_t CGDisplayBeamPosition(CGDirectDisplayID theDisplay);
// The "RefreshRate" entry of the display's current mode; false when the mode has none.
bool CGDisplayCurrentModeRefreshRate(CGDirectDisplayID theDisplay, int32_t* theHz);

GDHandle GetDeviceList();
GDHandle GetNextDevice(GDHandle theDevice);
GDHandle GetMainDevice();
bool TestDeviceAttribute(GDHandle theDevice, int16_t theAttribute);
GDHandle DMGetGDeviceByDisplayID(CGDirectDisplayID theDisplay);
// The main screen less the menu bar: here the whole screen.
OSStatus GetAvailableWindowPositioningBounds(GDHandle theDevice, Rect* theBounds);

// A scripted display for tests.
struct CGTestDisplay {
  Rect mBounds;
  int32_t mRefreshRate;  // negative: the mode has no refresh rate
  bool mIsScreen;
  bool mIsActive;
  std::vector<GDRenderer> mRenderers;
};

// Replaces the displays with theDisplays (the first is the main one); an empty list goes back
// to SDL's displays.
void CGTestSetDisplays(const std::vector<CGTestDisplay>& theDisplays);
// One usable renderer, as this platform's software renderer is reported.
GDRenderer CGDefaultRenderer();

#include "platform/coregraphics/CoreGraphics.h"

#include <SDL.h>

#include <memory>
#include <mutex>

#include "platform/carbonwindow/CarbonWindow.h"

namespace {

// The software renderer is all there is; it is reported as accelerated so that the display
// accepts it, with a fixed amount of video memory.
const int32_t k_ReportedVideoMemory = 256 * 1024 * 1024;

struct DeviceList {
  std::vector<std::unique_ptr<GDevice>> mDevices;
  std::vector<GDPtr> mHandles;  // stable storage for the handles
  std::vector<int32_t> mRefreshRates;
  bool mScripted = false;
};

std::mutex gDeviceLock;
DeviceList gDevices;

int16_t Clamp16(int theValue) {
  if (theValue > 32767) return 32767;
  if (theValue < -32768) return -32768;
  return static_cast<int16_t>(theValue);
}

// Fills the list from SDL when nothing is scripted; called with the lock held.
void LoadDevices() {
  if (gDevices.mScripted || !gDevices.mDevices.empty()) return;
  int aCount = CarbonInitVideo() ? SDL_GetNumVideoDisplays() : 0;
  if (aCount < 1) {
    // Without a display there is still one nominal screen, so queries stay answerable.
    auto aDevice = std::make_unique<GDevice>();
    aDevice->gdRect = Rect{0, 0, 768, 1024};
    aDevice->mIsScreen = true;
    aDevice->mIsActive = true;
    aDevice->mDisplayID = 1;
    aDevice->mRenderers.push_back(CGDefaultRenderer());
    gDevices.mDevices.push_back(std::move(aDevice));
    gDevices.mRefreshRates.push_back(-1);
  }
  for (int i = 0; i < aCount; ++i) {
    SDL_Rect aBounds{0, 0, 0, 0};
    SDL_GetDisplayBounds(i, &aBounds);
    auto aDevice = std::make_unique<GDevice>();
    aDevice->gdRect = Rect{Clamp16(aBounds.y), Clamp16(aBounds.x), Clamp16(aBounds.y + aBounds.h),
                           Clamp16(aBounds.x + aBounds.w)};
    aDevice->mIsScreen = true;
    aDevice->mIsActive = true;
    aDevice->mDisplayID = static_cast<CGDirectDisplayID>(i + 1);
    aDevice->mRenderers.push_back(CGDefaultRenderer());
    SDL_DisplayMode aMode;
    int32_t aRate = -1;
    if (SDL_GetCurrentDisplayMode(i, &aMode) == 0 && aMode.refresh_rate > 0) aRate = aMode.refresh_rate;
    gDevices.mDevices.push_back(std::move(aDevice));
    gDevices.mRefreshRates.push_back(aRate);
  }
  gDevices.mHandles.resize(gDevices.mDevices.size());
  for (size_t i = 0; i < gDevices.mDevices.size(); ++i) gDevices.mHandles[i] = gDevices.mDevices[i].get();
}

int IndexOfDisplay(CGDirectDisplayID theDisplay) {
  for (size_t i = 0; i < gDevices.mDevices.size(); ++i)
    if (gDevices.mDevices[i]->mDisplayID == theDisplay) return static_cast<int>(i);
  return -1;
}

int IndexOfHandle(GDHandle theDevice) {
  for (size_t i = 0; i < gDevices.mHandles.size(); ++i)
    if (&gDevices.mHandles[i] == theDevice) return static_cast<int>(i);
  return -1;
}

}  // namespace

GDRenderer CGDefaultRenderer() { return GDRenderer{true, k_ReportedVideoMemory}; }

void CGTestSetDisplays(const std::vector<CGTestDisplay>& theDisplays) {
  std::lock_guard<std::mutex> aLock(gDeviceLock);
  gDevices = DeviceList();
  if (theDisplays.empty()) return;
  gDevices.mScripted = true;
  CGDirectDisplayID anId = 1;
  for (const CGTestDisplay& aDisplay : theDisplays) {
    auto aDevice = std::make_unique<GDevice>();
    aDevice->gdRect = aDisplay.mBounds;
    aDevice->mIsScreen = aDisplay.mIsScreen;
    aDevice->mIsActive = aDisplay.mIsActive;
    aDevice->mDisplayID = anId++;
    aDevice->mRenderers = aDisplay.mRenderers;
    gDevices.mDevices.push_back(std::move(aDevice));
    gDevices.mRefreshRates.push_back(aDisplay.mRefreshRate);
  }
  gDevices.mHandles.resize(gDevices.mDevices.size());
  for (size_t i = 0; i < gDevices.mDevices.size(); ++i) gDevices.mHandles[i] = gDevices.mDevices[i].get();
}

CGDirectDisplayID CGMainDisplayID() {
  std::lock_guard<std::mutex> aLock(gDeviceLock);
  LoadDevices();
  return gDevices.mDevices.empty() ? 0 : gDevices.mDevices[0]->mDisplayID;
}

size_t CGDisplayPixelsWide(CGDirectDisplayID theDisplay) {
  std::lock_guard<std::mutex> aLock(gDeviceLock);
  LoadDevices();
  int i = IndexOfDisplay(theDisplay);
  if (i < 0) return 0;
  const Rect& r = gDevices.mDevices[i]->gdRect;
  return static_cast<size_t>(r.right - r.left);
}

size_t CGDisplayPixelsHigh(CGDirectDisplayID theDisplay) {
  std::lock_guard<std::mutex> aLock(gDeviceLock);
  LoadDevices();
  int i = IndexOfDisplay(theDisplay);
  if (i < 0) return 0;
  const Rect& r = gDevices.mDevices[i]->gdRect;
  return static_cast<size_t>(r.bottom - r.top);
}

uint32_t CGDisplayBeamPosition(CGDirectDisplayID) { return 0; }

bool CGDisplayCurrentModeRefreshRate(CGDirectDisplayID theDisplay, int32_t* theHz) {
  std::lock_guard<std::mutex> aLock(gDeviceLock);
  LoadDevices();
  int i = IndexOfDisplay(theDisplay);
  if (i < 0 || gDevices.mRefreshRates[i] < 0) return false;
  *theHz = gDevices.mRefreshRates[i];
  return true;
}

GDHandle GetDeviceList() {
  std::lock_guard<std::mutex> aLock(gDeviceLock);
  LoadDevices();
  return gDevices.mHandles.empty() ? nullptr : &gDevices.mHandles[0];
}

GDHandle GetNextDevice(GDHandle theDevice) {
  std::lock_guard<std::mutex> aLock(gDeviceLock);
  int i = IndexOfHandle(theDevice);
  if (i < 0 || i + 1 >= static_cast<int>(gDevices.mHandles.size())) return nullptr;
  return &gDevices.mHandles[i + 1];
}

GDHandle GetMainDevice() { return GetDeviceList(); }

bool TestDeviceAttribute(GDHandle theDevice, int16_t theAttribute) {
  if (theDevice == nullptr) return false;
  if (theAttribute == screenDevice) return (*theDevice)->mIsScreen;
  if (theAttribute == screenActive) return (*theDevice)->mIsActive;
  return false;
}

GDHandle DMGetGDeviceByDisplayID(CGDirectDisplayID theDisplay) {
  std::lock_guard<std::mutex> aLock(gDeviceLock);
  LoadDevices();
  int i = IndexOfDisplay(theDisplay);
  return i < 0 ? nullptr : &gDevices.mHandles[i];
}

OSStatus GetAvailableWindowPositioningBounds(GDHandle theDevice, Rect* theBounds) {
  if (theDevice == nullptr || theBounds == nullptr) return paramErr;
  *theBounds = (*theDevice)->gdRect;
  return noErr;
}

#include "display/GLWindowInfo.h"

#include <cstdio>
#include <cstring>

namespace {

// Larger than any screen's memory, so the smallest of the screens' bests wins. (0x8FFFFFFF, the
// old sentinel, is negative in 32 bits and would win against every screen.)
constexpr int32_t k_NoVideoMemoryYet = 0x7FFFFFFF;

// Runs the two passes over one renderer list: is any accelerated, and which candidate has the
// most memory at or above the need. Returns whether one qualified; *theBest gets its memory.
bool BestRenderer(AGLRendererInfo theInfo, int32_t theNeeded, bool isAcceleratedRequired, int32_t* theBest) {
  bool anyAccelerated = false;
  for (AGLRendererInfo r = theInfo; r != nullptr; r = aglNextRendererInfo(r)) {
    GLint anAccelerated = 0;
    aglDescribeRenderer(r, AGL_ACCELERATED, &anAccelerated);
    aglReportError();
    if (anAccelerated) anyAccelerated = true;
  }
  bool aFound = false;
  int32_t aBest = 0;
  for (AGLRendererInfo r = theInfo; r != nullptr; r = aglNextRendererInfo(r)) {
    GLint anAccelerated = 0;
    aglDescribeRenderer(r, AGL_ACCELERATED, &anAccelerated);
    aglReportError();
    bool isCandidate = (anAccelerated && anyAccelerated) || (!anyAccelerated && !isAcceleratedRequired);
    if (!isCandidate) continue;
    GLint aMemory = 0;
    aglDescribeRenderer(r, AGL_VIDEO_MEMORY, &aMemory);
    aglReportError();
    if (aMemory >= theNeeded && aMemory >= aBest) {
      aBest = aMemory;
      aFound = true;
    }
  }
  *theBest = aBest;
  return aFound;
}

}  // namespace

void ReportError(const char* theMessage) {
  char aText[256];
  std::snprintf(aText, sizeof(aText), "%s\n", theMessage);
  SysBeep(5);
  unsigned char aPascal[256];
  size_t aLength = std::strlen(aText);
  if (aLength > 255) aLength = 255;
  aPascal[0] = static_cast<unsigned char>(aLength);
  std::memcpy(aPascal + 1, aText, aLength);
  DebugStr(aPascal);
}

GLenum aglReportError() {
  GLenum anError = aglGetError();
  if (anError != AGL_NO_ERROR) ReportError(reinterpret_cast<const char*>(aglErrorString(anError)));
  return anError;
}

bool PreflightGL(bool) { return true; }

short FindGDHandleFromWindow(WindowPtr theWindow, GDHandle* theDevice) {
  if (theWindow == nullptr || theDevice == nullptr) return 0;
  *theDevice = nullptr;
  GrafPtr aSavedPort = nullptr;
  GetPort(&aSavedPort);
  SetPort(GetWindowPort(theWindow));
  Rect aPortBounds;
  GetWindowPortBounds(theWindow, &aPortBounds);
  Point aTopLeft{aPortBounds.top, aPortBounds.left};
  Point aBottomRight{aPortBounds.bottom, aPortBounds.right};
  LocalToGlobal(&aTopLeft);
  LocalToGlobal(&aBottomRight);
  Rect aWindowRect{aTopLeft.v, aTopLeft.h, aBottomRight.v, aBottomRight.h};
  short aCount = 0;
  int32_t aGreatestArea = 0;
  for (GDHandle d = GetDeviceList(); d != nullptr; d = GetNextDevice(d)) {
    if (!TestDeviceAttribute(d, screenDevice) || !TestDeviceAttribute(d, screenActive)) continue;
    Rect anOverlap;
    SectRect(&aWindowRect, &(*d)->gdRect, &anOverlap);
    int32_t anArea =
        static_cast<int32_t>(anOverlap.right - anOverlap.left) * (anOverlap.bottom - anOverlap.top);
    if (anArea > 0) ++aCount;
    if (anArea > aGreatestArea) {
      aGreatestArea = anArea;
      *theDevice = d;
    }
  }
  SetPort(aSavedPort);
  return aCount;
}

bool CheckRenderer(GDHandle theDevice, int32_t* theVideoMemory, int32_t* theTextureMemory, int32_t*,
                   bool isAcceleratedRequired) {
  AGLRendererInfo anInfo = aglQueryRendererInfo(&theDevice, 1);
  aglReportError();
  if (anInfo == nullptr) {
    ReportError("aglQueryRendererInfo error");
    return false;
  }
  int32_t aBest = 0;
  bool aFound = BestRenderer(anInfo, *theVideoMemory + *theTextureMemory, isAcceleratedRequired, &aBest);
  aglDestroyRendererInfo(anInfo);
  aglReportError();
  if (aFound) *theVideoMemory = aBest;
  return aFound;
}

bool CheckAllDeviceRenderers(int32_t* theVideoMemory, int32_t* theTextureMemory, int32_t*,
                             bool isAcceleratedRequired) {
  int32_t aSmallest = k_NoVideoMemoryYet;
  for (GDHandle d = GetDeviceList(); d != nullptr; d = GetNextDevice(d)) {
    if (!TestDeviceAttribute(d, screenDevice) || !TestDeviceAttribute(d, screenActive)) continue;
    AGLRendererInfo anInfo = aglQueryRendererInfo(&d, 1);
    aglReportError();
    if (anInfo == nullptr) {
      ReportError("aglQueryRendererInfo error");
      return false;
    }
    int32_t aBest = 0;
    bool aFound = BestRenderer(anInfo, *theVideoMemory + *theTextureMemory, isAcceleratedRequired, &aBest);
    aglDestroyRendererInfo(anInfo);
    aglReportError();
    if (!aFound) return false;
    if (aBest < aSmallest) aSmallest = aBest;
  }
  *theVideoMemory = aSmallest;
  return true;
}

OSStatus BuildGLFromWindow(WindowPtr theWindow, AGLContext* theContext, structGLWindowInfo* theInfo,
                           AGLContext theShareContext) {
  if (theWindow == nullptr || theInfo == nullptr || theContext == nullptr) {
    ReportError("NULL parameter passed to BuildGLonDrawable.");
    return paramErr;
  }
  *theContext = nullptr;
  GrafPtr aSavedPort = nullptr;
  GetPort(&aSavedPort);
  SetPort(GetWindowPort(theWindow));
  GDHandle aDevice = nullptr;
  short aDeviceCount = FindGDHandleFromWindow(theWindow, &aDevice);
  int32_t aScratch = 0;
  bool aChecked = true;
  if (theInfo->checkAllDevices) {
    aChecked = CheckAllDeviceRenderers(&theInfo->videoMemoryNeeded, &theInfo->textureMemoryNeeded, &aScratch,
                                       theInfo->acceleratedRequired);
  } else if (aDeviceCount == 1) {
    aChecked = CheckRenderer(aDevice, &theInfo->videoMemoryNeeded, &theInfo->textureMemoryNeeded, &aScratch,
                             theInfo->acceleratedRequired);
  } else if (theInfo->acceleratedRequired) {
    ReportError("Unable to accelerate window that spans multiple devices");
    SetPort(aSavedPort);
    return noErr;
  }
  if (!aChecked) {
    ReportError("Renderer check failed");
    SetPort(aSavedPort);
    return noErr;
  }
  if (theInfo->checkAllDevices || aDeviceCount != 1)
    theInfo->pixelFormat = aglChoosePixelFormat(nullptr, 0, theInfo->attributes);
  else
    theInfo->pixelFormat = aglChoosePixelFormat(&aDevice, 1, theInfo->attributes);
  aglReportError();
  if (theInfo->pixelFormat == nullptr) {
    ReportError("Could not find valid pixel format");
    SetPort(aSavedPort);
    return noErr;
  }
  *theContext = aglCreateContext(theInfo->pixelFormat, theShareContext);
  GLenum anError = aglReportError();
  if (anError == AGL_BAD_MATCH) *theContext = aglCreateContext(theInfo->pixelFormat, nullptr);
  if (*theContext == nullptr) {
    ReportError("Could not create context");
    SetPort(aSavedPort);
    return noErr;
  }
  if (!aglSetDrawable(*theContext, GetWindowPort(theWindow))) {
    SetPort(aSavedPort);
    return static_cast<OSStatus>(aglReportError());
  }
  if (!aglSetCurrentContext(*theContext)) {
    SetPort(aSavedPort);
    return static_cast<OSStatus>(aglReportError());
  }
  SetPort(aSavedPort);
  return noErr;
}

OSStatus DestroyGLFromWindow(AGLContext* theContext, structGLWindowInfo* theInfo) {
  if (theContext == nullptr || *theContext == nullptr || theInfo == nullptr) return paramErr;
  if (aglGetCurrentContext() == *theContext) glFinish();
  aglSetCurrentContext(nullptr);
  GLenum anError = aglReportError();
  aglSetDrawable(*theContext, nullptr);
  anError = aglReportError();
  aglDestroyContext(*theContext);
  anError = aglReportError();
  *theContext = nullptr;
  if (theInfo->pixelFormat != nullptr) {
    aglDestroyPixelFormat(theInfo->pixelFormat);
    theInfo->pixelFormat = nullptr;
    anError = aglReportError();
  }
  return static_cast<OSStatus>(anError);
}

#include "platform/carbonwindow/CarbonWindow.h"

#include <cstdio>
#include <cstring>
#include <mutex>

#include "platform/coregraphics/CoreGraphics.h"

namespace {

std::mutex gCarbonLock;
WindowRef gFrontWindow = nullptr;
GrafPtr gCurrentPort = nullptr;
std::atomic<int> gBeepCount{0};
std::string gLastDebugStr;

}  // namespace

bool SectRect(const Rect* theA, const Rect* theB, Rect* theOut) {
  Rect r;
  r.top = theA->top > theB->top ? theA->top : theB->top;
  r.left = theA->left > theB->left ? theA->left : theB->left;
  r.bottom = theA->bottom < theB->bottom ? theA->bottom : theB->bottom;
  r.right = theA->right < theB->right ? theA->right : theB->right;
  if (r.top >= r.bottom || r.left >= r.right) r = Rect{0, 0, 0, 0};
  *theOut = r;
  return r.bottom > r.top;
}

bool CarbonInitVideo() {
  static std::once_flag sOnce;
  static bool sOk = false;
  std::call_once(sOnce, [] {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      std::fprintf(stderr, "video: %s\n", SDL_GetError());
      return;
    }
    // Fixed-function OpenGL with rectangle textures: a compatibility context. No depth or
    // stencil buffer is drawn into, so none is asked for.
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_RED_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_GREEN_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_BLUE_SIZE, 8);
    SDL_GL_SetAttribute(SDL_GL_ALPHA_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 1);
    sOk = true;
  });
  return sOk;
}

OSStatus CreateNewWindow(WindowClass, WindowAttributes, const Rect* theBounds, WindowRef* theWindow) {
  if (theBounds == nullptr || theWindow == nullptr) return paramErr;
  *theWindow = nullptr;
  if (!CarbonInitVideo()) return paramErr;
  int aWidth = theBounds->right - theBounds->left;
  int aHeight = theBounds->bottom - theBounds->top;
  if (aWidth < 1 || aHeight < 1) return paramErr;
  SDL_Window* aSDLWindow = SDL_CreateWindow("", theBounds->left, theBounds->top, aWidth, aHeight,
                                            SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (aSDLWindow == nullptr) return paramErr;
  WindowRef aWindow = new OpaqueWindowPtr;
  aWindow->mSDLWindow = aSDLWindow;
  aWindow->mPort.mWindow = aWindow;
  aWindow->mRefCon = 0;
  std::lock_guard<std::mutex> aLock(gCarbonLock);
  gFrontWindow = aWindow;
  *theWindow = aWindow;
  return noErr;
}

void DisposeWindow(WindowRef theWindow) {
  if (theWindow == nullptr) return;
  {
    std::lock_guard<std::mutex> aLock(gCarbonLock);
    if (gFrontWindow == theWindow) gFrontWindow = nullptr;
    if (gCurrentPort == &theWindow->mPort) gCurrentPort = nullptr;
  }
  SDL_DestroyWindow(theWindow->mSDLWindow);
  delete theWindow;
}

void ShowWindow(WindowRef theWindow) {
  if (theWindow != nullptr) SDL_ShowWindow(theWindow->mSDLWindow);
}

WindowRef FrontWindow() {
  std::lock_guard<std::mutex> aLock(gCarbonLock);
  return gFrontWindow;
}

void SelectWindow(WindowRef theWindow) {
  if (theWindow == nullptr) return;
  SDL_RaiseWindow(theWindow->mSDLWindow);
  std::lock_guard<std::mutex> aLock(gCarbonLock);
  gFrontWindow = theWindow;
}

void SizeWindow(WindowRef theWindow, int16_t theWidth, int16_t theHeight, Boolean) {
  if (theWindow == nullptr || theWidth < 1 || theHeight < 1) return;
  SDL_SetWindowSize(theWindow->mSDLWindow, theWidth, theHeight);
}

OSStatus RepositionWindow(WindowRef theWindow, WindowRef, uint32_t theMethod) {
  if (theWindow == nullptr) return paramErr;
  if (theMethod == kWindowCenterOnMainScreen) {
    int aWidth = 0, aHeight = 0;
    SDL_GetWindowSize(theWindow->mSDLWindow, &aWidth, &aHeight);
    int aScreenWidth = static_cast<int>(CGDisplayPixelsWide(CGMainDisplayID()));
    int aScreenHeight = static_cast<int>(CGDisplayPixelsHigh(CGMainDisplayID()));
    SDL_SetWindowPosition(theWindow->mSDLWindow, (aScreenWidth - aWidth) / 2, (aScreenHeight - aHeight) / 2);
  }
  return noErr;
}

OSStatus GetWindowBounds(WindowRef theWindow, WindowRegionCode, Rect* theBounds) {
  if (theWindow == nullptr || theBounds == nullptr) return paramErr;
  int x = 0, y = 0, w = 0, h = 0;
  SDL_GetWindowPosition(theWindow->mSDLWindow, &x, &y);
  SDL_GetWindowSize(theWindow->mSDLWindow, &w, &h);
  *theBounds = Rect{static_cast<int16_t>(y), static_cast<int16_t>(x), static_cast<int16_t>(y + h),
                    static_cast<int16_t>(x + w)};
  return noErr;
}

OSStatus SetWindowBounds(WindowRef theWindow, WindowRegionCode, const Rect* theBounds) {
  if (theWindow == nullptr || theBounds == nullptr) return paramErr;
  int w = theBounds->right - theBounds->left, h = theBounds->bottom - theBounds->top;
  if (w < 1 || h < 1) return paramErr;
  SDL_SetWindowSize(theWindow->mSDLWindow, w, h);
  SDL_SetWindowPosition(theWindow->mSDLWindow, theBounds->left, theBounds->top);
  return noErr;
}

Rect* GetWindowPortBounds(WindowRef theWindow, Rect* theBounds) {
  int w = 0, h = 0;
  if (theWindow != nullptr) SDL_GL_GetDrawableSize(theWindow->mSDLWindow, &w, &h);
  *theBounds = Rect{0, 0, static_cast<int16_t>(h), static_cast<int16_t>(w)};
  return theBounds;
}

CGrafPtr GetWindowPort(WindowRef theWindow) { return theWindow == nullptr ? nullptr : &theWindow->mPort; }

OSStatus GetWindowStructureWidths(WindowRef theWindow, Rect* theWidths) {
  if (theWindow == nullptr || theWidths == nullptr) return paramErr;
  *theWidths = Rect{0, 0, 0, 0};
  return noErr;
}

void SetWRefCon(WindowRef theWindow, long theRefCon) {
  if (theWindow != nullptr) theWindow->mRefCon = theRefCon;
}

long GetWRefCon(WindowRef theWindow) { return theWindow == nullptr ? 0 : theWindow->mRefCon; }

void GetPort(GrafPtr* thePort) {
  std::lock_guard<std::mutex> aLock(gCarbonLock);
  *thePort = gCurrentPort;
}

void SetPort(GrafPtr thePort) {
  std::lock_guard<std::mutex> aLock(gCarbonLock);
  gCurrentPort = thePort;
}

void LocalToGlobal(Point* thePoint) {
  GrafPtr aPort = nullptr;
  GetPort(&aPort);
  if (aPort == nullptr || aPort->mWindow == nullptr) return;
  Rect aBounds;
  GetWindowBounds(aPort->mWindow, kWindowContentRgn, &aBounds);
  thePoint->h = static_cast<int16_t>(thePoint->h + aBounds.left);
  thePoint->v = static_cast<int16_t>(thePoint->v + aBounds.top);
}

void HideMenuBar() {}

OSStatus SetSystemUIMode(uint32_t, uint32_t) { return noErr; }

void SysBeep(int16_t) { ++gBeepCount; }

int CarbonBeepCount() { return gBeepCount.load(); }

void DebugStr(const unsigned char* thePascalText) {
  std::string aText;
  if (thePascalText != nullptr)
    aText.assign(reinterpret_cast<const char*>(thePascalText + 1), thePascalText[0]);
  std::fprintf(stderr, "%s", aText.c_str());
  std::lock_guard<std::mutex> aLock(gCarbonLock);
  gLastDebugStr = aText;
}

std::string CarbonLastDebugStr() {
  std::lock_guard<std::mutex> aLock(gCarbonLock);
  return gLastDebugStr;
}

void Debugger(const char* theWhy) {
  std::fprintf(stderr, "debugger: %s\n", theWhy);
  std::lock_guard<std::mutex> aLock(gCarbonLock);
  gLastDebugStr = theWhy;
}

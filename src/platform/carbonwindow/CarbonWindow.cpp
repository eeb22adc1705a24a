#include "platform/carbonwindow/CarbonWindow.h"

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "platform/carbon/CarbonBackend.h"
#include "platform/carbon/OpaqueWindowPtr.h"
#include "platform/carbon/backend/SdlBackend.h"
#include "platform/coregraphics/CoreGraphics.h"

namespace {

std::mutex gCarbonLock;
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
    // Fixed-function OpenGL with rectangle textures: a compatibility context. The pixel format
    // stays SDL's default, the one the game window was made with before any context exists
    // (a context of another format could not be made current on it).
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 2);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 1);
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_SHARE_WITH_CURRENT_CONTEXT, 1);
    // Video ends at exit once nothing else holds it, closing the display and with it the GL
    // driver's screen and its threads (whoever made contexts releases them first).
    std::atexit([] { SDL_QuitSubSystem(SDL_INIT_VIDEO); });
    sOk = true;
  });
  return sOk;
}

SDL_Window* CarbonSDLWindow(WindowRef theWindow) {
  if (theWindow == nullptr || dynamic_cast<SdlBackend*>(&GetCarbonBackend()) == nullptr) return nullptr;
  return static_cast<SDL_Window*>(theWindow->mNative);
}

OSStatus RepositionWindow(WindowRef theWindow, WindowRef, uint32_t theMethod) {
  if (theWindow == nullptr) return paramErr;
  if (theMethod == kWindowCenterOnMainScreen) {
    const Rect& aContent = theWindow->mContent;
    int aWidth = aContent.right - aContent.left, aHeight = aContent.bottom - aContent.top;
    int aScreenWidth = static_cast<int>(CGDisplayPixelsWide(CGMainDisplayID()));
    int aScreenHeight = static_cast<int>(CGDisplayPixelsHigh(CGMainDisplayID()));
    MoveWindow(theWindow, static_cast<SInt16>((aScreenWidth - aWidth) / 2),
               static_cast<SInt16>((aScreenHeight - aHeight) / 2), false);
  }
  return noErr;
}

OSStatus SetWindowBounds(WindowRef theWindow, WindowRegionCode, const Rect* theBounds) {
  if (theWindow == nullptr || theBounds == nullptr) return paramErr;
  int aWidth = theBounds->right - theBounds->left, aHeight = theBounds->bottom - theBounds->top;
  if (aWidth < 1 || aHeight < 1) return paramErr;
  MoveWindow(theWindow, theBounds->left, theBounds->top, false);
  SizeWindow(theWindow, static_cast<SInt16>(aWidth), static_cast<SInt16>(aHeight), false);
  return noErr;
}

Rect* GetWindowPortBounds(WindowRef theWindow, Rect* theBounds) {
  *theBounds = Rect{0, 0, 0, 0};
  if (theWindow != nullptr) {
    const Rect& aContent = theWindow->mContent;
    *theBounds = Rect{0, 0, static_cast<int16_t>(aContent.bottom - aContent.top),
                      static_cast<int16_t>(aContent.right - aContent.left)};
  }
  return theBounds;
}

CGrafPtr GetWindowPort(WindowRef theWindow) { return reinterpret_cast<CGrafPtr>(theWindow); }

WindowRef GetWindowFromPort(CGrafPtr thePort) { return reinterpret_cast<WindowRef>(thePort); }

OSStatus GetWindowStructureWidths(WindowRef theWindow, Rect* theWidths) {
  if (theWindow == nullptr || theWidths == nullptr) return paramErr;
  *theWidths = Rect{0, 0, 0, 0};
  return noErr;
}

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
  WindowRef aWindow = GetWindowFromPort(aPort);
  if (aWindow == nullptr) return;
  thePoint->h = static_cast<int16_t>(thePoint->h + aWindow->mContent.left);
  thePoint->v = static_cast<int16_t>(thePoint->v + aWindow->mContent.top);
}

void ConfineMouseToWindow(WindowRef theWindow, const Rect* theBounds) {
  SDL_Window* aWindow = CarbonSDLWindow(theWindow);
  if (aWindow == nullptr) return;
  if (theBounds == nullptr) {
    SDL_SetWindowMouseRect(aWindow, nullptr);
    return;
  }
  const SDL_Rect aRect{theBounds->left, theBounds->top, theBounds->right - theBounds->left,
                       theBounds->bottom - theBounds->top};
  SDL_SetWindowMouseRect(aWindow, &aRect);
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

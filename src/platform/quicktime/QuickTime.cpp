#include "platform/quicktime/QuickTime.h"

#include <atomic>

#include "platform/carbon/OpaqueWindowPtr.h"

namespace {

struct FullScreenState {
  // By SDL's id, which no later window takes: the window may be gone when full screen ends
  // (switching to a window makes a new one).
  Uint32 mWindowId;
  SDL_Rect mWindowed;  // where the window was, to put it back
};

std::atomic<OSErr> gMoviesError{0};
std::atomic<bool> gFailNextBegin{false};

}  // namespace

void QTTestFailNextBeginFullScreen() { gFailNextBegin = true; }

OSErr GetMoviesError() { return gMoviesError.load(); }

OSErr BeginFullScreen(Ptr* theRestoreState, GDHandle theDevice, int16_t* theWidth, int16_t* theHeight,
                      WindowRef*, void*, int32_t) {
  if (theRestoreState == nullptr) return gMoviesError = paramErr;
  *theRestoreState = nullptr;
  WindowRef aWindow = FrontWindow();
  if (gFailNextBegin.exchange(false) || aWindow == nullptr) return gMoviesError = kQTFullScreenFailed;
  SDL_Window* aSDLWindow = CarbonSDLWindow(aWindow);
  if (aSDLWindow == nullptr) return gMoviesError = kQTFullScreenFailed;
  SDL_Rect aWindowed;
  SDL_GetWindowPosition(aSDLWindow, &aWindowed.x, &aWindowed.y);
  SDL_GetWindowSize(aSDLWindow, &aWindowed.w, &aWindowed.h);
  // Cover the screen first: full screen is a request to the window manager, and with none
  // (a bare X server) the window would keep its size while the frame is drawn for the screen's.
  SDL_Rect aScreen;
  if (SDL_GetDisplayBounds(SDL_GetWindowDisplayIndex(aSDLWindow), &aScreen) == 0) {
    SDL_SetWindowPosition(aSDLWindow, aScreen.x, aScreen.y);
    SDL_SetWindowSize(aSDLWindow, aScreen.w, aScreen.h);
  }
  if (SDL_SetWindowFullscreen(aSDLWindow, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
    SDL_SetWindowSize(aSDLWindow, aWindowed.w, aWindowed.h);
    SDL_SetWindowPosition(aSDLWindow, aWindowed.x, aWindowed.y);
    return gMoviesError = kQTFullScreenFailed;
  }
  GDHandle aDevice = theDevice != nullptr ? theDevice : GetMainDevice();
  if (aDevice != nullptr) {
    const Rect& r = (*aDevice)->gdRect;
    if (theWidth != nullptr) *theWidth = static_cast<int16_t>(r.right - r.left);
    if (theHeight != nullptr) *theHeight = static_cast<int16_t>(r.bottom - r.top);
  }
  *theRestoreState = reinterpret_cast<Ptr>(new FullScreenState{SDL_GetWindowID(aSDLWindow), aWindowed});
  return gMoviesError = noErr;
}

OSErr EndFullScreen(Ptr theRestoreState, int32_t) {
  if (theRestoreState == nullptr) return gMoviesError = paramErr;
  FullScreenState* aState = reinterpret_cast<FullScreenState*>(theRestoreState);
  SDL_Window* aSDLWindow = SDL_GetWindowFromID(aState->mWindowId);
  if (aSDLWindow == nullptr) {
    // Its window is gone, and its full screen with it.
    delete aState;
    return gMoviesError = noErr;
  }
  int aResult = SDL_SetWindowFullscreen(aSDLWindow, 0);
  // The pointer goes where it likes again.
  SDL_SetWindowMouseRect(aSDLWindow, nullptr);
  const SDL_Rect& r = aState->mWindowed;
  if (WindowRef aWindow = FindWindowByNative(aSDLWindow)) {
    // Through the window's record, which then holds its place at once (SDL's events would tell
    // it later, after the next set-up of the window had read the full screen's size from it).
    SizeWindow(aWindow, static_cast<SInt16>(r.w), static_cast<SInt16>(r.h), false);
    MoveWindow(aWindow, static_cast<SInt16>(r.x), static_cast<SInt16>(r.y), false);
  } else {
    SDL_SetWindowSize(aSDLWindow, r.w, r.h);
    SDL_SetWindowPosition(aSDLWindow, r.x, r.y);
  }
  delete aState;
  return gMoviesError = (aResult == 0 ? static_cast<OSErr>(noErr) : static_cast<OSErr>(kQTFullScreenFailed));
}

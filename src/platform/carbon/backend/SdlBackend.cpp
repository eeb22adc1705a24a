#include "platform/carbon/backend/SdlBackend.h"

#include <cstdio>

#include "platform/carbon/CarbonEventSource.h"
#include "platform/coreservices/MacRoman.h"
#include "platform/carbon/OpaqueWindowPtr.h"
#include "platform/carbon/backend/SdlKeyMap.h"

namespace {

WindowRef WindowOfId(Uint32 theId) { return FindWindowByNative(SDL_GetWindowFromID(theId)); }

// The first character of UTF-8 text as a Unicode value.
uint32_t FirstCodePoint(const char* theText) {
  const auto* p = reinterpret_cast<const unsigned char*>(theText);
  if (p[0] < 0x80) return p[0];
  int aLength = p[0] >= 0xF0 ? 4 : p[0] >= 0xE0 ? 3 : 2;
  uint32_t aChar = p[0] & (0x3F >> (aLength - 1));
  for (int i = 1; i < aLength; ++i) {
    if ((p[i] & 0xC0) != 0x80) return 0;
    aChar = (aChar << 6) | (p[i] & 0x3F);
  }
  return aChar;
}

}  // namespace

SdlBackend::SdlBackend() {
  // The program decides what closing its last window means.
  SDL_SetHint(SDL_HINT_QUIT_ON_LAST_WINDOW_CLOSE, "0");
  mVideoReady = SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
  if (!mVideoReady) std::fprintf(stderr, "could not start video: %s\n", SDL_GetError());
}

SdlBackend::~SdlBackend() {
  for (SDL_Cursor* aCursor : mCursors) {
    if (aCursor != nullptr) SDL_FreeCursor(aCursor);
  }
  if (mVideoReady) SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void SdlBackend::PumpEvents() {
  if (!mVideoReady) return;
  SDL_Event anEvent;
  while (SDL_PollEvent(&anEvent)) Translate(anEvent);
}

void SdlBackend::Translate(const SDL_Event& theEvent) {
  switch (theEvent.type) {
    case SDL_QUIT:
      CarbonEventSource::PostAppleEvent(kCoreEventClass, kAEQuitApplication);
      break;
    case SDL_WINDOWEVENT:
      TranslateWindowEvent(theEvent.window);
      break;
    case SDL_MOUSEMOTION: {
      WindowRef aWindow = WindowOfId(theEvent.motion.windowID);
      if (aWindow == nullptr) break;
      Uint32 aState = theEvent.motion.state;
      UInt32 aKind = aState != 0 ? kEventMouseDragged : kEventMouseMoved;
      EventMouseButton aButton = (aState & SDL_BUTTON_LMASK)   ? kEventMouseButtonPrimary
                                 : (aState & SDL_BUTTON_RMASK) ? kEventMouseButtonSecondary
                                 : (aState & SDL_BUTTON_MMASK) ? kEventMouseButtonTertiary
                                                               : 0;
      CarbonEventSource::PostMouse(aWindow, aKind, theEvent.motion.x, theEvent.motion.y, aButton, 0,
                                   SdlModToMacModifiers(SDL_GetModState()));
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      WindowRef aWindow = WindowOfId(theEvent.button.windowID);
      if (aWindow == nullptr) break;
      EventMouseButton aButton = theEvent.button.button == SDL_BUTTON_RIGHT    ? kEventMouseButtonSecondary
                                 : theEvent.button.button == SDL_BUTTON_MIDDLE ? kEventMouseButtonTertiary
                                                                               : kEventMouseButtonPrimary;
      CarbonEventSource::PostMouse(
          aWindow, theEvent.type == SDL_MOUSEBUTTONDOWN ? kEventMouseDown : kEventMouseUp, theEvent.button.x,
          theEvent.button.y, aButton, theEvent.button.clicks, SdlModToMacModifiers(SDL_GetModState()));
      break;
    }
    case SDL_MOUSEWHEEL: {
      WindowRef aWindow = WindowOfId(theEvent.wheel.windowID);
      if (aWindow == nullptr || theEvent.wheel.y == 0) break;
      int x = 0;
      int y = 0;
      SDL_GetMouseState(&x, &y);
      SInt32 aDelta =
          theEvent.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -theEvent.wheel.y : theEvent.wheel.y;
      CarbonEventSource::PostWheel(aWindow, x, y, aDelta, SdlModToMacModifiers(SDL_GetModState()));
      break;
    }
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      TranslateKey(theEvent.key);
      break;
    default:
      break;  // text that no key press claimed, and everything else
  }
}

void SdlBackend::TranslateWindowEvent(const SDL_WindowEvent& theEvent) {
  WindowRef aWindow = WindowOfId(theEvent.windowID);
  if (aWindow == nullptr) return;
  Rect& aContent = aWindow->mContent;
  switch (theEvent.event) {
    case SDL_WINDOWEVENT_SHOWN:
      CarbonEventSource::PostWindowEvent(aWindow, kEventWindowShown);
      break;
    case SDL_WINDOWEVENT_HIDDEN:
      CarbonEventSource::PostWindowEvent(aWindow, kEventWindowHidden);
      break;
    case SDL_WINDOWEVENT_EXPOSED:
      CarbonEventSource::PostWindowEvent(aWindow, kEventWindowDrawContent);
      break;
    case SDL_WINDOWEVENT_MOVED:
      // Our own moves come back here too; only a real change is news.
      if (theEvent.data1 != aContent.left || theEvent.data2 != aContent.top) {
        aContent.right = static_cast<int16_t>(theEvent.data1 + (aContent.right - aContent.left));
        aContent.bottom = static_cast<int16_t>(theEvent.data2 + (aContent.bottom - aContent.top));
        aContent.left = static_cast<int16_t>(theEvent.data1);
        aContent.top = static_cast<int16_t>(theEvent.data2);
        CarbonEventSource::PostBoundsChanged(aWindow, kWindowBoundsChangeOriginChanged);
      }
      break;
    case SDL_WINDOWEVENT_SIZE_CHANGED:
      if (theEvent.data1 != aContent.right - aContent.left ||
          theEvent.data2 != aContent.bottom - aContent.top) {
        aContent.right = static_cast<int16_t>(aContent.left + theEvent.data1);
        aContent.bottom = static_cast<int16_t>(aContent.top + theEvent.data2);
        CarbonEventSource::PostBoundsChanged(aWindow, kWindowBoundsChangeSizeChanged);
      }
      break;
    case SDL_WINDOWEVENT_MINIMIZED:
      aWindow->mCollapsed = true;
      CarbonEventSource::PostWindowEvent(aWindow, kEventWindowCollapsed);
      break;
    case SDL_WINDOWEVENT_RESTORED:
      if (aWindow->mCollapsed) {
        aWindow->mCollapsed = false;
        CarbonEventSource::PostWindowEvent(aWindow, kEventWindowExpanded);
      }
      break;
    case SDL_WINDOWEVENT_MAXIMIZED:
      CarbonEventSource::PostWindowEvent(aWindow, kEventWindowZoomed);
      break;
    case SDL_WINDOWEVENT_CLOSE:
      CarbonEventSource::PostWindowEvent(aWindow, kEventWindowClose);
      break;
    case SDL_WINDOWEVENT_FOCUS_GAINED:
      CarbonEventSource::PostApplicationEvent(kEventAppActivated);
      CarbonEventSource::PostWindowEvent(aWindow, kEventWindowActivated);
      break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
      CarbonEventSource::PostApplicationEvent(kEventAppDeactivated);
      CarbonEventSource::PostWindowEvent(aWindow, kEventWindowDeactivated);
      break;
    default:
      break;
  }
}

void SdlBackend::TranslateKey(const SDL_KeyboardEvent& theEvent) {
  const SDL_Keysym& aKey = theEvent.keysym;
  if (IsSdlModifierKey(aKey.scancode)) {
    // A modifier reports the whole new state, as the Mac does, and never as a raw key.
    if (SdlModToMacModifiers(aKey.mod) != SdlModToMacModifiers(mLastMod)) {
      CarbonEventSource::PostModifiersChanged(SdlModToMacModifiers(aKey.mod));
    }
    mLastMod = aKey.mod;
    return;
  }
  mLastMod = aKey.mod;
  if (theEvent.repeat != 0) {
    // Held keys are not repeated (the framework listens for raw presses only); their text is dropped too.
    if (theEvent.type == SDL_KEYDOWN && SdlKeyMakesText(aKey.sym, aKey.mod)) {
      SDL_Event aText;
      SDL_PeepEvents(&aText, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT);
    }
    return;
  }
  unsigned char aChar = SdlKeyToMacCharCode(aKey.sym, aKey.scancode, aKey.mod);
  if (theEvent.type == SDL_KEYDOWN && SdlKeyMakesText(aKey.sym, aKey.mod)) {
    // The text event that follows the press knows the layout and Shift.
    SDL_Event aText;
    if (SDL_PeepEvents(&aText, 1, SDL_GETEVENT, SDL_TEXTINPUT, SDL_TEXTINPUT) == 1) {
      unsigned char aMacChar = UnicodeToMacRoman(FirstCodePoint(aText.text.text));
      if (aMacChar != 0) aChar = aMacChar;
    }
  }
  CarbonEventSource::PostRawKey(theEvent.type == SDL_KEYDOWN ? kEventRawKeyDown : kEventRawKeyUp,
                                SdlScancodeToMacKeyCode(aKey.scancode), aChar,
                                SdlModToMacModifiers(aKey.mod));
}

bool SdlBackend::CreateNativeWindow(WindowRef theWindow) {
  if (!mVideoReady) return false;
  const Rect& aContent = theWindow->mContent;
  int aWidth = aContent.right - aContent.left;
  int aHeight = aContent.bottom - aContent.top;
  SDL_Window* aWindow = SDL_CreateWindow(theWindow->mTitle.c_str(), aContent.left, aContent.top, aWidth,
                                         aHeight, SDL_WINDOW_HIDDEN | SDL_WINDOW_OPENGL);
  if (aWindow == nullptr) {
    // Without OpenGL the display reports the failure itself; the window still carries input.
    aWindow = SDL_CreateWindow(theWindow->mTitle.c_str(), aContent.left, aContent.top, aWidth, aHeight,
                               SDL_WINDOW_HIDDEN);
  }
  if (aWindow == nullptr) return false;
  theWindow->mNative = aWindow;
  return true;
}

void SdlBackend::DestroyNativeWindow(WindowRef theWindow) {
  if (theWindow->mNative != nullptr) SDL_DestroyWindow(static_cast<SDL_Window*>(theWindow->mNative));
  theWindow->mNative = nullptr;
}

SDL_Window* SdlBackend::SdlWindowOf(WindowRef theWindow) {
  return theWindow != nullptr ? static_cast<SDL_Window*>(theWindow->mNative) : nullptr;
}

void SdlBackend::ApplyTitle(WindowRef theWindow) {
  SDL_SetWindowTitle(SdlWindowOf(theWindow), theWindow->mTitle.c_str());
}

void SdlBackend::ApplyVisibility(WindowRef theWindow) {
  SDL_Window* aWindow = SdlWindowOf(theWindow);
  if (!theWindow->mVisible) {
    SDL_HideWindow(aWindow);
  } else if (theWindow->mCollapsed) {
    SDL_MinimizeWindow(aWindow);
  } else {
    SDL_ShowWindow(aWindow);
    if (SDL_GetWindowFlags(aWindow) & SDL_WINDOW_MINIMIZED) SDL_RestoreWindow(aWindow);
  }
}

void SdlBackend::ApplyBounds(WindowRef theWindow) {
  SDL_Window* aWindow = SdlWindowOf(theWindow);
  const Rect& aContent = theWindow->mContent;
  SDL_SetWindowPosition(aWindow, aContent.left, aContent.top);
  SDL_SetWindowSize(aWindow, aContent.right - aContent.left, aContent.bottom - aContent.top);
}

void SdlBackend::Raise(WindowRef theWindow) { SDL_RaiseWindow(SdlWindowOf(theWindow)); }

Point SdlBackend::GlobalMouse() {
  int x = 0;
  int y = 0;
  // SDL's global position follows the input extension's raw motion, which stops coming after a
  // window under the pointer is replaced (switching between full screen and a window): over one
  // of our windows its own motion events know where the pointer is.
  if (SDL_Window* aWindow = SDL_GetMouseFocus()) {
    int aLeft = 0;
    int aTop = 0;
    SDL_GetWindowPosition(aWindow, &aLeft, &aTop);
    SDL_GetMouseState(&x, &y);
    return Point{static_cast<int16_t>(aTop + y), static_cast<int16_t>(aLeft + x)};
  }
  SDL_GetGlobalMouseState(&x, &y);
  return Point{static_cast<int16_t>(y), static_cast<int16_t>(x)};
}

void SdlBackend::SetCursorVisible(bool isVisible) { SDL_ShowCursor(isVisible ? SDL_ENABLE : SDL_DISABLE); }

bool SdlBackend::IsCursorVisible() { return SDL_ShowCursor(SDL_QUERY) == SDL_ENABLE; }

void SdlBackend::SetCursorShape(ThemeCursor theCursor) {
  int aSlot = 0;
  SDL_SystemCursor aShape = SDL_SYSTEM_CURSOR_ARROW;
  switch (theCursor) {
    case kThemeIBeamCursor:
      aSlot = 1;
      aShape = SDL_SYSTEM_CURSOR_IBEAM;
      break;
    case kThemeClosedHandCursor:
      aSlot = 2;
      aShape = SDL_SYSTEM_CURSOR_SIZEALL;
      break;
    case kThemePointingHandCursor:
      aSlot = 3;
      aShape = SDL_SYSTEM_CURSOR_HAND;
      break;
    case kThemeNotAllowedCursor:
      aSlot = 4;
      aShape = SDL_SYSTEM_CURSOR_NO;
      break;
    default:
      break;
  }
  if (mCursors[aSlot] == nullptr) mCursors[aSlot] = SDL_CreateSystemCursor(aShape);
  if (mCursors[aSlot] != nullptr) SDL_SetCursor(mCursors[aSlot]);
}

bool SdlBackend::GetClipboardText(std::string* outText) {
  if (!SDL_HasClipboardText()) return false;
  char* aText = SDL_GetClipboardText();
  if (aText == nullptr) return false;
  bool aHasText = aText[0] != '\0';
  if (aHasText && outText != nullptr) *outText = aText;
  SDL_free(aText);
  return aHasText;
}

void SdlBackend::SetClipboardText(const std::string& theText) { SDL_SetClipboardText(theText.c_str()); }

void SdlBackend::ClearClipboard() { SDL_SetClipboardText(""); }

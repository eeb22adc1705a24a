#include "XScreen.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>

namespace XScreen {

namespace {

struct Api {
  void* mLib = nullptr;
  Display* (*mOpenDisplay)(const char*) = nullptr;
  int (*mCloseDisplay)(Display*) = nullptr;
  Window (*mDefaultRootWindow)(Display*) = nullptr;
  XImage* (*mGetImage)(Display*, Drawable, int, int, unsigned int, unsigned int, unsigned long,
                       int) = nullptr;
  Atom (*mInternAtom)(Display*, const char*, Bool) = nullptr;
  Status (*mSendEvent)(Display*, Window, Bool, long, XEvent*) = nullptr;
  int (*mFlush)(Display*) = nullptr;
  Status (*mGetGeometry)(Display*, Drawable, Window*, int*, int*, unsigned int*, unsigned int*, unsigned int*,
                         unsigned int*) = nullptr;

  Api() {
    mLib = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
    if (mLib == nullptr) return;
    mOpenDisplay = reinterpret_cast<decltype(mOpenDisplay)>(dlsym(mLib, "XOpenDisplay"));
    mCloseDisplay = reinterpret_cast<decltype(mCloseDisplay)>(dlsym(mLib, "XCloseDisplay"));
    mDefaultRootWindow = reinterpret_cast<decltype(mDefaultRootWindow)>(dlsym(mLib, "XDefaultRootWindow"));
    mGetImage = reinterpret_cast<decltype(mGetImage)>(dlsym(mLib, "XGetImage"));
    mInternAtom = reinterpret_cast<decltype(mInternAtom)>(dlsym(mLib, "XInternAtom"));
    mSendEvent = reinterpret_cast<decltype(mSendEvent)>(dlsym(mLib, "XSendEvent"));
    mFlush = reinterpret_cast<decltype(mFlush)>(dlsym(mLib, "XFlush"));
    mGetGeometry = reinterpret_cast<decltype(mGetGeometry)>(dlsym(mLib, "XGetGeometry"));
  }
  bool Ok() const { return mOpenDisplay != nullptr && mGetImage != nullptr && mSendEvent != nullptr; }
};

Api& X() {
  static Api sApi;
  return sApi;
}

}  // namespace

uint32_t ReadScreenPixel(int x, int y) {
  if (!X().Ok()) return 0xFFFFFFFFu;
  Display* aDisplay = X().mOpenDisplay(nullptr);
  if (aDisplay == nullptr) return 0xFFFFFFFFu;
  uint32_t aPixel = 0xFFFFFFFFu;
  XImage* anImage = X().mGetImage(aDisplay, X().mDefaultRootWindow(aDisplay), x, y, 1, 1, AllPlanes, ZPixmap);
  if (anImage != nullptr) {
    aPixel = static_cast<uint32_t>(XGetPixel(anImage, 0, 0)) & 0xFFFFFFu;
    XDestroyImage(anImage);
  }
  X().mCloseDisplay(aDisplay);
  return aPixel;
}

bool ReadScreen(std::vector<uint32_t>* thePixels, int* theWidth, int* theHeight) {
  if (!X().Ok() || X().mGetGeometry == nullptr) return false;
  Display* aDisplay = X().mOpenDisplay(nullptr);
  if (aDisplay == nullptr) return false;
  const Window aRoot = X().mDefaultRootWindow(aDisplay);
  Window aParent = 0;
  int x = 0, y = 0;
  unsigned int aWidth = 0, aHeight = 0, aBorder = 0, aDepth = 0;
  bool isRead = false;
  if (X().mGetGeometry(aDisplay, aRoot, &aParent, &x, &y, &aWidth, &aHeight, &aBorder, &aDepth) != 0) {
    XImage* anImage = X().mGetImage(aDisplay, aRoot, 0, 0, aWidth, aHeight, AllPlanes, ZPixmap);
    if (anImage != nullptr) {
      thePixels->resize(static_cast<size_t>(aWidth) * aHeight);
      for (unsigned int j = 0; j < aHeight; ++j)
        for (unsigned int i = 0; i < aWidth; ++i)
          (*thePixels)[static_cast<size_t>(j) * aWidth + i] =
              static_cast<uint32_t>(XGetPixel(anImage, static_cast<int>(i), static_cast<int>(j))) & 0xFFFFFFu;
      XDestroyImage(anImage);
      *theWidth = static_cast<int>(aWidth);
      *theHeight = static_cast<int>(aHeight);
      isRead = true;
    }
  }
  X().mCloseDisplay(aDisplay);
  return isRead;
}

// Asks the window to close, as a window manager does when its close box is clicked.
bool RequestClose(unsigned long theWindow) {
  if (!X().Ok()) return false;
  Display* aDisplay = X().mOpenDisplay(nullptr);
  if (aDisplay == nullptr) return false;
  XEvent anEvent{};
  anEvent.xclient.type = ClientMessage;
  anEvent.xclient.window = theWindow;
  anEvent.xclient.message_type = X().mInternAtom(aDisplay, "WM_PROTOCOLS", False);
  anEvent.xclient.format = 32;
  anEvent.xclient.data.l[0] = static_cast<long>(X().mInternAtom(aDisplay, "WM_DELETE_WINDOW", False));
  anEvent.xclient.data.l[1] = CurrentTime;
  bool aSent = X().mSendEvent(aDisplay, theWindow, False, NoEventMask, &anEvent) != 0;
  X().mFlush(aDisplay);
  X().mCloseDisplay(aDisplay);
  return aSent;
}

bool Available() { return X().Ok(); }

unsigned long XWindowOf(SDL_Window* theWindow) {
  SDL_SysWMinfo anInfo;
  SDL_VERSION(&anInfo.version);
  if (theWindow == nullptr || !SDL_GetWindowWMInfo(theWindow, &anInfo) || anInfo.subsystem != SDL_SYSWM_X11)
    return 0;
  return anInfo.info.x11.window;
}

}  // namespace XScreen

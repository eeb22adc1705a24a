#include "platform/agl/AGL.h"

#include <dlfcn.h>
#include <link.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct AGLPixelFormatRec {
  bool mDoubleBuffer;
  bool mAccelerated;
};

struct AGLContextRec {
  SDL_GLContext mGL;
  AGLDrawable mDrawable;
};

struct AGLRendererInfoRec {
  GDRenderer mRenderer;
  AGLRendererInfoRec* mNext;
};

namespace {

thread_local GLenum tLastError = AGL_NO_ERROR;
thread_local AGLContext tCurrent = nullptr;

std::mutex gAGLLock;
std::thread::id gGLThread;
bool gHasGLThread = false;
SDL_Window* gRootWindow = nullptr;
SDL_GLContext gRootContext = nullptr;
std::atomic<int> gLiveContexts{0};
std::atomic<bool> gFailNextFormat{false};
std::atomic<bool> gRefuseNextShare{false};
std::atomic<bool> gFailNextContext{false};

GLenum SetError(GLenum theCode) {
  tLastError = theCode;
  return theCode;
}

// The first thread to make a context owns OpenGL from then on.
bool ClaimGLThread() {
  std::lock_guard<std::mutex> aLock(gAGLLock);
  if (!gHasGLThread) {
    gGLThread = std::this_thread::get_id();
    gHasGLThread = true;
  }
  return gGLThread == std::this_thread::get_id();
}

SDL_Window* WindowOf(AGLContext theContext) {
  SDL_Window* aWindow =
      theContext != nullptr ? CarbonSDLWindow(GetWindowFromPort(theContext->mDrawable)) : nullptr;
  // A scripted window has no drawable of its own: the root window's serves.
  return aWindow != nullptr ? aWindow : gRootWindow;
}

// Keeps the loaded OpenGL drivers mapped for good. Closing the display unloads the driver,
// and what it allocated for the life of the process would then belong to no module: the
// leak checker could no longer tell it apart from our own leaks.
void PinDrivers() {
  std::vector<std::string> aNames;
  dl_iterate_phdr(
      [](struct dl_phdr_info* theInfo, size_t, void* theNames) {
        if (theInfo->dlpi_name != nullptr && std::strstr(theInfo->dlpi_name, "_dri.so") != nullptr)
          static_cast<std::vector<std::string>*>(theNames)->push_back(theInfo->dlpi_name);
        return 0;
      },
      &aNames);
  // Opened outside the walk, which holds the loader's lock.
  for (const std::string& aName : aNames) dlopen(aName.c_str(), RTLD_LAZY | RTLD_NOLOAD | RTLD_NODELETE);
}

// At exit the root context and its window go, before the leak checker stops the world: the
// software rasteriser's worker threads end with the last context and the display, and a
// thread still running or exiting then can crash the checker. With contexts still alive (or
// off the OpenGL thread) the display stays open instead, since closing it under a live
// context would pull the driver from under it.
void ReleaseRootAtExit() {
  PinDrivers();
  if (gRootContext != nullptr && aglIsGLThread()) {
    SDL_GL_MakeCurrent(gRootWindow, nullptr);
    SDL_GL_DeleteContext(gRootContext);
    SDL_DestroyWindow(gRootWindow);
    gRootContext = nullptr;
    gRootWindow = nullptr;
  }
  if (gRootContext != nullptr || gLiveContexts.load() > 0) SDL_InitSubSystem(SDL_INIT_VIDEO);
}

// Every context shares with this one; it lives on a hidden window of its own.
bool EnsureRoot() {
  if (gRootContext != nullptr) return true;
  if (!CarbonInitVideo()) return false;
  gRootWindow = SDL_CreateWindow("", 0, 0, 1, 1, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
  if (gRootWindow == nullptr) return false;
  SDL_GL_MakeCurrent(nullptr, nullptr);
  gRootContext = SDL_GL_CreateContext(gRootWindow);
  if (gRootContext == nullptr) {
    SDL_DestroyWindow(gRootWindow);
    gRootWindow = nullptr;
    return false;
  }
  SDL_GL_MakeCurrent(nullptr, nullptr);
  static std::once_flag sAtExit;
  std::call_once(sAtExit, [] { std::atexit(ReleaseRootAtExit); });
  return true;
}

bool DevicesHaveAccelerated(const GDHandle* theDevices, GLint theCount) {
  if (theDevices == nullptr) {
    for (GDHandle d = GetDeviceList(); d != nullptr; d = GetNextDevice(d))
      for (const GDRenderer& r : (*d)->mRenderers)
        if (r.mAccelerated) return true;
    return false;
  }
  for (GLint i = 0; i < theCount; ++i)
    if (theDevices[i] != nullptr)
      for (const GDRenderer& r : (*theDevices[i])->mRenderers)
        if (r.mAccelerated) return true;
  return false;
}

}  // namespace

bool aglIsGLThread() {
  std::lock_guard<std::mutex> aLock(gAGLLock);
  return gHasGLThread && gGLThread == std::this_thread::get_id();
}

int aglLiveContextCount() { return gLiveContexts.load(); }
void aglTestFailNextPixelFormat() { gFailNextFormat = true; }
void aglTestRefuseNextShare() { gRefuseNextShare = true; }
void aglTestFailNextContext() { gFailNextContext = true; }

AGLPixelFormat aglChoosePixelFormat(const GDHandle* theDevices, GLint theDeviceCount,
                                    const GLint* theAttributes) {
  if (theAttributes == nullptr) {
    SetError(AGL_BAD_ATTRIBUTE);
    return nullptr;
  }
  AGLPixelFormatRec aFormat{false, false};
  for (const GLint* a = theAttributes; *a != AGL_NONE; ++a) {
    switch (*a) {
      case AGL_RGBA:
      case AGL_ALL_RENDERERS:
      case AGL_NO_RECOVERY:
        break;
      case AGL_DOUBLEBUFFER:
        aFormat.mDoubleBuffer = true;
        break;
      case AGL_ACCELERATED:
        aFormat.mAccelerated = true;
        break;
      default:
        SetError(AGL_BAD_ATTRIBUTE);
        return nullptr;
    }
  }
  if (gFailNextFormat.exchange(false) ||
      (aFormat.mAccelerated && !DevicesHaveAccelerated(theDevices, theDeviceCount))) {
    SetError(AGL_BAD_PIXELFMT);
    return nullptr;
  }
  return new AGLPixelFormatRec(aFormat);
}

void aglDestroyPixelFormat(AGLPixelFormat theFormat) { delete theFormat; }

AGLContext aglCreateContext(AGLPixelFormat theFormat, AGLContext theShare) {
  if (theFormat == nullptr) {
    SetError(AGL_BAD_PIXELFMT);
    return nullptr;
  }
  if (theShare != nullptr && gRefuseNextShare.exchange(false)) {
    SetError(AGL_BAD_MATCH);
    return nullptr;
  }
  if (!ClaimGLThread() || gFailNextContext.exchange(false)) {
    SetError(AGL_BAD_CONTEXT);
    return nullptr;
  }
  if (!EnsureRoot()) {
    SetError(AGL_BAD_ALLOC);
    return nullptr;
  }
  // SDL shares the new context with the current one: make the root current for the moment.
  SDL_GL_MakeCurrent(gRootWindow, gRootContext);
  SDL_GLContext aGL = SDL_GL_CreateContext(gRootWindow);
  if (tCurrent != nullptr)
    SDL_GL_MakeCurrent(WindowOf(tCurrent), tCurrent->mGL);
  else
    SDL_GL_MakeCurrent(gRootWindow, nullptr);
  if (aGL == nullptr) {
    SetError(AGL_BAD_ALLOC);
    return nullptr;
  }
  ++gLiveContexts;
  return new AGLContextRec{aGL, nullptr};
}

GLboolean aglDestroyContext(AGLContext theContext) {
  if (theContext == nullptr || !aglIsGLThread()) {
    SetError(AGL_BAD_CONTEXT);
    return GL_FALSE;
  }
  if (tCurrent == theContext) {
    SDL_GL_MakeCurrent(gRootWindow, nullptr);
    tCurrent = nullptr;
  }
  SDL_GL_DeleteContext(theContext->mGL);
  delete theContext;
  --gLiveContexts;
  return GL_TRUE;
}

GLboolean aglSetDrawable(AGLContext theContext, AGLDrawable theDrawable) {
  if (theContext == nullptr) {
    SetError(AGL_BAD_CONTEXT);
    return GL_FALSE;
  }
  theContext->mDrawable = theDrawable;
  if (tCurrent == theContext) SDL_GL_MakeCurrent(WindowOf(theContext), theContext->mGL);
  return GL_TRUE;
}

AGLDrawable aglGetDrawable(AGLContext theContext) {
  return theContext == nullptr ? nullptr : theContext->mDrawable;
}

GLboolean aglSetCurrentContext(AGLContext theContext) {
  if (theContext == nullptr) {
    if (tCurrent != nullptr) SDL_GL_MakeCurrent(gRootWindow, nullptr);
    tCurrent = nullptr;
    return GL_TRUE;
  }
  if (!aglIsGLThread()) {
    SetError(AGL_BAD_CONTEXT);
    return GL_FALSE;
  }
  if (tCurrent == theContext && SDL_GL_GetCurrentWindow() == WindowOf(theContext)) return GL_TRUE;
  if (SDL_GL_MakeCurrent(WindowOf(theContext), theContext->mGL) != 0) {
    SetError(AGL_BAD_DRAWABLE);
    return GL_FALSE;
  }
  tCurrent = theContext;
  return GL_TRUE;
}

AGLContext aglGetCurrentContext() { return tCurrent; }

GLboolean aglUpdateContext(AGLContext theContext) { return theContext == nullptr ? GL_FALSE : GL_TRUE; }

void aglSwapBuffers(AGLContext theContext) {
  if (theContext == nullptr || theContext->mDrawable == nullptr) {
    SetError(AGL_BAD_CONTEXT);
    return;
  }
  AGLContext aPrevious = tCurrent;
  if (aglSetCurrentContext(theContext) != GL_TRUE) return;
  SDL_GL_SwapWindow(WindowOf(theContext));
  if (aPrevious != nullptr && aPrevious != theContext) aglSetCurrentContext(aPrevious);
}

GLboolean aglSetInteger(AGLContext theContext, GLenum theProperty, const GLint* theValue) {
  if (theContext == nullptr || theValue == nullptr) {
    SetError(AGL_BAD_CONTEXT);
    return GL_FALSE;
  }
  if (theProperty != static_cast<GLenum>(AGL_SWAP_INTERVAL)) {
    SetError(AGL_BAD_PROPERTY);
    return GL_FALSE;
  }
  AGLContext aPrevious = tCurrent;
  if (aglSetCurrentContext(theContext) != GL_TRUE) return GL_FALSE;
  // A swap interval the driver ignores is not an error: the frame timer paces frames anyway.
  SDL_GL_SetSwapInterval(*theValue);
  if (aPrevious != nullptr && aPrevious != theContext) aglSetCurrentContext(aPrevious);
  return GL_TRUE;
}

GLenum aglGetError() {
  GLenum aCode = tLastError;
  tLastError = AGL_NO_ERROR;
  return aCode;
}

const GLubyte* aglErrorString(GLenum theCode) {
  const char* aText = "unknown error";
  switch (theCode) {
    case AGL_NO_ERROR:
      aText = "no error";
      break;
    case AGL_BAD_ATTRIBUTE:
      aText = "invalid pixel format attribute";
      break;
    case AGL_BAD_PROPERTY:
      aText = "invalid renderer property";
      break;
    case AGL_BAD_PIXELFMT:
      aText = "invalid pixel format";
      break;
    case AGL_BAD_RENDINFO:
      aText = "invalid renderer info";
      break;
    case AGL_BAD_CONTEXT:
      aText = "invalid context";
      break;
    case AGL_BAD_DRAWABLE:
      aText = "invalid drawable";
      break;
    case AGL_BAD_GDEV:
      aText = "invalid graphics device";
      break;
    case AGL_BAD_STATE:
      aText = "invalid context state";
      break;
    case AGL_BAD_VALUE:
      aText = "invalid numerical value";
      break;
    case AGL_BAD_MATCH:
      aText = "invalid share context";
      break;
    case AGL_BAD_ALLOC:
      aText = "memory allocation failure";
      break;
    default:
      break;
  }
  return reinterpret_cast<const GLubyte*>(aText);
}

AGLRendererInfo aglQueryRendererInfo(const GDHandle* theDevices, GLint theDeviceCount) {
  if (theDevices == nullptr || theDeviceCount < 1) {
    SetError(AGL_BAD_GDEV);
    return nullptr;
  }
  AGLRendererInfoRec* aHead = nullptr;
  AGLRendererInfoRec** aTail = &aHead;
  for (GLint i = 0; i < theDeviceCount; ++i) {
    if (theDevices[i] == nullptr) continue;
    for (const GDRenderer& r : (*theDevices[i])->mRenderers) {
      *aTail = new AGLRendererInfoRec{r, nullptr};
      aTail = &(*aTail)->mNext;
    }
  }
  if (aHead == nullptr) SetError(AGL_BAD_RENDINFO);
  return aHead;
}

AGLRendererInfo aglNextRendererInfo(AGLRendererInfo theInfo) {
  return theInfo == nullptr ? nullptr : theInfo->mNext;
}

GLboolean aglDescribeRenderer(AGLRendererInfo theInfo, GLint theProperty, GLint* theValue) {
  if (theInfo == nullptr || theValue == nullptr) {
    SetError(AGL_BAD_RENDINFO);
    return GL_FALSE;
  }
  if (theProperty == AGL_ACCELERATED) {
    *theValue = theInfo->mRenderer.mAccelerated ? GL_TRUE : GL_FALSE;
  } else if (theProperty == AGL_VIDEO_MEMORY) {
    *theValue = theInfo->mRenderer.mVideoMemory;
  } else {
    SetError(AGL_BAD_PROPERTY);
    return GL_FALSE;
  }
  return GL_TRUE;
}

void aglDestroyRendererInfo(AGLRendererInfo theInfo) {
  while (theInfo != nullptr) {
    AGLRendererInfo aNext = theInfo->mNext;
    delete theInfo;
    theInfo = aNext;
  }
}

#include "display/IDirect3DDevice8.h"

#include <SDL_video.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>
#include <vector>

#include "display/DIRECTDRAW2.h"
#include "platform/coregraphics/CoreGraphics.h"
#include "platform/quicktime/QuickTime.h"

std::recursive_mutex IDirect3DDevice8::g_critical_region;

namespace {

std::mutex gDevicesLock;
std::vector<IDirect3DDevice8*> gDevices;  // under gDevicesLock

// A surface is about to change a texture (on the OpenGL thread, where every kept quad is): each
// device draws the quads it keeps first, and the context current before stays current. The
// OpenGL lock is taken before the list's, the order every path here takes them in, so the list
// is walked in place (nothing allocated on a path taken many times a frame).
void FlushEveryDevice() {
  std::lock_guard<std::recursive_mutex> aGLLock(IDirect3DDevice8::g_critical_region);
  std::lock_guard<std::mutex> aLock(gDevicesLock);
  AGLContext aPrevious = nullptr;
  bool isSwitched = false;
  for (IDirect3DDevice8* aDevice : gDevices) {
    if (!aDevice->HasKeptQuads()) continue;
    if (!isSwitched) aPrevious = aglGetCurrentContext();
    isSwitched = true;
    aDevice->FlushBatch();
  }
  if (isSwitched && aglGetCurrentContext() != aPrevious) aglSetCurrentContext(aPrevious);
}

const GLint k_DeviceAttributes[] = {AGL_RGBA,        AGL_ALL_RENDERERS, AGL_DOUBLEBUFFER,
                                    AGL_ACCELERATED, AGL_NO_RECOVERY,   AGL_NONE};

// D3D blend factors the path uses, onto OpenGL; others keep theCurrent.
GLenum BlendFactor(uint32_t theValue, GLenum theCurrent) {
  switch (theValue) {
    case D3DBLEND_ONE:
      return GL_ONE;
    case D3DBLEND_SRCALPHA:
      return GL_SRC_ALPHA;
    case D3DBLEND_INVSRCALPHA:
      return GL_ONE_MINUS_SRC_ALPHA;
    case D3DBLEND_DESTCOLOR:
      return GL_DST_COLOR;
    default:
      return theCurrent;
  }
}

GLenum TextureArgument(uint32_t theValue, GLenum theCurrent) {
  switch (theValue) {
    case D3DTA_DIFFUSE:
      return GL_PRIMARY_COLOR;
    case D3DTA_CURRENT:
      return GL_PREVIOUS;
    case D3DTA_TEXTURE:
      return GL_TEXTURE;
    case D3DTA_TFACTOR:
      return GL_CONSTANT;
    default:
      return theCurrent;
  }
}

// The frame buffer object calls (OpenGL 3.0, or the extension before it), looked up once a
// context is current; all null when the driver has neither.
struct FrameBufferCalls {
  PFNGLGENFRAMEBUFFERSPROC mGenFramebuffers = nullptr;
  PFNGLBINDFRAMEBUFFERPROC mBindFramebuffer = nullptr;
  PFNGLDELETEFRAMEBUFFERSPROC mDeleteFramebuffers = nullptr;
  PFNGLFRAMEBUFFERTEXTURE2DPROC mFramebufferTexture2D = nullptr;
  PFNGLFRAMEBUFFERRENDERBUFFERPROC mFramebufferRenderbuffer = nullptr;
  PFNGLCHECKFRAMEBUFFERSTATUSPROC mCheckFramebufferStatus = nullptr;
  PFNGLGENRENDERBUFFERSPROC mGenRenderbuffers = nullptr;
  PFNGLBINDRENDERBUFFERPROC mBindRenderbuffer = nullptr;
  PFNGLDELETERENDERBUFFERSPROC mDeleteRenderbuffers = nullptr;
  PFNGLRENDERBUFFERSTORAGEPROC mRenderbufferStorage = nullptr;

  bool Ok() const {
    return mGenFramebuffers != nullptr && mBindFramebuffer != nullptr && mDeleteFramebuffers != nullptr &&
           mFramebufferTexture2D != nullptr && mFramebufferRenderbuffer != nullptr &&
           mCheckFramebufferStatus != nullptr && mGenRenderbuffers != nullptr &&
           mBindRenderbuffer != nullptr && mDeleteRenderbuffers != nullptr && mRenderbufferStorage != nullptr;
  }
};

template <class T>
void LookUp(T* theCall, const char* theName) {
  *theCall = reinterpret_cast<T>(SDL_GL_GetProcAddress(theName));
  if (*theCall == nullptr)
    *theCall = reinterpret_cast<T>(SDL_GL_GetProcAddress((std::string(theName) + "EXT").c_str()));
}

const FrameBufferCalls& FrameBuffers() {
  static const FrameBufferCalls sCalls = [] {
    FrameBufferCalls c;
    LookUp(&c.mGenFramebuffers, "glGenFramebuffers");
    LookUp(&c.mBindFramebuffer, "glBindFramebuffer");
    LookUp(&c.mDeleteFramebuffers, "glDeleteFramebuffers");
    LookUp(&c.mFramebufferTexture2D, "glFramebufferTexture2D");
    LookUp(&c.mFramebufferRenderbuffer, "glFramebufferRenderbuffer");
    LookUp(&c.mCheckFramebufferStatus, "glCheckFramebufferStatus");
    LookUp(&c.mGenRenderbuffers, "glGenRenderbuffers");
    LookUp(&c.mBindRenderbuffer, "glBindRenderbuffer");
    LookUp(&c.mDeleteRenderbuffers, "glDeleteRenderbuffers");
    LookUp(&c.mRenderbufferStorage, "glRenderbufferStorage");
    return c;
  }();
  return sCalls;
}

void Toggle(GLenum theCap, uint32_t theValue) {
  if (theValue != 0)
    glEnable(theCap);
  else
    glDisable(theCap);
}

}  // namespace

IDirect3DDevice8::IDirect3DDevice8()
    : mViewport{0, 0, 0, 0, 0.0f, 0.0f},
      mVertexFormat(0),
      mDeviceWindow(nullptr),
      mBackBufferWidth(0),
      mBackBufferHeight(0),
      mPortBounds{0, 0, 0, 0},
      mStencilFail(GL_KEEP),
      mStencilDepthFail(GL_KEEP),
      mStencilPass(GL_KEEP),
      mStencilFunc(GL_ALWAYS),
      mStencilRef(0),
      mStencilMask(0xFFFFFFFFu),
      mSrcBlend(GL_SRC_ALPHA),
      mDestBlend(GL_ONE_MINUS_SRC_ALPHA),
      mAppliedSrcBlend(0),
      mAppliedDestBlend(0),
      mBlendEnabled(true),
      mAppliedBlend(-1),
      mBatchBlend(true),
      mMinFilter(GL_LINEAR),
      mMagFilter(GL_LINEAR),
      mDepthTest(false),
      mStencilTest(false),
      mAlphaTest(false),
      mAlphaFunc(GL_ALWAYS),
      mAlphaRef(0.0f),
      mColorArg1(GL_TEXTURE),
      mColorArg2(GL_PREVIOUS),
      mAlphaArg1(GL_TEXTURE),
      mAlphaArg2(GL_PREVIOUS),
      mTextureWidth(0),
      mTextureHeight(0),
      mContext(nullptr),
      mTextureTarget(GL_TEXTURE_RECTANGLE_ARB),
      mBoundTexture(~0u),
      mBindingChanges(0),
      mInScene(false),
      mIsOneToOne(false),
      mFrameBuffer(0),
      mFrameTexture(0),
      mFrameDepth(0),
      mFrameFilter(0),
      mBatchArea(0),
      mCores(0),
      mHasDepth(false),
      mDepthWrite(true) {
  std::lock_guard<std::mutex> aLock(gDevicesLock);
  gDevices.push_back(this);
  DIRECTDRAWSURFACE3::SetTextureChangeHook(FlushEveryDevice);
}

IDirect3DDevice8::~IDirect3DDevice8() {
  {
    std::lock_guard<std::mutex> aLock(gDevicesLock);
    gDevices.erase(std::find(gDevices.begin(), gDevices.end(), this));
  }
  if (mContext != nullptr) {
    std::lock_guard<std::recursive_mutex> aLock(g_critical_region);
    if (aglGetCurrentContext() == mContext) {
      FlushBatch();
      glFinish();
    }
    // The frame's texture and depth are shared with every context: they go by name.
    if (mFrameBuffer != 0 && aglSetCurrentContext(mContext)) DeleteOffscreenFrame();
    aglDestroyContext(mContext);
    mContext = nullptr;
  }
}

void IDirect3DDevice8::BindTexture(GLuint theName) {
  // Binding the texture already bound costs llvmpipe a copy of its state each time, and the
  // accelerated path binds once per quad: skip the repeats.
  // Surfaces that bind or delete textures themselves (deleting unbinds, and the name may come
  // back for another texture) move the change count, and then the device binds again.
  uint32_t aChanges = DIRECTDRAWSURFACE3::TextureBindingChanges();
  if (theName == mBoundTexture && aChanges == mBindingChanges) return;
  FlushBatch();
  glBindTexture(mTextureTarget, theName);
  mBoundTexture = theName;
  mBindingChanges = aChanges;
}

void IDirect3DDevice8::ApplyFilters(DIRECTDRAWSURFACE3* theBound) {
  if (theBound->GetTextureMinFilter() == mMinFilter && theBound->GetTextureMagFilter() == mMagFilter) return;
  FlushBatch();
  glTexParameteri(mTextureTarget, GL_TEXTURE_MIN_FILTER, mMinFilter);
  glTexParameteri(mTextureTarget, GL_TEXTURE_MAG_FILTER, mMagFilter);
  theBound->SetTextureFilters(mMinFilter, mMagFilter);
}

void IDirect3DDevice8::ApplyBlend(bool isEnabled) {
  if (mAppliedBlend == (isEnabled ? 1 : 0)) return;
  Toggle(GL_BLEND, isEnabled ? 1 : 0);
  mAppliedBlend = isEnabled ? 1 : 0;
}

void IDirect3DDevice8::SetBlendEnabled(bool isEnabled) {
  // Kept quads carry their own blending (FlushBatch applies it), so nothing is drawn here.
  mBlendEnabled = isEnabled;
}

void IDirect3DDevice8::SetBlendStates(bool isEnabled, uint32_t theSrc, uint32_t theDest) {
  GLenum aSrc = BlendFactor(theSrc, mSrcBlend), aDest = BlendFactor(theDest, mDestBlend);
  if (mBlendEnabled == isEnabled && aSrc == mAppliedSrcBlend && aDest == mAppliedDestBlend) return;
  std::lock_guard<std::recursive_mutex> aLock(g_critical_region);
  if (!MakeCurrent()) return;
  SetBlendEnabled(isEnabled);
  SetBlendFunc(aSrc, aDest);
}

void IDirect3DDevice8::SetBlendFunc(GLenum theSrc, GLenum theDest) {
  mSrcBlend = theSrc;
  mDestBlend = theDest;
  if (theSrc == mAppliedSrcBlend && theDest == mAppliedDestBlend) return;
  FlushBatch();
  glBlendFunc(theSrc, theDest);
  mAppliedSrcBlend = theSrc;
  mAppliedDestBlend = theDest;
}

bool IDirect3DDevice8::MakeCurrent() {
  if (mContext == nullptr) return false;
  // Inside a scene the context was made current by BeginScene; another context made current
  // meanwhile on this thread is still noticed (a thread-local read).
  if (mInScene && aglGetCurrentContext() == mContext) return true;
  return aglSetCurrentContext(mContext) == GL_TRUE;
}

HRESULT IDirect3DDevice8::Reset(D3DPRESENT_PARAMETERS* theParams) {
  uint32_t aRequestedWidth = theParams->BackBufferWidth;
  uint32_t aRequestedHeight = theParams->BackBufferHeight;
  bool isWindowed = theParams->Windowed;

  if (isWindowed && QTRestoreState != nullptr) {
    EndFullScreen(QTRestoreState, 0);
    QTRestoreState = nullptr;
    SetSystemUIMode(kUIModeNormal, 0);
  } else if (!isWindowed && QTRestoreState == nullptr) {
    int16_t aWidth = static_cast<int16_t>(aRequestedWidth), aHeight = static_cast<int16_t>(aRequestedHeight);
    BeginFullScreen(&QTRestoreState, nullptr, &aWidth, &aHeight, nullptr, nullptr, 0);
    SetSystemUIMode(kUIModeAllHidden, kUIOptionDisableProcessSwitch);
  }

  if (theParams->hDeviceWindow == nullptr && mDeviceWindow != nullptr)
    theParams->hDeviceWindow = mDeviceWindow;
  WindowRef aWindow = theParams->hDeviceWindow;

  if (isWindowed) {
    Rect anAvailable{0, 0, 0, 0};
    GetAvailableWindowPositioningBounds(GetMainDevice(), &anAvailable);
    Rect aWidths{0, 0, 0, 0};
    if (aWindow != nullptr) GetWindowStructureWidths(aWindow, &aWidths);
    anAvailable.top = static_cast<int16_t>(anAvailable.top + aWidths.top);
    anAvailable.left = static_cast<int16_t>(anAvailable.left + aWidths.left);
    anAvailable.bottom = static_cast<int16_t>(anAvailable.bottom - aWidths.bottom);
    anAvailable.right = static_cast<int16_t>(anAvailable.right - aWidths.right);
    uint32_t anAvailableWidth = static_cast<uint32_t>(anAvailable.right - anAvailable.left);
    uint32_t anAvailableHeight = static_cast<uint32_t>(anAvailable.bottom - anAvailable.top);
    if (anAvailableWidth < theParams->BackBufferWidth) theParams->BackBufferWidth = anAvailableWidth;
    if (anAvailableHeight < theParams->BackBufferHeight) theParams->BackBufferHeight = anAvailableHeight;
  }

  if (aWindow != nullptr) {
    if (isWindowed) {
      SetWRefCon(aWindow, 0);
      if (aRequestedWidth == 0 || aRequestedHeight == 0) {
        Rect aBounds{0, 0, static_cast<int16_t>(theParams->BackBufferHeight),
                     static_cast<int16_t>(theParams->BackBufferWidth)};
        SetWindowBounds(aWindow, kWindowContentRgn, &aBounds);
        RepositionWindow(aWindow, nullptr, kWindowCenterOnMainScreen);
      }
    } else {
      SetWRefCon(aWindow, 1);
      Rect aBounds{0, 0, static_cast<int16_t>(CGDisplayPixelsHigh(CGMainDisplayID())),
                   static_cast<int16_t>(CGDisplayPixelsWide(CGMainDisplayID()))};
      SetWindowBounds(aWindow, kWindowContentRgn, &aBounds);
    }
    SelectWindow(aWindow);
    GetWindowPortBounds(aWindow, &mPortBounds);
  }
  int aPortWidth = mPortBounds.right - mPortBounds.left, aPortHeight = mPortBounds.bottom - mPortBounds.top;
  mBackBufferWidth =
      theParams->BackBufferWidth != 0 ? theParams->BackBufferWidth : static_cast<uint32_t>(aPortWidth);
  mBackBufferHeight =
      theParams->BackBufferHeight != 0 ? theParams->BackBufferHeight : static_cast<uint32_t>(aPortHeight);

  // An error left by an earlier failure (a refused context) is not this choice's.
  aglGetError();
  AGLPixelFormat aFormat;
  if (isWindowed) {
    aFormat = aglChoosePixelFormat(nullptr, 0, k_DeviceAttributes);
  } else {
    GDHandle aDevice = DMGetGDeviceByDisplayID(CGMainDisplayID());
    aFormat = aglChoosePixelFormat(&aDevice, 1, k_DeviceAttributes);
  }
  if (aglGetError() != AGL_NO_ERROR || aFormat == nullptr) {
    aglDestroyPixelFormat(aFormat);
    return -1;
  }
  mDeviceWindow = aWindow;
  AGLContext aContext = aglCreateContext(aFormat, mContext);
  if (aContext == nullptr) {
    aglDestroyPixelFormat(aFormat);
    return -2;
  }
  if (mContext != nullptr) {
    if (aglGetCurrentContext() == mContext) FlushBatch();
    if (mFrameBuffer != 0 && aglSetCurrentContext(mContext)) DeleteOffscreenFrame();
    aglDestroyContext(mContext);
  }
  mFrameBuffer = mFrameTexture = mFrameDepth = 0;
  mBatch.clear();
  mBatchIndices.clear();
  mBatchCores.clear();
  mBatchArea = 0;
  mCores = 0;
  mContext = aContext;
  mBoundTexture = ~0u;
  mInScene = false;
  aglSetCurrentContext(mContext);
  aglDestroyPixelFormat(aFormat);
  aglSetDrawable(mContext, GetWindowPort(aWindow));

  glDisable(GL_CULL_FACE);
  glDisable(GL_LIGHTING);
  glEnable(GL_COLOR_MATERIAL);
  glEnable(GL_BLEND);
  mBlendEnabled = true;
  mAppliedBlend = 1;
  mDepthTest = mStencilTest = mAlphaTest = false;
  aglUpdateContext(mContext);
  glViewport(0, 0, aPortWidth, aPortHeight);
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  aglSwapBuffers(mContext);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  bool isRequestedSize = aRequestedWidth != 0 && aRequestedHeight != 0;
  double anOrthoWidth = isRequestedSize ? aRequestedWidth : aPortWidth;
  double anOrthoHeight = isRequestedSize ? aRequestedHeight : aPortHeight;
  glOrtho(0, anOrthoWidth, anOrthoHeight, 0, -5000, 5000);
  mIsOneToOne = anOrthoWidth == aPortWidth && anOrthoHeight == aPortHeight;
  if (!mIsOneToOne && isRequestedSize) {
    // A back buffer of another size than the window (full screen on a screen of another size) is
    // a frame of its own, drawn pixel for pixel and shown scaled by Present, as a monitor shows a
    // mode it scales: the picture keeps its shape and every sprite its pixels.
    if (!MakeOffscreenFrame(static_cast<int>(aRequestedWidth), static_cast<int>(aRequestedHeight))) return -3;
    glViewport(0, 0, static_cast<GLsizei>(aRequestedWidth), static_cast<GLsizei>(aRequestedHeight));
    glClear(GL_COLOR_BUFFER_BIT);
    mIsOneToOne = true;
  }
  GLint aDepthBits = 0;
  glGetIntegerv(GL_DEPTH_BITS, &aDepthBits);
  mHasDepth = aDepthBits >= 16;
  mDepthWrite = true;
  glMatrixMode(GL_MODELVIEW);
  glLoadIdentity();
  glShadeModel(GL_SMOOTH);
  glDisable(GL_TEXTURE_2D);
  glEnable(mTextureTarget);
  glTexParameteri(mTextureTarget, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(mTextureTarget, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  mMinFilter = mMagFilter = GL_LINEAR;
  mAppliedSrcBlend = mAppliedDestBlend = 0;
  SetBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
  mAlphaFunc = GL_ALWAYS;
  mAlphaRef = 0.0f;
  glAlphaFunc(mAlphaFunc, mAlphaRef);
  return DD_OK;
}

HRESULT IDirect3DDevice8::Clear(uint32_t, const D3DRECT*, uint32_t theFlags, uint32_t theColor, float theZ,
                                uint32_t theStencil) {
  std::lock_guard<std::recursive_mutex> aLock(g_critical_region);
  // Before Reset there is nothing to clear.
  if (!MakeCurrent()) return DD_OK;
  FlushBatch();
  GLbitfield aBits = 0;
  if (theFlags & D3DCLEAR_TARGET) {
    glClearColor(((theColor >> 16) & 255) / 255.0f, ((theColor >> 8) & 255) / 255.0f,
                 (theColor & 255) / 255.0f, (theColor >> 24) / 255.0f);
    aBits |= GL_COLOR_BUFFER_BIT;
  }
  if (theFlags & D3DCLEAR_ZBUFFER) {
    glClearDepth(theZ);
    aBits |= GL_DEPTH_BUFFER_BIT;
  }
  if (theFlags & D3DCLEAR_STENCIL) {
    glClearStencil(static_cast<GLint>(theStencil));
    aBits |= GL_STENCIL_BUFFER_BIT;
  }
  glClear(aBits);
  return DD_OK;
}

HRESULT IDirect3DDevice8::BeginScene() {
  std::lock_guard<std::recursive_mutex> aLock(g_critical_region);
  mInScene = false;
  mInScene = MakeCurrent();
  return DD_OK;
}

HRESULT IDirect3DDevice8::EndScene() {
  std::lock_guard<std::recursive_mutex> aLock(g_critical_region);
  if (MakeCurrent()) FlushBatch();
  mInScene = false;
  return DD_OK;
}

HRESULT IDirect3DDevice8::Present(const tagRECT*, const tagRECT* theDest, WindowRef, const void*) {
  std::lock_guard<std::recursive_mutex> aLock(g_critical_region);
  const bool isCurrent = MakeCurrent();
  if (isCurrent) FlushBatch();
  if (isCurrent && mFrameBuffer != 0) ShowOffscreenFrame(theDest);
  if (mContext != nullptr) aglSwapBuffers(mContext);
  // Drawing goes on in the device's frame, which keeps what was drawn.
  if (isCurrent && mFrameBuffer != 0) FrameBuffers().mBindFramebuffer(GL_FRAMEBUFFER, mFrameBuffer);
  return DD_OK;
}

bool IDirect3DDevice8::MakeOffscreenFrame(int theWidth, int theHeight) {
  const FrameBufferCalls& f = FrameBuffers();
  if (!f.Ok()) return false;
  GLint aPrevious = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_RECTANGLE_ARB, &aPrevious);
  glGenTextures(1, &mFrameTexture);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, mFrameTexture);
  glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
  glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
  glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
  mFrameFilter = GL_LINEAR;
  glTexImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, GL_RGBA8, theWidth, theHeight, 0, GL_BGRA,
               GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, static_cast<GLuint>(aPrevious));
  f.mGenRenderbuffers(1, &mFrameDepth);
  f.mBindRenderbuffer(GL_RENDERBUFFER, mFrameDepth);
  f.mRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT16, theWidth, theHeight);
  f.mBindRenderbuffer(GL_RENDERBUFFER, 0);
  f.mGenFramebuffers(1, &mFrameBuffer);
  f.mBindFramebuffer(GL_FRAMEBUFFER, mFrameBuffer);
  f.mFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_RECTANGLE_ARB, mFrameTexture, 0);
  f.mFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, mFrameDepth);
  if (f.mCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
    DeleteOffscreenFrame();
    return false;
  }
  return true;
}

void IDirect3DDevice8::DeleteOffscreenFrame() {
  const FrameBufferCalls& f = FrameBuffers();
  if (f.Ok()) {
    f.mBindFramebuffer(GL_FRAMEBUFFER, 0);
    if (mFrameBuffer != 0) f.mDeleteFramebuffers(1, &mFrameBuffer);
    if (mFrameDepth != 0) f.mDeleteRenderbuffers(1, &mFrameDepth);
  }
  if (mFrameTexture != 0) glDeleteTextures(1, &mFrameTexture);
  mFrameBuffer = mFrameTexture = mFrameDepth = 0;
  mBoundTexture = ~0u;
}

GLint IDirect3DDevice8::TargetHeight() const {
  return mFrameBuffer != 0 ? static_cast<GLint>(mBackBufferHeight)
                           : static_cast<GLint>(mPortBounds.bottom - mPortBounds.top);
}

void IDirect3DDevice8::ShowOffscreenFrame(const tagRECT* theDest) {
  const GLint aPortWidth = mPortBounds.right - mPortBounds.left;
  const GLint aPortHeight = mPortBounds.bottom - mPortBounds.top;
  const tagRECT aDest = theDest != nullptr ? *theDest : tagRECT{0, 0, aPortWidth, aPortHeight};
  const float w = static_cast<float>(mBackBufferWidth), h = static_cast<float>(mBackBufferHeight);
  const int64_t aDestWidth = aDest.right - aDest.left, aDestHeight = aDest.bottom - aDest.top;
  const int64_t aWidth = mBackBufferWidth, aHeight = mBackBufferHeight;
  const bool isWholeScale = aDestWidth > 0 && aDestHeight > 0 && aDestWidth % aWidth == 0 &&
                            aDestHeight % aHeight == 0 && aDestWidth / aWidth == aDestHeight / aHeight;
  const GLint aFilter = isWholeScale ? GL_NEAREST : GL_LINEAR;

  // Everything this changes is put back after, but for the bound frame buffer.
  glPushAttrib(GL_ALL_ATTRIB_BITS);
  glMatrixMode(GL_PROJECTION);
  glPushMatrix();
  glLoadIdentity();
  glOrtho(0, aPortWidth, aPortHeight, 0, -1, 1);
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  FrameBuffers().mBindFramebuffer(GL_FRAMEBUFFER, 0);
  glViewport(0, 0, aPortWidth, aPortHeight);
  glDisable(GL_SCISSOR_TEST);
  glDisable(GL_BLEND);
  glDisable(GL_ALPHA_TEST);
  glDisable(GL_DEPTH_TEST);
  glDisable(GL_STENCIL_TEST);
  glDisable(GL_LIGHTING);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
  // The bars, and whatever the window showed before.
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_TEXTURE_RECTANGLE_ARB);
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, mFrameTexture);
  if (mFrameFilter != aFilter) {
    glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_MIN_FILTER, aFilter);
    glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_MAG_FILTER, aFilter);
    mFrameFilter = aFilter;
  }
  glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
  glColor4f(1, 1, 1, 1);
  // The frame's rows were drawn top down into a texture whose first row is the bottom one.
  const float aLeft = static_cast<float>(aDest.left), aTop = static_cast<float>(aDest.top);
  const float aRight = static_cast<float>(aDest.right), aBottom = static_cast<float>(aDest.bottom);
  glBegin(GL_TRIANGLE_STRIP);
  glTexCoord2f(0, h);
  glVertex2f(aLeft, aTop);
  glTexCoord2f(0, 0);
  glVertex2f(aLeft, aBottom);
  glTexCoord2f(w, h);
  glVertex2f(aRight, aTop);
  glTexCoord2f(w, 0);
  glVertex2f(aRight, aBottom);
  glEnd();
  glMatrixMode(GL_MODELVIEW);
  glPopMatrix();
  glMatrixMode(GL_PROJECTION);
  glPopMatrix();
  glPopAttrib();
  mBoundTexture = ~0u;
}

HRESULT IDirect3DDevice8::SetRenderState(_D3DRENDERSTATETYPE theState, uint32_t theValue) {
  std::lock_guard<std::recursive_mutex> aLock(g_critical_region);
  if (!MakeCurrent()) return DD_OK;
  // The blend states flush only when they change (SetBlendFunc); every other state now.
  if (theState != D3DRS_SRCBLEND && theState != D3DRS_DESTBLEND && theState != D3DRS_ALPHABLENDENABLE)
    FlushBatch();
  switch (theState) {
    case D3DRS_ZENABLE:
      Toggle(GL_DEPTH_TEST, theValue);
      mDepthTest = theValue != 0;
      break;
    case D3DRS_ZWRITEENABLE:
      mDepthWrite = (theValue & 0xFF) != 0;
      glDepthMask(static_cast<GLboolean>(theValue & 0xFF));
      break;
    case D3DRS_ALPHATESTENABLE:
      Toggle(GL_ALPHA_TEST, theValue);
      mAlphaTest = theValue != 0;
      break;
    case D3DRS_SRCBLEND:
      SetBlendFunc(BlendFactor(theValue, mSrcBlend), mDestBlend);
      break;
    case D3DRS_DESTBLEND:
      SetBlendFunc(mSrcBlend, BlendFactor(theValue, mDestBlend));
      break;
    case D3DRS_CULLMODE:
      if (theValue == D3DCULL_NONE) glDisable(GL_CULL_FACE);
      break;
    case D3DRS_ALPHAREF:
      mAlphaRef = static_cast<float>(theValue / 255.0);
      glAlphaFunc(mAlphaFunc, mAlphaRef);
      break;
    case D3DRS_ALPHAFUNC:
      if (theValue == D3DCMP_GREATER) mAlphaFunc = GL_GREATER;
      glAlphaFunc(mAlphaFunc, mAlphaRef);
      break;
    case D3DRS_DITHERENABLE:
      Toggle(GL_DITHER, theValue);
      break;
    case D3DRS_ALPHABLENDENABLE:
      SetBlendEnabled(theValue != 0);
      break;
    case D3DRS_STENCILENABLE:
      Toggle(GL_STENCIL_TEST, theValue);
      mStencilTest = theValue != 0;
      break;
    case D3DRS_STENCILPASS:
      if (theValue == D3DSTENCILOP_REPLACE)
        mStencilPass = GL_REPLACE;
      else if (theValue == D3DSTENCILOP_KEEP)
        mStencilPass = GL_KEEP;
      else
        Debugger("SetRenderState: unsupported stencil operation");
      glStencilOp(mStencilFail, mStencilDepthFail, mStencilPass);
      break;
    case D3DRS_STENCILFUNC:
      if (theValue == D3DCMP_ALWAYS)
        mStencilFunc = GL_ALWAYS;
      else if (theValue == D3DCMP_LESS)
        mStencilFunc = GL_LESS;
      else
        Debugger("SetRenderState: unsupported stencil function");
      glStencilFunc(mStencilFunc, mStencilRef, mStencilMask);
      break;
    case D3DRS_STENCILREF:
      mStencilRef = static_cast<GLint>(theValue);
      glStencilFunc(mStencilFunc, mStencilRef, mStencilMask);
      break;
    case D3DRS_LIGHTING:
      Toggle(GL_LIGHTING, theValue);
      break;
    case D3DRS_LOCALVIEWER:
      glLightModeli(GL_LIGHT_MODEL_LOCAL_VIEWER, theValue != 0 ? 1 : 0);
      break;
    case D3DRS_NORMALIZENORMALS:
      Toggle(GL_NORMALIZE, theValue);
      Toggle(GL_RESCALE_NORMAL, theValue);
      break;
    case D3DRS_COLORWRITEENABLE:
      glColorMask((theValue & 1) != 0, (theValue & 2) != 0, (theValue & 4) != 0, (theValue & 8) != 0);
      break;
    case D3DRS_ZFUNC:
    case D3DRS_SPECULARENABLE:
    case D3DRS_CLIPPING:
    case D3DRS_COLORVERTEX:
    case D3DRS_DIFFUSEMATERIALSOURCE:
    case D3DRS_POINTSIZE:
    case D3DRS_POINTSPRITEENABLE:
    case D3DRS_POINTSCALEENABLE:
    case D3DRS_BLENDOP:
      break;
    default:
      Debugger("SetRenderState: unsupported render state");
      break;
  }
  return DD_OK;
}

HRESULT IDirect3DDevice8::SetTextureStageState(uint32_t, _D3DTEXTURESTAGESTATETYPE theType,
                                               uint32_t theValue) {
  // The filters act on textures set later; anything else changes how kept quads would draw.
  if (theType != D3DTSS_MINFILTER && theType != D3DTSS_MAGFILTER && theType != D3DTSS_MIPFILTER) {
    std::lock_guard<std::recursive_mutex> aLock(g_critical_region);
    if (MakeCurrent()) FlushBatch();
  }
  switch (theType) {
    case D3DTSS_COLORARG1:
      mColorArg1 = TextureArgument(theValue, mColorArg1);
      break;
    case D3DTSS_COLORARG2:
      mColorArg2 = TextureArgument(theValue, mColorArg2);
      break;
    case D3DTSS_ALPHAARG1:
      mAlphaArg1 = TextureArgument(theValue, mAlphaArg1);
      break;
    case D3DTSS_ALPHAARG2:
      mAlphaArg2 = TextureArgument(theValue, mAlphaArg2);
      break;
    case D3DTSS_COLOROP:
    case D3DTSS_ALPHAOP: {
      bool isColor = theType == D3DTSS_COLOROP;
      GLenum aCombine = isColor ? GL_COMBINE_RGB : GL_COMBINE_ALPHA;
      GLenum aSource0 = isColor ? GL_SOURCE0_RGB : GL_SOURCE0_ALPHA;
      GLenum aSource1 = isColor ? GL_SOURCE1_RGB : GL_SOURCE1_ALPHA;
      GLenum aSource2 = isColor ? GL_SOURCE2_RGB : GL_SOURCE2_ALPHA;
      GLenum anOperand0 = isColor ? GL_OPERAND0_RGB : GL_OPERAND0_ALPHA;
      GLenum anOperand1 = isColor ? GL_OPERAND1_RGB : GL_OPERAND1_ALPHA;
      GLenum anOperand2 = isColor ? GL_OPERAND2_RGB : GL_OPERAND2_ALPHA;
      GLenum aScale = isColor ? GL_RGB_SCALE : GL_ALPHA_SCALE;
      GLenum anArg1 = isColor ? mColorArg1 : mAlphaArg1;
      GLenum anArg2 = isColor ? mColorArg2 : mAlphaArg2;
      GLenum anOperand = isColor ? GL_SRC_COLOR : GL_SRC_ALPHA;
      switch (theValue) {
        case D3DTOP_DISABLE:
          glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
          glTexEnvi(GL_TEXTURE_ENV, aCombine, GL_REPLACE);
          glTexEnvi(GL_TEXTURE_ENV, aSource0, GL_PREVIOUS);
          glTexEnvi(GL_TEXTURE_ENV, anOperand0, GL_SRC_ALPHA);
          glTexEnvf(GL_TEXTURE_ENV, aScale, 1.0f);
          break;
        case D3DTOP_SELECTARG2:
          glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
          glTexEnvi(GL_TEXTURE_ENV, aCombine, GL_REPLACE);
          glTexEnvi(GL_TEXTURE_ENV, aSource0, anArg2);
          glTexEnvi(GL_TEXTURE_ENV, anOperand0, anOperand);
          glTexEnvf(GL_TEXTURE_ENV, aScale, 1.0f);
          break;
        case D3DTOP_MODULATE:
          glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
          glTexEnvi(GL_TEXTURE_ENV, aCombine, GL_MODULATE);
          glTexEnvi(GL_TEXTURE_ENV, aSource0, anArg1);
          glTexEnvi(GL_TEXTURE_ENV, aSource1, anArg2);
          glTexEnvi(GL_TEXTURE_ENV, anOperand0, anOperand);
          glTexEnvi(GL_TEXTURE_ENV, anOperand1, anOperand);
          glTexEnvf(GL_TEXTURE_ENV, aScale, 1.0f);
          break;
        case D3DTOP_SUBTRACT:
          if (isColor) {
            glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
            glTexEnvi(GL_TEXTURE_ENV, aCombine, GL_SUBTRACT);
            glTexEnvi(GL_TEXTURE_ENV, aSource0, anArg1);
            glTexEnvi(GL_TEXTURE_ENV, aSource1, anArg2);
            glTexEnvi(GL_TEXTURE_ENV, anOperand0, GL_SRC_COLOR);
            glTexEnvi(GL_TEXTURE_ENV, anOperand1, GL_SRC_COLOR);
          }
          break;
        case D3DTOP_BLENDTEXTUREALPHA:
          glTexEnvf(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_COMBINE);
          glTexEnvi(GL_TEXTURE_ENV, aCombine, GL_INTERPOLATE);
          glTexEnvi(GL_TEXTURE_ENV, aSource0, anArg1);
          glTexEnvi(GL_TEXTURE_ENV, aSource1, anArg2);
          glTexEnvi(GL_TEXTURE_ENV, aSource2, GL_TEXTURE);
          glTexEnvi(GL_TEXTURE_ENV, anOperand0, anOperand);
          glTexEnvi(GL_TEXTURE_ENV, anOperand1, anOperand);
          glTexEnvi(GL_TEXTURE_ENV, anOperand2, GL_SRC_ALPHA);
          glTexEnvf(GL_TEXTURE_ENV, aScale, 1.0f);
          break;
        default:
          break;
      }
      break;
    }
    case D3DTSS_ADDRESSU:
    case D3DTSS_ADDRESSV: {
      GLenum aWrap = theType == D3DTSS_ADDRESSU ? GL_TEXTURE_WRAP_S : GL_TEXTURE_WRAP_T;
      // Rectangle textures cannot repeat, and GL_CLAMP blends the border into edge texels
      // (fringes on scaled blits and seams between pieces): clamp to the edge instead.
      if (theValue == D3DTADDRESS_CLAMP)
        glTexParameterf(mTextureTarget, aWrap, static_cast<GLfloat>(GL_CLAMP_TO_EDGE));
      else if (theValue == D3DTADDRESS_WRAP && mTextureTarget != GL_TEXTURE_RECTANGLE_ARB)
        glTexParameterf(mTextureTarget, aWrap, static_cast<GLfloat>(GL_REPEAT));
      break;
    }
    case D3DTSS_MINFILTER:
      mMinFilter = theValue == D3DTEXF_POINT ? GL_NEAREST : GL_LINEAR;
      break;
    case D3DTSS_MAGFILTER:
      mMagFilter = theValue == D3DTEXF_POINT ? GL_NEAREST : GL_LINEAR;
      break;
    default:
      break;  // no mipmaps: the mip filter has nothing to choose between
  }
  return DD_OK;
}

HRESULT IDirect3DDevice8::SetVertexShader(uint32_t theFormat) {
  mVertexFormat = theFormat;
  return DD_OK;
}

HRESULT IDirect3DDevice8::SetViewport(const _D3DVIEWPORT8* theViewport) {
  std::lock_guard<std::recursive_mutex> aLock(g_critical_region);
  mViewport = *theViewport;
  if (!MakeCurrent()) return DD_OK;
  FlushBatch();
  glEnable(GL_SCISSOR_TEST);
  glScissor(static_cast<GLint>(mViewport.X),
            // OpenGL counts rows from the bottom of what is drawn into.
            TargetHeight() - static_cast<GLint>(mViewport.Y + mViewport.Height),
            static_cast<GLsizei>(mViewport.Width), static_cast<GLsizei>(mViewport.Height));
  return DD_OK;
}

HRESULT IDirect3DDevice8::DrawPrimitiveUP(_D3DPRIMITIVETYPE theType, uint32_t theCount, const void* theData,
                                          uint32_t) {
  GLenum aMode;
  uint32_t aFirst, aFurther;
  switch (theType) {
    case D3DPT_POINTLIST:
      aMode = GL_POINTS;
      aFirst = 1;
      aFurther = 1;
      break;
    case D3DPT_LINELIST:
      aMode = GL_LINES;
      aFirst = 2;
      aFurther = 2;
      break;
    case D3DPT_LINESTRIP:
      aMode = GL_LINE_STRIP;
      aFirst = 2;
      aFurther = 1;
      break;
    case D3DPT_TRIANGLELIST:
      aMode = GL_TRIANGLES;
      aFirst = 3;
      aFurther = 3;
      break;
    case D3DPT_TRIANGLESTRIP:
      aMode = GL_TRIANGLE_STRIP;
      aFirst = 3;
      aFurther = 1;
      break;
    case D3DPT_TRIANGLEFAN:
      aMode = GL_TRIANGLE_FAN;
      aFirst = 3;
      aFurther = 1;
      break;
    default:
      return -1;
  }
  std::lock_guard<std::recursive_mutex> aLock(g_critical_region);
  if (!MakeCurrent()) return DD_OK;
  FlushBatch();
  ApplyBlend(mBlendEnabled);
  uint32_t aVertexCount = theCount == 0 ? 0 : aFirst + (theCount - 1) * aFurther;
  bool isRectangle = mTextureTarget == GL_TEXTURE_RECTANGLE_ARB;
  const unsigned char* aData = static_cast<const unsigned char*>(theData);
  glBegin(aMode);
  for (uint32_t i = 0; i < aVertexCount; ++i) {
    const float* aPosition = reinterpret_cast<const float*>(aData);
    aData += (mVertexFormat & D3DFVF_XYZRHW) ? 16 : 12;
    if (mVertexFormat & D3DFVF_NORMAL) {
      glNormal3fv(reinterpret_cast<const float*>(aData));
      aData += 12;
    }
    if (mVertexFormat & D3DFVF_DIFFUSE) {
      uint32_t aColor;
      std::memcpy(&aColor, aData, 4);
      glColor4ub(static_cast<GLubyte>(aColor >> 16), static_cast<GLubyte>(aColor >> 8),
                 static_cast<GLubyte>(aColor), static_cast<GLubyte>(aColor >> 24));
      aData += 4;
    }
    if (mVertexFormat & D3DFVF_SPECULAR) {
      float aSpecularAsFloat;
      std::memcpy(&aSpecularAsFloat, aData, 4);
      if (aSpecularAsFloat != 0.0f) {
        GLfloat aSpecular[4] = {aData[0] / 255.0f, aData[1] / 255.0f, aData[2] / 255.0f, aData[3] / 255.0f};
        glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, aSpecular);
      }
      aData += 4;
    }
    if (mVertexFormat & D3DFVF_TEX1) {
      const float* aUV = reinterpret_cast<const float*>(aData);
      if (isRectangle)
        glTexCoord2f(aUV[0] * mTextureWidth, aUV[1] * mTextureHeight);
      else
        glTexCoord2fv(aUV);
      aData += 8;
    }
    if (mVertexFormat & D3DFVF_XYZRHW)
      glVertex4fv(aPosition);
    else
      glVertex3fv(aPosition);
  }
  glEnd();
  return DD_OK;
}

HRESULT IDirect3DDevice8::SetTexture(uint32_t theStage, DIRECTDRAWSURFACE3* theSurface) {
  if (theStage != 0) Debugger("SetTexture: only stage 0 exists");
  std::lock_guard<std::recursive_mutex> aLock(g_critical_region);
  if (!MakeCurrent()) return DD_OK;
  if (theSurface == nullptr) {
    BindTexture(0);
    return DD_OK;
  }
  // A surface made off this thread gets its texture now (binding it on the way; the surface has
  // every device draw its kept quads first).
  if (!theSurface->HasTexture() && (!theSurface->EnsureTexture() || theSurface->GetTextureName() == 0))
    return DD_OK;
  BindTexture(theSurface->GetTextureName());
  ApplyFilters(theSurface);
  if (theSurface->IsDirty()) {
    FlushBatch();  // kept quads show the texture as it was
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glTexSubImage2D(mTextureTarget, 0, 0, 0, theSurface->GetWidth(), theSurface->GetHeight(), GL_BGRA,
                    GL_UNSIGNED_INT_8_8_8_8_REV, theSurface->GetMemory());
    theSurface->SetDirty(false);
  }
  mTextureWidth = theSurface->GetWidth();
  mTextureHeight = theSurface->GetHeight();
  return DD_OK;
}

IDirect3DDevice8::TexelRect IDirect3DDevice8::CoreOnTarget(const _D3DTLVERTEX q[4],
                                                           const TexelRect& theCore) const {
  const TexelRect aNone{0, 0, 0, 0};
  // Strip order: top left, bottom left, top right, bottom right; whole pixels, texel for
  // pixel, point sampled, in opaque colours, on a target of the frame's own pixels.
  if (!mIsOneToOne || mMinFilter != GL_NEAREST || mMagFilter != GL_NEAREST ||
      mTextureTarget != GL_TEXTURE_RECTANGLE_ARB)
    return aNone;
  for (int i = 0; i < 4; ++i)
    if ((q[i].color >> 24) != 0xFF || q[i].color != q[0].color || q[i].sz != 0.0f || q[i].rhw != 1.0f ||
        q[i].sx != std::floor(q[i].sx) || q[i].sy != std::floor(q[i].sy) || std::fabs(q[i].sx) > 30000.0f ||
        std::fabs(q[i].sy) > 30000.0f)
      return aNone;
  if (q[0].sx != q[1].sx || q[2].sx != q[3].sx || q[0].sy != q[2].sy || q[1].sy != q[3].sy ||
      q[0].tu != q[1].tu || q[2].tu != q[3].tu || q[0].tv != q[2].tv || q[1].tv != q[3].tv)
    return aNone;
  float u0 = q[0].tu * mTextureWidth, u1 = q[2].tu * mTextureWidth;
  float v0 = q[0].tv * mTextureHeight, v1 = q[1].tv * mTextureHeight;
  int x0 = static_cast<int>(q[0].sx), x1 = static_cast<int>(q[2].sx);
  int y0 = static_cast<int>(q[0].sy), y1 = static_cast<int>(q[1].sy);
  int aU0 = static_cast<int>(std::lround(u0)), aV0 = static_cast<int>(std::lround(v0));
  if (x1 <= x0 || y1 <= y0 || std::fabs(u0 - aU0) > 1e-3f || std::fabs(v0 - aV0) > 1e-3f ||
      std::fabs((u1 - u0) - (x1 - x0)) > 1e-3f || std::fabs((v1 - v0) - (y1 - y0)) > 1e-3f)
    return aNone;
  TexelRect aCore{std::max(x0, x0 + theCore.mLeft - aU0), std::max(y0, y0 + theCore.mTop - aV0),
                  std::min(x1, x0 + theCore.mRight - aU0), std::min(y1, y0 + theCore.mBottom - aV0)};
  if (aCore.mRight <= aCore.mLeft || aCore.mBottom <= aCore.mTop) return aNone;
  return aCore;
}

HRESULT IDirect3DDevice8::DrawQuad(const _D3DTLVERTEX theQuad[4], bool isTextureOpaque,
                                   const TexelRect* theOpaqueCore) {
  std::lock_guard<std::recursive_mutex> aLock(g_critical_region);
  if (!MakeCurrent()) return DD_OK;
  // Another format, or a specular colour (a material change), draws as it always did.
  bool isSpecular = false;
  uint32_t anAlphas = 0xFF;
  for (int i = 0; i < 4; ++i) {
    isSpecular = isSpecular || theQuad[i].specular != 0;
    anAlphas &= theQuad[i].color >> 24;
  }
  if (mVertexFormat != D3DFVF_TLVERTEX || isSpecular) {
    FlushBatch();
    return DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, theQuad, sizeof(_D3DTLVERTEX));
  }
  // Source alpha 255 under (source alpha, 1 - source alpha) writes the source itself.
  bool isBlended =
      mBlendEnabled && !(isTextureOpaque && anAlphas == 0xFF && mBoundTexture != 0 &&
                         mAppliedSrcBlend == GL_SRC_ALPHA && mAppliedDestBlend == GL_ONE_MINUS_SRC_ALPHA);
  if (mBatch.size() + 4 > 65536 || (!mBatch.empty() && isBlended != mBatchBlend)) FlushBatch();
  mBatchBlend = isBlended;
  TexelRect aCore{0, 0, 0, 0};
  if (theOpaqueCore != nullptr && isBlended && mBoundTexture != 0)
    aCore = CoreOnTarget(theQuad, *theOpaqueCore);
  if (aCore.mRight > aCore.mLeft) ++mCores;
  mBatchCores.push_back(aCore);
  float aMinX = std::min(std::min(theQuad[0].sx, theQuad[1].sx), std::min(theQuad[2].sx, theQuad[3].sx));
  float aMaxX = std::max(std::max(theQuad[0].sx, theQuad[1].sx), std::max(theQuad[2].sx, theQuad[3].sx));
  float aMinY = std::min(std::min(theQuad[0].sy, theQuad[1].sy), std::min(theQuad[2].sy, theQuad[3].sy));
  float aMaxY = std::max(std::max(theQuad[0].sy, theQuad[1].sy), std::max(theQuad[2].sy, theQuad[3].sy));
  mBatchArea += static_cast<int64_t>(std::min(aMaxX - aMinX, 1e5f) * std::min(aMaxY - aMinY, 1e5f));
  bool isRectangle = mTextureTarget == GL_TEXTURE_RECTANGLE_ARB;
  uint16_t aFirst = static_cast<uint16_t>(mBatch.size());
  for (int i = 0; i < 4; ++i) {
    const _D3DTLVERTEX& v = theQuad[i];
    uint32_t c = v.color;
    BatchVertex b{{v.sx, v.sy, v.sz, v.rhw},
                  {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c),
                   static_cast<uint8_t>(c >> 24)},
                  {isRectangle ? v.tu * mTextureWidth : v.tu, isRectangle ? v.tv * mTextureHeight : v.tv}};
    mBatch.push_back(b);
  }
  // The strip's two triangles, in the order the strip gives them.
  const uint16_t aOrder[6] = {0, 1, 2, 2, 1, 3};
  for (uint16_t k : aOrder) mBatchIndices.push_back(static_cast<uint16_t>(aFirst + k));
  return DD_OK;
}

void IDirect3DDevice8::DrawBatchOverCores() {
  // Later quads nearer: quad i at depth 0.5 - z / 10000 of the projection's -5000..5000.
  constexpr float k_ZStep = 0.5f;
  const size_t aQuads = mBatch.size() / 4;
  mCoreBatch.clear();
  mCoreIndices.clear();
  for (size_t i = aQuads; i-- > 0;) {
    float z = static_cast<float>(i + 1) * k_ZStep;
    for (size_t k = 0; k < 4; ++k) mBatch[i * 4 + k].mPosition[2] = z;
    const TexelRect& c = mBatchCores[i];
    if (c.mRight <= c.mLeft) continue;
    // The core's texels are the quad's at the same pixels (texel for pixel).
    const BatchVertex& aTopLeft = mBatch[i * 4];
    float du = aTopLeft.mUV[0] - aTopLeft.mPosition[0], dv = aTopLeft.mUV[1] - aTopLeft.mPosition[1];
    uint16_t aFirst = static_cast<uint16_t>(mCoreBatch.size());
    const float aX[4] = {float(c.mLeft), float(c.mLeft), float(c.mRight), float(c.mRight)};
    const float aY[4] = {float(c.mTop), float(c.mBottom), float(c.mTop), float(c.mBottom)};
    for (int k = 0; k < 4; ++k) {
      BatchVertex b = aTopLeft;
      b.mPosition[0] = aX[k];
      b.mPosition[1] = aY[k];
      b.mPosition[2] = z;
      b.mUV[0] = std::round(aX[k] + du);
      b.mUV[1] = std::round(aY[k] + dv);
      mCoreBatch.push_back(b);
    }
    for (uint16_t k : {0, 1, 2, 2, 1, 3}) mCoreIndices.push_back(static_cast<uint16_t>(aFirst + k));
  }
  glDepthMask(GL_TRUE);
  glClearDepth(1.0);
  glClear(GL_DEPTH_BUFFER_BIT);
  glEnable(GL_DEPTH_TEST);
  glDepthFunc(GL_LESS);
  ApplyBlend(false);
  DrawQuads(mCoreBatch, mCoreIndices);
  // A quad's own core fails against itself (equal depth): it is drawn already, and only the
  // quads after it blend over it.
  glDepthMask(GL_FALSE);
  ApplyBlend(true);
  DrawQuads(mBatch, mBatchIndices);
  glDisable(GL_DEPTH_TEST);
  glDepthMask(mDepthWrite ? GL_TRUE : GL_FALSE);
}

void IDirect3DDevice8::DrawQuads(const std::vector<BatchVertex>& theVertices,
                                 const std::vector<uint16_t>& theIndices) {
  const GLsizei aStride = sizeof(BatchVertex);
  glVertexPointer(4, GL_FLOAT, aStride, theVertices[0].mPosition);
  glColorPointer(4, GL_UNSIGNED_BYTE, aStride, theVertices[0].mColor);
  glTexCoordPointer(2, GL_FLOAT, aStride, theVertices[0].mUV);
  glDrawElements(GL_TRIANGLES, static_cast<GLsizei>(theIndices.size()), GL_UNSIGNED_SHORT, theIndices.data());
}

void IDirect3DDevice8::FlushBatch() {
  if (mBatch.empty()) return;
  std::lock_guard<std::recursive_mutex> aLock(g_critical_region);
  // Worth it once the quads cover the viewport twice over (measured on llvmpipe: +7% at 2.6
  // times, +40% at 8.5; at 0.85 the depth test cost 8% more than the hidden pixels saved).
  int64_t aViewportArea = static_cast<int64_t>(mViewport.Width) * mViewport.Height;
  bool isOverCores = mCores > 0 && mHasDepth && mBatchBlend && !HasFragmentTests() &&
                     mAppliedSrcBlend == GL_SRC_ALPHA && mAppliedDestBlend == GL_ONE_MINUS_SRC_ALPHA &&
                     mBatch.size() / 4 <= 8000 && aViewportArea > 0 && mBatchArea >= 2 * aViewportArea;
  if (MakeCurrent()) {
    glEnableClientState(GL_VERTEX_ARRAY);
    glEnableClientState(GL_COLOR_ARRAY);
    glEnableClientState(GL_TEXTURE_COORD_ARRAY);
    if (isOverCores) {
      DrawBatchOverCores();
    } else {
      ApplyBlend(mBatchBlend);
      DrawQuads(mBatch, mBatchIndices);
    }
    glDisableClientState(GL_TEXTURE_COORD_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
  }
  mBatch.clear();
  mBatchIndices.clear();
  mBatchCores.clear();
  mBatchArea = 0;
  mCores = 0;
}

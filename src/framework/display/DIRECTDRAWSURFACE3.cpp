#include "display/DIRECTDRAWSURFACE3.h"

#include <emmintrin.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <mutex>
#include <new>
#include <vector>

#include "display/DIRECTDRAW2.h"

namespace {

std::atomic<int> gLiveTextures{0};
uint32_t gBindingChanges = 0;  // OpenGL thread only
void (*gBeforeTextureChange)() = nullptr;

// Before a surface binds, fills or deletes a texture on its own: whoever keeps draws that may
// use it (the device's kept quads) draws them first; then the change is counted.
void NoteTextureChange() {
  if (gBeforeTextureChange != nullptr) gBeforeTextureChange();
  ++gBindingChanges;
}
std::mutex gPendingLock;
std::vector<GLuint> gPendingTextures;  // released off the OpenGL thread

// OpenGL may be called here: this is its thread and a context is current.
bool CanCallGL() { return aglGetCurrentContext() != nullptr && aglIsGLThread(); }

const GLint k_MainAttributes[] = {AGL_RGBA,        AGL_ALL_RENDERERS, AGL_DOUBLEBUFFER,
                                  AGL_ACCELERATED, AGL_NO_RECOVERY,   AGL_NONE};

// One memory pixel of a blit, by the kind of destination and the blit's flags.
enum class BlendKind { kOpaque, kKeyedOpaque, kConstAlpha, kSourceAlpha, kKeyedSourceAlpha };

inline uint32_t BlendWords(uint32_t theDest, uint32_t theSource, uint32_t theAlpha) {
  uint32_t anInverse = 256 - theAlpha;
  uint32_t aResult = 0;
  for (int aShift = 0; aShift < 32; aShift += 8) {
    uint32_t d = (theDest >> aShift) & 0xFF;
    uint32_t s = (theSource >> aShift) & 0xFF;
    aResult |= (((d * anInverse + s * theAlpha) >> 8) & 0xFF) << aShift;
  }
  return aResult;
}

// a and b mixed, b taking theWeight 256ths, rounded; the alpha byte comes out 0.
inline uint32_t MixWords(uint32_t a, uint32_t b, uint32_t theWeight) {
  const uint32_t aKeep = 256 - theWeight;
  const uint32_t aRedBlue =
      (((a & 0xFF00FFu) * aKeep + (b & 0xFF00FFu) * theWeight + 0x800080u) >> 8) & 0xFF00FFu;
  const uint32_t aGreen = (((a & 0xFF00u) * aKeep + (b & 0xFF00u) * theWeight + 0x8000u) >> 8) & 0xFF00u;
  return aRedBlue | aGreen;
}

// Where pixel theIndex of theDestSize pixels samples theSrcSize pixels, centres aligned: the
// source pixel to its left (which may be -1 before the first centre) and the right one's weight
// in 256ths.
struct Sample {
  int64_t mLeft;
  uint32_t mWeight;
};
inline Sample SampleAt(int64_t theIndex, int64_t theDestSize, int64_t theSrcSize) {
  const int64_t aPoint = (2 * theIndex + 1) * theSrcSize * 256 / (2 * theDestSize) - 128;
  const int64_t aLeft = aPoint >= 0 ? aPoint / 256 : -((255 - aPoint) / 256);
  return Sample{aLeft, static_cast<uint32_t>(aPoint - aLeft * 256)};
}

inline int64_t ClampTo(int64_t theValue, int64_t theLow, int64_t theHigh) {
  return theValue < theLow ? theLow : (theValue > theHigh ? theHigh : theValue);
}

}  // namespace

int DIRECTDRAWSURFACE3::LiveTextureCount() { return gLiveTextures.load(); }

uint32_t DIRECTDRAWSURFACE3::TextureBindingChanges() { return gBindingChanges; }

void DIRECTDRAWSURFACE3::SetTextureChangeHook(void (*theHook)()) { gBeforeTextureChange = theHook; }

void DIRECTDRAWSURFACE3::DeletePendingTextures() {
  if (!CanCallGL()) return;
  std::vector<GLuint> aNames;
  {
    std::lock_guard<std::mutex> aLock(gPendingLock);
    aNames.swap(gPendingTextures);
  }
  if (!aNames.empty()) NoteTextureChange();
  for (GLuint aName : aNames) {
    glDeleteTextures(1, &aName);
    --gLiveTextures;
  }
}

DIRECTDRAWSURFACE3::DIRECTDRAWSURFACE3()
    : mDD(nullptr),
      mFrameRect{0, 0, 0, 0},
      mTexture(0),
      mTextureDefined(false),
      mMinFilter(GL_LINEAR),
      mMagFilter(GL_LINEAR),
      mWidth(0),
      mHeight(0),
      mPitch(0),
      mCaps(0),
      mDirty(false),
      mHasColorKey(false),
      mColorKey(0),
      mBackSurface(nullptr),
      mPresentPending(false),
      mReleased(false),
      mScaleDest{0, 0, 0, 0},
      mScaleSrc{0, 0, 0, 0},
      mScaleSourceWidth(0) {}

DIRECTDRAWSURFACE3::~DIRECTDRAWSURFACE3() { Release(); }

HRESULT DIRECTDRAWSURFACE3::AllocateMemory() {
  size_t aCount = static_cast<size_t>(mWidth) * mHeight;
  mMemory.reset(new (std::nothrow) uint32_t[aCount > 0 ? aCount : 1]);
  if (!mMemory) return k_DDOutOfMemory;
  std::memset(mMemory.get(), 0, aCount * 4);
  return DD_OK;
}

HRESULT DIRECTDRAWSURFACE3::Create(DIRECTDRAW2* theDD, const _DDSURFACEDESC2& theDesc) {
  mDD = theDD;
  mCaps = (theDesc.dwFlags & DDSD_CAPS) ? theDesc.ddsCaps.dwCaps : 0;
  mWidth = (theDesc.dwFlags & DDSD_WIDTH) ? theDesc.dwWidth : 0;
  mHeight = (theDesc.dwFlags & DDSD_HEIGHT) ? theDesc.dwHeight : 0;
  if (mWidth == 0 || mHeight == 0) {
    Rect aPort{0, 0, 0, 0};
    if (FrontWindow() != nullptr) GetWindowPortBounds(FrontWindow(), &aPort);
    uint32_t aMaxWidth = static_cast<uint32_t>(CGDisplayPixelsWide(CGMainDisplayID()));
    uint32_t aMaxHeight = static_cast<uint32_t>(CGDisplayPixelsHigh(CGMainDisplayID()));
    mWidth = std::min<uint32_t>(static_cast<uint32_t>(std::max(0, aPort.right - aPort.left)), aMaxWidth);
    mHeight = std::min<uint32_t>(static_cast<uint32_t>(std::max(0, aPort.bottom - aPort.top)), aMaxHeight);
  }
  mPitch = static_cast<int32_t>(mWidth * 4);
  mFrameRect = Rect{0, 0, static_cast<int16_t>(mHeight), static_cast<int16_t>(mWidth)};

  if (mCaps & DDSCAPS_PRIMARYSURFACE) {
    WindowRef aWindow = static_cast<WindowRef>(theDesc.lpSurface);
    if (aWindow == nullptr || !PreflightGL(theDD->mFullScreen)) return k_DDGenericFailure;
    structGLWindowInfo& anInfo = theDD->mGLInfo;
    anInfo = structGLWindowInfo{};
    anInfo.acceleratedRequired = true;
    std::copy(std::begin(k_MainAttributes), std::end(k_MainAttributes), anInfo.attributes);
    anInfo.checkAllDevices = !theDD->mFullScreen;
    AGLContext aContext = nullptr;
    BuildGLFromWindow(aWindow, &aContext, &anInfo, nullptr);
    if (aContext == nullptr) {
      if (anInfo.pixelFormat != nullptr) {
        aglDestroyPixelFormat(anInfo.pixelFormat);
        anInfo.pixelFormat = nullptr;
      }
      return k_DDGenericFailure;
    }
    if (theDD->mMainContext != nullptr) {
      // A second primary replaces the first one's context instead of leaking it.
      structGLWindowInfo anOld{};
      DestroyGLFromWindow(&theDD->mMainContext, &anOld);
      aglSetCurrentContext(aContext);
    }
    theDD->mMainContext = aContext;
    GLint anInterval = 1;
    aglSetInteger(aContext, AGL_SWAP_INTERVAL, &anInterval);
    Rect aPort;
    GetWindowPortBounds(aWindow, &aPort);
    glViewport(0, 0, aPort.right - aPort.left, aPort.bottom - aPort.top);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, aPort.right - aPort.left, aPort.bottom - aPort.top, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    aglSwapBuffers(aContext);
    glShadeModel(GL_SMOOTH);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_RECTANGLE_ARB);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_BLEND);
    mCaps |= DDSCAPS_PRIMARYSURFACE | DDSCAPS_FRONTBUFFER;
    HRESULT aResult = AllocateMemory();
    if (aResult < 0) return aResult;
    mFrame.reset(new Frame{aContext, aWindow, true});
    CreateFrame();
  } else {
    HRESULT aResult = AllocateMemory();
    if (aResult < 0) return aResult;
    CreateFrame();
  }

  if (mCaps & DDSCAPS_FLIP) {
    auto aBack = std::make_unique<DIRECTDRAWSURFACE3>();
    aBack->mDD = theDD;
    aBack->mWidth = mWidth;
    aBack->mHeight = mHeight;
    aBack->mPitch = mPitch;
    aBack->mFrameRect = mFrameRect;
    aBack->mCaps =
        (mCaps & ~(DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_FRONTBUFFER)) | DDSCAPS_BACKBUFFER;
    HRESULT aResult = aBack->AllocateMemory();
    if (aResult < 0) return aResult;
    aBack->CreateFrame();
    mBackSurface = aBack.get();
    theDD->mSurfaces.push_back(std::move(aBack));
    mCaps |= DDSCAPS_FRONTBUFFER;
  }
  return DD_OK;
}

void DIRECTDRAWSURFACE3::CreateFrame() {
  // Off the OpenGL thread the texture is made at first use instead.
  EnsureTexture();
}

bool DIRECTDRAWSURFACE3::EnsureTexture() {
  if (mReleased || !mMemory || !CanCallGL()) return false;
  DeletePendingTextures();
  NoteTextureChange();
  if (mTexture != 0 && mTextureDefined) {
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, mTexture);
    return true;
  }
  // Making the texture leaves the binding of the current context as it was.
  GLint aPrevious = 0;
  glGetIntegerv(GL_TEXTURE_BINDING_RECTANGLE_ARB, &aPrevious);
  if (mTexture == 0) {
    glGenTextures(1, &mTexture);
    ++gLiveTextures;
    mTextureDefined = false;
  }
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, mTexture);
  if (!mTextureDefined) {
    glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    mMinFilter = mMagFilter = GL_LINEAR;
    glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, GL_RGBA, static_cast<GLsizei>(mWidth),
                 static_cast<GLsizei>(mHeight), 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, mMemory.get());
    mTextureDefined = true;
    mDirty = false;
  }
  glBindTexture(GL_TEXTURE_RECTANGLE_ARB, static_cast<GLuint>(aPrevious));
  return true;
}

bool DIRECTDRAWSURFACE3::IsPresentationTarget() const {
  return mFrame != nullptr || (mCaps & DDSCAPS_BACKBUFFER) != 0;
}

void DIRECTDRAWSURFACE3::Present() {
  if (!mFrame || !aglIsGLThread()) return;
  AGLContext aPrevious = aglGetCurrentContext();
  if (!aglSetCurrentContext(mFrame->mContext)) return;
  mPresentPending = false;
  if (EnsureTexture()) {
    NoteTextureChange();
    glBindTexture(GL_TEXTURE_RECTANGLE_ARB, mTexture);
    glTexSubImage2D(GL_TEXTURE_RECTANGLE_ARB, 0, 0, 0, static_cast<GLsizei>(mWidth),
                    static_cast<GLsizei>(mHeight), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, mMemory.get());
    mDirty = false;
    // Shown one texel to one pixel (the viewport is the frame's size, the projection the
    // window's port and nothing moved), every sample falls on a texel's centre, where the nearest
    // texel is exactly what filtering would give, and a software rasteriser copies it much
    // faster; a window of another size keeps the filtered picture.
    GLint aPort[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, aPort);
    GLfloat aProjection[16], aModelView[16];
    glGetFloatv(GL_PROJECTION_MATRIX, aProjection);
    glGetFloatv(GL_MODELVIEW_MATRIX, aModelView);
    const float w = static_cast<float>(mWidth), h = static_cast<float>(mHeight);
    static const GLfloat kIdentity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    const bool isOneToOne = aPort[2] == static_cast<GLint>(mWidth) && aPort[3] == static_cast<GLint>(mHeight) &&
                            std::fabs(aProjection[0] * w - 2.0f) < 1e-5f &&
                            std::fabs(aProjection[5] * h + 2.0f) < 1e-5f && aProjection[1] == 0.0f &&
                            aProjection[4] == 0.0f && aProjection[12] == -1.0f && aProjection[13] == 1.0f &&
                            aProjection[3] == 0.0f && aProjection[7] == 0.0f && aProjection[15] == 1.0f &&
                            std::memcmp(aModelView, kIdentity, sizeof(kIdentity)) == 0;
    const GLint aFilter = isOneToOne ? GL_NEAREST : GL_LINEAR;
    if (mMinFilter != aFilter || mMagFilter != aFilter) {
      glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_MIN_FILTER, aFilter);
      glTexParameteri(GL_TEXTURE_RECTANGLE_ARB, GL_TEXTURE_MAG_FILTER, aFilter);
      SetTextureFilters(aFilter, aFilter);
    }
    // The frame is shown as it is: its alpha bytes are whatever the blitters left there.
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_RECTANGLE_ARB);
    // The texel as it is (white modulation gives the same), which a software rasteriser can
    // copy without shading.
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    glColor4f(1, 1, 1, 1);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0, 0);
    glVertex2f(0, 0);
    glTexCoord2f(0, h);
    glVertex2f(0, h);
    glTexCoord2f(w, 0);
    glVertex2f(w, 0);
    glTexCoord2f(w, h);
    glVertex2f(w, h);
    glEnd();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glEnable(GL_BLEND);
    aglSwapBuffers(mFrame->mContext);
  }
  if (aPrevious != nullptr && aPrevious != mFrame->mContext) aglSetCurrentContext(aPrevious);
}

void DIRECTDRAWSURFACE3::PresentOrDefer() {
  if (!mFrame) return;
  if (aglIsGLThread())
    Present();
  else
    mPresentPending = true;
}

bool DIRECTDRAWSURFACE3::PresentIfPending() {
  if (!mPresentPending.load() || !aglIsGLThread()) return false;
  Present();
  return true;
}

HRESULT DIRECTDRAWSURFACE3::GetSurfaceDesc(_DDSURFACEDESC* theDesc) {
  if (theDesc == nullptr) return k_DDGenericFailure;
  theDesc->dwFlags = DDSD_HEIGHT | DDSD_WIDTH | DDSD_PITCH | DDSD_LPSURFACE | DDSD_PIXELFORMAT;
  theDesc->dwHeight = mHeight;
  theDesc->dwWidth = mWidth;
  theDesc->lPitch = mPitch;
  theDesc->lpSurface = mMemory.get();
  theDesc->ddpfPixelFormat.dwSize = k_DDPixelFormatSize;
  theDesc->ddpfPixelFormat.dwFlags = DDPF_RGB | DDPF_ALPHAPIXELS;
  theDesc->ddpfPixelFormat.dwRGBBitCount = 32;
  theDesc->ddpfPixelFormat.dwRBitMask = 0x00FF0000;
  theDesc->ddpfPixelFormat.dwGBitMask = 0x0000FF00;
  theDesc->ddpfPixelFormat.dwBBitMask = 0x000000FF;
  theDesc->ddpfPixelFormat.dwRGBAlphaBitMask = 0xFF000000;
  theDesc->ddsCaps.dwCaps = mCaps;
  return DD_OK;
}

HRESULT DIRECTDRAWSURFACE3::Lock(tagRECT* theRect, _DDSURFACEDESC* theDesc, uint32_t, void*) {
  if (mReleased || !mMemory) return k_DDGenericFailure;
  GetSurfaceDesc(theDesc);
  if (theRect != nullptr && theDesc != nullptr)
    theDesc->lpSurface = mMemory.get() + static_cast<size_t>(theRect->top) * mWidth + theRect->left;
  if (mFrame) std::memset(mMemory.get(), 0, static_cast<size_t>(mPitch) * mHeight);
  return DD_OK;
}

HRESULT DIRECTDRAWSURFACE3::Unlock(void*) {
  if (mFrame)
    PresentOrDefer();
  else
    mDirty = true;
  return DD_OK;
}

HRESULT DIRECTDRAWSURFACE3::SetColorKey(uint32_t theFlags, _DDCOLORKEY* theKey) {
  if (theKey == nullptr) return k_DDGenericFailure;
  if ((theFlags & (DDCKEY_COLORSPACE | 0x2)) != 0 ||
      theKey->dwColorSpaceHighValue != theKey->dwColorSpaceLowValue)
    Debugger("SetColorKey: only a single source key is kept");
  mColorKey = theKey->dwColorSpaceLowValue;
  mHasColorKey = true;
  return DD_OK;
}

HRESULT DIRECTDRAWSURFACE3::SetPalette(void*) { return DD_OK; }

HRESULT DIRECTDRAWSURFACE3::GetAttachedSurface(_DDSCAPS*, DIRECTDRAWSURFACE3** theSurface) {
  if (theSurface == nullptr || mBackSurface == nullptr) return DDERR_SURFACENOTATTACHED;
  *theSurface = mBackSurface;
  return DD_OK;
}

HRESULT DIRECTDRAWSURFACE3::Flip(DIRECTDRAWSURFACE3*, uint32_t) {
  if (!(mCaps & DDSCAPS_PRIMARYSURFACE) || mReleased) return DD_OK;
  if (mBackSurface != nullptr && mBackSurface->mMemory && mMemory)
    std::memcpy(mMemory.get(), mBackSurface->mMemory.get(), static_cast<size_t>(mPitch) * mHeight);
  PresentOrDefer();
  return DD_OK;
}

HRESULT DIRECTDRAWSURFACE3::Blt(tagRECT* theDestRect, DIRECTDRAWSURFACE3* theSource, tagRECT* theSrcRect,
                                uint32_t theFlags, _DDBLTFX* theFx) {
  return NewBlt(theDestRect, theSource, theSrcRect, theFlags, theFx);
}

void DIRECTDRAWSURFACE3::FillRect(const tagRECT& theDest, uint32_t theColor) {
  int32_t aLeft = std::max<int32_t>(theDest.left, 0), aTop = std::max<int32_t>(theDest.top, 0);
  int32_t aRight = std::min<int32_t>(theDest.right, static_cast<int32_t>(mWidth));
  int32_t aBottom = std::min<int32_t>(theDest.bottom, static_cast<int32_t>(mHeight));
  for (int32_t y = aTop; y < aBottom; ++y) {
    uint32_t* aRow = mMemory.get() + static_cast<size_t>(y) * mWidth;
    std::fill(aRow + aLeft, aRow + std::max(aLeft, aRight), theColor);
  }
}

void DIRECTDRAWSURFACE3::CopyRows(DIRECTDRAWSURFACE3* theSource, const tagRECT& theDest,
                                  const tagRECT& theSrc, uint32_t theFlags, const _DDBLTFX* theFx) {
  int64_t aDestW = theDest.right - theDest.left, aDestH = theDest.bottom - theDest.top;
  int64_t aSrcW = theSrc.right - theSrc.left, aSrcH = theSrc.bottom - theSrc.top;
  if (aDestW <= 0 || aDestH <= 0 || aSrcW <= 0 || aSrcH <= 0) return;

  BlendKind aKind;
  bool isKeyed = (theFlags & DDBLT_KEYSRC) != 0 && theSource->mHasColorKey;
  uint32_t aConstAlpha = 255;
  if (IsPresentationTarget()) {
    // What is shown is opaque: the frame's alpha bytes are the blitters' business, not the screen's.
    if ((theFlags & DDBLT_ALPHADESTCONSTOVERRIDE) && theFx != nullptr) {
      aKind = BlendKind::kConstAlpha;
      aConstAlpha = std::min<uint32_t>(theFx->dwAlphaDestConst, 255);
    } else {
      aKind = isKeyed ? BlendKind::kKeyedOpaque : BlendKind::kOpaque;
    }
  } else {
    aKind = isKeyed ? BlendKind::kKeyedSourceAlpha : BlendKind::kSourceAlpha;
  }
  uint32_t aKey = theSource->mColorKey;
  bool isFlipRows = (theFlags & DDBLT_DDFX_FLIPROWS) != 0;

  // Source steps in 16.16 per destination pixel; equal sizes step by exactly one.
  int64_t aStepX = (aSrcW << 16) / aDestW, aStepY = (aSrcH << 16) / aDestH;
  int32_t aY0 = std::max<int32_t>(theDest.top, 0);
  int32_t aY1 = std::min<int32_t>(theDest.bottom, static_cast<int32_t>(mHeight));
  int32_t aX0 = std::max<int32_t>(theDest.left, 0);
  int32_t aX1 = std::min<int32_t>(theDest.right, static_cast<int32_t>(mWidth));
  int32_t aSrcSurfW = static_cast<int32_t>(theSource->mWidth),
          aSrcSurfH = static_cast<int32_t>(theSource->mHeight);
  if (aKind == BlendKind::kOpaque && !isFlipRows && (aSrcW != aDestW || aSrcH != aDestH)) {
    ScaleToScreen(theSource, theDest, theSrc);
    return;
  }
  if (aKind == BlendKind::kOpaque && !isFlipRows) {
    // The frame to the screen: whole rows at one step, made opaque a vector at a time.
    const int32_t aShiftX = theSrc.left - theDest.left, aShiftY = theSrc.top - theDest.top;
    const int32_t aX0In = std::max(aX0, -aShiftX), aX1In = std::min(aX1, aSrcSurfW - aShiftX);
    const int32_t aY0In = std::max(aY0, -aShiftY), aY1In = std::min(aY1, aSrcSurfH - aShiftY);
    const __m128i anOpaque = _mm_set1_epi32(static_cast<int>(0xFF000000u));
    for (int32_t y = aY0In; y < aY1In && aX0In < aX1In; ++y) {
      const uint32_t* s = theSource->mMemory.get() + static_cast<size_t>(y + aShiftY) * theSource->mWidth +
                          (aX0In + aShiftX);
      uint32_t* d = mMemory.get() + static_cast<size_t>(y) * mWidth + aX0In;
      const int32_t aCount = aX1In - aX0In;
      int32_t i = 0;
      for (; i + 4 <= aCount; i += 4)
        _mm_storeu_si128(reinterpret_cast<__m128i*>(d + i),
                         _mm_or_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(s + i)), anOpaque));
      for (; i < aCount; ++i) d[i] = s[i] | 0xFF000000u;
    }
    return;
  }
  for (int32_t y = aY0; y < aY1; ++y) {
    int64_t aRowStep = ((y - theDest.top) * aStepY) >> 16;
    int64_t aSrcY = isFlipRows ? theSrc.bottom - 1 - aRowStep : theSrc.top + aRowStep;
    if (aSrcY < 0 || aSrcY >= aSrcSurfH) continue;
    const uint32_t* aSrcRow = theSource->mMemory.get() + static_cast<size_t>(aSrcY) * theSource->mWidth;
    uint32_t* aDestRow = mMemory.get() + static_cast<size_t>(y) * mWidth;
    int64_t aFixedX = (static_cast<int64_t>(theSrc.left) << 16) + (aX0 - theDest.left) * aStepX;
    for (int32_t x = aX0; x < aX1; ++x, aFixedX += aStepX) {
      int64_t aSrcX = aFixedX >> 16;
      if (aSrcX < 0 || aSrcX >= aSrcSurfW) continue;
      uint32_t s = aSrcRow[aSrcX];
      uint32_t& d = aDestRow[x];
      switch (aKind) {
        case BlendKind::kOpaque:
          d = s | 0xFF000000u;
          break;
        case BlendKind::kKeyedOpaque:
          if (s != aKey) d = s | 0xFF000000u;
          break;
        case BlendKind::kConstAlpha:
          d = BlendWords(d, s | 0xFF000000u, aConstAlpha);
          break;
        case BlendKind::kKeyedSourceAlpha:
          if (s == aKey) break;
          [[fallthrough]];
        case BlendKind::kSourceAlpha: {
          uint32_t a = s >> 24;
          if (a == 255)
            d = s;  // an opaque word is copied as it is
          else if (a != 0)
            d = BlendWords(d, s, a);
          break;
        }
      }
    }
  }
}

void DIRECTDRAWSURFACE3::ScaleToScreen(DIRECTDRAWSURFACE3* theSource, const tagRECT& theDest,
                                       const tagRECT& theSrc) {
  const int64_t aDestW = theDest.right - theDest.left, aDestH = theDest.bottom - theDest.top;
  const int64_t aSrcW = theSrc.right - theSrc.left, aSrcH = theSrc.bottom - theSrc.top;
  // Samples beyond the source surface take the edge of its part inside it.
  const int32_t aSrcSurfW = static_cast<int32_t>(theSource->mWidth);
  const int32_t aSrcX0 = std::max<int32_t>(theSrc.left, 0),
                aSrcX1 = std::min<int32_t>(theSrc.right, aSrcSurfW);
  const int32_t aSrcY0 = std::max<int32_t>(theSrc.top, 0),
                aSrcY1 = std::min<int32_t>(theSrc.bottom, static_cast<int32_t>(theSource->mHeight));
  const int32_t aX0 = std::max<int32_t>(theDest.left, 0), aX1 = std::min<int32_t>(theDest.right, mWidth);
  const int32_t aY0 = std::max<int32_t>(theDest.top, 0),
                aY1 = std::min<int32_t>(theDest.bottom, static_cast<int32_t>(mHeight));
  if (aSrcX1 <= aSrcX0 || aSrcY1 <= aSrcY0 || aX1 <= aX0 || aY1 <= aY0) return;
  const uint32_t* aSource = theSource->mMemory.get();
  const size_t aSourcePitch = theSource->mWidth;
  const int32_t aCount = aX1 - aX0;

  if (aDestW % aSrcW == 0 && aDestH % aSrcH == 0 && aDestW / aSrcW == aDestH / aSrcH) {
    // Each source pixel a k x k square: a row is built once and copied k - 1 times.
    const int64_t k = aDestW / aSrcW;
    int64_t aLastSrcY = -1;
    const uint32_t* aLastRow = nullptr;
    for (int32_t y = aY0; y < aY1; ++y) {
      const int64_t aSrcY = theSrc.top + (y - theDest.top) / k;
      if (aSrcY < aSrcY0 || aSrcY >= aSrcY1) continue;
      uint32_t* d = mMemory.get() + static_cast<size_t>(y) * mWidth + aX0;
      if (aSrcY == aLastSrcY) {
        std::memcpy(d, aLastRow, static_cast<size_t>(aCount) * 4);
        continue;
      }
      const uint32_t* s = aSource + static_cast<size_t>(aSrcY) * aSourcePitch;
      int64_t aSrcX = theSrc.left + (aX0 - theDest.left) / k, aPhase = (aX0 - theDest.left) % k;
      for (int32_t i = 0; i < aCount; ++i) {
        if (aSrcX >= aSrcX0 && aSrcX < aSrcX1) d[i] = s[aSrcX] | 0xFF000000u;
        if (++aPhase == k) {
          aPhase = 0;
          ++aSrcX;
        }
      }
      aLastSrcY = aSrcY;
      aLastRow = d;
    }
    return;
  }

  // Filtered: the columns are worked out once per geometry, each source row is filtered across
  // once per copy, and a destination row mixes the two rows around it.
  if (std::memcmp(&mScaleDest, &theDest, sizeof(tagRECT)) != 0 ||
      std::memcmp(&mScaleSrc, &theSrc, sizeof(tagRECT)) != 0 || mScaleSourceWidth != aSrcSurfW ||
      static_cast<int32_t>(mScaleLeft.size()) != aCount) {
    mScaleLeft.resize(aCount);
    mScaleRight.resize(aCount);
    mScaleWeight.resize(aCount);
    for (int32_t i = 0; i < aCount; ++i) {
      const Sample aSample = SampleAt(aX0 + i - theDest.left, aDestW, aSrcW);
      mScaleLeft[i] = static_cast<int32_t>(ClampTo(theSrc.left + aSample.mLeft, aSrcX0, aSrcX1 - 1));
      mScaleRight[i] = static_cast<int32_t>(ClampTo(theSrc.left + aSample.mLeft + 1, aSrcX0, aSrcX1 - 1));
      mScaleWeight[i] = aSample.mWeight;
    }
    mScaleDest = theDest;
    mScaleSrc = theSrc;
    mScaleSourceWidth = aSrcSurfW;
  }
  for (std::vector<uint32_t>& aRow : mScaledRows) aRow.resize(aCount);
  int64_t aRowOf[2] = {-1, -1};
  // The slot holding source row theRow, filled now unless it is; the other slot's row is kept.
  auto FilteredRow = [&](int64_t theRow) -> const uint32_t* {
    for (int i = 0; i < 2; ++i)
      if (aRowOf[i] == theRow) return mScaledRows[i].data();
    const int aSlot = aRowOf[0] == -1 || aRowOf[0] < aRowOf[1] ? 0 : 1;
    FilterRowAcross(aSource + static_cast<size_t>(theRow) * aSourcePitch, mScaledRows[aSlot].data());
    aRowOf[aSlot] = theRow;
    return mScaledRows[aSlot].data();
  };
  for (int32_t y = aY0; y < aY1; ++y) {
    const Sample aSample = SampleAt(y - theDest.top, aDestH, aSrcH);
    const int64_t aTop = ClampTo(theSrc.top + aSample.mLeft, aSrcY0, aSrcY1 - 1);
    const int64_t aBottom = ClampTo(theSrc.top + aSample.mLeft + 1, aSrcY0, aSrcY1 - 1);
    uint32_t* d = mMemory.get() + static_cast<size_t>(y) * mWidth + aX0;
    const uint32_t* aUpper = FilteredRow(aTop);
    if (aSample.mWeight == 0 || aBottom == aTop) {
      for (int32_t i = 0; i < aCount; ++i) d[i] = aUpper[i] | 0xFF000000u;
      continue;
    }
    // Rows go down the source, so the lower row fills the slot of the row above the upper one.
    const uint32_t* aLower = FilteredRow(aBottom);
    for (int32_t i = 0; i < aCount; ++i) d[i] = MixWords(aUpper[i], aLower[i], aSample.mWeight) | 0xFF000000u;
  }
}

void DIRECTDRAWSURFACE3::FilterRowAcross(const uint32_t* theRow, uint32_t* theOut) const {
  const size_t aCount = mScaleLeft.size();
  for (size_t i = 0; i < aCount; ++i)
    theOut[i] = MixWords(theRow[mScaleLeft[i]], theRow[mScaleRight[i]], mScaleWeight[i]);
}

HRESULT DIRECTDRAWSURFACE3::NewBlt(tagRECT* theDestRect, DIRECTDRAWSURFACE3* theSource, tagRECT* theSrcRect,
                                   uint32_t theFlags, _DDBLTFX* theFx) {
  if (mReleased || !mMemory) return k_DDGenericFailure;
  tagRECT aDest = theDestRect != nullptr
                      ? *theDestRect
                      : tagRECT{0, 0, static_cast<int32_t>(mWidth), static_cast<int32_t>(mHeight)};
  if (theFlags & (DDBLT_COLORFILL | DDBLT_DEPTHFILL)) {
    uint32_t aColor;
    if (theFlags & DDBLT_COLORFILL)
      aColor = theFx != nullptr ? theFx->dwFillColor : 0;
    else
      aColor = (theFx != nullptr && theFx->dwROP == k_DDRopWhiteness) ? 0xFFFFFFFFu : 0;
    if ((theFlags & DDBLT_ALPHADESTCONSTOVERRIDE) && theFx != nullptr)
      aColor = (aColor & 0x00FFFFFFu) | (theFx->dwAlphaDestConst << 24);
    if (IsPresentationTarget()) aColor |= 0xFF000000u;  // alpha 0 counts as opaque on screen
    FillRect(aDest, aColor);
    mDirty = true;
    PresentOrDefer();
    return DD_OK;
  }
  if (theSource == nullptr || theSource->mReleased || !theSource->mMemory) return k_DDGenericFailure;
  tagRECT aSrc = theSrcRect != nullptr ? *theSrcRect
                                       : tagRECT{0, 0, static_cast<int32_t>(theSource->mWidth),
                                                 static_cast<int32_t>(theSource->mHeight)};
  CopyRows(theSource, aDest, aSrc, theFlags, theFx);
  mDirty = true;
  PresentOrDefer();
  return DD_OK;
}

void DIRECTDRAWSURFACE3::Release() {
  if (mReleased) return;
  mReleased = true;
  if (mFrame) {
    if (mFrame->mOwnsContext && mDD != nullptr && mDD->mMainContext == mFrame->mContext && aglIsGLThread()) {
      // Textures still named by this surface go while their context is current.
      if (mTexture != 0) {
        NoteTextureChange();
        aglSetCurrentContext(mFrame->mContext);
        glDeleteTextures(1, &mTexture);
        --gLiveTextures;
        mTexture = 0;
      }
      DeletePendingTextures();
      aglSetDrawable(mFrame->mContext, nullptr);
      DestroyGLFromWindow(&mDD->mMainContext, &mDD->mGLInfo);
    }
    mFrame.reset();
  }
  if (mTexture != 0) {
    if (CanCallGL()) {
      NoteTextureChange();
      glDeleteTextures(1, &mTexture);
      --gLiveTextures;
    } else {
      std::lock_guard<std::mutex> aLock(gPendingLock);
      gPendingTextures.push_back(mTexture);
    }
    mTexture = 0;
  }
  mMemory.reset();
}

#include "display/DDInterface.h"

#include <algorithm>
#include <cstring>

#include "display/DDImage.h"
#include "display/DXErrorString.h"
#include "graphics/BlitSimd.h"
#include "platform/coregraphics/CoreGraphics.h"

namespace Tesk {

bool gOptimizeSoftwareDrawing = false;

namespace {

constexpr int k_CursorAreaSize = 128;
constexpr int k_MinRefreshRate = 60;
constexpr int k_MaxRefreshRate = 100;
constexpr uint32_t k_BeamTimeoutMillis = 199;
constexpr uint32_t k_BeamSecondWaitMillis = 200;

_DDSURFACEDESC2 OffscreenDesc(uint32_t theCaps, int theWidth, int theHeight) {
  _DDSURFACEDESC2 aDesc = MakeSurfaceDesc2();
  aDesc.dwFlags = DDSD_CAPS | DDSD_HEIGHT | DDSD_WIDTH;
  aDesc.ddsCaps.dwCaps = theCaps;
  aDesc.dwWidth = static_cast<uint32_t>(theWidth);
  aDesc.dwHeight = static_cast<uint32_t>(theHeight);
  return aDesc;
}

void ReleaseSurface(DIRECTDRAWSURFACE3*& theSurface) {
  if (theSurface != nullptr) theSurface->Release();
  theSurface = nullptr;
}

int LowestBit(uint32_t theMask) {
  for (int i = 0; i < 32; ++i)
    if (theMask & (1u << i)) return i;
  return 0;
}

int HighestBit(uint32_t theMask) {
  for (int i = 31; i >= 0; --i)
    if (theMask & (1u << i)) return i;
  return 0;
}

uint32_t TickCount() { return SDL_GetTicks(); }

}  // namespace

bool operator<(const Ratio& a, const Ratio& b) {
  if ((a.mNumerator * b.mDenominator) / a.mDenominator < b.mNumerator) return true;
  return a.mNumerator < (b.mNumerator * a.mDenominator) / b.mDenominator;
}

int operator*(int i, const Ratio& r) { return (r.mNumerator * i) / r.mDenominator; }

DDInterface::DDInterface(TeskAppBase* theApp)
    : mApp(theApp),
      mD3DInterface(std::make_unique<D3DInterface>()),
      mIs3D(false),
      mInRedraw(false),
      mDirectDraw(nullptr),
      mDirectDrawEx(nullptr),
      mPrimarySurface(nullptr),
      mSecondarySurface(nullptr),
      mDrawSurface(nullptr),
      mWidth(0),
      mHeight(0),
      mDesktopWidth(0),
      mDesktopHeight(0),
      mAspectCorrected(false),
      mWindowWidth(0),
      mWindowHeight(0),
      mFullScreenBits(16),
      mRefreshRate(60),
      mMillisPerFrame(16),
      mBeamFailCount(0),
      mRedConvTable{},
      mGreenConvTable{},
      mBlueConvTable{},
      mInitialized(false),
      mWindow(nullptr),
      mIsWindowed(true),
      mScreenImage(nullptr),
      mVideoOnlyDraw(false),
      mInitCount(0),
      mCursorWidth(k_CursorAreaSize),
      mCursorHeight(k_CursorAreaSize),
      mCursorX(0),
      mCursorY(0),
      mCursorDrawnX(0),
      mCursorDrawnY(0),
      mCursorImage(nullptr),
      mHasOldCursorArea(false),
      mOldCursorArea(nullptr),
      mNewCursorArea(nullptr),
      mOldCursorAreaImage(nullptr),
      mNewCursorAreaImage(nullptr) {
  mRGBBits = 0;
  mRedMask = mGreenMask = mBlueMask = 0;
  mRedBits = mGreenBits = mBlueBits = 0;
  mRedShift = mGreenShift = mBlueShift = 0;
}

DDInterface::~DDInterface() {
  Cleanup();
  mD3DInterface.reset();
  // Images that outlive the display no longer report to it.
  for (DDImage* anImage : mDDImageSet) anImage->mDDInterface = nullptr;
}

std::string DDInterface::ResultToString(int theResult) {
  switch (theResult) {
    case RESULT_OK:
      return "RESULT_OK";
    case RESULT_FAIL:
      return "RESULT_FAIL";
    case RESULT_DD_CREATE_FAIL:
      return "RESULT_DD_CREATE_FAIL";
    case RESULT_SURFACE_FAIL:
      return "RESULT_SURFACE_FAIL";
    case RESULT_EXCLUSIVE_FAIL:
      return "RESULT_EXCLUSIVE_FAIL";
    case RESULT_DISPCHANGE_FAIL:
      return "RESULT_DISPCHANGE_FAIL";
    case RESULT_INVALID_COLORDEPTH:
      return "RESULT_INVALID_COLORDEPTH";
    default:
      return "RESULT_UNKNOWN";
  }
}

bool DDInterface::GotDXError(HRESULT theResult, const char* theContext) {
  if (theResult >= 0) return false;
  mErrorString = std::string(theContext) + ": " + GetDirectXErrorString(theResult);
  return true;
}

bool DDInterface::Do3DTest(WindowRef) { return false; }

TRect<int> DDInterface::FitFrame(int theWidth, int theHeight, int theScreenWidth, int theScreenHeight) {
  if (theWidth <= 0 || theHeight <= 0 || theScreenWidth <= 0 || theScreenHeight <= 0)
    return TRect<int>(0, 0, theScreenWidth, theScreenHeight);
  const int64_t w = theWidth, h = theHeight, aScreenW = theScreenWidth, aScreenH = theScreenHeight;
  int64_t aWidth = aScreenW, aHeight = aScreenH;
  if (aScreenW * h <= aScreenH * w)
    aHeight = (aScreenW * h + w / 2) / w;  // narrower than the frame: bars above and below
  else
    aWidth = (aScreenH * w + h / 2) / h;  // wider: bars left and right
  return TRect<int>(static_cast<int>((aScreenW - aWidth) / 2), static_cast<int>((aScreenH - aHeight) / 2),
                    static_cast<int>(aWidth), static_cast<int>(aHeight));
}

HRESULT DDInterface::CreateSurface(DDSURFACEDESC2* theDesc, DIRECTDRAWSURFACE3** theSurface, void* theOuter) {
  AutoCrit aLock(mCritSect);
  HRESULT aResult;
  if (mDirectDrawEx != nullptr) {
    aResult = mDirectDrawEx->CreateSurface(theDesc, theSurface, theOuter);
  } else if (mDirectDraw != nullptr) {
    _DDSURFACEDESC aShort = MakeSurfaceDesc();
    aShort.dwFlags = theDesc->dwFlags;
    aShort.dwHeight = theDesc->dwHeight;
    aShort.dwWidth = theDesc->dwWidth;
    aShort.lPitch = theDesc->lPitch;
    aShort.dwBackBufferCount = theDesc->dwBackBufferCount;
    aShort.dwRefreshRate = theDesc->dwRefreshRate;
    aShort.dwAlphaBitDepth = theDesc->dwAlphaBitDepth;
    aShort.dwReserved = theDesc->dwReserved;
    aShort.lpSurface = theDesc->lpSurface;
    aShort.ddpfPixelFormat = theDesc->ddpfPixelFormat;
    aShort.ddsCaps.dwCaps = theDesc->ddsCaps.dwCaps;
    aResult = mDirectDraw->CreateSurface(&aShort, theSurface, theOuter);
  } else {
    return k_DDGenericFailure;
  }
  if (aResult < 0) return aResult;
  DIRECTDRAWSURFACE3* aPrimary = mPrimarySurface != nullptr ? mPrimarySurface : *theSurface;
  _DDSURFACEDESC aDesc = MakeSurfaceDesc();
  aDesc.dwFlags = DDSD_PIXELFORMAT;
  aPrimary->GetSurfaceDesc(&aDesc);
  const _DDPIXELFORMAT& aFormat = aDesc.ddpfPixelFormat;
  gOptimizeSoftwareDrawing =
      aFormat.dwBBitMask < aFormat.dwGBitMask && aFormat.dwGBitMask < aFormat.dwRBitMask;
  if (aFormat.dwRGBBitCount != 16 && aFormat.dwRGBBitCount != 32) {
    (*theSurface)->Release();
    *theSurface = nullptr;
    return DDERR_INVALIDPIXELFORMAT;
  }
  return aResult;
}

void DDInterface::ClearSurface(DIRECTDRAWSURFACE3* theSurface) {
  if (theSurface == nullptr) return;
  _DDSURFACEDESC aDesc = MakeSurfaceDesc();
  if (theSurface->Lock(nullptr, &aDesc, DDLOCK_WAIT | DDLOCK_WRITEONLY, nullptr) < 0) return;
  unsigned char* aRow = static_cast<unsigned char*>(aDesc.lpSurface);
  for (uint32_t y = 0; y < aDesc.dwHeight; ++y, aRow += aDesc.lPitch)
    std::memset(aRow, 0, aDesc.dwWidth * (aDesc.ddpfPixelFormat.dwRGBBitCount / 8));
  theSurface->Unlock(nullptr);
}

void DDInterface::BuildColorTables() {
  struct Channel {
    int mMask;
    int* mShift;
    int* mBits;
    std::unique_ptr<int[]>* mAddTable;
    uint32_t* mConvTable;
  };
  Channel aChannels[3] = {{mRedMask, &mRedShift, &mRedBits, &mRedAddTable, mRedConvTable},
                          {mGreenMask, &mGreenShift, &mGreenBits, &mGreenAddTable, mGreenConvTable},
                          {mBlueMask, &mBlueShift, &mBlueBits, &mBlueAddTable, mBlueConvTable}};
  for (Channel& c : aChannels) {
    uint32_t aMask = static_cast<uint32_t>(c.mMask);
    if (aMask != 0) {
      *c.mShift = LowestBit(aMask);
      *c.mBits = HighestBit(aMask) - *c.mShift + 1;
    }
    int aMax = (1 << *c.mBits) - 1;
    c.mAddTable->reset(new int[2 * aMax + 1]);
    for (int i = 0; i < 2 * aMax + 1; ++i) (*c.mAddTable)[i] = i < aMax ? i : aMax;
    for (uint32_t i = 0; i < 256; ++i) c.mConvTable[i] = ((aMask * i) / 255) & aMask;
  }
  mAddTablesSaturate = mRedBits == 8 && mGreenBits == 8 && mBlueBits == 8 &&
                       BlitSimd::AreSaturatingTables(mRedAddTable.get(), mGreenAddTable.get(), mBlueAddTable.get());
}

int DDInterface::Init(WindowRef theWindow, bool isWindowed) {
  AutoCrit aLock(mCritSect);
  mInitialized = false;
  if (isWindowed) DIRECTDRAW2::RestoreDisplayMode();
  Cleanup();
  mDirectDraw = new DIRECTDRAW2();
  mDirectDrawEx = mDirectDraw;
  Do3DTest(theWindow);

  mWindow = theWindow;
  mWidth = mAppView.mWidth;
  mHeight = mAppView.mHeight;
  mAspect.Set(mWidth, mHeight);
  mDesktopWidth = static_cast<int>(CGDisplayPixelsWide(CGMainDisplayID()));
  mDesktopHeight = static_cast<int>(CGDisplayPixelsHigh(CGMainDisplayID()));
  mDesktopAspect.Set(mDesktopWidth, mDesktopHeight);
  mWindowWidth = mWidth;
  mWindowHeight = mHeight;
  mWindowAspect = mAspect;
  mPresentationRect = TRect<int>(0, 0, mWidth, mHeight);
  mAppView.mPresentationRect = mPresentationRect;
  mFullScreenBits = mAppView.mFullScreenBits;
  mIsWindowed = isWindowed;
  mHasOldCursorArea = false;

  HRESULT aResult;
  if (isWindowed) {
    if (mAppView.mForceAspect && mAspect < mAppView.mForcedAspect) {
      mAspectCorrected = true;
      mWindowWidth = mHeight * mAppView.mForcedAspect;
      mWindowHeight = mHeight;
      mWindowAspect = mAppView.mForcedAspect;
      SizeWindow(theWindow, static_cast<int16_t>(mWindowWidth), static_cast<int16_t>(mWindowHeight), false);
      RepositionWindow(theWindow, nullptr, kWindowCenterOnMainScreen);
      if (mAppView.mDrawBufferTakesWindowSize) {
        mWidth = mWindowWidth;
        mHeight = mWindowHeight;
        mAspect = mWindowAspect;
        mPresentationRect = TRect<int>(0, 0, mWindowWidth, mWindowHeight);
      } else {
        mPresentationRect = TRect<int>((mWindowWidth - mWidth) / 2, 0, mWidth, mHeight);
      }
      mAppView.mPresentationRect = mPresentationRect;
    } else {
      RepositionWindow(theWindow, nullptr, kWindowCenterOnMainScreen);
    }
    mDirectDraw->SetCooperativeLevel(theWindow, DDSCL_NORMAL);

    _DDSURFACEDESC2 aDesc = MakeSurfaceDesc2();
    aDesc.dwFlags = DDSD_CAPS;
    aDesc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | (mIs3D ? DDSCAPS_3DDEVICE : 0);
    aDesc.dwBackBufferCount = 1;
    aDesc.lpSurface = theWindow;
    aResult = CreateSurface(&aDesc, &mPrimarySurface, nullptr);
    if (aResult == DDERR_INVALIDPIXELFORMAT) return RESULT_INVALID_COLORDEPTH;
    if (GotDXError(aResult, "CreateSurface Windowed Primary")) return RESULT_SURFACE_FAIL;

    aDesc = OffscreenDesc(mIs3D ? 0x6040 : 0x840, mWidth, mHeight);
    aResult = CreateSurface(&aDesc, &mDrawSurface, nullptr);
    if (GotDXError(aResult, "CreateSurface Windowed DrawSurface")) return RESULT_SURFACE_FAIL;
  } else {
    HRESULT aModeResult = mDirectDraw->SetDisplayMode(mWidth, mHeight, mFullScreenBits, 0, 0);
    aResult = mDirectDraw->SetCooperativeLevel(theWindow, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE);
    if (GotDXError(aResult, "SetCooperativeLevel FullScreen")) return RESULT_EXCLUSIVE_FAIL;
    if (GotDXError(aModeResult, "SetDisplayMode FullScreen")) return RESULT_DISPCHANGE_FAIL;
    // The display's own mode stays (it is not ours to switch): the window covers the screen, and
    // the frame is shown in it as a monitor shows a mode of the frame's size, as large as it fits
    // with its shape kept. The pointer stays over it, as it would on a screen of that size.
    ::Rect aPort{0, 0, 0, 0};
    GetWindowPortBounds(theWindow, &aPort);
    if (aPort.right > aPort.left && aPort.bottom > aPort.top) {
      mWindowWidth = aPort.right - aPort.left;
      mWindowHeight = aPort.bottom - aPort.top;
      mWindowAspect.Set(mWindowWidth, mWindowHeight);
      mPresentationRect = FitFrame(mWidth, mHeight, mWindowWidth, mWindowHeight);
      mAppView.mPresentationRect = mPresentationRect;
    }
    const ::Rect aFrame{static_cast<int16_t>(mPresentationRect.mY),
                        static_cast<int16_t>(mPresentationRect.mX),
                        static_cast<int16_t>(mPresentationRect.mY + mPresentationRect.mHeight),
                        static_cast<int16_t>(mPresentationRect.mX + mPresentationRect.mWidth)};
    ConfineMouseToWindow(theWindow, &aFrame);

    _DDSURFACEDESC2 aDesc = MakeSurfaceDesc2();
    aDesc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    aDesc.ddsCaps.dwCaps = 0x218 | (mIs3D ? DDSCAPS_3DDEVICE : 0);
    aDesc.dwBackBufferCount = 1;
    aDesc.lpSurface = theWindow;
    aResult = CreateSurface(&aDesc, &mPrimarySurface, nullptr);
    if (GotDXError(aResult, "CreateSurface FullScreen Primary")) return RESULT_SURFACE_FAIL;

    _DDSCAPS aCaps{DDSCAPS_BACKBUFFER};
    aResult = mPrimarySurface->GetAttachedSurface(&aCaps, &mSecondarySurface);
    if (GotDXError(aResult, "GetAttachedSurface")) return RESULT_SURFACE_FAIL;
    if (mAspectCorrected) {
      ClearSurface(mPrimarySurface);
      ClearSurface(mSecondarySurface);
    }
    aDesc = OffscreenDesc(mIs3D ? 0x6040 : 0x840, mWidth, mHeight);
    aResult = CreateSurface(&aDesc, &mDrawSurface, nullptr);
    if (GotDXError(aResult, "CreateSurface FullScreen DrawSurface")) return RESULT_SURFACE_FAIL;
    if (!mAppView.mPageFlip) mDirectDraw->FlipToGDISurface();
  }

  uint32_t aRate = 0;
  if (mDirectDraw->GetMonitorFrequency(&aRate) < 0 || aRate < k_MinRefreshRate) {
    mRefreshRate = k_MinRefreshRate;
    mAppView.mVSyncBroken = true;
  } else if (aRate > k_MaxRefreshRate) {
    mRefreshRate = k_MaxRefreshRate;
    mAppView.mVSyncBroken = true;
  } else {
    mRefreshRate = static_cast<int>(aRate);
  }
  mMillisPerFrame = 1000 / mRefreshRate;

  _DDSURFACEDESC2 aCursorDesc = OffscreenDesc(0x840, mCursorWidth, mCursorHeight);
  aResult = CreateSurface(&aCursorDesc, &mOldCursorArea, nullptr);
  if (GotDXError(aResult, "CreateSurface OldCursorArea")) return RESULT_SURFACE_FAIL;
  aCursorDesc = OffscreenDesc(0x840, mCursorWidth, mCursorHeight);
  aResult = CreateSurface(&aCursorDesc, &mNewCursorArea, nullptr);
  if (GotDXError(aResult, "CreateSurface NewCursorArea")) return RESULT_SURFACE_FAIL;
  mOldCursorAreaImage = new DDImage(this);
  mOldCursorAreaImage->SetSurface(mOldCursorArea);
  mOldCursorAreaImage->SetImageMode(false, false);
  mNewCursorAreaImage = new DDImage(this);
  mNewCursorAreaImage->SetSurface(mNewCursorArea);
  mNewCursorAreaImage->SetImageMode(false, false);

  if (mPrimarySurface != nullptr) {
    _DDSURFACEDESC aDesc = MakeSurfaceDesc();
    aDesc.dwFlags = 0x1006;
    mPrimarySurface->GetSurfaceDesc(&aDesc);
    int aBits = static_cast<int>(aDesc.ddpfPixelFormat.dwRGBBitCount);
    if (aBits != 16 && aBits != 32) return RESULT_INVALID_COLORDEPTH;
    mRGBBits = aBits;
    mRedMask = static_cast<int>(aDesc.ddpfPixelFormat.dwRBitMask);
    mGreenMask = static_cast<int>(aDesc.ddpfPixelFormat.dwGBitMask);
    mBlueMask = static_cast<int>(aDesc.ddpfPixelFormat.dwBBitMask);
    BuildColorTables();
  }

  SetVideoOnlyDraw(mVideoOnlyDraw);

  if (mIs3D && !mD3DInterface->InitFromDDInterface(this)) {
    mErrorString = "3D init error: " + D3DInterface::mErrorString;
    return RESULT_3D_FAIL;
  }
  ++mInitCount;
  mInitialized = true;
  return RESULT_OK;
}

void DDInterface::SetVideoOnlyDraw(bool videoOnly) {
  AutoCrit aLock(mCritSect);
  mVideoOnlyDraw = videoOnly;
  if (mSecondarySurface == nullptr) {
    _DDSURFACEDESC2 aDesc = OffscreenDesc(DDSCAPS_VIDEOMEMORY, mWidth, mHeight);
    if (CreateSurface(&aDesc, &mSecondarySurface, nullptr) < 0) mVideoOnlyDraw = false;
  }
  delete mScreenImage;
  mScreenImage = new DDImage(this);
  mScreenImage->SetSurface(mVideoOnlyDraw ? mSecondarySurface : mDrawSurface);
  mScreenImage->mVideoOnly = mVideoOnlyDraw;
  mScreenImage->mVideoMemory = mVideoOnlyDraw;
  mScreenImage->SetImageMode(false, false);
}

void DDInterface::Cleanup() {
  AutoCrit aLock(mCritSect);
  mInitialized = false;
  mD3DInterface->Cleanup();
  delete mOldCursorAreaImage;
  mOldCursorAreaImage = nullptr;
  delete mNewCursorAreaImage;
  mNewCursorAreaImage = nullptr;
  ReleaseSurface(mOldCursorArea);
  ReleaseSurface(mNewCursorArea);
  delete mScreenImage;
  mScreenImage = nullptr;
  // Every surface goes with the DirectDraw object: the images keep their pictures in memory and
  // make new surfaces on the next display.
  for (DDImage* anImage : mDDImageSet) anImage->DeleteDDSurface();
  ReleaseSurface(mDrawSurface);
  ReleaseSurface(mSecondarySurface);
  ReleaseSurface(mPrimarySurface);
  delete mDirectDraw;
  mDirectDraw = nullptr;
  mDirectDrawEx = nullptr;
}

void DDInterface::AddDDImage(DDImage* theImage) {
  AutoCrit aLock(mCritSect);
  mDDImageSet.insert(theImage);
}

void DDInterface::RemoveDDImage(DDImage* theImage) {
  AutoCrit aLock(mCritSect);
  mDDImageSet.erase(theImage);
}

void DDInterface::Remove3DData(MemoryImage* theImage) { mD3DInterface->RemoveMemoryImage(theImage); }

bool DDInterface::PresentPending() {
  AutoCrit aLock(mCritSect);
  return mPrimarySurface != nullptr && mPrimarySurface->PresentIfPending();
}

bool DDInterface::Redraw(TRect<int>* theClipRect) {
  AutoCrit aLock(mCritSect);
  if (!mInitialized) return false;
  _DDBLTFX aFx{};
  aFx.dwSize = k_DDBltFxSize;
  mInRedraw = true;

  if (mIs3D) {
    if (!D3DInterface::mErrorString.empty()) {
      mInRedraw = false;
      mIs3D = false;
      return false;
    }
    mD3DInterface->Flush();
    if (mCursorImage != nullptr) {
      mCursorDrawnX = mCursorX;
      mCursorDrawnY = mCursorY;
      int x = mCursorDrawnX - mCursorWidth / 2 + (mCursorWidth - mCursorImage->mWidth) / 2;
      int y = mCursorDrawnY - mCursorHeight / 2 + (mCursorHeight - mCursorImage->mHeight) / 2;
      mD3DInterface->Blt(mCursorImage, static_cast<float>(x), static_cast<float>(y),
                         TRect<int>(0, 0, mCursorImage->mWidth, mCursorImage->mHeight),
                         Color(255, 255, 255, 255), 0);
      mD3DInterface->Flush();
    }
    KeepPresentedFrame();
    if (mD3DInterface->GetDevice() != nullptr) {
      // The frame goes to its place in the window (all of it when the frame fills it).
      tagRECT aWhere = mPresentationRect.ToRECT();
      mD3DInterface->GetDevice()->Present(nullptr, &aWhere, nullptr, nullptr);
    }
    return true;  // mInRedraw stays set: the cursor thread never draws in 3-D
  }

  TRect<int> aDestRect, aSrcRect;
  // A clip is in the frame's pixels: a frame shown scaled or moved goes whole.
  if (theClipRect == nullptr || mAspectCorrected || !ShowsFrameAsItIs()) {
    aDestRect = mPresentationRect;
    aSrcRect = TRect<int>(0, 0, mWidth, mHeight);
  } else {
    aDestRect = *theClipRect;
    aSrcRect = *theClipRect;
  }
  tagRECT aDest = aDestRect.ToRECT(), aSrc = aSrcRect.ToRECT();

  _DDSURFACEDESC aLockDesc = MakeSurfaceDesc();
  if (mDrawSurface->Lock(nullptr, &aLockDesc, DDLOCK_WAIT | DDLOCK_READONLY, nullptr) >= 0)
    mDrawSurface->Unlock(nullptr);

  HRESULT aResult = DD_OK;
  if (mIsWindowed) {
    if (!mVideoOnlyDraw) {
      mCursorDrawnX = mCursorX;
      mCursorDrawnY = mCursorY;
      DrawCursorTo(mDrawSurface, false);
      if (mAppView.mWaitForVSync && !mAppView.mSoftVSyncWait) {
        bool isFailed = mBeamFailCount > 2;
        if (!isFailed) {
          CGDirectDisplayID aDisplay = CGMainDisplayID();
          int aDesktopHeight = static_cast<int>(CGDisplayPixelsHigh(aDisplay));
          int aHalf = mAppView.mHeight / 2;
          int aSplit = aDest.top + aHalf;
          int anEndLine = aDest.top + mHeight;
          bool sawUpper = false;
          uint32_t aStart = TickCount();
          for (;;) {
            int aBeam = static_cast<int>(CGDisplayBeamPosition(aDisplay));
            if (aBeam == 0) {
              isFailed = true;
              break;
            }
            if (aSplit - aBeam > 0 && aBeam < aDesktopHeight)
              sawUpper = true;
            else if (sawUpper)
              break;
            if (TickCount() - aStart > k_BeamTimeoutMillis) {
              isFailed = true;
              break;
            }
          }
          if (!isFailed) {
            mBeamFailCount = 0;
            tagRECT anUpperDest{aDest.left, aDest.top, aDest.right, aSplit};
            tagRECT anUpperSrc{aSrc.left, aSrc.top, aSrc.right, aHalf};
            mPrimarySurface->Blt(&anUpperDest, mDrawSurface, &anUpperSrc, DDBLT_WAIT, &aFx);
            int aRemembered = static_cast<int>(CGDisplayBeamPosition(aDisplay));
            uint32_t aSecondStart = TickCount();
            for (;;) {
              int aBeam = static_cast<int>(CGDisplayBeamPosition(aDisplay));
              if (aBeam != 0 && (aBeam < aRemembered || anEndLine - aBeam <= 0)) break;
              // The second wait has a bound of its own, so a stuck beam cannot hang a frame.
              if (TickCount() - aSecondStart > k_BeamSecondWaitMillis) break;
            }
            tagRECT aLowerDest{aDest.left, aSplit, aDest.right, aDest.bottom};
            tagRECT aLowerSrc{aSrc.left, aHalf, aSrc.right, aSrc.bottom};
            aResult = mPrimarySurface->Blt(&aLowerDest, mDrawSurface, &aLowerSrc, DDBLT_WAIT, &aFx);
          } else {
            ++mBeamFailCount;
          }
        }
        if (isFailed) {
          mDirectDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
          aResult = mPrimarySurface->Blt(&aDest, mDrawSurface, &aSrc, DDBLT_WAIT, &aFx);
        }
      } else {
        aResult = mPrimarySurface->Blt(&aDest, mDrawSurface, &aSrc, DDBLT_WAIT, &aFx);
      }
      if (mHasOldCursorArea) {
        RestoreOldCursorAreaFrom(mDrawSurface, false);
        mHasOldCursorArea = true;
      }
    } else {
      if (mAppView.mWaitForVSync && !mAppView.mSoftVSyncWait)
        mDirectDraw->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
      mCursorDrawnX = mCursorX;
      mCursorDrawnY = mCursorY;
      DrawCursorTo(mSecondarySurface, true);
      aResult = mPrimarySurface->Blt(&aDest, mSecondarySurface, &aSrc, DDBLT_WAIT, &aFx);
    }
    KeepPresentedFrame();
    mInRedraw = false;
    return !GotDXError(aResult, "Redraw Windowed");
  }

  if (!mAppView.mInPopup && mAppView.mPageFlip) {
    if (ShowsFrameAsItIs() || mVideoOnlyDraw) {
      if (!mVideoOnlyDraw) mSecondarySurface->Blt(&aDest, mDrawSurface, &aSrc, DDBLT_WAIT, &aFx);
      mCursorDrawnX = mCursorX;
      mCursorDrawnY = mCursorY;
      DrawCursorTo(mSecondarySurface, true);
    } else {
      // Scaled to the screen: the cursor goes into the frame, to be scaled with it, and out of the
      // draw buffer again once the frame is copied.
      mCursorDrawnX = mCursorX;
      mCursorDrawnY = mCursorY;
      DrawCursorTo(mDrawSurface, false);
      mSecondarySurface->Blt(&aDest, mDrawSurface, &aSrc, DDBLT_WAIT, &aFx);
      if (mHasOldCursorArea) RestoreOldCursorAreaFrom(mDrawSurface, false);
    }
    aResult = mPrimarySurface->Flip(nullptr, DDFLIP_WAIT);
    KeepPresentedFrame();
    mInRedraw = false;
    return !GotDXError(aResult, "Redraw FullScreen Flip");
  }
  aResult = mPrimarySurface->Blt(&aDest, mDrawSurface, &aSrc, DDBLT_WAIT, &aFx);
  KeepPresentedFrame();
  mInRedraw = false;
  return !GotDXError(aResult, "Redraw FullScreen Blt");
}

void DDInterface::CaptureNextFrame() {
  AutoCrit aLock(mCritSect);
  mCaptureNextFrame = true;
  mHasCapturedFrame = false;
}

bool DDInterface::TakeCapturedFrame(std::vector<uint32_t>* theBits, int* theWidth, int* theHeight) {
  AutoCrit aLock(mCritSect);
  if (!mHasCapturedFrame) return false;
  mHasCapturedFrame = false;
  theBits->swap(mCapturedBits);
  mCapturedBits.clear();
  *theWidth = mCapturedWidth;
  *theHeight = mCapturedHeight;
  return true;
}

// Called by Redraw with the frame in place: in 3-D in the back buffer just before the swap,
// in 2-D in the primary surface's memory, which is what its window shows.
void DDInterface::KeepPresentedFrame() {
  if (!mCaptureNextFrame) return;
  int aWidth = 0, aHeight = 0;
  if (mIs3D) {
    IDirect3DDevice8* aDevice = mD3DInterface->GetDevice();
    if (aDevice == nullptr || !aglIsGLThread() || !aglSetCurrentContext(aDevice->GetContext())) return;
    aDevice->FlushBatch();
    ::Rect aPort{0, 0, 0, 0};
    GetWindowPortBounds(mWindow, &aPort);
    // The frame is drawn over the viewport: the device's own frame when it shows it scaled, else
    // the window. Each frame pixel is read back from the viewport pixel at its centre, which
    // with point sampling is that pixel exactly, so the shot is the frame at its own size.
    GLint aView[4] = {0, 0, aPort.right - aPort.left, aPort.bottom - aPort.top};
    glGetIntegerv(GL_VIEWPORT, aView);
    const int aViewWidth = aView[2], aViewHeight = aView[3];
    aWidth = mWidth;
    aHeight = mHeight;
    if (aWidth <= 0 || aHeight <= 0 || aViewWidth <= 0 || aViewHeight <= 0) return;
    std::vector<uint32_t> aViewBits(static_cast<size_t>(aViewWidth) * aViewHeight);
    glReadBuffer(aDevice->DrawsOffscreen() ? GL_COLOR_ATTACHMENT0 : GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glPixelStorei(GL_PACK_ROW_LENGTH, 0);
    glReadPixels(aView[0], aView[1], aViewWidth, aViewHeight, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 aViewBits.data());
    std::vector<int> aColumns(static_cast<size_t>(aWidth));
    for (int x = 0; x < aWidth; ++x)
      aColumns[x] = static_cast<int>((2LL * x + 1) * aViewWidth / (2LL * aWidth));
    mCapturedBits.resize(static_cast<size_t>(aWidth) * aHeight);
    for (int y = 0; y < aHeight; ++y) {
      // OpenGL's rows run from the bottom up.
      const int aRow = aViewHeight - 1 - static_cast<int>((2LL * y + 1) * aViewHeight / (2LL * aHeight));
      const uint32_t* aSource = &aViewBits[static_cast<size_t>(aRow) * aViewWidth];
      uint32_t* aDest = &mCapturedBits[static_cast<size_t>(y) * aWidth];
      for (int x = 0; x < aWidth; ++x) aDest[x] = aSource[aColumns[x]];
    }
  } else {
    if (mPrimarySurface == nullptr || mPrimarySurface->GetMemory() == nullptr) return;
    aWidth = mPrimarySurface->GetWidth();
    aHeight = mPrimarySurface->GetHeight();
    const uint32_t* aBits = mPrimarySurface->GetMemory();
    mCapturedBits.assign(aBits, aBits + static_cast<size_t>(aWidth) * aHeight);
  }
  // The window has no alpha: what it shows is opaque.
  for (uint32_t& aPixel : mCapturedBits) aPixel |= 0xFF000000u;
  mCapturedWidth = aWidth;
  mCapturedHeight = aHeight;
  mCaptureNextFrame = false;
  mHasCapturedFrame = true;
}

}  // namespace Tesk

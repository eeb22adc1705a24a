#include "display/DIRECTDRAW2.h"

#include "platform/quicktime/QuickTime.h"

Ptr QTRestoreState = nullptr;

namespace {

DIRECTDRAW2* gDirectDraw = nullptr;

}  // namespace

DIRECTDRAW2* DIRECTDRAW2::GetCurrent() { return gDirectDraw; }

DIRECTDRAW2::DIRECTDRAW2()
    : mDisplayID(CGMainDisplayID()), mFullScreen(false), mMainContext(nullptr), mGLInfo{} {
  GDHandle aDevice = DMGetGDeviceByDisplayID(mDisplayID);
  mBounds = aDevice != nullptr ? (*aDevice)->gdRect : Rect{0, 0, 0, 0};
  gDirectDraw = this;
  // A full screen entered through an earlier object stays known, so that it can still be ended
  // (forgetting it would leave the screen and lose the window's place for good).
}

DIRECTDRAW2::~DIRECTDRAW2() {
  // Surfaces with textures go first, while the main context can still delete them.
  for (auto& aSurface : mSurfaces)
    if ((aSurface->mCaps & DDSCAPS_PRIMARYSURFACE) == 0) aSurface->Release();
  for (auto& aSurface : mSurfaces) aSurface->Release();
  mSurfaces.clear();
  if (mMainContext != nullptr) DestroyGLFromWindow(&mMainContext, &mGLInfo);
  if (gDirectDraw == this) gDirectDraw = nullptr;
}

HRESULT DIRECTDRAW2::SetDisplayMode(uint32_t theWidth, uint32_t theHeight, uint32_t, uint32_t, uint32_t) {
  int16_t aWidth = static_cast<int16_t>(theWidth);
  int16_t aHeight = static_cast<int16_t>(theHeight);
  // Full screen again (the display set up anew) starts from the window as it was.
  RestoreDisplayMode();
  OSErr anError = BeginFullScreen(&QTRestoreState, GetMainDevice(), &aWidth, &aHeight, nullptr, nullptr, 0);
  if (anError != noErr || GetMoviesError() != noErr) return k_DDGenericFailure;
  SetSystemUIMode(kUIModeAllHidden, kUIOptionDisableProcessSwitch);
  mFullScreen = true;
  // The screen keeps its own mode and size (switching the X display's mode is not ours to do):
  // the window covers all of it, and the display shows the asked size scaled in it.
  return DD_OK;
}

HRESULT DIRECTDRAW2::RestoreDisplayMode() {
  if (QTRestoreState == nullptr) return DD_OK;
  OSErr anError = EndFullScreen(QTRestoreState, 0);
  SetSystemUIMode(kUIModeNormal, 0);
  QTRestoreState = nullptr;
  if (gDirectDraw != nullptr) gDirectDraw->mFullScreen = false;
  return anError == noErr ? DD_OK : k_DDGenericFailure;
}

HRESULT DIRECTDRAW2::SetCooperativeLevel(WindowRef theWindow, uint32_t theFlags) {
  if ((theFlags & (DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE)) == (DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE)) {
    HideMenuBar();
    Rect aBounds{0, 0, static_cast<int16_t>(mBounds.bottom - mBounds.top),
                 static_cast<int16_t>(mBounds.right - mBounds.left)};
    SetWindowBounds(theWindow, kWindowContentRgn, &aBounds);
  }
  return DD_OK;
}

HRESULT DIRECTDRAW2::WaitForVerticalBlank(uint32_t, void*) { return DD_OK; }

HRESULT DIRECTDRAW2::GetMonitorFrequency(uint32_t* theHz) {
  int32_t aRate = 0;
  if (theHz == nullptr || !CGDisplayCurrentModeRefreshRate(mDisplayID, &aRate)) return k_DDGenericFailure;
  *theHz = static_cast<uint32_t>(aRate);
  return DD_OK;
}

HRESULT DIRECTDRAW2::FlipToGDISurface() { return DD_OK; }

HRESULT DIRECTDRAW2::CreatePalette(uint32_t, void*, void** thePalette, void*) {
  if (thePalette != nullptr) *thePalette = nullptr;
  Debugger("CreatePalette: palettes are not available");
  return k_DDGenericFailure;
}

HRESULT DIRECTDRAW2::CreateSurface(const _DDSURFACEDESC2* theDesc, DIRECTDRAWSURFACE3** theSurface, void*) {
  if (theDesc == nullptr || theSurface == nullptr) return k_DDGenericFailure;
  *theSurface = nullptr;
  auto aSurface = std::make_unique<DIRECTDRAWSURFACE3>();
  HRESULT aResult = aSurface->Create(this, *theDesc);
  if (aResult < 0) {
    aSurface->Release();
    return aResult;
  }
  *theSurface = aSurface.get();
  mSurfaces.push_back(std::move(aSurface));
  return DD_OK;
}

HRESULT DIRECTDRAW2::CreateSurface(const _DDSURFACEDESC* theDesc, DIRECTDRAWSURFACE3** theSurface,
                                   void* theOuter) {
  if (theDesc == nullptr) return k_DDGenericFailure;
  _DDSURFACEDESC2 aDesc = MakeSurfaceDesc2();
  aDesc.dwFlags = theDesc->dwFlags;
  aDesc.dwHeight = theDesc->dwHeight;
  aDesc.dwWidth = theDesc->dwWidth;
  aDesc.lPitch = theDesc->lPitch;
  aDesc.dwBackBufferCount = theDesc->dwBackBufferCount;
  aDesc.dwRefreshRate = theDesc->dwRefreshRate;
  aDesc.dwAlphaBitDepth = theDesc->dwAlphaBitDepth;
  aDesc.dwReserved = theDesc->dwReserved;
  aDesc.lpSurface = theDesc->lpSurface;
  aDesc.ddckCKDestOverlay = theDesc->ddckCKDestOverlay;
  aDesc.ddckCKDestBlt = theDesc->ddckCKDestBlt;
  aDesc.ddckCKSrcOverlay = theDesc->ddckCKSrcOverlay;
  aDesc.ddckCKSrcBlt = theDesc->ddckCKSrcBlt;
  aDesc.ddpfPixelFormat = theDesc->ddpfPixelFormat;
  aDesc.ddsCaps.dwCaps = theDesc->ddsCaps.dwCaps;
  return CreateSurface(&aDesc, theSurface, theOuter);
}

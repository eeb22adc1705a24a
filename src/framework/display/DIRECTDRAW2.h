// The DirectDraw-shaped display object: display mode, monitor queries and surface creation
// over AGL, OpenGL and QuickTime full screen. It owns every surface it makes; a surface's
// Release frees its resources, the object goes with the DirectDraw object.
#pragma once

#include <memory>
#include <vector>

#include "display/DDrawTypes.h"
#include "display/DIRECTDRAWSURFACE3.h"
#include "display/GLWindowInfo.h"
#include "platform/coregraphics/CoreGraphics.h"

// The full-screen restore state, null when not in full screen; shared with the Direct3D device.
extern Ptr QTRestoreState;

class DIRECTDRAW2 {
 public:
  DIRECTDRAW2();
  ~DIRECTDRAW2();
  DIRECTDRAW2(const DIRECTDRAW2&) = delete;
  DIRECTDRAW2& operator=(const DIRECTDRAW2&) = delete;

  HRESULT SetDisplayMode(uint32_t theWidth, uint32_t theHeight, uint32_t theBits, uint32_t theRefresh,
                         uint32_t theFlags);
  // Works before any DirectDraw object exists: the restore state is global.
  static HRESULT RestoreDisplayMode();
  HRESULT SetCooperativeLevel(WindowRef theWindow, uint32_t theFlags);
  HRESULT WaitForVerticalBlank(uint32_t theFlags, void* theEvent);
  HRESULT GetMonitorFrequency(uint32_t* theHz);
  HRESULT FlipToGDISurface();
  HRESULT CreatePalette(uint32_t theFlags, void* theEntries, void** thePalette, void* theOuter);
  HRESULT CreateSurface(const _DDSURFACEDESC2* theDesc, DIRECTDRAWSURFACE3** theSurface, void* theOuter);
  HRESULT CreateSurface(const _DDSURFACEDESC* theDesc, DIRECTDRAWSURFACE3** theSurface, void* theOuter);

  AGLContext GetMainContext() const { return mMainContext; }
  bool IsFullScreen() const { return mFullScreen; }
  const Rect& GetBounds() const { return mBounds; }

  // The one DirectDraw object, or null.
  static DIRECTDRAW2* GetCurrent();

 private:
  friend class DIRECTDRAWSURFACE3;

  CGDirectDisplayID mDisplayID;
  bool mFullScreen;
  Rect mBounds;
  AGLContext mMainContext;
  structGLWindowInfo mGLInfo;
  std::vector<std::unique_ptr<DIRECTDRAWSURFACE3>> mSurfaces;
};

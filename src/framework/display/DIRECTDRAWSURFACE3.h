// A DirectDraw-shaped surface: 32-bit ARGB words in memory, mirrored in an OpenGL rectangle
// texture. The primary surface also keeps the frame shown in its window: every blit onto it
// lands in its memory first, and the OpenGL thread presents that memory. Another thread (the
// cursor thread) only writes memory and leaves a present pending.
#pragma once

#include <SDL_opengl.h>

#include <atomic>
#include <memory>
#include <vector>

#include "display/DDrawTypes.h"
#include "platform/agl/AGL.h"

class DIRECTDRAW2;

class DIRECTDRAWSURFACE3 {
 public:
  DIRECTDRAWSURFACE3();
  ~DIRECTDRAWSURFACE3();
  DIRECTDRAWSURFACE3(const DIRECTDRAWSURFACE3&) = delete;
  DIRECTDRAWSURFACE3& operator=(const DIRECTDRAWSURFACE3&) = delete;

  HRESULT Lock(tagRECT* theRect, _DDSURFACEDESC* theDesc, uint32_t theFlags, void* theEvent);
  HRESULT Unlock(void* thePointer);
  HRESULT GetSurfaceDesc(_DDSURFACEDESC* theDesc);
  HRESULT SetColorKey(uint32_t theFlags, _DDCOLORKEY* theKey);
  HRESULT SetPalette(void* thePalette);
  HRESULT GetAttachedSurface(_DDSCAPS* theCaps, DIRECTDRAWSURFACE3** theSurface);
  HRESULT Flip(DIRECTDRAWSURFACE3* theTarget, uint32_t theFlags);
  HRESULT Blt(tagRECT* theDestRect, DIRECTDRAWSURFACE3* theSource, tagRECT* theSrcRect, uint32_t theFlags,
              _DDBLTFX* theFx);
  HRESULT NewBlt(tagRECT* theDestRect, DIRECTDRAWSURFACE3* theSource, tagRECT* theSrcRect, uint32_t theFlags,
                 _DDBLTFX* theFx);
  // Frees the drawable, texture and memory; a second call finds nothing left to free.
  void Release();

  // Shows the memory in the window when a present is pending (a primary surface written from
  // another thread); only does anything on the OpenGL thread. True when it presented.
  bool PresentIfPending();
  bool IsPresentPending() const { return mPresentPending.load(); }

  // Gives the surface its texture name and storage when it has none yet (textures of surfaces
  // made on the loading thread are made on first use). OpenGL thread only; false elsewhere.
  bool EnsureTexture();
  // True once the texture name and storage exist (so binding it needs nothing more).
  bool HasTexture() const { return mTexture != 0 && mTextureDefined && !mReleased; }

  uint32_t* GetMemory() const { return mMemory.get(); }
  int GetWidth() const { return static_cast<int>(mWidth); }
  int GetHeight() const { return static_cast<int>(mHeight); }
  uint32_t GetCaps() const { return mCaps; }
  GLuint GetTextureName() const { return mTexture; }
  bool IsDirty() const { return mDirty.load(); }
  void SetDirty(bool isDirty) { mDirty = isDirty; }
  bool IsReleased() const { return mReleased; }
  // The minification and magnification filters last set on the texture (GL_LINEAR when made),
  // so that the device sets them only when they change.
  GLint GetTextureMinFilter() const { return mMinFilter; }
  GLint GetTextureMagFilter() const { return mMagFilter; }
  void SetTextureFilters(GLint theMin, GLint theMag) {
    mMinFilter = theMin;
    mMagFilter = theMag;
  }

  // Texture names made by surfaces and not yet deleted, for leak checks.
  static int LiveTextureCount();
  // Deletes the texture names that surfaces released on another thread left behind.
  static void DeletePendingTextures();
  // Counts the binds and deletions surfaces make on their own, so that the device knows when
  // the texture it last bound may no longer be bound.
  static uint32_t TextureBindingChanges();
  // Called on the OpenGL thread before a surface binds, fills or deletes a texture itself; it
  // must leave the current context as it found it. The device installs it.
  static void SetTextureChangeHook(void (*theHook)());

 private:
  friend class DIRECTDRAW2;

  struct Frame {
    AGLContext mContext;  // the main context for the primary surface
    WindowRef mWindow;    // the game window for the primary surface
    bool mOwnsContext;    // the primary's frame owns the main context
  };

  HRESULT Create(DIRECTDRAW2* theDD, const _DDSURFACEDESC2& theDesc);
  HRESULT AllocateMemory();
  void CreateFrame();
  bool IsPresentationTarget() const;
  void Present();
  void PresentOrDefer();
  void CopyRows(DIRECTDRAWSURFACE3* theSource, const tagRECT& theDest, const tagRECT& theSrc,
                uint32_t theFlags, const _DDBLTFX* theFx);
  // The frame onto a shown surface at another size, as a monitor shows a mode it scales: a
  // whole-number scale makes each source pixel a square of pixels, any other is filtered
  // (bilinear, pixel centres aligned). Opaque; clipped to both surfaces.
  void ScaleToScreen(DIRECTDRAWSURFACE3* theSource, const tagRECT& theDest, const tagRECT& theSrc);
  // One source row filtered across the destination columns of the last ScaleToScreen.
  void FilterRowAcross(const uint32_t* theRow, uint32_t* theOut) const;
  void FillRect(const tagRECT& theDest, uint32_t theColor);

  DIRECTDRAW2* mDD;
  std::unique_ptr<Frame> mFrame;
  std::unique_ptr<uint32_t[]> mMemory;
  Rect mFrameRect;
  GLuint mTexture;
  bool mTextureDefined;
  GLint mMinFilter;
  GLint mMagFilter;
  uint32_t mWidth;
  uint32_t mHeight;
  int32_t mPitch;
  uint32_t mCaps;
  std::atomic<bool> mDirty;
  bool mHasColorKey;
  uint32_t mColorKey;
  DIRECTDRAWSURFACE3* mBackSurface;  // owned by the DirectDraw object, like every surface
  std::atomic<bool> mPresentPending;
  bool mReleased;
  // What a filtered ScaleToScreen keeps between frames, so that a frame scaled as the last one
  // allocates nothing: per destination column its two source columns and the right one's weight
  // (0..255), for the rectangles and source size they were made for; and the two source rows of
  // the copy under way, filtered across.
  std::vector<int32_t> mScaleLeft;
  std::vector<int32_t> mScaleRight;
  std::vector<uint32_t> mScaleWeight;
  tagRECT mScaleDest;
  tagRECT mScaleSrc;
  int32_t mScaleSourceWidth;
  std::vector<uint32_t> mScaledRows[2];
};

// The small part of a Direct3D 8 device that the accelerated path uses, drawn with one AGL
// context and fixed-function OpenGL with rectangle textures, immediate mode from user memory.
#pragma once

#include <SDL_opengl.h>

#include <mutex>

#include "display/D3DTypes.h"
#include "display/DIRECTDRAWSURFACE3.h"
#include "platform/agl/AGL.h"

class IDirect3DDevice8 {
 public:
  IDirect3DDevice8();
  // Destroys the device's context (one device per display set-up; none may leak).
  ~IDirect3DDevice8();
  IDirect3DDevice8(const IDirect3DDevice8&) = delete;
  IDirect3DDevice8& operator=(const IDirect3DDevice8&) = delete;

  // 0, -1 (no pixel format) or -2 (no context); the previous context stays on failure.
  HRESULT Reset(D3DPRESENT_PARAMETERS* theParams);
  HRESULT Clear(uint32_t theCount, const D3DRECT* theRects, uint32_t theFlags, uint32_t theColor, float theZ,
                uint32_t theStencil);
  HRESULT BeginScene();
  HRESULT EndScene();
  HRESULT Present(const tagRECT* theSource, const tagRECT* theDest, WindowRef theOverride,
                  const void* theDirty);
  HRESULT SetRenderState(_D3DRENDERSTATETYPE theState, uint32_t theValue);
  HRESULT SetTextureStageState(uint32_t theStage, _D3DTEXTURESTAGESTATETYPE theType, uint32_t theValue);
  HRESULT SetVertexShader(uint32_t theFormat);
  HRESULT SetViewport(const _D3DVIEWPORT8* theViewport);
  HRESULT DrawPrimitiveUP(_D3DPRIMITIVETYPE theType, uint32_t theCount, const void* theData,
                          uint32_t theStride);
  HRESULT SetTexture(uint32_t theStage, DIRECTDRAWSURFACE3* theSurface);

  AGLContext GetContext() const { return mContext; }
  uint32_t GetBackBufferWidth() const { return mBackBufferWidth; }
  uint32_t GetBackBufferHeight() const { return mBackBufferHeight; }

  // Serialises the devices' OpenGL work across threads.
  static std::recursive_mutex g_critical_region;

 private:
  bool MakeCurrent();
  void BindTexture(GLuint theName);

  _D3DVIEWPORT8 mViewport;
  uint32_t mVertexFormat;
  WindowRef mDeviceWindow;
  uint32_t mBackBufferWidth;
  uint32_t mBackBufferHeight;
  Rect mPortBounds;
  GLenum mStencilFail, mStencilDepthFail, mStencilPass;
  GLenum mStencilFunc;
  GLint mStencilRef;
  GLuint mStencilMask;
  GLenum mSrcBlend, mDestBlend;
  GLenum mAlphaFunc;
  float mAlphaRef;
  GLenum mColorArg1, mColorArg2;
  GLenum mAlphaArg1, mAlphaArg2;
  int mTextureWidth, mTextureHeight;
  AGLContext mContext;
  GLenum mTextureTarget;
  GLuint mBoundTexture;      // on mContext, as of mBindingChanges
  uint32_t mBindingChanges;  // DIRECTDRAWSURFACE3::TextureBindingChanges() when it was bound
};

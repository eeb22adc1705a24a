// The small part of a Direct3D 8 device that the accelerated path uses, drawn with one AGL
// context and fixed-function OpenGL with rectangle textures, immediate mode from user memory.
#pragma once

#include <SDL_opengl.h>

#include <mutex>
#include <vector>

#include "display/D3DTypes.h"
#include "display/DIRECTDRAWSURFACE3.h"
#include "platform/agl/AGL.h"

class IDirect3DDevice8 {
 public:
  // A rectangle of a texture's texels: [mLeft, mRight) x [mTop, mBottom).
  struct TexelRect {
    int mLeft, mTop, mRight, mBottom;
  };

  IDirect3DDevice8();
  // Destroys the device's context (one device per display set-up; none may leak).
  ~IDirect3DDevice8();
  IDirect3DDevice8(const IDirect3DDevice8&) = delete;
  IDirect3DDevice8& operator=(const IDirect3DDevice8&) = delete;

  // 0, -1 (no pixel format) or -2 (no context); the previous context stays on failure.
  HRESULT Reset(D3DPRESENT_PARAMETERS* theParams);
  HRESULT Clear(uint32_t theCount, const D3DRECT* theRects, uint32_t theFlags, uint32_t theColor, float theZ,
                uint32_t theStencil);
  // Between the two the device's context stays current on this thread: draws check it once.
  HRESULT BeginScene();
  HRESULT EndScene();
  HRESULT Present(const tagRECT* theSource, const tagRECT* theDest, WindowRef theOverride,
                  const void* theDirty);
  HRESULT SetRenderState(_D3DRENDERSTATETYPE theState, uint32_t theValue);
  // Alpha blending on or off with its source and destination factors (D3DBLEND_*), costing
  // nothing when they are already so: the accelerated path sets them before every draw.
  void SetBlendStates(bool isEnabled, uint32_t theSrc, uint32_t theDest);
  // The minification and magnification filters (point or linear) hold for every texture set
  // after them (as the accelerated path sets them before each image's textures), each
  // texture's own parameters changing only when they differ.
  HRESULT SetTextureStageState(uint32_t theStage, _D3DTEXTURESTAGESTATETYPE theType, uint32_t theValue);
  HRESULT SetVertexShader(uint32_t theFormat);
  HRESULT SetViewport(const _D3DVIEWPORT8* theViewport);
  HRESULT DrawPrimitiveUP(_D3DPRIMITIVETYPE theType, uint32_t theCount, const void* theData,
                          uint32_t theStride);
  HRESULT SetTexture(uint32_t theStage, DIRECTDRAWSURFACE3* theSurface);
  // A quad of transformed vertices in strip order (format D3DFVF_TLVERTEX). Quads that follow
  // each other with the same texture and state are kept and drawn as one array when anything
  // else happens (a state or texture change, another draw, a clear, the end of the scene, a
  // present, FlushBatch): the triangles and their order are the strip's, so the pixels are.
  // isTextureOpaque: every texel the quad can sample has alpha 255. Such a quad in opaque
  // colours replaces what it covers whether blended or not, so it is drawn unblended (the
  // software rasteriser then neither reads the target nor mixes).
  // theOpaqueCore: texels of the bound texture that all have alpha 255. When many quads of
  // one texture pile up (twice the viewport's area or more), the kept quads' cores that lie
  // texel for pixel are drawn first, unblended and nearest first, into the depth buffer, and
  // then the quads in their order where no later core covers them: every pixel ends as it
  // would, and what later cores hide is never shaded.
  HRESULT DrawQuad(const _D3DTLVERTEX theQuad[4], bool isTextureOpaque = false,
                   const TexelRect* theOpaqueCore = nullptr);
  // Draws the kept quads now (before reading the target back, say).
  void FlushBatch();
  bool HasKeptQuads() const { return !mBatch.empty(); }

  // True when a depth, stencil or alpha test may reject fragments: a clear would then write
  // what a drawn quad would not.
  bool HasFragmentTests() const { return mDepthTest || mStencilTest || mAlphaTest; }

  // Whether the frame's units are the target's pixels (a window of the frame's size, or the
  // device's own frame).
  bool MapsPixelsOneToOne() const { return mIsOneToOne; }
  // Whether the device draws into a frame of the back buffer's size of its own, which Present
  // shows in the window scaled (full screen on a screen of another size).
  bool DrawsOffscreen() const { return mFrameBuffer != 0; }

  AGLContext GetContext() const { return mContext; }
  uint32_t GetBackBufferWidth() const { return mBackBufferWidth; }
  uint32_t GetBackBufferHeight() const { return mBackBufferHeight; }

  // Serialises the devices' OpenGL work across threads.
  static std::recursive_mutex g_critical_region;

 private:
  bool MakeCurrent();
  void BindTexture(GLuint theName);
  // Gives the just bound surface's texture the stage's filters, when it has others.
  void ApplyFilters(DIRECTDRAWSURFACE3* theBound);
  void SetBlendFunc(GLenum theSrc, GLenum theDest);
  void SetBlendEnabled(bool isEnabled);
  // Puts GL_BLEND on the context as wanted (the kept quads' or the state's).
  void ApplyBlend(bool isEnabled);
  // The core of a kept quad on the target, when the quad lies texel for pixel; else empty.
  TexelRect CoreOnTarget(const _D3DTLVERTEX theQuad[4], const TexelRect& theCore) const;
  // Draws the kept quads as their cores first, then in order where no later core covers.
  void DrawBatchOverCores();
  // The device's own frame of theWidth x theHeight (with a depth buffer) on the current context,
  // bound for drawing; false when the driver has no frame buffer objects.
  bool MakeOffscreenFrame(int theWidth, int theHeight);
  // Deletes the frame; its context must be current.
  void DeleteOffscreenFrame();
  // Shows the frame in the window at theDest (window pixels, top left; null: all of it), the rest
  // of the window black: a whole-number scale by nearest texel, any other filtered.
  void ShowOffscreenFrame(const tagRECT* theDest);
  // Height of what is drawn into: the device's frame, or the window.
  GLint TargetHeight() const;

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
  GLenum mAppliedSrcBlend, mAppliedDestBlend;  // what the context has, so repeats cost nothing
  bool mBlendEnabled;                          // the blend state asked for
  int mAppliedBlend;                           // GL_BLEND on the context: 0, 1, or -1 unknown
  bool mBatchBlend;                            // whether the kept quads are drawn blended
  GLint mMinFilter, mMagFilter;                // the stage's filters, as OpenGL filters
  bool mDepthTest, mStencilTest, mAlphaTest;
  GLenum mAlphaFunc;
  float mAlphaRef;
  GLenum mColorArg1, mColorArg2;
  GLenum mAlphaArg1, mAlphaArg2;
  int mTextureWidth, mTextureHeight;
  AGLContext mContext;
  GLenum mTextureTarget;
  GLuint mBoundTexture;      // on mContext, as of mBindingChanges
  uint32_t mBindingChanges;  // DIRECTDRAWSURFACE3::TextureBindingChanges() when it was bound
  bool mInScene;                      // the context was made current when the scene began
  bool mIsOneToOne;                   // the projection's size is the viewport's
  GLuint mFrameBuffer;                // the device's own frame (0: it draws into the window)
  GLuint mFrameTexture;               // its colour, a rectangle texture
  GLuint mFrameDepth;                 // its depth, a render buffer
  GLint mFrameFilter;                 // the filter last set on its texture

  struct BatchVertex {
    float mPosition[4];
    uint8_t mColor[4];  // r, g, b, a
    float mUV[2];
  };
  // Indexed triangles of theVertices, with the client arrays already enabled.
  static void DrawQuads(const std::vector<BatchVertex>& theVertices, const std::vector<uint16_t>& theIndices);
  std::vector<BatchVertex> mBatch;  // 4 per kept quad
  std::vector<uint16_t> mBatchIndices;
  std::vector<TexelRect> mBatchCores;   // per kept quad, on the target (empty: none)
  int64_t mBatchArea;                   // the kept quads' pixels, added up
  int mCores;                           // kept quads with a core
  bool mHasDepth;                       // the context's frame has a depth buffer
  bool mDepthWrite;                     // the depth mask the state asks for
  std::vector<BatchVertex> mCoreBatch;  // scratch for the cores, kept between frames
  std::vector<uint16_t> mCoreIndices;
};

// The accelerated path: draws into the display's draw surface through the emulated Direct3D
// device, one device scene per frame, blending per draw mode, images as textured pieces.
#pragma once

#include <memory>
#include <set>
#include <string>

#include "display/DIRECTDRAW2.h"
#include "display/IDirect3DDevice8.h"
#include "graphics/Color.h"
#include "graphics/Image.h"
#include "graphics/MemoryImage.h"
#include "graphics/TPoint.h"
#include "graphics/TRect.h"
#include "graphics/TeskMatrix3.h"
#include "graphics/TriVertex.h"

namespace Tesk {

class DDInterface;

class D3DInterface {
 public:
  // What the path asks of the application object: whether its window is minimised, and the
  // preference writer for "Test3D\RuntimeError". The application sets them; unset, the window
  // counts as shown and nothing is written.
  struct AppHooks {
    bool (*mIsMinimized)();
    void (*mRegistryWriteString)(const std::string& theKey, const std::string& theValue);
  };
  static AppHooks sAppHooks;

  D3DInterface();
  virtual ~D3DInterface();
  D3DInterface(const D3DInterface&) = delete;
  D3DInterface& operator=(const D3DInterface&) = delete;

  bool InitFromDDInterface(DDInterface* theInterface);
  bool InitD3D();
  HRESULT UpdateViewport();
  bool PreDraw();
  void Flush();
  void Cleanup();
  void SetupDrawMode(int theDrawMode, const Color& theColor, Image* theImage);
  static bool CheckDXError(HRESULT theResult, const char* theContext);

  // The drawing calls of the display-surface image (virtual so that a test can record them).
  virtual bool FillRect(const TRect<int>& theRect, const Color& theColor, int theDrawMode);
  virtual bool DrawLine(double theStartX, double theStartY, double theEndX, double theEndY,
                        const Color& theColor, int theDrawMode);
  virtual void FillPoly(const TPoint<int> theVertices[], int theNumVertices, const TRect<int>* theClipRect,
                        const Color& theColor, int theDrawMode, int tx, int ty);
  virtual void Blt(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                   const Color& theColor, int theDrawMode, bool linearFilter = false);
  virtual void BltClipF(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                        const TRect<int>* theClipRect, const Color& theColor, int theDrawMode);
  virtual void BltMirror(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                         const Color& theColor, int theDrawMode, bool linearFilter = false);
  virtual void StretchBlt(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                          const TRect<int>* theClipRect, const Color& theColor, int theDrawMode,
                          bool fastStretch, bool mirror = false);
  virtual void BltRotated(Image* theImage, float theX, float theY, const TRect<int>* theClipRect,
                          const Color& theColor, int theDrawMode, double theRot, float theRotCenterX,
                          float theRotCenterY, const TRect<int>& theSrcRect);
  virtual void BltTransformed(Image* theImage, const TRect<int>* theClipRect, const Color& theColor,
                              int theDrawMode, const TRect<int>& theSrcRect, const TeskMatrix3& theTransform,
                              bool linearFilter, float theX = 0, float theY = 0, bool center = false);
  virtual void DrawTrianglesTex(const TriVertex theVertices[][3], int theNumTriangles, const Color& theColor,
                                int theDrawMode, Image* theTexture, float tx = 0, float ty = 0,
                                bool blend = true);
  bool CreateImageTexture(MemoryImage* theImage);
  void RemoveMemoryImage(MemoryImage* theImage);

  IDirect3DDevice8* GetDevice() const { return mD3DDevice.get(); }

  WindowRef mWindow;
  int mWidth;
  int mHeight;
  DIRECTDRAW2* mDD;
  DIRECTDRAWSURFACE3* mDrawSurface;
  std::unique_ptr<IDirect3DDevice8> mD3DDevice;  // one per initialisation, destroyed with the next
  _D3DVIEWPORT8 mViewport;
  bool mSceneBegun;
  bool mIsWindowed;
  std::set<MemoryImage*> mImageSet;
  DDInterface* mDDInterface;  // whose lock guards mImageSet

  static std::string mErrorString;
};

void SetLinearFilter(IDirect3DDevice8* theDevice, bool on);

extern bool gLinearFilter;
extern bool gD3DInterfacePreDrawError;

}  // namespace Tesk

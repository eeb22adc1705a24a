// The display-surface image: a memory image that can also live as a DirectDraw-shaped surface
// in the display's pixel format. Every drawing operation goes one of three ways: through the
// accelerated path when the image is the display's 3-D draw surface, as a memory image when its
// pixels need alpha (or the display is in 3-D), or in software straight into its locked surface,
// after which the surface is the only copy of the picture.
#pragma once

#include <cstdint>
#include <memory>

#include "display/DDrawTypes.h"
#include "graphics/MemoryImage.h"

class DIRECTDRAWSURFACE3;

namespace Tesk {

class D3DInterface;
class DDInterface;

class DDImage : public MemoryImage {
 public:
  DDInterface* mDDInterface;
  DIRECTDRAWSURFACE3* mSurface;
  bool mBorrowedSurface;     // handed in by SetSurface: purging leaves such an image alone
  bool mVideoOnly;           // software must not touch the surface
  bool mVideoMemory;         // new surfaces are asked for in video memory
  bool mFirstPixelTrans;     // the first pixel's colour is the colour key; nothing sets it
  bool mWantSurface;         // the image is to live as a surface (ReInit and PurgeBits rebuild it)
  bool mForceMemoryDraw;     // every drawing operation takes the memory-image way; nothing sets it
  int mLockCount;            // 0 unlocked, at most 7
  _DDSURFACEDESC mLockDesc;  // valid while mLockCount > 0

  explicit DDImage(DDInterface* theDDInterface);
  ~DDImage() override;

  // True when drawing into the image goes through the accelerated path.
  static bool Check3D(DDImage* theImage);
  static bool Check3D(Image* theImage);

  // Memory-image operations with a surface side.
  void PurgeBits() override;
  void ReInit() override;
  void DeleteExtraBuffers() override;
  void BitsChanged() override;
  void CommitBits() override;
  void DeleteNativeData() override;
  void Create(int theWidth, int theHeight) override;
  uint32_t* GetBits() override;
  bool Palletize() override;

  // Drawing, routed by destination.
  bool PolyFill3D(const TPoint<int> theVertices[], int theNumVertices, const TRect<int>* theClipRect,
                  const Color& theColor, int theDrawMode, int tx, int ty, bool convex) override;
  void FillRect(const TRect<int>& theRect, const Color& theColor, int theDrawMode) override;
  void DrawLine(double theStartX, double theStartY, double theEndX, double theEndY, const Color& theColor,
                int theDrawMode) override;
  void DrawLineAA(double theStartX, double theStartY, double theEndX, double theEndY, const Color& theColor,
                  int theDrawMode) override;
  void FillScanLinesWithCoverage(Span* theSpans, int theSpanCount, const Color& theColor, int theDrawMode,
                                 const unsigned char* theCoverage, int theCoverX, int theCoverY,
                                 int theCoverWidth, int theCoverHeight) override;
  void Blt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect, const Color& theColor,
           int theDrawMode) override;
  void BltF(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
            const TRect<int>& theClipRect, const Color& theColor, int theDrawMode) override;
  void BltRotated(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                  const TRect<int>& theClipRect, const Color& theColor, int theDrawMode, double theRot,
                  float theRotCenterX, float theRotCenterY) override;
  void StretchBlt(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                  const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                  bool fastStretch) override;
  void BltMatrix(Image* theImage, float x, float y, const TeskMatrix3& theMatrix,
                 const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                 const TRect<int>& theSrcRect, bool blend) override;
  void BltTrianglesTex(Image* theTexture, const TriVertex theVertices[][3], int theNumTriangles,
                       const TRect<int>& theClipRect, const Color& theColor, int theDrawMode, float tx,
                       float ty, bool blend) override;
  void BltMirror(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect, const Color& theColor,
                 int theDrawMode) override;
  void StretchBltMirror(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                        const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                        bool fastStretch) override;

  virtual void SetVideoMemory(bool videoMemory);
  virtual void RehupFirstPixelTrans();
  // Software drawing on the locked surface (the caller has clipped).
  virtual void NormalFillRect(const TRect<int>& theRect, const Color& theColor);
  virtual void AdditiveFillRect(const TRect<int>& theRect, const Color& theColor);
  virtual void NormalBlt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                         const Color& theColor);
  virtual void AdditiveBlt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                           const Color& theColor);
  virtual void NormalDrawLine(double theStartX, double theStartY, double theEndX, double theEndY,
                              const Color& theColor);
  virtual void AdditiveDrawLine(double theStartX, double theStartY, double theEndX, double theEndY,
                                const Color& theColor);
  virtual void NormalDrawLineAA(double theStartX, double theStartY, double theEndX, double theEndY,
                                const Color& theColor);
  // Draws nothing.
  virtual void AdditiveDrawLineAA(double theStartX, double theStartY, double theEndX, double theEndY,
                                  const Color& theColor);
  virtual void NormalBltMirror(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                               const Color& theColor);
  virtual void AdditiveBltMirror(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                                 const Color& theColor);
  // Nested up to 7 deep; only the outermost pair locks and unlocks the surface. Both refuse on
  // the 3-D draw surface.
  virtual bool LockSurface();
  virtual bool UnlockSurface();
  // Adopts a surface of the display (draw buffer, video-only buffer, cursor area) and its size.
  virtual void SetSurface(DIRECTDRAWSURFACE3* theSurface);

  void Init();
  bool GenerateDDSurface();
  DIRECTDRAWSURFACE3* GetSurface();
  void DeleteDDSurface();
  void DeleteAllNonSurfaceData();
  // The display's device forgets theImage's textures: for a short-lived image that no
  // registry would tell it about.
  void Remove3DDataOf(MemoryImage* theImage);

 private:
  // The routing's memory case: the operation runs on the memory pixels.
  bool DrawsInMemory(bool keyedByFirstPixel) const;
  bool IsCursorAreaImage() const;
  // The surface-to-surface copy of an opaque or keyed source onto this image's surface,
  // clipped on every edge to both surfaces. False when there was nothing to copy with.
  bool SurfaceCopy(DDImage* theSource, const TRect<int>& theDestRect, const TRect<int>& theSrcRect);
  void NormalBltAny(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect, const Color& theColor,
                    bool mirror);
  void AdditiveBltAny(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                      const Color& theColor, bool mirror);
  void DirectBlt(MemoryImage* theSource, int theX, int theY, const TRect<int>& theSrcRect);
  void OpaqueBlt(MemoryImage* theSource, int theX, int theY, const TRect<int>& theSrcRect);
  void AlphaBlt(MemoryImage* theSource, int theX, int theY, const TRect<int>& theSrcRect,
                const Color& theColor, bool mirror);
  // The nearest-sample stretch onto the locked surface (theDestOut and theSrcOut already clipped).
  void SurfaceStretch(Image* theImage, const TRect<int>& theDestOut, const TRect<double>& theSrcOut,
                      const Color& theColor, int theDrawMode, bool mirror);
  void SoftwareCoverageFill(Span* theSpans, int theSpanCount, const Color& theColor,
                            const unsigned char* theCoverage, int theCoverX, int theCoverY,
                            int theCoverWidth);
  // Releases an owned surface; a borrowed one belongs to the display interface.
  void ReleaseSurface();
  D3DInterface* GetD3D() const;
  // 0x888, 0x565 or 0x555 for the locked surface, 0 for a layout the matrix helpers don't know.
  int SurfaceFormatCode() const;
  // Writes the memory pixels into the locked surface in its format, choosing a colour key for
  // transparent pixels when asked.
  void WritePixelsToSurface(bool withKey);

  uint32_t mSurfaceKey;  // the colour key written into the surface, to read transparency back
  bool mHasSurfaceKey;
  // The smooth stretch resamples into this image, then blits it: made once, its buffers kept.
  std::unique_ptr<MemoryImage> mSmoothScratch;
};

}  // namespace Tesk

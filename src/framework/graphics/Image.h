// The abstract image: a size, a sprite-sheet grid, optional animation timing and
// every drawing operation as a virtual call. The base draws nothing, so a plain
// Image is a valid destination that ignores everything.
#pragma once

#include <memory>
#include <string>

#include "graphics/AnimInfo.h"
#include "graphics/Color.h"
#include "graphics/Span.h"
#include "graphics/TPoint.h"
#include "graphics/TRect.h"
#include "graphics/TriVertex.h"

namespace Tesk {

class TeskMatrix3;

class Image {
 public:
  bool mDrawn;
  std::string mFilePath;
  int mWidth;
  int mHeight;
  int mNumRows;
  int mNumCols;
  std::unique_ptr<AnimInfo> mAnimInfo;

  Image();
  virtual ~Image();

  int GetWidth() const { return mWidth; }
  int GetHeight() const { return mHeight; }

  // Takes the grid and a deep copy of the animation information.
  void CopyAttributes(Image* theImage);

  virtual bool PolyFill3D(const TPoint<int> theVertices[], int theNumVertices, const TRect<int>* theClipRect,
                          const Color& theColor, int theDrawMode, int tx, int ty, bool convex);
  virtual void FillRect(const TRect<int>& theRect, const Color& theColor, int theDrawMode);
  virtual void DrawRect(const TRect<int>& theRect, const Color& theColor, int theDrawMode);
  virtual void ClearRect(const TRect<int>& theRect);
  virtual void DrawLine(double theStartX, double theStartY, double theEndX, double theEndY,
                        const Color& theColor, int theDrawMode);
  virtual void DrawLineAA(double theStartX, double theStartY, double theEndX, double theEndY,
                          const Color& theColor, int theDrawMode);
  virtual void FillScanLines(Span* theSpans, int theSpanCount, const Color& theColor, int theDrawMode);
  virtual void FillScanLinesWithCoverage(Span* theSpans, int theSpanCount, const Color& theColor,
                                         int theDrawMode, const unsigned char* theCoverage, int theCoverX,
                                         int theCoverY, int theCoverWidth, int theCoverHeight);
  virtual void Blt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect, const Color& theColor,
                   int theDrawMode);
  virtual void BltF(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                    const TRect<int>& theClipRect, const Color& theColor, int theDrawMode);
  virtual void BltRotated(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                          const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                          double theRot, float theRotCenterX, float theRotCenterY);
  virtual void StretchBlt(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                          const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                          bool fastStretch);
  virtual void BltMatrix(Image* theImage, float x, float y, const TeskMatrix3& theMatrix,
                         const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                         const TRect<int>& theSrcRect, bool blend);
  virtual void BltTrianglesTex(Image* theTexture, const TriVertex theVertices[][3], int theNumTriangles,
                               const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                               float tx, float ty, bool blend);
  virtual void BltMirror(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                         const Color& theColor, int theDrawMode);
  virtual void StretchBltMirror(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                                const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                                bool fastStretch);

 private:
  Image(const Image&) = delete;
  Image& operator=(const Image&) = delete;
};

}  // namespace Tesk

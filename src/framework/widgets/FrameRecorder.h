// A stand-in screen image that keeps the frame's drawing operations instead of carrying them out,
// with a fingerprint of all of them: of their arguments and of the source images they read (by
// address, size, file and count of pixel changes). The widget manager draws a frame into it, and
// replays the operations onto the screen only when the fingerprint differs from the frame on the
// screen, so a screen whose widgets redraw an unchanged picture costs no rasterising and no
// present.
//
// What draws straight into the display surface instead of through the image's operations (the
// system font's text) does not reach a recorder: only applications that draw text with image
// fonts turn the skipping on.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "graphics/Image.h"

namespace Tesk {

class FrameRecorder : public Image {
 public:
  FrameRecorder();

  // Forgets the last frame's operations (keeping their storage) and takes the screen's size.
  void Begin(int theWidth, int theHeight);
  size_t GetOpCount() const { return mOps.size(); }
  // Of every operation since Begin, and of the source images as they were when drawn.
  uint64_t GetFingerprint() const;
  // Carries out every kept operation on theDest, in order.
  void Replay(Image* theDest);

  bool PolyFill3D(const TPoint<int> theVertices[], int theNumVertices, const TRect<int>* theClipRect,
                  const Color& theColor, int theDrawMode, int tx, int ty, bool convex) override;
  void FillRect(const TRect<int>& theRect, const Color& theColor, int theDrawMode) override;
  void DrawRect(const TRect<int>& theRect, const Color& theColor, int theDrawMode) override;
  void ClearRect(const TRect<int>& theRect) override;
  void DrawLine(double theStartX, double theStartY, double theEndX, double theEndY, const Color& theColor,
                int theDrawMode) override;
  void DrawLineAA(double theStartX, double theStartY, double theEndX, double theEndY, const Color& theColor,
                  int theDrawMode) override;
  void FillScanLines(Span* theSpans, int theSpanCount, const Color& theColor, int theDrawMode) override;
  void FillScanLinesWithCoverage(Span* theSpans, int theSpanCount, const Color& theColor, int theDrawMode,
                                 const unsigned char* theCoverage, int theCoverX, int theCoverY,
                                 int theCoverWidth, int theCoverHeight) override;
  void Blt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect, const Color& theColor,
           int theDrawMode) override;
  void BltF(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect, const TRect<int>& theClipRect,
            const Color& theColor, int theDrawMode) override;
  void BltRotated(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                  const TRect<int>& theClipRect, const Color& theColor, int theDrawMode, double theRot,
                  float theRotCenterX, float theRotCenterY) override;
  void StretchBlt(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                  const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                  bool fastStretch) override;
  void BltMatrix(Image* theImage, float x, float y, const TeskMatrix3& theMatrix, const TRect<int>& theClipRect,
                 const Color& theColor, int theDrawMode, const TRect<int>& theSrcRect, bool blend) override;
  void BltTrianglesTex(Image* theTexture, const TriVertex theVertices[][3], int theNumTriangles,
                       const TRect<int>& theClipRect, const Color& theColor, int theDrawMode, float tx, float ty,
                       bool blend) override;
  void BltMirror(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect, const Color& theColor,
                 int theDrawMode) override;
  void StretchBltMirror(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                        const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                        bool fastStretch) override;

 private:
  enum Kind : uint8_t {
    k_PolyFill3D,
    k_FillRect,
    k_DrawRect,
    k_ClearRect,
    k_DrawLine,
    k_DrawLineAA,
    k_FillScanLines,
    k_FillScanLinesWithCoverage,
    k_Blt,
    k_BltF,
    k_BltRotated,
    k_StretchBlt,
    k_BltMatrix,
    k_BltTrianglesTex,
    k_BltMirror,
    k_StretchBltMirror
  };
  // Plain values only, zeroed whole before it is filled, so that its bytes are its fingerprint.
  struct Op {
    Kind mKind;
    bool mFlag;
    bool mHasClip;
    int mMode;
    Image* mImage;
    int mColor[4];
    TRect<int> mRect[3];
    double mD[4];
    float mF[4];
    int mI[4];
    uint32_t mExtra[2];
    uint32_t mExtraSize[2];
  };

  Op& Add(Kind theKind, Image* theImage, const Color& theColor, int theDrawMode);
  // Copies theSize bytes into the side store (8-byte aligned) and returns where they went.
  uint32_t Keep(const void* theData, size_t theSize);
  const void* Kept(uint32_t theOffset) const { return mExtra.data() + theOffset; }
  static uint64_t Mix(uint64_t theHash, const void* theData, size_t theSize);
  void MixImage(Image* theImage);

  std::vector<Op> mOps;
  std::vector<unsigned char> mExtra;
  // The source images' identities, mixed as the operations came.
  uint64_t mImageHash;
};

}  // namespace Tesk

// The matrix and triangle blits of MemoryImage, through the software rasteriser.
#include "graphics/MemoryImage.h"
#include "graphics/SWHelper.h"
#include "graphics/TeskMatrix3.h"

namespace Tesk {

namespace {

// 0x888 only when the image is known to hold no alpha at all.
int FormatOf(const MemoryImage* theImage) {
  return theImage->mModeForced && !theImage->mHasTransparent && !theImage->mHasPartialAlpha ? 0x888 : 0x8888;
}

}  // namespace

void MemoryImage::BltMatrix(Image* theImage, float x, float y, const TeskMatrix3& theMatrix,
                            const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                            const TRect<int>& theSrcRect, bool blend) {
  theImage->mDrawn = true;
  TRect<int> aClip = theClipRect.Intersection(TRect<int>(0, 0, mWidth, mHeight));
  BltMatrixHelper(theImage, x, y, theMatrix, aClip, theColor, theDrawMode, theSrcRect, GetBits(), mWidth * 4,
                  FormatOf(this), blend);
  BitsChanged();
}

void MemoryImage::BltMatrixHelper(Image* theImage, float x, float y, const TeskMatrix3& theMatrix,
                                  const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                                  const TRect<int>& theSrcRect, void* theBits, int thePitch, int theFormat,
                                  bool blend) {
  MemoryImage* aSrcImage = dynamic_cast<MemoryImage*>(theImage);
  if (!aSrcImage || aSrcImage->mWidth <= 0 || aSrcImage->mHeight <= 0) return;
  float hw = theSrcRect.mWidth / 2.0f, hh = theSrcRect.mHeight / 2.0f;
  float aWidth = float(aSrcImage->mWidth), aHeight = float(aSrcImage->mHeight);
  float uL = theSrcRect.mX / aWidth, uR = (theSrcRect.mX + theSrcRect.mWidth) / aWidth;
  float vT = theSrcRect.mY / aHeight, vB = (theSrcRect.mY + theSrcRect.mHeight) / aHeight;
  SWHelper::XYZStruct aQuad[4] = {{-hw, -hh, uL, vT, 0xFFFFFFFF},
                                  {hw, -hh, uR, vT, 0xFFFFFFFF},
                                  {-hw, hh, uL, vB, 0xFFFFFFFF},
                                  {hw, hh, uR, vB, 0xFFFFFFFF}};
  for (SWHelper::XYZStruct& v : aQuad) {
    TeskVector3 p = theMatrix * TeskVector3(v.x, v.y, 1.0f);
    v.x = p.x + x - 0.5f;
    v.y = p.y + y - 0.5f;
  }
  SWHelper::SWDrawShape(aQuad, 4, aSrcImage, theColor, theDrawMode, theClipRect, theBits, thePitch, theFormat,
                        blend, false);
}

void MemoryImage::BltTrianglesTex(Image* theTexture, const TriVertex theVertices[][3], int theNumTriangles,
                                  const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                                  float tx, float ty, bool blend) {
  theTexture->mDrawn = true;
  TRect<int> aClip = theClipRect.Intersection(TRect<int>(0, 0, mWidth, mHeight));
  BltTrianglesTexHelper(theTexture, theVertices, theNumTriangles, aClip, theColor, theDrawMode, GetBits(),
                        mWidth * 4, FormatOf(this), tx, ty, blend);
  BitsChanged();
}

void MemoryImage::BltTrianglesTexHelper(Image* theTexture, const TriVertex theVertices[][3],
                                        int theNumTriangles, const TRect<int>& theClipRect,
                                        const Color& theColor, int theDrawMode, void* theBits, int thePitch,
                                        int theFormat, float tx, float ty, bool blend) {
  MemoryImage* aTexture = dynamic_cast<MemoryImage*>(theTexture);
  for (int i = 0; i < theNumTriangles; ++i) {
    SWHelper::XYZStruct aThree[3];
    bool aVertexColours = false;
    for (int k = 0; k < 3; ++k) {
      const TriVertex& t = theVertices[i][k];
      aThree[k] = {t.x + tx, t.y + ty, t.u, t.v, t.color};
      if (t.color != 0) aVertexColours = true;
    }
    SWHelper::SWDrawShape(aThree, 3, aTexture, theColor, theDrawMode, theClipRect, theBits, thePitch,
                          theFormat, blend, aVertexColours);
  }
}

}  // namespace Tesk

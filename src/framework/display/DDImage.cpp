// DDImage: construction, destruction and the routing of every drawing operation.
#include "display/DDImage.h"

#include <algorithm>
#include <cmath>

#include "core/Common.h"
#include "display/D3DInterface.h"
#include "display/DDInterface.h"
#include "display/DIRECTDRAWSURFACE3.h"
#include "graphics/DDImageCheck3D.h"
#include "graphics/DrawMode.h"

namespace Tesk {

namespace {

bool Check3DOfImage(Image* theImage) { return DDImage::Check3D(theImage); }

// The drawing context learns through this seam whether an image draws through the
// accelerated path; it is in place as soon as the first display-surface image exists.
struct Check3DInstaller {
  Check3DInstaller() { gDDImageCheck3D = &Check3DOfImage; }
};

void CheckColor(const Color& theColor) {
  TESK_ASSERT((theColor.mRed >= 0) && (theColor.mRed <= 255));
  TESK_ASSERT((theColor.mGreen >= 0) && (theColor.mGreen <= 255));
  TESK_ASSERT((theColor.mBlue >= 0) && (theColor.mBlue <= 255));
  TESK_ASSERT((theColor.mAlpha >= 0) && (theColor.mAlpha <= 255));
}

}  // namespace

DDImage::DDImage(DDInterface* theDDInterface) : MemoryImage(), mDDInterface(theDDInterface) {
  static Check3DInstaller sm_Installer;
  mLockDesc = MakeSurfaceDesc();
  Init();
}

void DDImage::Init() {
  mSurface = nullptr;
  if (mDDInterface != nullptr) mDDInterface->AddDDImage(this);
  mBorrowedSurface = false;
  mVideoOnly = false;
  mVideoMemory = false;
  mFirstPixelTrans = false;
  mWantSurface = false;
  mForceMemoryDraw = false;
  mLockCount = 0;
  mSurfaceKey = 0;
  mHasSurfaceKey = false;
}

DDImage::~DDImage() {
  ReleaseSurface();
  if (mDDInterface != nullptr) mDDInterface->RemoveDDImage(this);
  TESK_ASSERT(mLockCount == 0);
}

void DDImage::Remove3DDataOf(MemoryImage* theImage) {
  if (mDDInterface != nullptr) mDDInterface->Remove3DData(theImage);
}

bool DDImage::Check3D(DDImage* theImage) {
  DDInterface* anInterface = theImage->mDDInterface;
  return anInterface != nullptr && anInterface->mIs3D && theImage->mSurface != nullptr &&
         theImage->mSurface == anInterface->mDrawSurface;
}

bool DDImage::Check3D(Image* theImage) {
  DDImage* anImage = dynamic_cast<DDImage*>(theImage);
  return anImage != nullptr && Check3D(anImage);
}

D3DInterface* DDImage::GetD3D() const { return mDDInterface->mD3DInterface.get(); }

bool DDImage::DrawsInMemory(bool keyedByFirstPixel) const {
  bool isTransparent = keyedByFirstPixel ? (mHasTransparent && !mFirstPixelTrans) : mHasTransparent;
  return mForceMemoryDraw || mHasPartialAlpha || isTransparent ||
         (mDDInterface != nullptr && mDDInterface->mIs3D);
}

bool DDImage::IsCursorAreaImage() const {
  return mDDInterface != nullptr &&
         (this == mDDInterface->mOldCursorAreaImage || this == mDDInterface->mNewCursorAreaImage);
}

bool DDImage::PolyFill3D(const TPoint<int> theVertices[], int theNumVertices, const TRect<int>* theClipRect,
                         const Color& theColor, int theDrawMode, int tx, int ty, bool) {
  if (!Check3D(this)) return false;
  GetD3D()->FillPoly(theVertices, theNumVertices, theClipRect, theColor, theDrawMode, tx, ty);
  return true;
}

void DDImage::FillRect(const TRect<int>& theRect, const Color& theColor, int theDrawMode) {
  if (Check3D(this)) {
    GetD3D()->FillRect(theRect, theColor, theDrawMode);
    return;
  }
  CommitBits();
  if (DrawsInMemory(true) || GetSurface() == nullptr) {
    MemoryImage::FillRect(theRect, theColor, theDrawMode);
    return;
  }
  if (theDrawMode == DRAWMODE_NORMAL)
    NormalFillRect(theRect, theColor);
  else if (theDrawMode == DRAWMODE_ADDITIVE)
    AdditiveFillRect(theRect, theColor);
  DeleteAllNonSurfaceData();
}

namespace {

// Horizontal and vertical lines, plain or anti-aliased, are one-pixel rectangles on the surface.
bool FillAxisAlignedLine(DDImage& theImage, double theStartX, double theStartY, double theEndX,
                         double theEndY, const Color& theColor, int theDrawMode) {
  if (theStartY == theEndY) {
    int aLeft = static_cast<int>(std::min(theStartX, theEndX));
    int aRight = static_cast<int>(std::max(theStartX, theEndX));
    theImage.FillRect(TRect<int>(aLeft, static_cast<int>(theStartY), aRight - aLeft + 1, 1), theColor,
                      theDrawMode);
    return true;
  }
  if (theStartX == theEndX) {
    int aTop = static_cast<int>(std::min(theStartY, theEndY));
    int aBottom = static_cast<int>(std::max(theStartY, theEndY));
    theImage.FillRect(TRect<int>(static_cast<int>(theStartX), aTop, 1, aBottom - aTop + 1), theColor,
                      theDrawMode);
    return true;
  }
  return false;
}

}  // namespace

void DDImage::DrawLine(double theStartX, double theStartY, double theEndX, double theEndY,
                       const Color& theColor, int theDrawMode) {
  if (Check3D(this)) {
    GetD3D()->DrawLine(theStartX, theStartY, theEndX, theEndY, theColor, theDrawMode);
    return;
  }
  if (DrawsInMemory(false) || GetSurface() == nullptr) {
    MemoryImage::DrawLine(theStartX, theStartY, theEndX, theEndY, theColor, theDrawMode);
    return;
  }
  if (FillAxisAlignedLine(*this, theStartX, theStartY, theEndX, theEndY, theColor, theDrawMode)) return;
  CommitBits();
  if (theDrawMode == DRAWMODE_NORMAL)
    NormalDrawLine(theStartX, theStartY, theEndX, theEndY, theColor);
  else if (theDrawMode == DRAWMODE_ADDITIVE)
    AdditiveDrawLine(theStartX, theStartY, theEndX, theEndY, theColor);
  DeleteAllNonSurfaceData();
}

void DDImage::DrawLineAA(double theStartX, double theStartY, double theEndX, double theEndY,
                         const Color& theColor, int theDrawMode) {
  if (Check3D(this)) {
    GetD3D()->DrawLine(theStartX, theStartY, theEndX, theEndY, theColor, theDrawMode);
    return;
  }
  if (DrawsInMemory(false) || GetSurface() == nullptr) {
    MemoryImage::DrawLineAA(theStartX, theStartY, theEndX, theEndY, theColor, theDrawMode);
    return;
  }
  if (FillAxisAlignedLine(*this, theStartX, theStartY, theEndX, theEndY, theColor, theDrawMode)) return;
  CommitBits();
  if (theDrawMode == DRAWMODE_NORMAL)
    NormalDrawLineAA(theStartX, theStartY, theEndX, theEndY, theColor);
  else if (theDrawMode == DRAWMODE_ADDITIVE)
    AdditiveDrawLineAA(theStartX, theStartY, theEndX, theEndY, theColor);
  DeleteAllNonSurfaceData();
}

void DDImage::AdditiveDrawLineAA(double, double, double, double, const Color&) {}

void DDImage::Blt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect, const Color& theColor,
                  int theDrawMode) {
  theImage->mDrawn = true;
  CheckColor(theColor);
  CommitBits();
  if (Check3D(this)) {
    // A surface-to-surface copy here would land in the draw buffer's memory, which the
    // accelerated path never shows: every 3-D blit goes through the device.
    GetD3D()->Blt(theImage, static_cast<float>(theX), static_cast<float>(theY), theSrcRect, theColor,
                  theDrawMode, false);
    return;
  }
  bool isSurfaceCase = !mForceMemoryDraw && !mHasPartialAlpha && !(mHasTransparent && !mFirstPixelTrans);
  bool is3DDisplay = mDDInterface != nullptr && mDDInterface->mIs3D;
  if (isSurfaceCase && (!is3DDisplay || IsCursorAreaImage()) && GetSurface() != nullptr) {
    if (theDrawMode == DRAWMODE_NORMAL)
      NormalBlt(theImage, theX, theY, theSrcRect, theColor);
    else if (theDrawMode == DRAWMODE_ADDITIVE)
      AdditiveBlt(theImage, theX, theY, theSrcRect, theColor);
    DeleteAllNonSurfaceData();
    return;
  }
  MemoryImage::Blt(theImage, theX, theY, theSrcRect, theColor, theDrawMode);
}

void DDImage::BltMirror(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                        const Color& theColor, int theDrawMode) {
  CheckColor(theColor);
  CommitBits();
  if (Check3D(this)) {
    GetD3D()->BltMirror(theImage, static_cast<float>(theX), static_cast<float>(theY), theSrcRect, theColor,
                        theDrawMode, false);
    return;
  }
  // Without a surface (pixels with partial alpha) the memory pixels take the drawing instead of
  // losing it.
  if (GetSurface() == nullptr) {
    MemoryImage::BltMirror(theImage, theX, theY, theSrcRect, theColor, theDrawMode);
    return;
  }
  if (theDrawMode == DRAWMODE_NORMAL)
    NormalBltMirror(theImage, theX, theY, theSrcRect, theColor);
  else if (theDrawMode == DRAWMODE_ADDITIVE)
    AdditiveBltMirror(theImage, theX, theY, theSrcRect, theColor);
  DeleteAllNonSurfaceData();
}

void DDImage::BltF(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                   const TRect<int>& theClipRect, const Color& theColor, int theDrawMode) {
  theImage->mDrawn = true;
  if (Check3D(this)) {
    TRect<double> aDest(theX, theY, theSrcRect.mWidth, theSrcRect.mHeight);
    TRect<double> aClip(theClipRect.mX, theClipRect.mY, theClipRect.mWidth, theClipRect.mHeight);
    TRect<double> aVisible = aDest.Intersection(aClip);
    if (aVisible.mWidth == aDest.mWidth && aVisible.mHeight == aDest.mHeight)
      GetD3D()->Blt(theImage, theX, theY, theSrcRect, theColor, theDrawMode, true);
    else if (aVisible.mWidth != 0 && aVisible.mHeight != 0)
      GetD3D()->BltClipF(theImage, theX, theY, theSrcRect, &theClipRect, theColor, theDrawMode);
    return;
  }
  BltRotated(theImage, theX, theY, theSrcRect, theClipRect, theColor, theDrawMode, 0.0, 0.0f, 0.0f);
}

void DDImage::BltMatrix(Image* theImage, float x, float y, const TeskMatrix3& theMatrix,
                        const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                        const TRect<int>& theSrcRect, bool blend) {
  theImage->mDrawn = true;
  if (Check3D(this)) {
    GetD3D()->BltTransformed(theImage, &theClipRect, theColor, theDrawMode, theSrcRect, theMatrix, blend, x,
                             y, true);
    return;
  }
  if (GetSurface() == nullptr) {
    MemoryImage::BltMatrix(theImage, x, y, theMatrix, theClipRect, theColor, theDrawMode, theSrcRect, blend);
    return;
  }
  if (!LockSurface()) return;
  int aFormat = SurfaceFormatCode();
  if (aFormat != 0)
    BltMatrixHelper(theImage, x, y, theMatrix, theClipRect, theColor, theDrawMode, theSrcRect,
                    mLockDesc.lpSurface, mLockDesc.lPitch, aFormat, blend);
  UnlockSurface();
  DeleteAllNonSurfaceData();
}

void DDImage::BltTrianglesTex(Image* theTexture, const TriVertex theVertices[][3], int theNumTriangles,
                              const TRect<int>& theClipRect, const Color& theColor, int theDrawMode, float tx,
                              float ty, bool blend) {
  theTexture->mDrawn = true;
  if (Check3D(this)) {
    GetD3D()->DrawTrianglesTex(theVertices, theNumTriangles, theColor, theDrawMode, theTexture, tx, ty,
                               blend);
    return;
  }
  if (GetSurface() == nullptr) {
    MemoryImage::BltTrianglesTex(theTexture, theVertices, theNumTriangles, theClipRect, theColor, theDrawMode,
                                 tx, ty, blend);
    return;
  }
  if (!LockSurface()) return;
  int aFormat = SurfaceFormatCode();
  if (aFormat != 0)
    BltTrianglesTexHelper(theTexture, theVertices, theNumTriangles, theClipRect, theColor, theDrawMode,
                          mLockDesc.lpSurface, mLockDesc.lPitch, aFormat, tx, ty, blend);
  UnlockSurface();
  DeleteAllNonSurfaceData();
}

int DDImage::SurfaceFormatCode() const {
  const _DDPIXELFORMAT& aFormat = mLockDesc.ddpfPixelFormat;
  if (aFormat.dwRGBBitCount == 32) return 0x888;
  if (aFormat.dwRGBBitCount != 16 || aFormat.dwBBitMask != 0x001F) return 0;
  if (aFormat.dwGBitMask == 0x07E0 && aFormat.dwRBitMask == 0xF800) return 0x565;
  if (aFormat.dwGBitMask == 0x03E0 && aFormat.dwRBitMask == 0x7C00) return 0x555;
  // The helpers know no other layout; such a surface draws nothing here.
  return 0;
}

void DDImage::FillScanLinesWithCoverage(Span* theSpans, int theSpanCount, const Color& theColor,
                                        int theDrawMode, const unsigned char* theCoverage, int theCoverX,
                                        int theCoverY, int theCoverWidth, int theCoverHeight) {
  if (theSpanCount == 0) return;
  if (Check3D(this)) {
    int aLeft = theSpans[0].mX, aRight = theSpans[0].mX + theSpans[0].mWidth - 1;
    int aTop = theSpans[0].mY, aBottom = theSpans[0].mY;
    for (int i = 1; i < theSpanCount; ++i) {
      aLeft = std::min(aLeft, theSpans[i].mX);
      aRight = std::max(aRight, theSpans[i].mX + theSpans[i].mWidth - 1);
      aTop = std::min(aTop, theSpans[i].mY);
      aBottom = std::max(aBottom, theSpans[i].mY);
    }
    for (int i = 0; i < theSpanCount; ++i) {
      theSpans[i].mX -= aLeft;
      theSpans[i].mY -= aTop;
    }
    MemoryImage aTemp(mApp);
    aTemp.Create(aRight - aLeft + 1, aBottom - aTop + 1);
    aTemp.MemoryImage::FillScanLinesWithCoverage(theSpans, theSpanCount, theColor, theDrawMode, theCoverage,
                                                 theCoverX - aLeft, theCoverY - aTop, theCoverWidth,
                                                 theCoverHeight);
    Blt(&aTemp, aLeft, aTop, TRect<int>(0, 0, aTemp.mWidth, aTemp.mHeight), Color::White, theDrawMode);
    return;
  }
  if (GetSurface() == nullptr) {
    MemoryImage::FillScanLinesWithCoverage(theSpans, theSpanCount, theColor, theDrawMode, theCoverage,
                                           theCoverX, theCoverY, theCoverWidth, theCoverHeight);
    return;
  }
  SoftwareCoverageFill(theSpans, theSpanCount, theColor, theCoverage, theCoverX, theCoverY, theCoverWidth);
}

}  // namespace Tesk

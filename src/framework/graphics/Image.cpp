#include "graphics/Image.h"

namespace Tesk {

Image::Image() : mDrawn(false), mWidth(0), mHeight(0), mNumRows(1), mNumCols(1) {}

Image::~Image() {}

void Image::CopyAttributes(Image* theImage) {
  mNumCols = theImage->mNumCols;
  mNumRows = theImage->mNumRows;
  mAnimInfo.reset();
  if (theImage->mAnimInfo) mAnimInfo.reset(new AnimInfo(*theImage->mAnimInfo));
}

bool Image::PolyFill3D(const TPoint<int>[], int, const TRect<int>*, const Color&, int, int, int, bool) {
  return false;
}

void Image::FillRect(const TRect<int>&, const Color&, int) {}

void Image::DrawRect(const TRect<int>& theRect, const Color& theColor, int theDrawMode) {
  // The outline covers (w+1) x (h+1) pixels.
  FillRect(TRect<int>(theRect.mX, theRect.mY, theRect.mWidth + 1, 1), theColor, theDrawMode);
  FillRect(TRect<int>(theRect.mX, theRect.mY + theRect.mHeight, theRect.mWidth + 1, 1), theColor,
           theDrawMode);
  FillRect(TRect<int>(theRect.mX, theRect.mY + 1, 1, theRect.mHeight - 1), theColor, theDrawMode);
  FillRect(TRect<int>(theRect.mX + theRect.mWidth, theRect.mY + 1, 1, theRect.mHeight - 1), theColor,
           theDrawMode);
}

void Image::ClearRect(const TRect<int>&) {}

void Image::DrawLine(double, double, double, double, const Color&, int) {}

void Image::DrawLineAA(double, double, double, double, const Color&, int) {}

void Image::FillScanLines(Span* theSpans, int theSpanCount, const Color& theColor, int theDrawMode) {
  for (int i = 0; i < theSpanCount; ++i)
    FillRect(TRect<int>(theSpans[i].mX, theSpans[i].mY, theSpans[i].mWidth, 1), theColor, theDrawMode);
}

void Image::FillScanLinesWithCoverage(Span*, int, const Color&, int, const unsigned char*, int, int, int,
                                      int) {}

void Image::Blt(Image*, int, int, const TRect<int>&, const Color&, int) {}

void Image::BltF(Image*, float, float, const TRect<int>&, const TRect<int>&, const Color&, int) {}

void Image::BltRotated(Image*, float, float, const TRect<int>&, const TRect<int>&, const Color&, int, double,
                       float, float) {}

void Image::StretchBlt(Image*, const TRect<int>&, const TRect<int>&, const TRect<int>&, const Color&, int,
                       bool) {}

void Image::BltMatrix(Image*, float, float, const TeskMatrix3&, const TRect<int>&, const Color&, int,
                      const TRect<int>&, bool) {}

void Image::BltTrianglesTex(Image*, const TriVertex[][3], int, const TRect<int>&, const Color&, int, float,
                            float, bool) {}

void Image::BltMirror(Image*, int, int, const TRect<int>&, const Color&, int) {}

void Image::StretchBltMirror(Image*, const TRect<int>&, const TRect<int>&, const TRect<int>&, const Color&,
                             int, bool) {}

}  // namespace Tesk

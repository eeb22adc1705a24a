#include "widgets/FrameRecorder.h"

#include <cstring>
#include <type_traits>

#include "graphics/MemoryImage.h"
#include "graphics/TeskMatrix3.h"

namespace Tesk {

namespace {

constexpr uint64_t k_HashStart = 1469598103934665603ull;
constexpr uint64_t k_HashPrime = 1099511628211ull;

void SetColor(int theDest[4], const Color& theColor) {
  theDest[0] = theColor.mRed;
  theDest[1] = theColor.mGreen;
  theDest[2] = theColor.mBlue;
  theDest[3] = theColor.mAlpha;
}

Color GetColor(const int theColor[4]) { return Color(theColor[0], theColor[1], theColor[2], theColor[3]); }

}  // namespace

FrameRecorder::FrameRecorder() : mImageHash(k_HashStart) {}

void FrameRecorder::Begin(int theWidth, int theHeight) {
  mWidth = theWidth;
  mHeight = theHeight;
  mOps.clear();
  mExtra.clear();
  mImageHash = k_HashStart;
}

uint64_t FrameRecorder::Mix(uint64_t theHash, const void* theData, size_t theSize) {
  // Eight bytes at a time, then the rest one by one.
  const auto* p = static_cast<const unsigned char*>(theData);
  uint64_t h = theHash;
  size_t i = 0;
  for (; i + 8 <= theSize; i += 8) {
    uint64_t aWord;
    std::memcpy(&aWord, p + i, 8);
    h = (h ^ aWord) * k_HashPrime;
    h ^= h >> 29;
  }
  for (; i < theSize; ++i) h = (h ^ p[i]) * k_HashPrime;
  return h;
}

void FrameRecorder::MixImage(Image* theImage) {
  if (theImage == nullptr) return;
  // An image is the same picture while it is the same object, of the same size, from the same
  // file, with its pixels changed as many times.
  int aChanges = -1;
  if (auto* aMemory = dynamic_cast<MemoryImage*>(theImage)) aChanges = aMemory->mBitsChangedCount;
  const int aValues[3] = {theImage->mWidth, theImage->mHeight, aChanges};
  mImageHash = Mix(mImageHash, &theImage, sizeof(theImage));
  mImageHash = Mix(mImageHash, aValues, sizeof(aValues));
  mImageHash = Mix(mImageHash, theImage->mFilePath.data(), theImage->mFilePath.size());
}

uint64_t FrameRecorder::GetFingerprint() const {
  static_assert(std::is_trivially_copyable<Op>::value, "an operation is plain bytes");
  uint64_t h = Mix(mImageHash, mOps.data(), mOps.size() * sizeof(Op));
  return Mix(h, mExtra.data(), mExtra.size());
}

FrameRecorder::Op& FrameRecorder::Add(Kind theKind, Image* theImage, const Color& theColor, int theDrawMode) {
  // Value-initialised: every byte, padding too, starts at zero.
  Op& anOp = mOps.emplace_back();
  anOp.mKind = theKind;
  anOp.mImage = theImage;
  SetColor(anOp.mColor, theColor);
  anOp.mMode = theDrawMode;
  MixImage(theImage);
  return anOp;
}

uint32_t FrameRecorder::Keep(const void* theData, size_t theSize) {
  size_t anOffset = (mExtra.size() + 7) & ~static_cast<size_t>(7);
  mExtra.resize(anOffset + theSize);
  if (theSize > 0) std::memcpy(mExtra.data() + anOffset, theData, theSize);
  return static_cast<uint32_t>(anOffset);
}

bool FrameRecorder::PolyFill3D(const TPoint<int> theVertices[], int theNumVertices, const TRect<int>* theClipRect,
                               const Color& theColor, int theDrawMode, int tx, int ty, bool convex) {
  Op& anOp = Add(k_PolyFill3D, nullptr, theColor, theDrawMode);
  anOp.mHasClip = theClipRect != nullptr;
  if (theClipRect != nullptr) anOp.mRect[0] = *theClipRect;
  anOp.mI[0] = theNumVertices;
  anOp.mI[1] = tx;
  anOp.mI[2] = ty;
  anOp.mFlag = convex;
  const size_t aSize = sizeof(TPoint<int>) * static_cast<size_t>(theNumVertices > 0 ? theNumVertices : 0);
  anOp.mExtraSize[0] = static_cast<uint32_t>(aSize);
  anOp.mExtra[0] = Keep(theVertices, aSize);
  // Whether the screen takes polygons is its own answer; the recorder takes them all.
  return true;
}

void FrameRecorder::FillRect(const TRect<int>& theRect, const Color& theColor, int theDrawMode) {
  Add(k_FillRect, nullptr, theColor, theDrawMode).mRect[0] = theRect;
}

void FrameRecorder::DrawRect(const TRect<int>& theRect, const Color& theColor, int theDrawMode) {
  Add(k_DrawRect, nullptr, theColor, theDrawMode).mRect[0] = theRect;
}

void FrameRecorder::ClearRect(const TRect<int>& theRect) {
  Add(k_ClearRect, nullptr, Color(), 0).mRect[0] = theRect;
}

void FrameRecorder::DrawLine(double theStartX, double theStartY, double theEndX, double theEndY,
                             const Color& theColor, int theDrawMode) {
  Op& anOp = Add(k_DrawLine, nullptr, theColor, theDrawMode);
  anOp.mD[0] = theStartX;
  anOp.mD[1] = theStartY;
  anOp.mD[2] = theEndX;
  anOp.mD[3] = theEndY;
}

void FrameRecorder::DrawLineAA(double theStartX, double theStartY, double theEndX, double theEndY,
                               const Color& theColor, int theDrawMode) {
  Op& anOp = Add(k_DrawLineAA, nullptr, theColor, theDrawMode);
  anOp.mD[0] = theStartX;
  anOp.mD[1] = theStartY;
  anOp.mD[2] = theEndX;
  anOp.mD[3] = theEndY;
}

void FrameRecorder::FillScanLines(Span* theSpans, int theSpanCount, const Color& theColor, int theDrawMode) {
  Op& anOp = Add(k_FillScanLines, nullptr, theColor, theDrawMode);
  const size_t aSize = sizeof(Span) * static_cast<size_t>(theSpanCount > 0 ? theSpanCount : 0);
  anOp.mI[0] = theSpanCount;
  anOp.mExtraSize[0] = static_cast<uint32_t>(aSize);
  anOp.mExtra[0] = Keep(theSpans, aSize);
}

void FrameRecorder::FillScanLinesWithCoverage(Span* theSpans, int theSpanCount, const Color& theColor,
                                              int theDrawMode, const unsigned char* theCoverage, int theCoverX,
                                              int theCoverY, int theCoverWidth, int theCoverHeight) {
  Op& anOp = Add(k_FillScanLinesWithCoverage, nullptr, theColor, theDrawMode);
  const size_t aSpans = sizeof(Span) * static_cast<size_t>(theSpanCount > 0 ? theSpanCount : 0);
  const size_t aCoverage =
      theCoverage != nullptr && theCoverWidth > 0 && theCoverHeight > 0
          ? static_cast<size_t>(theCoverWidth) * static_cast<size_t>(theCoverHeight)
          : 0;
  anOp.mI[0] = theSpanCount;
  anOp.mRect[0] = TRect<int>(theCoverX, theCoverY, theCoverWidth, theCoverHeight);
  anOp.mFlag = theCoverage != nullptr;
  anOp.mExtraSize[0] = static_cast<uint32_t>(aSpans);
  anOp.mExtraSize[1] = static_cast<uint32_t>(aCoverage);
  // Both stored before either is looked up: a second Keep may move the store.
  anOp.mExtra[0] = Keep(theSpans, aSpans);
  mOps.back().mExtra[1] = Keep(theCoverage, aCoverage);
}

void FrameRecorder::Blt(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect, const Color& theColor,
                        int theDrawMode) {
  Op& anOp = Add(k_Blt, theImage, theColor, theDrawMode);
  anOp.mI[0] = theX;
  anOp.mI[1] = theY;
  anOp.mRect[0] = theSrcRect;
}

void FrameRecorder::BltF(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                         const TRect<int>& theClipRect, const Color& theColor, int theDrawMode) {
  Op& anOp = Add(k_BltF, theImage, theColor, theDrawMode);
  anOp.mF[0] = theX;
  anOp.mF[1] = theY;
  anOp.mRect[0] = theSrcRect;
  anOp.mRect[1] = theClipRect;
}

void FrameRecorder::BltRotated(Image* theImage, float theX, float theY, const TRect<int>& theSrcRect,
                               const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                               double theRot, float theRotCenterX, float theRotCenterY) {
  Op& anOp = Add(k_BltRotated, theImage, theColor, theDrawMode);
  anOp.mF[0] = theX;
  anOp.mF[1] = theY;
  anOp.mF[2] = theRotCenterX;
  anOp.mF[3] = theRotCenterY;
  anOp.mD[0] = theRot;
  anOp.mRect[0] = theSrcRect;
  anOp.mRect[1] = theClipRect;
}

void FrameRecorder::StretchBlt(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                               const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                               bool fastStretch) {
  Op& anOp = Add(k_StretchBlt, theImage, theColor, theDrawMode);
  anOp.mRect[0] = theDestRect;
  anOp.mRect[1] = theSrcRect;
  anOp.mRect[2] = theClipRect;
  anOp.mFlag = fastStretch;
}

void FrameRecorder::BltMatrix(Image* theImage, float x, float y, const TeskMatrix3& theMatrix,
                              const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                              const TRect<int>& theSrcRect, bool blend) {
  Op& anOp = Add(k_BltMatrix, theImage, theColor, theDrawMode);
  anOp.mF[0] = x;
  anOp.mF[1] = y;
  anOp.mRect[0] = theSrcRect;
  anOp.mRect[1] = theClipRect;
  anOp.mFlag = blend;
  anOp.mExtraSize[0] = sizeof(theMatrix.m);
  anOp.mExtra[0] = Keep(theMatrix.m, sizeof(theMatrix.m));
}

void FrameRecorder::BltTrianglesTex(Image* theTexture, const TriVertex theVertices[][3], int theNumTriangles,
                                    const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                                    float tx, float ty, bool blend) {
  Op& anOp = Add(k_BltTrianglesTex, theTexture, theColor, theDrawMode);
  const size_t aSize = sizeof(TriVertex) * 3 * static_cast<size_t>(theNumTriangles > 0 ? theNumTriangles : 0);
  anOp.mI[0] = theNumTriangles;
  anOp.mF[0] = tx;
  anOp.mF[1] = ty;
  anOp.mRect[0] = theClipRect;
  anOp.mFlag = blend;
  anOp.mExtraSize[0] = static_cast<uint32_t>(aSize);
  anOp.mExtra[0] = Keep(theVertices, aSize);
}

void FrameRecorder::BltMirror(Image* theImage, int theX, int theY, const TRect<int>& theSrcRect,
                              const Color& theColor, int theDrawMode) {
  Op& anOp = Add(k_BltMirror, theImage, theColor, theDrawMode);
  anOp.mI[0] = theX;
  anOp.mI[1] = theY;
  anOp.mRect[0] = theSrcRect;
}

void FrameRecorder::StretchBltMirror(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                                     const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                                     bool fastStretch) {
  Op& anOp = Add(k_StretchBltMirror, theImage, theColor, theDrawMode);
  anOp.mRect[0] = theDestRect;
  anOp.mRect[1] = theSrcRect;
  anOp.mRect[2] = theClipRect;
  anOp.mFlag = fastStretch;
}

void FrameRecorder::Replay(Image* theDest) {
  if (theDest == nullptr) return;
  for (size_t i = 0; i < mOps.size(); ++i) {
    const Op& o = mOps[i];
    const Color aColor = GetColor(o.mColor);
    switch (o.mKind) {
      case k_PolyFill3D:
        theDest->PolyFill3D(static_cast<const TPoint<int>*>(Kept(o.mExtra[0])), o.mI[0],
                            o.mHasClip ? &o.mRect[0] : nullptr, aColor, o.mMode, o.mI[1], o.mI[2], o.mFlag);
        break;
      case k_FillRect:
        theDest->FillRect(o.mRect[0], aColor, o.mMode);
        break;
      case k_DrawRect:
        theDest->DrawRect(o.mRect[0], aColor, o.mMode);
        break;
      case k_ClearRect:
        theDest->ClearRect(o.mRect[0]);
        break;
      case k_DrawLine:
        theDest->DrawLine(o.mD[0], o.mD[1], o.mD[2], o.mD[3], aColor, o.mMode);
        break;
      case k_DrawLineAA:
        theDest->DrawLineAA(o.mD[0], o.mD[1], o.mD[2], o.mD[3], aColor, o.mMode);
        break;
      case k_FillScanLines:
        // The destination may reorder the spans: it gets its own copy in the store.
        theDest->FillScanLines(reinterpret_cast<Span*>(mExtra.data() + o.mExtra[0]), o.mI[0], aColor, o.mMode);
        break;
      case k_FillScanLinesWithCoverage:
        theDest->FillScanLinesWithCoverage(
            reinterpret_cast<Span*>(mExtra.data() + o.mExtra[0]), o.mI[0], aColor, o.mMode,
            o.mFlag ? static_cast<const unsigned char*>(Kept(o.mExtra[1])) : nullptr, o.mRect[0].mX,
            o.mRect[0].mY, o.mRect[0].mWidth, o.mRect[0].mHeight);
        break;
      case k_Blt:
        theDest->Blt(o.mImage, o.mI[0], o.mI[1], o.mRect[0], aColor, o.mMode);
        break;
      case k_BltF:
        theDest->BltF(o.mImage, o.mF[0], o.mF[1], o.mRect[0], o.mRect[1], aColor, o.mMode);
        break;
      case k_BltRotated:
        theDest->BltRotated(o.mImage, o.mF[0], o.mF[1], o.mRect[0], o.mRect[1], aColor, o.mMode, o.mD[0],
                            o.mF[2], o.mF[3]);
        break;
      case k_StretchBlt:
        theDest->StretchBlt(o.mImage, o.mRect[0], o.mRect[1], o.mRect[2], aColor, o.mMode, o.mFlag);
        break;
      case k_BltMatrix: {
        TeskMatrix3 aMatrix;
        std::memcpy(aMatrix.m, Kept(o.mExtra[0]), sizeof(aMatrix.m));
        theDest->BltMatrix(o.mImage, o.mF[0], o.mF[1], aMatrix, o.mRect[1], aColor, o.mMode, o.mRect[0], o.mFlag);
        break;
      }
      case k_BltTrianglesTex:
        theDest->BltTrianglesTex(o.mImage, static_cast<const TriVertex(*)[3]>(Kept(o.mExtra[0])), o.mI[0],
                                 o.mRect[0], aColor, o.mMode, o.mF[0], o.mF[1], o.mFlag);
        break;
      case k_BltMirror:
        theDest->BltMirror(o.mImage, o.mI[0], o.mI[1], o.mRect[0], aColor, o.mMode);
        break;
      case k_StretchBltMirror:
        theDest->StretchBltMirror(o.mImage, o.mRect[0], o.mRect[1], o.mRect[2], aColor, o.mMode, o.mFlag);
        break;
    }
  }
}

}  // namespace Tesk

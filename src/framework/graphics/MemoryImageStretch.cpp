// The stretch blits of MemoryImage: clipping, nearest sample and the two-pass resampler, each
// in its plain form (StretchPlain) and through the vector rows where they apply.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "core/Common.h"
#include "graphics/BlitPixel.h"
#include "graphics/BlitSimd.h"
#include "graphics/BlitSimdStretch.h"
#include "graphics/BlitSource.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"
#include "graphics/StretchPlain.h"

namespace Tesk {

namespace {

// One accumulation cell of the resampler: channel sums in the order blue, green, red, alpha.
struct Cell {
  uint32_t b, g, r, a;
};

inline void AddScaled(Cell& theCell, uint32_t thePixel, uint32_t theWeight) {
  theCell.b += (thePixel & 0xFF) * theWeight;
  theCell.g += ((thePixel >> 8) & 0xFF) * theWeight;
  theCell.r += ((thePixel >> 16) & 0xFF) * theWeight;
  theCell.a += (thePixel >> 24) * theWeight;
}

inline void AddCell(Cell& theCell, const Cell& theFrom, uint32_t theWeight) {
  theCell.b += theFrom.b * theWeight;
  theCell.g += theFrom.g * theWeight;
  theCell.r += theFrom.r * theWeight;
  theCell.a += theFrom.a * theWeight;
}

// One column's share of the horizontal pass.
struct HorzTap {
  int mLeft, mRight;
  uint32_t mWeightLeft, mWeightRight;
};

// Scratch that grows to the largest request and is then reused, so that
// stretching allocates nothing frame after frame.
template <class T>
T* Scratch(std::vector<T>& theStore, size_t theCount) {
  if (theStore.size() < theCount) theStore.resize(theCount);
  return theStore.data();
}

bool ClipStretch(const TRect<int>& theSrcRect, const TRect<int>& theClipRect, const TRect<int>& theDestRect,
                 TRect<double>& theSrcRectOut, TRect<int>& theDestRectOut, bool mirror) {
  // An empty destination would divide by zero below.
  if (theDestRect.mWidth <= 0 || theDestRect.mHeight <= 0) return false;
  const TRect<int>& D = theDestRect;
  const TRect<int>& S = theSrcRect;
  TRect<int> aDest = D.Intersection(theClipRect);
  theDestRectOut = aDest;
  double sx = double(S.mWidth) / D.mWidth;
  double sy = double(S.mHeight) / D.mHeight;
  double x =
      mirror ? S.mX + ((D.mX + D.mWidth) - (aDest.mX + aDest.mWidth)) * sx : S.mX + (aDest.mX - D.mX) * sx;
  theSrcRectOut = TRect<double>(x, S.mY + (aDest.mY - D.mY) * sy, S.mWidth + (aDest.mWidth - D.mWidth) * sx,
                                S.mHeight + (aDest.mHeight - D.mHeight) * sy);
  return theSrcRectOut.mWidth > 0 && theSrcRectOut.mHeight > 0;
}

// The source region in whole pixels, cut to the source image; false when nothing is left.
bool SourceRegion(const TRect<double>& S, const MemoryImage& theSrc, int& x0, int& y0, int& w0, int& h0) {
  x0 = int(std::floor(S.mX));
  y0 = int(std::floor(S.mY));
  w0 = int(std::ceil(S.mX - x0 + S.mWidth));
  h0 = int(std::ceil(S.mY - y0 + S.mHeight));
  if (x0 < 0) x0 = 0;
  if (y0 < 0) y0 = 0;
  w0 = std::min(w0, theSrc.mWidth - x0);
  h0 = std::min(h0, theSrc.mHeight - y0);
  return w0 >= 1 && h0 >= 1;
}

}  // namespace

void StretchPlain::Nearest(MemoryImage& theDest, Image* theImage, const TRect<int>& theDestRect,
                           const TRect<double>& theSrcRect, const Color& theColor, int theDrawMode, bool mirror) {
  theImage->mDrawn = true;
  const int mWidth = theDest.mWidth, mHeight = theDest.mHeight;
  MemoryImage* aSrcImage = dynamic_cast<MemoryImage*>(theImage);
  const TRect<int> D = theDestRect.Intersection(TRect<int>(0, 0, mWidth, mHeight));
  if (aSrcImage && D == theDestRect && D.mWidth > 0 && D.mHeight > 0 && aSrcImage->mWidth > 0 &&
      aSrcImage->mHeight > 0) {
    const double aXStep = theSrcRect.mWidth / theDestRect.mWidth;
    const double aYStep = theSrcRect.mHeight / theDestRect.mHeight;
    const int aMaxX = aSrcImage->mWidth - 1, aMaxY = aSrcImage->mHeight - 1;
    // The sample columns are the same on every row: found once, with the very
    // same double stepping a row would make.
    static thread_local std::vector<int> sm_Columns;
    int* aColumns = Scratch(sm_Columns, size_t(D.mWidth));
    double sx = theSrcRect.mX;
    for (int x = 0; x < D.mWidth; ++x) {
      aColumns[x] = std::min(std::max(int(sx), 0), aMaxX);
      sx += aXStep;
    }
    if (mirror) std::reverse(aColumns, aColumns + D.mWidth);
    if (theDrawMode == DRAWMODE_ADDITIVE) aSrcImage->CommitBits();
    BlitSource aSrc(aSrcImage);
    uint32_t* aDestRow = theDest.GetBits() + D.mY * mWidth + D.mX;
    auto aRun = [&](auto op) {
      double sy = theSrcRect.mY;
      for (int y = 0; y < D.mHeight; ++y, aDestRow += mWidth, sy += aYStep) {
        int aRow = std::min(std::max(int(sy), 0), aMaxY) * aSrc.mPitch;
        if (aSrc.IsPalette()) {
          const uint8_t* anIndices = aSrc.mIndices + aRow;
          for (int x = 0; x < D.mWidth; ++x)
            aDestRow[x] = op(aDestRow[x], aSrc.mPalette[anIndices[aColumns[x]]]);
        } else {
          const uint32_t* aBits = aSrc.mBits + aRow;
          for (int x = 0; x < D.mWidth; ++x) aDestRow[x] = op(aDestRow[x], aBits[aColumns[x]]);
        }
      }
    };
    if (theDrawMode == DRAWMODE_ADDITIVE) {
      BlitPixel::WithAdditiveOp(theColor, aSrcImage->mHasPartialAlpha, theDest.GetAddClampTable(), aRun);
    } else {
      BlitPixel::WithNormalOp(theColor, aRun);
    }
  }
  theDest.BitsChanged();
}


void StretchPlain::Smooth(MemoryImage& theDest, Image* theImage, const TRect<int>& theDestRect,
                          const TRect<double>& theSrcRect, const Color& theColor, int theDrawMode, bool mirror) {
  theImage->mDrawn = true;
  const int mWidth = theDest.mWidth, mHeight = theDest.mHeight;
  MemoryImage* aSrcImage = dynamic_cast<MemoryImage*>(theImage);
  if (!aSrcImage) return;
  const TRect<int>& D = theDestRect;
  const TRect<double>& S = theSrcRect;
  if (D.mWidth <= 0 || D.mHeight <= 0 || D.Intersection(TRect<int>(0, 0, mWidth, mHeight)) != D) return;

  int x0, y0, w0, h0;
  if (!SourceRegion(S, *aSrcImage, x0, y0, w0, h0)) return;

  const int aCellsWide = D.mWidth + 4;
  const bool aShrinkX = S.mWidth >= D.mWidth, aShrinkY = S.mHeight >= D.mHeight;
  static thread_local std::vector<Cell> sm_Horz, sm_Vert;
  static thread_local std::vector<HorzTap> sm_Taps;
  static thread_local std::vector<uint32_t> sm_Row;
  const size_t aNewHorzPixelsEnd = size_t(aCellsWide) * h0 - 1;

  // The weights of a row are the same on every row: found once. Shrinking, a
  // source column goes to cells mCell and mCell + 1 (weight 0 when it is not
  // split); enlarging, cell k + 1 mixes source columns mLeft and mRight.
  const int aTapCount = aShrinkX ? w0 : D.mWidth;
  HorzTap* aTaps = Scratch(sm_Taps, size_t(aTapCount));
  if (aShrinkX) {
    const double r = D.mWidth / S.mWidth;
    for (int i = 0; i < w0; ++i) {
      double a = i * r + 1.0 + (x0 - S.mX) * r;
      double b = a + r;
      int ia = int(a), ib = int(b);
      const size_t d = size_t(ia) + 1;
      if (!(d <= aNewHorzPixelsEnd)) TESK_ASSERT(d <= aNewHorzPixelsEnd);
      if (ia != ib)
        aTaps[i] = HorzTap{ia, 0, uint32_t(257.0 * (ib - a)), uint32_t(257.0 * (b - ib))};
      else
        aTaps[i] = HorzTap{ia, 0, uint32_t(257.0 * r), 0};
    }
  } else {
    const double aStep = D.mWidth == 1 ? S.mWidth / D.mWidth : (S.mWidth - 1) / (D.mWidth - 1);
    for (int k = 1; k <= D.mWidth; ++k) {
      double x = S.mX + (k - 1) * aStep;
      int ix = int(x);
      uint32_t wl = uint32_t(257.0 * (1.0 - (x - ix)));
      int aLeft = std::min(std::max(ix - x0, 0), w0 - 1);
      aTaps[k - 1] = HorzTap{aLeft, std::min(aLeft + 1, w0 - 1), wl, 257 - wl};
    }
  }

  // Horizontal pass, weights in 257ths, one source row at a time as 32-bit words.
  BlitSource aSrc(aSrcImage);
  uint32_t* aRowWords = aSrc.IsPalette() ? Scratch(sm_Row, size_t(w0)) : nullptr;
  auto aSourceRow = [&](int j) -> const uint32_t* {
    if (!aRowWords) return aSrc.mBits + size_t(y0 + j) * aSrc.mPitch + x0;
    const uint8_t* anIndices = aSrc.mIndices + size_t(y0 + j) * aSrc.mPitch + x0;
    for (int i = 0; i < w0; ++i) aRowWords[i] = aSrc.mPalette[anIndices[i]];
    return aRowWords;
  };

  Cell* aHorz = Scratch(sm_Horz, size_t(aCellsWide) * h0);
  if (aShrinkX) std::fill(aHorz, aHorz + size_t(aCellsWide) * h0, Cell{0, 0, 0, 0});
  for (int j = 0; j < h0; ++j) {
    const uint32_t* aRow = aSourceRow(j);
    Cell* aCells = aHorz + size_t(j) * aCellsWide;
    if (aShrinkX) {
      for (int i = 0; i < w0; ++i) {
        const HorzTap& t = aTaps[i];
        AddScaled(aCells[t.mLeft], aRow[i], t.mWeightLeft);
        AddScaled(aCells[t.mLeft + 1], aRow[i], t.mWeightRight);
      }
    } else {
      for (int k = 0; k < D.mWidth; ++k) {
        const HorzTap& t = aTaps[k];
        Cell& c = aCells[k + 1];
        c = Cell{0, 0, 0, 0};
        AddScaled(c, aRow[t.mLeft], t.mWeightLeft);
        AddScaled(c, aRow[t.mRight], t.mWeightRight);
      }
    }
  }

  // Vertical pass, weights in 256ths, and composition. Only cells 1 to D.mWidth
  // reach the destination, so only they are carried down.
  uint32_t* aDestBits = theDest.GetBits();
  const uint32_t* aDestEnd = aDestBits + mWidth * mHeight;
  auto aCompose = [&](auto thePixel) {
    auto aComposeRow = [&](int y, const Cell* theCells) {
      uint32_t* aDestPixels = aDestBits + (D.mY + y) * mWidth + D.mX;
      if (!(aDestPixels + D.mWidth - 1 < aDestEnd)) TESK_ASSERT(aDestPixels < aDestEnd);
      if (mirror) {
        for (int x = 0; x < D.mWidth; ++x)
          aDestPixels[x] = thePixel(aDestPixels[x], theCells[D.mWidth - 1 - x]);
      } else {
        for (int x = 0; x < D.mWidth; ++x) aDestPixels[x] = thePixel(aDestPixels[x], theCells[x]);
      }
    };
    if (aShrinkY) {
      Cell* aVert = Scratch(sm_Vert, size_t(aCellsWide) * (D.mHeight + 4));
      const Cell* aNewPixelsEnd = aVert + size_t(aCellsWide) * (D.mHeight + 4) - 1;
      std::fill(aVert, aVert + size_t(aCellsWide) * (D.mHeight + 4), Cell{0, 0, 0, 0});
      const double r = D.mHeight / S.mHeight;
      for (int j = 0; j < h0; ++j) {
        const Cell* aFrom = aHorz + size_t(j) * aCellsWide + 1;
        double a = j * r + 1.0 + (y0 - S.mY) * r;
        double b = a + r;
        double fa = std::floor(a), fb = std::floor(b);
        Cell* d1 = aVert + size_t(fa) * aCellsWide + 1;
        if (!(d1 + D.mWidth - 1 <= aNewPixelsEnd)) TESK_ASSERT(d1 <= aNewPixelsEnd);
        if (fa != fb) {
          Cell* d2 = aVert + size_t(fb) * aCellsWide + 1;
          if (!(d2 + D.mWidth - 1 <= aNewPixelsEnd)) TESK_ASSERT(d2 <= aNewPixelsEnd);
          uint32_t aTop = uint32_t(256.0 * (fb - a)), aBottom = uint32_t(256.0 * (b - fb));
          for (int i = 0; i < D.mWidth; ++i) {
            AddCell(d1[i], aFrom[i], aTop);
            AddCell(d2[i], aFrom[i], aBottom);
          }
        } else {
          uint32_t aWeight = uint32_t(256.0 * r);
          for (int i = 0; i < D.mWidth; ++i) AddCell(d1[i], aFrom[i], aWeight);
        }
      }
      for (int y = 0; y < D.mHeight; ++y) aComposeRow(y, aVert + size_t(y + 1) * aCellsWide + 1);
    } else {
      // Enlarging, each grid row is made from two horizontal rows and composed at once.
      Cell* aLine = Scratch(sm_Vert, size_t(aCellsWide));
      const double aStep = D.mHeight == 1 ? S.mHeight / D.mHeight : (S.mHeight - 1) / (D.mHeight - 1);
      for (int k = 1; k <= D.mHeight; ++k) {
        double y = (S.mY - std::trunc(S.mY)) + (k - 1) * aStep;
        int iy = int(y);
        uint32_t wt = uint32_t(256.0 * (1.0 - (y - iy)));
        uint32_t wb = 256 - wt;
        int aTopRow = std::min(std::max(iy, 0), h0 - 1);
        int aBottomRow = std::min(aTopRow + 1, h0 - 1);
        const Cell* aTop = aHorz + size_t(aTopRow) * aCellsWide + 1;
        const Cell* aBottom = aHorz + size_t(aBottomRow) * aCellsWide + 1;
        for (int i = 0; i < D.mWidth; ++i) {
          aLine[i] = Cell{0, 0, 0, 0};
          AddCell(aLine[i], aTop[i], wt);
          AddCell(aLine[i], aBottom[i], wb);
        }
        aComposeRow(k - 1, aLine);
      }
    }
  };

  const bool aWhite = theColor == Color::White;
  const uint32_t cA = uint32_t(theColor.mAlpha);
  if (theDrawMode == DRAWMODE_ADDITIVE) {
    // The normal blit's additive rule: colour premultiplied by its alpha, and
    // the source's alpha weighing in only for a source with partial alpha.
    aSrcImage->CommitBits();
    const bool aPartial = aSrcImage->mHasPartialAlpha;
    const uint8_t* T = theDest.GetAddClampTable();
    const uint32_t pR = uint32_t(theColor.mRed) * cA / 255, pG = uint32_t(theColor.mGreen) * cA / 255,
                   pB = uint32_t(theColor.mBlue) * cA / 255;
    aCompose([=](uint32_t d, const Cell& c) {
      uint32_t A = std::min<uint32_t>(c.a >> 16, 255);
      uint32_t R = std::min<uint32_t>(c.r >> 16, 255), G = std::min<uint32_t>(c.g >> 16, 255),
               B = std::min<uint32_t>(c.b >> 16, 255);
      if (!aWhite) {
        R = (pR * R) >> 8;
        G = (pG * G) >> 8;
        B = (pB * B) >> 8;
      }
      if (aPartial) {
        R = (A * R) >> 8;
        G = (A * G) >> 8;
        B = (A * B) >> 8;
      }
      return (d & 0xFF000000) | (uint32_t(T[((d >> 16) & 0xFF) + R]) << 16) |
             (uint32_t(T[((d >> 8) & 0xFF) + G]) << 8) | T[(d & 0xFF) + B];
    });
  } else {
    const uint32_t kR = uint32_t(theColor.mRed) + 1, kG = uint32_t(theColor.mGreen) + 1,
                   kB = uint32_t(theColor.mBlue) + 1;
    aCompose([=](uint32_t d, const Cell& c) {
      uint32_t A = std::min<uint32_t>(c.a >> 16, 255);
      uint32_t R = c.r >> 16, G = c.g >> 16, B = c.b >> 16;
      if (!aWhite) {
        // Colourised as the normal blit does: alpha scaled by the colour's, channels by theirs.
        A = (A * cA) / 255;
        R = (R * kR) >> 8;
        G = (G * kG) >> 8;
        B = (B * kB) >> 8;
      }
      if (A == 0) return d;
      uint32_t da = d >> 24;
      uint32_t oma = 256 - A;
      uint32_t aBlue = (((oma * (d & 0xFF)) >> 8) & 0xFF) + ((B * A) >> 8);
      uint32_t aGreen = (((oma * (d & 0xFF00)) >> 8) & 0xFF00) + (((G * A) >> 8) << 8);
      uint32_t aRed = (((oma * (d & 0xFF0000)) >> 8) & 0xFF0000) + (((R * A) >> 8) << 16);
      uint32_t anAlpha = da + ((255 - da) * A) / 255;
      return (anAlpha << 24) | aRed | aGreen | aBlue;
    });
  }
  theDest.BitsChanged();
}


namespace {

bool InByteRange(const Color& theColor) {
  for (int c : {theColor.mRed, theColor.mGreen, theColor.mBlue, theColor.mAlpha})
    if (c < 0 || c > 255) return false;
  return true;
}

// The resampler's weights in the form of the vector rows, made for one geometry and kept while
// the stretches that follow have the same one (a sprite drawn many times at one size).
struct SmoothPlan {
  // The geometry the tables are for.
  bool mMade = false;
  double mSX = 0, mSY = 0, mSW = 0, mSH = 0;
  int mDW = 0, mDH = 0, mX0 = 0, mY0 = 0, mW0 = 0, mH0 = 0;
  bool mMirror = false;

  // False when a weight falls outside what the vector rows take (the plain resampler runs).
  bool mUsable = false;

  // Horizontal: mTaps taps per cell in the pair layout of BlitSimdStretch; mPairs when every
  // cell reads two neighbouring columns. mCells is the output width, mPadded a multiple of four.
  int mTaps = 0, mCells = 0, mPadded = 0;
  bool mPairs = false;
  std::vector<int32_t> mIndex;
  std::vector<uint16_t> mWeight;
  // The pair form's tables: each cell's left column and the weights by fours of cells.
  std::vector<int32_t> mLeft;
  std::vector<uint16_t> mPairWeight;
  // For each cell of the unmirrored order, the highest column any cell up to it reads and the
  // lowest column any cell from it on reads: a cell outside [first, last] of the columns with
  // alpha reads only pixels without alpha.
  std::vector<int> mReachHigh, mReachLow;
  // The cells that may read a span of columns [f, l]: [mFirstCell[f], mEndCell[l]).
  std::vector<int> mFirstCell, mEndCell;

  // Vertical: output row y mixes mRows[mRowBegin[y] ...mRowBegin[y + 1]) by mRowWeight (an even
  // count, at most 256 in all). mWindow bounds how far apart one output row's rows lie.
  std::vector<int> mRowBegin, mRows;
  std::vector<int16_t> mRowWeight;
  int mWindow = 0;

  bool Fits(const TRect<double>& S, const TRect<int>& D, int x0, int y0, int w0, int h0, bool mirror) const {
    return mMade && mSX == S.mX && mSY == S.mY && mSW == S.mWidth && mSH == S.mHeight && mDW == D.mWidth &&
           mDH == D.mHeight && mX0 == x0 && mY0 == y0 && mW0 == w0 && mH0 == h0 && mMirror == mirror;
  }
};

// One output unit's contributions (a cell's columns or a row's source rows): (source, weight).
struct Tap {
  int mFrom;
  uint32_t mWeight;
};

// Sorts theTaps by source, merges equal sources and drops weight 0; returns the new count.
int Tidy(Tap* theTaps, int theCount) {
  std::sort(theTaps, theTaps + theCount, [](const Tap& a, const Tap& b) { return a.mFrom < b.mFrom; });
  int n = 0;
  for (int i = 0; i < theCount; ++i) {
    if (theTaps[i].mWeight == 0) continue;
    if (n > 0 && theTaps[n - 1].mFrom == theTaps[i].mFrom)
      theTaps[n - 1].mWeight += theTaps[i].mWeight;
    else
      theTaps[n++] = theTaps[i];
  }
  return n;
}

// Lists each output unit's taps: theEmit(i, emit) calls emit(unit, source, weight) for source
// i's shares (or a unit's own, in order); the lists go to theBegin (theUnits + 1 offsets) and
// theTaps, tidied. False when some unit's weights add up past theMaxSum.
template <class Emit>
bool ListTaps(int theSources, int theUnits, uint32_t theMaxSum, Emit theEmit, std::vector<int>& theBegin,
              std::vector<Tap>& theTaps) {
  theBegin.assign(size_t(theUnits) + 1, 0);
  auto aCount = [&](int u, int, uint32_t) {
    if (u >= 0 && u < theUnits) ++theBegin[size_t(u) + 1];
  };
  for (int i = 0; i < theSources; ++i) theEmit(i, aCount);
  for (int u = 0; u < theUnits; ++u) theBegin[size_t(u) + 1] += theBegin[size_t(u)];
  if (theTaps.size() < size_t(theBegin[size_t(theUnits)])) theTaps.resize(size_t(theBegin[size_t(theUnits)]));
  static thread_local std::vector<int> sm_Fill;
  sm_Fill.assign(theBegin.begin(), theBegin.end() - 1);
  auto aPlace = [&](int u, int theFrom, uint32_t theWeight) {
    if (u >= 0 && u < theUnits) theTaps[size_t(sm_Fill[size_t(u)]++)] = Tap{theFrom, theWeight};
  };
  for (int i = 0; i < theSources; ++i) theEmit(i, aPlace);
  // Tidy each list in place, then close the gaps.
  int aWrite = 0;
  for (int u = 0; u < theUnits; ++u) {
    const int b = theBegin[size_t(u)], e = theBegin[size_t(u) + 1];
    const int n = Tidy(&theTaps[size_t(b)], e - b);
    uint32_t aSum = 0;
    for (int i = 0; i < n; ++i) {
      aSum += theTaps[size_t(b + i)].mWeight;
      theTaps[size_t(aWrite + i)] = theTaps[size_t(b + i)];
    }
    if (aSum > theMaxSum) return false;
    theBegin[size_t(u)] = aWrite;
    aWrite += n;
  }
  theBegin[size_t(theUnits)] = aWrite;
  return true;
}

constexpr int k_MaxTaps = 64;

bool MakeHorz(SmoothPlan& p, const TRect<double>& S, const TRect<int>& D, int x0, int w0, bool mirror) {
  static thread_local std::vector<int> sm_Begin;
  static thread_local std::vector<Tap> sm_Taps;
  const bool aShrink = S.mWidth >= D.mWidth;
  bool anOk;
  if (aShrink) {
    // Source column i gives to cells ia - 1 and ia (the plain resampler's cells ia and ia + 1).
    const double r = D.mWidth / S.mWidth;
    anOk = ListTaps(
        w0, D.mWidth, 257,
        [&](int i, auto emit) {
          double a = i * r + 1.0 + (x0 - S.mX) * r;
          double b = a + r;
          int ia = int(a), ib = int(b);
          if (ia != ib) {
            emit(ia - 1, i, uint32_t(257.0 * (ib - a)));
            emit(ia, i, uint32_t(257.0 * (b - ib)));
          } else {
            emit(ia - 1, i, uint32_t(257.0 * r));
          }
        },
        sm_Begin, sm_Taps);
  } else {
    const double aStep = D.mWidth == 1 ? S.mWidth / D.mWidth : (S.mWidth - 1) / (D.mWidth - 1);
    bool aWeightsOk = true;
    anOk = ListTaps(
        D.mWidth, D.mWidth, 257,
        [&](int k, auto emit) {
          double x = S.mX + k * aStep;
          int ix = int(x);
          uint32_t wl = uint32_t(257.0 * (1.0 - (x - ix)));
          if (wl > 257) aWeightsOk = false;
          int aLeft = std::min(std::max(ix - x0, 0), w0 - 1);
          emit(k, aLeft, wl);
          emit(k, std::min(aLeft + 1, w0 - 1), 257 - wl);
        },
        sm_Begin, sm_Taps);
    anOk = anOk && aWeightsOk;
  }
  if (!anOk) return false;

  const int aCells = D.mWidth, aPadded = (aCells + 3) & ~3;
  int aTaps = 1;
  for (int k = 0; k < aCells; ++k) aTaps = std::max(aTaps, sm_Begin[size_t(k) + 1] - sm_Begin[size_t(k)]);
  // Two neighbouring columns per cell make the pair form; one column is made a pair with a
  // neighbour of weight 0.
  bool aPairs = aTaps <= 2 && w0 >= 2;
  for (int k = 0; aPairs && k < aCells; ++k) {
    const int b = sm_Begin[size_t(k)], n = sm_Begin[size_t(k) + 1] - b;
    if (n == 2 && sm_Taps[size_t(b) + 1].mFrom != sm_Taps[size_t(b)].mFrom + 1) aPairs = false;
  }
  if (aPairs) aTaps = 2;
  // Past that many columns per cell (a very deep shrink) the plain resampler runs.
  if (aTaps > k_MaxTaps) return false;
  p.mTaps = aTaps;
  p.mPairs = aPairs;
  p.mCells = aCells;
  p.mPadded = aPadded;
  p.mIndex.assign(size_t(aPadded) * aTaps, 0);
  p.mWeight.assign(size_t(aPadded) * aTaps * 4, 0);
  p.mLeft.assign(aPairs ? size_t(aPadded) : 0, 0);
  p.mPairWeight.assign(aPairs ? size_t(aPadded) * 8 : 0, 0);
  p.mReachHigh.assign(size_t(aCells), 0);
  p.mReachLow.assign(size_t(aCells), 0);
  for (int k = 0; k < aCells; ++k) {
    const int b = sm_Begin[size_t(k)], n = sm_Begin[size_t(k) + 1] - b;
    Tap aCell[k_MaxTaps];
    int aCount = 0;
    for (int i = 0; i < n; ++i) aCell[aCount++] = sm_Taps[size_t(b + i)];
    if (aCount == 0) aCell[aCount++] = Tap{0, 0};
    if (aPairs && aCount == 1) {
      if (aCell[0].mFrom + 1 < w0)
        aCell[aCount++] = Tap{aCell[0].mFrom + 1, 0};
      else {
        aCell[1] = aCell[0];
        aCell[0] = Tap{aCell[1].mFrom - 1, 0};
        aCount = 2;
      }
    }
    // Sorted by column, so the first and last taps are the cell's lowest and highest columns.
    p.mReachLow[size_t(k)] = aCell[0].mFrom;
    p.mReachHigh[size_t(k)] = aCell[aCount - 1].mFrom;
    while (aCount < aTaps) aCell[aCount++] = Tap{aCell[0].mFrom, 0};
    // Mirrored, output cell x shows cell aCells - 1 - x.
    const int x = mirror ? aCells - 1 - k : k;
    const size_t g = size_t(x / 2), c = size_t(x % 2);
    for (int t = 0; t < aTaps; ++t) {
      const size_t aSlot = g * size_t(aTaps) + size_t(t);
      p.mIndex[aSlot * 2 + c] = aCell[t].mFrom;
      for (int i = 0; i < 4; ++i) p.mWeight[aSlot * 8 + 4 * c + size_t(i)] = uint16_t(aCell[t].mWeight);
    }
    if (aPairs) {
      p.mLeft[size_t(x)] = aCell[0].mFrom;
      const size_t w = size_t(x / 4) * 32 + size_t(x % 4) * 4;
      for (int i = 0; i < 4; ++i) {
        p.mPairWeight[w + size_t(i)] = uint16_t(aCell[0].mWeight);
        p.mPairWeight[w + 16 + size_t(i)] = uint16_t(aCell[1].mWeight);
      }
    }
  }
  // The padding cells read column 0 (and 1 in the pair form) by weight 0.
  for (int x = aCells; x < aPadded; ++x)
    for (int t = 0; t < aTaps; ++t)
      p.mIndex[(size_t(x / 2) * size_t(aTaps) + size_t(t)) * 2 + size_t(x % 2)] = 0;
  for (int k = 1; k < aCells; ++k)
    p.mReachHigh[size_t(k)] = std::max(p.mReachHigh[size_t(k)], p.mReachHigh[size_t(k) - 1]);
  for (int k = aCells - 2; k >= 0; --k)
    p.mReachLow[size_t(k)] = std::min(p.mReachLow[size_t(k)], p.mReachLow[size_t(k) + 1]);
  // Per source column i: the first cell that may read column i or one right of it, and the
  // end of the cells that may read column i or one left of it.
  p.mFirstCell.assign(size_t(w0), aCells);
  p.mEndCell.assign(size_t(w0), aCells);
  for (int i = 0, k = 0; i < w0; ++i) {
    while (k < aCells && p.mReachHigh[size_t(k)] < i) ++k;
    p.mFirstCell[size_t(i)] = k;
  }
  for (int i = 0, k = 0; i < w0; ++i) {
    while (k < aCells && p.mReachLow[size_t(k)] <= i) ++k;
    p.mEndCell[size_t(i)] = k;
  }
  return true;
}

bool MakeVert(SmoothPlan& p, const TRect<double>& S, const TRect<int>& D, int y0, int h0) {
  static thread_local std::vector<Tap> sm_Taps;
  bool anOk;
  if (S.mHeight >= D.mHeight) {
    // Source row j gives to rows fa and fb of the plain resampler's grid, output rows fa - 1, fb - 1.
    const double r = D.mHeight / S.mHeight;
    anOk = ListTaps(
        h0, D.mHeight, 256,
        [&](int j, auto emit) {
          double a = j * r + 1.0 + (y0 - S.mY) * r;
          double b = a + r;
          double fa = std::floor(a), fb = std::floor(b);
          if (fa != fb) {
            emit(int(fa) - 1, j, uint32_t(256.0 * (fb - a)));
            emit(int(fb) - 1, j, uint32_t(256.0 * (b - fb)));
          } else {
            emit(int(fa) - 1, j, uint32_t(256.0 * r));
          }
        },
        p.mRowBegin, sm_Taps);
  } else {
    const double aStep = D.mHeight == 1 ? S.mHeight / D.mHeight : (S.mHeight - 1) / (D.mHeight - 1);
    bool aWeightsOk = true;
    anOk = ListTaps(
        D.mHeight, D.mHeight, 256,
        [&](int k, auto emit) {
          double y = (S.mY - std::trunc(S.mY)) + k * aStep;
          int iy = int(y);
          uint32_t wt = uint32_t(256.0 * (1.0 - (y - iy)));
          if (wt > 256) aWeightsOk = false;
          int aTopRow = std::min(std::max(iy, 0), h0 - 1);
          emit(k, aTopRow, wt);
          emit(k, std::min(aTopRow + 1, h0 - 1), 256 - wt);
        },
        p.mRowBegin, sm_Taps);
    anOk = anOk && aWeightsOk;
  }
  if (!anOk) return false;
  // Each row's list made even (the last row again, by weight 0).
  p.mRows.clear();
  p.mRowWeight.clear();
  p.mWindow = 1;
  int aBegin = 0;
  for (int y = 0; y < D.mHeight; ++y) {
    const int b = p.mRowBegin[size_t(y)], e = p.mRowBegin[size_t(y) + 1];
    p.mRowBegin[size_t(y)] = aBegin;
    for (int i = b; i < e; ++i) {
      p.mRows.push_back(sm_Taps[size_t(i)].mFrom);
      p.mRowWeight.push_back(int16_t(sm_Taps[size_t(i)].mWeight));
    }
    if ((e - b) % 2 != 0) {
      p.mRows.push_back(sm_Taps[size_t(e) - 1].mFrom);
      p.mRowWeight.push_back(0);
    }
    if (e > b) p.mWindow = std::max(p.mWindow, sm_Taps[size_t(e) - 1].mFrom - sm_Taps[size_t(b)].mFrom + 1);
    aBegin = int(p.mRows.size());
  }
  p.mRowBegin[size_t(D.mHeight)] = aBegin;
  return true;
}

// The resampler through the vector rows, or false (nothing drawn) where they do not apply.
bool SmoothFast(MemoryImage& theDest, MemoryImage* theSrc, const TRect<int>& D, const TRect<double>& S,
                const Color& theColor, int theDrawMode, bool mirror, int x0, int y0, int w0, int h0) {
  if (!InByteRange(theColor)) return false;
  BlitSimdStretch::Compose aCompose;
  bool aSkipsClear = true;
  const uint32_t cA = uint32_t(theColor.mAlpha);
  if (theDrawMode == DRAWMODE_ADDITIVE) {
    theSrc->CommitBits();
    if (!BlitSimd::IsSaturatingTable(theDest.GetAddClampTable())) return false;
    aCompose.mKind = BlitSimdStretch::Compose::Add;
    aCompose.mPartial = theSrc->mHasPartialAlpha;
    if (theColor != Color::White) {
      aCompose.mMul[0] = uint32_t(theColor.mBlue) * cA / 255;
      aCompose.mMul[1] = uint32_t(theColor.mGreen) * cA / 255;
      aCompose.mMul[2] = uint32_t(theColor.mRed) * cA / 255;
    }
    // Without partial alpha the colour adds whatever the alpha: no pixel can be passed over.
    aSkipsClear = aCompose.mPartial;
  } else {
    aCompose.mMul[0] = uint32_t(theColor.mBlue) + 1;
    aCompose.mMul[1] = uint32_t(theColor.mGreen) + 1;
    aCompose.mMul[2] = uint32_t(theColor.mRed) + 1;
    aCompose.mMul[3] = cA;
  }

  static thread_local SmoothPlan sm_Plan;
  SmoothPlan& p = sm_Plan;
  if (!p.Fits(S, D, x0, y0, w0, h0, mirror)) {
    p.mMade = true;
    p.mSX = S.mX;
    p.mSY = S.mY;
    p.mSW = S.mWidth;
    p.mSH = S.mHeight;
    p.mDW = D.mWidth;
    p.mDH = D.mHeight;
    p.mX0 = x0;
    p.mY0 = y0;
    p.mW0 = w0;
    p.mH0 = h0;
    p.mMirror = mirror;
    p.mUsable = MakeHorz(p, S, D, x0, w0, mirror) && MakeVert(p, S, D, y0, h0);
  }
  if (!p.mUsable) return false;

  // Horizontal rows kept by source row, one slot per row of a window.
  // A power of two, so that a row finds its slot by a mask.
  int aSlots = 1;
  while (aSlots < p.mWindow + 1) aSlots *= 2;
  const size_t aRowCells = size_t(p.mPadded) * 4;
  if (size_t(aSlots) * aRowCells > (size_t(1) << 23)) return false;
  static thread_local std::vector<uint16_t> sm_Cells;
  static thread_local std::vector<int> sm_Slots, sm_Spans;
  static thread_local std::vector<uint32_t> sm_Words;
  uint16_t* aCells = Scratch(sm_Cells, size_t(aSlots) * aRowCells);
  // Per slot: the source row it holds and the cells made, [begin, end).
  int* aSlotRow = Scratch(sm_Slots, size_t(aSlots) * 3);
  int* aSlotBegin = aSlotRow + aSlots;
  int* aSlotEnd = aSlotBegin + aSlots;
  std::fill(aSlotRow, aSlotRow + aSlots, -1);

  BlitSource aSrc(theSrc);
  uint32_t* aWords = aSrc.IsPalette() ? Scratch(sm_Words, size_t(w0) + 1) : nullptr;
  auto aSourceRow = [&](int j) -> const uint32_t* {
    if (!aWords) return aSrc.mBits + size_t(y0 + j) * aSrc.mPitch + x0;
    const uint8_t* anIndices = aSrc.mIndices + size_t(y0 + j) * aSrc.mPitch + x0;
    for (int i = 0; i < w0; ++i) aWords[i] = aSrc.mPalette[anIndices[i]];
    return aWords;
  };

  // Per source row: the cells that may have alpha, [begin, end), from the columns that have it.
  int* aSpans = nullptr;
  if (aSkipsClear) {
    aSpans = Scratch(sm_Spans, size_t(h0) * 2);
    for (int j = 0; j < h0; ++j) {
      int f, l, b = 0, e = 0;
      BlitSimdStretch::AlphaSpan(aSourceRow(j), w0, f, l);
      if (f < l) {
        b = p.mFirstCell[size_t(f)];
        e = p.mEndCell[size_t(l) - 1];
        if (mirror) {
          const int aBegin = p.mCells - e;
          e = p.mCells - b;
          b = aBegin;
        }
      }
      aSpans[2 * j] = b;
      aSpans[2 * j + 1] = e;
    }
  }

  // Cells [theBegin, theEnd) (multiples of four) of source row j, made where not yet made.
  auto aRow = [&](int j, int theBegin, int theEnd) -> const uint16_t* {
    const int aSlot = j & (aSlots - 1);
    uint16_t* aRowCellsAt = aCells + size_t(aSlot) * aRowCells;
    int& b = aSlotBegin[aSlot];
    int& e = aSlotEnd[aSlot];
    if (aSlotRow[aSlot] != j) {
      aSlotRow[aSlot] = j;
      b = e = 0;
    }
    if (theBegin < b || theEnd > e) {
      const uint32_t* aWordsOfRow = aSourceRow(j);
      auto aMake = [&](int from, int to) {
        if (from >= to) return;
        if (p.mPairs)
          BlitSimdStretch::HorzPairsRow(aRowCellsAt, aWordsOfRow, p.mLeft.data(), p.mPairWeight.data(), from, to);
        else
          BlitSimdStretch::HorzTapsRow(aRowCellsAt, aWordsOfRow, p.mIndex.data(), p.mWeight.data(), p.mTaps,
                                       from / 2, to / 2);
      };
      if (b >= e) {
        aMake(theBegin, theEnd);
        b = theBegin;
        e = theEnd;
      } else {
        const int aLow = std::min(theBegin, b), aHigh = std::max(theEnd, e);
        aMake(aLow, b);
        aMake(e, aHigh);
        b = aLow;
        e = aHigh;
      }
    }
    return aRowCellsAt;
  };

  uint32_t* aDestBits = theDest.GetBits();
  const int* aRowBegin = p.mRowBegin.data();
  const int* aRows = p.mRows.data();
  const int16_t* aRowWeight = p.mRowWeight.data();
  const uint16_t* aRowPointers[512];
  for (int y = 0; y < D.mHeight; ++y) {
    const int tb = aRowBegin[y], te = aRowBegin[y + 1];
    if (te == tb) continue;
    if (te - tb > 512) return false;
    int xb = 0, xe = p.mCells;
    if (aSpans) {
      xb = p.mCells;
      xe = 0;
      for (int t = tb; t < te; ++t) {
        const int* s = aSpans + 2 * aRows[t];
        if (s[0] < s[1]) {
          xb = std::min(xb, s[0]);
          xe = std::max(xe, s[1]);
        }
      }
      if (xb >= xe) continue;
    }
    // Whole groups of four where the row allows: the pixels past the span are left as they are.
    const int gb = xb & ~3, ge = std::min(p.mPadded, (xe + 3) & ~3);
    for (int t = tb; t < te; ++t) aRowPointers[t - tb] = aRow(aRows[t], gb, ge) + size_t(gb) * 4;
    BlitSimdStretch::MixComposeRow(aDestBits + size_t(D.mY + y) * size_t(theDest.mWidth) + D.mX + gb,
                                   aRowPointers, aRowWeight + tb, te - tb, std::min(ge, p.mCells) - gb, aCompose);
  }
  return true;
}

}  // namespace

void MemoryImage::SlowStretchBlt(Image* theImage, const TRect<int>& theDestRect,
                                 const TRect<double>& theSrcRect, const Color& theColor, int theDrawMode,
                                 bool mirror) {
  theImage->mDrawn = true;
  MemoryImage* aSrcImage = dynamic_cast<MemoryImage*>(theImage);
  if (!aSrcImage) return;
  const TRect<int>& D = theDestRect;
  const TRect<double>& S = theSrcRect;
  if (D.mWidth <= 0 || D.mHeight <= 0 || D.Intersection(TRect<int>(0, 0, mWidth, mHeight)) != D) return;
  int x0, y0, w0, h0;
  if (!SourceRegion(S, *aSrcImage, x0, y0, w0, h0)) return;
  if (SmoothFast(*this, aSrcImage, D, S, theColor, theDrawMode, mirror, x0, y0, w0, h0)) {
    BitsChanged();
    return;
  }
  StretchPlain::Smooth(*this, theImage, theDestRect, theSrcRect, theColor, theDrawMode, mirror);
}

void MemoryImage::FastStretchBlt(Image* theImage, const TRect<int>& theDestRect,
                                 const TRect<double>& theSrcRect, const Color& theColor, int theDrawMode,
                                 bool mirror) {
  theImage->mDrawn = true;
  MemoryImage* aSrcImage = dynamic_cast<MemoryImage*>(theImage);
  const TRect<int> D = theDestRect.Intersection(TRect<int>(0, 0, mWidth, mHeight));
  const bool aGrey = theColor.mRed == theColor.mGreen && theColor.mGreen == theColor.mBlue;
  const bool aWhite = theColor == Color::White;
  // Normal and additive (with the saturating table) go through the vector rows; the loops of
  // other tables and of colours out of the byte range stay per pixel.
  const bool anAdditive = theDrawMode == DRAWMODE_ADDITIVE;
  if (aSrcImage && anAdditive) aSrcImage->CommitBits();
  if (!aSrcImage || (anAdditive && !BlitSimd::IsSaturatingTable(GetAddClampTable())) ||
      (!aWhite && !InByteRange(theColor)) || D != theDestRect || D.mWidth <= 0 || D.mHeight <= 0 ||
      aSrcImage->mWidth <= 0 || aSrcImage->mHeight <= 0) {
    StretchPlain::Nearest(*this, theImage, theDestRect, theSrcRect, theColor, theDrawMode, mirror);
    return;
  }
  const double aXStep = theSrcRect.mWidth / theDestRect.mWidth;
  const double aYStep = theSrcRect.mHeight / theDestRect.mHeight;
  const int aMaxX = aSrcImage->mWidth - 1, aMaxY = aSrcImage->mHeight - 1;
  // The sample columns are the same on every row: found once, with the very same double
  // stepping a row would make.
  static thread_local std::vector<int> sm_Columns;
  static thread_local std::vector<uint32_t> sm_Samples, sm_Palette;
  int* aColumns = Scratch(sm_Columns, size_t(D.mWidth));
  double sx = theSrcRect.mX;
  for (int x = 0; x < D.mWidth; ++x) {
    aColumns[x] = std::min(std::max(int(sx), 0), aMaxX);
    sx += aXStep;
  }
  if (mirror) std::reverse(aColumns, aColumns + D.mWidth);
  BlitSource aSrc(aSrcImage);
  uint32_t* aSamples = Scratch(sm_Samples, size_t(D.mWidth));
  uint32_t* aDestRow = GetBits() + D.mY * mWidth + D.mX;
  const uint32_t cR = uint32_t(theColor.mRed), cG = uint32_t(theColor.mGreen), cB = uint32_t(theColor.mBlue),
                 cA = uint32_t(theColor.mAlpha);
  // A coloured additive sample becomes what its per-pixel op adds to each channel (that op on a
  // black destination: the sums stay below 256), which the saturating add then lays on.
  const bool aTintsAdd = anAdditive && !aWhite;
  const bool aPartial = aSrcImage->mHasPartialAlpha;
  const uint8_t* aTable = GetAddClampTable();
  const uint32_t cAddR = cR * cA / 255, cAddG = cG * cA / 255, cAddB = cB * cA / 255;
  double sy = theSrcRect.mY;
  int aGathered = -1;
  for (int y = 0; y < D.mHeight; ++y, aDestRow += mWidth, sy += aYStep) {
    // Enlarging repeats source rows: a row gathered once serves them all.
    const int aSrcY = std::min(std::max(int(sy), 0), aMaxY);
    if (aSrcY != aGathered) {
      if (aSrc.IsPalette()) {
        const uint8_t* anIndices = aSrc.mIndices + size_t(aSrcY) * aSrc.mPitch;
        for (int x = 0; x < D.mWidth; ++x) aSamples[x] = aSrc.mPalette[anIndices[aColumns[x]]];
      } else {
        BlitSimdStretch::GatherRow(aSamples, aSrc.mBits + size_t(aSrcY) * aSrc.mPitch, aColumns, D.mWidth);
      }
      if (aTintsAdd && aPartial) {
        for (int x = 0; x < D.mWidth; ++x)
          aSamples[x] = BlitPixel::AddColorAlpha(0, aSamples[x], aTable, cAddR, cAddG, cAddB);
      } else if (aTintsAdd) {
        for (int x = 0; x < D.mWidth; ++x)
          aSamples[x] = BlitPixel::AddColor(0, aSamples[x], aTable, cAddR, cAddG, cAddB);
      }
      aGathered = aSrcY;
    }
    if (anAdditive && aPartial && !aTintsAdd)
      BlitSimd::AddAlphaRow(aDestRow, aSamples, D.mWidth);
    else if (anAdditive)
      BlitSimd::AddRow(aDestRow, aSamples, D.mWidth);
    else if (aWhite)
      BlitSimdStretch::OverWhiteRow(aDestRow, aSamples, D.mWidth);
    else if (aGrey)
      BlitSimd::OverGreyRow(aDestRow, aSamples, D.mWidth, cR, cA);
    else
      BlitSimd::OverColorRow(aDestRow, aSamples, D.mWidth, cR, cG, cB, cA);
  }
  BitsChanged();
}

void MemoryImage::StretchBlt(Image* theImage, const TRect<int>& theDestRect, const TRect<int>& theSrcRect,
                             const TRect<int>& theClipRect, const Color& theColor, int theDrawMode,
                             bool fastStretch) {
  theImage->mDrawn = true;
  // The clip is kept inside this image even when a caller hands a wider one.
  TRect<int> aClip = theClipRect.Intersection(TRect<int>(0, 0, mWidth, mHeight));
  TRect<double> aSrc;
  TRect<int> aDest;
  if (!StretchBltClipHelper(theSrcRect, aClip, theDestRect, aSrc, aDest)) return;
  if (aDest.mWidth <= 0 || aDest.mHeight <= 0) return;
  if (fastStretch)
    FastStretchBlt(theImage, aDest, aSrc, theColor, theDrawMode);
  else
    SlowStretchBlt(theImage, aDest, aSrc, theColor, theDrawMode);
}

bool MemoryImage::StretchBltClipHelper(const TRect<int>& theSrcRect, const TRect<int>& theClipRect,
                                       const TRect<int>& theDestRect, TRect<double>& theSrcRectOut,
                                       TRect<int>& theDestRectOut) {
  return ClipStretch(theSrcRect, theClipRect, theDestRect, theSrcRectOut, theDestRectOut, false);
}

bool MemoryImage::StretchBltMirrorClipHelper(const TRect<int>& theSrcRect, const TRect<int>& theClipRect,
                                             const TRect<int>& theDestRect, TRect<double>& theSrcRectOut,
                                             TRect<int>& theDestRectOut) {
  return ClipStretch(theSrcRect, theClipRect, theDestRect, theSrcRectOut, theDestRectOut, true);
}

void MemoryImage::StretchBltMirror(Image* theImage, const TRect<int>& theDestRect,
                                   const TRect<int>& theSrcRect, const TRect<int>& theClipRect,
                                   const Color& theColor, int theDrawMode, bool fastStretch) {
  theImage->mDrawn = true;
  TRect<int> aClip = theClipRect.Intersection(TRect<int>(0, 0, mWidth, mHeight));
  TRect<double> aSrc;
  TRect<int> aDest;
  if (!StretchBltMirrorClipHelper(theSrcRect, aClip, theDestRect, aSrc, aDest)) return;
  if (aDest.mWidth <= 0 || aDest.mHeight <= 0) return;
  if (fastStretch)
    FastStretchBlt(theImage, aDest, aSrc, theColor, theDrawMode, true);
  else
    SlowStretchBlt(theImage, aDest, aSrc, theColor, theDrawMode, true);
}


}  // namespace Tesk

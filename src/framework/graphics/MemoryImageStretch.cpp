// The stretch blits of MemoryImage: clipping, nearest sample and the two-pass resampler.
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/Common.h"
#include "graphics/BlitPixel.h"
#include "graphics/BlitSimd.h"
#include "graphics/BlitSource.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"

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

}  // namespace

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

void MemoryImage::FastStretchBlt(Image* theImage, const TRect<int>& theDestRect,
                                 const TRect<double>& theSrcRect, const Color& theColor, int theDrawMode,
                                 bool mirror) {
  theImage->mDrawn = true;
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
    uint32_t* aDestRow = GetBits() + D.mY * mWidth + D.mX;
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
      BlitPixel::WithAdditiveOp(theColor, aSrcImage->mHasPartialAlpha, GetAddClampTable(), aRun);
    } else if (theColor == Color::White && !aSrc.IsPalette()) {
      // The samples of a row are gathered first, so that the white loop runs four pixels at a time.
      static thread_local std::vector<uint32_t> sm_Samples;
      uint32_t* aSamples = Scratch(sm_Samples, size_t(D.mWidth));
      double sy = theSrcRect.mY;
      int aGathered = -1;
      for (int y = 0; y < D.mHeight; ++y, aDestRow += mWidth, sy += aYStep) {
        // Enlarging repeats source rows: a row gathered once serves them all.
        const int aSrcY = std::min(std::max(int(sy), 0), aMaxY);
        if (aSrcY != aGathered) {
          const uint32_t* aBits = aSrc.mBits + aSrcY * aSrc.mPitch;
          for (int x = 0; x < D.mWidth; ++x) aSamples[x] = aBits[aColumns[x]];
          aGathered = aSrcY;
        }
        BlitSimd::OverWhiteRow(aDestRow, aSamples, D.mWidth);
      }
    } else {
      BlitPixel::WithNormalOp(theColor, aRun);
    }
  }
  BitsChanged();
}

void MemoryImage::SlowStretchBlt(Image* theImage, const TRect<int>& theDestRect,
                                 const TRect<double>& theSrcRect, const Color& theColor, int theDrawMode,
                                 bool mirror) {
  theImage->mDrawn = true;
  MemoryImage* aSrcImage = dynamic_cast<MemoryImage*>(theImage);
  if (!aSrcImage) return;
  const TRect<int>& D = theDestRect;
  const TRect<double>& S = theSrcRect;
  if (D.mWidth <= 0 || D.mHeight <= 0 || D.Intersection(TRect<int>(0, 0, mWidth, mHeight)) != D) return;

  // The source region in whole pixels, cut to the source image.
  int x0 = int(std::floor(S.mX)), y0 = int(std::floor(S.mY));
  int w0 = int(std::ceil(S.mX - x0 + S.mWidth)), h0 = int(std::ceil(S.mY - y0 + S.mHeight));
  if (x0 < 0) x0 = 0;
  if (y0 < 0) y0 = 0;
  w0 = std::min(w0, aSrcImage->mWidth - x0);
  h0 = std::min(h0, aSrcImage->mHeight - y0);
  if (w0 < 1 || h0 < 1) return;

  const int aCellsWide = D.mWidth + 4;
  const bool aShrinkX = S.mWidth >= D.mWidth, aShrinkY = S.mHeight >= D.mHeight;
  static thread_local std::vector<Cell> sm_Horz, sm_Vert;
  static thread_local std::vector<HorzTap> sm_Taps;
  static thread_local std::vector<uint32_t> sm_Row;
  // The whole intermediate is only made below, past the enlarging path that does without it.
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

  if (!aShrinkX && !aShrinkY && theColor == Color::White && theDrawMode != DRAWMODE_ADDITIVE && !mirror) {
    // Enlarging white: the same sums, but only the two source rows an output row needs are
    // kept, as 16-bit channels (a horizontal sum is at most 255 * 257), and each output row
    // is mixed and laid over in vector rows.
    static thread_local std::vector<uint16_t> sm_Rows;
    uint16_t* aRows[2] = {Scratch(sm_Rows, size_t(D.mWidth) * 8), nullptr};
    aRows[1] = aRows[0] + size_t(D.mWidth) * 4;
    int aRowOf[2] = {-1, -1};
    static thread_local std::vector<int> sm_Lefts, sm_Rights;
    static thread_local std::vector<uint16_t> sm_Weights;
    int* aLefts = Scratch(sm_Lefts, size_t(D.mWidth));
    int* aRights = Scratch(sm_Rights, size_t(D.mWidth));
    uint16_t* aWeights = Scratch(sm_Weights, size_t(D.mWidth) * 8);
    for (int k = 0; k < D.mWidth; ++k) {
      aLefts[k] = aTaps[k].mLeft;
      aRights[k] = aTaps[k].mRight;
      std::fill_n(aWeights + 8 * k, 4, uint16_t(aTaps[k].mWeightLeft));
      std::fill_n(aWeights + 8 * k + 4, 4, uint16_t(aTaps[k].mWeightRight));
    }
    auto aHorzRow = [&](int j) -> const uint16_t* {
      for (int k = 0; k < 2; ++k)
        if (aRowOf[k] == j) return aRows[k];
      // The row kept longest ago goes (rows are asked for top to bottom).
      int aSlot = aRowOf[0] < aRowOf[1] ? 0 : 1;
      BlitSimd::StretchHorzRow(aRows[aSlot], aSourceRow(j), aLefts, aRights, aWeights, D.mWidth);
      aRowOf[aSlot] = j;
      return aRows[aSlot];
    };
    uint32_t* aDestBits = GetBits();
    const double aStep = D.mHeight == 1 ? S.mHeight / D.mHeight : (S.mHeight - 1) / (D.mHeight - 1);
    for (int k = 1; k <= D.mHeight; ++k) {
      double y = (S.mY - std::trunc(S.mY)) + (k - 1) * aStep;
      int iy = int(y);
      uint32_t wt = uint32_t(256.0 * (1.0 - (y - iy)));
      int aTopRow = std::min(std::max(iy, 0), h0 - 1);
      int aBottomRow = std::min(aTopRow + 1, h0 - 1);
      const uint16_t* aTop = aHorzRow(aTopRow);
      const uint16_t* aBottom = aHorzRow(aBottomRow);
      BlitSimd::StretchMixOverRow(aDestBits + (D.mY + k - 1) * mWidth + D.mX, aTop, aBottom, wt, D.mWidth);
    }
    BitsChanged();
    return;
  }
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
  uint32_t* aDestBits = GetBits();
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
    const uint8_t* T = GetAddClampTable();
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
  BitsChanged();
}

}  // namespace Tesk

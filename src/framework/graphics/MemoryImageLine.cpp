// The line loops of MemoryImage: midpoint lines in normal and additive mode, and Wu's anti-aliased line.
#include <algorithm>
#include <cmath>
#include <utility>

#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"

namespace Tesk {

namespace {

// The saturating conversion of the anti-aliased line's error terms.
uint32_t ToErrorWord(double theValue) {
  if (!(theValue > 0)) return 0;
  if (theValue >= 4294967295.0) return 4294967295u;
  return uint32_t(theValue);
}

// The midpoint walk shared by both aliased lines; thePut(x, y) writes one pixel.
template <class Put>
void WalkLine(double x1, double y1, double x2, double y2, bool theStartCorrection, Put thePut) {
  double aMinX = std::min(x1, x2), aMaxX = std::max(x1, x2);
  double aMinY = std::min(y1, y2), aMaxY = std::max(y1, y2);
  double dx = x2 - x1, dy = y2 - y1;
  bool aYMajor = std::abs(int(dy)) >= std::abs(int(dx));
  if ((aYMajor && dy < 0) || (!aYMajor && dx < 0)) {
    std::swap(x1, x2);
    std::swap(y1, y2);
    dx = -dx;
    dy = -dy;
  }
  int x = int(x1), y = int(y1);
  thePut(x, y);
  if (aYMajor) {
    int aStep = 1;
    if (dx < 0) {
      dx = -dx;
      aStep = -1;
    }
    int d = int(2 * dx - dy);
    int aStraight = int(2 * dx), aDiagonal = int(2 * (dx - dy));
    if (theStartCorrection) d = int((x1 - int(x1)) * 2 * dx + d);
    for (y = int(y1 + 1); y <= y2; ++y) {
      if (d < 1) {
        d += aStraight;
      } else {
        d += aDiagonal;
        x += aStep;
        if (x < aMinX || x > aMaxX) break;
      }
      thePut(x, y);
    }
  } else {
    int aStep = 1;
    if (dy < 0) {
      dy = -dy;
      aStep = -1;
    }
    int d = int(2 * dy - dx);
    int aStraight = int(2 * dy), aDiagonal = int(2 * (dy - dx));
    if (theStartCorrection) d = int((x1 - int(x1)) * 2 * dy + d);
    for (x = int(x1 + 1); x <= x2; ++x) {
      if (d < 1) {
        d += aStraight;
      } else {
        d += aDiagonal;
        y += aStep;
        if (y < aMinY || y > aMaxY) break;
      }
      thePut(x, y);
    }
  }
}

// Horizontal and vertical lines, plain or anti-aliased, are one-pixel rectangles.
bool FillAxisAlignedLine(MemoryImage& theImage, double theStartX, double theStartY, double theEndX,
                         double theEndY, const Color& theColor, int theDrawMode) {
  if (theStartY == theEndY) {
    int aLeft = int(std::min(theStartX, theEndX)), aRight = int(std::max(theStartX, theEndX));
    theImage.FillRect(TRect<int>(aLeft, int(theStartY), aRight - aLeft + 1, 1), theColor, theDrawMode);
    return true;
  }
  if (theStartX == theEndX) {
    double aTop = std::min(theStartY, theEndY), aBottom = std::max(theStartY, theEndY);
    theImage.FillRect(TRect<int>(int(theStartX), int(aTop), 1, int(aBottom - aTop + 1)), theColor,
                      theDrawMode);
    return true;
  }
  return false;
}

}  // namespace

void MemoryImage::DrawLine(double theStartX, double theStartY, double theEndX, double theEndY,
                           const Color& theColor, int theDrawMode) {
  if (FillAxisAlignedLine(*this, theStartX, theStartY, theEndX, theEndY, theColor, theDrawMode)) return;
  if (theDrawMode == DRAWMODE_NORMAL)
    NormalDrawLine(theStartX, theStartY, theEndX, theEndY, theColor);
  else if (theDrawMode == DRAWMODE_ADDITIVE)
    AdditiveDrawLine(theStartX, theStartY, theEndX, theEndY, theColor);
  else
    return;
  BitsChanged();
}

void MemoryImage::DrawLineAA(double theStartX, double theStartY, double theEndX, double theEndY,
                             const Color& theColor, int theDrawMode) {
  if (FillAxisAlignedLine(*this, theStartX, theStartY, theEndX, theEndY, theColor, theDrawMode)) return;
  if (theDrawMode == DRAWMODE_NORMAL)
    NormalDrawLineAA(theStartX, theStartY, theEndX, theEndY, theColor);
  else if (theDrawMode == DRAWMODE_ADDITIVE)
    AdditiveDrawLineAA(theStartX, theStartY, theEndX, theEndY, theColor);
  else
    return;
  BitsChanged();
}

void MemoryImage::NormalDrawLine(double theStartX, double theStartY, double theEndX, double theEndY,
                                 const Color& theColor) {
  uint32_t* aBits = GetBits();
  const uint32_t a = uint32_t(theColor.mAlpha);
  uint32_t r = uint32_t(theColor.mRed), g = uint32_t(theColor.mGreen), b = uint32_t(theColor.mBlue);
  if (a != 255) {
    r = (a * r + 128) >> 8;
    g = (a * g + 128) >> 8;
    b = (a * b + 128) >> 8;
  }
  const uint32_t aPlaced = (((r * 0xFF0000 + 0x7F8000) >> 8) & 0xFF0000) |
                           (((g * 0xFF00 + 0x7F80) >> 8) & 0xFF00) | (((b * 0xFF + 0x7F) >> 8) & 0xFF);
  const int aWidth = mWidth, aHeight = mHeight;
  WalkLine(theStartX, theStartY, theEndX, theEndY, true, [&](int x, int y) {
    // The drawing context clips the ends; a stray pixel is dropped rather than written outside.
    if (x < 0 || y < 0 || x >= aWidth || y >= aHeight) return;
    uint32_t& d = aBits[y * aWidth + x];
    if (a == 255) {
      d = 0xFF000000 | aPlaced;
      return;
    }
    uint32_t oa = 256 - a;
    uint32_t aKept =
        ((((oa * (d & 0xFF0000) + 0x7F8000) >> 8) & 0xFF0000) |
         (((oa * (d & 0xFF00) + 0x7F80) >> 8) & 0xFF00) | (((oa * (d & 0xFF) + 0x7F) >> 8) & 0xFF));
    // The alpha is the over composition of the line's alpha on the pixel's.
    uint32_t da = d >> 24;
    uint32_t na = da + ((255 - da) * a) / 255;
    d = (na << 24) | (aKept + aPlaced);
  });
}

void MemoryImage::AdditiveDrawLine(double theStartX, double theStartY, double theEndX, double theEndY,
                                   const Color& theColor) {
  uint32_t* aBits = GetBits();
  const uint8_t* T = GetAddClampTable();
  const uint32_t a = uint32_t(theColor.mAlpha);
  const uint32_t r = uint32_t(theColor.mRed) * a / 255, g = uint32_t(theColor.mGreen) * a / 255,
                 b = uint32_t(theColor.mBlue) * a / 255;
  const int aWidth = mWidth, aHeight = mHeight;
  WalkLine(theStartX, theStartY, theEndX, theEndY, false, [&](int x, int y) {
    if (x < 0 || y < 0 || x >= aWidth || y >= aHeight) return;
    uint32_t& d = aBits[y * aWidth + x];
    d = 0xFF000000 | (uint32_t(T[((d >> 16) & 0xFF) + r]) << 16) | (uint32_t(T[((d >> 8) & 0xFF) + g]) << 8) |
        T[(d & 0xFF) + b];
  });
}

void MemoryImage::NormalDrawLineAA(double theStartX, double theStartY, double theEndX, double theEndY,
                                   const Color& theColor) {
  uint32_t* aBits = GetBits();
  const uint32_t aColorAlpha = uint32_t(theColor.mAlpha);
  const uint32_t cR = uint32_t(theColor.mRed) & 0xFF, cG = uint32_t(theColor.mGreen) & 0xFF,
                 cB = uint32_t(theColor.mBlue) & 0xFF;
  const int aWidth = mWidth, aHeight = mHeight;
  auto aPut = [&](int x, int y, uint32_t w) {
    if (x < 0 || y < 0 || x >= aWidth || y >= aHeight) return;
    if (aColorAlpha < 255) w = ((aColorAlpha + 1) * w) >> 8;
    uint32_t& d = aBits[y * aWidth + x];
    uint32_t D = d >> 24;
    uint32_t A = ((255 - D) * w) / 255 + D;
    if (A == 0) return;
    uint32_t f = (w * 255) / A;
    uint32_t aRed = ((cR * f + (256 - f) * ((d >> 16) & 0xFF)) >> 8) & 0xFF;
    uint32_t aGreen = ((cG * f + (256 - f) * ((d >> 8) & 0xFF)) >> 8) & 0xFF;
    uint32_t aBlue = ((cB * f + (256 - f) * (d & 0xFF)) >> 8) & 0xFF;
    d = (A << 24) | (aRed << 16) | (aGreen << 8) | aBlue;
  };

  double x1 = theStartX, y1 = theStartY, x2 = theEndX, y2 = theEndY;
  if (int(y1) > int(y2)) {
    std::swap(x1, x2);
    std::swap(y1, y2);
  }
  int ix1 = int(x1), iy1 = int(y1), ix2 = int(x2), iy2 = int(y2);
  int ix = ix2 - ix1, iy = iy2 - iy1;
  int aXStep = 1;
  if (ix < 0) {
    ix = -ix;
    aXStep = -1;
  }
  uint32_t anError = ToErrorWord(65536.0 * (std::fabs(x1 - ix1) * std::fabs(y1 - iy1)));
  aPut(ix1, iy1, 255 - ((anError >> 8) & 255));
  int x = ix1, y = iy1;
  if (ix < iy) {
    // The step is taken on the slope's size: the column direction is in aXStep.
    uint32_t aStep = ToErrorWord(65536.0 * std::fabs((x2 - x1) / (y2 - y1)));
    for (int i = 0; i < iy - 1; ++i) {
      anError += aStep;
      if (anError > 65535) {
        x += aXStep;
        anError &= 0xFFFF;
      }
      ++y;
      aPut(x, y, 255 - (anError >> 8));
      aPut(x + aXStep, y, anError >> 8);
    }
  } else if (ix > 0) {
    uint32_t aStep = ToErrorWord(65536.0 * std::fabs((y2 - y1) / (x2 - x1)));
    for (int i = 0; i < ix - 1; ++i) {
      anError += aStep;
      if (anError > 65535) {
        ++y;
        anError &= 0xFFFF;
      }
      x += aXStep;
      aPut(x, y, 255 - (anError >> 8));
      aPut(x, y + 1, anError >> 8);
    }
  }
  aPut(ix2, iy2, 255 - ((anError >> 8) & 255));
}

// An anti-aliased additive line that is neither level nor upright draws nothing.
void MemoryImage::AdditiveDrawLineAA(double, double, double, double, const Color&) {}

}  // namespace Tesk

// A rectangle: the left and top edges are inside, the right and bottom edges
// (mX+mWidth, mY+mHeight) are outside. Nothing normalises negative sizes.
#pragma once

#include <algorithm>

#include "graphics/tagRECT.h"

namespace Tesk {

template <class T>
class TRect {
 public:
  T mX;
  T mY;
  T mWidth;
  T mHeight;

  TRect() : mX(0), mY(0), mWidth(0), mHeight(0) {}
  TRect(T theX, T theY, T theWidth, T theHeight) : mX(theX), mY(theY), mWidth(theWidth), mHeight(theHeight) {}
  TRect(const TRect<T>& theRect) = default;
  TRect& operator=(const TRect<T>& theRect) = default;

  bool Contains(T theX, T theY) const {
    return theX >= mX && theX < mX + mWidth && theY >= mY && theY < mY + mHeight;
  }

  // Rectangles that only touch do not intersect.
  bool Intersects(const TRect<T>& theRect) const {
    return theRect.mX + theRect.mWidth > mX && theRect.mY + theRect.mHeight > mY &&
           theRect.mX < mX + mWidth && theRect.mY < mY + mHeight;
  }

  // Touching rectangles give a zero-width or zero-height rectangle at the shared edge.
  TRect<T> Intersection(const TRect<T>& theRect) const {
    T aLeft = std::max(mX, theRect.mX);
    T aTop = std::max(mY, theRect.mY);
    T aRight = std::min(mX + mWidth, theRect.mX + theRect.mWidth);
    T aBottom = std::min(mY + mHeight, theRect.mY + theRect.mHeight);
    T aWidth = aRight - aLeft;
    T aHeight = aBottom - aTop;
    if (aWidth < 0 || aHeight < 0) return TRect<T>();
    return TRect<T>(aLeft, aTop, aWidth, aHeight);
  }

  void Offset(T theDX, T theDY) {
    mX += theDX;
    mY += theDY;
  }

  bool operator==(const TRect<T>& theRect) const {
    return mX == theRect.mX && mY == theRect.mY && mWidth == theRect.mWidth && mHeight == theRect.mHeight;
  }
  bool operator!=(const TRect<T>& theRect) const { return !(*this == theRect); }

  tagRECT ToRECT() const {
    tagRECT aRect;
    aRect.left = static_cast<int>(mX);
    aRect.top = static_cast<int>(mY);
    aRect.right = static_cast<int>(mX + mWidth);
    aRect.bottom = static_cast<int>(mY + mHeight);
    return aRect;
  }
};

typedef TRect<int> Rect;

}  // namespace Tesk

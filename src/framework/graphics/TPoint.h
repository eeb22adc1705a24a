#pragma once

namespace Tesk {

template <class T>
class TPoint {
 public:
  T mX;
  T mY;

  TPoint() : mX(0), mY(0) {}
  TPoint(T theX, T theY) : mX(theX), mY(theY) {}
  TPoint(const TPoint<T>& thePoint) = default;
  TPoint& operator=(const TPoint<T>& thePoint) = default;

  TPoint<T> operator+(const TPoint<T>& thePoint) const {
    return TPoint<T>(mX + thePoint.mX, mY + thePoint.mY);
  }
  bool operator==(const TPoint<T>& thePoint) const { return mX == thePoint.mX && mY == thePoint.mY; }
};

typedef TPoint<int> Point;

}  // namespace Tesk

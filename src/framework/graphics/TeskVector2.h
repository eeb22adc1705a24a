#pragma once

#include <cmath>

namespace Tesk {

class TeskVector2 {
 public:
  float x;
  float y;

  TeskVector2() : x(0), y(0) {}
  TeskVector2(float theX, float theY) : x(theX), y(theY) {}

  TeskVector2 operator-(const TeskVector2& v) const { return TeskVector2(x - v.x, y - v.y); }
  TeskVector2 operator/(float s) const { return TeskVector2(x / s, y / s); }
  TeskVector2& operator+=(const TeskVector2& v) {
    x += v.x;
    y += v.y;
    return *this;
  }
  TeskVector2& operator*=(float s) {
    x *= s;
    y *= s;
    return *this;
  }
  TeskVector2& operator/=(float s) {
    x /= s;
    y /= s;
    return *this;
  }

  float Magnitude() const { return sqrtf(x * x + y * y); }
};

}  // namespace Tesk

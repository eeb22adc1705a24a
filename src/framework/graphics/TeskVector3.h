#pragma once

namespace Tesk {

class TeskVector3 {
 public:
  float x;
  float y;
  float z;

  TeskVector3() : x(0), y(0), z(0) {}
  TeskVector3(float theX, float theY, float theZ) : x(theX), y(theY), z(theZ) {}
};

}  // namespace Tesk

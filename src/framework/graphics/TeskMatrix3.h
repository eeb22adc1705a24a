// A 3x3 float matrix of 2-D affine transforms, m[row][column]; points are column
// vectors (x, y, 1), so the translation sits in m[0][2] and m[1][2].
#pragma once

#include "graphics/TeskVector2.h"
#include "graphics/TeskVector3.h"

namespace Tesk {

class TeskMatrix3 {
 public:
  float m[3][3];

  // Leaves the values unset, as callers fill them at once.
  TeskMatrix3() {}

  void LoadIdentity();

  TeskMatrix3 operator*(const TeskMatrix3& theMat) const;
  TeskVector2 operator*(const TeskVector2& theVec) const;
  TeskVector3 operator*(const TeskVector3& theVec) const;
};

}  // namespace Tesk

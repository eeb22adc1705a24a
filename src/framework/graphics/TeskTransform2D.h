// A matrix built up from the identity; each builder multiplies on the left, so
// the operation added last is applied last to a point.
#pragma once

#include "graphics/TeskMatrix3.h"

namespace Tesk {

class TeskTransform2D : public TeskMatrix3 {
 public:
  TeskTransform2D() { LoadIdentity(); }
  TeskTransform2D(const TeskMatrix3& theMat) : TeskMatrix3(theMat) {}
  TeskTransform2D& operator=(const TeskMatrix3& theMat) {
    TeskMatrix3::operator=(theMat);
    return *this;
  }

  void Translate(float tx, float ty);
  void RotateRad(float theRot);
  void Scale(float sx, float sy);
};

}  // namespace Tesk

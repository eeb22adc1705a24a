#include "graphics/TeskTransform2D.h"

#include <cmath>

namespace Tesk {

void TeskTransform2D::Translate(float tx, float ty) {
  TeskMatrix3 aMat;
  aMat.LoadIdentity();
  aMat.m[0][2] = tx;
  aMat.m[1][2] = ty;
  *this = aMat * *this;
}

void TeskTransform2D::RotateRad(float theRot) {
  TeskMatrix3 aMat;
  aMat.LoadIdentity();
  float aSin = sinf(theRot);
  float aCos = cosf(theRot);
  aMat.m[0][0] = aCos;
  aMat.m[0][1] = aSin;
  aMat.m[1][0] = -aSin;
  aMat.m[1][1] = aCos;
  *this = aMat * *this;
}

void TeskTransform2D::Scale(float sx, float sy) {
  TeskMatrix3 aMat;
  aMat.LoadIdentity();
  aMat.m[0][0] = sx;
  aMat.m[1][1] = sy;
  *this = aMat * *this;
}

}  // namespace Tesk

#include "graphics/TeskMatrix3.h"

namespace Tesk {

void TeskMatrix3::LoadIdentity() {
  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j) m[i][j] = (i == j) ? 1.0f : 0.0f;
}

TeskMatrix3 TeskMatrix3::operator*(const TeskMatrix3& theMat) const {
  TeskMatrix3 aResult;
  for (int i = 0; i < 3; ++i) {
    for (int j = 0; j < 3; ++j) {
      float aSum = 0;
      for (int k = 0; k < 3; ++k) aSum += m[i][k] * theMat.m[k][j];
      aResult.m[i][j] = aSum;
    }
  }
  return aResult;
}

TeskVector2 TeskMatrix3::operator*(const TeskVector2& theVec) const {
  return TeskVector2(m[0][2] + (m[0][0] * theVec.x + m[0][1] * theVec.y),
                     m[1][0] * theVec.x + m[1][1] * theVec.y + m[1][2]);
}

TeskVector3 TeskMatrix3::operator*(const TeskVector3& theVec) const {
  return TeskVector3(m[0][0] * theVec.x + m[0][1] * theVec.y + m[0][2] * theVec.z,
                     m[1][0] * theVec.x + m[1][1] * theVec.y + m[1][2] * theVec.z,
                     m[2][0] * theVec.x + m[2][1] * theVec.y + m[2][2] * theVec.z);
}

}  // namespace Tesk

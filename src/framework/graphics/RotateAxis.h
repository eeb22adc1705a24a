// The span narrowing of the rotated blits: per axis, the part of a destination row whose
// bilinear taps all lie in the source rectangle.
#pragma once

#include <algorithm>
#include <cstdint>

namespace Tesk {

// n / d rounded toward zero, as integer division rounds. In double precision when |n| < 2^36
// and |d| <= 2^16, where it is exact (a quotient that is not whole lies at least 1 / |d| from
// the next whole number, far beyond the rounding) and quicker than a 64-bit divide.
inline int64_t DivideTowardZero(int64_t n, int64_t d) {
  if (n > -(int64_t(1) << 36) && n < (int64_t(1) << 36) && d >= -65536 && d <= 65536)
    return int64_t(double(n) / double(d));
  return n / d;
}

// Narrows [theLeft, theRight] along one axis; false when the row misses the source.
// theNegRight is the right bound's margin for a negative step, which differs by axis.
inline bool NarrowRotateAxis(int32_t p, int32_t dp, int64_t theSize, int64_t theNegRight, int& theLeft,
                             int& theRight) {
  if (dp < 0) {
    if ((p >> 16) < 0) return false;
    theLeft = int(std::max<int64_t>(theLeft, DivideTowardZero((theSize << 16) - p - 0x27FFF, dp)));
    theRight = int(std::min<int64_t>(theRight, DivideTowardZero(theNegRight - p, dp)));
  } else if (dp == 0) {
    if (p < 0 || p >= ((theSize - 1) << 16)) return false;
  } else {
    if ((p >> 16) >= theSize - 1) return false;
    theLeft = int(std::max<int64_t>(theLeft, DivideTowardZero(0x10000 - int64_t(p), dp)));
    theRight = int(std::min<int64_t>(theRight, DivideTowardZero((theSize << 16) - p - 0x17FFF, dp)));
  }
  return true;
}

}  // namespace Tesk

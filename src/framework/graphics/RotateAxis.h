// The span narrowing of the rotated blits: per axis, the part of a destination row whose
// bilinear taps all lie in the source rectangle.
#pragma once

#include <algorithm>
#include <cstdint>

namespace Tesk {

// Narrows [theLeft, theRight] along one axis; false when the row misses the source.
// theNegRight is the right bound's margin for a negative step, which differs by axis.
inline bool NarrowRotateAxis(int32_t p, int32_t dp, int64_t theSize, int64_t theNegRight, int& theLeft,
                             int& theRight) {
  if (dp < 0) {
    if ((p >> 16) < 0) return false;
    theLeft = int(std::max<int64_t>(theLeft, ((theSize << 16) - p - 0x27FFF) / dp));
    theRight = int(std::min<int64_t>(theRight, (theNegRight - p) / dp));
  } else if (dp == 0) {
    if (p < 0 || p >= ((theSize - 1) << 16)) return false;
  } else {
    if ((p >> 16) >= theSize - 1) return false;
    theLeft = int(std::max<int64_t>(theLeft, (0x10000 - int64_t(p)) / dp));
    theRight = int(std::min<int64_t>(theRight, ((theSize << 16) - p - 0x17FFF) / dp));
  }
  return true;
}

}  // namespace Tesk

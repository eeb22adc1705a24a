// An integer fraction kept in lowest terms (the screen's aspect ratio).
#pragma once

#include <cstdint>

namespace Tesk {

class Ratio {
 public:
  Ratio() = default;
  Ratio(int32_t theNumerator, int32_t theDenominator) { Set(theNumerator, theDenominator); }

  // Reduces by the greatest common divisor. 0/0 has none and leaves the ratio as it was.
  void Set(int32_t theNumerator, int32_t theDenominator);

  bool operator==(const Ratio& theOther) const {
    return mNumerator == theOther.mNumerator && mDenominator == theOther.mDenominator;
  }
  bool operator!=(const Ratio& theOther) const { return !(*this == theOther); }

  int32_t mNumerator = 1;
  int32_t mDenominator = 1;
};

}  // namespace Tesk

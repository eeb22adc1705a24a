#include "core/Ratio.h"

namespace Tesk {

void Ratio::Set(int32_t theNumerator, int32_t theDenominator) {
  int64_t aDivisor = theNumerator;
  int64_t aRemainder = theDenominator;
  while (aRemainder != 0) {
    int64_t aNext = aDivisor % aRemainder;
    aDivisor = aRemainder;
    aRemainder = aNext;
  }
  if (aDivisor == 0) return;
  mNumerator = static_cast<int32_t>(theNumerator / aDivisor);
  mDenominator = static_cast<int32_t>(theDenominator / aDivisor);
}

}  // namespace Tesk

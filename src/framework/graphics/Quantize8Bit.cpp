#include "graphics/Quantize8Bit.h"

#include <cstring>

namespace Tesk {

bool Quantize8Bit(const uint32_t* theSrc, int theWidth, int theHeight, uint8_t* theIndices,
                  uint32_t* thePalette) {
  int aSize = theWidth * theHeight;
  if (aSize <= 0) return true;

  // Colours seen so far, sorted, with each one's palette index beside it.
  uint32_t aSorted[256];
  uint8_t aSortedIndex[256];
  int aCount = 1;
  aSorted[0] = theSrc[0];
  aSortedIndex[0] = 0;
  thePalette[0] = theSrc[0];
  theIndices[0] = 0;

  for (int i = 1; i < aSize; ++i) {
    uint32_t aColor = theSrc[i];
    int aLow = 0;
    int aHigh = aCount - 1;
    bool aFound = false;
    while (aLow <= aHigh) {
      int aMid = (aLow + aHigh) / 2;
      if (aColor > aSorted[aMid]) {
        aLow = aMid + 1;
      } else if (aColor < aSorted[aMid]) {
        aHigh = aMid - 1;
      } else {
        theIndices[i] = aSortedIndex[aMid];
        aFound = true;
        break;
      }
    }
    if (aFound) continue;
    if (aCount == 256) return false;
    if (aLow < aCount && aSorted[aLow] < aColor) ++aLow;
    std::memmove(aSorted + aLow + 1, aSorted + aLow, (aCount - aLow) * sizeof(uint32_t));
    std::memmove(aSortedIndex + aLow + 1, aSortedIndex + aLow, aCount - aLow);
    aSorted[aLow] = aColor;
    aSortedIndex[aLow] = static_cast<uint8_t>(aCount);
    thePalette[aCount] = aColor;
    theIndices[i] = static_cast<uint8_t>(aCount);
    ++aCount;
  }
  return true;
}

}  // namespace Tesk

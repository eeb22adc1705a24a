#pragma once

#include <cstdint>

namespace Tesk {

// Builds an exact palette, in order of first appearance, so that
// thePalette[theIndices[i]] == theSrc[i]. False when there are more than 256
// distinct words (alpha counts); the outputs are then partly written.
bool Quantize8Bit(const uint32_t* theSrc, int theWidth, int theHeight, uint8_t* theIndices,
                  uint32_t* thePalette);

}  // namespace Tesk

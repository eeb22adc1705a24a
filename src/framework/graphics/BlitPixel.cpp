#include "graphics/BlitPixel.h"

#include <array>

namespace Tesk {
namespace BlitPixel {

namespace {

// Built by the compiler, so the table is whole before any code runs. For p = 0
// the entry keeps the destination (na = da, w = 0), which the vector rows rely
// on; otherwise na >= p > 0.
constexpr std::array<uint16_t, 65536> MakeOverWeights() {
  std::array<uint16_t, 65536> aTable{};
  for (uint32_t da = 0; da < 256; ++da) {
    aTable[da << 8] = uint16_t(da << 8);
    for (uint32_t p = 1; p < 256; ++p) {
      uint32_t na = ((255 - da) * p) / 255 + da;
      uint32_t w = (p * 255) / na;
      aTable[(da << 8) | p] = uint16_t((na << 8) | w);
    }
  }
  return aTable;
}

}  // namespace

constexpr std::array<uint16_t, 65536> k_OverWeights = MakeOverWeights();

}  // namespace BlitPixel
}  // namespace Tesk

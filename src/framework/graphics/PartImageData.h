// One particle sprite sheet: rows x columns of equal cells and its animation timing.
#pragma once

#include <cstdint>

namespace Tesk {
class Image;
}

namespace PARTICLE {

struct PartImageData {
  Tesk::Image* m_image = nullptr;
  uint8_t m_cellWidth = 0;
  uint8_t m_cellHeight = 0;
  uint8_t m_rows : 4;
  uint8_t m_cols : 4;
  uint8_t m_frameCount = 0;
  uint8_t m_frameDelay = 0;

  PartImageData() : m_rows(0), m_cols(0) {}
};

}  // namespace PARTICLE

// One tile of the chant game's field.
#pragma once

#include <cstdint>

namespace Tesk {

class Image;

struct WordStruct {
  int16_t x;  // centre of the tile's grid cell
  int16_t y;
  int8_t xOffset;  // from the centre to the image's top-left, jitter included
  int8_t yOffset;
  Image* image;  // an entry of the screen's image table
  uint8_t visible;
  uint32_t partIndex;  // into s_wordGameStringList and the image table
};

}  // namespace Tesk

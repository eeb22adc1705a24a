#pragma once

#include <cstdint>

namespace Tesk {

// A vertex of a textured triangle; a colour of 0 means the vertex adds no colour.
struct TriVertex {
  float x;
  float y;
  float u;
  float v;
  uint32_t color;
};

}  // namespace Tesk

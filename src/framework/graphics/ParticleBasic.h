// One particle record. Fields are packed as the pools are walked every update.
#pragma once

#include <cstdint>

#include "graphics/Color.h"

namespace PARTICLE {

struct PartImageData;

class ParticleBasic {
 public:
  PartImageData* m_partImage = nullptr;
  Tesk::Color m_color;
  float m_x = 0, m_y = 0;
  float m_vx = 0, m_vy = 0;
  float m_ax = 0, m_ay = 0;
  float m_scale = 0;
  float m_scaleSpeed = 0;
  float m_alpha = 0;
  float m_alphaSpeed = 0;
  uint8_t m_frame : 4;
  uint8_t m_frameTimer : 4;
  int16_t m_life = 0;
  uint8_t m_drawMode = 0;
  uint8_t m_type : 6;  // 0: the slot is free
  uint8_t m_frameStep : 2;

  ParticleBasic() : m_color(0, 0, 0, 255), m_frame(0), m_frameTimer(0), m_type(0), m_frameStep(0) {}
};

}  // namespace PARTICLE

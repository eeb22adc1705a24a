// An emitter: creates particles over time, in one burst, or along a spiral.
#pragma once

#include <cstdint>

namespace PARTICLE {

class ParticleSystem {
 public:
  uint16_t m_x = 0;
  uint16_t m_y = 0;
  uint16_t m_param1 = 0;
  uint16_t m_param2 = 0;
  uint8_t m_type = 0;  // 0: the record is free
  uint16_t m_width = 0;
  uint16_t m_height = 0;
  uint16_t m_duration = 0;
  int16_t m_interval = 0;

  void kill() { m_type = 0; }
  void update();
};

extern const float k_objectFoundDivisorMultiplier;
extern const float k_HIGHLIGHT_AREA_MULTIPLIER;
// Shared by every type-5 emitter: they take turns between two particle types.
extern int s_invalidOn;

// Interval of a homing emitter over an area, 6..16 updates.
int16_t homingInterval(float theArea);
// Interval of a highlight emitter over an area.
int16_t highlightInterval(float theArea);

ParticleSystem* createSystem(int theX, int theY, int theType, int theWidth, int theHeight, int theParam1,
                             int theParam2, ParticleSystem* theSystem);
ParticleSystem* createSystem(int theX, int theY, int theType, int theSize, ParticleSystem* theSystem);
ParticleSystem* createSystem(int theX, int theY, int theType, int theWidth, int theHeight,
                             ParticleSystem* theSystem);
ParticleSystem* modifySystem(int theType, ParticleSystem* theSystem);

}  // namespace PARTICLE

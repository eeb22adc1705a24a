// Eyes at location 2 that follow the mouse.
#pragma once

#include <cstdint>

namespace PARTICLE {
class ParticleSystem;
}
namespace Tesk {
class Graphics;
class Image;
class WidgetManager;
}  // namespace Tesk

class EyeChaser {
 public:
  EyeChaser();

  static void setActive(bool on) { s_activeAtThisLocation = on; }
  void init();
  // theManager gives the mouse position.
  void update(bool repelled, Tesk::WidgetManager* theManager);
  void draw(Tesk::Graphics* g, float theAlpha);
  void repel();
  void setChasing(bool on) { m_chasing = on ? 1 : 0; }

  uint8_t m_chasing;
  Tesk::Image* m_image;
  uint16_t m_x;
  uint16_t m_y;
  float m_offset[2];
  PARTICLE::ParticleSystem* m_puff;

  static bool s_activeAtThisLocation;
};

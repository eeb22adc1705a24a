// Glowing eyes that light up now and then.
#pragma once

#include <cstdint>

namespace PARTICLE {
class ParticleSystem;
}
namespace Tesk {
class Graphics;
class Image;
}  // namespace Tesk

class EyeFire {
 public:
  struct EyeImage {
    Tesk::Image* m_image;
    uint16_t m_x;
    uint16_t m_y;
  };

  EyeFire();

  static void setActive(bool on) { s_activeAtThisLocation = on; }
  // Takes the images and places of theLocationId.
  void init(int theLocationId);
  void update(bool repelled);
  void draw(Tesk::Graphics* g, float theAlpha);
  void repel();
  void killFlames();

  uint8_t m_state;
  int32_t m_timer;  // -1 none
  float m_alpha;
  EyeImage m_images[2];
  PARTICLE::ParticleSystem* m_flames[2];
  PARTICLE::ParticleSystem* m_puffs[2];
  uint8_t m_repelled;
  uint8_t m_locationId;

  static bool s_activeAtThisLocation;
};

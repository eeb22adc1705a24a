// The snoring tree of location 10.
#pragma once

#include <cstdint>

#include "graphics/AnimationBasic.h"

namespace PARTICLE {
class ParticleSystem;
}
namespace Tesk {
class Graphics;
class SoundInstance;
}  // namespace Tesk

class Tree {
 public:
  Tree();

  static void setActive(bool on) { s_activeAtThisLocation = on; }
  void init();
  void update(bool repelled);
  void draw(Tesk::Graphics* g, float theAlpha);
  void repel();
  void cleanup();

  uint8_t m_state;
  uint16_t m_timer;  // 65535 none
  ANIM::AnimationBasic m_anim;
  PARTICLE::ParticleSystem* m_puff;
  uint8_t m_repelled;
  Tesk::SoundInstance* m_snoreIn;   // sound id 80
  Tesk::SoundInstance* m_snoreOut;  // sound id 81

  static bool s_activeAtThisLocation;
};

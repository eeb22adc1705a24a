// Eyes that open in the dark corners of a location.
#pragma once

#include <cstdint>

#include "graphics/AnimationBasic.h"
#include "graphics/TRect.h"

namespace PARTICLE {
class ParticleSystem;
}
namespace Tesk {
class Graphics;
}

class SpookyEyes {
 public:
  SpookyEyes();

  static void setActive(bool on) { s_activeAtThisLocation = on; }
  // Takes the hiding places of theLocationId.
  void init(int theLocationId);
  void update(bool repelled);
  void draw(Tesk::Graphics* g, float theAlpha);
  void repel();
  // The eyes open at a random hiding place (or their fixed one).
  void appear();

  uint8_t m_state;
  int16_t m_timer;
  uint8_t m_variant;
  ANIM::AnimationBasic m_anim;
  Tesk::TRect<short> m_hidingRects[15];
  uint8_t m_numHidingRects;
  PARTICLE::ParticleSystem* m_puff;
  uint8_t m_repelled;
  uint8_t m_locationId;

  static bool s_activeAtThisLocation;
};

// A book that flies across the location flapping its covers.
#pragma once

#include <cstdint>

#include "graphics/AnimationBasic.h"

namespace PARTICLE {
class ParticleSystem;
}
namespace Tesk {
class GameApp;
class Graphics;
class SoundInstance;
}  // namespace Tesk

class BookBird {
 public:
  BookBird();

  static void setActive(bool on) { s_activeAtThisLocation = on; }
  void init();
  void update(bool repelled);
  void draw(Tesk::Graphics* g, float theAlpha);
  void repel();
  void setNullState();
  bool clickedOnTest(int x, int y, Tesk::GameApp* theApp);
  void cleanup();
  void setNextDest();

  // State bits 0-7, bit 8 moving right, bits 9-12 the wing stroke (0 descending, 1 level,
  // 2 climbing), bit 13 blue book, bits 16-23 the speed.
  uint32_t m_flags;
  int32_t m_timer;
  float m_scale;
  float m_pos[2];
  float m_dest[2];
  float m_velocity[2];
  float m_bobPhase;
  float m_phaseStep;
  float m_bobAmplitude;
  ANIM::AnimationBasic m_anim;
  PARTICLE::ParticleSystem* m_puff;
  uint8_t m_leaving;
  float m_alpha;
  Tesk::SoundInstance* m_flapSound;

  static bool s_activeAtThisLocation;
};

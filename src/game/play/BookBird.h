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
  // Makes this book one of the location's; only those fly.
  void init();
  void update(bool repelled);
  void draw(Tesk::Graphics* g, float theAlpha);
  void repel();
  // State 0 and not one of the location's books.
  void setNullState();
  bool clickedOnTest(int x, int y, Tesk::GameApp* theApp);
  void cleanup();
  void setNextDest();
  // A new wing stroke, picked by the vertical speed.
  void startStroke();
  // One update in flight (state 4).
  void fly();

  int getState() const { return static_cast<int>(m_flags & k_stateMask); }
  void setState(int theState) {
    m_flags = (m_flags & ~k_stateMask) | (static_cast<uint32_t>(theState) & k_stateMask);
  }
  bool isMovingRight() const { return (m_flags & k_movingRight) != 0; }
  bool isBlue() const { return (m_flags & k_blue) != 0; }
  int getSpeed() const { return static_cast<int>((m_flags & k_speedMask) >> k_speedShift); }
  // 0 descending, 1 level, 2 climbing.
  int getWingStroke() const { return static_cast<int>((m_flags & k_strokeMask) >> k_strokeShift); }

  static constexpr uint32_t k_stateMask = 0xFF;
  static constexpr uint32_t k_movingRight = 1u << 8;
  static constexpr int k_strokeShift = 9;
  static constexpr uint32_t k_strokeMask = 0xFu << k_strokeShift;
  static constexpr uint32_t k_blue = 1u << 13;
  static constexpr int k_speedShift = 16;
  static constexpr uint32_t k_speedMask = 0xFFu << k_speedShift;

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
  bool m_inUse;

  static bool s_activeAtThisLocation;
};

// A spider that drops on its thread in a column of the play area, rests, climbs and falls away
// when repelled.
#pragma once

#include <cstdint>

#include "graphics/AnimationBasic.h"

namespace PARTICLE {
class ParticleSystem;
}
namespace Tesk {
class GameApp;
class Graphics;
}  // namespace Tesk

class Spider {
 public:
  // A span of the column the spider never drops in; width 0 is free.
  struct BlockedSpan {
    uint16_t m_start;
    uint16_t m_width;
  };

  Spider();

  static void setActive(bool on) { s_activeAtThisLocation = on; }
  void init(int theColumnStart, int theColumnWidth);
  void update(bool repelled);
  void draw(Tesk::Graphics* g, float theAlpha);
  void repel();
  // Idle and without a column: a spider the location does not use never appears.
  void setNullState();
  bool clickedOnTest(int x, int y, Tesk::GameApp* theApp);
  // Fills the first free blocked span with x - 32 and theWidth; a third is ignored.
  void setInvalidArea(int x, int theWidth);
  // Where an appearing spider hangs: a random place in its column outside the blocked spans.
  int pickColumnX();

  uint8_t m_state;
  uint16_t m_timer;
  BlockedSpan m_blocked[2];
  uint16_t m_columnStart;
  uint16_t m_columnWidth;
  float m_y;
  float m_speed;
  float m_acceleration;
  float m_alpha;
  ANIM::AnimationBasic m_anim;
  PARTICLE::ParticleSystem* m_puff;

  static bool s_activeAtThisLocation;
};

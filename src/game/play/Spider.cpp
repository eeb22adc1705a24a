#include "game/play/Spider.h"

#include <cstdlib>

#include "core/MTRand.h"
#include "game/play/DistractionSupport.h"
#include "game/play/Math.h"
#include "game/play/PlayConstants.h"
#include "game/shell/GameApp.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Color.h"
#include "graphics/Graphics.h"
#include "graphics/ParticleSystem.h"

using Tesk::k_sideBarWidth;
using Tesk::Rand;

namespace {
constexpr int k_spiderWidth = 32;
constexpr float k_speed = 0.06f;
constexpr float k_turnBackY = 340.0f;
constexpr float k_topY = 100.0f;

// The spider dangling or climbing, and resting on its thread.
void setClimbSheet(ANIM::AnimationBasic& theAnim, int theFrames) {
  if (!DISTRACTION::setSheet(theAnim, Tesk::GameApp::s_images[17], theFrames, 10, ANIM::Play, 2, 8)) return;
  theAnim.setColor(68, 36, 4);
  theAnim.setWrap(0);
}
}  // namespace

bool Spider::s_activeAtThisLocation = false;

Spider::Spider()
    : m_state(7),
      m_timer(0),
      m_blocked(),
      m_columnStart(0),
      m_columnWidth(0),
      m_y(0.0f),
      m_speed(0.0f),
      m_acceleration(0.0f),
      m_alpha(0.0f),
      m_puff(nullptr) {}

void Spider::init(int theColumnStart, int theColumnWidth) {
  s_activeAtThisLocation = true;
  m_state = 7;
  m_columnStart = static_cast<uint16_t>(theColumnStart);
  m_columnWidth = static_cast<uint16_t>(theColumnWidth);
  m_blocked[0] = m_blocked[1] = BlockedSpan{0, 0};
  m_puff = nullptr;
}

void Spider::setNullState() {
  m_state = 7;
  m_columnWidth = 0;
  m_blocked[0] = m_blocked[1] = BlockedSpan{0, 0};
}

void Spider::setInvalidArea(int x, int theWidth) {
  for (BlockedSpan& aSpan : m_blocked) {
    if (aSpan.m_width == 0) {
      aSpan = BlockedSpan{static_cast<uint16_t>(x - k_spiderWidth), static_cast<uint16_t>(theWidth)};
      return;
    }
  }
}

int Spider::pickColumnX() {
  // The spans are skipped over by shifting the pick past each one that starts before it.
  int aFree = m_columnWidth - k_spiderWidth - m_blocked[0].m_width - m_blocked[1].m_width;
  if (aFree < 1) aFree = 1;
  int p = Rand() % aFree;
  for (const BlockedSpan& aSpan : m_blocked)
    if (aSpan.m_width != 0 && aSpan.m_start < p) p += aSpan.m_width;
  return m_columnStart + p + k_sideBarWidth;
}

void Spider::update(bool repelled) {
  if (!s_activeAtThisLocation || m_columnWidth == 0) return;
  switch (m_state) {
    case 7:
      if (!repelled) {
        m_state = 1;
        m_timer = static_cast<uint16_t>(Rand() % 500 + 1);
      }
      break;
    case 1:
      if (--m_timer == 0) m_state = 2;
      break;
    case 2:
      setClimbSheet(m_anim, 15);
      m_y = -40.0f;
      m_anim.setXY(pickColumnX(), static_cast<int>(m_y));
      m_speed = k_speed;
      m_acceleration = 0.0f;
      m_state = 3;
      break;
    case 3:
      m_y += m_speed;
      m_anim.setY(static_cast<int>(m_y));
      m_anim.update();
      if (m_anim.isInactive() || m_speed == 0.0f) {
        if (m_y > k_turnBackY) {
          m_speed = -k_speed;
          setClimbSheet(m_anim, 16);
        } else if (Rand() % 10 != 0) {
          // Near the top it only ever drops; lower down a coin of the C library picks.
          if (m_y < k_topY)
            m_speed = k_speed;
          else
            m_speed = (std::rand() & 1) != 0 ? -k_speed : k_speed;
          setClimbSheet(m_anim, 16);
        } else {
          m_speed = 0.0f;
          m_state = 4;
          DISTRACTION::setSheet(m_anim, Tesk::GameApp::s_images[16], 15, 10, ANIM::OnceHold, 2, 8);
          m_timer = static_cast<uint16_t>(Rand() % 300 + 200);
        }
        m_anim.setY(static_cast<int>(m_y));
      }
      break;
    case 4:
      --m_timer;
      m_anim.update();
      if (static_cast<int16_t>(m_timer) < 1) m_state = 3;
      break;
    case 5:
      m_speed = 0.0f;
      m_acceleration = 0.02f;
      DISTRACTION::setSheet(m_anim, Tesk::GameApp::s_images[16], 16, 30, ANIM::Play, 2, 8);
      m_anim.setY(static_cast<int>(m_y));
      m_alpha = 1.0f;
      m_state = 6;
      break;
    case 6:
      m_y += m_speed;
      m_speed += m_acceleration;
      m_anim.setY(static_cast<int>(m_y));
      m_anim.update();
      m_alpha -= 0.005f;
      if (m_alpha > 0.1f)
        DISTRACTION::movePuff(m_puff, m_anim.getX(), m_anim.getY());
      else
        DISTRACTION::killPuff(m_puff);
      if (m_alpha <= 0.0f || m_y >= 600.0f) m_state = 7;
      break;
    default:
      break;
  }
}

void Spider::draw(Tesk::Graphics* g, float theAlpha) {
  if (!s_activeAtThisLocation || m_state < 3 || m_state > 6) return;
  g->SetColorizeImages(true);
  if (m_state <= 4) {
    if (m_anim.getY() > -12) {
      const int aGrey = static_cast<int>(175.0f * theAlpha);
      g->SetColor(Tesk::Color(aGrey, aGrey, aGrey, 90));
      const int x = m_anim.getX() + 15;
      g->DrawLine(x, 0, x, m_anim.getY() + 12);
    }
    m_anim.setFadeValue(1.0f);
  } else {
    m_anim.setFadeValue(m_alpha > 0.0f ? m_alpha : 0.0f);
  }
  m_anim.draw(g, theAlpha);
}

void Spider::repel() {
  if (!s_activeAtThisLocation) return;
  if (m_state == 1 || m_state == 2) {
    m_state = 7;
  } else if (m_state == 3 || m_state == 4) {
    m_state = 5;
    DISTRACTION::startPuff(m_puff, m_anim.getX(), m_anim.getY(), m_anim.getCellWidth(),
                           m_anim.getCellHeight());
  }
}

bool Spider::clickedOnTest(int x, int y, Tesk::GameApp* theApp) {
  if (!s_activeAtThisLocation || (m_state != 3 && m_state != 4)) return false;
  const int aBoxX = m_anim.getX() + 10, aBoxY = m_anim.getY() + 10;
  const int aBoxW = m_anim.getCellWidth() - 20, aBoxH = m_anim.getCellHeight() - 20;
  if (!MATH::BBPointTest(x, y, aBoxX, aBoxY, aBoxW, aBoxH)) return false;
  repel();
  DISTRACTION::clickBurst(theApp, aBoxX, aBoxY, aBoxW, aBoxH);
  return true;
}

#include "game/play/BookBird.h"

#include <cmath>

#include "core/MTRand.h"
#include "game/play/DistractionSupport.h"
#include "game/play/Math.h"
#include "game/play/PlayConstants.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Graphics.h"
#include "sound/SoundInstance.h"

using Tesk::k_2Pi;
using Tesk::Rand;

namespace {
constexpr float k_leftEdge = 30.0f;
constexpr float k_rightEdge = 870.0f;
// Below this a left-moving book's puff would drift over the side bar.
constexpr float k_puffEndX = 116.0f;
}  // namespace

bool BookBird::s_activeAtThisLocation = false;

BookBird::BookBird()
    : m_flags(0),
      m_timer(0),
      m_scale(0.0f),
      m_pos(),
      m_dest(),
      m_velocity(),
      m_bobPhase(0.0f),
      m_phaseStep(0.0f),
      m_bobAmplitude(0.0f),
      m_puff(nullptr),
      m_leaving(0),
      m_alpha(0.0f),
      m_flapSound(nullptr),
      m_inUse(false) {}

void BookBird::init() {
  s_activeAtThisLocation = true;
  m_inUse = true;
  setState(0);
  m_puff = nullptr;
  m_alpha = 1.0f;
  DISTRACTION::takeInstance(m_flapSound, Tesk::AMBIENT_BOOK_FLAP);
}

void BookBird::cleanup() { DISTRACTION::releaseInstance(m_flapSound); }

void BookBird::setNullState() {
  setState(0);
  m_inUse = false;
}

void BookBird::setNextDest() {
  const float aSpeed = static_cast<float>(getSpeed());
  m_dest[0] = isMovingRight() ? m_pos[0] + aSpeed : m_pos[0] - aSpeed;
  m_dest[1] = m_pos[1] + Tesk::RandFSignedRange(80.0f, 100.0f);
  if (m_dest[1] < -35.0f)
    m_dest[1] = Tesk::RandF(40.0f, 100.0f) - 35.0f;
  else if (m_dest[1] > 450.0f)
    m_dest[1] = 375.0f - Tesk::RandF(40.0f, 100.0f);
  if (m_leaving != 0) m_dest[1] = m_pos[1] - 200.0f;
  m_velocity[0] = (m_dest[0] - m_pos[0]) / 200.0f;
  m_velocity[1] = (m_dest[1] - m_pos[1]) / 200.0f;
}

// A wing stroke picked by how the book is moving: climbing, level or descending.
void BookBird::startStroke() {
  const float vy = m_velocity[1];
  int aStroke, aFrames, aRows, aCols;
  Tesk::Image* anImage;
  float aPeriod;
  if (vy < -0.25f) {
    aStroke = 2, aFrames = 6, aRows = 1, aCols = 7, aPeriod = 60.0f;
    anImage = isBlue() ? Tesk::ANIM_BLUE_BOOK3 : Tesk::ANIM_BOOK3;
  } else if (vy <= 0.25f) {
    aStroke = 1, aFrames = 7, aRows = 2, aCols = 4, aPeriod = 70.0f;
    anImage = isBlue() ? Tesk::ANIM_BLUE_BOOK2 : Tesk::ANIM_BOOK2;
  } else {
    aStroke = 0, aFrames = 11, aRows = 2, aCols = 6, aPeriod = 110.0f;
    anImage = isBlue() ? Tesk::ANIM_BLUE_BOOK1 : Tesk::ANIM_BOOK1;
  }
  m_flags = (m_flags & ~k_strokeMask) | static_cast<uint32_t>(aStroke) << k_strokeShift;
  m_phaseStep = k_2Pi / aPeriod;
  if (DISTRACTION::setSheet(m_anim, anImage, aFrames, 10, ANIM::Play, aRows, aCols)) {
    m_anim.setWrap(0);
    m_anim.setMirrored(isMovingRight() ? 1 : 0);
    m_anim.setScaledSize(m_scale);
    if (isBlue())
      m_anim.setColor(220, 220, 200);
    else
      m_anim.setColor(220, 220, 180);
  }
  m_bobAmplitude = 7.0f;
  m_bobPhase = 0.59f * k_2Pi;
  if (m_flapSound != nullptr) {
    m_flapSound->SetPan(static_cast<int>(1000.0f * (m_pos[0] - 470.0f) / 500.0f));
    m_flapSound->Play(false, false);
  }
}

void BookBird::update(bool repelled) {
  if (!s_activeAtThisLocation || !m_inUse) return;
  switch (getState()) {
    case 0:
      if (!repelled) {
        m_timer = 1;
        setState(2);
        m_leaving = 0;
        m_alpha = 1.0f;
      }
      break;
    case 2:
      DISTRACTION::killPuff(m_puff);
      if (repelled) {
        setState(0);
        m_leaving = 1;
      } else {
        m_timer = Rand() % 2500;
        setState(3);
      }
      break;
    case 3:
      if (--m_timer >= 1) break;
      m_pos[1] = static_cast<float>(Rand() % 325 - 50);
      if (Rand() % 2 != 0) {
        m_pos[0] = k_rightEdge;
        m_flags &= ~k_movingRight;
      } else {
        m_pos[0] = k_leftEdge;
        m_flags |= k_movingRight;
      }
      m_flags = (m_flags & ~k_speedMask) | static_cast<uint32_t>(Rand() % 50 + 75) << k_speedShift;
      setNextDest();
      if (Rand() % 2 != 0)
        m_flags |= k_blue;
      else
        m_flags &= ~k_blue;
      m_scale = 1.0f + 0.25f * static_cast<float>(getSpeed() - 75) / 50.0f;
      m_anim.clear();  // the first update in flight starts a stroke
      setState(4);
      break;
    case 4:
      fly();
      break;
    default:
      break;
  }
}

void BookBird::fly() {
  m_anim.update();
  if (m_anim.isInactive()) startStroke();
  m_bobPhase += m_phaseStep;
  if (m_bobPhase >= k_2Pi) m_bobPhase -= k_2Pi;
  m_pos[0] += m_velocity[0];
  m_pos[1] += m_velocity[1];
  if (isMovingRight()) {
    if (m_pos[0] > k_rightEdge)
      setState(2);
    else if (m_pos[0] > m_dest[0])
      setNextDest();
  } else {
    if (m_pos[0] < k_leftEdge)
      setState(2);
    else if (m_pos[0] < m_dest[0])
      setNextDest();
  }
  m_anim.setXY(static_cast<int>(m_pos[0]),
               static_cast<int>(m_pos[1] + m_bobAmplitude * std::sin(m_bobPhase)));
  if (m_leaving == 0) return;
  if (m_anim.getY() + m_anim.m_drawHeight < 0) setState(0);
  if (!isMovingRight() && m_pos[0] < k_puffEndX)
    DISTRACTION::killPuff(m_puff);
  else
    DISTRACTION::movePuff(m_puff, static_cast<int>(m_pos[0]) + 20, static_cast<int>(m_pos[1]) + 25);
  m_alpha -= 0.005f;
  if (m_alpha <= 0.0f) setState(0);
}

void BookBird::draw(Tesk::Graphics* g, float theAlpha) {
  if (!s_activeAtThisLocation || !m_inUse || getState() != 4) return;
  g->SetColorizeImages(true);
  m_anim.setFadeValue(m_alpha > 0.0f ? m_alpha : 0.0f);
  m_anim.draw(g, theAlpha);
}

void BookBird::repel() {
  if (!s_activeAtThisLocation || !m_inUse) return;
  m_leaving = 1;
  switch (getState()) {
    case 2:
    case 3:
      setState(0);
      break;
    case 4:
      DISTRACTION::startPuff(m_puff, static_cast<int>(m_pos[0]) + 20, static_cast<int>(m_pos[1]) + 25,
                             m_anim.getCellWidth() - 40, m_anim.getCellHeight() - 25);
      setNextDest();
      break;
    default:
      break;
  }
}

bool BookBird::clickedOnTest(int x, int y, Tesk::GameApp* theApp) {
  if (!s_activeAtThisLocation || !m_inUse || getState() != 4 || m_leaving != 0) return false;
  const int aBoxX = m_anim.getX() + 20, aBoxY = m_anim.getY() + 25;
  const int aBoxW = m_anim.getCellWidth() - 40, aBoxH = m_anim.getCellHeight() - 25;
  if (!MATH::BBPointTest(x, y, aBoxX, aBoxY, aBoxW, aBoxH)) return false;
  repel();
  DISTRACTION::clickBurst(theApp, aBoxX, aBoxY, aBoxW, aBoxH);
  return true;
}

#include "game/play/ScreenShake.h"

#include <algorithm>

#include "app/TeskAppBase.h"
#include "core/MTRand.h"
#include "game/shell/ResourceIds.h"

using Tesk::Rand;

namespace {

constexpr float k_kick = 3.6f;
constexpr float k_restingReturn = 3.6f;

// Moves theValue toward 0 by theStep without crossing it.
float TowardZero(float theValue, float theStep) {
  if (theValue > 0.0f) return std::max(0.0f, theValue - theStep);
  if (theValue < 0.0f) return std::min(0.0f, theValue + theStep);
  return 0.0f;
}

}  // namespace

ScreenShake::ScreenShake() : m_x(0.0f), m_y(0.0f), m_shakeLeft(0), m_wait(0), m_lightTimer(0), m_dark(0) {}

void ScreenShake::reset() {
  startNew(0);
  resetLightTimer();
}

void ScreenShake::startNew(int theUpdates) {
  m_x = 0.0f;
  m_y = 0.0f;
  m_shakeLeft = theUpdates;
  m_wait = Rand() % 2500 + 1500;
  resetLightTimer();
  if (theUpdates != 0) playQuakeSound();
}

void ScreenShake::resetLightTimer() {
  m_lightTimer = Rand() % 25 + 5;
  m_dark = 0;
}

void ScreenShake::startDarkTimer() {
  m_lightTimer = Rand() % 5 + 5;
  m_dark = 1;
}

void ScreenShake::update() {
  const bool isShaking = m_shakeLeft != 0 || m_x != 0.0f || m_y != 0.0f;
  if (isShaking) {
    if (--m_lightTimer <= 0) {
      if (m_dark)
        resetLightTimer();
      else
        startDarkTimer();
    }
  } else {
    if (--m_wait <= 0) startNew(Rand() % 50 + 120);
    if (m_lightTimer > 0 && --m_lightTimer == 0) m_dark = 0;
  }

  // The offsets spring back faster as the quake dies down.
  const float aReturn = m_shakeLeft != 0 ? 120.0f / static_cast<float>(m_shakeLeft) : k_restingReturn;
  m_x = TowardZero(m_x, aReturn);
  m_y = TowardZero(m_y, aReturn);

  if (m_shakeLeft != 0) {
    const float aKick = static_cast<float>(m_shakeLeft) / 120.0f * k_kick;
    m_x += Rand() % 2 == 0 ? -aKick : aKick;
    m_y += Rand() % 2 == 0 ? -aKick : aKick;
    --m_shakeLeft;
  }
  m_x = std::clamp(m_x, -k_maxOffset, k_maxOffset);
  m_y = std::clamp(m_y, -k_maxOffset, k_maxOffset);
}

void ScreenShake::playQuakeSound() {
  if (Tesk::gTeskAppBase != nullptr) Tesk::gTeskAppBase->PlaySample(Tesk::AMBIENT_EARTHQUAKE);
}

float ScreenShake::getX() { return m_x; }

float ScreenShake::getY() { return m_y; }

bool ScreenShake::getDimmed() { return m_dark != 0; }

#include "graphics/ParticleSystem.h"

#include <cmath>

#include "core/MTRand.h"
#include "graphics/Particles.h"

namespace PARTICLE {

const float k_objectFoundDivisorMultiplier = 0.07f;
const float k_HIGHLIGHT_AREA_MULTIPLIER = 0.001f;
int s_invalidOn = 0;

int16_t homingInterval(float theArea) {
  const float aDivisor = theArea * k_objectFoundDivisorMultiplier;
  // An empty area would divide by zero; emit at the slowest rate instead.
  if (!(aDivisor > 0.0f)) return 16;
  const float aInterval = 1500.0f / aDivisor;
  if (aInterval > 16.0f) return 16;
  const int aWhole = static_cast<int>(aInterval);
  return static_cast<int16_t>(aWhole <= 5 ? 6 : aWhole);
}

int16_t highlightInterval(float theArea) {
  const float aScaled = theArea * k_HIGHLIGHT_AREA_MULTIPLIER;
  const unsigned aCount = aScaled < 1.0f ? 1u : static_cast<unsigned>(aScaled);
  return static_cast<int16_t>(15000u / aCount);
}

namespace {

void setTiming(ParticleSystem& s, int theType, float theArea, int theParam2) {
  int aDuration = -1;
  int aInterval = -1;
  switch (theType) {
    case 1:
      aDuration = 250;
      aInterval = 20;
      break;
    case 2:
      aDuration = 160;
      aInterval = 5;
      break;
    case 3:
      aDuration = 0;
      aInterval = 16;
      break;
    case 4:
      aDuration = 25;
      aInterval = 2;
      break;
    case 5:
      aDuration = 10;
      aInterval = 2;
      break;
    case 6:
      aDuration = 15;
      aInterval = 2;
      break;
    case 7:
      aDuration = 160;
      aInterval = homingInterval(theArea);
      break;
    case 8:
      aDuration = 200;
      aInterval = 5;
      break;
    case 9:
      aDuration = 20;
      aInterval = 5;
      break;
    case 10:
      aInterval = 100;
      break;
    case 11:
      aInterval = 50;
      break;
    case 12:
      aInterval = 33;
      break;
    case 13:
      aInterval = 25;
      break;
    case 14:
      aInterval = 20;
      break;
    case 15:
      aInterval = 50;
      break;
    case 16:
      aInterval = 8;
      break;
    case 17:
      aInterval = highlightInterval(theArea);
      break;
    case 18:
      aDuration = 175;
      aInterval = 16;
      break;
    case 19:
      aDuration = 240;
      aInterval = 8;
      break;
    case 20:
    case 21:
      aInterval = 16;
      break;
    case 22:
      aDuration = 20;
      aInterval = 2;
      break;
    case 27:
      aDuration = theParam2;
      s.m_param2 = 0;
      aInterval = 10;
      break;
    case 28:
      aDuration = 175;
      aInterval = 12;
      break;
    default:
      break;
  }
  if (aDuration >= 0) s.m_duration = static_cast<uint16_t>(aDuration);
  if (aInterval >= 0) s.m_interval = static_cast<int16_t>(aInterval);
}

bool isCounted(int theType) {
  switch (theType) {
    case 1:
    case 2:
    case 4:
    case 5:
    case 6:
    case 7:
    case 8:
    case 9:
    case 18:
    case 19:
    case 22:
    case 28:
      return true;
    default:
      return false;
  }
}

bool isBurst(int theType) { return (theType >= 23 && theType <= 26) || theType == 29; }

}  // namespace

ParticleSystem* createSystem(int theX, int theY, int theType, int theWidth, int theHeight, int theParam1,
                             int theParam2, ParticleSystem* theSystem) {
  ParticleSystem* s = theSystem;
  if (s == nullptr) {
    for (ParticleSystem& aRecord : m_particleSystemArray) {
      if (aRecord.m_type == 0) {
        s = &aRecord;
        break;
      }
    }
    if (s == nullptr) return nullptr;
  }
  s->m_type = static_cast<uint8_t>(theType);
  s->m_width = static_cast<uint16_t>(theWidth);
  s->m_height = static_cast<uint16_t>(theHeight);
  s->m_x = static_cast<uint16_t>(theX);
  s->m_y = static_cast<uint16_t>(theY);
  s->m_param1 = static_cast<uint16_t>(theParam1);
  s->m_param2 = static_cast<uint16_t>(theParam2);
  setTiming(*s, theType, static_cast<float>(theWidth) * static_cast<float>(theHeight), theParam2);
  return s;
}

ParticleSystem* createSystem(int theX, int theY, int theType, int theSize, ParticleSystem* theSystem) {
  return createSystem(theX, theY, theType, theSize, theSize, 0, 0, theSystem);
}

ParticleSystem* createSystem(int theX, int theY, int theType, int theWidth, int theHeight,
                             ParticleSystem* theSystem) {
  return createSystem(theX, theY, theType, theWidth, theHeight, 0, 0, theSystem);
}

ParticleSystem* modifySystem(int theType, ParticleSystem* theSystem) {
  return createSystem(theSystem->m_x, theSystem->m_y, theType, theSystem->m_width, theSystem->m_height, 0, 0,
                      theSystem);
}

void ParticleSystem::update() {
  const int aType = m_type;
  if (aType == 0 || aType > 29) return;
  const float x = m_x, y = m_y, w = m_width, h = m_height;
  const float aArea = w * h;

  if (isBurst(aType)) {
    const int aCount = aType == 23 || aType == 29 ? 10 : aType == 24 ? 9 : 8;
    const int aParticleType = aType == 23 || aType == 24 ? 23 : aType == 25 ? 24 : aType == 26 ? 25 : 27;
    const float aStep = k_2PIE * (1.0f / static_cast<float>(aCount));
    float aAngle = aType == 24 ? aStep * 0.5f : 0.0f;
    for (int i = 0; i < aCount; ++i) {
      createParticle(x, y, aParticleType, w, h, static_cast<float>(std::cos(static_cast<double>(aAngle))),
                     static_cast<float>(std::sin(static_cast<double>(aAngle))));
      aAngle += aStep;
    }
    m_type = 0;
    return;
  }

  if (isCounted(aType)) {
    m_duration = static_cast<uint16_t>(m_duration - 1);
    if (m_duration == 0) m_type = 0;
  }
  m_interval = static_cast<int16_t>(m_interval - 1);
  if (m_interval > 0) return;

  int16_t aNext = 0;
  switch (aType) {
    case 1:
      createParticle(x, y, 3, w, h, 0, 0);
      aNext = 20;
      break;
    case 2:
      createParticle(x, y, 4, w, h, 0, 0);
      aNext = 5;
      break;
    case 3:
      createParticle(x, y, 5, w, h, 0, 0);
      aNext = 16;
      break;
    case 4:
      createParticle(x, y, 6, w, h, 0, 0);
      aNext = 2;
      break;
    case 5:
      if (s_invalidOn == 0) {
        createParticle(x, y, 7, w, h, 0, 0);
        s_invalidOn = 1;
      } else {
        createParticle(x, y, 8, w, h, 0, 0);
        s_invalidOn = 0;
      }
      aNext = 2;
      break;
    case 6:
      createParticle(x, y, 7, w, h, 0, 0);
      createParticle(x, y, 9, w, h, 0, 0);
      aNext = 2;
      break;
    case 7:
      createParticle(x, y, 11, w, h, m_param1, m_param2);
      aNext = homingInterval(aArea);
      break;
    case 8:
      createParticle(x, y, (Tesk::Rand() & 1) ? 17 : 18, w, h, 0, 0);
      aNext = 5;
      break;
    case 9:
      createParticle(x, y, 12, w, h, 0, 0);
      aNext = 5;
      break;
    case 10:
      createParticle(x, y, 1, w, h, 0, 0);
      aNext = 100;
      break;
    case 11:
      createParticle(x, y, 1, w, h, 0, 0);
      aNext = 50;
      break;
    case 12:
      createParticle(x, y, 1, w, h, 0, 0);
      aNext = 33;
      break;
    case 13:
      createParticle(x, y, 1, w, h, 0, 0);
      aNext = 25;
      break;
    case 14:
      createParticle(x, y, 1, w, h, 0, 0);
      aNext = 20;
      break;
    case 15:
      createParticle(x, y, 2, w, h, 0, 0);
      aNext = 2;
      break;
    case 16:
      createParticle(x, y, 13, w, h, 0, 0);
      aNext = 8;
      break;
    case 17:
      createParticle(x, y, 14, w, h, 0, 0);
      aNext = highlightInterval(aArea);
      break;
    case 18:
      createParticle(x, y, 15, w, h, 0, 0);
      aNext = 16;
      break;
    case 19:
      createParticle(x, y, 19, w, h, 0, 0);
      aNext = 8;
      break;
    case 20:
      createParticle(x, y, 20, w, h, 0, 0);
      aNext = 16;
      break;
    case 21:
      createParticle(x, y, 21, w, h, 0, 0);
      aNext = 16;
      break;
    case 22:
      createParticle(x, y, 22, w, h, 0, 0);
      aNext = 2;
      break;
    case 27: {
      const float aAngle = k_2PIE * static_cast<float>(m_param2) / static_cast<float>(m_duration);
      createParticle(x, y, 23, w, h, static_cast<float>(std::cos(static_cast<double>(aAngle))),
                     static_cast<float>(std::sin(static_cast<double>(aAngle))));
      m_param2 = static_cast<uint16_t>(m_param2 + 1);
      if (m_param2 == m_duration) {
        m_param1 = static_cast<uint16_t>(m_param1 - 1);
        m_param2 = 0;
        if (m_param1 == 0) m_type = 0;
      }
      aNext = 10;
      break;
    }
    case 28:
      createParticle(x, y, 26, w, h, m_param1, m_param2);
      aNext = 12;
      break;
    default:
      break;
  }
  m_interval = aNext;
}

}  // namespace PARTICLE

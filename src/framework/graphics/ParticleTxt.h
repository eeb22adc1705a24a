// A text particle: a particle record with a string that floats up and fades.
#pragma once

#include "core/Common.h"
#include "graphics/ParticleBasic.h"

namespace Tesk {
class Font;
}

namespace PARTICLE {

class ParticleTxt : public ParticleBasic {
 public:
  const Tesk::Font* m_font = nullptr;
  const TeskString* m_text = nullptr;  // kept by the caller for the particle's life
  // Measured width, 0 until the first draw. Held whole, so texts past 255 pixels stay centred.
  int m_textWidth = 0;
  uint8_t m_hidden = 0;
};

}  // namespace PARTICLE

#include "game/play/EyeFire.h"

#include "core/MTRand.h"
#include "game/play/DistractionSupport.h"
#include "game/shell/GameApp.h"
#include "graphics/Color.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "graphics/ParticleSystem.h"

using Tesk::Rand;

namespace {
constexpr float k_alphaStep = 0.008f;
constexpr int k_flameType = 16;
}  // namespace

bool EyeFire::s_activeAtThisLocation = false;

EyeFire::EyeFire()
    : m_state(0),
      m_timer(-1),
      m_alpha(0.0f),
      m_images(),
      m_flames(),
      m_puffs(),
      m_repelled(0),
      m_locationId(0) {}

void EyeFire::init(int theLocationId) {
  s_activeAtThisLocation = true;
  m_locationId = static_cast<uint8_t>(theLocationId);
  m_images[0] = m_images[1] = EyeImage{nullptr, 0, 0};
  Tesk::Image** anImages = Tesk::GameApp::s_images;
  switch (theLocationId) {
    case 1:
      m_images[0] = EyeImage{anImages[15], 499, 456};
      break;
    case 3:
      m_images[0] = EyeImage{anImages[8], 649, 138};
      break;
    case 8:
      m_images[0] = EyeImage{anImages[9], 192, 116};
      m_images[1] = EyeImage{anImages[10], 747, 116};
      break;
    case 10:
      m_images[0] = EyeImage{anImages[14], 268, 338};
      break;
    default:  // location 6: its eyes are two flames
      break;
  }
  m_state = 0;
  m_timer = -1;
  m_alpha = 0.0f;
  // The flames burn until killed: set up again while they are lit, they are put out, not lost.
  killFlames();
  m_puffs[0] = m_puffs[1] = nullptr;
  m_repelled = 1;
}

void EyeFire::killFlames() {
  for (PARTICLE::ParticleSystem*& aFlame : m_flames) {
    if (aFlame != nullptr && aFlame->m_type == k_flameType) aFlame->kill();
    aFlame = nullptr;
  }
}

void EyeFire::update(bool repelled) {
  if (!s_activeAtThisLocation) return;
  switch (m_state) {
    case 0:
      if (!repelled) {
        m_state = 1;
        m_timer = -1;
        DISTRACTION::killPuff(m_puffs[0]);
        DISTRACTION::killPuff(m_puffs[1]);
        m_repelled = 0;
      }
      break;
    case 1:
      if (m_timer == -1)
        m_timer = Rand() % 11000 + 500;
      else if (--m_timer == 0)
        m_state = 2;
      break;
    case 2:
      m_alpha += k_alphaStep;
      if (m_alpha >= 1.0f || repelled) {
        if (!repelled) m_alpha = 1.0f;
        m_state = 3;
        m_timer = repelled ? 1 : Rand() % 50 + 200;
        if (m_locationId == 6 && !repelled) {
          m_flames[0] = PARTICLE::createSystem(353, 125, k_flameType, 7, 0, nullptr);
          m_flames[1] = PARTICLE::createSystem(378, 125, k_flameType, 6, 0, nullptr);
        }
      }
      break;
    case 3:
      if (--m_timer == 0) m_state = 4;
      break;
    case 4:
      m_alpha -= k_alphaStep;
      if (m_alpha <= 0.0f) {
        m_alpha = 0.0f;
        m_timer = -1;
        if (m_repelled != 0) {
          m_state = 0;
          m_timer = 125;
        } else {
          m_state = 1;
        }
        killFlames();
      }
      break;
    default:
      break;
  }
}

void EyeFire::draw(Tesk::Graphics* g, float theAlpha) {
  if (!s_activeAtThisLocation || m_alpha <= 0.0f || m_images[0].m_image == nullptr) return;
  const int aGrey = static_cast<int>(255.0f * theAlpha);
  g->SetColorizeImages(true);
  g->SetColor(Tesk::Color(aGrey, aGrey, aGrey, static_cast<int>(255.0f * m_alpha)));
  for (const EyeImage& anEye : m_images)
    if (anEye.m_image != nullptr) g->DrawImage(anEye.m_image, anEye.m_x, anEye.m_y);
}

void EyeFire::repel() {
  if (!s_activeAtThisLocation) return;
  if (m_state == 1)
    m_state = 0;
  else if (m_state == 3)
    m_timer = 1;
  if (m_state >= 2 && m_state <= 4) {
    if (m_locationId == 6) {
      DISTRACTION::startPuff(m_puffs[0], 347, 116, 38, 16);
    } else {
      for (int i = 0; i < 2; ++i) {
        const EyeImage& anEye = m_images[i];
        if (anEye.m_image != nullptr)
          DISTRACTION::startPuff(m_puffs[i], anEye.m_x, anEye.m_y, anEye.m_image->GetWidth(),
                                 anEye.m_image->GetHeight());
      }
    }
  }
  m_repelled = 1;
}

#include "game/play/EyeChaser.h"

#include <cmath>

#include "game/play/DistractionSupport.h"
#include "game/shell/GameApp.h"
#include "graphics/Color.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "widgets/WidgetManager.h"

namespace {
// How far the eyes may look away from their rest.
constexpr float k_maxOffset = 2.8f;
}  // namespace

bool EyeChaser::s_activeAtThisLocation = false;

EyeChaser::EyeChaser() : m_chasing(0), m_image(nullptr), m_x(0), m_y(0), m_offset(), m_puff(nullptr) {}

void EyeChaser::init() {
  s_activeAtThisLocation = true;
  m_chasing = 1;
  m_image = Tesk::GameApp::s_images[13];
  m_x = 395;
  m_y = 308;
  m_offset[0] = m_offset[1] = 0.0f;
  m_puff = nullptr;
}

void EyeChaser::update(bool repelled, Tesk::WidgetManager* theManager) {
  if (!s_activeAtThisLocation) return;
  if (repelled || theManager == nullptr || m_image == nullptr) {
    m_offset[0] = m_offset[1] = 0.0f;
    return;
  }
  float dx = static_cast<float>(theManager->mLastMouseX - (m_x + 8));
  float dy = static_cast<float>(theManager->mLastMouseY - (m_y + m_image->GetHeight() / 2 - 2));
  const float aLength = std::sqrt(dx * dx + dy * dy);
  if (aLength > k_maxOffset) {
    dx *= k_maxOffset / aLength;
    dy *= k_maxOffset / aLength;
  }
  m_offset[0] = dx;
  m_offset[1] = dy;
}

void EyeChaser::draw(Tesk::Graphics* g, float theAlpha) {
  if (!s_activeAtThisLocation || m_image == nullptr) return;
  const int aGrey = static_cast<int>(255.0f * theAlpha);
  g->SetColorizeImages(true);
  g->SetColor(Tesk::Color(aGrey, aGrey, aGrey, 255));
  if (m_chasing != 0)
    g->DrawImage(m_image, static_cast<int>(m_x + m_offset[0]), static_cast<int>(m_y + m_offset[1]));
  else
    g->DrawImage(m_image, m_x, m_y);
}

void EyeChaser::repel() {
  if (!s_activeAtThisLocation || m_chasing == 0 || m_image == nullptr) return;
  DISTRACTION::startPuff(m_puff, m_x - 2, m_y - 2, m_image->GetWidth() + 4, m_image->GetHeight() + 4);
}

#include "game/play/Tree.h"

#include "core/MTRand.h"
#include "game/play/DistractionSupport.h"
#include "game/shell/GameApp.h"
#include "graphics/Graphics.h"
#include "sound/SoundInstance.h"
#include "sound/SoundManager.h"

using Tesk::Rand;

namespace {
constexpr int k_snoreInId = 80;
constexpr int k_snoreOutId = 81;
constexpr uint16_t k_noTimer = 65535;
// The frame at which a breath in is held.
constexpr int k_holdFrame = 8;
}  // namespace

bool Tree::s_activeAtThisLocation = false;

Tree::Tree()
    : m_state(0), m_timer(65535), m_puff(nullptr), m_repelled(0), m_snoreIn(nullptr), m_snoreOut(nullptr) {}

void Tree::init() {
  s_activeAtThisLocation = true;
  if (DISTRACTION::setSheet(m_anim, Tesk::GameApp::s_images[18], 16, 20, ANIM::Play, 4, 4)) {
    m_anim.setXY(488, 278);
    m_anim.setWrap(1);
    m_anim.changeState(ANIM::Paused);
  }
  m_state = 0;
  m_timer = k_noTimer;
  DISTRACTION::loadSound(k_snoreInId, "ambient/treeSnoreIn");
  DISTRACTION::loadSound(k_snoreOutId, "ambient/treeSnoreOut");
  DISTRACTION::takeInstance(m_snoreIn, k_snoreInId);
  DISTRACTION::takeInstance(m_snoreOut, k_snoreOutId);
}

void Tree::cleanup() {
  const bool hadSounds = m_snoreIn != nullptr || m_snoreOut != nullptr;
  DISTRACTION::releaseInstance(m_snoreIn);
  DISTRACTION::releaseInstance(m_snoreOut);
  if (!hadSounds) return;
  if (Tesk::SoundManager* aManager = DISTRACTION::soundManager()) {
    aManager->ReleaseSound(k_snoreInId);
    aManager->ReleaseSound(k_snoreOutId);
  }
}

void Tree::update(bool repelled) {
  if (!s_activeAtThisLocation) return;
  m_anim.update();
  switch (m_state) {
    case 0:
      if (!repelled) {
        m_state = 4;
        m_repelled = 0;
      }
      break;
    case 4:
      if (m_repelled != 0) {
        m_state = 0;
      } else if (m_timer == k_noTimer) {
        m_timer = static_cast<uint16_t>(Rand() % 40 + 70);
      } else if (--m_timer == 0) {
        m_anim.unpause();
        if (m_snoreIn != nullptr) m_snoreIn->Play(false, false);
        m_state = 1;
      }
      break;
    case 1:
      if (m_anim.getFrameOn() == k_holdFrame) {
        m_anim.changeState(ANIM::Paused);
        m_timer = static_cast<uint16_t>(Rand() % 30 + 70);
        m_state = 2;
      }
      break;
    case 2:
      if (--m_timer == 0) {
        m_anim.unpause();
        if (m_snoreOut != nullptr) m_snoreOut->Play(false, false);
        m_state = 3;
      }
      break;
    case 3:
      if (m_anim.getFrameOn() == 0) {
        m_anim.changeState(ANIM::Paused);
        m_timer = k_noTimer;
        m_state = 4;
      }
      break;
    default:
      break;
  }
}

void Tree::draw(Tesk::Graphics* g, float theAlpha) {
  if (!s_activeAtThisLocation) return;
  g->SetColorizeImages(true);
  m_anim.draw(g, theAlpha);
}

void Tree::repel() {
  if (!s_activeAtThisLocation) return;
  DISTRACTION::startPuff(m_puff, m_anim.getX(), m_anim.getY(), m_anim.getCellWidth() - 20,
                         m_anim.getCellHeight());
  m_repelled = 1;
}

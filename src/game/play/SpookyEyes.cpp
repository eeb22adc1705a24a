#include "game/play/SpookyEyes.h"

#include <algorithm>

#include "core/MTRand.h"
#include "game/play/DistractionSupport.h"
#include "game/play/PlayConstants.h"
#include "game/shell/GameApp.h"
#include "graphics/Graphics.h"

using Tesk::k_sideBarWidth;
using Tesk::Rand;

namespace {

struct HidingPlace {
  short x, y, w, h;  // play-area x
};

const HidingPlace k_location5[] = {
    {274, 54, 147, 92}, {244, 194, 36, 35}, {233, 310, 36, 33}, {0, 309, 50, 34},   {3, 117, 37, 33},
    {390, 443, 49, 61}, {539, 157, 65, 62}, {499, 147, 31, 72}, {544, 18, 116, 63}, {500, 254, 32, 51}};
const HidingPlace k_location11[] = {{260, 0, 398, 28},  {0, 44, 50, 24},    {345, 156, 283, 28},
                                    {0, 231, 118, 13},  {155, 231, 83, 13}, {200, 114, 35, 31},
                                    {267, 362, 34, 18}, {198, 0, 49, 62},   {357, 113, 303, 11}};

}  // namespace

bool SpookyEyes::s_activeAtThisLocation = false;

SpookyEyes::SpookyEyes()
    : m_state(0),
      m_timer(0),
      m_variant(0),
      m_numHidingRects(0),
      m_puff(nullptr),
      m_repelled(0),
      m_locationId(0) {}

void SpookyEyes::init(int theLocationId) {
  s_activeAtThisLocation = true;
  m_state = 0;
  m_puff = nullptr;
  m_repelled = 0;
  m_locationId = static_cast<uint8_t>(theLocationId);
  const HidingPlace* aPlaces = nullptr;
  int aCount = 0;
  if (theLocationId == 5) {
    aPlaces = k_location5;
    aCount = static_cast<int>(sizeof(k_location5) / sizeof(k_location5[0]));
  } else if (theLocationId == 11) {
    aPlaces = k_location11;
    aCount = static_cast<int>(sizeof(k_location11) / sizeof(k_location11[0]));
  }
  // Each place is widened a little up and down.
  for (int i = 0; i < aCount; ++i)
    m_hidingRects[i] = Tesk::TRect<short>(aPlaces[i].x, static_cast<short>(aPlaces[i].y - 8), aPlaces[i].w,
                                          static_cast<short>(aPlaces[i].h + 16));
  m_numHidingRects = static_cast<uint8_t>(aCount);
}

void SpookyEyes::appear() {
  m_state = 2;
  // At location 4 the eyes have one fixed place.
  m_variant = static_cast<uint8_t>(m_locationId == 4 ? 0 : Rand() % 2);
  Tesk::Image* aSheet = Tesk::GameApp::s_images[m_variant == 1 ? 12 : 11];
  if (!DISTRACTION::setSheet(m_anim, aSheet, 32, 10, ANIM::FadePlayFade, 4, 8)) return;
  m_anim.setFadeSpeed(0.04f);
  m_anim.setMirrored(Rand() % 2);
  if (m_numHidingRects == 0) {
    m_anim.setXY(610, 127);
    m_anim.setScaledSize(0.9f);
    return;
  }
  const Tesk::TRect<short>& r = m_hidingRects[Rand() % m_numHidingRects];
  const int x = r.mX + k_sideBarWidth + Rand() % std::max(1, r.mWidth - m_anim.getCellWidth());
  const int y = r.mY + Rand() % std::max(1, r.mHeight - m_anim.getCellHeight());
  m_anim.setXY(x, y);
}

void SpookyEyes::update(bool repelled) {
  if (!s_activeAtThisLocation) return;
  switch (m_state) {
    case 0:
      if (!repelled) {
        m_state = 3;
        m_repelled = 0;
      }
      break;
    case 3:
      m_timer = static_cast<int16_t>(Rand() % 2000 + 2000);
      m_state = 1;
      break;
    case 1:
      if (--m_timer < 1) appear();
      break;
    case 2:
      m_anim.update();
      if (m_anim.isInactive()) {
        if (m_repelled != 0) {
          m_state = 0;
          m_timer = 75;
        } else {
          m_state = 3;
        }
      }
      break;
    default:
      break;
  }
}

void SpookyEyes::draw(Tesk::Graphics* g, float theAlpha) {
  if (!s_activeAtThisLocation || m_state != 2) return;
  g->SetColorizeImages(true);
  m_anim.draw(g, theAlpha);
}

void SpookyEyes::repel() {
  if (!s_activeAtThisLocation) return;
  if (m_state == 1 || m_state == 3)
    m_state = 0;
  else if (m_state == 2)
    DISTRACTION::startPuff(m_puff, m_anim.getX(), m_anim.getY(), m_anim.m_drawWidth, m_anim.m_drawHeight);
  m_repelled = 1;
}

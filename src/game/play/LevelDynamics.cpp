// Level dynamics: set-up on entering a location, the per-update step, drawing and clicks.
#include "game/play/LevelDynamics.h"

#include <algorithm>

#include "core/MTRand.h"
#include "game/play/DistractionSupport.h"
#include "game/play/LevelData.h"
#include "game/play/Spotlight.h"
#include "game/shell/GameApp.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Graphics.h"
#include "graphics/ParticleSystem.h"
#include "widgets/WidgetManager.h"

using Tesk::Rand;

namespace {

constexpr int k_effectType = 17;
constexpr int k_maxVisitIndex = 4;

struct EffectArea {
  int x, y, w, h;
};
const EffectArea k_location6Effects[4] = {
    {172, 332, 214, 160}, {210, 489, 382, 111}, {552, 319, 242, 109}, {434, 38, 146, 50}};
const EffectArea k_location7Effect = {670, 488, 88, 65};

// A location animation of the shared sheet 7 (2 rows of 8), from a random frame.
void setLocationAnim(ANIM::AnimationBasic& theAnim, int x, int y) {
  if (!DISTRACTION::setSheet(theAnim, Tesk::GameApp::s_images[7], 16, 10, ANIM::Play, 2, 8)) return;
  theAnim.setXY(x, y);
  theAnim.setFrame(Rand() % 16);
}

void setSpotlight(ANIM::AnimationBasic& theAnim, int theFrames) {
  if (!DISTRACTION::setSheet(theAnim, Tesk::ANIM_SPOTLIGHT, theFrames, 20, ANIM::PingPong, 1, 3)) return;
  theAnim.setFrame(Rand() % theFrames);
}

}  // namespace

const uint32_t LevelDynamics::k_numFairiesPerVisit[5] = {15, 18, 22, 25, 25};
int LevelDynamics::s_locationAt = 0;
Tesk::GameApp* LevelDynamics::s_gameApp = nullptr;

LevelDynamics::LevelDynamics()
    : m_state(OUTSIDE_LOCATION),
      m_effects(),
      m_numConstantLoops(0),
      m_numTimedLoops(0),
      m_numOnePlays(0),
      m_constantLoops(),
      m_timedLoops(),
      m_timedCountdown(),
      m_timedPlaying(),
      m_timedPlayBase(),
      m_timedPlayRange(),
      m_timedSilenceBase(),
      m_timedSilenceRange(),
      m_onePlays(),
      m_onePlayCountdown(),
      m_onePlayDelayBase(),
      m_onePlayDelayRange(),
      m_darkness9(255),
      m_darkness12(255),
      m_darknessCounter9(0),
      m_darknessCounter12(0),
      m_darknessClearing9(false),
      m_darknessClearing12(false),
      m_repelTimers() {}

LevelDynamics::~LevelDynamics() {}

void LevelDynamics::reset(LevelData*) {
  m_state = OUTSIDE_LOCATION;
  m_darkness9 = m_darkness12 = 255;
  // A new level starts dark everywhere: no clearing left over from the last one.
  m_darknessCounter9 = m_darknessCounter12 = 0;
  m_darknessClearing9 = m_darknessClearing12 = false;
  std::fill(m_repelTimers, m_repelTimers + 13, uint16_t{0});
}

uint16_t LevelDynamics::repelTimerOf(int theId) const {
  return theId >= 1 && theId <= 12 ? m_repelTimers[theId] : 0;
}

void LevelDynamics::setNewLocation(int theId, Tesk::GameApp* theApp) {
  // Set up again (distractions back on) without leaving first: the old sounds go.
  releaseSounds();
  m_fairies.init(Fairies::k_kindNone, Fairies::k_maxFairies);
  s_locationAt = theId;
  m_state = IN_LOCATION;
  m_numConstantLoops = m_numTimedLoops = m_numOnePlays = 0;

  LevelData* aLevel = theApp != nullptr ? theApp->getLevelData() : nullptr;
  LocationData* aLocation = aLevel != nullptr ? aLevel->getLocationDataLevDynamic(theId) : nullptr;
  const int aVisits = aLocation != nullptr ? aLocation->m_visitCount : 0;
  const bool isRepelled = repelTimerOf(theId) != 0;

  SpookyEyes::setActive(false);
  BookBird::setActive(false);
  Spider::setActive(false);
  Tree::setActive(false);
  EyeFire::setActive(false);
  EyeChaser::setActive(false);
  for (BookBird& aBook : m_books) aBook.setNullState();
  for (Spider& aSpider : m_spiders) aSpider.setNullState();
  std::fill(m_effects, m_effects + 4, nullptr);
  for (ANIM::AnimationBasic& anAnim : m_locationAnims) anAnim.clear();
  m_spotlightAnim.clear();

  loadLocationSounds(theId);
  setUpActors(theId, aVisits);

  if (isRepelled) {
    killEffects();
    pauseLocationAnims();
    if (theId == 3 || theId == 8 || theId == 10) m_fairies.repel();
  }
  startSounds(isRepelled);
  Tesk::ProfileData* aProfile = theApp != nullptr ? theApp->getProfileData() : nullptr;
  if (aProfile != nullptr && aProfile->getDistractionsOff()) toggleDistractions(true, theApp);
}

void LevelDynamics::setUpActors(int theId, int theVisits) {
  const int v = theVisits;
  const int aFairies = static_cast<int>(k_numFairiesPerVisit[std::min(v, k_maxVisitIndex)]);
  // Spider columns: one over the whole play area, or a left and a right half.
  auto OneSpider = [this] { m_spiders[0].init(0, 640); };
  auto TwoSpiders = [this](int theRightWidth) {
    m_spiders[0].init(0, 320);
    m_spiders[1].init(340, theRightWidth);
  };
  auto Books = [this](int theCount) {
    for (int i = 0; i < theCount && i < 3; ++i) m_books[i].init();
  };
  switch (theId) {
    case 1:
      m_eyeFire.init(1);
      if (v == 1) OneSpider();
      if (v >= 2) TwoSpiders(320);
      break;
    case 2:
      m_eyeChaser.init();
      if (v == 1) OneSpider();
      if (v >= 2) TwoSpiders(320);
      if (v >= 1) {
        m_spiders[0].setInvalidArea(75, 23);
        m_spiders[0].setInvalidArea(280, 16);
      }
      setLocationAnim(m_locationAnims[0], 219, 102);
      setLocationAnim(m_locationAnims[1], 422, 111);
      break;
    case 3:
      if (v >= 2) m_eyeFire.init(3);
      if (v >= 1) m_fairies.init(1, aFairies);
      break;
    case 4:
      m_spookyEyes.init(4);
      Books(v == 0 ? 1 : v == 1 ? 2 : 3);
      break;
    case 5:
      m_spookyEyes.init(5);
      Books(std::min(v, 3));
      break;
    case 6:
      if (v >= 1) m_eyeFire.init(6);
      if (v == 2) OneSpider();
      if (v >= 3) TwoSpiders(320);
      if (v >= 2) m_spiders[0].setInvalidArea(203, 40);
      startLocationEffects(6, v, 2);
      break;
    case 7:
      if (v == 1) {
        OneSpider();
        m_spiders[0].setInvalidArea(445, 25);
      }
      if (v >= 2) {
        TwoSpiders(294);
        m_spiders[1].setInvalidArea(445, 25);
      }
      startLocationEffects(7, v, 2);
      setLocationAnim(m_locationAnims[0], 592, 249);
      setLocationAnim(m_locationAnims[1], 774, 218);
      m_locationAnims[1].setScaledSize(1.4f);
      break;
    case 8:
      if (v >= 1) m_eyeFire.init(8);
      m_fairies.init(Fairies::k_kindSmall, aFairies);
      break;
    case 9:
      if (v == 1) OneSpider();
      if (v >= 2) TwoSpiders(320);
      if (v >= 1) m_spiders[0].setInvalidArea(271, 33);
      if (DISTRACTION::setSheet(m_locationAnims[2], Tesk::ANIM_FIRE1, 6, 10, ANIM::Play, 1, 6)) {
        m_locationAnims[2].setXY(414, 71);
        m_locationAnims[2].setFrame(Rand() % 6);
        m_locationAnims[2].setWH(m_locationAnims[2].getCellWidth(),
                                 static_cast<int>(1.35f * m_locationAnims[2].getCellHeight()));
      }
      setSpotlight(m_spotlightAnim, 3);
      break;
    case 10:
      m_tree.init();
      if (v >= 2) m_eyeFire.init(10);
      m_fairies.init(1, aFairies);
      break;
    case 11:
      if (v >= 1) m_spookyEyes.init(11);
      Books(v == 0 ? 1 : v == 1 ? 2 : 3);
      break;
    case 12:
      setSpotlight(m_spotlightAnim, 2);
      if (v >= 1) TwoSpiders(320);
      if (v == 0) OneSpider();
      break;
    default:
      break;
  }
}

void LevelDynamics::startLocationEffects(int theId, int theVisits, int theFromVisit7) {
  if (theId == 6) {
    for (int i = 0; i < 4; ++i) {
      const EffectArea& e = k_location6Effects[i];
      m_effects[i] = PARTICLE::createSystem(e.x, e.y, k_effectType, e.w, e.h, nullptr);
    }
  } else if (theId == 7 && theVisits >= theFromVisit7) {
    const EffectArea& e = k_location7Effect;
    m_effects[0] = PARTICLE::createSystem(e.x, e.y, k_effectType, e.w, e.h, nullptr);
  }
}

void LevelDynamics::killEffects() {
  for (PARTICLE::ParticleSystem*& anEffect : m_effects) {
    // Only our own record: a stale one may belong to somebody else by now.
    if (anEffect != nullptr && anEffect->m_type == k_effectType) anEffect->kill();
    anEffect = nullptr;
  }
}

void LevelDynamics::pauseLocationAnims() {
  for (ANIM::AnimationBasic& anAnim : m_locationAnims) anAnim.changeState(ANIM::Paused);
}

void LevelDynamics::exitLocationToMap() {
  m_state = OUTSIDE_LOCATION;
  m_fairies.kill();
  m_tree.cleanup();
  for (BookBird& aBook : m_books) aBook.cleanup();
  releaseSounds();
}

void LevelDynamics::update(Tesk::GameApp* theApp) {
  const bool r = isRepellingAtLocation();
  Tesk::WidgetManager* aManager = theApp != nullptr ? theApp->mWidgetManager : nullptr;
  m_spookyEyes.update(r);
  for (BookBird& aBook : m_books) aBook.update(r);
  for (Spider& aSpider : m_spiders) aSpider.update(r);
  m_tree.update(r);
  m_eyeFire.update(r);
  m_eyeChaser.update(r, aManager);
  for (ANIM::AnimationBasic& anAnim : m_locationAnims) anAnim.update();
  updateSounds(r);

  LevelData* aLevel = theApp != nullptr ? theApp->getLevelData() : nullptr;
  if (aLevel == nullptr) return;
  for (int anId = 1; anId <= 12; ++anId) {
    if (aLevel->getLocationDataLevDynamic(anId) == nullptr) continue;
    if (m_repelTimers[anId] != 0 && --m_repelTimers[anId] == 0) repelCompleted(anId, theApp);
    if ((anId == 3 || anId == 8 || anId == 10) && anId == s_locationAt && m_state == IN_LOCATION)
      m_fairies.update(r);
    if (anId == 9) updateDarkness(m_darkness9, m_darknessCounter9, m_darknessClearing9, 9);
    if (anId == 12) updateDarkness(m_darkness12, m_darknessCounter12, m_darknessClearing12, 12);
  }
}

void LevelDynamics::draw(Tesk::Graphics* g, Tesk::GameApp* theApp, float theAlpha) {
  if (m_state != IN_LOCATION) return;
  g->PushState();
  m_spookyEyes.draw(g, theAlpha);
  g->SetColorizeImages(true);
  for (ANIM::AnimationBasic& anAnim : m_locationAnims) anAnim.draw(g, theAlpha);
  for (Spider& aSpider : m_spiders) aSpider.draw(g, theAlpha);
  m_tree.draw(g, theAlpha);
  m_eyeFire.draw(g, theAlpha);
  m_eyeChaser.draw(g, theAlpha);
  m_fairies.render(g, theAlpha);
  if (s_locationAt == 9 || s_locationAt == 12) {
    Tesk::WidgetManager* aManager = theApp != nullptr ? theApp->mWidgetManager : nullptr;
    const int x = aManager != nullptr ? aManager->mLastMouseX : 470;
    const int y = aManager != nullptr ? aManager->mLastMouseY : 300;
    if (!m_spotlightAnim.isInactive())
      Spotlight::draw(g, x, y, s_locationAt == 9 ? m_darkness9 : m_darkness12, &m_spotlightAnim);
  }
  for (BookBird& aBook : m_books) aBook.draw(g, theAlpha);
  g->PopState();
}

bool LevelDynamics::clickedOnTest(int x, int y, Tesk::GameApp* theApp) {
  for (BookBird& aBook : m_books)
    if (aBook.clickedOnTest(x, y, theApp)) return true;
  for (Spider& aSpider : m_spiders)
    if (aSpider.clickedOnTest(x, y, theApp)) return true;
  return false;
}

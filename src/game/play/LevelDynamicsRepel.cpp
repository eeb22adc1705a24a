// Level dynamics: darkness, the repel spell and the distractions switch.
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/play/LevelDynamics.h"
#include "game/shell/GameApp.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "graphics/ParticleSystem.h"

namespace {
// Updates the spell lasts (40 seconds).
constexpr uint16_t k_repelUpdates = 4000;
constexpr int k_repelWaveType = 8;
}  // namespace

bool LevelDynamics::isRepellingAtLocation() { return repelTimerOf(s_locationAt) != 0; }

void LevelDynamics::repel(Tesk::GameApp* theApp) {
  if (s_locationAt < 1 || s_locationAt > 12) return;
  m_repelTimers[s_locationAt] = k_repelUpdates;
  for (Spider& aSpider : m_spiders) aSpider.repel();
  for (BookBird& aBook : m_books) aBook.repel();
  m_spookyEyes.repel();
  m_eyeChaser.repel();
  m_tree.repel();
  m_eyeFire.repel();
  killEffects();
  pauseLocationAnims();
  // The wave of the spell over the play area.
  PARTICLE::createSystem(140, 0, k_repelWaveType, 660, 600, nullptr);
  if (s_locationAt == 3 || s_locationAt == 8 || s_locationAt == 10) m_fairies.repel();
  if (s_locationAt == 9) {
    m_darknessCounter9 = 0;
    m_darknessClearing9 = true;
  } else if (s_locationAt == 12) {
    m_darknessCounter12 = 0;
    m_darknessClearing12 = true;
  }
  stopSounds();
  Tesk::InGame* aScene = theApp != nullptr ? theApp->getIngame() : nullptr;
  if (aScene != nullptr) {
    aScene->inactivateRepel();
    aScene->repelAtLocation(true);
  }
}

void LevelDynamics::repelCompleted(int theId, Tesk::GameApp* theApp) {
  // A spell that runs out elsewhere in the level leaves this location as it is: its
  // animations stay paused while its own spell still runs or its distractions are off.
  Tesk::ProfileData* aProfile = theApp != nullptr ? theApp->getProfileData() : nullptr;
  const bool isShowing = !isRepellingAtLocation() && (aProfile == nullptr || !aProfile->getDistractionsOff());
  if (isShowing)
    for (ANIM::AnimationBasic& anAnim : m_locationAnims) anAnim.unpause();
  if (theId != s_locationAt) return;
  LevelData* aLevel = theApp != nullptr ? theApp->getLevelData() : nullptr;
  LocationData* aLocation = aLevel != nullptr ? aLevel->getLocationDataLevDynamic(theId) : nullptr;
  if (m_state == IN_LOCATION) {
    if (isShowing) startLocationEffects(theId, aLocation != nullptr ? aLocation->m_visitCount : 0, 1);
    playConstantLoops();
  }
  if (theApp != nullptr) theApp->PlaySample(Tesk::SFX_REPEL_COMPLETED);
  Tesk::InGame* aScene = theApp != nullptr ? theApp->getIngame() : nullptr;
  if (aScene != nullptr) aScene->repelAtLocation(false);
}

void LevelDynamics::toggleDistractions(bool off, Tesk::GameApp* theApp) {
  if (!off) {
    setNewLocation(s_locationAt, theApp);
    return;
  }
  m_fairies.init(Fairies::k_kindNone, Fairies::k_maxFairies);
  SpookyEyes::setActive(false);
  BookBird::setActive(false);
  Spider::setActive(false);
  Tree::setActive(false);
  EyeFire::setActive(false);
  // An inactive eye fire no longer updates, so nothing else would put out flames it has lit.
  m_eyeFire.killFlames();
  m_eyeChaser.setChasing(false);
  killEffects();
  pauseLocationAnims();
}

void LevelDynamics::updateDarkness(uint8_t& theDarkness, int32_t& theCounter, bool& isClearing, int theId) {
  m_spotlightAnim.update();
  if (isClearing) {
    if (theDarkness == 0) {
      isClearing = false;
    } else if (++theCounter > 0) {
      --theCounter;
      if (--theDarkness == 0) isClearing = false;
    }
  } else if (m_repelTimers[theId] == 0 && theDarkness < 255) {
    if (++theCounter > 1) {
      theCounter -= 2;
      ++theDarkness;
    }
  }
}

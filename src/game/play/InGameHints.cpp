// The play scene's hints, spells, coins and runestones, and the one-time help messages that
// teach them.
#include <algorithm>

#include "core/MTRand.h"
#include "game/play/PlayConstants.h"
#include "game/play/ScreenButtons.h"
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/shell/AppAccess.h"
#include "game/shell/GameApp.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "graphics/ParticleSystem.h"
#include "widgets/OrvoButtonWidget.h"

namespace Tesk {

namespace {

constexpr int k_maxRevealCandidates = 20;
constexpr int k_hardRevealEntries = 3;  // the hard list shows three lines clearly
constexpr uint16_t k_revealMessageTimer = 100;
constexpr int k_winkUpdates = 12;
constexpr int k_helpIdleLimit = 9999;
constexpr int k_coinsForSecondMap = 36;
constexpr int k_coinsForWands = 18;
constexpr float k_pulseDrop = 3.0f * InGame::k_crystalBallFadeAlpha;

// Particle effects.
constexpr int k_revealGlow = 1;
constexpr int k_repelPickupBurst = 2;
constexpr int k_repelRunning = 21;
constexpr int k_repelEnded = 22;
constexpr int k_foundBurst = 23;
constexpr int k_coinShower = 28;
constexpr int k_revealBurst = 29;

// An object's centre and the area its effects cover: a small margin off each side.
struct Spot {
  int x, y, w, h;
};
Spot SpotOf(const Selectable* theObject) {
  const int w = theObject->m_image != nullptr ? theObject->m_image->GetWidth() : 0;
  const int h = theObject->m_image != nullptr ? theObject->m_image->GetHeight() : 0;
  return {theObject->getX() + w / 2, theObject->getY() + h / 2, w - (w < 25 ? w / 5 : 5), h - (h < 25 ? h / 5 : 5)};
}

}  // namespace

void InGame::openPopup(int theType, unsigned char theState, bool dim, int theHintBit) {
  m_state = theState;
  if (m_popup != nullptr) {
    m_popup->SetDisabled(false);
    m_popup->SetVisible(true);
    m_popup->setType(static_cast<uint8_t>(theType));
    m_popup->setParent(this);
  }
  if (dim) GameApp::setFade(2);
  setWidgetsVisible(false);
  ProfileData* aProfile = profileOf(m_app);
  if (theHintBit >= 0 && aProfile != nullptr) aProfile->setHintBlock(theHintBit);
}

bool InGame::showHelpOnce(int theType, unsigned char theState, bool dim) {
  ProfileData* aProfile = profileOf(m_app);
  const int aBit = theType - POPUP_HINT_WELCOME;
  if (aProfile == nullptr || !aProfile->getHelpBox() || aProfile->getHintBlock(aBit)) return false;
  openPopup(theType, theState, dim, aBit);
  return true;
}

bool InGame::isRepelReady() {
  ProfileData* aProfile = profileOf(m_app);
  return aProfile != nullptr && !m_levelDynamics.isRepellingAtLocation() &&
         aProfile->getRepelCharge() >= aProfile->getRepelChargePressPowerUsed();
}

void InGame::hintButtonPress(int theCharge) {
  ProfileData* aProfile = profileOf(m_app);
  if (aProfile == nullptr || m_location == nullptr || theCharge < 0 || theCharge > 4) return;
  if (m_revealFlashTimer != 0 || m_location->m_numOpen == 0) return;
  m_revealIndex = static_cast<uint8_t>(theCharge);
  m_app->PlaySample(SFX_REVEAL);
  m_quickfind.m_counter = k_notQuick;
  m_quickfind.m_timer = k_revealMessageTimer;

  const int aBudget = aProfile->getDifficultyLevel() == 2 ? k_hardRevealEntries : LocationData::k_findListSize;
  // The easiest group among the open entries the player can see.
  int aGroup = 3;
  int aLeft = aBudget;
  for (int j = 0; j < LocationData::k_findListSize && aLeft != 0 && aGroup != 0; ++j) {
    const FindInfo& e = m_location->m_findInfo[j];
    if (!e.isActive()) continue;
    for (Selectable* aPart : e.m_parts) {
      if (aPart == nullptr) continue;
      aGroup = std::min(aGroup, aPart->getDiffGroup());
      --aLeft;
      break;
    }
  }
  // Its parts still in the scene, the first twenty at most.
  Selectable* aCandidates[k_maxRevealCandidates];
  int n = 0;
  aLeft = aBudget;
  for (int j = 0; j < LocationData::k_findListSize && aLeft != 0 && n < k_maxRevealCandidates; ++j) {
    const FindInfo& e = m_location->m_findInfo[j];
    if (!e.isActive()) continue;
    int aSeen = 0;
    for (int k = 0; k < FindInfo::k_maxParts && aSeen < e.getCount() && n < k_maxRevealCandidates; ++k) {
      Selectable* aPart = e.m_parts[k];
      if (aPart == nullptr) continue;
      ++aSeen;
      if (aPart->getDiffGroup() == aGroup) aCandidates[n++] = aPart;
    }
    --aLeft;
  }
  if (n == 0) return;

  Selectable* aChosen = aCandidates[Rand() % n];
  m_revealedObject = aChosen;
  const int w = aChosen->m_image != nullptr ? aChosen->m_image->GetWidth() : 0;
  const int h = aChosen->m_image != nullptr ? aChosen->m_image->GetHeight() : 0;
  PARTICLE::createSystem(aChosen->getX(), aChosen->getY(), k_revealGlow, static_cast<int>(w * 0.9f),
                         static_cast<int>(h * 0.9f), nullptr);
  const Spot s = SpotOf(aChosen);
  PARTICLE::createSystem(s.x, s.y, k_revealBurst, s.w, s.h, nullptr);
  aProfile->levelHintUsed(theCharge);
  m_revealGlowAlpha = 1.0f;
  m_revealFlashTimer = k_revealFlashUpdates;
  setButtonShown(m_revealButtons[theCharge], false);
}

void InGame::repelEvilButtonPress() {
  ProfileData* aProfile = profileOf(m_app);
  if (aProfile == nullptr) return;
  aProfile->setRepelChargePressed();
  m_levelDynamics.repel(m_app);
  setButtonShown(m_repelButton, false);
  showHelpOnce(POPUP_HINT_USING_REPEL2, 2, false);
}

void InGame::inactivateRepel() { setButtonShown(m_repelButton, false); }

void InGame::repelAtLocation(bool on) {
  if (on) {
    if (m_repelParticles != nullptr) m_repelParticles->kill();
    m_repelParticles = PARTICLE::createSystem(70, 568, k_repelRunning, 70, 32, nullptr);
  } else {
    if (m_repelParticles != nullptr) m_repelParticles->kill();
    m_repelParticles = nullptr;
    PARTICLE::createSystem(70, 568, k_repelEnded, 70, 32, nullptr);
  }
}

void InGame::updateHelpIdle() {
  ProfileData* aProfile = profileOf(m_app);
  if (aProfile == nullptr || !aProfile->getHelpBox() || aProfile->getHintBlock(POPUP_HINT_MAP_BUTTON - 50)) return;
  if (++m_helpIdleCounter > k_helpIdleLimit) showHelpOnce(POPUP_HINT_MAP_BUTTON, 2, false);
}

void InGame::updateRevealWink() {
  if (--m_winkTimer > 0) return;
  if (m_winkOn != 0) {
    m_winkOn = 0;
    m_winkTimer = Rand() % 400 + 200;
    return;
  }
  m_winkOn = 1;
  m_winkTimer = k_winkUpdates;
  ProfileData* aProfile = profileOf(m_app);
  int anIndex = Rand() % 5;
  m_winkIndex = 255;
  for (int aTry = 0; aTry < 5 && aProfile != nullptr; ++aTry, anIndex = (anIndex + 1) % 5) {
    if (aProfile->isHintAvailable(anIndex)) {
      m_winkIndex = static_cast<uint8_t>(anIndex);
      break;
    }
  }
}

void InGame::updateRepelRecharge() {
  // No spell before the second chapter: its button is not there to come back.
  if (m_repelButton == nullptr || m_app == nullptr || !m_app->isRepelEnabled()) return;
  if (m_repelButton->mDisabled && isRepelReady()) {
    setButtonShown(m_repelButton, true);
    m_app->PlaySample(SFX_REPEL_RECHARGED);
  }
}

void InGame::updateCrystalBallPulse() {
  ProfileData* aProfile = profileOf(m_app);
  const bool isDisabled = m_repelButton == nullptr || m_repelButton->mDisabled;
  const bool isShort = aProfile == nullptr || aProfile->getRepelChargePressPowerUsed() > aProfile->getRepelCharge();
  if (m_crystalBallPulseAlpha > 0.0f && (isShort || isDisabled)) {
    m_crystalBallPulseAlpha = std::max(0.0f, m_crystalBallPulseAlpha - k_pulseDrop);
  } else if (!isDisabled) {
    m_crystalBallPulseAlpha += m_crystalBallFadeAlpha;
    if (m_crystalBallPulseAlpha >= k_crystalBallFadeAlphaMax) {
      m_crystalBallPulseAlpha = k_crystalBallFadeAlphaMax;
      m_crystalBallFadeAlpha = -m_crystalBallFadeAlpha;
    } else if (m_crystalBallPulseAlpha <= k_crystalBallFadeAlphaMin) {
      m_crystalBallPulseAlpha = k_crystalBallFadeAlphaMin;
      m_crystalBallFadeAlpha = -m_crystalBallFadeAlpha;
    }
  }
}

bool InGame::foundCollectable(Selectable* theObject) {
  ProfileData* aProfile = profileOf(m_app);
  if (theObject == nullptr || aProfile == nullptr || m_location == nullptr) return false;
  const int aKind = theObject->getKind();
  const Spot s = SpotOf(theObject);
  if (aKind == Selectable::k_kindRepel) {
    aProfile->setRepelEvilSpellBlock(static_cast<unsigned>(m_location->m_id));
    aProfile->increaseRepelCount();
    m_levelDynamics.repel(m_app);
    const Spot p = m_location->m_repelObject != nullptr ? SpotOf(m_location->m_repelObject) : s;
    PARTICLE::createSystem(p.x, p.y, k_repelPickupBurst, p.w, p.h, nullptr);
    m_app->PlaySample(SFX_REPEL);
    quickfindTest();
    return true;
  }
  if (aKind >= Selectable::k_kindCoin0 && aKind <= Selectable::k_kindCoin0 + 5) {
    aProfile->setCoinBlock(aKind - Selectable::k_kindCoin0 + static_cast<int>(m_location->m_coinBitBase));
    PARTICLE::createSystem(70, 11, k_foundBurst, 40, 10, nullptr);  // over the coin count
    PARTICLE::createSystem(s.x, s.y, k_foundBurst, s.w, s.h, nullptr);
    PARTICLE::createSystem(s.x, s.y, k_coinShower, s.w, s.h, 2, 4, nullptr);
    quickfindTest();
    m_app->PlaySample(SFX_COIN);
    return true;
  }
  if (aKind == Selectable::k_kindRunestone) {
    if (LevelData* aLevel = m_app->getLevelData()) ++aLevel->m_runestonesFound;
    aProfile->setFinalLevelRunestoneFound(m_location->m_id);
    PARTICLE::createSystem(s.x, s.y, k_foundBurst, s.w, s.h, nullptr);
    m_app->PlaySample(SFX_PROFILE_DELETED);
    return true;
  }
  return false;
}

bool InGame::coinUnlockChecks(bool atEntry) {
  ProfileData* aProfile = profileOf(m_app);
  if (aProfile == nullptr) return false;
  const int aCoins = aProfile->getCointTotal();
  if (aCoins == k_coinsForSecondMap && !aProfile->isOtherMapUnlocked()) {
    openPopup(POPUP_MAP_UNLOCKED, 6, true);
    aProfile->setOtherMapUnlocked();
    m_app->PlaySample(SFX_MINIGAME_PASSED);
    return true;
  }
  if (atEntry) return false;
  if (aCoins >= k_coinsForWands && !aProfile->areWandsUnlocked()) {
    openPopup(POPUP_WANDS_UNLOCKED_2, 6, true);
    aProfile->setWandsUnlocked();
    m_app->PlaySample(SFX_MINIGAME_PASSED);
    return true;
  }
  if (aProfile->getLevelOn() != k_finalLevel && aCoins == 1)
    return showHelpOnce(POPUP_HINT_FOUND_FIRST_COIN, 2, false);
  return false;
}

void InGame::entryChecks() {
  ProfileData* aProfile = profileOf(m_app);
  if (aProfile == nullptr) return;
  if (coinUnlockChecks(true)) return;
  const int aLevel = aProfile->getLevelOn();
  const int aCoins = aProfile->getCointTotal();
  const int anId = m_location != nullptr ? m_location->m_id : m_app->getLocationAt();
  struct Row {
    bool when;
    int type;
    bool dim;
  };
  const Row k_rows[] = {
      {aLevel == 1, POPUP_HINT_FIND_OBJECTS, false},
      {aCoins == 0, POPUP_HINT_FIND_COINS, true},
      {aLevel == 2, POPUP_HINT_USING_REPEL, true},
      {aLevel >= 2, POPUP_HINT_USING_REPEL_POWERUP, true},
      {aLevel == 4 && anId == 9, POPUP_HINT_DUNGEON, true},
      {aCoins == 0 && aLevel == 4, POPUP_HINT_COIN_REMINDER, false},
      {aLevel == 3, POPUP_HINT_QUICKFIND, true},
  };
  for (const Row& r : k_rows)
    if (r.when && showHelpOnce(r.type, 2, r.dim)) return;
}

void InGame::findHighlightEnded(Selectable* theObject) {
  ProfileData* aProfile = profileOf(m_app);
  if (theObject == nullptr || aProfile == nullptr) return;
  if (theObject->isCoin()) {
    coinUnlockChecks(false);
    return;
  }
  const int aLevel = aProfile->getLevelOn();
  if (aLevel == k_finalLevel) return;
  if (aLevel == 1 && showHelpOnce(POPUP_HINT_FOUND_FIRST_OBJ, 2, false)) return;
  if (aLevel == 1 && (!aProfile->isHintAvailable(0) || !aProfile->isHintAvailable(1)) &&
      showHelpOnce(POPUP_HINT_DONT_WASTE_REVEALS, 2, false))
    return;
  if (theObject->getKind() == Selectable::k_kindRepel) showHelpOnce(POPUP_HINT_FIRST_REPEL_FOUND, 2, true);
}

}  // namespace Tesk

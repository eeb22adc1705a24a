// The play scene's hints, spells, coins and runestones.
#include "game/play/InGame.h"
#include "game/shell/GameApp.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/play/LevelDynamics.h"

namespace Tesk {

void InGame::hintButtonPress(int) {}

void InGame::repelEvilButtonPress() {}

void InGame::inactivateRepel() {}

void InGame::repelAtLocation(bool) {}

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
  ProfileData* aProfile = m_app != nullptr ? m_app->getProfileData() : nullptr;
  if (theHintBit >= 0 && aProfile != nullptr) aProfile->setHintBlock(theHintBit);
}

bool InGame::showHelpOnce(int theType, unsigned char theState, bool dim) {
  ProfileData* aProfile = m_app != nullptr ? m_app->getProfileData() : nullptr;
  if (aProfile == nullptr || !aProfile->getHelpBox() || aProfile->getHintBlock(theType - 50)) return false;
  openPopup(theType, theState, dim, theType - 50);
  return true;
}

bool InGame::isRepelReady() {
  ProfileData* aProfile = m_app != nullptr ? m_app->getProfileData() : nullptr;
  return aProfile != nullptr && !m_levelDynamics.isRepellingAtLocation() &&
         aProfile->getRepelCharge() >= aProfile->getRepelChargePressPowerUsed();
}

void InGame::updateHelpIdle() {}

void InGame::updateRevealWink() {}

void InGame::updateRepelRecharge() {}

void InGame::updateCrystalBallPulse() {}

bool InGame::foundCollectable(Selectable*) { return false; }

void InGame::entryChecks() {}

void InGame::findHighlightEnded(Selectable*) {}

bool InGame::coinUnlockChecks(bool) { return false; }

}  // namespace Tesk

#include "game/play/DistractionSupport.h"

#include <set>
#include <string>

#include "game/play/LevelDynamics.h"
#include "game/shell/GameApp.h"
#include "game/shell/GameLog.h"
#include "game/shell/ResourceIds.h"
#include "graphics/Image.h"
#include "graphics/ParticleSystem.h"
#include "sound/SoundInstance.h"
#include "sound/SoundManager.h"

namespace DISTRACTION {

bool setSheet(ANIM::AnimationBasic& theAnim, Tesk::Image* theImage, int theFrames, int theDelay, int theState,
              int theRows, int theCols) {
  if (theImage == nullptr) {
    theAnim.clear();
    return false;
  }
  theAnim.setAnim(theImage, theFrames, theDelay, theState);
  theAnim.setRowsCols(static_cast<unsigned char>(theRows), static_cast<unsigned char>(theCols));
  return true;
}

void startPuff(PARTICLE::ParticleSystem*& thePuff, int x, int y, int theWidth, int theHeight) {
  killPuff(thePuff);
  thePuff = PARTICLE::createSystem(x, y, k_puffType, theWidth, theHeight, nullptr);
}

bool isPuffAlive(PARTICLE::ParticleSystem*& thePuff) {
  if (thePuff != nullptr && thePuff->m_type != k_puffType) thePuff = nullptr;
  return thePuff != nullptr;
}

void movePuff(PARTICLE::ParticleSystem*& thePuff, int x, int y) {
  if (!isPuffAlive(thePuff)) return;
  thePuff->m_x = static_cast<uint16_t>(x);
  thePuff->m_y = static_cast<uint16_t>(y);
}

void killPuff(PARTICLE::ParticleSystem*& thePuff) {
  if (isPuffAlive(thePuff)) thePuff->kill();
  thePuff = nullptr;
}

void clickBurst(Tesk::GameApp* theApp, int x, int y, int theWidth, int theHeight) {
  if (theApp != nullptr)
    theApp->PlaySample(Tesk::SFX_REPEL_CLICK);
  else
    playSample(Tesk::SFX_REPEL_CLICK);
  PARTICLE::createSystem(x + theWidth / 2, y + theHeight / 2, k_clickBurstType, theWidth, theHeight, nullptr);
}

Tesk::GameApp* app() {
  if (LevelDynamics::s_gameApp != nullptr) return LevelDynamics::s_gameApp;
  return dynamic_cast<Tesk::GameApp*>(Tesk::gTeskAppBase);
}

Tesk::SoundManager* soundManager() {
  Tesk::GameApp* anApp = app();
  return anApp != nullptr ? anApp->mSoundManager : nullptr;
}

void playSample(int theSoundId) {
  if (Tesk::GameApp* anApp = app()) anApp->PlaySample(theSoundId);
}

void takeInstance(Tesk::SoundInstance*& theSlot, int theSoundId) {
  releaseInstance(theSlot);
  Tesk::SoundManager* aManager = soundManager();
  if (aManager != nullptr && theSoundId >= 0)
    theSlot = aManager->GetSoundInstance(static_cast<unsigned>(theSoundId));
}

void releaseInstance(Tesk::SoundInstance*& theSlot) {
  if (theSlot != nullptr) theSlot->Release();
  theSlot = nullptr;
}

bool loadSound(int theSoundId, const char* theName) {
  Tesk::SoundManager* aManager = soundManager();
  if (aManager == nullptr) return false;
  if (aManager->LoadSound(static_cast<unsigned>(theSoundId), theName)) return true;
  // A missing sound is no reason to stop the game: the location goes on without it.
  static std::set<std::string> s_reported;
  if (s_reported.insert(theName).second)
    Tesk::GameLog("ambient sound %s cannot be loaded; the location goes on without it", theName);
  return false;
}

}  // namespace DISTRACTION

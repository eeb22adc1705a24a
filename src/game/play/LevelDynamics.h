// What makes a location feel alive: its ambient sounds, distraction actors, fairies, effects and
// darkness, and the repel spell that drives them away for a while. One object, the play scene's.
#pragma once

#include <cstdint>

#include "game/play/AmbientSounds.h"
#include "game/play/BookBird.h"
#include "game/play/EyeChaser.h"
#include "game/play/EyeFire.h"
#include "game/play/Fairies.h"
#include "game/play/Spider.h"
#include "game/play/SpookyEyes.h"
#include "game/play/Tree.h"
#include "graphics/AnimationBasic.h"

class LevelData;

namespace PARTICLE {
class ParticleSystem;
}
namespace Tesk {
class GameApp;
class Graphics;
class SoundInstance;
}  // namespace Tesk

class LevelDynamics {
 public:
  enum State : uint8_t { OUTSIDE_LOCATION = 0, IN_LOCATION = 1 };

  // Set-up, update, drawing and clicks (LevelDynamics.cpp) -------------------------------------
  LevelDynamics();
  ~LevelDynamics();

  void reset(LevelData* theLevelData);
  void setNewLocation(int theId, Tesk::GameApp* theApp);
  void exitLocationToMap();
  void update(Tesk::GameApp* theApp);
  void draw(Tesk::Graphics* g, Tesk::GameApp* theApp, float theAlpha);
  bool clickedOnTest(int x, int y, Tesk::GameApp* theApp);

  // Darkness, the repel spell and the distractions switch (LevelDynamicsRepel.cpp) -------------
  void repel(Tesk::GameApp* theApp);
  void repelCompleted(int theId, Tesk::GameApp* theApp);
  bool isRepellingAtLocation();
  void toggleDistractions(bool off, Tesk::GameApp* theApp);

  // Ambient sound (LevelDynamicsAmbient.cpp) ---------------------------------------------------
  void loadConstantLoop(const CSLOOPS& theLoop, int i);
  void loadTimedLoop(const STLOOP& theLoop, int i);
  void loadOnePlay(const SONEPLAY& theSound, int i);
  // Every instance released and every ambient sound id given back to the sound manager.
  void releaseSounds();
  // The location's loops and one-shots from its row of the ambient table.
  void loadLocationSounds(int theId);
  // Constant loops play (unless repelled); the timed loops and one-shots get their first waits.
  void startSounds(bool repelled);
  void updateSounds(bool repelled);
  void stopSounds();
  void playConstantLoops();

  // The repel timer of location theId (0 outside 1-12).
  uint16_t repelTimerOf(int theId) const;
  // The actors, fairies, effects and animations of location theId on visit theVisits.
  void setUpActors(int theId, int theVisits);
  // The particle effects of locations 6 and 7.
  void startLocationEffects(int theId, int theVisits, int theFromVisit7);
  void killEffects();
  void pauseLocationAnims();
  // Darkness of location 9 or 12: clears by 1 per update while clearing, comes back by 1 every
  // 2 updates once the spell is over.
  void updateDarkness(uint8_t& theDarkness, int32_t& theCounter, bool& isClearing, int theId);

  uint8_t m_state;
  Fairies m_fairies;
  SpookyEyes m_spookyEyes;
  BookBird m_books[3];
  Spider m_spiders[2];
  Tree m_tree;
  EyeFire m_eyeFire;
  EyeChaser m_eyeChaser;
  ANIM::AnimationBasic m_locationAnims[3];
  ANIM::AnimationBasic m_spotlightAnim;
  PARTICLE::ParticleSystem* m_effects[4];
  int32_t m_numConstantLoops;
  int32_t m_numTimedLoops;
  int32_t m_numOnePlays;
  // Sound ids 150-152.
  Tesk::SoundInstance* m_constantLoops[3];
  // Sound ids 160-162, with their timing.
  Tesk::SoundInstance* m_timedLoops[3];
  int16_t m_timedCountdown[3];
  uint8_t m_timedPlaying[3];
  uint16_t m_timedPlayBase[3];
  uint16_t m_timedPlayRange[3];
  uint16_t m_timedSilenceBase[3];
  uint16_t m_timedSilenceRange[3];
  // Sound ids 170-177, with their timing.
  Tesk::SoundInstance* m_onePlays[8];
  int16_t m_onePlayCountdown[8];
  uint16_t m_onePlayDelayBase[8];
  uint16_t m_onePlayDelayRange[8];
  // Locations 9 and 12: darkness 255 full to 0 none, its step counter and clearing flag.
  uint8_t m_darkness9;
  uint8_t m_darkness12;
  int32_t m_darknessCounter9;
  int32_t m_darknessCounter12;
  bool m_darknessClearing9;
  bool m_darknessClearing12;
  // Updates left of the repel spell per location id (0 unused).
  uint16_t m_repelTimers[13];

  // Fairies per visit count 0 to 4.
  static const uint32_t k_numFairiesPerVisit[5];
  // The location the object is set up for, and the application.
  static int s_locationAt;
  static Tesk::GameApp* s_gameApp;
};

// Level dynamics: the ambient sounds of a location. A sound whose file is missing leaves its
// slot empty; the schedule runs on without it.
#include "core/MTRand.h"
#include "game/play/DistractionSupport.h"
#include "game/play/LevelDynamics.h"
#include "sound/SoundInstance.h"
#include "sound/SoundManager.h"

using Tesk::Rand;

const CSLOOPS k_csLoops[9] = {
    {"ambient/clocktick2"}, {"ambient/sparrow3"},  {"ambient/Wind_Light_Loop"},
    {"ambient/nitepond"},   {"ambient/torchfire"}, {"ambient/CAVEWIND"},
    {"ambient/crickets"},   {"ambient/mine"},      {"ambient/quietfo"},
};

const STLOOP k_stLoops[9] = {
    {"ambient/bird", 1500, 1500, 600, 600},        {"ambient/chain", 2400, 4400, 500, 300},
    {"ambient/clockchime1", 3500, 4500, 400, 500}, {"ambient/gravelwalk", 2500, 3500, 400, 400},
    {"ambient/heartbe", 2500, 3500, 500, 500},     {"ambient/Step_Heavy_A_02", 2500, 2500, 400, 500},
    {"ambient/crow", 2000, 3500, 100, 300},        {"ambient/churchbell", 3000, 5500, 800, 400},
    {"ambient/oldphone", 2500, 5500, 500, 400},
};

const SONEPLAY k_sOneplays[28] = {
    {"ambient/creakslam", 2000, 4500},
    {"ambient/doorcreak3", 2000, 4500},
    {"ambient/dovefly", 1500, 4500},
    {"ambient/frog3", 1500, 4500},
    {"ambient/mice", 1500, 2500},
    {"ambient/mouse", 1500, 2500},
    {"ambient/owl", 2500, 5500},
    {"ambient/thunder", 3000, 6000},
    {"ambient/thunderrumble2", 1500, 4500},
    {"ambient/windchimes", 1000, 3500},
    {"ambient/darkevil", 2000, 4500},
    {"ambient/Insect06", 1500, 3500},
    {"ambient/Dragon_Idle01", 2000, 3500},
    {"ambient/Creature_SmallA_Idle01", 2500, 4500},
    {"ambient/Insect04", 1500, 3500},
    {"ambient/Insect_Alien01", 1500, 3500},
    {"ambient/Creature_LargeI_Idle01", 2000, 4500},
    {"ambient/Stream_Splash", 1000, 2500},
    {"ambient/cock", 3000, 4500},
    {"ambient/Step_Grass_B_01", 1500, 3500},
    {"ambient/Step_Foliage01", 2000, 4000},
    {"ambient/CRK_SQK1", 2500, 3500},
    {"ambient/BLUEJAY2", 1500, 5500},
    {"ambient/wolf2", 2500, 5500},
    {"ambient/owl2", 1500, 3000},
    {"ambient/harp", 2500, 5500},
    {"ambient/goaway", 3500, 5500},
    {"ambient/write", 2500, 4500},
};

namespace {

constexpr int k_constantLoopBase = 150;
constexpr int k_timedLoopBase = 160;
constexpr int k_onePlayBase = 170;

// A location's sounds by table index, in the order the slots take them; -1 ends a list.
struct LocationSounds {
  int8_t mConstantLoops[3];
  int8_t mTimedLoops[3];
  int8_t mOnePlays[8];
};

const LocationSounds k_locationSounds[13] = {
    {{-1}, {-1}, {-1}},                               // no location 0
    {{8, -1}, {0, -1}, {5, 12, 13, 14, 16, 17, -1}},  // 1
    {{0, -1}, {2, -1}, {21, 0, 5, 4, -1}},            // 2
    {{6, -1}, {3, -1}, {6, 11, 23, 24, 20, -1}},      // 3
    {{1, -1}, {0, 6, -1}, {14, 18, 19, 20, 22, -1}},  // 4
    {{2, -1}, {-1}, {4, 5, 7, 8, 9, -1}},             // 5
    {{5, -1}, {5, 1, -1}, {10, 25, 15, -1}},          // 6
    {{-1}, {5, -1}, {5, 4, 15, 27, 23, -1}},          // 7
    {{6, -1}, {3, 7, -1}, {8, 14, 19, 20, -1}},       // 8
    {{7, 4, 5}, {1, 5, -1}, {4, 5, -1}},              // 9
    {{1, 3, -1}, {-1}, {3, 11, 14, 17, -1}},          // 10
    {{2, -1}, {0, -1}, {2, 9, 7, 8, -1}},             // 11
    {{-1}, {8, -1}, {5, 1, 21, 26, 27, -1}},          // 12
};

int countdown(uint16_t theBase, uint16_t theRange) {
  return theBase + (theRange != 0 ? Rand() % theRange : 0);
}

void play(Tesk::SoundInstance* theSound, bool isLooping) {
  if (theSound != nullptr) theSound->Play(isLooping, false);
}

}  // namespace

void LevelDynamics::loadConstantLoop(const CSLOOPS& theLoop, int i) {
  DISTRACTION::loadSound(k_constantLoopBase + i, theLoop.m_name);
  DISTRACTION::takeInstance(m_constantLoops[i], k_constantLoopBase + i);
}

void LevelDynamics::loadTimedLoop(const STLOOP& theLoop, int i) {
  DISTRACTION::loadSound(k_timedLoopBase + i, theLoop.m_name);
  DISTRACTION::takeInstance(m_timedLoops[i], k_timedLoopBase + i);
  m_timedSilenceBase[i] = theLoop.m_silenceBase;
  m_timedSilenceRange[i] = theLoop.m_silenceRange;
  m_timedPlayBase[i] = theLoop.m_playBase;
  m_timedPlayRange[i] = theLoop.m_playRange;
}

void LevelDynamics::loadOnePlay(const SONEPLAY& theSound, int i) {
  DISTRACTION::loadSound(k_onePlayBase + i, theSound.m_name);
  DISTRACTION::takeInstance(m_onePlays[i], k_onePlayBase + i);
  m_onePlayDelayBase[i] = theSound.m_delayBase;
  m_onePlayDelayRange[i] = theSound.m_delayRange;
}

void LevelDynamics::loadLocationSounds(int theId) {
  if (theId < 1 || theId > 12) return;
  const LocationSounds& s = k_locationSounds[theId];
  for (int i = 0; i < 3 && s.mConstantLoops[i] >= 0; ++i)
    loadConstantLoop(k_csLoops[s.mConstantLoops[i]], m_numConstantLoops++);
  for (int i = 0; i < 3 && s.mTimedLoops[i] >= 0; ++i)
    loadTimedLoop(k_stLoops[s.mTimedLoops[i]], m_numTimedLoops++);
  for (int i = 0; i < 8 && s.mOnePlays[i] >= 0; ++i)
    loadOnePlay(k_sOneplays[s.mOnePlays[i]], m_numOnePlays++);
}

void LevelDynamics::releaseSounds() {
  Tesk::SoundManager* aManager = DISTRACTION::soundManager();
  auto Release = [aManager](Tesk::SoundInstance** theSlots, int theCount, int theBase) {
    for (int i = 0; i < theCount; ++i) {
      DISTRACTION::releaseInstance(theSlots[i]);
      if (aManager != nullptr) aManager->ReleaseSound(static_cast<unsigned>(theBase + i));
    }
  };
  Release(m_constantLoops, 3, k_constantLoopBase);
  Release(m_timedLoops, 3, k_timedLoopBase);
  Release(m_onePlays, 8, k_onePlayBase);
}

void LevelDynamics::startSounds(bool repelled) {
  if (!repelled)
    for (int i = 0; i < m_numConstantLoops; ++i) play(m_constantLoops[i], true);
  for (int i = 0; i < m_numTimedLoops; ++i) {
    m_timedCountdown[i] = static_cast<int16_t>(countdown(m_timedSilenceBase[i], m_timedSilenceRange[i]));
    m_timedPlaying[i] = 0;
  }
  for (int i = 0; i < m_numOnePlays; ++i)
    m_onePlayCountdown[i] = static_cast<int16_t>(countdown(m_onePlayDelayBase[i], m_onePlayDelayRange[i]));
}

void LevelDynamics::updateSounds(bool repelled) {
  for (int i = 0; i < m_numTimedLoops; ++i) {
    if (--m_timedCountdown[i] < 1) {
      if (m_timedPlaying[i] != 0 || repelled) {
        m_timedPlaying[i] = 0;
        m_timedCountdown[i] = static_cast<int16_t>(countdown(m_timedSilenceBase[i], m_timedSilenceRange[i]));
      } else {
        play(m_timedLoops[i], false);
        m_timedPlaying[i] = 1;
        m_timedCountdown[i] = static_cast<int16_t>(countdown(m_timedPlayBase[i], m_timedPlayRange[i]));
      }
    }
    // A loop whose sound ends before its time is up starts again.
    if (m_timedPlaying[i] != 0 && m_timedLoops[i] != nullptr && !m_timedLoops[i]->IsPlaying()) {
      if (repelled) {
        m_timedPlaying[i] = 0;
        m_timedCountdown[i] = static_cast<int16_t>(countdown(m_timedSilenceBase[i], m_timedSilenceRange[i]));
      } else {
        play(m_timedLoops[i], false);
      }
    }
  }
  for (int i = 0; i < m_numOnePlays; ++i) {
    if (--m_onePlayCountdown[i] < 1) {
      if (!repelled) play(m_onePlays[i], false);
      m_onePlayCountdown[i] = static_cast<int16_t>(countdown(m_onePlayDelayBase[i], m_onePlayDelayRange[i]));
    }
  }
}

void LevelDynamics::stopSounds() {
  for (Tesk::SoundInstance* s : m_constantLoops)
    if (s != nullptr && s->IsPlaying()) s->Stop();
  for (Tesk::SoundInstance* s : m_timedLoops)
    if (s != nullptr && s->IsPlaying()) s->Stop();
  for (Tesk::SoundInstance* s : m_onePlays)
    if (s != nullptr && s->IsPlaying()) s->Stop();
}

void LevelDynamics::playConstantLoops() {
  for (int i = 0; i < m_numConstantLoops; ++i) play(m_constantLoops[i], true);
}

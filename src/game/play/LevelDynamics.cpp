// Level dynamics: set-up on entering a location, the per-update step, drawing and clicks.
#include "game/play/LevelDynamics.h"

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

void LevelDynamics::reset(LevelData*) {}

void LevelDynamics::setNewLocation(int, Tesk::GameApp*) {}

void LevelDynamics::exitLocationToMap() {}

void LevelDynamics::update(Tesk::GameApp*) {}

void LevelDynamics::draw(Tesk::Graphics*, Tesk::GameApp*, float) {}

bool LevelDynamics::clickedOnTest(int, int, Tesk::GameApp*) { return false; }

// Level dynamics: the ambient sounds of a location.
#include "game/play/LevelDynamics.h"

void LevelDynamics::loadConstantLoop(const CSLOOPS&, int) {}

void LevelDynamics::loadTimedLoop(const STLOOP&, int) {}

void LevelDynamics::loadOnePlay(const SONEPLAY&, int) {}

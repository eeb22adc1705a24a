// Level dynamics: darkness, the repel spell and the distractions switch.
#include "game/play/LevelDynamics.h"

void LevelDynamics::repel(Tesk::GameApp*) {}

void LevelDynamics::repelCompleted(int, Tesk::GameApp*) {}

bool LevelDynamics::isRepellingAtLocation() { return false; }

void LevelDynamics::toggleDistractions(bool, Tesk::GameApp*) {}

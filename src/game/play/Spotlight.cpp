#include "game/play/Spotlight.h"

float Spotlight::s_sinFloatVal = 0.0f;

void Spotlight::draw(Tesk::Graphics*, int, int, int, ANIM::AnimationBasic*) {}

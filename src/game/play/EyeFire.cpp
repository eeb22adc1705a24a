#include "game/play/EyeFire.h"

bool EyeFire::s_activeAtThisLocation = false;

EyeFire::EyeFire()
    : m_state(0), m_timer(-1), m_alpha(0.0f), m_images(), m_flames(), m_puffs(), m_repelled(0) {}

void EyeFire::init(int) {}

void EyeFire::update(bool) {}

void EyeFire::draw(Tesk::Graphics*, float) {}

void EyeFire::repel() {}

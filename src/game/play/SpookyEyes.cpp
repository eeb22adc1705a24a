#include "game/play/SpookyEyes.h"

bool SpookyEyes::s_activeAtThisLocation = false;

SpookyEyes::SpookyEyes()
    : m_state(0), m_timer(0), m_variant(0), m_numHidingRects(0), m_puff(nullptr), m_repelled(0) {}

void SpookyEyes::init(int) {}

void SpookyEyes::update(bool) {}

void SpookyEyes::draw(Tesk::Graphics*, float) {}

void SpookyEyes::repel() {}

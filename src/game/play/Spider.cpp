#include "game/play/Spider.h"

bool Spider::s_activeAtThisLocation = false;

Spider::Spider()
    : m_state(7),
      m_timer(0),
      m_blocked(),
      m_columnStart(0),
      m_columnWidth(0),
      m_y(0.0f),
      m_speed(0.0f),
      m_acceleration(0.0f),
      m_alpha(0.0f),
      m_puff(nullptr) {}

void Spider::init(int, int) {}

void Spider::update(bool) {}

void Spider::draw(Tesk::Graphics*, float) {}

void Spider::repel() {}

void Spider::setNullState() {}

bool Spider::clickedOnTest(int, int, Tesk::GameApp*) { return false; }

void Spider::setInvalidArea(int, int) {}

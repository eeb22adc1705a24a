#include "game/play/BookBird.h"

bool BookBird::s_activeAtThisLocation = false;

BookBird::BookBird()
    : m_flags(0),
      m_timer(0),
      m_scale(0.0f),
      m_pos(),
      m_dest(),
      m_velocity(),
      m_bobPhase(0.0f),
      m_phaseStep(0.0f),
      m_bobAmplitude(0.0f),
      m_puff(nullptr),
      m_leaving(0),
      m_alpha(0.0f),
      m_flapSound(nullptr) {}

void BookBird::init() {}

void BookBird::update(bool) {}

void BookBird::draw(Tesk::Graphics*, float) {}

void BookBird::repel() {}

void BookBird::setNullState() {}

bool BookBird::clickedOnTest(int, int, Tesk::GameApp*) { return false; }

void BookBird::cleanup() {}

void BookBird::setNextDest() {}

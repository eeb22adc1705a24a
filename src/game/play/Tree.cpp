#include "game/play/Tree.h"

bool Tree::s_activeAtThisLocation = false;

Tree::Tree()
    : m_state(0), m_timer(65535), m_puff(nullptr), m_repelled(0), m_snoreIn(nullptr), m_snoreOut(nullptr) {}

void Tree::init() {}

void Tree::update(bool) {}

void Tree::draw(Tesk::Graphics*, float) {}

void Tree::repel() {}

void Tree::cleanup() {}

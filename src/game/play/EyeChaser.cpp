#include "game/play/EyeChaser.h"

bool EyeChaser::s_activeAtThisLocation = false;

EyeChaser::EyeChaser() : m_chasing(0), m_image(nullptr), m_x(0), m_y(0), m_offset(), m_puff(nullptr) {}

void EyeChaser::init() {}

void EyeChaser::update(bool, Tesk::WidgetManager*) {}

void EyeChaser::draw(Tesk::Graphics*, float) {}

void EyeChaser::repel() {}

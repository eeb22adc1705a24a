#include "game/shell/PreScreens.h"

#include "game/shell/GameLog.h"

namespace Tesk {

PreScreens::PreScreens(GameApp* theApp)
    : m_holdTime(300), m_app(theApp), m_images(), m_finished(false), m_countdown(0), m_currentSlot(0) {}

PreScreens::~PreScreens() {}

void PreScreens::AddedToManager(WidgetManager* theManager) {
  Widget::AddedToManager(theManager);
  LogNotBuilt("Tesk::PreScreens");
}

void PreScreens::RemovedFromManager(WidgetManager* theManager) { Widget::RemovedFromManager(theManager); }

void PreScreens::Update() { Widget::Update(); }

void PreScreens::Draw(Graphics*) {}

void PreScreens::MouseDown(int, int, int) {}

}  // namespace Tesk

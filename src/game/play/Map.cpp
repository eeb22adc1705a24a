#include "game/play/Map.h"

#include "game/shell/GameLog.h"
#include "widgets/OrvoButtonWidget.h"

namespace Tesk {

Map::Map(GameApp* theApp)
    : m_app(theApp),
      m_popup(nullptr),
      m_menuButton(nullptr),
      m_locationButtons(),
      m_mapImage(nullptr),
      m_sideBarImage(nullptr),
      m_locationPictures(),
      m_namePlates(),
      m_nameHighlights(),
      m_state(0),
      m_markerAngle(0.0f),
      m_sparkle(nullptr),
      m_sparkleLocation(-1),
      m_ambient(nullptr),
      m_numImages(0),
      m_images() {}

Map::~Map() {
  delete m_menuButton;
  for (OrvoButtonWidget* aButton : m_locationButtons) delete aButton;
}

void Map::Init() {}

void Map::setGameState(uint8_t theState) { m_state = theState; }

void Map::setMapType() {}

void Map::setWidgetsVisible(bool) {}

void Map::DrawMapNameString(Graphics*, int, int) {}

void Map::AddedToManager(WidgetManager* theManager) {
  Widget::AddedToManager(theManager);
  LogNotBuilt("Tesk::Map");
}

void Map::RemovedFromManager(WidgetManager* theManager) { Widget::RemovedFromManager(theManager); }

void Map::Update() { Widget::Update(); }

void Map::Draw(Graphics*) {}

void Map::KeyDown(KeyCode) {}

void Map::MouseMove(int, int) {}

void Map::MouseDown(int, int, int) {}

void Map::ButtonPress(int) {}

void Map::ButtonDepress(int) {}

}  // namespace Tesk

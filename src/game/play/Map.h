// The location map: the chapter's locations with their markers on one of two maps, and the
// side bar; a click on a location starts the play scene there.
#pragma once

#include <cstdint>

#include "graphics/AnimationBasic.h"
#include "widgets/ButtonListener.h"
#include "widgets/Widget.h"

namespace PARTICLE {
class ParticleSystem;
}

namespace Tesk {

class GameApp;
class Image;
class OrvoButtonWidget;
class PopupBox;
class SoundInstance;

class Map : public Widget, public ButtonListener {
 public:
  struct MapPoint {
    int16_t x;
    int16_t y;
  };
  // A location's picture or button and its marker.
  struct LocationPoints {
    MapPoint picture;
    MapPoint marker;
  };
  explicit Map(GameApp* theApp);
  ~Map() override;

  void Init();
  void setGameState(uint8_t theState);
  // Lays the locations out for the current level and map.
  void setMapType();
  void setWidgetsVisible(bool show);
  void DrawMapNameString(Graphics* g, int theIndex, int theOffset);
  void AddedToManager(WidgetManager* theManager) override;
  void RemovedFromManager(WidgetManager* theManager) override;
  void Update() override;
  void Draw(Graphics* g) override;
  void KeyDown(KeyCode theKey) override;
  void MouseMove(int x, int y) override;
  void MouseDown(int x, int y, int theClickCount) override;
  using ButtonListener::ButtonPress;
  void ButtonPress(int theId) override;
  void ButtonDepress(int theId) override;

  GameApp* m_app;
  PopupBox* m_popup;
  OrvoButtonWidget* m_menuButton;  // id 1
  // Ids 2-13 for location ids 1-12.
  OrvoButtonWidget* m_locationButtons[12];
  Image* m_mapImage;
  Image* m_sideBarImage;
  // First map only; null for inactive locations and on the second map.
  Image* m_locationPictures[12];
  Image* m_namePlates[12];
  Image* m_nameHighlights[12];
  ANIM::AnimationBasic m_markers[12];
  // 0, 1, 2, 3, 6 or 9.
  uint8_t m_state;
  float m_markerAngle;
  PARTICLE::ParticleSystem* m_sparkle;
  int m_sparkleLocation;  // -1 none
  SoundInstance* m_ambient;
  uint8_t m_numImages;
  // mapblock.tgab then map2block.tgab.
  static const int k_maxImages = 65;
  Image* m_images[k_maxImages];

  // Update's repaint accumulator.
  float m_redraw;

  // Per location index 0-11; x values are shifted right by 140 when used.
  static const LocationPoints s_mapLocationsSelectionPoint[12];
  static const LocationPoints s_mapLocationsPointTreasureMap[12];
  static const MapPoint s_mapLocationsHoverPoint[12];
  static const MapPoint s_mapLocationText[12];
  // The first map's hit boxes are the level data's s_locationBBoxes.

  // The level of the profile in use, and whether it plays on the second map.
  int getLevel();
  bool isSecondMap();
  // Location index theIndex (id theIndex + 1) is in the level's row of locations.
  bool isListed(int theIndex);
  int openEntries(int theIndex);
  // Listed, and with something left to find (every listed location on the final level).
  bool isLocationActive(int theIndex);

 private:
  Image* mapImage(int theIndex);
  const MapPoint& markerPoint(int theIndex);
  const MapPoint& buttonPoint(int theIndex);
  void showPopup(uint8_t theType, uint8_t theFade, bool showWidgets);
  void showHint(int theHint);
  void loadImages();
  void deleteImages();
  // State 0's update: the clock, the markers and the sparkle.
  void updateOnMap();
};

}  // namespace Tesk

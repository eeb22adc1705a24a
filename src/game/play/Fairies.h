// A swarm of up to 25 glowing specks that drift along endless B-spline paths and blink on
// and off; the level dynamics set it up per location, update, repel and draw it.
#pragma once

#include <cstdint>

#include "game/play/FairyStruct.h"
#include "graphics/TPoint.h"

namespace Tesk {
class Graphics;
class Image;
}  // namespace Tesk

class Fairies {
 public:
  static constexpr int k_maxFairies = 25;
  static constexpr uint8_t k_kindNone = 0;
  static constexpr uint8_t k_kindSmall = 3;

  // Sprite-sheet layout, in m_sheetLayout.
  enum {
    k_sheetRows,
    k_sheetColumns,
    k_sheetCellWidth,
    k_sheetCellHeight,
    k_sheetFrames,
    k_sheetUpdatesPerFrame
  };

  // The sheet (2 rows of 6 frames) and the additive glow; the application sets both.
  static Tesk::Image* s_fairyImage;
  static Tesk::Image* s_fairyBlendImage;

  Fairies();

  void init(int theKind, int theCount);
  void kill();
  // With stayDark, fairies whose light runs out stay unlit.
  void update(bool stayDark);
  // Every lit fairy's light goes out within one second.
  void repel();
  void render(Tesk::Graphics* g, float theFade);
  void setLitTimer(int theIdx, bool stayDark);
  void setNextFairyPoints(FairyStruct& theFairy);
  // A random point within (theRangeX, theRangeY) of (theX, theY), reflected back when it would
  // leave the fairies' area.
  Tesk::TPoint<double> getValidRandomFairyPoint(double theX, double theY, int theRangeX, int theRangeY);

  uint8_t m_kind;
  FairyStruct m_fairies[k_maxFairies];
  uint8_t m_sheetLayout[6];
};

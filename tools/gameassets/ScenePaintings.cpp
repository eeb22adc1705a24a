#include "ScenePaintings.h"

#include <algorithm>
#include <cmath>

#include "Painting.h"

namespace GameAssets {

using namespace Paint;

namespace {

// A piece of a brush's painting: only what falls below theTop (the near part of a heap).
template <class Brush>
auto Below(double theTop, const Brush& theBrush) {
  return [=](Canvas& c) {
    cairo_save(c.cr());
    cairo_rectangle(c.cr(), 0, theTop, c.Width(), c.Height() - theTop);
    cairo_clip(c.cr());
    theBrush(c);
    cairo_restore(c.cr());
  };
}

// A clay pot standing at (x, y) with a fern in it.
void PottedFern(Canvas& c, uint32_t theSeed, double x, double y, double theSize, const Rgb& theLeaves) {
  const double w = theSize * 0.6, h = theSize * 0.5;
  Fern(c, theSeed, x, y - h + 4, theSize, theLeaves);
  cairo_t* cr = c.cr();
  c.Ellipse(x, y, w * 0.6, 5);
  c.Fill(Hex(0x000000), 0.35);
  cairo_move_to(cr, x - w / 2, y - h);
  cairo_line_to(cr, x + w / 2, y - h);
  cairo_line_to(cr, x + w * 0.36, y);
  cairo_line_to(cr, x - w * 0.36, y);
  cairo_close_path(cr);
  c.LinearGradient(x - w / 2, 0, x + w / 2, 0,
                   {{0, {0.42, 0.2, 0.1}}, {0.4, {0.72, 0.4, 0.24}}, {1, {0.3, 0.14, 0.08}}});
  cairo_fill(cr);
  cairo_rectangle(cr, x - w / 2 - 3, y - h - 2, w + 6, 8);
  c.Fill(Hex(0x8A4A2A));
}

// A chair seen from the side: its seat at y + h * 0.55, back up to y, feet at y + h.
void SideChair(Canvas& c, double x, double y, double w, double h, const Rgb& theWood) {
  cairo_t* cr = c.cr();
  const double seat = y + h * 0.55;
  c.Ellipse(x + w / 2, y + h, w * 0.55, 5);
  c.Fill(Hex(0x000000), 0.3);
  for (double lx : {x + 4, x + w - 10}) {
    cairo_rectangle(cr, lx, seat, 6, y + h - seat);
    c.Fill(Scale(theWood, 0.7));
  }
  cairo_rectangle(cr, x + w - 10, y, 6, seat - y);
  c.Fill(Scale(theWood, 0.8));
  for (double by : {y + 6, y + h * 0.25}) {
    cairo_rectangle(cr, x + w - 14, by, 14, 6);
    c.Fill(theWood);
  }
  cairo_rectangle(cr, x, seat - 6, w, 8);
  c.LinearV(seat - 6, seat + 2, Mix(theWood, Hex(0xFFFFFF), 0.15), Scale(theWood, 0.6));
  cairo_fill(cr);
}

// A flat-topped stone tomb: its lid at y.
void Tomb(Canvas& c, double x, double y, double w, double h, const Rgb& theStone) {
  c.Ellipse(x + w / 2, y + h, w * 0.55, 6);
  c.Fill(Hex(0x000000), 0.35);
  cairo_rectangle(c.cr(), x + 4, y + 8, w - 8, h - 8);
  c.LinearV(y + 8, y + h, Scale(theStone, 0.85), Scale(theStone, 0.45));
  cairo_fill(c.cr());
  cairo_rectangle(c.cr(), x, y, w, 9);
  c.LinearV(y, y + 9, Mix(theStone, Hex(0xFFFFFF), 0.15), Scale(theStone, 0.7));
  cairo_fill(c.cr());
  cairo_rectangle(c.cr(), x + w * 0.3, y + 16, w * 0.4, h - 24);
  cairo_set_line_width(c.cr(), 1.5);
  c.Color(Scale(theStone, 0.4), 0.7);
  cairo_stroke(c.cr());
}

void WyrmCellar(ScenePainter& p) {
  Canvas& c = p.Picture();
  c.LinearV(0, 600, Hex(0x1A120E), Hex(0x3A2418));
  cairo_paint(c.cr());
  RockWall(c, 101, -40, -20, 740, 330, Hex(0x4A3A30));
  // The dark mouth at the back where the dragon's eyes glow.
  c.Ellipse(380, 440, 150, 110);
  c.Fill(Hex(0x070404));
  c.Ellipse(380, 440, 170, 125);
  c.Radial(380, 440, 175, Hex(0x000000), 0.0, 0.6);
  cairo_fill(c.cr());
  Stalactites(c, 102, 0, 26, Hex(0x5A4536));
  Hills(c, 103, 470, 20, Hex(0x5C4030), Hex(0x2A1A10));
  // The cellar's vaulted brickwork at the sides, slabs of rock for shelves, and the wyrm's hoard.
  StoneWall(c, 107, 0, 0, 70, 600, Hex(0x6A4A38), 35, 18);
  StoneWall(c, 108, 600, 0, 60, 600, Hex(0x6A4A38), 35, 18);
  Slab(c, 100, 250, 130, Hex(0x6A5646));
  Slab(c, 448, 232, 108, Hex(0x6A5646));
  Slab(c, 90, 372, 110, Hex(0x6A5646));
  Slab(c, 520, 330, 70, Hex(0x6A5646));
  Litter(c, 114, 80, 478, 600, 592, 140, Hex(0x5C4030), true);
  Rock(c, 115, 190, 236, 34, 16, Hex(0x5A4A3C));
  Rock(c, 116, 510, 218, 30, 16, Hex(0x5A4A3C));
  Rock(c, 117, 98, 358, 28, 16, Hex(0x5A4A3C));
  Treasure(c, 104, 40, 430, 230, 120);
  Treasure(c, 105, 470, 470, 180, 90);
  p.Front(522, Below(522, [](Canvas& k) { Treasure(k, 104, 40, 430, 230, 120); }));
  p.Front(546, Below(544, [](Canvas& k) { Treasure(k, 105, 470, 470, 180, 90); }));
  p.Front(494, [](Canvas& k) { Barrel(k, 558, 402, 66, 92, Hex(0x6A4028)); });
  p.Front(95, [](Canvas& k) {
    Rock(k, 121, 150, 150, 62, 40, Hex(0x4E3E32));
    Rock(k, 122, 330, 104, 70, 44, Hex(0x4E3E32));
    Rock(k, 123, 470, 168, 58, 36, Hex(0x4E3E32));
    Rock(k, 124, 250, 262, 64, 38, Hex(0x4E3E32));
    Rock(k, 125, 420, 270, 52, 34, Hex(0x4E3E32));
  });
  p.Front(526, [](Canvas& k) { Rock(k, 126, 156, 498, 54, 28, Hex(0x4A3A30)); });
  p.Front(512, [](Canvas& k) { Rock(k, 127, 436, 488, 48, 24, Hex(0x4A3A30)); });
  p.Front(576, [](Canvas& k) { Chest(k, 262, 510, 92, 66, Hex(0x6A3E20)); });
  p.Front(600, [](Canvas& k) { Rock(k, 111, -24, 548, 176, 62, Hex(0x4A3A30)); });
  p.Front(600, [](Canvas& k) { Rock(k, 112, 508, 560, 170, 50, Hex(0x4A3A30)); });
  p.Front(600, [](Canvas& k) { Rock(k, 113, 380, 574, 90, 36, Hex(0x52402E)); });
  Light(c, 120, 500, 220, Hex(0xFFB040), 0.35);
  Light(c, 560, 520, 160, Hex(0xFFB040), 0.3);
  Light(c, 330, 80, 160, Hex(0xFF7A30), 0.15);
  Finish(c, 106, 0.05, 0.5);
}

void ClockmakersLoft(ScenePainter& p) {
  Canvas& c = p.Picture();
  WoodPanels(c, 201, 0, 0, 660, 420, Hex(0x6A3E22));
  cairo_rectangle(c.cr(), 0, 0, 660, 40);
  c.Fill(Hex(0x3A2012));
  // The portrait whose eyes follow the player (the eyes at 255, 308).
  c.RoundRect(190, 230, 150, 190, 6);
  c.Fill(Hex(0xC89A3A));
  cairo_rectangle(c.cr(), 202, 242, 126, 166);
  c.LinearV(242, 408, Hex(0x2A3A2A), Hex(0x101810));
  cairo_fill(c.cr());
  c.Ellipse(273, 322, 38, 48);
  c.Fill(Hex(0xD9B08C));
  c.Ellipse(273, 277, 44, 22);
  c.Fill(Hex(0x3A2414));
  cairo_rectangle(c.cr(), 230, 362, 86, 46);
  c.Fill(Hex(0x5A1A1A));
  c.Ellipse(263, 313, 7, 4.5);
  c.Ellipse(283, 313, 7, 4.5);
  c.Fill(Hex(0xF4EEE0));
  // The clock case and the clockmaker's faces on the wall.
  c.RoundRect(560, 180, 70, 240, 8);
  c.LinearV(180, 420, Hex(0x5A3018), Hex(0x2A1408));
  cairo_fill(c.cr());
  cairo_arc(c.cr(), 595, 225, 24, 0, 2 * M_PI);
  c.Fill(Hex(0xEFE4C8));
  cairo_move_to(c.cr(), 595, 225);
  cairo_line_to(c.cr(), 595, 207);
  cairo_move_to(c.cr(), 595, 225);
  cairo_line_to(c.cr(), 608, 230);
  cairo_set_line_width(c.cr(), 2);
  c.Color(Hex(0x201008));
  cairo_stroke(c.cr());
  for (int i = 0; i < 3; ++i) {
    const double x = 410 + i * 56, y = 92 + (i % 2) * 14;
    cairo_arc(c.cr(), x, y, 17, 0, 2 * M_PI);
    c.Fill(Hex(0x8A6226));
    cairo_arc(c.cr(), x, y, 13, 0, 2 * M_PI);
    c.Fill(Hex(0xEFE4C8));
    cairo_move_to(c.cr(), x, y);
    cairo_line_to(c.cr(), x + 7 * std::cos(i * 2.1), y + 7 * std::sin(i * 2.1));
    cairo_set_line_width(c.cr(), 1.5);
    c.Color(Hex(0x201008));
    cairo_stroke(c.cr());
  }
  for (int i = 0; i < 4; ++i) {
    const double x = 60 + i * 38, y = 80 + (i % 2) * 30, r = 16 + (i % 3) * 5;
    for (int k = 0; k < 10; ++k) {
      cairo_save(c.cr());
      cairo_translate(c.cr(), x, y);
      cairo_rotate(c.cr(), k * M_PI / 5 + i);
      cairo_rectangle(c.cr(), -3, -r - 4, 6, 8);
      cairo_restore(c.cr());
    }
    cairo_arc(c.cr(), x, y, r, 0, 2 * M_PI);
    c.Fill(Hex(0xA07A30), 0.85);
    cairo_arc(c.cr(), x, y, r * 0.35, 0, 2 * M_PI);
    c.Fill(Hex(0x4A2E12));
  }
  // Sconces under the two flames.
  for (double x : {91.0, 294.0}) {
    cairo_rectangle(c.cr(), x - 10, 150, 20, 8);
    c.Fill(Hex(0xB08A3A));
    Light(c, x, 130, 110, Hex(0xFFB050), 0.35);
  }
  // Shelves on the left wall, and an open cupboard on the right.
  Shelf(c, 22, 232, 146, Hex(0x7A4A26));
  Shelf(c, 22, 318, 146, Hex(0x7A4A26));
  ShelfClutter(c, 211, 24, 166, 232, 56);
  ShelfClutter(c, 215, 24, 166, 318, 64);
  c.RoundRect(380, 130, 160, 302, 4);
  c.Fill(Hex(0x4A2A14));
  cairo_rectangle(c.cr(), 390, 140, 140, 282);
  c.LinearV(140, 422, Hex(0x24140A), Hex(0x1A0E06));
  cairo_fill(c.cr());
  for (double y : {206.0, 294.0, 382.0}) {
    cairo_rectangle(c.cr(), 390, y, 140, 8);
    c.LinearV(y, y + 8, Hex(0x8A5A30), Hex(0x4A2A14));
    cairo_fill(c.cr());
  }
  ShelfClutter(c, 212, 392, 528, 206, 52);
  ShelfClutter(c, 216, 392, 528, 294, 70);
  ShelfClutter(c, 217, 392, 528, 382, 70);
  ShelfClutter(c, 218, 384, 536, 130, 50);
  WoodFloor(c, 202, 420, Hex(0x5A3218));
  Rug(c, 120, 470, 420, 110, Hex(0x7A1A1A), Hex(0xC8A040));
  Litter(c, 219, 20, 428, 640, 592, 110, Hex(0x5A3218), true);
  p.Front(432, [](Canvas& k) {
    for (double x : {380.0, 530.0}) {
      cairo_rectangle(k.cr(), x, 130, 10, 302);
      k.LinearV(130, 432, Hex(0x6A3E20), Hex(0x3A200E));
      cairo_fill(k.cr());
    }
  });
  p.Front(496, [](Canvas& k) {
    Table(k, 36, 398, 160, 98, Hex(0x5A3018));
    ShelfClutter(k, 220, 44, 188, 400, 40);
  });
  p.Front(560, [](Canvas& k) { Stool(k, 250, 500, 62, 60, Hex(0x6A3A1A)); });
  p.Front(522, [](Canvas& k) { Table(k, 444, 452, 102, 70, Hex(0x6A3A1A)); });
  p.Front(596, [](Canvas& k) { BookPile(k, 213, 20, 546, 96, 50); });
  p.Front(598, [](Canvas& k) { PottedFern(k, 214, 590, 598, 70, Hex(0x2E5A2A)); });
  Finish(c, 203, 0.04, 0.45);
}

void OwlwoodPath(ScenePainter& p) {
  Canvas& c = p.Picture();
  Sky(c, 330, Hex(0x0A1030), Hex(0x2A3A6A));
  Stars(c, 301, 120, 300);
  Moon(c, 540, 80, 34, Hex(0xF0F0D8));
  Hills(c, 302, 270, 25, Hex(0x1A2A3A), Hex(0x101820));
  auto aFarTree = [](Canvas& k) { Tree(k, 303, 560, 360, 300, Hex(0x2A2018), Hex(0x1E3A2A), 0.2); };
  auto aNearTree = [](Canvas& k) { Tree(k, 304, 80, 350, 260, Hex(0x2A2018), Hex(0x1A3426), 0.15); };
  aFarTree(c);
  // The hollow where the eyes light up (509, 138).
  c.Ellipse(525, 150, 28, 22);
  c.Fill(Hex(0x050505));
  aNearTree(c);
  Grass(c, 305, 330, Hex(0x1E3A24), Hex(0x142A1C));
  // A path and flower beds.
  cairo_move_to(c.cr(), 250, 330);
  cairo_curve_to(c.cr(), 300, 420, 200, 500, 260, 600);
  cairo_line_to(c.cr(), 430, 600);
  cairo_curve_to(c.cr(), 360, 500, 420, 420, 300, 330);
  c.LinearV(330, 600, Hex(0x3A3A44), Hex(0x6A6A70));
  cairo_fill(c.cr());
  Litter(c, 313, 0, 336, 660, 596, 260, Hex(0x1E3A24), false);
  Random r(308);
  for (int i = 0; i < 60; ++i) {
    const double x = r.Range(0, 660), y = r.Range(400, 590);
    if (x > 220 && x < 440) continue;
    cairo_arc(c.cr(), x, y, r.Range(2, 4), 0, 2 * M_PI);
    c.Fill(Mix(Hex(0xD070A0), Hex(0xE8E0FF), r.Unit()), 0.8);
  }
  // The trees' feet, the fence, bushes, a stump and a fallen log stand in front of what is behind them.
  p.Front(352, Below(262, aNearTree));
  p.Front(362, Below(262, aFarTree));
  p.Front(362, [](Canvas& k) { Fence(k, 0, 660, 360, 40, Hex(0x3A3A3A)); });
  p.Front(446, [](Canvas& k) { Stump(k, 428, 404, 60, 42, Hex(0x3A2C20)); });
  p.Front(398, [](Canvas& k) { Tuft(k, 314, 120, 170, 398, 26, Hex(0x2A5A30)); });
  p.Front(428, [](Canvas& k) { Tuft(k, 315, 330, 372, 428, 24, Hex(0x2A5A30)); });
  p.Front(470, [](Canvas& k) { Tuft(k, 316, 590, 640, 470, 30, Hex(0x2A5A30)); });
  p.Front(548, [](Canvas& k) { Rock(k, 317, 560, 512, 64, 36, Hex(0x3A4048)); });
  p.Front(492, [](Canvas& k) { Bush(k, 306, 120, 460, 60, Hex(0x2A5A36)); });
  p.Front(512, [](Canvas& k) { Bush(k, 307, 540, 480, 70, Hex(0x2A5A36)); });
  p.Front(560, [](Canvas& k) { Log(k, 24, 526, 176, 34, Hex(0x3A2C20)); });
  p.Front(590, [](Canvas& k) { Fern(k, 311, 236, 592, 84, Hex(0x24502E)); });
  p.Front(598, [](Canvas& k) { Fern(k, 312, 482, 598, 92, Hex(0x24502E)); });
  p.Front(600, [](Canvas& k) { Blades(k, 309, 0, 660, 600, 120, 30, Hex(0x2A5A30)); });
  Light(c, 540, 80, 300, Hex(0x5070C0), 0.12);
  Finish(c, 310, 0.04, 0.5);
}

void MillbrookFarm(ScenePainter& p) {
  Canvas& c = p.Picture();
  Sky(c, 300, Hex(0x6AA8E8), Hex(0xCFE6F4));
  Clouds(c, 401, 6, 40, 160, Hex(0xFFFFFF), 0.6);
  Hills(c, 402, 250, 30, Hex(0x8AB860), Hex(0x5A8A40));
  // The middle tree stands where the eyes blink, so that their hole is in its crown, not the sky.
  const double kTreeX[3] = {250, 500, 640};
  const double kGround[3] = {350, 330, 350};
  for (int i = 0; i < 3; ++i)
    Tree(c, 404 + i, kTreeX[i], kGround[i], 230, Hex(0x6A4A2A), Hex(0x4E8A36), 0.35);
  // The knot-hole where the eyes blink (470, 127).
  c.Ellipse(500, 160, 26, 20);
  c.Fill(Hex(0x1A1008));
  Grass(c, 404, 330, Hex(0x5A9A3A), Hex(0x7AB050));
  // A shed on the left: plank walls, a tiled roof, a window with its sill.
  Planks(c, 408, 0, 250, 182, 176, Hex(0x8A6038));
  Roof(c, 409, -14, 206, 214, 50, Hex(0x8A3A2A), false);
  cairo_rectangle(c.cr(), 34, 270, 84, 54);
  c.Fill(Hex(0x5A3A20));
  cairo_rectangle(c.cr(), 40, 276, 72, 44);
  c.LinearV(276, 320, Hex(0x2A3A4A), Hex(0x101820));
  cairo_fill(c.cr());
  cairo_rectangle(c.cr(), 74, 276, 4, 44);
  c.Fill(Hex(0x5A3A20));
  cairo_rectangle(c.cr(), 26, 322, 100, 8);
  c.LinearV(322, 330, Hex(0xB08A5A), Hex(0x6A4A2A));
  cairo_fill(c.cr());
  Litter(c, 413, 0, 336, 660, 596, 220, Hex(0x5A9A3A), false);
  Random r(405);
  for (int i = 0; i < 26; ++i) {  // daisies in the grass
    cairo_arc(c.cr(), r.Range(190, 660), r.Range(360, 590), 2.5, 0, 2 * M_PI);
    c.Fill(Hex(0xF4F0E0), 0.85);
  }
  p.Front(430, [](Canvas& k) { Bench(k, 18, 394, 140, 36, Hex(0x7A5A3A)); });
  p.Front(402, [](Canvas& k) { Fence(k, 190, 660, 400, 46, Hex(0x8A6A44)); });
  p.Front(498, [](Canvas& k) { Haystack(k, 410, 206, 402, 132, 96); });
  p.Front(372, [](Canvas& k) { Tuft(k, 414, 300, 350, 372, 22, Hex(0x4A8A2A)); });
  p.Front(452, [](Canvas& k) { Tuft(k, 415, 420, 470, 452, 26, Hex(0x4A8A2A)); });
  p.Front(466, [](Canvas& k) {
    for (int i = 0; i < 3; ++i) Log(k, 560 + i * 4, 440 - i * 16, 88 - i * 8, 18, Hex(0x7A5030));
  });
  p.Front(520, [](Canvas& k) { Tuft(k, 416, 60, 110, 520, 28, Hex(0x4A8A2A)); });
  p.Front(540, [](Canvas& k) { Crate(k, 520, 470, 90, 70, Hex(0xA07A4A)); });
  p.Front(584, [](Canvas& k) { Bale(k, 411, 372, 522, 112, 62); });
  p.Front(598, [](Canvas& k) { Flowers(k, 412, 20, 200, 598, 26, Hex(0xF4F0F8)); });
  p.Front(600, [](Canvas& k) { Blades(k, 406, 0, 660, 600, 160, 26, Hex(0x4A8A2A)); });
  Light(c, 600, 0, 420, Hex(0xFFF0B0), 0.25);
  Finish(c, 407, 0.03, 0.25);
}

void WindwardRuins(ScenePainter& p) {
  Canvas& c = p.Picture();
  Sky(c, 380, Hex(0x2A3448), Hex(0x8A94A8));
  Clouds(c, 501, 10, 20, 220, Hex(0x404A5A), 0.7);
  Clouds(c, 502, 6, 60, 260, Hex(0xB8C0CC), 0.3);
  Hills(c, 503, 310, 25, Hex(0x4A5A50), Hex(0x3A4638));
  // Broken arches and columns of an old hall on the hill, ivy on two of them.
  for (int i = 0; i < 4; ++i) {
    const double x = 60 + i * 150, h = 190 - (i % 2) * 70;
    Column(c, x, 395 - h, 40, h, Hex(0x9A968C));
  }
  cairo_t* cr = c.cr();
  cairo_arc(cr, 155, 275, 75, M_PI, 1.75 * M_PI);
  cairo_set_line_width(cr, 22);
  c.Color(Hex(0x8A867C));
  cairo_stroke(cr);
  p.Front(385, [](Canvas& k) {
    Ivy(k, 510, 72, 223, 110, Hex(0x3A6A34));
    Ivy(k, 511, 392, 223, 90, Hex(0x3A6A34));
    Ivy(k, 522, 238, 293, 60, Hex(0x3A6A34));
    Ivy(k, 523, 520, 293, 70, Hex(0x3A6A34));
  });
  Grass(c, 504, 385, Hex(0x3A5A34), Hex(0x4A6A40));
  Litter(c, 519, 0, 390, 660, 596, 260, Hex(0x3A5A34), false);
  Random r(505);
  for (int i = 0; i < 8; ++i) {  // fallen stones sunk in the grass
    c.RoundRect(r.Range(0, 620), r.Range(450, 570), r.Range(24, 50), r.Range(10, 20), 5);
    c.Fill(Hex(0x8A867C), 0.8);
  }
  p.Front(390, [](Canvas& k) { LowWall(k, 512, 20, 338, 160, 52, Hex(0x8A867C)); });
  p.Front(392, [](Canvas& k) { LowWall(k, 513, 390, 346, 140, 46, Hex(0x8A867C)); });
  p.Front(500, [](Canvas& k) { Log(k, 286, 470, 132, 30, Hex(0x8A867C)); });
  p.Front(470, [](Canvas& k) { Rubble(k, 514, 240, 428, 110, 42, Hex(0x8A867C)); });
  p.Front(446, [](Canvas& k) { Tuft(k, 520, 40, 90, 446, 24, Hex(0x4A6A3A)); });
  p.Front(500, [](Canvas& k) { Tuft(k, 521, 380, 430, 500, 28, Hex(0x4A6A3A)); });
  p.Front(482, [](Canvas& k) { Tuft(k, 515, 566, 640, 482, 30, Hex(0x4A6A3A)); });
  p.Front(522, [](Canvas& k) { Tuft(k, 516, 130, 214, 522, 34, Hex(0x4A6A3A)); });
  p.Front(562, [](Canvas& k) { Rubble(k, 517, 460, 508, 150, 54, Hex(0x7E7A70)); });
  p.Front(600, [](Canvas& k) { Rubble(k, 518, -16, 546, 170, 56, Hex(0x7E7A70)); });
  p.Front(600, [](Canvas& k) { Blades(k, 506, 0, 660, 600, 140, 28, Hex(0x4A6A3A)); });
  Light(c, 300, 120, 300, Hex(0xC0D0FF), 0.12);
  Finish(c, 507, 0.04, 0.4);
}

void Crystals(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theColour) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  for (int i = 0; i < static_cast<int>(w / 12); ++i) {
    const double bx = x + r.Range(0, w), by = y + h, ch = r.Range(h * 0.3, h), cw = r.Range(8, 18);
    const double lean = r.Range(-0.35, 0.35);
    cairo_save(cr);
    cairo_translate(cr, bx, by);
    cairo_rotate(cr, lean);
    cairo_move_to(cr, -cw / 2, 0);
    cairo_line_to(cr, -cw / 2, -ch * 0.8);
    cairo_line_to(cr, 0, -ch);
    cairo_line_to(cr, cw / 2, -ch * 0.8);
    cairo_line_to(cr, cw / 2, 0);
    cairo_close_path(cr);
    c.LinearGradient(-cw / 2, 0, cw / 2, 0,
                     {{0, {theColour.r * 0.5, theColour.g * 0.5, theColour.b * 0.6}, 0.95},
                      {0.45, {std::min(1.0, theColour.r * 1.4), std::min(1.0, theColour.g * 1.4), 1}, 0.95},
                      {1, {theColour.r * 0.4, theColour.g * 0.4, theColour.b * 0.5}, 0.95}});
    cairo_fill(cr);
    cairo_restore(cr);
  }
}

void CrystalCavern(ScenePainter& p) {
  Canvas& c = p.Picture();
  c.LinearV(0, 600, Hex(0x101422), Hex(0x241E2A));
  cairo_paint(c.cr());
  RockWall(c, 601, -40, -20, 740, 460, Hex(0x3A3A4E));
  Stalactites(c, 602, 0, 20, Hex(0x4A4A60));
  // The old idol whose eyes burn (213 and 238, 125), on a stone plinth.
  c.Ellipse(230, 140, 48, 56);
  c.LinearV(80, 200, Hex(0x6A6A5A), Hex(0x2A2A22));
  cairo_fill(c.cr());
  c.Ellipse(218, 132, 10, 6);
  c.Ellipse(243, 132, 10, 6);
  c.Fill(Hex(0x0A0604));
  cairo_rectangle(c.cr(), 170, 190, 120, 120);
  c.LinearV(190, 310, Hex(0x5A5A4A), Hex(0x2A2A22));
  cairo_fill(c.cr());
  cairo_rectangle(c.cr(), 160, 306, 140, 140);
  c.LinearV(306, 446, Hex(0x4A4A44), Hex(0x1E1E1A));
  cairo_fill(c.cr());
  cairo_rectangle(c.cr(), 156, 304, 148, 8);
  c.Fill(Hex(0x6A6A5E));
  Slab(c, 40, 214, 110, Hex(0x4E4E64));
  Slab(c, 330, 262, 100, Hex(0x4E4E64));
  Slab(c, 520, 236, 106, Hex(0x4E4E64));
  Slab(c, 336, 152, 92, Hex(0x4E4E64));
  Slab(c, 548, 128, 90, Hex(0x4E4E64));
  Hills(c, 603, 440, 15, Hex(0x3A3444), Hex(0x1A1620));
  Litter(c, 612, 20, 448, 640, 596, 160, Hex(0x3A3444), false);
  // Crystal clusters where the light sparkles; the near ones hide what is behind them.
  Light(c, 139, 412, 150, Hex(0x70A0FF), 0.35);
  Light(c, 261, 545, 267, Hex(0xB080FF), 0.35);
  Light(c, 532, 373, 168, Hex(0x60E0D0), 0.35);
  Light(c, 367, 50, 102, Hex(0x90B0FF), 0.35);
  Crystals(c, 607, 294, 20, 146, 60, Hex(0x90B0FF));
  Slab(c, 40, 300, 92, Hex(0x4E4E64));
  Slab(c, 560, 300, 80, Hex(0x4E4E64));
  p.Front(430, [](Canvas& k) { Crystals(k, 606, 412, 319, 240, 109, Hex(0x60E0D0)); });
  p.Front(492, [](Canvas& k) { Crystals(k, 604, 32, 332, 214, 160, Hex(0x70A0FF)); });
  p.Front(570, [](Canvas& k) { Chest(k, 478, 500, 100, 70, Hex(0x5A3A22)); });
  p.Front(590, [](Canvas& k) { Crystals(k, 605, 70, 500, 382, 90, Hex(0xB080FF)); });
  p.Front(600, [](Canvas& k) { Rock(k, 611, 560, 546, 120, 58, Hex(0x3A3A4E)); });
  p.Front(520, [](Canvas& k) { Rock(k, 613, 300, 492, 60, 30, Hex(0x3A3A4E)); });
  p.Front(498, [](Canvas& k) { Crystals(k, 614, 470, 456, 60, 42, Hex(0x70A0FF)); });
  Torch(c, 480, 180);
  Finish(c, 608, 0.05, 0.5);
}

void VespersLibrary(ScenePainter& p) {
  Canvas& c = p.Picture();
  WoodPanels(c, 701, 0, 0, 660, 400, Hex(0x4A2C18));
  Bookcase(c, 702, 10, 30, 200, 400, Hex(0x5A3418));
  Bookcase(c, 703, 520, 20, 140, 380, Hex(0x5A3418));
  Window(c, 280, 50, 130, 210, Hex(0x101838), Hex(0x3A4A8A), Hex(0x3A2414), true);
  Curtain(c, 240, 30, 60, 300, Hex(0x6A1A2A), true);
  Curtain(c, 392, 30, 60, 300, Hex(0x6A1A2A), false);
  WoodFloor(c, 704, 400, Hex(0x6A3C1C));
  Rug(c, 150, 450, 380, 120, Hex(0x1A3A5A), Hex(0xB89038));
  Litter(c, 723, 20, 430, 640, 594, 90, Hex(0x6A3C1C), true);
  p.Front(420, [](Canvas& k) { Table(k, 380, 300, 260, 120, Hex(0x6A3A1A)); });
  // Candles under the two flames (452, 249) and (634, 218).
  Candle(c, 466, 300, 22);
  Candle(c, 648, 270, 26);
  p.Front(522, [](Canvas& k) { Stool(k, 296, 462, 60, 60, Hex(0x5A3418)); });
  p.Front(456, [](Canvas& k) { SideChair(k, 436, 356, 60, 100, Hex(0x4A2812)); });
  p.Front(592, [](Canvas& k) { BookPile(k, 725, 250, 548, 80, 44); });
  p.Front(500, [](Canvas& k) { BookPile(k, 726, 480, 470, 60, 30); });
  p.Front(446, [](Canvas& k) { BookPile(k, 727, 150, 414, 56, 32); });
  p.Front(562, [](Canvas& k) { BookPile(k, 721, 36, 502, 96, 60); });
  p.Front(470, [](Canvas& k) { BookPile(k, 724, 560, 436, 70, 34); });
  p.Front(598, [](Canvas& k) { PottedFern(k, 722, 604, 598, 84, Hex(0x2E5A2A)); });
  Light(c, 460, 270, 200, Hex(0xFFB860), 0.35);
  Light(c, 345, 150, 180, Hex(0x6080D0), 0.12);
  Cobweb(c, 0, 0, 70, false);
  Finish(c, 705, 0.04, 0.45);
}

void ChapelYard(ScenePainter& p) {
  Canvas& c = p.Picture();
  Sky(c, 300, Hex(0x080C1C), Hex(0x2A2A4A));
  Stars(c, 801, 90, 250);
  Moon(c, 330, 90, 40, Hex(0xE8E4D0));
  Clouds(c, 802, 5, 60, 200, Hex(0x2A2A3A), 0.6);
  // A ruined chapel.
  cairo_move_to(c.cr(), 230, 300);
  cairo_line_to(c.cr(), 230, 190);
  cairo_line_to(c.cr(), 330, 130);
  cairo_line_to(c.cr(), 430, 190);
  cairo_line_to(c.cr(), 430, 300);
  cairo_close_path(c.cr());
  c.Fill(Hex(0x14141C));
  c.RoundRect(315, 200, 30, 50, 15);
  c.Fill(Hex(0xE8B860), 0.7);
  Hills(c, 803, 300, 15, Hex(0x1E2A24), Hex(0x141C18));
  // Gate pillars with the gargoyles' eyes (52 and 607, 116).
  for (double x : {30.0, 585.0}) {
    StoneWall(c, 804 + static_cast<uint32_t>(x), x, 140, 50, 300, Hex(0x6A6A70), 25, 20);
    c.Ellipse(x + 25, 128, 30, 24);
    c.Fill(Hex(0x2A2A30));
  }
  Grass(c, 805, 320, Hex(0x1E3024), Hex(0x141E18));
  Litter(c, 813, 80, 322, 580, 596, 220, Hex(0x1E3024), false);
  // The graves: each stone hides what lies behind it.
  Random r(806);
  for (int i = 0; i < 9; ++i) {
    const double x = 100 + i * 55 + r.Range(-10, 10), y = 330 + (i % 3) * 40, w = r.Range(30, 44),
                 h = r.Range(46, 64);
    const bool isCross = i % 4 == 1;
    p.Front(static_cast<int>(y + h), [=](Canvas& k) { Gravestone(k, x, y, w, h, Hex(0x7A7A80), isCross); });
  }
  p.Front(500, [](Canvas& k) { Tomb(k, 414, 462, 112, 38, Hex(0x6A6A72)); });
  p.Front(444, [](Canvas& k) { Fern(k, 811, 96, 444, 52, Hex(0x2A4A32)); });
  p.Front(538, [](Canvas& k) { Tomb(k, 130, 500, 104, 36, Hex(0x62626A)); });
  p.Front(392, [](Canvas& k) { Tuft(k, 814, 380, 420, 392, 20, Hex(0x2A4030)); });
  p.Front(500, [](Canvas& k) { Tuft(k, 815, 300, 350, 500, 26, Hex(0x2A4030)); });
  p.Front(536, [](Canvas& k) { Fern(k, 812, 556, 536, 62, Hex(0x2A4A32)); });
  p.Front(562, [](Canvas& k) { Fence(k, 0, 660, 560, 60, Hex(0x2A2A2E)); });
  p.Front(600, [](Canvas& k) { Blades(k, 807, 0, 660, 600, 100, 24, Hex(0x2A4030)); });
  Light(c, 330, 90, 320, Hex(0x7080C0), 0.12);
  Finish(c, 808, 0.05, 0.55);
}

void TheDungeon(ScenePainter& p) {
  Canvas& c = p.Picture();
  StoneWall(c, 901, 0, 0, 660, 440, Hex(0x5A5650), 60, 32);
  // A barred cell door.
  c.RoundRect(400, 180, 180, 260, 10);
  c.Fill(Hex(0x0E0C0A));
  // The torch under the flame at (274, 71).
  cairo_rectangle(c.cr(), 288, 130, 16, 60);
  c.Fill(Hex(0x3A2A1A));
  Light(c, 296, 110, 260, Hex(0xFF9A40), 0.4);
  Shelf(c, 180, 250, 160, Hex(0x5A3A20));
  Shelf(c, 200, 350, 130, Hex(0x5A3A20));
  ShelfClutter(c, 905, 184, 336, 250, 50);
  Flagstones(c, 902, 440, Hex(0x5A5650));
  Litter(c, 906, 20, 446, 640, 594, 170, Hex(0x5A5650), true);
  p.Front(441, [](Canvas& k) {
    for (double x = 412; x < 580; x += 22) {
      cairo_rectangle(k.cr(), x, 185, 7, 255);
      k.LinearV(185, 440, Hex(0x6A6A72), Hex(0x2A2A2E));
      cairo_fill(k.cr());
    }
  });
  p.Front(444, [](Canvas& k) { Bench(k, 40, 382, 160, 62, Hex(0x4A3420)); });
  p.Front(446, [](Canvas& k) { Barrel(k, 40, 300, 60, 85, Hex(0x5A3A20)); });
  p.Front(560, [](Canvas& k) { Haystack(k, 903, 196, 500, 160, 60, 0.45); });
  p.Front(500, [](Canvas& k) { Crate(k, 590, 440, 64, 60, Hex(0x5A4028)); });
  p.Front(518, [](Canvas& k) { Sack(k, 380, 466, 50, 52, Hex(0x7A6A4A)); });
  p.Front(472, [](Canvas& k) { Rubble(k, 907, 240, 446, 90, 28, Hex(0x5A5650)); });
  p.Front(540, [](Canvas& k) { Table(k, 440, 470, 110, 70, Hex(0x4A3420)); });
  p.Front(592, [](Canvas& k) { Stool(k, 566, 532, 58, 60, Hex(0x4A3420)); });
  p.Front(600, [](Canvas& k) { Rubble(k, 904, -10, 556, 120, 44, Hex(0x5A5650)); });
  Finish(c, 903, 0.06, 0.6);
}

void WillowPond(ScenePainter& p) {
  Canvas& c = p.Picture();
  Sky(c, 260, Hex(0x7AB0D8), Hex(0xE8E0C0));
  Clouds(c, 1001, 5, 30, 140, Hex(0xFFFFFF), 0.5);
  Hills(c, 1002, 220, 20, Hex(0x6A9A5A), Hex(0x4A7A3A));
  auto aLeftTree = [](Canvas& k) { Tree(k, 1003, 70, 320, 280, Hex(0x5A4A30), Hex(0x5A8A3A), 0.3); };
  auto aRightTree = [](Canvas& k) { Tree(k, 1004, 610, 300, 240, Hex(0x5A4A30), Hex(0x4A7A36), 0.3); };
  aLeftTree(c);
  aRightTree(c);
  Grass(c, 1005, 290, Hex(0x4A8A36), Hex(0x6AA04A));
  Litter(c, 1016, 0, 296, 660, 596, 240, Hex(0x4A8A36), false);
  Pond(c, 320, 396, 200, 62, Hex(0x2A5A6A), Hex(0xA8D0E8));
  for (int i = 0; i < 6; ++i) {  // lily pads
    c.Ellipse(220 + i * 40, 388 + (i % 3) * 16, 14, 6);
    c.Fill(Hex(0x3A7A3A));
  }
  p.Front(322, Below(236, aLeftTree));
  p.Front(302, Below(222, aRightTree));
  p.Front(440, [](Canvas& k) { Jetty(k, 450, 430, 130, 36, Hex(0x7A5A3A)); });
  p.Front(450, [](Canvas& k) { Reeds(k, 1006, 130, 220, 450, Hex(0x3A6A2A)); });
  p.Front(418, [](Canvas& k) { Reeds(k, 1007, 440, 510, 418, Hex(0x3A6A2A)); });
  p.Front(508, [](Canvas& k) { Rock(k, 1011, 36, 470, 74, 38, Hex(0x7A7A70)); });
  p.Front(540, [](Canvas& k) { Bush(k, 1012, 330, 520, 34, Hex(0x4A8A3A)); });
  p.Front(360, [](Canvas& k) { Tuft(k, 1017, 470, 520, 360, 24, Hex(0x3A7A2A)); });
  p.Front(330, [](Canvas& k) { Tuft(k, 1018, 150, 200, 330, 22, Hex(0x3A7A2A)); });
  p.Front(566, [](Canvas& k) { Tuft(k, 1019, 580, 640, 566, 30, Hex(0x3A7A2A)); });
  p.Front(598, [](Canvas& k) { Flowers(k, 1014, 100, 300, 598, 24, Hex(0xE890C0)); });
  p.Front(598, [](Canvas& k) { Tuft(k, 1015, 520, 620, 598, 40, Hex(0x3A7A2A)); });
  p.Front(600, [](Canvas& k) { Blades(k, 1008, 0, 660, 600, 140, 30, Hex(0x3A7A2A)); });
  Light(c, 330, 0, 380, Hex(0xFFF0C0), 0.2);
  Finish(c, 1009, 0.03, 0.3);
}

void CastleRamparts(ScenePainter& p) {
  Canvas& c = p.Picture();
  Sky(c, 360, Hex(0x5A4A8A), Hex(0xF0A070));
  Clouds(c, 501, 8, 20, 200, Hex(0xE89070), 0.5);
  Light(c, 420, 330, 300, Hex(0xFFC070), 0.35);
  Hills(c, 503, 240, 20, Hex(0x4A5A50), Hex(0x3A4638));
  // The parapet at the back, its merlons, and the walkway in front of it.
  StoneWall(c, 1101, 0, 250, 660, 100, Hex(0x9A9AA0), 44, 22);
  for (double x = 150; x < 660; x += 90)
    StoneWall(c, 1102 + static_cast<uint32_t>(x), x + 10, 206, 56, 46, Hex(0x9A9AA0), 28, 22);
  cairo_rectangle(c.cr(), 0, 248, 660, 4);
  c.Fill(Hex(0xB8B8C0));
  Flagstones(c, 1103, 346, Hex(0x7A7670));
  Litter(c, 1105, 150, 350, 660, 596, 170, Hex(0x7A7670), true);
  // A tower on the left with arrow slits and a door.
  StoneWall(c, 504, 0, 60, 150, 540, Hex(0x8A8A90), 40, 22);
  for (double y : {110.0, 200.0, 290.0}) {
    c.RoundRect(60, y, 14, 50, 7);
    c.Fill(Hex(0x0A0A0E));
  }
  cairo_move_to(c.cr(), 40, 600);
  cairo_line_to(c.cr(), 40, 470);
  cairo_arc(c.cr(), 75, 470, 35, M_PI, 2 * M_PI);
  cairo_line_to(c.cr(), 110, 600);
  cairo_close_path(c.cr());
  c.LinearV(430, 600, Hex(0x5A3A22), Hex(0x2A1A10));
  cairo_fill(c.cr());
  // A banner snapping in the wind.
  cairo_move_to(c.cr(), 560, 120);
  cairo_line_to(c.cr(), 560, 380);
  cairo_set_line_width(c.cr(), 5);
  c.Color(Hex(0x3A2A1A));
  cairo_stroke(c.cr());
  cairo_move_to(c.cr(), 562, 125);
  cairo_curve_to(c.cr(), 610, 110, 640, 150, 650, 135);
  cairo_line_to(c.cr(), 640, 200);
  cairo_curve_to(c.cr(), 620, 215, 600, 190, 562, 205);
  cairo_close_path(c.cr());
  c.Fill(Hex(0x6A1A3A));
  p.Front(462, [](Canvas& k) { Bench(k, 420, 420, 120, 42, Hex(0x6A4A32)); });
  p.Front(470, [](Canvas& k) { Crate(k, 180, 400, 80, 70, Hex(0x8A6A44)); });
  p.Front(524, [](Canvas& k) { Barrel(k, 590, 440, 58, 84, Hex(0x6A4028)); });
  p.Front(530, [](Canvas& k) { Sack(k, 330, 474, 52, 56, Hex(0xA08A60)); });
  p.Front(398, [](Canvas& k) { Sack(k, 262, 350, 44, 48, Hex(0x9A8458)); });
  p.Front(572, [](Canvas& k) { Bale(k, 1107, 452, 520, 96, 52); });
  p.Front(440, [](Canvas& k) { Crate(k, 622, 396, 38, 44, Hex(0x7A5A3A)); });
  p.Front(500, [](Canvas& k) { Tuft(k, 1108, 290, 330, 500, 20, Hex(0x6A7A4A)); });
  p.Front(600, [](Canvas& k) { StoneWall(k, 1104, 150, 572, 510, 30, Hex(0x8A8A90), 44, 15); });
  Light(c, 300, 120, 300, Hex(0xC0D0FF), 0.12);
  Finish(c, 506, 0.04, 0.4);
}

void HauntedAttic(ScenePainter& p) {
  Canvas& c = p.Picture();
  WoodPanels(c, 1201, 0, 0, 660, 460, Hex(0x4A3A2C));
  Beam(c, 0, 60, 330, -40, 40, Hex(0x3A2A1E));
  Beam(c, 660, 60, 330, -40, 40, Hex(0x3A2A1E));
  Beam(c, 0, 160, 660, 160, 26, Hex(0x3A2A1E));
  // A round window with moonlight.
  cairo_arc(c.cr(), 330, 260, 60, 0, 2 * M_PI);
  c.Fill(Hex(0x2A2A22));
  cairo_arc(c.cr(), 330, 260, 50, 0, 2 * M_PI);
  c.LinearV(210, 310, Hex(0x2A3A6A), Hex(0x6A7AAA));
  cairo_fill(c.cr());
  Shelf(c, 24, 240, 150, Hex(0x5A4030));
  Shelf(c, 588, 290, 66, Hex(0x5A4030));
  Shelf(c, 180, 300, 82, Hex(0x5A4030));
  ShelfClutter(c, 1204, 26, 172, 240, 56);
  ShelfClutter(c, 1207, 182, 260, 300, 50);
  // Knots and nails in the old boards.
  Random r(1208);
  for (int i = 0; i < 70; ++i) {
    const double x = r.Range(0, 660), y = r.Range(20, 450);
    if (r.Unit() < 0.5) {
      c.Ellipse(x, y, r.Range(3, 7), r.Range(2, 4));
      c.Fill(Hex(0x1E160E), 0.6);
    } else {
      cairo_arc(c.cr(), x, y, 1.6, 0, 2 * M_PI);
      c.Fill(Hex(0x8A8A90), 0.7);
    }
  }
  WoodFloor(c, 1202, 460, Hex(0x5A4430));
  Litter(c, 1205, 20, 466, 640, 594, 110, Hex(0x5A4430), true);
  Shaft(c, 300, 240, 60, 600, Hex(0x8090C0), 0.18);
  p.Front(462, [](Canvas& k) {
    Dresser(k, 404, 250, 168, 212, Hex(0x5A3A24));
    ShelfClutter(k, 1206, 404, 572, 250, 50);
  });
  p.Front(470, [](Canvas& k) { Crate(k, 40, 380, 110, 90, Hex(0x7A5A3A)); });
  p.Front(474, [](Canvas& k) { Crate(k, 80, 320, 70, 60, Hex(0x6A4A2A)); });
  p.Front(482, [](Canvas& k) { Barrel(k, 582, 380, 70, 100, Hex(0x5A3A22)); });
  p.Front(502, [](Canvas& k) { Drape(k, 196, 392, 130, 110, Hex(0xD8D0C0)); });
  p.Front(572, [](Canvas& k) { Chest(k, 56, 504, 110, 68, Hex(0x5A3A22)); });
  p.Front(594, [](Canvas& k) { BookPile(k, 1211, 470, 540, 84, 54); });
  p.Front(560, [](Canvas& k) { Crate(k, 560, 500, 72, 60, Hex(0x6A4A2A)); });
  p.Front(520, [](Canvas& k) { Sack(k, 350, 478, 46, 42, Hex(0x8A7A5A)); });
  Finish(c, 1203, 0.06, 0.55);
}

}  // namespace

void PaintLocation(int theId, ScenePainter& p) {
  switch (theId) {
    case 1:
      WyrmCellar(p);
      break;
    case 2:
      ClockmakersLoft(p);
      break;
    case 3:
      OwlwoodPath(p);
      break;
    case 4:
      MillbrookFarm(p);
      break;
    case 5:
      WindwardRuins(p);
      break;
    case 6:
      CrystalCavern(p);
      break;
    case 7:
      VespersLibrary(p);
      break;
    case 8:
      ChapelYard(p);
      break;
    case 9:
      TheDungeon(p);
      break;
    case 10:
      WillowPond(p);
      break;
    case 11:
      CastleRamparts(p);
      break;
    default:
      HauntedAttic(p);
      break;
  }
}
}  // namespace GameAssets

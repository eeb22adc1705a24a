#include <algorithm>
#include <cmath>
#include <string>

#include "ArtAssets.h"
#include "EmojiRenderer.h"
#include "InterfaceArt.h"
#include "MapLayout.h"
#include "Painting.h"
#include "Props.h"
#include "Quantizer.h"
#include "Scenes.h"

namespace GameAssets {

using namespace Paint;

namespace {

TeskTools::BlockImage Block(const Canvas& c) { return Quantize(c.Pixels(), c.Width(), c.Height()); }

void PasteEmoji(Canvas& c, uint32_t theCode, int theSize, double cx, double cy, bool theShadow = true) {
  auto e = EmojiRenderer::Get().Render(theCode, EmojiLook{theSize, {1, 1, 1}, 1.0, 0, false, theShadow});
  if (e) c.Paste(*e, cx - e->Width() / 2.0, cy - e->Height() / 2.0);
}

// A sheet of theRows x theCols cells; theDraw paints frame f with its cell's top-left at (0, 0).
template <typename Draw>
std::unique_ptr<Canvas> Sheet(int theRows, int theCols, int theCellW, int theCellH, int theFrames, Draw theDraw) {
  auto c = std::make_unique<Canvas>(theCols * theCellW, theRows * theCellH);
  for (int f = 0; f < theFrames; ++f) {
    cairo_save(c->cr());
    cairo_translate(c->cr(), (f % theCols) * theCellW, (f / theCols) * theCellH);
    cairo_rectangle(c->cr(), 0, 0, theCellW, theCellH);
    cairo_clip(c->cr());
    theDraw(*c, f);
    cairo_restore(c->cr());
  }
  return c;
}

void Star(Canvas& c, double cx, double cy, double r, double theInner, double theAngle) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, cx + std::cos(theAngle) * r, cy + std::sin(theAngle) * r);
  for (int i = 1; i < 8; ++i) {
    const double t = theAngle + i * M_PI / 4, k = (i % 2) ? r * theInner : r;
    cairo_line_to(cr, cx + std::cos(t) * k, cy + std::sin(t) * k);
  }
  cairo_close_path(cr);
}

std::unique_ptr<Canvas> ParticleSheet(int theIndex) {
  switch (theIndex) {
    case 0:  // twinkling stars
      return Sheet(2, 4, 32, 32, 8, [](Canvas& c, int f) {
        const double k = 0.55 + 0.45 * std::sin(f * M_PI / 7);
        c.Glow(16, 16, 14 * k + 2, Hex(0xFFFFFF), 0.5);
        Star(c, 16, 16, 14 * k, 0.22, f * M_PI / 16);
        c.Fill(Hex(0xFFFFFF));
      });
    case 1:  // soft puffs
      return Sheet(2, 4, 32, 32, 7, [](Canvas& c, int f) {
        Random r(static_cast<uint32_t>(50 + f));
        for (int i = 0; i < 5; ++i) c.Glow(16 + r.Range(-5, 5), 16 + r.Range(-5, 5), 6 + f * 1.3, Hex(0xFFFFFF), 0.35);
      });
    case 2:  // glints
      return Sheet(2, 4, 24, 24, 8, [](Canvas& c, int f) {
        const double k = 0.3 + 0.7 * std::fabs(std::sin(f * M_PI / 8));
        c.Glow(12, 12, 10 * k, Hex(0xFFFFFF), 0.6);
        Star(c, 12, 12, 11 * k, 0.15, 0);
        c.Fill(Hex(0xFFFFFF), 0.9);
      });
    case 3:  // wisps
      return Sheet(1, 4, 32, 32, 4, [](Canvas& c, int f) {
        c.Ellipse(16, 16, 8 + f * 2, 5 + f);
        c.Radial(16, 16, 14, Hex(0xFFFFFF), 0.8, 0.0);
        cairo_fill(c.cr());
      });
    default:  // a large soft glow
      return Sheet(1, 1, 64, 64, 1, [](Canvas& c, int) { c.Glow(32, 32, 31, Hex(0xFFFFFF), 0.9); });
  }
}

std::unique_ptr<Canvas> Eyes(int w, int h, const Rgb& theColour, double theOpen, double theLook) {
  auto c = std::make_unique<Canvas>(w, h);
  for (int s = 0; s < 2; ++s) {
    const double cx = w * (0.27 + 0.46 * s), cy = h / 2.0, rx = w * 0.16, ry = h * 0.32 * theOpen;
    c->Glow(cx, cy, rx * 1.9, theColour, 0.55);
    if (ry < 0.5) continue;
    c->Ellipse(cx, cy, rx, ry);
    c->Fill(Mix(theColour, Hex(0xFFFFFF), 0.4));
    c->Ellipse(cx + theLook * rx * 0.4, cy, rx * 0.3, ry * 0.9);
    c->Fill(Hex(0x100000));
  }
  return c;
}

std::unique_ptr<Canvas> SpookyEyesSheet(const Rgb& theColour) {
  return Sheet(4, 8, 48, 24, 32, [&](Canvas& c, int f) {
    double anOpen = 1.0, aLook = 0;
    if (f < 6) anOpen = f / 5.0;
    else if (f < 13) aLook = -(f - 6) / 6.0;
    else if (f < 16) anOpen = (f == 14) ? 0.1 : 0.6;
    else if (f < 25) aLook = (f - 16) / 8.0;
    else anOpen = (31 - f) / 6.0;
    auto e = Eyes(48, 24, theColour, anOpen, aLook);
    c.Paste(*e, 0, 0);
  });
}

void SpiderBody(Canvas& c, double cx, double cy, int f, bool theWalking) {
  cairo_t* cr = c.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int s = -1; s <= 1; s += 2)
    for (int k = 0; k < 4; ++k) {
      const double swing = theWalking ? std::sin(f * 0.8 + k * 1.3) * 0.25 : std::sin(f * 0.4 + k) * 0.08;
      const double t = (-0.9 + k * 0.55 + swing);
      const double kx = cx + s * std::cos(t) * 9, ky = cy + std::sin(t) * 7;
      cairo_move_to(cr, cx, cy);
      cairo_line_to(cr, kx, ky - 4);
      cairo_line_to(cr, kx + s * 6, ky + 6);
      cairo_set_line_width(cr, 1.6);
      c.Color(Hex(0x505050));
      cairo_stroke(cr);
    }
  c.Ellipse(cx, cy + 4, 7, 8);
  c.Radial(cx - 2, cy + 1, 9, Hex(0xF0F0F0), 1.0, 1.0);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy - 4, 4.5, 0, 2 * M_PI);
  c.Fill(Hex(0xC8C8C8));
  cairo_arc(cr, cx - 1.6, cy - 5, 1.1, 0, 2 * M_PI);
  cairo_arc(cr, cx + 1.6, cy - 5, 1.1, 0, 2 * M_PI);
  c.Fill(Hex(0xFF3030));
}

std::unique_ptr<Canvas> SnoringTree() {
  return Sheet(4, 4, 150, 200, 16, [](Canvas& c, int f) {
    const double b = f <= 8 ? f / 8.0 : (16 - f) / 8.0;  // breath
    Tree(c, 1801, 75, 196, 200 + b * 6, Hex(0x5A4430), Hex(0x4A7A36), 0.3);
    // A sleepy face in the bark.
    cairo_t* cr = c.cr();
    for (int s = -1; s <= 1; s += 2) {
      cairo_move_to(cr, 75 + s * 14 - 6, 120);
      cairo_curve_to(cr, 75 + s * 14 - 2, 124, 75 + s * 14 + 2, 124, 75 + s * 14 + 6, 120);
      cairo_set_line_width(cr, 2);
      c.Color(Hex(0x1A1008));
      cairo_stroke(cr);
    }
    c.Ellipse(75, 150, 5 + b * 4, 3 + b * 8);
    c.Fill(Hex(0x140A04));
  });
}

std::unique_ptr<Canvas> ResultsBook() {
  auto c = std::make_unique<Canvas>(760, 480);
  cairo_t* cr = c->cr();
  c->RoundRect(6, 10, 748, 464, 18);
  c->LinearV(0, 480, Hex(0x5A1A14), Hex(0x2A0A06));
  cairo_fill(cr);
  GoldFrame(*c, 12, 16, 736, 452, 14, 3);
  // The two pages: the left centred on 204 and the right on 556 of the book.
  OpenBookPages(*c, 28, 22, 708, 436, 1900);
  cairo_move_to(cr, 380, 28);
  cairo_line_to(cr, 380, 458);
  cairo_set_line_width(cr, 3);
  c->Color(Hex(0x6A4A2A));
  cairo_stroke(cr);
  // A ribbon marker.
  cairo_move_to(cr, 560, 456);
  cairo_line_to(cr, 560, 478);
  cairo_line_to(cr, 568, 470);
  cairo_line_to(cr, 576, 478);
  cairo_line_to(cr, 576, 456);
  c->Fill(Hex(0x8A1E28));
  return c;
}

std::unique_ptr<Canvas> PopupBox() {
  auto c = std::make_unique<Canvas>(460, 480);
  cairo_t* cr = c->cr();
  // Parchment sheet with a wax-sealed crest at the top and a heading ribbon.
  c->RoundRect(16, 80, 428, 392, 16);
  c->Glow(230, 280, 260, Hex(0x000000), 0.35);
  c->RoundRect(20, 80, 420, 388, 16);
  Parchment(*c, 20, 80, 420, 388, 2001);
  GoldFrame(*c, 26, 86, 408, 376, 12, 3);
  cairo_move_to(cr, 20, 112);
  cairo_line_to(cr, 440, 112);
  cairo_line_to(cr, 460, 132);
  cairo_line_to(cr, 440, 152);
  cairo_line_to(cr, 20, 152);
  cairo_line_to(cr, 0, 132);
  cairo_close_path(cr);
  c->LinearV(112, 152, Hex(0xE8D2A0), Hex(0xC8A870));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  c->Color(Hex(0x8A6226));
  cairo_stroke(cr);
  c->Glow(230, 52, 56, Hex(0xFFD870), 0.35);
  cairo_arc(cr, 230, 56, 36, 0, 2 * M_PI);
  c->Radial(220, 46, 40, Hex(0xB0302A), 1.0, 1.0);
  cairo_fill(cr);
  cairo_arc(cr, 230, 56, 28, 0, 2 * M_PI);
  cairo_set_line_width(cr, 2);
  c->Color(Hex(0x6A140E));
  cairo_stroke(cr);
  c->Paste(*Runestone(26, 2, 0.8), 217, 40);
  return c;
}

std::vector<TeskTools::BlockImage> AnimsBlock() {
  std::vector<TeskTools::BlockImage> v;
  for (int i = 0; i < 5; ++i) v.push_back(Block(*ParticleSheet(i)));
  v.push_back(Block(*Sheet(1, 1, 32, 32, 1, [](Canvas& c, int) { c.Glow(16, 16, 15, Hex(0xFFFFFF), 1.0); })));
  v.push_back(Block(*Sheet(2, 6, 24, 24, 12, [](Canvas& c, int f) {
    const double k = std::fabs(std::sin(f * M_PI / 6));
    for (int s = -1; s <= 1; s += 2) {
      c.Ellipse(12 + s * 6, 10, 5, 3 + 4 * k);
      c.Fill(Hex(0xE8F0FF), 0.7);
    }
    cairo_arc(c.cr(), 12, 13, 3.5, 0, 2 * M_PI);
    c.Fill(Hex(0xFFFFFF));
  })));
  v.push_back(Block(*Sheet(2, 8, 24, 40, 16, [](Canvas& c, int f) {
    cairo_save(c.cr());
    cairo_translate(c.cr(), 12, 38);
    cairo_scale(c.cr(), 1 + 0.1 * std::sin(f * 0.9), 1 + 0.15 * std::sin(f * 1.7));
    Flame(c, 0, 0, 30);
    cairo_restore(c.cr());
  })));
  v.push_back(Block(*Eyes(40, 16, Hex(0xFFD040), 1, 0)));   // 8: garden
  v.push_back(Block(*Eyes(30, 14, Hex(0xFF3020), 1, 0)));   // 9, 10: graveyard gargoyles
  v.push_back(Block(*Eyes(30, 14, Hex(0xFF3020), 1, 0)));
  v.push_back(Block(*SpookyEyesSheet(Hex(0xFFE060))));      // 11
  v.push_back(Block(*SpookyEyesSheet(Hex(0xFF5040))));      // 12
  {                                                          // 13: the portrait's pupils
    Canvas c(36, 10);
    for (double x : {8.0, 28.0}) {
      cairo_arc(c.cr(), x, 5, 3.2, 0, 2 * M_PI);
      c.Fill(Hex(0x201008));
    }
    v.push_back(Block(c));
  }
  v.push_back(Block(*Eyes(34, 14, Hex(0x60FF60), 1, 0)));   // 14: pond
  v.push_back(Block(*Eyes(64, 24, Hex(0xFF8A20), 1, 0)));   // 15: the dragon
  v.push_back(Block(*Sheet(2, 8, 40, 44, 15, [](Canvas& c, int f) { SpiderBody(c, 15, 20, f, false); })));
  v.push_back(Block(*Sheet(2, 8, 40, 44, 16, [](Canvas& c, int f) { SpiderBody(c, 15, 20, f, true); })));
  v.push_back(Block(*SnoringTree()));
  v.push_back(Block(*ResultsBook()));
  v.push_back(Block(*PopupBox()));
  for (int w = 0; w < 4; ++w) v.push_back(Block(*Wand(w)));
  return v;
}

std::vector<TeskTools::BlockImage> TitleBlock() {
  std::vector<TeskTools::BlockImage> v;
  // 0: leaves blown past the window (2 x 3, at 184, 146; the window spans 6..186 x 59..274).
  v.push_back(Block(*Sheet(2, 3, 190, 290, 6, [](Canvas& c, int f) {
    Random r(2101);
    for (int i = 0; i < 9; ++i) {
      const double x = std::fmod(r.Range(0, 180) + f * 32, 180) + 8, y = r.Range(90, 260) + f * 4;
      c.Ellipse(x, y, 5, 2.5);
      c.Fill(Mix(Hex(0x8A6A2A), Hex(0xC8A050), r.Unit()), 0.9);
    }
  })));
  // 1: the castle's lights far away (1 x 3, at 258, 219).
  v.push_back(Block(*Sheet(1, 3, 100, 60, 3, [](Canvas& c, int f) {
    Random r(2102);
    for (int i = 0; i < 6; ++i) {
      const double x = 20 + i * 11, y = 48 - (i % 3) * 4;
      c.Glow(x, y, 4, Hex(0xFFC860), (i + f) % 3 == 0 ? 0.4 : 0.9);
    }
  })));
  // 2: the moon's glow behind the clouds.
  {
    Canvas c(120, 120);
    c.Glow(60, 60, 58, Hex(0xE8ECFF), 0.8);
    v.push_back(Block(c));
  }
  // 3: a branch swaying at the window's lower left (2 x 2, at 135, 265).
  v.push_back(Block(*Sheet(2, 2, 130, 150, 4, [](Canvas& c, int f) {
    cairo_t* cr = c.cr();
    const double sway = (f - 1.5) * 4;
    cairo_move_to(cr, 62, 150);
    cairo_curve_to(cr, 80, 110, 95 + sway, 80, 120 + sway, 50);
    cairo_set_line_width(cr, 6);
    c.Color(Hex(0x0A0806));
    cairo_stroke(cr);
    for (int k = 0; k < 6; ++k) {
      c.Ellipse(80 + k * 7 + sway * k / 5, 120 - k * 13, 7, 4);
      c.Fill(Hex(0x0E140C));
    }
  })));
  return v;
}

std::vector<TeskTools::BlockImage> LevelIntroBlock() {
  std::vector<TeskTools::BlockImage> v;
  {  // 0: the book spread of the chapter pages.
    Canvas c(800, 600);
    c.LinearV(0, 600, Hex(0x2A1A10), Hex(0x120804));
    cairo_paint(c.cr());
    c.Noise(2201, 0.04);
    c.RoundRect(30, 24, 740, 560, 20);
    c.Fill(Hex(0x4A140E));
    GoldFrame(c, 36, 30, 728, 548, 16, 3);
    OpenBookPages(c, 52, 38, 696, 524, 2202);
    v.push_back(Block(c));
  }
  const int w = 116, h = 42;
  v.push_back(Block(*Sheet(3, 5, w + 4, h + 4, 15, [&](Canvas& c, int f) {  // 1: the start glow
    const double k = 0.5 + 0.5 * std::sin(f * 2 * M_PI / 15);
    c.Ellipse((w + 4) / 2.0, (h + 4) / 2.0, (w + 4) / 2.0 - 1, (h + 4) / 2.0 - 1);
    c.Radial((w + 4) / 2.0, (h + 4) / 2.0, (w + 4) / 2.0, Hex(0xFFD870), 0.25 + 0.35 * k, 0.0);
    cairo_fill(c.cr());
  })));
  for (int aLit = 0; aLit < 2; ++aLit) {  // 2: the start label, 3: its hover image
    Canvas c(w, h);
    Plaque(c, 2, 2, w - 4, h - 4, "Begin", 19, aLit == 1);
    v.push_back(Block(c));
  }
  return v;
}

std::unique_ptr<Canvas> MapBackground(bool theTreasure) {
  auto c = std::make_unique<Canvas>(660, 600);
  cairo_t* cr = c->cr();
  cairo_rectangle(cr, 0, 0, 660, 600);
  Parchment(*c, 0, 0, 660, 600, theTreasure ? 2302 : 2301);
  if (theTreasure) {
    cairo_rectangle(cr, 0, 0, 660, 600);
    c->Fill(Hex(0x6A4A20), 0.18);
  }
  Random r(theTreasure ? 2303 : 2304);
  // Mountains along the top, forests, a river from the hills to the lake.
  for (int i = 0; i < 14; ++i) {
    const double x = r.Range(0, 660), y = r.Range(20, 110), s = r.Range(20, 38);
    cairo_move_to(cr, x - s, y + s);
    cairo_line_to(cr, x, y);
    cairo_line_to(cr, x + s, y + s);
    c->Fill(Hex(0x8A7A5A), 0.8);
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + s, y + s);
    cairo_line_to(cr, x + s * 0.3, y + s);
    c->Fill(Hex(0x5A4A30), 0.6);
  }
  for (int i = 0; i < 90; ++i) {
    const double x = r.Range(0, 660), y = r.Range(130, 590);
    cairo_move_to(cr, x - 5, y + 8);
    cairo_line_to(cr, x, y - 6);
    cairo_line_to(cr, x + 5, y + 8);
    c->Fill(Hex(0x4A6A3A), 0.55);
  }
  cairo_move_to(cr, 600, 120);
  cairo_curve_to(cr, 480, 200, 420, 330, 300, 380);
  cairo_curve_to(cr, 200, 420, 120, 380, 60, 470);
  cairo_set_line_width(cr, 7);
  c->Color(Hex(0x5A8AA8), 0.7);
  cairo_stroke(cr);
  c->Ellipse(60, 210, 50, 26);
  c->Fill(Hex(0x5A8AA8), 0.6);
  // Dotted roads.
  cairo_set_line_width(cr, 2);
  const double kDash[] = {6, 6};
  cairo_set_dash(cr, kDash, 2, 0);
  cairo_move_to(cr, 100, 440);
  cairo_curve_to(cr, 250, 330, 400, 300, 560, 230);
  cairo_move_to(cr, 230, 250);
  cairo_curve_to(cr, 300, 300, 480, 340, 560, 420);
  c->Color(Hex(0x6A4A2A), 0.8);
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  c->Text(theTreasure ? "Secrets of Gloam Hollow" : "Gloam Hollow", 330, 585, Face::SerifItalic, 20,
          Hex(0x4A2A10), 0.8, true);
  // Where a place's number seal stands above its picture, a flagpole rises from the picture's
  // top to carry it.
  for (int i = 0; i < 12 && theTreasure; ++i) {
    const MapSpot& s = MapSpotAt(i);
    if (s.mTreasureMarkerY + 30 >= s.mTreasureY) continue;
    const double x = s.mTreasureMarkerX + 15;
    cairo_move_to(cr, x, s.mTreasureMarkerY + 14);
    cairo_line_to(cr, x, s.mTreasureY + 2);
    cairo_set_line_width(cr, 2.5);
    c->Color(Hex(0x4A2A10), 0.9);
    cairo_stroke(cr);
    cairo_move_to(cr, x + 1, s.mTreasureMarkerY + 26);
    cairo_line_to(cr, x + 15, s.mTreasureMarkerY + 30);
    cairo_line_to(cr, x + 1, s.mTreasureMarkerY + 34);
    c->Fill(Hex(0x8A2A1E), 0.9);
  }
  c->Vignette(0.35);
  return c;
}

// A location's picture on the first map: its painting in a gilt-rimmed rounded vignette
// filling theArea of a theWidth x theHeight image (the rest of the image stays clear).
std::unique_ptr<Canvas> MapPicture(const std::vector<uint32_t>& theScene, int theWidth, int theHeight,
                                   const MapRect& theArea) {
  Canvas aScene(k_sceneWidth, k_sceneHeight);
  aScene.SetPixels(theScene);
  auto c = std::make_unique<Canvas>(theWidth, theHeight);
  cairo_t* cr = c->cr();
  // The shape sits inside the area with its shadow and rim; a low strip keeps all its height.
  const double anInset = theArea.mH < 40 ? 1 : 3;
  const double x = theArea.mX + anInset, y = theArea.mY + anInset;
  const double w = theArea.mW - 2 * anInset, h = theArea.mH - 2 * anInset - (anInset < 2 ? 1 : 0);
  const double r = std::min(18.0, std::min(w, h) * 0.32);
  c->RoundRect(x + 1, y + 2, w, h, r);
  c->Fill(Hex(0x2A1806), 0.45);
  cairo_save(cr);
  c->RoundRect(x, y, w, h, r);
  cairo_clip(cr);
  const double aScale = std::max(w / k_sceneWidth, h / k_sceneHeight);
  c->Paste(aScene, x + w / 2 - k_sceneWidth * aScale / 2, y + h / 2 - k_sceneHeight * aScale / 2, aScale);
  cairo_restore(cr);
  c->RoundRect(x, y, w, h, r);
  cairo_set_line_width(cr, 3.5);
  c->Color(Hex(0x3A2408));
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 2);
  c->Color(Hex(0xE0B44A));
  cairo_stroke(cr);
  return c;
}

// The panel of a plate stands this far inside its image (less where room is short): the room
// its hover light shines in.
constexpr int k_plateRim = 4;

// How a name plate of the first map is set: its lines and type size, the panel's margins.
struct PlateLayout {
  std::vector<std::string> mLines;
  double mSize = 12;
  int mPad = 10;          // between the text and the panel's sides
  int mRim = k_plateRim;  // between the panel and the image's sides, where the hover light shines
  int mWidth = 0, mHeight = 0;
};

// A name in one line, or two when it is wider than 96 pixels or the place asks for two; with
// theMaxWidth, a smaller type and less margin until the plate fits.
PlateLayout LayOutPlate(const std::string& theName, int theMaxWidth, bool theTwoLines) {
  Canvas aMeasure(1, 1);
  PlateLayout p;
  p.mLines = {theName};
  const size_t aSpace = theName.find(' ');
  if ((theTwoLines || aMeasure.TextWidth(theName, Face::SerifBold, 12) > 96) && aSpace != std::string::npos)
    p.mLines = {theName.substr(0, aSpace), theName.substr(aSpace + 1)};
  double aWidest = 0;
  for (;;) {
    aWidest = 0;
    for (const std::string& l : p.mLines)
      aWidest = std::max(aWidest, aMeasure.TextWidth(l, Face::SerifBold, p.mSize));
    if (theMaxWidth <= 0 || static_cast<int>(aWidest) + 2 * (p.mPad + p.mRim) <= theMaxWidth) break;
    // Whole pixel sizes: fractional ones space the letters unevenly.
    if (p.mPad > 5) {
      --p.mPad;
    } else if (p.mSize > 10) {
      p.mSize -= 1;
    } else if (p.mPad > 2) {
      --p.mPad;
    } else if (p.mRim > 2) {
      --p.mRim;
    } else if (p.mSize > 9) {
      p.mSize -= 1;
    } else {
      break;
    }
  }
  p.mWidth = static_cast<int>(aWidest) + 2 * (p.mPad + p.mRim);
  p.mHeight = static_cast<int>(p.mLines.size()) * 15 + 5 + 2 * p.mRim;
  return p;
}

// A name on a small parchment plate, or the light a hovered plate takes on: the game adds the
// light over the plate, so it brightens the rim and the paper around the letters and leaves the
// letters themselves dark.
std::unique_ptr<Canvas> NamePlate(const PlateLayout& p, bool theGlow) {
  const int w = p.mWidth, h = p.mHeight, m = p.mRim;
  auto c = std::make_unique<Canvas>(w, h);
  cairo_t* cr = c->cr();
  if (!theGlow) {
    Panel(*c, m, m, w - 2 * m, h - 2 * m, 6, Hex(0xF4E2B4), Hex(0xC8A870), Hex(0x6A4A20), 1.2);
    for (size_t i = 0; i < p.mLines.size(); ++i)
      c->Text(p.mLines[i], w / 2.0, m + 12 + 15.0 * i, Face::SerifBold, p.mSize, Hex(0x3A1E0A), 1.0, true);
    return c;
  }
  // A warm halo around the panel, fading outward, and a lit edge.
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  for (int k = 1; k <= m; ++k) {
    c->RoundRect(m - k, m - k, w - 2 * (m - k), h - 2 * (m - k), 6 + k);
    c->RoundRect(m - k + 1, m - k + 1, w - 2 * (m - k + 1), h - 2 * (m - k + 1), 5 + k);
    c->Fill(Hex(0xFFC850), 0.75 - 0.15 * k);
  }
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  c->RoundRect(m + 0.5, m + 0.5, w - 2 * m - 1, h - 2 * m - 1, 6);
  cairo_set_line_width(cr, 1.5);
  c->Color(Hex(0xFFE080), 0.8);
  cairo_stroke(cr);
  // A little light on the paper and none on the letters, nor just around them.
  Canvas aWash(w, h);
  aWash.RoundRect(m + 1.5, m + 1.5, w - 2 * m - 3, h - 2 * m - 3, 5);
  aWash.Fill(Hex(0xFFE8A0), 0.2);
  Canvas aLetters(w, h);
  for (size_t i = 0; i < p.mLines.size(); ++i)
    aLetters.Text(p.mLines[i], w / 2.0, m + 12 + 15.0 * i, Face::SerifBold, p.mSize, Hex(0xFFFFFF), 1.0,
                  true);
  aLetters.Blur(1);
  cairo_set_operator(aWash.cr(), CAIRO_OPERATOR_DEST_OUT);
  cairo_set_source_surface(aWash.cr(), aLetters.Surface(), 0, 0);
  cairo_paint(aWash.cr());
  c->Paste(aWash, 0, 0);
  return c;
}

// How wide the first map's plate of theIndex may be: up to the first number seal that stands to
// its right at the plate's height (a seal is a 30 x 30 cell with 3 pixels of margin, bobbing 3
// up and down; any location's seal, as every place is open on the last chapters); 0 for no limit.
int NamePlateRoom(int theIndex) {
  const MapSpot& s = MapSpotAt(theIndex);
  const int aPlateBottom = s.mNameY + 2 * 15 + 5 + 2 * k_plateRim;
  int aRoom = 0;
  for (int j = 0; j < 12; ++j) {
    const MapSpot& t = MapSpotAt(j);
    const int aSealLeft = t.mMarkerX + 3, aSealTop = t.mMarkerY, aSealBottom = t.mMarkerY + 30;
    if (aSealLeft <= s.mNameX || aSealBottom < s.mNameY || aSealTop > aPlateBottom) continue;
    const int aWidth = aSealLeft - s.mNameX - 1;
    if (aRoom == 0 || aWidth < aRoom) aRoom = aWidth;
  }
  return aRoom;
}

std::vector<TeskTools::BlockImage> MapBlock() {
  std::vector<TeskTools::BlockImage> v;
  v.push_back(Block(*MapBackground(false)));
  v.push_back(Block(*MapBackground(true)));
  for (int i = 0; i < 12; ++i) {
    int w = 0, h = 0;
    MapPictureSize(i, &w, &h);
    const MapSpot& s = MapSpotAt(i);
    MapRect anArea = MapPictureArea(i);
    anArea.mX -= s.mPictureX;
    anArea.mY -= s.mPictureY;
    v.push_back(Block(*MapPicture(SceneBackgrounds()[static_cast<size_t>(i)], w, h, anArea)));
  }
  for (bool isGlow : {false, true})
    for (int i = 0; i < 12; ++i)
      v.push_back(Block(*NamePlate(
          LayOutPlate(LocationById(i + 1).mName, NamePlateRoom(i), MapPlateInTwoLines(i)), isGlow)));
  {  // 38: a compass rose for the corner.
    Canvas c(110, 110);
    c.Glow(55, 55, 50, Hex(0xFFF0C0), 0.4);
    for (int k = 0; k < 2; ++k) {
      cairo_save(c.cr());
      cairo_translate(c.cr(), 55, 55);
      cairo_rotate(c.cr(), k * M_PI / 4);
      Star(c, 0, 0, k ? 34 : 50, 0.18, -M_PI / 2);
      c.Fill(k ? Hex(0x8A6A3A) : Hex(0x4A2A10));
      cairo_restore(c.cr());
    }
    c.Text("N", 55, 14, Face::SerifBold, 12, Hex(0x4A2A10), 1.0, true);
    v.push_back(Block(c));
  }
  // 39: number markers 1 to 10, red wax seals.
  v.push_back(Block(*Sheet(2, 5, 30, 30, 10, [](Canvas& c, int f) {
    cairo_arc(c.cr(), 15, 15, 12, 0, 2 * M_PI);
    c.Radial(12, 12, 14, Hex(0xC0302A), 1.0, 1.0);
    cairo_fill(c.cr());
    cairo_arc(c.cr(), 15, 15, 12, 0, 2 * M_PI);
    cairo_set_line_width(c.cr(), 1.5);
    c.Color(Hex(0x5A0A06));
    cairo_stroke(c.cr());
    c.Text(std::to_string(f + 1), 15, 20, Face::SansBold, 13, Hex(0xFFF0D0), 1.0, true);
  })));
  return v;
}

// A location's picture on the second map, which the chapter intro shows too: its painting on a
// card that fills the whole image, as the image is the button a click lands on and a later card
// may lie over a corner of an earlier one.
std::unique_ptr<Canvas> TreasurePicture(const std::vector<uint32_t>& theScene, int theWidth, int theHeight) {
  Canvas aScene(k_sceneWidth, k_sceneHeight);
  aScene.SetPixels(theScene);
  auto c = std::make_unique<Canvas>(theWidth, theHeight);
  cairo_t* cr = c->cr();
  const double w = theWidth, h = theHeight, r = 7;
  c->RoundRect(0, 0, w, h, r);
  c->Fill(Hex(0x3A2408));
  cairo_save(cr);
  c->RoundRect(3, 3, w - 6, h - 6, r - 2);
  cairo_clip(cr);
  const double aScale = std::max((w - 6) / k_sceneWidth, (h - 6) / k_sceneHeight);
  c->Paste(aScene, w / 2 - k_sceneWidth * aScale / 2, h / 2 - k_sceneHeight * aScale / 2, aScale);
  cairo_restore(cr);
  c->RoundRect(2, 2, w - 4, h - 4, r - 1);
  cairo_set_line_width(cr, 1.6);
  c->Color(Hex(0xE0B44A));
  cairo_stroke(cr);
  return c;
}

std::vector<TeskTools::BlockImage> Map2Block() {
  // The chapter pictures, also the second map's buttons.
  std::vector<TeskTools::BlockImage> v;
  for (int i = 0; i < 12; ++i) {
    int w = 0, h = 0;
    TreasurePictureSize(i, &w, &h);
    v.push_back(Block(*TreasurePicture(SceneBackgrounds()[static_cast<size_t>(i)], w, h)));
  }
  return v;
}

std::unique_ptr<Canvas> Workbench(bool theChant) {
  auto c = std::make_unique<Canvas>(660, 600);
  cairo_t* cr = c->cr();
  if (theChant) {
    // A stone circle under the moon: the game draws it dimmed, so it is painted bright.
    Sky(*c, 600, Hex(0x4A5AA0), Hex(0xA0B0E0));
    Stars(*c, 2401, 100, 400);
    Moon(*c, 330, 160, 60, Hex(0xFFFFF0));
    Hills(*c, 2402, 420, 20, Hex(0x6A8A6A), Hex(0x4A6A4A));
    for (int i = 0; i < 7; ++i) {
      const double x = 40 + i * 95, h = 120 + (i % 3) * 40;
      c->RoundRect(x, 440 - h, 40, h + 20, 10);
      c->LinearV(440 - h, 460, Hex(0xC8C8D0), Hex(0x7A7A88));
      cairo_fill(cr);
    }
  } else {
    WoodPanels(*c, 2403, 0, 0, 660, 600, Hex(0xB07A4A));
    Bookcase(*c, 2404, 20, 10, 620, 170, Hex(0xA06A3A));
    Light(*c, 330, 300, 400, Hex(0xFFE0A0), 0.4);
  }
  c->Noise(2405, 0.03);
  return c;
}

std::vector<TeskTools::BlockImage> PotionBlock() {
  std::vector<TeskTools::BlockImage> v;
  v.push_back(Block(*Workbench(false)));
  static const uint32_t kIngredients[6] = {0x1F344, 0x1F33F, 0x1F48E, 0x1F330, 0x1F338, 0x1F9B4};
  for (uint32_t aCode : kIngredients) {
    Canvas c(60, 60);
    PasteEmoji(c, aCode, 48, 30, 30);
    v.push_back(Block(c));
  }
  { Canvas c(4, 4); v.push_back(Block(c)); }  // entry 6 is not used
  for (int aSelected = 0; aSelected < 2; ++aSelected) {
    Canvas c(66, 66);
    Panel(c, 3, 3, 60, 60, 12, Hex(aSelected ? 0xF8D870 : 0x3A2A20), Hex(aSelected ? 0xB0801C : 0x1A120C),
          Hex(0xC89A3A), 1.5, 0.85);
    v.push_back(Block(c));
  }
  auto Connector = [&](int w, int h, double x0, double y0, double x1, double y1) {
    Canvas c(w, h);
    cairo_move_to(c.cr(), x0, y0);
    cairo_line_to(c.cr(), x1, y1);
    cairo_set_line_cap(c.cr(), CAIRO_LINE_CAP_ROUND);
    cairo_set_line_width(c.cr(), 7);
    c.Color(Hex(0xFFF0B0), 0.95);
    cairo_stroke(c.cr());
    v.push_back(Block(c));
  };
  Connector(94, 10, 6, 5, 88, 5);    // left and right
  Connector(88, 88, 6, 6, 82, 82);   // upper left and lower right
  Connector(10, 82, 5, 6, 5, 76);    // above and below
  Connector(76, 78, 70, 6, 6, 72);   // upper right and lower left
  {  // 13: the bottle, 14: its contents (white, tinted by the game).
    Canvas aBottle(90, 150), aContents(90, 150);
    for (int k = 0; k < 2; ++k) {
      Canvas& c = k ? aContents : aBottle;
      cairo_t* cr = c.cr();
      cairo_move_to(cr, 36, 4);
      cairo_line_to(cr, 54, 4);
      cairo_line_to(cr, 54, 44);
      cairo_curve_to(cr, 88, 60, 88, 146, 45, 146);
      cairo_curve_to(cr, 2, 146, 2, 60, 36, 44);
      cairo_close_path(cr);
      if (k) {
        c.Fill(Hex(0xFFFFFF));
      } else {
        c.Radial(35, 80, 60, Hex(0xE0F0FF), 0.35, 0.15);
        cairo_fill_preserve(cr);
        cairo_set_line_width(cr, 3);
        c.Color(Hex(0xE8F4FF), 0.9);
        cairo_stroke(cr);
        cairo_rectangle(cr, 33, 0, 24, 10);
        c.Fill(Hex(0x8A5A2A));
        c.Ellipse(28, 90, 6, 20);
        c.Fill(Hex(0xFFFFFF), 0.35);
      }
    }
    v.push_back(Block(aBottle));
    v.push_back(Block(aContents));
  }
  v.push_back(Block(*Sheet(1, 8, 20, 40, 8, [](Canvas& c, int f) {  // 15: bubbles
    for (int k = 0; k < 3; ++k) {
      const double y = 38 - std::fmod(f * 5 + k * 13, 36);
      cairo_arc(c.cr(), 6 + k * 4, y, 2 + k * 0.6, 0, 2 * M_PI);
      c.Fill(Hex(0xFFFFFF), 0.8);
    }
  })));
  v.push_back(Block(*Sheet(2, 5, 78, 78, 10, [](Canvas& c, int f) {  // 16: chain head
    const double k = 0.5 + 0.5 * std::sin(f * 2 * M_PI / 10);
    cairo_arc(c.cr(), 39, 39, 33 + k * 3, 0, 2 * M_PI);
    cairo_set_line_width(c.cr(), 3 + k * 2);
    c.Color(Hex(0xFFE070), 0.6 + 0.4 * k);
    cairo_stroke(c.cr());
  })));
  return v;
}

// The chant game's word parts, in the game's order.
const char* const kWordParts[90] = {
    "abba",   "ata",    "ast",   "astcar", "ba",     "bam",     "bay",      "bell",  "bar",    "bellray",
    "baracca", "cast",  "cray",  "carque", "dab",    "dar",     "dao",      "emucar", "ezza",  "er",
    "ergrue", "fin",    "fur",   "fye",    "flay",   "gaur",    "gip",      "grue",  "gipyaos", "harra",
    "hoat",   "harratao", "icca", "izzo",  "iz",     "ita",     "joul",     "jarfur", "jarrit", "kaesor",
    "kae",    "kii",    "la",    "lyos",   "lidab",  "layol",   "mo",       "melcar", "mel",   "nir",
    "nirkae", "nirfye", "ot",    "oay",    "otjar",  "pia",     "por",      "qui",   "quor",   "quixao",
    "ray",    "rit",    "ryol",  "raydao", "sor",    "soriz",   "racca",    "taosor", "tao",   "tam",
    "tai",    "tsor",   "upo",   "ur",     "urcray", "va",      "vir",      "virray", "waz",   "wor",
    "xor",    "xala",   "xao",   "yaos",   "yol",    "yoldab",  "zia",      "zam",   "zoa",    "zo"};

std::vector<TeskTools::BlockImage> ChantBlock() {
  std::vector<TeskTools::BlockImage> v;
  v.push_back(Block(*Workbench(true)));
  {  // 1: the chant bar under the field (660 x 130 at 140, 470).
    Canvas c(660, 130);
    c.RoundRect(4, 6, 652, 120, 14);
    Parchment(c, 4, 6, 652, 120, 2501);
    GoldFrame(c, 8, 10, 644, 112, 12, 3);
    v.push_back(Block(c));
  }
  for (const char* aPart : kWordParts) {
    double aSize = 16;
    while (Canvas(1, 1).TextWidth(aPart, Face::SerifCondensedBold, aSize) > 46 && aSize > 9) aSize -= 0.5;
    const int w = std::min(60, static_cast<int>(Canvas(1, 1).TextWidth(aPart, Face::SerifCondensedBold, aSize)) + 14);
    Canvas c(w, 32);
    Panel(c, 2, 2, w - 4, 28, 8, Hex(0xF2E4BE), Hex(0xC0A070), Hex(0x6A4A20), 1.5);
    c.Text(aPart, w / 2.0, 16 + aSize * 0.36, Face::SerifCondensedBold, aSize, Hex(0x5A1A14), 1.0, true);
    v.push_back(Block(c));
  }
  return v;
}

}  // namespace

std::vector<ImageBlockFile> InterfaceBlocks() {
  return {{"builddata/animsblock.tgab", AnimsBlock()},           {"builddata/titleblock.tgab", TitleBlock()},
          {"builddata/levelintroblock.tgab", LevelIntroBlock()}, {"builddata/mapblock.tgab", MapBlock()},
          {"builddata/map2block.tgab", Map2Block()},             {"builddata/minigameblock.tgab", PotionBlock()},
          {"builddata/minigameblock2.tgab", ChantBlock()}};
}

std::vector<ImageResource> ImageResources() {
  std::vector<ImageResource> v;
  for (auto* aGroup : {&InitImages, &MainImages, &StoryImages, &TitleImages, &HowToPlayImages, &MapImages}) {
    std::vector<ImageResource> aPart = (*aGroup)();
    v.insert(v.end(), aPart.begin(), aPart.end());
  }
  return v;
}

}  // namespace GameAssets

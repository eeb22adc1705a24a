#include "Painting.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace GameAssets {
namespace Paint {

namespace {

const Rgb kBlack{0, 0, 0};
const Rgb kWhite{1, 1, 1};

// Closed smooth shape through points (Catmull-Rom as Bezier curves).
void SmoothClosed(cairo_t* cr, const std::vector<std::pair<double, double>>& p) {
  const size_t n = p.size();
  cairo_move_to(cr, p[0].first, p[0].second);
  for (size_t i = 0; i < n; ++i) {
    const auto& p0 = p[(i + n - 1) % n];
    const auto& p1 = p[i];
    const auto& p2 = p[(i + 1) % n];
    const auto& p3 = p[(i + 2) % n];
    cairo_curve_to(cr, p1.first + (p2.first - p0.first) / 6, p1.second + (p2.second - p0.second) / 6,
                   p2.first - (p3.first - p1.first) / 6, p2.second - (p3.second - p1.second) / 6, p2.first, p2.second);
  }
  cairo_close_path(cr);
}

// A rounded blob of leaves or rock, shaded from a light side.
void Blob(Canvas& c, Random& r, double x, double y, double rad, const Rgb& theColour, double theLight) {
  cairo_t* cr = c.cr();
  std::vector<std::pair<double, double>> aPts;
  const int n = 9;
  for (int i = 0; i < n; ++i) {
    const double t = 2 * M_PI * i / n;
    const double k = rad * r.Range(0.78, 1.12);
    aPts.push_back({x + std::cos(t) * k, y + std::sin(t) * k * 0.85});
  }
  SmoothClosed(cr, aPts);
  c.RadialGradient(x - rad * 0.35, y - rad * 0.4, rad * 0.1, x, y, rad * 1.1,
                   {{0, Mix(theColour, kWhite, theLight)}, {0.6, theColour}, {1, Scale(theColour, 0.55)}});
  cairo_fill(cr);
}

void Shade(Canvas& c, double x, double y, double w, double h, const Rgb& theColour, double theTop, double theBottom) {
  c.LinearV(y, y + h, Scale(theColour, theTop), Scale(theColour, theBottom));
  cairo_rectangle(c.cr(), x, y, w, h);
  cairo_fill(c.cr());
}

const uint32_t kSpineColours[] = {0x7A2418, 0x23456E, 0x2F5B2B, 0x6B4A1C,
                                  0x5A1E4C, 0x8C6A2A, 0x3B3B3B, 0x7E3B12};

// A book's spine standing in (x, y, w, h), rounded by its shading.
void Spine(Canvas& c, double x, double y, double w, double h, const Rgb& b) {
  cairo_rectangle(c.cr(), x, y, w, h);
  const Rgb aLit{std::min(1.0, b.r * 1.3), std::min(1.0, b.g * 1.3), std::min(1.0, b.b * 1.3)};
  c.LinearGradient(x, 0, x + w, 0, {{0, Scale(b, 0.6)}, {0.45, aLit}, {1, Scale(b, 0.5)}});
  cairo_fill(c.cr());
}

}  // namespace

void Sky(Canvas& c, double theBottom, const Rgb& theTop, const Rgb& theHorizon) {
  c.LinearV(0, theBottom, theTop, theHorizon);
  cairo_rectangle(c.cr(), 0, 0, c.Width(), theBottom);
  cairo_fill(c.cr());
}

void Stars(Canvas& c, uint32_t theSeed, int theCount, double theMaxY) {
  Random r(theSeed);
  for (int i = 0; i < theCount; ++i) {
    const double x = r.Range(0, c.Width()), y = r.Range(0, theMaxY);
    const double s = r.Range(0.4, 1.4);
    const double a = r.Range(0.35, 1.0) * (1.0 - y / theMaxY * 0.6);
    c.Glow(x, y, s * 3, Hex(0xDDE6FF), a * 0.35);
    cairo_arc(c.cr(), x, y, s * 0.7, 0, 2 * M_PI);
    c.Fill(Hex(0xFFFFFF), a);
  }
}

void Moon(Canvas& c, double x, double y, double r, const Rgb& theColour) {
  c.Glow(x, y, r * 4.5, theColour, 0.25);
  c.Glow(x, y, r * 2.0, theColour, 0.35);
  cairo_arc(c.cr(), x, y, r, 0, 2 * M_PI);
  c.RadialGradient(x - r * 0.3, y - r * 0.3, r * 0.1, x, y, r,
                   {{0, {1, 1, 0.96}}, {1, {theColour.r * 0.85, theColour.g * 0.85, theColour.b * 0.8}}});
  cairo_fill(c.cr());
  Random rr(static_cast<uint32_t>(x * 7 + y));
  for (int i = 0; i < 6; ++i) {
    cairo_arc(c.cr(), x + rr.Range(-r, r) * 0.6, y + rr.Range(-r, r) * 0.6, r * rr.Range(0.08, 0.2), 0, 2 * M_PI);
    c.Fill(Scale(theColour, 0.7), 0.25);
  }
}

void Clouds(Canvas& c, uint32_t theSeed, int theCount, double y0, double y1, const Rgb& theColour, double a) {
  Random r(theSeed);
  for (int i = 0; i < theCount; ++i) {
    const double x = r.Range(-60, c.Width() + 60), y = r.Range(y0, y1), w = r.Range(80, 200);
    for (int k = 0; k < 7; ++k) {
      c.Ellipse(x + r.Range(-w / 2, w / 2), y + r.Range(-8, 8), r.Range(w * 0.2, w * 0.4), r.Range(10, 22));
      c.Fill(theColour, a * r.Range(0.4, 0.8));
    }
  }
}

void Hills(Canvas& c, uint32_t theSeed, double theBaseY, double theAmplitude, const Rgb& theTop, const Rgb& theBottom) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  const int n = 7;
  std::vector<double> aY(n + 1);
  for (auto& v : aY) v = theBaseY + r.Range(-theAmplitude, theAmplitude);
  const double aStep = c.Width() / static_cast<double>(n);
  cairo_move_to(cr, -10, c.Height());
  cairo_line_to(cr, -10, aY[0]);
  for (int i = 0; i < n; ++i) {
    const double x0 = i * aStep, x1 = (i + 1) * aStep;
    cairo_curve_to(cr, x0 + aStep / 2, aY[i], x1 - aStep / 2, aY[i + 1], x1, aY[i + 1]);
  }
  cairo_line_to(cr, c.Width() + 10, c.Height());
  cairo_close_path(cr);
  c.LinearV(theBaseY - theAmplitude, c.Height(), theTop, theBottom);
  cairo_fill(cr);
}

void Tree(Canvas& c, uint32_t theSeed, double x, double theGroundY, double theHeight, const Rgb& theTrunk,
          const Rgb& theLeaves, double theLight) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  const double tw = theHeight * 0.09;
  // Trunk with a flared foot and two limbs.
  cairo_move_to(cr, x - tw * 1.6, theGroundY);
  cairo_curve_to(cr, x - tw * 0.7, theGroundY - theHeight * 0.1, x - tw * 0.6, theGroundY - theHeight * 0.4,
                 x - tw * 0.4, theGroundY - theHeight * 0.62);
  cairo_line_to(cr, x + tw * 0.4, theGroundY - theHeight * 0.62);
  cairo_curve_to(cr, x + tw * 0.6, theGroundY - theHeight * 0.4, x + tw * 0.7, theGroundY - theHeight * 0.1,
                 x + tw * 1.7, theGroundY);
  cairo_close_path(cr);
  const Rgb d = Scale(theTrunk, 0.55);
  c.LinearGradient(x - tw, 0, x + tw, 0, {{0, d}, {0.4, Mix(theTrunk, kWhite, 0.15)}, {1, d}});
  cairo_fill(cr);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int s = -1; s <= 1; s += 2) {
    cairo_move_to(cr, x, theGroundY - theHeight * 0.5);
    cairo_curve_to(cr, x + s * theHeight * 0.1, theGroundY - theHeight * 0.6, x + s * theHeight * 0.18,
                   theGroundY - theHeight * 0.65, x + s * theHeight * 0.25, theGroundY - theHeight * 0.78);
    cairo_set_line_width(cr, tw * 0.6);
    c.Color(Scale(theTrunk, 0.8));
    cairo_stroke(cr);
  }
  // Crown: darker blobs behind, lighter in front.
  const double cy = theGroundY - theHeight * 0.72, rad = theHeight * 0.2;
  for (int layer = 0; layer < 3; ++layer) {
    const int n = 5 + layer * 2;
    for (int i = 0; i < n; ++i) {
      const double t = r.Range(0, 2 * M_PI), k = r.Range(0.2, 1.0) * rad * (1.4 - layer * 0.3);
      Blob(c, r, x + std::cos(t) * k * 1.3, cy + std::sin(t) * k * 0.9, rad * r.Range(0.45, 0.75),
           Scale(theLeaves, 0.65 + layer * 0.2), theLight * (0.4 + layer * 0.3));
    }
  }
}

void Bush(Canvas& c, uint32_t theSeed, double x, double y, double rad, const Rgb& theLeaves) {
  Random r(theSeed);
  for (int i = 0; i < 7; ++i)
    Blob(c, r, x + r.Range(-rad, rad), y + r.Range(-rad * 0.3, rad * 0.2), rad * r.Range(0.4, 0.7),
         Scale(theLeaves, r.Range(0.7, 1.0)), 0.25);
}

void Grass(Canvas& c, uint32_t theSeed, double theTopY, const Rgb& theNear, const Rgb& theFar) {
  c.LinearV(theTopY, c.Height(), theFar, theNear);
  cairo_rectangle(c.cr(), 0, theTopY, c.Width(), c.Height() - theTopY);
  cairo_fill(c.cr());
  Random r(theSeed);
  for (int i = 0; i < 60; ++i) {
    const double y = r.Range(theTopY, c.Height());
    c.Ellipse(r.Range(0, c.Width()), y, r.Range(20, 70), r.Range(3, 9));
    c.Fill(r.Unit() < 0.5 ? Scale(theNear, 0.7) : Mix(theNear, kWhite, 0.15), 0.25);
  }
}

void Blades(Canvas& c, uint32_t theSeed, double x0, double x1, double y, int theCount, double theHeight,
            const Rgb& theColour) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < theCount; ++i) {
    const double x = r.Range(x0, x1), h = theHeight * r.Range(0.5, 1.2), lean = r.Range(-0.4, 0.4) * h;
    cairo_move_to(cr, x, y);
    cairo_curve_to(cr, x, y - h * 0.5, x + lean * 0.5, y - h * 0.8, x + lean, y - h);
    cairo_set_line_width(cr, r.Range(1.0, 2.2));
    c.Color(Scale(theColour, r.Range(0.6, 1.2)), 0.9);
    cairo_stroke(cr);
  }
}

void StoneWall(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theStone,
               double theBlockW, double theBlockH) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_rectangle(cr, x, y, w, h);
  cairo_clip(cr);
  cairo_rectangle(cr, x, y, w, h);
  c.Fill(Scale(theStone, 0.45));
  int aRow = 0;
  for (double by = y; by < y + h; by += theBlockH, ++aRow) {
    for (double bx = x - (aRow % 2) * theBlockW / 2; bx < x + w; bx += theBlockW) {
      const double bw = theBlockW * r.Range(0.85, 1.0);
      const Rgb s = Scale(theStone, r.Range(0.78, 1.12));
      c.RoundRect(bx + 2, by + 2, bw - 3, theBlockH - 3, 4);
      c.LinearV(by, by + theBlockH, Mix(s, kWhite, 0.08), Scale(s, 0.78));
      cairo_fill(cr);
      if (r.Unit() < 0.2) {  // a crack or stain
        cairo_move_to(cr, bx + r.Range(5, bw - 5), by + 3);
        cairo_line_to(cr, bx + r.Range(5, bw - 5), by + theBlockH - 4);
        cairo_set_line_width(cr, 0.8);
        c.Color(Scale(theStone, 0.4), 0.5);
        cairo_stroke(cr);
      }
    }
  }
  cairo_restore(cr);
}

void WoodPanels(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theWood) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  const double pw = 66;
  for (double px = x; px < x + w; px += pw) {
    const Rgb s = Scale(theWood, r.Range(0.85, 1.05));
    cairo_rectangle(cr, px, y, pw, h);
    c.Fill(Scale(s, 0.6));
    c.RoundRect(px + 7, y + 10, pw - 14, h - 20, 3);
    c.LinearV(y, y + h, Mix(s, kWhite, 0.06), Scale(s, 0.75));
    cairo_fill(cr);
    for (int g = 0; g < 5; ++g) {  // grain
      const double gx = px + r.Range(10, pw - 10);
      cairo_move_to(cr, gx, y + 12);
      cairo_curve_to(cr, gx + r.Range(-4, 4), y + h * 0.3, gx + r.Range(-4, 4), y + h * 0.7, gx, y + h - 12);
      cairo_set_line_width(cr, 0.7);
      c.Color(Scale(s, 0.6), 0.35);
      cairo_stroke(cr);
    }
  }
}

void WoodFloor(Canvas& c, uint32_t theSeed, double theTopY, const Rgb& theWood) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  const double w = c.Width(), h = c.Height() - theTopY, cx = w / 2;
  Shade(c, 0, theTopY, w, h, theWood, 0.55, 1.0);
  for (int i = -12; i <= 12; ++i) {  // planks converging to a vanishing point
    cairo_move_to(cr, cx + i * 28, theTopY);
    cairo_line_to(cr, cx + i * 95, c.Height());
    cairo_set_line_width(cr, 1.2);
    c.Color(Scale(theWood, 0.35), 0.7);
    cairo_stroke(cr);
  }
  for (double y = theTopY + 14; y < c.Height(); y += 14 + (y - theTopY) * 0.25) {
    for (int i = -12; i <= 12; ++i) {
      if (r.Unit() < 0.6) continue;
      const double t = (y - theTopY) / h, xa = cx + i * (28 + 67 * t), xb = cx + (i + 1) * (28 + 67 * t);
      cairo_move_to(cr, xa, y);
      cairo_line_to(cr, xb, y);
      cairo_set_line_width(cr, 1.0);
      c.Color(Scale(theWood, 0.4), 0.5);
      cairo_stroke(cr);
    }
  }
}

void Flagstones(Canvas& c, uint32_t theSeed, double theTopY, const Rgb& theStone) {
  Random r(theSeed);
  Shade(c, 0, theTopY, c.Width(), c.Height() - theTopY, theStone, 0.35, 0.6);
  double y = theTopY;
  double aRowH = 12;
  while (y < c.Height()) {
    double x = -r.Range(0, 40);
    const double bw = aRowH * 3.2;
    while (x < c.Width()) {
      const double w = bw * r.Range(0.7, 1.2);
      c.RoundRect(x + 1.5, y + 1.5, w - 3, aRowH - 3, 3);
      c.Fill(Scale(theStone, r.Range(0.55, 0.95) * (0.6 + 0.5 * (y - theTopY) / (c.Height() - theTopY))));
      x += w;
    }
    y += aRowH;
    aRowH *= 1.28;
  }
}

void Window(Canvas& c, double x, double y, double w, double h, const Rgb& theSkyTop, const Rgb& theSkyLow,
            const Rgb& theFrame, bool theStars) {
  cairo_t* cr = c.cr();
  auto Arch = [&](double inset) {
    cairo_new_path(cr);
    cairo_move_to(cr, x + inset, y + h - inset);
    cairo_line_to(cr, x + inset, y + w / 2);
    cairo_arc(cr, x + w / 2, y + w / 2, w / 2 - inset, M_PI, 2 * M_PI);
    cairo_line_to(cr, x + w - inset, y + h - inset);
    cairo_close_path(cr);
  };
  Arch(-8);
  c.Fill(Scale(theFrame, 0.6));
  Arch(0);
  c.LinearV(y, y + h, theSkyTop, theSkyLow);
  cairo_fill(cr);
  cairo_save(cr);
  Arch(0);
  cairo_clip(cr);
  if (theStars) {
    Random r(static_cast<uint32_t>(x * 13 + y));
    for (int i = 0; i < 25; ++i) {
      cairo_arc(cr, x + r.Range(0, w), y + r.Range(0, h * 0.7), r.Range(0.5, 1.3), 0, 2 * M_PI);
      c.Fill(kWhite, r.Range(0.4, 0.9));
    }
  }
  c.Glow(x + w * 0.5, y + h * 0.35, w * 0.9, Mix(theSkyLow, kWhite, 0.4), 0.25);
  cairo_restore(cr);
  // Mullions and leading.
  cairo_set_line_width(cr, 4);
  c.Color(theFrame);
  cairo_move_to(cr, x + w / 2, y);
  cairo_line_to(cr, x + w / 2, y + h);
  cairo_move_to(cr, x, y + h * 0.55);
  cairo_line_to(cr, x + w, y + h * 0.55);
  cairo_stroke(cr);
  Arch(0);
  cairo_set_line_width(cr, 5);
  c.Color(Mix(theFrame, kWhite, 0.12));
  cairo_stroke(cr);
  cairo_rectangle(cr, x - 14, y + h, w + 28, 10);
  c.Fill(Scale(theFrame, 0.9));
}

void Bookcase(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theWood) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, x, y, w, h);
  c.Fill(Scale(theWood, 0.75));
  cairo_rectangle(cr, x + 8, y + 8, w - 16, h - 16);
  c.Fill(Scale(theWood, 0.25));
  const int aShelves = std::max(2, static_cast<int>(h / 78));
  const double sh = (h - 16) / aShelves;
  for (int s = 0; s < aShelves; ++s) {
    const double sy = y + 8 + s * sh;
    double bx = x + 10;
    while (bx < x + w - 14) {
      const double bw = r.Range(6, 14), bh = sh * r.Range(0.6, 0.88);
      if (r.Unit() < 0.08) {
        bx += r.Range(8, 22);  // a gap
        continue;
      }
      const Rgb b = Hex(kSpineColours[r.Int(8)]);
      const bool aLean = r.Unit() < 0.07 && bx < x + w - 30;
      cairo_save(cr);
      cairo_translate(cr, bx, sy + sh - 6);
      if (aLean) cairo_rotate(cr, 0.25);
      Spine(c, 0, -bh, bw, bh, b);
      cairo_rectangle(cr, 1, -bh * 0.8, bw - 2, 2);
      cairo_rectangle(cr, 1, -bh * 0.25, bw - 2, 2);
      c.Fill(Hex(0xD8B860), 0.55);
      cairo_restore(cr);
      bx += bw + (aLean ? 6 : 0.5);
    }
    cairo_rectangle(cr, x + 4, sy + sh - 7, w - 8, 8);
    c.LinearV(sy + sh - 7, sy + sh + 1, Mix(theWood, kWhite, 0.1), Scale(theWood, 0.6));
    cairo_fill(cr);
  }
}

void Table(Canvas& c, double x, double y, double w, double h, const Rgb& theWood) {
  cairo_t* cr = c.cr();
  for (double lx : {x + 12, x + w - 26}) {
    cairo_rectangle(cr, lx, y + 12, 14, h - 12);
    c.LinearV(y, y + h, Scale(theWood, 0.7), Scale(theWood, 0.35));
    cairo_fill(cr);
  }
  cairo_move_to(cr, x, y + 14);
  cairo_line_to(cr, x + 18, y);
  cairo_line_to(cr, x + w - 18, y);
  cairo_line_to(cr, x + w, y + 14);
  cairo_close_path(cr);
  c.LinearV(y, y + 14, Mix(theWood, kWhite, 0.15), theWood);
  cairo_fill(cr);
  cairo_rectangle(cr, x, y + 14, w, 8);
  c.Fill(Scale(theWood, 0.55));
}

void Rug(Canvas& c, double x, double y, double w, double h, const Rgb& theMain, const Rgb& theBorder) {
  c.Ellipse(x + w / 2, y + h / 2, w / 2, h / 2);
  c.Fill(theBorder);
  c.Ellipse(x + w / 2, y + h / 2, w / 2 - 8, h / 2 - 5);
  c.Radial(x + w / 2, y + h / 2, w / 2, Mix(theMain, kWhite, 0.1), 1.0, 1.0);
  cairo_fill(c.cr());
  c.Ellipse(x + w / 2, y + h / 2, w / 4, h / 4);
  cairo_set_line_width(c.cr(), 2);
  c.Color(theBorder, 0.8);
  cairo_stroke(c.cr());
}

void Curtain(Canvas& c, double x, double y, double w, double h, const Rgb& theCloth, bool theLeft) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x + w, y);
  if (theLeft) {
    cairo_curve_to(cr, x + w * 0.5, y + h * 0.4, x + w * 0.3, y + h * 0.6, x + w * 0.45, y + h);
    cairo_line_to(cr, x, y + h);
  } else {
    cairo_line_to(cr, x + w, y + h);
    cairo_line_to(cr, x + w * 0.55, y + h);
    cairo_curve_to(cr, x + w * 0.7, y + h * 0.6, x + w * 0.5, y + h * 0.4, x, y);
  }
  cairo_close_path(cr);
  c.LinearGradient(x, 0, x + w, 0, Bands(6, theCloth, Scale(theCloth, 0.55)));
  cairo_fill(cr);
}

void Column(Canvas& c, double x, double y, double w, double h, const Rgb& theStone) {
  cairo_t* cr = c.cr();
  const Rgb d = Scale(theStone, 0.45);
  cairo_rectangle(cr, x, y, w, h);
  c.LinearGradient(x, 0, x + w, 0, {{0, d}, {0.35, Mix(theStone, kWhite, 0.2)}, {1, d}});
  cairo_fill(cr);
  for (double fx = x + w * 0.2; fx < x + w; fx += w * 0.2) {
    cairo_move_to(cr, fx, y + 20);
    cairo_line_to(cr, fx, y + h - 20);
    cairo_set_line_width(cr, 1.2);
    c.Color(Scale(theStone, 0.35), 0.6);
    cairo_stroke(cr);
  }
  cairo_rectangle(cr, x - 8, y, w + 16, 18);
  cairo_rectangle(cr, x - 8, y + h - 18, w + 16, 18);
  c.Fill(Scale(theStone, 0.85));
}

void Beam(Canvas& c, double x0, double y0, double x1, double y1, double theThick, const Rgb& theWood) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1, y1);
  cairo_set_line_width(cr, theThick);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_BUTT);
  c.Color(theWood);
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, theThick * 0.25);
  c.Color(Mix(theWood, kWhite, 0.12), 0.5);
  cairo_stroke(cr);
}

void Barrel(Canvas& c, double x, double y, double w, double h, const Rgb& theWood) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, x + w * 0.1, y);
  cairo_curve_to(cr, x - w * 0.05, y + h * 0.35, x - w * 0.05, y + h * 0.65, x + w * 0.1, y + h);
  cairo_line_to(cr, x + w * 0.9, y + h);
  cairo_curve_to(cr, x + w * 1.05, y + h * 0.65, x + w * 1.05, y + h * 0.35, x + w * 0.9, y);
  cairo_close_path(cr);
  c.LinearGradient(x, 0, x + w, 0,
                   {{0, Scale(theWood, 0.45)}, {0.4, Scale(theWood, 1.1)}, {1, Scale(theWood, 0.4)}});
  cairo_fill(cr);
  for (double t : {0.18, 0.82}) {
    cairo_rectangle(cr, x, y + h * t - 3, w, 6);
    c.Fill(Hex(0x3A3A40), 0.85);
  }
  c.Ellipse(x + w / 2, y + 2, w * 0.4, 5);
  c.Fill(Scale(theWood, 0.6));
}

void Crate(Canvas& c, double x, double y, double w, double h, const Rgb& theWood) {
  cairo_t* cr = c.cr();
  cairo_rectangle(cr, x, y, w, h);
  c.LinearV(y, y + h, Mix(theWood, kWhite, 0.08), Scale(theWood, 0.7));
  cairo_fill(cr);
  cairo_set_line_width(cr, 5);
  c.Color(Scale(theWood, 0.55));
  cairo_rectangle(cr, x + 2.5, y + 2.5, w - 5, h - 5);
  cairo_move_to(cr, x + 4, y + 4);
  cairo_line_to(cr, x + w - 4, y + h - 4);
  cairo_stroke(cr);
}

void Fireplace(Canvas& c, double x, double y, double w, double h, const Rgb& theStone) {
  cairo_t* cr = c.cr();
  StoneWall(c, 11, x, y, w, h, theStone, 34, 18);
  cairo_move_to(cr, x + w * 0.2, y + h);
  cairo_line_to(cr, x + w * 0.2, y + h * 0.45);
  cairo_arc(cr, x + w / 2, y + h * 0.45, w * 0.3, M_PI, 2 * M_PI);
  cairo_line_to(cr, x + w * 0.8, y + h);
  cairo_close_path(cr);
  c.Fill(Hex(0x120804));
  Light(c, x + w / 2, y + h * 0.8, w * 0.4, Hex(0xFF8A2A), 0.6);
  for (int i = 0; i < 3; ++i) Flame(c, x + w * (0.38 + i * 0.12), y + h - 6, h * (0.28 + (i % 2) * 0.1));
  cairo_rectangle(cr, x - 12, y - 14, w + 24, 16);
  c.LinearV(y - 14, y + 2, Mix(theStone, kWhite, 0.2), Scale(theStone, 0.6));
  cairo_fill(cr);
}

void Flame(Canvas& c, double x, double y, double h, double a) {
  cairo_t* cr = c.cr();
  const double w = h * 0.42;
  cairo_move_to(cr, x, y - h);
  cairo_curve_to(cr, x + w * 0.2, y - h * 0.6, x + w, y - h * 0.4, x + w * 0.7, y - h * 0.1);
  cairo_curve_to(cr, x + w * 0.5, y, x - w * 0.5, y, x - w * 0.7, y - h * 0.1);
  cairo_curve_to(cr, x - w, y - h * 0.4, x - w * 0.2, y - h * 0.6, x, y - h);
  c.RadialGradient(x, y - h * 0.2, 0, x, y - h * 0.3, h * 0.8,
                   {{0, {1, 1, 0.85}, a}, {0.35, {1, 0.8, 0.25}, a}, {1, {0.85, 0.25, 0.02}, a * 0.7}});
  cairo_fill(cr);
}

void Candle(Canvas& c, double x, double y, double h) {
  cairo_t* cr = c.cr();
  const double w = h * 0.28;
  Light(c, x, y - h - 8, h * 1.6, Hex(0xFFB24A), 0.45);
  cairo_rectangle(cr, x - w / 2, y - h, w, h);
  c.LinearGradient(x - w / 2, 0, x + w / 2, 0,
                   {{0, {0.75, 0.68, 0.55}}, {0.4, {1, 0.97, 0.88}}, {1, {0.6, 0.52, 0.4}}});
  cairo_fill(cr);
  Flame(c, x, y - h - 1, h * 0.45);
}

void Torch(Canvas& c, double x, double y) {
  cairo_t* cr = c.cr();
  Light(c, x, y - 20, 120, Hex(0xFF9A3C), 0.5);
  cairo_move_to(cr, x - 6, y - 10);
  cairo_line_to(cr, x + 6, y - 10);
  cairo_line_to(cr, x + 3, y + 40);
  cairo_line_to(cr, x - 3, y + 40);
  cairo_close_path(cr);
  c.Fill(Hex(0x4A2E18));
  cairo_rectangle(cr, x - 9, y - 14, 18, 8);
  c.Fill(Hex(0x55555E));
  Flame(c, x, y - 12, 34);
}

void Light(Canvas& c, double x, double y, double r, const Rgb& theColour, double a) {
  cairo_save(c.cr());
  cairo_set_operator(c.cr(), CAIRO_OPERATOR_ADD);
  c.Glow(x, y, r, theColour, a);
  cairo_restore(c.cr());
}

void Pond(Canvas& c, double x, double y, double rx, double ry, const Rgb& theWater, const Rgb& theSky) {
  cairo_t* cr = c.cr();
  c.Ellipse(x, y + 4, rx + 10, ry + 6);
  c.Fill(Hex(0x2E2416), 0.6);
  c.Ellipse(x, y, rx, ry);
  c.LinearV(y - ry, y + ry, Mix(theSky, theWater, 0.4), Scale(theWater, 0.6));
  cairo_fill(cr);
  Random r(static_cast<uint32_t>(x + y));
  cairo_save(cr);
  c.Ellipse(x, y, rx, ry);
  cairo_clip(cr);
  for (int i = 0; i < 18; ++i) {
    const double yy = y - ry + r.Range(0, 2 * ry);
    cairo_move_to(cr, x - rx + r.Range(0, rx), yy);
    cairo_rel_line_to(cr, r.Range(20, 70), 0);
    cairo_set_line_width(cr, 1.2);
    c.Color(Mix(theSky, kWhite, 0.5), 0.35);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void Reeds(Canvas& c, uint32_t theSeed, double x0, double x1, double y, const Rgb& theColour) {
  Blades(c, theSeed, x0, x1, y, static_cast<int>((x1 - x0) / 3), 60, theColour);
  Random r(theSeed + 1);
  for (int i = 0; i < (x1 - x0) / 25; ++i) {
    const double x = r.Range(x0, x1), h = r.Range(50, 80);
    cairo_move_to(c.cr(), x, y);
    cairo_line_to(c.cr(), x + 2, y - h);
    cairo_set_line_width(c.cr(), 1.5);
    c.Color(Scale(theColour, 0.8));
    cairo_stroke(c.cr());
    c.RoundRect(x - 1.5, y - h - 14, 6, 16, 3);
    c.Fill(Hex(0x5A3A1E));
  }
}

void Gravestone(Canvas& c, double x, double y, double w, double h, const Rgb& theStone, bool theCross) {
  cairo_t* cr = c.cr();
  c.Ellipse(x + w / 2, y + h, w * 0.7, 6);
  c.Fill(kBlack, 0.35);
  if (theCross) {
    cairo_rectangle(cr, x + w * 0.38, y, w * 0.24, h);
    cairo_rectangle(cr, x, y + h * 0.22, w, h * 0.2);
  } else {
    cairo_move_to(cr, x, y + h);
    cairo_line_to(cr, x, y + w / 2);
    cairo_arc(cr, x + w / 2, y + w / 2, w / 2, M_PI, 2 * M_PI);
    cairo_line_to(cr, x + w, y + h);
    cairo_close_path(cr);
  }
  c.LinearGradient(x, 0, x + w, 0, {{0, Scale(theStone, 1.1)}, {1, Scale(theStone, 0.5)}});
  cairo_fill(cr);
  if (!theCross) {
    for (int i = 0; i < 3; ++i) {
      cairo_move_to(cr, x + w * 0.25, y + w * 0.55 + i * 8);
      cairo_rel_line_to(cr, w * 0.5, 0);
    }
    cairo_set_line_width(cr, 1.5);
    c.Color(Scale(theStone, 0.4), 0.7);
    cairo_stroke(cr);
  }
}

void Fence(Canvas& c, double x0, double x1, double y, double h, const Rgb& theWood) {
  cairo_t* cr = c.cr();
  for (double x = x0; x < x1; x += 22) {
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + 5, y - h);
    cairo_line_to(cr, x + 10, y);
    cairo_close_path(cr);
    c.Fill(theWood);
  }
  cairo_rectangle(cr, x0, y - h * 0.7, x1 - x0, 4);
  cairo_rectangle(cr, x0, y - h * 0.3, x1 - x0, 4);
  c.Fill(Scale(theWood, 0.8));
}

void Roof(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theTiles, bool theChimney) {
  cairo_t* cr = c.cr();
  Random r(theSeed);
  if (theChimney) {
    const double cx = x + w * r.Range(0.55, 0.75);
    StoneWall(c, theSeed + 3, cx, y - h * 0.25, 26, h * 0.6, Hex(0x8A6A5A), 13, 8);
  }
  cairo_move_to(cr, x, y + h);
  cairo_line_to(cr, x + w * 0.15, y);
  cairo_line_to(cr, x + w * 0.85, y);
  cairo_line_to(cr, x + w, y + h);
  cairo_close_path(cr);
  c.LinearV(y, y + h, Mix(theTiles, kWhite, 0.1), Scale(theTiles, 0.6));
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  for (double ty = y + 8; ty < y + h; ty += 9) {
    for (double tx = x + (static_cast<int>(ty) % 2) * 7; tx < x + w; tx += 14) {
      cairo_arc(cr, tx, ty, 7, 0, M_PI);
      cairo_set_line_width(cr, 1);
      c.Color(Scale(theTiles, 0.45), 0.6);
      cairo_stroke(cr);
    }
  }
  cairo_restore(cr);
}

void Battlement(Canvas& c, uint32_t theSeed, double y, double h, const Rgb& theStone) {
  StoneWall(c, theSeed, 0, y, c.Width(), h, theStone, 48, 24);
  for (double x = 0; x < c.Width(); x += 90)
    StoneWall(c, theSeed + static_cast<uint32_t>(x), x + 10, y - 44, 56, 46, theStone, 28, 22);
}

void RockWall(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theRock) {
  Random r(theSeed);
  const int n = static_cast<int>(w * h / 900);
  for (int i = 0; i < n; ++i)
    Blob(c, r, x + r.Range(0, w), y + r.Range(0, h), r.Range(18, 46), Scale(theRock, r.Range(0.6, 1.0)), 0.18);
}

void Stalactites(Canvas& c, uint32_t theSeed, double y, int theCount, const Rgb& theRock) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  for (int i = 0; i < theCount; ++i) {
    const double x = r.Range(0, c.Width()), w = r.Range(10, 28), h = r.Range(30, 110);
    cairo_move_to(cr, x - w / 2, y);
    cairo_curve_to(cr, x - w / 3, y + h * 0.5, x - 2, y + h * 0.8, x, y + h);
    cairo_curve_to(cr, x + 2, y + h * 0.8, x + w / 3, y + h * 0.5, x + w / 2, y);
    cairo_close_path(cr);
    c.LinearGradient(x - w / 2, 0, x + w / 2, 0,
                     {{0, Scale(theRock, 0.5)}, {0.4, Scale(theRock, 1.1)}, {1, Scale(theRock, 0.4)}});
    cairo_fill(cr);
  }
}

void Treasure(Canvas& c, uint32_t theSeed, double x, double y, double w, double h) {
  Random r(theSeed);
  c.Ellipse(x + w / 2, y + h * 0.7, w / 2, h * 0.35);
  c.LinearV(y, y + h, Hex(0xF2C94C), Hex(0x8A5A12));
  cairo_fill(c.cr());
  for (int i = 0; i < w * h / 60; ++i) {
    const double cx = x + w / 2 + r.Range(-w / 2, w / 2) * 0.9, cy = y + h * 0.7 + r.Range(-h * 0.3, h * 0.3) * 0.9;
    c.Ellipse(cx, cy, 5, 3);
    c.Fill(Mix(Hex(0xE8B838), Hex(0xFFF0A0), r.Unit()), 0.9);
  }
  for (int i = 0; i < 6; ++i) Light(c, x + r.Range(0, w), y + r.Range(h * 0.4, h), 12, Hex(0xFFF2B0), 0.6);
}

void Cobweb(Canvas& c, double x, double y, double r, bool theRight) {
  cairo_t* cr = c.cr();
  const double s = theRight ? -1 : 1;
  cairo_set_line_width(cr, 0.8);
  c.Color(Hex(0xE0E0E8), 0.45);
  for (int i = 0; i <= 6; ++i) {
    const double t = i * (M_PI / 2) / 6;
    cairo_move_to(cr, x, y);
    cairo_line_to(cr, x + s * std::cos(t) * r, y + std::sin(t) * r);
  }
  cairo_stroke(cr);
  for (double k = 0.2; k <= 1.0; k += 0.2) {
    for (int i = 0; i < 6; ++i) {
      const double t0 = i * (M_PI / 2) / 6, t1 = (i + 1) * (M_PI / 2) / 6;
      cairo_move_to(cr, x + s * std::cos(t0) * r * k, y + std::sin(t0) * r * k);
      cairo_curve_to(cr, x + s * std::cos((t0 + t1) / 2) * r * k * 0.85, y + std::sin((t0 + t1) / 2) * r * k * 0.85,
                     x + s * std::cos((t0 + t1) / 2) * r * k * 0.85, y + std::sin((t0 + t1) / 2) * r * k * 0.85,
                     x + s * std::cos(t1) * r * k, y + std::sin(t1) * r * k);
    }
  }
  cairo_stroke(cr);
}

void Shaft(Canvas& c, double x0, double x1, double theTopW, double theBottomY, const Rgb& theColour, double a) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_set_operator(cr, CAIRO_OPERATOR_ADD);
  cairo_move_to(cr, x0, 0);
  cairo_line_to(cr, x0 + theTopW, 0);
  cairo_line_to(cr, x1 + theTopW * 2.2, theBottomY);
  cairo_line_to(cr, x1, theBottomY);
  cairo_close_path(cr);
  c.LinearV(0, theBottomY, theColour, theColour, a, 0.0);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Fern(Canvas& c, uint32_t theSeed, double x, double y, double theSize, const Rgb& theLeaves) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  const int aFronds = 7 + r.Int(3);
  for (int f = 0; f < aFronds; ++f) {
    // Fronds fan from lying left through upright to lying right; the outer ones are darker.
    const double t = -M_PI / 2 + (f - (aFronds - 1) / 2.0) / (aFronds / 2.0) * 1.25 + r.Range(-0.12, 0.12);
    const double len = theSize * r.Range(0.75, 1.05) * (1 - 0.25 * std::fabs(std::sin(t + M_PI / 2)));
    const double bend = r.Range(0.25, 0.45) * (t < -M_PI / 2 ? -1 : 1);
    const Rgb aShade = Scale(theLeaves, 0.6 + 0.5 * (1 - std::fabs(t + M_PI / 2) / 1.3) + r.Range(-0.08, 0.08));
    auto At = [&](double k, double* px, double* py) {
      const double a = t + bend * k * k;
      *px = x + std::cos(t) * len * k + std::cos(a) * len * 0.1 * k;
      *py = y + std::sin(t) * len * k + std::sin(a) * len * 0.1 * k + k * k * len * 0.18;
    };
    double px = 0, py = 0;
    cairo_move_to(cr, x, y);
    for (int i = 1; i <= 12; ++i) {
      At(i / 12.0, &px, &py);
      cairo_line_to(cr, px, py);
    }
    cairo_set_line_width(cr, std::max(1.2, theSize * 0.025));
    c.Color(Scale(aShade, 0.7));
    cairo_stroke(cr);
    // Leaflets on both sides, shorter toward the tip.
    for (int i = 2; i <= 15; ++i) {
      const double k = i / 16.0;
      At(k, &px, &py);
      double qx = 0, qy = 0;
      At(k + 0.02, &qx, &qy);
      const double a = std::atan2(qy - py, qx - px);
      const double ll = theSize * 0.17 * (1 - k * 0.8);
      for (int side = -1; side <= 1; side += 2) {
        const double b = a + side * 1.05;
        cairo_save(cr);
        cairo_translate(cr, px, py);
        cairo_rotate(cr, b);
        cairo_scale(cr, ll, ll * 0.32);
        cairo_arc(cr, 0.5, 0, 0.5, 0, 2 * M_PI);
        cairo_restore(cr);
        c.Fill(Mix(aShade, Scale(aShade, 0.75), side > 0 ? 0.0 : 1.0));
      }
    }
  }
}

void Tuft(Canvas& c, uint32_t theSeed, double x0, double x1, double y, double theHeight, const Rgb& theColour) {
  Blades(c, theSeed, x0, x1, y, std::max(6, static_cast<int>((x1 - x0) * 0.9)), theHeight, theColour);
  Blades(c, theSeed + 7, x0 + (x1 - x0) * 0.15, x1 - (x1 - x0) * 0.15, y + 1, static_cast<int>((x1 - x0) * 0.5),
         theHeight * 0.7, Mix(theColour, Hex(0xFFFFE0), 0.12));
}

void Shelf(Canvas& c, double x, double y, double w, const Rgb& theWood) {
  cairo_t* cr = c.cr();
  // The shadow it throws on the wall, then two brackets and the board.
  cairo_rectangle(cr, x + 4, y + 10, w - 8, 10);
  c.LinearV(y + 10, y + 20, kBlack, kBlack, 0.35, 0.0);
  cairo_fill(cr);
  for (double bx : {x + w * 0.15, x + w * 0.85 - 8}) {
    cairo_move_to(cr, bx, y + 8);
    cairo_line_to(cr, bx + 8, y + 8);
    cairo_line_to(cr, bx + 8, y + 30);
    cairo_close_path(cr);
    c.Fill(Scale(theWood, 0.55));
  }
  cairo_rectangle(cr, x, y, w, 4);
  c.Fill(Mix(theWood, kWhite, 0.18));
  cairo_rectangle(cr, x, y + 4, w, 6);
  c.LinearV(y + 4, y + 10, theWood, Scale(theWood, 0.6));
  cairo_fill(cr);
}

void Slab(Canvas& c, double x, double y, double w, const Rgb& theStone) {
  cairo_t* cr = c.cr();
  cairo_move_to(cr, x - 4, y + 16);
  cairo_curve_to(cr, x + w * 0.3, y + 30, x + w * 0.7, y + 28, x + w + 4, y + 16);
  cairo_line_to(cr, x + w + 4, y + 10);
  cairo_line_to(cr, x - 4, y + 10);
  cairo_close_path(cr);
  c.Fill(kBlack, 0.35);
  cairo_move_to(cr, x - 6, y + 3);
  cairo_line_to(cr, x + 4, y - 3);
  cairo_line_to(cr, x + w - 4, y - 3);
  cairo_line_to(cr, x + w + 6, y + 3);
  cairo_line_to(cr, x + w + 2, y + 14);
  cairo_curve_to(cr, x + w * 0.6, y + 18, x + w * 0.3, y + 17, x - 2, y + 14);
  cairo_close_path(cr);
  c.LinearV(y - 3, y + 18, Mix(theStone, kWhite, 0.2), Scale(theStone, 0.55));
  cairo_fill(cr);
  cairo_move_to(cr, x - 6, y + 3);
  cairo_line_to(cr, x + w + 6, y + 3);
  cairo_set_line_width(cr, 1.2);
  c.Color(Scale(theStone, 0.4), 0.7);
  cairo_stroke(cr);
}

void Chest(Canvas& c, double x, double y, double w, double h, const Rgb& theWood) {
  cairo_t* cr = c.cr();
  const double lid = h * 0.38;
  c.Ellipse(x + w / 2, y + h, w * 0.55, 6);
  c.Fill(kBlack, 0.35);
  cairo_rectangle(cr, x, y + lid, w, h - lid);
  c.LinearV(y + lid, y + h, Mix(theWood, kWhite, 0.06), Scale(theWood, 0.6));
  cairo_fill(cr);
  cairo_move_to(cr, x, y + lid);
  cairo_curve_to(cr, x, y, x + w, y, x + w, y + lid);
  cairo_close_path(cr);
  c.LinearV(y, y + lid, Mix(theWood, kWhite, 0.18), Scale(theWood, 0.8));
  cairo_fill(cr);
  const Rgb anIron = Hex(0x4A4440);
  for (double bx : {x + w * 0.15, x + w * 0.8}) {
    cairo_rectangle(cr, bx, y + lid * 0.2, w * 0.07, h - lid * 0.2);
    c.Fill(anIron);
  }
  cairo_rectangle(cr, x, y + lid - 2, w, 5);
  c.Fill(Scale(anIron, 0.8));
  c.RoundRect(x + w / 2 - 6, y + lid - 2, 12, 14, 2);
  c.Fill(Hex(0xB08A3A));
}

void Sack(Canvas& c, double x, double y, double w, double h, const Rgb& theCloth) {
  cairo_t* cr = c.cr();
  c.Ellipse(x + w / 2, y + h - 2, w * 0.5, 6);
  c.Fill(kBlack, 0.3);
  cairo_move_to(cr, x + w * 0.35, y + h * 0.15);
  cairo_curve_to(cr, x - w * 0.05, y + h * 0.35, x - w * 0.05, y + h, x + w * 0.2, y + h);
  cairo_line_to(cr, x + w * 0.82, y + h);
  cairo_curve_to(cr, x + w * 1.05, y + h, x + w * 1.05, y + h * 0.35, x + w * 0.65, y + h * 0.15);
  cairo_close_path(cr);
  c.RadialGradient(x + w * 0.35, y + h * 0.4, w * 0.1, x + w * 0.5, y + h * 0.6, w * 0.7,
                   {{0, Mix(theCloth, kWhite, 0.15)}, {1, Scale(theCloth, 0.5)}});
  cairo_fill(cr);
  cairo_move_to(cr, x + w * 0.35, y + h * 0.15);
  cairo_line_to(cr, x + w * 0.4, y);
  cairo_line_to(cr, x + w * 0.6, y);
  cairo_line_to(cr, x + w * 0.65, y + h * 0.15);
  cairo_close_path(cr);
  c.Fill(Scale(theCloth, 0.8));
  cairo_rectangle(cr, x + w * 0.33, y + h * 0.13, w * 0.34, 4);
  c.Fill(Hex(0x5A4028));
}

void Rock(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theStone) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  std::vector<std::pair<double, double>> aPts;
  const int n = 9;
  const double cx = x + w / 2, cy = y + h * 0.55;
  for (int i = 0; i < n; ++i) {
    const double t = M_PI + M_PI * i / (n - 1);  // the upper half, left to right
    const double k = r.Range(0.85, 1.05);
    aPts.push_back({cx + std::cos(t) * w / 2 * k, cy + std::sin(t) * h * 0.55 * k});
  }
  aPts.push_back({x + w * 0.96, y + h});
  aPts.push_back({x + w * 0.04, y + h});
  SmoothClosed(cr, aPts);
  c.RadialGradient(x + w * 0.3, y + h * 0.25, w * 0.05, cx, cy, w * 0.75,
                   {{0, Mix(theStone, kWhite, 0.22)}, {0.55, theStone}, {1, Scale(theStone, 0.45)}});
  cairo_fill(cr);
  for (int i = 0; i < 3; ++i) {  // cracks
    const double sx = x + w * r.Range(0.2, 0.8), sy = y + h * r.Range(0.25, 0.6);
    cairo_move_to(cr, sx, sy);
    cairo_rel_line_to(cr, r.Range(-8, 8), r.Range(4, 12));
    cairo_rel_line_to(cr, r.Range(-6, 6), r.Range(3, 9));
    cairo_set_line_width(cr, 1);
    c.Color(Scale(theStone, 0.35), 0.6);
    cairo_stroke(cr);
  }
}

void Stump(Canvas& c, double x, double y, double w, double h, const Rgb& theWood) {
  cairo_t* cr = c.cr();
  const double ry = std::max(5.0, w * 0.16);
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x - w * 0.06, y + h - ry * 0.3);
  cairo_curve_to(cr, x - w * 0.2, y + h + 2, x + w * 0.1, y + h, x + w * 0.25, y + h);
  cairo_line_to(cr, x + w * 0.75, y + h);
  cairo_curve_to(cr, x + w * 0.9, y + h, x + w * 1.2, y + h + 2, x + w * 1.06, y + h - ry * 0.3);
  cairo_line_to(cr, x + w, y);
  cairo_close_path(cr);
  const Rgb d = Scale(theWood, 0.45);
  c.LinearGradient(x, 0, x + w, 0, {{0, d}, {0.35, Mix(theWood, kWhite, 0.12)}, {1, d}});
  cairo_fill(cr);
  for (int i = 1; i < 5; ++i) {  // bark
    cairo_move_to(cr, x + w * i / 5.0, y + ry);
    cairo_line_to(cr, x + w * i / 5.0 + (i % 2 ? 2 : -2), y + h - 4);
  }
  cairo_set_line_width(cr, 1.5);
  c.Color(Scale(theWood, 0.35), 0.6);
  cairo_stroke(cr);
  c.Ellipse(x + w / 2, y, w / 2, ry);
  c.Fill(Mix(Hex(0xC8A070), theWood, 0.35));
  for (double k : {0.7, 0.45, 0.2}) {
    c.Ellipse(x + w / 2, y, w / 2 * k, ry * k);
    cairo_set_line_width(cr, 1);
    c.Color(Scale(theWood, 0.6), 0.7);
    cairo_stroke(cr);
  }
}

void Log(Canvas& c, double x, double y, double w, double h, const Rgb& theWood) {
  cairo_t* cr = c.cr();
  c.Ellipse(x + w / 2, y + h, w * 0.5, 5);
  c.Fill(kBlack, 0.3);
  cairo_rectangle(cr, x + h * 0.2, y, w - h * 0.4, h);
  c.LinearV(y, y + h, Mix(theWood, kWhite, 0.12), Scale(theWood, 0.45));
  cairo_fill(cr);
  for (int i = 0; i < 6; ++i) {
    cairo_move_to(cr, x + h * 0.3 + i * (w - h * 0.6) / 6, y + h * (0.2 + 0.1 * (i % 3)));
    cairo_rel_line_to(cr, (w - h) / 8, 0);
  }
  cairo_set_line_width(cr, 1.2);
  c.Color(Scale(theWood, 0.35), 0.6);
  cairo_stroke(cr);
  c.Ellipse(x + w - h * 0.2, y + h / 2, h * 0.3, h / 2);
  c.Fill(Mix(Hex(0xC8A070), theWood, 0.3));
  c.Ellipse(x + w - h * 0.2, y + h / 2, h * 0.15, h / 4);
  cairo_set_line_width(cr, 1);
  c.Color(Scale(theWood, 0.5), 0.8);
  cairo_stroke(cr);
}

void BookRow(Canvas& c, uint32_t theSeed, double x, double y, double w, double h) {
  Random r(theSeed);
  double bx = x;
  while (bx < x + w - 6) {
    const double bw = r.Range(6, 12), bh = h * r.Range(0.7, 1.0);
    Spine(c, bx, y + h - bh, bw, bh, Hex(kSpineColours[r.Int(8)]));
    cairo_rectangle(c.cr(), bx + 1, y + h - bh * 0.8, bw - 2, 2);
    c.Fill(Hex(0xD8B860), 0.5);
    bx += bw + 0.5;
  }
}

void BookPile(Canvas& c, uint32_t theSeed, double x, double y, double w, double h) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  const int n = std::max(2, static_cast<int>(h / 9));
  const double bh = h / n;
  for (int i = 0; i < n; ++i) {
    const double bw = w * r.Range(0.75, 1.0), by = y + h - (i + 1) * bh, bx = x + (w - bw) * r.Unit();
    const Rgb b = Hex(kSpineColours[r.Int(8)]);
    cairo_rectangle(cr, bx, by, bw, bh - 1);
    c.LinearV(by, by + bh, Mix(b, kWhite, 0.15), Scale(b, 0.55));
    cairo_fill(cr);
    cairo_rectangle(cr, bx + bw - 4, by + 1.5, 3, bh - 4);
    c.Fill(Hex(0xEDE3C8), 0.85);
  }
}

void Stool(Canvas& c, double x, double y, double w, double h, const Rgb& theWood) {
  cairo_t* cr = c.cr();
  c.Ellipse(x + w / 2, y + h, w * 0.55, 5);
  c.Fill(kBlack, 0.3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < 3; ++i) {
    const double fx = x + w * (0.12 + 0.38 * i);
    cairo_move_to(cr, x + w * (0.25 + 0.25 * i), y + 6);
    cairo_line_to(cr, fx, y + h);
    cairo_set_line_width(cr, std::max(3.0, w * 0.07));
    c.Color(Scale(theWood, i == 1 ? 0.45 : 0.65));
    cairo_stroke(cr);
  }
  cairo_move_to(cr, x + w * 0.18, y + h * 0.65);
  cairo_line_to(cr, x + w * 0.82, y + h * 0.65);
  cairo_set_line_width(cr, 2.5);
  c.Color(Scale(theWood, 0.5));
  cairo_stroke(cr);
  c.Ellipse(x + w / 2, y + 4, w / 2, 6);
  c.Fill(Scale(theWood, 0.6));
  c.Ellipse(x + w / 2, y + 2, w / 2, 6);
  c.LinearV(y - 4, y + 8, Mix(theWood, kWhite, 0.2), theWood);
  cairo_fill(cr);
}

void Dresser(Canvas& c, double x, double y, double w, double h, const Rgb& theWood) {
  cairo_t* cr = c.cr();
  c.Ellipse(x + w / 2, y + h, w * 0.52, 6);
  c.Fill(kBlack, 0.3);
  for (double fx : {x + 4, x + w - 14}) {
    cairo_rectangle(cr, fx, y + h - 10, 10, 10);
    c.Fill(Scale(theWood, 0.4));
  }
  cairo_rectangle(cr, x + 2, y + 8, w - 4, h - 18);
  c.LinearV(y, y + h, Scale(theWood, 0.95), Scale(theWood, 0.55));
  cairo_fill(cr);
  const int n = std::max(2, static_cast<int>((h - 26) / 30));
  const double dh = (h - 30) / n;
  for (int i = 0; i < n; ++i) {
    const double dy = y + 14 + i * dh;
    c.RoundRect(x + 8, dy, w - 16, dh - 5, 2);
    c.LinearV(dy, dy + dh, Mix(theWood, kWhite, 0.08), Scale(theWood, 0.7));
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, 1);
    c.Color(Scale(theWood, 0.35));
    cairo_stroke(cr);
    for (double kx : {0.3, 0.7}) {
      cairo_arc(cr, x + w * kx, dy + dh / 2 - 2, 2.5, 0, 2 * M_PI);
      c.Fill(Hex(0xB08A3A));
    }
  }
  cairo_rectangle(cr, x - 3, y, w + 6, 9);
  c.LinearV(y, y + 9, Mix(theWood, kWhite, 0.2), Scale(theWood, 0.7));
  cairo_fill(cr);
}

void Haystack(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, double theLight) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  c.Ellipse(x + w / 2, y + h, w * 0.55, 7);
  c.Fill(kBlack, 0.25);
  cairo_move_to(cr, x, y + h);
  cairo_curve_to(cr, x + w * 0.05, y + h * 0.2, x + w * 0.35, y, x + w * 0.5, y);
  cairo_curve_to(cr, x + w * 0.65, y, x + w * 0.95, y + h * 0.2, x + w, y + h);
  cairo_close_path(cr);
  c.LinearV(y, y + h, Scale(Hex(0xE8C870), theLight), Scale(Hex(0x9A7A30), theLight));
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  cairo_set_line_width(cr, 1);
  for (int i = 0; i < static_cast<int>(w * h / 40); ++i) {
    const double sx = x + r.Range(0, w), sy = y + r.Range(0, h);
    cairo_move_to(cr, sx, sy);
    cairo_rel_line_to(cr, r.Range(-10, 10), r.Range(2, 8));
    c.Color(Scale(r.Unit() < 0.5 ? Hex(0xFFE8A0) : Hex(0x8A6A28), theLight), 0.6);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
}

void Ivy(Canvas& c, uint32_t theSeed, double x, double y, double theLength, const Rgb& theLeaves) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  double px = x, py = y;
  cairo_move_to(cr, px, py);
  std::vector<std::pair<double, double>> aNodes;
  for (double k = 0; k < theLength; k += 8) {
    px += r.Range(-3, 3);
    py += 8;
    cairo_line_to(cr, px, py);
    aNodes.push_back({px, py});
  }
  cairo_set_line_width(cr, 1.5);
  c.Color(Scale(theLeaves, 0.5));
  cairo_stroke(cr);
  for (const auto& n : aNodes)
    for (int side = -1; side <= 1; side += 2) {
      if (r.Unit() < 0.25) continue;
      const double lx = n.first + side * r.Range(4, 8), ly = n.second + r.Range(-2, 3);
      cairo_save(cr);
      cairo_translate(cr, lx, ly);
      cairo_rotate(cr, r.Range(-0.6, 0.6));
      cairo_move_to(cr, 0, -6);
      cairo_curve_to(cr, 6, -4, 6, 3, 0, 6);
      cairo_curve_to(cr, -6, 3, -6, -4, 0, -6);
      cairo_restore(cr);
      c.Fill(Scale(theLeaves, r.Range(0.7, 1.15)));
    }
}

void Drape(Canvas& c, double x, double y, double w, double h, const Rgb& theCloth) {
  cairo_t* cr = c.cr();
  c.Ellipse(x + w / 2, y + h, w * 0.55, 6);
  c.Fill(kBlack, 0.3);
  cairo_move_to(cr, x, y + h);
  cairo_curve_to(cr, x + w * 0.02, y + h * 0.5, x + w * 0.05, y + h * 0.1, x + w * 0.2, y + h * 0.05);
  cairo_curve_to(cr, x + w * 0.45, y - h * 0.03, x + w * 0.6, y, x + w * 0.82, y + h * 0.05);
  cairo_curve_to(cr, x + w * 0.97, y + h * 0.12, x + w * 0.98, y + h * 0.55, x + w, y + h);
  cairo_line_to(cr, x + w * 0.8, y + h - 4);
  cairo_line_to(cr, x + w * 0.6, y + h);
  cairo_line_to(cr, x + w * 0.4, y + h - 5);
  cairo_line_to(cr, x + w * 0.2, y + h);
  cairo_close_path(cr);
  c.LinearGradient(x, 0, x + w, 0, Bands(8, theCloth, Scale(theCloth, 0.72)));
  cairo_fill_preserve(cr);
  c.LinearV(y, y + h, kWhite, kBlack, 0.12, 0.25);
  cairo_fill(cr);
}

void Rubble(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theStone) {
  Random r(theSeed);
  const int n = std::max(4, static_cast<int>(w / 14));
  for (int i = 0; i < n; ++i) {
    const double k = static_cast<double>(i) / n;
    const double bw = r.Range(w * 0.18, w * 0.34), bh = r.Range(h * 0.35, h * 0.6);
    // The middle of the heap stands highest.
    const double lift = (1 - std::fabs(k - 0.5) * 2) * (h - bh);
    Rock(c, theSeed * 31 + static_cast<uint32_t>(i), x + k * (w - bw * 0.7), y + h - bh - lift * r.Range(0.3, 1.0), bw, bh,
         Scale(theStone, r.Range(0.75, 1.1)));
  }
}

void LowWall(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theStone) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  // A ragged top: the wall stands to different heights along its length.
  std::vector<double> aTop;
  for (double px = x; px <= x + w; px += 18) aTop.push_back(y + r.Range(0, h * 0.2));
  cairo_save(cr);
  cairo_move_to(cr, x, y + h);
  for (size_t i = 0; i < aTop.size(); ++i) cairo_line_to(cr, x + i * 18.0, aTop[i]);
  cairo_line_to(cr, x + w, aTop.back());
  cairo_line_to(cr, x + w, y + h);
  cairo_close_path(cr);
  cairo_clip(cr);
  StoneWall(c, theSeed + 1, x, y, w, h, theStone, 36, 18);
  cairo_restore(cr);
  cairo_rectangle(cr, x - 2, y + h - 3, w + 4, 5);
  c.Fill(kBlack, 0.3);
}

void Flowers(Canvas& c, uint32_t theSeed, double x0, double x1, double y, int theCount, const Rgb& thePetals) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  for (int i = 0; i < theCount; ++i) {
    const double fx = r.Range(x0, x1), h = r.Range(10, 26), fy = y - h;
    cairo_move_to(cr, fx, y);
    cairo_curve_to(cr, fx, y - h * 0.5, fx + r.Range(-4, 4), fy + 4, fx + r.Range(-3, 3), fy);
    cairo_set_line_width(cr, 1.2);
    c.Color(Hex(0x3A6A2A));
    cairo_stroke(cr);
    const double pr = r.Range(2.2, 3.6);
    const Rgb aPetal = Mix(thePetals, kWhite, r.Range(0, 0.3));
    for (int k = 0; k < 5; ++k) {
      const double t = k * 2 * M_PI / 5;
      cairo_arc(cr, fx + std::cos(t) * pr, fy + std::sin(t) * pr, pr * 0.75, 0, 2 * M_PI);
      c.Fill(aPetal);
    }
    cairo_arc(cr, fx, fy, pr * 0.5, 0, 2 * M_PI);
    c.Fill(Hex(0xE8B830));
  }
}

void Bench(Canvas& c, double x, double y, double w, double h, const Rgb& theWood) {
  cairo_t* cr = c.cr();
  c.Ellipse(x + w / 2, y + h, w * 0.52, 5);
  c.Fill(kBlack, 0.3);
  for (double lx : {x + w * 0.08, x + w * 0.86}) {
    cairo_rectangle(cr, lx, y + 6, w * 0.06, h - 6);
    c.LinearV(y, y + h, Scale(theWood, 0.7), Scale(theWood, 0.35));
    cairo_fill(cr);
  }
  cairo_rectangle(cr, x, y, w, 5);
  c.Fill(Mix(theWood, kWhite, 0.15));
  cairo_rectangle(cr, x, y + 5, w, 6);
  c.LinearV(y + 5, y + 11, theWood, Scale(theWood, 0.55));
  cairo_fill(cr);
}

void Planks(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theWood) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  for (double px = x; px < x + w; px += 22) {
    const Rgb s = Scale(theWood, r.Range(0.8, 1.08));
    cairo_rectangle(cr, px, y, std::min(22.0, x + w - px), h);
    c.LinearV(y, y + h, Mix(s, kWhite, 0.05), Scale(s, 0.7));
    cairo_fill(cr);
    cairo_move_to(cr, px + 0.5, y);
    cairo_line_to(cr, px + 0.5, y + h);
    cairo_set_line_width(cr, 1.5);
    c.Color(Scale(theWood, 0.35));
    cairo_stroke(cr);
    for (int k = 0; k < 2; ++k) {
      cairo_arc(cr, px + 11, y + 10 + k * (h - 20), 1.5, 0, 2 * M_PI);
      c.Fill(Hex(0x2A2A2A), 0.7);
    }
  }
}

void Bale(Canvas& c, uint32_t theSeed, double x, double y, double w, double h) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  c.Ellipse(x + w / 2, y + h, w * 0.55, 6);
  c.Fill(kBlack, 0.3);
  c.RoundRect(x, y, w, h, 6);
  c.LinearV(y, y + h, Hex(0xE2C46A), Hex(0x9A7A34));
  cairo_fill_preserve(cr);
  cairo_save(cr);
  cairo_clip(cr);
  cairo_set_line_width(cr, 1);
  for (int i = 0; i < static_cast<int>(w * h / 30); ++i) {
    const double sx = x + r.Range(0, w), sy = y + r.Range(0, h);
    cairo_move_to(cr, sx, sy);
    cairo_rel_line_to(cr, r.Range(4, 12), r.Range(-1, 1));
    c.Color(r.Unit() < 0.5 ? Hex(0xFFEBA8) : Hex(0x8A6A2A), 0.5);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  for (double k : {0.3, 0.7}) {
    cairo_rectangle(cr, x + w * k - 1.5, y, 3, h);
    c.Fill(Hex(0x6A4A20), 0.8);
  }
}

void Jetty(Canvas& c, double x, double y, double w, double h, const Rgb& theWood) {
  cairo_t* cr = c.cr();
  for (double px = x + 10; px < x + w; px += 46) {
    cairo_rectangle(cr, px, y + 6, 8, h);
    c.LinearV(y, y + h, Scale(theWood, 0.6), Scale(theWood, 0.25));
    cairo_fill(cr);
  }
  for (double px = x; px < x + w; px += 12) {
    cairo_rectangle(cr, px, y, 11, 9);
    c.LinearV(y, y + 9, Mix(theWood, kWhite, 0.15), Scale(theWood, 0.7));
    cairo_fill(cr);
  }
  cairo_rectangle(cr, x, y + 9, w, 3);
  c.Fill(Scale(theWood, 0.4));
}

void Litter(Canvas& c, uint32_t theSeed, double x0, double y0, double x1, double y1, int theCount, const Rgb& theBase,
            bool theIndoors) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  for (int i = 0; i < theCount; ++i) {
    const double x = r.Range(x0, x1), y = r.Range(y0, y1);
    const double k = 0.6 + 0.6 * (y - y0) / std::max(1.0, y1 - y0);  // nearer is bigger
    const double u = r.Unit();
    if (u < 0.35) {  // a pebble or a chip
      const double w = r.Range(2, 6) * k;
      c.Ellipse(x, y, w, w * r.Range(0.45, 0.7));
      c.Fill(Mix(theBase, r.Unit() < 0.5 ? kBlack : kWhite, r.Range(0.2, 0.45)), 0.85);
    } else if (u < 0.6) {  // a twig or a straw
      cairo_move_to(cr, x, y);
      cairo_rel_line_to(cr, r.Range(-12, 12) * k, r.Range(-3, 3) * k);
      cairo_set_line_width(cr, r.Range(0.8, 1.8) * k);
      c.Color(theIndoors ? Mix(Hex(0xC8A860), theBase, 0.4) : Mix(Hex(0x5A3A20), theBase, 0.3), 0.8);
      cairo_stroke(cr);
    } else if (u < 0.85 && !theIndoors) {  // a fallen leaf
      cairo_save(cr);
      cairo_translate(cr, x, y);
      cairo_rotate(cr, r.Range(0, M_PI));
      cairo_scale(cr, r.Range(3, 5) * k, r.Range(1.4, 2.4) * k);
      cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
      cairo_restore(cr);
      c.Fill(Mix(theBase, r.Unit() < 0.5 ? Hex(0x8A6A2A) : Hex(0x3A6A2A), r.Range(0.4, 0.7)), 0.8);
    } else {  // a dark stain or hollow
      c.Ellipse(x, y, r.Range(6, 16) * k, r.Range(2, 5) * k);
      c.Fill(kBlack, r.Range(0.08, 0.18));
    }
  }
}

void ShelfClutter(Canvas& c, uint32_t theSeed, double x0, double x1, double y, double theHeight) {
  Random r(theSeed);
  double x = x0 + r.Range(0, 14);
  while (x < x1 - 12) {
    const double u = r.Unit();
    if (u < 0.4) {  // a row of books
      const double w = std::min(x1 - x, r.Range(20, 46)), h = theHeight * r.Range(0.55, 0.9);
      BookRow(c, r.Next(), x, y - h, w, h);
      x += w + r.Range(10, 30);
    } else if (u < 0.6) {  // books lying in a pile
      const double w = std::min(x1 - x, r.Range(26, 40)), h = theHeight * r.Range(0.3, 0.5);
      BookPile(c, r.Next(), x, y - h, w, h);
      x += w + r.Range(10, 26);
    } else if (u < 0.8) {  // a small box
      const double w = std::min(x1 - x, r.Range(18, 30)), h = std::min(theHeight * 0.6, w * r.Range(0.6, 0.9));
      const Rgb b = Mix(Hex(0x6A4A2A), Hex(0x3A5A6A), r.Unit() * 0.5);
      cairo_rectangle(c.cr(), x, y - h, w, h);
      c.LinearV(y - h, y, Mix(b, kWhite, 0.12), Scale(b, 0.55));
      cairo_fill(c.cr());
      cairo_rectangle(c.cr(), x, y - h, w, 3);
      c.Fill(Scale(b, 0.45));
      x += w + r.Range(10, 24);
    } else {  // folded cloth
      const double w = std::min(x1 - x, r.Range(22, 34)), h = r.Range(7, 12);
      const Rgb b = Mix(Hex(0x8A2A2A), Hex(0x2A4A7A), r.Unit());
      for (int k = 0; k < 2; ++k) {
        c.RoundRect(x + k * 2, y - h * (k + 1), w - k * 4, h, 3);
        c.LinearV(y - h * (k + 1), y - h * k, Mix(b, kWhite, 0.2), Scale(b, 0.6));
        cairo_fill(c.cr());
      }
      x += w + r.Range(12, 28);
    }
  }
}

void Finish(Canvas& c, uint32_t theSeed, double theGrain, double theVignette) {
  c.Noise(theSeed, theGrain);
  if (theVignette > 0) c.Vignette(theVignette);
}

}  // namespace Paint
}  // namespace GameAssets

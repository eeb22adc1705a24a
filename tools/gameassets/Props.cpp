#include "Props.h"

#include <cmath>

#include "Painting.h"

namespace GameAssets {

std::unique_ptr<Canvas> Runestone(int theWidth, int theRune, double theGlow) {
  const int w = theWidth, h = static_cast<int>(theWidth * 1.25);
  auto c = std::make_unique<Canvas>(w, h);
  cairo_t* cr = c->cr();
  const double m = 2;
  cairo_move_to(cr, m + w * 0.12, h - m);
  cairo_curve_to(cr, m, h * 0.6, m + w * 0.05, h * 0.15, w * 0.42, m + 1);
  cairo_curve_to(cr, w * 0.75, m, w - m, h * 0.25, w - m - w * 0.04, h * 0.62);
  cairo_line_to(cr, w - m - w * 0.1, h - m);
  cairo_close_path(cr);
  c->LinearGradient(0, 0, w, h, {{0, {0.62, 0.6, 0.66}}, {1, {0.22, 0.2, 0.28}}});
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.2);
  c->Color(Hex(0x141018), 0.8);
  cairo_stroke(cr);
  // The rune: strokes that differ by stone.
  const double cx = w / 2.0, cy = h * 0.52, s = w * 0.28;
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  auto Strokes = [&](double lw, const Rgb& col, double a) {
    cairo_set_line_width(cr, lw);
    c->Color(col, a);
    cairo_move_to(cr, cx, cy - s);
    cairo_line_to(cr, cx, cy + s);
    const double k = (theRune % 3) - 1;
    cairo_move_to(cr, cx, cy - s * 0.5);
    cairo_line_to(cr, cx + s * 0.7, cy - s * (0.9 + 0.2 * k));
    cairo_move_to(cr, cx, cy + s * (0.1 * k));
    cairo_line_to(cr, cx - s * 0.7, cy - s * 0.3 + k * s * 0.4);
    if (theRune % 2) {
      cairo_move_to(cr, cx, cy + s * 0.4);
      cairo_line_to(cr, cx + s * 0.6, cy + s * 0.9);
    }
    cairo_stroke(cr);
  };
  Strokes(w * 0.14, Hex(0x40C0FF), 0.35 * theGlow);
  Strokes(w * 0.07, Hex(0xB0F0FF), 0.95 * theGlow + 0.05);
  c->Noise(static_cast<uint32_t>(theRune * 31 + w), 0.05);
  return c;
}

std::unique_ptr<Canvas> MagicEye(int theSize, bool theGlow, bool theWink) {
  auto c = std::make_unique<Canvas>(theSize, theSize);
  cairo_t* cr = c->cr();
  const double r = theSize / 2.0, cx = r, cy = r;
  if (theGlow) c->Glow(cx, cy, r, Hex(0xFFE89A), 0.9);
  cairo_arc(cr, cx, cy, r * 0.78, 0, 2 * M_PI);
  c->Radial(cx - r * 0.2, cy - r * 0.2, r, Hex(0x2A1E5A), 1.0, 1.0);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, r * 0.16);
  c->Color(Hex(0xD8A838));
  cairo_stroke(cr);
  if (theWink) {
    cairo_move_to(cr, cx - r * 0.45, cy);
    cairo_curve_to(cr, cx - r * 0.2, cy + r * 0.25, cx + r * 0.2, cy + r * 0.25, cx + r * 0.45, cy);
    cairo_set_line_width(cr, r * 0.12);
    c->Color(Hex(0xF4E6B0));
    cairo_stroke(cr);
  } else {
    c->Ellipse(cx, cy, r * 0.5, r * 0.3);
    c->Fill(Hex(0xF4F0E4));
    cairo_arc(cr, cx, cy, r * 0.24, 0, 2 * M_PI);
    c->Fill(Hex(0x3A7AD8));
    cairo_arc(cr, cx, cy, r * 0.11, 0, 2 * M_PI);
    c->Fill(Hex(0x000000));
    cairo_arc(cr, cx - r * 0.07, cy - r * 0.08, r * 0.05, 0, 2 * M_PI);
    c->Fill(Hex(0xFFFFFF));
  }
  if (theGlow) Paint::Light(*c, cx, cy, r * 0.9, Hex(0x806020), 0.5);
  return c;
}

std::unique_ptr<Canvas> Wand(int theStyle) {
  auto c = std::make_unique<Canvas>(128, 128);
  cairo_t* cr = c->cr();
  static const uint32_t kWood[] = {0x6A3A1A, 0x2A2A3A, 0xE8E0D0, 0x3A6A3A};
  static const uint32_t kGlow[] = {0xFFE070, 0x80C0FF, 0xFF80E0, 0x90FF90};
  const int s = theStyle % 4;
  c->Glow(66, 66, 16, Hex(kGlow[s]), 0.9);
  cairo_move_to(cr, 66, 66);
  cairo_line_to(cr, 118, 118);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  cairo_set_line_width(cr, 7);
  c->Color(Scale(Hex(kWood[s]), 0.5));
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 4);
  c->Color(Hex(kWood[s]));
  cairo_stroke(cr);
  cairo_move_to(cr, 100, 100);
  cairo_line_to(cr, 118, 118);
  cairo_set_line_width(cr, 9);
  c->Color(Hex(0xC89A3A));
  cairo_stroke(cr);
  // A star at the tip.
  cairo_save(cr);
  cairo_translate(cr, 66, 66);
  cairo_move_to(cr, 0, -9);
  for (int i = 1; i < 10; ++i) {
    const double t = -M_PI / 2 + i * M_PI / 5, k = (i % 2) ? 4 : 9;
    cairo_line_to(cr, std::cos(t) * k, std::sin(t) * k);
  }
  cairo_close_path(cr);
  c->Fill(Mix(Hex(kGlow[s]), Hex(0xFFFFFF), 0.5));
  cairo_restore(cr);
  return c;
}

void Parchment(Canvas& c, double x, double y, double w, double h, uint32_t theSeed) {
  cairo_t* cr = c.cr();
  cairo_save(cr);
  cairo_clip_preserve(cr);
  c.RadialGradient(x + w / 2, y + h / 2, std::min(w, h) * 0.2, x + w / 2, y + h / 2, std::hypot(w, h) * 0.55,
                   {{0, {0.96, 0.9, 0.74}}, {0.7, {0.88, 0.78, 0.56}}, {1, {0.62, 0.46, 0.26}}});
  cairo_fill(cr);
  Random r(theSeed);
  for (int i = 0; i < 14; ++i) {
    c.Ellipse(x + r.Range(0, w), y + r.Range(0, h), r.Range(10, 50), r.Range(6, 30));
    c.Fill(Hex(0x8A6A3A), 0.05);
  }
  cairo_restore(cr);
  c.Noise(theSeed, 0.04, static_cast<int>(x), static_cast<int>(y), static_cast<int>(w) + 1, static_cast<int>(h) + 1);
}

void GoldFrame(Canvas& c, double x, double y, double w, double h, double r, double theWidth) {
  cairo_t* cr = c.cr();
  c.RoundRect(x, y, w, h, r);
  cairo_set_line_width(cr, theWidth + 2);
  c.Color(Hex(0x3A2408));
  cairo_stroke_preserve(cr);
  c.LinearGradient(x, y, x + w * 0.3, y + h, Bands(8, Hex(0xA8741C), Hex(0xF8E08A)));
  cairo_set_line_width(cr, theWidth);
  cairo_stroke(cr);
}

void Panel(Canvas& c, double x, double y, double w, double h, double r, const Rgb& theTop, const Rgb& theBottom,
           const Rgb& theLine, double theLineWidth, double theAlpha) {
  c.RoundRect(x, y, w, h, r);
  c.LinearV(y, y + h, theTop, theBottom, theAlpha, theAlpha);
  cairo_fill_preserve(c.cr());
  cairo_set_line_width(c.cr(), theLineWidth);
  c.Color(theLine);
  cairo_stroke(c.cr());
}

void OpenBookPages(Canvas& c, double x, double y, double w, double h, uint32_t theSeed) {
  cairo_t* cr = c.cr();
  const double pw = w / 2 - 4;
  for (int s = 0; s < 2; ++s) {
    const double px = s == 0 ? x : x + w / 2 + 4;
    cairo_move_to(cr, px, y + 10);
    cairo_curve_to(cr, px + pw * 0.3, y, px + pw * 0.7, y, px + pw, y + 8);
    cairo_line_to(cr, px + pw, y + h);
    cairo_curve_to(cr, px + pw * 0.7, y + h - 10, px + pw * 0.3, y + h - 10, px, y + h);
    cairo_close_path(cr);
    Parchment(c, px, y, pw, h, theSeed + static_cast<uint32_t>(s));
  }
  c.Glow(x + w / 2, y + h / 2, 60, Hex(0x000000), 0.42);
}

void Codex(Canvas& c, double x, double y, double w, double h, uint32_t theSeed) {
  cairo_t* cr = c.cr();
  const double cx = x + w / 2;
  cairo_move_to(cr, x + w * 0.04, y + h * 0.12);
  cairo_curve_to(cr, x + w * 0.27, y, x + w * 0.43, y + h * 0.06, cx, y + h * 0.18);
  cairo_curve_to(cr, x + w * 0.57, y + h * 0.06, x + w * 0.73, y, x + w * 0.96, y + h * 0.12);
  cairo_line_to(cr, x + w, y + h * 0.94);
  cairo_curve_to(cr, x + w * 0.76, y + h * 0.82, x + w * 0.59, y + h * 0.85, cx, y + h);
  cairo_curve_to(cr, x + w * 0.41, y + h * 0.85, x + w * 0.24, y + h * 0.82, x, y + h * 0.94);
  cairo_close_path(cr);
  Parchment(c, x, y, w, h, theSeed);
  cairo_move_to(cr, cx, y + h * 0.18);
  cairo_line_to(cr, cx, y + h);
  cairo_set_line_width(cr, 2);
  c.Color(Hex(0x6A4A2A), 0.6);
  cairo_stroke(cr);
}

void Plaque(Canvas& c, double x, double y, double w, double h, const char* theWords, double theTextSize, bool theLit) {
  cairo_t* cr = c.cr();
  c.RoundRect(x, y, w, h, h * 0.3);
  c.LinearV(y, y + h, Hex(theLit ? 0x6A4A2A : 0x4A3220), Hex(theLit ? 0x3A2410 : 0x24160A));
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 2);
  c.Color(Hex(theLit ? 0xF0C860 : 0xB08A3A));
  cairo_stroke(cr);
  if (theLit) Paint::Light(c, x + w / 2, y + h / 2, w * 0.55, Hex(0x806030), 0.4);
  if (theWords && *theWords)
    c.EngravedText(theWords, x + w / 2, y + h / 2 + theTextSize * 0.36, Face::SerifBold, theTextSize,
                   Hex(theLit ? 0xFFE9A0 : 0xE0C070));
}

}  // namespace GameAssets

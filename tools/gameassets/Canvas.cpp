#include "Canvas.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <map>

namespace GameAssets {

Rgb Hex(uint32_t theRgb) {
  return {((theRgb >> 16) & 0xFF) / 255.0, ((theRgb >> 8) & 0xFF) / 255.0, (theRgb & 0xFF) / 255.0};
}
Rgb Mix(const Rgb& a, const Rgb& b, double t) {
  return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}
Rgb Scale(const Rgb& c, double k) { return {c.r * k, c.g * k, c.b * k}; }

std::vector<Stop> Bands(int theCount, const Rgb& theEven, const Rgb& theOdd) {
  std::vector<Stop> aStops;
  for (int i = 0; i <= theCount; ++i)
    aStops.push_back({static_cast<double>(i) / theCount, i % 2 ? theOdd : theEven});
  return aStops;
}

namespace {

const char* FaceFile(Face theFace) {
  switch (theFace) {
    case Face::Serif:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSerif.ttf";
    case Face::SerifBold:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf";
    case Face::SerifItalic:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSerif-Italic.ttf";
    case Face::SerifCondensedBold:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSerifCondensed-Bold.ttf";
    case Face::Sans:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    case Face::SansBold:
      return "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
  }
  return "";
}

// Faces live as long as the program: Cairo keeps them in its own caches.
cairo_font_face_t* FontFace(Face theFace) {
  static FT_Library sLibrary = nullptr;
  static std::map<Face, cairo_font_face_t*> sFaces;
  auto anIt = sFaces.find(theFace);
  if (anIt != sFaces.end()) return anIt->second;
  if (!sLibrary && FT_Init_FreeType(&sLibrary) != 0) return nullptr;
  FT_Face aFace = nullptr;
  if (FT_New_Face(sLibrary, FaceFile(theFace), 0, &aFace) != 0) return nullptr;
  cairo_font_face_t* aCairoFace = cairo_ft_font_face_create_for_ft_face(aFace, 0);
  sFaces[theFace] = aCairoFace;
  return aCairoFace;
}

void SetFont(cairo_t* cr, Face theFace, double theSize) {
  cairo_font_face_t* aFace = FontFace(theFace);
  if (aFace) cairo_set_font_face(cr, aFace);
  cairo_set_font_size(cr, theSize);
  cairo_font_options_t* anOptions = cairo_font_options_create();
  cairo_font_options_set_hint_style(anOptions, CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(anOptions, CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(anOptions, CAIRO_ANTIALIAS_GRAY);
  cairo_set_font_options(cr, anOptions);
  cairo_font_options_destroy(anOptions);
}

void BoxBlurRows(std::vector<uint32_t>& thePixels, int w, int h, int r) {
  std::vector<uint32_t> aRow(w);
  const int aSpan = 2 * r + 1;
  for (int y = 0; y < h; ++y) {
    uint32_t* p = &thePixels[static_cast<size_t>(y) * w];
    std::copy(p, p + w, aRow.begin());
    int s[4] = {0, 0, 0, 0};
    auto Add = [&](int x, int k) {
      const uint32_t v = aRow[std::clamp(x, 0, w - 1)];
      for (int c = 0; c < 4; ++c) s[c] += k * static_cast<int>((v >> (8 * c)) & 0xFF);
    };
    for (int x = -r; x <= r; ++x) Add(x, 1);
    for (int x = 0; x < w; ++x) {
      uint32_t v = 0;
      for (int c = 0; c < 4; ++c) v |= static_cast<uint32_t>((s[c] + aSpan / 2) / aSpan) << (8 * c);
      p[x] = v;
      Add(x + r + 1, 1);
      Add(x - r, -1);
    }
  }
}

std::vector<uint32_t> Transposed(const std::vector<uint32_t>& thePixels, int w, int h) {
  std::vector<uint32_t> anOut(thePixels.size());
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) anOut[static_cast<size_t>(x) * h + y] = thePixels[static_cast<size_t>(y) * w + x];
  return anOut;
}

}  // namespace

Canvas::Canvas(int theWidth, int theHeight)
    : mWidth(theWidth),
      mHeight(theHeight),
      mSurface(cairo_image_surface_create(CAIRO_FORMAT_ARGB32, theWidth, theHeight)),
      mCr(cairo_create(mSurface)) {
  cairo_set_antialias(mCr, CAIRO_ANTIALIAS_GOOD);
}

Canvas::~Canvas() {
  cairo_destroy(mCr);
  cairo_surface_destroy(mSurface);
}

std::vector<uint32_t> Canvas::Pixels() const {
  cairo_surface_flush(mSurface);
  const unsigned char* aData = cairo_image_surface_get_data(mSurface);
  const int aStride = cairo_image_surface_get_stride(mSurface);
  std::vector<uint32_t> anOut(static_cast<size_t>(mWidth) * mHeight);
  for (int y = 0; y < mHeight; ++y) {
    const uint32_t* aRow = reinterpret_cast<const uint32_t*>(aData + static_cast<size_t>(y) * aStride);
    for (int x = 0; x < mWidth; ++x) {
      const uint32_t p = aRow[x];
      const uint32_t a = p >> 24;
      uint32_t v = 0;
      if (a == 255) {
        v = p;
      } else if (a != 0) {
        auto Un = [&](int s) { return std::min<uint32_t>(255, (((p >> s) & 0xFF) * 255 + a / 2) / a) << s; };
        v = a << 24 | Un(16) | Un(8) | Un(0);
      }
      anOut[static_cast<size_t>(y) * mWidth + x] = v;
    }
  }
  return anOut;
}

void Canvas::SetPixels(const std::vector<uint32_t>& thePixels) {
  cairo_surface_flush(mSurface);
  unsigned char* aData = cairo_image_surface_get_data(mSurface);
  const int aStride = cairo_image_surface_get_stride(mSurface);
  for (int y = 0; y < mHeight; ++y) {
    uint32_t* aRow = reinterpret_cast<uint32_t*>(aData + static_cast<size_t>(y) * aStride);
    for (int x = 0; x < mWidth; ++x) {
      const uint32_t p = thePixels[static_cast<size_t>(y) * mWidth + x];
      const uint32_t a = p >> 24;
      auto Pre = [&](int s) { return ((((p >> s) & 0xFF) * a + 127) / 255) << s; };
      aRow[x] = a << 24 | Pre(16) | Pre(8) | Pre(0);
    }
  }
  cairo_surface_mark_dirty(mSurface);
}

void Canvas::Fill(const Rgb& c, double a) const {
  Color(c, a);
  cairo_fill(mCr);
}

namespace {
// Sets thePattern, with theStops added, as the source; the context keeps it from then on.
void SetGradient(cairo_t* cr, cairo_pattern_t* thePattern, const std::vector<Stop>& theStops) {
  for (const Stop& s : theStops)
    cairo_pattern_add_color_stop_rgba(thePattern, s.mAt, s.mColour.r, s.mColour.g, s.mColour.b, s.mAlpha);
  cairo_set_source(cr, thePattern);
  cairo_pattern_destroy(thePattern);
}
}  // namespace

void Canvas::LinearGradient(double x0, double y0, double x1, double y1,
                            const std::vector<Stop>& theStops) const {
  SetGradient(mCr, cairo_pattern_create_linear(x0, y0, x1, y1), theStops);
}

void Canvas::RadialGradient(double x0, double y0, double r0, double x1, double y1, double r1,
                            const std::vector<Stop>& theStops) const {
  SetGradient(mCr, cairo_pattern_create_radial(x0, y0, r0, x1, y1, r1), theStops);
}

void Canvas::LinearV(double y0, double y1, const Rgb& c0, const Rgb& c1, double a0, double a1) const {
  LinearGradient(0, y0, 0, y1, {{0, c0, a0}, {1, c1, a1}});
}

void Canvas::Radial(double x, double y, double r, const Rgb& c, double a0, double a1) const {
  RadialGradient(x, y, 0, x, y, r, {{0, c, a0}, {0.45, c, a0 * 0.45 + a1 * 0.55}, {1, c, a1}});
}

void Canvas::Glow(double x, double y, double r, const Rgb& c, double a) const {
  Radial(x, y, r, c, a, 0.0);
  cairo_arc(mCr, x, y, r, 0, 2 * M_PI);
  cairo_fill(mCr);
}

void Canvas::Ellipse(double x, double y, double rx, double ry) const {
  cairo_save(mCr);
  cairo_translate(mCr, x, y);
  cairo_scale(mCr, rx, ry);
  cairo_new_sub_path(mCr);
  cairo_arc(mCr, 0, 0, 1, 0, 2 * M_PI);
  cairo_restore(mCr);
}

void Canvas::RoundRect(double x, double y, double w, double h, double r) const {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(mCr);
  cairo_arc(mCr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(mCr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(mCr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(mCr, x + r, y + r, r, M_PI, 1.5 * M_PI);
  cairo_close_path(mCr);
}

void Canvas::Noise(uint32_t theSeed, double theAmount, int theX, int theY, int theW, int theH) {
  if (theW < 0) theW = mWidth - theX;
  if (theH < 0) theH = mHeight - theY;
  cairo_surface_flush(mSurface);
  unsigned char* aData = cairo_image_surface_get_data(mSurface);
  const int aStride = cairo_image_surface_get_stride(mSurface);
  Random aRandom(theSeed);
  const int aAmp = static_cast<int>(theAmount * 255);
  for (int y = std::max(0, theY); y < std::min(mHeight, theY + theH); ++y) {
    uint32_t* aRow = reinterpret_cast<uint32_t*>(aData + static_cast<size_t>(y) * aStride);
    for (int x = std::max(0, theX); x < std::min(mWidth, theX + theW); ++x) {
      const uint32_t p = aRow[x];
      const int a = static_cast<int>(p >> 24);
      // Grain scaled by coverage keeps premultiplied values valid.
      const int n = (static_cast<int>(aRandom.Next() % (2 * aAmp + 1)) - aAmp) * a / 255;
      uint32_t v = p & 0xFF000000;
      for (int s = 0; s <= 16; s += 8) v |= static_cast<uint32_t>(std::clamp(static_cast<int>((p >> s) & 0xFF) + n, 0, a)) << s;
      aRow[x] = v;
    }
  }
  cairo_surface_mark_dirty(mSurface);
}

void Canvas::Blur(int theRadius) {
  if (theRadius < 1) return;
  cairo_surface_flush(mSurface);
  unsigned char* aData = cairo_image_surface_get_data(mSurface);
  const int aStride = cairo_image_surface_get_stride(mSurface);
  std::vector<uint32_t> aPixels(static_cast<size_t>(mWidth) * mHeight);
  for (int y = 0; y < mHeight; ++y)
    std::copy_n(reinterpret_cast<uint32_t*>(aData + static_cast<size_t>(y) * aStride), mWidth,
                &aPixels[static_cast<size_t>(y) * mWidth]);
  const int r = std::max(1, theRadius / 2);
  for (int i = 0; i < 3; ++i) BoxBlurRows(aPixels, mWidth, mHeight, r);
  std::vector<uint32_t> aT = Transposed(aPixels, mWidth, mHeight);
  for (int i = 0; i < 3; ++i) BoxBlurRows(aT, mHeight, mWidth, r);
  aPixels = Transposed(aT, mHeight, mWidth);
  for (int y = 0; y < mHeight; ++y)
    std::copy_n(&aPixels[static_cast<size_t>(y) * mWidth], mWidth,
                reinterpret_cast<uint32_t*>(aData + static_cast<size_t>(y) * aStride));
  cairo_surface_mark_dirty(mSurface);
}

void Canvas::Vignette(double theStrength) {
  const double cx = mWidth / 2.0, cy = mHeight / 2.0;
  RadialGradient(cx, cy, std::min(cx, cy) * 0.55, cx, cy, std::hypot(cx, cy),
                 {{0, {0, 0, 0}, 0}, {1, {0, 0, 0}, theStrength}});
  cairo_paint(mCr);
}

double Canvas::TextWidth(const std::string& theText, Face theFace, double theSize) const {
  SetFont(mCr, theFace, theSize);
  cairo_text_extents_t e;
  cairo_text_extents(mCr, theText.c_str(), &e);
  return e.x_advance;
}

void Canvas::Text(const std::string& theText, double theX, double theY, Face theFace, double theSize, const Rgb& c,
                  double a, bool theCentred) const {
  SetFont(mCr, theFace, theSize);
  if (theCentred) theX -= TextWidth(theText, theFace, theSize) / 2;
  cairo_move_to(mCr, theX, theY);
  Color(c, a);
  cairo_show_text(mCr, theText.c_str());
  cairo_new_path(mCr);
}

void Canvas::EngravedText(const std::string& theText, double theX, double theY, Face theFace, double theSize,
                          const Rgb& c, bool theCentred) const {
  Text(theText, theX + 1.5, theY + 1.5, theFace, theSize, Hex(0x000000), 0.75, theCentred);
  Text(theText, theX - 0.6, theY - 0.6, theFace, theSize, Mix(c, Hex(0xFFFFFF), 0.6), 0.5, theCentred);
  Text(theText, theX, theY, theFace, theSize, c, 1.0, theCentred);
}

void Canvas::Paste(const Canvas& theOther, double x, double y, double theScale, double theAlpha) const {
  cairo_save(mCr);
  cairo_translate(mCr, x, y);
  cairo_scale(mCr, theScale, theScale);
  cairo_set_source_surface(mCr, theOther.Surface(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(mCr), CAIRO_FILTER_GOOD);
  cairo_paint_with_alpha(mCr, theAlpha);
  cairo_restore(mCr);
}

}  // namespace GameAssets

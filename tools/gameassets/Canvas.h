#pragma once
// A Cairo drawing surface for the game's art, with the few pixel operations Cairo
// lacks (blur, texture noise, tinting) and text set in the DejaVu faces through FreeType.
#include <cairo.h>

#include <cstdint>
#include <string>
#include <vector>

namespace GameAssets {

struct Rgb {
  double r = 0, g = 0, b = 0;
};
Rgb Hex(uint32_t theRgb);
Rgb Mix(const Rgb& a, const Rgb& b, double t);
Rgb Scale(const Rgb& c, double k);

// A colour stop of a gradient, theAt from 0 to 1.
struct Stop {
  double mAt;
  Rgb mColour;
  double mAlpha = 1.0;
};
// theCount + 1 stops evenly apart, theEven and theOdd by turns: folds of cloth, twists of a rope.
std::vector<Stop> Bands(int theCount, const Rgb& theEven, const Rgb& theOdd);

// A deterministic generator: the art must come out byte for byte the same every run.
class Random {
 public:
  explicit Random(uint32_t theSeed) : mState(theSeed * 2654435761u + 0x9E3779B9u) { Next(); }
  uint32_t Next() {
    mState ^= mState << 13;
    mState ^= mState >> 17;
    mState ^= mState << 5;
    return mState;
  }
  double Unit() { return (Next() >> 8) * (1.0 / 16777216.0); }               // [0, 1)
  double Range(double a, double b) { return a + (b - a) * Unit(); }
  int Int(int theCount) { return theCount <= 0 ? 0 : static_cast<int>(Next() % theCount); }

 private:
  uint32_t mState;
};

enum class Face { Serif, SerifBold, SerifItalic, SerifCondensedBold, Sans, SansBold };

class Canvas {
 public:
  Canvas(int theWidth, int theHeight);
  ~Canvas();
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  cairo_t* cr() const { return mCr; }
  cairo_surface_t* Surface() const { return mSurface; }
  int Width() const { return mWidth; }
  int Height() const { return mHeight; }

  // Straight-alpha pixels, 0xAARRGGBB rows from the top; and back.
  std::vector<uint32_t> Pixels() const;
  void SetPixels(const std::vector<uint32_t>& thePixels);

  // Cairo shorthands.
  void Color(const Rgb& c, double a = 1.0) const { cairo_set_source_rgba(mCr, c.r, c.g, c.b, a); }
  void Fill(const Rgb& c, double a = 1.0) const;
  void LinearV(double y0, double y1, const Rgb& c0, const Rgb& c1, double a0 = 1, double a1 = 1) const;
  // Gradients through theStops as the source: along the line from (x0, y0) to (x1, y1), or from
  // the first circle out to the second.
  void LinearGradient(double x0, double y0, double x1, double y1, const std::vector<Stop>& theStops) const;
  void RadialGradient(double x0, double y0, double r0, double x1, double y1, double r1,
                      const std::vector<Stop>& theStops) const;
  void Radial(double x, double y, double r, const Rgb& c, double a0, double a1 = 0.0) const;
  void Glow(double x, double y, double r, const Rgb& c, double a) const;  // filled radial light
  void Ellipse(double x, double y, double rx, double ry) const;
  void RoundRect(double x, double y, double w, double h, double r) const;

  // Pixel passes over the whole surface (or a rectangle of it).
  void Noise(uint32_t theSeed, double theAmount, int theX = 0, int theY = 0, int theW = -1, int theH = -1);
  void Blur(int theRadius);          // three box passes: close to a gaussian
  void Vignette(double theStrength);  // darkens toward the edges

  // Text: theX is the left edge, or the centre with theCentred; theY the baseline.
  double TextWidth(const std::string& theText, Face theFace, double theSize) const;
  void Text(const std::string& theText, double theX, double theY, Face theFace, double theSize, const Rgb& c,
            double a = 1.0, bool theCentred = false) const;
  // Text with a dark shadow and a light rim, for labels baked into the art.
  void EngravedText(const std::string& theText, double theX, double theY, Face theFace, double theSize,
                    const Rgb& c, bool theCentred = true) const;

  // Draws theOther's whole surface at (x, y), scaled by theScale.
  void Paste(const Canvas& theOther, double x, double y, double theScale = 1.0, double theAlpha = 1.0) const;

 private:
  int mWidth;
  int mHeight;
  cairo_surface_t* mSurface;
  cairo_t* mCr;
};

}  // namespace GameAssets

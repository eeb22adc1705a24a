#include "EmojiRenderer.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>

namespace GameAssets {

namespace {
const char* const kEmojiFont = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf";
const int kMargin = 3;
}  // namespace

EmojiRenderer::EmojiRenderer() {
  FT_Library aLibrary = nullptr;
  if (FT_Init_FreeType(&aLibrary) != 0) return;
  mLibrary = aLibrary;
  FT_Face aFace = nullptr;
  if (FT_New_Face(aLibrary, kEmojiFont, 0, &aFace) != 0) return;
  // The font has bitmap strikes only; the first is the 109/136-pixel one.
  if (aFace->num_fixed_sizes < 1 || FT_Select_Size(aFace, 0) != 0) {
    FT_Done_Face(aFace);
    return;
  }
  mFace = aFace;
}

EmojiRenderer::~EmojiRenderer() {
  if (mFace) FT_Done_Face(static_cast<FT_Face>(mFace));
  if (mLibrary) FT_Done_FreeType(static_cast<FT_Library>(mLibrary));
}

EmojiRenderer& EmojiRenderer::Get() {
  static EmojiRenderer sRenderer;
  return sRenderer;
}

bool EmojiRenderer::HasGlyph(uint32_t theCodePoint) const {
  return mFace && FT_Get_Char_Index(static_cast<FT_Face>(mFace), theCodePoint) != 0;
}

namespace {

// The strike's colour bitmap of theCodePoint as a canvas, and the bounds of its visible pixels.
std::unique_ptr<Canvas> LoadStrike(FT_Face theFace, uint32_t theCodePoint, int* x0, int* y0, int* x1, int* y1) {
  const FT_UInt aGlyph = FT_Get_Char_Index(theFace, theCodePoint);
  if (aGlyph == 0 || FT_Load_Glyph(theFace, aGlyph, FT_LOAD_COLOR) != 0) return nullptr;
  const FT_Bitmap& aBitmap = theFace->glyph->bitmap;
  if (aBitmap.pixel_mode != FT_PIXEL_MODE_BGRA || aBitmap.width == 0 || aBitmap.rows == 0) return nullptr;

  // FreeType's BGRA is premultiplied, like Cairo's ARGB32.
  const int bw = static_cast<int>(aBitmap.width), bh = static_cast<int>(aBitmap.rows);
  auto aSource = std::make_unique<Canvas>(bw, bh);
  cairo_surface_flush(aSource->Surface());
  unsigned char* aData = cairo_image_surface_get_data(aSource->Surface());
  const int aStride = cairo_image_surface_get_stride(aSource->Surface());
  for (int y = 0; y < bh; ++y)
    std::copy_n(aBitmap.buffer + static_cast<size_t>(y) * aBitmap.pitch, bw * 4, aData + static_cast<size_t>(y) * aStride);
  cairo_surface_mark_dirty(aSource->Surface());

  // Tight bounds of the visible pixels, so every picture fills its size.
  const std::vector<uint32_t> aPix = aSource->Pixels();
  *x0 = bw, *y0 = bh, *x1 = -1, *y1 = -1;
  for (int y = 0; y < bh; ++y)
    for (int x = 0; x < bw; ++x)
      if ((aPix[static_cast<size_t>(y) * bw + x] >> 24) > 8) {
        *x0 = std::min(*x0, x);
        *x1 = std::max(*x1, x);
        *y0 = std::min(*y0, y);
        *y1 = std::max(*y1, y);
      }
  if (*x1 < 0) return nullptr;
  return aSource;
}

}  // namespace

bool EmojiRenderer::Shape(uint32_t theCodePoint, std::vector<uint8_t>* theAlpha, int* theWidth, int* theHeight) const {
  if (!mFace) return false;
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  const std::unique_ptr<Canvas> aSource = LoadStrike(static_cast<FT_Face>(mFace), theCodePoint, &x0, &y0, &x1, &y1);
  if (!aSource) return false;
  const std::vector<uint32_t> aPix = aSource->Pixels();
  *theWidth = x1 - x0 + 1;
  *theHeight = y1 - y0 + 1;
  theAlpha->assign(static_cast<size_t>(*theWidth) * *theHeight, 0);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x)
      (*theAlpha)[static_cast<size_t>(y - y0) * *theWidth + x - x0] =
          static_cast<uint8_t>(aPix[static_cast<size_t>(y) * aSource->Width() + x] >> 24);
  return true;
}

std::unique_ptr<Canvas> EmojiRenderer::Render(uint32_t theCodePoint, const EmojiLook& theLook, EmojiBody* theBody) const {
  if (!mFace) return nullptr;
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  const std::unique_ptr<Canvas> aSource = LoadStrike(static_cast<FT_Face>(mFace), theCodePoint, &x0, &y0, &x1, &y1);
  if (!aSource) return nullptr;
  const double cw = x1 - x0 + 1, ch = y1 - y0 + 1;
  const double aScale = theLook.mSize / std::max(cw, ch);
  // Room for the rotated picture.
  const double ca = std::fabs(std::cos(theLook.mRotate)), sa = std::fabs(std::sin(theLook.mRotate));
  const double rw = (cw * ca + ch * sa) * aScale, rh = (cw * sa + ch * ca) * aScale;
  const int aShadow = theLook.mShadow && !theLook.mContactShadow ? 3 : 0;
  // A contact shadow reaches a little under the picture's foot.
  const int aFoot = theLook.mContactShadow ? std::max(3, static_cast<int>(rh * 0.08)) + 2 : 0;
  const int ow = static_cast<int>(std::ceil(rw)) + 2 * kMargin + aShadow;
  const int oh = static_cast<int>(std::ceil(rh)) + 2 * kMargin + aShadow + aFoot;
  if (theBody) *theBody = {kMargin, kMargin, static_cast<int>(std::ceil(rw)), static_cast<int>(std::ceil(rh))};

  Canvas aPicture(ow, oh);
  cairo_t* cr = aPicture.cr();
  cairo_save(cr);
  cairo_translate(cr, kMargin + rw / 2, kMargin + rh / 2);
  cairo_rotate(cr, theLook.mRotate);
  cairo_scale(cr, theLook.mMirror ? -aScale : aScale, aScale);
  cairo_translate(cr, -(x0 + cw / 2), -(y0 + ch / 2));
  cairo_set_source_surface(cr, aSource->Surface(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);

  // Light and saturation of the scene, the place's own colour, light from above.
  std::vector<uint32_t> aOut = aPicture.Pixels();
  const double aLight[3] = {theLook.mLight.r, theLook.mLight.g, theLook.mLight.b};
  const double aTint[3] = {theLook.mTint.r, theLook.mTint.g, theLook.mTint.b};
  for (int y = 0; y < oh; ++y) {
    const double aLift = 1.0 + theLook.mTopLight * (0.5 - (y - kMargin) / std::max(1.0, rh));
    for (int x = 0; x < ow; ++x) {
      uint32_t& p = aOut[static_cast<size_t>(y) * ow + x];
      const uint32_t a = p >> 24;
      if (a == 0) continue;
      const double c[3] = {((p >> 16) & 0xFF) / 255.0, ((p >> 8) & 0xFF) / 255.0, (p & 0xFF) / 255.0};
      const double aGrey = 0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2];
      uint32_t v = a << 24;
      for (int k = 0; k < 3; ++k) {
        double s = (aGrey + (c[k] - aGrey) * theLook.mSaturation) * aLight[k];
        s = (s + (aTint[k] - s) * theLook.mTintAmount) * aLift;
        v |= static_cast<uint32_t>(std::clamp(s, 0.0, 1.0) * 255 + 0.5) << (16 - 8 * k);
      }
      p = v;
    }
  }
  if (aShadow || aFoot) {
    Canvas aShade(ow, oh);
    if (aFoot) {
      // A soft dark ellipse on the surface under the lowest part of the thing itself.
      int x0 = ow, x1 = -1, y1 = -1;
      for (int y = 0; y < oh; ++y)
        for (int x = 0; x < ow; ++x)
          if ((aOut[static_cast<size_t>(y) * ow + x] >> 24) >= 128) x0 = std::min(x0, x), x1 = std::max(x1, x), y1 = y;
      if (x1 < 0) x0 = kMargin, x1 = kMargin + static_cast<int>(rw), y1 = kMargin + static_cast<int>(rh) - 1;
      aShade.Ellipse((x0 + x1 + 1) / 2.0, y1 + 0.5, (x1 - x0 + 1) * 0.44, aFoot - 1.5);
      aShade.Fill(Rgb{0, 0, 0}, std::min(0.45, 0.36 * theLook.mShadowStrength));
    } else {
      // A soft shadow down and to the right, under the picture.
      std::vector<uint32_t> aMask(aOut.size(), 0);
      for (int y = 0; y + aShadow < oh; ++y)
        for (int x = 0; x + aShadow < ow; ++x) {
          const uint32_t a = aOut[static_cast<size_t>(y) * ow + x] >> 24;
          aMask[static_cast<size_t>(y + aShadow) * ow + x + aShadow] = (a * 110 / 255) << 24;
        }
      aShade.SetPixels(aMask);
    }
    aShade.Blur(2);
    Canvas aTop(ow, oh);
    aTop.SetPixels(aOut);
    aShade.Paste(aTop, 0, 0);
    aOut = aShade.Pixels();
  }
  // The outermost rows and columns stay clear.
  for (int y = 0; y < oh; ++y)
    for (int x = 0; x < ow; ++x)
      if (x == 0 || y == 0 || x == ow - 1 || y == oh - 1) aOut[static_cast<size_t>(y) * ow + x] = 0;
  auto aResult = std::make_unique<Canvas>(ow, oh);
  aResult->SetPixels(aOut);
  // A little of the paintings' grain, so the things sit in them.
  aResult->Noise(theCodePoint * 2654435761u + static_cast<uint32_t>(theLook.mSize), 0.03);
  return aResult;
}

}  // namespace GameAssets

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

std::unique_ptr<Canvas> EmojiRenderer::Render(uint32_t theCodePoint, const EmojiLook& theLook) const {
  if (!mFace) return nullptr;
  FT_Face aFace = static_cast<FT_Face>(mFace);
  const FT_UInt aGlyph = FT_Get_Char_Index(aFace, theCodePoint);
  if (aGlyph == 0 || FT_Load_Glyph(aFace, aGlyph, FT_LOAD_COLOR) != 0) return nullptr;
  const FT_Bitmap& aBitmap = aFace->glyph->bitmap;
  if (aBitmap.pixel_mode != FT_PIXEL_MODE_BGRA || aBitmap.width == 0 || aBitmap.rows == 0) return nullptr;

  // The strike as a Cairo surface: FreeType's BGRA is premultiplied, like Cairo's ARGB32.
  const int bw = static_cast<int>(aBitmap.width), bh = static_cast<int>(aBitmap.rows);
  Canvas aSource(bw, bh);
  {
    cairo_surface_flush(aSource.Surface());
    unsigned char* aData = cairo_image_surface_get_data(aSource.Surface());
    const int aStride = cairo_image_surface_get_stride(aSource.Surface());
    for (int y = 0; y < bh; ++y)
      std::copy_n(aBitmap.buffer + static_cast<size_t>(y) * aBitmap.pitch, bw * 4, aData + static_cast<size_t>(y) * aStride);
    cairo_surface_mark_dirty(aSource.Surface());
  }

  // Tight bounds of the visible pixels, so every picture fills its size.
  std::vector<uint32_t> aPix = aSource.Pixels();
  int x0 = bw, y0 = bh, x1 = -1, y1 = -1;
  for (int y = 0; y < bh; ++y)
    for (int x = 0; x < bw; ++x)
      if ((aPix[static_cast<size_t>(y) * bw + x] >> 24) > 8) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
  if (x1 < 0) return nullptr;
  const double cw = x1 - x0 + 1, ch = y1 - y0 + 1;
  const double aScale = theLook.mSize / std::max(cw, ch);
  // Room for the rotated picture.
  const double ca = std::fabs(std::cos(theLook.mRotate)), sa = std::fabs(std::sin(theLook.mRotate));
  const double rw = (cw * ca + ch * sa) * aScale, rh = (cw * sa + ch * ca) * aScale;
  const int aShadow = theLook.mShadow ? 3 : 0;
  const int ow = static_cast<int>(std::ceil(rw)) + 2 * kMargin + aShadow;
  const int oh = static_cast<int>(std::ceil(rh)) + 2 * kMargin + aShadow;

  Canvas aPicture(ow, oh);
  cairo_t* cr = aPicture.cr();
  cairo_save(cr);
  cairo_translate(cr, kMargin + rw / 2, kMargin + rh / 2);
  cairo_rotate(cr, theLook.mRotate);
  cairo_scale(cr, theLook.mMirror ? -aScale : aScale, aScale);
  cairo_translate(cr, -(x0 + cw / 2), -(y0 + ch / 2));
  cairo_set_source_surface(cr, aSource.Surface(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);

  // Light and saturation of the scene.
  std::vector<uint32_t> aOut = aPicture.Pixels();
  for (uint32_t& p : aOut) {
    const uint32_t a = p >> 24;
    if (a == 0) continue;
    double c[3] = {((p >> 16) & 0xFF) / 255.0, ((p >> 8) & 0xFF) / 255.0, (p & 0xFF) / 255.0};
    const double aGrey = 0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2];
    const double aLight[3] = {theLook.mLight.r, theLook.mLight.g, theLook.mLight.b};
    uint32_t v = a << 24;
    for (int k = 0; k < 3; ++k) {
      const double s = (aGrey + (c[k] - aGrey) * theLook.mSaturation) * aLight[k];
      v |= static_cast<uint32_t>(std::clamp(s, 0.0, 1.0) * 255 + 0.5) << (16 - 8 * k);
    }
    p = v;
  }
  if (aShadow) {
    // A soft contact shadow down and to the right, under the picture.
    Canvas aShade(ow, oh);
    std::vector<uint32_t> aMask(aOut.size(), 0);
    for (int y = 0; y + aShadow < oh; ++y)
      for (int x = 0; x + aShadow < ow; ++x) {
        const uint32_t a = aOut[static_cast<size_t>(y) * ow + x] >> 24;
        aMask[static_cast<size_t>(y + aShadow) * ow + x + aShadow] = (a * 110 / 255) << 24;
      }
    aShade.SetPixels(aMask);
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

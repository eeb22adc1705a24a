#include "ScenePainter.h"

#include <algorithm>

#include "Quantizer.h"

namespace GameAssets {

ScenePainter::ScenePainter(Canvas& theCanvas, bool theKeepsCovers)
    : mCanvas(theCanvas), mKeepsCovers(theKeepsCovers) {}

void ScenePainter::KeepShape(int theDepth) {
  const int w = mScratch->Width(), h = mScratch->Height();
  cairo_surface_t* aSurface = mScratch->Surface();
  cairo_surface_flush(aSurface);
  const unsigned char* aData = cairo_image_surface_get_data(aSurface);
  const int aStride = cairo_image_surface_get_stride(aSurface);
  auto Alpha = [&](int x, int y) {
    return static_cast<uint8_t>(
        reinterpret_cast<const uint32_t*>(aData + static_cast<size_t>(y) * aStride)[x] >> 24);
  };
  // The picture's outermost pixels stay with the background, so that the piece keeps a clear
  // margin inside the scene.
  int x0 = w, y0 = h, x1 = -1, y1 = -1;
  for (int y = 1; y < h - 1; ++y)
    for (int x = 1; x < w - 1; ++x)
      if (Alpha(x, y) >= k_clearAlpha) {
        x0 = std::min(x0, x);
        x1 = std::max(x1, x);
        y0 = std::min(y0, y);
        y1 = std::max(y1, y);
      }
  if (x1 < 0) return;
  // One clear pixel all round, as every object picture has.
  Shape s{theDepth, x0 - 1, y0 - 1, x1 - x0 + 3, y1 - y0 + 3, {}};
  s.mAlpha.assign(static_cast<size_t>(s.mWidth) * s.mHeight, 0);
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const uint8_t a = Alpha(x, y);
      if (a >= k_clearAlpha) s.mAlpha[static_cast<size_t>(y - s.mY) * s.mWidth + x - s.mX] = a;
    }
  mShapes.push_back(std::move(s));
}

std::vector<SceneCover> ScenePainter::Covers() const {
  std::vector<SceneCover> aCovers;
  if (mShapes.empty()) return aCovers;
  const int w = mCanvas.Width();
  const std::vector<uint32_t> aPicture = mCanvas.Pixels();
  for (const Shape& s : mShapes) {
    SceneCover c;
    c.mX = s.mX;
    c.mY = s.mY;
    c.mWidth = s.mWidth;
    c.mHeight = s.mHeight;
    c.mDepth = s.mDepth;
    c.mPixels.assign(s.mAlpha.size(), 0);
    for (int y = 0; y < s.mHeight; ++y)
      for (int x = 0; x < s.mWidth; ++x) {
        const uint32_t a = s.mAlpha[static_cast<size_t>(y) * s.mWidth + x];
        if (a == 0) continue;
        c.mPixels[static_cast<size_t>(y) * s.mWidth + x] =
            (a << 24) | (aPicture[static_cast<size_t>(s.mY + y) * w + s.mX + x] & 0xFFFFFF);
      }
    aCovers.push_back(std::move(c));
  }
  return aCovers;
}

}  // namespace GameAssets

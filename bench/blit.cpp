// The software blitters of memory images beside SDL2's own software blitter and pixman
// doing the same work on the same pixels. Each case runs as ours, SDL's and (where pixman
// has the operation) pixman's; pixels per second are reported as items per second and a
// table closes the run, one line per case: the three rates (medians of the repetitions)
// and ours over each peer (above 1 means faster).
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BlitFixtures.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"

using namespace Tesk;

using namespace BlitFixtures;

namespace {

const Case k_Cases[] = {
    {"Blend/screen_opaque", Blend, 800, 600, Opaque, 800, 600, 1, false},
    {"Blend/screen_sparse", Blend, 800, 600, Sparse, 800, 600, 1, false},
    {"Blend/sprite64_sparse_x200", Blend, 64, 64, Sparse, 64, 64, 200, false},
    {"Blend/sprite32_sparse_x200", Blend, 32, 32, Sparse, 32, 32, 200, false},
    {"Blend/sprite64_glow_x200", Blend, 64, 64, Glow, 64, 64, 200, false},
    {"Blend/sprite32_glow_x200", Blend, 32, 32, Glow, 32, 32, 200, false},
    {"Blend/sprite64_into_alpha_x200", Blend, 64, 64, Sparse, 64, 64, 200, true},
    {"Blend/sprite32_into_alpha_x200", Blend, 32, 32, Sparse, 32, 32, 200, true},
    {"Additive/screen_opaque", Additive, 800, 600, Opaque, 800, 600, 1, false},
    {"Additive/sprite32_glow_x160", Additive, 32, 32, Glow, 32, 32, 160, false},
    {"Colourised/sprite64_sparse_x200", Colourised, 64, 64, Sparse, 64, 64, 200, false},
    {"Colourised/sprite64_grey_x200", Colourised, 64, 64, Sparse, 64, 64, 200, false, true},
    {"FastStretch/screen_400x300_to_800x600", FastStretch, 400, 300, Sparse, 800, 600, 1, false},
    {"FastStretch/sprite32_to_64_x160", FastStretch, 32, 32, Glow, 64, 64, 160, false},
    {"FastStretch/sprite32_to_64_grey_x160", FastStretch, 32, 32, Glow, 64, 64, 160, false, true},
    {"FastStretch/sprite32_to_64_add_tint_x160", FastStretch, 32, 32, Glow, 64, 64, 160, false, false, true},
    {"FastStretch/sprite64_to_48_add_tint_x200", FastStretch, 64, 64, Glow, 48, 48, 200, false, false, true},
    {"SmoothStretch/screen_400x300_to_800x600", SmoothStretch, 400, 300, Sparse, 800, 600, 1, false},
    {"SmoothStretch/sprite32_to_64_x160", SmoothStretch, 32, 32, Glow, 64, 64, 160, false},
    {"FastStretch/shrink_800x600_to_400x300", FastStretch, 800, 600, Sparse, 400, 300, 1, false},
    {"SmoothStretch/shrink_800x600_to_400x300", SmoothStretch, 800, 600, Sparse, 400, 300, 1, false},
    {"SmoothStretch/sprite64_to_48_x200", SmoothStretch, 64, 64, Glow, 48, 48, 200, false},
    {"Rotated/screen_800x600", Rotated, 800, 600, Sparse, 800, 600, 1, false},
    {"Rotated/sprite128_x20", Rotated, 128, 128, Sparse, 128, 128, 20, false},
};

void RunOurs(benchmark::State& theState, const Case& c) {
  Sprite aSprite(c.srcWidth, c.srcHeight, c.kind);
  Screen aScreen(c.destAlpha);
  MemoryImage& aDest = *aScreen.mImage;
  std::vector<SDL_Point> aAt = Positions(c.count, c.destWidth, c.destHeight);
  const TRect<int> aSrc(0, 0, c.srcWidth, c.srcHeight);
  const TRect<int> aClip(0, 0, k_ScreenWidth, k_ScreenHeight);
  for (auto _ : theState) {
    for (const SDL_Point& p : aAt) {
      switch (c.op) {
        case Blend:
          aDest.Blt(aSprite.mImage.get(), p.x, p.y, aSrc, Color::White, DRAWMODE_NORMAL);
          break;
        case Additive:
          aDest.Blt(aSprite.mImage.get(), p.x, p.y, aSrc, Color::White, DRAWMODE_ADDITIVE);
          break;
        case Colourised:
          aDest.Blt(aSprite.mImage.get(), p.x, p.y, aSrc, c.grey ? k_GreyTint : k_Tint, DRAWMODE_NORMAL);
          break;
        case FastStretch:
        case SmoothStretch:
          aDest.StretchBlt(aSprite.mImage.get(), TRect<int>(p.x, p.y, c.destWidth, c.destHeight), aSrc, aClip,
                           c.grey ? k_GreyTint : c.addTint ? k_Tint : Color::White,
                           c.addTint ? DRAWMODE_ADDITIVE : DRAWMODE_NORMAL, c.op == FastStretch);
          break;
        case Rotated:
          aDest.BltRotated(aSprite.mImage.get(), float(p.x), float(p.y), aSrc, aClip, Color::White,
                           DRAWMODE_NORMAL, k_Angle, c.srcWidth / 2.0f, c.srcHeight / 2.0f);
          break;
      }
    }
    benchmark::DoNotOptimize(aDest.mBits[0]);
  }
  theState.SetItemsProcessed(int64_t(theState.iterations()) * c.count * c.destWidth * c.destHeight);
}

// pixman doing the case: OVER for blends (premultiplied, as pixman keeps pixels), ADD for
// additive, a scaling transform with nearest or bilinear filtering for the stretches and a
// rotation with bilinear filtering for the rotated case. It has no colourised blit nor tinted stretch.
bool PixmanHas(const Case& c) { return c.op != Colourised && !c.grey && !c.addTint; }

void RunPixman(benchmark::State& theState, const Case& c) {
  Sprite aSprite(c.srcWidth, c.srcHeight, c.kind);
  Screen aScreen(c.destAlpha);
  std::vector<uint32_t> aPremultiplied(aSprite.mPixels.size());
  for (size_t i = 0; i < aPremultiplied.size(); ++i) {
    uint32_t p = aSprite.mPixels[i], a = p >> 24;
    aPremultiplied[i] = (a << 24) | ((((p >> 16) & 0xFF) * a / 255) << 16) | ((((p >> 8) & 0xFF) * a / 255) << 8) |
                        ((p & 0xFF) * a / 255);
  }
  pixman_image_t* aSrc = pixman_image_create_bits(PIXMAN_a8r8g8b8, c.srcWidth, c.srcHeight,
                                                  aPremultiplied.data(), c.srcWidth * 4);
  pixman_image_t* aDest =
      pixman_image_create_bits(c.destAlpha ? PIXMAN_a8r8g8b8 : PIXMAN_x8r8g8b8, k_ScreenWidth, k_ScreenHeight,
                               aScreen.mPixels.data(), k_ScreenWidth * 4);
  std::vector<SDL_Point> aAt = Positions(c.count, c.destWidth, c.destHeight);
  pixman_op_t anOp = c.op == Additive ? PIXMAN_OP_ADD : PIXMAN_OP_OVER;
  if (c.op == FastStretch || c.op == SmoothStretch) {
    pixman_transform_t aScale;
    pixman_transform_init_scale(&aScale, pixman_double_to_fixed(double(c.srcWidth) / c.destWidth),
                                pixman_double_to_fixed(double(c.srcHeight) / c.destHeight));
    pixman_image_set_transform(aSrc, &aScale);
    pixman_image_set_filter(aSrc, c.op == FastStretch ? PIXMAN_FILTER_NEAREST : PIXMAN_FILTER_BILINEAR, nullptr,
                            0);
  }
  for (auto _ : theState) {
    for (const SDL_Point& p : aAt) {
      if (c.op == Rotated) {
        // Destination onto source: about the sprite's centre at p, turned back by the angle.
        pixman_f_transform_t f;
        pixman_f_transform_init_translate(&f, -(p.x + c.srcWidth / 2.0), -(p.y + c.srcHeight / 2.0));
        pixman_f_transform_rotate(&f, nullptr, std::cos(-k_Angle), std::sin(-k_Angle));
        pixman_f_transform_translate(&f, nullptr, c.srcWidth / 2.0, c.srcHeight / 2.0);
        pixman_transform_t t;
        pixman_transform_from_pixman_f_transform(&t, &f);
        pixman_image_set_transform(aSrc, &t);
        pixman_image_set_filter(aSrc, PIXMAN_FILTER_BILINEAR, nullptr, 0);
        pixman_image_composite32(anOp, aSrc, nullptr, aDest, p.x, p.y, 0, 0, p.x, p.y, c.destWidth, c.destHeight);
      } else {
        pixman_image_composite32(anOp, aSrc, nullptr, aDest, 0, 0, 0, 0, p.x, p.y, c.destWidth, c.destHeight);
      }
    }
    benchmark::DoNotOptimize(aScreen.mPixels[0]);
  }
  theState.SetItemsProcessed(int64_t(theState.iterations()) * c.count * c.destWidth * c.destHeight);
  pixman_image_unref(aSrc);
  pixman_image_unref(aDest);
}

}  // namespace

int main(int argc, char** argv) {
  SDL_SetMainReady();
  for (const Case& c : k_Cases) {
    benchmark::RegisterBenchmark((std::string(c.name) + "/tesk").c_str(), RunOurs, c)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string(c.name) + "/sdl2").c_str(), RunSdl, c)
        ->Unit(benchmark::kMicrosecond);
    if (PixmanHas(c))
      benchmark::RegisterBenchmark((std::string(c.name) + "/pixman").c_str(), RunPixman, c)
          ->Unit(benchmark::kMicrosecond);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter aReporter;
  benchmark::RunSpecifiedBenchmarks(&aReporter);
  std::printf("\n%-44s %11s %11s %11s %10s %10s\n", "case", "tesk Mpx/s", "sdl2 Mpx/s", "pixman", "tesk/sdl2",
              "tesk/pixman");
  for (const Case& c : k_Cases) {
    double aOurs = aReporter.Value(std::string(c.name) + "/tesk");
    double aSdl = aReporter.Value(std::string(c.name) + "/sdl2");
    double aPixman = aReporter.Value(std::string(c.name) + "/pixman");
    if (aOurs <= 0 || aSdl <= 0) continue;
    if (aPixman > 0)
      std::printf("%-44s %11.1f %11.1f %11.1f %10.2f %10.2f\n", c.name, aOurs / 1e6, aSdl / 1e6, aPixman / 1e6,
                  aOurs / aSdl, aOurs / aPixman);
    else
      std::printf("%-44s %11.1f %11.1f %11s %10.2f %10s\n", c.name, aOurs / 1e6, aSdl / 1e6, "-", aOurs / aSdl, "-");
  }
  benchmark::Shutdown();
  return 0;
}

// The software blitters of memory images beside SDL2's own software blitter
// doing the same work on the same pixels. Each case runs as two benchmarks,
// ours and SDL's; pixels per second are reported as items per second and a
// table of ratios (ours over SDL's, above 1 means faster) closes the run.
#include <SDL.h>
#include <benchmark/benchmark.h>

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
    {"Blend/sprite64_glow_x200", Blend, 64, 64, Glow, 64, 64, 200, false},
    {"Blend/sprite64_into_alpha_x200", Blend, 64, 64, Sparse, 64, 64, 200, true},
    {"Additive/screen_opaque", Additive, 800, 600, Opaque, 800, 600, 1, false},
    {"Additive/sprite32_glow_x160", Additive, 32, 32, Glow, 32, 32, 160, false},
    {"Colourised/sprite64_sparse_x200", Colourised, 64, 64, Sparse, 64, 64, 200, false},
    {"FastStretch/screen_400x300_to_800x600", FastStretch, 400, 300, Sparse, 800, 600, 1, false},
    {"FastStretch/sprite32_to_64_x160", FastStretch, 32, 32, Glow, 64, 64, 160, false},
    {"SmoothStretch/screen_400x300_to_800x600", SmoothStretch, 400, 300, Sparse, 800, 600, 1, false},
    {"SmoothStretch/sprite32_to_64_x160", SmoothStretch, 32, 32, Glow, 64, 64, 160, false},
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
          aDest.Blt(aSprite.mImage.get(), p.x, p.y, aSrc, k_Tint, DRAWMODE_NORMAL);
          break;
        case FastStretch:
        case SmoothStretch:
          aDest.StretchBlt(aSprite.mImage.get(), TRect<int>(p.x, p.y, c.destWidth, c.destHeight), aSrc, aClip,
                           Color::White, DRAWMODE_NORMAL, c.op == FastStretch);
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

}  // namespace

int main(int argc, char** argv) {
  SDL_SetMainReady();
  for (const Case& c : k_Cases) {
    benchmark::RegisterBenchmark((std::string(c.name) + "/tesk").c_str(), RunOurs, c)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string(c.name) + "/sdl2").c_str(), RunSdl, c)
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter aReporter;
  benchmark::RunSpecifiedBenchmarks(&aReporter);
  std::printf("\n%-44s %12s %12s %8s\n", "case", "tesk Mpx/s", "sdl2 Mpx/s", "ratio");
  for (const Case& c : k_Cases) {
    auto aOurs = aReporter.mRates.find(std::string(c.name) + "/tesk");
    auto aSdl = aReporter.mRates.find(std::string(c.name) + "/sdl2");
    if (aOurs == aReporter.mRates.end() || aSdl == aReporter.mRates.end()) continue;
    std::printf("%-44s %12.1f %12.1f %8.2f\n", c.name, aOurs->second / 1e6, aSdl->second / 1e6,
                aOurs->second / aSdl->second);
  }
  benchmark::Shutdown();
  return 0;
}

// Frames per second of an 800 x 600 frame of a few hundred textured blits, presented through
// the display's accelerated path, against SDL2's own OpenGL renderer drawing the same frame.
// Needs a display (Xvfb with Mesa's llvmpipe here).
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <vector>

#include "display/D3DInterface.h"
#include "display/DIRECTDRAW2.h"
#include "graphics/MemoryImage.h"
#include "platform/carbonwindow/CarbonWindow.h"

namespace {

constexpr int k_W = 800, k_H = 600, k_Sprite = 64, k_Blits = 300;

double gAcceleratedFps = 0, gSdlFps = 0;

struct Placement {
  int x, y;
};

std::vector<Placement> Placements() {
  std::vector<Placement> aList;
  uint32_t aSeed = 12345;
  for (int i = 0; i < k_Blits; ++i) {
    aSeed = aSeed * 1664525u + 1013904223u;
    aList.push_back({static_cast<int>((aSeed >> 8) % (k_W - k_Sprite)),
                     static_cast<int>((aSeed >> 20) % (k_H - k_Sprite))});
  }
  return aList;
}

uint32_t SpritePixel(int x, int y) {
  int dx = x - k_Sprite / 2, dy = y - k_Sprite / 2;
  uint32_t a = (dx * dx + dy * dy < (k_Sprite / 2) * (k_Sprite / 2)) ? 0xFF : 0x40;
  return (a << 24) | (uint32_t(x * 4) << 16) | (uint32_t(y * 4) << 8) | 0x80u;
}

bool HaveDisplay(benchmark::State& theState) {
  if (std::getenv("DISPLAY") == nullptr || !CarbonInitVideo()) {
    theState.SkipWithError("no display");
    return false;
  }
  return true;
}

void BM_PresentAccelerated(benchmark::State& theState) {
  if (!HaveDisplay(theState)) return;
  Rect aBounds{0, 0, k_H, k_W};
  WindowRef aWindow = nullptr;
  CreateNewWindow(kDocumentWindowClass, 0, &aBounds, &aWindow);
  ShowWindow(aWindow);
  {
    DIRECTDRAW2 aDD;
    Tesk::D3DInterface aD3D;
    aD3D.mWindow = aWindow;
    aD3D.mWidth = k_W;
    aD3D.mHeight = k_H;
    aD3D.mDD = &aDD;
    aD3D.InitD3D();
    GLint anInterval = 0;
    aglSetInteger(aD3D.GetDevice()->GetContext(), AGL_SWAP_INTERVAL, &anInterval);
    Tesk::MemoryImage aSprite(nullptr);
    aSprite.Create(k_Sprite, k_Sprite);
    for (int y = 0; y < k_Sprite; ++y)
      for (int x = 0; x < k_Sprite; ++x) aSprite.GetBits()[y * k_Sprite + x] = SpritePixel(x, y);
    aSprite.BitsChanged();
    std::vector<Placement> aPlaces = Placements();
    const Tesk::TRect<int> aSource(0, 0, k_Sprite, k_Sprite);
    const Tesk::Color aWhite(255, 255, 255);
    for (auto _ : theState) {
      aD3D.FillRect(Tesk::TRect<int>(0, 0, k_W, k_H), Tesk::Color(20, 30, 40), 0);
      for (const Placement& p : aPlaces)
        aD3D.Blt(&aSprite, static_cast<float>(p.x), static_cast<float>(p.y), aSource, aWhite, 0);
      aD3D.Flush();
      aD3D.GetDevice()->Present(nullptr, nullptr, nullptr, nullptr);
      glFinish();
    }
    aD3D.RemoveMemoryImage(&aSprite);
    aD3D.Cleanup();
  }
  DisposeWindow(aWindow);
  theState.counters["fps"] =
      benchmark::Counter(static_cast<double>(theState.iterations()), benchmark::Counter::kIsRate);
  gAcceleratedFps = theState.counters["fps"];
}

void BM_PresentSDLRenderer(benchmark::State& theState) {
  if (!HaveDisplay(theState)) return;
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "opengl");
  SDL_Window* aWindow = SDL_CreateWindow("", 0, 0, k_W, k_H, SDL_WINDOW_OPENGL);
  SDL_Renderer* aRenderer = SDL_CreateRenderer(aWindow, -1, SDL_RENDERER_ACCELERATED);
  if (aRenderer == nullptr) {
    SDL_DestroyWindow(aWindow);
    theState.SkipWithError("no SDL renderer");
    return;
  }
  std::vector<uint32_t> aPixels(k_Sprite * k_Sprite);
  for (int y = 0; y < k_Sprite; ++y)
    for (int x = 0; x < k_Sprite; ++x) aPixels[y * k_Sprite + x] = SpritePixel(x, y);
  SDL_Texture* aTexture =
      SDL_CreateTexture(aRenderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STATIC, k_Sprite, k_Sprite);
  SDL_UpdateTexture(aTexture, nullptr, aPixels.data(), k_Sprite * 4);
  SDL_SetTextureBlendMode(aTexture, SDL_BLENDMODE_BLEND);
  std::vector<Placement> aPlaces = Placements();
  for (auto _ : theState) {
    SDL_SetRenderDrawColor(aRenderer, 20, 30, 40, 255);
    SDL_RenderClear(aRenderer);
    for (const Placement& p : aPlaces) {
      SDL_Rect aDest{p.x, p.y, k_Sprite, k_Sprite};
      SDL_RenderCopy(aRenderer, aTexture, nullptr, &aDest);
    }
    SDL_RenderPresent(aRenderer);
    glFinish();
  }
  SDL_DestroyTexture(aTexture);
  SDL_DestroyRenderer(aRenderer);
  SDL_DestroyWindow(aWindow);
  theState.counters["fps"] =
      benchmark::Counter(static_cast<double>(theState.iterations()), benchmark::Counter::kIsRate);
  gSdlFps = theState.counters["fps"];
}

// Runs after the two above: the accelerated path's frame rate as a share of SDL's.
void BM_Ratio(benchmark::State& theState) {
  for (auto _ : theState) benchmark::DoNotOptimize(gAcceleratedFps);
  theState.counters["accelerated_over_sdl"] = gSdlFps > 0 ? gAcceleratedFps / gSdlFps : 0;
}

}  // namespace

BENCHMARK(BM_PresentAccelerated)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_PresentSDLRenderer)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_Ratio)->Iterations(1);

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\nleak:libX11.so\nleak:swrast_dri.so\nleak:libGLX_mesa.so\nleak:libLLVM\n";
}

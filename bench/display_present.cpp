// Frames per second of an 800 x 600 frame of a few hundred textured blits, presented through
// the display's accelerated path, against SDL2's own OpenGL renderer drawing the same frame.
// Needs a display (Xvfb with Mesa's llvmpipe here); llvmpipe rasterises on one thread (the
// one core the frame is measured on), both peers alike.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "MedianReporter.h"
#include "display/D3DInterface.h"
#include "display/DIRECTDRAW2.h"
#include "graphics/MemoryImage.h"
#include "platform/carbonwindow/CarbonWindow.h"

namespace {

constexpr int k_W = 800, k_H = 600, k_Sprite = 64;

struct Placement {
  int x, y;
};

std::vector<Placement> Placements(int theCount) {
  std::vector<Placement> aList;
  uint32_t aSeed = 12345;
  for (int i = 0; i < theCount; ++i) {
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
    std::vector<Placement> aPlaces = Placements(static_cast<int>(theState.range(0)));
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
  std::vector<Placement> aPlaces = Placements(static_cast<int>(theState.range(0)));
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
}

// The software path's copy of the 800 x 600 frame to a full screen it is shown scaled on
// (no display needed: memory surfaces): filtered at 1.8 (1920 x 1080, pillarboxed) and 1.28
// (1024 x 768), by squares at twice (1600 x 1200).
void BM_ScaleFrameToScreen(benchmark::State& theState) {
  const int aScreenW = static_cast<int>(theState.range(0)), aScreenH = static_cast<int>(theState.range(1));
  DIRECTDRAW2 aDD;
  auto Make = [&](int theWidth, int theHeight, uint32_t theCaps) {
    _DDSURFACEDESC2 aDesc = MakeSurfaceDesc2();
    aDesc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    aDesc.ddsCaps.dwCaps = theCaps;
    aDesc.dwWidth = static_cast<uint32_t>(theWidth);
    aDesc.dwHeight = static_cast<uint32_t>(theHeight);
    DIRECTDRAWSURFACE3* aSurface = nullptr;
    aDD.CreateSurface(&aDesc, &aSurface, nullptr);
    return aSurface;
  };
  DIRECTDRAWSURFACE3* aFrame = Make(k_W, k_H, DDSCAPS_OFFSCREENPLAIN);
  DIRECTDRAWSURFACE3* aScreen = Make(aScreenW, aScreenH, DDSCAPS_BACKBUFFER);
  for (int i = 0; i < k_W * k_H; ++i)
    aFrame->GetMemory()[i] = SpritePixel(i % k_Sprite, (i / k_W) % k_Sprite);
  const int aShownH = std::min(aScreenH, aScreenW * k_H / k_W), aShownW = aShownH * k_W / k_H;
  tagRECT aDest{(aScreenW - aShownW) / 2, (aScreenH - aShownH) / 2, (aScreenW + aShownW) / 2,
                (aScreenH + aShownH) / 2};
  tagRECT aSrc{0, 0, k_W, k_H};
  for (auto _ : theState) {
    aScreen->Blt(&aDest, aFrame, &aSrc, DDBLT_WAIT, nullptr);
    benchmark::DoNotOptimize(aScreen->GetMemory()[aScreenW * (aScreenH / 2) + aScreenW / 2]);
  }
  theState.counters["fps"] =
      benchmark::Counter(static_cast<double>(theState.iterations()), benchmark::Counter::kIsRate);
}

const int k_SpriteCounts[] = {100, 300, 1000};

}  // namespace

BENCHMARK(BM_PresentAccelerated)->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_PresentSDLRenderer)->Arg(100)->Arg(300)->Arg(1000)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_ScaleFrameToScreen)
    ->Args({1920, 1080})
    ->Args({1024, 768})
    ->Args({1600, 1200})
    ->Unit(benchmark::kMillisecond)
    ->MinTime(1.0);

// One line per frame size: both frame rates (medians of the repetitions) and their ratio.
int main(int argc, char** argv) {
  setenv("LP_NUM_THREADS", "1", 0);
  benchmark::Initialize(&argc, argv);
  MedianReporter aReporter("fps");
  benchmark::RunSpecifiedBenchmarks(&aReporter);
  std::printf("\n%-34s %12s %12s %8s\n", "frame (800x600 + sprites 64x64)", "tesk fps", "sdl2 fps", "ratio");
  for (int aCount : k_SpriteCounts) {
    std::string aSuffix = "/" + std::to_string(aCount) + "/min_time:2.000/real_time";
    double aOurs = aReporter.Value("BM_PresentAccelerated" + aSuffix);
    double aSdl = aReporter.Value("BM_PresentSDLRenderer" + aSuffix);
    if (aOurs <= 0 || aSdl <= 0) continue;
    std::printf("%-34s %12.1f %12.1f %8.2f\n", (std::to_string(aCount) + " sprites").c_str(), aOurs, aSdl,
                aOurs / aSdl);
  }
  std::printf("\n%-34s %12s\n", "software frame to a full screen", "fps");
  for (const char* aSize : {"1920/1080", "1024/768", "1600/1200"}) {
    const double aRate = aReporter.Value(std::string("BM_ScaleFrameToScreen/") + aSize + "/min_time:1.000");
    if (aRate > 0) std::printf("%-34s %12.1f\n", aSize, aRate);
  }
  benchmark::Shutdown();
  return 0;
}

extern "C" const char* __lsan_default_suppressions() {
  return "leak:libdbus-1.so\nleak:libX11.so\nleak:swrast_dri.so\nleak:libGLX_mesa.so\nleak:libLLVM\n";
}

// The display-surface image's software blitters (straight into a 32-bit surface in the
// display's format) beside the memory image's blitters and SDL2's software blitter doing the
// same work. Each case runs three ways; pixels per second are items per second, and a table of
// ratios (surface over SDL2 and surface over memory image, above 1 means faster) closes the run.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "BlitFixtures.h"
#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "display/DIRECTDRAW2.h"
#include "display/DIRECTDRAWSURFACE3.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"

using namespace Tesk;

using namespace BlitFixtures;

namespace {

// A display interface with a DirectDraw object and an 8-8-8 format, but no window.
class BenchDisplay : public DDInterface {
 public:
  BenchDisplay() : DDInterface(nullptr) {
    mDirectDraw = new DIRECTDRAW2();
    mDirectDrawEx = mDirectDraw;
    mRGBBits = 32;
    mRedMask = 0xFF0000;
    mGreenMask = 0xFF00;
    mBlueMask = 0xFF;
    mRedBits = mGreenBits = mBlueBits = 8;
    mRedShift = 16;
    mGreenShift = 8;
    mBlueShift = 0;
    for (std::unique_ptr<int[]>* aTable : {&mRedAddTable, &mGreenAddTable, &mBlueAddTable}) {
      aTable->reset(new int[511]);
      for (int i = 0; i < 511; ++i) (*aTable)[i] = i < 255 ? i : 255;
    }
    mAddTablesSaturate = true;
  }
};

// The screen image over an 800 x 600 draw buffer, as the display builds it.
struct SurfaceScreen {
  BenchDisplay mDisplay;
  std::unique_ptr<DDImage> mImage;
  SurfaceScreen() {
    _DDSURFACEDESC2 aDesc = MakeSurfaceDesc2();
    aDesc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    aDesc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN;
    aDesc.dwWidth = k_ScreenWidth;
    aDesc.dwHeight = k_ScreenHeight;
    DIRECTDRAWSURFACE3* aSurface = nullptr;
    mDisplay.CreateSurface(&aDesc, &aSurface, nullptr);
    uint32_t aState = 99;
    for (int i = 0; i < k_ScreenWidth * k_ScreenHeight; ++i)
      aSurface->GetMemory()[i] = 0xFF000000u | (NextWord(aState) & 0xFFFFFF);
    mImage = std::make_unique<DDImage>(&mDisplay);
    mImage->SetSurface(aSurface);
    mImage->SetImageMode(false, false);
  }
  ~SurfaceScreen() { mImage.reset(); }
};

const Case k_Cases[] = {
    {"Blend/screen_opaque", Blend, 800, 600, Opaque, 800, 600, 1},
    {"Blend/screen_sparse", Blend, 800, 600, Sparse, 800, 600, 1},
    {"Blend/sprite64_sparse_x200", Blend, 64, 64, Sparse, 64, 64, 200},
    {"Blend/sprite64_glow_x200", Blend, 64, 64, Glow, 64, 64, 200},
    {"Additive/screen_opaque", Additive, 800, 600, Opaque, 800, 600, 1},
    {"Additive/sprite32_glow_x160", Additive, 32, 32, Glow, 32, 32, 160},
    {"Colourised/sprite64_sparse_x200", Colourised, 64, 64, Sparse, 64, 64, 200},
    {"FastStretch/screen_400x300_to_800x600", FastStretch, 400, 300, Sparse, 800, 600, 1},
    {"FastStretch/sprite32_to_64_x160", FastStretch, 32, 32, Glow, 64, 64, 160},
    {"SmoothStretch/screen_400x300_to_800x600", SmoothStretch, 400, 300, Sparse, 800, 600, 1},
    {"SmoothStretch/sprite32_to_64_x160", SmoothStretch, 32, 32, Glow, 64, 64, 160},
    {"SmoothStretch/sprite64_to_48_x200", SmoothStretch, 64, 64, Glow, 48, 48, 200},
    {"Rotated/sprite128_x20", Rotated, 128, 128, Sparse, 128, 128, 20},
};

void Draw(Image& theDest, MemoryImage* theSprite, const Case& c, const SDL_Point& p) {
  const TRect<int> aSrc(0, 0, c.srcWidth, c.srcHeight);
  const TRect<int> aClip(0, 0, k_ScreenWidth, k_ScreenHeight);
  switch (c.op) {
    case Blend:
      theDest.Blt(theSprite, p.x, p.y, aSrc, Color::White, DRAWMODE_NORMAL);
      break;
    case Additive:
      theDest.Blt(theSprite, p.x, p.y, aSrc, Color::White, DRAWMODE_ADDITIVE);
      break;
    case Colourised:
      theDest.Blt(theSprite, p.x, p.y, aSrc, k_Tint, DRAWMODE_NORMAL);
      break;
    case FastStretch:
    case SmoothStretch:
      theDest.StretchBlt(theSprite, TRect<int>(p.x, p.y, c.destWidth, c.destHeight), aSrc, aClip,
                         Color::White, DRAWMODE_NORMAL, c.op == FastStretch);
      break;
    case Rotated:
      theDest.BltRotated(theSprite, float(p.x), float(p.y), aSrc, aClip, Color::White, DRAWMODE_NORMAL,
                         k_Angle, c.srcWidth / 2.0f, c.srcHeight / 2.0f);
      break;
  }
}

void RunSurface(benchmark::State& theState, const Case& c) {
  SurfaceScreen aScreen;
  Sprite aSprite(c.srcWidth, c.srcHeight, c.kind);
  std::vector<SDL_Point> aAt = Positions(c.count, c.destWidth, c.destHeight);
  DDImage& aDest = *aScreen.mImage;
  // Locked once around the frame, as the widget manager draws.
  aDest.LockSurface();
  for (auto _ : theState) {
    for (const SDL_Point& p : aAt) Draw(aDest, aSprite.mImage.get(), c, p);
    benchmark::DoNotOptimize(aDest.mLockDesc.lpSurface);
  }
  aDest.UnlockSurface();
  theState.SetItemsProcessed(int64_t(theState.iterations()) * c.count * c.destWidth * c.destHeight);
}

void RunMemory(benchmark::State& theState, const Case& c) {
  Screen aScreen(false);
  Sprite aSprite(c.srcWidth, c.srcHeight, c.kind);
  std::vector<SDL_Point> aAt = Positions(c.count, c.destWidth, c.destHeight);
  for (auto _ : theState) {
    for (const SDL_Point& p : aAt) Draw(*aScreen.mImage, aSprite.mImage.get(), c, p);
    benchmark::DoNotOptimize(aScreen.mImage->mBits[0]);
  }
  theState.SetItemsProcessed(int64_t(theState.iterations()) * c.count * c.destWidth * c.destHeight);
}

}  // namespace

int main(int argc, char** argv) {
  SDL_SetMainReady();
  for (const Case& c : k_Cases) {
    benchmark::RegisterBenchmark((std::string(c.name) + "/surface").c_str(), RunSurface, c)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string(c.name) + "/memory").c_str(), RunMemory, c)
        ->Unit(benchmark::kMicrosecond);
    benchmark::RegisterBenchmark((std::string(c.name) + "/sdl2").c_str(), RunSdl, c)
        ->Unit(benchmark::kMicrosecond);
  }
  benchmark::Initialize(&argc, argv);
  RatioReporter aReporter;
  benchmark::RunSpecifiedBenchmarks(&aReporter);
  std::printf("\n%-40s %11s %11s %11s %9s %9s\n", "case", "surf Mpx/s", "mem Mpx/s", "sdl2 Mpx/s",
              "surf/sdl2", "surf/mem");
  for (const Case& c : k_Cases) {
    double aSurface = aReporter.Value(std::string(c.name) + "/surface");
    double aMemory = aReporter.Value(std::string(c.name) + "/memory");
    double aSdl = aReporter.Value(std::string(c.name) + "/sdl2");
    if (aSurface <= 0 || aMemory <= 0 || aSdl <= 0) continue;
    std::printf("%-40s %11.1f %11.1f %11.1f %9.2f %9.2f\n", c.name, aSurface / 1e6, aMemory / 1e6, aSdl / 1e6,
                aSurface / aSdl, aSurface / aMemory);
  }
  benchmark::Shutdown();
  return 0;
}

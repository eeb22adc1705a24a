// One frame of the play scene (location background, every placed object, the side bar with the
// find list and clock, the particles and the fairies) drawn by the game's own application and
// presented, through the accelerated path (OpenGL, Mesa's llvmpipe under Xvfb, one thread) and
// through the software path; against SDL2's SDL_BlitSurface compositing the same images into an
// 800 x 600 surface. The goal: 200 frames per second accelerated. Needs a display.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "core/MTRand.h"
#include "core/MacUtils.h"
#include "display/DDInterface.h"
#include "game/play/InGame.h"
#include "game/play/LevelData.h"
#include "game/play/LevelDynamics.h"
#include "game/play/Map.h"
#include "game/shell/GameApp.h"
#include "game/shell/ProfileData.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/TitleScreen.h"
#include "graphics/Graphics.h"
#include "graphics/Image.h"
#include "graphics/MemoryImage.h"
#include "graphics/Particles.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "widgets/WidgetManager.h"

namespace {

double gFps[4] = {};  // accelerated, software, SDL, accelerated presentation alone

void Record(benchmark::State& theState, int theSlot, std::chrono::steady_clock::time_point theStart) {
  const double aSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - theStart).count();
  gFps[theSlot] = aSeconds > 0 ? static_cast<double>(theState.iterations()) / aSeconds : 0;
  theState.counters["fps"] = gFps[theSlot];
}

// The game, on location 3 of level 1 (it has fairies), after a second of play with a found
// object's burst and a miss running; null without a display or the generated set.
Tesk::GameApp* Game() {
  static Tesk::GameApp* sApp = []() -> Tesk::GameApp* {
    // llvmpipe on one core, as the goal says.
    setenv("LP_NUM_THREADS", "1", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    setenv("TESK_ALERTS", "stderr", 0);
    if (std::getenv("DISPLAY") == nullptr || !CarbonInitVideo()) return nullptr;
    auto* anApp = new Tesk::GameApp();
    anApp->Init();
    if (anApp->mWindow == nullptr) return nullptr;
    const uint32_t anEnd = ::timeGetTime() + 30000;
    while (!anApp->mLoaded && static_cast<int32_t>(::timeGetTime() - anEnd) < 0)
      anApp->UpdateAppStep(nullptr);
    anApp->PreScreensFinished();
    Tesk::ProfileData* aProfile = anApp->getProfileData();
    aProfile->setProfileUsing(0);
    aProfile->setProfileName(L"Bench");
    aProfile->startNewGame(1);
    aProfile->setHelpBox(false);
    Tesk::SRand(2024);
    if (!anApp->getLevelData()->load(1, false)) return nullptr;
    anApp->StartMap(anApp->getTitleScreen());
    anApp->setLocationAt(3);
    anApp->StartInGame(anApp->getMap());
    Tesk::InGame* aScene = anApp->getIngame();
    const uint32_t aPlayEnd = ::timeGetTime() + 1000;
    while (static_cast<int32_t>(::timeGetTime() - aPlayEnd) < 0) anApp->UpdateAppStep(nullptr);
    // A found object's highlight and bursts, and a miss, in the frame.
    for (Selectable* s : aScene->m_renderArray)
      if (s != nullptr && s->isToFind() && s->getKind() < Selectable::k_kindCoin0) {
        aScene->MouseDown(s->getX() + s->m_image->GetWidth() / 2, s->getY() + s->m_image->GetHeight() / 2, 1);
        break;
      }
    aScene->MouseDown(700, 20, 1);
    for (int i = 0; i < 40; ++i) aScene->Update();
    return anApp;
  }();
  return sApp;
}

void DrawFrames(benchmark::State& theState, bool the3D, int theSlot) {
  Tesk::GameApp* anApp = Game();
  if (anApp == nullptr) {
    theState.SkipWithError("no display or no generated asset set");
    return;
  }
  if (anApp->is3DEnabled() != the3D) anApp->Set3DAcclerated(the3D, true);
  if (anApp->is3DEnabled() != the3D) {
    theState.SkipWithError("the display mode cannot be switched");
    return;
  }
  Tesk::WidgetManager* w = anApp->mWidgetManager;
  const auto aStart = std::chrono::steady_clock::now();
  double aDrawSeconds = 0;
  for (auto _ : theState) {
    const auto aDrawStart = std::chrono::steady_clock::now();
    w->MarkAllDirty();
    w->DrawScreen();
    aDrawSeconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - aDrawStart).count();
    anApp->Redraw(nullptr);
  }
  Record(theState, theSlot, aStart);
  // The widgets' drawing alone; the rest is the presentation.
  theState.counters["draw_ms"] =
      theState.iterations() > 0 ? 1000.0 * aDrawSeconds / theState.iterations() : 0;
}

void BM_PlayFrameAccelerated(benchmark::State& theState) { DrawFrames(theState, true, 0); }

// The floor the display path sets: one full-screen fill, presented.
void BM_PresentOnlyAccelerated(benchmark::State& theState) {
  Tesk::GameApp* anApp = Game();
  if (anApp == nullptr) {
    theState.SkipWithError("no display or no generated asset set");
    return;
  }
  if (!anApp->is3DEnabled()) anApp->Set3DAcclerated(true, true);
  const auto aStart = std::chrono::steady_clock::now();
  for (auto _ : theState) {
    Tesk::Graphics g(anApp->mWidgetManager->mImage);
    g.SetColor(Tesk::Color(20, 30, 40));
    g.FillRect(0, 0, 800, 600);
    anApp->Redraw(nullptr);
  }
  Record(theState, 3, aStart);
}
void BM_PlayFrameSoftware(benchmark::State& theState) { DrawFrames(theState, false, 1); }

// The same background, objects and side bar composited by SDL into a window's surface.
SDL_Surface* SurfaceOf(Tesk::Image* theImage) {
  if (theImage == nullptr) return nullptr;
  auto* aMemory = dynamic_cast<Tesk::MemoryImage*>(theImage);
  if (aMemory == nullptr || aMemory->GetBits() == nullptr) return nullptr;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, theImage->GetWidth(), theImage->GetHeight(), 32,
                                                  SDL_PIXELFORMAT_ARGB8888);
  std::memcpy(s->pixels, aMemory->GetBits(), sizeof(uint32_t) * theImage->GetWidth() * theImage->GetHeight());
  SDL_SetSurfaceBlendMode(s, SDL_BLENDMODE_BLEND);
  return s;
}

void BM_PlayFrameSdlBlit(benchmark::State& theState) {
  Tesk::GameApp* anApp = Game();
  if (anApp == nullptr || anApp->getIngame()->getLocationData() == nullptr) {
    theState.SkipWithError("no display or no generated asset set");
    return;
  }
  Tesk::InGame* aScene = anApp->getIngame();
  struct Placed {
    SDL_Surface* mSurface;
    SDL_Rect mAt;
  };
  std::vector<Placed> aFrame;
  auto Add = [&aFrame](Tesk::Image* theImage, int x, int y) {
    if (SDL_Surface* s = SurfaceOf(theImage)) aFrame.push_back({s, SDL_Rect{x, y, s->w, s->h}});
  };
  Add(aScene->getLocationData()->m_background.get(), 140, 0);
  for (Selectable* s : aScene->m_renderArray)
    if (s != nullptr && s->isVisible()) Add(s->m_image.get(), s->getX(), s->getY());
  Add(Tesk::IMAGE_SIDE_BAR, 0, 0);
  SDL_Surface* aScreen = SDL_CreateRGBSurfaceWithFormat(0, 800, 600, 32, SDL_PIXELFORMAT_ARGB8888);
  const auto aStart = std::chrono::steady_clock::now();
  for (auto _ : theState) {
    SDL_FillRect(aScreen, nullptr, 0);
    for (Placed& p : aFrame) {
      SDL_Rect anAt = p.mAt;
      SDL_BlitSurface(p.mSurface, nullptr, aScreen, &anAt);
    }
    benchmark::DoNotOptimize(aScreen->pixels);
  }
  Record(theState, 2, aStart);
  theState.counters["surfaces"] = static_cast<double>(aFrame.size());
  for (Placed& p : aFrame) SDL_FreeSurface(p.mSurface);
  SDL_FreeSurface(aScreen);
}

}  // namespace

BENCHMARK(BM_PlayFrameAccelerated)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_PresentOnlyAccelerated)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_PlayFrameSoftware)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);
BENCHMARK(BM_PlayFrameSdlBlit)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(2.0);

int main(int argc, char** argv) {
  SDL_SetMainReady();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  std::printf("\nplay-scene frame, frames per second (goal: accelerated >= 200)\n");
  std::printf("  accelerated (OpenGL)   %8.1f\n", gFps[0]);
  std::printf("  accelerated, one fill    %8.1f   (presenting a frame at all)\n", gFps[3]);
  std::printf("  software               %8.1f\n", gFps[1]);
  std::printf("  SDL_BlitSurface        %8.1f   (background, objects and side bar only)\n", gFps[2]);
  if (gFps[2] > 0) {
    std::printf("  accelerated / SDL      %8.2f\n", gFps[0] / gFps[2]);
    std::printf("  software / SDL         %8.2f\n", gFps[1] / gFps[2]);
  }
  std::fflush(stdout);
  benchmark::Shutdown();
  // The game's application is left to the process's end: its window and threads go with it.
  std::_Exit(0);
}

// The application's idle main loop for ten seconds of real time: processor time against wall
// time (the loop must sleep between steps, not spin), the update rate it reaches and the
// jitter of the step, side by side with the plain SDL fixed-step loop (SDL_GetTicks and
// SDL_Delay) doing the same work.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <ctime>
#include <memory>
#include <vector>

#include "core/MacUtils.h"
#include "app/TeskAppBase.h"
#include "platform/carbon/CarbonBackend.h"
#include "platform/carbon/backend/ScriptedBackend.h"

namespace {

constexpr double k_Seconds = 10.0;

double ProcessSeconds() {
  timespec aTime;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &aTime);
  return aTime.tv_sec + aTime.tv_nsec * 1e-9;
}

double WallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Notes the real time of every update and stops itself after k_Seconds.
class IdleApp : public Tesk::TeskAppBase {
 public:
  void UpdateFrames() override {
    TeskAppBase::UpdateFrames();
    double aNow = WallSeconds();
    mTicks.push_back(aNow);
    if (aNow - mStart >= k_Seconds) Shutdown();
  }
  double mStart = 0.0;
  std::vector<double> mTicks;
};

void Report(benchmark::State& theState, const std::vector<double>& theTicks, double theCpu, double theWall) {
  double aMean = 0.0;
  double aSquares = 0.0;
  size_t aCount = theTicks.size() > 1 ? theTicks.size() - 1 : 1;
  for (size_t i = 1; i < theTicks.size(); ++i) aMean += theTicks[i] - theTicks[i - 1];
  aMean /= aCount;
  for (size_t i = 1; i < theTicks.size(); ++i) {
    double d = theTicks[i] - theTicks[i - 1] - aMean;
    aSquares += d * d;
  }
  theState.counters["cpu_per_wall"] = theCpu / theWall;
  theState.counters["updates_per_s"] = theTicks.size() / theWall;
  theState.counters["step_jitter_ms"] = std::sqrt(aSquares / aCount) * 1000.0;
}

void BM_TeskIdleMainLoop(benchmark::State& theState) {
  SetCarbonBackend(std::make_unique<ScriptedBackend>());
  for (auto _ : theState) {
    IdleApp anApp;
    anApp.mRunning = true;
    anApp.ClearUpdateBacklog(false);
    anApp.mTicks.reserve(2000);
    double aCpu = ProcessSeconds();
    anApp.mStart = WallSeconds();
    anApp.DoMainLoop();
    Report(theState, anApp.mTicks, ProcessSeconds() - aCpu, WallSeconds() - anApp.mStart);
  }
}
BENCHMARK(BM_TeskIdleMainLoop)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The usual SDL fixed step: update when due, else sleep until the next step.
void BM_SdlFixedStepLoop(benchmark::State& theState) {
  SDL_Init(SDL_INIT_TIMER);
  for (auto _ : theState) {
    std::vector<double> aTicks;
    aTicks.reserve(2000);
    double aCpu = ProcessSeconds();
    double aStart = WallSeconds();
    Uint32 aNext = SDL_GetTicks();
    while (WallSeconds() - aStart < k_Seconds) {
      Uint32 aNow = SDL_GetTicks();
      if (static_cast<int32_t>(aNow - aNext) >= 0) {
        aTicks.push_back(WallSeconds());
        aNext += 10;
      } else {
        SDL_Delay(aNext - aNow);
      }
    }
    Report(theState, aTicks, ProcessSeconds() - aCpu, WallSeconds() - aStart);
  }
  SDL_Quit();
}
BENCHMARK(BM_SdlFixedStepLoop)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

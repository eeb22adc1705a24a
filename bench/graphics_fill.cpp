// FillRect and coverage spans of a memory image against SDL2's software
// renderer doing the same work on an 800x600 ARGB surface.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <vector>

#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"

namespace {

constexpr int k_Width = 800;
constexpr int k_Height = 600;

void FillImage(Tesk::MemoryImage& theImage, uint32_t theValue) {
  std::vector<uint32_t> aPixels(k_Width * k_Height, theValue);
  theImage.SetBits(aPixels.data(), k_Width, k_Height);
}

void BM_MemoryImageFillOpaque(benchmark::State& state) {
  Tesk::MemoryImage anImage(nullptr);
  FillImage(anImage, 0xFF203040);
  for (auto _ : state) {
    anImage.FillRect(Tesk::TRect<int>(0, 0, k_Width, k_Height), Tesk::Color(10, 20, 30),
                     Tesk::DRAWMODE_NORMAL);
    benchmark::DoNotOptimize(anImage.mBits[0]);
  }
  state.SetItemsProcessed(state.iterations() * k_Width * k_Height);
}
BENCHMARK(BM_MemoryImageFillOpaque);

void BM_MemoryImageFillAlpha(benchmark::State& state) {
  Tesk::MemoryImage anImage(nullptr);
  FillImage(anImage, 0xFF203040);
  for (auto _ : state) {
    anImage.FillRect(Tesk::TRect<int>(0, 0, k_Width, k_Height), Tesk::Color(10, 20, 30, 128),
                     Tesk::DRAWMODE_NORMAL);
    benchmark::DoNotOptimize(anImage.mBits[0]);
  }
  state.SetItemsProcessed(state.iterations() * k_Width * k_Height);
}
BENCHMARK(BM_MemoryImageFillAlpha);

void BM_MemoryImageFillAdditive(benchmark::State& state) {
  Tesk::MemoryImage anImage(nullptr);
  FillImage(anImage, 0xFF203040);
  for (auto _ : state) {
    anImage.FillRect(Tesk::TRect<int>(0, 0, k_Width, k_Height), Tesk::Color(1, 1, 1, 128),
                     Tesk::DRAWMODE_ADDITIVE);
    benchmark::DoNotOptimize(anImage.mBits[0]);
  }
  state.SetItemsProcessed(state.iterations() * k_Width * k_Height);
}
BENCHMARK(BM_MemoryImageFillAdditive);

void BM_MemoryImageCoverage(benchmark::State& state) {
  Tesk::MemoryImage anImage(nullptr);
  FillImage(anImage, 0xFF203040);
  std::vector<uint8_t> aCoverage(k_Width * k_Height);
  for (size_t i = 0; i < aCoverage.size(); ++i) aCoverage[i] = static_cast<uint8_t>(i * 7);
  std::vector<Tesk::Span> aSpans;
  for (int y = 0; y < k_Height; ++y) aSpans.push_back(Tesk::Span{y, 0, k_Width});
  for (auto _ : state) {
    anImage.FillScanLinesWithCoverage(aSpans.data(), k_Height, Tesk::Color(10, 20, 30), Tesk::DRAWMODE_NORMAL,
                                      aCoverage.data(), 0, 0, k_Width, k_Height);
    benchmark::DoNotOptimize(anImage.mBits[0]);
  }
  state.SetItemsProcessed(state.iterations() * k_Width * k_Height);
}
BENCHMARK(BM_MemoryImageCoverage);

struct SdlTarget {
  SDL_Surface* mSurface;
  SDL_Renderer* mRenderer;
  SdlTarget() {
    mSurface = SDL_CreateRGBSurfaceWithFormat(0, k_Width, k_Height, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(mSurface, nullptr, 0xFF203040);
    mRenderer = SDL_CreateSoftwareRenderer(mSurface);
  }
  ~SdlTarget() {
    SDL_DestroyRenderer(mRenderer);
    SDL_FreeSurface(mSurface);
  }
};

void BM_SdlFillRectOpaque(benchmark::State& state) {
  SdlTarget aTarget;
  for (auto _ : state) {
    SDL_FillRect(aTarget.mSurface, nullptr, 0xFF0A141E);
    benchmark::DoNotOptimize(aTarget.mSurface->pixels);
  }
  state.SetItemsProcessed(state.iterations() * k_Width * k_Height);
}
BENCHMARK(BM_SdlFillRectOpaque);

void BM_SdlRenderFillRectBlend(benchmark::State& state) {
  SdlTarget aTarget;
  SDL_SetRenderDrawBlendMode(aTarget.mRenderer, SDL_BLENDMODE_BLEND);
  SDL_SetRenderDrawColor(aTarget.mRenderer, 10, 20, 30, 128);
  for (auto _ : state) {
    SDL_RenderFillRect(aTarget.mRenderer, nullptr);
    SDL_RenderFlush(aTarget.mRenderer);
    benchmark::DoNotOptimize(aTarget.mSurface->pixels);
  }
  state.SetItemsProcessed(state.iterations() * k_Width * k_Height);
}
BENCHMARK(BM_SdlRenderFillRectBlend);

void BM_SdlRenderFillRectAdd(benchmark::State& state) {
  SdlTarget aTarget;
  SDL_SetRenderDrawBlendMode(aTarget.mRenderer, SDL_BLENDMODE_ADD);
  SDL_SetRenderDrawColor(aTarget.mRenderer, 1, 1, 1, 128);
  for (auto _ : state) {
    SDL_RenderFillRect(aTarget.mRenderer, nullptr);
    SDL_RenderFlush(aTarget.mRenderer);
    benchmark::DoNotOptimize(aTarget.mSurface->pixels);
  }
  state.SetItemsProcessed(state.iterations() * k_Width * k_Height);
}
BENCHMARK(BM_SdlRenderFillRectAdd);

}  // namespace

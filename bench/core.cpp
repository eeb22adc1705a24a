// The core utilities side by side with the standard library doing the same work.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <vector>

#include "core/Buffer.h"
#include "core/Common.h"
#include "core/MTRand.h"

static void BM_TeskRand(benchmark::State& theState) {
  Tesk::SRand(5489);
  for (auto _ : theState) benchmark::DoNotOptimize(Tesk::Rand());
}
BENCHMARK(BM_TeskRand);

static void BM_StdMt19937(benchmark::State& theState) {
  std::mt19937 anEngine(5489);
  for (auto _ : theState) benchmark::DoNotOptimize(anEngine() & 0x7FFFFFFFu);
}
BENCHMARK(BM_StdMt19937);

static void BM_BufferWriteLongUnaligned(benchmark::State& theState) {
  for (auto _ : theState) {
    Tesk::Buffer aBuffer;
    aBuffer.WriteNumBits(1, 3);
    for (int i = 0; i < 4096; ++i) aBuffer.WriteLong(i);
    benchmark::DoNotOptimize(aBuffer.GetDataPtr());
  }
  theState.SetBytesProcessed(theState.iterations() * 4096 * 4);
}
BENCHMARK(BM_BufferWriteLongUnaligned);

static void BM_VectorMemcpyLong(benchmark::State& theState) {
  for (auto _ : theState) {
    std::vector<uint8_t> aBytes;
    for (int i = 0; i < 4096; ++i) {
      const size_t anEnd = aBytes.size();
      aBytes.resize(anEnd + 4);
      std::memcpy(aBytes.data() + anEnd, &i, 4);
    }
    benchmark::DoNotOptimize(aBytes.data());
  }
  theState.SetBytesProcessed(theState.iterations() * 4096 * 4);
}
BENCHMARK(BM_VectorMemcpyLong);

static void BM_StrFormat(benchmark::State& theState) {
  for (auto _ : theState) benchmark::DoNotOptimize(Tesk::StrFormat("FPS: %d %s", 60, "frames"));
}
BENCHMARK(BM_StrFormat);

static void BM_Snprintf(benchmark::State& theState) {
  char aText[160];
  for (auto _ : theState) {
    std::snprintf(aText, sizeof(aText), "FPS: %d %s", 60, "frames");
    benchmark::DoNotOptimize(std::string(aText));
  }
}
BENCHMARK(BM_Snprintf);

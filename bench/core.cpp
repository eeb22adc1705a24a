// The core utilities side by side with the standard library doing the same work.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
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

static void BM_BufferWriteLongAligned(benchmark::State& theState) {
  for (auto _ : theState) {
    Tesk::Buffer aBuffer;
    for (int i = 0; i < 4096; ++i) aBuffer.WriteLong(i);
    benchmark::DoNotOptimize(aBuffer.GetDataPtr());
  }
  theState.SetBytesProcessed(theState.iterations() * 4096 * 4);
}
BENCHMARK(BM_BufferWriteLongAligned);

// A demo update's worth of mixed writes: a few bits of command, then bytes and shorts.
static void BM_BufferWriteMixedUnaligned(benchmark::State& theState) {
  for (auto _ : theState) {
    Tesk::Buffer aBuffer;
    for (int i = 0; i < 1024; ++i) {
      aBuffer.WriteNumBits(i & 1, 1);
      aBuffer.WriteNumBits(i & 31, 5);
      aBuffer.WriteByte(static_cast<uint8_t>(i));
      aBuffer.WriteShort(static_cast<int16_t>(i));
      aBuffer.WriteLong(i);
    }
    benchmark::DoNotOptimize(aBuffer.GetDataPtr());
  }
  // 6 bits + 7 bytes a round.
  theState.SetBytesProcessed(theState.iterations() * 1024 * 7);
}
BENCHMARK(BM_BufferWriteMixedUnaligned);

static void BM_BufferWriteStringUnaligned(benchmark::State& theState) {
  const std::string aText(200, 'q');
  for (auto _ : theState) {
    Tesk::Buffer aBuffer;
    aBuffer.WriteNumBits(1, 3);
    for (int i = 0; i < 64; ++i) aBuffer.WriteString(aText);
    benchmark::DoNotOptimize(aBuffer.GetDataPtr());
  }
  theState.SetBytesProcessed(theState.iterations() * 64 * 202);
}
BENCHMARK(BM_BufferWriteStringUnaligned);

static void BM_BufferWriteStringAligned(benchmark::State& theState) {
  const std::string aText(200, 'q');
  for (auto _ : theState) {
    Tesk::Buffer aBuffer;
    for (int i = 0; i < 64; ++i) aBuffer.WriteString(aText);
    benchmark::DoNotOptimize(aBuffer.GetDataPtr());
  }
  theState.SetBytesProcessed(theState.iterations() * 64 * 202);
}
BENCHMARK(BM_BufferWriteStringAligned);

static void BM_BufferReadLongUnaligned(benchmark::State& theState) {
  Tesk::Buffer aBuffer;
  aBuffer.WriteNumBits(1, 3);
  for (int i = 0; i < 4096; ++i) aBuffer.WriteLong(i);
  for (auto _ : theState) {
    aBuffer.mReadBitPos = 3;
    int32_t aSum = 0;
    for (int i = 0; i < 4096; ++i) aSum += aBuffer.ReadLong();
    benchmark::DoNotOptimize(aSum);
  }
  theState.SetBytesProcessed(theState.iterations() * 4096 * 4);
}
BENCHMARK(BM_BufferReadLongUnaligned);

static void BM_BufferReadStringUnaligned(benchmark::State& theState) {
  Tesk::Buffer aBuffer;
  aBuffer.WriteNumBits(1, 3);
  for (int i = 0; i < 64; ++i) aBuffer.WriteString(std::string(200, 'q'));
  for (auto _ : theState) {
    aBuffer.mReadBitPos = 3;
    size_t aTotal = 0;
    for (int i = 0; i < 64; ++i) aTotal += aBuffer.ReadString().size();
    benchmark::DoNotOptimize(aTotal);
  }
  theState.SetBytesProcessed(theState.iterations() * 64 * 202);
}
BENCHMARK(BM_BufferReadStringUnaligned);

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

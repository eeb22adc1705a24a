// The yardstick of the loading benchmarks: decoding a list of PNG files with libpng's simple
// API, timed per iteration in processor time, so that a loader can report its time as a ratio
// to it.
#pragma once

#include <benchmark/benchmark.h>
#include <png.h>

#include <ctime>
#include <cstdint>
#include <string>
#include <vector>

namespace PngDecodeRunner {

// Seconds of processor time of the process: on a busy machine it tells the work done far more
// steadily than the wall clock, and the loaders measured here run on one thread.
inline double Now() {
  timespec aTime;
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &aTime);
  return static_cast<double>(aTime.tv_sec) + static_cast<double>(aTime.tv_nsec) * 1e-9;
}

// Decodes every file once per iteration into a buffer of theMaxPixels; returns the seconds one
// iteration took.
inline double DecodeEach(benchmark::State& theState, const std::vector<std::string>& thePngs,
                         size_t theMaxPixels) {
  std::vector<uint32_t> aPixels(theMaxPixels);
  const double aStart = Now();
  for (auto _ : theState) {
    for (const std::string& aName : thePngs) {
      png_image anImage = {};
      anImage.version = PNG_IMAGE_VERSION;
      png_image_begin_read_from_file(&anImage, aName.c_str());
      anImage.format = PNG_FORMAT_BGRA;
      png_image_finish_read(&anImage, nullptr, aPixels.data(), 0, nullptr);
      benchmark::DoNotOptimize(aPixels.data());
    }
  }
  theState.counters["images"] = static_cast<double>(thePngs.size());
  return (Now() - aStart) / static_cast<double>(theState.iterations());
}

}  // namespace PngDecodeRunner

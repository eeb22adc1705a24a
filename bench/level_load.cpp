// Loading the final level (all twelve locations, each a 660 x 600 background and about 60
// objects) against decoding the same images from PNG files with libpng. The goal: under
// 0.3 s, and faster than the PNG path (vs_libpng below 1).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "LocationFixtures.h"
#include "PngDecodeRunner.h"
#include "app/TeskAppBase.h"
#include "core/Common.h"
#include "core/MTRand.h"
#include "game/play/LevelData.h"
#include "game/shell/ProfileData.h"

namespace {

struct Fixture {
  std::string mDir = "/tmp/bench_level_load_" + std::to_string(getpid());
  std::vector<std::string> mPngs;
  size_t mImages = 0;

  Fixture() {
    Tesk::MkDir(mDir + "/builddata");
    for (int anId = 1; anId <= 12; ++anId) {
      const TeskTools::LocationFixture aLocation = TeskTools::StandardLocation(anId, 16, 660, 600, 80);
      TeskTools::WriteLocationFiles(mDir, anId, aLocation);
      for (size_t i = 0; i < aLocation.mImages.size(); ++i) {
        const TeskTools::BlockImage& b = aLocation.mImages[i];
        std::vector<uint32_t> aPixels(b.mIndices.size());
        for (size_t p = 0; p < aPixels.size(); ++p) aPixels[p] = b.mPalette[b.mIndices[p]];
        const std::string aName = mDir + "/" + std::to_string(anId) + "_" + std::to_string(i) + ".png";
        TeskTools::PngOptions anOptions;
        anOptions.mKind = TeskTools::PngKind::Palette;
        TeskTools::WritePngFile(aName, b.mWidth, b.mHeight, aPixels.data(), anOptions);
        mPngs.push_back(aName);
      }
      mImages += aLocation.mImages.size();
    }
  }
  ~Fixture() {
    for (const std::string& aName : mPngs) unlink(aName.c_str());
    for (int anId = 1; anId <= 12; ++anId) {
      const std::string aDigits = std::to_string(anId / 10) + std::to_string(anId % 10);
      unlink((mDir + "/builddata/l" + aDigits + "objs.dat").c_str());
      unlink((mDir + "/builddata/l" + aDigits + "block.tgab").c_str());
    }
    rmdir((mDir + "/builddata").c_str());
    rmdir(mDir.c_str());
  }
};

const Fixture& GetFixture() {
  static Fixture sFixture;
  return sFixture;
}

double sPngSeconds = 0;

void BM_LibpngSameImages(benchmark::State& theState) {
  sPngSeconds = PngDecodeRunner::DecodeEach(theState, GetFixture().mPngs, 660 * 600);
}

void BM_LevelDataLoadFinalLevel(benchmark::State& theState) {
  const Fixture& aFixture = GetFixture();
  char aBuf[4096];
  const std::string anOldDir = getcwd(aBuf, sizeof(aBuf)) != nullptr ? aBuf : ".";
  if (chdir(aFixture.mDir.c_str()) != 0) {
    theState.SkipWithError("no fixture folder");
    return;
  }
  Tesk::TeskAppBase anApp;
  Tesk::ProfileData aProfile;
  aProfile.setProfileName(L"Bench");
  Tesk::SRand(1);
  aProfile.startNewGame(1);
  for (int i = 1; i < 13; ++i) aProfile.advanceLevelOn();
  LevelData aLevel(nullptr, &aProfile);
  const double aStart = PngDecodeRunner::Now();
  for (auto _ : theState) {
    if (!aLevel.load(13, false)) theState.SkipWithError(aLevel.getLoadError().c_str());
    benchmark::DoNotOptimize(aLevel.m_locations[11].m_background.get());
  }
  const double aSeconds = (PngDecodeRunner::Now() - aStart) / static_cast<double>(theState.iterations());
  theState.counters["images"] = static_cast<double>(aFixture.mImages);
  // Below 1: faster than decoding the same images from PNG.
  if (sPngSeconds > 0) theState.counters["vs_libpng"] = aSeconds / sPngSeconds;
  theState.counters["under_0.3s"] = aSeconds < 0.3 ? 1 : 0;
  if (chdir(anOldDir.c_str()) != 0) theState.SkipWithError("cannot go back");
}

}  // namespace

BENCHMARK(BM_LibpngSameImages)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_LevelDataLoadFinalLevel)->Unit(benchmark::kMillisecond)->UseRealTime();

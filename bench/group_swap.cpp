// A screen switch's group swap (the old group released, the new one loaded and bound) between
// "HowToPlay" (19 pictures of 320 x 240) and "Map" (12 of 160 x 120), against decoding the same
// PNG files with libpng. The goal: each swap under 250 ms and at most about 20 % over the bare
// decoding (vs_libpng below 1.2).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "PngDecodeRunner.h"
#include "ResourceSetWriter.h"
#include "core/Common.h"
#include "game/shell/GameApp.h"
#include "game/shell/ResourceIds.h"
#include "game/shell/ScreenCalls.h"
#include "platform/corefoundation/CFPreferences.h"
#include "resources/ResourceManager.h"

namespace {

struct Fixture {
  std::string mDir = "/tmp/bench_group_swap_" + std::to_string(getpid());
  std::vector<std::string> mPngs;  // the files of both groups

  Fixture() {
    TeskTools::ResourceSetSpec aSet;
    aSet.mImagePrefix = "";
    TeskTools::GroupSpec aHowToPlay{"HowToPlay", {}};
    TeskTools::GroupSpec aMap{"Map", {}};
    // The identifiers of "HowToPlay" run 86 to 104, those of "Map" 105 to 116.
    for (int anId = 86; anId <= 116; ++anId) {
      TeskTools::ResourceSpec aRes;
      aRes.mId = Tesk::GetStringIdById(anId);
      aRes.mPath = aRes.mId + ".png";
      aRes.mFormat = TeskTools::FileFormat::PngRgba;
      aRes.mWidth = anId <= 104 ? 320 : 160;
      aRes.mHeight = anId <= 104 ? 240 : 120;
      (anId <= 104 ? aHowToPlay : aMap).mResources.push_back(aRes);
      mPngs.push_back(mDir + "/" + aSet.mImageFolder + "/" + aRes.mPath);
    }
    aSet.mGroups = {aHowToPlay, aMap};
    std::string anError;
    if (!TeskTools::WriteResourceSet(aSet, mDir, &anError)) std::fprintf(stderr, "%s\n", anError.c_str());
  }
  ~Fixture() { std::system(("rm -rf '" + mDir + "'").c_str()); }
};

const Fixture& GetFixture() {
  static Fixture sFixture;
  return sFixture;
}

double sPngSeconds = 0;

// The music does not play here.
class NoMusic : public Tesk::ScreenCalls {
 public:
  void selectMusic(const char*) override {}
};

void BM_LibpngSameImages(benchmark::State& theState) {
  sPngSeconds = PngDecodeRunner::DecodeEach(theState, GetFixture().mPngs, 320 * 240);
}

// One iteration: "HowToPlay" in (releasing "Map"), then "Map" in (releasing "HowToPlay").
void BM_GroupSwapHowToPlayAndMap(benchmark::State& theState) {
  const Fixture& aFixture = GetFixture();
  char aBuf[4096];
  const std::string anOldDir = getcwd(aBuf, sizeof(aBuf)) != nullptr ? aBuf : ".";
  setenv("TESK_RESOURCES_DIR", aFixture.mDir.c_str(), 1);
  Tesk::SetAppDataFolder(aFixture.mDir + "/");
  CFPreferencesSetStorePath(aFixture.mDir + "/Preferences.txt");
  {
    Tesk::GameApp anApp;
    NoMusic aCalls;
    anApp.m_screenCalls = &aCalls;
    if (!anApp.mResourceManager->ParseResourcesFile("properties/resources.xml")) {
      theState.SkipWithError(anApp.mResourceManager->GetErrorText().c_str());
      return;
    }
    const double aStart = PngDecodeRunner::Now();
    for (auto _ : theState) {
      // Between swaps the frame loop drops the decoded images that no resource holds any more.
      anApp.updateDatabaseUsing("HowToPlay", Tesk::ExtractHowToPlayResources);
      anApp.CleanSharedImages();
      anApp.updateDatabaseUsing("Map", Tesk::ExtractMapResources);
      anApp.CleanSharedImages();
      benchmark::DoNotOptimize(Tesk::MAP_LOC12_HOVER);
    }
    const double aSeconds = (PngDecodeRunner::Now() - aStart) / static_cast<double>(theState.iterations());
    anApp.updateDatabaseUsing(nullptr, nullptr);
    theState.counters["images"] = static_cast<double>(aFixture.mPngs.size());
    // Below about 1.2: no more than a fifth over decoding the same files.
    if (sPngSeconds > 0) theState.counters["vs_libpng"] = aSeconds / sPngSeconds;
    theState.counters["each_swap_under_250ms"] = aSeconds / 2 < 0.25 ? 1 : 0;
  }
  Tesk::GameApp::databaseCurrentlyLoaded = nullptr;
  if (chdir(anOldDir.c_str()) != 0) theState.SkipWithError("cannot go back");
}

}  // namespace

BENCHMARK(BM_LibpngSameImages)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_GroupSwapHowToPlayAndMap)->Unit(benchmark::kMillisecond)->UseRealTime();

// Loading the generated resource set whole through the resource manager, against decoding
// the same files directly: every image file (alpha files included) through
// the image readers over libpng/libjpeg, every sound through the sound manager and every font
// descriptor through the font data. The ratio is the manager's own cost: the shared-image
// cache, display images, alpha merges, palettising, font objects and bookkeeping.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ResourceSetWriter.h"
#include "core/Common.h"
#include "app/TeskAppBase.h"
#include "platform/audio/dylib/AudioCore.h"
#include "resources/FontData.h"
#include "resources/ImageLib.h"
#include "resources/ResourceManager.h"
#include "sound/DSoundManager.h"

namespace {

const char* const kGroups[] = {"Constants", "Init", "Main", "Title"};

OpaqueWindowPtr* FakeWindow() {
  static char sWindow;
  return reinterpret_cast<OpaqueWindowPtr*>(&sWindow);
}

class BenchApp : public Tesk::TeskAppBase {
 public:
  BenchApp() { mSoundManager = new Tesk::DSoundManager(FakeWindow(), false); }
  ~BenchApp() override {
    delete mSoundManager;
    mSoundManager = nullptr;
  }
  void Popup(const std::string&) override {}
};

// The set written once, made the working folder, with its file lists.
struct Set {
  std::string mDir = "/tmp/bench_resource_load_" + std::to_string(getpid());
  std::vector<std::string> mImageFiles;
  std::vector<std::string> mSoundPaths;  // as the sound manager is given them
  std::vector<std::string> mFontFiles;
  Set() {
    Tesk::AudioCore::Get().SetDeviceWanted(false);
    std::string anError;
    if (!TeskTools::WriteResourceSet(TeskTools::DefaultResourceSet(), mDir, &anError)) std::abort();
    if (chdir(mDir.c_str()) != 0) std::abort();
    Tesk::SetAppDataFolder(mDir + "/appdata/");
    for (const auto& anEntry : std::filesystem::recursive_directory_iterator(".")) {
      if (!anEntry.is_regular_file()) continue;
      const std::string aPath = anEntry.path().lexically_normal().string();
      const std::string anExt = anEntry.path().extension().string();
      // Glyph sheets are decoded by the font data, as the manager's fonts do.
      if (aPath.compare(0, 7, "images/") == 0)
        mImageFiles.push_back(aPath);
      else if (aPath.compare(0, 7, "sounds/") == 0)
        mSoundPaths.push_back(aPath.substr(0, aPath.rfind('.')));
      else if (anExt == ".txt")
        mFontFiles.push_back(aPath);
    }
  }
  ~Set() { std::filesystem::remove_all(mDir); }
};

const Set& GetSet() {
  static Set sSet;
  return sSet;
}

double Now() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Seconds per round of the direct decoding, measured first, for the ratio.
double sDirectSeconds = 0;

void BM_ManagerLoadsTheSetWhole(benchmark::State& theState) {
  GetSet();
  BenchApp anApp;
  Tesk::ResourceManager aManager(&anApp);
  if (!aManager.ParseResourcesFile("properties/resources.xml")) {
    theState.SkipWithError(aManager.GetErrorText().c_str());
    return;
  }
  double aSeconds = 0;
  for (auto _ : theState) {
    const double aStart = Now();
    for (const char* aGroup : kGroups) {
      if (!aManager.LoadResources(aGroup)) {
        theState.SkipWithError(aManager.GetErrorText().c_str());
        return;
      }
    }
    aSeconds += Now() - aStart;
    theState.PauseTiming();
    aManager.DeleteResources("");
    anApp.CleanSharedImages();  // so that the next round decodes again
    theState.ResumeTiming();
  }
  // Above 1: the manager takes that many times as long as decoding the files alone.
  if (sDirectSeconds > 0)
    theState.counters["vs_direct"] = aSeconds / static_cast<double>(theState.iterations()) / sDirectSeconds;
}

void BM_DecodeTheFilesDirectly(benchmark::State& theState) {
  const Set& aSet = GetSet();
  BenchApp anApp;
  Tesk::SoundManager* aSounds = anApp.mSoundManager;
  double aSeconds = 0;
  for (auto _ : theState) {
    const double aStart = Now();
    for (const std::string& aFile : aSet.mImageFiles) {
      std::unique_ptr<ImageLib::Image> anImage(ImageLib::GetImage(aFile, false));
      benchmark::DoNotOptimize(anImage.get());
    }
    int anId = 0;
    for (const std::string& aPath : aSet.mSoundPaths)
      benchmark::DoNotOptimize(aSounds->LoadSound(anId++, aPath));
    for (const std::string& aFile : aSet.mFontFiles) {
      Tesk::FontData* aData = new Tesk::FontData();
      benchmark::DoNotOptimize(aData->Load(&anApp, aFile));
      aData->DeRef();
    }
    aSeconds += Now() - aStart;
    theState.PauseTiming();
    aSounds->ReleaseSounds();
    anApp.CleanSharedImages();
    theState.ResumeTiming();
  }
  sDirectSeconds = aSeconds / static_cast<double>(theState.iterations());
}

// The direct decoding runs first so that the manager's run can report the ratio.
BENCHMARK(BM_DecodeTheFilesDirectly)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ManagerLoadsTheSetWhole)->Unit(benchmark::kMillisecond);

}  // namespace

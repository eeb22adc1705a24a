// Mixing 32 looping instances: CPU time per second of audio, beside SDL's own mixer summing
// 32 buffers of the same output (no rate conversion or levels on its side).
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <string>
#include <vector>

#include "SoundWriter.h"
#include "platform/audio/dylib/AudioCore.h"
#include "sound/DSoundManager.h"
#include "sound/SoundInstance.h"

namespace {

constexpr int k_Voices = 32;
constexpr int k_Block = 1024;
constexpr int k_Second = 44100;

double sSdlSecondsPerIteration = 0;

double CpuSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

void BM_SdlMixAudioFormat32(benchmark::State& theState) {
  std::vector<std::vector<int16_t>> aSources(k_Voices,
                                             TeskTools::SoundWriter::Tone(440, k_Second, 2, 44100, 900));
  std::vector<int16_t> aOut(k_Block * 2);
  const double aStart = CpuSeconds();
  for (auto _ : theState) {
    for (int aFrame = 0; aFrame < k_Second; aFrame += k_Block) {
      const int aFrames = std::min(k_Block, k_Second - aFrame);
      SDL_memset(aOut.data(), 0, aOut.size() * sizeof(int16_t));
      for (const auto& aSource : aSources) {
        SDL_MixAudioFormat(reinterpret_cast<Uint8*>(aOut.data()),
                           reinterpret_cast<const Uint8*>(aSource.data() + aFrame * 2), AUDIO_S16SYS,
                           static_cast<Uint32>(aFrames * 4), SDL_MIX_MAXVOLUME);
      }
      benchmark::DoNotOptimize(aOut.data());
    }
  }
  sSdlSecondsPerIteration = (CpuSeconds() - aStart) / static_cast<double>(theState.iterations());
  theState.counters["times_realtime"] =
      benchmark::Counter(static_cast<double>(theState.iterations()), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SdlMixAudioFormat32)->Unit(benchmark::kMillisecond);

// Sources at 22050 Hz (interpolated up to 44100) and with levels, as the game's effects play.
void BM_SoundManagerMix32(benchmark::State& theState) {
  Tesk::AudioCore::Get().SetDeviceWanted(false);
  static char sWindow;
  Tesk::DSoundManager aManager(reinterpret_cast<OpaqueWindowPtr*>(&sWindow), false);
  const std::string aPath = "/tmp/bench-sound-mix-" + std::to_string(getpid());
  const auto aTone = TeskTools::SoundWriter::Tone(440, 22050, 1, 22050, 900);
  FILE* aFile = std::fopen((aPath + ".wav").c_str(), "wb");
  const std::string aBytes =
      TeskTools::SoundWriter::Wav(TeskTools::SoundWriter::Bytes16(aTone), 1, 22050, 16);
  std::fwrite(aBytes.data(), 1, aBytes.size(), aFile);
  std::fclose(aFile);
  aManager.LoadSound(1, aPath);
  std::remove((aPath + ".wav").c_str());
  for (int i = 0; i < k_Voices; ++i) {
    Tesk::SoundInstance* aInstance = aManager.GetSoundInstance(1);
    aInstance->SetVolume(0.8);
    aInstance->SetPan(i * 600 - 9000);
    aInstance->Play(true, false);
  }
  std::vector<int16_t> aOut(k_Block * 2);
  const double aStart = CpuSeconds();
  for (auto _ : theState) {
    for (int aFrame = 0; aFrame < k_Second; aFrame += k_Block) {
      Tesk::AudioCore::Get().Render(aOut.data(), std::min(k_Block, k_Second - aFrame));
      benchmark::DoNotOptimize(aOut.data());
    }
  }
  const double aOurs = (CpuSeconds() - aStart) / static_cast<double>(theState.iterations());
  theState.counters["times_realtime"] =
      benchmark::Counter(static_cast<double>(theState.iterations()), benchmark::Counter::kIsRate);
  if (sSdlSecondsPerIteration > 0) theState.counters["vs_SDL_mix"] = aOurs / sSdlSecondsPerIteration;
}
BENCHMARK(BM_SoundManagerMix32)->Unit(benchmark::kMillisecond);

}  // namespace

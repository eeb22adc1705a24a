// The process's one mixer: voices are summed into 44100 Hz 16-bit stereo, either pulled
// by the SDL device or rendered on demand (tests call Render themselves).
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <vector>

namespace Tesk {

class AudioVoice;
class SdlAudioBackend;

class AudioCore {
 public:
  static constexpr int k_OutputRate = 44100;
  static constexpr int k_OutputChannels = 2;

  static AudioCore& Get();

  // Guards every voice; voices' end-of-sound callbacks run with it held, so it is re-entrant.
  std::recursive_mutex& Mutex() { return mMutex; }

  void AddVoice(AudioVoice* theVoice);
  void RemoveVoice(AudioVoice* theVoice);

  // Mixes theFrames frames into theOut (interleaved L, R), saturated to 16 bits.
  void Render(int16_t* theOut, int theFrames);

  // The device is opened while at least one user holds it. With the device not wanted
  // (tests driving Render) acquiring never opens it.
  bool AcquireDevice();
  void ReleaseDevice();
  bool HasDevice() const;
  void SetDeviceWanted(bool theWanted);

 private:
  AudioCore();

  static constexpr int k_BlockFrames = 1024;

  std::recursive_mutex mMutex;
  std::vector<AudioVoice*> mVoices;
  std::vector<int32_t> mMix;

  mutable std::mutex mDeviceMutex;
  std::unique_ptr<SdlAudioBackend> mBackend;
  int mDeviceUsers = 0;
  bool mDeviceWanted = true;
};

}  // namespace Tesk

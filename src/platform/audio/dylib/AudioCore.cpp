#include "platform/audio/dylib/AudioCore.h"

#include <algorithm>
#include <cstring>

#include "platform/audio/dylib/AudioVoice.h"
#include "platform/audio/dylib/SdlAudioBackend.h"

namespace Tesk {

AudioCore& AudioCore::Get() {
  // Never destroyed: the device thread may still render while static objects go away at exit.
  static AudioCore* sCore = new AudioCore();
  return *sCore;
}

AudioCore::AudioCore() : mMix(k_BlockFrames * k_OutputChannels), mBackend(new SdlAudioBackend()) {
  mVoices.reserve(64);
}

void AudioCore::AddVoice(AudioVoice* theVoice) {
  std::lock_guard<std::recursive_mutex> aLock(mMutex);
  mVoices.push_back(theVoice);
}

void AudioCore::RemoveVoice(AudioVoice* theVoice) {
  std::lock_guard<std::recursive_mutex> aLock(mMutex);
  mVoices.erase(std::remove(mVoices.begin(), mVoices.end(), theVoice), mVoices.end());
}

void AudioCore::Render(int16_t* theOut, int theFrames) {
  std::lock_guard<std::recursive_mutex> aLock(mMutex);
  while (theFrames > 0) {
    const int aFrames = std::min(theFrames, k_BlockFrames);
    int32_t* aMix = mMix.data();
    std::memset(aMix, 0, sizeof(int32_t) * aFrames * k_OutputChannels);
    for (size_t i = 0; i < mVoices.size(); ++i) mVoices[i]->Mix(aMix, aFrames);
    const int aSamples = aFrames * k_OutputChannels;
    for (int i = 0; i < aSamples; ++i) {
      const int32_t aValue = aMix[i];
      theOut[i] = static_cast<int16_t>(aValue > 32767 ? 32767 : (aValue < -32768 ? -32768 : aValue));
    }
    theOut += aSamples;
    theFrames -= aFrames;
  }
}

bool AudioCore::AcquireDevice() {
  std::lock_guard<std::mutex> aLock(mDeviceMutex);
  if (mDeviceUsers++ == 0 && mDeviceWanted) mBackend->Open();
  return mBackend->IsOpen();
}

void AudioCore::ReleaseDevice() {
  std::lock_guard<std::mutex> aLock(mDeviceMutex);
  if (mDeviceUsers > 0 && --mDeviceUsers == 0) mBackend->Close();
}

bool AudioCore::HasDevice() const {
  std::lock_guard<std::mutex> aLock(mDeviceMutex);
  return mBackend->IsOpen();
}

void AudioCore::SetDeviceWanted(bool theWanted) {
  std::lock_guard<std::mutex> aLock(mDeviceMutex);
  mDeviceWanted = theWanted;
  if (!theWanted) mBackend->Close();
}

}  // namespace Tesk

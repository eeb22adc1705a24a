#include "platform/audio/dylib/SdlAudioBackend.h"

#include <SDL.h>

#include <cstdio>

#include "platform/audio/dylib/AudioCore.h"

namespace Tesk {

bool SdlAudioBackend::Open() {
  if (mDevice != 0) return true;
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    std::fprintf(stderr, "audio: no audio system (%s); playing silently\n", SDL_GetError());
    return false;
  }
  SDL_AudioSpec aWanted{};
  aWanted.freq = AudioCore::k_OutputRate;
  aWanted.format = AUDIO_S16SYS;
  aWanted.channels = AudioCore::k_OutputChannels;
  aWanted.samples = 1024;
  aWanted.callback = &SdlAudioBackend::Callback;
  aWanted.userdata = nullptr;
  SDL_AudioSpec aGot{};
  // No allowed changes: SDL converts to whatever the device wants, the core always mixes one format.
  mDevice = SDL_OpenAudioDevice(nullptr, 0, &aWanted, &aGot, 0);
  if (mDevice == 0) {
    std::fprintf(stderr, "audio: no audio device (%s); playing silently\n", SDL_GetError());
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return false;
  }
  SDL_PauseAudioDevice(mDevice, 0);
  return true;
}

void SdlAudioBackend::Close() {
  if (mDevice == 0) return;
  // Waits for a running callback, which may be waiting on the core's mutex: never call with it held.
  SDL_CloseAudioDevice(mDevice);
  mDevice = 0;
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

void SdlAudioBackend::Callback(void*, uint8_t* theStream, int theLength) {
  const int aFrames = theLength / static_cast<int>(sizeof(int16_t) * AudioCore::k_OutputChannels);
  AudioCore::Get().Render(reinterpret_cast<int16_t*>(theStream), aFrames);
}

}  // namespace Tesk

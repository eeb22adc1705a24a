// The DirectSound-shaped device: makes sample buffers and their duplicates.
#pragma once

#include "sound/DSoundTypes.h"

namespace Tesk {

class macDirectSoundBuffer;

class MACDIRECTSOUND {
 public:
  HRESULT CreateSoundBuffer(const DSBUFFERDESC* theDesc, macDirectSoundBuffer** theBuffer, void* theOuter);
  HRESULT DuplicateSoundBuffer(macDirectSoundBuffer* theSource, macDirectSoundBuffer** theBuffer);
  HRESULT SetCooperativeLevel(OpaqueWindowPtr* theWindow, uint32_t theLevel);
  // Deletes the device.
  HRESULT Release();

  // The sound header's 16.16 rate for a sample rate in Hz.
  static uint32_t HeaderRate(uint32_t theHz);
};

}  // namespace Tesk

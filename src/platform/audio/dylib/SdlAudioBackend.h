// Feeds the core's output to the machine's audio device through SDL.
#pragma once

#include <cstdint>

namespace Tesk {

class SdlAudioBackend {
 public:
  // Opens the default device at 44100 Hz, 16-bit stereo; false when there is none.
  bool Open();
  void Close();
  bool IsOpen() const { return mDevice != 0; }

 private:
  static void Callback(void* theUser, uint8_t* theStream, int theLength);

  uint32_t mDevice = 0;
};

}  // namespace Tesk

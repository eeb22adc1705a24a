// One source the mixer sums: a Sound Manager channel or the music library's streams.
#pragma once

#include <cstdint>

namespace Tesk {

class AudioVoice {
 public:
  virtual ~AudioVoice() = default;

  // Adds theFrames stereo frames at the core's output rate into theMix (interleaved L, R).
  // Called on the mixing thread with the core's mutex held.
  virtual void Mix(int32_t* theMix, int theFrames) = 0;
};

}  // namespace Tesk

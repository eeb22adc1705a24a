// One loaded song of the music library: a stream or a tracker module, with its fade state.
#pragma once

#include <cstdint>

namespace Tesk {

class BassMusicInfo {
 public:
  uint32_t GetHandle() const { return mHMusic != 0 ? mHMusic : mHStream; }

  uint32_t mHMusic = 0;
  uint32_t mHStream = 0;
  double mVolume = 0.0;
  double mVolumeAdd = 0.0;
  double mVolumeCap = 1.0;
  bool mStopOnFade = false;
};

}  // namespace Tesk

// A decoded sound file the music library streams from.
#pragma once

#include <cstdint>

namespace Tesk {

class BassStream {
 public:
  virtual ~BassStream() = default;

  int Channels() const { return mChannels; }
  int Rate() const { return mRate; }

  // Up to theFrames interleaved 16-bit frames; 0 at the end.
  virtual int Read(int16_t* theOut, int theFrames) = 0;
  virtual bool SeekFrame(uint64_t theFrame) = 0;
  virtual uint64_t LengthFrames() = 0;

 protected:
  int mChannels = 0;
  int mRate = 0;
};

}  // namespace Tesk

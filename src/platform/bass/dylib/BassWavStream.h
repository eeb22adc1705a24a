// A 16-bit PCM WAV file read as it plays.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

#include "platform/bass/dylib/BassStream.h"

namespace Tesk {

class BassWavStream : public BassStream {
 public:
  // Null unless the file is a RIFF WAVE with 16-bit PCM, 1 or 2 channels, and its data; then
  // *theError says why: BASS_ERROR_FILEOPEN, BASS_ERROR_FILEFORM (not such a WAV file) or
  // BASS_ERROR_FORMAT (samples of another kind).
  static std::unique_ptr<BassWavStream> Open(const std::string& thePath, int* theError);
  ~BassWavStream() override;

  int Read(int16_t* theOut, int theFrames) override;
  bool SeekFrame(uint64_t theFrame) override;
  uint64_t LengthFrames() override { return mFrames; }

 private:
  BassWavStream() = default;

  FILE* mFile = nullptr;
  long mDataStart = 0;
  uint64_t mFrames = 0;
  uint64_t mPosition = 0;
};

}  // namespace Tesk

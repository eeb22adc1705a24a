// An Ogg Vorbis file decoded as it plays.
#pragma once

#include <vorbis/vorbisfile.h>

#include <memory>
#include <string>

#include "platform/bass/dylib/BassStream.h"

namespace Tesk {

class BassOggStream : public BassStream {
 public:
  // Null when the file cannot be opened as Ogg Vorbis; then *theError is BASS_ERROR_FILEOPEN
  // (no such file) or BASS_ERROR_FILEFORM.
  static std::unique_ptr<BassOggStream> Open(const std::string& thePath, int* theError);
  ~BassOggStream() override;

  int Read(int16_t* theOut, int theFrames) override;
  bool SeekFrame(uint64_t theFrame) override;
  uint64_t LengthFrames() override;

 private:
  BassOggStream() = default;

  OggVorbis_File mFile{};
};

}  // namespace Tesk

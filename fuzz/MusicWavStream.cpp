// Feeds arbitrary bytes to the music library's WAV stream: the header walk, then a few frames
// read and a seek, as a song is played.
#include <cstdint>
#include <memory>
#include <string>

#include "FuzzInputFile.h"
#include "platform/bass/dylib/BassWavStream.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  const std::string aPath = FuzzInput::WriteScratchFile("music-wav", ".wav", theData, theSize);
  if (aPath.empty()) return 0;
  int anError = 0;
  std::unique_ptr<Tesk::BassWavStream> aStream = Tesk::BassWavStream::Open(aPath, &anError);
  if (aStream == nullptr) return 0;
  int16_t aFrames[2 * 256];
  aStream->Read(aFrames, 256);
  aStream->SeekFrame(aStream->LengthFrames() / 2);
  aStream->Read(aFrames, 256);
  return 0;
}

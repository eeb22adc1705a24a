// Feeds arbitrary bytes to the sound manager's WAV reader.
#include <cstdint>
#include <string>

#include "FuzzInputFile.h"
#include "FuzzSoundManager.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  const std::string aPath = FuzzInput::WriteScratchFile("sound-wav", ".wav", theData, theSize);
  if (aPath.empty()) return 0;
  FuzzInput::SoundManager().LoadWAVSound(1, aPath);
  FuzzInput::SoundManager().ReleaseSound(1);
  return 0;
}

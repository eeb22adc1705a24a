// Feeds arbitrary bytes to the sound manager's WAV reader.
#include <cstdint>
#include <string>

#include "FuzzInputFile.h"
#include "platform/audio/dylib/AudioCore.h"
#include "sound/DSoundManager.h"

namespace {
Tesk::DSoundManager& Manager() {
  static char sWindow;
  static Tesk::DSoundManager* sManager = [] {
    Tesk::AudioCore::Get().SetDeviceWanted(false);
    return new Tesk::DSoundManager(reinterpret_cast<OpaqueWindowPtr*>(&sWindow), false);
  }();
  return *sManager;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  const std::string aPath = FuzzInput::WriteScratchFile("sound-wav", ".wav", theData, theSize);
  if (aPath.empty()) return 0;
  Manager().LoadWAVSound(1, aPath);
  Manager().ReleaseSound(1);
  return 0;
}

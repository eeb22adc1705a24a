// Feeds arbitrary bytes to the sound manager's Sun AU reader.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

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
  static const std::string sPath = "/tmp/fuzz-sound-au-" + std::to_string(getpid()) + ".au";
  FILE* aFile = std::fopen(sPath.c_str(), "wb");
  if (aFile == nullptr) return 0;
  std::fwrite(theData, 1, theSize, aFile);
  std::fclose(aFile);
  Manager().LoadAUSound(1, sPath);
  Manager().ReleaseSound(1);
  return 0;
}

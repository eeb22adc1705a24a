// Any bytes as a demo file: reading either refuses it or loads it, and replaying
// what was loaded always ends, whatever the commands say.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "FuzzInputFile.h"
#include "app/DemoCommands.h"
#include "core/OsWindowBridge.h"
#include "core/Registry.h"
#include "app/TeskAppBase.h"

namespace {

class FuzzApp : public Tesk::TeskAppBase {
 public:
  void Shutdown() override { mShutdown = true; }
  void Redraw(Tesk::TRect<int>*) override {}
  void EnforceCursor() override {}
  void SwitchScreenMode(bool) override {}
  void Mute(bool) override {}
  void Unmute(bool) override {}
  void URLOpenSucceeded(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* theData, size_t theSize) {
  const std::string aPath = FuzzInput::WriteScratchFile("demo", ".dmo", theData, theSize);
  if (aPath.empty()) return 0;
  {
    FuzzApp anApp;
    Tesk::SetOsWindowBridge(nullptr);
    anApp.mPlayingDemoBuffer = true;
    anApp.mPrimaryThreadId = GetCurrentThreadId();
    anApp.mDemoFileName = aPath;
    anApp.mProductVersion = "1.0";
    std::string aRegKey = "Fuzz";
    Tesk::Registry aRegistry(&aRegKey, &anApp);
    std::string anError;
    if (anApp.ReadDemoBuffer(anError)) {
      // Each command takes at most 15 ticks, so the stream's bits bound the run.
      const int64_t aLastTick = static_cast<int64_t>(anApp.mDemoBuffer.mDataBitSize) * 15 + 16;
      for (int64_t aTick = 0; aTick <= aLastTick && !anApp.mShutdown && !anApp.mDemoBuffer.AtEnd(); ++aTick) {
        anApp.mUpdateCount = static_cast<int32_t>(aTick);
        // Commands the game's own operations take are taken by them when due.
        while (!anApp.mShutdown && anApp.PrepareDemoCommand(false) && !anApp.IsDemoShortCommand()) {
          const int aNumber = anApp.GetDemoCommandNumber();
          if (aNumber == Tesk::DEMO_SYNC) {
            std::string aText = "live";
            anApp.DemoSyncString(&aText);
          } else if (aNumber == Tesk::DEMO_REGISTRY_READ) {
            uint8_t aValue[64];
            uint32_t aType = 0;
            uint32_t aLength = sizeof(aValue);
            aRegistry.RegistryRead("Value", &aType, aValue, &aLength);
          } else if (aNumber == Tesk::DEMO_REGISTRY_WRITE) {
            aRegistry.RegistryWriteInteger("Value", 1);
          } else {
            break;
          }
        }
        anApp.ProcessDemo();
      }
    } else if (anError.empty()) {
      std::abort();
    }
  }
  std::remove(aPath.c_str());
  return 0;
}

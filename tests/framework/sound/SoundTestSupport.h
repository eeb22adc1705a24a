// Shared set-up of the sound tests: a manager on the render-only audio core and fixture files.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SoundWriter.h"
#include "platform/audio/dylib/AudioCore.h"
#include "sound/DSoundManager.h"
#include "support/TestTemp.h"

namespace SoundTest {

// Any non-null window gives the manager a device; it is never looked at.
inline OpaqueWindowPtr* FakeWindow() {
  static char sWindow;
  return reinterpret_cast<OpaqueWindowPtr*>(&sWindow);
}

// Renders theFrames stereo frames through the core, as the device would pull them.
inline std::vector<int16_t> Render(int theFrames) {
  std::vector<int16_t> aOut(static_cast<size_t>(theFrames) * 2);
  Tesk::AudioCore::Get().Render(aOut.data(), theFrames);
  return aOut;
}

inline std::vector<int16_t> Left(const std::vector<int16_t>& theStereo) {
  std::vector<int16_t> aOut;
  for (size_t i = 0; i < theStereo.size(); i += 2) aOut.push_back(theStereo[i]);
  return aOut;
}

inline std::vector<int16_t> Right(const std::vector<int16_t>& theStereo) {
  std::vector<int16_t> aOut;
  for (size_t i = 1; i < theStereo.size(); i += 2) aOut.push_back(theStereo[i]);
  return aOut;
}

class SoundFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    Tesk::AudioCore::Get().SetDeviceWanted(false);
    mDir = TeskTest::MakeTempDir("sound");
    mManager = std::make_unique<Tesk::DSoundManager>(FakeWindow(), false);
  }
  void TearDown() override { mManager.reset(); }

  // Writes theBytes as <dir>/<theName> and returns the path without its extension.
  std::string Fixture(const std::string& theName, const std::string& theBytes) {
    const std::string aPath = mDir + "/" + theName;
    EXPECT_TRUE(TeskTest::WriteFile(aPath, theBytes));
    return aPath.substr(0, aPath.rfind('.'));
  }

  // Loads 16-bit samples as a WAV into theId.
  void LoadSamples(unsigned theId, const std::vector<int16_t>& theSamples, int theChannels, int theRate) {
    const std::string aName = "s" + std::to_string(theId) + ".wav";
    const std::string aPath = Fixture(
        aName,
        TeskTools::SoundWriter::Wav(TeskTools::SoundWriter::Bytes16(theSamples), theChannels, theRate, 16));
    ASSERT_TRUE(mManager->LoadSound(theId, aPath));
  }

  std::string mDir;
  std::unique_ptr<Tesk::DSoundManager> mManager;
};

}  // namespace SoundTest

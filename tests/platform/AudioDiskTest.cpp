// End to end through SDL's disk audio driver: what the device receives is read back from the
// file the driver writes. Also: no audio device at all.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "SoundWriter.h"
#include "platform/audio/dylib/AudioCore.h"
#include "sound/BassMusicInterface.h"
#include "sound/DSoundManager.h"
#include "sound/SoundInstance.h"
#include "support/TestTemp.h"

using TeskTools::SoundWriter;

// Opening the audio system may load the desktop bus library, which keeps a buffer for the
// life of the process; that is not ours to free.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }

namespace {

OpaqueWindowPtr* FakeWindow() {
  static char sWindow;
  return reinterpret_cast<OpaqueWindowPtr*>(&sWindow);
}

struct Capture {
  std::vector<int16_t> mLeft;
  std::vector<int16_t> mRight;
};

Capture ReadCapture(const std::string& thePath) {
  const std::string aBytes = TeskTest::ReadFile(thePath);
  Capture aCapture;
  for (size_t i = 0; i + 3 < aBytes.size(); i += 4) {
    auto aSample = [&](size_t k) {
      return static_cast<int16_t>(static_cast<uint8_t>(aBytes[k]) |
                                  (static_cast<uint8_t>(aBytes[k + 1]) << 8));
    };
    aCapture.mLeft.push_back(aSample(i));
    aCapture.mRight.push_back(aSample(i + 2));
  }
  return aCapture;
}

int Onset(const std::vector<int16_t>& theSamples, int theThreshold) {
  for (size_t i = 0; i < theSamples.size(); ++i) {
    if (std::abs(static_cast<int>(theSamples[i])) > theThreshold) return static_cast<int>(i);
  }
  return -1;
}

double Rms(const std::vector<int16_t>& theSamples, int theStart, int theCount) {
  double aSum = 0;
  for (int i = theStart; i < theStart + theCount; ++i)
    aSum += static_cast<double>(theSamples[i]) * theSamples[i];
  return std::sqrt(aSum / theCount);
}

double Frequency(const std::vector<int16_t>& theSamples, int theStart, int theCount) {
  int aCrossings = 0;
  for (int i = theStart + 1; i < theStart + theCount; ++i) {
    if ((theSamples[i - 1] < 0) != (theSamples[i] < 0)) ++aCrossings;
  }
  return aCrossings / 2.0 * 44100.0 / theCount;
}

void Wait(int theMilliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(theMilliseconds)); }

class AudioDisk : public ::testing::Test {
 protected:
  void SetUp() override {
    mDir = TeskTest::MakeTempDir("audio-disk");
    mCapture = mDir + "/capture.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIOFILE", mCapture.c_str(), 1);
    Tesk::AudioCore::Get().SetDeviceWanted(true);
  }
  void TearDown() override {
    unsetenv("SDL_DISKAUDIOFILE");
    setenv("SDL_AUDIODRIVER", "dummy", 1);
  }

  static void Wait(int theMilliseconds) {
    std::this_thread::sleep_for(std::chrono::milliseconds(theMilliseconds));
  }

  std::string mDir;
  std::string mCapture;
};

TEST_F(AudioDisk, ASoundEffectReachesTheDeviceWithItsLevelAndBalance) {
  const int kFrames = 11025;  // a quarter second
  const std::vector<int16_t> aTone = SoundWriter::Tone(441, kFrames, 1, 44100, 16000);
  const std::string aPath = mDir + "/tone";
  ASSERT_TRUE(
      TeskTest::WriteFile(aPath + ".wav", SoundWriter::Wav(SoundWriter::Bytes16(aTone), 1, 44100, 16)));
  {
    Tesk::DSoundManager aManager(FakeWindow(), false);
    ASSERT_TRUE(Tesk::AudioCore::Get().HasDevice());
    ASSERT_TRUE(aManager.LoadSound(1, aPath));
    Tesk::SoundInstance* aInstance = aManager.GetSoundInstance(1);
    ASSERT_NE(aInstance, nullptr);
    aInstance->SetPan(-5000);  // left 192, right 64 of 256
    Wait(100);
    ASSERT_TRUE(aInstance->Play(false, true));
    // The driver plays in real time; a loaded machine may take longer.
    for (int i = 0; i < 100 && !aInstance->IsReleased(); ++i) Wait(50);
    EXPECT_TRUE(aInstance->IsReleased());
    Wait(100);
  }
  EXPECT_FALSE(Tesk::AudioCore::Get().HasDevice());

  const Capture aCapture = ReadCapture(mCapture);
  const int aOnset = Onset(aCapture.mLeft, 0);
  ASSERT_GT(aOnset, 0) << "silence before the sound";
  ASSERT_LT(aOnset + kFrames, static_cast<int>(aCapture.mLeft.size()));
  // The tone arrives whole from its first sample: the first non-zero frame is the tone's second.
  for (int i = 0; i < 64; ++i) {
    ASSERT_EQ(aCapture.mLeft[aOnset + i], aTone[i + 1] * 192 / 256) << i;
    ASSERT_EQ(aCapture.mRight[aOnset + i], aTone[i + 1] * 64 / 256) << i;
  }
  const double aLeft = Rms(aCapture.mLeft, aOnset, kFrames - 2);
  const double aRight = Rms(aCapture.mRight, aOnset, kFrames - 2);
  EXPECT_NEAR(aLeft, 16000 / std::sqrt(2.0) * 0.75, 16000 / std::sqrt(2.0) * 0.75 * 0.03);
  EXPECT_NEAR(aLeft / aRight, 3.0, 0.09);
  EXPECT_NEAR(Frequency(aCapture.mLeft, aOnset, kFrames - 2), 441.0, 441.0 * 0.02);
  // And it ends: nothing after the quarter second.
  EXPECT_EQ(Onset(std::vector<int16_t>(aCapture.mLeft.begin() + aOnset + kFrames, aCapture.mLeft.end()), 0),
            -1);
}

TEST_F(AudioDisk, ASongReachesTheDeviceThroughTheMusicLibrary) {
  const int kFrames = 22050;
  const std::vector<int16_t> aTone = SoundWriter::Tone(441, kFrames, 2, 44100, 16000);
  const std::string aPath = mDir + "/song.ogg";
  ASSERT_TRUE(TeskTest::WriteFile(aPath, SoundWriter::Ogg(aTone, 2, 44100)));
  {
    Tesk::BassMusicInterface aMusic(FakeWindow());
    ASSERT_TRUE(aMusic.HasLibrary());
    ASSERT_TRUE(Tesk::AudioCore::Get().HasDevice());
    ASSERT_TRUE(aMusic.LoadMusic(1, aPath));
    aMusic.SetVolume(0.5);
    Wait(100);
    aMusic.PlayMusic(1, 0, true);
    EXPECT_TRUE(aMusic.IsPlaying(1));
    for (int i = 0; i < 100 && aMusic.IsPlaying(1); ++i) Wait(50);
    EXPECT_FALSE(aMusic.IsPlaying(1));
    Wait(100);
  }
  const Capture aCapture = ReadCapture(mCapture);
  const int aOnset = Onset(aCapture.mLeft, 200);
  ASSERT_GT(aOnset, 0);
  ASSERT_LT(aOnset + kFrames, static_cast<int>(aCapture.mLeft.size()));
  const int aStart = aOnset + 2000;
  const int aCount = kFrames - 6000;
  const double aExpected = 16000 / std::sqrt(2.0) * 0.5;
  const double aLeft = Rms(aCapture.mLeft, aStart, aCount);
  const double aRight = Rms(aCapture.mRight, aStart, aCount);
  EXPECT_NEAR(aLeft, aExpected, aExpected * 0.03);
  EXPECT_NEAR(aLeft / aRight, 1.0, 0.03);
  EXPECT_NEAR(Frequency(aCapture.mLeft, aStart, aCount), 441.0, 441.0 * 0.02);
}

TEST(AudioThreads, LoadingOnOneThreadWhilePlayingOnAnotherAndTheDeviceMixing) {
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  Tesk::AudioCore::Get().SetDeviceWanted(true);
  const std::string aDir = TeskTest::MakeTempDir("audio-threads");
  const std::vector<int16_t> aTone = SoundWriter::Tone(441, 441, 1, 22050, 8000);
  ASSERT_TRUE(
      TeskTest::WriteFile(aDir + "/tone.wav", SoundWriter::Wav(SoundWriter::Bytes16(aTone), 1, 22050, 16)));
  Tesk::DSoundManager aManager(FakeWindow(), false);
  ASSERT_TRUE(aManager.LoadSound(0, aDir + "/tone"));
  // Like the loading thread: samples arrive while the game plays others.
  std::thread aLoader([&] {
    for (unsigned aId = 1; aId < 60; ++aId) EXPECT_TRUE(aManager.LoadSound(aId, aDir + "/tone"));
  });
  for (int i = 0; i < 300; ++i) {
    if (Tesk::SoundInstance* aInstance = aManager.GetSoundInstance(0)) {
      aInstance->SetPan(i * 50 - 7500);
      aInstance->Play(i % 3 == 0, true);
      if (i % 5 == 0) aInstance->Stop();
    }
    if (i % 50 == 0) aManager.StopAllSounds();
    Wait(1);
  }
  aLoader.join();
  EXPECT_EQ(aManager.GetNumSounds(), 60);
}

TEST(AudioWithoutDevice, SoundAndMusicRunOnSilently) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  Tesk::AudioCore::Get().SetDeviceWanted(true);
  const std::string aDir = TeskTest::MakeTempDir("audio-none");
  const std::vector<int16_t> aTone = SoundWriter::Tone(441, 4410, 1, 44100, 16000);
  ASSERT_TRUE(
      TeskTest::WriteFile(aDir + "/tone.wav", SoundWriter::Wav(SoundWriter::Bytes16(aTone), 1, 44100, 16)));
  ASSERT_TRUE(TeskTest::WriteFile(aDir + "/song.ogg", SoundWriter::Ogg(aTone, 1, 44100)));
  {
    Tesk::DSoundManager aManager(FakeWindow(), false);
    Tesk::BassMusicInterface aMusic(FakeWindow());
    EXPECT_FALSE(Tesk::AudioCore::Get().HasDevice());
    ASSERT_TRUE(aManager.LoadSound(1, aDir + "/tone"));
    Tesk::SoundInstance* aInstance = aManager.GetSoundInstance(1);
    ASSERT_NE(aInstance, nullptr);
    EXPECT_TRUE(aInstance->Play(false, true));
    ASSERT_TRUE(aMusic.LoadMusic(1, aDir + "/song.ogg"));
    aMusic.FadeIn(1, 0, 0.1, false);
    for (int i = 0; i < 20; ++i) aMusic.Update();
    aMusic.StopAllMusic();
  }
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

}  // namespace

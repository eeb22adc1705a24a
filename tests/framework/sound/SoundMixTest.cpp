// Exact samples through the mixer: the volume and pan law, formats, pitch, looping, stopping,
// automatic release and the channel limit.
#include <cstring>

#include "SoundTestSupport.h"
#include "sound/DSoundInstance.h"
#include "sound/SoundInstance.h"
#include "sound/macDirectSoundBuffer.h"

using SoundTest::Left;
using SoundTest::Render;
using SoundTest::Right;
using Tesk::SoundInstance;

namespace {

class SoundMix : public SoundTest::SoundFixture {
 protected:
  // A constant mono sample: every output frame shows the levels directly.
  void LoadConstant(unsigned theId, int16_t theValue, int theFrames = 2000) {
    LoadSamples(theId, std::vector<int16_t>(theFrames, theValue), 1, 44100);
  }
};

TEST_F(SoundMix, VolumeIsLinearInHundredthsOfADecibelAndClamped) {
  struct Case {
    double mEffect;
    double mBase;
    double mVolume;
    int mLevel;  // of 256
  };
  const Case kCases[] = {
      {1.0, 1.0, 1.0, 256}, {0.35, 1.0, 1.0, 89}, {1.0, 0.5, 1.0, 128},
      {0.5, 1.0, 0.5, 64},  {0.0, 1.0, 1.0, 0},   {1.0, 1.0, 1.6, 256},  // louder than full stays full
      {1.0, 1.0, -0.4, 0},                                               // negative is silence, not a wrap
      {2.5, 1.0, 0.3, 192}, {2.5, 1.0, 0.6, 256},
  };
  LoadConstant(1, 10000);
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.mEffect << " x " << c.mBase << " x " << c.mVolume);
    mManager->SetVolume(c.mEffect);
    mManager->SetBaseVolume(1, c.mBase);
    SoundInstance* aInstance = mManager->GetSoundInstance(1);
    ASSERT_NE(aInstance, nullptr);
    aInstance->SetVolume(c.mVolume);
    ASSERT_TRUE(aInstance->Play(false, false));
    const std::vector<int16_t> aOut = Render(4);
    for (int16_t aSample : aOut) EXPECT_EQ(aSample, 10000 * c.mLevel / 256);
    aInstance->Release();
  }
}

TEST_F(SoundMix, PanSharesOutTheVolume) {
  struct Case {
    int mBasePan;
    int mPan;
    double mVolume;
    int mLeft;
    int mRight;
  };
  const Case kCases[] = {
      {0, 0, 1.0, 256, 256},    {0, -10000, 1.0, 256, 0},  {0, 10000, 1.0, 0, 256},
      {0, 5000, 1.0, 64, 192},  {0, -5000, 1.0, 192, 64},  {0, -10000, 0.5, 128, 0},  // still scaled
      {0, 10000, 0.0, 0, 0},    {6000, 6000, 1.0, 0, 256}, {0, 30000, 1.0, 0, 256},   // clamped, no wrap
      {0, -30000, 0.35, 89, 0},
  };
  LoadConstant(2, 8192);
  for (const Case& c : kCases) {
    SCOPED_TRACE(testing::Message() << c.mBasePan << " + " << c.mPan << " at " << c.mVolume);
    mManager->SetBasePan(2, c.mBasePan);
    SoundInstance* aInstance = mManager->GetSoundInstance(2);
    ASSERT_NE(aInstance, nullptr);
    aInstance->SetVolume(c.mVolume);
    aInstance->SetPan(c.mPan);
    ASSERT_TRUE(aInstance->Play(false, false));
    const std::vector<int16_t> aOut = Render(3);
    EXPECT_EQ(aOut[0], 8192 * c.mLeft / 256);
    EXPECT_EQ(aOut[1], 8192 * c.mRight / 256);
    aInstance->Release();
  }
}

TEST_F(SoundMix, PanIsHeardFromTheNextPlayOrVolumeChange) {
  LoadConstant(3, 4096);
  SoundInstance* aInstance = mManager->GetSoundInstance(3);
  aInstance->Play(true, false);
  aInstance->SetPan(-10000);
  std::vector<int16_t> aOut = Render(2);
  EXPECT_EQ(aOut[0], 4096);
  EXPECT_EQ(aOut[1], 4096);
  aInstance->SetVolume(1.0);
  aOut = Render(2);
  EXPECT_EQ(aOut[0], 4096);
  EXPECT_EQ(aOut[1], 0);
  aInstance->SetPan(0);
  aInstance->SetVolume(1.0);
  aOut = Render(2);
  EXPECT_EQ(aOut[1], 4096);
}

TEST_F(SoundMix, EightAndSixteenBitMonoAndStereoPlayExactly) {
  struct Case {
    const char* mName;
    int mChannels;
    int mBits;
    std::vector<uint8_t> mBytes;
    std::vector<int16_t> mExpected;  // stereo frames
  };
  const Case kCases[] = {
      {"8-bit mono", 1, 8, {0x80, 0xC8, 0x00, 0xFF}, {0, 0, 18432, 18432, -32768, -32768, 32512, 32512}},
      {"8-bit stereo", 2, 8, {0x90, 0x70, 0x81, 0x7F}, {4096, -4096, 256, -256}},
      {"16-bit mono", 1, 16, {0x10, 0x27, 0xF0, 0xD8}, {10000, 10000, -10000, -10000}},
      {"16-bit stereo",
       2,
       16,
       {0xE8, 0x03, 0x30, 0xF8, 0xFF, 0x7F, 0x00, 0x80},
       {1000, -2000, 32767, -32768}},
  };
  unsigned aId = 10;
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    const std::string aPath = Fixture(std::string("fmt") + std::to_string(aId) + ".wav",
                                      TeskTools::SoundWriter::Wav(c.mBytes, c.mChannels, 44100, c.mBits));
    ASSERT_TRUE(mManager->LoadSound(aId, aPath));
    SoundInstance* aInstance = mManager->GetSoundInstance(aId);
    ASSERT_TRUE(aInstance->Play(false, false));
    const int aFrames = static_cast<int>(c.mExpected.size() / 2);
    std::vector<int16_t> aOut = Render(aFrames + 2);
    for (size_t i = 0; i < c.mExpected.size(); ++i) EXPECT_EQ(aOut[i], c.mExpected[i]) << "at " << i;
    EXPECT_EQ(aOut[aFrames * 2], 0);  // then silence
    EXPECT_FALSE(aInstance->IsPlaying());
    ++aId;
  }
}

TEST_F(SoundMix, RatesAreConvertedAndPitchMovesBySemitones) {
  std::vector<int16_t> aRamp(200);
  for (size_t i = 0; i < aRamp.size(); ++i) aRamp[i] = static_cast<int16_t>(i * 100);
  LoadSamples(20, aRamp, 1, 22050);

  // At half the output rate every other output frame falls halfway between two samples.
  SoundInstance* aInstance = mManager->GetSoundInstance(20);
  aInstance->Play(false, false);
  std::vector<int16_t> aOut = Left(Render(8));
  const std::vector<int16_t> kHalfSpeed = {0, 50, 100, 150, 200, 250, 300, 350};
  EXPECT_EQ(aOut, kHalfSpeed);

  // Twelve semitones up doubles the rate: 22050 Hz plays sample for sample at 44100.
  aInstance->AdjustPitch(12);
  aInstance->Play(false, false);
  aOut = Left(Render(8));
  const std::vector<int16_t> kSameSpeed = {0, 100, 200, 300, 400, 500, 600, 700};
  EXPECT_EQ(aOut, kSameSpeed);
  aInstance->Release();

  // Pitch changes stay on the channel's rate multiplier; the base frequency is the buffer's.
  SoundInstance* aLow = mManager->GetSoundInstance(20);
  aLow->Play(false, false);
  aLow->AdjustPitch(-100);  // clamped to 100 Hz: 100/44100 of a sample per frame
  aOut = Left(Render(4));
  EXPECT_EQ(aOut[0], 0);
  EXPECT_GE(aOut[3], 0);
  EXPECT_LE(aOut[3], 1);
}

TEST_F(SoundMix, LoopingIsSeamlessAndBusyThroughout) {
  std::vector<int16_t> aRamp(100);
  for (size_t i = 0; i < aRamp.size(); ++i) aRamp[i] = static_cast<int16_t>(i * 10 + 1);
  LoadSamples(21, aRamp, 1, 44100);
  SoundInstance* aInstance = mManager->GetSoundInstance(21);
  auto* aDs = static_cast<Tesk::DSoundInstance*>(aInstance);
  ASSERT_TRUE(aInstance->Play(true, false));
  for (int aBlock = 0; aBlock < 7; ++aBlock) {
    const std::vector<int16_t> aOut = Left(Render(57));  // blocks that straddle the loop point
    for (int i = 0; i < 57; ++i)
      ASSERT_EQ(aOut[i], aRamp[(aBlock * 57 + i) % 100]) << "block " << aBlock << " frame " << i;
    EXPECT_TRUE(aInstance->IsPlaying());
    uint32_t aStatus = 0;
    aDs->GetOwnBuffer()->GetStatus(&aStatus);
    EXPECT_EQ(aStatus, 5u);
  }
  aInstance->Stop();
  EXPECT_FALSE(aInstance->IsPlaying());
  const std::vector<int16_t> aOut = Render(300);
  for (int16_t aSample : aOut) ASSERT_EQ(aSample, 0);
  EXPECT_FALSE(aInstance->IsReleased());  // Stop clears auto-release; only Release ends it
}

TEST_F(SoundMix, PlayRestartsFromTheBeginning) {
  std::vector<int16_t> aRamp(50);
  for (size_t i = 0; i < aRamp.size(); ++i) aRamp[i] = static_cast<int16_t>(i + 1);
  LoadSamples(22, aRamp, 1, 44100);
  SoundInstance* aInstance = mManager->GetSoundInstance(22);
  aInstance->Play(false, false);
  Render(20);
  aInstance->Play(false, false);
  EXPECT_EQ(Left(Render(1))[0], 1);
}

TEST_F(SoundMix, PlayedOnceWithAutoReleaseGivesItsChannelBack) {
  LoadConstant(23, 1000, 64);
  SoundInstance* aInstance = mManager->GetSoundInstance(23);
  ASSERT_TRUE(aInstance->Play(false, true));
  EXPECT_TRUE(aInstance->IsPlaying());
  EXPECT_FALSE(aInstance->IsReleased());
  Render(63);
  EXPECT_FALSE(aInstance->IsReleased());
  Render(1);
  EXPECT_FALSE(aInstance->IsPlaying());
  EXPECT_TRUE(aInstance->IsReleased());
}

TEST_F(SoundMix, ThirtyTwoChannelsAndTheThirtyThirdIsRefused) {
  LoadConstant(24, 100);
  std::vector<SoundInstance*> aInstances;
  for (int i = 0; i < 32; ++i) {
    SoundInstance* aInstance = mManager->GetSoundInstance(24);
    ASSERT_NE(aInstance, nullptr) << i;
    aInstance->Play(true, false);
    aInstances.push_back(aInstance);
  }
  EXPECT_EQ(mManager->GetSoundInstance(24), nullptr);
  const std::vector<int16_t> aOut = Render(10);
  for (int16_t aSample : aOut) EXPECT_EQ(aSample, 3200);

  // A released channel is taken by the next request.
  aInstances[7]->Release();
  EXPECT_NE(mManager->GetSoundInstance(24), nullptr);
  EXPECT_EQ(mManager->GetSoundInstance(24), nullptr);
}

TEST_F(SoundMix, SumsSaturateInsteadOfWrapping) {
  LoadConstant(25, 30000);
  for (int i = 0; i < 3; ++i) mManager->GetSoundInstance(25)->Play(true, false);
  for (int16_t aSample : Render(4)) EXPECT_EQ(aSample, 32767);
}

TEST_F(SoundMix, EffectVolumeReachesInstancesAlreadyPlaying) {
  LoadConstant(26, 10000);
  SoundInstance* aInstance = mManager->GetSoundInstance(26);
  aInstance->Play(true, false);
  mManager->SetVolume(0.5);
  EXPECT_EQ(Render(1)[0], 5000);
}

TEST_F(SoundMix, StopAllSoundsKeepsAutoRelease) {
  LoadConstant(27, 10000);
  SoundInstance* aOnce = mManager->GetSoundInstance(27);
  SoundInstance* aHeld = mManager->GetSoundInstance(27);
  aOnce->Play(true, true);
  aHeld->Play(true, false);
  mManager->StopAllSounds();
  for (int16_t aSample : Render(16)) EXPECT_EQ(aSample, 0);
  EXPECT_TRUE(aOnce->IsReleased());
  EXPECT_FALSE(aHeld->IsReleased());
}

TEST_F(SoundMix, ReleasingASoundDoesNotPullItsSamplesFromUnderPlayingCopies) {
  LoadConstant(28, 7000, 500);
  SoundInstance* aInstance = mManager->GetSoundInstance(28);
  aInstance->Play(true, false);
  Render(10);
  mManager->ReleaseSound(28);  // a resource group deleted while its sound still rings
  EXPECT_EQ(mManager->GetNumSounds(), 0);
  for (int16_t aSample : Render(1200)) ASSERT_EQ(aSample, 7000);
  // Loading another sample into the id does not disturb the copy either.
  LoadConstant(28, 1);
  for (int16_t aSample : Render(10)) ASSERT_EQ(aSample, 7000);
}

TEST_F(SoundMix, AChannelVolumeOfMinusTenThousandIsSilentAndZeroIsFull) {
  LoadConstant(29, 10000);
  auto* aInstance = static_cast<Tesk::DSoundInstance*>(mManager->GetSoundInstance(29));
  Tesk::macDirectSoundBuffer* aBuffer = aInstance->GetOwnBuffer();
  aBuffer->SetVolume(-10000);
  EXPECT_EQ(aBuffer->GetLevels(), 0u);
  aBuffer->SetVolume(0);
  EXPECT_EQ(aBuffer->GetLevels(), (256u << 16) | 256u);
  aBuffer->SetVolume(-5000);
  EXPECT_EQ(aBuffer->GetLevels(), (128u << 16) | 128u);
}

TEST(SoundManagerWithoutWindow, LoadsNothingAndHandsOutSilentInstances) {
  Tesk::AudioCore::Get().SetDeviceWanted(false);
  Tesk::DSoundManager aManager(nullptr, false);
  EXPECT_FALSE(aManager.Initialized());
  EXPECT_TRUE(aManager.LoadSound(3, "/nowhere/at/all"));
  EXPECT_EQ(aManager.GetNumSounds(), 0);
  SoundInstance* aInstance = aManager.GetSoundInstance(3);
  ASSERT_NE(aInstance, nullptr);
  EXPECT_FALSE(aInstance->Play(false, true));
  EXPECT_FALSE(aInstance->IsPlaying());
  aInstance->SetVolume(0.5);
  aInstance->SetPan(100);
  aInstance->AdjustPitch(3);
  EXPECT_EQ(aManager.GetSoundInstance(300), nullptr);
  // Each sound still takes an id of its own, so callers can tell them apart.
  EXPECT_NE(aManager.GetFreeSoundId(), 3);
  const int aFirst = aManager.GetFreeSoundId();
  EXPECT_TRUE(aManager.LoadSound(aFirst, "/nowhere/first"));
  EXPECT_NE(aManager.GetFreeSoundId(), aFirst);
  EXPECT_EQ(aManager.LoadSound("/nowhere/first"), aFirst);
  aManager.ReleaseSound(aFirst);
  EXPECT_EQ(aManager.GetFreeSoundId(), aFirst);
}

TEST(SoundManagerVolume, VolumeToDBTruncatesTowardZero) {
  EXPECT_EQ(Tesk::DSoundManager::VolumeToDB(1.0), 0);
  EXPECT_EQ(Tesk::DSoundManager::VolumeToDB(0.5), -5000);
  EXPECT_EQ(Tesk::DSoundManager::VolumeToDB(0.0), -10000);
  EXPECT_EQ(Tesk::DSoundManager::VolumeToDB(0.33333), -6666);
}

}  // namespace

// The Sound Manager channels of the stand-in, driven by commands and rendered by the core.
#include <gtest/gtest.h>

#include <vector>

#include "platform/audio/dylib/AudioCore.h"
#include "platform/soundmanager/Sound.h"

namespace {

std::vector<int16_t> RenderLeft(int theFrames) {
  std::vector<int16_t> aOut(static_cast<size_t>(theFrames) * 2);
  Tesk::AudioCore::Get().Render(aOut.data(), theFrames);
  std::vector<int16_t> aLeft;
  for (int i = 0; i < theFrames; ++i) aLeft.push_back(aOut[i * 2]);
  return aLeft;
}

struct Sample {
  std::vector<int16_t> mFrames;
  ExtSoundHeader mHeader{};

  Sample(int theCount, int16_t theFirst) {
    for (int i = 0; i < theCount; ++i) mFrames.push_back(static_cast<int16_t>(theFirst + i));
    mHeader.samplePtr = reinterpret_cast<uint8_t*>(mFrames.data());
    mHeader.numChannels = 1;
    mHeader.numFrames = static_cast<uint32_t>(theCount);
    mHeader.sampleSize = 16;
    mHeader.encode = extSH;
    const double aRate = 44100;
    dtox80(&aRate, &mHeader.AIFFSampleRate);
  }
  SndCommand Buffer() { return SndCommand{bufferCmd, 0, reinterpret_cast<intptr_t>(&mHeader)}; }
};

struct CallBackLog {
  int mCalls = 0;
  int16_t mParam1 = 0;
  intptr_t mParam2 = 0;
};
CallBackLog gLog;

void LogCallBack(SndChannel*, SndCommand* theCommand) {
  ++gLog.mCalls;
  gLog.mParam1 = theCommand->param1;
  gLog.mParam2 = theCommand->param2;
}

class SoundManagerChannel : public ::testing::Test {
 protected:
  void SetUp() override {
    Tesk::AudioCore::Get().SetDeviceWanted(false);
    gLog = CallBackLog();
    ASSERT_EQ(SndNewChannel(&mChannel, sampledSynth, initStereo, NewSndCallBackUPP(&LogCallBack)), 0);
  }
  void TearDown() override { SndDisposeChannel(mChannel, true); }

  bool Busy() {
    SCStatus aStatus{};
    EXPECT_EQ(SndChannelStatus(mChannel, sizeof(aStatus), &aStatus), 0);
    return aStatus.scChannelBusy != 0;
  }

  SndChannel* mChannel = nullptr;
};

TEST_F(SoundManagerChannel, ImmediateCommandsTakeEffectBeforeReturning) {
  Sample aSample(10, 100);
  const SndCommand aBuffer = aSample.Buffer();
  SndDoImmediate(mChannel, &aBuffer);
  EXPECT_TRUE(Busy());
  const SndCommand aQuiet{quietCmd, 0, 0};
  SndDoImmediate(mChannel, &aQuiet);
  EXPECT_FALSE(Busy());
  EXPECT_EQ(RenderLeft(2), (std::vector<int16_t>{0, 0}));
}

TEST_F(SoundManagerChannel, QueuedCallBackRunsAtTheExactEndOfTheSound) {
  Sample aSample(5, 1);
  const SndCommand aBuffer = aSample.Buffer();
  SndDoImmediate(mChannel, &aBuffer);
  const SndCommand aCallBack{callBackCmd, 7, 1234};
  SndDoCommand(mChannel, &aCallBack, false);
  EXPECT_EQ(gLog.mCalls, 0);
  RenderLeft(4);
  EXPECT_EQ(gLog.mCalls, 0);
  RenderLeft(2);
  EXPECT_EQ(gLog.mCalls, 1);
  EXPECT_EQ(gLog.mParam1, 7);
  EXPECT_EQ(gLog.mParam2, 1234);
}

TEST_F(SoundManagerChannel, CallBacksNeverRunInsideDoCommand) {
  const SndCommand aCallBack{callBackCmd, 1, 0};
  SndDoCommand(mChannel, &aCallBack, false);  // idle channel
  EXPECT_EQ(gLog.mCalls, 0);
  RenderLeft(1);
  EXPECT_EQ(gLog.mCalls, 1);
}

TEST_F(SoundManagerChannel, QueuedSoundsFollowEachOtherWithoutAGap) {
  Sample aFirst(3, 10);
  Sample aSecond(3, 20);
  const SndCommand aOne = aFirst.Buffer();
  const SndCommand aTwo = aSecond.Buffer();
  SndDoImmediate(mChannel, &aOne);
  SndDoCommand(mChannel, &aTwo, false);
  EXPECT_EQ(RenderLeft(7), (std::vector<int16_t>{10, 11, 12, 20, 21, 22, 0}));
}

TEST_F(SoundManagerChannel, FlushDropsQueuedCommands) {
  Sample aFirst(3, 10);
  Sample aSecond(3, 20);
  const SndCommand aOne = aFirst.Buffer();
  const SndCommand aTwo = aSecond.Buffer();
  SndDoImmediate(mChannel, &aOne);
  SndDoCommand(mChannel, &aTwo, false);
  const SndCommand aFlush{flushCmd, 0, 0};
  SndDoImmediate(mChannel, &aFlush);
  EXPECT_EQ(RenderLeft(5), (std::vector<int16_t>{10, 11, 12, 0, 0}));
}

// A looping callback on a sound without frames would otherwise run forever within one render.
void ReplayEmpty(SndChannel* theChannel, SndCommand* theCommand) {
  ++gLog.mCalls;
  const SndCommand aBuffer{bufferCmd, 0, theCommand->param2};
  SndDoImmediate(theChannel, &aBuffer);
  const SndCommand aAgain{callBackCmd, 1, theCommand->param2};
  SndDoCommand(theChannel, &aAgain, false);
}

TEST_F(SoundManagerChannel, AnEmptyLoopRunsItsCallBackOncePerBlock) {
  Sample aEmpty(0, 0);
  mChannel->callBack = &ReplayEmpty;
  const SndCommand aCallBack{callBackCmd, 1, reinterpret_cast<intptr_t>(&aEmpty.mHeader)};
  SndDoCommand(mChannel, &aCallBack, false);
  RenderLeft(256);
  EXPECT_EQ(gLog.mCalls, 1);
  RenderLeft(256);
  EXPECT_EQ(gLog.mCalls, 2);
  const SndCommand aFlush{flushCmd, 0, 0};
  SndDoImmediate(mChannel, &aFlush);
}

TEST_F(SoundManagerChannel, LevelsAndRateMultiplierPersistAcrossSounds) {
  Sample aSample(8, 1000);
  const SndCommand aVolume{volumeCmd, 0, (64 << 16) | 128};
  SndDoImmediate(mChannel, &aVolume);
  const SndCommand aRate{rateMultiplierCmd, 0, 0x20000};
  SndDoImmediate(mChannel, &aRate);
  const SndCommand aBuffer = aSample.Buffer();
  SndDoImmediate(mChannel, &aBuffer);
  std::vector<int16_t> aOut(8);
  Tesk::AudioCore::Get().Render(aOut.data(), 4);
  EXPECT_EQ(aOut, (std::vector<int16_t>{500, 250, 501, 250, 502, 251, 503, 251}));
}

TEST(SoundManagerExtended, RatesSurviveTheEightyBitRoundTrip) {
  for (double aRate : {8000.0, 11025.0, 22254.54545, 44100.0, 96000.0, 0.0}) {
    extended80 aValue;
    dtox80(&aRate, &aValue);
    EXPECT_DOUBLE_EQ(x80tod(&aValue), aRate);
  }
  const double k44100 = 44100;
  extended80 aValue;
  dtox80(&k44100, &aValue);
  const uint8_t kExpected[10] = {0x40, 0x0E, 0xAC, 0x44, 0, 0, 0, 0, 0, 0};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(aValue.bytes[i], kExpected[i]) << i;
}

}  // namespace

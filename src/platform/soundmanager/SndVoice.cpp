#include "platform/soundmanager/SndVoice.h"

#include <cmath>
#include <cstring>

#include "platform/audio/dylib/AudioCore.h"

namespace Tesk {

namespace {

template <int Bits>
inline int32_t ReadSample(const uint8_t* theData, uint32_t theIndex);

template <>
inline int32_t ReadSample<16>(const uint8_t* theData, uint32_t theIndex) {
  const uint8_t* aBytes = theData + theIndex * 2;
  return static_cast<int16_t>(static_cast<uint16_t>(aBytes[0] | (aBytes[1] << 8)));
}

template <>
inline int32_t ReadSample<8>(const uint8_t* theData, uint32_t theIndex) {
  return (static_cast<int32_t>(theData[theIndex]) - 128) * 256;
}

}  // namespace

SndVoice::SndVoice(SndChannel* theChannel) : mChannel(theChannel) {}

void SndVoice::StartSound(const ExtSoundHeader* theHeader) {
  mBusy = false;
  mPosition = 0;
  if (theHeader == nullptr) return;
  mData = theHeader->samplePtr;
  mChannels = static_cast<int>(theHeader->numChannels);
  mBits = theHeader->sampleSize;
  mFrames = theHeader->numFrames;
  mRate = x80tod(&theHeader->AIFFSampleRate);
  if (!(mRate > 0.0)) mRate = theHeader->sampleRate / 65536.0;
  UpdateStep();
  const bool aPlayable =
      mData != nullptr && mFrames > 0 && (mChannels == 1 || mChannels == 2) && (mBits == 8 || mBits == 16);
  mBusy = aPlayable;
}

void SndVoice::UpdateStep() {
  const double aStep = mRate * (mRateMultiplier / 65536.0) / AudioCore::k_OutputRate;
  mStep = static_cast<uint64_t>(std::llround(aStep * 4294967296.0));
}

void SndVoice::DoImmediate(const SndCommand& theCommand) {
  switch (theCommand.cmd) {
    case bufferCmd:
      StartSound(reinterpret_cast<const ExtSoundHeader*>(theCommand.param2));
      break;
    case volumeCmd:
      mLeft = static_cast<int32_t>(theCommand.param2 & 0xFFFF);
      mRight = static_cast<int32_t>((theCommand.param2 >> 16) & 0xFFFF);
      break;
    case rateMultiplierCmd:
      mRateMultiplier = static_cast<uint32_t>(theCommand.param2);
      UpdateStep();
      break;
    case flushCmd:
      mQueueHead = 0;
      mQueueCount = 0;
      break;
    case quietCmd:
      mBusy = false;
      break;
    case callBackCmd:
      if (mChannel->callBack != nullptr) {
        SndCommand aCopy = theCommand;
        mChannel->callBack(mChannel, &aCopy);
      }
      break;
    default:
      break;
  }
}

OSErr SndVoice::DoCommand(const SndCommand& theCommand) {
  if (mQueueCount == k_QueueSize) return queueFull;
  mQueue[(mQueueHead + mQueueCount) % k_QueueSize] = theCommand;
  ++mQueueCount;
  // An idle channel takes the command at once, except that callbacks are left for the mixer.
  if (!mBusy) RunQueue(false);
  return 0;
}

bool SndVoice::RunQueue(bool theMayCallBack) {
  bool aCalledBack = false;
  while (!mBusy && mQueueCount > 0) {
    const SndCommand aCommand = mQueue[mQueueHead];
    if (aCommand.cmd == callBackCmd) {
      // One callback per output frame, so a looping sound without frames cannot spin.
      if (!theMayCallBack || aCalledBack) break;
      aCalledBack = true;
    }
    mQueueHead = (mQueueHead + 1) % k_QueueSize;
    --mQueueCount;
    DoImmediate(aCommand);
  }
  return aCalledBack;
}

template <int Bits, int Channels>
int SndVoice::MixRun(int32_t* theMix, int theFrames) {
  const uint64_t aEnd = static_cast<uint64_t>(mFrames) << 32;
  const uint32_t aLast = mFrames - 1;
  const uint8_t* aData = mData;
  const int32_t aLeft = mLeft;
  const int32_t aRight = mRight;
  const uint64_t aStep = mStep;
  uint64_t aPosition = mPosition;
  int aCount = 0;
  while (aCount < theFrames && aPosition < aEnd) {
    const uint32_t aIndex = static_cast<uint32_t>(aPosition >> 32);
    const uint32_t aNext = aIndex < aLast ? aIndex + 1 : aIndex;
    const int64_t aFraction = static_cast<int64_t>((aPosition >> 16) & 0xFFFF);
    int32_t aL = ReadSample<Bits>(aData, aIndex * Channels);
    int32_t aR = aL;
    if (aFraction != 0) {
      aL += static_cast<int32_t>(((ReadSample<Bits>(aData, aNext * Channels) - aL) * aFraction) >> 16);
    }
    if (Channels == 2) {
      aR = ReadSample<Bits>(aData, aIndex * Channels + 1);
      if (aFraction != 0) {
        aR += static_cast<int32_t>(((ReadSample<Bits>(aData, aNext * Channels + 1) - aR) * aFraction) >> 16);
      }
    } else {
      aR = aL;
    }
    theMix[aCount * 2] += aL * aLeft / 256;
    theMix[aCount * 2 + 1] += aR * aRight / 256;
    aPosition += aStep;
    ++aCount;
  }
  mPosition = aPosition;
  if (aPosition >= aEnd) mBusy = false;
  return aCount;
}

void SndVoice::Mix(int32_t* theMix, int theFrames) {
  int aDone = 0;
  int aLastCallBackFrame = -1;
  while (aDone < theFrames) {
    if (!mBusy) {
      if (RunQueue(aLastCallBackFrame != aDone)) aLastCallBackFrame = aDone;
      // Still idle: nothing queued, or a second callback waits for the next block.
      if (!mBusy) break;
    }
    int32_t* aMix = theMix + aDone * 2;
    const int aLeftToMix = theFrames - aDone;
    if (mBits == 16) {
      aDone += mChannels == 2 ? MixRun<16, 2>(aMix, aLeftToMix) : MixRun<16, 1>(aMix, aLeftToMix);
    } else {
      aDone += mChannels == 2 ? MixRun<8, 2>(aMix, aLeftToMix) : MixRun<8, 1>(aMix, aLeftToMix);
    }
  }
}

}  // namespace Tesk

#include "platform/bass/dylib/BassMixer.h"

#include <cmath>
#include <cstring>

#include "platform/audio/dylib/AudioCore.h"

namespace Tesk {

DWORD BassMixer::AddStream(std::unique_ptr<BassStream> theStream) {
  const DWORD aHandle = mNextHandle++;
  Channel& aChannel = mChannels[aHandle];
  const int aChannels = theStream->Channels();
  aChannel.mBuffer.assign(static_cast<size_t>(k_BufferFrames) * aChannels, 0);
  aChannel.mFreq = static_cast<DWORD>(theStream->Rate());
  aChannel.mStep = static_cast<uint64_t>(
      std::llround(static_cast<double>(theStream->Rate()) / AudioCore::k_OutputRate * 4294967296.0));
  aChannel.mStream = std::move(theStream);
  return aHandle;
}

bool BassMixer::Free(DWORD theHandle) { return mChannels.erase(theHandle) != 0; }

void BassMixer::FreeAll() { mChannels.clear(); }

BassMixer::Channel* BassMixer::Find(DWORD theHandle) {
  auto aIt = mChannels.find(theHandle);
  return aIt == mChannels.end() ? nullptr : &aIt->second;
}

void BassMixer::Rewind(Channel& theChannel, uint64_t theFrame) {
  theChannel.mStream->SeekFrame(theFrame);
  theChannel.mBufferFrames = 0;
  theChannel.mPosition = 0;
  theChannel.mDecoded = theFrame;
  theChannel.mEnded = false;
}

bool BassMixer::Play(DWORD theHandle, bool theRestart) {
  Channel* aChannel = Find(theHandle);
  if (aChannel == nullptr) return false;
  if (theRestart || aChannel->mEnded) Rewind(*aChannel, 0);
  aChannel->mState = BASS_ACTIVE_PLAYING;
  return true;
}

bool BassMixer::Stop(DWORD theHandle) {
  Channel* aChannel = Find(theHandle);
  if (aChannel == nullptr) return false;
  aChannel->mState = BASS_ACTIVE_STOPPED;
  return true;
}

bool BassMixer::Pause(DWORD theHandle) {
  Channel* aChannel = Find(theHandle);
  if (aChannel == nullptr || aChannel->mState != BASS_ACTIVE_PLAYING) return false;
  aChannel->mState = BASS_ACTIVE_PAUSED;
  return true;
}

DWORD BassMixer::IsActive(DWORD theHandle) {
  Channel* aChannel = Find(theHandle);
  return aChannel == nullptr ? BASS_ACTIVE_STOPPED : aChannel->mState;
}

DWORD BassMixer::SetFlags(DWORD theHandle, DWORD theFlags) {
  Channel* aChannel = Find(theHandle);
  if (aChannel == nullptr) return static_cast<DWORD>(-1);
  aChannel->mFlags = theFlags;
  return theFlags;
}

bool BassMixer::SetAttributes(DWORD theHandle, int theFreq, int theVolume, int thePan) {
  Channel* aChannel = Find(theHandle);
  if (aChannel == nullptr) return false;
  if (theFreq > 0) aChannel->mFreq = static_cast<DWORD>(theFreq);
  if (theVolume >= 0) aChannel->mVolume = theVolume > 100 ? 100 : theVolume;
  if (thePan >= -100 && thePan <= 100) aChannel->mPan = thePan;
  return true;
}

bool BassMixer::GetAttributes(DWORD theHandle, DWORD* theFreq, DWORD* theVolume, int* thePan) {
  Channel* aChannel = Find(theHandle);
  if (aChannel == nullptr) return false;
  if (theFreq != nullptr) *theFreq = aChannel->mFreq;
  if (theVolume != nullptr) *theVolume = static_cast<DWORD>(aChannel->mVolume);
  if (thePan != nullptr) *thePan = aChannel->mPan;
  return true;
}

bool BassMixer::SetPosition(DWORD theHandle, QWORD theBytes) {
  Channel* aChannel = Find(theHandle);
  if (aChannel == nullptr) return false;
  const uint64_t aFrame = theBytes / static_cast<uint64_t>(aChannel->mStream->Channels() * 2);
  if (aFrame > aChannel->mStream->LengthFrames()) return false;
  Rewind(*aChannel, aFrame);
  return true;
}

QWORD BassMixer::GetPosition(DWORD theHandle) {
  Channel* aChannel = Find(theHandle);
  if (aChannel == nullptr) return static_cast<QWORD>(-1);
  const uint64_t aPlayed = aChannel->mDecoded - aChannel->mBufferFrames + (aChannel->mPosition >> 32);
  return aPlayed * aChannel->mStream->Channels() * 2;
}

QWORD BassMixer::GetLength(DWORD theHandle) {
  Channel* aChannel = Find(theHandle);
  if (aChannel == nullptr) return static_cast<QWORD>(-1);
  return aChannel->mStream->LengthFrames() * aChannel->mStream->Channels() * 2;
}

bool BassMixer::Refill(Channel& theChannel) {
  const int aChannels = theChannel.mStream->Channels();
  const uint32_t aIndex = static_cast<uint32_t>(theChannel.mPosition >> 32);
  int aKeep = 0;
  if (aIndex < static_cast<uint32_t>(theChannel.mBufferFrames)) {
    // Keep the frame being interpolated from.
    aKeep = theChannel.mBufferFrames - static_cast<int>(aIndex);
    std::memmove(theChannel.mBuffer.data(), theChannel.mBuffer.data() + aIndex * aChannels,
                 sizeof(int16_t) * aKeep * aChannels);
  } else {
    // Skipped frames (steps above one) are decoded and dropped.
    uint64_t aSkip = aIndex - static_cast<uint32_t>(theChannel.mBufferFrames);
    while (aSkip > 0) {
      const int aRead = theChannel.mStream->Read(
          theChannel.mBuffer.data(), static_cast<int>(aSkip < k_BufferFrames ? aSkip : k_BufferFrames));
      if (aRead <= 0) break;
      theChannel.mDecoded += aRead;
      aSkip -= aRead;
    }
  }
  theChannel.mBufferFrames = aKeep;
  theChannel.mPosition &= 0xFFFFFFFFu;
  const int aRead =
      theChannel.mStream->Read(theChannel.mBuffer.data() + aKeep * aChannels, k_BufferFrames - aKeep);
  if (aRead <= 0) return false;
  theChannel.mBufferFrames += aRead;
  theChannel.mDecoded += aRead;
  return true;
}

void BassMixer::MixChannel(Channel& theChannel, int32_t* theMix, int theFrames) {
  const int aChannels = theChannel.mStream->Channels();
  const int64_t aGain = static_cast<int64_t>(theChannel.mVolume) * mStreamVolume;  // over 10000
  const int aRight = aChannels > 1 ? 1 : 0;
  for (int i = 0; i < theFrames;) {
    uint32_t aIndex = static_cast<uint32_t>(theChannel.mPosition >> 32);
    const uint32_t aFraction = static_cast<uint32_t>((theChannel.mPosition >> 16) & 0xFFFF);
    const bool aNeedNext = aFraction != 0;
    if (aIndex >= static_cast<uint32_t>(theChannel.mBufferFrames) ||
        (aNeedNext && aIndex + 1 >= static_cast<uint32_t>(theChannel.mBufferFrames))) {
      if (!Refill(theChannel)) {
        const bool aLoop = (theChannel.mFlags & BASS_SAMPLE_LOOP) != 0;
        // Looping wraps to the start without a gap; an empty stream stops instead of spinning.
        if (aLoop) {
          theChannel.mStream->SeekFrame(0);
          theChannel.mDecoded = 0;
          if (Refill(theChannel)) continue;
        }
        theChannel.mState = BASS_ACTIVE_STOPPED;
        theChannel.mEnded = true;
        return;
      }
      continue;
    }
    const int16_t* aFrame = theChannel.mBuffer.data() + aIndex * aChannels;
    int32_t aL = aFrame[0];
    int32_t aR = aFrame[aRight];
    if (aNeedNext) {
      const int16_t* aNext = aFrame + aChannels;
      aL += static_cast<int32_t>((static_cast<int64_t>(aNext[0] - aL) * aFraction) >> 16);
      aR += static_cast<int32_t>((static_cast<int64_t>(aNext[aRight] - aR) * aFraction) >> 16);
    }
    theMix[i * 2] += static_cast<int32_t>(aL * aGain / 10000);
    theMix[i * 2 + 1] += static_cast<int32_t>(aR * aGain / 10000);
    theChannel.mPosition += theChannel.mStep;
    ++i;
  }
}

void BassMixer::Mix(int32_t* theMix, int theFrames) {
  if (!mStarted) return;
  for (auto& aEntry : mChannels) {
    if (aEntry.second.mState == BASS_ACTIVE_PLAYING) MixChannel(aEntry.second, theMix, theFrames);
  }
}

}  // namespace Tesk

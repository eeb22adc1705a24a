#include "sound/macDirectSoundBuffer.h"

#include <algorithm>

namespace Tesk {

SndCallBackUPP macDirectSoundBuffer::m_SoundCallBackUPP = nullptr;

macDirectSoundBuffer::macDirectSoundBuffer() {
  if (m_SoundCallBackUPP == nullptr)
    m_SoundCallBackUPP = NewSndCallBackUPP(&macDirectSoundBuffer::SoundCallBack);
}

macDirectSoundBuffer::~macDirectSoundBuffer() = default;

HRESULT macDirectSoundBuffer::GetFormat(WAVEFORMATEX* theFormat, uint32_t, uint32_t* theWritten) {
  if (theWritten != nullptr) *theWritten = sizeof(WAVEFORMATEX);
  if (theFormat != nullptr) *theFormat = mFormat;
  return DS_OK;
}

HRESULT macDirectSoundBuffer::GetFrequency(uint32_t* theHz) {
  if (theHz != nullptr) *theHz = mFormat.nSamplesPerSec;
  return DS_OK;
}

HRESULT macDirectSoundBuffer::GetStatus(uint32_t* theStatus) {
  SCStatus aStatus{};
  uint32_t aResult = 0;
  if (mChannel != nullptr && SndChannelStatus(mChannel, sizeof(SCStatus), &aStatus) == 0 &&
      aStatus.scChannelBusy) {
    aResult = DSBSTATUS_PLAYING | (mLooping ? DSBSTATUS_LOOPING : 0);
  }
  if (theStatus != nullptr) *theStatus = aResult;
  return DS_OK;
}

HRESULT macDirectSoundBuffer::Lock(uint32_t theOffset, uint32_t theBytes, void** thePtr1, uint32_t* theLen1,
                                   void** thePtr2, uint32_t* theLen2, uint32_t) {
  uint8_t* aSamples = mBufferSize > 0 ? mSamples.get() : nullptr;
  void* aPtr1 = nullptr;
  uint32_t aLen1 = 0;
  void* aPtr2 = nullptr;
  uint32_t aLen2 = 0;
  if (aSamples != nullptr) {
    if (theOffset >= mBufferSize) {
      aPtr1 = aSamples + mBufferSize - 1;
      aPtr2 = aSamples;
      aLen2 = theBytes;
    } else if (theBytes <= mBufferSize - theOffset) {
      aPtr1 = aSamples + theOffset;
      aLen1 = theBytes;
    } else {
      // The memory is a ring: the rest of the range wraps to the start.
      aPtr1 = aSamples + theOffset;
      aLen1 = mBufferSize - theOffset;
      aPtr2 = aSamples;
      aLen2 = theBytes - aLen1;
    }
  }
  if (thePtr1 != nullptr) *thePtr1 = aPtr1;
  if (theLen1 != nullptr) *theLen1 = aLen1;
  if (thePtr2 != nullptr) *thePtr2 = aPtr2;
  if (theLen2 != nullptr) *theLen2 = aLen2;
  return DS_OK;
}

HRESULT macDirectSoundBuffer::Unlock(void*, uint32_t, void*, uint32_t) { return DS_OK; }

HRESULT macDirectSoundBuffer::Play(uint32_t, uint32_t, uint32_t theFlags) {
  mLooping = (theFlags & DSBPLAY_LOOPING) != 0;
  SndCommand aCommand{bufferCmd, 0, reinterpret_cast<intptr_t>(&mHeader)};
  SndDoImmediate(mChannel, &aCommand);
  SendLevels();
  if (mLooping && mChannel != nullptr) {
    // Looping is a callback at the end of the sample that plays it again.
    mChannel->callBack = m_SoundCallBackUPP;
    SndCommand aCallBack{callBackCmd, 1, reinterpret_cast<intptr_t>(this)};
    SndDoCommand(mChannel, &aCallBack, false);
  }
  return DS_OK;
}

void macDirectSoundBuffer::SoundCallBack(SndChannel*, SndCommand* theCommand) {
  if (theCommand->param1 == 1) reinterpret_cast<macDirectSoundBuffer*>(theCommand->param2)->Play(0, 0, 1);
}

HRESULT macDirectSoundBuffer::SetCurrentPosition(uint32_t thePosition) {
  SCStatus aStatus{};
  if (thePosition != 0 || mChannel == nullptr ||
      SndChannelStatus(mChannel, sizeof(SCStatus), &aStatus) != 0 || !aStatus.scChannelBusy) {
    return DS_OK;
  }
  const SndCommand aFlush{flushCmd, 0, 0};
  const SndCommand aQuiet{quietCmd, 0, 0};
  const SndCommand aBuffer{bufferCmd, 0, reinterpret_cast<intptr_t>(&mHeader)};
  SndDoImmediate(mChannel, &aFlush);
  SndDoImmediate(mChannel, &aQuiet);
  SndDoCommand(mChannel, &aBuffer, false);
  return DS_OK;
}

HRESULT macDirectSoundBuffer::SetFormat(const WAVEFORMATEX*) { return DS_OK; }

HRESULT macDirectSoundBuffer::SetVolume(int32_t theVolume) {
  // Out-of-range volumes would wrap through the 9-bit mask into loud levels.
  theVolume = std::clamp<int32_t>(theVolume, DSBVOLUME_MIN, DSBVOLUME_MAX);
  mVolume = theVolume;
  mChannelVolume = ((theVolume * 256 + 2560000) / 10000) & 0x1FF;
  return SendLevels();
}

HRESULT macDirectSoundBuffer::SetPan(int32_t thePan) {
  thePan = std::clamp<int32_t>(thePan, DSBPAN_LEFT, DSBPAN_RIGHT);
  mPan = thePan == 0 ? 128 : ((thePan * 256 + 2560000) / 20000) & 0x1FF;
  return DS_OK;
}

HRESULT macDirectSoundBuffer::SetFrequency(uint32_t theHz) {
  if (mFormat.nSamplesPerSec == 0) return DSERR_INVALIDPARAM;
  const float aMultiplier = 65536.0f * static_cast<float>(theHz) / static_cast<float>(mFormat.nSamplesPerSec);
  SndCommand aCommand{rateMultiplierCmd, 0, static_cast<intptr_t>(static_cast<uint32_t>(aMultiplier))};
  SndDoImmediate(mChannel, &aCommand);
  return DS_OK;
}

HRESULT macDirectSoundBuffer::Stop() {
  if (mChannel == nullptr) return DSERR_INVALIDPARAM;
  const SndCommand aFlush{flushCmd, 0, 0};
  const SndCommand aQuiet{quietCmd, 0, 0};
  SndDoImmediate(mChannel, &aFlush);
  SndDoImmediate(mChannel, &aQuiet);
  return DS_OK;
}

HRESULT macDirectSoundBuffer::Release() {
  if (mChannel != nullptr) {
    Stop();
    SndDisposeChannel(mChannel, true);
    mChannel = nullptr;
  }
  delete this;
  return DS_OK;
}

uint32_t macDirectSoundBuffer::GetLevels() const {
  const int32_t aVolume = mChannelVolume;
  const int32_t aPan = mPan;
  int32_t aLeft = aVolume;
  int32_t aRight = aVolume;
  if (aPan != 128) {
    // The pan shares out the volume; it does not replace it.
    aLeft = (256 - aPan) * aVolume / 256;
    aRight = aPan * aVolume / 256;
  }
  return (static_cast<uint32_t>(aRight) << 16) | static_cast<uint32_t>(aLeft);
}

HRESULT macDirectSoundBuffer::SendLevels() {
  SndCommand aCommand{volumeCmd, 0, static_cast<intptr_t>(GetLevels())};
  SndDoImmediate(mChannel, &aCommand);
  return DS_OK;
}

}  // namespace Tesk

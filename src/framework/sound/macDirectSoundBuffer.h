// One sample in memory bound to one Sound Manager channel, spoken to in DirectSound's terms.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "platform/soundmanager/Sound.h"
#include "sound/DSoundTypes.h"

namespace Tesk {

class MACDIRECTSOUND;

class macDirectSoundBuffer {
 public:
  macDirectSoundBuffer();

  HRESULT GetFormat(WAVEFORMATEX* theFormat, uint32_t theSize, uint32_t* theWritten);
  HRESULT GetFrequency(uint32_t* theHz);
  HRESULT GetStatus(uint32_t* theStatus);
  HRESULT Lock(uint32_t theOffset, uint32_t theBytes, void** thePtr1, uint32_t* theLen1, void** thePtr2,
               uint32_t* theLen2, uint32_t theFlags);
  HRESULT Unlock(void* thePtr1, uint32_t theLen1, void* thePtr2, uint32_t theLen2);
  HRESULT Play(uint32_t theReserved, uint32_t thePriority, uint32_t theFlags);
  HRESULT SetCurrentPosition(uint32_t thePosition);
  HRESULT SetFormat(const WAVEFORMATEX* theFormat);
  HRESULT SetVolume(int32_t theVolume);
  HRESULT SetPan(int32_t thePan);
  HRESULT SetFrequency(uint32_t theHz);
  HRESULT Stop();
  // Stops, gives the channel back and deletes the buffer; the sample memory lives on while
  // a duplicate still plays it.
  HRESULT Release();

  static void SoundCallBack(SndChannel* theChannel, SndCommand* theCommand);
  static SndCallBackUPP m_SoundCallBackUPP;

  // For tests and the mixer's benefit: the levels last sent, right << 16 | left.
  uint32_t GetLevels() const;

 private:
  friend class MACDIRECTSOUND;
  ~macDirectSoundBuffer();

  HRESULT SendLevels();

  WAVEFORMATEX mFormat{};
  ExtSoundHeader mHeader{};
  SndChannel* mChannel = nullptr;
  uint32_t mBufferSize = 0;
  int32_t mVolume = 0;
  // Read by the looping callback on the mixing thread while the game changes them.
  std::atomic<int32_t> mChannelVolume{256};
  std::atomic<int32_t> mPan{128};
  std::atomic<bool> mLooping{false};
  bool mSharesSamples = false;
  std::shared_ptr<uint8_t[]> mSamples;
};

}  // namespace Tesk

// The voice behind a Sound Manager channel: one sound at a time, a command queue that
// advances when the sound ends, stereo levels and a rate multiplier.
#pragma once

#include <cstdint>

#include "platform/audio/dylib/AudioVoice.h"
#include "platform/soundmanager/Sound.h"

namespace Tesk {

class SndVoice : public AudioVoice {
 public:
  explicit SndVoice(SndChannel* theChannel);

  // Both run with the core's mutex held by the caller.
  void DoImmediate(const SndCommand& theCommand);
  OSErr DoCommand(const SndCommand& theCommand);
  bool IsBusy() const { return mBusy; }

  void Mix(int32_t* theMix, int theFrames) override;

 private:
  static constexpr int k_QueueSize = 32;

  void StartSound(const ExtSoundHeader* theHeader);
  void UpdateStep();
  // Runs queued commands while idle, at most one callback (none with theMayCallBack false).
  // Returns whether a callback ran.
  bool RunQueue(bool theMayCallBack);
  template <int Bits, int Channels>
  int MixRun(int32_t* theMix, int theFrames);

  SndChannel* mChannel;
  SndCommand mQueue[k_QueueSize];
  int mQueueHead = 0;
  int mQueueCount = 0;

  const uint8_t* mData = nullptr;
  uint32_t mFrames = 0;
  int mChannels = 1;
  int mBits = 16;
  double mRate = 44100.0;
  uint32_t mRateMultiplier = 0x10000;  // 16.16
  uint64_t mPosition = 0;              // source frames, 32.32
  uint64_t mStep = 0;                  // per output frame, 32.32
  bool mBusy = false;
  int32_t mLeft = 0x100;
  int32_t mRight = 0x100;
};

}  // namespace Tesk

// The music library's channels, mixed as one voice of the process's audio core.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/audio/dylib/AudioVoice.h"
#include "platform/bass/Bass.h"
#include "platform/bass/dylib/BassStream.h"

namespace Tesk {

class BassMixer : public AudioVoice {
 public:
  // Every call below runs with the audio core's mutex held.
  DWORD AddStream(std::unique_ptr<BassStream> theStream);
  bool Free(DWORD theHandle);
  void FreeAll();

  bool Play(DWORD theHandle, bool theRestart);
  bool Stop(DWORD theHandle);
  bool Pause(DWORD theHandle);
  DWORD IsActive(DWORD theHandle);
  DWORD SetFlags(DWORD theHandle, DWORD theFlags);
  bool SetAttributes(DWORD theHandle, int theFreq, int theVolume, int thePan);
  bool GetAttributes(DWORD theHandle, DWORD* theFreq, DWORD* theVolume, int* thePan);
  bool SetPosition(DWORD theHandle, QWORD theBytes);
  QWORD GetPosition(DWORD theHandle);
  QWORD GetLength(DWORD theHandle);
  bool Has(DWORD theHandle) const { return mChannels.count(theHandle) != 0; }

  void SetStarted(bool theStarted) { mStarted = theStarted; }
  void SetStreamVolume(int theVolume) { mStreamVolume = theVolume; }
  void SetMusicVolume(int theVolume) { mMusicVolume = theVolume; }
  int GetStreamVolume() const { return mStreamVolume; }
  int GetMusicVolume() const { return mMusicVolume; }

  void Mix(int32_t* theMix, int theFrames) override;

 private:
  static constexpr int k_BufferFrames = 1024;

  struct Channel {
    std::unique_ptr<BassStream> mStream;
    DWORD mState = BASS_ACTIVE_STOPPED;
    DWORD mFlags = 0;
    int mVolume = 100;
    int mPan = 0;
    DWORD mFreq = 0;
    bool mEnded = false;
    std::vector<int16_t> mBuffer;  // decoded frames not yet played
    int mBufferFrames = 0;
    uint64_t mPosition = 0;  // within mBuffer, 32.32
    uint64_t mStep = 0;      // per output frame, 32.32
    uint64_t mDecoded = 0;   // frames taken from the stream so far (start of mBuffer + mBufferFrames)
  };

  Channel* Find(DWORD theHandle);
  void Rewind(Channel& theChannel, uint64_t theFrame);
  bool Refill(Channel& theChannel);
  void MixChannel(Channel& theChannel, int32_t* theMix, int theFrames);

  std::map<DWORD, Channel> mChannels;
  DWORD mNextHandle = 1;
  bool mStarted = true;
  int mStreamVolume = 100;
  int mMusicVolume = 100;
};

}  // namespace Tesk

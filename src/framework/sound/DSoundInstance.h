// A sound instance over its own duplicate of a loaded sample's buffer.
#pragma once

#include <cstdint>

#include "sound/SoundInstance.h"

namespace Tesk {

class DSoundManager;
class macDirectSoundBuffer;

class DSoundInstance : public SoundInstance {
 public:
  // With a null source the instance is silent.
  DSoundInstance(DSoundManager* theManager, macDirectSoundBuffer* theSource);
  ~DSoundInstance() override;

  void Release() override;
  void SetBaseVolume(double theBaseVolume) override;
  void SetBasePan(int theBasePan) override;
  void AdjustPitch(double theNumSteps) override;
  void SetVolume(double theVolume) override;
  void SetPan(int thePosition) override;
  bool Play(bool theLooping, bool theAutoRelease) override;
  void Stop() override;
  bool IsPlaying() override;
  bool IsReleased() override;
  double GetVolume() override;

  // Stops without touching the auto-release flag (the manager's StopAllSounds).
  void StopKeepingAutoRelease();
  // Re-applies the volume after the manager's effect volume changed.
  void RehupVolume();
  macDirectSoundBuffer* GetOwnBuffer() const { return mSoundBuffer; }

 private:
  void ApplyVolume();
  void ApplyPan();

  DSoundManager* mSoundManagerP;
  macDirectSoundBuffer* mSourceSoundBuffer;
  macDirectSoundBuffer* mSoundBuffer = nullptr;
  bool mAutoRelease = false;
  bool mHasPlayed = false;
  bool mReleased = false;
  int32_t mBasePan = 0;
  double mBaseVolume = 1.0;
  int32_t mPan = 0;
  double mVolume = 1.0;
  uint32_t mDefaultFrequency = 44100;
};

}  // namespace Tesk

// A played copy of a loaded sound, as the game holds it.
#pragma once

namespace Tesk {

class SoundInstance {
 public:
  virtual ~SoundInstance() = default;

  virtual void Release() = 0;
  virtual void SetBaseVolume(double theBaseVolume) = 0;
  virtual void SetBasePan(int theBasePan) = 0;
  virtual void AdjustPitch(double theNumSteps) = 0;
  virtual void SetVolume(double theVolume) = 0;
  virtual void SetPan(int thePosition) = 0;
  virtual bool Play(bool theLooping, bool theAutoRelease) = 0;
  virtual void Stop() = 0;
  virtual bool IsPlaying() = 0;
  virtual bool IsReleased() = 0;
  virtual double GetVolume() = 0;
};

}  // namespace Tesk

// The sound-effect manager as the application and the resource manager see it.
#pragma once

#include <string>

struct OpaqueWindowPtr;

namespace Tesk {

class SoundInstance;

class SoundManager {
 public:
  virtual ~SoundManager() = default;

  virtual bool Initialized() = 0;
  virtual bool LoadSound(unsigned int theSfxId, const std::string& theFilename) = 0;
  virtual int LoadSound(const std::string& theFilename) = 0;
  virtual void ReleaseSound(unsigned int theSfxId) = 0;
  virtual void SetVolume(double theVolume) = 0;
  virtual bool SetBaseVolume(unsigned int theSfxId, double theBaseVolume) = 0;
  virtual bool SetBasePan(unsigned int theSfxId, int theBasePan) = 0;
  virtual SoundInstance* GetSoundInstance(unsigned int theSfxId) = 0;
  virtual void ReleaseSounds() = 0;
  virtual void ReleaseChannels() = 0;
  virtual double GetMasterVolume() = 0;
  virtual void SetMasterVolume(double theVolume) = 0;
  virtual void Flush() = 0;
  virtual void SetCooperativeWindow(OpaqueWindowPtr* theWindow, bool theIsWindowed) = 0;
  virtual void StopAllSounds() = 0;
  virtual int GetFreeSoundId() = 0;
  virtual int GetNumSounds() = 0;
};

}  // namespace Tesk

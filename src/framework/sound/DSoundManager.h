// Sound effects: up to 256 loaded samples (WAV, Ogg Vorbis, Sun AU) played on 32 channels.
// Decoded Ogg and AU samples are cached as WAV files under the application data folder.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "sound/DSoundTypes.h"
#include "sound/SoundManager.h"

namespace Tesk {

class DSoundInstance;
class MACDIRECTSOUND;
class macDirectSoundBuffer;

// The platform's UTC date-time: seconds since 1904 split in two, and a fraction.
struct UTCDateTime {
  uint16_t highSeconds;
  uint32_t lowSeconds;
  uint16_t fraction;
};

class DSoundManager : public SoundManager {
 public:
  static constexpr int k_MaxSourceSounds = 256;
  static constexpr int k_MaxChannels = 32;

  // Without a window nothing is played: loads succeed empty and instances are silent.
  DSoundManager(OpaqueWindowPtr* theWindow, bool theHaveMP3);
  ~DSoundManager() override;

  bool Initialized() override;
  bool LoadSound(unsigned int theSfxId, const std::string& theFilename) override;
  int LoadSound(const std::string& theFilename) override;
  void ReleaseSound(unsigned int theSfxId) override;
  void SetVolume(double theVolume) override;
  bool SetBaseVolume(unsigned int theSfxId, double theBaseVolume) override;
  bool SetBasePan(unsigned int theSfxId, int theBasePan) override;
  SoundInstance* GetSoundInstance(unsigned int theSfxId) override;
  void ReleaseSounds() override;
  void ReleaseChannels() override;
  double GetMasterVolume() override;
  void SetMasterVolume(double theVolume) override;
  void Flush() override;
  void SetCooperativeWindow(OpaqueWindowPtr* theWindow, bool theIsWindowed) override;
  void StopAllSounds() override;
  int GetFreeSoundId() override;
  int GetNumSounds() override;

  // Linear: 1.0 gives 0, 0.5 gives -5000, 0 gives -10000 (volumes outside 0..1 are clamped).
  static int VolumeToDB(double theVolume);

  bool LoadWAVSound(unsigned int theSfxId, const std::string& theFilename);
  bool LoadOGGSound(unsigned int theSfxId, const std::string& theFilename);
  bool LoadAUSound(unsigned int theSfxId, const std::string& theFilename);
  bool WriteWAV(unsigned int theSfxId, const std::string& theCachePath, const std::string& theSourcePath);
  static bool GetTheFileTime(const std::string& thePath, UTCDateTime* theTime);

  double GetEffectVolume() const { return mVolume; }
  MACDIRECTSOUND* GetDevice() const { return mDirectSound; }
  bool HasMP3() const { return mHaveMP3; }
  macDirectSoundBuffer* GetSourceBuffer(unsigned int theSfxId) const;

 private:
  int FindFreeChannel();
  void ReleaseFreeChannels();
  // Makes the id's buffer for theFormat and theBytes; false (and no buffer) on failure.
  bool CreateSourceBuffer(unsigned int theSfxId, const WAVEFORMATEX& theFormat, uint32_t theBytes);
  void DropSourceBuffer(unsigned int theSfxId);
  // Says on standard error why theFilename cannot be loaded, once per name.
  void ReportLoadFailure(const std::string& theFilename, const std::string& theText);

  macDirectSoundBuffer* mSourceSounds[k_MaxSourceSounds] = {};
  std::string mSourceFileNames[k_MaxSourceSounds];
  macDirectSoundBuffer* mPrimaryBuffer = nullptr;
  uint32_t mSourceDataSizes[k_MaxSourceSounds] = {};
  double mBaseVolumes[k_MaxSourceSounds];
  int mBasePans[k_MaxSourceSounds] = {};
  std::unique_ptr<DSoundInstance> mPlayingSounds[k_MaxChannels];
  double mVolume = 1.0;
  uint32_t mLastReleaseTick = 0;
  MACDIRECTSOUND* mDirectSound = nullptr;
  bool mHaveMP3;
  std::mutex mReportLock;
  std::set<std::string> mReportedFailures;
};

}  // namespace Tesk

// Music through the run-time-loaded library: songs by id, fades stepped once per update.
#pragma once

#include <map>
#include <set>
#include <string>

#include "sound/BassMusicInfo.h"
#include "sound/MusicInterface.h"

struct OpaqueWindowPtr;

namespace Tesk {

class BassMusicInterface : public MusicInterface {
 public:
  explicit BassMusicInterface(OpaqueWindowPtr* theWindow);
  ~BassMusicInterface() override;

  bool LoadMusic(int theSongId, const std::string& theFileName) override;
  void PlayMusic(int theSongId, int theOffset, bool theNoLoop) override;
  void StopMusic(int theSongId) override;
  void PauseMusic(int theSongId) override;
  void ResumeMusic(int theSongId) override;
  void StopAllMusic() override;
  void UnloadMusic(int theSongId) override;
  void UnloadAllMusic() override;
  void PauseAllMusic() override;
  void ResumeAllMusic() override;
  void FadeIn(int theSongId, int theOffset, double theSpeed, bool theNoLoop) override;
  void FadeOut(int theSongId, bool theStopSong, double theSpeed) override;
  void FadeOutAll(bool theStopSong, double theSpeed) override;
  void SetSongVolume(int theSongId, double theVolume) override;
  void SetSongMaxVolume(int theSongId, double theMaxVolume) override;
  bool IsPlaying(int theSongId) override;
  void SetVolume(double theVolume) override;
  void SetMusicAmplify(int theSongId, double theAmp) override;
  void Update() override;

  // Whether the library was found; without it every operation is silent.
  bool HasLibrary() const { return mHaveLibrary; }
  const BassMusicInfo* GetSong(int theSongId) const;

 private:
  BassMusicInfo* Find(int theSongId);
  void ApplyVolume(const BassMusicInfo& theInfo);
  void FreeHandles(const BassMusicInfo& theInfo);

  std::map<int, BassMusicInfo> mMusicMap;
  int mMaxMusicVolume = 40;
  bool mHaveLibrary = false;
  // Songs already said to be unloadable.
  std::set<std::string> mReportedFailures;
};

}  // namespace Tesk

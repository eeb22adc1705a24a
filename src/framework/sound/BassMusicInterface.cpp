#include "sound/BassMusicInterface.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

#include "core/MacUtils.h"
#include "resources/PFile.h"
#include "sound/BASS_INSTANCE.h"

namespace Tesk {

namespace {

// What the library's error code means for a song it would not load.
std::string RefusalText(int theError) {
  switch (theError) {
    case BASS_ERROR_FILEOPEN:
      return "not found, or it cannot be opened";
    case BASS_ERROR_FILEFORM:
      return "not a file the music library reads (16-bit PCM WAV or Ogg Vorbis)";
    case BASS_ERROR_FORMAT:
      return "samples of a kind the music library does not play (only 16-bit PCM, mono or stereo)";
    case BASS_ERROR_INIT:
      return "the music library has not started";
    default:
      return "the music library refuses it (error " + std::to_string(theError) + ")";
  }
}

}  // namespace

BassMusicInterface::BassMusicInterface(OpaqueWindowPtr* theWindow) {
  mHaveLibrary = LoadBassDLL();
  if (!mHaveLibrary) return;
  if (gBass->mVersion24) {
    gBass->BASS_Init(1, 44100, 0, theWindow, nullptr);
    gBass->BASS_SetConfig(BASS_CONFIG_BUFFER, 2000);
  } else {
    gBass->BASS_Init_Old(-1, 44100, 0, theWindow);
  }
  gBass->BASS_Start();
  mMaxMusicVolume = 40;
}

BassMusicInterface::~BassMusicInterface() {
  if (!mHaveLibrary) return;
  gBass->BASS_Stop();
  gBass->BASS_Free();
  FreeBassDLL();
}

BassMusicInfo* BassMusicInterface::Find(int theSongId) {
  auto aIt = mMusicMap.find(theSongId);
  return aIt == mMusicMap.end() ? nullptr : &aIt->second;
}

const BassMusicInfo* BassMusicInterface::GetSong(int theSongId) const {
  auto aIt = mMusicMap.find(theSongId);
  return aIt == mMusicMap.end() ? nullptr : &aIt->second;
}

void BassMusicInterface::ApplyVolume(const BassMusicInfo& theInfo) {
  gBass->BASS_ChannelSetAttributes(theInfo.GetHandle(), -1, static_cast<int>(100 * theInfo.mVolume), -101);
}

void BassMusicInterface::FreeHandles(const BassMusicInfo& theInfo) {
  if (theInfo.mHStream != 0) {
    gBass->BASS_StreamFree(theInfo.mHStream);
  } else {
    gBass->BASS_MusicFree(theInfo.mHMusic);
  }
}

bool BassMusicInterface::LoadMusic(int theSongId, const std::string& theFileName) {
  if (!mHaveLibrary) return false;
  std::string aExtension;
  const size_t aDot = theFileName.rfind('.');
  if (aDot != std::string::npos) aExtension = theFileName.substr(aDot + 1);
  std::transform(aExtension.begin(), aExtension.end(), aExtension.begin(),
                 [](unsigned char theChar) { return static_cast<char>(std::tolower(theChar)); });

  DWORD aMusic = 0;
  DWORD aStream = 0;
  int anError = BASS_ERROR_FILEOPEN;
  if (aExtension == "wav" || aExtension == "ogg" || aExtension == "mp3") {
    aStream = gBass->BASS_StreamCreateFile(0, theFileName.c_str(), 0, 0, 0);
    if (aStream == 0) anError = gBass->BASS_ErrorGetCode();
    char aFolder[512];
    if (aStream == 0 && GetResourcePath(nullptr, aFolder, sizeof(aFolder))) {
      const std::string aPath = std::string(aFolder) + (theFileName[0] == '/' ? "" : "/") + theFileName;
      aStream = gBass->BASS_StreamCreateFile(0, aPath.c_str(), 0, 0, 0);
      // A file that was there but refused says more than one missing under the resources.
      if (aStream == 0 && anError == BASS_ERROR_FILEOPEN) anError = gBass->BASS_ErrorGetCode();
    }
  } else {
    PFILE* aFile = p_fopen(theFileName.c_str(), "rb");
    if (aFile != nullptr) {
      p_fclose(aFile);
      if (gBass->mVersion24) {
        aMusic = gBass->BASS_MusicLoad(0, theFileName.c_str(), 0, 0, BASS_MUSIC_RAMP | BASS_SAMPLE_LOOP, 0);
      } else {
        aMusic = gBass->BASS_MusicLoad_Old(0, theFileName.c_str(), 0, 0, BASS_SAMPLE_LOOP);
      }
      if (aMusic == 0) anError = gBass->BASS_ErrorGetCode();
    }
  }
  if (aMusic == 0 && aStream == 0) {
    // Once per file: a song that will not load may be asked for again at every screen.
    if (mReportedFailures.insert(theFileName).second)
      std::fprintf(stderr, "music: %s: %s\n", theFileName.c_str(), RefusalText(anError).c_str());
    return false;
  }

  BassMusicInfo aInfo;
  aInfo.mHMusic = aMusic;
  aInfo.mHStream = aStream;
  if (!mMusicMap.emplace(theSongId, aInfo).second) {
    // The id keeps its song; the handle just made would otherwise never be freed.
    FreeHandles(aInfo);
  }
  return true;
}

void BassMusicInterface::PlayMusic(int theSongId, int theOffset, bool theNoLoop) {
  BassMusicInfo* aInfo = Find(theSongId);
  if (aInfo == nullptr) return;
  aInfo->mVolume = aInfo->mVolumeCap;
  aInfo->mVolumeAdd = 0.0;
  aInfo->mStopOnFade = theNoLoop;
  ApplyVolume(*aInfo);
  gBass->BASS_ChannelStop(aInfo->GetHandle());
  if (aInfo->mHMusic != 0) {
    gBass->BASS_ChannelSetPosition(aInfo->mHMusic, static_cast<QWORD>(static_cast<int64_t>(theOffset)));
    gBass->BASS_ChannelSetFlags(aInfo->mHMusic,
                                theNoLoop ? BASS_MUSIC_RAMP : BASS_MUSIC_RAMP | BASS_SAMPLE_LOOP);
    gBass->BASS_ChannelPlay(aInfo->mHMusic, 0);
  } else {
    gBass->BASS_ChannelSetFlags(aInfo->mHStream, theNoLoop ? 0 : BASS_SAMPLE_LOOP);
    gBass->BASS_ChannelPlay(aInfo->mHStream, 1);
    if (theOffset > 0) gBass->BASS_ChannelSetPosition(aInfo->mHStream, static_cast<QWORD>(theOffset));
  }
}

void BassMusicInterface::StopMusic(int theSongId) {
  BassMusicInfo* aInfo = Find(theSongId);
  if (aInfo == nullptr) return;
  aInfo->mVolume = 0.0;
  gBass->BASS_ChannelStop(aInfo->GetHandle());
}

void BassMusicInterface::PauseMusic(int theSongId) {
  BassMusicInfo* aInfo = Find(theSongId);
  if (aInfo != nullptr) gBass->BASS_ChannelPause(aInfo->GetHandle());
}

void BassMusicInterface::ResumeMusic(int theSongId) {
  BassMusicInfo* aInfo = Find(theSongId);
  if (aInfo != nullptr) gBass->BASS_ChannelResume(aInfo->GetHandle());
}

void BassMusicInterface::StopAllMusic() {
  for (auto& aEntry : mMusicMap) {
    aEntry.second.mVolume = 0.0;
    gBass->BASS_ChannelStop(aEntry.second.GetHandle());
  }
}

void BassMusicInterface::UnloadMusic(int theSongId) {
  BassMusicInfo* aInfo = Find(theSongId);
  if (aInfo == nullptr) return;
  StopMusic(theSongId);
  FreeHandles(*aInfo);
  mMusicMap.erase(theSongId);
}

void BassMusicInterface::UnloadAllMusic() {
  StopAllMusic();
  for (auto& aEntry : mMusicMap) FreeHandles(aEntry.second);
  mMusicMap.clear();
}

void BassMusicInterface::PauseAllMusic() {
  for (auto& aEntry : mMusicMap) {
    if (gBass->BASS_ChannelIsActive(aEntry.second.GetHandle()) == BASS_ACTIVE_PLAYING) {
      gBass->BASS_ChannelPause(aEntry.second.GetHandle());
    }
  }
}

void BassMusicInterface::ResumeAllMusic() {
  for (auto& aEntry : mMusicMap) {
    if (gBass->BASS_ChannelIsActive(aEntry.second.GetHandle()) == BASS_ACTIVE_PAUSED) {
      gBass->BASS_ChannelResume(aEntry.second.GetHandle());
    }
  }
}

void BassMusicInterface::FadeIn(int theSongId, int theOffset, double theSpeed, bool theNoLoop) {
  BassMusicInfo* aInfo = Find(theSongId);
  if (aInfo == nullptr) return;
  aInfo->mVolumeAdd = theSpeed;
  aInfo->mStopOnFade = theNoLoop;
  gBass->BASS_ChannelStop(aInfo->GetHandle());
  ApplyVolume(*aInfo);
  if (aInfo->mHStream != 0) {
    gBass->BASS_ChannelSetFlags(aInfo->mHStream, theNoLoop ? 0 : BASS_SAMPLE_LOOP);
    gBass->BASS_ChannelPlay(aInfo->mHStream, 0);
    if (theOffset > 0) gBass->BASS_ChannelSetPosition(aInfo->mHStream, static_cast<QWORD>(theOffset));
  } else if (theOffset != -1) {
    gBass->BASS_ChannelSetPosition(aInfo->mHMusic, static_cast<QWORD>(static_cast<int64_t>(theOffset)));
    gBass->BASS_ChannelSetFlags(aInfo->mHMusic,
                                theNoLoop ? BASS_MUSIC_RAMP : BASS_MUSIC_RAMP | BASS_SAMPLE_LOOP);
    gBass->BASS_ChannelPlay(aInfo->mHMusic, 0);
  } else {
    gBass->BASS_ChannelPlay(aInfo->mHMusic, 1);
  }
}

void BassMusicInterface::FadeOut(int theSongId, bool theStopSong, double theSpeed) {
  BassMusicInfo* aInfo = Find(theSongId);
  if (aInfo == nullptr) return;
  if (aInfo->mVolume != 0.0) aInfo->mVolumeAdd = -theSpeed;
  aInfo->mStopOnFade = theStopSong;
}

void BassMusicInterface::FadeOutAll(bool theStopSong, double theSpeed) {
  for (auto& aEntry : mMusicMap) {
    aEntry.second.mVolumeAdd = -theSpeed;
    aEntry.second.mStopOnFade = theStopSong;
  }
}

void BassMusicInterface::SetSongVolume(int theSongId, double theVolume) {
  BassMusicInfo* aInfo = Find(theSongId);
  if (aInfo == nullptr) return;
  aInfo->mVolume = theVolume;
  ApplyVolume(*aInfo);
}

void BassMusicInterface::SetSongMaxVolume(int theSongId, double theMaxVolume) {
  BassMusicInfo* aInfo = Find(theSongId);
  if (aInfo == nullptr) return;
  aInfo->mVolumeCap = theMaxVolume;
  aInfo->mVolume = std::min(aInfo->mVolume, theMaxVolume);
  ApplyVolume(*aInfo);
}

bool BassMusicInterface::IsPlaying(int theSongId) {
  BassMusicInfo* aInfo = Find(theSongId);
  if (aInfo == nullptr) return false;
  return gBass->BASS_ChannelIsActive(aInfo->GetHandle()) == BASS_ACTIVE_PLAYING;
}

void BassMusicInterface::SetVolume(double theVolume) {
  if (!mHaveLibrary) return;
  if (gBass->mVersion24) {
    gBass->BASS_SetConfig(BASS_CONFIG_GVOL_MUSIC, static_cast<DWORD>(static_cast<int>(100 * theVolume)));
    gBass->BASS_SetConfig(BASS_CONFIG_GVOL_STREAM, static_cast<DWORD>(static_cast<int>(100 * theVolume)));
  } else if (gBass->BASS_SetGlobalVolumes != nullptr) {
    const int aVolume = static_cast<int>(mMaxMusicVolume * theVolume);
    gBass->BASS_SetGlobalVolumes(aVolume, aVolume, aVolume);
  } else {
    // A library with only the master volume: scale that instead.
    gBass->BASS_SetVolume(static_cast<DWORD>(static_cast<int>(100 * theVolume)));
  }
}

void BassMusicInterface::SetMusicAmplify(int theSongId, double theAmp) {
  BassMusicInfo* aInfo = Find(theSongId);
  if (aInfo != nullptr)
    gBass->BASS_MusicSetAttribute(aInfo->GetHandle(), 0, static_cast<DWORD>(static_cast<int>(100 * theAmp)));
}

void BassMusicInterface::Update() {
  for (auto& aEntry : mMusicMap) {
    BassMusicInfo& aInfo = aEntry.second;
    if (aInfo.mVolumeAdd == 0.0) continue;
    aInfo.mVolume += aInfo.mVolumeAdd;
    if (aInfo.mVolume > aInfo.mVolumeCap) {
      aInfo.mVolume = aInfo.mVolumeCap;
      aInfo.mVolumeAdd = 0.0;
    } else if (aInfo.mVolume < 0.0) {
      aInfo.mVolume = 0.0;
      aInfo.mVolumeAdd = 0.0;
      if (aInfo.mStopOnFade) gBass->BASS_ChannelStop(aInfo.GetHandle());
    }
    ApplyVolume(aInfo);
  }
}

}  // namespace Tesk

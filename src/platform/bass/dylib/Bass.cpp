// The entry points of our music library. Streams (Ogg Vorbis, 16-bit PCM WAV) play through
// the process's audio core; tracker modules and samples are not offered.
#include "platform/bass/Bass.h"

#include <cctype>
#include <mutex>
#include <string>

#include "platform/audio/dylib/AudioCore.h"
#include "platform/bass/dylib/BassMixer.h"
#include "platform/bass/dylib/BassOggStream.h"
#include "platform/bass/dylib/BassWavStream.h"

#define BASS_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

using Tesk::AudioCore;
using Tesk::BassMixer;

constexpr DWORD k_Version = 0x02040000;

BassMixer* sMixer = nullptr;
int sError = BASS_OK;
DWORD sBufferLength = 500;
DWORD sVolume = 100;

std::recursive_mutex& Mutex() { return AudioCore::Get().Mutex(); }

BOOL Fail(int theError) {
  sError = theError;
  return 0;
}

BOOL Succeed() {
  sError = BASS_OK;
  return 1;
}

// Looks the handle up; every channel call fails the same way for an unknown one.
bool Known(DWORD theHandle) {
  if (sMixer != nullptr && sMixer->Has(theHandle)) return true;
  sError = sMixer == nullptr ? BASS_ERROR_INIT : BASS_ERROR_HANDLE;
  return false;
}

std::string LowerExtension(const std::string& thePath) {
  const size_t aDot = thePath.rfind('.');
  std::string aExtension = aDot == std::string::npos ? "" : thePath.substr(aDot + 1);
  for (char& c : aExtension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return aExtension;
}

}  // namespace

BASS_EXPORT BOOL BASS_Init(int, DWORD, DWORD, void*, void*) {
  {
    std::lock_guard<std::recursive_mutex> aLock(Mutex());
    if (sMixer != nullptr) return Succeed();
    sMixer = new BassMixer();
  }
  AudioCore::Get().AddVoice(sMixer);
  AudioCore::Get().AcquireDevice();
  return Succeed();
}

BASS_EXPORT BOOL BASS_Free() {
  BassMixer* aMixer = nullptr;
  {
    std::lock_guard<std::recursive_mutex> aLock(Mutex());
    aMixer = sMixer;
    sMixer = nullptr;
  }
  if (aMixer == nullptr) return Fail(BASS_ERROR_INIT);
  AudioCore::Get().RemoveVoice(aMixer);
  delete aMixer;
  AudioCore::Get().ReleaseDevice();
  return Succeed();
}

BASS_EXPORT BOOL BASS_Start() {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (sMixer == nullptr) return Fail(BASS_ERROR_INIT);
  sMixer->SetStarted(true);
  return Succeed();
}

BASS_EXPORT BOOL BASS_Stop() {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (sMixer == nullptr) return Fail(BASS_ERROR_INIT);
  sMixer->SetStarted(false);
  return Succeed();
}

BASS_EXPORT BOOL BASS_SetConfig(DWORD theOption, DWORD theValue) {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  switch (theOption) {
    case BASS_CONFIG_BUFFER:
      sBufferLength = theValue;
      return Succeed();
    case BASS_CONFIG_GVOL_STREAM:
    case BASS_CONFIG_GVOL_MUSIC: {
      if (theValue > 100) return Fail(BASS_ERROR_ILLPARAM);
      if (sMixer == nullptr) return Fail(BASS_ERROR_INIT);
      if (theOption == BASS_CONFIG_GVOL_STREAM) {
        sMixer->SetStreamVolume(static_cast<int>(theValue));
      } else {
        sMixer->SetMusicVolume(static_cast<int>(theValue));
      }
      return Succeed();
    }
    default:
      return Fail(BASS_ERROR_ILLPARAM);
  }
}

BASS_EXPORT DWORD BASS_GetConfig(DWORD theOption) {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  switch (theOption) {
    case BASS_CONFIG_BUFFER:
      return sBufferLength;
    case BASS_CONFIG_GVOL_STREAM:
      return sMixer ? static_cast<DWORD>(sMixer->GetStreamVolume()) : 100;
    case BASS_CONFIG_GVOL_MUSIC:
      return sMixer ? static_cast<DWORD>(sMixer->GetMusicVolume()) : 100;
    default:
      sError = BASS_ERROR_ILLPARAM;
      return static_cast<DWORD>(-1);
  }
}

BASS_EXPORT BOOL BASS_SetGlobalVolumes(int theMusic, int, int theStream) {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (sMixer == nullptr) return Fail(BASS_ERROR_INIT);
  if (theMusic >= 0 && theMusic <= 100) sMixer->SetMusicVolume(theMusic);
  if (theStream >= 0 && theStream <= 100) sMixer->SetStreamVolume(theStream);
  return Succeed();
}

BASS_EXPORT BOOL BASS_SetVolume(DWORD theVolume) {
  if (theVolume > 100) return Fail(BASS_ERROR_ILLPARAM);
  sVolume = theVolume;
  return Succeed();
}

BASS_EXPORT DWORD BASS_GetVolume() { return sVolume; }
BASS_EXPORT DWORD BASS_GetVersion() { return k_Version; }
BASS_EXPORT int BASS_ErrorGetCode() { return sError; }

BASS_EXPORT HSTREAM BASS_StreamCreateFile(BOOL theMemory, const void* theFile, DWORD, DWORD, DWORD) {
  if (theMemory || theFile == nullptr) return Fail(BASS_ERROR_ILLPARAM);
  const std::string aPath(static_cast<const char*>(theFile));
  const std::string aExtension = LowerExtension(aPath);
  std::unique_ptr<Tesk::BassStream> aStream;
  int anError = BASS_ERROR_FILEFORM;
  if (aExtension == "wav") {
    aStream = Tesk::BassWavStream::Open(aPath, &anError);
  } else if (aExtension == "ogg") {
    aStream = Tesk::BassOggStream::Open(aPath, &anError);
  }
  if (!aStream) return Fail(anError);
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (sMixer == nullptr) return Fail(BASS_ERROR_INIT);
  sError = BASS_OK;
  return sMixer->AddStream(std::move(aStream));
}

BASS_EXPORT BOOL BASS_StreamFree(HSTREAM theHandle) {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (!Known(theHandle)) return 0;
  sMixer->Free(theHandle);
  return Succeed();
}

BASS_EXPORT BOOL BASS_ChannelPlay(DWORD theHandle, BOOL theRestart) {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (!Known(theHandle)) return 0;
  sMixer->Play(theHandle, theRestart != 0);
  return Succeed();
}

BASS_EXPORT BOOL BASS_ChannelStop(DWORD theHandle) {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (!Known(theHandle)) return 0;
  sMixer->Stop(theHandle);
  return Succeed();
}

BASS_EXPORT BOOL BASS_ChannelPause(DWORD theHandle) {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (!Known(theHandle)) return 0;
  return sMixer->Pause(theHandle) ? Succeed() : Fail(BASS_ERROR_NOTAVAIL);
}

BASS_EXPORT DWORD BASS_ChannelIsActive(DWORD theHandle) {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (!Known(theHandle)) return BASS_ACTIVE_STOPPED;
  return sMixer->IsActive(theHandle);
}

BASS_EXPORT DWORD BASS_ChannelSetFlags(DWORD theHandle, DWORD theFlags) {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (!Known(theHandle)) return static_cast<DWORD>(-1);
  sError = BASS_OK;
  return sMixer->SetFlags(theHandle, theFlags);
}

BASS_EXPORT BOOL BASS_ChannelSetAttributes(DWORD theHandle, int theFreq, int theVolume, int thePan) {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (!Known(theHandle)) return 0;
  sMixer->SetAttributes(theHandle, theFreq, theVolume, thePan);
  return Succeed();
}

BASS_EXPORT BOOL BASS_ChannelGetAttributes(DWORD theHandle, DWORD* theFreq, DWORD* theVolume, int* thePan) {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (!Known(theHandle)) return 0;
  sMixer->GetAttributes(theHandle, theFreq, theVolume, thePan);
  return Succeed();
}

BASS_EXPORT BOOL BASS_ChannelSetPosition(DWORD theHandle, QWORD thePosition) {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (!Known(theHandle)) return 0;
  return sMixer->SetPosition(theHandle, thePosition) ? Succeed() : Fail(BASS_ERROR_ILLPARAM);
}

BASS_EXPORT QWORD BASS_ChannelGetPosition(DWORD theHandle) {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (!Known(theHandle)) return static_cast<QWORD>(-1);
  return sMixer->GetPosition(theHandle);
}

BASS_EXPORT QWORD BASS_ChannelGetLength(DWORD theHandle) {
  std::lock_guard<std::recursive_mutex> aLock(Mutex());
  if (!Known(theHandle)) return static_cast<QWORD>(-1);
  return sMixer->GetLength(theHandle);
}

// Tracker modules: this library has no module player, so loading one fails and the module calls
// find no handle.
BASS_EXPORT HMUSIC BASS_MusicLoad(BOOL, const void*, DWORD, DWORD, DWORD, DWORD) {
  return Fail(BASS_ERROR_FORMAT);
}
BASS_EXPORT BOOL BASS_MusicFree(HMUSIC) { return Fail(BASS_ERROR_HANDLE); }
BASS_EXPORT BOOL BASS_MusicSetAttribute(DWORD, DWORD, DWORD) { return Fail(BASS_ERROR_HANDLE); }
BASS_EXPORT DWORD BASS_MusicGetAttribute(DWORD, DWORD) {
  sError = BASS_ERROR_HANDLE;
  return static_cast<DWORD>(-1);
}

// Looked up by the program but never called.
BASS_EXPORT BOOL BASS_GetInfo(void*) { return Fail(BASS_ERROR_NOTAVAIL); }
BASS_EXPORT BOOL BASS_ChannelSlideAttributes(DWORD, int, int, int, DWORD) {
  return Fail(BASS_ERROR_NOTAVAIL);
}
BASS_EXPORT DWORD BASS_ChannelIsSliding(DWORD) { return Fail(BASS_ERROR_NOTAVAIL); }
BASS_EXPORT DWORD BASS_ChannelGetLevel(DWORD) { return Fail(BASS_ERROR_NOTAVAIL); }
BASS_EXPORT HSYNC BASS_ChannelSetSync(DWORD, DWORD, QWORD, void*, DWORD) { return Fail(BASS_ERROR_NOTAVAIL); }
BASS_EXPORT BOOL BASS_ChannelRemoveSync(DWORD, HSYNC) { return Fail(BASS_ERROR_NOTAVAIL); }
BASS_EXPORT DWORD BASS_ChannelGetData(DWORD, void*, DWORD) {
  return static_cast<DWORD>(Fail(BASS_ERROR_NOTAVAIL)) - 1;
}
BASS_EXPORT DWORD BASS_MusicGetOrders(HMUSIC) { return static_cast<DWORD>(Fail(BASS_ERROR_NOTAVAIL)) - 1; }
BASS_EXPORT DWORD BASS_MusicGetOrderPosition(HMUSIC) {
  return static_cast<DWORD>(Fail(BASS_ERROR_NOTAVAIL)) - 1;
}
BASS_EXPORT HSAMPLE BASS_SampleLoad(BOOL, const void*, DWORD, DWORD, DWORD, DWORD) {
  return Fail(BASS_ERROR_NOTAVAIL);
}
BASS_EXPORT BOOL BASS_SampleFree(HSAMPLE) { return Fail(BASS_ERROR_NOTAVAIL); }
BASS_EXPORT BOOL BASS_SampleSetInfo(HSAMPLE, void*) { return Fail(BASS_ERROR_NOTAVAIL); }
BASS_EXPORT BOOL BASS_SampleGetInfo(HSAMPLE, void*) { return Fail(BASS_ERROR_NOTAVAIL); }
BASS_EXPORT HCHANNEL BASS_SampleGetChannel(HSAMPLE, BOOL) { return Fail(BASS_ERROR_NOTAVAIL); }
BASS_EXPORT BOOL BASS_SampleStop(HSAMPLE) { return Fail(BASS_ERROR_NOTAVAIL); }
BASS_EXPORT HPLUGIN BASS_PluginLoad(const char*, DWORD) { return Fail(BASS_ERROR_NOTAVAIL); }
BASS_EXPORT BOOL BASS_ChannelPreBuf(DWORD, DWORD) { return Fail(BASS_ERROR_NOTAVAIL); }

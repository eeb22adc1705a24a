// The music library opened at run time, with its entry points bound by name.
#pragma once

#include <string>

#include "platform/bass/Bass.h"

namespace Tesk {

class BASS_INSTANCE {
 public:
  // Opens theLibraryPath lazily and binds every entry point; IsLoaded tells whether all
  // the required ones were found (the reason is shown to the user otherwise).
  explicit BASS_INSTANCE(const std::string& theLibraryPath);
  virtual ~BASS_INSTANCE();

  bool IsLoaded() const { return mLoaded; }
  BOOL BASS_ChannelResume(DWORD theHandle) { return BASS_ChannelPlay(theHandle, 0); }

  void* mModule = nullptr;
  bool mVersion24 = false;  // BASS_SetConfig exists: the newer argument lists are in force

  BASS_Init_t BASS_Init = nullptr;
  BASS_Init_Old_t BASS_Init_Old = nullptr;  // the same entry point, older argument list
  BASS_Void_t BASS_Free = nullptr;
  BASS_Void_t BASS_Stop = nullptr;
  BASS_Void_t BASS_Start = nullptr;
  BASS_GetVolume_t BASS_GetVolume = nullptr;
  BASS_GetInfo_t BASS_GetInfo = nullptr;
  BASS_MusicSetAttribute_t BASS_MusicSetAttribute = nullptr;
  BASS_GetVersion_t BASS_GetVersion = nullptr;
  BASS_ChannelStop_t BASS_ChannelStop = nullptr;
  BASS_ChannelPlay_t BASS_ChannelPlay = nullptr;
  BASS_ChannelPause_t BASS_ChannelPause = nullptr;
  BASS_ChannelSetAttributes_t BASS_ChannelSetAttributes = nullptr;
  BASS_ChannelGetAttributes_t BASS_ChannelGetAttributes = nullptr;
  BASS_ChannelSetPosition_t BASS_ChannelSetPosition = nullptr;
  BASS_ChannelGetPosition_t BASS_ChannelGetPosition = nullptr;
  BASS_ChannelIsActive_t BASS_ChannelIsActive = nullptr;
  BASS_ChannelSetFlags_t BASS_ChannelSetFlags = nullptr;
  BASS_ChannelSlideAttributes_t BASS_ChannelSlideAttributes = nullptr;
  BASS_ChannelIsSliding_t BASS_ChannelIsSliding = nullptr;
  BASS_ChannelGetLevel_t BASS_ChannelGetLevel = nullptr;
  BASS_ChannelSetSync_t BASS_ChannelSetSync = nullptr;
  BASS_ChannelRemoveSync_t BASS_ChannelRemoveSync = nullptr;
  BASS_ChannelGetData_t BASS_ChannelGetData = nullptr;
  BASS_MusicLoad_t BASS_MusicLoad = nullptr;
  BASS_MusicLoad_Old_t BASS_MusicLoad_Old = nullptr;
  BASS_MusicFree_t BASS_MusicFree = nullptr;
  BASS_MusicGetAttribute_t BASS_MusicGetAttribute = nullptr;
  BASS_StreamCreateFile_t BASS_StreamCreateFile = nullptr;
  BASS_StreamFree_t BASS_StreamFree = nullptr;
  BASS_MusicGetOrders_t BASS_MusicGetOrders = nullptr;
  BASS_MusicGetOrderPosition_t BASS_MusicGetOrderPosition = nullptr;
  BASS_SampleLoad_t BASS_SampleLoad = nullptr;
  BASS_SampleFree_t BASS_SampleFree = nullptr;
  BASS_SampleSetInfo_t BASS_SampleSetInfo = nullptr;
  BASS_SampleGetInfo_t BASS_SampleGetInfo = nullptr;
  BASS_SampleGetChannel_t BASS_SampleGetChannel = nullptr;
  BASS_SampleStop_t BASS_SampleStop = nullptr;
  BASS_ErrorGetCode_t BASS_ErrorGetCode = nullptr;
  BASS_SetGlobalVolumes_t BASS_SetGlobalVolumes = nullptr;
  BASS_SetVolume_t BASS_SetVolume = nullptr;
  BASS_SetConfig_t BASS_SetConfig = nullptr;
  BASS_GetConfig_t BASS_GetConfig = nullptr;
  BASS_PluginLoad_t BASS_PluginLoad = nullptr;
  BASS_ChannelGetLength_t BASS_ChannelGetLength = nullptr;
  BASS_ChannelPreBuf_t BASS_ChannelPreBuf = nullptr;

 private:
  bool mLoaded = false;
};

// The one bound library; null until LoadBassDLL succeeds.
extern BASS_INSTANCE* gBass;

// Binds the library beside the executable; false (and gBass null) when it or one of its
// required entry points is missing: the program then goes on without music.
bool LoadBassDLL();
void FreeBassDLL();

// Where LoadBassDLL looks; empty means the executable's folder.
void SetBassLibraryFolder(const std::string& theFolder);

}  // namespace Tesk

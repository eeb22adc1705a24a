// The music library's entry points as the program binds them by name at run time.
#pragma once

#include <cstdint>

typedef uint32_t DWORD;
typedef uint64_t QWORD;
typedef int BOOL;
typedef DWORD HMUSIC;
typedef DWORD HSTREAM;
typedef DWORD HSAMPLE;
typedef DWORD HCHANNEL;
typedef DWORD HSYNC;
typedef DWORD HPLUGIN;

// The file name the program looks for beside its executable.
#define TESK_BASS_LIBRARY_NAME "libbass.so"

constexpr DWORD BASS_SAMPLE_LOOP = 4;
constexpr DWORD BASS_MUSIC_RAMP = 0x200;

enum : DWORD {
  BASS_ACTIVE_STOPPED = 0,
  BASS_ACTIVE_PLAYING = 1,
  BASS_ACTIVE_STALLED = 2,
  BASS_ACTIVE_PAUSED = 3,
};

enum : DWORD {
  BASS_CONFIG_BUFFER = 0,
  BASS_CONFIG_GVOL_STREAM = 5,
  BASS_CONFIG_GVOL_MUSIC = 6,
};

enum : int {
  BASS_OK = 0,
  BASS_ERROR_HANDLE = 5,
  BASS_ERROR_FILEOPEN = 2,
  BASS_ERROR_FORMAT = 6,
  BASS_ERROR_INIT = 8,
  BASS_ERROR_ILLPARAM = 20,
  BASS_ERROR_NOTAVAIL = 37,
  BASS_ERROR_FILEFORM = 41,
};

extern "C" {
typedef BOOL (*BASS_Init_t)(int device, DWORD freq, DWORD flags, void* win, void* clsid);
typedef BOOL (*BASS_Init_Old_t)(int device, DWORD freq, DWORD flags, void* win);
typedef BOOL (*BASS_Void_t)();
typedef DWORD (*BASS_GetVolume_t)();
typedef BOOL (*BASS_GetInfo_t)(void* info);
typedef BOOL (*BASS_MusicSetAttribute_t)(DWORD handle, DWORD attrib, DWORD value);
typedef DWORD (*BASS_GetVersion_t)();
typedef BOOL (*BASS_ChannelStop_t)(DWORD handle);
typedef BOOL (*BASS_ChannelPlay_t)(DWORD handle, BOOL restart);
typedef BOOL (*BASS_ChannelPause_t)(DWORD handle);
typedef BOOL (*BASS_ChannelSetAttributes_t)(DWORD handle, int freq, int volume, int pan);
typedef BOOL (*BASS_ChannelGetAttributes_t)(DWORD handle, DWORD* freq, DWORD* volume, int* pan);
typedef BOOL (*BASS_ChannelSetPosition_t)(DWORD handle, QWORD pos);
typedef QWORD (*BASS_ChannelGetPosition_t)(DWORD handle);
typedef DWORD (*BASS_ChannelIsActive_t)(DWORD handle);
typedef DWORD (*BASS_ChannelSetFlags_t)(DWORD handle, DWORD flags);
typedef BOOL (*BASS_ChannelSlideAttributes_t)(DWORD handle, int freq, int volume, int pan, DWORD time);
typedef DWORD (*BASS_ChannelIsSliding_t)(DWORD handle);
typedef DWORD (*BASS_ChannelGetLevel_t)(DWORD handle);
typedef HSYNC (*BASS_ChannelSetSync_t)(DWORD handle, DWORD type, QWORD param, void* proc, DWORD user);
typedef BOOL (*BASS_ChannelRemoveSync_t)(DWORD handle, HSYNC sync);
typedef DWORD (*BASS_ChannelGetData_t)(DWORD handle, void* buffer, DWORD length);
typedef HMUSIC (*BASS_MusicLoad_t)(BOOL mem, const void* file, DWORD offset, DWORD length, DWORD flags,
                                   DWORD freq);
typedef HMUSIC (*BASS_MusicLoad_Old_t)(BOOL mem, const void* file, DWORD offset, DWORD length, DWORD flags);
typedef BOOL (*BASS_MusicFree_t)(HMUSIC handle);
typedef DWORD (*BASS_MusicGetAttribute_t)(DWORD handle, DWORD attrib);
typedef HSTREAM (*BASS_StreamCreateFile_t)(BOOL mem, const void* file, DWORD offset, DWORD length,
                                           DWORD flags);
typedef BOOL (*BASS_StreamFree_t)(HSTREAM handle);
typedef DWORD (*BASS_MusicGetOrders_t)(HMUSIC handle);
typedef DWORD (*BASS_MusicGetOrderPosition_t)(HMUSIC handle);
typedef HSAMPLE (*BASS_SampleLoad_t)(BOOL mem, const void* file, DWORD offset, DWORD length, DWORD max,
                                     DWORD flags);
typedef BOOL (*BASS_SampleFree_t)(HSAMPLE handle);
typedef BOOL (*BASS_SampleSetInfo_t)(HSAMPLE handle, void* info);
typedef BOOL (*BASS_SampleGetInfo_t)(HSAMPLE handle, void* info);
typedef HCHANNEL (*BASS_SampleGetChannel_t)(HSAMPLE handle, BOOL onlynew);
typedef BOOL (*BASS_SampleStop_t)(HSAMPLE handle);
typedef int (*BASS_ErrorGetCode_t)();
typedef BOOL (*BASS_SetGlobalVolumes_t)(int musvol, int samvol, int strvol);
typedef BOOL (*BASS_SetVolume_t)(DWORD volume);
typedef BOOL (*BASS_SetConfig_t)(DWORD option, DWORD value);
typedef DWORD (*BASS_GetConfig_t)(DWORD option);
typedef HPLUGIN (*BASS_PluginLoad_t)(const char* file, DWORD flags);
typedef QWORD (*BASS_ChannelGetLength_t)(DWORD handle);
typedef BOOL (*BASS_ChannelPreBuf_t)(DWORD handle, DWORD length);
}

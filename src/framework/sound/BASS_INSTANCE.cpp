#include "sound/BASS_INSTANCE.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdio>

#include "core/Common.h"
#include "core/MacUtils.h"

namespace Tesk {

BASS_INSTANCE* gBass = nullptr;

namespace {

std::string sLibraryFolder;

template <typename T>
bool Bind(void* theModule, const char* theName, T* thePointer, bool theRequired) {
  *thePointer = reinterpret_cast<T>(dlsym(theModule, theName));
  if (*thePointer == nullptr && theRequired) {
    char aText[256];
    std::snprintf(aText, sizeof(aText), "%s function not found in bass.dll", theName);
    MessageBox(nullptr, aText, "Error", MB_ICONHAND);
    return false;
  }
  return true;
}

std::string ExecutableFolder() {
  char aPath[512];
  const ssize_t aLength = ::readlink("/proc/self/exe", aPath, sizeof(aPath) - 1);
  if (aLength <= 0) return ".";
  aPath[aLength] = 0;
  return GetFileDir(aPath, false);
}

}  // namespace

// The first missing name is reported and binding stops there, as one message is enough.
#define TESK_BIND(name) aOk = aOk && Bind(mModule, #name, &name, true)

BASS_INSTANCE::BASS_INSTANCE(const std::string& theLibraryPath) {
  mModule = dlopen(theLibraryPath.c_str(), RTLD_LAZY);
  if (mModule == nullptr) return;
  bool aOk = true;
  TESK_BIND(BASS_Init);
  TESK_BIND(BASS_Free);
  TESK_BIND(BASS_Stop);
  TESK_BIND(BASS_Start);
  Bind(mModule, "BASS_SetGlobalVolumes", &BASS_SetGlobalVolumes, false);
  Bind(mModule, "BASS_SetVolume", &BASS_SetVolume, false);
  if (aOk && BASS_SetGlobalVolumes == nullptr && BASS_SetVolume == nullptr) {
    MessageBox(nullptr, "Neither BASS_SetGlobalVolumes or BASS_SetVolume found in bass.dll", "Error",
               MB_ICONHAND);
    aOk = false;
  }
  TESK_BIND(BASS_GetVolume);
  TESK_BIND(BASS_GetInfo);
  TESK_BIND(BASS_MusicSetAttribute);
  TESK_BIND(BASS_GetVersion);
  TESK_BIND(BASS_ChannelStop);
  TESK_BIND(BASS_ChannelPlay);
  TESK_BIND(BASS_ChannelPause);
  TESK_BIND(BASS_ChannelSetAttributes);
  TESK_BIND(BASS_ChannelGetAttributes);
  TESK_BIND(BASS_ChannelSetPosition);
  TESK_BIND(BASS_ChannelGetPosition);
  TESK_BIND(BASS_ChannelIsActive);
  TESK_BIND(BASS_ChannelSetFlags);
  TESK_BIND(BASS_ChannelSlideAttributes);
  TESK_BIND(BASS_ChannelIsSliding);
  TESK_BIND(BASS_ChannelGetLevel);
  TESK_BIND(BASS_ChannelSetSync);
  TESK_BIND(BASS_ChannelRemoveSync);
  TESK_BIND(BASS_ChannelGetData);
  TESK_BIND(BASS_MusicLoad);
  TESK_BIND(BASS_MusicFree);
  TESK_BIND(BASS_MusicGetAttribute);
  TESK_BIND(BASS_StreamCreateFile);
  TESK_BIND(BASS_StreamFree);
  TESK_BIND(BASS_MusicGetOrders);
  TESK_BIND(BASS_MusicGetOrderPosition);
  TESK_BIND(BASS_SampleLoad);
  TESK_BIND(BASS_SampleFree);
  TESK_BIND(BASS_SampleSetInfo);
  TESK_BIND(BASS_SampleGetInfo);
  TESK_BIND(BASS_SampleGetChannel);
  TESK_BIND(BASS_SampleStop);
  TESK_BIND(BASS_ErrorGetCode);
  Bind(mModule, "BASS_SetConfig", &BASS_SetConfig, false);
  Bind(mModule, "BASS_GetConfig", &BASS_GetConfig, false);
  mVersion24 = BASS_SetConfig != nullptr;
  if (!mVersion24) {
    Bind(mModule, "BASS_Init", &BASS_Init_Old, false);
    Bind(mModule, "BASS_MusicLoad", &BASS_MusicLoad_Old, false);
  } else {
    Bind(mModule, "BASS_PluginLoad", &BASS_PluginLoad, false);
    Bind(mModule, "BASS_ChannelGetLength", &BASS_ChannelGetLength, false);
    Bind(mModule, "BASS_ChannelPreBuf", &BASS_ChannelPreBuf, false);
  }
  mLoaded = aOk;
}

#undef TESK_BIND

BASS_INSTANCE::~BASS_INSTANCE() {
  if (mModule != nullptr) dlclose(mModule);
}

void SetBassLibraryFolder(const std::string& theFolder) { sLibraryFolder = theFolder; }

bool LoadBassDLL() {
  if (gBass != nullptr) return true;
  const std::string aFolder = sLibraryFolder.empty() ? ExecutableFolder() : sLibraryFolder;
  const std::string aPath = aFolder + "/" + TESK_BASS_LIBRARY_NAME;
  if (aPath.size() >= 512) return false;
  BASS_INSTANCE* aInstance = new BASS_INSTANCE(aPath);
  if (aInstance->mModule == nullptr) {
    MessageBox(nullptr, "Can't find bass.dll.", "Error", MB_ICONHAND);
  }
  if (!aInstance->IsLoaded()) {
    // Music is not worth ending the game for: it goes on silently.
    delete aInstance;
    return false;
  }
  gBass = aInstance;
  return true;
}

void FreeBassDLL() {
  delete gBass;
  gBass = nullptr;
}

}  // namespace Tesk

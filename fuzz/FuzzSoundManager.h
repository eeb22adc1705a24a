// One silent sound manager shared by the sound-reader fuzz targets.
#pragma once

#include "platform/audio/dylib/AudioCore.h"
#include "sound/DSoundManager.h"

namespace FuzzInput {

inline Tesk::DSoundManager& SoundManager() {
  static char sWindow;
  static Tesk::DSoundManager* sManager = [] {
    Tesk::AudioCore::Get().SetDeviceWanted(false);
    return new Tesk::DSoundManager(reinterpret_cast<OpaqueWindowPtr*>(&sWindow), false);
  }();
  return *sManager;
}

}  // namespace FuzzInput

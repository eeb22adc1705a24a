#pragma once
// Every sound of the game: the manifest's effects and the ambient set that the
// locations and the map load by file name. All are synthesised.
#include <string>
#include <vector>

#include "MediaAssets.h"
#include "Synth.h"

namespace GameAssets {

enum class SoundFormat { Wav, Ogg, Au };

struct GameSound {
  const char* mGroup;  // manifest group, or nullptr for a sound the game loads by name
  const char* mId;     // manifest id, or nullptr
  const char* mPath;   // relative to the resources folder, without the extension
  SoundFormat mFormat;
  Synth::Signal (*mMake)();
  float mPeak = 0.7f;  // the loudest sample after normalising
};

const std::vector<GameSound>& GameSounds();

// The file a sound is written to, relative to the resources folder.
std::string SoundFileOf(const GameSound& theSound);

// The file's bytes in the sound's format.
std::string EncodeSound(const Synth::Signal& theSignal, SoundFormat theFormat);

// Writes every sound under theDir and adds the manifest's lines for those that have an id.
bool WriteGameSounds(const std::string& theDir, std::vector<ManifestItem>* theItems, std::string* theError);

}  // namespace GameAssets

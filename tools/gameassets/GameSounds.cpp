#include "GameSounds.h"

#include "AssetFile.h"
#include "SoundRecipes.h"
#include "SoundWriter.h"

namespace GameAssets {

using TeskTools::SoundWriter;

const std::vector<GameSound>& GameSounds() {
  static const std::vector<GameSound> sSounds = [] {
    std::vector<GameSound> aSounds = EffectSounds();
    for (const GameSound& s : AmbientSounds()) aSounds.push_back(s);
    return aSounds;
  }();
  return sSounds;
}

std::string SoundFileOf(const GameSound& theSound) {
  static const char* const kExtensions[] = {".wav", ".ogg", ".au"};
  return std::string(theSound.mPath) + kExtensions[static_cast<int>(theSound.mFormat)];
}

std::string EncodeSound(const Synth::Signal& theSignal, SoundFormat theFormat) {
  const std::vector<int16_t> aPcm = Synth::ToPcm16(theSignal.mSamples);
  switch (theFormat) {
    case SoundFormat::Ogg:
      return SoundWriter::Ogg(aPcm, 1, theSignal.mRate, 0.4f);
    case SoundFormat::Au:
      return SoundWriter::Au(SoundWriter::MuLaw(aPcm), 1, theSignal.mRate, 1);
    case SoundFormat::Wav:
      break;
  }
  return SoundWriter::Wav(SoundWriter::Bytes16(aPcm), 1, theSignal.mRate, 16);
}

bool WriteGameSounds(const std::string& theDir, std::vector<ManifestItem>* theItems, std::string* theError) {
  for (const GameSound& aSound : GameSounds()) {
    Synth::Signal aSignal = aSound.mMake();
    Synth::Normalize(aSignal, aSound.mPeak);
    const std::string aBytes = EncodeSound(aSignal, aSound.mFormat);
    const std::string aPath = theDir + "/" + SoundFileOf(aSound);
    if (aBytes.empty() || !WriteAssetFile(aPath, aBytes)) {
      *theError = "cannot write " + aPath;
      return false;
    }
    if (aSound.mId) theItems->push_back({aSound.mGroup, "Sound", aSound.mId, aSound.mPath, ""});
  }
  return true;
}

}  // namespace GameAssets

// The sounds and the music as the game reads them: through the manifest's resource
// manager and the sound manager's own readers, with their names, lengths, levels and
// seams checked on the decoded samples.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <cstring>
#include <iterator>
#include <map>
#include <set>

#include "GameMusic.h"
#include "GameSounds.h"
#include "MediaFixture.h"
#include "framework/sound/SoundTestSupport.h"
#include "platform/audio/dylib/AudioCore.h"
#include "sound/SoundInstance.h"
#include "sound/macDirectSoundBuffer.h"

namespace {

struct Decoded {
  int mChannels = 0;
  int mRate = 0;
  std::vector<int16_t> mSamples;  // interleaved

  double Seconds() const { return mChannels ? static_cast<double>(mSamples.size()) / mChannels / mRate : 0; }
  // One channel as floats.
  std::vector<double> Channel(int theChannel) const {
    std::vector<double> aOut;
    for (size_t i = theChannel; i < mSamples.size(); i += mChannels) aOut.push_back(mSamples[i] / 32768.0);
    return aOut;
  }
};

Decoded Read(Tesk::DSoundManager& theManager, unsigned theId) {
  Decoded aDecoded;
  Tesk::macDirectSoundBuffer* aBuffer = theManager.GetSourceBuffer(theId);
  if (!aBuffer) return aDecoded;
  Tesk::WAVEFORMATEX aFormat{};
  aBuffer->GetFormat(&aFormat, sizeof(aFormat), nullptr);
  aDecoded.mChannels = aFormat.nChannels;
  aDecoded.mRate = static_cast<int>(aFormat.nSamplesPerSec);
  if (aFormat.wBitsPerSample != 16) return aDecoded;  // every sound of ours decodes to 16 bits
  void* aPtr = nullptr;
  uint32_t aLength = 0;
  aBuffer->Lock(0, 0x7FFFFFFF, &aPtr, &aLength, nullptr, nullptr, 0);
  aDecoded.mSamples.resize(aLength / 2);
  if (aPtr) std::memcpy(aDecoded.mSamples.data(), aPtr, aDecoded.mSamples.size() * 2);
  aBuffer->Unlock(aPtr, aLength, nullptr, 0);
  return aDecoded;
}

double Rms(const std::vector<double>& theSamples, size_t theFrom, size_t theTo) {
  double aSum = 0;
  for (size_t i = theFrom; i < theTo; ++i) aSum += theSamples[i] * theSamples[i];
  return theTo > theFrom ? std::sqrt(aSum / (theTo - theFrom)) : 0;
}

// The jump from the last sample back to the first, against the signal's usual step:
// a clean loop's seam is one more ordinary step.
void ExpectSeamless(const std::vector<double>& theSamples) {
  ASSERT_GT(theSamples.size(), 2u);
  double aSteps = 0;
  for (size_t i = 1; i < theSamples.size(); ++i) aSteps += std::fabs(theSamples[i] - theSamples[i - 1]);
  const double aUsual = aSteps / (theSamples.size() - 1);
  EXPECT_LE(std::fabs(theSamples.front() - theSamples.back()), 8 * aUsual + 0.002);
}

// The ambient names the locations and the map load, exact case: constant loops first.
const char* const kConstantLoops[] = {"ambient/clocktick2", "ambient/sparrow3",  "ambient/Wind_Light_Loop",
                                      "ambient/nitepond",   "ambient/torchfire", "ambient/CAVEWIND",
                                      "ambient/crickets",   "ambient/mine",      "ambient/quietfo"};
const char* const kOtherAmbient[] = {"ambient/bird",
                                     "ambient/chain",
                                     "ambient/clockchime1",
                                     "ambient/gravelwalk",
                                     "ambient/heartbe",
                                     "ambient/Step_Heavy_A_02",
                                     "ambient/crow",
                                     "ambient/churchbell",
                                     "ambient/oldphone",
                                     "ambient/creakslam",
                                     "ambient/doorcreak3",
                                     "ambient/dovefly",
                                     "ambient/frog3",
                                     "ambient/mice",
                                     "ambient/mouse",
                                     "ambient/owl",
                                     "ambient/thunder",
                                     "ambient/thunderrumble2",
                                     "ambient/windchimes",
                                     "ambient/darkevil",
                                     "ambient/Insect06",
                                     "ambient/Dragon_Idle01",
                                     "ambient/Creature_SmallA_Idle01",
                                     "ambient/Insect04",
                                     "ambient/Insect_Alien01",
                                     "ambient/Creature_LargeI_Idle01",
                                     "ambient/Stream_Splash",
                                     "ambient/cock",
                                     "ambient/Step_Grass_B_01",
                                     "ambient/Step_Foliage01",
                                     "ambient/CRK_SQK1",
                                     "ambient/BLUEJAY2",
                                     "ambient/wolf2",
                                     "ambient/owl2",
                                     "ambient/harp",
                                     "ambient/goaway",
                                     "ambient/write",
                                     "ambient/treeSnoreIn",
                                     "ambient/treeSnoreOut"};

// The sounds made at the mixer's rate, the rest being made at half of it.
const char* const kThunders[] = {"sounds/thunder", "sounds/thunder2", "ambient/thunder",
                                 "ambient/thunderrumble2"};

// Power per frequency bin of theSamples, averaged over half-overlapping Hann windows of
// k_window samples (Welch's method); bin k is k * rate / k_window Hz.
constexpr size_t k_window = 2048;

std::vector<double> PowerSpectrum(const std::vector<int16_t>& theSamples) {
  std::vector<double> aPower(k_window / 2 + 1, 0.0);
  std::vector<std::complex<double>> aBins(k_window);
  for (size_t aStart = 0; aStart + k_window <= theSamples.size(); aStart += k_window / 2) {
    for (size_t i = 0; i < k_window; ++i) {
      const double aHann = 0.5 - 0.5 * std::cos(2 * M_PI * i / k_window);
      aBins[i] = aHann * theSamples[aStart + i];
    }
    // Iterative radix-2 transform: bit-reversed order, then butterflies.
    for (size_t i = 1, j = 0; i < k_window; ++i) {
      size_t aBit = k_window >> 1;
      for (; j & aBit; aBit >>= 1) j ^= aBit;
      j ^= aBit;
      if (i < j) std::swap(aBins[i], aBins[j]);
    }
    for (size_t aLength = 2; aLength <= k_window; aLength <<= 1) {
      const std::complex<double> aTurn = std::polar(1.0, -2 * M_PI / aLength);
      for (size_t i = 0; i < k_window; i += aLength) {
        std::complex<double> aTwiddle = 1.0;
        for (size_t k = 0; k < aLength / 2; ++k, aTwiddle *= aTurn) {
          const std::complex<double> anOdd = aBins[i + k + aLength / 2] * aTwiddle;
          aBins[i + k + aLength / 2] = aBins[i + k] - anOdd;
          aBins[i + k] += anOdd;
        }
      }
    }
    for (size_t k = 0; k < aPower.size(); ++k) aPower[k] += std::norm(aBins[k]);
  }
  return aPower;
}

// The power between theLowHz and theHighHz of a spectrum taken at theRate.
double BandPower(const std::vector<double>& theSpectrum, int theRate, double theLowHz, double theHighHz) {
  double aSum = 0;
  for (size_t k = 0; k < theSpectrum.size(); ++k) {
    const double aHz = static_cast<double>(k) * theRate / k_window;
    if (aHz >= theLowHz && aHz < theHighHz) aSum += theSpectrum[k];
  }
  return aSum;
}

class MediaSounds : public MediaTest::MediaFixture {};

}  // namespace

TEST_F(MediaSounds, ManifestItemsAreTheFontsAndSoundsOfTheirGroups) {
  const std::map<std::string, std::vector<std::string>> kExpected = {
      {"Constants",
       {"FONT_TITLE_OPTIONS",
        "FONT_SMALL",
        "FONT_MEDIUM",
        "FONT_INTRO_TEXT",
        "FONT_TIME",
        "SFX_ERROR",
        "SFX_PROFILE_DELETED",
        "SFX_HOVER_GENERAL",
        "SFX_SELECT_PRESS",
        "SFX_START_GAME",
        "SFX_BACK_PRESS",
        "SFX_POPUPBOX_APPEAR",
        "SFX_CHECK",
        "SFX_HINT",
        "SFX_MAP_HOVER",
        "SFX_MAP_ENTER",
        "SFX_MAP_ENTER_LOC",
        "SFX_OBJECT_FOUND",
        "SFX_OBJECT_SET_FOUND",
        "SFX_MISPRESS",
        "SFX_MISPRESS_MULTIPLE",
        "SFX_REPEL",
        "SFX_REPEL_CLICK",
        "SFX_REPEL_COMPLETED",
        "SFX_REVEAL",
        "SFX_REPEL_RECHARGED",
        "SFX_COIN",
        "SFX_TIMER_LOW_CLICK",
        "SFX_LEVEL_FAILED_SOUND",
        "SFX_GRADE_UP",
        "SFX_MINIGAME_PASSED",
        "AMBIENT_BOOK_FLAP",
        "AMBIENT_EARTHQUAKE"}},
      {"Story", {"SFX_RUNE_DESTROY"}},
      {"TitleScreen", {"SFX_WIND", "SFX_THUNDER", "SFX_THUNDER2"}},
      {"MiniGame",
       {"SFX_MATCH_CONNECT", "SFX_MATCH_UNCONNECT", "SFX_MATCH_SHUFFLE", "SFX_CHANT_CLICK", "SFX_CHANT_BACK",
        "SFX_CHANT_WORD_SWAP"}}};
  std::map<std::string, std::vector<std::string>> aFound;
  for (const auto& anItem : MediaTest::Media().mItems) {
    aFound[anItem.mGroup].push_back(anItem.mId);
    EXPECT_EQ(anItem.mKind, anItem.mId.rfind("FONT_", 0) == 0 ? "Font" : "Sound") << anItem.mId;
    EXPECT_EQ(anItem.mPath.find('\\'), std::string::npos);
  }
  EXPECT_EQ(aFound, kExpected);
}

TEST_F(MediaSounds, EveryManifestItemLoadsThroughTheResourceManager) {
  ASSERT_NO_FATAL_FAILURE(LoadMediaGroups());
  for (const auto& anItem : MediaTest::Media().mItems) {
    SCOPED_TRACE(anItem.mId);
    if (anItem.mKind == "Font") {
      EXPECT_NE(mManager->GetFontThrow(anItem.mId), nullptr);
      continue;
    }
    const int anId = mManager->GetSoundThrow(anItem.mId);
    const Decoded aSound = Read(*mApp->mSounds, static_cast<unsigned>(anId));
    EXPECT_GT(aSound.Seconds(), 0.05);
  }
}

TEST_F(MediaSounds, EverySoundDecodesAndTheAmbientSetHasItsNames) {
  const std::set<std::string> kAtMixerRate(std::begin(kThunders), std::end(kThunders));
  std::set<std::string> aWritten;
  std::set<std::string> aFormats;
  Tesk::DSoundManager aManager(SoundTest::FakeWindow(), false);
  unsigned anId = 0;
  for (const GameAssets::GameSound& aSound : GameAssets::GameSounds()) {
    SCOPED_TRACE(aSound.mPath);
    aWritten.insert(aSound.mPath);
    aFormats.insert(GameAssets::SoundFileOf(aSound).substr(GameAssets::SoundFileOf(aSound).rfind('.')));
    ASSERT_TRUE(aManager.LoadSound(anId, aSound.mPath));
    const Decoded aDecoded = Read(aManager, anId);
    aManager.ReleaseSound(anId);
    EXPECT_EQ(aDecoded.mChannels, 1);
    EXPECT_EQ(aDecoded.mRate, kAtMixerRate.count(aSound.mPath) ? 44100 : 22050);
    ASSERT_GT(aDecoded.Seconds(), 0.05);
    const std::vector<double> aSamples = aDecoded.Channel(0);
    double aPeak = 0;
    for (double v : aSamples) aPeak = std::max(aPeak, std::fabs(v));
    EXPECT_GT(aPeak, 0.1) << "too quiet";
    EXPECT_LT(aPeak, 0.99) << "clips";
  }
  for (const char* aName : kConstantLoops) EXPECT_TRUE(aWritten.count(aName)) << aName;
  for (const char* aName : kOtherAmbient) EXPECT_TRUE(aWritten.count(aName)) << aName;
  size_t anAmbient = 0;
  for (const std::string& aPath : aWritten) anAmbient += aPath.rfind("ambient/", 0) == 0;
  EXPECT_EQ(anAmbient, 48u);
  EXPECT_EQ(aFormats, (std::set<std::string>{".wav", ".ogg", ".au"}));
}

TEST_F(MediaSounds, ConstantLoopsHaveNoSeam) {
  Tesk::DSoundManager aManager(SoundTest::FakeWindow(), false);
  for (const char* aName : kConstantLoops) {
    SCOPED_TRACE(aName);
    ASSERT_TRUE(aManager.LoadSound(1, aName));
    const Decoded aDecoded = Read(aManager, 1);
    EXPECT_GE(aDecoded.Seconds(), 3.0);
    ExpectSeamless(aDecoded.Channel(0));
  }
}

TEST_F(MediaSounds, MusicIsLongNeverSilentAndLoopsCleanly) {
  Tesk::DSoundManager aManager(SoundTest::FakeWindow(), false);
  const std::set<std::string> kFiles = {"music/summoning_37.ogg", "music/summoning_a.ogg",
                                        "music/zq_ingame.ogg", "music/elven_kin_full_loop.ogg"};
  std::set<std::string> aFiles;
  for (const GameAssets::Song& aSong : GameAssets::Songs()) {
    SCOPED_TRACE(aSong.mFile);
    aFiles.insert(aSong.mFile);
    std::string aPath = aSong.mFile;
    ASSERT_TRUE(aManager.LoadSound(2, aPath.substr(0, aPath.size() - 4)));
    const Decoded aDecoded = Read(aManager, 2);
    EXPECT_EQ(aDecoded.mChannels, 2);
    EXPECT_GE(aDecoded.Seconds(), 30.0);
    EXPECT_NEAR(aDecoded.Seconds(), GameAssets::SongSeconds(aSong), 0.01);
    for (int c = 0; c < 2; ++c) {
      const std::vector<double> aSamples = aDecoded.Channel(c);
      // A comfortable level overall, and no stretch of two seconds without music.
      const double anRms = Rms(aSamples, 0, aSamples.size());
      EXPECT_GT(anRms, 0.03);
      EXPECT_LT(anRms, 0.3);
      const size_t aWindow = static_cast<size_t>(2 * aDecoded.mRate);
      for (size_t i = 0; i + aWindow <= aSamples.size(); i += aWindow / 2)
        EXPECT_GT(Rms(aSamples, i, i + aWindow), 0.01) << "quiet at " << i / aDecoded.mRate << " s";
      ExpectSeamless(aSamples);
    }
  }
  EXPECT_EQ(aFiles, kFiles);
}

TEST(MediaMusic, MelodiesFillTheirChordsBarForBar) {
  // Each song's melody lasts exactly as long as its chords, so the loop point is the
  // end of a bar for both.
  for (const GameAssets::Song& aSong : GameAssets::Songs()) {
    SCOPED_TRACE(aSong.mFile);
    double aBeats = 0;
    std::string aMelody = aSong.mMelody;
    for (size_t p = aMelody.find(':'); p != std::string::npos; p = aMelody.find(':', p + 1))
      aBeats += std::strtod(aMelody.c_str() + p + 1, nullptr);
    EXPECT_NEAR(aBeats * 60.0 / aSong.mBpm, GameAssets::SongSeconds(aSong), 1e-9);
    EXPECT_GE(GameAssets::SongSeconds(aSong), 30.0);
  }
}

// A sound made at 22050 Hz and raised to the mixer's 44100 Hz by interpolation carries a
// mirror of its spectrum above 11025 Hz: thunder, loudest low down, would rise again towards
// 22 kHz. Made at the mixer's rate, its spectrum goes on falling there (or stays at the floor
// of its encoding).
TEST_F(MediaSounds, ThundersKeepFallingAbove11kHzAtTheMixer) {
  const int kRate = Tesk::AudioCore::k_OutputRate;
  Tesk::AudioCore::Get().SetDeviceWanted(false);
  Tesk::DSoundManager aManager(SoundTest::FakeWindow(), false);
  for (const char* aName : kThunders) {
    SCOPED_TRACE(aName);
    ASSERT_TRUE(aManager.LoadSound(3, aName));
    const double aSeconds = Read(aManager, 3).Seconds();
    Tesk::SoundInstance* anInstance = aManager.GetSoundInstance(3);
    ASSERT_NE(anInstance, nullptr);
    ASSERT_TRUE(anInstance->Play(false, false));
    const std::vector<double> aSpectrum =
        PowerSpectrum(SoundTest::Left(SoundTest::Render(static_cast<int>(aSeconds * kRate))));
    anInstance->Release();
    aManager.ReleaseSound(3);
    double aBelow = BandPower(aSpectrum, kRate, kRate / 4.0 - 1500, kRate / 4.0);
    for (double aLow = kRate / 4.0; aLow + 1500 <= kRate / 2.0; aLow += 1500) {
      const double aBand = BandPower(aSpectrum, kRate, aLow, aLow + 1500);
      // 1 dB for the wobble of a flat floor.
      EXPECT_LE(10 * std::log10(aBand / aBelow), 1.0) << "rises at " << aLow << " Hz";
      aBelow = aBand;
    }
  }
}

// The manifest's sound effects: menus, finds, spells, the title screen's weather and
// the mini-games. Bright and short for the interface, softer for the world.
#include <cmath>

#include "SoundRecipes.h"

namespace GameAssets {

using namespace Synth;

namespace Recipe {

void AddGlints(Signal& theSignal, double theStart, double theLength, int theCount, double theAmp,
               uint32_t theSeed) {
  Random aRandom(theSeed);
  for (int i = 0; i < theCount; ++i) {
    // One draw per statement: argument order is the compiler's choice.
    const double t = theStart + theLength * aRandom.Unit();
    const double aHz = aRandom.Range(3200, 6200);
    const double anAmp = theAmp * aRandom.Range(0.4f, 1.0f);
    AddPartial(theSignal, t, aHz, anAmp, 0.001, aRandom.Range(0.03f, 0.09f));
  }
}

Signal Thunder(double theSeconds, bool theCrack, uint32_t theSeed) {
  Signal s(k_mixerRate, theSeconds);
  if (theCrack) {
    AddNoise(s, 0.0, 0.5, 0.5, 0.003, 0.45, Biquad::LowPass(3500, 0.7, k_mixerRate), theSeed);
    AddNoise(s, 0.08, 0.9, 0.3, 0.01, 0.8, Biquad::LowPass(1200, 0.7, k_mixerRate), theSeed + 1);
  }
  // The roll: low noise that wanders, under an envelope that swells and dies away.
  Signal aRoll(k_mixerRate, theSeconds);
  AddWanderingNoise(aRoll, 0.0, theSeconds, 7.0, 35, 160, 0.8, 5.0, theSeed + 2);
  Biquad aLow = Biquad::LowPass(260, 0.7, k_mixerRate);
  const double aPeak = theCrack ? 0.25 : 0.8;
  for (size_t i = 0; i < aRoll.mSamples.size(); ++i) {
    const double t = static_cast<double>(i) / k_mixerRate;
    const double anEnv = t < aPeak ? t / aPeak : std::exp(-(t - aPeak) / (theSeconds * 0.3));
    s.mSamples[i] += static_cast<float>(anEnv) * aLow.Process(aRoll.mSamples[i]);
  }
  FadeOut(s, 0.4);
  return s;
}

void AddCreak(Signal& theSignal, double theStart, double theLength, double theAmp, double theLowRate,
              double theHighRate, double theResonance, uint32_t theSeed) {
  Random aRandom(theSeed);
  SmoothRandom aRate(theSeed + 5, 3.0, theSignal.mRate);
  Biquad aBody = Biquad::BandPass(theResonance, 4.0, theSignal.mRate);
  Biquad aBody2 = Biquad::BandPass(theResonance * 2.3, 5.0, theSignal.mRate);
  const size_t aBegin = theSignal.At(theStart);
  const size_t anEnd = std::min(theSignal.mSamples.size(), theSignal.At(theStart + theLength));
  double aClock = 0;
  for (size_t i = aBegin; i < anEnd; ++i) {
    const double t = static_cast<double>(i - aBegin) / theSignal.mRate;
    const double aRateHz = theLowRate + (theHighRate - theLowRate) * aRate.Next();
    aClock += aRateHz / theSignal.mRate;
    float anImpulse = 0;
    if (aClock >= 1.0) {
      aClock -= 1.0;
      anImpulse = 0.6f + 0.4f * aRandom.Unit();
    }
    const double anEnv = std::sin(Synth::k_pi * std::min(1.0, t / theLength));
    const float v = aBody.Process(anImpulse) + 0.5f * aBody2.Process(anImpulse);
    theSignal.mSamples[i] += static_cast<float>(theAmp * anEnv) * v * 6.0f;
  }
}

void AddStep(Signal& theSignal, double theStart, double theAmp, double theThudHz, double theCrunchHz,
             double theCrunchLength, uint32_t theSeed) {
  AddPartial(theSignal, theStart, theThudHz, theAmp * 0.8, 0.003, 0.05, theThudHz * 0.7, 0.2);
  Random aRandom(theSeed);
  // The crunch: a few grains close together.
  for (int g = 0; g < 6; ++g) {
    const double t = theStart + theCrunchLength * 0.8 * aRandom.Unit();
    const double aLength = 0.02 + 0.03 * aRandom.Unit();
    const double anAmp = theAmp * aRandom.Range(0.3f, 0.7f);
    const double aHz = theCrunchHz * aRandom.Range(0.7f, 1.4f);
    AddNoise(theSignal, t, aLength, anAmp, 0.002, 0.02, Biquad::BandPass(aHz, 1.2, theSignal.mRate),
             theSeed + g);
  }
}

}  // namespace Recipe

namespace {

constexpr int R = k_effectRate;

Signal Error() {
  Signal s(R, 0.45);
  const double kNotes[2] = {196.0, 155.6};
  for (int n = 0; n < 2; ++n)
    for (int k = 1; k <= 4; ++k) AddPartial(s, n * 0.14, kNotes[n] * k, 0.5 / k, 0.004, 0.09);
  return s;
}

Signal ProfileDeleted() {
  Signal s(R, 0.9);
  AddNoiseSweep(s, 0.0, 0.6, 0.9, 2500, 300, 1.2, 0.05, 0.3, 11);
  AddPartial(s, 0.05, 440, 0.4, 0.01, 0.3, 140, 0.6);
  AddPartial(s, 0.45, 90, 0.5, 0.004, 0.1);
  return s;
}

Signal HoverGeneral() {
  Signal s(R, 0.1);
  AddPartial(s, 0.0, 1800, 0.35, 0.001, 0.012);
  AddPartial(s, 0.0, 2700, 0.2, 0.001, 0.008);
  return s;
}

Signal SelectPress() {
  Signal s(R, 0.5);
  AddPartial(s, 0.0, 1200, 0.5, 0.001, 0.02);
  AddNoise(s, 0.0, 0.015, 0.3, 0.001, 0.01, Biquad::BandPass(3000, 1.0, R), 3);
  AddBell(s, 0.01, 1568, 0.22, 0.2);
  return s;
}

Signal StartGame() {
  Signal s(R, 1.7);
  const double kNotes[] = {587.3, 740.0, 880.0, 1174.7, 1480.0};
  for (int i = 0; i < 5; ++i) AddBell(s, i * 0.07, kNotes[i], 0.3, 0.5);
  AddNoiseSweep(s, 0.0, 1.2, 0.15, 1500, 7000, 2.0, 0.3, 0.8, 5);
  Recipe::AddGlints(s, 0.2, 1.0, 14, 0.06, 7);
  return s;
}

Signal BackPress() {
  Signal s(R, 0.4);
  AddPartial(s, 0.0, 800, 0.5, 0.001, 0.02);
  AddNoise(s, 0.0, 0.015, 0.25, 0.001, 0.01, Biquad::BandPass(2000, 1.0, R), 4);
  AddBell(s, 0.01, 1046.5, 0.18, 0.15);
  return s;
}

Signal PopupAppear() {
  Signal s(R, 0.5);
  AddNoiseSweep(s, 0.0, 0.4, 0.6, 900, 2600, 0.8, 0.08, 0.28, 21);
  AddPartial(s, 0.02, 110, 0.35, 0.01, 0.08);
  return s;
}

Signal Check() {
  Signal s(R, 0.12);
  AddPartial(s, 0.0, 2400, 0.35, 0.001, 0.008);
  AddPartial(s, 0.0, 1600, 0.3, 0.001, 0.015);
  return s;
}

Signal Hint() {
  Signal s(R, 1.3);
  AddBell(s, 0.0, 880, 0.35, 0.45);
  AddBell(s, 0.16, 1318.5, 0.3, 0.5);
  return s;
}

Signal MapHover() {
  Signal s(R, 0.1);
  AddNoise(s, 0.0, 0.05, 0.35, 0.002, 0.04, Biquad::BandPass(3000, 1.5, R), 8);
  AddPartial(s, 0.0, 900, 0.25, 0.001, 0.012);
  return s;
}

Signal MapEnter() {
  Signal s(R, 0.7);
  AddNoiseSweep(s, 0.0, 0.65, 0.7, 400, 1400, 0.7, 0.25, 0.35, 13);
  return s;
}

Signal MapEnterLocation() {
  Signal s(R, 1.1);
  AddNoiseSweep(s, 0.0, 0.7, 0.6, 1400, 350, 0.7, 0.2, 0.4, 15);
  AddBell(s, 0.15, 261.6, 0.35, 0.5);
  AddBell(s, 0.15, 392.0, 0.2, 0.4);
  return s;
}

Signal ObjectFound() {
  Signal s(R, 0.8);
  AddBell(s, 0.0, 1046.5, 0.3, 0.3);
  AddBell(s, 0.06, 1318.5, 0.3, 0.35);
  Recipe::AddGlints(s, 0.02, 0.4, 8, 0.08, 17);
  return s;
}

Signal ObjectSetFound() {
  Signal s(R, 1.4);
  const double kNotes[] = {1046.5, 1318.5, 1568.0, 2093.0};
  for (int i = 0; i < 4; ++i) AddBell(s, i * 0.07, kNotes[i], 0.28, 0.45);
  Recipe::AddGlints(s, 0.1, 0.8, 16, 0.07, 19);
  return s;
}

Signal Mispress() {
  Signal s(R, 0.25);
  AddPartial(s, 0.0, 180, 0.7, 0.002, 0.06, 90, 0.2);
  AddNoise(s, 0.0, 0.06, 0.3, 0.001, 0.05, Biquad::LowPass(500, 0.7, R), 23);
  return s;
}

Signal MispressMultiple() {
  Signal s(R, 0.6);
  for (int k = 1; k <= 5; ++k) AddPartial(s, 0.0, 300.0 * k, 0.45 / k, 0.005, 0.3, 150.0 * k, 0.5);
  AddNoise(s, 0.0, 0.08, 0.3, 0.001, 0.07, Biquad::LowPass(600, 0.7, R), 29);
  return s;
}

Signal Repel() {
  Signal s(R, 1.8);
  AddNoiseSweep(s, 0.0, 1.2, 0.7, 300, 4000, 1.5, 0.2, 0.6, 31);
  AddPartial(s, 0.0, 220, 0.3, 0.1, 1.0, 880, 1.0);
  AddPartial(s, 0.0, 330, 0.2, 0.1, 1.0, 1320, 1.0);
  AddBell(s, 0.9, 1760, 0.25, 0.4);
  AddBell(s, 1.0, 2349, 0.18, 0.35);
  return s;
}

Signal RepelClick() {
  Signal s(R, 0.45);
  AddNoise(s, 0.0, 0.3, 0.7, 0.003, 0.26, Biquad::LowPass(1400, 0.7, R), 37);
  AddPartial(s, 0.0, 600, 0.4, 0.002, 0.05, 200, 0.15);
  Recipe::AddGlints(s, 0.05, 0.2, 5, 0.08, 41);
  return s;
}

Signal RepelCompleted() {
  Signal s(R, 1.6);
  const double kNotes[] = {1568.0, 1174.7, 987.8, 784.0};
  for (int i = 0; i < 4; ++i) AddBell(s, i * 0.11, kNotes[i], 0.25, 0.4);
  AddNoiseSweep(s, 0.0, 0.9, 0.25, 4000, 600, 1.5, 0.1, 0.5, 43);
  return s;
}

Signal Reveal() {
  Signal s(R, 1.3);
  AddNoiseSweep(s, 0.0, 0.8, 0.35, 1500, 6000, 2.0, 0.1, 0.4, 47);
  AddBell(s, 0.25, 1318.5, 0.3, 0.4);
  AddBell(s, 0.35, 1975.5, 0.25, 0.4);
  Recipe::AddGlints(s, 0.2, 0.7, 10, 0.06, 53);
  return s;
}

Signal RepelRecharged() {
  Signal s(R, 1.2);
  AddBell(s, 0.0, 784.0, 0.3, 0.4);
  AddBell(s, 0.13, 1174.7, 0.3, 0.5);
  AddPartial(s, 0.0, 392.0, 0.12, 0.05, 0.4);
  return s;
}

Signal Coin() {
  Signal s(R, 0.7);
  AddPartial(s, 0.0, 987.8, 0.4, 0.001, 0.3, 0, 0.075);
  AddPartial(s, 0.0, 1975.5, 0.12, 0.001, 0.3, 0, 0.075);
  AddPartial(s, 0.075, 1318.5, 0.45, 0.001, 0.22);
  AddPartial(s, 0.075, 2637.0, 0.15, 0.001, 0.15);
  AddPartial(s, 0.075, 3955.5, 0.06, 0.001, 0.1);
  return s;
}

Signal TimerLowClick() {
  Signal s(R, 0.12);
  AddNoise(s, 0.0, 0.02, 0.5, 0.001, 0.015, Biquad::HighPass(2000, 0.7, R), 59);
  AddPartial(s, 0.0, 1500, 0.4, 0.001, 0.012);
  return s;
}

Signal LevelFailed() {
  Signal s(R, 2.6);
  const double kNotes[] = {440.0, 349.2, 329.6, 293.7};
  const double kTimes[] = {0.0, 0.3, 0.6, 0.95};
  for (int i = 0; i < 4; ++i) AddPluck(s, kTimes[i], kNotes[i], 0.4, 0.9, 0.6, 61 + i);
  AddPartial(s, 0.0, 73.4, 0.25, 0.3, 1.2, 0, 2.4);
  AddPartial(s, 0.95, 146.8, 0.15, 0.1, 0.8);
  return s;
}

Signal GradeUp() {
  Signal s(R, 1.1);
  const double kNotes[] = {523.3, 659.3, 784.0, 1046.5};
  for (int i = 0; i < 4; ++i) {
    AddPluck(s, i * 0.06, kNotes[i], 0.3, 0.6, 0.8, 67 + i);
    AddBell(s, i * 0.06, kNotes[i] * 2, 0.12, 0.3);
  }
  Recipe::AddGlints(s, 0.2, 0.5, 8, 0.06, 71);
  return s;
}

Signal MinigamePassed() {
  Signal s(R, 2.8);
  const double kArpeggio[] = {523.3, 659.3, 784.0};
  for (int i = 0; i < 3; ++i) AddPluck(s, i * 0.12, kArpeggio[i], 0.35, 1.0, 0.7, 73 + i);
  const double kChord[] = {1046.5, 1318.5, 1568.0, 523.3, 261.6};
  for (int i = 0; i < 5; ++i) {
    AddBell(s, 0.42, kChord[i], 0.22, 0.9);
    AddPluck(s, 0.42, kChord[i], 0.2, 1.4, 0.6, 79 + i);
  }
  Recipe::AddGlints(s, 0.45, 1.2, 20, 0.05, 83);
  return s;
}

Signal BookFlap() {
  Signal s(R, 0.42);
  for (int i = 0; i < 2; ++i)
    AddNoise(s, i * 0.17, 0.14, 0.6 - 0.2 * i, 0.02, 0.1, Biquad::BandPass(750, 0.8, R), 89 + i);
  AddPartial(s, 0.0, 120, 0.2, 0.01, 0.05);
  return s;
}

Signal Earthquake() {
  Signal s(R, 4.0);
  Signal aRumble(R, 4.0);
  AddWanderingNoise(aRumble, 0.0, 4.0, 2.0, 25, 110, 0.7, 6.0, 97);
  Biquad aLow = Biquad::LowPass(180, 0.7, R);
  for (size_t i = 0; i < s.mSamples.size(); ++i) s.mSamples[i] = aLow.Process(aRumble.mSamples[i]);
  Random aRandom(101);
  for (int i = 0; i < 10; ++i)
    AddNoise(s, 0.3 + 3.2 * aRandom.Unit(), 0.05, 0.15, 0.002, 0.04, Biquad::BandPass(900, 2.0, R), 103 + i);
  FadeIn(s, 0.6);
  FadeOut(s, 1.0);
  return s;
}

Signal RuneDestroy() {
  Signal s(R, 2.6);
  AddNoise(s, 0.0, 0.25, 0.9, 0.001, 0.22, Biquad::HighPass(1500, 0.7, R), 107);
  AddPartial(s, 0.0, 80, 0.8, 0.003, 0.3, 50, 0.8);
  Random aRandom(109);
  for (int i = 0; i < 24; ++i) {
    const double aSpread = aRandom.Unit();
    const double t = 0.05 + 0.7 * aSpread * aRandom.Unit();
    const double aHz = aRandom.Range(1800, 4200);
    const double anAmp = aRandom.Range(0.04f, 0.12f);
    AddBell(s, t, aHz, anAmp, aRandom.Range(0.05f, 0.2f));
  }
  AddNoiseSweep(s, 0.2, 2.0, 0.3, 5000, 400, 2.0, 0.1, 1.2, 113);
  const double kNotes[] = {1174.7, 880.0, 698.5, 587.3};
  for (int i = 0; i < 4; ++i) AddBell(s, 0.4 + i * 0.15, kNotes[i], 0.12, 0.6);
  return s;
}

Signal Wind() {
  Signal s(R, 3.6);
  AddWanderingNoise(s, 0.0, 3.6, 1.0, 220, 1100, 1.2, 2.5, 127);
  for (size_t i = 0; i < s.mSamples.size(); ++i) {
    const double t = static_cast<double>(i) / R / 3.6;
    s.mSamples[i] *= static_cast<float>(std::pow(std::sin(Synth::k_pi * t), 1.5));
  }
  return s;
}

Signal Thunder() { return Recipe::Thunder(4.5, true, 131); }
Signal Thunder2() { return Recipe::Thunder(4.0, false, 137); }

Signal MatchConnect() {
  Signal s(R, 0.16);
  AddPartial(s, 0.0, 520, 0.5, 0.004, 0.05, 900, 0.08);
  AddPartial(s, 0.0, 1040, 0.15, 0.004, 0.04, 1800, 0.08);
  return s;
}

Signal MatchUnconnect() {
  Signal s(R, 0.16);
  AddPartial(s, 0.0, 700, 0.45, 0.004, 0.05, 400, 0.08);
  return s;
}

Signal MatchShuffle() {
  Signal s(R, 0.9);
  AddNoiseSweep(s, 0.0, 0.55, 0.5, 500, 4000, 1.0, 0.15, 0.3, 139);
  Random aRandom(149);
  for (int i = 0; i < 7; ++i) {
    const double t = 0.1 + 0.5 * aRandom.Unit();
    AddBell(s, t, aRandom.Range(1500, 3000), 0.08, 0.12);
  }
  return s;
}

Signal ChantClick() {
  Signal s(R, 0.6);
  AddPluck(s, 0.0, 659.3, 0.35, 0.45, 0.5, 151);
  AddBell(s, 0.0, 1318.5, 0.1, 0.25);
  return s;
}

Signal ChantBack() {
  Signal s(R, 0.5);
  AddPluck(s, 0.0, 493.9, 0.35, 0.35, 0.4, 157);
  AddPartial(s, 0.0, 987.8, 0.1, 0.005, 0.1, 700, 0.2);
  return s;
}

Signal ChantWordSwap() {
  Signal s(R, 1.3);
  AddNoiseSweep(s, 0.0, 0.6, 0.4, 800, 2600, 1.5, 0.2, 0.3, 163);
  AddNoiseSweep(s, 0.55, 0.6, 0.35, 2600, 800, 1.5, 0.2, 0.3, 167);
  AddBell(s, 0.5, 1760, 0.12, 0.35);
  return s;
}

}  // namespace

std::vector<GameSound> EffectSounds() {
  return {
      {"Constants", "SFX_ERROR", "sounds/error", SoundFormat::Wav, Error},
      {"Constants", "SFX_PROFILE_DELETED", "sounds/profile_deleted", SoundFormat::Wav, ProfileDeleted},
      {"Constants", "SFX_HOVER_GENERAL", "sounds/hover", SoundFormat::Wav, HoverGeneral},
      {"Constants", "SFX_SELECT_PRESS", "sounds/select", SoundFormat::Wav, SelectPress},
      {"Constants", "SFX_START_GAME", "sounds/start_game", SoundFormat::Wav, StartGame},
      {"Constants", "SFX_BACK_PRESS", "sounds/back", SoundFormat::Wav, BackPress},
      {"Constants", "SFX_POPUPBOX_APPEAR", "sounds/popup", SoundFormat::Wav, PopupAppear},
      {"Constants", "SFX_CHECK", "sounds/check", SoundFormat::Wav, Check},
      {"Constants", "SFX_HINT", "sounds/hint", SoundFormat::Wav, Hint},
      {"Constants", "SFX_MAP_HOVER", "sounds/map_hover", SoundFormat::Wav, MapHover},
      {"Constants", "SFX_MAP_ENTER", "sounds/map_enter", SoundFormat::Wav, MapEnter},
      {"Constants", "SFX_MAP_ENTER_LOC", "sounds/map_enter_location", SoundFormat::Wav, MapEnterLocation},
      {"Constants", "SFX_OBJECT_FOUND", "sounds/object_found", SoundFormat::Wav, ObjectFound},
      {"Constants", "SFX_OBJECT_SET_FOUND", "sounds/object_set_found", SoundFormat::Wav, ObjectSetFound},
      {"Constants", "SFX_MISPRESS", "sounds/mispress", SoundFormat::Wav, Mispress},
      {"Constants", "SFX_MISPRESS_MULTIPLE", "sounds/mispress_multiple", SoundFormat::Wav, MispressMultiple},
      {"Constants", "SFX_REPEL", "sounds/repel", SoundFormat::Wav, Repel},
      {"Constants", "SFX_REPEL_CLICK", "sounds/repel_click", SoundFormat::Wav, RepelClick},
      {"Constants", "SFX_REPEL_COMPLETED", "sounds/repel_completed", SoundFormat::Wav, RepelCompleted},
      {"Constants", "SFX_REVEAL", "sounds/reveal", SoundFormat::Wav, Reveal},
      {"Constants", "SFX_REPEL_RECHARGED", "sounds/repel_recharged", SoundFormat::Wav, RepelRecharged},
      {"Constants", "SFX_COIN", "sounds/coin", SoundFormat::Wav, Coin},
      {"Constants", "SFX_TIMER_LOW_CLICK", "sounds/timer_low", SoundFormat::Wav, TimerLowClick},
      {"Constants", "SFX_LEVEL_FAILED_SOUND", "sounds/level_failed", SoundFormat::Ogg, LevelFailed},
      {"Constants", "SFX_GRADE_UP", "sounds/grade_up", SoundFormat::Wav, GradeUp},
      {"Constants", "SFX_MINIGAME_PASSED", "sounds/minigame_passed", SoundFormat::Ogg, MinigamePassed},
      {"Constants", "AMBIENT_BOOK_FLAP", "sounds/book_flap", SoundFormat::Wav, BookFlap},
      {"Constants", "AMBIENT_EARTHQUAKE", "sounds/earthquake", SoundFormat::Au, Earthquake},
      {"Story", "SFX_RUNE_DESTROY", "sounds/rune_destroy", SoundFormat::Ogg, RuneDestroy},
      {"TitleScreen", "SFX_WIND", "sounds/wind", SoundFormat::Ogg, Wind},
      {"TitleScreen", "SFX_THUNDER", "sounds/thunder", SoundFormat::Ogg, Thunder},
      {"TitleScreen", "SFX_THUNDER2", "sounds/thunder2", SoundFormat::Au, Thunder2},
      {"MiniGame", "SFX_MATCH_CONNECT", "sounds/match_connect", SoundFormat::Wav, MatchConnect},
      {"MiniGame", "SFX_MATCH_UNCONNECT", "sounds/match_unconnect", SoundFormat::Wav, MatchUnconnect},
      {"MiniGame", "SFX_MATCH_SHUFFLE", "sounds/match_shuffle", SoundFormat::Wav, MatchShuffle},
      {"MiniGame", "SFX_CHANT_CLICK", "sounds/chant_click", SoundFormat::Wav, ChantClick},
      {"MiniGame", "SFX_CHANT_BACK", "sounds/chant_back", SoundFormat::Wav, ChantBack},
      {"MiniGame", "SFX_CHANT_WORD_SWAP", "sounds/chant_word_swap", SoundFormat::Wav, ChantWordSwap},
  };
}

}  // namespace GameAssets

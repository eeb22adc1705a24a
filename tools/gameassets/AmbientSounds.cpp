// The ambient set: the constant loops of the locations (seamless), the sounds that
// come and go, the one-shots at random intervals and the snoring tree. Quieter than
// the effects: they sit under the play.
#include <algorithm>
#include <cmath>

#include "SoundRecipes.h"

namespace GameAssets {

using namespace Synth;

namespace {

constexpr int R = k_effectRate;
// The overlap that MakeLoop folds into the start of a loop.
constexpr double k_overlap = 0.6;

// A loop of theSeconds: theFill adds its sound over the loop plus the overlap.
template <typename Fill>
Signal Loop(double theSeconds, Fill theFill) {
  Signal s(R, theSeconds + k_overlap);
  theFill(s);
  MakeLoop(s, theSeconds);
  return s;
}

// A chirping songbird: a run of quick upward or downward sweeps.
void AddBirdPhrase(Signal& theSignal, double theStart, double theAmp, double theBaseHz, int theNotes,
                   uint32_t theSeed) {
  Random aRandom(theSeed);
  double t = theStart;
  for (int i = 0; i < theNotes; ++i) {
    const double aHz = theBaseHz * aRandom.Range(0.85f, 1.25f);
    const double aLength = aRandom.Range(0.04f, 0.11f);
    VoiceShape aChirp;
    const bool anUp = aRandom.Unit() < 0.6f;
    aChirp.mPitch = {{0.0, anUp ? aHz * 0.8 : aHz * 1.2}, {aLength, anUp ? aHz * 1.25 : aHz * 0.85}};
    aChirp.mHarmonics = {1.0, 0.12};
    aChirp.mAttack = 0.008;
    aChirp.mRelease = 0.02;
    aChirp.mVibratoHz = 45;
    aChirp.mVibratoDepth = 0.03;
    AddVoice(theSignal, t, aLength, theAmp * aRandom.Range(0.6f, 1.0f), aChirp, theSeed + i);
    t += aLength + aRandom.Range(0.02f, 0.09f);
  }
}

// A cricket: bursts of a few fast pulses of a high tone.
void AddCricket(Signal& theSignal, double theStart, double theLength, double theAmp, double theHz,
                double theEvery, int thePulses, uint32_t theSeed) {
  Random aRandom(theSeed);
  for (double t = theStart; t < theStart + theLength; t += theEvery * aRandom.Range(0.9f, 1.1f))
    for (int p = 0; p < thePulses; ++p)
      AddPartial(theSignal, t + p * 0.028, theHz, theAmp, 0.003, 0.006, 0, 0.018);
}

// A water drop: a quick upward glide.
void AddDrop(Signal& theSignal, double theStart, double theAmp, double theHz) {
  AddPartial(theSignal, theStart, theHz, theAmp, 0.002, 0.03, theHz * 1.7, 0.07);
}

// An owl's hoot.
void AddHoot(Signal& theSignal, double theStart, double theLength, double theAmp, double theHz) {
  VoiceShape aHoot;
  aHoot.mPitch = {{0.0, theHz * 0.94}, {theLength * 0.3, theHz}, {theLength, theHz * 0.9}};
  aHoot.mHarmonics = {1.0, 0.08, 0.03};
  aHoot.mAttack = theLength * 0.3;
  aHoot.mRelease = theLength * 0.5;
  aHoot.mBreath = 0.05;
  AddVoice(theSignal, theStart, theLength, theAmp, aHoot);
}

// A hoarse call (crow, jay, rooster): many harmonics through a nasal formant.
VoiceShape HoarseCall(std::vector<std::pair<double, double>> thePitch, double theFormant) {
  VoiceShape aCall;
  aCall.mPitch = std::move(thePitch);
  aCall.mHarmonics = {1.0, 0.8, 0.7, 0.6, 0.5, 0.4, 0.3, 0.25, 0.2, 0.15};
  aCall.mAttack = 0.02;
  aCall.mRelease = 0.06;
  aCall.mFormantHz = theFormant;
  aCall.mFormantQ = 1.5;
  aCall.mBreath = 0.25;
  aCall.mVibratoHz = 30;
  aCall.mVibratoDepth = 0.02;
  return aCall;
}

// A squeak of a mouse.
void AddSqueak(Signal& theSignal, double theStart, double theAmp, double theHz) {
  VoiceShape aSqueak;
  aSqueak.mPitch = {{0.0, theHz}, {0.03, theHz * 1.2}, {0.07, theHz * 1.05}};
  aSqueak.mHarmonics = {1.0, 0.2};
  aSqueak.mAttack = 0.008;
  aSqueak.mRelease = 0.02;
  AddVoice(theSignal, theStart, 0.07, theAmp, aSqueak);
}

// A buzzing insect flying past.
void AddBuzz(Signal& theSignal, double theStart, double theLength, double theAmp, double theHz,
             double theWobble, uint32_t theSeed) {
  VoiceShape aBuzz;
  aBuzz.mPitch = {{0.0, theHz * 0.95}, {theLength * 0.5, theHz * 1.06}, {theLength, theHz * 0.92}};
  aBuzz.mHarmonics = {1.0, 0.7, 0.5, 0.4, 0.3, 0.2, 0.15, 0.1};
  aBuzz.mAttack = theLength * 0.4;
  aBuzz.mRelease = theLength * 0.4;
  aBuzz.mTremoloHz = theWobble;
  aBuzz.mTremoloDepth = 0.4;
  aBuzz.mFormantHz = theHz * 3;
  aBuzz.mFormantQ = 0.8;
  AddVoice(theSignal, theStart, theLength, theAmp, aBuzz, theSeed);
}

// ---- Constant loops ----

Signal ClockTick() {
  return Loop(4.0, [](Signal& s) {
    for (int i = 0; i < 9; ++i) {
      const double t = 0.25 + i * 0.5;
      const bool aTick = i % 2 == 0;
      AddNoise(s, t, 0.012, 0.4, 0.001, 0.01, Biquad::BandPass(aTick ? 3200 : 2200, 2.0, R), 200 + i);
      AddPartial(s, t, aTick ? 1850 : 1400, 0.25, 0.001, 0.012);
      AddPartial(s, t, aTick ? 620 : 520, 0.12, 0.001, 0.03);
    }
  });
}

Signal Sparrows() {
  return Loop(9.0, [](Signal& s) {
    AddWanderingNoise(s, 0.0, s.Seconds(), 0.05, 400, 1400, 0.7, 0.7, 211);
    Random aRandom(213);
    for (double t = 0.7; t < 9.0; t += aRandom.Range(0.6f, 1.5f)) {
      const double aHz = aRandom.Range(3200, 4600);
      const int aNotes = 2 + static_cast<int>(aRandom.Next() % 5);
      AddBirdPhrase(s, t, 0.16, aHz, aNotes, aRandom.Next());
    }
  });
}

Signal WindLightLoop() {
  return Loop(10.0, [](Signal& s) {
    AddWanderingNoise(s, 0.0, s.Seconds(), 0.5, 250, 1100, 0.8, 0.9, 223);
    AddWanderingNoise(s, 0.0, s.Seconds(), 0.2, 900, 2500, 2.0, 1.3, 227);
  });
}

Signal NightPond() {
  return Loop(10.0, [](Signal& s) {
    AddWanderingNoise(s, 0.0, s.Seconds(), 0.18, 200, 700, 0.7, 1.5, 229);
    AddCricket(s, 0.4, 9.4, 0.05, 4300, 0.45, 3, 231);
    AddCricket(s, 0.6, 9.2, 0.035, 4900, 0.62, 4, 233);
    Random aRandom(235);
    for (double t = 0.8; t < 9.5; t += aRandom.Range(1.0f, 2.2f)) {
      VoiceShape aCroak;
      const double aHz = aRandom.Range(140, 210);
      aCroak.mPitch = {{0.0, aHz}, {0.18, aHz * 0.92}};
      aCroak.mHarmonics = {1.0, 0.6, 0.5, 0.3, 0.2};
      aCroak.mTremoloHz = 28;
      aCroak.mTremoloDepth = 0.9;
      aCroak.mAttack = 0.02;
      aCroak.mRelease = 0.05;
      AddVoice(s, t, 0.2, 0.2, aCroak, aRandom.Next());
    }
    for (double t = 1.1; t < 9.4; t += aRandom.Range(1.5f, 3.0f))
      AddDrop(s, t, 0.07, aRandom.Range(600, 1000));
  });
}

Signal TorchFire() {
  return Loop(6.0, [](Signal& s) {
    AddWanderingNoise(s, 0.0, s.Seconds(), 0.45, 120, 450, 0.7, 3.0, 241);
    Random aRandom(243);
    for (double t = 0.0; t < s.Seconds(); t += aRandom.Range(0.03f, 0.35f)) {
      const float anAmp = aRandom.Range(0.04f, 0.22f);
      const double aLength = 0.004 + 0.01 * aRandom.Unit();
      const double aHz = aRandom.Range(1500, 4000);
      AddNoise(s, t, aLength, anAmp, 0.0005, 0.003, Biquad::HighPass(aHz, 0.7, R), aRandom.Next());
    }
  });
}

Signal CaveWind() {
  return Loop(10.0, [](Signal& s) {
    AddWanderingNoise(s, 0.0, s.Seconds(), 0.7, 90, 380, 3.0, 0.6, 251);
    AddWanderingNoise(s, 0.0, s.Seconds(), 0.25, 300, 700, 4.0, 0.4, 253);
    Random aRandom(255);
    for (double t = 1.0; t < 9.5; t += aRandom.Range(1.8f, 3.5f))
      AddDrop(s, t, 0.08, aRandom.Range(700, 1100));
  });
}

Signal Crickets() {
  return Loop(6.0, [](Signal& s) {
    AddCricket(s, 0.1, 6.3, 0.12, 4200, 0.5, 3, 261);
    AddCricket(s, 0.3, 6.1, 0.08, 4700, 0.66, 4, 263);
    AddCricket(s, 0.2, 6.2, 0.06, 3900, 0.83, 2, 265);
    AddWanderingNoise(s, 0.0, s.Seconds(), 0.04, 300, 900, 0.7, 0.6, 267);
  });
}

Signal Mine() {
  return Loop(10.0, [](Signal& s) {
    Signal aRumble(R, s.Seconds());
    AddWanderingNoise(aRumble, 0.0, s.Seconds(), 1.2, 40, 150, 0.8, 1.0, 271);
    Biquad aLow = Biquad::LowPass(200, 0.7, R);
    for (size_t i = 0; i < s.mSamples.size(); ++i) s.mSamples[i] += aLow.Process(aRumble.mSamples[i]);
    Random aRandom(273);
    for (double t = 0.5; t < 9.5; t += aRandom.Range(0.8f, 2.0f))
      AddDrop(s, t, 0.1, aRandom.Range(800, 1300));
    for (double t = 2.0; t < 9.0; t += aRandom.Range(2.5f, 4.0f)) {
      AddBell(s, t, 1250, 0.06, 0.12);
      AddBell(s, t + 0.7, 1190, 0.05, 0.12);
    }
  });
}

Signal QuietForest() {
  return Loop(10.0, [](Signal& s) {
    AddWanderingNoise(s, 0.0, s.Seconds(), 0.22, 300, 1000, 0.7, 0.5, 281);
    AddWanderingNoise(s, 0.0, s.Seconds(), 0.06, 2000, 5000, 1.0, 2.0, 283);
    AddBirdPhrase(s, 3.0, 0.06, 2900, 3, 285);
    AddBirdPhrase(s, 7.5, 0.05, 3400, 4, 287);
  });
}

// ---- Sounds that come and go ----

Signal Bird() {
  Signal s(R, 2.6);
  AddBirdPhrase(s, 0.05, 0.35, 3000, 6, 301);
  AddBirdPhrase(s, 1.2, 0.3, 3600, 7, 303);
  return s;
}

Signal Chain() {
  Signal s(R, 1.8);
  Random aRandom(311);
  for (int i = 0; i < 30; ++i) {
    const double t = 1.3 * aRandom.Unit();
    const double aHz = aRandom.Range(1800, 4000);
    const double anAmp = aRandom.Range(0.05f, 0.14f);
    AddBell(s, t, aHz, anAmp, aRandom.Range(0.03f, 0.09f));
    AddNoise(s, t, 0.01, 0.08, 0.001, 0.008, Biquad::HighPass(3000, 0.7, R), aRandom.Next());
  }
  return s;
}

Signal ClockChime() {
  Signal s(R, 4.8);
  const double kNotes[] = {659.3, 523.3, 587.3, 392.0};
  for (int i = 0; i < 4; ++i) AddBell(s, i * 0.6, kNotes[i], 0.35, 1.2);
  return s;
}

Signal GravelWalk() {
  Signal s(R, 2.6);
  for (int i = 0; i < 4; ++i) Recipe::AddStep(s, 0.05 + i * 0.58, 0.5, 95, 2600, 0.18, 321 + 10 * i);
  return s;
}

Signal Heartbeat() {
  Signal s(R, 2.8);
  for (int i = 0; i < 3; ++i) {
    const double t = 0.05 + i * 0.9;
    AddPartial(s, t, 70, 0.8, 0.006, 0.08, 48, 0.3);
    AddPartial(s, t + 0.22, 62, 0.55, 0.006, 0.07, 44, 0.25);
  }
  return s;
}

Signal StepHeavy() {
  Signal s(R, 2.6);
  for (int i = 0; i < 3; ++i) {
    const double t = 0.05 + i * 0.8;
    AddPartial(s, t, 62, 0.9, 0.004, 0.14, 45, 0.5);
    AddNoise(s, t, 0.15, 0.4, 0.002, 0.13, Biquad::LowPass(350, 0.7, R), 331 + i);
    Recipe::AddStep(s, t, 0.2, 80, 900, 0.1, 335 + i);
  }
  return s;
}

Signal Crow() {
  Signal s(R, 1.3);
  for (int i = 0; i < 2; ++i)
    AddVoice(s, 0.05 + i * 0.5, 0.32, 0.35, HoarseCall({{0.0, 560.0}, {0.1, 620.0}, {0.32, 430.0}}, 1300),
             341 + i);
  return s;
}

Signal ChurchBell() {
  Signal s(R, 6.5);
  for (int i = 0; i < 2; ++i) {
    AddBell(s, i * 2.2, 196.0, 0.4, 2.6);
    AddBell(s, i * 2.2, 392.0, 0.15, 1.6);
  }
  return s;
}

Signal OldPhone() {
  Signal s(R, 3.2);
  for (int aRing = 0; aRing < 2; ++aRing)
    for (int i = 0; i < 22; ++i) {
      const double t = aRing * 1.6 + i * 0.05;
      AddBell(s, t, i % 2 ? 1320.0 : 1050.0, 0.16, 0.06);
    }
  return s;
}

// ---- One-shots ----

Signal CreakSlam() {
  Signal s(R, 1.9);
  Recipe::AddCreak(s, 0.0, 1.0, 0.5, 25, 70, 700, 351);
  AddPartial(s, 1.05, 75, 0.9, 0.002, 0.12, 50, 0.5);
  AddNoise(s, 1.05, 0.3, 0.6, 0.001, 0.28, Biquad::LowPass(900, 0.7, R), 353);
  return s;
}

Signal DoorCreak() {
  Signal s(R, 1.7);
  Recipe::AddCreak(s, 0.0, 1.6, 0.55, 18, 90, 850, 361);
  return s;
}

Signal DoveFly() {
  Signal s(R, 1.2);
  for (int i = 0; i < 12; ++i)
    AddNoise(s, i * 0.08, 0.06, 0.5 * (1.0 - i / 14.0), 0.01, 0.04, Biquad::BandPass(1100, 0.9, R), 371 + i);
  return s;
}

Signal Frog() {
  Signal s(R, 0.6);
  for (int i = 0; i < 2; ++i) {
    VoiceShape aRibbit;
    aRibbit.mPitch = {{0.0, 260.0}, {0.12, 220.0}};
    aRibbit.mHarmonics = {1.0, 0.7, 0.5, 0.4, 0.2};
    aRibbit.mTremoloHz = 40;
    aRibbit.mTremoloDepth = 0.95;
    aRibbit.mAttack = 0.01;
    aRibbit.mRelease = 0.03;
    AddVoice(s, 0.02 + i * 0.22, 0.13, 0.5, aRibbit, 381 + i);
  }
  return s;
}

Signal Mice() {
  Signal s(R, 0.9);
  const double kTimes[] = {0.02, 0.15, 0.35, 0.6};
  const double kPitches[] = {3100, 3500, 2900, 3700};
  for (int i = 0; i < 4; ++i) AddSqueak(s, kTimes[i], 0.3, kPitches[i]);
  return s;
}

Signal Mouse() {
  Signal s(R, 0.7);
  AddSqueak(s, 0.02, 0.3, 3300);
  AddSqueak(s, 0.16, 0.25, 3600);
  Random aRandom(391);
  for (int i = 0; i < 10; ++i)
    AddNoise(s, 0.3 + i * 0.03, 0.008, 0.12, 0.001, 0.006, Biquad::HighPass(3500, 0.7, R), aRandom.Next());
  return s;
}

Signal Owl() {
  Signal s(R, 2.0);
  AddHoot(s, 0.05, 0.35, 0.5, 380);
  AddHoot(s, 0.55, 0.22, 0.4, 390);
  AddHoot(s, 0.9, 0.6, 0.5, 370);
  return s;
}

Signal AmbientThunder() { return Recipe::Thunder(4.5, true, 401); }
Signal ThunderRumble() { return Recipe::Thunder(4.0, false, 409); }

Signal WindChimes() {
  Signal s(R, 4.5);
  const double kNotes[] = {1046.5, 1174.7, 1318.5, 1568.0, 1760.0, 2093.0};
  Random aRandom(411);
  for (int i = 0; i < 9; ++i) {
    const double t = 0.05 + 3.0 * aRandom.Unit();
    AddBell(s, t, kNotes[aRandom.Next() % 6], 0.14, 0.9);
  }
  return s;
}

Signal DarkEvil() {
  Signal s(R, 3.6);
  AddPartial(s, 0.0, 55.0, 0.35, 1.2, 3.0, 52, 3.5);
  AddPartial(s, 0.0, 55.6, 0.3, 1.2, 3.0, 52.5, 3.5);
  AddPartial(s, 0.0, 82.4, 0.2, 1.5, 3.0, 78, 3.5);
  AddPartial(s, 0.4, 116.5, 0.12, 1.0, 2.0, 110, 3.0);
  AddWanderingNoise(s, 0.0, 3.5, 0.3, 80, 260, 2.0, 3.0, 421);
  FadeIn(s, 1.0);
  FadeOut(s, 1.2);
  return s;
}

Signal Insect06() {
  Signal s(R, 1.6);
  AddBuzz(s, 0.0, 1.55, 0.35, 210, 11, 431);
  return s;
}

Signal DragonIdle() {
  Signal s(R, 2.2);
  VoiceShape aGrowl;
  aGrowl.mPitch = {{0.0, 58.0}, {1.0, 66.0}, {2.1, 50.0}};
  aGrowl.mHarmonics = {1.0, 0.8, 0.6, 0.5, 0.4, 0.3, 0.2};
  aGrowl.mTremoloHz = 9;
  aGrowl.mTremoloDepth = 0.5;
  aGrowl.mAttack = 0.5;
  aGrowl.mRelease = 0.8;
  aGrowl.mFormantHz = 260;
  aGrowl.mFormantQ = 0.9;
  aGrowl.mBreath = 0.6;
  AddVoice(s, 0.0, 2.15, 0.6, aGrowl, 441);
  return s;
}

Signal CreatureSmall() {
  Signal s(R, 0.9);
  Random aRandom(451);
  for (int i = 0; i < 9; ++i) {
    const double t = 0.02 + i * 0.08 + 0.02 * aRandom.Unit();
    const double aHz = aRandom.Range(1800, 2600);
    AddPartial(s, t, aHz, 0.25, 0.002, 0.02, aRandom.Range(1500, 3000), 0.05);
  }
  return s;
}

Signal Insect04() {
  Signal s(R, 1.0);
  AddCricket(s, 0.02, 0.9, 0.3, 5200, 0.12, 3, 461);
  return s;
}

Signal InsectAlien() {
  Signal s(R, 1.3);
  VoiceShape aTrill;
  aTrill.mPitch = {{0.0, 900.0}, {0.6, 1500.0}, {1.25, 700.0}};
  aTrill.mHarmonics = {1.0, 0.3, 0.2};
  aTrill.mVibratoHz = 32;
  aTrill.mVibratoDepth = 0.18;
  aTrill.mTremoloHz = 16;
  aTrill.mTremoloDepth = 0.6;
  aTrill.mAttack = 0.15;
  aTrill.mRelease = 0.3;
  AddVoice(s, 0.0, 1.25, 0.3, aTrill, 471);
  return s;
}

Signal CreatureLarge() {
  Signal s(R, 2.1);
  AddNoiseSweep(s, 0.0, 0.9, 0.5, 250, 500, 1.5, 0.4, 0.4, 481);
  AddNoiseSweep(s, 1.0, 1.0, 0.6, 500, 200, 1.5, 0.1, 0.6, 483);
  AddPartial(s, 1.0, 70, 0.3, 0.1, 0.4, 55, 0.9);
  return s;
}

Signal StreamSplash() {
  Signal s(R, 1.1);
  AddNoise(s, 0.0, 0.35, 0.6, 0.003, 0.3, Biquad::BandPass(1400, 0.8, R), 491);
  Random aRandom(493);
  for (int i = 0; i < 8; ++i) {
    const double t = 0.05 + 0.6 * aRandom.Unit();
    AddDrop(s, t, 0.12, aRandom.Range(700, 1500));
  }
  return s;
}

Signal Rooster() {
  Signal s(R, 1.7);
  const double kStarts[] = {0.02, 0.22, 0.42, 0.62};
  const double kLengths[] = {0.16, 0.16, 0.16, 0.9};
  const double kPitches[] = {600, 690, 760, 720};
  for (int i = 0; i < 4; ++i) {
    const double p = kPitches[i];
    const double l = kLengths[i];
    AddVoice(s, kStarts[i], l, 0.3,
             HoarseCall({{0.0, p * 0.9}, {l * 0.3, p}, {l, p * (i == 3 ? 0.7 : 0.95)}}, 1500), 501 + i);
  }
  return s;
}

Signal StepGrass() {
  Signal s(R, 0.35);
  Recipe::AddStep(s, 0.01, 0.5, 110, 2200, 0.2, 511);
  return s;
}

Signal StepFoliage() {
  Signal s(R, 0.6);
  Recipe::AddStep(s, 0.01, 0.3, 120, 3200, 0.35, 521);
  AddNoise(s, 0.02, 0.45, 0.25, 0.05, 0.3, Biquad::BandPass(4000, 0.9, R), 523);
  return s;
}

Signal CreakSqueak() {
  Signal s(R, 0.7);
  Recipe::AddCreak(s, 0.0, 0.65, 0.5, 40, 140, 1200, 531);
  return s;
}

Signal BlueJay() {
  Signal s(R, 0.9);
  for (int i = 0; i < 2; ++i)
    AddVoice(s, 0.02 + i * 0.4, 0.25, 0.3, HoarseCall({{0.0, 2300.0}, {0.25, 1700.0}}, 3000), 541 + i);
  return s;
}

Signal Wolf() {
  Signal s(R, 3.3);
  VoiceShape aHowl;
  aHowl.mPitch = {{0.0, 330.0}, {0.5, 560.0}, {2.2, 600.0}, {3.2, 420.0}};
  aHowl.mHarmonics = {1.0, 0.3, 0.15, 0.08};
  aHowl.mVibratoHz = 5;
  aHowl.mVibratoDepth = 0.012;
  aHowl.mAttack = 0.4;
  aHowl.mRelease = 0.9;
  aHowl.mBreath = 0.08;
  AddVoice(s, 0.0, 3.25, 0.45, aHowl, 551);
  return s;
}

Signal Owl2() {
  Signal s(R, 1.3);
  AddHoot(s, 0.05, 0.5, 0.5, 350);
  AddHoot(s, 0.65, 0.55, 0.45, 335);
  return s;
}

Signal Harp() {
  Signal s(R, 3.2);
  const int kScale[] = {60, 62, 64, 67, 69, 72, 74, 76, 79, 81, 84};
  for (int i = 0; i < 11; ++i) AddPluck(s, i * 0.09, NoteHz(kScale[i]), 0.25, 1.4, 0.6, 561 + i);
  return s;
}

Signal GoAway() {
  Signal s(R, 2.1);
  // Two breathy syllables: "go" with a low rounded formant, "away" opening up.
  AddNoiseSweep(s, 0.05, 0.5, 0.5, 450, 380, 5.0, 0.1, 0.25, 571);
  AddNoiseSweep(s, 0.05, 0.5, 0.25, 900, 800, 6.0, 0.1, 0.25, 573);
  AddNoiseSweep(s, 0.75, 0.9, 0.5, 600, 850, 5.0, 0.15, 0.45, 575);
  AddNoiseSweep(s, 0.75, 0.9, 0.25, 1100, 1900, 6.0, 0.15, 0.45, 577);
  AddPartial(s, 0.0, 880, 0.05, 0.5, 1.0, 700, 2.0);
  return s;
}

Signal Write() {
  Signal s(R, 1.6);
  Random aRandom(581);
  for (double t = 0.02; t < 1.45; t += aRandom.Range(0.04f, 0.16f)) {
    const double aLength = aRandom.Range(0.03f, 0.12f);
    const double anAmp = aRandom.Range(0.15f, 0.35f);
    const double aHz = aRandom.Range(3500, 6000);
    AddNoise(s, t, aLength, anAmp, 0.005, 0.01, Biquad::BandPass(aHz, 1.5, R), aRandom.Next());
  }
  return s;
}

Signal TreeSnoreIn() {
  Signal s(R, 1.5);
  AddNoiseSweep(s, 0.0, 1.4, 0.6, 300, 900, 1.5, 0.8, 0.3, 591);
  VoiceShape aSnore;
  aSnore.mPitch = {{0.0, 70.0}, {1.4, 80.0}};
  aSnore.mHarmonics = {1.0, 0.6, 0.4, 0.3};
  aSnore.mTremoloHz = 24;
  aSnore.mTremoloDepth = 0.8;
  aSnore.mAttack = 0.6;
  aSnore.mRelease = 0.3;
  aSnore.mBreath = 0.3;
  AddVoice(s, 0.0, 1.4, 0.35, aSnore, 593);
  return s;
}

Signal TreeSnoreOut() {
  Signal s(R, 1.6);
  AddNoiseSweep(s, 0.0, 1.5, 0.6, 800, 250, 1.5, 0.2, 0.9, 597);
  AddPartial(s, 0.1, 900, 0.06, 0.3, 1.0, 650, 1.3);
  return s;
}

}  // namespace

std::vector<GameSound> AmbientSounds() {
  std::vector<GameSound> aSounds = {
      {nullptr, nullptr, "ambient/clocktick2", SoundFormat::Wav, ClockTick},
      {nullptr, nullptr, "ambient/sparrow3", SoundFormat::Ogg, Sparrows},
      {nullptr, nullptr, "ambient/Wind_Light_Loop", SoundFormat::Ogg, WindLightLoop},
      {nullptr, nullptr, "ambient/nitepond", SoundFormat::Ogg, NightPond},
      {nullptr, nullptr, "ambient/torchfire", SoundFormat::Ogg, TorchFire},
      {nullptr, nullptr, "ambient/CAVEWIND", SoundFormat::Ogg, CaveWind},
      {nullptr, nullptr, "ambient/crickets", SoundFormat::Wav, Crickets},
      {nullptr, nullptr, "ambient/mine", SoundFormat::Ogg, Mine},
      {nullptr, nullptr, "ambient/quietfo", SoundFormat::Ogg, QuietForest},
      {nullptr, nullptr, "ambient/bird", SoundFormat::Wav, Bird},
      {nullptr, nullptr, "ambient/chain", SoundFormat::Au, Chain},
      {nullptr, nullptr, "ambient/clockchime1", SoundFormat::Wav, ClockChime},
      {nullptr, nullptr, "ambient/gravelwalk", SoundFormat::Wav, GravelWalk},
      {nullptr, nullptr, "ambient/heartbe", SoundFormat::Wav, Heartbeat},
      {nullptr, nullptr, "ambient/Step_Heavy_A_02", SoundFormat::Wav, StepHeavy},
      {nullptr, nullptr, "ambient/crow", SoundFormat::Wav, Crow},
      {nullptr, nullptr, "ambient/churchbell", SoundFormat::Ogg, ChurchBell},
      {nullptr, nullptr, "ambient/oldphone", SoundFormat::Wav, OldPhone},
      {nullptr, nullptr, "ambient/creakslam", SoundFormat::Au, CreakSlam},
      {nullptr, nullptr, "ambient/doorcreak3", SoundFormat::Wav, DoorCreak},
      {nullptr, nullptr, "ambient/dovefly", SoundFormat::Wav, DoveFly},
      {nullptr, nullptr, "ambient/frog3", SoundFormat::Wav, Frog},
      {nullptr, nullptr, "ambient/mice", SoundFormat::Wav, Mice},
      {nullptr, nullptr, "ambient/mouse", SoundFormat::Wav, Mouse},
      {nullptr, nullptr, "ambient/owl", SoundFormat::Wav, Owl},
      {nullptr, nullptr, "ambient/thunder", SoundFormat::Ogg, AmbientThunder},
      {nullptr, nullptr, "ambient/thunderrumble2", SoundFormat::Au, ThunderRumble},
      {nullptr, nullptr, "ambient/windchimes", SoundFormat::Wav, WindChimes},
      {nullptr, nullptr, "ambient/darkevil", SoundFormat::Ogg, DarkEvil},
      {nullptr, nullptr, "ambient/Insect06", SoundFormat::Wav, Insect06},
      {nullptr, nullptr, "ambient/Dragon_Idle01", SoundFormat::Au, DragonIdle},
      {nullptr, nullptr, "ambient/Creature_SmallA_Idle01", SoundFormat::Wav, CreatureSmall},
      {nullptr, nullptr, "ambient/Insect04", SoundFormat::Wav, Insect04},
      {nullptr, nullptr, "ambient/Insect_Alien01", SoundFormat::Wav, InsectAlien},
      {nullptr, nullptr, "ambient/Creature_LargeI_Idle01", SoundFormat::Wav, CreatureLarge},
      {nullptr, nullptr, "ambient/Stream_Splash", SoundFormat::Wav, StreamSplash},
      {nullptr, nullptr, "ambient/cock", SoundFormat::Wav, Rooster},
      {nullptr, nullptr, "ambient/Step_Grass_B_01", SoundFormat::Wav, StepGrass},
      {nullptr, nullptr, "ambient/Step_Foliage01", SoundFormat::Wav, StepFoliage},
      {nullptr, nullptr, "ambient/CRK_SQK1", SoundFormat::Wav, CreakSqueak},
      {nullptr, nullptr, "ambient/BLUEJAY2", SoundFormat::Wav, BlueJay},
      {nullptr, nullptr, "ambient/wolf2", SoundFormat::Ogg, Wolf},
      {nullptr, nullptr, "ambient/owl2", SoundFormat::Wav, Owl2},
      {nullptr, nullptr, "ambient/harp", SoundFormat::Wav, Harp},
      {nullptr, nullptr, "ambient/goaway", SoundFormat::Wav, GoAway},
      {nullptr, nullptr, "ambient/write", SoundFormat::Wav, Write},
      {nullptr, nullptr, "ambient/treeSnoreIn", SoundFormat::Wav, TreeSnoreIn},
      {nullptr, nullptr, "ambient/treeSnoreOut", SoundFormat::Wav, TreeSnoreOut},
  };
  // The constant loops (the first nine) play all the time under the scene: quieter.
  const size_t k_constantLoops = 9;
  for (size_t i = 0; i < aSounds.size(); ++i) aSounds[i].mPeak = i < k_constantLoops ? 0.3f : 0.45f;
  return aSounds;
}

}  // namespace GameAssets

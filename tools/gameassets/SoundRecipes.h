#pragma once
// The two halves of the sound list: the manifest's effects and the ambient set.
#include <vector>

#include "GameSounds.h"

namespace GameAssets {

constexpr int k_effectRate = 22050;
// The game's mixer runs at 44100 Hz. A sound with much noise in it is made at that rate: made
// at half of it, the mixer's interpolation would leave a mirror of it above 11 kHz.
constexpr int k_mixerRate = 44100;

std::vector<GameSound> EffectSounds();
std::vector<GameSound> AmbientSounds();

// Shared pieces of the recipes.
namespace Recipe {

// A short sparkle: a few tiny high glints, scattered over theLength.
void AddGlints(Synth::Signal& theSignal, double theStart, double theLength, int theCount, double theAmp,
               uint32_t theSeed);
// Thunder: a crack (when theCrack) and a long rolling rumble, at the mixer's rate.
Synth::Signal Thunder(double theSeconds, bool theCrack, uint32_t theSeed);
// A wooden creak: a train of clicks at a wandering rate through a resonance.
void AddCreak(Synth::Signal& theSignal, double theStart, double theLength, double theAmp, double theLowRate,
              double theHighRate, double theResonance, uint32_t theSeed);
// One footstep: a thud and a grainy crunch of theCrunchHz.
void AddStep(Synth::Signal& theSignal, double theStart, double theAmp, double theThudHz, double theCrunchHz,
             double theCrunchLength, uint32_t theSeed);

}  // namespace Recipe

}  // namespace GameAssets

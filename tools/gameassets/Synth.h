#pragma once
// A small synthesiser for the game's sounds and music: deterministic noise, filters,
// envelopes, a few instruments that add themselves into a float buffer, a reverb and
// the helpers that turn a buffer into a clean loop or 16-bit samples.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace GameAssets {
namespace Synth {

constexpr double k_pi = 3.14159265358979323846;

// A mono signal at a sample rate, samples nominally within -1..1.
struct Signal {
  int mRate = 22050;
  std::vector<float> mSamples;

  Signal() = default;
  Signal(int theRate, double theSeconds);
  // The sample at theSeconds; a time before the start (or not a number) is the start.
  size_t At(double theSeconds) const {
    return theSeconds > 0 ? static_cast<size_t>(theSeconds * mRate + 0.5) : 0;
  }
  double Seconds() const { return static_cast<double>(mSamples.size()) / mRate; }
};

// xorshift: the same numbers on every machine and every run.
class Random {
 public:
  explicit Random(uint32_t theSeed) : mState(theSeed ? theSeed : 0x9E3779B9u) {}
  uint32_t Next() {
    mState ^= mState << 13;
    mState ^= mState >> 17;
    mState ^= mState << 5;
    return mState;
  }
  float Unit() { return static_cast<float>(Next() >> 8) * (1.0f / 16777216.0f); }  // [0, 1)
  float Signed() { return Unit() * 2.0f - 1.0f; }                                  // [-1, 1)
  float Range(float theLow, float theHigh) { return theLow + (theHigh - theLow) * Unit(); }

 private:
  uint32_t mState;
};

// Second-order filter (the usual cookbook forms).
class Biquad {
 public:
  static Biquad LowPass(double theHz, double theQ, int theRate);
  static Biquad HighPass(double theHz, double theQ, int theRate);
  static Biquad BandPass(double theHz, double theQ, int theRate);
  // Keeps the state, changes the response: for sweeps, a few times per millisecond.
  void SetBandPass(double theHz, double theQ, int theRate);
  void SetLowPass(double theHz, double theQ, int theRate);
  float Process(float theIn) {
    const float anOut = mB0 * theIn + mZ1;
    mZ1 = mB1 * theIn - mA1 * anOut + mZ2;
    mZ2 = mB2 * theIn - mA2 * anOut;
    return anOut;
  }

 private:
  // Low-pass or high-pass: they differ only in the numerator.
  void SetPass(double theHz, double theQ, int theRate, bool isHigh);

  float mB0 = 1, mB1 = 0, mB2 = 0, mA1 = 0, mA2 = 0;
  float mZ1 = 0, mZ2 = 0;
};

// A smooth random curve in 0..1: cosine steps between random points theRate times a second.
class SmoothRandom {
 public:
  SmoothRandom(uint32_t theSeed, double theChangesPerSecond, int theSampleRate);
  float Next();

 private:
  Random mRandom;
  float mFrom, mTo;
  double mPhase = 0, mStep;
};

// Instruments. Each adds into theSignal from theStart seconds; amplitudes are linear.

// A sine partial: linear attack, exponential decay (the time to fall to 1/e), optional
// pitch glide to theEndHz over theLength seconds (theLength 0: until it is inaudible).
void AddPartial(Signal& theSignal, double theStart, double theHz, double theAmp, double theAttack,
                double theDecay, double theEndHz = 0, double theLength = 0);
// A struck bell or chime: inharmonic partials with their own decays.
void AddBell(Signal& theSignal, double theStart, double theHz, double theAmp, double theDecay);
// A plucked string (Karplus-Strong); theBrightness 0..1 shapes the attack.
void AddPluck(Signal& theSignal, double theStart, double theHz, double theAmp, double theDecay,
              double theBrightness, uint32_t theSeed);
// Filtered noise with an attack and a release; the filter runs over the whole burst.
void AddNoise(Signal& theSignal, double theStart, double theLength, double theAmp, double theAttack,
              double theRelease, Biquad theFilter, uint32_t theSeed);
// Noise through a band-pass whose centre and level wander smoothly: wind, water, breath.
void AddWanderingNoise(Signal& theSignal, double theStart, double theLength, double theAmp, double theLowHz,
                       double theHighHz, double theQ, double theChangesPerSecond, uint32_t theSeed);

// Noise through a band-pass whose centre glides from theFromHz to theToHz.
void AddNoiseSweep(Signal& theSignal, double theStart, double theLength, double theAmp, double theFromHz,
                   double theToHz, double theQ, double theAttack, double theRelease, uint32_t theSeed);

// A pitched voice that follows a contour: calls, hoots, howls, buzzes and whistles.
struct VoiceShape {
  std::vector<std::pair<double, double>> mPitch;  // (seconds from the start, Hz), glides between
  std::vector<double> mHarmonics = {1.0};         // amplitude of harmonic 1, 2, ...
  double mAttack = 0.01;
  double mRelease = 0.05;
  double mVibratoHz = 0, mVibratoDepth = 0;  // depth as a fraction of the pitch
  double mTremoloHz = 0, mTremoloDepth = 0;  // depth 0..1
  double mFormantHz = 0, mFormantQ = 1;      // a band-pass over the voice when not 0
  double mBreath = 0;                        // noise mixed in, following the envelope
};
void AddVoice(Signal& theSignal, double theStart, double theLength, double theAmp, const VoiceShape& theShape,
              uint32_t theSeed = 1);

// Shapes and finishing.
void FadeIn(Signal& theSignal, double theSeconds);
void FadeOut(Signal& theSignal, double theSeconds);
void Normalize(Signal& theSignal, float thePeak);
// Equal-power crossfade of the tail past theLoopSeconds into the start, then cut: the
// result repeats without a seam. Whatever sounds past the loop point becomes its start.
void MakeLoop(Signal& theSignal, double theLoopSeconds);
// Adds the part past theLength into the start and cuts: for sounds made of separate
// notes, whose echoes then ring into the next pass exactly as they would when looping.
void FoldTail(std::vector<float>& theSamples, size_t theLength);
std::vector<int16_t> ToPcm16(const std::vector<float>& theSamples);

// Stereo reverb: eight damped combs and four all-passes per side.
class Reverb {
 public:
  Reverb(int theRate, float theRoomSize, float theDamping);
  void Process(float theInLeft, float theInRight, float* theOutLeft, float* theOutRight);

 private:
  struct Comb {
    std::vector<float> mBuffer;
    size_t mPos = 0;
    float mStore = 0;
  };
  struct AllPass {
    std::vector<float> mBuffer;
    size_t mPos = 0;
  };
  float RunSide(float theIn, Comb* theCombs, AllPass* theAllPasses);

  Comb mCombs[2][8];
  AllPass mAllPasses[2][4];
  float mFeedback;
  float mDamp;
};

// Equal-tempered frequency of a MIDI note number (69 = A 440).
double NoteHz(double theNote);

}  // namespace Synth
}  // namespace GameAssets

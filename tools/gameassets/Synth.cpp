#include "Synth.h"

#include <algorithm>
#include <cmath>

namespace GameAssets {
namespace Synth {

namespace {

// One table lookup per sample instead of a sine call: the voices are the hot loops.
constexpr int k_tableBits = 12;
constexpr int k_tableSize = 1 << k_tableBits;

const float* SineTable() {
  static const std::vector<float> sTable = [] {
    std::vector<float> aTable(k_tableSize + 1);
    for (int i = 0; i <= k_tableSize; ++i)
      aTable[i] = static_cast<float>(std::sin(2 * k_pi * i / k_tableSize));
    return aTable;
  }();
  return sTable.data();
}

// Phase in turns (0..1).
inline float SineAt(const float* theTable, double thePhase) {
  const double aPos = (thePhase - std::floor(thePhase)) * k_tableSize;
  const int anIndex = static_cast<int>(aPos);
  const float aFrac = static_cast<float>(aPos - anIndex);
  return theTable[anIndex] + (theTable[anIndex + 1] - theTable[anIndex]) * aFrac;
}

// Phase as a 32-bit fraction of a turn: wraps by itself, and harmonic k is phase * k.
constexpr double k_turn = 4294967296.0;
inline float SineAtTurn(const float* theTable, uint32_t thePhase) {
  const uint32_t anIndex = thePhase >> (32 - k_tableBits);
  const float aFrac = static_cast<float>(thePhase & ((1u << (32 - k_tableBits)) - 1)) *
                      (1.0f / static_cast<float>(1u << (32 - k_tableBits)));
  return theTable[anIndex] + (theTable[anIndex + 1] - theTable[anIndex]) * aFrac;
}

// Seconds until an exponential decay from theAmp is 50 dB down or below hearing in a
// 16-bit file: in a mix nobody hears the rest, and it is most of the cost of long notes.
double Audible(double theAmp, double theDecay) {
  if (theAmp <= 0.00003) return 0;
  return theDecay * std::log(std::min(theAmp / 0.00003, 316.0));
}

}  // namespace

Signal::Signal(int theRate, double theSeconds)
    : mRate(theRate), mSamples(static_cast<size_t>(std::max(0.0, theSeconds) * theRate + 0.5), 0.0f) {}

Biquad Biquad::LowPass(double theHz, double theQ, int theRate) {
  Biquad aFilter;
  aFilter.SetLowPass(theHz, theQ, theRate);
  return aFilter;
}

Biquad Biquad::HighPass(double theHz, double theQ, int theRate) {
  Biquad aFilter;
  aFilter.SetPass(theHz, theQ, theRate, true);
  return aFilter;
}

Biquad Biquad::BandPass(double theHz, double theQ, int theRate) {
  Biquad aFilter;
  aFilter.SetBandPass(theHz, theQ, theRate);
  return aFilter;
}

void Biquad::SetLowPass(double theHz, double theQ, int theRate) { SetPass(theHz, theQ, theRate, false); }

void Biquad::SetPass(double theHz, double theQ, int theRate, bool isHigh) {
  const double w = 2 * k_pi * std::min(theHz, theRate * 0.45) / theRate;
  const double anAlpha = std::sin(w) / (2 * theQ);
  const double c = std::cos(w);
  const double a0 = 1 + anAlpha;
  const double anEdge = isHigh ? 1 + c : 1 - c;
  mB0 = static_cast<float>(anEdge / 2 / a0);
  mB1 = static_cast<float>((isHigh ? -anEdge : anEdge) / a0);
  mB2 = mB0;
  mA1 = static_cast<float>(-2 * c / a0);
  mA2 = static_cast<float>((1 - anAlpha) / a0);
}

void Biquad::SetBandPass(double theHz, double theQ, int theRate) {
  const double w = 2 * k_pi * std::min(theHz, theRate * 0.45) / theRate;
  const double anAlpha = std::sin(w) / (2 * theQ);
  const double a0 = 1 + anAlpha;
  // Peak gain 1 at the centre.
  mB0 = static_cast<float>(anAlpha / a0);
  mB1 = 0;
  mB2 = -mB0;
  mA1 = static_cast<float>(-2 * std::cos(w) / a0);
  mA2 = static_cast<float>((1 - anAlpha) / a0);
}

SmoothRandom::SmoothRandom(uint32_t theSeed, double theChangesPerSecond, int theSampleRate)
    : mRandom(theSeed), mStep(theChangesPerSecond / theSampleRate) {
  mFrom = mRandom.Unit();
  mTo = mRandom.Unit();
}

float SmoothRandom::Next() {
  mPhase += mStep;
  if (mPhase >= 1.0) {
    mPhase -= 1.0;
    mFrom = mTo;
    mTo = mRandom.Unit();
  }
  const float aMix = static_cast<float>(0.5 - 0.5 * std::cos(k_pi * mPhase));
  return mFrom + (mTo - mFrom) * aMix;
}

void AddPartial(Signal& theSignal, double theStart, double theHz, double theAmp, double theAttack,
                double theDecay, double theEndHz, double theLength) {
  const float* aTable = SineTable();
  const double aDuration = theLength > 0 ? theLength : theAttack + Audible(theAmp, theDecay);
  const size_t aBegin = theSignal.At(theStart);
  const size_t anEnd = std::min(theSignal.mSamples.size(), theSignal.At(theStart + aDuration));
  if (anEnd <= aBegin) return;
  const double aDt = 1.0 / theSignal.mRate;
  const bool aGlides = theEndHz > 0 && theEndHz != theHz;
  const double aGlideStep =
      aGlides ? std::exp(std::log(theEndHz / theHz) / std::max(aDuration, aDt) * aDt) : 1.0;
  const float aDecayStep = static_cast<float>(std::exp(-aDt / theDecay));
  // The envelope in three stretches: a linear rise, the decay, a 5 ms release at the
  // end that keeps a cut partial from clicking.
  const size_t aRise = std::min(anEnd - aBegin, static_cast<size_t>(theAttack * theSignal.mRate));
  const size_t aRelease = std::min(anEnd - aBegin - aRise, static_cast<size_t>(0.005 * theSignal.mRate) + 1);
  const size_t aReleaseFrom = anEnd - aRelease;
  uint32_t aPhase = 0;
  double aStep = theHz * aDt * k_turn;
  float aLevel = static_cast<float>(theAmp);
  float* anOut = theSignal.mSamples.data();
  for (size_t i = aBegin; i < anEnd; ++i) {
    float anEnv;
    if (i < aBegin + aRise) {
      anEnv = static_cast<float>(theAmp * (i - aBegin) / aRise);
    } else {
      anEnv = aLevel;
      aLevel *= aDecayStep;
      if (i >= aReleaseFrom) anEnv *= static_cast<float>(anEnd - i) / aRelease;
    }
    anOut[i] += anEnv * SineAtTurn(aTable, aPhase);
    aPhase += static_cast<uint32_t>(static_cast<int64_t>(aStep));
    if (aGlides) aStep *= aGlideStep;
  }
}

void AddBell(Signal& theSignal, double theStart, double theHz, double theAmp, double theDecay) {
  struct Part {
    double mRatio, mAmp, mDecay;
  };
  static const Part kParts[] = {{1.0, 1.0, 1.0},   {1.003, 0.5, 0.9},  {2.0, 0.35, 0.6},
                                {2.76, 0.45, 0.5}, {4.07, 0.22, 0.33}, {5.4, 0.15, 0.25}};
  for (const Part& p : kParts) {
    const double aHz = theHz * p.mRatio;
    if (aHz > theSignal.mRate * 0.45) continue;
    AddPartial(theSignal, theStart, aHz, theAmp * p.mAmp, 0.002, theDecay * p.mDecay);
  }
}

void AddPluck(Signal& theSignal, double theStart, double theHz, double theAmp, double theDecay,
              double theBrightness, uint32_t theSeed) {
  // The loop: a delay of the period less the averaging filter's half sample, the rest
  // made up by a first-order all-pass so that high notes stay in tune.
  const double aPeriod = theSignal.mRate / theHz;
  int aDelay = static_cast<int>(std::floor(aPeriod - 0.5));
  double aFrac = aPeriod - 0.5 - aDelay;
  if (aFrac < 0.1) {
    --aDelay;
    aFrac += 1.0;
  }
  if (aDelay < 2) return;
  const float aCoef = static_cast<float>((1 - aFrac) / (1 + aFrac));
  const float aGain = static_cast<float>(std::exp(-1.0 / (theDecay * theHz)));

  std::vector<float> aLine(static_cast<size_t>(aDelay), 0.0f);
  Random aRandom(theSeed);
  // A softer excitation for a darker string: noise through a one-pole low-pass.
  const float aSmooth = static_cast<float>(1.0 - std::clamp(theBrightness, 0.05, 1.0));
  float aPrev = 0;
  float aMean = 0;
  for (float& v : aLine) {
    aPrev = aPrev * aSmooth + aRandom.Signed() * (1 - aSmooth);
    v = aPrev;
    aMean += v;
  }
  aMean /= aLine.size();
  float aPeak = 0;
  for (float& v : aLine) {
    v -= aMean;
    aPeak = std::max(aPeak, std::fabs(v));
  }
  const float aScale = aPeak > 0 ? static_cast<float>(theAmp) / aPeak : 0;
  for (float& v : aLine) v *= aScale;

  // The string is let go where it has faded, with a short fade of its own.
  const double aRing = Audible(theAmp, theDecay);
  const size_t aBegin = theSignal.At(theStart);
  const size_t aLength = static_cast<size_t>(aRing * theSignal.mRate);
  const size_t anEnd = std::min(theSignal.mSamples.size(), aBegin + aLength);
  const size_t aFadeFrom = aBegin + aLength - aLength / 8;
  const float aFadeStep = aLength >= 8 ? 8.0f / aLength : 1.0f;
  float* anOut = theSignal.mSamples.data();
  size_t aPos = 0;
  float aLast = 0;
  float anApIn = 0;
  float anApOut = 0;
  for (size_t i = aBegin; i < anEnd; ++i) {
    const float aSample = aLine[aPos];
    anOut[i] += i < aFadeFrom ? aSample : aSample * (1.0f - (i - aFadeFrom) * aFadeStep);
    const float anAverage = 0.5f * (aSample + aLast);
    aLast = aSample;
    const float anAllPass = aCoef * anAverage + anApIn - aCoef * anApOut;
    anApIn = anAverage;
    anApOut = anAllPass;
    aLine[aPos] = anAllPass * aGain;
    if (++aPos == aLine.size()) aPos = 0;
  }
}

void AddNoise(Signal& theSignal, double theStart, double theLength, double theAmp, double theAttack,
              double theRelease, Biquad theFilter, uint32_t theSeed) {
  Random aRandom(theSeed);
  const size_t aBegin = theSignal.At(theStart);
  const size_t anEnd = std::min(theSignal.mSamples.size(), theSignal.At(theStart + theLength));
  const double aDt = 1.0 / theSignal.mRate;
  float* anOut = theSignal.mSamples.data();
  for (size_t i = aBegin; i < anEnd; ++i) {
    const double t = (i - aBegin) * aDt;
    const double aLeft = (anEnd - i) * aDt;
    double anEnv = theAmp;
    if (t < theAttack) anEnv *= t / theAttack;
    if (aLeft < theRelease) anEnv *= aLeft / theRelease;
    anOut[i] += static_cast<float>(anEnv) * theFilter.Process(aRandom.Signed());
  }
}

void AddWanderingNoise(Signal& theSignal, double theStart, double theLength, double theAmp, double theLowHz,
                       double theHighHz, double theQ, double theChangesPerSecond, uint32_t theSeed) {
  Random aRandom(theSeed);
  SmoothRandom aPitch(theSeed * 31 + 7, theChangesPerSecond, theSignal.mRate);
  SmoothRandom aLevel(theSeed * 17 + 3, theChangesPerSecond * 1.3, theSignal.mRate);
  Biquad aFilter = Biquad::BandPass(theLowHz, theQ, theSignal.mRate);
  const size_t aBegin = theSignal.At(theStart);
  const size_t anEnd = std::min(theSignal.mSamples.size(), theSignal.At(theStart + theLength));
  const double aRatio = theHighHz / theLowHz;
  float* anOut = theSignal.mSamples.data();
  for (size_t i = aBegin; i < anEnd; ++i) {
    const float aBend = aPitch.Next();
    const float aGain = aLevel.Next();
    if (((i - aBegin) & 31) == 0)
      aFilter.SetBandPass(theLowHz * std::pow(aRatio, aBend), theQ, theSignal.mRate);
    anOut[i] += static_cast<float>(theAmp) * (0.3f + 0.7f * aGain) * aFilter.Process(aRandom.Signed());
  }
}

void AddNoiseSweep(Signal& theSignal, double theStart, double theLength, double theAmp, double theFromHz,
                   double theToHz, double theQ, double theAttack, double theRelease, uint32_t theSeed) {
  Random aRandom(theSeed);
  Biquad aFilter = Biquad::BandPass(theFromHz, theQ, theSignal.mRate);
  const size_t aBegin = theSignal.At(theStart);
  const size_t anEnd = std::min(theSignal.mSamples.size(), theSignal.At(theStart + theLength));
  const double aDt = 1.0 / theSignal.mRate;
  const double aRatio = theToHz / theFromHz;
  float* anOut = theSignal.mSamples.data();
  for (size_t i = aBegin; i < anEnd; ++i) {
    const double t = (i - aBegin) * aDt;
    if (((i - aBegin) & 31) == 0)
      aFilter.SetBandPass(theFromHz * std::pow(aRatio, t / theLength), theQ, theSignal.mRate);
    const double aLeft = (anEnd - i) * aDt;
    double anEnv = theAmp;
    if (t < theAttack) anEnv *= t / theAttack;
    if (aLeft < theRelease) anEnv *= aLeft / theRelease;
    anOut[i] += static_cast<float>(anEnv) * aFilter.Process(aRandom.Signed());
  }
}

void AddVoice(Signal& theSignal, double theStart, double theLength, double theAmp, const VoiceShape& theShape,
              uint32_t theSeed) {
  if (theShape.mPitch.empty()) return;
  const float* aTable = SineTable();
  Random aRandom(theSeed);
  Biquad aFormant = Biquad::BandPass(theShape.mFormantHz > 0 ? theShape.mFormantHz : 1000, theShape.mFormantQ,
                                     theSignal.mRate);
  const size_t aBegin = theSignal.At(theStart);
  const size_t anEnd = std::min(theSignal.mSamples.size(), theSignal.At(theStart + theLength));
  const double aDt = 1.0 / theSignal.mRate;
  const double aNyquist = theSignal.mRate * 0.45;
  size_t aSegment = 0;
  uint32_t aPhase = 0;
  float* anOut = theSignal.mSamples.data();
  for (size_t i = aBegin; i < anEnd; ++i) {
    const double t = (i - aBegin) * aDt;
    while (aSegment + 1 < theShape.mPitch.size() && t >= theShape.mPitch[aSegment + 1].first) ++aSegment;
    double aHz = theShape.mPitch[aSegment].second;
    if (aSegment + 1 < theShape.mPitch.size()) {
      const auto& a = theShape.mPitch[aSegment];
      const auto& b = theShape.mPitch[aSegment + 1];
      const double aMix = std::clamp((t - a.first) / std::max(b.first - a.first, aDt), 0.0, 1.0);
      aHz = a.second * std::pow(b.second / a.second, aMix);
    }
    if (theShape.mVibratoDepth > 0)
      aHz *= 1 + theShape.mVibratoDepth * SineAt(aTable, theShape.mVibratoHz * t);
    double anEnv = theAmp;
    if (t < theShape.mAttack) anEnv *= t / theShape.mAttack;
    const double aLeft = (anEnd - i) * aDt;
    if (aLeft < theShape.mRelease) anEnv *= aLeft / theShape.mRelease;
    if (theShape.mTremoloDepth > 0)
      anEnv *= 1 - theShape.mTremoloDepth * (0.5 + 0.5 * SineAt(aTable, theShape.mTremoloHz * t));
    float aSum = 0;
    for (size_t h = 0; h < theShape.mHarmonics.size(); ++h) {
      if (aHz * (h + 1) > aNyquist) break;
      aSum += static_cast<float>(theShape.mHarmonics[h]) *
              SineAtTurn(aTable, aPhase * static_cast<uint32_t>(h + 1));
    }
    aSum += static_cast<float>(theShape.mBreath) * aRandom.Signed();
    if (theShape.mFormantHz > 0) aSum = aFormant.Process(aSum) * 2.0f;
    anOut[i] += static_cast<float>(anEnv) * aSum;
    aPhase += static_cast<uint32_t>(static_cast<int64_t>(aHz * aDt * k_turn));
  }
}

void FadeIn(Signal& theSignal, double theSeconds) {
  const size_t aCount = std::min(theSignal.mSamples.size(), theSignal.At(theSeconds));
  for (size_t i = 0; i < aCount; ++i) theSignal.mSamples[i] *= static_cast<float>(i) / aCount;
}

void FadeOut(Signal& theSignal, double theSeconds) {
  const size_t aSize = theSignal.mSamples.size();
  const size_t aCount = std::min(aSize, theSignal.At(theSeconds));
  for (size_t i = 0; i < aCount; ++i) theSignal.mSamples[aSize - 1 - i] *= static_cast<float>(i) / aCount;
}

void Normalize(Signal& theSignal, float thePeak) {
  float aMax = 0;
  for (float v : theSignal.mSamples) aMax = std::max(aMax, std::fabs(v));
  if (aMax <= 0) return;
  const float aScale = thePeak / aMax;
  for (float& v : theSignal.mSamples) v *= aScale;
}

void MakeLoop(Signal& theSignal, double theLoopSeconds) {
  const size_t aLoop = std::min(theSignal.mSamples.size(), theSignal.At(theLoopSeconds));
  const size_t aTail = std::min(theSignal.mSamples.size() - aLoop, aLoop);
  for (size_t i = 0; i < aTail; ++i) {
    const double w = (i + 0.5) / aTail * k_pi / 2;
    theSignal.mSamples[i] =
        static_cast<float>(theSignal.mSamples[i] * std::sin(w) + theSignal.mSamples[aLoop + i] * std::cos(w));
  }
  theSignal.mSamples.resize(aLoop);
}

void FoldTail(std::vector<float>& theSamples, size_t theLength) {
  for (size_t i = theLength; i < theSamples.size(); ++i)
    theSamples[(i - theLength) % theLength] += theSamples[i];
  theSamples.resize(std::min(theSamples.size(), theLength));
}

std::vector<int16_t> ToPcm16(const std::vector<float>& theSamples) {
  std::vector<int16_t> aPcm(theSamples.size());
  for (size_t i = 0; i < theSamples.size(); ++i) {
    const float v = std::clamp(theSamples[i], -1.0f, 1.0f) * 32767.0f;
    aPcm[i] = static_cast<int16_t>(std::lrint(v));
  }
  return aPcm;
}

Reverb::Reverb(int theRate, float theRoomSize, float theDamping)
    : mFeedback(theRoomSize * 0.28f + 0.7f), mDamp(theDamping * 0.4f) {
  static const int kCombs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
  static const int kAllPasses[4] = {556, 441, 341, 225};
  const double aScale = theRate / 44100.0;
  for (int aSide = 0; aSide < 2; ++aSide) {
    const int aSpread = aSide * 23;
    for (int i = 0; i < 8; ++i)
      mCombs[aSide][i].mBuffer.assign(static_cast<size_t>((kCombs[i] + aSpread) * aScale), 0.0f);
    for (int i = 0; i < 4; ++i)
      mAllPasses[aSide][i].mBuffer.assign(static_cast<size_t>((kAllPasses[i] + aSpread) * aScale), 0.0f);
  }
}

float Reverb::RunSide(float theIn, Comb* theCombs, AllPass* theAllPasses) {
  float anOut = 0;
  for (int i = 0; i < 8; ++i) {
    Comb& c = theCombs[i];
    const float aDelayed = c.mBuffer[c.mPos];
    c.mStore = aDelayed * (1 - mDamp) + c.mStore * mDamp;
    c.mBuffer[c.mPos] = theIn + c.mStore * mFeedback;
    if (++c.mPos == c.mBuffer.size()) c.mPos = 0;
    anOut += aDelayed;
  }
  for (int i = 0; i < 4; ++i) {
    AllPass& a = theAllPasses[i];
    const float aDelayed = a.mBuffer[a.mPos];
    a.mBuffer[a.mPos] = anOut + aDelayed * 0.5f;
    if (++a.mPos == a.mBuffer.size()) a.mPos = 0;
    anOut = aDelayed - anOut;
  }
  return anOut;
}

void Reverb::Process(float theInLeft, float theInRight, float* theOutLeft, float* theOutRight) {
  const float anIn = (theInLeft + theInRight) * 0.015f;
  *theOutLeft = RunSide(anIn, mCombs[0], mAllPasses[0]);
  *theOutRight = RunSide(anIn, mCombs[1], mAllPasses[1]);
}

double NoteHz(double theNote) { return 440.0 * std::pow(2.0, (theNote - 69.0) / 12.0); }

}  // namespace Synth
}  // namespace GameAssets

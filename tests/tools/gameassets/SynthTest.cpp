// The synthesiser's time to sample mapping, and instruments started at the edge of a signal.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

#include "Synth.h"

namespace {

using namespace GameAssets::Synth;

TEST(SynthSignal, AtRoundsToTheNearestSampleAndTakesAnEarlyTimeForTheStart) {
  struct Case {
    double mSeconds;
    size_t mSample;
  };
  const Case kCases[] = {
      {0.0, 0},                                       // the first sample
      {0.0004, 0},                                    // less than half a sample rounds down
      {0.0005, 1},                                    // half a sample rounds up
      {1.0, 1000},                                    // a second in
      {-0.0001, 0},                                   // a moment early, as the music's feel plays some notes
      {-5.0, 0},                                      // long before
      {std::numeric_limits<double>::quiet_NaN(), 0},  // no time at all
  };
  Signal aSignal(1000, 2.0);
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mSeconds);
    EXPECT_EQ(aSignal.At(c.mSeconds), c.mSample);
  }
}

// A note a few milliseconds before the signal starts plays from its first sample: it is
// neither lost nor written outside the buffer.
TEST(SynthSignal, AnInstrumentStartedJustBeforeTheStartSoundsFromIt) {
  VoiceShape aFlute;
  aFlute.mPitch = {{0.0, 440.0}};
  aFlute.mAttack = 0.001;
  struct Case {
    const char* mName;
    std::function<void(Signal&, double)> mPlay;
  };
  const Case kCases[] = {
      {"partial", [](Signal& s, double t) { AddPartial(s, t, 440, 0.5, 0.001, 0.3); }},
      {"bell", [](Signal& s, double t) { AddBell(s, t, 440, 0.5, 0.3); }},
      {"pluck", [](Signal& s, double t) { AddPluck(s, t, 220, 0.5, 0.5, 0.5, 7); }},
      {"noise",
       [](Signal& s, double t) {
         AddNoise(s, t, 0.2, 0.5, 0.001, 0.01, Biquad::LowPass(2000, 0.7, 22050), 7);
       }},
      {"voice", [&aFlute](Signal& s, double t) { AddVoice(s, t, 0.2, 0.5, aFlute, 7); }},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    Signal aSignal(22050, 0.5);
    c.mPlay(aSignal, -0.004);
    float aPeak = 0;
    for (size_t i = 0; i < 441; ++i) aPeak = std::max(aPeak, std::fabs(aSignal.mSamples[i]));
    EXPECT_GT(aPeak, 0.05f) << "silent in its first 20 ms";
    EXPECT_EQ(aSignal.mSamples.size(), 11025u);
  }
}

}  // namespace

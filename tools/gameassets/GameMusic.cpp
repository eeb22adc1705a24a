#include "GameMusic.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "AssetFile.h"
#include "SoundWriter.h"
#include "Synth.h"

namespace GameAssets {

using namespace Synth;

namespace {

// Arrangements: how a song's chords are played under its melody.
enum Style { k_styleOpening = 0, k_styleTitle = 1, k_styleWaltz = 2, k_styleStory = 3 };

// The opening plays once before the title loop; the title and the story are calm
// and wistful; the play loop is a light waltz that stays out of the way.
const Song kSongs[] = {
    {"music/summoning_37.ogg", "opening, played once", 60, 4, "Dm | Bb | Gm | A | Dm | F | Gm | A",
     "r:2 A5:1 D6:1 | F5:3 E5:1 | D5:2 Bb4:1 G5:1 | E5:3 C#5:1 | "
     "D5:1 F5:1 A5:2 | C6:2 A5:1 F5:1 | G5:2 Bb5:1 A5:1 | E5:2 C#5:2",
     k_styleOpening},
    {"music/summoning_a.ogg", "title loop", 76, 4,
     "Dm | C | Bb | C | Dm | F | Gm | A | Dm | C | Bb | F | Gm | Dm | Gm | A",
     "D5:1.5 E5:0.5 F5:1 A5:1 | G5:1.5 F5:0.5 E5:1 C5:1 | D5:1.5 C5:0.5 Bb4:1 D5:1 | E5:3 r:1 | "
     "F5:1.5 G5:0.5 A5:1 D6:1 | C6:1.5 A5:0.5 F5:1 A5:1 | Bb5:1.5 A5:0.5 G5:1 D5:1 | C#5:2 E5:1 A5:1 | "
     "A5:1.5 G5:0.5 F5:1 E5:1 | G5:1.5 F5:0.5 E5:1 G5:1 | F5:1.5 E5:0.5 D5:1 F5:1 | C5:3 r:1 | "
     "D5:1 G5:1 Bb5:1 A5:1 | A5:2 F5:1 D5:1 | G5:1.5 F5:0.5 E5:1 D5:1 | C#5:2 E5:1 r:1",
     k_styleTitle},
    {"music/zq_ingame.ogg", "play loop (map, locations, mini-games)", 96, 3,
     "Am | Am | F | G | C | G | Am | E | F | G | Em | Am | Dm | Am | E | E | "
     "Am | G | F | C | Dm | E | Am | E",
     "r:3 | E5:1 A5:1 B5:1 | C6:2 A5:1 | B5:1.5 A5:0.5 G5:1 | E5:2 G5:1 | D5:3 | C5:1 E5:1 A5:1 | G#5:3 | "
     "A5:1.5 G5:0.5 F5:1 | B4:1 D5:1 G5:1 | G5:2 E5:1 | A5:3 | F5:1 A5:1 D6:1 | C6:2 B5:1 | "
     "B5:1.5 A5:0.5 G#5:1 | E5:3 | r:3 | r:1 B5:1 D6:1 | C6:2 A5:1 | G5:3 | F5:1 E5:1 D5:1 | "
     "E5:2 G#5:1 | A5:3 | r:3",
     k_styleWaltz},
    {"music/elven_kin_full_loop.ogg", "story loop", 70, 4,
     "F | G/F | Am | Em | Dm | Bb | C | Csus4 | F | G/F | Bbmaj7 | C",
     "A5:2 C6:1 A5:1 | B5:2 D6:1 B5:1 | C6:1.5 B5:0.5 A5:1 E5:1 | G5:3 r:1 | "
     "F5:1 A5:1 D6:1 C6:1 | D6:1.5 C6:0.5 Bb5:1 F5:1 | G5:1 C6:1 E6:1 D6:1 | C6:3 r:1 | "
     "A5:1 C6:1 F6:1 E6:1 | D6:2 B5:1 G5:1 | A5:1.5 Bb5:0.5 D6:1 C6:1 | C6:2 G5:1 E5:1",
     k_styleStory},
};

struct Note {
  double mBeat;
  double mBeats;
  int mPitch;  // MIDI note number, -1 for a rest
};

struct Chord {
  double mBeat;
  double mBeats;
  int mRoot;  // MIDI number in C3..B3
  int mBass;  // MIDI number in C2..B2
  std::vector<int> mIntervals;
};

int PitchClass(const char*& p) {
  static const int kLetters[7] = {9, 11, 0, 2, 4, 5, 7};  // A..G
  int aClass = kLetters[*p - 'A'];
  ++p;
  if (*p == '#') {
    ++aClass;
    ++p;
  } else if (*p == 'b') {
    --aClass;
    ++p;
  }
  return (aClass + 12) % 12;
}

// An optional ":beats" after a note or a chord.
double ReadBeats(const char*& p, double theDefault) {
  if (*p != ':') return theDefault;
  char* anEnd = nullptr;
  const double aBeats = std::strtod(p + 1, &anEnd);
  p = anEnd;
  return aBeats;
}

// "F#5:1.5 r:1 | ..." into notes on the beat grid.
std::vector<Note> ParseMelody(const char* theText) {
  std::vector<Note> aNotes;
  double aBeat = 0;
  for (const char* p = theText; *p;) {
    if (*p == ' ' || *p == '|') {
      ++p;
      continue;
    }
    int aPitch = -1;
    if (*p == 'r') {
      ++p;
    } else {
      const int aClass = PitchClass(p);
      const int anOctave = *p++ - '0';
      aPitch = 12 * (anOctave + 1) + aClass;
    }
    const double aBeats = ReadBeats(p, 1);
    aNotes.push_back({aBeat, aBeats, aPitch});
    aBeat += aBeats;
  }
  return aNotes;
}

// "Dm | G/F | Csus4:2" into chords: a bar each unless a length is given.
std::vector<Chord> ParseChords(const char* theText, int theBeatsPerBar) {
  struct Quality {
    const char* mName;
    std::vector<int> mIntervals;
  };
  // Longest names first, so that "maj7" is not read as "m".
  static const Quality kQualities[] = {{"maj7", {0, 4, 7, 11}}, {"sus4", {0, 5, 7}},  {"sus2", {0, 2, 7}},
                                       {"m7", {0, 3, 7, 10}},   {"7", {0, 4, 7, 10}}, {"m", {0, 3, 7}},
                                       {"", {0, 4, 7}}};
  std::vector<Chord> aChords;
  double aBeat = 0;
  for (const char* p = theText; *p;) {
    if (*p == ' ' || *p == '|') {
      ++p;
      continue;
    }
    Chord aChord;
    const int aClass = PitchClass(p);
    for (const Quality& q : kQualities) {
      const size_t aLength = std::strlen(q.mName);
      if (std::strncmp(p, q.mName, aLength) == 0) {
        aChord.mIntervals = q.mIntervals;
        p += aLength;
        break;
      }
    }
    aChord.mRoot = 48 + aClass;
    aChord.mBass = 36 + aClass;
    if (*p == '/') {
      ++p;
      aChord.mBass = 36 + PitchClass(p);
    }
    aChord.mBeats = ReadBeats(p, theBeatsPerBar);
    aChord.mBeat = aBeat;
    aBeat += aChord.mBeats;
    aChords.push_back(aChord);
  }
  return aChords;
}

// Chord tone by degree: 0 root, 1 third (or suspension), 2 fifth, 3 seventh when the
// chord has one; each further step of 3 is an octave higher.
int ChordTone(const Chord& theChord, int theDegree) {
  const int aCount = 3;
  const int anOctave = theDegree / aCount;
  return theChord.mRoot + theChord.mIntervals[theDegree % aCount] + 12 * anOctave;
}

// A band-limited sawtooth for the string pad: one cycle, 24 harmonics.
const std::vector<float>& SawTable() {
  static const std::vector<float> sTable = [] {
    const int k_size = 2048;
    std::vector<float> aTable(k_size + 1, 0.0f);
    for (int h = 1; h <= 24; ++h)
      for (int i = 0; i <= k_size; ++i)
        aTable[i] += static_cast<float>(std::sin(2 * k_pi * h * i / k_size) / h * 0.55);
    return aTable;
  }();
  return sTable;
}

// One held string-section note: three detuned saws through a soft low-pass.
void PlayPad(Signal& theSignal, double theStart, double theLength, int thePitch, double theAmp) {
  const float* aTable = SawTable().data();
  const int k_indexShift = 21;  // 2048 entries from a 32-bit phase
  const double aHz = NoteHz(thePitch);
  const double kDetune[3] = {0.9965, 1.0, 1.0035};
  const double anAttack = 0.7;
  const double aRelease = 1.2;
  const size_t aBegin = theSignal.At(theStart);
  const size_t anEnd = std::min(theSignal.mSamples.size(), theSignal.At(theStart + theLength + aRelease));
  const size_t aRiseEnd = aBegin + static_cast<size_t>(anAttack * theSignal.mRate);
  const size_t aHoldEnd = aBegin + static_cast<size_t>(theLength * theSignal.mRate);
  const float aRise = static_cast<float>(1.0 / (anAttack * theSignal.mRate));
  const float aFall = static_cast<float>(1.0 / (aRelease * theSignal.mRate));
  Biquad aFilter = Biquad::LowPass(std::min(1400.0, aHz * 5), 0.6, theSignal.mRate);
  // Three saws a little apart in pitch and in phase.
  uint32_t aPhase[3] = {0u, 0x4F5C28F5u, 0xAB851EB8u};
  uint32_t aStep[3];
  for (int v = 0; v < 3; ++v)
    aStep[v] = static_cast<uint32_t>(aHz * kDetune[v] / theSignal.mRate * 4294967296.0);
  const float anAmp = static_cast<float>(theAmp);
  float anEnv = 0;
  float* anOut = theSignal.mSamples.data();
  for (size_t i = aBegin; i < anEnd; ++i) {
    if (i < aRiseEnd)
      anEnv = std::min(1.0f, anEnv + aRise);
    else if (i >= aHoldEnd)
      anEnv = std::max(0.0f, anEnv - aFall);
    float aSum = 0;
    for (int v = 0; v < 3; ++v) {
      const uint32_t anIndex = aPhase[v] >> k_indexShift;
      const float aFrac =
          static_cast<float>(aPhase[v] & ((1u << k_indexShift) - 1)) * (1.0f / (1u << k_indexShift));
      aSum += aTable[anIndex] + (aTable[anIndex + 1] - aTable[anIndex]) * aFrac;
      aPhase[v] += aStep[v];
    }
    anOut[i] += anAmp * anEnv * aFilter.Process(aSum);
  }
}

void PlayFlute(Signal& theSignal, double theStart, double theLength, int thePitch, double theAmp,
               uint32_t theSeed) {
  VoiceShape aFlute;
  aFlute.mPitch = {{0.0, NoteHz(thePitch)}};
  aFlute.mHarmonics = {1.0, 0.3, 0.12, 0.05};
  aFlute.mAttack = 0.07;
  aFlute.mRelease = 0.2;
  aFlute.mVibratoHz = 5.2;
  aFlute.mVibratoDepth = 0.005;
  aFlute.mBreath = 0.03;
  AddVoice(theSignal, theStart, theLength + 0.15, theAmp, aFlute, theSeed);
}

void PlayBass(Signal& theSignal, double theStart, double theLength, int thePitch, double theAmp,
              uint32_t theSeed) {
  const double aHz = NoteHz(thePitch);
  AddPluck(theSignal, theStart, aHz, theAmp * 0.6, 1.6, 0.25, theSeed);
  AddPartial(theSignal, theStart, aHz, theAmp * 0.4, 0.02, 1.2, 0, theLength + 0.1);
}

void PlayDrum(Signal& theSignal, double theStart, double theAmp, uint32_t theSeed) {
  AddPartial(theSignal, theStart, 100, theAmp, 0.002, 0.16, 58, 0.4);
  AddNoise(theSignal, theStart, 0.07, theAmp * 0.3, 0.001, 0.06, Biquad::LowPass(800, 0.7, theSignal.mRate),
           theSeed);
}

void PlayShaker(Signal& theSignal, double theStart, double theAmp, uint32_t theSeed) {
  AddNoise(theSignal, theStart, 0.08, theAmp, 0.03, 0.05, Biquad::HighPass(5500, 0.7, theSignal.mRate),
           theSeed);
}

// The mix of a song: each instrument is played into one shared mono buffer, then
// placed in the stereo field and sent to the hall, and the buffer is cleared for the
// next. The buffers are kept from song to song: fresh memory is slow to fault in.
class SongMix {
 public:
  // Empties the mix for a song of theSeconds (echoes included).
  void Reset(double theSeconds) {
    const size_t aFrames = static_cast<size_t>(theSeconds * k_musicRate + 0.5);
    mTrack.mRate = k_musicRate;
    mTrack.mSamples.assign(aFrames, 0.0f);
    mDry.assign(aFrames * 2, 0.0f);
    mSend.assign(aFrames, 0.0f);
  }

  Signal& Track() { return mTrack; }

  // Places the buffer's sound (-1 left .. 1 right) with theSend of it to the reverb.
  void Place(float thePan, float theSend) {
    const float aLeft = static_cast<float>(std::cos((thePan + 1) * k_pi / 4));
    const float aRight = static_cast<float>(std::sin((thePan + 1) * k_pi / 4));
    std::vector<float>& aSamples = mTrack.mSamples;
    for (size_t i = 0; i < aSamples.size(); ++i) {
      const float v = aSamples[i];
      mDry[2 * i] += v * aLeft;
      mDry[2 * i + 1] += v * aRight;
      mSend[i] += v * theSend;
      aSamples[i] = 0.0f;
    }
  }

  // The hall, the echoes of the end folded into the start, and the level.
  const std::vector<float>& Finish(size_t theLoop, float theRoom) {
    Reverb aReverb(k_musicRate, theRoom, 0.45f);
    for (size_t i = 0; i < mSend.size(); ++i) {
      float aWetLeft, aWetRight;
      aReverb.Process(mSend[i], 0.0f, &aWetLeft, &aWetRight);
      mDry[2 * i] += aWetLeft * 4.5f;
      mDry[2 * i + 1] += aWetRight * 4.5f;
    }
    FoldTail(mDry, theLoop * 2);
    float aPeak = 0;
    for (float v : mDry) aPeak = std::max(aPeak, std::fabs(v));
    if (aPeak > 0)
      for (float& v : mDry) v *= 0.8f / aPeak;
    return mDry;
  }

 private:
  Signal mTrack;
  std::vector<float> mDry;
  std::vector<float> mSend;
};

// The echoes of a song's end, long enough for the hall to die away.
constexpr double k_echoSeconds = 8.0;

const std::vector<float>& RenderInto(const Song& theSong, SongMix& theMix);

}  // namespace

const std::vector<Song>& Songs() {
  static const std::vector<Song> sSongs(std::begin(kSongs), std::end(kSongs));
  return sSongs;
}

double SongSeconds(const Song& theSong) {
  double aBeats = 0;
  for (const Chord& c : ParseChords(theSong.mChords, theSong.mBeatsPerBar)) aBeats += c.mBeats;
  return aBeats * 60.0 / theSong.mBpm;
}

std::vector<float> RenderSong(const Song& theSong) {
  SongMix aMix;
  return RenderInto(theSong, aMix);
}

namespace {

const std::vector<float>& RenderInto(const Song& theSong, SongMix& theMix) {
  const double aBeat = 60.0 / theSong.mBpm;
  const double aSeconds = SongSeconds(theSong);
  const size_t aLoop = static_cast<size_t>(std::lround(aSeconds * k_musicRate));
  const std::vector<Chord> aChords = ParseChords(theSong.mChords, theSong.mBeatsPerBar);
  const std::vector<Note> aMelody = ParseMelody(theSong.mMelody);

  SongMix& aMix = theMix;
  aMix.Reset(aSeconds + k_echoSeconds);
  Signal& aTrack = aMix.Track();

  // A player's small unevenness, the same every time (and with any compiler: a note draws its
  // level before its time, never both within one call's arguments, whose order is the
  // compiler's). A note is never early for the song's start.
  Random aFeel(static_cast<uint32_t>(theSong.mBpm * 1000 + theSong.mStyle));
  auto Feel = [&aFeel](double theTime) { return std::max(0.0, theTime + aFeel.Signed() * 0.006); };
  auto Velocity = [&aFeel]() { return 0.88 + 0.12 * aFeel.Unit(); };
  uint32_t aSeed = 1000;
  const int aStyle = theSong.mStyle;

  // Strings: an open voicing held across each chord.
  const float aPadLevel = aStyle == k_styleWaltz ? 0.09f : 0.13f;
  for (const Chord& c : aChords) {
    const int kPadVoicing[4] = {0, 2, 4, 3};  // root, fifth, tenth, octave
    for (int v = 0; v < 4; ++v)
      PlayPad(aTrack, c.mBeat * aBeat, c.mBeats * aBeat, ChordTone(c, kPadVoicing[v]), aPadLevel);
    if (c.mIntervals.size() > 3)
      PlayPad(aTrack, c.mBeat * aBeat, c.mBeats * aBeat, c.mRoot + 12 + c.mIntervals[3], aPadLevel);
  }
  aMix.Place(-0.3f, 0.8f);

  // Bass: the title walks to the fifth on the half bar, the others hold the root.
  for (const Chord& c : aChords) {
    const double t = c.mBeat * aBeat;
    const double aLength = c.mBeats * aBeat;
    const double aLevel = 0.5 * Velocity();
    if (aStyle == k_styleTitle) {
      PlayBass(aTrack, t, aLength / 2, c.mBass, aLevel, ++aSeed);
      const int aSecond = c.mBass == c.mRoot - 12 ? c.mBass + 7 : c.mBass;
      PlayBass(aTrack, t + aLength / 2, aLength / 2, aSecond, aLevel * 0.8, ++aSeed);
    } else {
      PlayBass(aTrack, t, aLength, c.mBass, aLevel, ++aSeed);
    }
  }
  aMix.Place(0.0f, 0.2f);

  // Harp over the chords: rising eighths, a waltz figure, or a run every fourth bar.
  for (const Chord& c : aChords) {
    const double t = c.mBeat * aBeat;
    const int aSteps = static_cast<int>(c.mBeats * 2);
    if (aStyle == k_styleOpening || aStyle == k_styleTitle) {
      static const int kRising[8] = {0, 2, 3, 4, 5, 4, 3, 2};
      for (int i = 0; i < aSteps; ++i) {
        const double aLevel = 0.28 * Velocity();
        AddPluck(aTrack, Feel(t + i * aBeat / 2), NoteHz(ChordTone(c, kRising[i % 8])), aLevel, 1.4, 0.55,
                 ++aSeed);
      }
    } else if (aStyle == k_styleWaltz) {
      static const int kWaltz[6] = {0, 2, 4, 5, 4, 2};
      for (int i = 0; i < aSteps; ++i) {
        const double aLevel = (i == 0 ? 0.34 : 0.24) * Velocity();
        AddPluck(aTrack, Feel(t + i * aBeat / 2), NoteHz(ChordTone(c, kWaltz[i % 6])), aLevel, 1.2, 0.5,
                 ++aSeed);
      }
    } else if (static_cast<int>(c.mBeat / theSong.mBeatsPerBar) % 4 == 3) {
      for (int i = 0; i < 8; ++i)
        AddPluck(aTrack, t + (c.mBeats - 1 + i / 8.0) * aBeat, NoteHz(ChordTone(c, 3 + i)), 0.22, 1.6, 0.6,
                 ++aSeed);
    }
  }
  aMix.Place(0.35f, 0.5f);

  // Bells: a chime on the bar (every other bar in the title), a celesta in the story.
  for (const Chord& c : aChords) {
    const double t = c.mBeat * aBeat;
    const int aBar = static_cast<int>(c.mBeat / theSong.mBeatsPerBar);
    if (aStyle == k_styleOpening || (aStyle == k_styleTitle && aBar % 2 == 0)) {
      AddBell(aTrack, t, NoteHz(ChordTone(c, 3) + 12), 0.1, 1.6);
    } else if (aStyle == k_styleStory) {
      static const int kCelesta[4] = {3, 4, 5, 4};
      for (int i = 0; i < static_cast<int>(c.mBeats); ++i) {
        const double aLevel = 0.07 * Velocity();
        AddBell(aTrack, Feel(t + i * aBeat), NoteHz(ChordTone(c, kCelesta[i % 4]) + 12), aLevel, 1.1);
      }
    }
  }
  aMix.Place(-0.5f, 0.8f);

  // Drums: the waltz's frame drum on the bar and a shaker on the off beats.
  if (aStyle == k_styleWaltz) {
    for (const Chord& c : aChords) {
      const double t = c.mBeat * aBeat;
      PlayDrum(aTrack, t, 0.35 * Velocity(), ++aSeed);
      for (int i = 2; i < static_cast<int>(c.mBeats * 2); ++i)
        PlayShaker(aTrack, t + i * aBeat / 2, 0.05 * Velocity(), ++aSeed);
    }
    aMix.Place(0.1f, 0.25f);
  }

  // The melody, legato: each note runs into the next.
  const double aLeadLevel = aStyle == k_styleWaltz ? 0.2 : 0.24;
  for (const Note& n : aMelody) {
    if (n.mPitch < 0) continue;
    const double aLevel = aLeadLevel * Velocity();
    PlayFlute(aTrack, Feel(n.mBeat * aBeat), n.mBeats * aBeat, n.mPitch, aLevel, ++aSeed);
  }
  aMix.Place(0.05f, 0.55f);

  return aMix.Finish(aLoop, aStyle == k_styleOpening ? 0.85f : 0.75f);
}

}  // namespace

bool WriteGameMusic(const std::string& theDir, std::string* theError) {
  // The longest song first makes the buffers as large as they will ever be.
  double aLongest = 0;
  for (const Song& aSong : Songs()) aLongest = std::max(aLongest, SongSeconds(aSong));
  SongMix aMix;
  aMix.Reset(aLongest + k_echoSeconds);
  for (const Song& aSong : Songs()) {
    const std::vector<float>& aStereo = RenderInto(aSong, aMix);
    const std::string aBytes = TeskTools::SoundWriter::Ogg(ToPcm16(aStereo), 2, k_musicRate, 0.3f);
    const std::string aPath = theDir + "/" + aSong.mFile;
    if (aBytes.empty() || !WriteAssetFile(aPath, aBytes)) {
      *theError = "cannot write " + aPath;
      return false;
    }
  }
  return true;
}

}  // namespace GameAssets

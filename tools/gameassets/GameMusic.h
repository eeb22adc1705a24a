#pragma once
// The game's four songs, composed here as chords and melodies and played by the
// synthesiser's little orchestra into seamless Ogg Vorbis loops.
#include <cstdint>
#include <string>
#include <vector>

namespace GameAssets {

constexpr int k_musicRate = 32000;

struct Song {
  const char* mFile;  // relative to the resources folder
  const char* mMood;  // where it plays
  double mBpm;
  int mBeatsPerBar;
  const char* mChords;  // one chord per bar, or "Chord:beats"; '|' separates bars for the eye
  const char* mMelody;  // "Note:beats" (e.g. "F#5:1.5"), "r:beats" for a rest
  int mStyle;           // which arrangement plays the chords (see GameMusic.cpp)
};

const std::vector<Song>& Songs();

// Interleaved stereo samples of one pass of the song, echoes of the end folded into
// the start so that it loops without a seam.
std::vector<float> RenderSong(const Song& theSong);

// The song's length in seconds (one pass).
double SongSeconds(const Song& theSong);

// Writes the four songs under theDir.
bool WriteGameMusic(const std::string& theDir, std::string* theError);

}  // namespace GameAssets

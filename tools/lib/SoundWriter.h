// Writes sound fixtures: WAV (with the program's own chunks and deliberate faults), Sun AU and
// Ogg Vorbis, plus the test tones they carry.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace TeskTools {

struct WavOptions {
  bool mReversedIds = false;  // every id byte-reversed ("FFIR", " tmf", "atad", ...)
  uint16_t mFormatTag = 1;
  bool mDataBeforeFmt = false;
  bool mNoData = false;
  bool mHasXor = false;  // samples stored XOR-ed with mXorKey, announced by an "xor " chunk
  uint8_t mXorKey = 0;
  std::string mDepName;  // a "dep " chunk naming the source file, when not empty
  uint16_t mDepHighSeconds = 0;
  uint32_t mDepLowSeconds = 0;
  int64_t mDeclaredDataSize = -1;  // the data chunk's size field; -1 means the real size
  std::string mExtraChunkBefore;   // a chunk id to put (with 3 body bytes) before "fmt ", to be skipped
};

class SoundWriter {
 public:
  // A sine tone, the same on every channel.
  static std::vector<int16_t> Tone(double theHz, int theFrames, int theChannels, int theRate,
                                   int theAmplitude);
  // 8-bit mu-law bytes of samples (G.711), as Sun AU encoding 1 holds them.
  static std::vector<uint8_t> MuLaw(const std::vector<int16_t>& theSamples);
  // 16-bit little-endian bytes of samples.
  static std::vector<uint8_t> Bytes16(const std::vector<int16_t>& theSamples);

  static std::string Wav(const std::vector<uint8_t>& theData, int theChannels, int theRate, int theBits,
                         const WavOptions& theOptions = WavOptions());
  // theEncoding 1 (mu-law), 2 (8-bit linear) or anything else; theDeclaredSize -1 means the real size.
  static std::string Au(const std::vector<uint8_t>& theData, uint32_t theEncoding, int theRate,
                        int theChannels, int64_t theDeclaredSize = -1, uint32_t theDataOffset = 24);
  // Ogg Vorbis at a quality from -0.1 to 1.0; empty on an encoder failure.
  static std::string Ogg(const std::vector<int16_t>& theSamples, int theChannels, int theRate,
                         float theQuality = 0.6f);
};

}  // namespace TeskTools

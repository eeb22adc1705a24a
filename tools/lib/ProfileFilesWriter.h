#pragma once
// Writers of the shell's own small files: the hall-of-fame defaults (hsdefaults.txt)
// and the older 472-byte profile layout that the profile loader converts. The asset
// generator and the tests' fixtures both use them.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace TeskTools {

// UTF-16LE: the byte-order mark, one unit the reader skips (a line feed), then the
// names separated by line feeds. Names are written whole; the reader cuts them at 9.
std::string HallOfFameDefaultsBytes(const std::vector<std::wstring>& theNames);

// One player of the older layout: 68 bytes on file.
struct LegacyProfileRecord {
  std::string mName;              // up to 11 bytes, zero-padded; empty = free slot
  uint8_t mProgressAndCoins = 0;  // bit 0 game in progress, bits 1-7 coins found
  uint16_t mOptions = 0;          // bits 3-4 difficulty, 5 distractions off, 6-7 wand, 8 map
  uint16_t mRepelPickups = 0;
  uint16_t mRevealPickups = 0;
  std::array<uint32_t, 2> mCoins{};
  uint32_t mHintBlock = 0;
  uint8_t mReserved = 0;
  uint8_t mRepelCount = 0;
  uint8_t mLevel = 0;
  uint8_t mRevealChargesUsed = 0;
  int32_t mLevelTimer = 0;  // hundredths of a second
  float mRepelCharge = 0.0f;
  float mLevelGrade = 0.0f;
  uint8_t mPlusFlags = 0;
  uint8_t mHasSave = 0;
  uint8_t mSaveInMinigame = 0;
  float mAverageGrade = 0.0f;
  uint32_t mTotalSeconds = 0;
  uint8_t mUnconverted = 0;  // byte 60: the new layout has no place for it
  std::array<uint8_t, 5> mRunestones{};
};

// One hall-of-fame entry of the older layout: 24 bytes on file.
struct LegacyRankRecord {
  std::string mName;  // up to 11 bytes, zero-padded
  float mGrade = 0.0f;
  int32_t mSeconds = 0;
  uint32_t mDifficulty = 0;
};

struct LegacyProfileFile {
  std::array<LegacyProfileRecord, 4> mRecords;
  uint32_t mHeaderWord = 0;  // bits 0-2 profile in use, 3 help, 4 extra hard, 5 map 2, 6 wands
  std::array<uint32_t, 13> mBestTimes{};
  std::array<LegacyRankRecord, 6> mRanks;
};

constexpr size_t k_legacyProfileFileSize = 472;

// The 472 bytes of the older layout, field by field, little-endian.
std::string LegacyProfileBytes(const LegacyProfileFile& theFile);

}  // namespace TeskTools

// One player's profile: everything of a game in progress that survives a restart.
#pragma once

#include <cstdint>

namespace Tesk {

struct ProfileRecord {
  // File layout: 100 bytes, the field offsets in the comments.
  static constexpr int k_nameUnits = 11;
  static constexpr int k_runestones = 5;
  static constexpr int k_size = 100;

  // Flags word.
  static constexpr uint32_t k_flagGameInProgress = 1u << 0;
  static constexpr int k_coinCountShift = 1;  // 7 bits
  static constexpr uint32_t k_coinCountMask = 0x7Fu << k_coinCountShift;
  static constexpr int k_difficultyShift = 11;  // 2 bits
  static constexpr uint32_t k_difficultyMask = 3u << k_difficultyShift;
  static constexpr uint32_t k_flagDistractionsOff = 1u << 13;
  static constexpr int k_wandShift = 14;  // 2 bits
  static constexpr uint32_t k_wandMask = 3u << k_wandShift;
  static constexpr int k_numWands = 3;  // the field could hold a fourth
  static constexpr uint32_t k_flagMapUsing = 1u << 16;

  // Plus flags.
  static constexpr uint8_t k_plusEarned = 1;
  static constexpr uint8_t k_plusDisplayed = 2;

  wchar_t mName[k_nameUnits];         // 0: 0-terminated; a first unit of 0 is an empty slot
  uint32_t mFlags;                    // 44
  uint16_t mRepelPickups;             // 48: bit i for location id i
  uint16_t mRevealPickups;            // 50
  uint32_t mCoins[2];                 // 52: coin i is bit i % 32 of word i / 32
  uint32_t mHintBlock;                // 60: one-time help messages shown
  uint8_t mReserved;                  // 64
  uint8_t mRepelCount;                // 65
  uint8_t mLevelOn;                   // 66: 1-13
  uint8_t mHintsUsed;                 // 67: reveal charges used, bits 0-4
  int32_t mLevelTimer;                // 68: hundredths of a second
  float mRepelCharge;                 // 72: 0.0-1.0
  float mLevelGrade;                  // 76: 0.0-2.0
  uint8_t mPlusFlags;                 // 80
  uint8_t mHasSaveFile;               // 81
  uint8_t mSaveInMinigame;            // 82
  float mGameAvgGrade;                // 84: 0.0-2.5
  uint32_t mTotalGameTime;            // 88: seconds
  uint8_t mNumMisPresses;             // 92
  uint8_t mRunestones[k_runestones];  // 93: ids 1-12 of the four to find, 255 once found
};

}  // namespace Tesk

// What all players share: the profile in use, unlocks, best level times and the hall of fame.
#pragma once

#include <cstdint>

#include "game/shell/RankRecord.h"

namespace Tesk {

struct ProfileHeader {
  // File layout: 392 bytes.
  static constexpr int k_levels = 13;
  static constexpr int k_ranks = 6;
  static constexpr int k_size = 392;

  static constexpr uint32_t k_profileIdxMask = 7;
  static constexpr uint32_t k_flagHelpBox = 1u << 3;
  static constexpr uint32_t k_flagExtraHard = 1u << 4;
  static constexpr uint32_t k_flagOtherMap = 1u << 5;
  static constexpr uint32_t k_flagWands = 1u << 6;

  uint32_t mFlags;                     // 0
  uint32_t mBestLevelTimes[k_levels];  // 4: hundredths, index 0-12 = levels 1-13
  RankRecord mRankRecords[k_ranks];    // 56: best first
};

}  // namespace Tesk

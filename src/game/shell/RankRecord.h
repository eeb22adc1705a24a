// One entry of the hall of fame shared by all players.
#pragma once

#include <cstdint>

namespace Tesk {

struct RankRecord {
  // File layout: 56 bytes.
  static constexpr int k_nameUnits = 11;
  static constexpr int k_size = 56;

  wchar_t mName[k_nameUnits];  // 0-terminated, at most 10 characters
  float mGrade;
  int32_t mTimeSeconds;
  uint32_t mDifficulty;  // bits 0-1
};

}  // namespace Tesk

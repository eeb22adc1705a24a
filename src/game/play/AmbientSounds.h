// The ambient sound records of the locations: loops that always play, loops that come and go,
// and one-shot sounds at random intervals. Names are relative to the resources; times are in
// updates.
#pragma once

#include <cstdint>

struct CSLOOPS {
  const char* m_name;
};

struct STLOOP {
  const char* m_name;
  uint16_t m_silenceBase;
  uint16_t m_silenceRange;
  uint16_t m_playBase;
  uint16_t m_playRange;
};

struct SONEPLAY {
  const char* m_name;
  uint16_t m_delayBase;
  uint16_t m_delayRange;
};

extern const CSLOOPS k_csLoops[9];
extern const STLOOP k_stLoops[9];
extern const SONEPLAY k_sOneplays[28];

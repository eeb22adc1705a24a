// The program's lock: one re-entrant critical region. Take it with AutoCrit.
#pragma once

#include "platform/mp/Multiprocessing.h"

namespace Tesk {

class CritSect {
 public:
  CritSect();
  ~CritSect();
  CritSect(const CritSect&) = delete;
  CritSect& operator=(const CritSect&) = delete;

  MPCriticalRegionID mCriticalRegion;
};

}  // namespace Tesk

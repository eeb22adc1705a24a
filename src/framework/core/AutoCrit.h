// Holds a CritSect for the life of the scope.
#pragma once

#include "core/CritSect.h"

namespace Tesk {

class AutoCrit {
 public:
  explicit AutoCrit(const CritSect& theCritSect) : mCritSect(&theCritSect) {
    MPEnterCriticalRegion(mCritSect->mCriticalRegion, kDurationForever);
  }
  ~AutoCrit() { MPExitCriticalRegion(mCritSect->mCriticalRegion); }
  AutoCrit(const AutoCrit&) = delete;
  AutoCrit& operator=(const AutoCrit&) = delete;

 private:
  const CritSect* mCritSect;
};

}  // namespace Tesk

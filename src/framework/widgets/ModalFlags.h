// The walk flags in force during one walk: one set for widgets below the base
// modal widget, one for it and everything after it.
#pragma once

#include "widgets/FlagsMod.h"

namespace Tesk {

class ModalFlags {
 public:
  int mOverFlags = 0;
  int mUnderFlags = 0;
  bool mIsOver = false;

  int GetFlags() const { return mIsOver ? mOverFlags : mUnderFlags; }
  void ModFlags(const FlagsMod& theMod) {
    Tesk::ModFlags(mOverFlags, theMod);
    Tesk::ModFlags(mUnderFlags, theMod);
  }
};

}  // namespace Tesk

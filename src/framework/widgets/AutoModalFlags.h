// Applies a container's flag change for the length of a scope. mIsOver is left
// alone on purpose: once a walk passes the base modal widget it stays over.
#pragma once

#include "widgets/ModalFlags.h"

namespace Tesk {

class AutoModalFlags {
 public:
  ModalFlags* mModalFlags;
  int mOldOverFlags;
  int mOldUnderFlags;

  AutoModalFlags(ModalFlags* theModalFlags, const FlagsMod& theMod)
      : mModalFlags(theModalFlags),
        mOldOverFlags(theModalFlags->mOverFlags),
        mOldUnderFlags(theModalFlags->mUnderFlags) {
    theModalFlags->ModFlags(theMod);
  }
  ~AutoModalFlags() {
    mModalFlags->mOverFlags = mOldOverFlags;
    mModalFlags->mUnderFlags = mOldUnderFlags;
  }

 private:
  AutoModalFlags(const AutoModalFlags&) = delete;
  AutoModalFlags& operator=(const AutoModalFlags&) = delete;
};

}  // namespace Tesk

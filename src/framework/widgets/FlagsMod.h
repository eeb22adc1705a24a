// Walk flags and the change a container applies to them for its subtree.
#pragma once

namespace Tesk {

enum WidgetFlags {
  WidgetFlags_Update = 1,
  WidgetFlags_MarkDirty = 2,
  WidgetFlags_Draw = 4,
  WidgetFlags_Clip = 8,
  WidgetFlags_AllowMouse = 16,
  WidgetFlags_AllowFocus = 32,
};

class FlagsMod {
 public:
  int mAddFlags = 0;
  int mRemoveFlags = 0;

  FlagsMod() = default;
  FlagsMod(int theAddFlags, int theRemoveFlags) : mAddFlags(theAddFlags), mRemoveFlags(theRemoveFlags) {}
};

inline int GetModFlags(int theFlags, const FlagsMod& theMod) {
  return (theFlags | theMod.mAddFlags) & ~theMod.mRemoveFlags;
}

inline void ModFlags(int& theFlags, const FlagsMod& theMod) { theFlags = GetModFlags(theFlags, theMod); }

}  // namespace Tesk

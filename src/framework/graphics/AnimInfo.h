// Timing of the cels of an animated sprite sheet.
#pragma once

#include <vector>

namespace Tesk {

enum ImageAnimType { AnimType_None = 0, AnimType_Once = 1, AnimType_PingPong = 2, AnimType_Loop = 3 };

class AnimInfo {
 public:
  int mAnimType;
  int mFrameDelay;
  int mNumCels;
  std::vector<int> mPerFrameDelay;  // empty: every frame waits mFrameDelay
  std::vector<int> mFrameMap;       // empty: frame i shows cel i
  int mTotalAnimTime;

  AnimInfo();

  void SetPerFrameDelay(int theFrame, int theTime);
  void Compute(int theNumCels, int theBeginFrameTime = 0, int theEndFrameTime = 0);
};

}  // namespace Tesk

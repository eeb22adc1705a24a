#include "graphics/AnimInfo.h"

namespace Tesk {

AnimInfo::AnimInfo() : mAnimType(AnimType_None), mFrameDelay(1), mNumCels(1), mTotalAnimTime(0) {}

void AnimInfo::SetPerFrameDelay(int theFrame, int theTime) {
  if (theFrame < 0) return;
  if (static_cast<int>(mPerFrameDelay.size()) <= theFrame) mPerFrameDelay.resize(theFrame + 1, 0);
  mPerFrameDelay[theFrame] = theTime;
}

void AnimInfo::Compute(int theNumCels, int theBeginFrameTime, int theEndFrameTime) {
  mNumCels = theNumCels < 1 ? 1 : theNumCels;
  if (mFrameDelay < 1) mFrameDelay = 1;

  if (mAnimType == AnimType_PingPong && mNumCels >= 2) {
    mFrameMap.clear();
    for (int i = 0; i < mNumCels; ++i) mFrameMap.push_back(i);
    for (int i = mNumCels - 2; i >= 1; --i) mFrameMap.push_back(i);
  }
  if (!mFrameMap.empty()) mNumCels = static_cast<int>(mFrameMap.size());

  if (theBeginFrameTime > 0) SetPerFrameDelay(0, theBeginFrameTime);
  if (theEndFrameTime > 0) SetPerFrameDelay(mNumCels - 1, theEndFrameTime);

  if (!mPerFrameDelay.empty()) {
    mPerFrameDelay.resize(mNumCels, 0);
    mTotalAnimTime = 0;
    for (int& aDelay : mPerFrameDelay) {
      if (aDelay < 1) aDelay = mFrameDelay;
      mTotalAnimTime += aDelay;
    }
  } else {
    mTotalAnimTime = mFrameDelay * mNumCels;
  }
}

}  // namespace Tesk

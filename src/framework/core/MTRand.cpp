#include "core/MTRand.h"

#include <cmath>

#include "core/Common.h"

namespace Tesk {

namespace {
const int kShift = 397;
const uint32_t kMatrixA = 0x9908B0DFu;
const uint32_t kUpperMask = 0x80000000u;
const uint32_t kLowerMask = 0x7FFFFFFFu;
const uint32_t kDefaultSeed = 4357;
}  // namespace

int32_t gRandAllowed = 0;
MTRand gMTRand;

MTRand::MTRand() { SRand(kDefaultSeed); }

void MTRand::SRand(uint32_t theSeed) {
  if (theSeed == 0) theSeed = kDefaultSeed;
  mState[0] = theSeed;
  for (int i = 1; i < k_StateSize; ++i) {
    mState[i] = 1812433253u * (mState[i - 1] ^ (mState[i - 1] >> 30)) + static_cast<uint32_t>(i);
  }
  mStateIndex = k_StateSize;
}

uint32_t MTRand::Next() {
  // clang-format off
  TESK_ASSERT(gRandAllowed==0);
  // clang-format on
  return NextNoAssert();
}

uint32_t MTRand::NextNoAssert() {
  static const uint32_t kMag01[2] = {0, kMatrixA};
  if (mStateIndex >= k_StateSize) {
    int k = 0;
    for (; k < k_StateSize - kShift; ++k) {
      uint32_t y = (mState[k] & kUpperMask) | (mState[k + 1] & kLowerMask);
      mState[k] = mState[k + kShift] ^ (y >> 1) ^ kMag01[y & 1];
    }
    for (; k < k_StateSize - 1; ++k) {
      uint32_t y = (mState[k] & kUpperMask) | (mState[k + 1] & kLowerMask);
      mState[k] = mState[k + (kShift - k_StateSize)] ^ (y >> 1) ^ kMag01[y & 1];
    }
    uint32_t y = (mState[k_StateSize - 1] & kUpperMask) | (mState[0] & kLowerMask);
    mState[k_StateSize - 1] = mState[kShift - 1] ^ (y >> 1) ^ kMag01[y & 1];
    mStateIndex = 0;
  }
  uint32_t y = mState[mStateIndex++];
  y ^= y >> 11;
  y ^= (y << 7) & 0x9D2C5680u;
  y ^= (y << 15) & 0xEFC60000u;
  y ^= y >> 18;
  return y & 0x7FFFFFFFu;
}

void MTRand::SetRandAllowed(bool allowed) {
  if (allowed) {
    // Closing a scope that was never opened.
    if (gRandAllowed < 1) TESK_ASSERT(false);
    gRandAllowed -= 1;
  } else {
    gRandAllowed += 1;
  }
}

int Rand() { return static_cast<int>(gMTRand.Next()); }

void SRand(uint32_t theSeed) { gMTRand.SRand(theSeed); }

float RandF(float theRange, float thePrecision) {
  const int aModulus = static_cast<int>(std::trunc(theRange * thePrecision));
  const int aDraw = Rand();
  if (aModulus == 0) return 0.0f;
  return static_cast<float>(aDraw % aModulus) / thePrecision;
}

float RandFSignedRange(float theRange, float thePrecision) {
  const float aSpan = theRange * thePrecision;
  const int64_t aModulus = 2 * static_cast<int64_t>(std::trunc(aSpan)) + 1;
  const int aDraw = Rand();
  // A precision of 0 leaves nothing to divide by; like a range of 0 it gives 0.
  if (thePrecision == 0.0f) return 0.0f;
  return (static_cast<float>(aDraw % aModulus) - aSpan) / thePrecision;
}

float RandFSignedRange(int theRange) {
  const int64_t aModulus = 2 * static_cast<int64_t>(theRange) + 1;
  return static_cast<float>(Rand() % aModulus - theRange);
}

}  // namespace Tesk

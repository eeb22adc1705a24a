// The native words of an 8-8-8 display: the vector loops against the plain one over every alpha
// and channel value, and the image's native words against those of the same display with red
// and blue swapped, which the general per-mask loop makes.
#include <gtest/gtest.h>

#include <vector>

#include "graphics/BlitSimdNative.h"
#include "graphics/MemoryImage.h"
#include "graphics/NativeDisplay.h"

using namespace Tesk;

namespace {

// Every alpha against every value in each channel, 256 * 256 words.
std::vector<uint32_t> EveryAlphaAndChannel() {
  std::vector<uint32_t> aWords;
  for (uint32_t a = 0; a < 256; ++a)
    for (uint32_t c = 0; c < 256; ++c)
      aWords.push_back((a << 24) | (c << 16) | ((255 - c) << 8) | (c * 37 & 0xFF));
  return aWords;
}

void SetLayout(NativeDisplay& theNative, int theRedShift, int theBlueShift) {
  theNative.mRGBBits = 32;
  theNative.mRedBits = theNative.mGreenBits = theNative.mBlueBits = 8;
  theNative.mRedShift = theRedShift;
  theNative.mGreenShift = 8;
  theNative.mBlueShift = theBlueShift;
  theNative.mRedMask = 0xFF << theRedShift;
  theNative.mGreenMask = 0xFF00;
  theNative.mBlueMask = 0xFF << theBlueShift;
}

uint32_t SwapRedBlue(uint32_t w) { return (w & 0xFF00FF00) | ((w >> 16) & 0xFF) | ((w & 0xFF) << 16); }

}  // namespace

TEST(BlitSimdNative, VectorRowsMatchThePlainRowForEveryAlphaAndChannel) {
  const std::vector<uint32_t> aWords = EveryAlphaAndChannel();
  // All of them, and short rows of every tail length from an odd start.
  for (int aCount : {int(aWords.size()), 1, 2, 3, 5, 7, 4099}) {
    const uint32_t* aFrom = aCount == int(aWords.size()) ? aWords.data() : aWords.data() + 3;
    std::vector<uint32_t> aPlain(size_t(aCount) + 1, 0xDEADBEEF);
    BlitSimdNative::Premultiply888RowPlain(aPlain.data(), aFrom, aCount);
    // The AVX2 row is the SSE2 one on a processor without AVX2.
    for (auto aRow : {BlitSimdNative::Premultiply888Row, BlitSimdNative::Premultiply888RowSse2,
                      BlitSimdNative::Premultiply888RowAvx2}) {
      std::vector<uint32_t> aVector(size_t(aCount) + 1, 0xDEADBEEF);
      aRow(aVector.data(), aFrom, aCount);
      ASSERT_EQ(aVector, aPlain) << "count " << aCount;
    }
  }
}

TEST(BlitSimdNative, ImageNativeWordsAreThoseOfTheGeneralLoop) {
  const std::vector<uint32_t> aWords = EveryAlphaAndChannel();
  NativeDisplay aRgb, aBgr;
  SetLayout(aRgb, 16, 0);
  SetLayout(aBgr, 0, 16);
  MemoryImage anImage(nullptr), aSwapped(nullptr);
  anImage.SetBits(aWords.data(), 256, 256);
  aSwapped.SetBits(aWords.data(), 256, 256);
  const uint32_t* aFast = anImage.GetNativeAlphaData(&aRgb);
  const uint32_t* aGeneral = aSwapped.GetNativeAlphaData(&aBgr);
  for (size_t i = 0; i < aWords.size(); ++i)
    ASSERT_EQ(aFast[i], SwapRedBlue(aGeneral[i])) << std::hex << "word " << aWords[i];
}

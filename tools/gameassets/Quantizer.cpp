#include "Quantizer.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace GameAssets {

namespace {

// A colour key: 5 bits each of red, green and blue, 3 of alpha.
uint32_t KeyOf(int r, int g, int b, int a) {
  return static_cast<uint32_t>((a >> 5) << 15 | (r >> 3) << 10 | (g >> 3) << 5 | (b >> 3));
}
std::array<int, 4> KeyCentre(uint32_t k) {
  return {static_cast<int>(((k >> 10) & 31) << 3 | 4), static_cast<int>(((k >> 5) & 31) << 3 | 4),
          static_cast<int>((k & 31) << 3 | 4), static_cast<int>(((k >> 15) & 7) << 5 | 16)};
}

struct Entry {
  uint32_t mKey;
  uint32_t mCount;
  uint64_t mSum[4];  // r, g, b, a
};

struct Box {
  size_t mBegin, mEnd;
  uint64_t mCount;
};

const int kWeight[4] = {3, 4, 2, 6};

int Channel(const Entry& e, int c) {
  return static_cast<int>((e.mSum[c] + e.mCount / 2) / e.mCount);
}

// The channel a box spreads over most (weighted) and how far.
int WidestChannel(const std::vector<Entry>& theEntries, const Box& theBox, int* theSpread) {
  int aBest = 0, aBestSpread = -1;
  for (int c = 0; c < 4; ++c) {
    int lo = 255, hi = 0;
    for (size_t i = theBox.mBegin; i < theBox.mEnd; ++i) {
      const int v = Channel(theEntries[i], c);
      lo = std::min(lo, v);
      hi = std::max(hi, v);
    }
    const int aSpread = (hi - lo) * kWeight[c];
    if (aSpread > aBestSpread) {
      aBestSpread = aSpread;
      aBest = c;
    }
  }
  *theSpread = aBestSpread;
  return aBest;
}

}  // namespace

TeskTools::BlockImage Quantize(const std::vector<uint32_t>& thePixels, int theWidth, int theHeight, bool theDither,
                               int theMaxColours) {
  TeskTools::BlockImage anImage;
  anImage.mWidth = theWidth;
  anImage.mHeight = theHeight;
  anImage.mIndices.assign(thePixels.size(), 0);

  // Histogram of the visible pixels by key, in key order.
  std::vector<uint32_t> aKeys;
  aKeys.reserve(thePixels.size());
  for (uint32_t p : thePixels) {
    const int a = p >> 24;
    if (a < k_clearAlpha) continue;
    aKeys.push_back(KeyOf((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF, a));
  }
  std::vector<Entry> anEntries;
  {
    std::vector<std::pair<uint32_t, uint32_t>> aKeyed;
    aKeyed.reserve(aKeys.size());
    size_t k = 0;
    for (uint32_t p : thePixels) {
      if (static_cast<int>(p >> 24) < k_clearAlpha) continue;
      aKeyed.push_back({aKeys[k++], p});
    }
    std::sort(aKeyed.begin(), aKeyed.end());
    for (const auto& [aKey, p] : aKeyed) {
      if (anEntries.empty() || anEntries.back().mKey != aKey) anEntries.push_back({aKey, 0, {0, 0, 0, 0}});
      Entry& e = anEntries.back();
      ++e.mCount;
      e.mSum[0] += (p >> 16) & 0xFF;
      e.mSum[1] += (p >> 8) & 0xFF;
      e.mSum[2] += p & 0xFF;
      e.mSum[3] += p >> 24;
    }
  }

  // Median cut.
  anImage.mPalette.push_back(0x00000000);
  std::vector<Box> aBoxes;
  if (!anEntries.empty()) {
    uint64_t aTotal = 0;
    for (const Entry& e : anEntries) aTotal += e.mCount;
    aBoxes.push_back({0, anEntries.size(), aTotal});
  }
  while (static_cast<int>(aBoxes.size()) < theMaxColours) {
    int aPick = -1;
    double aBestScore = 0;
    int aPickChannel = 0;
    for (size_t b = 0; b < aBoxes.size(); ++b) {
      if (aBoxes[b].mEnd - aBoxes[b].mBegin < 2) continue;
      int aSpread = 0;
      const int c = WidestChannel(anEntries, aBoxes[b], &aSpread);
      const double aScore = static_cast<double>(aSpread) * std::sqrt(static_cast<double>(aBoxes[b].mCount));
      if (aScore > aBestScore) {
        aBestScore = aScore;
        aPick = static_cast<int>(b);
        aPickChannel = c;
      }
    }
    if (aPick < 0) break;
    Box aBox = aBoxes[aPick];
    std::stable_sort(anEntries.begin() + aBox.mBegin, anEntries.begin() + aBox.mEnd,
                     [&](const Entry& x, const Entry& y) { return Channel(x, aPickChannel) < Channel(y, aPickChannel); });
    uint64_t aHalf = 0;
    size_t aCut = aBox.mBegin;
    while (aCut < aBox.mEnd - 1 && (aHalf + anEntries[aCut].mCount) * 2 <= aBox.mCount) aHalf += anEntries[aCut++].mCount;
    if (aCut == aBox.mBegin) aHalf += anEntries[aCut++].mCount;
    aBoxes[aPick] = {aBox.mBegin, aCut, aHalf};
    aBoxes.push_back({aCut, aBox.mEnd, aBox.mCount - aHalf});
  }
  for (const Box& aBox : aBoxes) {
    uint64_t s[4] = {0, 0, 0, 0}, n = 0;
    for (size_t i = aBox.mBegin; i < aBox.mEnd; ++i) {
      for (int c = 0; c < 4; ++c) s[c] += anEntries[i].mSum[c];
      n += anEntries[i].mCount;
    }
    uint32_t ch[4];
    for (int c = 0; c < 4; ++c) ch[c] = static_cast<uint32_t>((s[c] + n / 2) / n);
    anImage.mPalette.push_back(ch[3] << 24 | ch[0] << 16 | ch[1] << 8 | ch[2]);
  }

  // Nearest palette entry per key, found when first asked.
  std::vector<int16_t> aLookup(1u << 18, -1);
  auto Nearest = [&](uint32_t theKey) -> uint8_t {
    int16_t& aSlot = aLookup[theKey];
    if (aSlot >= 0) return static_cast<uint8_t>(aSlot);
    const std::array<int, 4> c = KeyCentre(theKey);
    int aBest = 1;
    long aBestDist = -1;
    for (size_t i = 1; i < anImage.mPalette.size(); ++i) {
      const uint32_t p = anImage.mPalette[i];
      const int d[4] = {c[0] - static_cast<int>((p >> 16) & 0xFF), c[1] - static_cast<int>((p >> 8) & 0xFF),
                        c[2] - static_cast<int>(p & 0xFF), c[3] - static_cast<int>(p >> 24)};
      long aDist = 0;
      for (int k = 0; k < 4; ++k) aDist += static_cast<long>(d[k]) * d[k] * kWeight[k];
      if (aBestDist < 0 || aDist < aBestDist) {
        aBestDist = aDist;
        aBest = static_cast<int>(i);
      }
    }
    aSlot = static_cast<int16_t>(aBest);
    return static_cast<uint8_t>(aBest);
  };
  if (anImage.mPalette.size() < 2) return anImage;

  // Error rows for Floyd-Steinberg (red, green, blue), one pixel of slack each side: this row's
  // and the next's, in one buffer whose halves swap roles from row to row.
  const size_t aRowLength = static_cast<size_t>(theWidth + 2) * 3;
  std::vector<int> anErrors(2 * aRowLength, 0);
  int* aErr0 = anErrors.data();
  int* aErr1 = aErr0 + aRowLength;
  for (int y = 0; y < theHeight; ++y) {
    std::fill(aErr1, aErr1 + aRowLength, 0);
    for (int x = 0; x < theWidth; ++x) {
      const size_t i = static_cast<size_t>(y) * theWidth + x;
      const uint32_t p = thePixels[i];
      const int a = p >> 24;
      if (a < k_clearAlpha) continue;
      int c[3] = {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF), static_cast<int>(p & 0xFF)};
      if (theDither)
        for (int k = 0; k < 3; ++k) c[k] = std::clamp(c[k] + aErr0[(x + 1) * 3 + k] / 16, 0, 255);
      const uint8_t anIndex = Nearest(KeyOf(c[0], c[1], c[2], a));
      anImage.mIndices[i] = anIndex;
      if (!theDither) continue;
      const uint32_t q = anImage.mPalette[anIndex];
      const int qc[3] = {static_cast<int>((q >> 16) & 0xFF), static_cast<int>((q >> 8) & 0xFF),
                         static_cast<int>(q & 0xFF)};
      for (int k = 0; k < 3; ++k) {
        const int e = c[k] - qc[k];
        aErr0[(x + 2) * 3 + k] += e * 7;
        aErr1[(x + 0) * 3 + k] += e * 3;
        aErr1[(x + 1) * 3 + k] += e * 5;
        aErr1[(x + 2) * 3 + k] += e * 1;
      }
    }
    std::swap(aErr0, aErr1);
  }
  return anImage;
}

std::vector<uint32_t> Expand(const TeskTools::BlockImage& theImage) {
  std::vector<uint32_t> anOut(theImage.mIndices.size());
  for (size_t i = 0; i < anOut.size(); ++i) {
    const uint8_t k = theImage.mIndices[i];
    anOut[i] = k < theImage.mPalette.size() ? theImage.mPalette[k] : 0;
  }
  return anOut;
}

}  // namespace GameAssets

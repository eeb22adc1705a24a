#include "graphics/BlitSimdStretch.h"

#include <algorithm>
#include <cstring>

#include "core/CpuFeatures.h"
#include "graphics/BlitPixel.h"

#ifdef __SSE2__
#include <emmintrin.h>
// AVX2 rows are built beside the SSE2 ones and chosen at run time where the processor has it.
#if (defined(__GNUC__) || defined(__clang__)) && (defined(__x86_64__) || defined(__i386__))
#include <immintrin.h>
#define TESK_STRETCH_AVX2 1
#else
#define TESK_STRETCH_AVX2 0
#endif
#endif

namespace Tesk {
namespace BlitSimdStretch {

void HorzTapsRowPlain(uint16_t* theCells, const uint32_t* theRow, const int32_t* theIndex,
                      const uint16_t* theWeight, int theTaps, int theBegin, int theEnd) {
  for (int g = theBegin; g < theEnd; ++g)
    for (int c = 0; c < 2; ++c) {
      uint32_t aSums[4] = {0, 0, 0, 0};
      for (int n = 0; n < theTaps; ++n) {
        const size_t t = size_t(g) * theTaps + n;
        const uint32_t p = theRow[theIndex[t * 2 + c]], w = theWeight[t * 8 + 4 * c];
        for (int i = 0; i < 4; ++i) aSums[i] += ((p >> (8 * i)) & 0xFF) * w;
      }
      uint16_t* aCell = theCells + 4 * (2 * size_t(g) + c);
      for (int i = 0; i < 4; ++i) aCell[i] = uint16_t(aSums[i] ^ 0x8000);
    }
}

void HorzPairsRowPlain(uint16_t* theCells, const uint32_t* theRow, const int32_t* theLeft,
                       const uint16_t* theWeight, int theBegin, int theEnd) {
  for (int k = theBegin; k < theEnd; ++k) {
    const uint32_t l = theRow[theLeft[k]], r = theRow[theLeft[k] + 1];
    const size_t w = size_t(k / 4) * 32 + size_t(k % 4) * 4;
    const uint32_t wl = theWeight[w], wr = theWeight[w + 16];
    for (int i = 0; i < 4; ++i)
      theCells[4 * size_t(k) + size_t(i)] =
          uint16_t(((((l >> (8 * i)) & 0xFF) * wl) + (((r >> (8 * i)) & 0xFF) * wr)) ^ 0x8000);
  }
}

void SurfaceOverRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  for (int i = 0; i < theCount; ++i) {
    const uint32_t s = theSrc[i], a = s >> 24;
    if (a == 0) continue;
    const uint32_t d = theDest[i];
    uint32_t r = s;
    for (uint32_t m : {0xFF0000u, 0xFF00u, 0xFFu}) r += (((256 - a) * (d & m)) >> 8) & m;
    theDest[i] = r;
  }
}

uint32_t ComposePixel(uint32_t d, uint32_t m, const Compose& theCompose) {
  const uint32_t* k = theCompose.mMul;
  uint32_t B = m & 0xFF, G = (m >> 8) & 0xFF, R = (m >> 16) & 0xFF, A = m >> 24;
  if (theCompose.mKind == Compose::Add) {
    B = (k[0] * B) >> 8;
    G = (k[1] * G) >> 8;
    R = (k[2] * R) >> 8;
    if (theCompose.mPartial) {
      B = (A * B) >> 8;
      G = (A * G) >> 8;
      R = (A * R) >> 8;
    }
    return (d & 0xFF000000) | (std::min<uint32_t>(((d >> 16) & 0xFF) + R, 255) << 16) |
           (std::min<uint32_t>(((d >> 8) & 0xFF) + G, 255) << 8) | std::min<uint32_t>((d & 0xFF) + B, 255);
  }
  A = (A * k[3]) / 255;
  R = (R * k[2]) >> 8;
  G = (G * k[1]) >> 8;
  B = (B * k[0]) >> 8;
  if (A == 0) return d;
  uint32_t da = d >> 24;
  uint32_t oma = 256 - A;
  uint32_t aBlue = (((oma * (d & 0xFF)) >> 8) & 0xFF) + ((B * A) >> 8);
  uint32_t aGreen = (((oma * (d & 0xFF00)) >> 8) & 0xFF00) + (((G * A) >> 8) << 8);
  uint32_t aRed = (((oma * (d & 0xFF0000)) >> 8) & 0xFF0000) + (((R * A) >> 8) << 16);
  uint32_t anAlpha = da + ((255 - da) * A) / 255;
  return (anAlpha << 24) | aRed | aGreen | aBlue;
}

void MixComposeRowPlain(uint32_t* theDest, const uint16_t* const* theRows, const int16_t* theWeights,
                        int theTaps, int theCount, const Compose& theCompose) {
  for (int x = 0; x < theCount; ++x) {
    uint32_t m = 0;
    for (int i = 0; i < 4; ++i) {
      uint32_t aSum = 0;
      for (int t = 0; t < theTaps; ++t)
        aSum += uint32_t(theRows[t][4 * x + i] ^ 0x8000) * uint32_t(theWeights[t]);
      m |= (aSum >> 16) << (8 * i);
    }
    theDest[x] = ComposePixel(theDest[x], m, theCompose);
  }
}

void GatherRow(uint32_t* theOut, const uint32_t* theRow, const int* theColumns, int theCount) {
  int x = 0;
  for (; x + 4 <= theCount; x += 4) {
    uint32_t a = theRow[theColumns[x]], b = theRow[theColumns[x + 1]], c = theRow[theColumns[x + 2]],
             d = theRow[theColumns[x + 3]];
    theOut[x] = a;
    theOut[x + 1] = b;
    theOut[x + 2] = c;
    theOut[x + 3] = d;
  }
  for (; x < theCount; ++x) theOut[x] = theRow[theColumns[x]];
}

#ifdef __SSE2__

namespace {

inline __m128i Load(const void* p) { return _mm_loadu_si128(static_cast<const __m128i*>(p)); }
inline void Store(void* p, __m128i v) { _mm_storeu_si128(static_cast<__m128i*>(p), v); }
inline bool All(__m128i theMask) { return _mm_movemask_epi8(theMask) == 0xFFFF; }

inline __m128i AlphaMask() { return _mm_set1_epi32(int(0xFF000000)); }

// Each pixel's alpha over its four 16-bit lanes.
inline __m128i SpreadAlpha(__m128i v16) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(v16, 0xFF), 0xFF); }

// Four resampled pixels over theDest by the resampler's formula: m holds them as bytes, mLo and
// mHi as 16-bit lanes (channels at most 255).
inline void Over4(uint32_t* theDest, __m128i m, __m128i mLo, __m128i mHi) {
  const __m128i aZero = _mm_setzero_si128(), anAlpha = AlphaMask();
  const __m128i ma = _mm_and_si128(m, anAlpha);
  if (All(_mm_cmpeq_epi32(ma, aZero))) return;
  if (All(_mm_cmpeq_epi32(ma, anAlpha))) {
    // A = 255: each channel is (c * 255) >> 8 = c - 1 (0 stays 0) whatever lies below, alpha 255.
    Store(theDest, _mm_subs_epu8(m, _mm_set1_epi32(0x00010101)));
    return;
  }
  const __m128i d = Load(theDest);
  const __m128i k256 = _mm_set1_epi16(256);
  const __m128i aLo = SpreadAlpha(mLo), aHi = SpreadAlpha(mHi);
  // ((256 - A) * d) >> 8 plus (c * A) >> 8; A = 0 gives d back.
  const __m128i cLo =
      _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(_mm_sub_epi16(k256, aLo), _mm_unpacklo_epi8(d, aZero)), 8),
                    _mm_srli_epi16(_mm_mullo_epi16(mLo, aLo), 8));
  const __m128i cHi =
      _mm_add_epi16(_mm_srli_epi16(_mm_mullo_epi16(_mm_sub_epi16(k256, aHi), _mm_unpackhi_epi8(d, aZero)), 8),
                    _mm_srli_epi16(_mm_mullo_epi16(mHi, aHi), 8));
  const __m128i aColour = _mm_andnot_si128(anAlpha, _mm_packus_epi16(cLo, cHi));
  __m128i aNewAlpha = anAlpha;
  if (!All(_mm_cmpeq_epi32(_mm_and_si128(d, anAlpha), anAlpha))) {
    // da + ((255 - da) * A) / 255, the division as (x + 1 + (x >> 8)) >> 8, one pixel per 32-bit lane.
    const __m128i da = _mm_srli_epi32(d, 24), A = _mm_srli_epi32(m, 24);
    const __m128i x = _mm_mullo_epi16(_mm_sub_epi32(_mm_set1_epi32(255), da), A);
    const __m128i q = _mm_srli_epi32(_mm_add_epi32(_mm_add_epi32(x, _mm_set1_epi32(1)), _mm_srli_epi32(x, 8)), 8);
    aNewAlpha = _mm_slli_epi32(_mm_add_epi32(da, q), 24);
  }
  Store(theDest, _mm_or_si128(aColour, aNewAlpha));
}

// Channels (c * k) >> 8 and alpha (a * k) / 255, for two pixels in 16-bit lanes.
inline __m128i Colourise2(__m128i m16, __m128i k) {
  const __m128i anAlphaLanes = _mm_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0);
  const __m128i t = _mm_mullo_epi16(m16, k);
  const __m128i u = _mm_srli_epi16(t, 8);
  // Colour lanes: t >> 8. Alpha lane: (t + 1 + (t >> 8)) >> 8, which is t / 255 for t <= 255 * 255.
  return _mm_srli_epi16(_mm_add_epi16(t, _mm_and_si128(_mm_add_epi16(u, _mm_set1_epi16(1)), anAlphaLanes)), 8);
}

struct OverWhiteOp {
  void operator()(uint32_t* theDest, __m128i m, __m128i mLo, __m128i mHi) const { Over4(theDest, m, mLo, mHi); }
};

struct OverColorOp {
  __m128i mK;
  void operator()(uint32_t* theDest, __m128i m, __m128i mLo, __m128i mHi) const {
    if (All(_mm_cmpeq_epi32(_mm_and_si128(m, AlphaMask()), _mm_setzero_si128()))) return;
    const __m128i cLo = Colourise2(mLo, mK), cHi = Colourise2(mHi, mK);
    Over4(theDest, _mm_packus_epi16(cLo, cHi), cLo, cHi);
  }
};

template <bool kWhite, bool kPartial>
struct AddOp {
  __m128i mK;  // the colour's factors, 256 in the alpha lanes
  void operator()(uint32_t* theDest, __m128i m, __m128i mLo, __m128i mHi) const {
    const __m128i aColour = _mm_set1_epi32(0x00FFFFFF);
    __m128i anAdd;
    if (kPartial && All(_mm_cmpeq_epi32(_mm_and_si128(m, AlphaMask()), _mm_setzero_si128()))) return;
    if (kWhite && !kPartial) {
      anAdd = _mm_and_si128(m, aColour);
    } else {
      __m128i aLo = mLo, aHi = mHi;
      if (!kWhite) {
        aLo = _mm_srli_epi16(_mm_mullo_epi16(aLo, mK), 8);
        aHi = _mm_srli_epi16(_mm_mullo_epi16(aHi, mK), 8);
      }
      if (kPartial) {
        aLo = _mm_srli_epi16(_mm_mullo_epi16(aLo, SpreadAlpha(aLo)), 8);
        aHi = _mm_srli_epi16(_mm_mullo_epi16(aHi, SpreadAlpha(aHi)), 8);
      }
      anAdd = _mm_and_si128(_mm_packus_epi16(aLo, aHi), aColour);
    }
    Store(theDest, _mm_adds_epu8(Load(theDest), anAdd));
  }
};

// Adds to s one pair of taps for pixels x..x + 3: cells interleaved top/bottom, multiplied and
// added by their weights w (the pair's two weights in each 32-bit lane).
inline void AddPair(__m128i* s, const uint16_t* a, const uint16_t* b, __m128i w) {
  const __m128i a01 = Load(a), a23 = Load(a + 8), b01 = Load(b), b23 = Load(b + 8);
  s[0] = _mm_add_epi32(s[0], _mm_madd_epi16(_mm_unpacklo_epi16(a01, b01), w));
  s[1] = _mm_add_epi32(s[1], _mm_madd_epi16(_mm_unpackhi_epi16(a01, b01), w));
  s[2] = _mm_add_epi32(s[2], _mm_madd_epi16(_mm_unpacklo_epi16(a23, b23), w));
  s[3] = _mm_add_epi32(s[3], _mm_madd_epi16(_mm_unpackhi_epi16(a23, b23), w));
}

// Each pair of taps is one multiply-add of interleaved cells: the sum of (cell - 32768) * w, so
// that the true sum is that plus 32768 * W (W the sum of the weights). kOdd adds 32768 before
// the shift for an odd W; theHalf (W / 2) goes on after it.
template <int kPairs, bool kOdd, class Op>
void MixLoop(uint32_t* theDest, const uint16_t* const* theRows, const __m128i* theWeights, int thePairs,
             int theCount, __m128i theHalf, const Op& theOp) {
  const int aPairs = kPairs > 0 ? kPairs : thePairs;
  const uint16_t* aTop = theRows[0];
  const uint16_t* aBottom = theRows[1];
  const __m128i w0 = theWeights[0];
  const __m128i aBias = _mm_set1_epi32(32768);
  auto aMix = [&](uint32_t* theTo, int x) {
    __m128i s[4] = {_mm_setzero_si128(), _mm_setzero_si128(), _mm_setzero_si128(), _mm_setzero_si128()};
    if (kPairs == 1) {
      AddPair(s, aTop + 4 * x, aBottom + 4 * x, w0);
    } else {
      for (int p = 0; p < aPairs; ++p) AddPair(s, theRows[2 * p] + 4 * x, theRows[2 * p + 1] + 4 * x, theWeights[p]);
    }
    for (int i = 0; i < 4; ++i) s[i] = _mm_srai_epi32(kOdd ? _mm_add_epi32(s[i], aBias) : s[i], 16);
    const __m128i mLo = _mm_add_epi16(_mm_packs_epi32(s[0], s[1]), theHalf);
    const __m128i mHi = _mm_add_epi16(_mm_packs_epi32(s[2], s[3]), theHalf);
    theOp(theTo, _mm_packus_epi16(mLo, mHi), mLo, mHi);
  };
  int x = 0;
  for (; x + 4 <= theCount; x += 4) aMix(theDest + x, x);
  if (x < theCount) {
    // The last pixels go through a copy, so that the group of four never writes past the row.
    uint32_t aTail[4] = {0, 0, 0, 0};
    std::memcpy(aTail, theDest + x, sizeof(uint32_t) * size_t(theCount - x));
    aMix(aTail, x);
    std::memcpy(theDest + x, aTail, sizeof(uint32_t) * size_t(theCount - x));
  }
}

template <class Op>
void MixWith(uint32_t* theDest, const uint16_t* const* theRows, const __m128i* theWeights, int thePairs,
             int theCount, int theSum, const Op& theOp) {
  const __m128i aHalf = _mm_set1_epi16(short(theSum >> 1));
  if (theSum & 1) {
    if (thePairs == 1)
      MixLoop<1, true>(theDest, theRows, theWeights, 1, theCount, aHalf, theOp);
    else
      MixLoop<0, true>(theDest, theRows, theWeights, thePairs, theCount, aHalf, theOp);
  } else {
    if (thePairs == 1)
      MixLoop<1, false>(theDest, theRows, theWeights, 1, theCount, aHalf, theOp);
    else
      MixLoop<0, false>(theDest, theRows, theWeights, thePairs, theCount, aHalf, theOp);
  }
}

}  // namespace

void MixComposeRowSse2(uint32_t* theDest, const uint16_t* const* theRows, const int16_t* theWeights,
                       int theTaps, int theCount, const Compose& theCompose) {
  if (theTaps <= 0 || theTaps % 2 != 0 || theTaps > 512) {
    MixComposeRowPlain(theDest, theRows, theWeights, theTaps, theCount, theCompose);
    return;
  }
  const int aPairs = theTaps / 2;
  __m128i aWeights[256];
  int aSum = 0;
  for (int p = 0; p < aPairs; ++p) {
    aWeights[p] = _mm_set1_epi32(int(uint32_t(uint16_t(theWeights[2 * p])) |
                                     (uint32_t(uint16_t(theWeights[2 * p + 1])) << 16)));
    aSum += theWeights[2 * p] + theWeights[2 * p + 1];
  }
  const uint32_t* k = theCompose.mMul;
  if (theCompose.mKind == Compose::Over) {
    if (theCompose.IsWhite())
      MixWith(theDest, theRows, aWeights, aPairs, theCount, aSum, OverWhiteOp{});
    else
      MixWith(theDest, theRows, aWeights, aPairs, theCount, aSum,
              OverColorOp{_mm_set_epi16(short(k[3]), short(k[2]), short(k[1]), short(k[0]), short(k[3]),
                                        short(k[2]), short(k[1]), short(k[0]))});
    return;
  }
  const __m128i aK = _mm_set_epi16(256, short(k[2]), short(k[1]), short(k[0]), 256, short(k[2]), short(k[1]),
                                   short(k[0]));
  const bool aWhite = k[0] == 256 && k[1] == 256 && k[2] == 256;
  if (aWhite && theCompose.mPartial)
    MixWith(theDest, theRows, aWeights, aPairs, theCount, aSum, AddOp<true, true>{aK});
  else if (aWhite)
    MixWith(theDest, theRows, aWeights, aPairs, theCount, aSum, AddOp<true, false>{aK});
  else if (theCompose.mPartial)
    MixWith(theDest, theRows, aWeights, aPairs, theCount, aSum, AddOp<false, true>{aK});
  else
    MixWith(theDest, theRows, aWeights, aPairs, theCount, aSum, AddOp<false, false>{aK});
}

void HorzTapsRow(uint16_t* theCells, const uint32_t* theRow, const int32_t* theIndex,
                 const uint16_t* theWeight, int theTaps, int theBegin, int theEnd) {
  const __m128i aZero = _mm_setzero_si128(), aFlip = _mm_set1_epi16(short(0x8000));
  for (int g = theBegin; g < theEnd; ++g) {
    __m128i aSum = aZero;
    const int32_t* anIndex = theIndex + size_t(g) * theTaps * 2;
    const uint16_t* aWeight = theWeight + size_t(g) * theTaps * 8;
    for (int n = 0; n < theTaps; ++n, anIndex += 2, aWeight += 8) {
      const __m128i p = _mm_unpacklo_epi32(_mm_cvtsi32_si128(int(theRow[anIndex[0]])),
                                           _mm_cvtsi32_si128(int(theRow[anIndex[1]])));
      // Products and sums stay within 16 bits: the weights of a cell add up to at most 257.
      aSum = _mm_add_epi16(aSum, _mm_mullo_epi16(_mm_unpacklo_epi8(p, aZero), Load(aWeight)));
    }
    Store(theCells + 8 * size_t(g), _mm_xor_si128(aSum, aFlip));
  }
}

void HorzPairsRowSse2(uint16_t* theCells, const uint32_t* theRow, const int32_t* theLeft,
                      const uint16_t* theWeight, int theBegin, int theEnd) {
  const __m128i aZero = _mm_setzero_si128(), aFlip = _mm_set1_epi16(short(0x8000));
  for (int k = theBegin; k < theEnd; k += 2) {
    // Weights of cells k and k + 1: left ones, then 16 further on the right ones.
    // k is never negative: unsigned, the division and remainder are a shift and a mask.
    const uint16_t* aWeight = theWeight + size_t(k) / 4 * 32 + size_t(k) % 4 * 4;
    // Left and right pixel of each cell: l0 r0 and l1 r1, made l0 l1 r0 r1.
    const __m128i q0 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(theRow + theLeft[k]));
    const __m128i q1 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(theRow + theLeft[k + 1]));
    const __m128i lr = _mm_unpacklo_epi32(q0, q1);
    // Products and sums stay within 16 bits: the weights of a cell add up to 257.
    const __m128i aSum = _mm_add_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(lr, aZero), Load(aWeight)),
                                       _mm_mullo_epi16(_mm_unpackhi_epi8(lr, aZero), Load(aWeight + 16)));
    Store(theCells + 4 * size_t(k), _mm_xor_si128(aSum, aFlip));
  }
}

namespace {

// Four pixels of the white loop (BlitPixel::OverWhite with p = the source's alpha).
inline void OverWhiteGroup4(uint32_t* theDest, const uint32_t* theSrc) {
  const __m128i aZero = _mm_setzero_si128(), anAlpha = AlphaMask();
  const __m128i aBlueLanes = _mm_set_epi16(0, 0, 0, -1, 0, 0, 0, -1);
  const __m128i k256 = _mm_set1_epi16(256);
  const uint16_t* aTable = BlitPixel::k_OverWeights.data();
  const int i = 0;
  {
    const __m128i s = Load(theSrc + i);
    const __m128i sa = _mm_and_si128(s, anAlpha);
    if (All(_mm_cmpeq_epi32(sa, aZero))) return;
    const __m128i d = Load(theDest + i);
    if (All(_mm_cmpeq_epi32(sa, anAlpha))) {
      // p = 255: w = 255 and na = 255 whatever the destination. Blue is (255 * s) >> 8, s - 1
      // (0 stays 0); red and green sum first, (d + 255 * s) >> 8, which is s less one where d < s.
      const __m128i aNotBelow = _mm_cmpeq_epi8(_mm_max_epu8(d, s), d);
      const __m128i aLess = _mm_andnot_si128(aNotBelow, _mm_set1_epi32(0x00010100));
      Store(theDest + i,
            _mm_or_si128(_mm_sub_epi8(_mm_subs_epu8(s, _mm_set1_epi32(0x00000001)), aLess), anAlpha));
      return;
    }
    __m128i wLo, wHi, aNewAlpha;
    if (All(_mm_cmpeq_epi32(_mm_and_si128(d, anAlpha), anAlpha))) {
      // An opaque destination: na = 255 and w = p, the source's own alpha.
      const __m128i a16 = _mm_srli_epi32(s, 24);
      const __m128i w32 = _mm_or_si128(a16, _mm_slli_epi32(a16, 16));
      wLo = _mm_unpacklo_epi32(w32, w32);
      wHi = _mm_unpackhi_epi32(w32, w32);
      aNewAlpha = anAlpha;
    } else {
      uint32_t aW[4], anA[4];
      for (int k = 0; k < 4; ++k) {
        // p = 0 finds na = da and w = 0, which leaves the pixel as it was.
        const uint32_t aWeights = aTable[((theDest[i + k] >> 16) & 0xFF00) | (theSrc[i + k] >> 24)];
        aW[k] = (aWeights & 0xFF) * 0x00010001u;
        anA[k] = (aWeights >> 8) << 24;
      }
      const __m128i w32 = _mm_set_epi32(int(aW[3]), int(aW[2]), int(aW[1]), int(aW[0]));
      wLo = _mm_unpacklo_epi32(w32, w32);
      wHi = _mm_unpackhi_epi32(w32, w32);
      aNewAlpha = _mm_set_epi32(int(anA[3]), int(anA[2]), int(anA[1]), int(anA[0]));
    }
    // Red and green sum their two products before the shift, blue shifts each first.
    __m128i aResult[2];
    const __m128i aD[2] = {_mm_unpacklo_epi8(d, aZero), _mm_unpackhi_epi8(d, aZero)};
    const __m128i aS[2] = {_mm_unpacklo_epi8(s, aZero), _mm_unpackhi_epi8(s, aZero)};
    const __m128i aW[2] = {wLo, wHi};
    for (int h = 0; h < 2; ++h) {
      const __m128i dw = _mm_mullo_epi16(aD[h], _mm_sub_epi16(k256, aW[h]));
      const __m128i sw = _mm_mullo_epi16(aS[h], aW[h]);
      const __m128i aSumFirst = _mm_srli_epi16(_mm_add_epi16(dw, sw), 8);
      const __m128i aShiftFirst = _mm_add_epi16(_mm_srli_epi16(dw, 8), _mm_srli_epi16(sw, 8));
      aResult[h] = _mm_or_si128(_mm_and_si128(aBlueLanes, aShiftFirst), _mm_andnot_si128(aBlueLanes, aSumFirst));
    }
    Store(theDest + i, _mm_or_si128(_mm_andnot_si128(anAlpha, _mm_packus_epi16(aResult[0], aResult[1])), aNewAlpha));
  }
}

}  // namespace

void OverWhiteRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  int i = 0;
  for (; i + 4 <= theCount; i += 4) OverWhiteGroup4(theDest + i, theSrc + i);
  for (; i < theCount; ++i) theDest[i] = BlitPixel::OverWhite(theDest[i], theSrc[i], theSrc[i] >> 24);
}

void SurfaceOverRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  const __m128i aZero = _mm_setzero_si128(), anAlpha = AlphaMask(), aColour = _mm_set1_epi32(0x00FFFFFF);
  int i = 0;
  for (; i + 4 <= theCount; i += 4) {
    const __m128i s = Load(theSrc + i);
    const __m128i aClear = _mm_cmpeq_epi32(_mm_and_si128(s, anAlpha), aZero);
    if (All(aClear)) continue;
    const __m128i d = Load(theDest + i);
    // 256 - a over each pixel's lanes; each channel's ((256 - a) * c) >> 8 fits 16 bits.
    const __m128i oma = _mm_sub_epi32(_mm_set1_epi32(256), _mm_srli_epi32(s, 24));
    const __m128i w32 = _mm_or_si128(oma, _mm_slli_epi32(oma, 16));
    const __m128i vLo = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpacklo_epi8(d, aZero), _mm_unpacklo_epi32(w32, w32)), 8);
    const __m128i vHi = _mm_srli_epi16(_mm_mullo_epi16(_mm_unpackhi_epi8(d, aZero), _mm_unpackhi_epi32(w32, w32)), 8);
    // Added to the source as whole words, as the plain loop adds them.
    const __m128i r = _mm_add_epi32(s, _mm_and_si128(_mm_packus_epi16(vLo, vHi), aColour));
    Store(theDest + i, _mm_or_si128(_mm_and_si128(aClear, d), _mm_andnot_si128(aClear, r)));
  }
  SurfaceOverRowPlain(theDest + i, theSrc + i, theCount - i);
}

void AlphaSpanSse2(const uint32_t* theRow, int theCount, int& theBegin, int& theEnd) {
  const __m128i aZero = _mm_setzero_si128(), anAlpha = AlphaMask();
  int b = 0;
  while (b + 4 <= theCount && All(_mm_cmpeq_epi32(_mm_and_si128(Load(theRow + b), anAlpha), aZero))) b += 4;
  while (b < theCount && (theRow[b] >> 24) == 0) ++b;
  int e = theCount;
  while (e - 4 >= b && All(_mm_cmpeq_epi32(_mm_and_si128(Load(theRow + e - 4), anAlpha), aZero))) e -= 4;
  while (e > b && (theRow[e - 1] >> 24) == 0) --e;
  theBegin = b;
  theEnd = e;
}


#if TESK_STRETCH_AVX2

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

namespace {

inline __m256i Load8(const void* p) { return _mm256_loadu_si256(static_cast<const __m256i*>(p)); }
inline void Store8(void* p, __m256i v) { _mm256_storeu_si256(static_cast<__m256i*>(p), v); }
inline bool All8(__m256i theMask) { return _mm256_movemask_epi8(theMask) == -1; }
inline __m256i AlphaMask8() { return _mm256_set1_epi32(int(0xFF000000)); }

// Eight resampled pixels as 16-bit lanes in the order the multiply-adds leave them: m01 holds
// pixels 0 1 | 2 3, m45 pixels 4 5 | 6 7. Bytes packed from the two come 0 1 4 5 | 2 3 6 7,
// which Ordered puts right.
inline __m256i Ordered(__m256i thePacked) { return _mm256_permute4x64_epi64(thePacked, 0xD8); }

// Each pixel's alpha over its four 16-bit lanes.
inline __m256i SpreadAlpha8(__m256i v16) {
  const __m256i aPick = _mm256_setr_epi8(6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15, 6, 7, 6, 7, 6, 7,
                                         6, 7, 14, 15, 14, 15, 14, 15, 14, 15);
  return _mm256_shuffle_epi8(v16, aPick);
}

// Over4 for eight pixels given as m01 and m45.
inline void Over8(uint32_t* theDest, __m256i m01, __m256i m45) {
  const __m256i aZero = _mm256_setzero_si256(), anAlpha = AlphaMask8();
  const __m256i m = _mm256_packus_epi16(m01, m45);
  const __m256i ma = _mm256_and_si256(m, anAlpha);
  if (All8(_mm256_cmpeq_epi32(ma, aZero))) return;
  if (All8(_mm256_cmpeq_epi32(ma, anAlpha))) {
    Store8(theDest, Ordered(_mm256_subs_epu8(m, _mm256_set1_epi32(0x00010101))));
    return;
  }
  const __m256i d = Load8(theDest);
  const __m256i k256 = _mm256_set1_epi16(256);
  // The destination widened in the same order: pixels 0 1 | 2 3 and 4 5 | 6 7.
  const __m256i d01 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(theDest)));
  const __m256i d45 = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(theDest + 4)));
  const __m256i a01 = SpreadAlpha8(m01), a45 = SpreadAlpha8(m45);
  const __m256i c01 = _mm256_add_epi16(_mm256_srli_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(k256, a01), d01), 8),
                                       _mm256_srli_epi16(_mm256_mullo_epi16(m01, a01), 8));
  const __m256i c45 = _mm256_add_epi16(_mm256_srli_epi16(_mm256_mullo_epi16(_mm256_sub_epi16(k256, a45), d45), 8),
                                       _mm256_srli_epi16(_mm256_mullo_epi16(m45, a45), 8));
  const __m256i aColour = _mm256_andnot_si256(anAlpha, Ordered(_mm256_packus_epi16(c01, c45)));
  __m256i aNewAlpha = anAlpha;
  if (!All8(_mm256_cmpeq_epi32(_mm256_and_si256(d, anAlpha), anAlpha))) {
    const __m256i da = _mm256_srli_epi32(d, 24), A = _mm256_srli_epi32(Ordered(m), 24);
    const __m256i x = _mm256_mullo_epi16(_mm256_sub_epi32(_mm256_set1_epi32(255), da), A);
    const __m256i q = _mm256_srli_epi32(
        _mm256_add_epi32(_mm256_add_epi32(x, _mm256_set1_epi32(1)), _mm256_srli_epi32(x, 8)), 8);
    aNewAlpha = _mm256_slli_epi32(_mm256_add_epi32(da, q), 24);
  }
  Store8(theDest, _mm256_or_si256(aColour, aNewAlpha));
}

inline __m256i Colourise8(__m256i m16, __m256i k) {
  const __m256i anAlphaLanes = _mm256_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0);
  const __m256i t = _mm256_mullo_epi16(m16, k);
  const __m256i u = _mm256_srli_epi16(t, 8);
  return _mm256_srli_epi16(
      _mm256_add_epi16(t, _mm256_and_si256(_mm256_add_epi16(u, _mm256_set1_epi16(1)), anAlphaLanes)), 8);
}

// True when none of the eight pixels has alpha.
inline bool Clear8(__m256i m01, __m256i m45) {
  const __m256i anAlphaLanes = _mm256_set_epi16(-1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0);
  return _mm256_testz_si256(_mm256_or_si256(m01, m45), anAlphaLanes) != 0;
}

struct OverWhiteOp8 {
  void operator()(uint32_t* theDest, __m256i m01, __m256i m45) const { Over8(theDest, m01, m45); }
};

struct OverColorOp8 {
  __m256i mK;
  void operator()(uint32_t* theDest, __m256i m01, __m256i m45) const {
    if (Clear8(m01, m45)) return;
    Over8(theDest, Colourise8(m01, mK), Colourise8(m45, mK));
  }
};

template <bool kWhite, bool kPartial>
struct AddOp8 {
  __m256i mK;
  void operator()(uint32_t* theDest, __m256i m01, __m256i m45) const {
    const __m256i aColour = _mm256_set1_epi32(0x00FFFFFF);
    if (kPartial && Clear8(m01, m45)) return;
    __m256i a01 = m01, a45 = m45;
    if (!kWhite) {
      a01 = _mm256_srli_epi16(_mm256_mullo_epi16(a01, mK), 8);
      a45 = _mm256_srli_epi16(_mm256_mullo_epi16(a45, mK), 8);
    }
    if (kPartial) {
      a01 = _mm256_srli_epi16(_mm256_mullo_epi16(a01, SpreadAlpha8(a01)), 8);
      a45 = _mm256_srli_epi16(_mm256_mullo_epi16(a45, SpreadAlpha8(a45)), 8);
    }
    const __m256i anAdd = _mm256_and_si256(Ordered(_mm256_packus_epi16(a01, a45)), aColour);
    Store8(theDest, _mm256_adds_epu8(Load8(theDest), anAdd));
  }
};

// AddPair for pixels x..x + 7; s[0] holds pixels 0 and 2, s[1] 1 and 3, s[2] 4 and 6, s[3] 5 and 7.
inline void AddPair8(__m256i* s, const uint16_t* a, const uint16_t* b, __m256i w) {
  const __m256i a0 = Load8(a), a1 = Load8(a + 16), b0 = Load8(b), b1 = Load8(b + 16);
  s[0] = _mm256_add_epi32(s[0], _mm256_madd_epi16(_mm256_unpacklo_epi16(a0, b0), w));
  s[1] = _mm256_add_epi32(s[1], _mm256_madd_epi16(_mm256_unpackhi_epi16(a0, b0), w));
  s[2] = _mm256_add_epi32(s[2], _mm256_madd_epi16(_mm256_unpacklo_epi16(a1, b1), w));
  s[3] = _mm256_add_epi32(s[3], _mm256_madd_epi16(_mm256_unpackhi_epi16(a1, b1), w));
}

template <int kPairs, bool kOdd>
inline void Mix8(const uint16_t* const* theRows, const __m256i* theWeights, int thePairs, int x, __m256i theHalf,
                 __m256i& theM01, __m256i& theM45) {
  __m256i s[4] = {_mm256_setzero_si256(), _mm256_setzero_si256(), _mm256_setzero_si256(),
                  _mm256_setzero_si256()};
  const int aPairs = kPairs > 0 ? kPairs : thePairs;
  for (int p = 0; p < aPairs; ++p) AddPair8(s, theRows[2 * p] + 4 * x, theRows[2 * p + 1] + 4 * x, theWeights[p]);
  const __m256i aBias = _mm256_set1_epi32(32768);
  for (int i = 0; i < 4; ++i) s[i] = _mm256_srai_epi32(kOdd ? _mm256_add_epi32(s[i], aBias) : s[i], 16);
  // Pixels 0 1 | 2 3 and 4 5 | 6 7 in 16-bit lanes.
  theM01 = _mm256_add_epi16(_mm256_packs_epi32(s[0], s[1]), theHalf);
  theM45 = _mm256_add_epi16(_mm256_packs_epi32(s[2], s[3]), theHalf);
}

template <int kPairs, bool kOdd, class Op>
void MixLoop8(uint32_t* theDest, const uint16_t* const* theRows, const __m256i* theWeights, int thePairs,
              int theCount, __m256i theHalf, const Op& theOp) {
  for (int x = 0; x + 8 <= theCount; x += 8) {
    __m256i m01, m45;
    Mix8<kPairs, kOdd>(theRows, theWeights, thePairs, x, theHalf, m01, m45);
    theOp(theDest + x, m01, m45);
  }
}

template <class Op>
void MixWith8(uint32_t* theDest, const uint16_t* const* theRows, const __m256i* theWeights, int thePairs,
              int theCount, int theSum, const Op& theOp) {
  const __m256i aHalf = _mm256_set1_epi16(short(theSum >> 1));
  if (theSum & 1) {
    if (thePairs == 1)
      MixLoop8<1, true>(theDest, theRows, theWeights, 1, theCount, aHalf, theOp);
    else
      MixLoop8<0, true>(theDest, theRows, theWeights, thePairs, theCount, aHalf, theOp);
  } else {
    if (thePairs == 1)
      MixLoop8<1, false>(theDest, theRows, theWeights, 1, theCount, aHalf, theOp);
    else
      MixLoop8<0, false>(theDest, theRows, theWeights, thePairs, theCount, aHalf, theOp);
  }
}

// The groups of eight of a row; the rest is left to the SSE2 row.
void MixComposeAvx2Groups(uint32_t* theDest, const uint16_t* const* theRows, const int16_t* theWeights,
                          int theTaps, int theCount, const Compose& theCompose) {
  const int aPairs = theTaps / 2;
  __m256i aWeights[256];
  int aSum = 0;
  for (int p = 0; p < aPairs; ++p) {
    aWeights[p] = _mm256_set1_epi32(int(uint32_t(uint16_t(theWeights[2 * p])) |
                                        (uint32_t(uint16_t(theWeights[2 * p + 1])) << 16)));
    aSum += theWeights[2 * p] + theWeights[2 * p + 1];
  }
  const uint32_t* k = theCompose.mMul;
  const short k0 = short(k[0]), k1 = short(k[1]), k2 = short(k[2]), k3 = short(k[3]);
  if (theCompose.mKind == Compose::Over) {
    if (theCompose.IsWhite())
      MixWith8(theDest, theRows, aWeights, aPairs, theCount, aSum, OverWhiteOp8{});
    else
      MixWith8(theDest, theRows, aWeights, aPairs, theCount, aSum,
               OverColorOp8{_mm256_set_epi16(k3, k2, k1, k0, k3, k2, k1, k0, k3, k2, k1, k0, k3, k2, k1, k0)});
    return;
  }
  const __m256i aK = _mm256_set_epi16(256, k2, k1, k0, 256, k2, k1, k0, 256, k2, k1, k0, 256, k2, k1, k0);
  const bool aWhite = k[0] == 256 && k[1] == 256 && k[2] == 256;
  if (aWhite && theCompose.mPartial)
    MixWith8(theDest, theRows, aWeights, aPairs, theCount, aSum, AddOp8<true, true>{aK});
  else if (aWhite)
    MixWith8(theDest, theRows, aWeights, aPairs, theCount, aSum, AddOp8<true, false>{aK});
  else if (theCompose.mPartial)
    MixWith8(theDest, theRows, aWeights, aPairs, theCount, aSum, AddOp8<false, true>{aK});
  else
    MixWith8(theDest, theRows, aWeights, aPairs, theCount, aSum, AddOp8<false, false>{aK});
}

void HorzPairsAvx2Quads(uint16_t* theCells, const uint32_t* theRow, const int32_t* theLeft,
                        const uint16_t* theWeight, int theBegin, int theEnd) {
  const __m256i aZero = _mm256_setzero_si256(), aFlip = _mm256_set1_epi16(short(0x8000));
  for (int k = theBegin; k < theEnd; k += 4) {
    const uint16_t* aWeight = theWeight + size_t(k) / 4 * 32;
    const __m128i q0 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(theRow + theLeft[k]));
    const __m128i q1 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(theRow + theLeft[k + 1]));
    const __m128i q2 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(theRow + theLeft[k + 2]));
    const __m128i q3 = _mm_loadl_epi64(reinterpret_cast<const __m128i*>(theRow + theLeft[k + 3]));
    // l0 l1 r0 r1 | l2 l3 r2 r3.
    const __m256i lr = _mm256_inserti128_si256(_mm256_castsi128_si256(_mm_unpacklo_epi32(q0, q1)),
                                               _mm_unpacklo_epi32(q2, q3), 1);
    const __m256i aSum =
        _mm256_add_epi16(_mm256_mullo_epi16(_mm256_unpacklo_epi8(lr, aZero), Load8(aWeight)),
                         _mm256_mullo_epi16(_mm256_unpackhi_epi8(lr, aZero), Load8(aWeight + 16)));
    Store8(theCells + 4 * size_t(k), _mm256_xor_si256(aSum, aFlip));
  }
}

void OverWhiteAvx2Groups(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  const __m256i aZero = _mm256_setzero_si256(), anAlpha = AlphaMask8();
  const __m256i aBlueLanes = _mm256_set_epi16(0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1, 0, 0, 0, -1);
  const __m256i k256 = _mm256_set1_epi16(256);
  for (int i = 0; i + 8 <= theCount; i += 8) {
    const __m256i s = Load8(theSrc + i);
    const __m256i sa = _mm256_and_si256(s, anAlpha);
    if (All8(_mm256_cmpeq_epi32(sa, aZero))) continue;
    const __m256i d = Load8(theDest + i);
    if (All8(_mm256_cmpeq_epi32(sa, anAlpha))) {
      const __m256i aNotBelow = _mm256_cmpeq_epi8(_mm256_max_epu8(d, s), d);
      const __m256i aLess = _mm256_andnot_si256(aNotBelow, _mm256_set1_epi32(0x00010100));
      Store8(theDest + i, _mm256_or_si256(
                              _mm256_sub_epi8(_mm256_subs_epu8(s, _mm256_set1_epi32(0x00000001)), aLess), anAlpha));
      continue;
    }
    if (!All8(_mm256_cmpeq_epi32(_mm256_and_si256(d, anAlpha), anAlpha))) {
      // A destination with alpha takes the weights from the table, four at a time.
      OverWhiteGroup4(theDest + i, theSrc + i);
      OverWhiteGroup4(theDest + i + 4, theSrc + i + 4);
      continue;
    }
    // An opaque destination: na = 255 and w = p, the source's own alpha.
    const __m256i a16 = _mm256_srli_epi32(s, 24);
    const __m256i w32 = _mm256_or_si256(a16, _mm256_slli_epi32(a16, 16));
    const __m256i aW[2] = {_mm256_unpacklo_epi32(w32, w32), _mm256_unpackhi_epi32(w32, w32)};
    const __m256i aD[2] = {_mm256_unpacklo_epi8(d, aZero), _mm256_unpackhi_epi8(d, aZero)};
    const __m256i aS[2] = {_mm256_unpacklo_epi8(s, aZero), _mm256_unpackhi_epi8(s, aZero)};
    __m256i aResult[2];
    for (int h = 0; h < 2; ++h) {
      const __m256i dw = _mm256_mullo_epi16(aD[h], _mm256_sub_epi16(k256, aW[h]));
      const __m256i sw = _mm256_mullo_epi16(aS[h], aW[h]);
      const __m256i aSumFirst = _mm256_srli_epi16(_mm256_add_epi16(dw, sw), 8);
      const __m256i aShiftFirst = _mm256_add_epi16(_mm256_srli_epi16(dw, 8), _mm256_srli_epi16(sw, 8));
      aResult[h] = _mm256_blendv_epi8(aSumFirst, aShiftFirst, aBlueLanes);
    }
    Store8(theDest + i, _mm256_or_si256(_mm256_packus_epi16(aResult[0], aResult[1]), anAlpha));
  }
}

// Whole groups of eight without alpha from either end: [theBegin, theEnd) keeps every pixel
// with alpha, and the SSE2 scan finishes the edges.
void AlphaSpanAvx2Groups(const uint32_t* theRow, int theCount, int& theBegin, int& theEnd) {
  const __m256i aZero = _mm256_setzero_si256(), anAlpha = AlphaMask8();
  int b = 0;
  while (b + 8 <= theCount && All8(_mm256_cmpeq_epi32(_mm256_and_si256(Load8(theRow + b), anAlpha), aZero)))
    b += 8;
  int e = theCount;
  while (e - 8 >= b && All8(_mm256_cmpeq_epi32(_mm256_and_si256(Load8(theRow + e - 8), anAlpha), aZero)))
    e -= 8;
  theBegin = b;
  theEnd = e;
}

}  // namespace

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif

bool HasAvx2() { return CpuHasAvx2(); }

void MixComposeRowAvx2(uint32_t* theDest, const uint16_t* const* theRows, const int16_t* theWeights,
                       int theTaps, int theCount, const Compose& theCompose) {
  if (!HasAvx2() || theTaps <= 0 || theTaps % 2 != 0 || theTaps > 512 || theCount < 8) {
    MixComposeRowSse2(theDest, theRows, theWeights, theTaps, theCount, theCompose);
    return;
  }
  MixComposeAvx2Groups(theDest, theRows, theWeights, theTaps, theCount, theCompose);
  const int aDone = theCount & ~7;
  if (aDone == theCount) return;
  const uint16_t* aRows[512];
  for (int t = 0; t < theTaps; ++t) aRows[t] = theRows[t] + 4 * size_t(aDone);
  MixComposeRowSse2(theDest + aDone, aRows, theWeights, theTaps, theCount - aDone, theCompose);
}

void HorzPairsRowAvx2(uint16_t* theCells, const uint32_t* theRow, const int32_t* theLeft,
                      const uint16_t* theWeight, int theBegin, int theEnd) {
  if (!HasAvx2()) {
    HorzPairsRowSse2(theCells, theRow, theLeft, theWeight, theBegin, theEnd);
    return;
  }
  HorzPairsAvx2Quads(theCells, theRow, theLeft, theWeight, theBegin, theEnd);
}

void OverWhiteRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  if (!HasAvx2()) {
    OverWhiteRowSse2(theDest, theSrc, theCount);
    return;
  }
  OverWhiteAvx2Groups(theDest, theSrc, theCount);
  const int aDone = theCount & ~7;
  OverWhiteRowSse2(theDest + aDone, theSrc + aDone, theCount - aDone);
}

void AlphaSpanAvx2(const uint32_t* theRow, int theCount, int& theBegin, int& theEnd) {
  if (!HasAvx2()) {
    AlphaSpanSse2(theRow, theCount, theBegin, theEnd);
    return;
  }
  int b, e;
  AlphaSpanAvx2Groups(theRow, theCount, b, e);
  // At most seven pixels without alpha remain at either end.
  while (b < e && (theRow[b] >> 24) == 0) ++b;
  while (e > b && (theRow[e - 1] >> 24) == 0) --e;
  theBegin = b;
  theEnd = e;
}

#else

bool HasAvx2() { return false; }

void MixComposeRowAvx2(uint32_t* theDest, const uint16_t* const* theRows, const int16_t* theWeights,
                       int theTaps, int theCount, const Compose& theCompose) {
  MixComposeRowSse2(theDest, theRows, theWeights, theTaps, theCount, theCompose);
}

void HorzPairsRowAvx2(uint16_t* theCells, const uint32_t* theRow, const int32_t* theLeft,
                      const uint16_t* theWeight, int theBegin, int theEnd) {
  HorzPairsRowSse2(theCells, theRow, theLeft, theWeight, theBegin, theEnd);
}

void OverWhiteRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  OverWhiteRowSse2(theDest, theSrc, theCount);
}

void AlphaSpanAvx2(const uint32_t* theRow, int theCount, int& theBegin, int& theEnd) {
  AlphaSpanSse2(theRow, theCount, theBegin, theEnd);
}

#endif

void AlphaSpan(const uint32_t* theRow, int theCount, int& theBegin, int& theEnd) {
  if (HasAvx2())
    AlphaSpanAvx2(theRow, theCount, theBegin, theEnd);
  else
    AlphaSpanSse2(theRow, theCount, theBegin, theEnd);
}

void OverWhiteRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  if (HasAvx2())
    OverWhiteRowAvx2(theDest, theSrc, theCount);
  else
    OverWhiteRowSse2(theDest, theSrc, theCount);
}

void HorzPairsRow(uint16_t* theCells, const uint32_t* theRow, const int32_t* theLeft, const uint16_t* theWeight,
                  int theBegin, int theEnd) {
  if (HasAvx2())
    HorzPairsRowAvx2(theCells, theRow, theLeft, theWeight, theBegin, theEnd);
  else
    HorzPairsRowSse2(theCells, theRow, theLeft, theWeight, theBegin, theEnd);
}

void MixComposeRow(uint32_t* theDest, const uint16_t* const* theRows, const int16_t* theWeights, int theTaps,
                   int theCount, const Compose& theCompose) {
  if (HasAvx2())
    MixComposeRowAvx2(theDest, theRows, theWeights, theTaps, theCount, theCompose);
  else
    MixComposeRowSse2(theDest, theRows, theWeights, theTaps, theCount, theCompose);
}

#else

void HorzTapsRow(uint16_t* theCells, const uint32_t* theRow, const int32_t* theIndex,
                 const uint16_t* theWeight, int theTaps, int theBegin, int theEnd) {
  HorzTapsRowPlain(theCells, theRow, theIndex, theWeight, theTaps, theBegin, theEnd);
}

void HorzPairsRow(uint16_t* theCells, const uint32_t* theRow, const int32_t* theLeft, const uint16_t* theWeight,
                  int theBegin, int theEnd) {
  HorzPairsRowPlain(theCells, theRow, theLeft, theWeight, theBegin, theEnd);
}

void HorzPairsRowSse2(uint16_t* theCells, const uint32_t* theRow, const int32_t* theLeft,
                      const uint16_t* theWeight, int theBegin, int theEnd) {
  HorzPairsRowPlain(theCells, theRow, theLeft, theWeight, theBegin, theEnd);
}

void HorzPairsRowAvx2(uint16_t* theCells, const uint32_t* theRow, const int32_t* theLeft,
                      const uint16_t* theWeight, int theBegin, int theEnd) {
  HorzPairsRowPlain(theCells, theRow, theLeft, theWeight, theBegin, theEnd);
}

void MixComposeRowSse2(uint32_t* theDest, const uint16_t* const* theRows, const int16_t* theWeights,
                       int theTaps, int theCount, const Compose& theCompose) {
  MixComposeRowPlain(theDest, theRows, theWeights, theTaps, theCount, theCompose);
}

bool HasAvx2() { return false; }

void MixComposeRowAvx2(uint32_t* theDest, const uint16_t* const* theRows, const int16_t* theWeights,
                       int theTaps, int theCount, const Compose& theCompose) {
  MixComposeRowPlain(theDest, theRows, theWeights, theTaps, theCount, theCompose);
}

void MixComposeRow(uint32_t* theDest, const uint16_t* const* theRows, const int16_t* theWeights, int theTaps,
                   int theCount, const Compose& theCompose) {
  MixComposeRowPlain(theDest, theRows, theWeights, theTaps, theCount, theCompose);
}

void OverWhiteRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  for (int i = 0; i < theCount; ++i) theDest[i] = BlitPixel::OverWhite(theDest[i], theSrc[i], theSrc[i] >> 24);
}

void OverWhiteRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  OverWhiteRow(theDest, theSrc, theCount);
}

void SurfaceOverRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  SurfaceOverRowPlain(theDest, theSrc, theCount);
}

void OverWhiteRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  OverWhiteRow(theDest, theSrc, theCount);
}

void AlphaSpan(const uint32_t* theRow, int theCount, int& theBegin, int& theEnd) {
  int b = 0;
  while (b < theCount && (theRow[b] >> 24) == 0) ++b;
  int e = theCount;
  while (e > b && (theRow[e - 1] >> 24) == 0) --e;
  theBegin = b;
  theEnd = e;
}

void AlphaSpanSse2(const uint32_t* theRow, int theCount, int& theBegin, int& theEnd) {
  AlphaSpan(theRow, theCount, theBegin, theEnd);
}

void AlphaSpanAvx2(const uint32_t* theRow, int theCount, int& theBegin, int& theEnd) {
  AlphaSpan(theRow, theCount, theBegin, theEnd);
}

#endif

}  // namespace BlitSimdStretch
}  // namespace Tesk

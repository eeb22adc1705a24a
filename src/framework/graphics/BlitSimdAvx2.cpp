// The hottest blit rows in AVX2, eight pixels a step. Only these functions are built for
// AVX2 (each carries the target attribute), so nothing else in the program can pick up its
// instructions; the callers take them only when HasAvx2() says the processor runs them.
// Each must equal its plain row bit for bit, as the SSE2 rows do.
#include "graphics/BlitSimd.h"

#include "core/CpuFeatures.h"

#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define TESK_BLIT_AVX2 1
#include <immintrin.h>
#endif

namespace Tesk {
namespace BlitSimd {

#ifdef TESK_BLIT_AVX2

#define TESK_AVX2 __attribute__((target("avx2")))

namespace {


// As OverWeights4 of the SSE2 rows for eight 32-bit lanes: na = da + (255 - da) * p / 255 and
// w = p * 255 / na, the division by 255 by a multiply and the one by na in floats
// (w is at most 255, so its quotient truncates exactly); p = 0 gives na = da and w = 0.
TESK_AVX2 inline void OverWeights8(__m256i da, __m256i p, __m256i& na, __m256i& w) {
  const __m256i k255 = _mm256_set1_epi32(255), kOne = _mm256_set1_epi32(1);
  // x / 255 is (x * 0x8081) >> 23 for x below 65536; the high halves of the lanes stay zero.
  __m256i x = _mm256_mullo_epi16(_mm256_sub_epi32(k255, da), p);
  na = _mm256_add_epi32(da, _mm256_srli_epi16(_mm256_mulhi_epu16(x, _mm256_set1_epi16(short(0x8081))), 7));
  __m256i aDen = _mm256_max_epi32(na, kOne);
  w = _mm256_cvttps_epi32(
      _mm256_div_ps(_mm256_cvtepi32_ps(_mm256_mullo_epi16(p, k255)), _mm256_cvtepi32_ps(aDen)));
}

// Lanes below theCount (0..7) set: the last, short group of a row is loaded and stored under it.
TESK_AVX2 inline __m256i TailMask(int theCount) {
  return _mm256_cmpgt_epi32(_mm256_set1_epi32(theCount), _mm256_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7));
}

// Eight pixels laid over by the share w (w and 256 - w in both 16-bit halves of each word),
// weighed in place: red and blue in one pair of halves, green and alpha in the other. Blue's
// low byte is cleared from the destination's product: a multiple of 256 plus the source's
// product, shifted, is the two shifted apart, as blue is; the others sum first. The two
// products of a channel add up to at most 255 * 256, so no lane overflows. Each channel
// comes back in its own byte.
TESK_AVX2 inline __m256i OverInPlace8(__m256i d, __m256i s, __m256i w) {
  const __m256i aRedBlue = _mm256_set1_epi32(0x00FF00FF);
  const __m256i aGreenAlpha = _mm256_set1_epi32(int(0xFF00FF00));
  const __m256i aKeep = _mm256_set1_epi32(int(0xFFFFFF00));
  __m256i ow = _mm256_sub_epi16(_mm256_set1_epi16(256), w);
  __m256i aRB = _mm256_add_epi16(_mm256_and_si256(_mm256_mullo_epi16(_mm256_and_si256(d, aRedBlue), ow), aKeep),
                                 _mm256_mullo_epi16(_mm256_and_si256(s, aRedBlue), w));
  __m256i aGA = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(d, 8), ow),
                                 _mm256_mullo_epi16(_mm256_srli_epi16(s, 8), w));
  return _mm256_or_si256(_mm256_srli_epi16(aRB, 8), _mm256_and_si256(aGA, aGreenAlpha));
}

// As OverInPlace8 with the alpha byte of the result cleared, for callers that set it themselves.
TESK_AVX2 inline __m256i OverColourInPlace8(__m256i d, __m256i s, __m256i w) {
  const __m256i aRedBlue = _mm256_set1_epi32(0x00FF00FF);
  const __m256i aGreen = _mm256_set1_epi32(0x0000FF00);
  const __m256i aKeep = _mm256_set1_epi32(int(0xFFFFFF00));
  __m256i ow = _mm256_sub_epi16(_mm256_set1_epi16(256), w);
  __m256i aRB = _mm256_add_epi16(_mm256_and_si256(_mm256_mullo_epi16(_mm256_and_si256(d, aRedBlue), ow), aKeep),
                                 _mm256_mullo_epi16(_mm256_and_si256(s, aRedBlue), w));
  __m256i aG = _mm256_add_epi16(_mm256_mullo_epi16(_mm256_srli_epi16(d, 8), ow),
                                _mm256_mullo_epi16(_mm256_srli_epi16(s, 8), w));
  return _mm256_or_si256(_mm256_srli_epi16(aRB, 8), _mm256_and_si256(aG, aGreen));
}

// Each pixel's alpha in both 16-bit halves of its word.
TESK_AVX2 inline __m256i AlphaInPlace(__m256i s) {
  const __m256i aSpread = _mm256_setr_epi8(3, -1, 3, -1, 7, -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1, 3, -1, 3, -1, 7,
                                           -1, 7, -1, 11, -1, 11, -1, 15, -1, 15, -1);
  return _mm256_shuffle_epi8(s, aSpread);
}

// Eight pixels of OverOpaqueDestRow: opaque ones copied, transparent ones kept, others blended.
TESK_AVX2 inline __m256i OverOpaqueDest8(__m256i d, __m256i s) {
  const __m256i aZero = _mm256_setzero_si256();
  const __m256i anAlpha = _mm256_set1_epi32(int(0xFF000000));
  // Alpha 0 weighs the destination by 256 in every lane, its own alpha too, which leaves the
  // pixel as it was; every other blended pixel comes out opaque.
  __m256i aSrcAlpha = _mm256_and_si256(s, anAlpha);
  __m256i r = _mm256_or_si256(OverInPlace8(d, s, AlphaInPlace(s)),
                              _mm256_andnot_si256(_mm256_cmpeq_epi32(aSrcAlpha, aZero), anAlpha));
  return _mm256_blendv_epi8(r, s, _mm256_cmpeq_epi32(aSrcAlpha, anAlpha));
}

// Eight pixels of OverWhiteRow.
TESK_AVX2 inline __m256i OverWhite8(__m256i d, __m256i s) {
  const __m256i anAlpha = _mm256_set1_epi32(int(0xFF000000));
  __m256i w;
  if (_mm256_testc_si256(s, anAlpha)) {
    // p = 255 over any destination alpha: na = 255 and w = 255, so each channel is
    // (d + 255 * s) >> 8, which is s less one where d < s; blue shifts its two products
    // first, which leaves s less one where s > 0. Bytewise, no products.
    const __m256i aOnes = _mm256_set1_epi8(1);
    const __m256i aBlue = _mm256_set1_epi32(0xFF);
    __m256i aBelow = _mm256_andnot_si256(_mm256_cmpeq_epi8(_mm256_max_epu8(d, s), d), aOnes);
    __m256i aRedGreen = _mm256_sub_epi8(s, aBelow);
    __m256i aBlueOnly = _mm256_subs_epu8(s, aOnes);
    return _mm256_or_si256(_mm256_blendv_epi8(aRedGreen, aBlueOnly, aBlue), anAlpha);
  } else if (_mm256_testc_si256(d, anAlpha)) {
    // An opaque destination: na = 255 and w = p, the source's own alpha.
    return _mm256_or_si256(OverColourInPlace8(d, s, AlphaInPlace(s)), anAlpha);
  }
  // OverWeights8 with fewer uniform constants, each of which the loop would build again:
  // 255 - da from the inverted alpha byte, p * 255 as (p << 8) - p, and na = 0 (da = p = 0)
  // left to divide 0 by 0, whose truncation (0x80000000) has a zero low byte, and the low
  // byte is all the spread into both halves takes: w = 0 there, as it should be.
  const __m256i aSpread = _mm256_setr_epi8(0, -1, 0, -1, 4, -1, 4, -1, 8, -1, 8, -1, 12, -1, 12, -1, 0, -1, 0, -1, 4,
                                           -1, 4, -1, 8, -1, 8, -1, 12, -1, 12, -1);
  const __m256i da = _mm256_srli_epi32(d, 24), p = _mm256_srli_epi32(s, 24);
  const __m256i x = _mm256_mullo_epi16(_mm256_srli_epi32(_mm256_andnot_si256(d, anAlpha), 24), p);
  const __m256i na =
      _mm256_add_epi32(da, _mm256_srli_epi16(_mm256_mulhi_epu16(x, _mm256_set1_epi16(short(0x8081))), 7));
  const __m256i aNum = _mm256_sub_epi32(_mm256_slli_epi32(p, 8), p);
  w = _mm256_cvttps_epi32(_mm256_div_ps(_mm256_cvtepi32_ps(aNum), _mm256_cvtepi32_ps(na)));
  return _mm256_or_si256(OverColourInPlace8(d, s, _mm256_shuffle_epi8(w, aSpread)), _mm256_slli_epi32(na, 24));
}

// Eight pixels of OverPremultipliedRow.
TESK_AVX2 inline __m256i OverPremultiplied8(__m256i d, __m256i s) {
  const __m256i aZero = _mm256_setzero_si256();
  const __m256i anAlpha = _mm256_set1_epi32(int(0xFF000000));
  const __m256i aRedBlue = _mm256_set1_epi32(0x00FF00FF);
  const __m256i aGreen = _mm256_set1_epi32(0x0000FF00);
  // Each weighed channel is below 256 - a and the source's below a + 1: the bytes add without
  // carries. Alpha 255 weighs the destination to nothing, which is the copy.
  __m256i aKeep = _mm256_sub_epi16(_mm256_set1_epi16(256), AlphaInPlace(s));
  __m256i aRB = _mm256_srli_epi16(_mm256_mullo_epi16(_mm256_and_si256(d, aRedBlue), aKeep), 8);
  __m256i aG = _mm256_and_si256(_mm256_mullo_epi16(_mm256_srli_epi16(d, 8), aKeep), aGreen);
  __m256i r = _mm256_add_epi8(_mm256_or_si256(aRB, aG), s);
  return _mm256_blendv_epi8(r, d, _mm256_cmpeq_epi32(_mm256_and_si256(s, anAlpha), aZero));
}

// Four pixels in 16-bit lanes with the colour c (blue, green, red, 0 per pixel) and the share
// w, as OverColor2 of the SSE2 rows: blue is (ow * d) >> 8 plus H, red and green
// H + ((ow * d + (L >> 8)) >> 8), cs * w split into H * 65536 + L.
TESK_AVX2 inline __m256i OverColor4(__m256i d16, __m256i s16, __m256i c, __m256i w) {
  const __m256i aNotBlue = _mm256_set1_epi64x(int64_t(0xFFFFFFFFFFFF0000));
  __m256i ow = _mm256_sub_epi16(_mm256_set1_epi16(256), w);
  __m256i aD = _mm256_mullo_epi16(d16, ow);
  __m256i cs = _mm256_mullo_epi16(s16, c);
  __m256i aHigh = _mm256_mulhi_epu16(cs, w);
  __m256i aLow = _mm256_and_si256(_mm256_srli_epi16(_mm256_mullo_epi16(cs, w), 8), aNotBlue);
  return _mm256_add_epi16(aHigh, _mm256_srli_epi16(_mm256_add_epi16(aD, aLow), 8));
}

// As OverGrey2 of the SSE2 rows: red and blue weigh (c * s) >> 8, green (w * c * s) >> 8 whole.
TESK_AVX2 inline __m256i OverGrey4(__m256i d16, __m256i s16, __m256i c, __m256i w) {
  const __m256i aKeep = _mm256_set1_epi64x(int64_t(0xFFFFFFFFFFFFFF00));
  const __m256i aGreenLanes = _mm256_set1_epi64x(int64_t(0x00000000FFFF0000));
  __m256i ow = _mm256_sub_epi16(_mm256_set1_epi16(256), w);
  __m256i aD = _mm256_and_si256(_mm256_mullo_epi16(d16, ow), aKeep);
  __m256i cs = _mm256_mullo_epi16(s16, c);
  __m256i aRedBlue = _mm256_mullo_epi16(_mm256_srli_epi16(cs, 8), w);
  __m256i aGreen = _mm256_or_si256(_mm256_slli_epi16(_mm256_mulhi_epu16(cs, w), 8),
                                   _mm256_srli_epi16(_mm256_mullo_epi16(cs, w), 8));
  __m256i aS = _mm256_blendv_epi8(aRedBlue, aGreen, aGreenLanes);
  return _mm256_srli_epi16(_mm256_add_epi16(aD, _mm256_and_si256(aS, aKeep)), 8);
}

// Eight pixels of the coloured or grey row: p = sa * theAlpha / 255, its weights over the
// destination's alpha, then theKernel on four pixels at a time.
template <class Kernel>
TESK_AVX2 inline __m256i Tint8(__m256i d, __m256i s, __m256i theTintAlpha, Kernel theKernel) {
  const __m256i aZero = _mm256_setzero_si256();
  const __m256i aColour = _mm256_set1_epi32(0x00FFFFFF);
  __m256i x = _mm256_mullo_epi16(_mm256_srli_epi32(s, 24), theTintAlpha);
  __m256i p = _mm256_srli_epi32(_mm256_add_epi32(_mm256_add_epi32(x, _mm256_set1_epi32(1)), _mm256_srli_epi32(x, 8)), 8);
  __m256i na, w;
  OverWeights8(_mm256_srli_epi32(d, 24), p, na, w);
  __m256i w32 = _mm256_or_si256(w, _mm256_slli_epi32(w, 16));
  __m256i aLo = theKernel(_mm256_unpacklo_epi8(d, aZero), _mm256_unpacklo_epi8(s, aZero), _mm256_unpacklo_epi32(w32, w32));
  __m256i aHi = theKernel(_mm256_unpackhi_epi8(d, aZero), _mm256_unpackhi_epi8(s, aZero), _mm256_unpackhi_epi32(w32, w32));
  return _mm256_or_si256(_mm256_and_si256(_mm256_packus_epi16(aLo, aHi), aColour), _mm256_slli_epi32(na, 24));
}

template <class Kernel>
TESK_AVX2 inline void TintSpan(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theAlpha,
                               Kernel theKernel) {
  const __m256i anAlpha = _mm256_set1_epi32(int(0xFF000000));
  const __m256i aTintAlpha = _mm256_set1_epi32(int(theAlpha));
  int i = 0;
  for (; i + 8 <= theCount; i += 8) {
    __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(theSrc + i));
    // Eight transparent pixels leave the destination as it is (p = 0).
    if (_mm256_testz_si256(s, anAlpha)) continue;
    __m256i* aDest = reinterpret_cast<__m256i*>(theDest + i);
    _mm256_storeu_si256(aDest, Tint8(_mm256_loadu_si256(aDest), s, aTintAlpha, theKernel));
  }
  if (i < theCount) {
    const __m256i aMask = TailMask(theCount - i);
    __m256i s = _mm256_maskload_epi32(reinterpret_cast<const int*>(theSrc + i), aMask);
    __m256i d = _mm256_maskload_epi32(reinterpret_cast<const int*>(theDest + i), aMask);
    _mm256_maskstore_epi32(reinterpret_cast<int*>(theDest + i), aMask, Tint8(d, s, aTintAlpha, theKernel));
  }
}

// One row of each loop, inlined into both the row and the rectangle forms so that the
// rectangle sets its constants up once.
TESK_AVX2 inline void OverOpaqueDestSpan(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  const __m256i anAlpha = _mm256_set1_epi32(int(0xFF000000));
  int i = 0;
  for (; i + 8 <= theCount; i += 8) {
    __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(theSrc + i));
    if (_mm256_testz_si256(s, anAlpha)) continue;
    __m256i* aDest = reinterpret_cast<__m256i*>(theDest + i);
    if (_mm256_testc_si256(s, anAlpha))
      _mm256_storeu_si256(aDest, s);
    else
      _mm256_storeu_si256(aDest, OverOpaqueDest8(_mm256_loadu_si256(aDest), s));
  }
  if (i < theCount) {
    // The lanes past the row load as zero, transparent, and are not stored.
    const __m256i aMask = TailMask(theCount - i);
    __m256i s = _mm256_maskload_epi32(reinterpret_cast<const int*>(theSrc + i), aMask);
    __m256i d = _mm256_maskload_epi32(reinterpret_cast<const int*>(theDest + i), aMask);
    _mm256_maskstore_epi32(reinterpret_cast<int*>(theDest + i), aMask, OverOpaqueDest8(d, s));
  }
}

TESK_AVX2 inline void OverWhiteSpan(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  const __m256i anAlpha = _mm256_set1_epi32(int(0xFF000000));
  int i = 0;
  for (; i + 8 <= theCount; i += 8) {
    __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(theSrc + i));
    // Eight transparent pixels leave the destination as it is (p = 0).
    if (_mm256_testz_si256(s, anAlpha)) continue;
    __m256i* aDest = reinterpret_cast<__m256i*>(theDest + i);
    _mm256_storeu_si256(aDest, OverWhite8(_mm256_loadu_si256(aDest), s));
  }
  if (i < theCount) {
    const __m256i aMask = TailMask(theCount - i);
    __m256i s = _mm256_maskload_epi32(reinterpret_cast<const int*>(theSrc + i), aMask);
    __m256i d = _mm256_maskload_epi32(reinterpret_cast<const int*>(theDest + i), aMask);
    _mm256_maskstore_epi32(reinterpret_cast<int*>(theDest + i), aMask, OverWhite8(d, s));
  }
}

}  // namespace

bool HasAvx2() { return CpuHasAvx2(); }

TESK_AVX2 void OverOpaqueDestRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  OverOpaqueDestSpan(theDest, theSrc, theCount);
}

TESK_AVX2 void OverWhiteRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  OverWhiteSpan(theDest, theSrc, theCount);
}

TESK_AVX2 void OverPremultipliedRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  const __m256i anAlpha = _mm256_set1_epi32(int(0xFF000000));
  int i = 0;
  for (; i + 8 <= theCount; i += 8) {
    __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(theSrc + i));
    if (_mm256_testz_si256(s, anAlpha)) continue;
    __m256i* aDest = reinterpret_cast<__m256i*>(theDest + i);
    if (_mm256_testc_si256(s, anAlpha))
      _mm256_storeu_si256(aDest, s);
    else
      _mm256_storeu_si256(aDest, OverPremultiplied8(_mm256_loadu_si256(aDest), s));
  }
  if (i < theCount) {
    const __m256i aMask = TailMask(theCount - i);
    __m256i s = _mm256_maskload_epi32(reinterpret_cast<const int*>(theSrc + i), aMask);
    __m256i d = _mm256_maskload_epi32(reinterpret_cast<const int*>(theDest + i), aMask);
    _mm256_maskstore_epi32(reinterpret_cast<int*>(theDest + i), aMask, OverPremultiplied8(d, s));
  }
}

TESK_AVX2 void OverColorRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theRed,
                                uint32_t theGreen, uint32_t theBlue, uint32_t theAlpha) {
  const __m256i aTint = _mm256_set1_epi64x(int64_t(theBlue) | (int64_t(theGreen) << 16) | (int64_t(theRed) << 32));
  TintSpan(theDest, theSrc, theCount, theAlpha,
           [=](__m256i d16, __m256i s16, __m256i w) TESK_AVX2 { return OverColor4(d16, s16, aTint, w); });
}

TESK_AVX2 void OverGreyRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theGrey,
                               uint32_t theAlpha) {
  const __m256i aGrey = _mm256_set1_epi16(short(theGrey));
  TintSpan(theDest, theSrc, theCount, theAlpha,
           [=](__m256i d16, __m256i s16, __m256i w) TESK_AVX2 { return OverGrey4(d16, s16, aGrey, w); });
}

TESK_AVX2 void OverOpaqueDestRectAvx2(uint32_t* theDest, int theDestPitch, const uint32_t* theSrc, int theSrcPitch,
                                      int theWidth, int theHeight) {
  for (int y = 0; y < theHeight; ++y, theDest += theDestPitch, theSrc += theSrcPitch)
    OverOpaqueDestSpan(theDest, theSrc, theWidth);
}

TESK_AVX2 void OverWhiteRectAvx2(uint32_t* theDest, int theDestPitch, const uint32_t* theSrc, int theSrcPitch,
                                 int theWidth, int theHeight) {
  for (int y = 0; y < theHeight; ++y, theDest += theDestPitch, theSrc += theSrcPitch)
    OverWhiteSpan(theDest, theSrc, theWidth);
}

#else

bool HasAvx2() { return false; }

void OverOpaqueDestRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  OverOpaqueDestRowSse2(theDest, theSrc, theCount);
}

void OverWhiteRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  OverWhiteRowSse2(theDest, theSrc, theCount);
}

void OverPremultipliedRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  OverPremultipliedRowSse2(theDest, theSrc, theCount);
}

void OverColorRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theRed, uint32_t theGreen,
                      uint32_t theBlue, uint32_t theAlpha) {
  OverColorRowSse2(theDest, theSrc, theCount, theRed, theGreen, theBlue, theAlpha);
}

void OverGreyRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theGrey, uint32_t theAlpha) {
  OverGreyRowSse2(theDest, theSrc, theCount, theGrey, theAlpha);
}

void OverOpaqueDestRectAvx2(uint32_t* theDest, int theDestPitch, const uint32_t* theSrc, int theSrcPitch,
                            int theWidth, int theHeight) {
  OverOpaqueDestRectSse2(theDest, theDestPitch, theSrc, theSrcPitch, theWidth, theHeight);
}

void OverWhiteRectAvx2(uint32_t* theDest, int theDestPitch, const uint32_t* theSrc, int theSrcPitch,
                       int theWidth, int theHeight) {
  OverWhiteRectSse2(theDest, theDestPitch, theSrc, theSrcPitch, theWidth, theHeight);
}

#endif

}  // namespace BlitSimd
}  // namespace Tesk

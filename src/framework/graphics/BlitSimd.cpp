#include "graphics/BlitSimd.h"

#include <algorithm>
#include <cstring>

#include "graphics/BlitPixel.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace Tesk {
namespace BlitSimd {

void OverOpaqueRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  for (int i = 0; i < theCount; ++i)
    theDest[i] = BlitPixel::OverOpaque(theDest[i], theSrc[i], theSrc[i] >> 24);
}

void OverOpaqueDestRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  for (int i = 0; i < theCount; ++i) {
    uint32_t s = theSrc[i], a = s >> 24;
    if (a == 255)
      theDest[i] = s;
    else if (a != 0)
      theDest[i] = BlitPixel::OverOpaque(theDest[i], s, a);
  }
}

void OverPremultipliedRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  for (int i = 0; i < theCount; ++i) {
    uint32_t s = theSrc[i], a = s >> 24;
    if (a == 255) {
      theDest[i] = s;
    } else if (a != 0) {
      uint32_t aKeep = 256 - a, d = theDest[i];
      theDest[i] = (((aKeep * (d & 0x00FF00FF)) >> 8) & 0x00FF00FF) + s + (((aKeep * (d & 0xFF00)) >> 8) & 0xFF00);
    }
  }
}

void OverGreyRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theGrey,
                      uint32_t theAlpha) {
  for (int i = 0; i < theCount; ++i)
    theDest[i] = BlitPixel::OverGrey(theDest[i], theSrc[i], ((theSrc[i] >> 24) * theAlpha) / 255, theGrey);
}

void OverWhiteRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  for (int i = 0; i < theCount; ++i)
    theDest[i] = BlitPixel::OverWhite(theDest[i], theSrc[i], theSrc[i] >> 24);
}

void OverColorRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theRed,
                       uint32_t theGreen, uint32_t theBlue, uint32_t theAlpha) {
  for (int i = 0; i < theCount; ++i)
    theDest[i] = BlitPixel::OverColor(theDest[i], theSrc[i], ((theSrc[i] >> 24) * theAlpha) / 255, theRed,
                                      theGreen, theBlue);
}

void AddRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  for (int i = 0; i < theCount; ++i) {
    uint32_t d = theDest[i], s = theSrc[i];
    uint32_t aR = std::min<uint32_t>(((d >> 16) & 0xFF) + ((s >> 16) & 0xFF), 255);
    uint32_t aG = std::min<uint32_t>(((d >> 8) & 0xFF) + ((s >> 8) & 0xFF), 255);
    uint32_t aB = std::min<uint32_t>((d & 0xFF) + (s & 0xFF), 255);
    theDest[i] = (d & 0xFF000000) | (aR << 16) | (aG << 8) | aB;
  }
}

void AddOpaqueRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  AddRowPlain(theDest, theSrc, theCount);
  for (int i = 0; i < theCount; ++i) theDest[i] |= 0xFF000000u;
}

void AddAlphaRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  for (int i = 0; i < theCount; ++i) {
    uint32_t d = theDest[i], s = theSrc[i], sa = s >> 24;
    uint32_t aR = std::min<uint32_t>(((d >> 16) & 0xFF) + ((sa * ((s >> 16) & 0xFF)) >> 8), 255);
    uint32_t aG = std::min<uint32_t>(((d >> 8) & 0xFF) + ((sa * ((s >> 8) & 0xFF)) >> 8), 255);
    uint32_t aB = std::min<uint32_t>((d & 0xFF) + ((sa * (s & 0xFF)) >> 8), 255);
    theDest[i] = (d & 0xFF000000) | (aR << 16) | (aG << 8) | aB;
  }
}

#ifdef __SSE2__

namespace {

// Two pixels widened to 16-bit lanes, laid over by the share w (w and 256 - w replicated over
// a pixel's lanes). Red and green sum their two products before the shift, blue shifts each
// product first, exactly as the plain words do: clearing the low bytes of blue's two products
// before the sum is the same as shifting each.
inline __m128i Over2(__m128i d16, __m128i s16, __m128i w) {
  const __m128i aKeep = _mm_set_epi16(-1, -1, -1, short(0xFF00), -1, -1, -1, short(0xFF00));
  __m128i ow = _mm_sub_epi16(_mm_set1_epi16(256), w);
  __m128i aD = _mm_and_si128(_mm_mullo_epi16(d16, ow), aKeep);
  __m128i aS = _mm_and_si128(_mm_mullo_epi16(s16, w), aKeep);
  return _mm_srli_epi16(_mm_add_epi16(aD, aS), 8);
}

// As Over2 by each source pixel's own alpha.
inline __m128i OverOpaque2(__m128i d16, __m128i s16) {
  return Over2(d16, s16, _mm_shufflehi_epi16(_mm_shufflelo_epi16(s16, 0xFF), 0xFF));
}

// Four pixels laid over by the share w (w and 256 - w in both 16-bit halves of each word),
// weighed in place: red and blue in one pair of halves, green and alpha in the other, each
// rounded as Over2 rounds it (blue's destination product alone loses its low byte: a multiple
// of 256 plus the source's product, shifted, is the two shifted apart). Each channel comes
// back in its own byte.
inline __m128i OverInPlace4(__m128i d, __m128i s, __m128i w) {
  const __m128i aRedBlue = _mm_set1_epi32(0x00FF00FF);
  const __m128i aGreenAlpha = _mm_set1_epi32(int(0xFF00FF00));
  const __m128i aKeep = _mm_set1_epi32(int(0xFFFFFF00));
  __m128i ow = _mm_sub_epi16(_mm_set1_epi16(256), w);
  __m128i aRB = _mm_add_epi16(_mm_and_si128(_mm_mullo_epi16(_mm_and_si128(d, aRedBlue), ow), aKeep),
                              _mm_mullo_epi16(_mm_and_si128(s, aRedBlue), w));
  __m128i aGA = _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(d, 8), ow), _mm_mullo_epi16(_mm_srli_epi16(s, 8), w));
  return _mm_or_si128(_mm_srli_epi16(aRB, 8), _mm_and_si128(aGA, aGreenAlpha));
}

// As OverInPlace4 with the alpha byte of the result cleared, for callers that set it themselves.
inline __m128i OverColourInPlace4(__m128i d, __m128i s, __m128i w) {
  const __m128i aRedBlue = _mm_set1_epi32(0x00FF00FF);
  const __m128i aGreen = _mm_set1_epi32(0x0000FF00);
  const __m128i aKeep = _mm_set1_epi32(int(0xFFFFFF00));
  __m128i ow = _mm_sub_epi16(_mm_set1_epi16(256), w);
  __m128i aRB = _mm_add_epi16(_mm_and_si128(_mm_mullo_epi16(_mm_and_si128(d, aRedBlue), ow), aKeep),
                              _mm_mullo_epi16(_mm_and_si128(s, aRedBlue), w));
  __m128i aG = _mm_add_epi16(_mm_mullo_epi16(_mm_srli_epi16(d, 8), ow), _mm_mullo_epi16(_mm_srli_epi16(s, 8), w));
  return _mm_or_si128(_mm_srli_epi16(aRB, 8), _mm_and_si128(aG, aGreen));
}

// A 32-bit lane's low 16 bits repeated in its high half.
inline __m128i BothHalves(__m128i theLow) { return _mm_or_si128(theLow, _mm_slli_epi32(theLow, 16)); }

// For 32-bit lanes of destination alpha da and source weight p (each 0..255): the new alpha
// na = da + (255 - da) * p / 255 and the source's share w = p * 255 / na, as k_OverWeights
// holds them, x / 255 by a multiply; w is at most 255, so the
// float quotient lies nearer to it than 1 / 255 off a whole number and truncates exactly.
// p = 0 gives na = da and w = 0 (a zero na divides by one).
inline void OverWeights4(__m128i da, __m128i p, __m128i& na, __m128i& w) {
  const __m128i k255 = _mm_set1_epi32(255), kOne = _mm_set1_epi32(1);
  // Lanes below 256: the 16-bit products are the 32-bit ones, and x / 255 is
  // (x * 0x8081) >> 23 (the high halves of the lanes stay zero).
  __m128i x = _mm_mullo_epi16(_mm_sub_epi32(k255, da), p);
  na = _mm_add_epi32(da, _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(short(0x8081))), 7));
  __m128i aDen = _mm_or_si128(na, _mm_and_si128(_mm_cmpeq_epi32(na, _mm_setzero_si128()), kOne));
  w = _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(_mm_mullo_epi16(p, k255)), _mm_cvtepi32_ps(aDen)));
}

// (a * b) / 255 for 32-bit lanes below 256.
inline __m128i MulDiv255(__m128i a, __m128i b) {
  __m128i x = _mm_mullo_epi16(a, b);
  return _mm_srli_epi32(_mm_add_epi32(_mm_add_epi32(x, _mm_set1_epi32(1)), _mm_srli_epi32(x, 8)), 8);
}

}  // namespace

void OverOpaqueDestRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  const __m128i aZero = _mm_setzero_si128();
  const __m128i anAlpha = _mm_set1_epi32(int(0xFF000000));
  int i = 0;
  for (; i + 4 <= theCount; i += 4) {
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theSrc + i));
    __m128i aSrcAlpha = _mm_and_si128(s, anAlpha);
    __m128i aClear = _mm_cmpeq_epi32(aSrcAlpha, aZero);
    __m128i aSolid = _mm_cmpeq_epi32(aSrcAlpha, anAlpha);
    int aClearBits = _mm_movemask_epi8(aClear), aSolidBits = _mm_movemask_epi8(aSolid);
    if (aClearBits == 0xFFFF) continue;
    if (aSolidBits == 0xFFFF) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(theDest + i), s);
      continue;
    }
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theDest + i));
    // Alpha 0 weighs the destination by 256 in every lane, its own alpha too, which leaves the
    // pixel as it was; every other blended pixel comes out opaque.
    __m128i r = _mm_or_si128(OverInPlace4(d, s, BothHalves(_mm_srli_epi32(s, 24))), _mm_andnot_si128(aClear, anAlpha));
    r = _mm_or_si128(_mm_and_si128(aSolid, s), _mm_andnot_si128(aSolid, r));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(theDest + i), r);
  }
  OverOpaqueDestRowPlain(theDest + i, theSrc + i, theCount - i);
}

void OverPremultipliedRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  const __m128i aZero = _mm_setzero_si128();
  const __m128i aRedBlue = _mm_set1_epi32(0x00FF00FF);
  const __m128i aGreen = _mm_set1_epi32(0x0000FF00);
  const __m128i anAlpha = _mm_set1_epi32(int(0xFF000000));
  const __m128i k256 = _mm_set1_epi16(256);
  int i = 0;
  for (; i + 4 <= theCount; i += 4) {
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theSrc + i));
    __m128i aSrcAlpha = _mm_and_si128(s, anAlpha);
    __m128i aClear = _mm_cmpeq_epi32(aSrcAlpha, aZero);
    if (_mm_movemask_epi8(aClear) == 0xFFFF) continue;
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(aSrcAlpha, anAlpha)) == 0xFFFF) {
      _mm_storeu_si128(reinterpret_cast<__m128i*>(theDest + i), s);
      continue;
    }
    // Each weighed channel is below 256 - a and the source's below a + 1: the bytes add
    // without carries. Alpha 255 weighs the destination to nothing, which is the copy.
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theDest + i));
    __m128i aKeep = _mm_sub_epi16(k256, BothHalves(_mm_srli_epi32(s, 24)));
    __m128i aRB = _mm_srli_epi16(_mm_mullo_epi16(_mm_and_si128(d, aRedBlue), aKeep), 8);
    __m128i aG = _mm_and_si128(_mm_mullo_epi16(_mm_srli_epi16(d, 8), aKeep), aGreen);
    __m128i r = _mm_add_epi8(_mm_or_si128(aRB, aG), s);
    r = _mm_or_si128(_mm_and_si128(aClear, d), _mm_andnot_si128(aClear, r));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(theDest + i), r);
  }
  OverPremultipliedRowPlain(theDest + i, theSrc + i, theCount - i);
}

void OverWhiteRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  const __m128i aZero = _mm_setzero_si128();
  const __m128i anAlpha = _mm_set1_epi32(int(0xFF000000));
  int i = 0;
  for (; i + 4 <= theCount; i += 4) {
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theSrc + i));
    __m128i aSrcAlpha = _mm_and_si128(s, anAlpha);
    // Four transparent pixels leave the destination as it is (p = 0).
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(aSrcAlpha, aZero)) == 0xFFFF) continue;
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theDest + i));
    __m128i w32, aNewAlpha;
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(aSrcAlpha, anAlpha)) == 0xFFFF) {
      // p = 255 over any destination alpha: na = 255 and w = 255, so each channel is
      // (d + 255 * s) >> 8, which is s less one where d < s; blue shifts its two products
      // first, which leaves s less one where s > 0. Bytewise, no products.
      const __m128i aOnes = _mm_set1_epi8(1);
      const __m128i aBlue = _mm_set1_epi32(0xFF);
      __m128i aBelow = _mm_andnot_si128(_mm_cmpeq_epi8(_mm_max_epu8(d, s), d), aOnes);
      __m128i aRedGreen = _mm_sub_epi8(s, aBelow);
      __m128i aBlueOnly = _mm_subs_epu8(s, aOnes);
      __m128i r = _mm_or_si128(_mm_and_si128(aBlue, aBlueOnly), _mm_andnot_si128(aBlue, aRedGreen));
      _mm_storeu_si128(reinterpret_cast<__m128i*>(theDest + i), _mm_or_si128(r, anAlpha));
      continue;
    } else if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(d, anAlpha), anAlpha)) == 0xFFFF) {
      // An opaque destination: na = 255 and w = p, the source's own alpha.
      w32 = BothHalves(_mm_srli_epi32(s, 24));
      aNewAlpha = anAlpha;
    } else {
      // OverWeights4 with fewer uniform constants, each of which the loop would build again:
      // 255 - da from the inverted alpha byte, p * 255 as (p << 8) - p, and na = 0 (da = p = 0)
      // left to divide 0 by 0, whose truncation (0x80000000) has zero low 16 bits, and those
      // are all the spread into both halves takes: w = 0 there, as it should be.
      const __m128i da = _mm_srli_epi32(d, 24), p = _mm_srli_epi32(s, 24);
      const __m128i x = _mm_mullo_epi16(_mm_srli_epi32(_mm_andnot_si128(d, anAlpha), 24), p);
      const __m128i na = _mm_add_epi32(da, _mm_srli_epi16(_mm_mulhi_epu16(x, _mm_set1_epi16(short(0x8081))), 7));
      const __m128i aNum = _mm_sub_epi32(_mm_slli_epi32(p, 8), p);
      const __m128i w = _mm_cvttps_epi32(_mm_div_ps(_mm_cvtepi32_ps(aNum), _mm_cvtepi32_ps(na)));
      w32 = _mm_shufflehi_epi16(_mm_shufflelo_epi16(w, 0xA0), 0xA0);
      aNewAlpha = _mm_slli_epi32(na, 24);
    }
    __m128i r = _mm_or_si128(OverColourInPlace4(d, s, w32), aNewAlpha);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(theDest + i), r);
  }
  OverWhiteRowPlain(theDest + i, theSrc + i, theCount - i);
}

namespace {

// Two pixels in 16-bit lanes with the colour c (blue, green, red, 0) and the share w. With
// cs = c * s split into H * 65536 + L by w: blue is (ow * d) >> 8 plus H, red and green
// (256 * ow * d + cs * w) >> 16, which is H + ((ow * d + (L >> 8)) >> 8) and stays in 16 bits.
inline __m128i OverColor2(__m128i d16, __m128i s16, __m128i c, __m128i w) {
  const __m128i aNotBlue = _mm_set_epi16(-1, -1, -1, 0, -1, -1, -1, 0);
  __m128i ow = _mm_sub_epi16(_mm_set1_epi16(256), w);
  __m128i aD = _mm_mullo_epi16(d16, ow);
  __m128i cs = _mm_mullo_epi16(s16, c);
  __m128i aHigh = _mm_mulhi_epu16(cs, w);
  __m128i aLow = _mm_and_si128(_mm_srli_epi16(_mm_mullo_epi16(cs, w), 8), aNotBlue);
  return _mm_add_epi16(aHigh, _mm_srli_epi16(_mm_add_epi16(aD, aLow), 8));
}

// Two pixels in 16-bit lanes with the grey level c in every lane and the share w. Red and
// blue weigh (c * s) >> 8, green takes (w * c * s) >> 8 whole; blue shifts its two terms
// before the sum (its low bytes cleared), red and green after, as the plain words do.
inline __m128i OverGrey2(__m128i d16, __m128i s16, __m128i c, __m128i w) {
  const __m128i aKeep = _mm_set_epi16(-1, -1, -1, short(0xFF00), -1, -1, -1, short(0xFF00));
  const __m128i aGreenLanes = _mm_set_epi16(0, 0, -1, 0, 0, 0, -1, 0);
  __m128i ow = _mm_sub_epi16(_mm_set1_epi16(256), w);
  __m128i aD = _mm_and_si128(_mm_mullo_epi16(d16, ow), aKeep);
  __m128i cs = _mm_mullo_epi16(s16, c);
  __m128i aRedBlue = _mm_mullo_epi16(_mm_srli_epi16(cs, 8), w);
  __m128i aGreen = _mm_or_si128(_mm_slli_epi16(_mm_mulhi_epu16(cs, w), 8), _mm_srli_epi16(_mm_mullo_epi16(cs, w), 8));
  __m128i aS = _mm_or_si128(_mm_and_si128(aGreenLanes, aGreen), _mm_andnot_si128(aGreenLanes, aRedBlue));
  return _mm_srli_epi16(_mm_add_epi16(aD, _mm_and_si128(aS, aKeep)), 8);
}

// The coloured and grey rows: p = sa * theAlpha / 255 per pixel, its weights over the
// destination's alpha, then theKernel(d16, s16, w) on two pixels at a time.
template <class Kernel>
void TintRow(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theAlpha, Kernel theKernel) {
  const __m128i aZero = _mm_setzero_si128();
  const __m128i aColour = _mm_set1_epi32(0x00FFFFFF);
  const __m128i anAlpha = _mm_set1_epi32(int(0xFF000000));
  const __m128i aTintAlpha = _mm_set1_epi32(int(theAlpha));
  int i = 0;
  for (; i + 4 <= theCount; i += 4) {
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theSrc + i));
    // Four transparent pixels leave the destination as it is (p = 0).
    if (_mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(s, anAlpha), aZero)) == 0xFFFF) continue;
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theDest + i));
    __m128i na, w;
    OverWeights4(_mm_srli_epi32(d, 24), MulDiv255(_mm_srli_epi32(s, 24), aTintAlpha), na, w);
    __m128i w32 = _mm_or_si128(w, _mm_slli_epi32(w, 16));
    __m128i aLo = theKernel(_mm_unpacklo_epi8(d, aZero), _mm_unpacklo_epi8(s, aZero), _mm_unpacklo_epi32(w32, w32));
    __m128i aHi = theKernel(_mm_unpackhi_epi8(d, aZero), _mm_unpackhi_epi8(s, aZero), _mm_unpackhi_epi32(w32, w32));
    __m128i r = _mm_or_si128(_mm_and_si128(_mm_packus_epi16(aLo, aHi), aColour), _mm_slli_epi32(na, 24));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(theDest + i), r);
  }
}

}  // namespace

void OverColorRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theRed,
                      uint32_t theGreen, uint32_t theBlue, uint32_t theAlpha) {
  const __m128i aTint = _mm_set_epi16(0, short(theRed), short(theGreen), short(theBlue), 0, short(theRed),
                                      short(theGreen), short(theBlue));
  TintRow(theDest, theSrc, theCount, theAlpha,
          [=](__m128i d16, __m128i s16, __m128i w) { return OverColor2(d16, s16, aTint, w); });
  const int i = theCount & ~3;
  OverColorRowPlain(theDest + i, theSrc + i, theCount - i, theRed, theGreen, theBlue, theAlpha);
}

void OverGreyRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theGrey,
                     uint32_t theAlpha) {
  const __m128i aGrey = _mm_set1_epi16(short(theGrey));
  TintRow(theDest, theSrc, theCount, theAlpha,
          [=](__m128i d16, __m128i s16, __m128i w) { return OverGrey2(d16, s16, aGrey, w); });
  const int i = theCount & ~3;
  OverGreyRowPlain(theDest + i, theSrc + i, theCount - i, theGrey, theAlpha);
}

void OverOpaqueRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  const __m128i aZero = _mm_setzero_si128();
  const __m128i anAlpha = _mm_set1_epi32(int(0xFF000000));
  int i = 0;
  for (; i + 4 <= theCount; i += 4) {
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theDest + i));
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theSrc + i));
    __m128i aLo = OverOpaque2(_mm_unpacklo_epi8(d, aZero), _mm_unpacklo_epi8(s, aZero));
    __m128i aHi = OverOpaque2(_mm_unpackhi_epi8(d, aZero), _mm_unpackhi_epi8(s, aZero));
    __m128i r = _mm_or_si128(_mm_packus_epi16(aLo, aHi), anAlpha);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(theDest + i), r);
  }
  OverOpaqueRowPlain(theDest + i, theSrc + i, theCount - i);
}

void AddRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  const __m128i aColour = _mm_set1_epi32(0x00FFFFFF);
  int i = 0;
  for (; i + 4 <= theCount; i += 4) {
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theDest + i));
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theSrc + i));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(theDest + i), _mm_adds_epu8(d, _mm_and_si128(s, aColour)));
  }
  AddRowPlain(theDest + i, theSrc + i, theCount - i);
}

void AddOpaqueRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  const __m128i aColour = _mm_set1_epi32(0x00FFFFFF);
  const __m128i anAlpha = _mm_set1_epi32(int(0xFF000000));
  int i = 0;
  for (; i + 4 <= theCount; i += 4) {
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theDest + i));
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theSrc + i));
    __m128i r = _mm_or_si128(_mm_adds_epu8(d, _mm_and_si128(s, aColour)), anAlpha);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(theDest + i), r);
  }
  AddOpaqueRowPlain(theDest + i, theSrc + i, theCount - i);
}

void AddAlphaRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  const __m128i aZero = _mm_setzero_si128();
  const __m128i aColour = _mm_set1_epi32(0x00FFFFFF);
  int i = 0;
  for (; i + 4 <= theCount; i += 4) {
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theSrc + i));
    __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theDest + i));
    __m128i sLo = _mm_unpacklo_epi8(s, aZero), sHi = _mm_unpackhi_epi8(s, aZero);
    // Each pixel's alpha over its four lanes; the products fit 16 bits (255 * 255).
    __m128i aLo = _mm_shufflehi_epi16(_mm_shufflelo_epi16(sLo, 0xFF), 0xFF);
    __m128i aHi = _mm_shufflehi_epi16(_mm_shufflelo_epi16(sHi, 0xFF), 0xFF);
    __m128i tLo = _mm_srli_epi16(_mm_mullo_epi16(sLo, aLo), 8);
    __m128i tHi = _mm_srli_epi16(_mm_mullo_epi16(sHi, aHi), 8);
    __m128i t = _mm_and_si128(_mm_packus_epi16(tLo, tHi), aColour);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(theDest + i), _mm_adds_epu8(d, t));
  }
  AddAlphaRowPlain(theDest + i, theSrc + i, theCount - i);
}

#else

void OverWhiteRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  OverWhiteRowPlain(theDest, theSrc, theCount);
}

void OverOpaqueDestRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  OverOpaqueDestRowPlain(theDest, theSrc, theCount);
}

void OverPremultipliedRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  OverPremultipliedRowPlain(theDest, theSrc, theCount);
}

void OverGreyRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theGrey,
                     uint32_t theAlpha) {
  OverGreyRowPlain(theDest, theSrc, theCount, theGrey, theAlpha);
}

void OverColorRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theRed,
                      uint32_t theGreen, uint32_t theBlue, uint32_t theAlpha) {
  OverColorRowPlain(theDest, theSrc, theCount, theRed, theGreen, theBlue, theAlpha);
}

void OverOpaqueRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  OverOpaqueRowPlain(theDest, theSrc, theCount);
}

void AddRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  AddRowPlain(theDest, theSrc, theCount);
}

void AddAlphaRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  AddAlphaRowPlain(theDest, theSrc, theCount);
}

void AddOpaqueRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  AddOpaqueRowPlain(theDest, theSrc, theCount);
}

#endif

void OverWhiteRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  if (HasAvx2())
    OverWhiteRowAvx2(theDest, theSrc, theCount);
  else
    OverWhiteRowSse2(theDest, theSrc, theCount);
}

void OverColorRow(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theRed, uint32_t theGreen,
                  uint32_t theBlue, uint32_t theAlpha) {
  if (HasAvx2())
    OverColorRowAvx2(theDest, theSrc, theCount, theRed, theGreen, theBlue, theAlpha);
  else
    OverColorRowSse2(theDest, theSrc, theCount, theRed, theGreen, theBlue, theAlpha);
}

void OverGreyRow(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theGrey, uint32_t theAlpha) {
  if (HasAvx2())
    OverGreyRowAvx2(theDest, theSrc, theCount, theGrey, theAlpha);
  else
    OverGreyRowSse2(theDest, theSrc, theCount, theGrey, theAlpha);
}

void OverPremultipliedRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  if (HasAvx2())
    OverPremultipliedRowAvx2(theDest, theSrc, theCount);
  else
    OverPremultipliedRowSse2(theDest, theSrc, theCount);
}

void OverOpaqueDestRow(uint32_t* theDest, const uint32_t* theSrc, int theCount) {
  if (HasAvx2())
    OverOpaqueDestRowAvx2(theDest, theSrc, theCount);
  else
    OverOpaqueDestRowSse2(theDest, theSrc, theCount);
}

void OverOpaqueDestRectSse2(uint32_t* theDest, int theDestPitch, const uint32_t* theSrc, int theSrcPitch,
                            int theWidth, int theHeight) {
  for (int y = 0; y < theHeight; ++y, theDest += theDestPitch, theSrc += theSrcPitch)
    OverOpaqueDestRowSse2(theDest, theSrc, theWidth);
}

void OverWhiteRectSse2(uint32_t* theDest, int theDestPitch, const uint32_t* theSrc, int theSrcPitch, int theWidth,
                       int theHeight) {
  for (int y = 0; y < theHeight; ++y, theDest += theDestPitch, theSrc += theSrcPitch)
    OverWhiteRowSse2(theDest, theSrc, theWidth);
}

void OverOpaqueDestRect(uint32_t* theDest, int theDestPitch, const uint32_t* theSrc, int theSrcPitch, int theWidth,
                        int theHeight) {
  if (HasAvx2())
    OverOpaqueDestRectAvx2(theDest, theDestPitch, theSrc, theSrcPitch, theWidth, theHeight);
  else
    OverOpaqueDestRectSse2(theDest, theDestPitch, theSrc, theSrcPitch, theWidth, theHeight);
}

void OverWhiteRect(uint32_t* theDest, int theDestPitch, const uint32_t* theSrc, int theSrcPitch, int theWidth,
                   int theHeight) {
  if (HasAvx2())
    OverWhiteRectAvx2(theDest, theDestPitch, theSrc, theSrcPitch, theWidth, theHeight);
  else
    OverWhiteRectSse2(theDest, theDestPitch, theSrc, theSrcPitch, theWidth, theHeight);
}

bool AreSaturatingTables(const int* theRed, const int* theGreen, const int* theBlue) {
  static const struct Standard {
    int mTable[511];
    Standard() {
      for (int i = 0; i < 511; ++i) mTable[i] = i < 255 ? i : 255;
    }
  } sm_Standard;
  for (const int* aTable : {theRed, theGreen, theBlue})
    if (aTable == nullptr || std::memcmp(aTable, sm_Standard.mTable, sizeof(sm_Standard.mTable)) != 0)
      return false;
  return true;
}

bool IsSaturatingTable(const uint8_t* theTable) {
  static const struct Standard {
    uint8_t mTable[512];
    Standard() {
      for (int i = 0; i < 512; ++i) mTable[i] = static_cast<uint8_t>(i < 256 ? i : 255);
    }
  } sm_Standard;
  return std::memcmp(theTable, sm_Standard.mTable, sizeof(sm_Standard.mTable)) == 0;
}

}  // namespace BlitSimd
}  // namespace Tesk

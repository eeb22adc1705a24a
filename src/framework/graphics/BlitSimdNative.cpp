#include "graphics/BlitSimdNative.h"

#include "graphics/BlitSimd.h"

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__GNUC__) && (defined(__x86_64__) || defined(__i386__))
#define TESK_NATIVE_AVX2 1
#include <immintrin.h>
#endif

namespace Tesk {
namespace BlitSimdNative {

void Premultiply888RowPlain(uint32_t* theOut, const uint32_t* theSrc, int theCount) {
  for (int i = 0; i < theCount; ++i) {
    const uint32_t s = theSrc[i], a = s >> 24;
    const uint32_t aRed = (((a + 1) * ((s >> 16) & 0xFF)) >> 8) << 16;
    const uint32_t aGreen = (((a + 1) * ((s >> 8) & 0xFF)) >> 8) << 8;
    const uint32_t aBlue = ((a + 1) * (s & 0xFF)) >> 8;
    theOut[i] = (a << 24) | aRed | aGreen | aBlue;
  }
}

#ifdef __SSE2__

void Premultiply888RowSse2(uint32_t* theOut, const uint32_t* theSrc, int theCount) {
  const __m128i aZero = _mm_setzero_si128(), aOne = _mm_set1_epi16(1);
  // Lanes b, g, r, a of two pixels: the colour lanes take the product, the alpha lane stays.
  const __m128i aColourLanes = _mm_set_epi16(0, -1, -1, -1, 0, -1, -1, -1);
  auto aTwo = [&](__m128i p) {
    __m128i w = _mm_add_epi16(_mm_shufflehi_epi16(_mm_shufflelo_epi16(p, 0xFF), 0xFF), aOne);
    // (a + 1) * c is at most 256 * 255: the low 16 bits hold all of it.
    __m128i c = _mm_srli_epi16(_mm_mullo_epi16(p, w), 8);
    return _mm_or_si128(_mm_and_si128(aColourLanes, c), _mm_andnot_si128(aColourLanes, p));
  };
  int i = 0;
  for (; i + 4 <= theCount; i += 4) {
    __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(theSrc + i));
    __m128i r = _mm_packus_epi16(aTwo(_mm_unpacklo_epi8(s, aZero)), aTwo(_mm_unpackhi_epi8(s, aZero)));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(theOut + i), r);
  }
  Premultiply888RowPlain(theOut + i, theSrc + i, theCount - i);
}

#else

void Premultiply888RowSse2(uint32_t* theOut, const uint32_t* theSrc, int theCount) {
  Premultiply888RowPlain(theOut, theSrc, theCount);
}

#endif

#ifdef TESK_NATIVE_AVX2

namespace {

// Four pixels widened to 16-bit lanes, as the SSE2 row's two.
__attribute__((target("avx2"))) inline __m256i WeighFour(__m256i p) {
  const __m256i aColourLanes = _mm256_set_epi16(0, -1, -1, -1, 0, -1, -1, -1, 0, -1, -1, -1, 0, -1, -1, -1);
  __m256i w =
      _mm256_add_epi16(_mm256_shufflehi_epi16(_mm256_shufflelo_epi16(p, 0xFF), 0xFF), _mm256_set1_epi16(1));
  __m256i c = _mm256_srli_epi16(_mm256_mullo_epi16(p, w), 8);
  return _mm256_or_si256(_mm256_and_si256(aColourLanes, c), _mm256_andnot_si256(aColourLanes, p));
}

}  // namespace

// The SSE2 row eight pixels a step: unpacking and packing stay within each 128-bit half, so
// the pixels keep their order.
__attribute__((target("avx2"))) void Premultiply888RowAvx2(uint32_t* theOut, const uint32_t* theSrc,
                                                           int theCount) {
  if (!BlitSimd::HasAvx2()) {
    Premultiply888RowSse2(theOut, theSrc, theCount);
    return;
  }
  const __m256i aZero = _mm256_setzero_si256();
  int i = 0;
  for (; i + 8 <= theCount; i += 8) {
    __m256i s = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(theSrc + i));
    __m256i r = _mm256_packus_epi16(WeighFour(_mm256_unpacklo_epi8(s, aZero)),
                                    WeighFour(_mm256_unpackhi_epi8(s, aZero)));
    _mm256_storeu_si256(reinterpret_cast<__m256i*>(theOut + i), r);
  }
  Premultiply888RowSse2(theOut + i, theSrc + i, theCount - i);
}

#else

void Premultiply888RowAvx2(uint32_t* theOut, const uint32_t* theSrc, int theCount) {
  Premultiply888RowSse2(theOut, theSrc, theCount);
}

#endif

void Premultiply888Row(uint32_t* theOut, const uint32_t* theSrc, int theCount) {
  if (BlitSimd::HasAvx2())
    Premultiply888RowAvx2(theOut, theSrc, theCount);
  else
    Premultiply888RowSse2(theOut, theSrc, theCount);
}

}  // namespace BlitSimdNative
}  // namespace Tesk

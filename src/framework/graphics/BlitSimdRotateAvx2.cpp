// The rotated blits' span loop in AVX2, four pixels a step. Only this file is compiled for
// AVX2, and everything in it has internal linkage but Avx2Loop and RowAvx2, which are only
// called on a processor that reports AVX2 (the SSE2 loop stays for the others).
#include <cstdint>

#include "graphics/BlitSimdRotate.h"

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define TESK_ROTATE_AVX2 1
#include <immintrin.h>

#if defined(__clang__)
#pragma clang attribute push(__attribute__((target("avx2"))), apply_to = function)
#else
#pragma GCC push_options
#pragma GCC target("avx2")
#endif

#include "graphics/BlitSimdRotateKernel.h"

namespace Tesk {
namespace BlitSimdRotate {
namespace {

// Four pixels a step: T holds pixels 0 and 1 in its low half and 2 and 3 in its high half as
// 16-bit lanes; P holds the four as bytes.
struct V256 {
  typedef __m256i T;
  typedef __m128i P;
  static constexpr int kPixels = 4;

  static T Zero() { return _mm256_setzero_si256(); }
  static T Set16(int x) { return _mm256_set1_epi16(short(x)); }
  static T Set64(uint64_t x) { return _mm256_set1_epi64x(int64_t(x)); }
  static P PSet32(int x) { return _mm_set1_epi32(x); }
  static T Frac(int32_t u, int32_t du) {
    const uint32_t s = uint32_t(du);
    const short u0 = short(uint32_t(u)), u1 = short(uint32_t(u) + s), u2 = short(uint32_t(u) + 2 * s),
                u3 = short(uint32_t(u) + 3 * s);
    return _mm256_setr_epi16(u0, u0, u0, u0, u1, u1, u1, u1, u2, u2, u2, u2, u3, u3, u3, u3);
  }
  static T Add(T a, T b) { return _mm256_add_epi16(a, b); }
  static T Sub(T a, T b) { return _mm256_sub_epi16(a, b); }
  static T MulLo(T a, T b) { return _mm256_mullo_epi16(a, b); }
  static T MulHi(T a, T b) { return _mm256_mulhi_epu16(a, b); }
  static T Srl(T a, int n) { return _mm256_srli_epi16(a, n); }
  static T Sll(T a, int n) { return _mm256_slli_epi16(a, n); }
  static T And(T a, T b) { return _mm256_and_si256(a, b); }
  static T Or(T a, T b) { return _mm256_or_si256(a, b); }
  static T CmpEq(T a, T b) { return _mm256_cmpeq_epi16(a, b); }
  static T CmpGt(T a, T b) { return _mm256_cmpgt_epi16(a, b); }
  static T Select(T m, T a, T b) { return _mm256_blendv_epi8(b, a, m); }
  static bool All(T m) { return _mm256_movemask_epi8(m) == -1; }
  static T AlphaOf(T x) {
    const __m256i aShuffle = _mm256_setr_epi8(6, 7, 6, 7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15, 6, 7, 6,
                                              7, 6, 7, 6, 7, 14, 15, 14, 15, 14, 15, 14, 15);
    return _mm256_shuffle_epi8(x, aShuffle);
  }
  static T Lo8(T x) { return _mm256_unpacklo_epi8(x, _mm256_setzero_si256()); }
  static T Hi8(T x) { return _mm256_unpackhi_epi8(x, _mm256_setzero_si256()); }
  static bool NoAlpha(T x) { return _mm256_testz_si256(x, _mm256_set1_epi32(int(0xFF000000u))) != 0; }
  // Per half, as the 128-bit loop's: p00 of its two pixels, then their p10 (or p01, p11).
  template <bool kPalette>
  static void Gather(const Source& s, const int* a, T& theTop, T& theBottom) {
    const int n = s.mPitch;
    __m128i aTop[2], aBottom[2];
    for (int h = 0; h < 2; ++h) {
      const int a0 = a[2 * h], a1 = a[2 * h + 1];
      if (kPalette) {
        const uint8_t* x = s.mIndices;
        const uint32_t* c = s.mPalette;
        aTop[h] = _mm_setr_epi32(int(c[x[a0]]), int(c[x[a1]]), int(c[x[a0 + 1]]), int(c[x[a1 + 1]]));
        aBottom[h] = _mm_setr_epi32(int(c[x[a0 + n]]), int(c[x[a1 + n]]), int(c[x[a0 + n + 1]]),
                                    int(c[x[a1 + n + 1]]));
      } else {
        const uint32_t* b = s.mBits;
        aTop[h] = _mm_unpacklo_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(b + a0)),
                                     _mm_loadl_epi64(reinterpret_cast<const __m128i*>(b + a1)));
        aBottom[h] = _mm_unpacklo_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(b + a0 + n)),
                                        _mm_loadl_epi64(reinterpret_cast<const __m128i*>(b + a1 + n)));
      }
    }
    theTop = _mm256_inserti128_si256(_mm256_castsi128_si256(aTop[0]), aTop[1], 1);
    theBottom = _mm256_inserti128_si256(_mm256_castsi128_si256(aBottom[0]), aBottom[1], 1);
  }
  static T Div(T x, T n) {
    const __m256i z = _mm256_setzero_si256();
    const __m256 aLow = _mm256_div_ps(_mm256_cvtepi32_ps(_mm256_unpacklo_epi16(x, z)),
                                      _mm256_cvtepi32_ps(_mm256_unpacklo_epi16(n, z)));
    const __m256 aHigh = _mm256_div_ps(_mm256_cvtepi32_ps(_mm256_unpackhi_epi16(x, z)),
                                       _mm256_cvtepi32_ps(_mm256_unpackhi_epi16(n, z)));
    return _mm256_packs_epi32(_mm256_cvttps_epi32(aLow), _mm256_cvttps_epi32(aHigh));
  }
  static P Load(const uint32_t* d) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(d)); }
  static void Store(uint32_t* d, P x) { _mm_storeu_si128(reinterpret_cast<__m128i*>(d), x); }
  static T Widen(P x) { return _mm256_cvtepu8_epi16(x); }
  static P Narrow(T x) { return _mm_packus_epi16(_mm256_castsi256_si128(x), _mm256_extracti128_si256(x, 1)); }
  static P PAnd(P a, P b) { return _mm_and_si128(a, b); }
  static P POr(P a, P b) { return _mm_or_si128(a, b); }
  static P AddSat(P a, P b) { return _mm_adds_epu8(a, b); }
};

SpanLoop LoopFor(Kind theKind, bool thePalette) {
  return thePalette ? VectorLoopFor<V256, true>(theKind) : VectorLoopFor<V256, false>(theKind);
}

void RunAvx2(const Setup& k, uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du, int32_t dv,
             const Source& theSource) {
  VectorRow<V256>(k, theDest, theCount, u, v, du, dv, theSource);
}

}  // namespace
}  // namespace BlitSimdRotate
}  // namespace Tesk

#if defined(__clang__)
#pragma clang attribute pop
#else
#pragma GCC pop_options
#endif
#endif

namespace Tesk {
namespace BlitSimdRotate {

SpanLoop Avx2Loop(Kind theKind, bool thePalette) {
#ifdef TESK_ROTATE_AVX2
  return LoopFor(theKind, thePalette);
#else
  (void)theKind, (void)thePalette;
  return nullptr;
#endif
}

bool RowAvx2(const Setup& k, uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du, int32_t dv,
             const Source& theSource) {
#ifdef TESK_ROTATE_AVX2
  if (!HasAvx2() || !VectorFits(k)) return false;
  RunAvx2(k, theDest, theCount, u, v, du, dv, theSource);
  return true;
#else
  (void)k, (void)theDest, (void)theCount, (void)u, (void)v, (void)du, (void)dv, (void)theSource;
  return false;
#endif
}

}  // namespace BlitSimdRotate
}  // namespace Tesk

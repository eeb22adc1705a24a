// The rotated blits' plain span loops, the SSE2 loops and the choice between the loops.
#include "graphics/BlitSimdRotate.h"

#include <atomic>
#include <cstring>

#include "core/CpuFeatures.h"

#ifdef __SSE2__
#include <emmintrin.h>

#include "graphics/BlitSimdRotateKernel.h"

namespace Tesk {
namespace BlitSimdRotate {
namespace {

// Two pixels a step: T holds them as 16-bit lanes, P as bytes in its low half.
struct V128 {
  typedef __m128i T;
  typedef __m128i P;
  static constexpr int kPixels = 2;

  static T Zero() { return _mm_setzero_si128(); }
  static T Set16(int x) { return _mm_set1_epi16(short(x)); }
  static T Set64(uint64_t x) { return _mm_set1_epi64x(int64_t(x)); }
  static P PSet32(int x) { return _mm_set1_epi32(x); }
  // Lanes of pixel j hold the low 16 bits of u + j * du.
  static T Frac(int32_t u, int32_t du) {
    const short u0 = short(uint32_t(u)), u1 = short(uint32_t(u) + uint32_t(du));
    return _mm_setr_epi16(u0, u0, u0, u0, u1, u1, u1, u1);
  }
  static T Add(T a, T b) { return _mm_add_epi16(a, b); }
  static T Sub(T a, T b) { return _mm_sub_epi16(a, b); }
  static T MulLo(T a, T b) { return _mm_mullo_epi16(a, b); }
  static T MulHi(T a, T b) { return _mm_mulhi_epu16(a, b); }
  static T Srl(T a, int n) { return _mm_srli_epi16(a, n); }
  static T Sll(T a, int n) { return _mm_slli_epi16(a, n); }
  static T And(T a, T b) { return _mm_and_si128(a, b); }
  static T Or(T a, T b) { return _mm_or_si128(a, b); }
  static T CmpEq(T a, T b) { return _mm_cmpeq_epi16(a, b); }
  static T CmpGt(T a, T b) { return _mm_cmpgt_epi16(a, b); }
  static T Select(T m, T a, T b) { return _mm_or_si128(_mm_and_si128(m, a), _mm_andnot_si128(m, b)); }
  static bool All(T m) { return _mm_movemask_epi8(m) == 0xFFFF; }
  static T AlphaOf(T x) { return _mm_shufflehi_epi16(_mm_shufflelo_epi16(x, 0xFF), 0xFF); }
  static T Lo8(T x) { return _mm_unpacklo_epi8(x, _mm_setzero_si128()); }
  static T Hi8(T x) { return _mm_unpackhi_epi8(x, _mm_setzero_si128()); }
  // True when no 32-bit word of x has alpha.
  static bool NoAlpha(T x) {
    return _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_and_si128(x, _mm_set1_epi32(int(0xFF000000u))),
                                             _mm_setzero_si128())) == 0xFFFF;
  }
  // The taps: aTop is p00 of both pixels then p10 of both, aBottom the same for p01 and p11.
  template <bool kPalette>
  static void Gather(const Source& s, const int* a, T& theTop, T& theBottom) {
    const int n = s.mPitch;
    if (kPalette) {
      const uint8_t* x = s.mIndices;
      const uint32_t* c = s.mPalette;
      theTop = _mm_setr_epi32(int(c[x[a[0]]]), int(c[x[a[1]]]), int(c[x[a[0] + 1]]), int(c[x[a[1] + 1]]));
      theBottom = _mm_setr_epi32(int(c[x[a[0] + n]]), int(c[x[a[1] + n]]), int(c[x[a[0] + n + 1]]),
                                 int(c[x[a[1] + n + 1]]));
    } else {
      const uint32_t* b = s.mBits;
      theTop = _mm_unpacklo_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(b + a[0])),
                                  _mm_loadl_epi64(reinterpret_cast<const __m128i*>(b + a[1])));
      theBottom = _mm_unpacklo_epi32(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(b + a[0] + n)),
                                     _mm_loadl_epi64(reinterpret_cast<const __m128i*>(b + a[1] + n)));
    }
  }
  // floor(x / n) per lane, for x below 65536 and n in 1..256 (the quotient kept below 32768).
  static T Div(T x, T n) {
    const __m128i z = _mm_setzero_si128();
    const __m128 aLow =
        _mm_div_ps(_mm_cvtepi32_ps(_mm_unpacklo_epi16(x, z)), _mm_cvtepi32_ps(_mm_unpacklo_epi16(n, z)));
    const __m128 aHigh =
        _mm_div_ps(_mm_cvtepi32_ps(_mm_unpackhi_epi16(x, z)), _mm_cvtepi32_ps(_mm_unpackhi_epi16(n, z)));
    return _mm_packs_epi32(_mm_cvttps_epi32(aLow), _mm_cvttps_epi32(aHigh));
  }
  static P Load(const uint32_t* d) { return _mm_loadl_epi64(reinterpret_cast<const __m128i*>(d)); }
  static void Store(uint32_t* d, P x) { _mm_storel_epi64(reinterpret_cast<__m128i*>(d), x); }
  static T Widen(P x) { return _mm_unpacklo_epi8(x, _mm_setzero_si128()); }
  static P Narrow(T x) { return _mm_packus_epi16(x, x); }
  static P PAnd(P a, P b) { return _mm_and_si128(a, b); }
  static P POr(P a, P b) { return _mm_or_si128(a, b); }
  static P AddSat(P a, P b) { return _mm_adds_epu8(a, b); }
};

}  // namespace
}  // namespace BlitSimdRotate
}  // namespace Tesk
#endif

namespace Tesk {
namespace BlitSimdRotate {

// The AVX2 loop of a kind, in BlitSimdRotateAvx2.cpp: null where the build has none.
SpanLoop Avx2Loop(Kind theKind, bool thePalette);

namespace {

struct BitsTaps {
  const uint32_t* mRow;
  uint32_t operator()(int i) const { return mRow[i]; }
};

struct PaletteTaps {
  const uint8_t* mRow;
  const uint32_t* mPalette;
  uint32_t operator()(int i) const { return mPalette[mRow[i]]; }
};

// The per-pixel formula. All arithmetic is unsigned 32-bit with the shifts where they stand.
template <Kind kKind, class Fetch>
void PlainSpan(const Setup& k, uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du, int32_t dv,
               int thePitch, Fetch theFetch) {
  constexpr bool kSurface =
      kKind == Kind::SurfaceMix || kKind == Kind::SurfaceColour || kKind == Kind::SurfaceAdd;
  for (int i = 0; i < theCount; ++i, u += du, v += dv) {
    int iu = u >> 16, iv = v >> 16;
    int aRow = iv * thePitch + iu;
    uint32_t p00 = theFetch(aRow), p10 = theFetch(aRow + 1);
    uint32_t p01 = theFetch(aRow + thePitch), p11 = theFetch(aRow + thePitch + 1);
    uint32_t fu = (uint32_t(u) & 0xFFFE) + 1, fv = (uint32_t(v) & 0xFFFE) + 1;
    uint32_t w00 = ((((0x10000 - fv) * (0x10000 - fu)) >> 16) * (p00 >> 24)) >> 16;
    uint32_t w10 = ((((0x10000 - fv) * fu) >> 16) * (p10 >> 24)) >> 16;
    uint32_t w01 = ((((0x10000 - fu) * fv) >> 16) * (p01 >> 24)) >> 16;
    uint32_t w11 = (((fu * fv) >> 16) * (p11 >> 24)) >> 16;
    if (kKind == Kind::OverColour || kKind == Kind::SurfaceColour) {
      w00 = (w00 * k.mAlpha) >> 8;
      w10 = (w10 * k.mAlpha) >> 8;
      w01 = (w01 * k.mAlpha) >> 8;
      w11 = (w11 * k.mAlpha) >> 8;
    }
    const uint32_t A = w00 + w10 + w01 + w11;
    if (!kSurface && A == 0) continue;
    const uint32_t SR =
        (p00 & 0xFF0000) * w00 + (p10 & 0xFF0000) * w10 + (p01 & 0xFF0000) * w01 + (p11 & 0xFF0000) * w11;
    const uint32_t SG =
        (p00 & 0xFF00) * w00 + (p10 & 0xFF00) * w10 + (p01 & 0xFF00) * w01 + (p11 & 0xFF00) * w11;
    const uint32_t SB = (p00 & 0xFF) * w00 + (p10 & 0xFF) * w10 + (p01 & 0xFF) * w01 + (p11 & 0xFF) * w11;
    const uint32_t d = theDest[i];
    const uint32_t dR = (d >> 16) & 0xFF, dG = (d >> 8) & 0xFF, dB = d & 0xFF;
    if (kKind == Kind::Add) {
      theDest[i] = (d & 0xFF000000) | (uint32_t(k.T[(SR >> 24) + dR]) << 16) |
                   (uint32_t(k.T[(SG >> 16) + dG]) << 8) | k.T[(SB >> 8) + dB];
      continue;
    }
    if (kKind == Kind::AddColour) {
      theDest[i] = (d & 0xFF000000) | (uint32_t(k.T[((k.kR * (SR >> 24)) >> 8) + dR]) << 16) |
                   (uint32_t(k.T[((k.kG * SG) >> 24) + dG]) << 8) | k.T[((k.kB * SB) >> 16) + dB];
      continue;
    }
    const uint32_t inv = 256 - A;
    if (kKind == Kind::SurfaceMix) {
      const uint32_t P = ((p00 & 0x00FF00FF) * w00 + (p10 & 0x00FF00FF) * w10 + (p01 & 0x00FF00FF) * w01 +
                          (p11 & 0x00FF00FF) * w11) &
                         0xFF00FF00;
      const uint32_t Q = SG & 0xFF0000;
      theDest[i] =
          ((((inv * (d & 0x00FF00FF) + P) >> 8) & 0x00FF00FF) | (((inv * (d & 0xFF00) + Q) >> 8) & 0xFF00)) |
          k.mAlphaByte;
      continue;
    }
    if (kKind == Kind::SurfaceColour) {
      theDest[i] = ((((inv * (d & 0xFF)) >> 8) & 0xFF) + ((k.kB * (SB >> 8)) >> 8)) |
                   ((((k.kG * (SG >> 8)) >> 16) << 8) + (((inv * (d & 0xFF00)) >> 8) & 0xFF00)) |
                   ((((k.kR * (SR >> 8)) >> 24) << 16) + (((inv * (d & 0xFF0000)) >> 8) & 0xFF0000)) |
                   k.mAlphaByte;
      continue;
    }
    if (kKind == Kind::SurfaceAdd) {
      uint32_t R = static_cast<uint32_t>(k.TR[dR + ((k.kR * (SR >> 24)) >> 8)]);
      uint32_t G = static_cast<uint32_t>(k.TG[dG + ((k.kG * SG) >> 24)]);
      uint32_t B = static_cast<uint32_t>(k.TB[dB + ((k.kB * SB) >> 16)]);
      theDest[i] = (R << 16) | (G << 8) | B | k.mAlphaByte;
      continue;
    }
    uint32_t R, G, B;
    if (kKind == Kind::Over) {
      R = SR & 0xFF000000;
      G = SG & 0xFF0000;
      B = SB & 0xFF00;
      if (A >= 251) {
        theDest[i] = 0xFF000000 | (R >> 8) | (G >> 8) | (B >> 8);
        continue;
      }
    } else {
      R = (k.kR * (SR >> 8)) & 0xFF000000;
      G = (k.kG * (SG & 0xFF0000)) & 0xFF000000;
      B = (k.kB * (SB & 0xFF00)) & 0xFF0000;
      if (A >= 251) {
        theDest[i] = 0xFF000000 | (R >> 8) | (G >> 16) | (B >> 16);
        continue;
      }
    }
    uint32_t da = d >> 24;
    uint32_t pR = ((d & 0xFF0000) * da >> 8) & 0xFF0000;
    uint32_t pG = ((d & 0xFF00) * da >> 8) & 0xFF00;
    uint32_t pB = ((d & 0xFF) * da >> 8) & 0xFF;
    uint32_t na = 256 - (((256 - da) * (256 - A)) >> 8);
    uint32_t aRed = (((256 - A) * pR + R) / na) & 0xFF0000;
    uint32_t aGreen, aBlue;
    if (kKind == Kind::Over) {
      aGreen = (((256 - A) * pG + G) / na) & 0xFF00;
      aBlue = (((256 - A) * pB + B) / na) & 0xFF;
    } else {
      aGreen = (((G >> 8) + (256 - A) * pG) / na) & 0xFF00;
      aBlue = (((B >> 8) + (256 - A) * pB) / na) & 0xFF;
    }
    theDest[i] = ((na - 1) << 24) | aRed | aGreen | aBlue;
  }
}

template <class Fetch>
void PlainFor(const Setup& k, uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du, int32_t dv,
              int thePitch, Fetch theFetch) {
  switch (k.mKind) {
    case Kind::Over:
      PlainSpan<Kind::Over>(k, theDest, theCount, u, v, du, dv, thePitch, theFetch);
      break;
    case Kind::OverColour:
      PlainSpan<Kind::OverColour>(k, theDest, theCount, u, v, du, dv, thePitch, theFetch);
      break;
    case Kind::Add:
      PlainSpan<Kind::Add>(k, theDest, theCount, u, v, du, dv, thePitch, theFetch);
      break;
    case Kind::AddColour:
      PlainSpan<Kind::AddColour>(k, theDest, theCount, u, v, du, dv, thePitch, theFetch);
      break;
    case Kind::SurfaceMix:
      PlainSpan<Kind::SurfaceMix>(k, theDest, theCount, u, v, du, dv, thePitch, theFetch);
      break;
    case Kind::SurfaceColour:
      PlainSpan<Kind::SurfaceColour>(k, theDest, theCount, u, v, du, dv, thePitch, theFetch);
      break;
    case Kind::SurfaceAdd:
      PlainSpan<Kind::SurfaceAdd>(k, theDest, theCount, u, v, du, dv, thePitch, theFetch);
      break;
  }
}

std::atomic<Level> sm_Level{Level::Avx2};

}  // namespace

void Prepare(Setup& k) {
  // The vector loops compute the saturating add the tables hold when they are min(i, 255).
  static const struct Reference {
    uint8_t mBytes[511];
    int mInts[511];
    Reference() {
      for (int i = 0; i < 511; ++i) mInts[i] = mBytes[i] = uint8_t(i < 255 ? i : 255);
    }
  } sm_Reference;
  k.mSaturating = false;
  if (k.mKind == Kind::Add || k.mKind == Kind::AddColour) {
    k.mSaturating = k.T != nullptr && std::memcmp(k.T, sm_Reference.mBytes, sizeof(sm_Reference.mBytes)) == 0;
  } else if (k.mKind == Kind::SurfaceAdd) {
    k.mSaturating = k.TR != nullptr && k.TG != nullptr && k.TB != nullptr &&
                    std::memcmp(k.TR, sm_Reference.mInts, sizeof(sm_Reference.mInts)) == 0 &&
                    std::memcmp(k.TG, sm_Reference.mInts, sizeof(sm_Reference.mInts)) == 0 &&
                    std::memcmp(k.TB, sm_Reference.mInts, sizeof(sm_Reference.mInts)) == 0;
  }
  k.mLoops[0] = k.mLoops[1] = &RowPlain;
  const Level aMost = sm_Level.load(std::memory_order_relaxed);
#ifdef __SSE2__
  if (aMost == Level::Plain || !VectorFits(k)) return;
  if (aMost == Level::Avx2 && HasAvx2()) {
    const SpanLoop aWords = Avx2Loop(k.mKind, false), anIndices = Avx2Loop(k.mKind, true);
    if (aWords != nullptr && anIndices != nullptr) {
      k.mLoops[0] = aWords;
      k.mLoops[1] = anIndices;
      return;
    }
  }
  k.mLoops[0] = VectorLoopFor<V128, false>(k.mKind);
  k.mLoops[1] = VectorLoopFor<V128, true>(k.mKind);
#else
  (void)aMost;
#endif
}

void RowPlain(const Setup& k, uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du, int32_t dv,
              const Source& theSource) {
  if (theSource.mPalette != nullptr)
    PlainFor(k, theDest, theCount, u, v, du, dv, theSource.mPitch,
             PaletteTaps{theSource.mIndices, theSource.mPalette});
  else
    PlainFor(k, theDest, theCount, u, v, du, dv, theSource.mPitch, BitsTaps{theSource.mBits});
}

bool HasAvx2() { return CpuHasAvx2(); }

void SetLevel(Level theMost) { sm_Level = theMost; }

Level GetLevel() { return sm_Level.load(std::memory_order_relaxed); }

bool RowSse2(const Setup& k, uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du, int32_t dv,
             const Source& theSource) {
#ifdef __SSE2__
  if (!VectorFits(k)) return false;
  VectorRow<V128>(k, theDest, theCount, u, v, du, dv, theSource);
  return true;
#else
  (void)k, (void)theDest, (void)theCount, (void)u, (void)v, (void)du, (void)dv, (void)theSource;
  return false;
#endif
}

}  // namespace BlitSimdRotate
}  // namespace Tesk

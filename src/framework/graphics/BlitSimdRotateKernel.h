// The vector span loop of the rotated blits, written once over a vector type V: included by
// BlitSimdRotate.cpp with 128-bit vectors (two pixels a step) and by BlitSimdRotateAvx2.cpp
// with 256-bit ones (four pixels), each instance with internal linkage in its own file.
//
// Each pixel is four 16-bit lanes (blue, green, red, alpha). Every product and sum of the plain
// formula is below 65536 wherever its result is kept (sums of channel × weight are at most
// 255 × A, and A is at most 255), so 16-bit lanes give the same words; V::Div divides exactly
// (single precision with truncation, exact for dividends below 65536 and divisors up to 256).
#pragma once

#include <cstdint>

#include "graphics/BlitSimdRotate.h"

namespace Tesk {
namespace BlitSimdRotate {
namespace {

// The kinds that add through tables need tables that saturate at 255.
inline bool VectorFits(const Setup& k) {
  return (k.mKind != Kind::Add && k.mKind != Kind::AddColour && k.mKind != Kind::SurfaceAdd) || k.mSaturating;
}

// One pixel's four lanes as a 64-bit word, blue lowest.
constexpr uint64_t Lanes(uint64_t b, uint64_t g, uint64_t r, uint64_t a) {
  return b | (g << 16) | (r << 32) | (a << 48);
}

template <class V, Kind kKind, bool kPalette>
void VectorSpan(const Setup& k, uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du, int32_t dv,
                const Source& theSource) {
  typedef typename V::T T;
  typedef typename V::P P;
  constexpr int N = V::kPixels;
  constexpr bool kSurface =
      kKind == Kind::SurfaceMix || kKind == Kind::SurfaceColour || kKind == Kind::SurfaceAdd;
  constexpr bool kOver = kKind == Kind::Over || kKind == Kind::OverColour;
  constexpr bool kAdd = kKind == Kind::Add || kKind == Kind::AddColour || kKind == Kind::SurfaceAdd;
  constexpr bool kReduce = kKind == Kind::OverColour || kKind == Kind::SurfaceColour;
  constexpr bool kWhite = kKind == Kind::Over || kKind == Kind::Add || kKind == Kind::SurfaceMix;
  const int aPitch = theSource.mPitch;

  const T aZero = V::Zero();
  const T anOne = V::Set16(1);
  const T a256 = V::Set16(256);
  const T a255 = V::Set16(255);
  const T a250 = V::Set16(250);
  const T aColourLanes = V::Set64(Lanes(0xFF, 0xFF, 0xFF, 0));
  const T anAlphaLane = V::Set64(Lanes(0, 0, 0, 0xFFFF));
  const T anOpaqueLane = V::Set64(Lanes(0, 0, 0, 0xFF));
  const T aColourAlpha = V::Set16(int(k.mAlpha));
  // The sample's channel c is mulhi(K, S & M) for the sum S of channel × weight: which bits
  // of S each kind keeps before scaling, and by what.
  uint64_t aKeep = Lanes(0xFF00, 0xFF00, 0xFF00, 0);
  if (kKind == Kind::OverColour) aKeep = Lanes(0xFF00, 0xFF00, 0xFFFF, 0);
  if (kKind == Kind::AddColour || kKind == Kind::SurfaceAdd) aKeep = Lanes(0xFFFF, 0xFFFF, 0xFF00, 0);
  if (kKind == Kind::SurfaceColour) aKeep = Lanes(0xFF00, 0xFFFF, 0xFFFF, 0);
  const T M = V::Set64(aKeep);
  const T K = V::Set64(Lanes(k.kB & 0xFFFF, k.kG & 0xFFFF, k.kR & 0xFFFF, 0));
  const P aPackedColour = V::PSet32(0x00FFFFFF);
  const P aPackedAlpha = V::PSet32(int(k.mAlphaByte));

  T fu = V::Frac(u, du), fv = V::Frac(v, dv);
  const T aStepU = V::Set16(int(uint32_t(du) * N)), aStepV = V::Set16(int(uint32_t(dv) * N));
  // The last group, when short, runs on a copy padded with its last pixel's taps.
  const int aFull = theCount - theCount % N;
  uint32_t aTail[N] = {};
  uint32_t uu = uint32_t(u), vv = uint32_t(v);
  for (int i = 0; i < theCount; i += N) {
    int a[N];
    for (int j = 0; j < N; ++j) {
      a[j] = (int32_t(vv) >> 16) * aPitch + (int32_t(uu) >> 16);
      uu += uint32_t(du);
      vv += uint32_t(dv);
    }
    uint32_t* d = theDest + i;
    if (i == aFull) {
      const int aValid = theCount - i;
      for (int j = 0; j < aValid; ++j) aTail[j] = d[j];
      for (int j = aValid; j < N; ++j) a[j] = a[aValid - 1];
      d = aTail;
    }
    T aTop, aBottom;
    V::template Gather<kPalette>(theSource, a, aTop, aBottom);
    const T fuNow = fu, fvNow = fv;
    fu = V::Add(fu, aStepU);
    fv = V::Add(fv, aStepV);
    if (V::NoAlpha(V::Or(aTop, aBottom))) {
      // Every weight is 0: the memory kinds leave the pixels, the surface kinds only set alpha.
      if (kSurface) V::Store(d, V::POr(V::PAnd(V::Load(d), aPackedColour), aPackedAlpha));
      continue;
    }
    const T P00 = V::Lo8(aTop), P10 = V::Hi8(aTop), P01 = V::Lo8(aBottom), P11 = V::Hi8(aBottom);
    const T fu1 = V::Or(fuNow, anOne), fv1 = V::Or(fvNow, anOne);
    const T nfu = V::Sub(aZero, fu1), nfv = V::Sub(aZero, fv1);
    T w00 = V::MulHi(V::MulHi(nfv, nfu), V::AlphaOf(P00));
    T w10 = V::MulHi(V::MulHi(nfv, fu1), V::AlphaOf(P10));
    T w01 = V::MulHi(V::MulHi(nfu, fv1), V::AlphaOf(P01));
    T w11 = V::MulHi(V::MulHi(fu1, fv1), V::AlphaOf(P11));
    if (kReduce) {
      w00 = V::Srl(V::MulLo(w00, aColourAlpha), 8);
      w10 = V::Srl(V::MulLo(w10, aColourAlpha), 8);
      w01 = V::Srl(V::MulLo(w01, aColourAlpha), 8);
      w11 = V::Srl(V::MulLo(w11, aColourAlpha), 8);
    }
    const T A = V::Add(V::Add(w00, w10), V::Add(w01, w11));
    const T S = V::Add(V::Add(V::MulLo(P00, w00), V::MulLo(P10, w10)),
                       V::Add(V::MulLo(P01, w01), V::MulLo(P11, w11)));
    // The sample's channels, 0 in the alpha lane.
    const T C = kWhite ? V::And(V::Srl(S, 8), aColourLanes) : V::MulHi(K, V::And(S, M));

    if (kAdd) {
      if (!kSurface && V::All(V::CmpEq(A, aZero))) continue;
      P aResult = V::AddSat(V::Load(d), V::Narrow(C));
      if (kSurface) aResult = V::POr(V::PAnd(aResult, aPackedColour), aPackedAlpha);
      V::Store(d, aResult);
      continue;
    }
    if (kSurface) {
      const T D = V::Widen(V::Load(d));
      const T aMix = V::Add(V::Srl(V::MulLo(V::Sub(a256, A), D), 8), C);
      V::Store(d, V::POr(V::PAnd(V::Narrow(aMix), aPackedColour), aPackedAlpha));
      continue;
    }
    if (kOver) {
      const T aNone = V::CmpEq(A, aZero);
      if (V::All(aNone)) continue;
      const T anOpaque = V::CmpGt(A, a250);
      const T aSolid = V::Or(C, anOpaqueLane);
      if (V::All(anOpaque)) {
        V::Store(d, V::Narrow(aSolid));
        continue;
      }
      const T D = V::Widen(V::Load(d));
      const T da = V::AlphaOf(D);
      const T p = V::Srl(V::MulLo(D, da), 8);
      const T inv = V::Sub(a256, A);
      const T X = V::Add(V::MulLo(inv, p), V::Sll(C, 8));
      const T na = V::Sub(a256, V::Srl(V::MulLo(V::Sub(a256, da), inv), 8));
      // Over an opaque destination na is 256 wherever A > 0.
      const T q = V::All(V::CmpEq(da, a255)) ? V::Srl(X, 8) : V::Div(X, na);
      const T aPart = V::Or(V::And(q, aColourLanes), V::And(V::Sub(na, anOne), anAlphaLane));
      const T aResult = V::Select(aNone, D, V::Select(anOpaque, aSolid, aPart));
      V::Store(d, V::Narrow(aResult));
    }
  }
  for (int j = aFull; j < theCount; ++j) theDest[j] = aTail[j - aFull];
}

template <class V, bool kPalette>
SpanLoop VectorLoopFor(Kind theKind) {
  switch (theKind) {
    case Kind::Over:
      return &VectorSpan<V, Kind::Over, kPalette>;
    case Kind::OverColour:
      return &VectorSpan<V, Kind::OverColour, kPalette>;
    case Kind::Add:
      return &VectorSpan<V, Kind::Add, kPalette>;
    case Kind::AddColour:
      return &VectorSpan<V, Kind::AddColour, kPalette>;
    case Kind::SurfaceMix:
      return &VectorSpan<V, Kind::SurfaceMix, kPalette>;
    case Kind::SurfaceColour:
      return &VectorSpan<V, Kind::SurfaceColour, kPalette>;
    case Kind::SurfaceAdd:
      return &VectorSpan<V, Kind::SurfaceAdd, kPalette>;
  }
  return nullptr;
}

template <class V>
void VectorRow(const Setup& k, uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du, int32_t dv,
               const Source& theSource) {
  const SpanLoop aLoop =
      theSource.mPalette != nullptr ? VectorLoopFor<V, true>(k.mKind) : VectorLoopFor<V, false>(k.mKind);
  aLoop(k, theDest, theCount, u, v, du, dv, theSource);
}

}  // namespace
}  // namespace BlitSimdRotate
}  // namespace Tesk

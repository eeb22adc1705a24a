// Per-pixel composition of the software blitters, shared by the plain,
// stretched and rotated loops so that every path colours and adds alike.
// All arithmetic is unsigned 32-bit with the shifts exactly where they stand:
// the results are pinned by tests word for word.
#pragma once

#include <array>
#include <cstdint>

#include "graphics/Color.h"

namespace Tesk {
namespace BlitPixel {

// For destination alpha da and source weight p (index da << 8 | p): the new
// alpha na = ((255 - da) * p) / 255 + da in the high byte and the source's
// share w = (p * 255) / na in the low byte, so the loops divide nothing.
extern const std::array<uint16_t, 65536> k_OverWeights;

// Source over destination with source weight p (1..255): the destination may
// be transparent, so the new alpha is the over composition and the source's
// share w is taken relative to it.
inline uint32_t OverWhite(uint32_t d, uint32_t s, uint32_t p) {
  if (p == 0) return d;
  uint32_t aWeights = k_OverWeights[((d >> 16) & 0xFF00) | p];
  uint32_t na = aWeights >> 8;
  uint32_t w = aWeights & 0xFF;
  uint32_t ow = 256 - w;
  uint32_t aRB = (((ow * (d & 0x00FF00FF)) >> 8) + ((w * (s & 0x00FF00FF)) >> 8)) & 0x00FF00FF;
  uint32_t aG = (((ow * (d & 0x0000FF00)) >> 8) + ((w * (s & 0x0000FF00)) >> 8)) & 0x0000FF00;
  return (na << 24) | aRB | aG;
}

// As OverWhite with the source's colour scaled by the grey level c.
inline uint32_t OverGrey(uint32_t d, uint32_t s, uint32_t p, uint32_t c) {
  if (p == 0) return d;
  uint32_t aWeights = k_OverWeights[((d >> 16) & 0xFF00) | p];
  uint32_t na = aWeights >> 8;
  uint32_t w = aWeights & 0xFF;
  uint32_t ow = 256 - w;
  uint32_t aRB =
      (((ow * (d & 0x00FF00FF)) >> 8) + ((w * (((c * (s & 0x00FF00FF)) >> 8) & 0x00FF00FF)) >> 8)) &
      0x00FF00FF;
  uint32_t aG = (((ow * (d & 0x0000FF00)) >> 8) + ((w * ((s & 0x0000FF00) * c)) >> 16)) & 0x0000FF00;
  return (na << 24) | aRB | aG;
}

// As OverWhite with each channel of the source scaled by its own colour channel.
inline uint32_t OverColor(uint32_t d, uint32_t s, uint32_t p, uint32_t cR, uint32_t cG, uint32_t cB) {
  if (p == 0) return d;
  uint32_t aWeights = k_OverWeights[((d >> 16) & 0xFF00) | p];
  uint32_t na = aWeights >> 8;
  uint32_t w = aWeights & 0xFF;
  uint32_t ow = 256 - w;
  uint32_t aB = (((ow * (d & 0xFF)) >> 8) + ((cB * ((s & 0xFF) * w)) >> 16)) & 0xFF;
  uint32_t aG = (((ow * (d & 0xFF00)) >> 8) + ((cG * ((s & 0xFF00) * w)) >> 16)) & 0xFF00;
  uint32_t aR = (((ow * (d & 0xFF0000)) >> 8) + ((cR * ((w * (s & 0xFF0000)) >> 8)) >> 8)) & 0xFF0000;
  return (na << 24) | aR | aG | aB;
}

// Source over an opaque destination by the source's own alpha a (1..254); the result stays opaque.
inline uint32_t OverOpaque(uint32_t d, uint32_t s, uint32_t a) {
  uint32_t oa = 256 - a;
  uint32_t aR = (((oa * (d & 0xFF0000)) >> 8) + ((a * (s & 0xFF0000)) >> 8)) & 0xFF0000;
  uint32_t aG = (((oa * (d & 0xFF00)) >> 8) + ((a * (s & 0xFF00)) >> 8)) & 0xFF00;
  uint32_t aB = (((oa * (d & 0xFF)) >> 8) + ((a * (s & 0xFF)) >> 8)) & 0xFF;
  return 0xFF000000 | aR | aG | aB;
}

// Saturating adds through the add-clamp table T; the destination keeps its alpha.
inline uint32_t AddPlain(uint32_t d, uint32_t s, const uint8_t* T) {
  return (d & 0xFF000000) | (uint32_t(T[((d & 0xFF0000) + (s & 0xFF0000)) >> 16]) << 16) |
         (uint32_t(T[((d & 0xFF00) + (s & 0xFF00)) >> 8]) << 8) | T[(d & 0xFF) + (s & 0xFF)];
}

inline uint32_t AddAlpha(uint32_t d, uint32_t s, const uint8_t* T) {
  uint32_t sa = s >> 24;
  return (d & 0xFF000000) | (uint32_t(T[((d & 0xFF0000) + ((sa * (s & 0xFF0000)) >> 8)) >> 16]) << 16) |
         (uint32_t(T[((d & 0xFF00) + ((sa * (s & 0xFF00)) >> 8)) >> 8]) << 8) |
         T[(d & 0xFF) + ((sa * (s & 0xFF)) >> 8)];
}

// c'R, c'G, c'B: the colour premultiplied by its alpha.
inline uint32_t AddColor(uint32_t d, uint32_t s, const uint8_t* T, uint32_t cR, uint32_t cG, uint32_t cB) {
  return (d & 0xFF000000) | (uint32_t(T[((d & 0xFF0000) + ((cR * (s & 0xFF0000)) >> 8)) >> 16]) << 16) |
         (uint32_t(T[((d & 0xFF00) + ((cG * (s & 0xFF00)) >> 8)) >> 8]) << 8) |
         T[(d & 0xFF) + ((cB * (s & 0xFF)) >> 8)];
}

inline uint32_t AddColorAlpha(uint32_t d, uint32_t s, const uint8_t* T, uint32_t cR, uint32_t cG,
                              uint32_t cB) {
  uint32_t sa = s >> 24;
  return (d & 0xFF000000) |
         (uint32_t(T[((d & 0xFF0000) + ((sa * ((cR * (s & 0xFF0000)) >> 8)) >> 8)) >> 16]) << 16) |
         (uint32_t(T[((d & 0xFF00) + ((sa * ((cG * (s & 0xFF00)) >> 8)) >> 8)) >> 8]) << 8) |
         T[(d & 0xFF) + ((sa * ((cB * (s & 0xFF)) >> 8)) >> 8)];
}

// Calls theBody with the normal blit's per-pixel operation op(d, s) -> new d
// for this colour: white, grey (equal channels) or coloured.
template <class Body>
void WithNormalOp(const Color& theColor, Body&& theBody) {
  if (theColor == Color::White) {
    theBody([](uint32_t d, uint32_t s) { return OverWhite(d, s, s >> 24); });
    return;
  }
  const uint32_t cA = uint32_t(theColor.mAlpha);
  if (theColor.mRed == theColor.mGreen && theColor.mGreen == theColor.mBlue) {
    const uint32_t c = uint32_t(theColor.mRed);
    theBody([=](uint32_t d, uint32_t s) { return OverGrey(d, s, ((s >> 24) * cA) / 255, c); });
    return;
  }
  const uint32_t cR = uint32_t(theColor.mRed), cG = uint32_t(theColor.mGreen), cB = uint32_t(theColor.mBlue);
  theBody([=](uint32_t d, uint32_t s) { return OverColor(d, s, ((s >> 24) * cA) / 255, cR, cG, cB); });
}

// Calls theBody with the additive blit's per-pixel operation; the source's
// alpha weights the sum only for a source with partial alpha.
template <class Body>
void WithAdditiveOp(const Color& theColor, bool theSrcPartialAlpha, const uint8_t* T, Body&& theBody) {
  if (theColor == Color::White) {
    if (theSrcPartialAlpha)
      theBody([=](uint32_t d, uint32_t s) { return AddAlpha(d, s, T); });
    else
      theBody([=](uint32_t d, uint32_t s) { return AddPlain(d, s, T); });
    return;
  }
  const uint32_t cA = uint32_t(theColor.mAlpha);
  const uint32_t cR = uint32_t(theColor.mRed) * cA / 255, cG = uint32_t(theColor.mGreen) * cA / 255,
                 cB = uint32_t(theColor.mBlue) * cA / 255;
  if (theSrcPartialAlpha)
    theBody([=](uint32_t d, uint32_t s) { return AddColorAlpha(d, s, T, cR, cG, cB); });
  else
    theBody([=](uint32_t d, uint32_t s) { return AddColor(d, s, T, cR, cG, cB); });
}

}  // namespace BlitPixel
}  // namespace Tesk

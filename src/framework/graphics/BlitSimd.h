// Row loops of the blitters in SSE2, each beside the plain loop it must match
// bit for bit (tests compare the two over every alpha and channel value). The
// hottest rows also come in AVX2, taken only when the processor has it; the
// dispatching name picks one, the suffixed names are there for the tests.
#pragma once

#include <cstdint>

namespace Tesk {
namespace BlitSimd {

// Source over an opaque destination by each source pixel's own alpha, which
// must lie in 1..254 (a partial run); the results are opaque.
void OverOpaqueRow(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void OverOpaqueRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount);

// The normal blit's white loop over an opaque destination, pixel by pixel: an opaque source
// pixel is copied, a transparent one leaves the destination, any other is laid over it as by
// OverOpaqueRow.
void OverOpaqueDestRow(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void OverOpaqueDestRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void OverOpaqueDestRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void OverOpaqueDestRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount);

// The normal blit's white loop: source over a destination that may have alpha. Groups of
// transparent source pixels are skipped and groups of opaque ones need no weight look-up.
void OverWhiteRow(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void OverWhiteRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void OverWhiteRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void OverWhiteRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount);

// OverOpaqueDestRow and OverWhiteRow over theHeight rows of theWidth pixels (pitches in
// pixels), the processor asked once.
void OverOpaqueDestRect(uint32_t* theDest, int theDestPitch, const uint32_t* theSrc, int theSrcPitch, int theWidth,
                        int theHeight);
void OverOpaqueDestRectSse2(uint32_t* theDest, int theDestPitch, const uint32_t* theSrc, int theSrcPitch,
                            int theWidth, int theHeight);
void OverOpaqueDestRectAvx2(uint32_t* theDest, int theDestPitch, const uint32_t* theSrc, int theSrcPitch,
                            int theWidth, int theHeight);
void OverWhiteRect(uint32_t* theDest, int theDestPitch, const uint32_t* theSrc, int theSrcPitch, int theWidth,
                   int theHeight);
void OverWhiteRectSse2(uint32_t* theDest, int theDestPitch, const uint32_t* theSrc, int theSrcPitch, int theWidth,
                       int theHeight);
void OverWhiteRectAvx2(uint32_t* theDest, int theDestPitch, const uint32_t* theSrc, int theSrcPitch, int theWidth,
                       int theHeight);

// The display surface's white blit of premultiplied 8-8-8 words: an opaque source pixel is
// copied, a transparent one leaves the destination, any other adds itself to each channel of
// the destination weighed by 256 - alpha (d * (256 - a) >> 8) and sets the alpha to its own.
void OverPremultipliedRow(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void OverPremultipliedRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void OverPremultipliedRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void OverPremultipliedRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount);

// The normal blit's grey loop: as OverColorRow with the three channels equal to theGrey, but
// rounded as BlitPixel::OverGrey rounds.
void OverGreyRow(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theGrey, uint32_t theAlpha);
void OverGreyRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theGrey,
                      uint32_t theAlpha);
void OverGreyRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theGrey,
                     uint32_t theAlpha);
void OverGreyRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theGrey,
                     uint32_t theAlpha);

// The normal blit's coloured loop: source over a destination that may have alpha, each
// channel multiplied by its colour channel and the weight by theAlpha (p = sa * theAlpha / 255).
void OverColorRow(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theRed, uint32_t theGreen,
                  uint32_t theBlue, uint32_t theAlpha);
void OverColorRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theRed,
                       uint32_t theGreen, uint32_t theBlue, uint32_t theAlpha);
void OverColorRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theRed,
                      uint32_t theGreen, uint32_t theBlue, uint32_t theAlpha);
void OverColorRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount, uint32_t theRed,
                      uint32_t theGreen, uint32_t theBlue, uint32_t theAlpha);

// Saturating add of the source's colour; the destination keeps its alpha.
void AddRow(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void AddRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount);

// Saturating add of the source's colour weighted by its alpha (each channel plus
// (alpha * channel) >> 8, at most 255); the destination keeps its alpha.
void AddAlphaRow(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void AddAlphaRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount);

// As AddRow, and the result is opaque (the display surface's additive blit).
void AddOpaqueRow(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void AddOpaqueRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount);

// True when the processor runs the AVX2 rows (they must not be called otherwise).
bool HasAvx2();

// True when each of the 511-entry int add tables is min(i, 255).
bool AreSaturatingTables(const int* theRed, const int* theGreen, const int* theBlue);

// True when the add-clamp table is min(i, 255), which the SIMD add computes.
bool IsSaturatingTable(const uint8_t* theTable);

}  // namespace BlitSimd
}  // namespace Tesk

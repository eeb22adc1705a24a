// Row loops of the stretch blits in SSE2, each beside a plain loop that it must match bit for
// bit (tests compare the two; the plain loops are the formulas of the general resampler and of
// the per-pixel nearest stretch).
#pragma once

#include <cstdint>

namespace Tesk {
namespace BlitSimdStretch {

// ---- Smooth stretch ----
//
// A horizontal row holds one cell per output column: four 16-bit channel sums (blue, green,
// red, alpha), sum = sum over the cell's taps of channel * weight, at most 255 * 257. Each is
// stored with its top bit flipped (sum - 32768 read as a signed lane) so that the vertical pass
// can multiply it with signed multiply-adds.
//
// The horizontal taps come in pairs of cells: for pair g and tap n of theTaps,
//   theIndex[(g * theTaps + n) * 2 + c]       the source column of cell 2g + c,
//   theWeight[(g * theTaps + n) * 8 + 4c + i]  its weight, the same for the four channels i.
// A cell's weights add up to at most 257.

// Cell pairs [theBegin, theEnd) of one source row, every tap read on its own.
void HorzTapsRow(uint16_t* theCells, const uint32_t* theRow, const int32_t* theIndex,
                 const uint16_t* theWeight, int theTaps, int theBegin, int theEnd);
void HorzTapsRowPlain(uint16_t* theCells, const uint32_t* theRow, const int32_t* theIndex,
                      const uint16_t* theWeight, int theTaps, int theBegin, int theEnd);
// The pair form: cell k = theRow[theLeft[k]] * wl + theRow[theLeft[k] + 1] * wr (wl + wr at most
// 257), for cells [theBegin, theEnd), multiples of four. The weights of cells 4q to 4q + 3 lie at
// theWeight[32q]: each cell's wl four times, then each cell's wr four times.
void HorzPairsRow(uint16_t* theCells, const uint32_t* theRow, const int32_t* theLeft, const uint16_t* theWeight,
                  int theBegin, int theEnd);
void HorzPairsRowPlain(uint16_t* theCells, const uint32_t* theRow, const int32_t* theLeft,
                       const uint16_t* theWeight, int theBegin, int theEnd);
void HorzPairsRowSse2(uint16_t* theCells, const uint32_t* theRow, const int32_t* theLeft,
                      const uint16_t* theWeight, int theBegin, int theEnd);
void HorzPairsRowAvx2(uint16_t* theCells, const uint32_t* theRow, const int32_t* theLeft,
                      const uint16_t* theWeight, int theBegin, int theEnd);

// How a resampled pixel m (channels at most 255) is laid on the destination.
struct Compose {
  enum Kind { Over, Add };
  Kind mKind = Over;
  // Over: each channel c becomes (c * mMul[c]) >> 8 and alpha (a * mMul[3]) / 255; white is
  // {256, 256, 256, 255}. Add: each channel becomes (c * mMul[c]) >> 8 unless white (mMul[c]
  // 256), then (c * a) >> 8 when mPartial, and is added with saturation.
  uint32_t mMul[4] = {256, 256, 256, 255};
  bool mPartial = false;
  bool IsWhite() const { return mMul[0] == 256 && mMul[1] == 256 && mMul[2] == 256 && mMul[3] == 255; }
};

// One output row: pixel x mixes cell x of theRows[t] by theWeights[t] over the theTaps taps (an
// even count; the weights add up to at most 256), each channel (sum of cell * weight) >> 16,
// and lays the result on theDest[x] as theCompose says. Cells up to the next multiple of four
// past theCount may be read. MixComposeRow takes the widest rows the processor has; the SSE2
// and AVX2 forms can be called on their own (the AVX2 one is the SSE2 one without AVX2).
void MixComposeRow(uint32_t* theDest, const uint16_t* const* theRows, const int16_t* theWeights, int theTaps,
                   int theCount, const Compose& theCompose);
void MixComposeRowSse2(uint32_t* theDest, const uint16_t* const* theRows, const int16_t* theWeights,
                       int theTaps, int theCount, const Compose& theCompose);
void MixComposeRowAvx2(uint32_t* theDest, const uint16_t* const* theRows, const int16_t* theWeights,
                       int theTaps, int theCount, const Compose& theCompose);
bool HasAvx2();
void MixComposeRowPlain(uint32_t* theDest, const uint16_t* const* theRows, const int16_t* theWeights,
                        int theTaps, int theCount, const Compose& theCompose);
// The composition on its own, of the resampled pixel m onto d.
uint32_t ComposePixel(uint32_t d, uint32_t m, const Compose& theCompose);

// ---- Nearest stretch ----

// theOut[x] = theRow[theColumns[x]].
void GatherRow(uint32_t* theOut, const uint32_t* theRow, const int* theColumns, int theCount);

// The normal blit's white loop (BlitPixel::OverWhite with p = the source's alpha); opaque groups
// of four take a form without multiplies.
void OverWhiteRow(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void OverWhiteRowSse2(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void OverWhiteRowAvx2(uint32_t* theDest, const uint32_t* theSrc, int theCount);

// The display surface's white stretch onto a 32-bit 8-8-8 surface, from native source words
// (colour already weighed by alpha): a word without alpha leaves the destination, any other
// becomes the word plus each destination channel's ((256 - a) * c) >> 8 (added as words).
void SurfaceOverRow(uint32_t* theDest, const uint32_t* theSrc, int theCount);
void SurfaceOverRowPlain(uint32_t* theDest, const uint32_t* theSrc, int theCount);

// First and last column (last + 1) whose pixel has alpha; theEnd <= theBegin when none has.
void AlphaSpan(const uint32_t* theRow, int theCount, int& theBegin, int& theEnd);
void AlphaSpanSse2(const uint32_t* theRow, int theCount, int& theBegin, int& theEnd);
void AlphaSpanAvx2(const uint32_t* theRow, int theCount, int& theBegin, int& theEnd);

}  // namespace BlitSimdStretch
}  // namespace Tesk

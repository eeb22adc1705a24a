// Spans of the rotated blits: one destination row whose bilinear taps all lie in the source,
// walked in 16.16 fixed point. Each kind has a plain per-pixel loop, the formula itself, and
// vector loops (SSE2, and AVX2 where the processor has it) that must match it bit for bit;
// tests compare them over every weight and alpha that matters.
#pragma once

#include <cstdint>

namespace Tesk {
namespace BlitSimdRotate {

// What a span does with its sample. The first four draw into a memory image, the rest into a
// 32-bit display surface whose channels are 8 bits at shifts 16, 8 and 0.
enum class Kind : uint8_t {
  Over,           // white over a destination that may have alpha
  OverColour,     // the same with the weights scaled by the colour's alpha, channels by colour + 1
  Add,            // saturating add through the add-clamp table; the destination keeps its alpha
  AddColour,      // the same with each channel scaled by the premultiplied colour
  SurfaceMix,     // destination × (256 - A) / 256 plus the sample, then the fixed alpha byte
  SurfaceColour,  // the same colourised as OverColour
  SurfaceAdd,     // saturating add through the three int tables, then the fixed alpha byte
};

struct Setup;
struct Source;

// A span loop: theCount pixels from theDest on, the first sampled at (u, v), each next one
// (du, dv) on.
typedef void (*SpanLoop)(const Setup& k, uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du,
                         int32_t dv, const Source& theSource);

// What stays the same over a blit.
struct Setup {
  Kind mKind = Kind::Over;
  uint32_t mAlpha = 255;            // the colour's alpha (OverColour, SurfaceColour)
  uint32_t kR = 0, kG = 0, kB = 0;  // colour + 1 (Over-, SurfaceColour) or colour × alpha / 255 (adds)
  uint32_t mAlphaByte = 0;          // ORed into the surface kinds' results
  const uint8_t* T = nullptr;       // add-clamp table (Add, AddColour)
  const int* TR = nullptr;          // the surface's add tables (SurfaceAdd)
  const int* TG = nullptr;
  const int* TB = nullptr;
  // Set by Prepare: the tables add as min(sum, 255); the loops Row takes for 32-bit words
  // and for palette indices, chosen once for the blit.
  bool mSaturating = false;
  SpanLoop mLoops[2] = {nullptr, nullptr};
};

// Fills in what the loops derive from the rest of the setup; call it once per blit.
void Prepare(Setup& k);

// The source rectangle's top-left pixel: 32-bit words, or palette indices and their palette.
struct Source {
  const uint32_t* mBits = nullptr;
  const uint8_t* mIndices = nullptr;
  const uint32_t* mPalette = nullptr;
  int mPitch = 0;
};

// The fastest loop that computes what RowPlain does, as Prepare chose it.
inline void Row(const Setup& k, uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du, int32_t dv,
                const Source& theSource) {
  k.mLoops[theSource.mPalette != nullptr](k, theDest, theCount, u, v, du, dv, theSource);
}
void RowPlain(const Setup& k, uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du, int32_t dv,
              const Source& theSource);

// The vector loops themselves, for the tests; false when this build or processor lacks them
// or the setup needs the plain loop (add tables that do not saturate at 255). The AVX2 loop
// is only run when the processor reports AVX2.
bool RowSse2(const Setup& k, uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du, int32_t dv,
             const Source& theSource);
bool RowAvx2(const Setup& k, uint32_t* theDest, int theCount, int32_t u, int32_t v, int32_t du, int32_t dv,
             const Source& theSource);
bool HasAvx2();

// The fastest loop Prepare may choose (AVX2 at first, which it takes only where the processor
// has it): tests and benchmarks lower it to run whole blits through one loop.
enum class Level : uint8_t { Plain, Sse2, Avx2 };
void SetLevel(Level theMost);
Level GetLevel();

}  // namespace BlitSimdRotate
}  // namespace Tesk

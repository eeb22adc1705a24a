// The native words of an image for a display whose channels are 8 bits at shifts 16, 8 and 0:
// each colour channel weighed by the pixel's alpha as ((a + 1) * c) >> 8, the alpha kept. SSE2
// and AVX2 loops beside the plain one they must match bit for bit (tests compare them over every
// alpha and channel value); Premultiply888Row takes AVX2 only when the processor has it.
#pragma once

#include <cstdint>

namespace Tesk {
namespace BlitSimdNative {

void Premultiply888Row(uint32_t* theOut, const uint32_t* theSrc, int theCount);
void Premultiply888RowPlain(uint32_t* theOut, const uint32_t* theSrc, int theCount);
void Premultiply888RowSse2(uint32_t* theOut, const uint32_t* theSrc, int theCount);
// Without AVX2 in the processor this is the SSE2 row.
void Premultiply888RowAvx2(uint32_t* theOut, const uint32_t* theSrc, int theCount);

}  // namespace BlitSimdNative
}  // namespace Tesk

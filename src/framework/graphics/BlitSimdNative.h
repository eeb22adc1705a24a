// The native words of an image for a display whose channels are 8 bits at shifts 16, 8 and 0:
// each colour channel weighed by the pixel's alpha as ((a + 1) * c) >> 8, the alpha kept. An
// SSE2 loop beside the plain one it must match bit for bit (tests compare them over every alpha
// and channel value).
#pragma once

#include <cstdint>

namespace Tesk {
namespace BlitSimdNative {

void Premultiply888Row(uint32_t* theOut, const uint32_t* theSrc, int theCount);
void Premultiply888RowPlain(uint32_t* theOut, const uint32_t* theSrc, int theCount);

}  // namespace BlitSimdNative
}  // namespace Tesk

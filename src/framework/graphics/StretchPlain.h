// The stretch blits of memory images in their plain form: the per-pixel nearest stretch and the
// general two-pass resampler, with no fast path. MemoryImage::FastStretchBlt and SlowStretchBlt
// take faster routes where they can; each route must leave exactly the pixels these leave.
#pragma once

#include "graphics/Color.h"
#include "graphics/TRect.h"

namespace Tesk {

class Image;
class MemoryImage;

namespace StretchPlain {

void Nearest(MemoryImage& theDest, Image* theImage, const TRect<int>& theDestRect,
             const TRect<double>& theSrcRect, const Color& theColor, int theDrawMode, bool mirror);
void Smooth(MemoryImage& theDest, Image* theImage, const TRect<int>& theDestRect,
            const TRect<double>& theSrcRect, const Color& theColor, int theDrawMode, bool mirror);

}  // namespace StretchPlain
}  // namespace Tesk

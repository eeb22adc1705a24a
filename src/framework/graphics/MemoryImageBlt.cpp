// The blit loops of MemoryImage: plain, fractional, stretched, rotated, matrix and triangles.
#include "graphics/MemoryImage.h"

namespace Tesk {

// Blits are not drawn yet.
void MemoryImage::Blt(Image*, int, int, const TRect<int>&, const Color&, int) {}

void MemoryImage::BltF(Image*, float, float, const TRect<int>&, const TRect<int>&, const Color&, int) {}

void MemoryImage::BltRotated(Image*, float, float, const TRect<int>&, const TRect<int>&, const Color&, int,
                             double, float, float) {}

void MemoryImage::StretchBlt(Image*, const TRect<int>&, const TRect<int>&, const TRect<int>&, const Color&,
                             int, bool) {}

void MemoryImage::BltMatrix(Image*, float, float, const TeskMatrix3&, const TRect<int>&, const Color&, int,
                            const TRect<int>&, bool) {}

void MemoryImage::BltTrianglesTex(Image*, const TriVertex[][3], int, const TRect<int>&, const Color&, int,
                                  float, float, bool) {}

}  // namespace Tesk

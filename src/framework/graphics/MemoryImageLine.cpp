// The line loops of MemoryImage.
#include "graphics/MemoryImage.h"

namespace Tesk {

// Lines are not drawn yet.
void MemoryImage::DrawLine(double, double, double, double, const Color&, int) {}

void MemoryImage::DrawLineAA(double, double, double, double, const Color&, int) {}

}  // namespace Tesk

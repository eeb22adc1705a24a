// The limits both PNG readers (the archive reader and CxImage) give libpng before reading.
#pragma once

#include <png.h>

namespace ImageLib {

// Largest chunk other than image data that libpng may hold in memory: a game image needs no
// more than a palette (768 bytes) and its transparency (256).
constexpr png_alloc_size_t k_MaxPngChunkBytes = 64 * 1024;

// Side limits, a small chunk allocation limit, no text or unknown chunk kept, and every
// ancillary chunk but transparency skipped unread, so a header that declares a 2 GB text or
// private chunk costs a few small reads instead of a 2 GB buffer.
void SetPngReadLimits(png_structp thePng);

}  // namespace ImageLib

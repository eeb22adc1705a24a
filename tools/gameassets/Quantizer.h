#pragma once
// Turns straight-alpha pixels into the palettised form of an image block: a median cut
// over colour and alpha picks at most 255 colours, Floyd-Steinberg dithering spreads the
// error, and index 0 is kept fully transparent so that clear margins stay exactly clear.
#include <cstdint>
#include <vector>

#include "ImageWriters.h"

namespace GameAssets {

// Pixels with alpha below this are written as index 0 (alpha 0).
constexpr int k_clearAlpha = 16;

TeskTools::BlockImage Quantize(const std::vector<uint32_t>& thePixels, int theWidth, int theHeight,
                               bool theDither = true, int theMaxColours = 255);

// The straight-alpha pixels a palettised image shows.
std::vector<uint32_t> Expand(const TeskTools::BlockImage& theImage);

}  // namespace GameAssets

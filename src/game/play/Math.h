// Hit tests for every click on objects, distractions, map markers, mini-game pieces and popup
// areas, and a float blend.
#pragma once

namespace Tesk {
class Image;
}

namespace MATH {

// Inside the box: x <= px < x + w and y <= py < y + h (right and bottom edges are outside).
bool BBPointTest(const int& thePx, const int& thePy, const int& theX, const int& theY, const int& theW,
                 const int& theH);

// The alpha (0-255) of the image at (x, y), read from the colour-table entry the pixel selects;
// an image in 32-bit pixels answers its pixel's alpha, any other image 0. The index is
// y * width + x, so x outside the row reads a neighbouring row: callers test the rectangle first.
int BBImageTest(const int& theX, const int& theY, Tesk::Image* theImage);

// a * t + b * (1 - t).
float Blend(const float& theA, const float& theB, const float& theT);

}  // namespace MATH

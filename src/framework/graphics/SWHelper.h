// The software triangle rasteriser behind the matrix and triangle blits: a strip
// of screen-space vertices is clipped triangle by triangle into convex polygons,
// whose fans are filled by one specialised routine per combination of
// texturing, texture alpha, vertex colours, global colour, blending and
// destination format.
//
// Conventions: pixel centres lie at integer coordinates; a pixel is filled when
// its centre lies in the half-open span [left, right) of a row whose centre lies
// in [top, bottom) of the triangle (the top-left rule), so triangles that share
// an edge fill each pixel once. Textures are sampled at the nearest texel whose
// centre is at +0.5, with coordinates clamped to the texture (any size works).
#pragma once

#include <cstdint>

#include "graphics/Color.h"
#include "graphics/TRect.h"

namespace Tesk {

class MemoryImage;

namespace SWHelper {

// A vertex before clipping.
struct XYZStruct {
  float x, y;  // destination pixels
  float u, v;  // texture coordinates, 0 to 1
  uint32_t diffuse;
};

// A vertex for a rasteriser, all fixed point.
struct SWVertex {
  int x, y;        // 16.16
  int a, r, g, b;  // channel << 16
  int u, v;        // texels, 16.16
};

struct SWTextureInfo {
  const uint32_t* pixels;
  int pitchShift;
  int uMask;
  int vMask;
  int width;
  int size;
  int height;
};

struct SWDiffuse {
  int a, r, g, b;
};

enum {
  SWTRI_BLEND = 1,
  SWTRI_GLOBAL_COLOR = 2,
  SWTRI_VERTEX_COLORS = 4,
  SWTRI_TEXTURE_ALPHA = 8,
  SWTRI_TEXTURED = 16,
  SWTRI_FORMAT_888 = 32,
  SWTRI_FORMAT_565 = 64,
  SWTRI_FORMAT_555 = 96,
  SWTRI_COUNT = 128,
};

typedef void (*SWDrawTriFunc)(const SWVertex* theVertices, void* thePixels, uint32_t theBytesPerRow,
                              const SWTextureInfo* theTexture, const SWDiffuse& theDiffuse);

// Every entry is filled before the program starts.
extern SWDrawTriFunc gDrawTriFunc[SWTRI_COUNT];

void SWTri_AddDrawTriFunc(int theIndex, SWDrawTriFunc theFunc);
void SWTri_AddAllDrawTriFuncs();

// The table index for these flags and a format code (0x8888, 0x888, 0x565, 0x555).
int SWTriIndex(bool textured, bool textureAlpha, bool vertexColours, bool globalColour, int thePixelFormat,
               bool blend);

void SWDrawTriangle(bool textured, bool textureAlpha, bool vertexColours, bool globalColour,
                    const SWVertex* theThree, uint32_t* thePixels, uint32_t theBytesPerRow,
                    const SWTextureInfo* theTexture, const SWDiffuse& theDiffuse, int thePixelFormat,
                    bool blend);

// Draws the strip of theCount vertices; the draw mode is not used.
void SWDrawShape(const XYZStruct* theVertices, int theCount, MemoryImage* theTexture, const Color& theColor,
                 int theDrawMode, const TRect<int>& theClipRect, void* thePixels, int theBytesPerRow,
                 int thePixelFormat, bool blend, bool vertexColours);

// Clips one triangle to [left, right] x [top, bottom]; writes the polygon (at
// most 7 vertices) to theOut and returns its vertex count, below 3 when nothing is left.
int SWClipTriangle(const XYZStruct& a, const XYZStruct& b, const XYZStruct& c, float theLeft, float theTop,
                   float theRight, float theBottom, XYZStruct* theOut);

}  // namespace SWHelper
}  // namespace Tesk

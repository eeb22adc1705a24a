#include "graphics/SWHelper.h"

#include <algorithm>
#include <cmath>

#include "core/Common.h"
#include "graphics/MemoryImage.h"

namespace Tesk {
namespace SWHelper {

namespace {

// New vertices of a clip stage: each of the four stages adds at most one vertex.
constexpr int k_ReservoirSize = 64;

struct Reservoir {
  XYZStruct mVertices[k_ReservoirSize];
  int mUsed = 0;
  XYZStruct* New() {
    TESK_ASSERT(mUsed < k_ReservoirSize);
    return &mVertices[mUsed++];
  }
};

inline int LerpChannel(uint32_t a, uint32_t b, int theShift, float t) {
  float ca = float((a >> theShift) & 0xFF), cb = float((b >> theShift) & 0xFF);
  return std::min(std::max(int((ca - cb) * t + cb), 0), 255);
}

// The vertex on the edge between a (inside) and b, at parameter t from b.
XYZStruct* Between(Reservoir& theReservoir, const XYZStruct& a, const XYZStruct& b, float t) {
  XYZStruct* n = theReservoir.New();
  n->x = (a.x - b.x) * t + b.x;
  n->y = (a.y - b.y) * t + b.y;
  n->u = (a.u - b.u) * t + b.u;
  n->v = (a.v - b.v) * t + b.v;
  n->diffuse = (uint32_t(LerpChannel(a.diffuse, b.diffuse, 24, t)) << 24) |
               (uint32_t(LerpChannel(a.diffuse, b.diffuse, 16, t)) << 16) |
               (uint32_t(LerpChannel(a.diffuse, b.diffuse, 8, t)) << 8) |
               uint32_t(LerpChannel(a.diffuse, b.diffuse, 0, t));
  return n;
}

// One stage: kAxis 0 clips x, 1 clips y; kBelow keeps coordinates >= edge, else <= edge.
template <int kAxis, bool kBelow>
int ClipStage(Reservoir& theReservoir, XYZStruct** theIn, int theCount, float theEdge, XYZStruct** theOut) {
  auto aCoord = [](const XYZStruct* p) { return kAxis == 0 ? p->x : p->y; };
  auto anOutside = [&](const XYZStruct* p) { return kBelow ? theEdge > aCoord(p) : aCoord(p) > theEdge; };
  int n = 0;
  for (int i = 0; i < theCount; ++i) {
    XYZStruct* v = theIn[i];
    XYZStruct* w = theIn[(i + 1) % theCount];
    bool vOut = anOutside(v), wOut = anOutside(w);
    if (!vOut) theOut[n++] = v;
    if (vOut != wOut) {
      const XYZStruct& a = vOut ? *w : *v;
      const XYZStruct& b = vOut ? *v : *w;
      float t = (theEdge - aCoord(&b)) / (aCoord(&a) - aCoord(&b));
      theOut[n++] = Between(theReservoir, a, b, t);
    }
  }
  return n;
}

}  // namespace

int SWClipTriangle(const XYZStruct& a, const XYZStruct& b, const XYZStruct& c, float theLeft, float theTop,
                   float theRight, float theBottom, XYZStruct* theOut) {
  Reservoir aReservoir;
  XYZStruct aCorners[3] = {a, b, c};
  XYZStruct* aListA[8] = {&aCorners[0], &aCorners[1], &aCorners[2]};
  XYZStruct* aListB[8];
  int n = 3;
  n = ClipStage<0, true>(aReservoir, aListA, n, theLeft, aListB);
  if (n > 2) n = ClipStage<0, false>(aReservoir, aListB, n, theRight, aListA);
  if (n > 2) n = ClipStage<1, true>(aReservoir, aListA, n, theTop, aListB);
  if (n > 2) n = ClipStage<1, false>(aReservoir, aListB, n, theBottom, aListA);
  if (n < 3) return n < 0 ? 0 : n;
  for (int i = 0; i < n; ++i) {
    theOut[i] = *aListA[i];
    // Rounding in the cut may leave a new vertex a hair outside: it must not cost a pixel outside the clip.
    theOut[i].x = std::min(std::max(theOut[i].x, theLeft), theRight);
    theOut[i].y = std::min(std::max(theOut[i].y, theTop), theBottom);
  }
  return n;
}

int SWTriIndex(bool textured, bool textureAlpha, bool vertexColours, bool globalColour, int thePixelFormat,
               bool blend) {
  int anIndex = (blend ? SWTRI_BLEND : 0) | (globalColour ? SWTRI_GLOBAL_COLOR : 0) |
                (vertexColours ? SWTRI_VERTEX_COLORS : 0) | (textureAlpha ? SWTRI_TEXTURE_ALPHA : 0) |
                (textured ? SWTRI_TEXTURED : 0);
  switch (thePixelFormat) {
    case 0x888:
      return anIndex | SWTRI_FORMAT_888;
    case 0x565:
      return anIndex | SWTRI_FORMAT_565;
    case 0x555:
      return anIndex | SWTRI_FORMAT_555;
    default:
      return anIndex;
  }
}

void SWDrawTriangle(bool textured, bool textureAlpha, bool vertexColours, bool globalColour,
                    const SWVertex* theThree, uint32_t* thePixels, uint32_t theBytesPerRow,
                    const SWTextureInfo* theTexture, const SWDiffuse& theDiffuse, int thePixelFormat,
                    bool blend) {
  SWDrawTriFunc aFunc =
      gDrawTriFunc[SWTriIndex(textured, textureAlpha, vertexColours, globalColour, thePixelFormat, blend)];
  if (aFunc == nullptr)
    AssertFailed(__FILE__, __LINE__,
                 "\"You need to call SWTri_AddDrawTriFunc or SWTri_AddAllDrawTriFuncs\"==__null");
  aFunc(theThree, thePixels, theBytesPerRow, theTexture, theDiffuse);
}

void SWDrawShape(const XYZStruct* theVertices, int theCount, MemoryImage* theTexture, const Color& theColor,
                 int, const TRect<int>& theClipRect, void* thePixels, int theBytesPerRow, int thePixelFormat,
                 bool blend, bool vertexColours) {
  if (theClipRect.mWidth <= 0 || theClipRect.mHeight <= 0) return;
  // The fill rule is half-open, so the clip's far edges are the first column
  // and row outside it: clipping at the last ones inside would lose them.
  const float aLeft = float(theClipRect.mX), aTop = float(theClipRect.mY);
  const float aRight = float(theClipRect.mX + theClipRect.mWidth);
  const float aBottom = float(theClipRect.mY + theClipRect.mHeight);

  SWDiffuse aDiffuse{theColor.mAlpha, theColor.mRed, theColor.mGreen, theColor.mBlue};
  const bool aGlobal = theColor != Color::White;
  // A translucent colour fades the pixels, which only a blend can show.
  bool aBlend = blend || (aGlobal && theColor.mAlpha < 255);
  if (vertexColours) {
    for (int i = 0; i < theCount; ++i)
      if ((theVertices[i].diffuse >> 24) < 255) aBlend = true;
  }

  bool aTextured = false, aTextureAlpha = false;
  SWTextureInfo aTexture{};
  if (theTexture && theTexture->mWidth > 0 && theTexture->mHeight > 0) {
    theTexture->CommitBits();
    aTextured = true;
    aTextureAlpha = theTexture->mHasTransparent || theTexture->mHasPartialAlpha || blend;
    aTexture.pixels = theTexture->GetBits();
    aTexture.width = theTexture->mWidth;
    aTexture.height = theTexture->mHeight;
    aTexture.size = aTexture.width * aTexture.height;
    int aLog = 0;
    while ((2 << aLog) <= aTexture.width) ++aLog;
    aTexture.pitchShift = 16 - aLog;
    aTexture.uMask = (aTexture.width - 1) << 16;
    aTexture.vMask = (aTexture.height - 1) << 16;
  }

  XYZStruct aPolygon[8];
  SWVertex aFan[8];
  for (int i = 0; i + 3 <= theCount; ++i) {
    const XYZStruct& a = theVertices[i];
    const XYZStruct& b = (i & 1) ? theVertices[i + 2] : theVertices[i + 1];
    const XYZStruct& c = (i & 1) ? theVertices[i + 1] : theVertices[i + 2];
    int n = SWClipTriangle(a, b, c, aLeft, aTop, aRight, aBottom, aPolygon);
    if (n < 3) continue;
    for (int k = 0; k < n; ++k) {
      const XYZStruct& p = aPolygon[k];
      SWVertex& s = aFan[k];
      s.x = int(65536.0 * p.x);
      s.y = int(65536.0 * p.y);
      s.u = aTextured ? int(65536.0 * (double(p.u) * aTexture.width)) : 0;
      s.v = aTextured ? int(65536.0 * (double(p.v) * aTexture.height)) : 0;
      s.a = vertexColours ? int((p.diffuse >> 24) & 0xFF) << 16 : 0;
      s.r = vertexColours ? int((p.diffuse >> 16) & 0xFF) << 16 : 0;
      s.g = vertexColours ? int((p.diffuse >> 8) & 0xFF) << 16 : 0;
      s.b = vertexColours ? int(p.diffuse & 0xFF) << 16 : 0;
    }
    for (int k = 1; k + 1 < n; ++k) {
      const SWVertex aThree[3] = {aFan[0], aFan[k], aFan[k + 1]};
      SWDrawTriangle(aTextured, aTextureAlpha, vertexColours, aGlobal, aThree,
                     static_cast<uint32_t*>(thePixels), uint32_t(theBytesPerRow),
                     aTextured ? &aTexture : nullptr, aDiffuse, thePixelFormat, aBlend);
    }
  }
}

}  // namespace SWHelper
}  // namespace Tesk

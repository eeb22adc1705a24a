// The per-case triangle fillers of the software rasteriser and their table.
#include <algorithm>
#include <cmath>
#include <utility>

#include "graphics/BlitPixel.h"
#include "graphics/SWHelper.h"

namespace Tesk {
namespace SWHelper {

namespace {

inline uint32_t Modulate(uint32_t s, uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return ((((s >> 24) * (a + 1)) >> 8) << 24) | (((((s >> 16) & 0xFF) * (r + 1)) >> 8) << 16) |
         (((((s >> 8) & 0xFF) * (g + 1)) >> 8) << 8) | (((s & 0xFF) * (b + 1)) >> 8);
}

inline int ClampChannel(int theFixed) { return std::min(std::max(theFixed >> 16, 0), 255); }

// Packing of the destination formats: 0 is 0x8888, 1 is 0x888, 2 is 0x565, 3 is 0x555.
template <int kFormat>
struct DestFormat;

template <>
struct DestFormat<0> {
  typedef uint32_t Word;
  static uint32_t Unpack(Word p) { return p; }
  static Word Pack(uint32_t c) { return c; }
};

template <>
struct DestFormat<1> {
  typedef uint32_t Word;
  static uint32_t Unpack(Word p) { return p | 0xFF000000; }
  static Word Pack(uint32_t c) { return c | 0xFF000000; }
};

template <>
struct DestFormat<2> {
  typedef uint16_t Word;
  static uint32_t Unpack(Word p) {
    uint32_t r = (p >> 11) & 0x1F, g = (p >> 5) & 0x3F, b = p & 0x1F;
    return 0xFF000000 | (((r << 3) | (r >> 2)) << 16) | (((g << 2) | (g >> 4)) << 8) | ((b << 3) | (b >> 2));
  }
  static Word Pack(uint32_t c) {
    return Word((((c >> 19) & 0x1F) << 11) | (((c >> 10) & 0x3F) << 5) | ((c >> 3) & 0x1F));
  }
};

template <>
struct DestFormat<3> {
  typedef uint16_t Word;
  static uint32_t Unpack(Word p) {
    uint32_t r = (p >> 10) & 0x1F, g = (p >> 5) & 0x1F, b = p & 0x1F;
    return 0xFF000000 | (((r << 3) | (r >> 2)) << 16) | (((g << 3) | (g >> 2)) << 8) | ((b << 3) | (b >> 2));
  }
  static Word Pack(uint32_t c) {
    return Word((((c >> 19) & 0x1F) << 10) | (((c >> 11) & 0x1F) << 5) | ((c >> 3) & 0x1F));
  }
};

// An attribute's plane over the triangle: value at a point = mBase + x*mDx + y*mDy.
struct Plane {
  double mBase, mDx, mDy;
  Plane() : mBase(0), mDx(0), mDy(0) {}
  Plane(const double* X, const double* Y, double a0, double a1, double a2, double theArea) {
    mDx = ((a1 - a0) * (Y[2] - Y[0]) - (a2 - a0) * (Y[1] - Y[0])) / theArea;
    mDy = ((a2 - a0) * (X[1] - X[0]) - (a1 - a0) * (X[2] - X[0])) / theArea;
    mBase = a0 - X[0] * mDx - Y[0] * mDy;
  }
  int At(double x, double y) const { return int(std::lround(mBase + x * mDx + y * mDy)); }
  int Step() const { return int(std::lround(mDx)); }
};

template <int kIndex>
void DrawTri(const SWVertex* theVertices, void* thePixels, uint32_t theBytesPerRow,
             const SWTextureInfo* theTexture, const SWDiffuse& theDiffuse) {
  constexpr bool kBlend = (kIndex & SWTRI_BLEND) != 0;
  constexpr bool kGlobal = (kIndex & SWTRI_GLOBAL_COLOR) != 0;
  constexpr bool kVertex = (kIndex & SWTRI_VERTEX_COLORS) != 0;
  constexpr bool kTexAlpha = (kIndex & SWTRI_TEXTURE_ALPHA) != 0;
  constexpr bool kTextured = (kIndex & SWTRI_TEXTURED) != 0;
  typedef DestFormat<(kIndex >> 5)> Format;
  typedef typename Format::Word Word;

  double X[3], Y[3];
  for (int i = 0; i < 3; ++i) {
    X[i] = theVertices[i].x / 65536.0;
    Y[i] = theVertices[i].y / 65536.0;
  }
  const double anArea = (X[1] - X[0]) * (Y[2] - Y[0]) - (X[2] - X[0]) * (Y[1] - Y[0]);
  if (anArea == 0 || !std::isfinite(anArea)) return;

  Plane aU, aV, aA, aR, aG, aB;
  if (kTextured) {
    aU = Plane(X, Y, theVertices[0].u, theVertices[1].u, theVertices[2].u, anArea);
    aV = Plane(X, Y, theVertices[0].v, theVertices[1].v, theVertices[2].v, anArea);
  }
  if (kVertex) {
    aA = Plane(X, Y, theVertices[0].a, theVertices[1].a, theVertices[2].a, anArea);
    aR = Plane(X, Y, theVertices[0].r, theVertices[1].r, theVertices[2].r, anArea);
    aG = Plane(X, Y, theVertices[0].g, theVertices[1].g, theVertices[2].g, anArea);
    aB = Plane(X, Y, theVertices[0].b, theVertices[1].b, theVertices[2].b, anArea);
  }
  const int dU = aU.Step(), dV = aV.Step();
  const int dA = aA.Step(), dR = aR.Step(), dG = aG.Step(), dB = aB.Step();

  // Top, middle and bottom by y; each edge is always walked from its upper end,
  // so two triangles sharing it find the very same crossings.
  int t = 0, m = 1, b = 2;
  if (Y[m] < Y[t]) std::swap(m, t);
  if (Y[b] < Y[t]) std::swap(b, t);
  if (Y[b] < Y[m]) std::swap(b, m);
  const double aLongSlope = Y[b] > Y[t] ? (X[b] - X[t]) / (Y[b] - Y[t]) : 0;
  const double aTopSlope = Y[m] > Y[t] ? (X[m] - X[t]) / (Y[m] - Y[t]) : 0;
  const double aBottomSlope = Y[b] > Y[m] ? (X[b] - X[m]) / (Y[b] - Y[m]) : 0;

  const int aTexWidth = kTextured ? theTexture->width : 1;
  const int aMaxU = kTextured ? theTexture->width - 1 : 0;
  const int aMaxV = kTextured ? theTexture->height - 1 : 0;
  const uint32_t* aTexels = kTextured ? theTexture->pixels : nullptr;
  const uint32_t gA = uint32_t(theDiffuse.a), gR = uint32_t(theDiffuse.r), gG = uint32_t(theDiffuse.g),
                 gB = uint32_t(theDiffuse.b);

  const int aYEnd = int(std::ceil(Y[b]));
  for (int y = int(std::ceil(Y[t])); y < aYEnd; ++y) {
    double aLong = X[t] + (y - Y[t]) * aLongSlope;
    double aShort = y < Y[m] ? X[t] + (y - Y[t]) * aTopSlope : X[m] + (y - Y[m]) * aBottomSlope;
    double aLeft = std::min(aLong, aShort), aRight = std::max(aLong, aShort);
    int xs = int(std::ceil(aLeft)), xe = int(std::ceil(aRight));
    if (xs >= xe) continue;
    Word* aRow = reinterpret_cast<Word*>(static_cast<uint8_t*>(thePixels) + size_t(y) * theBytesPerRow);
    int u = 0, v = 0, a = 0, r = 0, g = 0, bl = 0;
    if (kTextured) {
      u = aU.At(xs, y);
      v = aV.At(xs, y);
    }
    if (kVertex) {
      a = aA.At(xs, y);
      r = aR.At(xs, y);
      g = aG.At(xs, y);
      bl = aB.At(xs, y);
    }
    for (int x = xs; x < xe; ++x) {
      uint32_t s = 0xFFFFFFFF;
      if (kTextured) {
        int tu = std::min(std::max(u >> 16, 0), aMaxU);
        int tv = std::min(std::max(v >> 16, 0), aMaxV);
        s = aTexels[tv * aTexWidth + tu];
        u += dU;
        v += dV;
      }
      if (kVertex) {
        s = Modulate(s, ClampChannel(a), ClampChannel(r), ClampChannel(g), ClampChannel(bl));
        a += dA;
        r += dR;
        g += dG;
        bl += dB;
      }
      if (kGlobal) s = Modulate(s, gA, gR, gG, gB);
      if (kBlend || kTexAlpha) {
        uint32_t p = s >> 24;
        if (p == 0) continue;
        aRow[x] = Format::Pack(BlitPixel::OverWhite(Format::Unpack(aRow[x]), s, p));
      } else {
        aRow[x] = Format::Pack(s);
      }
    }
  }
}

template <size_t... I>
constexpr auto MakeTable(std::index_sequence<I...>) {
  struct Table {
    SWDrawTriFunc mFuncs[SWTRI_COUNT];
  };
  return Table{{&DrawTri<int(I)>...}};
}

}  // namespace

SWDrawTriFunc gDrawTriFunc[SWTRI_COUNT] = {};

// The whole table is registered by a static initialiser, before main runs.
namespace {
struct FillAtStart {
  FillAtStart() { SWTri_AddAllDrawTriFuncs(); }
} sm_FillAtStart;
}  // namespace

void SWTri_AddDrawTriFunc(int theIndex, SWDrawTriFunc theFunc) {
  if (theIndex >= 0 && theIndex < SWTRI_COUNT) gDrawTriFunc[theIndex] = theFunc;
}

void SWTri_AddAllDrawTriFuncs() {
  static const auto sm_Table = MakeTable(std::make_index_sequence<SWTRI_COUNT>());
  for (int i = 0; i < SWTRI_COUNT; ++i) SWTri_AddDrawTriFunc(i, sm_Table.mFuncs[i]);
}

}  // namespace SWHelper
}  // namespace Tesk

// The software rasteriser and the matrix and triangle blits built on it.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "BlitTestSupport.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"
#include "graphics/SWHelper.h"
#include "graphics/TeskMatrix3.h"

using namespace Tesk;
using namespace Tesk::SWHelper;

namespace {

TeskMatrix3 Identity() {
  TeskMatrix3 m;
  m.LoadIdentity();
  return m;
}

std::vector<uint32_t> Pattern(int theWidth, int theHeight) {
  std::vector<uint32_t> aPixels(size_t(theWidth) * theHeight);
  for (int i = 0; i < theWidth * theHeight; ++i) aPixels[i] = 0xFF000000 | uint32_t(i * 0x0B1D07 + 0x203040);
  return aPixels;
}

XYZStruct Vertex(float x, float y, uint32_t theDiffuse = 0xFFFFFFFF) {
  return XYZStruct{x, y, 0, 0, theDiffuse};
}

}  // namespace

TEST(SWTri, EveryTableEntryIsPresentAtStartUp) {
  for (int i = 0; i < SWTRI_COUNT; ++i) EXPECT_NE(gDrawTriFunc[i], nullptr) << i;
}

TEST(SWTri, TableIndex) {
  struct Case {
    bool textured, textureAlpha, vertexColours, globalColour;
    int format;
    bool blend;
    int want;
  };
  const Case kCases[] = {
      {false, false, false, false, 0x8888, false, 0}, {false, false, false, false, 0x8888, true, 1},
      {false, false, false, false, 0x888, true, 33},  {false, false, false, true, 0x8888, false, 2},
      {false, false, true, false, 0x8888, false, 4},  {true, true, false, false, 0x8888, false, 24},
      {true, false, false, false, 0x565, false, 80},  {true, true, true, true, 0x555, true, 127},
  };
  for (const Case& c : kCases)
    EXPECT_EQ(SWTriIndex(c.textured, c.textureAlpha, c.vertexColours, c.globalColour, c.format, c.blend),
              c.want);
}

TEST(SWTri, ClippingATriangle) {
  XYZStruct aPolygon[8];
  // Wholly left of the clip.
  EXPECT_LT(SWClipTriangle(Vertex(-9, 0), Vertex(-5, 3), Vertex(-7, 8), 0, 0, 10, 10, aPolygon), 3);
  // Inside: unchanged.
  ASSERT_EQ(SWClipTriangle(Vertex(1, 1), Vertex(5, 2), Vertex(3, 7), 0, 0, 10, 10, aPolygon), 3);
  EXPECT_EQ(aPolygon[1].x, 5);
  // Across the top-left corner: five vertices, three fan triangles.
  int n = SWClipTriangle(Vertex(-2, 5), Vertex(5, -2), Vertex(8, 8), 0, 0, 10, 10, aPolygon);
  ASSERT_EQ(n, 5);
  for (int i = 0; i < n; ++i) {
    EXPECT_GE(aPolygon[i].x, 0);
    EXPECT_GE(aPolygon[i].y, 0);
  }
}

TEST(SWTri, AStripOfFourCoversEachPixelOnce) {
  // Triangles (0, 1, 2) and (1, 3, 2) share the diagonal; a translucent colour
  // would show a pixel drawn twice or missed.
  std::vector<uint32_t> aPixels(16, 0xFF000000);
  const XYZStruct kStrip[4] = {Vertex(-0.5f, -0.5f), Vertex(3.5f, -0.5f), Vertex(-0.5f, 3.5f),
                               Vertex(3.5f, 3.5f)};
  SWDrawShape(kStrip, 4, nullptr, Color(255, 0, 0, 128), DRAWMODE_NORMAL, TRect<int>(0, 0, 4, 4),
              aPixels.data(), 16, 0x8888, false, false);
  EXPECT_EQ(aPixels, std::vector<uint32_t>(16, 0xFF7F0000));
}

TEST(MemoryImageMatrix, IdentityMatrixCopiesTheSource) {
  // Centre at (x - 0.5, y - 0.5): an 8x5 source at (4, 2.5) lands on pixels 0..7, 0..4.
  for (bool aBlend : {false, true}) {
    SCOPED_TRACE(aBlend ? "blend" : "no blend");
    MemoryImage aSrc(nullptr), aDest(nullptr);
    SetPixels(aSrc, 8, 5, Pattern(8, 5));
    FillPixels(aDest, 8, 5, 0xFF000000);
    aDest.BltMatrix(&aSrc, 4, 2.5f, Identity(), TRect<int>(0, 0, 8, 5), Color::White, DRAWMODE_NORMAL,
                    TRect<int>(0, 0, 8, 5), aBlend);
    std::vector<uint32_t> aGot = PixelsOf(aDest), aWant = Pattern(8, 5);
    for (size_t i = 0; i < aWant.size(); ++i) {
      SCOPED_TRACE(i);
      for (int aShift = 0; aShift < 32; aShift += 8) {
        int aDiff = int((aGot[i] >> aShift) & 0xFF) - int((aWant[i] >> aShift) & 0xFF);
        EXPECT_LE(aDiff * aDiff, 1);
      }
      if (!aBlend) {
        EXPECT_EQ(aGot[i], aWant[i]);
      }
    }
  }
}

TEST(MemoryImageMatrix, TexturesOfAnySizeAreSampledWithoutWrapping) {
  // A 3x3 texture and a sub-rectangle of a 5x3 one: the power-of-two masks would misread both.
  MemoryImage aSrc(nullptr), aDest(nullptr);
  SetPixels(aSrc, 5, 3, Pattern(5, 3));
  FillPixels(aDest, 3, 3, 0xFF000000);
  aDest.BltMatrix(&aSrc, 1.5f + 0.5f, 1.5f + 0.5f, Identity(), TRect<int>(0, 0, 3, 3), Color::White,
                  DRAWMODE_NORMAL, TRect<int>(2, 0, 3, 3), false);
  std::vector<uint32_t> aAll = Pattern(5, 3), aWant;
  for (int y = 0; y < 3; ++y)
    for (int x = 2; x < 5; ++x) aWant.push_back(aAll[y * 5 + x]);
  EXPECT_EQ(PixelsOf(aDest), aWant);
}

TEST(MemoryImageMatrix, FormatFollowsTheForcedAlphaFlags) {
  struct Case {
    const char* name;
    bool forceOpaque;
    uint32_t want;
  };
  const Case kCases[] = {
      {"computed flags: 0x8888 composes the alpha", false, 0x80FE7F3F},
      {"forced opaque: 0x888 writes alpha 255", true, 0xFF7F4020},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    MemoryImage aSrc(nullptr), aDest(nullptr);
    FillPixels(aSrc, 2, 2, 0x80FF8040);
    FillPixels(aDest, 2, 2, 0x00000000);
    if (c.forceOpaque) aDest.SetImageMode(false, false);
    aDest.BltMatrix(&aSrc, 1, 1, Identity(), TRect<int>(0, 0, 2, 2), Color::White, DRAWMODE_NORMAL,
                    TRect<int>(0, 0, 2, 2), false);
    EXPECT_EQ(PixelsOf(aDest), std::vector<uint32_t>(4, c.want));
  }
}

TEST(MemoryImageMatrix, TrianglesWithVertexColours) {
  MemoryImage aDest(nullptr);
  FillPixels(aDest, 4, 4, 0xFF000000);
  Image aNoTexture;
  // One triangle covering the upper-left half: pixel centres with x + y < 3.
  const TriVertex kTriangles[1][3] = {
      {{-0.5f, -0.5f, 0, 0, 0xFF00FF00}, {3.5f, -0.5f, 0, 0, 0xFF00FF00}, {-0.5f, 3.5f, 0, 0, 0xFF00FF00}}};
  aDest.BltTrianglesTex(&aNoTexture, kTriangles, 1, TRect<int>(0, 0, 4, 4), Color::White, DRAWMODE_NORMAL, 0,
                        0, false);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(PixelAt(aDest, x, y), x + y < 3 ? 0xFF00FF00u : 0xFF000000u) << x << "," << y;
  int aCount = aDest.mBitsChangedCount;
  aDest.BltTrianglesTex(&aNoTexture, kTriangles, 0, TRect<int>(0, 0, 4, 4), Color::White, DRAWMODE_NORMAL, 0,
                        0, false);
  EXPECT_EQ(aDest.mBitsChangedCount, aCount + 1);
}

TEST(MemoryImageMatrix, NothingIsWrittenOutsideTheClip) {
  MemoryImage aSrc(nullptr);
  std::vector<uint32_t> aPixels = Pattern(6, 4);
  aPixels[3] = 0x40102030;
  SetPixels(aSrc, 6, 4, aPixels);
  for (int aStep = 0; aStep < 12; ++aStep) {
    TeskMatrix3 m;
    m.LoadIdentity();
    float c = std::cos(aStep * 0.55f) * (1 + aStep % 3), s = std::sin(aStep * 0.55f) * (1 + aStep % 3);
    m.m[0][0] = c;
    m.m[0][1] = s;
    m.m[1][0] = -s;
    m.m[1][1] = c;
    for (float x : {-6.0f, 0.0f, 3.3f, 9.0f})
      for (bool aBlend : {false, true}) {
        MemoryImage aDest(nullptr);
        MakeGuarded(aDest, 7, 5, 2, 0xFF102030);
        aDest.BltMatrix(&aSrc, x + 2, x * 0.5f + 2, m, TRect<int>(2, 2, 7, 5), Color(100, 200, 50, 200),
                        DRAWMODE_NORMAL, TRect<int>(0, 0, 6, 4), aBlend);
        ExpectGuardsIntact(aDest, 2);
        MemoryImage aWhole(nullptr);
        FillPixels(aWhole, 5, 4, 0xFF000000);
        aWhole.BltMatrix(&aSrc, x, x, m, TRect<int>(-20, -20, 60, 60), Color::White, DRAWMODE_NORMAL,
                         TRect<int>(0, 0, 6, 4), aBlend);
        ASSERT_EQ(aWhole.mBits[20], MEMORYCHECK_ID);
      }
  }
}

// Lines against hand-traced pixels: midpoint steps, the placed-colour formula and Wu's weights.
#include <gtest/gtest.h>

#include <map>
#include <utility>
#include <vector>

#include "BlitTestSupport.h"
#include "graphics/DrawMode.h"
#include "graphics/MemoryImage.h"

using namespace Tesk;

namespace {

typedef std::map<std::pair<int, int>, uint32_t> PixelMap;

// Every pixel must be theBackground except those listed.
void ExpectPixels(MemoryImage& theImage, uint32_t theBackground, const PixelMap& theWant) {
  for (int y = 0; y < theImage.mHeight; ++y)
    for (int x = 0; x < theImage.mWidth; ++x) {
      auto anIt = theWant.find({x, y});
      uint32_t aWant = anIt == theWant.end() ? theBackground : anIt->second;
      EXPECT_EQ(PixelAt(theImage, x, y), aWant) << "at " << x << "," << y;
    }
}

}  // namespace

TEST(MemoryImageLine, AliasedLines) {
  struct Case {
    const char* name;
    double x1, y1, x2, y2;
    Color color;
    int mode;
    uint32_t background;
    PixelMap want;
  };
  const Case kCases[] = {
      {"upright line fills a rectangle",
       2.0,
       3.0,
       2.0,
       9.0,
       Color(1, 2, 3),
       DRAWMODE_NORMAL,
       0xFF000000,
       {{{2, 3}, 0xFF010203},
        {{2, 4}, 0xFF010203},
        {{2, 5}, 0xFF010203},
        {{2, 6}, 0xFF010203},
        {{2, 7}, 0xFF010203},
        {{2, 8}, 0xFF010203},
        {{2, 9}, 0xFF010203}}},
      {"level line, ends in either order",
       4.7,
       1.0,
       1.2,
       1.0,
       Color(9, 8, 7),
       DRAWMODE_NORMAL,
       0xFF000000,
       {{{1, 1}, 0xFF090807}, {{2, 1}, 0xFF090807}, {{3, 1}, 0xFF090807}, {{4, 1}, 0xFF090807}}},
      {"opaque white diagonal places 254",
       0,
       0,
       3,
       3,
       Color::White,
       DRAWMODE_NORMAL,
       0xFF000000,
       {{{0, 0}, 0xFFFEFEFE}, {{1, 1}, 0xFFFEFEFE}, {{2, 2}, 0xFFFEFEFE}, {{3, 3}, 0xFFFEFEFE}}},
      {"reversed ends draw the same",
       3,
       3,
       0,
       0,
       Color::White,
       DRAWMODE_NORMAL,
       0xFF000000,
       {{{0, 0}, 0xFFFEFEFE}, {{1, 1}, 0xFFFEFEFE}, {{2, 2}, 0xFFFEFEFE}, {{3, 3}, 0xFFFEFEFE}}},
      {"x-major steps",
       0,
       0,
       3,
       1,
       Color(0, 0, 255),
       DRAWMODE_NORMAL,
       0xFF000000,
       {{{0, 0}, 0xFF0000FE}, {{1, 0}, 0xFF0000FE}, {{2, 1}, 0xFF0000FE}, {{3, 1}, 0xFF0000FE}}},
      {"y-major going left",
       3,
       0,
       2,
       3,
       Color(0, 255, 0),
       DRAWMODE_NORMAL,
       0xFF000000,
       {{{3, 0}, 0xFF00FE00}, {{3, 1}, 0xFF00FE00}, {{2, 2}, 0xFF00FE00}, {{2, 3}, 0xFF00FE00}}},
      {"translucent red over blue",
       0,
       0,
       1,
       1,
       Color(255, 0, 0, 128),
       DRAWMODE_NORMAL,
       0xFF0000FF,
       {{{0, 0}, 0xFF7F007F}, {{1, 1}, 0xFF7F007F}}},
      {"additive saturates and sets alpha",
       0,
       0,
       3,
       1,
       Color(100, 0, 0),
       DRAWMODE_ADDITIVE,
       0x80C80000,
       {{{0, 0}, 0xFFFF0000}, {{1, 0}, 0xFFFF0000}, {{2, 1}, 0xFFFF0000}, {{3, 1}, 0xFFFF0000}}},
      {"additive colour weighed by its alpha",
       0,
       0,
       1,
       1,
       Color(200, 100, 50, 51),
       DRAWMODE_ADDITIVE,
       0x00101010,
       {{{0, 0}, 0xFF38241A}, {{1, 1}, 0xFF38241A}}},
      {"unknown mode draws nothing", 0, 0, 3, 3, Color::White, 2, 0xFF000000, {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    MemoryImage anImage(nullptr);
    FillPixels(anImage, 5, 10, c.background);
    anImage.DrawLine(c.x1, c.y1, c.x2, c.y2, c.color, c.mode);
    ExpectPixels(anImage, c.background, c.want);
  }
}

TEST(MemoryImageLine, AntiAliasedLines) {
  struct Case {
    const char* name;
    double x1, y1, x2, y2;
    Color color;
    uint32_t background;
    PixelMap want;
  };
  const Case kCases[] = {
      {"diagonal: full weight on the line, none beside",
       0,
       0,
       3,
       3,
       Color::White,
       0xFF000000,
       {{{0, 0}, 0xFFFEFEFE}, {{1, 1}, 0xFFFEFEFE}, {{2, 2}, 0xFFFEFEFE}, {{3, 3}, 0xFFFEFEFE}}},
      {"half slope splits between rows",
       0,
       0,
       4,
       2,
       Color::White,
       0xFF000000,
       {{{0, 0}, 0xFFFEFEFE},
        {{1, 0}, 0xFF7E7E7E},
        {{1, 1}, 0xFF7F7F7F},
        {{2, 1}, 0xFFFEFEFE},
        {{3, 1}, 0xFF7E7E7E},
        {{3, 2}, 0xFF7F7F7F},
        {{4, 2}, 0xFF7E7E7E}}},
      {"onto transparent the weight becomes alpha",
       0,
       0,
       4,
       2,
       Color::White,
       0x00000000,
       {{{0, 0}, 0xFFFEFEFE},
        {{1, 0}, 0x7FFEFEFE},
        {{1, 1}, 0x80FEFEFE},
        {{2, 1}, 0xFFFEFEFE},
        {{3, 1}, 0x7FFEFEFE},
        {{3, 2}, 0x80FEFEFE},
        {{4, 2}, 0x7FFEFEFE}}},
      {"steep and going left",
       2,
       0,
       0,
       4,
       Color::White,
       0xFF000000,
       {{{2, 0}, 0xFFFEFEFE},
        {{2, 1}, 0xFF7E7E7E},
        {{1, 1}, 0xFF7F7F7F},
        {{1, 2}, 0xFFFEFEFE},
        {{1, 3}, 0xFF7E7E7E},
        {{0, 3}, 0xFF7F7F7F},
        {{0, 4}, 0xFF7E7E7E}}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    MemoryImage anImage(nullptr);
    FillPixels(anImage, 5, 6, c.background);
    anImage.DrawLineAA(c.x1, c.y1, c.x2, c.y2, c.color, DRAWMODE_NORMAL);
    ExpectPixels(anImage, c.background, c.want);
  }
}

TEST(MemoryImageLine, AntiAliasedAdditiveDiagonalChangesNothingButIsMarked) {
  MemoryImage anImage(nullptr);
  FillPixels(anImage, 4, 4, 0xFF101010);
  int aCount = anImage.mBitsChangedCount;
  anImage.DrawLineAA(0, 0, 3, 2, Color::White, DRAWMODE_ADDITIVE);
  EXPECT_EQ(PixelsOf(anImage), std::vector<uint32_t>(16, 0xFF101010));
  EXPECT_EQ(anImage.mBitsChangedCount, aCount + 1);
}

TEST(MemoryImageLine, EndsOutsideTheImageWriteNothingOutside) {
  // The drawing context clips the ends; stray ends must still not reach past the pixels.
  const double kEnds[] = {-40.5, -1, 0, 2.5, 3.99, 4, 55};
  for (int aMode : {DRAWMODE_NORMAL, DRAWMODE_ADDITIVE})
    for (double x1 : kEnds)
      for (double y2 : kEnds) {
        MemoryImage anImage(nullptr);
        FillPixels(anImage, 4, 4, 0x80102030);
        anImage.DrawLine(x1, -3.5, 2.25, y2, Color(200, 10, 10, 100), aMode);
        anImage.DrawLineAA(x1, 7.5, 1.75, y2, Color(200, 10, 10, 100), aMode);
        anImage.DrawLine(x1, y2, 60, y2, Color(200, 10, 10, 100), aMode);
        ASSERT_EQ(anImage.mBits[16], MEMORYCHECK_ID);
      }
}

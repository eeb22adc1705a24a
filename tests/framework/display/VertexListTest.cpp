#include <gtest/gtest.h>

#include "display/PointClipper.h"
#include "display/PolyClip.h"
#include "display/VertexList.h"

namespace {

_D3DTLVERTEX V(float x, float y, float u = 0, float v = 0, uint32_t theColor = 0xFFFFFFFFu) {
  return _D3DTLVERTEX{x, y, 0.0f, 1.0f, theColor, 0, u, v};
}

VertexList Quad(float l, float t, float r, float b) {
  VertexList aList;
  aList.push_back(V(l, t, 0, 0));
  aList.push_back(V(l, b, 0, 1));
  aList.push_back(V(r, b, 1, 1));
  aList.push_back(V(r, t, 1, 0));
  return aList;
}

void ClipToRect(VertexList& theList, float l, float t, float r, float b) {
  VertexList aOut;
  PointClipper<std::less<float>>::ClipPoints(0, l, theList, aOut);
  theList.swap(aOut);
  aOut.clear();
  PointClipper<std::less<float>>::ClipPoints(1, t, theList, aOut);
  theList.swap(aOut);
  aOut.clear();
  PointClipper<std::greater_equal<float>>::ClipPoints(0, r, theList, aOut);
  theList.swap(aOut);
  aOut.clear();
  PointClipper<std::greater_equal<float>>::ClipPoints(1, b, theList, aOut);
  theList.swap(aOut);
}

TEST(VertexListTest, GrowsPastItsInlineStorage) {
  VertexList aList;
  for (int i = 0; i < 100; ++i) aList.push_back(V(float(i), 0));
  const _D3DTLVERTEX* anInline = aList.data();
  aList.push_back(V(100, 0));
  EXPECT_NE(aList.data(), anInline);
  EXPECT_EQ(aList.size(), 101);
  EXPECT_FLOAT_EQ(aList[100].sx, 100.0f);
  EXPECT_FLOAT_EQ(aList[37].sx, 37.0f);
  VertexList aCopy(aList);
  EXPECT_EQ(aCopy.size(), 101);
  EXPECT_FLOAT_EQ(aCopy[99].sx, 99.0f);
  VertexList& aSame = aCopy;
  aCopy = aSame;  // self-assignment keeps the vertices
  EXPECT_FLOAT_EQ(aCopy[99].sx, 99.0f);
  VertexList aSmall;
  aSmall = aList;
  EXPECT_EQ(aSmall.size(), 101);
  aSmall.clear();
  EXPECT_EQ(aSmall.size(), 0);
}

TEST(VertexListTest, CoordinatesAndInterpolation) {
  _D3DTLVERTEX a = V(1, 2, 3, 4, 0xFF0000FFu), b = V(11, 22, 33, 44, 0x00FF0000u);
  a.sz = 5;
  EXPECT_FLOAT_EQ(VertexList::GetCoord(a, 0), 1.0f);
  EXPECT_FLOAT_EQ(VertexList::GetCoord(a, 2), 5.0f);
  EXPECT_FLOAT_EQ(VertexList::GetCoord(a, 4), 4.0f);
  EXPECT_FLOAT_EQ(VertexList::GetCoord(a, 7), 0.0f);
  _D3DTLVERTEX m = VertexList::Interpolate(a, b, 0.5f);
  EXPECT_EQ(m.color, 0x7F7F007Fu);
  EXPECT_FLOAT_EQ(m.sx, 6.0f);
  EXPECT_FLOAT_EQ(m.tv, 24.0f);
  EXPECT_FLOAT_EQ(m.sz, 5.0f);  // z, rhw and specular stay those of the start
}

TEST(PolyClipTest, QuadInsideComesOutUnchangedInOrder) {
  VertexList aList = Quad(10, 10, 20, 20);
  ClipToRect(aList, 0, 0, 100, 100);
  ASSERT_EQ(aList.size(), 4);
  EXPECT_FLOAT_EQ(aList[0].sx, 10.0f);
  EXPECT_FLOAT_EQ(aList[0].sy, 10.0f);
  EXPECT_FLOAT_EQ(aList[2].sx, 20.0f);
  EXPECT_FLOAT_EQ(aList[2].sy, 20.0f);
}

TEST(PolyClipTest, QuadOutsideVanishes) {
  VertexList aList = Quad(200, 200, 220, 220);
  ClipToRect(aList, 0, 0, 100, 100);
  EXPECT_EQ(aList.size(), 0);
}

TEST(PolyClipTest, RightEdgeCountsAsOutside) {
  VertexList aList = Quad(90, 10, 110, 20);
  ClipToRect(aList, 0, 0, 100, 100);
  ASSERT_EQ(aList.size(), 4);
  float aMaxX = 0;
  for (int i = 0; i < aList.size(); ++i) aMaxX = std::max(aMaxX, aList[i].sx);
  EXPECT_FLOAT_EQ(aMaxX, 100.0f);
  for (int i = 0; i < aList.size(); ++i)
    if (aList[i].sx == 100.0f) {
      EXPECT_FLOAT_EQ(aList[i].tu, 0.5f);  // texture cut at the crossing
    }
  VertexList aPoint;
  aPoint.push_back(V(100, 50));
  aPoint.push_back(V(100, 60));
  aPoint.push_back(V(100, 70));
  ClipToRect(aPoint, 0, 0, 100, 100);
  EXPECT_EQ(aPoint.size(), 0);
}

TEST(PolyClipTest, TextureClipKeepsThePartInsideThePiece) {
  VertexList aList;
  aList.push_back(V(0, 0, -0.5f, 0.2f));
  aList.push_back(V(100, 0, 0.5f, 0.2f));
  aList.push_back(V(100, 10, 0.5f, 0.4f));
  DoPolyTextureClip(aList);
  ASSERT_GE(aList.size(), 3);
  for (int i = 0; i < aList.size(); ++i) {
    EXPECT_GE(aList[i].tu, 0.0f);
    if (aList[i].tu == 0.0f) {
      EXPECT_FLOAT_EQ(aList[i].sx, 50.0f);  // t = (0 - s) / (e - s)
    }
  }
}

}  // namespace

#include <gtest/gtest.h>

#include <cmath>

#include "graphics/Color.h"
#include "graphics/TPoint.h"
#include "graphics/TRect.h"
#include "graphics/TeskMatrix3.h"
#include "graphics/TeskTransform2D.h"
#include "graphics/TeskVector2.h"

using namespace Tesk;

TEST(Color, ConstructorsAndPacking) {
  struct Case {
    const char* name;
    Color color;
    int r, g, b, a;
  };
  const Case kCases[] = {
      {"default is opaque black", Color(), 0, 0, 0, 255},
      {"rgb is opaque", Color(1, 2, 3), 1, 2, 3, 255},
      {"rgba", Color(1, 2, 3, 4), 1, 2, 3, 4},
      {"packed alpha 0 reads opaque", Color(0x00123456), 0x12, 0x34, 0x56, 255},
      {"packed alpha kept", Color(static_cast<int>(0x80123456u)), 0x12, 0x34, 0x56, 0x80},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.color, Color(c.r, c.g, c.b, c.a));
  }
  const int kRGB[3] = {7, 8, 9};
  EXPECT_EQ(Color(kRGB), Color(7, 8, 9, 255));
  EXPECT_EQ(static_cast<uint32_t>(Color(static_cast<int>(0x80123456u)).ToInt()), 0x80123456u);
  // No masking: an out-of-range component spills into its neighbour.
  EXPECT_EQ(static_cast<uint32_t>(Color(256, 0, 0, 0).ToInt()), 0x01000000u);
  EXPECT_EQ(Color::White, Color(255, 255, 255, 255));
  EXPECT_EQ(Color::Black, Color(0, 0, 0, 255));
  EXPECT_NE(Color(1, 2, 3, 4), Color(1, 2, 3, 5));
}

TEST(TRect, EdgesAndIntersections) {
  TRect<int> a(0, 0, 10, 10);
  struct Case {
    TRect<int> other;
    bool intersects;
    TRect<int> intersection;
  };
  const Case kCases[] = {
      {TRect<int>(10, 0, 5, 5), false, TRect<int>(10, 0, 0, 5)},  // touching: zero width at the edge
      {TRect<int>(11, 0, 5, 5), false, TRect<int>(0, 0, 0, 0)},
      {TRect<int>(5, 5, 10, 10), true, TRect<int>(5, 5, 5, 5)},
      {TRect<int>(-5, -5, 20, 20), true, TRect<int>(0, 0, 10, 10)},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(::testing::Message() << c.other.mX << "," << c.other.mY << "," << c.other.mWidth);
    EXPECT_EQ(a.Intersects(c.other), c.intersects);
    EXPECT_EQ(a.Intersection(c.other), c.intersection);
  }
  EXPECT_TRUE(a.Contains(9, 0));
  EXPECT_FALSE(a.Contains(10, 0));
  EXPECT_FALSE(a.Contains(0, 10));
  EXPECT_FALSE(TRect<int>(0, 0, -3, 5).Contains(0, 0));

  TRect<int> b(1, 2, 3, 4);
  b.Offset(10, 20);
  EXPECT_EQ(b, TRect<int>(11, 22, 3, 4));
  tagRECT r = b.ToRECT();
  EXPECT_EQ(r.left, 11);
  EXPECT_EQ(r.top, 22);
  EXPECT_EQ(r.right, 14);
  EXPECT_EQ(r.bottom, 26);

  TRect<double> d(0.5, 0.5, 2.0, 2.0);
  EXPECT_EQ(d.Intersection(TRect<double>(1.5, 0, 5, 5)), TRect<double>(1.5, 0.5, 1.0, 2.0));
  EXPECT_EQ(TPoint<int>(1, 2) + TPoint<int>(3, 4), TPoint<int>(4, 6));
}

TEST(TeskVector2, Arithmetic) {
  TeskVector2 v(3, 4);
  EXPECT_FLOAT_EQ(v.Magnitude(), 5.0f);
  TeskVector2 d = v - TeskVector2(1, 1);
  EXPECT_FLOAT_EQ(d.x, 2);
  EXPECT_FLOAT_EQ(d.y, 3);
  TeskVector2 q = v / 2;
  EXPECT_FLOAT_EQ(q.x, 1.5f);
  v += TeskVector2(1, 1);
  v *= 2;
  v /= 4;
  EXPECT_FLOAT_EQ(v.x, 2);
  EXPECT_FLOAT_EQ(v.y, 2.5f);
}

TEST(TeskTransform2D, BuildersApplyInOrderAdded) {
  TeskTransform2D aRot;
  aRot.RotateRad(3.14159265f / 2);
  TeskVector2 p = aRot * TeskVector2(1, 0);
  EXPECT_NEAR(p.x, 0, 1e-6);
  EXPECT_NEAR(p.y, -1, 1e-6);

  TeskTransform2D aMove;
  aMove.Translate(5, 0);
  aMove.Scale(2, 2);
  TeskVector2 q = aMove * TeskVector2(0, 0);
  EXPECT_FLOAT_EQ(q.x, 10);
  EXPECT_FLOAT_EQ(q.y, 0);

  TeskMatrix3 m;
  m.LoadIdentity();
  m.m[2][0] = 2;
  TeskVector3 v = m * TeskVector3(1, 2, 3);
  EXPECT_FLOAT_EQ(v.x, 1);
  EXPECT_FLOAT_EQ(v.y, 2);
  EXPECT_FLOAT_EQ(v.z, 5);

  TeskMatrix3 a;
  a.LoadIdentity();
  a.m[0][1] = 3;
  TeskMatrix3 b;
  b.LoadIdentity();
  b.m[1][0] = 2;
  TeskMatrix3 ab = a * b;
  EXPECT_FLOAT_EQ(ab.m[0][0], 7);  // 1*1 + 3*2
  EXPECT_FLOAT_EQ(ab.m[1][0], 2);
  TeskTransform2D t = ab;
  EXPECT_FLOAT_EQ(t.m[0][1], 3);
}

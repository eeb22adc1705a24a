#include <gtest/gtest.h>

#include "RecordingImage.h"
#include "graphics/AnimInfo.h"
#include "graphics/Image.h"
#include "graphics/TeskMatrix3.h"

using namespace Tesk;

TEST(AnimInfo, Compute) {
  struct Case {
    const char* name;
    int type, frameDelay, numCels, begin, end;
    std::vector<int> perFrame;  // before Compute
    int wantCels, wantTotal;
    std::vector<int> wantPerFrame, wantMap;
  };
  const Case kCases[] = {
      {"ping-pong of one cel has no map", AnimType_PingPong, 7, 1, 0, 0, {}, 1, 7, {}, {}},
      {"begin delay", AnimType_Loop, 10, 3, 50, 0, {}, 3, 70, {50, 10, 10}, {}},
      {"ping-pong of four", AnimType_PingPong, 5, 4, 0, 0, {}, 6, 30, {}, {0, 1, 2, 3, 2, 1}},
      {"end delay and zero entries", AnimType_Once, 4, 3, 0, 9, {0, 2}, 3, 15, {4, 2, 9}, {}},
      {"no cels and bad delay raised to 1", AnimType_Once, 0, 0, 0, 0, {}, 1, 1, {}, {}},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    AnimInfo a;
    a.mAnimType = c.type;
    a.mFrameDelay = c.frameDelay;
    a.mPerFrameDelay = c.perFrame;
    a.Compute(c.numCels, c.begin, c.end);
    EXPECT_EQ(a.mNumCels, c.wantCels);
    EXPECT_EQ(a.mTotalAnimTime, c.wantTotal);
    EXPECT_EQ(a.mPerFrameDelay, c.wantPerFrame);
    EXPECT_EQ(a.mFrameMap, c.wantMap);
  }
  AnimInfo a;
  a.SetPerFrameDelay(2, 5);
  EXPECT_EQ(a.mPerFrameDelay, (std::vector<int>{0, 0, 5}));
}

TEST(Image, BaseDrawRectIsFourFillsAndScanLinesAreFills) {
  RecordingImage anImage(20, 20);
  anImage.DrawRect(TRect<int>(0, 0, 0, 0), Color(1, 2, 3), 1);
  Span kSpans[2] = {{4, 1, 3}, {5, 2, 0}};
  anImage.FillScanLines(kSpans, 2, Color::White, 0);
  const std::vector<std::string> kWant = {
      "FillRect 0,0,1,1 ff010203 1",  "FillRect 0,0,1,1 ff010203 1", "FillRect 0,1,1,-1 ff010203 1",
      "FillRect 0,1,1,-1 ff010203 1", "FillRect 1,4,3,1 ffffffff 0", "FillRect 2,5,0,1 ffffffff 0",
  };
  EXPECT_EQ(anImage.mCalls, kWant);
}

TEST(Image, BaseOperationsDrawNothing) {
  Image anImage;
  Image aSrc;
  TRect<int> r(0, 0, 1, 1);
  TeskMatrix3 m;
  m.LoadIdentity();
  TPoint<int> aPoints[3];
  EXPECT_FALSE(anImage.PolyFill3D(aPoints, 3, nullptr, Color::White, 0, 0, 0, true));
  anImage.FillRect(r, Color::White, 0);
  anImage.DrawRect(r, Color::White, 0);
  anImage.ClearRect(r);
  anImage.DrawLine(0, 0, 1, 1, Color::White, 0);
  anImage.DrawLineAA(0, 0, 1, 1, Color::White, 0);
  anImage.Blt(&aSrc, 0, 0, r, Color::White, 0);
  anImage.BltF(&aSrc, 0, 0, r, r, Color::White, 0);
  anImage.BltRotated(&aSrc, 0, 0, r, r, Color::White, 0, 1.0, 0, 0);
  anImage.StretchBlt(&aSrc, r, r, r, Color::White, 0, true);
  anImage.BltMatrix(&aSrc, 0, 0, m, r, Color::White, 0, r, false);
  anImage.BltMirror(&aSrc, 0, 0, r, Color::White, 0);
  EXPECT_EQ(anImage.GetWidth(), 0);
  EXPECT_EQ(anImage.GetHeight(), 0);
}

TEST(Image, CopyAttributesTakesGridAndDeepCopyOfAnimation) {
  Image aFrom;
  aFrom.mNumRows = 3;
  aFrom.mNumCols = 4;
  aFrom.mAnimInfo.reset(new AnimInfo());
  aFrom.mAnimInfo->mFrameMap = {0, 1};
  Image aTo;
  aTo.CopyAttributes(&aFrom);
  EXPECT_EQ(aTo.mNumRows, 3);
  EXPECT_EQ(aTo.mNumCols, 4);
  ASSERT_TRUE(aTo.mAnimInfo);
  EXPECT_NE(aTo.mAnimInfo.get(), aFrom.mAnimInfo.get());
  EXPECT_EQ(aTo.mAnimInfo->mFrameMap, aFrom.mAnimInfo->mFrameMap);
  Image aPlain;
  aTo.CopyAttributes(&aPlain);
  EXPECT_FALSE(aTo.mAnimInfo);
}

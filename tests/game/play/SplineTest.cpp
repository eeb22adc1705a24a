#include <gtest/gtest.h>

#include <cmath>

#include "core/MTRand.h"
#include "game/play/Spline.h"

using Tesk::TPoint;

namespace {

// The uniform quadratic B-spline on the span of points a, b, c at s in [0, 1).
TPoint<double> ClosedForm(const TPoint<double>& a, const TPoint<double>& b, const TPoint<double>& c,
                          double s) {
  const double w0 = 0.5 * (1 - s) * (1 - s), w1 = 0.5 + s - s * s, w2 = 0.5 * s * s;
  return TPoint<double>(w0 * a.mX + w1 * b.mX + w2 * c.mX, w0 * a.mY + w1 * b.mY + w2 * c.mY);
}

void SomePoints(TPoint<double>* p) {
  const double k_xy[6][2] = {{100, 50}, {300, 80}, {250, 400}, {600, 420}, {700, 100}, {400, 10}};
  for (int i = 0; i < 6; ++i) p[i] = TPoint<double>(k_xy[i][0], k_xy[i][1]);
}

}  // namespace

TEST(SplineTest, KnotsOfSixPointsOfOrderThree) {
  int aKnots[10] = {};
  computeIntervals(aKnots, 6, 3);
  const int k_expected[10] = {0, 0, 0, 1, 2, 3, 4, 5, 5, 5};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(aKnots[i], k_expected[i]) << i;
  Spline aSpline;
  for (int i = 0; i < 10; ++i) EXPECT_EQ(aSpline.mKnots[i], k_expected[i]) << i;
}

TEST(SplineTest, BlendsFormAPartitionOfUnityAndMatchTheClosedForm) {
  Spline aSpline;
  TPoint<double> p[6];
  SomePoints(p);
  // Six points cover [0, 4) whole; the last span would need a seventh.
  for (double v = 0.0; v < 4.0; v += 0.0625) {
    double aSum = 0.0;
    for (int i = 0; i < 6; ++i) aSum += splineBlend(i, 3, aSpline.mKnots, v);
    EXPECT_NEAR(aSum, 1.0, 1e-12) << v;
  }
  // The fairies travel on [2, 3): the span of points 2, 3 and 4, a uniform quadratic B-spline.
  for (double s = 0.0; s < 1.0; s += 0.03125) {
    TPoint<double> aPoint;
    splineComputePoint(aSpline.mKnots, 2.0 + s, p, aPoint);
    const TPoint<double> aWanted = ClosedForm(p[2], p[3], p[4], s);
    EXPECT_NEAR(aPoint.mX, aWanted.mX, 1e-9) << s;
    EXPECT_NEAR(aPoint.mY, aWanted.mY, 1e-9) << s;
  }
  // A zero span counts zero, not a division by it.
  EXPECT_EQ(splineBlend(0, 3, aSpline.mKnots, 0.5), 0.25);
  EXPECT_EQ(splineBlend(0, 1, aSpline.mKnots, 0.0), 0.0);
}

TEST(SplineTest, APathMovesOneSpanPer150UpdatesAndStaysContinuousAsPointsAreAdded) {
  Tesk::SRand(11);
  Spline aSpline;
  TPoint<double> p[6];
  SomePoints(p);
  aSpline.initFairySpline(p[0], p[1], p[2], p[3], p[4], p[5]);
  EXPECT_EQ(aSpline.mStep, static_cast<double>(1.0f / 150.0f));
  const double aStart = aSpline.mParameter - aSpline.mStep;
  EXPECT_GE(aStart, 2.0);
  EXPECT_LE(aStart, 2.44 + 1e-6);
  EXPECT_NEAR(aStart * 100.0, std::round(aStart * 100.0), 1e-4);  // steps of 0.01
  const TPoint<double> aFirst = ClosedForm(p[2], p[3], p[4], aStart - 2.0);
  EXPECT_NEAR(aSpline.mCurrentPoint.mX, aFirst.mX, 1e-9);
  EXPECT_EQ(aSpline.getNextPointX(), static_cast<int>(aSpline.mCurrentPoint.mX));
  EXPECT_EQ(aSpline.getLastPointX(), 400.0);
  EXPECT_EQ(aSpline.getLastPointY(), 10.0);

  int aSwaps = 0;
  TPoint<double> aLast = aSpline.mCurrentPoint;
  for (int i = 0; i < 1000; ++i) {
    if (aSpline.testIfNewPointsNeeded()) {
      TPoint<double> aNext(100.0 + 50 * i % 600, 80.0 + 13 * i % 400);
      aSpline.setNextPoints(aNext);
      EXPECT_EQ(aSpline.getLastPointX(), aNext.mX);
      EXPECT_LT(aSpline.mParameter, 3.0);
      ++aSwaps;
    }
    aSpline.update();
    // One step of 1/150 of a span moves the point by little: no jump at a new point.
    EXPECT_LT(std::hypot(aSpline.mCurrentPoint.mX - aLast.mX, aSpline.mCurrentPoint.mY - aLast.mY), 10.0)
        << i;
    aLast = aSpline.mCurrentPoint;
  }
  EXPECT_GE(aSwaps, 6);
  EXPECT_LE(aSwaps, 7);
}

#include "game/play/Spline.h"

#include "core/MTRand.h"

using Tesk::TPoint;

namespace {
// One control-point span per 150 updates, in single precision as the path always moved.
constexpr float k_fairyStep = 1.0f / 150.0f;
}  // namespace

void computeIntervals(int* theKnots, int theN, int theT) {
  for (int j = 0; j <= theN + theT; ++j) {
    if (j < theT)
      theKnots[j] = 0;
    else if (j <= theN)
      theKnots[j] = j - theT + 1;
    else
      theKnots[j] = theN - theT + 2;
  }
}

double splineBlend(int theK, int theT, int* theKnots, double theV) {
  if (theT == 1) return theKnots[theK] <= theV && theV < theKnots[theK + 1] ? 1.0 : 0.0;
  double aValue = 0.0;
  const int aLeftSpan = theKnots[theK + theT - 1] - theKnots[theK];
  const int aRightSpan = theKnots[theK + theT] - theKnots[theK + 1];
  if (aLeftSpan != 0)
    aValue += (theV - theKnots[theK]) / aLeftSpan * splineBlend(theK, theT - 1, theKnots, theV);
  if (aRightSpan != 0)
    aValue += (theKnots[theK + theT] - theV) / aRightSpan * splineBlend(theK + 1, theT - 1, theKnots, theV);
  return aValue;
}

void splineComputePoint(int* theKnots, double theV, TPoint<double>* theControl, TPoint<double>& theResult) {
  theResult = TPoint<double>(0.0, 0.0);
  for (int i = 0; i < Spline::k_numPoints; ++i) {
    const double aBlend = splineBlend(i, Spline::k_order, theKnots, theV);
    theResult.mX += theControl[i].mX * aBlend;
    theResult.mY += theControl[i].mY * aBlend;
  }
}

Spline::Spline() : mParameter(0.0), mStep(0.0) { computeIntervals(mKnots, k_numPoints, k_order); }

void Spline::initFairySpline(TPoint<double>& theP0, TPoint<double>& theP1, TPoint<double>& theP2,
                             TPoint<double>& theP3, TPoint<double>& theP4, TPoint<double>& theP5) {
  mControlPoints[0] = theP0;
  mControlPoints[1] = theP1;
  mControlPoints[2] = theP2;
  mControlPoints[3] = theP3;
  mControlPoints[4] = theP4;
  mControlPoints[5] = theP5;
  mParameter = 2.0 + Tesk::RandF(0.45f, 100.0f);
  mStep = k_fairyStep;
  computeNextB_SplinePoint();
}

void Spline::update() { computeNextB_SplinePoint(); }

bool Spline::testIfNewPointsNeeded() { return mParameter >= 3.0; }

void Spline::setNextPoints(TPoint<double>& thePoint) {
  mParameter -= 1.0;
  for (int i = 0; i < k_numPoints - 1; ++i) mControlPoints[i] = mControlPoints[i + 1];
  mControlPoints[k_numPoints - 1] = thePoint;
}

int Spline::getNextPointX() { return static_cast<int>(mCurrentPoint.mX); }

int Spline::getNextPointY() { return static_cast<int>(mCurrentPoint.mY); }

double Spline::getLastPointX() { return mControlPoints[k_numPoints - 1].mX; }

double Spline::getLastPointY() { return mControlPoints[k_numPoints - 1].mY; }

void Spline::computeNextB_SplinePoint() {
  splineComputePoint(mKnots, mParameter, mControlPoints, mCurrentPoint);
  mParameter += mStep;
}

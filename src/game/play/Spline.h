// The uniform quadratic B-spline of six control points that each fairy follows, extended one
// control point at a time so the path never ends.
#pragma once

#include "graphics/TPoint.h"

class Spline {
 public:
  static constexpr int k_numPoints = 6;
  static constexpr int k_order = 3;
  static constexpr int k_numKnots = 10;

  Spline();

  void initFairySpline(Tesk::TPoint<double>& theP0, Tesk::TPoint<double>& theP1, Tesk::TPoint<double>& theP2,
                       Tesk::TPoint<double>& theP3, Tesk::TPoint<double>& theP4, Tesk::TPoint<double>& theP5);
  // One step along the curve.
  void update();
  // The parameter has left the middle span: a new control point is due.
  bool testIfNewPointsNeeded();
  // Drops the first control point and appends thePoint, keeping the curve where it was.
  void setNextPoints(Tesk::TPoint<double>& thePoint);
  int getNextPointX();
  int getNextPointY();
  double getLastPointX();
  double getLastPointY();
  void computeNextB_SplinePoint();

  int mKnots[k_numKnots];
  Tesk::TPoint<double> mControlPoints[k_numPoints];
  Tesk::TPoint<double> mCurrentPoint;
  double mParameter;
  double mStep;
};

// The knots of theN + theT + 1 entries for an open uniform B-spline of order theT.
void computeIntervals(int* theKnots, int theN, int theT);
// The basis function N(k, t) at v by the Cox-de Boor recursion; a span of 0 counts 0.
double splineBlend(int theK, int theT, int* theKnots, double theV);
// The sum of N(i, 3, v) * P_i over the six control points.
void splineComputePoint(int* theKnots, double theV, Tesk::TPoint<double>* theControl,
                        Tesk::TPoint<double>& theResult);

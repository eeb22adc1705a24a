#pragma once
// How well a location hides its listed objects, measured on the files the game reads: the
// scene composed as the play scene draws it, and the play scene's own hit test (the last drawn
// object whose picture has a non-clear pixel there takes the click).
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "LocationCheck.h"

namespace GameAssets {

struct ObjectMeasure {
  size_t mRecord = 0;
  std::string mName;
  int mWidth = 0, mHeight = 0;  // the solid part of the picture (alpha of half or more)
  int mSolid = 0;               // its solid pixels
  int mClickable = 0;           // pixels of the picture that the hit test gives to it
  double mVisibleShare = 0;     // share of the solid pixels no later-drawn picture covers
  double mContrast = 0;         // CIE76 distance between its mean colour and its surroundings'
  double mSurroundDetail = 0;   // spread of lightness (L*) around it: how busy the place is
  double mNearest = 0;          // gap to the nearest other listed object, in its own widths
};

// The bounds every location keeps (the generator places within them; the tests hold them).
constexpr double k_minVisibleShare = 0.5;     // enough of it shows to be recognised
constexpr int k_minClickable = 200;           // and to be clicked without hunting for a pixel
constexpr double k_minContrast = 6.0;         // findable
constexpr double k_maxContrast = 38.0;        // not shouting
constexpr double k_minNearest = 0.6;          // never side by side with another listed object
constexpr double k_minPartlyHidden = 0.3;     // at least this share of the listed objects are partly covered
constexpr double k_partlyHiddenShare = 0.92;  // "partly covered": less than this share shows
// An object that shows nearly whole needs a busy place around it, not a flat field.
constexpr double k_wholeShare = 0.92;
constexpr double k_minDetailWhenWhole = 5.0;

// The CIE lightness L* (0 to 100) of an sRGB colour (0xRRGGBB, alpha ignored).
double Lightness(uint32_t theRgb);
// Adds the CIE L*a*b* of an sRGB colour (0xRRGGBB, alpha ignored) to theSum.
void AddLab(uint32_t theRgb, double theSum[3]);
// CIE76 distance between two mean colours, given as sums of L*a*b* over counts.
double MeanDistance(const double theSumA[3], int theCountA, const double theSumB[3], int theCountB);

// One measure per listed object (ordinary kinds), in record order.
std::vector<ObjectMeasure> MeasureLocation(const LocationFiles& theFiles);

// Empty when every measure of the location keeps the bounds above, else the first that does not.
std::string CheckMeasures(const LocationFiles& theFiles, const std::vector<ObjectMeasure>& theMeasures);

// The table the measuring tool prints for one location.
std::string MeasureTable(const LocationFiles& theFiles, const std::vector<ObjectMeasure>& theMeasures);

}  // namespace GameAssets

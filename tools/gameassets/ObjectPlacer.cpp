#include "ObjectPlacer.h"

#include <algorithm>
#include <cmath>

#include "LocationCheck.h"
#include "ObjectMeasure.h"

namespace GameAssets {

namespace {

constexpr int k_w = k_sceneWidth, k_h = k_sceneHeight;
constexpr int k_smallest = 25;
// A thing shows at most this much covered by the scenery in front of it.
constexpr double k_mostCovered = 0.38;

double ScaleAt(const Zone& z, double y) {
  if (z.mY1 == z.mY0) return z.mScale0;
  return z.mScale0 + (z.mScale1 - z.mScale0) * (y - z.mY0) / (z.mY1 - z.mY0);
}

// The scene's pieces in front, as one map: for each pixel the largest depth of a piece
// that shows there (-1: none). A piece hides what stands at its own depth or behind it.
std::vector<int> FrontDepths(const std::vector<SceneCover>& theCovers) {
  std::vector<int> aMap(static_cast<size_t>(k_w) * k_h, -1);
  for (const SceneCover& c : theCovers)
    for (int y = 0; y < c.mHeight; ++y)
      for (int x = 0; x < c.mWidth; ++x) {
        if ((c.mPixels[static_cast<size_t>(y) * c.mWidth + x] >> 24) == 0) continue;
        const int sx = c.mX + x, sy = c.mY + y;
        if (sx < 0 || sy < 0 || sx >= k_w || sy >= k_h) continue;
        int& d = aMap[static_cast<size_t>(sy) * k_w + sx];
        d = std::max(d, c.mDepth);
      }
  return aMap;
}

}  // namespace

double Gap(const Box& a, const Box& b) {
  const double dx = std::max({0.0, b.x - (a.x + a.w), a.x - (b.x + b.w)});
  const double dy = std::max({0.0, b.y - (a.y + a.h), a.y - (b.y + b.h)});
  return std::hypot(dx, dy);
}

void PieceShape::FindSolid() {
  mSolid.clear();
  const int aStep = std::max(1, std::max(mWidth, mHeight) / 48);
  for (int y = 0; y < mHeight; y += aStep)
    for (int x = 0; x < mWidth; x += aStep)
      if (mAlpha[static_cast<size_t>(y) * mWidth + x] >= 128)
        mSolid.push_back(
            {static_cast<float>(x + 0.5 - mWidth / 2.0), static_cast<float>(y + 0.5 - mHeight / 2.0)});
}

double PieceShape::MinSize() const {
  int aSolid = 0;
  for (uint8_t a : mAlpha) aSolid += a >= 128;
  const double aLong = std::max(mWidth, mHeight);
  const double aShare = aSolid / (aLong * aLong);
  return std::max<double>(k_smallest, std::sqrt(k_minClickable * 1.35 / std::max(0.05, aShare)));
}

ObjectPlacer::ObjectPlacer(const LocationDef& theDef, const SceneArt& theArt)
    : mDef(theDef), mArt(theArt), mFront(FrontDepths(theArt.mCovers)), mLightness(k_w * k_h) {
  for (size_t i = 0; i < mLightness.size(); ++i)
    mLightness[i] = static_cast<float>(Lightness(theArt.mPixels[i]));
}

bool ObjectPlacer::Place(HiddenPiece& p, const std::vector<HiddenPiece>& theOthers, Random& theRandom) const {
  std::vector<const Zone*> aZones;
  std::vector<double> aWeights;
  double aTotal = 0;
  for (const Zone& z : mDef.mZones) {
    if (!(z.mRest & p.mTraits.mRests)) continue;
    const double aWeight = (z.mX1 - z.mX0 + 10.0) * (z.mY1 - z.mY0 + 40.0);
    aZones.push_back(&z);
    aWeights.push_back(aWeight);
    aTotal += aWeight;
  }
  if (aZones.empty()) return false;
  // The rules loosen a little when a crowded scene leaves no room.
  for (int aRound = 0; aRound < 4; ++aRound) {
    const double aSpacing = 1.0 - 0.11 * aRound;
    double aBestScore = 1e9;
    HiddenPiece aBest;
    bool aFound = false;
    for (int aTry = 0; aTry < 700; ++aTry) {
      double aPick = theRandom.Unit() * aTotal;
      size_t aZone = 0;
      while (aZone + 1 < aZones.size() && aPick >= aWeights[aZone]) aPick -= aWeights[aZone++];
      const Zone& z = *aZones[aZone];
      HiddenPiece c;
      c.mZone = &z;
      c.mFootX = theRandom.Range(z.mX0, z.mX1 + 0.999);
      c.mFootY = z.mY0 == z.mY1 ? z.mY0 : theRandom.Range(z.mY0, z.mY1 + 0.999);
      if (!FootFits(z, c.mFootX, c.mFootY)) continue;
      c.mSize = std::max(p.mMinSize, p.mBaseSize * ScaleAt(z, c.mFootY) * theRandom.Range(0.94, 1.06));
      const bool isLying = p.mTraits.mLies && z.mRest != k_onWall;
      c.mRotate = isLying ? theRandom.Range(-0.45, 0.45) : theRandom.Range(-0.06, 0.06);
      c.mMirror = theRandom.Unit() < 0.35;
      const double aLong = std::max(p.mShape->mWidth, p.mShape->mHeight);
      const double k = c.mSize / aLong;  // scene pixels per source pixel
      const double sw = p.mShape->mWidth * k, sh = p.mShape->mHeight * k;
      const double cs = std::cos(c.mRotate), sn = std::sin(c.mRotate);
      const double w = sw * std::fabs(cs) + sh * std::fabs(sn), h = sw * std::fabs(sn) + sh * std::fabs(cs);
      // The turned solid part, about the picture's middle, as the renderer turns it.
      double x0 = 1e9, y0 = 1e9, x1 = -1e9, y1 = -1e9;
      for (const auto& [ux, uy] : p.mShape->mSolid) {
        const double px = (c.mMirror ? -ux : ux) * k, py = uy * k;
        const double rx = px * cs - py * sn, ry = px * sn + py * cs;
        x0 = std::min(x0, rx), x1 = std::max(x1, rx), y0 = std::min(y0, ry), y1 = std::max(y1, ry);
      }
      const double aTall = y1 - y0;
      if (z.mRoom > 0 && aTall > z.mRoom) continue;
      // A thing on the ground sinks a little into it; on a ledge it stands on the edge.
      const double aSink = z.mRest == k_onGround
                               ? aTall * 0.05
                               : (z.mRest == k_onWater ? aTall * 0.2 : (z.mRest == k_onWall ? 0 : 1));
      const double cx = c.mFootX - (x0 + x1) / 2, cy = c.mFootY + aSink - y1;
      c.mBody = {cx - w / 2, cy - h / 2, w, h};
      c.mSolid = {cx + x0, cy + y0, x1 - x0, y1 - y0};
      if (c.mBody.x < 6 || c.mBody.y < 6 || c.mBody.x + w > k_w - 8 || c.mBody.y + h > k_h - 10) continue;
      if (UnderACreature(c.mBody)) continue;
      c.mDepth = z.mDepth >= 0 ? z.mDepth : static_cast<int>(c.mFootY);
      if (!KeepsApart(p, c, theOthers, aSpacing)) continue;
      int aSolid = 0;
      double aWhole = 0;
      const double aCovered = CoveredShare(p, c, &aSolid, &aWhole);
      if (aCovered > k_mostCovered || aWhole > k_maxCoveredShare - 0.1) continue;
      if (p.mRole == PieceRole::Listed && aSolid * (1 - aCovered) < k_minClickable * 1.1) continue;
      // Shown nearly whole, a thing needs a busy place around it, not a flat field.
      if (p.mRole == PieceRole::Listed && aCovered < 1 - k_wholeShare + 0.12 &&
          Detail(c.mSolid) < k_minDetailWhenWhole + 1.5) {
        continue;
      }
      // Of the places that keep the rules, the one with the share of cover wanted, as far from
      // the others as may be: the things spread evenly and leave room for the rest.
      const double aScore = std::fabs(aCovered - p.mTarget) -
                            0.2 * std::min(1.0, NearestGap(p, c, theOthers) / 140) + theRandom.Unit() * 0.02;
      if (aScore < aBestScore) {
        aBestScore = aScore;
        aBest.mZone = c.mZone;
        aBest.mFootX = c.mFootX;
        aBest.mFootY = c.mFootY;
        aBest.mSize = c.mSize;
        aBest.mRotate = c.mRotate;
        aBest.mMirror = c.mMirror;
        aBest.mBody = c.mBody;
        aBest.mSolid = c.mSolid;
        aBest.mDepth = c.mDepth;
        aFound = true;
        if (aScore < -0.16) break;
      }
    }
    if (!aFound) continue;
    p.mZone = aBest.mZone;
    p.mFootX = aBest.mFootX;
    p.mFootY = aBest.mFootY;
    p.mSize = aBest.mSize;
    p.mRotate = aBest.mRotate;
    p.mMirror = aBest.mMirror;
    p.mBody = aBest.mBody;
    p.mSolid = aBest.mSolid;
    p.mDepth = aBest.mDepth;
    p.mPlaced = true;
    return true;
  }
  return false;
}

Rgb ObjectPlacer::PlaceColour(const Box& b) const {
  double s[3] = {0, 0, 0};
  int n = 0;
  const int m = static_cast<int>(std::max(b.w, b.h) * 0.4) + 4;
  for (int y = std::max(0, static_cast<int>(b.y) - m); y < std::min(k_h, static_cast<int>(b.y + b.h) + m);
       y += 2)
    for (int x = std::max(0, static_cast<int>(b.x) - m); x < std::min(k_w, static_cast<int>(b.x + b.w) + m);
         x += 2) {
      const uint32_t p = mArt.mPixels[static_cast<size_t>(y) * k_w + x];
      s[0] += ((p >> 16) & 0xFF) / 255.0;
      s[1] += ((p >> 8) & 0xFF) / 255.0;
      s[2] += (p & 0xFF) / 255.0;
      ++n;
    }
  if (n == 0) return {0.5, 0.5, 0.5};
  return {s[0] / n, s[1] / n, s[2] / n};
}

double ObjectPlacer::Contrast(const HiddenPiece& p) const {
  const std::vector<uint32_t> aPixels = p.mPicture->Pixels();
  const int w = p.mPicture->Width(), h = p.mPicture->Height();
  int x0 = w, y0 = h, x1 = -1, y1 = -1;
  for (int j = 0; j < h; ++j)
    for (int i = 0; i < w; ++i)
      if ((aPixels[static_cast<size_t>(j) * w + i] >> 24) >= 128)
        x0 = std::min(x0, i), x1 = std::max(x1, i), y0 = std::min(y0, j), y1 = std::max(y1, j);
  if (x1 < 0) return 0;
  const int aBand = std::max(6, std::max(x1 - x0 + 1, y1 - y0 + 1) / 3);
  double aIn[3] = {0, 0, 0}, aOut[3] = {0, 0, 0};
  int nIn = 0, nOut = 0;
  for (int j = y0 - aBand; j <= y1 + aBand; ++j)
    for (int i = x0 - aBand; i <= x1 + aBand; ++i) {
      const int sx = p.mX + i, sy = p.mY + j;
      if (sx < 0 || sy < 0 || sx >= k_w || sy >= k_h) continue;
      const size_t at = static_cast<size_t>(sy) * k_w + sx;
      const uint32_t b = mArt.mPixels[at];
      const uint32_t s = (i >= 0 && j >= 0 && i < w && j < h) ? aPixels[static_cast<size_t>(j) * w + i] : 0;
      const uint32_t a = s >> 24;
      if (a == 0) {
        AddLab(b, aOut);
        ++nOut;
      } else if (a >= 128 && mFront[at] < p.mDepth) {
        uint32_t v = 0;
        for (int k = 0; k <= 16; k += 8)
          v |= ((((s >> k) & 0xFF) * a + ((b >> k) & 0xFF) * (255 - a) + 127) / 255) << k;
        AddLab(v, aIn);
        ++nIn;
      }
    }
  return MeanDistance(aIn, nIn, aOut, nOut);
}

double ObjectPlacer::NearestGap(const HiddenPiece& p, const HiddenPiece& c,
                                const std::vector<HiddenPiece>& theOthers) const {
  double aGap = 1e9;
  for (const HiddenPiece& o : theOthers)
    if (o.mPlaced && &o != &p && o.mRole != PieceRole::Placeholder)
      aGap = std::min(aGap, Gap(c.mSolid, o.mSolid));
  return aGap;
}

// The place's creatures and flames are drawn over whatever is hidden under them.
bool ObjectPlacer::UnderACreature(const Box& b) const {
  for (const Area& a : mDef.mClear)
    if (b.x <= a.mX1 && a.mX0 <= b.x + b.w && b.y <= a.mY1 && a.mY0 <= b.y + b.h) return true;
  return false;
}

// The ground stops at the water's edge, and what floats stays well inside it.
bool ObjectPlacer::FootFits(const Zone& z, double x, double y) const {
  const Oval& o = mDef.mPond;
  if (o.mRx <= 0) return z.mRest != k_onWater;
  const double d = std::pow((x - o.mX) / o.mRx, 2) + std::pow((y - o.mY) / o.mRy, 2);
  if (z.mRest == k_onGround) return d > 1.0;
  if (z.mRest == k_onWater) return d < 0.62;
  return true;
}

// Listed things keep a whole width apart, so that none stands beside another; pickups less.
bool ObjectPlacer::KeepsApart(const HiddenPiece& p, const HiddenPiece& c,
                              const std::vector<HiddenPiece>& theOthers, double theSpacing) const {
  int aOnLedge = 0, aInLine = 0;
  for (const HiddenPiece& o : theOthers) {
    if (!o.mPlaced || &o == &p || o.mRole == PieceRole::Placeholder) continue;
    const bool isBothListed = p.mRole == PieceRole::Listed && o.mRole == PieceRole::Listed;
    // Feet at one height not far apart start a row.
    if (isBothListed && std::fabs(o.mFootY - c.mFootY) < std::max(6.0, c.mSolid.h * 0.3)) ++aInLine;
    const double aNeed = std::max(c.mSolid.w, o.mSolid.w) * (isBothListed ? 1.0 : 0.35) * theSpacing;
    if (Gap(c.mSolid, o.mSolid) < aNeed) return false;
    if (o.mZone == c.mZone) ++aOnLedge;
  }
  if (aInLine >= 2) return false;
  // A ledge holds a few things, never a row of them.
  const int aRoom = std::max(1, (c.mZone->mX1 - c.mZone->mX0 + 60) / 110);
  const bool isLine = c.mZone->mRest == k_onLedge || c.mZone->mRest == k_onBranch;
  return !isLine || aOnLedge < aRoom;
}

// The share of the shape's solid pixels that scenery in front of c's depth hides; and in
// theWhole the share of all its picture's pixels, its contact shadow too, as the check counts.
double ObjectPlacer::CoveredShare(const HiddenPiece& p, const HiddenPiece& c, int* theSolid,
                                  double* theWhole) const {
  const PieceShape& s = *p.mShape;
  const double aLong = std::max(s.mWidth, s.mHeight);
  const double k = aLong / c.mSize;  // source pixels per scene pixel
  const double cs = std::cos(c.mRotate), sn = std::sin(c.mRotate);
  const double cx = c.mBody.x + c.mBody.w / 2, cy = c.mBody.y + c.mBody.h / 2;
  const bool hasFoot = c.mZone->mRest != k_onWall;
  const double fx = c.mSolid.x + c.mSolid.w / 2, fy = c.mSolid.y + c.mSolid.h - 1,
               frx = c.mSolid.w * 0.44 + 2, fry = std::max(3.0, c.mBody.h * 0.08) + 2.5;
  int aSolid = 0, aCovered = 0, aAll = 0, anAllCovered = 0;
  const int aStep = c.mSize > 60 ? 2 : 1;
  for (int y = static_cast<int>(c.mBody.y); y < c.mBody.y + c.mBody.h + fry; y += aStep)
    for (int x = static_cast<int>(c.mBody.x); x < c.mBody.x + c.mBody.w; x += aStep) {
      // Back through the rotation into the source.
      const double dx = x + 0.5 - cx, dy = y + 0.5 - cy;
      const double ux = (dx * cs + dy * sn) * k * (c.mMirror ? -1 : 1) + s.mWidth / 2.0;
      const double uy = (-dx * sn + dy * cs) * k + s.mHeight / 2.0;
      const int sx = static_cast<int>(ux), sy = static_cast<int>(uy);
      const int a = (sx < 0 || sy < 0 || sx >= s.mWidth || sy >= s.mHeight)
                        ? 0
                        : s.mAlpha[static_cast<size_t>(sy) * s.mWidth + sx];
      const bool isShadow = hasFoot && std::pow((x - fx) / frx, 2) + std::pow((y - fy) / fry, 2) < 1;
      if (a == 0 && !isShadow) continue;
      const bool isHidden =
          x >= 0 && y >= 0 && x < k_w && y < k_h && mFront[static_cast<size_t>(y) * k_w + x] >= c.mDepth;
      ++aAll;
      anAllCovered += isHidden;
      if (a < 128) continue;
      ++aSolid;
      aCovered += isHidden;
    }
  *theSolid = aSolid * aStep * aStep;
  *theWhole = aAll == 0 ? 1.0 : static_cast<double>(anAllCovered) / aAll;
  return aSolid == 0 ? 1.0 : static_cast<double>(aCovered) / aSolid;
}

// How busy the painting is around a body: the spread of its lightness in a band around it.
double ObjectPlacer::Detail(const Box& b) const {
  const int aBand = std::max(6, static_cast<int>(std::max(b.w, b.h)) / 3);
  double aSum = 0, aSquares = 0;
  int n = 0;
  for (int y = std::max(0, static_cast<int>(b.y) - aBand);
       y < std::min(k_h, static_cast<int>(b.y + b.h) + aBand); y += 2)
    for (int x = std::max(0, static_cast<int>(b.x) - aBand);
         x < std::min(k_w, static_cast<int>(b.x + b.w) + aBand); x += 2) {
      if (x >= b.x && x < b.x + b.w && y >= b.y && y < b.y + b.h) continue;  // under the thing itself
      const double l = mLightness[static_cast<size_t>(y) * k_w + x];
      aSum += l;
      aSquares += l * l;
      ++n;
    }
  if (n == 0) return 0;
  const double aMean = aSum / n;
  return std::sqrt(std::max(0.0, aSquares / n - aMean * aMean));
}

}  // namespace GameAssets

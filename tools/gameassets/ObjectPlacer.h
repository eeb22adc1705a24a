#pragma once
// Where a location's hidden things go: each on a surface of the painting that could hold it
// (a floor, a shelf, a wall, a branch, the water), sized by the depth there, partly behind the
// scenery in front or in a busy place, never beside another listed thing nor in a row.
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "Canvas.h"
#include "Scenes.h"

namespace GameAssets {

struct Box {
  double x, y, w, h;
};

// The gap between two boxes (0 where they overlap).
double Gap(const Box& a, const Box& b);

// The shape a thing is placed by: its alpha at the source's own size.
struct PieceShape {
  std::vector<uint8_t> mAlpha;
  int mWidth = 0, mHeight = 0;
  // Solid pixels (alpha of half or more), a sample of them, from the middle of the shape.
  std::vector<std::pair<float, float>> mSolid;
  // Fills mSolid from mAlpha.
  void FindSolid();
  // The smallest size at which enough of it shows to be clicked: thin things are drawn larger.
  double MinSize() const;
};

enum class PieceRole { Listed, Pickup, Placeholder };

// One picture to hide: a part of a listed item, a pickup, or the placeholder.
struct HiddenPiece {
  std::string mName;
  uint8_t mGroup = 0;
  uint8_t mKind = 0;
  PieceRole mRole = PieceRole::Listed;
  uint32_t mCode = 0;  // the emoji; 0 for the runestone
  ItemTraits mTraits;
  double mBaseSize = 0;
  const PieceShape* mShape = nullptr;
  double mMinSize = 0;
  double mTarget = 0;  // the share of it the scenery should cover
  // Where it went.
  bool mPlaced = false;
  const Zone* mZone = nullptr;
  double mFootX = 0, mFootY = 0, mSize = 0, mRotate = 0;
  bool mMirror = false;
  Box mBody{0, 0, 0, 0};   // the turned picture's box
  Box mSolid{0, 0, 0, 0};  // its solid part's box: what stands on the foot and keeps apart
  int mDepth = 0;
  // Its picture and the record's position.
  std::unique_ptr<Canvas> mPicture;
  int mX = 0, mY = 0;
};

class ObjectPlacer {
 public:
  ObjectPlacer(const LocationDef& theDef, const SceneArt& theArt);

  // Finds a place for p among the others; false when none keeps the rules.
  bool Place(HiddenPiece& p, const std::vector<HiddenPiece>& theOthers, Random& theRandom) const;

  // The average colour of the painting around a body: the light it stands in.
  Rgb PlaceColour(const Box& b) const;

  // Contrast of p's picture at its place, as the measure has it: its solid pixels that the
  // scenery leaves in sight, over the painting, against the painting around them.
  double Contrast(const HiddenPiece& p) const;

 private:
  double NearestGap(const HiddenPiece& p, const HiddenPiece& c,
                    const std::vector<HiddenPiece>& theOthers) const;
  bool FootFits(const Zone& z, double x, double y) const;
  bool UnderACreature(const Box& b) const;
  bool KeepsApart(const HiddenPiece& p, const HiddenPiece& c, const std::vector<HiddenPiece>& theOthers,
                  double theSpacing) const;
  double CoveredShare(const HiddenPiece& p, const HiddenPiece& c, int* theSolid, double* theWhole) const;
  double Detail(const Box& b) const;

  const LocationDef& mDef;
  const SceneArt& mArt;
  std::vector<int> mFront;        // per pixel, the largest depth of the scenery in front there
  std::vector<float> mLightness;  // the painting's L*
};

}  // namespace GameAssets

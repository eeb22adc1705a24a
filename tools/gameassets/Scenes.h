#pragma once
// The twelve painted locations of Gloam Hollow, 660 x 600 each (the play area right of
// the side bar), what is hidden in them and where in the painting such things can be.
#include <cstdint>
#include <string>
#include <vector>

#include "Canvas.h"

namespace GameAssets {

constexpr int k_sceneWidth = 660;
constexpr int k_sceneHeight = 600;
constexpr int k_locationCount = 12;

// One find-list item: a picture of the emoji, in one difficulty group, of one or more parts.
struct ItemDef {
  const char* mName;
  uint32_t mCode;
  int mGroup;
  int mParts;
};

// Where a thing can be: its foot on a floor or the ground, on a ledge (a shelf, a table top,
// a sill, a wall's top), hung on a wall, up on a beam or branch, or afloat.
enum Rest : uint8_t { k_onGround = 1, k_onLedge = 2, k_onWall = 4, k_onBranch = 8, k_onWater = 16 };

// An ellipse of the painting: a pond, which the ground around it does not reach into.
struct Oval {
  double mX = 0, mY = 0, mRx = 0, mRy = 0;
};

// A place in the painting where things can be put: the foot of a thing anywhere in the
// rectangle (a ledge is a line), its size set by the depth there.
struct Zone {
  uint8_t mRest;
  int mX0, mX1;             // the foot's x
  int mY0, mY1;             // the foot's y
  double mScale0, mScale1;  // a thing's size at mY0 and at mY1: smaller further back
  int mDepth;               // drawing order, nearer is more; -1: the foot's y
  int mRoom;                // the tallest thing that fits (0: any)
};

// A rectangle of the painting, edges included.
struct Area {
  int mX0, mY0, mX1, mY1;
};

struct LocationDef {
  int mId;
  const char* mName;
  Rgb mLight;         // the light the hidden things take on
  double mDusk;       // how far the place's darkness and colour draw them in (0 to 1)
  std::vector<ItemDef> mItems;
  std::vector<Zone> mZones;
  Oval mPond;
  // Where the place's own creatures and flames are drawn over everything: nothing hides there.
  std::vector<Area> mClear;
};

// How big a thing is beside the others, where it can be, and whether it may lie at a slant.
struct ItemTraits {
  double mSize = 1.0;
  uint8_t mRests = k_onGround | k_onLedge;
  bool mLies = false;
};
ItemTraits TraitsOf(uint32_t theCode);

const std::vector<LocationDef>& Locations();
const LocationDef& LocationById(int theId);

// A piece of the painting in front of whatever stands behind theDepth: its pixels as the
// finished painting has them, clear around its shape.
struct SceneCover {
  int mX = 0, mY = 0, mWidth = 0, mHeight = 0;
  int mDepth = 0;
  std::vector<uint32_t> mPixels;
};

struct SceneArt {
  std::vector<uint32_t> mPixels;  // the whole painting, covers included
  std::vector<SceneCover> mCovers;
};

// Paints location theId's background into a 660 x 600 canvas.
void PaintScene(int theId, Canvas& theCanvas);
// The same painting with the pieces of it that stand in front of hidden things.
SceneArt PaintSceneArt(int theId);

}  // namespace GameAssets

#pragma once
// The twelve painted locations of Gloam Hollow, 660 x 600 each (the play area right of
// the side bar), and what is hidden in them.
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

// A line in the painting that things can rest on: a shelf, a table top, a wall's top.
struct Surface {
  int mX0, mX1, mY;
};

struct LocationDef {
  int mId;
  const char* mName;
  Rgb mLight;        // the light the hidden things take on
  int mTop;          // hidden things stay below this line
  std::vector<ItemDef> mItems;
  uint32_t mCovers[2];  // scenery drawn over the things behind it
  std::vector<Surface> mSurfaces;
};

const std::vector<LocationDef>& Locations();
const LocationDef& LocationById(int theId);

// Paints location theId's background into a 660 x 600 canvas.
void PaintScene(int theId, Canvas& theCanvas);

}  // namespace GameAssets

#pragma once
// Where the map screen puts each location (index = location id - 1), in map coordinates
// (the screen's x minus 140): the pictures and markers of both maps, the highlight
// buttons, the name plates and the hit boxes.
namespace GameAssets {

struct MapSpot {
  int mPictureX, mPictureY, mMarkerX, mMarkerY;  // first map
  int mTreasureX, mTreasureY, mTreasureMarkerX, mTreasureMarkerY;  // second map
  int mHoverX, mHoverY;
  int mNameX, mNameY;
  int mBoxX, mBoxY, mBoxW, mBoxH;
};

inline const MapSpot& MapSpotAt(int theIndex) {
  static const MapSpot kSpots[12] = {
      {45, 381, 112, 412, 44, 342, 64, 406, 34, 376, 73, 456, 29, 397, 155, 116},
      {416, 204, 439, 238, 345, 174, 336, 204, 408, 192, 337, 250, 329, 227, 153, 58},
      {203, 287, 268, 330, 206, 243, 267, 307, 202, 269, 309, 342, 251, 290, 131, 89},
      {178, 244, 215, 254, 173, 210, 177, 218, 167, 232, 176, 293, 128, 254, 162, 57},
      {244, 224, 267, 178, 243, 194, 233, 130, 242, 191, 210, 176, 209, 159, 95, 89},
      {454, 278, 476, 293, 421, 214, 552, 249, 448, 255, 425, 294, 425, 282, 237, 80},
      {534, 192, 618, 198, 456, 122, 560, 147, 507, 138, 552, 234, 526, 149, 128, 127},
      {524, 383, 496, 415, 431, 350, 564, 413, 526, 355, 478, 365, 476, 365, 184, 148},
      {0, 259, 84, 306, 48, 199, 53, 290, 29, 224, 41, 342, 0, 257, 141, 127},
      {0, 168, 128, 194, 71, 98, 176, 151, 41, 91, 35, 194, 0, 153, 184, 100},
      {163, 425, 299, 492, 156, 409, 321, 487, 197, 378, 422, 431, 214, 421, 256, 143},
      {438, 198, 430, 160, 381, 139, 384, 114, 433, 181, 352, 175, 357, 152, 142, 71},
  };
  return kSpots[theIndex];
}

// A rectangle in map coordinates.
struct MapRect {
  int mX, mY, mW, mH;
  int Right() const { return mX + mW; }
  int Bottom() const { return mY + mH; }
};

// Where the first map paints a location: the part of its hit box right of and below its
// picture point, trimmed where a neighbour's box or name label begins, so that what a player
// sees there is what a click there enters. Windward Ruins and the Haunted Attic keep their
// labels and seals above the picture point, so theirs are low strips reaching a little past
// their boxes into ground no other place claims.
inline const MapRect& MapPictureArea(int theIndex) {
  static const MapRect kAreas[12] = {
      {45, 397, 139, 116},   // Wyrm Cellar
      {416, 230, 66, 52},    // Clockmaker's Loft: below the attic, above the cavern's box
      {266, 312, 116, 67},   // Owlwood Path: clear of Millbrook's box and label
      {178, 258, 112, 53},   // Millbrook Farm
      {244, 224, 84, 29},    // Windward Ruins
      {454, 284, 186, 66},   // Crystal Cavern: well above the chapel's label
      {534, 192, 120, 80},   // Vesper's Library
      {524, 383, 132, 95},   // Chapel Yard: above the compass in the corner
      {0, 259, 141, 123},    // The Dungeon
      {0, 168, 184, 84},     // Willow Pond
      {214, 425, 256, 137},  // Castle Ramparts
      {438, 198, 88, 29},    // Haunted Attic
  };
  return kAreas[theIndex];
}

// Whether the first map's name plate of a location is set in two lines whatever its width: the
// Haunted Attic's plate stands left of its low picture, and a taller plate meets it side by side.
inline bool MapPlateInTwoLines(int theIndex) { return theIndex == 11; }

// The first map's picture image of a location: from its picture point to the far corner of
// its area (the part above and left of the area stays clear).
inline void MapPictureSize(int theIndex, int* theWidth, int* theHeight) {
  const MapSpot& s = MapSpotAt(theIndex);
  const MapRect& a = MapPictureArea(theIndex);
  *theWidth = a.Right() - s.mPictureX;
  *theHeight = a.Bottom() - s.mPictureY;
}

// The second map's picture of a location, which is also the chapter intro's picture of it: wide
// enough to reach its number seal, and where two button points lie closer than a picture, the
// later one (drawn and hit above the earlier) covers only a corner of the earlier.
inline void TreasurePictureSize(int theIndex, int* theWidth, int* theHeight) {
  static const int kSizes[12][2] = {{108, 84}, {76, 84},  {110, 88},  {66, 70},  {94, 49},  {144, 90},
                                    {116, 88}, {144, 96}, {112, 100}, {116, 84}, {180, 96}, {75, 50}};
  *theWidth = kSizes[theIndex][0];
  *theHeight = kSizes[theIndex][1];
}

}  // namespace GameAssets

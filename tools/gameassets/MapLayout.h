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

// The first map's picture of a location: from its point to about the end of its hit box.
inline void MapPictureSize(int theIndex, int* theWidth, int* theHeight) {
  const MapSpot& s = MapSpotAt(theIndex);
  int w = s.mBoxX + s.mBoxW - s.mPictureX, h = s.mBoxY + s.mBoxH - s.mPictureY;
  w = w < 64 ? 64 : (w > 150 ? 150 : w);
  h = h < 56 ? 56 : (h > 120 ? 120 : h);
  if (s.mPictureX + w > 660) w = 660 - s.mPictureX;
  if (s.mPictureY + h > 600) h = 600 - s.mPictureY;
  *theWidth = w;
  *theHeight = h;
}

}  // namespace GameAssets

// The hidden objects of the twelve locations, as the generator builds them and the game reads
// them: each listed object stands on a surface its scene names, keeps the measured bounds
// (enough of it in sight to click, findable but not shouting, partly covered or in a busy
// place, never beside another listed object), the scenery in front is cut from the painting
// itself, and no location lists a thing that its painting, its creatures or another of its
// items copies.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "LocationBuilder.h"
#include "LocationCheck.h"
#include "ObjectMeasure.h"
#include "Quantizer.h"
#include "Scenes.h"

namespace {

using GameAssets::LocationFiles;

// The locations built once per test binary, through the bytes of the files the game reads.
const std::vector<LocationFiles>& Built() {
  static const std::vector<LocationFiles> sFiles = [] {
    std::vector<LocationFiles> aFiles;
    for (int anId = 1; anId <= GameAssets::k_locationCount; ++anId) {
      GameAssets::BuiltLocation aBuilt;
      std::string anError;
      if (!GameAssets::BuildLocation(anId, &aBuilt, &anError)) ADD_FAILURE() << anError;
      LocationFiles f;
      f.mId = anId;
      if (!GameAssets::ReadObjectRecords(TeskTools::ObjectRecordsBytes(aBuilt.mFiles.mRecords), &f.mRecords,
                                         &anError) ||
          !GameAssets::ReadBlock(TeskTools::ImageBlockBytes(aBuilt.mFiles.mImages), &f.mImages, &anError))
        ADD_FAILURE() << anError;
      aFiles.push_back(f);
    }
    return aFiles;
  }();
  return sFiles;
}

// The bounds of a picture's solid pixels (alpha of half or more): x0, y0, x1, y1 inclusive.
struct Solid {
  int x0 = 1 << 20, y0 = 1 << 20, x1 = -1, y1 = -1;
};
Solid SolidOf(const TeskTools::BlockImage& theImage) {
  Solid s;
  const std::vector<uint32_t> p = GameAssets::Expand(theImage);
  for (int y = 0; y < theImage.mHeight; ++y)
    for (int x = 0; x < theImage.mWidth; ++x)
      if ((p[static_cast<size_t>(y) * theImage.mWidth + x] >> 24) >= 128) {
        s.x0 = std::min(s.x0, x), s.x1 = std::max(s.x1, x), s.y0 = std::min(s.y0, y),
        s.y1 = std::max(s.y1, y);
      }
  return s;
}

TEST(HiddenObjects, EveryLocationKeepsTheHidingBounds) {
  for (const LocationFiles& f : Built()) {
    SCOPED_TRACE(f.mId);
    EXPECT_EQ(GameAssets::CheckLocation(f), "");
    const std::vector<GameAssets::ObjectMeasure> aMeasures = GameAssets::MeasureLocation(f);
    EXPECT_GE(aMeasures.size(), 18u);
    EXPECT_EQ(GameAssets::CheckMeasures(f, aMeasures), "") << GameAssets::MeasureTable(f, aMeasures);
  }
}

// A thing's foot is the bottom middle of its solid pixels; it lies in a zone of its scene
// where such a thing can be: never up in the sky.
TEST(HiddenObjects, EveryListedObjectRestsOnASurfaceItsSceneNames) {
  int aChecked = 0;
  for (const LocationFiles& f : Built()) {
    const GameAssets::LocationDef& aDef = GameAssets::LocationById(f.mId);
    for (size_t i = 0; i < f.mRecords.size(); ++i) {
      const TeskTools::ObjectRecord& r = f.mRecords[i];
      if (r.mKind >= 85) continue;
      SCOPED_TRACE("location " + std::to_string(f.mId) + " " + r.mName);
      uint32_t aCode = 0;
      for (const GameAssets::ItemDef& anItem : aDef.mItems)
        if (r.mName == anItem.mName) aCode = anItem.mCode;
      ASSERT_NE(aCode, 0u);
      const uint8_t aRests = GameAssets::TraitsOf(aCode).mRests;
      const Solid s = SolidOf(f.mImages[i + 1]);
      const double x = r.mX + (s.x0 + s.x1) / 2.0, y = r.mY + s.y1, h = s.y1 - s.y0 + 1;
      const GameAssets::Oval& o = aDef.mPond;
      auto InPond = [&](double theScale) {
        return o.mRx > 0 &&
               std::pow((x - o.mX) / o.mRx, 2) + std::pow((y - h * 0.2 - o.mY) / o.mRy, 2) < theScale;
      };
      bool isOnOne = false;
      for (const GameAssets::Zone& z : aDef.mZones) {
        if (!(z.mRest & aRests) || x < z.mX0 - 6 || x > z.mX1 + 6) continue;
        switch (z.mRest) {
          case GameAssets::k_onGround:
            isOnOne = isOnOne || (y >= z.mY0 - h * 0.05 - 6 && y <= z.mY1 + 4 && !InPond(0.9));
            break;
          case GameAssets::k_onWater:
            isOnOne = isOnOne || InPond(1.0);
            break;
          default:  // a ledge, a branch or a wall: the foot on its line or within its height
            isOnOne = isOnOne || (y >= z.mY0 - 6 && y <= z.mY1 + 6);
            break;
        }
      }
      EXPECT_TRUE(isOnOne) << "foot at " << x << "," << y;
      ++aChecked;
    }
  }
  EXPECT_GT(aChecked, 12 * 18);
}

// The creatures and flames a location draws over everything (the snoring tree at the pond,
// the candle flames in the library) have nothing hidden under them.
TEST(HiddenObjects, NothingIsHiddenWhereTheSceneDrawsItsCreatures) {
  int anAreas = 0;
  for (const LocationFiles& f : Built()) {
    for (const GameAssets::Area& a : GameAssets::LocationById(f.mId).mClear) {
      ++anAreas;
      for (size_t i = 0; i < f.mRecords.size(); ++i) {
        const TeskTools::ObjectRecord& r = f.mRecords[i];
        if (r.mKind == 'X' || r.mKind == 'W') continue;
        const Solid s = SolidOf(f.mImages[i + 1]);
        const bool isUnder =
            r.mX + s.x0 <= a.mX1 && a.mX0 <= r.mX + s.x1 && r.mY + s.y0 <= a.mY1 && a.mY0 <= r.mY + s.y1;
        EXPECT_FALSE(isUnder) << "location " << f.mId << " " << r.mName;
      }
    }
  }
  EXPECT_GE(anAreas, 5);
}

// Scenery in front of hidden things is the painting's own: where a piece is opaque it shows
// what the background shows there, so that it hides without a seam.
TEST(HiddenObjects, SceneryInFrontIsCutFromThePaintingBehindIt) {
  int aPieces = 0;
  for (const LocationFiles& f : Built()) {
    const std::vector<uint32_t> aBack = GameAssets::Expand(f.mImages[0]);
    for (size_t i = 0; i < f.mRecords.size(); ++i) {
      if (f.mRecords[i].mKind != 'X') continue;
      SCOPED_TRACE("location " + std::to_string(f.mId) + " piece " + std::to_string(i));
      const TeskTools::BlockImage& anImage = f.mImages[i + 1];
      const std::vector<uint32_t> p = GameAssets::Expand(anImage);
      double aDifference = 0;
      int anOpaque = 0;
      for (int y = 0; y < anImage.mHeight; ++y)
        for (int x = 0; x < anImage.mWidth; ++x) {
          const uint32_t v = p[static_cast<size_t>(y) * anImage.mWidth + x];
          if ((v >> 24) != 255) continue;
          const uint32_t b = aBack[static_cast<size_t>(f.mRecords[i].mY + y) * 660 + f.mRecords[i].mX + x];
          for (int k = 0; k <= 16; k += 8)
            aDifference += std::abs(static_cast<int>((v >> k) & 0xFF) - static_cast<int>((b >> k) & 0xFF));
          ++anOpaque;
        }
      if (anOpaque == 0) continue;
      EXPECT_LT(aDifference / (3.0 * anOpaque), 14.0);  // both palettised and dithered apart
      ++aPieces;
    }
  }
  EXPECT_GE(aPieces, 12 * 3);
}

// Names a player would take for one another, and things a location's painting or its
// creatures show: the list never asks for one while the scene shows the other.
TEST(HiddenObjects, NoLocationListsALookAlikeOfItsSceneryOrOfAnotherItem) {
  const std::vector<std::pair<std::string, std::string>> kAlike = {
      {"Fountain Pen", "Pen Nib"},  {"Potion Vial", "Alembic"}, {"Books", "Open Book"}, {"Urn", "Amphora"},
      {"Money Bag", "Purse"},       {"Bird", "Dove"},           {"Bird", "Rooster"},    {"Thread", "Yarn"},
      {"Thread", "Needle"},         {"Leaf", "Clover"},         {"Herbs", "Clover"},    {"Herbs", "Leaf"},
      {"Dagger", "Crossed Swords"}, {"Pickaxe", "Axe"}};
  struct Scenery {
    int mId;
    const char* mShows;  // an item the painting or a creature of the place already shows
  };
  const Scenery kScenery[] = {{2, "Painting"},   {2, "Mantel Clock"}, {2, "Candle"},    {7, "Candle"},
                              {7, "Books"},      {6, "Gem"},          {8, "Headstone"}, {8, "Moon Charm"},
                              {3, "Moon Charm"}, {1, "Spider"},       {6, "Spider"},    {7, "Spider"},
                              {9, "Spider"},     {12, "Spider"}};
  for (const GameAssets::LocationDef& aDef : GameAssets::Locations()) {
    SCOPED_TRACE(aDef.mName);
    std::set<std::string> aNames;
    for (const GameAssets::ItemDef& anItem : aDef.mItems) aNames.insert(anItem.mName);
    for (const auto& [a, b] : kAlike) EXPECT_FALSE(aNames.count(a) && aNames.count(b)) << a << " and " << b;
    for (const Scenery& s : kScenery) {
      if (s.mId != aDef.mId) continue;
      EXPECT_EQ(aNames.count(s.mShows), 0u) << s.mShows;
    }
  }
}

// Small scenes made here: a background, square pictures (each with its clear margin) and
// scenery, drawn and hit-tested in render order as the play scene does.
TeskTools::BlockImage Square(int theSide, uint32_t theColour) {
  TeskTools::BlockImage anImage;
  anImage.mWidth = anImage.mHeight = theSide + 2;
  anImage.mPalette = {0, theColour};
  anImage.mIndices.assign(static_cast<size_t>(anImage.mWidth) * anImage.mHeight, 0);
  for (int y = 1; y <= theSide; ++y)
    for (int x = 1; x <= theSide; ++x) anImage.mIndices[static_cast<size_t>(y) * anImage.mWidth + x] = 1;
  return anImage;
}

struct Piece {
  int x, y, mSide;
  uint8_t mKind;  // 'X' for scenery
  uint32_t mColour;
};

// Pieces in render order over a background of fine grey checks (or one flat grey).
LocationFiles Scene(const std::vector<Piece>& thePieces, bool isFlat = false) {
  LocationFiles f;
  f.mId = 99;
  TeskTools::BlockImage aBack;
  aBack.mWidth = 660;
  aBack.mHeight = 600;
  aBack.mPalette = {0xFF6A6A6A, 0xFF8A8A8A};
  aBack.mIndices.assign(660 * 600, 0);
  for (int y = 0; y < 600 && !isFlat; ++y)
    for (int x = 0; x < 660; ++x)
      aBack.mIndices[static_cast<size_t>(y) * 660 + x] = ((x / 3 + y / 3) % 2) != 0;
  f.mImages.push_back(aBack);
  for (size_t i = 0; i < thePieces.size(); ++i) {
    TeskTools::ObjectRecord r;
    r.mName = thePieces[i].mKind == 'X' ? "Scenery" : "Thing" + std::to_string(i);
    r.mKind = thePieces[i].mKind;
    r.mRenderOrder = static_cast<uint8_t>(i);
    r.mX = static_cast<uint16_t>(thePieces[i].x);
    r.mY = static_cast<uint16_t>(thePieces[i].y);
    f.mRecords.push_back(r);
    f.mImages.push_back(Square(thePieces[i].mSide, thePieces[i].mColour));
  }
  return f;
}

constexpr uint32_t k_red = 0xFFC02020, k_blue = 0xFF2020C0, k_calm = 0xFF7A6858;

TEST(HiddenObjects, TheMeasureFollowsTheHitTestAndTheGaps) {
  struct Case {
    const char* mWhat;
    std::vector<Piece> mPieces;  // the first is measured; later ones are drawn over it
    bool isFlat;
    double mShare, mNearest;  // of the first, the gap in its widths
  };
  const Case kCases[] = {
      {"apart, a width and a half between",
       {{100, 100, 20, 1, k_red}, {150, 100, 20, 2, k_blue}},
       true,
       1.0,
       1.5},
      {"half under a listed square drawn later",
       {{100, 100, 20, 1, k_red}, {110, 100, 20, 2, k_blue}},
       true,
       0.5,
       0.0},
      {"a quarter under scenery",
       {{100, 100, 20, 1, k_red}, {90, 110, 20, 'X', k_blue}},
       true,
       0.75,
       1e9 / 20},
      {"a corner gap of three and four",
       {{100, 100, 20, 1, k_red}, {123, 124, 20, 2, k_blue}},
       true,
       1.0,
       0.25},
      {"a part of the same item counts as a neighbour",
       {{100, 100, 20, 1, k_red}, {130, 100, 20, 1, k_red}},
       true,
       1.0,
       0.5},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mWhat);
    const LocationFiles f = Scene(c.mPieces, c.isFlat);
    const std::vector<GameAssets::ObjectMeasure> m = GameAssets::MeasureLocation(f);
    ASSERT_FALSE(m.empty());
    EXPECT_EQ(m[0].mWidth, 20);
    EXPECT_EQ(m[0].mSolid, 400);
    EXPECT_NEAR(m[0].mVisibleShare, c.mShare, 1e-9);
    EXPECT_EQ(m[0].mClickable, static_cast<int>(c.mShare * 400));
    EXPECT_NEAR(m[0].mNearest, c.mNearest, 1e-6);
    EXPECT_GT(m[0].mContrast, 30.0);  // red on grey
  }
  // Around a square on flat grey nothing varies; on the checks the lightness spreads.
  EXPECT_NEAR(GameAssets::MeasureLocation(Scene({{100, 100, 20, 1, k_red}}, true))[0].mSurroundDetail, 0.0,
              1e-6);
  EXPECT_GT(GameAssets::MeasureLocation(Scene({{100, 100, 20, 1, k_red}}, false))[0].mSurroundDetail, 5.0);
}

// A sound little scene: four calm squares far apart on the checks, three of them a quarter
// behind scenery. Each damage to it is named by the check.
TEST(HiddenObjects, TheCheckNamesEachFault) {
  const std::vector<Piece> kSound = {{100, 100, 24, 1, k_calm},  {300, 100, 24, 2, k_calm},
                                     {100, 300, 24, 3, k_calm},  {300, 300, 24, 4, k_calm},
                                     {88, 113, 24, 'X', k_blue}, {288, 113, 24, 'X', k_blue},
                                     {88, 313, 24, 'X', k_blue}};
  ASSERT_EQ(GameAssets::CheckMeasures(Scene(kSound), GameAssets::MeasureLocation(Scene(kSound))), "");
  struct Case {
    const char* mWhat;
    void (*mDamage)(std::vector<Piece>&, bool*);
    const char* mNamed;
  };
  const Case kCases[] = {
      {"one beside another", [](std::vector<Piece>& p, bool*) { p[3].x = p[1].x + 30, p[3].y = p[1].y; },
       "widths from another"},
      {"one glaring", [](std::vector<Piece>& p, bool*) { p[0].mColour = 0xFFFFFF00; }, "contrast"},
      {"one the colour of its place", [](std::vector<Piece>& p, bool*) { p[3].mColour = 0xFF7A7A7A; },
       "contrast"},
      {"one a speck", [](std::vector<Piece>& p, bool*) { p[3].mSide = 10; }, "clickable pixels"},
      {"one mostly behind scenery", [](std::vector<Piece>& p, bool*) { p[4].x = 100, p[4].y = 108; },
       "shows"},
      {"no scenery in front of any", [](std::vector<Piece>& p, bool*) { p.resize(4); }, "partly covered"},
      {"one whole on a flat place", [](std::vector<Piece>&, bool* isFlat) { *isFlat = true; }, "flat place"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mWhat);
    std::vector<Piece> p = kSound;
    bool isFlat = false;
    c.mDamage(p, &isFlat);
    const LocationFiles f = Scene(p, isFlat);
    const std::string aProblem = GameAssets::CheckMeasures(f, GameAssets::MeasureLocation(f));
    EXPECT_NE(aProblem.find(c.mNamed), std::string::npos) << aProblem;
  }
}

}  // namespace

// The game's generated resource set: every resource id of every group bound through the
// real resource manager, from loose files and from main.pak; the blocks the screens read;
// every location through the checker; the same bytes on every run.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "GameAssetSet.h"
#include "LocationCheck.h"
#include "MapLayout.h"
#include "framework/resources/ResourceLoadFixture.h"
#include "resources/ImageLib.h"
#include "support/TestTemp.h"

namespace {

namespace fs = std::filesystem;

enum class Kind { Image, Font, Sound };
struct IdCase {
  const char* mGroup;
  Kind mKind;
  const char* mId;
};

// The game's 123 resource ids, in its numbering, with their groups.
const IdCase kIds[] = {
    {"Init", Kind::Image, "IMAGE_DEZADUDE_LOGO"},
    {"Constants", Kind::Font, "FONT_TITLE_OPTIONS"},       {"Constants", Kind::Font, "FONT_SMALL"},
    {"Constants", Kind::Font, "FONT_MEDIUM"},              {"Constants", Kind::Font, "FONT_INTRO_TEXT"},
    {"Constants", Kind::Font, "FONT_TIME"},                {"Constants", Kind::Sound, "SFX_ERROR"},
    {"Constants", Kind::Sound, "SFX_PROFILE_DELETED"},     {"Constants", Kind::Sound, "SFX_HOVER_GENERAL"},
    {"Constants", Kind::Sound, "SFX_SELECT_PRESS"},        {"Constants", Kind::Sound, "SFX_START_GAME"},
    {"Constants", Kind::Sound, "SFX_BACK_PRESS"},          {"Constants", Kind::Sound, "SFX_POPUPBOX_APPEAR"},
    {"Constants", Kind::Sound, "SFX_CHECK"},               {"Constants", Kind::Sound, "SFX_HINT"},
    {"Constants", Kind::Sound, "SFX_MAP_HOVER"},           {"Constants", Kind::Sound, "SFX_MAP_ENTER"},
    {"Constants", Kind::Sound, "SFX_MAP_ENTER_LOC"},       {"Constants", Kind::Sound, "SFX_OBJECT_FOUND"},
    {"Constants", Kind::Sound, "SFX_OBJECT_SET_FOUND"},    {"Constants", Kind::Sound, "SFX_MISPRESS"},
    {"Constants", Kind::Sound, "SFX_MISPRESS_MULTIPLE"},   {"Constants", Kind::Sound, "SFX_REPEL"},
    {"Constants", Kind::Sound, "SFX_REPEL_CLICK"},         {"Constants", Kind::Sound, "SFX_REPEL_COMPLETED"},
    {"Constants", Kind::Sound, "SFX_REVEAL"},              {"Constants", Kind::Sound, "SFX_REPEL_RECHARGED"},
    {"Constants", Kind::Sound, "SFX_COIN"},                {"Constants", Kind::Sound, "SFX_TIMER_LOW_CLICK"},
    {"Constants", Kind::Sound, "SFX_LEVEL_FAILED_SOUND"},  {"Constants", Kind::Sound, "SFX_GRADE_UP"},
    {"Constants", Kind::Sound, "SFX_MINIGAME_PASSED"},     {"Constants", Kind::Sound, "AMBIENT_BOOK_FLAP"},
    {"Constants", Kind::Sound, "AMBIENT_EARTHQUAKE"},
    {"Main", Kind::Image, "IMAGE_SIDE_MENU"},              {"Main", Kind::Image, "IMAGE_SIDE_MENU_HOVER"},
    {"Main", Kind::Image, "IMAGE_SIDE_REPEL"},             {"Main", Kind::Image, "IMAGE_SIDE_REPEL_HOVER"},
    {"Main", Kind::Image, "IMAGE_SIDE_REPEL_INACTIVE"},    {"Main", Kind::Image, "IMAGE_SIDE_REVEAL"},
    {"Main", Kind::Image, "IMAGE_SIDE_REVEAL_INACTIVE"},   {"Main", Kind::Image, "IMAGE_SIDE_MAP"},
    {"Main", Kind::Image, "IMAGE_SIDE_MAP_HOVER"},         {"Main", Kind::Image, "IMAGE_SIDE_CRYSTAL_BALL_GLOW"},
    {"Main", Kind::Image, "IMAGE_SIDE_REPEL_CHARGEBAR_BACK"}, {"Main", Kind::Image, "IMAGE_SIDE_REPEL_CHARGEBAR_FILL"},
    {"Main", Kind::Image, "IMAGE_SIDE_DIVIDER"},           {"Main", Kind::Image, "IMAGE_INGAME_RUNESTONE"},
    {"Main", Kind::Image, "IMAGE_REVEAL_ICON"},            {"Main", Kind::Image, "IMAGE_REVEAL_ICON_HOVER"},
    {"Main", Kind::Image, "IMAGE_REVEAL_ICON_WINK"},       {"Main", Kind::Image, "IMAGE_SIDE_BAR"},
    {"Main", Kind::Image, "IMAGE_CHECKBOX"},               {"Main", Kind::Image, "IMAGE_SLIDER_TRACK"},
    {"Main", Kind::Image, "IMAGE_SLIDER_THUMB"},           {"Main", Kind::Image, "IMAGE_OPTIONS_BOTTOM_BUTTON"},
    {"Main", Kind::Image, "IMAGE_OPTIONS_BOTTOM_BUTTON_HI"}, {"Main", Kind::Image, "IMAGE_OPTIONS_BUTTON_SMALL"},
    {"Main", Kind::Image, "IMAGE_OPTIONS_BUTTON_SMALL_HI"}, {"Main", Kind::Image, "IMAGE_OPTIONS_BUTTON_MED"},
    {"Main", Kind::Image, "IMAGE_OPTIONS_BUTTON_MED_HI"},  {"Main", Kind::Image, "IMAGE_OPTIONS_BUTTON_LARGE"},
    {"Main", Kind::Image, "IMAGE_OPTIONS_BUTTON_LARGE_HI"}, {"Main", Kind::Image, "ANIM_BOOK1"},
    {"Main", Kind::Image, "ANIM_BOOK2"},                   {"Main", Kind::Image, "ANIM_BOOK3"},
    {"Main", Kind::Image, "ANIM_BLUE_BOOK1"},              {"Main", Kind::Image, "ANIM_BLUE_BOOK2"},
    {"Main", Kind::Image, "ANIM_BLUE_BOOK3"},              {"Main", Kind::Image, "ANIM_SPOTLIGHT"},
    {"Main", Kind::Image, "ANIM_FIRE1"},
    {"Story", Kind::Image, "IMAGE_STORY_BACK_TOP"},        {"Story", Kind::Image, "IMAGE_STORY_BACK_BOTTOM"},
    {"Story", Kind::Image, "IMAGE_SCROLL"},                {"Story", Kind::Image, "IMAGE_END_OF_GAME"},
    {"Story", Kind::Image, "IMAGE_RUNESTONE"},             {"Story", Kind::Sound, "SFX_RUNE_DESTROY"},
    {"TitleScreen", Kind::Image, "IMAGE_TITLE_BACK"},      {"TitleScreen", Kind::Image, "IMAGE_TITLE_COVER"},
    {"TitleScreen", Kind::Image, "IMAGE_TITLE_PLAY_HIGH"}, {"TitleScreen", Kind::Image, "IMAGE_TITLE_OPTION_HIGH"},
    {"TitleScreen", Kind::Image, "IMAGE_TITLE_EXIT_HIGH"}, {"TitleScreen", Kind::Image, "IMAGE_TITLE_ANIM_BG"},
    {"TitleScreen", Kind::Sound, "SFX_WIND"},              {"TitleScreen", Kind::Sound, "SFX_THUNDER"},
    {"TitleScreen", Kind::Sound, "SFX_THUNDER2"},
    {"HowToPlay", Kind::Image, "IMAGE_HTP_INGAME_1"},      {"HowToPlay", Kind::Image, "IMAGE_HTP_INGAME_2"},
    {"HowToPlay", Kind::Image, "IMAGE_HTP_INGAME_3"},      {"HowToPlay", Kind::Image, "IMAGE_HTP_INGAME_4"},
    {"HowToPlay", Kind::Image, "IMAGE_HTP_INGAME_5"},      {"HowToPlay", Kind::Image, "IMAGE_HTP_INGAME_6"},
    {"HowToPlay", Kind::Image, "IMAGE_HTP_INGAME_7"},      {"HowToPlay", Kind::Image, "IMAGE_HTP_POTION_1"},
    {"HowToPlay", Kind::Image, "IMAGE_HTP_POTION_2"},      {"HowToPlay", Kind::Image, "IMAGE_HTP_POTION_3"},
    {"HowToPlay", Kind::Image, "IMAGE_HTP_POTION_4"},      {"HowToPlay", Kind::Image, "IMAGE_HTP_CHANT_1"},
    {"HowToPlay", Kind::Image, "IMAGE_HTP_CHANT_2"},       {"HowToPlay", Kind::Image, "IMAGE_HTP_CHANT_3"},
    {"HowToPlay", Kind::Image, "IMAGE_HTP_CHANT_4"},       {"HowToPlay", Kind::Image, "IMAGE_CORNER_TOP_BIG"},
    {"HowToPlay", Kind::Image, "IMAGE_CORNER_TOP_SMALL"},  {"HowToPlay", Kind::Image, "IMAGE_CORNER_BOTTOM_BIG"},
    {"HowToPlay", Kind::Image, "IMAGE_CORNER_BOTTOM_SMALL"},
    {"Map", Kind::Image, "MAP_LOC01_HOVER"},               {"Map", Kind::Image, "MAP_LOC02_HOVER"},
    {"Map", Kind::Image, "MAP_LOC03_HOVER"},               {"Map", Kind::Image, "MAP_LOC04_HOVER"},
    {"Map", Kind::Image, "MAP_LOC05_HOVER"},               {"Map", Kind::Image, "MAP_LOC06_HOVER"},
    {"Map", Kind::Image, "MAP_LOC07_HOVER"},               {"Map", Kind::Image, "MAP_LOC08_HOVER"},
    {"Map", Kind::Image, "MAP_LOC09_HOVER"},               {"Map", Kind::Image, "MAP_LOC10_HOVER"},
    {"Map", Kind::Image, "MAP_LOC11_HOVER"},               {"Map", Kind::Image, "MAP_LOC12_HOVER"},
    {"MiniGame", Kind::Sound, "SFX_MATCH_CONNECT"},        {"MiniGame", Kind::Sound, "SFX_MATCH_UNCONNECT"},
    {"MiniGame", Kind::Sound, "SFX_MATCH_SHUFFLE"},        {"MiniGame", Kind::Sound, "SFX_CHANT_CLICK"},
    {"MiniGame", Kind::Sound, "SFX_CHANT_BACK"},           {"MiniGame", Kind::Sound, "SFX_CHANT_WORD_SWAP"},
};
const char* const kGroups[] = {"Init", "Constants", "Main", "Story", "TitleScreen", "HowToPlay", "Map", "MiniGame",
                               "LevelIntro"};

// The whole set, written once per test binary by the generator's own code.
const std::string& SetDir() {
  static const std::string sDir = [] {
    const std::string aDir = TeskTest::MakeTempDir("game-assets");
    std::string anError;
    GameAssets::WriteOptions anOptions;
    anOptions.mBroken = true;
    if (!GameAssets::WriteGameAssets(aDir, anOptions, &anError)) ADD_FAILURE() << anError;
    return aDir;
  }();
  return sDir;
}

class GameAssetSetTest : public ResourceTest::ResourceLoadFixture {
 protected:
  // Loads every group and checks that each of the 123 ids is bound.
  void ExpectEveryIdBound() {
    ASSERT_TRUE(mManager->ParseResourcesFile("properties/resources.xml")) << mManager->GetErrorText();
    for (const char* aGroup : kGroups) EXPECT_TRUE(mManager->LoadResources(aGroup)) << aGroup << ": " << mManager->GetErrorText();
    int aBound = 0;
    for (const IdCase& c : kIds) {
      SCOPED_TRACE(c.mId);
      bool anOk = false;
      try {
        switch (c.mKind) {
          case Kind::Image:
            anOk = static_cast<Tesk::Image*>(mManager->GetImageThrow(c.mId)) != nullptr;
            break;
          case Kind::Font:
            anOk = mManager->GetFontThrow(c.mId) != nullptr;
            break;
          case Kind::Sound:
            anOk = mManager->GetSoundThrow(c.mId) >= 0;
            break;
        }
      } catch (const Tesk::ResourceManagerException&) {
      }
      EXPECT_TRUE(anOk);
      aBound += anOk;
      EXPECT_GT(mManager->GetNumResources(c.mGroup), 0) << c.mGroup;
    }
    EXPECT_EQ(aBound, 123);
  }
};

TEST(GameAssetIds, TheTableHoldsAllOneHundredAndTwentyThree) {
  EXPECT_EQ(sizeof(kIds) / sizeof(kIds[0]), 123u);
}

TEST_F(GameAssetSetTest, EveryIdIsBoundFromLooseFiles) {
  Stop();
  Start(SetDir());
  ExpectEveryIdBound();
}

TEST_F(GameAssetSetTest, EveryIdIsBoundFromTheArchive) {
  Stop();
  const std::string aDir = TeskTest::MakeTempDir("game-assets-pak");
  fs::copy_file(SetDir() + "/main.pak", aDir + "/main.pak");
  Start(aDir);
  ASSERT_FALSE(fs::exists("images"));
  ASSERT_TRUE(mPak->AddPakFile("main.pak"));
  ExpectEveryIdBound();
}

TEST(GameAssetBlocks, TheReadersFindTheCountsTheScreensUse) {
  struct Case {
    const char* mPath;
    int mCount;
  };
  const Case kCases[] = {{"builddata/animsblock.tgab", 25},     {"builddata/titleblock.tgab", 4},
                         {"builddata/levelintroblock.tgab", 4}, {"builddata/mapblock.tgab", 40},
                         {"builddata/map2block.tgab", 12},      {"builddata/minigameblock.tgab", 18},
                         {"builddata/minigameblock2.tgab", 92}};
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mPath);
    std::vector<ImageLib::Image*> anImages(128, nullptr);
    const int n = ImageLib::GetImageBlock(SetDir() + "/" + c.mPath, anImages.data(), 128);
    EXPECT_EQ(n, c.mCount);
    for (int i = 0; i < n; ++i) delete anImages[i];
  }
  // The chant tiles fit the game's 71 x 47 cells with room to jitter.
  std::vector<TeskTools::BlockImage> aChant;
  std::string anError;
  ASSERT_TRUE(GameAssets::ReadBlock(TeskTest::ReadFile(SetDir() + "/builddata/minigameblock2.tgab"), &aChant,
                                    &anError))
      << anError;
  for (size_t i = 2; i < aChant.size(); ++i) {
    EXPECT_LT(aChant[i].mWidth, 64) << i;
    EXPECT_LE(aChant[i].mHeight, 40) << i;
  }
}

// On the first map a location's number seal stands beside some name labels: no label reaches
// under its seal, where the number would hide the name.
TEST(GameAssetBlocks, NoMapNameLabelRunsUnderItsNumberSeal) {
  std::vector<TeskTools::BlockImage> aMap;
  std::string anError;
  ASSERT_TRUE(
      GameAssets::ReadBlock(TeskTest::ReadFile(SetDir() + "/builddata/mapblock.tgab"), &aMap, &anError))
      << anError;
  ASSERT_GE(aMap.size(), 38u);
  int aChecked = 0;
  for (int i = 0; i < 12; ++i) {
    const GameAssets::MapSpot& s = GameAssets::MapSpotAt(i);
    // The seal's drawn circle: x from 3 to 27 of its 30-pixel cell, bobbing 3 pixels.
    const int aSealLeft = s.mMarkerX + 3, aSealTop = s.mMarkerY, aSealBottom = s.mMarkerY + 30;
    for (int aGlow = 0; aGlow < 2; ++aGlow) {
      const TeskTools::BlockImage& aPlate = aMap[static_cast<size_t>(14 + 12 * aGlow + i)];
      const bool isBeside = aSealLeft > s.mNameX && aSealTop < s.mNameY + aPlate.mHeight && aSealBottom > s.mNameY;
      if (!isBeside) continue;
      EXPECT_LE(s.mNameX + aPlate.mWidth, aSealLeft) << "location " << i + 1;
      ++aChecked;
    }
  }
  EXPECT_GE(aChecked, 2);  // Crystal Cavern's at least, plain and glowing
}

TEST(GameAssetLocations, EveryLocationPassesTheCheck) {
  EXPECT_EQ(GameAssets::CheckResourceFolder(SetDir()), "");
  for (int anId = 1; anId <= 12; ++anId) {
    char aName[64];
    std::snprintf(aName, sizeof(aName), "/builddata/l%02dblock.tgab", anId);
    std::vector<ImageLib::Image*> anImages(128, nullptr);
    const int n = ImageLib::GetImageBlock(SetDir() + aName, anImages.data(), 128);
    std::snprintf(aName, sizeof(aName), "/builddata/l%02dobjs.dat", anId);
    EXPECT_EQ(static_cast<size_t>(n), TeskTest::ReadFile(SetDir() + aName).size() / 27 + 1) << anId;
    for (int i = 0; i < n; ++i) delete anImages[i];
  }
}

// Each damage to a sound location is named by the checker.
TEST(GameAssetLocations, TheCheckNamesEachFault) {
  GameAssets::LocationFiles aGood;
  std::string anError;
  ASSERT_TRUE(GameAssets::ReadLocation(SetDir(), 7, &aGood, &anError)) << anError;
  ASSERT_EQ(aGood.mId, 7);
  ASSERT_EQ(GameAssets::CheckLocation(aGood), "");
  auto IndexOf = [&](uint8_t theKind) {
    for (size_t i = 0; i < aGood.mRecords.size(); ++i)
      if (aGood.mRecords[i].mKind == theKind) return i;
    return size_t{0};
  };
  // A cover drawn after others and solid in its middle, and a coin drawn before it: scenery
  // stands at its own depth among the things, in front of some and behind others.
  auto SolidMiddle = [&](size_t i) {
    const TeskTools::BlockImage& anImage = aGood.mImages[i + 1];
    for (int y = anImage.mHeight / 2 - 15; y < anImage.mHeight / 2 + 15; ++y)
      for (int x = anImage.mWidth / 2 - 15; x < anImage.mWidth / 2 + 15; ++x)
        if (x < 0 || y < 0 || x >= anImage.mWidth || y >= anImage.mHeight ||
            (anImage.mPalette[anImage.mIndices[static_cast<size_t>(y) * anImage.mWidth + x]] >> 24) == 0)
          return false;
    return true;
  };
  size_t aCover = IndexOf('X'), aCoin = IndexOf('V');
  for (size_t i = 0; i < aGood.mRecords.size(); ++i) {
    const TeskTools::ObjectRecord& r = aGood.mRecords[i];
    if (r.mKind == 'X' && SolidMiddle(i) && (!SolidMiddle(aCover) || r.mRenderOrder > aGood.mRecords[aCover].mRenderOrder))
      aCover = i;
    if (r.mKind == 'V' && r.mRenderOrder < aGood.mRecords[aCoin].mRenderOrder) aCoin = i;
  }
  ASSERT_TRUE(SolidMiddle(aCover));
  ASSERT_LT(aGood.mRecords[aCoin].mRenderOrder, aGood.mRecords[aCover].mRenderOrder);
  // Where the damage goes: a coin, an ordinary item and a cover.
  struct Where {
    size_t mCoin, mItem, mCover;
  };
  const Where w{aCoin, IndexOf(1), aCover};
  using Damage = void (*)(GameAssets::LocationFiles&, const Where&);
  struct Case {
    const char* mWhat;
    Damage mDamage;
    const char* mNamed;
  };
  const Case kCases[] = {
      {"two records share a render order",
       [](GameAssets::LocationFiles& f, const Where&) { f.mRecords[1].mRenderOrder = f.mRecords[0].mRenderOrder; },
       "used twice"},
      {"a fourth coin", [](GameAssets::LocationFiles& f, const Where& at) { f.mRecords[at.mItem].mKind = 'V'; }, "4 coins"},
      {"a name of 20 characters",
       [](GameAssets::LocationFiles& f, const Where& at) { f.mRecords[at.mItem].mName = std::string(20, 'k'); }, "1 to 19"},
      {"an item split over two groups",
       [](GameAssets::LocationFiles& f, const Where& at) {
         f.mRecords.push_back(f.mRecords[at.mItem]);
         f.mRecords.back().mGroup = static_cast<uint8_t>((f.mRecords[at.mItem].mGroup + 1) % 3);
         f.mRecords.back().mRenderOrder = 99;
         f.mImages.push_back(f.mImages[at.mItem + 1]);
       },
       "several groups"},
      {"a picture past the right edge",
       [](GameAssets::LocationFiles& f, const Where& at) { f.mRecords[at.mCoin].mX = 650; }, "leaves the scene"},
      {"a coin under a cover",
       [](GameAssets::LocationFiles& f, const Where& at) {
         const auto& aCover = f.mImages[at.mCover + 1];
         f.mRecords[at.mCoin].mX = static_cast<uint16_t>(f.mRecords[at.mCover].mX + aCover.mWidth / 2 - 15);
         f.mRecords[at.mCoin].mY = static_cast<uint16_t>(f.mRecords[at.mCover].mY + aCover.mHeight / 2 - 15);
       },
       "covered"},
      {"a missing image", [](GameAssets::LocationFiles& f, const Where&) { f.mImages.pop_back(); }, "block images"},
      {"too few easy items",
       [](GameAssets::LocationFiles& f, const Where&) {
         for (auto& r : f.mRecords)
           if (r.mGroup == 0 && r.mKind < 85) r.mGroup = 1;
       },
       "group 0 has"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mWhat);
    GameAssets::LocationFiles f = aGood;
    c.mDamage(f, w);
    const std::string aProblem = GameAssets::CheckLocation(f);
    EXPECT_NE(aProblem.find(c.mNamed), std::string::npos) << aProblem;
  }
}

TEST(GameAssetBroken, TheDamagedVariantsAreCaught) {
  std::vector<ImageLib::Image*> anImages(128, nullptr);
  const int n = ImageLib::GetImageBlock(SetDir() + "/broken/builddata/truncated_block.tgab", anImages.data(), 128);
  EXPECT_EQ(n, 1);  // the background only: the second image is cut short
  for (int i = 0; i < n; ++i) delete anImages[i];
  const std::string aProblem =
      GameAssets::CheckLocationBytes(7, TeskTest::ReadFile(SetDir() + "/broken/builddata/oversized_objs.dat"),
                                     TeskTest::ReadFile(SetDir() + "/builddata/l07block.tgab"));
  EXPECT_NE(aProblem.find("101 object records"), std::string::npos) << aProblem;
}

// Reading a location or a block from a folder names the file that is missing or damaged.
TEST(GameAssetBroken, TheReadersNameTheFileThatIsMissingOrDamaged) {
  struct Case {
    const char* mName;
    const char* mObjects;  // copied in as l07objs.dat; empty: none
    const char* mBlock;    // copied in as l07block.tgab and anims.tgab; empty: none
    const char* mLocationError;
    const char* mBlockError;
  };
  const Case kCases[] = {
      {"nothing there", "", "", "location 7: builddata/l07objs.dat missing", "builddata/anims.tgab missing"},
      {"no block", "/builddata/l07objs.dat", "", "location 7: builddata/l07block.tgab missing",
       "builddata/anims.tgab missing"},
      {"a block cut short", "/builddata/l07objs.dat", "/broken/builddata/truncated_block.tgab",
       "location 7: image block ends inside image 1 of",
       "builddata/anims.tgab: image block ends inside image 1 of"},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.mName);
    const std::string aDir = TeskTest::MakeTempDir("read-location");
    fs::create_directory(aDir + "/builddata");
    if (*c.mObjects) fs::copy_file(SetDir() + c.mObjects, aDir + "/builddata/l07objs.dat");
    if (*c.mBlock) {
      fs::copy_file(SetDir() + c.mBlock, aDir + "/builddata/l07block.tgab");
      fs::copy_file(SetDir() + c.mBlock, aDir + "/builddata/anims.tgab");
    }
    GameAssets::LocationFiles f;
    std::string anError;
    EXPECT_FALSE(GameAssets::ReadLocation(aDir, 7, &f, &anError));
    EXPECT_EQ(anError.rfind(c.mLocationError, 0), 0u) << anError;
    std::vector<TeskTools::BlockImage> anImages;
    anError.clear();
    EXPECT_FALSE(GameAssets::ReadBlockFile(aDir, "builddata/anims.tgab", &anImages, &anError));
    EXPECT_EQ(anError.rfind(c.mBlockError, 0), 0u) << anError;
  }
}

TEST(GameAssetSet, TwoRunsWriteTheSameBytes) {
  const std::string aSecond = TeskTest::MakeTempDir("game-assets-again");
  std::string anError;
  GameAssets::WriteOptions anOptions;
  anOptions.mBroken = true;
  ASSERT_TRUE(GameAssets::WriteGameAssets(aSecond, anOptions, &anError)) << anError;
  int aFiles = 0;
  for (const auto& anEntry : fs::recursive_directory_iterator(SetDir())) {
    if (!anEntry.is_regular_file()) continue;
    const fs::path aRelative = fs::relative(anEntry.path(), SetDir());
    SCOPED_TRACE(aRelative.string());
    ASSERT_TRUE(fs::exists(aSecond / aRelative));
    EXPECT_TRUE(TeskTest::ReadFile(anEntry.path().string()) ==
                TeskTest::ReadFile((aSecond / aRelative).string()));
    ++aFiles;
  }
  EXPECT_GT(aFiles, 100);
}

}  // namespace

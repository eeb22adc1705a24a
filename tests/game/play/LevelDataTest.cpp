#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <set>

#include "LocationFixtures.h"
#include "app/TeskAppBase.h"
#include "core/Common.h"
#include "core/MTRand.h"
#include "game/play/LevelData.h"
#include "game/play/Math.h"
#include "game/shell/GameApp.h"
#include "game/shell/ProfileData.h"
#include "support/TestTemp.h"

using namespace TeskTools;

namespace {

constexpr int k_items = 10;  // items per difficulty group in the standard fixture

// The game's application, lending the test's profiles as its own.
class AppWithProfiles : public Tesk::GameApp {
 public:
  explicit AppWithProfiles(Tesk::ProfileData* theProfiles) { m_profileData = theProfiles; }
  ~AppWithProfiles() override { m_profileData = nullptr; }
};

class LevelDataTest : public testing::Test {
 protected:
  void SetUp() override {
    char aBuf[4096];
    mOldDir = getcwd(aBuf, sizeof(aBuf)) != nullptr ? aBuf : ".";
    mDir = TeskTest::MakeTempDir("levels");
    ASSERT_EQ(chdir(mDir.c_str()), 0);
    // Missing files must stay missing: no falling back to the build's generated set.
    const char* anOld = getenv("TESK_RESOURCES_DIR");
    mOldResources = anOld ? anOld : "";
    mHadResources = anOld != nullptr;
    setenv("TESK_RESOURCES_DIR", mDir.c_str(), 1);
    Tesk::SetAppDataFolder(mDir + "/");
    Tesk::TeskAppBase::s_languageUsing = 0;
    mProfile.setProfileName(L"Tester");
    AtLevel(1);
  }
  void TearDown() override {
    Tesk::TeskAppBase::s_languageUsing = 0;
    Tesk::SetAppDataFolder("");
    if (mHadResources) setenv("TESK_RESOURCES_DIR", mOldResources.c_str(), 1);
    else unsetenv("TESK_RESOURCES_DIR");
    EXPECT_EQ(chdir(mOldDir.c_str()), 0);
  }

  std::string mOldResources;
  bool mHadResources = false;

  void AtLevel(int theLevel) {
    mProfile.startNewGame(0);
    for (int i = 1; i < theLevel; ++i) mProfile.advanceLevelOn();
  }
  void WriteStandard(std::initializer_list<int> theIds) {
    for (int anId : theIds) ASSERT_TRUE(WriteLocationFiles(mDir, anId, StandardLocation(anId)));
  }
  void WriteAll() {
    for (int anId = 1; anId <= 12; ++anId)
      ASSERT_TRUE(WriteLocationFiles(mDir, anId, StandardLocation(anId)));
  }
  static int GroupOfKind(int theKind) { return (theKind - 1) / k_items; }

  // What the find list of a standard location must be for the generator's next numbers: per
  // group, draw a candidate (in file order) until an unused one comes up; an item's parts are
  // all used at once.
  static std::vector<int> ExpectedKinds(const LocationFixture& theLocation, int theVisit) {
    std::vector<int> aCandidates[3];
    for (const ObjectRecord& r : theLocation.mRecords)
      if (r.mKind < 85) aCandidates[r.mGroup].push_back(r.mKind);
    std::vector<int> aKinds;
    for (int g = 0; g < 3; ++g) {
      std::vector<bool> isUsed(aCandidates[g].size(), false);
      for (int aPick = 0; aPick < k_diffSpreads[theVisit][g]; ++aPick) {
        int r;
        do {
          r = Tesk::Rand() % static_cast<int>(aCandidates[g].size());
        } while (isUsed[r]);
        aKinds.push_back(aCandidates[g][r]);
        for (size_t i = 0; i < aCandidates[g].size(); ++i)
          if (aCandidates[g][i] == aCandidates[g][r]) isUsed[i] = true;
      }
    }
    return aKinds;
  }
  static std::vector<int> ListedKinds(const LocationData& theLocation) {
    std::vector<int> aKinds;
    for (const FindInfo& e : theLocation.m_findInfo)
      if (e.isActive()) aKinds.push_back(e.getKind());
    return aKinds;
  }
  void ExpectAllEmpty() {
    for (const LocationData& l : mLevel.m_locations) {
      EXPECT_EQ(l.m_id, -1);
      EXPECT_EQ(l.m_background, nullptr);
      EXPECT_EQ(l.m_numOpen, 0u);
      for (const Selectable& s : l.m_selectables) EXPECT_EQ(s.m_image, nullptr);
    }
  }

  std::string mOldDir;
  std::string mDir;
  Tesk::ProfileData mProfile;
  AppWithProfiles mApp{&mProfile};  // makes the display images
  LevelData mLevel{&mApp};
};

}  // namespace

TEST(LevelTablesTest, PickupsAreOfferedFromTheirLevels) {
  struct Case {
    int mLevel, mId, mCoin;
    bool mRepel, mCoinOffered;
  };
  const Case k_cases[] = {
      {11, 1, 0, false, true},   {12, 1, 2, true, true},  {11, 1, 2, false, false},
      {2, 2, 0, false, false},   {3, 2, 0, true, true},   {1, 3, 1, false, true},
      {7, 3, 2, true, false},    {8, 3, 2, true, true},   {5, 4, 2, true, true},
      {1, 7, 0, false, true},    {2, 7, 1, true, false},  {13, 12, 2, true, true},
      {8, 12, 0, false, false},  {6, 9, 2, false, false}, {7, 9, 2, true, true},
      {13, 0, 0, false, false},                            // no location 0
      {13, 13, 0, false, false}, {13, 5, 3, true, false},  // no coin 3
      {13, 5, -1, true, false},
  };
  for (const Case& c : k_cases) {
    SCOPED_TRACE(testing::Message() << "level " << c.mLevel << " location " << c.mId << " coin " << c.mCoin);
    EXPECT_EQ(isRepelAvailable(c.mLevel, c.mId), c.mRepel);
    EXPECT_EQ(isCoinAvailable(c.mLevel, c.mId, c.mCoin), c.mCoinOffered);
  }
  int aSum = 0;
  for (int aLevel = 1; aLevel <= 13; ++aLevel) {
    aSum += k_levelMaxTimes[aLevel];
    int aListed = 0;
    for (int k = 0; k < 12; ++k) aListed += s_levelDataMapping[aLevel][k] != 255;
    EXPECT_EQ(aListed, numberOfLocationsOnLevel(aLevel)) << aLevel;
  }
  EXPECT_EQ(aSum, 1998000);
  for (const auto& aRow : k_diffSpreads) EXPECT_EQ(aRow[0] + aRow[1] + aRow[2], 10);
  EXPECT_EQ(numberOfLocationsOnLevel(0), 0);
  EXPECT_EQ(numberOfLocationsOnLevel(14), 0);
  EXPECT_TRUE(LevelData::isOutsideLocation(8));
  EXPECT_FALSE(LevelData::isOutsideLocation(9));
}

TEST_F(LevelDataTest, LevelOnePicksItsLocationsAndFindListsForASeededGenerator) {
  EXPECT_EQ(mLevel.getGameApp(), &mApp);
  WriteStandard({7, 3});
  Tesk::SRand(2024);
  ASSERT_TRUE(mLevel.load(1, false)) << mLevel.getLoadError();
  EXPECT_EQ(mLevel.m_locations[0].m_id, 7);
  EXPECT_EQ(mLevel.m_locations[1].m_id, 3);
  for (int i = 2; i < 12; ++i) EXPECT_EQ(mLevel.m_locations[i].m_id, -1) << i;
  EXPECT_EQ(mLevel.m_maxObjects, 16);
  EXPECT_EQ(mLevel.m_totalLevelTime, 126000u);
  EXPECT_EQ(mLevel.getNumObjectsFound(), 20);
  EXPECT_EQ(mLevel.numberOfObjectsToFind(), 16);
  EXPECT_EQ(mProfile.getLevelTimer(), 126000);
  EXPECT_TRUE(mProfile.isHintAvailable(1));
  EXPECT_FALSE(mProfile.isHintAvailable(2));

  Tesk::SRand(2024);
  const std::vector<int> aFirst = ExpectedKinds(StandardLocation(7), 0);
  const std::vector<int> aSecond = ExpectedKinds(StandardLocation(3), 0);
  EXPECT_EQ(ListedKinds(mLevel.m_locations[0]), aFirst);
  EXPECT_EQ(ListedKinds(mLevel.m_locations[1]), aSecond);
  // A first visit draws 7, 3 and 0 entries from groups 0, 1 and 2.
  int aByGroup[3] = {};
  for (int aKind : aFirst) ++aByGroup[GroupOfKind(aKind)];
  EXPECT_EQ(aByGroup[0], 7);
  EXPECT_EQ(aByGroup[1], 3);
  EXPECT_EQ(aByGroup[2], 0);

  // Each entry: its name, its parts to find and pointing back at it, the background loaded.
  LocationData& l = mLevel.m_locations[0];
  ASSERT_NE(l.m_background, nullptr);
  EXPECT_EQ(l.m_background->mWidth, 8);
  for (const FindInfo& e : l.m_findInfo) {
    EXPECT_EQ(e.m_name, L"L7 item " + std::to_wstring(e.getKind()));
    for (int p = 0; p < e.getCount(); ++p) {
      EXPECT_TRUE(e.m_parts[p]->isToFind());
      EXPECT_TRUE(e.m_parts[p]->isVisible());
      EXPECT_EQ(e.m_parts[p]->m_findInfo, &e);
      EXPECT_EQ(e.m_parts[p]->getKind(), e.getKind());
    }
  }
  EXPECT_EQ(mLevel.getDisplayFindInfo(3), mLevel.m_locations[1].m_findInfo);
  EXPECT_EQ(mLevel.getLocationData(5), nullptr);
  EXPECT_EQ(mLevel.getLocationDataLevDynamic(5), nullptr);
}

TEST_F(LevelDataTest, ObjectsAreReadWithTheirPositionsKindsAndImages) {
  WriteStandard({7, 3});
  ASSERT_TRUE(mLevel.load(1, false)) << mLevel.getLoadError();
  const LocationFixture aFixture = StandardLocation(7);
  LocationData& l = *mLevel.getLocationData(7);
  ASSERT_EQ(l.m_numObjects, aFixture.mRecords.size());
  struct Role {
    char mByte;
    int mKind;
  };
  const Role k_roles[] = {{'U', 95}, {'W', 87}, {'X', 91}, {'Y', 92}, {'Z', 93}};
  for (size_t i = 0; i < aFixture.mRecords.size(); ++i) {
    SCOPED_TRACE(i);
    const ObjectRecord& r = aFixture.mRecords[i];
    const Selectable& s = l.m_selectables[i];
    EXPECT_EQ(s.getX(), r.mX + 140);
    EXPECT_EQ(s.getY(), r.mY);
    EXPECT_EQ(s.getRenderOrder(), r.mRenderOrder);
    EXPECT_EQ(s.getDiffGroup(), r.mGroup);
    ASSERT_NE(s.m_image, nullptr);
    EXPECT_EQ(MATH::BBImageTest(0, 0, s.m_image.get()), 0);     // clear margin
    EXPECT_EQ(MATH::BBImageTest(1, 1, s.m_image.get()), 0xFF);  // opaque inside
    int aKind = r.mKind;
    for (const Role& aRole : k_roles)
      if (r.mKind == aRole.mByte) aKind = aRole.mKind;
    if (r.mKind == 'V')
      aKind = 85 + static_cast<int>(std::find(l.m_coinObjects, l.m_coinObjects + 5, &s) - l.m_coinObjects);
    EXPECT_EQ(s.getKind(), aKind);
  }
  // The cover is always drawn; the placeholder never; neither is ever listed.
  const Selectable& aCover = l.m_selectables[aFixture.mRecords.size() - 2];
  EXPECT_TRUE(aCover.isVisible());
  EXPECT_FALSE(aCover.isToFind());
  EXPECT_EQ(aCover.m_findInfo, nullptr);
  const Selectable& aHidden = l.m_selectables[aFixture.mRecords.size() - 1];
  EXPECT_FALSE(aHidden.isVisible());
  EXPECT_EQ(aHidden.m_findInfo, nullptr);
}

TEST_F(LevelDataTest, CoinsKeepTheirSlotAndBitWhetherOfferedOrNot) {
  WriteAll();
  AtLevel(6);  // location 12's coins come at levels 9, 9 and 11; location 2's at 3, 6 and 11
  mProfile.setCoinBlock(3 * 2 + 0);  // location 2's first coin was taken
  ASSERT_TRUE(mLevel.load(6, false)) << mLevel.getLoadError();
  struct Case {
    int mId;
    uint32_t mBase;
    bool mActive[3];
  };
  const Case k_cases[] = {
      {2, 6, {false, true, false}}, {10, 30, {true, true, false}}, {12, 36, {false, false, false}}};
  for (const Case& c : k_cases) {
    SCOPED_TRACE(c.mId);
    LocationData& l = *mLevel.getLocationData(c.mId);
    EXPECT_EQ(l.m_coinBitBase, c.mBase);
    EXPECT_EQ(l.m_numCoins, 3u);
    int anActive = 0;
    for (int n = 0; n < 3; ++n) {
      ASSERT_NE(l.m_coinObjects[n], nullptr);
      EXPECT_EQ(l.m_coinObjects[n]->getKind(), 85 + n);
      EXPECT_TRUE(l.m_coinObjects[n]->isCoin());
      EXPECT_EQ(l.m_coinObjects[n]->isVisible(), c.mActive[n]) << n;
      EXPECT_EQ(l.m_coinObjects[n]->isToFind(), c.mActive[n]) << n;
      EXPECT_EQ(l.m_coinObjects[n]->m_findInfo, &l.m_coinInfo);
      anActive += c.mActive[n];
    }
    EXPECT_EQ(l.m_coinInfo.isActive(), anActive > 0);
    EXPECT_EQ(l.m_coinInfo.getCount(), anActive);
  }
}

TEST_F(LevelDataTest, PickupsFollowTheProfile) {
  WriteAll();
  AtLevel(8);
  mProfile.setRepelEvilSpellBlock(5);
  ASSERT_TRUE(mLevel.load(8, false)) << mLevel.getLoadError();
  struct Case {
    int mId;
    bool mRepel;
  };
  const Case k_cases[] = {{3, true}, {2, true}, {8, false}, {5, false}};  // 8 from level 10; 5 taken
  for (const Case& c : k_cases) {
    SCOPED_TRACE(c.mId);
    LocationData& l = *mLevel.getLocationData(c.mId);
    ASSERT_NE(l.m_repelObject, nullptr);
    EXPECT_EQ(l.m_repelObject->isVisible(), c.mRepel);
    EXPECT_EQ(l.m_repelInfo.isActive(), c.mRepel);
    EXPECT_EQ(l.m_repelObject->m_findInfo, &l.m_repelInfo);
    if (c.mRepel) {
      EXPECT_EQ(l.m_repelInfo.m_parts[0], l.m_repelObject);
      EXPECT_EQ(l.m_repelInfo.getKind(), 95);
      EXPECT_EQ(l.m_repelInfo.m_name, L"Repel spell");
    }
    ASSERT_NE(l.m_revealObject, nullptr);
    EXPECT_TRUE(l.m_revealInfo.isActive());  // no game ever takes a reveal pickup
    ASSERT_NE(l.m_runestoneObject, nullptr);
    EXPECT_FALSE(l.m_runestoneObject->isVisible());  // only the final level shows them
    EXPECT_FALSE(l.m_runestoneInfo.isActive());
  }
  // A pickup entry does not outlive its level: location 3 sits in slot 0 of levels 8 and 11,
  // and its repel pickup is gone once taken.
  mProfile.setRepelEvilSpellBlock(3);
  AtLevel(11);
  mProfile.setRepelEvilSpellBlock(3);
  ASSERT_TRUE(mLevel.load(11, false));
  EXPECT_EQ(mLevel.m_locations[0].m_id, 3);
  EXPECT_FALSE(mLevel.m_locations[0].m_repelInfo.isActive());
  EXPECT_EQ(mLevel.m_locations[0].m_repelInfo.m_parts[0], nullptr);
}

TEST_F(LevelDataTest, VisitCountsChooseHowManyEntriesEachGroupGives) {
  WriteAll();
  AtLevel(12);
  Tesk::SRand(7);
  ASSERT_TRUE(mLevel.load(12, false)) << mLevel.getLoadError();
  // Level 12 visits 6, 11, 9, 8, 5, 1; earlier levels visited them 3, 3, 3, 3, 3 and 2 times.
  struct Case {
    int mId, mVisits;
  };
  const Case k_cases[] = {{6, 3}, {11, 3}, {9, 3}, {8, 3}, {5, 3}, {1, 2}};
  for (const Case& c : k_cases) {
    SCOPED_TRACE(c.mId);
    LocationData& l = *mLevel.getLocationData(c.mId);
    EXPECT_EQ(l.m_visitCount, c.mVisits);
    int aByGroup[3] = {};
    for (int aKind : ListedKinds(l)) ++aByGroup[GroupOfKind(aKind)];
    for (int g = 0; g < 3; ++g) EXPECT_EQ(aByGroup[g], k_diffSpreads[c.mVisits][g]) << g;
    EXPECT_EQ(l.m_numOpen, 10u);
  }
  EXPECT_EQ(mLevel.numberOfObjectsToFind(), 60 - 5);
}

TEST_F(LevelDataTest, AMultiPartItemIsListedOnceWithAllItsParts) {
  WriteStandard({7, 3});
  const int aPair = FixtureKind(k_items, 0, 1);    // two parts, group 0
  const int aTriple = FixtureKind(k_items, 1, 1);  // three parts, group 1
  int aSeen = 0;
  for (uint32_t aSeed = 1; aSeed <= 40; ++aSeed) {
    Tesk::SRand(aSeed);
    ASSERT_TRUE(mLevel.load(1, false));
    for (const LocationData* aLocation : {&mLevel.m_locations[0], &mLevel.m_locations[1]}) {
      const LocationData& l = *aLocation;
      std::vector<int> aKinds = ListedKinds(l);
      std::set<int> aDistinct(aKinds.begin(), aKinds.end());
      EXPECT_EQ(aDistinct.size(), aKinds.size());  // never listed twice
      for (const FindInfo& e : l.m_findInfo) {
        if (e.getKind() != aPair && e.getKind() != aTriple) continue;
        ++aSeen;
        EXPECT_EQ(e.getCount(), e.getKind() == aPair ? 2 : 3);
        std::set<const Selectable*> aParts(e.m_parts, e.m_parts + e.getCount());
        EXPECT_EQ(aParts.size(), static_cast<size_t>(e.getCount()));
      }
    }
  }
  EXPECT_GT(aSeen, 10);
}

TEST_F(LevelDataTest, AnItemSplitAcrossGroupsIsListedOnceAndAShortGroupStops) {
  LocationFixture aLocation = StandardLocation(7, 3);  // 3 items per group: too few for 7 picks
  // Kind 2 also gets a part in group 2.
  ObjectRecord aStray = aLocation.mRecords[1];
  aStray.mGroup = 2;
  aStray.mRenderOrder = 99;
  aLocation.mRecords.push_back(aStray);
  aLocation.mImages.push_back(aLocation.mImages.back());
  ASSERT_TRUE(WriteLocationFiles(mDir, 7, aLocation));
  WriteStandard({3});
  testing::internal::CaptureStderr();
  for (uint32_t aSeed = 1; aSeed <= 20; ++aSeed) {
    Tesk::SRand(aSeed);
    ASSERT_TRUE(mLevel.load(1, false)) << mLevel.getLoadError();
    const std::vector<int> aKinds = ListedKinds(mLevel.m_locations[0]);
    EXPECT_EQ(std::set<int>(aKinds.begin(), aKinds.end()).size(), aKinds.size());
    // Group 0 gives its 3 items and stops; group 1 gives 3 of 3.
    EXPECT_EQ(aKinds.size(), 6u);
    EXPECT_EQ(mLevel.m_locations[0].m_numOpen, 6u);
  }
  EXPECT_NE(testing::internal::GetCapturedStderr().find("too few items"), std::string::npos);
}

TEST_F(LevelDataTest, TheOtherLanguageNamesAndKindsReplaceTheRecords) {
  WriteStandard({7, 3});
  const LocationFixture aSeven = StandardLocation(7);
  std::vector<std::vector<ObjectTextEntry>> aText(12);
  for (int anId : {3, 7}) aText[anId - 1] = TextEntriesFor(StandardLocation(anId).mRecords, u"Fr ");
  // Record 0 (ordinary) becomes a repel pickup, and the repel record an ordinary item of kind 40.
  aText[6][0].mKind = 'U';
  size_t aRepelEntry = 0;
  for (size_t i = 0, e = 0; i < aSeven.mRecords.size(); ++i) {
    if (aSeven.mRecords[i].mKind == 'X') continue;
    if (aSeven.mRecords[i].mKind == 'U') aRepelEntry = e;
    ++e;
  }
  aText[6][aRepelEntry].mKind = 40;
  aText[6][aRepelEntry].mName = u"\u00C9charpe";
  ASSERT_TRUE(WriteBytes(mDir + "/_FRENCH_objtext.dat", ObjectTextBytes(aText)));

  struct Case {
    int mLanguage;
    const wchar_t* mPrefix;
  };
  const Case k_cases[] = {{0, L""}, {2, L"Fr "}, {1, L""}};  // Russian has no file: English names
  for (const Case& c : k_cases) {
    SCOPED_TRACE(c.mLanguage);
    Tesk::TeskAppBase::s_languageUsing = c.mLanguage;
    Tesk::SRand(3);
    ASSERT_TRUE(mLevel.load(1, false)) << mLevel.getLoadError();
    LocationData& l = *mLevel.getLocationData(7);
    for (const FindInfo& e : l.m_findInfo)
      if (e.isActive() && e.getKind() != 40) {
        EXPECT_EQ(e.m_name, std::wstring(c.mPrefix) + L"L7 item " + std::to_wstring(e.getKind()));
      }
    if (c.mLanguage == 2) {
      EXPECT_EQ(l.m_repelObject, &l.m_selectables[0]);
      EXPECT_EQ(l.m_selectables[aRepelEntry].getKind(), 40);  // no 'X' before it: entry = record
      EXPECT_EQ(l.m_selectables[0].getKind(), 95);
    } else {
      EXPECT_EQ(l.m_selectables[0].getKind(), 1);
    }
    // Location 3 found its own entries through the offset table.
    EXPECT_EQ(mLevel.getLocationData(3)->m_findInfo[0].m_name.rfind(c.mPrefix, 0), 0u);
  }
  // "objtext.dat" comes first whatever the language.
  aText[6][0].mKind = 1;
  aText[2] = TextEntriesFor(StandardLocation(3).mRecords, u"Any ");
  aText[6] = TextEntriesFor(aSeven.mRecords, u"Any ");
  ASSERT_TRUE(WriteBytes(mDir + "/objtext.dat", ObjectTextBytes(aText)));
  Tesk::TeskAppBase::s_languageUsing = 2;
  ASSERT_TRUE(mLevel.load(1, false)) << mLevel.getLoadError();
  EXPECT_EQ(mLevel.getLocationData(7)->m_findInfo[0].m_name.rfind(L"Any ", 0), 0u);
}

TEST_F(LevelDataTest, APartialTrailingRecordIsDropped) {
  WriteStandard({3});
  LocationFixture aSeven = StandardLocation(7);
  ASSERT_TRUE(WriteLocationFiles(mDir, 7, aSeven));
  const std::string aBytes = ObjectRecordsBytes(aSeven.mRecords);
  for (size_t aCut : {size_t{1}, size_t{13}, size_t{26}}) {
    SCOPED_TRACE(aCut);
    ASSERT_TRUE(WriteBytes(mDir + "/builddata/l07objs.dat", aBytes.substr(0, aBytes.size() - aCut)));
    ASSERT_TRUE(mLevel.load(1, false)) << mLevel.getLoadError();
    EXPECT_EQ(mLevel.getLocationData(7)->m_numObjects, aSeven.mRecords.size() - 1);
  }
}

TEST_F(LevelDataTest, TheFinalLevelListsNothingAndShowsTheProfilesRunestones) {
  WriteAll();
  AtLevel(13);
  uint8_t* aStones = mProfile.getFinalLevelRunestones();
  aStones[0] = 4, aStones[1] = 255, aStones[2] = 11, aStones[3] = 1;
  ASSERT_TRUE(mLevel.load(13, false)) << mLevel.getLoadError();
  EXPECT_EQ(mLevel.m_maxObjects, 0);
  EXPECT_EQ(mLevel.m_runestonesFound, 1);
  EXPECT_EQ(mLevel.m_totalLevelTime, 60000u);
  EXPECT_EQ(mLevel.getNumObjectsFound(), 0);
  for (int i = 0; i < 12; ++i) {
    const LocationData& l = mLevel.m_locations[i];
    SCOPED_TRACE(l.m_id);
    EXPECT_EQ(l.m_id, s_levelDataMapping[13][i]);
    EXPECT_EQ(l.m_numOpen, 0u);
    EXPECT_TRUE(ListedKinds(l).empty());
    EXPECT_GE(l.m_visitCount, 3);
    EXPECT_LE(l.m_visitCount, 4);
    const bool isWanted = l.m_id == 4 || l.m_id == 11 || l.m_id == 1;
    EXPECT_EQ(l.m_runestoneObject->isVisible(), isWanted);
    EXPECT_EQ(l.m_runestoneObject->isToFind(), isWanted);
    EXPECT_EQ(l.m_runestoneInfo.isActive(), isWanted);
    for (const Selectable& s : l.m_selectables)
      if (s.getKind() > 0 && s.getKind() < 85) {
        EXPECT_FALSE(s.isToFind());
      }
  }
  mProfile.startNewGame(2);  // the hardest clock
  for (int i = 1; i < 13; ++i) mProfile.advanceLevelOn();
  mLevel.setTotalLevelTime();
  EXPECT_EQ(mLevel.m_totalLevelTime, 48000u);
}

TEST_F(LevelDataTest, TheRenderArrayTakesTheLaterOfTwoObjectsOfOneOrder) {
  LocationFixture aLocation = StandardLocation(7);
  aLocation.mRecords[3].mRenderOrder = 5;  // 5 twice: record 3 replaces record 5
  aLocation.mRecords[10].mRenderOrder = 127;
  ASSERT_TRUE(WriteLocationFiles(mDir, 7, aLocation));
  WriteStandard({3});
  ASSERT_TRUE(mLevel.load(1, false)) << mLevel.getLoadError();
  LocationData& l = *mLevel.getLocationData(7);
  Selectable* anArray[LevelData::k_renderArraySize] = {};
  mLevel.setUpRenderArray(l, anArray);
  EXPECT_EQ(anArray[5], &l.m_selectables[5]);  // file order: record 5 came after record 3
  EXPECT_EQ(anArray[3], nullptr);
  EXPECT_EQ(anArray[127], &l.m_selectables[10]);
  EXPECT_EQ(anArray[10], nullptr);
}

TEST_F(LevelDataTest, BadLocationFilesAreRefusedWithAClearErrorAndNothingLoaded) {
  const LocationFixture aGood = StandardLocation(7);
  auto WithRecord = [&aGood](int theIndex, const std::function<void(ObjectRecord&)>& theChange) {
    LocationFixture aBad = aGood;
    theChange(aBad.mRecords[theIndex]);
    return aBad;
  };
  auto Grown = [&aGood](int theCount, const ObjectRecord& theRecord) {
    LocationFixture aBig = aGood;
    for (int i = 0; i < theCount; ++i) {
      aBig.mRecords.insert(aBig.mRecords.begin(), theRecord);
      aBig.mImages.push_back(aGood.mImages[1]);
    }
    for (size_t i = 0; i < aBig.mRecords.size(); ++i) aBig.mRecords[i].mRenderOrder = static_cast<uint8_t>(i);
    return aBig;
  };
  ObjectRecord anExtra = aGood.mRecords[0];
  anExtra.mKind = 70;
  struct Case {
    const char* mWhat;
    LocationFixture mLocation;
    const char* mError;
  };
  std::vector<Case> aCases = {
      {"name without an end", WithRecord(2, [](ObjectRecord& r) { r.mName = std::string(20, 'n'); }),
       "name has no end"},
      {"difficulty group 3", WithRecord(2, [](ObjectRecord& r) { r.mGroup = 3; }), "difficulty group 3"},
      {"kind 100", WithRecord(2, [](ObjectRecord& r) { r.mKind = 100; }), "kind 100"},
      {"ordinary kind of a cover", WithRecord(2, [](ObjectRecord& r) { r.mKind = 91; }), "kind 91"},
      {"render order 128", WithRecord(2, [](ObjectRecord& r) { r.mRenderOrder = 128; }), "render order 128"},
      {"far off the screen", WithRecord(2, [](ObjectRecord& r) { r.mX = 9000; }), "off any screen"},
      {"101 objects", Grown(101 - static_cast<int>(aGood.mRecords.size()), aGood.mRecords[40]),
       "more than 100 objects"},
      {"13 parts of one kind", Grown(13, anExtra), "more than 12 parts of kind 70"},
      {"36 objects in group 0",
       [&aGood] {
         LocationFixture aBig = aGood;
         for (int i = 0; i < 26; ++i) {
           ObjectRecord r;
           r.mName = "x";
           r.mKind = static_cast<uint8_t>(50 + i);
           r.mRenderOrder = static_cast<uint8_t>(aBig.mRecords.size());
           aBig.mRecords.push_back(r);
           aBig.mImages.push_back(aGood.mImages[1]);
         }
         return aBig;
       }(),
       "more than 35 objects in difficulty group 0"},
      {"6 coins", Grown(3, aGood.mRecords[33]), "more than 5 coins"},
  };
  {
    LocationFixture aNoImages = aGood;
    aNoImages.mImages.resize(aGood.mRecords.size());
    aCases.push_back({"one image short", aNoImages, "images for a background and"});
    LocationFixture aTooMany = aGood;
    aTooMany.mImages.resize(102, aGood.mImages[1]);
    aCases.push_back({"102 images", aTooMany, "more than the 101"});
  }
  WriteStandard({3});
  for (const Case& c : aCases) {
    SCOPED_TRACE(c.mWhat);
    ASSERT_TRUE(WriteLocationFiles(mDir, 7, c.mLocation));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(mLevel.load(1, false));
    testing::internal::GetCapturedStderr();
    EXPECT_NE(mLevel.getLoadError().find(c.mError), std::string::npos) << mLevel.getLoadError();
    ExpectAllEmpty();
  }

  // Files missing, cut short or damaged.
  ASSERT_TRUE(WriteLocationFiles(mDir, 7, aGood));
  const std::string aBlock = ImageBlockBytes(aGood.mImages);
  struct FileCase {
    const char* mWhat;
    const char* mFile;
    std::string mBytes;  // "-" removes the file
    const char* mError;
  };
  const FileCase k_files[] = {
      {"no object file", "builddata/l07objs.dat", "-", "l07objs.dat cannot be read"},
      {"no block", "builddata/l07block.tgab", "-", "l07block.tgab cannot be read"},
      {"block cut in its count", "builddata/l07block.tgab", aBlock.substr(0, 3),
       "l07block.tgab cannot be read"},
      {"block cut in an image", "builddata/l07block.tgab", aBlock.substr(0, aBlock.size() - 5),
       "is damaged or cut short"},
      {"block of huge images", "builddata/l07block.tgab",
       std::string("\x01\x00\x00\x00\x02\x00\x00\x00\xFF\xFF\xFF\xFF", 12) + std::string(64, '\0'),
       "is damaged or cut short"},
  };
  for (const FileCase& c : k_files) {
    SCOPED_TRACE(c.mWhat);
    ASSERT_TRUE(WriteLocationFiles(mDir, 7, aGood));
    if (std::string(c.mBytes) == "-")
      std::remove((mDir + "/" + c.mFile).c_str());
    else
      ASSERT_TRUE(WriteBytes(mDir + "/" + c.mFile, c.mBytes));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(mLevel.load(1, false));
    EXPECT_NE(testing::internal::GetCapturedStderr().find("game: level data: "), std::string::npos);
    EXPECT_NE(mLevel.getLoadError().find(c.mError), std::string::npos) << mLevel.getLoadError();
    ExpectAllEmpty();
  }
  ASSERT_TRUE(WriteLocationFiles(mDir, 7, aGood));
  EXPECT_TRUE(mLevel.load(1, false)) << mLevel.getLoadError();
}

TEST_F(LevelDataTest, BadObjectTextIsRefused) {
  WriteStandard({7, 3});
  Tesk::TeskAppBase::s_languageUsing = 3;
  std::vector<std::vector<ObjectTextEntry>> aText(12);
  for (int anId : {3, 7}) aText[anId - 1] = TextEntriesFor(StandardLocation(anId).mRecords, u"De ");
  std::vector<std::vector<ObjectTextEntry>> aLong = aText;
  aLong[6][4].mName = std::u16string(35, u'a');
  std::vector<std::vector<ObjectTextEntry>> aShort = aText;
  aShort[6].resize(10);
  aShort.resize(7);  // location 7 is the last: its entries end the file
  const std::string aGood = ObjectTextBytes(aText);
  struct Case {
    const char* mWhat;
    std::string mBytes;
    const char* mError;
  };
  const Case k_cases[] = {
      {"a name of 35 units", ObjectTextBytes(aLong), "35 units, more than 34"},
      {"too few entries", ObjectTextBytes(aShort), "ends before object 10 of location 7"},
      {"cut in the offsets", aGood.substr(0, 20), "no entry for location 7"},
      {"offset past the end",
       [&aGood] {
         std::string b = aGood;
         b[27] = '\x7F';
         return b;
       }(),
       "ends before object 0 of location 7"},
  };
  for (const Case& c : k_cases) {
    SCOPED_TRACE(c.mWhat);
    ASSERT_TRUE(WriteBytes(mDir + "/_german_objtext.dat", c.mBytes));
    testing::internal::CaptureStderr();
    EXPECT_FALSE(mLevel.load(1, false));
    testing::internal::GetCapturedStderr();
    EXPECT_NE(mLevel.getLoadError().find(c.mError), std::string::npos) << mLevel.getLoadError();
    ExpectAllEmpty();
  }
  ASSERT_TRUE(WriteBytes(mDir + "/_german_objtext.dat", aGood));
  ASSERT_TRUE(mLevel.load(1, false)) << mLevel.getLoadError();
  // Names of 34 units are cut at 33.
  aText[6][0].mName = std::u16string(34, u'z');
  ASSERT_TRUE(WriteBytes(mDir + "/_german_objtext.dat", ObjectTextBytes(aText)));
  ASSERT_TRUE(mLevel.load(1, false)) << mLevel.getLoadError();
  EXPECT_EQ(mLevel.getLocationData(7)->m_repelObject->getKind(), 95);
}

TEST_F(LevelDataTest, LevelsOutsideTheTablesAreRejected) {
  WriteAll();
  for (int aLevel : {0, 14, -1, 255}) {
    SCOPED_TRACE(aLevel);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(mLevel.load(aLevel, false));
    testing::internal::GetCapturedStderr();
    EXPECT_NE(mLevel.getLoadError().find("there is no level"), std::string::npos);
    ExpectAllEmpty();
  }
  EXPECT_EQ(mLevel.getLevelDataMap(14), s_levelDataMapping[0]);
}

TEST_F(LevelDataTest, ResumingWithoutAUsableSaveDrawsFreshListsAndKeepsTheClock) {
  WriteStandard({7, 3});
  mProfile.setNewLevel(5000, 2, 0.5f);
  testing::internal::CaptureStderr();
  ASSERT_TRUE(mLevel.load(1, true)) << mLevel.getLoadError();
  EXPECT_NE(testing::internal::GetCapturedStderr().find("drawn anew"), std::string::npos);
  EXPECT_EQ(mLevel.getNumObjectsFound(), 20);
  EXPECT_EQ(mProfile.getLevelTimer(), 5000);
  EXPECT_EQ(mProfile.getRepelCharge(), 0.5f);
}

TEST_F(LevelDataTest, OneLocationLoadsOnItsOwn) {
  WriteStandard({9});
  AtLevel(7);
  LocationData aLocation;
  Tesk::SRand(1);
  ASSERT_TRUE(mLevel.loadALevel(nullptr, 9, aLocation, 1, false)) << mLevel.getLoadError();
  EXPECT_EQ(aLocation.m_numOpen, 10u);
  LocationData aRestored;
  ASSERT_TRUE(mLevel.loadALevel(nullptr, 9, aRestored, 1, true));
  EXPECT_EQ(aRestored.m_numOpen, 0u);  // the save supplies the list
  EXPECT_NE(aRestored.m_background, nullptr);
  mLevel.deleteLocation(aRestored);
  EXPECT_EQ(aRestored.m_background, nullptr);
  EXPECT_EQ(aRestored.m_selectables[0].m_image, nullptr);
  EXPECT_FALSE(mLevel.loadALevel(nullptr, 13, aRestored, 0, false));
}

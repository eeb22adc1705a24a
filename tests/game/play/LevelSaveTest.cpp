// The level save: a golden file for level 1 built field by field from the layout, a level in
// progress saved and resumed, a save killed half-way, and damaged saves that are refused
// without touching the level or the profile's clock.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "LocationFixtures.h"
#include "PlayRig.h"
#include "core/ByteWriter.h"
#include "core/MTRand.h"
#include "platform/corefoundation/PreferencesFile.h"

using namespace TeskTools;

namespace {

// The save as the layout describes it, written field by field; offsets of interesting fields
// are remembered by name for the damage table.
class SaveBuilder {
 public:
  explicit SaveBuilder(bool isVersion1 = true) : mWide(isVersion1) {
    if (isVersion1) {
      mOut.u32(0x00ACDCAA);
      mOut.u32(1);
    }
  }
  void Mark(const std::string& theName) { mOffsets[theName] = mOut.size(); }
  void Level(int theRunestones, int theMaxObjects) {
    mOut.u8(theRunestones);
    Mark("max objects");
    mOut.u8(theMaxObjects);
  }
  void EmptySlot() {
    mOut.u32(0);
    mOut.i32(-1);
  }
  void Location(int theOpen, int theId) {
    Mark("open " + std::to_string(theId));
    mOut.u32(theOpen);
    Mark("id " + std::to_string(theId));
    mOut.i32(theId);
  }
  struct Part {
    uint32_t mIndex;
    bool mToFind;
  };
  void Entry(bool isActive, const std::string& theName, std::vector<Part> theParts) {
    mOut.u8(static_cast<uint32_t>(theParts.size()));
    mOut.u8(isActive ? 1 : 0);
    Mark("name length");
    mOut.u8(static_cast<uint32_t>(theName.size() + 1));
    for (char c : theName) mWide ? mOut.u32(static_cast<uint8_t>(c)) : mOut.u8(static_cast<uint8_t>(c));
    mWide ? mOut.u32(0) : mOut.u8(0);
    for (const Part& p : theParts) {
      Mark("part");
      mOut.u32(16 * p.mIndex);
      mOut.u8(p.mToFind ? 1 : 0);
    }
  }
  void EmptyEntries(int theCount) {
    for (int i = 0; i < theCount; ++i) Entry(false, "", {});
  }
  void Hidden(std::vector<uint32_t> theIndices) {
    Mark("hidden");
    for (uint32_t i : theIndices) mOut.u32(i);
    Mark("end marker");
    mOut.u32(0x00ACDCAC);
  }
  void Dynamics(int theDark9, int theDark12, int theCounter9, int theCounter12, bool isClearing9,
                bool isClearing12, std::map<int, int> theRepelTimers) {
    Mark("dynamics");
    mOut.u8(theDark9);
    mOut.u8(theDark12);
    Mark("counter 9");
    mOut.i32(theCounter9);
    mOut.i32(theCounter12);
    Mark("clearing 9");
    mOut.u8(isClearing9);
    mOut.u8(isClearing12);
    Mark("repel timers");
    for (int i = 0; i < 13; ++i) mOut.u16(theRepelTimers.count(i) ? theRepelTimers[i] : 0);
  }
  const std::string& Bytes() const { return mOut.str(); }
  size_t At(const std::string& theName) const { return mOffsets.at(theName); }

 private:
  bool mWide;
  Tesk::ByteWriter mOut;
  std::map<std::string, size_t> mOffsets;
};

// Level 1 (locations 7 and 3, two items per group: 17 objects each) a little way in: item 1
// of location 7 found, the repel spell running at 7 and location 12's darkness clearing.
// Hidden besides what was found: at level 1 location 7 offers coin 0 only and location 3
// coins 0 and 1; the repel pickups come later, the runestones on the last level; 16 is the
// placeholder.
std::string GoldenLevelOne(bool isVersion1 = true) {
  SaveBuilder b(isVersion1);
  b.Level(0, 16);
  b.Location(2, 7);
  b.Entry(false, "L7 item 1", {{0, false}});
  b.Entry(true, "L7 item 2", {{1, true}, {2, true}});
  b.Entry(true, "L7 item 4", {{4, true}, {5, true}, {6, true}});
  b.EmptyEntries(7);
  b.Hidden({0, 10, 11, 12, 14, 16});
  b.Location(1, 3);
  b.Entry(true, "L3 item 5", {{7, true}});
  b.EmptyEntries(9);
  b.Hidden({11, 12, 14, 16});
  for (int i = 2; i < 12; ++i) b.EmptySlot();
  b.Dynamics(255, 40, 0, 1, false, true, {{3, 1234}, {7, 4000}});
  return b.Bytes();
}

// Level 1 with location 7's block as theBlock writes it, location 3 as in the golden save.
std::string LevelOneWithLocation7(const std::function<void(SaveBuilder&)>& theBlock) {
  SaveBuilder b;
  b.Level(0, 16);
  theBlock(b);
  b.Location(1, 3);
  b.Entry(true, "L3 item 5", {{7, true}});
  b.EmptyEntries(9);
  b.Hidden({11, 12, 14, 16});
  for (int i = 2; i < 12; ++i) b.EmptySlot();
  b.Dynamics(255, 255, 0, 0, false, false, {});
  return b.Bytes();
}

// What a restore must bring back, and what a refused one must leave alone.
struct LevelState {
  struct Entry {
    int mCount, mKind;
    bool mActive;
    std::wstring mName;
    std::vector<long> mParts;
    std::vector<bool> mToFind;
    bool operator==(const Entry& o) const {
      return mCount == o.mCount && mKind == o.mKind && mActive == o.mActive && mName == o.mName &&
             mParts == o.mParts && mToFind == o.mToFind;
    }
  };
  int mRunestones = 0, mMaxObjects = 0;
  std::vector<int> mIds, mOpen;
  std::vector<Entry> mEntries;
  std::vector<bool> mVisible;
  std::vector<int> mDynamics;

  static LevelState Of(LevelData& theLevel) {
    LevelState s;
    s.mRunestones = theLevel.m_runestonesFound;
    s.mMaxObjects = theLevel.m_maxObjects;
    for (LocationData& l : theLevel.m_locations) {
      s.mIds.push_back(l.m_id);
      s.mOpen.push_back(static_cast<int>(l.m_numOpen));
      for (const FindInfo& f : l.m_findInfo) {
        Entry e{f.getCount(), f.getKind(), f.isActive(), f.m_name, {}, {}};
        for (int k = 0; k < f.getCount(); ++k) {
          e.mParts.push_back(f.m_parts[k] - l.m_selectables);
          e.mToFind.push_back(f.m_parts[k]->isToFind());
          EXPECT_EQ(f.m_parts[k]->m_findInfo, &f);
        }
        s.mEntries.push_back(e);
      }
      for (uint32_t i = 0; i < l.m_numObjects; ++i) s.mVisible.push_back(l.m_selectables[i].isVisible());
    }
    const LevelDynamics& d = Tesk::InGame::m_levelDynamics;
    s.mDynamics = {d.m_darkness9,         d.m_darkness12,        d.m_darknessCounter9,
                   d.m_darknessCounter12, d.m_darknessClearing9, d.m_darknessClearing12};
    for (uint16_t t : d.m_repelTimers) s.mDynamics.push_back(t);
    return s;
  }
  bool operator==(const LevelState& o) const {
    return mRunestones == o.mRunestones && mMaxObjects == o.mMaxObjects && mIds == o.mIds &&
           mOpen == o.mOpen && mEntries == o.mEntries && mVisible == o.mVisible && mDynamics == o.mDynamics;
  }
};

class LevelSaveTest : public testing::Test {
 protected:
  void SetUp() override {
    mApp.mProfile.setProfileName(L"Saver");
    mApp.mProfile.startNewGame(0);
  }
  void WriteLocations(int theItemsPerGroup) {
    for (int anId : {7, 3})
      ASSERT_TRUE(WriteLocationFiles(mFolder.dir(), anId, StandardLocation(anId, theItemsPerGroup)));
  }
  std::string SavePath() { return mFolder.dir() + "/level.sav0"; }
  LevelData& Level() { return *mApp.mLevel; }

  PlayTest::InFolder mFolder{"level-save"};
  PlayTest::RigApp mApp;
};

TEST_F(LevelSaveTest, TheGoldenSaveOfLevelOneRestoresAndIsWrittenBackByteForByte) {
  WriteLocations(2);
  const std::string aGolden = GoldenLevelOne();
  ASSERT_TRUE(TeskTest::WriteFile(SavePath(), aGolden));
  mApp.mProfile.adjustLevelTimer(-5000);
  const int aClock = mApp.mProfile.getLevelTimer();
  ASSERT_TRUE(Level().load(1, true)) << Level().getLoadError();
  EXPECT_EQ(mApp.mProfile.getLevelTimer(), aClock);  // the clock lives in the profile

  LocationData& l7 = *Level().getLocationData(7);
  EXPECT_EQ(l7.m_numOpen, 2u);
  EXPECT_FALSE(l7.m_findInfo[0].isActive());
  EXPECT_EQ(l7.m_findInfo[1].m_name, L"L7 item 2");
  EXPECT_EQ(l7.m_findInfo[2].getCount(), 3);
  EXPECT_EQ(l7.m_findInfo[2].m_parts[2], &l7.m_selectables[6]);
  EXPECT_EQ(l7.m_findInfo[2].getKind(), 4);
  EXPECT_EQ(l7.m_selectables[6].m_findInfo, &l7.m_findInfo[2]);
  EXPECT_TRUE(l7.m_selectables[6].isToFind());
  EXPECT_FALSE(l7.m_selectables[0].isVisible());
  EXPECT_FALSE(l7.m_selectables[0].isToFind());
  EXPECT_TRUE(l7.m_selectables[9].isVisible());  // coin 0 is offered at level 1
  EXPECT_EQ(l7.m_findInfo[3].getCount(), 0);
  EXPECT_FALSE(l7.m_findInfo[3].isActive());
  EXPECT_EQ(Level().getLocationData(3)->m_findInfo[0].m_parts[0],
            &Level().getLocationData(3)->m_selectables[7]);
  const LevelDynamics& d = Tesk::InGame::m_levelDynamics;
  EXPECT_EQ(d.m_darkness12, 40);
  EXPECT_TRUE(d.m_darknessClearing12);
  EXPECT_EQ(d.m_darknessCounter12, 1);
  EXPECT_EQ(d.m_repelTimers[3], 1234);
  EXPECT_EQ(d.m_repelTimers[7], 4000);

  ASSERT_EQ(std::remove(SavePath().c_str()), 0);
  ASSERT_TRUE(Level().saveLevelData());
  EXPECT_EQ(TeskTest::ReadFile(SavePath()), aGolden);

  // The first layout (no header, 8-bit names) restores the same level.
  const LevelState aFromVersion1 = LevelState::Of(Level());
  ASSERT_TRUE(TeskTest::WriteFile(SavePath(), GoldenLevelOne(false)));
  ASSERT_TRUE(Level().load(1, true)) << Level().getLoadError();
  EXPECT_TRUE(LevelState::Of(Level()) == aFromVersion1);
  EXPECT_EQ(Level().levelSaveBytes(), aGolden);
}

TEST_F(LevelSaveTest, ALevelInProgressSavedAndResumedIsTheSameLevel) {
  WriteLocations(10);
  Tesk::SRand(77);
  ASSERT_TRUE(Level().load(1, false));
  // Play a little: the first entry of location 7 found, the reveal pickup of 3 taken, an
  // entry whose parts left a hole in the middle, the dynamics moved on.
  LocationData& l7 = *Level().getLocationData(7);
  FindInfo& aFound = l7.m_findInfo[0];
  for (int k = 0; k < aFound.getCount(); ++k) {
    aFound.m_parts[k]->setVisible(false);
    aFound.m_parts[k]->setToFind(false);
  }
  aFound.setActive(false);
  --l7.m_numOpen;
  Level().getLocationData(3)->m_revealObject->setVisible(false);
  Level().m_maxObjects = 15;
  LevelDynamics& d = Tesk::InGame::m_levelDynamics;
  d.m_darkness9 = 17;
  d.m_darknessClearing9 = true;
  d.m_darknessCounter12 = 2;
  d.m_repelTimers[7] = 2999;
  const LevelState aBefore = LevelState::Of(Level());
  ASSERT_TRUE(Level().saveLevelData());
  EXPECT_EQ(TeskTest::ReadFile(SavePath()), Level().levelSaveBytes());

  PlayTest::RigApp aLater;
  aLater.mProfile.setProfileName(L"Saver");
  aLater.mProfile.startNewGame(0);
  Tesk::SRand(5);  // another generator state: nothing is drawn
  ASSERT_TRUE(aLater.mLevel->load(1, true));
  EXPECT_TRUE(LevelState::Of(*aLater.mLevel) == aBefore);

  // An entry whose parts have a hole is written packed and read back in slots 0 to count - 1.
  FindInfo& anEntry = Level().getLocationData(3)->m_findInfo[1];
  ASSERT_TRUE(anEntry.isActive());
  Selectable* aPart = anEntry.m_parts[0];
  anEntry.m_parts[0] = nullptr;
  anEntry.m_parts[5] = aPart;
  ASSERT_TRUE(Level().saveLevelData());
  ASSERT_TRUE(aLater.mLevel->load(1, true));
  const FindInfo& aBack = aLater.mLevel->getLocationData(3)->m_findInfo[1];
  ASSERT_EQ(aBack.getCount(), anEntry.getCount());
  EXPECT_EQ(aBack.m_parts[aBack.getCount() - 1] - aLater.mLevel->getLocationData(3)->m_selectables,
            aPart - Level().getLocationData(3)->m_selectables);
}

TEST_F(LevelSaveTest, AProcessKilledWhileSavingLeavesThePreviousSave) {
  WriteLocations(2);
  ASSERT_TRUE(TeskTest::WriteFile(SavePath(), GoldenLevelOne()));
  ASSERT_TRUE(Level().load(1, true));
  const std::string aBefore = TeskTest::ReadFile(SavePath());
  pid_t aChild = fork();
  if (aChild == 0) {
    PreferencesFile::SetBeforeRenameHook([] { raise(SIGKILL); });
    Level().getLocationData(7)->m_findInfo[1].setActive(false);
    Level().saveLevelData();
    _exit(0);
  }
  int aStatus = 0;
  waitpid(aChild, &aStatus, 0);
  ASSERT_TRUE(WIFSIGNALED(aStatus));
  EXPECT_EQ(WTERMSIG(aStatus), SIGKILL);
  EXPECT_EQ(TeskTest::ReadFile(SavePath()), aBefore);
  ASSERT_TRUE(Level().load(1, true));
  EXPECT_TRUE(Level().getLocationData(7)->m_findInfo[1].isActive());
  // A folder that cannot take the file: false, and the level stays in memory.
  ASSERT_TRUE(TeskTest::WriteFile(mFolder.dir() + "/notafolder", "x"));
  Tesk::SetAppDataFolder(mFolder.dir() + "/notafolder/");
  EXPECT_FALSE(Level().saveLevelData());
}

TEST_F(LevelSaveTest, EveryCutShortSaveIsRefusedAndChangesNothing) {
  WriteLocations(2);
  Tesk::SRand(3);
  ASSERT_TRUE(Level().load(1, false));
  const LevelState aFresh = LevelState::Of(Level());
  const std::string aGolden = GoldenLevelOne();
  for (size_t aLength = 0; aLength < aGolden.size(); ++aLength) {
    std::string anError;
    ASSERT_FALSE(Level().readLevelSave(aGolden.substr(0, aLength), &anError)) << aLength;
    ASSERT_FALSE(anError.empty());
    ASSERT_TRUE(LevelState::Of(Level()) == aFresh) << aLength;
  }
  std::string anError;
  EXPECT_FALSE(Level().readLevelSave(aGolden.substr(0, 200), &anError));
  EXPECT_EQ(anError, "it ends inside location 7");
}

TEST_F(LevelSaveTest, DamagedSavesAreRefusedWithTheirReason) {
  WriteLocations(2);
  Tesk::SRand(3);
  ASSERT_TRUE(Level().load(1, false));
  const LevelState aFresh = LevelState::Of(Level());
  const std::string aGolden = GoldenLevelOne();
  // Offsets within the golden file, from the layout: header 8, level 2, slot 0 from 10.
  const size_t k_open7 = 10, k_id7 = 14, k_entry0 = 18;
  const size_t k_name0 = k_entry0 + 3;  // "L7 item 1" and its zero: 10 x 4
  const size_t k_part0 = k_name0 + 40;  // object 0's reference
  const size_t k_dynamics = aGolden.size() - 38;
  struct Case {
    const char* mWhat;
    size_t mOffset;
    std::string mBytes;   // written over the golden file at mOffset
    const char* mReason;  // part of the reason given
  };
  auto U32 = [](uint32_t v) {
    Tesk::ByteWriter w;
    w.u32(v);
    return w.str();
  };
  const Case k_cases[] = {
      {"more open entries than a list has", k_open7, U32(11), "location 7 has 11 open entries"},
      {"another location in the slot", k_id7, U32(5), "slot 0 holds location 5, but this level has 7"},
      {"a location id out of range", k_id7, U32(40), "location slot 0 holds location 40"},
      {"too many parts", k_entry0, std::string(1, '\x0D'), "has 13 parts"},
      {"an active flag of 2", k_entry0 + 1, std::string(1, '\x02'), "active flag of location 7 is 2"},
      {"an empty name", k_entry0 + 2, std::string(1, '\x00'), "a name of 0 characters"},
      {"a name too long", k_entry0 + 2, std::string(1, '\x41'), "a name of 65 characters"},
      {"a name without its zero", k_name0 + 36, U32('x'), "has no end"},
      {"a reference between records", k_part0, U32(17), "refers to byte 17"},
      {"a reference past the records", k_part0, U32(16 * 100), "refers to byte 1600"},
      {"an object the location lacks", k_part0, U32(16 * 40), "location 7 has no object 40"},
      {"an object in two entries", k_part0, U32(16 * 5), "object 5 of location 7 is listed twice"},
      {"a to-find flag of 7", k_part0 + 4, std::string(1, '\x07'), "to-find flag of location 7 is 7"},
      {"a darkness counter out of its steps", k_dynamics + 2, U32(1u << 31),
       "darkness counters are -2147483648"},
      {"a clearing flag of 3", k_dynamics + 10, std::string(1, '\x03'), "clearing flag"},
      {"a repel spell longer than one", k_dynamics + 12 + 2 * 7, std::string("\xA1\x0F", 2),
       "location 7 has 4001 updates left"},
  };
  for (const Case& c : k_cases) {
    SCOPED_TRACE(c.mWhat);
    std::string aBytes = aGolden;
    aBytes.replace(c.mOffset, c.mBytes.size(), c.mBytes);
    std::string anError;
    EXPECT_FALSE(Level().readLevelSave(aBytes, &anError));
    EXPECT_NE(anError.find(c.mReason), std::string::npos) << anError;
    EXPECT_TRUE(LevelState::Of(Level()) == aFresh);
  }
  // Whole-file damage: a byte too many, a hidden object out of range, and no end marker.
  struct FileCase {
    const char* mWhat;
    std::string mBytes;
    const char* mReason;
  };
  std::string aHiddenOut = aGolden;
  const size_t aMarker7 = aGolden.find(U32(0x00ACDCAC));
  aHiddenOut.replace(aMarker7 - 4, 4, U32(100));
  std::string aHiddenMissing = aGolden;
  aHiddenMissing.replace(aMarker7 - 4, 4, U32(17));
  std::string aNoMarker = aGolden.substr(0, aMarker7) + U32(16) + U32(16);
  std::string aVersion0Magic = aGolden;
  aVersion0Magic.replace(4, 4, U32(0));
  const FileCase k_files[] = {
      {"a byte after the end", aGolden + '\0', "1 bytes follow its end"},
      {"a hidden index past any location", aHiddenOut, "location 7 hides object 100"},
      {"a hidden object the location lacks", aHiddenMissing, "location 7 has no object 17 to hide"},
      {"hidden objects that never end", aNoMarker, "it ends inside location 7"},
      // Magic and version 0: the headerless layout from the first byte, whose runestone count
      // is then the magic's first byte.
      {"the magic with version 0", aVersion0Magic, "it counts 170 runestones found"},
      {"nothing at all", "", "it ends inside the level"},
  };
  for (const FileCase& c : k_files) {
    SCOPED_TRACE(c.mWhat);
    std::string anError;
    EXPECT_FALSE(Level().readLevelSave(c.mBytes, &anError));
    EXPECT_NE(anError.find(c.mReason), std::string::npos) << anError;
    EXPECT_TRUE(LevelState::Of(Level()) == aFresh);
  }
}

TEST_F(LevelSaveTest, ADamagedSaveFileIsKeptAsideUnderItsOwnNumberWithAMessageAndTheProfileKept) {
  WriteLocations(10);
  std::string aDamaged = GoldenLevelOne();
  aDamaged.resize(aDamaged.size() - 200);  // within location 3's block
  ASSERT_TRUE(TeskTest::WriteFile(SavePath(), aDamaged));
  mApp.mProfile.setHasSaveFile(true);
  mApp.mProfile.adjustLevelTimer(-777);
  const int aClock = mApp.mProfile.getLevelTimer();
  testing::internal::CaptureStderr();
  ASSERT_TRUE(Level().load(1, true)) << Level().getLoadError();
  const std::string aLog = testing::internal::GetCapturedStderr();
  EXPECT_NE(aLog.find("level.sav0 is damaged (it ends inside location 3); it is kept as " + SavePath() +
                      ".corrupt1"),
            std::string::npos)
      << aLog;
  // Out of the way of the next save, as it was.
  EXPECT_EQ(TeskTest::ReadFile(SavePath() + ".corrupt1"), aDamaged);
  EXPECT_FALSE(std::filesystem::exists(SavePath()));
  // The level goes on with fresh lists and the profile's own clock.
  EXPECT_EQ(mApp.mProfile.getLevelTimer(), aClock);
  EXPECT_EQ(std::wstring(mApp.mProfile.getProfileName()), L"Saver");
  // The profile no longer claims a save (its has-save byte, 81 into the first record).
  EXPECT_EQ(mApp.mProfile.toFileBytes()[8 + 81], '\0');
  for (int anId : {7, 3}) {
    EXPECT_EQ(Level().getLocationData(anId)->m_numOpen, 10u) << anId;
    for (const FindInfo& e : Level().getLocationData(anId)->m_findInfo) EXPECT_TRUE(e.isActive());
  }
  EXPECT_EQ(Tesk::InGame::m_levelDynamics.m_repelTimers[7], 0);
  // A save too large to be one is refused unread, and kept beside the first without touching it.
  const std::string aTooLarge(LevelData::k_maxSaveFileSize + 1, '\0');
  ASSERT_TRUE(TeskTest::WriteFile(SavePath(), aTooLarge));
  testing::internal::CaptureStderr();
  ASSERT_TRUE(Level().load(1, true));
  const std::string aSecondLog = testing::internal::GetCapturedStderr();
  EXPECT_NE(aSecondLog.find("larger than 65536 bytes); it is kept as " + SavePath() + ".corrupt2"),
            std::string::npos)
      << aSecondLog;
  EXPECT_EQ(TeskTest::ReadFile(SavePath() + ".corrupt1"), aDamaged);
  EXPECT_EQ(TeskTest::ReadFile(SavePath() + ".corrupt2"), aTooLarge);
  // The next save is the level's own again.
  ASSERT_TRUE(Level().saveLevelData());
  EXPECT_EQ(TeskTest::ReadFile(SavePath()), Level().levelSaveBytes());
  EXPECT_EQ(TeskTest::ReadFile(SavePath() + ".corrupt1"), aDamaged);
}

// A location is done when its open count reaches 0, one entry at a time as the last part of
// each is found: a save whose open entries cannot all be finished, or whose count is not the
// number of open entries, would leave the level unwinnable.
TEST_F(LevelSaveTest, ASaveWhoseOpenEntriesCannotBeFinishedIsRefused) {
  WriteLocations(2);
  Tesk::SRand(3);
  ASSERT_TRUE(Level().load(1, false));
  const LevelState aFresh = LevelState::Of(Level());
  using Part = SaveBuilder::Part;
  struct Case {
    const char* mWhat;
    int mOpen;
    std::vector<Part> mItem2, mItem4;  // the parts of the two open entries
    std::vector<uint32_t> mHidden;
    const char* mReason;  // part of the reason given, or null: accepted
  };
  const std::vector<Part> kItem2 = {{1, true}, {2, true}}, kItem4 = {{4, true}, {5, true}, {6, true}};
  const std::vector<uint32_t> kHidden = {0, 10, 11, 12, 14, 16};
  const Case k_cases[] = {
      {"two open entries, each with its parts", 2, kItem2, kItem4, kHidden, nullptr},
      {"a count above the open entries", 3, kItem2, kItem4, kHidden,
       "location 7 counts 3 open entries but has 2"},
      {"a count below the open entries", 1, kItem2, kItem4, kHidden,
       "location 7 counts 1 open entries but has 2"},
      {"an open entry with no parts",
       2,
       kItem2,
       {},
       kHidden,
       "an open entry of location 7 has nothing to find"},
      {"an open entry's part already found",
       2,
       kItem2,
       {{4, true}, {5, false}, {6, true}},
       kHidden,
       "object 5 of an open entry of location 7 cannot be found"},
      {"an open entry's part hidden",
       2,
       kItem2,
       kItem4,
       {0, 6, 10, 11, 12, 14, 16},
       "object 6 of an open entry of location 7 cannot be found"},
      // A click on it counts for the entry of its own kind.
      {"an open entry of two kinds",
       2,
       {{1, true}, {3, true}},
       kItem4,
       kHidden,
       "object 3 of an open entry of location 7 cannot be found"},
      // A coin found fills the coin count, not the list.
      {"a coin in an open entry",
       2,
       kItem2,
       {{9, true}},
       kHidden,
       "object 9 of an open entry of location 7 cannot be found"},
      {"two open entries of one kind",
       2,
       {{4, true}},
       {{5, true}, {6, true}},
       kHidden,
       "two open entries of location 7 list kind"},
  };
  for (const Case& c : k_cases) {
    SCOPED_TRACE(c.mWhat);
    const std::string aBytes = LevelOneWithLocation7([&c](SaveBuilder& b) {
      b.Location(c.mOpen, 7);
      b.Entry(false, "L7 item 1", {});
      b.Entry(true, "L7 item 2", c.mItem2);
      b.Entry(true, "L7 item 4", c.mItem4);
      b.EmptyEntries(7);
      b.Hidden(c.mHidden);
    });
    std::string anError;
    const bool isRead = Level().readLevelSave(aBytes, &anError);
    if (c.mReason == nullptr) {
      EXPECT_TRUE(isRead) << anError;
      EXPECT_EQ(Level().getLocationData(7)->m_numOpen, 2u);
      Tesk::SRand(3);
      ASSERT_TRUE(Level().load(1, false));
      continue;
    }
    EXPECT_FALSE(isRead);
    EXPECT_NE(anError.find(c.mReason), std::string::npos) << anError;
    EXPECT_TRUE(LevelState::Of(Level()) == aFresh);
  }
  // Resumed through the level's load: the save is kept aside and the level is played with
  // lists that can be finished.
  ASSERT_TRUE(TeskTest::WriteFile(SavePath(), LevelOneWithLocation7([](SaveBuilder& b) {
                                    b.Location(3, 7);
                                    b.Entry(false, "L7 item 1", {});
                                    b.Entry(true, "L7 item 2", {{1, true}, {2, true}});
                                    b.Entry(true, "L7 item 4", {{4, true}, {5, true}, {6, true}});
                                    b.EmptyEntries(7);
                                    b.Hidden({0, 10, 11, 12, 14, 16});
                                  })));
  mApp.mProfile.setHasSaveFile(true);
  testing::internal::CaptureStderr();
  ASSERT_TRUE(Level().load(1, true)) << Level().getLoadError();
  const std::string aLog = testing::internal::GetCapturedStderr();
  EXPECT_NE(aLog.find("counts 3 open entries but has 2); it is kept as"), std::string::npos) << aLog;
  EXPECT_FALSE(mApp.mProfile.getHasSaveFile());
  for (int anId : {7, 3}) {
    const LocationData& l = *Level().getLocationData(anId);
    int anOpen = 0;
    for (const FindInfo& e : l.m_findInfo) {
      if (!e.isActive()) continue;
      ++anOpen;
      EXPECT_GT(e.getCount(), 0) << anId;
    }
    EXPECT_EQ(static_cast<int>(l.m_numOpen), anOpen) << anId;
  }
}

TEST_F(LevelSaveTest, EachProfileHasASaveOfItsOwn) {
  WriteLocations(2);
  EXPECT_EQ(Level().getLevelSavePath(), mFolder.dir() + "/level.sav0");
  mApp.mProfile.setProfileUsing(2);
  EXPECT_EQ(Level().getLevelSavePath(), mFolder.dir() + "/level.sav2");
}

}  // namespace

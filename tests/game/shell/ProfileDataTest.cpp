#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>
#include <vector>

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/Common.h"
#include "core/MTRand.h"
#include "game/shell/ProfileData.h"
#include "platform/corefoundation/PreferencesFile.h"
#include "support/TestTemp.h"

using namespace Tesk;

namespace {

class ProfileDataTest : public testing::Test {
 protected:
  void SetUp() override {
    mDir = TeskTest::MakeTempDir("profiles") + "/";
    SetAppDataFolder(mDir);
  }
  void TearDown() override { SetAppDataFolder(""); }

  std::string ProfilePath() const { return mDir + "profile.prof"; }

  static uint32_t U32At(const std::string& theBytes, size_t theOffset) {
    ByteReader anIn(theBytes.data(), theBytes.size());
    anIn.seek(theOffset);
    return anIn.u32();
  }

  std::string mDir;
};

// Every field of one record set to a value of its own, so a shifted field shows.
void FillProfile(ProfileData& theData) {
  theData.setProfileUsing(2);
  theData.setProfileName(L"Wren");
  SRand(77);
  theData.startNewGame(1);
  theData.setCoinBlock(3);
  theData.setCoinBlock(40);
  theData.setRepelEvilSpellBlock(7);
  theData.setHintBlock(5);
  theData.increaseRepelCount();
  theData.advanceLevelOn();
  theData.setNewLevel(112345, 3, 0.75f);
  theData.setLevelGrade(1.25f);
  theData.setLevelGradePlus();
  theData.setHasSaveFile(true);
  theData.setSaveInMinigame(true);
  theData.updateGameTotalTime(4321);
  theData.increaseNumMisPresses();
  theData.setDistractionsOff(true);
  theData.setWandUsing(2);
  theData.setMapUsing(1);
  theData.setOtherMapUnlocked();
  theData.setBestLevelTime(12, 4242);
  theData.addRankRecord(L"Wren", 2.0f, 1, 600);
}

}  // namespace

TEST_F(ProfileDataTest, ANewInstallationHasNoProfilesAndTheBuiltInRecords) {
  ProfileData aData;
  EXPECT_FALSE(aData.loadProfile());
  EXPECT_EQ(aData.getTotalProfilesLoaded(), 0);
  EXPECT_EQ(aData.getNextAvailableProfile(), 0);
  EXPECT_EQ(aData.getProfileIdxUsing(), 0);
  EXPECT_TRUE(aData.getHelpBox());
  EXPECT_FALSE(aData.isExtraHardDiffUnlocked());
  // 0.9 of each level's limit of normal difficulty, in 32-bit float.
  const int k_bestTimes[13] = {113400, 108000, 129600, 124200, 118800, 151200, 140400,
                               129600, 178200, 172800, 162000, 216000, 54000};
  for (int i = 0; i < 13; ++i) EXPECT_EQ(aData.getBestLevelTime(i), k_bestTimes[i]) << i;
  EXPECT_EQ(aData.getBestLevelTime(13), k_bestTimes[0]);  // outside 0-12 reads index 0
  EXPECT_EQ(aData.getBestLevelTime(-1), k_bestTimes[0]);
  struct Rank {
    float mGrade;
    int mTime;
    uint32_t mDifficulty;
  };
  const Rank k_ranks[6] = {{1.0f, 17582, 1}, {1.2f, 18181, 2}, {1.6f, 18781, 1},
                           {0.9f, 19380, 2}, {1.2f, 19980, 0}, {0.2f, 20579, 0}};
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    const RankRecord* r = aData.getRankRecord(i);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->mGrade, k_ranks[i].mGrade);
    EXPECT_EQ(r->mTimeSeconds, k_ranks[i].mTime);
    EXPECT_EQ(r->mDifficulty, k_ranks[i].mDifficulty);
    EXPECT_GT(std::wcslen(r->mName), 0u);
    EXPECT_LE(std::wcslen(r->mName), 9u);
  }
  EXPECT_EQ(aData.getRankRecord(6), nullptr);
}

TEST_F(ProfileDataTest, HallOfFameNamesComeFromTheDefaultsFile) {
  auto Utf16 = [](const std::u16string& theText) {
    ByteWriter anOut;
    for (char16_t c : theText) anOut.u16(c);
    return anOut.str();
  };
  struct Case {
    const char* mWhat;
    std::string mBytes;
    std::vector<std::wstring> mNames;  // empty: the built-in names stay
  };
  const std::u16string aMark = u"\xFEFF";
  const Case k_cases[] = {
      {"six lines, the rest ignored",
       Utf16(aMark + u"?Ada\nBea\nCy\nDee\nEve\nFay\nGus\n"),
       {L"Ada", L"Bea", L"Cy", L"Dee", L"Eve", L"Fay"}},
      {"cut at nine, a return counts, the end of the file ends a line",
       Utf16(aMark + u"?Maximilian the Great\nRo\r\nTi"),
       {L"Maximilia", L"Ro\r", L"Ti"}},
      {"wide characters keep their units",
       Utf16(aMark + u"?\u00C9lodie\n\u4E2D"),
       {L"\u00C9lodie", L"\u4E2D"}},
      {"no byte-order mark", Utf16(u"\xFFFE?Ada\n"), {}},
      {"only the mark", Utf16(aMark), {}},
      {"empty", "", {}},
  };
  ProfileData aBuiltIn;
  for (const Case& c : k_cases) {
    SCOPED_TRACE(c.mWhat);
    ASSERT_TRUE(TeskTest::WriteFile(mDir + "hsdefaults.txt", c.mBytes));
    ProfileData aData;
    for (int i = 0; i < 6; ++i) {
      const std::wstring aWanted = i < static_cast<int>(c.mNames.size())
                                       ? c.mNames[i]
                                       : std::wstring(aBuiltIn.getRankRecord(i)->mName);
      EXPECT_EQ(std::wstring(aData.getRankRecord(i)->mName), aWanted) << i;
      EXPECT_EQ(aData.getRankRecord(i)->mTimeSeconds, aBuiltIn.getRankRecord(i)->mTimeSeconds);
    }
  }
}

TEST_F(ProfileDataTest, TheFileRoundTripsByteForByteInItsLayout) {
  ProfileData aData;
  FillProfile(aData);
  aData.saveProfile();
  const std::string aBytes = TeskTest::ReadFile(ProfilePath());
  ASSERT_EQ(aBytes.size(), 800u);
  struct stat aStat;
  ASSERT_EQ(stat(ProfilePath().c_str(), &aStat), 0);
  EXPECT_EQ(aStat.st_mode & 0777, 0666u);  // everybody reads and writes; nobody executes

  const size_t k_record2 = 8 + 2 * 100;
  const size_t k_header = 8 + 400;
  struct Field {
    const char* mWhat;
    size_t mOffset;
    uint32_t mValue;
  };
  const Field k_fields[] = {
      {"magic", 0, 0x00ACDCAA},
      {"version", 4, 1},
      {"name unit 0", k_record2, 'W'},
      {"name unit 3", k_record2 + 12, 'n'},
      {"name unit 4 ends it", k_record2 + 16, 0},
      // in progress, 2 coins, timed, distractions off, wand 2, second map
      {"flags", k_record2 + 44, 1u | 2u << 1 | 1u << 11 | 1u << 13 | 2u << 14 | 1u << 16},
      {"repel and reveal pickups", k_record2 + 48, 1u << 7},
      {"coin word 0", k_record2 + 52, 1u << 3},
      {"coin word 1", k_record2 + 56, 1u << 8},
      {"hint block", k_record2 + 60, 1u << 5},
      {"reserved, repel count, level, charges used", k_record2 + 64, 0u | 1u << 8 | 2u << 16 | 24u << 24},
      {"timer", k_record2 + 68, 112345},
      {"repel charge 0.75", k_record2 + 72, 0x3F400000},
      {"level grade 1.25", k_record2 + 76, 0x3FA00000},
      {"plus, has save, in mini-game", k_record2 + 80, 1u | 1u << 8 | 1u << 16},
      {"total time", k_record2 + 88, 4321},
      {"header word: profile 2, help, second map", k_header, 2u | 1u << 3 | 1u << 5},
      {"best time of level 13", k_header + 4 + 12 * 4, 4242},
      {"first rank's name", k_header + 56, 'W'},
      {"first rank's grade 2.0", k_header + 56 + 44, 0x40000000},
      {"first rank's time", k_header + 56 + 48, 600},
      {"first rank's difficulty", k_header + 56 + 52, 1},
  };
  for (const Field& f : k_fields) EXPECT_EQ(U32At(aBytes, f.mOffset), f.mValue) << f.mWhat;
  EXPECT_EQ(static_cast<uint8_t>(aBytes[k_record2 + 92]), 1);  // one mis-press
  const uint8_t* aStones = aData.getFinalLevelRunestones();
  EXPECT_EQ(std::memcmp(aBytes.data() + k_record2 + 93, aStones, 5), 0);

  ProfileData aBack;
  ASSERT_TRUE(aBack.loadProfile());
  EXPECT_EQ(aBack.getProfileIdxUsing(), 2);
  EXPECT_EQ(std::wstring(aBack.getProfileName()), L"Wren");
  EXPECT_EQ(aBack.getLevelTimer(), 112345);
  ASSERT_TRUE(TeskTest::WriteFile(ProfilePath(), ""));
  aBack.saveProfile();
  EXPECT_EQ(TeskTest::ReadFile(ProfilePath()), aBytes);
}

TEST_F(ProfileDataTest, TheOlderLayoutIsConvertedFieldByField) {
  ByteWriter anOld;
  for (int i = 0; i < 4; ++i) {
    if (i == 1) {
      const char aName[11] = {'O', 'l', 'd', '\xE9', 'r', 0, 0, 0, 0, 0, 0};
      anOld.bytes(aName, 11);
      anOld.u8(1u | 5u << 1);  // in progress, 5 coins
      anOld.u16(5u | 2u << 3 | 1u << 5 | 2u << 6 |
                1u << 8);  // reserved 5, hardest, no distractions, wand 2, map 2
      anOld.u16(0x0102);   // repel pickups
      anOld.u16(0x0304);   // reveal pickups
      anOld.zeros(2);
      anOld.u32(0x11111111);
      anOld.u32(0x22222222);
      anOld.u32(0x00ABCDEF);  // hint block
      anOld.u8(9);            // reserved
      anOld.u8(4);            // repel count
      anOld.u8(6);            // level
      anOld.u8(3);            // charges used
      anOld.i32(123450);      // timer
      anOld.f32(0.5f);
      anOld.f32(1.5f);
      anOld.u8(0xFF);  // plus flags: only bits 0-1 carry over
      anOld.u8(1);
      anOld.u8(1);
      anOld.zeros(1);
      anOld.f32(2.25f);
      anOld.u32(12345);
      anOld.u8(77);  // not converted
      const uint8_t aStones[5] = {3, 255, 9, 12, 0};
      anOld.bytes(aStones, 5);
      anOld.zeros(2);
    } else {
      anOld.zeros(68);
    }
  }
  anOld.u32(1u | 1u << 3 | 1u << 4 | 1u << 6 |
            0xFF00u);  // profile 1, help, extra hard, wands; junk above bit 6
  for (int i = 0; i < 13; ++i) anOld.u32(1000u + i);
  for (int i = 0; i < 6; ++i) {
    const char aName[11] = {'R', static_cast<char>('0' + i), 0, 0, 0, 0, 0, 0, 0, 0, 0};
    anOld.bytes(aName, 11);
    anOld.zeros(1);
    anOld.f32(0.25f * i);
    anOld.i32(100 * i);
    anOld.u32(0xFFFFFFF0u | static_cast<uint32_t>(i % 4));
  }
  ASSERT_EQ(anOld.size(), 472u);
  ASSERT_TRUE(TeskTest::WriteFile(ProfilePath(), anOld.str()));

  ProfileData aData;
  ASSERT_TRUE(aData.loadProfile());
  EXPECT_EQ(aData.getTotalProfilesLoaded(), 1);
  EXPECT_EQ(aData.getProfileIdxUsing(), 1);
  const std::wstring aName = aData.getProfileName();
  ASSERT_EQ(aName.size(), 5u);
  EXPECT_EQ(aName[3], static_cast<wchar_t>(-23));  // 0xE9 widened as a signed byte
  EXPECT_TRUE(aData.doesLevelDataExist());
  EXPECT_EQ(aData.getCointTotal(), 5);
  EXPECT_EQ(aData.getDifficultyLevel(), 2);
  EXPECT_TRUE(aData.getDistractionsOff());
  EXPECT_EQ(aData.getWandUsing(), 2);
  EXPECT_EQ(aData.getMapUsing(), 1);
  EXPECT_TRUE(aData.getRepelEvilSpellBlock(1));
  EXPECT_TRUE(aData.getRevealSpellBlock(2));
  EXPECT_TRUE(aData.getCoinBlock(0));
  EXPECT_TRUE(aData.getCoinBlock(33));
  EXPECT_TRUE(aData.getHintBlock(0));
  EXPECT_EQ(aData.getLevelOn(), 6);
  EXPECT_FALSE(aData.isHintAvailable(0));
  EXPECT_FALSE(aData.isHintAvailable(1));
  EXPECT_TRUE(aData.isHintAvailable(2));
  EXPECT_EQ(aData.getLevelTimer(), 123450);
  EXPECT_EQ(aData.getRepelCharge(), 0.5f);
  EXPECT_EQ(aData.getLevelGrade(), 1.5f);
  EXPECT_TRUE(aData.getLevelGradePlus());
  EXPECT_TRUE(aData.getLevelGradePlusDisplayed());
  EXPECT_TRUE(aData.getSaveInMinigame());
  EXPECT_EQ(aData.getGameAvgGrade(), 2.25f);
  EXPECT_EQ(aData.getTotalGameTime(), 12345);
  EXPECT_EQ(aData.getNumMisPresses(), 0);  // the older layout has none
  EXPECT_EQ(aData.getFinalLevelRunestones()[0], 3);
  EXPECT_EQ(aData.getFinalLevelRunestones()[3], 12);
  EXPECT_TRUE(aData.getHelpBox());
  EXPECT_TRUE(aData.isExtraHardDiffUnlocked());
  EXPECT_FALSE(aData.isOtherMapUnlocked());
  EXPECT_TRUE(aData.areWandsUnlocked());
  EXPECT_EQ(aData.getBestLevelTime(12), 1012);
  for (int i = 0; i < 6; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(std::wstring(aData.getRankRecord(i)->mName),
              std::wstring(L"R") + static_cast<wchar_t>(L'0' + i));
    EXPECT_EQ(aData.getRankRecord(i)->mGrade, 0.25f * i);
    EXPECT_EQ(aData.getRankRecord(i)->mTimeSeconds, 100 * i);
    EXPECT_EQ(aData.getRankRecord(i)->mDifficulty, static_cast<uint32_t>(i % 4));
  }

  aData.saveProfile();
  const std::string aNew = TeskTest::ReadFile(ProfilePath());
  ASSERT_EQ(aNew.size(), 800u);
  EXPECT_EQ(U32At(aNew, 0), 0x00ACDCAAu);
  EXPECT_EQ(U32At(aNew, 8 + 100 + 44), 1u | 5u << 1 | 5u << 8 | 2u << 11 | 1u << 13 | 2u << 14 | 1u << 16);
  EXPECT_EQ(U32At(aNew, 8 + 100 + 64), 9u | 4u << 8 | 6u << 16 | 3u << 24);
  EXPECT_EQ(U32At(aNew, 408), 1u | 1u << 3 | 1u << 4 | 1u << 6);
}

TEST_F(ProfileDataTest, EachRefusedFileIsKeptAsideUnderItsOwnNumberAndAFreshSetStarts) {
  ProfileData aGood;
  FillProfile(aGood);
  const std::string aBytes = aGood.toFileBytes();
  std::string aNoVersion = aBytes;
  aNoVersion[4] = 0;  // version 0 reads as the older layout, which is 472 bytes
  struct Case {
    const char* mWhat;
    std::string mBytes;
  };
  const Case k_cases[] = {
      {"empty", ""},
      {"cut in the magic", aBytes.substr(0, 3)},
      {"cut in the records", aBytes.substr(0, 300)},
      {"one byte short", aBytes.substr(0, 799)},
      {"one byte over", aBytes + "x"},
      {"far too long", aBytes + std::string(100000, 'x')},
      {"version 0 at 800 bytes", aNoVersion},
      {"an older file one byte short", std::string(471, '\0')},
      {"an older file one byte over", std::string(473, '\0')},
  };
  // Each refused file so far, in the order they were refused.
  std::vector<std::string> aRefused;
  for (const Case& c : k_cases) {
    SCOPED_TRACE(c.mWhat);
    ASSERT_TRUE(TeskTest::WriteFile(ProfilePath(), c.mBytes));
    ProfileData aData;
    FillProfile(aData);  // whatever was in memory gives way to a fresh set
    testing::internal::CaptureStderr();
    EXPECT_FALSE(aData.loadProfile());
    const std::string aMessage = testing::internal::GetCapturedStderr();
    EXPECT_NE(aMessage.find("profile.prof: refused"), std::string::npos) << aMessage;
    EXPECT_NE(aMessage.find("fresh set of profiles"), std::string::npos) << aMessage;
    EXPECT_EQ(aData.getTotalProfilesLoaded(), 0);
    EXPECT_EQ(aData.getProfileIdxUsing(), 0);
    EXPECT_EQ(aData.toFileBytes(), ProfileData().toFileBytes());
    // Kept under the next number; every file refused before stays as it was.
    aRefused.push_back(c.mBytes);
    const std::string aKept = ProfilePath() + ".corrupt" + std::to_string(aRefused.size());
    EXPECT_NE(aMessage.find("the old file is kept as " + aKept), std::string::npos) << aMessage;
    for (size_t k = 0; k < aRefused.size(); ++k) {
      const std::string anAside = ProfilePath() + ".corrupt" + std::to_string(k + 1);
      EXPECT_TRUE(std::filesystem::exists(anAside)) << anAside;
      EXPECT_EQ(TeskTest::ReadFile(anAside), aRefused[k]) << anAside;
    }
    EXPECT_FALSE(std::filesystem::exists(ProfilePath() + ".corrupt" + std::to_string(aRefused.size() + 1)));
    aData.saveProfile();
    EXPECT_EQ(TeskTest::ReadFile(ProfilePath()).size(), 800u);
  }
}

TEST_F(ProfileDataTest, LoadedValuesThatWouldReachOutsideTheirTablesAreMadeSafe) {
  ProfileData aData;
  std::string aBytes = aData.toFileBytes();
  auto PutU32 = [&aBytes](size_t theOffset, uint32_t theValue) {
    for (int i = 0; i < 4; ++i) aBytes[theOffset + i] = static_cast<char>(theValue >> (8 * i));
  };
  for (int r = 0; r < 4; ++r) {
    for (int u = 0; u < 11; ++u) PutU32(8 + r * 100 + u * 4, 'A' + r);  // no terminator anywhere
    PutU32(8 + r * 100 + 44, 1);                                        // game in progress
  }
  aBytes[8 + 0 * 100 + 66] = 0;   // level 0
  aBytes[8 + 1 * 100 + 66] = 14;  // past the last level
  aBytes[8 + 2 * 100 + 66] = 13;
  aBytes[8 + 0 * 100 + 81] = 1;          // has a save
  PutU32(8 + 3 * 100 + 76, 0x7FC00000);  // NaN grade
  PutU32(408, 7 | 1u << 3);              // profile 7 in use
  for (int k = 0; k < 6; ++k)
    for (int u = 0; u < 11; ++u) PutU32(408 + 56 + k * 56 + u * 4, 'a' + k);
  ASSERT_TRUE(TeskTest::WriteFile(ProfilePath(), aBytes));

  testing::internal::CaptureStderr();
  ASSERT_TRUE(aData.loadProfile());
  const std::string aMessage = testing::internal::GetCapturedStderr();
  EXPECT_NE(aMessage.find("profile 7 in use does not exist"), std::string::npos) << aMessage;
  EXPECT_NE(aMessage.find("profile 1 is on level 14"), std::string::npos) << aMessage;
  EXPECT_EQ(aData.getProfileIdxUsing(), 0);
  for (int r = 0; r < 4; ++r) EXPECT_EQ(std::wcslen(aData.getProfileName(r)), 10u) << r;
  for (int k = 0; k < 6; ++k) EXPECT_EQ(std::wcslen(aData.getRankRecord(k)->mName), 10u) << k;
  EXPECT_TRUE(aData.doesNameExist(L"AAAAAAAAAA"));
  EXPECT_FALSE(aData.doesLevelDataExist());  // level 0: the stale game is ended
  aData.setProfileUsing(1);
  EXPECT_FALSE(aData.doesLevelDataExist());
  aData.setProfileUsing(2);
  EXPECT_TRUE(aData.doesLevelDataExist());  // level 13 is a real level
  aData.setProfileUsing(3);
  EXPECT_EQ(aData.getLevelGrade(), 0.0f);
}

TEST_F(ProfileDataTest, ALoadedClockTotalTimeOrWandOutsideWhatPlayCanReachIsClamped) {
  struct Case {
    const char* mWhat;
    int mLevel;
    uint32_t mDifficulty;
    uint32_t mTimer;  // as the file holds it
    int mClock;       // as loaded
  };
  const Case k_cases[] = {
      {"inside the allowance", 1, 1, 500, 500},
      {"the whole allowance", 1, 1, 126000, 126000},
      {"past the allowance", 1, 1, 136096, 126000},
      {"past the hardest allowance", 1, 2, 100000, 84000},
      {"less than nothing", 1, 1, static_cast<uint32_t>(-100), 0},
      {"far past the last level's", 13, 0, 0x7FFFFFFF, 60000},
      {"no level", 0, 1, 5000, 0},
  };
  for (const Case& c : k_cases) {
    SCOPED_TRACE(c.mWhat);
    ProfileData aData;
    std::string aBytes = aData.toFileBytes();
    auto PutU32 = [&aBytes](size_t theOffset, uint32_t theValue) {
      for (int i = 0; i < 4; ++i) aBytes[theOffset + i] = static_cast<char>(theValue >> (8 * i));
    };
    PutU32(8, 'A');
    PutU32(8 + 44, 1u | c.mDifficulty << 11 | 3u << 14);  // in progress, wand 3
    aBytes[8 + 66] = static_cast<char>(c.mLevel);
    PutU32(8 + 68, c.mTimer);
    PutU32(8 + 88, 42949572);  // seconds a wrapped clock once added
    ASSERT_TRUE(TeskTest::WriteFile(ProfilePath(), aBytes));
    ASSERT_TRUE(aData.loadProfile());
    EXPECT_EQ(aData.getLevelTimer(), c.mClock);
    // No more than all thirteen chapters allow at normal difficulty.
    EXPECT_EQ(aData.getTotalGameTime(), 19980);
    // Three wands to choose from: the fourth value of the field is none of them.
    EXPECT_EQ(aData.getWandUsing(), 0);
    EXPECT_EQ(aData.getDifficultyLevel(), static_cast<int>(c.mDifficulty));
  }
}

TEST_F(ProfileDataTest, AProcessKilledWhileSavingLeavesThePreviousFile) {
  ProfileData aData;
  aData.setProfileName(L"Before");
  aData.saveProfile();
  const std::string aBefore = TeskTest::ReadFile(ProfilePath());
  ASSERT_EQ(aBefore.size(), 800u);
  pid_t aChild = fork();
  if (aChild == 0) {
    PreferencesFile::SetBeforeRenameHook([] { raise(SIGKILL); });
    aData.setProfileName(L"After");
    aData.saveProfile();
    _exit(0);
  }
  int aStatus = 0;
  waitpid(aChild, &aStatus, 0);
  ASSERT_TRUE(WIFSIGNALED(aStatus));
  EXPECT_EQ(WTERMSIG(aStatus), SIGKILL);
  EXPECT_EQ(TeskTest::ReadFile(ProfilePath()), aBefore);
  ProfileData aBack;
  ASSERT_TRUE(aBack.loadProfile());
  EXPECT_EQ(std::wstring(aBack.getProfileName()), L"Before");
  aBack.setProfileName(L"Again");
  aBack.saveProfile();  // the leftover temporary file is no obstacle
  ProfileData aThird;
  ASSERT_TRUE(aThird.loadProfile());
  EXPECT_EQ(std::wstring(aThird.getProfileName()), L"Again");
}

TEST_F(ProfileDataTest, AnUnwritableFolderLeavesTheDataInMemory) {
  ASSERT_TRUE(TeskTest::WriteFile(mDir + "notafolder", "x"));
  SetAppDataFolder(mDir + "notafolder/");
  ProfileData aData;
  aData.setProfileName(L"Kept");
  testing::internal::CaptureStderr();
  aData.saveProfile();
  EXPECT_NE(testing::internal::GetCapturedStderr().find("cannot be written"), std::string::npos);
  EXPECT_EQ(std::wstring(aData.getProfileName()), L"Kept");
}

TEST_F(ProfileDataTest, ProfilesAreCountedSelectedAndDeletedInIndexOrder) {
  ProfileData aData;
  aData.setProfileUsing(0);
  aData.setProfileName(L"Zero");
  aData.setProfileUsing(2);
  aData.setProfileName(L"Two");
  EXPECT_EQ(aData.getTotalProfilesLoaded(), 2);
  EXPECT_EQ(aData.getNextAvailableProfile(), 1);
  EXPECT_TRUE(aData.doesNameExist(L"Two"));
  EXPECT_FALSE(aData.doesNameExist(L"two"));
  EXPECT_FALSE(aData.doesNameExist(L"Tw"));
  aData.setAvailableProfileUsing(1);
  EXPECT_EQ(aData.getProfileIdxUsing(), 2);
  aData.setAvailableProfileUsing(2);  // only two exist: nothing changes
  EXPECT_EQ(aData.getProfileIdxUsing(), 2);
  aData.setProfileUsing(-1);  // "no free slot" is not a profile
  EXPECT_EQ(aData.getProfileIdxUsing(), 2);
  aData.startNewGame(0);
  aData.deleteAvailableProfile(1);
  EXPECT_EQ(aData.getProfileIdxUsing(), 0);
  EXPECT_FALSE(aData.doesProfileExist(2));
  aData.setProfileUsing(2);
  EXPECT_FALSE(aData.doesLevelDataExist());
  EXPECT_EQ(aData.getLevelOn(), 1);  // the rest stays until the next new game
  aData.deleteAvailableProfile(0);
  aData.deleteAvailableProfile(0);  // none left: nothing happens
  EXPECT_EQ(aData.getTotalProfilesLoaded(), 0);
  EXPECT_EQ(aData.getNextAvailableProfile(), 0);
  EXPECT_FALSE(aData.doesProfileExist(4));
  EXPECT_STREQ(aData.getProfileName(9), L"");
  for (int i = 0; i < 4; ++i) {
    aData.setProfileUsing(i);
    aData.setProfileName(L"Longer than ten");
    EXPECT_EQ(std::wstring(aData.getProfileName()), L"Longer tha");
  }
  EXPECT_EQ(aData.getNextAvailableProfile(), -1);
}

TEST_F(ProfileDataTest, ANewGameResetsProgressAndDrawsFourDistinctRunestones) {
  ProfileData aData;
  FillProfile(aData);
  aData.setLevelGradePlusDisplayed();
  for (uint32_t aSeed = 1; aSeed < 40; ++aSeed) {
    SRand(aSeed);
    aData.startNewGame(2);
    const uint8_t* s = aData.getFinalLevelRunestones();
    for (int i = 0; i < 4; ++i) {
      EXPECT_GE(s[i], 1);
      EXPECT_LE(s[i], 12);
      for (int j = 0; j < i; ++j) EXPECT_NE(s[i], s[j]);
    }
  }
  EXPECT_TRUE(aData.doesLevelDataExist());
  EXPECT_EQ(aData.getDifficultyLevel(), 2);
  EXPECT_EQ(aData.getCointTotal(), 0);
  EXPECT_FALSE(aData.getCoinBlock(3));
  EXPECT_FALSE(aData.getRepelEvilSpellBlock(7));
  EXPECT_FALSE(aData.getHintBlock(5));
  EXPECT_EQ(aData.getLevelOn(), 1);
  EXPECT_EQ(aData.getTotalGameTime(), 0);
  EXPECT_EQ(aData.getNumMisPresses(), 0);
  EXPECT_FALSE(aData.getSaveInMinigame());
  // Left as they were:
  EXPECT_EQ(std::wstring(aData.getProfileName()), L"Wren");
  EXPECT_TRUE(aData.getDistractionsOff());
  EXPECT_EQ(aData.getWandUsing(), 2);
  EXPECT_EQ(aData.getMapUsing(), 1);
  EXPECT_EQ(aData.getLevelTimer(), 112345);
  EXPECT_EQ(aData.getRepelCharge(), 0.75f);
  EXPECT_TRUE(aData.getLevelGradePlusDisplayed());
}

TEST_F(ProfileDataTest, ANewLevelLeavesExactlyItsRevealChargesAvailable) {
  ProfileData aData;
  struct Case {
    int mHints;
    int mAvailable;  // charges 0 .. mAvailable - 1
  };
  const Case k_cases[] = {{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 5}};
  for (const Case& c : k_cases) {
    SCOPED_TRACE(c.mHints);
    aData.setNewLevel(500, c.mHints, 0.5f);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(aData.isHintAvailable(i), i < c.mAvailable) << i;
  }
  aData.levelHintUsed(1);
  aData.setNewLevel(500, 7, 0.5f);  // any other count leaves the charges as they were
  EXPECT_FALSE(aData.isHintAvailable(1));
  EXPECT_TRUE(aData.isHintAvailable(0));
  aData.setHintBlock(16);
  aData.setHintBlock(15);
  aData.setLevelGradePlus();
  aData.setLevelGrade(1.5f);
  aData.setNewLevel(900, 0, 0.25f);
  EXPECT_FALSE(aData.getHintBlock(16));  // its message may show again
  EXPECT_TRUE(aData.getHintBlock(15));
  EXPECT_FALSE(aData.getLevelGradePlus());
  EXPECT_EQ(aData.getLevelGrade(), 0.0f);
  EXPECT_EQ(aData.getLevelTimer(), 900);
  EXPECT_EQ(aData.getRepelCharge(), 0.25f);
}

TEST_F(ProfileDataTest, UpdatesRunTheTimedClockAndRefillTheRepelCharge) {
  ProfileData aData;
  aData.startNewGame(0);
  aData.setNewLevel(1000, 2, 0.0f);
  aData.update();
  EXPECT_EQ(aData.getLevelTimer(), 1000);  // untimed
  aData.startNewGame(1);
  aData.setNewLevel(1000, 2, 0.0f);
  // An empty charge fills in about 18000 updates of 1/18000 each, summed in 32-bit float.
  int anUpdates = 0;
  while (aData.getRepelCharge() < 1.0f && anUpdates < 20000) {
    aData.update();
    ++anUpdates;
  }
  EXPECT_GE(anUpdates, 17990);
  EXPECT_LE(anUpdates, 18100);
  EXPECT_EQ(aData.getLevelTimer(), 1000 - anUpdates);  // no lower bound here
  aData.update();
  EXPECT_EQ(aData.getRepelCharge(), 1.0f);
  EXPECT_FLOAT_EQ(aData.getRepelChargePressPowerUsed(), 0.98f);
  for (int i = 0; i < 12; ++i) aData.increaseRepelCount();
  EXPECT_FLOAT_EQ(aData.getRepelChargePressPowerUsed(), 0.32f);
  aData.setRepelChargePressed();
  EXPECT_FLOAT_EQ(aData.getRepelCharge(), 1.0f - 0.32f);
}

TEST_F(ProfileDataTest, RanksInsertByMinutesThenGradeOrUntimedByGrade) {
  struct Case {
    const char* mWhat;
    float mGrade;
    int mDifficulty;
    int mSeconds;
    int mPosition;  // -1: not entered
  };
  const Case k_cases[] = {
      {"291 whole minutes beat 293", 1.1f, 1, 17500, 0},
      {"the same minutes and a better grade", 1.7f, 2, 18790, 2},
      {"the same minutes and a lower grade", 1.0f, 2, 18790, 3},
      {"untimed with grade 1.0 goes below the untimed 1.2", 1.0f, 0, 1, 5},
      {"untimed only beats untimed entries", 2.5f, 0, 1, 4},
      {"slower than every entry", 2.0f, 1, 30000, -1},
      {"untimed and worst", 0.1f, 0, 1, -1},
  };
  for (const Case& c : k_cases) {
    SCOPED_TRACE(c.mWhat);
    ProfileData aData;
    std::vector<RankRecord> aBefore;
    for (int i = 0; i < 6; ++i) aBefore.push_back(*aData.getRankRecord(i));
    aData.addRankRecord(L"New", c.mGrade, c.mDifficulty, c.mSeconds);
    for (int i = 0; i < 6; ++i) {
      const RankRecord& r = *aData.getRankRecord(i);
      if (i == c.mPosition) {
        EXPECT_STREQ(r.mName, L"New");
        EXPECT_EQ(r.mGrade, c.mGrade);
        EXPECT_EQ(r.mTimeSeconds, c.mSeconds);
        EXPECT_EQ(r.mDifficulty, static_cast<uint32_t>(c.mDifficulty));
      } else {
        const RankRecord& aWas = aBefore[c.mPosition >= 0 && i > c.mPosition ? i - 1 : i];
        EXPECT_STREQ(r.mName, aWas.mName) << i;
        EXPECT_EQ(r.mTimeSeconds, aWas.mTimeSeconds) << i;
      }
    }
  }
}

TEST_F(ProfileDataTest, CoinsRunestonesGradesAndFlags) {
  ProfileData aData;
  aData.startNewGame(1);
  for (int i = 0; i < 130; ++i) aData.setCoinBlock(i % 64);
  EXPECT_EQ(aData.getCointTotal(), 2);  // the 7-bit count wraps at 128
  aData.setCoinBlock(64);               // no such coin
  EXPECT_EQ(aData.getCointTotal(), 2);
  EXPECT_FALSE(aData.getCoinBlock(-1));

  uint8_t* s = aData.getFinalLevelRunestones();
  s[0] = 1, s[1] = 2, s[2] = 3, s[3] = 4;
  EXPECT_FALSE(aData.setFinalLevelRunestoneFound(2));
  EXPECT_FALSE(aData.setFinalLevelRunestoneFound(9));
  EXPECT_FALSE(aData.setFinalLevelRunestoneFound(1));
  EXPECT_FALSE(aData.setFinalLevelRunestoneFound(3));
  EXPECT_TRUE(aData.setFinalLevelRunestoneFound(4));
  EXPECT_TRUE(aData.setFinalLevelRunestoneFound(9));  // all four were already found

  aData.setLevelGrade(3.0f);
  EXPECT_EQ(aData.getLevelGrade(), 2.0f);
  aData.setLevelGrade(-1.0f);
  EXPECT_EQ(aData.getLevelGrade(), 0.0f);
  aData.setLevelGrade(1.0f);
  aData.updateAvgGrade();  // level 1: the grade itself
  EXPECT_EQ(aData.getGameAvgGrade(), 1.0f);
  aData.advanceLevelOn();
  aData.setLevelGrade(2.0f);
  aData.setLevelGradePlus();
  aData.updateAvgGrade();  // (1 x 1.0 + 2.5) / 2
  EXPECT_EQ(aData.getGameAvgGrade(), 1.75f);

  aData.setWandUsing(7);
  EXPECT_EQ(aData.getWandUsing(), 3);
  aData.setMapUsing(2);
  EXPECT_EQ(aData.getMapUsing(), 0);
  aData.setHelpBox(false);
  EXPECT_FALSE(aData.getHelpBox());
  aData.setExtraHardDiffUnlocked();
  aData.setWandsUnlocked();
  EXPECT_TRUE(aData.isExtraHardDiffUnlocked());
  EXPECT_TRUE(aData.areWandsUnlocked());
  EXPECT_FALSE(aData.isOtherMapUnlocked());
  aData.setBestLevelTime(13, 1);  // no level 14: nothing is stored
  EXPECT_EQ(aData.getBestLevelTime(0), 113400);
}

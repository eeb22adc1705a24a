// The media half as files: the same bytes on every run, the seam's contract, and the
// damaged and old-style fixtures made for the readers' tests.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "MediaFixture.h"
#include "MediaFixtures.h"
#include "StringTableWriter.h"

namespace {

uint16_t U16(const std::string& theBytes, size_t thePos) {
  return static_cast<uint16_t>(static_cast<uint8_t>(theBytes[thePos]) |
                               (static_cast<uint8_t>(theBytes[thePos + 1]) << 8));
}

uint32_t U32(const std::string& theBytes, size_t thePos) {
  return U16(theBytes, thePos) | (static_cast<uint32_t>(U16(theBytes, thePos + 2)) << 16);
}

float F32(const std::string& theBytes, size_t thePos) {
  const uint32_t aBits = U32(theBytes, thePos);
  float aValue;
  std::memcpy(&aValue, &aBits, sizeof(aValue));
  return aValue;
}

// Counts the records of a string table; -1 when a record runs past the end.
int CountRecords(const std::string& theBytes) {
  size_t aPos = 0;
  int aCount = 0;
  while (aPos + 2 <= theBytes.size()) {
    const size_t anEnd = aPos + 2 + 2 * static_cast<size_t>(U16(theBytes, aPos));
    if (anEnd > theBytes.size()) return -1;
    aPos = anEnd;
    ++aCount;
  }
  return aPos == theBytes.size() ? aCount : -1;
}

}  // namespace

TEST(MediaFiles, TwoRunsWriteTheSameBytes) {
  namespace fs = std::filesystem;
  const std::string aFirst = MediaTest::Media().mDir;
  const std::string aSecond = TeskTest::MakeTempDir("media-again");
  const auto anItems = GameAssets::WriteMediaAssets(aSecond);
  EXPECT_EQ(anItems.size(), MediaTest::Media().mItems.size());
  int aFiles = 0;
  for (const auto& anEntry : fs::recursive_directory_iterator(aSecond)) {
    if (!anEntry.is_regular_file()) continue;
    const std::string aRelative = fs::relative(anEntry.path(), aSecond).string();
    SCOPED_TRACE(aRelative);
    const std::string aBytes = TeskTest::ReadFile(anEntry.path().string());
    EXPECT_FALSE(aBytes.empty());
    EXPECT_TRUE(aBytes == TeskTest::ReadFile(aFirst + "/" + aRelative));
    ++aFiles;
  }
  // str.str, hsdefaults.txt, five fonts of two files each, 86 sounds and four songs.
  EXPECT_EQ(aFiles, 2 + 10 + 86 + 4);
  std::printf("media half written in %.2f s\n", MediaTest::Media().mSeconds);
}

TEST(MediaFiles, EveryManifestPathNamesAWrittenFile) {
  for (const auto& anItem : MediaTest::Media().mItems) {
    SCOPED_TRACE(anItem.mId);
    const std::string aBase = MediaTest::Media().mDir + "/" + anItem.mPath;
    if (anItem.mKind == "Font") {
      EXPECT_TRUE(std::filesystem::exists(aBase));
      continue;
    }
    // Sounds are named without their extension: the loader tries .wav, .ogg and .au.
    int aFound = 0;
    for (const char* anExtension : {".wav", ".ogg", ".au"})
      aFound += std::filesystem::exists(aBase + anExtension);
    EXPECT_EQ(aFound, 1);
  }
}

TEST(MediaFiles, AFailedWriteReturnsNoItems) {
  // A plain file where the folder should be: nothing can be written under it.
  const std::string aDir = TeskTest::MakeTempDir("media-blocked");
  ASSERT_TRUE(TeskTest::WriteFile(aDir + "/blocked", "x"));
  EXPECT_TRUE(GameAssets::WriteMediaAssets(aDir + "/blocked").empty());
}

TEST(MediaFixtures, ShortAndEmptyRecordTables) {
  struct Case {
    int mKeep;
    int mRecords;
  };
  const Case kCases[] = {{0, 0}, {5, 5}, {397, 397}, {398, 398}, {399, 399}, {1000, 399}};
  for (const Case& c : kCases)
    EXPECT_EQ(CountRecords(GameAssets::ShortStringTableBytes(c.mKeep)), c.mRecords) << c.mKeep;

  const std::string aTable = GameAssets::StringTableWithEmptyRecordBytes(3);
  EXPECT_EQ(CountRecords(aTable), 399);
  // Record 3 is a bare count of 0 right after records 1 and 2.
  const size_t aThird = TeskTools::StringRecordBytes(L"Back to the Main Menu").size() +
                        TeskTools::StringRecordBytes(L"Back").size();
  EXPECT_EQ(U16(aTable, aThird), 0);
  EXPECT_EQ(U16(aTable, aThird + 2), 3);  // record 4, "No", holds 3 units
}

TEST(MediaFixtures, LegacyProfileHasTheOlderLayout) {
  const std::string aBytes = GameAssets::LegacyProfileFileBytes();
  ASSERT_EQ(aBytes.size(), 472u);
  // No magic word: the loader takes the older layout.
  EXPECT_NE(U32(aBytes, 0), 0x00ACDCAAu);
  // Record 0 at 0, record 1 at 68; each 68 bytes.
  EXPECT_EQ(aBytes.substr(0, 6), std::string("Rowan\0", 6));
  EXPECT_EQ(static_cast<uint8_t>(aBytes[11]), 1 | (9 << 1));  // in progress, nine coins
  EXPECT_EQ(U16(aBytes, 12), (1 << 3) | (1 << 6));            // timed, wand 1
  EXPECT_EQ(static_cast<uint8_t>(aBytes[34]), 5);             // chapter 5
  EXPECT_EQ(static_cast<int32_t>(U32(aBytes, 36)), 85000);
  EXPECT_FLOAT_EQ(F32(aBytes, 44), 1.25f);
  EXPECT_EQ(static_cast<uint8_t>(aBytes[49]), 1);  // has a save
  EXPECT_EQ(U32(aBytes, 56), 5230u);
  EXPECT_EQ(static_cast<uint8_t>(aBytes[61]), 3);  // first runestone
  EXPECT_EQ(aBytes.substr(68, 6), std::string("Ellis\0", 6));
  EXPECT_EQ(static_cast<uint8_t>(aBytes[68 + 34]), 2);
  EXPECT_EQ(aBytes[136], 0);  // slots 2 and 3 are free
  EXPECT_EQ(aBytes[204], 0);
  // Header at 272: word, 13 best times, six 24-byte ranks.
  EXPECT_EQ(U32(aBytes, 272), 1u << 3);
  EXPECT_EQ(U32(aBytes, 276), 98750u);
  EXPECT_EQ(aBytes.substr(328, 7), std::string("Aldric\0", 7));
  EXPECT_FLOAT_EQ(F32(aBytes, 328 + 12), 1.0f);
  EXPECT_EQ(U32(aBytes, 328 + 16), 17582u);
  EXPECT_EQ(U32(aBytes, 328 + 5 * 24 + 20), 0u);
}

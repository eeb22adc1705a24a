#include "MediaFixtures.h"

#include "GameStrings.h"
#include "StringTableWriter.h"

namespace GameAssets {

std::string ShortStringTableBytes(int theCount) {
  std::vector<std::wstring> aRecords = GameStringRecords();
  if (theCount >= 0 && static_cast<size_t>(theCount) < aRecords.size()) aRecords.resize(theCount);
  return TeskTools::StringTableBytes(aRecords);
}

std::string StringTableWithEmptyRecordBytes(int theRecord) {
  const std::vector<std::wstring> aRecords = GameStringRecords();
  std::string aBytes;
  for (size_t i = 0; i < aRecords.size(); ++i)
    aBytes += static_cast<int>(i) + 1 == theRecord ? TeskTools::RawStringRecordBytes(0, u"")
                                                   : TeskTools::StringRecordBytes(aRecords[i]);
  return aBytes;
}

TeskTools::LegacyProfileFile LegacyProfile() {
  TeskTools::LegacyProfileFile aFile;
  // Rowan: chapter 5 on the timed difficulty, wand 1, nine coins from locations 3, 6 and 7.
  TeskTools::LegacyProfileRecord& aRowan = aFile.mRecords[0];
  aRowan.mName = "Rowan";
  aRowan.mProgressAndCoins = 1 | (9 << 1);
  aRowan.mOptions = (1 << 3) | (1 << 6);
  aRowan.mRepelPickups = (1 << 6) | (1 << 4);
  aRowan.mCoins = {(7u << 9) | (7u << 18) | (7u << 21), 0};
  aRowan.mHintBlock = (1 << 0) | (1 << 1) | (1 << 2) | (1 << 3) | (1 << 5) | (1 << 11) | (1 << 13);
  aRowan.mRepelCount = 1;
  aRowan.mLevel = 5;
  aRowan.mRevealChargesUsed = 0x03;
  aRowan.mLevelTimer = 85000;
  aRowan.mRepelCharge = 0.6f;
  aRowan.mLevelGrade = 1.25f;
  aRowan.mPlusFlags = 1;
  aRowan.mHasSave = 1;
  aRowan.mAverageGrade = 1.1f;
  aRowan.mTotalSeconds = 5230;
  aRowan.mUnconverted = 2;
  aRowan.mRunestones = {3, 7, 11, 5, 0};
  // Ellis: chapter 2, relaxed, distractions off, two coins.
  TeskTools::LegacyProfileRecord& anEllis = aFile.mRecords[1];
  anEllis.mName = "Ellis";
  anEllis.mProgressAndCoins = 1 | (2 << 1);
  anEllis.mOptions = 1 << 5;
  anEllis.mCoins = {(1u << 21) | (1u << 22), 0};
  anEllis.mHintBlock = (1 << 0) | (1 << 1) | (1 << 2);
  anEllis.mLevel = 2;
  anEllis.mLevelTimer = 120000;
  anEllis.mRepelCharge = 1.0f;
  anEllis.mLevelGrade = 0.5f;
  anEllis.mAverageGrade = 0.9f;
  anEllis.mTotalSeconds = 1410;
  anEllis.mRunestones = {12, 1, 8, 4, 0};

  aFile.mHeaderWord = 1 << 3;  // Rowan in use, help on
  const uint32_t kLimits[13] = {126000, 120000, 144000, 138000, 132000, 168000, 156000,
                                144000, 198000, 192000, 180000, 240000, 60000};
  for (int i = 0; i < 13; ++i) aFile.mBestTimes[i] = kLimits[i] / 10 * 9;
  aFile.mBestTimes[0] = 98750;
  aFile.mBestTimes[1] = 101200;
  const TeskTools::LegacyRankRecord kRanks[6] = {{"Aldric", 1.0f, 17582, 1}, {"Brisa", 1.2f, 18181, 2},
                                                 {"Marlo", 1.6f, 18781, 1},  {"Delphine", 0.9f, 19380, 2},
                                                 {"Edda", 1.2f, 19980, 0},   {"Fenwick", 0.2f, 20579, 0}};
  for (int i = 0; i < 6; ++i) aFile.mRanks[i] = kRanks[i];
  return aFile;
}

std::string LegacyProfileFileBytes() { return TeskTools::LegacyProfileBytes(LegacyProfile()); }

}  // namespace GameAssets

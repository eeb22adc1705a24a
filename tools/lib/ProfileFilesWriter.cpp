#include "ProfileFilesWriter.h"

#include <cstring>

#include "StringTableWriter.h"

namespace TeskTools {

namespace {

void PutU8(std::string& theOut, uint32_t theValue) { theOut.push_back(static_cast<char>(theValue & 0xFF)); }

void PutU16(std::string& theOut, uint32_t theValue) {
  PutU8(theOut, theValue);
  PutU8(theOut, theValue >> 8);
}

void PutU32(std::string& theOut, uint32_t theValue) {
  PutU16(theOut, theValue & 0xFFFF);
  PutU16(theOut, theValue >> 16);
}

void PutF32(std::string& theOut, float theValue) {
  uint32_t aBits;
  std::memcpy(&aBits, &theValue, sizeof(aBits));
  PutU32(theOut, aBits);
}

// 8-bit name, cut or zero-padded to 11 bytes.
void PutName11(std::string& theOut, const std::string& theName) {
  for (size_t i = 0; i < 11; ++i) PutU8(theOut, i < theName.size() ? static_cast<uint8_t>(theName[i]) : 0);
}

void PutRecord(std::string& theOut, const LegacyProfileRecord& r) {
  PutName11(theOut, r.mName);
  PutU8(theOut, r.mProgressAndCoins);
  PutU16(theOut, r.mOptions);
  PutU16(theOut, r.mRepelPickups);
  PutU16(theOut, r.mRevealPickups);
  PutU16(theOut, 0);  // padding
  PutU32(theOut, r.mCoins[0]);
  PutU32(theOut, r.mCoins[1]);
  PutU32(theOut, r.mHintBlock);
  PutU8(theOut, r.mReserved);
  PutU8(theOut, r.mRepelCount);
  PutU8(theOut, r.mLevel);
  PutU8(theOut, r.mRevealChargesUsed);
  PutU32(theOut, static_cast<uint32_t>(r.mLevelTimer));
  PutF32(theOut, r.mRepelCharge);
  PutF32(theOut, r.mLevelGrade);
  PutU8(theOut, r.mPlusFlags);
  PutU8(theOut, r.mHasSave);
  PutU8(theOut, r.mSaveInMinigame);
  PutU8(theOut, 0);  // padding
  PutF32(theOut, r.mAverageGrade);
  PutU32(theOut, r.mTotalSeconds);
  PutU8(theOut, r.mUnconverted);
  for (uint8_t aStone : r.mRunestones) PutU8(theOut, aStone);
  PutU16(theOut, 0);  // padding
}

void PutRank(std::string& theOut, const LegacyRankRecord& r) {
  PutName11(theOut, r.mName);
  PutU8(theOut, 0);  // padding
  PutF32(theOut, r.mGrade);
  PutU32(theOut, static_cast<uint32_t>(r.mSeconds));
  PutU32(theOut, r.mDifficulty);
}

}  // namespace

std::string HallOfFameDefaultsBytes(const std::vector<std::wstring>& theNames) {
  std::u16string aUnits = u"\xFEFF\n";
  for (size_t i = 0; i < theNames.size(); ++i) {
    if (i > 0) aUnits.push_back(u'\n');
    aUnits += ToUtf16(theNames[i]);
  }
  std::string aBytes;
  for (char16_t u : aUnits) PutU16(aBytes, u);
  return aBytes;
}

std::string LegacyProfileBytes(const LegacyProfileFile& theFile) {
  std::string aBytes;
  for (const LegacyProfileRecord& r : theFile.mRecords) PutRecord(aBytes, r);
  PutU32(aBytes, theFile.mHeaderWord);
  for (uint32_t t : theFile.mBestTimes) PutU32(aBytes, t);
  for (const LegacyRankRecord& r : theFile.mRanks) PutRank(aBytes, r);
  return aBytes;
}

}  // namespace TeskTools

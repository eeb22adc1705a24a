#include "game/shell/ProfileData.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "core/ByteReader.h"
#include "core/ByteWriter.h"
#include "core/Common.h"
#include "core/MTRand.h"
#include "core/UserFile.h"
#include "game/play/LevelTables.h"
#include "game/shell/GameLog.h"

namespace Tesk {

namespace {

// The hall of fame of a new installation; "hsdefaults.txt" may rename the entries.
struct DefaultRank {
  const wchar_t* mName;
  float mGrade;
  float mTimeFactor;
  uint32_t mDifficulty;
};
const DefaultRank k_defaultRanks[ProfileHeader::k_ranks] = {
    {L"Rowan", 1.0f, 0.88f, 1},  {L"Elowen", 1.2f, 0.91f, 2}, {L"Tamsin", 1.6f, 0.94f, 1},
    {L"Corwin", 0.9f, 0.97f, 2}, {L"Maren", 1.2f, 1.0f, 0},   {L"Ansel", 0.2f, 1.03f, 0},
};

constexpr int k_hsDefaultsNameMax = 9;
constexpr size_t k_hsDefaultsMaxBytes = 64 * 1024;
constexpr float k_repelRefillPerUpdate = 1.0f / 18000.0f;

void CopyName(wchar_t* theDest, const wchar_t* theSource, int theUnits) {
  int i = 0;
  for (; i < theUnits - 1 && theSource != nullptr && theSource[i] != 0; ++i) theDest[i] = theSource[i];
  for (; i < theUnits; ++i) theDest[i] = 0;
}

// A damaged file must not carry a value that later indexes a table or divides by nothing.
float ClampLoaded(float theValue, float theMax) {
  if (!(theValue >= 0.0f)) return 0.0f;  // NaN too
  return std::min(theValue, theMax);
}

bool BitOf(uint32_t theWord, int theBit, int theWidth) {
  return theBit >= 0 && theBit < theWidth && (theWord >> theBit & 1u) != 0;
}

}  // namespace

ProfileData::ProfileData()
    : mProfileRecords(new ProfileRecord[k_maxProfiles]), mProfileHeader(new ProfileHeader) {
  resetToDefaults();
  readHsDefaults();
}

ProfileData::~ProfileData() = default;

void ProfileData::resetToDefaults() {
  std::memset(static_cast<void*>(mProfileRecords.get()), 0, sizeof(ProfileRecord) * k_maxProfiles);
  std::memset(static_cast<void*>(mProfileHeader.get()), 0, sizeof(ProfileHeader));
  ProfileHeader& h = *mProfileHeader;
  h.mFlags = ProfileHeader::k_flagHelpBox;
  uint32_t aSum = 0;
  for (int aLevel = 1; aLevel <= k_numLevels; ++aLevel) {
    h.mBestLevelTimes[aLevel - 1] = static_cast<uint32_t>(0.9f * static_cast<float>(k_levelMaxTimes[aLevel]));
    aSum += k_levelMaxTimes[aLevel];
  }
  const int aSumSeconds = static_cast<int>(aSum / 100);
  for (int i = 0; i < ProfileHeader::k_ranks; ++i) {
    RankRecord& r = h.mRankRecords[i];
    CopyName(r.mName, k_defaultRanks[i].mName, RankRecord::k_nameUnits);
    r.mGrade = k_defaultRanks[i].mGrade;
    r.mTimeSeconds = static_cast<int32_t>(k_defaultRanks[i].mTimeFactor * static_cast<float>(aSumSeconds));
    r.mDifficulty = k_defaultRanks[i].mDifficulty;
  }
}

void ProfileData::readHsDefaults() {
  std::string aBytes;
  if (ReadUserFile(GetAppDataFolder() + k_hsDefaultsName, k_hsDefaultsMaxBytes, &aBytes) != UserFileRead::Ok)
    return;
  ByteReader aIn(aBytes.data(), aBytes.size());
  if (aIn.u16() != 0xFEFF || aIn.failed()) return;
  aIn.u16();  // one unit the file carries after the mark, unused
  for (int aLine = 0; aLine < ProfileHeader::k_ranks && aIn.left() >= 2; ++aLine) {
    wchar_t aName[RankRecord::k_nameUnits] = {};
    int aLength = 0;
    while (aIn.left() >= 2) {
      const uint16_t aUnit = aIn.u16();
      if (aUnit == 10) break;
      if (aLength < k_hsDefaultsNameMax) aName[aLength++] = aUnit;
    }
    CopyName(mProfileHeader->mRankRecords[aLine].mName, aName, RankRecord::k_nameUnits);
  }
}

std::string ProfileData::getProfilePath() { return GetAppDataFolder() + k_fileName; }

bool ProfileData::loadProfile() {
  const std::string aPath = getProfilePath();
  std::string aBytes;
  std::string anError;
  switch (ReadUserFile(aPath, k_fileSize, &aBytes)) {
    case UserFileRead::Missing:
      return false;
    case UserFileRead::Unreadable:
      anError = "it cannot be read";
      break;
    case UserFileRead::TooLarge:
      anError = "it is longer than a profile file";
      break;
    case UserFileRead::Ok:
      if (fromFileBytes(aBytes, &anError)) return true;
      break;
  }
  // Kept for whoever wants to look at it, beside any file refused before; the next save
  // starts afresh.
  const std::string aKept = KeepRefusedUserFile(aPath);
  GameLog("%s: refused, %s; starting with a fresh set of profiles%s%s", aPath.c_str(), anError.c_str(),
          aKept.empty() ? "; the old file could not be kept aside" : ", the old file is kept as ",
          aKept.c_str());
  resetToDefaults();
  readHsDefaults();
  return false;
}

bool ProfileData::saveProfile() {
  const std::string aPath = getProfilePath();
  if (WriteUserFile(aPath, toFileBytes())) return true;
  GameLog("%s: cannot be written; the profiles stay as they were on disk", aPath.c_str());
  return false;
}

// File layout -----------------------------------------------------------------------------------

void ProfileData::writeRecord(ByteWriter& theOut, const ProfileRecord& r) {
  for (wchar_t c : r.mName) theOut.u32(static_cast<uint32_t>(c));
  theOut.u32(r.mFlags);
  theOut.u16(r.mRepelPickups);
  theOut.u16(r.mRevealPickups);
  theOut.u32(r.mCoins[0]);
  theOut.u32(r.mCoins[1]);
  theOut.u32(r.mHintBlock);
  theOut.u8(r.mReserved);
  theOut.u8(r.mRepelCount);
  theOut.u8(r.mLevelOn);
  theOut.u8(r.mHintsUsed);
  theOut.i32(r.mLevelTimer);
  theOut.f32(r.mRepelCharge);
  theOut.f32(r.mLevelGrade);
  theOut.u8(r.mPlusFlags);
  theOut.u8(r.mHasSaveFile);
  theOut.u8(r.mSaveInMinigame);
  theOut.zeros(1);
  theOut.f32(r.mGameAvgGrade);
  theOut.u32(r.mTotalGameTime);
  theOut.u8(r.mNumMisPresses);
  theOut.bytes(r.mRunestones, ProfileRecord::k_runestones);
  theOut.zeros(2);
}

// From the coin set to the level grade both layouts agree field for field.
void ProfileData::readProgress(ByteReader& theIn, ProfileRecord& r) {
  r.mCoins[0] = theIn.u32();
  r.mCoins[1] = theIn.u32();
  r.mHintBlock = theIn.u32();
  r.mReserved = theIn.u8();
  r.mRepelCount = theIn.u8();
  r.mLevelOn = theIn.u8();
  r.mHintsUsed = theIn.u8();
  r.mLevelTimer = theIn.i32();
  r.mRepelCharge = theIn.f32();
  r.mLevelGrade = theIn.f32();
}

void ProfileData::readRecord(ByteReader& theIn, ProfileRecord& r) {
  for (wchar_t& c : r.mName) c = static_cast<wchar_t>(theIn.u32());
  r.mFlags = theIn.u32();
  r.mRepelPickups = theIn.u16();
  r.mRevealPickups = theIn.u16();
  readProgress(theIn, r);
  r.mPlusFlags = theIn.u8();
  r.mHasSaveFile = theIn.u8();
  r.mSaveInMinigame = theIn.u8();
  theIn.skip(1);
  r.mGameAvgGrade = theIn.f32();
  r.mTotalGameTime = theIn.u32();
  r.mNumMisPresses = theIn.u8();
  theIn.bytes(r.mRunestones, ProfileRecord::k_runestones);
  theIn.skip(2);
}

void ProfileData::writeHeader(ByteWriter& theOut, const ProfileHeader& h) {
  theOut.u32(h.mFlags);
  for (uint32_t t : h.mBestLevelTimes) theOut.u32(t);
  for (const RankRecord& r : h.mRankRecords) {
    for (wchar_t c : r.mName) theOut.u32(static_cast<uint32_t>(c));
    theOut.f32(r.mGrade);
    theOut.i32(r.mTimeSeconds);
    theOut.u32(r.mDifficulty);
  }
}

void ProfileData::readHeader(ByteReader& theIn, ProfileHeader& h) {
  h.mFlags = theIn.u32();
  for (uint32_t& t : h.mBestLevelTimes) t = theIn.u32();
  for (RankRecord& r : h.mRankRecords) {
    for (wchar_t& c : r.mName) c = static_cast<wchar_t>(theIn.u32());
    r.mGrade = theIn.f32();
    r.mTimeSeconds = theIn.i32();
    r.mDifficulty = theIn.u32();
  }
}

void ProfileData::readLegacyRecord(ByteReader& theIn, ProfileRecord& r) {
  // Names were bytes, widened as signed values as the older game did.
  for (wchar_t& c : r.mName) c = static_cast<wchar_t>(static_cast<int8_t>(theIn.u8()));
  const uint32_t aLowFlags = theIn.u8();
  const uint32_t aHighFlags = theIn.u16() & 0x1FF;
  r.mFlags = (r.mFlags & ~0x1FFFFu) | aLowFlags | aHighFlags << 8;
  r.mRepelPickups = theIn.u16();
  r.mRevealPickups = theIn.u16();
  theIn.skip(2);
  readProgress(theIn, r);
  r.mPlusFlags = static_cast<uint8_t>((r.mPlusFlags & ~3u) | (theIn.u8() & 3u));
  r.mHasSaveFile = theIn.u8();
  r.mSaveInMinigame = theIn.u8();
  theIn.skip(1);
  r.mGameAvgGrade = theIn.f32();
  r.mTotalGameTime = theIn.u32();
  theIn.skip(1);
  theIn.bytes(r.mRunestones, ProfileRecord::k_runestones);
  theIn.skip(2);
}

void ProfileData::readLegacyHeader(ByteReader& theIn, ProfileHeader& h) {
  h.mFlags = (h.mFlags & ~0x7Fu) | (theIn.u32() & 0x7Fu);
  for (uint32_t& t : h.mBestLevelTimes) t = theIn.u32();
  for (RankRecord& r : h.mRankRecords) {
    for (wchar_t& c : r.mName) c = static_cast<wchar_t>(static_cast<int8_t>(theIn.u8()));
    theIn.skip(1);
    r.mGrade = theIn.f32();
    r.mTimeSeconds = theIn.i32();
    r.mDifficulty = (r.mDifficulty & ~3u) | (theIn.u32() & 3u);
  }
}

std::string ProfileData::toFileBytes() const {
  ByteWriter anOut;
  anOut.u32(k_versFlag);
  anOut.u32(k_version);
  for (int i = 0; i < k_maxProfiles; ++i) writeRecord(anOut, mProfileRecords[i]);
  writeHeader(anOut, *mProfileHeader);
  return anOut.str();
}

bool ProfileData::fromFileBytes(const std::string& theBytes, std::string* theError) {
  ByteReader anIn(theBytes.data(), theBytes.size());
  const uint32_t aMagic = anIn.u32();
  const uint32_t aVersion = anIn.u32();
  const bool isCurrent = !anIn.failed() && aMagic == k_versFlag && aVersion != 0;
  const size_t aWanted = isCurrent ? k_fileSize : k_legacyFileSize;
  if (theBytes.size() != aWanted) {
    if (theError != nullptr) {
      *theError = isCurrent ? StrFormat("it holds %zu bytes where a profile file holds %d", theBytes.size(),
                                        k_fileSize)
                            : StrFormat(
                                  "it holds %zu bytes and is neither a profile file of %d bytes nor an "
                                  "older one of %d",
                                  theBytes.size(), k_fileSize, k_legacyFileSize);
    }
    return false;
  }
  // Read into copies: the data in memory changes only when the whole file has been read.
  std::unique_ptr<ProfileRecord[]> aRecords(new ProfileRecord[k_maxProfiles]);
  std::copy(mProfileRecords.get(), mProfileRecords.get() + k_maxProfiles, aRecords.get());
  ProfileHeader aHeader = *mProfileHeader;
  if (isCurrent) {
    for (int i = 0; i < k_maxProfiles; ++i) readRecord(anIn, aRecords[i]);
    readHeader(anIn, aHeader);
  } else {
    anIn.seek(0);
    for (int i = 0; i < k_maxProfiles; ++i) readLegacyRecord(anIn, aRecords[i]);
    readLegacyHeader(anIn, aHeader);
  }
  if (anIn.failed()) {
    if (theError != nullptr) *theError = "it ends inside a record";
    return false;
  }
  mProfileRecords = std::move(aRecords);
  *mProfileHeader = aHeader;
  makeSafe();
  return true;
}

void ProfileData::makeSafe() {
  // Names are read with wcslen and wcscmp: the last unit always ends them.
  for (int i = 0; i < k_maxProfiles; ++i) mProfileRecords[i].mName[ProfileRecord::k_nameUnits - 1] = 0;
  for (RankRecord& r : mProfileHeader->mRankRecords) {
    r.mName[RankRecord::k_nameUnits - 1] = 0;
    r.mGrade = ClampLoaded(r.mGrade, 2.5f);
  }
  const uint32_t anIdx = mProfileHeader->mFlags & ProfileHeader::k_profileIdxMask;
  if (anIdx >= static_cast<uint32_t>(k_maxProfiles)) {
    GameLog("profile.prof: profile %u in use does not exist; profile 0 is used", anIdx);
    mProfileHeader->mFlags &= ~ProfileHeader::k_profileIdxMask;
  }
  uint32_t aWholeGame = 0;
  for (int aLevel = 1; aLevel <= k_numLevels; ++aLevel) aWholeGame += k_levelMaxTimes[aLevel];
  for (int i = 0; i < k_maxProfiles; ++i) {
    ProfileRecord& r = mProfileRecords[i];
    // The clock runs down from the level's allowance: more, or less than nothing, would give a
    // time taken that wraps round and reaches the hall of fame.
    const int32_t anAllowed = static_cast<int32_t>(levelTimeAllowed(
        r.mLevelOn,
        static_cast<int>((r.mFlags & ProfileRecord::k_difficultyMask) >> ProfileRecord::k_difficultyShift)));
    r.mLevelTimer = std::clamp(r.mLevelTimer, 0, anAllowed);
    r.mTotalGameTime = std::min(r.mTotalGameTime, aWholeGame / 100);
    if ((r.mFlags & ProfileRecord::k_wandMask) >> ProfileRecord::k_wandShift >= ProfileRecord::k_numWands)
      r.mFlags &= ~ProfileRecord::k_wandMask;
    r.mRepelCharge = ClampLoaded(r.mRepelCharge, 1.0f);
    r.mLevelGrade = ClampLoaded(r.mLevelGrade, 2.0f);
    r.mGameAvgGrade = ClampLoaded(r.mGameAvgGrade, 2.5f);
    if ((r.mFlags & ProfileRecord::k_flagGameInProgress) != 0 && !isValidLevel(r.mLevelOn)) {
      GameLog("profile.prof: profile %d is on level %d, which does not exist; its game is ended", i,
              r.mLevelOn);
      r.mFlags &= ~ProfileRecord::k_flagGameInProgress;
      r.mHasSaveFile = 0;
      r.mSaveInMinigame = 0;
    }
  }
}

// Profile management ----------------------------------------------------------------------------

ProfileRecord& ProfileData::current() {
  // setProfileUsing and loading keep the index within the four records.
  return mProfileRecords[mProfileHeader->mFlags & ProfileHeader::k_profileIdxMask];
}

bool ProfileData::doesProfileExist(int theIdx) {
  return theIdx >= 0 && theIdx < k_maxProfiles && mProfileRecords[theIdx].mName[0] != 0;
}

bool ProfileData::doesNameExist(const wchar_t* theName) {
  if (theName == nullptr) return false;
  for (int i = 0; i < k_maxProfiles; ++i)
    if (doesProfileExist(i) && std::wcscmp(mProfileRecords[i].mName, theName) == 0) return true;
  return false;
}

int ProfileData::getTotalProfilesLoaded() {
  int aCount = 0;
  for (int i = 0; i < k_maxProfiles; ++i) aCount += doesProfileExist(i) ? 1 : 0;
  return aCount;
}

int ProfileData::getNextAvailableProfile() {
  for (int i = 0; i < k_maxProfiles; ++i)
    if (!doesProfileExist(i)) return i;
  return -1;
}

void ProfileData::setAvailableProfileUsing(const int& theNth) {
  for (int i = 0, aSeen = 0; i < k_maxProfiles; ++i) {
    if (!doesProfileExist(i)) continue;
    if (aSeen++ == theNth) {
      setProfileUsing(i);
      return;
    }
  }
}

void ProfileData::setProfileToNextLoadedProfile() {
  for (int i = 0; i < k_maxProfiles; ++i) {
    if (doesProfileExist(i)) {
      setProfileUsing(i);
      return;
    }
  }
}

void ProfileData::deleteAvailableProfile(const int& theNth) {
  for (int i = 0, aSeen = 0; i < k_maxProfiles; ++i) {
    if (!doesProfileExist(i)) continue;
    if (aSeen++ != theNth) continue;
    ProfileRecord& r = mProfileRecords[i];
    std::fill(r.mName, r.mName + 10, 0);
    r.mFlags &= ~ProfileRecord::k_flagGameInProgress;
    if (getProfileIdxUsing() == i) setProfileToNextLoadedProfile();
    return;
  }
}

void ProfileData::setProfileUsing(const int& theIdx) {
  // Only a record that exists in memory can be in use; anything else (the -1 of "no free slot")
  // leaves the choice as it was.
  if (theIdx < 0 || theIdx >= k_maxProfiles) return;
  mProfileHeader->mFlags =
      (mProfileHeader->mFlags & ~ProfileHeader::k_profileIdxMask) | static_cast<uint32_t>(theIdx);
}

int ProfileData::getProfileIdxUsing() {
  return static_cast<int>(mProfileHeader->mFlags & ProfileHeader::k_profileIdxMask);
}

const wchar_t* ProfileData::getProfileName() { return current().mName; }

const wchar_t* ProfileData::getProfileName(const int& theIdx) {
  if (theIdx < 0 || theIdx >= k_maxProfiles) return L"";
  return mProfileRecords[theIdx].mName;
}

wchar_t* ProfileData::setProfileName(const wchar_t* theName) {
  CopyName(current().mName, theName, ProfileRecord::k_nameUnits);
  return current().mName;
}

void ProfileData::clearProfileUsing() {
  std::memset(static_cast<void*>(&current()), 0, sizeof(ProfileRecord));
}

void ProfileData::startNewGame(int theDifficulty) {
  ProfileRecord& r = current();
  r.mFlags &= ~(ProfileRecord::k_coinCountMask | ProfileRecord::k_difficultyMask);
  r.mFlags |= ProfileRecord::k_flagGameInProgress | (static_cast<uint32_t>(theDifficulty) & 3u)
                                                        << ProfileRecord::k_difficultyShift;
  r.mRepelPickups = 0;
  r.mRevealPickups = 0;
  r.mCoins[0] = r.mCoins[1] = 0;
  r.mHintBlock = 0;
  r.mLevelOn = 1;
  r.mRepelCount = 0;
  r.mHasSaveFile = 0;
  r.mSaveInMinigame = 0;
  r.mGameAvgGrade = 0.0f;
  r.mLevelGrade = 0.0f;
  r.mTotalGameTime = 0;
  r.mNumMisPresses = 0;
  for (int i = 0; i < 4; ++i) {
    int anId;
    bool isTaken;
    do {
      anId = Rand() % 12 + 1;
      isTaken = std::find(r.mRunestones, r.mRunestones + i, anId) != r.mRunestones + i;
    } while (isTaken);
    r.mRunestones[i] = static_cast<uint8_t>(anId);
  }
}

void ProfileData::setNewLevel(unsigned theLevelTime, int theNumHints, float theRepelCharge) {
  ProfileRecord& r = current();
  r.mLevelTimer = static_cast<int32_t>(theLevelTime);
  static const uint8_t k_usedForHints[6] = {0, 30, 28, 24, 16, 0};
  if (theNumHints >= 1 && theNumHints <= 5) r.mHintsUsed = k_usedForHints[theNumHints];
  r.mRepelCharge = theRepelCharge;
  r.mLevelGrade = 0.0f;
  r.mPlusFlags &= static_cast<uint8_t>(~(ProfileRecord::k_plusEarned | ProfileRecord::k_plusDisplayed));
  r.mHintBlock &= ~(1u << 16);
}

void ProfileData::update() {
  ProfileRecord& r = current();
  if ((r.mFlags & ProfileRecord::k_difficultyMask) != 0) r.mLevelTimer -= 1;
  r.mRepelCharge = std::min(r.mRepelCharge + k_repelRefillPerUpdate, 1.0f);
}

void ProfileData::addRankRecord(const wchar_t* theName, float theGrade, int theDifficulty,
                                int theTimeSeconds) {
  RankRecord* aRanks = mProfileHeader->mRankRecords;
  int aPos = 0;
  for (; aPos < ProfileHeader::k_ranks; ++aPos) {
    const RankRecord& e = aRanks[aPos];
    const int aMinutes = theTimeSeconds / 60;
    const int anEntryMinutes = e.mTimeSeconds / 60;
    if (theDifficulty == 0 && (e.mDifficulty & 3u) == 0 && theGrade > e.mGrade) break;
    if (theDifficulty > 0 && aMinutes < anEntryMinutes) break;
    if (theDifficulty > 0 && aMinutes == anEntryMinutes && theGrade > e.mGrade) break;
  }
  if (aPos == ProfileHeader::k_ranks) return;
  for (int i = ProfileHeader::k_ranks - 1; i > aPos; --i) aRanks[i] = aRanks[i - 1];
  RankRecord& aNew = aRanks[aPos];
  CopyName(aNew.mName, theName, RankRecord::k_nameUnits);
  aNew.mDifficulty = static_cast<uint32_t>(theDifficulty) & 3u;
  aNew.mTimeSeconds = theTimeSeconds;
  aNew.mGrade = theGrade;
}

RankRecord* ProfileData::getRankRecord(int theIdx) {
  if (theIdx < 0 || theIdx >= ProfileHeader::k_ranks) return nullptr;
  return &mProfileHeader->mRankRecords[theIdx];
}

int ProfileData::getBestLevelTime(int theIdx) {
  if (theIdx < 0 || theIdx >= ProfileHeader::k_levels) theIdx = 0;
  return static_cast<int>(mProfileHeader->mBestLevelTimes[theIdx]);
}

void ProfileData::setBestLevelTime(int theIdx, unsigned theTime) {
  // A level that does not exist has no record to beat; level 1's is left alone.
  if (theIdx < 0 || theIdx >= ProfileHeader::k_levels) return;
  mProfileHeader->mBestLevelTimes[theIdx] = theTime;
}

// The profile in use ----------------------------------------------------------------------------

bool ProfileData::doesLevelDataExist() {
  return (current().mFlags & ProfileRecord::k_flagGameInProgress) != 0;
}

void ProfileData::setNoLevelData() { current().mFlags &= ~ProfileRecord::k_flagGameInProgress; }

int ProfileData::getCointTotal() {
  return static_cast<int>((current().mFlags & ProfileRecord::k_coinCountMask) >>
                          ProfileRecord::k_coinCountShift);
}

bool ProfileData::getCoinBlock(int theCoin) {
  if (theCoin < 0 || theCoin >= 64) return false;
  return BitOf(current().mCoins[theCoin / 32], theCoin % 32, 32);
}

void ProfileData::setCoinBlock(int theCoin) {
  if (theCoin < 0 || theCoin >= 64) return;
  ProfileRecord& r = current();
  r.mCoins[theCoin / 32] |= 1u << (theCoin % 32);
  const uint32_t aCount = (static_cast<uint32_t>(getCointTotal()) + 1) & 0x7Fu;
  r.mFlags = (r.mFlags & ~ProfileRecord::k_coinCountMask) | aCount << ProfileRecord::k_coinCountShift;
}

int ProfileData::getDifficultyLevel() {
  return static_cast<int>((current().mFlags & ProfileRecord::k_difficultyMask) >>
                          ProfileRecord::k_difficultyShift);
}

bool ProfileData::getDistractionsOff() {
  return (current().mFlags & ProfileRecord::k_flagDistractionsOff) != 0;
}

void ProfileData::setDistractionsOff(bool isOff) {
  if (isOff)
    current().mFlags |= ProfileRecord::k_flagDistractionsOff;
  else
    current().mFlags &= ~ProfileRecord::k_flagDistractionsOff;
}

int ProfileData::getWandUsing() {
  return static_cast<int>((current().mFlags & ProfileRecord::k_wandMask) >> ProfileRecord::k_wandShift);
}

void ProfileData::setWandUsing(int theWand) {
  ProfileRecord& r = current();
  r.mFlags = (r.mFlags & ~ProfileRecord::k_wandMask) | (static_cast<uint32_t>(theWand) & 3u)
                                                           << ProfileRecord::k_wandShift;
}

int ProfileData::getMapUsing() { return (current().mFlags & ProfileRecord::k_flagMapUsing) != 0 ? 1 : 0; }

void ProfileData::setMapUsing(int theMap) {
  if ((theMap & 1) != 0)
    current().mFlags |= ProfileRecord::k_flagMapUsing;
  else
    current().mFlags &= ~ProfileRecord::k_flagMapUsing;
}

bool ProfileData::getRepelEvilSpellBlock(unsigned theLocation) {
  return theLocation < 16 && BitOf(current().mRepelPickups, static_cast<int>(theLocation), 16);
}

void ProfileData::setRepelEvilSpellBlock(unsigned theLocation) {
  if (theLocation < 16) current().mRepelPickups |= static_cast<uint16_t>(1u << theLocation);
}

bool ProfileData::getRevealSpellBlock(unsigned theLocation) {
  return theLocation < 16 && BitOf(current().mRevealPickups, static_cast<int>(theLocation), 16);
}

bool ProfileData::getHintBlock(int theHint) { return BitOf(current().mHintBlock, theHint, 32); }

void ProfileData::setHintBlock(int theHint) {
  if (theHint >= 0 && theHint < 32) current().mHintBlock |= 1u << theHint;
}

void ProfileData::increaseRepelCount() { ++current().mRepelCount; }

int ProfileData::getLevelOn() { return current().mLevelOn; }

void ProfileData::advanceLevelOn() { ++current().mLevelOn; }

bool ProfileData::isHintAvailable(int theCharge) {
  return theCharge >= 0 && theCharge < 8 && !BitOf(current().mHintsUsed, theCharge, 8);
}

void ProfileData::levelHintUsed(int theCharge) {
  if (theCharge >= 0 && theCharge < 8) current().mHintsUsed |= static_cast<uint8_t>(1u << theCharge);
}

int ProfileData::getLevelTimer() { return current().mLevelTimer; }

void ProfileData::adjustLevelTimer(int theDelta) { current().mLevelTimer += theDelta; }

float ProfileData::getRepelCharge() { return current().mRepelCharge; }

void ProfileData::setRepelChargePressed() { current().mRepelCharge -= getRepelChargePressPowerUsed(); }

float ProfileData::getRepelChargePressPowerUsed() {
  return 0.32f + static_cast<float>(12 - current().mRepelCount) / 12.0f * 0.66f;
}

float ProfileData::getLevelGrade() { return current().mLevelGrade; }

void ProfileData::setLevelGrade(float theGrade) { current().mLevelGrade = std::clamp(theGrade, 0.0f, 2.0f); }

bool ProfileData::getLevelGradePlus() { return (current().mPlusFlags & ProfileRecord::k_plusEarned) != 0; }

void ProfileData::setLevelGradePlus() { current().mPlusFlags |= ProfileRecord::k_plusEarned; }

bool ProfileData::getLevelGradePlusDisplayed() {
  return (current().mPlusFlags & ProfileRecord::k_plusDisplayed) != 0;
}

void ProfileData::setLevelGradePlusDisplayed() { current().mPlusFlags |= ProfileRecord::k_plusDisplayed; }

void ProfileData::setHasSaveFile(bool hasSave) { current().mHasSaveFile = hasSave ? 1 : 0; }

bool ProfileData::getHasSaveFile() { return current().mHasSaveFile != 0; }

bool ProfileData::getSaveInMinigame() { return current().mSaveInMinigame != 0; }

void ProfileData::setSaveInMinigame(bool inMinigame) { current().mSaveInMinigame = inMinigame ? 1 : 0; }

float ProfileData::getGameAvgGrade() { return current().mGameAvgGrade; }

void ProfileData::updateAvgGrade() {
  ProfileRecord& r = current();
  // Level 0 never finishes a level; counting it as 1 keeps the division defined.
  const float aLevel = static_cast<float>(std::max<int>(r.mLevelOn, 1));
  const float aGrade = r.mLevelGrade + (getLevelGradePlus() ? 0.5f : 0.0f);
  r.mGameAvgGrade = std::clamp(((aLevel - 1.0f) * r.mGameAvgGrade + aGrade) / aLevel, 0.0f, 2.5f);
}

int ProfileData::getTotalGameTime() { return static_cast<int>(current().mTotalGameTime); }

void ProfileData::updateGameTotalTime(int theSeconds) {
  current().mTotalGameTime += static_cast<uint32_t>(theSeconds);
}

int ProfileData::getNumMisPresses() { return current().mNumMisPresses; }

void ProfileData::increaseNumMisPresses() { ++current().mNumMisPresses; }

uint8_t* ProfileData::getFinalLevelRunestones() { return current().mRunestones; }

bool ProfileData::setFinalLevelRunestoneFound(int theId) {
  uint8_t* aStones = current().mRunestones;
  bool allFound = true;
  for (int i = 0; i < 4; ++i) {
    if (aStones[i] == theId) aStones[i] = 255;
    allFound = allFound && aStones[i] == 255;
  }
  return allFound;
}

// Shared header ---------------------------------------------------------------------------------

bool ProfileData::getHelpBox() { return (mProfileHeader->mFlags & ProfileHeader::k_flagHelpBox) != 0; }

void ProfileData::setHelpBox(bool isOn) {
  if (isOn)
    mProfileHeader->mFlags |= ProfileHeader::k_flagHelpBox;
  else
    mProfileHeader->mFlags &= ~ProfileHeader::k_flagHelpBox;
}

bool ProfileData::isExtraHardDiffUnlocked() {
  return (mProfileHeader->mFlags & ProfileHeader::k_flagExtraHard) != 0;
}

void ProfileData::setExtraHardDiffUnlocked() { mProfileHeader->mFlags |= ProfileHeader::k_flagExtraHard; }

bool ProfileData::isOtherMapUnlocked() {
  return (mProfileHeader->mFlags & ProfileHeader::k_flagOtherMap) != 0;
}

void ProfileData::setOtherMapUnlocked() { mProfileHeader->mFlags |= ProfileHeader::k_flagOtherMap; }

bool ProfileData::areWandsUnlocked() { return (mProfileHeader->mFlags & ProfileHeader::k_flagWands) != 0; }

void ProfileData::setWandsUnlocked() { mProfileHeader->mFlags |= ProfileHeader::k_flagWands; }

}  // namespace Tesk

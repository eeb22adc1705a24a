// The four player profiles and what all players share, kept in "profile.prof" in the
// application data folder. Every per-profile operation acts on the profile in use.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "game/shell/ProfileHeader.h"
#include "game/shell/ProfileRecord.h"
#include "game/shell/RankRecord.h"

namespace Tesk {

class ByteReader;
class ByteWriter;

class ProfileData {
 public:
  static constexpr uint32_t k_versFlag = 0x00ACDCAA;
  static constexpr uint32_t k_version = 1;
  static constexpr int k_maxProfiles = 4;
  static constexpr int k_fileSize = 8 + k_maxProfiles * ProfileRecord::k_size + ProfileHeader::k_size;  // 800
  // The older layout: four 68-byte records with 8-bit names, a 200-byte header.
  static constexpr int k_legacyRecordSize = 68;
  static constexpr int k_legacyRankSize = 24;
  static constexpr int k_legacyHeaderSize = 200;
  static constexpr int k_legacyFileSize = k_maxProfiles * k_legacyRecordSize + k_legacyHeaderSize;  // 472
  static constexpr const char* k_fileName = "profile.prof";
  static constexpr const char* k_hsDefaultsName = "hsdefaults.txt";

  ProfileData();
  ~ProfileData();
  ProfileData(const ProfileData&) = delete;
  ProfileData& operator=(const ProfileData&) = delete;

  // Profile management ------------------------------------------------------------------------
  // False when the file is missing, and when it is refused (damaged): then the defaults stay.
  bool loadProfile();
  // False, with the file on disk as it was, when it cannot be written.
  bool saveProfile();
  bool doesProfileExist(int theIdx);
  bool doesNameExist(const wchar_t* theName);
  int getTotalProfilesLoaded();
  int getNextAvailableProfile();
  void setAvailableProfileUsing(const int& theNth);
  void setProfileToNextLoadedProfile();
  void deleteAvailableProfile(const int& theNth);
  void setProfileUsing(const int& theIdx);
  int getProfileIdxUsing();
  const wchar_t* getProfileName();
  const wchar_t* getProfileName(const int& theIdx);
  wchar_t* setProfileName(const wchar_t* theName);
  // Empties the record in use (name and progress), as a slot that never held a profile.
  void clearProfileUsing();
  void startNewGame(int theDifficulty);
  void setNewLevel(unsigned theLevelTime, int theNumHints, float theRepelCharge);
  void update();
  void addRankRecord(const wchar_t* theName, float theGrade, int theDifficulty, int theTimeSeconds);
  RankRecord* getRankRecord(int theIdx);
  int getBestLevelTime(int theIdx);
  void setBestLevelTime(int theIdx, unsigned theTime);

  // The profile in use -------------------------------------------------------------------------
  bool doesLevelDataExist();
  void setNoLevelData();
  int getCointTotal();
  bool getCoinBlock(int theCoin);
  void setCoinBlock(int theCoin);
  int getDifficultyLevel();
  bool getDistractionsOff();
  void setDistractionsOff(bool isOff);
  int getWandUsing();
  void setWandUsing(int theWand);
  int getMapUsing();
  void setMapUsing(int theMap);
  bool getRepelEvilSpellBlock(unsigned theLocation);
  void setRepelEvilSpellBlock(unsigned theLocation);
  bool getRevealSpellBlock(unsigned theLocation);
  bool getHintBlock(int theHint);
  void setHintBlock(int theHint);
  void increaseRepelCount();
  int getLevelOn();
  void advanceLevelOn();
  bool isHintAvailable(int theCharge);
  void levelHintUsed(int theCharge);
  int getLevelTimer();
  void adjustLevelTimer(int theDelta);
  float getRepelCharge();
  void setRepelChargePressed();
  float getRepelChargePressPowerUsed();
  float getLevelGrade();
  void setLevelGrade(float theGrade);
  bool getLevelGradePlus();
  void setLevelGradePlus();
  bool getLevelGradePlusDisplayed();
  void setLevelGradePlusDisplayed();
  void setHasSaveFile(bool hasSave);
  bool getHasSaveFile();
  bool getSaveInMinigame();
  void setSaveInMinigame(bool inMinigame);
  float getGameAvgGrade();
  void updateAvgGrade();
  int getTotalGameTime();
  void updateGameTotalTime(int theSeconds);
  int getNumMisPresses();
  void increaseNumMisPresses();
  uint8_t* getFinalLevelRunestones();
  bool setFinalLevelRunestoneFound(int theId);

  // Shared header ------------------------------------------------------------------------------
  bool getHelpBox();
  void setHelpBox(bool isOn);
  bool isExtraHardDiffUnlocked();
  void setExtraHardDiffUnlocked();
  bool isOtherMapUnlocked();
  void setOtherMapUnlocked();
  bool areWandsUnlocked();
  void setWandsUnlocked();

  // File layout --------------------------------------------------------------------------------
  // The 800 bytes of the file as saveProfile writes them.
  std::string toFileBytes() const;
  // Reads the file's bytes (either layout) over the data in memory. False, with the reason in
  // *theError and nothing changed, when the bytes are not a whole profile file.
  bool fromFileBytes(const std::string& theBytes, std::string* theError);

  static std::string getProfilePath();

 private:
  ProfileRecord& current();
  void resetToDefaults();
  void readHsDefaults();
  void makeSafe();

  static void writeRecord(ByteWriter& theOut, const ProfileRecord& theRecord);
  static void readRecord(ByteReader& theIn, ProfileRecord& theRecord);
  static void readProgress(ByteReader& theIn, ProfileRecord& theRecord);
  static void writeHeader(ByteWriter& theOut, const ProfileHeader& theHeader);
  static void readHeader(ByteReader& theIn, ProfileHeader& theHeader);
  static void readLegacyRecord(ByteReader& theIn, ProfileRecord& theRecord);
  static void readLegacyHeader(ByteReader& theIn, ProfileHeader& theHeader);

  std::unique_ptr<ProfileRecord[]> mProfileRecords;
  std::unique_ptr<ProfileHeader> mProfileHeader;
};

}  // namespace Tesk

// The level (chapter) being played: up to 12 locations with their placed objects, find lists
// and pickups, filled from the location files by load and read by the play scene, the map, the
// level save and the level dynamics.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "game/play/LevelTables.h"
#include "game/play/LocationData.h"

namespace ImageLib {
class Image;
}
namespace Tesk {
class GameApp;
class Image;
class ProfileData;
}  // namespace Tesk

struct LocationCandidates;

class LevelData {
 public:
  // Render orders are 7 bits: an array for setUpRenderArray has this many slots.
  static constexpr int k_renderArraySize = 128;
  static constexpr int k_objectRecordSize = 27;
  static constexpr int k_objectNameSize = 20;
  static constexpr int k_MAX_NAME_SIZE = 34;  // units of an object-text entry
  static constexpr int k_maxCandidates = 35;  // ordinary objects per difficulty group
  static constexpr int k_maxKinds = 100;      // ordinary kinds are below this
  static constexpr int k_maxBlockImages = LocationData::k_maxObjects + 1;

  explicit LevelData(Tesk::GameApp* theApp);
  LevelData(Tesk::GameApp* theApp, Tesk::ProfileData* theProfileData);
  ~LevelData();
  LevelData(const LevelData&) = delete;
  LevelData& operator=(const LevelData&) = delete;

  // Builds the level from its location files; restoring takes the find lists from the level
  // save. False, with the reason in getLoadError(), when the level does not exist or a location
  // file is missing or damaged: then every slot is empty.
  bool load(int theLevel, bool fromSave);
  // One location from its image block and object file; theObjectText is positioned at the
  // location's entries, or null for the names of the object file.
  bool loadALevel(FILE* theObjectText, const int& theLocationId, LocationData& theLocation, int theVisitCount,
                  bool fromSave);
  // The level save of the profile in use: find lists, taken objects and the darkness and repel
  // state of the level dynamics. loadlevelData restores it over a level loaded without find
  // lists; a missing or damaged save changes nothing and gives false (a damaged one is logged
  // and the profile's save flags are cleared). The V1/V0 readers take the body from the
  // file's current position.
  bool loadlevelData();
  bool loadlevelDataV1(FILE* theFile);
  bool loadlevelDataV0(FILE* theFile);
  // False, with the old save untouched, when the file cannot be written.
  bool saveLevelData();
  // The save's bytes for the level in memory.
  std::string levelSaveBytes();
  // Applies a whole save file's bytes (either version) to the loaded level; false, with the
  // reason in *theError and nothing changed, when they are damaged or belong to another level.
  bool readLevelSave(const std::string& theBytes, std::string* theError);
  // "level.sav" and the index of the profile in use, in the application data folder.
  std::string getLevelSavePath();

  static constexpr uint32_t k_saveMagic = 0x00ACDCAA;
  static constexpr uint32_t k_saveVersion = 1;
  static constexpr uint32_t k_saveEndMarker = 0x00ACDCAC;
  // Object references in a save are byte offsets into a location's old 16-byte records.
  static constexpr uint32_t k_savedObjectStride = 16;
  // Names are at most 33 characters; a longer one marks a damaged save.
  static constexpr int k_maxSavedNameLength = 64;
  static constexpr uint16_t k_maxRepelTimer = 4000;
  // Far above the largest save (12 full locations with 64-character names).
  static constexpr size_t k_maxSaveFileSize = 64 * 1024;

  const uint8_t* getLevelDataMap(int theLevel);
  void setTotalLevelTime();
  void deleteLocation(LocationData& theLocation);
  LocationData* getLocationData(const int& theId);
  FindInfo* getDisplayFindInfo(const int& theId);
  LocationData* getLocationDataLevDynamic(const int& theId);
  int getNumObjectsFound();
  int numberOfObjectsRemainingOnChapter();
  int numberOfObjectsToFind();
  // theArray has k_renderArraySize slots; each object lands in the slot of its render order.
  void setUpRenderArray(LocationData& theLocation, Selectable** theArray);
  static bool isOutsideLocation(int theId);
  Tesk::GameApp* getGameApp();

  const std::string& getLoadError() const { return m_loadError; }
  // The object-text file for a language other than English, or null (English or none opens).
  static FILE* openObjectText(int theLanguage);

  Tesk::GameApp* m_app;
  LocationData m_locations[k_maxLocations];
  uint8_t m_runestonesFound;
  uint8_t m_maxObjects;
  uint32_t m_totalLevelTime;  // hundredths of a second

 private:
  bool loadLocation(FILE* theObjectText, int theLevel, int theLocationId, LocationData& theLocation,
                    LocationCandidates& theWork);
  void drawFindList(LocationData& theLocation, int theLevel, LocationCandidates& theWork);
  void clearLocation(LocationData& theLocation);
  bool fail(const std::string& theWhy);
  bool readLevelBody(const std::string& theBytes, size_t theOffset, bool wideNames, std::string* theError);
  Tesk::Image* makeImage(ImageLib::Image* theImage);

  Tesk::ProfileData* m_profileData;
  std::string m_loadError;
};

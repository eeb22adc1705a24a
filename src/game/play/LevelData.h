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
  // The level save (written and read by the level save code).
  bool loadlevelData();
  bool loadlevelDataV1(FILE* theFile);
  bool loadlevelDataV0(FILE* theFile);
  bool saveLevelData();

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
  Tesk::Image* makeImage(ImageLib::Image* theImage);

  Tesk::ProfileData* m_profileData;
  std::string m_loadError;
};

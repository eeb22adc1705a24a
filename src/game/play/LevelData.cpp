#include "game/play/LevelData.h"

#include "game/shell/AppAccess.h"
#include "game/shell/GameApp.h"
#include "game/shell/ProfileData.h"
#include "platform/carbonwindow/CarbonWindow.h"

// The application makes its profiles before its level data.
LevelData::LevelData(Tesk::GameApp* theApp)
    : LevelData(theApp, Tesk::profileOf(theApp)) {}

LevelData::LevelData(Tesk::GameApp* theApp, Tesk::ProfileData* theProfileData)
    : m_app(theApp),
      m_runestonesFound(0),
      m_maxObjects(0),
      m_totalLevelTime(0),
      m_profileData(theProfileData) {}

LevelData::~LevelData() = default;

const uint8_t* LevelData::getLevelDataMap(int theLevel) {
  // Row 0 holds no location of any level.
  return s_levelDataMapping[isValidLevel(theLevel) ? theLevel : 0];
}

void LevelData::setTotalLevelTime() {
  m_totalLevelTime = levelTimeAllowed(m_profileData->getLevelOn(), m_profileData->getDifficultyLevel());
}

void LevelData::deleteLocation(LocationData& theLocation) {
  theLocation.m_background.reset();
  theLocation.m_overlay.reset();
  for (Selectable& s : theLocation.m_selectables) s.m_image.reset();
}

LocationData* LevelData::getLocationData(const int& theId) {
  LocationData* aLocation = getLocationDataLevDynamic(theId);
  if (aLocation == nullptr) Debugger("LevelData::getLocationData: no location of that id in this level");
  return aLocation;
}

FindInfo* LevelData::getDisplayFindInfo(const int& theId) {
  LocationData* aLocation = getLocationData(theId);
  return aLocation != nullptr ? aLocation->m_findInfo : nullptr;
}

LocationData* LevelData::getLocationDataLevDynamic(const int& theId) {
  for (LocationData& aLocation : m_locations)
    if (aLocation.m_id == theId) return &aLocation;
  return nullptr;
}

int LevelData::getNumObjectsFound() {
  int anOpen = 0;
  for (const LocationData& aLocation : m_locations)
    if (aLocation.m_id != 0) anOpen += static_cast<int>(aLocation.m_numOpen);
  return anOpen;
}

int LevelData::numberOfObjectsRemainingOnChapter() { return getNumObjectsFound(); }

int LevelData::numberOfObjectsToFind() {
  const int anOffered = numberOfLocationsOnLevel(m_profileData->getLevelOn()) * k_findListSize;
  return getNumObjectsFound() - (anOffered - m_maxObjects);
}

void LevelData::setUpRenderArray(LocationData& theLocation, Selectable** theArray) {
  for (uint32_t i = 0; i < theLocation.m_numObjects && i < LocationData::k_maxObjects; ++i) {
    Selectable& s = theLocation.m_selectables[i];
    theArray[s.getRenderOrder()] = &s;
  }
}

bool LevelData::isOutsideLocation(int theId) {
  switch (theId) {
    case 3:
    case 4:
    case 5:
    case 8:
    case 10:
    case 11:
      return true;
    default:
      return false;
  }
}

Tesk::GameApp* LevelData::getGameApp() { return m_app; }

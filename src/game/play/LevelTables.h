// The fixed tables of the thirteen levels and twelve locations. Per-level tables are indexed
// by level 1-13 (entry 0 unused); per-location tables by location id as each says.
#pragma once

#include <cstdint>

constexpr int k_numLevels = 13;
constexpr int k_maxLocations = 12;
constexpr int k_findListSize = 10;

extern const uint8_t s_numLocationsOnLevel[k_numLevels + 1];
// Location ids in visiting order; unused places hold 255. Row 0 is never used.
extern const uint8_t s_levelDataMapping[k_numLevels + 1][k_maxLocations];
extern const uint8_t k_levelMaxObjects[k_numLevels + 1];
extern const uint32_t k_levelMaxTimes[k_numLevels + 1];      // hundredths of a second
extern const uint32_t k_hardLevelMaxTimes[k_numLevels + 1];  // hundredths of a second
extern const uint32_t k_levelMaxHints[k_numLevels + 1];
// Find-list entries drawn from difficulty groups 0, 1 and 2, by visit count 0-3.
extern const uint8_t k_diffSpreads[4][3];
// Coins per location, indexed by location id - 1 when summed.
extern const uint8_t k_coinsPerLevel[k_numLevels + 1];

struct LocationBBox {
  int16_t mX, mY, mWidth, mHeight;
};
// The locations' areas on the map picture, index id - 1.
extern const LocationBBox s_locationBBoxes[k_maxLocations];

// The level from which each location's repel pickup and coins 0-2 are offered, index id - 1.
extern const uint8_t k_repelAvailableFromLevel[k_maxLocations];
extern const uint8_t k_coinAvailableFromLevel[k_maxLocations][3];

int numberOfLocationsOnLevel(int theLevel);
bool isRepelAvailable(int theLevel, int theLocationId);
bool isCoinAvailable(int theLevel, int theLocationId, int theCoinIndex);
// Whether theLevel indexes the per-level tables (1-13).
bool isValidLevel(int theLevel);
// The clock a level starts with at theDifficulty (2 the hardest), in hundredths; 0 for a level
// outside the tables.
uint32_t levelTimeAllowed(int theLevel, int theDifficulty);

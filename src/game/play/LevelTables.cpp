#include "game/play/LevelTables.h"

const uint8_t s_numLocationsOnLevel[k_numLevels + 1] = {0, 2, 2, 3, 3, 3, 4, 4, 4, 5, 5, 5, 6, 12};

const uint8_t s_levelDataMapping[k_numLevels + 1][k_maxLocations] = {
    {255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0, 0},
    {7, 3, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {6, 4, 255, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {7, 2, 10, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {3, 11, 9, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {6, 4, 8, 255, 255, 255, 255, 255, 255, 255, 255, 255},
    {2, 10, 5, 12, 255, 255, 255, 255, 255, 255, 255, 255},
    {7, 11, 9, 1, 255, 255, 255, 255, 255, 255, 255, 255},
    {3, 2, 8, 5, 255, 255, 255, 255, 255, 255, 255, 255},
    {4, 10, 11, 12, 1, 255, 255, 255, 255, 255, 255, 255},
    {7, 6, 9, 8, 5, 255, 255, 255, 255, 255, 255, 255},
    {3, 4, 2, 10, 12, 255, 255, 255, 255, 255, 255, 255},
    {6, 11, 9, 8, 5, 1, 255, 255, 255, 255, 255, 255},
    {12, 10, 6, 11, 7, 8, 4, 9, 3, 5, 2, 1},
};

const uint8_t k_levelMaxObjects[k_numLevels + 1] = {0, 16, 17, 25, 26, 27, 34, 35, 36, 44, 45, 46, 55, 0};

const uint32_t k_levelMaxTimes[k_numLevels + 1] = {0,      126000, 120000, 144000, 138000, 132000, 168000,
                                                   156000, 144000, 198000, 192000, 180000, 240000, 60000};

const uint32_t k_hardLevelMaxTimes[k_numLevels + 1] = {0,      84000,  84000,  114000, 114000, 114000, 144000,
                                                       144000, 144000, 174000, 174000, 174000, 204000, 48000};

const uint32_t k_levelMaxHints[k_numLevels + 1] = {0, 2, 2, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5};

const uint8_t k_diffSpreads[4][3] = {{7, 3, 0}, {4, 5, 1}, {2, 4, 4}, {0, 4, 6}};

const uint8_t k_coinsPerLevel[k_numLevels + 1] = {3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 3, 0, 0};

const LocationBBox s_locationBBoxes[k_maxLocations] = {
    {29, 397, 155, 116}, {329, 227, 153, 58}, {251, 290, 131, 89},  {128, 254, 162, 57},
    {209, 159, 95, 89},  {425, 282, 237, 80}, {526, 149, 128, 127}, {476, 365, 184, 148},
    {0, 257, 141, 127},  {0, 153, 184, 100},  {214, 421, 256, 143}, {357, 152, 142, 71},
};

const uint8_t k_repelAvailableFromLevel[k_maxLocations] = {12, 3, 4, 5, 8, 2, 2, 10, 7, 6, 9, 11};

const uint8_t k_coinAvailableFromLevel[k_maxLocations][3] = {
    {7, 9, 12}, {3, 6, 11}, {1, 1, 8}, {2, 2, 5},  {6, 8, 10}, {2, 5, 10},
    {1, 3, 10}, {5, 8, 12}, {4, 4, 7}, {3, 6, 11}, {4, 7, 12}, {9, 9, 11},
};

bool isValidLevel(int theLevel) { return theLevel >= 1 && theLevel <= k_numLevels; }

uint32_t levelTimeAllowed(int theLevel, int theDifficulty) {
  if (!isValidLevel(theLevel)) return 0;
  return theDifficulty == 2 ? k_hardLevelMaxTimes[theLevel] : k_levelMaxTimes[theLevel];
}

int numberOfLocationsOnLevel(int theLevel) {
  // A level outside the tables has no locations rather than reading past them.
  return isValidLevel(theLevel) ? s_numLocationsOnLevel[theLevel] : 0;
}

bool isRepelAvailable(int theLevel, int theLocationId) {
  if (theLocationId < 1 || theLocationId > k_maxLocations) return false;
  return theLevel >= k_repelAvailableFromLevel[theLocationId - 1];
}

bool isCoinAvailable(int theLevel, int theLocationId, int theCoinIndex) {
  if (theLocationId < 1 || theLocationId > k_maxLocations) return false;
  if (theCoinIndex < 0 || theCoinIndex > 2) return false;
  return theLevel >= k_coinAvailableFromLevel[theLocationId - 1][theCoinIndex];
}

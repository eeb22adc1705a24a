// One location of the level being played: its placed objects, its find list of 10 entries and
// its special pickups (repel spell, coins, runestone, reveal spell).
#pragma once

#include <cstdint>
#include <memory>

#include "game/play/FindInfo.h"
#include "game/play/Selectable.h"
#include "graphics/Image.h"

struct LocationData {
  static constexpr int k_maxObjects = 100;
  static constexpr int k_findListSize = 10;
  static constexpr int k_maxCoins = 5;

  LocationData();

  Selectable m_selectables[k_maxObjects];  // in the order of the object file
  FindInfo m_findInfo[k_findListSize];
  std::unique_ptr<Tesk::Image> m_background;  // drawn at (140, 0)
  std::unique_ptr<Tesk::Image> m_overlay;     // drawn over the background when present
  int32_t m_id;                               // 1-12, -1 for an empty slot
  uint32_t m_numObjects;
  uint32_t m_numOpen;  // find-list entries still open
  Selectable* m_repelObject;
  FindInfo m_repelInfo;
  uint32_t m_numCoins;
  uint32_t m_coinBitBase;  // first bit of this location's coins in the profile's coin set
  Selectable* m_coinObjects[k_maxCoins];
  FindInfo m_coinInfo;
  Selectable* m_runestoneObject;
  FindInfo m_runestoneInfo;
  Selectable* m_revealObject;
  FindInfo m_revealInfo;
  uint8_t m_visitCount;  // earlier levels that visited this location
};

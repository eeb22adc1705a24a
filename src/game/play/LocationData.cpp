#include "game/play/LocationData.h"

LocationData::LocationData()
    : m_id(-1),
      m_numObjects(0),
      m_numOpen(0),
      m_repelObject(nullptr),
      m_numCoins(0),
      m_coinBitBase(0),
      m_coinObjects{},
      m_runestoneObject(nullptr),
      m_revealObject(nullptr),
      m_visitCount(0) {
  for (Selectable& s : m_selectables) {
    s.m_findInfo = nullptr;
    s.m_position = 0;
    s.m_flags = 0;
  }
}

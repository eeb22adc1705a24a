// One entry of a location's find list, or the entry of a special pickup: up to 12 parts,
// the name shown in the side bar and a packed word of count, active flag and kind.
#pragma once

#include <cstdint>

#include "core/Common.h"

struct Selectable;

struct FindInfo {
  static constexpr int k_maxParts = 12;
  static constexpr uint32_t k_countMask = 0x1F;
  static constexpr uint32_t k_active = 1u << 5;
  static constexpr int k_kindShift = 6;
  static constexpr uint32_t k_kindMask = 0x3FFu << k_kindShift;

  Selectable* m_parts[k_maxParts] = {};
  TeskString m_name;
  uint32_t m_flags = 0;

  int getCount() const { return static_cast<int>(m_flags & k_countMask); }
  void setCount(int theCount) {
    m_flags = (m_flags & ~k_countMask) | (static_cast<uint32_t>(theCount) & k_countMask);
  }
  bool isActive() const { return (m_flags & k_active) != 0; }
  void setActive(bool isOn) { m_flags = isOn ? m_flags | k_active : m_flags & ~k_active; }
  int getKind() const { return static_cast<int>((m_flags & k_kindMask) >> k_kindShift); }
  void setKind(int theKind) {
    m_flags = (m_flags & ~k_kindMask) | (static_cast<uint32_t>(theKind) << k_kindShift & k_kindMask);
  }
};

// One placed object of a location: its image, the find-list entry it belongs to, and two
// packed words for its position and flags.
#pragma once

#include <cstdint>
#include <memory>

#include "graphics/Image.h"

struct FindInfo;

struct Selectable {
  // Object kinds with a role; ordinary objects sharing a kind are the parts of one item.
  static constexpr int k_kindCoin0 = 85;  // 85 + n for coin n of the location
  static constexpr int k_kindScenery = 87;
  static constexpr int k_kindCover = 91;
  static constexpr int k_kindRunestone = 92;
  static constexpr int k_kindReveal = 93;
  static constexpr int k_kindRepel = 95;

  // Position word: x in 14 bits at bit 0 (screen x, side bar included), y in 14 bits at bit 16.
  static constexpr uint32_t k_coordMask = 0x3FFF;
  // Flags word.
  static constexpr uint32_t k_renderOrderMask = 0x7F;
  static constexpr int k_kindShift = 16;
  static constexpr uint32_t k_kindMask = 0x7FFu << k_kindShift;
  static constexpr uint32_t k_visible = 1u << 27;
  static constexpr uint32_t k_toFind = 1u << 28;
  static constexpr int k_groupShift = 29;
  static constexpr uint32_t k_groupMask = 3u << k_groupShift;

  std::unique_ptr<Tesk::Image> m_image;  // image i + 1 of the location's block
  FindInfo* m_findInfo;
  uint32_t m_position;
  uint32_t m_flags;

  // Coordinates are signed 14-bit fields.
  int getX() const { return static_cast<int>(m_position << 18) >> 18; }
  int getY() const { return static_cast<int>(m_position << 2) >> 18; }
  void setPosition(int theX, int theY) {
    m_position = (static_cast<uint32_t>(theX) & k_coordMask) | (static_cast<uint32_t>(theY) & k_coordMask)
                                                                   << 16;
  }
  int getRenderOrder() const { return static_cast<int>(m_flags & k_renderOrderMask); }
  int getKind() const { return static_cast<int>((m_flags & k_kindMask) >> k_kindShift); }
  void setKind(int theKind) {
    m_flags = (m_flags & ~k_kindMask) | (static_cast<uint32_t>(theKind) << k_kindShift & k_kindMask);
  }
  int getDiffGroup() const { return static_cast<int>((m_flags & k_groupMask) >> k_groupShift); }
  bool isVisible() const { return (m_flags & k_visible) != 0; }
  void setVisible(bool isOn) { m_flags = isOn ? m_flags | k_visible : m_flags & ~k_visible; }
  bool isToFind() const { return (m_flags & k_toFind) != 0; }
  void setToFind(bool isOn) { m_flags = isOn ? m_flags | k_toFind : m_flags & ~k_toFind; }
  bool isCoin() const { return getKind() >= k_kindCoin0 && getKind() <= k_kindCoin0 + 2; }
};

// Numbers the play screens share, so each has one definition.
#pragma once

#include <cstdint>

#include "widgets/KeyCodes.h"

namespace Tesk {

// The last chapter: its screen shakes, and the things a chapter leads to end there.
constexpr int k_finalLevel = 13;
// The side bar at the left of every play screen; the play area starts right of it.
constexpr int k_sideBarWidth = 140;
// Hundredths of a second left when the clock turns red and the last seconds tick.
constexpr int k_lowTime = 3000;
// Updates a revealed object flashes for.
constexpr int k_revealFlashUpdates = 240;
// Updates: a find further apart than this from the last one is not quick.
constexpr uint32_t k_notQuick = 700;
constexpr float k_2Pi = 6.28318530718f;
const KeyCode k_escape = static_cast<KeyCode>(27);

}  // namespace Tesk

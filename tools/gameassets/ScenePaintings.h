#pragma once
// The twelve locations' paintings, each with the pieces that stand in front of hidden things.
#include "ScenePainter.h"

namespace GameAssets {

void PaintLocation(int theId, ScenePainter& thePainter);

}  // namespace GameAssets

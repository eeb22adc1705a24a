#pragma once
// Pictures of generated screens as the game composes them, for looking at the art:
// a location from its block and object file, drawn over the side bar.
#include <cstdint>
#include <string>
#include <vector>

#include "LocationCheck.h"

namespace GameAssets {

// Blends theImage (straight alpha) onto the 800 x 600 screen at (x, y).
void Compose(std::vector<uint32_t>& theScreen, const std::vector<uint32_t>& theImage, int theWidth, int theHeight,
             int x, int y);

// The location as the play scene draws it: the side bar image (140 x 600, may be empty),
// the background at (140, 0), then every visible object in render order.
std::vector<uint32_t> CompositeLocation(const LocationFiles& theFiles, const std::vector<uint32_t>& theSideBar);

// Writes preview PNGs of a written resource folder into theOutDir.
bool WritePreviews(const std::string& theResourceDir, const std::string& theOutDir, std::string* theError);

}  // namespace GameAssets

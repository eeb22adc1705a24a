#pragma once
// Builds a location's files: the painted background, the hidden things rendered from emoji
// and placed on the painting's surfaces in its light (ObjectPlacer), the pickups, the
// scenery in front cut from the painting, a placeholder, render orders by depth, and the
// object-text entries of the other-language path. What it writes keeps the checks of
// LocationCheck and the hiding bounds of ObjectMeasure.
#include <vector>

#include "LocationCheck.h"
#include "LocationFilesWriter.h"

namespace GameAssets {

struct BuiltLocation {
  LocationFiles mFiles;
  std::vector<TeskTools::ObjectTextEntry> mTexts;  // one per record that is not a cover
  std::vector<uint32_t> mBackground;              // straight pixels, 660 x 600, before quantising
};

// False with a reason when an emoji is missing or no placement passes the checks.
bool BuildLocation(int theId, BuiltLocation* theOut, std::string* theError);

}  // namespace GameAssets

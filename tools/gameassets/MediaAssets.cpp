#include "MediaAssets.h"

namespace GameAssets {

// Placeholder until the media half is written: writes nothing.
std::vector<ManifestItem> WriteMediaAssets(const std::string&) { return {}; }

}  // namespace GameAssets

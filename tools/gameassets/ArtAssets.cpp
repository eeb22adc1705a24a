#include "ArtAssets.h"

namespace GameAssets {

std::vector<ImageResource> ImageResources() { return {}; }
std::vector<ImageBlockFile> InterfaceBlocks() { return {}; }

}  // namespace GameAssets

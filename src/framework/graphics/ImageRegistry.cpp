#include "graphics/ImageRegistry.h"

namespace Tesk {

ImageRegistry* gImageRegistry = nullptr;

ImageRegistry::ImageRegistry() : mCleanupSharedImages(false) {
  for (int i = 0; i < 512; ++i) mAddClampTable[i] = static_cast<uint8_t>(i < 256 ? i : 255);
}

ImageRegistry::~ImageRegistry() {}

}  // namespace Tesk

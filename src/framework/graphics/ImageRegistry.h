// What images ask of the application object: its set of live memory images,
// its 3-D switch and texture data, the display's native format, the add-clamp
// table of the additive loops and the shared-image cleanup flag.
// TeskAppBase derives from this and installs itself as gImageRegistry; until
// then (and in headless tests) images run without one: nothing registers, the
// display counts as software and there is no native format.
#pragma once

#include <atomic>
#include <cstdint>

namespace Tesk {

class MemoryImage;
class NativeDisplay;

class ImageRegistry {
 public:
  // Entry i is min(i, 255): the saturating add of two channels.
  uint8_t mAddClampTable[512];
  // Set when a shared image's count reaches 0; the next cleanup pass frees it.
  std::atomic<bool> mCleanupSharedImages;

  ImageRegistry();
  virtual ~ImageRegistry();

  virtual void AddMemoryImage(MemoryImage* theImage) = 0;
  // Also drops the image's 3-D data.
  virtual void RemoveMemoryImage(MemoryImage* theImage) = 0;
  virtual void Remove3DData(MemoryImage* theImage) = 0;
  virtual bool Is3DAccelerated() = 0;
  // The display interface as a pixel-format description; null before the display exists.
  virtual NativeDisplay* GetNativeDisplay() = 0;

 private:
  ImageRegistry(const ImageRegistry&) = delete;
  ImageRegistry& operator=(const ImageRegistry&) = delete;
};

// The application object (gTeskAppBase), or null while there is none.
extern ImageRegistry* gImageRegistry;

}  // namespace Tesk

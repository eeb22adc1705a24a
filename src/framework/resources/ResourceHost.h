// What the resource manager asks of the application object: images through its shared-image
// cache and its display, the sound manager that takes the sounds, and the host that bitmap
// fonts ask for their sheets. TeskAppBase derives from this; a manager without a host loads
// nothing that needs one.
#pragma once

#include <string>

#include "graphics/SharedImageRef.h"

namespace Tesk {

class DDImage;
class FontHost;
class SoundManager;

class ResourceHost {
 public:
  // The shared image for a file (and variant); is8Bit tells whether it was palettised and
  // isNew whether this call loaded it.
  virtual SharedImageRef GetSharedImage(const std::string& theFileName, bool& is8Bit,
                                        const std::string& theVariant = "", bool* isNew = nullptr) = 0;
  // The file decoded into a new image of the display; null when it cannot be read.
  virtual DDImage* GetImage(const std::string& theFileName, bool commitBits = true) = 0;
  // Null when the program has no sound manager (yet).
  virtual SoundManager* GetSoundManager() = 0;
  virtual FontHost* GetFontHost() = 0;

 protected:
  ~ResourceHost() = default;
};

}  // namespace Tesk

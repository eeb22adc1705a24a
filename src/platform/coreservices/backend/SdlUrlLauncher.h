// The system's URL handler, through SDL_OpenURL.
#pragma once

#include "platform/coreservices/LaunchServices.h"

class SdlUrlLauncher : public UrlLauncher {
 public:
  bool Open(const std::string& theUrl) override;
};

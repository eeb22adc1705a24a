#include "platform/coreservices/backend/SdlUrlLauncher.h"

#include <SDL.h>

bool SdlUrlLauncher::Open(const std::string& theUrl) { return SDL_OpenURL(theUrl.c_str()) == 0; }

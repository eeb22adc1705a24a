// Opening URLs with the user's preferred application. What opens them is a
// UrlLauncher, so tests record launches instead of starting a browser.
#pragma once

#include <string>

#include "platform/coreservices/MacTypes.h"

class UrlLauncher {
 public:
  virtual ~UrlLauncher() = default;
  virtual bool Open(const std::string& theUrl) = 0;
};

enum : OSStatus { kLSApplicationNotFoundErr = -10814 };

// 0 when the URL was handed on.
OSStatus LSOpenURL(const std::string& theUrl);
// theLauncher is borrowed; null goes back to the system's (SDL_OpenURL).
void SetUrlLauncher(UrlLauncher* theLauncher);

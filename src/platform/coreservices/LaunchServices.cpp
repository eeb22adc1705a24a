#include "platform/coreservices/LaunchServices.h"

#include <atomic>

#include "platform/coreservices/backend/SdlUrlLauncher.h"

namespace {
std::atomic<UrlLauncher*> sLauncher{nullptr};
}

OSStatus LSOpenURL(const std::string& theUrl) {
  static SdlUrlLauncher sSystem;
  UrlLauncher* aLauncher = sLauncher.load();
  if (aLauncher == nullptr) aLauncher = &sSystem;
  return aLauncher->Open(theUrl) ? 0 : kLSApplicationNotFoundErr;
}

void SetUrlLauncher(UrlLauncher* theLauncher) { sLauncher.store(theLauncher); }

// Keeps the URLs it is asked to open, for tests.
#pragma once

#include <mutex>
#include <vector>

#include "platform/coreservices/LaunchServices.h"

class RecordingUrlLauncher : public UrlLauncher {
 public:
  bool Open(const std::string& theUrl) override {
    std::lock_guard<std::mutex> aGuard(mMutex);
    mOpened.push_back(theUrl);
    return true;
  }
  std::vector<std::string> Opened() const {
    std::lock_guard<std::mutex> aGuard(mMutex);
    return mOpened;
  }

 private:
  mutable std::mutex mMutex;
  std::vector<std::string> mOpened;
};

#include "platform/alerts/backend/ConsoleAlertBackend.h"

#include <cstdio>

DialogItemIndex ConsoleAlertBackend::Show(const AlertRequest& theRequest) {
  std::fprintf(stderr, "alert: %s\n%s\n", theRequest.mMessage.c_str(), theRequest.mExplanation.c_str());
  std::fflush(stderr);
  return theRequest.mDefaultItem;
}

// Alerts as SDL message boxes. When no box can be shown (no display), the
// fallback shows the alert instead.
#pragma once

#include "platform/alerts/AlertBackend.h"

class SdlAlertBackend : public AlertBackend {
 public:
  explicit SdlAlertBackend(AlertBackend* theFallback) : mFallback(theFallback) {}
  DialogItemIndex Show(const AlertRequest& theRequest) override;

 private:
  AlertBackend* mFallback;
};

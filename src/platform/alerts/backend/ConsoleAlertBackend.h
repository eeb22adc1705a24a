// Alerts for runs nobody watches: the texts go to standard error and the
// default button is taken at once.
#pragma once

#include "platform/alerts/AlertBackend.h"

class ConsoleAlertBackend : public AlertBackend {
 public:
  DialogItemIndex Show(const AlertRequest& theRequest) override;
};

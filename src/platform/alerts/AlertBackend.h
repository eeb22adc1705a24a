// What shows a standard alert. Texts arrive as UTF-8; buttons in item order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/alerts/StandardAlert.h"

struct AlertRequest {
  AlertType mType = kAlertNoteAlert;
  std::string mMessage;
  std::string mExplanation;
  // mButtons[i] is item i + 1.
  std::vector<std::string> mButtons;
  DialogItemIndex mDefaultItem = kAlertStdAlertOKButton;
  DialogItemIndex mCancelItem = 0;
};

class AlertBackend {
 public:
  virtual ~AlertBackend() = default;
  // Returns the item pressed.
  virtual DialogItemIndex Show(const AlertRequest& theRequest) = 0;
};

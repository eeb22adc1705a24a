// Alerts for tests: each alert shown is recorded and answered from a script;
// with the script used up, the default button is pressed.
#pragma once

#include <deque>
#include <mutex>
#include <vector>

#include "platform/alerts/AlertBackend.h"

class ScriptedAlertBackend : public AlertBackend {
 public:
  DialogItemIndex Show(const AlertRequest& theRequest) override;

  void QueueAnswer(DialogItemIndex theItem);
  std::vector<AlertRequest> Shown() const;

 private:
  mutable std::mutex mMutex;
  std::deque<DialogItemIndex> mAnswers;
  std::vector<AlertRequest> mShown;
};

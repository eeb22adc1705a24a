#include "platform/alerts/backend/ScriptedAlertBackend.h"

DialogItemIndex ScriptedAlertBackend::Show(const AlertRequest& theRequest) {
  std::lock_guard<std::mutex> aGuard(mMutex);
  mShown.push_back(theRequest);
  if (mAnswers.empty()) return theRequest.mDefaultItem;
  DialogItemIndex anItem = mAnswers.front();
  mAnswers.pop_front();
  return anItem;
}

void ScriptedAlertBackend::QueueAnswer(DialogItemIndex theItem) {
  std::lock_guard<std::mutex> aGuard(mMutex);
  mAnswers.push_back(theItem);
}

std::vector<AlertRequest> ScriptedAlertBackend::Shown() const {
  std::lock_guard<std::mutex> aGuard(mMutex);
  return mShown;
}

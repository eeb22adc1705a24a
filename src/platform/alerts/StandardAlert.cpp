#include "platform/alerts/StandardAlert.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#include "platform/alerts/AlertBackend.h"
#include "platform/alerts/MacRomanText.h"
#include "platform/alerts/backend/ConsoleAlertBackend.h"
#include "platform/alerts/backend/SdlAlertBackend.h"

const char* const kAlertDefaultOKText = "OK";
const char* const kAlertDefaultCancelText = "Cancel";

namespace {

std::atomic<AlertBackend*> sBackend{nullptr};

bool EnvironmentIs(const char* theName, const char* theValue) {
  const char* aValue = std::getenv(theName);
  return aValue != nullptr && std::strcmp(aValue, theValue) == 0;
}

// Nobody is there to press a button: print the alert and take its default.
bool IsUnattended() {
  const char* aCI = std::getenv("CI");
  if (aCI != nullptr && aCI[0] != '\0' && std::strcmp(aCI, "false") != 0 && std::strcmp(aCI, "0") != 0)
    return true;
  return EnvironmentIs("TESK_ALERTS", "stderr") || EnvironmentIs("SDL_VIDEODRIVER", "dummy") ||
         EnvironmentIs("SDL_VIDEODRIVER", "offscreen");
}

}  // namespace

void SetAlertBackend(AlertBackend* theBackend) { sBackend.store(theBackend); }

AlertBackend& CurrentAlertBackend() {
  if (AlertBackend* aBackend = sBackend.load()) return *aBackend;
  static ConsoleAlertBackend sConsole;
  static SdlAlertBackend sSdl(&sConsole);
  if (IsUnattended()) return sConsole;
  return sSdl;
}

OSErr StandardAlert(AlertType theType, const std::string& theError, const std::string& theExplanation,
                    const AlertStdAlertParamRec* theParams, DialogItemIndex* theItemHit) {
  AlertStdAlertParamRec aDefaults;
  const AlertStdAlertParamRec& aParams = theParams != nullptr ? *theParams : aDefaults;
  AlertRequest aRequest;
  aRequest.mType = theType;
  aRequest.mMessage = MacRomanToUtf8(theError);
  aRequest.mExplanation = MacRomanToUtf8(theExplanation);
  for (const char* aText : {aParams.defaultText, aParams.cancelText, aParams.otherText}) {
    if (aText == nullptr) break;
    aRequest.mButtons.push_back(MacRomanToUtf8(aText));
  }
  if (aRequest.mButtons.empty()) aRequest.mButtons.push_back(kAlertDefaultOKText);
  aRequest.mDefaultItem = aParams.defaultButton;
  aRequest.mCancelItem = aParams.cancelButton;
  const DialogItemIndex anItem = CurrentAlertBackend().Show(aRequest);
  if (theItemHit != nullptr) *theItemHit = anItem;
  return 0;
}

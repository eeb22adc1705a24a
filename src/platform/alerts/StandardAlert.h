// Standard alerts: a message, an explanation and up to three buttons, modal.
// Texts are Mac Roman bytes, of any length. What shows them is an
// AlertBackend: a real message box, standard error for unattended runs, or a
// script in tests.
#pragma once

#include <cstdint>
#include <string>

#include "platform/coreservices/MacTypes.h"

typedef int16_t AlertType;
enum : AlertType { kAlertStopAlert = 0, kAlertNoteAlert = 1, kAlertCautionAlert = 2, kAlertPlainAlert = 3 };

typedef int16_t DialogItemIndex;
enum : DialogItemIndex {
  kAlertStdAlertOKButton = 1,
  kAlertStdAlertCancelButton = 2,
  kAlertStdAlertOtherButton = 3
};

enum : uint16_t { kWindowDefaultPosition = 0, kWindowAlertPositionMainScreen = 0x300A };

// Button texts: null for no button, or one of these for the standard texts.
extern const char* const kAlertDefaultOKText;
extern const char* const kAlertDefaultCancelText;

struct AlertStdAlertParamRec {
  bool movable = true;
  bool helpButton = false;
  const char* defaultText = kAlertDefaultOKText;
  const char* cancelText = nullptr;
  const char* otherText = nullptr;
  DialogItemIndex defaultButton = kAlertStdAlertOKButton;
  DialogItemIndex cancelButton = 0;
  uint16_t position = kWindowAlertPositionMainScreen;
};

// Shows the alert and waits; *theItemHit is the button pressed (1 default, 2 cancel, 3 other).
OSErr StandardAlert(AlertType theType, const std::string& theError, const std::string& theExplanation,
                    const AlertStdAlertParamRec* theParams, DialogItemIndex* theItemHit);

class AlertBackend;
// theBackend is borrowed; null goes back to choosing one by the environment.
void SetAlertBackend(AlertBackend* theBackend);
// The environment's choice: standard error under CI, with SDL's dummy or
// offscreen video, or with TESK_ALERTS=stderr; a message box otherwise.
AlertBackend& CurrentAlertBackend();

// Showing or hiding one of a screen's buttons: a hidden button must not take clicks either.
#pragma once

#include "widgets/OrvoButtonWidget.h"

namespace Tesk {

inline void setButtonShown(OrvoButtonWidget* theButton, bool show) {
  if (theButton == nullptr) return;
  theButton->SetVisible(show);
  theButton->SetDisabled(!show);
}

}  // namespace Tesk

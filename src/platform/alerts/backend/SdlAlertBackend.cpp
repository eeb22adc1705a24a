#include "platform/alerts/backend/SdlAlertBackend.h"

#include <SDL.h>

#include <vector>

DialogItemIndex SdlAlertBackend::Show(const AlertRequest& theRequest) {
  std::vector<SDL_MessageBoxButtonData> aButtons;
  for (size_t i = 0; i < theRequest.mButtons.size(); ++i) {
    SDL_MessageBoxButtonData aButton = {};
    aButton.buttonid = static_cast<int>(i + 1);
    aButton.text = theRequest.mButtons[i].c_str();
    if (aButton.buttonid == theRequest.mDefaultItem) aButton.flags |= SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT;
    if (aButton.buttonid == theRequest.mCancelItem) aButton.flags |= SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT;
    aButtons.push_back(aButton);
  }
  SDL_MessageBoxData aData = {};
  switch (theRequest.mType) {
    case kAlertStopAlert:
      aData.flags = SDL_MESSAGEBOX_ERROR;
      break;
    case kAlertCautionAlert:
      aData.flags = SDL_MESSAGEBOX_WARNING;
      break;
    default:
      aData.flags = SDL_MESSAGEBOX_INFORMATION;
      break;
  }
  aData.title = theRequest.mMessage.c_str();
  aData.message = theRequest.mExplanation.c_str();
  aData.numbuttons = static_cast<int>(aButtons.size());
  aData.buttons = aButtons.data();
  int aPressed = -1;
  if (SDL_ShowMessageBox(&aData, &aPressed) != 0) return mFallback->Show(theRequest);
  // Closing the box without a button counts as the cancel button, or the default one.
  if (aPressed < 1) return theRequest.mCancelItem != 0 ? theRequest.mCancelItem : theRequest.mDefaultItem;
  return static_cast<DialogItemIndex>(aPressed);
}

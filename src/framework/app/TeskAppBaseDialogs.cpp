// Open dialogs by id, the named texts, and the system alerts.
#include <algorithm>

#include "core/MacUtils.h"
#include "app/TeskAppBase.h"
#include "display/DDInterface.h"
#include "platform/coreservices/MacRoman.h"
#include "widgets/Dialog.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

namespace {

// Alert texts go out in the system's 8-bit encoding, at most 511 bytes.
std::string ToAlertText(const TeskString& theText) {
  std::string aText;
  for (wchar_t aChar : theText) {
    if (aText.size() == 511) break;
    aText += static_cast<char>(UnicodeToMacRoman(static_cast<uint32_t>(aChar)));
  }
  return aText;
}

}  // namespace

Dialog* TeskAppBase::NewDialog(int theDialogId, bool isModal, const TeskString& theDialogHeader,
                               const TeskString& theDialogLines, const TeskString& theDialogFooter,
                               int theButtonMode) {
  return new Dialog(nullptr, nullptr, theDialogId, isModal, theDialogHeader, theDialogLines, theDialogFooter,
                    theButtonMode);
}

Dialog* TeskAppBase::DoDialog(int theDialogId, bool isModal, const TeskString& theDialogHeader,
                              const TeskString& theDialogLines, const TeskString& theDialogFooter,
                              int theButtonMode) {
  KillDialog(theDialogId);
  Dialog* aDialog =
      NewDialog(theDialogId, isModal, theDialogHeader, theDialogLines, theDialogFooter, theButtonMode);
  AddDialog(theDialogId, aDialog);
  return aDialog;
}

Dialog* TeskAppBase::GetDialog(int theDialogId) {
  auto anIt = mDialogMap.find(theDialogId);
  return anIt == mDialogMap.end() ? nullptr : anIt->second;
}

void TeskAppBase::AddDialog(int theDialogId, Dialog* theDialog) {
  KillDialog(theDialogId);
  if (theDialog->mWidth == 0) {
    int aWidth = mWidth / 2;
    theDialog->Resize((mWidth - aWidth) / 2, mHeight / 5, aWidth, theDialog->GetPreferredHeight(aWidth));
  }
  mDialogMap.insert({theDialogId, theDialog});
  mDialogList.push_back(theDialog);
  if (mWidgetManager != nullptr) mWidgetManager->AddWidget(theDialog);
  if (theDialog->IsModal()) {
    if (mWidgetManager != nullptr) mWidgetManager->AddBaseModal(theDialog);
    ModalOpen();
  }
}

void TeskAppBase::AddDialog(Dialog* theDialog) { AddDialog(theDialog->mId, theDialog); }

bool TeskAppBase::KillDialog(int theDialogId, bool removeWidget, bool deleteWidget) {
  auto anIt = mDialogMap.find(theDialogId);
  if (anIt == mDialogMap.end()) return false;
  Dialog* aDialog = anIt->second;
  auto aListIt = std::find(mDialogList.begin(), mDialogList.end(), aDialog);
  if (aListIt != mDialogList.end()) mDialogList.erase(aListIt);
  mDialogMap.erase(anIt);
  if (mWidgetManager != nullptr && (removeWidget || deleteWidget)) mWidgetManager->RemoveWidget(aDialog);
  if (aDialog->IsModal()) {
    ModalClose();
    if (mWidgetManager != nullptr) mWidgetManager->RemoveBaseModal(aDialog);
  }
  if (deleteWidget) SafeDeleteWidget(aDialog);
  return true;
}

bool TeskAppBase::KillDialog(int theDialogId) { return KillDialog(theDialogId, true, true); }

bool TeskAppBase::KillDialog(Dialog* theDialog) { return KillDialog(theDialog->mId); }

int TeskAppBase::GetDialogCount() { return static_cast<int>(mDialogMap.size()); }

void TeskAppBase::ModalOpen() {}
void TeskAppBase::ModalClose() {}

void TeskAppBase::DialogButtonPress(int theDialogId, int theButtonId) {
  if (theButtonId == Dialog::ID_YES) {
    ButtonPress(theDialogId + 2000);
  } else if (theButtonId == Dialog::ID_NO) {
    ButtonPress(theDialogId + 3000);
  }
}

void TeskAppBase::DialogButtonDepress(int theDialogId, int theButtonId) {
  if (theButtonId == Dialog::ID_YES) {
    ButtonDepress(theDialogId + 2000);
  } else if (theButtonId == Dialog::ID_NO) {
    ButtonDepress(theDialogId + 3000);
  }
}

TeskString TeskAppBase::GetString(const std::string& theId, const TeskString& theDefault) {
  auto anIt = mStringProperties.find(theId);
  return anIt == mStringProperties.end() ? theDefault : anIt->second;
}

void TeskAppBase::SetString(const std::string& theId, const TeskString& theValue) {
  mStringProperties[theId] = theValue;
}

void TeskAppBase::ClearKeysDown() {
  if (mWidgetManager != nullptr) {
    for (bool& aDown : mWidgetManager->mKeyDown) aDown = false;
  }
  mCtrlDown = false;
  mAltDown = false;
}

// Input that arrives while a full-screen alert is up is neither queued nor handled.
void TeskAppBase::BeginPopup() {
  if (mIsPhysWindowed) return;
  if (mDDInterface != nullptr && mDDInterface->mDirectDraw != nullptr)
    mDDInterface->mDirectDraw->FlipToGDISurface();
  mNoDefer = true;
}

void TeskAppBase::EndPopup() {
  if (!mIsPhysWindowed) mNoDefer = false;
  ClearUpdateBacklog(false);
  ClearKeysDown();
  // Buttons released while the alert had the pointer never reached the widgets.
  if (mWidgetManager != nullptr && mWidgetManager->mDownButtons != 0) mWidgetManager->DoMouseUps();
}

int TeskAppBase::MsgBox(const std::string& theText, const std::string& theTitle, int theFlags) {
  if (mIsScreenSaver) {
    LogScreenSaverError(theText);
    return 1;
  }
  BeginPopup();
  int aResult = MessageBoxW(mWindow, theText.c_str(), theTitle.c_str(), static_cast<uint32_t>(theFlags));
  EndPopup();
  return aResult;
}

int TeskAppBase::MsgBox(const TeskString& theText, const TeskString& theTitle, int theFlags) {
  if (mIsScreenSaver) {
    LogScreenSaverError(WStringToString(theText));
    return 1;
  }
  BeginPopup();
  int aResult = MessageBoxW(mWindow, ToAlertText(theText).c_str(), ToAlertText(theTitle).c_str(),
                            static_cast<uint32_t>(theFlags));
  EndPopup();
  return aResult;
}

void TeskAppBase::Popup(const std::string& theString) {
  if (mIsScreenSaver) {
    LogScreenSaverError(theString);
    return;
  }
  BeginPopup();
  if (!mShutdown) {
    std::string aTitle = TeskStringToString(GetString("FATAL_ERROR", L"FATAL ERROR"));
    MessageBoxW(mWindow, theString.c_str(), aTitle.c_str(), MB_ICONHAND);
  }
  EndPopup();
}

void TeskAppBase::Popup(const TeskString& theString) {
  if (mIsScreenSaver) {
    LogScreenSaverError(WStringToString(theString));
    return;
  }
  BeginPopup();
  if (!mShutdown) MessageBoxW(mWindow, ToAlertText(theString).c_str(), "FATAL ERROR", MB_ICONHAND);
  EndPopup();
}

}  // namespace Tesk

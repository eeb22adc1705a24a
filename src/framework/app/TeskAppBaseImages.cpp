// The set of live images, shared images, deferred widget deletion, display-mode switches and
// the focus bookkeeping.
#include <memory>

#include "core/AutoCrit.h"
#include "core/MTAutoDisallowRand.h"
#include "core/MacUtils.h"
#include "app/TeskAppBase.h"
#include "app/TeskAppBaseShared.h"
#include "display/DDImage.h"
#include "display/DDInterface.h"
#include "graphics/MemoryImage.h"
#include "platform/carbon/CarbonWindows.h"
#include "platform/carbonwindow/CarbonWindow.h"
#include "resources/ImageLib.h"
#include "resources/ImageLibImage.h"
#include "sound/SoundManager.h"
#include "widgets/Widget.h"
#include "widgets/WidgetManager.h"

namespace Tesk {

thread_local bool TeskAppBase::s_is8Bit = false;

CritSect& TeskAppBase::GetDisplayLock() {
  return mDDInterface != nullptr ? mDDInterface->mCritSect : mNoDisplayLock;
}

void TeskAppBase::AddMemoryImage(MemoryImage* theImage) {
  AutoCrit aLock(GetDisplayLock());
  mMemoryImageSet.insert(theImage);
}

void TeskAppBase::RemoveMemoryImage(MemoryImage* theImage) {
  AutoCrit aLock(GetDisplayLock());
  auto anIt = mMemoryImageSet.find(theImage);
  if (anIt == mMemoryImageSet.end()) return;
  mMemoryImageSet.erase(anIt);
  Remove3DData(theImage);
}

void TeskAppBase::Remove3DData(MemoryImage* theImage) {
  if (mDDInterface != nullptr) mDDInterface->Remove3DData(theImage);
}

NativeDisplay* TeskAppBase::GetNativeDisplay() { return mDDInterface; }

// The loading thread adds and removes images while these run, so they walk the set under the lock.
void TeskAppBase::ReInitImages() {
  AutoCrit aLock(GetDisplayLock());
  for (MemoryImage* anImage : mMemoryImageSet) anImage->ReInit();
}

void TeskAppBase::DeleteExtraImageData() {
  AutoCrit aLock(GetDisplayLock());
  for (MemoryImage* anImage : mMemoryImageSet) anImage->DeleteExtraBuffers();
}

void TeskAppBase::DeleteNativeImageData() {
  AutoCrit aLock(GetDisplayLock());
  for (MemoryImage* anImage : mMemoryImageSet) anImage->DeleteNativeData();
}

void TeskAppBase::CleanSharedImages() {
  AutoCrit aLock(GetDisplayLock());
  if (!mCleanupSharedImages) return;
  for (auto anIt = mSharedImageMap.begin(); anIt != mSharedImageMap.end();) {
    if (anIt->second.mRefCount == 0) {
      delete anIt->second.mImage;
      anIt = mSharedImageMap.erase(anIt);
    } else {
      ++anIt;
    }
  }
  mCleanupSharedImages = false;
}

SharedImageRef TeskAppBase::GetSharedImage(const std::string& theFileName, bool& is8Bit,
                                           const std::string& theVariant, bool* isNew) {
  std::string anUpperName = StringToUpper(theFileName);
  std::string anUpperVariant = StringToUpper(theVariant);
  s_is8Bit = false;

  // The image is loaded under the lock: a second caller asking for the same name meanwhile
  // waits and gets the loaded image, never an entry that is still empty.
  AutoCrit aLock(GetDisplayLock());
  auto anInsert = mSharedImageMap.insert({{anUpperName, anUpperVariant}, SharedImage()});
  SharedImageRef aRef(&anInsert.first->second);
  if (isNew != nullptr) *isNew = anInsert.second;
  if (anInsert.second) {
    DDImage* anImage = nullptr;
    if (!theFileName.empty() && theFileName[0] == '!') {
      anImage = NewDisplayImage();
    } else {
      anImage = LoadImageFile(theFileName);
    }
    anInsert.first->second.mImage = anImage;
  }
  is8Bit = s_is8Bit;
  return aRef;
}

std::shared_ptr<Image> TeskAppBase::GetFontSheet(const std::string& theFileName, bool* isNew) {
  bool is8Bit = false;
  SharedImageRef aRef = GetSharedImage(theFileName, is8Bit, "", isNew);
  MemoryImage* anImage = aRef;
  if (anImage == nullptr) return nullptr;
  // The handle keeps the shared image counted for as long as the font holds the sheet.
  auto aHolder = std::make_shared<SharedImageRef>(aRef);
  return std::shared_ptr<Image>(aHolder, static_cast<Image*>(anImage));
}

void TeskAppBase::SafeDeleteWidget(Widget* theWidget) {
  mSafeDeleteList.push_back(WidgetSafeDeleteInfo{mUpdateAppDepth, theWidget});
}

void TeskAppBase::ProcessSafeDeleteList() {
  MTAutoDisallowRand aNoRand;
  for (auto anIt = mSafeDeleteList.begin(); anIt != mSafeDeleteList.end();) {
    if (anIt->mUpdateAppDepth < mUpdateAppDepth) {
      ++anIt;
      continue;
    }
    Widget* aWidget = anIt->mWidget;
    anIt = mSafeDeleteList.erase(anIt);
    delete aWidget;
  }
}

void TeskAppBase::SwitchScreenMode() { SwitchScreenMode(mIsWindowed, Is3DAccelerated(), true); }

void TeskAppBase::SwitchScreenMode(bool wantWindowed) {
  SwitchScreenMode(wantWindowed, Is3DAccelerated(), false);
}

void TeskAppBase::SwitchScreenMode(bool wantWindowed, bool, bool force) {
  if (mForceFullscreen) wantWindowed = false;
  if (mIsWindowed == wantWindowed && !force) {
    Set3DAcclerated(true, true);
    return;
  }
  Set3DAcclerated(true, false);
  mIsWindowed = wantWindowed;
  MakeWindow();
  if (mWindow != nullptr) {
    ShowWindow(mWindow);
    SelectWindow(mWindow);
  }
  if (wantWindowed) {
    SetSystemUIMode(kUIModeNormal, 0);
  } else {
    SetSystemUIMode(kUIModeAllHidden, kUIOptionDisableProcessSwitch);
  }
  if (mSoundManager != nullptr) mSoundManager->SetCooperativeWindow(mWindow, mIsWindowed);
  mLastTimerTime = GetTickCount();
}

void TeskAppBase::Set3DAcclerated(bool is3D, bool reinit) {
  if (mDDInterface == nullptr || mDDInterface->mIs3D == is3D) return;
  mUserChanged3DSetting = true;
  mDDInterface->mIs3D = is3D;
  if (!reinit) return;
  int aResult = InitDDInterface();
  if (aResult != RESULT_OK) {
    if (is3D) {
      Set3DAcclerated(false, reinit);
      return;
    }
    Popup(GetString("FAILED_INIT_DIRECTDRAW", L"Failed to initialize DirectDraw: ") +
          StringToTeskString(DDInterface::ResultToString(aResult) + " " + mDDInterface->mErrorString));
    DoExit(1);
    return;
  }
  ReInitImages();
  ScreenImageChanged();
}

void TeskAppBase::SetAlphaDisabled(bool isDisabled) {
  if (mAlphaDisabled == isDisabled) return;
  mAlphaDisabled = isDisabled;
  if (mDDInterface != nullptr) mDDInterface->SetVideoOnlyDraw(isDisabled);
  ScreenImageChanged();
}

void TeskAppBase::RehupFocus() {
  bool aWantFocus = mActive && !mMinimized;
  if (aWantFocus == mHasFocus) return;
  mHasFocus = aWantFocus;
  if (aWantFocus) {
    if (mMuteOnLostFocus) Unmute(true);
    if (mWidgetManager != nullptr) mWidgetManager->GotFocus();
    GotFocus();
  } else {
    if (mMuteOnLostFocus) Mute(true);
    if (mWidgetManager != nullptr) mWidgetManager->LostFocus();
    LostFocus();
    if (mWidgetManager != nullptr) mWidgetManager->DoMouseUps();
  }
}

void TeskAppBase::HandleNotifyGameMessage(int theType, int) {
  if (theType != 0 || mWindow == nullptr) return;
  if (IsWindowCollapsed(mWindow)) CollapseWindow(mWindow, false);
  SelectWindow(mWindow);
}

}  // namespace Tesk
